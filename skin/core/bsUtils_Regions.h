#pragma once
// Window outlines from mask pictures: black pixels belong to the window,
// every other colour is cut away. A resizable skin's mask is cut into its
// four borders, each fitted to the new size with the composer's corner
// geometry, and joined with the client rectangle.

#include <cstdint>
#include <vector>

#include "platform/gfx/Graphics.h"

namespace skin {

using platform::TBitmap;
using platform::TPoint;
using platform::TRect;

// One row of a 24-bit picture (bytes b, g, r).
struct TFBColor {
    uint8_t b, g, r;
};
static_assert(sizeof(TFBColor) == 3);
using PBLine = TFBColor*;

// A top-down 24-bit copy of a bitmap with a table of row pointers, for
// reading mask pixels directly.
class TbsFBitmap {
public:
    explicit TbsFBitmap(platform::HBITMAP HBmp);
    ~TbsFBitmap();
    TbsFBitmap(const TbsFBitmap&) = delete;
    TbsFBitmap& operator=(const TbsFBitmap&) = delete;

    std::vector<PBLine> Pixels;
    int Gap = 0;
    int RowInc = 0;
    int Size = 0;
    int Width = 0;
    int Height = 0;
    platform::HBITMAP Handle = nullptr;
    platform::HDC hDC = nullptr;
    platform::BITMAPINFO bmInfo;
    platform::BITMAPINFOHEADER bmHeader;

private:
    uint8_t* Bits = nullptr;
};

// The region data (RGNDATA with rectangles, runs of black pixels moved by
// X, Y) of a mask; answers its size in bytes, 0 and no data for an empty mask.
platform::DWORD MaskToRegionData(TBitmap* Mask, int X, int Y, std::vector<uint8_t>& Data);
// Nil for an empty mask.
void MaskToRegion(platform::HRGN& Rgn, TBitmap* Mask);

// Sizes and fills the four border masks of a W-wide frame (H is not used);
// a border the mask does not have leaves its strip as it was.
void CreateSkinMask(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                    TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect, TBitmap* Mask,
                    TBitmap* RMTop, TBitmap* RMLeft, TBitmap* RMRight, TBitmap* RMBottom, int W, int H);
// The region of the mask fitted to W x H, or nil when the target is smaller
// than the corners or has no client area (the window keeps its rectangle).
void CreateSkinRegion(platform::HRGN& Rgn, TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect,
                      TPoint NewLTPoint, TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect,
                      TBitmap* Mask, int W, int H);

} // namespace skin
