// Handles and the objects behind them: pens, brushes, fonts, bitmaps, stock
// objects, system colours.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unordered_set>

#include "platform/gfx/GdiInternal.h"

namespace platform {

namespace {

std::mutex& RegistryLock()
{
    static std::mutex M;
    return M;
}
std::unordered_set<const TGdiObject*>& Registry()
{
    static auto* R = new std::unordered_set<const TGdiObject*>();
    return *R;
}

// Bitmaps larger than this are refused rather than allocated.
constexpr int64_t MaxBitmapBytes = int64_t(1) << 30;
constexpr int MaxBitmapSide = 65535;

// The classic desktop scheme.
COLORREF GSysColors[COLOR_ENDCOLORS + 1] = {
    RGB(212, 208, 200), RGB(58, 110, 165), RGB(10, 36, 106), RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106), RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64), RGB(212, 208, 200), RGB(0, 0, 0), RGB(255, 255, 225),
    RGB(180, 180, 180), RGB(0, 0, 128), RGB(166, 202, 240), RGB(192, 192, 192), RGB(49, 106, 197),
    RGB(236, 233, 216),
};

template <class T> T* NewStock()
{
    T* Obj = new T();
    Obj->Stock = true;
    RegisterObject(Obj);
    return Obj;
}

struct TStockObjects {
    HGDIOBJ Items[DC_PEN + 1] = {};
    HBRUSH SysBrushes[COLOR_ENDCOLORS + 1] = {};
    TStockObjects()
    {
        const BYTE Grays[] = {255, 192, 128, 64, 0};
        for (int I = WHITE_BRUSH; I <= BLACK_BRUSH; ++I) {
            auto* B = NewStock<TGdiBrush>();
            B->Color = RGB(Grays[I], Grays[I], Grays[I]);
            Items[I] = B;
        }
        auto* Null = NewStock<TGdiBrush>();
        Null->Style = BS_NULL;
        Items[NULL_BRUSH] = Null;
        auto* WhitePen = NewStock<TGdiPen>();
        WhitePen->Color = RGB(255, 255, 255);
        Items[WHITE_PEN] = WhitePen;
        Items[BLACK_PEN] = NewStock<TGdiPen>();
        auto* NullPen = NewStock<TGdiPen>();
        NullPen->Style = PS_NULL;
        Items[NULL_PEN] = NullPen;
        for (int I : {SYSTEM_FONT, DEFAULT_GUI_FONT}) {
            auto* F = NewStock<TGdiFont>();
            std::strcpy(F->Log.lfFaceName, I == SYSTEM_FONT ? "System" : "MS Shell Dlg");
            F->Log.lfHeight = I == SYSTEM_FONT ? 16 : -11;
            F->Log.lfWeight = I == SYSTEM_FONT ? FW_BOLD : FW_NORMAL;
            Items[I] = F;
        }
        auto* DCBrush = NewStock<TGdiBrush>();
        DCBrush->DCBrush = true;
        Items[DC_BRUSH] = DCBrush;
        auto* DCPen = NewStock<TGdiPen>();
        DCPen->DCPen = true;
        Items[DC_PEN] = DCPen;
        for (int I = 0; I <= COLOR_ENDCOLORS; ++I)
            SysBrushes[I] = NewStock<TGdiBrush>();
    }
};

TStockObjects& Stock()
{
    static auto* S = new TStockObjects();
    return *S;
}

int64_t DibRowBytes(int AWidth, int ABitCount)
{
    return ((int64_t(AWidth) * ABitCount + 31) / 32) * 4;
}

HBITMAP NewBitmap(int AWidth, int AHeight, int ABitCount, bool ABottomUp, bool AIsDIB)
{
    if (AWidth <= 0 || AHeight <= 0 || AWidth > MaxBitmapSide || AHeight > MaxBitmapSide)
        return nullptr;
    if (ABitCount != 24 && ABitCount != 32)
        return nullptr;
    int64_t Stride = DibRowBytes(AWidth, ABitCount);
    if (Stride * AHeight > MaxBitmapBytes)
        return nullptr;
    auto* Memory = static_cast<uint8_t*>(std::calloc(size_t(Stride * AHeight), 1));
    if (Memory == nullptr)
        return nullptr;
    auto* B = new TGdiBitmap();
    B->Memory = Memory;
    B->IsDIB = AIsDIB;
    B->BottomUp = ABottomUp;
    B->Surface.Width = AWidth;
    B->Surface.Height = AHeight;
    B->Surface.BitCount = ABitCount;
    B->Surface.Stride = ABottomUp ? -intptr_t(Stride) : intptr_t(Stride);
    B->Surface.Bits = ABottomUp ? Memory + Stride * (AHeight - 1) : Memory;
    RegisterObject(B);
    return B;
}

} // namespace

bool IsLiveObject(const TGdiObject* AObject)
{
    std::lock_guard<std::mutex> Guard(RegistryLock());
    return Registry().count(AObject) != 0;
}

void RegisterObject(TGdiObject* AObject)
{
    std::lock_guard<std::mutex> Guard(RegistryLock());
    Registry().insert(AObject);
}

static void DestroyObject(TGdiObject* AObject)
{
    {
        std::lock_guard<std::mutex> Guard(RegistryLock());
        Registry().erase(AObject);
    }
    delete AObject;
}

void AddSelection(TGdiObject* AObject)
{
    if (AObject != nullptr)
        ++AObject->SelectCount;
}

void ReleaseSelection(TGdiObject* AObject)
{
    if (AObject == nullptr)
        return;
    if (--AObject->SelectCount == 0 && AObject->DeletePending)
        DestroyObject(AObject);
}

HPEN CreatePen(int AStyle, int AWidth, COLORREF AColor)
{
    auto* P = new TGdiPen();
    P->Style = AStyle & int(PS_STYLE_MASK);
    if (P->Style > PS_INSIDEFRAME)
        P->Style = PS_SOLID;
    P->Width = std::max(AWidth, 1);
    // Styled lines exist only for thin pens; thick ones are drawn solid.
    if (P->Width > 1 && P->Style >= PS_DASH && P->Style <= PS_DASHDOTDOT)
        P->Style = PS_SOLID;
    P->Color = AColor & 0xFFFFFF;
    RegisterObject(P);
    return P;
}

HBRUSH CreateSolidBrush(COLORREF AColor)
{
    auto* B = new TGdiBrush();
    B->Color = AColor & 0xFFFFFF;
    RegisterObject(B);
    return B;
}

HBRUSH CreateHatchBrush(int AHatch, COLORREF AColor)
{
    auto* B = new TGdiBrush();
    B->Style = BS_HATCHED;
    B->Hatch = std::clamp(AHatch, 0, int(HS_DIAGCROSS));
    B->Color = AColor & 0xFFFFFF;
    RegisterObject(B);
    return B;
}

HBRUSH GetSysColorBrush(int AIndex)
{
    if (AIndex < 0 || AIndex > COLOR_ENDCOLORS)
        return nullptr;
    HBRUSH B = Stock().SysBrushes[AIndex];
    B->Color = GSysColors[AIndex];
    return B;
}

HFONT CreateFontIndirect(const LOGFONT& ALogFont)
{
    auto* F = new TGdiFont();
    F->Log = ALogFont;
    F->Log.lfFaceName[sizeof(F->Log.lfFaceName) - 1] = 0;
    RegisterObject(F);
    return F;
}

HFONT CreateFont(int AHeight, int AWidth, int AEscapement, int AOrientation, int AWeight, DWORD AItalic,
                 DWORD AUnderline, DWORD AStrikeOut, DWORD ACharSet, DWORD AOutPrecision, DWORD AClipPrecision,
                 DWORD AQuality, DWORD APitchAndFamily, const char* AFaceName)
{
    LOGFONT L;
    L.lfHeight = AHeight;
    L.lfWidth = AWidth;
    L.lfEscapement = AEscapement;
    L.lfOrientation = AOrientation;
    L.lfWeight = AWeight;
    L.lfItalic = BYTE(AItalic != 0);
    L.lfUnderline = BYTE(AUnderline != 0);
    L.lfStrikeOut = BYTE(AStrikeOut != 0);
    L.lfCharSet = BYTE(ACharSet);
    L.lfOutPrecision = BYTE(AOutPrecision);
    L.lfClipPrecision = BYTE(AClipPrecision);
    L.lfQuality = BYTE(AQuality);
    L.lfPitchAndFamily = BYTE(APitchAndFamily);
    if (AFaceName != nullptr)
        std::strncpy(L.lfFaceName, AFaceName, sizeof(L.lfFaceName) - 1);
    return CreateFontIndirect(L);
}

HGDIOBJ GetStockObject(int AIndex)
{
    if (AIndex < 0 || AIndex > DC_PEN)
        return nullptr;
    return Stock().Items[AIndex];
}

BOOL DeleteObject(HGDIOBJ AObject)
{
    if (AObject == nullptr || !IsLiveObject(AObject))
        return FALSE;
    if (AObject->Stock)
        return TRUE;
    if (AObject->SelectCount > 0) {
        AObject->DeletePending = true;
        return TRUE;
    }
    DestroyObject(AObject);
    return TRUE;
}

UINT GetObjectType(HGDIOBJ AObject)
{
    return AObject != nullptr && IsLiveObject(AObject) ? AObject->Type : 0;
}

int GetObject(HGDIOBJ AObject, int ASize, void* ABuffer)
{
    if (AObject == nullptr || !IsLiveObject(AObject))
        return 0;
    if (AObject->Type == OBJ_FONT) {
        if (ABuffer == nullptr)
            return int(sizeof(LOGFONT));
        int N = std::min(ASize, int(sizeof(LOGFONT)));
        std::memcpy(ABuffer, &static_cast<TGdiFont*>(AObject)->Log, size_t(std::max(N, 0)));
        return N;
    }
    if (AObject->Type != OBJ_BITMAP)
        return 0;
    auto* B = static_cast<TGdiBitmap*>(AObject);
    DIBSECTION DS;
    DS.dsBm.bmWidth = B->Surface.Width;
    DS.dsBm.bmHeight = B->Surface.Height;
    DS.dsBm.bmWidthBytes = LONG(DibRowBytes(B->Surface.Width, B->Surface.BitCount));
    DS.dsBm.bmBitsPixel = WORD(B->Surface.BitCount);
    DS.dsBm.bmBits = B->IsDIB ? B->Memory : nullptr;
    DS.dsBmih.biWidth = B->Surface.Width;
    DS.dsBmih.biHeight = B->BottomUp ? B->Surface.Height : -B->Surface.Height;
    DS.dsBmih.biBitCount = WORD(B->Surface.BitCount);
    DS.dsBmih.biSizeImage = DWORD(DS.dsBm.bmWidthBytes * B->Surface.Height);
    if (ABuffer == nullptr)
        return B->IsDIB ? int(sizeof(DIBSECTION)) : int(sizeof(BITMAP));
    if (B->IsDIB && ASize >= int(sizeof(DIBSECTION))) {
        std::memcpy(ABuffer, &DS, sizeof(DIBSECTION));
        return int(sizeof(DIBSECTION));
    }
    if (ASize >= int(sizeof(BITMAP))) {
        std::memcpy(ABuffer, &DS.dsBm, sizeof(BITMAP));
        return int(sizeof(BITMAP));
    }
    return 0;
}

HBITMAP CreateCompatibleBitmap(HDC, int AWidth, int AHeight)
{
    return NewBitmap(AWidth, AHeight, 32, false, false);
}

HBITMAP CreateBitmap(int AWidth, int AHeight, UINT, UINT ABitCount, const void* ABits)
{
    HBITMAP B = NewBitmap(AWidth, AHeight, ABitCount == 24 ? 24 : 32, false, false);
    if (B != nullptr && ABits != nullptr && (ABitCount == 24 || ABitCount == 32)) {
        // Device bitmaps take rows padded to 16 bits, top row first.
        intptr_t SrcStride = ((intptr_t(AWidth) * ABitCount + 15) / 16) * 2;
        for (int Y = 0; Y < AHeight; ++Y)
            std::memcpy(B->Surface.Row(Y), static_cast<const uint8_t*>(ABits) + Y * SrcStride,
                        size_t(AWidth) * ABitCount / 8);
    }
    return B;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* AInfo, UINT, void** ABits, void*, DWORD)
{
    if (ABits != nullptr)
        *ABits = nullptr;
    if (AInfo == nullptr || AInfo->bmiHeader.biCompression != BI_RGB || AInfo->bmiHeader.biHeight == 0 ||
        AInfo->bmiHeader.biHeight == INT32_MIN)
        return nullptr;
    const BITMAPINFOHEADER& H = AInfo->bmiHeader;
    HBITMAP B = NewBitmap(H.biWidth, std::abs(H.biHeight), H.biBitCount, H.biHeight > 0, true);
    if (B != nullptr && ABits != nullptr)
        *ABits = B->Memory;
    return B;
}

const TPixelSurface* GetBitmapSurface(HBITMAP ABitmap)
{
    auto* B = CheckObject<TGdiBitmap>(ABitmap, OBJ_BITMAP);
    return B != nullptr ? &B->Surface : nullptr;
}

namespace {

// Moves rows between a bitmap and DIB memory of 24 or 32 bits. AToDib picks
// the direction. Scan line 0 of the DIB is its bottom row when bottom-up.
int TransferDIBRows(TGdiBitmap* B, UINT AStart, UINT ALines, uint8_t* ABits, const BITMAPINFOHEADER& H, bool AToDib)
{
    int Bpp = H.biBitCount;
    if ((Bpp != 24 && Bpp != 32) || H.biCompression != BI_RGB || H.biWidth <= 0 || H.biHeight == 0)
        return 0;
    int DibHeight = std::abs(H.biHeight);
    bool BottomUp = H.biHeight > 0;
    int64_t RowBytes = DibRowBytes(H.biWidth, Bpp);
    int Width = std::min<int>(H.biWidth, B->Surface.Width);
    int Copied = 0;
    for (UINT I = 0; I < ALines; ++I) {
        int64_t Scan = int64_t(AStart) + I;
        if (Scan >= DibHeight)
            break;
        // Row of the bitmap that this scan line stands for.
        int64_t BmpRow = BottomUp ? B->Surface.Height - 1 - Scan : Scan;
        uint8_t* DibRow = ABits + RowBytes * I;
        ++Copied;
        if (BmpRow < 0 || BmpRow >= B->Surface.Height)
            continue;
        for (int X = 0; X < Width; ++X) {
            uint8_t* P = DibRow + X * (Bpp / 8);
            if (AToDib) {
                uint32_t V = ReadPixel(B->Surface, X, int(BmpRow));
                P[0] = uint8_t(V);
                P[1] = uint8_t(V >> 8);
                P[2] = uint8_t(V >> 16);
                if (Bpp == 32)
                    P[3] = uint8_t(V >> 24);
            } else {
                uint32_t V = uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16 |
                             (Bpp == 32 ? uint32_t(P[3]) << 24 : 0);
                WritePixel(B->Surface, X, int(BmpRow), V);
            }
        }
    }
    return Copied;
}

} // namespace

int GetDIBits(HDC, HBITMAP ABitmap, UINT AStart, UINT ALines, void* ABits, BITMAPINFO* AInfo, UINT)
{
    auto* B = CheckObject<TGdiBitmap>(ABitmap, OBJ_BITMAP);
    if (B == nullptr || AInfo == nullptr)
        return 0;
    BITMAPINFOHEADER& H = AInfo->bmiHeader;
    if (ABits == nullptr) {
        if (H.biBitCount == 0) {
            H.biWidth = B->Surface.Width;
            H.biHeight = B->BottomUp || !B->IsDIB ? B->Surface.Height : -B->Surface.Height;
            H.biPlanes = 1;
            H.biBitCount = WORD(B->Surface.BitCount);
            H.biCompression = BI_RGB;
        }
        H.biSizeImage = DWORD(DibRowBytes(H.biWidth, H.biBitCount) * std::abs(H.biHeight));
        return B->Surface.Height;
    }
    return TransferDIBRows(B, AStart, ALines, static_cast<uint8_t*>(ABits), H, true);
}

int SetDIBits(HDC, HBITMAP ABitmap, UINT AStart, UINT ALines, const void* ABits, const BITMAPINFO* AInfo, UINT)
{
    auto* B = CheckObject<TGdiBitmap>(ABitmap, OBJ_BITMAP);
    if (B == nullptr || AInfo == nullptr || ABits == nullptr)
        return 0;
    return TransferDIBRows(B, AStart, ALines, static_cast<uint8_t*>(const_cast<void*>(ABits)), AInfo->bmiHeader,
                           false);
}

DWORD GetSysColor(int AIndex)
{
    return AIndex >= 0 && AIndex <= COLOR_ENDCOLORS ? GSysColors[AIndex] : 0;
}

BOOL SetSysColors(int ACount, const int* AIndexes, const COLORREF* AColors)
{
    for (int I = 0; I < ACount; ++I)
        if (AIndexes[I] >= 0 && AIndexes[I] <= COLOR_ENDCOLORS)
            GSysColors[AIndexes[I]] = AColors[I] & 0xFFFFFF;
    return TRUE;
}

} // namespace platform
