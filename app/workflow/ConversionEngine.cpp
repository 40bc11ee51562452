#include "app/workflow/ConversionEngine.h"

#include "engine/probe/AVProbe.h"
#include "platform/core/MainThread.h"

namespace app {

TConverterEngine::TConverterEngine() : FConverter(std::make_unique<engine::TFFConverter>(nullptr))
{
    FConverter->OnProgress = [this](platform::TObject*, engine::PProgressInfo AInfo) {
        if (OnProgress)
            OnProgress(*AInfo);
    };
    // Task ends arrive on short-lived delivery threads; the window's work
    // for each is done on the GUI thread, one record after another.
    FConverter->OnTerminate = [this](platform::TObject*, const engine::TTerminateInfo& AInfo) {
        engine::TTerminateInfo copy = AInfo;
        platform::Synchronize([this, copy] {
            if (OnTerminate)
                OnTerminate(copy);
        });
    };
}

TConverterEngine::~TConverterEngine()
{
    OnProgress = nullptr;
    OnTerminate = nullptr;
    // The component stops its run and joins its workers and delivery
    // threads before it goes; they read its events until then, so they are
    // left in place rather than cleared under their feet.
    FConverter.reset();
}

bool TConverterEngine::LibrariesLoaded() const
{
    return FConverter->AVLibLoaded();
}

bool TConverterEngine::LoadLibraries()
{
    // The libraries are the system's FFmpeg, found by the loader itself.
    if (FConverter->LoadAVLib(""))
        return true;
    FLastError = FConverter->LastErrMsg();
    return false;
}

bool TConverterEngine::Probe(const std::string& AFileName, TProbeResult& AResult)
{
    engine::TAVProbe* probe = FConverter->AVProbe();
    if (!probe->LoadFile(AFileName, "")) {
        FLastError = probe->LastErrMsg();
        return false;
    }
    AResult.Duration = probe->FileStreamInfo().Duration;
    AResult.FileSize = probe->FileSize();
    return true;
}

int TConverterEngine::AddTask(const std::string& AFileName, engine::TInputOptions& AOptions)
{
    try {
        const int task = FConverter->AddTask(AFileName, &AOptions);
        if (task < 0)
            FLastError = FConverter->LastErrMsg();
        return task;
    } catch (const std::exception& E) {
        FLastError = E.what();
        return -1;
    }
}

std::string TConverterEngine::TaskInfoText(int ATaskIndex)
{
    engine::TAVProbe* probe = FConverter->GetTaskAVProbe(ATaskIndex, 0);
    return probe ? probe->FileInfoText() : std::string();
}

bool TConverterEngine::SetOutputFile(int ATaskIndex, const std::string& AFileName, engine::TOutputOptions& AOptions)
{
    if (FConverter->SetOutputFile(ATaskIndex, AFileName, &AOptions))
        return true;
    FLastError = FConverter->LastErrMsg();
    return false;
}

void TConverterEngine::RemoveTask(int ATaskIndex)
{
    FConverter->RemoveTask(ATaskIndex);
}

void TConverterEngine::ClearTasks()
{
    FConverter->ClearTasks();
}

void TConverterEngine::SetThreadPriority(platform::TThreadPriority APriority)
{
    FConverter->SetThreadPriority(APriority);
}

void TConverterEngine::Start(int AThreadCount)
{
    FConverter->Start(AThreadCount);
}

void TConverterEngine::Pause()
{
    FConverter->Pause();
}

void TConverterEngine::Resume()
{
    FConverter->Resume();
}

void TConverterEngine::Stop(bool AWaitFor)
{
    FConverter->Stop(AWaitFor);
}

void TConverterEngine::SetPreview(bool AValue)
{
    FConverter->SetPreview(AValue);
}

} // namespace app
