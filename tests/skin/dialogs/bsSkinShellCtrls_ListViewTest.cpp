// The shell list view on a folder tree made by the test: rows, masks,
// navigation, selection read back in row order, and a linked combo
// following it.

#include "skin/dialogs/bsSkinShellCtrls_ListView.h"

#include "skin/dialogs/bsSkinShellCtrls_ComboBox.h"

#include "../controls/SkinControlsTestSupport.h"
#include "DialogsTestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace skin;
using namespace platform;
using TNames = std::vector<std::string>;

struct ShellListTest : skintest::TSkinFixture {
    testsupport::TTempDir Dir;
    TbsSkinFileListView* List = nullptr;
    int PathChanges = 0;

    void SetUp() override
    {
        skintest::TSkinFixture::SetUp();
        for (const char* folder : {"music", "music/live", "video"})
            mkdir(Dir.File(folder).c_str(), 0755);
        for (const char* file : {"b.MP3", "a.mp3", "notes.txt", "README", "music/one.wav"})
            testsupport::WriteFile(Dir.File(file), "x");
        List = Add(new TbsSkinFileListView(Form.get()), Rect(0, 0, 300, 200));
        List->SetViewStyle(vsReport);
        List->OnPathChanged = [this](TObject*) { ++PathChanges; };
        List->SetRoot(Dir.Path());
        ShowAndPaint();
    }
    TNames Rows()
    {
        TNames names;
        for (int i = 0; i < List->RowCount(); ++i)
            names.push_back(List->FolderAt(i)->DisplayName());
        return names;
    }
};

TEST_F(ShellListTest, FoldersComeFirstAndTheMaskChoosesTheFiles)
{
    EXPECT_EQ(Rows(), (TNames{"music", "video", "a.mp3", "b.MP3", "notes.txt"}));
    EXPECT_EQ(List->Items()->Count(), 5);
    List->SetMask("*.mp3");
    EXPECT_EQ(Rows(), (TNames{"music", "video", "a.mp3", "b.MP3"}));
    List->SetMask("*");
    EXPECT_EQ(Rows(), (TNames{"music", "video", "a.mp3", "b.MP3", "notes.txt", "README"}));
    EXPECT_EQ(List->Columns()->Count(), 4) << "report style shows the shell's columns";
    dialogtest::SaveScreenshot(Form.get(), "shell_list_report.png");
}

TEST_F(ShellListTest, OpeningGoingBackAndReadingAgain)
{
    List->SetItemIndex(0);
    PathChanges = 0;
    List->DblClick();
    EXPECT_EQ(List->Path(), Dir.File("music"));
    EXPECT_EQ(PathChanges, 1);
    EXPECT_EQ(Rows(), (TNames{"live", "one.wav"}));
    List->Back();
    EXPECT_EQ(List->Path(), Dir.Path());
    // A refresh keeps the selected row and sees what changed on disk.
    List->SetItemIndex(4);
    testsupport::WriteFile(Dir.File("c.mp3"), "x");
    List->Refresh();
    EXPECT_EQ(List->ItemIndex(), 4);
    EXPECT_EQ(Rows().size(), 6u);
    EXPECT_THROW(List->SetPath("nowhere at all"), EInvalidPath);
    EXPECT_EQ(List->Path(), Dir.Path());
}

TEST_F(ShellListTest, SelectedFilesComeInRowOrderWithoutFolders)
{
    List->SetMultiSelect(true);
    for (int row : {4, 0, 2})
        List->Items()->Item(row)->SetSelected(true);
    TStringList files;
    List->GetSelectedFiles(&files);
    ASSERT_EQ(files.Count(), 2);
    EXPECT_EQ(files.Strings(0), Dir.File("a.mp3"));
    EXPECT_EQ(files.Strings(1), Dir.File("notes.txt"));
    List->SetItemIndex(0);
    EXPECT_EQ(List->GetSelectedFile(), "") << "a folder is no file";
}

TEST_F(ShellListTest, ALinkedComboFollowsAndLeads)
{
    auto* combo = Add(new TbsSkinShellComboBox(Form.get()), Rect(0, 210, 300, 231));
    List->SetShellComboBox(combo);
    ShowAndPaint();
    List->SetPath(Dir.File("music/live"));
    EXPECT_EQ(combo->Path(), Dir.File("music/live"));
    combo->SetItemIndex(0);   // the user picks the root
    EXPECT_EQ(List->Path(), combo->Path());
}

} // namespace
