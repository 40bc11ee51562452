#pragma once
// The conversion component: an ordered list of conversion tasks that run
// one after another inside Start, or several at once on worker threads, the
// next pending task starting whenever one ends. Progress, preview frames,
// custom hook frames and task ends reach the caller through its events; the
// last record of every run has the task index -1.
//
// Threads: the public operations belong to one thread (the GUI thread).
// Worker threads reach the component only through the four Do* operations.

#include "engine/options/FFConverter_Options.h"
#include "engine/converter/ConversionJob.h"
#include "engine/base/FFBaseComponent.h"
#include "engine/base/Paths.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform {
class TStream;
}

namespace engine {

class TAVProbe;

struct TProgressInfo {
    int TaskIndex = 0;
    int FileIndex = 0;           // -1 on the job's last report
    int FrameNumber = 0;         // -1 without video
    int FPS = 0;                 // -1 without video
    float Quality = 0.0f;        // -1.0 without video
    float BitRate = 0.0f;        // kbit/s
    int64_t CurrentSize = 0;     // bytes
    int64_t CurrentDuration = 0; // µs
    int64_t TotalDuration = 0;   // µs; -1 when unknown
};
using PProgressInfo = TProgressInfo*;

struct TTerminateInfo {
    int TaskIndex = 0;           // -1 in the final record of a run
    bool Finished = false;
    bool Exception = false;
    std::string ExceptionMsg;
};

struct TPreviewInfo {
    int TaskIndex = 0;
    TFrameBitmap* Bitmap = nullptr; // the job's, valid during the call only
    int FrameNumber = 0;
    int64_t PTS = 0;                     // µs
};

struct THookInfo {
    int TaskIndex = 0;
    TFrameBitmap* Bitmap = nullptr; // the job's; the handler may draw on it
    int FrameNumber = 0;
    int64_t PTS = 0;
    bool Update = true;                  // left true: the bitmap goes back into the frame
    bool StopHook = false;               // set true: no further hook calls
};
using PHookInfo = THookInfo*;

using TCustomHookEvent = std::function<void(platform::TObject* Sender, PHookInfo AHookInfo)>;
using TPreviewBitmapEvent = std::function<void(platform::TObject* Sender, const TPreviewInfo& APreviewInfo)>;
using TProgressEvent = std::function<void(platform::TObject* Sender, PProgressInfo AProgressInfo)>;
using TTerminateEvent = std::function<void(platform::TObject* Sender, const TTerminateInfo& ATerminateInfo)>;

// One task: a conversion job with a probe per opened input.
class TFFmpeg : public TCustomFFmpeg {
public:
    explicit TFFmpeg(int AMaxFiles);
    // Stops the job and waits for it before the probes that share its
    // inputs go.
    ~TFFmpeg() override;

    // The probe of input AFileIndex, made (with no owner) when absent.
    TAVProbe* GetAVProbe(int AFileIndex);
    // nullptr when input AFileIndex has no probe.
    TAVProbe* AVProbe(int AFileIndex) const;

    // The task's own copies of the option records its files were given;
    // nullptr for a file that was never given one. Setting makes the copy
    // when absent; resetting puts an existing copy back to the defaults.
    const TInputOptions* InputOptions(int AFileIndex) const;
    const TOutputOptions* OutputOptions(int AFileIndex) const;
    void SetInputOptions(int AFileIndex, const TInputOptions& AOptions);
    void SetOutputOptions(int AFileIndex, const TOutputOptions& AOptions);
    void ResetInputOptions(int AFileIndex);
    void ResetOutputOptions(int AFileIndex);

protected:
    void InputsClosing() override;

private:
    std::vector<std::unique_ptr<TAVProbe>> FAVProbes;
    std::vector<std::unique_ptr<TInputOptions>> FInputOptions;
    std::vector<std::unique_ptr<TOutputOptions>> FOutputOptions;
};

// The task list; it owns its tasks.
class TFFmpegList {
public:
    ~TFFmpegList() { Clear(); }
    int Add(std::unique_ptr<TFFmpeg> ATask);
    void Clear();
    void Delete(int AIndex);
    void Exchange(int AIndex1, int AIndex2);
    // Raises "List index out of bounds (%d)" outside the list.
    TFFmpeg* GetItem(int AIndex) const;
    int IndexOf(const platform::TObject* ATask) const;
    int Count() const { return int(FList.size()); }
    void PauseAll();
    void ResumeAll();
    void StopAll(bool AWaitFor);
    void SetPreview(bool AValue);
    void SetPreviewBitmap(bool AValue);

private:
    void SetPostHook(TPostHook AHook, bool AValue);
    std::vector<std::unique_ptr<TFFmpeg>> FList;
};

class TCustomFFConverter : public TFFBaseComponent {
public:
    explicit TCustomFFConverter(platform::TComponent* AOwner);
    // A run still going is stopped and waited for first.
    ~TCustomFFConverter() override;

    bool AVLibLoaded() const;
    bool LoadAVLib(const TPathFileName& APath);
    void UnloadAVLib();

    // Building tasks. Refused with "Cannot %s while working." from Start
    // until ClearTasks. A record whose FileName is empty gets the file name
    // written into it; the file opened is always AFileName. The task keeps
    // a copy: a caller may reuse its record, but then names each file's
    // record itself or empties FileName before the next call.
    int AddTask(const std::string& AFileName, TInputOptions* AOptions);
    int AddTask(const std::string& AFileName, const std::string& AExtOptions);
    int AddTask(platform::TStream* AStream, const std::string& APrivateData, TInputOptions* AOptions);
    bool AddInputFile(int ATaskIndex, const std::string& AFileName, TInputOptions* AOptions);
    bool AddInputFile(int ATaskIndex, const std::string& AFileName, const std::string& AExtOptions);
    bool SetOutputFile(int ATaskIndex, const std::string& AFileName, TOutputOptions* AOptions);
    bool SetOutputFile(int ATaskIndex, const std::string& AFileName, const std::string& AExtOptions);
    bool SetOutputStream(int ATaskIndex, platform::TStream* AStream, const std::string& APrivateData,
                         TOutputOptions* AOptions);
    void Exchange(int ATaskIndex1, int ATaskIndex2);
    void RemoveTask(int ATaskIndex);
    void ClearTasks();

    int TasksCount() const { return FFFmpegList.Count(); }
    TAVProbe* GetTaskAVProbe(int ATaskIndex, int AFileIndex) const;
    TAVProbe* AVProbe() const { return FAVProbe.get(); }

    // Running. AThreadCount <= 0 runs every task inside the call; n > 0
    // starts the first n tasks on worker threads and returns.
    void Start(int AThreadCount);
    void Pause();
    void Resume();
    void Stop(bool AWaitFor);

    std::string About() const { return FAbout; }
    void SetAbout(const std::string& AValue) { FAbout = AValue; }
    static std::string Version() { return "3.3"; }
    const std::string& LastErrMsg() const { return FLastErrMsg; }
    int CustomMaxFiles() const { return FCustomMaxFiles; }
    void SetCustomMaxFiles(int AValue) { FCustomMaxFiles = AValue; }
    bool Preview() const { return FPreview; }
    void SetPreview(bool AValue);
    bool PreviewBitmap() const { return FPreviewBitmap; }
    void SetPreviewBitmap(bool AValue);
    int ProgressInterval() const { return FProgressInterval; }
    void SetProgressInterval(int AValue);
    bool Terminated() const { return FTerminated.load(); }
    platform::TThreadPriority ThreadPriority() const { return FThreadPriority; }
    void SetThreadPriority(platform::TThreadPriority AValue) { FThreadPriority = AValue; }
    bool TriggerEventInMainThread() const { return FTriggerEventInMainThread; }
    void SetTriggerEventInMainThread(bool AValue) { FTriggerEventInMainThread = AValue; }
    void* UserData() const { return FData; }
    void SetUserData(void* AValue) { FData = AValue; }
    int Verbose() const { return FVerbose; }
    void SetVerbose(int AValue) { FVerbose = AValue; }
    bool Working() const { return FWorking.load(); }

    TCustomHookEvent OnCustomHook;
    TPreviewBitmapEvent OnPreviewBitmap;
    TProgressEvent OnProgress;
    TTerminateEvent OnTerminate;

    // The job's events land here; each packs its values into the
    // component's record and hands it to the caller's handler.
    virtual void DoCustomHook(platform::TObject* Sender, TFrameBitmap* ABitmap, int AFrameNumber,
                              int64_t APTS, bool& AUpdate, bool& AStopHook);
    virtual void DoPreviewBitmap(platform::TObject* Sender, TFrameBitmap* ABitmap, int AFrameNumber,
                                 int64_t APTS);
    virtual void DoProgress(platform::TObject* Sender, int AFileIndex, int AFrameNumber, int AFPS, float AQuality,
                            float ABitRate, int64_t ACurrentSize, int64_t ACurrentDuration,
                            int64_t ATotalDuration);
    virtual void DoTerminate(platform::TObject* Sender);

protected:
    // Stops a run that is still going and waits until its workers and
    // delivery threads are done with the component. Workers call the
    // component's virtual operations, so every class that derives from it
    // calls this first in its own destructor.
    void EndRun();
    // Makes a new task; tests stand in tasks of their own here.
    virtual std::unique_ptr<TFFmpeg> NewTask(int AMaxFiles);

private:
    class TDoTerminateThread;

    void CheckWorking(const char* AOperation) const;
    // The first task but AExcept that reads (AOutputs false) or writes
    // (true) the file AFileName names, however the names are spelled: its
    // index, and in AName the file's name as that task has it; -1 when
    // none does.
    int TaskWithFile(const std::string& AFileName, bool AOutputs, int AExcept, std::string& AName) const;
    bool OutputTaken(int ATaskIndex, const std::string& AFileName);
    void RefuseTasksOverInputs();
    bool OpenInput(TFFmpeg& ATask, const std::string& AFileName, TInputOptions* AOptions);
    void StartNextTask();
    void DoFinalTerminate();
    void CallPreviewBitmap();
    void CallProgress();
    void DeliverTerminate(const TTerminateInfo& AInfo, bool AFinal);
    void CallTerminateHandler(const TTerminateEvent& AHandler, const TTerminateInfo& AInfo);
    void DeliveryStarted();
    void DeliveryEnded();
    bool AllDeliveriesEnded();
    void WaitForRunEnd();

    std::string FAbout;
    std::string FLastErrMsg;
    void* FData = nullptr;
    int FCustomMaxFiles = 20;
    bool FPreview = false;
    bool FPreviewBitmap = false;
    int FProgressInterval = 500;
    platform::TThreadPriority FThreadPriority = platform::TThreadPriority::tpNormal;
    bool FTriggerEventInMainThread = true;
    int FVerbose = 1;
    THookInfo FHookInfo;
    TProgressInfo FProgressInfo;
    TTerminateInfo FTerminateInfo;
    TPreviewInfo FPreviewInfo;
    platform::TCriticalSection FHookLock;
    platform::TCriticalSection FPreviewLock;
    platform::TCriticalSection FProgressLock;
    platform::TCriticalSection FTerminateLock;
    std::unique_ptr<TAVProbe> FAVProbe;
    TFFmpegList FFFmpegList;

    // Run counters. They change under FRunLock, which is held for a few
    // instructions only and never across a call out, so a task end on a
    // worker and Start or Stop on the GUI thread are counted one after the
    // other without either waiting for the other's handlers.
    mutable std::mutex FRunLock;
    int FCompleteTasks = 0;
    int FCurrentTask = -1;
    int FPendingTasks = 0;
    bool FRunPaused = false; // Pause until Resume: holds tasks started meanwhile
    bool FFinalDone = false;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FThreadMode{false};
    std::atomic<bool> FWorking{false};

    // Terminate records still being handed to their handlers, and the
    // delivery threads still alive. The final record waits until the
    // former is 0; destruction waits until both are.
    std::mutex FDeliveryLock;
    std::condition_variable FDeliveryCond;
    int FDeliveries = 0;
    int FDeliveryThreads = 0;
};

class TFFConverter : public TCustomFFConverter {
public:
    using TCustomFFConverter::TCustomFFConverter;
    ~TFFConverter() override { EndRun(); }
};

} // namespace engine
