#include "engine/base/MainThreadCalls.h"

#include "platform/core/MainThread.h"

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

using namespace engine;

TEST(MainThreadCalls, CallInMainThreadRunsOnTheGuiThreadAndWaits)
{
    std::atomic<bool> ranOnMain{false}, done{false};
    std::thread worker([&] {
        CallInMainThread([&] { ranOnMain = platform::IsMainThread(); });
        done = true; // only after the call has run
    });
    EXPECT_TRUE(platform::WaitUntilServing([&] { return done.load(); }, 10000));
    worker.join();
    EXPECT_TRUE(ranOnMain);
    bool direct = false;
    CallInMainThread([&] { direct = true; });
    EXPECT_TRUE(direct);
}

TEST(MainThreadCalls, PumpMessagesRunsQueuedCalls)
{
    std::atomic<bool> queued{false};
    std::thread worker([&] { platform::Queue([&] { queued = true; }); });
    worker.join();
    PumpMessages();
    EXPECT_TRUE(queued);
    EXPECT_FALSE(ProcessOneMessage());
}
