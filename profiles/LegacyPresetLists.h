#pragma once
// The legacy settings dialog's preset lists: for every profile its list
// holds, the catalogue's six lists and default picks, but for the audio
// bitrate of three 3GP profiles with AMR audio, which offer the older
// whole-kbps AMR rates. The combos are cleared, enabled, filled and disabled
// in the catalogue's orders (AllPresets, PresetFillOrder,
// AudioOnlyDisabledPresets).

#include <optional>

#include "profiles/OutputFields.h"
#include "profiles/PresetLists.h"

namespace profiles {

// The lists of a catalogue key; none for a key whose profile the legacy
// list does not hold.
std::optional<TPresetChoices> FindLegacyPresetChoices(int AKey);

// The preset-list fill of the dialog's choice: clears Video_DisableVideo
// (for every choice, also an audio-only one) and answers the lists; none for
// a category or profile index the list does not hold, which leaves the six
// combos empty and enabled.
std::optional<TPresetChoices> LegacyPresetFill(TOutputFields& AFields, int ACategoryIndex, int AProfileIndex);

} // namespace profiles
