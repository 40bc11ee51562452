#include "platform/controls/ComCtrls_Header.h"

#include "platform/core/Collections.h"

#include <algorithm>

namespace platform {

namespace {
constexpr int kDividerZone = 3;   // pixels either side of a divider that grab it
constexpr int kTextMargin = 5;
} // namespace

THeaderControl::THeaderControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    FWidth = 200;
    FHeight = 20;
    FColor = clBtnFace;
    FBrush.SetColor(FColor);
    ControlStyle |= csCaptureMouse;
}

void THeaderControl::CreateParams(TCreateParams& P)
{
    TCustomControl::CreateParams(P);
    P.WinClassName = "SysHeader32";
}

const THeaderSection& THeaderControl::Section(int AIndex) const
{
    if (AIndex < 0 || AIndex >= SectionCount())
        throw EListError("List index out of bounds (" + std::to_string(AIndex) + ")");
    return FSections[size_t(AIndex)];
}

void THeaderControl::SetSections(std::vector<THeaderSection> ASections)
{
    FSections = std::move(ASections);
    if (FPressed >= SectionCount())
        FPressed = -1;
    if (FTracking >= SectionCount())
        FTracking = -1;
    Invalidate();
}

void THeaderControl::SetSectionWidth(int AIndex, int AWidth)
{
    const THeaderSection& s = Section(AIndex);
    AWidth = std::max(AWidth, std::max(0, s.MinWidth));
    if (s.MaxWidth > 0)
        AWidth = std::min(AWidth, s.MaxWidth);
    if (AWidth == s.Width)
        return;
    FSections[size_t(AIndex)].Width = AWidth;
    Invalidate();
}

TRect THeaderControl::SectionRect(int AIndex) const
{
    if (AIndex < 0 || AIndex >= SectionCount())
        return TRect{};
    int x = 0;
    for (int i = 0; i < AIndex; ++i)
        x += FSections[size_t(i)].Width;
    return Rect(x, 0, x + FSections[size_t(AIndex)].Width, FHeight);
}

THDHitTestInfo THeaderControl::HitTest(TPoint P) const
{
    THDHitTestInfo info;
    info.Pt = P;
    if (P.Y < 0 || P.Y >= FHeight || P.X < 0) {
        info.Flags = HHT_NOWHERE;
        return info;
    }
    // A divider is grabbed by a visible section ending near the point, so
    // columns hidden at width 0 beside a visible one do not take its divider.
    int x = 0, divider = -1;
    for (int i = 0; i < SectionCount(); ++i) {
        int w = FSections[size_t(i)].Width;
        x += w;
        if (std::abs(P.X - x) <= kDividerZone && (divider < 0 || (FSections[size_t(divider)].Width == 0 && w > 0)))
            divider = i;
    }
    if (divider >= 0) {
        info.Flags = HHT_ONDIVIDER;
        info.Item = divider;
        return info;
    }
    for (int i = 0; i < SectionCount(); ++i)
        if (PtInRect(SectionRect(i), P)) {
            info.Flags = HHT_ONHEADER;
            info.Item = i;
            return info;
        }
    info.Flags = HHT_NOWHERE | HHT_TORIGHT;
    return info;
}

void THeaderControl::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case HDM_GETITEMCOUNT: M.Result = SectionCount(); return;
    case HDM_GETITEMRECT:
        if (auto* r = reinterpret_cast<TRect*>(M.LParam); r && int(M.WParam) >= 0 && int(M.WParam) < SectionCount()) {
            *r = SectionRect(int(M.WParam));
            M.Result = 1;
        } else {
            M.Result = 0;
        }
        return;
    case HDM_HITTEST:
        if (auto* h = reinterpret_cast<THDHitTestInfo*>(M.LParam)) {
            *h = HitTest(h->Pt);
            M.Result = h->Item;
        } else {
            M.Result = -1;
        }
        return;
    case HDM_GETORDERARRAY: {
        auto* order = reinterpret_cast<int*>(M.LParam);
        int n = int(M.WParam);
        if (!order || n != SectionCount()) {
            M.Result = 0;
            return;
        }
        for (int i = 0; i < n; ++i)
            order[i] = i;
        M.Result = 1;
        return;
    }
    default: TCustomControl::Dispatch(M);
    }
}

void THeaderControl::DrawSection(TCanvas* C, int AIndex, const TRect& ARect, bool APressed)
{
    const THeaderSection& s = FSections[size_t(AIndex)];
    TRect r = ARect;
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(r);
    if (APressed)
        Frame3D(C, r, clBtnShadow, clBtnShadow, 1);
    else
        Frame3D(C, r, clBtnHighlight, clBtnShadow, 1);
    TRect text = Rect(ARect.Left + kTextMargin, ARect.Top, ARect.Right - kTextMargin, ARect.Bottom);
    if (APressed)
        text = OffsetRect(text, 1, 1);
    if (Images && s.ImageIndex >= 0 && s.ImageIndex < Images->Count()) {
        Images->Draw(C, text.Left, text.Top + (text.Height() - Images->Height()) / 2, s.ImageIndex, FEnabled);
        text.Left += Images->Width() + 4;
    }
    if (text.IsEmpty())
        return;
    HDC dc = C->Handle();
    SelectObject(dc, FFont.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(FEnabled ? clBtnText : clGrayText));
    UINT align = s.Alignment == taRightJustify ? DT_RIGHT : s.Alignment == taCenter ? DT_CENTER : DT_LEFT;
    DrawText(dc, s.Text, &text, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void THeaderControl::Paint()
{
    TCanvas* c = Canvas();
    TRect clip = c->ClipRect();
    int right = 0;
    for (int i = 0; i < SectionCount(); ++i) {
        TRect r = SectionRect(i);
        right = r.Right;
        if (r.IsEmpty() || IntersectRect(r, clip).IsEmpty())
            continue;
        DrawSection(c, i, r, i == FPressed && FPressedIn);
    }
    TRect rest = Rect(right, 0, std::max(right, FWidth), FHeight);
    if (!rest.IsEmpty()) {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(rest);
        Frame3D(c, rest, clBtnHighlight, clBtnShadow, 1);
    }
}

void THeaderControl::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TCustomControl::MouseDown(AButton, AShift, X, Y);
    if (AButton != mbLeft)
        return;
    THDHitTestInfo hit = HitTest(Point(X, Y));
    if (hit.Flags & HHT_ONDIVIDER) {
        FTracking = hit.Item;
        FTrackStart = X;
        FTrackWidth = FSections[size_t(hit.Item)].Width;
    } else if (hit.Flags & HHT_ONHEADER) {
        FPressed = hit.Item;
        FPressedIn = true;
        InvalidateRect(Handle(), nullptr, false);
    }
}

void THeaderControl::MouseMove(TShiftState AShift, int X, int Y)
{
    TCustomControl::MouseMove(AShift, X, Y);
    if (FTracking >= 0) {
        int before = FSections[size_t(FTracking)].Width;
        SetSectionWidth(FTracking, FTrackWidth + X - FTrackStart);
        if (FSections[size_t(FTracking)].Width != before && OnSectionResize)
            OnSectionResize(this, FTracking);
        return;
    }
    if (FPressed >= 0) {
        bool in = PtInRect(SectionRect(FPressed), Point(X, Y));
        if (in != FPressedIn) {
            FPressedIn = in;
            Invalidate();
        }
        return;
    }
    Cursor = (HitTest(Point(X, Y)).Flags & HHT_ONDIVIDER) ? crSizeWE : crDefault;
}

void THeaderControl::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TCustomControl::MouseUp(AButton, AShift, X, Y);
    if (AButton != mbLeft)
        return;
    FTracking = -1;
    int pressed = FPressed;
    bool in = FPressedIn && PtInRect(SectionRect(pressed), Point(X, Y));
    FPressed = -1;
    FPressedIn = false;
    if (pressed >= 0) {
        Invalidate();
        if (in && OnSectionClick)
            OnSectionClick(this, pressed);
    }
}

void THeaderControl::Notification(TComponent* AComponent, TOperation AOperation)
{
    TCustomControl::Notification(AComponent, AOperation);
    if (AOperation == opRemove && AComponent == Images)
        Images = nullptr;
}

} // namespace platform
