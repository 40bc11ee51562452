#include "app/forms/PresetCombos.h"

#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"

namespace app {

using profiles::TPreset;

void RefillPresetCombos(const TPresetCombos& ACombos,
                        const std::function<std::optional<profiles::TPresetChoices>()>& ALists)
{
    for (TPreset p : profiles::AllPresets)
        ACombos[size_t(p)]->Items()->Clear();
    for (TPreset p : profiles::AllPresets)
        ACombos[size_t(p)]->SetEnabled(true);
    const std::optional<profiles::TPresetChoices> lists = ALists();
    if (!lists)
        return;
    for (TPreset p : profiles::PresetFillOrder) {
        skin::TbsSkinComboBox* combo = ACombos[size_t(p)];
        for (const char* text : lists->Pick(p).Texts)
            combo->Items()->Add(text);
        combo->SetItemIndex(lists->Pick(p).DefaultIndex);
    }
    if (lists->AudioOnly)
        for (TPreset p : profiles::AudioOnlyDisabledPresets)
            ACombos[size_t(p)]->SetEnabled(false);
}

} // namespace app
