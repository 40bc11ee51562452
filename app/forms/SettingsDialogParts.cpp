#include "app/forms/SettingsDialogParts.h"

#include "app/forms/SkinAssign.h"
#include "skin/form/bsSkinForm.h"

#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_TextLabel.h"

namespace app {

using namespace platform;
using profiles::TPreset;

void SetUpDialog(TForm& AForm, const TDialogFrame& AFrame)
{
    AForm.SetName(AFrame.Name);
    AForm.SetCaption(AFrame.Caption);
    AForm.SetBorderStyle(AFrame.Border);
    AForm.BorderIcons = 0;
    AForm.Position = poMainFormCenter;
    AForm.SetClientSize(AFrame.ClientWidth, AFrame.ClientHeight);
    AForm.Font()->SetName(AFrame.FontName);
    AForm.Font()->SetHeight(AFrame.FontHeight);
}

void SetUpSettingsDialog(TForm& AForm, const char* AName, const char* ACaption, int AClientWidth, int AClientHeight)
{
    SetUpDialog(AForm, TDialogFrame{AName, ACaption, AClientWidth, AClientHeight});
}

skin::TbsSkinForm* SkinDialog(TForm& AForm, skin::TbsSkinData* ASkinData)
{
    skin::TbsSkinForm* frame = SkinFormWith(AForm, ASkinData);
    frame->HideCaptionButtons = true;
    frame->SetBorderIcons(0);
    return frame;
}

skin::TbsSkinButton* NewDialogButton(TForm& AForm, const char* AName, const char* ACaption, int ALeft, int ATop,
                                     std::function<void()> AClick, int AWidth)
{
    auto* button = new skin::TbsSkinButton(&AForm);
    button->SetName(AName);
    button->SetCaption(ACaption);
    button->UseSkinSize = false;
    button->SetBounds(ALeft, ATop, AWidth, 25);
    button->SetParent(&AForm);
    button->OnClick = [AClick = std::move(AClick)](TObject*) { AClick(); };
    return button;
}

skin::TbsSkinOfficeComboBox* NewChoiceCombo(TForm& AForm, TWinControl* AParent, const char* AName,
                                            const TRect& ABounds)
{
    auto* combo = new skin::TbsSkinOfficeComboBox(&AForm);
    combo->SetName(AName);
    combo->SetSkinDataName("combobox");
    combo->SetBounds(ABounds.Left, ABounds.Top, ABounds.Width(), ABounds.Height());
    combo->Font()->SetName("宋体");
    combo->Font()->SetHeight(-12);
    combo->SetDropDownCount(4);
    combo->SetParent(AParent);
    return combo;
}

skin::TbsSkinComboBox* NewPresetCombo(TForm& AForm, TWinControl* AParent, const char* AName, const TRect& ABounds,
                                      const char* ALabel, TPoint ALabelAt, const char* ALabelName)
{
    auto* label = new skin::TbsSkinTextLabel(&AForm);
    if (ALabelName)
        label->SetName(ALabelName);
    label->Lines()->Add(ALabel);
    label->SetBounds(ALabelAt.X, ALabelAt.Y, 100, 16);
    label->SetParent(AParent);
    auto* combo = new skin::TbsSkinComboBox(&AForm);
    combo->SetName(AName);
    combo->SetDropDownCount(8);
    combo->SetBounds(ABounds.Left, ABounds.Top, ABounds.Width(), ABounds.Height());
    combo->SetParent(AParent);
    return combo;
}

std::array<std::string, profiles::PresetCount> ShownPresetTexts(const TPresetCombos& ACombos)
{
    std::array<std::string, profiles::PresetCount> texts;
    for (TPreset p : profiles::AllPresets)
        texts[size_t(p)] = ACombos[size_t(p)]->Text();
    return texts;
}

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
