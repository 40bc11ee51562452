// An edit without a popup menu of its own opens a skinned menu through its
// form's menu manager, and the chosen command runs in the edit.
#include "MenuTestSupport.h"

#include "skin/boxes/bsSkinBoxes_SkinEdit.h"

namespace {

using namespace menutest;

struct EditContextMenuTest : TMenuFixture {};

TEST_F(EditContextMenuTest, TheEditsOwnMenuIsASkinnedOneAndRunsItsCommand)
{
    auto* edit = new skin::TbsSkinEdit(Form.get());
    edit->SetBounds(10, 10, 150, 22);
    edit->SetParent(Form.get());
    edit->SetText("some text");
    edit->SetFocus();
    edit->SetSelStart(0);
    edit->SetSelLength(0);
    Pump();
    const TPoint p = edit->ClientToScreen(Point(20, 10));
    edit->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(p.X, p.Y));
    Pump();
    ASSERT_TRUE(Manager()->Visible());
    ASSERT_NE(dynamic_cast<skin::TbsSkinPopupMenu*>(edit->SysPopupMenu()), nullptr);
    // The last item is Select All.
    skin::TbsSkinPopupWindow* w = Manager()->PopupWindow(0);
    ASSERT_NE(w, nullptr);
    ClickAt(ItemPoint(0, w->ItemCount() - 1));
    EXPECT_FALSE(Manager()->Visible());
    EXPECT_EQ(edit->SelLength(), 9);
    // A second request builds a fresh menu; the first stays alive until the next.
    edit->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(p.X, p.Y));
    Pump();
    EXPECT_TRUE(Manager()->Visible());
    Key(VK_ESCAPE);
    EXPECT_FALSE(Manager()->Visible());
}

// The captions come from the string table of the skin the edit's form
// wears, whatever skin the edit itself has; without one the built-in texts.
TEST_F(EditContextMenuTest, CaptionsComeFromTheFormsStringTable)
{
    auto* edit = new skin::TbsSkinEdit(Form.get());
    edit->SetBounds(10, 10, 150, 22);
    edit->SetParent(Form.get());
    Pump();
    skin::TbsSkinData formSkin(nullptr);
    skin::TbsResourceStrData strings(nullptr);
    TStringList lines;
    lines.Add("EDIT_UNDO=撤销");
    lines.Add("EDIT_SELECTALL=全选");
    strings.SetResStrings(lines);
    formSkin.SetResourceStrData(&strings);
    struct Case {
        const char* Name;
        skin::TbsSkinData* FormSkin;
        std::string Undo, SelectAll;
    };
    const Case cases[] = {
        {"the form's table", &formSkin, "撤销", "全选"},
        {"no skin on the form", nullptr, "Undo", "Select All"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        SkinForm->SetSkinData(c.FormSkin);
        const TPoint p = edit->ClientToScreen(Point(20, 10));
        edit->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(p.X, p.Y));
        Pump();
        TMenuItem* items = edit->SysPopupMenu()->Items();
        ASSERT_EQ(items->Count(), 8);
        EXPECT_EQ(items->Items(0)->Caption, c.Undo);
        EXPECT_EQ(items->Items(7)->Caption, c.SelectAll);
        Key(VK_ESCAPE);
    }
    SkinForm->SetSkinData(nullptr);
    formSkin.SetResourceStrData(nullptr);
}

} // namespace
