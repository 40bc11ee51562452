#include "engine/logger/FFmpegLogger.h"

#include "engine/base/MainThreadCalls.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MainThread.h"
#include "platform/core/SysUtils.h"

#include <cstdio>
#include <cstring>

namespace engine {
namespace {

constexpr size_t LogBufferSize = 2048;
constexpr const char* OneLoggerText = "Allow creating only one instance of TFFLogger.";

thread_local int GMuted = 0;

// FFmpeg's level at which the callback drops messages; 32 (info) at start.
std::atomic<int> GCallbackLevel{32};
// Where the loader keeps avutil's level setter; nullptr until the callback
// is installed.
std::atomic<decltype(&::av_log_set_level) const*> GSetLevel{nullptr};

struct TLoggerRef {
    std::mutex Lock;
    TFFLogger* Logger = nullptr;
    uint64_t Serial = 0;       // tells a logger from a later one at the same address
    bool OwnedByUnit = false;  // made by GetFFLogger, freed at exit
    bool Finished = false;     // the program is ending: lines are dropped
    ~TLoggerRef()
    {
        TFFLogger* own = nullptr;
        {
            std::lock_guard<std::mutex> guard(Lock);
            Finished = true;
            if (OwnedByUnit)
                own = Logger;
        }
        delete own;
    }
};

TLoggerRef& LoggerRef()
{
    static TLoggerRef ref;
    return ref;
}

uint32_t ThreadID()
{
    return uint32_t(platform::CurrentThreadId());
}

// The logger that is current now, if it is still the one numbered ASerial.
TFFLogger* LiveLogger(uint64_t ASerial)
{
    TLoggerRef& r = LoggerRef();
    std::lock_guard<std::mutex> guard(r.Lock);
    return r.Logger && r.Serial == ASerial ? r.Logger : nullptr;
}

// Formats one piece into a buffer that is never written past; a piece that
// does not fit is cut, keeping its line feed so the line stays whole.
std::string FormatPiece(void* AContext, bool AAtLineStart, const char* AFormat, va_list AArgs)
{
    char buf[LogBufferSize];
    size_t len = 0;
    if (AContext && AAtLineStart) {
        const AVClass* cls = *static_cast<AVClass**>(AContext);
        if (cls) {
            const char* name = cls->item_name ? cls->item_name(AContext) : cls->class_name;
            const int n = std::snprintf(buf, sizeof buf, "[%s @ %p]", name ? name : "", AContext);
            len = n < 0 ? 0 : std::min(size_t(n), sizeof buf - 1);
        }
    }
    const int n = std::vsnprintf(buf + len, sizeof buf - len, AFormat, AArgs);
    if (n < 0)
        return std::string(buf, len);
    const bool cut = size_t(n) >= sizeof buf - len;
    len = cut ? sizeof buf - 1 : len + size_t(n);
    const size_t formatLen = std::strlen(AFormat);
    if (cut && formatLen > 0 && AFormat[formatLen - 1] == '\n')
        buf[len - 1] = '\n';
    return std::string(buf, len);
}

void DeliverPiece(void* AContext, int ALevel, const char* AFormat, va_list AArgs);

} // namespace

TAVLogMute::TAVLogMute()
{
    ++GMuted;
}

TAVLogMute::~TAVLogMute()
{
    --GMuted;
}

int LogLevelToAV(TLogLevel ALevel)
{
    return (int(ALevel) - 1) * 8;
}

TLogLevel AVToLogLevel(int AAVLevel)
{
    const int ordinal = AAVLevel / 8 + 1;
    return TLogLevel(std::clamp(ordinal, int(llQuiet), int(llDebug)));
}

void TLogList::Append(uint32_t AThreadID, const std::string& AText, std::vector<std::string>& ALines)
{
    std::lock_guard<std::mutex> guard(FLock);
    auto it = FItems.try_emplace(AThreadID).first;
    std::string& pending = it->second;
    pending += AText;
    size_t p;
    while ((p = pending.find('\n')) != std::string::npos) {
        ALines.push_back(pending.substr(0, p));
        pending.erase(0, p + 1);
    }
    // Threads come and go with every conversion: only unfinished lines
    // keep an entry.
    if (pending.empty())
        FItems.erase(it);
}

bool TLogList::AtLineStart(uint32_t AThreadID)
{
    std::lock_guard<std::mutex> guard(FLock);
    auto it = FItems.find(AThreadID);
    return it == FItems.end() || it->second.empty();
}

void TLogList::Clear()
{
    std::lock_guard<std::mutex> guard(FLock);
    FItems.clear();
}

TLogList& GlobalLogList()
{
    // Never freed: FFmpeg may still log while the program's statics go.
    static TLogList* list = new TLogList;
    return *list;
}

TFFLogger* GetFFLogger()
{
    // Two threads asking at once must not both make one.
    static std::mutex createLock;
    std::lock_guard<std::mutex> creating(createLock);
    TLoggerRef& r = LoggerRef();
    {
        std::lock_guard<std::mutex> guard(r.Lock);
        if (r.Logger || r.Finished)
            return r.Logger;
    }
    auto* logger = new TFFLogger(nullptr);
    std::lock_guard<std::mutex> guard(r.Lock);
    r.OwnedByUnit = true;
    return logger;
}

TFFLogger::TFFLogger(platform::TComponent* AOwner) : TFFBaseComponent(AOwner)
{
    TLoggerRef& r = LoggerRef();
    std::lock_guard<std::mutex> guard(r.Lock);
    ZASSERT_MSG(r.Logger == nullptr, OneLoggerText);
    FLogLevel = AVToLogLevel(GCallbackLevel);
    r.Logger = this;
    r.OwnedByUnit = false;
    FSerial = ++r.Serial;
}

TFFLogger::~TFFLogger()
{
    TLoggerRef& r = LoggerRef();
    std::lock_guard<std::mutex> guard(r.Lock);
    if (r.Logger == this) {
        r.Logger = nullptr;
        r.OwnedByUnit = false;
    }
}

void TFFLogger::SetLogLevel(TLogLevel AValue)
{
    if (AValue == FLogLevel)
        return;
    FLogLevel = AValue;
    ApplyAVLogLevel();
}

void TFFLogger::ApplyAVLogLevel()
{
    const auto* setLevel = GSetLevel.load();
    if (!setLevel || !*setLevel)
        return;
    GCallbackLevel = LogLevelToAV(FLogLevel);
    (*setLevel)(GCallbackLevel);
}

void TFFLogger::InstallAVLogCallback(const TAVLogBinding& ABinding)
{
    ZASSERT(ABinding.SetCallback && ABinding.SetLevel && *ABinding.SetLevel);
    GSetLevel = ABinding.SetLevel;
    ABinding.SetCallback(AVLogCallback);
    ApplyAVLogLevel();
}

void TFFLogger::OptLogLevel(const std::string& AArg)
{
    static const struct {
        const char* Name;
        int Level;
    } names[] = {{"quiet", -8}, {"panic", 0},    {"fatal", 8},    {"error", 16},
                 {"warning", 24}, {"info", 32}, {"verbose", 40}, {"debug", 48}};
    for (const auto& n : names)
        if (platform::SameText(AArg, n.Name)) {
            SetLogLevel(AVToLogLevel(n.Level));
            return;
        }
    SetLogLevel(AVToLogLevel(platform::StrToInt(AArg)));
}

bool TFFLogger::Passes(TLogLevel ALogLevel) const
{
    const TLogLevel level = FLogLevel;
    return ALogLevel <= level || (ALogLevel == llVerbose && level != llQuiet);
}

void TFFLogger::Log(platform::TObject* Sender, TLogLevel ALogLevel, const std::string& ALogMsg)
{
    if (!Passes(ALogLevel) || !HasOnLog())
        return;
    Deliver(TLogInfo{Sender, ThreadID(), ALogLevel, ALogMsg});
}

void TFFLogger::LogLine(uint32_t AThreadID, int AAVLevel, const std::string& ALine)
{
    if (!HasOnLog())
        return;
    Deliver(TLogInfo{this, AThreadID, AVToLogLevel(AAVLevel), ALine});
}

void TFFLogger::Deliver(const TLogInfo& AInfo)
{
    if (!FTriggerEventInMainThread) {
        DoLogEvent(AInfo);
        return;
    }
    // Each delivery carries its own copy of the line; the logger may have
    // gone by the time the GUI thread runs it.
    const uint64_t serial = FSerial;
    CallInMainThread([serial, AInfo] {
        if (TFFLogger* logger = LiveLogger(serial))
            logger->DoLogEvent(AInfo);
    });
}

void TFFLogger::DoLogEvent(const TLogInfo& AInfo)
{
    if (const std::shared_ptr<const TLogEvent> handler = Handler())
        (*handler)(AInfo.Sender, AInfo.ThreadID, AInfo.LogLevel, AInfo.LogMsg);
}

void TFFLogger::SetOnLog(TLogEvent AValue)
{
    auto handler = AValue ? std::make_shared<const TLogEvent>(std::move(AValue)) : nullptr;
    std::lock_guard<std::mutex> lock(FHandlerLock);
    FOnLog.swap(handler);
    // The old handler goes when the lock is released and no call holds it.
}

std::shared_ptr<const TLogEvent> TFFLogger::Handler() const
{
    std::lock_guard<std::mutex> lock(FHandlerLock);
    return FOnLog;
}

void AVLogCallback(void* AContext, int ALevel, const char* AFormat, va_list AArgs)
{
    if (ALevel > GCallbackLevel || !AFormat || GMuted > 0)
        return;
    // Nothing may unwind through FFmpeg's C frames.
    try {
        DeliverPiece(AContext, ALevel, AFormat, AArgs);
    } catch (...) {
    }
}

namespace {
void DeliverPiece(void* AContext, int ALevel, const char* AFormat, va_list AArgs)
{
    const uint32_t tid = ThreadID();
    TLogList& list = GlobalLogList();
    // Only this thread touches its own pending text, so the line-start test
    // and the append need not be one step.
    const std::string piece = FormatPiece(AContext, list.AtLineStart(tid), AFormat, AArgs);
    std::vector<std::string> lines;
    list.Append(tid, piece, lines);
    if (lines.empty())
        return;
    TFFLogger* logger = GetFFLogger();
    if (!logger)
        return;
    for (const std::string& line : lines)
        logger->LogLine(tid, ALevel, line);
}

} // namespace

} // namespace engine
