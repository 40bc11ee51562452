#include "program/ProgramMedia.h"

#include "support/TestSupport.h"

#include <cstdlib>
#include <sstream>

namespace programtest {

using testsupport::RunCommand;
using testsupport::ShellQuote;

std::vector<std::string> Streams(const std::string& AFile)
{
    std::string out;
    std::vector<std::string> streams;
    if (RunCommand("ffprobe -v error -show_entries stream=codec_type,codec_name -of csv=p=0 " + ShellQuote(AFile), &out) != 0)
        return streams;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        // "codec_name,codec_type"
        const size_t comma = line.find(',');
        if (comma != std::string::npos)
            streams.push_back(line.substr(comma + 1) + ":" + line.substr(0, comma));
    }
    return streams;
}

double Duration(const std::string& AFile)
{
    std::string out;
    if (RunCommand("ffprobe -v error -show_entries format=duration -of csv=p=0 " + ShellQuote(AFile), &out) != 0 ||
        out.empty())
        return -1;
    return std::atof(out.c_str());
}

} // namespace programtest
