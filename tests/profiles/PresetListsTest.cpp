#include "profiles/PresetLists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "profiles/ProfileCatalogue.h"

namespace profiles {
namespace {

TEST(PresetListsTest, KeysRunFromEachCategorysHundred)
{
    // Profiles per category number 0..23, unreachable numbers included.
    const int counts[CategoryNumberCount] = {15, 13, 10, 14, 6, 5, 14, 5, 10, 8, 5, 4,
                                             6,  11, 7,  7,  7, 7, 7,  14, 6, 13, 13, 15};
    std::vector<int> expected;
    for (int number = 0; number < CategoryNumberCount; ++number)
        for (int i = 0; i < counts[number]; ++i)
            expected.push_back((number + 1) * 100 + i);
    EXPECT_EQ(PresetKeys(), expected);
    EXPECT_EQ(expected.size(), 222u);
    for (int number = 0; number < CategoryNumberCount; ++number) {
        const size_t names = ProfileNames(number).size();
        if (names != 0) {
            EXPECT_EQ(names, size_t(counts[number])) << number;
        }
    }
}

TEST(PresetListsTest, KeysWithoutEntryHaveNoLists)
{
    for (int key : {-1, 0, 99, 115, 199, 213, 310, 1204, 2014, 2415, 2500})
        EXPECT_FALSE(FindPresetChoices(key).has_value()) << key;
}

struct TDefaultsCase {
    int Key;
    // Entry counts and default texts, in TPreset order: resolution, video
    // bitrate, audio bitrate, video mode, frame rate, sample rate.
    size_t Counts[PresetCount];
    const char* Texts[PresetCount];
    bool AudioOnly;
};

TEST(PresetListsTest, DefaultPicksOfKeys)
{
    const TDefaultsCase cases[] = {
        {100, {28, 8, 17, 5, 12, 6}, {"保持原分辨率", "816 kbps", "128 kbps", "保持原视频模式", "25.00", "44100"}, false},
        {101, {28, 9, 17, 5, 12, 6}, {"保持原分辨率", "768 kbps", "128 kbps", "保持原视频模式", "25.00", "44100"}, false},
        {109, {11, 15, 6, 2, 7, 1}, {"176*144", "128 kbps", "12 kbps", "保持原视频模式", "12", "8000"}, false},
        {200, {1, 1, 17, 1, 1, 6}, {"该格式无视频", "无视频", "128 kbps", "无视频", "无视频", "44100"}, true},
        {202, {1, 1, 17, 1, 1, 6}, {"该格式无视频", "无视频", "192 kbps", "无视频", "无视频", "48000"}, true},
        {212, {1, 1, 8, 1, 1, 1}, {"该格式无视频", "无视频", "7.4 kbps", "无视频", "无视频", "8000"}, true},
        {400, {7, 9, 5, 5, 10, 4}, {"320*240", "1000 kbps", "128 kbps", "保持原视频模式", "25.00", "48000"}, false},
        {411, {12, 9, 5, 5, 10, 4}, {"640*272", "768 kbps", "128 kbps", "宽屏视频16:9模式", "25.00", "48000"}, false},
        {702, {11, 15, 8, 5, 7, 1}, {"176*144", "128 kbps", "10.2 kbps", "保持原视频模式", "12", "8000"}, false},
        {707, {13, 17, 8, 5, 8, 7}, {"176*144", "160 kbps", "48 kbps", "保持原视频模式", "15", "32000"}, false},
        {708, {1, 1, 8, 1, 1, 1}, {"该格式无视频", "无视频", "7.4 kbps", "无视频", "无视频", "8000"}, true},
        {1100, {19, 8, 17, 5, 12, 6}, {"320*240", "816 kbps", "128 kbps", "保持原视频模式", "25.00", "44100"}, false},
        {1202, {1, 1, 17, 1, 1, 3}, {"该格式无视频", "无视频", "128 kbps", "无视频", "无视频", "22050"}, true},
        {1303, {6, 9, 5, 5, 6, 5}, {"720*576", "1500 kbps", "160 kbps", "保持原视频模式", "30.00", "48000"}, false},
        {1906, {28, 8, 17, 5, 4, 6}, {"1280*720", "1600 kbps", "128 kbps", "保持原视频模式", "29.97", "48000"}, false},
        {2104, {28, 10, 17, 5, 4, 6}, {"640*480", "528 kbps", "128 kbps", "保持原视频模式", "保持原帧速率", "44100"}, false},
        {2411, {11, 8, 17, 5, 4, 6}, {"1280*720", "1200 kbps", "128 kbps", "保持原视频模式", "29.97", "48000"}, false},
        {2414, {28, 8, 17, 5, 12, 6}, {"320*240", "528 kbps", "128 kbps", "保持原视频模式", "25.00", "44100"}, false},
    };
    for (const TDefaultsCase& c : cases) {
        SCOPED_TRACE(c.Key);
        const auto choices = FindPresetChoices(c.Key);
        ASSERT_TRUE(choices.has_value());
        EXPECT_EQ(choices->Key, c.Key);
        EXPECT_EQ(choices->AudioOnly, c.AudioOnly);
        for (TPreset preset : AllPresets) {
            SCOPED_TRACE(PresetComboName(preset));
            EXPECT_EQ(choices->Pick(preset).Texts.size(), c.Counts[PresetIndex(preset)]);
            EXPECT_STREQ(choices->Pick(preset).DefaultText(), c.Texts[PresetIndex(preset)]);
        }
    }
}

TEST(PresetListsTest, ListsAreKeptWholeWithRepeatedEntries)
{
    const auto key100 = FindPresetChoices(100);
    const auto res = key100->Pick(TPreset::Resolution).Texts;
    EXPECT_STREQ(res[19], "1280*720");
    EXPECT_STREQ(res[24], "1920*1200");
    EXPECT_STREQ(res[25], "1920*1200");
    EXPECT_STREQ(res[27], "2560*1600");
    const auto amr = FindPresetChoices(212)->Pick(TPreset::AudioBitrate).Texts;
    const std::vector<std::string> a3(amr.begin(), amr.end());
    EXPECT_EQ(a3, (std::vector<std::string>{"4.75 kbps", "5.15 kbps", "5.9 kbps", "6.7 kbps", "7.4 kbps",
                                            "7.95 kbps", "10.2 kbps", "12.2 kbps"}));
    const auto modes = key100->Pick(TPreset::VideoMode).Texts;
    EXPECT_STREQ(modes[2], "宽屏视频16:9模式");
    EXPECT_STREQ(modes[4], "宽屏视频47:20模式");
    // R19 is the first 19 entries of R1.
    const auto r19 = FindPresetChoices(1100)->Pick(TPreset::Resolution).Texts;
    EXPECT_TRUE(std::equal(r19.begin(), r19.end(), res.begin(),
                           [](const char* a, const char* b) { return std::string(a) == b; }));
}

TEST(PresetListsTest, AudioOnlyKeysOfferNoVideoChoice)
{
    const std::set<int> audioOnly = {200, 201, 202, 203, 204, 205, 206, 207, 208, 209,
                                     210, 211, 212, 708, 1202, 1203, 1505, 1506, 2008};
    for (int key : PresetKeys()) {
        SCOPED_TRACE(key);
        const auto choices = FindPresetChoices(key);
        ASSERT_TRUE(choices.has_value());
        EXPECT_EQ(choices->AudioOnly, audioOnly.count(key) == 1);
        for (TPreset preset : AllPresets) {
            const TPresetPick& pick = choices->Pick(preset);
            ASSERT_GE(pick.DefaultIndex, 0);
            ASSERT_LT(size_t(pick.DefaultIndex), pick.Texts.size());
            ASSERT_LE(pick.Texts.size(), 28u);
            const bool noVideoText = std::any_of(pick.Texts.begin(), pick.Texts.end(), [](const char* t) {
                return std::string(t) == "无视频" || std::string(t) == "该格式无视频";
            });
            EXPECT_EQ(noVideoText, choices->AudioOnly && preset != TPreset::AudioBitrate &&
                                       preset != TPreset::SampleRate);
        }
    }
}

TEST(PresetListsTest, OrdersAndComboNames)
{
    EXPECT_STREQ(PresetComboName(TPreset::Resolution), "bsSkinComboBox1");
    EXPECT_STREQ(PresetComboName(TPreset::VideoBitrate), "bsSkinComboBox2");
    EXPECT_STREQ(PresetComboName(TPreset::AudioBitrate), "bsSkinComboBox3");
    EXPECT_STREQ(PresetComboName(TPreset::VideoMode), "bsSkinComboBox4");
    EXPECT_STREQ(PresetComboName(TPreset::FrameRate), "bsSkinComboBox9");
    EXPECT_STREQ(PresetComboName(TPreset::SampleRate), "bsSkinComboBox10");
    std::vector<std::string> fill;
    for (TPreset preset : PresetFillOrder)
        fill.push_back(PresetComboName(preset));
    EXPECT_EQ(fill, (std::vector<std::string>{"bsSkinComboBox1", "bsSkinComboBox2", "bsSkinComboBox9",
                                              "bsSkinComboBox3", "bsSkinComboBox10", "bsSkinComboBox4"}));
    std::vector<std::string> disabled;
    for (TPreset preset : AudioOnlyDisabledPresets)
        disabled.push_back(PresetComboName(preset));
    EXPECT_EQ(disabled, (std::vector<std::string>{"bsSkinComboBox1", "bsSkinComboBox2", "bsSkinComboBox4",
                                                  "bsSkinComboBox9"}));
}

TEST(PresetListsTest, NeighbouringKeysChangeOnlyWhatDiffers)
{
    // 100 to 101: only the video bitrate's shown text changes.
    const auto a = FindPresetChoices(100);
    const auto b = FindPresetChoices(101);
    for (TPreset preset : AllPresets)
        EXPECT_EQ(std::string(a->Pick(preset).DefaultText()) == b->Pick(preset).DefaultText(),
                  preset != TPreset::VideoBitrate)
            << PresetComboName(preset);
    // 100 to 400: the audio bitrate still shows "128 kbps" (entry 10 of one
    // list, entry 2 of the other).
    const auto c = FindPresetChoices(400);
    EXPECT_EQ(a->Pick(TPreset::AudioBitrate).DefaultIndex, 10);
    EXPECT_EQ(c->Pick(TPreset::AudioBitrate).DefaultIndex, 2);
    EXPECT_STREQ(c->Pick(TPreset::AudioBitrate).DefaultText(), "128 kbps");
}

} // namespace
} // namespace profiles
