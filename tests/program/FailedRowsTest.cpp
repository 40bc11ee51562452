// A conversion that fails never passes for one that worked: its row says
// "失败" and keeps it, and a box names its file. The output folder taken away
// while a long video is converted, a FLAC asked of a video without sound,
// and a source that went before Start.

#include "program/ProgramMedia.h"
#include "program/ProgramSession.h"
#include "program/ProgramSteps.h"

#include "support/TestSupport.h"

#include <filesystem>

namespace programtest {
namespace {

namespace fs = std::filesystem;

// The topmost failure box (titled like the main window, but another
// window): failures that come while one is open stack their boxes.
bool FindFailureBox(TProgramSession& ASession, TWin& ABox)
{
    bool found = false;
    for (const TWin& w : ASession.Windows()) // bottom to top
        if (w.Viewable && w.Title == ASession.Main().Title && w.Id != ASession.Main().Id) {
            ABox = w;
            found = true;
        }
    return found;
}

// Waits for a failure box and closes the topmost one with its OK button,
// which stands in the middle of its bottom edge. The pointer reaches it
// whichever box has the keyboard.
::testing::AssertionResult AcknowledgeFailure(TProgramSession& ASession, const std::string& AStep)
{
    TWin box;
    if (auto shown = ASession.WaitFor(AStep + ": the failure box", [&] { return FindFailureBox(ASession, box); }, 60);
        !shown)
        return shown;
    ASession.Shot(AStep);
    ASession.ClickAt(box, platform::Point(box.Bounds.Width() / 2, box.Bounds.Height() - 26));
    return ASession.WaitFor(AStep + ": the box closes", [&] {
        for (const TWin& w : ASession.Windows())
            if (w.Id == box.Id && w.Viewable)
                return false;
        return true;
    });
}

// Some file of AFolder whose name starts with AStem has grown past ABytes.
bool Writing(const std::string& AFolder, const std::string& AStem, uintmax_t ABytes)
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(AFolder, error)) {
        std::error_code sizeError;
        if (entry.path().filename().string().rfind(AStem, 0) == 0 && entry.file_size(sizeError) > ABytes)
            return true;
    }
    return false;
}

class FailedRows : public ::testing::TestWithParam<TDesk> {};

TEST_P(FailedRows, AnOutputFolderTakenAwayMidFileFailsThatRowOnly)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(testsupport::MakeMedia(s.Media("long.mkv"),
                                       "-f lavfi -i testsrc=size=640x480:rate=25:duration=60"
                                       " -f lavfi -i sine=frequency=440:duration=60 -pix_fmt yuv420p -shortest"));
    s.MakeBars("short1.mkv", 1);
    s.MakeBars("short2.mkv", 1);
    const std::string out = s.Home() + "/out";
    ASSERT_TRUE(fs::create_directories(out));
    WriteOptionFile(s, out, false);
    ASSERT_TRUE(s.Start());
    MoveCategory(s, 1); // 视频格式, its first profile: AVI
    for (const char* name : {"long.mkv", "short1.mkv", "short2.mkv"}) {
        ASSERT_TRUE(s.ChooseAdd());
        ASSERT_TRUE(s.PickFile(s.Media(name)));
    }
    ASSERT_TRUE(s.WaitText(Controls::FileList, ".avi", 3, 10, "three rows"));

    // One task at a time: the long file, the first row, runs first.
    ASSERT_TRUE(s.Click(Controls::Start));
    ASSERT_TRUE(s.WaitFor("the long output grows", [&] { return Writing(out, "long", 100000); }, 60));
    fs::remove_all(out);
    s.Shot("output folder removed");
    ASSERT_TRUE(s.WaitText(Controls::FileList, "失败", 1, 60, "the long row failed"));
    // The short ones have nowhere to go either: each fails in its turn, and
    // each failure has its box.
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(AcknowledgeFailure(s, "failure " + std::to_string(i)));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "失败", 3, 20, "every row failed"));
    TWin more;
    EXPECT_FALSE(FindFailureBox(s, more)) << "a fourth failure box";
    s.Shot("run ended");
    EXPECT_TRUE(s.FindText(Controls::FileList, "100%").empty()) << "a lost file shows 100%";
    EXPECT_FALSE(fs::exists(out + "/long.avi"));
    ASSERT_TRUE(s.Quit());
}

// FLAC has no picture: a video without sound gives it nothing to write.
TEST_P(FailedRows, AFlacOfAVideoWithoutSoundFailsAndSaysSo)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(testsupport::MakeMedia(s.Media("silent.mkv"),
                                       "-f lavfi -i testsrc=size=160x120:rate=10:duration=1 -pix_fmt yuv420p"));
    s.MakeTone("tone.wav", 1);
    WriteOptionFile(s, s.Media(), false);
    ASSERT_TRUE(s.Start());
    MoveList(s, Controls::Profile, 10); // 音频格式 > FLAC
    for (const char* name : {"silent.mkv", "tone.wav"}) {
        ASSERT_TRUE(s.ChooseAdd());
        ASSERT_TRUE(s.PickFile(s.Media(name)));
    }
    ASSERT_TRUE(s.WaitText(Controls::FileList, ".flac", 2, 10, "two rows"));
    ASSERT_TRUE(s.Click(Controls::Start));
    ASSERT_TRUE(AcknowledgeFailure(s, "the silent video failed"));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "失败", 1, 30, "its row says so"));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "100%", 1, 30, "the tone converted"));
    s.Shot("run ended");
    EXPECT_EQ(Streams(s.Media("tone.flac")), std::vector<std::string>{"audio:flac"});
    ASSERT_TRUE(s.Quit());
}

// A source deleted between its add and Start gets no task: its row fails
// at once and a "提示" box names it; the others convert.
TEST_P(FailedRows, ASourceGoneBeforeStartFailsItsRowAndIsNamed)
{
    TProgramSession s(GetParam());
    s.MakeTone("gone.wav", 1);
    s.MakeTone("kept.wav", 1);
    WriteOptionFile(s, s.Media(), false);
    ASSERT_TRUE(s.Start());
    for (const char* name : {"gone.wav", "kept.wav"}) {
        ASSERT_TRUE(s.ChooseAdd());
        ASSERT_TRUE(s.PickFile(s.Media(name)));
    }
    ASSERT_TRUE(s.WaitText(Controls::FileList, ".mp3", 2, 10, "two rows"));
    fs::remove(s.Media("gone.wav"));
    ASSERT_TRUE(s.Click(Controls::Start));
    ASSERT_TRUE(AcknowledgeHint(s, "the gone source told"));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "100%", 1, 30, "the kept file converted"));
    EXPECT_EQ(s.FindText(Controls::FileList, "失败").size(), 1u);
    s.Shot("run ended");
    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, FailedRows, ::testing::Values(TDesk::Bare, TDesk::Openbox), DeskParamName);

} // namespace
} // namespace programtest
