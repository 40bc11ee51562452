// The about box as a user meets it: opened from the help menu, its title
// shows whole with room to the border, and Escape closes it as Return does.

#include "program/ProgramPopups.h"

namespace programtest {
namespace {

// Opens "关于软件", the help menu's last item.
::testing::AssertionResult OpenAboutBox(TProgramSession& S, TWin& AAbout)
{
    S.ClickAt(S.Main(), HelpMenuInWindow);
    TWin menu;
    if (auto shown = S.WaitFor("a click opens the help menu", [&] { return FindPopup(S, menu); }); !shown)
        return shown;
    S.ClickScreen(platform::Point((menu.Bounds.Left + menu.Bounds.Right) / 2, menu.Bounds.Bottom - 12));
    return S.WaitWindow(AboutForm.Title, AAbout);
}

class AboutBox : public ::testing::TestWithParam<TDesk> {};

TEST_P(AboutBox, ItsTitleShowsWholeAndEscapeClosesItAsReturnDoes)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(s.Start());
    TWin about;
    ASSERT_TRUE(OpenAboutBox(s, about));
    ASSERT_TRUE(s.WaitFocused(about));
    ASSERT_TRUE(s.WaitText(Controls::AboutTitle, "ZarveloMP3格式转换器", 1, 5, "the title shows whole"));
    s.Shot("about box");
    // At least a few pixels stand between the title's last character and the frame.
    const int clientWidth = s.Refresh(about).Bounds.Width() - 2 * AboutForm.ClientInWindow.X;
    EXPECT_GE(clientWidth - Controls::AboutTitle.Bounds.Right, 8) << "the title touches the right border";

    s.Key("Escape");
    ASSERT_TRUE(s.WaitWindowGone(AboutForm.Title)) << "Escape leaves the about box open";
    ASSERT_TRUE(OpenAboutBox(s, about));
    ASSERT_TRUE(s.WaitFocused(about));
    s.Key("Return");
    ASSERT_TRUE(s.WaitWindowGone(AboutForm.Title)) << "Return leaves the about box open";
    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, AboutBox, ::testing::Values(TDesk::Bare, TDesk::Openbox), DeskParamName);

} // namespace
} // namespace programtest
