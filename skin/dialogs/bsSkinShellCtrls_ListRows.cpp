#include "skin/dialogs/bsSkinShellCtrls_ListRows.h"

#include "platform/core/Masks.h"
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <memory>

namespace skin {

using namespace platform;

bool ShellMaskAccepts(const std::string& AMask, const std::string& AFileName)
{
    std::string pattern;
    auto accepts = [&] {
        const bool yes = pattern == "*" || (pattern.find('.') != std::string::npos && MatchesMask(AFileName, pattern));
        pattern.clear();
        return yes;
    };
    for (char c : AMask) {
        if (c != ';' && c != '|')
            pattern += c;
        else if (accepts())
            return true;
    }
    return accepts();
}

bool EnumerateShellFolders(TbsShellFolder* ARoot, TShellObjectTypes ATypes, const std::string& AMask,
                           const std::function<void(TbsShellFolder*, bool&)>& AOnAdd,
                           std::vector<TbsShellFolder*>& ARows, std::string& ALongest)
{
    std::unique_ptr<IEnumIDList> items;
    if (!ARoot || !ARoot->ShellFolder() || !ARoot->ShellFolder()->EnumObjects(EnumFlagsOf(ATypes), items) || !items)
        return false;
    PItemIDList id = nullptr;
    while (items->Next(id)) {
        TItemIDListPtr owned(id);
        auto folder = std::make_unique<TbsShellFolder>(ARoot, id, BindChildFolder(ARoot->ShellFolder(), id, 0));
        bool canAdd = true;
        if (!folder->IsFolder())
            canAdd = ShellMaskAccepts(AMask, ExtractFileName(folder->FullObjectName()));
        if (AOnAdd)
            AOnAdd(folder.get(), canAdd);
        if (!canAdd)
            continue;
        const std::string name = folder->DisplayName();
        if (name.size() > ALongest.size())
            ALongest = name;
        ARows.push_back(folder.release());
    }
    return true;
}

namespace {

// What one comparison reads of a row, read once before the sort.
struct TKey {
    TbsShellFolder* Folder = nullptr;
    bool IsFolder = false;
    bool PlainName = false;   // one name in a file-system folder
    std::string Name;
    std::string Type;
    bool HasTime = false;   // its fifth detail holds a time: the column order applies
    int64_t Size = 0;
    time_t Time = 0;
};

TKey KeyOf(TbsShellFolder* AFolder, const TbsShellSortState& S)
{
    TKey k;
    k.Folder = AFolder;
    k.IsFolder = AFolder->IsFolder();
    k.PlainName = ItemKind(AFolder->RelativeID()) == ikName;
    k.Name = AFolder->DisplayName();
    if (!S.ColumnMode || S.SortColumn == 0)
        return k;
    AFolder->LoadColumnDetails(S.CompareFolder, S.Window, 4);
    k.Type = AFolder->DetailText(2);
    k.HasTime = AFolder->DetailText(4).find(':') != std::string::npos;
    if (k.HasTime && (S.SortColumn == 1 || S.SortColumn == 3)) {
        const TFindData data = AFolder->LoadFindData();
        k.Size = (data.Attributes & 0x10) ? -1 : data.Size;
        k.Time = data.LastWriteTime;
    }
    return k;
}

int Sign(int64_t V) { return V < 0 ? -1 : V > 0 ? 1 : 0; }

int Compare(const TKey& A, const TKey& B, const TbsShellSortState& S)
{
    int r = int(B.IsFolder) - int(A.IsFolder);
    // Two names of one kind are in the shell's name order; asking the
    // shell would look at both files again on every comparison.
    if (r == 0 && A.PlainName && B.PlainName)
        r = ShellNameCompare(A.Name, B.Name);
    if (r == 0)
        if (IShellFolderPtr parent = A.Folder->ParentShellFolder())
            r = int16_t(parent->CompareIDs(0, A.Folder->RelativeID(), B.Folder->RelativeID()) & 0xFFFF);
    if (!S.ColumnMode)
        return r;
    if (S.SortColumn != 0 && !A.HasTime)
        return S.Descending ? -r : r;
    int result = r;
    if (S.SortColumn >= 0 && S.SortColumn <= 3) {
        if (A.IsFolder != B.IsFolder)
            result = A.IsFolder ? -1 : 1;
        else if (S.SortColumn == 0)
            result = CompareText(A.Name, B.Name);
        else if (S.SortColumn == 1)
            result = A.IsFolder ? r : Sign(A.Size - B.Size);
        else if (S.SortColumn == 2)
            result = CompareText(A.Type, B.Type);
        else
            result = Sign(int64_t(A.Time) - int64_t(B.Time));
    }
    return S.Descending ? -result : result;
}

} // namespace

void SortShellFolders(std::vector<TbsShellFolder*>& ARows, const TbsShellSortState& AState)
{
    std::vector<TKey> keys;
    keys.reserve(ARows.size());
    for (TbsShellFolder* f : ARows)
        if (f)
            keys.push_back(KeyOf(f, AState));
    // A stable merge sort stays within the rows even for an order that is
    // not consistent (the column order depends on the first row's details).
    std::stable_sort(keys.begin(), keys.end(),
                     [&](const TKey& A, const TKey& B) { return Compare(A, B, AState) < 0; });
    size_t at = 0;
    for (TbsShellFolder*& f : ARows)
        if (f)
            f = keys[at++].Folder;
}

int FindShellRow(const std::vector<TbsShellFolder*>& ARows, const std::string& AText, int AStart, bool AWrap)
{
    const int count = int(ARows.size());
    if (AStart < 0 || AStart >= count)
        return -1;
    const std::string wanted = UpperCase(AText);
    int i = AStart;
    do {
        if (ARows[size_t(i)] && UpperCase(ARows[size_t(i)]->DisplayName()).rfind(wanted, 0) == 0)
            return i;
        if (++i >= count) {
            if (!AWrap)
                return -1;
            i = 0;
        }
    } while (i != AStart);
    return -1;
}

} // namespace skin
