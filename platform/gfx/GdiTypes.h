#pragma once
// Value types, records and constants of the graphics interface. Numeric
// values are the platform's own, so stored data and callers' tables apply
// unchanged. Colours are COLORREF 0x00BBGGRR; 32-bit pixels in memory are
// the bytes blue, green, red, alpha (0xAARRGGBB read as an integer).

#include <cstdint>

#include "platform/core/Types.h"

namespace platform {

using BOOL = int;
using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using LONG = int32_t;
using COLORREF = uint32_t;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

constexpr COLORREF RGB(BYTE R, BYTE G, BYTE B) { return COLORREF(R) | (COLORREF(G) << 8) | (COLORREF(B) << 16); }
constexpr BYTE GetRValue(COLORREF C) { return BYTE(C); }
constexpr BYTE GetGValue(COLORREF C) { return BYTE(C >> 8); }
constexpr BYTE GetBValue(COLORREF C) { return BYTE(C >> 16); }

struct TSize {
    int32_t cx = 0;
    int32_t cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};
using SIZE = TSize;
using POINT = TPoint;
using RECT = TRect;

// Handles. Every drawing object derives from TGdiObject; a handle is a
// pointer to it, so a handle of one kind converts to HGDIOBJ by itself.
struct TGdiObject;
struct TGdiPen;
struct TGdiBrush;
struct TGdiFont;
struct TGdiBitmap;
struct TGdiRegion;
class TDeviceContext;
using HGDIOBJ = TGdiObject*;
using HPEN = TGdiPen*;
using HBRUSH = TGdiBrush*;
using HFONT = TGdiFont*;
using HBITMAP = TGdiBitmap*;
using HRGN = TGdiRegion*;
using HDC = TDeviceContext*;

// Object kinds (GetObjectType, GetCurrentObject).
enum : UINT { OBJ_PEN = 1, OBJ_BRUSH = 2, OBJ_DC = 3, OBJ_FONT = 6, OBJ_BITMAP = 7, OBJ_REGION = 8, OBJ_MEMDC = 10 };

// Stock objects.
enum : int {
    WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4, NULL_BRUSH = 5,
    HOLLOW_BRUSH = NULL_BRUSH, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8, SYSTEM_FONT = 13,
    DEFAULT_GUI_FONT = 17, DC_BRUSH = 18, DC_PEN = 19,
};

// Pens.
enum : int {
    PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5,
    PS_INSIDEFRAME = 6, PS_STYLE_MASK = 0xF,
};
// Brushes.
enum : int { BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = 1, BS_HATCHED = 2 };
enum : int { HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3, HS_CROSS = 4, HS_DIAGCROSS = 5 };

// Binary raster operations of pens and brushes (SetROP2).
enum : int {
    R2_BLACK = 1, R2_NOTMERGEPEN = 2, R2_MASKNOTPEN = 3, R2_NOTCOPYPEN = 4, R2_MASKPENNOT = 5, R2_NOT = 6,
    R2_XORPEN = 7, R2_NOTMASKPEN = 8, R2_MASKPEN = 9, R2_NOTXORPEN = 10, R2_NOP = 11, R2_MERGENOTPEN = 12,
    R2_COPYPEN = 13, R2_MERGEPENNOT = 14, R2_MERGEPEN = 15, R2_WHITE = 16,
};

// Ternary raster operations (BitBlt, StretchBlt, PatBlt).
enum : DWORD {
    SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6, SRCINVERT = 0x00660046,
    SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008, NOTSRCERASE = 0x001100A6, MERGECOPY = 0x00C000CA,
    MERGEPAINT = 0x00BB0226, PATCOPY = 0x00F00021, PATPAINT = 0x00FB0A09, PATINVERT = 0x005A0049,
    DSTINVERT = 0x00550009, BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062, NOMIRRORBITMAP = 0x80000000,
};

enum : int { TRANSPARENT = 1, OPAQUE = 2 };
enum : int { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4, STRETCH_DELETESCANS = 3 };
enum : int { ALTERNATE = 1, WINDING = 2 };

// Region results and combine modes.
enum : int { ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3, RGN_ERROR = ERROR };
enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
enum : int { RDH_RECTANGLES = 1 };

struct RGNDATAHEADER {
    DWORD dwSize = 32;
    DWORD iType = RDH_RECTANGLES;
    DWORD nCount = 0;
    DWORD nRgnSize = 0;
    RECT rcBound;
};
static_assert(sizeof(RGNDATAHEADER) == 32);
struct RGNDATA {
    RGNDATAHEADER rdh;
    char Buffer[1];
};

// Device-independent bitmaps.
enum : DWORD { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3 };
enum : UINT { DIB_RGB_COLORS = 0, DIB_PAL_COLORS = 1 };

#pragma pack(push, 1)
struct BITMAPFILEHEADER {
    WORD bfType = 0x4D42;
    DWORD bfSize = 0;
    WORD bfReserved1 = 0;
    WORD bfReserved2 = 0;
    DWORD bfOffBits = 0;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14);

struct BITMAPINFOHEADER {
    DWORD biSize = 40;
    LONG biWidth = 0;
    LONG biHeight = 0; // negative: rows stored top-down
    WORD biPlanes = 1;
    WORD biBitCount = 0;
    DWORD biCompression = BI_RGB;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr;
};
struct DIBSECTION {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    DWORD dsBitfields[3] = {0, 0, 0};
    void* dshSection = nullptr;
    DWORD dsOffset = 0;
};

// Alpha blending.
enum : BYTE { AC_SRC_OVER = 0, AC_SRC_ALPHA = 1 };
struct BLENDFUNCTION {
    BYTE BlendOp = AC_SRC_OVER;
    BYTE BlendFlags = 0;
    BYTE SourceConstantAlpha = 255;
    BYTE AlphaFormat = 0;
};

// Device capabilities.
enum : int { HORZRES = 8, VERTRES = 10, BITSPIXEL = 12, PLANES = 14, NUMCOLORS = 24, LOGPIXELSX = 88, LOGPIXELSY = 90 };

// Fonts.
enum : int { FW_DONTCARE = 0, FW_NORMAL = 400, FW_BOLD = 700 };
enum : BYTE {
    ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, SHIFTJIS_CHARSET = 128, HANGEUL_CHARSET = 129,
    GB2312_CHARSET = 134, CHINESEBIG5_CHARSET = 136, OEM_CHARSET = 255,
};
constexpr int LF_FACESIZE = 32;
struct LOGFONT {
    LONG lfHeight = 0; // < 0: em height in pixels; > 0: cell height; 0: default size
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = FW_NORMAL;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = DEFAULT_CHARSET;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE * 3] = {}; // UTF-8
};

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 96;
    LONG tmDigitizedAspectY = 96;
    char32_t tmFirstChar = 0x20;
    char32_t tmLastChar = 0xFFFF;
    char32_t tmDefaultChar = 0x1F;
    char32_t tmBreakChar = 0x20;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = DEFAULT_CHARSET;
};

// Text output.
enum : UINT {
    TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6, TA_TOP = 0, TA_BOTTOM = 8, TA_BASELINE = 24,
    TA_NOUPDATECP = 0, TA_UPDATECP = 1,
};
enum : UINT { ETO_OPAQUE = 0x0002, ETO_CLIPPED = 0x0004 };

enum : UINT {
    DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_TABSTOP = 0x80, DT_NOCLIP = 0x100,
    DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800, DT_INTERNAL = 0x1000,
    DT_EDITCONTROL = 0x2000, DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000, DT_MODIFYSTRING = 0x10000,
    DT_RTLREADING = 0x20000, DT_WORD_ELLIPSIS = 0x40000, DT_NOFULLWIDTHCHARBREAK = 0x80000,
    DT_HIDEPREFIX = 0x100000, DT_PREFIXONLY = 0x200000,
};

// DrawEdge.
enum : UINT {
    BDR_RAISEDOUTER = 1, BDR_SUNKENOUTER = 2, BDR_RAISEDINNER = 4, BDR_SUNKENINNER = 8,
    EDGE_RAISED = 5, EDGE_SUNKEN = 10, EDGE_ETCHED = 6, EDGE_BUMP = 9,
    BF_LEFT = 1, BF_TOP = 2, BF_RIGHT = 4, BF_BOTTOM = 8, BF_RECT = 15, BF_MIDDLE = 0x800, BF_FLAT = 0x4000,
    BF_MONO = 0x8000, BF_ADJUST = 0x2000,
};

// System colour indexes (GetSysColor; TColor system colours are these plus 0xFF000000).
enum : int {
    COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15, COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23, COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION = 27, COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30, COLOR_ENDCOLORS = 30,
};

// A pixel buffer that a device context can draw into: 32 bits per pixel
// (B, G, R, A) or 24 (B, G, R). Bits points at the top row; Stride is the
// byte distance from a row to the one below it (negative for bottom-up memory).
struct TPixelSurface {
    uint8_t* Bits = nullptr;
    intptr_t Stride = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t BitCount = 32;
    uint8_t* Row(int32_t Y) const { return Bits + intptr_t(Y) * Stride; }
};

} // namespace platform
