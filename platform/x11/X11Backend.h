#pragma once
// The presenter on an X display: every top-level window of the window system
// becomes an undecorated X window showing its back buffer; window regions
// become shapes; X input becomes the window system's input; the clipboard is
// the display's; a control can have a real X child window of its own.

#include "platform/gfx/GdiTypes.h"
#include "platform/ui/Backend.h"

#include <memory>
#include <string>

namespace platform {

class TX11Backend : public TWindowBackend {
public:
    // Opens ADisplayName (empty: $DISPLAY); raises EOSError when it cannot.
    explicit TX11Backend(const std::string& ADisplayName = std::string());
    ~TX11Backend() override;

    void WindowCreated(HWND AWnd) override;
    void WindowDestroyed(HWND AWnd) override;
    void WindowShown(HWND AWnd, bool AVisible) override;
    void WindowMoved(HWND AWnd, const TRect& AScreenBounds) override;
    void WindowRestacked() override;
    void WindowRegionChanged(HWND AWnd) override;
    void WindowTextChanged(HWND AWnd) override;
    void WindowAlphaChanged(HWND AWnd) override;
    void WindowBlurChanged(HWND AWnd) override;
    void WindowActivated(HWND AWnd) override;
    void WindowStateChanged(HWND AWnd) override;
    void WindowStyleChanged(HWND AWnd) override;
    void WindowShadow(HWND AWnd, const TRect& AScreenBounds, bool AVisible) override;
    void ProgramIconChanged(int AWidth, int AHeight, const uint32_t* AArgb) override;
    bool HasCompositor() override;
    void GrabPointer(HWND AWnd) override;
    void Present(HWND AWnd, const TRect& ADirty) override;

    void SetCursorShape(TCursorShape AShape) override;
    void Beep() override;
    TPoint CursorPos() override;
    void SetCursorPos(TPoint P) override;
    TRect ScreenRect() override;
    TRect WorkArea() override;
    void SetClipboardText(const std::string& AText) override;
    std::string ClipboardText() override;

    uintptr_t CreateNativeChild(HWND ATopLevel, const TRect& AInTopLevel) override;
    void MoveNativeChild(uintptr_t AId, const TRect& AInTopLevel, bool AVisible) override;
    void DestroyNativeChild(uintptr_t AId) override;

    bool NotifyIconAdd(const TNotifyIconData& AData) override;
    bool NotifyIconModify(const TNotifyIconData& AData) override;
    bool NotifyIconDelete(HWND AWnd, UINT AId) override;
    bool NotifyIconRect(HWND AWnd, UINT AId, TRect& ARect) override;

    bool DispatchEvents() override;
    void WaitEvents(uint32_t ATimeoutMs) override;
    void Wake() override;

    // AWnd's X window has an alpha channel that a compositing manager
    // blends (made while one ran); false for windows shown opaque.
    bool HasAlphaChannel(HWND AWnd) const;
    // The X window showing AWnd (0 for none), and the display connection.
    unsigned long XWindowOf(HWND AWnd) const;
    // The X window showing AWnd's drop shadow, 0 while it has had none.
    unsigned long XShadowWindowOf(HWND AWnd) const;
    void* XDisplay() const;

private:
    void ShapeFromAlpha(HWND AWnd, const TPixelSurface& S);
    void PresentArgb(unsigned long AXid, void* AGC, const TPixelSurface& S, const TRect& ADirty, bool APerPixel);
    struct TImpl;
    std::unique_ptr<TImpl> F;
};

// Installs the X presenter when a display can be opened; false otherwise
// (the headless presenter stays).
bool InstallX11Backend();

} // namespace platform
