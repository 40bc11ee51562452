#include "skin/dialogs/bsSkinShellCtrls_ItemIDs.h"

#include <cstdlib>
#include <cstring>

namespace skin {

namespace {

uint16_t CountAt(const uint8_t* AItem)
{
    uint16_t count;
    memcpy(&count, AItem, sizeof(count));
    return count;
}

const uint8_t* Bytes(PCItemIDList AID) { return reinterpret_cast<const uint8_t*>(AID); }
uint8_t* Bytes(PItemIDList AID) { return reinterpret_cast<uint8_t*>(AID); }

// Byte length of the items without the terminator.
size_t ItemsLength(PCItemIDList AID)
{
    if (!AID)
        return 0;
    const uint8_t* at = Bytes(AID);
    size_t length = 0;
    while (uint16_t count = CountAt(at + length))
        length += count;
    return length;
}

PItemIDList FromBytes(const uint8_t* AItems, size_t ALength)
{
    PItemIDList list = AllocItemIDList(ALength + 2);
    if (list && ALength)
        memcpy(Bytes(list), AItems, ALength);
    return list;
}

} // namespace

PItemIDList AllocItemIDList(size_t ASize)
{
    return static_cast<PItemIDList>(calloc(1, ASize < 2 ? 2 : ASize));
}

void FreeItemIDList(PItemIDList AID) { free(AID); }

PCItemIDList NextItemID(PCItemIDList AID)
{
    return reinterpret_cast<PCItemIDList>(Bytes(AID) + CountAt(Bytes(AID)));
}

PItemIDList NextItemID(PItemIDList AID)
{
    return reinterpret_cast<PItemIDList>(Bytes(AID) + CountAt(Bytes(AID)));
}

int ItemIDCount(PCItemIDList AID)
{
    int count = 0;
    for (PCItemIDList at = AID; at && CountAt(Bytes(at)) != 0; at = NextItemID(at))
        ++count;
    return count;
}

size_t ItemIDListSize(PCItemIDList AID) { return AID ? ItemsLength(AID) + 2 : 0; }

PItemIDList DuplicateItemIDList(PCItemIDList AID) { return FromBytes(Bytes(AID), ItemsLength(AID)); }

PItemIDList JoinItemIDLists(PCItemIDList A, PCItemIDList B)
{
    const size_t lengthA = ItemsLength(A);
    const size_t lengthB = ItemsLength(B);
    PItemIDList list = AllocItemIDList(lengthA + lengthB + 2);
    if (!list)
        return nullptr;
    if (lengthA)
        memcpy(Bytes(list), Bytes(A), lengthA);
    if (lengthB)
        memcpy(Bytes(list) + lengthA, Bytes(B), lengthB);
    return list;
}

void TruncateLastItem(PItemIDList AID)
{
    if (!AID || CountAt(Bytes(AID)) == 0)
        return;
    PItemIDList last = AID;
    for (PItemIDList next = NextItemID(last); CountAt(Bytes(next)) != 0; next = NextItemID(next))
        last = next;
    memset(Bytes(last), 0, 2);
}

PItemIDList LastItemCopy(PCItemIDList AID)
{
    if (!AID || CountAt(Bytes(AID)) == 0)
        return FromBytes(nullptr, 0);
    PCItemIDList last = AID;
    for (PCItemIDList next = NextItemID(last); CountAt(Bytes(next)) != 0; next = NextItemID(next))
        last = next;
    return FromBytes(Bytes(last), CountAt(Bytes(last)));
}

std::vector<PItemIDList>* BuildAncestorIDs(PCItemIDList AID)
{
    auto* list = new std::vector<PItemIDList>;
    const uint8_t* base = Bytes(AID);
    size_t length = 0;
    const int count = ItemIDCount(AID);
    for (int i = 0; i < count; ++i) {
        list->push_back(FromBytes(base, length));
        length += CountAt(base + length);
    }
    return list;
}

void FreeAncestorIDs(std::vector<PItemIDList>* AList)
{
    if (!AList)
        return;
    for (PItemIDList id : *AList)
        FreeItemIDList(id);
    delete AList;
}

PItemIDList MakeItemID(char AKind, const std::string& AData)
{
    // A name longer than an item can hold cannot be a path step anyway.
    const size_t count = 2 + 1 + AData.size();
    if (count > 0xFFFF)
        return nullptr;
    PItemIDList list = AllocItemIDList(count + 2);
    if (!list)
        return nullptr;
    const uint16_t count16 = uint16_t(count);
    memcpy(Bytes(list), &count16, 2);
    Bytes(list)[2] = uint8_t(AKind);
    memcpy(Bytes(list) + 3, AData.data(), AData.size());
    return list;
}

char ItemKind(PCItemIDList AID)
{
    if (!AID || CountAt(Bytes(AID)) < 3)
        return 0;
    return char(Bytes(AID)[2]);
}

std::string ItemData(PCItemIDList AID)
{
    if (!AID || CountAt(Bytes(AID)) < 3)
        return std::string();
    return std::string(reinterpret_cast<const char*>(Bytes(AID)) + 3, CountAt(Bytes(AID)) - 3);
}

const uint8_t* ItemBytes(PCItemIDList AID) { return Bytes(AID); }

} // namespace skin
