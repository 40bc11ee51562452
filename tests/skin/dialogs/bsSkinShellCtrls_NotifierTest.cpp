#include "skin/dialogs/bsSkinShellCtrls_Notifier.h"

#include "platform/core/MainThread.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace skin;

namespace {

// Serves the GUI thread until ADone holds; a generous bound that only a
// broken notifier reaches.
bool ServeUntil(const std::function<bool()>& ADone) { return platform::WaitUntilServing(ADone, 10000); }

// Serves the GUI thread for a short while, so a change that would wrongly
// be delivered has its chance.
void ServeBriefly() { platform::WaitUntilServing([] { return false; }, 200); }

} // namespace

TEST(ShellChangeNotifier, FilterWords)
{
    EXPECT_EQ(NotifyFlagsOf(nfFileNameChange | nfDirNameChange), 0x3u);
    EXPECT_EQ(NotifyFlagsOf(nfSecurityChange), 0x100u);
    EXPECT_EQ(NotifyFlagsOf(nfFileNameChange | nfDirNameChange | nfAttributeChange | nfSizeChange | nfWriteChange
                            | nfSecurityChange),
              0x11Fu);
}

TEST(ShellChangeNotifier, WithoutOnChangeNoThreadRuns)
{
    TbsShellChangeNotifier notifier(nullptr);
    EXPECT_EQ(notifier.NotifyFilters(), TNotifyFilters(nfFileNameChange | nfDirNameChange));
    EXPECT_TRUE(notifier.WatchSubTree());
    notifier.SetRoot("/tmp");
    EXPECT_FALSE(notifier.Watching());
}

TEST(ShellChangeNotifier, DeliversOnChangeOnTheGuiThreadAndStopsCleanly)
{
    testsupport::TTempDir dir;
    int calls = 0;
    bool onGuiThread = true;
    {
        TbsShellChangeNotifier notifier(nullptr);
        notifier.SetWatchSubTree(false);
        notifier.SetRoot(dir.Path());
        notifier.SetOnChange([&] {
            onGuiThread = onGuiThread && platform::IsMainThread();
            ++calls;
        });
        ASSERT_TRUE(notifier.Watching());
        // The worker may still be opening its watch: keep making files until
        // one is seen.
        int made = 0;
        ASSERT_TRUE(ServeUntil([&] {
            if (calls == 0)
                testsupport::WriteFile(dir.File("f" + std::to_string(made++)), "x");
            return calls > 0;
        }));
        EXPECT_TRUE(notifier.WorkerRunning());
    }
    EXPECT_TRUE(onGuiThread);
    // Stopped: later changes reach nobody.
    const int seen = calls;
    testsupport::WriteFile(dir.File("after.txt"), "x");
    ServeBriefly();
    EXPECT_EQ(calls, seen);
}

TEST(ShellChangeNotifier, ASecondHandlerReplacesTheFirst)
{
    testsupport::TTempDir dir;
    int first = 0, second = 0;
    TbsShellChangeNotifier notifier(nullptr);
    notifier.SetRoot(dir.Path());
    notifier.SetOnChange([&] { ++first; });
    notifier.SetOnChange([&] { ++second; });
    int made = 0;
    ASSERT_TRUE(ServeUntil([&] {
        testsupport::WriteFile(dir.File("f" + std::to_string(made++)), "x");
        return second > 0;
    }));
    EXPECT_EQ(first, 0);
}

TEST(ShellChangeNotifier, AMissingRootEndsTheWorkerSilently)
{
    testsupport::TTempDir dir;
    testsupport::WriteFile(dir.File("file.txt"), "x");
    for (const std::string& root : {dir.File("missing"), dir.File("file.txt")}) {
        int calls = 0;
        TbsShellChangeNotifier notifier(nullptr);
        notifier.SetRoot(root);
        notifier.SetOnChange([&] { ++calls; });
        ASSERT_TRUE(ServeUntil([&] { return !notifier.WorkerRunning(); })) << root;
        // Options set after the worker ended go nowhere.
        notifier.SetRoot(dir.Path());
        notifier.SetNotifyFilters(nfDirNameChange);
        EXPECT_EQ(calls, 0);
    }
}

TEST(ShellChangeNotifier, ANewRootTakesEffectWhileWatching)
{
    testsupport::TTempDir first, second;
    int calls = 0;
    TbsShellChangeNotifier notifier(nullptr);
    notifier.SetRoot(first.Path());
    notifier.SetOnChange([&] { ++calls; });
    notifier.SetRoot(second.Path());
    int made = 0;
    ASSERT_TRUE(ServeUntil([&] {
        testsupport::WriteFile(second.File("f" + std::to_string(made++)), "x");
        return calls > 0;
    }));
    EXPECT_TRUE(notifier.WorkerRunning());
}

TEST(ShellChangeNotifier, DestroyedInsideItsOwnHandlerWithoutDeadlock)
{
    testsupport::TTempDir dir;
    int calls = 0;
    auto* notifier = new TbsShellChangeNotifier(nullptr);
    notifier->SetRoot(dir.Path());
    notifier->SetOnChange([&] {
        ++calls;
        // A view refreshing from its notifier replaces the notifier.
        delete notifier;
        notifier = nullptr;
    });
    int made = 0;
    ASSERT_TRUE(ServeUntil([&] {
        if (notifier)
            testsupport::WriteFile(dir.File("f" + std::to_string(made++)), "x");
        return calls > 0;
    }));
    testsupport::WriteFile(dir.File("after.txt"), "x");
    ServeBriefly();
    EXPECT_EQ(calls, 1);
}

TEST(ShellChangeNotifier, AChangePendingAtDestructionIsNotDelivered)
{
    testsupport::TTempDir dir;
    int calls = 0;
    {
        TbsShellChangeNotifier notifier(nullptr);
        notifier.SetRoot(dir.Path());
        notifier.SetOnChange([&] { ++calls; });
        // Changes happen while the GUI thread serves nothing; the worker's
        // synchronised call waits, and the notifier goes first.
        for (int i = 0; i < 20; ++i)
            testsupport::WriteFile(dir.File("f" + std::to_string(i)), "x");
    }
    ServeBriefly();
    EXPECT_EQ(calls, 0);
}
