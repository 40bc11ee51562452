#include "UiTestSupport.h"

#include "platform/core/MainThread.h"
#include "platform/ui/HeadlessBackend.h"

using namespace platform;
using namespace uitest;

namespace {

void Click(TPoint P, TMouseButton B = TMouseButton::mbLeft)
{
    InjectMouseButton(B, true, P);
    InjectMouseButton(B, false, P);
}

// A shown top-level window "top" with a focused child "e"; the log empty.
HWND FocusedChild(TRecorder& ARec)
{
    HWND top = ARec.Make("top", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
    HWND e = ARec.Make("e", WS_CHILD | WS_VISIBLE, Bounds(0, 0, 50, 50), top);
    SetFocus(e);
    ARec.Take();
    return e;
}

} // namespace

TEST(Input, ClickOnAnInactiveWindowActivatesThenDelivers)
{
    TRecorder rec;
    HWND a = rec.Make("a", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
    HWND b = rec.Make("b", WS_POPUP | WS_VISIBLE, Bounds(200, 0, 100, 100));
    rec.Make("child", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 20, 20), a);
    ASSERT_EQ(GetActiveWindow(), b);
    rec.Take();
    InjectMouseButton(TMouseButton::mbLeft, true, Point(15, 15));
    rec.Pump();
    std::vector<TEntry> log = rec.Take();
    std::erase_if(log, [](const TEntry& e) { return e.Msg == WM_WINDOWPOSCHANGING || e.Msg == WM_WINDOWPOSCHANGED; });
    EXPECT_EQ(log, (std::vector<TEntry>{{"child", WM_MOUSEACTIVATE, H(a)}, {"a", WM_MOUSEACTIVATE, H(a)},
                                        {"b", WM_NCACTIVATE, 0}, {"b", WM_ACTIVATE, WA_INACTIVE},
                                        {"a", WM_NCACTIVATE, 1}, {"a", WM_ACTIVATE, WA_CLICKACTIVE},
                                        {"b", WM_KILLFOCUS, H(a)}, {"a", WM_SETFOCUS, H(b)},
                                        {"a", WM_PARENTNOTIFY, WM_LBUTTONDOWN}, {"child", WM_LBUTTONDOWN, MK_LBUTTON}}));
    InjectMouseButton(TMouseButton::mbLeft, false, Point(15, 15));
    rec.Pump();
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"child", WM_LBUTTONUP, 0}}));
}

TEST(Input, NoActivateAnswerKeepsTheActiveWindow)
{
    TRecorder rec;
    HWND popup = rec.Make("popup", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100), nullptr, WS_EX_TOOLWINDOW);
    HWND main = rec.Make("main", WS_POPUP | WS_VISIBLE, Bounds(200, 0, 100, 100));
    rec.Handlers[{popup, WM_MOUSEACTIVATE}] = [](WPARAM, LPARAM) -> LRESULT { return MA_NOACTIVATE; };
    SetWindowPos(popup, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    rec.Take();
    Click(Point(5, 5));
    rec.Pump();
    EXPECT_EQ(GetActiveWindow(), main);
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"popup", WM_MOUSEACTIVATE, H(popup)}, {"popup", WM_LBUTTONDOWN, MK_LBUTTON},
                                                {"popup", WM_LBUTTONUP, 0}}));
}

TEST(Input, CaptureRoutesEverythingToTheCapturingWindow)
{
    TRecorder rec;
    HWND top = rec.Make("top", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 200, 200));
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 20, 20), top);
    rec.Make("b", WS_CHILD | WS_VISIBLE, Bounds(100, 100, 20, 20), top);
    std::vector<LPARAM> points;
    rec.Handlers[{a, WM_MOUSEMOVE}] = [&](WPARAM, LPARAM l) -> LRESULT { points.push_back(l); return 0; };
    SetCapture(a);
    rec.Take();
    InjectMouseMove(Point(105, 105));
    InjectMouseMove(Point(5, 5));
    rec.Pump();
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"a", WM_MOUSEMOVE, 0}, {"a", WM_MOUSEMOVE, 0}}));
    EXPECT_EQ(points, (std::vector<LPARAM>{MAKELPARAM(95, 95), MAKELPARAM(-5, -5)}));
    ReleaseCapture();
    rec.Take();
    InjectMouseMove(Point(105, 105));
    rec.Pump();
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"b", WM_MOUSEMOVE, 0}}));
}

TEST(Input, DoubleClicksNeedTheClassStyleTimeAndPlace)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
    rec.Take();
    Click(Point(10, 10));
    Click(Point(11, 10));
    Click(Point(50, 50));
    rec.Pump();
    std::vector<UINT> got;
    for (const TEntry& e : rec.Take())
        got.push_back(e.Msg);
    EXPECT_EQ(got, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    uint32_t old = uint32_t(SetClassLong(w, GCL_STYLE, 0));
    Click(Point(10, 10));
    Click(Point(10, 10));
    rec.Pump();
    got.clear();
    for (const TEntry& e : rec.Take())
        got.push_back(e.Msg);
    EXPECT_EQ(got, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    SetClassLong(w, GCL_STYLE, old);
}

TEST(Input, NonClientClicksCarryTheHitCode)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP | WS_VISIBLE | WS_BORDER, Bounds(0, 0, 100, 100));
    rec.Handlers[{w, WM_NCHITTEST}] = [&](WPARAM, LPARAM l) -> LRESULT {
        return GET_Y_LPARAM(l) < 10 ? HTOBJECT : DefWindowProc(w, WM_NCHITTEST, 0, l);
    };
    rec.Take();
    InjectMouseButton(TMouseButton::mbRight, true, Point(50, 5));
    InjectMouseButton(TMouseButton::mbRight, false, Point(50, 5));
    InjectMouseMove(Point(0, 50));
    rec.Pump();
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"w", WM_NCRBUTTONDOWN, WPARAM(HTOBJECT)}, {"w", WM_NCRBUTTONUP, WPARAM(HTOBJECT)},
                                                {"w", WM_NCMOUSEMOVE, WPARAM(HTBORDER)}}));
}

TEST(Input, DisabledWindowsHearNothingAndDisabledChildrenPassToParent)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
    HWND c = rec.Make("c", WS_CHILD | WS_VISIBLE, Bounds(0, 0, 50, 50), w);
    EnableWindow(c, false);
    rec.Take();
    InjectMouseMove(Point(10, 10));
    rec.Pump();
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"w", WM_MOUSEMOVE, 0}}));
    EnableWindow(w, false);
    rec.Take();
    InjectMouseMove(Point(60, 60));
    rec.Pump();
    EXPECT_TRUE(rec.Take().empty());
}

TEST(Input, MouseLeaveIsPostedOnceWhenTracked)
{
    TRecorder rec;
    HWND top = rec.Make("top", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, Bounds(0, 0, 50, 50), top);
    InjectMouseMove(Point(10, 10));
    rec.Pump();
    TrackMouseLeave(a);
    rec.Take();
    InjectMouseMove(Point(70, 70));
    InjectMouseMove(Point(80, 80));
    rec.Pump();
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"top", WM_MOUSEMOVE, 0}, {"a", WM_MOUSELEAVE, 0}, {"top", WM_MOUSEMOVE, 0}}));
}

TEST(Input, KeysGoToTheFocusAndKeyStateFollows)
{
    TRecorder rec;
    const HWND e = FocusedChild(rec);
    std::vector<int16_t> states;
    rec.Handlers[{e, WM_KEYDOWN}] = [&](WPARAM, LPARAM) -> LRESULT { states.push_back(GetKeyState(VK_SHIFT)); return 0; };
    InjectKey(VK_SHIFT, true);
    InjectKey(VK_MENU, true);
    InjectKey('F', true);
    InjectKey('F', false);
    InjectKey(VK_MENU, false);
    InjectKey(VK_SHIFT, false);
    rec.Pump();
    std::vector<TEntry> log = rec.Take();
    std::erase_if(log, [](const TEntry& x) { return x.Msg == WM_SYSCOMMAND; });
    EXPECT_EQ(log, (std::vector<TEntry>{{"e", WM_KEYDOWN, VK_SHIFT}, {"e", WM_SYSKEYDOWN, VK_MENU}, {"e", WM_SYSKEYDOWN, 'F'},
                                        {"e", WM_SYSKEYUP, 'F'}, {"e", WM_SYSKEYUP, VK_MENU}, {"e", WM_KEYUP, VK_SHIFT}}));
    ASSERT_EQ(states.size(), 1u);
    EXPECT_TRUE(states[0] & 0x8000);
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
}

// Unhandled, Alt+F4 climbs to the focused window's top-level as a close
// request; F4 alone asks nothing.
TEST(Input, AltF4AsksTheFocusedWindowsTopLevelToClose)
{
    TRecorder rec;
    FocusedChild(rec);
    InjectKey(VK_F4, true);
    InjectKey(VK_F4, false);
    InjectKey(VK_MENU, true);
    InjectKey(VK_F4, true);
    InjectKey(VK_F4, false);
    InjectKey(VK_MENU, false);
    rec.Pump();
    std::vector<TEntry> log = rec.Take();
    std::erase_if(log, [](const TEntry& x) { return x.Msg != WM_SYSCOMMAND && x.Msg != WM_CLOSE; });
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], (TEntry{"top", WM_SYSCOMMAND, SC_CLOSE}));
    EXPECT_EQ(log[1], (TEntry{"top", WM_CLOSE, 0}));
}

// The wheel goes to what lies under the pointer, whichever window has the
// keys, and climbs unhandled; a window holding the mouse takes it wherever
// the pointer is; a window behind a modal one, or no window, hears nothing.
TEST(Input, WheelGoesToTheWindowUnderThePointerAndClimbsUnhandled)
{
    const struct {
        const char* What;
        TPoint At;
        bool CaptureByFocus;
        bool DisableOther;
        std::vector<std::string> Heard;
    } cases[] = {
        {"over the focused child", Point(20, 20), false, false, {"e", "top"}},
        {"over a sibling of the focused child", Point(70, 70), false, false, {"list", "top"}},
        {"over another window", Point(220, 20), false, false, {"other"}},
        {"held by the focused child", Point(70, 70), true, false, {"e", "top"}},
        {"over a window behind a modal one", Point(220, 20), false, true, {}},
        {"over no window", Point(150, 150), false, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TRecorder rec;
        HWND other = rec.Make("other", WS_POPUP | WS_VISIBLE, Bounds(200, 0, 100, 100));
        const HWND e = FocusedChild(rec);
        rec.Make("list", WS_CHILD | WS_VISIBLE, Bounds(60, 60, 30, 30), GetAncestor(e, GA_PARENT));
        if (c.CaptureByFocus)
            SetCapture(e);
        if (c.DisableOther)
            EnableWindow(other, false);
        rec.Take();
        InjectMouseWheel(-120, c.At);
        rec.Pump();
        if (c.CaptureByFocus)
            ReleaseCapture();
        std::vector<TEntry> log = rec.Take();
        std::erase_if(log, [](const TEntry& x) { return x.Msg != WM_MOUSEWHEEL; });
        std::vector<std::string> heard;
        for (const TEntry& x : log) {
            heard.push_back(x.Wnd);
            EXPECT_EQ(int16_t(HIWORD(x.W)), -120);
        }
        EXPECT_EQ(heard, c.Heard);
    }
}

TEST(Input, CursorAndClipboardThroughThePresenter)
{
    InjectMouseMove(Point(33, 44));
    PumpMessages();
    EXPECT_EQ(GetCursorPos(), Point(33, 44));
    SetClipboardText("剪贴板");
    EXPECT_EQ(GetClipboardText(), "剪贴板");
}

// The desktop minimising or restoring a window arrives as the system
// command its caption buttons would give, only when the state differs; a
// restored window takes clicks again.
TEST(Input, TheDesktopsMinimiseAndRestoreArriveAsSystemCommands)
{
    TRecorder rec;
    HWND top = rec.Make("top", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
    ShowWindow(top, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(top));
    const struct {
        bool Iconic;
        std::vector<WPARAM> Commands;
    } steps[] = {{true, {}}, {false, {SC_RESTORE}}, {false, {}}, {true, {SC_MINIMIZE}}, {false, {SC_RESTORE}}};
    for (const auto& step : steps) {
        rec.Take();
        InjectWindowState(top, step.Iconic);
        rec.Pump();
        std::vector<WPARAM> commands;
        for (const TEntry& e : rec.Take())
            if (e.Msg == WM_SYSCOMMAND)
                commands.push_back(e.W);
        EXPECT_EQ(commands, step.Commands) << step.Iconic;
        EXPECT_EQ(IsIconic(top), step.Iconic);
    }
    Click(Point(50, 50));
    rec.Pump();
    const std::vector<TEntry> log = rec.Take();
    EXPECT_NE(std::find(log.begin(), log.end(), TEntry{"top", WM_LBUTTONDOWN, MK_LBUTTON}), log.end());
    // A window gone before its turn hears nothing, and nothing breaks.
    HWND gone = rec.Make("gone", WS_POPUP | WS_VISIBLE, Bounds(200, 0, 50, 50));
    InjectWindowState(gone, true);
    DestroyWindow(gone);
    rec.Pump();
}
