// The probe's file and stream facts and its report, checked against Debian's
// ffprobe on generated files, and its answers to bad input.

#include "engine/probe/AVProbe.h"
#include "engine/base/LocalTime.h"

#include "ProbeMedia.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/CodePage.h"
#include "platform/core/Exceptions.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

using namespace engine;
using namespace probetest;

namespace {

class ProbeInfo : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Probe.LoadAVLib("")) << Probe.LastErrMsg(); }

    bool Has(const std::string& AText, const std::string& ALine)
    {
        return AText.find("\r\n" + ALine + "\r\n") != std::string::npos;
    }

    int64_t Micros(const std::string& ASeconds) { return std::llround(std::stod(ASeconds) * 1000000); }

    TAVProbe Probe{nullptr};
};

TEST_F(ProbeInfo, NewProbeHasNoFile)
{
    EXPECT_EQ(Probe.FileSize(), -1);
    EXPECT_EQ(Probe.StreamCount(), -1);
    EXPECT_EQ(Probe.ProgramCount(), -1);
    EXPECT_EQ(Probe.FirstAudioStreamIndex(), -1);
    EXPECT_EQ(Probe.FirstVideoStreamIndex(), -1);
    EXPECT_EQ(Probe.FirstSubtitleStreamIndex(), -1);
    EXPECT_EQ(Probe.FileInfoText(), "");
    EXPECT_EQ(Probe.LastErrMsg(), "file not loaded.");
    const TFileStreamInfo info = Probe.FileStreamInfo();
    EXPECT_EQ(info.Duration, -1);
    EXPECT_EQ(info.Year, -1);
    EXPECT_FALSE(Probe.IsVideoStream(0));
}

TEST_F(ProbeInfo, UnknownForcedFormatIsNotLogged)
{
    std::vector<std::string> logged;
    GetFFLogger()->SetOnLog([&](platform::TObject*, uint32_t, TLogLevel, const std::string& AMsg) {
        logged.push_back(AMsg);
    });
    EXPECT_FALSE(Probe.LoadFile(Media(mdVideoMp4), "no_such_format"));
    GetFFLogger()->SetOnLog(nullptr);
    EXPECT_EQ(Probe.LastErrMsg(), "Unknown input format: no_such_format");
    EXPECT_TRUE(logged.empty());
    EXPECT_EQ(Probe.StreamCount(), -1);
}

TEST_F(ProbeInfo, BadInputFailsCleanly)
{
    testsupport::TTempDir dir;
    const std::string video = testsupport::ReadFile(Media(mdVideoMp4));
    testsupport::WriteFile(dir.File("empty.mp4"), "");
    testsupport::WriteFile(dir.File("text.mp4"), "This is only text, not a film.\n");
    testsupport::WriteFile(dir.File("cut.mp4"), video.substr(0, video.size() / 3));
    std::filesystem::create_directory(dir.File("folder.mp4"));
    const struct {
        std::string Name;
        std::string Reason;
    } Cases[] = {
        {dir.File("missing.mp4"), "No such file or directory"},
        {dir.File("folder.mp4"), ""},
        {dir.File("empty.mp4"), "Invalid data found when processing input"},
        {dir.File("text.mp4"), "Invalid data found when processing input"},
        {dir.File("cut.mp4"), "Invalid data found when processing input"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_FALSE(Probe.LoadFile(c.Name));
        EXPECT_EQ(Probe.LastErrMsg().rfind(c.Name + ": " + c.Reason, 0), 0u) << Probe.LastErrMsg();
        EXPECT_EQ(Probe.FileHandle(), nullptr);
        EXPECT_EQ(Probe.StreamCount(), -1);
        EXPECT_EQ(Probe.FileSize(), -1);
        EXPECT_FALSE(Probe.Decode());
        EXPECT_EQ(Probe.LastErrMsg(), "file not loaded.");
    }
}

TEST_F(ProbeInfo, AudioOnlyFileMatchesFFprobe)
{
    const std::string file = Media(mdAudioMp3);
    ASSERT_TRUE(Probe.LoadFile(file)) << Probe.LastErrMsg();
    auto ref = FFprobe(file, "-show_format -show_streams");
    EXPECT_EQ(Probe.StreamCount(), 1);
    EXPECT_EQ(Probe.AudioStreamCount(), 1);
    EXPECT_EQ(Probe.VideoStreamCount(), 0);
    EXPECT_EQ(Probe.FirstAudioStreamIndex(), 0);
    EXPECT_EQ(Probe.FirstVideoStreamIndex(), -1);
    EXPECT_EQ(Probe.FormatName(), ref["format.format_name"]);
    EXPECT_EQ(Probe.FormatLongName(), ref["format.format_long_name"]);
    EXPECT_EQ(Probe.FileSize(), std::stoll(ref["format.size"]));

    const TVideoStreamInfo none = Probe.FirstVideoStreamInfo();
    EXPECT_EQ(Probe.LastErrMsg(), "no video stream.");
    EXPECT_EQ(none.Width, -1);
    EXPECT_EQ(none.AspectRatio, -1.0f);
    EXPECT_EQ(none.FrameRate.num, -1);
    EXPECT_EQ(none.CodecName, "");

    const TAudioStreamInfo a = Probe.FirstAudioStreamInfo();
    EXPECT_EQ(a.SampleRate, std::stoi(ref["streams.stream.0.sample_rate"]));
    EXPECT_EQ(a.Channels, std::stoi(ref["streams.stream.0.channels"]));
    EXPECT_EQ(a.BitRate, std::stoi(ref["streams.stream.0.bit_rate"]));
    // The decoder's name, with the codec's long name.
    EXPECT_EQ(a.CodecName.rfind("mp3", 0), 0u) << a.CodecName;
    EXPECT_TRUE(a.CodecName.ends_with("(" + ref["streams.stream.0.codec_long_name"] + ")")) << a.CodecName;
    EXPECT_EQ(a.SampleFormat, AV_SAMPLE_FMT_FLTP);
    EXPECT_EQ(a.DurationScaled, Micros(ref["streams.stream.0.duration"]));
    EXPECT_EQ(a.StartTimeScaled, Micros(ref["streams.stream.0.start_time"]));

    const TFileStreamInfo f = Probe.FileStreamInfo();
    EXPECT_EQ(f.Title, "中文标题");
    EXPECT_EQ(f.Author, "Someone");
    EXPECT_EQ(f.Album, "Album");
    EXPECT_EQ(f.Genre, "Genre");
    EXPECT_EQ(f.Comment, "Note");
    EXPECT_EQ(f.Year, 2019);
    EXPECT_EQ(f.Track, 3);
    EXPECT_EQ(f.TimeStamp, 0);
    EXPECT_EQ(f.Duration, Micros(ref["format.duration"]));
    EXPECT_EQ(f.BitRate, std::stoi(ref["format.bit_rate"]));

    const std::string text = Probe.FileInfoText();
    EXPECT_EQ(text.rfind("File Name: " + file + "\r\n", 0), 0u) << text;
    EXPECT_TRUE(Has(text, "Format Name: mp3")) << text;
    EXPECT_TRUE(Has(text, "Metadata:")) << text;
    EXPECT_TRUE(Has(text, "  title           : 中文标题")) << text;
    EXPECT_TRUE(Has(text, "  artist          : Someone")) << text;
    EXPECT_TRUE(Has(text, "Bit Rate: " + std::to_string(std::stoi(ref["format.bit_rate"]) / 1000) + " kb/s"));
    EXPECT_EQ(text.find("Time Stamp:"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST_F(ProbeInfo, VideoFileMatchesFFprobe)
{
    const std::string file = Media(mdVideoMp4);
    ASSERT_TRUE(Probe.LoadFile(file)) << Probe.LastErrMsg();
    auto ref = FFprobe(file, "-show_format -show_streams");
    EXPECT_EQ(Probe.StreamCount(), 2);
    EXPECT_EQ(Probe.FirstVideoStreamIndex(), 0);
    EXPECT_EQ(Probe.FirstAudioStreamIndex(), 1);
    EXPECT_TRUE(Probe.IsVideoStream(0));
    EXPECT_TRUE(Probe.IsAudioStream(1));
    EXPECT_FALSE(Probe.IsSubtitleStream(1));

    const TVideoStreamInfo v = Probe.FirstVideoStreamInfo();
    EXPECT_EQ(v.Width, std::stoi(ref["streams.stream.0.width"]));
    EXPECT_EQ(v.Height, std::stoi(ref["streams.stream.0.height"]));
    EXPECT_FLOAT_EQ(v.AspectRatio, 160.0f / 120.0f);
    EXPECT_EQ(v.PixFmt, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(v.FrameRate.num, 25);
    EXPECT_EQ(v.FrameRate.den, 1);
    EXPECT_EQ(v.BitRate, std::stoi(ref["streams.stream.0.bit_rate"]));
    EXPECT_EQ(v.Language, ref["streams.stream.0.tags.language"]);
    EXPECT_EQ(v.CodecName, "h264(" + ref["streams.stream.0.codec_long_name"] + ")");
    EXPECT_EQ(v.StartTime, std::stoll(ref["streams.stream.0.start_pts"]));
    EXPECT_EQ(v.Duration, std::stoll(ref["streams.stream.0.duration_ts"]));
    EXPECT_EQ(v.DurationScaled, Micros(ref["streams.stream.0.duration"]));

    const TFileStreamInfo f = Probe.FileStreamInfo();
    EXPECT_EQ(f.Title, "中文标题");
    EXPECT_EQ(f.Author, "Someone");
    EXPECT_EQ(f.TimeStamp, 1577934245); // 2020-01-02T03:04:05Z
    EXPECT_EQ(f.StartTime, 0);

    const std::string text = Probe.FileInfoText();
    EXPECT_TRUE(Has(text, "Duration: 00:00:03.000")) << text;
    EXPECT_TRUE(Has(text, "StartTime: 0.000000")) << text;
    EXPECT_TRUE(Has(text, "Time Stamp: " + DateTimeText("yyyy-mm-dd hh:nn:ss", UnixTimeToLocalDateTime(1577934245))))
        << text;
    EXPECT_TRUE(Has(text, "  title           : 中文标题")) << text;
    const std::string videoLine = "Stream #0[0x1](und), 1/12800: Video: h264 (High) (avc1 / 0x31637661), yuv420p";
    EXPECT_NE(text.find("\r\n" + videoLine), std::string::npos) << text;
    EXPECT_NE(text.find(", 25 fps, 25 tbr, 12800 tbn, StartTime: 0.000000, Duration: 00:00:03.000\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\nStream #1[0x2](und), 1/44100: Audio: aac (LC)"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n  Metadata:\r\n    creation_time   : 2020-01-02T03:04:05.000000Z\r\n"
                        "    handler_name    : VideoHandler\r\n"),
              std::string::npos)
        << text;
}

TEST_F(ProbeInfo, SubtitleStreamRecord)
{
    ASSERT_TRUE(Probe.LoadFile(Media(mdSubsMkv))) << Probe.LastErrMsg();
    EXPECT_EQ(Probe.SubtitleStreamCount(), 1);
    EXPECT_EQ(Probe.FirstSubtitleStreamIndex(), 2);
    EXPECT_TRUE(Probe.IsSubtitleStream(2));
    const TSubtitleStreamInfo s = Probe.FirstSubtitleStreamInfo();
    EXPECT_EQ(s.Language, "eng");
    EXPECT_TRUE(s.CodecName.ends_with("(SubRip subtitle)")) << s.CodecName;
    Probe.GetAudioStreamInfo(2);
    EXPECT_EQ(Probe.LastErrMsg(), "stream #2 is not audio stream.");
    Probe.GetSubtitleStreamInfo(0);
    EXPECT_EQ(Probe.LastErrMsg(), "stream #0 is not subtitle stream.");
    Probe.GetVideoStreamInfo(3);
    EXPECT_EQ(Probe.LastErrMsg(), "stream index #3 is invalid.");
    const std::string text = Probe.FileInfoText();
    EXPECT_NE(text.find("\r\nStream #2(eng), 1/1000: Subtitle: subrip"), std::string::npos) << text;
}

TEST_F(ProbeInfo, TransportStreamShowsProgramAndIds)
{
    ASSERT_TRUE(Probe.LoadFile(Media(mdVideoTs))) << Probe.LastErrMsg();
    EXPECT_EQ(Probe.ProgramCount(), 1);
    const std::string text = Probe.FileInfoText();
    EXPECT_NE(text.find("\r\nProgram 1 FFmpeg@Service01\r\n  Metadata:\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nStream #0[0x100], 1/90000: Video: h264"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nStream #1[0x101], 1/90000: Audio: mp2"), std::string::npos) << text;
    // A 90 kHz time base is shown in thousands.
    EXPECT_NE(text.find(", 25 fps, 25 tbr, 90k tbn"), std::string::npos) << text;
}

TEST_F(ProbeInfo, StreamTestsRefuseBadIndexes)
{
    ASSERT_TRUE(Probe.LoadFile(Media(mdVideoMp4)));
    EXPECT_FALSE(Probe.IsAudioStream(-1));
    EXPECT_EQ(Probe.LastErrMsg(), "stream index #-1 is invalid.");
    EXPECT_FALSE(Probe.IsAudioStream(Probe.StreamCount()));
    EXPECT_EQ(Probe.LastErrMsg(), "stream index #2 is invalid.");
    EXPECT_EQ(Probe.FirstSubtitleStreamInfo().CodecName, "");
    EXPECT_EQ(Probe.LastErrMsg(), "no subtitle stream.");
}

TEST_F(ProbeInfo, ChineseFileName)
{
    testsupport::TTempDir dir;
    const std::string name = dir.File("中文视频.mp4");
    std::filesystem::copy_file(Media(mdVideoMp4), name);
    ASSERT_TRUE(Probe.LoadFile(name)) << Probe.LastErrMsg();
    EXPECT_EQ(Probe.FileName(), name);
    EXPECT_EQ(Probe.VideoStreamCount(), 1);
    // With a system code page that cannot hold the name, it reaches FFmpeg as
    // a "unicode:" URL and still reads back as the user's name.
    const std::string old = platform::GetSystemCodePage();
    ASSERT_TRUE(platform::SetSystemCodePage("ISO-8859-1"));
    const bool loaded = Probe.LoadFile(name);
    const std::string url = loaded ? Probe.FileHandle()->url : "";
    const std::string shown = Probe.FileName();
    const int64_t size = Probe.FileSize();
    platform::SetSystemCodePage(old);
    ASSERT_TRUE(loaded) << Probe.LastErrMsg();
    EXPECT_EQ(url, "unicode:utf8:" + name);
    EXPECT_EQ(shown, name);
    EXPECT_EQ(size, int64_t(std::filesystem::file_size(name)));
    EXPECT_TRUE(Probe.Decode());
}

TEST_F(ProbeInfo, BrokenStreamValuesStayFinite)
{
    ASSERT_TRUE(Probe.LoadFile(Media(mdVideoMp4)));
    AVStream* st = Probe.FileHandle()->streams[0];
    st->codecpar->sample_aspect_ratio = AVRational{1, 0};
    EXPECT_EQ(Probe.FirstVideoStreamInfo().AspectRatio, 0.0f);
    st->codecpar->sample_aspect_ratio = AVRational{1, 1};
    st->codecpar->height = 0;
    EXPECT_EQ(Probe.FirstVideoStreamInfo().AspectRatio, 0.0f);
    st->codecpar->sample_aspect_ratio = AVRational{0, 1};
    st->codecpar->height = 120;
    EXPECT_EQ(Probe.FirstVideoStreamInfo().AspectRatio, 0.0f);
    // A time base without denominator is mended in the stream itself.
    st->time_base = AVRational{25, 0};
    const TVideoStreamInfo v = Probe.FirstVideoStreamInfo();
    EXPECT_EQ(st->time_base.den, 25);
    EXPECT_EQ(v.DurationScaled, v.Duration * 1000000);
    st->time_base = AVRational{0, 0};
    Probe.FirstVideoStreamInfo();
    EXPECT_EQ(st->time_base.den, 1);
}

TEST_F(ProbeInfo, BorrowedContextIsNeverClosedByTheBorrower)
{
    ASSERT_TRUE(Probe.LoadFile(Media(mdVideoMp4)));
    AVFormatContext* ctx = Probe.FileHandle();
    {
        TAVProbe borrower(nullptr);
        borrower.SetFileHandle(ctx);
        EXPECT_EQ(borrower.StreamCount(), 2);
        EXPECT_EQ(borrower.FirstVideoStreamInfo().Width, 160);
        EXPECT_THROW(borrower.Decode(), platform::Exception);
        EXPECT_EQ(borrower.LastErrMsg(), "file cannot be seeked, handle is readonly.");
        EXPECT_THROW(borrower.Seek(0, TSeekFlags()), platform::Exception);
        borrower.SetFileHandle(nullptr);
        EXPECT_EQ(borrower.StreamCount(), -1);
        borrower.SetFileHandle(ctx);
        borrower.CloseFile();
        borrower.SetFileHandle(ctx);
    }
    // Still open and readable after the borrower went away.
    EXPECT_EQ(Probe.FirstVideoStreamInfo().Width, 160);
    EXPECT_TRUE(Probe.Decode());
}

TEST_F(ProbeInfo, BorrowerLetsGoWhenTheOwnerCloses)
{
    ASSERT_TRUE(Probe.LoadFile(Media(mdVideoMp4)));
    TAVProbe borrower(nullptr);
    borrower.SetFileHandle(Probe.FileHandle());
    Probe.CloseFile();
    EXPECT_EQ(borrower.FileHandle(), nullptr);
    EXPECT_EQ(borrower.StreamCount(), -1);
    EXPECT_EQ(borrower.FirstVideoStreamInfo().Width, -1);
    EXPECT_EQ(borrower.LastErrMsg(), "file not loaded.");
    EXPECT_EQ(borrower.FileInfoText(), "");
}

TEST_F(ProbeInfo, MissingLibrariesRaise)
{
    Probe.UnloadAVLib();
    if (Probe.AVLibLoaded())
        GTEST_SKIP() << "another user keeps the libraries loaded";
    try {
        Probe.LoadFile(Media(mdVideoMp4));
        FAIL() << "no exception";
    } catch (const platform::Exception& e) {
        EXPECT_STREQ(e.what(), "LibAVCodec not loaded.");
    }
    EXPECT_TRUE(Probe.LoadAVLib(""));
}

} // namespace
