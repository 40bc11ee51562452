#include "app/workflow/Workflow.h"

#include "app/workflow/OutputFolder.h"
#include "app/workflow/ProgramFiles.h"

#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/PresetTexts.h"
#include "platform/core/SysUtils.h"

#include <utility>

namespace app {

using namespace profiles;

TConverterWorkflow::TConverterWorkflow(IConversionEngine& AEngine, TOptionFile& AOptionFile, IWorkflowView& AView)
    : FEngine(AEngine), FOptionFile(AOptionFile), FView(AView)
{
    ProgramFolder = ProgramDataFolder();
    ResetOutputFields(FFields);
    FEngine.OnProgress = [this](const engine::TProgressInfo& AInfo) { Progress(AInfo); };
    FEngine.OnTerminate = [this](const engine::TTerminateInfo& AInfo) { Terminate(AInfo); };
}

TConverterWorkflow::~TConverterWorkflow()
{
    FEngine.OnProgress = nullptr;
    FEngine.OnTerminate = nullptr;
}

void TConverterWorkflow::AddLogLine(const std::string& ALine)
{
    FLog.push_back(ALine);
    if (OnLog)
        OnLog(ALine);
}

void TConverterWorkflow::LoadSettings()
{
    FOutputFolder = FOptionFile.ReadOutPath();
    // Told once the window shows rather than by the first add that fails
    // on it.
    FSettingsProblem = OutputFolderProblem(FOutputFolder);
    if (!FSettingsProblem.empty())
        AddLogLine(FSettingsProblem);
    SetCategory(FCategory);
}

void TConverterWorkflow::ReportSettingsProblems()
{
    const std::string problem = std::exchange(FSettingsProblem, std::string());
    if (!problem.empty())
        FView.ShowHint(problem);
}

bool TConverterWorkflow::ChooseOutputFolder(const std::string& AFolder)
{
    // A path that names nothing leaves the folder as it was, unasked.
    if (AFolder.empty() || (!platform::DirectoryExists(AFolder) && !platform::FileExists(AFolder)))
        return false;
    if (const std::string problem = OutputFolderProblem(AFolder); !problem.empty()) {
        FView.ShowHint(problem);
        return false;
    }
    FOutputFolder = AFolder;
    FOptionFile.WriteOutPath(AFolder);
    return true;
}

void TConverterWorkflow::SetOptions(const TConversionOptions& AOptions)
{
    FOptions = AOptions;
    FEngine.SetPreview(AOptions.ShowPreview);
}

// -- output choice -----------------------------------------------------------

std::span<const char* const> TConverterWorkflow::ProfileNames() const
{
    return ProfileNamesAt(FCategory);
}

std::string TConverterWorkflow::ProfileCaption() const
{
    const auto names = ProfileNames();
    return FProfile >= 0 && FProfile < int(names.size()) ? names[size_t(FProfile)] : "";
}

std::string TConverterWorkflow::ProfileExtension() const
{
    return ExtensionOfProfileName(ProfileCaption());
}

std::string TConverterWorkflow::PresetText(TPreset APreset) const
{
    if (!FPresetLists)
        return std::string();
    const auto& texts = FPresetLists->Pick(APreset).Texts;
    const int index = PresetIndex(APreset);
    return index >= 0 && index < int(texts.size()) ? texts[size_t(index)] : "";
}

bool TConverterWorkflow::PresetEnabled(TPreset APreset) const
{
    if (!FPresetLists || !FPresetLists->AudioOnly)
        return true;
    for (TPreset p : AudioOnlyDisabledPresets)
        if (p == APreset)
            return false;
    return true;
}

TOutputNaming TConverterWorkflow::Naming(const std::set<std::string>* ATaken) const
{
    return TOutputNaming{FOutputFolder, Options().Overwrite, ATaken};
}

void TConverterWorkflow::FillPresetLists()
{
    const std::optional<int> key = CatalogueKey(FCategory, FProfile);
    FFields.All_Trant_Number = key.value_or(0);
    FFields.Video_DisableVideo = false;
    FPresetLists = key ? FindPresetChoices(*key) : std::nullopt;
    for (TPreset p : AllPresets)
        FPresetIndexes[size_t(p)] = FPresetLists ? FPresetLists->Pick(p).DefaultIndex : -1;
}

void TConverterWorkflow::ApplyShownPresets()
{
    if (!FPresetLists)
        return;
    std::array<std::string, PresetCount> texts;
    for (TPreset p : AllPresets)
        texts[size_t(p)] = PresetText(p);
    ApplyPresetTexts(FFields, texts);
}

std::string TConverterWorkflow::ShownPresetCode() const
{
    std::array<int, PresetCount> indexes{};
    for (TPreset p : AllPresets)
        indexes[size_t(p)] = std::max(0, PresetIndex(p));
    return PresetCode(indexes);
}

void TConverterWorkflow::SetCategory(int AIndex)
{
    FCategory = AIndex;
    SetProfile(0);
}

void TConverterWorkflow::SetProfile(int AIndex)
{
    FProfile = AIndex;
    FillPresetLists();
    ApplyChoiceToSelectedRow();
    FView.ChoiceChanged();
}

void TConverterWorkflow::SetPreset(TPreset APreset, int AIndex)
{
    if (!FPresetLists || AIndex < 0 || AIndex >= int(FPresetLists->Pick(APreset).Texts.size()))
        return;
    FPresetIndexes[size_t(APreset)] = AIndex;
    ApplyPresetToSelectedRow();
    FView.ChoiceChanged();
}

void TConverterWorkflow::ApplyPresetToSelectedRow()
{
    TTaskRow* row = FRows.Selected();
    if (!row)
        return;
    const int index = FRows.ItemIndex();
    try {
        // A preset leaves the extension, and so the row's name, as it is.
        LoadChoiceFields(index);
        FFields.Video_OutPutFileName = RowOutputPath(FOutputFolder, *row);
        WriteFieldsIntoRow(*row);
        row->Sub(siPresetCode) = ShownPresetCode();
    } catch (const std::exception& E) {
        AddLogLine(E.what());
    }
    FView.RowChanged(index);
}

void TConverterWorkflow::LoadChoiceFields(int ARow)
{
    const std::optional<int> key = CatalogueKey(FCategory, FProfile);
    if (!key)
        throw EProfileError("No output profile is chosen.");
    const std::set<std::string> taken = FRows.TakenPaths(FOutputFolder, ARow);
    FFields.Video_AddFileName = ARow >= 0 ? FRows.Row(ARow).Caption : FFields.Video_AddFileName;
    ApplyProfileDefaults(FFields, *key, Naming(&taken));
    // The presets shown win over the profile's own values, so the row
    // converts with what the lists say.
    ApplyShownPresets();
}

void TConverterWorkflow::WriteFieldsIntoRow(TTaskRow& ARow) const
{
    engine::TOutputOptions record;
    engine::InitOutputOptions(record);
    OutputFieldsToOptions(FFields, record);
    record.FileName = ARow.Output.FileName;
    ARow.Output = std::move(record);
    const auto values = ProfileRowSubItems(FFields);
    for (int i = 0; i < ProfileRowSubItemCount; ++i)
        ARow.Sub(siVideoCodec + i) = values[size_t(i)];
}

void TConverterWorkflow::SetRowOutput(int ARow, const std::string& APath)
{
    TTaskRow& row = FRows.Row(ARow);
    const std::string before = RowOutputPath(FOutputFolder, row);
    row.Sub(siOutputFileName) = platform::ExtractFileName(APath);
    row.Output.FileName = RowOutputPath(FOutputFolder, row);
    if (row.Output.FileName != before)
        RenewRowTask(ARow);
}

void TConverterWorkflow::RenewRowTask(int ARow)
{
    TTaskRow& row = FRows.Row(ARow);
    const int number = platform::StrToIntDef(row.Sub(siTaskNumber), 0);
    try {
        if (number >= 1) {
            FEngine.RemoveTask(number - 1);
            FRows.TaskRemoved(number);
        }
        row.Sub(siTaskNumber) = "0";
        engine::TInputOptions input;
        engine::InitInputOptions(input);
        const int task = FEngine.AddTask(row.Caption, input);
        if (task < 0) {
            AddLogLine("***File open error: " + FEngine.LastError());
            return;
        }
        engine::TOutputOptions output = row.Output;
        if (!FEngine.SetOutputFile(task, row.Output.FileName, output)) {
            AddLogLine("***Cannot do convert, error: " + FEngine.LastError());
            FEngine.RemoveTask(task);
            return;
        }
        row.Sub(siTaskNumber) = platform::IntToStr(task + 1);
    } catch (const std::exception& E) {
        // Start builds every task afresh and reports what it cannot build.
        AddLogLine(E.what());
    }
}

// The catalogue's row update on a change of category or profile: the
// profile's values and the presets shown into the selected row, and an
// output name derived afresh from its source.
void TConverterWorkflow::ApplyChoiceToSelectedRow()
{
    TTaskRow* row = FRows.Selected();
    const std::optional<int> key = CatalogueKey(FCategory, FProfile);
    if (!row || !key)
        return;
    const int index = FRows.ItemIndex();
    try {
        LoadChoiceFields(index);
        WriteFieldsIntoRow(*row);
        row->Sub(siProfileCode) = RowProfileCodeText(FCategory, FProfile);
        row->Sub(siPresetCode) = ShownPresetCode();
        SetRowOutput(index, FFields.Video_OutPutFileName);
    } catch (const std::exception& E) {
        AddLogLine(E.what());
    }
    FView.RowChanged(index);
}

// Selecting a row puts its choice back into the lists and the output
// fields; the row itself already holds what that choice makes, so it is
// not rewritten (a name the user gave it stays).
void TConverterWorkflow::SelectRow(int AIndex)
{
    FRows.SetItemIndex(AIndex);
    TTaskRow* row = FRows.Selected();
    if (!row) {
        FView.RowsChanged();
        return;
    }
    try {
        if (const auto choice = ParseRowChoice(row->Sub(siProfileCode), row->Sub(siPresetCode))) {
            FCategory = choice->CategoryPosition;
            FProfile = choice->ProfilePosition;
            FillPresetLists();
            // A list ignores an index it does not have.
            for (TPreset p : AllPresets) {
                const int i = choice->PresetIndexes[size_t(p)];
                if (FPresetLists && i >= 0 && i < int(FPresetLists->Pick(p).Texts.size()))
                    FPresetIndexes[size_t(p)] = i;
            }
            LoadChoiceFields(AIndex);
            FFields.Video_OutPutFileName = RowOutputPath(FOutputFolder, *row);
        }
        FPreviewFileName = row->Caption;
        FView.ChoiceChanged();
        FView.RowsChanged();
        FView.PreviewFile(FPreviewFileName);
    } catch (const std::exception& E) {
        AddLogLine(E.what());
    }
}

} // namespace app
