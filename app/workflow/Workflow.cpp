#include "app/workflow/Workflow.h"

#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/PresetTexts.h"
#include "platform/core/SysUtils.h"

namespace app {

using namespace profiles;

TConverterWorkflow::TConverterWorkflow(IConversionEngine& AEngine, TOptionFile& AOptionFile, IWorkflowView& AView)
    : FEngine(AEngine), FOptionFile(AOptionFile), FView(AView)
{
    ProgramFolder = platform::ExtractFilePath(platform::GetExeFileName());
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
    SetCategory(FCategory);
}

bool TConverterWorkflow::ChooseOutputFolder(const std::string& AFolder)
{
    if (AFolder.empty() || !platform::DirectoryExists(AFolder))
        return false;
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
    return TOutputNaming{FOutputFolder, FOptions.Overwrite, ATaken};
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
    ApplyPresetToSelectedRow(APreset);
    FView.ChoiceChanged();
}

void TConverterWorkflow::ApplyPresetToSelectedRow(TPreset APreset)
{
    TTaskRow* row = FRows.Selected();
    if (!row)
        return;
    try {
        const TRowEdit edit =
            ApplyPresetChange(FFields, APreset, PresetIndex(APreset), PresetText(APreset), row->Sub(siPresetCode));
        row->Sub(edit.SubItem) = edit.Text;
    } catch (const std::exception& E) {
        AddLogLine(E.what());
    }
    FView.RowChanged(FRows.ItemIndex());
}

std::string TConverterWorkflow::FreeRowName(int ARow, const std::string& AName) const
{
    const std::set<std::string> taken = FRows.OutputPaths(FOutputFolder, ARow);
    const std::string folder = platform::IncludeTrailingPathDelimiter(FOutputFolder);
    const std::string ext = platform::ExtractFileExt(AName);
    const std::string base = AName.substr(0, AName.size() - ext.size());
    std::string name = AName;
    for (int n = 1; taken.count(folder + name) != 0; ++n)
        name = base + "_" + platform::IntToStr(n) + ext;
    return name;
}

// The catalogue's row update: the profile's values and the presets shown
// into the selected row, its output name with the profile's extension.
void TConverterWorkflow::ApplyChoiceToSelectedRow()
{
    TTaskRow* row = FRows.Selected();
    const std::optional<int> key = CatalogueKey(FCategory, FProfile);
    if (!row || !key)
        return;
    const int index = FRows.ItemIndex();
    try {
        const std::set<std::string> taken = FRows.OutputPaths(FOutputFolder, index);
        FFields.Video_AddFileName = row->Caption;
        ApplyProfileDefaults(FFields, *key, Naming(&taken));
        // The presets shown win over the profile's own values, so the row
        // converts with what the lists say.
        ApplyShownPresets();
        const auto values = ProfileRowSubItems(FFields);
        for (int i = 0; i < ProfileRowSubItemCount; ++i)
            row->Sub(siVideoCodec + i) = values[size_t(i)];
    } catch (const std::exception& E) {
        AddLogLine(E.what());
    }
    row->Sub(siOutputFileName) =
        FreeRowName(index, RowOutputNameForExtension(row->Sub(siOutputFileName), ProfileExtension()));
    row->Output.FileName = RowOutputPath(FOutputFolder, *row);
    row->Sub(siProfileCode) = RowProfileCodeText(FCategory, FProfile);
    row->Sub(siPresetCode) = ShownPresetCode();
    FView.RowChanged(index);
}

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
            ApplyChoiceToSelectedRow();
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
