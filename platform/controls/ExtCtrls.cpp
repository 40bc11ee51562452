#include "platform/controls/ExtCtrls.h"

#include "platform/controls/Forms.h"

namespace platform {

// ---- TTimer

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer()
{
    if (FId)
        KillTimer(nullptr, FId);
}

void TTimer::SetEnabled(bool AValue)
{
    if (FEnabled == AValue)
        return;
    FEnabled = AValue;
    UpdateTimer();
}

void TTimer::SetInterval(uint32_t AValue)
{
    if (FInterval == AValue)
        return;
    FInterval = AValue;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent AValue)
{
    FOnTimer = std::move(AValue);
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (FId) {
        KillTimer(nullptr, FId);
        FId = 0;
    }
    if (FEnabled && FInterval > 0 && FOnTimer)
        FId = SetTimer(nullptr, 0, FInterval, [this](HWND, UINT, uintptr_t, uint32_t) {
            try {
                Timer();
            } catch (...) {
                Application()->HandleException(this);
            }
        });
}

void TTimer::Timer()
{
    if (FOnTimer)
        FOnTimer(this);
}

// ---- TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    ControlStyle |= csAcceptsControls | csOpaque;
    FColor = clBtnFace;
    FBrush.SetColor(FColor);
    FWidth = 185;
    FHeight = 41;
}

void TCustomPanel::AdjustClientRect(TRect& ARect)
{
    int inset = FBorderWidth;
    if (FBevelOuter != bvNone)
        inset += FBevelWidth;
    if (FBevelInner != bvNone)
        inset += FBevelWidth;
    ARect = Rect(ARect.Left + inset, ARect.Top + inset, ARect.Right - inset, ARect.Bottom - inset);
}

void TCustomPanel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(FColor);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
    if (FBevelOuter != bvNone)
        Frame3D(c, r, FBevelOuter == bvLowered ? clBtnShadow : clBtnHighlight,
                FBevelOuter == bvLowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
    r = Rect(r.Left + FBorderWidth, r.Top + FBorderWidth, r.Right - FBorderWidth, r.Bottom - FBorderWidth);
    if (FBevelInner != bvNone)
        Frame3D(c, r, FBevelInner == bvLowered ? clBtnShadow : clBtnHighlight,
                FBevelInner == bvLowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
    if (!ShowCaption || FText.empty())
        return;
    c->SetFont(Font());
    c->Brush()->SetStyle(bsClear);
    UINT format = DT_SINGLELINE | DT_EXPANDTABS;
    format |= Alignment == taLeftJustify ? DT_LEFT : Alignment == taRightJustify ? DT_RIGHT : DT_CENTER;
    format |= VerticalAlignment == taAlignTop ? DT_TOP : VerticalAlignment == taAlignBottom ? DT_BOTTOM : DT_VCENTER;
    HDC dc = c->Handle();
    SelectObject(dc, c->Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    DrawText(dc, FText, &r, format);
}

// ---- TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FWidth = 105;
    FHeight = 105;
    FPicture.OnChange = [this](TObject*) { Invalidate(); };
}

void TImage::Paint()
{
    TGraphic* g = FPicture.Graphic();
    if (!g || g->Empty())
        return;
    g->SetTransparent(Transparent);
    TRect r;
    if (Stretch)
        r = Rect(0, 0, FWidth, FHeight);
    else if (Center)
        r = Bounds((FWidth - g->Width()) / 2, (FHeight - g->Height()) / 2, g->Width(), g->Height());
    else
        r = Bounds(0, 0, g->Width(), g->Height());
    Canvas()->StretchDraw(r, g);
}

// ---- TBevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FWidth = 50;
    FHeight = 50;
}

void TBevel::Paint()
{
    TCanvas* c = Canvas();
    TColor first = Style == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor second = Style == bsLowered ? clBtnHighlight : clBtnShadow;
    TRect r = Rect(0, 0, FWidth, FHeight);
    auto line = [&](TColor AColor, int X1, int Y1, int X2, int Y2) {
        c->Pen()->SetColor(AColor);
        c->MoveTo(X1, Y1);
        c->LineTo(X2, Y2);
    };
    switch (Shape) {
    case bsBox: Frame3D(c, r, first, second, 1); break;
    case bsFrame: {
        TRect inner = Rect(1, 1, FWidth, FHeight);
        Frame3D(c, inner, second, second, 1);
        TRect outer = Rect(0, 0, FWidth - 1, FHeight - 1);
        Frame3D(c, outer, first, first, 1);
        break;
    }
    case bsTopLine: line(first, 0, 0, FWidth, 0); line(second, 0, 1, FWidth, 1); break;
    case bsBottomLine: line(first, 0, FHeight - 2, FWidth, FHeight - 2); line(second, 0, FHeight - 1, FWidth, FHeight - 1); break;
    case bsLeftLine: line(first, 0, 0, 0, FHeight); line(second, 1, 0, 1, FHeight); break;
    case bsRightLine: line(first, FWidth - 2, 0, FWidth - 2, FHeight); line(second, FWidth - 1, 0, FWidth - 1, FHeight); break;
    case bsSpacer: break;
    }
}

} // namespace platform
