// The name rules of the open and save dialogs: filter extensions, completed
// names, the OK button's decision table and new-folder names.

#include "skin/dialogs/bsSkinOpenDialog_Names.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace skin;

TEST(OpenDialogNames, FilterEntriesImplyTheExtensionOfTheirFirstPattern)
{
    const std::pair<const char*, const char*> cases[] = {
        {"*.bmp;*.dib", ".bmp"}, {"*.*", ""}, {"*.jpg", ".jpg"}, {"*.mp3;*.*", ""}, {"readme", ""}, {"", ""}};
    for (auto [mask, ext] : cases)
        EXPECT_EQ(FilterExtension(mask), ext) << mask;
    EXPECT_EQ(NameForFilter("song.bmp", ".jpg"), "song.jpg");
    EXPECT_EQ(NameForFilter("song", ".jpg"), "song.jpg");
    EXPECT_EQ(NameForFilter("", ".jpg"), "");
    EXPECT_EQ(NameForFilter("song.bmp", ""), "song.bmp");
    EXPECT_FALSE(HasFileExtension("/a.b/pic"));
    EXPECT_TRUE(HasFileExtension("/a/pic.png"));
    EXPECT_EQ(CompletedSaveName("/d/pic", ".bmp", "txt"), "/d/pic.bmp");
    EXPECT_EQ(CompletedSaveName("/d/pic", "", "txt"), "/d/pic.txt");
    EXPECT_EQ(CompletedSaveName("/d/pic.png", ".bmp", "txt"), "/d/pic.png");
    EXPECT_EQ(NewFolderName("New Folder", 1), "New Folder");
    EXPECT_EQ(NewFolderName("New Folder", 2), "New Folder(2)");
}

struct TOkCase {
    const char* What;
    bool Save, Check, Prompt;
    const char* Selected;   // a name in the folder, "" for none
    const char* Typed;
    const char* DefaultExt;
    const char* FilterExt;
    TbsOkDecision::TAction Action;
    const char* FileName;   // a name in the folder, "" for none
};

TEST(OpenDialogNames, TheOkButtonDecidesByModeNameAndSelection)
{
    testsupport::TTempDir dir;
    for (const char* f : {"readme.txt", "readme", "a.mp3", "b.mp3", "old.bmp"})
        testsupport::WriteFile(dir.File(f), "x");
    mkdir(dir.File("sub").c_str(), 0755);
    using A = TbsOkDecision;
    const TOkCase cases[] = {
        {"empty name", false, true, false, "", "", "", "", A::Stay, ""},
        {"completed by the filter", false, true, false, "", "readme", "", ".txt", A::Close, "readme.txt"},
        {"missing name", false, true, false, "", "nothing", "", ".txt", A::Stay, ""},
        {"a folder is no file", false, true, false, "", "sub", "", "", A::Stay, ""},
        {"the selection wins", false, true, false, "a.mp3", "b.mp3", "", "", A::Close, "a.mp3"},
        {"no check: typed", false, false, false, "", "new", "wav", "", A::Close, "new.wav"},
        {"no check: selection", false, false, false, "b.mp3", "x", "", "", A::Close, "b.mp3"},
        {"save: wildcard", true, true, false, "", "*.mp3", "", "", A::Stay, ""},
        {"save: new name", true, true, true, "", "pic", "", ".bmp", A::Close, "pic"},
        {"save: existing asks", true, true, true, "", "old", "", ".bmp", A::AskOverwrite, "old"},
        {"save: no prompt", true, true, false, "", "old.bmp", "", "", A::Close, "old.bmp"},
        {"save ignores the selection", true, true, false, "a.mp3", "c.mp3", "", "", A::Close, "c.mp3"},
    };
    for (const TOkCase& c : cases) {
        TbsOkInput in;
        in.SaveMode = c.Save;
        in.CheckFileExists = c.Check;
        in.OverwritePrompt = c.Prompt;
        in.Selected = *c.Selected ? dir.File(c.Selected) : "";
        in.Typed = c.Typed;
        in.Folder = dir.Path() + "/";
        in.DefaultExt = c.DefaultExt;
        in.FilterExt = c.FilterExt;
        const TbsOkDecision d = DecideOk(in);
        EXPECT_EQ(d.Action, c.Action) << c.What;
        if (c.Action != A::Stay) {
            EXPECT_EQ(d.FileName, dir.File(c.FileName)) << c.What;
        }
    }
    // A typed full path stands on its own.
    TbsOkInput in;
    in.Typed = dir.File("a.mp3");
    in.Folder = "/elsewhere/";
    EXPECT_EQ(DecideOk(in).FileName, dir.File("a.mp3"));
}

} // namespace
