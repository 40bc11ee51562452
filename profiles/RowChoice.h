#pragma once
// What a file-list row keeps of the output choice, and how the catalogue
// reads and writes it: the row's sub-items, the preset code of six index
// pairs, the choice restored when the row is selected, and the edits that a
// preset or profile change makes on the selected row.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "profiles/OutputFields.h"
#include "profiles/PresetLists.h"

namespace profiles {

// Sub-items of a file-list row (counted from 0 after the caption) that the
// catalogue reads or writes.
enum TRowSubItem {
    siOutputFileName = 2, // without folder
    siTaskNumber = 7,
    siProfileCode = 8,    // row profile code
    siPresetCode = 9,     // twelve digits, two per preset
    siVideoCodec = 10,
    siAudioCodec = 11,
    siAudioChannels = 12,
    siVideoTag = 13,
    siFileExt = 14,
    siFrameSize = 15,
    siVideoBitrate = 16,
    siFrameRate = 17,
    siAudioBitrate = 18,
    siSampleRate = 19,
    siAspect = 20,
    siDisableVideo = 21,  // "True" or "False"
    siTargetType = 22,
    siNormType = 23,
};

// Sub-items siVideoCodec to siNormType as the profile defaults write them
// into the selected row, first siVideoCodec.
constexpr int ProfileRowSubItemCount = siNormType - siVideoCodec + 1;
std::array<std::string, ProfileRowSubItemCount> ProfileRowSubItems(const TOutputFields& AFields);

// The row sub-item that holds a preset's field (siFrameSize ... siAspect).
TRowSubItem PresetRowSubItem(TPreset APreset);

// A list index as its two digits ("03", "19"). Raises EConvertError outside
// 0..99, which no list reaches.
std::string FormatPresetPair(int AIndex);

// The twelve-digit preset code of six list indexes (indexed by TPreset).
std::string PresetCode(const std::array<int, PresetCount>& AIndexes);

// The code with the pair of one preset replaced; the other characters stay
// as they were, also in a code of the wrong length.
std::string ReplacePresetPair(std::string_view ACode, TPreset APreset, int AIndex);

// The choice a row keeps: category and profile positions and the six list
// indexes (indexed by TPreset, restored in that order).
struct TRowChoice {
    int CategoryPosition = 0;
    int ProfilePosition = 0;
    std::array<int, PresetCount> PresetIndexes{};
};

// Reads a row's profile code and preset code. None, so that nothing is
// changed, when the profile code is not a decimal number naming a category
// position and one of its profiles, or the preset code does not start with
// twelve decimal digits. List indexes are not checked against the lists: a
// list ignores an index it does not have.
std::optional<TRowChoice> ParseRowChoice(std::string_view AProfileCode, std::string_view APresetCode);

// The output extension of a profile name: the four characters before its
// last one, with "flac", "aiff", "*.rm" and "*.ra" made ".flac", ".aiff",
// ".rm" and ".ra" ("MP3 - MPEG Layer-3音频格式(*.mp3)" gives ".mp3").
std::string ExtensionOfProfileName(std::string_view AName);

// A row's output file name for a new extension: its file name part with the
// extension replaced (appended when it has none).
std::string RowOutputNameForExtension(std::string_view ARowOutputName, std::string_view AExt);

// One sub-item to write into the selected row.
struct TRowEdit {
    TRowSubItem SubItem;
    std::string Text;
};

// A preset list's change on the selected row: writes the index's pair into
// APresetCode, the field from the shown text into AFields, and answers the
// sub-item that takes the field's value. (The preset combos' change
// handlers, for a selected row.)
TRowEdit ApplyPresetChange(TOutputFields& AFields, TPreset APreset, int AIndex, std::string_view AShownText,
                           std::string& APresetCode);

} // namespace profiles
