// The probe's frame access: decoding forwards and backwards, seeking, key
// frames and copying into a bitmap, checked against the frame times that
// Debian's ffprobe reports for the same files.

#include "engine/probe/AVProbe.h"

#include "ProbeMedia.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/Exceptions.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace engine;
using namespace probetest;

namespace {

struct TRefFrame {
    int64_t PTS; // microseconds from the stream's start
    bool Key;
};

// The video frames of a file in display order, as ffprobe decodes them.
std::vector<TRefFrame> ReferenceFrames(const std::string& AFileName)
{
    auto ref = FFprobe(AFileName, "-select_streams v:0 -show_frames -show_streams "
                                  "-show_entries frame=best_effort_timestamp_time,key_frame:stream=start_time");
    const double start = std::stod(ref["streams.stream.0.start_time"]);
    std::vector<TRefFrame> frames;
    for (int i = 0;; ++i) {
        const std::string key = "frames.frame." + std::to_string(i) + ".";
        if (!ref.count(key + "key_frame"))
            break;
        frames.push_back({std::llround((std::stod(ref[key + "best_effort_timestamp_time"]) - start) * 1000000),
                          ref[key + "key_frame"] == "1"});
    }
    return frames;
}

class ProbeFrames : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Probe.LoadAVLib("")) << Probe.LastErrMsg(); }

    void Load(TMedia AMedia)
    {
        FileName = Media(AMedia);
        ASSERT_TRUE(Probe.LoadFile(FileName)) << Probe.LastErrMsg();
        Reference = ReferenceFrames(FileName);
        ASSERT_FALSE(Reference.empty());
    }

    // The last key frame at or before a time, and the first at or after it.
    int64_t KeyAtOrBefore(int64_t AMicros)
    {
        int64_t t = -1;
        for (const auto& f : Reference)
            if (f.Key && f.PTS <= AMicros)
                t = f.PTS;
        return t;
    }
    int64_t KeyAtOrAfter(int64_t AMicros)
    {
        for (const auto& f : Reference)
            if (f.Key && f.PTS >= AMicros)
                return f.PTS;
        return -1;
    }

    TAVProbe Probe{nullptr};
    std::string FileName;
    std::vector<TRefFrame> Reference;
};

TEST_F(ProbeFrames, DecodesEveryFrameInOrderThenStops)
{
    Load(mdVideoMp4);
    EXPECT_GT(Probe.Position(), 0);
    std::vector<TRefFrame> got;
    while (Probe.Decode()) {
        const TFrameInfo& f = Probe.FrameInfo();
        ASSERT_TRUE(f.Ready);
        EXPECT_EQ(f.Width, 160);
        EXPECT_EQ(f.Height, 120);
        EXPECT_EQ(f.PixFmt, AV_PIX_FMT_YUV420P);
        EXPECT_EQ(f.StreamIndex, 0);
        got.push_back({f.PTS, f.IsKeyFrame});
        ASSERT_LE(got.size(), Reference.size() + 1);
    }
    ASSERT_EQ(got.size(), Reference.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].PTS, Reference[i].PTS) << "frame " << i;
        EXPECT_EQ(got[i].Key, Reference[i].Key) << "frame " << i;
    }
    EXPECT_TRUE(Probe.Eof());
    EXPECT_EQ(Probe.LastErrMsg(), "stream eof reached.");
    EXPECT_FALSE(Probe.Decode());
    EXPECT_EQ(Probe.LastErrMsg(), "stream eof reached.");
    // A seek clears the end again.
    EXPECT_TRUE(Probe.Seek(0, TSeekFlags()));
    EXPECT_FALSE(Probe.Eof());
    ASSERT_TRUE(Probe.Decode());
    EXPECT_EQ(Probe.FrameInfo().PTS, 0);
    EXPECT_EQ(Probe.FrameInfo().PictureType, ptI);
}

TEST_F(ProbeFrames, SeeksToKeyFramesForwardAndBackward)
{
    Load(mdVideoMp4);
    const struct {
        int64_t Target;
        bool Backward;
    } Cases[] = {{1500000, false}, {1500000, true}, {2000000, true}, {600000, false}, {2900000, true}, {1, true}};
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.Target << (c.Backward ? " backward" : " forward"));
        ASSERT_TRUE(Probe.Seek(c.Target, c.Backward ? TSeekFlags{sfBackward} : TSeekFlags())) << Probe.LastErrMsg();
        EXPECT_FALSE(Probe.FrameInfo().Ready);
        ASSERT_TRUE(Probe.Decode()) << Probe.LastErrMsg();
        EXPECT_EQ(Probe.FrameInfo().PTS, c.Backward ? KeyAtOrBefore(c.Target) : KeyAtOrAfter(c.Target));
        EXPECT_TRUE(Probe.FrameInfo().IsKeyFrame);
    }
}

TEST_F(ProbeFrames, DecodesThePictureAtATime)
{
    Load(mdVideoMp4);
    // Seek to the key frame before 1.32 s, then decode up to 1.32 s.
    const int64_t target = 1320000;
    ASSERT_TRUE(Probe.Seek(target, TSeekFlags{sfBackward}));
    while (Probe.Decode() && Probe.FrameInfo().PTS < target) {
    }
    EXPECT_EQ(Probe.FrameInfo().PTS, target);
    EXPECT_FALSE(Probe.FrameInfo().IsKeyFrame);
    // One frame back, then the previous key frame, then the next key frame.
    ASSERT_TRUE(Probe.DecodePreviousFrame()) << Probe.LastErrMsg();
    EXPECT_EQ(Probe.FrameInfo().PTS, target - 40000);
    ASSERT_TRUE(Probe.DecodePreviousKeyFrame()) << Probe.LastErrMsg();
    EXPECT_EQ(Probe.FrameInfo().PTS, KeyAtOrBefore(target));
    ASSERT_TRUE(Probe.DecodePreviousKeyFrame()) << Probe.LastErrMsg();
    EXPECT_EQ(Probe.FrameInfo().PTS, KeyAtOrBefore(KeyAtOrBefore(target) - 1));
    ASSERT_TRUE(Probe.DecodeNextKeyFrame()) << Probe.LastErrMsg();
    EXPECT_EQ(Probe.FrameInfo().PTS, KeyAtOrAfter(KeyAtOrBefore(KeyAtOrBefore(target) - 1) + 1));
}

TEST_F(ProbeFrames, NextKeyFrameStepsByTheFrameRate)
{
    Load(mdFastMp4);
    AVStream* st = Probe.FileHandle()->streams[0];
    const struct {
        AVRational Rate;
        int64_t Expected; // from the picture at 0.96 s
    } Cases[] = {{{25, 1}, 1000000}, {{1, 1}, 2000000}, {{0, 0}, 1000000}, {{25, 0}, 1000000}};
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.Rate.num << "/" << c.Rate.den);
        st->r_frame_rate = AVRational{25, 1};
        ASSERT_TRUE(Probe.Seek(960000, TSeekFlags{sfBackward}));
        while (Probe.Decode() && Probe.FrameInfo().PTS < 960000) {
        }
        ASSERT_EQ(Probe.FrameInfo().PTS, 960000);
        // A rate with a zero part steps by 40 ms.
        st->r_frame_rate = c.Rate;
        ASSERT_TRUE(Probe.DecodeNextKeyFrame()) << Probe.LastErrMsg();
        EXPECT_EQ(Probe.FrameInfo().PTS, c.Expected);
    }
}

TEST_F(ProbeFrames, DecodeLogsEachPictureAtDebugLevel)
{
    std::vector<std::string> lines;
    GetFFLogger()->SetLogLevel(llDebug);
    GetFFLogger()->SetOnLog([&](platform::TObject* ASender, uint32_t, TLogLevel ALevel, const std::string& AMsg) {
        if (ASender == &Probe && ALevel == llDebug)
            lines.push_back(AMsg);
    });
    Load(mdFastMp4);
    const bool decoded = Probe.Decode();
    GetFFLogger()->SetOnLog(nullptr);
    GetFFLogger()->SetLogLevel(llInfo);
    ASSERT_TRUE(decoded);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("pkt.st_idx=0, dts=", 0), 0u) << lines.back();
    // That line is no failure: LastErrMsg keeps what it held.
    EXPECT_EQ(Probe.LastErrMsg(), "");
}

TEST_F(ProbeFrames, PreviousKeyFrameBeforeAnyDecodeStartsFromTheEnd)
{
    Load(mdFastMp4);
    ASSERT_TRUE(Probe.DecodePreviousKeyFrame()) << Probe.LastErrMsg();
    EXPECT_EQ(Probe.FrameInfo().PTS, KeyAtOrBefore(Reference.back().PTS));
    EXPECT_TRUE(Probe.FrameInfo().IsKeyFrame);
}

TEST_F(ProbeFrames, StepsBackFrameByFrame)
{
    Load(mdFastMp4);
    ASSERT_TRUE(Probe.Seek(1120000, TSeekFlags{sfBackward}));
    while (Probe.Decode() && Probe.FrameInfo().PTS < 1120000) {
    }
    // Across the key frame at 1 s into the group of pictures before it.
    for (int64_t expected = 1080000; expected >= 880000; expected -= 40000) {
        ASSERT_TRUE(Probe.DecodePreviousFrame()) << Probe.LastErrMsg();
        EXPECT_EQ(Probe.FrameInfo().PTS, expected);
    }
}

TEST_F(ProbeFrames, PreviousKeyFrameEndsAtTheStart)
{
    // A stream cut in the middle of a group of pictures: its first picture
    // decodes only after its start, so no key frame lies before it.
    testsupport::TTempDir dir;
    const std::string ts = testsupport::ReadFile(Media(mdVideoTs));
    const size_t packets = ts.size() / 188;
    const std::string cut = dir.File("cut.ts");
    testsupport::WriteFile(cut, ts.substr(packets * 3 / 10 * 188));
    ASSERT_TRUE(Probe.LoadFile(cut)) << Probe.LastErrMsg();
    ASSERT_TRUE(Probe.Decode());
    const int64_t first = Probe.FrameInfo().PTS;
    ASSERT_GT(first, 0);
    EXPECT_FALSE(Probe.DecodePreviousKeyFrame());
    EXPECT_EQ(Probe.LastErrMsg().rfind("Could not seek to the previous key-frame. ", 0), 0u) << Probe.LastErrMsg();
    EXPECT_FALSE(Probe.DecodePreviousFrame());
}

TEST_F(ProbeFrames, SeeksBackAfterTheEnd)
{
    Load(mdFastMp4);
    while (Probe.Decode()) {
    }
    ASSERT_TRUE(Probe.Eof());
    for (int64_t target : {int64_t(0), int64_t(1000000)}) {
        ASSERT_TRUE(Probe.Seek(target, TSeekFlags{sfBackward})) << Probe.LastErrMsg();
        ASSERT_TRUE(Probe.Decode()) << Probe.LastErrMsg();
        EXPECT_EQ(Probe.FrameInfo().PTS, target);
    }
}

TEST_F(ProbeFrames, TruncatedFileEndsEarly)
{
    testsupport::TTempDir dir;
    const std::string whole = testsupport::ReadFile(Media(mdFastMp4));
    const std::string cut = dir.File("cut.mp4");
    testsupport::WriteFile(cut, whole.substr(0, whole.size() / 2));
    ASSERT_TRUE(Probe.LoadFile(cut)) << Probe.LastErrMsg();
    int frames = 0;
    while (Probe.Decode())
        ++frames;
    EXPECT_GT(frames, 0);
    EXPECT_LT(frames, 75);
    EXPECT_TRUE(Probe.Eof());
    EXPECT_EQ(Probe.LastErrMsg(), "stream eof reached.");
    // The index still names the key frame at 2 s, in the missing part:
    // nothing decodes there, and the probe says so.
    EXPECT_TRUE(Probe.Seek(2500000, TSeekFlags{sfBackward}));
    EXPECT_FALSE(Probe.Decode());
    EXPECT_EQ(Probe.LastErrMsg(), "stream eof reached.");
    EXPECT_TRUE(Probe.Seek(0, TSeekFlags()));
    EXPECT_TRUE(Probe.Decode());
}

TEST_F(ProbeFrames, RefusesStreamsThatAreNoVideo)
{
    ASSERT_TRUE(Probe.LoadFile(Media(mdAudioMp3)));
    EXPECT_FALSE(Probe.Decode());
    EXPECT_EQ(Probe.LastErrMsg(), "no video stream.");
    ASSERT_TRUE(Probe.LoadFile(Media(mdVideoMp4)));
    EXPECT_FALSE(Probe.Decode(1));
    EXPECT_EQ(Probe.LastErrMsg(), "stream #1 is not video stream.");
    EXPECT_FALSE(Probe.Decode(7));
    EXPECT_EQ(Probe.LastErrMsg(), "stream index #7 is invalid.");
    EXPECT_FALSE(Probe.DecodePreviousKeyFrame(1));
    EXPECT_EQ(Probe.LastErrMsg(), "stream #1 is not video stream.");
}

TEST_F(ProbeFrames, StillPictureCannotSeek)
{
    ASSERT_TRUE(Probe.LoadFile(Media(mdStillPng), "image2")) << Probe.LastErrMsg();
    EXPECT_EQ(Probe.ForceFormat(), "image2");
    EXPECT_FALSE(Probe.Seek(0, TSeekFlags()));
    EXPECT_EQ(Probe.LastErrMsg(), "\"image2\" format cannot to be seeked.");
    ASSERT_TRUE(Probe.Decode()) << Probe.LastErrMsg();
    EXPECT_EQ(Probe.FrameInfo().Width, 32);
    // The picture held stands; nothing more is read.
    EXPECT_TRUE(Probe.Decode());
    EXPECT_TRUE(Probe.FrameInfo().Ready);
    Probe.CloseFile();
    EXPECT_EQ(Probe.ForceFormat(), "");
}

TEST_F(ProbeFrames, CopiesThePictureIntoABitmap)
{
    ASSERT_TRUE(Probe.LoadFile(Media(mdRedMp4)));
    TFrameBitmap bitmap(3, 2, pf24bit);
    EXPECT_FALSE(Probe.CopyToBitmap(&bitmap));
    EXPECT_EQ(Probe.LastErrMsg(), "picture not ready, please decode first");
    EXPECT_EQ(bitmap.Width(), 3);
    ASSERT_TRUE(Probe.Decode());
    ASSERT_TRUE(Probe.CopyToBitmap(&bitmap));
    ASSERT_EQ(bitmap.Width(), 64);
    ASSERT_EQ(bitmap.Height(), 48);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{63, 47}, std::pair{30, 20}}) {
        const uint8_t* p = bitmap.ScanLine(y) + x * 3;
        const struct {
            int B, G, R;
        } c{p[0], p[1], p[2]};
        EXPECT_GT(c.R, 230) << x << "," << y;
        EXPECT_LT(c.G, 25) << x << "," << y;
        EXPECT_LT(c.B, 25) << x << "," << y;
    }
}

} // namespace
