#pragma once
// Helpers shared by the converter's files (ConversionJob_*.cpp); not for callers
// of the job.

#include <string>

#include "engine/converter/ConversionJob.h"
#include "engine/base/FFHeaders.h"
#include "engine/logger/FFmpegLogger.h"

namespace engine {

// Logs a line through the engine's logger with the job as sender.
void JobLog(TCustomFFmpeg* AJob, TLogLevel ALevel, const std::string& AText);

// Texts handed to the libraries go in the system's code page.
std::string ToAnsi(const std::string& AText);

} // namespace engine
