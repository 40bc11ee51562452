#include "profiles/RowChoice.h"

#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileDefaults.h"

namespace profiles {
namespace {

TEST(RowChoiceTest, PresetPairsAndCodes)
{
    EXPECT_EQ(FormatPresetPair(0), "00");
    EXPECT_EQ(FormatPresetPair(9), "09");
    EXPECT_EQ(FormatPresetPair(10), "10");
    EXPECT_EQ(FormatPresetPair(27), "27");
    EXPECT_THROW(FormatPresetPair(-1), platform::EConvertError);
    EXPECT_THROW(FormatPresetPair(100), platform::EConvertError);
    // Indexes in TPreset order: resolution, video bitrate, audio bitrate,
    // video mode, frame rate, sample rate.
    EXPECT_EQ(PresetCode({0, 3, 10, 0, 9, 4}), "000310000904");
}

TEST(RowChoiceTest, ReplacingOnePairKeepsTheOthers)
{
    struct TCase {
        const char* Code;
        TPreset Preset;
        int Index;
        const char* Expected;
    };
    const TCase cases[] = {
        {"000310000904", TPreset::VideoMode, 2, "000310020904"},
        {"000310000904", TPreset::Resolution, 19, "190310000904"},
        {"000310000904", TPreset::AudioBitrate, 7, "000307000904"},
        {"000310000904", TPreset::SampleRate, 5, "000310000905"},
        {"000310000904", TPreset::FrameRate, 11, "000310001104"},
        {"0003", TPreset::SampleRate, 5, "000305"},   // too short: no crash
        {"", TPreset::VideoBitrate, 1, "01"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Code);
        EXPECT_EQ(ReplacePresetPair(c.Code, c.Preset, c.Index), c.Expected);
    }
}

TEST(RowChoiceTest, RowChoiceFromItsCodes)
{
    struct TCase {
        const char* ProfileCode;
        const char* PresetCode;
        int Category;
        int Profile;
        std::array<int, PresetCount> Indexes;
    };
    const TCase cases[] = {
        {"409", "000309000704", 3, 9, {0, 3, 9, 0, 7, 4}},
        {"1502", "010000000000", 14, 2, {1, 0, 0, 0, 0, 0}},
        {"100", "000310000904", 0, 0, {0, 3, 10, 0, 9, 4}},
        {"1513", "999999999999", 14, 13, {99, 99, 99, 99, 99, 99}}, // lists ignore indexes they lack
        {"214", "0003100009041", 1, 14, {0, 3, 10, 0, 9, 4}},        // characters past twelve unused
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.ProfileCode);
        const auto choice = ParseRowChoice(c.ProfileCode, c.PresetCode);
        ASSERT_TRUE(choice.has_value());
        EXPECT_EQ(choice->CategoryPosition, c.Category);
        EXPECT_EQ(choice->ProfilePosition, c.Profile);
        EXPECT_EQ(choice->PresetIndexes, c.Indexes);
    }
}

TEST(RowChoiceTest, MalformedRowCodesRestoreNothing)
{
    struct TCase {
        const char* ProfileCode;
        const char* PresetCode;
    };
    const TCase cases[] = {
        {"", "000310000904"},
        {"abc", "000310000904"},
        {"4 09", "000310000904"},
        {" 409", "000310000904"},
        {"-100", "000310000904"},
        {"+409", "000310000904"},
        {"$199", "000310000904"},
        {"0", "000310000904"},          // no category position
        {"99", "000310000904"},
        {"1600", "000310000904"},       // past the category list
        {"113", "000310000904"},        // the audio category has 13 profiles
        {"1514", "000310000904"},       // Android has 14
        {"99999999999", "000310000904"},
        {"409", ""},
        {"409", "00031000090"},         // eleven characters
        {"409", "0003x0000904"},
        {"409", "00 310000904"},
        {"409", "-10310000904"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << c.ProfileCode << "' '" << c.PresetCode << "'");
        EXPECT_EQ(ParseRowChoice(c.ProfileCode, c.PresetCode), std::nullopt);
    }
}

TEST(RowChoiceTest, RowCodesOfEveryProfileRoundTrip)
{
    for (int position = 0; position < CategoryCount; ++position)
        for (int profile = 0; profile < int(ProfileNamesAt(position).size()); ++profile) {
            const auto choice = ParseRowChoice(RowProfileCodeText(position, profile), "000102030405");
            ASSERT_TRUE(choice.has_value()) << position << "/" << profile;
            EXPECT_EQ(choice->CategoryPosition, position);
            EXPECT_EQ(choice->ProfilePosition, profile);
        }
}

TEST(RowChoiceTest, ExtensionsOfProfileNames)
{
    struct TCase {
        const char* Name;
        const char* Ext;
    };
    const TCase cases[] = {
        {"MP3 - MPEG Layer-3音频格式(*.mp3)", ".mp3"},
        {"FLAC-音频格式(*.flac)", ".flac"},
        {"AIFF - 音频交换文件格式(*.aiff)", ".aiff"},
        {"RA - RealAudio音频格式(*.ra)", ".ra"},
        {"RM - REAL视频格式(*.rm)", ".rm"},
        {"3GPP2 -  第三代合作项目2-3G2视频+AMR音频(*.3g2)", ".3g2"},
        {"(*)", ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ExtensionOfProfileName(c.Name), c.Ext) << c.Name;
    // Every name gives the extension its pattern shows.
    for (int number = 0; number < CategoryNumberCount; ++number)
        for (const char* name : ProfileNames(number)) {
            const std::string text = name;
            const size_t open = text.rfind("(*.") + 2;
            EXPECT_EQ(ExtensionOfProfileName(text), text.substr(open, text.size() - open - 1)) << text;
        }
}

TEST(RowChoiceTest, RowOutputNameTakesTheNewExtension)
{
    EXPECT_EQ(RowOutputNameForExtension("a.mp3", ".flac"), "a.flac");
    EXPECT_EQ(RowOutputNameForExtension("a", ".ra"), "a.ra");
    EXPECT_EQ(RowOutputNameForExtension("a.b.mp3", ".mp4"), "a.b.mp4");
    EXPECT_EQ(RowOutputNameForExtension("/out/a_1.mp3", ".mp4"), "a_1.mp4");
}

TEST(RowChoiceTest, PresetChangeEditsTheRow)
{
    struct TCase {
        TPreset Preset;
        int Index;
        const char* Shown;
        const char* Code;
        TRowSubItem SubItem;
        const char* Text;
    };
    const TCase cases[] = {
        {TPreset::VideoMode, 2, "宽屏视频16:9模式", "000310020904", siAspect, "16:9"},
        {TPreset::Resolution, 19, "1280*720", "190310000904", siFrameSize, "1280*720"},
        {TPreset::Resolution, 0, "保持原分辨率", "000310000904", siFrameSize, ""},
        {TPreset::VideoBitrate, 0, "无视频", "000010000904", siVideoBitrate, "-1000"},
        {TPreset::AudioBitrate, 4, "7.4 kbps", "000304000904", siAudioBitrate, "7400"},
        {TPreset::FrameRate, 10, "29.97", "000310001004", siFrameRate, "29.97"},
        {TPreset::SampleRate, 5, "48000", "000310000905", siSampleRate, "48000"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Shown);
        TOutputFields fields;
        std::string code = "000310000904";
        const TRowEdit edit = ApplyPresetChange(fields, c.Preset, c.Index, c.Shown, code);
        EXPECT_EQ(code, c.Code);
        EXPECT_EQ(edit.SubItem, c.SubItem);
        EXPECT_EQ(edit.Text, c.Text);
    }
}

TEST(RowChoiceTest, BadPresetChangeLeavesTheCode)
{
    TOutputFields fields;
    std::string code = "000310000904";
    EXPECT_THROW(ApplyPresetChange(fields, TPreset::VideoBitrate, 2, "fast", code), platform::EConvertError);
    EXPECT_EQ(code, "000310000904");
}

TEST(RowChoiceTest, ProfileSubItemsOfTheDefaults)
{
    TOutputFields fields;
    fields.Video_AddFileName = "/in/clip.avi";
    ApplyProfileDefaults(fields, 408, TOutputNaming{"/out"});
    const auto items = ProfileRowSubItems(fields);
    const std::array<std::string, ProfileRowSubItemCount> expected = {
        "libxvid", "libfaac", "2", "", ".mp4", "640*480", "7680000", "25", "128000", "48000", "", "False", "", ""};
    EXPECT_EQ(items, expected);
    ApplyProfileDefaults(fields, 111, TOutputNaming{"/out"});
    EXPECT_EQ(ProfileRowSubItems(fields)[siDisableVideo - siVideoCodec], "False");
    EXPECT_EQ(ProfileRowSubItems(fields)[siTargetType - siVideoCodec], "dvd");
    EXPECT_EQ(ProfileRowSubItems(fields)[siNormType - siVideoCodec], "PAL");
    ApplyProfileDefaults(fields, 200, TOutputNaming{"/out"});
    EXPECT_EQ(ProfileRowSubItems(fields)[siDisableVideo - siVideoCodec], "True");
    EXPECT_EQ(ProfileRowSubItems(fields)[siVideoBitrate - siVideoCodec], "-1");
}

} // namespace
} // namespace profiles
