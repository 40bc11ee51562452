// Whole conversions of generated inputs, checked with ffprobe.
#include "ConverterTestSupport.h"
#include "engine/loader/FFmpegLoader.h"
#include "platform/core/CodePage.h"
#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <dlfcn.h>
#include <memory>

using namespace engine;
using namespace testsupport;
using namespace convertertest;

namespace {

class TranscodeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Dir = std::make_unique<TTempDir>();
        // A stereo tone, and a clip of colour bars with a tone and a subtitle track.
        ASSERT_TRUE(MakeMedia(Dir->File("tone.wav"), "-f lavfi -i sine=frequency=440:duration=1 -ac 2 -ar 44100"));
        WriteFile(Dir->File("sub.srt"), "1\n00:00:00,100 --> 00:00:00,600\nHello\n\n");
        ASSERT_TRUE(MakeMedia(Dir->File("clip.mkv"), "-f lavfi -i testsrc=size=160x120:rate=25:duration=1 "
                                                     "-f lavfi -i sine=duration=1 -i " +
                                                         ShellQuote(Dir->File("sub.srt")) +
                                                         " -map 0 -map 1 -map 2 -c:v mpeg4 -c:a mp2 -c:s subrip -t 1"));
    }
    static void TearDownTestSuite() { Dir.reset(); }
    void SetUp() override { ASSERT_TRUE(GlobalLoader().Load(ConverterLibraries)) << GlobalLoader().LastErrMsg(); }

    // Converts AInput into AOutput with the option lines given before the
    // output is opened; the failure, empty when the job ended well.
    static std::string Convert(const std::string& AInput, const std::string& AOutput,
                               const std::vector<std::pair<std::string, std::string>>& AOptions)
    {
        TCustomFFmpeg Job(1);
        Job.ResetJob();
        if (!Job.OpenInputFile(AInput))
            return Job.LastErrMsg();
        for (const auto& [N, V] : AOptions)
            Job.DispatchOption(N, V);
        if (Job.OpenOutputFile(AOutput, false) <= 0)
            return Job.LastErrMsg();
        return RunJob(Job);
    }
    // Frames ffprobe decodes from the file's first stream of AKind ("v", "a").
    static int DecodedFrames(const std::string& AFile, const char* AKind)
    {
        std::string Frames;
        RunCommand(std::string("ffprobe -v error -count_frames -select_streams ") + AKind +
                       " -show_entries stream=nb_read_frames -of csv=p=0 " + ShellQuote(AFile),
                   &Frames);
        return std::atoi(Frames.c_str());
    }

    static std::unique_ptr<TTempDir> Dir;
};

std::unique_ptr<TTempDir> TranscodeTest::Dir;

using TOptions = std::vector<std::pair<std::string, std::string>>;

struct TCase {
    const char* Input;
    const char* Output;
    std::vector<std::pair<std::string, std::string>> Options; // given before the output is opened
    const char* Streams;  // ffprobe: codec_name,width,height,sample_rate,channels per stream
    const char* Format;   // ffprobe's container name
    double Tolerance = 0.05; // seconds off the input's one second
};

} // namespace

TEST_F(TranscodeTest, RepresentativeTargets)
{
    // clang-format off
    const TCase Cases[] = {
        {"tone.wav", "a.mp3", {{"acodec", "libmp3lame"}}, "mp3,44100,2", "mp3"},
        {"tone.wav", "a.m4a", {{"acodec", "libfaac"}, {"ar", "22050"}, {"ac", "1"}}, "aac,22050,1", "mov,mp4,m4a,3gp,3g2,mj2"},
        {"tone.wav", "a.wav", {}, "pcm_s16le,44100,2", "wav"},
        {"tone.wav", "a.ogg", {{"acodec", "libvorbis"}}, "vorbis,44100,2", "ogg"},
        {"tone.wav", "a.flac", {}, "flac,44100,2", "flac"},
        {"tone.wav", "a.ac3", {{"acodec", "ac3"}, {"ab", "128000"}}, "ac3,44100,2", "ac3"},
        {"tone.wav", "a.mp2", {{"acodec", "mp2"}, {"ar", "48000"}}, "mp2,48000,2", "mp3"},
        {"tone.wav", "a.wma", {{"acodec", "wmav2"}}, "wmav2,44100,2", "asf"},
        {"tone.wav", "a.aiff", {}, "pcm_s16be,44100,2", "aiff"},
        // Resampling with drift compensation, a volume change, a rate change of the pictures.
        {"tone.wav", "async.mp3", {{"acodec", "libmp3lame"}, {"async", "1000"}, {"ar", "22050"}, {"vol", "128"}},
         "mp3,22050,2", "mp3", 0.08},
        // (The last of the eleven pictures at 10 frames/s lasts its 0.1 s.)
        {"clip.mkv", "rate.mkv", {{"vcodec", "mpeg4"}, {"r", "10"}, {"an", "1"}, {"sn", "1"}}, "mpeg4,160,120",
         "matroska,webm", 0.12},
        {"clip.mkv", "v.avi", {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}}, "mpeg4,160,120\nmp3,44100,1", "avi"},
        {"clip.mkv", "v.mp4", {{"vcodec", "libx264"}, {"vpre", "libx264-ultrafast"}, {"s", "320x240"}},
         "h264,320,240\naac,44100,1", "mov,mp4,m4a,3gp,3g2,mj2"},
        {"clip.mkv", "v.mpg", {{"vcodec", "mpeg1video"}, {"acodec", "mp2"}}, "mpeg1video,160,120\nmp2,44100,1", "mpeg"},
        {"clip.mkv", "v.vob", {{"vcodec", "mpeg2video"}, {"acodec", "mp2"}, {"f", "vob"}},
         "mpeg2video,160,120\nmp2,44100,1", "mpeg"},
        {"clip.mkv", "v.flv", {{"acodec", "libmp3lame"}, {"ar", "22050"}}, "mp3,22050,1\nflv1,160,120", "flv", 0.1},
        {"clip.mkv", "v.3gp", {{"vcodec", "h263"}, {"s", "176x144"}, {"acodec", "aac"}, {"ar", "8000"}},
         "h263,176,144\naac,8000,1", "mov,mp4,m4a,3gp,3g2,mj2"},
        {"clip.mkv", "v.wmv", {{"vcodec", "wmv2"}, {"acodec", "wmav2"}}, "wmv2,160,120\nwmav2,44100,1", "asf", 0.1},
        {"clip.mkv", "v.mkv", {{"sn", "1"}}, "h264,160,120\nvorbis,44100,1", "matroska,webm"},
        {"clip.mkv", "v.mov", {{"vcodec", "mpeg4"}, {"acodec", "aac"}}, "mpeg4,160,120\naac,44100,1", "mov,mp4,m4a,3gp,3g2,mj2"},
        {"clip.mkv", "vcd.mpg", {{"target", "pal-vcd"}}, "mpeg1video,352,288\nmp2,44100,2", "mpeg", 0.1},
        {"clip.mkv", "svcd.mpg", {{"target", "pal-svcd"}}, "mpeg2video,480,576\nmp2,44100,2", "mpeg", 0.1},
        {"clip.mkv", "dvd.vob", {{"target", "pal-dvd"}}, "dvd_nav_packet\nmpeg2video,720,576\nac3,48000,2", "mpeg", 0.1},
        {"clip.mkv", "c.mkv", {{"vcodec", "copy"}, {"acodec", "copy"}, {"scodec", "copy"}},
         "mpeg4,160,120\nmp2,44100,1\nsubrip", "matroska,webm"},
        {"clip.mkv", "s.mkv", {{"vcodec", "copy"}, {"an", "1"}, {"scodec", "ass"}}, "mpeg4,160,120\nass", "matroska,webm"},
        {"clip.mkv", "s.mp4", {{"vcodec", "copy"}, {"an", "1"}, {"scodec", "mov_text"}}, "mpeg4,160,120\nmov_text",
         "mov,mp4,m4a,3gp,3g2,mj2"},
    };
    // clang-format on
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Output);
        TCustomFFmpeg Job(1);
        Job.ResetJob();
        ASSERT_TRUE(Job.OpenInputFile(Dir->File(C.Input))) << Job.LastErrMsg();
        for (const auto& [N, V] : C.Options)
            Job.DispatchOption(N, V);
        const std::string Out = Dir->File(C.Output);
        ASSERT_GT(Job.OpenOutputFile(Out, false), 0) << Job.LastErrMsg();
        EXPECT_EQ(RunJob(Job), "");
        EXPECT_TRUE(Job.Finished());
        const TProbedFile Probed = ProbeFile(Out, "codec_name,width,height,sample_rate,channels");
        EXPECT_EQ(Probed.Streams, C.Streams);
        EXPECT_EQ(Probed.Format, C.Format);
        EXPECT_NEAR(Probed.Duration, 1.0, C.Tolerance);
    }
    // The encoded subtitles keep their text and times (the MP4 muxer moves
    // every stream by the copied pictures' first time, 11 ms).
    const std::pair<const char*, const char*> Subtitles[] = {{"s.mkv", "00:00:00,100 --> 00:00:00,600\nHello"},
                                                             {"s.mp4", "00:00:00,111 --> 00:00:00,611\nHello"}};
    for (const auto& [Out, Expected] : Subtitles) {
        std::string Text;
        RunCommand("ffmpeg -v error -i " + ShellQuote(Dir->File(Out)) + " -map 0:s -f srt -", &Text);
        EXPECT_NE(Text.find(Expected), std::string::npos) << Out << ": " << Text;
    }
}

// Names the system code page cannot carry reach the libraries as the
// engine's unicode URLs, for reading and for writing.
TEST_F(TranscodeTest, NamesOutsideTheCodePage)
{
    ASSERT_TRUE(platform::SetSystemCodePage("ISO-8859-1"));
    const std::string In = Dir->File("\xe5\xa3\xb0\xe9\x9f\xb3.wav"); // two Chinese characters
    const std::string Out = Dir->File("\xe8\xbe\x93\xe5\x87\xba.mp3");
    ASSERT_TRUE(MakeMedia(In, "-f lavfi -i sine=duration=1 -ac 1 -ar 22050"));
    {
        TCustomFFmpeg Job(1);
        Job.ResetJob();
        EXPECT_TRUE(Job.OpenInputFile(In)) << Job.LastErrMsg();
        Job.DispatchOption("acodec", "libmp3lame");
        EXPECT_GT(Job.OpenOutputFile(Out, false), 0) << Job.LastErrMsg();
        EXPECT_EQ(RunJob(Job), "");
    }
    platform::SetSystemCodePage("UTF-8");
    EXPECT_EQ(Probe(Out, "stream=codec_name,sample_rate"), "mp3,22050");
}

// Two passes: the first writes the encoder's statistics to the pass log,
// the second reads them back (and lets go of them at the end).
TEST_F(TranscodeTest, TwoPassEncoding)
{
    const std::string Prefix = Dir->File("passlog");
    for (const char* Pass : {"1", "2"}) {
        SCOPED_TRACE(Pass);
        TCustomFFmpeg Job(1);
        Job.ResetJob();
        ASSERT_TRUE(Job.OpenInputFile(Dir->File("clip.mkv"))) << Job.LastErrMsg();
        for (const auto& [N, V] : TOptions{{"vcodec", "mpeg4"}, {"b", "200000"}, {"an", "1"}, {"sn", "1"},
                                           {"pass", Pass}, {"passlogfile", Prefix}})
            Job.DispatchOption(N, V);
        ASSERT_GT(Job.OpenOutputFile(Dir->File(std::string("pass") + Pass + ".avi"), false), 0) << Job.LastErrMsg();
        EXPECT_EQ(RunJob(Job), "");
    }
    EXPECT_FALSE(ReadFile(Prefix + "-0.log").empty());
    EXPECT_EQ(Probe(Dir->File("pass2.avi"), "stream=codec_name,width"), "mpeg4,160");
    // A second pass without the first one's log fails with its message.
    TCustomFFmpeg Job(1);
    Job.ResetJob();
    ASSERT_TRUE(Job.OpenInputFile(Dir->File("clip.mkv")));
    Job.DispatchOption("vcodec", "mpeg4");
    Job.DispatchOption("pass", "2");
    Job.DispatchOption("passlogfile", Dir->File("nolog"));
    ASSERT_GT(Job.OpenOutputFile(Dir->File("nolog.avi"), false), 0);
    EXPECT_EQ(RunJob(Job),
              "Cannot read file: Error reading log file \"" + Dir->File("nolog") + "-0.log\" for pass-2 encoding");
}

// The picture goes through a filter graph; size and format follow it.
TEST_F(TranscodeTest, VideoFilters)
{
    const std::pair<const char*, const char*> Cases[] = {
        {"crop=80:60:10:10", "mpeg4,80,60"},
        {"hflip,scale=96:72", "mpeg4,96,72"},
    };
    for (const auto& [Filters, Streams] : Cases) {
        SCOPED_TRACE(Filters);
        TCustomFFmpeg Job(1);
        Job.ResetJob();
        ASSERT_TRUE(Job.OpenInputFile(Dir->File("clip.mkv"))) << Job.LastErrMsg();
        for (const auto& [N, V] : TOptions{{"vcodec", "mpeg4"}, {"an", "1"}, {"sn", "1"}, {"vf", Filters}})
            Job.DispatchOption(N, V);
        ASSERT_GT(Job.OpenOutputFile(Dir->File("filtered.avi"), false), 0) << Job.LastErrMsg();
        EXPECT_EQ(RunJob(Job), "");
        const TProbedFile Probed = ProbeFile(Dir->File("filtered.avi"), "codec_name,width,height");
        EXPECT_EQ(Probed.Streams, Streams);
        EXPECT_NEAR(Probed.Duration, 1.0, 0.05);
    }
    TCustomFFmpeg Job(1);
    Job.ResetJob();
    ASSERT_TRUE(Job.OpenInputFile(Dir->File("clip.mkv")));
    Job.DispatchOption("vf", "nosuchfilter");
    ASSERT_GT(Job.OpenOutputFile(Dir->File("nofilter.avi"), false), 0);
    EXPECT_NE(RunJob(Job).find("Error opening filters"), std::string::npos);
}

// Join: every input, one after another, into one output.
TEST_F(TranscodeTest, JoinedInputs)
{
    TCustomFFmpeg Job(2);
    Job.ResetJob();
    ASSERT_TRUE(Job.OpenInputFile(Dir->File("tone.wav"))) << Job.LastErrMsg();
    ASSERT_TRUE(Job.OpenInputFile(Dir->File("tone.wav"))) << Job.LastErrMsg();
    Job.DispatchOption("acodec", "flac");
    ASSERT_GT(Job.OpenOutputFile(Dir->File("joined.flac"), true), 0) << Job.LastErrMsg();
    EXPECT_EQ(Job.OpenOutputFile(Dir->File("second.flac"), false), -1);
    EXPECT_EQ(Job.LastErrMsg(), "Cannot join more than one output file.");
    EXPECT_EQ(RunJob(Job), "");
    EXPECT_NEAR(ProbeDuration(Dir->File("joined.flac")), 2.0, 0.03);

    TCustomFFmpeg Clips(2);
    Clips.ResetJob();
    ASSERT_TRUE(Clips.OpenInputFile(Dir->File("clip.mkv"))) << Clips.LastErrMsg();
    ASSERT_TRUE(Clips.OpenInputFile(Dir->File("clip.mkv"))) << Clips.LastErrMsg();
    for (const auto& [N, V] : TOptions{{"vcodec", "mpeg4"}, {"acodec", "mp2"}, {"sn", "1"}})
        Clips.DispatchOption(N, V);
    ASSERT_GT(Clips.OpenOutputFile(Dir->File("joined.avi"), true), 0) << Clips.LastErrMsg();
    EXPECT_EQ(RunJob(Clips), "");
    const TProbedFile Joined = ProbeFile(Dir->File("joined.avi"), "codec_name");
    EXPECT_EQ(Joined.Streams, "mpeg4\nmp2");
    EXPECT_EQ(Probe(Dir->File("joined.avi"), "stream=nb_frames").substr(0, 3), "50\n");
    EXPECT_NEAR(Joined.Duration, 2.0, 0.1);
}

// A picture size that changes mid-stream makes a new scaler; the output
// keeps its size.
TEST_F(TranscodeTest, PictureSizeChangesMidStream)
{
    ASSERT_TRUE(MakeMedia(Dir->File("small.ts"), "-f lavfi -i testsrc=size=160x120:rate=25:duration=0.6 -c:v mpeg2video"));
    ASSERT_TRUE(MakeMedia(Dir->File("large.ts"), "-f lavfi -i testsrc=size=320x240:rate=25:duration=0.6 -c:v mpeg2video"));
    WriteFile(Dir->File("changing.ts"), ReadFile(Dir->File("small.ts")) + ReadFile(Dir->File("large.ts")));
    TCustomFFmpeg Job(1);
    Job.ResetJob();
    ASSERT_TRUE(Job.OpenInputFile(Dir->File("changing.ts"))) << Job.LastErrMsg();
    Job.DispatchOption("vcodec", "mpeg4");
    ASSERT_GT(Job.OpenOutputFile(Dir->File("changing.avi"), false), 0) << Job.LastErrMsg();
    EXPECT_EQ(RunJob(Job), "");
    EXPECT_EQ(Probe(Dir->File("changing.avi"), "stream=codec_name,width,height"), "mpeg4,160,120");
    std::string Frames;
    RunCommand("ffprobe -v error -count_frames -show_entries stream=nb_read_frames -of csv=p=0 " +
                   ShellQuote(Dir->File("changing.avi")),
               &Frames);
    EXPECT_GE(std::atoi(Frames.c_str()), 25) << Frames;
}

TEST_F(TranscodeTest, StreamMaps)
{
    const std::pair<const char*, const char*> Cases[] = {
        {"0:1", ""},
        {"0:5", "Could not find input stream #0.5"},
        {"0:0", "Codec type mismatch for mapping #0.0 (Video) -> #0.0 (Audio)"},
    };
    for (const auto& [Map, Error] : Cases) {
        SCOPED_TRACE(Map);
        TCustomFFmpeg Job(1);
        Job.ResetJob();
        ASSERT_TRUE(Job.OpenInputFile(Dir->File("clip.mkv"))) << Job.LastErrMsg();
        for (const auto& [N, V] : TOptions{{"map", Map}, {"acodec", "libmp3lame"}, {"vn", "1"}, {"sn", "1"}})
            Job.DispatchOption(N, V);
        const std::string Out = Dir->File(std::string("mapped") + Map[2] + ".mp3");
        ASSERT_GT(Job.OpenOutputFile(Out, false), 0) << Job.LastErrMsg();
        EXPECT_EQ(RunJob(Job), Error);
        // A failed run leaves no empty file behind.
        EXPECT_EQ(platform::FileExists(Out), *Error == 0);
    }
    EXPECT_EQ(Probe(Dir->File("mapped1.mp3"), "stream=codec_name,channels"), "mp3,1");
}

// Every picture of the input is in the output and is decoded from it, in
// every container: the last picture lasts its frame like the others.
TEST_F(TranscodeTest, EveryFrameOfTheInputReachesTheOutput)
{
    const std::pair<const char*, TOptions> Cases[] = {
        {"f.mp4", {{"vcodec", "libx264"}, {"vpre", "libx264-ultrafast"}}},
        {"f2.mp4", {{"vcodec", "mpeg4"}}},
        {"f.mov", {{"vcodec", "mpeg4"}}},
        {"f.3gp", {{"vcodec", "h263"}, {"s", "176x144"}, {"acodec", "aac"}, {"ar", "8000"}}},
        {"f.mkv", {{"vcodec", "mpeg4"}}},
        {"f.avi", {{"vcodec", "mpeg4"}}},
        {"f.flv", {{"ar", "22050"}}},
        {"f.mpg", {{"vcodec", "mpeg1video"}}},
    };
    for (auto [Name, Options] : Cases) {
        SCOPED_TRACE(Name);
        Options.emplace_back("sn", "1");
        const std::string Out = Dir->File(Name);
        ASSERT_EQ(Convert(Dir->File("clip.mkv"), Out, Options), "");
        EXPECT_EQ(DecodedFrames(Out, "v"), 25);
    }
}

// A sound file with a cover picture converts on audio and on video
// profiles alike: its sound, without the picture.
TEST_F(TranscodeTest, ACoverPictureIsNoVideo)
{
    const std::string Song = Dir->File("cover.mp3");
    ASSERT_TRUE(MakeMedia(Song, "-f lavfi -i sine=duration=1 -f lavfi -i testsrc=size=64x64:duration=0.04 -map 0 "
                                "-map 1 -frames:v 1 -c:v mjpeg -disposition:v attached_pic -c:a libmp3lame"));
    const std::pair<const char*, TOptions> Cases[] = {
        {"cover.mp4", {{"vcodec", "libx264"}, {"acodec", "aac"}}},
        {"cover.3gp", {{"vcodec", "h263"}, {"s", "176x144"}, {"acodec", "aac"}, {"ar", "8000"}}},
        {"cover.avi", {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}}},
        {"cover-out.mp3", {{"acodec", "libmp3lame"}}},
    };
    for (const auto& [Name, Options] : Cases) {
        SCOPED_TRACE(Name);
        const std::string Out = Dir->File(Name);
        EXPECT_EQ(Convert(Song, Out, Options), "");
        const TProbedFile Probed = ProbeFile(Out, "codec_type");
        EXPECT_EQ(Probed.Streams, "audio");
        EXPECT_NEAR(Probed.Duration, 1.0, 0.1);
    }
}

namespace {

// Makes the codec library count ACount processors while it lives, so that
// decoders that work on several packets at once do so on any machine.
class TForcedProcessorCount {
public:
    explicit TForcedProcessorCount(int ACount)
    {
        if (void* Lib = dlopen("libavutil.so.57", RTLD_NOW | RTLD_NOLOAD))
            FForce = reinterpret_cast<void (*)(int)>(dlsym(Lib, "av_cpu_force_count"));
        if (FForce)
            FForce(ACount);
    }
    ~TForcedProcessorCount()
    {
        if (FForce)
            FForce(0);
    }
    bool Forced() const { return FForce != nullptr; }

private:
    void (*FForce)(int) = nullptr;
};

} // namespace

// A tagged FLAC file, with a cover picture or without, keeps its length in
// every container: a decoder that holds several packets before it gives its
// first samples does not push the sound later, and the encoder's priming is
// cut off by the container instead of lengthening it.
TEST_F(TranscodeTest, AudioKeepsItsLengthWhateverTheDecoderHolds)
{
    const std::string Tagged = Dir->File("tagged.flac"), Covered = Dir->File("covered.flac");
    ASSERT_TRUE(MakeMedia(Tagged, "-f lavfi -i sine=duration=3 -c:a flac -metadata title=Song -metadata artist=Band"));
    ASSERT_TRUE(MakeMedia(Covered, "-f lavfi -i sine=duration=3 -f lavfi -i color=c=red:size=64x64:duration=0.04 "
                                   "-map 0 -map 1 -frames:v 1 -c:a flac -c:v png -disposition:v attached_pic "
                                   "-metadata title=Song -metadata artist=Band"));
    const TForcedProcessorCount Processors(4);
    ASSERT_TRUE(Processors.Forced());
    const std::pair<const char*, TOptions> Outputs[] = {
        {"song.m4a", {{"acodec", "aac"}}},
        {"song.mp4", {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}}},
        {"song.mov", {{"vcodec", "mpeg4"}, {"acodec", "aac"}}},
    };
    for (const std::string& Input : {Tagged, Covered})
        for (const auto& [Name, Options] : Outputs) {
            SCOPED_TRACE(Input + " -> " + Name);
            const std::string Out = Dir->File(Name);
            EXPECT_EQ(Convert(Input, Out, Options), "");
            const TProbedFile Probed = ProbeFile(Out, "codec_type,start_time,duration");
            // One audio frame at most: 1152 samples of MP3 at 44.1 kHz.
            EXPECT_NEAR(Probed.Duration, 3.0, 0.027);
            EXPECT_EQ(Probed.Streams.rfind("audio,0.000000,", 0), 0u) << Probed.Streams;
            EXPECT_EQ(DecodeErrors(Out), "");
        }
}

// The video statistics file gets one line per encoded picture.
TEST_F(TranscodeTest, VideoStatisticsFile)
{
    const std::string Stats = Dir->File("stats.log");
    ASSERT_EQ(Convert(Dir->File("clip.mkv"), Dir->File("stats.avi"),
                      {{"vstats_file", Stats}, {"vcodec", "mpeg4"}, {"an", "1"}, {"sn", "1"}}),
              "");
    const std::string Text = ReadFile(Stats);
    EXPECT_EQ(std::count(Text.begin(), Text.end(), '\n'), 25) << Text;
    EXPECT_EQ(Text.rfind("frame=", 0), 0u) << Text;
    for (const char* Field : {" q= ", " f_size= ", " s_size= ", "kB time= ", " br= ", " avg_br= ", " type= I\n"})
        EXPECT_NE(Text.find(Field), std::string::npos) << Field;
}

// AMR-NB through the program's own encoder, in its own file and in 3GP, at
// the modes the bit rates ask for.
TEST_F(TranscodeTest, AmrNbOutput)
{
    const std::pair<const char*, TOptions> Cases[] = {
        {"speech.amr", {{"acodec", "libopencore_amrnb"}, {"ab", "12200"}, {"ar", "8000"}, {"ac", "1"}}},
        {"speech-low.amr", {{"ab", "7400"}}},
        {"speech.3gp", {{"acodec", "libamr_nb"}, {"ab", "10200"}}},
    };
    for (const auto& [Name, Options] : Cases) {
        SCOPED_TRACE(Name);
        const std::string Out = Dir->File(Name);
        ASSERT_EQ(Convert(Dir->File("tone.wav"), Out, Options), "");
        const TProbedFile Probed = ProbeFile(Out, "codec_name,sample_rate,channels");
        EXPECT_EQ(Probed.Streams, "amr_nb,8000,1");
        EXPECT_NEAR(Probed.Duration, 1.0, 0.05);
        // Every frame decodes: 50 frames of 20 ms.
        EXPECT_EQ(DecodedFrames(Out, "a"), 50);
    }
    // The modes: 32 bytes a frame at 12.2 kbit/s, 20 at 7.4 kbit/s, after
    // the file's 6-byte signature.
    EXPECT_EQ(platform::FileSizeByName(Dir->File("speech.amr")), 6 + 50 * 32);
    EXPECT_EQ(platform::FileSizeByName(Dir->File("speech-low.amr")), 6 + 50 * 20);
}
