// The keyboard on the program's windows, seen from outside: Tab from the
// start never leaves the focus on a control nobody can see, and Escape with
// a drop-down list open closes the list only, in the output settings and
// in the open dialog.

#include "program/ProgramPopups.h"

#include <chrono>
#include <map>
#include <thread>

namespace programtest {
namespace {

using platform::TPoint;
using platform::TRect;

// More presses than the main window has controls to stop at.
constexpr int kTabPresses = 24;

bool Same(const TScreenImage& A, const TScreenImage& B) { return A.Width == B.Width && A.Pixels == B.Pixels; }

// What the screen shows in R once two looks a moment apart agree (a
// blinking caret may keep it from agreeing: the last look then).
TScreenImage Settled(TProgramSession& S, const TRect& R)
{
    TScreenImage last = S.Grab(R);
    for (int i = 0; i < 20; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        TScreenImage now = S.Grab(R);
        if (Same(now, last))
            return now;
        last = std::move(now);
    }
    return last;
}

// Per pixel, the colour most of the pictures show. Each control has the
// focus in few of them, so this is the window with no control marked.
TScreenImage MostCommon(const std::vector<TScreenImage>& AShots)
{
    TScreenImage common = AShots.front();
    for (size_t p = 0; p < common.Pixels.size(); ++p) {
        std::map<uint32_t, int> votes;
        for (const TScreenImage& shot : AShots)
            ++votes[shot.Pixels[p]];
        int best = 0;
        for (const auto& [colour, count] : votes)
            if (count > best) {
                best = count;
                common.Pixels[p] = colour;
            }
    }
    return common;
}

TRect ClientOnScreen(const TWin& AWin, const TFormSpot& AForm)
{
    const TRect& b = AWin.Bounds;
    return TRect{b.Left + AForm.ClientInWindow.X, b.Top + AForm.ClientInWindow.Y, b.Right - AForm.ClientInWindow.X,
                 b.Bottom - AForm.ClientInWindow.X};
}

class Keyboard : public ::testing::TestWithParam<TDesk> {};

TEST_P(Keyboard, TabAlwaysLeavesTheFocusOnAControlInSight)
{
    TProgramSession s(GetParam());
    s.MakeTone("a.wav", 1);
    ASSERT_TRUE(s.Start());
    // With a file in it the list shows: the empty list's picture lies over
    // the list and its buttons, which take the focus as well.
    ASSERT_TRUE(s.ChooseAdd());
    ASSERT_TRUE(s.PickFile(s.Media("a.wav")));
    const TWin main = s.Main();
    ASSERT_TRUE(s.WaitFocused(main));
    const TRect client = ClientOnScreen(main, MainForm);

    // A first round learns how the window looks with no control marked.
    std::vector<TScreenImage> shots;
    for (int i = 0; i < kTabPresses; ++i) {
        s.Key("Tab");
        shots.push_back(Settled(s, client));
    }
    const TScreenImage unmarked = MostCommon(shots);
    s.Shot("first round of Tab");

    // A second round: every press moves the focus, and the control it
    // lands on shows it.
    TScreenImage before = Settled(s, client);
    for (int i = 1; i <= kTabPresses; ++i) {
        s.Key("Tab");
        const std::string press = "Tab " + std::to_string(i);
        TScreenImage now;
        ASSERT_TRUE(s.WaitFor(press + " moves the focus", [&] { return !Same(now = Settled(s, client), before); }));
        ASSERT_TRUE(s.WaitFor(press + " leaves the focus where it shows",
                              [&] { return !Same(now = Settled(s, client), unmarked); }));
        s.Shot(press);
        before = now;
    }
    ASSERT_TRUE(s.Quit());
}

// Opens the drop-down list of the box at AInWindow, closes it with Escape
// and shows the dialog is still there by opening it again; Escape closes
// the list, and Escape once more the dialog.
void EscapeClosesTheListThenTheDialog(TProgramSession& S, const TWin& ADialog, TPoint AInWindow)
{
    ASSERT_TRUE(S.WaitFocused(ADialog));
    for (int round = 1; round <= 2; ++round) {
        const std::string name = "the list, time " + std::to_string(round);
        S.ClickAt(ADialog, AInWindow);
        ASSERT_TRUE(S.WaitFor("a click opens " + name, [&] { return PopupShown(S); }));
        S.Shot(name + " open");
        S.Key("Escape");
        ASSERT_TRUE(S.WaitFor("Escape closes " + name, [&] { return !PopupShown(S); }));
        S.Shot(name + " closed");
    }
    // The second opening passed only with the dialog still up; it still is.
    EXPECT_TRUE(S.Refresh(ADialog).Viewable) << "Escape closed the dialog with its list";
    S.Key("Escape");
    ASSERT_TRUE(S.WaitWindowGone(ADialog.Title));
}

TEST_P(Keyboard, EscapeWithTheOutputSettingsProfileListOpenClosesOnlyTheList)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(s.Start());
    ASSERT_TRUE(s.Click(Controls::OutputSettings));
    TWin settings;
    ASSERT_TRUE(s.WaitWindow(OutputSettingsForm.Title, settings));
    const TRect& box = Controls::SettingsProfile.Bounds;
    EscapeClosesTheListThenTheDialog(s, settings,
                                     TPoint{OutputSettingsForm.ClientInWindow.X + (box.Left + box.Right) / 2,
                                            OutputSettingsForm.ClientInWindow.Y + (box.Top + box.Bottom) / 2});
    ASSERT_TRUE(s.Quit());
}

TEST_P(Keyboard, EscapeWithTheOpenDialogsFileTypeListOpenClosesOnlyTheList)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(s.Start());
    ASSERT_TRUE(s.ChooseAdd());
    TWin open;
    ASSERT_TRUE(s.WaitWindow("打开文件", open));
    // The file type box lies in the dialog's bottom panel, 80 pixels high,
    // 45 pixels below the panel's top and 70 from its left.
    const int panelTop = open.Bounds.Height() - 4 - 80;
    EscapeClosesTheListThenTheDialog(s, open, TPoint{4 + 70 + 60, panelTop + 45 + 10});
    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, Keyboard, ::testing::Values(TDesk::Bare, TDesk::Openbox), DeskParamName);

} // namespace
} // namespace programtest
