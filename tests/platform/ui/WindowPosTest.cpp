#include "UiTestSupport.h"

#include "platform/ui/Backend.h"

using namespace platform;
using namespace uitest;

namespace {

std::vector<TEntry> Without(std::vector<TEntry> ALog, std::set<UINT> AMsgs)
{
    std::erase_if(ALog, [&](const TEntry& e) { return AMsgs.count(e.Msg) > 0; });
    return ALog;
}

} // namespace

TEST(WindowPos, ShowingATopLevelWindowActivatesAndFocusesIt)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP, Rect(0, 0, 100, 100));
    rec.Take();
    EXPECT_FALSE(ShowWindow(w, SW_SHOW));
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"w", WM_SHOWWINDOW, 1}, {"w", WM_WINDOWPOSCHANGING, 0},
                                                {"w", WM_ACTIVATEAPP, 1}, {"w", WM_NCACTIVATE, 1}, {"w", WM_ACTIVATE, WA_ACTIVE},
                                                {"w", WM_SETFOCUS, 0}, {"w", WM_WINDOWPOSCHANGED, 0}}));
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(GetActiveWindow(), w);
    EXPECT_EQ(GetFocus(), w);
    EXPECT_TRUE(ShowWindow(w, SW_HIDE));
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"w", WM_SHOWWINDOW, 0}, {"w", WM_WINDOWPOSCHANGING, 0},
                                                {"w", WM_KILLFOCUS, 0}, {"w", WM_NCACTIVATE, 0},
                                                {"w", WM_ACTIVATE, WA_INACTIVE}, {"w", WM_ACTIVATEAPP, 0},
                                                {"w", WM_WINDOWPOSCHANGED, 0}}));
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST(WindowPos, ShowingWithoutActivation)
{
    struct TCase {
        int Cmd;
        DWORD ExStyle;
    } cases[] = {{SW_SHOWNA, 0}, {SW_SHOWNOACTIVATE, 0}, {SW_SHOW, WS_EX_NOACTIVATE}};
    for (const TCase& c : cases) {
        TRecorder rec;
        HWND w = rec.Make("w", WS_POPUP, Rect(0, 0, 10, 10), nullptr, c.ExStyle);
        rec.Take();
        ShowWindow(w, c.Cmd);
        EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"w", WM_SHOWWINDOW, 1}, {"w", WM_WINDOWPOSCHANGING, 0},
                                                    {"w", WM_WINDOWPOSCHANGED, 0}}))
            << c.Cmd;
        EXPECT_EQ(GetActiveWindow(), nullptr);
    }
}

TEST(WindowPos, MovingAndSizingOrder)
{
    struct TCase {
        const char* Name;
        TRect To;
        std::vector<UINT> Expected;
    } cases[] = {
        {"move", Bounds(5, 6, 100, 50), {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}},
        {"size", Bounds(0, 0, 120, 60), {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_SIZE}},
        {"both", Bounds(1, 1, 90, 40), {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}},
        {"same", Bounds(0, 0, 100, 50), {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}},
    };
    for (const TCase& c : cases) {
        TRecorder rec;
        HWND top = rec.Make("top", WS_POPUP | WS_VISIBLE, Rect(0, 0, 400, 400));
        HWND w = rec.Make("w", WS_CHILD | WS_VISIBLE, Bounds(0, 0, 100, 50), top);
        rec.Take();
        MoveWindow(w, c.To.Left, c.To.Top, c.To.Width(), c.To.Height());
        std::vector<UINT> got;
        for (const TEntry& e : rec.Take())
            got.push_back(e.Msg);
        EXPECT_EQ(got, c.Expected) << c.Name;
        TRect r;
        GetWindowRect(w, r);
        EXPECT_EQ(r, c.To) << c.Name;
    }
}

TEST(WindowPos, ChangingHandlerMayRewriteThePosition)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP, Rect(0, 0, 100, 100));
    rec.Handlers[{w, WM_WINDOWPOSCHANGING}] = [](WPARAM, LPARAM l) -> LRESULT {
        auto* wp = reinterpret_cast<TWindowPos*>(l);
        wp->cx = std::max(wp->cx, 80);   // a minimum width
        wp->y = 7;
        return 0;
    };
    std::vector<LPARAM> sizes;
    rec.Handlers[{w, WM_SIZE}] = [&](WPARAM, LPARAM l) -> LRESULT { sizes.push_back(l); return 0; };
    SetWindowPos(w, nullptr, 3, 4, 20, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    TRect r;
    GetWindowRect(w, r);
    EXPECT_EQ(r, Bounds(3, 7, 80, 30));
    EXPECT_EQ(sizes, std::vector<LPARAM>{MAKELPARAM(80, 30)});
}

TEST(WindowPos, ActivationOrderBetweenTwoWindows)
{
    TRecorder rec;
    HWND a = rec.Make("a", WS_POPUP | WS_VISIBLE, Rect(0, 0, 100, 100));
    HWND a1 = rec.Make("a1", WS_CHILD | WS_VISIBLE, Rect(0, 0, 10, 10), a);
    HWND b = rec.Make("b", WS_POPUP | WS_VISIBLE, Rect(0, 0, 100, 100));
    SetActiveWindow(a);
    SetFocus(a1);
    rec.Take();
    EXPECT_EQ(SetActiveWindow(b), a);
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"a", WM_NCACTIVATE, 0}, {"a", WM_ACTIVATE, WA_INACTIVE},
                                                {"b", WM_WINDOWPOSCHANGING, 0}, {"b", WM_WINDOWPOSCHANGED, 0},
                                                {"b", WM_NCACTIVATE, 1}, {"b", WM_ACTIVATE, WA_ACTIVE},
                                                {"a1", WM_KILLFOCUS, H(b)}, {"b", WM_SETFOCUS, H(a1)}}));
    EXPECT_EQ(GetWindow(b, GW_HWNDFIRST), b);
}

TEST(WindowPos, FocusChangesBetweenSiblings)
{
    TRecorder rec;
    HWND top = rec.Make("top", WS_POPUP | WS_VISIBLE, Rect(0, 0, 100, 100));
    HWND x = rec.Make("x", WS_CHILD | WS_VISIBLE, Rect(0, 0, 10, 10), top);
    HWND y = rec.Make("y", WS_CHILD | WS_VISIBLE, Rect(0, 0, 10, 10), top);
    SetFocus(x);
    rec.Take();
    EXPECT_EQ(SetFocus(y), x);
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"x", WM_KILLFOCUS, H(y)}, {"y", WM_SETFOCUS, H(x)}}));
    EXPECT_EQ(SetFocus(y), y);
    EXPECT_TRUE(rec.Take().empty());
    // A disabled window takes no focus.
    EnableWindow(x, false);
    rec.Take();
    EXPECT_EQ(SetFocus(x), nullptr);
    EXPECT_EQ(GetFocus(), y);
    // Disabling the focused window leaves no focus.
    EnableWindow(y, false);
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"y", WM_CANCELMODE, 0}, {"y", WM_KILLFOCUS, 0}, {"y", WM_ENABLE, 0}}));
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST(WindowPos, FocusInAnotherWindowActivatesIt)
{
    TRecorder rec;
    HWND a = rec.Make("a", WS_POPUP | WS_VISIBLE, Rect(0, 0, 100, 100));
    HWND b = rec.Make("b", WS_POPUP | WS_VISIBLE, Rect(0, 0, 100, 100));
    HWND a1 = rec.Make("a1", WS_CHILD | WS_VISIBLE, Rect(0, 0, 10, 10), a);
    ASSERT_EQ(GetActiveWindow(), b);
    rec.Take();
    SetFocus(a1);
    EXPECT_EQ(Without(rec.Take(), {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}),
              (std::vector<TEntry>{{"b", WM_NCACTIVATE, 0}, {"b", WM_ACTIVATE, WA_INACTIVE}, {"a", WM_NCACTIVATE, 1},
                                   {"a", WM_ACTIVATE, WA_ACTIVE}, {"b", WM_KILLFOCUS, H(a)}, {"a", WM_SETFOCUS, H(b)},
                                   {"a", WM_KILLFOCUS, H(a1)}, {"a1", WM_SETFOCUS, H(a)}}));
}

TEST(WindowPos, HidingTheActiveWindowActivatesItsOwner)
{
    TRecorder rec;
    HWND owner = rec.Make("owner", WS_POPUP | WS_VISIBLE, Rect(0, 0, 100, 100));
    HWND other = rec.Make("other", WS_POPUP | WS_VISIBLE, Rect(0, 0, 100, 100));
    HWND dialog = rec.Make("dialog", WS_POPUP | WS_VISIBLE, Rect(0, 0, 50, 50), owner);
    (void)other;
    ASSERT_EQ(GetActiveWindow(), dialog);
    ShowWindow(dialog, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
}

TEST(WindowPos, ZOrderBandsAndOwnedWindows)
{
    TRecorder rec;
    HWND a = rec.Make("a", WS_POPUP, Rect(0, 0, 10, 10));
    HWND t = rec.Make("t", WS_POPUP, Rect(0, 0, 10, 10), nullptr, WS_EX_TOPMOST);
    HWND b = rec.Make("b", WS_POPUP, Rect(0, 0, 10, 10));
    HWND owned = rec.Make("owned", WS_POPUP, Rect(0, 0, 10, 10), a);
    EXPECT_EQ(GetChildWindows(nullptr), (std::vector<HWND>{t, owned, b, a}));
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetChildWindows(nullptr), (std::vector<HWND>{t, owned, a, b}));
    SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetChildWindows(nullptr), (std::vector<HWND>{b, t, owned, a}));
    SetWindowPos(b, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetChildWindows(nullptr), (std::vector<HWND>{t, b, owned, a}));
    SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetChildWindows(nullptr), (std::vector<HWND>{t, owned, a, b}));
}

TEST(WindowPos, CaptureChangesAreAnnounced)
{
    TRecorder rec;
    HWND top = rec.Make("top", WS_POPUP | WS_VISIBLE, Rect(0, 0, 100, 100));
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, Rect(0, 0, 10, 10), top);
    HWND b = rec.Make("b", WS_CHILD | WS_VISIBLE, Rect(20, 0, 30, 10), top);
    rec.Take();
    EXPECT_EQ(SetCapture(a), nullptr);
    EXPECT_EQ(SetCapture(b), a);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"a", WM_CAPTURECHANGED, 0}, {"b", WM_CAPTURECHANGED, 0}}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(WindowPos, MaximiseAndRestore)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP | WS_VISIBLE, Bounds(10, 10, 200, 100));
    std::vector<WPARAM> kinds;
    rec.Handlers[{w, WM_SIZE}] = [&](WPARAM k, LPARAM) -> LRESULT { kinds.push_back(k); return 0; };
    ShowWindow(w, SW_MAXIMIZE);
    TRect r;
    GetWindowRect(w, r);
    EXPECT_EQ(r, GetWorkArea());
    EXPECT_TRUE(IsZoomed(w));
    ShowWindow(w, SW_RESTORE);
    GetWindowRect(w, r);
    EXPECT_EQ(r, Bounds(10, 10, 200, 100));
    ShowWindow(w, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(w));
    EXPECT_NE(GetActiveWindow(), w);
    EXPECT_EQ(kinds, (std::vector<WPARAM>{SIZE_MAXIMIZED, SIZE_RESTORED, SIZE_MINIMIZED}));
}

TEST(WindowPos, WindowFromPointRespectsZOrderRegionsAndDisabledChildren)
{
    TRecorder rec;
    HWND back = rec.Make("back", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
    HWND front = rec.Make("front", WS_POPUP | WS_VISIBLE, Bounds(50, 50, 100, 100));
    HWND child = rec.Make("child", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 20, 20), front);
    EXPECT_EQ(WindowFromPoint(Point(10, 10)), back);
    EXPECT_EQ(WindowFromPoint(Point(60, 60)), child);
    EXPECT_EQ(WindowFromPoint(Point(55, 55)), front);
    EnableWindow(child, false);
    EXPECT_EQ(WindowFromPoint(Point(60, 60)), front);
    SetWindowRgn(front, CreateRectRgn(50, 50, 100, 100), true);   // only the lower-right quarter of front
    EXPECT_EQ(WindowFromPoint(Point(60, 60)), back);
    EXPECT_EQ(WindowFromPoint(Point(110, 110)), front);
    SetWindowLong(front, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_TRANSPARENT);
    EXPECT_EQ(WindowFromPoint(Point(110, 110)), nullptr);
    EXPECT_EQ(WindowFromPoint(Point(500, 500)), nullptr);
}
