// A task's input and output records turned into options and opened files.
#include "ConverterTestSupport.h"
#include "engine/options/FFConverter_Options.h"
#include "engine/base/LocalTime.h"
#include "engine/loader/FFmpegLoader.h"

#include <gtest/gtest.h>

#include <ctime>
#include <memory>

using namespace engine;
using namespace testsupport;
using namespace convertertest;

namespace {

class FFmpegTaskOptionsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Dir = std::make_unique<TTempDir>();
        ASSERT_TRUE(MakeMedia(Dir->File("tone.wav"), "-f lavfi -i sine=duration=0.5 -ac 1 -ar 22050"));
        ASSERT_TRUE(MakeMedia(Dir->File("clip.mkv"), "-f lavfi -i testsrc=size=64x48:rate=30:duration=0.4 "
                                                     "-f lavfi -i sine=duration=0.4 -c:v ffv1 -c:a pcm_s16le"));
    }
    static void TearDownTestSuite() { Dir.reset(); }
    void SetUp() override
    {
        ASSERT_TRUE(GlobalLoader().Load(ConverterLibraries)) << GlobalLoader().LastErrMsg();
        InitOutputOptions(Out);
        Job.ResetJob();
    }
    // Opens the input, applies the output record, runs the job; the error
    // on the way, empty when the file was written.
    std::string Convert(const std::string& AInput, const std::string& AOutput)
    {
        try {
            if (!Job.OpenInputFile(Dir->File(AInput)))
                return Job.LastErrMsg();
            if (!Job.ApplyOutputRecord(Dir->File(AOutput), &Out, nullptr))
                return Job.LastErrMsg();
        } catch (const std::exception& E) {
            return E.what();
        }
        return RunJob(Job);
    }

    static std::unique_ptr<TTempDir> Dir;
    TOutputOptions Out;
    TCustomFFmpeg Job{1};
};

std::unique_ptr<TTempDir> FFmpegTaskOptionsTest::Dir;

} // namespace

TEST_F(FFmpegTaskOptionsTest, FreshRecordWithFormatAndCodec)
{
    Out.FileFormat = "mp3";
    Out.AudioCodec = "libmp3lame";
    ASSERT_EQ(Convert("tone.wav", "plain.out"), "");
    EXPECT_EQ(Probe(Dir->File("plain.out"), "format=format_name:stream=codec_name,sample_rate,channels"),
              "mp3,22050,1\nmp3");
}

TEST_F(FFmpegTaskOptionsTest, ExtraStreamsTakeTheirLinesInOrder)
{
    struct TCase {
        const char* AudioCodec;
        const char* Lines;
        const char* Codecs;
    };
    const TCase Cases[] = {
        {"libmp3lame", "acodec=mp2\nnewaudio=", "mp3\nmp2"},
        // The first line stands in for the empty field and serves the extra
        // stream first; "mp2" is left over.
        {"", "acodec=aac<CRLF>ACODEC=mp2\r\nnewaudio=", "aac\naac"},
        {"mp2", "newaudio=\nnewaudio=", "mp2\nmp2\nmp2"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Lines);
        Job.ResetJob();
        InitOutputOptions(Out);
        Out.AudioCodec = C.AudioCodec;
        Out.ExtOptions = C.Lines;
        ASSERT_EQ(Convert("tone.wav", "extra.mka"), "");
        EXPECT_EQ(Probe(Dir->File("extra.mka"), "stream=codec_name"), C.Codecs);
    }
}

TEST_F(FFmpegTaskOptionsTest, RecordFieldsWinOverLinesAndTargets)
{
    Out.TargetType = ttDVD;
    Out.NormType = ntAuto;
    Out.NormDefault = ntNTSC;
    Out.VideoCodec = "mpeg4"; // overrides the target's codec
    Out.AudioSampleRate = 32000;
    Out.ExtOptions = "ar=11025\nvcodec=mpeg1video";
    Out.Info.Title = "Tone";
    Out.Info.Year = 2024;
    ASSERT_EQ(Convert("clip.mkv", "dvd.mpg"), "");
    EXPECT_EQ(Probe(Dir->File("dvd.mpg"), "stream=codec_name,width,height,sample_rate"),
              "dvd_nav_packet\nmpeg4,720,480\nac3,32000");
}

TEST_F(FFmpegTaskOptionsTest, MetadataAndCrop)
{
    Out.AudioCodec = "flac";
    Out.Info.Title = "Tone";
    Out.Info.Album = "Tests";
    Out.Info.Track = 3;
    ASSERT_EQ(Convert("tone.wav", "tagged.flac"), "");
    EXPECT_EQ(Probe(Dir->File("tagged.flac"), "format_tags=title"), "Tone");
    EXPECT_EQ(Probe(Dir->File("tagged.flac"), "format_tags=album"), "Tests");
    EXPECT_EQ(Probe(Dir->File("tagged.flac"), "format_tags=track"), "3");

    Job.ResetJob();
    InitOutputOptions(Out);
    Out.CropTop = 48;
    EXPECT_EQ(Convert("clip.mkv", "crop.mkv"),
              "Vertical crop dimensions are outside the range of the original image.\n"
              "Remember to crop first and scale second.");
    Job.ResetJob();
    InitOutputOptions(Out);
    Out.VideoCodec = "mpeg4";
    Out.CropTop = 8;
    Out.CropLeft = 16;
    ASSERT_EQ(Convert("clip.mkv", "crop.mkv"), "");
    EXPECT_EQ(Probe(Dir->File("crop.mkv"), "stream=width,height"), "48,40");
}

// The recording time is a local time read with the offset of its own
// instant: a summer time is an hour nearer universal time than a winter one.
TEST_F(FFmpegTaskOptionsTest, RecordingTimeTakesTheOffsetOfItsInstant)
{
    const testsupport::TScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    const struct {
        int64_t Utc;
        const char* Tag;
    } Cases[] = {
        {1626350400, "2021-07-15T12:00:00.000000Z"},
        {1610712000, "2021-01-15T12:00:00.000000Z"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Tag);
        Job.ResetJob();
        InitOutputOptions(Out);
        Out.AudioCodec = "pcm_s16le";
        Out.Info.TimeStamp = UnixTimeToLocalDateTime(C.Utc);
        EXPECT_EQ(Convert("tone.wav", "stamped.mov"), "");
        EXPECT_EQ(Probe(Dir->File("stamped.mov"), "format_tags=creation_time"), C.Tag);
    }
}

TEST_F(FFmpegTaskOptionsTest, BadValuesGiveTheirMessages)
{
    const std::pair<const char*, const char*> Cases[] = {
        {"r=abc", "Incorrect frame rate"},
        {"s=big", "Incorrect frame size"},
        {"vtag=abc", "video tag parameter must be 4 chars"},
        {"vpre=nonesuch", "Preset \"nonesuch\" not found"},
        {"acodec=libnonesuch", "new_audio_stream fail: Unknown encoder 'libnonesuch'"},
    };
    for (const auto& [Line, Message] : Cases) {
        SCOPED_TRACE(Line);
        Job.ResetJob();
        InitOutputOptions(Out);
        Out.ExtOptions = Line;
        EXPECT_EQ(Convert("clip.mkv", "bad.mkv"), Message);
    }
}

TEST_F(FFmpegTaskOptionsTest, InputLinesMayNameCodecs)
{
    // Raw input is described by its option lines.
    const std::string Raw = Dir->File("tone.raw");
    ASSERT_TRUE(MakeMedia(Raw, "-f lavfi -i sine=duration=0.5 -ac 1 -ar 8000 -f s16le"));
    Job.ApplyExtOptions("f=s16le\nar=8000\nac=1\nnewaudio=\nacodec=pcm_s16le", true);
    EXPECT_EQ(Job.AudioOutput().Faudio_codec_name, "pcm_s16le");
    ASSERT_TRUE(Job.OpenInputFile(Raw)) << Job.LastErrMsg();
    Out.AudioCodec = "pcm_s16le";
    ASSERT_TRUE(Job.ApplyOutputRecord(Dir->File("raw.wav"), &Out, nullptr)) << Job.LastErrMsg();
    EXPECT_EQ(RunJob(Job), "");
    const TProbedFile Probed = ProbeFile(Dir->File("raw.wav"), "codec_name,sample_rate,channels");
    EXPECT_EQ(Probed.Streams, "pcm_s16le,8000,1");
    EXPECT_NEAR(Probed.Duration, 0.5, 0.02);
}

TEST_F(FFmpegTaskOptionsTest, InputsThatCannotBeOpened)
{
    const std::string Missing = Dir->File("missing.wav");
    EXPECT_FALSE(Job.OpenInputFile(Missing));
    EXPECT_EQ(Job.LastErrMsg(), Missing + ": No such file or directory");
    const std::string Text = Dir->File("text.wav");
    WriteFile(Text, "not a sound file\n");
    EXPECT_FALSE(Job.OpenInputFile(Text));
    EXPECT_EQ(Job.LastErrMsg(), Text + ": Invalid data found when processing input");
    EXPECT_EQ(Job.nb_input_files(), 0);
}
