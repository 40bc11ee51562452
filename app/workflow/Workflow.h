#pragma once
// The converter's work behind the main window: the output choice (category,
// profile, six presets and the output fields the catalogue derives), the
// task list, adding files, editing the list, runs with their progress and
// ends, and what happens after a run. The window shows what this holds and
// forwards the user's commands; everything here runs on the GUI thread.

#include "app/workflow/CommandStates.h"
#include "app/workflow/ConversionEngine.h"
#include "app/workflow/OptionFile.h"
#include "app/workflow/TaskRows.h"
#include "profiles/PresetLists.h"
#include "profiles/ProfileDefaults.h"

#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace app {

// What the workflow asks of the window.
class IWorkflowView {
public:
    virtual ~IWorkflowView() = default;
    // A "提示" box with one OK button.
    virtual void ShowHint(const std::string& AText) = 0;
    // A task's failure, in a warning box titled with the program's name.
    virtual void ShowTaskError(const std::string& AText) = 0;
    // The 60-second countdown before a shutdown; true only when it ran out.
    virtual bool ConfirmShutdown() = 0;
    // Rows were added, removed, moved or cleared.
    virtual void RowsChanged() = 0;
    // One row's texts changed (progress); the window repaints it later.
    virtual void RowChanged(int AIndex) = 0;
    // The output choice or its lists changed.
    virtual void ChoiceChanged() = 0;
    // Open a file paused in the preview pane; stop the preview.
    virtual void PreviewFile(const std::string& AFileName) = 0;
    virtual void StopPreview() = 0;
    // Lets the window paint between files of a long add.
    virtual void KeepResponsive() = 0;
    // The names a folder scan found, in name order, before any of them is
    // added (the window lists them).
    virtual void FolderListed(const std::vector<std::string>& ANames) { (void)ANames; }
    // A probed file is about to become a row (the window resets its add
    // progress).
    virtual void FileProbed() {}
};

class TConverterWorkflow {
public:
    TConverterWorkflow(IConversionEngine& AEngine, TOptionFile& AOptionFile, IWorkflowView& AView);
    ~TConverterWorkflow();

    // -- settings ---------------------------------------------------------
    // Reads the output folder; the options dialog's values come in through
    // SetOptions (the dialog owns them).
    void LoadSettings();
    // An output folder read that cannot take files, told in a "提示" box
    // (once; the window calls this when it shows).
    void ReportSettingsProblems();
    const std::string& OutputFolder() const { return FOutputFolder; }
    // A chosen folder; false (nothing changes) when it does not exist.
    bool ChooseOutputFolder(const std::string& AFolder);
    // The options as they are now: the options dialog's controls when it
    // is connected (it owns them and they change while the program runs),
    // else the last ones set.
    TConversionOptions Options() const { return OptionsSource ? OptionsSource() : FOptions; }
    void SetOptions(const TConversionOptions& AOptions);
    std::function<TConversionOptions()> OptionsSource;
    // The folder of sounds/ring001.wav and help/; by default where the
    // program's shipped files are (ProgramDataFolder).
    std::string ProgramFolder;

    // -- output choice ----------------------------------------------------
    int CategoryIndex() const { return FCategory; }
    int ProfileIndex() const { return FProfile; }
    std::span<const char* const> ProfileNames() const;
    std::string ProfileCaption() const;
    // The lists of the current profile; none when it has none.
    const profiles::TPresetChoices* PresetLists() const { return FPresetLists ? &*FPresetLists : nullptr; }
    int PresetIndex(profiles::TPreset APreset) const { return FPresetIndexes[size_t(APreset)]; }
    std::string PresetText(profiles::TPreset APreset) const;
    bool PresetEnabled(profiles::TPreset APreset) const;
    const profiles::TOutputFields& Fields() const { return FFields; }

    // The user's choices; each writes the selected row as the lists do.
    void SetCategory(int AIndex);
    void SetProfile(int AIndex);
    void SetPreset(profiles::TPreset APreset, int AIndex);
    // The catalogue's single steps, which the window's hidden buttons run.
    // The preset lists: the catalogue key and a cleared video flag into the
    // output fields, and the current profile's lists with their default
    // entries chosen; the selected row is left alone.
    void FillPresetLists();
    // The six preset texts shown into the output fields.
    void ApplyShownPresets();

    // -- the list ---------------------------------------------------------
    TTaskList& Rows() { return FRows; }
    const TTaskList& Rows() const { return FRows; }
    const TCommandStates& Commands() const { return FCommands; }
    TCommandStates& Commands() { return FCommands; }
    const std::vector<std::string>& Log() const { return FLog; }
    void AddLogLine(const std::string& ALine);
    std::function<void(const std::string&)> OnLog;

    // Selecting a row restores its choice into the lists and previews it.
    void SelectRow(int AIndex);

    // Adding. Before a chooser opens: the output fields reset and the media
    // libraries loaded; false (the log says why) when they cannot be.
    bool PrepareAdd();
    // The chooser already ran; these take its result. An add that cannot
    // be made says so in a "提示" box naming the file and the reason.
    void AddFile(const std::string& AFileName);
    void AddFiles(const std::vector<std::string>& AFileNames);
    // Files the program was started with: relative names count from the
    // current folder, and missing ones are told while the rest are added.
    void AddHandedFiles(const std::vector<std::string>& AFileNames);
    void AddFolder(const std::string& AFolder);

    // Editing.
    void RemoveSelected();
    void MoveSelectedUp();
    void MoveSelectedDown();
    // The row a rename starts on and its name without extension; none (with
    // the hint when AWithHint) when no row is selected.
    std::optional<int> BeginRename(bool AWithHint);
    // Ends a rename of row ARow: false when the name was refused or empty
    // (the edit stays open on an empty name).
    bool FinishRename(int ARow, const std::string& AText);
    void Clear();
    void ListClicked();

    // Running.
    void Start();
    void Pause();
    void Resume();
    void Stop();
    // The window closes: no row changes and no after-finish action from now.
    void Close();
    bool Running() const { return FRunning; }

    // The engine's records (the engine calls these through its events).
    void Progress(const engine::TProgressInfo& AInfo);
    void Terminate(const engine::TTerminateInfo& AInfo);

    // After-finish actions (also the "打开" button for the folder).
    void OpenOutputFolder();
    void ShutDown();
    void PlayFinishSound();

    // The extension the current profile gives output names (".mp3").
    std::string ProfileExtension() const;

    // -- the output settings dialog ----------------------------------------
    // The dialog edits the selected row and the output fields while it is
    // open; Cancel puts back what it saved at opening.
    struct TDialogState {
        int Row = -1;
        std::optional<TTaskRow> RowCopy;
        profiles::TOutputFields Fields;
    };
    TDialogState SaveDialogState() const;
    void RestoreDialogState(const TDialogState& AState);
    // The dialog's preset-list fill: the catalogue key and the video flag
    // into the output fields, and the lists of its choice.
    std::optional<profiles::TPresetChoices> DialogPresetFill(int ACategory, int AProfile);
    // The dialog's profile change on the selected row (nothing without one):
    // the profile's values with the dialog's shown presets into the fields
    // and the row's value sub-items, its output name with the profile's
    // extension, its row profile code.
    void DialogProfileChanged(int ACategory, int AProfile,
                              const std::array<std::string, profiles::PresetCount>& AShownTexts);
    // A dialog preset list's change on the selected row (nothing without
    // one): its pair of the row's preset code, one field, one sub-item.
    void DialogPresetChanged(profiles::TPreset APreset, int AIndex, const std::string& AShownText);
    // The dialog's six shown preset texts into the output fields.
    void DialogPresetTexts(const std::array<std::string, profiles::PresetCount>& AShownTexts);

    // -- the legacy settings dialog (created at start-up, never shown) ------
    // Its preset-list fill: clears the video flag of the output fields.
    std::optional<profiles::TPresetChoices> LegacyPresetFill(int ACategory, int AProfile);
    // Its OK: the legacy profile's defaults, then its shown preset texts,
    // into the output fields; a failure leaves them as they were.
    void LegacyDialogOk(int ACategory, int AProfile, const std::array<std::string, profiles::PresetCount>& AShownTexts);
    // Its single steps: the legacy profile's defaults alone (a profile
    // without defaults only clears the video flag and frees the output name
    // already there; a name that cannot be made is logged and changes
    // nothing), and the reset of the output fields.
    void LegacyProfileDefaults(int ACategory, int AProfile);
    void ResetFields();

private:
    profiles::TOutputNaming Naming(const std::set<std::string>* ATaken) const;
    // The lists' chosen indexes as a row's preset code.
    std::string ShownPresetCode() const;
    void ApplyPresetToSelectedRow();
    void ApplyChoiceToSelectedRow();
    // The output fields of the lists' choice for row ARow's source (the
    // file being added when -1): the profile's defaults with a free output
    // name, then the presets shown.
    void LoadChoiceFields(int ARow);
    // The output fields into a row: its value sub-items, and its record
    // built afresh from the reset values, so nothing of a choice the row
    // had before stays behind. The output name is left alone.
    void WriteFieldsIntoRow(TTaskRow& ARow) const;
    // A row's new output file; its engine task follows it.
    void SetRowOutput(int ARow, const std::string& APath);
    // The engine checks a task's output against the other tasks' outputs,
    // so a row whose name changed gets a task under its new name.
    void RenewRowTask(int ARow);
    // The per-file procedure; false when the handler must end.
    enum class TAddResult { Added, Skipped, Stop };
    TAddResult AddOne(const std::string& AFileName, std::string& AReason);
    // Adds AFileNames as the several-files command does and tells
    // ARefusals with its own.
    void AddFileList(const std::vector<std::string>& AFileNames, std::vector<std::string> ARefusals);
    // False, with a box naming AWhat, when the output folder cannot take
    // files.
    bool OutputFolderReady(const std::string& AWhat);
    void ReportRefusals(const std::vector<std::string>& ARefusals);
    bool EnsureLibraries();
    void SelectLast();
    void RunAfterFinish();
    // The row whose source is APath, or -1.
    int RowReading(const std::string& APath) const;

    IConversionEngine& FEngine;
    TOptionFile& FOptionFile;
    IWorkflowView& FView;
    TConversionOptions FOptions;
    std::string FOutputFolder;
    std::string FSettingsProblem;

    int FCategory = 0;
    int FProfile = 0;
    std::optional<profiles::TPresetChoices> FPresetLists;
    std::array<int, profiles::PresetCount> FPresetIndexes{};
    profiles::TOutputFields FFields;
    std::string FPreviewFileName;

    TTaskList FRows;
    TCommandStates FCommands;
    std::vector<std::string> FLog;
    std::map<int, int> FTaskRows; // task index -> row index, for the tasks of the run not yet ended
    bool FRunning = false;
    bool FStopped = false;
    bool FClosing = false;
};

} // namespace app
