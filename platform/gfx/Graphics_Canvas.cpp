// TCanvas: the class library's drawing surface over a device context.

#include "platform/gfx/Graphics.h"

#include <algorithm>

namespace platform {

TCanvas::TCanvas()
{
    FFont.OnChange = [this](TObject*) { FState &= ~unsigned(csFontValid); };
    FPen.OnChange = [this](TObject*) { FState &= ~unsigned(csPenValid); };
    FBrush.OnChange = [this](TObject*) { FState &= ~unsigned(csBrushValid); };
}

TCanvas::~TCanvas()
{
    DeselectHandles();
}

HDC TCanvas::Handle()
{
    if (FHandle == nullptr)
        CreateHandle();
    // Whoever draws on the device context itself draws with the canvas's
    // font, pen and brush, as the canvas's own text and shapes do.
    if (FHandle != nullptr)
        RequiredState(csHandleValid | csFontValid | csPenValid | csBrushValid);
    return FHandle;
}

void TCanvas::SetHandle(HDC AValue)
{
    if (AValue == FHandle)
        return;
    DeselectHandles();
    FHandle = AValue;
    FState = FHandle != nullptr ? unsigned(csHandleValid) : 0u;
}

void TCanvas::DeselectHandles()
{
    if (FHandle != nullptr && (FState & (csFontValid | csPenValid | csBrushValid))) {
        SelectObject(FHandle, GetStockObject(BLACK_PEN));
        SelectObject(FHandle, GetStockObject(WHITE_BRUSH));
        SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
    }
    FState &= ~unsigned(csFontValid | csPenValid | csBrushValid);
}

void TCanvas::Refresh()
{
    DeselectHandles();
}

void TCanvas::RequiredState(unsigned AState)
{
    unsigned Needed = AState & ~FState;
    if (Needed == 0)
        return;
    if (Needed & csHandleValid) {
        CreateHandle();
        if (FHandle == nullptr)
            throw EInvalidOperation("Canvas does not allow drawing");
        FState |= csHandleValid;
    }
    if (Needed & csFontValid) {
        SelectObject(FHandle, FFont.Handle());
        SetTextColor(FHandle, ColorToRGB(FFont.Color()));
        FState |= csFontValid;
    }
    if (Needed & csPenValid) {
        SelectObject(FHandle, FPen.Handle());
        SetROP2(FHandle, PenModeToRop2(FPen.Mode()));
        FState |= csPenValid;
    }
    if (Needed & csBrushValid) {
        SelectObject(FHandle, FBrush.Handle());
        SetBkColor(FHandle, ColorToRGB(FBrush.Color()));
        SetBkMode(FHandle, FBrush.Style() == bsSolid ? OPAQUE : TRANSPARENT);
        FState |= csBrushValid;
    }
}

void TCanvas::Changing()
{
    if (OnChanging)
        OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange)
        OnChange(this);
}

TPoint TCanvas::PenPos()
{
    RequiredState(csHandleValid);
    TPoint P;
    GetCurrentPositionEx(FHandle, &P);
    return P;
}

void TCanvas::MoveTo(int AX, int AY)
{
    RequiredState(csHandleValid);
    MoveToEx(FHandle, AX, AY, nullptr);
}

void TCanvas::LineTo(int AX, int AY)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    platform::LineTo(FHandle, AX, AY);
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& APoints)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    platform::Polyline(FHandle, APoints.data(), int(APoints.size()));
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& APoints)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    platform::Polygon(FHandle, APoints.data(), int(APoints.size()));
    Changed();
}

void TCanvas::Rectangle(int AX1, int AY1, int AX2, int AY2)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    platform::Rectangle(FHandle, AX1, AY1, AX2, AY2);
    Changed();
}

void TCanvas::RoundRect(int AX1, int AY1, int AX2, int AY2, int AX3, int AY3)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    platform::RoundRect(FHandle, AX1, AY1, AX2, AY2, AX3, AY3);
    Changed();
}

void TCanvas::Ellipse(int AX1, int AY1, int AX2, int AY2)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    platform::Ellipse(FHandle, AX1, AY1, AX2, AY2);
    Changed();
}

void TCanvas::FillRect(const TRect& ARect)
{
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    platform::FillRect(FHandle, &ARect, FBrush.Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& ARect)
{
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    platform::FrameRect(FHandle, &ARect, FBrush.Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& ARect)
{
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    platform::DrawFocusRect(FHandle, &ARect);
    Changed();
}

TColor TCanvas::Pixels(int AX, int AY)
{
    RequiredState(csHandleValid);
    COLORREF C = GetPixel(FHandle, AX, AY);
    return C == CLR_INVALID ? TColor(-1) : TColor(C);
}

void TCanvas::SetPixels(int AX, int AY, TColor AValue)
{
    Changing();
    RequiredState(csHandleValid | csPenValid);
    SetPixel(FHandle, AX, AY, ColorToRGB(AValue));
    Changed();
}

void TCanvas::Draw(int AX, int AY, TGraphic* AGraphic)
{
    if (AGraphic == nullptr || AGraphic->Empty())
        return;
    Changing();
    RequiredState(csHandleValid);
    AGraphic->Draw(this, Rect(AX, AY, AX + AGraphic->Width(), AY + AGraphic->Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& ARect, TGraphic* AGraphic)
{
    if (AGraphic == nullptr || AGraphic->Empty())
        return;
    Changing();
    RequiredState(csHandleValid);
    AGraphic->Draw(this, ARect);
    Changed();
}

void TCanvas::CopyRect(const TRect& ADest, TCanvas* ACanvas, const TRect& ASource)
{
    if (ACanvas == nullptr)
        return;
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ACanvas->RequiredState(csHandleValid | csBrushValid);
    SetStretchBltMode(FHandle, COLORONCOLOR);
    StretchBlt(FHandle, ADest.Left, ADest.Top, ADest.Width(), ADest.Height(), ACanvas->FHandle, ASource.Left,
               ASource.Top, ASource.Width(), ASource.Height(), CopyMode);
    Changed();
}

void TCanvas::TextOut(int AX, int AY, std::string_view AText)
{
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    ExtTextOut(FHandle, AX, AY, 0, nullptr, AText);
    MoveTo(AX + TextWidth(AText), AY);
    Changed();
}

void TCanvas::TextRect(const TRect& ARect, int AX, int AY, std::string_view AText)
{
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    UINT Options = ETO_CLIPPED;
    if (FBrush.Style() != bsClear)
        Options |= ETO_OPAQUE;
    ExtTextOut(FHandle, AX, AY, Options, &ARect, AText);
    Changed();
}

TSize TCanvas::TextExtent(std::string_view AText)
{
    RequiredState(csHandleValid | csFontValid);
    TSize S;
    GetTextExtentPoint32(FHandle, AText, &S);
    return S;
}

TRect TCanvas::ClipRect()
{
    RequiredState(csHandleValid);
    TRect R;
    GetClipBox(FHandle, &R);
    return R;
}

void TCanvas::Lock()
{
    FLock.Enter();
    ++FLockCount;
}

void TCanvas::Unlock()
{
    --FLockCount;
    FLock.Leave();
}

bool TCanvas::TryLock()
{
    if (!FLock.TryEnter())
        return false;
    ++FLockCount;
    return true;
}

void Frame3D(TCanvas* ACanvas, TRect& ARect, TColor ATopColor, TColor ABottomColor, int AWidth)
{
    // Each ring: the top and left edges in the top colour, then the right
    // and bottom edges (one pixel further) in the bottom colour.
    TPen* Pen = ACanvas->Pen();
    Pen->SetWidth(1);
    --ARect.Bottom;
    --ARect.Right;
    for (int I = 0; I < AWidth; ++I) {
        Pen->SetColor(ATopColor);
        ACanvas->Polyline({{ARect.Left, ARect.Bottom}, {ARect.Left, ARect.Top}, {ARect.Right, ARect.Top}});
        Pen->SetColor(ABottomColor);
        ACanvas->Polyline(
            {{ARect.Right, ARect.Top}, {ARect.Right, ARect.Bottom}, {ARect.Left - 1, ARect.Bottom}});
        ARect = {ARect.Left + 1, ARect.Top + 1, ARect.Right - 1, ARect.Bottom - 1};
    }
    ++ARect.Bottom;
    ++ARect.Right;
}

} // namespace platform
