#include "app/workflow/TaskRows.h"

#include "platform/core/SysUtils.h"
#include "profiles/ProfileDefaults.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace app {

using namespace profiles;

const std::array<TColumnSpec, RowSubItemCount + 1> TaskColumns = {{
    {"输入文件", 80},  {"视频时间", 70},  {"文件大小", 70},   {"输出文件", 80},   {"转换进度", 70},
    {"", 0},           {"当前时间", 80},  {"转换大小", 80},   {"视频序号", 0},    {"视频类别", 0},
    {"视频选项", 0},   {"视频编码", 0},   {"音频编码", 0},    {"声音频道", 0},    {"VideoTag", 0},
    {"FileExt", 0},    {"视频分辨率", 0}, {"视频比特率", 0},  {"视频帧率", 0},    {"音频比特率", 0},
    {"音频采样率", 0}, {"视频缩放", 0},   {"视频能否", 0},    {"TargetType", 0},  {"NormType", 0},
}};

std::string SecToDate(int32_t ASec)
{
    const int s = ASec % 60;
    const int m = ((ASec - s) / 60) % 60;
    const int h = ((ASec - s - m * 60) / 3600) % 24;
    char text[32];
    std::snprintf(text, sizeof text, "%.2d:%.2d:%.2d", h, m, s);
    return text;
}

std::string MegabytesText(int64_t ABytes)
{
    // nearbyint follows the default rounding mode: halves to even.
    const double value = std::nearbyint(double(ABytes) / 1024.0 / 1024.0 * 100.0) / 100.0;
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr) + "MB";
}

std::string ProgressText(int64_t ACurrent, int64_t ATotal)
{
    if (ATotal <= 0)
        return "N/A";
    return platform::IntToStr(ACurrent * 100 / ATotal) + "%";
}

namespace {

// Whole-text decimal integers only; a row text that is no number leaves
// the record's value alone rather than stopping the whole run.
void SetInteger(const std::string& AText, int& AField)
{
    int64_t value = 0;
    if (platform::TryStrToInt64(AText, value) && value >= INT32_MIN && value <= INT32_MAX)
        AField = int(value);
}

} // namespace

void ApplyRowToRecord(const TTaskRow& ARow, engine::TOutputOptions& O)
{
    const std::string& videoCodec = ARow.Sub(siVideoCodec);
    if (!videoCodec.empty()) {
        O.VideoCodec = videoCodec;
        O.VideoPreset = videoCodec == "libx264" ? "libx264-default" : "";
    }
    const std::string& audioCodec = ARow.Sub(siAudioCodec);
    if (!audioCodec.empty() && audioCodec != "AUTO")
        O.AudioCodec = audioCodec;
    if (!ARow.Sub(siAudioChannels).empty())
        SetInteger(ARow.Sub(siAudioChannels), O.AudioChannels);
    const std::string& tag = ARow.Sub(siVideoTag);
    O.VideoTag = tag.empty() || videoCodec == "libx264" ? std::string() : tag;
    if (!ARow.Sub(siFileExt).empty())
        O.FileExt = ARow.Sub(siFileExt);
    if (!ARow.Sub(siFrameSize).empty())
        O.FrameSize = ARow.Sub(siFrameSize);
    if (!ARow.Sub(siVideoBitrate).empty())
        SetInteger(ARow.Sub(siVideoBitrate), O.VideoBitrate);
    if (!ARow.Sub(siFrameRate).empty())
        O.FrameRate = ARow.Sub(siFrameRate);
    const std::string& audioBitrate = ARow.Sub(siAudioBitrate);
    if (audioBitrate != "-1000" && audioBitrate != "-2000")
        SetInteger(audioBitrate, O.AudioBitrate);
    const std::string& rate = ARow.Sub(siSampleRate);
    if (!rate.empty() && rate != "AUTO")
        SetInteger(rate, O.AudioSampleRate);
    if (!ARow.Sub(siAspect).empty())
        O.FrameAspectRatio = ARow.Sub(siAspect);
    O.DisableVideo = ARow.Sub(siDisableVideo) == "True";
    const std::string& target = ARow.Sub(siTargetType);
    if (!target.empty())
        O.TargetType = target == "vcd"    ? engine::ttVCD
                       : target == "svcd" ? engine::ttSVCD
                       : target == "dvd"  ? engine::ttDVD
                                          : engine::ttIgnore;
    const std::string& norm = ARow.Sub(siNormType);
    O.NormType = norm == "PAL" ? engine::ntPAL : norm == "NTSC" ? engine::ntNTSC : engine::ntAuto;
}

std::string RowOutputPath(const std::string& AFolder, const TTaskRow& ARow)
{
    return platform::IncludeTrailingPathDelimiter(AFolder) + ARow.Sub(siOutputFileName);
}

void TTaskList::SetItemIndex(int AIndex)
{
    FItemIndex = AIndex >= 0 && AIndex < Count() ? AIndex : -1;
}

TTaskRow& TTaskList::Append(TTaskRow ARow)
{
    FRows.push_back(std::move(ARow));
    return FRows.back();
}

void TTaskList::Delete(int AIndex)
{
    FRows.erase(FRows.begin() + AIndex);
    FItemIndex = -1;
}

void TTaskList::Exchange(int AIndex1, int AIndex2)
{
    std::swap(FRows.at(size_t(AIndex1)), FRows.at(size_t(AIndex2)));
}

void TTaskList::Clear()
{
    FRows.clear();
    FItemIndex = -1;
}

void TTaskList::TaskRemoved(int ANumber)
{
    if (ANumber < 1)
        return; // a row without a task: no task moved
    for (TTaskRow& row : FRows) {
        std::string& text = row.Sub(siTaskNumber);
        const int n = platform::StrToIntDef(text, 0);
        if (n > ANumber)
            text = platform::IntToStr(n - 1);
    }
}

std::set<std::string> TTaskList::TakenPaths(const std::string& AFolder, int AExcept) const
{
    std::set<std::string> paths;
    for (int i = 0; i < Count(); ++i) {
        if (i != AExcept)
            paths.insert(OutputPathKey(RowOutputPath(AFolder, FRows[size_t(i)])));
        paths.insert(OutputPathKey(FRows[size_t(i)].Caption));
    }
    return paths;
}

} // namespace app
