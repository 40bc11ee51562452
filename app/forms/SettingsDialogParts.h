#pragma once
// What the program's dialogs are built from: the form itself, its OK and
// Cancel buttons; for the two settings dialogs also the category and profile office combos, the labelled
// preset lists, and the refill of those lists for a choice.

#include "profiles/PresetLists.h"

#include "platform/controls/Forms.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace skin {
class TbsSkinButton;
class TbsSkinData;
class TbsSkinForm;
class TbsSkinComboBox;
class TbsSkinOfficeComboBox;
} // namespace skin

namespace app {

// A dialog of the program: fixed border without border icons, centred on
// the main window, with its client size and font.
struct TDialogFrame {
    const char* Name;
    const char* Caption;
    int ClientWidth, ClientHeight;
    platform::TFormBorderStyle Border = platform::bsSingle;
    const char* FontName = "Tahoma";
    int FontHeight = -11; // 8 pt
};
void SetUpDialog(platform::TForm& AForm, const TDialogFrame& AFrame);
// A settings dialog: single border, font Tahoma 8.
void SetUpSettingsDialog(platform::TForm& AForm, const char* AName, const char* ACaption, int AClientWidth,
                         int AClientHeight);
// The program's skin on one of its dialogs, whose frame shows no caption
// buttons; answers the frame.
skin::TbsSkinForm* SkinDialog(platform::TForm& AForm, skin::TbsSkinData* ASkinData);
// A push button AWidth x 25 at (ALeft, ATop) that runs AClick.
skin::TbsSkinButton* NewDialogButton(platform::TForm& AForm, const char* AName, const char* ACaption, int ALeft,
                                     int ATop, std::function<void()> AClick, int AWidth = 69);
// An office combo with the "combobox" record, 宋体 9 pt and four visible rows.
skin::TbsSkinOfficeComboBox* NewChoiceCombo(platform::TForm& AForm, platform::TWinControl* AParent,
                                            const char* AName, const platform::TRect& ABounds);
// A preset list of height 20 with eight visible rows, and its label above.
skin::TbsSkinComboBox* NewPresetCombo(platform::TForm& AForm, platform::TWinControl* AParent, const char* AName,
                                      const platform::TRect& ABounds, const char* ALabel, platform::TPoint ALabelAt,
                                      const char* ALabelName = nullptr);

using TPresetCombos = std::array<skin::TbsSkinComboBox*, profiles::PresetCount>;
// The six texts the lists show, by preset.
std::array<std::string, profiles::PresetCount> ShownPresetTexts(const TPresetCombos& ACombos);

// The six preset lists refilled for a choice: the lists are emptied (the
// shown texts stay) and enabled, then ALists gives the choice's lists
// (writing what it writes into the output fields), each list gets its
// entries and its default index (which fires its change when the shown text
// changes), and an audio-only choice disables the video lists. Without
// lists for the choice all six stay empty and enabled.
void RefillPresetCombos(const TPresetCombos& ACombos,
                        const std::function<std::optional<profiles::TPresetChoices>()>& ALists);

} // namespace app
