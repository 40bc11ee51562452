// An encoder's private context released while its task waits and made
// again, with the same settings, when the task runs.
#include "ConverterTestSupport.h"
#include "engine/converter/EncoderPrivate.h"
#include "engine/loader/AVCodecStubs.h"

#include <gtest/gtest.h>

#include <string>

using namespace engine;
using namespace testsupport;
using namespace convertertest;

namespace {

struct TContextDeleter {
    void operator()(AVCodecContext* C) const { ff::avcodec_free_context(&C); }
};
using TContextPtr = std::unique_ptr<AVCodecContext, TContextDeleter>;

std::string PrivateOption(AVCodecContext* AEnc, const char* AName)
{
    uint8_t* Value = nullptr;
    if (ff::av_opt_get(AEnc->priv_data, AName, 0, &Value) < 0)
        return "(none)";
    std::string Text = reinterpret_cast<char*>(Value);
    ff::av_free(Value);
    return Text;
}

class EncoderPrivateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GlobalLoader().Load(ConverterLibraries)) << GlobalLoader().LastErrMsg();
    }
};

} // namespace

TEST_F(EncoderPrivateTest, SettingsSurviveTheReleaseAndDefaultsStayDefaults)
{
    const struct {
        const char* Encoder;
        const char* Name;    // a private option set before the release ("" : none)
        const char* Value;
        const char* Other;   // an option left at its default
    } Cases[] = {
        {"aac", "aac_coder", "fast", "aac_pns"},
        {"libx264", "preset", "ultrafast", "crf"},
        {"libx264", "crf", "30", "preset"},
        {"libmp3lame", "", "", "reservoir"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Encoder);
        const AVCodec* Codec = ff::avcodec_find_encoder_by_name(C.Encoder);
        ASSERT_NE(Codec, nullptr);
        TContextPtr Enc(ff::avcodec_alloc_context3(Codec));
        ASSERT_NE(Enc, nullptr);
        const std::string Default = *C.Name ? PrivateOption(Enc.get(), C.Name) : "";
        const std::string OtherDefault = PrivateOption(Enc.get(), C.Other);
        if (*C.Name) {
            ASSERT_GE(ff::av_opt_set(Enc->priv_data, C.Name, C.Value, 0), 0);
        }
        const std::string Set = *C.Name ? PrivateOption(Enc.get(), C.Name) : "";
        TEncoderPrivate Private;
        ASSERT_TRUE(Private.Release(Enc.get()));
        EXPECT_EQ(Enc->priv_data, nullptr);
        EXPECT_TRUE(Private.Released());
        EXPECT_FALSE(Private.Release(Enc.get())) << "released once";
        Private.Restore(Enc.get());
        ASSERT_NE(Enc->priv_data, nullptr);
        EXPECT_FALSE(Private.Released());
        if (*C.Name) {
            EXPECT_NE(Set, Default);
            EXPECT_EQ(PrivateOption(Enc.get(), C.Name), Set);
        }
        EXPECT_EQ(PrivateOption(Enc.get(), C.Other), OtherDefault);
    }
}

TEST_F(EncoderPrivateTest, ContextsWithoutPrivateStateOrAlreadyOpenAreKept)
{
    TEncoderPrivate Private;
    EXPECT_FALSE(Private.Release(nullptr));
    TContextPtr Plain(ff::avcodec_alloc_context3(nullptr));
    EXPECT_FALSE(Private.Release(Plain.get()));
    Private.Restore(Plain.get()); // nothing was released: nothing happens
    EXPECT_EQ(Plain->priv_data, nullptr);

    const AVCodec* Codec = ff::avcodec_find_encoder_by_name("aac");
    TContextPtr Open(ff::avcodec_alloc_context3(Codec));
    Open->sample_rate = 44100;
    Open->sample_fmt = AV_SAMPLE_FMT_FLTP;
    ff::av_channel_layout_default(&Open->ch_layout, 2);
    ASSERT_GE(ff::avcodec_open2(Open.get(), Codec, nullptr), 0);
    EXPECT_FALSE(Private.Release(Open.get()));
    EXPECT_NE(Open->priv_data, nullptr);
}

// A queued task's private encoder settings reach the file it writes: the
// H.264 encoder writes its settings into the stream, and the preset asked
// for at set-up shows there after the run.
TEST_F(EncoderPrivateTest, AQueuedTaskEncodesWithItsPrivateSettings)
{
    TTempDir Dir;
    ASSERT_TRUE(MakeMedia(Dir.File("clip.mkv"), "-f lavfi -i testsrc=size=64x48:rate=25:duration=0.4 -c:v ffv1"));
    const struct {
        const char* Preset;
        const char* Written; // part of the settings text the encoder writes
    } Cases[] = {{"ultrafast", "subme=0"}, {"medium", "subme=7"}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Preset);
        TCustomFFmpeg Job(1);
        Job.ResetJob();
        ASSERT_TRUE(Job.OpenInputFile(Dir.File("clip.mkv"))) << Job.LastErrMsg();
        Job.DispatchOption("vcodec", "libx264");
        Job.DispatchOption("preset", C.Preset);
        const std::string Out = Dir.File(std::string(C.Preset) + ".mp4");
        ASSERT_GT(Job.OpenOutputFile(Out, false), 0) << Job.LastErrMsg();
        EXPECT_EQ(RunJob(Job), "");
        EXPECT_NE(ReadFile(Out).find(C.Written), std::string::npos);
    }
}
