// What the program writes never costs the user a file: under "直接覆盖输出文件"
// with the output folder holding the sources, a row's output that is
// another row's source is refused with a "提示" box and the source stays as
// it was; an output folder that is a file is told when it is read and when
// a file is added, and nothing is added. And a row switched between
// categories after its add converts to its last choice, and every video of
// a folder added under MP3 comes out audio only.

#include "program/ProgramMedia.h"
#include "program/ProgramSession.h"
#include "program/ProgramSteps.h"

#include "support/TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace programtest {
namespace {

std::string Contents(const std::string& AFile)
{
    std::ifstream in(AFile, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class OutputSafety : public ::testing::TestWithParam<TDesk> {};

TEST_P(OutputSafety, OverwritingNeverReplacesASourceOfTheList)
{
    TProgramSession s(GetParam());
    s.MakeTone("song.wav", 2);
    s.MakeTone("song.mp3", 1);
    const std::string original = Contents(s.Media("song.mp3"));
    ASSERT_FALSE(original.empty());
    WriteOptionFile(s, s.Media(), true);
    ASSERT_TRUE(s.Start());

    ASSERT_TRUE(s.ChooseAdd());
    ASSERT_TRUE(s.PickFile(s.Media("song.wav")));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "song.mp3", 1, 10, "the wav's row"));
    ASSERT_TRUE(s.ChooseAdd());
    ASSERT_TRUE(s.PickFile(s.Media("song.mp3")));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "song_1.mp3", 1, 10, "the mp3's row"));

    ASSERT_TRUE(s.Click(Controls::Start));
    // The wav's conversion would land on the mp3 the other row reads.
    ASSERT_TRUE(AcknowledgeHint(s, "refused"));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "100%", 1, 60, "the mp3 converted"));
    ASSERT_TRUE(s.WaitFor("a valid MP3 in song_1.mp3", [&] {
        return Streams(s.Media("song_1.mp3")) == std::vector<std::string>{"audio:mp3"};
    }));
    EXPECT_FALSE(s.FindText(Controls::FileList, "失败").empty());
    EXPECT_EQ(Contents(s.Media("song.mp3")), original) << "the source was replaced";
    s.Shot("done");
    ASSERT_TRUE(s.Quit());
}

TEST_P(OutputSafety, AnOutputFolderThatIsAFileIsToldAndAddsNothing)
{
    TProgramSession s(GetParam());
    s.MakeTone("tone.wav", 1);
    const std::string notAFolder = s.Media("not a folder");
    testsupport::WriteFile(notAFolder, "a file");
    WriteOptionFile(s, notAFolder, false);
    ASSERT_TRUE(s.Start());
    ASSERT_TRUE(AcknowledgeHint(s, "told at start"));

    ASSERT_TRUE(s.ChooseAdd());
    ASSERT_TRUE(s.PickFile(s.Media("tone.wav")));
    ASSERT_TRUE(AcknowledgeHint(s, "told at the add"));
    s.Shot("nothing added");
    EXPECT_TRUE(s.FindText(Controls::FileList, "tone.mp3").empty());
    EXPECT_EQ(Contents(notAFolder), "a file");
    ASSERT_TRUE(s.Quit());
}

// Files handed over on the command line, as a file manager's "open with"
// does, are added as the several-files command adds them; one that is not
// there is named in a "提示" box.
TEST_P(OutputSafety, FilesOnTheCommandLineAreAddedAndAMissingOneIsTold)
{
    TProgramSession s(GetParam());
    s.MakeTone("first.wav", 1);
    s.MakeTone("second.wav", 1);
    ASSERT_TRUE(s.Start({s.Media("first.wav"), s.Media("gone.wav"), s.Media("second.wav")}));
    ASSERT_TRUE(AcknowledgeHint(s, "the missing file told"));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "first.mp3", 1, 10, "the first row shows"));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "second.mp3", 1, 10, "the second row shows"));
    EXPECT_TRUE(s.FindText(Controls::FileList, "gone.mp3").empty());
    s.Shot("added from the command line");
    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, OutputSafety, ::testing::Values(TDesk::Bare, TDesk::Openbox), DeskParamName);

} // namespace
} // namespace programtest

namespace programtest {
namespace {

class SwitchedRows : public ::testing::TestWithParam<TDesk> {};

TEST_P(SwitchedRows, ARowAddedUnderXboxConvertsAfterEachSwitch)
{
    struct TCase {
        const char* Name;
        std::vector<int> Moves; // from the XboX category
        const char* OutputName;
        std::vector<std::string> Streams;
    };
    const TCase cases[] = {
        {"to MPG", {2}, "bars.mpg", {"video:mpeg1video", "audio:mp2"}},
        {"through five categories to SWF", {-3, -5, 10, 1}, "bars.swf", {"audio:mp3", "video:flv1"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TProgramSession s(GetParam());
        s.MakeBars("bars.mkv", 2);
        ASSERT_TRUE(s.Start());
        MoveCategory(s, 9); // XboX: H.264 at 29.97 pictures a second
        ASSERT_TRUE(s.ChooseAdd());
        ASSERT_TRUE(s.PickFile(s.Media("bars.mkv")));
        ASSERT_TRUE(s.WaitText(Controls::FileList, "bars.mp4", 1, 10, "added under XboX"));
        for (int move : c.Moves)
            MoveCategory(s, move);
        ASSERT_TRUE(s.WaitText(Controls::FileList, c.OutputName, 1, 10, "switched"));
        ASSERT_TRUE(s.Click(Controls::Start));
        ASSERT_TRUE(s.WaitText(Controls::FileList, "100%", 1, 60, "converted"));
        const std::string output = s.DefaultOutputFolder() + "/" + c.OutputName;
        ASSERT_TRUE(s.WaitFor("the streams of " + output, [&] { return Streams(output) == c.Streams; }));
        s.Shot(std::string("converted ") + c.Name);
        ASSERT_TRUE(s.Quit());
    }
}

INSTANTIATE_TEST_SUITE_P(Desks, SwitchedRows, ::testing::Values(TDesk::Bare, TDesk::Openbox), DeskParamName);

} // namespace
} // namespace programtest

namespace programtest {
namespace {

class FolderAdd : public ::testing::TestWithParam<TDesk> {};

TEST_P(FolderAdd, EveryVideoOfAFolderAddedUnderMp3ComesOutAudioOnly)
{
    TProgramSession s(GetParam());
    s.MakeBars("one.mkv", 1);
    s.MakeBars("two.mkv", 1);
    // The folder dialog opens on the output folder: the media folder here.
    WriteOptionFile(s, s.Media(), false);
    ASSERT_TRUE(s.Start());
    // 文件 > 添加整个目录, from the keyboard of the main window.
    ASSERT_TRUE(s.Click(Controls::MenuBar));
    s.Key("Escape");
    s.Key("F10");
    s.Key("Down");
    s.Key("Down");
    s.Key("Down");
    s.Key("Return");
    TWin dialog;
    ASSERT_TRUE(s.WaitWindow("选择目录", dialog));
    s.Key("Return");
    ASSERT_TRUE(s.WaitWindowGone("选择目录"));
    ASSERT_TRUE(s.WaitText(Controls::FileList, ".mp3", 2, 10, "both rows"));
    ASSERT_TRUE(s.Click(Controls::Start));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "100%", 2, 60, "converted"));
    for (const char* name : {"one.mp3", "two.mp3"})
        ASSERT_TRUE(s.WaitFor(std::string("audio only in ") + name, [&] {
            return Streams(s.Media(name)) == std::vector<std::string>{"audio:mp3"};
        }));
    s.Shot("converted");
    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, FolderAdd, ::testing::Values(TDesk::Bare, TDesk::Openbox), DeskParamName);

} // namespace
} // namespace programtest
