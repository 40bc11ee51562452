#include "profiles/ProfileCatalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace profiles {
namespace {

TEST(ProfileCatalogueTest, CategoryListMapsPositionsToNumbers)
{
    struct TCase {
        int Position;
        const char* Caption;
        int Number;
    };
    const TCase cases[] = {
        {0, "音频格式", 1},  {1, "视频格式", 0},   {2, "MP4格式", 10},  {3, "iPod格式", 3},
        {4, "iPhone格式", 4}, {5, "iPad格式", 12},  {6, "PSP格式", 5},   {7, "3GP格式", 6},
        {8, "APPLE格式", 7}, {9, "XboX格式", 8},   {10, "PMP格式", 9},  {11, "MPG格式", 13},
        {12, "SWF格式", 14}, {13, "AVI格式", 15},  {14, "Android格式", 19},
    };
    ASSERT_EQ(Categories().size(), std::size(cases));
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Position);
        EXPECT_STREQ(Categories()[c.Position].Caption, c.Caption);
        EXPECT_EQ(Categories()[c.Position].Number, c.Number);
        EXPECT_EQ(CategoryNumber(c.Position), c.Number);
    }
    EXPECT_EQ(CategoryNumber(-1), std::nullopt);
    EXPECT_EQ(CategoryNumber(15), std::nullopt);
}

TEST(ProfileCatalogueTest, KeysAndRowCodes)
{
    struct TCase {
        int Category;
        int Profile;
        int Key;
        int RowCode;
    };
    const TCase cases[] = {
        {0, 0, 200, 100},    // MP3: key and row code differ
        {1, 14, 114, 214},   // RM
        {14, 13, 2013, 1513}, // Android keys are 2000 up, not 1500 up
        {3, 0, 400, 400},    // iPod and iPhone: key and code agree
        {4, 5, 505, 505},
        {2, 4, 1104, 304},
        {5, 0, 1300, 600},
        {9, 8, 908, 1008},
        {13, 6, 1606, 1406},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Category << "/" << c.Profile);
        EXPECT_EQ(CatalogueKey(c.Category, c.Profile), c.Key);
        EXPECT_EQ(RowProfileCode(c.Category, c.Profile), c.RowCode);
        EXPECT_EQ(RowProfileCodeText(c.Category, c.Profile), std::to_string(c.RowCode));
    }
    EXPECT_EQ(CatalogueKey(-1, 0), std::nullopt);
    EXPECT_EQ(CatalogueKey(15, 0), std::nullopt);
    EXPECT_EQ(CatalogueKey(0, -1), std::nullopt);
    EXPECT_EQ(CatalogueKey(0, 100), std::nullopt);
}

TEST(ProfileCatalogueTest, EachCategoryListsItsProfiles)
{
    struct TCase {
        int Position;
        size_t Count;
        const char* First;
        const char* Last;
    };
    const TCase cases[] = {
        {0, 13, "MP3 - MPEG Layer-3音频格式(*.mp3)", "AMR-手机音频格式(*.amr)"},
        {1, 15, "AVI - 音频视频交错格式(*.avi)", "RM - REAL视频格式(*.rm)"},
        {2, 5, "MP4机播放的MP4视频格式(*.mp4)", "MP4 H264编码视频(*.mp4)"},
        {3, 14, "iPod (320X240) 高清晰视频(*.mp4)", "iPod touch MPEG-4 (480X320)视频(*.mp4)"},
        {4, 6, "iPhone MPEG-4视频(*.mp4)", "iPhone MPEG-4视频(480X320)(*.mp4)"},
        {5, 6, "iPad标准视频格式(*.mp4)", "iPad 优化视频方案2(*.mp4)"},
        {6, 5, "PSP MPEG-4视频(*.mp4)", "PSP Video MPEG-4视频480P(*.mp4)"},
        {7, 14, "3GPP -  第三代合作项目-3GP视频+AMR音频(*.3gp)", "各种手机常用的MP4视频(*.mp4)"},
        {8, 5, "Apple TV H264视频(320X240)(*.mp4)", "Apple TV MPEG-4高压缩视频480P(640X480)(*.mp4)"},
        {9, 10, "Xbox360 HD H.264视频(*.mp4)", "Xbox360 MCE 高清晰AVI视频(*.avi)"},
        {10, 8, "爱可视AV500/GMini402视频(*.avi)", "iRiver PMP-100视频(*.avi)"},
        {11, 11, "MPG标准视频(*.mpg)", "VCD格式清晰视频(*.mpg)"},
        {12, 7, "标准的SWF视频格式(*.swf)", "FLV在线网络音频格式(*.flv)"},
        {13, 7, "AVI标准视频(*.avi)", "高清的HD AVI视频(*.avi)"},
        {14, 14, "3GPP -  第三代合作项目-3GP视频+AMR音频(*.3gp)", "各种手机常用的MP4视频(*.mp4)"},
    };
    size_t total = 0;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Position);
        const auto names = ProfileNamesAt(c.Position);
        ASSERT_EQ(names.size(), c.Count);
        EXPECT_STREQ(names.front(), c.First);
        EXPECT_STREQ(names.back(), c.Last);
        total += names.size();
    }
    EXPECT_EQ(total, 140u);
    EXPECT_TRUE(ProfileNamesAt(15).empty());
    EXPECT_TRUE(ProfileNamesAt(-1).empty());
}

TEST(ProfileCatalogueTest, NamesByKeyIncludingRepeatedAndOddNames)
{
    struct TCase {
        int Key;
        const char* Name;
    };
    const TCase cases[] = {
        {200, "MP3 - MPEG Layer-3音频格式(*.mp3)"},
        {210, "FLAC-音频格式(*.flac)"},
        {206, "RA - RealAudio音频格式(*.ra)"},
        {114, "RM - REAL视频格式(*.rm)"},
        {1302, "iPad MPEG-4视频格式 XviD编码 (*.mp4)"},
        {907, "Xbox360 MCE 高清晰AVI视频(*.avi)"},
        {908, "Xbox360 MCE 高清晰AVI视频(*.avi)"},
        {909, "Xbox360 MCE 高清晰AVI视频(*.avi)"},
        {710, "各种手机常用的MP4视频(*.mp4)"},
        {713, "各种手机常用的MP4视频(*.mp4)"},
        {704, "黑莓手机3GP视频+AMR音频(*.3gp)"},
        {2004, "Android手机3GP视频+AMR音频(*.3gp)"},
        {2008, "Android手机AMR音频格式(*.amr)"},
        {702, "3GPP2 -  第三代合作项目2-3G2视频+AMR音频(*.3g2)"},
        {1000, "爱可视AV500/GMini402视频(*.avi)"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Key);
        ASSERT_NE(ProfileName(c.Key), nullptr);
        EXPECT_STREQ(ProfileName(c.Key), c.Name);
    }
    for (int key : {0, 99, 115, 213, 300, 1200, 1700, 2014, 2100, 2414, -200})
        EXPECT_EQ(ProfileName(key), nullptr) << key;
}

TEST(ProfileCatalogueTest, ThreeGpAndAndroidShareAllButThePhoneBrandRows)
{
    const auto gp = ProfileNames(6);
    const auto android = ProfileNames(19);
    ASSERT_EQ(gp.size(), android.size());
    for (size_t i = 0; i < gp.size(); ++i) {
        const bool brand = i >= 4 && i <= 8;
        EXPECT_EQ(std::string(gp[i]) == android[i], !brand) << i;
    }
}

TEST(ProfileCatalogueTest, ImagesAlternateDownTheList)
{
    EXPECT_EQ(ProfileImageIndex(0), 0);
    EXPECT_EQ(ProfileImageIndex(1), 1);
    EXPECT_EQ(ProfileImageIndex(14), 0);
    EXPECT_EQ(ProfileImageIndex(9), 1);
}

} // namespace
} // namespace profiles
