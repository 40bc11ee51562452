#include "platform/core/Classes.h"
#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(StringList, NameValuePairs)
{
    TStringList list;
    list.Add("Thread_Count=2");
    list.Add("plain");
    EXPECT_EQ(list.Values("thread_count"), "2");
    EXPECT_EQ(list.IndexOfName("THREAD_COUNT"), 0);
    list.SetValues("After_Done", "1");
    EXPECT_EQ(list.Strings(2), "After_Done=1");
    list.SetValues("Thread_Count", "");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Names(0), "");
}

TEST(StringList, TextSplitsEveryLineBreakAndJoinsWithCrLf)
{
    TStringList list;
    list.SetText("a\r\nb\nc\rd");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Strings(3), "d");
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
}

TEST(StringList, SortedListsFindAndIgnoreDuplicates)
{
    TStringList list;
    list.SetSorted(true);
    list.Add("b");
    list.Add("A");
    list.Add("c");
    list.Add("B");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(0), "A");
    EXPECT_EQ(list.IndexOf("C"), 2);
    EXPECT_EQ(list.IndexOf("z"), -1);
}

TEST(StringList, CommaTextQuotesWhatNeedsIt)
{
    TStringList list;
    list.SetCommaText("a, \"b c\",\"d\"\"e\",");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(1), "b c");
    EXPECT_EQ(list.Strings(2), "d\"e");
    EXPECT_EQ(list.CommaText(), "a,\"b c\",\"d\"\"e\"");
    EXPECT_THROW(list.Strings(3), Exception);
}

namespace {
struct TProbe : TComponent {
    using TComponent::TComponent;
    std::vector<TComponent*>* Removed = nullptr;
    int* Freed = nullptr;
    ~TProbe() override
    {
        if (Freed)
            ++*Freed;
    }
    void Notification(TComponent* AComponent, TOperation AOperation) override
    {
        TComponent::Notification(AComponent, AOperation);
        if (AOperation == opRemove && Removed)
            Removed->push_back(AComponent);
    }
};
} // namespace

TEST(Component, OwnerFreesWhatItOwnsAndWatchersHear)
{
    int freed = 0;
    std::vector<TComponent*> removed;
    TProbe watcher(nullptr);
    watcher.Removed = &removed;
    auto* owner = new TProbe(nullptr);
    auto* child = new TProbe(owner);
    child->SetName("Child");
    child->Freed = &freed;
    watcher.FreeNotification(child);
    EXPECT_EQ(owner->FindComponent("child"), child);
    delete owner;
    EXPECT_EQ(freed, 1);
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0], child);
}
