#include "skin/dialogs/bsSkinOpenDialog.h"

#include "skin/dialogs/bsDialogLook.h"
#include "skin/dialogs/bsDialogPictures.h"
#include "skin/dialogs/bsMessages.h"
#include "skin/dialogs/bsSkinFilterComboBox_Paths.h"
#include "skin/dialogs/bsSkinOpenDialog_Names.h"

#include "platform/core/Format.h"
#include "platform/core/InOutError.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Messages.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace skin {

using namespace platform;

namespace {

constexpr const char* ToolImages[] = {"BS_BACK_PNG", "BS_UP_PNG", "BS_NEWFOLDER_PNG", "BS_LVSTYLE_PNG"};
constexpr int DefaultW = 450, DefaultH = 290;   // the form's first size; a run sets its own

// The folder part of a path, "" for a bare name.
std::string FolderOf(const std::string& APath)
{
    const size_t slash = APath.rfind('/');
    return slash == std::string::npos ? std::string() : APath.substr(0, slash == 0 ? 1 : slash);
}

std::string NameOf(const std::string& APath) { return APath.substr(APath.rfind('/') + 1); }

// The folder of the program's own executable.
std::string ProgramFolder()
{
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? FolderOf(std::string(buffer, size_t(n))) : std::string("/");
}

void AddSpacer(TbsSkinToolBar* ABar, TAlign AAlign)
{
    auto* spacer = new TbsSkinBevel(ABar->Owner());
    spacer->SetParent(ABar);
    spacer->Shape = bsSpacer;
    spacer->SetBounds(AAlign == alRight ? ABar->Width() + 1000 : 0, 0, 10, 25);
    spacer->SetAlign(AAlign);
}

} // namespace

// ---------------------------------------------------------------- the form

TbsOpenDlgForm::TbsOpenDlgForm(TComponent* AOwner, bool ASaveMode, TbsSkinData* ACtrlSkinData,
                               bool AToolButtonsTransparent, TCustomImageList* AToolBarImageList)
    : TForm(AOwner), FSaveMode(ASaveMode), CtrlSD(ACtrlSkinData)
{
    Position = poScreenCenter;
    SetClientSize(DefaultW, DefaultH);
    PngImgList = new TbsPngImageList(this);
    PngImgList->SetSize(16, 16);
    for (const char* name : ToolImages) {
        TPngImage png;
        LoadDialogPicture(name, png);
        PngImgList->PngImages().Add()->SetPngImage(&png);
    }
    BSF = new TbsSkinForm(this);
    const int w = ClientWidth();

    ToolPanel = new TbsSkinToolBar(this);
    ToolPanel->SetParent(this);
    ToolPanel->SetAlign(alTop);
    ToolPanel->SetBorderStyle(bvNone);
    ToolPanel->SetDefaultHeight(25);
    ToolPanel->SetSkinDataName("toolpanel");
    ToolPanel->SetImages(AToolBarImageList ? AToolBarImageList : PngImgList);
    AddSpacer(ToolPanel, alLeft);
    Drivelabel = new TbsSkinStdLabel(this);
    Drivelabel->SetParent(ToolPanel);
    Drivelabel->SetLeft(20);
    Drivelabel->SetAlign(alLeft);
    Drivelabel->Layout = tlCenter;
    Drivelabel->SetCaption(Caption("FLV_LOOKIN", "Look in: "));
    ShellBox = new TbsSkinShellComboBox(this);
    ShellBox->SetParent(ToolPanel);
    ShellBox->SetAlign(alClient);
    ShellBox->SetDropDownCount(10);
    BackToolButton = AddToolButton(0, Caption("MSG_BTN_BACK_HINT", "Go To Last Folder Visited"),
                                   AToolButtonsTransparent, 27);
    UpToolButton = AddToolButton(1, Caption("MSG_BTN_UP_HINT", "Up One Level"), AToolButtonsTransparent, 27);
    NewFolderToolButton = AddToolButton(2, Caption("MSG_BTN_NEWFOLDER_HINT", "Create New Folder"),
                                        AToolButtonsTransparent, 27);
    AddSpacer(ToolPanel, alRight);
    StyleToolButton = new TbsSkinMenuSpeedButton(this);
    StyleToolButton->SetParent(ToolPanel);
    StyleToolButton->SetLeft(ToolPanel->Width() + 2000);
    StyleToolButton->SetAlign(alRight);
    StyleToolButton->SetDefaultWidth(37);
    StyleToolButton->SetDefaultHeight(25);
    StyleToolButton->SetSkinDataName("toolmenubutton");
    StyleToolButton->SetImageIndex(3);
    StyleToolButton->Hint = Caption("MSG_BTN_VIEWMENU_HINT", "View Menu");
    StyleToolButton->ShowHint = true;
    StyleToolButton->SetFlat(AToolButtonsTransparent);
    StylePopupMenu = new TbsSkinPopupMenu(this);
    const std::pair<TMenuItem**, std::pair<const char*, const char*>> items[] = {
        {&IconMenuItem, {"MSG_LV_ICON", "Large icons"}},
        {&SmallIconMenuItem, {"MSG_LV_SMALLICON", "Small icons"}},
        {&ListMenuItem, {"MSG_LV_LIST", "List"}},
        {&ReportMenuItem, {"MSG_LV_DETAILS", "Details"}},
    };
    const TViewStyle styles[] = {vsIcon, vsSmallIcon, vsList, vsReport};
    for (size_t i = 0; i < std::size(items); ++i) {
        auto* item = new TMenuItem(StylePopupMenu);
        item->Caption = Caption(items[i].second.first, items[i].second.second);
        item->RadioItem = true;
        const TViewStyle style = styles[i];
        item->OnClick = [this, style](TObject*) { SetViewStyle(style); };
        StylePopupMenu->Items()->Add(item);
        *items[i].first = item;
    }
    StyleToolButton->SetSkinPopupMenu(StylePopupMenu);
    BackToolButton->OnClick = [this](TObject*) { BackToolButtonClick(); };
    UpToolButton->OnClick = [this](TObject*) { UpToolButtonClick(); };
    NewFolderToolButton->OnClick = [this](TObject*) { NewFolderToolButtonClick(); };

    BottomPanel = new TbsSkinPanel(this);
    BottomPanel->SetParent(this);
    BottomPanel->SetAlign(alBottom);
    BottomPanel->SetBorderStyle(bvNone);
    BottomPanel->SetHeight(80);
    const TAnchors stretch = AnchorBit(akLeft) | AnchorBit(akTop) | AnchorBit(akRight);
    const TAnchors right = AnchorBit(akTop) | AnchorBit(akRight);
    OpenFileLabel = new TbsSkinStdLabel(this);
    OpenFileLabel->SetParent(BottomPanel);
    OpenFileLabel->SetBounds(10, 10, OpenFileLabel->Width(), OpenFileLabel->Height());
    OpenFileLabel->SetCaption(Caption("MSG_FILENAME", "File name:"));
    FileNameEdit = new TbsSkinEdit(this);
    FileNameEdit->SetParent(BottomPanel);
    FileNameEdit->SetBounds(70, 10, w - 160, FileNameEdit->Height());
    FileNameEdit->SetAnchors(stretch);
    FileTypeLabel = new TbsSkinStdLabel(this);
    FileTypeLabel->SetParent(BottomPanel);
    FileTypeLabel->SetBounds(10, 45, FileTypeLabel->Width(), FileTypeLabel->Height());
    FileTypeLabel->SetCaption(Caption("MSG_FILETYPE", "File type:"));
    FilterComboBox = new TbsSkinFilterComboBox(this);
    FilterComboBox->SetParent(BottomPanel);
    FilterComboBox->SetBounds(70, 45, w - 160, 21);
    FilterComboBox->SetDefaultHeight(21);
    FilterComboBox->SetAnchors(stretch);
    OpenButton = new TbsSkinButton(this);
    OpenButton->SetParent(BottomPanel);
    OpenButton->SetBounds(w - 80, 10, 70, 25);
    OpenButton->SetDefaultHeight(25);
    OpenButton->SetCanFocused(true);
    OpenButton->SetAnchors(right);
    OpenButton->SetCaption(FSaveMode ? Caption("MSG_BTN_SAVE", "&Save") : Caption("MSG_BTN_OPEN", "&Open"));
    CancelButton = new TbsSkinButton(this);
    CancelButton->SetParent(BottomPanel);
    CancelButton->SetBounds(w - 80, 45, 70, 25);
    CancelButton->SetDefaultHeight(25);
    CancelButton->SetCanFocused(true);
    CancelButton->SetAnchors(right);
    CancelButton->SetCaption(Caption("MSG_BTN_CANCEL", "Cancel"));
    CancelButton->ModalResult = mrCancel;
    CancelButton->Cancel = true;

    FileListViewPanel = new TbsSkinPanel(this);
    FileListViewPanel->SetParent(this);
    FileListViewPanel->SetAlign(alClient);
    FileListViewPanel->SetBorderStyle(bvFrame);
    FLVHScrollBar = new TbsSkinScrollBar(this);
    FLVHScrollBar->SetParent(FileListViewPanel);
    FLVHScrollBar->SetAlign(alBottom);
    FLVHScrollBar->SetDefaultHeight(19);
    FLVHScrollBar->SetSkinDataName("hscrollbar");
    FLVVScrollBar = new TbsSkinScrollBar(this);
    FLVVScrollBar->SetKind(sbVertical);
    FLVVScrollBar->SetParent(FileListViewPanel);
    FLVVScrollBar->SetAlign(alRight);
    FLVVScrollBar->SetDefaultWidth(19);
    FLVVScrollBar->SetSkinDataName("vscrollbar");
    FileListView = new TbsSkinFileListView(this);
    FileListView->SetParent(FileListViewPanel);
    FileListView->SetAlign(alClient);
    FileListView->SetHScrollBar(FLVHScrollBar);
    FileListView->SetVScrollBar(FLVVScrollBar);
    FileListView->SetViewStyle(vsList);
    FileListView->SetShowColumnHeaders(true);
    FileListView->SetHideSelection(false);
    FileListView->SetShellComboBox(ShellBox);
    ShellBox->SetShellListView(FileListView);
    FileListView->OnChange = [this](TObject*, TListItem*, TItemChange) { FLVChange(); };
    FileListView->OnPathChanged = [this](TObject*) { FLVPathChange(); };
    FileListView->OnDblClick = [this](TObject*) { FLVDBLClick(); };
    FileListView->OnKeyPress = [this](TObject*, char16_t& AKey) { FLVKeyPress(AKey); };

    FileNameEdit->OnKeyPress = [this](TObject*, char16_t& AKey) { EditKeyPress(AKey); };
    FilterComboBox->OnChange = [this](TObject*) { FCBChange(); };
    OpenButton->OnClick = [this](TObject*) { OpenButtonClick(); };
    SetActiveControl(FileNameEdit);
}

TbsOpenDlgForm::~TbsOpenDlgForm() = default;

TbsSkinSpeedButton* TbsOpenDlgForm::AddToolButton(int AImage, const std::string& AHint, bool AFlat, int AWidth)
{
    auto* b = new TbsSkinSpeedButton(this);
    b->SetParent(ToolPanel);
    b->SetLeft(ToolPanel->Width() + 1000);   // right-aligned controls line up in creation order
    b->SetAlign(alRight);
    b->SetDefaultWidth(AWidth);
    b->SetDefaultHeight(25);
    b->SetNumGlyphs(1);
    b->SetImageIndex(AImage);
    b->Hint = AHint;
    b->ShowHint = true;
    b->SetFlat(AFlat);
    b->SetSkinDataName("toolbutton");
    return b;
}

std::string TbsOpenDlgForm::Caption(const char* AKey, const char* AText) const
{
    return DialogCaption(CtrlSD, AKey, AText);
}

std::string TbsOpenDlgForm::FilterExt() { return FilterExtension(FilterComboBox->Mask()); }

std::string TbsOpenDlgForm::GetDefaultExt() { return DefaultExt.empty() ? FilterExt() : "." + DefaultExt; }

void TbsOpenDlgForm::SetViewStyle(TViewStyle AStyle)
{
    FileListView->SetViewStyle(AStyle);
    TMenuItem* const items[] = {IconMenuItem, SmallIconMenuItem, ListMenuItem, ReportMenuItem};
    for (int i = 0; i < 4; ++i)
        items[i]->SetChecked(i == int(AStyle));
    if (AStyle == vsReport && FileListView->MultiSelect())
        FileListView->BuildColumns();
}

void TbsOpenDlgForm::CloseWith(const std::string& AFileName)
{
    FileName = AFileName;
    SetModalResult(mrOk);
}

bool TbsOpenDlgForm::AskOverwrite()
{
    TbsSkinMessage box(this);
    box.SetSkinData(BSF->SkinData());
    box.SetCtrlSkinData(CtrlSD);
    return box.MessageDlg(Caption("MSG_OVERWRITE", "Do you want to overwrite old file?"), mtWarning, {mbOK, mbCancel},
                          0) == mrOk;
}

void TbsOpenDlgForm::OpenButtonClick()
{
    TbsOkInput in;
    in.SaveMode = FSaveMode;
    in.CheckFileExists = CheckFileExists;
    in.OverwritePrompt = OverwritePromt;
    in.Selected = FileListView->GetSelectedFile();
    in.Typed = FileNameEdit->Text();
    in.Folder = FileListView->Path();
    if (in.Folder.empty() || in.Folder.back() != '/')
        in.Folder += '/';
    in.DefaultExt = DefaultExt;
    in.FilterExt = FilterExt();
    const TbsOkDecision d = DecideOk(in);
    if (d.Action == TbsOkDecision::Close || (d.Action == TbsOkDecision::AskOverwrite && AskOverwrite()))
        CloseWith(d.FileName);
}

void TbsOpenDlgForm::FLVChange()
{
    const std::string selected = FileListView->GetSelectedFile();
    if (!selected.empty())
        FileNameEdit->SetText(NameOf(selected));
    if (OnFolderChange)
        OnFolderChange(this);
}

void TbsOpenDlgForm::FLVDBLClick()
{
    const std::string selected = FileListView->GetSelectedFile();
    if (selected.empty())
        return;
    if (FSaveMode && OverwritePromt && !AskOverwrite())
        return;
    CloseWith(selected);
}

void TbsOpenDlgForm::FLVKeyPress(char16_t& AKey)
{
    if (AKey == 13 && !FileListView->GetSelectedFile().empty())
        OpenButtonClick();
}

void TbsOpenDlgForm::EditKeyPress(char16_t& AKey)
{
    if (AKey != 13)
        return;
    const std::string typed = FileNameEdit->Text();
    if (typed.find('*') != std::string::npos) {
        FileListView->SetMask(typed);
    } else if (typed.find('/') != std::string::npos) {
        if (bsDirectoryExists(typed))
            FileListView->SetPath(typed);
        else
            OpenButtonClick();
    } else {
        OpenButtonClick();
    }
}

void TbsOpenDlgForm::FCBChange()
{
    FileListView->SetMask(FilterComboBox->Mask());
    if (FSaveMode)
        FileNameEdit->SetText(NameForFilter(FileNameEdit->Text(), FilterExt()));
}

void TbsOpenDlgForm::AddHistory()
{
    TbsShellFolder* root = FileListView->RootFolder();
    if (!root || (!FolderHistory.empty() && SameItemID(FolderHistory.back().get(), root->AbsoluteID())))
        return;
    FolderHistory.emplace_back(DuplicateItemIDList(root->AbsoluteID()));
}

void TbsOpenDlgForm::InitHistory() { AddHistory(); }

void TbsOpenDlgForm::FLVPathChange()
{
    if (!StopAddToHistory)
        AddHistory();
    if (FileListView->RowCount() > 0)
        FileListView->SetItemFocused(FileListView->Items()->Item(0));
    if (OnFolderChange)
        OnFolderChange(this);
}

void TbsOpenDlgForm::BackToolButtonClick()
{
    if (FolderHistory.size() < 2)
        return;
    WithFlag(StopAddToHistory, [&] {
        FileListView->FollowFolder(FolderHistory[FolderHistory.size() - 2].get());
        FolderHistory.erase(FolderHistory.end() - 2);
    });
}

void TbsOpenDlgForm::UpToolButtonClick() { FileListView->Back(); }

void TbsOpenDlgForm::NewFolderToolButtonClick()
{
    const std::string path = FileListView->Path();
    if (path.empty() || path[0] != '/')
        return;
    ++NewFolderCount;
    const std::string name = NewFolderName(Caption("MSG_NEWFOLDER", "New Folder"), NewFolderCount);
    const std::string folder = path == "/" ? "/" + name : path + "/" + name;
    if (bsDirectoryExists(folder))
        return;
    if (mkdir(folder.c_str(), 0777) != 0) {
        const int error = errno;
        throw EInOutError(Format("Cannot create the folder \"%s\": %s", folder, SysErrorMessage(error)), error);
    }
    FileListView->ReloadFolder();
    Application()->ProcessMessages();
    for (int i = 0; i < FileListView->RowCount(); ++i)
        if (FileListView->FolderAt(i)->DisplayName() == name) {
            FileListView->SetItemIndex(i);
            FileListView->Items()->Item(i)->EditCaption();
            break;
        }
}

// ---------------------------------------------------------------- the component

TbsSkinOpenDialog::TbsSkinOpenDialog(TComponent* AOwner) : TComponent(AOwner)
{
    InitDialogFont(FDefaultFont);
}

void TbsSkinOpenDialog::SetToolBarImageList(TCustomImageList* AValue)
{
    ChangeReference(this, FToolBarImageList, AValue);
}
void TbsSkinOpenDialog::SetSkinData(TbsSkinData* AValue) { ChangeReference(this, FSD, AValue); }
void TbsSkinOpenDialog::SetCtrlSkinData(TbsSkinData* AValue) { ChangeReference(this, FCtrlSD, AValue); }

void TbsSkinOpenDialog::Notification(TComponent* AComponent, TOperation AOperation)
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
}

void TbsSkinOpenDialog::SetFileName(const std::string& AValue)
{
    FFileName = AValue;
    if (FDlgFrm)
        FDlgFrm->FileNameEdit->SetText(AValue);
}

std::string TbsSkinOpenDialog::GetSelectedFile() { return FDlgFrm ? FDlgFrm->FileListView->GetSelectedFile() : ""; }

void TbsSkinOpenDialog::Prepare(TbsOpenDlgForm* F)
{
    SetUpDialogFrame(F, F->BSF,
                     {Title, FSD, FCtrlSD, DialogMinWidth, DialogMinHeight, AlphaBlend, AlphaBlendAnimation,
                      AlphaBlendValue});
    for (TbsSkinCustomComboBox* c : {static_cast<TbsSkinCustomComboBox*>(F->ShellBox),
                                     static_cast<TbsSkinCustomComboBox*>(F->FilterComboBox)}) {
        c->AlphaBlend = CtrlAlphaBlend;
        c->AlphaBlendValue = CtrlAlphaBlendValue;
        c->AlphaBlendAnimation = CtrlAlphaBlendAnimation;
    }
    F->OpenButton->SetDefaultFont(&FDefaultFont);
    F->CancelButton->SetDefaultFont(&FDefaultFont);
    F->ShellBox->SetDefaultFont(&FDefaultFont);
    F->FileListView->SetDefaultFont(&FDefaultFont);
    F->SetViewStyle(ListViewStyle);

    // The start folder: that of FileName, else InitialDir, else the program's.
    std::string start = FolderOf(FFileName);
    if (start.empty() || !bsDirectoryExists(start))
        start = !InitialDir.empty() && bsDirectoryExists(InitialDir) ? InitialDir : ProgramFolder();
    F->FileListView->HeaderSkinDataName = LVHeaderSkinDataName;
    F->FileListView->SetSkinData(FCtrlSD);
    if (FCtrlSD) {
        F->FileListView->SetDrawSkin(FCtrlSD->DlgListViewDrawSkin);
        F->FileListView->ItemSkinDataName = FCtrlSD->DlgListViewItemSkinDataName;
    }
    F->FileListView->SetMultiSelect(MultiSelection);
    if (ShowHiddenFiles)
        F->FileListView->SetObjectTypes(F->FileListView->ObjectTypes() | otHidden);
    F->FileListView->SetRoot(start);

    F->FilterComboBox->SetFilter(Filter);
    F->FilterComboBox->HandleNeeded();
    F->FilterComboBox->SetItemIndex(FilterIndex - 1);

    const bool resizeButtons = FCtrlSD && !FCtrlSD->Empty() && FCtrlSD->GetControlIndex("resizetoolbutton") != -1;
    for (TbsSkinSpeedButton* b : {F->BackToolButton, F->UpToolButton, F->NewFolderToolButton,
                                  static_cast<TbsSkinSpeedButton*>(F->StyleToolButton)}) {
        if (resizeButtons)
            b->SetSkinDataName("resizetoolbutton");
        b->SetSkinData(FCtrlSD);
    }
    for (TbsSkinPanel* p : {static_cast<TbsSkinPanel*>(F->ToolPanel), F->BottomPanel, F->FileListViewPanel})
        p->SetSkinData(FCtrlSD);
    F->Drivelabel->SetSkinData(FCtrlSD);
    F->OpenFileLabel->SetSkinData(FCtrlSD);
    F->FileTypeLabel->SetSkinData(FCtrlSD);
    F->FLVHScrollBar->SetSkinData(FCtrlSD);
    F->FLVVScrollBar->SetSkinData(FCtrlSD);
    F->FileNameEdit->SetSkinData(FCtrlSD);
    F->FilterComboBox->SetSkinData(FCtrlSD);
    F->OpenButton->SetSkinData(FCtrlSD);
    F->CancelButton->SetSkinData(FCtrlSD);
    F->ShellBox->SetSkinDataName("combobox");
    F->ShellBox->SetSkinData(FCtrlSD);

    SizeDialog(F, F->BSF, DialogWidth, DialogHeight, FDefaultWidth, DefaultH);
    if (F->FileListView->RowCount() > 0)
        F->FileListView->SetItemFocused(F->FileListView->Items()->Item(0));
    F->FileNameEdit->SetText(NameOf(FFileName));
    F->InitHistory();
}

TbsOpenDlgForm* TbsSkinOpenDialog::CreateForm()
{
    return new TbsOpenDlgForm(Application(), SaveMode, FCtrlSD, ToolButtonsTransparent, FToolBarImageList);
}

bool TbsSkinOpenDialog::Execute()
{
    if (OnShow)
        OnShow(this);
    std::unique_ptr<TbsOpenDlgForm> form(CreateForm());
    TbsDialogRun<TbsOpenDlgForm> run(this, OnClose, FDlgFrm, form.get());
    form->OverwritePromt = OverwritePromt;
    form->CheckFileExists = CheckFileExists;
    if (FUsesDefaultExt) {
        form->OnFolderChange = OnFolderChange;
        form->DefaultExt = DefaultExt;
    }
    Prepare(form.get());
    BeforeShow(form.get());

    const bool ok = form->ShowModal() == mrOk;
    FilterIndex = form->FilterComboBox->ItemIndex() + 1;
    DialogWidth = form->ClientWidth();
    DialogHeight = form->ClientHeight();
    ListViewStyle = form->FileListView->ViewStyle();
    AfterShow(form.get());
    if (!ok)
        return false;
    FFileName = form->FileName;
    if (SaveMode && !HasFileExtension(FFileName))
        FFileName += form->FilterExt();
    form->FileListView->GetSelectedFiles(&FFiles);
    if (FUsesDefaultExt && SaveMode && !HasFileExtension(FFileName) && !DefaultExt.empty())
        FFileName += "." + DefaultExt;
    return true;
}

} // namespace skin
