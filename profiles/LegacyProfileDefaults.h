#pragma once
// The legacy settings dialog's profile defaults: the catalogue's output
// defaults for the keys of its twelve categories, but for four older rows
// (an ALAC profile in place of key 211, older AMR settings for keys 700, 702
// and 704). Unlike the main window's, the dialog's run does not reset the
// fields first and writes no file-list row.

#include <array>
#include <string>

#include "profiles/OutputFields.h"
#include "profiles/PresetLists.h"
#include "profiles/ProfileDefaults.h"

namespace profiles {

// The defaults of a catalogue key, or nullptr: keys the legacy list does not
// hold, and the profiles of its "HD视频" and "Flash视频" categories, which
// the catalogue has no defaults for, have none.
const TProfileDefaults* FindLegacyProfileDefaults(int AKey);

// The key of a category and profile position, as the dialog forms it from
// its two lists' indexes, whether or not the list holds that profile.
int LegacyDefaultsKey(int ACategoryIndex, int AProfileIndex);

// Writes the legacy defaults of AKey and the output file name for
// Video_AddFileName (MakeOutputFileName with ANaming). The fields the table
// does not hold (filters, volume, time stamps, format, start and length,
// All_Trant_Number) keep what they had. A key without defaults clears
// Video_DisableVideo and makes the output name already there free in the
// folder (FreeOutputFileName); everything else keeps its value. Raises
// EProfileError, and changes nothing, when no output name can be made.
void ApplyLegacyProfileDefaults(TOutputFields& AFields, int AKey, const TOutputNaming& ANaming);

// The dialog's OK: the defaults of the chosen category and profile index,
// then the dialog's shown preset texts (ApplyDialogPresetTexts). Raises
// EProfileError when no output name can be made, EConvertError when a text
// does not convert; the fields are left as they were on any failure.
void ApplyLegacyDialogOk(TOutputFields& AFields, int ACategoryIndex, int AProfileIndex,
                         const std::array<std::string, PresetCount>& AShownTexts, const TOutputNaming& ANaming);

} // namespace profiles
