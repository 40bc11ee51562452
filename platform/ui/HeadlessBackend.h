#pragma once
// The presenter that shows nothing: windows live in memory only. Tests
// inject input (Input.h) and read pixels from the windows' back buffers.

#include "platform/ui/Backend.h"

#include <condition_variable>
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

    // Test controls
    void SetScreen(const TRect& AScreen, const TRect& AWorkArea);
    TCursorShape CursorShape() const { return FCursor; }

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
};

} // namespace platform
