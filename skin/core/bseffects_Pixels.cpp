// TbsBitmap: alpha and colour-key analysis, colour adjustments, flips and
// reflections.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "skin/core/bseffects.h"

namespace skin {

using namespace platform;

namespace {

inline int R8(TbsColor C) { return int((C >> 16) & 0xFF); }
inline int G8(TbsColor C) { return int((C >> 8) & 0xFF); }
inline int B8(TbsColor C) { return int(C & 0xFF); }
inline TbsColor WithRGB(TbsColor C, int R, int G, int B)
{
    return (C & 0xFF000000) | (TbsColor(ClampByte(R)) << 16) | (TbsColor(ClampByte(G)) << 8) | ClampByte(B);
}

// A hue or saturation moved by ADelta on the 0..255 scale wraps around by
// 255, not 256: 256 becomes 1 and -1 becomes 254.
float WrapComponent(float AValue, int ADelta)
{
    int V = ADelta + RoundEven(double(AValue) * 255);
    if (V >= 256)
        V -= 255;
    if (V < 0)
        V += 255;
    return float(V) / 255;
}

} // namespace

template <class F> void TbsBitmap::ForEachPixel(F AChange, bool AVisibleOnly)
{
    if (Empty())
        return;
    for (TbsColor *P = FBits, *E = FBits + intptr_t(FWidth) * FHeight; P != E; ++P)
        if (!AVisibleOnly || (*P >> 24) != 0)
            *P = AChange(*P);
}

template <class F> void TbsBitmap::ForEachVisiblePixel(F AChange) { ForEachPixel(AChange, true); }

void TbsBitmap::CheckingAlphaBlend()
{
    AlphaBlend = false;
    if (Empty())
        return;
    for (intptr_t I = 0, N = intptr_t(FWidth) * FHeight; I < N; ++I) {
        TbsColor A = FBits[I] >> 24;
        if (A != 0 && A != 255) {
            AlphaBlend = true;
            return;
        }
    }
}

// The rectangle has never narrowed the scan; callers rely on the whole-bitmap answer.
void TbsBitmap::CheckingAlphaBlend(const TRect&) { CheckingAlphaBlend(); }

void TbsBitmap::CheckingTransparent(TbsColor AColor)
{
    Transparent = false;
    if (Empty())
        return;
    for (intptr_t I = 0, N = intptr_t(FWidth) * FHeight; I < N; ++I) {
        TbsColor P = FBits[I];
        if (std::abs(R8(P) - R8(AColor)) < 6 && std::abs(G8(P) - G8(AColor)) < 6 && std::abs(B8(P) - B8(AColor)) < 6) {
            FBits[I] = bsTransparentColor;
            Transparent = true;
        }
    }
}

void TbsBitmap::CheckingTransparent(const TRect&, TbsColor AColor) { CheckingTransparent(AColor); }

void TbsBitmap::SetAlpha(uint8_t AAlpha)
{
    if (!Empty())
        PixelKernels().SetAlphaLine(FBits, FWidth * FHeight, AAlpha);
}

void TbsBitmap::SetAlpha(uint8_t AAlpha, TRect ARect)
{
    if (Empty() || ARect.Width() == 0 || ARect.Height() == 0)
        return;
    ARect.Left = std::max(ARect.Left, 0);
    ARect.Top = std::max(ARect.Top, 0);
    ARect.Right = std::min(ARect.Right, FWidth);
    ARect.Bottom = std::min(ARect.Bottom, FHeight);
    if (ARect.IsEmpty())
        return;
    PixelKernels().SetAlphaRectKernel(FBits, FWidth, FHeight, AAlpha, ARect.Bottom - 1, ARect.Right - 1, ARect.Top,
                                      ARect.Left);
}

void TbsBitmap::CheckRGBA()
{
    ForEachPixel(
        [](TbsColor P) {
            int A = int(P >> 24);
            return WithRGB(P, std::min(R8(P), A), std::min(G8(P), A), std::min(B8(P), A));
        },
        false);
}

void TbsBitmap::CheckRGBA2()
{
    ForEachPixel(
        [](TbsColor P) {
            double A = double(P >> 24);
            return WithRGB(P, RoundEven(A * R8(P) / 255), RoundEven(A * G8(P) / 255), RoundEven(A * B8(P) / 255));
        },
        false);
}

void TbsBitmap::ChangeBitmapBrightness(int ADeltaBrightness)
{
    if (ADeltaBrightness == 0)
        return;
    ForEachVisiblePixel([&](TbsColor P) {
        return WithRGB(P, R8(P) + ADeltaBrightness, G8(P) + ADeltaBrightness, B8(P) + ADeltaBrightness);
    });
}

// Each visible pixel through hue, saturation and lightness; AChange edits
// the hue and saturation, the alpha byte stays.
template <class F> void TbsBitmap::AdjustHSL(F AChange)
{
    ForEachVisiblePixel([&](TbsColor P) {
        float H, S, L;
        RGBToHSL(P, H, S, L);
        AChange(H, S);
        return (HSLToRGB(L, S, H) & 0x00FFFFFF) | (P & 0xFF000000);
    });
}

void TbsBitmap::SetBitmapHue(int AHue)
{
    float NewHue = float(std::clamp(AHue, 0, 255)) / 255;
    AdjustHSL([&](float& H, float&) { H = NewHue; });
}

void TbsBitmap::ChangeBitmapHue(int ADeltaHue)
{
    if (ADeltaHue != 0)
        AdjustHSL([&](float& H, float&) { H = WrapComponent(H, ADeltaHue); });
}

void TbsBitmap::ChangeBitmapSat(int ADeltaSat)
{
    if (ADeltaSat != 0)
        AdjustHSL([&](float&, float& S) { S = WrapComponent(S, ADeltaSat); });
}

void TbsBitmap::FlipVert()
{
    if (Empty())
        return;
    std::vector<TbsColor> Row(static_cast<size_t>(FWidth));
    size_t Bytes = Row.size() * sizeof(TbsColor);
    for (int Y = 0; Y < FHeight / 2; ++Y) {
        TbsColor* A = GetScanLinePtr(Y);
        TbsColor* B = GetScanLinePtr(FHeight - 1 - Y);
        std::memcpy(Row.data(), A, Bytes);
        std::memcpy(A, B, Bytes);
        std::memcpy(B, Row.data(), Bytes);
    }
}

void TbsBitmap::ReflectionFade(int ADivisor)
{
    if (Empty())
        return;
    FlipVert();
    double K = 1.0;
    for (int Y = 0; Y < FHeight; ++Y) {
        TbsColor* Row = GetScanLinePtr(Y);
        for (int X = 0; X < FWidth; ++X) {
            int A = int(Row[X] >> 24);
            if (A != 0)
                Row[X] = (Row[X] & 0x00FFFFFF) | (TbsColor(std::max(0, RoundEven(A * K) / ADivisor)) << 24);
        }
        K -= 2.0 / FHeight;
    }
}

void TbsBitmap::Reflection() { ReflectionFade(3); }
void TbsBitmap::Reflection2() { ReflectionFade(4); }
void TbsBitmap::Reflection3() { ReflectionFade(2); }

} // namespace skin
