// The conversion component's task list and run control, driven through
// tasks whose file opening and transcode are stand-ins: runs in sequence
// and on 1..8 threads, stop at every stage, pause and resume, the order and
// count of terminate records, and where each event arrives.
#include "engine/component/FFConverter.h"
#include "engine/loader/FFmpegLoader.h"

#include "platform/core/MainThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <thread>

using namespace engine;
using platform::CurrentThreadId;

namespace {

// What one task does when it runs.
struct TBehaviour {
    int Steps = 5;
    std::string FailWith;        // non-empty: the transcode raises this
    bool RunUntilStopped = false; // loops until the task is stopped
    bool Hook = false;           // calls the custom hook once per step
};

// A task that runs ASteps steps and succeeds.
TBehaviour Steps(int ASteps)
{
    TBehaviour b;
    b.Steps = ASteps;
    return b;
}

// Counts how many tasks run at the same time.
struct TConcurrency {
    std::atomic<int> Running{0};
    std::atomic<int> Peak{0};
    std::atomic<int> Started{0};
    std::atomic<int> Steps{0};
    void Enter()
    {
        ++Started;
        const int now = ++Running;
        int peak = Peak;
        while (now > peak && !Peak.compare_exchange_weak(peak, now)) {
        }
    }
    void Leave() { --Running; }
};

class TTestTask : public TFFmpeg {
public:
    TTestTask(int AMaxFiles, TBehaviour ABehaviour, TConcurrency& AStats) : TFFmpeg(AMaxFiles)
    {
        SetTranscodeStep([B = std::move(ABehaviour), &AStats](TCustomFFmpeg& AJob) {
            AStats.Enter();
            struct TLeave {
                TConcurrency& S;
                ~TLeave() { S.Leave(); }
            } leave{AStats};
            for (int i = 0; B.RunUntilStopped || i < B.Steps; ++i) {
                if (!AJob.WaitWhilePaused())
                    return;
                ++AStats.Steps;
                if (AJob.Events().FOnProgress)
                    AJob.Events().FOnProgress(&AJob, 0, i, 25, 2.0f, 128.0f, i * 1000, i * 40000, B.Steps * 40000);
                if (B.Hook && AJob.Events().FOnCustomHook) {
                    bool update = true, stopHook = false;
                    AJob.Events().FOnCustomHook(&AJob, nullptr, i, i * 40000, update, stopHook);
                }
                std::this_thread::sleep_for(std::chrono::microseconds(300));
            }
            if (!B.FailWith.empty())
                throw FFmpegException(B.FailWith);
            AJob.SetFinished(!AJob.Broken());
        });
    }

    bool OpenInputFile(const std::string& AFileName) override
    {
        OpenedInputs.push_back(AFileName);
        if (AFileName.rfind("missing", 0) == 0) {
            FLastErrMsg = AFileName + ": No such file or directory";
            return false;
        }
        ++FilesToEnter().Fnb_input_files;
        return true;
    }

    bool ApplyOutputRecord(const std::string& AFileName, const TOutputOptions* AOptions,
                           const TCustomHookEvent& ACustomHook) override
    {
        if (AOptions) {
            LastOutputRecord = *AOptions;
            if (AOptions->CustomHook)
                SetCustomHook(ACustomHook);
        }
        if (AFileName.rfind("bad", 0) == 0) {
            FLastErrMsg = "Unknown format";
            return false;
        }
        ++FilesToEnter().Fnb_output_files;
        return true;
    }

    std::vector<std::string> OpenedInputs;
    TOutputOptions LastOutputRecord;
};

class TTestConverter : public TFFConverter {
public:
    TTestConverter() : TFFConverter(nullptr) {}
    ~TTestConverter() override { EndRun(); }
    std::vector<TBehaviour> Behaviours; // by creation order; default when absent
    TConcurrency Stats;
    std::vector<TTestTask*> Made;

protected:
    std::unique_ptr<TFFmpeg> NewTask(int AMaxFiles) override
    {
        const size_t n = Made.size();
        auto task = std::make_unique<TTestTask>(AMaxFiles, n < Behaviours.size() ? Behaviours[n] : TBehaviour{},
                                                Stats);
        Made.push_back(task.get());
        return task;
    }
};

// Collects terminate records from whatever thread delivers them.
struct TRecorder {
    std::mutex Lock;
    std::vector<TTerminateInfo> Records;
    std::atomic<bool> FinalSeen{false};
    std::atomic<int> FinalCount{0};
    std::atomic<int> AfterFinal{0};

    void Attach(TCustomFFConverter& AConverter)
    {
        AConverter.OnTerminate = [this](platform::TObject*, const TTerminateInfo& AInfo) {
            std::lock_guard<std::mutex> guard(Lock);
            if (FinalSeen)
                ++AfterFinal;
            Records.push_back(AInfo);
            if (AInfo.TaskIndex == -1) {
                ++FinalCount;
                FinalSeen = true;
            }
        };
    }
    void WaitFinal() { platform::WaitUntilServing([this] { return FinalSeen.load(); }); }
};

void AddTasks(TTestConverter& AConverter, int ACount)
{
    for (int i = 0; i < ACount; ++i) {
        const int expected = AConverter.TasksCount();
        const int index = AConverter.AddTask("in" + std::to_string(i) + ".wav", static_cast<TInputOptions*>(nullptr));
        ASSERT_EQ(index, expected) << AConverter.LastErrMsg();
        ASSERT_TRUE(AConverter.SetOutputFile(index, "out" + std::to_string(i) + ".mp3",
                                             static_cast<TOutputOptions*>(nullptr)));
    }
}

// Every task once, the final record last and once.
void ExpectCompleteRecords(TRecorder& ARecorder, int ATasks, bool AFinished)
{
    std::lock_guard<std::mutex> guard(ARecorder.Lock);
    ASSERT_EQ(ARecorder.Records.size(), size_t(ATasks) + 1);
    EXPECT_EQ(ARecorder.FinalCount, 1);
    EXPECT_EQ(ARecorder.AfterFinal, 0);
    const TTerminateInfo& final = ARecorder.Records.back();
    EXPECT_EQ(final.TaskIndex, -1);
    EXPECT_TRUE(final.Finished);
    EXPECT_FALSE(final.Exception);
    EXPECT_TRUE(final.ExceptionMsg.empty());
    std::set<int> seen;
    for (size_t i = 0; i + 1 < ARecorder.Records.size(); ++i) {
        const TTerminateInfo& r = ARecorder.Records[i];
        EXPECT_TRUE(seen.insert(r.TaskIndex).second) << "task " << r.TaskIndex << " reported twice";
        if (AFinished) {
            EXPECT_TRUE(r.Finished) << "task " << r.TaskIndex;
        }
    }
    EXPECT_EQ(seen.size(), size_t(ATasks));
}

class FFConverterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { GlobalLoader().Load(ConverterLibraries); }
};

} // namespace

TEST_F(FFConverterTest, PropertiesAndDefaults)
{
    TTestConverter c;
    EXPECT_EQ(c.Version(), "3.3");
    EXPECT_EQ(c.CustomMaxFiles(), 20);
    EXPECT_EQ(c.ProgressInterval(), 500);
    EXPECT_TRUE(c.TriggerEventInMainThread());
    EXPECT_EQ(c.Verbose(), 1);
    EXPECT_FALSE(c.Working());
    EXPECT_FALSE(c.Terminated());
    EXPECT_NE(c.AVProbe(), nullptr);
    const std::pair<int, int> intervals[] = {{50, 100}, {100, 100}, {101, 101}, {-5, 100}};
    for (auto [in, stored] : intervals) {
        c.SetProgressInterval(in);
        EXPECT_EQ(c.ProgressInterval(), stored);
    }
}

TEST_F(FFConverterTest, CustomMaxFilesOutsideRangeRaisesFromAddTask)
{
    TTestConverter c;
    c.SetCustomMaxFiles(0);
    EXPECT_THROW(c.AddTask("a.wav", static_cast<TInputOptions*>(nullptr)), platform::EAssertionFailed);
    EXPECT_EQ(c.TasksCount(), 0);
}

TEST_F(FFConverterTest, FailedOpeningLeavesTheListUnchanged)
{
    TTestConverter c;
    EXPECT_EQ(c.AddTask("missing.wav", static_cast<TInputOptions*>(nullptr)), -1);
    EXPECT_EQ(c.LastErrMsg(), "missing.wav: No such file or directory");
    EXPECT_EQ(c.TasksCount(), 0);
    AddTasks(c, 1);
    EXPECT_FALSE(c.SetOutputFile(0, "bad.xyz", static_cast<TOutputOptions*>(nullptr)));
    EXPECT_EQ(c.LastErrMsg(), "Unknown format");
    EXPECT_FALSE(c.AddInputFile(0, "missing2.wav", static_cast<TInputOptions*>(nullptr)));
    EXPECT_EQ(c.Made[1]->nb_input_files(), 1);
    EXPECT_THROW(c.SetOutputFile(5, "x.mp3", static_cast<TOutputOptions*>(nullptr)), platform::Exception);
}

// A caller's record left unnamed gets the file it went with written into
// it; a named one keeps its name. The file opened is always the argument.
TEST_F(FFConverterTest, UnnamedRecordsGetTheirFileNameAndTheArgumentIsOpened)
{
    TTestConverter c;
    TInputOptions in;
    InitInputOptions(in);
    ASSERT_EQ(c.AddTask("a.wav", &in), 0) << c.LastErrMsg();
    EXPECT_EQ(in.FileName, "a.wav");
    in.FileName = "elsewhere.wav";
    ASSERT_TRUE(c.AddInputFile(0, "b.wav", &in)) << c.LastErrMsg();
    EXPECT_EQ(in.FileName, "elsewhere.wav");
    EXPECT_EQ(c.Made[0]->OpenedInputs, (std::vector<std::string>{"a.wav", "b.wav"}));
    EXPECT_EQ(c.Made[0]->InputOptions(1)->FileName, "elsewhere.wav");
    TOutputOptions out;
    InitOutputOptions(out);
    ASSERT_TRUE(c.SetOutputFile(0, "b.mp3", &out));
    EXPECT_EQ(out.FileName, "b.mp3");
    out.FileName = "other.mp3";
    ASSERT_TRUE(c.SetOutputFile(0, "c.mp3", &out));
    EXPECT_EQ(out.FileName, "other.mp3");
    EXPECT_EQ(c.Made[0]->nb_output_files(), 2);
    // A refused file's record is named all the same: the name is written
    // before the file is opened.
    TInputOptions missing;
    InitInputOptions(missing);
    EXPECT_EQ(c.AddTask("missing.wav", &missing), -1);
    EXPECT_EQ(missing.FileName, "missing.wav");
}

// Each task keeps its own copy of every file's record, named after the file
// it went with when the caller left the name empty; a refused file's copy
// goes back to the defaults.
TEST_F(FFConverterTest, TasksKeepNamedCopiesOfTheirRecords)
{
    TTestConverter c;
    TInputOptions in;
    InitInputOptions(in);
    in.ProgramID = 7;
    ASSERT_EQ(c.AddTask("a.wav", &in), 0) << c.LastErrMsg();
    in.FileName = "named.wav";
    ASSERT_TRUE(c.AddInputFile(0, "b.wav", &in)) << c.LastErrMsg();
    in.ProgramID = 9;
    EXPECT_FALSE(c.AddInputFile(0, "missing.wav", &in));
    TOutputOptions out;
    InitOutputOptions(out);
    out.TimeStart = 1000;
    ASSERT_TRUE(c.SetOutputFile(0, "x.mp3", &out));
    EXPECT_FALSE(c.SetOutputFile(0, "bad.xyz", &out));
    ASSERT_TRUE(c.SetOutputFile(0, "y.mp3", static_cast<TOutputOptions*>(nullptr)));

    TFFmpeg* task = c.Made[0];
    TInputOptions defaultsIn;
    InitInputOptions(defaultsIn);
    TOutputOptions defaultsOut;
    InitOutputOptions(defaultsOut);
    struct InputCase {
        int Index;
        bool Stored;
        std::string FileName;
        int ProgramID;
    };
    for (const InputCase& k : {InputCase{0, true, "a.wav", 7}, InputCase{1, true, "named.wav", 7},
                               InputCase{2, true, defaultsIn.FileName, defaultsIn.ProgramID},
                               InputCase{3, false, "", 0}}) {
        SCOPED_TRACE(k.Index);
        const TInputOptions* stored = task->InputOptions(k.Index);
        ASSERT_EQ(stored != nullptr, k.Stored);
        if (stored) {
            EXPECT_EQ(stored->FileName, k.FileName);
            EXPECT_EQ(stored->ProgramID, k.ProgramID);
        }
    }
    ASSERT_NE(task->OutputOptions(0), nullptr);
    EXPECT_EQ(task->OutputOptions(0)->FileName, "x.mp3");
    EXPECT_EQ(task->OutputOptions(0)->TimeStart, 1000);
    // The refused output's copy went back to the defaults, and the output
    // given no record has none.
    ASSERT_NE(task->OutputOptions(1), nullptr);
    EXPECT_EQ(task->OutputOptions(1)->FileName, defaultsOut.FileName);
    EXPECT_EQ(task->OutputOptions(1)->TimeStart, defaultsOut.TimeStart);
    EXPECT_EQ(task->nb_output_files(), 2);
    EXPECT_EQ(task->OutputOptions(2), nullptr);
    // The caller's reused records were named by their first file.
    EXPECT_EQ(in.FileName, "named.wav");
    EXPECT_EQ(out.FileName, "x.mp3");
}

TEST_F(FFConverterTest, TextOverloadsReadTheirSpecialLines)
{
    TTestConverter c;
    AddTasks(c, 1);
    ASSERT_TRUE(c.SetOutputFile(0, "x.mp3", "Join=0\r\nHook=1\nTimeStart=5000000<CRLF>TimeLength=abc\nab=128k"));
    const TOutputOptions& r = c.Made[0]->LastOutputRecord;
    EXPECT_TRUE(r.Join);
    EXPECT_TRUE(r.CustomHook);
    EXPECT_EQ(r.TimeStart, 5000000);
    EXPECT_EQ(r.TimeLength, AV_NOPTS_VALUE);
    EXPECT_EQ(r.ExtOptions, "ab=128k\n");
}

TEST_F(FFConverterTest, MaxInputAndOutputFiles)
{
    TTestConverter c;
    c.SetCustomMaxFiles(2);
    AddTasks(c, 1);
    ASSERT_TRUE(c.AddInputFile(0, "b.wav", static_cast<TInputOptions*>(nullptr)));
    EXPECT_FALSE(c.AddInputFile(0, "c.wav", static_cast<TInputOptions*>(nullptr)));
    EXPECT_EQ(c.LastErrMsg(), "max input files 2 reached");
    ASSERT_TRUE(c.SetOutputFile(0, "o2.mp3", static_cast<TOutputOptions*>(nullptr)));
    EXPECT_FALSE(c.SetOutputFile(0, "o3.mp3", static_cast<TOutputOptions*>(nullptr)));
    EXPECT_EQ(c.LastErrMsg(), "max output files 2 reached");
}

TEST_F(FFConverterTest, StreamOverloadsRefusePlainly)
{
    TTestConverter c;
    EXPECT_EQ(c.AddTask(nullptr, "x", nullptr), -1);
    EXPECT_NE(c.LastErrMsg().find("stream is not supported"), std::string::npos);
    AddTasks(c, 1);
    EXPECT_FALSE(c.SetOutputStream(0, nullptr, "x", nullptr));
    EXPECT_NE(c.LastErrMsg().find("stream is not supported"), std::string::npos);
}

TEST_F(FFConverterTest, GuardsWhileWorkingAndClearTasks)
{
    TTestConverter c;
    TRecorder rec;
    rec.Attach(c);
    AddTasks(c, 2);
    c.Start(0);
    EXPECT_TRUE(c.Working());
    EXPECT_TRUE(c.Terminated());
    struct TCase {
        std::function<void()> Call;
        const char* Message;
    };
    const TCase cases[] = {
        {[&] { c.AddTask("a", static_cast<TInputOptions*>(nullptr)); }, "Cannot AddTask while working."},
        {[&] { c.AddInputFile(0, "a", static_cast<TInputOptions*>(nullptr)); }, "Cannot AddInputFile while working."},
        {[&] { c.SetOutputFile(0, "a", static_cast<TOutputOptions*>(nullptr)); },
         "Cannot SetOutputFile while working."},
        {[&] { c.Exchange(0, 1); }, "Cannot Exchange while working."},
        {[&] { c.RemoveTask(0); }, "Cannot RemoveTask while working."},
        {[&] { c.Start(0); }, "Cannot StartTask while working."},
    };
    for (const auto& k : cases) {
        try {
            k.Call();
            ADD_FAILURE() << "no refusal: " << k.Message;
        } catch (const platform::Exception& E) {
            EXPECT_EQ(E.Message(), k.Message);
        }
    }
    c.ClearTasks();
    EXPECT_FALSE(c.Working());
    EXPECT_FALSE(c.Terminated());
    EXPECT_EQ(c.TasksCount(), 0);
}

TEST_F(FFConverterTest, ClearTasksDuringARunIsRefused)
{
    TTestConverter c;
    c.Behaviours = {TBehaviour{0, "", true}};
    TRecorder rec;
    rec.Attach(c);
    AddTasks(c, 1);
    c.Start(1);
    try {
        c.ClearTasks();
        ADD_FAILURE();
    } catch (const platform::Exception& E) {
        EXPECT_EQ(E.Message(), "Cannot ClearTasks while working.");
    }
    c.Stop(true);
    rec.WaitFinal();
    c.ClearTasks();
}

TEST_F(FFConverterTest, EmptyStartClosesAtOnce)
{
    for (int threads : {0, 3}) {
        TTestConverter c;
        TRecorder rec;
        rec.Attach(c);
        c.Start(threads);
        rec.WaitFinal();
        ExpectCompleteRecords(rec, 0, true);
        // The run counts as ended once the final handler has returned, which
        // in thread mode happens on the delivering thread.
        EXPECT_TRUE(platform::WaitUntilServing([&] { return c.Terminated(); }, 5000));
    }
}

TEST_F(FFConverterTest, SequentialRunHappensInsideStartOnTheCallingThread)
{
    for (int tasks : {1, 2, 6}) {
        TTestConverter c;
        TRecorder rec;
        std::set<uint64_t> threads;
        c.OnTerminate = [&](platform::TObject* Sender, const TTerminateInfo& AInfo) {
            EXPECT_EQ(Sender, &c);
            threads.insert(CurrentThreadId());
            rec.Records.push_back(AInfo);
            if (AInfo.TaskIndex == -1)
                ++rec.FinalCount;
        };
        AddTasks(c, tasks);
        c.Start(0);
        EXPECT_TRUE(c.Terminated());
        ExpectCompleteRecords(rec, tasks, true);
        for (int i = 0; i < tasks; ++i)
            EXPECT_EQ(rec.Records[size_t(i)].TaskIndex, i); // in list order
        EXPECT_EQ(threads, std::set<uint64_t>{CurrentThreadId()});
        EXPECT_EQ(c.Made[0]->Events().ReportInterval, 500000);
    }
}

class FFConverterThreadsTest : public FFConverterTest, public ::testing::WithParamInterface<int> {};

TEST_P(FFConverterThreadsTest, EveryTaskOnceAtMostNAtATimeFinalLast)
{
    const int threads = GetParam();
    for (int round = 0; round < 4; ++round) {
        TTestConverter c;
        c.Behaviours.assign(11, Steps(3 + round));
        TRecorder rec;
        rec.Attach(c);
        AddTasks(c, 11);
        c.Start(threads);
        rec.WaitFinal();
        EXPECT_TRUE(platform::WaitUntilServing([&] { return c.Terminated(); }, 5000));
        ExpectCompleteRecords(rec, 11, true);
        EXPECT_LE(c.Stats.Peak, threads);
        EXPECT_EQ(c.Stats.Started, 11);
    }
}

INSTANTIATE_TEST_SUITE_P(Threads, FFConverterThreadsTest, ::testing::Range(1, 9));

TEST_F(FFConverterTest, AFailingTaskBesideSucceedingOnes)
{
    for (int threads : {0, 2}) {
        TTestConverter c;
        c.Behaviours = {TBehaviour{}, TBehaviour{2, "Video encoding failed"}, TBehaviour{}};
        TRecorder rec;
        rec.Attach(c);
        AddTasks(c, 3);
        c.AddTask("noout.wav", static_cast<TInputOptions*>(nullptr)); // no output file
        c.Start(threads);
        rec.WaitFinal();
        std::lock_guard<std::mutex> guard(rec.Lock);
        ASSERT_EQ(rec.Records.size(), 5u);
        std::map<int, TTerminateInfo> byTask;
        for (const auto& r : rec.Records)
            byTask[r.TaskIndex] = r;
        for (int ok : {0, 2}) {
            EXPECT_TRUE(byTask[ok].Finished);
            EXPECT_FALSE(byTask[ok].Exception);
        }
        EXPECT_FALSE(byTask[1].Finished);
        EXPECT_TRUE(byTask[1].Exception);
        EXPECT_EQ(byTask[1].ExceptionMsg, "Video encoding failed");
        EXPECT_FALSE(byTask[3].Finished);
        EXPECT_TRUE(byTask[3].Exception);
        EXPECT_EQ(byTask[3].ExceptionMsg, "At least one output file must be specified");
        EXPECT_EQ(rec.Records.back().TaskIndex, -1);
    }
}

TEST_F(FFConverterTest, StopBeforeStartChangesNothing)
{
    TTestConverter c;
    TRecorder rec;
    rec.Attach(c);
    AddTasks(c, 3);
    c.Stop(true);
    c.Stop(false);
    EXPECT_FALSE(c.Working());
    c.Start(2);
    rec.WaitFinal();
    ExpectCompleteRecords(rec, 3, true);
}

TEST_F(FFConverterTest, StopMidRunReportsEveryTaskThenTheFinalRecord)
{
    for (int round = 0; round < 10; ++round) {
        const bool wait = round % 2;
        TTestConverter c;
        c.Behaviours.assign(5, TBehaviour{0, "", true});
        TRecorder rec;
        rec.Attach(c);
        AddTasks(c, 5);
        c.Start(2);
        platform::WaitUntilServing([&] { return c.Stats.Started == 2 && c.Stats.Steps >= 2; });
        c.Stop(wait);
        rec.WaitFinal();
        ExpectCompleteRecords(rec, 5, false);
        std::lock_guard<std::mutex> guard(rec.Lock);
        for (const auto& r : rec.Records) {
            if (r.TaskIndex == -1)
                continue;
            EXPECT_FALSE(r.Finished);
            EXPECT_FALSE(r.Exception);
        }
        EXPECT_EQ(c.Stats.Started, 2); // nothing started after the stop
    }
}

TEST_F(FFConverterTest, StopDuringTheLastTask)
{
    TTestConverter c;
    c.Behaviours = {Steps(2), Steps(2), TBehaviour{0, "", true}};
    TRecorder rec;
    rec.Attach(c);
    AddTasks(c, 3);
    c.Start(1);
    platform::WaitUntilServing([&] { return c.Stats.Started == 3; });
    c.Stop(true);
    rec.WaitFinal();
    ExpectCompleteRecords(rec, 3, false);
    std::lock_guard<std::mutex> guard(rec.Lock);
    std::map<int, bool> finished;
    for (const auto& r : rec.Records)
        finished[r.TaskIndex] = r.Finished;
    EXPECT_TRUE(finished[0]);
    EXPECT_TRUE(finished[1]);
    EXPECT_FALSE(finished[2]);
}

TEST_F(FFConverterTest, StopFromAProgressHandlerInASequentialRun)
{
    TTestConverter c;
    c.Behaviours.assign(4, TBehaviour{0, "", true});
    c.Behaviours[0] = Steps(2);
    TRecorder rec;
    rec.Attach(c);
    c.OnProgress = [&](platform::TObject*, PProgressInfo AInfo) {
        if (AInfo->TaskIndex == 1 && AInfo->FrameNumber == 2)
            c.Stop(true);
    };
    AddTasks(c, 4);
    c.Start(0);
    EXPECT_TRUE(c.Terminated());
    ExpectCompleteRecords(rec, 4, false);
    EXPECT_EQ(c.Stats.Started, 2);
}

TEST_F(FFConverterTest, StopWaitingOnTheGuiThreadWhileWorkersDeliverProgressThere)
{
    for (int round = 0; round < 5; ++round) {
        TTestConverter c;
        c.Behaviours.assign(6, TBehaviour{0, "", true});
        std::atomic<int> progress{0};
        c.OnProgress = [&](platform::TObject*, PProgressInfo) { ++progress; };
        TRecorder rec;
        rec.Attach(c);
        AddTasks(c, 6);
        c.Start(4);
        platform::WaitUntilServing([&] { return progress >= 8; });
        c.Stop(true);
        rec.WaitFinal();
        ExpectCompleteRecords(rec, 6, false);
    }
}

TEST_F(FFConverterTest, PauseAndResumeWhileSeveralTasksRun)
{
    TTestConverter c;
    c.Behaviours.assign(4, Steps(150));
    TRecorder rec;
    rec.Attach(c);
    AddTasks(c, 4);
    c.Start(3);
    platform::WaitUntilServing([&] { return c.Stats.Started == 3 && c.Stats.Steps >= 6; });
    c.Pause();
    // Each running task may finish the step it had begun, no more.
    const int atPause = c.Stats.Steps;
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    EXPECT_LE(c.Stats.Steps.load(), atPause + 3);
    EXPECT_FALSE(rec.FinalSeen);
    c.Resume();
    rec.WaitFinal();
    ExpectCompleteRecords(rec, 4, true);
}

// Pause pressed while tasks end and the next ones start: every task of the
// run is held, those started after the pause too. Each running task may
// finish the step it had begun, no more, until Resume.
TEST_F(FFConverterTest, PauseHoldsTasksThatStartAfterIt)
{
    constexpr int Threads = 2;
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        TTestConverter c;
        c.Behaviours.assign(6, Steps(2));
        TRecorder rec;
        rec.Attach(c);
        AddTasks(c, 6);
        std::atomic<bool> paused{false};
        std::atomic<int> stepsWhilePaused{0};
        c.OnProgress = [&](platform::TObject*, PProgressInfo) {
            if (paused)
                ++stepsWhilePaused;
        };
        c.SetTriggerEventInMainThread(false);
        c.Start(Threads);
        // Pause at different moments around the first task ends.
        platform::WaitUntilServing([&] { return c.Stats.Started >= 1 + round % 4 || rec.FinalSeen; });
        c.Pause();
        paused = true;
        // Long enough for a task that escaped the pause to show itself.
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        EXPECT_LE(stepsWhilePaused.load(), Threads);
        paused = false;
        c.Resume();
        rec.WaitFinal();
        ExpectCompleteRecords(rec, 6, true);
    }
}

TEST_F(FFConverterTest, ProgressArrivesOnTheGuiThreadWhenAsked)
{
    for (bool mainThread : {true, false}) {
        TTestConverter c;
        c.SetTriggerEventInMainThread(mainThread);
        std::mutex lock;
        std::set<uint64_t> threads;
        std::atomic<int> count{0};
        c.OnProgress = [&](platform::TObject* Sender, PProgressInfo AInfo) {
            EXPECT_EQ(Sender, &c);
            EXPECT_GE(AInfo->TaskIndex, 0);
            EXPECT_EQ(AInfo->TotalDuration, 5 * 40000);
            std::lock_guard<std::mutex> guard(lock);
            threads.insert(CurrentThreadId());
            ++count;
        };
        TRecorder rec;
        rec.Attach(c);
        AddTasks(c, 3);
        c.Start(3);
        rec.WaitFinal();
        EXPECT_EQ(count, 15);
        if (mainThread)
            EXPECT_EQ(threads, std::set<uint64_t>{CurrentThreadId()});
        else
            EXPECT_EQ(threads.count(CurrentThreadId()), 0u);
    }
}

TEST_F(FFConverterTest, CustomHookRunsOnTheWorkerAndReturnsItsFlags)
{
    TTestConverter c;
    c.Behaviours = {TBehaviour{3, "", false, true}};
    std::atomic<int> calls{0};
    std::atomic<uint64_t> thread{0};
    c.OnCustomHook = [&](platform::TObject*, PHookInfo AInfo) {
        thread = CurrentThreadId();
        EXPECT_TRUE(AInfo->Update);
        EXPECT_FALSE(AInfo->StopHook);
        ++calls;
    };
    TRecorder rec;
    rec.Attach(c);
    AddTasks(c, 1);
    ASSERT_TRUE(c.SetOutputFile(0, "hooked.mp3", "Hook=1"));
    c.Start(1);
    rec.WaitFinal();
    EXPECT_EQ(calls, 3);
    EXPECT_NE(thread, CurrentThreadId());
}

TEST_F(FFConverterTest, ARaisingTerminateHandlerStillClosesTheRun)
{
    for (int threads : {0, 2}) {
        TTestConverter c;
        std::atomic<int> calls{0};
        std::atomic<bool> final{false};
        c.OnTerminate = [&](platform::TObject*, const TTerminateInfo& AInfo) {
            ++calls;
            if (AInfo.TaskIndex == -1)
                final = true;
            else
                throw platform::Exception("handler failed");
        };
        AddTasks(c, 3);
        c.Start(threads);
        platform::WaitUntilServing([&] { return final.load(); });
        EXPECT_EQ(calls, 4);
        // With worker threads the final record is handed to a thread of its
        // own, and the run counts as ended once it was handed over: the
        // handler may run before that.
        EXPECT_TRUE(platform::WaitUntilServing([&] { return c.Terminated(); }, 10000));
    }
}

TEST_F(FFConverterTest, WithoutTerminateHandlerTheRunStillCloses)
{
    TTestConverter c;
    AddTasks(c, 3);
    c.Start(2);
    platform::WaitUntilServing([&] { return c.Terminated(); });
    c.ClearTasks();
}

TEST_F(FFConverterTest, RecordsCarryTheCurrentListIndexes)
{
    TTestConverter c;
    TRecorder rec;
    rec.Attach(c);
    AddTasks(c, 3);
    TFFmpeg* first = c.Made[0];
    TFFmpeg* third = c.Made[2];
    c.RemoveTask(1);
    c.Exchange(0, 1);
    EXPECT_EQ(c.GetTaskAVProbe(0, 0), third->AVProbe(0));
    EXPECT_EQ(c.GetTaskAVProbe(1, 0), first->AVProbe(0));
    EXPECT_EQ(c.GetTaskAVProbe(0, 1), nullptr);
    c.Start(0);
    ASSERT_EQ(rec.Records.size(), 3u);
    EXPECT_EQ(rec.Records[0].TaskIndex, 0);
    EXPECT_EQ(rec.Records[1].TaskIndex, 1);
}

TEST_F(FFConverterTest, DestroyingTheComponentDuringARunStopsItFirst)
{
    for (int round = 0; round < 5; ++round) {
        TConcurrency* stats;
        std::atomic<int> records{0};
        {
            auto c = std::make_unique<TTestConverter>();
            c->Behaviours.assign(6, TBehaviour{0, "", true});
            c->OnTerminate = [&](platform::TObject*, const TTerminateInfo&) { ++records; };
            AddTasks(*c, 6);
            c->Start(3);
            platform::WaitUntilServing([&] { return c->Stats.Started == 3; });
            stats = &c->Stats;
            EXPECT_EQ(stats->Running, 3);
        }
        EXPECT_EQ(records, 7);
    }
}

TEST_F(FFConverterTest, PreviewSwitchesReachEveryTask)
{
    TTestConverter c;
    AddTasks(c, 2);
    c.SetPreview(true);
    c.SetPreviewBitmap(true);
    for (auto* task : c.Made)
        EXPECT_EQ(task->PostHooks(), TPostHooks(phPreview | phBitmap));
    c.SetPreview(false);
    AddTasks(c, 1);
    for (auto* task : c.Made)
        EXPECT_EQ(task->PostHooks(), TPostHooks(phBitmap));
}

// The program's close: each terminate record is handed to the GUI thread,
// which stops the run (or not) and leaves its loop while records and
// progress may still be on their way to it. Once the GUI thread's calls have
// ended, freeing the component joins every worker and delivery thread
// without serving any of them.
TEST_F(FFConverterTest, FreedAfterTheLoopEndedWhileEventsWaitForTheGuiThread)
{
    enum class TStopFirst { None, NoWait, Wait };
    for (const TStopFirst stopFirst : {TStopFirst::None, TStopFirst::NoWait, TStopFirst::Wait}) {
        for (int round = 0; round < 3; ++round) {
            std::atomic<int> handled{0}, refused{0}, progress{0};
            auto c = std::make_unique<TTestConverter>();
            c->Behaviours.assign(6, TBehaviour{0, "", true});
            c->OnProgress = [&](platform::TObject*, PProgressInfo) { ++progress; };
            c->OnTerminate = [&](platform::TObject*, const TTerminateInfo&) {
                if (platform::Synchronize([&] { ++handled; }))
                    return;
                ++refused;
            };
            AddTasks(*c, 6);
            c->Start(3);
            platform::WaitUntilServing([&] { return c->Stats.Started == 3 && progress > 3; });
            if (stopFirst != TStopFirst::None)
                c->Stop(stopFirst == TStopFirst::Wait);
            platform::EndMainThreadCalls();
            c.reset();
            platform::ResumeMainThreadCalls();
            EXPECT_EQ(handled + refused, 7) << int(stopFirst);
            if (stopFirst == TStopFirst::None) {
                EXPECT_EQ(handled, 0);
            }
        }
    }
}
