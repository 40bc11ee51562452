#pragma once
// The texts the preset lists show, turned into output values. Texts are
// compared whole and exactly; bitrates are read from the number before
// "kbps".

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "profiles/OutputFields.h"
#include "profiles/PresetLists.h"

namespace profiles {

// "保持原分辨率" and "该格式无视频" give an empty frame size; any other text
// is the size as shown.
std::string FrameSizeOfText(std::string_view AText);

// "保持原帧速率" and "无视频" give an empty rate; any other text keeps its
// form ("25.00" stays "25.00").
std::string FrameRateOfText(std::string_view AText);

// "无视频" gives BitrateAutomatic; "N kbps" gives N * 1000 for a whole N.
// Raises platform::EConvertError for any other text.
int VideoBitrateOfText(std::string_view AText);

// The text as shown.
std::string SampleRateOfText(std::string_view AText);

// "N kbps" gives N * 1000; an N with a decimal point is read as a decimal
// number and rounded, so "5.15 kbps" gives 5150 and not one less. Raises
// platform::EConvertError for any other text.
int AudioBitrateOfText(std::string_view AText);

// The aspect of a video mode text ("宽屏视频37:20模式" gives "37:20", "无视频"
// and "保持原视频模式" empty); none for a text no list offers, which leaves
// the field as it was.
std::optional<std::string> AspectOfText(std::string_view AText);

// Writes the field of one preset from the text its list shows.
void ApplyPresetText(TOutputFields& AFields, TPreset APreset, std::string_view AText);

// The order in which the preset texts are turned into fields: frame size,
// frame rate, video bitrate, sample rate, audio bitrate, aspect.
constexpr std::array<TPreset, PresetCount> PresetTextOrder = {
    TPreset::Resolution, TPreset::FrameRate,    TPreset::VideoBitrate,
    TPreset::SampleRate, TPreset::AudioBitrate, TPreset::VideoMode};

// Writes the six preset-backed fields from the shown texts (indexed by
// TPreset), in PresetTextOrder, touching nothing else. (The hidden preset-texts
// button's operation.)
void ApplyPresetTexts(TOutputFields& AFields, const std::array<std::string, PresetCount>& ATexts);

// The value of a preset's field as a row keeps it: the text, or the bitrate
// in decimal ("-1000" included).
std::string PresetFieldText(const TOutputFields& AFields, TPreset APreset);

} // namespace profiles
