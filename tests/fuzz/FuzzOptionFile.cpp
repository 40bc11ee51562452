// option.ini as the program reads and heals it: the reads of start-up in
// their order, then the snapshot keys. Whatever the file held, every value
// comes out in its range and every folder is an absolute path of a folder;
// the healed file needs no more healing (a second start reads the same
// values and writes nothing); a choice written reads back and leaves the
// other keys as they were; nothing reports a problem, as the file can be
// written.
//
// Absolute folder values are moved below the scratch folder first (with
// the same parser the program uses), so that the folder the program creates
// for them never lands elsewhere on the machine.

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzFiles.h"

#include "app/workflow/OptionFile.h"
#include "platform/core/IniFiles.h"
#include "platform/core/SysUtils.h"

#include <string>

using namespace app;

namespace {

struct TStartValues {
    std::string OutPath;
    int SkinIndex = 0;
    TConversionOptions Options;
    std::string SnapshotFolder;
    TPictureType Picture = TPictureType::BMP;

    bool operator==(const TStartValues&) const = default;
};

// Keeps the folder the program will create inside AScratch; true when the
// value had to change.
bool KeepFolderInside(platform::TMemIniFile& AIni, const char* ASection, const char* AKey, const std::string& AScratch)
{
    const std::string Value = AIni.ReadString(ASection, AKey, "");
    if (Value.empty() || Value[0] != '/' || Value.rfind(AScratch + "/", 0) == 0)
        return false;
    AIni.WriteString(ASection, AKey, AScratch + "/stored" + std::to_string(Value.size() % 4));
    return true;
}

TStartValues Start(TOptionFile& AFile, int ASkinCount)
{
    TStartValues Values;
    Values.OutPath = AFile.ReadOutPath();
    Values.SkinIndex = AFile.ReadSkinIndex(ASkinCount);
    Values.Options = AFile.ReadOptions();
    Values.SnapshotFolder = AFile.ReadSnapshotFolder();
    Values.Picture = AFile.ReadPictureType();
    return Values;
}

void CheckInRange(const TStartValues& AValues, int ASkinCount)
{
    FUZZ_CHECK(AValues.SkinIndex >= 0 && AValues.SkinIndex < ASkinCount);
    FUZZ_CHECK(AValues.Options.ThreadCount >= 1 && AValues.Options.ThreadCount <= 19);
    FUZZ_CHECK(int(AValues.Options.AfterDone) >= 0 && int(AValues.Options.AfterDone) <= 3);
    FUZZ_CHECK(int(AValues.Options.Priority) >= 0 && int(AValues.Options.Priority) <= 3);
    FUZZ_CHECK(int(AValues.Picture) >= 0 && int(AValues.Picture) <= 3);
    for (const std::string* Folder : {&AValues.OutPath, &AValues.SnapshotFolder})
        FUZZ_CHECK(!Folder->empty() && (*Folder)[0] == '/' && platform::DirectoryExists(*Folder));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const fuzz::TScratchFolder& Folder = fuzz::EmptyScratchHome();
    const std::string Text(reinterpret_cast<const char*>(Data), Size);
    const std::string Name = Folder.Write("option.ini", Text);
    {
        platform::TMemIniFile Ini(Name);
        const bool Moved = KeepFolderInside(Ini, "OutPath", "OutPath", Folder.Path());
        if (KeepFolderInside(Ini, "SnapShot", "Dir", Folder.Path()) || Moved)
            Ini.UpdateFile();
    }
    const int SkinCount = 1 + int(Size % 3);
    int Problems = 0;
    TOptionFile First(Name);
    First.OnProblem = [&](const std::string&) { ++Problems; };
    const TStartValues Healed = Start(First, SkinCount);
    CheckInRange(Healed, SkinCount);

    const std::string HealedText = fuzz::ReadFileText(Name);
    TOptionFile Second(Name);
    Second.OnProblem = First.OnProblem;
    FUZZ_CHECK(Start(Second, SkinCount) == Healed);
    FUZZ_CHECK_SAME_TEXT(fuzz::ReadFileText(Name), HealedText);

    // A choice of the options dialog: stored, read back, the rest kept.
    TConversionOptions Chosen;
    Chosen.ThreadCount = 1 + int(Size % 19);
    Chosen.AfterDone = TAfterDone(Size % 4);
    Chosen.Priority = TRunPriority((Size / 4) % 4);
    Chosen.Overwrite = Size % 2 == 0;
    Chosen.ShowPreview = Size % 3 == 0;
    FUZZ_CHECK(Second.WriteOptions(Chosen));
    TOptionFile Third(Name);
    TStartValues Expected = Healed;
    Expected.Options = Chosen;
    FUZZ_CHECK(Start(Third, SkinCount) == Expected);
    FUZZ_CHECK(Problems == 0);
    return 0;
}
