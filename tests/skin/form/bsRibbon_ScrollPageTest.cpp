// The scrolling page containers on a headless form: scroll buttons that
// appear when a ribbon page's controls overflow (the client narrowing by
// 24 pixels), steps clamped to the range by click, by a held button and by
// hovering with HotScroll, scrolling back when the page grows, the ignored
// settings, the drawn buttons, and the application menu page that computes
// nothing until its menu shows it.

#include "RibbonTestSupport.h"

namespace {

using namespace ribbontest;

struct ScrollPageTest : TRibbonFixture {
    TbsRibbonPage* P = nullptr;
    TEdit* Wide = nullptr;
    skintest::TFakeClock Clock;

    void SetUp() override
    {
        TRibbonFixture::SetUp();
        AddTabs({"A"});
        P = Page(0);
        ShowAndPaint();
        // The page is 398 wide; the edit ends at 500.
        Wide = new TEdit(Form.get());
        Wide->SetParent(P);
        Wide->SetBounds(300, 10, 200, 22);
        P->GetScrollInfo();
        Pump();
    }
    // A screen point over the back (0) or forward (1) button.
    TPoint ButtonPoint(int AIndex)
    {
        const TRect r = P->Buttons[AIndex].R;
        return P->ClientToScreen(Point((r.Left + r.Right) / 2 - 12, 40));
    }
    void Press(int AIndex, bool ADown)
    {
        InjectMouseButton(TMouseButton::mbLeft, ADown, ButtonPoint(AIndex));
        Pump();
    }
    void Advance(uint64_t AMs)
    {
        for (uint64_t done = 0; done < AMs; done += 10) {
            Clock.Now += 10;
            Pump();
        }
    }
};

TEST_F(ScrollPageTest, OverflowingControlsShowTheButtonsAndNarrowTheClientArea)
{
    EXPECT_TRUE(P->Buttons[0].Visible);
    EXPECT_TRUE(P->Buttons[1].Visible);
    EXPECT_EQ(P->ClientWidth(), 374);
    EXPECT_EQ(P->Buttons[0].R, Rect(0, 0, 12, 86));
    EXPECT_EQ(P->Buttons[1].R, Rect(386, 0, 398, 86));
    EXPECT_EQ(P->SMax, 499);
    EXPECT_EQ(P->SPage, 374);
}

TEST_F(ScrollPageTest, ClicksStepByOneClientWidthWithinTheRange)
{
    struct TStep {
        int Button;
        int Position;
        int EditLeft;
    };
    // The last reachable position is SMax - SPage + 1 = 126.
    const TStep steps[] = {{1, 126, 174}, {1, 126, 174}, {0, 0, 300}, {0, 0, 300}};
    for (const TStep& s : steps) {
        Mouse(P, 0, 0);
        InjectMouseMove(ButtonPoint(s.Button));
        Pump();
        Press(s.Button, true);
        Press(s.Button, false);
        EXPECT_EQ(P->Position(), s.Position);
        EXPECT_EQ(Wide->Left(), s.EditLeft);
    }
}

TEST_F(ScrollPageTest, AHeldButtonScrollsEveryIntervalUntilTheEndAndThenStops)
{
    P->SetScrollOffset(40);
    InjectMouseMove(ButtonPoint(1));
    Pump();
    Press(1, true);
    Advance(60);
    EXPECT_EQ(P->Position(), 40);
    Advance(300);
    EXPECT_EQ(P->Position(), 126);
    EXPECT_EQ(P->TimerMode, 0);   // the timer stopped by itself at the end
    Press(1, false);
    EXPECT_EQ(P->Position(), 126);
    EXPECT_EQ(Wide->Left(), 174);
}

TEST_F(ScrollPageTest, HotScrollRunsWhileThePointerRestsOnAButtonAndStopsInTheClientArea)
{
    P->SetScrollOffset(10);
    P->HotScroll = true;
    InjectMouseMove(ButtonPoint(1));
    Pump();
    Advance(100);
    const int moved = P->Position();
    EXPECT_GT(moved, 0);
    Mouse(P, 100, 40);
    Advance(100);
    EXPECT_EQ(P->Position(), moved);
    EXPECT_EQ(P->TimerMode, 0);
}

TEST_F(ScrollPageTest, GrowingUntilEverythingFitsScrollsBackAndHidesTheButtons)
{
    P->SetPosition(50);
    EXPECT_EQ(Wide->Left(), 250);   // the position moves the controls
    Form->SetBounds(100, 100, 600, 300);
    Pump();
    EXPECT_EQ(Ribbon->Width(), 600);
    EXPECT_EQ(P->Width(), 598);
    EXPECT_FALSE(P->Buttons[0].Visible);
    EXPECT_EQ(P->Position(), 0);
    EXPECT_EQ(Wide->Left(), 300);
    EXPECT_EQ(P->ClientWidth(), 598);
}

TEST_F(ScrollPageTest, InvalidStepsAndIntervalsAreIgnored)
{
    P->SetScrollOffset(-5);
    P->SetScrollTimerInterval(0);
    EXPECT_EQ(P->ScrollOffset(), 0);
    EXPECT_EQ(P->ScrollTimerInterval(), 50);
}

TEST_F(ScrollPageTest, ButtonsAreDrawnInTheBuiltInLookAndFromTheSkin)
{
    // Normal built-in look: clBtnShadow frame, clBtnFace inside.
    EXPECT_EQ(PixelOf(P, -12, 0), SysRgb(clBtnShadow));
    EXPECT_EQ(PixelOf(P, -10, 5), SysRgb(clBtnFace));
    Skin();
    P->Perform(WM_NCPAINT, 1, 0);
    // The skin's "resizetoolbutton": the red block's edge and fill.
    EXPECT_EQ(PixelOf(P, -12, 0), skintest::NormalEdge);
    EXPECT_EQ(PixelOf(P, -7, 40), skintest::NormalFill);
    // The edit reaches under the forward button; the button is drawn over it.
    ASSERT_TRUE(Wide->HandleAllocated());
    EXPECT_EQ(PixelOf(P, 375, 15), skintest::NormalFill);
}

struct AppMenuPageTest : TRibbonFixture {};

TEST_F(AppMenuPageTest, AMenuPageScrollsOnlyOnceScrollingIsOnAndTheMenuShowsIt)
{
    auto* menu = new TbsAppMenu(Form.get());
    menu->SetParent(Form.get());
    Ribbon->SetAppMenu(menu);
    TbsAppMenuItem* item = menu->Items()->Add();
    item->SetPage(menu->CreatePage());
    TbsAppMenuPage* page = item->Page();
    auto* tall = new TEdit(Form.get());
    tall->SetParent(page);
    tall->SetBounds(5, 400, 80, 22);
    ShowAndPaint();
    page->GetScrollInfo();
    EXPECT_FALSE(page->Buttons[0].Visible);
    page->SetCanScroll(true);
    EXPECT_FALSE(page->Buttons[0].Visible);   // the menu is closed
    Ribbon->ShowAppMenu();
    Pump();
    EXPECT_TRUE(page->Buttons[0].Visible);
    EXPECT_EQ(page->Buttons[1].R, Rect(0, page->Height() - 12, page->Width(), page->Height()));
    EXPECT_EQ(page->ClientHeight(), page->Height() - 24);
    Ribbon->HideAppMenu(nullptr);
    EXPECT_TRUE(page->FStopScroll);
}

} // namespace
