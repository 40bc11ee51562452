// The office item list on a headless form: layout and the scroll bar, the
// selection and its events, keyboard steps over headers, check boxes by
// mouse, and the unskinned item drawing.
#include "skin/boxes/bsSkinExCtrls_OfficeList.h"

#include "skin/boxes/BoxesTestSupport.h"

namespace {

using namespace skintest;
using skin::TbsSkinOfficeListBox;

struct OfficeListTest : TBoxesFixture {
    std::string Log;
    TbsSkinOfficeListBox* NewList(int ACount, int AHeight = 164)
    {
        auto* list = Add(new TbsSkinOfficeListBox(Form.get()), Rect(10, 10, 160, 10 + AHeight));
        list->OnItemClick = [this, list](TObject*) { Log += "L" + std::to_string(list->ItemIndex()); };
        for (int i = 0; i < ACount; ++i) {
            auto* item = list->Items()->Add();
            item->SetCaption("item " + std::to_string(i));
            item->OnClick = [this, i](TObject*) { Log += "i" + std::to_string(i); };
        }
        return list;
    }
};

TEST_F(OfficeListTest, ScrollBarExistsExactlyWhileTheContentIsTallerThanTheView)
{
    auto* list = NewList(0);
    ShowAndPaint();
    EXPECT_EQ(list->CalcHeight(7), 5);
    list->SetItemHeight(50);
    for (int i = 0; i < 3; ++i)
        list->Items()->Add();
    EXPECT_EQ(list->ScrollBar, nullptr);   // 150 of 160
    list->Items()->Add();
    ASSERT_NE(list->ScrollBar, nullptr);   // 200 of 160
    EXPECT_EQ(list->ScrollBar->Max(), 200);
    EXPECT_EQ(list->ScrollBar->PageSize(), 160);
    EXPECT_EQ(list->ScrollBar->BoundsRect(), Rect(130, 1, 149, 163));
    list->CalcItemRects();
    EXPECT_EQ(list->ItemsRect(), Rect(2, 2, 130, 162));
    list->Items()->Delete(3);
    EXPECT_EQ(list->ScrollBar, nullptr);
    EXPECT_EQ(list->CalcHeight(7), 3 * 50 + 5);
}

TEST_F(OfficeListTest, SettingTheIndexFiresTheItemAndListEventsEveryTime)
{
    auto* list = NewList(3);
    ShowAndPaint();
    list->SetItemIndex(1);
    list->SetItemIndex(1);
    EXPECT_EQ(Log, "i1L1i1L1");
    EXPECT_TRUE(list->Items()->Items(1)->Active);
    list->SetItemIndex(-1);
    EXPECT_EQ(Log, "i1L1i1L1");
    EXPECT_FALSE(list->Items()->Items(1)->Active);
    // Past the end: no item active, the collection's error, no events.
    EXPECT_THROW(list->SetItemIndex(3), EListError);
    EXPECT_EQ(Log, "i1L1i1L1");
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(list->Items()->Items(i)->Active);
}

TEST_F(OfficeListTest, KeyStepsSkipHeadersAndDisabledItems)
{
    auto* list = NewList(0);
    list->SetItemHeight(20);
    list->SetHeaderHeight(20);
    // 0 H, 1, 2 disabled, 3, 4 H, 5, 6, 7, 8, 9
    for (int i = 0; i < 10; ++i) {
        auto* item = list->Items()->Add();
        item->SetHeader(i == 0 || i == 4);
        item->SetEnabled(i != 2);
    }
    ShowAndPaint();
    list->FindDown();
    EXPECT_EQ(list->ItemIndex(), 1);
    list->FindDown();
    EXPECT_EQ(list->ItemIndex(), 3);
    list->FindUp();
    EXPECT_EQ(list->ItemIndex(), 1);
    list->FindUp();   // only a header above
    EXPECT_EQ(list->ItemIndex(), 1);
    // A page is 160 / 20 = 8 items; the header at 4 stops the step at 5.
    list->FindPageDown();
    EXPECT_EQ(list->ItemIndex(), 5);
    // No header on the way: the farthest selectable item of the page.
    list->FindPageDown();
    EXPECT_EQ(list->ItemIndex(), 9);
    // Up from 9: 8 to 5 are candidates, then the header at 4 is passed and 3 wins at once.
    list->FindPageUp();
    EXPECT_EQ(list->ItemIndex(), 3);
}

TEST_F(OfficeListTest, SelectingTheFirstItemUnderAHeaderScrollsTheHeaderIntoView)
{
    auto* list = NewList(0, 64);
    list->SetItemHeight(30);
    for (int i = 0; i < 6; ++i)
        list->Items()->Add()->SetHeader(i == 0);
    ShowAndPaint();
    list->SetItemIndex(5);
    EXPECT_GT(list->ScrollOffset(), 0);
    list->SetItemIndex(1);
    EXPECT_EQ(list->ScrollOffset(), 0);
    // Growing the scrolled list pulls the content down, never below 0.
    list->SetItemIndex(5);
    list->SetHeight(300);
    EXPECT_EQ(list->ScrollOffset(), 0);
    EXPECT_EQ(list->ScrollBar, nullptr);
}

TEST_F(OfficeListTest, MouseSelectsAndTogglesChecksLeftOfTheCheckColumn)
{
    auto* list = NewList(3);
    list->SetShowCheckBoxes(true);
    list->Items()->Items(2)->SetEnabled(false);
    int checks = 0;
    list->OnItemCheckClick = [&](TObject*) { ++checks; };
    ShowAndPaint();
    EXPECT_EQ(list->CheckOffset(), 14);
    const TRect r = list->Items()->Items(1)->ItemRect;
    Click(list, r.Left + 14, r.Top + 5);   // exactly at the column's edge: selects only
    EXPECT_EQ(Log, "i1L1");
    EXPECT_FALSE(list->Items()->Items(1)->Checked());
    Click(list, r.Left + 13, r.Top + 5);
    EXPECT_TRUE(list->Items()->Items(1)->Checked());
    EXPECT_EQ(checks, 1);
    // A disabled item is never hit.
    const TRect d = list->Items()->Items(2)->ItemRect;
    EXPECT_EQ(list->ItemAtPos(d.Left + 20, d.Top + 5), -1);
    Click(list, d.Left + 20, d.Top + 5);
    EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(OfficeListTest, UnskinnedItemsFillTheirRowsByState)
{
    auto* list = NewList(3);
    list->SetItemHeight(20);
    list->Items()->Items(0)->SetHeader(true);
    list->SetShowItemTitles(false);
    ShowAndPaint();
    list->SetItemIndex(1);
    EXPECT_EQ(PixelOf(list, 0, 0), SysRgb(clBtnShadow));        // the frame
    EXPECT_EQ(PixelOf(list, 140, 3), SysRgb(clBtnShadow));      // the header row
    EXPECT_EQ(PixelOf(list, 140, 30), SysRgb(clHighlight));     // the selected row
    EXPECT_EQ(PixelOf(list, 140, 50), SysRgb(clWindow));        // a plain row
}

TEST_F(OfficeListTest, InsertedItemsTakeTheirPlaceInTheLayout)
{
    auto* list = NewList(3);
    list->SetItemHeight(50);
    list->SetShowItemTitles(false);
    ShowAndPaint();
    EXPECT_EQ(list->ScrollBar, nullptr);   // 150 of 160
    auto* header = list->Items()->Insert(0);
    header->SetHeader(true);
    header->SetCaption("group");
    ASSERT_EQ(list->Items()->Count(), 4);
    EXPECT_EQ(list->Items()->Items(0), header);
    EXPECT_EQ(list->Items()->Items(1)->Caption(), "item 0");
    EXPECT_EQ(list->Items()->Items(3)->Caption(), "item 2");
    ASSERT_NE(list->ScrollBar, nullptr) << "20 + 150 of 160";
    EXPECT_EQ(list->ScrollBar->Max(), 170);
    list->CalcItemRects();
    EXPECT_EQ(list->Items()->Items(0)->ItemRect.Top, 2);
    EXPECT_EQ(list->Items()->Items(0)->ItemRect.Bottom, 22);
    EXPECT_EQ(list->Items()->Items(1)->ItemRect.Top, 22);
    EXPECT_EQ(PixelOf(list, 100, 5), SysRgb(clBtnShadow)) << "the header row is drawn first";
    auto* last = list->Items()->Insert(4);
    EXPECT_EQ(last->Index(), 4);
    EXPECT_THROW(list->Items()->Insert(6), EListError);
    EXPECT_THROW(list->Items()->Insert(-1), EListError);
    EXPECT_EQ(list->Items()->Count(), 5);
}

} // namespace
