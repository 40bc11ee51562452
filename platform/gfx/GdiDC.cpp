// Device contexts: targets, selected objects, attributes, saved states,
// coordinate origins and clipping.

#include <algorithm>
#include <cstring>

#include "platform/gfx/GdiInternal.h"

namespace platform {

namespace {

HBITMAP StockBitmap()
{
    static HBITMAP B = [] {
        BITMAPINFO Info{};
        Info.bmiHeader.biWidth = 1;
        Info.bmiHeader.biHeight = -1;
        Info.bmiHeader.biBitCount = 32;
        HBITMAP R = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, nullptr);
        R->Stock = true;
        return R;
    }();
    return B;
}

std::mutex& DCLock()
{
    static std::mutex M;
    return M;
}
std::unordered_set<const TDeviceContext*>& LiveDCs()
{
    static auto* S = new std::unordered_set<const TDeviceContext*>();
    return *S;
}

void AddStateRefs(const TDCState& S)
{
    AddSelection(S.Pen);
    AddSelection(S.Brush);
    AddSelection(S.Font);
}
void ReleaseStateRefs(const TDCState& S)
{
    ReleaseSelection(S.Pen);
    ReleaseSelection(S.Brush);
    ReleaseSelection(S.Font);
}

} // namespace

TDeviceContext::TDeviceContext()
{
    State.Pen = HPEN(GetStockObject(BLACK_PEN));
    State.Brush = HBRUSH(GetStockObject(WHITE_BRUSH));
    State.Font = HFONT(GetStockObject(SYSTEM_FONT));
    AddStateRefs(State);
    std::lock_guard<std::mutex> Guard(DCLock());
    LiveDCs().insert(this);
}

TDeviceContext::~TDeviceContext()
{
    {
        std::lock_guard<std::mutex> Guard(DCLock());
        LiveDCs().erase(this);
    }
    for (const TDCState& S : Saved)
        ReleaseStateRefs(S);
    ReleaseStateRefs(State);
    if (Bitmap != nullptr) {
        Bitmap->SelectedInto = nullptr;
        ReleaseSelection(Bitmap);
    }
}

TDeviceContext* CheckDC(HDC ADC)
{
    if (ADC == nullptr)
        return nullptr;
    std::lock_guard<std::mutex> Guard(DCLock());
    return LiveDCs().count(ADC) != 0 ? ADC : nullptr;
}

void TDeviceContext::SelectState(const TDCState& AState)
{
    AddStateRefs(AState);
    ReleaseStateRefs(State);
    State = AState;
    InvalidateClip();
}

void TDeviceContext::BuildClip()
{
    FClipRects.clear();
    FClipBounds = {};
    FClipValid = true;
    if (Surface.Bits == nullptr)
        return;
    pixman_region32_t R;
    pixman_region32_init_rect(&R, Visible.Left, Visible.Top, uint32_t(std::max(Visible.Width(), 0)),
                              uint32_t(std::max(Visible.Height(), 0)));
    if (VisibleRgn)
        pixman_region32_intersect(&R, &R, &VisibleRgn->Region);
    if (State.Clip)
        pixman_region32_intersect(&R, &R, &State.Clip->Region);
    pixman_region32_translate(&R, Origin.X, Origin.Y);
    pixman_region32_intersect_rect(&R, &R, 0, 0, uint32_t(Surface.Width), uint32_t(Surface.Height));
    int N = 0;
    const pixman_box32_t* Boxes = pixman_region32_rectangles(&R, &N);
    FClipRects.reserve(size_t(N));
    for (int I = 0; I < N; ++I)
        FClipRects.push_back({Boxes[I].x1, Boxes[I].y1, Boxes[I].x2, Boxes[I].y2});
    const pixman_box32_t* E = pixman_region32_extents(&R);
    if (N > 0)
        FClipBounds = {E->x1, E->y1, E->x2, E->y2};
    pixman_region32_fini(&R);
}

const std::vector<TRect>& TDeviceContext::ClipRects()
{
    if (!FClipValid)
        BuildClip();
    return FClipRects;
}

const TRect& TDeviceContext::ClipBounds()
{
    if (!FClipValid)
        BuildClip();
    return FClipBounds;
}

HDC CreateCompatibleDC(HDC)
{
    auto* D = new TDeviceContext();
    D->IsMemoryDC = true;
    HBITMAP B = StockBitmap();
    D->Bitmap = B;
    AddSelection(B);
    D->Surface = B->Surface;
    D->Visible = {0, 0, 1, 1};
    return D;
}

HDC CreateDC(const char*, const char*, const char*, const void*)
{
    return CreateCompatibleDC(nullptr);
}

HDC CreateSurfaceDC(const TPixelSurface& ASurface, TPoint AOrigin, const TRect& AVisible)
{
    auto* D = new TDeviceContext();
    SetSurfaceDCTarget(D, ASurface, AOrigin, AVisible);
    return D;
}

void SetSurfaceDCTarget(HDC ADC, const TPixelSurface& ASurface, TPoint AOrigin, const TRect& AVisible)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || D->IsMemoryDC)
        return;
    D->Surface = ASurface;
    D->Origin = AOrigin;
    D->Visible = AVisible;
    D->InvalidateClip();
}

void SetSurfaceDCVisibleRegion(HDC ADC, HRGN ARegion)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return;
    auto* R = CheckObject<TGdiRegion>(ARegion, OBJ_REGION);
    if (R == nullptr) {
        D->VisibleRgn.reset();
    } else {
        D->VisibleRgn = std::make_unique<TGdiRegion>();
        pixman_region32_copy(&D->VisibleRgn->Region, &R->Region);
    }
    D->InvalidateClip();
}

BOOL DeleteDC(HDC ADC)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return FALSE;
    delete D;
    return TRUE;
}

const TPixelSurface* GetDCSurface(HDC ADC)
{
    TDeviceContext* D = CheckDC(ADC);
    return D != nullptr && D->Surface.Bits != nullptr ? &D->Surface : nullptr;
}

template <class T> static T* Swap(TDeviceContext& D, T*& ASlot, T* AValue)
{
    T* Old = ASlot;
    AddSelection(AValue);
    ASlot = AValue;
    // The caller gets the old object back; it stays alive until it is
    // deselected, even when DeleteObject was called on it meanwhile.
    ReleaseSelection(Old);
    return Old;
}

HGDIOBJ SelectObject(HDC ADC, HGDIOBJ AObject)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || AObject == nullptr || !IsLiveObject(AObject))
        return nullptr;
    switch (AObject->Type) {
    case OBJ_PEN: return Swap(*D, D->State.Pen, static_cast<HPEN>(AObject));
    case OBJ_BRUSH: return Swap(*D, D->State.Brush, static_cast<HBRUSH>(AObject));
    case OBJ_FONT: return Swap(*D, D->State.Font, static_cast<HFONT>(AObject));
    case OBJ_REGION: SelectClipRgn(ADC, static_cast<HRGN>(AObject)); return nullptr;
    case OBJ_BITMAP: {
        auto* B = static_cast<HBITMAP>(AObject);
        if (!D->IsMemoryDC || (B->SelectedInto != nullptr && B->SelectedInto != D && !B->Stock))
            return nullptr;
        HBITMAP Old = D->Bitmap;
        if (Old == B)
            return Old;
        if (!B->Stock)
            B->SelectedInto = D;
        AddSelection(B);
        D->Bitmap = B;
        D->Surface = B->Surface;
        D->Visible = {0, 0, B->Surface.Width, B->Surface.Height};
        D->InvalidateClip();
        if (Old != nullptr) {
            if (!Old->Stock)
                Old->SelectedInto = nullptr;
            ReleaseSelection(Old);
        }
        return Old;
    }
    default: return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC ADC, UINT AType)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return nullptr;
    switch (AType) {
    case OBJ_PEN: return D->State.Pen;
    case OBJ_BRUSH: return D->State.Brush;
    case OBJ_FONT: return D->State.Font;
    case OBJ_BITMAP: return D->Bitmap;
    default: return nullptr;
    }
}

int GetDeviceCaps(HDC ADC, int AIndex)
{
    TDeviceContext* D = CheckDC(ADC);
    switch (AIndex) {
    case BITSPIXEL: return D != nullptr && D->Surface.BitCount == 24 ? 24 : 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES: return D != nullptr ? D->Visible.Width() : 0;
    case VERTRES: return D != nullptr ? D->Visible.Height() : 0;
    default: return 0;
    }
}

int SaveDC(HDC ADC)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return 0;
    D->Saved.push_back(D->State);
    AddStateRefs(D->State);
    return int(D->Saved.size());
}

BOOL RestoreDC(HDC ADC, int ALevel)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return FALSE;
    int Count = int(D->Saved.size());
    int Level = ALevel < 0 ? Count + 1 + ALevel : ALevel;
    if (Level < 1 || Level > Count)
        return FALSE;
    D->SelectState(D->Saved[size_t(Level - 1)]);
    for (int I = Level - 1; I < Count; ++I)
        ReleaseStateRefs(D->Saved[size_t(I)]);
    D->Saved.resize(size_t(Level - 1));
    return TRUE;
}

#define DC_ATTR(Type, Name, Field)                                                                                 \
    Type Set##Name(HDC ADC, Type AValue)                                                                           \
    {                                                                                                              \
        TDeviceContext* D = CheckDC(ADC);                                                                          \
        if (D == nullptr)                                                                                          \
            return 0;                                                                                              \
        Type Old = D->State.Field;                                                                                 \
        D->State.Field = AValue;                                                                                   \
        return Old;                                                                                                \
    }                                                                                                              \
    Type Get##Name(HDC ADC)                                                                                        \
    {                                                                                                              \
        TDeviceContext* D = CheckDC(ADC);                                                                          \
        return D != nullptr ? D->State.Field : 0;                                                                  \
    }

DC_ATTR(int, BkMode, BkMode)
DC_ATTR(int, ROP2, Rop2)
DC_ATTR(int, StretchBltMode, StretchMode)
DC_ATTR(UINT, TextAlign, TextAlign)
#undef DC_ATTR

static COLORREF SetColorField(HDC ADC, COLORREF TDCState::*AField, COLORREF AColor)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return CLR_INVALID;
    COLORREF Old = D->State.*AField;
    D->State.*AField = AColor & 0xFFFFFF;
    return Old;
}
static COLORREF GetColorField(HDC ADC, COLORREF TDCState::*AField)
{
    TDeviceContext* D = CheckDC(ADC);
    return D != nullptr ? D->State.*AField : CLR_INVALID;
}

COLORREF SetTextColor(HDC ADC, COLORREF AColor) { return SetColorField(ADC, &TDCState::TextColor, AColor); }
COLORREF GetTextColor(HDC ADC) { return GetColorField(ADC, &TDCState::TextColor); }
COLORREF SetBkColor(HDC ADC, COLORREF AColor) { return SetColorField(ADC, &TDCState::BkColor, AColor); }
COLORREF GetBkColor(HDC ADC) { return GetColorField(ADC, &TDCState::BkColor); }
COLORREF SetDCBrushColor(HDC ADC, COLORREF AColor) { return SetColorField(ADC, &TDCState::DCBrushColor, AColor); }
COLORREF SetDCPenColor(HDC ADC, COLORREF AColor) { return SetColorField(ADC, &TDCState::DCPenColor, AColor); }
int SetPolyFillMode(HDC ADC, int AMode)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return 0;
    int Old = D->State.PolyFillMode;
    D->State.PolyFillMode = AMode == WINDING ? WINDING : ALTERNATE;
    return Old;
}
int SetTextCharacterExtra(HDC ADC, int AExtra)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return 0;
    int Old = D->State.CharExtra;
    D->State.CharExtra = AExtra;
    return Old;
}

static BOOL SetPoint(HDC ADC, TPoint TDCState::*AField, int AX, int AY, POINT* AOld, bool AOffset)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return FALSE;
    TPoint& P = D->State.*AField;
    if (AOld != nullptr)
        *AOld = P;
    P = AOffset ? TPoint{P.X + AX, P.Y + AY} : TPoint{AX, AY};
    return TRUE;
}
static BOOL GetPoint(HDC ADC, TPoint TDCState::*AField, POINT* APoint)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || APoint == nullptr)
        return FALSE;
    *APoint = D->State.*AField;
    return TRUE;
}

BOOL SetViewportOrgEx(HDC ADC, int AX, int AY, POINT* AOld)
{
    return SetPoint(ADC, &TDCState::ViewportOrg, AX, AY, AOld, false);
}
BOOL GetViewportOrgEx(HDC ADC, POINT* APoint) { return GetPoint(ADC, &TDCState::ViewportOrg, APoint); }
BOOL SetWindowOrgEx(HDC ADC, int AX, int AY, POINT* AOld)
{
    return SetPoint(ADC, &TDCState::WindowOrg, AX, AY, AOld, false);
}
BOOL GetWindowOrgEx(HDC ADC, POINT* APoint) { return GetPoint(ADC, &TDCState::WindowOrg, APoint); }
BOOL OffsetViewportOrgEx(HDC ADC, int ADX, int ADY, POINT* AOld)
{
    return SetPoint(ADC, &TDCState::ViewportOrg, ADX, ADY, AOld, true);
}
BOOL OffsetWindowOrgEx(HDC ADC, int ADX, int ADY, POINT* AOld)
{
    return SetPoint(ADC, &TDCState::WindowOrg, ADX, ADY, AOld, true);
}
BOOL SetBrushOrgEx(HDC ADC, int AX, int AY, POINT* AOld)
{
    return SetPoint(ADC, &TDCState::BrushOrg, AX, AY, AOld, false);
}
BOOL MoveToEx(HDC ADC, int AX, int AY, POINT* AOld)
{
    return SetPoint(ADC, &TDCState::CurPos, AX, AY, AOld, false);
}
BOOL GetCurrentPositionEx(HDC ADC, POINT* APoint) { return GetPoint(ADC, &TDCState::CurPos, APoint); }

BOOL LPtoDP(HDC ADC, POINT* APoints, int ACount)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return FALSE;
    for (int I = 0; I < ACount; ++I) {
        APoints[I].X += D->State.ViewportOrg.X - D->State.WindowOrg.X;
        APoints[I].Y += D->State.ViewportOrg.Y - D->State.WindowOrg.Y;
    }
    return TRUE;
}

BOOL DPtoLP(HDC ADC, POINT* APoints, int ACount)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return FALSE;
    for (int I = 0; I < ACount; ++I) {
        APoints[I].X -= D->State.ViewportOrg.X - D->State.WindowOrg.X;
        APoints[I].Y -= D->State.ViewportOrg.Y - D->State.WindowOrg.Y;
    }
    return TRUE;
}

// ---- clipping

namespace {

// The rectangle of logical coordinates in device ones, normalised.
TRect LogicalToDevice(const TDeviceContext& D, int L, int T, int R, int B)
{
    int DX = D.State.ViewportOrg.X - D.State.WindowOrg.X;
    int DY = D.State.ViewportOrg.Y - D.State.WindowOrg.Y;
    TRect Rc{std::min(L, R) + DX, std::min(T, B) + DY, std::max(L, R) + DX, std::max(T, B) + DY};
    return Rc;
}

// A DC without a clip region clips to its whole visible area.
std::shared_ptr<TGdiRegion> WritableClip(TDeviceContext& D)
{
    auto R = std::make_shared<TGdiRegion>();
    if (D.State.Clip)
        pixman_region32_copy(&R->Region, &D.State.Clip->Region);
    else
        RegionFromRect(R->Region, D.Visible);
    return R;
}

int ClipKind(TDeviceContext& D)
{
    D.InvalidateClip();
    pixman_region32_t R;
    pixman_region32_init(&R);
    RegionFromRect(R, D.Visible);
    if (D.State.Clip)
        pixman_region32_intersect(&R, &R, &D.State.Clip->Region);
    int Kind = RegionKind(R);
    pixman_region32_fini(&R);
    return Kind;
}

} // namespace

int IntersectClipRect(HDC ADC, int ALeft, int ATop, int ARight, int ABottom)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return ERROR;
    TRect Rc = LogicalToDevice(*D, ALeft, ATop, ARight, ABottom);
    auto R = std::make_shared<TGdiRegion>();
    if (D->State.Clip) {
        pixman_region32_copy(&R->Region, &D->State.Clip->Region);
        pixman_region32_intersect_rect(&R->Region, &R->Region, Rc.Left, Rc.Top, uint32_t(Rc.Width()),
                                       uint32_t(Rc.Height()));
    } else {
        RegionFromRect(R->Region, Rc);
    }
    D->State.Clip = R;
    return ClipKind(*D);
}

int ExcludeClipRect(HDC ADC, int ALeft, int ATop, int ARight, int ABottom)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return ERROR;
    TRect Rc = LogicalToDevice(*D, ALeft, ATop, ARight, ABottom);
    auto R = WritableClip(*D);
    pixman_region32_t Ex;
    pixman_region32_init(&Ex);
    RegionFromRect(Ex, Rc);
    pixman_region32_subtract(&R->Region, &R->Region, &Ex);
    pixman_region32_fini(&Ex);
    D->State.Clip = R;
    return ClipKind(*D);
}

int ExtSelectClipRgn(HDC ADC, HRGN ARegion, int AMode)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return ERROR;
    auto* Src = CheckObject<TGdiRegion>(ARegion, OBJ_REGION);
    if (Src == nullptr) {
        if (AMode != RGN_COPY)
            return ERROR;
        D->State.Clip.reset();
        return ClipKind(*D);
    }
    auto R = WritableClip(*D);
    switch (AMode) {
    case RGN_COPY: pixman_region32_copy(&R->Region, &Src->Region); break;
    case RGN_AND: pixman_region32_intersect(&R->Region, &R->Region, &Src->Region); break;
    case RGN_OR: pixman_region32_union(&R->Region, &R->Region, &Src->Region); break;
    case RGN_DIFF: pixman_region32_subtract(&R->Region, &R->Region, &Src->Region); break;
    case RGN_XOR: {
        pixman_region32_t A, B;
        pixman_region32_init(&A);
        pixman_region32_init(&B);
        pixman_region32_subtract(&A, &R->Region, &Src->Region);
        pixman_region32_subtract(&B, &Src->Region, &R->Region);
        pixman_region32_union(&R->Region, &A, &B);
        pixman_region32_fini(&A);
        pixman_region32_fini(&B);
        break;
    }
    default: return ERROR;
    }
    D->State.Clip = R;
    return ClipKind(*D);
}

int SelectClipRgn(HDC ADC, HRGN ARegion)
{
    return ExtSelectClipRgn(ADC, ARegion, RGN_COPY);
}

int OffsetClipRgn(HDC ADC, int ADX, int ADY)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return ERROR;
    if (D->State.Clip) {
        auto R = WritableClip(*D);
        pixman_region32_translate(&R->Region, ADX, ADY);
        D->State.Clip = R;
    }
    return ClipKind(*D);
}

int GetClipBox(HDC ADC, RECT* ARect)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || ARect == nullptr)
        return ERROR;
    pixman_region32_t R;
    pixman_region32_init(&R);
    RegionFromRect(R, D->Visible);
    if (D->VisibleRgn)
        pixman_region32_intersect(&R, &R, &D->VisibleRgn->Region);
    if (D->State.Clip)
        pixman_region32_intersect(&R, &R, &D->State.Clip->Region);
    int Kind = RegionKind(R);
    const pixman_box32_t* E = pixman_region32_extents(&R);
    int DX = D->State.ViewportOrg.X - D->State.WindowOrg.X;
    int DY = D->State.ViewportOrg.Y - D->State.WindowOrg.Y;
    *ARect = Kind == NULLREGION ? TRect{} : TRect{E->x1 - DX, E->y1 - DY, E->x2 - DX, E->y2 - DY};
    pixman_region32_fini(&R);
    return Kind;
}

int GetClipRgn(HDC ADC, HRGN ARegion)
{
    TDeviceContext* D = CheckDC(ADC);
    auto* R = CheckObject<TGdiRegion>(ARegion, OBJ_REGION);
    if (D == nullptr || R == nullptr)
        return -1;
    if (!D->State.Clip)
        return 0;
    pixman_region32_copy(&R->Region, &D->State.Clip->Region);
    return 1;
}

bool PointVisible(TDeviceContext& D, int X, int Y)
{
    for (const TRect& R : D.ClipRects())
        if (Y >= R.Top && Y < R.Bottom && X >= R.Left && X < R.Right)
            return true;
    return false;
}

BOOL PtVisible(HDC ADC, int AX, int AY)
{
    TDeviceContext* D = CheckDC(ADC);
    return D != nullptr && PointVisible(*D, D->SX(AX), D->SY(AY)) ? TRUE : FALSE;
}

BOOL RectVisible(HDC ADC, const RECT* ARect)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || ARect == nullptr)
        return FALSE;
    TRect S{D->SX(std::min(ARect->Left, ARect->Right)), D->SY(std::min(ARect->Top, ARect->Bottom)),
            D->SX(std::max(ARect->Left, ARect->Right)), D->SY(std::max(ARect->Top, ARect->Bottom))};
    for (const TRect& R : D->ClipRects())
        if (R.Left < S.Right && S.Left < R.Right && R.Top < S.Bottom && S.Top < R.Bottom)
            return TRUE;
    return FALSE;
}

} // namespace platform
