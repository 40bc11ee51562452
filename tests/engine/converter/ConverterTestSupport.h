#pragma once
// Helpers of the converter's tests: independent checks of written files
// with Debian's ffprobe, and one job run from start to end.

#include "engine/converter/FFmpeg.h"
#include "support/TestSupport.h"

#include <string>

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

} // namespace convertertest
