#include "skin/core/bseffects_EffectBmp.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/gfx/Graphics.h"
#include "skin/core/bseffects.h"

namespace skin {

using namespace platform;

namespace {

uint32_t GRandSeed = 0;

inline uint8_t Mixed(double AValue) { return ClampByte(RoundEven(AValue)); }

double ClampUnit(double AValue) { return AValue >= 0 ? std::min(AValue, 1.0) : 0.0; }

} // namespace

// The classic linear congruential generator of the run-time library.
int Random(int ARange)
{
    GRandSeed = GRandSeed * 134775813u + 1u;
    return ARange <= 1 ? 0 : int((uint64_t(GRandSeed) * uint64_t(ARange)) >> 32);
}

void RandSeed(uint32_t ASeed) { GRandSeed = ASeed; }

// ---- construction and drawing

void TbsEffectBmp::Allocate(int cx, int cy)
{
    BmpHeader = BITMAPINFOHEADER{};
    BmpHeader.biWidth = cx;
    BmpHeader.biHeight = -cy;
    BmpHeader.biBitCount = 24;
    BmpInfo.bmiHeader = BmpHeader;
    void* P = nullptr;
    Handle = cx > 0 && cy > 0 ? CreateDIBSection(nullptr, &BmpInfo, DIB_RGB_COLORS, &P) : nullptr;
    if (Handle == nullptr || P == nullptr) {
        Handle = nullptr;
        return;
    }
    Width = cx;
    Height = cy;
    Size = RowLength() * Height;
    Bits = static_cast<uint8_t*>(P);
}

TbsEffectBmp::TbsEffectBmp(int cx, int cy) { Allocate(cx, cy); }

TbsEffectBmp* TbsEffectBmp::CreateFromhWnd(HBITMAP hBmp)
{
    auto* E = new TbsEffectBmp();
    BITMAP B;
    if (hBmp == nullptr || GetObjectW(hBmp, int(sizeof(B)), &B) == 0)
        return E;
    E->Allocate(B.bmWidth, std::abs(B.bmHeight));
    if (E->Bits != nullptr) {
        HDC DC = CreateCompatibleDC(nullptr);
        GetDIBits(DC, hBmp, 0, UINT(E->Height), E->Bits, &E->BmpInfo, DIB_RGB_COLORS);
        DeleteDC(DC);
    }
    return E;
}

TbsEffectBmp* TbsEffectBmp::CreateCopy(const TbsEffectBmp& hBmp)
{
    auto* E = new TbsEffectBmp();
    E->Allocate(hBmp.Width, hBmp.Height);
    if (E->Bits != nullptr)
        std::memcpy(E->Bits, hBmp.Bits, size_t(E->Size));
    return E;
}

TbsEffectBmp::~TbsEffectBmp()
{
    if (Handle != nullptr)
        DeleteObject(Handle);
}

uint32_t TbsEffectBmp::GetPixel(int x, int y) const
{
    const uint8_t* P = GetScanLinePtr(y) + x * 3;
    return uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16;
}

void TbsEffectBmp::PutPixel(int x, int y, uint32_t c)
{
    uint8_t* P = GetScanLinePtr(y) + x * 3;
    P[0] = uint8_t(c);
    P[1] = uint8_t(c >> 8);
    P[2] = uint8_t(c >> 16);
}

void TbsEffectBmp::GetScanLine(int y, uint8_t* Line) const { std::memcpy(Line, GetScanLinePtr(y), size_t(Width) * 3); }
void TbsEffectBmp::SetScanLine(int y, const uint8_t* Line) { std::memcpy(GetScanLinePtr(y), Line, size_t(Width) * 3); }

void TbsEffectBmp::Draw(HDC hDC, int x, int y)
{
    if (Bits != nullptr)
        SetDIBitsToDevice(hDC, x, y, DWORD(Width), DWORD(Height), 0, 0, 0, UINT(Height), Bits, &BmpInfo,
                          DIB_RGB_COLORS);
}

void TbsEffectBmp::Stretch(HDC hDC, int x, int y, int cx, int cy)
{
    if (Bits != nullptr)
        StretchDIBits(hDC, x, y, cx, cy, 0, 0, Width, Height, Bits, &BmpInfo, DIB_RGB_COLORS, SRCCOPY);
}

// Copies the block (x, y, cx, cy) upright to (hx, hy). The old call passed
// heights of 1 - cy to turn the bottom-up row counting of the DIB functions
// round and so lost a row (a block one row high drew nothing); the block is
// cut out here and copied as it is.
void TbsEffectBmp::DrawRect(HDC hDC, int hx, int hy, int x, int y, int cx, int cy)
{
    x = std::max(x, 0);
    y = std::max(y, 0);
    cx = std::min(cx, Width - x);
    cy = std::min(cy, Height - y);
    if (Bits == nullptr || cx <= 0 || cy <= 0)
        return;
    TBitmap Block;
    Block.SetPixelFormat(pf24bit);
    Block.SetSize(cx, cy);
    for (int Row = 0; Row < cy; ++Row)
        std::memcpy(Block.ScanLine(Row), GetScanLinePtr(y + Row) + x * 3, size_t(cx) * 3);
    BitBlt(hDC, hx, hy, cx, cy, Block.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---- filters

template <class F> void TbsEffectBmp::ForEachChannel(F AChange)
{
    std::vector<uint8_t> Row(size_t(Width) * 3);
    for (int y = 0; y < Height; ++y) {
        GetScanLine(y, Row.data());
        for (uint8_t& C : Row)
            C = AChange(C);
        SetScanLine(y, Row.data());
    }
}

void TbsEffectBmp::ChangeBrightness(double Kf)
{
    Kf = ClampUnit(Kf);
    ForEachChannel([&](uint8_t C) { return Mixed((1 - Kf) * C + Kf * 255); });
}

void TbsEffectBmp::ChangeDarkness(double Kf)
{
    Kf = ClampUnit(Kf);
    ForEachChannel([&](uint8_t C) { return Mixed((1 - Kf) * C); });
}

void TbsEffectBmp::Invert()
{
    ForEachChannel([](uint8_t C) { return uint8_t(C ^ 255); });
}

void TbsEffectBmp::GrayScale()
{
    std::vector<uint8_t> Row(size_t(Width) * 3);
    for (int y = 0; y < Height; ++y) {
        GetScanLine(y, Row.data());
        for (size_t I = 0; I < Row.size(); I += 3) {
            uint8_t G = Mixed(0.3 * Row[I + 2] + 0.59 * Row[I + 1] + 0.11 * Row[I]);
            Row[I] = Row[I + 1] = Row[I + 2] = G;
        }
        SetScanLine(y, Row.data());
    }
}

void TbsEffectBmp::AddMonoNoise(int Amount)
{
    std::vector<uint8_t> Row(size_t(Width) * 3);
    for (int y = 0; y < Height; ++y) {
        GetScanLine(y, Row.data());
        for (size_t I = 0; I < Row.size(); I += 3) {
            int R = Random(Amount) - Amount / 2;
            for (size_t C = 0; C < 3; ++C)
                Row[I + C] = ClampByte(Row[I + C] + R);
        }
        SetScanLine(y, Row.data());
    }
}

void TbsEffectBmp::AddColorNoise(int Amount)
{
    std::vector<uint8_t> Row(size_t(Width) * 3);
    for (int y = 0; y < Height; ++y) {
        GetScanLine(y, Row.data());
        for (size_t I = 0; I < Row.size(); I += 3)
            for (size_t C : {2, 1, 0}) // drawn in the order red, green, blue
                Row[I + C] = ClampByte(Row[I + C] + Random(Amount) - Amount / 2);
        SetScanLine(y, Row.data());
    }
}

// Neighbours past the far edge are mirrored as Height - y (Width - x); an
// amount as large as the image would still land outside, so those are
// kept inside the image.
void TbsEffectBmp::SplitBlurPixel(int x, int y, int Amount, int ADownLimit)
{
    auto Near = [](int V, int A) { return V - A < 0 ? V : V - A; };
    auto Far = [](int V, int A, int Limit) { return V + A < Limit ? V + A : Limit - V; };
    int Up = Near(y, Amount), Left = Near(x, Amount);
    int Down = std::clamp(Far(y, Amount, ADownLimit), 0, Height - 1);
    int Right = std::clamp(Far(x, Amount, Width), 0, Width - 1);
    const uint8_t* P[4] = {GetScanLinePtr(Up) + Left * 3, GetScanLinePtr(Down) + Left * 3,
                           GetScanLinePtr(Up) + Right * 3, GetScanLinePtr(Down) + Right * 3};
    uint8_t* Out = GetScanLinePtr(y) + x * 3;
    for (int C = 0; C < 3; ++C)
        Out[C] = uint8_t((P[0][C] + P[1][C] + P[2][C] + P[3][C]) >> 2);
}

void TbsEffectBmp::SplitBlur(int Amount)
{
    if (Amount == 0 || Bits == nullptr)
        return;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            SplitBlurPixel(x, y, Amount, Height);
}

void TbsEffectBmp::Mosaic(int ASize)
{
    if (ASize < 2)
        return;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            PutPixel(x, y, GetPixel(x - x % ASize, y - y % ASize));
}

// ---- geometry

// Every pixel (x, y) to AWhere(x, y) of Dst, when Dst is at least ADstW x ADstH.
template <class F> void TbsEffectBmp::MapInto(TbsEffectBmp& Dst, int ADstW, int ADstH, F AWhere) const
{
    if (Dst.Width < ADstW || Dst.Height < ADstH)
        return;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            auto [DX, DY] = AWhere(x, y);
            Dst.PutPixel(DX, DY, GetPixel(x, y));
        }
}

void TbsEffectBmp::Rotate90_1(TbsEffectBmp& Dst)
{
    MapInto(Dst, Height, Width, [&](int x, int y) { return std::pair(y, Width - 1 - x); });
}

void TbsEffectBmp::Rotate90_2(TbsEffectBmp& Dst)
{
    MapInto(Dst, Height, Width, [&](int x, int y) { return std::pair(Height - 1 - y, x); });
}

void TbsEffectBmp::FlipVert(TbsEffectBmp& Dst)
{
    MapInto(Dst, Width, Height, [&](int x, int y) { return std::pair(x, Height - 1 - y); });
}

void TbsEffectBmp::Resize(TbsEffectBmp& Dst)
{
    if (Width == 0 || Height == 0)
        return;
    double SX = double(Dst.Width - 1) / Width, SY = double(Dst.Height - 1) / Height;
    int BW = RoundEven(SX) + 1, BH = RoundEven(SY) + 1;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            uint32_t C = GetPixel(x, y);
            int X0 = RoundEven(x * SX), Y0 = RoundEven(y * SY);
            for (int J = Y0; J < Y0 + BH; ++J)
                for (int I = X0; I < X0 + BW; ++I)
                    if (I >= 0 && J >= 0 && I < Dst.Width && J < Dst.Height)
                        Dst.PutPixel(I, J, C);
        }
}

void TbsEffectBmp::Wave(int XDIV, int YDIV, int RatioVal)
{
    if (XDIV == 0 || YDIV == 0 || Bits == nullptr)
        return;
    std::vector<uint8_t> Copy(Bits, Bits + Size);
    auto Src = [&](int x, int y) {
        const uint8_t* P = Copy.data() + intptr_t(y) * RowLength() + x * 3;
        return uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16;
    };
    for (int x = 0; x < Width; ++x)
        for (int y = 0; y < Height; ++y) {
            int SX = std::clamp(RoundEven(std::sin(double(y) / YDIV) * RatioVal + x), 0, Width - 1);
            int SY = std::clamp(RoundEven(std::sin(double(x) / XDIV) * RatioVal + y), 0, Height - 1);
            PutPixel(x, y, Src(SX, SY));
        }
}

void TbsEffectBmp::CopyRect(const TbsEffectBmp& BMP, const TRect& Rct, int StartX, int StartY)
{
    int Right = std::min(Rct.Right, Width - 1), Bottom = std::min(Rct.Bottom, Height - 1);
    for (int y = std::max(Rct.Top, 0); y <= Bottom; ++y)
        for (int x = std::max(Rct.Left, 0); x <= Right; ++x) {
            int SX = StartX + x - Rct.Left, SY = StartY + y - Rct.Top;
            // Places outside the source are left as they are.
            if (SX >= 0 && SY >= 0 && SX < BMP.Width && SY < BMP.Height)
                PutPixel(x, y, BMP.GetPixel(SX, SY));
        }
}

// ---- masks

bool TbsEffectBmp::MaskFits(const TbsEffectBmp& Msk) const
{
    return Width != 0 && Height != 0 && Msk.Width == Width && Msk.Height >= Height;
}

bool TbsEffectBmp::MaskWhite(const TbsEffectBmp& Msk, int x, int y) const { return Msk.GetPixel(x, y) == 0xFFFFFF; }

void TbsEffectBmp::MaskFillColor(const TbsEffectBmp& Msk, TColor C, double kf)
{
    if (!MaskFits(Msk))
        return;
    COLORREF RGBColor = ColorToRGB(C);
    const double Colour[3] = {double(GetBValue(RGBColor)), double(GetGValue(RGBColor)), double(GetRValue(RGBColor))};
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (MaskWhite(Msk, x, y))
                continue;
            uint8_t* P = GetScanLinePtr(y) + x * 3;
            for (int I = 0; I < 3; ++I)
                P[I] = Mixed((1 - kf) * P[I] + kf * Colour[I]);
        }
}

void TbsEffectBmp::MaskBlur(const TbsEffectBmp& Msk, int Amount)
{
    if (Amount == 0 || !MaskFits(Msk))
        return;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (!MaskWhite(Msk, x, y))
                SplitBlurPixel(x, y, Amount, Height);
}

void TbsEffectBmp::MaskAntialiasing(const TbsEffectBmp& Msk, int Amount)
{
    if (Amount == 0 || !MaskFits(Msk))
        return;
    auto In = [&](int V, int Limit) { return std::clamp(V, 0, Limit - 1); };
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (MaskWhite(Msk, x, y))
                continue;
            int Up = In(y - Amount < 0 ? y : y - Amount, Msk.Height);
            int Down = In(y + Amount < Msk.Height ? y + Amount : Height - y, Msk.Height);
            int Left = In(x - Amount < 0 ? x : x - Amount, Width);
            int Right = In(x + Amount < Width ? x + Amount : Width - x, Width);
            if (MaskWhite(Msk, Left, Up) || MaskWhite(Msk, Left, Down) || MaskWhite(Msk, Right, Up) ||
                MaskWhite(Msk, Right, Down))
                SplitBlurPixel(x, y, Amount, Height);
        }
}

} // namespace skin
