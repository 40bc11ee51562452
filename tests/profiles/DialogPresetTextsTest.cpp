#include "profiles/DialogPresetTexts.h"

#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"
#include "profiles/PresetTexts.h"

namespace profiles {
namespace {

struct TTextCase {
    TPreset Preset;
    const char* Text;
    const char* ForPresetTexts; // the field as text after the preset-texts run
    const char* ForRowChange;   // the same after a preset change on the row
};

TEST(DialogPresetTextsTest, TextsToFields)
{
    const TTextCase cases[] = {
        {TPreset::AudioBitrate, "自动音频比特率", "-1000", "-1000"},
        {TPreset::SampleRate, "自动音频采样率", "AUTO", ""},
        {TPreset::SampleRate, "44100", "44100", "44100"},
        {TPreset::AudioBitrate, "10.2 kbps", "10200", "10200"},
        {TPreset::AudioBitrate, "64 kbps", "64000", "64000"},
        {TPreset::AudioBitrate, "4.75 kbps", "4750", "4750"},
        {TPreset::VideoBitrate, "无视频", "-1000", "-1000"},
        {TPreset::VideoBitrate, "816 kbps", "816000", "816000"},
        {TPreset::Resolution, "该格式无视频", "", ""},
        {TPreset::Resolution, "保持原分辨率", "", ""},
        {TPreset::Resolution, "320*240", "320*240", "320*240"},
        {TPreset::FrameRate, "保持原帧速率", "", ""},
        {TPreset::FrameRate, "29.97", "29.97", "29.97"},
        {TPreset::VideoMode, "宽屏视频37:20模式", "37:20", "37:20"},
        {TPreset::VideoMode, "无视频", "", ""},
        {TPreset::VideoMode, "任意模式", "16:9", "16:9"}, // no such mode: the aspect stays
    };
    for (const TTextCase& c : cases) {
        SCOPED_TRACE(c.Text);
        for (TDialogTextUse use : {TDialogTextUse::PresetTexts, TDialogTextUse::RowChange}) {
            TOutputFields f;
            f.Video_FrameAspectRatio = "16:9";
            ApplyDialogPresetText(f, c.Preset, c.Text, use);
            EXPECT_EQ(PresetFieldText(f, c.Preset), use == TDialogTextUse::PresetTexts ? c.ForPresetTexts : c.ForRowChange);
        }
    }
}

// Every text of every list reads as the main window reads it: the dialogs'
// rules only add texts that no list offers.
TEST(DialogPresetTextsTest, EveryListTextReadsAsInTheMainWindow)
{
    for (int key : PresetKeys()) {
        const TPresetChoices choices = *FindPresetChoices(key);
        for (TPreset preset : AllPresets)
            for (const char* text : choices.Pick(preset).Texts) {
                TOutputFields dialog;
                TOutputFields main;
                ApplyDialogPresetText(dialog, preset, text, TDialogTextUse::PresetTexts);
                ApplyPresetText(main, preset, text);
                EXPECT_EQ(PresetFieldText(dialog, preset), PresetFieldText(main, preset)) << key << " " << text;
                ApplyDialogPresetText(dialog, preset, text, TDialogTextUse::RowChange);
                EXPECT_EQ(PresetFieldText(dialog, preset), PresetFieldText(main, preset)) << key << " " << text;
            }
    }
}

// Texts in TPreset order: resolution, video bitrate, audio bitrate, video
// mode, frame rate, sample rate.
TEST(DialogPresetTextsTest, PresetTextsRunWithAutomaticAudio)
{
    TOutputFields f;
    f.Video_VideoCodec = "mpeg4";
    ApplyDialogPresetTexts(f, {"保持原分辨率", "128 kbps", "自动音频比特率", "保持原视频模式", "保持原帧速率", "自动音频采样率"});
    EXPECT_EQ(f.Video_FrameSize, "");
    EXPECT_EQ(f.Video_VideoBitrate, 128000);
    EXPECT_EQ(f.Video_FrameRate, "");
    EXPECT_EQ(f.Video_AudioBitrate, BitrateAutomatic);
    EXPECT_EQ(f.Video_AudioSampleRate, "AUTO");
    EXPECT_EQ(f.Video_FrameAspectRatio, "");
    EXPECT_EQ(f.Video_VideoCodec, "mpeg4");
}

TEST(DialogPresetTextsTest, BadBitrateStopsThePresetTextsWhereItStands)
{
    TOutputFields f;
    f.Video_FrameAspectRatio = "4:3";
    f.Video_AudioBitrate = 1;
    EXPECT_THROW(ApplyDialogPresetTexts(f, {"320*240", "816 kbps", "多 kbps", "宽屏视频16:9模式", "25.00", "44100"}),
                 platform::EConvertError);
    // Frame size, frame rate, video bitrate and sample rate come first.
    EXPECT_EQ(f.Video_FrameSize, "320*240");
    EXPECT_EQ(f.Video_FrameRate, "25.00");
    EXPECT_EQ(f.Video_VideoBitrate, 816000);
    EXPECT_EQ(f.Video_AudioSampleRate, "44100");
    EXPECT_EQ(f.Video_AudioBitrate, 1);
    EXPECT_EQ(f.Video_FrameAspectRatio, "4:3");
}

TEST(DialogPresetTextsTest, PresetChangeOnTheRow)
{
    TOutputFields f;
    std::string code = "000310000904";
    TRowEdit edit = ApplyDialogPresetChange(f, TPreset::SampleRate, 2, "自动音频采样率", code);
    EXPECT_EQ(code, "000310000902");
    EXPECT_EQ(edit.SubItem, siSampleRate);
    EXPECT_EQ(edit.Text, "");
    EXPECT_EQ(f.Video_AudioSampleRate, "");

    edit = ApplyDialogPresetChange(f, TPreset::AudioBitrate, 12, "自动音频比特率", code);
    EXPECT_EQ(code, "000312000902");
    EXPECT_EQ(edit.SubItem, siAudioBitrate);
    EXPECT_EQ(edit.Text, "-1000");

    edit = ApplyDialogPresetChange(f, TPreset::Resolution, 19, "1280*720", code);
    EXPECT_EQ(code, "190312000902");
    EXPECT_EQ(edit.SubItem, siFrameSize);
    EXPECT_EQ(edit.Text, "1280*720");
}

TEST(DialogPresetTextsTest, PresetChangeWithBadTextChangesNothing)
{
    TOutputFields f;
    f.Video_VideoBitrate = 816000;
    std::string code = "000310000904";
    EXPECT_THROW(ApplyDialogPresetChange(f, TPreset::VideoBitrate, 5, "kbps", code), platform::EConvertError);
    EXPECT_EQ(code, "000310000904");
    EXPECT_EQ(f.Video_VideoBitrate, 816000);
}

} // namespace
} // namespace profiles
