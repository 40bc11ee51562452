#include "platform/core/MainThread.h"
#include "platform/core/SyncObjs.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Threads.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace platform;

TEST(Events, ManualAndAutoReset)
{
    TEvent manual(true, false);
    EXPECT_EQ(manual.WaitFor(0), TWaitResult::wrTimeout);
    manual.SetEvent();
    EXPECT_EQ(manual.WaitFor(0), TWaitResult::wrSignaled);
    EXPECT_EQ(manual.WaitFor(0), TWaitResult::wrSignaled);
    TEvent autoReset(false, true);
    EXPECT_EQ(autoReset.WaitFor(0), TWaitResult::wrSignaled);
    EXPECT_EQ(autoReset.WaitFor(10), TWaitResult::wrTimeout);
}

TEST(Events, TimedWaitEndsWhenAnotherThreadSignals)
{
    TEvent e(false, false);
    TAnonymousThread t([&] { e.SetEvent(); });
    t.Start();
    EXPECT_EQ(e.WaitFor(5000), TWaitResult::wrSignaled);
    t.WaitFor();
}

TEST(CriticalSection, IsRecursive)
{
    TCriticalSection cs;
    cs.Enter();
    EXPECT_TRUE(cs.TryEnter());
    cs.Leave();
    cs.Leave();
}

TEST(MainThread, SynchronizeRunsOnTheGuiThreadWhileItWaits)
{
    std::atomic<uint64_t> ranOn{0};
    TAnonymousThread worker([&] { Synchronize([&] { ranOn = CurrentThreadId(); }); });
    worker.Start();
    // WaitFor on the GUI thread serves the worker's call; no deadlock.
    worker.WaitFor();
    EXPECT_EQ(ranOn.load(), MainThreadID());
}

TEST(MainThread, SynchronizeRaisesTheCallsExceptionInTheCaller)
{
    bool caught = false;
    TAnonymousThread worker([&] {
        try {
            Synchronize([] { throw std::runtime_error("boom"); });
        } catch (const std::runtime_error&) {
            caught = true;
        }
    });
    worker.Start();
    worker.WaitFor();
    EXPECT_TRUE(caught);
}

TEST(MainThread, QueuedCallsRunInOrderWhenServed)
{
    std::vector<int> order;
    TAnonymousThread worker([&] {
        for (int i = 0; i < 5; ++i)
            Queue([&order, i] { order.push_back(i); });
    });
    worker.Start();
    worker.WaitFor();
    PumpMessages();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(MainThread, ManyWorkersSynchronizeAtOnce)
{
    std::atomic<int> count{0};
    std::vector<std::unique_ptr<TAnonymousThread>> threads;
    for (int i = 0; i < 8; ++i) {
        threads.push_back(std::make_unique<TAnonymousThread>([&] {
            for (int k = 0; k < 50; ++k)
                Synchronize([&] { ++count; });
        }));
        threads.back()->Start();
    }
    for (auto& t : threads)
        t->WaitFor();
    EXPECT_EQ(count.load(), 400);
}

namespace {
class TCountingThread : public TThread {
public:
    explicit TCountingThread(std::atomic<int>& ASteps) : TThread(true), FSteps(ASteps) {}

protected:
    void Execute() override
    {
        while (!Terminated())
            ++FSteps, Sleep(1);
        ReturnValue = 7;
    }

private:
    std::atomic<int>& FSteps;
};
} // namespace

TEST(Threads, TerminateEndsTheLoopAndOnTerminateRunsOnTheGuiThread)
{
    std::atomic<int> steps{0};
    uint64_t terminatedOn = 0;
    TCountingThread t(steps);
    t.OnTerminate = [&](TThread*) { terminatedOn = CurrentThreadId(); };
    t.SetPriority(TThreadPriority::tpLower);
    t.Start();
    WaitUntilServing([&] { return steps > 2; }, 5000);
    t.Terminate();
    EXPECT_EQ(t.WaitFor(), 7);
    EXPECT_EQ(terminatedOn, MainThreadID());
    EXPECT_NE(t.ThreadID(), MainThreadID());
}

TEST(Threads, FreeOnTerminateDeletesItself)
{
    TEvent gone(true, false);
    struct TSelf : TThread {
        TEvent& Gone;
        explicit TSelf(TEvent& g) : TThread(true), Gone(g) {}
        ~TSelf() override { Gone.SetEvent(); }
        void Execute() override {}
    };
    auto* t = new TSelf(gone);
    t->SetFreeOnTerminate(true);
    t->Start();
    EXPECT_EQ(WaitServing(gone, 5000), TWaitResult::wrSignaled);
}

TEST(Threads, AnExceptionInExecuteIsKept)
{
    TAnonymousThread t([] { throw std::runtime_error("x"); });
    t.Start();
    t.WaitFor();
    EXPECT_TRUE(t.FatalException() != nullptr);
}
