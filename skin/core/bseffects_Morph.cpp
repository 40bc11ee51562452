// Transitions of a TbsEffectBmp towards a second picture of the same size.

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/core/bseffects.h"
#include "skin/core/bseffects_EffectBmp.h"

namespace skin {

using namespace platform;

namespace {

double ClampUnit(double AValue) { return AValue >= 0 ? std::min(AValue, 1.0) : 0.0; }

// own * t + new * (1 - t), per channel.
inline void MixPixel(uint8_t* AOwn, const uint8_t* ANew, double T)
{
    for (int C = 0; C < 3; ++C)
        AOwn[C] = ClampByte(RoundEven(AOwn[C] * T + ANew[C] * (1 - T)));
}

// The band width of the gradient and slide kinds: Kf is kept to 0..1, so a
// progress value past the end cannot turn the steps round.
int Band(int ALength, double Kf) { return RoundEven(ALength * ClampUnit(Kf)); }

} // namespace

void TbsEffectBmp::Morph(const TbsEffectBmp& BMP, double Kf)
{
    if (!SameSize(BMP))
        return;
    Kf = ClampUnit(Kf);
    for (int y = 0; y < Height; ++y) {
        uint8_t* Own = GetScanLinePtr(y);
        const uint8_t* New = BMP.GetScanLinePtr(y);
        for (int I = 0; I < Width * 3; ++I)
            Own[I] = ClampByte(RoundEven((1 - Kf) * Own[I] + Kf * New[I]));
    }
}

// Neither the rectangle nor the source block is trusted: both are clipped
// to their pictures.
void TbsEffectBmp::MorphRect(const TbsEffectBmp& BMP, double Kf, const TRect& Rct, int StartX, int StartY)
{
    Kf = ClampUnit(Kf);
    for (int y = std::max(Rct.Top, 0); y < std::min(Rct.Bottom, Height); ++y) {
        int SY = StartY + y - Rct.Top;
        if (SY < 0 || SY >= BMP.Height)
            continue;
        for (int x = std::max(Rct.Left, 0); x < std::min(Rct.Right, Width); ++x) {
            int SX = StartX + x - Rct.Left;
            if (SX < 0 || SX >= BMP.Width)
                continue;
            uint8_t* Own = GetScanLinePtr(y) + x * 3;
            const uint8_t* New = BMP.GetScanLinePtr(SY) + SX * 3;
            for (int C = 0; C < 3; ++C)
                Own[C] = ClampByte(RoundEven((1 - Kf) * Own[C] + Kf * New[C]));
        }
    }
}

void TbsEffectBmp::GradientColumns(const TbsEffectBmp& BMP, int AFrom, int ATo, double AStep)
{
    int Dir = ATo >= AFrom ? 1 : -1;
    for (int y = 0; y < Height; ++y) {
        uint8_t* Own = GetScanLinePtr(y);
        const uint8_t* New = BMP.GetScanLinePtr(y);
        double T = 0;
        for (int x = AFrom; x != ATo + Dir; x += Dir) {
            MixPixel(Own + x * 3, New + x * 3, T);
            T = std::min(T + AStep, 1.0);
        }
    }
}

void TbsEffectBmp::MorphHGrad(const TbsEffectBmp& BMP, double Kf)
{
    if (!SameSize(BMP) || Width == 0)
        return;
    int B = Band(Width, Kf), G = (Width - B) / 2;
    double Step = G == 0 ? 1.0 : 1.0 / G;
    int Lo = std::max(Width / 2 - B / 2, 0), Hi = std::min(Width / 2 + B / 2, Width - 1);
    for (int y = 0; y < Height; ++y)
        std::memcpy(GetScanLinePtr(y) + Lo * 3, BMP.GetScanLinePtr(y) + Lo * 3, size_t(Hi - Lo + 1) * 3);
    GradientColumns(BMP, Lo, 0, Step);
    GradientColumns(BMP, Hi, Width - 1, Step);
}

void TbsEffectBmp::MorphVGrad(const TbsEffectBmp& BMP, double Kf)
{
    if (!SameSize(BMP) || Height == 0)
        return;
    int B = Band(Height, Kf), G = (Height - 1 - B) / 2;
    double Step = G == 0 ? 0.0 : 1.0 / G;
    int Lo = std::max(Height / 2 - B / 2, 0), Hi = std::min(Height / 2 + B / 2, Height - 1);
    for (int y = Lo; y <= Hi; ++y)
        std::memcpy(GetScanLinePtr(y), BMP.GetScanLinePtr(y), size_t(Width) * 3);
    auto Rows = [&](int AFrom, int ATo) {
        int Dir = ATo >= AFrom ? 1 : -1;
        double T = 0;
        for (int y = AFrom; y != ATo + Dir; y += Dir) {
            for (int x = 0; x < Width; ++x)
                MixPixel(GetScanLinePtr(y) + x * 3, BMP.GetScanLinePtr(y) + x * 3, T);
            T = std::min(T + Step, 1.0);
        }
    };
    Rows(Lo, 0);
    Rows(Hi, Height - 1);
}

void TbsEffectBmp::MorphGrad(const TbsEffectBmp& BMP, double Kf)
{
    if (Width < Height)
        MorphVGrad(BMP, Kf);
    else
        MorphHGrad(BMP, Kf);
}

void TbsEffectBmp::MorphLeftGrad(const TbsEffectBmp& BMP, double Kf)
{
    if (!SameSize(BMP) || Width < 2)
        return;
    int B = std::clamp(Band(Width, Kf), 1, Width - 1);
    GradientColumns(BMP, 0, B, 1.0 / B);
}

void TbsEffectBmp::MorphRightGrad(const TbsEffectBmp& BMP, double Kf)
{
    if (!SameSize(BMP) || Width == 0)
        return;
    int C = std::clamp(Width - Band(Width, Kf), 0, Width - 1);
    double Step = Width - C <= 0 ? 1.0 : 1.0 / (Width - C);
    GradientColumns(BMP, Width - 1, C, Step);
}

void TbsEffectBmp::MorphPush(const TbsEffectBmp& BMP, double Kf)
{
    if (!SameSize(BMP) || Width == 0)
        return;
    int B = std::clamp(Band(Width, Kf), 0, Width - 1);
    for (int y = 0; y < Height; ++y) {
        uint8_t* Own = GetScanLinePtr(y);
        const uint8_t* New = BMP.GetScanLinePtr(y);
        // From the right, so the old columns are read before they are overwritten.
        for (int x = Width - 1; x >= B; --x) {
            int From = x > B ? x - B - 1 : 0;
            std::memmove(Own + x * 3, Own + From * 3, 3);
        }
        for (int x = 0; x <= B; ++x)
            std::memcpy(Own + x * 3, New + std::min(Width - B - 1 + x, Width - 1) * 3, 3);
    }
}

void TbsEffectBmp::MorphLeftSlide(const TbsEffectBmp& BMP, double Kf)
{
    if (!SameSize(BMP) || Width < 2)
        return;
    int B = std::clamp(Band(Width, Kf), 1, Width - 1);
    for (int y = 0; y < Height; ++y)
        std::memcpy(GetScanLinePtr(y), BMP.GetScanLinePtr(y) + (Width - B) * 3, size_t(B) * 3);
}

void TbsEffectBmp::MorphRightSlide(const TbsEffectBmp& BMP, double Kf)
{
    if (!SameSize(BMP) || Width < 2)
        return;
    int B = std::clamp(Band(Width, Kf), 1, Width - 1);
    for (int y = 0; y < Height; ++y)
        std::memcpy(GetScanLinePtr(y) + (Width - B) * 3, BMP.GetScanLinePtr(y), size_t(B) * 3);
}

} // namespace skin
