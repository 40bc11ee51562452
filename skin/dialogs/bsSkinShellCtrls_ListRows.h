#pragma once
// The rows of a shell list view as plain data: which items of a folder are
// listed (object types, the file mask, the owner's veto), their order
// (folders first, then the shell's order, or by a clicked column) and the
// type-ahead search over their names.

#include "skin/dialogs/bsSkinShellCtrls_Folder.h"

#include <functional>
#include <string>
#include <vector>

namespace skin {

// Asked for every enumerated item; may veto it (or let in a file the mask
// refused).
using TAddFolderEvent = std::function<void(platform::TObject* Sender, TbsShellFolder* AFolder, bool& CanAdd)>;

// Whether a file of name AFileName passes AMask: patterns separated by ";"
// or "|" (so a whole filter string may be given); "*" takes every file, a
// pattern without a dot no file, others match as file masks. Raises
// platform::EMaskException for a broken pattern.
bool ShellMaskAccepts(const std::string& AMask, const std::string& AFileName);

// Appends to ARows (owned by the caller) the items of ARoot's folder that
// ATypes enumerates, AMask passes (folders always) and AOnAdd keeps; ALongest
// becomes the longest display name. False when the folder cannot be read.
bool EnumerateShellFolders(TbsShellFolder* ARoot, TShellObjectTypes ATypes, const std::string& AMask,
                           const std::function<void(TbsShellFolder*, bool&)>& AOnAdd,
                           std::vector<TbsShellFolder*>& ARows, std::string& ALongest);

// How rows are ordered: the default order (folders first, then the shell's
// order), or by a clicked column (0 name, 1 size, 2 type, 3 modified).
struct TbsShellSortState {
    TbsShellFolder* CompareFolder = nullptr;   // the folder whose items are sorted
    bool ColumnMode = false;
    int SortColumn = -1;
    bool Descending = false;
    uint32_t Window = 0;
};

// Sorts ARows. What a column sort reads of each row (details, size, time)
// is read before anything moves, so a row whose details cannot be read
// raises EInvalidPath with the rows untouched, and no row is ever lost.
void SortShellFolders(std::vector<TbsShellFolder*>& ARows, const TbsShellSortState& AState);

// The first row from AStart on whose display name begins with AText
// (ASCII case ignored), going round to row 0 when AWrap; -1 when none.
int FindShellRow(const std::vector<TbsShellFolder*>& ARows, const std::string& AText, int AStart, bool AWrap);

} // namespace skin
