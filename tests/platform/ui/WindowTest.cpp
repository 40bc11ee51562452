#include "UiTestSupport.h"

using namespace platform;
using namespace uitest;

TEST(Window, CreationOrderOfTopLevelAndChild)
{
    TRecorder rec;
    // The handles are named only once they exist.
    HWND top = CreateWindowEx(0, "UiTestRec", "top", WS_POPUP | WS_CAPTION, 10, 20, 200, 100, nullptr);
    rec.Names[top] = "top";
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"?", WM_GETMINMAXINFO, 0}, {"?", WM_NCCREATE, 0}, {"?", WM_NCCALCSIZE, 0},
                                                {"?", WM_CREATE, 0}, {"?", WM_SIZE, SIZE_RESTORED}, {"?", WM_MOVE, 0}}));
    HWND child = CreateWindowEx(0, "UiTestRec", "c", WS_CHILD, 5, 5, 50, 20, top, 7);
    rec.Names[child] = "child";
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"?", WM_NCCREATE, 0}, {"?", WM_NCCALCSIZE, 0}, {"?", WM_CREATE, 0},
                                                {"?", WM_SIZE, 0}, {"?", WM_MOVE, 0},
                                                {"top", WM_PARENTNOTIFY, WPARAM(MAKELPARAM(WM_CREATE, 7))}}));
    TRect r;
    GetClientRect(top, r);
    EXPECT_EQ(r, Rect(0, 0, 200 - 6, 100 - 6 - 19));   // dialog frame 3, caption 19
    EXPECT_EQ(GetWindowText(top), "top");
    EXPECT_EQ(GetParent(child), top);
    EXPECT_EQ(GetAncestor(child, GA_ROOT), top);
}

TEST(Window, CreateFailsForUnknownClassOrMissingParentOrRefusal)
{
    TRecorder rec;
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr), nullptr);
    EXPECT_EQ(CreateWindowEx(0, "UiTestRec", "", WS_CHILD, 0, 0, 1, 1, nullptr), nullptr);
    TWndClass refusing;
    refusing.ClassName = "UiTestRefuse";
    refusing.WndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT { return m == WM_CREATE ? -1 : DefWindowProc(h, m, w, l); };
    RegisterClass(refusing);
    EXPECT_EQ(CreateWindowEx(0, "UiTestRefuse", "", WS_POPUP, 0, 0, 1, 1, nullptr), nullptr);
    EXPECT_TRUE(GetChildWindows(nullptr).empty());
}

TEST(Window, DestroyOrderParentFirstThenChildrenLast)
{
    TRecorder rec;
    HWND top = rec.Make("top", WS_POPUP | WS_VISIBLE, Rect(0, 0, 100, 100));
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, Rect(0, 0, 10, 10), top);
    HWND b = rec.Make("b", WS_CHILD | WS_VISIBLE, Rect(0, 0, 10, 10), a);
    SetFocus(b);
    rec.Take();
    DestroyWindow(a);
    // Hiding moves the focus to the parent; then the tree goes, parents told first.
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"a", WM_WINDOWPOSCHANGING, 0}, {"b", WM_KILLFOCUS, H(top)},
                                                {"top", WM_SETFOCUS, H(b)}, {"a", WM_WINDOWPOSCHANGED, 0},
                                                {"top", WM_PARENTNOTIFY, WPARAM(MAKELPARAM(WM_DESTROY, 0))},
                                                {"a", WM_DESTROY, 0}, {"b", WM_DESTROY, 0},
                                                {"b", WM_NCDESTROY, 0}, {"a", WM_NCDESTROY, 0}}));
    EXPECT_FALSE(IsWindow(a));
    EXPECT_FALSE(IsWindow(b));
    EXPECT_EQ(GetFocus(), top);
    EXPECT_TRUE(GetChildWindows(top).empty());
}

TEST(Window, OwnedWindowsAreDestroyedBeforeTheirOwner)
{
    TRecorder rec;
    HWND owner = rec.Make("owner", WS_POPUP, Rect(0, 0, 100, 100));
    HWND owned = rec.Make("owned", WS_POPUP, Rect(0, 0, 10, 10), owner);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
    rec.Take();
    DestroyWindow(owner);
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"owned", WM_DESTROY, 0}, {"owned", WM_NCDESTROY, 0},
                                                {"owner", WM_DESTROY, 0}, {"owner", WM_NCDESTROY, 0}}));
}

TEST(Window, SubclassingChainsCallTheNewestFirst)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP, Rect(0, 0, 10, 10));
    std::vector<std::string> order;
    TWndProc first = SetWindowProc(w, nullptr);
    TWndProc base = first;
    SetWindowProc(w, [&](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER)
            order.push_back("one");
        return CallWindowProc(base, h, m, wp, lp);
    });
    TWndProc one = GetWindowProc(w);
    SetWindowProc(w, [&](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER) {
            order.push_back("two");
            if (wp == 1)
                return 42;   // handled here: the older procedures never see it
        }
        return CallWindowProc(one, h, m, wp, lp);
    });
    rec.Take();
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 0);
    EXPECT_EQ(order, (std::vector<std::string>{"two", "one"}));
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"w", WM_USER, 0}}));
    order.clear();
    EXPECT_EQ(SendMessage(w, WM_USER, 1, 0), 42);
    EXPECT_EQ(order, (std::vector<std::string>{"two"}));
    // Putting the previous procedure back unhooks the newest.
    SetWindowProc(w, one);
    order.clear();
    SendMessage(w, WM_USER, 1, 0);
    EXPECT_EQ(order, (std::vector<std::string>{"one"}));
}

TEST(Window, LongsPropsAndClassStyle)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP, Rect(0, 0, 10, 10));
    SetWindowLong(w, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_LAYERED);
    EXPECT_EQ(GetWindowLong(w, GWL_EXSTYLE), intptr_t(WS_EX_TOOLWINDOW | WS_EX_LAYERED));
    // Visibility cannot be switched through the style.
    SetWindowLong(w, GWL_STYLE, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_CLIPCHILDREN);
    SetProp(w, "X", 5);
    EXPECT_EQ(GetProp(w, "X"), 5);
    RemoveProp(w, "X");
    EXPECT_EQ(GetProp(w, "X"), 0);
    EXPECT_EQ(GetClassName(w), "UiTestRec");
    intptr_t old = SetClassLong(w, GCL_STYLE, CS_DBLCLKS | CS_DROPSHADOW);
    EXPECT_EQ(GetClassLong(w, GCL_STYLE), intptr_t(CS_DBLCLKS | CS_DROPSHADOW));
    SetClassLong(w, GCL_STYLE, old);
    EXPECT_TRUE(SetLayeredWindowAttributes(w, 0, 128, LWA_ALPHA));
    uint8_t alpha = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(w, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 128);
}

TEST(Window, TextRoundTripsThroughMessages)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP, Rect(0, 0, 10, 10));
    EXPECT_TRUE(SetWindowText(w, "ZarveloMP3格式转换器"));
    EXPECT_EQ(GetWindowText(w), "ZarveloMP3格式转换器");
    char small[4];
    EXPECT_EQ(SendMessage(w, WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 3);
    EXPECT_STREQ(small, "Zar");
}

TEST(Window, CoordinatesMapThroughTheTree)
{
    TRecorder rec;
    HWND top = rec.Make("top", WS_POPUP | WS_BORDER, Rect(100, 50, 300, 200));
    HWND child = rec.Make("child", WS_CHILD, Rect(10, 20, 50, 50), top);
    EXPECT_EQ(ClientToScreen(child, Point(1, 2)), Point(100 + 1 + 10 + 1, 50 + 1 + 20 + 2));
    EXPECT_EQ(ScreenToClient(child, Point(112, 73)), Point(1, 2));
    TRect r;
    GetWindowRect(child, r);
    EXPECT_EQ(r, Bounds(111, 71, 40, 30));
    EXPECT_EQ(MapWindowRect(child, top, Rect(0, 0, 1, 1)), Rect(10, 20, 11, 21));
}

TEST(Window, SetParentMovesTheWindowInTheTree)
{
    TRecorder rec;
    HWND top = rec.Make("top", WS_POPUP, Rect(0, 0, 300, 200));
    HWND a = rec.Make("a", WS_CHILD, Rect(0, 0, 50, 50), top);
    HWND b = rec.Make("b", WS_CHILD, Rect(0, 0, 10, 10), top);
    EXPECT_EQ(SetParent(b, a), top);
    EXPECT_EQ(GetChildWindows(a), std::vector<HWND>{b});
    EXPECT_EQ(GetChildWindows(top), std::vector<HWND>{a});
    EXPECT_EQ(SetParent(a, b), nullptr);   // no cycles
}
