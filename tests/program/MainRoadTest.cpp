// The main road: a file added through "添加" and the program's own open
// dialog converts to a valid MP3 under the first start's settings.

#include "program/ProgramMedia.h"
#include "program/ProgramSession.h"

#include <cmath>

namespace programtest {
namespace {

class MainRoad : public ::testing::TestWithParam<TDesk> {};

TEST_P(MainRoad, AFileAddedThroughTheOpenDialogConvertsToAValidMp3)
{
    TProgramSession s(GetParam());
    s.MakeTone("tone.wav", 2);
    ASSERT_TRUE(s.Start());
    // A desktop can tell what the windows are.
    EXPECT_EQ(s.Main().Type, "NORMAL");
    EXPECT_EQ(s.Main().Class, "Zarvelo");
    EXPECT_EQ(s.Main().IconWidth, 48);
    EXPECT_EQ(s.Main().IconHeight, 48);

    ASSERT_TRUE(s.ChooseAdd());
    TWin open;
    ASSERT_TRUE(s.WaitWindow("打开文件", open));
    EXPECT_EQ(open.Type, "DIALOG");
    EXPECT_EQ(open.TransientFor, s.Main().Id);
    ASSERT_TRUE(s.PickFile(s.Media("tone.wav")));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "tone.mp3", 1, 10, "the row shows"));
    s.Shot("added");

    ASSERT_TRUE(s.Click(Controls::Start));
    const std::string output = s.DefaultOutputFolder() + "/tone.mp3";
    ASSERT_TRUE(s.WaitText(Controls::FileList, "100%", 1, 60, "converted"));
    // The row may say so a moment before the file is closed.
    ASSERT_TRUE(s.WaitFor("a valid MP3 in " + output, [&] {
        return Streams(output) == std::vector<std::string>{"audio:mp3"} && std::abs(Duration(output) - 2.0) < 0.2;
    }));
    s.Shot("converted");

    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, MainRoad, ::testing::Values(TDesk::Bare, TDesk::Openbox), DeskParamName);

} // namespace
} // namespace programtest
