#include "profiles/PresetTexts.h"

#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"

namespace profiles {
namespace {

struct TTextCase {
    TPreset Preset;
    const char* Text;
    const char* Field; // the field's value as a row keeps it
};

TEST(PresetTextsTest, TextsBecomeFieldValues)
{
    const TTextCase cases[] = {
        {TPreset::Resolution, "保持原分辨率", ""},
        {TPreset::Resolution, "该格式无视频", ""},
        {TPreset::Resolution, "320*240", "320*240"},
        {TPreset::Resolution, "1920*1200", "1920*1200"},
        {TPreset::FrameRate, "保持原帧速率", ""},
        {TPreset::FrameRate, "无视频", ""},
        {TPreset::FrameRate, "25.00", "25.00"},
        {TPreset::FrameRate, "15", "15"},
        {TPreset::FrameRate, "23.98", "23.98"},
        {TPreset::VideoBitrate, "无视频", "-1000"},
        {TPreset::VideoBitrate, "816 kbps", "816000"},
        {TPreset::VideoBitrate, "8 kbps", "8000"},
        {TPreset::VideoBitrate, "4000 kbps", "4000000"},
        {TPreset::SampleRate, "44100", "44100"},
        {TPreset::SampleRate, "8000", "8000"},
        {TPreset::AudioBitrate, "128 kbps", "128000"},
        {TPreset::AudioBitrate, "4.75 kbps", "4750"},
        {TPreset::AudioBitrate, "5.15 kbps", "5150"},
        {TPreset::AudioBitrate, "5.9 kbps", "5900"},
        {TPreset::AudioBitrate, "6.7 kbps", "6700"},
        {TPreset::AudioBitrate, "7.4 kbps", "7400"},
        {TPreset::AudioBitrate, "7.95 kbps", "7950"},
        {TPreset::AudioBitrate, "10.2 kbps", "10200"},
        {TPreset::AudioBitrate, "12.2 kbps", "12200"},
        {TPreset::VideoMode, "保持原视频模式", ""},
        {TPreset::VideoMode, "普通视频4:3模式", "4:3"},
        {TPreset::VideoMode, "宽屏视频16:9模式", "16:9"},
        {TPreset::VideoMode, "宽屏视频37:20模式", "37:20"},
        {TPreset::VideoMode, "宽屏视频47:20模式", "47:20"},
        {TPreset::VideoMode, "无视频", ""},
    };
    for (const TTextCase& c : cases) {
        SCOPED_TRACE(c.Text);
        TOutputFields fields;
        fields.Video_FrameAspectRatio = "stale";
        ApplyPresetText(fields, c.Preset, c.Text);
        EXPECT_EQ(PresetFieldText(fields, c.Preset), c.Field);
    }
}

TEST(PresetTextsTest, UnknownVideoModeLeavesTheAspect)
{
    TOutputFields fields;
    fields.Video_FrameAspectRatio = "16:9";
    ApplyPresetText(fields, TPreset::VideoMode, "宽屏视频16:9");
    EXPECT_EQ(fields.Video_FrameAspectRatio, "16:9");
    EXPECT_EQ(AspectOfText(""), std::nullopt);
}

TEST(PresetTextsTest, BadBitrateTextsFailToConvert)
{
    for (const char* text : {"", "kbps", "abc kbps", "128", "-5 kbps", "99999999 kbps", "1.5.5 kbps", "无"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(AudioBitrateOfText(text), platform::EConvertError);
        EXPECT_THROW(VideoBitrateOfText(text), platform::EConvertError);
    }
    // A video bitrate is whole.
    EXPECT_THROW(VideoBitrateOfText("4.75 kbps"), platform::EConvertError);
}

TEST(PresetTextsTest, DefaultsOfVideoAndAudioKeys)
{
    struct TCase {
        int Key;
        const char* FrameSize;
        const char* FrameRate;
        int VideoBitrate;
        const char* SampleRate;
        int AudioBitrate;
        const char* Aspect;
    };
    const TCase cases[] = {
        {100, "", "25.00", 816000, "44100", 128000, ""},
        {200, "", "", -1000, "44100", 128000, ""},
        {212, "", "", -1000, "8000", 7400, ""},
        {411, "640*272", "25.00", 768000, "48000", 128000, "16:9"},
        {109, "176*144", "12", 128000, "8000", 12000, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Key);
        const auto choices = FindPresetChoices(c.Key);
        ASSERT_TRUE(choices.has_value());
        const std::array<std::string, PresetCount> texts = choices->DefaultTexts();
        TOutputFields fields;
        fields.Video_VideoCodec = "mpeg4";
        fields.Video_AudioChannels = "2";
        ApplyPresetTexts(fields, texts);
        EXPECT_EQ(fields.Video_FrameSize, c.FrameSize);
        EXPECT_EQ(fields.Video_FrameRate, c.FrameRate);
        EXPECT_EQ(fields.Video_VideoBitrate, c.VideoBitrate);
        EXPECT_EQ(fields.Video_AudioSampleRate, c.SampleRate);
        EXPECT_EQ(fields.Video_AudioBitrate, c.AudioBitrate);
        EXPECT_EQ(fields.Video_FrameAspectRatio, c.Aspect);
        // The profile's own values stay.
        EXPECT_EQ(fields.Video_VideoCodec, "mpeg4");
        EXPECT_EQ(fields.Video_AudioChannels, "2");
    }
}

TEST(PresetTextsTest, EveryListTextConverts)
{
    for (int key : PresetKeys()) {
        const auto choices = FindPresetChoices(key);
        for (TPreset preset : AllPresets)
            for (const char* text : choices->Pick(preset).Texts) {
                TOutputFields fields;
                EXPECT_NO_THROW(ApplyPresetText(fields, preset, text)) << key << " " << text;
                if (preset == TPreset::VideoMode) {
                    EXPECT_TRUE(AspectOfText(text).has_value()) << text;
                }
                if (preset == TPreset::AudioBitrate) {
                    EXPECT_EQ(fields.Video_AudioBitrate % 10, 0) << text;
                }
            }
    }
}

} // namespace
} // namespace profiles
