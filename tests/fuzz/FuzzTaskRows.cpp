// Editing the task list: adding, removing, moving, selecting, renaming,
// clearing and changing the profile, in any order and with any names. After
// every step: no two rows write one file and no row writes its own source;
// every output name is one plain file name; each row's task number
// is its engine task, and the selection lies in the list. A refused rename
// leaves its row as it was; an accepted one shows the name typed.

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzFiles.h"
#include "fuzz/FuzzRowOps.h"

#include "app/workflow/WorkflowFakes.h"
#include "platform/core/SysUtils.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileDefaults.h"

#include <set>
#include <string>

using namespace app;
using fuzz::TRowStep;

namespace {

class TReader {
public:
    TReader(const uint8_t* AData, size_t ASize) : FData(AData), FSize(ASize) {}
    bool AtEnd() const { return FAt >= FSize; }
    uint8_t Byte() { return FAt < FSize ? FData[FAt++] : 0; }
    std::string Text()
    {
        const size_t Length = std::min<size_t>(Byte(), FSize - FAt);
        std::string Result(reinterpret_cast<const char*>(FData + FAt), Length);
        FAt += Length;
        return Result;
    }

private:
    const uint8_t* FData;
    size_t FSize;
    size_t FAt = 0;
};

bool PlainFileName(const std::string& AName)
{
    if (AName.empty() || AName.size() > 255 || AName == "." || AName == "..")
        return false;
    for (unsigned char C : AName)
        if (C == '/' || C < 0x20 || C == 0x7f)
            return false;
    return true;
}

void CheckRows(const TConverterWorkflow& AFlow, const apptest::TFakeEngine& AEngine)
{
    const TTaskList& Rows = AFlow.Rows();
    FUZZ_CHECK(Rows.ItemIndex() >= -1 && Rows.ItemIndex() < Rows.Count());
    std::set<std::string> Written;
    std::set<int> Numbers;
    for (int I = 0; I < Rows.Count(); ++I) {
        const TTaskRow& Row = Rows.Row(I);
        FUZZ_CHECK(PlainFileName(Row.Sub(profiles::siOutputFileName)));
        const std::string Key = profiles::OutputPathKey(RowOutputPath(AFlow.OutputFolder(), Row));
        FUZZ_CHECK(Written.insert(Key).second);
        // A source added later may be what an earlier row writes: Start
        // refuses that row, so only a row's own source is checked here.
        FUZZ_CHECK(Key != profiles::OutputPathKey(Row.Caption));
        const int Number = platform::StrToIntDef(Row.Sub(profiles::siTaskNumber), 0);
        if (Number < 1)
            continue;
        FUZZ_CHECK(Numbers.insert(Number).second);
        FUZZ_CHECK(Number <= int(AEngine.Tasks.size()) && AEngine.Tasks[size_t(Number - 1)] == Row.Caption);
    }
}

void Rename(TConverterWorkflow& AFlow, TReader& AIn)
{
    const int Row = int(AIn.Byte() % uint8_t(AFlow.Rows().Count() + 1));
    const std::string Name = AIn.Text();
    if (Row >= AFlow.Rows().Count()) {
        FUZZ_CHECK(!AFlow.FinishRename(Row, Name));
        return;
    }
    const std::string Before = AFlow.Rows().Row(Row).Sub(profiles::siOutputFileName);
    const bool Renamed = AFlow.FinishRename(Row, Name);
    const std::string After = AFlow.Rows().Row(Row).Sub(profiles::siOutputFileName);
    if (Renamed)
        FUZZ_CHECK(After.rfind(Name, 0) == 0);
    else
        FUZZ_CHECK(After == Before);
}

void Step(TConverterWorkflow& AFlow, TReader& AIn, const fuzz::TScratchFolder& AFolder)
{
    const TRowStep Which = TRowStep(AIn.Byte() % uint8_t(TRowStep::Count));
    switch (Which) {
    case TRowStep::Add: {
        // The high bit adds the copy in the output folder: its name is what
        // another row may want to write.
        const uint8_t Pick = AIn.Byte();
        const char* Where = Pick & 0x80 ? "/out/" : "/media/";
        AFlow.AddFile(AFolder.Path() + Where + std::string(fuzz::RowSources[(Pick & 0x7f) % fuzz::RowSourceCount]));
        break;
    }
    case TRowStep::Remove: AFlow.RemoveSelected(); break;
    case TRowStep::MoveUp: AFlow.MoveSelectedUp(); break;
    case TRowStep::MoveDown: AFlow.MoveSelectedDown(); break;
    case TRowStep::Select: AFlow.SelectRow(int(AIn.Byte() % uint8_t(AFlow.Rows().Count() + 1)) - 1); break;
    case TRowStep::Rename: Rename(AFlow, AIn); break;
    case TRowStep::Clear: AFlow.Clear(); break;
    case TRowStep::Category: AFlow.SetCategory(AIn.Byte() % profiles::CategoryCount); break;
    case TRowStep::Profile: AFlow.SetProfile(int(AIn.Byte() % uint8_t(AFlow.ProfileNames().size()))); break;
    case TRowStep::Overwrite: {
        TConversionOptions Options = AFlow.Options();
        Options.Overwrite = AIn.Byte() % 2 == 1;
        AFlow.SetOptions(Options);
        break;
    }
    case TRowStep::OutputExists: {
        const std::string Name = AIn.Text();
        if (PlainFileName(Name))
            AFolder.Write("out/" + Name, "an older file");
        break;
    }
    case TRowStep::Count: break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const fuzz::TScratchFolder& Folder = fuzz::EmptyScratchHome();
    platform::ForceDirectories(Folder.Path() + "/media");
    platform::ForceDirectories(Folder.Path() + "/out");
    for (std::string_view Source : fuzz::RowSources) {
        Folder.Write("media/" + std::string(Source), "media");
        Folder.Write("out/" + std::string(Source), "media");
    }
    Folder.Write("option.ini", "[OutPath]\r\nOutPath=" + Folder.Path() + "/out\r\n");

    apptest::TFakeEngine Engine;
    apptest::TFakeView View;
    TOptionFile Options(Folder.Path() + "/option.ini");
    TConverterWorkflow Flow(Engine, Options, View);
    Flow.LoadSettings();
    TReader In(Data, Size);
    for (int Steps = 0; !In.AtEnd() && Steps < 64; ++Steps) {
        Step(Flow, In, Folder);
        CheckRows(Flow, Engine);
    }
    return 0;
}
