#pragma once
// The six preset lists of the settings dialogs, refilled for a choice: the
// lists are emptied (the shown texts stay) and enabled, then ALists gives
// the choice's lists (writing what it writes into the output fields), each
// list gets its entries and its default index (which fires its change when
// the shown text changes), and an audio-only choice disables the video
// lists. Without lists for the choice all six stay empty and enabled.

#include "profiles/PresetLists.h"

#include <array>
#include <functional>
#include <optional>

namespace skin {
class TbsSkinComboBox;
}

namespace app {

using TPresetCombos = std::array<skin::TbsSkinComboBox*, profiles::PresetCount>;

void RefillPresetCombos(const TPresetCombos& ACombos,
                        const std::function<std::optional<profiles::TPresetChoices>()>& ALists);

} // namespace app
