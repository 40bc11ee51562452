// Regions: banded rectangle lists with the four combine modes, tests and the
// rectangle-data interchange format.

#include <algorithm>
#include <cstring>

#include "platform/gfx/GdiInternal.h"

namespace platform {

namespace {

// Regions beyond this many rectangles in one data block are refused.
constexpr DWORD MaxRegionRects = 1u << 22;

TGdiRegion* NewRegion()
{
    auto* R = new TGdiRegion();
    RegisterObject(R);
    return R;
}

TGdiRegion* AsRegion(HRGN ARegion)
{
    return CheckObject<TGdiRegion>(ARegion, OBJ_REGION);
}

HRGN RegionFromSpans(const std::vector<TRowSpan>& ASpans, int ATop)
{
    std::vector<pixman_box32_t> Boxes;
    Boxes.reserve(ASpans.size());
    for (size_t I = 0; I < ASpans.size(); ++I)
        if (ASpans[I].Right >= ASpans[I].Left)
            Boxes.push_back({ASpans[I].Left, ATop + int(I), ASpans[I].Right + 1, ATop + int(I) + 1});
    TGdiRegion* R = NewRegion();
    pixman_region32_fini(&R->Region);
    pixman_region32_init_rects(&R->Region, Boxes.data(), int(Boxes.size()));
    return R;
}

} // namespace

int RegionKind(const pixman_region32_t& ARegion)
{
    int N = pixman_region32_n_rects(const_cast<pixman_region32_t*>(&ARegion));
    return N == 0 ? NULLREGION : N == 1 ? SIMPLEREGION : COMPLEXREGION;
}

void RegionFromRect(pixman_region32_t& ARegion, const TRect& ARect)
{
    pixman_region32_fini(&ARegion);
    int L = std::min(ARect.Left, ARect.Right), R = std::max(ARect.Left, ARect.Right);
    int T = std::min(ARect.Top, ARect.Bottom), B = std::max(ARect.Top, ARect.Bottom);
    if (L == R || T == B)
        pixman_region32_init(&ARegion);
    else
        pixman_region32_init_rect(&ARegion, L, T, uint32_t(R - L), uint32_t(B - T));
}

HRGN CreateRectRgn(int ALeft, int ATop, int ARight, int ABottom)
{
    TGdiRegion* R = NewRegion();
    RegionFromRect(R->Region, {ALeft, ATop, ARight, ABottom});
    return R;
}

HRGN CreateRectRgnIndirect(const RECT* ARect)
{
    return ARect != nullptr ? CreateRectRgn(ARect->Left, ARect->Top, ARect->Right, ARect->Bottom) : nullptr;
}

HRGN CreateEllipticRgn(int ALeft, int ATop, int ARight, int ABottom)
{
    return CreateRoundRectRgn(ALeft, ATop, ARight, ABottom, std::abs(ARight - ALeft), std::abs(ABottom - ATop));
}

HRGN CreateRoundRectRgn(int ALeft, int ATop, int ARight, int ABottom, int AWidth, int AHeight)
{
    int L = std::min(ALeft, ARight), R = std::max(ALeft, ARight);
    int T = std::min(ATop, ABottom), B = std::max(ATop, ABottom);
    // The region's box excludes its right and bottom edges, as rectangle
    // regions do; the shape itself is the one Ellipse and RoundRect fill.
    if (R - L < 1 || B - T < 1)
        return NewRegion();
    return RegionFromSpans(RoundRectSpans(L, T, R - 1, B - 1, AWidth, AHeight), T);
}

HRGN CreatePolygonRgn(const POINT* APoints, int ACount, int AFillMode)
{
    if (APoints == nullptr || ACount < 2)
        return NewRegion();
    std::vector<pixman_box32_t> Boxes;
    for (const TSpan& S : PolygonSpans(APoints, ACount, AFillMode))
        Boxes.push_back({S.Left, S.Y, S.Right + 1, S.Y + 1});
    TGdiRegion* R = NewRegion();
    pixman_region32_fini(&R->Region);
    pixman_region32_init_rects(&R->Region, Boxes.data(), int(Boxes.size()));
    return R;
}

HRGN ExtCreateRegion(const void* AXForm, DWORD ACount, const RGNDATA* ARegionData)
{
    if (AXForm != nullptr || ARegionData == nullptr || ACount < sizeof(RGNDATAHEADER))
        return nullptr;
    const RGNDATAHEADER& H = ARegionData->rdh;
    if (H.dwSize < sizeof(RGNDATAHEADER) || H.iType != RDH_RECTANGLES || H.nCount > MaxRegionRects ||
        uint64_t(H.dwSize) + uint64_t(H.nCount) * sizeof(RECT) > ACount)
        return nullptr;
    const uint8_t* P = reinterpret_cast<const uint8_t*>(ARegionData) + H.dwSize;
    std::vector<pixman_box32_t> Boxes;
    Boxes.reserve(H.nCount);
    for (DWORD I = 0; I < H.nCount; ++I) {
        RECT Rc;
        std::memcpy(&Rc, P + I * sizeof(RECT), sizeof(RECT));
        if (Rc.Left < Rc.Right && Rc.Top < Rc.Bottom)
            Boxes.push_back({Rc.Left, Rc.Top, Rc.Right, Rc.Bottom});
    }
    TGdiRegion* R = NewRegion();
    pixman_region32_fini(&R->Region);
    pixman_region32_init_rects(&R->Region, Boxes.data(), int(Boxes.size()));
    return R;
}

DWORD GetRegionData(HRGN ARegion, DWORD ACount, RGNDATA* ABuffer)
{
    TGdiRegion* R = AsRegion(ARegion);
    if (R == nullptr)
        return 0;
    int N = 0;
    const pixman_box32_t* Boxes = pixman_region32_rectangles(&R->Region, &N);
    DWORD Need = DWORD(sizeof(RGNDATAHEADER) + size_t(N) * sizeof(RECT));
    if (ABuffer == nullptr)
        return Need;
    if (ACount < Need)
        return 0;
    RGNDATAHEADER H;
    H.nCount = DWORD(N);
    H.nRgnSize = DWORD(size_t(N) * sizeof(RECT));
    const pixman_box32_t* E = pixman_region32_extents(&R->Region);
    H.rcBound = N == 0 ? TRect{} : TRect{E->x1, E->y1, E->x2, E->y2};
    std::memcpy(static_cast<void*>(ABuffer), &H, sizeof(H));
    auto* Out = reinterpret_cast<uint8_t*>(ABuffer) + sizeof(H);
    for (int I = 0; I < N; ++I) {
        RECT Rc{Boxes[I].x1, Boxes[I].y1, Boxes[I].x2, Boxes[I].y2};
        std::memcpy(Out + size_t(I) * sizeof(RECT), &Rc, sizeof(RECT));
    }
    return Need;
}

int CombineRgn(HRGN ADest, HRGN ASource1, HRGN ASource2, int AMode)
{
    TGdiRegion* D = AsRegion(ADest);
    TGdiRegion* A = AsRegion(ASource1);
    TGdiRegion* B = AMode == RGN_COPY ? A : AsRegion(ASource2);
    if (D == nullptr || A == nullptr || B == nullptr)
        return ERROR;
    pixman_region32_t Out;
    pixman_region32_init(&Out);
    switch (AMode) {
    case RGN_AND: pixman_region32_intersect(&Out, &A->Region, &B->Region); break;
    case RGN_OR: pixman_region32_union(&Out, &A->Region, &B->Region); break;
    case RGN_DIFF: pixman_region32_subtract(&Out, &A->Region, &B->Region); break;
    case RGN_COPY: pixman_region32_copy(&Out, &A->Region); break;
    case RGN_XOR: {
        pixman_region32_t T;
        pixman_region32_init(&T);
        pixman_region32_subtract(&Out, &A->Region, &B->Region);
        pixman_region32_subtract(&T, &B->Region, &A->Region);
        pixman_region32_union(&Out, &Out, &T);
        pixman_region32_fini(&T);
        break;
    }
    default: pixman_region32_fini(&Out); return ERROR;
    }
    pixman_region32_fini(&D->Region);
    D->Region = Out;
    return RegionKind(D->Region);
}

BOOL SetRectRgn(HRGN ARegion, int ALeft, int ATop, int ARight, int ABottom)
{
    TGdiRegion* R = AsRegion(ARegion);
    if (R == nullptr)
        return FALSE;
    RegionFromRect(R->Region, {ALeft, ATop, ARight, ABottom});
    return TRUE;
}

int OffsetRgn(HRGN ARegion, int ADX, int ADY)
{
    TGdiRegion* R = AsRegion(ARegion);
    if (R == nullptr)
        return ERROR;
    pixman_region32_translate(&R->Region, ADX, ADY);
    return RegionKind(R->Region);
}

int GetRgnBox(HRGN ARegion, RECT* ARect)
{
    TGdiRegion* R = AsRegion(ARegion);
    if (R == nullptr || ARect == nullptr)
        return ERROR;
    int Kind = RegionKind(R->Region);
    const pixman_box32_t* E = pixman_region32_extents(&R->Region);
    *ARect = Kind == NULLREGION ? TRect{} : TRect{E->x1, E->y1, E->x2, E->y2};
    return Kind;
}

BOOL PtInRegion(HRGN ARegion, int AX, int AY)
{
    TGdiRegion* R = AsRegion(ARegion);
    return R != nullptr && pixman_region32_contains_point(&R->Region, AX, AY, nullptr) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN ARegion, const RECT* ARect)
{
    TGdiRegion* R = AsRegion(ARegion);
    if (R == nullptr || ARect == nullptr)
        return FALSE;
    pixman_box32_t Box{std::min(ARect->Left, ARect->Right), std::min(ARect->Top, ARect->Bottom),
                       std::max(ARect->Left, ARect->Right), std::max(ARect->Top, ARect->Bottom)};
    if (Box.x1 == Box.x2 || Box.y1 == Box.y2)
        return FALSE;
    return pixman_region32_contains_rectangle(&R->Region, &Box) != PIXMAN_REGION_OUT ? TRUE : FALSE;
}

BOOL EqualRgn(HRGN ARegion1, HRGN ARegion2)
{
    TGdiRegion* A = AsRegion(ARegion1);
    TGdiRegion* B = AsRegion(ARegion2);
    if (A == nullptr || B == nullptr)
        return ERROR;
    return pixman_region32_equal(&A->Region, &B->Region) ? TRUE : FALSE;
}

} // namespace platform
