#pragma once
// Helpers of the tests that drive a real X display: running the message
// loop until something has happened there, and pointer moves and clicks as
// the display delivers them.

#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/PngImage.h"
#include "platform/ui/Backend.h"
#include "platform/x11/X11Backend.h"
#include "support/XScreenPng.h"
#include "platform/ui/Window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

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

// Runs the loop for AMs milliseconds.
inline void Pause(int AMs)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(AMs);
    while (std::chrono::steady_clock::now() < until) {
        platform::Application()->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Whether the X window W is mapped and all its ancestors too (0: not).
inline bool Viewable(Display* D, Window W)
{
    XWindowAttributes a;
    return W && XGetWindowAttributes(D, W, &a) && a.map_state == IsViewable;
}

// The root's children from the bottom up.
inline std::vector<Window> XStacking(Display* D)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(D, DefaultRootWindow(D), &root, &parent, &children, &count);
    std::vector<Window> order(children, children + count);
    if (children)
        XFree(children);
    return order;
}

// Whether ALower lies right under AUpper among the root's children.
inline bool StackedJustBelow(Display* D, Window ALower, Window AUpper)
{
    const std::vector<Window> order = XStacking(D);
    for (size_t i = 1; i < order.size(); ++i)
        if (order[i] == AUpper)
            return order[i - 1] == ALower;
    return false;
}

// The X11 presenter on the display DISPLAY names; nil when there is none,
// for the test to skip.
inline platform::TX11Backend* InstallTestX11Backend()
{
    if (platform::GetEnvironmentVariable("DISPLAY").empty() || !platform::InstallX11Backend())
        return nullptr;
    return dynamic_cast<platform::TX11Backend*>(&platform::Backend());
}

// A test on the display DISPLAY names, with the X11 presenter installed
// there (x) and its display (d). Skipped without a display; a display the
// presenter cannot start on fails the test.
struct TXDisplayTest : ::testing::Test {
    platform::TX11Backend* x = nullptr;
    Display* d = nullptr;

    void SetUp() override
    {
        if (platform::GetEnvironmentVariable("DISPLAY").empty())
            GTEST_SKIP() << "no X display";
        ASSERT_TRUE(platform::InstallX11Backend());
        x = dynamic_cast<platform::TX11Backend*>(&platform::Backend());
        ASSERT_NE(x, nullptr);
        d = static_cast<Display*>(x->XDisplay());
    }
    // Whether the set-up above ended the test: skipped or failed.
    bool SetUpEnded() const { return IsSkipped() || HasFatalFailure(); }
};

// Stands in for a compositing manager: holds the selection a manager owns
// while it runs, on a connection of its own. Nothing blends the windows, so
// their alpha stays readable.
class TCompositorStandIn {
public:
    TCompositorStandIn() : FDisplay(XOpenDisplay(nullptr))
    {
        if (!FDisplay)
            return;
        const std::string selection = "_NET_WM_CM_S" + std::to_string(DefaultScreen(FDisplay));
        Window owner = XCreateSimpleWindow(FDisplay, DefaultRootWindow(FDisplay), 0, 0, 1, 1, 0, 0, 0);
        XSetSelectionOwner(FDisplay, XInternAtom(FDisplay, selection.c_str(), False), owner, CurrentTime);
        XSync(FDisplay, False);
    }
    ~TCompositorStandIn()
    {
        if (FDisplay)
            XCloseDisplay(FDisplay);
    }
    TCompositorStandIn(const TCompositorStandIn&) = delete;
    TCompositorStandIn& operator=(const TCompositorStandIn&) = delete;
    bool Running() const { return FDisplay != nullptr; }

private:
    Display* FDisplay;
};

// A pointer event of AType for the X window W at AInWindow (AScreen on the
// screen); motion and button events share the fields filled here.
inline XEvent PointerEvent(Display* D, Window W, int AType, platform::TPoint AScreen, platform::TPoint AInWindow)
{
    XEvent e{};
    e.xbutton.type = AType;
    e.xbutton.display = D;
    e.xbutton.window = W;
    e.xbutton.root = DefaultRootWindow(D);
    e.xbutton.x = AInWindow.X;
    e.xbutton.y = AInWindow.Y;
    e.xbutton.x_root = AScreen.X;
    e.xbutton.y_root = AScreen.Y;
    e.xbutton.button = AType == MotionNotify ? 0 : Button1;
    e.xbutton.same_screen = True;
    return e;
}

// A pointer move sent to the X window W, the display's own pointer moved there first.
inline void SendMotion(Display* D, Window W, platform::TPoint AScreen, platform::TPoint AInWindow)
{
    XWarpPointer(D, None, DefaultRootWindow(D), 0, 0, 0, 0, AScreen.X, AScreen.Y);
    XEvent e = PointerEvent(D, W, MotionNotify, AScreen, AInWindow);
    XSendEvent(D, W, True, PointerMotionMask, &e);
    XFlush(D);
}

// A left click sent to the X window W at AInWindow (AScreen on the screen).
inline void SendClick(Display* D, Window W, platform::TPoint AScreen, platform::TPoint AInWindow)
{
    for (int type : {ButtonPress, ButtonRelease}) {
        XEvent e = PointerEvent(D, W, type, AScreen, AInWindow);
        XSendEvent(D, W, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
    }
    XFlush(D);
}

} // namespace testsupport
