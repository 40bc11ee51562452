#pragma once
// What a window has to paint again, and painting it: invalidation collects
// rectangles per window; WM_PAINT comes when the loop has nothing more
// urgent; BeginPaint sends WM_NCPAINT and WM_ERASEBKGND when they are due and
// hands out the rectangle to paint.

#include "platform/ui/Window.h"

namespace platform {

struct TPaintStruct {
    void* hdc = nullptr;
    bool fErase = false;     // the background still has to be erased
    TRect rcPaint;           // client coordinates
};

bool InvalidateRect(HWND AWnd, const TRect* ARect, bool AErase);
bool ValidateRect(HWND AWnd, const TRect* ARect);
bool GetUpdateRect(HWND AWnd, TRect* ARect, bool AErase);
void* BeginPaint(HWND AWnd, TPaintStruct& APaint);
bool EndPaint(HWND AWnd, const TPaintStruct& APaint);
bool UpdateWindow(HWND AWnd);

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

} // namespace platform
