// The skinned list box on a headless form: skinned bars that exist only
// while needed, rows fitted by RowCount, one-line wheel steps, the
// horizontal extent, tab stops, re-exported input and the plain drawing.
#include "skin/boxes/bsSkinBoxCtrls_ListBox.h"

#include "skin/boxes/BoxesTestSupport.h"

namespace {

using namespace skintest;
using skin::TbsSkinListBox;

struct ListBoxTest : TBoxesFixture {
    TbsSkinListBox* NewList(int ACount)
    {
        auto* list = Add(new TbsSkinListBox(Form.get()), Rect(10, 10, 130, 130));
        for (int i = 0; i < ACount; ++i)
            list->Items()->Add("item " + std::to_string(i));
        return list;
    }
};

TEST_F(ListBoxTest, TheVerticalBarExistsOnlyWhileTheRowsDoNotFit)
{
    auto* list = NewList(5);   // 5 rows of 20 in a 116-pixel list
    ShowAndPaint();
    EXPECT_EQ(list->ListRect, Rect(2, 2, 118, 118));
    EXPECT_EQ(list->ScrollBar, nullptr);
    list->Items()->Add("one too many");
    ASSERT_NE(list->ScrollBar, nullptr);
    EXPECT_EQ(list->ScrollBar->BoundsRect(), Rect(100, 1, 119, 119));
    EXPECT_EQ(list->ListRect, Rect(2, 2, 100, 118));
    EXPECT_EQ(list->ScrollBar->PageSize(), 5);
    list->Items()->Delete(5);
    EXPECT_EQ(list->ScrollBar, nullptr);
    // RowCount fits the height and never shows a bar for exactly that many rows.
    list->SetRowCount(5);
    EXPECT_EQ(list->Height(), 5 * 20 + 4);
    EXPECT_EQ(list->ScrollBar, nullptr);
}

TEST_F(ListBoxTest, TheWheelScrollsOneRowAndTheBarFollows)
{
    auto* list = NewList(20);
    ShowAndPaint();
    ASSERT_NE(list->ScrollBar, nullptr);
    list->ListBox->Perform(WM_MOUSEWHEEL, MAKELPARAM(0, uint16_t(-120)), 0);
    EXPECT_EQ(list->TopIndex(), 1);
    EXPECT_EQ(list->ScrollBar->Position(), 1);
    list->ScrollBar->SetPosition(7);
    EXPECT_EQ(list->TopIndex(), 7);
}

TEST_F(ListBoxTest, AWideItemGivesAHorizontalBarThatShiftsTheText)
{
    auto* list = NewList(2);
    ShowAndPaint();
    list->SetHorizontalExtent(true);
    EXPECT_EQ(list->HScrollBar, nullptr);
    list->Items()->Add(std::string(60, 'W'));
    ASSERT_NE(list->HScrollBar, nullptr);
    EXPECT_EQ(list->HScrollBar->Max(), list->ListBox->Canvas()->TextWidth(std::string(60, 'W')));
    list->HScrollBar->SetPosition(30);
    EXPECT_EQ(list->ListBox->HorizontalExtentValue, 30);
    list->Items()->Delete(2);
    EXPECT_EQ(list->HScrollBar, nullptr);
    EXPECT_EQ(list->ListBox->HorizontalExtentValue, 0);
}

TEST_F(ListBoxTest, TabStopsAreTheFirstTenDigitLines)
{
    TStringList tabs;
    for (const char* line : {"40", "x1", "", "99999999999", "7", "1", "2", "3", "4", "5", "6"})
        tabs.Add(line);
    EXPECT_EQ(skin::TabStopsOf(tabs), (std::vector<int>{40, 0, 0, 0, 7, 1, 2, 3, 4, 5}));
}

TEST_F(ListBoxTest, InputReachesTheListBoxEventsWithTheListBoxAsSender)
{
    auto* list = NewList(3);
    TObject* sender = nullptr;
    int clicks = 0;
    list->OnListBoxClick = [&](TObject* S) {
        sender = S;
        ++clicks;
    };
    ShowAndPaint();
    Click(list->ListBox, 20, 25);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, list);
    // The selected row is highlighted, the others plain.
    EXPECT_EQ(PixelOf(list->ListBox, 100, 30), SysRgb(clHighlight));
    EXPECT_EQ(PixelOf(list->ListBox, 100, 50), SysRgb(clWindow));
    EXPECT_EQ(PixelOf(list, 0, 0), SysRgb(clBtnShadow));
}

} // namespace
