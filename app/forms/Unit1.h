#pragma once
// The main window: the task list, the output choice, the run commands and
// the preview pane, laid out at their places on an 827 x 489 client area.
// Each user command has a hidden primary button, a skinned twin and menu
// items, all showing one state per command from the workflow. Panels placed
// beyond the right edge (left 905 and more) hold what the user never sees:
// the primary buttons, the preset lists, the log and the render targets.

#include "app/workflow/Workflow.h"
#include "app/forms/FileChoosers.h"

#include "platform/controls/ComCtrls.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/ImgList.h"

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>

namespace engine {
class TFFLogger;
}
namespace skin {
class TbsSkinButton;
class TbsSkinPanel;
class TbsSkinToolBar;
class TbsSkinMenuSpeedButton;
class TbsSkinSpeedButton;
class TbsSkinSlider;
class TbsSkinEdit;
class TbsSkinMessage;
class TbsSkinStdLabel;
class TbsSkinOfficeComboBox;
class TbsSkinComboBox;
class TbsSkinMainMenuBar;
class TbsSkinPopupMenu;
class TbsSkinData;
class TbsSkinForm;
class TbsCompressedSkinList;
} // namespace skin

namespace app {

class TForm2;
class TForm5;
class TPreviewPane;
class TTaskListView;

extern const char* const ProgramTitle; // "ZarveloMP3格式转换器"

class TForm1 : public platform::TForm, public IWorkflowView {
public:
    explicit TForm1(platform::TComponent* AOwner, std::unique_ptr<IConversionEngine> AEngine = nullptr,
                    std::string AOptionFileName = std::string());
    ~TForm1() override;

    // The start-up handler: settings, filters, profile list, render targets.
    void FormCreate();
    // A problem with option.ini met while the forms were created waits
    // until the main window shows: this shows the first one in a "提示"
    // box. From now on each problem is shown when it happens.
    void ShowStartupProblem();
    // Stops every task (waiting) with the events detached, so a closing
    // window changes no row and runs no after-finish action.
    void FormCloseQuery(bool& ACanClose);

    TConverterWorkflow& Workflow() { return *FWorkflow; }
    TOptionFile& OptionFile() { return FOptionFile; }
    IConversionEngine& Engine() { return *FEngine; }
    // The options dialog whose controls are the conversion options.
    void SetOptionsDialog(TForm5* AForm5);
    void SetAboutBox(TForm2* AForm2) { FForm2 = AForm2; }
    TPreviewPane* Preview() { return FPreview.get(); }

    // ---- commands (what the hidden primary buttons and their twins run)
    void btnAddClick();     // add one file
    void Button8Click();    // add several files
    void Button12Click();   // add a folder
    void btnStartClick();
    void btnStopClick();
    void btnPauseClick();
    void btnResumeClick();
    void btnRemoveClick();
    void btnClearClick();
    void MoveUpClick();
    void MoveDownClick();
    void RenameClick(bool AWithHint);
    void edtExit();
    void OptionsClick();    // the options dialog
    void AboutClick();
    void BrowseOutputFolderClick();
    void OpenOutputFolderClick();
    void HelpClick();       // F1 and "帮助系统"
    // The program's help page, which help and the home page open.
    std::string HelpPage() const;
    void HomePageClick();
    void MailClick();
    void bsSkinButton9Click(); // the skin chooser ("皮肤", off-screen)
    void Button1Click();    // the developer "help": help.chm beside the program
    void TrackBar2Change(); // the preview's volume
    void btnCaptureClick(); // the developer "Capture": the picture shown, saved as

    // ---- the named routines that other code runs
    void Button17Click();   // output folder from option.ini
    void Button16Click();   // output folder into option.ini
    void Button3Click();    // the stored skin applied
    void Button4Click();    // the skin index stored
    void Button2Click();    // profile list of the current category
    void Button18Click();   // preset lists of the current profile
    void Button13Click();   // preset texts into the output fields
    void Button22Click();   // profile controls off
    void Button23Click();   // profile controls on
    void Button20Click();   // open the output folder
    void Button25Click();   // shut down, after the countdown
    void Button29Click();   // the finish chime
    void Button31Click();   // open the selected file in the preview
    const std::string& Button21Filter() const; // the open dialogs' filter

    // ---- what the window shows (read by tests)
    platform::TMainMenu* MainMenu() { return FMainMenu; }
    platform::TMenuItem* MenuItem(const std::string& AName) const;
    skin::TbsSkinButton* Twin(TCommand ACommand) const { return FTwins[size_t(ACommand)]; }
    platform::TButton* Primary(TCommand ACommand) const { return FPrimaries[size_t(ACommand)]; }
    skin::TbsSkinOfficeComboBox* CategoryCombo() { return FCategory; }
    skin::TbsSkinOfficeComboBox* ProfileCombo() { return FProfile; }
    skin::TbsSkinData* SkinData() { return FSkinData; }
    // bsSkinMessage1: the "提示" boxes of the main window.
    skin::TbsSkinMessage* Messages() { return FMessages.get(); }
    // The second model: the tool-bar buttons, start, stop and pause, the
    // preset lists, the skin chooser's button and the options dialog's radios.
    skin::TbsSkinData* SkinData2() { return FSkinData2; }
    // The pictures of the category and profile lists (bsPngImageList5 and
    // bsPngImageList3), which the output settings dialog draws from too.
    platform::TCustomImageList* CategoryImages() { return FCategoryImages; }
    platform::TCustomImageList* ProfileImages() { return FProfileImages; }
    skin::TbsSkinComboBox* PresetCombo(profiles::TPreset APreset) { return FPresets[size_t(APreset)]; }
    platform::TWinControl* FileList();
    TTaskListView* TaskList() { return FTaskList; }
    platform::TMemo* Log() { return FLog; }
    platform::TComboBox* Screens() { return FScreens; }
    skin::TbsSkinEdit* OutputFolderEdit() { return FOutputFolder; }
    // The preview's developer settings on the off-screen Panel5.
    platform::TComboBox* VideoDriverList() { return FVideoDriver; }
    platform::TComboBox* AudioDriverList() { return FAudioDriver; }
    platform::TCheckBox* OpenPausedBox() { return FOpenPaused; }
    platform::TCheckBox* StayOnTopBox() { return FStayOnTop; }
    platform::TTrackBar* VolumeBar() { return FVolume; }
    platform::TProgressBar* AddProgress() { return FAddProgress; } // ProgressBar1
    platform::TListBox* FolderNames() { return FFolderNames; }      // ListBox1
    bool EmptyPictureShown() const;
    platform::TEdit* RenameEdit() { return FRenameEdit; }

    // Replaceable for tests: message boxes, the shutdown countdown and the
    // choosers of files and folders.
    std::function<void(const std::string& ACaption, const std::string& AText, platform::TMsgDlgType AType)>
        MessageBoxHook;
    std::function<bool()> ConfirmShutdownHook;
    std::unique_ptr<IFileChoosers> Choosers;
    // The output settings dialog behind "设置..."; the button only moves the
    // focus back to the list while none is installed.
    std::function<void()> ShowOutputSettings;

    // ---- IWorkflowView
    void ShowHint(const std::string& AText) override;
    void ShowTaskError(const std::string& AText) override;
    bool ConfirmShutdown() override;
    void RowsChanged() override;
    void RowChanged(int AIndex) override;
    void ChoiceChanged() override;
    void PreviewFile(const std::string& AFileName) override;
    void StopPreview() override;
    void KeepResponsive() override;
    void FolderListed(const std::vector<std::string>& ANames) override;
    void FileProbed() override;

protected:
    void DoClose(platform::TCloseAction& AAction) override;
    bool IsShortCut(platform::TMessage& M) override;

private:
    void CreateControls();
    void CreateMenus();
    void CreateHiddenPanels();
    void CreateListScrollBars();
    void CreateOutputPanel();
    void CreateRunButtons();
    void CreatePlayerSettings(platform::TWinControl* APanel);
    void FillRenderTargets();
    void ApplyCommandStates();
    void FollowChoice();
    void ApplySkin();
    void SetUpMainFrame(skin::TbsSkinForm& AFrame);
    void ShowMessage(const std::string& ACaption, const std::string& AText, platform::TMsgDlgType AType);
    skin::TbsSkinButton* NewButton(platform::TWinControl* AParent, const std::string& AName, const std::string& ACaption,
                                   const platform::TRect& ABounds, std::function<void()> AClick);
    platform::TMenuItem* NewItem(platform::TMenuItem* AParent, const std::string& AName, const std::string& ACaption,
                                 std::function<void()> AClick);

    std::unique_ptr<IConversionEngine> FEngine;
    TOptionFile FOptionFile;
    std::unique_ptr<TConverterWorkflow> FWorkflow;
    engine::TFFLogger* FLogger = nullptr;
    TForm2* FForm2 = nullptr;
    TForm5* FForm5 = nullptr;
    bool FFollowing = false; // the lists are being set from the workflow
    bool FStarting = true;   // problems with option.ini wait for the window
    std::string FStartupProblem;
    int FRenameRow = -1;
    // Task failures that came while a failure box was open wait their turn.
    std::deque<std::string> FPendingTaskErrors;
    bool FShowingTaskError = false;

    platform::TMainMenu* FMainMenu = nullptr;
    skin::TbsSkinPopupMenu* FAddMenu = nullptr;
    skin::TbsSkinMainMenuBar* FMenuBar = nullptr;
    std::map<std::string, platform::TMenuItem*> FMenuItems;
    std::array<skin::TbsSkinButton*, CommandCount> FTwins{};
    std::array<platform::TButton*, CommandCount> FPrimaries{};
    std::array<std::unique_ptr<platform::TBitmap>, CommandCount> FOnGlyphs, FOffGlyphs;
    skin::TbsSkinToolBar* FToolBar = nullptr;
    skin::TbsSkinMenuSpeedButton* FAddButton = nullptr;
    skin::TbsSkinPanel* FFilePanel = nullptr;   // bsSkinPanel1
    skin::TbsSkinPanel* FEmptyPanel = nullptr;  // bsSkinPanel5
    TTaskListView* FTaskList = nullptr;         // lvFiles
    platform::TEdit* FRenameEdit = nullptr;     // edt
    skin::TbsSkinPanel* FOutputPanel = nullptr; // bsSkinPanel2
    skin::TbsSkinOfficeComboBox* FCategory = nullptr; // bsSkinOfficeComboBox2
    skin::TbsSkinOfficeComboBox* FProfile = nullptr;  // bsSkinOfficeComboBox1
    platform::TCustomImageList* FCategoryImages = nullptr;
    platform::TCustomImageList* FProfileImages = nullptr;
    skin::TbsSkinData* FSkinData = nullptr;           // bsSkinData1
    skin::TbsCompressedSkinList* FSkinList = nullptr; // bsCompressedSkinList1
    skin::TbsSkinData* FSkinData2 = nullptr;           // bsSkinData2
    skin::TbsCompressedSkinList* FSkinList2 = nullptr; // bsCompressedSkinList2
    std::array<skin::TbsSkinComboBox*, profiles::PresetCount> FPresets{};
    skin::TbsSkinEdit* FOutputFolder = nullptr; // Video_OutPut_Folder_Edit
    skin::TbsSkinButton* FBrowseButton = nullptr;
    platform::TMemo* FLog = nullptr;            // mmoLog
    platform::TComboBox* FScreens = nullptr;    // cboScreens
    platform::TCheckBox* FThreadMode = nullptr; // chkThreadMode
    platform::TComboBox* FVideoDriver = nullptr; // cboVideoDriver
    platform::TComboBox* FAudioDriver = nullptr; // cboAudioDriver
    platform::TCheckBox* FOpenPaused = nullptr;  // chkOpenPaused
    platform::TCheckBox* FStayOnTop = nullptr;   // chkStayOnTop
    platform::TTrackBar* FVolume = nullptr;      // TrackBar2
    platform::TProgressBar* FAddProgress = nullptr; // ProgressBar1
    platform::TListBox* FFolderNames = nullptr;     // ListBox1
    std::unique_ptr<skin::TbsSkinMessage> FMessages;
    std::unique_ptr<TPreviewPane> FPreview;
};

} // namespace app
