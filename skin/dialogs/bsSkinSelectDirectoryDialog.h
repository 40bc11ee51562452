#pragma once
// The select-folder dialog: a component whose Execute builds a dialog in
// code with a folder tree, OK and Cancel and, optionally, a tool bar with a
// path field and a new-folder button, shows it modally and on OK keeps the
// chosen folder in Directory.

#include "skin/boxes/bsSkinBoxes_SkinEdit.h"
#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_Panel.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/controls/bsSkinCtrls_SpeedButton.h"
#include "skin/controls/bsSkinCtrls_ToolBar.h"
#include "skin/core/bsPngImageList.h"
#include "skin/dialogs/bsSkinShellCtrls_TreeView.h"
#include "skin/form/bsSkinForm.h"

#include "platform/controls/Forms.h"

#include <string>

namespace skin {

class TbsSelDirDlgForm : public platform::TForm {
public:
    TbsSelDirDlgForm(TComponent* AOwner, TbsSkinData* ACtrlSkinData, bool AShowToolBar, bool AToolButtonsTransparent,
                     TCustomImageList* AToolBarImageList, int AToolButtonImageIndex, bool ATreeShowLines);

    TbsPngImageList* PngImgList = nullptr;
    TbsSkinForm* BSF = nullptr;
    TbsSkinPanel* DirTreeViewPanel = nullptr;
    TbsSkinPanel* BottomPanel = nullptr;
    TbsSkinDirTreeView* DirTreeView = nullptr;
    TbsSkinScrollBar* VScrollBar = nullptr;
    TbsSkinScrollBar* HScrollBar = nullptr;
    TbsSkinButton* OkButton = nullptr;
    TbsSkinButton* CancelButton = nullptr;
    TbsSkinToolBar* ToolPanel = nullptr;
    TbsSkinSpeedButton* NewFolderToolButton = nullptr;
    TbsSkinEdit* DirEdit = nullptr;

    void DirEditKeyPress(char16_t& AKey);
    void DirTreeViewChange();
    void NewFolderClick();

private:
    TbsSkinData* CtrlSD;
    bool ShowToolBar;
};

class TbsSkinSelectDirectoryDialog : public platform::TComponent {
public:
    explicit TbsSkinSelectDirectoryDialog(TComponent* AOwner);

    TCustomImageList* ToolBarImageList() const { return FToolBarImageList; }
    void SetToolBarImageList(TCustomImageList* AValue);
    int ToolButtonImageIndex = 0;
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
    TNotifyEvent OnChange;
    bool ToolButtonsTransparent = false;
    int DialogWidth = 0, DialogHeight = 0, DialogMinWidth = 0, DialogMinHeight = 0;
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* AValue);
    TbsSkinData* CtrlSkinData() const { return FCtrlSD; }
    void SetCtrlSkinData(TbsSkinData* AValue);
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* AValue) { FDefaultFont.Assign(AValue); }
    std::string Title = "Select folder";
    std::string Directory;
    bool AlphaBlend = false;
    uint8_t AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;
    bool ShowToolBar = false;
    bool TreeShowLines = true;
    TCustomImageList* TreeButtonImageList() const { return FTreeButtonImageList; }
    void SetTreeButtonImageList(TCustomImageList* AValue);
    int TreeButtonExpandImageIndex = 0;
    int TreeButtonNoExpandImageIndex = 1;

    // True when the dialog closed with OK; Directory is then the chosen folder.
    bool Execute();
    TbsSelDirDlgForm* DlgFrm() const { return FDlgFrm; }

protected:
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    TCustomImageList* FToolBarImageList = nullptr;
    TCustomImageList* FTreeButtonImageList = nullptr;
    TbsSkinData* FSD = nullptr;
    TbsSkinData* FCtrlSD = nullptr;
    TFont FDefaultFont;
    TbsSelDirDlgForm* FDlgFrm = nullptr;
};

} // namespace skin
