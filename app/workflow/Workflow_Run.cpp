// Runs: the rebuild of every task from its row at Start, pause, resume and
// stop, the progress and end records, and what happens after a run.
#include "app/workflow/Workflow.h"

#include "profiles/ProfileDefaults.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/ShellExecute.h"
#include "platform/shell/SystemActions.h"

namespace app {

using namespace profiles;

namespace {

platform::TThreadPriority ThreadPriorityOf(TRunPriority APriority)
{
    switch (APriority) {
    case TRunPriority::Idle: return platform::TThreadPriority::tpIdle;
    case TRunPriority::Lowest: return platform::TThreadPriority::tpLowest;
    case TRunPriority::Lower: return platform::TThreadPriority::tpLower;
    case TRunPriority::Normal: break;
    }
    return platform::TThreadPriority::tpNormal;
}

} // namespace

int TConverterWorkflow::RowReading(const std::string& APath) const
{
    const std::string key = OutputPathKey(APath);
    for (int i = 0; i < FRows.Count(); ++i)
        if (OutputPathKey(FRows.Row(i).Caption) == key)
            return i;
    return -1;
}

void TConverterWorkflow::Start()
{
    const TConversionOptions options = Options();
    FEngine.SetThreadPriority(ThreadPriorityOf(options.Priority));
    try {
        FEngine.ClearTasks();
    } catch (const std::exception& E) {
        AddLogLine(E.what());
        return;
    }
    FTaskRows.clear();
    std::set<std::string> claimed; // the outputs of this run's tasks so far
    std::vector<std::string> refusals;
    for (int i = 0; i < FRows.Count(); ++i) {
        TTaskRow& row = FRows.Row(i);
        row.Input.FileName = row.Caption;
        ApplyRowToRecord(row, row.Output);
        std::string path = RowOutputPath(FOutputFolder, row);
        // A file that appeared since the name was chosen is not overwritten
        // unless the user said so; the row shows the new name.
        if (!options.Overwrite && (platform::FileExists(path) || claimed.count(OutputPathKey(path)) != 0)) {
            std::set<std::string> taken = FRows.TakenPaths(FOutputFolder, i);
            taken.insert(claimed.begin(), claimed.end());
            path = MakeOutputFileName(path, platform::ExtractFileExt(path), Naming(&taken));
            row.Sub(siOutputFileName) = platform::ExtractFileName(path);
        }
        // Overwriting never reaches a file that a row of the list reads:
        // its conversion would be lost and the other one would read a file
        // being written.
        // A row that gets no task says so in its progress cell and in the
        // box, by its file: a quiet mark would pass for a file not yet run.
        const auto refuse = [&](const std::string& ALogLine, const std::string& AText) {
            row.Sub(siProgress) = FailedProgressText;
            AddLogLine(ALogLine);
            refusals.push_back(AText);
        };
        if (const int reader = RowReading(path); reader >= 0) {
            refuse("***Cannot do convert, error: " + path + " is the input of row " + platform::IntToStr(reader + 1),
                   "“" + row.Caption + "”的输出文件“" + path + "”是列表中“" + FRows.Row(reader).Caption +
                       "”的源文件，这个文件不会转换。");
            continue;
        }
        claimed.insert(OutputPathKey(path));
        // The row's records name what this run reads and writes.
        row.Output.FileName = path;
        const int task = FEngine.AddTask(row.Caption, row.Input);
        if (task < 0) {
            refuse("***File open error: " + FEngine.LastError(),
                   "无法转换“" + row.Caption + "”：无法打开（" + FEngine.LastError() + "）。");
            continue;
        }
        if (!FEngine.SetOutputFile(task, path, row.Output)) {
            refuse("***Cannot do convert, error: " + FEngine.LastError(),
                   "无法转换“" + row.Caption + "”：无法设置输出文件“" + path + "”（" + FEngine.LastError() + "）。");
            FEngine.RemoveTask(task);
            continue;
        }
        FTaskRows[task] = i;
    }
    FCommands.Started(true);
    FRunning = true;
    FStopped = false;
    FView.RowsChanged();
    FEngine.Start(options.ThreadCount);
    ReportRefusals(refusals);
}

void TConverterWorkflow::Pause()
{
    FCommands.Paused();
    FEngine.Pause();
}

void TConverterWorkflow::Resume()
{
    FCommands.Resumed();
    FEngine.Resume();
}

void TConverterWorkflow::Stop()
{
    FCommands.Stopped();
    FStopped = true;
    FEngine.Stop(true);
}

void TConverterWorkflow::Close()
{
    FClosing = true;
    FEngine.OnProgress = nullptr;
    FEngine.OnTerminate = nullptr;
    FEngine.Stop(true);
}

void TConverterWorkflow::Progress(const engine::TProgressInfo& AInfo)
{
    const auto found = FTaskRows.find(AInfo.TaskIndex);
    if (FClosing || found == FTaskRows.end() || found->second >= FRows.Count())
        return;
    TTaskRow& row = FRows.Row(found->second);
    row.Sub(siProgress) = ProgressText(AInfo.CurrentDuration, AInfo.TotalDuration);
    if (AInfo.FPS > 0)
        row.Sub(siFPS) = platform::IntToStr(AInfo.FPS);
    row.Sub(siConvertedTime) = SecToDate(int32_t(AInfo.CurrentDuration / 1000000));
    row.Sub(siConvertedSize) = MegabytesText(AInfo.CurrentSize);
    FView.RowChanged(found->second);
}

void TConverterWorkflow::Terminate(const engine::TTerminateInfo& AInfo)
{
    if (FClosing)
        return;
    if (AInfo.TaskIndex < 0) {
        FRunning = false;
        FCommands.RunEnded();
        // A run the user stopped ends without its after-finish action.
        if (!FStopped)
            RunAfterFinish();
        return;
    }
    const auto found = FTaskRows.find(AInfo.TaskIndex);
    const bool known = found != FTaskRows.end() && found->second < FRows.Count();
    if (known && (AInfo.Exception || AInfo.Finished)) {
        // A failure shows as one, whatever the last progress record said
        // (a file lost at its end had reached "100%" before).
        FRows.Row(found->second).Sub(siProgress) = AInfo.Exception ? FailedProgressText : "100%";
        FView.RowChanged(found->second);
    }
    // The row's cell keeps what its end says until the next run: a progress
    // record still on its way changes nothing now.
    std::string caption;
    if (known) {
        caption = FRows.Row(found->second).Caption;
        FTaskRows.erase(found);
    }
    if (AInfo.Exception) {
        // With several files the engine's text alone does not tell which
        // one failed.
        FView.ShowTaskError(known ? caption + "\n" + AInfo.ExceptionMsg : AInfo.ExceptionMsg);
    }
}

void TConverterWorkflow::RunAfterFinish()
{
    // Read now: a choice made while the run went on counts for it.
    switch (Options().AfterDone) {
    case TAfterDone::OpenFolder: OpenOutputFolder(); break;
    case TAfterDone::Shutdown: ShutDown(); break;
    case TAfterDone::PlaySound: PlayFinishSound(); break;
    case TAfterDone::Nothing: break;
    }
}

void TConverterWorkflow::OpenOutputFolder()
{
    // The desktop's answer is not ours to report.
    platform::ShellOpenFolder(FOutputFolder);
}

void TConverterWorkflow::ShutDown()
{
    if (!FView.ConfirmShutdown())
        return;
    std::string error;
    if (!platform::SystemActions().Shutdown(error))
        AddLogLine("Shutdown refused: " + error);
}

void TConverterWorkflow::PlayFinishSound()
{
    const std::string sound = platform::IncludeTrailingPathDelimiter(ProgramFolder) + "sounds/ring001.wav";
    std::string error;
    if (platform::FileExists(sound))
        platform::SystemActions().PlaySound(sound, error);
}

} // namespace app
