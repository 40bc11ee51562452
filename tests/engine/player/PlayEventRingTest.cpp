#include "engine/player/FFPlay.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {
std::vector<TPlayEventItem> Drain(TPlayEvent& ARing)
{
    std::vector<TPlayEventItem> out;
    for (TPlayEventItem item = ARing.Pop(); item.Kind != 0; item = ARing.Pop())
        out.push_back(item);
    return out;
}
} // namespace

TEST(PlayEventRing, AnEntryOfTheNewestKindReplacesIt)
{
    TPlayEvent ring;
    ring.Push({2, psPause});
    ring.Push({2, psResume});
    auto items = Drain(ring);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].Value, psResume);

    ring.Push({2, psPause});
    ring.Push({1, 1000});
    ring.Push({2, psResume});
    items = Drain(ring);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].Value, 1000);

    ring.Push({1, 1});
    ring.Push({1, 2});
    items = Drain(ring);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].Value, 2);
}

TEST(PlayEventRing, AFullRingDropsItsOldestEntry)
{
    TPlayEvent ring;
    for (int i = 0; i < 9; ++i)
        ring.Push({1 + i % 2, i});
    ring.Push({1 + 9 % 2, 9});
    const auto items = Drain(ring);
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(items.front().Value, 1);
    EXPECT_EQ(items.back().Value, 9);
}

TEST(PlayEventRing, ItsEventIsSetWhileEntriesRemain)
{
    TPlayEvent ring;
    EXPECT_FALSE(ring.Event().IsSignaled());
    ring.Push({1, 5});
    ring.Push({2, psPlay});
    EXPECT_TRUE(ring.Event().IsSignaled());
    ring.Pop();
    EXPECT_TRUE(ring.Event().IsSignaled());
    ring.Pop();
    EXPECT_FALSE(ring.Event().IsSignaled());
}

TEST(PlayEventRing, DiscardingAKindKeepsTheOthersInOrder)
{
    TPlayEvent ring;
    // Wrapped round the end of the ring.
    for (int i = 0; i < 7; ++i)
        ring.Push({i % 2 ? 1 : 2, i});
    Drain(ring);
    ring.Push({1, 10});
    ring.Push({2, psPause});
    ring.Push({1, 11});
    ring.Push({2, psResume});
    ring.Push({1, 12});
    ring.Discard(1);
    const auto items = Drain(ring);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].Value, psPause);
    EXPECT_EQ(items[1].Value, psResume);
    ring.Push({1, 13});
    ring.Discard(1);
    EXPECT_EQ(ring.Event().WaitFor(0), platform::TWaitResult::wrTimeout);
    EXPECT_TRUE(Drain(ring).empty());
}
