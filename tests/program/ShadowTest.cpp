// Under a compositing manager (xcompmgr, picom) the program's popup menus
// and drop-down lists cast a shadow of their own: a narrow translucent band
// right of and below the popup, darker than what lies beneath, never solid
// black, fading outwards.

#include "program/ProgramPopups.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace programtest {
namespace {

using platform::TPoint;

// How far out from the menu's edge the pixels are looked at: well past any
// shadow a few pixels wide.
constexpr int kReach = 16;

int Brightness(uint32_t APixel) { return int((APixel >> 16) & 0xFF) + int((APixel >> 8) & 0xFF) + int(APixel & 0xFF); }

// The pixels on a line going out from the menu's edge at AFrom, one step
// of AStep at a time, as the screen showed them in AShot.
std::vector<int> Line(const TScreenImage& AShot, TPoint AFrom, TPoint AStep)
{
    std::vector<int> line;
    for (int i = 0; i < kReach; ++i)
        line.push_back(Brightness(AShot.At(AFrom.X + i * AStep.X, AFrom.Y + i * AStep.Y)));
    return line;
}

// How much darker each pixel of the line got once the menu showed.
std::vector<int> Darkening(const TScreenImage& ABefore, const TScreenImage& AAfter, TPoint AFrom, TPoint AStep)
{
    const std::vector<int> before = Line(ABefore, AFrom, AStep), after = Line(AAfter, AFrom, AStep);
    std::vector<int> darker;
    for (int i = 0; i < kReach; ++i)
        darker.push_back(before[size_t(i)] - after[size_t(i)]);
    return darker;
}

std::string Shown(const std::vector<int>& AValues)
{
    std::string s;
    for (int v : AValues)
        s += std::to_string(v) + " ";
    return s;
}

// A band a few pixels wide next to the edge, fading outwards to nothing.
void ExpectShadowBand(const std::vector<int>& ADarker, const std::vector<int>& AAfter, const char* ASide)
{
    SCOPED_TRACE(std::string(ASide) + ": darkening " + Shown(ADarker) + "/ brightness " + Shown(AAfter));
    int band = 0;
    while (band < kReach && ADarker[size_t(band)] > 6)
        ++band;
    EXPECT_GE(band, 2) << "no shadow band";
    EXPECT_LE(band, 10) << "the band is not a few pixels wide";
    EXPECT_GT(AAfter[0], 3 * 24) << "the shadow is solid black";
    for (int i = 1; i < kReach; ++i)
        EXPECT_LE(ADarker[size_t(i)], ADarker[size_t(i - 1)] + 2) << "the shadow does not fade outwards at " << i;
    EXPECT_GT(ADarker[0], ADarker[size_t(band - 1 > 0 ? band - 1 : 0)]) << "the band has one shade throughout";
    EXPECT_LE(std::abs(ADarker[kReach - 1]), 2) << "the shadow reaches too far";
}

// What the screen shows once the compositor has drawn the main window and
// the picture stands still: what lies beneath a popup before it opens.
::testing::AssertionResult ScreenAtRest(TProgramSession& S, const platform::TRect& AScreen, TScreenImage& AShown)
{
    const TWin main = S.Main();
    const TPoint middle{(main.Bounds.Left + main.Bounds.Right) / 2, (main.Bounds.Top + main.Bounds.Bottom) / 2};
    return S.WaitFor("the screen shows the main window and stands still", [&] {
        const TScreenImage earlier = S.Grab(AScreen);
        AShown = S.Grab(AScreen);
        return !AShown.Pixels.empty() && AShown.Pixels == earlier.Pixels && Brightness(AShown.At(middle.X, middle.Y)) > 3 * 128;
    });
}

class Shadow : public ::testing::TestWithParam<TDesk> {};

TEST_P(Shadow, AMenuCastsATranslucentShadowFadingOutwards)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(s.Start());
    const platform::TRect screen = platform::Bounds(0, 0, DisplayWidth(s.XDisplay(), 0), DisplayHeight(s.XDisplay(), 0));
    TScreenImage before;
    ASSERT_TRUE(ScreenAtRest(s, screen, before));
    s.ClickAt(s.Main(), FileMenuInWindow);
    TWin menu;
    ASSERT_TRUE(s.WaitFor("a click opens the file menu", [&] { return FindPopup(s, menu); }));
    const platform::TRect& m = menu.Bounds;
    const TPoint right{m.Right, (m.Top + m.Bottom) / 2}, below{(m.Left + m.Right) / 2, m.Bottom};
    ASSERT_LT(m.Right + kReach, screen.Right);
    ASSERT_LT(m.Bottom + kReach, screen.Bottom);
    TScreenImage after;
    ASSERT_TRUE(s.WaitFor("the menu's shadow shows", [&] {
        after = s.Grab(screen);
        return Darkening(before, after, right, {1, 0})[0] > 6 && Darkening(before, after, below, {0, 1})[0] > 6;
    }));
    s.Shot("menu with its shadow");
    ExpectShadowBand(Darkening(before, after, right, {1, 0}), Line(after, right, {1, 0}), "right of the menu");
    ExpectShadowBand(Darkening(before, after, below, {0, 1}), Line(after, below, {0, 1}), "below the menu");
    s.Key("Escape");
    ASSERT_TRUE(s.WaitFor("Escape closes the menu", [&] { return !PopupShown(s); }));
    ASSERT_TRUE(s.Quit());
}

// The category list drops up over the file panel; its right side shows the
// whole band (below it lies the list's own box, which takes the focus).
TEST_P(Shadow, ADropDownListCastsTheSameShadow)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(s.Start());
    const platform::TRect screen = platform::Bounds(0, 0, DisplayWidth(s.XDisplay(), 0), DisplayHeight(s.XDisplay(), 0));
    TScreenImage before;
    ASSERT_TRUE(ScreenAtRest(s, screen, before));
    ASSERT_TRUE(s.Click(Controls::Category));
    TWin list;
    ASSERT_TRUE(s.WaitFor("a click drops the category list", [&] { return FindPopup(s, list); }));
    const platform::TRect& l = list.Bounds;
    const TPoint right{l.Right, (l.Top + l.Bottom) / 2};
    ASSERT_LT(l.Right + kReach, screen.Right);
    TScreenImage after;
    ASSERT_TRUE(s.WaitFor("the list's shadow shows", [&] {
        after = s.Grab(screen);
        return Darkening(before, after, right, {1, 0})[0] > 6;
    }));
    s.Shot("drop-down list with its shadow");
    ExpectShadowBand(Darkening(before, after, right, {1, 0}), Line(after, right, {1, 0}), "right of the list");
    EXPECT_GT(Line(after, TPoint{(l.Left + l.Right) / 2, l.Bottom}, {0, 1})[0], 3 * 24) << "the shadow below the list is solid black";
    s.Key("Escape");
    ASSERT_TRUE(s.WaitFor("Escape closes the list", [&] { return !PopupShown(s); }));
    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, Shadow, ::testing::Values(TDesk::OpenboxCompositor, TDesk::OpenboxPicom), DeskParamName);

} // namespace
} // namespace programtest
