#pragma once
// The presenter that shows nothing: windows live in memory only. Tests
// inject input (Input.h) and read pixels from the windows' back buffers.

#include "platform/ui/Backend.h"
#include "platform/ui/NotifyIcon.h"

#include <condition_variable>
#include <map>
#include <mutex>

namespace platform {

class THeadlessBackend : public TWindowBackend {
public:
    TPoint CursorPos() override;
    void SetCursorPos(TPoint P) override;
    void CursorMovedByInput(TPoint P) override { SetCursorPos(P); }
    TRect ScreenRect() override { return FScreen; }
    TRect WorkArea() override { return FWorkArea; }
    void SetClipboardText(const std::string& AText) override;
    std::string ClipboardText() override;
    void SetCursorShape(TCursorShape AShape) override { FCursor = AShape; }
    void Beep() override { ++FBeeps; }
    int Beeps() const { return FBeeps; }
    bool DispatchEvents() override { return false; }
    void WaitEvents(uint32_t ATimeoutMs) override;
    void Wake() override;

    void WindowDestroyed(HWND AWnd) override { FShadows.erase(AWnd); }
    void WindowShadow(HWND AWnd, const TRect& AScreenBounds, bool AVisible) override;
    bool HasCompositor() override { return FCompositor; }

    bool NotifyIconAdd(const TNotifyIconData& AData) override;
    bool NotifyIconModify(const TNotifyIconData& AData) override;
    bool NotifyIconDelete(HWND AWnd, UINT AId) override;
    bool NotifyIconRect(HWND AWnd, UINT AId, TRect& ARect) override;

    // Test controls
    void SetScreen(const TRect& AScreen, const TRect& AWorkArea);
    // Whether the desktop has a notification area (it has one at first).
    // Taking it away loses the icons; bringing it back tells the windows.
    void SetNotifyAreaPresent(bool AValue);
    // The icon as the area holds it, nil when it is not there.
    const TNotifyIconData* NotifyIcon(HWND AWnd, UINT AId) const;
    int NotifyIconCount() const { return int(FIcons.size()); }
    // The mouse over an icon, as the area reports it (NotifyIcon.h).
    void NotifyIconMouse(HWND AWnd, UINT AId, UINT AMouseMsg);
    TCursorShape CursorShape() const { return FCursor; }
    // Whether a compositing manager runs (none at first).
    void SetCompositorPresent(bool AValue) { FCompositor = AValue; }
    // The drop shadow the presenter holds for AWnd, nil when it has none: it
    // is made on the first show and kept, hidden or not, until the window goes.
    struct TShadow {
        TRect Bounds;
        bool Visible = false;
    };
    const TShadow* Shadow(HWND AWnd) const;
    int ShadowCount() const { return int(FShadows.size()); }

private:
    std::mutex FLock;
    std::condition_variable FWake;
    bool FWoken = false;
    TPoint FCursor_;
    TCursorShape FCursor = TCursorShape::crDefault;
    int FBeeps = 0;
    std::string FClipboard;
    TRect FScreen = Rect(0, 0, 1920, 1080);
    TRect FWorkArea = Rect(0, 0, 1920, 1040);
    bool FNotifyArea = true;
    std::map<std::pair<HWND, UINT>, TNotifyIconData> FIcons;   // GUI thread
    bool FCompositor = false;
    std::map<HWND, TShadow> FShadows;   // GUI thread
};

} // namespace platform
