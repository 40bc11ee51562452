#pragma once
// Stand-ins for the engine, the window and the system actions, recording
// what the workflow asked of them.

#include "app/workflow/Workflow.h"
#include "platform/shell/ShellExecute.h"
#include "platform/shell/SystemActions.h"

#include <set>
#include <type_traits>
#include <string>
#include <vector>

namespace apptest {

// Every value of an output record a conversion uses, as one text to compare
// (the file name and the caller's own fields left out).
inline std::string RecordText(const engine::TOutputOptions& O)
{
    std::string t;
    auto add = [&t](const char* AName, const auto& AValue) {
        t += AName;
        t += '=';
        if constexpr (std::is_convertible_v<decltype(AValue), std::string>)
            t += AValue;
        else
            t += std::to_string(AValue);
        t += ' ';
    };
    add("ext", O.FileExt), add("f", O.FileFormat), add("packetsize", O.PacketSize), add("muxrate", O.MuxRate);
    add("muxdelay", O.MuxDelay), add("muxpreload", O.MuxPreload), add("acodec", O.AudioCodec);
    add("apre", O.AudioPreset), add("an", int(O.DisableAudio)), add("vol", O.AudioVolume), add("ac", O.AudioChannels);
    add("ar", O.AudioSampleRate), add("ab", O.AudioBitrate), add("abt", O.AudioBitRateTolerance);
    add("alang", O.AudioLanguage), add("async", O.AudioSyncMethod), add("atag", O.AudioTag);
    add("vcodec", O.VideoCodec), add("vpre", O.VideoPreset), add("vn", int(O.DisableVideo)), add("r", O.FrameRate);
    add("s", O.FrameSize), add("aspect", O.FrameAspectRatio), add("croptop", O.CropTop);
    add("cropbottom", O.CropBottom), add("cropleft", O.CropLeft), add("cropright", O.CropRight);
    add("g", O.GroupPictureSize), add("b", O.VideoBitrate), add("maxrate", O.VideoMaxRate);
    add("minrate", O.VideoMinRate), add("bt", O.VideoBitRateTolerance), add("bufsize", O.VideoBufSize);
    add("vsync", O.VideoSyncMethod), add("vtag", O.VideoTag), add("vf", O.VideoFilters);
    add("vlang", O.VideoLanguage), add("scodec", O.SubtitleCodec), add("spre", O.SubtitlePreset);
    add("sn", int(O.DisableSubtitle)), add("slang", O.SubtitleLanguage), add("isync", int(O.InputSync));
    add("copyts", int(O.CopyTimestamp)), add("ss", O.TimeStart), add("t", O.TimeLength);
    add("target", int(O.TargetType)), add("norm", int(O.NormType)), add("normdefault", int(O.NormDefault));
    add("hook", int(O.CustomHook)), add("join", int(O.Join)), add("extopts", O.ExtOptions);
    return t;
}

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
    std::vector<std::string> TaskOutputs; // each task's output file, as the engine holds it
    std::set<std::string> RefusedOutputs; // output files SetOutputFile refuses
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
        TaskOutputs.emplace_back();
        return int(Tasks.size()) - 1;
    }
    std::string TaskInfoText(int ATaskIndex) override { return "Input #0 of task " + std::to_string(ATaskIndex); }
    bool SetOutputFile(int ATaskIndex, const std::string& AFileName, engine::TOutputOptions& AOptions) override
    {
        Calls.push_back("SetOutputFile " + std::to_string(ATaskIndex) + " " + AFileName);
        if (RefusedOutputs.count(AFileName)) {
            Error = "Unable to find a suitable output format for '" + AFileName + "'";
            return false;
        }
        // The component refuses a second task on one output file.
        for (size_t t = 0; t < TaskOutputs.size(); ++t)
            if (TaskOutputs[t] == AFileName) {
                Error = AFileName + ": task " + std::to_string(t) + " already writes this output file";
                return false;
            }
        TaskOutputs.at(size_t(ATaskIndex)) = AFileName;
        if (AOptions.FileName.empty())
            AOptions.FileName = AFileName;
        Outputs.push_back({ATaskIndex, AFileName, AOptions});
        return true;
    }
    void RemoveTask(int ATaskIndex) override
    {
        Calls.push_back("RemoveTask " + std::to_string(ATaskIndex));
        Tasks.erase(Tasks.begin() + ATaskIndex);
        TaskOutputs.erase(TaskOutputs.begin() + ATaskIndex);
    }
    void ClearTasks() override
    {
        Calls.push_back("ClearTasks");
        if (Working)
            throw std::runtime_error("Cannot ClearTasks while working.");
        Tasks.clear();
        TaskOutputs.clear();
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
    std::vector<std::string> FolderNames;
    void FolderListed(const std::vector<std::string>& ANames) override { FolderNames = ANames; }
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
