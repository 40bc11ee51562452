#include "profiles/OutputDialogCatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "profiles/ProfileCatalogue.h"
#include "support/TestSupport.h"

namespace profiles {
namespace {

using testsupport::TTempDir;
using testsupport::WriteFile;

// The output settings dialog's category list as its form holds it.
TEST(OutputDialogCatalogueTest, CategoryListIsTheCatalogues)
{
    const TCategory dialog[] = {
        {"音频格式", 1}, {"视频格式", 0}, {"MP4格式", 10}, {"iPod格式", 3},   {"iPhone格式", 4},
        {"iPad格式", 12}, {"PSP格式", 5},  {"3GP格式", 6},   {"APPLE格式", 7}, {"XboX格式", 8},
        {"PMP格式", 9},  {"MPG格式", 13}, {"SWF格式", 14},  {"AVI格式", 15},  {"Android格式", 19},
    };
    ASSERT_EQ(Categories().size(), std::size(dialog));
    for (size_t i = 0; i < std::size(dialog); ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(Categories()[i].Caption, dialog[i].Caption);
        EXPECT_EQ(Categories()[i].Number, dialog[i].Number);
        EXPECT_EQ(CategoryNumber(int(i)), dialog[i].Number);
    }
}

struct TDialogCategory {
    int Position;
    int Number;
    size_t Names;
    std::set<int> AudioOnlyKeys;
};

// Per category position: its number, how many profiles the dialog lists
// and which of their keys are audio-only; every listed profile has lists
// and defaults, and the key after the last has neither.
TEST(OutputDialogCatalogueTest, ProfilesAndPresetKeysPerCategory)
{
    std::set<int> allAudio;
    for (int key = 200; key <= 212; ++key)
        allAudio.insert(key);
    const TDialogCategory cases[] = {
        {0, 1, 13, allAudio}, {1, 0, 15, {}},  {2, 10, 5, {}},  {3, 3, 14, {}},  {4, 4, 6, {}},
        {5, 12, 6, {}},       {6, 5, 5, {}},   {7, 6, 14, {708}}, {8, 7, 5, {}}, {9, 8, 10, {}},
        {10, 9, 8, {}},       {11, 13, 11, {}}, {12, 14, 7, {1505, 1506}}, {13, 15, 7, {}},
        {14, 19, 14, {2008}},
    };
    for (const TDialogCategory& c : cases) {
        SCOPED_TRACE(c.Position);
        EXPECT_EQ(ProfileNamesAt(c.Position).size(), c.Names);
        std::set<int> audioOnly;
        for (int p = 0; p < int(c.Names); ++p) {
            const int key = *CatalogueKey(c.Position, p);
            EXPECT_EQ(key, (c.Number + 1) * 100 + p);
            const auto choices = FindPresetChoices(key);
            ASSERT_TRUE(choices.has_value()) << key;
            if (choices->AudioOnly)
                audioOnly.insert(key);
            ASSERT_NE(FindProfileDefaults(key), nullptr) << key;
            EXPECT_EQ(FindProfileDefaults(key)->DisableVideo, choices->AudioOnly) << key;
        }
        EXPECT_EQ(audioOnly, c.AudioOnlyKeys);
        const int past = *CatalogueKey(c.Position, int(c.Names));
        EXPECT_FALSE(FindPresetChoices(past).has_value()) << past;
        EXPECT_EQ(FindProfileDefaults(past), nullptr) << past;
    }
}

struct TListCase {
    int Position;
    const char* First;
    const char* Last;
};

// What the dialog's profile list shows after a fill of a category position.
TEST(OutputDialogCatalogueTest, ProfileListEnds)
{
    const TListCase cases[] = {
        {0, "MP3 - MPEG Layer-3音频格式(*.mp3)", "AMR-手机音频格式(*.amr)"},
        {1, "AVI - 音频视频交错格式(*.avi)", "RM - REAL视频格式(*.rm)"},
        {2, "MP4机播放的MP4视频格式(*.mp4)", "MP4 H264编码视频(*.mp4)"},
        {14, "3GPP -  第三代合作项目-3GP视频+AMR音频(*.3gp)", "各种手机常用的MP4视频(*.mp4)"},
    };
    for (const TListCase& c : cases) {
        const auto names = ProfileNamesAt(c.Position);
        EXPECT_STREQ(names.front(), c.First) << c.Position;
        EXPECT_STREQ(names.back(), c.Last) << c.Position;
    }
    EXPECT_EQ(ProfileImageIndex(14), 0);
    const auto xbox = ProfileNamesAt(9);
    for (int i : {7, 8, 9})
        EXPECT_STREQ(xbox[i], "Xbox360 MCE 高清晰AVI视频(*.avi)");
    EXPECT_EQ(ProfileImageIndex(7), 1);
    EXPECT_EQ(ProfileImageIndex(8), 0);
    EXPECT_TRUE(ProfileNamesAt(15).empty());
}

struct TExtensionCase {
    const char* Name;
    const char* Ext;
};

TEST(OutputDialogCatalogueTest, ExtensionOfProfileNames)
{
    const TExtensionCase cases[] = {
        {"MP3 - MPEG Layer-3音频格式(*.mp3)", ".mp3"},
        {"FLAC-音频格式(*.flac)", ".flac"},
        {"AIFF - 音频交换文件格式(*.aiff)", ".aiff"},
        {"RM - REAL视频格式(*.rm)", ".rm"},
        {"RA - RealAudio音频格式(*.ra)", ".ra"},
        {"3GPP2 -  第三代合作项目2-3G2视频+AAC音频(*.3g2)", ".3g2"},
        {"ALAC-Apple Lossless无损音频格式(*.alac) ", ".alac"},
        {"MPEG-2传输流(*.mpeg)", ".mpeg"},
        {"x)", ""},
        // The last "(*.ext)" group gives the extension, whatever its length.
        {"WebM视频(*.webm)", ".webm"},
        {"MPEG-1(*.mpg)基本流(*.m1v)", ".m1v"},
    };
    for (const TExtensionCase& c : cases)
        EXPECT_EQ(OutputDialogExtension(c.Name), c.Ext) << c.Name;
}

// No name the dialog lists meets its own two fixes.
TEST(OutputDialogCatalogueTest, EveryListedNameGivesTheMainWindowsExtension)
{
    for (int position = 0; position < CategoryCount; ++position)
        for (const char* name : ProfileNamesAt(position))
            EXPECT_EQ(OutputDialogExtension(name), ExtensionOfProfileName(name)) << name;
}

struct TFillCase {
    int Category;
    int Profile;
    int Key;
    bool AudioOnly;
};

TEST(OutputDialogCatalogueTest, PresetFillStoresTheKeyAndClearsTheAudioOnlyFlag)
{
    const TFillCase cases[] = {
        {0, 0, 200, true}, {1, 0, 100, false}, {14, 0, 2000, false}, {14, 8, 2008, true}, {12, 6, 1506, true},
    };
    for (const TFillCase& c : cases) {
        SCOPED_TRACE(c.Key);
        TOutputFields f;
        f.Video_DisableVideo = true;
        const auto choices = OutputDialogPresetFill(f, c.Category, c.Profile);
        ASSERT_TRUE(choices.has_value());
        EXPECT_EQ(choices->Key, c.Key);
        EXPECT_EQ(choices->AudioOnly, c.AudioOnly);
        EXPECT_EQ(f.All_Trant_Number, c.Key);
        EXPECT_FALSE(f.Video_DisableVideo);
    }
    TOutputFields f;
    const auto first = OutputDialogPresetFill(f, 1, 0); // key 100
    const size_t counts[PresetCount] = {28, 8, 17, 5, 12, 6};
    const int picks[PresetCount] = {0, 3, 10, 0, 9, 4};
    for (TPreset preset : AllPresets) {
        EXPECT_EQ(first->Pick(preset).Texts.size(), counts[PresetIndex(preset)]);
        EXPECT_EQ(first->Pick(preset).DefaultIndex, picks[PresetIndex(preset)]);
    }
}

// A key without lists is still stored, as the main window's fill stores it;
// a category position outside the list gives no key at all.
TEST(OutputDialogCatalogueTest, PresetFillOutsideTheListsClearsTheFlag)
{
    const TFillCase cases[] = {{0, 13, 213, false}, {15, 0, 7, false}, {-1, 0, 7, false}, {1, -1, 7, false}};
    for (const TFillCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Category) + " " + std::to_string(c.Profile));
        TOutputFields f;
        f.Video_DisableVideo = true;
        f.All_Trant_Number = 7;
        EXPECT_FALSE(OutputDialogPresetFill(f, c.Category, c.Profile).has_value());
        EXPECT_FALSE(f.Video_DisableVideo);
        EXPECT_EQ(f.All_Trant_Number, c.Key);
    }
}

class OutputDialogProfileChangeTest : public ::testing::Test {
protected:
    TTempDir Dir;
    TOutputFields Fields;

    OutputDialogProfileChangeTest() { Fields.Video_AddFileName = "/in/song.wav"; }

    TOutputDialogRowEdits Change(int ACategory, int AProfile, const std::set<std::string>* ATaken = nullptr,
                                 bool AOverwrite = false)
    {
        const int key = *CatalogueKey(ACategory, AProfile);
        return ApplyOutputDialogProfileChange(Fields, ACategory, AProfile, FindPresetChoices(key)->DefaultTexts(),
                                              "a.mp3", TOutputNaming{Dir.Path(), AOverwrite, ATaken});
    }
};

// The row takes the profile's defaults; the fields end with the preset
// values the lists show.
TEST_F(OutputDialogProfileChangeTest, AudioProfileOnTheSelectedRow)
{
    const TOutputDialogRowEdits edits = Change(0, 10); // "FLAC-音频格式(*.flac)", key 210
    EXPECT_EQ(edits.OutputFileName, "a.flac");
    EXPECT_EQ(edits.ProfileCode, "110");
    const std::array<std::string, ProfileRowSubItemCount> row = {
        "", "flac", "2", "", ".flac", "", "-1", "", "128000", "48000", "", "True", "", ""};
    EXPECT_EQ(edits.ProfileSubItems, row);
    EXPECT_EQ(Fields.All_Trant_Number, 210);
    EXPECT_EQ(Fields.Video_OutPutFileName, Dir.File("song.flac"));
    EXPECT_EQ(Fields.Video_AudioBitrate, 192000);
    EXPECT_EQ(Fields.Video_AudioSampleRate, "48000");
    EXPECT_EQ(Fields.Video_VideoBitrate, BitrateAutomatic);
    EXPECT_TRUE(Fields.Video_DisableVideo);
}

struct TCodeCase {
    int Category;
    int Profile;
    const char* RowCode;
    int Key;
    const char* RowName;
};

TEST_F(OutputDialogProfileChangeTest, RowCodeFollowsTheListPositionAndTheKeyTheCategoryNumber)
{
    const TCodeCase cases[] = {
        {0, 2, "102", 202, "a.wav"},
        {14, 0, "1500", 2000, "a.3gp"},
        {1, 14, "214", 114, "a.rm"},
        {7, 2, "802", 702, "a.3g2"},
    };
    for (const TCodeCase& c : cases) {
        SCOPED_TRACE(c.Key);
        const TOutputDialogRowEdits edits = Change(c.Category, c.Profile);
        EXPECT_EQ(edits.ProfileCode, c.RowCode);
        EXPECT_EQ(edits.OutputFileName, c.RowName);
        EXPECT_EQ(Fields.All_Trant_Number, c.Key);
    }
}

TEST_F(OutputDialogProfileChangeTest, OutputNameIsFree)
{
    WriteFile(Dir.File("song.flac"), "x");
    Change(0, 10);
    EXPECT_EQ(Fields.Video_OutPutFileName, Dir.File("song_1.flac"));

    const std::set<std::string> taken = {Dir.File("song_1.flac")};
    Change(0, 10, &taken);
    EXPECT_EQ(Fields.Video_OutPutFileName, Dir.File("song_2.flac"));

    Change(0, 10, &taken, true);
    EXPECT_EQ(Fields.Video_OutPutFileName, Dir.File("song.flac"));

    // The input itself is never the output, overwriting or not.
    Fields.Video_AddFileName = Dir.File("song.flac");
    Change(0, 10, nullptr, true);
    EXPECT_EQ(Fields.Video_OutPutFileName, Dir.File("song_1.flac"));
}

TEST_F(OutputDialogProfileChangeTest, RefusalsChangeNothing)
{
    Fields.Video_VideoCodec = "mpeg4";
    Fields.All_Trant_Number = 100;
    const auto texts = FindPresetChoices(100)->DefaultTexts();
    for (auto [category, profile] : {std::pair{0, 13}, std::pair{15, 0}, std::pair{-1, 0}, std::pair{1, -1}}) {
        SCOPED_TRACE(std::to_string(category) + " " + std::to_string(profile));
        EXPECT_THROW(ApplyOutputDialogProfileChange(Fields, category, profile, texts, "a.avi", TOutputNaming{Dir.Path()}),
                     EProfileError);
    }
    EXPECT_THROW(ApplyOutputDialogProfileChange(Fields, 1, 0, texts, "a.avi", TOutputNaming{""}), EProfileError);
    auto bad = texts;
    bad[PresetIndex(TPreset::AudioBitrate)] = "kbps";
    EXPECT_THROW(ApplyOutputDialogProfileChange(Fields, 1, 0, bad, "a.avi", TOutputNaming{Dir.Path()}),
                 platform::EConvertError);
    EXPECT_EQ(Fields.Video_VideoCodec, "mpeg4");
    EXPECT_EQ(Fields.All_Trant_Number, 100);
    EXPECT_EQ(Fields.Video_OutPutFileName, "");
    EXPECT_EQ(Fields.Video_AddFileName, "/in/song.wav");
}

} // namespace
} // namespace profiles
