#include "platform/controls/ComCtrls.h"

#include <algorithm>

namespace platform {

TProgressBar::TProgressBar(TComponent* AOwner) : TCustomControl(AOwner)
{
    FWidth = 150;
    FHeight = 16;
    FColor = clBtnFace;
    FBrush.SetColor(FColor);
}

void TProgressBar::SetRange(int AMin, int AMax)
{
    FMin = AMin;
    FMax = std::max(AMin, AMax);
    FPosition = std::clamp(FPosition, FMin, FMax);
    Invalidate();
}

void TProgressBar::SetMin(int AValue) { SetRange(AValue, std::max(AValue, FMax)); }
void TProgressBar::SetMax(int AValue) { SetRange(std::min(FMin, AValue), AValue); }

void TProgressBar::SetPosition(int AValue)
{
    AValue = std::clamp(AValue, FMin, FMax);
    if (AValue == FPosition)
        return;
    FPosition = AValue;
    Invalidate();
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

} // namespace platform
