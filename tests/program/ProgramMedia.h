#pragma once
// What ffprobe, the independent check, says of an output file.

#include <string>
#include <vector>

namespace programtest {

// "audio:mp3", "video:h264", ... one per stream; empty when ffprobe could not read the file.
std::vector<std::string> Streams(const std::string& AFile);
// The container's duration in seconds, negative when unknown.
double Duration(const std::string& AFile);

} // namespace programtest
