#include "fuzz/FuzzSeedsApp.h"

#include "fuzz/FuzzFiles.h"
#include "fuzz/FuzzRowOps.h"

#include "app/workflow/OptionFile.h"
#include "platform/core/SysUtils.h"


namespace fuzz {

namespace {

// option.ini after a first start, and after every choice a user can store.
void OptionFileSeeds(const TSeedWriter& ASeed)
{
    const TScratchFolder Folder;
    const std::string OldHome = platform::GetEnvironmentVariable("HOME");
    platform::SetEnvironmentVariable("HOME", Folder.Path());
    app::TOptionFile File(Folder.Path() + "/option.ini");
    File.ReadOutPath();
    File.ReadSkinIndex(1);
    File.ReadOptions();
    ASeed("option_file", "first-start.ini", ReadFileText(File.FileName()));

    File.ReadSnapshotFolder();
    File.WritePictureType(app::TPictureType::PNG);
    app::TConversionOptions Chosen;
    Chosen.ThreadCount = 7;
    Chosen.AfterDone = app::TAfterDone::PlaySound;
    Chosen.Priority = app::TRunPriority::Lower;
    Chosen.Overwrite = true;
    Chosen.ShowPreview = true;
    File.WriteOptions(Chosen);
    File.WriteSkinIndex(2);
    ASeed("option_file", "chosen.ini", ReadFileText(File.FileName()));
    platform::SetEnvironmentVariable("HOME", OldHome);
}

// A user's editing: adds, a collision with an existing file, renames
// (plain, taken, invalid), moves, a profile change and removals.
void TaskRowSeeds(const TSeedWriter& ASeed)
{
    std::string Edit;
    AppendStep(Edit, TRowStep::Add, {0});
    AppendStep(Edit, TRowStep::Add, {1});
    AppendStep(Edit, TRowStep::Add, {2});
    AppendNamed(Edit, TRowStep::Rename, {0}, "mine");
    AppendNamed(Edit, TRowStep::Rename, {1}, "mine");
    AppendNamed(Edit, TRowStep::Rename, {2}, "a/b");
    AppendStep(Edit, TRowStep::Select, {2});
    AppendStep(Edit, TRowStep::MoveUp);
    AppendStep(Edit, TRowStep::MoveDown);
    AppendStep(Edit, TRowStep::Category, {1});
    AppendStep(Edit, TRowStep::Profile, {3});
    AppendStep(Edit, TRowStep::Remove);
    AppendStep(Edit, TRowStep::Add, {0});
    ASeed("task_rows", "edit.bin", Edit);

    std::string Collide;
    AppendNamed(Collide, TRowStep::OutputExists, {}, "song.mp3");
    AppendStep(Collide, TRowStep::Overwrite, {0});
    AppendStep(Collide, TRowStep::Add, {0});
    AppendStep(Collide, TRowStep::Add, {0x81});
    AppendStep(Collide, TRowStep::Overwrite, {1});
    AppendStep(Collide, TRowStep::Add, {0x80});
    AppendNamed(Collide, TRowStep::Rename, {0}, "song");
    AppendStep(Collide, TRowStep::Clear);
    AppendStep(Collide, TRowStep::Add, {3});
    ASeed("task_rows", "collide.bin", Collide);
}

} // namespace

void WriteAppSeeds(const TSeedWriter& ASeed)
{
    OptionFileSeeds(ASeed);
    TaskRowSeeds(ASeed);
}

} // namespace fuzz
