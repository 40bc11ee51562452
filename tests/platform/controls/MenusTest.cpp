#include "platform/controls/ImgList.h"
#include "platform/controls/Menus.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Menus, ShortCutTextRoundTrips)
{
    struct TCase {
        TShortCut Cut;
        const char* Text;
    } cases[] = {{TShortCut(VK_F1), "F1"}, {TShortCut('S' | scCtrl), "Ctrl+S"}, {TShortCut(VK_DELETE | scShift), "Shift+Del"},
                 {TShortCut('X' | scCtrl | scAlt), "Ctrl+Alt+X"}, {TShortCut(VK_RETURN), "Enter"}};
    for (const TCase& c : cases) {
        EXPECT_EQ(ShortCutToText(c.Cut), c.Text);
        EXPECT_EQ(TextToShortCut(c.Text), c.Cut) << c.Text;
    }
    EXPECT_EQ(TextToShortCut("Nonsense"), scNone);
}

TEST(Menus, ItemsTreeShortcutsAndRadioGroups)
{
    TMainMenu menu(nullptr);
    auto* file = new TMenuItem(&menu);
    file->Caption = "&File";
    menu.Items()->Add(file);
    auto* open = new TMenuItem(&menu);
    open->Caption = "&Open";
    open->ShortCut = TShortCut('O' | scCtrl);
    int opened = 0;
    open->OnClick = [&](TObject*) { ++opened; };
    file->Add(open);
    auto* a = new TMenuItem(&menu);
    auto* b = new TMenuItem(&menu);
    for (TMenuItem* i : {a, b}) {
        i->RadioItem = true;
        i->GroupIndex = 1;
        file->Add(i);
    }
    EXPECT_EQ(menu.Items()->Find("file"), file);
    EXPECT_EQ(open->GetParentMenu(), &menu);
    EXPECT_TRUE(menu.IsShortCut('O', ssCtrl));
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(menu.IsShortCut('O', 0));
    file->Enabled = false;   // a disabled parent hides the shortcut
    EXPECT_FALSE(menu.IsShortCut('O', ssCtrl));
    file->Enabled = true;
    EXPECT_TRUE(menu.DispatchCommand(open->Command()));
    EXPECT_EQ(opened, 2);
    a->Click();
    b->Click();
    EXPECT_FALSE(a->Checked);
    EXPECT_TRUE(b->Checked);
    file->Delete(file->IndexOf(a));
    EXPECT_EQ(file->Count(), 2);
    int popups = 0, shown = 0;
    TPopupMenu popup(nullptr);
    popup.OnPopup = [&](TObject*) { ++popups; };
    SetPopupMenuPresenter([&](TPopupMenu*, int X, int Y) { shown += X + Y; });
    popup.Popup(3, 4);
    SetPopupMenuPresenter(nullptr);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(shown, 7);
}

namespace {

// Builds a submenu from a pattern: 'a' a shown item, 'h' a hidden item,
// '-' a separator, '_' a separator the program hid. Returns what shows after
// RethinkLines in the same letters, hidden children left out.
std::string ShownAfterRethink(TMenuItem* AParent, TMenu* AOwner, const std::string& APattern)
{
    AParent->Clear();
    for (char c : APattern) {
        auto* item = new TMenuItem(AOwner);
        item->Caption = (c == '-' || c == '_') ? "-" : "Item";
        item->Visible = c == 'a' || c == '-';
        AParent->Add(item);
    }
    AParent->RethinkLines();
    std::string shown;
    for (int i = 0; i < AParent->Count(); ++i)
        if (AParent->Items(i)->Visible)
            shown += AParent->Items(i)->IsLine() ? '-' : 'a';
    return shown;
}

} // namespace

TEST(Menus, RethinkLinesHidesRedundantSeparators)
{
    struct TCase {
        const char* Items;
        const char* Shown;
    } cases[] = {
        {"a-a", "a-a"},         {"-a", "a"},           {"a-", "a"},         {"--a--", "a"},
        {"a--a", "a-a"},        {"a---a-a", "a-a-a"},  {"a-h-a", "a-a"},    {"h-a-h", "a"},
        {"a-h", "a"},           {"-h-", ""},           {"", ""},            {"a_a", "aa"},
        {"a_-a", "a-a"},        {"a-_a", "a-a"},       {"hhh", ""},         {"a-a-h-", "a-a"},
    };
    TPopupMenu menu(nullptr);
    for (const TCase& c : cases)
        EXPECT_EQ(ShownAfterRethink(menu.Items(), &menu, c.Items), c.Shown) << c.Items;
}

TEST(Menus, RethinkLinesShowsAgainTheSeparatorsItHidWhenTheyAreNeeded)
{
    TPopupMenu menu(nullptr);
    EXPECT_EQ(menu.AutoLineReduction, maAutomatic);
    TMenuItem* root = menu.Items();
    ASSERT_EQ(ShownAfterRethink(root, &menu, "a-ha"), "a-a");
    TMenuItem* line = root->Items(1);
    TMenuItem* below = root->Items(3);
    below->Visible = false;   // the separator now ends the menu
    root->RethinkLines();
    EXPECT_FALSE(line->Visible);
    below->Visible = true;    // and stands between two items again
    root->RethinkLines();
    EXPECT_TRUE(line->Visible);
    line->Visible = false;    // the program's own choice is kept
    root->RethinkLines();
    EXPECT_FALSE(line->Visible);
}

TEST(ImageLists, MaskedImagesDrawWithHoles)
{
    TImageList list(nullptr);
    list.SetSize(4, 4);
    TBitmap strip;
    strip.SetPixelFormat(pf32bit);
    strip.SetSize(8, 4);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(Rect(0, 0, 8, 4));
    strip.Canvas()->Brush()->SetColor(clFuchsia);
    strip.Canvas()->FillRect(Rect(4, 0, 8, 2));   // the second image's top half is a hole
    EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);
    TBitmap target;
    target.SetPixelFormat(pf32bit);
    target.SetSize(4, 4);
    target.Canvas()->Brush()->SetColor(clBlue);
    target.Canvas()->FillRect(Rect(0, 0, 4, 4));
    list.Draw(target.Canvas(), 0, 0, 1);
    auto px = [&](int X, int Y) { return reinterpret_cast<uint32_t*>(target.ScanLine(Y))[X] & 0xFFFFFF; };
    EXPECT_EQ(px(1, 0), 0x0000FFu);   // the hole shows what was there
    EXPECT_EQ(px(1, 3), 0xFF0000u);
    list.Draw(target.Canvas(), 0, 0, 0, false);
    EXPECT_NE(px(1, 0), 0xFF0000u);   // greyed
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
}
