#pragma once
// The notification area on an X display: each icon is a small X window of
// the program that the desktop's tray manager (the owner of the selection
// _NET_SYSTEM_TRAY_S<screen>) embeds after a dock request. The icon's
// picture is drawn into it over the tray's background; presses and motion
// over it become the icon's callback messages. When the manager goes away
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
    };
    Window FindManager();
    void CreateIconWindow(TIcon& AIcon);
    bool RequestDock(TIcon& AIcon);
    void Draw(TIcon& AIcon);
    void SetTitle(const TIcon& AIcon);
    TIcon* IconOf(Window AXid);
    void ManagerGone();

    Display* Dpy;
    int ScreenNo;
    Window Root;
    Window Manager = 0;
    Atom AtomSelection, AtomOpcode, AtomXEmbedInfo, AtomManager, AtomNetName, AtomUtf8;
    std::map<std::pair<HWND, UINT>, TIcon> FIcons;
};

} // namespace platform
