// What the settings dialogs do to the selected row and the output fields:
// the output settings dialog while it is open (and how Cancel undoes it),
// the legacy dialog at its creation and on its OK.

#include "app/workflow/Workflow.h"

#include "platform/core/Format.h"
#include "profiles/DialogPresetTexts.h"
#include "profiles/LegacyPresetLists.h"
#include "profiles/LegacyProfileDefaults.h"
#include "profiles/LegacyProfileList.h"
#include "profiles/OutputDialogCatalogue.h"

namespace app {

using namespace profiles;

TConverterWorkflow::TDialogState TConverterWorkflow::SaveDialogState() const
{
    TDialogState state;
    state.Row = FRows.ItemIndex();
    if (state.Row >= 0)
        state.RowCopy = FRows.Row(state.Row);
    state.Fields = FFields;
    return state;
}

void TConverterWorkflow::RestoreDialogState(const TDialogState& AState)
{
    FFields = AState.Fields;
    if (AState.RowCopy && AState.Row >= 0 && AState.Row < FRows.Count()) {
        TTaskRow& row = FRows.Row(AState.Row);
        // The engine's task list moved on since the copy was taken.
        const std::string number = row.Sub(siTaskNumber);
        const std::string path = RowOutputPath(FOutputFolder, row);
        row = *AState.RowCopy;
        row.Sub(siTaskNumber) = number;
        if (RowOutputPath(FOutputFolder, row) != path)
            RenewRowTask(AState.Row);
        FView.RowChanged(AState.Row);
    }
}

std::optional<TPresetChoices> TConverterWorkflow::DialogPresetFill(int ACategory, int AProfile)
{
    return OutputDialogPresetFill(FFields, ACategory, AProfile);
}

void TConverterWorkflow::DialogProfileChanged(int ACategory, int AProfile,
                                              const std::array<std::string, PresetCount>& AShownTexts)
{
    TTaskRow* row = FRows.Selected();
    if (!row)
        return;
    const int index = FRows.ItemIndex();
    try {
        const std::set<std::string> taken = FRows.TakenPaths(FOutputFolder, index);
        FFields.Video_AddFileName = row->Caption;
        const TOutputDialogRowEdits edits = ApplyOutputDialogProfileChange(
            FFields, ACategory, AProfile, AShownTexts, row->Sub(siOutputFileName), Naming(&taken));
        // The row converts with what the dialog shows: its value sub-items
        // and its record follow the presets, as the output fields do; its
        // name is derived afresh from its source.
        WriteFieldsIntoRow(*row);
        row->Sub(siProfileCode) = edits.ProfileCode;
        SetRowOutput(index, FFields.Video_OutPutFileName);
    } catch (const std::exception& E) {
        AddLogLine(E.what());
    }
    FView.RowChanged(index);
}

void TConverterWorkflow::DialogPresetChanged(TPreset APreset, int AIndex, const std::string& AShownText)
{
    TTaskRow* row = FRows.Selected();
    if (!row)
        return;
    try {
        const TRowEdit edit = ApplyDialogPresetChange(FFields, APreset, AIndex, AShownText, row->Sub(siPresetCode));
        WriteFieldsIntoRow(*row);
        row->Sub(edit.SubItem) = edit.Text;
    } catch (const std::exception& E) {
        AddLogLine(E.what());
    }
    FView.RowChanged(FRows.ItemIndex());
}

void TConverterWorkflow::DialogPresetTexts(const std::array<std::string, PresetCount>& AShownTexts)
{
    try {
        ApplyDialogPresetTexts(FFields, AShownTexts);
    } catch (const std::exception& E) {
        AddLogLine(E.what());
    }
}

std::optional<TPresetChoices> TConverterWorkflow::LegacyPresetFill(int ACategory, int AProfile)
{
    return profiles::LegacyPresetFill(FFields, ACategory, AProfile);
}

void TConverterWorkflow::LegacyDialogOk(int ACategory, int AProfile,
                                        const std::array<std::string, PresetCount>& AShownTexts)
{
    try {
        ApplyLegacyDialogOk(FFields, ACategory, AProfile, AShownTexts, Naming(nullptr));
    } catch (const std::exception& E) {
        AddLogLine(E.what());
    }
}

void TConverterWorkflow::LegacyProfileDefaults(int ACategory, int AProfile)
{
    // The OK path with the shown texts left out: defaults only, all or none.
    profiles::TOutputFields fields = FFields;
    try {
        ApplyLegacyProfileDefaults(fields, LegacyDefaultsKey(ACategory, AProfile), Naming(nullptr));
    } catch (const std::exception& E) {
        AddLogLine(E.what());
        return;
    }
    FFields = std::move(fields);
}

void TConverterWorkflow::ResetFields()
{
    ResetOutputFields(FFields);
}

} // namespace app
