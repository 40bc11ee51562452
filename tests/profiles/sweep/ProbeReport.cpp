#include "ProbeReport.h"

#include <algorithm>
#include <atomic>
#include <sstream>
#include <thread>

#include "platform/core/SysUtils.h"
#include "support/TestSupport.h"

namespace profilesweep {

namespace {

const char* const Entries = "format=format_name,duration:stream=codec_type,codec_name,codec_tag_string,width,height,"
                            "r_frame_rate,display_aspect_ratio,sample_rate,channels";

std::string Unquoted(const std::string& AValue)
{
    if (AValue.size() >= 2 && AValue.front() == '"' && AValue.back() == '"')
        return AValue.substr(1, AValue.size() - 2);
    return AValue;
}

// One line of ffprobe's flat output: "format.format_name=..." or
// "streams.stream.N.key=..."; answers false for any other line.
bool TakeLine(const std::string& ALine, TProbeReport& AReport)
{
    const size_t equals = ALine.find('=');
    if (equals == std::string::npos)
        return false;
    const std::string key = ALine.substr(0, equals);
    const std::string value = Unquoted(ALine.substr(equals + 1));
    if (key == "format.format_name") {
        AReport.Format = value;
        return true;
    }
    if (key == "format.duration") {
        if (!platform::TryStrToFloat(value, AReport.Duration))
            AReport.Duration = -1;
        return true;
    }
    const std::string prefix = "streams.stream.";
    if (key.rfind(prefix, 0) != 0)
        return false;
    const size_t dot = key.find('.', prefix.size());
    const int index = platform::StrToIntDef(key.substr(prefix.size(), dot - prefix.size()), -1);
    if (dot == std::string::npos || index < 0)
        return false;
    if (size_t(index) >= AReport.Streams.size())
        AReport.Streams.resize(size_t(index) + 1);
    AReport.Streams[size_t(index)][key.substr(dot + 1)] = value;
    return true;
}

} // namespace

const TProbeStream* TProbeReport::FirstStream(const std::string& AType) const
{
    const auto found = std::find_if(Streams.begin(), Streams.end(),
                                    [&](const TProbeStream& S) { return StreamValue(S, "codec_type") == AType; });
    return found == Streams.end() ? nullptr : &*found;
}

std::string StreamValue(const TProbeStream& AStream, const std::string& AKey)
{
    const auto found = AStream.find(AKey);
    return found == AStream.end() ? std::string() : found->second;
}

TProbeReport ProbeFile(const std::string& AFileName)
{
    TProbeReport report;
    std::string output;
    const int status = testsupport::RunCommand("ffprobe -v error -show_entries " + std::string(Entries) +
                                                   " -of flat " + testsupport::ShellQuote(AFileName) + " 2>&1",
                                               &output);
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (!TakeLine(line, report))
            report.Error += line + "\n";
    report.Ok = status == 0 && report.Error.empty();
    return report;
}

std::vector<TProbeReport> ProbeFiles(const std::vector<std::string>& AFileNames, int AThreads)
{
    std::vector<TProbeReport> reports(AFileNames.size());
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t file; (file = next++) < AFileNames.size();) {
            if (AFileNames[file].empty())
                reports[file].Error = "no output file";
            else
                reports[file] = ProbeFile(AFileNames[file]);
        }
    };
    std::vector<std::thread> workers;
    for (int thread = 0; thread < std::max(AThreads, 1); ++thread)
        workers.emplace_back(work);
    for (std::thread& worker : workers)
        worker.join();
    return reports;
}

} // namespace profilesweep
