#include "profiles/LegacyPresetLists.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "profiles/LegacyProfileList.h"

namespace profiles {
namespace {

std::vector<std::string> TextsOf(const TPresetPick& APick)
{
    return std::vector<std::string>(APick.Texts.begin(), APick.Texts.end());
}

// Every legacy key against the catalogue's row of the same key: equal in
// every list, pick and audio-only flag but for the audio bitrate of 700,
// 702 and 704.
TEST(LegacyPresetListsTest, ListsAreTheCataloguesButThreeAudioBitrates)
{
    const std::set<int> older = {700, 702, 704};
    int keys = 0;
    for (int c = 0; c < LegacyCategoryCount; ++c)
        for (size_t p = 0; p < LegacyProfiles(c).size(); ++p) {
            const int key = *LegacyCatalogueKey(c, int(p));
            SCOPED_TRACE(key);
            ++keys;
            const auto legacy = FindLegacyPresetChoices(key);
            const auto catalogue = FindPresetChoices(key);
            ASSERT_TRUE(legacy && catalogue);
            EXPECT_EQ(legacy->Key, key);
            EXPECT_EQ(legacy->AudioOnly, catalogue->AudioOnly);
            for (TPreset preset : AllPresets) {
                const bool same = TextsOf(legacy->Pick(preset)) == TextsOf(catalogue->Pick(preset)) &&
                                  legacy->Pick(preset).DefaultIndex == catalogue->Pick(preset).DefaultIndex;
                EXPECT_EQ(same, !(older.count(key) && preset == TPreset::AudioBitrate)) << PresetComboName(preset);
            }
        }
    EXPECT_EQ(keys, 109);
}

struct TAmrCase {
    int Key;
    std::vector<std::string> Texts;
    int DefaultIndex;
};

TEST(LegacyPresetListsTest, AmrRatesOfThe3GpProfiles)
{
    const std::vector<std::string> whole = {"5 kbps", "6 kbps", "7 kbps", "8 kbps", "10 kbps", "12 kbps"};
    const std::vector<std::string> fine = {"4.75 kbps", "5.15 kbps", "5.9 kbps", "6.7 kbps",
                                           "7.4 kbps",  "7.95 kbps", "10.2 kbps", "12.2 kbps"};
    const TAmrCase cases[] = {
        {700, whole, 5}, {702, whole, 5}, {704, whole, 5}, {109, whole, 5}, {212, fine, 4}, {708, fine, 4},
    };
    for (const TAmrCase& c : cases) {
        SCOPED_TRACE(c.Key);
        const TPresetPick pick = FindLegacyPresetChoices(c.Key)->Pick(TPreset::AudioBitrate);
        EXPECT_EQ(TextsOf(pick), c.Texts);
        EXPECT_EQ(pick.DefaultIndex, c.DefaultIndex);
    }
    EXPECT_FALSE(FindLegacyPresetChoices(700)->AudioOnly);
    const TPresetChoices amr = *FindLegacyPresetChoices(708);
    EXPECT_TRUE(amr.AudioOnly);
    EXPECT_EQ(TextsOf(amr.Pick(TPreset::SampleRate)), std::vector<std::string>{"8000"});
}

TEST(LegacyPresetListsTest, AudioOnlyKeys)
{
    std::set<int> audioOnly;
    for (int c = 0; c < LegacyCategoryCount; ++c)
        for (size_t p = 0; p < LegacyProfiles(c).size(); ++p) {
            const int key = *LegacyCatalogueKey(c, int(p));
            if (FindLegacyPresetChoices(key)->AudioOnly)
                audioOnly.insert(key);
        }
    const std::set<int> expected = {200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 212, 708, 1202, 1203};
    EXPECT_EQ(audioOnly, expected);
    const TPresetChoices flash = *FindLegacyPresetChoices(1202);
    EXPECT_STREQ(flash.Pick(TPreset::Resolution).DefaultText(), "该格式无视频");
    for (TPreset preset : {TPreset::VideoBitrate, TPreset::FrameRate, TPreset::VideoMode})
        EXPECT_STREQ(flash.Pick(preset).DefaultText(), "无视频");
}

TEST(LegacyPresetListsTest, KeysWithoutALegacyProfileHaveNoLists)
{
    // 1300 and 2000 have lists in the catalogue, but the legacy list has no
    // such profiles.
    for (int key : {-1, 0, 99, 115, 213, 310, 714, 1204, 1300, 2000, 2414})
        EXPECT_FALSE(FindLegacyPresetChoices(key).has_value()) << key;
}

struct TFillCase {
    int Category;
    int Profile;
    std::optional<int> Key;
};

TEST(LegacyPresetListsTest, FillClearsTheAudioOnlyFlagForEveryChoice)
{
    const TFillCase cases[] = {
        {0, 0, 100}, {1, 0, 200}, {6, 8, 708}, {11, 3, 1203}, {0, 15, std::nullopt}, {12, 0, std::nullopt}, {-1, 0, std::nullopt},
    };
    for (const TFillCase& c : cases) {
        TOutputFields f;
        f.Video_DisableVideo = true;
        f.All_Trant_Number = 5;
        const auto choices = LegacyPresetFill(f, c.Category, c.Profile);
        EXPECT_EQ(choices ? std::optional<int>(choices->Key) : std::nullopt, c.Key);
        EXPECT_FALSE(f.Video_DisableVideo);
        EXPECT_EQ(f.All_Trant_Number, 5);
    }
    TOutputFields f;
    const TPresetChoices first = *LegacyPresetFill(f, 0, 0);
    const size_t counts[PresetCount] = {28, 8, 17, 5, 12, 6};
    const int picks[PresetCount] = {0, 3, 10, 0, 9, 4};
    for (TPreset preset : AllPresets) {
        EXPECT_EQ(first.Pick(preset).Texts.size(), counts[PresetIndex(preset)]);
        EXPECT_EQ(first.Pick(preset).DefaultIndex, picks[PresetIndex(preset)]);
    }
    EXPECT_STREQ(first.Pick(TPreset::Resolution).DefaultText(), "保持原分辨率");
}

} // namespace
} // namespace profiles
