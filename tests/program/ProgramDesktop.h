#pragma once
// What a desktop does to the main window from outside: its own minimise
// button, and a task bar's request to bring it back.

#include "program/ProgramSession.h"

#include <X11/Xlib.h>

namespace programtest {

// The main window's skinned minimise button (its only caption button
// beside close), in window coordinates.
inline constexpr platform::TPoint kMinimizeButton{786, 14};

// What a task bar sends to bring a window back: a request to the root
// window, answered by the window manager or, without one, by the program.
inline void AskToActivate(Display* D, unsigned long W)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = W;
    e.xclient.message_type = XInternAtom(D, "_NET_ACTIVE_WINDOW", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = 2;   // a pager or task bar asks
    XSendEvent(D, DefaultRootWindow(D), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(D);
}

} // namespace programtest
