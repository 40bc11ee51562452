#include "skin/dialogs/bsSkinFileCtrls.h"

#include "skin/core/bsUtils_Text.h"
#include "skin/dialogs/bsDialogPictures.h"
#include "skin/dialogs/bsSkinFilterComboBox_Paths.h"

#include "platform/core/InOutError.h"
#include "platform/core/SysUtils.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

// The names of APath below ARoot, in order ("/a/b" below "/" is a, b).
std::vector<std::string> NamesBelow(const std::string& ARoot, const std::string& APath)
{
    std::vector<std::string> names;
    std::string rest = APath.size() > ARoot.size() ? APath.substr(ARoot.size()) : std::string();
    size_t from = 0;
    while (from < rest.size()) {
        const size_t slash = rest.find('/', from);
        const size_t end = slash == std::string::npos ? rest.size() : slash;
        if (end > from)
            names.push_back(rest.substr(from, end - from));
        from = end + 1;
    }
    return names;
}

// Clears a flag when the scope ends, also by an exception.
struct TFlagGuard {
    bool& Flag;
    ~TFlagGuard() { Flag = false; }
};

} // namespace

TbsSkinDirectoryListBox::TbsSkinDirectoryListBox(TComponent* AOwner) : TbsSkinListBox(AOwner)
{
    OnDrawItem = [this](TCanvas* C, int Index, int, int, TRect TxtRect, TOwnerDrawState) {
        DrawFolderItem(C, Index, TxtRect);
    };
    SetWidth(145);
    SetSorted(false);
    LoadFolderBitmaps();
    FDirectory = GetCurrentDir();
}

TbsSkinDirectoryListBox::~TbsSkinDirectoryListBox()
{
    if (FFileList)
        FFileList->FDirList = nullptr;
    if (FDriveCombo)
        FDriveCombo->FDirList = nullptr;
}

void TbsSkinDirectoryListBox::LoadFolderBitmaps()
{
    for (auto [bitmap, name] : {std::pair{&ClosedBMP, "BS_CLOSEDFOLDER"}, std::pair{&OpenedBMP, "BS_OPENFOLDER"},
                                std::pair{&CurrentBMP, "BS_CURRENTFOLDER"}}) {
        *bitmap = std::make_unique<TBitmap>();
        LoadControlBitmap(name, **bitmap);
    }
}

void TbsSkinDirectoryListBox::CreateWnd()
{
    TbsSkinListBox::CreateWnd();
    FillFolderList();
}

void TbsSkinDirectoryListBox::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsSkinListBox::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FFileList)
        FFileList = nullptr;
    if (AComponent == FDriveCombo)
        FDriveCombo = nullptr;
    if (AComponent == FDirLabel)
        FDirLabel = nullptr;
}

std::string TbsSkinDirectoryListBox::RootOf(const std::string& APath) const
{
    TVolumeInfo volume;
    return VolumeOfPath(APath, volume, VolumeSources) ? volume.MountPoint : std::string("/");
}

std::string TbsSkinDirectoryListBox::Drive() const { return RootOf(FDirectory); }

void TbsSkinDirectoryListBox::SetDrive(const std::string& AValue)
{
    if (!AValue.empty() && AValue != Drive())
        SetDirectory(AValue);
}

void TbsSkinDirectoryListBox::SetFileList(TbsSkinFileListBox* AValue)
{
    if (FFileList && FFileList != AValue)
        FFileList->FDirList = nullptr;
    ChangeReference(this, FFileList, AValue);
    if (FFileList)
        FFileList->FDirList = this;
}

void TbsSkinDirectoryListBox::SetDirLabel(TbsSkinStdLabel* AValue)
{
    ChangeReference(this, FDirLabel, AValue);
    UpdateDirLabel();
}

std::string TbsSkinDirectoryListBox::DisplayCase(const std::string& S) const
{
    return FPreserveCase || FCaseSensitive ? S : LowerCase(S);
}

int TbsSkinDirectoryListBox::FileCompareText(const std::string& A, const std::string& B) const
{
    return FCaseSensitive ? A.compare(B) : CompareText(A, B);
}

void TbsSkinDirectoryListBox::FillFolderList()
{
    FStopUpDateHScrollBar = true;
    Clear();
    const std::string root = RootOf(FDirectory);
    TVolumeInfo volume;
    FCaseSensitive = !VolumeOfPath(FDirectory, volume, VolumeSources) || bsCaseSensitiveFileSystem(volume.FileSystem);
    FPreserveCase = true;
    // The path from the volume down: the volume's own line, each folder
    // below it, the current one last.
    const std::vector<std::string> names = NamesBelow(root, FDirectory);
    Items()->AddObject(root, names.empty() ? CurrentBMP.get() : OpenedBMP.get());
    for (size_t i = 0; i < names.size(); ++i)
        Items()->AddObject(names[i], i + 1 == names.size() ? CurrentBMP.get() : OpenedBMP.get());
    const int current = Items()->Count() - 1;

    std::vector<TbsFolderEntry> entries;
    std::vector<std::string> folders;
    bsReadFolder(FDirectory, entries, FReadError);
    for (const TbsFolderEntry& e : entries)
        if ((e.Attr & bsftDirectory) && !(e.Attr & (bsftHidden | bsftSystem)) && e.Name != "." && e.Name != "..")
            folders.push_back(e.Name);
    std::sort(folders.begin(), folders.end(), bsNameLess);
    for (const std::string& name : folders)
        Items()->AddObject(name, ClosedBMP.get());
    FStopUpDateHScrollBar = false;
    SetNoticeText(FReadError);
    if (HandleAllocated()) {
        SetItemIndex(current);
        UpDateScrollBar();
    }
}

void TbsSkinDirectoryListBox::SetDirectory(const std::string& AValue)
{
    if (AValue.empty() || FileCompareText(AValue, FDirectory) == 0)
        return;
    std::string folder, file;
    bsSplitPathInput(AValue, FDirectory, folder, file);
    const std::string drive = RootOf(folder);
    if (drive != Drive()) {
        FInSetDir = true;
        TFlagGuard guard{FInSetDir};
        if (FDriveCombo)
            FDriveCombo->SetDrive(drive);
        else
            SwitchDrive(drive);
    }
    ChangeToFolder(folder);
}

void TbsSkinDirectoryListBox::ChangeToFolder(const std::string& AFolder)
{
    FDirectory = bsEnterFolder(FDirectory, AFolder);
    FillFolderList();
    Change();
}

void TbsSkinDirectoryListBox::SwitchDrive(const std::string& ANewDrive)
{
    if (ANewDrive == Drive())
        return;
    if (!ANewDrive.empty()) {
        // A volume that cannot be entered (gone, no permission) leaves the
        // list where it was.
        try {
            FDirectory = bsEnterFolder("/", ANewDrive);
        } catch (const EInOutError&) {
        }
    }
    if (!FInSetDir) {
        FillFolderList();
        Change();
    }
}

void TbsSkinDirectoryListBox::Change()
{
    if (FFileList)
        FFileList->ChangeDirectory(FDirectory);
    UpdateDirLabel();
    if (OnChange)
        OnChange(this);
}

void TbsSkinDirectoryListBox::Refill()
{
    FillFolderList();
    Change();
}

void TbsSkinDirectoryListBox::UpdateDirLabel()
{
    if (!FDirLabel)
        return;
    const int width = FDirLabel->AutoSize() ? Width() : FDirLabel->Width();
    TCanvas* c = FDirLabel->Canvas();
    c->SetFont(FDirLabel->Font());
    FDirLabel->SetCaption(bsShortenPath(FDirectory, *c, width));
}

void TbsSkinDirectoryListBox::OpenCurrent() { SetDirectory(GetItemPath(ItemIndex())); }

void TbsSkinDirectoryListBox::ListBoxDblClick()
{
    TbsSkinListBox::ListBoxDblClick();
    OpenCurrent();
}

void TbsSkinDirectoryListBox::ListBoxKeyPress(char16_t& Key)
{
    TbsSkinListBox::ListBoxKeyPress(Key);
    if (Key == 13)
        OpenCurrent();
}

std::string TbsSkinDirectoryListBox::GetItemPath(int AIndex) const
{
    TStringList* items = ListBox->Items();
    if (AIndex < 0 || AIndex >= items->Count())
        return std::string();
    const std::string root = RootOf(FDirectory);
    if (AIndex == 0)
        return root;
    const TObject* kind = items->Objects(AIndex);
    if (kind == ClosedBMP.get())
        return bsJoinPath(FDirectory, items->Strings(AIndex));
    if (kind == CurrentBMP.get())
        return FDirectory;
    std::string path = root;
    for (int i = 1; i <= AIndex; ++i)
        path = bsJoinPath(path, items->Strings(i));
    return path;
}

int TbsSkinDirectoryListBox::IndentOf(int AIndex) const
{
    TStringList* items = ListBox->Items();
    if (AIndex >= 0 && AIndex < items->Count() && items->Objects(AIndex) == ClosedBMP.get())
        return 4 * items->IndexOfObject(CurrentBMP.get()) + 6;
    return 4 * AIndex + 2;
}

void TbsSkinDirectoryListBox::DrawFolderItem(TCanvas* C, int Index, TRect TxtRect)
{
    TStringList* items = ListBox->Items();
    if (Index < 0 || Index >= items->Count())
        return;
    const int indent = IndentOf(Index), scroll = ListBox->HorizontalExtentValue;
    auto* bitmap = dynamic_cast<TBitmap*>(items->Objects(Index));
    int w = 16;
    if (bitmap) {
        C->Draw(TxtRect.Left + indent - scroll, (TxtRect.Top + TxtRect.Bottom - bitmap->Height()) / 2, bitmap);
        w = bitmap->Width();
    }
    C->Brush()->SetStyle(bsClear);
    TextRectLeftOffset(C, items->Strings(Index), TxtRect, w + indent - scroll + 4);
}

int TbsSkinDirectoryListBox::GetItemWidth(int Index, TCanvas* C)
{
    auto* bitmap = dynamic_cast<TBitmap*>(ListBox->Items()->Objects(Index));
    return TbsSkinListBox::GetItemWidth(Index, C) + IndentOf(Index) + (bitmap ? bitmap->Width() : 16) + 4;
}

} // namespace skin
