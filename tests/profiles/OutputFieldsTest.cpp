#include "profiles/OutputFields.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/core/Exceptions.h"
#include "profiles/PresetLists.h"
#include "profiles/PresetTexts.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileDefaults.h"

namespace profiles {
namespace {

TEST(OutputFieldsTest, ResetKeepsTheInputAndTheKey)
{
    TOutputFields fields;
    fields.Video_AddFileName = "/in/clip.avi";
    fields.All_Trant_Number = 1104;
    fields.Video_OutPutFileName = "/out/clip.mp4";
    fields.Video_FileExt = ".mp4";
    fields.Video_AudioChannels = "2";
    fields.Video_AudioSampleRate = "44100";
    fields.Video_FrameSize = "320*240";
    fields.Video_FrameRate = "25";
    fields.Video_NormType = "PAL";
    fields.Video_VideoFilters = "x";
    fields.Video_AudioVolume = "100";
    fields.Video_FrameAspectRatio = "4:3";
    fields.Video_VideoCodec = "mpeg4";
    fields.Video_AudioCodec = "ac3";
    fields.Video_CopyTimestamp = "1";
    fields.Video_FileFormat = "avi";
    fields.Video_TargetType = "dvd";
    fields.Video_VideoTag = "XVID";
    fields.Video_VideoBitrate = 816000;
    fields.Video_AudioBitrate = 128000;
    fields.Video_TimeStart = 5;
    fields.Video_TimeLength = 7;
    fields.Video_DisableVideo = true;

    ResetOutputFields(fields);

    EXPECT_EQ(fields.Video_OutPutFileName, "");
    EXPECT_EQ(fields.Video_FileExt, "");
    EXPECT_EQ(fields.Video_AudioChannels, "");
    EXPECT_EQ(fields.Video_AudioSampleRate, "");
    EXPECT_EQ(fields.Video_FrameSize, "");
    EXPECT_EQ(fields.Video_FrameRate, "");
    EXPECT_EQ(fields.Video_NormType, "");
    EXPECT_EQ(fields.Video_VideoFilters, "");
    EXPECT_EQ(fields.Video_AudioVolume, "256");
    EXPECT_EQ(fields.Video_FrameAspectRatio, "");
    EXPECT_EQ(fields.Video_VideoCodec, "");
    EXPECT_EQ(fields.Video_AudioCodec, "");
    EXPECT_EQ(fields.Video_CopyTimestamp, "");
    EXPECT_EQ(fields.Video_FileFormat, "");
    EXPECT_EQ(fields.Video_TargetType, "");
    EXPECT_EQ(fields.Video_VideoTag, "");
    EXPECT_EQ(fields.Video_VideoBitrate, -1);
    EXPECT_EQ(fields.Video_AudioBitrate, -1);
    EXPECT_EQ(fields.Video_TimeStart, -1);
    EXPECT_EQ(fields.Video_TimeLength, -1);
    EXPECT_FALSE(fields.Video_DisableVideo);
    EXPECT_EQ(fields.Video_AddFileName, "/in/clip.avi");
    EXPECT_EQ(fields.All_Trant_Number, 1104);
}

TOutputFields ResetFields()
{
    TOutputFields fields;
    ResetOutputFields(fields);
    return fields;
}

engine::TOutputOptions Translate(const TOutputFields& AFields)
{
    engine::TOutputOptions options;
    engine::InitOutputOptions(options);
    OutputFieldsToOptions(AFields, options);
    return options;
}

TEST(OutputFieldsTest, ResetFieldsGiveTheTaskNothingOfItsOwn)
{
    const engine::TOutputOptions o = Translate(ResetFields());
    const engine::TOutputOptions d{};
    EXPECT_EQ(o.VideoCodec, d.VideoCodec);
    EXPECT_EQ(o.VideoPreset, d.VideoPreset);
    EXPECT_EQ(o.AudioCodec, d.AudioCodec);
    EXPECT_EQ(o.AudioChannels, d.AudioChannels);
    EXPECT_EQ(o.AudioSampleRate, d.AudioSampleRate);
    EXPECT_EQ(o.AudioVolume, d.AudioVolume);
    EXPECT_EQ(o.AudioBitrate, d.AudioBitrate);
    EXPECT_EQ(o.VideoBitrate, d.VideoBitrate);
    EXPECT_EQ(o.FrameSize, d.FrameSize);
    EXPECT_EQ(o.FrameRate, d.FrameRate);
    EXPECT_EQ(o.FrameAspectRatio, d.FrameAspectRatio);
    EXPECT_EQ(o.FileFormat, d.FileFormat);
    EXPECT_EQ(o.VideoFilters, d.VideoFilters);
    EXPECT_EQ(o.VideoTag, d.VideoTag);
    EXPECT_EQ(o.DisableVideo, false);
    EXPECT_EQ(o.TargetType, engine::ttIgnore);
    EXPECT_EQ(o.NormType, engine::ntAuto);
}

TEST(OutputFieldsTest, FieldsTranslateIntoOutputOptions)
{
    struct TCase {
        const char* Name;
        std::function<void(TOutputFields&)> Set;
        std::function<void(const engine::TOutputOptions&)> Check;
    };
    using O = const engine::TOutputOptions&;
    const TCase cases[] = {
        {"x264 preset", [](TOutputFields& f) { f.Video_VideoCodec = "libx264"; },
         [](O o) { EXPECT_EQ(o.VideoCodec, "libx264"); EXPECT_EQ(o.VideoPreset, "libx264-default"); }},
        {"other codec", [](TOutputFields& f) { f.Video_VideoCodec = "mpeg4"; },
         [](O o) { EXPECT_EQ(o.VideoCodec, "mpeg4"); EXPECT_EQ(o.VideoPreset, ""); }},
        {"x264 exact", [](TOutputFields& f) { f.Video_VideoCodec = "LIBX264"; },
         [](O o) { EXPECT_EQ(o.VideoPreset, ""); }},
        {"audio codec", [](TOutputFields& f) { f.Video_AudioCodec = "libmp3lame"; },
         [](O o) { EXPECT_EQ(o.AudioCodec, "libmp3lame"); }},
        {"audio codec AUTO", [](TOutputFields& f) { f.Video_AudioCodec = "AUTO"; },
         [](O o) { EXPECT_EQ(o.AudioCodec, ""); }},
        {"channels", [](TOutputFields& f) { f.Video_AudioChannels = "1"; },
         [](O o) { EXPECT_EQ(o.AudioChannels, 1); }},
        {"sample rate", [](TOutputFields& f) { f.Video_AudioSampleRate = "44100"; },
         [](O o) { EXPECT_EQ(o.AudioSampleRate, 44100); }},
        {"sample rate AUTO", [](TOutputFields& f) { f.Video_AudioSampleRate = "AUTO"; },
         [](O o) { EXPECT_EQ(o.AudioSampleRate, -1); }},
        {"texts", [](TOutputFields& f) {
             f.Video_FrameSize = "320*240"; f.Video_FrameRate = "29.97"; f.Video_FrameAspectRatio = "37:20";
             f.Video_FileFormat = "asf"; f.Video_VideoFilters = "hflip"; f.Video_VideoTag = "DX50"; },
         [](O o) {
             EXPECT_EQ(o.FrameSize, "320*240"); EXPECT_EQ(o.FrameRate, "29.97"); EXPECT_EQ(o.FrameAspectRatio, "37:20");
             EXPECT_EQ(o.FileFormat, "asf"); EXPECT_EQ(o.VideoFilters, "hflip"); EXPECT_EQ(o.VideoTag, "DX50"); }},
        {"no video", [](TOutputFields& f) { f.Video_DisableVideo = true; },
         [](O o) { EXPECT_TRUE(o.DisableVideo); }},
        {"vcd", [](TOutputFields& f) { f.Video_TargetType = "vcd"; }, [](O o) { EXPECT_EQ(o.TargetType, engine::ttVCD); }},
        {"svcd", [](TOutputFields& f) { f.Video_TargetType = "svcd"; }, [](O o) { EXPECT_EQ(o.TargetType, engine::ttSVCD); }},
        {"dvd", [](TOutputFields& f) { f.Video_TargetType = "dvd"; }, [](O o) { EXPECT_EQ(o.TargetType, engine::ttDVD); }},
        {"VCD", [](TOutputFields& f) { f.Video_TargetType = "VCD"; }, [](O o) { EXPECT_EQ(o.TargetType, engine::ttIgnore); }},
        {"PAL", [](TOutputFields& f) { f.Video_NormType = "PAL"; }, [](O o) { EXPECT_EQ(o.NormType, engine::ntPAL); }},
        {"NTSC", [](TOutputFields& f) { f.Video_NormType = "NTSC"; }, [](O o) { EXPECT_EQ(o.NormType, engine::ntNTSC); }},
        {"pal", [](TOutputFields& f) { f.Video_NormType = "pal"; }, [](O o) { EXPECT_EQ(o.NormType, engine::ntAuto); }},
        {"volume", [](TOutputFields& f) { f.Video_AudioVolume = "512"; }, [](O o) { EXPECT_EQ(o.AudioVolume, 512); }},
        {"silence", [](TOutputFields& f) { f.Video_AudioVolume = "0"; }, [](O o) { EXPECT_EQ(o.AudioVolume, 0); }},
        {"bitrates", [](TOutputFields& f) { f.Video_VideoBitrate = 816000; f.Video_AudioBitrate = 7400; },
         [](O o) { EXPECT_EQ(o.VideoBitrate, 816000); EXPECT_EQ(o.AudioBitrate, 7400); }},
        {"automatic bitrates", [](TOutputFields& f) { f.Video_VideoBitrate = -1000; f.Video_AudioBitrate = -1000; },
         [](O o) { EXPECT_EQ(o.VideoBitrate, -1); EXPECT_EQ(o.AudioBitrate, -1); }},
        {"audio -2000", [](TOutputFields& f) { f.Video_AudioBitrate = -2000; },
         [](O o) { EXPECT_EQ(o.AudioBitrate, -1); }},
        {"video -2000 is a value", [](TOutputFields& f) { f.Video_VideoBitrate = -2000; },
         [](O o) { EXPECT_EQ(o.VideoBitrate, -2000); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TOutputFields fields = ResetFields();
        c.Set(fields);
        c.Check(Translate(fields));
    }
}

TEST(OutputFieldsTest, NonNumericCountsFailToConvert)
{
    TOutputFields fields = ResetFields();
    fields.Video_AudioChannels = "two";
    EXPECT_THROW(Translate(fields), platform::EConvertError);
}

// The way a file is added: profile defaults, then the default preset texts,
// then the task's options. Every profile the lists show gets through it.
TEST(OutputFieldsTest, EveryProfileGivesUsableOptions)
{
    for (const TProfileDefaults& row : AllProfileDefaults()) {
        SCOPED_TRACE(row.Key);
        TOutputFields fields;
        fields.Video_AddFileName = "/in/clip.avi";
        ApplyProfileDefaults(fields, row.Key, TOutputNaming{"/out"});
        const auto choices = FindPresetChoices(row.Key);
        ASSERT_TRUE(choices.has_value());
        const std::array<std::string, PresetCount> texts = choices->DefaultTexts();
        ApplyPresetTexts(fields, texts);
        const engine::TOutputOptions o = Translate(fields);
        EXPECT_EQ(o.DisableVideo, row.DisableVideo);
        EXPECT_EQ(o.VideoBitrate > 0, !row.DisableVideo);
        EXPECT_GT(o.AudioBitrate, 0);
        EXPECT_GT(o.AudioSampleRate, 0);
        EXPECT_EQ(o.VideoCodec, row.VideoCodec);
        EXPECT_EQ(o.AudioCodec, row.AudioCodec);
    }
}

} // namespace
} // namespace profiles
