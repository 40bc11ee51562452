#include "app/forms/Unit5.h"

#include "app/forms/SettingsDialogParts.h"

#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinTabs.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_CheckRadio.h"
#include "skin/controls/bsSkinCtrls_Panel.h"
#include "skin/controls/bsSkinCtrls_StdLabel.h"

#include "platform/core/SysUtils.h"

namespace app {

using namespace platform;
using skin::TbsSkinCheckRadioBox;

TForm5::TForm5(TComponent* AOwner, TOptionFile& AOptionFile) : TForm(AOwner), FOptionFile(AOptionFile)
{
    SetUpDialog(*this, TDialogFrame{"Form5", "选项", 526, 464, bsDialog, "宋体", -12});

    FPages = new skin::TbsSkinPageControl(this);
    FPages->SetName("bsSkinPageControl1");
    FPages->SkinDataName = "tab";
    FPages->SetBounds(33, 23, 471, 378);
    FPages->SetParent(this);
    const char* const tabs[][2] = {{"bsSkinTabSheet1", "CPU"}, {"bsSkinTabSheet2", "常规"}};
    std::array<skin::TbsSkinTabSheet*, 2> sheets{};
    for (size_t i = 0; i < sheets.size(); ++i) {
        sheets[i] = new skin::TbsSkinTabSheet(this);
        sheets[i]->SetName(tabs[i][0]);
        sheets[i]->SetCaption(tabs[i][1]);
        sheets[i]->SetPageControl(FPages);
    }

    auto group = [this](TWinControl* APage, const char* ACaption, int ATop, int AHeight) {
        auto* g = new skin::TbsSkinPanel(this);
        g->SetSkinDataName("groupbox");
        g->SetCaptionMode(true);
        g->SetCaption(ACaption);
        g->SetBounds(16, ATop, 439, AHeight);
        g->SetParent(APage);
        return g;
    };
    auto* cpu = group(sheets[0], "转换时CPU利用方式", 16, 150);
    const char* const priorities[] = {"系统空闲时进行", "最低优先级进行", "较低优先级进行", "正常优先级进行"};
    for (int i = 0; i < 4; ++i)
        FPriority[size_t(i)] = NewBox(cpu, ("bsSkinCheckRadioBox" + IntToStr(9 + i)).c_str(), priorities[i], 24,
                                      30 + i * 28, true);
    auto* params = group(sheets[0], "转换参数", 180, 150);
    auto* label = new skin::TbsSkinStdLabel(this);
    label->SetCaption("同时进行转换的文件个数");
    label->SetBounds(24, 36, 160, 18);
    label->SetParent(params);
    FThreadCount = new skin::TbsSkinComboBox(this);
    FThreadCount->SetName("bsSkinComboBox2");
    FThreadCount->SetDropDownCount(8);
    FThreadCount->SetBounds(190, 32, 80, 24);
    for (int n = 1; n <= 19; ++n)
        FThreadCount->Items()->Add(IntToStr(n));
    FThreadCount->SetParent(params);
    // The multithread switch is kept ticked and out of sight: clear, a run
    // would use one thread and OK would leave the stored count alone.
    FMultiThread = NewBox(params, "bsSkinCheckRadioBox7", "启用多线程模式   （同时进行转换的视频个数）", 24, 104, false);
    FMultiThread->SetVisible(false);
    FMultiThread->OnClick = [this](TObject*) { FThreadCount->SetEnabled(FMultiThread->Checked()); };
    FMultiThread->SetChecked(true);
    FPreview = NewBox(params, "bsSkinCheckRadioBox8", "转换时进行实时视频预览", 24, 76, false);
    FPreview->OnClick = [this](TObject*) {
        if (OnPreviewChanged)
            OnPreviewChanged(FPreview->Checked());
    };

    auto* exists = group(sheets[1], "如果输出文件存在时", 16, 100);
    FOverwrite[0] = NewBox(exists, "bsSkinCheckRadioBox3", "直接覆盖输出文件", 24, 30, true);
    FOverwrite[1] = NewBox(exists, "bsSkinCheckRadioBox6", "自动重命名输出文件", 24, 58, true);
    auto* done = group(sheets[1], "转换工作完成后", 130, 150);
    const char* const actions[] = {"自动打开输出文件夹", "自动关闭计算机", " 播放提示音乐", "不进行任何操作"};
    const char* const actionNames[] = {"bsSkinCheckRadioBox1", "bsSkinCheckRadioBox2", "bsSkinCheckRadioBox4",
                                       "bsSkinCheckRadioBox5"};
    for (int i = 0; i < 4; ++i)
        FAfterDone[size_t(i)] = NewBox(done, actionNames[i], actions[i], 24, 30 + i * 28, true);

    NewDialogButton(*this, "bsSkinButton6", "确定", 328, 415, [this] { OkClick(); }, 75);
    NewDialogButton(*this, "bsSkinButton1", "取消", 423, 415, [this] { CancelClick(); }, 75)->Cancel = true;

    SetOptions(TConversionOptions{});
    ShowPage(1);
}

TbsSkinCheckRadioBox* TForm5::NewBox(TWinControl* AParent, const char* AName, const char* ACaption, int ALeft,
                                     int ATop, bool ARadio)
{
    auto* box = new TbsSkinCheckRadioBox(this);
    box->SetName(AName);
    box->SetRadio(ARadio);
    // The radios of one group box exclude each other and look like radios.
    box->GroupIndex = ARadio ? 1 : 0;
    if (ARadio)
        box->SetSkinDataName("radiobox");
    box->SetCaption(ACaption);
    box->SetBounds(ALeft, ATop, 240, 22);
    box->SetParent(AParent);
    return box;
}

void TForm5::SkinWith(skin::TbsSkinData* ASkinData, skin::TbsSkinData* ARadioSkinData)
{
    SkinDialog(*this, ASkinData);
    auto radios = [ARadioSkinData](const auto& AGroup) {
        for (TbsSkinCheckRadioBox* radio : AGroup)
            radio->SetSkinData(ARadioSkinData);
    };
    radios(FPriority);
    radios(FAfterDone);
    radios(FOverwrite);
}

void TForm5::ShowPage(int AIndex)
{
    FPages->SetActivePageIndex(AIndex);
}

int TForm5::ShownPage() const
{
    return FPages->ActivePageIndex();
}

TConversionOptions TForm5::Options() const
{
    TConversionOptions o;
    const int index = FThreadCount->ItemIndex();
    o.ThreadCount = index < 0 || !FMultiThread->Checked() ? 1 : StrToIntDef(FThreadCount->Items()->Strings(index), 1);
    for (int i = 0; i < 4; ++i) {
        if (FPriority[size_t(i)]->Checked())
            o.Priority = TRunPriority(i);
        if (FAfterDone[size_t(i)]->Checked())
            o.AfterDone = TAfterDone(i);
    }
    o.Overwrite = FOverwrite[0]->Checked();
    o.ShowPreview = FPreview->Checked();
    return o;
}

void TForm5::SetOptions(const TConversionOptions& AOptions)
{
    FThreadCount->SetItemIndex(std::clamp(AOptions.ThreadCount, 1, 19) - 1);
    for (int i = 0; i < 4; ++i) {
        FPriority[size_t(i)]->SetChecked(int(AOptions.Priority) == i);
        FAfterDone[size_t(i)]->SetChecked(int(AOptions.AfterDone) == i);
    }
    FOverwrite[0]->SetChecked(AOptions.Overwrite);
    FOverwrite[1]->SetChecked(!AOptions.Overwrite);
    // Setting the box runs its click handler: the preview follows.
    FPreview->SetChecked(AOptions.ShowPreview);
}

void TForm5::Button1Click()
{
    SetOptions(FOptionFile.ReadOptions());
}

void TForm5::Button2Click()
{
    FOptionFile.WriteOptions(Options(), FMultiThread->Checked());
}

void TForm5::OkClick()
{
    Button2Click();
    SetModalResult(mrOk);
}

void TForm5::CancelClick()
{
    // What the user changed and cancelled never reaches a run.
    SetOptions(FAtOpen);
    SetModalResult(mrCancel);
}

void TForm5::Opening()
{
    FAtOpen = Options();
}

TModalResult TForm5::ShowModal()
{
    Opening();
    return TForm::ShowModal();
}

} // namespace app
