#include "app/forms/Unit6.h"

#include "app/forms/OutputPictures.h"
#include "app/forms/SettingsDialogParts.h"

#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"
#include "skin/boxes/bsSkinTabs.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_Panel.h"
#include "skin/controls/bsSkinCtrls_TextLabel.h"

#include "engine/component/FFConverter.h"
#include "profiles/LegacyProfileList.h"

namespace app {

using namespace platform;
using profiles::TPreset;

namespace {

struct TPresetPlace {
    TPreset Preset;
    const char* Name;
    int Left, Top, Width;
    const char* Label;
    int LabelLeft, LabelTop;
};

// In tab order.
const TPresetPlace PresetPlaces[] = {
    {TPreset::Resolution, "bsSkinComboBox1", 16, 43, 289, "视频分辨率：", 19, 24},
    {TPreset::VideoBitrate, "bsSkinComboBox2", 342, 43, 251, "视频比特率：", 342, 24},
    {TPreset::FrameRate, "bsSkinComboBox9", 14, 88, 291, "视频帧率：", 16, 69},
    {TPreset::AudioBitrate, "bsSkinComboBox3", 16, 133, 289, "音频比特率：", 16, 114},
    {TPreset::SampleRate, "bsSkinComboBox10", 342, 133, 251, "音频采样率：", 342, 114},
    {TPreset::VideoMode, "bsSkinComboBox4", 342, 88, 251, "视频缩放：", 342, 69},
};

} // namespace

TForm6::TForm6(TComponent* AOwner, TConverterWorkflow& AWorkflow) : TForm(AOwner), FWorkflow(AWorkflow)
{
    SetUpSettingsDialog(*this, "Form6", "设置选项", 1078, 474);

    auto* choice = new skin::TbsSkinPanel(this);
    choice->SetName("bsSkinPanel2");
    choice->SetBounds(157, 20, 625, 109);
    choice->SetParent(this);
    auto* label = new skin::TbsSkinTextLabel(this);
    label->Lines()->Add("输出格式：");
    label->SetBounds(17, 48, 70, 16);
    label->SetParent(choice);

    FCategory = NewChoiceCombo(*this, choice, "bsSkinOfficeComboBox2", TRect{83, 33, 209, 84});
    FCategory->SetToolButtonStyle(true);
    FCategory->SetListBoxSkinDataName("resizetoolpanel");
    FCategory->ListBoxWidth = 119;
    FCategory->SetListBoxShowItemTitles(false);
    FCategory->SetListBoxShowLines(false);
    FCategory->SetListBoxItemHeight(50);
    FCategory->SetListBoxHeaderHeight(20);
    FCategory->SetImages(NewLegacyCategoryImages(this));
    for (const profiles::TLegacyCategory& c : profiles::LegacyCategories()) {
        skin::TbsSkinOfficeItem* item = FCategory->Items()->Add();
        item->SetCaption(c.Caption);
        item->SetImageIndex(FCategory->Items()->Count() - 1);
    }
    FCategory->SetItemIndex(0); // as designed, before its handler is attached
    FCategory->OnChange = [this](TObject*) { bsSkinOfficeComboBox2Change(); };

    FProfile = NewChoiceCombo(*this, choice, "bsSkinOfficeComboBox1", TRect{215, 33, 615, 84});
    FProfile->SetToolButtonStyle(true);
    FProfile->SetListBoxShowItemTitles(true);
    FProfile->SetListBoxShowLines(true);
    FProfile->SetListBoxItemHeight(60);
    FProfile->SetListBoxHeaderHeight(20);
    FProfile->OnClick = [this](TObject*) { bsSkinOfficeComboBox1Click(); };

    auto* pages = new skin::TbsSkinPageControl(this);
    pages->SetName("bsSkinPageControl1");
    pages->SkinDataName = "tab";
    pages->ButtonTabSkinDataName = "resizetoolbutton";
    pages->SetDefaultItemHeight(20);
    pages->Font()->SetName("Arial");
    pages->Font()->SetHeight(14);
    pages->SetBounds(38, 175, 625, 222);
    pages->SetParent(this);
    // The first sheet holds the six lists; the other three stay empty.
    const char* const sheets[][2] = {{"bsSkinTabSheet1", "标准参数设置"},
                                     {"bsSkinTabSheet2", "剪辑设置"},
                                     {"滤镜设置", "滤镜设置"},
                                     {"bsSkinTabSheet3", "文字水印"}};
    for (const auto& [name, caption] : sheets) {
        auto* sheet = new skin::TbsSkinTabSheet(this);
        sheet->SetName(name);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
    }
    pages->SetActivePageIndex(0);
    CreatePresetPage(pages->Pages(0));

    NewDialogButton(*this, "bsSkinButton3", "取消", 594, 416, [this] { bsSkinButton3Click(); });
    NewDialogButton(*this, "bsSkinButton2", "确定", 480, 416, [this] { bsSkinButton2Click(); });
    FConverter = new engine::TFFConverter(this);
}

void TForm6::CreatePresetPage(TWinControl* APage)
{
    for (const TPresetPlace& place : PresetPlaces) {
        auto* combo = NewPresetCombo(*this, APage, place.Name,
                                     TRect{place.Left, place.Top, place.Left + place.Width, place.Top + 20},
                                     place.Label, TPoint{place.LabelLeft, place.LabelTop});
        FPresets[size_t(place.Preset)] = combo;
    }
}

void TForm6::FormCreate()
{
    Button2Click();
}

void TForm6::bsSkinButton2Click()
{
    std::array<std::string, profiles::PresetCount> texts;
    for (TPreset p : profiles::AllPresets)
        texts[size_t(p)] = FPresets[size_t(p)]->Text();
    FWorkflow.LegacyDialogOk(FCategory->ItemIndex(), FProfile->ItemIndex(), texts);
    SetModalResult(mrOk);
}

void TForm6::bsSkinButton3Click()
{
    SetModalResult(mrCancel);
}

void TForm6::bsSkinOfficeComboBox2Change()
{
    Button2Click();
}

void TForm6::Button2Click()
{
    FProfile->Items()->Clear();
    for (const profiles::TLegacyProfile& p : profiles::LegacyProfiles(FCategory->ItemIndex())) {
        skin::TbsSkinOfficeItem* item = FProfile->Items()->Add();
        item->SetTitle(p.Title);
        item->SetCaption(p.Caption);
        item->SetImageIndex(p.ImageIndex);
    }
    FProfile->SetItemIndex(0);
}

void TForm6::bsSkinOfficeComboBox1Click()
{
    Button18Click();
}

void TForm6::Button18Click()
{
    RefillPresetCombos(FPresets, [this] { return FWorkflow.LegacyPresetFill(FCategory->ItemIndex(), FProfile->ItemIndex()); });
}

} // namespace app
