#pragma once
// The engine's one logger. FFmpeg's messages arrive through a log callback
// in pieces, from many threads; they are collected per thread and handed on
// as whole lines. The engine's own messages arrive through Log. Every line
// reaches the OnLog handler with its sender, thread id and level, on the GUI thread
// unless TriggerEventInMainThread is off.

#include "engine/base/FFBaseComponent.h"
#include "engine/base/FFHeaders.h"
#include "platform/core/Format.h"

#include <atomic>
#include <cstdarg>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace engine {

enum TLogLevel { llQuiet, llPanic, llFatal, llError, llWarning, llInfo, llVerbose, llDebug };

// (ordinal - 1) * 8: -8 quiet ... 48 debug.
int LogLevelToAV(TLogLevel ALevel);
// (level div 8) + 1, clamped to quiet .. debug.
TLogLevel AVToLogLevel(int AAVLevel);

using TLogEvent = std::function<void(platform::TObject* Sender, uint32_t AThreadID, TLogLevel ALogLevel,
                                     const std::string& ALogMsg)>;

struct TLogInfo {
    platform::TObject* Sender = nullptr;
    uint32_t ThreadID = 0;
    TLogLevel LogLevel = llInfo;
    std::string LogMsg;
};

// Text each thread has sent since its last complete line.
class TLogList {
public:
    // Appends AText to the thread's pending text and moves every complete
    // line (without its line feed) into ALines.
    void Append(uint32_t AThreadID, const std::string& AText, std::vector<std::string>& ALines);
    bool AtLineStart(uint32_t AThreadID);
    void Clear();

private:
    std::mutex FLock;
    std::map<uint32_t, std::string> FItems;
};

// avutil's log entry points as the loader bound them. The level setter is
// read through the loader's own entry variable, which is empty again once
// avutil is unloaded, so a later level change never calls into a library
// that is gone.
struct TAVLogBinding {
    decltype(&::av_log_set_callback) SetCallback = nullptr;
    decltype(&::av_log_set_level) const* SetLevel = nullptr;
};

class TFFLogger : public TFFBaseComponent {
public:
    // A second logger in the process is refused with an assertion failure.
    explicit TFFLogger(platform::TComponent* AOwner);
    ~TFFLogger() override;

    TLogLevel LogLevel() const { return FLogLevel; }
    void SetLogLevel(TLogLevel AValue);
    bool TriggerEventInMainThread() const { return FTriggerEventInMainThread; }
    void SetTriggerEventInMainThread(bool AValue) { FTriggerEventInMainThread = AValue; }
    // The receiver of every line. It may be set or cleared while other
    // threads log: each line goes to the handler set when it is delivered,
    // and a replaced handler lives on until a call already in it returns.
    void SetOnLog(TLogEvent AValue);
    bool HasOnLog() const { return Handler() != nullptr; }

    // Hands FFmpeg the engine's log callback and level; avutil must be bound.
    void InstallAVLogCallback(const TAVLogBinding& ABinding);
    // The converter's log-level option: a level name or an FFmpeg number.
    void OptLogLevel(const std::string& AArg);

    void Log(platform::TObject* Sender, TLogLevel ALogLevel, const std::string& ALogMsg);
    template <typename... Args>
    void Log(platform::TObject* Sender, TLogLevel ALogLevel, const std::string& AFormat, const Args&... AArgs)
    {
        if (Passes(ALogLevel))
            Log(Sender, ALogLevel, platform::Format(AFormat, AArgs...));
    }

    // Delivers one complete line of FFmpeg's (the callback has filtered it).
    void LogLine(uint32_t AThreadID, int AAVLevel, const std::string& ALine);

private:
    bool Passes(TLogLevel ALogLevel) const;
    void ApplyAVLogLevel();
    void Deliver(const TLogInfo& AInfo);
    void DoLogEvent(const TLogInfo& AInfo);
    std::shared_ptr<const TLogEvent> Handler() const;

    mutable std::mutex FHandlerLock;
    std::shared_ptr<const TLogEvent> FOnLog;   // under FHandlerLock
    std::atomic<bool> FTriggerEventInMainThread{true};
    std::atomic<TLogLevel> FLogLevel{llInfo};
    uint64_t FSerial = 0;
};

// The process's logger; made without an owner when none exists.
TFFLogger* GetFFLogger();
// The per-thread pending texts of FFmpeg's messages.
TLogList& GlobalLogList();

// While one lives, FFmpeg's messages from the calling thread are dropped:
// trying a value on a scratch object must not speak for the real one.
class TAVLogMute {
public:
    TAVLogMute();
    ~TAVLogMute();
    TAVLogMute(const TAVLogMute&) = delete;
    TAVLogMute& operator=(const TAVLogMute&) = delete;
};

// The callback handed to FFmpeg.
void AVLogCallback(void* AContext, int ALevel, const char* AFormat, va_list AArgs);

} // namespace engine
