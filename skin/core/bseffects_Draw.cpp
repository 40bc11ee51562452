// TbsBitmap: drawing into device contexts and other bitmaps, tiling,
// merging underneath and filling.

#include <algorithm>
#include <vector>

#include "skin/core/bseffects.h"

namespace skin {

using namespace platform;

namespace {

TRect Moved(const TRect& R, int DX, int DY) { return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY}; }

TRect Intersection(const TRect& A, const TRect& B)
{
    return {std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
            std::min(A.Bottom, B.Bottom)};
}

// Logical to device offset of a DC. A DC of another TbsBitmap is drawn on
// in memory, so its window origin (and, as the DC itself would, its
// viewport origin) is applied here.
TPoint DeviceShift(HDC ADC)
{
    POINT W{}, V{};
    GetWindowOrgEx(ADC, &W);
    GetViewportOrgEx(ADC, &V);
    return {V.X - W.X, V.Y - W.Y};
}

// The DC's clip box in device coordinates: drawing in memory keeps to what
// the DC would have let through.
TRect DeviceClip(HDC ADC, TPoint AShift)
{
    RECT Box{};
    GetClipBox(ADC, &Box);
    return Moved(Box, AShift.X, AShift.Y);
}

// The transfer a bitmap's flags call for; blending wins over the key.
template <class T> T ByFlags(const TbsBitmap& ABitmap, T ABlend, T AKey, T ACopy)
{
    return ABitmap.AlphaBlend ? ABlend : ABitmap.Transparent ? AKey : ACopy;
}

} // namespace

// ---- into device contexts

void TbsBitmap::Draw(HDC ADC, int AX, int AY) { Draw(ADC, Bounds(AX, AY, FWidth, FHeight), Rect(0, 0, FWidth, FHeight)); }

void TbsBitmap::Draw(HDC ADC, int AX, int AY, const TRect& ASrcRect)
{
    Draw(ADC, Bounds(AX, AY, ASrcRect.Width(), ASrcRect.Height()), ASrcRect);
}

void TbsBitmap::Draw(HDC ADC, const TRect& ADstRect) { Draw(ADC, ADstRect, Rect(0, 0, FWidth, FHeight)); }

void TbsBitmap::Draw(HDC ADC, const TRect& ADstRect, const TRect& ASrcRect)
{
    if (Empty() || ADC == nullptr)
        return;
    if (TbsBitmap* Target = FindBitmapByDC(ADC)) {
        TPoint S = DeviceShift(ADC);
        TRect Dst = Moved(ADstRect, S.X, S.Y);
        ByFlags(*this, BitmapBlend, BitmapKey, BitmapCopy)(*Target, Dst, DeviceClip(ADC, S), ASrcRect, *this);
        return;
    }
    ByFlags(*this, GdiBlend, GdiKey, GdiCopy)(ADC, ADstRect, ASrcRect, *this);
}

void TbsBitmap::Draw(TCanvas* ACanvas, int AX, int AY) { Draw(ACanvas->Handle(), AX, AY); }
void TbsBitmap::Draw(TCanvas* ACanvas, int AX, int AY, const TRect& ASrcRect)
{
    Draw(ACanvas->Handle(), AX, AY, ASrcRect);
}
void TbsBitmap::Draw(TCanvas* ACanvas, const TRect& ADstRect) { Draw(ACanvas->Handle(), ADstRect); }
void TbsBitmap::Draw(TCanvas* ACanvas, const TRect& ADstRect, const TRect& ASrcRect)
{
    Draw(ACanvas->Handle(), ADstRect, ASrcRect);
}

// ---- into other bitmaps

void TbsBitmap::Draw(TbsBitmap& ABitmap, int AX, int AY)
{
    Draw(ABitmap, Bounds(AX, AY, FWidth, FHeight), Rect(0, 0, FWidth, FHeight));
}

void TbsBitmap::Draw(TbsBitmap& ABitmap, int AX, int AY, const TRect& ASrcRect)
{
    Draw(ABitmap, Bounds(AX, AY, ASrcRect.Width(), ASrcRect.Height()), ASrcRect);
}

void TbsBitmap::Draw(TbsBitmap& ABitmap, const TRect& ADstRect) { Draw(ABitmap, ADstRect, Rect(0, 0, FWidth, FHeight)); }

void TbsBitmap::Draw(TbsBitmap& ABitmap, const TRect& ADstRect, const TRect& ASrcRect)
{
    if (!Empty())
        ByFlags(*this, BitmapBlend, BitmapKey, BitmapCopy)(ABitmap, ADstRect, ADstRect, ASrcRect, *this);
}

// ---- tiles

// Lays ASrcRect over ADstRect from its top-left corner; the tiles of the
// last column and row are cut from the source's top-left corner. With a
// non-empty ADstClip only tiles touching it are drawn (whole).
template <class FTile>
void TbsBitmap::TileWith(const TRect& ADstRect, const TRect& ASrcRect, const TRect& ADstClip, FTile ADrawTile)
{
    int W = ASrcRect.Width(), H = ASrcRect.Height();
    if (Empty() || W <= 0 || H <= 0)
        return;
    int Cols = ADstRect.Width() / W + (ADstRect.Width() % W > 0 ? 1 : 0);
    int Rows = ADstRect.Height() / H + (ADstRect.Height() % H > 0 ? 1 : 0);
    for (int C = 0; C < Cols; ++C)
        for (int R = 0; R < Rows; ++R) {
            TRect T = Intersection(Bounds(ADstRect.Left + C * W, ADstRect.Top + R * H, W, H), ADstRect);
            if (T.IsEmpty())
                break;
            if (!ADstClip.IsEmpty() && Intersection(T, ADstClip).IsEmpty())
                continue;
            ADrawTile(T, Bounds(ASrcRect.Left, ASrcRect.Top, T.Width(), T.Height()));
        }
}

void TbsBitmap::TileClip(HDC ADC, const TRect& ADstRect, const TRect& ADstClip, const TRect& ASrcRect)
{
    if (Empty() || ADC == nullptr)
        return;
    if (TbsBitmap* Target = FindBitmapByDC(ADC)) {
        TPoint S = DeviceShift(ADC);
        TileWith(ADstRect, ASrcRect, ADstClip, [&](const TRect& ADst, const TRect& ASrc) {
            Draw(*Target, Moved(ADst, S.X, S.Y), ASrc);
        });
        return;
    }
    TbsDCDib Dib = QueryDCDib(ADC);
    if (Dib.Bits != nullptr && Dib.BitCount == 32 && Dib.Height > 0) {
        TPoint S = DeviceShift(ADC);
        auto* Pixels = static_cast<TbsColor*>(Dib.Bits);
        TileWith(ADstRect, ASrcRect, ADstClip, [&](const TRect& ADst, const TRect& ASrc) {
            TRect D = Moved(ADst, S.X, S.Y);
            ByFlags(*this, DibBlend, DibKey, DibCopy)(Pixels, D, D, ASrc, *this, Dib.Height, Dib.Width);
        });
        return;
    }
    auto Transfer = ByFlags(*this, GdiBlend, GdiKey, GdiCopy);
    TileWith(ADstRect, ASrcRect, ADstClip,
             [&](const TRect& ADst, const TRect& ASrc) { Transfer(ADC, ADst, ASrc, *this); });
}

void TbsBitmap::Tile(HDC ADC, const TRect& ADstRect, const TRect& ASrcRect) { TileClip(ADC, ADstRect, TRect{}, ASrcRect); }

void TbsBitmap::Tile(TCanvas* ACanvas, const TRect& ADstRect, const TRect& ASrcRect)
{
    TileClip(ACanvas->Handle(), ADstRect, TRect{}, ASrcRect);
}

void TbsBitmap::Tile(TbsBitmap& ABitmap, const TRect& ADstRect, const TRect& ASrcRect)
{
    TileClip(ABitmap, ADstRect, TRect{}, ASrcRect);
}

void TbsBitmap::TileClip(TCanvas* ACanvas, const TRect& ADstRect, const TRect& ADstClip, const TRect& ASrcRect)
{
    TileClip(ACanvas->Handle(), ADstRect, ADstClip, ASrcRect);
}

void TbsBitmap::TileClip(TbsBitmap& ABitmap, const TRect& ADstRect, const TRect& ADstClip, const TRect& ASrcRect)
{
    TileWith(ADstRect, ASrcRect, ADstClip,
             [&](const TRect& ADst, const TRect& ASrc) { Draw(ABitmap, ADst, ASrc); });
}

// ---- merging and filling

void TbsBitmap::MergeDraw(TbsBitmap& ABitmap, int AX, int AY, TRect ASrcRect)
{
    if (Empty() || ABitmap.Empty())
        return;
    if (ASrcRect.Left < 0) {
        AX -= ASrcRect.Left;
        ASrcRect.Left = 0;
    }
    if (ASrcRect.Top < 0) {
        AY -= ASrcRect.Top;
        ASrcRect.Top = 0;
    }
    ASrcRect.Right = std::min(ASrcRect.Right, ABitmap.Width());
    ASrcRect.Bottom = std::min(ASrcRect.Bottom, ABitmap.Height());
    auto Blend = PixelKernels().BlendPixel;
    for (int SX = ASrcRect.Left; SX < ASrcRect.Right; ++SX) {
        int DX = AX + SX - ASrcRect.Left;
        if (DX < 0 || DX >= FWidth)
            continue;
        for (int SY = ASrcRect.Top; SY < ASrcRect.Bottom; ++SY) {
            int DY = AY + SY - ASrcRect.Top;
            if (DY < 0 || DY >= FHeight)
                continue;
            TbsColor& D = *GetPixelPtr(DX, DY);
            TbsColor S = *ABitmap.GetPixelPtr(SX, SY);
            uint32_t A = D >> 24;
            if (A == 0)
                D = S;
            else if (A != 255)
                D = Blend(D, S);
        }
    }
}

void TbsBitmap::FillRect(TRect ARect, TbsColor AColor)
{
    if (Empty())
        return;
    ARect = Intersection(ARect, Rect(0, 0, FWidth, FHeight));
    if (ARect.IsEmpty())
        return;
    const TbsPixelKernels& K = PixelKernels();
    if (!AlphaBlend) {
        K.FillRectKernel(FBits, FWidth, FHeight, AColor, ARect.Bottom - 1, ARect.Right - 1, ARect.Top, ARect.Left);
        return;
    }
    std::vector<TbsColor> Row(size_t(ARect.Width()), AColor);
    for (int Y = ARect.Top; Y < ARect.Bottom; ++Y)
        K.BlendLine(Row.data(), GetPixelPtr(ARect.Left, Y), ARect.Width());
}

} // namespace skin
