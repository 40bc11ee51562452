#pragma once
// Helpers shared by the converter's files (FFmpeg_*.cpp); not for callers
// of the job.

#include <string>

#include "engine/converter/FFmpeg.h"
#include "engine/loader/FFHeaders.h"

namespace engine {

// Log levels of the engine's logger, as the converter uses them.
enum TJobLogLevel { jlQuiet = -8, jlError = 16, jlWarning = 24, jlInfo = 32, jlVerbose = 40, jlDebug = 48 };

// Logs a line through the engine's logger with the job as sender.
void JobLog(TCustomFFmpeg* AJob, TJobLogLevel ALevel, const std::string& AText);

// Texts handed to the libraries go in the system's code page.
std::string ToAnsi(const std::string& AText);

// "<prefix>: <error text>" of an FFmpeg error code.
std::string ErrorText(const std::string& APrefix, int ACode);

} // namespace engine
