#pragma once
// Inside the graphics interface: the objects behind the handles and the
// device context's state. Not for use outside platform/gfx.

#include <memory>
#include <mutex>
#include <pixman.h>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/gfx/Gdi.h"

namespace platform {

// Registry of live handles, so that a stale or foreign handle is refused
// instead of followed.
bool IsLiveObject(const TGdiObject* AObject);
void RegisterObject(TGdiObject* AObject);
template <class T> T* CheckObject(TGdiObject* AObject, UINT AType)
{
    return AObject != nullptr && AObject->Type == AType && IsLiveObject(AObject) ? static_cast<T*>(AObject) : nullptr;
}
void ReleaseSelection(TGdiObject* AObject); // SelectCount-- and pending delete
void AddSelection(TGdiObject* AObject);

// Region helpers.
int RegionKind(const pixman_region32_t& ARegion);
void RegionFromRect(pixman_region32_t& ARegion, const TRect& ARect);

// 0x00BBGGRR to the pixel value 0x00RRGGBB (alpha 0, as drawing leaves it).
inline uint32_t ColorToPixel(COLORREF C)
{
    return ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF);
}
inline COLORREF PixelToColor(uint32_t P)
{
    return ((P & 0xFF) << 16) | (P & 0xFF00) | ((P >> 16) & 0xFF);
}

inline uint32_t ReadPixel(const TPixelSurface& S, int X, int Y)
{
    const uint8_t* P = S.Row(Y);
    if (S.BitCount == 32)
        return reinterpret_cast<const uint32_t*>(P)[X];
    P += X * 3;
    return uint32_t(P[0]) | (uint32_t(P[1]) << 8) | (uint32_t(P[2]) << 16);
}
inline void WritePixel(const TPixelSurface& S, int X, int Y, uint32_t V)
{
    uint8_t* P = S.Row(Y);
    if (S.BitCount == 32) {
        reinterpret_cast<uint32_t*>(P)[X] = V;
        return;
    }
    P += X * 3;
    P[0] = uint8_t(V);
    P[1] = uint8_t(V >> 8);
    P[2] = uint8_t(V >> 16);
}

// Binary raster operation: result bit = bit (P, D) of the mode's table.
inline uint32_t ApplyRop2(int AMode, uint32_t P, uint32_t D)
{
    switch (AMode) {
    case R2_COPYPEN: return P;
    case R2_NOT: return ~D;
    case R2_XORPEN: return P ^ D;
    case R2_NOP: return D;
    default: break;
    }
    unsigned Table = unsigned(AMode - 1) & 15;
    uint32_t R = 0;
    if (Table & 1) R |= ~P & ~D;
    if (Table & 2) R |= ~P & D;
    if (Table & 4) R |= P & ~D;
    if (Table & 8) R |= P & D;
    return R;
}

// Ternary raster operation: result bit = bit (P, S, D) of the code byte.
inline uint32_t ApplyRop3(uint8_t ACode, uint32_t P, uint32_t S, uint32_t D)
{
    uint32_t R = 0;
    for (int I = 0; I < 8; ++I)
        if (ACode >> I & 1)
            R |= ((I & 4) ? P : ~P) & ((I & 2) ? S : ~S) & ((I & 1) ? D : ~D);
    return R;
}
inline bool RopUsesSource(uint8_t C) { return ((C >> 2) & 0x33) != (C & 0x33); }
inline bool RopUsesPattern(uint8_t C) { return ((C >> 4) & 0x0F) != (C & 0x0F); }

struct TDCState {
    HPEN Pen = nullptr;
    HBRUSH Brush = nullptr;
    HFONT Font = nullptr;
    COLORREF TextColor = 0;
    COLORREF BkColor = 0xFFFFFF;
    COLORREF DCBrushColor = 0xFFFFFF;
    COLORREF DCPenColor = 0;
    int BkMode = OPAQUE;
    int Rop2 = R2_COPYPEN;
    int StretchMode = BLACKONWHITE;
    int PolyFillMode = ALTERNATE;
    UINT TextAlign = TA_LEFT | TA_TOP;
    int CharExtra = 0;
    TPoint ViewportOrg;
    TPoint WindowOrg;
    TPoint BrushOrg;
    TPoint CurPos;
    std::shared_ptr<TGdiRegion> Clip; // device coordinates; null: no clip
};

class TDeviceContext {
public:
    TDeviceContext();
    ~TDeviceContext();

    bool IsMemoryDC = false;
    HBITMAP Bitmap = nullptr; // memory DCs
    TPixelSurface Surface;
    TPoint Origin;            // device (0, 0) in the surface
    TRect Visible;            // device coordinates
    std::unique_ptr<TGdiRegion> VisibleRgn;
    TDCState State;
    std::vector<TDCState> Saved;

    // Logical to surface coordinates.
    int SX(int X) const { return X - State.WindowOrg.X + State.ViewportOrg.X + Origin.X; }
    int SY(int Y) const { return Y - State.WindowOrg.Y + State.ViewportOrg.Y + Origin.Y; }
    int DeltaX() const { return -State.WindowOrg.X + State.ViewportOrg.X + Origin.X; }
    int DeltaY() const { return -State.WindowOrg.Y + State.ViewportOrg.Y + Origin.Y; }

    // The rectangles drawing may touch, in surface coordinates, banded.
    const std::vector<TRect>& ClipRects();
    const TRect& ClipBounds();
    void InvalidateClip() { FClipValid = false; }
    bool CanDraw() { return Surface.Bits != nullptr && !ClipRects().empty(); }

    COLORREF PenColor(const TGdiPen* APen) const { return APen->DCPen ? State.DCPenColor : APen->Color; }
    COLORREF BrushColor(const TGdiBrush* ABrush) const
    {
        return ABrush->DCBrush ? State.DCBrushColor : ABrush->Color;
    }
    void SelectState(const TDCState& AState);

private:
    void BuildClip();
    std::vector<TRect> FClipRects;
    TRect FClipBounds;
    bool FClipValid = false;
};

TDeviceContext* CheckDC(HDC ADC);

// ---- span rasteriser (surface coordinates, clipped)
// Fills [X0, X1) of row Y with a pen or brush colour through a raster mode.
void FillSpan(TDeviceContext& D, int Y, int X0, int X1, uint32_t APixel, int ARop2);
// Fills a box with a brush (solid or hatched) through a ternary ROP on the pattern.
void FillBoxBrush(TDeviceContext& D, const TRect& ABox, const TGdiBrush* ABrush, int ARop2);
void PlotPixel(TDeviceContext& D, int X, int Y, uint32_t APixel, int ARop2);
bool PointVisible(TDeviceContext& D, int X, int Y);

// Per-row spans of a shape [Left, Right] inclusive, rows Top.. Top + size - 1.
struct TRowSpan {
    int Left;
    int Right;
};
// The box is inclusive: [ALeft, ARight] x [ATop, ABottom].
std::vector<TRowSpan> RoundRectSpans(int ALeft, int ATop, int ARight, int ABottom, int ACornerW, int ACornerH);
struct TSpan {
    int Y;
    int Left;
    int Right; // inclusive
};
// Pixels whose centres lie inside the polygon (right and bottom edges excluded).
std::vector<TSpan> PolygonSpans(const TPoint* APoints, int ACount, int AFillMode);

} // namespace platform
