// The shell tree view and the select-folder dialog on a folder tree made by
// the test: nodes in the shell's order, lazy filling, the owner's veto,
// paths, reading again, and the dialog's answers, tool bar and sizes.

#include "skin/dialogs/bsSkinSelectDirectoryDialog.h"

#include "../controls/SkinControlsTestSupport.h"
#include "DialogsTestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace skin;
using namespace platform;
using dialogtest::TWhenModal;
using TNames = std::vector<std::string>;

struct ShellTreeTest : skintest::TSkinFixture {
    testsupport::TTempDir Dir;
    TbsSkinDirTreeView* Tree = nullptr;

    void SetUp() override
    {
        skintest::TSkinFixture::SetUp();
        for (const char* folder : {"b", "a", "a/inner", "a/inner/deep", "files"})
            mkdir(Dir.File(folder).c_str(), 0755);
        testsupport::WriteFile(Dir.File("files/x.txt"), "x");
        Tree = Add(new TbsSkinDirTreeView(Form.get()), Rect(0, 0, 250, 190));
        Tree->SetRoot(Dir.Path());
        ShowAndPaint();
    }
    static TNames Children(TTreeNode* ANode)
    {
        TNames names;
        for (int i = 0; i < ANode->Count(); ++i)
            names.push_back(ANode->Item(i)->Text());
        return names;
    }
};

TEST_F(ShellTreeTest, TheRootIsOpenWithItsFoldersInTheShellsOrder)
{
    TTreeNode* root = Tree->Items()->GetFirstNode();
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->Expanded());
    EXPECT_EQ(Children(root), (TNames{"a", "b", "files"}));
    EXPECT_TRUE(root->Item(0)->HasChildren());
    EXPECT_FALSE(root->Item(2)->HasChildren()) << "files only, and the tree lists folders";
    EXPECT_EQ(root->Item(0)->Count(), 0) << "filled when first opened";
    EXPECT_EQ(Tree->Path(), Dir.Path());
}

TEST_F(ShellTreeTest, APathOpensEveryFolderAboveItAndReadingAgainKeepsThem)
{
    Tree->SetPath(Dir.File("a/inner/deep"));
    EXPECT_EQ(Tree->Path(), Dir.File("a/inner/deep"));
    TTreeNode* root = Tree->Items()->GetFirstNode();
    mkdir(Dir.File("a/added").c_str(), 0755);
    Tree->Refresh(root->Item(0));
    EXPECT_EQ(Children(Tree->Items()->GetFirstNode()->Item(0)), (TNames{"added", "inner"}));
    EXPECT_EQ(Tree->Path(), Dir.File("a/inner/deep")) << "the selection stays";
    EXPECT_THROW(Tree->SetPath("not a path"), EInvalidPath);
    dialogtest::SaveScreenshot(Form.get(), "shell_tree.png");
}

TEST_F(ShellTreeTest, TheOwnerMayKeepFoldersOut)
{
    Tree->OnAddFolder = [](TObject*, TbsShellFolder* F, bool& CanAdd) { CanAdd = F->DisplayName() != "b"; };
    Tree->SetRoot("rfDesktop");
    Tree->SetRoot(Dir.Path());
    EXPECT_EQ(Children(Tree->Items()->GetFirstNode()), (TNames{"a", "files"}));
}

struct SelectDirectoryTest : ShellTreeTest {
    TbsSkinSelectDirectoryDialog Dialog{nullptr};
};

TEST_F(SelectDirectoryTest, OkReturnsTheChosenFolderAndCancelKeepsTheOld)
{
    Dialog.Directory = Dir.File("a/inner");
    std::string start;
    TWhenModal pick([&](TCustomForm* F) {
        auto* f = dynamic_cast<TbsSelDirDlgForm*>(F);
        start = f->DirTreeView->Path();
        f->DirTreeView->SetPath(Dir.File("b"));
        dialogtest::SaveScreenshot(F, "select_folder.png");
        dialogtest::Click(f->OkButton);
    });
    EXPECT_TRUE(Dialog.Execute());
    EXPECT_EQ(start, Dir.File("a/inner"));
    EXPECT_EQ(Dialog.Directory, Dir.File("b"));

    TWhenModal cancel([](TCustomForm* F) {
        F->SetClientSize(330, 300);
        dialogtest::PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(Dialog.Directory, Dir.File("b"));
    EXPECT_EQ(Dialog.DialogWidth, 330);
    EXPECT_EQ(Dialog.DialogHeight, 300);
}

TEST_F(SelectDirectoryTest, AMissingFolderStartsAtComputer)
{
    Dialog.Directory = Dir.File("gone");
    std::string selected;
    TWhenModal act([&](TCustomForm* F) {
        auto* f = dynamic_cast<TbsSelDirDlgForm*>(F);
        selected = f->DirTreeView->SelectedFolder() ? f->DirTreeView->SelectedFolder()->DisplayName() : "";
        EXPECT_TRUE(f->DirTreeView->Selected() && f->DirTreeView->Selected()->Expanded());
        dialogtest::PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(selected, "Computer");
}

TEST_F(SelectDirectoryTest, TheToolBarFollowsTheTreeTakesTypedFoldersAndMakesOneNewFolder)
{
    Dialog.ShowToolBar = true;
    Dialog.Directory = Dir.File("a");
    std::string shown, typed;
    TWhenModal act([&](TCustomForm* F) {
        auto* f = dynamic_cast<TbsSelDirDlgForm*>(F);
        shown = f->DirEdit->Text();
        f->DirEdit->SetText(Dir.File("files"));
        char16_t enter = 13;
        f->DirEditKeyPress(enter);
        typed = f->DirTreeView->Path();
        f->NewFolderClick();
        f->NewFolderClick();
        dialogtest::Click(f->OkButton);
    });
    EXPECT_TRUE(Dialog.Execute());
    EXPECT_EQ(shown, Dir.File("a"));
    EXPECT_EQ(typed, Dir.File("files"));
    struct stat st {};
    EXPECT_EQ(stat(Dir.File("files/New Folder").c_str(), &st), 0);
    EXPECT_EQ(Dialog.Directory, Dir.File("files"));
}

} // namespace
