// Options chosen in "选项" outlive a restart: option.ini keeps them and the
// program started again works by them.

#include "program/ProgramMedia.h"
#include "program/ProgramSession.h"
#include "support/TestSupport.h"

#include <filesystem>

namespace programtest {
namespace {

namespace fs = std::filesystem;

class OptionsPersist : public ::testing::TestWithParam<TDesk> {};

TEST_P(OptionsPersist, OverwriteAndAfterDoneChosenInTheOptionsDialogHoldAfterARestart)
{
    TProgramSession s(GetParam());
    s.MakeTone("tone.wav", 1);
    const std::string ini = s.ProgramFolder() + "/option.ini";
    ASSERT_TRUE(s.Start());
    // A first start writes the defaults: rename an existing output, open the folder when done.
    const std::string first = testsupport::ReadFile(ini);
    EXPECT_NE(first.find("Overwrite_File=1"), std::string::npos) << first;
    EXPECT_NE(first.find("After_Done=0"), std::string::npos) << first;

    ASSERT_TRUE(s.Click(Controls::Options));
    TWin options;
    ASSERT_TRUE(s.WaitWindow(OptionsForm.Title, options));
    EXPECT_EQ(options.Type, "DIALOG");
    EXPECT_EQ(options.TransientFor, s.Main().Id);
    ASSERT_TRUE(s.Click(Controls::OverwriteOutput));
    ASSERT_TRUE(s.Click(Controls::NothingWhenDone));
    s.Shot("options chosen");
    ASSERT_TRUE(s.Click(Controls::OptionsOk));
    ASSERT_TRUE(s.WaitWindowGone(OptionsForm.Title));
    ASSERT_TRUE(s.Quit());
    const std::string stored = testsupport::ReadFile(ini);
    EXPECT_NE(stored.find("Overwrite_File=0"), std::string::npos) << stored;
    EXPECT_NE(stored.find("After_Done=3"), std::string::npos) << stored;

    // Started again, the program overwrites an existing output as chosen.
    fs::create_directories(s.DefaultOutputFolder());
    const std::string output = s.DefaultOutputFolder() + "/tone.mp3";
    testsupport::WriteFile(output, "an older file of the same name");
    ASSERT_TRUE(s.Start());
    EXPECT_EQ(testsupport::ReadFile(ini), stored) << "a restart changed option.ini";
    ASSERT_TRUE(s.ChooseAdd());
    ASSERT_TRUE(s.PickFile(s.Media("tone.wav")));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "tone.mp3", 1, 10, "the row shows"));
    ASSERT_TRUE(s.Click(Controls::Start));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "100%", 1, 60, "converted"));
    ASSERT_TRUE(s.WaitFor("the older file overwritten by a valid MP3",
                          [&] { return Streams(output) == std::vector<std::string>{"audio:mp3"}; }));
    s.Shot("converted");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(s.DefaultOutputFolder()))
        ++files;
    EXPECT_EQ(files, 1) << "the output was renamed, not overwritten";
    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, OptionsPersist, ::testing::Values(TDesk::Bare, TDesk::Openbox), DeskParamName);

} // namespace
} // namespace programtest
