// The application menu on a headless form: the item column's layout, page
// bounds, selection by keys, opening from the application button, closing
// by Escape, by the button, by a tab and by a plain item (before its
// OnClick runs), the scroll bar of a long column, and the default and
// skinned looks of items.

#include "RibbonTestSupport.h"

#include "platform/controls/ImgList.h"

namespace {

using namespace ribbontest;

struct AppMenuTest : TRibbonFixture {
    TbsAppMenu* Menu = nullptr;

    void SetUp() override
    {
        TRibbonFixture::SetUp();
        AddTabs({"A", "B"});
        Menu = new TbsAppMenu(Form.get());
        Menu->SetParent(Form.get());
        Ribbon->SetAppMenu(Menu);
        Menu->OnShowMenu = [this](TObject*) { Log.push_back("show"); };
        Menu->OnHideMenu = [this](TObject*) { Log.push_back("hide"); };
        ShowAndPaint();
    }
    TbsAppMenuItem* Plain(const std::string& ACaption)
    {
        TbsAppMenuItem* item = Menu->Items()->Add();
        item->SetCaption(ACaption);
        item->OnClick = [this, ACaption](TObject* S) {
            Log.push_back("click " + ACaption + (Menu->Visible() ? " open" : " closed"));
            EXPECT_EQ(S, Ribbon);
        };
        return item;
    }
    TbsAppMenuItem* WithPage(const std::string& ACaption)
    {
        TbsAppMenuItem* item = Plain(ACaption);
        item->SetPage(Menu->CreatePage());
        return item;
    }
    std::vector<TRect> Rects()
    {
        Menu->CalcLayout();
        std::vector<TRect> r;
        for (int i = 0; i < Menu->Items()->Count(); ++i)
            r.push_back(Menu->Items()->Items(i)->ItemRect);
        return r;
    }
    void OpenByButton()
    {
        Click(Ribbon->AppButton(), 10, 10);
        Log.clear();
    }
    TPoint ItemMiddle(int AIndex)
    {
        Menu->CalcLayout();
        return Middle(Menu->Items()->Items(AIndex)->ItemRect);
    }
};

TEST_F(AppMenuTest, TheItemColumnLaysOutPlainAndPageItemsWithTheirGaps)
{
    Plain("one");
    Plain("two");
    EXPECT_EQ(Rects(), (std::vector<TRect>{Rect(8, 7, 92, 35), Rect(8, 35, 92, 63)}));
    Menu->Items()->Clear();
    WithPage("p1");
    WithPage("p2");
    Plain("x");
    WithPage("p3");
    EXPECT_EQ(Rects(), (std::vector<TRect>{Rect(0, 30, 100, 65), Rect(0, 73, 100, 108), Rect(8, 116, 92, 144),
                                           Rect(0, 152, 100, 187)}));
    // Content height: 195 + 25 for a closing page item.
    EXPECT_EQ(Menu->GetScrollRange(), 220);
}

TEST_F(AppMenuTest, ANewItemIsNamedAfterItsIndex)
{
    for (int i = 0; i < 4; ++i)
        Menu->Items()->Add();
    EXPECT_EQ(Menu->Items()->Items(3)->Caption(), "TbsAppMenuItem3");
}

TEST_F(AppMenuTest, ItemWidthAndPageBoundsKeepTheirMinimums)
{
    Menu->SetItemWidth(50);
    EXPECT_EQ(Menu->ItemWidth(), 100);
    Menu->SetBounds(0, 0, 375, 300);
    TbsAppMenuPage* page = Menu->CreatePage();
    EXPECT_EQ(page->Name(), "bsAppMenuPage1");
    EXPECT_EQ(page->BoundsRect(), Rect(100, 25, 350, 275));   // area 250 wide
    page->SetDefaultWidth(300);
    EXPECT_EQ(page->Width(), 250);
    page->SetDefaultWidth(120);
    EXPECT_EQ(page->Width(), 120);
    Menu->SetBounds(0, 0, 180, 100);   // an area 55 wide and 50 high
    EXPECT_EQ(page->BoundsRect(), Rect(100, 25, 200, 125));
}

TEST_F(AppMenuTest, TheButtonOpensTheMenuOverTheFormBelowItAndAPressOnItClosesIt)
{
    Plain("one");
    Click(Ribbon->AppButton(), 10, 10);
    ASSERT_TRUE(Menu->Visible());
    EXPECT_EQ(Menu->BoundsRect(), Rect(0, 25, 400, 300));
    EXPECT_TRUE(Menu->Focused());
    EXPECT_TRUE(Ribbon->FInAppHook);
    EXPECT_TRUE(Ribbon->AppButton()->FDownState);   // pressed while the menu is open
    EXPECT_EQ(Menu->ItemIndex(), 0);
    EXPECT_EQ(Log, (std::vector<std::string>{"show"}));
    Log.clear();
    Mouse(Ribbon->AppButton(), 10, 10, 1);
    Mouse(Ribbon->AppButton(), 10, 10, 0);
    EXPECT_FALSE(Menu->Visible());
    EXPECT_FALSE(Ribbon->FInAppHook);
    EXPECT_FALSE(Ribbon->AppButton()->FDownState);
    EXPECT_EQ(Log, (std::vector<std::string>{"menu close", "hide"}));
}

TEST_F(AppMenuTest, EscapeClosesTheMenuOnlyWhileTheFormIsActive)
{
    Plain("one");
    OpenByButton();
    ASSERT_TRUE(SkinForm->GetFormActive());
    Key(VK_ESCAPE, true);
    Key(VK_ESCAPE, false);
    EXPECT_FALSE(Menu->Visible());
    OpenByButton();
    platform::TMsg m;
    m.message = WM_KEYDOWN;
    m.wParam = VK_ESCAPE;
    bool handled = false;
    InjectDeactivate();
    Pump();
    ASSERT_FALSE(SkinForm->GetFormActive());
    Application()->OnMessage(m, handled);
    EXPECT_FALSE(handled);
    EXPECT_TRUE(Menu->Visible());
}

TEST_F(AppMenuTest, APlainItemClosesTheMenuBeforeItsClickRunsAndOnlyWhenPressedAndReleasedOnIt)
{
    Plain("one");
    Plain("two");
    OpenByButton();
    const TPoint one = ItemMiddle(0), two = ItemMiddle(1);
    Mouse(Menu, one.X, one.Y);
    Mouse(Menu, one.X, one.Y, 1);
    Mouse(Menu, two.X, two.Y);
    Mouse(Menu, two.X, two.Y, 0);
    EXPECT_TRUE(Menu->Visible());
    EXPECT_TRUE(Log.empty());
    Click(Menu, two.X, two.Y);
    EXPECT_FALSE(Menu->Visible());
    EXPECT_EQ(Log, (std::vector<std::string>{"click two closed", "menu close", "hide"}));
}

TEST_F(AppMenuTest, APageItemShowsItsPageAndKeepsTheMenuOpen)
{
    Plain("one");
    TbsAppMenuItem* p = WithPage("page");
    OpenByButton();
    Click(Menu, ItemMiddle(1).X, ItemMiddle(1).Y);
    EXPECT_TRUE(Menu->Visible());
    EXPECT_EQ(Menu->ActivePage(), p->Page());
    EXPECT_TRUE(p->Page()->Visible());
    EXPECT_FALSE(p->Page()->FStopScroll);
}

TEST_F(AppMenuTest, AClickOnARibbonTabClosesTheMenu)
{
    Plain("one");
    OpenByButton();
    // The menu covers the form below the button: press the tab row beside it.
    Ribbon->Repaint();
    ClickRibbonAt(Middle(Ribbon->Tabs()->Items(0)->ItemRect));
    EXPECT_FALSE(Menu->Visible());
    EXPECT_EQ(Ribbon->TabIndex(), 0);
}

TEST_F(AppMenuTest, KeysWalkTheUsableItemsAndReturnRunsAPlainOne)
{
    for (const char* c : {"a", "b", "c", "d"})
        Plain(c);
    Menu->Items()->Items(1)->SetEnabled(false);
    Menu->Items()->Items(2)->SetVisible(false);
    OpenByButton();
    struct TStep {
        int Key;
        int Expected;
    };
    const TStep steps[] = {{VK_DOWN, 3}, {VK_UP, 0}, {VK_NEXT, 3}, {VK_PRIOR, 0}, {VK_RIGHT, 3}, {VK_LEFT, 0}};
    for (const TStep& s : steps) {
        Key(s.Key, true);
        Key(s.Key, false);
        EXPECT_EQ(Menu->ItemIndex(), s.Expected) << s.Key;
    }
    Key(VK_RETURN, true);
    EXPECT_FALSE(Menu->Visible());
    EXPECT_EQ(Log.front(), "click a closed");
    Key(VK_RETURN, false);
}

TEST_F(AppMenuTest, ReturnOnAPageItemFocusesItsFirstActiveControlOnlyWhenItCanTakeIt)
{
    Plain("one");
    TbsAppMenuItem* p = WithPage("page");
    auto* edit = new TEdit(Form.get());
    edit->SetParent(p->Page());
    p->Page()->SetFirstActiveControl(edit);
    edit->SetEnabled(false);
    WithPage("next");
    OpenByButton();
    Menu->SetItemIndex(1);
    Key(VK_RETURN, true);
    Key(VK_RETURN, false);
    EXPECT_TRUE(Menu->Focused());
    Key(VK_TAB, true);
    Key(VK_TAB, false);
    EXPECT_EQ(Menu->ItemIndex(), 2);
    edit->SetEnabled(true);
    Menu->SetItemIndex(1);
    Key(VK_RETURN, true);
    Key(VK_RETURN, false);
    EXPECT_TRUE(edit->Focused());
}

TEST_F(AppMenuTest, ALongColumnGetsAScrollBarThatScrollsTheItems)
{
    for (int i = 0; i < 15; ++i)
        Plain("item " + std::to_string(i));
    OpenByButton();
    ASSERT_NE(Menu->ScrollBar(), nullptr);
    EXPECT_EQ(Menu->ScrollBar()->BoundsRect(), Rect(381, 0, 400, 255));
    EXPECT_EQ(Menu->ScrollBar()->Max(), 7 + 15 * 28 + 1);
    Menu->SetItemIndex(14);   // the last item scrolls to the end
    EXPECT_EQ(Menu->ScrollOffset(), Menu->ScrollBar()->Max() - 275 + 1);
    EXPECT_LE(Rects()[14].Bottom, Menu->Height());
    Menu->SetItemIndex(0);
    EXPECT_EQ(Menu->ScrollOffset(), 0);
    Form->SetBounds(100, 100, 400, 600);   // everything fits: the bar goes
    Pump();
    EXPECT_EQ(Menu->ScrollBar(), nullptr);
}

TEST_F(AppMenuTest, TheWheelOverAPageControlDoesNothing)
{
    Plain("one");
    TbsAppMenuItem* p = WithPage("page");
    Plain("two");
    auto* edit = new TEdit(Form.get());
    edit->SetParent(p->Page());
    edit->SetBounds(5, 5, 80, 22);
    OpenByButton();
    Menu->SetItemIndex(0);
    InjectMouseWheel(-120, edit->ClientToScreen(Point(5, 5)));
    Pump();
    EXPECT_EQ(Menu->ItemIndex(), 0);
    InjectMouseWheel(-120, Menu->ClientToScreen(ItemMiddle(0)));
    Pump();
    EXPECT_EQ(Menu->ItemIndex(), 1);
}

TEST_F(AppMenuTest, TheMenuKeyClosesTheMenuAndFocusesTheRibbon)
{
    Plain("one");
    OpenByButton();
    SendMessage(Form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    Pump();
    EXPECT_FALSE(Menu->Visible());
    EXPECT_TRUE(Ribbon->Focused());
}

TEST_F(AppMenuTest, AltAndATabsAcceleratorShowsThatTab)
{
    Page(0)->SetCaption("&Alpha");
    Page(1)->SetCaption("&Beta");
    Ribbon->SetTabIndex(0);
    Key(VK_MENU, true);
    Key('B', true);
    Key('B', false);
    Key(VK_MENU, false);
    EXPECT_EQ(Ribbon->TabIndex(), 1);
}

// ---------------------------------------------------------------- painting

TEST_F(AppMenuTest, DefaultLookFramesTheSelectedPlainItemAndPointsAtTheShownPage)
{
    Plain("");
    TbsAppMenuItem* p = WithPage("");
    OpenByButton();
    Menu->SetItemIndex(0);
    Pump();
    const TRect plain = Rects()[0], page = Rects()[1];
    auto at = [&](int X, int Y) { return PixelOf(Menu, X, Y); };
    EXPECT_EQ(at(plain.Left, plain.Top + 5), SysRgb(cl3DDkShadow));
    EXPECT_EQ(at(plain.Left + 3, plain.Top + 5), SysRgb(clBtnFace));
    EXPECT_EQ(at(plain.Left - 3, plain.Top + 5), SysRgb(clBtnShadow));
    ASSERT_EQ(Menu->ActivePage(), p->Page());
    // The page item's block with the left-pointing arrow at its right end.
    EXPECT_EQ(at(page.Left + 3, page.Top + 5), SysRgb(clBtnFace));
    bool arrow = false;
    for (int x = page.Right - 5; x < page.Right; ++x)
        for (int y = page.Top; y < page.Bottom + 2; ++y)
            arrow = arrow || at(x, y) == SysRgb(clWindow);
    EXPECT_TRUE(arrow);
}

TEST_F(AppMenuTest, SkinnedItemsUseTheirPieces)
{
    LoadSkin();
    Menu->SetSkinData(Data);
    Plain("");
    WithPage("");
    OpenByButton();
    Menu->SetItemIndex(0);
    Pump();
    const TRect plain = Rects()[0], page = Rects()[1];
    // Items 20 high: the selected plain item green, the shown page's item grey.
    EXPECT_EQ(plain, Rect(8, 7, 92, 27));
    EXPECT_EQ(PixelOf(Menu, plain.Left + 1, plain.Top + 1), skintest::HotEdge);
    EXPECT_EQ(PixelOf(Menu, page.Left + 1, page.Top + 1), skintest::DisabledEdge);
}

} // namespace
