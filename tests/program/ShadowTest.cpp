// Under a compositing manager (xcompmgr, picom) the program's popup menus
// and drop-down lists cast a shadow of their own: a narrow translucent band
// right of and below the popup, darker than what lies beneath, never solid
// black, fading outwards.

#include "program/ProgramPopups.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <functional>

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

// A popup the program shows, with the screen before it opened and after
// its shadow showed beside its right edge.
struct TShownPopup {
    TWin Popup;
    TScreenImage Before, After;
    TPoint Right;
};

class Shadow : public ::testing::TestWithParam<TDesk> {
protected:
    // Starts the program, lets AOpen open a popup and waits for its shadow.
    void ShowPopup(TProgramSession& S, const std::function<void()>& AOpen, const std::string& AWhat, TShownPopup& AShown)
    {
        ASSERT_TRUE(S.Start());
        Screen = platform::Bounds(0, 0, DisplayWidth(S.XDisplay(), 0), DisplayHeight(S.XDisplay(), 0));
        ASSERT_TRUE(ScreenAtRest(S, Screen, AShown.Before));
        AOpen();
        ASSERT_TRUE(S.WaitFor("a click opens the " + AWhat, [&] { return FindPopup(S, AShown.Popup); }));
        const platform::TRect& p = AShown.Popup.Bounds;
        AShown.Right = TPoint{p.Right, (p.Top + p.Bottom) / 2};
        ASSERT_LT(p.Right + kReach, Screen.Right);
        ASSERT_LT(p.Bottom + kReach, Screen.Bottom);
        ASSERT_TRUE(S.WaitFor("the " + AWhat + "'s shadow shows", [&] {
            AShown.After = S.Grab(Screen);
            return Darkening(AShown.Before, AShown.After, AShown.Right, {1, 0})[0] > 6;
        }));
        S.Shot(AWhat + " with its shadow");
        ExpectShadowBand(Darkening(AShown.Before, AShown.After, AShown.Right, {1, 0}), Line(AShown.After, AShown.Right, {1, 0}),
                         ("right of the " + AWhat).c_str());
    }

    platform::TRect Screen;
};

TEST_P(Shadow, AMenuCastsATranslucentShadowFadingOutwards)
{
    TProgramSession s(GetParam());
    TShownPopup shown;
    ShowPopup(s, [&] { s.ClickAt(s.Main(), FileMenuInWindow); }, "file menu", shown);
    if (HasFatalFailure())
        return;
    const platform::TRect& m = shown.Popup.Bounds;
    const TPoint below{(m.Left + m.Right) / 2, m.Bottom};
    ExpectShadowBand(Darkening(shown.Before, s.Grab(Screen), below, {0, 1}), Line(s.Grab(Screen), below, {0, 1}),
                     "below the menu");
    s.Key("Escape");
    ASSERT_TRUE(s.WaitFor("Escape closes the menu", [&] { return !PopupShown(s); }));
    ASSERT_TRUE(s.Quit());
}

// The category list drops up over the file panel; below it lies the list's
// own box, which takes the focus, so there only the band's first pixels
// are looked at.
TEST_P(Shadow, ADropDownListCastsTheSameShadow)
{
    TProgramSession s(GetParam());
    TShownPopup shown;
    ShowPopup(s, [&] { ASSERT_TRUE(s.Click(Controls::Category)); }, "category list", shown);
    if (HasFatalFailure())
        return;
    const platform::TRect& l = shown.Popup.Bounds;
    EXPECT_GT(Line(s.Grab(Screen), TPoint{(l.Left + l.Right) / 2, l.Bottom}, {0, 1})[0], 3 * 24)
        << "the shadow below the list is solid black";
    s.Key("Escape");
    ASSERT_TRUE(s.WaitFor("Escape closes the list", [&] { return !PopupShown(s); }));
    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, Shadow, ::testing::Values(TDesk::OpenboxCompositor, TDesk::OpenboxPicom), DeskParamName);

} // namespace
} // namespace programtest
