#pragma once
// Helpers of the converter's tests: independent checks of written files
// with Debian's ffprobe, and one job run from start to end.

#include "engine/component/FFConverter.h"
#include "engine/converter/ConversionJob.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/FFmpegLoader.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/MainThread.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace convertertest {

// ffprobe's values of AEntries (e.g. "stream=codec_name"), one line per
// section, values separated by commas; trailing commas and line breaks cut.
inline std::string Probe(const std::string& AFile, const std::string& AEntries)
{
    std::string Out;
    testsupport::RunCommand("ffprobe -v error -show_entries " + AEntries + " -of csv=p=0 " +
                                testsupport::ShellQuote(AFile),
                            &Out);
    // Fields a section does not have ("N/A") and quotes around names with
    // commas go, so that the text compares plainly.
    std::string Text;
    size_t Start = 0;
    while (Start < Out.size()) {
        size_t End = Out.find('\n', Start);
        if (End == std::string::npos)
            End = Out.size();
        std::string Line = Out.substr(Start, End - Start);
        Start = End + 1;
        for (size_t P; (P = Line.find(",N/A")) != std::string::npos;)
            Line.erase(P, 4);
        while (!Line.empty() && (Line.back() == ',' || Line.back() == '\r'))
            Line.pop_back();
        if (Line.size() >= 2 && Line.front() == '"' && Line.back() == '"')
            Line = Line.substr(1, Line.size() - 2);
        if (!Line.empty())
            Text += (Text.empty() ? "" : "\n") + Line;
    }
    return Text;
}

inline double ProbeDuration(const std::string& AFile)
{
    return std::atof(Probe(AFile, "format=duration").c_str());
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
