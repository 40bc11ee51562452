#pragma once
// The presenter behind the window system: the headless one keeps everything
// in memory, the X11 one shows top-level windows on a display. The window
// system tells it what changed; it feeds input back through Input.h and wakes
// the GUI thread when something arrives.

#include "platform/ui/Window.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

struct TNotifyIconData;

enum class TCursorShape { crDefault, crArrow, crIBeam, crWait, crCross, crSizeNWSE, crSizeNESW, crSizeWE, crSizeNS, crSizeAll, crHandPoint, crNo, crNone };

class TWindowBackend {
public:
    virtual ~TWindowBackend() = default;

    // Top-level windows only.
    virtual void WindowCreated(HWND AWnd) {}
    virtual void WindowDestroyed(HWND AWnd) {}
    virtual void WindowShown(HWND AWnd, bool AVisible) {}
    virtual void WindowMoved(HWND AWnd, const TRect& AScreenBounds) {}
    virtual void WindowRestacked() {}
    virtual void WindowRegionChanged(HWND AWnd) {}
    virtual void WindowTextChanged(HWND AWnd) {}
    virtual void WindowAlphaChanged(HWND AWnd) {}
    // The window asks for blur behind (part of) itself or no longer does
    // (GetWindowBlurBehind tells which).
    virtual void WindowBlurChanged(HWND AWnd) {}
    virtual void WindowActivated(HWND AWnd) {}
    // Minimised, maximised or restored (IsIconic / IsZoomed tell which).
    virtual void WindowStateChanged(HWND AWnd) {}
    // What the style offers the desktop changed: the minimise and maximise
    // boxes, the system menu or the sizing frame; or whether the mouse
    // passes through a layered window (WS_EX_TRANSPARENT).
    virtual void WindowStyleChanged(HWND AWnd) {}
    // The pointer goes to the program while top-level AWnd (a popup) is
    // shown, wherever it is pressed; 0 gives it back.
    virtual void GrabPointer(HWND AWnd) {}
    // The drop shadow of AWnd (DropShadow.h): shown at AScreenBounds while
    // AVisible, hidden otherwise; WindowRestacked follows when it appears or
    // goes, and it is freed with its window.
    virtual void WindowShadow(HWND AWnd, const TRect& AScreenBounds, bool AVisible) {}
    // The picture a desktop shows for every window of the program (task
    // bar, switcher): AWidth x AHeight pixels of 0xAARRGGBB, not premultiplied.
    virtual void ProgramIconChanged(int AWidth, int AHeight, const uint32_t* AArgb) {}
    // A compositing manager blends windows' alpha onto the screen.
    virtual bool HasCompositor() { return false; }
    // The part ADirty (window coordinates) of the window's back buffer is new.
    virtual void Present(HWND AWnd, const TRect& ADirty) {}

    virtual void SetCursorShape(TCursorShape AShape) {}
    virtual void Beep() {}
    virtual TPoint CursorPos() = 0;
    // Input placed the pointer there (injected or from the display).
    virtual void CursorMovedByInput(TPoint P) {}
    virtual void SetCursorPos(TPoint P) = 0;
    virtual TRect ScreenRect() = 0;
    virtual TRect WorkArea() = 0;
    virtual void SetClipboardText(const std::string& AText) = 0;
    virtual std::string ClipboardText() = 0;

    // A native child window covering AScreenBounds inside top-level AWnd's
    // area; 0 when there are none. Moved with MoveNativeChild.
    virtual uintptr_t CreateNativeChild(HWND ATopLevel, const TRect& AInTopLevel) { return 0; }
    virtual void MoveNativeChild(uintptr_t AId, const TRect& AInTopLevel, bool AVisible) {}
    virtual void DestroyNativeChild(uintptr_t AId) {}

    // The desktop's notification area (NotifyIcon.h): icons by window and
    // id. Adding fails when the desktop has none; adding an icon that is
    // there already docks it again.
    virtual bool NotifyIconAdd(const TNotifyIconData& AData) { return false; }
    virtual bool NotifyIconModify(const TNotifyIconData& AData) { return false; }
    virtual bool NotifyIconDelete(HWND AWnd, UINT AId) { return false; }
    virtual bool NotifyIconRect(HWND AWnd, UINT AId, TRect& ARect) { return false; }

    // Turns what arrived from the display into input (Input.h); false when
    // nothing had arrived. GUI thread.
    virtual bool DispatchEvents() = 0;
    // Blocks until something arrives, Wake is called or ATimeoutMs passes
    // (UINT32_MAX: no limit). GUI thread.
    virtual void WaitEvents(uint32_t ATimeoutMs) = 0;
    // Any thread.
    virtual void Wake() = 0;
};

// The presenter in use; the headless one until another is installed.
TWindowBackend& Backend();
// Replaces the presenter. Call before the first window is created.
void SetBackend(std::unique_ptr<TWindowBackend> ABackend);

} // namespace platform
