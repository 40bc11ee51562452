#pragma once
// What a window has to paint again, and painting it: invalidation collects
// rectangles per window; WM_PAINT comes when the loop has nothing more
// urgent; BeginPaint sends WM_NCPAINT and WM_ERASEBKGND when they are due and
// hands out the rectangle to paint.

#include "platform/gfx/Gdi.h"
#include "platform/ui/Window.h"

namespace platform {

struct TPaintStruct {
    HDC hdc = nullptr;
    bool fErase = false;     // the background still has to be erased
    TRect rcPaint;           // client coordinates
};

bool InvalidateRect(HWND AWnd, const TRect* ARect, bool AErase);
bool ValidateRect(HWND AWnd, const TRect* ARect);
bool GetUpdateRect(HWND AWnd, TRect* ARect, bool AErase);
// The DC draws into the top-level window's back buffer, clipped to what of
// the window is visible and waits to be painted.
HDC BeginPaint(HWND AWnd, TPaintStruct& APaint);
bool EndPaint(HWND AWnd, const TPaintStruct& APaint);
bool UpdateWindow(HWND AWnd);
// Paints every window that waits for it and shows what was drawn, without
// waiting for the message loop or taking input: for work that can come
// after a window is first seen.
void PaintWaitingWindows();

constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_NOERASE = 0x0020;
constexpr UINT RDW_NOCHILDREN = 0x0040;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_NOFRAME = 0x0800;
bool RedrawWindow(HWND AWnd, const TRect* ARect, UINT AFlags);

// Drawing outside WM_PAINT: the client area, or the whole window with its
// frame. What is drawn is shown when the DC is released.
HDC GetDC(HWND AWnd);
HDC GetWindowDC(HWND AWnd);
int ReleaseDC(HWND AWnd, HDC ADC);

// The back buffer of a top-level window (window coordinates, 32 bits per
// pixel, B G R A); nil for other windows.
const TPixelSurface* GetWindowSurface(HWND AWnd);

// A layered window shown from a picture of its own: the bitmap selected into
// ASource (from ASourcePoint) becomes the window's content, its alpha the
// window's shape. APosition/ASize move and size the window first (nil: keep).
constexpr DWORD ULW_COLORKEY = 0x1;
constexpr DWORD ULW_ALPHA = 0x2;
constexpr DWORD ULW_OPAQUE = 0x4;
// Whether the window shows a picture of its own with per-pixel alpha.
bool HasPerPixelAlpha(HWND AWnd);
bool UpdateLayeredWindow(HWND AWnd, HDC ADest, const TPoint* APosition, const TSize* ASize, HDC ASource,
                         const TPoint* ASourcePoint, COLORREF AKey, const BLENDFUNCTION* ABlend, DWORD AFlags);

} // namespace platform
