// SIGTERM, SIGINT and SIGHUP become a close request on the GUI thread,
// from whichever thread receives them; the previous handlers come back
// when the watcher goes.
#include "platform/core/CloseSignals.h"
#include "platform/core/MainThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <pthread.h>
#include <thread>
#include <vector>

using namespace platform;

namespace {

void (*HandlerOf(int ASignal))(int)
{
    struct sigaction current {};
    sigaction(ASignal, nullptr, &current);
    return current.sa_handler;
}

class CloseSignals : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(CloseSignals, ASignalOnAnyThreadIsARequestOnTheGuiThread)
{
    const int number = GetParam();
    // Whatever stood before: the test's own ignoring handler.
    struct sigaction ignore {}, before {};
    ignore.sa_handler = SIG_IGN;
    sigaction(number, &ignore, &before);
    {
        std::vector<int> requests;
        std::vector<uint64_t> threads;
        TCloseSignals signals([&](int ASignal) {
            requests.push_back(ASignal);
            threads.push_back(CurrentThreadId());
        });
        EXPECT_NE(HandlerOf(number), SIG_IGN);

        raise(number);
        ASSERT_TRUE(WaitUntilServing([&] { return requests.size() == 1; }, 10000));
        // A thread that does not block the signal may be the one to take it.
        std::thread other([number] { pthread_kill(pthread_self(), number); });
        other.join();
        ASSERT_TRUE(WaitUntilServing([&] { return requests.size() == 2; }, 10000));
        EXPECT_EQ(requests, (std::vector<int>{number, number}));
        EXPECT_EQ(threads, (std::vector<uint64_t>{MainThreadID(), MainThreadID()}));
    }
    EXPECT_EQ(HandlerOf(number), SIG_IGN);
    sigaction(number, &before, nullptr);
}

INSTANTIATE_TEST_SUITE_P(TerminationSignals, CloseSignals, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST(CloseSignalsFlood, ManySignalsNeverBlockTheSenderAndEachRequestArrivesWhole)
{
    std::atomic<int> requests{0};
    {
        TCloseSignals signals([&](int ASignal) {
            EXPECT_EQ(ASignal, SIGTERM);
            ++requests;
        });
        // More than a pipe holds before the watcher reads: a full pipe
        // loses repeats, never the process.
        for (int i = 0; i < 100000; ++i)
            raise(SIGTERM);
        ASSERT_TRUE(WaitUntilServing([&] { return requests > 0; }, 10000));
    }
    // The watcher is gone: whatever it handed over is served now.
    PumpMessages();
    EXPECT_GT(requests.load(), 0);
    EXPECT_LE(requests.load(), 100000);
}

TEST(CloseSignalsFlood, ARequestQueuedAfterTheLoopEndedIsDropped)
{
    std::atomic<int> requests{0};
    EndMainThreadCalls();
    {
        TCloseSignals signals([&](int) { ++requests; });
        raise(SIGHUP);
        // The watcher reads the signal's byte before the stop byte.
    }
    ResumeMainThreadCalls();
    PumpMessages();
    EXPECT_EQ(requests, 0);
}
