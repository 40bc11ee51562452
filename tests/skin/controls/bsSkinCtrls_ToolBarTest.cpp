#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_SpeedButton.h"
#include "skin/controls/bsSkinCtrls_ToolBar.h"

#include "platform/controls/ExtCtrls.h"

using namespace skintest;
using skin::TbsSkinMenuSpeedButton;
using skin::TbsSkinPanel;
using skin::TbsSkinSpeedButton;
using skin::TbsSkinToolBar;

namespace {

// A bar record stretching sideways (its height fixed at 20) with a client
// part 4 pixels in from top and bottom, and the arrow buttons' record.
const std::string BarControls = "toolpanel:panel\r\nresizebutton:button\r\n";
const std::string BarSections =
    "[toolpanel]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,0\r\nrighttoppoint=27,0\r\n"
    "clientrect=3,4,27,16\r\n"
    "[resizebutton]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,3\r\nrighttoppoint=27,3\r\n"
    "leftbottompoint=3,17\r\nrightbottompoint=27,17\r\nclientrect=3,3,27,17\r\nactiveskinrect=30,0,60,20\r\n"
    "downskinrect=60,0,90,20\r\nfontcolor=0\r\nactivefontcolor=255\r\ndownfontcolor=16711680\r\n";

struct SkinToolBar : TSkinFixture {
    SkinToolBar() { Folder.Rewrite(SkinIni(BarControls, BarSections)); }
    TbsSkinToolBar* NewBar(TRect ABounds)
    {
        auto* b = Add(new TbsSkinToolBar(Form.get()), ABounds);
        return b;
    }
    TbsSkinSpeedButton* NewButton(TWinControl* AParent, TRect ABounds)
    {
        auto* b = new TbsSkinSpeedButton(Form.get());
        b->SetParent(AParent);
        b->SetBoundsRect(ABounds);
        return b;
    }
    // A scrolling bar 100 wide with three 40-pixel buttons: 120 pixels of content.
    TbsSkinToolBar* ScrollingBar()
    {
        auto* bar = NewBar(Bounds(0, 0, 100, 30));
        bar->CanScroll = true;
        for (int i = 0; i < 3; ++i)
            NewButton(bar, Bounds(i * 40, 0, 40, 20));
        bar->UpdateScroll();
        return bar;
    }
    // A point of the bar's window (arrows included) in screen coordinates.
    static TPoint WindowPoint(TbsSkinToolBar* ABar, int X, int Y)
    {
        TRect r;
        GetWindowRect(ABar->Handle(), r);
        return Point(r.Left + X, r.Top + Y);
    }
    LRESULT HitTest(TbsSkinToolBar* ABar, int X, int Y)
    {
        const TPoint p = WindowPoint(ABar, X, Y);
        return SendMessage(ABar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y));
    }
    void Press(TbsSkinToolBar* ABar, int X, bool ADown)
    {
        const TPoint p = WindowPoint(ABar, X, 15);
        InjectMouseMove(p);
        InjectMouseButton(TMouseButton::mbLeft, ADown, p);
        Pump();
    }
    uint32_t WindowPixel(TbsSkinToolBar* ABar, int X, int Y)
    {
        const TPoint p = Form->ScreenToClient(WindowPoint(ABar, X, Y));
        return Pixel(p.X, p.Y);
    }
};

} // namespace

TEST_F(SkinToolBar, StartsAsAnUnframedBarThatKeepsItsChildrenCentred)
{
    TbsSkinToolBar b(nullptr);
    EXPECT_EQ(b.SkinDataName(), "toolpanel");
    EXPECT_EQ(b.Height(), 25);
    EXPECT_EQ(b.BorderStyle(), skin::bvNone);
    EXPECT_FALSE(b.ForcebackGround());
    EXPECT_TRUE(b.AdjustControls);
    EXPECT_FALSE(b.ArrowsShown());
    b.SetScrollOffset(-5);
    b.SetScrollTimerInterval(0);
    EXPECT_EQ(b.ScrollOffset(), 0);
    EXPECT_EQ(b.ScrollTimerInterval(), 50);
    b.SetScrollOffset(30);
    EXPECT_EQ(b.ScrollOffset(), 30);
}

TEST_F(SkinToolBar, ChildrenStandInTheMiddleOfTheClientArea)
{
    auto* bar = NewBar(Bounds(0, 0, 300, 40));
    auto* plain = new TPanel(Form.get());
    plain->SetBounds(5, 0, 30, 10);
    plain->SetParent(bar);
    auto* aligned = new TPanel(Form.get());
    aligned->SetBounds(0, 0, 30, 10);
    aligned->SetAlign(alLeft);
    aligned->SetParent(bar);
    auto* skinned = new TbsSkinPanel(Form.get());
    skinned->SetParent(bar);
    skinned->SetBounds(50, 0, 30, 20);
    auto* button = NewButton(bar, Bounds(90, 3, 25, 24));
    ShowAndPaint();
    bar->SetBounds(0, 0, 301, 40);
    EXPECT_EQ(plain->Top(), 15);
    EXPECT_EQ(aligned->Top(), 0);   // aligned children keep their place
    EXPECT_EQ(skinned->Top(), 10);
    EXPECT_EQ(button->Top(), 8);
    button->SetLeft(100);   // every SetBounds centres, also a move sideways
    EXPECT_EQ(button->BoundsRect(), Bounds(100, 8, 25, 24));
    bar->AdjustControls = false;
    button->SetTop(2);
    EXPECT_EQ(button->Top(), 2);
}

TEST_F(SkinToolBar, ASkinnedBarCentresInItsSkinsClientPart)
{
    LoadSkin();
    auto* bar = NewBar(Bounds(0, 0, 300, 40));
    bar->SetSkinData(Data);
    EXPECT_EQ(bar->Height(), 20);
    auto* button = NewButton(bar, Bounds(10, 0, 25, 10));
    TRect r;
    bar->GetSkinClientRect(r);
    EXPECT_EQ(r, Rect(3, 4, 297, 16));
    EXPECT_EQ(button->Top(), 4 + 12 / 2 - 5);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(bar, 0, 0), NormalEdge);
    EXPECT_EQ(PixelOf(bar, 150, 10), NormalFill);
}

TEST_F(SkinToolBar, ChildrenWiderThanTheBarBringTheArrows)
{
    auto* bar = ScrollingBar();
    EXPECT_TRUE(bar->ArrowsShown());
    EXPECT_EQ(bar->ClientWidth(), 76);
    EXPECT_EQ(bar->ScrollMax(), 119);
    EXPECT_EQ(bar->ScrollPage(), 76);
    EXPECT_EQ(bar->ArrowRect(0), Rect(0, 0, 12, 30));
    EXPECT_EQ(bar->ArrowRect(1), Rect(88, 0, 100, 30));
    EXPECT_EQ(HitTest(bar, 5, 10), skin::HTLEFTSCROLLARROW);
    EXPECT_EQ(HitTest(bar, 95, 10), skin::HTRIGHTSCROLLARROW);
    EXPECT_NE(HitTest(bar, 88, 10), skin::HTRIGHTSCROLLARROW);   // x = ClientWidth is not beyond it
    EXPECT_EQ(HitTest(bar, 50, 10), HTCLIENT);
}

TEST_F(SkinToolBar, ChildrenThatJustFitOrABarWithoutWidthShowNoArrows)
{
    auto* fits = NewBar(Bounds(0, 0, 120, 30));
    fits->CanScroll = true;
    for (int i = 0; i < 3; ++i)
        NewButton(fits, Bounds(i * 40, 0, 40, 20));
    fits->UpdateScroll();
    EXPECT_FALSE(fits->ArrowsShown());
    auto* empty = NewBar(Bounds(0, 40, 0, 30));
    empty->CanScroll = true;
    NewButton(empty, Bounds(0, 0, 40, 20));
    empty->UpdateScroll();
    EXPECT_FALSE(empty->ArrowsShown());
}

TEST_F(SkinToolBar, AClickOnAnArrowScrollsOneStepOnRelease)
{
    auto* bar = ScrollingBar();
    ShowAndPaint();
    TbsSkinSpeedButton* first = static_cast<TbsSkinSpeedButton*>(bar->Controls(0));
    Press(bar, 95, true);
    EXPECT_EQ(bar->ScrollPosition(), 0);
    EXPECT_EQ(bar->TimerMode(), 2);
    Press(bar, 95, false);
    // A step of one client width, held at the right end: SMax - SPage + 1.
    EXPECT_EQ(bar->ScrollPosition(), 44);
    EXPECT_EQ(first->Left(), -44);
    EXPECT_EQ(bar->TimerMode(), 0);
    Press(bar, 95, true);
    Press(bar, 95, false);
    EXPECT_EQ(bar->ScrollPosition(), 44);
    Press(bar, 5, true);
    Press(bar, 5, false);
    EXPECT_EQ(bar->ScrollPosition(), 0);
    EXPECT_EQ(first->Left(), 0);
}

TEST_F(SkinToolBar, HoldingAnArrowScrollsOnTheTimer)
{
    TFakeClock clock;
    auto* bar = ScrollingBar();
    bar->SetScrollOffset(10);
    ShowAndPaint();
    Press(bar, 95, true);
    for (int i = 0; i < 15; ++i) {
        clock.Now += 10;
        Pump();
    }
    EXPECT_EQ(bar->ScrollPosition(), 30);
    Press(bar, 95, false);
    EXPECT_EQ(bar->ScrollPosition(), 40);
}

TEST_F(SkinToolBar, HotScrollScrollsWhileThePointerRestsOnAnArrow)
{
    TFakeClock clock;
    auto* bar = ScrollingBar();
    bar->HotScroll = true;
    bar->SetScrollOffset(10);
    ShowAndPaint();
    InjectMouseMove(WindowPoint(bar, 95, 15));
    Pump();
    EXPECT_EQ(bar->TimerMode(), 2);
    for (int i = 0; i < 10; ++i) {
        clock.Now += 10;
        Pump();
    }
    EXPECT_EQ(bar->ScrollPosition(), 20);
    // Into the client area: the scrolling stops.
    InjectMouseMove(WindowPoint(bar, 50, 15));
    Pump();
    EXPECT_EQ(bar->TimerMode(), 0);
    clock.Now += 200;
    Pump();
    EXPECT_EQ(bar->ScrollPosition(), 20);
}

TEST_F(SkinToolBar, WideningAScrolledBarBringsTheChildrenBackByAtMostTheScrolledAmount)
{
    auto* bar = ScrollingBar();
    bar->SetScrollOffset(10);
    ShowAndPaint();
    bar->SetScrollOffset(0);
    Press(bar, 95, true);
    Press(bar, 95, false);
    ASSERT_EQ(bar->ScrollPosition(), 44);   // scrolled to the end
    auto* first = bar->Controls(0);
    bar->SetBounds(0, 0, 130, 30);          // 30 pixels more room
    EXPECT_EQ(bar->ScrollPosition(), 14);
    EXPECT_EQ(first->Left(), -14);
    EXPECT_TRUE(bar->ArrowsShown());
    bar->SetBounds(0, 0, 200, 30);
    EXPECT_FALSE(bar->ArrowsShown());
    EXPECT_EQ(bar->ClientWidth(), 200);
    EXPECT_EQ(first->Left(), 0);
}

TEST_F(SkinToolBar, TheArrowsLookHotWhenThePointerIsOnThem)
{
    auto* bar = ScrollingBar();
    ShowAndPaint();
    EXPECT_EQ(WindowPixel(bar, 0, 0), ColorRgb(clBtnShadow));
    EXPECT_EQ(WindowPixel(bar, 2, 2), ColorRgb(clBtnFace));
    InjectMouseMove(WindowPoint(bar, 5, 15));
    Pump();
    EXPECT_EQ(WindowPixel(bar, 0, 0), Rgb(0x3B, 0x6B, 0xB7));
    EXPECT_EQ(WindowPixel(bar, 2, 2), Rgb(0xC1, 0xD4, 0xF3));
    EXPECT_EQ(WindowPixel(bar, 90, 2), ColorRgb(clBtnFace));
}

TEST_F(SkinToolBar, SkinnedArrowsAreDrawnFromTheResizeButtonRecord)
{
    LoadSkin();
    auto* bar = ScrollingBar();
    bar->SetSkinData(Data);
    bar->UpdateScroll();
    ShowAndPaint();
    EXPECT_EQ(WindowPixel(bar, 0, 0), NormalEdge);
    EXPECT_EQ(WindowPixel(bar, 1, 19), NormalEdge);
    InjectMouseMove(WindowPoint(bar, 95, 15));
    Pump();
    EXPECT_EQ(WindowPixel(bar, 99, 0), HotEdge);
    EXPECT_EQ(WindowPixel(bar, 0, 0), NormalEdge);
}

TEST_F(SkinToolBar, HandsItsLookAndSkinToItsSpeedButtons)
{
    auto* bar = NewBar(Bounds(0, 0, 300, 30));
    auto* b1 = NewButton(bar, Bounds(0, 0, 40, 20));
    auto* b2 = new TbsSkinMenuSpeedButton(Form.get());
    b2->SetParent(bar);
    bar->SetFlat(true);
    EXPECT_TRUE(b1->Flat());
    EXPECT_TRUE(b2->Transparent());
    bar->AutoShowHideCaptions = true;
    bar->SetShowCaptions(true);
    bar->SetShowCaptions(false);
    EXPECT_FALSE(b1->ShowCaption());
    EXPECT_EQ(bar->Width(), 300);   // only one width given: unchanged
    bar->WidthWithCaptions = 250;
    bar->WidthWithoutCaptions = 120;
    bar->SetShowCaptions(true);
    EXPECT_EQ(bar->Width(), 250);
    EXPECT_TRUE(b2->ShowCaption());
    bar->SetSkinData(Data);
    EXPECT_EQ(b1->SkinData(), Data);
    EXPECT_EQ(b2->SkinData(), Data);
}

TEST_F(SkinToolBar, WhileDesigningItNamesItsSpeedButtonsAfterItsOwnSkin)
{
    // A bar on a designer's form.
    struct TDesignedBar : TbsSkinToolBar {
        using TbsSkinToolBar::TbsSkinToolBar;
        using TbsSkinToolBar::SetDesigning;
    };
    auto* bar = Add(new TDesignedBar(Form.get()), Bounds(0, 0, 300, 30));
    auto* plain = NewButton(bar, Bounds(0, 0, 40, 20));
    auto* menu = new TbsSkinMenuSpeedButton(Form.get());
    menu->SetParent(bar);
    auto* track = new TbsSkinMenuSpeedButton(Form.get());
    track->SetParent(bar);
    track->SetTrackButtonMode(true);
    bar->SetSkinDataName("bigtoolpanel");   // not designing: only the bar's name
    EXPECT_EQ(plain->SkinDataName(), "toolbutton");
    EXPECT_EQ(menu->SkinDataName(), "toolmenubutton");
    bar->SetDesigning(true);
    struct TCase {
        const char *Bar, *Menu, *Track, *Plain;
    } cases[] = {
        {"resizetoolpanel", "resizetoolbutton", "resizetoolbutton", "resizetoolbutton"},
        {"panel", "resizebutton", "resizebutton", "resizebutton"},
        {"bigtoolpanel", "bigtoolmenubutton", "bigtoolmenutrackbutton", "bigtoolbutton"},
        {"toolpanel", "toolmenubutton", "toolmenutrackbutton", "toolbutton"},
    };
    for (const TCase& c : cases) {
        bar->SetSkinDataName(c.Bar);
        EXPECT_EQ(menu->SkinDataName(), c.Menu) << c.Bar;
        EXPECT_EQ(track->SkinDataName(), c.Track) << c.Bar;
        EXPECT_EQ(plain->SkinDataName(), c.Plain) << c.Bar;
    }
}

TEST_F(SkinToolBar, LeavingTheBarsWindowStopsAHotScrollAtTheNextPoll)
{
    TFakeClock clock;
    auto* bar = ScrollingBar();
    bar->HotScroll = true;
    bar->SetScrollOffset(1);
    ShowAndPaint();
    InjectMouseMove(WindowPoint(bar, 95, 15));
    Pump();
    ASSERT_EQ(bar->TimerMode(), 2);
    InjectMouseMove(Form->ClientToScreen(Point(150, 150)));   // onto the form
    Pump();
    EXPECT_EQ(bar->TimerMode(), 2);   // the bar hears nothing of it yet
    for (int i = 0; i < 12; ++i) {
        clock.Now += 10;
        Pump();
    }
    EXPECT_EQ(bar->TimerMode(), 0);
    const int stopped = bar->ScrollPosition();
    clock.Now += 300;
    Pump();
    EXPECT_EQ(bar->ScrollPosition(), stopped);
}
