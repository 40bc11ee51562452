#pragma once
// What the platform offers beyond plain windows: layered windows, several
// monitors, a desktop compositor. The skin engine asks these probes before
// it uses a facility; a facility that is not there turns its wrapper into a
// quiet no-op with a neutral answer.
//
// On this platform: layered windows exist (constant and per-pixel alpha),
// there is one screen, windows always move and size whole while dragged,
// and composition is on while a compositing manager runs, which may blur
// behind windows when asked; there are no window transitions to switch
// off. The version answers as the generation 5.1 desktop did.

#include <functional>

#include "platform/ui/Window.h"

namespace skin {

struct TbsOSVersion {
    int Major = 0;
    int Minor = 0;
};

struct TbsMonitorInfo {
    platform::DWORD cbSize = 40;
    platform::TRect rcMonitor;
    platform::TRect rcWork;
    platform::DWORD dwFlags = 0;
};

// The optional entry points, looked up once at start; empty when missing.
struct TbsPlatformEntries {
    TbsOSVersion Version{5, 1};
    std::function<int()> MonitorCount;
    std::function<void*(platform::HWND, platform::DWORD)> MonitorFromWindow;
    std::function<bool(void*, TbsMonitorInfo*)> GetMonitorInfoA;
    std::function<bool(platform::HWND, uint32_t, uint8_t, platform::DWORD)> SetLayeredWindowAttributes;
    std::function<bool(platform::HWND, platform::HDC, const platform::TPoint*, const platform::TSize*, platform::HDC,
                       const platform::TPoint*, platform::COLORREF, const platform::BLENDFUNCTION*, platform::DWORD)>
        UpdateLayeredWindow;
    std::function<bool(bool*)> DwmIsCompositionEnabled;
    std::function<bool(platform::HWND, platform::DWORD, const void*, platform::DWORD)> DwmSetWindowAttribute;
    std::function<bool(platform::HWND, bool AEnable, platform::HRGN ARegion)> DwmEnableBlurBehindWindow;
    // Whether a dragged window moves and sizes whole rather than as an outline.
    std::function<bool()> DragFullWindows;
};

// The entries in use (tests replace them to see a facility missing).
TbsPlatformEntries& PlatformEntries();
// What start-up finds on this platform.
TbsPlatformEntries DetectPlatformEntries();

bool IsLayeredWindowsAvailable(TbsOSVersion AVersion);
bool IsXPOrLater(TbsOSVersion AVersion);
bool IsVistaOrLater(TbsOSVersion AVersion);
bool IsWindows7(TbsOSVersion AVersion);
bool IsWindows8(TbsOSVersion AVersion);
bool IsLayeredWindowsAvailable();
bool IsXPOrLater();
bool IsVistaOrLater();
bool IsWindows7();
bool IsWindows8();

constexpr platform::DWORD DWMWA_TRANSITIONS_FORCEDISABLED = 3;

void SetLayeredAlpha(platform::HWND Wnd, uint8_t Alpha);
bool IsMultiMonitor();
void GetPrimaryMonitorRect(bool WorkArea, platform::TRect& R);
void GetMonitorRect(platform::HWND Wnd, bool WorkArea, platform::TRect& R);
bool IsDwmCompositionEnabled();
// A window being dragged moves and sizes whole (not as an outline).
bool IsFullDrag();
void SetDwmTransitions(platform::HWND Wnd, bool Enable);
void EnableBlurBehind(platform::HWND Wnd, bool Enable, platform::HRGN Rgn);

} // namespace skin
