#include "program/ProgramMedia.h"

#include "support/ProbeLines.h"

#include <cstdlib>

namespace programtest {

using testsupport::ProbeLines;
using testsupport::TProbeLine;

std::vector<std::string> Streams(const std::string& AFile)
{
    std::vector<TProbeLine> lines;
    std::vector<std::string> streams;
    if (!ProbeLines(AFile, "stream=codec_type,codec_name", lines))
        return streams;
    for (const TProbeLine& line : lines)
        if (line.Section == "stream")
            streams.push_back(line.Value("codec_type") + ":" + line.Value("codec_name"));
    return streams;
}

double Duration(const std::string& AFile)
{
    std::vector<TProbeLine> lines;
    if (!ProbeLines(AFile, "format=duration", lines))
        return -1;
    for (const TProbeLine& line : lines) {
        const std::string duration = line.Value("duration");
        if (line.Section == "format" && !duration.empty() && duration != "N/A")
            return std::atof(duration.c_str());
    }
    return -1;
}

} // namespace programtest
