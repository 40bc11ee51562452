// The conversion job's lifecycle, driven through a stand-in for the
// transcode step: start, failure, stop, cancel, pause and resume, and the
// end report.
#include "engine/converter/ConversionJob.h"
#include "engine/loader/FFmpegLoader.h"

#include "platform/core/MainThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace engine;
using platform::TEvent;
using platform::TThreadPriority;

namespace {

void SetOnTerminate(TCustomFFmpeg& AJob, platform::TNotifyEvent AHandler)
{
    TJobEvents events = AJob.Events();
    events.FOnTerminate = std::move(AHandler);
    AJob.SetEvents(std::move(events));
}

// A job with inputs and outputs counted but no files behind them.
class TTestJob : public TCustomFFmpeg {
public:
    explicit TTestJob(int AMaxFiles = 2, int AInputs = 1, int AOutputs = 1) : TCustomFFmpeg(AMaxFiles)
    {
        FilesToEnter().Fnb_input_files = AInputs;
        FilesToEnter().Fnb_output_files = AOutputs;
        SetOnTerminate(*this, [this](platform::TObject* Sender) {
            EXPECT_EQ(Sender, this);
            TerminateThread = platform::CurrentThreadId();
            ++Terminations;
            Ended.SetEvent();
        });
    }
    using TCustomFFmpeg::FilesToEnter;

    std::atomic<int> Terminations{0};
    std::atomic<uint64_t> TerminateThread{0};
    TEvent Ended{true, false};
};

// A step that runs until told to stop or until AStepsLeft reach 0,
// honouring the pause gate at every step.
TCustomFFmpeg::TTranscodeStep LoopingStep(std::atomic<int>& ASteps, int AMaxSteps = INT32_MAX)
{
    return [&ASteps, AMaxSteps](TCustomFFmpeg& AJob) {
        for (int i = 0; i < AMaxSteps; ++i) {
            if (!AJob.WaitWhilePaused())
                return;
            ++ASteps;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        AJob.SetFinished(!AJob.Broken());
    };
}

class FFmpegJobTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { GlobalLoader().Load(ConverterLibraries); }
};

} // namespace

TEST_F(FFmpegJobTest, MaxFilesOutsideOneTo512IsRefused)
{
    EXPECT_THROW(TCustomFFmpeg(0), platform::EAssertionFailed);
    EXPECT_THROW(TCustomFFmpeg(513), platform::EAssertionFailed);
    for (int files : {1, 512}) {
        TCustomFFmpeg job(files);
        EXPECT_EQ(job.MaxFiles(), files);
        EXPECT_EQ(job.Files().Finput_files.size(), size_t(files));
        EXPECT_EQ(job.Files().Finput_codecs.size(), size_t(files) * 20);
        EXPECT_EQ(job.Files().Fstream_maps.size(), size_t(files) * 20);
        EXPECT_EQ(job.Files().Finput_files_ts_scale[size_t(files) - 1].size(), 20u);
    }
}

TEST_F(FFmpegJobTest, DefaultsAfterCreate)
{
    TCustomFFmpeg job(3);
    EXPECT_EQ(job.VideoOutput().Fframe_pix_fmt, -1);
    EXPECT_EQ(job.Muxing().Fmax_frames[3], INT32_MAX);
    EXPECT_EQ(job.VideoOutput().Fintra_dc_precision, 8);
    EXPECT_EQ(job.AudioOutput().Faudio_sample_rate, 44100);
    EXPECT_FLOAT_EQ(job.AudioOutput().Faudio_qscale, -99999.0f);
    EXPECT_EQ(job.AudioOutput().Faudio_channels, 2);
    EXPECT_FLOAT_EQ(job.Muxing().Fmux_preload, 0.5f);
    EXPECT_FLOAT_EQ(job.Muxing().Fmux_max_delay, 0.7f);
    EXPECT_EQ(job.Muxing().Frecording_time, INT64_MAX);
    EXPECT_EQ(job.VideoOutput().Fvideo_sync_method, -1);
    EXPECT_FLOAT_EQ(job.AudioOutput().Faudio_drift_threshold, 0.1f);
    EXPECT_EQ(job.AudioOutput().Faudio_volume, 256);
    EXPECT_FLOAT_EQ(job.Muxing().Fdts_delta_threshold, 10.0f);
    EXPECT_EQ(job.VideoOutput().Fsws_flags, 4u);
    EXPECT_EQ(job.Files().FTotalOutputDuration, -1);
    EXPECT_EQ(job.Events().ReportInterval, 500000);
    EXPECT_EQ(job.Events().PreviewInterval, 100000);
    EXPECT_EQ(job.Files().Fstreamid_map.size(), 20u);
    EXPECT_FALSE(job.Finished());
    EXPECT_FALSE(job.FatalException());
}

TEST_F(FFmpegJobTest, ResetJobPutsBackDefaultsAndFlags)
{
    TTestJob job(1, 0, 0);
    job.SetAudioVolume(10);
    job.SetVideoFilters("scale=2:2");
    job.FilesToEnter().FJoinMode = true;
    job.ResetJob();
    if (!GlobalLoader().Loaded(ConverterLibraries))
        GTEST_SKIP() << "converter libraries not loaded";
    EXPECT_EQ(job.AudioOutput().Faudio_volume, 256);
    EXPECT_TRUE(job.VideoOutput().Fvfilters.empty());
    EXPECT_FALSE(job.Files().FJoinMode);
    // The scaler options hold the job's scaler flags.
    EXPECT_NE(job.Muxing().FOptions.sws_opts, nullptr);
}

TEST_F(FFmpegJobTest, ResetJobDropsEveryPendingChoiceButKeepsTheEvents)
{
    TTestJob job(1, 0, 0);
    job.AddMetadata("title", "x");
    job.DispatchOption("map", "0:1");
    job.SetVideoCodec("copy");
    job.SetAudioSampleRate(22050);
    job.HookState().FHookFrameNumber = 5;
    job.SetReportInterval(7);
    job.ResetJob();
    if (!GlobalLoader().Loaded(ConverterLibraries))
        GTEST_SKIP() << "converter libraries not loaded";
    EXPECT_TRUE(job.Muxing().Fmetadata.empty());
    EXPECT_EQ(job.Muxing().Fmetadata_count, 0);
    EXPECT_EQ(job.Files().Fnb_stream_maps, 0);
    EXPECT_EQ(job.VideoOutput().Fvideo_stream_copy, 0);
    EXPECT_EQ(job.AudioOutput().Faudio_sample_rate, 44100);
    EXPECT_EQ(job.HookState().FHookFrameNumber, 0);
    EXPECT_EQ(job.Events().ReportInterval, 7);
    EXPECT_TRUE(job.Events().FOnTerminate) << "the caller's handlers survive a reset";
}

TEST_F(FFmpegJobTest, StartWithoutFilesFailsAndReportsAtOnce)
{
    struct TCase {
        int Inputs, Outputs;
        const char* Message;
    };
    const TCase cases[] = {
        {0, 0, "At least one output file must be specified"},
        {1, 0, "At least one output file must be specified"},
        {0, 1, "At least one input file must be specified"},
    };
    for (const auto& c : cases) {
        for (bool thread : {false, true}) {
            TTestJob job(2, c.Inputs, c.Outputs);
            EXPECT_EQ(job.StartConvert(thread, TThreadPriority::tpNormal), nullptr);
            EXPECT_EQ(job.Terminations, 1);
            EXPECT_TRUE(job.FatalException());
            EXPECT_EQ(job.FatalMessage(), c.Message);
            EXPECT_FALSE(job.Finished());
            EXPECT_TRUE(job.Terminated());
            // A job runs once between resets.
            EXPECT_EQ(job.StartConvert(thread, TThreadPriority::tpNormal), nullptr);
            EXPECT_EQ(job.Terminations, 1);
        }
    }
}

TEST_F(FFmpegJobTest, SequentialRunEndsInsideTheCall)
{
    TTestJob job;
    std::atomic<int> steps{0};
    job.SetTranscodeStep(LoopingStep(steps, 5));
    EXPECT_EQ(job.StartConvert(false, TThreadPriority::tpNormal), nullptr);
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(job.Terminations, 1);
    EXPECT_EQ(job.TerminateThread, platform::CurrentThreadId());
    EXPECT_TRUE(job.Finished());
    EXPECT_FALSE(job.FatalException());
    // The run closes the job's files.
    EXPECT_EQ(job.nb_input_files(), GlobalLoader().Loaded(ConverterLibraries) ? 0 : 1);
}

TEST_F(FFmpegJobTest, ThreadRunReportsFromItsWorker)
{
    TTestJob job;
    std::atomic<int> steps{0};
    job.SetTranscodeStep(LoopingStep(steps, 5));
    platform::TThread* worker = job.StartConvert(true, TThreadPriority::tpNormal);
    ASSERT_NE(worker, nullptr);
    EXPECT_TRUE(job.Converting());
    worker->Start();
    platform::WaitServing(job.Ended);
    job.WaitForEnd();
    EXPECT_EQ(job.Terminations, 1);
    EXPECT_NE(job.TerminateThread, platform::CurrentThreadId());
    EXPECT_TRUE(job.Finished());
    EXPECT_FALSE(job.Converting());
}

TEST_F(FFmpegJobTest, FailureOfAnyKindBecomesTheFatalMessage)
{
    struct TCase {
        std::function<void()> Raise;
        const char* Message;
    };
    const TCase cases[] = {
        {[] { throw FFmpegException("Video encoding failed"); }, "Video encoding failed"},
        {[] { throw std::runtime_error("out of range"); }, "out of range"},
        {[] { throw 42; }, "Unknown exception"},
    };
    for (const auto& c : cases) {
        for (bool thread : {false, true}) {
            TTestJob job;
            job.SetTranscodeStep([&](TCustomFFmpeg&) { c.Raise(); });
            if (platform::TThread* worker = job.StartConvert(thread, TThreadPriority::tpNormal))
                worker->Start();
            platform::WaitServing(job.Ended);
            job.WaitForEnd();
            EXPECT_EQ(job.Terminations, 1);
            EXPECT_TRUE(job.FatalException());
            EXPECT_EQ(job.FatalMessage(), c.Message);
            EXPECT_FALSE(job.Finished());
        }
    }
}

TEST_F(FFmpegJobTest, StopRightAfterStartIsNeverMissed)
{
    for (int round = 0; round < 20; ++round) {
        TTestJob job;
        std::atomic<int> steps{0};
        job.SetTranscodeStep(LoopingStep(steps));
        platform::TThread* worker = job.StartConvert(true, TThreadPriority::tpNormal);
        ASSERT_NE(worker, nullptr);
        if (round % 2)
            worker->Start(); // else Stop starts the worker it finds suspended
        job.Stop(true);
        EXPECT_EQ(job.Terminations, 1);
        EXPECT_FALSE(job.Finished());
        EXPECT_FALSE(job.FatalException());
    }
}

TEST_F(FFmpegJobTest, StopWithoutWaitReturnsAndTheRunEnds)
{
    TTestJob job;
    std::atomic<int> steps{0};
    job.SetTranscodeStep(LoopingStep(steps));
    job.StartConvert(true, TThreadPriority::tpNormal)->Start();
    while (steps < 3)
        std::this_thread::yield();
    job.Stop(false);
    platform::WaitServing(job.Ended);
    EXPECT_EQ(job.Terminations, 1);
    EXPECT_FALSE(job.Finished());
}

TEST_F(FFmpegJobTest, StopOnTheGuiThreadServesEventsTheWorkerWaitsFor)
{
    TTestJob job;
    std::atomic<int> delivered{0};
    std::atomic<int> steps{0};
    job.SetTranscodeStep([&](TCustomFFmpeg& AJob) {
        while (AJob.WaitWhilePaused()) {
            ++steps;
            platform::Synchronize([&] { ++delivered; });
        }
    });
    job.StartConvert(true, TThreadPriority::tpNormal)->Start();
    platform::WaitUntilServing([&] { return delivered >= 2; });
    job.Stop(true);
    EXPECT_EQ(job.Terminations, 1);
}

TEST_F(FFmpegJobTest, PauseHoldsTheWorkerAtItsGateUntilResume)
{
    TTestJob job;
    std::atomic<int> steps{0};
    job.SetTranscodeStep(LoopingStep(steps, 200));
    job.StartConvert(true, TThreadPriority::tpNormal)->Start();
    while (steps < 2)
        std::this_thread::yield();
    job.Pause();
    EXPECT_TRUE(job.Paused());
    // A step already past the gate may still finish; no further one starts.
    const int atPause = steps;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_LE(steps.load(), atPause + 1);
    EXPECT_EQ(job.Terminations, 0);
    job.Resume();
    platform::WaitServing(job.Ended);
    job.WaitForEnd();
    EXPECT_EQ(steps, 200);
    EXPECT_TRUE(job.Finished());
}

TEST_F(FFmpegJobTest, StopOpensThePauseGate)
{
    TTestJob job;
    std::atomic<int> steps{0};
    job.SetTranscodeStep(LoopingStep(steps));
    job.StartConvert(true, TThreadPriority::tpNormal)->Start();
    job.Pause();
    job.Stop(true);
    EXPECT_EQ(job.Terminations, 1);
    EXPECT_FALSE(job.Paused());
    EXPECT_FALSE(job.Finished());
}

TEST_F(FFmpegJobTest, PauseDoesNotTouchAJobWithoutWorker)
{
    TTestJob job;
    job.Pause();
    EXPECT_FALSE(job.Paused());
    bool sawPause = true;
    job.SetTranscodeStep([&](TCustomFFmpeg& AJob) {
        AJob.Pause(); // a handler on the running thread must not lock itself out
        sawPause = AJob.Paused();
        AJob.SetFinished(AJob.WaitWhilePaused());
    });
    job.StartConvert(false, TThreadPriority::tpNormal);
    EXPECT_FALSE(sawPause);
    EXPECT_TRUE(job.Finished());
}

TEST_F(FFmpegJobTest, CancelOfANeverRunJobReportsFromAnotherThread)
{
    for (bool wait : {false, true}) {
        TTestJob job;
        job.Cancel(wait);
        if (!wait)
            platform::WaitServing(job.Ended);
        EXPECT_EQ(job.Terminations, 1);
        EXPECT_NE(job.TerminateThread, platform::CurrentThreadId());
        EXPECT_FALSE(job.Finished());
        EXPECT_FALSE(job.FatalException());
        // Reported once; a later start or cancel does nothing.
        job.Cancel(true);
        EXPECT_EQ(job.StartConvert(true, TThreadPriority::tpNormal), nullptr);
        job.WaitForEnd();
        EXPECT_EQ(job.Terminations, 1);
    }
}

TEST_F(FFmpegJobTest, CancelWaitingOnTheGuiThreadServesTheReport)
{
    TTestJob job;
    std::atomic<bool> served{false};
    SetOnTerminate(job, [&](platform::TObject*) { platform::Synchronize([&] { served = true; }); });
    job.Cancel(true);
    EXPECT_TRUE(served);
}

TEST_F(FFmpegJobTest, DestroyingARunningJobStopsAndWaitsForIt)
{
    std::atomic<int> steps{0};
    std::atomic<int> terminations{0};
    {
        TTestJob job(1, 1, 1);
        SetOnTerminate(job, [&](platform::TObject*) { ++terminations; });
        job.SetTranscodeStep(LoopingStep(steps));
        job.StartConvert(true, TThreadPriority::tpNormal)->Start();
        while (steps < 1)
            std::this_thread::yield();
    }
    EXPECT_EQ(terminations, 1);
    {
        // A job whose cancel report is still running is not freed under it.
        TCustomFFmpeg job(1);
        SetOnTerminate(job, [&](platform::TObject*) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            ++terminations;
        });
        job.Cancel(false);
    }
    EXPECT_EQ(terminations, 2);
}

TEST_F(FFmpegJobTest, CodecListsAddAndRemoveByStream)
{
    PCodecItem list = nullptr;
    int a, b, c;
    TCustomFFmpeg::AddCodecItem(list, &a, nullptr);
    TCustomFFmpeg::AddCodecItem(list, &b, nullptr);
    TCustomFFmpeg::AddCodecItem(list, &c, nullptr);
    ASSERT_EQ(list->st, &c);
    TCustomFFmpeg::RemoveCodecItem(list, &b);
    EXPECT_EQ(list->st, &c);
    EXPECT_EQ(list->Next->st, &a);
    EXPECT_EQ(list->Next->Prev, list);
    TCustomFFmpeg::RemoveCodecItem(list, &b); // not listed: nothing
    TCustomFFmpeg::RemoveCodecItem(list, &c);
    EXPECT_EQ(list->st, &a);
    EXPECT_EQ(list->Prev, nullptr);
    TCustomFFmpeg job(1);
    job.CloseEncoders(list);
    EXPECT_EQ(list, nullptr);
}

TEST_F(FFmpegJobTest, PostHooksChangeUnderTheUnitLock)
{
    TCustomFFmpeg job(1);
    job.SetPostHooksLocked(phPreview | phBitmap);
    EXPECT_EQ(job.PostHooks(), TPostHooks(phPreview | phBitmap));
    job.HookState().FPostContext.Previewer =
        std::shared_ptr<TPreviewer>(reinterpret_cast<TPreviewer*>(&job), [](TPreviewer*) {});
    job.SetPostHooksLocked(phBitmap);
    EXPECT_EQ(job.PostHooks(), TPostHooks(phBitmap));
    EXPECT_EQ(job.HookState().FPostContext.Previewer, nullptr);
}

TEST(ReadOptionLines, CutsLinesAndPairs)
{
    struct TCase {
        const char* Text;
        std::vector<TOptionLine> Lines;
    };
    const TCase cases[] = {
        {"", {}},
        {"  \r\n ", {}},
        {"a=1", {{"a", "1"}}},
        {"a=1\r\nb=2\rc=3\nd", {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", ""}}},
        {"a=1<CRLF>b=x=y", {{"a", "1"}, {"b", "x=y"}}},
        {" vcodec = mpeg4 \n", {{"vcodec ", " mpeg4"}}},
        {"=v", {{"", "v"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadOptionLines(c.Text), c.Lines) << c.Text;
}
