// Closing and freeing the player at any moment: while a file plays or is
// paused, while another open waits, from inside its own event handlers,
// and after the program's message loop has ended.

#include "engine/player/PlayerFixture.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace engine;

namespace {

class PlayerLifetime : public playertest::TPlayerFixture {
protected:
    static void SetUpTestSuite()
    {
        Media = new testsupport::TTempDir;
        ASSERT_TRUE(testsupport::MakeMedia(Media->File("a.mkv"), "-f lavfi -i color=red:s=160x120:r=25:d=2 "
                                                                 "-f lavfi -i sine=frequency=440:duration=2 "
                                                                 "-c:v mpeg4 -g 5 -c:a mp2"));
        ASSERT_TRUE(testsupport::MakeMedia(Media->File("b.mkv"), "-f lavfi -i color=blue:s=160x120:r=25:d=2 "
                                                                 "-c:v mpeg4 -g 5"));
        ASSERT_TRUE(testsupport::MakeMedia(Media->File("c.wav"), "-f lavfi -i sine=frequency=880:duration=2"));
    }
    static void TearDownTestSuite()
    {
        delete Media;
        Media = nullptr;
    }

    static std::string File(int AIndex)
    {
        static const char* const names[] = {"a.mkv", "b.mkv", "c.wav"};
        return Media->File(names[AIndex % 3]);
    }
    static testsupport::TTempDir* Media;
};

testsupport::TTempDir* PlayerLifetime::Media = nullptr;

} // namespace

// A user adding files one after another: each add opens the next file
// while the previous one is still being stopped, so opens arrive while
// an earlier open waits.
TEST_F(PlayerLifetime, OpensArrivingWhileAnotherOpenWaitsLeaveTheLatestFilePlaying)
{
    ASSERT_TRUE(Player->Open(File(0), 0, true)) << Player->LastErrMsg();
    std::atomic<bool> done{false};
    std::atomic<int> queued{0};
    std::thread adder([&] {
        for (int i = 1; i <= 12 && !done; ++i) {
            platform::Queue([&, i] {
                Player->Open(File(i), 0, i % 2 == 0);
                ++queued;
            });
            std::this_thread::sleep_for(std::chrono::milliseconds(15 * (i % 4)));
        }
        done = true;
    });
    for (int i = 0; i < 6; ++i)
        Player->Open(File(i), 0, true);
    ASSERT_TRUE(platform::WaitUntilServing([&] { return done && queued == 12; }, 60000));
    adder.join();
    // One file plays, its threads are the player's, and it can be stopped.
    EXPECT_FALSE(Player->FileName().empty());
    Player->Stop(true);
    EXPECT_TRUE(Player->Paused());
}

// The program frees the preview after its loop: nobody serves calls into
// the GUI thread any more while the delivery thread has events to hand over.
TEST_F(PlayerLifetime, IsFreedAfterTheLoopEndedWhilePlayingPausedOrOpening)
{
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(Player->Open(File(round), 0, round % 2 == 1)) << Player->LastErrMsg();
        if (round % 3 == 2) {
            ASSERT_TRUE(platform::WaitUntilServing([&] { return SawState(psPlay); }, 10000));
        }
        platform::EndMainThreadCalls();
        Player.reset();
        platform::ResumeMainThreadCalls();
        Player = std::make_unique<TCustomPlayer>(nullptr);
        Player->OnState = [this](platform::TObject*, TPlayState AState) { States.push_back(AState); };
    }
}

// A handler of the player's own events that stops or reopens it runs
// while the delivery thread waits for it.
TEST_F(PlayerLifetime, AStateHandlerMayStopAndReopenThePlayer)
{
    int reopened = 0;
    Player->OnState = [&](platform::TObject*, TPlayState AState) {
        States.push_back(AState);
        if (AState == psPause && reopened < 4) {
            ++reopened;
            // Only a file with pictures pauses by itself after opening.
            EXPECT_TRUE(Player->Open(File(reopened % 2), 0, true)) << Player->LastErrMsg();
        }
    };
    ASSERT_TRUE(Player->Open(File(0), 0, true)) << Player->LastErrMsg();
    ASSERT_TRUE(platform::WaitUntilServing([&] { return reopened == 4 && SawState(psPause); }, 30000)) << reopened;
    Player->Stop(true);
    EXPECT_TRUE(Player->Paused());
}
