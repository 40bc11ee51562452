// The program on the real engine: two generated clips added through the
// add command, their profiles picked through the category and profile
// lists, converted to "100%" and checked with ffprobe; one profile of every
// category converted the same way; rows switched between categories and
// several videos added under an audio profile convert to what their rows
// show; and a run paused, stopped and closed.
#include "FormsTestSupport.h"

#include "app/forms/TaskListView.h"

#include "platform/core/MainThread.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileDefaults.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"
#include "skin/controls/bsSkinCtrls_Button.h"

using namespace app;
using namespace formstest;
using namespace platform;

namespace {

class EndToEndTest : public TMainWindowFixture {
protected:
    void SetUp() override
    {
        TMainWindowFixture::SetUp();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (!testsupport::MakeMedia(Media.File("tone.wav"), "-f lavfi -i sine=frequency=440:duration=1 -c:a pcm_s16le") ||
            !testsupport::MakeMedia(Media.File("bars.mkv"),
                                    "-f lavfi -i testsrc=size=320x240:rate=25:duration=3 -f lavfi "
                                    "-i sine=frequency=660:duration=3 -c:v mpeg4 -c:a pcm_s16le -shortest"))
            GTEST_SKIP() << "ffmpeg cannot make the test clips";
        Create(nullptr);
    }

    void Choose(int ACategory, int AProfile)
    {
        Form1->CategoryCombo()->SetItemIndex(ACategory);
        Form1->ProfileCombo()->SetItemIndex(AProfile);
    }
    void Add(const std::string& AFile)
    {
        Choosers->Answers.push_back({AFile});
        Form1->btnAddClick();
    }
    const std::string& Progress(int ARow) { return Form1->Workflow().Rows().Row(ARow).Sub(siProgress); }
    std::string Output(int ARow)
    {
        return Form1->Workflow().OutputFolder() + "/" +
               Form1->Workflow().Rows().Row(ARow).Sub(profiles::siOutputFileName);
    }
    bool WaitForRunEnd()
    {
        return WaitUntilServing([this] { return !Form1->Workflow().Running(); }, 120000);
    }
    std::string Probe(const std::string& AFile, const std::string& AEntries)
    {
        std::string out;
        testsupport::RunCommand("ffprobe -v error -show_entries " + AEntries + " -of csv=p=0 " +
                                    testsupport::ShellQuote(AFile),
                                &out);
        return out;
    }
};

// The first profile of a category whose encoders this system has.
int UsableProfile(int ACategory)
{
    const auto names = profiles::ProfileNamesAt(ACategory);
    for (int p = 0; p < int(names.size()); ++p) {
        const auto key = profiles::CatalogueKey(ACategory, p);
        const profiles::TProfileDefaults* d = key ? profiles::FindProfileDefaults(*key) : nullptr;
        if (d && std::string(d->AudioCodec).find("amr") == std::string::npos)
            return p;
    }
    return 0;
}

} // namespace

TEST_F(EndToEndTest, TwoClipsConvertToTheirProfiles)
{
    Add(Media.File("tone.wav"));
    Add(Media.File("bars.mkv"));
    ASSERT_EQ(Form1->Workflow().Rows().Count(), 2) << Form1->Log()->GetText();
    // Each row takes the profile chosen while it is selected.
    Form1->TaskList()->SetItemIndex(0);
    Choose(0, 0); // MP3
    Form1->TaskList()->SetItemIndex(1);
    Choose(1, UsableProfile(1)); // a video format
    EXPECT_EQ(Form1->Workflow().Rows().Row(0).Sub(profiles::siOutputFileName), "tone.mp3");
    EXPECT_EQ(Form1->Workflow().Rows().Row(0).Sub(siDuration), "00:00:01");
    EXPECT_EQ(Form1->Workflow().Rows().Row(1).Sub(siDuration), "00:00:03");

    Form1->Twin(TCommand::Start)->ButtonClick();
    // A picture of the list while it runs, once the first progress shows.
    WaitUntilServing([this] { return !Progress(1).empty() || !Form1->Workflow().Running(); }, 60000);
    Application()->ProcessMessages();
    SaveScreenshot(Form1->Handle(), PictureFile("main-window-running.png"));
    ASSERT_TRUE(WaitForRunEnd());
    Application()->ProcessMessages();
    SaveScreenshot(Form1->Handle(), PictureFile("main-window-done.png"));
    EXPECT_EQ(Progress(0), "100%") << Form1->Log()->GetText();
    EXPECT_EQ(Progress(1), "100%") << Form1->Log()->GetText();
    EXPECT_TRUE(Boxes.empty()) << Boxes.front();

    EXPECT_EQ(Probe(Output(0), "stream=codec_name"), "mp3\n");
    const std::string video = Probe(Output(1), "stream=codec_type");
    EXPECT_NE(video.find("video"), std::string::npos) << video;
    EXPECT_NE(video.find("audio"), std::string::npos) << video;
    // The run ended with its after-finish action: the output folder opened.
    ASSERT_FALSE(Actions.empty());
    EXPECT_EQ(Actions.back(), "xdg-open " + Form1->Workflow().OutputFolder());
}

TEST_F(EndToEndTest, OneProfileOfEveryCategory)
{
    for (int category = 0; category < profiles::CategoryCount; ++category) {
        const int profile = UsableProfile(category);
        SCOPED_TRACE(profiles::ProfileNamesAt(category)[size_t(profile)]);
        Form1->btnClearClick();
        Choose(category, profile);
        Add(Media.File("bars.mkv"));
        ASSERT_EQ(Form1->Workflow().Rows().Count(), 1) << Form1->Log()->GetText();
        Form1->btnStartClick();
        ASSERT_TRUE(WaitForRunEnd());
        EXPECT_EQ(Progress(0), "100%") << (Boxes.empty() ? Form1->Log()->GetText() : Boxes.back());
        EXPECT_NE(Probe(Output(0), "stream=codec_type"), "") << Output(0);
        Boxes.clear();
    }
}

TEST_F(EndToEndTest, APausedRunStopsAndCloses)
{
    ASSERT_TRUE(testsupport::MakeMedia(Media.File("long.mkv"),
                                       "-f lavfi -i testsrc=size=320x240:rate=25:duration=20 -c:v mpeg4"));
    Choose(1, UsableProfile(1));
    Add(Media.File("long.mkv"));
    Form1->btnStartClick();
    Form1->btnPauseClick();
    Form1->btnStopClick();
    bool canClose = false;
    Form1->FormCloseQuery(canClose);
    EXPECT_TRUE(canClose);
    EXPECT_NE(Progress(0), "100%");
    EXPECT_TRUE(Actions.empty());
}

TEST_F(EndToEndTest, RowsSwitchedBetweenCategoriesConvertToTheirLastChoice)
{
    struct TCase {
        const char* Name;
        std::vector<int> Categories; // the first is the add's
        std::string Codecs;          // what ffprobe finds in the output
    };
    const TCase cases[] = {
        {"XboX to MPG", {9, 11}, "mpeg1video\nmp2\n"},
        {"through five categories to SWF", {1, 9, 6, 0, 11, 12}, "mp3\nflv1\n"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Form1->btnClearClick();
        Choose(c.Categories.front(), 0);
        Add(Media.File("bars.mkv"));
        ASSERT_EQ(Form1->Workflow().Rows().Count(), 1) << Form1->Log()->GetText();
        for (size_t i = 1; i < c.Categories.size(); ++i)
            Choose(c.Categories[i], 0);
        Form1->btnStartClick();
        ASSERT_TRUE(WaitForRunEnd());
        EXPECT_EQ(Progress(0), "100%") << (Boxes.empty() ? Form1->Log()->GetText() : Boxes.back());
        EXPECT_EQ(Probe(Output(0), "stream=codec_name"), c.Codecs) << Output(0);
        Boxes.clear();
    }
}

TEST_F(EndToEndTest, SeveralVideosAddedUnderAnAudioProfileGiveAudioOnly)
{
    ASSERT_TRUE(testsupport::MakeMedia(Media.File("more.mkv"),
                                       "-f lavfi -i testsrc=size=320x240:rate=25:duration=2 -f lavfi "
                                       "-i sine=frequency=550:duration=2 -c:v mpeg4 -c:a pcm_s16le -shortest"));
    Choose(0, 0); // MP3
    Choosers->Answers.push_back({Media.File("bars.mkv"), Media.File("more.mkv")});
    Form1->Button8Click();
    ASSERT_EQ(Form1->Workflow().Rows().Count(), 2) << Form1->Log()->GetText();
    Form1->btnStartClick();
    ASSERT_TRUE(WaitForRunEnd());
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(Progress(row), "100%") << row;
        EXPECT_EQ(Probe(Output(row), "stream=codec_type"), "audio\n") << Output(row);
    }
}
