#include "UiTestSupport.h"

using namespace platform;
using namespace uitest;

namespace {

struct TPaintLog {
    std::vector<std::pair<std::string, TRect>> Paints;
};

void RecordPaints(TRecorder& ARec, HWND AWnd, TPaintLog& ALog, bool AEraseHandled = true)
{
    ARec.Handlers[{AWnd, WM_PAINT}] = [&ARec, &ALog, AWnd](WPARAM, LPARAM) -> LRESULT {
        TPaintStruct ps;
        BeginPaint(AWnd, ps);
        ALog.Paints.push_back({ARec.Names[AWnd], ps.rcPaint});
        EndPaint(AWnd, ps);
        return 0;
    };
    ARec.Handlers[{AWnd, WM_ERASEBKGND}] = [AEraseHandled](WPARAM, LPARAM) -> LRESULT { return AEraseHandled; };
}

} // namespace

TEST(Paint, ShowingPaintsParentsBeforeChildren)
{
    TRecorder rec;
    TPaintLog log;
    HWND top = rec.Make("top", WS_POPUP, Bounds(0, 0, 100, 100));
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 30, 30), top);
    HWND b = rec.Make("b", WS_CHILD | WS_VISIBLE, Bounds(50, 10, 30, 30), top);
    for (HWND h : {top, a, b})
        RecordPaints(rec, h, log);
    ShowWindow(top, SW_SHOW);
    rec.Pump();
    EXPECT_EQ(log.Paints, (std::vector<std::pair<std::string, TRect>>{
                              {"top", Rect(0, 0, 100, 100)}, {"b", Rect(0, 0, 30, 30)}, {"a", Rect(0, 0, 30, 30)}}));
    log.Paints.clear();
    rec.Pump();
    EXPECT_TRUE(log.Paints.empty());
}

TEST(Paint, InvalidationReachesChildrenUnlessClipped)
{
    for (DWORD clip : {DWORD(0), WS_CLIPCHILDREN}) {
        TRecorder rec;
        TPaintLog log;
        HWND top = rec.Make("top", WS_POPUP | WS_VISIBLE | clip, Bounds(0, 0, 100, 100));
        HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 30, 30), top);
        RecordPaints(rec, top, log);
        RecordPaints(rec, a, log);
        rec.Pump();
        log.Paints.clear();
        TRect r = Rect(0, 0, 20, 20);
        InvalidateRect(top, &r, true);
        rec.Pump();
        if (clip)
            EXPECT_EQ(log.Paints, (std::vector<std::pair<std::string, TRect>>{{"top", r}}));
        else
            EXPECT_EQ(log.Paints, (std::vector<std::pair<std::string, TRect>>{{"top", r}, {"a", Rect(0, 0, 10, 10)}}));
    }
}

TEST(Paint, InvalidationsMergeAndEraseComesOnceFromBeginPaint)
{
    TRecorder rec;
    rec.Ignore.erase(WM_ERASEBKGND);
    TPaintLog log;
    HWND w = rec.Make("w", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
    RecordPaints(rec, w, log, false);
    rec.Pump();
    rec.Take();
    log.Paints.clear();
    TRect r1 = Rect(0, 0, 10, 10), r2 = Rect(50, 50, 60, 60);
    InvalidateRect(w, &r1, false);
    InvalidateRect(w, &r2, true);
    TRect box;
    EXPECT_TRUE(GetUpdateRect(w, &box, false));
    EXPECT_EQ(box, Rect(0, 0, 60, 60));
    rec.Pump();
    EXPECT_EQ(rec.Take(), (std::vector<TEntry>{{"w", WM_ERASEBKGND, 0}}));
    EXPECT_EQ(log.Paints.size(), 1u);
    EXPECT_FALSE(GetUpdateRect(w, nullptr, false));
}

TEST(Paint, HiddenWindowsAndRedrawOffCollectNothing)
{
    TRecorder rec;
    TPaintLog log;
    HWND w = rec.Make("w", WS_POPUP, Bounds(0, 0, 100, 100));
    RecordPaints(rec, w, log);
    InvalidateRect(w, nullptr, true);
    EXPECT_FALSE(GetUpdateRect(w, nullptr, false));
    ShowWindow(w, SW_SHOWNA);
    rec.Pump();
    log.Paints.clear();
    SendMessage(w, WM_SETREDRAW, 0);
    InvalidateRect(w, nullptr, true);
    rec.Pump();
    EXPECT_TRUE(log.Paints.empty());
    SendMessage(w, WM_SETREDRAW, 1);
    RedrawWindow(w, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(log.Paints.size(), 1u);   // painted at once, without the loop
}

TEST(Paint, MovingAChildRepaintsWhereItWasAndWhereItIs)
{
    TRecorder rec;
    TPaintLog log;
    HWND top = rec.Make("top", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, Bounds(0, 0, 100, 100));
    HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 20, 20), top);
    RecordPaints(rec, top, log);
    RecordPaints(rec, a, log);
    rec.Pump();
    log.Paints.clear();
    MoveWindow(a, 50, 10, 20, 20);
    rec.Pump();
    EXPECT_EQ(log.Paints, (std::vector<std::pair<std::string, TRect>>{{"top", Rect(10, 10, 30, 30)}, {"a", Rect(0, 0, 20, 20)}}));
}

TEST(Paint, AProcedureThatDoesNotPaintIsNotAskedForever)
{
    TRecorder rec;
    rec.Ignore.erase(WM_PAINT);
    HWND w = rec.Make("w", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 10, 10));
    rec.Handlers[{w, WM_PAINT}] = [](WPARAM, LPARAM) -> LRESULT { return 0; };
    rec.Take();
    rec.Pump();
    EXPECT_EQ(rec.Take().size(), 1u);
}
