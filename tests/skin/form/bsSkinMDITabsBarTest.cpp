#include "MDITestSupport.h"

#include "FrameScreenshot.h"

#include "skin/controls/bsSkinCtrls_SpeedButton.h"
#include "skin/form/bsSkinMenus.h"

#include "platform/ui/Input.h"

using namespace platform;
using namespace mditest;
using skintest::Rgb;

namespace {

std::vector<TRect> TabRects(skin::TbsSkinMDITabsBar* ABar)
{
    std::vector<TRect> list;
    for (int i = 0; i < ABar->TabCount(); ++i)
        list.push_back(ABar->Tabs(i)->ObjectRect);
    return list;
}

uint32_t BarPixel(skin::TbsSkinMDITabsBar* ABar, int X, int Y)
{
    TMdiSkinForms::Pump();
    HWND top = GetAncestor(ABar->Handle(), GA_ROOT);
    const TPoint p = ScreenToClient(top, ABar->ClientToScreen(Point(X, Y)));
    TRect w;
    GetWindowRect(top, w);
    const TPoint o = ClientToScreen(top, Point(0, 0));
    const TPixelSurface* s = GetWindowSurface(top);
    return reinterpret_cast<const uint32_t*>(s->Row(p.Y + o.Y - w.Top))[p.X + o.X - w.Left] & 0x00FFFFFF;
}

void Press(skin::TbsSkinMDITabsBar* ABar, int X, int Y, bool ADown)
{
    InjectMouseButton(TMouseButton::mbLeft, ADown, ABar->ClientToScreen(Point(X, Y)));
    TMdiSkinForms::Pump();
}

void MoveTo(skin::TbsSkinMDITabsBar* ABar, int X, int Y)
{
    InjectMouseMove(ABar->ClientToScreen(Point(X, Y)));
    TMdiSkinForms::Pump();
}

} // namespace

TEST(MDITabsBar, TabsShareTheBarAndHideBelowTheMinimumWidth)
{
    struct TCase {
        int Count, MinTabWidth;
        std::vector<TRect> Expected;   // the first three tabs and the last one
        int Hidden;
    };
    const std::vector<TCase> cases = {
        {3, 0, {Rect(15, 0, 115, 21), Rect(115, 0, 215, 21), Rect(215, 0, 315, 21), Rect(215, 0, 315, 21)}, 0},
        // (400 - 15) div 10 = 38, the last one stretched to the bar's end.
        {10, 0, {Rect(15, 0, 53, 21), Rect(53, 0, 91, 21), Rect(91, 0, 129, 21), Rect(357, 0, 400, 21)}, 0},
        // (400 - 30) div 60 = 6 shown, 4 hidden.
        {10, 60, {Rect(15, 0, 75, 21), Rect(75, 0, 135, 21), Rect(135, 0, 195, 21), TRect{}}, 4},
    };
    for (const TCase& c : cases) {
        TMdiSkinForms m(600, 400, true, 400);
        m.Bar->MinTabWidth = c.MinTabWidth;
        m.AddMany(c.Count);
        m.Bar->Repaint();
        m.Pump();
        ASSERT_EQ(m.Bar->TabCount(), c.Count);
        const std::vector<TRect> rects = TabRects(m.Bar);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_EQ(rects[i], c.Expected[i]) << c.Count << " tabs, tab " << i;
        EXPECT_EQ(rects.back(), c.Expected[3]) << c.Count << " tabs, last";
        EXPECT_EQ(m.Bar->InVisibleCount(), c.Hidden);
        EXPECT_NE(m.Bar->ListButton(), nullptr);
        EXPECT_EQ(m.Bar->HideListButton() != nullptr, c.Hidden > 0);
        if (c.Hidden) {
            m.Bar->FillHideListMenu();
            ASSERT_EQ(m.Bar->HideListMenu()->Items()->Count(), c.Hidden);
            EXPECT_EQ(m.Bar->HideListMenu()->Items()->Items(0)->Name(), "Doc6_BSFCHILDITEMBARHIDE");
            // Choosing a hidden document from the menu activates it.
            m.Bar->HideListMenu()->Items()->Items(0)->Click();
            EXPECT_EQ(m.Main->ActiveMDIChild(), m.Docs[6]);
        }
    }
}

TEST(MDITabsBar, TabsFollowTheDocumentsAndClicksActivateThem)
{
    TMdiSkinForms m(600, 400, true, 400);
    std::vector<std::string> events;
    m.Bar->OnTabMouseLeave = [&](skin::TbsMDITab* T) { events.push_back("leave " + T->Child->Name()); };
    m.AddMany(3);
    ASSERT_EQ(m.Bar->TabCount(), 3);
    m.Bar->UpdateActiveTab();
    EXPECT_TRUE(m.Bar->Tabs(2)->Active);
    EXPECT_FALSE(m.Bar->Tabs(0)->Active);
    // A click on the first tab activates its document.
    Press(m.Bar, 50, 10, true);
    Press(m.Bar, 50, 10, false);
    EXPECT_EQ(m.Main->ActiveMDIChild(), m.Docs[0]);
    EXPECT_TRUE(m.Bar->Tabs(0)->Active);
    EXPECT_FALSE(m.Bar->Tabs(2)->Active);
    // Renamed: the tab shows the new caption; hidden: the tab goes, firing
    // its leave event once when it was hot.
    m.Docs[1]->SetCaption("Renamed");
    MoveTo(m.Bar, 150, 10);
    m.Docs[1]->Hide();
    EXPECT_EQ(m.Bar->TabCount(), 2);
    EXPECT_EQ(events, (std::vector<std::string>{"leave Doc1"}));
    // A document freed while shown takes its tab along.
    delete m.Docs[2];
    m.Docs.pop_back();
    EXPECT_EQ(m.Bar->TabCount(), 1);
    m.Docs[0]->Hide();
    EXPECT_EQ(m.Bar->TabCount(), 0);
    EXPECT_EQ(m.Bar->ListButton(), nullptr);
    EXPECT_EQ(m.Bar->InVisibleCount(), 0);
    // A document may refuse its tab.
    auto* f = new TForm(m.Main);
    f->SetName("NoTab");
    f->SetFormStyle(fsMDIChild);
    (new skin::TbsSkinForm(f))->OnAcceptToMDITabsBar = [](bool& Accept) { Accept = false; };
    f->Show();
    EXPECT_EQ(m.Bar->TabCount(), 0);
}

TEST(MDITabsBar, DraggingMovesATabAndTheCloseButtonClosesItsDocument)
{
    TMdiSkinForms m(600, 400, true, 400);
    m.AddMany(3);
    // The first tab dragged past the middle of the second becomes the second.
    Press(m.Bar, 30, 10, true);
    MoveTo(m.Bar, 100, 10);
    MoveTo(m.Bar, 120, 10);
    Press(m.Bar, 120, 10, false);
    EXPECT_EQ(m.Bar->Tabs(0)->Child, m.Docs[1]);
    EXPECT_EQ(m.Bar->Tabs(1)->Child, m.Docs[0]);
    m.Bar->ShowCloseButtons = true;
    m.Bar->Repaint();
    m.Pump();
    skin::TbsMDITab* tab = m.Bar->Tabs(2);
    const TRect close = OffsetRect(tab->ButtonRect, tab->ObjectRect.Left, tab->ObjectRect.Top);
    ASSERT_GT(close.Width(), 0);
    EXPECT_EQ(close.Right, tab->ObjectRect.Right - 5);
    bool closed = false;
    m.Docs[2]->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
    const TPoint c = Point((close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2);
    // Pressed elsewhere and released over the button: nothing.
    Press(m.Bar, tab->ObjectRect.Left + 5, 10, true);
    Press(m.Bar, c.X, c.Y, false);
    EXPECT_FALSE(closed);
    MoveTo(m.Bar, c.X, c.Y);
    Press(m.Bar, c.X, c.Y, true);
    Press(m.Bar, c.X, c.Y, false);
    EXPECT_TRUE(closed);
}

TEST(MDITabsBar, TheAddButtonFiresItsEvent)
{
    TMdiSkinForms m(600, 400, true, 400);
    m.Bar->SetShowAddButton(true);
    m.AddMany(2);
    m.Pump();
    // Tabs end at 15 + 2 x 100: the button sits 2 pixels after them.
    EXPECT_EQ(m.Bar->AddButtonRect(), Rect(217, 2, 231, 16));
    int clicks = 0;
    m.Bar->OnAddButtonClick = [&](TObject*) { ++clicks; };
    MoveTo(m.Bar, 224, 9);
    Press(m.Bar, 224, 9, true);
    Press(m.Bar, 224, 9, false);
    EXPECT_EQ(clicks, 1);
}

TEST(MDITabsBar, UnskinnedTabsPaintTheirStates)
{
    TMdiSkinForms m(600, 400, true, 400);
    m.AddMany(3);
    m.Bar->UpdateActiveTab();
    MoveTo(m.Bar, 150, 10);
    const uint32_t face = skintest::SysRgb(clBtnFace);
    struct TCase {
        int X;
        uint32_t Expected;
        const char* What;
    };
    for (const TCase& c : {TCase{20, face, "normal tab"}, TCase{118, Rgb(193, 212, 243), "hot tab"},
                           TCase{218, Rgb(162, 188, 228), "active tab"}, TCase{390, face, "bar"}})
        EXPECT_EQ(BarPixel(m.Bar, c.X, 3), c.Expected) << c.What;
    // The caption is drawn in the middle of the tab.
    int ink = 0;
    for (int x = 230; x < 300; ++x)
        for (int y = 4; y < 17; ++y)
            ink += BarPixel(m.Bar, x, y) != Rgb(162, 188, 228);
    EXPECT_GT(ink, 10);
    frametest::SaveWindowPng(m.Main->Handle(), "mdi_tabs_bar.png");
}
