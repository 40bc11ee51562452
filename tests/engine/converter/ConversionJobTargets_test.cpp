// Disc and DV targets and encoder presets applied to a job.
#include "ConverterTestSupport.h"
#include "engine/converter/ConversionJobPresets.h"

#include <memory>

using namespace engine;
using namespace testsupport;
using namespace convertertest;

namespace {

class FFmpegTargetsTest : public TJobOptionsTest {
protected:
    static void SetUpTestSuite()
    {
        Dir = std::make_unique<TTempDir>();
        ASSERT_TRUE(MakeMedia(Dir->File("ntsc.mkv"), "-f lavfi -i testsrc=size=64x48:rate=30000/1001:duration=0.2"));
        ASSERT_TRUE(MakeMedia(Dir->File("film.mkv"), "-f lavfi -i testsrc=size=64x48:rate=24000/1001:duration=0.2"));
        ASSERT_TRUE(MakeMedia(Dir->File("thirty.mkv"), "-f lavfi -i testsrc=size=64x48:rate=30:duration=0.2"));
        ASSERT_TRUE(MakeMedia(Dir->File("clip.mkv"), "-f lavfi -i testsrc=size=64x48:rate=25:duration=0.2 -c:v ffv1"));
        // Frames at 25 per second with a half-second gap: the average rate
        // falls below the container's real one.
        ASSERT_TRUE(MakeMedia(Dir->File("gap.mp4"), "-f lavfi -i testsrc=size=64x48:rate=25:duration=1 "
                                                    "-vf 'setpts=N/25/TB+gte(N\\,12)*0.5/TB' -fps_mode passthrough "
                                                    "-c:v mpeg4"));
    }
    static void TearDownTestSuite() { Dir.reset(); }
    FFmpegTargetsTest() : TJobOptionsTest(llVerbose) {}
    std::string Video(const char* AKey) const
    {
        return Recorded(Job.Muxing().FOptions.codec_opts[AVMEDIA_TYPE_VIDEO], AKey);
    }
    std::string Size() const
    {
        return std::to_string(Job.VideoOutput().Fframe_width) + "x" + std::to_string(Job.VideoOutput().Fframe_height);
    }
    std::string Rate() const
    {
        return std::to_string(Job.VideoOutput().Fframe_rate.num) + "/" +
            std::to_string(Job.VideoOutput().Fframe_rate.den);
    }

    static std::unique_ptr<TTempDir> Dir;
};

std::unique_ptr<TTempDir> FFmpegTargetsTest::Dir;

} // namespace

TEST_F(FFmpegTargetsTest, PalDvdSetsItsValuesWithoutGuessing)
{
    ASSERT_EQ(Dispatch("target", " pal-dvd "), "");
    EXPECT_EQ(Job.VideoOutput().Fvideo_codec_name, "mpeg2video");
    EXPECT_EQ(Job.AudioOutput().Faudio_codec_name, "ac3");
    EXPECT_EQ(Job.Muxing().Flast_asked_format, "dvd");
    EXPECT_EQ(Size(), "720x576");
    EXPECT_EQ(Rate(), "25/1");
    EXPECT_EQ(Video("g"), "15");
    EXPECT_EQ(Video("b"), "6000000");
    EXPECT_EQ(Video("maxrate"), "9000000");
    EXPECT_EQ(Video("bufsize"), "1835008");
    EXPECT_EQ(Recorded(Job.Muxing().FOptions.codec_opts[AVMEDIA_TYPE_AUDIO], "ab"), "448000");
    EXPECT_EQ(Recorded(Job.Muxing().FOptions.format_opts, "packetsize"), "2048");
    EXPECT_EQ(Recorded(Job.Muxing().FOptions.format_opts, "muxrate"), "10080000");
    EXPECT_EQ(Job.AudioOutput().Faudio_sample_rate, 48000);
    EXPECT_EQ(Job.AudioOutput().Faudio_channels, 2);
    EXPECT_TRUE(Logged("Assuming 16:9 for aspect ratio"));
    EXPECT_FLOAT_EQ(Job.VideoOutput().Fframe_aspect_ratio, 16.0f / 9.0f);
    EXPECT_FALSE(Logged("Assuming PAL for target."));
}

TEST_F(FFmpegTargetsTest, TheNormIsGuessedFromTheInput)
{
    struct TCase {
        const char* Input;
        const char* Target;
        const char* Size;
        const char* Rate;
        const char* G;
        const char* Log;
    };
    const TCase Cases[] = {
        {"ntsc.mkv", "dvd", "720x480", "30000/1001", "18", "Assuming NTSC for target."},
        {"film.mkv", "vcd", "352x240", "30000/1001", "18", "Assuming NTSC for target."},
        {"clip.mkv", "svcd", "480x576", "25/1", "15", "Assuming PAL for target."},
        // Nothing to go by: the option's default norm.
        {"thirty.mkv", "vcd", "352x240", "30000/1001", "18", "Assuming NTSC for target."},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Input);
        Job.ResetJob();
        Lines.clear();
        ASSERT_TRUE(Job.OpenInputFile(Dir->File(C.Input))) << Job.LastErrMsg();
        ASSERT_EQ(Dispatch("target", C.Target), "");
        EXPECT_EQ(Size(), C.Size);
        EXPECT_EQ(Rate(), C.Rate);
        EXPECT_EQ(Video("g"), C.G);
        EXPECT_TRUE(Logged(C.Log));
    }
}

TEST_F(FFmpegTargetsTest, OtherTargetsAndRefusals)
{
    ASSERT_EQ(Dispatch("target", "film-dv"), "");
    EXPECT_EQ(Size(), "720x480");
    EXPECT_EQ(Job.VideoOutput().Fframe_pix_fmt, AV_PIX_FMT_YUV411P);
    EXPECT_EQ(Rate(), "24000/1001");
    EXPECT_EQ(Job.Muxing().Flast_asked_format, "dv");

    Job.ResetJob();
    ASSERT_EQ(Dispatch("target", "pal-dv50"), "");
    EXPECT_EQ(Job.VideoOutput().Fframe_pix_fmt, AV_PIX_FMT_YUV422P);

    Job.ResetJob();
    ASSERT_EQ(Dispatch("ac", "1"), "");
    ASSERT_EQ(Dispatch("target", "ntsc-svcd"), "");
    EXPECT_EQ(Job.AudioOutput().Faudio_channels, 2);
    EXPECT_EQ(Video("scan_offset"), "1");
    Job.ResetJob();
    ASSERT_EQ(Dispatch("ac", "6"), "");
    ASSERT_EQ(Dispatch("target", "pal-svcd"), "");
    EXPECT_EQ(Job.AudioOutput().Faudio_channels, 6);

    Job.ResetJob();
    EXPECT_EQ(Dispatch("target", "pal-dv25"), "Unknown target type");
    EXPECT_EQ(Dispatch("target", "vcd"), "frame_rate is invalid.");
}

TEST_F(FFmpegTargetsTest, PresetsByNameAndFromFiles)
{
    // The codec's name completes a short preset name; case is ignored.
    ASSERT_EQ(Dispatch("vcodec", "libx264"), "");
    ASSERT_EQ(Dispatch("vpre", "medium"), "");
    EXPECT_EQ(Video("me_method"), "hex");
    EXPECT_EQ(Video("subq"), "7");
    EXPECT_EQ(Video("b-pyramid"), "normal");
    Job.ResetJob();
    ASSERT_EQ(Dispatch("vpre", "LIBX264-DEFAULT"), "");
    EXPECT_EQ(Video("direct-pred"), "1");
    EXPECT_EQ(Video("refs"), "3");

    Job.ResetJob();
    EXPECT_EQ(Dispatch("fpre", "libx264-default"), "Preset \"libx264-default\" not found");
    const std::string Good = Dir->File("good.ffpreset");
    WriteFile(Good, "\r\n  g=33 \r\n\r\nacodec=mp2\n");
    EXPECT_EQ(Dispatch("fpre", Good), "");
    EXPECT_EQ(Video("g"), "33");
    EXPECT_EQ(Job.AudioOutput().Faudio_codec_name, "mp2");
    const std::string NoValue = Dir->File("novalue.ffpreset");
    WriteFile(NoValue, "g=1\nbf\n");
    EXPECT_EQ(Dispatch("fpre", NoValue), NoValue + ": Invalid syntax: \"bf\"");
    const std::string Unknown = Dir->File("unknown.ffpreset");
    WriteFile(Unknown, "unknown_key=1\n");
    Job.ResetJob(); // no codec name to put in front of the preset's name
    EXPECT_EQ(Dispatch("apre", Unknown),
              Unknown + ": Invalid option or argument: \"unknown_key=1\", parsed as \"unknown_key\" = \"1\"");
    // Only a regular file is read as a preset: a device would never end.
    EXPECT_EQ(Dispatch("fpre", "/dev/zero"), "Preset \"/dev/zero\" is not a regular file");
    const std::string Huge = Dir->File("huge.ffpreset");
    WriteFile(Huge, std::string(2 << 20, '#'));
    EXPECT_EQ(Dispatch("fpre", Huge), "Preset \"" + Huge + "\" is too large to be a preset file");
}

// Every built-in preset reaches the H.264 encoder, which opens with it and
// encodes a short clip.
TEST_F(FFmpegTargetsTest, EveryBuiltinPresetEncodes)
{
    for (const TOptionsPreset& P : BuiltinPresets()) {
        SCOPED_TRACE(P.Name);
        TCustomFFmpeg Task(1);
        Task.ResetJob();
        ASSERT_TRUE(Task.OpenInputFile(Dir->File("clip.mkv"))) << Task.LastErrMsg();
        Task.DispatchOption("vcodec", "libx264");
        Task.DispatchOption("vpre", P.Name);
        const std::string Out = Dir->File("preset.mkv");
        ASSERT_GT(Task.OpenOutputFile(Out, false), 0) << Task.LastErrMsg();
        Task.StartConvert(false, platform::TThreadPriority::tpNormal);
        EXPECT_FALSE(Task.FatalException()) << Task.FatalMessage();
        std::string Frames;
        RunCommand("ffprobe -v error -count_frames -show_entries stream=codec_name,nb_read_frames -of csv=p=0 " +
                       ShellQuote(Out),
                   &Frames);
        EXPECT_EQ(Frames, "h264,5\n");
    }
}

TEST_F(FFmpegTargetsTest, AnInputWhoseAverageRateDiffersFromItsRealRateIsLogged)
{
    struct Case {
        const char* Input;
        bool Logged;
    };
    const std::string line =
        "Seems stream 0 codec frame rate differs from container frame rate: 16.89 (625/37) -> 25.00 (25/1)";
    for (const Case& C : {Case{"gap.mp4", true}, Case{"clip.mkv", false}}) {
        SCOPED_TRACE(C.Input);
        Lines.clear();
        TCustomFFmpeg Task(1);
        Task.ResetJob();
        ASSERT_TRUE(Task.OpenInputFile(Dir->File(C.Input))) << Task.LastErrMsg();
        platform::CheckSynchronize();
        EXPECT_EQ(Logged(line), C.Logged);
        EXPECT_EQ(Task.VideoOutput().Fframe_rate.num, 25);
        EXPECT_EQ(Task.VideoOutput().Fframe_rate.den, 1);
        EXPECT_EQ(std::count_if(Lines.begin(), Lines.end(),
                                [](const std::string& L) { return L.rfind("Seems stream", 0) == 0; }),
                  C.Logged ? 1 : 0);
    }
}
