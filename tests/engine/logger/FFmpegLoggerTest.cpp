#include "engine/logger/FFmpegLogger.h"

#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/FFmpegLoader.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MainThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

using namespace engine;

namespace {

struct TLine {
    uint32_t ThreadID;
    TLogLevel Level;
    std::string Text;
    bool OnMainThread;
    bool operator==(const TLine&) const = default;
};

class FFmpegLoggerTest : public ::testing::Test {
protected:
    TFFLogger* Logger = nullptr;
    // Filled by the fixture's handler. A test that lets lines arrive on
    // logging threads installs its own handler or reads Lines only once
    // those threads are joined; the lock keeps the record whole either way.
    std::mutex LinesLock;
    std::vector<TLine> Lines;
    const uint32_t Me = uint32_t(platform::CurrentThreadId());

    void SetUp() override
    {
        ASSERT_TRUE(GlobalLoader().Load(avUtil)) << GlobalLoader().LastErrMsg();
        GlobalLogList().Clear();
        Logger = GetFFLogger();
        Logger->SetLogLevel(llInfo);
        Logger->SetTriggerEventInMainThread(true);
        Logger->SetOnLog([this](platform::TObject* Sender, uint32_t ATid, TLogLevel ALevel, const std::string& AMsg) {
            EXPECT_EQ(Sender, Logger);
            std::lock_guard<std::mutex> guard(LinesLock);
            Lines.push_back({ATid, ALevel, AMsg, platform::IsMainThread()});
        });
    }
    void TearDown() override
    {
        Logger->SetOnLog(nullptr);
        Logger->SetLogLevel(llInfo);
        GlobalLogList().Clear();
        GlobalLoader().Unload(avUtil);
    }
};

const char* TesterName(void*)
{
    return "tester";
}

AVClass MakeTesterClass()
{
    AVClass c{};
    c.class_name = "Tester";
    c.item_name = TesterName;
    c.version = LIBAVUTIL_VERSION_INT;
    return c;
}

const AVClass TesterClass = MakeTesterClass();
struct TTester {
    const AVClass* Class = &TesterClass;
} Tester;

} // namespace

TEST(FFmpegLoggerLevels, MappingBothWays)
{
    for (int i = llQuiet; i <= llDebug; ++i)
        EXPECT_EQ(LogLevelToAV(TLogLevel(i)), (i - 1) * 8);
    const struct {
        int AV;
        TLogLevel Level;
    } cases[] = {{-100, llQuiet}, {-8, llQuiet}, {-7, llPanic}, {7, llPanic},   {8, llFatal},
                 {16, llError},   {23, llError}, {24, llWarning}, {32, llInfo}, {40, llVerbose},
                 {48, llDebug},   {56, llDebug}};
    for (const auto& c : cases)
        EXPECT_EQ(AVToLogLevel(c.AV), c.Level) << c.AV;
}

TEST_F(FFmpegLoggerTest, PiecesMakeOneLineWithTheLevelOfTheLastPiece)
{
    ff::av_log(nullptr, AV_LOG_INFO, "abc");
    EXPECT_TRUE(Lines.empty());
    ff::av_log(nullptr, AV_LOG_WARNING, "def\n");
    EXPECT_EQ(Lines, (std::vector<TLine>{{Me, llWarning, "abcdef", true}}));
}

TEST_F(FFmpegLoggerTest, SeveralLinesInOnePiece)
{
    ff::av_log(nullptr, AV_LOG_ERROR, "a\nb\r\n\nc");
    EXPECT_EQ(Lines, (std::vector<TLine>{{Me, llError, "a", true}, {Me, llError, "b\r", true},
                                         {Me, llError, "", true}}));
    ff::av_log(nullptr, AV_LOG_ERROR, "\n");
    ASSERT_EQ(Lines.size(), 4u);
    EXPECT_EQ(Lines[3].Text, "c");
}

TEST_F(FFmpegLoggerTest, ContextPrefixOnlyAtALineStart)
{
    ff::av_log(&Tester, AV_LOG_INFO, "x=%d", 5);
    ff::av_log(&Tester, AV_LOG_INFO, " more\n");
    ASSERT_EQ(Lines.size(), 1u);
    char expected[64];
    std::snprintf(expected, sizeof expected, "[tester @ %p]x=5 more", static_cast<void*>(&Tester));
    EXPECT_EQ(Lines[0].Text, expected);
}

TEST_F(FFmpegLoggerTest, MessagesAboveTheLevelAreDroppedWithTheirLineFeed)
{
    ff::av_log(nullptr, AV_LOG_INFO, "kept");
    ff::av_log(nullptr, AV_LOG_DEBUG, "dropped\n");
    EXPECT_TRUE(Lines.empty());
    ff::av_log(nullptr, AV_LOG_INFO, "\n");
    EXPECT_EQ(Lines, (std::vector<TLine>{{Me, llInfo, "kept", true}}));
}

TEST_F(FFmpegLoggerTest, LongMessageIsCutAndKeepsItsLineEnd)
{
    const std::string big(5000, 'x');
    ff::av_log(nullptr, AV_LOG_INFO, "%s\n", big.c_str());
    ff::av_log(nullptr, AV_LOG_INFO, "next\n");
    ASSERT_EQ(Lines.size(), 2u);
    EXPECT_EQ(Lines[0].Text, std::string(2046, 'x'));
    EXPECT_EQ(Lines[1].Text, "next");
}

TEST_F(FFmpegLoggerTest, ThreadsKeepTheirOwnPiecesAndLinesReachTheGuiThreadWhole)
{
    constexpr int Threads = 3, Rounds = 20;
    std::atomic<int> finished{0};
    std::vector<std::thread> workers;
    std::vector<uint32_t> ids(Threads);
    for (int t = 0; t < Threads; ++t)
        workers.emplace_back([&, t] {
            ids[size_t(t)] = uint32_t(platform::CurrentThreadId());
            for (int i = 0; i < Rounds; ++i) {
                ff::av_log(nullptr, AV_LOG_INFO, "t%d-", t);
                ff::av_log(nullptr, AV_LOG_INFO, "%d\n", i);
            }
            ++finished;
        });
    // The lines are queued for the GUI thread before a worker counts itself
    // finished: wait for the lines themselves, not for the workers.
    EXPECT_TRUE(platform::WaitUntilServing([&] { return Lines.size() == size_t(Threads * Rounds); }, 20000));
    for (std::thread& w : workers)
        w.join();
    ASSERT_EQ(Lines.size(), size_t(Threads * Rounds));
    std::vector<int> next(Threads, 0);
    for (const TLine& line : Lines) {
        EXPECT_TRUE(line.OnMainThread);
        const int t = line.Text[1] - '0';
        ASSERT_TRUE(t >= 0 && t < Threads) << line.Text;
        EXPECT_EQ(line.ThreadID, ids[size_t(t)]);
        EXPECT_EQ(line.Text, "t" + std::to_string(t) + "-" + std::to_string(next[size_t(t)]++));
    }
}

TEST_F(FFmpegLoggerTest, WithoutTheGuiThreadLinesArriveOnTheLoggingThread)
{
    Logger->SetTriggerEventInMainThread(false);
    std::thread worker([] { ff::av_log(nullptr, AV_LOG_ERROR, "worker\n"); });
    worker.join();
    ASSERT_EQ(Lines.size(), 1u);
    EXPECT_FALSE(Lines[0].OnMainThread);
}

// The handler is replaced and cleared while other threads are delivering
// lines through it. Every replacement waits until both workers have reached
// the new handler, so the swaps really overlap with deliveries however the
// threads are scheduled (on one core, or slowed down by a sanitizer).
TEST_F(FFmpegLoggerTest, TheHandlerChangesSafelyWhileOtherThreadsLog)
{
    constexpr int Workers = 2, Swaps = 200;
    Logger->SetTriggerEventInMainThread(false);
    struct TCounter {
        std::atomic<int> Lines{0};
        std::atomic<uint32_t> SeenBy{0}; // one bit per worker
    };
    std::vector<TCounter> counters(Swaps);
    auto countInto = [](TCounter& ACounter, const std::vector<uint32_t>& AIds) {
        return [&ACounter, &AIds](platform::TObject*, uint32_t ATid, TLogLevel, const std::string& AMsg) {
            if (AMsg != "line")
                return;
            ++ACounter.Lines;
            for (size_t w = 0; w < AIds.size(); ++w)
                if (AIds[w] == ATid)
                    ACounter.SeenBy |= 1u << w;
        };
    };
    std::vector<uint32_t> ids(Workers);
    // Each worker writes its own id before the start barrier below; the
    // handlers read them only after it.
    std::atomic<int> started{0};
    std::atomic<bool> stop{false};
    Logger->SetOnLog(countInto(counters[0], ids));
    std::vector<std::thread> workers;
    for (int w = 0; w < Workers; ++w)
        workers.emplace_back([&, w] {
            ids[size_t(w)] = uint32_t(platform::CurrentThreadId());
            ++started;
            while (started.load() < Workers)
                std::this_thread::yield();
            while (!stop)
                ff::av_log(nullptr, AV_LOG_ERROR, "line\n");
        });
    const uint32_t all = (1u << Workers) - 1;
    bool overlapped = true;
    for (int i = 0; i < Swaps && overlapped; ++i) {
        if (i > 0)
            Logger->SetOnLog(countInto(counters[size_t(i)], ids));
        overlapped = platform::WaitUntilServing([&] { return counters[size_t(i)].SeenBy.load() == all; }, 20000);
    }
    Logger->SetOnLog(nullptr);
    stop = true;
    for (std::thread& w : workers)
        w.join();
    EXPECT_TRUE(overlapped) << "the workers stopped reaching the handler";
    auto counted = [&] {
        int n = 0;
        for (const TCounter& c : counters)
            n += c.Lines;
        return n;
    };
    // Once cleared, no handler hears a line.
    const int before = counted();
    ff::av_log(nullptr, AV_LOG_ERROR, "line\n");
    EXPECT_EQ(counted(), before);
    EXPECT_FALSE(Logger->HasOnLog());
}

TEST_F(FFmpegLoggerTest, EngineMessagesPassByLevel)
{
    const struct {
        TLogLevel LoggerLevel;
        TLogLevel Message;
        bool Passes;
    } cases[] = {
        {llInfo, llError, true},    {llInfo, llInfo, true},     {llInfo, llDebug, false},
        {llInfo, llVerbose, true},  {llQuiet, llQuiet, true},   {llQuiet, llVerbose, false},
        {llQuiet, llPanic, false},  {llDebug, llDebug, true},
    };
    platform::TObject sender;
    for (const auto& c : cases) {
        Lines.clear();
        Logger->SetLogLevel(c.LoggerLevel);
        Logger->SetOnLog([&](platform::TObject* S, uint32_t ATid, TLogLevel ALevel, const std::string& AMsg) {
            EXPECT_EQ(S, &sender);
            Lines.push_back({ATid, ALevel, AMsg, platform::IsMainThread()});
        });
        Logger->Log(&sender, c.Message, "%s=%d", "n", 7);
        EXPECT_EQ(Lines.size(), c.Passes ? 1u : 0u) << c.LoggerLevel << " " << c.Message;
        if (c.Passes) {
            EXPECT_EQ(Lines[0], (TLine{Me, c.Message, "n=7", true}));
        }
    }
}

TEST_F(FFmpegLoggerTest, LevelReachesFFmpeg)
{
    Logger->SetLogLevel(llQuiet);
    EXPECT_EQ(ff::av_log_get_level(), -8);
    ff::av_log(nullptr, AV_LOG_PANIC, "panic\n");
    EXPECT_TRUE(Lines.empty());
    Logger->SetLogLevel(llVerbose);
    EXPECT_EQ(ff::av_log_get_level(), 40);
}

TEST_F(FFmpegLoggerTest, OptLogLevel)
{
    const struct {
        const char* Arg;
        TLogLevel Level;
    } cases[] = {{"DEBUG", llDebug}, {"20", llError}, {"-1", llPanic}, {"quiet", llQuiet}, {"Warning", llWarning}};
    for (const auto& c : cases) {
        Logger->OptLogLevel(c.Arg);
        EXPECT_EQ(Logger->LogLevel(), c.Level) << c.Arg;
    }
    EXPECT_THROW(Logger->OptLogLevel("loud"), platform::EConvertError);
}

TEST_F(FFmpegLoggerTest, OnlyOneLoggerPerProcess)
{
    try {
        TFFLogger second(nullptr);
        FAIL() << "a second logger was made";
    } catch (const platform::EAssertionFailed& e) {
        EXPECT_NE(e.Message().find("Allow creating only one instance of TFFLogger."), std::string::npos);
    }
    EXPECT_EQ(GetFFLogger(), Logger);
}

TEST_F(FFmpegLoggerTest, MutedThreadSaysNothing)
{
    {
        TAVLogMute mute;
        ff::av_log(nullptr, AV_LOG_ERROR, "hidden\n");
    }
    ff::av_log(nullptr, AV_LOG_ERROR, "shown\n");
    ASSERT_EQ(Lines.size(), 1u);
    EXPECT_EQ(Lines[0].Text, "shown");
}
