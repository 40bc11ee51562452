#include "engine/converter/FFmpeg.h"
#include "engine/loader/FFmpegLoader.h"
#include "platform/core/CodePage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace engine;
using namespace testsupport;

namespace {

std::string Probe(const std::string& AFile, const std::string& AEntries)
{
    std::string Out;
    RunCommand("ffprobe -v error -show_entries " + AEntries + " -of csv=p=0 " + ShellQuote(AFile), &Out);
    return Out;
}

struct TCase {
    const char* Input;  // ffmpeg arguments making the input
    const char* InExt;
    const char* Output;
    std::vector<std::pair<std::string, std::string>> Options;
    const char* Entries;
    const char* Expected;
};

} // namespace

TEST(Transcode, RepresentativeTargets)
{
    ASSERT_TRUE(GlobalLoader().Load(ConverterLibraries)) << GlobalLoader().LastErrMsg();
    TTempDir Dir;
    const std::string Tone = Dir.File("tone.wav");
    ASSERT_TRUE(MakeMedia(Tone, "-f lavfi -i sine=frequency=440:duration=1 -ac 2 -ar 44100"));
    const std::string Clip = Dir.File("clip.mkv");
    ASSERT_TRUE(MakeMedia(Clip, "-f lavfi -i testsrc=size=160x120:rate=25:duration=1 -f lavfi -i sine=duration=1 "
                                "-c:v mpeg4 -c:a mp2 -shortest"));
    const TCase Cases[] = {
        {"", "wav", "a.mp3", {{"acodec", "libmp3lame"}}, "stream=codec_name,sample_rate,channels", "mp3,44100,2"},
        {"", "wav", "a.m4a", {{"acodec", "libfaac"}, {"ar", "22050"}, {"ac", "1"}}, "stream=codec_name,sample_rate,channels", "aac,22050,1"},
        {"", "wav", "a.flac", {}, "stream=codec_name", "flac"},
        {"", "wav", "a.ogg", {{"acodec", "libvorbis"}}, "stream=codec_name", "vorbis"},
        {"", "mkv", "v.avi", {{"vcodec", "mpeg4"}, {"acodec", "libmp3lame"}}, "stream=codec_name,width", "mpeg4,160\nmp3"},
        {"", "mkv", "v.mp4", {{"vcodec", "libx264"}, {"vpre", "libx264-ultrafast"}, {"s", "320x240"}}, "stream=codec_name,width", "h264,320\naac"},
        {"", "mkv", "c.mkv", {{"vcodec", "copy"}, {"acodec", "copy"}}, "stream=codec_name", "mpeg4\nmp2"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Output);
        TCustomFFmpeg Job(1);
        Job.ResetJob();
        ASSERT_TRUE(Job.OpenInputFile(std::string(C.InExt) == "wav" ? Tone : Clip)) << Job.LastErrMsg();
        for (const auto& [N, V] : C.Options)
            Job.DispatchOption(N, V);
        const std::string Out = Dir.File(C.Output);
        ASSERT_GT(Job.OpenOutputFile(Out, false), 0) << Job.LastErrMsg();
        Job.StartConvert(false, platform::TThreadPriority::tpNormal);
        EXPECT_FALSE(Job.FatalException()) << Job.FatalMessage();
        EXPECT_TRUE(Job.Finished());
        std::string Got = Probe(Out, C.Entries);
        while (!Got.empty() && (Got.back() == '\n' || Got.back() == ','))
            Got.pop_back();
        EXPECT_EQ(Got, C.Expected);
        const double Duration = std::atof(Probe(Out, "format=duration").c_str());
        EXPECT_NEAR(Duration, 1.0, 0.15);
    }
}

// Names the system code page cannot carry reach the libraries as the
// engine's unicode URLs, for reading and for writing.
TEST(Transcode, NamesOutsideTheCodePage)
{
    ASSERT_TRUE(GlobalLoader().Load(ConverterLibraries)) << GlobalLoader().LastErrMsg();
    ASSERT_TRUE(platform::SetSystemCodePage("ISO-8859-1"));
    TTempDir Dir;
    const std::string In = Dir.File("\xe5\xa3\xb0\xe9\x9f\xb3.wav");   // two Chinese characters
    const std::string Out = Dir.File("\xe8\xbe\x93\xe5\x87\xba.mp3");
    ASSERT_TRUE(MakeMedia(In, "-f lavfi -i sine=duration=1 -ac 1 -ar 22050"));
    {
        TCustomFFmpeg Job(1);
        Job.ResetJob();
        EXPECT_TRUE(Job.OpenInputFile(In)) << Job.LastErrMsg();
        Job.DispatchOption("acodec", "libmp3lame");
        EXPECT_GT(Job.OpenOutputFile(Out, false), 0) << Job.LastErrMsg();
        Job.StartConvert(false, platform::TThreadPriority::tpNormal);
        EXPECT_FALSE(Job.FatalException()) << Job.FatalMessage();
    }
    platform::SetSystemCodePage("UTF-8");
    EXPECT_EQ(Probe(Out, "stream=codec_name,sample_rate"), "mp3,22050\n");
}
