#pragma once
// The pixel kernels and rectangle transfers every TbsBitmap operation runs
// on. Both tables are filled once at start-up; the blend kernels come in two
// arithmetics: the one the packed-integer processor extension used (four
// channels, weights a and 256 - a, alpha blended too) and the plain one
// (three channels, weights a and 255 - a, alpha set opaque). Which one is
// used follows the processor, as it always has, so stored looks stay
// identical. Both blend lines run four pixels at a time with SSE2 where the
// compiler targets it (every x86-64), with results equal to the pixel
// functions.

#include <cstdint>

#include "platform/gfx/Gdi.h"

namespace skin {

using TbsColor = uint32_t;
using PbsColorArray = TbsColor*;

// The colour key: a pixel whose low 24 bits equal it is a hole.
constexpr TbsColor bsTransparentColor = 0x007F007F;
inline bool IsKeyPixel(TbsColor C) { return (C & 0x00FFFFFF) == bsTransparentColor; }

// ---- pixel kernels
TbsColor PlainBlendPixel(TbsColor AUpper, TbsColor ALower);
TbsColor MMXBlendPixel(TbsColor AUpper, TbsColor ALower);
void PlainBlendLine(const TbsColor* ASrc, TbsColor* ADst, int ACount);
void MMXBlendLine(const TbsColor* ASrc, TbsColor* ADst, int ACount);
void KeyCopyLine(const TbsColor* ASrc, TbsColor* ADst, int ACount);
void CopyLine(const TbsColor* ASrc, TbsColor* ADst, int ACount);
void FillLine(TbsColor* APixels, int ACount, TbsColor AValue);
// Rows AFirstRow..ALastRow and columns AFirstCol..ALastCol, inclusive.
void FillRectKernel(TbsColor* APixels, int ARowLength, int ARows, TbsColor AValue, int ALastRow, int ALastCol,
                    int AFirstRow, int AFirstCol);
void SetAlphaLine(TbsColor* APixels, int ACount, uint8_t AAlpha);
void SetAlphaRectKernel(TbsColor* APixels, int ARowLength, int ARows, uint8_t AAlpha, int ALastRow, int ALastCol,
                        int AFirstRow, int AFirstCol);
void KeyToAlphaZeroLine(TbsColor* APixels, int ACount, TbsColor AColor);

struct TbsPixelKernels {
    TbsColor (*BlendPixel)(TbsColor, TbsColor) = PlainBlendPixel;
    void (*BlendLine)(const TbsColor*, TbsColor*, int) = PlainBlendLine;
    void (*KeyCopyLine)(const TbsColor*, TbsColor*, int) = skin::KeyCopyLine;
    void (*CopyLine)(const TbsColor*, TbsColor*, int) = skin::CopyLine;
    void (*FillLine)(TbsColor*, int, TbsColor) = skin::FillLine;
    void (*FillRectKernel)(TbsColor*, int, int, TbsColor, int, int, int, int) = skin::FillRectKernel;
    void (*SetAlphaLine)(TbsColor*, int, uint8_t) = skin::SetAlphaLine;
    void (*SetAlphaRectKernel)(TbsColor*, int, int, uint8_t, int, int, int, int) = skin::SetAlphaRectKernel;
    void (*KeyToAlphaZeroLine)(TbsColor*, int, TbsColor) = skin::KeyToAlphaZeroLine;
};

// The table in use.
const TbsPixelKernels& PixelKernels();
// True on processors with the packed-integer extension (every x86 of the
// last decades); elsewhere the plain arithmetic is used.
bool IsMMXProcessor();
// Chooses the blend arithmetic; start-up passes IsMMXProcessor(). Tests and
// benchmarks switch it to see both forms.
void SelectPixelKernels(bool AMMX);
bool MMXKernelsSelected();

// ---- transfers
class TbsBitmap;

// The DIB section selected into a DC: pixels, width, height (negative: top
// down) and bits per pixel; nil and zeros when there is none.
struct TbsDCDib {
    void* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    int BitCount = 0;
};
TbsDCDib QueryDCDib(platform::HDC ADC);

// Into a device context, stretched from ASrcRect of ASource to ADstRect.
void GdiCopy(platform::HDC ADC, const platform::TRect& ADstRect, const platform::TRect& ASrcRect, TbsBitmap& ASource);
void GdiBlend(platform::HDC ADC, const platform::TRect& ADstRect, const platform::TRect& ASrcRect, TbsBitmap& ASource);
void GdiKey(platform::HDC ADC, const platform::TRect& ADstRect, const platform::TRect& ASrcRect, TbsBitmap& ASource);
// Whether GdiKey hands the key to the graphics layer's transparent copy.
bool GdiKeyUsesTransparentBlt();

// Into the memory of a bottom-up 32-bit DIB (sample positions rounded).
void DibCopy(TbsColor* APixels, const platform::TRect& ADstRect, const platform::TRect& AClip,
             const platform::TRect& ASrcRect, const TbsBitmap& ASource, int ADibHeight, int ADibWidth);
void DibBlend(TbsColor* APixels, const platform::TRect& ADstRect, const platform::TRect& AClip,
              const platform::TRect& ASrcRect, const TbsBitmap& ASource, int ADibHeight, int ADibWidth);
void DibKey(TbsColor* APixels, const platform::TRect& ADstRect, const platform::TRect& AClip,
            const platform::TRect& ASrcRect, const TbsBitmap& ASource, int ADibHeight, int ADibWidth);

// Into another TbsBitmap (sample positions truncated).
void BitmapCopy(TbsBitmap& ATarget, const platform::TRect& ADstRect, const platform::TRect& AClip,
                const platform::TRect& ASrcRect, const TbsBitmap& ASource);
void BitmapBlend(TbsBitmap& ATarget, const platform::TRect& ADstRect, const platform::TRect& AClip,
                 const platform::TRect& ASrcRect, const TbsBitmap& ASource);
void BitmapKey(TbsBitmap& ATarget, const platform::TRect& ADstRect, const platform::TRect& AClip,
               const platform::TRect& ASrcRect, const TbsBitmap& ASource);

} // namespace skin
