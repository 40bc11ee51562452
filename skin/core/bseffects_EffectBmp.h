#pragma once
// A plain 24-bit image (bytes B, G, R; rows top-down, each Width * 3 +
// Width mod 4 bytes) for effects on opaque pictures: the inactive-window
// look of the form frame, the transitions of animated buttons and tabs, the
// rotations of the tab painter. It has no DC of its own: it is filled from
// a bitmap and drawn into a DC with the DIB functions.

#include <cstdint>

#include "platform/gfx/Gdi.h"

namespace skin {

class TbsEffectBmp {
public:
    // An image that could not be created is empty: 0 x 0 without pixels.
    TbsEffectBmp(int cx, int cy);
    static TbsEffectBmp* CreateFromhWnd(platform::HBITMAP hBmp);
    static TbsEffectBmp* CreateCopy(const TbsEffectBmp& hBmp);
    ~TbsEffectBmp();
    TbsEffectBmp(const TbsEffectBmp&) = delete;
    TbsEffectBmp& operator=(const TbsEffectBmp&) = delete;

    platform::HBITMAP Handle = nullptr;
    int Width = 0;
    int Height = 0;
    int Size = 0;
    uint8_t* Bits = nullptr;
    platform::BITMAPINFOHEADER BmpHeader;
    platform::BITMAPINFO BmpInfo;

    int RowLength() const { return Width * 3 + Width % 4; }
    uint8_t* GetScanLinePtr(int y) const { return Bits + intptr_t(y) * RowLength(); }
    // The colour 0x00RRGGBB at (x, y); no bounds are checked.
    uint32_t GetPixel(int x, int y) const;
    void PutPixel(int x, int y, uint32_t c);
    void GetScanLine(int y, uint8_t* Line) const;
    void SetScanLine(int y, const uint8_t* Line);

    void Draw(platform::HDC hDC, int x, int y);
    void Stretch(platform::HDC hDC, int x, int y, int cx, int cy);
    void DrawRect(platform::HDC hDC, int hx, int hy, int x, int y, int cx, int cy);

    // ---- filters (channels clamped to 0..255)
    void ChangeBrightness(double Kf);
    void ChangeDarkness(double Kf);
    void Invert();
    void GrayScale();
    void AddMonoNoise(int Amount);
    void AddColorNoise(int Amount);
    void SplitBlur(int Amount);
    void Mosaic(int ASize);

    // ---- geometry into a second image the caller has sized
    void Rotate90_1(TbsEffectBmp& Dst);
    void Rotate90_2(TbsEffectBmp& Dst);
    void FlipVert(TbsEffectBmp& Dst);
    void Resize(TbsEffectBmp& Dst);
    void Wave(int XDIV, int YDIV, int RatioVal);
    void CopyRect(const TbsEffectBmp& BMP, const platform::TRect& Rct, int StartX, int StartY);

    // ---- masks: Msk is as wide and at least as high; white pixels are left alone
    void MaskFillColor(const TbsEffectBmp& Msk, platform::TColor C, double kf);
    void MaskBlur(const TbsEffectBmp& Msk, int Amount);
    void MaskAntialiasing(const TbsEffectBmp& Msk, int Amount);

    // ---- transitions towards BMP (same size) by Kf from 0 to 1
    void Morph(const TbsEffectBmp& BMP, double Kf);
    void MorphRect(const TbsEffectBmp& BMP, double Kf, const platform::TRect& Rct, int StartX, int StartY);
    void MorphHGrad(const TbsEffectBmp& BMP, double Kf);
    void MorphVGrad(const TbsEffectBmp& BMP, double Kf);
    void MorphGrad(const TbsEffectBmp& BMP, double Kf);
    void MorphLeftGrad(const TbsEffectBmp& BMP, double Kf);
    void MorphRightGrad(const TbsEffectBmp& BMP, double Kf);
    void MorphPush(const TbsEffectBmp& BMP, double Kf);
    void MorphLeftSlide(const TbsEffectBmp& BMP, double Kf);
    void MorphRightSlide(const TbsEffectBmp& BMP, double Kf);

private:
    TbsEffectBmp() = default;
    void Allocate(int cx, int cy);
    bool SameSize(const TbsEffectBmp& B) const { return B.Width == Width && B.Height == Height; }
    bool MaskFits(const TbsEffectBmp& Msk) const;
    bool MaskWhite(const TbsEffectBmp& Msk, int x, int y) const;
    // The four-pixel average of the split blur at (x, y), in place.
    void SplitBlurPixel(int x, int y, int Amount, int ADownLimit);
    template <class F> void ForEachChannel(F AChange);
    template <class F> void MapInto(TbsEffectBmp& Dst, int ADstW, int ADstH, F AWhere) const;
    // Each pixel of columns [x0, x1] of every row gets mix(t) with BMP, t
    // moving by AStep from column AFrom towards ATo.
    void GradientColumns(const TbsEffectBmp& BMP, int AFrom, int ATo, double AStep);
};

// The platform's pseudo-random generator: 0..ARange - 1 (0 for ranges of 1 or less).
int Random(int ARange);
void RandSeed(uint32_t ASeed);

} // namespace skin
