#include "UiTestSupport.h"

#include "platform/core/MainThread.h"
#include "platform/core/Threads.h"

#include <atomic>

using namespace platform;
using namespace uitest;

namespace {

// A clock the test moves by hand.
struct TFakeClock {
    uint64_t Now = 1000;
    TFakeClock() { SetWindowClockForTesting([this] { return Now; }); }
    ~TFakeClock() { SetWindowClockForTesting(nullptr); }
};

} // namespace

TEST(MessageLoop, PostedMessagesComeInOrderThenQuit)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP, Rect(0, 0, 10, 10));
    HWND gone = rec.Make("gone", WS_POPUP, Rect(0, 0, 10, 10));
    rec.Take();
    PostMessage(w, WM_USER + 1, 1);
    PostMessage(gone, WM_USER + 2, 2);
    PostMessage(w, WM_USER + 3, 3);
    DestroyWindow(gone);
    rec.Take();
    PostQuitMessage(7);
    PostMessage(w, WM_USER + 4, 4);   // posted after the quit, still comes first
    EXPECT_FALSE(PostMessage(gone, WM_USER, 0));
    TMsg m;
    std::vector<UINT> seen;
    while (GetMessage(m)) {
        seen.push_back(m.message);
        DispatchMessage(m);
    }
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 7u);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 1, WM_USER + 3, WM_USER + 4}));
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"w", WM_USER + 1, 1}, {"w", WM_USER + 3, 3}, {"w", WM_USER + 4, 4}}));
}

TEST(MessageLoop, PostedBeforeInputBeforePaintBeforeTimer)
{
    TFakeClock clock;
    TRecorder rec;
    rec.Ignore.erase(WM_PAINT);
    HWND w = rec.Make("w", WS_POPUP | WS_VISIBLE, Rect(0, 0, 50, 50));
    rec.Pump();
    rec.Take();
    SetTimer(w, 1, 10);
    clock.Now += 10;
    InvalidateRect(w, nullptr, false);
    InjectKey('A', true);
    PostMessage(w, WM_USER);
    rec.Pump();
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"w", WM_USER, 0}, {"w", WM_KEYDOWN, 'A'}, {"w", WM_PAINT, 0}, {"w", WM_TIMER, 1}}));
    InjectKey('A', false);
    rec.Pump();
}

TEST(MessageLoop, TimersFireOnceWhenDueAndKeepTheirRhythm)
{
    TFakeClock clock;
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP, Rect(0, 0, 10, 10));
    rec.Take();
    EXPECT_NE(SetTimer(w, 1, 100), 0u);
    SetTimer(w, 2, 50);
    clock.Now += 49;
    rec.Pump();
    EXPECT_TRUE(rec.Take().empty());
    clock.Now += 1;
    rec.Pump();
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"w", WM_TIMER, 2}}));
    clock.Now += 400;   // late: each fires once, not once per missed period
    rec.Pump();
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"w", WM_TIMER, 1}, {"w", WM_TIMER, 2}}));
    EXPECT_TRUE(KillTimer(w, 2));
    EXPECT_FALSE(KillTimer(w, 2));
    clock.Now += 100;
    rec.Pump();
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"w", WM_TIMER, 1}}));
    // Setting a timer again restarts it.
    SetTimer(w, 1, 30);
    clock.Now += 30;
    rec.Pump();
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"w", WM_TIMER, 1}}));
    DestroyWindow(w);   // its timers go with it
    clock.Now += 1000;
    TMsg m;
    EXPECT_FALSE(PeekMessage(m));
}

TEST(MessageLoop, TimerWithoutWindowCallsItsProcedure)
{
    TFakeClock clock;
    int calls = 0;
    uintptr_t id = SetTimer(nullptr, 0, 20, [&](HWND, UINT, uintptr_t, uint32_t) { ++calls; });
    EXPECT_NE(id, 0u);
    clock.Now += 20;
    PumpMessages();
    EXPECT_EQ(calls, 1);
    KillTimer(nullptr, id);
    clock.Now += 20;
    PumpMessages();
    EXPECT_EQ(calls, 1);
}

TEST(MessageLoop, SendMessageFromAWorkerRunsOnTheGuiThread)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP, Rect(0, 0, 10, 10));
    std::atomic<bool> ranOnGui{false};
    rec.Handlers[{w, WM_USER}] = [&](WPARAM wp, LPARAM) -> LRESULT {
        ranOnGui = IsMainThread();
        return LRESULT(wp * 2);
    };
    std::atomic<LRESULT> result{0};
    std::atomic<bool> done{false};
    TAnonymousThread worker([&] {
        result = SendMessage(w, WM_USER, 21, 0);
        PostMessage(w, WM_USER + 1);
        done = true;
    });
    worker.Start();
    // The GUI thread serves the worker from its ordinary loop.
    TMsg m;
    while (GetMessage(m)) {
        DispatchMessage(m);
        if (m.message == WM_USER + 1)
            break;
    }
    worker.WaitFor();
    EXPECT_TRUE(done);
    EXPECT_TRUE(ranOnGui);
    EXPECT_EQ(result, 42);
}

TEST(MessageLoop, QueuedCallsWakeAWaitingLoop)
{
    std::atomic<int> ran{0};
    TAnonymousThread worker([&] {
        Queue([&] {
            ++ran;
            PostQuitMessage(0);
        });
    });
    worker.Start();
    TMsg m;
    while (GetMessage(m))
        DispatchMessage(m);
    worker.WaitFor();
    EXPECT_EQ(ran, 1);
    ResetQuit();
}

TEST(MessageLoop, CorePumpConsumesQuit)
{
    PostQuitMessage(3);
    PumpMessages();
    int code = 0;
    EXPECT_TRUE(QuitReceived(&code));
    EXPECT_EQ(code, 3);
    ResetQuit();
    EXPECT_FALSE(QuitReceived());
}

TEST(MessageLoop, KeyDownTranslatesToCharacters)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP | WS_VISIBLE, Rect(0, 0, 10, 10));
    rec.Take();
    InjectKey('A', true, "a");
    InjectKey('A', false);
    InjectText("中文");
    rec.Pump();
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"w", WM_KEYDOWN, 'A'}, {"w", WM_CHAR, 'a'}, {"w", WM_KEYUP, 'A'},
                                                {"w", WM_CHAR, 0x4E2D}, {"w", WM_CHAR, 0x6587}}));
    (void)w;
}
