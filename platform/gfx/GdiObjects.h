#pragma once
// The drawing objects behind the handles. Callers use the handles only;
// the definitions are here so that every handle converts to HGDIOBJ.

#include <cstdlib>
#include <pixman.h>

#include "platform/gfx/GdiTypes.h"

namespace platform {

struct TGdiObject {
    explicit TGdiObject(UINT AType) : Type(AType) {}
    virtual ~TGdiObject() = default;
    UINT Type;
    bool Stock = false;
    int SelectCount = 0;       // DCs that have it selected
    bool DeletePending = false; // DeleteObject while selected
};

struct TGdiPen : TGdiObject {
    TGdiPen() : TGdiObject(OBJ_PEN) {}
    int Style = PS_SOLID;
    int Width = 1;
    COLORREF Color = 0;
    bool DCPen = false; // the DC_PEN stock pen: colour from the DC
};

struct TGdiBrush : TGdiObject {
    TGdiBrush() : TGdiObject(OBJ_BRUSH) {}
    int Style = BS_SOLID;
    int Hatch = 0;
    COLORREF Color = 0;
    bool DCBrush = false;
};

struct TGdiFont : TGdiObject {
    TGdiFont() : TGdiObject(OBJ_FONT) {}
    LOGFONT Log;
};

struct TGdiBitmap : TGdiObject {
    TGdiBitmap() : TGdiObject(OBJ_BITMAP) {}
    ~TGdiBitmap() override { std::free(Memory); }
    TPixelSurface Surface;
    uint8_t* Memory = nullptr; // owned, aligned
    bool IsDIB = false;
    bool BottomUp = false;
    HDC SelectedInto = nullptr;
};

struct TGdiRegion : TGdiObject {
    TGdiRegion() : TGdiObject(OBJ_REGION) { pixman_region32_init(&Region); }
    ~TGdiRegion() override { pixman_region32_fini(&Region); }
    pixman_region32_t Region;
};

} // namespace platform
