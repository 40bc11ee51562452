#include "ControlsTestSupport.h"

#include "platform/controls/ComCtrls.h"

using namespace platform;
using namespace ctltest;

namespace {

void Key(int AKey)
{
    InjectKey(AKey, true);
    InjectKey(AKey, false);
    Pump();
}

void Click(TPoint AScreen, TMouseButton AButton = TMouseButton::mbLeft)
{
    InjectMouseButton(AButton, true, AScreen);
    InjectMouseButton(AButton, false, AScreen);
    Pump();
}

// A tree whose folders are filled when first expanded, as a folder tree does.
struct TTreeFixture : ::testing::Test {
    std::unique_ptr<TForm> Form{MakeForm(300, 220, 0, 0)};
    TTreeView* Tree = nullptr;
    int Fills = 0;
    std::vector<std::string> Log;

    void SetUp() override
    {
        Tree = new TTreeView(Form.get());
        Tree->SetBounds(0, 0, 300, 220);
        Tree->SetParent(Form.get());
        Tree->OnExpanding = [this](TObject*, TTreeNode* N, bool& Allow) {
            Log.push_back("expanding " + N->Text());
            if (N->Count() == 0 && N->HasChildren()) {
                ++Fills;
                Tree->Items()->BeginUpdate();
                for (const char* name : {"b", "a", "c"}) {
                    TTreeNode* child = Tree->Items()->AddChild(N, N->Text() + "/" + name);
                    child->SetHasChildren(N->Level() < 1);
                }
                N->CustomSort([](TTreeNode* A, TTreeNode* B) { return A->Text().compare(B->Text()); }, false);
                Tree->Items()->EndUpdate();
            }
            Allow = N->Text() != "locked";
        };
        Tree->OnChange = [this](TObject*, TTreeNode* N) { Log.push_back("change " + (N ? N->Text() : "nil")); };
        for (const char* root : {"C:", "D:", "locked"})
            Tree->Items()->Add(nullptr, root)->SetHasChildren(true);
        Form->Show();
        Pump();
    }
    TPoint ScreenOf(TTreeNode* N, int ADX = 0)
    {
        TRect r = N->DisplayRect(true);
        return Tree->ClientToScreen(Point(r.Left + 4 + ADX, (r.Top + r.Bottom) / 2));
    }
};

} // namespace

TEST_F(TTreeFixture, ChildrenAreFilledOnFirstExpandOnly)
{
    TTreeNode* c = Tree->Items()->GetFirstNode();
    EXPECT_EQ(c->Count(), 0);
    EXPECT_TRUE(c->HasChildren());
    c->Expand(false);
    ASSERT_EQ(c->Count(), 3);
    EXPECT_EQ(c->Item(0)->Text(), "C:/a");
    EXPECT_EQ(c->Item(2)->Text(), "C:/c");
    EXPECT_EQ(Tree->Items()->Count(), 6);
    EXPECT_EQ(c->Item(1)->AbsoluteIndex(), 2);
    c->Collapse(false);
    c->Expand(false);
    EXPECT_EQ(Fills, 1);
    // A refused expansion leaves the node folded.
    TTreeNode* locked = Tree->Items()->Item(5);
    EXPECT_EQ(locked->Text(), "locked");
    locked->Expand(false);
    EXPECT_FALSE(locked->Expanded());
    // The tree order walks into expanded and folded children alike; the visible order only into expanded ones.
    c->Item(0)->Expand(false);
    c->Item(0)->Collapse(false);
    EXPECT_EQ(c->Item(0)->GetNext()->Text(), "C:/a/a");
    EXPECT_EQ(c->Item(0)->GetNextVisible()->Text(), "C:/b");
}

TEST_F(TTreeFixture, ButtonsExpandAndClicksSelect)
{
    TTreeNode* d = Tree->Items()->Item(1);
    TRect row = d->DisplayRect(false);
    TRect text = d->DisplayRect(true);
    // The expand button sits half an indent left of the node's image and text.
    Click(Tree->ClientToScreen(Point(text.Left - Tree->Indent() / 2, (row.Top + row.Bottom) / 2)));
    EXPECT_TRUE(d->Expanded());
    EXPECT_EQ(Tree->Selected(), nullptr);
    Click(ScreenOf(d->Item(1)));
    EXPECT_EQ(Tree->Selected(), d->Item(1));
    Key(VK_DOWN);
    EXPECT_EQ(Tree->Selected()->Text(), "D:/c");
    Key(VK_LEFT);   // a leaf goes to its parent
    EXPECT_EQ(Tree->Selected(), d);
    Key(VK_LEFT);   // an expanded node folds
    EXPECT_FALSE(d->Expanded());
    Key(VK_RIGHT);
    EXPECT_TRUE(d->Expanded());
    // Right click selects only with RightClickSelect.
    Click(ScreenOf(d->Item(0)), TMouseButton::mbRight);
    EXPECT_EQ(Tree->Selected(), d);
    Tree->RightClickSelect = true;
    Click(ScreenOf(d->Item(0), 12), TMouseButton::mbRight);   // apart from the last press: no double click
    EXPECT_EQ(Tree->Selected(), d->Item(0));
    // Folding a node whose child is selected moves the selection to it.
    d->Collapse(false);
    EXPECT_EQ(Tree->Selected(), d);
    Tree->Invalidate();
    Pump();
    SaveWindowPng(Form.get(), "treeview.png");
}

TEST_F(TTreeFixture, ChangingMayBeRefusedAndDeletingTheSelectionClearsIt)
{
    TTreeNode* c = Tree->Items()->GetFirstNode();
    Tree->OnChanging = [](TObject*, TTreeNode* N, bool& Allow) { Allow = N->Text() != "D:"; };
    Tree->SetSelected(Tree->Items()->Item(1));
    EXPECT_EQ(Tree->Selected(), nullptr);
    Tree->SetSelected(c);
    EXPECT_EQ(Tree->Selected(), c);
    std::vector<std::string> deleted;
    Tree->OnDeletion = [&](TObject*, TTreeNode* N) { deleted.push_back(N->Text()); };
    c->Expand(false);
    Tree->SetSelected(c->Item(1));
    c->Delete();
    EXPECT_EQ(deleted, (std::vector<std::string>{"C:/c", "C:/b", "C:/a", "C:"}));
    EXPECT_EQ(Tree->Selected(), nullptr);
    EXPECT_EQ(Tree->Items()->Count(), 2);
    EXPECT_THROW(Tree->Items()->Item(2), EListError);
    EXPECT_THROW(Tree->Items()->GetFirstNode()->Item(0), EListError);
}

TEST_F(TTreeFixture, ScrollRangeAppearsWhenRowsOverflowAndTopItemFollows)
{
    int page = int(SendMessage(Tree->Handle(), TVM_GETVISIBLECOUNT, 0, 0));
    EXPECT_GT(page, 5);
    EXPECT_EQ(Tree->GetScrollInfo(SB_VERT).Max, 0);   // three rows fit
    Tree->FullExpand();
    int rows = 0;
    for (TTreeNode* n = Tree->Items()->GetFirstNode(); n; n = n->GetNextVisible())
        ++rows;
    ASSERT_GT(rows, page);
    TScrollInfo v = Tree->GetScrollInfo(SB_VERT);
    EXPECT_EQ(v.Max, rows - 1);
    EXPECT_EQ(v.Page, page);
    EXPECT_EQ(SendMessage(Tree->Handle(), TVM_GETCOUNT, 0, 0), Tree->Items()->Count());
    SendMessage(Tree->Handle(), WM_VSCROLL, WPARAM(MAKELPARAM(SB_THUMBPOSITION, 4)), 0);
    EXPECT_EQ(Tree->TopItem(), Tree->Items()->Item(4));
    Tree->SetTopItem(Tree->Items()->Item(2));
    EXPECT_EQ(Tree->GetScrollInfo(SB_VERT).Pos, 2);
    TTreeNode* last = Tree->Items()->GetFirstNode();
    while (last->GetNextVisible())
        last = last->GetNextVisible();
    Tree->SetSelected(last);
    EXPECT_EQ(Tree->GetScrollInfo(SB_VERT).Pos, rows - page);
}

TEST_F(TTreeFixture, LabelEditRenamesTheNode)
{
    TTreeNode* d = Tree->Items()->Item(1);
    Tree->OnEdited = [](TObject*, TTreeNode*, std::string& S) { S = "[" + S + "]"; };
    Tree->SetSelected(d);
    Tree->SetFocus();
    Key(VK_F2);
    ASSERT_TRUE(Tree->IsEditing());
    InjectText("data");
    Pump();
    Key(VK_RETURN);
    EXPECT_EQ(d->Text(), "[data]");
    d->EditText();
    Key(VK_ESCAPE);
    EXPECT_EQ(d->Text(), "[data]");
    EXPECT_FALSE(Tree->IsEditing());
}

namespace {
std::unique_ptr<TImageList> SolidImages(int W, int H, const std::vector<uint32_t>& AColors)
{
    auto list = std::make_unique<TImageList>(nullptr);
    list->SetSize(W, H);
    for (uint32_t c : AColors)
        list->AddPixels(std::vector<uint32_t>(size_t(W * H), 0xFF000000u | c));
    return list;
}
} // namespace

// Writing Images asks the window to show the list; the window may be told
// to show another one, which the rows then take their images and room from
// while Images stays the caller's.
TEST_F(TTreeFixture, TheWindowShowsTheListItIsAskedToShow)
{
    auto mine = SolidImages(16, 16, {0x0000FF});
    auto other = SolidImages(20, 20, {0x00FF00});
    const int plainLeft = Tree->Items()->Item(0)->DisplayRect(true).Left;
    Tree->SetImages(mine.get());
    EXPECT_EQ(Tree->ShownImages(), mine.get());
    EXPECT_EQ(reinterpret_cast<TImageList*>(SendMessage(Tree->Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0)), mine.get());
    EXPECT_EQ(Tree->Items()->Item(0)->DisplayRect(true).Left, plainLeft + 16 + 3);
    EXPECT_EQ(reinterpret_cast<TImageList*>(
                  SendMessage(Tree->Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(other.get()))),
              mine.get());
    EXPECT_EQ(Tree->Images(), mine.get());
    EXPECT_EQ(Tree->ShownImages(), other.get());
    EXPECT_EQ(Tree->Items()->Item(0)->DisplayRect(true).Left, plainLeft + 20 + 3);
    other.reset();
    EXPECT_EQ(Tree->ShownImages(), nullptr) << "a freed list is shown no more";
    EXPECT_EQ(Tree->Images(), mine.get());
    EXPECT_EQ(Tree->Items()->Item(0)->DisplayRect(true).Left, plainLeft);
}

TEST_F(TTreeFixture, StateImagesStandBeforeTheNodeImageAndMoveTheText)
{
    auto states = SolidImages(10, 20, {0xFF0000, 0x00FF00});
    auto images = SolidImages(16, 16, {0x0000FF});
    const int plainLeft = Tree->Items()->Item(0)->DisplayRect(true).Left;
    Tree->SetImages(images.get());
    Tree->SetStateImages(states.get());
    EXPECT_EQ(reinterpret_cast<TImageList*>(SendMessage(Tree->Handle(), TVM_GETIMAGELIST, TVSIL_STATE, 0)), states.get());
    struct Case {
        int State;
        uint32_t StateInk;
    };
    const Case cases[] = {{0, 0xFF0000}, {1, 0x00FF00}, {-1, 0xFFFFFF}};   // a node without a state keeps the room blank
    for (int i = 0; i < 3; ++i) {
        Tree->Items()->Item(i)->StateIndex = cases[i].State;
        Tree->Items()->Item(i)->ImageIndex = 0;
    }
    Tree->Invalidate();
    Pump();
    SaveWindowPng(Form.get(), "treeview_state_images.png");
    TPoint o = Tree->ClientToScreen(Point(0, 0));
    TPoint f = Form->ClientToScreen(Point(0, 0));
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        TRect text = Tree->Items()->Item(i)->DisplayRect(true);
        EXPECT_EQ(text.Left, plainLeft + 10 + 16 + 3);
        EXPECT_GE(text.Height(), 21);   // rows grow to the taller state list
        int x = o.X - f.X + plainLeft, y = o.Y - f.Y + (text.Top + text.Bottom) / 2;
        EXPECT_EQ(Pixel(Form.get(), x, y), cases[i].StateInk);
        EXPECT_EQ(Pixel(Form.get(), x + 9, y), cases[i].StateInk);
        EXPECT_EQ(Pixel(Form.get(), x + 10, y), 0x0000FFu);   // the node image follows the state image
    }
    Tree->SetStateImages(nullptr);
    EXPECT_EQ(Tree->Items()->Item(0)->DisplayRect(true).Left, plainLeft + 16 + 3);
}
