#include "SkinControlsTestSupport.h"
#include "support/WindowShot.h"

#include "skin/controls/bsSkinCtrls_ListView.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/core/bsUtils_Glyphs.h"

using namespace skintest;
using skin::TbsSkinListView;
using skin::TbsSkinScrollBar;

namespace {

constexpr uint32_t ListBG = Rgb(250, 240, 200);

struct TSkinListViewFixture : TSkinFixture {
    TbsSkinListView* View = nullptr;
    TbsSkinScrollBar* VBar = nullptr;
    TbsSkinScrollBar* HBar = nullptr;

    void SetUp() override
    {
        TSkinFixture::SetUp();
        Folder.Rewrite(SkinIni("lv:listview", "[lv]\r\nbgcolor=" + std::to_string(ColorOf(ListBG)) +
                                                   "\r\nfontcolor=255\r\nfontname=Tahoma\r\nfontheight=13\r\n"));
        View = Add(new TbsSkinListView(Form.get()), Rect(10, 10, 250, 150));
        View->SkinDataName = "lv";
        View->HeaderSkinDataName = "button";
        View->SetViewStyle(platform::vsReport);
        View->SetRowSelect(true);
        View->SetGridLines(true);
        for (int w : {80, 0, 60}) {
            auto* c = View->Columns()->Add();
            c->SetWidth(w);
            c->SetCaption("col");
        }
        VBar = Add(new TbsSkinScrollBar(Form.get()), Rect(260, 10, 280, 150));
        VBar->SetKind(platform::sbVertical);
        HBar = Add(new TbsSkinScrollBar(Form.get()), Rect(10, 160, 250, 180));
        View->SetVScrollBar(VBar);
        View->SetHScrollBar(HBar);
        LoadSkin();
        View->SetSkinData(Data);
        ShowAndPaint();
    }
    void AddRows(int N)
    {
        View->Items()->BeginUpdate();
        for (int i = 0; i < N; ++i)
            View->Items()->Add()->SetCaption("row " + std::to_string(i));
        View->Items()->EndUpdate();
        Pump();
    }
    platform::THeaderControl* Header() { return View->Header(); }
};

} // namespace

TEST_F(TSkinListViewFixture, TakesItsColoursFromTheSkinAndLosesItsBorder)
{
    EXPECT_NE(View->SkinIndex(), -1);
    EXPECT_EQ(SysRgb(View->Color()), ListBG);
    EXPECT_EQ(View->LineColor(), skin::MixColors(skin::MixColors(skin::MixColors(255, ColorOf(ListBG)), ColorOf(ListBG)), ColorOf(ListBG)));
    EXPECT_EQ(View->ClientRect(), Rect(0, 0, 240, 140));
    EXPECT_EQ(PixelOf(View, 120, 120), ListBG);
    EXPECT_EQ(platform::SendMessage(View->Handle(), platform::SKN_PAINTTODC, 0, 0), platform::SKN_PAINTTODC_ANSWER);
    // Without a skin the default colour and font come back.
    View->SetSkinData(nullptr);
    View->ChangeSkinData();
    EXPECT_EQ(View->SkinIndex(), -1);
    EXPECT_EQ(View->Color(), platform::clWindow);
}

TEST_F(TSkinListViewFixture, HeaderSectionsAreDrawnFromTheButtonRecord)
{
    ASSERT_NE(Header(), nullptr);
    EXPECT_EQ(View->HeaderHandle(), Header()->Handle());
    // The header reaches 25 pixels past the width the view gives it.
    platform::TRect hr;
    platform::GetWindowRect(Header()->Handle(), hr);
    EXPECT_EQ(hr.Width(), 240 + 25);
    int h = Header()->Height();
    EXPECT_EQ(PixelOf(Header(), 0, h / 2), NormalEdge);
    EXPECT_EQ(PixelOf(Header(), 79, h / 2), NormalEdge);   // the section's right edge
    EXPECT_EQ(PixelOf(Header(), 40, h - 1), NormalEdge);
    // The rest right of the last column has no right border.
    EXPECT_EQ(PixelOf(Header(), 220, h / 2), NormalFill);
    EXPECT_EQ(PixelOf(Header(), 239, h / 2), NormalFill);
    EXPECT_EQ(PixelOf(Header(), 200, 0), NormalEdge);
    // A press paints the section pressed until the release.
    Mouse(Header(), 100, h / 2, 1);
    EXPECT_EQ(PixelOf(Header(), 125, 4), DownFill);
    EXPECT_EQ(PixelOf(Header(), 40, 4), NormalFill);
    Mouse(Header(), 100, h / 2, 0);
    EXPECT_EQ(PixelOf(Header(), 125, 4), NormalFill);
    testsupport::SaveWindowPng(Form.get(), "skinlistview_header.png");
}

TEST_F(TSkinListViewFixture, ExternalBarsShowWhenRowsOverflowAndScrollTheView)
{
    AddRows(5);
    EXPECT_FALSE(VBar->Visible());
    AddRows(35);
    int perPage = View->VisibleRowCount();
    ASSERT_TRUE(VBar->Visible());
    EXPECT_EQ(VBar->Max(), 39);
    EXPECT_EQ(VBar->PageSize(), perPage);
    EXPECT_EQ(VBar->LargeChange(), perPage);
    EXPECT_FALSE(HBar->Visible());   // 140 pixels of columns fit
    VBar->SetPosition(7);
    EXPECT_EQ(View->TopIndex(), 7);
    // The view scrolled by keys moves the bar.
    View->SetItemIndex(0);
    View->SetFocus();
    Key(platform::VK_END, true);
    Key(platform::VK_END, false);
    EXPECT_EQ(VBar->Position(), 40 - perPage);
    // A detached bar no longer drives the view.
    View->SetVScrollBar(nullptr);
    int top = View->TopIndex();
    VBar->SetPosition(0);
    EXPECT_EQ(View->TopIndex(), top);
    testsupport::SaveWindowPng(Form.get(), "skinlistview_rows.png");
}

TEST_F(TSkinListViewFixture, ListStyleBarStepsByColumns)
{
    View->SetViewStyle(platform::vsList);
    AddRows(60);
    Pump();
    ASSERT_TRUE(HBar->Visible());
    EXPECT_FALSE(VBar->Visible());
    HBar->SetPosition(1);
    EXPECT_EQ(View->GetScrollInfo(platform::SB_HORZ).Pos, 1);
    HBar->SetPosition(4);
    EXPECT_EQ(View->GetScrollInfo(platform::SB_HORZ).Pos, 4);
}

TEST_F(TSkinListViewFixture, SkinnedRowsDrawSubItemImagesBeforeTheirTexts)
{
    Folder.Rewrite(SkinIni("lv:listview\r\nlb:listbox",
                           "[lv]\r\nbgcolor=" + std::to_string(ColorOf(ListBG)) +
                               "\r\nfontcolor=255\r\nfontname=Tahoma\r\nfontheight=13\r\n"
                               "[lb]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nclientrect=3,3,27,17\r\n"
                               "activeitemrect=0,0,30,20\r\nfocusitemrect=30,0,60,20\r\nitemtextrect=3,3,27,17\r\n"
                               "focusfontcolor=16777215\r\nactivefontcolor=0\r\n"));
    LoadSkin();
    platform::TImageList images(nullptr);
    images.SetSize(6, 6);
    for (uint32_t c : {0xFF0000u, 0x00FF00u})
        images.AddPixels(std::vector<uint32_t>(36, 0xFF000000u | c));
    View->SetSmallImages(&images);
    View->ItemSkinDataName = "lb";
    View->SetDrawSkin(true);
    View->SetSkinData(Data);
    AddRows(2);
    // Sub-item 0 sits in the hidden column 1; sub-item 1 in column 2 (80 .. 140).
    const int subImage[] = {1, 9};   // the second is beyond the list: no image
    for (int row = 0; row < 2; ++row) {
        platform::TListItem* item = View->Items()->Item(row);
        item->SubItems()->Add("hidden");
        item->SubItems()->Add("size");
        item->SetSubItemImages(0, 0);
        item->SetSubItemImages(1, subImage[row]);
    }
    Pump();
    testsupport::SaveWindowPng(Form.get(), "skinlistview_subitem_images.png");
    const TRect b0 = View->Items()->Item(0)->DisplayRect(platform::drBounds);
    // At the cell's corner less 3 pixels; the first row's top line is the
    // strip under the header that the view paints over in its own colour.
    EXPECT_EQ(PixelOf(View, b0.Left + 83, b0.Top), ListBG);
    EXPECT_EQ(PixelOf(View, b0.Left + 83, b0.Top + 1), Rgb(0, 255, 0));
    EXPECT_EQ(PixelOf(View, b0.Left + 88, b0.Top + 5), Rgb(0, 255, 0));
    EXPECT_NE(PixelOf(View, b0.Left + 89, b0.Top + 5), Rgb(0, 255, 0));
    EXPECT_NE(PixelOf(View, b0.Left + 88, b0.Top + 6), Rgb(0, 255, 0));
    EXPECT_EQ(PixelOf(View, b0.Left + 82, b0.Top + 1), ListBG);
    const TRect b1 = View->Items()->Item(1)->DisplayRect(platform::drBounds);
    EXPECT_EQ(PixelOf(View, b1.Left + 83, b1.Top + 1), ListBG);
    EXPECT_EQ(PixelOf(View, b1.Left + 88, b1.Top + 5), ListBG);
    // The hidden column shows neither image nor text.
    for (int x = 0; x < 3; ++x)
        EXPECT_NE(PixelOf(View, b0.Left + 80 + x, b0.Top + 2), Rgb(255, 0, 0));
    View->SetSmallImages(nullptr);
}

TEST_F(TSkinListViewFixture, AHeaderRecordWithoutBottomCornersIsAStretchedStrip)
{
    // "hbar" has only its top corner points: a strip with fixed ends 3 pixels wide.
    View->HeaderSkinDataName = "hbar";
    platform::InvalidateRect(Header()->Handle(), nullptr, true);
    Pump();
    int h = Header()->Height();
    EXPECT_EQ(PixelOf(Header(), 0, h / 2), NormalEdge);
    EXPECT_EQ(PixelOf(Header(), 3, h / 2), NormalFill);
    EXPECT_EQ(PixelOf(Header(), 76, h / 2), NormalFill);
    EXPECT_EQ(PixelOf(Header(), 79, h / 2), NormalEdge);   // the section's right end
    EXPECT_EQ(PixelOf(Header(), 40, 0), NormalEdge);
    // The rest right of the last column (from 140) has its left end and no right end.
    EXPECT_EQ(PixelOf(Header(), 140, h / 2), NormalEdge);
    EXPECT_EQ(PixelOf(Header(), 200, h / 2), NormalFill);
    EXPECT_EQ(PixelOf(Header(), 239, h / 2), NormalFill);
}
