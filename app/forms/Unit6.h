#pragma once
// The legacy settings dialog "设置选项": an older output choice over its
// own twelve-category copy of the catalogue, with its own conversion
// component. The program creates it once at start-up and never shows it;
// its creation fills its lists, which clears the main window's no-video
// flag. Its OK would write the chosen profile's defaults and the preset
// values into the main window's output fields.

#include "app/workflow/Workflow.h"

#include "platform/controls/Forms.h"

#include <array>

namespace engine {
class TFFConverter;
}
namespace skin {
class TbsSkinButton;
class TbsSkinComboBox;
class TbsSkinData;
class TbsSkinOfficeComboBox;
} // namespace skin

namespace app {

class TForm6 : public platform::TForm {
public:
    TForm6(platform::TComponent* AOwner, TConverterWorkflow& AWorkflow);

    // The dialog's frame and controls drawn by ASkinData. Its frame keeps
    // the caption buttons and system menu it was designed with (system
    // menu, minimise, maximise, roll-up), no icon, no edge clinging, Arial
    // captions and menus; the panel's hidden settings button keeps no skin.
    void SkinWith(skin::TbsSkinData* ASkinData);
    // The start-up handler: the first category's profiles and lists.
    void FormCreate();
    void bsSkinButton2Click(); // OK
    void bsSkinButton3Click(); // Cancel
    void bsSkinOfficeComboBox2Change(); // category
    void bsSkinOfficeComboBox1Click();  // profile
    void Button2Click();  // the category's profile list
    void Button18Click(); // the profile's preset lists
    void Button5Click();  // the profile's defaults into the output fields
    void Button13Click(); // the shown preset texts into the output fields
    void Button6Click();  // the output fields reset

    skin::TbsSkinOfficeComboBox* CategoryCombo() { return FCategory; }
    skin::TbsSkinOfficeComboBox* ProfileCombo() { return FProfile; }
    skin::TbsSkinComboBox* PresetCombo(profiles::TPreset APreset) { return FPresets[size_t(APreset)]; }
    engine::TFFConverter* Converter() { return FConverter; }

private:
    void CreatePresetPage(platform::TWinControl* APage);
    void CreateRoutinePanel();

    TConverterWorkflow& FWorkflow;
    skin::TbsSkinOfficeComboBox* FCategory = nullptr; // bsSkinOfficeComboBox2
    skin::TbsSkinOfficeComboBox* FProfile = nullptr;  // bsSkinOfficeComboBox1
    std::array<skin::TbsSkinComboBox*, profiles::PresetCount> FPresets{};
    engine::TFFConverter* FConverter = nullptr;       // FFConv, never run
    skin::TbsSkinButton* FSettingsButton = nullptr;   // bsSkinButton1, never shown
};

} // namespace app
