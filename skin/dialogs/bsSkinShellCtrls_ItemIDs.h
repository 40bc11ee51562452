#pragma once
// Item identifier lists of the shell namespace.
//
// The layout is the shell's: items, each an unsigned 16-bit byte count
// (counting itself) followed by its data, ended by a 16-bit zero. The empty
// list is the desktop. On Linux an item's data is one step of a path: a
// kind byte, then UTF-8 text (see bsSkinShellCtrls_Namespace.h). Every list
// is a block of its own that its holder frees with FreeItemIDList.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace skin {

struct TItemIDList;  // opaque: only the operations below look inside
using PItemIDList = TItemIDList*;
using PCItemIDList = const TItemIDList*;

// Zero-filled block; nil when no memory is left.
PItemIDList AllocItemIDList(size_t ASize);
void FreeItemIDList(PItemIDList AID);
// The item after the first one (the terminator for a one-item list).
PItemIDList NextItemID(PItemIDList AID);
PCItemIDList NextItemID(PCItemIDList AID);
int ItemIDCount(PCItemIDList AID);
// Item byte counts plus 2 for the terminator; 0 for nil.
size_t ItemIDListSize(PCItemIDList AID);
PItemIDList DuplicateItemIDList(PCItemIDList AID);
// A's items, then B's; a nil A counts as empty.
PItemIDList JoinItemIDLists(PCItemIDList A, PCItemIDList B);
// In place: the list ends before its last item. Nil and empty lists stay.
void TruncateLastItem(PItemIDList AID);
// The last item as a one-item list (the empty list for an empty one).
PItemIDList LastItemCopy(PCItemIDList AID);
// Copies of every proper prefix, shortest first: the empty list, the first
// item, the first two, ..., all but the last.
std::vector<PItemIDList>* BuildAncestorIDs(PCItemIDList AID);
void FreeAncestorIDs(std::vector<PItemIDList>* AList);

// Building and reading single items (the namespace's own use).
PItemIDList MakeItemID(char AKind, const std::string& AData);
char ItemKind(PCItemIDList AID);          // kind of the first item; 0 for an empty list
std::string ItemData(PCItemIDList AID);   // text of the first item after its kind
const uint8_t* ItemBytes(PCItemIDList AID);  // the first item's count and data

// Owns one list.
struct TItemIDListDeleter {
    void operator()(PItemIDList AID) const { FreeItemIDList(AID); }
};
using TItemIDListPtr = std::unique_ptr<TItemIDList, TItemIDListDeleter>;

} // namespace skin
