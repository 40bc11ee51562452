#pragma once
// Helpers of the converter's tests: independent checks of written files
// with Debian's ffprobe, and one job run from start to end.

#include "engine/component/FFConverter.h"
#include "engine/converter/ConversionJob.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/FFmpegLoader.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/MainThread.h"
#include "support/ProbeLines.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace convertertest {

using testsupport::ProbeLines;
using testsupport::TProbeLine;

// The values of AEntries, one line per section that has any.
inline std::string Probe(const std::string& AFile, const std::string& AEntries)
{
    std::string Text;
    for (const TProbeLine& Line : ProbeLines(AFile, AEntries)) {
        const std::string Values = Line.Values();
        if (!Values.empty())
            Text += (Text.empty() ? "" : "\n") + Values;
    }
    return Text;
}

inline double ProbeDuration(const std::string& AFile)
{
    return std::atof(Probe(AFile, "format=duration").c_str());
}

// What one run of ffprobe tells of a written file: the values of
// AStreamEntries per stream (as Probe gives them), the container's format
// name and its duration (-1 when it tells none).
struct TProbedFile {
    std::string Streams;
    std::string Format;
    double Duration = -1;
};

inline TProbedFile ProbeFile(const std::string& AFile, const std::string& AStreamEntries)
{
    TProbedFile Probed;
    for (const TProbeLine& Line : ProbeLines(AFile, "stream=" + AStreamEntries + ":format=format_name,duration")) {
        const std::string Values = Line.Values();
        if (Line.Section == "stream" && !Values.empty())
            Probed.Streams += (Probed.Streams.empty() ? "" : "\n") + Values;
        if (Line.Section == "format") {
            Probed.Format = Line.Value("format_name");
            const std::string Duration = Line.Value("duration");
            if (!Duration.empty() && Duration != "N/A")
                Probed.Duration = std::atof(Duration.c_str());
        }
    }
    return Probed;
}

// Runs the job inside the call; its fatal message, empty when it ended well.
inline std::string RunJob(engine::TCustomFFmpeg& AJob)
{
    AJob.StartConvert(false, platform::TThreadPriority::tpNormal);
    return AJob.FatalException() ? AJob.FatalMessage() : std::string();
}

// A reset job with the libraries loaded, and the log lines written while
// it is configured.
class TJobOptionsTest : public ::testing::Test {
protected:
    explicit TJobOptionsTest(engine::TLogLevel ALogLevel = engine::llInfo) : FLogLevel(ALogLevel) {}
    void SetUp() override
    {
        ASSERT_TRUE(engine::GlobalLoader().Load(engine::ConverterLibraries)) << engine::GlobalLoader().LastErrMsg();
        Job.ResetJob();
        engine::GetFFLogger()->SetLogLevel(FLogLevel);
        engine::GetFFLogger()->SetOnLog([this](platform::TObject*, uint32_t, engine::TLogLevel, const std::string& AMsg) {
            Lines.push_back(AMsg);
        });
    }
    void TearDown() override
    {
        engine::GetFFLogger()->SetOnLog(nullptr);
        engine::GetFFLogger()->SetLogLevel(engine::llInfo);
    }
    // Runs the option and answers the message it raised, empty when none.
    std::string Dispatch(const std::string& AName, const std::string& AValue)
    {
        std::string Error;
        try {
            Job.DispatchOption(AName, AValue);
        } catch (const std::exception& E) {
            Error = E.what();
        }
        platform::CheckSynchronize();
        return Error;
    }
    bool Logged(const std::string& AText) const
    {
        return std::find(Lines.begin(), Lines.end(), AText) != Lines.end();
    }
    static std::string Recorded(const AVDictionary* ADict, const char* AKey)
    {
        const AVDictionaryEntry* E = ff::av_dict_get(ADict, AKey, nullptr, 0);
        return E ? E->value : "(none)";
    }

    engine::TCustomFFmpeg Job{1};
    std::vector<std::string> Lines;

private:
    engine::TLogLevel FLogLevel;
};

// A conversion component with its libraries loaded, which records every
// task end of a run.
class TComponentRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(engine::GlobalLoader().Load(engine::ConverterLibraries)) << engine::GlobalLoader().LastErrMsg();
        Converter.SetProgressInterval(100);
        // Task ends are reported from threads of their own.
        Converter.OnTerminate = [this](platform::TObject*, const engine::TTerminateInfo& AInfo) {
            std::lock_guard<std::mutex> Guard(EndsLock);
            if (AInfo.TaskIndex < 0)
                Final = true;
            else
                Ends[AInfo.TaskIndex] = AInfo;
        };
    }
    // Adds a task converting AInput into AOutput (full paths); ALines go to
    // the output.
    int AddTaskFiles(const std::string& AInput, const std::string& AOutput, const std::string& ALines = "",
                     engine::TOutputOptions* AOptions = nullptr)
    {
        engine::TInputOptions In;
        const int Index = Converter.AddTask(AInput, &In);
        EXPECT_GE(Index, 0) << Converter.LastErrMsg();
        engine::TOutputOptions Out;
        engine::InitOutputOptions(Out);
        if (AOptions)
            Out = *AOptions;
        Out.ExtOptions = ALines;
        EXPECT_TRUE(Converter.SetOutputFile(Index, AOutput, &Out)) << Converter.LastErrMsg();
        return Index;
    }
    void Run(int AThreads)
    {
        Final = false;
        Ends.clear();
        Converter.Start(AThreads);
        // The run counts as ended just after its final record is handed
        // over; only then may the tasks be cleared.
        platform::WaitUntilServing([this] { return Final.load() && Converter.Terminated(); });
    }

    engine::TFFConverter Converter{nullptr};
    std::atomic<bool> Final{false};
    std::mutex EndsLock;
    std::map<int, engine::TTerminateInfo> Ends; // read once the final record is in
};

} // namespace convertertest
