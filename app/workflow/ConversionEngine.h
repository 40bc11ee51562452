#pragma once
// What the main window needs of the media engine for a run: load the
// libraries, probe a file, build tasks, run them, and hear of their
// progress and ends. The real one drives the conversion component; tests
// put a recording fake in its place.

#include "engine/component/FFConverter.h"
#include "platform/core/Threads.h"

#include <functional>
#include <memory>
#include <string>

namespace app {

struct TProbeResult {
    int64_t Duration = -1; // µs; -1 when the file does not tell
    int64_t FileSize = 0;  // bytes
};

class IConversionEngine {
public:
    virtual ~IConversionEngine() = default;

    virtual bool LibrariesLoaded() const = 0;
    virtual bool LoadLibraries() = 0;
    // False with LastError when the file cannot be opened as media.
    virtual bool Probe(const std::string& AFileName, TProbeResult& AResult) = 0;
    // The new task's index, or -1 with LastError. A record with an empty
    // FileName gets the file's name written into it (SetOutputFile too).
    virtual int AddTask(const std::string& AFileName, engine::TInputOptions& AOptions) = 0;
    // The probe report of a task's first input.
    virtual std::string TaskInfoText(int ATaskIndex) = 0;
    virtual bool SetOutputFile(int ATaskIndex, const std::string& AFileName, engine::TOutputOptions& AOptions) = 0;
    virtual void RemoveTask(int ATaskIndex) = 0;
    virtual void ClearTasks() = 0;
    virtual void SetThreadPriority(platform::TThreadPriority APriority) = 0;
    virtual void Start(int AThreadCount) = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual void Stop(bool AWaitFor) = 0;
    virtual void SetPreview(bool AValue) = 0;
    virtual std::string LastError() const = 0;

    // Both arrive on the GUI thread, one record at a time.
    std::function<void(const engine::TProgressInfo&)> OnProgress;
    std::function<void(const engine::TTerminateInfo&)> OnTerminate;
};

// The engine's conversion component with its own prober.
class TConverterEngine : public IConversionEngine {
public:
    TConverterEngine();
    ~TConverterEngine() override;

    bool LibrariesLoaded() const override;
    bool LoadLibraries() override;
    bool Probe(const std::string& AFileName, TProbeResult& AResult) override;
    int AddTask(const std::string& AFileName, engine::TInputOptions& AOptions) override;
    std::string TaskInfoText(int ATaskIndex) override;
    bool SetOutputFile(int ATaskIndex, const std::string& AFileName, engine::TOutputOptions& AOptions) override;
    void RemoveTask(int ATaskIndex) override;
    void ClearTasks() override;
    void SetThreadPriority(platform::TThreadPriority APriority) override;
    void Start(int AThreadCount) override;
    void Pause() override;
    void Resume() override;
    void Stop(bool AWaitFor) override;
    void SetPreview(bool AValue) override;
    std::string LastError() const override { return FLastError; }

    engine::TFFConverter& Converter() { return *FConverter; }

private:
    std::unique_ptr<engine::TFFConverter> FConverter;
    std::string FLastError;
};

} // namespace app
