#include "support/ProbeLines.h"

#include "support/TestSupport.h"

#include <algorithm>
#include <cstddef>

namespace testsupport {

namespace {

// A line of the compact writer: a section name of lower-case letters and
// underscores, then '|' and the fields. Anything else is a complaint.
bool IsSectionLine(const std::string& ALine)
{
    const size_t bar = ALine.find('|');
    return bar != std::string::npos && bar > 0 &&
           std::all_of(ALine.begin(), ALine.begin() + std::ptrdiff_t(bar), [](char C) { return (C >= 'a' && C <= 'z') || C == '_'; });
}

// The fields of a section line, split at '|', with '|', '\\' and line
// breaks unescaped.
std::vector<std::string> SplitFields(const std::string& ALine)
{
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < ALine.size(); ++i) {
        if (ALine[i] == '|') {
            fields.emplace_back();
        } else if (ALine[i] == '\\' && i + 1 < ALine.size()) {
            const char escaped = ALine[++i];
            fields.back() += escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped == 't' ? '\t' : escaped;
        } else if (ALine[i] != '\r') {
            fields.back() += ALine[i];
        }
    }
    return fields;
}

} // namespace

std::string TProbeLine::Value(const std::string& AKey) const
{
    for (const auto& [key, text] : Fields)
        if (key == AKey)
            return text;
    return std::string();
}

std::string TProbeLine::Values() const
{
    std::string text;
    for (const auto& field : Fields)
        if (field.second != "N/A")
            text += (text.empty() ? "" : ",") + field.second;
    while (!text.empty() && text.back() == ',')
        text.pop_back();
    return text;
}

bool ProbeLines(const std::string& AFile, const std::string& AEntries, std::vector<TProbeLine>& ALines,
                std::string* AErrors)
{
    std::string out;
    const int status = RunCommand("ffprobe -v error -show_entries " + AEntries + " -of 'compact=p=1:nk=0' " +
                                      ShellQuote(AFile) + " 2>&1",
                                  &out);
    ALines.clear();
    std::string errors;
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos)
            end = out.size();
        const std::string line = out.substr(start, end - start);
        start = end + 1;
        if (!IsSectionLine(line)) {
            if (!line.empty())
                errors += line + "\n";
            continue;
        }
        const std::vector<std::string> fields = SplitFields(line);
        TProbeLine probed;
        probed.Section = fields.front();
        // A field without a key marks a nested section (such as side data).
        for (size_t i = 1; i < fields.size(); ++i) {
            const size_t equals = fields[i].find('=');
            if (equals != std::string::npos)
                probed.Fields.emplace_back(fields[i].substr(0, equals), fields[i].substr(equals + 1));
        }
        ALines.push_back(std::move(probed));
    }
    if (AErrors)
        *AErrors = errors;
    return status == 0 && errors.empty();
}

std::vector<TProbeLine> ProbeLines(const std::string& AFile, const std::string& AEntries)
{
    std::vector<TProbeLine> lines;
    ProbeLines(AFile, AEntries, lines);
    return lines;
}

std::string DecodeErrors(const std::string& AFile)
{
    std::string out;
    const int status =
        RunCommand("ffmpeg -nostdin -v error -i " + ShellQuote(AFile) + " -f null - 2>&1", &out);
    if (status != 0 && out.empty())
        out = "ffmpeg failed with status " + std::to_string(status) + "\n";
    return out;
}

} // namespace testsupport
