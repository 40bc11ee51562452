#pragma once
// Stand-ins for the engine, the window and the system actions, recording
// what the workflow asked of them.

#include "app/workflow/Workflow.h"
#include "platform/shell/ShellExecute.h"
#include "platform/shell/SystemActions.h"

#include <set>
#include <string>
#include <vector>

namespace apptest {

struct TRecordedOutput {
    int Task;
    std::string FileName;
    engine::TOutputOptions Options;
};

class TFakeEngine : public app::IConversionEngine {
public:
    bool Loaded = false;
    bool LoadFails = false;
    std::set<std::string> UnprobeableFiles;
    std::set<std::string> UnopenableFiles;
    int64_t Duration = 3725'000000;
    int64_t FileSize = 1572864;
    std::vector<std::string> Calls;
    std::vector<std::string> Tasks; // the task list as the engine holds it
    std::vector<TRecordedOutput> Outputs;
    int StartedWith = -1;
    platform::TThreadPriority Priority = platform::TThreadPriority::tpNormal;
    bool Preview = false;
    bool Working = false;
    std::string Error;

    bool LibrariesLoaded() const override { return Loaded; }
    bool LoadLibraries() override
    {
        Calls.push_back("LoadLibraries");
        if (LoadFails) {
            Error = "libavcodec.so.59: cannot open shared object file";
            return false;
        }
        return Loaded = true;
    }
    bool Probe(const std::string& AFileName, app::TProbeResult& AResult) override
    {
        if (UnprobeableFiles.count(AFileName)) {
            Error = "Invalid data found when processing input";
            return false;
        }
        AResult.Duration = Duration;
        AResult.FileSize = FileSize;
        return true;
    }
    int AddTask(const std::string& AFileName, engine::TInputOptions& AOptions) override
    {
        Calls.push_back("AddTask " + AFileName);
        if (Working)
            throw std::runtime_error("Cannot AddTask while working.");
        if (UnopenableFiles.count(AFileName)) {
            Error = AFileName + ": No such file or directory";
            return -1;
        }
        if (AOptions.FileName.empty())
            AOptions.FileName = AFileName;
        Tasks.push_back(AFileName);
        return int(Tasks.size()) - 1;
    }
    std::string TaskInfoText(int ATaskIndex) override { return "Input #0 of task " + std::to_string(ATaskIndex); }
    bool SetOutputFile(int ATaskIndex, const std::string& AFileName, engine::TOutputOptions& AOptions) override
    {
        Calls.push_back("SetOutputFile " + std::to_string(ATaskIndex) + " " + AFileName);
        if (AOptions.FileName.empty())
            AOptions.FileName = AFileName;
        Outputs.push_back({ATaskIndex, AFileName, AOptions});
        return true;
    }
    void RemoveTask(int ATaskIndex) override
    {
        Calls.push_back("RemoveTask " + std::to_string(ATaskIndex));
        Tasks.erase(Tasks.begin() + ATaskIndex);
    }
    void ClearTasks() override
    {
        Calls.push_back("ClearTasks");
        if (Working)
            throw std::runtime_error("Cannot ClearTasks while working.");
        Tasks.clear();
        Outputs.clear();
    }
    void SetThreadPriority(platform::TThreadPriority APriority) override { Priority = APriority; }
    void Start(int AThreadCount) override
    {
        Calls.push_back("Start " + std::to_string(AThreadCount));
        StartedWith = AThreadCount;
        Working = true;
    }
    void Pause() override { Calls.push_back("Pause"); }
    void Resume() override { Calls.push_back("Resume"); }
    // The real component follows a stop with the end-of-run record; here the
    // test sends it, so a quick restart can be tried before it arrives.
    void Stop(bool) override { Calls.push_back("Stop"); }
    void SetPreview(bool AValue) override { Preview = AValue; }
    std::string LastError() const override { return Error; }

    // The end of the run as the component reports it.
    void EndRun()
    {
        Working = false;
        if (OnTerminate)
            OnTerminate(engine::TTerminateInfo{-1, true, false, ""});
    }
};

class TFakeView : public app::IWorkflowView {
public:
    std::vector<std::string> Hints;
    std::vector<std::string> TaskErrors;
    bool ShutdownConfirmed = true;
    int ShutdownQuestions = 0;
    std::vector<std::string> Previews;
    int PreviewStops = 0;
    int RowRepaints = 0;

    void ShowHint(const std::string& AText) override { Hints.push_back(AText); }
    void ShowTaskError(const std::string& AText) override { TaskErrors.push_back(AText); }
    bool ConfirmShutdown() override
    {
        ++ShutdownQuestions;
        return ShutdownConfirmed;
    }
    void RowsChanged() override {}
    void RowChanged(int) override { ++RowRepaints; }
    void ChoiceChanged() override {}
    void PreviewFile(const std::string& AFileName) override { Previews.push_back(AFileName); }
    void StopPreview() override { ++PreviewStops; }
    void KeepResponsive() override {}
};

// Records shutdowns and sounds instead of doing them.
class TFakeSystemActions : public platform::ISystemActions {
public:
    std::vector<std::string>* Record;
    explicit TFakeSystemActions(std::vector<std::string>* ARecord) : Record(ARecord) {}
    bool Shutdown(std::string&) override
    {
        Record->push_back("shutdown");
        return true;
    }
    bool PlaySound(const std::string& AWavFile, std::string&) override
    {
        Record->push_back("sound " + AWavFile);
        return true;
    }
};

class TFakeLauncher : public platform::ILauncher {
public:
    std::vector<std::string>* Record;
    explicit TFakeLauncher(std::vector<std::string>* ARecord) : Record(ARecord) {}
    platform::TLaunchResult Start(const platform::TLaunchCommand& ACommand) override
    {
        std::string line;
        for (const auto& a : ACommand.Argv)
            line += (line.empty() ? "" : " ") + a;
        Record->push_back(line);
        return {true, 0, ""};
    }
    platform::TLaunchResult Run(const platform::TLaunchCommand& ACommand) override { return Start(ACommand); }
};

} // namespace apptest
