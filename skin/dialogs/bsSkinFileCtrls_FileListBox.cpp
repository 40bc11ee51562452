#include "skin/dialogs/bsSkinFileCtrls.h"

#include "skin/dialogs/bsSkinFilterComboBox.h"
#include "skin/dialogs/bsSkinFilterComboBox_Paths.h"

#include "platform/controls/Forms.h"
#include "platform/core/Format.h"
#include "platform/core/Masks.h"
#include "platform/core/SysUtils.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

// The patterns of a mask, split at each ";" (spaces belong to them). "*.*"
// asks for every name, as it does in the masks users bring along.
std::vector<std::string> PatternsOf(const std::string& AMask)
{
    std::vector<std::string> patterns;
    size_t from = 0;
    for (;;) {
        const size_t semi = AMask.find(';', from);
        std::string pattern = AMask.substr(from, semi == std::string::npos ? std::string::npos : semi - from);
        patterns.push_back(pattern == "*.*" ? "*" : pattern);
        if (semi == std::string::npos)
            return patterns;
        from = semi + 1;
    }
}

// The screen cursor as it was, back when the fill ends, also by an exception.
class TCursorGuard {
public:
    TCursorGuard() : FCursor(Screen()->Cursor()) {}
    ~TCursorGuard() { Screen()->SetCursor(FCursor); }

private:
    TCursor FCursor;
};

constexpr unsigned SkippedUnlessAsked = bsftHidden | bsftSystem | bsftDirectory;

} // namespace

TbsSkinFileListBox::TbsSkinFileListBox(TComponent* AOwner) : TbsSkinListBox(AOwner)
{
    SetWidth(145);
    FDirectory = GetCurrentDir();
    SetMultiSelect(false);
    // The fill sorts the lines itself: the list's own sorting would take
    // "a.mp3" and "A.mp3" for one line.
    SetSorted(false);
}

TbsSkinFileListBox::~TbsSkinFileListBox()
{
    if (FDirList)
        FDirList->FFileList = nullptr;
    if (FFilterCombo)
        FFilterCombo->FFileList = nullptr;
}

void TbsSkinFileListBox::CreateWnd()
{
    TbsSkinListBox::CreateWnd();
    FillFileList();
}

void TbsSkinFileListBox::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsSkinListBox::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FFileEdit)
        FFileEdit = nullptr;
    if (AComponent == FDirList)
        FDirList = nullptr;
    if (AComponent == FFilterCombo)
        FFilterCombo = nullptr;
}

std::string TbsSkinFileListBox::Drive() const
{
    TVolumeInfo volume;
    return VolumeOfPath(FDirectory, volume) ? volume.MountPoint : std::string();
}

void TbsSkinFileListBox::SetDrive(const std::string& AValue)
{
    if (!AValue.empty() && AValue != Drive())
        ApplyFilePath(AValue);
}

void TbsSkinFileListBox::SetMask(const std::string& AValue)
{
    if (AValue == FMask)
        return;
    FMask = AValue;
    FillFileList();
}

void TbsSkinFileListBox::SetFileType(TbsFileType AValue)
{
    if (AValue == FFileType)
        return;
    FFileType = AValue;
    FillFileList();
}

void TbsSkinFileListBox::SetFileEdit(TCustomEdit* AValue)
{
    ChangeReference<TCustomEdit>(this, FFileEdit, AValue);
    if (FFileEdit) {
        const std::string name = GetSelectedName();
        FFileEdit->SetText(name.empty() ? FMask : name);
    }
}

bool TbsSkinFileListBox::CaseSensitive() const
{
    TVolumeInfo volume;
    return !VolumeOfPath(FDirectory, volume) || bsCaseSensitiveFileSystem(volume.FileSystem);
}

std::string TbsSkinFileListBox::GetSelectedName() const
{
    const int index = ItemIndex();
    if (index < 0 || ListBox->Items()->Count() == 0 || !Selected(index))
        return std::string();
    return ListBox->Items()->Strings(index);
}

std::string TbsSkinFileListBox::GetFileName()
{
    const std::string name = GetSelectedName();
    return name.empty() ? std::string() : bsJoinPath(FDirectory, name);
}

void TbsSkinFileListBox::FillFileList()
{
    if (!HandleAllocated())
        return;
    unsigned attr = FFileType & ~unsigned(bsftNormal);
    std::vector<TbsFolderEntry> entries;
    std::string error;
    std::vector<std::string> lines;
    if (bsReadFolder(FDirectory, entries, error)) {
        try {
            for (const std::string& pattern : PatternsOf(FMask))
                for (const TbsFolderEntry& e : entries) {
                    if ((e.Attr & SkippedUnlessAsked & ~attr) != 0 || !MatchesMask(e.Name, pattern))
                        continue;
                    if ((FFileType & bsftNormal) || (e.Attr & attr))
                        lines.push_back((e.Attr & bsftDirectory) ? Format("[%s]", e.Name) : e.Name);
                }
        } catch (const EMaskException& E) {
            // A mask typed wrong lists nothing and says why, as an
            // unreadable folder does.
            lines.clear();
            error = E.Message();
        }
    }
    // Sorted without regard to case, but names that differ only by case are
    // two entries here and both stay; an entry two patterns match is one.
    std::sort(lines.begin(), lines.end(), bsNameLess);
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    {
        TCursorGuard cursor;
        if (lines.size() > 100)
            Screen()->SetCursor(crHourGlass);
        Clear();
        for (const std::string& line : lines)
            Items()->Add(line);
        UpDateScrollBar();
    }
    FReadError = error;
    SetNoticeText(error);
    Change();
}

void TbsSkinFileListBox::Change()
{
    FLastSel = ItemIndex();
    if (FFileEdit) {
        const std::string name = GetSelectedName();
        FFileEdit->SetText(name.empty() ? FMask : name);
        FFileEdit->SelectAll();
    }
    if (OnChange)
        OnChange(this);
}

void TbsSkinFileListBox::ListBoxClick()
{
    TbsSkinListBox::ListBoxClick();
    if (ItemIndex() != FLastSel)
        Change();
}

void TbsSkinFileListBox::Refill() { FillFileList(); }

void TbsSkinFileListBox::ChangeDirectory(const std::string& ANewDir)
{
    const std::string folder = bsEnterFolder(FDirectory, ANewDir);
    if (folder == FDirectory)
        return;
    FDirectory = folder;
    FillFileList();
}

void TbsSkinFileListBox::SelectFile(const std::string& AName)
{
    const std::string selected = GetSelectedName();
    const bool caseSensitive = CaseSensitive();
    if (caseSensitive ? AName == selected : CompareText(AName, selected) == 0)
        return;
    // The exact name first; another case of it only where the file
    // system folds case, so "a.mp3" never selects "A.mp3" beside it.
    auto find = [&](bool AExact) {
        for (int i = 0; i < Items()->Count(); ++i)
            if (AExact ? Items()->Strings(i) == AName : CompareText(Items()->Strings(i), AName) == 0)
                return i;
        return -1;
    };
    int index = find(true);
    if (index < 0 && !caseSensitive)
        index = find(false);
    SetItemIndex(index);
    Change();
}

void TbsSkinFileListBox::ApplyFilePath(const std::string& AEditText)
{
    if (AEditText.empty() || AEditText == GetFileName())
        return;
    std::string folder, file;
    bsSplitPathInput(AEditText, FDirectory, folder, file);
    if (FDirList)
        FDirList->SetDirectory(folder);
    else
        ChangeDirectory(folder);
    if (file.find_first_of("*?") != std::string::npos) {
        SetMask(file);
    } else if (!file.empty()) {
        SelectFile(file);
        if (FileExists(bsJoinPath(FDirectory, file)) && GetSelectedName().empty()) {
            SetMask(file);
            SelectFile(file);
        }
    }
}

} // namespace skin
