// The shell tree view and the select-folder dialog on a folder tree made by
// the test: nodes in the shell's order, lazy filling, the owner's veto,
// paths, reading again, and the dialog's answers, tool bar and sizes.

#include "skin/dialogs/bsSkinSelectDirectoryDialog.h"
#include "skin/dialogs/bsSkinShellCtrls_Images.h"

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
    static TbsShellFolder* FolderOfNode(TTreeNode* ANode) { return static_cast<TbsShellFolder*>(ANode->Data); }
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

// Where the node images come from: the shell icons by default, the
// caller's list with the indexes its events give (and no shell indexes),
// or nothing when the shell icons are turned off. The nodes made after a
// change follow it; the caller's list gone, the shell icons come back.
TEST_F(ShellTreeTest, UseShellImagesDecidesWhereTheNodeImagesComeFrom)
{
    int asked = 0;
    Tree->OnGetImageIndex = [&](TObject*, TTreeNode* N) { ++asked, N->ImageIndex = 1; };
    Tree->OnGetSelectedIndex = [&](TObject*, TTreeNode* N) { ++asked, N->SelectedIndex = 0; };
    auto mine = std::make_unique<TImageList>(nullptr);
    mine->SetSize(16, 16);
    mine->AddPixels(std::vector<uint32_t>(256, 0xFFFF0000u));
    mine->AddPixels(std::vector<uint32_t>(256, 0xFF0000FFu));
    // The middle of the image before a node's text.
    auto imageInk = [&](TTreeNode* N) {
        const TRect text = N->DisplayRect(true);
        return PixelOf(Tree, text.Left - 3 - 8, (text.Top + text.Bottom) / 2);
    };
    auto rebuild = [&] {
        Tree->SetRoot("rfDesktop");
        Tree->SetRoot(Dir.Path());
        ShowAndPaint();
        return Tree->Items()->GetFirstNode();
    };
    struct TCase {
        const char* Name;
        std::function<void()> Change;
        bool ShellList, CallersList, ShellIndexes, EventsAsked;
        uint32_t Ink;   // of the first child, not selected; 0: any shell icon
    } cases[] = {
        {"shell icons by default", [] {}, true, false, true, false, 0},
        {"the caller's list", [&] { Tree->SetImages(mine.get()); }, false, true, false, true, 0x0000FF},
        {"the caller's list dropped", [&] { Tree->SetImages(nullptr); }, true, false, true, false, 0},
        {"shell icons off", [&] { Tree->SetUseShellImages(false); }, false, false, false, false, 0},
        {"the caller's list while off", [&] { Tree->SetImages(mine.get()); }, false, true, false, true, 0x0000FF},
        {"the caller's list freed", [&] { Tree->SetUseShellImages(true), mine.reset(); }, true, false, true, false, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Change();
        asked = 0;
        TTreeNode* root = rebuild();
        ASSERT_NE(root, nullptr);
        ASSERT_EQ(Children(root), (TNames{"a", "b", "files"}));
        EXPECT_EQ(Tree->ShownImages() == ShellSmallImages(), c.ShellList);
        EXPECT_EQ(Tree->ShownImages() != nullptr && Tree->ShownImages() == Tree->Images(), c.CallersList);
        if (!c.ShellList && !c.CallersList)
            EXPECT_EQ(Tree->ShownImages(), nullptr);
        TTreeNode* first = root->Item(0);
        if (c.ShellIndexes)
            EXPECT_EQ(first->ImageIndex,
                      ShellSmallImages()->Prepare(SystemIconIndex(FolderOfNode(first)->AbsoluteID(), false, false)));
        else if (!c.EventsAsked)
            EXPECT_EQ(first->ImageIndex, -1) << "no shell index";
        EXPECT_EQ(asked > 0, c.EventsAsked);
        if (c.Ink)
            EXPECT_EQ(imageInk(first), c.Ink);
        else if (c.ShellList)
            EXPECT_NE(imageInk(first), PixelOf(Tree, first->DisplayRect(false).Right - 5, first->DisplayRect(false).Top + 2))
                << "a shell icon before the text";
    }
    dialogtest::SaveScreenshot(Form.get(), "shell_tree_shell_images.png");
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
