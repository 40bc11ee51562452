// The main window on a desktop, with and without a window manager:
// minimised by its own caption button and brought back from outside (a task
// bar's request), it takes clicks and keys again; the window manager is
// offered closing and minimising only, at the window's own size.

#include "program/ProgramDesktop.h"
#include "program/ProgramPopups.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace programtest {
namespace {

// The _MOTIF_WM_HINTS functions of W (-1 without the hint).
long MotifFunctions(Display* D, unsigned long W)
{
    const Atom motif = XInternAtom(D, "_MOTIF_WM_HINTS", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long functions = -1;
    if (XGetWindowProperty(D, W, motif, 0, 5, False, motif, &type, &format, &count, &after, &data) == Success && data &&
        count >= 2 && (reinterpret_cast<long*>(data)[0] & 1))
        functions = reinterpret_cast<long*>(data)[1];
    if (data)
        XFree(data);
    return functions;
}

class Desktop : public ::testing::TestWithParam<TDesk> {};

TEST_P(Desktop, MinimisedByItsButtonAndBroughtBackTheMainWindowTakesClicksAndKeys)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(s.Start());
    const TWin main = s.Main();
    s.ClickAt(main, kMinimizeButton);
    ASSERT_TRUE(s.WaitFor("the main window is minimised", [&] { return !s.Refresh(main).Viewable; }));
    AskToActivate(s.XDisplay(), main.Id);
    ASSERT_TRUE(s.WaitFor("the main window comes back", [&] { return s.Refresh(main).Viewable; }));

    s.Key("F10");
    s.Key("Down");
    ASSERT_TRUE(s.WaitFor("F10 and Down open the file menu", [&] { return PopupShown(s); }));
    s.Key("Escape");
    s.Key("Escape");
    ASSERT_TRUE(s.WaitFor("Escape closes it", [&] { return !PopupShown(s); }));
    s.ClickAt(s.Refresh(main), FileMenuInWindow);
    ASSERT_TRUE(s.WaitFor("a click opens the file menu", [&] { return PopupShown(s); }));
    s.Key("Escape");
    ASSERT_TRUE(s.WaitFor("Escape closes it again", [&] { return !PopupShown(s); }));

    ASSERT_TRUE(s.Click(Controls::Options));
    TWin options;
    ASSERT_TRUE(s.WaitWindow("选项", options));
    ASSERT_TRUE(s.Click(Controls::OptionsCancel));
    ASSERT_TRUE(s.WaitWindowGone("选项"));
    ASSERT_TRUE(s.Quit());
}

TEST_P(Desktop, TheWindowManagerIsOfferedClosingAndMinimisingAtTheWindowsOwnSize)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(s.Start());
    const TWin main = s.Main();
    constexpr long kMinimize = 8, kClose = 32;
    EXPECT_EQ(MotifFunctions(s.XDisplay(), main.Id), kMinimize | kClose);
    XSizeHints size{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(s.XDisplay(), main.Id, &size, &supplied));
    EXPECT_TRUE((size.flags & PMinSize) && (size.flags & PMaxSize));
    EXPECT_EQ(size.min_width, main.Bounds.Width());
    EXPECT_EQ(size.max_width, main.Bounds.Width());
    EXPECT_EQ(size.min_height, main.Bounds.Height());
    EXPECT_EQ(size.max_height, main.Bounds.Height());
    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, Desktop, ::testing::Values(TDesk::Bare, TDesk::Openbox), DeskParamName);

} // namespace
} // namespace programtest
