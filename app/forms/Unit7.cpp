#include "app/forms/Unit7.h"

#include "app/forms/SettingsDialogParts.h"

#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_Panel.h"

#include "profiles/PresetLists.h"
#include "profiles/ProfileCatalogue.h"

#include <iterator>

namespace app {

using namespace platform;
using profiles::TPreset;

namespace {

// Where each preset list stands: its group (0 video, 1 audio), name, place
// and its label's place.
struct TPresetPlace {
    TPreset Preset;
    int Group;
    const char* Name;
    int Left, Top;
    int LabelLeft, LabelTop;
};

const TPresetPlace PresetPlaces[] = {
    {TPreset::Resolution, 0, "bsSkinComboBox1", 15, 66, 15, 38},
    {TPreset::VideoBitrate, 0, "bsSkinComboBox2", 264, 66, 259, 38},
    {TPreset::VideoMode, 0, "bsSkinComboBox4", 15, 119, 15, 96},
    {TPreset::FrameRate, 0, "bsSkinComboBox9", 264, 119, 259, 96},
    {TPreset::AudioBitrate, 1, "bsSkinComboBox3", 15, 56, 15, 32},
    {TPreset::SampleRate, 1, "bsSkinComboBox10", 264, 57, 259, 32},
};

// The order in which opening and OK copy the preset indexes.
constexpr std::array<TPreset, profiles::PresetCount> CopyOrder = {
    TPreset::Resolution, TPreset::VideoBitrate, TPreset::FrameRate,
    TPreset::VideoMode,  TPreset::AudioBitrate, TPreset::SampleRate};

} // namespace

TForm7::TForm7(TComponent* AOwner, TConverterWorkflow& AWorkflow, TCustomImageList* ACategoryImages,
               TCustomImageList* AProfileImages)
    : TForm(AOwner), FWorkflow(AWorkflow)
{
    SetUpSettingsDialog(*this, "Form7", "选项设置", 511, 418);

    FCategory = NewChoiceCombo(*this, this, "bsSkinOfficeComboBox2", TRect{26, 17, 157, 68});
    FCategory->ListBoxWidth = 130;
    FCategory->SetListBoxItemHeight(50);
    FCategory->SetListBoxShowItemTitles(false);
    FCategory->SetImages(ACategoryImages);
    for (const profiles::TCategory& c : profiles::Categories()) {
        skin::TbsSkinOfficeItem* item = FCategory->Items()->Add();
        item->SetCaption(c.Caption);
        item->SetImageIndex(c.Number);
    }
    FCategory->SetItemIndex(0); // as designed, before its handler is attached
    FCategory->OnChange = [this](TObject*) { bsSkinOfficeComboBox2Change(); };
    FProfile = NewChoiceCombo(*this, this, "bsSkinOfficeComboBox1", TRect{164, 17, 492, 68});
    FProfile->Font()->SetStyle({fsBold});
    FProfile->SetListBoxItemHeight(60);
    FProfile->SetListBoxHeaderHeight(20);
    FProfile->SetListBoxShowItemTitles(true);
    FProfile->SetImages(AProfileImages);
    FProfile->OnChange = [this](TObject*) { bsSkinOfficeComboBox1Change(); };
    CreatePresetGroups();
    NewDialogButton(*this, "bsSkinButton2", "确定", 323, 371, [this] { bsSkinButton2Click(); });
    NewDialogButton(*this, "bsSkinButton3", "取消", 419, 371, [this] { bsSkinButton3Click(); })->Cancel = true;
    SetDesignedTabOrder();
}

// The dialog's own Tab order, not its reading order: the video presets,
// Cancel, OK, the audio presets, then the profile and the category. With
// an audio-only profile the video presets are off, so Cancel takes the
// focus when the dialog opens.
void TForm7::SetDesignedTabOrder()
{
    const char* const order[] = {"bsSkinPanel4", "bsSkinButton3", "bsSkinButton2",
                                 "bsSkinPanel1", "bsSkinOfficeComboBox1", "bsSkinOfficeComboBox2"};
    for (int i = 0; i < int(std::size(order)); ++i)
        dynamic_cast<TWinControl*>(FindComponent(order[i]))->SetTabOrder(i);
}

void TForm7::CreatePresetGroups()
{
    std::array<skin::TbsSkinPanel*, 2> groups{};
    const struct {
        const char* Name;
        const char* Caption;
        int Top, Height, CaptionHeight;
    } groupPlaces[] = {{"bsSkinPanel4", "预置视频参数", 85, 158, 22}, {"bsSkinPanel1", "预置音频参数", 256, 97, 20}};
    for (size_t g = 0; g < groups.size(); ++g) {
        auto* group = new skin::TbsSkinPanel(this);
        group->SetName(groupPlaces[g].Name);
        group->SetSkinDataName("groupbox");
        group->SetCaptionMode(true);
        group->SetDefaultCaptionHeight(groupPlaces[g].CaptionHeight);
        group->SetCaption(groupPlaces[g].Caption);
        group->SetBounds(26, groupPlaces[g].Top, 466, groupPlaces[g].Height);
        group->SetParent(this);
        groups[g] = group;
    }
    for (const TPresetPlace& place : PresetPlaces) {
        auto* combo = NewPresetCombo(*this, groups[size_t(place.Group)], place.Name,
                                     TRect{place.Left, place.Top, place.Left + 176, place.Top + 20},
                                     profiles::PresetLabel(place.Preset),
                                     TPoint{place.LabelLeft, place.LabelTop});
        const TPreset preset = place.Preset;
        combo->OnChange = [this, preset](TObject*) { PresetChange(preset); };
        FPresets[size_t(preset)] = combo;
    }
}

void TForm7::FormCreate()
{
    Button2Click();
}

void TForm7::Opening()
{
    FAtOpen = FWorkflow.SaveDialogState();
    FCategory->SetItemIndex(FWorkflow.CategoryIndex());
    FProfile->SetItemIndex(FWorkflow.ProfileIndex());
    for (TPreset p : CopyOrder)
        FPresets[size_t(p)]->SetItemIndex(FWorkflow.PresetIndex(p));
}

TModalResult TForm7::Open()
{
    Opening();
    return ShowModal();
}

void TForm7::bsSkinButton2Click()
{
    // The main window's own handlers take the choice over, in the order its
    // lists depend on one another.
    const std::array<int, profiles::PresetCount> presets = [this] {
        std::array<int, profiles::PresetCount> indexes{};
        for (TPreset p : profiles::AllPresets)
            indexes[size_t(p)] = FPresets[size_t(p)]->ItemIndex();
        return indexes;
    }();
    FWorkflow.SetCategory(FCategory->ItemIndex());
    FWorkflow.SetProfile(FProfile->ItemIndex());
    for (TPreset p : CopyOrder)
        FWorkflow.SetPreset(p, presets[size_t(p)]);
    SetModalResult(mrOk);
}

void TForm7::bsSkinButton3Click()
{
    FWorkflow.RestoreDialogState(FAtOpen);
    SetModalResult(mrCancel);
}

void TForm7::bsSkinOfficeComboBox2Change()
{
    Button2Click();
}

void TForm7::Button2Click()
{
    FProfile->Items()->Clear();
    int position = 0;
    for (const char* name : profiles::ProfileNamesAt(FCategory->ItemIndex())) {
        skin::TbsSkinOfficeItem* item = FProfile->Items()->Add();
        item->SetCaption(name);
        item->SetImageIndex(profiles::ProfileImageIndex(position++));
    }
    FProfile->SetItemIndex(0);
}

void TForm7::bsSkinOfficeComboBox1Change()
{
    Button18Click();
    if (FWorkflow.Rows().ItemIndex() < 0)
        return;
    FWorkflow.DialogProfileChanged(FCategory->ItemIndex(), FProfile->ItemIndex(), ShownPresetTexts(FPresets));
    FocusFileList();
}

void TForm7::Button18Click()
{
    RefillPresetCombos(FPresets, [this] { return FWorkflow.DialogPresetFill(FCategory->ItemIndex(), FProfile->ItemIndex()); });
}

void TForm7::PresetChange(TPreset APreset)
{
    if (FWorkflow.Rows().ItemIndex() < 0)
        return;
    skin::TbsSkinComboBox* combo = FPresets[size_t(APreset)];
    FWorkflow.DialogPresetChanged(APreset, combo->ItemIndex(), combo->Text());
    FocusFileList();
}

void TForm7::Button13Click()
{
    FWorkflow.DialogPresetTexts(ShownPresetTexts(FPresets));
}

void TForm7::FocusFileList()
{
    if (OnFocusFileList)
        OnFocusFileList();
}

} // namespace app
