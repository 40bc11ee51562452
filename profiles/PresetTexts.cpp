#include "profiles/PresetTexts.h"

#include <cmath>
#include <limits>

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

namespace profiles {

namespace {

const char* const KeepResolution = "保持原分辨率";
const char* const NoVideoFormat = "该格式无视频";
const char* const KeepFrameRate = "保持原帧速率";
const char* const NoVideo = "无视频";

struct TAspectText {
    const char* Text;
    const char* Aspect;
};

// Every video mode text the lists offer, with its aspect.
const TAspectText AspectTable[] = {
    {"保持原视频模式", ""},
    {"普通视频4:3模式", "4:3"},
    {"宽屏视频16:9模式", "16:9"},
    {"宽屏视频37:20模式", "37:20"},
    {"宽屏视频47:20模式", "47:20"},
    {"无视频", ""},
};

// The number before the first "kbps", blanks trimmed; a text without "kbps"
// has none and fails to convert.
std::string KbpsNumber(std::string_view AText)
{
    const size_t at = AText.find("kbps");
    return platform::Trim(at == std::string_view::npos ? std::string_view() : AText.substr(0, at));
}

void RaiseBadBitrate(std::string_view AText)
{
    throw platform::EConvertError("'" + std::string(AText) + "' is not a valid bitrate");
}

// Thousands of a whole number of kbps, refusing what does not fit a bitrate.
int WholeKbps(std::string_view AText, const std::string& ANumber)
{
    int64_t value = 0;
    if (!platform::TryStrToInt64(ANumber, value) || value < 0 || value > std::numeric_limits<int>::max() / 1000)
        RaiseBadBitrate(AText);
    return int(value * 1000);
}

} // namespace

std::string FrameSizeOfText(std::string_view AText)
{
    return AText == KeepResolution || AText == NoVideoFormat ? std::string() : std::string(AText);
}

std::string FrameRateOfText(std::string_view AText)
{
    return AText == KeepFrameRate || AText == NoVideo ? std::string() : std::string(AText);
}

int VideoBitrateOfText(std::string_view AText)
{
    if (AText == NoVideo)
        return BitrateAutomatic;
    return WholeKbps(AText, KbpsNumber(AText));
}

std::string SampleRateOfText(std::string_view AText)
{
    return std::string(AText);
}

int AudioBitrateOfText(std::string_view AText)
{
    const std::string number = KbpsNumber(AText);
    if (number.find('.') == std::string::npos)
        return WholeKbps(AText, number);
    double kbps = 0;
    if (!platform::TryStrToFloat(number, kbps) || !(kbps >= 0) || kbps * 1000 > std::numeric_limits<int>::max())
        RaiseBadBitrate(AText);
    // Rounded, not truncated: a decimal kbps times 1000 can land a hair below
    // the whole number it stands for.
    return int(std::nearbyint(kbps * 1000));
}

std::optional<std::string> AspectOfText(std::string_view AText)
{
    for (const TAspectText& entry : AspectTable)
        if (AText == entry.Text)
            return std::string(entry.Aspect);
    return std::nullopt;
}

void ApplyPresetText(TOutputFields& AFields, TPreset APreset, std::string_view AText)
{
    switch (APreset) {
    case TPreset::Resolution:
        AFields.Video_FrameSize = FrameSizeOfText(AText);
        break;
    case TPreset::FrameRate:
        AFields.Video_FrameRate = FrameRateOfText(AText);
        break;
    case TPreset::VideoBitrate:
        AFields.Video_VideoBitrate = VideoBitrateOfText(AText);
        break;
    case TPreset::SampleRate:
        AFields.Video_AudioSampleRate = SampleRateOfText(AText);
        break;
    case TPreset::AudioBitrate:
        AFields.Video_AudioBitrate = AudioBitrateOfText(AText);
        break;
    case TPreset::VideoMode:
        if (std::optional<std::string> aspect = AspectOfText(AText))
            AFields.Video_FrameAspectRatio = *aspect;
        break;
    }
}

void ApplyPresetTexts(TOutputFields& AFields, const std::array<std::string, PresetCount>& ATexts)
{
    for (TPreset preset : PresetTextOrder)
        ApplyPresetText(AFields, preset, ATexts[PresetIndex(preset)]);
}

std::string PresetFieldText(const TOutputFields& AFields, TPreset APreset)
{
    switch (APreset) {
    case TPreset::Resolution:
        return AFields.Video_FrameSize;
    case TPreset::VideoBitrate:
        return platform::IntToStr(AFields.Video_VideoBitrate);
    case TPreset::AudioBitrate:
        return platform::IntToStr(AFields.Video_AudioBitrate);
    case TPreset::VideoMode:
        return AFields.Video_FrameAspectRatio;
    case TPreset::FrameRate:
        return AFields.Video_FrameRate;
    case TPreset::SampleRate:
        return AFields.Video_AudioSampleRate;
    }
    return std::string();
}

} // namespace profiles
