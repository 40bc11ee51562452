#pragma once
// The skin chooser: a modal dialog built in code with the skins of a skin
// list (or the stored skins of a form) on the left and a small sample window
// on the right that shows the highlighted skin live. The sample uses a skin
// model of its own, so no other window changes while the user looks; the
// dialog only reports the choice, the caller applies it.

#include "skin/boxes/bsSkinBoxCtrls_ListBox.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/core/bsSkinData.h"
#include "skin/core/bsSkinData_StoredList.h"
#include "skin/core/bsSkinData_StoredSkin.h"
#include "skin/form/bsSkinForm.h"

#include "platform/controls/Forms.h"

#include <string>
#include <vector>

namespace skin {

class TbsSelectSkinDlgForm : public platform::TForm {
public:
    // Skin-list mode: the items of ASkinList, starting at ASkinIndex.
    TbsSelectSkinDlgForm(TComponent* AOwner, TbsCompressedSkinList* ASkinList, int ASkinIndex,
                         TbsSkinData* ACtrlSkinData);
    // Stored-skin mode: the stored skins among AForm's components, starting
    // at ADefaultSkin (or the first). Raises EListError when AForm holds none.
    TbsSelectSkinDlgForm(TComponent* AOwner, TComponent* AForm, TbsCompressedStoredSkin* ADefaultSkin,
                         TbsSkinData* ACtrlSkinData);

    TbsCompressedSkinList* FCSkinList = nullptr;   // nil in stored-skin mode
    int FCSkinIndex = -1;
    TbsSkinForm* BSF = nullptr;
    TbsSkinButton* OpenButton = nullptr;
    TbsSkinButton* CancelButton = nullptr;
    platform::TForm* PreviewForm = nullptr;
    TbsSkinForm* PreviewBSF = nullptr;
    TbsSkinData* PreviewSkinData = nullptr;
    TbsSkinButton* PreviewButton = nullptr;
    TbsSkinListBox* SkinsListBox = nullptr;
    std::vector<TbsCompressedStoredSkin*> SkinList;   // stored-skin mode; not owned

    TbsCompressedStoredSkin* SelectedSkin() const { return PreviewSkinData->CompressedStoredSkin(); }
    void SLBOnChange(TObject* Sender);
    void SLBOnDblClick(TObject* Sender);

private:
    void Build(TbsSkinData* ACtrlSkinData);
    void Finish();
};

class TbsSelectSkinDialog : public platform::TComponent {
public:
    explicit TbsSelectSkinDialog(TComponent* AOwner);

    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* AValue);
    TbsCompressedSkinList* SkinList() const { return FSkinList; }
    void SetSkinList(TbsCompressedSkinList* AValue);
    TbsSkinData* CtrlSkinData() const { return FCtrlFSD; }
    void SetCtrlSkinData(TbsSkinData* AValue);
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* AValue) { FDefaultFont.Assign(AValue); }
    std::string Title = "Select skin";
    bool AlphaBlend = false;
    uint8_t AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;

    TbsCompressedStoredSkin* SelectedSkin() const { return FSelectedSkin; }
    int SelectedSkinIndex() const { return FSelectedSkinIndex; }
    // The dialog while Execute runs, nil otherwise.
    TbsSelectSkinDlgForm* DlgFrm() const { return FDlgFrm; }

    // Skin-list mode: true on OK, with the chosen index in SelectedSkinIndex.
    // False at once without a SkinList.
    bool Execute(int ASkinIndex);
    // Stored-skin mode over the owner form's stored skins: true on OK, with
    // the chosen skin in SelectedSkin.
    bool Execute(TbsCompressedStoredSkin* ADefaultCompressedSkin);

protected:
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    bool Run(TbsSelectSkinDlgForm* AForm, bool AListMode);

    TbsSkinData* FSD = nullptr;
    TbsCompressedSkinList* FSkinList = nullptr;
    TbsSkinData* FCtrlFSD = nullptr;
    TFont FDefaultFont;
    TbsSelectSkinDlgForm* FDlgFrm = nullptr;
    TbsCompressedStoredSkin* FSelectedSkin = nullptr;
    int FSelectedSkinIndex = -1;
};

} // namespace skin
