#pragma once
// The graphics interface: device contexts over pixel buffers, pens,
// brushes, fonts, bitmaps and regions, with the platform's pixel rules:
// rectangles exclude their right and bottom edges, lines are aliased and
// exclude their last point, filled shapes without a pen shrink by one pixel
// to the right and bottom.
//
// Pens, brushes and text write colour bytes and set the alpha byte to 0, as
// the platform's own drawing does on 32-bit bitmaps; copies move all four
// bytes. Only AlphaBlend reads alpha.
//
// All calls are safe from any thread for distinct objects; one DC or bitmap
// must not be drawn from two threads at once (TCanvas has Lock for that).

#include <string>
#include <string_view>

#include "platform/gfx/GdiObjects.h"
#include "platform/gfx/GdiTypes.h"

namespace platform {

// ---- objects
HPEN CreatePen(int AStyle, int AWidth, COLORREF AColor);
HBRUSH CreateSolidBrush(COLORREF AColor);
HBRUSH CreateHatchBrush(int AHatch, COLORREF AColor);
HBRUSH GetSysColorBrush(int AIndex); // stock object, never deleted
HFONT CreateFontIndirect(const LOGFONT& ALogFont);
HFONT CreateFont(int AHeight, int AWidth, int AEscapement, int AOrientation, int AWeight, DWORD AItalic,
                 DWORD AUnderline, DWORD AStrikeOut, DWORD ACharSet, DWORD AOutPrecision, DWORD AClipPrecision,
                 DWORD AQuality, DWORD APitchAndFamily, const char* AFaceName);
HGDIOBJ GetStockObject(int AIndex);
// An object still selected into a DC is freed when it is deselected.
BOOL DeleteObject(HGDIOBJ AObject);
UINT GetObjectType(HGDIOBJ AObject);
// BITMAP or DIBSECTION for bitmaps, LOGFONT for fonts; answers bytes written.
int GetObject(HGDIOBJ AObject, int ASize, void* ABuffer);
inline int GetObjectW(HGDIOBJ AObject, int ASize, void* ABuffer) { return GetObject(AObject, ASize, ABuffer); }

// ---- bitmaps
// 32-bit top-down device bitmaps, pixels zero.
HBITMAP CreateCompatibleBitmap(HDC ADC, int AWidth, int AHeight);
HBITMAP CreateBitmap(int AWidth, int AHeight, UINT APlanes, UINT ABitCount, const void* ABits);
// 24- and 32-bit BI_RGB sections (either row order); pixels zero. ABits gets the memory.
HBITMAP CreateDIBSection(HDC ADC, const BITMAPINFO* AInfo, UINT AUsage, void** ABits, void* ASection = nullptr,
                         DWORD AOffset = 0);
// Reads or writes rows of a bitmap in DIB format (24 or 32 bits, either row
// order). GetDIBits with ABits nil and biBitCount 0 fills in the header.
int GetDIBits(HDC ADC, HBITMAP ABitmap, UINT AStart, UINT ALines, void* ABits, BITMAPINFO* AInfo, UINT AUsage);
int SetDIBits(HDC ADC, HBITMAP ABitmap, UINT AStart, UINT ALines, const void* ABits, const BITMAPINFO* AInfo,
              UINT AUsage);
// Direct access for the window system and image code (nil for non-bitmaps).
const TPixelSurface* GetBitmapSurface(HBITMAP ABitmap);

// ---- device contexts
HDC CreateCompatibleDC(HDC ADC);
HDC CreateDC(const char* ADriver, const char* ADevice, const char* AOutput, const void* AInitData);
// A DC drawing into a caller's pixel buffer (a window's back buffer): device
// point (0, 0) lies at AOrigin of the buffer and drawing is limited to
// AVisible (device coordinates) and the buffer. The buffer must outlive the DC.
HDC CreateSurfaceDC(const TPixelSurface& ASurface, TPoint AOrigin, const TRect& AVisible);
void SetSurfaceDCTarget(HDC ADC, const TPixelSurface& ASurface, TPoint AOrigin, const TRect& AVisible);
// Further limits drawing to a region (device coordinates; copied; nil: none).
void SetSurfaceDCVisibleRegion(HDC ADC, HRGN ARegion);
BOOL DeleteDC(HDC ADC);
// Answers the object it replaced. The typed forms convert without looking at
// the object, since the replaced one may already be gone (deleted while selected).
HGDIOBJ SelectObject(HDC ADC, HGDIOBJ AObject);
inline HPEN SelectObject(HDC ADC, HPEN APen) { return reinterpret_cast<HPEN>(SelectObject(ADC, HGDIOBJ(APen))); }
inline HBRUSH SelectObject(HDC ADC, HBRUSH ABrush) { return reinterpret_cast<HBRUSH>(SelectObject(ADC, HGDIOBJ(ABrush))); }
inline HFONT SelectObject(HDC ADC, HFONT AFont) { return reinterpret_cast<HFONT>(SelectObject(ADC, HGDIOBJ(AFont))); }
inline HBITMAP SelectObject(HDC ADC, HBITMAP ABitmap) { return reinterpret_cast<HBITMAP>(SelectObject(ADC, HGDIOBJ(ABitmap))); }
HGDIOBJ GetCurrentObject(HDC ADC, UINT AType);
int GetDeviceCaps(HDC ADC, int AIndex);
// The surface a DC draws into, nil when it has none.
const TPixelSurface* GetDCSurface(HDC ADC);

int SaveDC(HDC ADC);               // answers the new level, 0 on failure
BOOL RestoreDC(HDC ADC, int ALevel); // negative: relative to the current level

COLORREF SetTextColor(HDC ADC, COLORREF AColor);
COLORREF GetTextColor(HDC ADC);
COLORREF SetBkColor(HDC ADC, COLORREF AColor);
COLORREF GetBkColor(HDC ADC);
int SetBkMode(HDC ADC, int AMode);
int GetBkMode(HDC ADC);
int SetROP2(HDC ADC, int AMode);
int GetROP2(HDC ADC);
int SetStretchBltMode(HDC ADC, int AMode);
int GetStretchBltMode(HDC ADC);
int SetPolyFillMode(HDC ADC, int AMode);
UINT SetTextAlign(HDC ADC, UINT AAlign);
UINT GetTextAlign(HDC ADC);
COLORREF SetDCBrushColor(HDC ADC, COLORREF AColor);
COLORREF SetDCPenColor(HDC ADC, COLORREF AColor);

BOOL SetViewportOrgEx(HDC ADC, int AX, int AY, POINT* AOld);
BOOL GetViewportOrgEx(HDC ADC, POINT* APoint);
BOOL SetWindowOrgEx(HDC ADC, int AX, int AY, POINT* AOld);
BOOL GetWindowOrgEx(HDC ADC, POINT* APoint);
BOOL OffsetViewportOrgEx(HDC ADC, int ADX, int ADY, POINT* AOld);
BOOL OffsetWindowOrgEx(HDC ADC, int ADX, int ADY, POINT* AOld);
BOOL SetBrushOrgEx(HDC ADC, int AX, int AY, POINT* AOld);
BOOL LPtoDP(HDC ADC, POINT* APoints, int ACount);
BOOL DPtoLP(HDC ADC, POINT* APoints, int ACount);

// Clipping: rectangles in logical coordinates, regions in device ones.
int IntersectClipRect(HDC ADC, int ALeft, int ATop, int ARight, int ABottom);
int ExcludeClipRect(HDC ADC, int ALeft, int ATop, int ARight, int ABottom);
int SelectClipRgn(HDC ADC, HRGN ARegion); // copies; nil removes the clip
int ExtSelectClipRgn(HDC ADC, HRGN ARegion, int AMode);
int OffsetClipRgn(HDC ADC, int ADX, int ADY);
int GetClipBox(HDC ADC, RECT* ARect); // logical coordinates
int GetClipRgn(HDC ADC, HRGN ARegion); // 1 with a clip, 0 without, -1 on error
BOOL PtVisible(HDC ADC, int AX, int AY);
BOOL RectVisible(HDC ADC, const RECT* ARect);

// ---- drawing
BOOL MoveToEx(HDC ADC, int AX, int AY, POINT* AOld);
BOOL GetCurrentPositionEx(HDC ADC, POINT* APoint);
BOOL LineTo(HDC ADC, int AX, int AY);
BOOL Polyline(HDC ADC, const POINT* APoints, int ACount);
BOOL PolylineTo(HDC ADC, const POINT* APoints, int ACount);
BOOL Polygon(HDC ADC, const POINT* APoints, int ACount);
BOOL Rectangle(HDC ADC, int ALeft, int ATop, int ARight, int ABottom);
BOOL RoundRect(HDC ADC, int ALeft, int ATop, int ARight, int ABottom, int AWidth, int AHeight);
BOOL Ellipse(HDC ADC, int ALeft, int ATop, int ARight, int ABottom);
int FillRect(HDC ADC, const RECT* ARect, HBRUSH ABrush);
int FrameRect(HDC ADC, const RECT* ARect, HBRUSH ABrush);
BOOL InvertRect(HDC ADC, const RECT* ARect);
BOOL DrawFocusRect(HDC ADC, const RECT* ARect);
BOOL DrawEdge(HDC ADC, RECT* ARect, UINT AEdge, UINT AFlags);
BOOL PatBlt(HDC ADC, int AX, int AY, int AWidth, int AHeight, DWORD ARop);
COLORREF SetPixel(HDC ADC, int AX, int AY, COLORREF AColor);
BOOL SetPixelV(HDC ADC, int AX, int AY, COLORREF AColor);
COLORREF GetPixel(HDC ADC, int AX, int AY); // CLR_INVALID outside the clip
BOOL FillRgn(HDC ADC, HRGN ARegion, HBRUSH ABrush);
BOOL FrameRgn(HDC ADC, HRGN ARegion, HBRUSH ABrush, int AWidth, int AHeight);
BOOL PaintRgn(HDC ADC, HRGN ARegion);

// ---- transfers
BOOL BitBlt(HDC ADest, int AX, int AY, int AWidth, int AHeight, HDC ASource, int AXSrc, int AYSrc, DWORD ARop);
// Nearest-neighbour scaling; a negative width or height mirrors.
BOOL StretchBlt(HDC ADest, int AX, int AY, int AWidth, int AHeight, HDC ASource, int AXSrc, int AYSrc, int AWSrc,
                int AHSrc, DWORD ARop);
// Pixels whose colour equals AKey (RGB, alpha ignored) are not copied.
BOOL TransparentBlt(HDC ADest, int AX, int AY, int AWidth, int AHeight, HDC ASource, int AXSrc, int AYSrc,
                    int AWSrc, int AHSrc, UINT AKey);
// Source-over with constant alpha and, with AC_SRC_ALPHA, premultiplied
// per-pixel alpha: d = s*k + d*(255 - sa*k)/255 per channel, rounded.
BOOL AlphaBlend(HDC ADest, int AX, int AY, int AWidth, int AHeight, HDC ASource, int AXSrc, int AYSrc, int AWSrc,
                int AHSrc, BLENDFUNCTION ABlend);
int SetDIBitsToDevice(HDC ADC, int AX, int AY, DWORD AWidth, DWORD AHeight, int AXSrc, int AYSrc, UINT AStartScan,
                      UINT ALines, const void* ABits, const BITMAPINFO* AInfo, UINT AUsage);
int StretchDIBits(HDC ADC, int AX, int AY, int AWidth, int AHeight, int AXSrc, int AYSrc, int AWSrc, int AHSrc,
                  const void* ABits, const BITMAPINFO* AInfo, UINT AUsage, DWORD ARop);

// ---- regions
HRGN CreateRectRgn(int ALeft, int ATop, int ARight, int ABottom);
HRGN CreateRectRgnIndirect(const RECT* ARect);
HRGN CreateEllipticRgn(int ALeft, int ATop, int ARight, int ABottom);
HRGN CreateRoundRectRgn(int ALeft, int ATop, int ARight, int ABottom, int AWidth, int AHeight);
HRGN CreatePolygonRgn(const POINT* APoints, int ACount, int AFillMode);
// Rectangles of ARegionData (RDH_RECTANGLES), in any order; a transform is
// not supported (must be nil). Nil for malformed data.
HRGN ExtCreateRegion(const void* AXForm, DWORD ACount, const RGNDATA* ARegionData);
// Bytes needed with ABuffer nil; otherwise writes header and banded rectangles.
DWORD GetRegionData(HRGN ARegion, DWORD ACount, RGNDATA* ABuffer);
int CombineRgn(HRGN ADest, HRGN ASource1, HRGN ASource2, int AMode);
BOOL SetRectRgn(HRGN ARegion, int ALeft, int ATop, int ARight, int ABottom);
int OffsetRgn(HRGN ARegion, int ADX, int ADY);
int GetRgnBox(HRGN ARegion, RECT* ARect);
BOOL PtInRegion(HRGN ARegion, int AX, int AY);
BOOL RectInRegion(HRGN ARegion, const RECT* ARect);
BOOL EqualRgn(HRGN ARegion1, HRGN ARegion2);

// ---- text (UTF-8)
BOOL TextOut(HDC ADC, int AX, int AY, std::string_view AText);
BOOL ExtTextOut(HDC ADC, int AX, int AY, UINT AOptions, const RECT* ARect, std::string_view AText,
                const int* ADx = nullptr);
// Answers the text's height; with DT_CALCRECT only measures into ARect.
int DrawText(HDC ADC, std::string_view AText, RECT* ARect, UINT AFormat);
inline int DrawTextW(HDC ADC, std::string_view AText, RECT* ARect, UINT AFormat)
{
    return DrawText(ADC, AText, ARect, AFormat);
}
BOOL GetTextExtentPoint32(HDC ADC, std::string_view AText, SIZE* ASize);
inline BOOL GetTextExtentPoint32W(HDC ADC, std::string_view AText, SIZE* ASize)
{
    return GetTextExtentPoint32(ADC, AText, ASize);
}
BOOL GetTextMetrics(HDC ADC, TEXTMETRIC* AMetrics);
// Tab stops in pixels (none: every 8 average character widths).
long TabbedTextOut(HDC ADC, int AX, int AY, std::string_view AText, int ATabCount, const int* ATabs, int AOrigin);
int SetTextCharacterExtra(HDC ADC, int AExtra);

// ---- colours
DWORD GetSysColor(int AIndex);
BOOL SetSysColors(int ACount, const int* AIndexes, const COLORREF* AColors);

} // namespace platform
