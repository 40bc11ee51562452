#include "engine/loader/FFUtils.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/base/FFBaseComponent.h"
#include "engine/loader/FFmpegLoader.h"
#include "engine/logger/FFmpegLogger.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace engine;

namespace {

class FFUtilsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(GlobalLoader().Load(ConverterLibraries)) << GlobalLoader().LastErrMsg(); }
    void TearDown() override { GlobalLoader().Unload(ConverterLibraries); }
};

std::string DictValue(const AVDictionary* D, const char* AKey)
{
    const AVDictionaryEntry* e = ff::av_dict_get(D, AKey, nullptr, 0);
    return e ? e->value : "<none>";
}

} // namespace

TEST(FFUtils, TimeToText)
{
    const struct {
        int64_t Micros;
        const char* Text;
    } cases[] = {
        {0, "00:00:00.000"},
        {3723456789, "01:02:03.456"},
        {int64_t(100) * 3600 * 1000000, "100:00:00.000"},
        {AV_NOPTS_VALUE, "N/A"},
        {999, "00:00:00.000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeToText(c.Micros), c.Text) << c.Micros;
}

TEST(FFUtils, FrameDuration)
{
    const struct {
        AVRational Rate;
        int64_t Micros;
    } cases[] = {{{25, 1}, 40000}, {{30000, 1001}, 33366}, {{0, 0}, 40000}, {{25, 0}, 40000}, {{0, 1}, 40000}};
    for (const auto& c : cases)
        EXPECT_EQ(FrameDuration(&c.Rate), c.Micros) << c.Rate.num << "/" << c.Rate.den;
}

TEST(FFUtils, AVErrorTextByFFmpegSymbol)
{
    const struct {
        int Code;
        const char* Text;
    } cases[] = {
        {AVERROR_PATCHWELCOME, "f: Not yet implemented in FFmpeg"},
        {AVERROR_PROTOCOL_NOT_FOUND, "f: Unsupported network protocol"},
        {AVERROR_DEMUXER_NOT_FOUND, "f: Unknown format"},
        {AVERROR_MUXER_NOT_FOUND, "f: Unknown format"},
        {AVERROR_NUMEXPECTED, "f: Number syntax expected in filename"},
        {AVERROR_EOF, "f: End of file"},
        {AVERROR_INVALIDDATA, "f: Invalid data found when processing input"},
        {AVERROR(ENOMEM), "f: Not enough memory"},
        {AVERROR(EIO), "f: I/O error"},
        {AVERROR(ENOENT), "f: No such file or directory"},
        {AVERROR(EINVAL), "f: Invalid argument"},
        {AVERROR(ENOSPC), "f: No space left on device"},
        {AVERROR(EISDIR), "f: Is a directory"},
        {-1234, "f: Error number -1234 occurred"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AVErrorText("f", c.Code), c.Text) << c.Code;
}

TEST(FFUtils, MediaTypeName)
{
    const char* names[] = {"Video", "Audio", "Data", "Subtitle", "Attachment", "Unknown"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(MediaTypeName(i), names[i]);
    EXPECT_EQ(MediaTypeName(-1), "Unknown");
    EXPECT_EQ(MediaTypeName(AVMEDIA_TYPE_SUBTITLE), "Subtitle");
}

TEST(FFUtils, SeekFlagsAreFFmpegs)
{
    EXPECT_EQ(ConvertSeekFlags({}), 0);
    EXPECT_EQ(ConvertSeekFlags({sfBackward}), AVSEEK_FLAG_BACKWARD);
    EXPECT_EQ(ConvertSeekFlags({sfByte, sfAny, sfFrame}), AVSEEK_FLAG_BYTE | AVSEEK_FLAG_ANY | AVSEEK_FLAG_FRAME);
}

TEST_F(FFUtilsTest, CodecDisplayName)
{
    EXPECT_EQ(CodecDisplayName(AV_CODEC_ID_PCM_S16LE, 0, true), "pcm_s16le(PCM signed 16-bit little-endian)");
    EXPECT_EQ(CodecDisplayName(AV_CODEC_ID_NONE, MKTAG('a', 'b', 'c', 'd'), false), "abcd / 0x64636261");
    EXPECT_EQ(CodecDisplayName(AV_CODEC_ID_NONE, 0x1F, false), "0x001f");
    EXPECT_EQ(CodecDisplayName(AV_CODEC_ID_MPEG2TS, 0, false), "mpeg2ts");
}

TEST_F(FFUtilsTest, MetadataValue)
{
    AVDictionary* d = nullptr;
    ff::av_dict_set(&d, "title", "标题", 0);
    EXPECT_EQ(MetadataValue(d, "title", "x"), "标题");
    EXPECT_EQ(MetadataValue(d, "album", "none"), "none");
    ff::av_dict_free(&d);
}

TEST_F(FFUtilsTest, SetGenericOptionFindsCodecFormatScalerAndPrivateOptions)
{
    TFFOptions o;
    AllocFFOptions(o, SWS_BICUBIC);
    EXPECT_EQ(DictValue(o.sws_opts, "sws_flags"), "4");
    const struct {
        const char* Name;
        const char* Value;
        const AVDictionary* const* Holder;
        const char* Key;
    } cases[] = {
        {"b", "128k", &o.codec_opts[1], "b"},               // audio and video codec option
        {"g", "12", &o.codec_opts[0], "g"},                 // video codec option
        {"crf", "23", &o.codec_opts[0], "crf"},             // an encoder's private option
        {"packetsize", "2324", &o.format_opts, "packetsize"}, // format option
        {"muxrate", "10080000", &o.format_opts, "muxrate"}, // a muxer's private option
        {"preload", "500000", &o.format_opts, "preload"},
        {"sws_flags", "bilinear", &o.sws_opts, "sws_flags"},
        {"vqmin", "3", &o.codec_opts[0], "qmin"},           // type letter in front
        {"acutoff", "15000", &o.codec_opts[1], "cutoff"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(SetGenericOption(o, c.Name, c.Value)) << c.Name;
        EXPECT_EQ(DictValue(*c.Holder, c.Key), c.Value) << c.Name;
    }
    EXPECT_EQ(DictValue(o.codec_opts[0], "b"), "128k");
    EXPECT_EQ(DictValue(o.codec_opts[3], "b"), "<none>"); // not a subtitle option
    const std::vector<std::string> names = {"b", "g", "crf", "packetsize", "muxrate", "preload",
                                            "sws_flags", "qmin", "cutoff"};
    EXPECT_EQ(o.opt_names, names);
    FreeFFOptions(o);
    EXPECT_TRUE(o.opt_names.empty());
    EXPECT_EQ(o.format_opts, nullptr);
}

TEST_F(FFUtilsTest, SetGenericOptionRefusals)
{
    TFFLogger* logger = GetFFLogger();
    logger->SetTriggerEventInMainThread(true);
    std::vector<std::string> lines;
    logger->SetOnLog([&](platform::TObject*, uint32_t, TLogLevel ALevel, const std::string& AMsg) {
        lines.push_back(std::to_string(int(ALevel)) + ":" + AMsg);
    });
    TFFOptions o;
    AllocFFOptions(o, 0);
    const struct {
        const char* Name;
        const char* Value;
        const char* Logged; // nullptr: refused without a word
    } cases[] = {
        {"nosuchoption", "1", nullptr},
        {" ", "1", nullptr},
        {"b", "  ", nullptr},
        {"b", "abc", "3:Invalid value \"abc\" for option \"b\""},
        {"crf", "much", "3:Invalid value \"much\" for option \"crf\""},
        {"vnosuch", "1", nullptr},
    };
    for (const auto& c : cases) {
        lines.clear();
        EXPECT_FALSE(SetGenericOption(o, c.Name, c.Value)) << c.Name;
        if (c.Logged)
            EXPECT_EQ(lines, std::vector<std::string>{c.Logged}) << c.Name;
        else
            EXPECT_TRUE(lines.empty()) << c.Name;
    }
    EXPECT_TRUE(o.opt_names.empty());
    FreeFFOptions(o);
    logger->SetOnLog(nullptr);
}

TEST_F(FFUtilsTest, DebugOptionRaisesTheLogLevel)
{
    TFFLogger* logger = GetFFLogger();
    const TLogLevel old = logger->LogLevel();
    TFFOptions o;
    AllocFFOptions(o, 0);
    EXPECT_TRUE(SetGenericOption(o, "debug", "pict"));
    EXPECT_EQ(logger->LogLevel(), llDebug);
    FreeFFOptions(o);
    logger->SetLogLevel(old);
}

TEST_F(FFUtilsTest, RecordedOptionsApplyToTheOpenedObject)
{
    TFFOptions o;
    AllocFFOptions(o, 0);
    ASSERT_TRUE(SetGenericOption(o, "b", "300000"));
    ASSERT_TRUE(SetGenericOption(o, "crf", "30"));
    const AVCodec* x264 = ff::avcodec_find_encoder_by_name("libx264");
    ASSERT_NE(x264, nullptr);
    AVCodecContext* ctx = ff::avcodec_alloc_context3(x264);
    EXPECT_EQ(ApplyRecordedOptions(o, ctx, o.codec_opts[0], AV_OPT_FLAG_ENCODING_PARAM), 2);
    EXPECT_EQ(ctx->bit_rate, 300000);
    double crf = 0;
    ff::av_opt_get_double(ctx->priv_data, "crf", 0, &crf);
    EXPECT_EQ(crf, 30.0);
    // A decoder takes no encoding option.
    AVCodecContext* dec = ff::avcodec_alloc_context3(ff::avcodec_find_decoder(AV_CODEC_ID_H264));
    EXPECT_EQ(ApplyRecordedOptions(o, dec, o.codec_opts[0], AV_OPT_FLAG_DECODING_PARAM), 0);
    ff::avcodec_free_context(&dec);
    ff::avcodec_free_context(&ctx);
    FreeFFOptions(o);
}

TEST_F(FFUtilsTest, ReadWholeFile)
{
    testsupport::TTempDir dir;
    testsupport::WriteFile(dir.File("log"), "abc");
    uint8_t* buf = nullptr;
    int size = 0;
    ASSERT_EQ(ReadWholeFile(dir.File("log"), buf, size), 0);
    EXPECT_EQ(size, 4);
    EXPECT_STREQ(reinterpret_cast<char*>(buf), "abc");
    ff::av_free(buf);
    EXPECT_EQ(ReadWholeFile(dir.File("missing"), buf, size), -1);
    EXPECT_EQ(buf, nullptr);
}

TEST_F(FFUtilsTest, PictureToBitmapCopiesOrConverts)
{
    const struct {
        int Width;
        AVPixelFormat Format;
        bool Direct;
    } cases[] = {
        {4, AV_PIX_FMT_BGR24, true},   // even size, rows as the bitmap's
        {3, AV_PIX_FMT_BGR24, false},  // odd width: always converted
        {4, AV_PIX_FMT_GRAY8, false},
    };
    for (const auto& c : cases) {
        const int height = 2;
        const int bpp = c.Format == AV_PIX_FMT_BGR24 ? 3 : 1;
        const int lineSize = (c.Width * bpp + 3) & ~3;
        std::vector<uint8_t> pixels(size_t(lineSize * height), 0);
        for (int y = 0; y < height; ++y)
            std::memset(pixels.data() + y * lineSize, y == 0 ? 40 : 200, size_t(c.Width * bpp));
        const uint8_t* data[4] = {pixels.data()};
        const int lines[4] = {lineSize};
        TRGBConvertContext ctx;
        ResetRGBConvertContext(ctx);
        ASSERT_TRUE(PictureToBitmap(ctx, data, lines, c.Format, c.Width, height));
        EXPECT_EQ(ctx.RGBPictureRef == &ctx.CallerPicture, c.Direct) << c.Width;
        ASSERT_NE(ctx.Bitmap, nullptr);
        EXPECT_EQ(ctx.Bitmap->Width(), c.Width);
        EXPECT_EQ(ctx.Bitmap->Height(), height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < c.Width * 3; ++x)
                EXPECT_EQ(ctx.Bitmap->ScanLine(y)[x], y == 0 ? 40 : 200) << c.Width << " " << x << "," << y;
        ResetRGBConvertContext(ctx);
        EXPECT_EQ(ctx.Bitmap, nullptr);
    }
}

TEST_F(FFUtilsTest, PictureToBitmapFailsWithoutAScaler)
{
    uint8_t pixel[16] = {};
    const uint8_t* data[4] = {pixel};
    const int lines[4] = {16};
    TRGBConvertContext ctx;
    EXPECT_FALSE(PictureToBitmap(ctx, data, lines, AV_PIX_FMT_NONE, 2, 2));
    EXPECT_EQ(ctx.Bitmap->Width(), 2); // the bitmap keeps its new size
    ResetRGBConvertContext(ctx);
}
