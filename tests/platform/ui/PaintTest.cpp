#include "UiTestSupport.h"

#include "platform/core/MainThread.h"

namespace {
void PumpWindowMessages() { platform::PumpMessages(); }
}

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
    std::vector<TEntry> log2 = rec.Take();
    ASSERT_EQ(log2.size(), 1u);
    EXPECT_EQ(log2[0].Msg, WM_ERASEBKGND);
    EXPECT_NE(log2[0].W, 0u);   // the paint DC
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

namespace {

uint32_t Pixel(HWND ATop, int X, int Y)
{
    const TPixelSurface* s = GetWindowSurface(ATop);
    return reinterpret_cast<const uint32_t*>(s->Row(Y))[X] & 0x00FFFFFF;
}

// Each window fills its client area with its own colour (0x00RRGGBB in memory).
void PaintSolid(TRecorder& ARec, HWND AWnd, COLORREF AColor)
{
    ARec.Handlers[{AWnd, WM_PAINT}] = [AWnd, AColor](WPARAM, LPARAM) -> LRESULT {
        TPaintStruct ps;
        HDC dc = BeginPaint(AWnd, ps);
        HBRUSH b = CreateSolidBrush(AColor);
        TRect r;
        GetClientRect(AWnd, r);
        FillRect(dc, &r, b);
        DeleteObject(b);
        EndPaint(AWnd, ps);
        return 0;
    };
}

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);
constexpr uint32_t pRed = 0xFF0000, pGreen = 0x00FF00, pBlue = 0x0000FF, pWhite = 0xFFFFFF;

} // namespace

TEST(Paint, NestedChildrenAreComposedIntoTheTopLevelBuffer)
{
    for (DWORD clip : {DWORD(0), WS_CLIPCHILDREN}) {
        TRecorder rec;
        HWND top = rec.Make("top", WS_POPUP | clip, Bounds(0, 0, 100, 100));
        HWND a = rec.Make("a", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 50), top);
        HWND b = rec.Make("b", WS_CHILD | WS_VISIBLE, Bounds(40, 40, 30, 30), a);   // sticks out of a
        PaintSolid(rec, top, kWhite);
        PaintSolid(rec, a, kRed);
        PaintSolid(rec, b, kBlue);
        ShowWindow(top, SW_SHOWNA);
        rec.Pump();
        struct TCase {
            int X, Y;
            uint32_t Want;
        } cases[] = {{5, 5, pWhite}, {15, 15, pRed}, {55, 55, pBlue}, {59, 59, pBlue}, {60, 60, pWhite}, {65, 45, pWhite}};
        for (const TCase& c : cases)
            EXPECT_EQ(Pixel(top, c.X, c.Y), c.Want) << c.X << "," << c.Y << " clip " << clip;
        // Repainting only the parent leaves the children on top.
        InvalidateRect(top, nullptr, false);
        rec.Pump();
        for (const TCase& c : cases)
            EXPECT_EQ(Pixel(top, c.X, c.Y), c.Want) << "again " << c.X << "," << c.Y;
    }
}

TEST(Paint, SiblingsClipEachOtherOnlyWhenAsked)
{
    for (DWORD clip : {DWORD(0), WS_CLIPSIBLINGS}) {
        TRecorder rec;
        HWND top = rec.Make("top", WS_POPUP | WS_CLIPCHILDREN, Bounds(0, 0, 100, 100));
        HWND upper = rec.Make("upper", WS_CHILD | WS_VISIBLE | clip, Bounds(0, 0, 50, 50), top);
        HWND lower = rec.Make("lower", WS_CHILD | WS_VISIBLE | clip, Bounds(25, 25, 50, 50), top);
        SetWindowPos(upper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        PaintSolid(rec, top, kWhite);
        PaintSolid(rec, upper, kRed);
        PaintSolid(rec, lower, kGreen);
        ShowWindow(top, SW_SHOWNA);
        rec.Pump();
        InvalidateRect(lower, nullptr, false);
        rec.Pump();
        // The windows overlap at (25..50, 25..50): the upper one wins only if the lower one is clipped.
        EXPECT_EQ(Pixel(top, 30, 30), clip ? pRed : pGreen);
        EXPECT_EQ(Pixel(top, 60, 60), pGreen);
    }
}

TEST(Paint, WindowRegionsClipPainting)
{
    TRecorder rec;
    HWND top = rec.Make("top", WS_POPUP | WS_CLIPCHILDREN, Bounds(0, 0, 100, 100));
    HWND round = rec.Make("round", WS_CHILD | WS_VISIBLE, Bounds(0, 0, 40, 40), top);
    SetWindowRgn(round, CreateRectRgn(10, 10, 30, 30), false);
    PaintSolid(rec, top, kWhite);
    PaintSolid(rec, round, kBlue);
    ShowWindow(top, SW_SHOWNA);
    rec.Pump();
    EXPECT_EQ(Pixel(top, 5, 5), pWhite);
    EXPECT_EQ(Pixel(top, 15, 15), pBlue);
    EXPECT_EQ(Pixel(top, 35, 35), pWhite);
}

TEST(Paint, DefaultEraseFillsTheClassBackgroundAndFrameIsPainted)
{
    TWndClass cls;
    cls.ClassName = "UiTestBackground";
    cls.Background = int64_t(0x00332211);
    RegisterClass(cls);
    HWND w = CreateWindowEx(0, "UiTestBackground", "", WS_POPUP | WS_BORDER, 0, 0, 20, 20, nullptr);
    ShowWindow(w, SW_SHOWNA);
    PumpWindowMessages();
    const TPixelSurface* s = GetWindowSurface(w);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(s->Row(10))[10] & 0xFFFFFF, 0x112233u);
    EXPECT_NE(reinterpret_cast<const uint32_t*>(s->Row(0))[0] & 0xFFFFFF, 0x112233u);   // the border
    DestroyWindow(w);
}

TEST(Paint, LayeredWindowsShowTheirOwnPicture)
{
    TRecorder rec;
    HWND w = rec.Make("w", WS_POPUP, Bounds(0, 0, 4, 4), nullptr, WS_EX_LAYERED);
    ShowWindow(w, SW_SHOWNA);
    rec.Pump();
    HBITMAP bmp = CreateCompatibleBitmap(nullptr, 8, 2);
    HDC src = CreateCompatibleDC(nullptr);
    HBITMAP old = SelectObject(src, bmp);
    const TPixelSurface* pixels = GetDCSurface(src);
    ASSERT_NE(pixels, nullptr);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 8; ++x)
            reinterpret_cast<uint32_t*>(pixels->Row(y))[x] = x < 4 ? 0x80402010u : 0u;
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    TPoint at = Point(50, 60), srcAt = Point(0, 0);
    TSize size{8, 2};
    ASSERT_TRUE(UpdateLayeredWindow(w, nullptr, &at, &size, src, &srcAt, 0, &blend, ULW_ALPHA));
    TRect r;
    GetWindowRect(w, r);
    EXPECT_EQ(r, Bounds(50, 60, 8, 2));
    EXPECT_TRUE(HasPerPixelAlpha(w));
    const TPixelSurface* s = GetWindowSurface(w);
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(s->Row(1))[1], 0x80402010u);
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(s->Row(1))[6], 0u);
    SelectObject(src, old);
    DeleteObject(bmp);
    DeleteDC(src);
    // Only layered windows take a picture.
    HWND plain = rec.Make("plain", WS_POPUP, Bounds(0, 0, 4, 4));
    EXPECT_FALSE(UpdateLayeredWindow(plain, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA));
}

TEST(Paint, TheBackBufferKeepsWhatWasDrawnAcrossSizes)
{
    // A 10 x 10 window drawn with a pattern, then sized without repainting:
    // what it had in every size on the way is kept, the rest is clear.
    struct TCase {
        const char* What;
        std::vector<TSize> Sizes;
    };
    const TCase cases[] = {
        {"narrower", {{6, 10}}},
        {"wider", {{14, 10}}},
        {"shorter", {{10, 4}}},
        {"taller", {{10, 16}}},
        {"narrower, then back", {{6, 10}, {10, 10}}},
        {"shorter, then back", {{10, 4}, {10, 10}}},
        {"smaller, then larger than ever", {{4, 3}, {40, 30}}},
        {"wider and shorter, then narrower and taller", {{16, 5}, {7, 12}}},
        {"nothing, then back", {{0, 0}, {10, 10}}},
    };
    auto pattern = [](int X, int Y) { return uint32_t(X * 20) << 16 | uint32_t(Y * 20) << 8 | 7u; };
    for (const TCase& c : cases) {
        TRecorder rec;
        HWND w = rec.Make("w", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 10, 10));
        rec.Handlers[{w, WM_PAINT}] = [](WPARAM, LPARAM) -> LRESULT { return 0; };
        rec.Handlers[{w, WM_ERASEBKGND}] = [](WPARAM, LPARAM) -> LRESULT { return 1; };
        rec.Pump();
        HDC dc = GetWindowDC(w);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) {
                const uint32_t p = pattern(x, y);
                SetPixelV(dc, x, y, RGB(p >> 16, p >> 8 & 0xFF, p & 0xFF));
            }
        ReleaseDC(w, dc);
        int keptW = 10, keptH = 10;
        for (const TSize& s : c.Sizes) {
            SetWindowPos(w, nullptr, 0, 0, s.cx, s.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOMOVE);
            keptW = std::min(keptW, int(s.cx));
            keptH = std::min(keptH, int(s.cy));
        }
        const TPixelSurface* s = GetWindowSurface(w);
        ASSERT_EQ(s->Width, int(c.Sizes.back().cx)) << c.What;
        ASSERT_EQ(s->Height, int(c.Sizes.back().cy)) << c.What;
        int wrong = 0;
        for (int y = 0; y < s->Height; ++y)
            for (int x = 0; x < s->Width; ++x)
                wrong += Pixel(w, x, y) != (x < keptW && y < keptH ? pattern(x, y) : 0u);
        EXPECT_EQ(wrong, 0) << c.What;
    }
}
