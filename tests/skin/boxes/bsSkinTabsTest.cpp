#include "skin/controls/SkinControlsTestSupport.h"

#include "skin/boxes/bsSkinTabs.h"
#include "support/WindowShot.h"

using namespace skintest;
using skin::TbsSkinPageControl;
using skin::TbsSkinTabSheet;

namespace {

// A tab skin: the frame is the normal block (3-pixel border), tabs are the
// disabled block, the selected tab the hot block 3 pixels taller.
std::string TabSkin()
{
    return SkinIni("tab:tab", "[tab]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nclientrect=3,3,27,17\r\n"
                              "lefttoppoint=3,3\r\nrighttoppoint=27,3\r\nleftbottompoint=3,17\r\nrightbottompoint=27,17\r\n"
                              "tabrect=90,0,120,17\r\nactivetabrect=30,0,60,20\r\ntableftoffset=3\r\ntabrightoffset=3\r\n"
                              "fontname=Tahoma\r\nfontheight=13\r\nfontcolor=0\r\nactivefontcolor=0\r\n");
}

struct TSkinTabsFixture : TSkinFixture {
    TbsSkinPageControl* Pages = nullptr;
    std::vector<TbsSkinTabSheet*> Sheets;

    void SetUp() override
    {
        TSkinFixture::SetUp();
        Folder.Rewrite(TabSkin());
        Pages = Add(new TbsSkinPageControl(Form.get()), Rect(10, 10, 290, 190));
        Pages->SetDefaultItemHeight(20);
        for (const char* caption : {"CPU", "常规", "输出"}) {
            auto* s = new TbsSkinTabSheet(Form.get());
            s->SetCaption(caption);
            s->SetPageControl(Pages);
            Sheets.push_back(s);
        }
        ShowAndPaint();
    }
};

} // namespace

TEST_F(TSkinTabsFixture, UnskinnedPagesStartFivePixelsHigherWithAOnePixelMargin)
{
    Pages->UpDateTabs();
    EXPECT_EQ(Pages->TabHeight(), 0);
    EXPECT_EQ(Pages->GetTabRect(0).Height(), 20);
    platform::TRect page = Pages->DisplayRect();
    // The platform's page starts below the 2-pixel margin, the 20-pixel tabs and its 4-pixel inset.
    EXPECT_EQ(page, Rect(1, 2 + 20 + 4 - 5, 279, 179));
    EXPECT_EQ(Sheets[0]->BoundsRect(), page);
    // Tabs move 2 pixels left and up.
    EXPECT_EQ(Pages->GetTabRect(0).Left, 0);
    EXPECT_EQ(Pages->GetTabRect(0).Top, 0);
}

TEST_F(TSkinTabsFixture, RoomForImagesAndCloseButtonsAndHiddenTabs)
{
    platform::TImageList images(nullptr);
    images.SetSize(16, 16);
    Pages->SetTabImages(&images);
    Pages->SetShowCloseButtons(true);
    EXPECT_EQ(Pages->TempImagesWidth(), 1 + 16 + 14);
    Pages->SetTabImages(nullptr);
    Pages->SetShowCloseButtons(false);
    EXPECT_EQ(Pages->TempImagesWidth(), 1);
    Pages->SetTabHeight(22);
    Pages->HideTabs();
    Pages->HideTabs();
    EXPECT_TRUE(Pages->TabsHidden());
    EXPECT_EQ(Pages->TabHeight(), 1);
    Pages->ShowTabs();
    EXPECT_FALSE(Pages->TabsHidden());
    EXPECT_EQ(Pages->TabHeight(), 22);
    EXPECT_EQ(Pages->TabPosition(), platform::tpTop);
}

TEST_F(TSkinTabsFixture, ClosingAPageByItsButton)
{
    Pages->SetShowCloseButtons(true);
    bool allow = false;
    int closed = 0;
    Pages->OnClose = [&](TObject*, bool& CanClose) { CanClose = allow; };
    Pages->OnAfterClose = [&](TObject*) { ++closed; };
    Pump();
    platform::TRect tab = Pages->GetTabRect(0);
    platform::TRect button = OffsetRect(Sheets[0]->ButtonRect, tab.Left, tab.Top);
    ASSERT_FALSE(button.IsEmpty());
    platform::TPoint at = Point((button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2);
    Click(Pages, at.X, at.Y);
    EXPECT_EQ(closed, 0);
    EXPECT_TRUE(Sheets[0]->TabVisible());
    allow = true;
    Click(Pages, at.X, at.Y);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(Sheets[0]->TabVisible());
    EXPECT_EQ(Pages->TabCount(), 2);
}

TEST_F(TSkinTabsFixture, TheSkinnedSelectedTabIsTallerAndOverTheFrame)
{
    LoadSkin();
    Pages->SetSkinData(Data);
    Pump();
    ASSERT_NE(Pages->SkinIndex(), -1);
    EXPECT_EQ(Pages->TabHeight(), 0);
    platform::TRect sel = Pages->GetTabRect(0);
    platform::TRect other = Pages->GetTabRect(1);
    EXPECT_EQ(sel.Height(), 17);
    // The selected tab comes from the hot block, 3 pixels taller; the others from the disabled block.
    EXPECT_EQ(PixelOf(Pages, sel.Left + 1, sel.Top + 1), HotEdge);
    EXPECT_EQ(PixelOf(Pages, sel.Left + 1, sel.Bottom + 1), HotEdge);   // reaches over the frame
    EXPECT_EQ(PixelOf(Pages, other.Left + 1, other.Top + 1), DisabledEdge);
    // The frame's border strips: the normal block's edge.
    platform::TRect page = Pages->DisplayRect();
    EXPECT_EQ(PixelOf(Pages, page.Left - 1, page.Top + 20), NormalEdge);
    EXPECT_EQ(PixelOf(Pages, page.Right, page.Bottom), NormalEdge);
    testsupport::SaveWindowPng(Form.get(), "skinpagecontrol.png");
    // Clicking a tab switches the page.
    Click(Pages, (other.Left + other.Right) / 2, (other.Top + other.Bottom) / 2);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
}

TEST_F(TSkinTabsFixture, TheWheelStepsPagesAndStopsAtTheEnds)
{
    Pages->MouseWheelSupport = true;
    Pages->SetActivePage(Sheets[2]);
    Pages->SetFocus();
    Pump();
    platform::TMessage m{platform::WM_MOUSEWHEEL, platform::WPARAM(uint32_t(-120) << 16), 0, 0};
    Pages->Dispatch(m);   // towards the user on the last page: nothing
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    platform::TMessage up{platform::WM_MOUSEWHEEL, platform::WPARAM(uint32_t(120) << 16), 0, 0};
    Pages->Dispatch(up);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
}
