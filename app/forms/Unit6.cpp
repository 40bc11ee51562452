#include "app/forms/Unit6.h"

#include "app/forms/OutputPictures.h"
#include "app/forms/ProgramPictures.h"
#include "app/forms/SettingsDialogParts.h"
#include "app/forms/SkinAssign.h"

#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"
#include "skin/boxes/bsSkinTabs.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_Panel.h"
#include "skin/controls/bsSkinCtrls_TextLabel.h"
#include "skin/form/bsSkinForm.h"

#include "engine/component/FFConverter.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "profiles/LegacyProfileList.h"
#include "profiles/PresetLists.h"

namespace app {

using namespace platform;
using profiles::TPreset;

namespace {

struct TPresetPlace {
    TPreset Preset;
    const char* Name;
    int Left, Top, Width;
    int LabelLeft, LabelTop;
    const char* LabelName;
};

// In tab order.
const TPresetPlace PresetPlaces[] = {
    {TPreset::Resolution, "bsSkinComboBox1", 16, 43, 289, 19, 24, "bsSkinTextLabel3"},
    {TPreset::VideoBitrate, "bsSkinComboBox2", 342, 43, 251, 342, 24, "bsSkinTextLabel2"},
    {TPreset::FrameRate, "bsSkinComboBox9", 14, 88, 291, 16, 69, "bsSkinTextLabel6"},
    {TPreset::AudioBitrate, "bsSkinComboBox3", 16, 133, 289, 16, 114, "bsSkinTextLabel4"},
    {TPreset::SampleRate, "bsSkinComboBox10", 342, 133, 251, 342, 114, "bsSkinTextLabel7"},
    {TPreset::VideoMode, "bsSkinComboBox4", 342, 88, 251, 342, 69, "bsSkinTextLabel9"},
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
    label->SetName("bsSkinTextLabel5");
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
    // A settings button the panel never shows.
    auto* settings = FSettingsButton = new skin::TbsSkinButton(this);
    settings->SetName("bsSkinButton1");
    settings->SetCaption("设置");
    settings->SetSkinDataName("resizebutton");
    settings->UseSkinSize = false;
    settings->SetBounds(621, 139, 55, 51);
    settings->SetVisible(false);
    settings->SetParent(choice);
    CreateRoutinePanel();

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

// Panel1: the buttons whose clicks are the dialog's named steps, and a
// picture nothing refers to.
void TForm6::CreateRoutinePanel()
{
    auto* panel = new TPanel(this);
    panel->SetName("Panel1");
    panel->SetCaption("Panel1");
    panel->SetBounds(704, 77, 305, 305);
    panel->SetParent(this);
    const struct {
        const char* Name;
        const char* Caption;
        int Left, Top, Width;
        void (TForm6::*Click)();
    } buttons[] = {
        {"Button6", "初始化数据", 32, 47, 75, &TForm6::Button6Click},
        {"Button5", "根据combox添加数据", 113, 47, 126, &TForm6::Button5Click},
        {"Button7", "确认oo数据", 230, 47, 75, nullptr},
        {"Button2", "添加combox", 32, 78, 104, &TForm6::Button2Click},
        {"Button13", "确认预置选项数据", 32, 109, 113, &TForm6::Button13Click},
        {"Button11", "onchange用", 151, 78, 95, nullptr},
        {"Button18", "根据combox添加预设选项", 42, 163, 143, &TForm6::Button18Click},
    };
    for (const auto& b : buttons) {
        auto* button = new TButton(this);
        button->SetName(b.Name);
        button->SetCaption(b.Caption);
        button->SetBounds(b.Left, b.Top, b.Width, 25);
        button->SetParent(panel);
        if (b.Click)
            button->OnClick = [this, click = b.Click](TObject*) { (this->*click)(); };
    }
    auto* picture = new TImage(this);
    picture->SetName("Image1");
    picture->SetBounds(46, 158, 171, 103);
    picture->Picture()->Assign(MakeLogo(128, 128).get());
    picture->Transparent = true;
    picture->SetParent(panel);
}

void TForm6::Button5Click()
{
    FWorkflow.LegacyProfileDefaults(FCategory->ItemIndex(), FProfile->ItemIndex());
}

void TForm6::Button13Click()
{
    FWorkflow.DialogPresetTexts(ShownPresetTexts(FPresets));
}

void TForm6::Button6Click()
{
    FWorkflow.ResetFields();
}

void TForm6::CreatePresetPage(TWinControl* APage)
{
    for (const TPresetPlace& place : PresetPlaces) {
        auto* combo = NewPresetCombo(*this, APage, place.Name,
                                     TRect{place.Left, place.Top, place.Left + place.Width, place.Top + 20},
                                     profiles::PresetLabel(place.Preset), TPoint{place.LabelLeft, place.LabelTop},
                                     place.LabelName);
        FPresets[size_t(place.Preset)] = combo;
    }
}

void TForm6::SkinWith(skin::TbsSkinData* ASkinData)
{
    skin::TbsSkinForm* frame = SkinFormWith(*this, ASkinData);
    frame->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | skin::biRollUp);
    frame->ShowIcon = false;
    frame->UseDefaultSysMenu = true;
    frame->Magnetic = false;
    frame->MagneticSize = 5;
    frame->SetAlphaBlend(false);
    SetArialFrameFonts(*frame);
    FSettingsButton->SetSkinData(nullptr);
}

void TForm6::FormCreate()
{
    Button2Click();
}

void TForm6::bsSkinButton2Click()
{
    FWorkflow.LegacyDialogOk(FCategory->ItemIndex(), FProfile->ItemIndex(), ShownPresetTexts(FPresets));
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
