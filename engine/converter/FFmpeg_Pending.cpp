// The converter's members whose definitions are not in yet. Each raises,
// so a task that reaches one fails with a clear message. Whoever defines a
// member in its own FFmpeg_*.cpp deletes its line here (and this file when
// it is empty).
#include "engine/converter/FFmpeg.h"

namespace engine {

namespace {
[[noreturn]] void NotAvailable(const char* AName)
{
    throw FFmpegException(std::string(AName) + " is not available in this build");
}
} // namespace

void TCustomFFmpeg::Transcode() { NotAvailable("Transcode"); }
void TCustomFFmpeg::ApplyExtOptions(const std::string&, bool) { NotAvailable("ApplyExtOptions"); }
void TCustomFFmpeg::SetFormat(const std::string&) { NotAvailable("SetFormat"); }
void TCustomFFmpeg::SetStartTime(int64_t) { NotAvailable("SetStartTime"); }
void TCustomFFmpeg::SetProgramId(int) { NotAvailable("SetProgramId"); }
bool TCustomFFmpeg::OpenInputFile(const std::string&) { NotAvailable("OpenInputFile"); }
bool TCustomFFmpeg::ApplyOutputRecord(const std::string&, TOutputOptions*, const TCustomHookEvent&)
{
    NotAvailable("ApplyOutputRecord");
}

} // namespace engine
