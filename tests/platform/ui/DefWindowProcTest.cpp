#include "UiTestSupport.h"

using namespace platform;
using namespace uitest;

TEST(DefWindowProc, HitTestsOfTheDefaultFrame)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP | WS_CAPTION | WS_THICKFRAME, Bounds(100, 100, 200, 150));
    struct TCase {
        TPoint P;
        LRESULT Hit;
    } cases[] = {{{101, 101}, HTTOPLEFT}, {{298, 101}, HTTOPRIGHT}, {{101, 248}, HTBOTTOMLEFT}, {{298, 248}, HTBOTTOMRIGHT},
                 {{101, 180}, HTLEFT}, {{298, 180}, HTRIGHT}, {{200, 101}, HTTOP}, {{200, 248}, HTBOTTOM},
                 {{200, 110}, HTCAPTION}, {{200, 200}, HTCLIENT}, {{50, 50}, HTNOWHERE}};
    for (const TCase& c : cases)
        EXPECT_EQ(SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(c.P.X, c.P.Y)), c.Hit) << c.P.X << "," << c.P.Y;
}

TEST(DefWindowProc, CaptionDragRunsAModalMoveLoop)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP | WS_CAPTION | WS_VISIBLE, Bounds(100, 100, 200, 150));
    rec.Handlers[{w, WM_MOVING}] = [](WPARAM, LPARAM l) -> LRESULT {
        auto* r = reinterpret_cast<TRect*>(l);
        if (r->Left < 0)
            *r = OffsetRect(*r, -r->Left, 0);   // sticks to the screen's left edge
        return 0;
    };
    rec.Take();
    InjectMouseButton(TMouseButton::mbLeft, true, Point(150, 105));
    InjectMouseMove(Point(160, 125));
    InjectMouseMove(Point(0, 125));
    InjectMouseButton(TMouseButton::mbLeft, false, Point(0, 125));
    rec.Pump();
    std::vector<UINT> got;
    for (const TEntry& e : rec.Take())
        got.push_back(e.Msg);
    EXPECT_EQ(got, (std::vector<UINT>{WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_ENTERSIZEMOVE,
                                      WM_MOVING, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE,
                                      WM_MOVING, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE,
                                      WM_CAPTURECHANGED, WM_EXITSIZEMOVE}));
    TRect r;
    GetWindowRect(w, r);
    EXPECT_EQ(r, Bounds(0, 120, 200, 150));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(DefWindowProc, EscapePutsASizedWindowBack)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE, Bounds(100, 100, 200, 150));
    rec.Handlers[{w, WM_GETMINMAXINFO}] = [](WPARAM, LPARAM l) -> LRESULT {
        reinterpret_cast<TMinMaxInfo*>(l)->ptMinTrackSize = Point(120, 80);
        return 0;
    };
    std::vector<TRect> sizing;
    rec.Handlers[{w, WM_SIZING}] = [&](WPARAM, LPARAM l) -> LRESULT {
        sizing.push_back(*reinterpret_cast<TRect*>(l));
        return 0;
    };
    InjectMouseButton(TMouseButton::mbLeft, true, Point(299, 249));   // bottom-right corner
    InjectMouseMove(Point(100, 100));
    InjectKey(VK_ESCAPE, true);
    InjectKey(VK_ESCAPE, false);
    rec.Pump();
    ASSERT_EQ(sizing.size(), 1u);
    EXPECT_EQ(sizing[0], Bounds(100, 100, 120, 80));   // clamped to the minimum track size
    TRect r;
    GetWindowRect(w, r);
    EXPECT_EQ(r, Bounds(100, 100, 200, 150));
}
