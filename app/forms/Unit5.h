#pragma once
// The options dialog "选项": thread priority and count, live preview, what
// to do with an existing output file and after a run. Its controls are the
// options; it loads them from option.ini when created and stores them on
// OK. Cancel puts the controls back as they were when it opened.

#include "app/workflow/OptionFile.h"

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

#include <array>
#include <functional>

namespace skin {
class TbsSkinData;
class TbsSkinCheckRadioBox;
class TbsSkinButton;
class TbsSkinPanel;
class TbsSkinPageControl;
class TbsSkinComboBox;
} // namespace skin

namespace app {

class TForm5 : public platform::TForm {
public:
    TForm5(platform::TComponent* AOwner, TOptionFile& AOptionFile);

    // The values the controls hold now.
    TConversionOptions Options() const;
    // Sets the controls; the live-preview box runs its handler.
    void SetOptions(const TConversionOptions& AOptions);

    void Button1Click(); // load from option.ini
    void Button2Click(); // store into option.ini
    void OkClick();
    void CancelClick();

    // The dialog's frame and controls drawn by ASkinData, its ten radios by
    // the main window's second model ARadioSkinData.
    void SkinWith(skin::TbsSkinData* ASkinData, skin::TbsSkinData* ARadioSkinData);

    platform::TModalResult ShowModal() override;
    // Remembers the controls as they are, for Cancel (ShowModal does it).
    void Opening();

    // The live-preview box changed (also when loading): the conversion
    // component's preview follows at once.
    std::function<void(bool)> OnPreviewChanged;

    // The controls, for tests.
    skin::TbsSkinComboBox* ThreadCount() { return FThreadCount; }
    skin::TbsSkinCheckRadioBox* PreviewBox() { return FPreview; }
    skin::TbsSkinCheckRadioBox* MultiThreadBox() { return FMultiThread; }
    skin::TbsSkinCheckRadioBox* PriorityRadio(TRunPriority APriority) { return FPriority[size_t(APriority)]; }
    skin::TbsSkinCheckRadioBox* AfterDoneRadio(TAfterDone AAction) { return FAfterDone[size_t(AAction)]; }
    skin::TbsSkinCheckRadioBox* OverwriteRadio(bool AOverwrite) { return FOverwrite[AOverwrite ? 0 : 1]; }
    // The page shown: 0 "CPU", 1 "常规".
    void ShowPage(int AIndex);
    int ShownPage() const;

private:
    skin::TbsSkinCheckRadioBox* NewBox(platform::TWinControl* AParent, const char* AName, const char* ACaption,
                                       int ALeft, int ATop, bool ARadio);

    TOptionFile& FOptionFile;
    skin::TbsSkinPageControl* FPages = nullptr; // "CPU", then "常规"
    std::array<skin::TbsSkinCheckRadioBox*, 4> FPriority{};
    std::array<skin::TbsSkinCheckRadioBox*, 4> FAfterDone{};
    std::array<skin::TbsSkinCheckRadioBox*, 2> FOverwrite{}; // overwrite, rename
    skin::TbsSkinCheckRadioBox* FPreview = nullptr;
    skin::TbsSkinCheckRadioBox* FMultiThread = nullptr; // bsSkinCheckRadioBox7
    skin::TbsSkinComboBox* FThreadCount = nullptr;
    TConversionOptions FAtOpen;
};

} // namespace app
