#include "engine/player/PlayerFixture.h"

#include "engine/loader/FFmpegLoader.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/MainThread.h"
#include "platform/core/SysUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>

using namespace engine;

namespace {

// One second of picture: red for half a second, then blue; with a tone.
class PlayerTest : public playertest::TPlayerFixture {
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
        TPlayerFixture::SetUp();
        if (!HasFatalFailure())
            Player->OnPosition = [this](platform::TObject*, int64_t APTS) { Positions.push_back(APTS); };
    }

    bool WaitFor(const std::function<bool()>& ADone, uint32_t AMs = 10000)
    {
        return platform::WaitUntilServing(ADone, AMs);
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

// The time the current picture shows, read from its grey; -1 without one.
double ShownTime(TCustomPlayer& APlayer)
{
    const TFrameBitmap* frame = APlayer.CurrentFrame();
    if (frame->Width() <= 0)
        return -1;
    return testsupport::TimeOfTimeCodedColour(frame->ScanLine(frame->Height() / 2)[3 * (frame->Width() / 2) + 2]);
}

// A clip with one key frame: the demuxer lands at its start whatever the
// target, and the player passes over the pictures and sound before it.
TEST_F(PlayerTest, ASeekLandsOnItsTargetAlsoFarFromAKeyFrame)
{
    ASSERT_TRUE(testsupport::MakeTimeCodedClip(Media->File("timed.mkv"), 10, 25, true));
    ASSERT_TRUE(Player->Open(Media->File("timed.mkv"), 0, true)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return SawState(psPause); }));
    EXPECT_NEAR(ShownTime(*Player), 0, 0.1);

    // Paused, the picture at the target is shown and the player stays paused.
    const struct {
        int64_t Target;
        double Shown;
    } paused[] = {{8000000, 8.0}, {2500000, 2.5}, {9990000, 9.96}, {20000000, 9.96}, {0, 0.0}};
    for (const auto& c : paused) {
        Player->Seek(c.Target, TSeekFlags{}, true);
        ASSERT_TRUE(WaitFor([&] { return !Player->Seeking(); })) << c.Target;
        EXPECT_NEAR(ShownTime(*Player), c.Shown, 0.1) << c.Target;
        EXPECT_TRUE(Player->Paused()) << c.Target;
    }

    // Playing, no position before the target is reported after the seek,
    // and the sound goes on from the target too.
    Player->Resume();
    const size_t fromSeek = Positions.size();
    Player->Seek(int64_t(8000000), TSeekFlags{}, true);
    EXPECT_GE(ShownTime(*Player), 7.9);
    ASSERT_TRUE(WaitFor([&] { return Positions.size() > fromSeek + 3; }));
    for (size_t i = fromSeek; i < Positions.size(); ++i)
        EXPECT_GE(Positions[i], 7900000) << i;
    EXPECT_TRUE(WaitFor([&] { return Player->GetAudioClock(Player->FVideoState) >= 7.8; }, 5000))
        << Player->GetAudioClock(Player->FVideoState);
}

// A position taken before a seek may already wait for the caller's thread
// when the seek is asked for: it is not delivered after it, so a seek bar
// never jumps back to where playback was.
TEST_F(PlayerTest, APositionWaitingWhenASeekIsAskedForIsNotDelivered)
{
    ASSERT_TRUE(testsupport::MakeTimeCodedClip(Media->File("timed.mkv"), 10, 25, true));
    ASSERT_TRUE(Player->Open(Media->File("timed.mkv"), 0, false)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return !Positions.empty(); }));
    // Not serving for a while: the next position waits for this thread.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const size_t fromSeek = Positions.size();
    Player->Seek(int64_t(8000000), TSeekFlags{}, false);
    ASSERT_TRUE(WaitFor([&] { return !Player->Seeking() && Positions.size() > fromSeek + 3; }));
    for (size_t i = fromSeek; i < Positions.size(); ++i)
        EXPECT_GE(Positions[i], 7900000) << i;
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
    // Whatever way the test leaves, the writer is let go and joined: a
    // reader that opens and closes the pipe ends a writer still waiting.
    struct TWriterEnd {
        std::thread& Writer;
        const std::string& Fifo;
        ~TWriterEnd()
        {
            const int fd = ::open(Fifo.c_str(), O_RDONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            Writer.join();
        }
    } writerEnd{writer, fifo};
    // The reader's thread logs while this one reads the lines.
    struct TLogLines {
        std::mutex Lock;
        std::vector<std::string> Lines;
        TLogLines()
        {
            GetFFLogger()->SetOnLog([this](platform::TObject*, uint32_t, TLogLevel, const std::string& AMsg) {
                std::lock_guard<std::mutex> guard(Lock);
                Lines.push_back(AMsg);
            });
        }
        ~TLogLines() { GetFFLogger()->SetOnLog(nullptr); }
        bool Has(const std::string& AText)
        {
            std::lock_guard<std::mutex> guard(Lock);
            return std::any_of(Lines.begin(), Lines.end(),
                               [&](const std::string& AMsg) { return AMsg.find(AText) != std::string::npos; });
        }
    } log;
    ASSERT_TRUE(Player->Open(fifo, 0, false)) << Player->LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return !Positions.empty(); }));
    Player->Seek(int64_t(100000), TSeekFlags{}, true);
    EXPECT_TRUE(log.Has("error while seeking"));
    EXPECT_FALSE(Player->Seeking());
    // Pictures still show: the position keeps moving and the end comes.
    const size_t before = Positions.size();
    EXPECT_TRUE(WaitFor([&] { return SawState(psEnd); }));
    EXPECT_GT(Positions.size(), before);
    Player->Stop(true);
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
