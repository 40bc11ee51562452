#pragma once
// Helpers of the tests that drive a real X display: running the message
// loop until something has happened there, and clicks as the display
// delivers them.

#include "platform/controls/Forms.h"
#include "platform/ui/Window.h"

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <thread>

namespace testsupport {

// Runs the loop until ADone holds; a display that never answers ends the
// wait after a few seconds so the test fails instead of hanging.
inline bool PumpUntil(const std::function<bool()>& ADone)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!ADone()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        platform::Application()->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// A left click sent to the X window W at AInWindow (AScreen on the screen).
inline void SendClick(Display* D, Window W, platform::TPoint AScreen, platform::TPoint AInWindow)
{
    for (int type : {ButtonPress, ButtonRelease}) {
        XEvent e{};
        e.xbutton.type = type;
        e.xbutton.display = D;
        e.xbutton.window = W;
        e.xbutton.root = DefaultRootWindow(D);
        e.xbutton.x = AInWindow.X;
        e.xbutton.y = AInWindow.Y;
        e.xbutton.x_root = AScreen.X;
        e.xbutton.y_root = AScreen.Y;
        e.xbutton.button = Button1;
        e.xbutton.same_screen = True;
        XSendEvent(D, W, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
    }
    XFlush(D);
}

} // namespace testsupport
