#include "engine/loader/UnicodeProtocol.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/FFmpegLoader.h"
#include "platform/core/CodePage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

using namespace engine;

namespace {

// A code page without Chinese characters, so that Chinese names need the
// unicode URLs; UTF-8 again afterwards.
class UnicodeProtocolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(platform::SetSystemCodePage("ISO-8859-1"));
        ASSERT_TRUE(GlobalLoader().Load(ProbeLibraries)) << GlobalLoader().LastErrMsg();
    }
    void TearDown() override
    {
        GlobalLoader().Unload(ProbeLibraries);
        platform::SetSystemCodePage("UTF-8");
    }
};

} // namespace

TEST_F(UnicodeProtocolTest, WhichNamesNeedTheUnicodeURL)
{
    const struct {
        const char* Name;
        bool Needs;
    } cases[] = {
        {"/tmp/a.mp3", false},
        {"/tmp/中文.mp3", true},
        {"c:/中文.mp3", true},        // a drive letter is no protocol
        {"http://host/中文", false},
        {"tcp:中", false},
        {"udp:中", false},
        {"rtp:中", false},
        {"pipe:中", false},
        {"gopher:中", false},
        {"stream:中", false},
        {"unicode:中", false},
        {"HTTP://host/中文", true},   // protocols are known in lower case only
        {"/tmp/é.mp3", false},        // the code page holds it
    };
    for (const auto& c : cases)
        EXPECT_EQ(NeedsUnicodeProtocol(c.Name), c.Needs) << c.Name;
}

TEST_F(UnicodeProtocolTest, NamesToURLsAndBack)
{
    EXPECT_EQ(FileNameToURL("/tmp/a.mp3"), "/tmp/a.mp3");
    EXPECT_EQ(FileNameToURL("/tmp/中文.mp3"), "unicode:utf8:/tmp/中文.mp3");
    EXPECT_EQ(FileNameToURL("/tmp/é"), "/tmp/\xE9"); // in the code page
    EXPECT_EQ(FileNameToURL("http://h/中"), "http://h/?");
    EXPECT_EQ(URLToFileName("unicode:utf8:/tmp/中文.mp3"), "/tmp/中文.mp3");
    EXPECT_EQ(URLToFileName("/tmp/\xE9"), "/tmp/é");
    EXPECT_EQ(URLToFileName("unicode:utf8:/tmp/\xFF"), ""); // not UTF-8
    const std::string longName = "/tmp/" + std::string(5000, 'x') + "中";
    EXPECT_EQ(URLToFileName(FileNameToURL(longName)), longName);
}

TEST_F(UnicodeProtocolTest, IsUnicodeURL)
{
    EXPECT_FALSE(IsUnicodeURL("unicode:utf8:"));
    EXPECT_TRUE(IsUnicodeURL("unicode:utf8:/"));
    EXPECT_FALSE(IsUnicodeURL("unicode:utf16:/a"));
    EXPECT_FALSE(IsUnicodeURL("/tmp/x"));
}

TEST_F(UnicodeProtocolTest, ChineseNamedMediaIsReadThroughTheUnicodeURL)
{
    testsupport::TTempDir dir;
    const std::string file = dir.File("测试音频.wav");
    ASSERT_TRUE(testsupport::MakeMedia(file, "-f lavfi -i sine=frequency=440:duration=1 -c:a pcm_s16le"));
    const std::string url = FileNameToURL(file);
    ASSERT_TRUE(IsUnicodeURL(url));
    AVFormatContext* ctx = nullptr;
    ASSERT_EQ(OpenInputURL(&ctx, url, nullptr, nullptr), 0);
    ASSERT_GE(ff::avformat_find_stream_info(ctx, nullptr), 0);
    ASSERT_EQ(ctx->nb_streams, 1u);
    EXPECT_EQ(ctx->streams[0]->codecpar->codec_type, AVMEDIA_TYPE_AUDIO);
    EXPECT_NEAR(double(ctx->duration) / AV_TIME_BASE, 1.0, 0.05);
    AVPacket* pkt = ff::av_packet_alloc();
    int64_t bytes = 0;
    int r;
    while ((r = ff::av_read_frame(ctx, pkt)) >= 0) {
        bytes += pkt->size;
        ff::av_packet_unref(pkt);
    }
    EXPECT_EQ(r, AVERROR_EOF);
    EXPECT_EQ(bytes, 44100 * 2); // one second of 16-bit mono
    ff::av_packet_free(&pkt);
    CloseInputURL(&ctx);
    EXPECT_EQ(ctx, nullptr);
}

TEST_F(UnicodeProtocolTest, FailuresToOpen)
{
    testsupport::TTempDir dir;
    AVFormatContext* ctx = nullptr;
    EXPECT_EQ(OpenInputURL(&ctx, FileNameToURL(dir.File("缺少.wav")), nullptr, nullptr), AVERROR(ENOENT));
    EXPECT_EQ(ctx, nullptr);
    EXPECT_EQ(OpenInputURL(&ctx, "unicode:utf8:\xFF\xFE", nullptr, nullptr), AVERROR(ENOENT));
    // A file that is no media: FFmpeg's refusal, and nothing left open.
    testsupport::WriteFile(dir.File("坏.wav"), "not media at all");
    EXPECT_LT(OpenInputURL(&ctx, FileNameToURL(dir.File("坏.wav")), nullptr, nullptr), 0);
    EXPECT_EQ(ctx, nullptr);
}

TEST_F(UnicodeProtocolTest, WritingReplacesTheFile)
{
    testsupport::TTempDir dir;
    const std::string file = dir.File("输出.bin");
    testsupport::WriteFile(file, "old content that is longer");
    AVIOContext* pb = nullptr;
    ASSERT_EQ(OpenURL(&pb, FileNameToURL(file), AVIO_FLAG_WRITE), 0);
    ff::avio_write(pb, reinterpret_cast<const unsigned char*>("hello"), 5);
    CloseURL(&pb);
    EXPECT_EQ(pb, nullptr);
    EXPECT_EQ(testsupport::ReadFile(file), "hello");
    // Plain names go through FFmpeg's own file protocol.
    ASSERT_EQ(OpenURL(&pb, FileNameToURL(dir.File("plain.bin")), AVIO_FLAG_WRITE), 0);
    ff::avio_write(pb, reinterpret_cast<const unsigned char*>("x"), 1);
    CloseURL(&pb);
    EXPECT_EQ(testsupport::ReadFile(dir.File("plain.bin")), "x");
}

TEST_F(UnicodeProtocolTest, SizeOfAFileBeyondFourGiB)
{
    testsupport::TTempDir dir;
    const std::string file = dir.File("大.bin");
    const int fd = ::open(file.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    const int64_t size = (int64_t(5) << 30) + 7;
    ASSERT_EQ(::ftruncate(fd, off_t(size)), 0); // sparse: no disk used
    ::close(fd);
    AVIOContext* pb = nullptr;
    ASSERT_EQ(OpenURL(&pb, FileNameToURL(file), AVIO_FLAG_READ), 0);
    EXPECT_EQ(ff::avio_size(pb), size);
    EXPECT_EQ(ff::avio_seek(pb, size - 1, SEEK_SET), size - 1);
    CloseURL(&pb);
}

// A named pipe whose writer comes after the reader opened it: the reader
// gets what is written, not an empty input.
TEST_F(UnicodeProtocolTest, APipeIsReadOnceItsWriterComes)
{
    testsupport::TTempDir dir;
    const std::string fifo = dir.File("管道");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    AVIOContext* pb = nullptr;
    std::thread writer([&] {
        // Late on purpose, so the reader is there first in most runs.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        // Not waiting for a reader: one that has given up already is none.
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            (void)!::write(fd, "hello", 5);
            ::close(fd);
        }
    });
    const int opened = OpenFileIO(&pb, fifo, AVIO_FLAG_READ);
    unsigned char buffer[16] = {};
    const int got = opened == 0 ? ff::avio_read(pb, buffer, sizeof buffer) : opened;
    if (pb)
        CloseURL(&pb);
    writer.join();
    ASSERT_EQ(opened, 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), size_t(std::max(got, 0))), "hello");
}
