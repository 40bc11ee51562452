// A double click on a row starts renaming its output, as the rename button
// and 编辑 > 重新命名 do: the edit takes the typed name, and the file is
// written under it.

#include "program/ProgramMedia.h"
#include "program/ProgramSession.h"

namespace programtest {
namespace {

// A point of the file list's first row, in the main window.
platform::TPoint FirstRowInWindow()
{
    return platform::Point(MainForm.ClientInWindow.X + Controls::FileList.Bounds.Left + 230,
                           MainForm.ClientInWindow.Y + Controls::FileList.Bounds.Top + 25);
}

// Below the rows, inside the list.
platform::TPoint ListBelowRowsInWindow()
{
    return platform::Point(MainForm.ClientInWindow.X + Controls::FileList.Bounds.Left + 230,
                           MainForm.ClientInWindow.Y + Controls::FileList.Bounds.Bottom - 40);
}

class Rename : public ::testing::TestWithParam<TDesk> {};

TEST_P(Rename, ADoubleClickOnARowRenamesItsOutput)
{
    TProgramSession s(GetParam());
    s.MakeTone("tone.wav", 1);
    ASSERT_TRUE(s.Start());
    ASSERT_TRUE(s.ChooseAdd());
    ASSERT_TRUE(s.PickFile(s.Media("tone.wav")));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "tone.mp3", 1, 10, "the row shows"));
    ASSERT_TRUE(s.WaitFocused(s.Main()));

    s.DoubleClickAt(s.Main(), FirstRowInWindow());
    s.Shot("double-clicked");
    // The edit holds the name without its extension, all of it replaced by
    // what is typed.
    s.Key("End");
    for (int i = 0; i < 4; ++i)
        s.Key("BackSpace");
    s.Type("renamed");
    s.Shot("typed");
    // The rename ends when the edit loses the keyboard.
    s.ClickAt(s.Main(), ListBelowRowsInWindow());
    ASSERT_TRUE(s.WaitText(Controls::FileList, "renamed.mp3", 1, 10, "the row renamed"));
    EXPECT_TRUE(s.FindText(Controls::FileList, "tone.mp3").empty());

    ASSERT_TRUE(s.Click(Controls::Start));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "100%", 1, 60, "converted"));
    const std::string output = s.DefaultOutputFolder() + "/renamed.mp3";
    ASSERT_TRUE(s.WaitFor("the output under its new name",
                          [&] { return Streams(output) == std::vector<std::string>{"audio:mp3"}; }));
    s.Shot("converted");
    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, Rename, ::testing::Values(TDesk::Bare, TDesk::Openbox), DeskParamName);

} // namespace
} // namespace programtest
