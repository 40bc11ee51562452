// Every row converts what it shows: a row's record comes from its own
// profile and presets however it got there, adds of several files finish
// every row, output names come from the sources and never land on a file
// the list reads, and an add or a task that fails says which file it was.
#include "WorkflowFixture.h"

#include "profiles/ProfileCatalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <unistd.h>

using namespace app;
using namespace apptest;
using profiles::siDisableVideo;
using profiles::siOutputFileName;

namespace {

struct TChoice {
    int Category;
    int Profile;
};

// What a row holds and what Start hands the engine for it.
struct TRowState {
    std::vector<std::string> SubItems; // the output name and sub-items 8..23
    std::string Record;
    std::string StartedFile;
    std::string StartedRecord;

    bool operator==(const TRowState&) const = default;
};

void PrintTo(const TRowState& AState, std::ostream* AOut)
{
    for (const std::string& s : AState.SubItems)
        *AOut << s << '|';
    *AOut << "\n  record " << AState.Record << "\n  started " << AState.StartedFile << ' ' << AState.StartedRecord;
}

class RowRecordsTest : public TWorkflowFixture {
protected:
    void Choose(const TChoice& AChoice)
    {
        Flow.SetCategory(AChoice.Category);
        Flow.SetProfile(AChoice.Profile);
    }

    // The one row of the list, then a run of it.
    TRowState OnlyRowThroughStart()
    {
        TRowState state;
        const TTaskRow& row = Flow.Rows().Row(0);
        state.SubItems.push_back(row.Sub(siOutputFileName));
        for (int i = profiles::siProfileCode; i <= profiles::siNormType; ++i)
            state.SubItems.push_back(row.Sub(i));
        state.Record = RecordText(row.Output);
        Engine.Outputs.clear();
        Flow.Start();
        if (!Engine.Outputs.empty()) {
            state.StartedFile = Engine.Outputs.back().FileName;
            state.StartedRecord = RecordText(Engine.Outputs.back().Options);
        }
        Engine.EndRun();
        Flow.Clear();
        return state;
    }

    std::string HintsText() const
    {
        std::string all;
        for (const std::string& h : View.Hints)
            all += h + "\n";
        return all;
    }
};

} // namespace

TEST_F(RowRecordsTest, ARowSwitchedToAProfileHoldsWhatAFreshAddThereGets)
{
    std::vector<TChoice> choices;
    for (int c = 0; c < profiles::CategoryCount; ++c)
        choices.push_back({c, 0});
    // A few profiles further down their lists.
    for (int c : {0, 1, 4, 9, 13})
        choices.push_back({c, int(profiles::ProfileNamesAt(c).size()) - 1});
    const std::string clip = Source("clip.mkv");
    int pairs = 0;
    for (const TChoice& to : choices) {
        Choose(to);
        Flow.AddFile(clip);
        ASSERT_EQ(Flow.Rows().Count(), 1);
        const TRowState fresh = OnlyRowThroughStart();
        ASSERT_FALSE(fresh.StartedFile.empty());
        for (const TChoice& from : choices) {
            SCOPED_TRACE(testing::Message() << "from " << from.Category << "/" << from.Profile << " to "
                                            << to.Category << "/" << to.Profile);
            Choose(from);
            Flow.AddFile(clip);
            ASSERT_EQ(Flow.Rows().ItemIndex(), 0);
            Choose(to);
            EXPECT_EQ(OnlyRowThroughStart(), fresh);
            ++pairs;
        }
    }
    EXPECT_GE(pairs, profiles::CategoryCount * profiles::CategoryCount);
    EXPECT_TRUE(View.Hints.empty()) << HintsText();
}

TEST_F(RowRecordsTest, EveryRowOfASeveralFilesOrFolderAddHasItsProfilesFlags)
{
    struct TCase {
        int Category;
        const char* NoVideo;
    };
    const TCase cases[] = {{0, "True"}, {1, "False"}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Category);
        Flow.SetCategory(c.Category);
        Flow.AddFiles({Source("one.mp4"), Source("two.mp4")});
        TTempDir folder;
        WriteFile(folder.File("three.mp4"), "media");
        WriteFile(folder.File("four.mp4"), "media");
        Flow.AddFolder(folder.Path());
        ASSERT_EQ(Flow.Rows().Count(), 4);
        Engine.Outputs.clear();
        Flow.Start();
        ASSERT_EQ(Engine.Outputs.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Sub(i, siDisableVideo), c.NoVideo) << i;
            EXPECT_EQ(Engine.Outputs[size_t(i)].Options.DisableVideo, std::string(c.NoVideo) == "True") << i;
        }
        Engine.EndRun();
        Flow.Clear();
    }
}

// Files the program was started with: a relative name counts from the
// current folder, a missing one is told by name and the others are added,
// from the last to the first as the several-files command adds.
TEST_F(RowRecordsTest, FilesHandedAtStartAreAddedAndMissingOnesTold)
{
    const std::string first = Source("first.wav");
    Source("second.wav");
    char* here = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(Media.Path().c_str()), 0);
    Flow.AddHandedFiles({first, "gone.wav", "second.wav"});
    ASSERT_EQ(chdir(here), 0);
    free(here);
    ASSERT_EQ(Flow.Rows().Count(), 2);
    EXPECT_EQ(Flow.Rows().Row(0).Caption, Media.File("second.wav"));
    EXPECT_EQ(Flow.Rows().Row(1).Caption, first);
    ASSERT_EQ(View.Hints.size(), 1u);
    EXPECT_NE(View.Hints[0].find(Media.File("gone.wav")), std::string::npos) << View.Hints[0];
    EXPECT_NE(View.Hints[0].find("文件不存在"), std::string::npos) << View.Hints[0];
}

TEST_F(RowRecordsTest, OutputNamesComeFromTheSourceAndNeverBlockAnAdd)
{
    Flow.AddFile(Source("a/small.avi"));
    Flow.AddFile(Source("b/small.avi"));
    ASSERT_EQ(Sub(1, siOutputFileName), "small_1.mp3");
    // The second row passes through several categories and comes back.
    for (int c : {1, 4, 6, 9, 12, 0}) {
        Flow.SetCategory(c);
        const std::string ext = profiles::ExtensionOfProfileName(Flow.ProfileCaption());
        EXPECT_EQ(Sub(1, siOutputFileName), (c == 0 ? "small_1" : "small") + ext) << c;
    }
    EXPECT_EQ(Sub(1, siOutputFileName), "small_1.mp3");

    // The first row changes its profile while the engine's task of it was
    // made under the old name; an add under that old name still goes in.
    Flow.SelectRow(0);
    Flow.SetProfile(2);
    const std::string first = Sub(0, siOutputFileName);
    EXPECT_NE(first, "small.mp3");
    Flow.Rows().SetItemIndex(-1);
    Flow.SetProfile(0);
    Flow.AddFile(Source("c/small.avi"));
    ASSERT_EQ(Flow.Rows().Count(), 3) << HintsText();
    EXPECT_EQ(Sub(2, siOutputFileName), "small.mp3");
    EXPECT_EQ(Sub(0, siOutputFileName), first);
    EXPECT_TRUE(View.Hints.empty()) << HintsText();
}

TEST_F(RowRecordsTest, TaskNumbersFollowRenewedAndLostTasks)
{
    Flow.AddFile(Source("a.wav"));
    Flow.AddFile(Source("b.wav"));
    Flow.AddFile(Source("c.wav"));
    // The first row's file vanished: its new name gets no task.
    Engine.UnopenableFiles.insert(Media.File("a.wav"));
    Flow.SelectRow(0);
    Flow.SetProfile(2);
    EXPECT_EQ(Sub(0, profiles::siTaskNumber), "0");
    EXPECT_EQ(Sub(1, profiles::siTaskNumber), "1");
    EXPECT_EQ(Sub(2, profiles::siTaskNumber), "2");
    EXPECT_EQ(Engine.Tasks, (std::vector<std::string>{Media.File("b.wav"), Media.File("c.wav")}));
    // The second row's new name: its task goes to the end.
    Flow.SelectRow(1);
    Flow.SetProfile(2);
    EXPECT_EQ(Sub(1, profiles::siTaskNumber), "2");
    EXPECT_EQ(Sub(2, profiles::siTaskNumber), "1");
    EXPECT_EQ(Engine.TaskOutputs.back(), Out + "/" + Sub(1, siOutputFileName));
    // Removing the row without a task moves no number.
    Flow.SelectRow(0);
    Flow.RemoveSelected();
    EXPECT_EQ(Sub(0, profiles::siTaskNumber), "2");
    EXPECT_EQ(Sub(1, profiles::siTaskNumber), "1");
    EXPECT_EQ(Engine.Tasks.size(), 2u);
}

TEST_F(RowRecordsTest, OverwritingNeverReachesAFileTheListReads)
{
    TConversionOptions overwrite;
    overwrite.Overwrite = true;
    Flow.SetOptions(overwrite);
    ASSERT_TRUE(Flow.ChooseOutputFolder(Media.Path()));
    const std::string wav = Source("song.wav");
    const std::string mp3 = Source("song.mp3");

    // The converted wav would replace the mp3 the second row reads.
    Flow.AddFile(wav);
    Flow.AddFile(mp3);
    EXPECT_EQ(Sub(0, siOutputFileName), "song.mp3");
    EXPECT_EQ(Sub(1, siOutputFileName), "song_1.mp3");
    Flow.Start();
    EXPECT_EQ(Sub(0, siProgress), "失败");
    ASSERT_EQ(Engine.Outputs.size(), 1u);
    EXPECT_EQ(Engine.Outputs[0].FileName, Media.File("song_1.mp3"));
    ASSERT_EQ(View.Hints.size(), 1u);
    EXPECT_NE(View.Hints[0].find(wav), std::string::npos) << View.Hints[0];
    EXPECT_NE(View.Hints[0].find(mp3), std::string::npos) << View.Hints[0];
    Engine.EndRun();
    Flow.Clear();

    // The other order: the mp3's name is taken by the source it is.
    Flow.AddFile(mp3);
    Flow.AddFile(wav);
    EXPECT_EQ(Sub(0, siOutputFileName), "song_1.mp3");
    EXPECT_EQ(Sub(1, siOutputFileName), "song_2.mp3");
    // A rename onto a source of the list is refused.
    EXPECT_FALSE(Flow.FinishRename(1, "song"));
    Engine.Outputs.clear();
    Flow.Start();
    for (const TRecordedOutput& o : Engine.Outputs)
        EXPECT_NE(o.FileName, mp3);
    EXPECT_EQ(Engine.Outputs.size(), 2u);
}

TEST_F(RowRecordsTest, AnAddThatCannotBeMadeSaysWhichFileAndWhy)
{
    const std::string clip = Source("clip.wav");
    const std::string noFolder = Home.File("a file");
    WriteFile(noFolder, "not a folder");
    struct TCase {
        const char* Name;
        std::string OutPath; // empty: the default folder
        bool Unprobeable;
        bool Refused;
        std::string Reason;
    };
    const TCase cases[] = {
        {"output folder is a file", noFolder, false, false, "不是文件夹"},
        {"output folder below a file", noFolder + "/out", false, false, "无法创建"},
        {"not media", "", true, false, "不是可以转换的视频或音频文件"},
        {"engine refuses the output", "", false, true, "Unable to find a suitable output format"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        View.Hints.clear();
        std::ofstream(Home.File("option.ini")) << "[OutPath]\nOutPath=" << (c.OutPath.empty() ? Out : c.OutPath)
                                               << "\n";
        Flow.LoadSettings();
        // A folder that cannot take files is told when it is read.
        Flow.ReportSettingsProblems();
        EXPECT_EQ(View.Hints.size(), c.OutPath.empty() ? 0u : 1u) << HintsText();
        View.Hints.clear();
        Engine.UnprobeableFiles.clear();
        Engine.RefusedOutputs.clear();
        if (c.Unprobeable)
            Engine.UnprobeableFiles.insert(clip);
        if (c.Refused)
            Engine.RefusedOutputs.insert(Out + "/clip.mp3");
        Flow.AddFile(clip);
        EXPECT_TRUE(Flow.Rows().Empty());
        ASSERT_EQ(View.Hints.size(), 1u);
        EXPECT_NE(View.Hints[0].find(clip), std::string::npos) << View.Hints[0];
        EXPECT_NE(View.Hints[0].find(c.Reason), std::string::npos) << View.Hints[0];
        // A file chosen as the output folder is refused when chosen.
        View.Hints.clear();
        EXPECT_FALSE(Flow.ChooseOutputFolder(noFolder));
        EXPECT_EQ(View.Hints.size(), 1u);
    }
}

TEST_F(RowRecordsTest, TheOptionsCountAsTheyAreWhenUsed)
{
    TConversionOptions live;
    live.AfterDone = TAfterDone::Nothing;
    Flow.OptionsSource = [&live] { return live; };
    platform::ForceDirectories(Home.File("sounds"));
    WriteFile(Home.File("sounds/ring001.wav"), "RIFF");
    WriteFile(Out + "/tone.mp3", "an earlier result");

    Flow.AddFile(Source("a/tone.wav"));
    EXPECT_EQ(Sub(0, siOutputFileName), "tone_1.mp3");
    live.Overwrite = true;
    Flow.AddFile(Source("b/tone.wav"));
    EXPECT_EQ(Sub(1, siOutputFileName), "tone.mp3");

    Flow.Start();
    live.AfterDone = TAfterDone::PlaySound; // chosen while the run goes on
    Engine.EndRun();
    EXPECT_EQ(Actions, std::vector<std::string>{"sound " + Home.File("sounds/ring001.wav")});
}

TEST_F(RowRecordsTest, NoChooserWithoutTheLibraries)
{
    Engine.LoadFails = true;
    EXPECT_FALSE(Flow.PrepareAdd());
    EXPECT_EQ(Flow.Log().back(), "libavcodec.so.59: cannot open shared object file");
    Engine.LoadFails = false;
    EXPECT_TRUE(Flow.PrepareAdd());
}
