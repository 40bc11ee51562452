// The converter's workflow against a recording engine: the rows an add
// lays out, names that never collide, the records following their rows,
// the rebuild at Start, progress and ends on the right rows, the actions
// after a run, and the commands' states.
#include "WorkflowFixture.h"

#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"
#include "profiles/PresetTexts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace app;
using namespace apptest;
using profiles::TPreset;
using testsupport::TTempDir;
using testsupport::WriteFile;

namespace {

class WorkflowTest : public TWorkflowFixture {};

} // namespace

TEST_F(WorkflowTest, StartsWithTheFirstAudioProfile)
{
    EXPECT_EQ(Flow.CategoryIndex(), 0);
    EXPECT_EQ(Flow.ProfileCaption(), "MP3 - MPEG Layer-3音频格式(*.mp3)");
    EXPECT_EQ(Out, Home.Path() + "/Zarvelo视频软件/输出");
    EXPECT_FALSE(Flow.PresetEnabled(TPreset::Resolution));
    EXPECT_TRUE(Flow.PresetEnabled(TPreset::AudioBitrate));
}

TEST_F(WorkflowTest, AnAddLaysOutItsRow)
{
    const std::string clip = Source("clip.avi");
    Flow.AddFile(clip);
    ASSERT_EQ(Flow.Rows().Count(), 1);
    const TTaskRow& row = Flow.Rows().Row(0);
    EXPECT_EQ(row.Caption, clip);
    const std::array<std::string, RowSubItemCount> expected = {
        "01:02:05", "1.5MB", "clip.mp3", "", "", "", "", "1", "100", row.Sub(9),
        "", "libmp3lame", "2", "", ".mp3", "", "-1000", "", "128000", "44100", "", "True", "", ""};
    EXPECT_EQ(row.SubItems, expected);
    EXPECT_EQ(row.Sub(9).size(), 12u);
    EXPECT_EQ(Flow.Rows().ItemIndex(), 0);
    EXPECT_EQ(View.Previews, std::vector<std::string>{clip});

    // The task got the profile's output.
    ASSERT_EQ(Engine.Outputs.size(), 1u);
    EXPECT_EQ(Engine.Outputs[0].FileName, Out + "/clip.mp3");
    EXPECT_EQ(Engine.Outputs[0].Options.AudioCodec, "libmp3lame");
    EXPECT_TRUE(Engine.Outputs[0].Options.DisableVideo);
    EXPECT_TRUE(Engine.Outputs[0].Options.AudioLanguage.empty());
    EXPECT_TRUE(Flow.Commands().On(TCommand::Start));
    EXPECT_TRUE(Flow.Commands().On(TCommand::Remove));

    // A file whose duration is unknown.
    Engine.Duration = -1;
    Engine.FileSize = 1048576;
    Flow.AddFile(Source("other.wav"));
    EXPECT_EQ(Sub(1, siDuration), "N/A");
    EXPECT_EQ(Sub(1, siSourceSize), "1MB");
    EXPECT_EQ(Sub(1, profiles::siTaskNumber), "2");
}

TEST_F(WorkflowTest, AVideoProfileWritesItsPresetsIntoTheRow)
{
    Flow.SetCategory(1); // 视频格式
    Flow.AddFile(Source("movie.mkv"));
    const TTaskRow& row = Flow.Rows().Row(0);
    EXPECT_EQ(row.Sub(profiles::siProfileCode), "200");
    EXPECT_EQ(row.Sub(profiles::siDisableVideo), "False");
    EXPECT_FALSE(row.Sub(profiles::siVideoCodec).empty());
    // A preset change lands in the row, its code and the field.
    const int before = Flow.PresetIndex(TPreset::AudioBitrate);
    Flow.SetPreset(TPreset::AudioBitrate, before == 0 ? 1 : 0);
    EXPECT_EQ(row.Sub(profiles::siPresetCode).substr(4, 2), profiles::FormatPresetPair(Flow.PresetIndex(TPreset::AudioBitrate)));
    EXPECT_EQ(row.Sub(profiles::siAudioBitrate),
              profiles::PresetFieldText(Flow.Fields(), TPreset::AudioBitrate));
}

TEST_F(WorkflowTest, TwoRowsNeverShareAnOutputName)
{
    Flow.AddFile(Source("a/clip.avi"));
    Flow.AddFile(Source("b/clip.avi"));
    EXPECT_EQ(Sub(0, profiles::siOutputFileName), "clip.mp3");
    EXPECT_EQ(Sub(1, profiles::siOutputFileName), "clip_1.mp3");
    // Also when the user allows overwriting files on disk.
    TConversionOptions o;
    o.Overwrite = true;
    Flow.SetOptions(o);
    Flow.AddFile(Source("c/clip.avi"));
    EXPECT_EQ(Sub(2, profiles::siOutputFileName), "clip_2.mp3");

    // Overwriting keeps a name whose file exists; renaming finds a free one.
    WriteFile(Out + "/song.mp3", "old");
    Flow.AddFile(Source("song.wav"));
    EXPECT_EQ(Sub(3, profiles::siOutputFileName), "song.mp3");
    Flow.SetOptions(TConversionOptions{});
    Flow.AddFile(Source("d/song.wav"));
    EXPECT_EQ(Sub(4, profiles::siOutputFileName), "song_1.mp3");
}

TEST_F(WorkflowTest, RenamesAreCheckedAndStayOnTheirRow)
{
    Flow.AddFile(Source("one.wav"));
    Flow.AddFile(Source("two.wav"));
    const std::optional<int> row = Flow.BeginRename(true);
    ASSERT_EQ(row, 1);
    Flow.SelectRow(0); // the selection moves while the edit is open
    EXPECT_TRUE(Flow.FinishRename(*row, "song"));
    EXPECT_EQ(Sub(1, profiles::siOutputFileName), "song.mp3");
    EXPECT_EQ(Flow.Rows().Row(1).Output.FileName, Out + "/song.mp3");
    EXPECT_EQ(Sub(0, profiles::siOutputFileName), "one.mp3");

    struct TCase {
        std::string Text;
        bool Accepted;
    };
    const TCase cases[] = {
        {"a/b", false}, {".", true}, {"..", true}, {"tab\there", false}, {std::string(252, 'x'), false},
        {std::string(251, 'x'), true}, {"one", false}, {"", false},
    };
    for (const TCase& c : cases) {
        View.Hints.clear();
        const std::string before = Sub(1, profiles::siOutputFileName);
        EXPECT_EQ(Flow.FinishRename(1, c.Text), c.Accepted) << c.Text;
        if (!c.Accepted) {
            EXPECT_EQ(Sub(1, profiles::siOutputFileName), before) << c.Text;
        }
        EXPECT_EQ(View.Hints.size(), c.Accepted || c.Text.empty() ? 0u : 1u) << c.Text;
    }
    // "." and ".." gain the extension, so they are plain names.
    EXPECT_EQ(Sub(1, profiles::siOutputFileName), std::string(251, 'x') + ".mp3");

    Flow.Rows().SetItemIndex(-1);
    EXPECT_FALSE(Flow.BeginRename(true));
    EXPECT_EQ(View.Hints.back(), "请先选中您需要重命名的项目！");
}

TEST_F(WorkflowTest, AnAddLeavesTheSelectedRowAlone)
{
    Flow.AddFile(Source("first.wav"));
    Flow.SetProfile(2);
    const auto before = Flow.Rows().Row(0).SubItems;
    ASSERT_EQ(Flow.Rows().ItemIndex(), 0);
    Flow.AddFile(Source("second.wav"));
    EXPECT_EQ(Flow.Rows().Row(0).SubItems, before);
    EXPECT_EQ(Sub(1, profiles::siProfileCode), "102");
}

TEST_F(WorkflowTest, RecordsFollowTheirRowsIntoTheRebuild)
{
    for (const char* name : {"a.wav", "b.wav", "c.wav"}) {
        Flow.AddFile(Source(name));
        // Something only the record carries, to see where it goes.
        Flow.Rows().Row(Flow.Rows().Count() - 1).Output.FileFormat = std::string("fmt-") + name;
    }
    Flow.SelectRow(1);
    Flow.RemoveSelected();
    EXPECT_EQ(Engine.Calls.back(), "RemoveTask 1");
    EXPECT_EQ(Sub(0, profiles::siTaskNumber), "1");
    EXPECT_EQ(Sub(1, profiles::siTaskNumber), "2");
    EXPECT_EQ(Flow.Rows().ItemIndex(), 0);
    Flow.SelectRow(1);
    Flow.MoveSelectedUp();
    EXPECT_EQ(Flow.Rows().ItemIndex(), 0);
    EXPECT_EQ(Flow.Rows().Row(0).Caption, Media.File("c.wav"));

    TConversionOptions o;
    o.ThreadCount = 5;
    o.Priority = TRunPriority::Idle;
    o.ShowPreview = true;
    Flow.SetOptions(o);
    Engine.Calls.clear();
    Flow.Start();
    const std::vector<std::string> expected = {
        "ClearTasks",
        "AddTask " + Media.File("c.wav"), "SetOutputFile 0 " + Out + "/c.mp3",
        "AddTask " + Media.File("a.wav"), "SetOutputFile 1 " + Out + "/a.mp3",
        "Start 5"};
    EXPECT_EQ(Engine.Calls, expected);
    ASSERT_EQ(Engine.Outputs.size(), 2u);
    EXPECT_EQ(Engine.Outputs[0].Options.FileFormat, "fmt-c.wav");
    EXPECT_EQ(Engine.Outputs[1].Options.FileFormat, "fmt-a.wav");
    EXPECT_TRUE(Engine.Outputs[0].Options.AudioLanguage.empty());
    EXPECT_EQ(Engine.Priority, platform::TThreadPriority::tpIdle);
    EXPECT_TRUE(Engine.Preview);
    EXPECT_FALSE(Flow.Commands().On(TCommand::Add));
    EXPECT_TRUE(Flow.Commands().On(TCommand::Stop));
}

TEST_F(WorkflowTest, ProgressAndEndsLandOnTheirRows)
{
    for (const char* name : {"a.wav", "gone.wav", "c.wav"})
        Flow.AddFile(Source(name));
    Engine.UnopenableFiles.insert(Media.File("gone.wav"));
    Flow.Start();
    // A row without a task says it failed, and the box says which and why.
    EXPECT_EQ(Sub(1, siProgress), "失败");
    ASSERT_EQ(View.Hints.size(), 1u);
    EXPECT_NE(View.Hints[0].find(Media.File("gone.wav")), std::string::npos) << View.Hints[0];
    EXPECT_NE(View.Hints[0].find("No such file or directory"), std::string::npos) << View.Hints[0];

    engine::TProgressInfo p;
    p.TaskIndex = 1; // the third row: the second had no task
    p.FPS = 25;
    p.CurrentSize = 1572864;
    p.CurrentDuration = 3725'000000;
    p.TotalDuration = 2 * 3725'000000LL;
    Engine.OnProgress(p);
    EXPECT_EQ(Sub(2, siProgress), "50%");
    EXPECT_EQ(Sub(2, siFPS), "25");
    EXPECT_EQ(Sub(2, siConvertedTime), "01:02:05");
    EXPECT_EQ(Sub(2, siConvertedSize), "1.5MB");
    EXPECT_EQ(Sub(0, siProgress), "");

    Engine.OnTerminate(engine::TTerminateInfo{1, true, false, ""});
    EXPECT_EQ(Sub(2, siProgress), "100%");
    // The first row's file reached its end and was then lost: the last
    // progress said 100 %, the end says it failed.
    p.TaskIndex = 0;
    p.CurrentDuration = p.TotalDuration;
    Engine.OnProgress(p);
    EXPECT_EQ(Sub(0, siProgress), "100%");
    Engine.OnTerminate(engine::TTerminateInfo{0, false, true, "Error while opening encoder"});
    EXPECT_EQ(Sub(0, siProgress), "失败");
    // The box says which file failed, first, and the engine's text below.
    EXPECT_EQ(View.TaskErrors, std::vector<std::string>{Media.File("a.wav") + "\nError while opening encoder"});
    // A record still on its way after the end changes nothing.
    p.CurrentDuration = p.TotalDuration / 2;
    Engine.OnProgress(p);
    EXPECT_EQ(Sub(0, siProgress), "失败");
    // A record of a task the run does not have changes nothing.
    Engine.OnTerminate(engine::TTerminateInfo{7, true, false, ""});
    Engine.EndRun();
    EXPECT_EQ(Sub(0, siProgress), "失败");
    EXPECT_EQ(Sub(1, siProgress), "失败");
    EXPECT_EQ(Sub(2, siProgress), "100%");
    EXPECT_TRUE(Flow.Commands().On(TCommand::Clear));
    EXPECT_FALSE(Flow.Commands().On(TCommand::Start));
    EXPECT_FALSE(Flow.Commands().On(TCommand::Add));
}

TEST_F(WorkflowTest, AfterARunTheChosenActionRuns)
{
    platform::ForceDirectories(Home.File("sounds"));
    WriteFile(Home.File("sounds/ring001.wav"), "RIFF");
    struct TCase {
        TAfterDone Action;
        bool Confirmed;
        std::vector<std::string> Expected;
        int Questions;
    };
    const TCase cases[] = {
        {TAfterDone::OpenFolder, true, {"xdg-open " + Out}, 0},
        {TAfterDone::Shutdown, true, {"shutdown"}, 1},
        {TAfterDone::Shutdown, false, {}, 1},
        {TAfterDone::PlaySound, true, {"sound " + Home.File("sounds/ring001.wav")}, 0},
        {TAfterDone::Nothing, true, {}, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(int(c.Action));
        TConversionOptions o;
        o.AfterDone = c.Action;
        Flow.SetOptions(o);
        View.ShutdownConfirmed = c.Confirmed;
        View.ShutdownQuestions = 0;
        Actions.clear();
        Flow.Clear();
        Flow.AddFile(Source("a.wav"));
        Flow.Start();
        Engine.EndRun();
        EXPECT_EQ(Actions, c.Expected);
        EXPECT_EQ(View.ShutdownQuestions, c.Questions);
    }
}

TEST_F(WorkflowTest, AStoppedOrClosedRunEndsWithoutAction)
{
    TConversionOptions o;
    o.AfterDone = TAfterDone::Shutdown;
    Flow.SetOptions(o);
    Flow.AddFile(Source("a.wav"));
    Flow.Start();
    Flow.Pause();
    Flow.Stop();
    // Start stays off until the end of the run is handled, so a quick
    // restart never meets a component still working.
    EXPECT_FALSE(Flow.Commands().On(TCommand::Start));
    Engine.EndRun();
    EXPECT_TRUE(Actions.empty());
    EXPECT_EQ(View.ShutdownQuestions, 0);
    EXPECT_TRUE(Flow.Commands().State(TCommand::Start).Twin);
    EXPECT_FALSE(Flow.Commands().State(TCommand::Start).Primary);
    Flow.Start();
    EXPECT_EQ(Engine.Calls.back(), "Start 1");

    Flow.Close();
    Engine.Working = false;
    EXPECT_FALSE(Engine.OnTerminate);
    EXPECT_EQ(Engine.Calls.back(), "Stop");
    Flow.Terminate(engine::TTerminateInfo{-1, true, false, ""});
    EXPECT_TRUE(Actions.empty());
}

TEST_F(WorkflowTest, RemovingAndClearing)
{
    Flow.RemoveSelected();
    EXPECT_EQ(View.Hints, std::vector<std::string>{"请先选择您需要删除的项目！"});
    Flow.AddFile(Source("a.wav"));
    Flow.RemoveSelected();
    EXPECT_TRUE(Flow.Rows().Empty());
    EXPECT_EQ(View.PreviewStops, 1);
    EXPECT_FALSE(Flow.Commands().On(TCommand::Start));
    EXPECT_TRUE(Flow.Commands().On(TCommand::Add));

    Flow.AddFile(Source("a.wav"));
    Flow.Start();
    Engine.EndRun();
    Flow.Clear();
    EXPECT_TRUE(Flow.Rows().Empty());
    EXPECT_TRUE(Engine.Tasks.empty());
    EXPECT_TRUE(Flow.Commands().On(TCommand::Add));
    Flow.AddFile(Source("b.wav"));
    EXPECT_TRUE(Flow.Commands().On(TCommand::Start));
}

TEST_F(WorkflowTest, SeveralFilesAndFolders)
{
    const std::vector<std::string> files = {Source("A.wav"), Source("B.wav"), Source("C.wav")};
    Flow.AddFiles(files);
    ASSERT_EQ(Flow.Rows().Count(), 3);
    EXPECT_EQ(Flow.Rows().Row(0).Caption, files[2]);
    EXPECT_EQ(Flow.Rows().Row(2).Caption, files[0]);
    EXPECT_EQ(Flow.Rows().ItemIndex(), 2);

    TTempDir folder;
    WriteFile(folder.File("notes.txt"), "text");
    Engine.UnprobeableFiles.insert(folder.File("notes.txt"));
    Flow.AddFolder(folder.Path());
    EXPECT_EQ(Flow.Rows().Count(), 3);
    EXPECT_EQ(View.Hints, std::vector<std::string>{"在该目录没有发现可以用的视频或音频文件！"});
    EXPECT_EQ(Flow.Log()[Flow.Log().size() - 2], "***File load error: Invalid data found when processing input");

    Engine.Loaded = false;
    Engine.LoadFails = true;
    Flow.AddFile(Source("D.wav"));
    EXPECT_EQ(Flow.Rows().Count(), 3);
    EXPECT_EQ(Flow.Log().back(), "libavcodec.so.59: cannot open shared object file");
}

// A folder's files are listed as a file manager shows them, whatever order
// the file system keeps them in; the rows come from the last name to the
// first.
TEST_F(WorkflowTest, AFoldersFilesComeInNameOrder)
{
    std::vector<std::string> expected = {"A.wav", "b.wav", "clip9.wav", "Clip10.wav", "clip100.wav"};
    for (int i = 0; i < 40; ++i)
        expected.push_back(platform::Format("t%.3d.wav", i));
    TTempDir folder;
    // Made in a scrambled order, with a subfolder that is no row.
    for (size_t i = 0; i < expected.size(); ++i)
        WriteFile(folder.File(expected[(i * 17) % expected.size()]), "x");
    platform::ForceDirectories(folder.File("sub"));
    Flow.AddFolder(folder.Path());

    std::vector<std::string> paths;
    for (const std::string& name : expected)
        paths.push_back(folder.File(name));
    EXPECT_EQ(View.FolderNames, paths);
    ASSERT_EQ(Flow.Rows().Count(), int(paths.size()));
    for (int i = 0; i < Flow.Rows().Count(); ++i)
        EXPECT_EQ(Flow.Rows().Row(i).Caption, paths[paths.size() - 1 - size_t(i)]) << i;
}

TEST_F(WorkflowTest, AtStartAFileThatAppearedIsNotOverwritten)
{
    Flow.AddFile(Source("a.wav"));
    WriteFile(Out + "/a.mp3", "made meanwhile");
    Flow.Start();
    EXPECT_EQ(Sub(0, profiles::siOutputFileName), "a_1.mp3");
    EXPECT_EQ(Engine.Outputs.back().FileName, Out + "/a_1.mp3");
}
