#include "profiles/ProfileCatalogue.h"

#include "platform/core/SysUtils.h"

namespace profiles {

namespace {

// The category list, position 0 first. The catalogue maps positions to
// numbers by this table; it never reads the items' image indexes.
constexpr TCategory CategoryTable[CategoryCount] = {
    {"音频格式", 1},
    {"视频格式", 0},
    {"MP4格式", 10},
    {"iPod格式", 3},
    {"iPhone格式", 4},
    {"iPad格式", 12},
    {"PSP格式", 5},
    {"3GP格式", 6},
    {"APPLE格式", 7},
    {"XboX格式", 8},
    {"PMP格式", 9},
    {"MPG格式", 13},
    {"SWF格式", 14},
    {"AVI格式", 15},
    {"Android格式", 19},
};

// Profile names by category number, in list order. The names are shown as
// they stand, odd blanks included.
// Category number 0, "视频格式"
constexpr const char* Names0[] = {
    "AVI - 音频视频交错格式(*.avi)",
    "MP4 - MPEG-4视频格式(*.mp4)",
    "DivX - 视频格式(*.avi)",
    "MOV - 苹果QuickTime视频格式(*.mov)",
    "XviD - 视频格式(*.avi)",
    "MKV - Matroska视频格式(*.mkv)",
    "MPEG-1视频格式(*.mpg)",
    "MPEG-2视频格式(*.mpg)",
    "ASF - 高级流视频格式(*.asf)",
    "3GP - 视频格式(*.3gp)",
    "WMV - 视频格式(*.wmv)",
    "DVD - 视频格式(*.mpg)",
    "SVCD - 视频格式(*.mpg)",
    "VCD - 视频格式(*.mpg)",
    "RM - REAL视频格式(*.rm)",
};
// Category number 1, "音频格式"
constexpr const char* Names1[] = {
    "MP3 - MPEG Layer-3音频格式(*.mp3)",
    "WMA - Windows媒体音频格式(*.wma)",
    "WAV - 波形音频格式(*.wav)",
    "AAC - 高级音频格式(*.aac)",
    "M4A - MPEG-4音频格式(*.m4a)",
    "OGG - Ogg Vorbis音频格式(*.ogg)",
    "RA - RealAudio音频格式(*.ra)",
    "AC3 - 杜比数字AC-3音频格式(*.ac3)",
    "AIFF - 音频交换文件格式(*.aiff)",
    "MP2 - MPEG Layer-2音频格式(*.mp2)",
    "FLAC-音频格式(*.flac)",
    "MP4-MP4音频格式(*.m4a)",
    "AMR-手机音频格式(*.amr)",
};
// Category number 3, "iPod格式"
constexpr const char* Names3[] = {
    "iPod (320X240) 高清晰视频(*.mp4)",
    "iPod (320X240) 高压缩视频(*.mp4)",
    "iPod (320X240) 标准视频(*.mp4)",
    "iPod Video2 TV OutPut视频(*.mp4)",
    "iPod Video2 (640X480)视频(*.mp4)",
    "iPod Video2 (640X480)高清晰视频(*.mp4)",
    "iPod Video2 (640X480)高压缩视频(*.mp4)",
    "iPod touch MPEG-4视频(*.mp4)",
    "iPod touch MPEG-4 480P视频(*.mp4)",
    "iPod touch MPEG-4 480P高清晰视频(*.mp4)",
    "iPod touch MPEG-4 480P高压缩视频(*.mp4)",
    "iPod touch MPEG-4 480P宽屏视频(*.mp4)",
    "iPod touch MPEG-4 (320X240)视频(*.mp4)",
    "iPod touch MPEG-4 (480X320)视频(*.mp4)",
};
// Category number 4, "iPhone格式"
constexpr const char* Names4[] = {
    "iPhone MPEG-4视频(*.mp4)",
    "iPhone MPEG-4视频480P(*.mp4)",
    "iPhone MPEG-4视频宽屏(*.mp4)",
    "iPhone MPEG-4高清晰视频(*.mp4)",
    "iPhone MPEG-4视频(320X240)(*.mp4)",
    "iPhone MPEG-4视频(480X320)(*.mp4)",
};
// Category number 5, "PSP格式"
constexpr const char* Names5[] = {
    "PSP MPEG-4视频(*.mp4)",
    "PSP AVC MPEG-4视频(*.mp4)",
    "PSP高清晰MPEG-4视频(*.mp4)",
    "PSP高压缩MPEG-4视频(*.mp4)",
    "PSP Video MPEG-4视频480P(*.mp4)",
};
// Category number 6, "3GP格式"
constexpr const char* Names6[] = {
    "3GPP -  第三代合作项目-3GP视频+AMR音频(*.3gp)",
    "3GPP -  第三代合作项目-3GP视频+AAC音频(*.3gp)",
    "3GPP2 -  第三代合作项目2-3G2视频+AMR音频(*.3g2)",
    "3GPP2 -  第三代合作项目2-3G2视频+AAC音频(*.3g2)",
    "黑莓手机3GP视频+AMR音频(*.3gp)",
    "黑莓手机3GP视频+AAC音频(*.3gp)",
    "黑莓手机AVI视频(*.avi)",
    "黑莓手机MPEG-4视频(*.mp4)",
    "黑莓手机AMR音频格式(*.amr)",
    "Symbian智能平台手机专用MP4视频(*.mp4)",
    "各种手机常用的MP4视频(*.mp4)",
    "各种手机常用的AVI视频(*.avi)",
    "各种手机常用的MOV视频(*.mov)",
    "各种手机常用的MP4视频(*.mp4)",
};
// Category number 7, "APPLE格式"
constexpr const char* Names7[] = {
    "Apple TV H264视频(320X240)(*.mp4)",
    "Apple TV H264视频480P(640X480)(*.mp4)",
    "Apple TV H264视频720P(1280X720)(*.mp4)",
    "Apple TV H264高清晰视频480P(640X480)(*.mp4)",
    "Apple TV MPEG-4高压缩视频480P(640X480)(*.mp4)",
};
// Category number 8, "XboX格式"
constexpr const char* Names8[] = {
    "Xbox360 HD H.264视频(*.mp4)",
    "Xbox360 MCE HD MPEG-2视频(*.mpg)",
    "Xbox360 MCE HD MPEG-2视频(*.mpg)",
    "Xbox360 MPEG-4视频(*.mp4)",
    "Xbox360 MP4高清晰视频(*.mp4)",
    "Xbox360 WMV视频(*.wmv)",
    "Xbox360 WMV HDTV视频(*.wmv)",
    "Xbox360 MCE 高清晰AVI视频(*.avi)",
    "Xbox360 MCE 高清晰AVI视频(*.avi)",
    "Xbox360 MCE 高清晰AVI视频(*.avi)",
};
// Category number 9, "PMP格式"
constexpr const char* Names9[] = {
    "爱可视AV500/GMini402视频(*.avi)",
    "爱可视AV700视频(*.avi)",
    "Creative Zen Vision视频(*.avi)",
    "Zune MPEG-4 AVC视频(*.mp4)",
    "Zune MPEG-4 AVC视频(*.mp4)",
    "Zune MPEG-4视频(*.mp4)",
    "Zune WMV多媒体视频(*.wmv)",
    "iRiver PMP-100视频(*.avi)",
};
// Category number 10, "MP4格式"
constexpr const char* Names10[] = {
    "MP4机播放的MP4视频格式(*.mp4)",
    "电脑上使用的MP4视频格式(*.mp4)",
    "MPEG-4视频高清晰视频(*.mp4)",
    "MP4 AVC视频(*.mp4)",
    "MP4 H264编码视频(*.mp4)",
};
// Category number 12, "iPad格式"
constexpr const char* Names12[] = {
    "iPad标准视频格式(*.mp4)",
    "iPad高清视频格式H.264编码(*.mp4)",
    "iPad MPEG-4视频格式 XviD编码 (*.mp4)",
    "iPad 720P HD高清晰视频MPEG-4(*.mp4)",
    "iPad 优化视频方案1(*.mp4)",
    "iPad 优化视频方案2(*.mp4)",
};
// Category number 13, "MPG格式"
constexpr const char* Names13[] = {
    "MPG标准视频(*.mpg)",
    "MPEG-1标准视频(*.mpg)",
    "MPEG-2标准视频(*.mpg)",
    "MPEG-4标准视频(*.mp4)",
    "MPEG-2高清HD视频(*.mpg)",
    "MPEG-4高清HD视频(*.mp4)",
    "MPEG-2优化视频(*.mpg)",
    "MPEG-2高压缩视频(*.mpg)",
    "DVD格式高清晰视频(*.mpg)",
    "SVCD格式标清视频(*.mpg)",
    "VCD格式清晰视频(*.mpg)",
};
// Category number 14, "SWF格式"
constexpr const char* Names14[] = {
    "标准的SWF视频格式(*.swf)",
    "高清的SWF动画视频FLASH动画视频(*.swf)",
    "优化的SWF视频格式(*.swf)",
    "高压缩的SWF视频格式(*.swf)",
    "FLV在线网络视频(*.flv)",
    "SWF动画视频FLASH动画音频格式(*.swf)",
    "FLV在线网络音频格式(*.flv)",
};
// Category number 15, "AVI格式"
constexpr const char* Names15[] = {
    "AVI标准视频(*.avi)",
    "HD高清晰AVI标准视频(*.avi)",
    "网络上常用的AVI视频(*.avi)",
    "电脑上常用的AVI视频(*.avi)",
    "优化的AVI视频(*.avi)",
    "高压缩的AVI视频(*.avi)",
    "高清的HD AVI视频(*.avi)",
};
// Category number 19, "Android格式"
constexpr const char* Names19[] = {
    "3GPP -  第三代合作项目-3GP视频+AMR音频(*.3gp)",
    "3GPP -  第三代合作项目-3GP视频+AAC音频(*.3gp)",
    "3GPP2 -  第三代合作项目2-3G2视频+AMR音频(*.3g2)",
    "3GPP2 -  第三代合作项目2-3G2视频+AAC音频(*.3g2)",
    "Android手机3GP视频+AMR音频(*.3gp)",
    "Android手机3GP视频+AAC音频(*.3gp)",
    "Android手机AVI视频(*.avi)",
    "Android手机MPEG-4视频(*.mp4)",
    "Android手机AMR音频格式(*.amr)",
    "Symbian智能平台手机专用MP4视频(*.mp4)",
    "各种手机常用的MP4视频(*.mp4)",
    "各种手机常用的AVI视频(*.avi)",
    "各种手机常用的MOV视频(*.mov)",
    "各种手机常用的MP4视频(*.mp4)",
};

// Names by category number; the numbers no category-list item reaches have
// no names.
constexpr std::span<const char* const> NamesByNumber[CategoryNumberCount] = {
    Names0, Names1, {}, Names3, Names4, Names5, Names6, Names7, Names8, Names9, Names10, {},
    Names12, Names13, Names14, Names15, {}, {}, {}, Names19, {}, {}, {}, {},
};

} // namespace

std::span<const TCategory> Categories()
{
    return CategoryTable;
}

std::optional<int> CategoryNumber(int ACategoryPosition)
{
    if (ACategoryPosition < 0 || ACategoryPosition >= CategoryCount)
        return std::nullopt;
    return CategoryTable[ACategoryPosition].Number;
}

std::optional<int> CatalogueKey(int ACategoryPosition, int AProfilePosition)
{
    const std::optional<int> number = CategoryNumber(ACategoryPosition);
    if (!number || AProfilePosition < 0 || AProfilePosition > 99)
        return std::nullopt;
    return (*number + 1) * 100 + AProfilePosition;
}

int RowProfileCode(int ACategoryPosition, int AProfilePosition)
{
    return (ACategoryPosition + 1) * 100 + AProfilePosition;
}

std::string RowProfileCodeText(int ACategoryPosition, int AProfilePosition)
{
    return platform::IntToStr(RowProfileCode(ACategoryPosition, AProfilePosition));
}

std::span<const char* const> ProfileNames(int ACategoryNumber)
{
    if (ACategoryNumber < 0 || ACategoryNumber >= CategoryNumberCount)
        return {};
    return NamesByNumber[ACategoryNumber];
}

std::span<const char* const> ProfileNamesAt(int ACategoryPosition)
{
    const std::optional<int> number = CategoryNumber(ACategoryPosition);
    return number ? ProfileNames(*number) : std::span<const char* const>();
}

const char* ProfileName(int AKey)
{
    const std::span<const char* const> names = ProfileNames(AKey / 100 - 1);
    const int position = AKey % 100;
    if (AKey < 100 || position >= int(names.size()))
        return nullptr;
    return names[position];
}

} // namespace profiles
