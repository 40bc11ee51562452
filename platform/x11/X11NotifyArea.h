#pragma once
// The notification area on an X display: each icon is a small X window of
// the program that the desktop's tray manager (the owner of the selection
// _NET_SYSTEM_TRAY_S<screen>) embeds after a dock request. A tray that
// composites its icons names a 32-bit visual in _NET_SYSTEM_TRAY_VISUAL:
// the icon window is made on it and the picture keeps its alpha; otherwise
// the picture is drawn over the tray's background. Presses and motion over
// an icon become its callback messages. When the manager goes away
// the icons leave the screen; when one appears, the program is told so it
// can add them again.

#include "platform/ui/NotifyIcon.h"

#include <X11/Xlib.h>

#include <map>
#include <utility>

namespace platform {

class TX11NotifyArea {
public:
    TX11NotifyArea(Display* ADisplay, int AScreen);
    ~TX11NotifyArea();
    TX11NotifyArea(const TX11NotifyArea&) = delete;
    TX11NotifyArea& operator=(const TX11NotifyArea&) = delete;

    bool Add(const TNotifyIconData& AData);
    bool Modify(const TNotifyIconData& AData);
    bool Delete(HWND AWnd, UINT AId);
    bool IconRect(HWND AWnd, UINT AId, TRect& ARect);
    // Takes the events that concern the icons or the tray manager; true
    // when the event was one of them.
    bool HandleEvent(const XEvent& E);

private:
    struct TIcon {
        TNotifyIconData Data;
        Window Xid = 0;
        bool Docked = false;
        // The visual the window was made on: the tray's 32-bit one, or
        // nil for the screen's default.
        Visual* Argb = nullptr;
    };
    Window FindManager();
    // The 32-bit visual with alpha the manager asks its icons to use, or
    // nil when it names none (or one without an alpha channel).
    Visual* TrayArgbVisual();
    void CreateIconWindow(TIcon& AIcon, Visual* AArgb);
    bool RequestDock(TIcon& AIcon);
    void Draw(TIcon& AIcon);
    void SetTitle(const TIcon& AIcon);
    TIcon* IconOf(Window AXid);
    void ManagerGone();

    Display* Dpy;
    int ScreenNo;
    Window Root;
    Window Manager = 0;
    Atom AtomSelection, AtomOpcode, AtomXEmbedInfo, AtomManager, AtomNetName, AtomUtf8, AtomTrayVisual;
    // The colormap of the 32-bit visual the icons were last made on.
    Visual* FArgbVisual = nullptr;
    Colormap FArgbMap = 0;
    std::map<std::pair<HWND, UINT>, TIcon> FIcons;
};

} // namespace platform
