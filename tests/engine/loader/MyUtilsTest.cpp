#include "engine/loader/MyUtils.h"

#include "platform/core/MainThread.h"
#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <thread>

using namespace engine;

TEST(MyUtils, FormatByteSize)
{
    const struct {
        int64_t Size;
        const char* Text;
    } cases[] = {
        {0, "0 Byte"},
        {1024, "1024 Byte"},
        {1025, "1.00 KB"},
        {1048576, "1024.00 KB"},
        {1073741824, "1024.00 MB"},
        {1073741825, "1.00 GB"},
        {-5, "-5 Byte"},
        {int64_t(5) << 40, "5120.00 GB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatByteSize(c.Size), c.Text) << c.Size;
}

TEST(MyUtils, SplitAtDelimiter)
{
    const struct {
        const char* S;
        const char* Delim;
        bool Remove;
        const char* Head;
        const char* Rest;
    } cases[] = {
        {"a=b", "=", true, "a", "b"},
        {"abc", "=", true, "abc", ""},
        {"a=b", "=", false, "a", "a=b"},
        {"abc", "=", false, "abc", "abc"},
        {"x\ny\nz", "\n", true, "x", "y\nz"},
        {"=v", "=", true, "", "v"},
    };
    for (const auto& c : cases) {
        std::string s = c.S, head;
        SplitAtDelimiter(s, c.Delim, c.Remove, head);
        EXPECT_EQ(head, c.Head) << c.S;
        EXPECT_EQ(s, c.Rest) << c.S;
    }
}

TEST(MyUtils, ExePathEndsWithDelimiter)
{
    TPathFileName path, file;
    GetExePath(path);
    GetExeFileName(file);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.back(), '/');
    EXPECT_EQ(file.rfind(path, 0), 0u);
    EXPECT_EQ(FileSizeByName(path), -1); // a folder is not a file
    EXPECT_GT(FileSizeByName(file), 0);
}

// Local time takes the offset of its own instant, summer time included.
TEST(MyUtils, LocalTimeUsesTheOffsetOfThatInstant)
{
    const std::string oldTz = platform::GetEnvironmentVariable("TZ");
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    const struct {
        int64_t Utc;
        const char* Local;
    } cases[] = {
        {1610712000, "2021-01-15 13:00:00"}, // 12:00 UTC in winter
        {1626350400, "2021-07-15 14:00:00"}, // 12:00 UTC in summer
        {0, "1970-01-01 01:00:00"},
    };
    for (const auto& c : cases) {
        const TDateTime local = UnixTimeToLocalDateTime(c.Utc);
        EXPECT_EQ(DateTimeText("yyyy-mm-dd hh:nn:ss", local), c.Local);
        EXPECT_EQ(LocalDateTimeToUnixTime(local), c.Utc);
    }
    EXPECT_EQ(DateTimeText("d/m/yy hh:nn:ss.zzz", 25569.5 + 0.25 / 86400), "1/1/70 12:00:00.250");
    if (oldTz.empty())
        unsetenv("TZ");
    else
        setenv("TZ", oldTz.c_str(), 1);
    tzset();
}

TEST(MyUtils, CallInMainThreadRunsOnTheGuiThreadAndWaits)
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

TEST(MyUtils, PumpMessagesRunsQueuedCalls)
{
    std::atomic<bool> queued{false};
    std::thread worker([&] { platform::Queue([&] { queued = true; }); });
    worker.join();
    PumpMessages();
    EXPECT_TRUE(queued);
    EXPECT_FALSE(ProcessOneMessage());
}
