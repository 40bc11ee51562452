#pragma once
// Debian's ffprobe as an independent reader of written files: its answer for
// a list of entries, one line per section.

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// One section of ffprobe's answer: its name ("stream", "format") and its
// fields in ffprobe's order, "N/A" where the section has no such value.
struct TProbeLine {
    std::string Section;
    std::vector<std::pair<std::string, std::string>> Fields; // key ("tag:title" for tags), value

    // The value of a key; empty when the section has none.
    std::string Value(const std::string& AKey) const;
    // The values separated by commas, without the "N/A" ones and trailing
    // empty ones.
    std::string Values() const;
};

// ffprobe's sections for AEntries (e.g. "stream=codec_name:format=duration"),
// in ffprobe's order. AErrors, when given, receives what ffprobe complained
// of, a line each; the answer is false when it failed or complained.
bool ProbeLines(const std::string& AFile, const std::string& AEntries, std::vector<TProbeLine>& ALines,
                std::string* AErrors = nullptr);
std::vector<TProbeLine> ProbeLines(const std::string& AFile, const std::string& AEntries);

// Decodes a file to the end (its video and audio as ffmpeg picks them)
// with Debian's ffmpeg, as a player reads it: what ffmpeg complained of, a
// line each (damaged data, timestamps out of order, a missing track);
// empty when the file reads clean. A file ffmpeg cannot read at all gives
// its complaint too.
std::string DecodeErrors(const std::string& AFile);

} // namespace testsupport
