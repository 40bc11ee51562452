// The menu bar on a headless form: items opening their menus by click, the
// open menu following the mouse along the bar, keyboard menu mode with
// arrows, Enter, Escape and Alt accelerators, shortcuts reaching the main
// menu, items that do not fit, and the painting of the bar.

#include "MenuTestSupport.h"

#include "skin/form/bsSkinMainMenu.h"

namespace {

using namespace menutest;
using skin::TbsSkinMainMenu;
using skin::TbsSkinMainMenuBar;

struct MainMenuTest : TMenuFixture {
    TbsSkinMainMenuBar* Bar = nullptr;
    TbsSkinMainMenu* Menu = nullptr;

    void SetUp() override
    {
        TMenuFixture::SetUp();
        Menu = new TbsSkinMainMenu(Form.get());
        TMenuItem* file = AddItem(Menu->Items(), "文件(&F)");
        AddItem(file, "&Open");
        AddItem(file, "E&xit");
        TMenuItem* edit = AddItem(Menu->Items(), "编辑(&E)");
        AddItem(edit, "&Copy");
        AddItem(edit, "&Paste")->Enabled = false;
        AddItem(Menu->Items(), "动作(&A)");   // a command of its own, no submenu
        TMenuItem* help = AddItem(Menu->Items(), "帮助(&H)");
        AddItem(help, "&About")->ShortCut = ShortCut(VK_F1, 0);
        // A parent item's click runs whenever its menu opens; the tests
        // record the commands only.
        for (int i = 0; i < Menu->Items()->Count(); ++i)
            if (Menu->Items()->Items(i)->Count() > 0)
                Menu->Items()->Items(i)->OnClick = nullptr;
        Bar = new TbsSkinMainMenuBar(Form.get());
        Bar->SetParent(Form.get());
        Bar->SetSkinForm(SkinForm);
        SkinForm->SetMainMenuBar(Bar);
        Bar->SetMainMenu(Menu);
        Pump();
    }
    // The middle of bar item AIndex on the screen.
    TPoint ItemCenter(int AIndex)
    {
        const TRect r = Bar->Object(AIndex)->ObjectRect;
        return Bar->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    std::string OpenMenuFirstCaption()
    {
        if (!Manager()->Visible())
            return "";
        return Manager()->PopupWindow(0)->Item(0)->MenuItem->Caption;
    }
};

TEST_F(MainMenuTest, TheBarShowsOneObjectPerTopLevelItemInOrder)
{
    EXPECT_EQ(Bar->Height(), 22);
    EXPECT_EQ(Bar->Align(), alTop);
    ASSERT_EQ(Bar->ObjectCount(), 4);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(Bar->Object(i)->ObjectRect.Left, Bar->Object(i - 1)->ObjectRect.Right);
    EXPECT_EQ(Bar->Object(0)->ObjectRect.Left, 2);
    Menu->Items()->Items(1)->Visible = false;
    Bar->SetMainMenu(Menu);
    Pump();
    ASSERT_EQ(Bar->ObjectCount(), 3);
    EXPECT_EQ(Bar->ItemOf(1)->MenuItem->Caption, "动作(&A)");
}

TEST_F(MainMenuTest, AClickOpensTheMenuBelowItsItemAndTheMenuFollowsTheMouse)
{
    ClickAt(ItemCenter(0));
    ASSERT_TRUE(Manager()->Visible());
    EXPECT_EQ(OpenMenuFirstCaption(), "&Open");
    EXPECT_TRUE(SkinForm->InMainMenu);
    EXPECT_TRUE(Bar->MenuActive);
    const TRect item = Bar->Object(0)->ObjectRect;
    skin::TbsSkinPopupWindow* w = Manager()->PopupWindow(0);
    EXPECT_EQ(Point(w->Left(), w->Top()), Bar->ClientToScreen(Point(item.Left, item.Bottom)));
    SaveWindowPng(Form->Handle(), "menubar_open_form.png");
    SaveWindowPng(w->Handle(), "menubar_open_menu.png");
    // Hovering the next item moves the open menu there.
    MoveTo(ItemCenter(1));
    EXPECT_EQ(OpenMenuFirstCaption(), "&Copy");
    EXPECT_TRUE(Bar->ItemOf(1)->FDown);
    EXPECT_FALSE(Bar->ItemOf(0)->FDown);
    // Leaving the bar keeps the item highlighted while its menu is open.
    MoveTo(Form->ClientToScreen(Point(300, 150)));
    EXPECT_TRUE(Bar->ItemOf(1)->FDown);
    ClickAt(ItemPoint(0, 0));
    EXPECT_EQ(Chosen, std::vector<std::string>{"&Copy"});
    EXPECT_FALSE(Manager()->Visible());
    EXPECT_FALSE(SkinForm->InMainMenu);
    EXPECT_FALSE(SkinForm->InMenu);
    EXPECT_FALSE(Bar->MenuActive);
    EXPECT_FALSE(Bar->ItemOf(1)->FDown);
}

TEST_F(MainMenuTest, AnItemWithoutSubmenuRunsItsCommandOnClick)
{
    ClickAt(ItemCenter(2));
    EXPECT_EQ(Chosen, std::vector<std::string>{"动作(&A)"});
    EXPECT_FALSE(Manager()->Visible());
}

struct BarKeyCase {
    const char* Name;
    std::vector<int> Keys;
    std::vector<std::string> Chosen;
};

TEST_F(MainMenuTest, KeyboardMenuModeChoosesCommands)
{
    const BarKeyCase cases[] = {
        {"enter opens the first menu, enter runs its first item", {VK_RETURN, VK_RETURN}, {"&Open"}},
        {"right then down", {VK_RIGHT, VK_DOWN, VK_RETURN}, {"&Copy"}},
        {"left wraps to the last item", {VK_LEFT, VK_RETURN, VK_RETURN}, {"&About"}},
        {"right moves an open menu along", {VK_RETURN, VK_RIGHT, VK_RETURN}, {"&Copy"}},
        {"the disabled item is skipped", {VK_RIGHT, VK_RETURN, VK_DOWN, VK_RETURN}, {"&Copy"}},
        {"an accelerator in menu mode", {'A'}, {"动作(&A)"}},
        {"an accelerator opens a menu, the next one chooses", {'F', 'X'}, {"E&xit"}},
        {"the bar's accelerators come first in menu mode", {'H', 'A'}, {"动作(&A)"}},
        {"escape closes the menu, escape leaves the bar", {VK_RETURN, VK_ESCAPE, VK_ESCAPE}, {}},
    };
    for (const BarKeyCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Chosen.clear();
        SendMessage(Form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
        Pump();
        ASSERT_TRUE(SkinForm->InMainMenu);
        EXPECT_TRUE(Bar->ItemOf(0)->Active);
        for (int k : c.Keys)
            Key(k);
        EXPECT_EQ(Chosen, c.Chosen);
        EXPECT_FALSE(Manager()->Visible());
        EXPECT_FALSE(SkinForm->InMainMenu);
        EXPECT_FALSE(SkinForm->AppHooked());
    }
}

TEST_F(MainMenuTest, AltAcceleratorsAndShortcutsReachTheMenu)
{
    InjectKey(VK_MENU, true);
    Pump();
    Key('E');
    InjectKey(VK_MENU, false);
    Pump();
    ASSERT_TRUE(Manager()->Visible());
    EXPECT_EQ(OpenMenuFirstCaption(), "&Copy");
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    EXPECT_FALSE(SkinForm->InMainMenu);
    Key(VK_F1);
    EXPECT_EQ(Chosen, std::vector<std::string>{"&About"});
}

TEST_F(MainMenuTest, ItemsThatDoNotFitAreOfferedThroughTheMarker)
{
    Form->SetBounds(100, 100, 120, 300);
    Pump();
    Bar->Repaint();
    Pump();
    ASSERT_TRUE(Bar->Scroll);
    int shown = 0;
    for (int i = 0; i < Bar->ObjectCount(); ++i)
        shown += Bar->ItemOf(i)->ItemVisible;
    ASSERT_LT(shown, 4);
    EXPECT_FALSE(Bar->ItemOf(3)->Enabled);
    const TRect marker = Bar->GetMarkerRect();
    ClickAt(Bar->ClientToScreen(Point(marker.Left + 2, (marker.Top + marker.Bottom) / 2)));
    ASSERT_TRUE(Manager()->Visible());
    EXPECT_EQ(Manager()->PopupWindow(0)->ItemCount(), 4 - shown);
    EXPECT_EQ(OpenMenuFirstCaption(), Menu->Items()->Items(shown)->Caption);
    Manager()->Hide();
}

TEST_F(MainMenuTest, TheUnskinnedBarPaintsItsHotItem)
{
    MoveTo(ItemCenter(1));
    const TRect r = Bar->Object(1)->ObjectRect;
    const TPoint at = Form->ScreenToClient(Bar->ClientToScreen(Point(r.Left, r.Top)));
    EXPECT_EQ(WindowPixel(Form->Handle(), at.X, at.Y), Rgb(59, 107, 183));        // frame
    EXPECT_EQ(WindowPixel(Form->Handle(), at.X + 2, at.Y + 2), Rgb(193, 212, 243));  // hot fill
    const TRect r0 = Bar->Object(0)->ObjectRect;
    const TPoint at0 = Form->ScreenToClient(Bar->ClientToScreen(Point(r0.Left + 1, r0.Top + 1)));
    EXPECT_EQ(WindowPixel(Form->Handle(), at0.X, at0.Y), skintest::SysRgb(clBtnFace));
    SaveWindowPng(Form->Handle(), "menubar_hot.png");
}

} // namespace

namespace {

using namespace menutest;

TEST_F(MainMenuTest, TheSkinnedBarDrawsFromItsRecords)
{
    std::string ini = MenuSkinIni();
    ini.replace(ini.find("[SKINOBJECTS]\r\ncount=1\r\n0=menuitem:menuitem\r\n"),
                std::string("[SKINOBJECTS]\r\ncount=1\r\n0=menuitem:menuitem\r\n").size(),
                "[SKINOBJECTS]\r\ncount=2\r\n0=menuitem:menuitem\r\n1=baritem:mainmenubaritem\r\n"
                "[baritem]\r\nactivepictureindex=0\r\nskinrect=0,0,30,20\r\nactiveskinrect=30,0,60,20\r\n"
                "textrect=5,0,25,20\r\nitemleftoffset=3\r\nitemrightoffset=3\r\nfontname=Tahoma\r\nfontheight=13\r\n"
                "fontcolor=0\r\nactivefontcolor=16777215\r\ndownfontcolor=255\r\n");
    ini.replace(ini.find("[SKINCONTROLS]\r\ncount=0\r\n"), std::string("[SKINCONTROLS]\r\ncount=0\r\n").size(),
                "[SKINCONTROLS]\r\ncount=1\r\n0=mainmenubar:mainmenubar\r\n"
                "[mainmenubar]\r\npictureindex=1\r\nskinrect=0,0,20,20\r\nitemsrect=2,0,18,20\r\nmenubaritem=baritem\r\n");
    TMenuSkinFolder folder(ini);
    skin::TbsSkinData data(nullptr);
    ASSERT_TRUE(data.LoadFromFile(folder.Ini()).Ok());
    Bar->SetSkinData(&data);
    Pump();
    EXPECT_EQ(Bar->Height(), 20);
    EXPECT_TRUE(Bar->FSkinSupport);
    auto at = [&](int X, int Y) {
        const TPoint p = Form->ScreenToClient(Bar->ClientToScreen(Point(X, Y)));
        return WindowPixel(Form->Handle(), p.X, p.Y);
    };
    EXPECT_EQ(at(0, 10), WindowFrame);
    const TRect first = Bar->Object(0)->ObjectRect;
    EXPECT_EQ(first.Left, 2);
    EXPECT_EQ(at(first.Left + 1, 1), ItemNormal);
    MoveTo(ItemCenter(1));
    const TRect second = Bar->Object(1)->ObjectRect;
    EXPECT_EQ(at(second.Left + 1, 1), ItemHot);
    EXPECT_EQ(at(first.Left + 1, 1), ItemNormal);
    SaveWindowPng(Form->Handle(), "menubar_skinned.png");
    Bar->SetSkinData(nullptr);
}

} // namespace
