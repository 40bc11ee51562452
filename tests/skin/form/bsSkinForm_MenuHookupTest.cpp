// The skin form's side of its menus: the settings it hands to its menu
// manager, the popups it opens and in which skin, the shortcuts of its own
// main menu, and the status bar grip that follows the window state.

#include "MenuTestSupport.h"
#include "MDITestSupport.h"

#include "skin/controls/bsSkinCtrls_StatusBar.h"

namespace {

using namespace menutest;

TEST_F(TMenuFixture, MenuSettingsReachTheMenuManager)
{
    SkinForm->SetMaxMenuItemsInWindow(7);
    SkinForm->SetMaxMenuItemsInWindow(-3);   // ignored
    SkinForm->SetMenusAlphaBlend(true);
    SkinForm->SetMenusAlphaBlendAnimation(true);
    SkinForm->SetUseSkinFontInMenu(false);
    SkinForm->SetUseSkinSizeInMenu(false);
    SkinForm->SetDefMenuItemHeight(31);
    SkinForm->SetDefMenuItemHeight(0);   // ignored
    TFont font;
    font.SetName("Courier");
    font.SetHeight(17);
    SkinForm->SetDefMenuItemFont(&font);

    skin::TbsSkinMenu* m = Manager();
    // The value the component starts with is the one its menus use.
    EXPECT_EQ(m->AlphaBlendValue, 200);
    SkinForm->SetMenusAlphaBlendValue(90);
    EXPECT_EQ(m->MaxMenuItemsInWindow, 7);
    EXPECT_TRUE(m->AlphaBlend);
    EXPECT_TRUE(m->AlphaBlendAnimation);
    EXPECT_EQ(m->AlphaBlendValue, 90);
    EXPECT_FALSE(m->UseSkinFont);
    EXPECT_FALSE(m->UseSkinSize);
    EXPECT_EQ(m->DefaultMenuItemHeight, 31);
    EXPECT_EQ(m->DefaultMenuItemFont()->Name(), "Courier");
    EXPECT_EQ(m->DefaultMenuItemFont()->Height(), 17);
    EXPECT_EQ(SkinForm->DefMenuItemHeight(), 31);
    EXPECT_EQ(SkinForm->MaxMenuItemsInWindow(), 7);
    EXPECT_EQ(skin::TbsSkinForm::GetProductVersion(), "10.10");
}

TEST_F(TMenuFixture, AMenuLimitedToTwoItemsPerWindowScrolls)
{
    TPopupMenu menu(Form.get());
    for (const char* c : {"&One", "&Two", "T&hree", "&Four"})
        AddItem(menu.Items(), c);
    SkinForm->SetUseSkinSizeInMenu(false);
    SkinForm->SetDefMenuItemHeight(20);
    SkinForm->PopupSkinMenu(&menu, Point(200, 200));
    Pump();
    ASSERT_TRUE(Manager()->Visible());
    const int full = Manager()->PopupWindow(0)->Height();
    Key(VK_ESCAPE);
    SkinForm->SetMaxMenuItemsInWindow(2);
    SkinForm->PopupSkinMenu(&menu, Point(200, 200));
    Pump();
    ASSERT_TRUE(Manager()->Visible());
    EXPECT_LT(Manager()->PopupWindow(0)->Height(), full);
    Key(VK_ESCAPE);
}

TEST_F(TMenuFixture, PopupsOpenInTheSkinOfTheFormsMenusAndContextMenusInTheFormsSkin)
{
    skin::TbsSkinData formSkin(nullptr), menuSkin(nullptr);
    SkinForm->SetMenusSkinData(&menuSkin);
    SkinForm->SetSkinData(&formSkin);
    TPopupMenu menu(Form.get());
    AddItem(menu.Items(), "&Open");
    AddItem(menu.Items(), "&Quit");
    std::vector<TObject*> popupSenders;
    menu.OnPopup = [&](TObject* S) { popupSenders.push_back(S); };

    struct Case {
        const char* Name;
        std::function<void()> Open;
        skin::TbsSkinData* Skin;
        int Fired;
    };
    const Case cases[] = {
        {"at a point", [&] { SkinForm->PopupSkinMenu(&menu, Point(150, 150)); }, &menuSkin, 0},
        {"beside a rectangle", [&] { SkinForm->PopupSkinMenu1(&menu, Rect(150, 150, 200, 170), false); }, &menuSkin, 0},
        {"as a context menu", [&] { SkinForm->DoPopupMenu(&menu, 150, 150); }, &formSkin, 1},
        {"the system menu", [&] { SkinForm->PopupSystemMenuAtRect(Rect(150, 150, 160, 160)); }, &menuSkin, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        popupSenders.clear();
        Chosen.clear();
        c.Open();
        Pump();
        ASSERT_TRUE(Manager()->Visible());
        EXPECT_TRUE(SkinForm->InMenu);
        EXPECT_EQ(Manager()->SkinData, c.Skin);
        EXPECT_EQ(int(popupSenders.size()), c.Fired);
        if (c.Fired) {
            EXPECT_EQ(popupSenders[0], SkinForm);
        }
        // Keys go to the menu, not to the focused edit.
        Key('Z');
        EXPECT_EQ(Edit->Text(), "");
        Key(VK_ESCAPE);
        EXPECT_FALSE(Manager()->Visible());
        EXPECT_FALSE(SkinForm->InMenu);
        EXPECT_FALSE(SkinForm->AppHooked());
    }
    // A context menu opened over an open one replaces it.
    SkinForm->PopupSkinMenu(&menu, Point(150, 150));
    Pump();
    SkinForm->DoPopupMenu(&menu, 160, 160);
    Pump();
    EXPECT_EQ(Manager()->PopupCount(), 1);
    Key(VK_RETURN);
    EXPECT_EQ(Chosen, std::vector<std::string>{"&Open"});
    EXPECT_FALSE(SkinForm->AppHooked());
    SkinForm->SetMenusSkinData(nullptr);
    SkinForm->SetSkinData(nullptr);
}

TEST_F(TMenuFixture, TheComponentsOwnMainMenuRunsItsShortcuts)
{
    auto* main = new TMainMenu(Form.get());
    AddItem(main->Items(), "&Help")->ShortCut = ShortCut(VK_F1, 0);
    Key(VK_F1);
    EXPECT_TRUE(Chosen.empty());
    SkinForm->SetMainMenu(main);
    Key(VK_F1);
    EXPECT_EQ(Chosen, std::vector<std::string>{"&Help"});
    delete main;
    EXPECT_EQ(SkinForm->MainMenu(), nullptr);
    Key(VK_F1);
    EXPECT_EQ(Chosen.size(), 1u);
}

TEST_F(TMenuFixture, TheStatusBarGripIsHiddenWhileTheFormIsMaximized)
{
    auto* bar = new skin::TbsSkinStatusBar(Form.get());
    bar->SetSizeGrip(true);
    bar->SetParent(Form.get());
    SkinForm->SetStatusBar(bar);
    SkinForm->SetWindowState(wsMaximized);
    Pump();
    EXPECT_FALSE(bar->ShowGrip());
    SkinForm->SetWindowState(wsNormal);
    Pump();
    EXPECT_TRUE(bar->ShowGrip());
    delete bar;
    EXPECT_EQ(SkinForm->StatusBar(), nullptr);
    SkinForm->SetWindowState(wsMaximized);   // no bar left to tell
    Pump();
    EXPECT_EQ(SkinForm->WindowState(), wsMaximized);
}

TEST(SkinFormMdiMenuTest, ADocumentsSystemMenuOpensThroughTheMainFormAndEndsItsMenuMode)
{
    mditest::TMdiSkinForms forms(500, 400);
    TForm* doc = forms.Add("Doc");
    skin::TbsSkinForm* docSkin = skin::FindSkinFormComponent(doc);
    ASSERT_NE(docSkin, nullptr);
    docSkin->PopupSystemMenu(100, 100);
    Application()->ProcessMessages();
    EXPECT_TRUE(forms.MainSkin->SkinMenu()->Visible());
    EXPECT_FALSE(docSkin->SkinMenu()->Visible());
    EXPECT_TRUE(forms.MainSkin->InMenu);
    EXPECT_FALSE(docSkin->InMenu);
    forms.MainSkin->SkinMenu()->Hide();
    Application()->ProcessMessages();
    EXPECT_FALSE(forms.MainSkin->InMenu);
    EXPECT_FALSE(forms.MainSkin->AppHooked());
    EXPECT_FALSE(docSkin->AppHooked());
}

} // namespace

namespace {

TEST(SkinFormMdiMenuTest, APressOnTheMainFormClosesTheActiveDocumentsMenu)
{
    mditest::TMdiSkinForms forms(500, 400);
    TForm* doc = forms.Add("Doc");
    skin::TbsSkinForm* docSkin = skin::FindSkinFormComponent(doc);
    ASSERT_EQ(forms.Main->ActiveMDIChild(), doc);
    EXPECT_EQ(skin::FindActiveMDIChildSkinForm(), docSkin);
    TPopupMenu menu(doc);
    auto* item = new TMenuItem(doc);
    item->Caption = "&Open";
    menu.Items()->Add(item);
    docSkin->PopupSkinMenu(&menu, Point(100, 100));
    Application()->ProcessMessages();
    ASSERT_TRUE(docSkin->SkinMenu()->Visible());
    SendMessage(forms.Main->Handle(), WM_LBUTTONDOWN, 0, 0);
    Application()->ProcessMessages();
    EXPECT_FALSE(docSkin->SkinMenu()->Visible());
    EXPECT_FALSE(docSkin->InMenu);
    EXPECT_FALSE(docSkin->AppHooked());
}

TEST(SkinFormMdiMenuTest, WithoutAMainFormThereIsNoActiveDocument)
{
    ASSERT_EQ(Application()->MainForm(), nullptr);
    EXPECT_EQ(skin::FindActiveMDIChildSkinForm(), nullptr);
}

} // namespace
