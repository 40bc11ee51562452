#pragma once
// The preset-text rules of the two settings dialogs. They are the main
// window's rules with two more texts understood: "自动音频比特率" (automatic
// audio bitrate) and "自动音频采样率" (automatic sample rate). No list offers
// either text today; the dialogs keep the rules so that a list that does
// never turns into a conversion error.

#include <array>
#include <string>
#include <string_view>

#include "profiles/OutputFields.h"
#include "profiles/PresetLists.h"
#include "profiles/RowChoice.h"

namespace profiles {

inline const char* const AutoAudioBitrateText = "自动音频比特率";
inline const char* const AutoSampleRateText = "自动音频采样率";

// Where a text is turned into a field. The preset-texts run writes "AUTO" for
// the automatic sample rate, a preset change on the selected row an empty
// text; both leave the rate to the engine when a task is built.
enum class TDialogTextUse { PresetTexts, RowChange };

// Writes the field of one preset from the text its dialog list shows: the
// automatic audio bitrate gives BitrateAutomatic, the automatic sample rate
// as AUse says, every other text the main window's rule. Raises
// platform::EConvertError for a bitrate text that is no number of kbps.
void ApplyDialogPresetText(TOutputFields& AFields, TPreset APreset, std::string_view AText, TDialogTextUse AUse);

// Writes the six preset-backed fields from the dialog's shown texts (indexed
// by TPreset), in PresetTextOrder, touching nothing else. A text that does
// not convert stops the run there: the fields written before it keep their
// new values. (Both dialogs' hidden preset-texts button.)
void ApplyDialogPresetTexts(TOutputFields& AFields, const std::array<std::string, PresetCount>& ATexts);

// A dialog preset list's change on the selected row: writes the index's pair
// into APresetCode, the field from the shown text into AFields, and answers
// the sub-item that takes the field's value. Nothing changes when the text
// does not convert. (The output settings dialog's preset change handlers,
// for a selected row.)
TRowEdit ApplyDialogPresetChange(TOutputFields& AFields, TPreset APreset, int AIndex, std::string_view AShownText,
                                 std::string& APresetCode);

} // namespace profiles
