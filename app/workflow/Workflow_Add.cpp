// Adding files: one, several, or every file of a folder. Each file is
// probed, gets a task, and becomes a row that owns its task's records.
#include "app/workflow/Workflow.h"

#include "app/workflow/OutputFolder.h"

#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/PresetTexts.h"
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <filesystem>

namespace app {

using namespace profiles;

namespace {

const char* const EmptyFolderText = "在该目录没有发现可以用的视频或音频文件！";

std::string AddRefusedText(const std::string& AWhat, const std::string& AReason)
{
    return "无法添加“" + AWhat + "”：" + AReason;
}

// The files (no folders) directly in AFolder, in the order a file manager
// shows them (CompareLogicalText; names equal to it by their bytes), so the
// rows of a folder come in an order the user can foresee.
std::vector<std::string> FolderFiles(const std::string& AFolder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(AFolder, error)) {
        std::error_code typeError;
        if (!entry.is_directory(typeError))
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end(), [](const std::string& A, const std::string& B) {
        const int order = platform::CompareLogicalText(A, B);
        return order != 0 ? order < 0 : A < B;
    });
    const std::string folder = platform::IncludeTrailingPathDelimiter(AFolder);
    for (std::string& name : names)
        name = folder + name;
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

TConverterWorkflow::TAddResult TConverterWorkflow::AddOne(const std::string& AFileName, std::string& AReason)
{
    TProbeResult probe;
    if (!FEngine.Probe(AFileName, probe)) {
        AddLogLine("");
        AddLogLine("***File load error: " + FEngine.LastError());
        AddLogLine("");
        AReason = "不是可以转换的视频或音频文件（" + FEngine.LastError() + "）。";
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
        AReason = "无法打开（" + FEngine.LastError() + "）。";
        return TAddResult::Stop;
    }
    AddLogLine("");
    AddLogLine(FEngine.TaskInfoText(task));
    FPreviewFileName = AFileName;

    // The new row gets its whole record from the choice shown; the selected
    // row keeps its own.
    bool ready = false;
    std::string error;
    try {
        LoadChoiceFields(-1);
        WriteFieldsIntoRow(row);
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
        AReason = "无法设置输出文件“" + FFields.Video_OutPutFileName + "”（" + error + "）。";
        return TAddResult::Stop;
    }
    row.Caption = row.Input.FileName;
    row.Sub(siDuration) = probe.Duration > 0 ? SecToDate(int32_t(probe.Duration / 1000000)) : "N/A";
    row.Sub(siSourceSize) = MegabytesText(probe.FileSize);
    row.Sub(siOutputFileName) = platform::ExtractFileName(row.Output.FileName);
    row.Sub(siTaskNumber) = platform::IntToStr(task + 1);
    row.Sub(siProfileCode) = RowProfileCodeText(FCategory, FProfile);
    row.Sub(siPresetCode) = ShownPresetCode();
    FRows.Append(std::move(row));
    FCommands.FileAdded();
    AddLogLine("");
    AddLogLine("***Can do convert.");
    AddLogLine("");
    FView.RowsChanged();
    return TAddResult::Added;
}

bool TConverterWorkflow::PrepareAdd()
{
    ResetOutputFields(FFields);
    return EnsureLibraries();
}

bool TConverterWorkflow::OutputFolderReady(const std::string& AWhat)
{
    const std::string problem = OutputFolderProblem(FOutputFolder);
    if (problem.empty())
        return true;
    AddLogLine(problem);
    FView.ShowHint(AddRefusedText(AWhat, problem));
    return false;
}

void TConverterWorkflow::ReportRefusals(const std::vector<std::string>& ARefusals)
{
    if (ARefusals.empty())
        return;
    std::string text;
    for (const std::string& line : ARefusals)
        text += (text.empty() ? "" : "\n") + line;
    FView.ShowHint(text);
}

void TConverterWorkflow::AddFile(const std::string& AFileName)
{
    if (!PrepareAdd() || AFileName.empty() || !platform::FileExists(AFileName) || !OutputFolderReady(AFileName))
        return;
    std::string reason;
    if (AddOne(AFileName, reason) == TAddResult::Added)
        SelectLast();
    else
        FView.ShowHint(AddRefusedText(AFileName, reason));
}

void TConverterWorkflow::AddFiles(const std::vector<std::string>& AFileNames)
{
    AddFileList(AFileNames, {});
}

void TConverterWorkflow::AddHandedFiles(const std::vector<std::string>& AFileNames)
{
    // Nothing handed over: start-up stays as it was.
    if (AFileNames.empty())
        return;
    // Names a desktop handed over may have gone meanwhile: those are told,
    // the others added.
    std::vector<std::string> present, refusals;
    for (const std::string& name : AFileNames) {
        const std::string file = platform::ExpandFileName(name);
        if (platform::FileExists(file))
            present.push_back(file);
        else
            refusals.push_back(AddRefusedText(file, "文件不存在。"));
    }
    AddFileList(present, std::move(refusals));
}

void TConverterWorkflow::AddFileList(const std::vector<std::string>& AFileNames, std::vector<std::string> ARefusals)
{
    if (!PrepareAdd())
        return;
    if (AFileNames.empty()) {
        ReportRefusals(ARefusals);
        return;
    }
    if (!OutputFolderReady(AFileNames.back()))
        return;
    std::vector<std::string>& refusals = ARefusals;
    // From the last to the first, as the several-files command always did.
    bool complete = true;
    for (auto name = AFileNames.rbegin(); name != AFileNames.rend() && complete; ++name) {
        std::string reason = "文件不存在。";
        const TAddResult result = platform::FileExists(*name) ? AddOne(*name, reason) : TAddResult::Stop;
        if (result != TAddResult::Added)
            refusals.push_back(AddRefusedText(*name, reason));
        complete = result != TAddResult::Stop;
        FView.KeepResponsive();
    }
    if (complete)
        SelectLast();
    ReportRefusals(refusals);
}

void TConverterWorkflow::AddFolder(const std::string& AFolder)
{
    const int before = FRows.Count();
    if (!PrepareAdd() || AFolder.empty() || !platform::DirectoryExists(AFolder) || !OutputFolderReady(AFolder))
        return;
    const std::vector<std::string> names = FolderFiles(AFolder);
    FView.FolderListed(names);
    std::vector<std::string> refusals;
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        std::string reason = "文件不存在。";
        // Files that are no media are what a folder commonly holds besides
        // media; only the log lists them.
        const TAddResult result = platform::FileExists(*name) ? AddOne(*name, reason) : TAddResult::Stop;
        if (result == TAddResult::Stop) {
            ReportRefusals({AddRefusedText(*name, reason)});
            return;
        }
        FView.KeepResponsive();
    }
    SelectLast();
    if (FRows.Count() <= before)
        FView.ShowHint(EmptyFolderText);
}

} // namespace app
