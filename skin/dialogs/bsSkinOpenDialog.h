#pragma once
// The skinned open and save dialog: a component whose Execute builds the
// dialog in code (a "Look in" folder combo and tool bar, the shell list of
// the folder, the name field, the filter combo and the buttons), shows it
// modally and copies the chosen file or files back.

#include "skin/boxes/bsSkinBoxes_SkinEdit.h"
#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_Panel.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/controls/bsSkinCtrls_SpeedButton.h"
#include "skin/controls/bsSkinCtrls_StdLabel.h"
#include "skin/controls/bsSkinCtrls_ToolBar.h"
#include "skin/core/bsPngImageList.h"
#include "skin/dialogs/bsSkinFilterComboBox.h"
#include "skin/dialogs/bsSkinShellCtrls_ComboBox.h"
#include "skin/dialogs/bsSkinShellCtrls_ListView.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenus.h"

#include "platform/controls/Forms.h"

#include <memory>
#include <string>
#include <vector>

namespace skin {

class TbsOpenDlgForm : public platform::TForm {
public:
    TbsOpenDlgForm(TComponent* AOwner, bool ASaveMode, TbsSkinData* ACtrlSkinData, bool AToolButtonsTransparent,
                   TCustomImageList* AToolBarImageList);
    ~TbsOpenDlgForm() override;

    std::string DefaultExt;
    bool OverwritePromt = false;
    bool CheckFileExists = true;
    TNotifyEvent OnFolderChange;
    std::string FileName;

    TbsPngImageList* PngImgList = nullptr;
    TbsSkinForm* BSF = nullptr;
    TbsSkinToolBar* ToolPanel = nullptr;
    TbsSkinStdLabel* Drivelabel = nullptr;
    TbsSkinSpeedButton* BackToolButton = nullptr;
    TbsSkinSpeedButton* UpToolButton = nullptr;
    TbsSkinSpeedButton* NewFolderToolButton = nullptr;
    TbsSkinMenuSpeedButton* StyleToolButton = nullptr;
    TbsSkinPopupMenu* StylePopupMenu = nullptr;
    platform::TMenuItem* IconMenuItem = nullptr;
    platform::TMenuItem* SmallIconMenuItem = nullptr;
    platform::TMenuItem* ListMenuItem = nullptr;
    platform::TMenuItem* ReportMenuItem = nullptr;
    TbsSkinShellComboBox* ShellBox = nullptr;
    TbsSkinPanel* BottomPanel = nullptr;
    TbsSkinPanel* FileListViewPanel = nullptr;
    TbsSkinScrollBar* FLVHScrollBar = nullptr;
    TbsSkinScrollBar* FLVVScrollBar = nullptr;
    TbsSkinFileListView* FileListView = nullptr;
    TbsSkinEdit* FileNameEdit = nullptr;
    TbsSkinFilterComboBox* FilterComboBox = nullptr;
    TbsSkinButton* OpenButton = nullptr;
    TbsSkinButton* CancelButton = nullptr;
    TbsSkinStdLabel* OpenFileLabel = nullptr;
    TbsSkinStdLabel* FileTypeLabel = nullptr;

    bool SaveMode() const { return FSaveMode; }
    std::string FilterExt();
    std::string GetDefaultExt();
    void SetViewStyle(platform::TViewStyle AStyle);
    void InitHistory();

    virtual void FLVChange();
    void FLVPathChange();
    void FLVDBLClick();
    void FLVKeyPress(char16_t& AKey);
    void EditKeyPress(char16_t& AKey);
    void FCBChange();
    void OpenButtonClick();
    void BackToolButtonClick();
    void UpToolButtonClick();
    void NewFolderToolButtonClick();

protected:
    std::string Caption(const char* AKey, const char* AText) const;
    // A tool button aligned right of those made before it.
    TbsSkinSpeedButton* AddToolButton(int AImage, const std::string& AHint, bool AFlat, int AWidth);

private:
    bool AskOverwrite();
    void CloseWith(const std::string& AFileName);
    void AddHistory();

    bool FSaveMode;
    TbsSkinData* CtrlSD;
    std::vector<TItemIDListPtr> FolderHistory;
    bool StopAddToHistory = false;
    int NewFolderCount = 0;
};

class TbsSkinOpenDialog : public platform::TComponent {
public:
    explicit TbsSkinOpenDialog(TComponent* AOwner);

    TCustomImageList* ToolBarImageList() const { return FToolBarImageList; }
    void SetToolBarImageList(TCustomImageList* AValue);
    bool ShowHiddenFiles = false;
    bool ToolButtonsTransparent = false;
    bool OverwritePromt = false;
    std::string DefaultExt;
    int DialogWidth = 0, DialogHeight = 0, DialogMinWidth = 0, DialogMinHeight = 0;
    bool CheckFileExists = true;
    bool MultiSelection = false;
    bool AlphaBlend = false;
    uint8_t AlphaBlendValue = 225;
    bool AlphaBlendAnimation = false;
    bool CtrlAlphaBlend = false;
    uint8_t CtrlAlphaBlendValue = 225;
    bool CtrlAlphaBlendAnimation = false;
    std::string LVHeaderSkinDataName = "header";
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* AValue);
    TbsSkinData* CtrlSkinData() const { return FCtrlSD; }
    void SetCtrlSkinData(TbsSkinData* AValue);
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* AValue) { FDefaultFont.Assign(AValue); }
    std::string Title = "Open file";
    std::string InitialDir;
    std::string Filter = "All files|*.*";
    int FilterIndex = 1;
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& AValue);
    TNotifyEvent OnFolderChange;
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
    platform::TStringList* Files() { return &FFiles; }
    platform::TViewStyle ListViewStyle = platform::vsList;

    // True when the dialog closed with OK.
    bool Execute();
    std::string GetSelectedFile();
    TbsOpenDlgForm* DlgFrm() const { return FDlgFrm; }

protected:
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    // What a variant of the dialog changes in a run: its form, and steps
    // before the form shows and after it closes (whatever the result).
    virtual TbsOpenDlgForm* CreateForm();
    virtual void BeforeShow(TbsOpenDlgForm*) {}
    virtual void AfterShow(TbsOpenDlgForm*) {}
    bool SaveMode = false;
    int FDefaultWidth = 450;
    // DefaultExt and OnFolderChange take part (the picture variant has
    // neither).
    bool FUsesDefaultExt = true;

private:
    void Prepare(TbsOpenDlgForm* F);

    TCustomImageList* FToolBarImageList = nullptr;
    TbsSkinData* FSD = nullptr;
    TbsSkinData* FCtrlSD = nullptr;
    TFont FDefaultFont;
    std::string FFileName;
    platform::TStringList FFiles;
    TbsOpenDlgForm* FDlgFrm = nullptr;
};

} // namespace skin
