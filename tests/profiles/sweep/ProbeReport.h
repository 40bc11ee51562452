#pragma once
// What Debian's ffprobe finds in a file: the container's format name and
// duration and, per stream, the values the profile sweep checks.

#include <map>
#include <string>
#include <vector>

namespace profilesweep {

using TProbeStream = std::map<std::string, std::string>; // ffprobe's key = value, unquoted

struct TProbeReport {
    bool Ok = false;
    std::string Error; // what ffprobe said when it failed
    std::string Format;
    double Duration = -1; // seconds; -1 when not reported (SWF files tell none)
    std::vector<TProbeStream> Streams;
    // What Debian's ffmpeg complained of while decoding the whole file;
    // empty when it reads clean.
    std::string DecodeErrors;

    // The first stream of a codec_type ("video", "audio"), or nullptr.
    const TProbeStream* FirstStream(const std::string& AType) const;
};

// Value of a stream key; empty when absent.
std::string StreamValue(const TProbeStream& AStream, const std::string& AKey);

// ffprobe's answer, then a full decode of the file.
TProbeReport ProbeFile(const std::string& AFileName);

// Probes the files on AThreads threads at once, answering in file order; an
// empty file name gives a failed report.
std::vector<TProbeReport> ProbeFiles(const std::vector<std::string>& AFileNames, int AThreads);

} // namespace profilesweep
