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
#include <utility>
#include <vector>

namespace convertertest {

// One section of ffprobe's answer: its name ("stream", "format") and its
// fields in ffprobe's order, "N/A" where the section has no such value.
struct TProbeLine {
    std::string Section;
    std::vector<std::pair<std::string, std::string>> Fields; // key ("tag:title" for tags), value

    // The value of a key; empty when the section has none.
    std::string Value(const std::string& AKey) const
    {
        for (const auto& [Key, Text] : Fields)
            if (Key == AKey)
                return Text;
        return std::string();
    }
    // The values separated by commas, without the "N/A" ones and trailing
    // empty ones.
    std::string Values() const
    {
        std::string Text;
        for (const auto& Field : Fields)
            if (Field.second != "N/A")
                Text += (Text.empty() ? "" : ",") + Field.second;
        while (!Text.empty() && Text.back() == ',')
            Text.pop_back();
        return Text;
    }
};

// ffprobe's sections for AEntries (e.g. "stream=codec_name:format=duration"),
// one line per section in ffprobe's order.
inline std::vector<TProbeLine> ProbeLines(const std::string& AFile, const std::string& AEntries)
{
    // One line per section: its name, then key=value fields separated by
    // '|', with '|', '\\' and line breaks escaped by a backslash. A field
    // without a key marks a nested section (such as side data) and is passed.
    std::string Out;
    testsupport::RunCommand("ffprobe -v error -show_entries " + AEntries + " -of 'compact=p=1:nk=0' " +
                                testsupport::ShellQuote(AFile),
                            &Out);
    std::vector<TProbeLine> Lines;
    size_t Start = 0;
    while (Start < Out.size()) {
        size_t End = Out.find('\n', Start);
        if (End == std::string::npos)
            End = Out.size();
        const std::string Line = Out.substr(Start, End - Start);
        Start = End + 1;
        std::vector<std::string> Fields(1);
        for (size_t I = 0; I < Line.size(); ++I) {
            if (Line[I] == '|') {
                Fields.emplace_back();
            } else if (Line[I] == '\\' && I + 1 < Line.size()) {
                const char Escaped = Line[++I];
                Fields.back() += Escaped == 'n' ? '\n' : Escaped == 'r' ? '\r' : Escaped == 't' ? '\t' : Escaped;
            } else if (Line[I] != '\r') {
                Fields.back() += Line[I];
            }
        }
        if (Fields.front().empty())
            continue;
        TProbeLine Probed;
        Probed.Section = Fields.front();
        for (size_t I = 1; I < Fields.size(); ++I) {
            const size_t Equals = Fields[I].find('=');
            if (Equals != std::string::npos)
                Probed.Fields.emplace_back(Fields[I].substr(0, Equals), Fields[I].substr(Equals + 1));
        }
        Lines.push_back(std::move(Probed));
    }
    return Lines;
}

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
