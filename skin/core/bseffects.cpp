#include "skin/core/bseffects.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/core/Exceptions.h"
#include "skin/core/bseffects_Link.h"

namespace skin {

using namespace platform;

// ---- DC registry: lets a draw into a DC find the TbsBitmap behind it and
// work on its pixels instead of going through the DC.
namespace {

std::vector<TbsBitmap*>& Registry()
{
    static std::vector<TbsBitmap*> List;
    return List;
}

void RegisterBitmapDC(TbsBitmap* ABitmap)
{
    auto& L = Registry();
    if (std::find(L.begin(), L.end(), ABitmap) == L.end())
        L.push_back(ABitmap);
}

void UnregisterBitmapDC(TbsBitmap* ABitmap)
{
    auto& L = Registry();
    L.erase(std::remove(L.begin(), L.end(), ABitmap), L.end());
}

} // namespace

TbsBitmap* FindBitmapByDC(HDC ADC)
{
    if (ADC == nullptr)
        return nullptr;
    for (TbsBitmap* B : Registry())
        if (B->DC() == ADC)
            return B;
    return nullptr;
}

// ---- lifecycle

TbsBitmap::TbsBitmap()
{
    FBitmapInfo.bmiHeader.biSize = 40;
    FBitmapInfo.bmiHeader.biPlanes = 1;
    FBitmapInfo.bmiHeader.biBitCount = 32;
    FBitmapInfo.bmiHeader.biCompression = BI_RGB;
}

TbsBitmap::~TbsBitmap()
{
    if (FCanvas)
        FCanvas->SetHandle(nullptr);
    FCanvas.reset();
    FreeSurface();
}

void TbsBitmap::FreeSurface()
{
    UnregisterBitmapDC(this);
    if (FCanvas)
        FCanvas->SetHandle(nullptr);
    if (FDC != nullptr)
        DeleteDC(FDC);
    if (FHandle != nullptr)
        DeleteObject(FHandle);
    FDC = nullptr;
    FHandle = nullptr;
    FBits = nullptr;
}

void TbsBitmap::SetSize(int AWidth, int AHeight)
{
    AWidth = std::abs(AWidth);
    AHeight = std::abs(AHeight);
    if (AWidth == 0 || AHeight == 0 || (AWidth == FWidth && AHeight == FHeight && !Empty()))
        return;
    FreeSurface();
    FBitmapInfo.bmiHeader.biWidth = AWidth;
    FBitmapInfo.bmiHeader.biHeight = -AHeight;
    void* Bits = nullptr;
    HBITMAP Handle = CreateDIBSection(nullptr, &FBitmapInfo, DIB_RGB_COLORS, &Bits);
    if (Handle == nullptr || Bits == nullptr) {
        if (Handle != nullptr)
            DeleteObject(Handle);
        throw Exception("Can't allocate the DIB handle");
    }
    HDC DC = CreateCompatibleDC(nullptr);
    if (DC == nullptr) {
        DeleteObject(Handle);
        throw Exception("Can't create compatible DC");
    }
    SelectObject(DC, HGDIOBJ(Handle));
    if (GetCurrentObject(DC, OBJ_BITMAP) != HGDIOBJ(Handle)) {
        DeleteDC(DC);
        DeleteObject(Handle);
        throw Exception("Can't bslect an object into DC");
    }
    FHandle = Handle;
    FDC = DC;
    FBits = static_cast<PbsColorArray>(Bits);
    RegisterBitmapDC(this);
    if (FCanvas)
        FCanvas->SetHandle(FDC);
    FWidth = AWidth;
    FHeight = AHeight;
}

void TbsBitmap::Clear(TbsColor AColor)
{
    if (!Empty())
        PixelKernels().FillLine(FBits, FWidth * FHeight, AColor);
}

TCanvas* TbsBitmap::Canvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TCanvas>();
        FCanvas->SetHandle(FDC);
    }
    return FCanvas.get();
}

void TbsBitmap::PutPixel(int AX, int AY, TbsColor AColor)
{
    if (FBits != nullptr && AX >= 0 && AX < FWidth && AY >= 0 && AY < FHeight)
        FBits[AX + AY * FWidth] = AColor;
}

// ---- copying

void TbsBitmap::Assign(TPersistent* ASource)
{
    if (auto* B = dynamic_cast<TbsBitmap*>(ASource)) {
        SetSize(B->Width(), B->Height());
        // An empty source has no pixels to give (the size of this bitmap may
        // differ from its zero size), so only its name and flags come over.
        if (!Empty() && !B->Empty() && B != this)
            std::memcpy(FBits, B->FBits, size_t(FWidth) * size_t(FHeight) * sizeof(TbsColor));
        if (Empty())
            return;
        Name = B->Name;
        Transparent = B->Transparent;
        AlphaBlend = B->AlphaBlend;
        return;
    }
    if (auto* Bmp = dynamic_cast<TBitmap*>(ASource)) {
        AssignFromBitmap(Bmp, Bmp->PixelFormat() == pf32bit);
        return;
    }
    if (auto* Pic = dynamic_cast<TPicture*>(ASource)) {
        if (Pic->Graphic() == nullptr)
            return;
        if (auto* Bmp = dynamic_cast<TBitmap*>(Pic->Graphic()))
            AssignFromBitmap(Bmp, false);
        else
            AssignFromGraphic(Pic->Graphic());
        return;
    }
    if (auto* G = dynamic_cast<TGraphic*>(ASource)) {
        AssignFromGraphic(G);
        return;
    }
    TPersistent::Assign(ASource);
}

void TbsBitmap::AssignFromBitmap(TBitmap* ABitmap, bool AKeepAlpha)
{
    SetSize(ABitmap->Width(), ABitmap->Height());
    if (Empty() || ABitmap->Empty())
        return;
    if (AKeepAlpha) {
        for (int Y = 0; Y < FHeight; ++Y)
            std::memcpy(GetScanLinePtr(Y), ABitmap->ScanLine(Y), size_t(FWidth) * sizeof(TbsColor));
        CheckingAlphaBlend();
        return;
    }
    BitBlt(FDC, 0, 0, FWidth, FHeight, ABitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
    SetAlpha(255);
}

void TbsBitmap::AssignFromGraphic(TGraphic* AGraphic)
{
    SetSize(AGraphic->Width(), AGraphic->Height());
    if (Empty())
        return;
    DrawGraphic(AGraphic, Rect(0, 0, FWidth, FHeight));
    SetAlpha(255);
}

void TbsBitmap::AssignTo(TPersistent* ADest)
{
    TBitmap* Dest = dynamic_cast<TBitmap*>(ADest);
    if (auto* Pic = dynamic_cast<TPicture*>(ADest))
        Dest = Pic->Bitmap();
    if (Dest == nullptr) {
        TPersistent::AssignTo(ADest);
        return;
    }
    Dest->SetPixelFormat(pf32bit);
    Dest->SetSize(FWidth, FHeight);
    if (!Empty())
        Draw(Dest->Canvas(), 0, 0);
}

// The graphic is rendered over magenta; what stays magenta is not copied,
// so see-through parts of the graphic keep this bitmap's pixels.
void TbsBitmap::DrawGraphic(TGraphic* AGraphic, const TRect& ADstRect)
{
    if (Empty() || AGraphic == nullptr)
        return;
    TBitmap Temp;
    Temp.SetPixelFormat(pf32bit);
    Temp.SetSize(FWidth, FHeight);
    TCanvas* C = Temp.Canvas();
    C->Brush()->SetColor(RGB(255, 0, 255));
    C->Brush()->SetStyle(bsSolid);
    C->Rectangle(-1, -1, FWidth + 1, FHeight + 1);
    C->StretchDraw(ADstRect, AGraphic);
    for (int Y = 0; Y < FHeight; ++Y) {
        const auto* Row = reinterpret_cast<const TbsColor*>(Temp.ScanLine(Y));
        for (int X = 0; X < FWidth; ++X)
            if ((Row[X] & 0x00FFFFFF) != 0x00FF00FF)
                PutPixel(X, Y, Row[X]);
    }
}

std::unique_ptr<TbsBitmapLink> TbsBitmap::GetBitmapLink(const TRect& ARect)
{
    auto L = std::make_unique<TbsBitmapLink>();
    L->Image = this;
    L->Name = Name;
    L->Rect = ARect;
    return L;
}

std::unique_ptr<TbsBitmapLink> TbsBitmap::GetBitmapLink(const std::string& ARect)
{
    return GetBitmapLink(StrToRect(ARect));
}

// ---- colour helpers

TbsColor TColorToBsColor(COLORREF AColor)
{
    return 0xFF000000 | ((AColor & 0xFF) << 16) | (AColor & 0xFF00) | ((AColor >> 16) & 0xFF);
}

TbsColor ColorToBsColor(TColor AColor, uint8_t AAlpha)
{
    return (TColorToBsColor(ColorToRGB(AColor)) & 0x00FFFFFF) | (TbsColor(AAlpha) << 24);
}

TbsColor MakeBsColor(int16_t AR, int16_t AG, int16_t AB, uint8_t AA)
{
    return (TbsColor(AA) << 24) | (TbsColor(ClampByte(AR)) << 16) | (TbsColor(ClampByte(AG)) << 8) |
           ClampByte(AB);
}

void RGBToHSL(TbsColor AColor, float& AH, float& AS, float& AL)
{
    float R = float((AColor >> 16) & 0xFF) / 255, G = float((AColor >> 8) & 0xFF) / 255, B = float(AColor & 0xFF) / 255;
    float Max = std::max({R, G, B}), Min = std::min({R, G, B});
    AL = (Max + Min) / 2;
    if (Max == Min) {
        AH = 0;
        AS = 0;
        return;
    }
    float D = Max - Min;
    AS = AL >= 0.5f ? D / (2 - Max - Min) : D / (Max + Min);
    if (Max == R)
        AH = (G - B) / D;
    else if (Max != G)
        AH = (R - G) / D + 4;
    else
        AH = (B - R) / D + 2;
    AH = AH / 6;
    if (AH < 0)
        AH = AH + 1;
}

TbsColor HSLToRGB(float AL, float AS, float AH)
{
    if (AS == 0) {
        TbsColor V = ClampByte(RoundEven(double(AL) * 255));
        return 0xFF000000 | (V << 16) | (V << 8) | V;
    }
    double L = AL, S = AS;
    double M2 = L > 0.5 ? L + S - L * S : L * (1 + S);
    double M1 = 2 * L - M2;
    auto HueValue = [&](double H) {
        H = H - std::floor(H);
        double V;
        if (6 * H < 1)
            V = M1 + (M2 - M1) * 6 * H;
        else if (2 * H < 1)
            V = M2;
        else if (3 * H < 2)
            V = M1 + (M2 - M1) * (2.0 / 3 - H) * 6;
        else
            V = M1;
        return TbsColor(ClampByte(RoundEven(V * 255)));
    };
    double H = AH;
    return 0xFF000000 | (HueValue(H + 1.0 / 3) << 16) | (HueValue(H) << 8) | HueValue(H - 1.0 / 3);
}

} // namespace skin
