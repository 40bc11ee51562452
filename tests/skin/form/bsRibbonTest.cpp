// The ribbon on a headless form: tab layout (natural widths, squeezing with
// dividers), caption and MDI button places, the page area with and without
// a skin, selecting and hiding tabs, keys, mouse on tabs and buttons, the
// shortcut keys of the application button's menu, and the painted tab row
// and frame, default and skinned.

#include "RibbonTestSupport.h"

#include "skin/form/bsSkinMenus.h"

#include "platform/controls/ImgList.h"

namespace {

using namespace ribbontest;

struct RibbonTest : TRibbonFixture {};

// Empty captions measure 0, so every tab's natural width is 30.
struct TLayoutCase {
    int Width;
    int Tabs;
    std::vector<TRect> Expected;
    bool Divider;
};

TEST_F(RibbonTest, TabsTakeTheirNaturalWidthsAndShrinkProportionallyWithAFloorOf15)
{
    const TLayoutCase cases[] = {
        {400, 2, {Rect(57, 1, 87, 24), Rect(87, 1, 117, 24)}, false},
        // 120 - 57 - 5 = 58 for 90: each Trunc(58 * 30 / 90) = 19.
        {120, 3, {Rect(57, 1, 76, 24), Rect(76, 1, 95, 24), Rect(95, 1, 114, 24)}, true},
        // 38 for 90 gives 12, raised to 15.
        {100, 3, {Rect(57, 1, 72, 24), Rect(72, 1, 87, 24), Rect(87, 1, 102, 24)}, true},
    };
    for (const TLayoutCase& c : cases) {
        Ribbon->Tabs()->Clear();
        AddTabs(std::vector<std::string>(size_t(c.Tabs), ""));
        Form->SetBounds(100, 100, c.Width, 300);
        ShowAndPaint();
        Ribbon->Repaint();
        for (int i = 0; i < c.Tabs; ++i)
            EXPECT_EQ(Ribbon->Tabs()->Items(i)->ItemRect, c.Expected[size_t(i)]) << c.Width << " tab " << i;
        EXPECT_EQ(Ribbon->ShowDivider(), c.Divider) << c.Width;
    }
}

TEST_F(RibbonTest, CaptionButtonsStandRightAndTheMDIButtonsLeftOfThem)
{
    TImageList images(nullptr);
    images.SetSize(16, 16);
    Ribbon->SetButtonsImageList(&images);
    Ribbon->Buttons()->Add();
    Ribbon->Buttons()->Add();
    AddTabs({""});
    ShowAndPaint();
    Ribbon->Repaint();
    EXPECT_EQ(Ribbon->Buttons()->Items(0)->ItemRect, Rect(354, 1, 376, 23));
    EXPECT_EQ(Ribbon->Buttons()->Items(1)->ItemRect, Rect(376, 1, 398, 23));
    EXPECT_EQ(Ribbon->RightOffset(), 48);
    Ribbon->MDIChildMaximize();
    Ribbon->Repaint();
    // Close, restore, minimise from the right, 22 x 22 without a skin.
    const TRect expected[] = {Rect(330, 1, 352, 23), Rect(308, 1, 330, 23), Rect(286, 1, 308, 23)};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Ribbon->MDIButtons()->Items(i)->Code, i + 1);
        EXPECT_EQ(Ribbon->MDIButtons()->Items(i)->ItemRect, expected[i]);
    }
    EXPECT_EQ(Ribbon->RightOffset(), 116);
    Ribbon->SetButtonsImageList(nullptr);
}

TEST_F(RibbonTest, ThePageTakesThePageAreaWithAndWithoutSkin)
{
    AddTabs({"A"});
    ShowAndPaint();
    EXPECT_EQ(Ribbon->BoundsRect(), Rect(0, 0, 400, 115));
    EXPECT_EQ(Page(0)->BoundsRect(), Rect(1, 26, 399, 112));
    Page(0)->SetBounds(5, 5, 20, 20);   // requested bounds are ignored
    EXPECT_EQ(Page(0)->BoundsRect(), Rect(1, 26, 399, 112));
    Skin();
    // Tab row 21; client 3 pixels in from the record's frame.
    EXPECT_EQ(Page(0)->BoundsRect(), Rect(3, 24, 397, 112));
}

TEST_F(RibbonTest, AppButtonWidthBelow35IsIgnoredAndAWiderOneMovesTheTabs)
{
    AddTabs({""});
    Ribbon->SetAppButtonWidth(30);
    EXPECT_EQ(Ribbon->AppButtonWidth(), 54);
    Ribbon->SetAppButtonWidth(80);
    ShowAndPaint();
    Ribbon->Repaint();
    EXPECT_EQ(Ribbon->AppButton()->Width(), 80);
    EXPECT_EQ(Ribbon->Tabs()->Items(0)->ItemRect.Left, 83);
}

TEST_F(RibbonTest, ANewTabGetsANamedPageAndIsSelected)
{
    Ribbon->Tabs()->Add();
    Ribbon->Tabs()->Add();
    EXPECT_EQ(Ribbon->TabIndex(), 1);
    EXPECT_EQ(Page(0)->Name(), "bsRibbonPage1");
    EXPECT_EQ(Page(1)->Name(), "bsRibbonPage2");
    EXPECT_EQ(Page(1)->Caption(), "bsRibbonPage2");
    EXPECT_EQ(Page(1)->Owner(), Form.get());
    EXPECT_EQ(Page(1)->Parent(), Ribbon);
    EXPECT_EQ(PagesShown(), (std::vector<bool>{false, true}));
}

TEST_F(RibbonTest, SelectingATabShowsExactlyItsPageAndFiresBothEvents)
{
    AddTabs({"A", "B", "C"});
    Ribbon->SetTabIndex(0);
    EXPECT_EQ(Log, (std::vector<std::string>{"changing 2", "change 0"}));
    EXPECT_EQ(PagesShown(), (std::vector<bool>{true, false, false}));
    Log.clear();
    for (int bad : {-1, 3, 0})
        Ribbon->SetTabIndex(bad);
    EXPECT_TRUE(Log.empty());
    Ribbon->SetActivePage(Page(2));
    EXPECT_EQ(Ribbon->TabIndex(), 2);
    EXPECT_EQ(Ribbon->ActivePage(), Page(2));
}

TEST_F(RibbonTest, HidingTheSelectedTabMovesTheSelection)
{
    AddTabs({"A", "B", "C"});
    Ribbon->SetTabIndex(1);
    Ribbon->Tabs()->Items(1)->SetVisible(false);
    EXPECT_EQ(Ribbon->TabIndex(), 2);
    Ribbon->Tabs()->Items(2)->SetVisible(false);
    EXPECT_EQ(Ribbon->TabIndex(), 0);
    // The last visible tab hidden: the index stays, no page is shown.
    Ribbon->Tabs()->Items(0)->SetVisible(false);
    EXPECT_EQ(Ribbon->TabIndex(), 0);
    EXPECT_EQ(PagesShown(), (std::vector<bool>{false, false, false}));
    Ribbon->Tabs()->Items(0)->SetVisible(true);
    EXPECT_EQ(PagesShown(), (std::vector<bool>{true, false, false}));
}

TEST_F(RibbonTest, WithoutTabsTheIndexStaysAtMinusOne)
{
    Ribbon->SetTabIndex(0);
    EXPECT_EQ(Ribbon->TabIndex(), -1);
    EXPECT_EQ(Ribbon->ActivePage(), nullptr);
}

TEST_F(RibbonTest, DeletingTabsKeepsTheSelectionOnAShownPage)
{
    AddTabs({"A", "B", "C"});
    Ribbon->SetTabIndex(2);
    Ribbon->Tabs()->Delete(0);
    EXPECT_EQ(Ribbon->TabIndex(), 1);
    EXPECT_EQ(Ribbon->ActivePage()->Caption(), "C");
    Ribbon->Tabs()->Delete(1);
    EXPECT_EQ(Ribbon->TabIndex(), 0);
    EXPECT_EQ(PagesShown(), (std::vector<bool>{true}));
    EXPECT_EQ(Form->FindComponent("bsRibbonPage3"), nullptr);   // the page went with its tab
}

TEST_F(RibbonTest, AFreedPageLeavesItsTabWithoutPage)
{
    AddTabs({"A", "B"});
    delete Page(0);
    EXPECT_EQ(Page(0), nullptr);
    ShowAndPaint();
    Ribbon->Repaint();   // a tab without page paints with no caption
}

TEST_F(RibbonTest, KeysMoveBetweenVisibleTabsAndLeftOfTheFirstFocusesTheAppButton)
{
    AddTabs({"A", "B", "C"});
    ShowAndPaint();
    Ribbon->SetFocus();
    Pump();
    struct TStep {
        int Key;
        int Expected;
    };
    const TStep steps[] = {{VK_PRIOR, 0}, {VK_RIGHT, 1}, {VK_DOWN, 2}, {VK_RIGHT, 2}, {VK_LEFT, 1}, {VK_NEXT, 2}, {VK_UP, 1}};
    for (const TStep& s : steps) {
        Key(s.Key, true);
        Key(s.Key, false);
        EXPECT_EQ(Ribbon->TabIndex(), s.Expected) << s.Key;
    }
    Ribbon->SetTabIndex(0);
    Key(VK_LEFT, true);
    Key(VK_LEFT, false);
    EXPECT_TRUE(Ribbon->AppButton()->Focused());
    // Tab 0 hidden: Left on tab 1 finds nothing before it.
    Ribbon->SetFocus();
    Ribbon->SetTabIndex(1);
    Ribbon->Tabs()->Items(0)->SetVisible(false);
    Key(VK_LEFT, true);
    EXPECT_EQ(Ribbon->TabIndex(), 1);
    EXPECT_TRUE(Ribbon->Focused());
}

// The application button's popup menu: Open Ctrl+O, a disabled Save
// Ctrl+S, a hidden Reload F5, Rename F2, Quit Ctrl+Alt+Q, a submenu Export
// with PNG Ctrl+Shift+P, a disabled submenu Old with BMP Ctrl+B, and a
// hidden submenu Tools with Trim Ctrl+T.
struct AppButtonShortCutTest : RibbonTest {
    skin::TbsSkinPopupMenu* Menu = nullptr;
    std::vector<std::string> Chosen;

    void SetUp() override
    {
        RibbonTest::SetUp();
        AddTabs({"&Alpha", "&Beta"});
        Menu = new skin::TbsSkinPopupMenu(Form.get());
        TMenuItem* root = Menu->Items();
        Item(root, "Open", TShortCut('O' | scCtrl));
        Item(root, "Save", TShortCut('S' | scCtrl))->Enabled = false;
        Item(root, "Reload", TShortCut(VK_F5))->Visible = false;
        Item(root, "Rename", TShortCut(VK_F2));
        Item(root, "Quit", TShortCut('Q' | scCtrl | scAlt));
        Item(Item(root, "Export", scNone), "PNG", TShortCut('P' | scCtrl | scShift));
        TMenuItem* old = Item(root, "Old", scNone);
        old->Enabled = false;
        Item(old, "BMP", TShortCut('B' | scCtrl));
        TMenuItem* tools = Item(root, "Tools", scNone);
        tools->Visible = false;
        Item(tools, "Trim", TShortCut('T' | scCtrl));
        Ribbon->SetAppButtonPopupMenu(Menu);
        ShowAndPaint();
        Ribbon->SetFocus();
        Pump();
    }
    TMenuItem* Item(TMenuItem* AParent, const std::string& ACaption, TShortCut AShortCut)
    {
        auto* item = new TMenuItem(Menu);
        item->Caption = ACaption;
        item->ShortCut = AShortCut;
        item->OnClick = [this, ACaption](TObject*) { Chosen.push_back(ACaption); };
        AParent->Add(item);
        return item;
    }
    // The key pressed and released with the shift keys held.
    void Press(int AKey, TShiftState AShift)
    {
        const std::pair<TShiftState, int> mods[] = {{ssCtrl, VK_CONTROL}, {ssShift, VK_SHIFT}, {ssAlt, VK_MENU}};
        for (const auto& [s, k] : mods)
            if (AShift & s)
                Key(k, true);
        Key(AKey, true);
        Key(AKey, false);
        for (const auto& [s, k] : mods)
            if (AShift & s)
                Key(k, false);
    }
};

TEST_F(AppButtonShortCutTest, KeysRunTheUsableItemWithThatShortcut)
{
    struct TCase {
        int Key;
        TShiftState Shift;
        const char* Runs;   // "" for nothing
    };
    const TCase cases[] = {
        {'O', ssCtrl, "Open"},
        {'O', 0, ""},                        // the shift keys must match exactly
        {'O', ssCtrl | ssShift, ""},
        {'O', ssAlt, ""},
        {'S', ssCtrl, ""},                   // disabled
        {VK_F5, 0, ""},                      // hidden
        {VK_F2, 0, "Rename"},
        {VK_F2, ssShift, ""},
        {'Q', ssCtrl | ssAlt, "Quit"},
        {'Q', ssCtrl, ""},
        {'P', ssCtrl | ssShift, "PNG"},      // in a submenu
        {'P', ssCtrl, ""},
        {'B', ssCtrl, ""},                   // its submenu is disabled
        {'T', ssCtrl, ""},                   // its submenu is hidden
    };
    for (const TCase& c : cases) {
        Chosen.clear();
        Press(c.Key, c.Shift);
        const std::vector<std::string> expected =
            *c.Runs ? std::vector<std::string>{c.Runs} : std::vector<std::string>{};
        EXPECT_EQ(Chosen, expected) << "key " << c.Key << " shift " << c.Shift;
    }
}

TEST_F(AppButtonShortCutTest, TheMenuAnswersWhetherItTookTheKey)
{
    skin::IbsSkinPopupMenu* menu = Ribbon->AppButtonPopupMenu();
    ASSERT_EQ(menu, static_cast<skin::IbsSkinPopupMenu*>(Menu));
    EXPECT_TRUE(menu->IsShortCut('P', ssCtrl | ssShift));
    EXPECT_FALSE(menu->IsShortCut('S', ssCtrl));
    EXPECT_FALSE(menu->IsShortCut(0, ssCtrl));
    EXPECT_EQ(Chosen, std::vector<std::string>{"PNG"});
    // An item re-enabled takes its key again; one with no shortcut never
    // answers a bare key.
    Menu->Items()->Items(1)->Enabled = true;
    EXPECT_TRUE(menu->IsShortCut('S', ssCtrl));
    EXPECT_FALSE(menu->IsShortCut('E', 0));
    EXPECT_EQ(Chosen, (std::vector<std::string>{"PNG", "Save"}));
}

TEST_F(AppButtonShortCutTest, AMenuShortcutComesBeforeATabsAcceleratorAndTheSystemMenu)
{
    // Alt+B is both the Beta tab's accelerator and, here, an item's
    // shortcut: the item wins. Alt+A still shows the Alpha tab.
    Item(Menu->Items(), "Back", TShortCut('B' | scAlt));
    TPopupMenu system(nullptr);
    auto* sysItem = new TMenuItem(&system);
    sysItem->ShortCut = TShortCut(VK_F2);
    sysItem->OnClick = [this](TObject*) { Chosen.push_back("system"); };
    system.Items()->Add(sysItem);
    SkinForm->SystemMenu = &system;
    Ribbon->SetTabIndex(0);
    Press('B', ssAlt);
    EXPECT_EQ(Chosen, std::vector<std::string>{"Back"});
    EXPECT_EQ(Ribbon->TabIndex(), 0);
    Ribbon->SetTabIndex(1);
    Press('A', ssAlt);
    EXPECT_EQ(Ribbon->TabIndex(), 0);
    Chosen.clear();
    Press(VK_F2, 0);
    EXPECT_EQ(Chosen, std::vector<std::string>{"Rename"});
    // Without the ribbon's menu the system menu has the key.
    Ribbon->SetAppButtonPopupMenu(nullptr);
    Chosen.clear();
    Press(VK_F2, 0);
    EXPECT_EQ(Chosen, std::vector<std::string>{"system"});
    SkinForm->SystemMenu = nullptr;
}

TEST_F(RibbonTest, AClickOnATabSelectsItAndFocusesTheRibbon)
{
    AddTabs({"A", "B"});
    ShowAndPaint();
    Ribbon->SetTabIndex(0);
    ClickRibbonAt(Middle(Ribbon->Tabs()->Items(1)->ItemRect));
    EXPECT_EQ(Ribbon->TabIndex(), 1);
    EXPECT_TRUE(Ribbon->Focused());
}

TEST_F(RibbonTest, ACaptionButtonFiresOnlyWhenPressedAndReleasedOnItAndItsMenuKeepsItDown)
{
    TImageList images(nullptr);
    images.SetSize(16, 16);
    Ribbon->SetButtonsImageList(&images);
    int clicks = 0;
    for (int i = 0; i < 2; ++i)
        Ribbon->Buttons()->Add()->OnClick = [&](TObject* S) {
            EXPECT_EQ(S, Ribbon);
            ++clicks;
        };
    skintest::TFakePopupMenu menu;
    AddTabs({""});
    ShowAndPaint();
    Ribbon->Repaint();
    const TPoint b0 = Middle(Ribbon->Buttons()->Items(0)->ItemRect), b1 = Middle(Ribbon->Buttons()->Items(1)->ItemRect);
    ClickRibbonAt(b0);
    EXPECT_EQ(clicks, 1);
    Mouse(Ribbon, b0.X, b0.Y, 1);
    Mouse(Ribbon, b1.X, b1.Y);
    Mouse(Ribbon, b1.X, b1.Y, 0);
    EXPECT_EQ(clicks, 1);
    Ribbon->Buttons()->Items(1)->PopupMenu = &menu;
    Mouse(Ribbon, b1.X, b1.Y, 1);
    EXPECT_EQ(menu.Opened, 1);
    const TPoint at = Ribbon->ClientToScreen(Ribbon->Buttons()->Items(1)->ItemRect.TopLeft());
    EXPECT_EQ(menu.Place, Rect(at.X, at.Y, at.X + 22, at.Y + 23));
    Mouse(Ribbon, b1.X, b1.Y, 0);
    Mouse(Ribbon, 200, 60);
    EXPECT_TRUE(Ribbon->Buttons()->Items(1)->Down);
    SendMessage(Ribbon->Handle(), SKN_MENUCLOSED, 0, 0);
    EXPECT_FALSE(Ribbon->Buttons()->Items(1)->Down);
    Ribbon->SetButtonsImageList(nullptr);
}

TEST_F(RibbonTest, WithoutTabsTheButtonsIgnoreTheMouse)
{
    TImageList images(nullptr);
    images.SetSize(16, 16);
    Ribbon->SetButtonsImageList(&images);
    int clicks = 0;
    Ribbon->Buttons()->Add()->OnClick = [&](TObject*) { ++clicks; };
    ShowAndPaint();
    Ribbon->Repaint();
    ClickRibbonAt(Middle(Ribbon->Buttons()->Items(0)->ItemRect));
    EXPECT_EQ(clicks, 0);
    Ribbon->SetButtonsImageList(nullptr);
}

// ---------------------------------------------------------------- painting

TEST_F(RibbonTest, DefaultLookJoinsTheSelectedTabToThePage)
{
    AddTabs({"", ""});
    Ribbon->SetTabIndex(0);
    ShowAndPaint();
    const TRect t0 = Ribbon->Tabs()->Items(0)->ItemRect, t1 = Ribbon->Tabs()->Items(1)->ItemRect;
    const uint32_t face = SysRgb(clBtnFace), shadow = SysRgb(clBtnShadow);
    struct TProbe {
        int X, Y;
        uint32_t Expected;
    };
    const TProbe probes[] = {
        {t0.Left + 1, t0.Top + 1, face},   {t0.Left + 1, 25, face},   // the selected block, 2 pixels taller
        {t1.Left + 1, t1.Top + 1, shadow}, {t1.Left + 1, 25, shadow},  // the other tab on the row
        {0, 60, shadow},                   {399, 60, shadow},          // 1-pixel band at the sides
        {200, 112, shadow},                {200, 111, face},           // 3 pixels at the bottom; the page
    };
    for (const TProbe& p : probes)
        EXPECT_EQ(PixelOf(Ribbon, p.X, p.Y), p.Expected) << p.X << "," << p.Y;
}

TEST_F(RibbonTest, SkinnedLookDrawsTheFrameTabsAndRowFromTheRecord)
{
    AddTabs({"", "", ""});
    Skin();
    Ribbon->SetTabIndex(0);
    ShowAndPaint();
    Ribbon->Repaint();
    const TRect t0 = Ribbon->Tabs()->Items(0)->ItemRect, t2 = Ribbon->Tabs()->Items(2)->ItemRect;
    Mouse(Ribbon, Middle(t2).X, Middle(t2).Y);   // tab 2 hot
    struct TProbe {
        int X, Y;
        uint32_t Expected;
    };
    const TProbe probes[] = {
        {t0.Left + 1, t0.Top + 5, skintest::DownEdge},                            // selected: the blue block
        {t2.Left + 1, t2.Top + 5, skintest::DisabledEdge},                        // hot: the grey block
        {Ribbon->Tabs()->Items(1)->ItemRect.Left + 1, t0.Top + 5, TabRowShadow},  // plain: the row colour
        {10, 0, TabRowShadow},
        {1, 60, skintest::NormalEdge},   {398, 60, skintest::NormalEdge}, // the frame's sides
        {200, 22, skintest::NormalEdge}, {200, 113, skintest::NormalEdge},
    };
    for (const TProbe& p : probes)
        EXPECT_EQ(PixelOf(Ribbon, p.X, p.Y), p.Expected) << p.X << "," << p.Y;
}

TEST_F(RibbonTest, ASkinnedRibbonWithoutVisibleTabsShowsTheSkinsClientImage)
{
    Skin();
    ShowAndPaint();
    Ribbon->Repaint();
    EXPECT_EQ(PixelOf(Ribbon, 200, 60), skintest::NormalFill);
}

TEST_F(RibbonTest, AnMDICloseButtonWithoutHotOrDownPiecesShowsTheNormalOneInEveryState)
{
    Skin();
    AddTabs({""});
    Ribbon->MDIChildMaximize();
    ShowAndPaint();
    Ribbon->Repaint();
    const TRect close = Ribbon->MDIButtons()->Items(0)->ItemRect;
    EXPECT_EQ(close.Width(), 20);
    for (int state = 0; state < 3; ++state) {
        if (state > 0)
            Mouse(Ribbon, close.Left + 10, close.Top + 10);
        if (state > 1)
            Mouse(Ribbon, close.Left + 10, close.Top + 10, 1);
        EXPECT_EQ(PixelOf(Ribbon, close.Left + 4, close.Top + 1), skintest::DownEdge) << state;
        EXPECT_EQ(PixelOf(Ribbon, close.Left + 10, close.Top + 10), skintest::DownFill) << state;
    }
    Mouse(Ribbon, close.Left + 10, close.Top + 10, 0);
}

} // namespace

TEST_F(RibbonTest, UseRibbonKeepsTheFormsOwnFrameThroughSkinChanges)
{
    LoadSkin();
    SkinForm->SetSkinData(Data);
    ASSERT_TRUE(SkinForm->SkinnableForm());
    SkinForm->SetUseRibbon(true);
    EXPECT_FALSE(SkinForm->SkinnableForm());
    SkinForm->SetSkinnableForm(true);
    EXPECT_FALSE(SkinForm->SkinnableForm());
    SkinForm->SetSkinData(Data);
    EXPECT_FALSE(SkinForm->SkinnableForm());
    SendMessage(Form->Handle(), skin::SKN_SKINNABLEFORMCHANGE, reinterpret_cast<WPARAM>(Data), 0);
    EXPECT_FALSE(SkinForm->SkinnableForm());
    SkinForm->SetUseRibbon(false);
    SkinForm->SetSkinnableForm(true);
    EXPECT_TRUE(SkinForm->SkinnableForm());
}
