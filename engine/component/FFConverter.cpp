#include "engine/component/FFConverter.h"

#include "engine/base/MainThreadCalls.h"
#include "engine/loader/FFmpegLoader.h"
#include "engine/logger/FFmpegLogger.h"
#include "engine/previewer/JobHooks.h"
#include "engine/probe/AVProbe.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

#include <algorithm>

namespace engine {

using platform::Format;
using platform::TLockGuard;

// --- TFFmpeg --------------------------------------------------------------

TFFmpeg::TFFmpeg(int AMaxFiles)
    : TCustomFFmpeg(AMaxFiles), FAVProbes(size_t(AMaxFiles)), FInputOptions(size_t(AMaxFiles)),
      FOutputOptions(size_t(AMaxFiles))
{
    SetPictureHooks(&JobPictureHooks());
}

TFFmpeg::~TFFmpeg()
{
    // The worker may still use the inputs the probes share; it goes first.
    WaitForEnd();
    InputsClosing();
    FAVProbes.clear();
}

void TFFmpeg::InputsClosing()
{
    for (auto& probe : FAVProbes)
        if (probe)
            probe->SetFileHandle(nullptr);
}

TAVProbe* TFFmpeg::GetAVProbe(int AFileIndex)
{
    auto& probe = FAVProbes.at(size_t(AFileIndex));
    if (!probe)
        probe = std::make_unique<TAVProbe>(nullptr);
    return probe.get();
}

TAVProbe* TFFmpeg::AVProbe(int AFileIndex) const
{
    return FAVProbes.at(size_t(AFileIndex)).get();
}

namespace {

template <typename T>
void StoreRecord(std::vector<std::unique_ptr<T>>& AList, int AIndex, const T& ARecord)
{
    auto& stored = AList.at(size_t(AIndex));
    if (!stored)
        stored = std::make_unique<T>();
    *stored = ARecord;
}

// A record left unnamed takes the file it went with, in the caller's record
// as in the task's copy.
template <typename T>
void StoreNamedRecord(TFFmpeg& ATask, int AIndex, const std::string& AFileName, T& ARecord,
                      void (TFFmpeg::*AStore)(int, const T&))
{
    if (ARecord.FileName.empty())
        ARecord.FileName = AFileName;
    (ATask.*AStore)(AIndex, ARecord);
}

void StoreInputRecord(TFFmpeg& ATask, int AIndex, const std::string& AFileName, TInputOptions& ARecord)
{
    StoreNamedRecord(ATask, AIndex, AFileName, ARecord, &TFFmpeg::SetInputOptions);
}

void StoreOutputRecord(TFFmpeg& ATask, int AIndex, const std::string& AFileName, TOutputOptions& ARecord)
{
    StoreNamedRecord(ATask, AIndex, AFileName, ARecord, &TFFmpeg::SetOutputOptions);
}

} // namespace

const TInputOptions* TFFmpeg::InputOptions(int AFileIndex) const { return FInputOptions.at(size_t(AFileIndex)).get(); }

const TOutputOptions* TFFmpeg::OutputOptions(int AFileIndex) const
{
    return FOutputOptions.at(size_t(AFileIndex)).get();
}

void TFFmpeg::SetInputOptions(int AFileIndex, const TInputOptions& AOptions)
{
    StoreRecord(FInputOptions, AFileIndex, AOptions);
}

void TFFmpeg::SetOutputOptions(int AFileIndex, const TOutputOptions& AOptions)
{
    StoreRecord(FOutputOptions, AFileIndex, AOptions);
}

void TFFmpeg::ResetInputOptions(int AFileIndex)
{
    if (auto& stored = FInputOptions.at(size_t(AFileIndex)))
        InitInputOptions(*stored);
}

void TFFmpeg::ResetOutputOptions(int AFileIndex)
{
    if (auto& stored = FOutputOptions.at(size_t(AFileIndex)))
        InitOutputOptions(*stored);
}

// --- TFFmpegList ----------------------------------------------------------

int TFFmpegList::Add(std::unique_ptr<TFFmpeg> ATask)
{
    FList.push_back(std::move(ATask));
    return int(FList.size()) - 1;
}

void TFFmpegList::Clear()
{
    FList.clear();
}

void TFFmpegList::Delete(int AIndex)
{
    GetItem(AIndex);
    FList.erase(FList.begin() + AIndex);
}

void TFFmpegList::Exchange(int AIndex1, int AIndex2)
{
    GetItem(AIndex1);
    GetItem(AIndex2);
    std::swap(FList[size_t(AIndex1)], FList[size_t(AIndex2)]);
}

TFFmpeg* TFFmpegList::GetItem(int AIndex) const
{
    if (AIndex < 0 || AIndex >= Count())
        throw platform::Exception(Format("List index out of bounds (%d)", AIndex));
    return FList[size_t(AIndex)].get();
}

int TFFmpegList::IndexOf(const platform::TObject* ATask) const
{
    for (size_t i = 0; i < FList.size(); ++i)
        if (FList[i].get() == ATask)
            return int(i);
    return -1;
}

void TFFmpegList::PauseAll()
{
    for (auto& task : FList)
        task->Pause();
}

void TFFmpegList::ResumeAll()
{
    for (auto& task : FList)
        task->Resume();
}

void TFFmpegList::StopAll(bool AWaitFor)
{
    for (auto& task : FList)
        task->Cancel(AWaitFor);
}

void TFFmpegList::SetPostHook(TPostHook AHook, bool AValue)
{
    for (auto& task : FList) {
        const TPostHooks hooks = task->PostHooks();
        task->SetPostHooksLocked(AValue ? (hooks | AHook) : (hooks & ~TPostHooks(AHook)));
    }
}

void TFFmpegList::SetPreview(bool AValue)
{
    SetPostHook(phPreview, AValue);
}

void TFFmpegList::SetPreviewBitmap(bool AValue)
{
    SetPostHook(phBitmap, AValue);
}

// --- TCustomFFConverter: construction and libraries -------------------------

TCustomFFConverter::TCustomFFConverter(platform::TComponent* AOwner)
    : TFFBaseComponent(AOwner), FAVProbe(std::make_unique<TAVProbe>(nullptr))
{
}

TCustomFFConverter::~TCustomFFConverter()
{
    try {
        EndRun();
        for (auto* lock : {&FHookLock, &FPreviewLock, &FProgressLock, &FTerminateLock}) {
            lock->Enter();
            lock->Leave();
        }
        FFFmpegList.Clear();
    } catch (const std::exception& E) {
        GetFFLogger()->Log(this, llError, E.what());
    }
}

void TCustomFFConverter::EndRun()
{
    // Workers and delivery threads reach the counters, the locks and the
    // task list until their run is over.
    if (FWorking && !FTerminated)
        Stop(true);
    WaitForRunEnd();
}

void TCustomFFConverter::WaitForRunEnd()
{
    // Between one task's record and the next task's end the counters can
    // read zero while a worker is still about to hand the final record
    // over: a started run is over only once that record is on its way.
    platform::WaitUntilServing([this] {
        if (FWorking && !FTerminated)
            return false;
        std::lock_guard<std::mutex> guard(FDeliveryLock);
        return FDeliveries == 0 && FDeliveryThreads == 0;
    });
}

bool TCustomFFConverter::AVLibLoaded() const
{
    return GlobalLoader().Loaded(ConverterLibraries);
}

bool TCustomFFConverter::LoadAVLib(const TPathFileName& APath)
{
    GlobalLoader().SetLibraryPath(APath);
    if (GlobalLoader().Load(ConverterLibraries))
        return true;
    FLastErrMsg = GlobalLoader().LastErrMsg();
    return false;
}

void TCustomFFConverter::UnloadAVLib()
{
    GlobalLoader().Unload(ConverterLibraries);
}

std::unique_ptr<TFFmpeg> TCustomFFConverter::NewTask(int AMaxFiles)
{
    return std::make_unique<TFFmpeg>(AMaxFiles);
}

void TCustomFFConverter::CheckWorking(const char* AOperation) const
{
    if (FWorking)
        throw platform::Exception(Format("Cannot %s while working.", AOperation));
}

// --- Building tasks ---------------------------------------------------------

namespace {

// TimeStart, TimeLength: a value that does not read as a 64-bit integer
// means "not set".
int64_t OptionTime(const std::string& AValue)
{
    int64_t value;
    return platform::TryStrToInt64(AValue, value) ? value : AV_NOPTS_VALUE;
}

TInputOptions InputOptionsFromLines(const std::string& AExtOptions)
{
    TInputOptions options;
    InitInputOptions(options);
    for (const auto& [name, value] : ReadOptionLines(AExtOptions)) {
        if (platform::SameText(name, "TimeStart"))
            options.TimeStart = OptionTime(value);
        else
            options.ExtOptions += name + "=" + value + "\n";
    }
    return options;
}

TOutputOptions OutputOptionsFromLines(const std::string& AExtOptions)
{
    TOutputOptions options;
    InitOutputOptions(options);
    for (const auto& [name, value] : ReadOptionLines(AExtOptions)) {
        if (platform::SameText(name, "Hook") || platform::SameText(name, "CustomHook"))
            options.CustomHook = true;
        else if (platform::SameText(name, "Join"))
            options.Join = true;
        else if (platform::SameText(name, "TimeStart"))
            options.TimeStart = OptionTime(value);
        else if (platform::SameText(name, "TimeLength"))
            options.TimeLength = OptionTime(value);
        else
            options.ExtOptions += name + "=" + value + "\n";
    }
    return options;
}

} // namespace

// The input steps shared by AddTask and AddInputFile: the record's options,
// then the opening, then the probe that describes the new input.
bool TCustomFFConverter::OpenInput(TFFmpeg& ATask, const std::string& AFileName, TInputOptions* AOptions)
{
    const int n = ATask.nb_input_files();
    if (AOptions) {
        StoreInputRecord(ATask, n, AFileName, *AOptions);
        ATask.ApplyExtOptions(AOptions->ExtOptions, true);
        ATask.SetFormat(AOptions->FileFormat);
        ATask.SetStartTime(AOptions->TimeStart);
        ATask.SetProgramId(AOptions->ProgramID);
    }
    if (!ATask.OpenInputFile(AFileName)) {
        FLastErrMsg = ATask.LastErrMsg();
        ATask.ResetInputOptions(n);
        return false;
    }
    ATask.GetAVProbe(n)->SetFileHandle(ATask.Files().Finput_files[size_t(n)]);
    return true;
}

int TCustomFFConverter::AddTask(const std::string& AFileName, TInputOptions* AOptions)
{
    CheckWorking("AddTask");
    // Outside the error handling: a CustomMaxFiles outside 1..512 raises.
    std::unique_ptr<TFFmpeg> task = NewTask(FCustomMaxFiles);
    try {
        task->ResetJob();
        task->SetVerbose(FVerbose);
        TPostHooks hooks = task->PostHooks() & ~TPostHooks(phPreview | phBitmap);
        hooks |= (FPreview ? phPreview : 0) | (FPreviewBitmap ? phBitmap : 0);
        task->SetPostHooksLocked(hooks);
        TJobEvents events;
        events.FOnPreviewBitmap = [this](platform::TObject* Sender, TFrameBitmap* ABitmap, int AFrameNumber,
                                         int64_t APTS) { DoPreviewBitmap(Sender, ABitmap, AFrameNumber, APTS); };
        events.FOnProgress = [this](platform::TObject* Sender, int AFileIndex, int AFrameNumber, int AFPS,
                                    float AQuality, float ABitRate, int64_t ACurrentSize, int64_t ACurrentDuration,
                                    int64_t ATotalDuration) {
            DoProgress(Sender, AFileIndex, AFrameNumber, AFPS, AQuality, ABitRate, ACurrentSize, ACurrentDuration,
                       ATotalDuration);
        };
        events.FOnTerminate = [this](platform::TObject* Sender) { DoTerminate(Sender); };
        task->SetEvents(std::move(events));
        if (!OpenInput(*task, AFileName, AOptions))
            return -1;
        return FFFmpegList.Add(std::move(task));
    } catch (const std::exception& E) {
        FLastErrMsg = E.what();
        return -1;
    }
}

int TCustomFFConverter::AddTask(const std::string& AFileName, const std::string& AExtOptions)
{
    TInputOptions options = InputOptionsFromLines(AExtOptions);
    return AddTask(AFileName, &options);
}

// No stream protocol exists in this engine: the stream overloads refuse
// plainly instead of handing the libraries a file name made of an address.
int TCustomFFConverter::AddTask(platform::TStream* AStream, const std::string& APrivateData, TInputOptions* AOptions)
{
    (void)AStream;
    (void)APrivateData;
    (void)AOptions;
    CheckWorking("AddTask");
    FLastErrMsg = "Converting from a stream is not supported; add the input as a file";
    return -1;
}

bool TCustomFFConverter::AddInputFile(int ATaskIndex, const std::string& AFileName, TInputOptions* AOptions)
{
    CheckWorking("AddInputFile");
    TFFmpeg* task = FFFmpegList.GetItem(ATaskIndex);
    if (task->nb_input_files() >= task->MaxFiles()) {
        FLastErrMsg = Format("max input files %d reached", task->MaxFiles());
        return false;
    }
    try {
        return OpenInput(*task, AFileName, AOptions);
    } catch (const std::exception& E) {
        FLastErrMsg = E.what();
        return false;
    }
}

bool TCustomFFConverter::AddInputFile(int ATaskIndex, const std::string& AFileName, const std::string& AExtOptions)
{
    TInputOptions options = InputOptionsFromLines(AExtOptions);
    return AddInputFile(ATaskIndex, AFileName, &options);
}

bool TCustomFFConverter::SetOutputFile(int ATaskIndex, const std::string& AFileName, TOutputOptions* AOptions)
{
    CheckWorking("SetOutputFile");
    TFFmpeg* task = FFFmpegList.GetItem(ATaskIndex);
    if (task->nb_output_files() >= task->MaxFiles()) {
        FLastErrMsg = Format("max output files %d reached", task->MaxFiles());
        return false;
    }
    const int n = task->nb_output_files();
    if (AOptions)
        StoreOutputRecord(*task, n, AFileName, *AOptions);
    else
        task->ResetOutputOptions(n);
    if (OutputTaken(ATaskIndex, AFileName)) {
        task->ResetOutputOptions(n);
        return false;
    }
    try {
        const TCustomFFmpeg::TCustomHookEvent hook = [this](platform::TObject* Sender, TFrameBitmap* ABitmap,
                                                            int AFrameNumber, int64_t APTS, bool& AUpdate,
                                                            bool& AStopHook) {
            DoCustomHook(Sender, ABitmap, AFrameNumber, APTS, AUpdate, AStopHook);
        };
        if (task->ApplyOutputRecord(AFileName, AOptions, hook))
            return true;
        FLastErrMsg = task->LastErrMsg();
    } catch (const std::exception& E) {
        FLastErrMsg = E.what();
    }
    task->ResetOutputOptions(n);
    return false;
}

int TCustomFFConverter::TaskWithFile(const std::string& AFileName, bool AOutputs, int AExcept,
                                     std::string& AName) const
{
    // Devices such as the null device may be shared.
    if (IsSpecialFile(AFileName))
        return -1;
    for (int t = 0; t < FFFmpegList.Count(); ++t) {
        if (t == AExcept)
            continue;
        const TFFmpeg* task = FFFmpegList.GetItem(t);
        std::vector<std::string> names = task->InputFileNames();
        if (AOutputs) {
            names.clear();
            for (int i = 0; i < task->nb_output_files(); ++i)
                names.push_back(task->OutputFileName(i));
        }
        for (const std::string& name : names)
            if (!name.empty() && SameFile(name, AFileName)) {
                AName = name;
                return t;
            }
    }
    return -1;
}

// Two outputs on one file would lose one result or mix both; an output on
// another task's input would destroy that input, or feed it half-written
// data when both run at once. (The task's own inputs are the job's to
// refuse.)
bool TCustomFFConverter::OutputTaken(int ATaskIndex, const std::string& AFileName)
{
    std::string name;
    int t = TaskWithFile(AFileName, true, -1, name);
    if (t >= 0) {
        FLastErrMsg = Format("%s: task %d already writes this output file", AFileName, t);
        return true;
    }
    t = TaskWithFile(AFileName, false, ATaskIndex, name);
    if (t >= 0) {
        FLastErrMsg = Format("%s: the output file is the input file %s of task %d; it would be destroyed", AFileName,
                             name, t);
        return true;
    }
    return false;
}

// A task whose output is the input of a task of the list fails at its start
// instead of destroying that input: inputs may be added after the output
// that will replace them (a list of rows keeps every file it was given and
// leaves the refusal to the run), and names may have come to lead
// elsewhere since the tasks were built (a link changed, a file moved in).
void TCustomFFConverter::RefuseTasksOverInputs()
{
    for (int t = 0; t < FFFmpegList.Count(); ++t) {
        TFFmpeg* task = FFFmpegList.GetItem(t);
        std::string refusal;
        for (int i = 0; i < task->nb_output_files() && refusal.empty(); ++i) {
            const std::string output = task->OutputFileName(i);
            std::string input;
            const int other = output.empty() ? -1 : TaskWithFile(output, false, -1, input);
            if (other >= 0)
                refusal = Format("%s: the output file is the input file %s of task %d; it would be destroyed", output,
                                 input, other);
        }
        task->RefuseStart(refusal);
    }
}

bool TCustomFFConverter::SetOutputFile(int ATaskIndex, const std::string& AFileName, const std::string& AExtOptions)
{
    TOutputOptions options = OutputOptionsFromLines(AExtOptions);
    return SetOutputFile(ATaskIndex, AFileName, &options);
}

bool TCustomFFConverter::SetOutputStream(int ATaskIndex, platform::TStream* AStream, const std::string& APrivateData,
                                         TOutputOptions* AOptions)
{
    (void)AStream;
    (void)APrivateData;
    (void)AOptions;
    CheckWorking("SetOutputFile");
    FFFmpegList.GetItem(ATaskIndex);
    FLastErrMsg = "Converting to a stream is not supported; set the output as a file";
    return false;
}

void TCustomFFConverter::Exchange(int ATaskIndex1, int ATaskIndex2)
{
    CheckWorking("Exchange");
    FFFmpegList.Exchange(ATaskIndex1, ATaskIndex2);
}

void TCustomFFConverter::RemoveTask(int ATaskIndex)
{
    CheckWorking("RemoveTask");
    FFFmpegList.Delete(ATaskIndex);
}

void TCustomFFConverter::ClearTasks()
{
    if (FWorking && !FTerminated)
        throw platform::Exception("Cannot ClearTasks while working.");
    // The last run's delivery threads may still be handing records over.
    WaitForRunEnd();
    FFFmpegList.Clear();
    FLastErrMsg.clear();
    std::lock_guard<std::mutex> guard(FRunLock);
    FCompleteTasks = 0;
    FCurrentTask = -1;
    FPendingTasks = 0;
    FFinalDone = false;
    FTerminated = false;
    FThreadMode = false;
    FWorking = false;
}

TAVProbe* TCustomFFConverter::GetTaskAVProbe(int ATaskIndex, int AFileIndex) const
{
    TFFmpeg* task = FFFmpegList.GetItem(ATaskIndex);
    if (AFileIndex < 0 || AFileIndex >= task->MaxFiles())
        throw platform::Exception(Format("File index out of bounds (%d)", AFileIndex));
    return task->AVProbe(AFileIndex);
}

// --- Running ----------------------------------------------------------------

void TCustomFFConverter::Start(int AThreadCount)
{
    CheckWorking("StartTask");
    RefuseTasksOverInputs();
    const bool threadMode = AThreadCount > 0;
    {
        std::lock_guard<std::mutex> guard(FRunLock);
        FCompleteTasks = 0;
        FCurrentTask = 0;
        FPendingTasks = TasksCount();
        FRunPaused = false;
        FFinalDone = false;
        FTerminated = false;
        FThreadMode = threadMode;
        FWorking = true;
    }
    // No task could close an empty run: it closes at once.
    if (TasksCount() == 0) {
        {
            std::lock_guard<std::mutex> guard(FRunLock);
            FFinalDone = true;
        }
        DoFinalTerminate();
        return;
    }
    // The jobs started together count in the codec thread share before the
    // first of them opens its codecs.
    const TCodecThreadShare::TReservation Starting(TCodecThreadShare::Global(),
                                                   threadMode ? std::min(AThreadCount, TasksCount()) : 1);
    for (int threads = AThreadCount; !threadMode || threads > 0; --threads) {
        {
            std::lock_guard<std::mutex> guard(FRunLock);
            if (FPendingTasks <= 0)
                break;
        }
        StartNextTask();
    }
    // A run stopped from a handler closes with records that cancelled tasks
    // deliver from their own threads; the sequential Start still returns
    // only after the final record.
    if (!threadMode)
        platform::WaitUntilServing([this] { return FTerminated.load(); });
}

void TCustomFFConverter::StartNextTask()
{
    TFFmpeg* task;
    {
        std::lock_guard<std::mutex> guard(FRunLock);
        if (FPendingTasks <= 0)
            return;
        --FPendingTasks;
        task = FFFmpegList.GetItem(FCurrentTask++);
    }
    task->SetReportInterval(int64_t(FProgressInterval) * 1000);
    platform::TThread* worker = task->StartConvert(FThreadMode, FThreadPriority);
    if (!worker)
        return;
    // A pause of the run holds the tasks it starts later too. Under the
    // run lock a Pause or Resume either came before (seen here) or comes
    // after, and then finds this task's worker and pauses or resumes it.
    {
        std::lock_guard<std::mutex> guard(FRunLock);
        if (FRunPaused)
            task->Pause();
    }
    worker->Start();
}

void TCustomFFConverter::Pause()
{
    {
        std::lock_guard<std::mutex> guard(FRunLock);
        FRunPaused = true;
    }
    FFFmpegList.PauseAll();
}

void TCustomFFConverter::Resume()
{
    {
        std::lock_guard<std::mutex> guard(FRunLock);
        FRunPaused = false;
    }
    FFFmpegList.ResumeAll();
}

void TCustomFFConverter::Stop(bool AWaitFor)
{
    // Outside a run there is nothing to stop: cancelling tasks that were
    // never started would report them ended and leave the next run hanging.
    if (!FWorking || FTerminated)
        return;
    {
        std::lock_guard<std::mutex> guard(FRunLock);
        FPendingTasks = 0;
    }
    FFFmpegList.StopAll(AWaitFor);
}

// --- Setters ----------------------------------------------------------------

void TCustomFFConverter::SetPreview(bool AValue)
{
    FFFmpegList.SetPreview(AValue);
    FPreview = AValue;
}

void TCustomFFConverter::SetPreviewBitmap(bool AValue)
{
    FFFmpegList.SetPreviewBitmap(AValue);
    FPreviewBitmap = AValue;
}

void TCustomFFConverter::SetProgressInterval(int AValue)
{
    FProgressInterval = AValue <= 100 ? 100 : AValue;
}

// --- Events -------------------------------------------------------------------

void TCustomFFConverter::DoCustomHook(platform::TObject* Sender, TFrameBitmap* ABitmap, int AFrameNumber,
                                      int64_t APTS, bool& AUpdate, bool& AStopHook)
{
    if (!OnCustomHook)
        return;
    TLockGuard guard(FHookLock);
    FHookInfo = THookInfo{FFFmpegList.IndexOf(Sender), ABitmap, AFrameNumber, APTS, AUpdate, AStopHook};
    OnCustomHook(this, &FHookInfo);
    AUpdate = FHookInfo.Update;
    AStopHook = FHookInfo.StopHook;
}

void TCustomFFConverter::DoPreviewBitmap(platform::TObject* Sender, TFrameBitmap* ABitmap, int AFrameNumber,
                                         int64_t APTS)
{
    if (!OnPreviewBitmap)
        return;
    TLockGuard guard(FPreviewLock);
    FPreviewInfo = TPreviewInfo{FFFmpegList.IndexOf(Sender), ABitmap, AFrameNumber, APTS};
    if (FTriggerEventInMainThread)
        CallInMainThread([this] { CallPreviewBitmap(); });
    else
        CallPreviewBitmap();
}

void TCustomFFConverter::CallPreviewBitmap()
{
    if (OnPreviewBitmap)
        OnPreviewBitmap(this, FPreviewInfo);
}

void TCustomFFConverter::DoProgress(platform::TObject* Sender, int AFileIndex, int AFrameNumber, int AFPS,
                                    float AQuality, float ABitRate, int64_t ACurrentSize, int64_t ACurrentDuration,
                                    int64_t ATotalDuration)
{
    if (!OnProgress)
        return;
    TLockGuard guard(FProgressLock);
    FProgressInfo = TProgressInfo{FFFmpegList.IndexOf(Sender), AFileIndex, AFrameNumber, AFPS, AQuality, ABitRate,
                                  ACurrentSize, ACurrentDuration, ATotalDuration};
    if (FTriggerEventInMainThread)
        CallInMainThread([this] { CallProgress(); });
    else
        CallProgress();
}

void TCustomFFConverter::CallProgress()
{
    if (OnProgress)
        OnProgress(this, &FProgressInfo);
}

// Hands one terminate record over. In thread mode it travels by copy to a
// thread of its own; the final record's thread first waits until every task
// record has reached its handler, so the final record is always the last.
class TCustomFFConverter::TDoTerminateThread : public platform::TThread {
public:
    TDoTerminateThread(TCustomFFConverter* AOwner, TTerminateEvent AOnTerminate, const TTerminateInfo& AInfo,
                       bool AFinal)
        : platform::TThread(true), FOwner(AOwner), FOnTerminate(std::move(AOnTerminate)), FTerminateInfo(AInfo),
          FFinal(AFinal)
    {
        SetFreeOnTerminate(true);
    }

protected:
    void Execute() override
    {
        if (FFinal) {
            std::unique_lock<std::mutex> lock(FOwner->FDeliveryLock);
            FOwner->FDeliveryCond.wait(lock, [this] { return FOwner->FDeliveries == 0; });
        }
        FOwner->CallTerminateHandler(FOnTerminate, FTerminateInfo);
        if (!FFinal)
            FOwner->DeliveryEnded();
        // The last touch of the component: after this it may go.
        std::lock_guard<std::mutex> guard(FOwner->FDeliveryLock);
        --FOwner->FDeliveryThreads;
        FOwner->FDeliveryCond.notify_all();
    }

private:
    TCustomFFConverter* FOwner;
    TTerminateEvent FOnTerminate;
    TTerminateInfo FTerminateInfo;
    bool FFinal;
};

// A handler that raises is logged; the run goes on and closes.
void TCustomFFConverter::CallTerminateHandler(const TTerminateEvent& AHandler, const TTerminateInfo& AInfo)
{
    try {
        AHandler(this, AInfo);
    } catch (const std::exception& E) {
        GetFFLogger()->Log(this, llError, E.what());
    } catch (...) {
        GetFFLogger()->Log(this, llError, "Unknown exception in a terminate handler");
    }
}

void TCustomFFConverter::DeliveryStarted()
{
    std::lock_guard<std::mutex> guard(FDeliveryLock);
    ++FDeliveries;
}

void TCustomFFConverter::DeliveryEnded()
{
    std::lock_guard<std::mutex> guard(FDeliveryLock);
    --FDeliveries;
    FDeliveryCond.notify_all();
}

bool TCustomFFConverter::AllDeliveriesEnded()
{
    std::lock_guard<std::mutex> guard(FDeliveryLock);
    return FDeliveries == 0;
}

void TCustomFFConverter::DeliverTerminate(const TTerminateInfo& AInfo, bool AFinal)
{
    const TTerminateEvent handler = OnTerminate;
    if (!handler)
        return;
    if (FThreadMode) {
        {
            std::lock_guard<std::mutex> guard(FDeliveryLock);
            if (!AFinal)
                ++FDeliveries;
            ++FDeliveryThreads;
        }
        (new TDoTerminateThread(this, handler, AInfo, AFinal))->Start();
        return;
    }
    // Sequential: on the calling thread. Tasks cancelled by a Stop report
    // from threads of their own, so the final record still waits for them.
    if (AFinal) {
        platform::WaitUntilServing([this] { return AllDeliveriesEnded(); });
        CallTerminateHandler(handler, AInfo);
        return;
    }
    DeliveryStarted();
    CallTerminateHandler(handler, AInfo);
    DeliveryEnded();
}

void TCustomFFConverter::DoTerminate(platform::TObject* Sender)
{
    TTerminateInfo info;
    {
        TLockGuard guard(FTerminateLock);
        const auto* job = dynamic_cast<const TCustomFFmpeg*>(Sender);
        FTerminateInfo = TTerminateInfo{FFFmpegList.IndexOf(Sender), job && job->Finished(),
                                        job && job->FatalException(), job ? job->FatalMessage() : std::string()};
        info = FTerminateInfo;
    }
    DeliverTerminate(info, false);
    bool startNext = false;
    bool final = false;
    {
        std::lock_guard<std::mutex> guard(FRunLock);
        ++FCompleteTasks;
        if (FPendingTasks >= 1) {
            startNext = FThreadMode;
        } else if (FCompleteTasks >= TasksCount() && !FFinalDone) {
            FFinalDone = true;
            final = true;
        }
    }
    if (startNext)
        StartNextTask();
    if (final)
        DoFinalTerminate();
}

void TCustomFFConverter::DoFinalTerminate()
{
    TTerminateInfo info;
    {
        TLockGuard guard(FTerminateLock);
        FTerminateInfo = TTerminateInfo{-1, true, false, std::string()};
        info = FTerminateInfo;
    }
    DeliverTerminate(info, true);
    FTerminated = true;
}

} // namespace engine
