#include "engine/player/FFPlay.h"

#include "engine/loader/FFmpegLoader.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/MainThread.h"
#include "platform/core/SysUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sys/stat.h>
#include <thread>

using namespace engine;

namespace {

// One second of picture: red for half a second, then blue; with a tone.
class PlayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Media = new testsupport::TTempDir;
        ASSERT_TRUE(testsupport::MakeMedia(Media->File("av.mkv"),
                                           "-f lavfi -i color=red:s=160x120:r=25:d=0.5 "
                                           "-f lavfi -i color=blue:s=160x120:r=25:d=0.5 "
                                           "-f lavfi -i sine=frequency=440:duration=1 "
                                           "-filter_complex [0][1]concat=n=2:v=1:a=0[v] -map [v] -map 2 "
                                           "-c:v mpeg4 -g 5 -c:a mp2"));
        ASSERT_TRUE(testsupport::MakeMedia(Media->File("tone.wav"), "-f lavfi -i sine=frequency=440:duration=1"));
    }
    static void TearDownTestSuite()
    {
        delete Media;
        Media = nullptr;
    }

    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        Player = std::make_unique<TCustomPlayer>(nullptr);
        ASSERT_TRUE(Player->LoadAVLib("")) << Player->LastErrMsg();
        Player->OnState = [this](platform::TObject*, TPlayState AState) { States.push_back(AState); };
        Player->OnPosition = [this](platform::TObject*, int64_t APTS) { Positions.push_back(APTS); };
    }

    void TearDown() override
    {
        Player.reset();
        GlobalLoader().Unload(PlayerLibraries);
    }

    bool WaitFor(const std::function<bool()>& ADone, uint32_t AMs = 10000)
    {
        return platform::WaitUntilServing(ADone, AMs);
    }
    bool SawState(TPlayState AState) const
    {
        return std::find(States.begin(), States.end(), AState) != States.end();
    }
    // Mean blue minus mean red of a picture: > 0 blue, < 0 red.
    static int BlueMinusRed(const TFrameBitmap* ABitmap)
    {
        int64_t diff = 0;
        for (int y = 0; y < ABitmap->Height(); ++y)
            for (int x = 0; x < ABitmap->Width(); ++x)
                diff += int(ABitmap->ScanLine(y)[3 * x]) - int(ABitmap->ScanLine(y)[3 * x + 2]);
        const int n = std::max(1, ABitmap->Width() * ABitmap->Height());
        return int(diff / n);
    }

    static testsupport::TTempDir* Media;
    std::unique_ptr<TCustomPlayer> Player;
    std::vector<TPlayState> States;
    std::vector<int64_t> Positions;
};

testsupport::TTempDir* PlayerTest::Media = nullptr;

} // namespace

TEST_F(PlayerTest, AMissingFileFailsWithItsNameAndLeavesNothingRunning)
{
    const std::string name = Media->File("missing.mkv");
    EXPECT_FALSE(Player->Open(name, 0, false));
    EXPECT_NE(Player->LastErrMsg().find(name), std::string::npos) << Player->LastErrMsg();
    EXPECT_EQ(Player->PlayState(), psStop);
    EXPECT_TRUE(Player->Paused());
    EXPECT_EQ(Player->VideoStreamIndex(), -1);
}

TEST_F(PlayerTest, PlaysAFileToItsEndWithStatesAndPositionsInOrder)
{
    int64_t duration = 0;
    int frameWidth = 0;
    Player->OnFileOpen = [&](platform::TObject*, int64_t ADuration, int AWidth, int, int& AScreenW, int& AScreenH) {
        duration = ADuration;
        frameWidth = AWidth;
        AScreenW = 320;
        AScreenH = 240;
    };
    ASSERT_TRUE(Player->Open(Media->File("av.mkv"), 0, false)) << Player->LastErrMsg();
    EXPECT_EQ(frameWidth, 160);
    EXPECT_NEAR(double(duration), 1e6, 1e5);
    EXPECT_EQ(Player->ScreenWidth(), 320);
    ASSERT_TRUE(WaitFor([&] { return SawState(psEnd); })) << "no end state";
    Player->Stop(true);
    ASSERT_TRUE(WaitFor([&] { return SawState(psStop); }));
    ASSERT_FALSE(States.empty());
    EXPECT_EQ(States.front(), psPlay);
    EXPECT_EQ(States.back(), psStop);
    ASSERT_FALSE(Positions.empty());
    for (size_t i = 1; i < Positions.size(); ++i)
        EXPECT_GE(Positions[i], Positions[i - 1]);
    EXPECT_LE(Positions.back(), duration);
    EXPECT_GT(Positions.back(), duration / 2);
}

TEST_F(PlayerTest, OpenedPausedItAnnouncesThePauseStepsOnceAndResumes)
{
    ASSERT_TRUE(Player->Open(Media->File("av.mkv"), 0, true)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return SawState(psPause); }));
    EXPECT_EQ(States.front(), psPlay);
    EXPECT_TRUE(Player->Paused());
    Player->StepToNextFrame();
    Player->StepToNextFrame();
    ASSERT_TRUE(WaitFor([&] { return Player->Paused(); }));
    Player->Resume();
    ASSERT_TRUE(WaitFor([&] { return SawState(psResume); }));
    EXPECT_EQ(std::count(States.begin(), States.end(), psStep), 1);
    EXPECT_FALSE(Player->Paused());
    Player->Pause();
    Player->Pause(); // already paused: nothing more to announce
    ASSERT_TRUE(WaitFor([&] { return std::count(States.begin(), States.end(), psPause) == 2; }));
    platform::Sleep(100);
    platform::PumpMessages();
    EXPECT_EQ(std::count(States.begin(), States.end(), psPause), 2);
}

TEST_F(PlayerTest, SeeksForwardsAndBackwardsShowThePictureThere)
{
    ASSERT_TRUE(Player->Open(Media->File("av.mkv"), 0, true)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return SawState(psPause); }));
    int64_t pts = 0;
    const TFrameBitmap* first = Player->CurrentFrame(pts);
    EXPECT_EQ(first->Width(), 160);
    EXPECT_LT(BlueMinusRed(first), -100);

    Player->Seek(int64_t(700000), TSeekFlags{}, true);
    ASSERT_TRUE(WaitFor([&] { return !Player->Seeking(); }));
    const TFrameBitmap* later = Player->CurrentFrame(pts);
    EXPECT_GT(BlueMinusRed(later), 100);
    EXPECT_NEAR(double(pts), 700000, 250000);

    Player->Seek(int64_t(100000), TSeekFlags{sfBackward}, true);
    ASSERT_TRUE(WaitFor([&] { return !Player->Seeking(); }));
    const TFrameBitmap* back = Player->CurrentFrame(pts);
    EXPECT_LT(BlueMinusRed(back), -100);
    EXPECT_LT(pts, 500000);
}

TEST_F(PlayerTest, TheHookDrawsIntoTheShownPicture)
{
    Player->Hook = true;
    Player->OnHook = [](platform::TObject*, TFrameBitmap* ABitmap, int64_t) {
        for (int y = 0; y < ABitmap->Height(); ++y)
            memset(ABitmap->ScanLine(y), 0xFF, size_t(ABitmap->Width()) * 3);
    };
    ASSERT_TRUE(Player->Open(Media->File("av.mkv"), 0, true)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return SawState(psPause); }));
    const TFrameBitmap* frame = Player->CurrentFrame();
    ASSERT_GT(frame->Width(), 0);
    const uint8_t* row = frame->ScanLine(frame->Height() / 2);
    EXPECT_GT(row[3 * 80], 230);
    EXPECT_GT(row[3 * 80 + 2], 230);
}

TEST_F(PlayerTest, ReopeningDeliversNoEventOfTheFirstFileToTheSecond)
{
    ASSERT_TRUE(Player->Open(Media->File("av.mkv"), 0, false)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return !Positions.empty(); }));
    ASSERT_TRUE(Player->Open(Media->File("tone.wav"), 0, false)) << Player->LastErrMsg();
    const size_t firstOfSecond = States.size();
    ASSERT_TRUE(WaitFor([&] { return SawState(psEnd); }));
    ASSERT_GT(States.size(), firstOfSecond);
    EXPECT_EQ(States[firstOfSecond - 1], psStop); // the first file's end came before the second opened
    EXPECT_EQ(States[firstOfSecond], psPlay);
    EXPECT_EQ(Player->VideoStreamIndex(), -1);
    EXPECT_EQ(Player->AudioStreamIndex(), 0);
    Player->Stop(true);
}

TEST_F(PlayerTest, StreamSwitchingRefusesWhatDoesNotFit)
{
    ASSERT_TRUE(Player->Open(Media->File("av.mkv"), 0, true)) << Player->LastErrMsg();
    Player->SetAudioStreamIndex(Player->AudioStreamIndex()); // the same: nothing
    EXPECT_EQ(Player->LastErrMsg(), "");
    Player->SetAudioStreamIndex(Player->VideoStreamIndex());
    EXPECT_EQ(Player->LastErrMsg(), "the stream type is not matched.");
    Player->SetAudioStreamIndex(7);
    EXPECT_EQ(Player->LastErrMsg(), "the stream index is not valid.");
    Player->SetVideoStreamIndex(-1);
    EXPECT_EQ(Player->LastErrMsg(), "the stream index is not valid.");
    Player->Stop(true);
    EXPECT_EQ(Player->VideoStreamIndex(), -1);
}

TEST_F(PlayerTest, AFailedSeekLeavesPlaybackGoingOn)
{
    // A named pipe cannot seek: all three of the reader's attempts fail.
    ASSERT_TRUE(testsupport::MakeMedia(Media->File("av.ts"), "-i " + testsupport::ShellQuote(Media->File("av.mkv")) +
                                                                  " -c:v mpeg2video -c:a mp2"));
    const std::string fifo = Media->File("pipe.ts");
    unlink(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] {
        testsupport::RunCommand("cat " + testsupport::ShellQuote(Media->File("av.ts")) + " > " +
                                testsupport::ShellQuote(fifo));
    });
    std::vector<std::string> log;
    GetFFLogger()->SetOnLog([&](platform::TObject*, uint32_t, TLogLevel, const std::string& AMsg) { log.push_back(AMsg); });
    ASSERT_TRUE(Player->Open(fifo, 0, false)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return !Positions.empty(); }));
    Player->Seek(int64_t(100000), TSeekFlags{}, true);
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& AMsg) {
        return AMsg.find("error while seeking") != std::string::npos;
    }));
    EXPECT_FALSE(Player->Seeking());
    // Pictures still show: the position keeps moving and the end comes.
    const size_t before = Positions.size();
    EXPECT_TRUE(WaitFor([&] { return SawState(psEnd); }));
    EXPECT_GT(Positions.size(), before);
    Player->Stop(true);
    GetFFLogger()->SetOnLog(nullptr);
    writer.join();
}

// The play time and repeat setting change while the player's threads read
// them: the player stops where the new play time ends.
TEST_F(PlayerTest, APlayTimeSetWhilePlayingStopsThere)
{
    ASSERT_TRUE(Player->Open(Media->File("av.mkv"), 0, false)) << Player->LastErrMsg();
    Player->RepeatType = rtStop;
    Player->PlayTime = 600000;
    ASSERT_TRUE(WaitFor([&] { return SawState(psStop); })) << "no stop at the play time";
    EXPECT_FALSE(SawState(psEnd));
}

// Without a sound device the player falls back to silent audio for itself
// and leaves the process's audio driver setting as it was.
TEST_F(PlayerTest, TheSilentAudioFallbackLeavesTheDriverSettingAlone)
{
    setenv("SDL_AUDIODRIVER", "nonesuch", 1);
    std::string Errors;
    GetFFLogger()->SetOnLog([&](platform::TObject*, uint32_t, TLogLevel, const std::string& AMsg) { Errors += AMsg + "\n"; });
    ASSERT_TRUE(Player->Open(Media->File("tone.wav"), 0, false)) << Player->LastErrMsg() << Errors;
    GetFFLogger()->SetOnLog(nullptr);
    Player->Stop(true);
    const char* After = getenv("SDL_AUDIODRIVER");
    ASSERT_NE(After, nullptr);
    EXPECT_STREQ(After, "nonesuch");
}

// A pause before the first picture is shown: after the resume the file
// plays on to its end (the picture timer moves on by the pause only).
TEST_F(PlayerTest, APauseBeforeTheFirstPictureLetsPlaybackGoOn)
{
    ASSERT_TRUE(Player->Open(Media->File("av.mkv"), 0, false)) << Player->LastErrMsg();
    // The play state comes from the reader once the file is open; a pause
    // announced before it would be replaced by it.
    ASSERT_TRUE(WaitFor([&] { return SawState(psPlay); }));
    Player->Pause();
    ASSERT_TRUE(WaitFor([&] { return SawState(psPause); }));
    Player->Resume();
    ASSERT_TRUE(WaitFor([&] { return SawState(psEnd); }, 5000)) << "playback did not go on";
    ASSERT_FALSE(Positions.empty());
    EXPECT_GT(Positions.back(), 500000);
    EXPECT_LE(Positions.back(), 1100000);
}
