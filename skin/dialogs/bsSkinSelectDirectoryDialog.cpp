#include "skin/dialogs/bsSkinSelectDirectoryDialog.h"

#include "skin/dialogs/bsDialogLook.h"
#include "skin/dialogs/bsDialogPictures.h"
#include "skin/dialogs/bsSkinFilterComboBox_Paths.h"

#include "platform/core/Format.h"
#include "platform/core/InOutError.h"
#include "platform/core/SysUtils.h"

#include <cerrno>
#include <sys/stat.h>

namespace skin {

using namespace platform;

TbsSelDirDlgForm::TbsSelDirDlgForm(TComponent* AOwner, TbsSkinData* ACtrlSkinData, bool AShowToolBar,
                                   bool AToolButtonsTransparent, TCustomImageList* AToolBarImageList,
                                   int AToolButtonImageIndex, bool ATreeShowLines)
    : TForm(AOwner), CtrlSD(ACtrlSkinData), ShowToolBar(AShowToolBar)
{
    KeyPreview = true;
    Position = poScreenCenter;
    SetClientSize(280, 280);
    PngImgList = new TbsPngImageList(this);
    PngImgList->SetSize(16, 16);
    TPngImage png;
    LoadDialogPicture("BS_NEWFOLDER_PNG", png);
    PngImgList->PngImages().Add()->SetPngImage(&png);
    BSF = new TbsSkinForm(this);

    if (AShowToolBar) {
        ToolPanel = new TbsSkinToolBar(this);
        ToolPanel->SetParent(this);
        ToolPanel->SetBorderStyle(bvNone);
        ToolPanel->SetAlign(alTop);
        ToolPanel->SetDefaultHeight(25);
        ToolPanel->SetSkinDataName("toolpanel");
        ToolPanel->SetImages(AToolBarImageList ? AToolBarImageList : PngImgList);
        NewFolderToolButton = new TbsSkinSpeedButton(this);
        NewFolderToolButton->SetParent(ToolPanel);
        NewFolderToolButton->SetLeft(Width());
        NewFolderToolButton->SetAlign(alRight);
        NewFolderToolButton->SetDefaultHeight(25);
        NewFolderToolButton->SetDefaultWidth(27);
        NewFolderToolButton->SetSkinDataName("toolbutton");
        NewFolderToolButton->SetNumGlyphs(1);
        NewFolderToolButton->SetImageIndex(AToolBarImageList ? AToolButtonImageIndex : 0);
        NewFolderToolButton->Hint = DialogCaption(CtrlSD, "MSG_BTN_NEWFOLDER_HINT", "Create New Folder");
        NewFolderToolButton->ShowHint = true;
        NewFolderToolButton->OnClick = [this](TObject*) { NewFolderClick(); };
        NewFolderToolButton->SetFlat(AToolButtonsTransparent);
        auto* gap = new TbsSkinBevel(this);
        gap->SetParent(ToolPanel);
        gap->SetBounds(0, 0, 5, 25);
        gap->SetAlign(alRight);
        gap->Shape = bsSpacer;
        DirEdit = new TbsSkinEdit(this);
        DirEdit->SetParent(ToolPanel);
        DirEdit->SetAlign(alClient);
        DirEdit->SetSkinDataName("edit");
        DirEdit->OnKeyPress = [this](TObject*, char16_t& AKey) { DirEditKeyPress(AKey); };
    }

    DirTreeViewPanel = new TbsSkinPanel(this);
    DirTreeViewPanel->SetParent(this);
    DirTreeViewPanel->SetAlign(alClient);
    DirTreeViewPanel->SetBorderStyle(bvFrame);
    DirTreeViewPanel->SetHeight(200);
    VScrollBar = new TbsSkinScrollBar(this);
    VScrollBar->SetKind(sbVertical);
    VScrollBar->SetParent(DirTreeViewPanel);
    VScrollBar->SetAlign(alRight);
    VScrollBar->SetDefaultWidth(19);
    VScrollBar->SetEnabled(false);
    VScrollBar->SetSkinDataName("vscrollbar");
    HScrollBar = new TbsSkinScrollBar(this);
    HScrollBar->SetParent(DirTreeViewPanel);
    HScrollBar->SetAlign(alBottom);
    HScrollBar->SetDefaultHeight(19);
    HScrollBar->SetEnabled(false);
    HScrollBar->SetBothMarkerWidth(19);
    HScrollBar->SetSkinDataName("hscrollbar");
    DirTreeView = new TbsSkinDirTreeView(this);
    DirTreeView->SetParent(DirTreeViewPanel);
    DirTreeView->SetAlign(alClient);
    DirTreeView->SetHScrollBar(HScrollBar);
    DirTreeView->SetVScrollBar(VScrollBar);
    DirTreeView->SetObjectTypes(DirTreeView->ObjectTypes() | otHidden);
    DirTreeView->SetHideSelection(false);
    DirTreeView->SetShowLines(ATreeShowLines);
    DirTreeView->OnChange = [this](TObject*, TTreeNode*) { DirTreeViewChange(); };

    BottomPanel = new TbsSkinPanel(this);
    BottomPanel->SetParent(this);
    BottomPanel->SetAlign(alBottom);
    BottomPanel->SetBorderStyle(bvNone);
    BottomPanel->SetHeight(50);
    OkButton = new TbsSkinButton(this);
    OkButton->SetParent(BottomPanel);
    OkButton->SetDefault(true);
    OkButton->SetCaption(DialogCaption(CtrlSD, "MSG_BTN_OK", "OK"));
    OkButton->SetCanFocused(true);
    OkButton->SetBounds(20, 15, 70, 25);
    OkButton->SetDefaultHeight(25);
    OkButton->ModalResult = mrOk;
    CancelButton = new TbsSkinButton(this);
    CancelButton->SetParent(BottomPanel);
    CancelButton->SetCaption(DialogCaption(CtrlSD, "MSG_BTN_CANCEL", "Cancel"));
    CancelButton->SetCanFocused(true);
    CancelButton->SetBounds(100, 15, 70, 25);
    CancelButton->SetDefaultHeight(25);
    CancelButton->ModalResult = mrCancel;
    CancelButton->Cancel = true;
}

void TbsSelDirDlgForm::DirTreeViewChange()
{
    if (ShowToolBar && DirEdit)
        DirEdit->SetText(DirTreeView->Path());
}

void TbsSelDirDlgForm::DirEditKeyPress(char16_t& AKey)
{
    if (AKey == 13 && !DirEdit->Text().empty() && bsDirectoryExists(DirEdit->Text()))
        DirTreeView->SetPath(DirEdit->Text());
}

void TbsSelDirDlgForm::NewFolderClick()
{
    const std::string path = DirTreeView->Path();
    // Only a folder of the file system can hold a new one.
    if (!DirTreeView->Selected() || path.empty() || path[0] != '/')
        return;
    const std::string folder = bsJoinPath(path, DialogCaption(CtrlSD, "MSG_NEWFOLDER", "New Folder"));
    if (bsDirectoryExists(folder))
        return;
    if (mkdir(folder.c_str(), 0777) != 0) {
        const int error = errno;
        throw EInOutError(Format("Cannot create the folder \"%s\": %s", folder, SysErrorMessage(error)), error);
    }
    DirTreeView->Refresh(DirTreeView->Selected());
}

// ---------------------------------------------------------------- the component

TbsSkinSelectDirectoryDialog::TbsSkinSelectDirectoryDialog(TComponent* AOwner) : TComponent(AOwner)
{
    InitDialogFont(FDefaultFont);
}

void TbsSkinSelectDirectoryDialog::SetToolBarImageList(TCustomImageList* AValue)
{
    ChangeReference(this, FToolBarImageList, AValue);
}
void TbsSkinSelectDirectoryDialog::SetTreeButtonImageList(TCustomImageList* AValue)
{
    ChangeReference(this, FTreeButtonImageList, AValue);
}
void TbsSkinSelectDirectoryDialog::SetSkinData(TbsSkinData* AValue) { ChangeReference(this, FSD, AValue); }
void TbsSkinSelectDirectoryDialog::SetCtrlSkinData(TbsSkinData* AValue) { ChangeReference(this, FCtrlSD, AValue); }

void TbsSkinSelectDirectoryDialog::Notification(TComponent* AComponent, TOperation AOperation)
{
    TComponent::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FSD)
        FSD = nullptr;
    if (AComponent == FCtrlSD)
        FCtrlSD = nullptr;
    if (AComponent == FToolBarImageList)
        FToolBarImageList = nullptr;
    if (AComponent == FTreeButtonImageList)
        FTreeButtonImageList = nullptr;
}

bool TbsSkinSelectDirectoryDialog::Execute()
{
    if (OnShow)
        OnShow(this);
    std::unique_ptr<TbsSelDirDlgForm> form(new TbsSelDirDlgForm(Application(), FCtrlSD, ShowToolBar,
                                                                ToolButtonsTransparent, FToolBarImageList,
                                                                ToolButtonImageIndex, TreeShowLines));
    TbsDialogRun<TbsSelDirDlgForm> run(this, OnClose, FDlgFrm, form.get());
    SetUpDialogFrame(form.get(), form->BSF,
                     {Title, FSD, FCtrlSD, DialogMinWidth, DialogMinHeight, AlphaBlend, AlphaBlendAnimation,
                      AlphaBlendValue});
    form->DirTreeViewPanel->SetSkinData(FCtrlSD);
    form->DirTreeView->SetButtonImageList(FTreeButtonImageList);
    form->DirTreeView->ButtonExpandImageIndex = TreeButtonExpandImageIndex;
    form->DirTreeView->ButtonNoExpandImageIndex = TreeButtonNoExpandImageIndex;
    form->DirTreeView->SetDefaultFont(&FDefaultFont);
    form->DirTreeView->SetSkinData(FCtrlSD);
    if (FCtrlSD) {
        form->DirTreeView->SetDrawSkin(FCtrlSD->DlgTreeViewDrawSkin);
        form->DirTreeView->ItemSkinDataName = FCtrlSD->DlgTreeViewItemSkinDataName;
    }
    form->DirTreeView->HandleNeeded();
    if (!Directory.empty() && bsDirectoryExists(Directory))
        form->DirTreeView->SetPath(Directory);
    else
        form->DirTreeView->ExpandMyComputer();
    for (TbsSkinScrollBar* bar : {form->VScrollBar, form->HScrollBar})
        bar->SetSkinData(FCtrlSD);
    for (TbsSkinButton* b : {form->OkButton, form->CancelButton}) {
        b->SetSkinData(FCtrlSD);
        b->SetDefaultFont(&FDefaultFont);
    }
    form->BottomPanel->SetSkinData(FCtrlSD);
    if (form->ToolPanel) {
        form->ToolPanel->SetSkinData(FCtrlSD);
        form->NewFolderToolButton->SetSkinData(FCtrlSD);
        form->DirEdit->SetSkinData(FCtrlSD);
    }
    SizeDialog(form.get(), form->BSF, DialogWidth, DialogHeight, 280, 280);
    form->SetActiveControl(form->DirTreeView);

    const bool ok = form->ShowModal() == mrOk;
    DialogWidth = form->ClientWidth();
    DialogHeight = form->ClientHeight();
    if (!ok)
        return false;
    Directory = form->DirTreeView->Path();
    if (OnChange)
        OnChange(this);
    return true;
}

} // namespace skin
