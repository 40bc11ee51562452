// Adding files: one, several, or every file of a folder. Each file is
// probed, gets a task, and becomes a row that owns its task's records.
#include "app/workflow/Workflow.h"

#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/PresetTexts.h"
#include "platform/core/SysUtils.h"

#include <filesystem>

namespace app {

using namespace profiles;

namespace {

const char* const EmptyFolderText = "在该目录没有发现可以用的视频或音频文件！";

// The files (no folders) directly in AFolder, in the order the file system
// lists them.
std::vector<std::string> FolderFiles(const std::string& AFolder)
{
    std::vector<std::string> names;
    std::error_code error;
    const std::string folder = platform::IncludeTrailingPathDelimiter(AFolder);
    for (const auto& entry : std::filesystem::directory_iterator(AFolder, error)) {
        std::error_code typeError;
        if (!entry.is_directory(typeError))
            names.push_back(folder + entry.path().filename().string());
    }
    return names;
}

} // namespace

bool TConverterWorkflow::EnsureLibraries()
{
    if (FEngine.LibrariesLoaded() || FEngine.LoadLibraries())
        return true;
    AddLogLine(FEngine.LastError());
    return false;
}

void TConverterWorkflow::SelectLast()
{
    if (!FRows.Empty())
        SelectRow(FRows.Count() - 1);
}

TConverterWorkflow::TAddResult TConverterWorkflow::AddOne(const std::string& AFileName)
{
    TProbeResult probe;
    if (!FEngine.Probe(AFileName, probe)) {
        AddLogLine("");
        AddLogLine("***File load error: " + FEngine.LastError());
        AddLogLine("");
        return TAddResult::Skipped;
    }
    FView.FileProbed();
    FFields.Video_AddFileName = AFileName;

    TTaskRow row;
    engine::InitInputOptions(row.Input);
    const int task = FEngine.AddTask(AFileName, row.Input);
    if (task < 0) {
        AddLogLine("");
        AddLogLine("***File open error: " + FEngine.LastError());
        AddLogLine("");
        return TAddResult::Stop;
    }
    AddLogLine("");
    AddLogLine(FEngine.TaskInfoText(task));
    FPreviewFileName = AFileName;

    // The new row's defaults only: the selected row keeps its choice.
    engine::InitOutputOptions(row.Output);
    bool ready = false;
    std::string error;
    try {
        const std::optional<int> key = CatalogueKey(FCategory, FProfile);
        if (!key)
            throw EProfileError("No output profile is chosen.");
        const std::set<std::string> taken = FRows.OutputPaths(FOutputFolder);
        ApplyProfileDefaults(FFields, *key, Naming(&taken));
        ApplyShownPresets();
        OutputFieldsToOptions(FFields, row.Output);
        ready = FEngine.SetOutputFile(task, FFields.Video_OutPutFileName, row.Output);
        if (!ready)
            error = FEngine.LastError();
    } catch (const std::exception& E) {
        error = E.what();
    }
    if (!ready) {
        FEngine.RemoveTask(task);
        AddLogLine("");
        AddLogLine("***Cannot do convert, error: " + error);
        AddLogLine("");
        return TAddResult::Stop;
    }
    if (row.Output.FileName.empty())
        row.Output.FileName = FFields.Video_OutPutFileName;
    if (row.Input.FileName.empty())
        row.Input.FileName = AFileName;

    row.Caption = row.Input.FileName;
    row.Sub(siDuration) = probe.Duration > 0 ? SecToDate(int32_t(probe.Duration / 1000000)) : "N/A";
    row.Sub(siSourceSize) = MegabytesText(probe.FileSize);
    row.Sub(siOutputFileName) = platform::ExtractFileName(row.Output.FileName);
    row.Sub(siTaskNumber) = platform::IntToStr(task + 1);
    row.Sub(siProfileCode) = RowProfileCodeText(FCategory, FProfile);
    row.Sub(siPresetCode) = ShownPresetCode();
    WriteRecordSubItems(row);
    FRows.Append(std::move(row));
    FCommands.FileAdded();
    AddLogLine("");
    AddLogLine("***Can do convert.");
    AddLogLine("");
    FView.RowsChanged();
    return TAddResult::Added;
}

void TConverterWorkflow::AddFile(const std::string& AFileName)
{
    ResetOutputFields(FFields);
    if (!EnsureLibraries() || AFileName.empty() || !platform::FileExists(AFileName))
        return;
    if (AddOne(AFileName) == TAddResult::Added)
        SelectLast();
}

void TConverterWorkflow::AddFiles(const std::vector<std::string>& AFileNames)
{
    ResetOutputFields(FFields);
    if (!EnsureLibraries())
        return;
    // From the last to the first, as the several-files command always did.
    for (auto name = AFileNames.rbegin(); name != AFileNames.rend(); ++name) {
        if (!platform::FileExists(*name) || AddOne(*name) == TAddResult::Stop)
            return;
        FView.KeepResponsive();
    }
    SelectLast();
}

void TConverterWorkflow::AddFolder(const std::string& AFolder)
{
    const int before = FRows.Count();
    ResetOutputFields(FFields);
    if (!EnsureLibraries() || AFolder.empty() || !platform::DirectoryExists(AFolder))
        return;
    const std::vector<std::string> names = FolderFiles(AFolder);
    FView.FolderListed(names);
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        if (!platform::FileExists(*name) || AddOne(*name) == TAddResult::Stop)
            return;
        FView.KeepResponsive();
    }
    SelectLast();
    if (FRows.Count() <= before)
        FView.ShowHint(EmptyFolderText);
}

} // namespace app
