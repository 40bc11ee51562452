#pragma once
// What the display tests of the form frame's menus and ribbon share: the
// pointer moved and clicked through XTEST as a user would.

#include <gtest/gtest.h>

#include "platform/controls/Forms.h"
#include "support/XDisplayTestSupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace x11test {

using namespace platform;
using testsupport::Pause;
using testsupport::SaveScreen;

inline void MovePointer(Display* D, TPoint P)
{
    XTestFakeMotionEvent(D, -1, P.X, P.Y, CurrentTime);
    XFlush(D);
    Pause(150);   // the bar and the menus poll the pointer every 50 ms
}

inline void ClickPointer(Display* D, TPoint P)
{
    MovePointer(D, P);
    XTestFakeButtonEvent(D, 1, True, CurrentTime);
    XTestFakeButtonEvent(D, 1, False, CurrentTime);
    XFlush(D);
    Pause(50);
}

} // namespace x11test
