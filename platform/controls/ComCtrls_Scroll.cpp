#include "platform/controls/ComCtrls_Scroll.h"

#include <algorithm>

namespace platform {

bool TViewScrollBars::SetInfo(int ABar, TScrollInfo AInfo)
{
    TScrollInfo& i = FInfo[Index(ABar)];
    int old = i.Pos;
    AInfo.Max = std::max(AInfo.Min, AInfo.Max);
    AInfo.Page = std::max(0, AInfo.Page);
    i = AInfo;
    i.Pos = std::clamp(AInfo.Pos, i.Min, MaxPos(ABar));
    return i.Pos != old;
}

bool TViewScrollBars::SetPos(int ABar, int APos)
{
    TScrollInfo& i = FInfo[Index(ABar)];
    int p = std::clamp(APos, i.Min, MaxPos(ABar));
    if (p == i.Pos)
        return false;
    i.Pos = p;
    return true;
}

int TViewScrollBars::MaxPos(int ABar) const
{
    const TScrollInfo& i = Info(ABar);
    return std::max(i.Min, i.Max - std::max(1, i.Page) + 1);
}

bool TViewScrollBars::Needed(int ABar) const
{
    const TScrollInfo& i = Info(ABar);
    return i.Page > 0 && i.Max - i.Min + 1 > i.Page;
}

bool TViewScrollBars::StyleHas(int ABar) const
{
    if (!FView->HandleAllocated())
        return false;
    DWORD style = DWORD(GetWindowLong(FView->Handle(), GWL_STYLE));
    return style & (ABar == SB_VERT ? WS_VSCROLL : WS_HSCROLL);
}

bool TViewScrollBars::Shown(int ABar) const { return StyleHas(ABar) && Needed(ABar); }

TRect TViewScrollBars::ViewRect(const TRect& AClient) const
{
    TRect r = AClient;
    if (Shown(SB_VERT))
        r.Right = std::max(r.Left, r.Right - Size);
    if (Shown(SB_HORZ))
        r.Bottom = std::max(r.Top, r.Bottom - Size);
    return r;
}

TRect TViewScrollBars::BarRect(int ABar, const TRect& AClient) const
{
    if (!Shown(ABar))
        return TRect{};
    bool both = Shown(SB_VERT) && Shown(SB_HORZ);
    if (ABar == SB_VERT)
        return Rect(AClient.Right - Size, AClient.Top, AClient.Right, AClient.Bottom - (both ? Size : 0));
    return Rect(AClient.Left, AClient.Bottom - Size, AClient.Right - (both ? Size : 0), AClient.Bottom);
}

TRect TViewScrollBars::ThumbRect(int ABar, const TRect& ABarRect) const
{
    const TScrollInfo& i = Info(ABar);
    bool vert = ABar == SB_VERT;
    int length = vert ? ABarRect.Height() : ABarRect.Width();
    int track = length - 2 * Size;
    if (track < 8)
        return TRect{};
    int range = i.Max - i.Min + 1;
    int thumb = std::clamp(int(int64_t(track) * std::max(1, i.Page) / std::max(1, range)), 8, track);
    int span = MaxPos(ABar) - i.Min;
    int pos = FDragBar == Index(ABar) ? FTrackPos : i.Pos;
    int at = Size + (span > 0 ? int(int64_t(track - thumb) * (pos - i.Min) / span) : 0);
    return vert ? Rect(ABarRect.Left, ABarRect.Top + at, ABarRect.Right, ABarRect.Top + at + thumb)
                : Rect(ABarRect.Left + at, ABarRect.Top, ABarRect.Left + at + thumb, ABarRect.Bottom);
}

namespace {

void DrawButtonFace(TCanvas* C, TRect R)
{
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(R);
    Frame3D(C, R, clBtnHighlight, clBtnShadow, 1);
}

// A small filled triangle pointing up, down, left or right, centred in R.
void DrawArrow(TCanvas* C, const TRect& R, int ADir)
{
    int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
    std::vector<TPoint> p;
    switch (ADir) {
    case 0: p = {Point(cx - 4, cy + 2), Point(cx + 4, cy + 2), Point(cx, cy - 2)}; break;
    case 1: p = {Point(cx - 4, cy - 2), Point(cx + 4, cy - 2), Point(cx, cy + 2)}; break;
    case 2: p = {Point(cx + 2, cy - 4), Point(cx + 2, cy + 4), Point(cx - 2, cy)}; break;
    default: p = {Point(cx - 2, cy - 4), Point(cx - 2, cy + 4), Point(cx + 2, cy)}; break;
    }
    C->Pen()->SetColor(clBtnText);
    C->Brush()->SetColor(clBtnText);
    C->Polygon(p);
}

} // namespace

void TViewScrollBars::Paint(TCanvas* ACanvas, const TRect& AClient)
{
    for (int bar : {SB_HORZ, SB_VERT}) {
        TRect r = BarRect(bar, AClient);
        if (r.IsEmpty())
            continue;
        bool vert = bar == SB_VERT;
        ACanvas->Brush()->SetColor(clBtnHighlight);
        ACanvas->FillRect(r);
        TRect first = vert ? Rect(r.Left, r.Top, r.Right, r.Top + Size) : Rect(r.Left, r.Top, r.Left + Size, r.Bottom);
        TRect last = vert ? Rect(r.Left, r.Bottom - Size, r.Right, r.Bottom) : Rect(r.Right - Size, r.Top, r.Right, r.Bottom);
        DrawButtonFace(ACanvas, first);
        DrawArrow(ACanvas, first, vert ? 0 : 2);
        DrawButtonFace(ACanvas, last);
        DrawArrow(ACanvas, last, vert ? 1 : 3);
        TRect thumb = ThumbRect(bar, r);
        if (!thumb.IsEmpty())
            DrawButtonFace(ACanvas, thumb);
    }
    if (Shown(SB_VERT) && Shown(SB_HORZ)) {
        ACanvas->Brush()->SetColor(clBtnFace);
        ACanvas->FillRect(Rect(AClient.Right - Size, AClient.Bottom - Size, AClient.Right, AClient.Bottom));
    }
}

void TViewScrollBars::Send(int ABar, int ACode, int APos)
{
    SendMessage(FView->Handle(), ABar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, WPARAM(MAKELPARAM(ACode, APos)), 0);
}

int TViewScrollBars::StepAt(int ABar, TPoint P, const TRect& AClient) const
{
    TRect r = BarRect(ABar, AClient);
    if (!PtInRect(r, P))
        return -1;
    bool vert = ABar == SB_VERT;
    int along = vert ? P.Y - r.Top : P.X - r.Left;
    int length = vert ? r.Height() : r.Width();
    if (along < Size)
        return SB_LINEUP;
    if (along >= length - Size)
        return SB_LINEDOWN;
    TRect thumb = ThumbRect(ABar, r);
    if (thumb.IsEmpty() || PtInRect(thumb, P))
        return -1;
    return (vert ? P.Y < thumb.Top : P.X < thumb.Left) ? SB_PAGEUP : SB_PAGEDOWN;
}

bool TViewScrollBars::MouseDown(TPoint P, const TRect& AClient)
{
    for (int bar : {SB_HORZ, SB_VERT}) {
        TRect r = BarRect(bar, AClient);
        if (!PtInRect(r, P))
            continue;
        bool vert = bar == SB_VERT;
        TRect thumb = ThumbRect(bar, r);
        if (int code = StepAt(bar, P, AClient); code >= 0) {
            Send(bar, code, 0);
            FRepeatBar = bar;
            FRepeatCode = code;
            FRepeatPoint = P;
            FRepeatWaiting = true;
            SetTimer(FView->Handle(), RepeatTimerId, FirstRepeatDelay);
        } else if (PtInRect(thumb, P)) {
            FDragBar = Index(bar);
            FTrackPos = Pos(bar);
            FDragOffset = vert ? P.Y - thumb.Top : P.X - thumb.Left;
        }
        return true;
    }
    return false;
}

bool TViewScrollBars::Timer(uintptr_t AId, const TRect& AClient)
{
    if (AId != RepeatTimerId)
        return false;
    if (FRepeatBar < 0) {
        KillTimer(FView->Handle(), RepeatTimerId);
        return true;
    }
    if (FRepeatWaiting) {
        FRepeatWaiting = false;
        SetTimer(FView->Handle(), RepeatTimerId, RepeatInterval);
    }
    // Only the step that was pressed repeats, and only while the mouse still
    // asks for it: a page step stops short of the thumb reaching the mouse.
    if (StepAt(FRepeatBar, FRepeatPoint, AClient) == FRepeatCode)
        Send(FRepeatBar, FRepeatCode, 0);
    return true;
}

void TViewScrollBars::StopRepeat()
{
    int bar = FRepeatBar;
    FRepeatBar = -1;
    if (FView->HandleAllocated())
        KillTimer(FView->Handle(), RepeatTimerId);
    Send(bar, SB_ENDSCROLL, 0);
}

bool TViewScrollBars::MouseMove(TPoint P, const TRect& AClient)
{
    if (FRepeatBar >= 0) {
        FRepeatPoint = P;
        return true;
    }
    if (FDragBar < 0)
        return false;
    int bar = FDragBar == 1 ? SB_VERT : SB_HORZ;
    TRect r = BarRect(bar, AClient);
    TRect thumb = ThumbRect(bar, r);
    bool vert = bar == SB_VERT;
    int length = vert ? r.Height() : r.Width();
    int thumbLength = vert ? thumb.Height() : thumb.Width();
    int free = length - 2 * Size - thumbLength;
    int at = (vert ? P.Y - r.Top : P.X - r.Left) - FDragOffset - Size;
    const TScrollInfo& i = Info(bar);
    int span = MaxPos(bar) - i.Min;
    int pos = free > 0 ? i.Min + int((int64_t(std::clamp(at, 0, free)) * span + free / 2) / free) : i.Min;
    if (pos != FTrackPos) {
        FTrackPos = pos;
        Send(bar, SB_THUMBTRACK, pos);
    }
    return true;
}

bool TViewScrollBars::MouseUp()
{
    if (FRepeatBar >= 0) {
        StopRepeat();
        return true;
    }
    if (FDragBar < 0)
        return false;
    int bar = FDragBar == 1 ? SB_VERT : SB_HORZ;
    Send(bar, SB_THUMBPOSITION, FTrackPos);
    FDragBar = -1;
    Send(bar, SB_ENDSCROLL, 0);
    return true;
}

int TViewScrollBars::Target(int ABar, int ACode, int AThumb, int ALine) const
{
    const TScrollInfo& i = Info(ABar);
    int page = std::max(1, i.Page);
    switch (ACode) {
    case SB_LINEUP: return i.Pos - ALine;
    case SB_LINEDOWN: return i.Pos + ALine;
    case SB_PAGEUP: return i.Pos - page;
    case SB_PAGEDOWN: return i.Pos + page;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return FDragBar == Index(ABar) ? FTrackPos : AThumb;
    case SB_TOP: return i.Min;
    case SB_BOTTOM: return MaxPos(ABar);
    default: return i.Pos;
    }
}

} // namespace platform
