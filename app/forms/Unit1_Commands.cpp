// The main window's commands: what the primary buttons, their twins and
// the menu items run, the states they show, and the window's side of the
// workflow (message boxes, rows, the output choice).
#include "app/forms/Unit1.h"

#include "app/forms/PreviewPane.h"
#include "app/forms/SettingsDialogParts.h"
#include "app/forms/ShutdownCountdown.h"
#include "app/forms/SkinAssign.h"
#include "app/forms/TaskListView.h"
#include "app/workflow/ProgramFiles.h"
#include "app/forms/Unit2.h"
#include "app/forms/Unit5.h"

#include "skin/boxes/bsSkinBoxes_SkinEdit.h"
#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"
#include "engine/player/FFPlay.h"
#include "profiles/ProfileCatalogue.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_Panel.h"
#include "skin/controls/bsSkinCtrls_Slider.h"
#include "skin/controls/bsSkinCtrls_SpeedButton.h"
#include "skin/dialogs/bsMessages.h"
#include "skin/dialogs/bsSelectSkinDialog.h"
#include "skin/core/bsSkinData_StoredList.h"

#include "platform/core/SysUtils.h"
#include "platform/shell/ShellExecute.h"

namespace app {

using namespace platform;
using skin::TbsSkinButton;

namespace {

// The menu items of each command, in TCommand order.
const std::vector<const char*> CommandMenuItems[CommandCount] = {
    {"Item111", "Item121", "N21", "N11111", "N2222", "N3331"}, {"N7"}, {"N8"}, {"N10"}, {"N11"}, {"N13"}, {"N26"},
    {"N14"}};

const char* const HintCaption = "提示";

} // namespace

// -- states ------------------------------------------------------------------

void TForm1::ApplyCommandStates()
{
    const TCommandStates& states = FWorkflow->Commands();
    for (int i = 0; i < CommandCount; ++i) {
        const TCommand command = TCommand(i);
        const TCommandState& s = states.State(command);
        if (FPrimaries[size_t(i)])
            FPrimaries[size_t(i)]->SetEnabled(s.Primary);
        for (const char* name : CommandMenuItems[i])
            if (TMenuItem* item = MenuItem(name))
                item->Enabled = s.Primary;
        if (command == TCommand::Add) {
            FAddButton->SetEnabled(s.Twin);
            continue;
        }
        TbsSkinButton* twin = FTwins[size_t(i)];
        if (!twin)
            continue;
        twin->SetEnabled(s.Twin);
        TBitmap* glyph = (s.Twin ? FOnGlyphs : FOffGlyphs)[size_t(i)].get();
        if (glyph)
            twin->SetGlyph(glyph);
        twin->RefreshButton();
    }
    FTwins[size_t(TCommand::Pause)]->SetVisible(states.PauseTwinShown());
    FTwins[size_t(TCommand::Resume)]->SetVisible(!states.PauseTwinShown());
    const bool profile = states.ProfileControls();
    FCategory->SetEnabled(profile);
    FProfile->SetEnabled(profile);
    FBrowseButton->SetEnabled(profile);
    for (profiles::TPreset p : profiles::AllPresets)
        FPresets[size_t(p)]->SetEnabled(profile && FWorkflow->PresetEnabled(p));
}

// The lists show the workflow's output choice.
void TForm1::FollowChoice()
{
    FFollowing = true;
    FCategory->SetItemIndex(FWorkflow->CategoryIndex());
    FProfile->Items()->Clear();
    int position = 0;
    for (const char* name : FWorkflow->ProfileNames()) {
        skin::TbsSkinOfficeItem* item = FProfile->Items()->Add();
        item->SetCaption(name);
        item->SetImageIndex(profiles::ProfileImageIndex(position++));
    }
    FProfile->SetItemIndex(FWorkflow->ProfileIndex());
    const profiles::TPresetChoices* lists = FWorkflow->PresetLists();
    for (profiles::TPreset p : profiles::AllPresets) {
        skin::TbsSkinComboBox* combo = FPresets[size_t(p)];
        combo->Items()->Clear();
        if (lists)
            for (const char* text : lists->Pick(p).Texts)
                combo->Items()->Add(text);
        combo->SetItemIndex(FWorkflow->PresetIndex(p));
        combo->SetEnabled(FWorkflow->Commands().ProfileControls() && FWorkflow->PresetEnabled(p));
    }
    FFollowing = false;
}

// -- the workflow's view -------------------------------------------------------

void TForm1::ShowMessage(const std::string& ACaption, const std::string& AText, TMsgDlgType AType)
{
    if (MessageBoxHook) {
        MessageBoxHook(ACaption, AText, AType);
        return;
    }
    FMessages->MessageDlg2(AText, ACaption, AType, TMsgDlgButtons{mbOK}, 0);
}

void TForm1::ShowHint(const std::string& AText)
{
    ShowMessage(HintCaption, AText, mtInformation);
}

void TForm1::ShowTaskError(const std::string& AText)
{
    // The box keeps the messages flowing, so the next task's end may come
    // while it is open: its box follows this one rather than opening over
    // it, where the box a user answers would hide behind the one he sees.
    FPendingTaskErrors.push_back(AText);
    if (FShowingTaskError)
        return;
    FShowingTaskError = true;
    while (!FPendingTaskErrors.empty()) {
        const std::string text = std::move(FPendingTaskErrors.front());
        FPendingTaskErrors.pop_front();
        ShowMessage(ProgramTitle, text, mtWarning);
    }
    FShowingTaskError = false;
}

bool TForm1::ConfirmShutdown()
{
    if (ConfirmShutdownHook)
        return ConfirmShutdownHook();
    return RunShutdownCountdown(FSkinData, 60);
}

namespace {

// The window system repaints a window that comes out from under a hidden
// sibling only where it is told to: the panel and every control on it.
void InvalidateTree(TWinControl* AControl)
{
    AControl->Invalidate();
    for (int i = 0; i < AControl->ControlCount(); ++i) {
        if (auto* child = dynamic_cast<TWinControl*>(AControl->Controls(i)))
            InvalidateTree(child);
        else
            AControl->Controls(i)->Invalidate();
    }
}

} // namespace

void TForm1::RowsChanged()
{
    const bool empty = FWorkflow->Rows().Empty();
    if (FEmptyPanel->Visible() != empty) {
        FEmptyPanel->SetVisible(empty);
        if (!empty)
            InvalidateTree(FFilePanel);
    }
    FTaskList->RowsChanged();
}

void TForm1::RowChanged(int AIndex)
{
    FTaskList->RowChanged(AIndex);
}

void TForm1::ChoiceChanged()
{
    FollowChoice();
}

void TForm1::PreviewFile(const std::string& AFileName)
{
    FPreview->Open(AFileName);
}

void TForm1::StopPreview()
{
    FPreview->Stop();
}

void TForm1::KeepResponsive()
{
    Application()->ProcessMessages();
}

void TForm1::FolderListed(const std::vector<std::string>& ANames)
{
    FFolderNames->Clear();
    for (const std::string& name : ANames)
        FFolderNames->Items()->Add(name);
}

void TForm1::FileProbed()
{
    FAddProgress->SetPosition(0);
}

bool TForm1::EmptyPictureShown() const
{
    return FEmptyPanel->Visible();
}

TWinControl* TForm1::FileList()
{
    return FTaskList;
}

// -- commands ----------------------------------------------------------------

// The media libraries are loaded before a chooser opens: without them no
// file could be added, so no chooser is shown (the log says why).
void TForm1::btnAddClick()
{
    if (!FWorkflow->PrepareAdd())
        return;
    const std::string file = Choosers->ChooseFile(MediaFileFilter());
    if (!file.empty())
        FWorkflow->AddFile(file);
    if (!FWorkflow->Rows().Empty())
        FTaskList->SetFocus();
}

void TForm1::Button8Click()
{
    if (!FWorkflow->PrepareAdd())
        return;
    const std::vector<std::string> files = Choosers->ChooseFiles(MediaFileFilter());
    if (!files.empty())
        FWorkflow->AddFiles(files);
}

void TForm1::Button12Click()
{
    if (!FWorkflow->PrepareAdd())
        return;
    const std::string folder = Choosers->ChooseFolder("选择目录", FWorkflow->OutputFolder());
    if (!folder.empty())
        FWorkflow->AddFolder(folder);
}

void TForm1::btnStartClick()
{
    if (FForm5)
        FWorkflow->SetOptions(FForm5->Options());
    FWorkflow->Start();
}

void TForm1::btnStopClick()
{
    FWorkflow->Stop();
}

void TForm1::btnPauseClick()
{
    FWorkflow->Pause();
}

void TForm1::btnResumeClick()
{
    FWorkflow->Resume();
}

void TForm1::btnRemoveClick()
{
    FWorkflow->RemoveSelected();
}

void TForm1::btnClearClick()
{
    FWorkflow->Clear();
}

void TForm1::MoveUpClick()
{
    FWorkflow->MoveSelectedUp();
    FTaskList->SetFocus();
}

void TForm1::MoveDownClick()
{
    FWorkflow->MoveSelectedDown();
    FTaskList->SetFocus();
}

void TForm1::RenameClick(bool AWithHint)
{
    const std::optional<int> row = FWorkflow->BeginRename(AWithHint);
    if (!row)
        return;
    FRenameRow = *row;
    const TRect rect = FTaskList->ItemRect(*row, drBounds);
    FRenameEdit->SetBounds(FTaskList->ColumnLeft(3), rect.Top, FTaskList->Column(3)->Width(), rect.Height() + 4);
    const std::string name = FWorkflow->Rows().Row(*row).Sub(profiles::siOutputFileName);
    FRenameEdit->SetText(ChangeFileExt(name, ""));
    FRenameEdit->SetVisible(true);
    FRenameEdit->SetFocus();
}

void TForm1::edtExit()
{
    if (FRenameRow < 0 || !FRenameEdit->Visible())
        return;
    const std::string text = FRenameEdit->GetText();
    if (text.empty())
        return; // the edit stays open on an empty name
    // A refused name was told in a box and the row keeps its name; the edit
    // goes with it rather than standing over the row, unfocused, showing
    // the refused text.
    FWorkflow->FinishRename(FRenameRow, text);
    FRenameEdit->SetVisible(false);
    FRenameRow = -1;
}

void TForm1::SetOptionsDialog(TForm5* AForm5)
{
    FForm5 = AForm5;
    // The dialog's controls are the options: each use (a name derived, a
    // run started or ended) reads them as they are at that moment.
    if (AForm5)
        FWorkflow->OptionsSource = [AForm5] { return AForm5->Options(); };
    else
        FWorkflow->OptionsSource = nullptr;
}

void TForm1::OptionsClick()
{
    if (FForm5)
        FForm5->ShowModal();
}

void TForm1::AboutClick()
{
    if (FForm2)
        FForm2->ShowModal();
}

void TForm1::BrowseOutputFolderClick()
{
    const std::string folder = Choosers->ChooseFolder("选择输出目录", FWorkflow->OutputFolder());
    if (folder.empty() || !FWorkflow->ChooseOutputFolder(folder))
        return;
    FOutputFolder->SetText(folder);
    FTaskList->SetFocus();
}

void TForm1::OpenOutputFolderClick()
{
    FWorkflow->OpenOutputFolder();
    FTaskList->SetFocus();
}

void TForm1::bsSkinButton9Click()
{
    skin::TbsSelectSkinDialog chooser(this);
    chooser.SetSkinList(FSkinList);
    chooser.SetSkinData(FSkinData);
    chooser.SetCtrlSkinData(FSkinData);
    if (chooser.Execute(FSkinData->SkinIndex()))
        FSkinData->SetSkinIndex(chooser.SelectedSkinIndex());
    // Stored whether or not a skin was chosen.
    Button4Click();
}

std::string TForm1::HelpPage() const
{
    return HelpPageIn(FWorkflow->ProgramFolder);
}

void TForm1::HelpClick()
{
    ShellOpen(HelpPage());
}

void TForm1::Button1Click()
{
    ShellOpen(IncludeTrailingPathDelimiter(FWorkflow->ProgramFolder) + "help.chm");
}

void TForm1::TrackBar2Change()
{
    FPreview->Player()->SetAudioVolume(FVolume->Position());
}

void TForm1::btnCaptureClick()
{
    FPreview->CaptureClick();
}

void TForm1::HomePageClick()
{
    HelpClick();
}

void TForm1::MailClick()
{
    ShellOpen(ContactMailLink);
}

} // namespace app

namespace app {

// -- named routines ------------------------------------------------------------

void TForm1::Button17Click()
{
    FWorkflow->LoadSettings();
    FOutputFolder->SetText(FWorkflow->OutputFolder());
}

void TForm1::Button16Click()
{
    FOptionFile.WriteOutPath(FWorkflow->OutputFolder());
}

void TForm1::Button3Click()
{
    const skin::TbsSkinStatus status = FSkinData->SetSkinIndex(FOptionFile.ReadSkinIndex(FSkinList->Skins().Count()));
    if (!status.Ok())
        FLog->Lines()->Add(status.Message);
}

void TForm1::Button4Click()
{
    FOptionFile.WriteSkinIndex(FSkinData->SkinIndex());
}

void TForm1::Button2Click()
{
    FWorkflow->SetCategory(FWorkflow->CategoryIndex());
}

void TForm1::Button18Click()
{
    FWorkflow->FillPresetLists();
    FollowChoice();
}

void TForm1::Button13Click()
{
    FWorkflow->ApplyShownPresets();
}

void TForm1::Button22Click()
{
    FCategory->SetEnabled(false);
    FProfile->SetEnabled(false);
    FBrowseButton->SetEnabled(false);
    for (skin::TbsSkinComboBox* combo : FPresets)
        combo->SetEnabled(false);
}

void TForm1::Button23Click()
{
    ApplyCommandStates();
}

void TForm1::Button20Click()
{
    FWorkflow->OpenOutputFolder();
}

void TForm1::Button25Click()
{
    FWorkflow->ShutDown();
}

void TForm1::Button29Click()
{
    FWorkflow->PlayFinishSound();
}

void TForm1::Button31Click()
{
    if (const TTaskRow* row = FWorkflow->Rows().Selected())
        FPreview->Open(row->Caption);
}

const std::string& TForm1::Button21Filter() const
{
    return MediaFileFilter();
}

} // namespace app
