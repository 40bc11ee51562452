#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/controls/bsSkinCtrls_TreeView.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "support/WindowShot.h"

using namespace skintest;
using skin::TbsSkinCustomTreeView;
using skin::TbsSkinScrollBar;

namespace {

constexpr uint32_t TreeBG = Rgb(240, 250, 255);

// A tree skin: colours, 20 x 10 expand pictures (the hot block's piece and
// the down block's), and the normal and hot blocks as the selected item.
std::string TreeSkin()
{
    return SkinIni("tv:treeview\r\nlb:listbox",
                   "[tv]\r\npictureindex=0\r\nbgcolor=" + std::to_string(ColorOf(TreeBG)) +
                       "\r\nfontcolor=0\r\nfontname=Tahoma\r\nfontheight=13\r\n"
                       "expandimagerect=30,0,50,10\r\nnoexpandimagerect=60,0,80,10\r\n"
                       "[lb]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nclientrect=3,3,27,17\r\n"
                       "activeitemrect=0,0,30,20\r\nfocusitemrect=30,0,60,20\r\nitemtextrect=3,3,27,17\r\n"
                       "focusfontcolor=16777215\r\nactivefontcolor=0\r\n");
}

struct TSkinTreeFixture : TSkinFixture {
    TbsSkinCustomTreeView* Tree = nullptr;
    TbsSkinScrollBar* VBar = nullptr;

    void SetUp() override
    {
        TSkinFixture::SetUp();
        Folder.Rewrite(TreeSkin());
        Tree = Add(new TbsSkinCustomTreeView(Form.get()), Rect(10, 10, 210, 150));
        Tree->SkinDataName = "tv";
        Tree->ItemSkinDataName = "lb";
        Tree->SetDrawSkin(true);
        VBar = Add(new TbsSkinScrollBar(Form.get()), Rect(220, 10, 240, 150));
        VBar->SetKind(platform::sbVertical);
        Tree->SetVScrollBar(VBar);
        TTreeNode* root = Tree->Items()->Add(nullptr, "root");
        for (int i = 0; i < 3; ++i)
            Tree->Items()->AddChild(root, "child " + std::to_string(i))->SetHasChildren(i == 0);
        root->Expand(false);
        LoadSkin();
        Tree->SetSkinData(Data);
        ShowAndPaint();
    }
};

using platform::TTreeNode;

} // namespace

TEST_F(TSkinTreeFixture, ColoursAndButtonPicturesComeFromTheRecord)
{
    EXPECT_NE(Tree->SkinIndex(), -1);
    EXPECT_EQ(SysRgb(Tree->Color()), TreeBG);
    EXPECT_EQ(Tree->LineColor(), skin::MixColors(skin::MixColors(0, ColorOf(TreeBG)), ColorOf(TreeBG)));
    // A 20 x 10 piece becomes a 20 x 20 square; the button is then 8 pixels to each side.
    EXPECT_EQ(Tree->ExpandImage()->Width(), 20);
    EXPECT_EQ(Tree->ExpandImage()->Height(), 20);
    EXPECT_EQ(Tree->ButtonSize(), 8);
    EXPECT_EQ(Tree->ClientRect(), Rect(0, 0, 200, 140));
    EXPECT_EQ(PixelOf(Tree, 190, 130), TreeBG);
}

TEST_F(TSkinTreeFixture, TheSelectedNodeLiesOnTheItemPicture)
{
    TTreeNode* child = Tree->Items()->Item(2);
    Tree->SetFocus();
    Tree->SetSelected(child);
    Pump();
    platform::TRect text = child->DisplayRect(true);
    // The focused selection uses the focus item picture: the hot block's edge and fill.
    EXPECT_EQ(PixelOf(Tree, text.Left, text.Top), HotEdge);
    EXPECT_EQ(PixelOf(Tree, text.Right - 1, text.Bottom - 1), HotEdge);
    // An unselected node lies on the tree's colour.
    platform::TRect other = Tree->Items()->Item(3)->DisplayRect(true);
    EXPECT_EQ(PixelOf(Tree, other.Right - 1, other.Top + 1), TreeBG);
    testsupport::SaveWindowPng(Form.get(), "skintreeview.png");
}

TEST_F(TSkinTreeFixture, TheBarShowsOnlyWhenRowsOverflow)
{
    EXPECT_FALSE(VBar->Visible());
    TTreeNode* root = Tree->Items()->GetFirstNode();
    Tree->Items()->BeginUpdate();
    for (int i = 0; i < 30; ++i)
        Tree->Items()->AddChild(root, "more " + std::to_string(i));
    Tree->Items()->EndUpdate();
    Pump();
    int rows = 34;
    int page = Tree->VisibleCount();
    ASSERT_TRUE(VBar->Visible());
    EXPECT_EQ(VBar->Max(), rows - 1);
    EXPECT_EQ(VBar->PageSize(), page);
    VBar->SetPosition(6);
    EXPECT_EQ(Tree->TopItem(), Tree->Items()->Item(6));
    // A bar let go no longer scrolls the tree.
    Tree->SetVScrollBar(nullptr);
    VBar->SetPosition(0);
    EXPECT_EQ(Tree->TopItem(), Tree->Items()->Item(6));
}
