#include "MDITestSupport.h"

#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/form/bsRibbon.h"
#include "skin/form/bsSkinMainMenu.h"

using namespace platform;
using namespace mditest;

namespace {

// The frame's skinned menu bar, at its top, showing AMenu.
skin::TbsSkinMainMenuBar* AddMenuBar(TMdiSkinForms& M, TMainMenu* AMenu)
{
    auto* bar = new skin::TbsSkinMainMenuBar(M.Main);
    bar->SetParent(M.Main);
    bar->SetAlign(alTop);
    bar->SetSkinForm(M.MainSkin);
    M.MainSkin->SetMainMenuBar(bar);
    bar->SetMainMenu(AMenu);
    return bar;
}

struct TArrangeCase {
    const char* Name;
    int Width, Height, Count;
    std::function<void(TMdiSkinForms&)> Arrange;
    std::vector<TRect> Expected;   // in the order the documents were made
};

} // namespace

// The documents are taken active first, then down the stacking order: each
// one shown became the active one, so the last made leads.
TEST(SkinFormMDI, TileAndCascadePlaceTheDocumentsAsTables)
{
    const std::vector<TArrangeCase> cases = {
        // Two of 500 x 300 in the first column, three of 500 x 200 in the second.
        {"vertical five", 1000, 600, 5, [](TMdiSkinForms& M) { M.MainSkin->TileVertical(); },
         {Bounds(500, 400, 500, 200), Bounds(500, 200, 500, 200), Bounds(500, 0, 500, 200), Bounds(0, 300, 500, 300),
          Bounds(0, 0, 500, 300)}},
        // A 2 x 2 grid filled from the bottom-right corner with the last
        // document of the list, the one made first.
        {"horizontal four", 600, 400, 4, [](TMdiSkinForms& M) { M.MainSkin->TileHorizontal(); },
         {Bounds(300, 200, 300, 200), Bounds(300, 0, 300, 200), Bounds(0, 200, 300, 200), Bounds(0, 0, 300, 200)}},
        {"tile by mode", 600, 400, 3,
         [](TMdiSkinForms& M) {
             M.MainSkin->TileMode = tbVertical;
             M.MainSkin->Tile();
         },
         {Bounds(400, 0, 200, 400), Bounds(200, 0, 200, 400), Bounds(0, 0, 200, 400)}},
        // Unskinned frames step by 19 + 3 from the bottom of the stack up, so
        // the active document lies in front.
        {"cascade", 1000, 600, 3, [](TMdiSkinForms& M) { M.MainSkin->Cascade(); },
         {Bounds(0, 0, 956, 556), Bounds(22, 22, 956, 556), Bounds(44, 44, 956, 556)}},
        // Activating the first made brings it to the front of the list: Doc0,
        // Doc2, Doc1.
        {"cascade after activating", 1000, 600, 3,
         [](TMdiSkinForms& M) {
             M.Docs[0]->Show();
             M.MainSkin->Cascade();
         },
         {Bounds(44, 44, 956, 556), Bounds(0, 0, 956, 556), Bounds(22, 22, 956, 556)}},
        {"tile after activating", 600, 400, 3,
         [](TMdiSkinForms& M) {
             M.Docs[1]->Show();
             M.MainSkin->TileVertical();
         },
         {Bounds(400, 0, 200, 400), Bounds(0, 0, 200, 400), Bounds(200, 0, 200, 400)}},
        // k = (300 - 240) div 22 = 2 steps; the fourth would overflow and starts again.
        {"cascade wraps", 300, 200, 4, [](TMdiSkinForms& M) { M.MainSkin->Cascade(); },
         {Bounds(0, 0, 256, 156), Bounds(22, 22, 256, 156), Bounds(44, 44, 256, 156), Bounds(0, 0, 256, 156)}},
    };
    for (const TArrangeCase& c : cases) {
        TMdiSkinForms m(c.Width, c.Height);
        m.AddMany(c.Count);
        c.Arrange(m);
        for (int i = 0; i < c.Count; ++i)
            EXPECT_EQ(m.Docs[size_t(i)]->BoundsRect(), c.Expected[size_t(i)]) << c.Name << " document " << i;
    }
}

TEST(SkinFormMDI, MaximisingOneMaximisesAllAndMergesIntoTheFrame)
{
    TMdiSkinForms m(600, 400);
    auto* menu = new skin::TbsSkinMainMenu(m.Main);
    auto* file = new TMenuItem(m.Main);
    file->Caption = "File";
    menu->Items()->Add(file);
    auto* bar = AddMenuBar(m, menu);
    m.AddMany(3);
    const int top = bar->Height();
    TMdiSkinForms::SkinOf(m.Docs[1])->SetWindowState(wsMaximized);
    for (TForm* d : m.Docs) {
        EXPECT_EQ(TMdiSkinForms::SkinOf(d)->WindowState(), wsMaximized) << d->Name();
        EXPECT_EQ(d->BoundsRect(), Bounds(0, 0, 600, 400 - top)) << d->Name();
        // No frame: the client is the whole window.
        EXPECT_EQ(d->ClientWidth(), 600) << d->Name();
    }
    EXPECT_TRUE(m.MainSkin->MDIChildMaximized());
    // The active document (the last shown) gives its caption to the frame.
    EXPECT_EQ(m.MainSkin->CaptionText(), "Main - [Doc2]");
    EXPECT_EQ(bar->ButtonsCount, 4);
    for (int i = 0; i < bar->ButtonsCount; ++i)
        EXPECT_TRUE(bar->Object(i)->Enabled) << i;
    EXPECT_FALSE(m.MainSkin->MDIHScrollBar()->Visible());
    // The menu bar's restore button acts on the maximised document's frame,
    // and restoring one restores them all.
    skin::TbsSkinMainMenuBarButton* restore = nullptr;
    for (int i = 0; i < bar->ButtonsCount; ++i)
        if (auto* b = dynamic_cast<skin::TbsSkinMainMenuBarButton*>(bar->Object(i)); b && b->Command == skin::cmMaximize)
            restore = b;
    ASSERT_NE(restore, nullptr);
    restore->DoCommand();
    for (TForm* d : m.Docs)
        EXPECT_EQ(TMdiSkinForms::SkinOf(d)->WindowState(), wsNormal) << d->Name();
    EXPECT_EQ(m.Docs[0]->BoundsRect(), Bounds(10, 10, 200, 150));
    EXPECT_FALSE(m.MainSkin->MDIChildMaximized());
    EXPECT_EQ(m.MainSkin->CaptionText(), "Main");
    EXPECT_EQ(bar->ButtonsCount, 0);
    // A document shown while another is maximised opens maximised.
    TMdiSkinForms::SkinOf(m.Docs[2])->SetWindowState(wsMaximized);
    TForm* late = m.Add("Late");
    EXPECT_EQ(TMdiSkinForms::SkinOf(late)->WindowState(), wsMaximized);
}

// The maximised document's component is the first one, active document
// first, whose component holds it maximised; a document without a
// component is passed over.
TEST(SkinFormMDI, TheMaximisedDocumentsComponentIsFoundInDocumentOrder)
{
    TMdiSkinForms m(600, 400);
    TForm* doc0 = m.Add("Doc0");
    auto* plain = new TForm(m.Main);
    plain->SetName("Plain");
    plain->SetFormStyle(fsMDIChild);
    plain->SetBounds(30, 30, 200, 150);
    plain->Show();
    TMdiSkinForms::Pump();
    ASSERT_EQ(m.Main->MDIChildren(0), plain) << "the last shown is active and leads";
    EXPECT_EQ(skin::FindMaximizedMDIChildSkinForm(), nullptr) << "nothing maximised yet";
    TMdiSkinForms::SkinOf(doc0)->SetWindowState(wsMaximized);
    EXPECT_EQ(skin::FindMaximizedMDIChildSkinForm(), TMdiSkinForms::SkinOf(doc0)) << "the active plain document is passed over";
    TForm* doc1 = m.Add("Doc1");
    ASSERT_EQ(TMdiSkinForms::SkinOf(doc1)->WindowState(), wsMaximized);
    EXPECT_EQ(skin::FindMaximizedMDIChildSkinForm(), TMdiSkinForms::SkinOf(doc1)) << "the new active document leads";
    TMdiSkinForms::SkinOf(doc1)->SetWindowState(wsNormal);
    EXPECT_EQ(skin::FindMaximizedMDIChildSkinForm(), nullptr) << "restoring one restores them all";
}

// The bar's buttons follow the icons of the maximised document's skin
// component, not those of its form, which the component clears.
TEST(SkinFormMDI, TheBarsDocumentButtonsFollowTheDocumentComponentsIcons)
{
    struct TCase {
        const char* Name;
        skin::TbsBorderIcons Icons;
        bool SysMenu, Minimize;
    };
    const TCase cases[] = {
        {"all", biSystemMenu | biMinimize | biMaximize | skin::biRollUp, true, true},
        {"no minimise", biSystemMenu | biMaximize, true, false},
        {"no system menu", biMinimize | biMaximize, false, true},
    };
    for (const TCase& c : cases) {
        TMdiSkinForms m(600, 400);
        auto* menu = new skin::TbsSkinMainMenu(m.Main);
        auto* bar = AddMenuBar(m, menu);
        TForm* doc = m.Add("Doc");
        TMdiSkinForms::SkinOf(doc)->SetBorderIcons(c.Icons);
        TMdiSkinForms::SkinOf(doc)->SetWindowState(wsMaximized);
        ASSERT_EQ(bar->ButtonsCount, 4) << c.Name;
        for (int i = 0; i < 4; ++i) {
            auto* b = dynamic_cast<skin::TbsSkinMainMenuBarButton*>(bar->Object(i));
            ASSERT_NE(b, nullptr);
            const bool want = b->Command == skin::cmSysMenu ? c.SysMenu : b->Command == skin::cmMinimize ? c.Minimize : true;
            EXPECT_EQ(b->Enabled, want) << c.Name << " button " << i;
        }
        // A rebuild of the bar keeps them so.
        bar->UpDateItems();
        for (int i = 0; i < 4; ++i)
            if (auto* b = dynamic_cast<skin::TbsSkinMainMenuBarButton*>(bar->Object(i)); b->Command == skin::cmMinimize) {
                EXPECT_EQ(b->Enabled, c.Minimize) << c.Name;
            }
    }
}

TEST(SkinFormMDI, MinimisedDocumentsTakeSlotsAlongTheBottom)
{
    TMdiSkinForms m(600, 400);
    m.AddMany(3);
    skin::TbsSkinForm* s0 = TMdiSkinForms::SkinOf(m.Docs[0]);
    skin::TbsSkinForm* s1 = TMdiSkinForms::SkinOf(m.Docs[1]);
    s0->SetWindowState(wsMinimized);
    s1->SetWindowState(wsMinimized);
    const int w = s0->GetMinWidth(), h = s0->GetMinHeight();
    EXPECT_EQ(m.Docs[0]->BoundsRect(), Bounds(0, 400 - h, w, h));
    EXPECT_EQ(m.Docs[1]->BoundsRect(), Bounds(w, 400 - h, w, h));
    // Minimising hands the activation on to a document still open.
    EXPECT_EQ(m.Main->ActiveMDIChild(), m.Docs[2]);
    m.MainSkin->RestoreAll();
    EXPECT_EQ(m.Docs[0]->BoundsRect(), Bounds(10, 10, 200, 150));
}

TEST(SkinFormMDI, TheShortcutsOfADocumentsMenuInTheBarRunItsItems)
{
    TMdiSkinForms m(600, 400);
    std::vector<std::string> ran;
    auto item = [&ran](TComponent* AOwner, TMenuItem* AParent, const std::string& ACaption, TShortCut AShortCut) {
        auto* i = new TMenuItem(AOwner);
        i->Caption = ACaption;
        i->ShortCut = AShortCut;
        i->OnClick = [&ran, ACaption](TObject*) { ran.push_back(ACaption); };
        AParent->Add(i);
        return i;
    };
    auto* menu = new skin::TbsSkinMainMenu(m.Main);
    item(m.Main, item(m.Main, menu->Items(), "&File", scNone), "Open", TShortCut(VK_F2));
    auto* bar = AddMenuBar(m, menu);
    m.AddMany(2);
    auto* docMenu = new TMainMenu(m.Docs[1]);
    item(m.Docs[1], item(m.Docs[1], docMenu->Items(), "&Edit", scNone), "Find", TShortCut(VK_F5));
    // The bar takes a document's menu when the document is activated.
    m.Docs[0]->Show();
    m.Docs[1]->Show();
    Application()->ProcessMessages();
    TMdiSkinForms::SkinOf(m.Docs[1])->SetWindowState(wsMaximized);
    ASSERT_TRUE(bar->ChildMenuIn);
    auto press = [&m](int AKey) {
        TMessage msg{};
        msg.Msg = WM_KEYDOWN;
        msg.WParam = WPARAM(AKey);
        bool handled = false;
        m.Main->OnShortCut(msg, handled);
        return handled;
    };
    EXPECT_TRUE(press(VK_F5));
    EXPECT_TRUE(press(VK_F2));
    EXPECT_FALSE(press(VK_F4));
    EXPECT_EQ(ran, (std::vector<std::string>{"Find", "Open"}));
    // Another document without a menu of its own leaves only the frame's.
    ran.clear();
    TMdiSkinForms::SkinOf(m.Docs[1])->SetWindowState(wsNormal);
    m.Docs[0]->Show();
    Application()->ProcessMessages();
    ASSERT_EQ(m.Main->ActiveMDIChild(), m.Docs[0]);
    EXPECT_FALSE(press(VK_F5));
    EXPECT_TRUE(press(VK_F2));
    EXPECT_EQ(ran, std::vector<std::string>{"Open"});
}

TEST(SkinFormMDI, TheWindowMenuListsTheDocuments)
{
    TMdiSkinForms m(600, 400);
    auto* windowMenu = new TMenuItem(m.Main);
    windowMenu->Caption = "Window";
    m.Main->WindowMenu = windowMenu;
    m.AddMany(2);
    ASSERT_EQ(windowMenu->Count(), 2);
    EXPECT_EQ(windowMenu->Items(0)->Name(), "Doc0_BSFCHILDITEM");
    EXPECT_EQ(windowMenu->Items(1)->Caption, "Doc1");
    EXPECT_FALSE(windowMenu->Items(0)->Checked);
    EXPECT_TRUE(windowMenu->Items(1)->Checked);
    m.Docs[0]->SetCaption("Renamed");
    EXPECT_EQ(windowMenu->Items(0)->Caption, "Renamed");
    // A click on an item restores and activates its document.
    TMdiSkinForms::SkinOf(m.Docs[0])->SetWindowState(wsMinimized);
    windowMenu->Items(0)->Click();
    EXPECT_EQ(TMdiSkinForms::SkinOf(m.Docs[0])->WindowState(), wsNormal);
    EXPECT_EQ(m.Main->ActiveMDIChild(), m.Docs[0]);
    EXPECT_TRUE(windowMenu->Items(0)->Checked);
    m.Docs[1]->Hide();
    m.Docs[0]->Hide();
    EXPECT_EQ(windowMenu->Count(), 0);
    // A document freed while shown leaves no item behind.
    TForm* gone = m.Add("Gone");
    EXPECT_EQ(windowMenu->Count(), 1);
    delete gone;
    m.Docs.pop_back();
    EXPECT_EQ(windowMenu->Count(), 0);
}

TEST(SkinFormMDI, ADocumentBeyondTheClientShowsTheScrollBarThatShiftsThemBack)
{
    TMdiSkinForms m(600, 400);
    m.AddMany(2);
    skin::TbsSkinScrollBar* hb = m.MainSkin->MDIHScrollBar();
    skin::TbsSkinScrollBar* vb = m.MainSkin->MDIVScrollBar();
    ASSERT_TRUE(hb && vb);
    EXPECT_FALSE(hb->Visible());
    m.Docs[0]->SetBounds(-50, 10, 200, 150);
    m.Pump();
    ASSERT_TRUE(hb->Visible());
    EXPECT_FALSE(vb->Visible());
    EXPECT_EQ(hb->Position(), 50);
    EXPECT_EQ(hb->BoundsRect(), Bounds(0, 400 - hb->Height(), 600, hb->Height()));
    hb->SetPosition(0);
    EXPECT_EQ(m.Docs[0]->Left(), 0);
    EXPECT_EQ(m.Docs[1]->Left(), 60);
    EXPECT_FALSE(hb->Visible());
    // Both bars: the horizontal one leaves the corner to the vertical one.
    m.Docs[1]->SetBounds(500, 300, 200, 150);
    m.Pump();
    EXPECT_EQ(m.Docs[1]->BoundsRect(), Bounds(500, 300, 200, 150));
    ASSERT_TRUE(hb->Visible() && vb->Visible());
    EXPECT_TRUE(hb->Both());
    EXPECT_EQ(vb->BoundsRect(), Bounds(600 - vb->Width(), 0, vb->Width(), 400 - hb->Height()));
    m.MainSkin->SetShowMDIScrollBars(false);
    EXPECT_FALSE(hb->Visible() || vb->Visible());
}

TEST(SkinFormMDI, CloseAllClosesFromTheBackOfTheStack)
{
    TMdiSkinForms m(600, 400);
    m.AddMany(3);
    std::vector<std::string> closed;
    for (TForm* d : m.Docs)
        d->OnClose = [&closed, d](TObject*, TCloseAction&) { closed.push_back(d->Name()); };
    m.MainSkin->CloseAll();
    // From the back of the stack to the active document in front.
    EXPECT_EQ(closed, (std::vector<std::string>{"Doc0", "Doc1", "Doc2"}));
    EXPECT_EQ(m.Main->MDIChildCount(), 0);
}

TEST(SkinFormMDI, TheRibbonShowsTheDocumentButtonsWhileADocumentIsMaximised)
{
    TMdiSkinForms m(600, 400);
    auto* ribbon = new skin::TbsRibbon(m.Main);
    ribbon->SetParent(m.Main);
    m.MainSkin->SetSkinRibbon(ribbon);
    m.AddMany(2);
    EXPECT_EQ(ribbon->MDIButtons()->Count(), 0);
    TMdiSkinForms::SkinOf(m.Docs[0])->SetWindowState(wsMaximized);
    EXPECT_EQ(ribbon->MDIButtons()->Count(), 3);
    TMdiSkinForms::SkinOf(m.Docs[0])->SetWindowState(wsNormal);
    EXPECT_EQ(ribbon->MDIButtons()->Count(), 0);
}

// A dragged document snaps to the edges of its main form's client window,
// not to the screen's.
TEST(SkinFormMDI, AMagneticDocumentSnapsToTheClientWindowsEdges)
{
    mditest::TMdiSkinForms forms(500, 400);
    platform::TRect client;
    ASSERT_TRUE(platform::GetClientRect(platform::GetParent(forms.Add("First")->Handle()), client));
    struct Case {
        const char* Name;
        const char* Doc;
        platform::TRect Dragged, Expected;
    };
    const Case cases[] = {
        {"near the left and top", "Left", platform::Rect(3, 2, 123, 92), platform::Rect(0, 0, 120, 90)},
        {"near the right and bottom", "Right",
         platform::Rect(client.Right - 118, client.Bottom - 93, client.Right + 2, client.Bottom - 3),
         platform::Rect(client.Right - 120, client.Bottom - 90, client.Right, client.Bottom)},
        {"in the middle", "Middle", platform::Rect(100, 100, 220, 190), platform::Rect(100, 100, 220, 190)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        // Each drag starts fresh: a document that snapped stays snapped
        // while the cursor holds still.
        platform::TForm* doc = forms.Add(c.Doc, platform::Bounds(40, 40, 120, 90));
        skin::FindSkinFormComponent(doc)->Magnetic = true;
        platform::SetCursorPos(platform::Point(300, 300));
        platform::SendMessage(doc->Handle(), platform::WM_ENTERSIZEMOVE);
        platform::TRect r = c.Dragged;
        platform::SendMessage(doc->Handle(), platform::WM_MOVING, 0, reinterpret_cast<platform::LPARAM>(&r));
        EXPECT_EQ(r, c.Expected);
        platform::SendMessage(doc->Handle(), platform::WM_EXITSIZEMOVE);
    }
}
