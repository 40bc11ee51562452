#include <gtest/gtest.h>

#include "platform/ui/DropShadow.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Window.h"

#include <algorithm>

using namespace platform;

namespace {

constexpr int S = DropShadowSize;

// Popups of a class that asks for a shadow and of one that does not, on a
// display with a compositing manager unless the test takes it away.
class DropShadowTest : public ::testing::Test {
protected:
    THeadlessBackend* Display = nullptr;
    std::vector<HWND> Made;

    void SetUp() override
    {
        Display = dynamic_cast<THeadlessBackend*>(&Backend());
        ASSERT_NE(Display, nullptr);
        for (auto [name, style] : {std::pair{"ShadowTestPopup", CS_DROPSHADOW | CS_SAVEBITS}, std::pair{"ShadowTestPlain", CS_SAVEBITS}}) {
            TWndClass cls;
            cls.ClassName = name;
            cls.Style = style;
            RegisterClass(cls);   // once per program
        }
        Display->SetCompositorPresent(true);
    }
    void TearDown() override
    {
        for (HWND h : Made)
            DestroyWindow(h);
        Display->SetCompositorPresent(false);
        // The classes outlive the test: a test that changed one leaves it as it was.
        for (auto [name, style] : {std::pair{"ShadowTestPopup", CS_DROPSHADOW | CS_SAVEBITS}, std::pair{"ShadowTestPlain", CS_SAVEBITS}}) {
            HWND h = CreateWindowEx(0, name, "", WS_POPUP, 0, 0, 10, 10, nullptr);
            SetClassLong(h, GCL_STYLE, intptr_t(style));
            DestroyWindow(h);
        }
    }
    HWND Popup(const char* AClass, const TRect& R, bool AShow = true)
    {
        HWND h = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, AClass, "", WS_POPUP, R.Left, R.Top, R.Width(), R.Height(), nullptr);
        Made.push_back(h);
        if (AShow)
            SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        return h;
    }
    // Where the presenter shows AWnd's shadow; empty while it shows none.
    TRect ShownShadow(HWND AWnd)
    {
        const THeadlessBackend::TShadow* s = Display->Shadow(AWnd);
        return s && s->Visible ? s->Bounds : TRect{};
    }
    static bool HasShadowLayer(HWND AWnd)
    {
        const auto layers = PresentedStacking();
        return std::find(layers.begin(), layers.end(), TPresentedLayer{AWnd, true}) != layers.end();
    }
};

} // namespace

// Black, transparent under the window, the darkest band at its edges fading
// outwards and soft at the band's ends.
TEST(DropShadowPicture, FallsOffAwayFromTheEdgesAndIsSoftAtTheEnds)
{
    const int w = 200, h = 120, e = DropShadowEdgeAlpha;
    struct {
        int X, Y, Alpha;
    } const pixels[] = {
        {0, 0, 0}, {w - S - 1, h / 2, 0}, {w / 2, h - S - 1, 0},   // under the window
        {w - S, h / 2, e}, {w - 1, h / 2, e / S},                  // the right band, out to its edge
        {w / 2, h - S, e}, {w / 2, h - 1, e / S},                  // the bottom band
        {w - S, 0, e / S}, {0, h - S, e / S},                      // the soft ends
        {w - S + 1, 1, 2 * (e * (S - 1) / S) / S},                 // rising, one step into the band
        {w - 1, h - 1, e / S},                                     // the far corner
        {-1, h / 2, 0}, {w, h / 2, 0}, {w / 2, h, 0},              // outside the picture
    };
    for (const auto& px : pixels)
        EXPECT_EQ(DropShadowAlpha(px.X, px.Y, w, h), px.Alpha) << px.X << "," << px.Y;

    TRect right, bottom;
    DropShadowBands(w, h, right, bottom);
    EXPECT_EQ(right, Rect(w - S, 0, w, h));
    EXPECT_EQ(bottom, Rect(0, h - S, w - S, h));
    // Every pixel outside the bands is transparent.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!PtInRect(right, Point(x, y)) && !PtInRect(bottom, Point(x, y))) {
                ASSERT_EQ(DropShadowAlpha(x, y, w, h), 0) << x << "," << y;
            }
        }
    DropShadowBands(S, 40, right, bottom);
    EXPECT_TRUE(right.IsEmpty() && bottom.IsEmpty());
    EXPECT_EQ(DropShadowBounds(Rect(10, 20, 110, 80)), Rect(10 + S, 20 + S, 110 + S, 80 + S));
}

TEST_F(DropShadowTest, OnlyAWindowWhoseClassAsksForOneCastsAShadow)
{
    HWND plain = Popup("ShadowTestPlain", Rect(10, 10, 110, 60));
    HWND hidden = Popup("ShadowTestPopup", Rect(10, 10, 110, 60), false);
    HWND tiny = Popup("ShadowTestPopup", Rect(10, 10, 10 + S, 60));
    EXPECT_EQ(Display->Shadow(plain), nullptr);
    EXPECT_EQ(Display->Shadow(hidden), nullptr);   // made on the first show
    EXPECT_EQ(Display->Shadow(tiny), nullptr);
    HWND popup = Popup("ShadowTestPopup", Rect(100, 80, 260, 200));
    EXPECT_EQ(ShownShadow(popup), Rect(100 + S, 80 + S, 260 + S, 200 + S));
    EXPECT_EQ(Display->ShadowCount(), 1);

    // Asking for it at run time, through the class, takes effect at once for
    // every window of the class; so does asking no more.
    SetClassLong(popup, GCL_STYLE, GetClassLong(popup, GCL_STYLE) & ~CS_DROPSHADOW);
    EXPECT_TRUE(ShownShadow(popup).IsEmpty());
    SetClassLong(plain, GCL_STYLE, GetClassLong(plain, GCL_STYLE) | CS_DROPSHADOW);
    EXPECT_EQ(ShownShadow(plain), Rect(10 + S, 10 + S, 110 + S, 60 + S));
    SetClassLong(plain, GCL_STYLE, GetClassLong(plain, GCL_STYLE) & ~CS_DROPSHADOW);
    SetClassLong(popup, GCL_STYLE, GetClassLong(popup, GCL_STYLE) | CS_DROPSHADOW);
    EXPECT_TRUE(ShownShadow(plain).IsEmpty());
    EXPECT_EQ(ShownShadow(popup), Rect(100 + S, 80 + S, 260 + S, 200 + S));
}

TEST_F(DropShadowTest, FollowsItsWindowThroughShowHideMoveAndSize)
{
    HWND popup = Popup("ShadowTestPopup", Rect(100, 80, 260, 200));
    struct {
        const char* Step;
        std::function<void()> Do;
        TRect Shadow;   // empty: hidden
    } const steps[] = {
        {"moved", [&] { SetWindowPos(popup, nullptr, 300, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); },
         Rect(300 + S, 40 + S, 460 + S, 160 + S)},
        {"sized", [&] { MoveWindow(popup, 300, 40, 90, 300); }, Rect(300 + S, 40 + S, 390 + S, 340 + S)},
        {"hidden", [&] { ShowWindow(popup, SW_HIDE); }, TRect{}},
        {"moved while hidden", [&] { MoveWindow(popup, 20, 30, 90, 300); }, TRect{}},
        {"shown", [&] { ShowWindow(popup, SW_SHOWNA); }, Rect(20 + S, 30 + S, 110 + S, 330 + S)},
        {"shown and moved at once",
         [&] {
             ShowWindow(popup, SW_HIDE);
             SetWindowPos(popup, HWND_TOPMOST, 500, 400, 120, 50, SWP_SHOWWINDOW | SWP_NOACTIVATE);
         },
         Rect(500 + S, 400 + S, 620 + S, 450 + S)},
        {"minimized", [&] { ShowWindow(popup, SW_MINIMIZE); }, TRect{}},
        {"restored", [&] { ShowWindow(popup, SW_RESTORE); }, Rect(500 + S, 400 + S, 620 + S, 450 + S)},
        {"too small", [&] { MoveWindow(popup, 500, 400, S, 50); }, TRect{}},
        {"large again", [&] { MoveWindow(popup, 500, 400, 40, 50); }, Rect(500 + S, 400 + S, 540 + S, 450 + S)},
    };
    for (const auto& step : steps) {
        step.Do();
        EXPECT_EQ(ShownShadow(popup), step.Shadow) << step.Step;
        EXPECT_EQ(HasShadowLayer(popup), !step.Shadow.IsEmpty()) << step.Step;
    }
    EXPECT_EQ(Display->ShadowCount(), 1);   // one companion all along
}

// Just below its window, whatever is stacked above or below them.
TEST_F(DropShadowTest, IsStackedJustBelowItsWindow)
{
    HWND under = Popup("ShadowTestPlain", Rect(0, 0, 300, 300));
    HWND popup = Popup("ShadowTestPopup", Rect(100, 80, 260, 200));
    HWND other = Popup("ShadowTestPopup", Rect(120, 100, 200, 160));
    auto layers = [] {
        std::vector<TPresentedLayer> shown;
        for (const TPresentedLayer& l : PresentedStacking())
            if (IsWindowVisible(l.Wnd))
                shown.push_back(l);
        return shown;
    };
    const std::vector<TPresentedLayer> first = {{other, false}, {other, true}, {popup, false}, {popup, true}, {under, false}};
    EXPECT_EQ(layers(), first);
    BringWindowToTop(popup);
    const std::vector<TPresentedLayer> raised = {{popup, false}, {popup, true}, {other, false}, {other, true}, {under, false}};
    EXPECT_EQ(layers(), raised);
    SetWindowPos(popup, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const std::vector<TPresentedLayer> lowered = {{other, false}, {other, true}, {under, false}, {popup, false}, {popup, true}};
    EXPECT_EQ(layers(), lowered);
}

TEST_F(DropShadowTest, IsFreedWithItsWindow)
{
    HWND popup = Popup("ShadowTestPopup", Rect(100, 80, 260, 200));
    HWND shown = Popup("ShadowTestPopup", Rect(10, 10, 60, 60));
    ShowWindow(popup, SW_HIDE);
    ASSERT_NE(Display->Shadow(popup), nullptr);
    EXPECT_EQ(Display->ShadowCount(), 2);
    DestroyWindow(popup);
    EXPECT_EQ(Display->Shadow(popup), nullptr);
    DestroyWindow(shown);   // shown when it goes
    EXPECT_EQ(Display->ShadowCount(), 0);
    EXPECT_FALSE(HasShadowLayer(shown));
}

// An opaque band would hide what lies beneath: without a compositing
// manager no shadow is made at all.
TEST_F(DropShadowTest, NoneWithoutACompositingManager)
{
    Display->SetCompositorPresent(false);
    HWND popup = Popup("ShadowTestPopup", Rect(100, 80, 260, 200));
    MoveWindow(popup, 120, 80, 200, 100);
    EXPECT_EQ(Display->Shadow(popup), nullptr);
    EXPECT_FALSE(HasShadowLayer(popup));
    ShowWindow(popup, SW_HIDE);
    Display->SetCompositorPresent(true);
    ShowWindow(popup, SW_SHOWNA);   // asked again at the next show
    EXPECT_EQ(ShownShadow(popup), Rect(120 + S, 80 + S, 320 + S, 180 + S));
}
