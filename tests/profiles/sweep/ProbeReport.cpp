#include "ProbeReport.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "platform/core/SysUtils.h"
#include "support/ProbeLines.h"

namespace profilesweep {

namespace {

const char* const Entries = "format=format_name,duration:stream=codec_type,codec_name,codec_tag_string,width,height,"
                            "r_frame_rate,display_aspect_ratio,sample_rate,channels";

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
    std::vector<testsupport::TProbeLine> lines;
    report.Ok = testsupport::ProbeLines(AFileName, Entries, lines, &report.Error);
    for (const testsupport::TProbeLine& line : lines) {
        if (line.Section == "format") {
            report.Format = line.Value("format_name");
            if (!platform::TryStrToFloat(line.Value("duration"), report.Duration))
                report.Duration = -1;
        } else if (line.Section == "stream") {
            report.Streams.emplace_back(line.Fields.begin(), line.Fields.end());
        }
    }
    report.DecodeErrors = testsupport::DecodeErrors(AFileName);
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
