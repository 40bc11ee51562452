#pragma once
// The output settings dialog "选项设置": the output category, the profile
// and the six preset values. The main window shows only its category and
// profile, so this is where the user sees and picks the presets. While it is
// open every change is written at once into the selected row and the output
// fields; OK hands the choice to the main window, Cancel puts back the row
// and the fields as they were when it opened.
//
// Its combo boxes drive one another as the catalogue expects: setting an
// index fires the combo's change (an office combo every time, a preset list
// only when its shown text changes), so opening, OK, a category change and
// a list refill all work by setting indexes.

#include "app/workflow/Workflow.h"

#include "platform/controls/Forms.h"
#include "platform/controls/ImgList.h"
#include "platform/controls/StdCtrls.h"

#include <array>
#include <functional>

namespace skin {
class TbsSkinButton;
class TbsSkinComboBox;
class TbsSkinOfficeComboBox;
} // namespace skin

namespace app {

class TForm7 : public platform::TForm {
public:
    // The category and profile lists draw their items' pictures from the
    // main window's image lists.
    TForm7(platform::TComponent* AOwner, TConverterWorkflow& AWorkflow,
           platform::TCustomImageList* ACategoryImages = nullptr, platform::TCustomImageList* AProfileImages = nullptr);

    // The start-up handler: the first category's profiles and lists.
    void FormCreate();
    // The main window's "设置..." button: copies the main window's choice in
    // (which may already rewrite the selected row) and shows the dialog.
    platform::TModalResult Open();
    // Copies the main window's choice in and remembers the row and the
    // fields for Cancel (Open does it before showing).
    void Opening();

    void bsSkinButton2Click(); // OK
    void bsSkinButton3Click(); // Cancel
    void bsSkinOfficeComboBox2Change(); // category
    void bsSkinOfficeComboBox1Change(); // profile
    void PresetChange(profiles::TPreset APreset);
    void Button2Click();  // the category's profile list
    void Button18Click(); // the profile's preset lists
    void Button13Click(); // the shown preset texts into the output fields

    // The main window's file list takes the focus after an edit of its row.
    std::function<void()> OnFocusFileList;

    skin::TbsSkinOfficeComboBox* CategoryCombo() { return FCategory; }
    skin::TbsSkinOfficeComboBox* ProfileCombo() { return FProfile; }
    skin::TbsSkinComboBox* PresetCombo(profiles::TPreset APreset) { return FPresets[size_t(APreset)]; }

private:
    void CreatePresetGroups();
    void SetDesignedTabOrder();
    void FocusFileList();

    TConverterWorkflow& FWorkflow;
    TConverterWorkflow::TDialogState FAtOpen;
    skin::TbsSkinOfficeComboBox* FCategory = nullptr; // bsSkinOfficeComboBox2
    skin::TbsSkinOfficeComboBox* FProfile = nullptr;  // bsSkinOfficeComboBox1
    std::array<skin::TbsSkinComboBox*, profiles::PresetCount> FPresets{};
};

} // namespace app
