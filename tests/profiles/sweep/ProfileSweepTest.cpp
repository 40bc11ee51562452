// Every catalogue profile converts: a one-second input (video with audio,
// or audio alone for the audio profiles) is added once per profile the way
// the main window adds a file, the conversion component runs the tasks on
// several threads, and Debian's ffprobe must find in each output the
// container, codecs, frame size and rates that the profile's tables ask
// for, and Debian's ffmpeg must decode each to its end without a complaint.
// Profiles that cannot convert yet must fail with their clear message.
#include "bench/profiles/ProfileSweep.h"

#include "ProbeReport.h"
#include "ProfileExpectations.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/FFmpegLoader.h"
#include "platform/core/SysUtils.h"
#include "profiles/PresetLists.h"
#include "profiles/ProfileDefaults.h"
#include "support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sched.h>

#include <algorithm>
#include <iostream>
#include <set>
#include <thread>

using namespace profilesweep;
using testing::HasSubstr;

namespace {

// Small, and unlike what the profiles ask for (20 fps, 12 kHz mono), so
// that every size, rate and channel count in an output is the converter's
// doing.
const TSourceMedia VideoSource{160, 120, 20.0, 12000, 1};
const TSourceMedia AudioSource{0, 0, 0.0, 12000, 1};
const char* const VideoArguments = "-f lavfi -i testsrc=size=160x120:rate=20:duration=1 "
                                   "-f lavfi -i sine=frequency=440:sample_rate=12000:duration=1 "
                                   "-c:v mpeg4 -c:a pcm_s16le";
const char* const AudioArguments = "-f lavfi -i sine=frequency=440:sample_rate=12000:duration=1";

// As many tasks at once as this process may use cores, at most four: the
// suite shares the machine with other test programs.
int SweepThreads()
{
    cpu_set_t cores;
    const int count = sched_getaffinity(0, sizeof(cores), &cores) == 0 ? CPU_COUNT(&cores)
                                                                       : int(std::thread::hardware_concurrency());
    return std::clamp(count, 1, 4);
}

void CheckVideo(const TExpectedOutput& AExpected, const TProbeStream* AVideo)
{
    if (AExpected.VideoCodec.empty()) {
        EXPECT_EQ(AVideo, nullptr) << "an audio profile wrote a video stream";
        return;
    }
    ASSERT_NE(AVideo, nullptr) << "no video stream";
    EXPECT_EQ(StreamValue(*AVideo, "codec_name"), AExpected.VideoCodec);
    if (!AExpected.VideoTag.empty()) {
        EXPECT_EQ(StreamValue(*AVideo, "codec_tag_string"), AExpected.VideoTag);
    }
    EXPECT_EQ(StreamValue(*AVideo, "width"), std::to_string(AExpected.Width));
    EXPECT_EQ(StreamValue(*AVideo, "height"), std::to_string(AExpected.Height));
    // Close enough for 30000/1001 to pass as "29.97", not for 30 to.
    EXPECT_NEAR(RatioValue(StreamValue(*AVideo, "r_frame_rate")), AExpected.FrameRate, AExpected.FrameRate * 5e-4);
    // An aspect that does not divide the frame size is kept to a rounded
    // sample aspect ratio.
    if (AExpected.DisplayAspect > 0) {
        EXPECT_NEAR(RatioValue(StreamValue(*AVideo, "display_aspect_ratio")), AExpected.DisplayAspect,
                    AExpected.DisplayAspect * 0.01);
    }
}

void CheckAudio(const TExpectedOutput& AExpected, const TProbeStream* AAudio)
{
    ASSERT_NE(AAudio, nullptr) << "no audio stream";
    EXPECT_EQ(StreamValue(*AAudio, "codec_name"), AExpected.AudioCodec);
    EXPECT_EQ(StreamValue(*AAudio, "sample_rate"), std::to_string(AExpected.SampleRate));
    EXPECT_EQ(StreamValue(*AAudio, "channels"), std::to_string(AExpected.Channels));
}

void CheckResult(const TSweepResult& AResult, const TExpectedOutput& AExpected, const TProbeReport& AReport)
{
    if (!AExpected.Failure.empty()) {
        EXPECT_FALSE(AResult.Ok) << "converts now although expected to fail: " << AExpected.FailureReason;
        EXPECT_THAT(AResult.Error, HasSubstr(AExpected.Failure)) << AExpected.FailureReason;
        return;
    }
    ASSERT_TRUE(AResult.Ok) << AResult.Error;
    ASSERT_TRUE(AReport.Ok) << AReport.Error;
    // A player reads the whole output without a complaint.
    EXPECT_EQ(AReport.DecodeErrors, "");
    EXPECT_EQ(AReport.Format, AExpected.Format);
    if (AReport.Duration >= 0) {
        EXPECT_GT(AReport.Duration, 0.5);
        EXPECT_LT(AReport.Duration, 1.5);
    }
    CheckVideo(AExpected, AReport.FirstStream("video"));
    CheckAudio(AExpected, AReport.FirstStream("audio"));
}

class ProfileSweepTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(engine::GlobalLoader().Load(engine::ConverterLibraries)); }
    void TearDown() override { engine::GlobalLoader().Unload(engine::ConverterLibraries); }

    testsupport::TTempDir FDir;
};

} // namespace

TEST_F(ProfileSweepTest, EveryProfileConvertsToWhatItsTablesSay)
{
    const std::string video = FDir.File("clip.mkv"), audio = FDir.File("tone.wav"), out = FDir.File("out");
    ASSERT_TRUE(testsupport::MakeMedia(video, VideoArguments));
    ASSERT_TRUE(testsupport::MakeMedia(audio, AudioArguments));
    ASSERT_TRUE(platform::ForceDirectories(out));
    std::vector<TSweepJob> jobs;
    for (const TSweepProfile& profile : CatalogueProfiles())
        jobs.push_back(TSweepJob{profile, IsAudioOnlyProfile(profile.Key) ? audio : video});
    const std::vector<TSweepResult> results = RunSweep(jobs, out, SweepThreads());
    std::vector<std::string> outputs;
    for (const TSweepResult& result : results)
        outputs.push_back(result.Ok ? result.OutputFile : std::string());
    const std::vector<TProbeReport> reports = ProbeFiles(outputs, SweepThreads());
    int ok = 0, failing = 0;
    for (size_t i = 0; i < results.size(); ++i) {
        const TSweepResult& result = results[i];
        SCOPED_TRACE(std::to_string(result.Profile.Key) + " " + result.Profile.Name + " -> " + result.OutputFile);
        const TExpectedOutput expected = ExpectedOutput(
            result.Profile.Key, result.OutputFile, result.Input == audio ? AudioSource : VideoSource);
        CheckResult(result, expected, reports[i]);
        (expected.Failure.empty() ? ok : failing) += 1;
    }
    std::cout << "Profile sweep: " << results.size() << " profiles on " << SweepThreads() << " threads, " << ok
              << " converted, " << failing << " expected to fail\n";
    // Every profile a user can pick converts.
    EXPECT_EQ(failing, 0);
    EXPECT_EQ(ok, 140);
}

TEST(ProfileSweep, TheListsOfferEveryProfileOnceWithDefaultsAndPresets)
{
    const std::vector<TSweepProfile> all = CatalogueProfiles();
    EXPECT_EQ(all.size(), profiles::AllProfileDefaults().size());
    std::set<int> keys;
    for (const TSweepProfile& profile : all) {
        SCOPED_TRACE(profile.Key);
        EXPECT_TRUE(keys.insert(profile.Key).second);
        EXPECT_NE(profiles::FindProfileDefaults(profile.Key), nullptr);
        const std::optional<profiles::TPresetChoices> choices = profiles::FindPresetChoices(profile.Key);
        ASSERT_TRUE(choices.has_value());
        EXPECT_EQ(choices->AudioOnly, IsAudioOnlyProfile(profile.Key));
        EXPECT_FALSE(ProbeFormatName(platform::ExtractFileExt(profiles::FindProfileDefaults(profile.Key)->Ext)).empty());
    }
}

TEST(ProfileSweep, FieldsAreTheDefaultsOverwrittenByThePresetTexts)
{
    testsupport::TTempDir dir;
    const std::set<std::string> taken = {dir.File("clip.3gp")};
    const profiles::TOutputFields fields =
        FieldsForProfile("/media/clip.mkv", 109, profiles::TOutputNaming{dir.Path(), false, &taken});
    EXPECT_EQ(fields.All_Trant_Number, 109);
    EXPECT_EQ(fields.Video_AddFileName, "/media/clip.mkv");
    EXPECT_EQ(fields.Video_OutPutFileName, dir.File("clip_1.3gp"));
    EXPECT_EQ(fields.Video_VideoCodec, "mpeg4");
    EXPECT_EQ(fields.Video_AudioCodec, "libfaac");
    EXPECT_EQ(fields.Video_FrameSize, "176*144");
    EXPECT_EQ(fields.Video_FrameRate, "12");
    EXPECT_EQ(fields.Video_AudioBitrate, 12000);
    EXPECT_EQ(fields.Video_AudioSampleRate, "8000");
    // The list's "keep the video mode" entry replaces the row's 4:3.
    EXPECT_EQ(fields.Video_FrameAspectRatio, "");
}
