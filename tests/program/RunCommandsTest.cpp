// Pause, resume, stop and start again on a running conversion, seen from
// outside through the output file and the row.

#include "program/ProgramMedia.h"
#include "program/ProgramSession.h"
#include "support/TestSupport.h"

#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>

namespace programtest {
namespace {

namespace fs = std::filesystem;

uintmax_t SizeOf(const std::string& AFile)
{
    std::error_code error;
    const uintmax_t size = fs::file_size(AFile, error);
    return error ? 0 : size;
}

// The output file has not grown for a second.
bool Still(const std::string& AFile)
{
    const uintmax_t before = SizeOf(AFile);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    return SizeOf(AFile) == before;
}

class RunCommands : public ::testing::TestWithParam<TDesk> {};

TEST_P(RunCommands, PauseResumeStopAndStartAgainConvertTheWholeFile)
{
    TProgramSession s(GetParam());
    // Long enough to be caught running; a sine packs small as FLAC.
    ASSERT_TRUE(testsupport::MakeMedia(s.Media("long.flac"), "-f lavfi -i sine=frequency=440:duration=900 -c:a flac"));
    ASSERT_TRUE(s.Start());
    ASSERT_TRUE(s.ChooseAdd());
    ASSERT_TRUE(s.PickFile(s.Media("long.flac")));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "long.mp3", 1, 10, "the row shows"));
    const std::string output = s.DefaultOutputFolder() + "/long.mp3";

    ASSERT_TRUE(s.Click(Controls::Start));
    ASSERT_TRUE(s.WaitFor("the output grows", [&] { return SizeOf(output) > 100000; }, 20));
    s.Shot("running");

    ASSERT_TRUE(s.Click(Controls::Pause));
    ASSERT_TRUE(s.WaitFor("the output stops growing after pause", [&] { return Still(output); }));
    s.Shot("paused");
    const uintmax_t paused = SizeOf(output);
    EXPECT_TRUE(Still(output)) << "the paused conversion went on writing";
    EXPECT_TRUE(s.FindText(Controls::FileList, "100%").empty());

    ASSERT_TRUE(s.Click(Controls::Resume));
    ASSERT_TRUE(s.WaitFor("the output grows again after resume", [&] { return SizeOf(output) > paused; }, 10));
    s.Shot("resumed");

    ASSERT_TRUE(s.Click(Controls::Stop));
    ASSERT_TRUE(s.WaitFor("the output stops growing after stop", [&] { return Still(output); }));
    s.Shot("stopped");
    EXPECT_TRUE(s.FindText(Controls::FileList, "100%").empty()) << "a stopped conversion shows 100%";

    // Start comes back after a stop and converts the row from its beginning.
    ASSERT_TRUE(s.Click(Controls::Start));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "100%", 1, 90, "converted after starting again"));
    ASSERT_TRUE(s.WaitFor("a whole MP3 in " + s.DefaultOutputFolder(), [&] {
        for (const auto& entry : fs::directory_iterator(s.DefaultOutputFolder()))
            if (Streams(entry.path()) == std::vector<std::string>{"audio:mp3"} && std::abs(Duration(entry.path()) - 900) < 1)
                return true;
        return false;
    }));
    s.Shot("converted");
    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, RunCommands, ::testing::Values(TDesk::Bare, TDesk::Openbox), DeskParamName);

} // namespace
} // namespace programtest
