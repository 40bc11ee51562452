// The end of the GUI thread's calls: once the program's loop is over, a
// worker waiting in Synchronize returns at once, later calls never wait,
// queued calls are dropped, and the GUI thread's own waits stop serving.
#include "platform/core/MainThread.h"
#include "platform/core/Threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <memory>
#include <vector>

using namespace platform;

namespace {

class MainThreadEnd : public ::testing::Test {
protected:
    void TearDown() override { ResumeMainThreadCalls(); }
};

} // namespace

TEST_F(MainThreadEnd, AWorkerWaitingInSynchronizeReturnsFalseWithoutTheCallRunning)
{
    std::atomic<bool> entered{false}, ran{false};
    std::atomic<int> answer{-1};
    TAnonymousThread worker([&] {
        entered = true;
        answer = Synchronize([&] { ran = true; }) ? 1 : 0;
    });
    worker.Start();
    // Not served: the worker waits (or is about to) when the loop ends.
    while (!entered)
        std::this_thread::yield();
    EndMainThreadCalls();
    EXPECT_TRUE(MainThreadCallsEnded());
    worker.WaitFor();
    EXPECT_EQ(answer, 0);
    PumpMessages();
    EXPECT_FALSE(ran);
}

TEST_F(MainThreadEnd, LaterCallsNeitherWaitNorRunAndResumingServesAgain)
{
    EndMainThreadCalls();
    std::atomic<int> ran{0};
    std::atomic<bool> synchronized{true};
    TAnonymousThread after([&] {
        synchronized = Synchronize([&] { ++ran; });
        Queue([&] { ++ran; });
    });
    after.Start();
    after.WaitFor();
    PumpMessages();
    EXPECT_FALSE(synchronized);
    EXPECT_EQ(ran, 0);
    // The GUI thread's own calls still run: it is the one tearing down.
    EXPECT_TRUE(Synchronize([&] { ++ran; }));
    EXPECT_EQ(ran, 1);

    ResumeMainThreadCalls();
    TAnonymousThread again([&] { synchronized = Synchronize([&] { ++ran; }); });
    again.Start();
    again.WaitFor();
    EXPECT_TRUE(synchronized);
    EXPECT_EQ(ran, 2);
}

TEST_F(MainThreadEnd, QueuedCallsNotYetRunAreDropped)
{
    std::atomic<int> ran{0};
    TAnonymousThread worker([&] {
        for (int i = 0; i < 3; ++i)
            Queue([&] { ++ran; });
    });
    worker.Start();
    while (!worker.Finished())
        std::this_thread::yield();
    EndMainThreadCalls();
    ResumeMainThreadCalls();
    PumpMessages();
    EXPECT_EQ(ran, 0);
    worker.WaitFor();
}

TEST_F(MainThreadEnd, ACallRunningWhenTheCallsEndFinishesAndReportsItRan)
{
    std::atomic<bool> answer{false};
    bool ran = false;
    TAnonymousThread worker([&] {
        answer = Synchronize([&] {
            EndMainThreadCalls();
            ran = true;
        });
    });
    worker.Start();
    WaitUntilServing([&] { return ran; }, 10000);
    worker.WaitFor();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(answer);
}

TEST_F(MainThreadEnd, WaitsOnTheGuiThreadStopServingAfterTheEnd)
{
    EndMainThreadCalls();
    TEvent done(true, false);
    std::atomic<bool> answer{true};
    TAnonymousThread worker([&] {
        answer = Synchronize([] {});
        done.SetEvent();
    });
    worker.Start();
    // A plain wait: the worker is not served, and needs not be.
    EXPECT_EQ(WaitServing(done, 10000), TWaitResult::wrSignaled);
    EXPECT_FALSE(answer);
    worker.WaitFor();
}

// Workers that keep calling while the GUI thread serves them, then ends:
// every call either ran or answered false, and nobody is left waiting.
TEST_F(MainThreadEnd, ManyWorkersCallingWhileTheCallsEnd)
{
    std::atomic<int> ran{0}, refused{0};
    std::vector<std::unique_ptr<TAnonymousThread>> workers;
    for (int i = 0; i < 6; ++i) {
        workers.push_back(std::make_unique<TAnonymousThread>([&] {
            while (Synchronize([&] { ++ran; })) {
            }
            ++refused;
        }));
        workers.back()->Start();
    }
    WaitUntilServing([&] { return ran >= 200; });
    EndMainThreadCalls();
    for (auto& w : workers)
        w->WaitFor();
    EXPECT_EQ(refused, 6);
    EXPECT_GE(ran, 200);
}
