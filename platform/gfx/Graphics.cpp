// Colours, fonts, pens and brushes of the graphics unit.

#include "platform/gfx/Graphics.h"

#include <cmath>
#include <cstring>

namespace platform {

COLORREF ColorToRGB(TColor AColor)
{
    if (AColor < 0)
        return GetSysColor(AColor & 0xFF);
    return COLORREF(AColor);
}

int MulDiv(int ANumber, int ANumerator, int ADenominator)
{
    if (ADenominator == 0)
        return -1;
    int64_t P = int64_t(ANumber) * ANumerator;
    // Rounds half away from zero, as the platform does.
    int64_t Half = std::abs(int64_t(ADenominator)) / 2;
    int64_t R = ((P < 0) != (ADenominator < 0)) ? (P - (P < 0 ? Half : -Half)) / ADenominator
                                                 : (P + (P < 0 ? -Half : Half)) / ADenominator;
    return int(R);
}

void TGraphicsObject::Changed()
{
    if (OnChange)
        OnChange(this);
}

// ---- TFont

TFont::TFont() = default;

TFont::~TFont()
{
    DeleteObject(FHandle);
}

void TFont::Changed()
{
    if (FHandle != nullptr) {
        DeleteObject(FHandle);
        FHandle = nullptr;
    }
    TGraphicsObject::Changed();
}

void TFont::Assign(TPersistent* ASource)
{
    auto* F = dynamic_cast<TFont*>(ASource);
    if (F == nullptr) {
        TPersistent::Assign(ASource);
        return;
    }
    FName = F->FName;
    FHeight = F->FHeight;
    FStyle = F->FStyle;
    FColor = F->FColor;
    FCharset = F->FCharset;
    FPitch = F->FPitch;
    PixelsPerInch = F->PixelsPerInch;
    Changed();
}

void TFont::SetName(const std::string& AValue)
{
    if (AValue.empty() || AValue == FName)
        return;
    FName = AValue;
    Changed();
}

void TFont::SetHeight(int AValue)
{
    if (AValue == FHeight)
        return;
    FHeight = AValue;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(FHeight, 72, PixelsPerInch);
}

void TFont::SetSize(int AValue)
{
    SetHeight(-MulDiv(AValue, PixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles AValue)
{
    if (AValue == FStyle)
        return;
    FStyle = AValue;
    Changed();
}

void TFont::SetColor(TColor AValue)
{
    if (AValue == FColor)
        return;
    FColor = AValue;
    Changed();
}

void TFont::SetCharset(TFontCharset AValue)
{
    if (AValue == FCharset)
        return;
    FCharset = AValue;
    Changed();
}

void TFont::SetPitch(TFontPitch AValue)
{
    if (AValue == FPitch)
        return;
    FPitch = AValue;
    Changed();
}

HFONT TFont::Handle()
{
    if (FHandle == nullptr) {
        LOGFONT L;
        L.lfHeight = FHeight;
        L.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        L.lfItalic = FStyle.Contains(fsItalic);
        L.lfUnderline = FStyle.Contains(fsUnderline);
        L.lfStrikeOut = FStyle.Contains(fsStrikeOut);
        L.lfCharSet = FCharset;
        L.lfPitchAndFamily = BYTE(FPitch);
        std::strncpy(L.lfFaceName, FName.c_str(), sizeof(L.lfFaceName) - 1);
        FHandle = CreateFontIndirect(L);
    }
    return FHandle;
}

// ---- TPen

int PenModeToRop2(TPenMode AMode)
{
    static const int Table[] = {
        R2_BLACK, R2_WHITE, R2_NOP, R2_NOT, R2_COPYPEN, R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
        R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN, R2_MASKPEN, R2_NOTMASKPEN, R2_XORPEN,
        R2_NOTXORPEN,
    };
    return Table[AMode];
}

TPen::~TPen()
{
    DeleteObject(FHandle);
}

void TPen::Changed()
{
    if (FHandle != nullptr) {
        DeleteObject(FHandle);
        FHandle = nullptr;
    }
    TGraphicsObject::Changed();
}

void TPen::Assign(TPersistent* ASource)
{
    auto* P = dynamic_cast<TPen*>(ASource);
    if (P == nullptr) {
        TPersistent::Assign(ASource);
        return;
    }
    FColor = P->FColor;
    FWidth = P->FWidth;
    FStyle = P->FStyle;
    FMode = P->FMode;
    Changed();
}

void TPen::SetColor(TColor AValue)
{
    if (AValue != FColor) {
        FColor = AValue;
        Changed();
    }
}
void TPen::SetWidth(int AValue)
{
    if (AValue >= 0 && AValue != FWidth) {
        FWidth = AValue;
        Changed();
    }
}
void TPen::SetStyle(TPenStyle AValue)
{
    if (AValue != FStyle) {
        FStyle = AValue;
        Changed();
    }
}
void TPen::SetMode(TPenMode AValue)
{
    if (AValue != FMode) {
        FMode = AValue;
        Changed();
    }
}

HPEN TPen::Handle()
{
    if (FHandle == nullptr) {
        static const int Styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        FHandle = CreatePen(Styles[FStyle], FWidth, ColorToRGB(FColor));
    }
    return FHandle;
}

// ---- TBrush

TBrush::~TBrush()
{
    DeleteObject(FHandle);
}

void TBrush::Changed()
{
    if (FHandle != nullptr) {
        DeleteObject(FHandle);
        FHandle = nullptr;
    }
    TGraphicsObject::Changed();
}

void TBrush::Assign(TPersistent* ASource)
{
    auto* B = dynamic_cast<TBrush*>(ASource);
    if (B == nullptr) {
        TPersistent::Assign(ASource);
        return;
    }
    FColor = B->FColor;
    FStyle = B->FStyle;
    Changed();
}

void TBrush::SetColor(TColor AValue)
{
    if (AValue == FColor && FStyle != bsClear)
        return;
    FColor = AValue;
    // Giving a clear brush a colour makes it solid, as the class library does.
    if (FStyle == bsClear)
        FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle AValue)
{
    if (AValue != FStyle) {
        FStyle = AValue;
        Changed();
    }
}

HBRUSH TBrush::Handle()
{
    if (FHandle == nullptr) {
        COLORREF C = ColorToRGB(FColor);
        if (FStyle == bsClear) {
            FHandle = HBRUSH(GetStockObject(NULL_BRUSH));
        } else if (FStyle == bsSolid) {
            FHandle = CreateSolidBrush(C);
        } else {
            FHandle = CreateHatchBrush(int(FStyle) - int(bsHorizontal), C);
        }
    }
    return FHandle;
}

} // namespace platform
