#include "engine/player/FFPlay.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/FFmpegLoader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace engine;

namespace {

// The player's timing arithmetic on a state made by hand: paused, so the
// video clock stands at video_current_pts and nothing moves under the test.
class PlayerClockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GlobalLoader().Load(PlayerLibraries)) << GlobalLoader().LastErrMsg();
        Player = std::make_unique<TCustomPlayer>(nullptr);
        State = std::make_unique<TVideoState>();
        State->Owner = Player.get();
        State->paused = 1;
        State->audio_channels = 2;
        State->audio_sample_rate = 44100;
    }
    void TearDown() override
    {
        State.reset();
        Player.reset();
        GlobalLoader().Unload(PlayerLibraries);
    }
    std::unique_ptr<TCustomPlayer> Player;
    std::unique_ptr<TVideoState> State;
};

} // namespace

TEST_F(PlayerClockTest, PicturesFollowTheAudioClock)
{
    struct Case {
        double VideoMinusAudio;
        double Delay;
    } cases[] = {{-0.05, 0.0}, {0.05, 0.08}, {0.03, 0.04}, {-0.03, 0.04}, {15.0, 0.04}};
    for (const auto& c : cases) {
        TVideoState& is = *State;
        is.audio_stream = 0;
        is.av_sync_type = AV_SYNC_AUDIO_MASTER;
        is.frame_last_pts = 1.0;
        is.frame_last_delay = 0.04;
        is.frame_timer = 100.0;
        is.audio_clock = 10.0;
        is.video_current_pts = 10.0 + c.VideoMinusAudio;
        EXPECT_NEAR(Player->ComputeTargetTime(&is, 1.04), 100.0 + c.Delay, 1e-9) << c.VideoMinusAudio;
    }
}

TEST_F(PlayerClockTest, ImpossibleStepsKeepThePreviousDelay)
{
    TVideoState& is = *State;
    is.frame_last_delay = 0.04;
    for (double step : {12.0, -1.0}) {
        is.frame_last_pts = 5.0;
        is.frame_timer = 0;
        EXPECT_NEAR(Player->ComputeTargetTime(&is, 5.0 + step), 0.04, 1e-9);
    }
}

TEST_F(PlayerClockTest, AudioFollowingVideoIsStretchedAtMostTenPercentWithItsLastFrame)
{
    TVideoState& is = *State;
    is.av_sync_type = AV_SYNC_VIDEO_MASTER;
    is.video_stream = 0;
    is.audio_stream = 0;
    is.audio_diff_avg_coef = std::exp(std::log10(0.01) / 20);
    is.audio_diff_threshold = 2048.0 / 44100;
    is.video_current_pts = 10.0;
    is.audio_clock = 10.1; // audio 0.1 s ahead
    uint8_t* buf = is.audio_buf2;
    for (int i = 0; i < 4608; ++i)
        buf[i] = uint8_t(i);
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(Player->SynchronizeAudio(&is, buf, 4608, 0), 4608) << "still averaging";
    EXPECT_EQ(Player->SynchronizeAudio(&is, buf, 4608, 0), 5068);
    for (int i = 4608; i < 5068; i += 4)
        EXPECT_EQ(memcmp(buf + i, buf + 4604, 4), 0);
    // Audio as master is never changed.
    is.av_sync_type = AV_SYNC_AUDIO_MASTER;
    EXPECT_EQ(Player->SynchronizeAudio(&is, buf, 4608, 0), 4608);
}

TEST_F(PlayerClockTest, MuteSilencesAndVolumeScalesTheOutput)
{
    TVideoState& is = *State;
    auto* samples = reinterpret_cast<int16_t*>(is.audio_buf2);
    for (int i = 0; i < 2048; ++i)
        samples[i] = 1000;
    auto play = [&](bool AMute, int AVolume) {
        is.audio_buf = is.audio_buf2;
        is.audio_buf_size = 4096;
        is.audio_buf_index = 0;
        Player->SetMute(AMute);
        Player->SetAudioVolume(AVolume);
        std::vector<int16_t> out(512, 7);
        if (!AMute)
            std::fill(out.begin(), out.end(), 0); // the device hands the callback silence
        Player->AudioCallback(&is, reinterpret_cast<uint8_t*>(out.data()), 1024);
        return out;
    };
    EXPECT_EQ(play(true, 128), std::vector<int16_t>(512, 0));
    EXPECT_EQ(play(false, 128), std::vector<int16_t>(512, 1000));
    EXPECT_EQ(play(false, 64), std::vector<int16_t>(512, 500));
    EXPECT_EQ(is.audio_buf_index, 1024);
}

TEST_F(PlayerClockTest, QueuesAccountEachPacketWithItsNode)
{
    TPacketQueue q;
    q.Init();
    AVPacket* pkt = ff::av_packet_alloc();
    ASSERT_EQ(ff::av_new_packet(pkt, 1000), 0);
    ASSERT_EQ(q.Put(pkt), 0);
    EXPECT_EQ(q.size(), 1072);
    q.PutFlush();
    EXPECT_EQ(q.size(), 1144);
    EXPECT_EQ(q.nb_packets(), 2);
    bool flush = true;
    ASSERT_EQ(q.Get(pkt, false, flush), 1);
    EXPECT_FALSE(flush);
    EXPECT_EQ(pkt->size, 1000);
    ASSERT_EQ(q.Get(pkt, false, flush), 1);
    EXPECT_TRUE(flush);
    EXPECT_EQ(q.Get(pkt, false, flush), 0);
    q.Abort();
    EXPECT_EQ(q.Get(pkt, true, flush), -1);
    ff::av_packet_free(&pkt);
}
