#include "skin/core/bsUtils_Probes.h"

#include "platform/ui/Backend.h"
#include "platform/ui/Paint.h"

namespace skin {

using namespace platform;

TbsPlatformEntries DetectPlatformEntries()
{
    TbsPlatformEntries E;
    E.MonitorCount = [] { return 1; };
    // The window layer has both layered-window calls and blur behind
    // windows; it has no monitor list (one screen) and no transitions, so
    // those stay empty. Composition is the compositing manager's.
    E.SetLayeredWindowAttributes = platform::SetLayeredWindowAttributes;
    E.UpdateLayeredWindow = platform::UpdateLayeredWindow;
    E.DwmIsCompositionEnabled = [](bool* AEnabled) {
        *AEnabled = Backend().HasCompositor();
        return true;
    };
    E.DwmEnableBlurBehindWindow = platform::SetWindowBlurBehind;
    // The window layer's move and size loop moves the window itself at
    // every step.
    E.DragFullWindows = [] { return true; };
    return E;
}

TbsPlatformEntries& PlatformEntries()
{
    static TbsPlatformEntries Entries = DetectPlatformEntries();
    return Entries;
}

bool IsLayeredWindowsAvailable(TbsOSVersion V) { return V.Major > 5 || (V.Major == 5 && V.Minor <= 2 && V.Minor >= 0); }
bool IsXPOrLater(TbsOSVersion V) { return V.Major > 5 || (V.Major == 5 && V.Minor == 1); }
bool IsVistaOrLater(TbsOSVersion V) { return V.Major > 5; }
bool IsWindows7(TbsOSVersion V) { return V.Major == 6 && V.Minor == 1; }
bool IsWindows8(TbsOSVersion V) { return (V.Major == 6 && V.Minor == 2) || V.Major > 6; }
bool IsLayeredWindowsAvailable() { return IsLayeredWindowsAvailable(PlatformEntries().Version); }
bool IsXPOrLater() { return IsXPOrLater(PlatformEntries().Version); }
bool IsVistaOrLater() { return IsVistaOrLater(PlatformEntries().Version); }
bool IsWindows7() { return IsWindows7(PlatformEntries().Version); }
bool IsWindows8() { return IsWindows8(PlatformEntries().Version); }

void SetLayeredAlpha(HWND Wnd, uint8_t Alpha)
{
    if (PlatformEntries().SetLayeredWindowAttributes)
        PlatformEntries().SetLayeredWindowAttributes(Wnd, 0, Alpha, LWA_ALPHA);
}

bool IsMultiMonitor()
{
    const TbsPlatformEntries& E = PlatformEntries();
    return E.MonitorCount && E.MonitorCount() > 1 && E.GetMonitorInfoA;
}

void GetPrimaryMonitorRect(bool WorkArea, TRect& R)
{
    R = WorkArea ? GetWorkArea() : Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void GetMonitorRect(HWND Wnd, bool WorkArea, TRect& R)
{
    const TbsPlatformEntries& E = PlatformEntries();
    if (!IsMultiMonitor() || !E.MonitorFromWindow) {
        GetPrimaryMonitorRect(WorkArea, R);
        return;
    }
    constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;
    TbsMonitorInfo Info;
    if (E.GetMonitorInfoA(E.MonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST), &Info))
        R = WorkArea ? Info.rcWork : Info.rcMonitor;
}

bool IsDwmCompositionEnabled()
{
    bool Enabled = false;
    return PlatformEntries().DwmIsCompositionEnabled && PlatformEntries().DwmIsCompositionEnabled(&Enabled) &&
           Enabled;
}

bool IsFullDrag()
{
    return PlatformEntries().DragFullWindows && PlatformEntries().DragFullWindows();
}

void SetDwmTransitions(HWND Wnd, bool Enable)
{
    if (!PlatformEntries().DwmSetWindowAttribute)
        return;
    int32_t Disabled = Enable ? 0 : 1;
    PlatformEntries().DwmSetWindowAttribute(Wnd, DWMWA_TRANSITIONS_FORCEDISABLED, &Disabled, sizeof(Disabled));
}

void EnableBlurBehind(HWND Wnd, bool Enable, HRGN Rgn)
{
    if (PlatformEntries().DwmEnableBlurBehindWindow)
        PlatformEntries().DwmEnableBlurBehindWindow(Wnd, Enable, Rgn);
}

} // namespace skin
