#pragma once
// The catalogue as the output settings dialog uses it. The dialog's category
// list, profile names, preset lists and profile defaults are the main
// window's, entry for entry, so its handlers call the catalogue's own
// functions (Categories, CatalogueKey, ProfileNamesAt, FindPresetChoices,
// ApplyProfileDefaults, ResetOutputFields, ProfileRowSubItems,
// RowProfileCodeText, RowOutputNameForExtension). What the dialog does
// differently lives here: the extension rule of its profile change, its
// preset-text rules (DialogPresetTexts.h), and the steps its handlers chain.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "profiles/OutputFields.h"
#include "profiles/PresetLists.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/RowChoice.h"

namespace profiles {

// The output extension the dialog derives from a profile name: the main
// window's rule, with "lac)" made ".alac" and "mpeg" made ".mpeg" first.
std::string OutputDialogExtension(std::string_view AProfileName);

// The preset-list fill of the dialog's choice: stores the catalogue key in
// All_Trant_Number, clears Video_DisableVideo and answers the key's lists
// (to be filled in PresetFillOrder, the AudioOnlyDisabledPresets disabled
// afterwards for an audio-only key). None, with only the flag cleared, for a
// category position outside the list or a key without lists.
std::optional<TPresetChoices> OutputDialogPresetFill(TOutputFields& AFields, int ACategoryPosition,
                                                     int AProfilePosition);

// What the profile change writes into the selected row.
struct TOutputDialogRowEdits {
    std::string OutputFileName; // siOutputFileName: the row's name with the new extension
    std::string ProfileCode;    // siProfileCode: the row profile code of the choice
    // siVideoCodec to siNormType: the profile's defaults, before the preset
    // texts replace six of the fields.
    std::array<std::string, ProfileRowSubItemCount> ProfileSubItems;
};

// The profile change with a selected row, after the preset lists were filled:
// the profile's defaults with a free output name (ApplyProfileDefaults), the
// row's sub-items from them, then the dialog's shown preset texts into six
// fields (ApplyDialogPresetTexts), the row's output name ARowOutputName given
// the profile's extension, and its row profile code. ANaming.Taken holds the
// names the other rows produce. Raises EProfileError for a choice the
// catalogue does not list or has no defaults for, and EProfileError or
// EConvertError when no output name can be made or a text does not convert;
// the fields are left as they were on any failure.
TOutputDialogRowEdits ApplyOutputDialogProfileChange(TOutputFields& AFields, int ACategoryPosition,
                                                     int AProfilePosition,
                                                     const std::array<std::string, PresetCount>& AShownTexts,
                                                     std::string_view ARowOutputName, const TOutputNaming& ANaming);

} // namespace profiles
