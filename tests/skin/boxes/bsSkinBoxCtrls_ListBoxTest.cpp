// The skinned list box on a headless form: skinned bars that exist only
// while needed, rows fitted by RowCount, one-line wheel steps, the
// horizontal extent, tab stops, re-exported input and the plain drawing;
// the caption strip with its buttons, plain and skinned, and columns.
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

// A descendant hears when the inner list gets its window: the first time
// and again whenever the window is made anew.
TEST_F(ListBoxTest, ADescendantHearsWhenTheInnerListHasItsWindow)
{
    struct TWatchedList : TbsSkinListBox {
        using TbsSkinListBox::TbsSkinListBox;
        std::vector<bool> Calls; // whether the inner window existed at each call
        void ListBoxCreateWnd() override { Calls.push_back(ListBox->HandleAllocated()); }
    };
    auto* list = Add(new TWatchedList(Form.get()), Rect(10, 10, 130, 130));
    EXPECT_TRUE(list->Calls.empty());
    ShowAndPaint();
    EXPECT_EQ(list->Calls, std::vector<bool>({true}));
    list->ListBox->RecreateWnd();
    EXPECT_EQ(list->Calls, std::vector<bool>({true, true}));
}

constexpr uint32_t ButtonFrame = Rgb(59, 107, 183), HotButton = Rgb(193, 212, 243), DownButton = Rgb(162, 188, 228);

TEST_F(ListBoxTest, ThePlainCaptionStripPlacesItsButtonsByItsHeight)
{
    struct {
        int CaptionHeight;
        TRect Up, Down, Check, List;
    } const cases[] = {
        {20, Rect(101, 2, 118, 18), Rect(84, 2, 101, 18), Rect(67, 2, 84, 18), Rect(2, 21, 118, 118)},
        {10, Rect(111, 2, 118, 8), Rect(104, 2, 111, 8), Rect(97, 2, 104, 8), Rect(2, 11, 118, 118)},
    };
    auto* list = NewList(3);
    ShowAndPaint();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.CaptionHeight);
        list->SetDefaultCaptionHeight(c.CaptionHeight);
        list->SetCaptionMode(true);
        Pump();
        EXPECT_EQ(list->Buttons[0].R, c.Up);
        EXPECT_EQ(list->Buttons[1].R, c.Down);
        EXPECT_EQ(list->Buttons[2].R, c.Check);
        EXPECT_EQ(list->ListRect, c.List);
        EXPECT_EQ(list->CalcHeight(5), 5 * 20 + 4 + c.CaptionHeight);
    }
    // Without buttons the strip keeps its height and shows none.
    list->SetShowCaptionButtons(false);
    Pump();
    EXPECT_TRUE(list->Buttons[0].R.IsEmpty());
    EXPECT_EQ(PixelOf(list, 114, 5), SysRgb(clBtnShadow));
}

TEST_F(ListBoxTest, APlainCaptionButtonLightsUnderTheMouseAndDarkensWhenPressed)
{
    auto* list = NewList(3);
    list->SetCaptionMode(true);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(list, 102, 3), SysRgb(clBtnShadow));
    Mouse(list, 110, 10);
    EXPECT_EQ(PixelOf(list, 101, 2), ButtonFrame);
    EXPECT_EQ(PixelOf(list, 102, 3), HotButton);
    Mouse(list, 110, 10, 1);
    EXPECT_EQ(PixelOf(list, 102, 3), DownButton);
    Mouse(list, 110, 10, 0);
    Mouse(list, 60, 60);   // over the items: the frame no longer has the mouse
    list->Perform(CM_MOUSELEAVE, 0, 0);
    Pump();
    for (const auto& b : list->Buttons)
        EXPECT_FALSE(b.MouseIn);
    EXPECT_EQ(PixelOf(list, 102, 3), SysRgb(clBtnShadow));
}

TEST_F(ListBoxTest, AHeldCaptionButtonStepsAfterTheDelayPausesOutsideAndStopsAtTheEnd)
{
    auto* list = NewList(4);
    list->SetCaptionMode(true);
    ShowAndPaint();
    list->SetItemIndex(0);
    Mouse(list, 90, 10);   // the down button
    Mouse(list, 90, 10, 1);
    EXPECT_EQ(list->TimerMode, 2);
    EXPECT_TRUE(list->WaitMode);
    list->Perform(WM_TIMER, 1);   // the first delay ends without a step
    EXPECT_EQ(list->ItemIndex(), 0);
    list->Perform(WM_TIMER, 1);
    EXPECT_EQ(list->ItemIndex(), 1);
    Mouse(list, 110, 10);   // onto the up button: it stays dark while the down button is held
    EXPECT_EQ(list->ActiveButton, -1);
    EXPECT_FALSE(list->Buttons[1].MouseIn);
    Mouse(list, 90, 10);
    EXPECT_TRUE(list->Buttons[1].MouseIn);
    list->Perform(WM_TIMER, 1);
    list->Perform(WM_TIMER, 1);
    list->Perform(WM_TIMER, 1);   // already at the last item
    EXPECT_EQ(list->ItemIndex(), 3);
    Mouse(list, 90, 10, 0);
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(list->TimerMode, 0);
    // A click on the up button steps once.
    Click(list, 110, 10);
    EXPECT_EQ(list->ItemIndex(), 2);
}

TEST_F(ListBoxTest, ACaptionButtonWithAnEventFiresItInsteadOfSteppingAndTheCheckButtonClicks)
{
    auto* list = NewList(4);
    list->SetCaptionMode(true);
    std::string log;
    list->OnDownButtonClick = [&](TObject* S) { log += S == list ? "D" : "?"; };
    list->OnListBoxClick = [&](TObject* S) { log += S == list ? "C" : "?"; };
    ShowAndPaint();
    list->SetItemIndex(1);
    Mouse(list, 90, 10);
    Mouse(list, 90, 10, 1);
    EXPECT_EQ(list->TimerMode, 0);   // no repeat for a button with an event
    Mouse(list, 90, 10, 0);
    EXPECT_EQ(log, "D");
    EXPECT_EQ(list->ItemIndex(), 1);
    // Released outside the button it steps instead.
    Mouse(list, 90, 10, 1);
    Mouse(list, 40, 10);
    Mouse(list, 40, 10, 0);
    EXPECT_EQ(log, "D");
    EXPECT_EQ(list->ItemIndex(), 2);
    Click(list, 75, 10);   // the check button
    EXPECT_EQ(log, "DC");
}

TEST_F(ListBoxTest, ColumnsRunSideBySideWithAHorizontalBarOfWholeColumns)
{
    auto* list = NewList(8);
    list->SetColumns(2);
    ShowAndPaint();
    EXPECT_EQ(list->ScrollBar, nullptr);   // 5 rows in two columns hold the 8 items
    for (int i = 8; i < 13; ++i)
        list->Items()->Add("item " + std::to_string(i));
    ASSERT_NE(list->ScrollBar, nullptr);
    EXPECT_EQ(list->ScrollBar->Kind(), sbHorizontal);
    EXPECT_EQ(list->ScrollBar->BoundsRect(), Rect(1, 100, 119, 119));
    EXPECT_EQ(list->ListRect, Rect(2, 2, 118, 100));
    // The bar leaves four rows: 13 items make four columns, two shown.
    EXPECT_EQ(list->ScrollBar->Max(), 3);
    EXPECT_EQ(list->ScrollBar->PageSize(), 2);
    list->ScrollBar->SetPosition(1);
    EXPECT_EQ(list->TopIndex(), 4);
    list->SetItemIndex(9);   // the second column shown, second row
    Pump();
    EXPECT_EQ(list->ItemRect(9), Rect(58, 20, 116, 40));
    EXPECT_EQ(PixelOf(list->ListBox, 110, 30), SysRgb(clHighlight));
    EXPECT_EQ(PixelOf(list->ListBox, 50, 30), SysRgb(clWindow));
    list->SetColumns(0);   // back to rows: a vertical bar
    ASSERT_NE(list->ScrollBar, nullptr);
    EXPECT_EQ(list->ScrollBar->Kind(), sbVertical);
}

// A caption strip 8 pixels high in the skin, up and down buttons at its
// right end that move with the right edge, the check button below the
// corner that moves with the bottom edge, and a picture that covers the
// buttons when the list shows none.
constexpr const char* CaptionListRecord =
    "[listbox]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,8\r\nrighttoppoint=15,8\r\n"
    "leftbottompoint=3,17\r\nrightbottompoint=27,17\r\nclientrect=3,8,27,17\r\nitemrect=0,0,30,20\r\n"
    "itemtextrect=3,3,27,17\r\ncaptionrect=3,0,12,8\r\ncaptionfontcolor=0\r\n"
    "upbuttonrect=20,1,24,5\r\nactiveupbuttonrect=33,5,37,9\r\ndownupbuttonrect=63,5,67,9\r\n"
    "downbuttonrect=16,1,20,5\r\ncheckbuttonrect=4,10,8,14\r\n"
    "disabledbuttonsrect=93,5,101,9\r\nbuttonsarea=16,1,24,5\r\n";

TEST_F(ListBoxTest, SkinnedCaptionButtonsMoveWithTheirCornersAndShowTheirPieces)
{
    Folder.Rewrite(SkinIni("listbox:listbox", CaptionListRecord));
    LoadSkin();
    auto* list = NewList(3);
    list->SetCaptionMode(true);
    list->SetSkinData(Data);
    ShowAndPaint();
    const int dx = 120 - 30, dy = 120 - 20;
    EXPECT_EQ(list->Buttons[0].R, Rect(20 + dx, 1, 24 + dx, 5));
    EXPECT_EQ(list->Buttons[1].R, Rect(16 + dx, 1, 20 + dx, 5));
    EXPECT_EQ(list->Buttons[2].R, Rect(4, 10 + dy, 8, 14 + dy));
    EXPECT_EQ(list->NewCaptionRect, Rect(3, 0, 12, 8));
    EXPECT_EQ(list->ListRect, Rect(3, 8, 27 + dx, 17 + dy));
    Mouse(list, 21 + dx, 2);
    EXPECT_EQ(PixelOf(list, 21 + dx, 2), HotFill);
    Mouse(list, 21 + dx, 2, 1);
    EXPECT_EQ(PixelOf(list, 21 + dx, 2), DownFill);
    Mouse(list, 21 + dx, 2, 0);
    Mouse(list, 60, 4);
    EXPECT_NE(PixelOf(list, 21 + dx, 2), HotFill);
    // Without buttons the skin's own picture of them is covered and the
    // caption reaches across.
    list->SetShowCaptionButtons(false);
    Pump();
    EXPECT_EQ(PixelOf(list, 18 + dx, 2), DisabledFill);
    EXPECT_EQ(list->NewCaptionRect, Rect(3, 0, 117, 8));
    EXPECT_TRUE(list->Buttons[0].R.IsEmpty());
}

TEST_F(ListBoxTest, SkinnedColumnsPutTheBarAlongTheClientBottom)
{
    Folder.Rewrite(SkinIni("listbox:listbox", CaptionListRecord));
    LoadSkin();
    auto* list = NewList(30);
    list->SetSkinData(Data);
    list->SetColumns(3);
    ShowAndPaint();
    ASSERT_NE(list->ScrollBar, nullptr);
    const int h = list->ScrollBar->Height();
    EXPECT_EQ(list->ScrollBar->BoundsRect(), Rect(3, 117 - h, 117, 117));
    EXPECT_EQ(list->ListRect, Rect(3, 8, 117, 117 - h));
}

} // namespace
