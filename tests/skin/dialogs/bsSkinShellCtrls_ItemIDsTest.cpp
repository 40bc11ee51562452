#include "skin/dialogs/bsSkinShellCtrls_ItemIDs.h"

#include <gtest/gtest.h>

using namespace skin;

namespace {

TItemIDListPtr Items(std::initializer_list<const char*> ANames)
{
    TItemIDListPtr list(AllocItemIDList(2));
    for (const char* name : ANames) {
        TItemIDListPtr item(MakeItemID('N', name));
        list.reset(JoinItemIDLists(list.get(), item.get()));
    }
    return list;
}

std::string Names(PCItemIDList AList)
{
    std::string names;
    for (PCItemIDList at = AList; ItemIDCount(at) > 0; at = NextItemID(at))
        names += ItemData(at) + "/";
    return names;
}

} // namespace

TEST(ItemIDs, SizesAndCounts)
{
    EXPECT_EQ(ItemIDListSize(nullptr), 0u);
    const TItemIDListPtr empty = Items({});
    EXPECT_EQ(ItemIDListSize(empty.get()), 2u);
    EXPECT_EQ(ItemIDCount(empty.get()), 0);
    const TItemIDListPtr two = Items({"ab", "c"});
    // Each item: count (2) + kind (1) + text.
    EXPECT_EQ(ItemIDListSize(two.get()), 2u + 5u + 4u);
    EXPECT_EQ(ItemIDCount(two.get()), 2);
    EXPECT_EQ(ItemData(NextItemID(two.get())), "c");
    EXPECT_EQ(ItemKind(two.get()), 'N');
    EXPECT_EQ(ItemKind(empty.get()), 0);
}

TEST(ItemIDs, JoinDuplicateAndLastItem)
{
    const TItemIDListPtr b = Items({"x", "y"});
    const TItemIDListPtr joinedNil(JoinItemIDLists(nullptr, b.get()));
    EXPECT_EQ(Names(joinedNil.get()), "x/y/");
    const TItemIDListPtr a = Items({"a"});
    const TItemIDListPtr joined(JoinItemIDLists(a.get(), b.get()));
    EXPECT_EQ(Names(joined.get()), "a/x/y/");
    const TItemIDListPtr copy(DuplicateItemIDList(joined.get()));
    EXPECT_EQ(Names(copy.get()), "a/x/y/");
    const TItemIDListPtr last(LastItemCopy(joined.get()));
    EXPECT_EQ(Names(last.get()), "y/");
    const TItemIDListPtr empty = Items({});
    const TItemIDListPtr lastOfEmpty(LastItemCopy(empty.get()));
    EXPECT_EQ(ItemIDListSize(lastOfEmpty.get()), 2u);
}

TEST(ItemIDs, TruncateLastItemInPlace)
{
    TItemIDListPtr list = Items({"a", "b", "c"});
    TruncateLastItem(list.get());
    EXPECT_EQ(Names(list.get()), "a/b/");
    TruncateLastItem(list.get());
    TruncateLastItem(list.get());
    EXPECT_EQ(ItemIDCount(list.get()), 0);
    TruncateLastItem(list.get());  // the empty list stays
    TruncateLastItem(nullptr);
    EXPECT_EQ(ItemIDCount(list.get()), 0);
}

TEST(ItemIDs, AncestorsShortestFirst)
{
    const TItemIDListPtr list = Items({"a", "b", "c"});
    std::vector<PItemIDList>* ancestors = BuildAncestorIDs(list.get());
    ASSERT_EQ(ancestors->size(), 3u);
    EXPECT_EQ(Names((*ancestors)[0]), "");
    EXPECT_EQ(Names((*ancestors)[1]), "a/");
    EXPECT_EQ(Names((*ancestors)[2]), "a/b/");
    FreeAncestorIDs(ancestors);
    FreeAncestorIDs(nullptr);
    std::vector<PItemIDList>* none = BuildAncestorIDs(Items({}).get());
    EXPECT_TRUE(none->empty());
    FreeAncestorIDs(none);
}
