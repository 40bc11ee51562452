#include "platform/controls/ComCtrls.h"

#include <algorithm>

namespace platform {

TRangeControl::TRangeControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    FWidth = 150;
    FColor = clBtnFace;
    FBrush.SetColor(FColor);
}

void TRangeControl::SetRange(int AMin, int AMax)
{
    FMin = AMin;
    FMax = std::max(AMin, AMax);
    Invalidate();
    SetPosition(FPosition);
}

void TRangeControl::SetMin(int AValue) { SetRange(AValue, std::max(AValue, FMax)); }
void TRangeControl::SetMax(int AValue) { SetRange(std::min(FMin, AValue), AValue); }

void TRangeControl::SetPosition(int AValue)
{
    AValue = std::clamp(AValue, FMin, FMax);
    if (AValue == FPosition)
        return;
    FPosition = AValue;
    Invalidate();
    Changed();
}

// ---- TProgressBar

TProgressBar::TProgressBar(TComponent* AOwner) : TRangeControl(AOwner)
{
    FHeight = 16;
}

void TProgressBar::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(FColor);
    c->FillRect(r);
    TRect frame = r;
    Frame3D(c, frame, clBtnShadow, clBtnHighlight, 1);
    int range = std::max(1, FMax - FMin);
    c->Brush()->SetColor(clHighlight);
    if (Orientation == pbHorizontal) {
        int filled = frame.Width() * (FPosition - FMin) / range;
        if (Smooth) {
            c->FillRect(Rect(frame.Left, frame.Top, frame.Left + filled, frame.Bottom));
        } else {
            int block = std::max(2, frame.Height() * 2 / 3);
            for (int x = frame.Left; x + block <= frame.Left + filled + block - 1 && x < frame.Left + filled; x += block + 2)
                c->FillRect(Rect(x, frame.Top, std::min(x + block, frame.Right), frame.Bottom));
        }
    } else {
        int filled = frame.Height() * (FPosition - FMin) / range;
        c->FillRect(Rect(frame.Left, frame.Bottom - filled, frame.Right, frame.Bottom));
    }
}

// ---- TTrackBar

TTrackBar::TTrackBar(TComponent* AOwner) : TRangeControl(AOwner)
{
    ControlStyle = csCaptureMouse | csClickEvents;
    FHeight = 45;
    FTabStop = true;
    FMax = 10;
}

void TTrackBar::Changed()
{
    if (OnChange)
        OnChange(this);
}

TRect TTrackBar::ThumbRect() const
{
    // One pixel on each side stays free for the focus frame.
    const int travel = std::max(0, FWidth - 2 - ThumbWidth);
    const int range = std::max(1, FMax - FMin);
    const int left = 1 + int(int64_t(travel) * (FPosition - FMin) / range);
    return Rect(left, 2, left + ThumbWidth, std::max(3, FHeight - 2));
}

// The position whose thumb centre lies nearest to X.
int TTrackBar::PositionAt(int X) const
{
    const int travel = std::max(1, FWidth - 2 - ThumbWidth);
    const int offset = std::clamp(X - 1 - ThumbWidth / 2, 0, travel);
    return FMin + int((int64_t(offset) * (FMax - FMin) + travel / 2) / travel);
}

void TTrackBar::Paint()
{
    TCanvas* c = Canvas();
    const TRect r = ClientRect();
    c->Brush()->SetColor(FColor);
    c->FillRect(r);
    const int middle = r.Height() / 2;
    TRect groove = Rect(ThumbWidth / 2, middle - 2, r.Right - ThumbWidth / 2, middle + 2);
    Frame3D(c, groove, clBtnShadow, clBtnHighlight, 1);
    TRect thumb = ThumbRect();
    c->Brush()->SetColor(FEnabled ? clBtnFace : clBtnShadow);
    c->FillRect(thumb);
    Frame3D(c, thumb, clBtnHighlight, clBtnShadow, 1);
    if (Focused()) {
        c->Brush()->SetColor(clWindowFrame);
        c->FrameRect(r);
    }
}

void TTrackBar::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (AButton == mbLeft) {
        if (CanFocus())
            SetFocus();
        SetPosition(PositionAt(X));
    }
    TCustomControl::MouseDown(AButton, AShift, X, Y);
}

void TTrackBar::MouseMove(TShiftState AShift, int X, int Y)
{
    if (ControlState & csLButtonDown)
        SetPosition(PositionAt(X));
    TCustomControl::MouseMove(AShift, X, Y);
}

void TTrackBar::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    const struct {
        uint16_t Key;
        int Step;
    } steps[] = {{VK_LEFT, -1}, {VK_UP, -1}, {VK_RIGHT, 1}, {VK_DOWN, 1}, {VK_PRIOR, -PageSize}, {VK_NEXT, PageSize}};
    for (const auto& s : steps) {
        if (AKey == s.Key) {
            SetPosition(FPosition + s.Step);
            AKey = 0;
            return;
        }
    }
    if (AKey == VK_HOME || AKey == VK_END) {
        SetPosition(AKey == VK_HOME ? FMin : FMax);
        AKey = 0;
        return;
    }
    TCustomControl::KeyDown(AKey, AShift);
}

} // namespace platform
