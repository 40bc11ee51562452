// The mouse wheel scrolls what lies under the pointer, as on any desktop,
// whichever control has the keyboard: the file list, an open drop-down list.

#include "program/ProgramPopups.h"

#include <filesystem>

namespace programtest {
namespace {

namespace fs = std::filesystem;

// The middle of a control of the table on the screen.
platform::TPoint MiddleOf(TProgramSession& S, const TControlSpot& AControl)
{
    const TWin form = S.Refresh(S.Main());
    const platform::TRect& r = AControl.Bounds;
    return platform::Point(form.Bounds.Left + AControl.Form->ClientInWindow.X + (r.Left + r.Right) / 2,
                           form.Bounds.Top + AControl.Form->ClientInWindow.Y + (r.Top + r.Bottom) / 2);
}

platform::TRect OnScreen(TProgramSession& S, const TControlSpot& AControl)
{
    const TWin form = S.Refresh(S.Main());
    return platform::Bounds(form.Bounds.Left + AControl.Form->ClientInWindow.X + AControl.Bounds.Left,
                            form.Bounds.Top + AControl.Form->ClientInWindow.Y + AControl.Bounds.Top,
                            AControl.Bounds.Width(), AControl.Bounds.Height());
}

class Wheel : public ::testing::TestWithParam<TDesk> {};

TEST_P(Wheel, ScrollsTheFileListUnderThePointerWhileAnotherControlHasTheKeys)
{
    TProgramSession s(GetParam());
    s.MakeTone("t00.wav", 1);
    std::vector<std::string> files{s.Media("t00.wav")};
    for (int i = 1; i < 24; ++i) {
        const std::string name = s.Media((i < 10 ? "t0" : "t") + std::to_string(i) + ".wav");
        fs::copy_file(files.front(), name);
        files.push_back(name);
    }
    ASSERT_TRUE(s.Start(files));
    // Several files are added from the last to the first: the first file's
    // row, added last and selected, shows at the list's bottom, the last
    // file's row lies above, out of sight.
    ASSERT_TRUE(s.WaitText(Controls::FileList, "t00.mp3", 1, 20, "every file is added"));
    EXPECT_TRUE(s.FindText(Controls::FileList, "t23.mp3").empty());
    // The keys go to the category list, away from the file list.
    ASSERT_TRUE(s.Click(Controls::Category));
    ASSERT_TRUE(s.WaitFor("a click drops the category list", [&] { return PopupShown(s); }));
    s.Key("Escape");
    ASSERT_TRUE(s.WaitFor("Escape closes it", [&] { return !PopupShown(s); }));
    s.Shot("the list at its bottom");

    // What the rows and the category show with the pointer resting over
    // the rows, before the wheel.
    const platform::TRect rows = OnScreen(s, Controls::FileList), category = OnScreen(s, Controls::Category);
    s.PointAt(MiddleOf(s, Controls::FileList));
    TScreenImage atBottom, chosen;
    ASSERT_TRUE(s.WaitFor("the rows stand still under the pointer", [&] {
        const TScreenImage earlier = s.Grab(rows);
        atBottom = s.Grab(rows);
        return !atBottom.Pixels.empty() && atBottom.Pixels == earlier.Pixels;
    }));
    chosen = s.Grab(category);

    s.Wheel(MiddleOf(s, Controls::FileList), -3);
    ASSERT_TRUE(s.WaitFor("the wheel scrolls the list up", [&] { return s.Grab(rows).Pixels != atBottom.Pixels; }))
        << "the wheel over the file list did not scroll it";
    s.Shot("scrolled up by the wheel");
    EXPECT_EQ(s.Grab(category).Pixels, chosen.Pixels) << "the wheel over the file list changed the category";
    s.Wheel(MiddleOf(s, Controls::FileList), 3);
    ASSERT_TRUE(s.WaitFor("the wheel scrolls the list back down", [&] { return s.Grab(rows).Pixels == atBottom.Pixels; }));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "t00.mp3", 1, 5, "the last row added shows again"));
    ASSERT_TRUE(s.Quit());
}

TEST_P(Wheel, ScrollsAnOpenDropDownListWithoutChangingTheChoice)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(s.Start());
    // The list's face as it shows with the keys, the list closed.
    const platform::TRect face = OnScreen(s, Controls::Category);
    ASSERT_TRUE(s.Click(Controls::Category));
    ASSERT_TRUE(s.WaitFor("a click drops the category list", [&] { return PopupShown(s); }));
    s.Key("Escape");
    ASSERT_TRUE(s.WaitFor("Escape closes it", [&] { return !PopupShown(s); }));
    s.PointAt(platform::Point(face.Left - 40, face.Top));
    TScreenImage closed;
    ASSERT_TRUE(s.WaitFor("the face stands still", [&] {
        const TScreenImage earlier = s.Grab(face);
        closed = s.Grab(face);
        return !closed.Pixels.empty() && closed.Pixels == earlier.Pixels;
    }));

    ASSERT_TRUE(s.Click(Controls::Category));
    TWin list;
    ASSERT_TRUE(s.WaitFor("a click drops the category list", [&] { return FindPopup(s, list); }));
    // The list's scroll bar along its right edge shows where its view stands.
    const platform::TRect bar = platform::Rect(list.Bounds.Right - 16, list.Bounds.Top + 20, list.Bounds.Right,
                                               list.Bounds.Bottom - 20);
    const TScreenImage top = s.Grab(bar);
    s.Shot("the category list at its top");

    s.Wheel(platform::Point((list.Bounds.Left + list.Bounds.Right) / 2 - 20, (list.Bounds.Top + list.Bounds.Bottom) / 2), 2);
    ASSERT_TRUE(s.WaitFor("the wheel scrolls the open list", [&] { return s.Grab(bar).Pixels != top.Pixels; }))
        << "the wheel over the open list did not scroll it";
    s.Shot("the category list scrolled");
    s.Key("Escape");
    ASSERT_TRUE(s.WaitFor("Escape closes the list", [&] { return !PopupShown(s); }));
    s.PointAt(platform::Point(face.Left - 40, face.Top));
    s.Shot("the list closed");
    EXPECT_TRUE(s.WaitFor("the face shows the category it showed", [&] { return s.Grab(face).Pixels == closed.Pixels; }))
        << "scrolling the list changed the chosen category";
    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, Wheel, ::testing::Values(TDesk::Bare, TDesk::Openbox), DeskParamName);

} // namespace
} // namespace programtest
