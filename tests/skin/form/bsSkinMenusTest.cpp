// Skinned popup menus on a headless form: choosing by keys and by mouse,
// radio groups, disabled items, submenus opened by hover and closed, the
// messages at the end of a chain, window size, placement and scrolling.

#include "MenuTestSupport.h"

#include "platform/ui/DropShadow.h"
#include "platform/ui/HeadlessBackend.h"

namespace {

using namespace menutest;
using skin::TbsSkinPopupMenu;

// Open, Save (disabled), -, Export > [PNG, JPG], Quit (Ctrl+Q)
struct PopupMenuTest : TMenuFixture {
    TbsSkinPopupMenu* Menu = nullptr;
    TMenuItem* Export = nullptr;

    void SetUp() override
    {
        TMenuFixture::SetUp();
        Menu = new TbsSkinPopupMenu(Form.get());
        TMenuItem* root = Menu->Items();
        AddItem(root, "&Open");
        AddItem(root, "&Save")->Enabled = false;
        AddItem(root, "-");
        Export = AddItem(root, "E&xport");
        AddItem(Export, "&PNG");
        AddItem(Export, "&JPG");
        AddItem(root, "&Quit")->ShortCut = ShortCut('Q', ssCtrl);
    }
    void Open() { Menu->Popup(300, 200); Pump(); }
};

struct KeyCase {
    const char* Name;
    std::vector<int> Keys;
    std::vector<std::string> Chosen;   // commands run, in order
    bool OpenAfter;
};

TEST_F(PopupMenuTest, KeySequencesChooseCommands)
{
    const KeyCase cases[] = {
        {"enter runs the highlighted first item", {VK_RETURN}, {"&Open"}, false},
        {"down skips the disabled item and the line", {VK_DOWN, VK_DOWN, VK_RETURN}, {"&Quit"}, false},
        {"right opens the submenu", {VK_DOWN, VK_RIGHT, VK_RETURN}, {"E&xport", "&PNG"}, false},
        {"down in the submenu", {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, {"E&xport", "&JPG"}, false},
        {"up wraps to the last item", {VK_UP, VK_RETURN}, {"&Quit"}, false},
        {"down wraps to the first item", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, {"&Open"}, false},
        {"an accelerator opens its submenu", {'X', 'J'}, {"E&xport", "&JPG"}, false},
        {"escape closes only the submenu", {VK_DOWN, VK_RIGHT, VK_ESCAPE, VK_DOWN, VK_RETURN}, {"E&xport", "&Quit"}, false},
        {"left closes the submenu", {VK_DOWN, VK_RIGHT, VK_LEFT}, {"E&xport"}, true},
        {"escape ends the menu", {VK_ESCAPE}, {}, false},
        {"an accelerator of a disabled item does nothing", {'S'}, {}, true},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Chosen.clear();
        Open();
        ASSERT_TRUE(Manager()->Visible());
        for (int k : c.Keys)
            Key(k);
        EXPECT_EQ(Chosen, c.Chosen);
        EXPECT_EQ(Manager()->Visible(), c.OpenAfter);
        if (Manager()->Visible())
            Key(VK_ESCAPE), Key(VK_ESCAPE);
        EXPECT_FALSE(SkinForm->InMenu);
        EXPECT_FALSE(SkinForm->AppHooked());
    }
}

TEST_F(PopupMenuTest, KeysNeverReachTheFocusedControlWhileOpen)
{
    int keys = 0;
    Edit->OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { ++keys; };
    Open();
    Key(VK_DOWN);
    Key('A');
    EXPECT_EQ(keys, 0);
    Key(VK_ESCAPE);
    Key('A');
    EXPECT_EQ(keys, 1);
}

TEST_F(PopupMenuTest, AClickOnAnItemRunsItsCommandAndADisabledItemIgnoresClicks)
{
    Open();
    ClickAt(ItemPoint(0, 1));   // Save, disabled
    EXPECT_TRUE(Chosen.empty());
    EXPECT_TRUE(Manager()->Visible());
    ClickAt(ItemPoint(0, 4));
    EXPECT_EQ(Chosen, std::vector<std::string>{"&Quit"});
    EXPECT_FALSE(Manager()->Visible());
}

TEST_F(PopupMenuTest, RadioItemsOfAGroupAreExclusive)
{
    TMenuItem* group[3];
    for (int i = 0; i < 3; ++i) {
        group[i] = AddItem(Menu->Items(), "Radio " + std::to_string(i));
        group[i]->RadioItem = true;
        group[i]->GroupIndex = 1;
    }
    group[0]->SetChecked(true);
    Open();
    ClickAt(ItemPoint(0, 6));   // Radio 1
    EXPECT_FALSE(group[0]->Checked);
    EXPECT_TRUE(group[1]->Checked);
    EXPECT_FALSE(group[2]->Checked);
    Open();
    ClickAt(ItemPoint(0, 7));
    EXPECT_FALSE(group[1]->Checked);
    EXPECT_TRUE(group[2]->Checked);
}

TEST_F(PopupMenuTest, HoveringASubmenuOpensItAfterTheDelayAndALeafClosesItAtOnce)
{
    Open();
    MoveTo(ItemPoint(0, 3));
    EXPECT_EQ(Manager()->PopupCount(), 1);
    Advance(400);
    EXPECT_EQ(Manager()->PopupCount(), 1);
    Advance(150);
    ASSERT_EQ(Manager()->PopupCount(), 2);
    EXPECT_EQ(Chosen, std::vector<std::string>{"E&xport"});   // the parent's click runs as it opens
    // The submenu stands level with its parent item, to its right.
    skin::TbsSkinPopupWindow* first = Manager()->PopupWindow(0);
    skin::TbsSkinPopupWindow* sub = Manager()->PopupWindow(1);
    const TRect parent = first->Item(3)->ObjectRect;
    EXPECT_EQ(sub->Top() + sub->Item(0)->ObjectRect.Top, first->Top() + parent.Top);
    EXPECT_EQ(sub->Left(), first->Left() + parent.Right + 1);
    // Choosing in the submenu by mouse.
    ClickAt(ItemPoint(1, 1));
    EXPECT_EQ(Chosen, (std::vector<std::string>{"E&xport", "&JPG"}));
    EXPECT_EQ(Manager()->PopupCount(), 0);

    Open();
    MoveTo(ItemPoint(0, 3));
    Advance(550);
    ASSERT_EQ(Manager()->PopupCount(), 2);
    MoveTo(ItemPoint(0, 0));
    EXPECT_EQ(Manager()->PopupCount(), 1);
}

TEST_F(PopupMenuTest, AChosenCommandEndsTheChainInOrder)
{
    std::vector<std::string> log;
    auto* opener = new TMenuListener(Form.get());
    opener->SetBounds(0, 0, 10, 10);
    opener->SetParent(Form.get());
    opener->Log = &log;
    Menu->OnMenuClose = [&](TObject*) { log.push_back("menu closed"); };
    SkinForm->OnSkinMenuClose = [&](TObject*) { log.push_back("form closed"); };
    Menu->Items()->Items(0)->OnClick = [&](TObject*) { log.push_back("click"); };
    Menu->Popup2(opener, 300, 200);
    Pump();
    EXPECT_TRUE(log.empty());   // no skin data: Popup2 shows nothing
    skin::TbsSkinData data(nullptr);
    Menu->SetSkinData(&data);
    Menu->Popup2(opener, 300, 200);
    Pump();
    ASSERT_TRUE(Manager()->Visible());
    Key(VK_RETURN);
    EXPECT_EQ(log, (std::vector<std::string>{"opener closed", "menu closed", "form closed", "click", "opener command"}));
    log.clear();
    Menu->Popup2(opener, 300, 200);
    Pump();
    Key(VK_ESCAPE);
    // Esc ends the chain without telling the form's window; the form still leaves menu mode.
    EXPECT_EQ(log, (std::vector<std::string>{"opener closed", "menu closed", "form closed"}));
    Menu->SetSkinData(nullptr);
}

// The menu's window class asks for the window system's shadow, though the
// form's controls made the controls' shared class (without it) first.
TEST_F(PopupMenuTest, AnOpenMenuCastsTheWindowSystemsShadowWhereACompositorRuns)
{
    auto* display = dynamic_cast<THeadlessBackend*>(&Backend());
    ASSERT_NE(display, nullptr);
    display->SetCompositorPresent(true);
    Open();
    const HWND popup = Manager()->PopupWindow(0)->Handle();
    EXPECT_TRUE(GetClassLong(popup, GCL_STYLE) & CS_DROPSHADOW);
    EXPECT_FALSE(GetClassLong(Edit->Handle(), GCL_STYLE) & CS_DROPSHADOW);
    const THeadlessBackend::TShadow* shadow = display->Shadow(popup);
    ASSERT_NE(shadow, nullptr);
    TRect r;
    GetWindowRect(popup, r);
    EXPECT_TRUE(shadow->Visible);
    EXPECT_EQ(shadow->Bounds, DropShadowBounds(r));
    Key(VK_ESCAPE);
    EXPECT_FALSE(Manager()->Visible());
    shadow = display->Shadow(popup);
    EXPECT_TRUE(!shadow || !shadow->Visible);
    display->SetCompositorPresent(false);
}

TEST_F(PopupMenuTest, APressOutsideTheProgramClosesTheMenu)
{
    Open();
    ASSERT_NE(GetPopupGrab(), nullptr);
    InjectMouseButton(TMouseButton::mbLeft, true, Point(5000, 5000));
    Pump();
    EXPECT_FALSE(Manager()->Visible());
    EXPECT_EQ(GetPopupGrab(), nullptr);
    // A press on the form closes it as well.
    Open();
    const TPoint onForm = Form->ClientToScreen(Point(300, 20));
    InjectMouseButton(TMouseButton::mbLeft, true, onForm);
    Pump();
    InjectMouseButton(TMouseButton::mbLeft, false, onForm);
    Pump();
    EXPECT_FALSE(Manager()->Visible());
    EXPECT_TRUE(Chosen.empty());
}

TEST_F(PopupMenuTest, AnUnskinnedWindowIsSizedFromItsItems)
{
    Manager()->MaxMenuItemsInWindow = 5;
    TMenuItem* many = Menu->Items();
    many->Clear();
    for (int i = 0; i < 8; ++i)
        AddItem(many, "Item " + std::to_string(i));
    Open();
    skin::TbsSkinPopupWindow* w = Manager()->PopupWindow(0);
    EXPECT_EQ(w->Height(), 5 * 20 + 4 + 20);
    EXPECT_TRUE(w->Scroll);
    EXPECT_EQ(w->VisibleCount, 5);
    Key(VK_ESCAPE);
    Manager()->Popup2(nullptr, nullptr, 0, Rect(300, 200, 300, 200), many, nullptr, false);
    Pump();
    EXPECT_EQ(Manager()->PopupWindow(0)->Height(), 5 * 20 + 6 + 20);
    Manager()->Hide();
}

TEST_F(PopupMenuTest, RedundantSeparatorsGetNoRowUnlessTheMenuKeepsItsLines)
{
    TMenuItem* root = Menu->Items();
    root->Clear();
    for (const char* caption : {"-", "Open", "-", "-", "Hidden", "-", "Quit", "-"})
        AddItem(root, caption);
    root->Items(4)->Visible = false;
    auto shown = [&] {
        skin::TbsSkinPopupWindow* w = Manager()->PopupWindow(0);
        std::string captions;
        for (int i = 0; i < w->ItemCount(); ++i)
            captions += w->Item(i)->MenuItem->Caption + " ";
        return captions;
    };
    Open();
    EXPECT_EQ(shown(), "Open - Quit ");
    EXPECT_EQ(Manager()->PopupWindow(0)->Height(), 20 + 4 + 20 + 4);
    Key(VK_ESCAPE);
    Menu->AutoLineReduction = maManual;
    for (int i = 0; i < root->Count(); ++i)
        root->Items(i)->Visible = i != 4;
    Open();
    EXPECT_EQ(shown(), "- Open - - - Quit - ");
    Key(VK_ESCAPE);
}

struct PlaceCase {
    const char* Name;
    TRect R;
    bool Up;
    TPoint Expected;   // with the window W x H in a 1920 x 1040 work area
};

TEST_F(PopupMenuTest, TheWindowIsPlacedInsideTheWorkArea)
{
    Open();
    const int w = Manager()->PopupWindow(0)->Width(), h = Manager()->PopupWindow(0)->Height();
    Key(VK_ESCAPE);
    const PlaceCase cases[] = {
        {"below a rectangle", Rect(100, 100, 180, 120), false, Point(100, 120)},
        {"above when asked", Rect(100, 500, 180, 520), true, Point(100, 500 - h)},
        {"near the right edge it moves left", Rect(1900, 100, 1910, 120), false, Point(1920 - w, 120)},
        {"near the bottom-right corner above and shifted left", Rect(1915, 1035, 1915, 1035), false, Point(1920 - w, 1035 - h)},
        {"too low below, in the upper half: pushed up and beside", Rect(500, 510, 600, 1000), false, Point(601, 1040 - h)},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Manager()->Popup(nullptr, nullptr, 0, c.R, Menu->Items(), c.Up);
        Pump();
        skin::TbsSkinPopupWindow* win = Manager()->PopupWindow(0);
        EXPECT_EQ(Point(win->Left(), win->Top()), c.Expected);
        Manager()->Hide();
    }
}

TEST_F(PopupMenuTest, AMenuTallerThanTheWorkAreaScrollsWithTheKeysAndTheStrips)
{
    TMenuItem* many = Menu->Items();
    many->Clear();
    for (int i = 0; i < 80; ++i)
        AddItem(many, "Item " + std::to_string(i));
    Open();
    skin::TbsSkinPopupWindow* w = Manager()->PopupWindow(0);
    EXPECT_EQ(w->Height(), 1040);
    EXPECT_EQ(w->Top(), 0);
    ASSERT_TRUE(w->Scroll);
    const int visible = w->VisibleCount;
    EXPECT_EQ(visible, (1040 - 4 - 20) / 20);
    for (int i = 0; i < visible; ++i)
        Key(VK_DOWN);
    EXPECT_EQ(w->ActiveItem, visible);
    EXPECT_EQ(w->VisibleStartIndex, 1);
    for (int i = 0; i < visible; ++i)
        Key(VK_UP);
    EXPECT_EQ(w->ActiveItem, 0);
    EXPECT_EQ(w->VisibleStartIndex, 0);
    // Up at the first item shows the last page with the last item whole.
    Key(VK_UP);
    EXPECT_EQ(w->ActiveItem, 79);
    EXPECT_EQ(w->VisibleStartIndex + w->VisibleCount, 80);
    // Resting on the top strip scrolls up one item every 100 ms.
    const int start = w->VisibleStartIndex;
    MoveTo(w->ClientToScreen(Point(w->Width() / 2, 6)));
    Advance(300);
    EXPECT_LT(w->VisibleStartIndex, start);
    EXPECT_GE(w->VisibleStartIndex, start - 4);
    Manager()->Hide();
}

TEST_F(PopupMenuTest, AMenuWithoutASkinFormOpensNothingButTellsItsPopup)
{
    TForm other(nullptr);
    auto* lonely = new TbsSkinPopupMenu(&other);
    int popups = 0;
    lonely->OnPopup = [&](TObject*) { ++popups; };
    AddItem(lonely->Items(), "One");
    lonely->Popup(10, 10);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(lonely->PopupPoint(), Point(-1, -1));
}

} // namespace

namespace {

using namespace menutest;

TEST_F(TMenuFixture, APlainPopupMenuOpensAsASkinnedMenuAndTellsItsControl)
{
    std::vector<std::string> log;
    auto* opener = new TMenuListener(Form.get());
    opener->SetBounds(0, 0, 10, 10);
    opener->SetParent(Form.get());
    opener->Log = &log;
    TPopupMenu plain(Form.get());
    AddItem(plain.Items(), "&Cut");
    AddItem(plain.Items(), "C&opy");
    plain.PopupComponent = opener;
    plain.Popup(300, 200);
    Pump();
    ASSERT_TRUE(Manager()->Visible());
    EXPECT_EQ(Point(Manager()->PopupWindow(0)->Left(), Manager()->PopupWindow(0)->Top()), Point(300, 200));
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(Chosen, std::vector<std::string>{"C&opy"});
    EXPECT_EQ(log, (std::vector<std::string>{"opener closed", "opener command"}));
}

} // namespace
