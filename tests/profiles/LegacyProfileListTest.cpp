#include "profiles/LegacyProfileList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "profiles/PresetLists.h"
#include "profiles/ProfileCatalogue.h"

namespace profiles {
namespace {

TEST(LegacyProfileListTest, TwelveCategoriesAreTheirOwnNumbers)
{
    const char* const captions[LegacyCategoryCount] = {
        "常用视频", "常用音频", "HD视频", "iPod视频", "iPhone视频", "PSP视频",
        "3GP视频", "APPLE视频", "XboX视频", "PMP视频", "MP4视频", "Flash视频"};
    ASSERT_EQ(LegacyCategories().size(), size_t(LegacyCategoryCount));
    for (int i = 0; i < LegacyCategoryCount; ++i) {
        EXPECT_STREQ(LegacyCategories()[i].Caption, captions[i]);
        EXPECT_EQ(LegacyCategories()[i].ImageIndex, i);
    }
}

TEST(LegacyProfileListTest, ProfileCountsPerCategory)
{
    const size_t counts[LegacyCategoryCount] = {15, 13, 10, 14, 6, 5, 14, 5, 10, 8, 5, 4};
    size_t total = 0;
    for (int i = 0; i < LegacyCategoryCount; ++i) {
        EXPECT_EQ(LegacyProfiles(i).size(), counts[i]) << i;
        total += LegacyProfiles(i).size();
    }
    EXPECT_EQ(total, 109u);
    EXPECT_TRUE(LegacyProfiles(-1).empty());
    EXPECT_TRUE(LegacyProfiles(12).empty());
}

struct TKeyCase {
    int Category;
    int Profile;
    std::optional<int> Key;
};

TEST(LegacyProfileListTest, KeysOfListedProfilesOnly)
{
    const TKeyCase cases[] = {
        {0, 0, 100},   {11, 3, 1203},       {0, 14, 114},         {0, 15, std::nullopt}, {1, 12, 212},
        {1, 13, std::nullopt}, {2, 9, 309}, {6, 13, 713},         {12, 0, std::nullopt}, {-1, 0, std::nullopt},
        {0, -1, std::nullopt}, {0, 100, std::nullopt},
    };
    for (const TKeyCase& c : cases)
        EXPECT_EQ(LegacyCatalogueKey(c.Category, c.Profile), c.Key) << c.Category << " " << c.Profile;
    for (int key : {-100, 0, 99, 115, 213, 310, 1204, 1300, 2000})
        EXPECT_EQ(FindLegacyProfile(key), nullptr) << key;
    EXPECT_EQ(FindLegacyProfile(1203), &LegacyProfiles(11)[3]);
}

struct TRowCase {
    int Key;
    const char* Title;
    const char* Caption;
    int ImageIndex;
};

TEST(LegacyProfileListTest, RowsStandAsListed)
{
    const TRowCase cases[] = {
        {100, "AVI - 音频视频交错格式(*.avi)", "AVI最常用的视频格式,语音和影像同步组合在一起的文件格式", 0},
        {105, "MKV - Matroska视频格式(*.mkv)", "Matroska是一种新的多媒体封装格式 ，有超清晰的画面，和完美的音质", 5},
        {202, "WAV - 波形音频格式(*.wav) ", "WAV为微软公司开发的波形声音文件格式", 2},
        {211, "ALAC-Apple Lossless无损音频格式(*.alac) ",
         "ALAC是流行的Apple Lossless无损音频格,ALAC是一种无损压缩音频技术,具有完美的CD音质", 11},
        {300, "高清AVI视频格式(*.avi)", "高清晰AVI视频格式(DivX视频编码)", 20},
        {301, "高清AVI视频格式(*.avi)", "高清晰AVI视频格式(XviD视频编码)", 21},
        {303, "高清MPEG-4视频格式(*.mp4)", "高清MPEG-4视频格式)", 21},
        {502, "iPhone MPEG-4视频宽屏(*.mp4)", "为iPhone优化的MPEG-4视频预置方案.(宽屏)", 20},
        {700, "3GPP -  第三代合作项目-3GP视频+AMR音频(*.3gp)", "第三代合作伙伴项目3GPP制定的多媒体格式，手机视频格式.(AMR音频)", 20},
        {702, "3GPP2 -  第三代合作项目2-3G2视频+AMR音频(*.3g2))",
         "第三代合作伙伴项目2-3GPP2制定的多媒体格式，手机视频格式.(AMR音频)", 21},
        {804, "Apple TV MPEG-4高压缩视频480P(640X480)(*.mp4)", "为Apple TV优化的MPEG-4视频预置方案.(640X480高压缩)", 26},
        {909, "Xbox360 MCE 高清晰AVI视频(*.avi)", "为Xbox360优化的AVI视频预置方案.(微软编码2).", 21},
        {1203, "SWF动画视频FLASH动画音频格式(*.swf)", "最常用的FLASH动画视频预置方案，动画格式为SWF文件(音频格式)", 25},
    };
    for (const TRowCase& c : cases) {
        SCOPED_TRACE(c.Key);
        const TLegacyProfile* profile = FindLegacyProfile(c.Key);
        ASSERT_NE(profile, nullptr);
        EXPECT_STREQ(profile->Title, c.Title);
        EXPECT_STREQ(profile->Caption, c.Caption);
        EXPECT_EQ(profile->ImageIndex, c.ImageIndex);
    }
}

TEST(LegacyProfileListTest, RepeatedTitlesAreSeparateProfiles)
{
    const auto xbox = LegacyProfiles(8);
    for (int i : {7, 8, 9})
        EXPECT_STREQ(xbox[i].Title, "Xbox360 MCE 高清晰AVI视频(*.avi)");
    EXPECT_STRNE(xbox[7].Caption, xbox[8].Caption);
    EXPECT_STREQ(xbox[1].Title, xbox[2].Title);
    EXPECT_STREQ(xbox[1].Caption, xbox[2].Caption);
    EXPECT_EQ(xbox[1].ImageIndex, 23);
    EXPECT_EQ(xbox[2].ImageIndex, 24);
    EXPECT_STREQ(LegacyProfiles(6)[10].Title, LegacyProfiles(6)[13].Title);
}

// Entry by entry against the catalogue's names of the same category number:
// equal but for the three older names. The catalogue lists no names for
// "HD视频" and "Flash视频"; their profiles still have preset lists there.
TEST(LegacyProfileListTest, TitlesAreTheCataloguesNamesButThree)
{
    const std::map<int, const char*> older = {
        {202, "WAV - 波形音频格式(*.wav)"},
        {211, "MP4-MP4音频格式(*.m4a)"},
        {702, "3GPP2 -  第三代合作项目2-3G2视频+AMR音频(*.3g2)"},
    };
    int differing = 0;
    for (int c = 0; c < LegacyCategoryCount; ++c) {
        const auto names = ProfileNames(c);
        const auto profiles = LegacyProfiles(c);
        if (c == 2 || c == 11) {
            EXPECT_TRUE(names.empty());
            for (size_t p = 0; p < profiles.size(); ++p)
                EXPECT_TRUE(FindPresetChoices(*LegacyCatalogueKey(c, int(p))).has_value()) << c << " " << p;
            continue;
        }
        ASSERT_EQ(profiles.size(), names.size()) << c;
        for (size_t p = 0; p < profiles.size(); ++p) {
            const int key = *LegacyCatalogueKey(c, int(p));
            if (older.count(key) == 0) {
                EXPECT_STREQ(profiles[p].Title, names[p]) << key;
                continue;
            }
            ++differing;
            EXPECT_STRNE(profiles[p].Title, names[p]) << key;
            EXPECT_STREQ(names[p], older.at(key)) << key;
        }
    }
    EXPECT_EQ(differing, 3);
}

} // namespace
} // namespace profiles
