#include "ControlsTestSupport.h"

#include "platform/controls/ComCtrls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"

#include <sstream>

using namespace platform;
using namespace ctltest;

namespace {

uint32_t Rgb(TColor AColor)
{
    COLORREF c = ColorToRGB(AColor);
    return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

void Key(int AKey, const std::string& AText = std::string())
{
    InjectKey(AKey, true, AText);
    InjectKey(AKey, false);
    Pump();
}

void Click(TPoint AScreen, TMouseButton AButton = TMouseButton::mbLeft)
{
    InjectMouseButton(AButton, true, AScreen);
    InjectMouseButton(AButton, false, AScreen);
    Pump();
}

// A report view like the converter's file list: caption, a visible column,
// a hidden one (width 0, at most 1 pixel wide) and a right-aligned one.
struct TListViewFixture : ::testing::Test {
    std::unique_ptr<TForm> Form{MakeForm(400, 240, 0, 0)};
    TListView* View = nullptr;
    std::vector<std::string> Events;

    void SetUp() override
    {
        View = new TListView(Form.get());
        View->SetBounds(10, 10, 380, 220);
        View->SetViewStyle(vsReport);
        View->SetRowSelect(true);
        View->SetGridLines(true);
        View->ReadOnly = true;
        const struct {
            const char* Caption;
            int Width;
            TAlignment Align;
        } columns[] = {{"输入文件", 120, taLeftJustify}, {"文件大小", 90, taLeftJustify}, {"视频序号", 0, taLeftJustify}, {"转换进度", 90, taRightJustify}};
        for (auto& c : columns) {
            TListColumn* col = View->Columns()->Add();
            col->SetCaption(c.Caption);
            col->SetWidth(c.Width);
            col->SetAlignment(c.Align);
        }
        View->Column(2)->SetMaxWidth(1);
        for (const char* name : {"alpha.mp3", "beta.avi", "gamma.wav", "betamax.mp4"}) {
            TListItem* item = View->Items()->Add();
            item->SetCaption(name);
            item->SubItems()->Add("1.5MB");
            item->SubItems()->Add("7");
            item->SubItems()->Add("50%");
        }
        View->SetParent(Form.get());
        View->OnSelectItem = [this](TObject*, TListItem* AItem, bool ASelected) {
            Events.push_back(std::to_string(AItem->Index()) + (ASelected ? "+" : "-"));
        };
        Form->Show();
        Pump();
    }

    std::string TakeEvents()
    {
        std::string s;
        for (auto& e : Events)
            s += (s.empty() ? "" : " ") + e;
        Events.clear();
        return s;
    }
    // A row's cell in form coordinates.
    TRect Cell(int ARow, int AColumn)
    {
        TRect b = View->Items()->Item(ARow)->DisplayRect(drBounds);
        int x = View->ColumnLeft(AColumn);
        TPoint o = Point(View->Left() + 2, View->Top() + 2);   // inside the client edge
        return Rect(o.X + b.Left + x, o.Y + b.Top, o.X + b.Left + x + View->Column(AColumn)->Width(), o.Y + b.Bottom - 1);
    }
    TPoint ScreenOf(TRect R) { return Form->ClientToScreen(Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2)); }
};

} // namespace

TEST_F(TListViewFixture, SelectionOperationsFireTheirEventsInOrder)
{
    const struct {
        const char* What;
        std::function<void(TListView*)> Do;
        const char* Events;
        int ItemIndex;
    } cases[] = {
        {"ItemIndex selects", [](TListView* v) { v->SetItemIndex(1); }, "1+", 1},
        {"another ItemIndex deselects first", [](TListView* v) { v->SetItemIndex(3); }, "1- 3+", 3},
        {"the same ItemIndex again is quiet", [](TListView* v) { v->SetItemIndex(3); }, "", 3},
        {"Selected by item", [](TListView* v) { v->SetSelected(v->Items()->Item(0)); }, "3- 0+", 0},
        {"item Selected", [](TListView* v) { v->Items()->Item(2)->SetSelected(true); }, "0- 2+", 2},
        {"Selected nil clears", [](TListView* v) { v->SetSelected(nullptr); }, "2-", -1},
        {"ItemIndex -1 on nothing is quiet", [](TListView* v) { v->SetItemIndex(-1); }, "", -1},
        {"deleting an unselected row", [](TListView* v) { v->SetItemIndex(3); v->Items()->Delete(0); }, "3+", 2},
    };
    for (auto& c : cases) {
        c.Do(View);
        EXPECT_EQ(TakeEvents(), c.Events) << c.What;
        EXPECT_EQ(View->ItemIndex(), c.ItemIndex) << c.What;
        EXPECT_EQ(View->Selected() ? View->Selected()->Index() : -1, c.ItemIndex) << c.What;
    }
}

// The double click is reported after the list has handled the press: it
// selects the row it lands on, and a handler that gives the keyboard to
// another control (an edit over the row) leaves it there.
TEST_F(TListViewFixture, ADoubleClickReportsAfterThePressIsHandled)
{
    auto* edit = new TEdit(Form.get());
    edit->SetBounds(10, 230, 100, 10);
    edit->SetParent(Form.get());
    int selectedInHandler = -2;
    View->OnDblClick = [&](TObject*) {
        selectedInHandler = View->ItemIndex();
        edit->SetFocus();
    };
    Click(ScreenOf(Cell(2, 1)));
    Click(ScreenOf(Cell(2, 1)));
    EXPECT_EQ(selectedInHandler, 2);
    EXPECT_TRUE(edit->Focused()) << "the list took the keyboard back";
}

TEST_F(TListViewFixture, MouseAndKeysMoveTheSelection)
{
    Click(ScreenOf(Cell(2, 1)));
    EXPECT_EQ(TakeEvents(), "2+");
    Key(VK_DOWN);
    EXPECT_EQ(TakeEvents(), "2- 3+");
    Key(VK_DOWN);   // the last row stays
    EXPECT_EQ(TakeEvents(), "");
    Key(VK_HOME);
    EXPECT_EQ(View->ItemIndex(), 0);
    TakeEvents();
    // A click below the rows clears the selection.
    Click(Form->ClientToScreen(Point(100, 200)));
    EXPECT_EQ(TakeEvents(), "0-");
    EXPECT_EQ(View->Selected(), nullptr);
    // A press on a check box turns the mark and selects the row.
    View->SetCheckboxes(true);
    Click(Form->ClientToScreen(Point(Cell(1, 0).Left + 8, (Cell(1, 0).Top + Cell(1, 0).Bottom) / 2)));
    EXPECT_TRUE(View->Items()->Item(1)->Checked());
    EXPECT_EQ(TakeEvents(), "1+");
    View->SetCheckboxes(false);
    Click(ScreenOf(Cell(0, 1)));
    TakeEvents();
    // Type-ahead: "bet" finds beta.avi, then "betam" betamax.mp4.
    Key('B', "b");
    Key('E', "e");
    Key('T', "t");
    EXPECT_EQ(View->ItemIndex(), 1);
    Key('A', "a");
    Key('M', "m");
    EXPECT_EQ(View->ItemIndex(), 3);
}

TEST_F(TListViewFixture, SubItemsShowInTheirColumnsAndHiddenColumnsNeverDraw)
{
    View->Invalidate();
    Pump();
    SaveWindowPng(Form.get(), "listview_report.png");
    const uint32_t bg = Rgb(clWindow);
    // Row 0 is not selected: its cells are window-coloured with text ink.
    EXPECT_GT(CountInk(Form.get(), Cell(0, 0), bg), 20);
    EXPECT_GT(CountInk(Form.get(), Cell(0, 1), bg), 20);
    // The hidden column's "7" is nowhere: the column after it starts where it would be.
    TRect right = Cell(0, 3);
    TRect leftHalf = Rect(right.Left + 1, right.Top + 1, right.Left + right.Width() / 2, right.Bottom - 1);
    TRect rightHalf = Rect(right.Left + right.Width() / 2, right.Top + 1, right.Right - 2, right.Bottom - 1);
    EXPECT_EQ(CountInk(Form.get(), leftHalf, bg), 0) << "right-aligned text stays right, the hidden text is not drawn";
    EXPECT_GT(CountInk(Form.get(), rightHalf, bg), 10);
    // A sub-item past the last column is not drawn either.
    View->Items()->Item(1)->SubItems()->Add("beyond");
    View->Items()->Item(1)->SubItems()->SetStrings(2, "");
    Pump();
    TRect outside = Rect(Cell(1, 3).Right + 1, Cell(1, 3).Top + 1, View->Left() + View->Width() - 3, Cell(1, 3).Bottom - 1);
    EXPECT_EQ(CountInk(Form.get(), outside, bg), 0);
    // Emptying a cell removes its text.
    View->Items()->Item(0)->SubItems()->SetStrings(0, "");
    Pump();
    TRect c = Cell(0, 1);
    EXPECT_EQ(CountInk(Form.get(), Rect(c.Left + 1, c.Top + 1, c.Right - 2, c.Bottom - 1), bg), 0);
}

TEST_F(TListViewFixture, HiddenColumnsStayHiddenAndHeaderClicksReachTheColumn)
{
    // The hidden column cannot be pulled wider than one pixel.
    View->Column(2)->SetWidth(80);
    EXPECT_EQ(View->Column(2)->Width(), 1);
    View->Column(2)->SetWidth(0);
    TListColumn* clicked = nullptr;
    View->OnColumnClick = [&](TObject*, TListColumn* AColumn) { clicked = AColumn; };
    THeaderControl* header = View->Header();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(GetClassName(header->Handle()), "SysHeader32");
    EXPECT_EQ(header->SectionCount(), 4);
    TPoint onSecond = header->ClientToScreen(Point(120 + 45, 8));
    Click(onSecond);
    EXPECT_EQ(clicked, View->Column(1));
    // Dragging the divider after column 1 (the hidden one shares it) widens column 1.
    TPoint divider = header->ClientToScreen(Point(210, 8));
    InjectMouseButton(TMouseButton::mbLeft, true, divider);
    InjectMouseMove(Point(divider.X + 30, divider.Y));
    InjectMouseButton(TMouseButton::mbLeft, false, Point(divider.X + 30, divider.Y));
    Pump();
    EXPECT_EQ(View->Column(1)->Width(), 120);
    EXPECT_EQ(View->Column(2)->Width(), 0);
    THDHitTestInfo hit;
    hit.Pt = Point(240, 8);
    SendMessage(header->Handle(), HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_EQ(hit.Flags, HHT_ONDIVIDER);
    EXPECT_EQ(hit.Item, 1);
}

TEST_F(TListViewFixture, BadIndexesRaiseTheListIndexError)
{
    const std::function<void()> calls[] = {
        [&] { View->Items()->Item(4); },
        [&] { View->Items()->Item(-1); },
        [&] { View->SetItemIndex(9); },
        [&] { View->Items()->Delete(4); },
        [&] { View->Items()->Item(0)->SubItems()->Strings(3); },
        [&] { View->Column(4); },
        [&] { View->ItemRect(7, drBounds); },
    };
    for (auto& call : calls) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const EListError& e) {
            EXPECT_EQ(std::string(e.Message()).rfind("List index out of bounds (", 0), 0u) << e.Message();
        }
    }
    EXPECT_EQ(View->Items()->Count(), 4);
}

TEST_F(TListViewFixture, AChangedCellRepaintsItsRowOnly)
{
    View->Update();
    Pump();
    TRect none;
    ASSERT_FALSE(GetUpdateRect(View->Handle(), &none, false));
    View->Items()->Item(2)->SubItems()->SetStrings(2, "75%");
    TRect dirty;
    ASSERT_TRUE(GetUpdateRect(View->Handle(), &dirty, false));
    TRect row = View->Items()->Item(2)->DisplayRect(drBounds);
    EXPECT_EQ(dirty.Top, row.Top);
    EXPECT_EQ(dirty.Bottom, row.Bottom);
}

TEST_F(TListViewFixture, LabelEditingCommitsOnEnterAndCancelsOnEscape)
{
    View->ReadOnly = false;
    std::string edited;
    View->OnEdited = [&](TObject*, TListItem*, std::string& S) { edited = S; S += "!"; };
    View->SetItemIndex(1);
    View->SetFocus();
    Key(VK_F2);
    ASSERT_TRUE(View->IsEditing());
    TRect label = View->Items()->Item(1)->DisplayRect(drLabel);
    EXPECT_EQ(View->EditControl()->Left(), label.Left);
    InjectText("new");
    Pump();
    Key(VK_RETURN);
    EXPECT_FALSE(View->IsEditing());
    EXPECT_EQ(edited, "new");
    EXPECT_EQ(View->Items()->Item(1)->Caption(), "new!");
    EXPECT_TRUE(View->Focused());
    Key(VK_F2);
    InjectText("zzz");
    Pump();
    Key(VK_ESCAPE);
    EXPECT_EQ(View->Items()->Item(1)->Caption(), "new!");
    // Read-only labels are never edited.
    View->ReadOnly = true;
    Key(VK_F2);
    EXPECT_FALSE(View->IsEditing());
}

namespace {
// A report view filling the form, one column wider than it and ARows rows: both bars show.
TListView* ScrollingReport(TForm* AForm, int ARows)
{
    auto* v = new TListView(AForm);
    v->SetViewStyle(vsReport);
    v->Columns()->Add()->SetWidth(400);
    v->SetParent(AForm);
    v->SetBounds(0, 0, 300, 200);
    for (int i = 0; i < ARows; ++i)
        v->Items()->Add()->SetCaption("row " + std::to_string(i));
    AForm->Show();
    Pump();
    return v;
}
} // namespace

TEST(ListViewScrolling, ReportRangesFollowRowsAndPageKeysScroll)
{
    std::unique_ptr<TForm> form{MakeForm(300, 200, 0, 0)};
    TListView* v = ScrollingReport(form.get(), 40);
    int perPage = int(SendMessage(v->Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_GT(perPage, 3);
    TScrollInfo vert = v->GetScrollInfo(SB_VERT);
    EXPECT_EQ(vert.Max, 39);
    EXPECT_EQ(vert.Page, perPage);
    TScrollInfo horz = v->GetScrollInfo(SB_HORZ);
    EXPECT_EQ(horz.Max, 399);
    EXPECT_LT(horz.Page, 300);   // less the vertical bar
    v->SetItemIndex(0);
    v->SetFocus();
    Key(VK_NEXT);
    EXPECT_EQ(v->ItemIndex(), perPage);
    EXPECT_GT(v->TopIndex(), 0);
    Key(VK_END);
    EXPECT_EQ(v->TopIndex(), 40 - perPage);
    SendMessage(v->Handle(), WM_VSCROLL, WPARAM(MAKELPARAM(SB_THUMBPOSITION, 5)), 0);
    EXPECT_EQ(v->TopIndex(), 5);
    EXPECT_EQ(v->TopItem()->Caption(), "row 5");
    v->Scroll(0, 3 * v->Items()->Item(0)->DisplayRect(drBounds).Height());
    EXPECT_EQ(v->TopIndex(), 8);
    SaveWindowPng(form.get(), "listview_scrolled.png");
    // A list that fits needs no vertical bar.
    v->Items()->Clear();
    v->Items()->Add();
    EXPECT_FALSE(v->ScrollBars().Needed(SB_VERT));
}

TEST(ListViewOwnerData, OnlyVisibleRowsAreFetched)
{
    std::unique_ptr<TForm> form{MakeForm(300, 200, 0, 0)};
    auto* v = new TListView(form.get());
    v->SetViewStyle(vsReport);
    v->SetOwnerData(true);
    v->Columns()->Add()->SetWidth(150);
    v->Columns()->Add()->SetWidth(100);
    v->SetParent(form.get());
    v->SetBounds(0, 0, 300, 200);
    std::vector<int> fetched;
    v->OnData = [&](TObject*, TListItem* AItem) {
        fetched.push_back(AItem->Index());
        AItem->SetCaption("file " + std::to_string(AItem->Index()));
        AItem->SubItems()->Add(std::to_string(AItem->Index() * 2));
    };
    int finds = 0;
    v->OnDataFind = [&](TObject*, TItemFind, const std::string& S, TPoint, void*, int AStart, TSearchDirection, bool, int& AIndex) {
        ++finds;
        if (S == "7")
            AIndex = 7000 > AStart ? 7000 : -1;
    };
    v->Items()->SetCount(10000);
    form->Show();
    Pump();
    int perPage = v->VisibleRowCount();
    ASSERT_FALSE(fetched.empty());
    for (int i : fetched)
        EXPECT_LE(i, perPage) << "row " << i << " is not visible";
    EXPECT_EQ(v->Items()->Item(9999)->Caption(), "file 9999");
    EXPECT_EQ(v->Items()->Item(12)->SubItems()->Strings(0), "24");
    fetched.clear();
    SendMessage(v->Handle(), WM_VSCROLL, WPARAM(MAKELPARAM(SB_THUMBPOSITION, 5000)), 0);
    Pump();
    for (int i : fetched)
        EXPECT_TRUE(i >= 5000 && i <= 5000 + perPage) << i;
    // Selection lives in the view; type-ahead asks the owner.
    v->SetItemIndex(4321);
    EXPECT_EQ(v->ItemIndex(), 4321);
    EXPECT_EQ(v->SelCount(), 1);
    v->SetFocus();
    Key('7', "7");
    EXPECT_EQ(finds, 1);
    EXPECT_EQ(v->ItemIndex(), 7000);
    v->Items()->SetCount(100);
    EXPECT_EQ(v->ItemIndex(), -1);
}

TEST(ListViewStyles, ListAndIconStylesPlaceItemsInTheirGrid)
{
    std::unique_ptr<TForm> form{MakeForm(300, 200, 0, 0)};
    auto* v = new TListView(form.get());
    v->SetBorderStyle(bsNone);
    v->SetBounds(0, 0, 300, 200);
    v->SetParent(form.get());
    for (int i = 0; i < 30; ++i)
        v->Items()->Add()->SetCaption("item " + std::to_string(i));
    form->Show();
    Pump();
    const TViewStyle styles[] = {vsList, vsSmallIcon, vsIcon};
    for (TViewStyle s : styles) {
        v->SetViewStyle(s);
        TRect a = v->Items()->Item(0)->DisplayRect(drBounds);
        TRect b = v->Items()->Item(1)->DisplayRect(drBounds);
        if (s == vsList)
            EXPECT_EQ(b.Top, a.Bottom) << "list style runs down the column";
        else
            EXPECT_EQ(b.Left, a.Right) << "icon styles run along the row";
        EXPECT_EQ(v->GetItemAt(b.Left + 3, b.Top + 3), v->Items()->Item(1));
        Pump();
        SaveWindowPng(form.get(), s == vsList ? "listview_list.png" : s == vsIcon ? "listview_icon.png" : "listview_smallicon.png");
    }
    v->SetViewStyle(vsList);
    TScrollInfo h = v->GetScrollInfo(SB_HORZ);
    EXPECT_GT(h.Max, 0);
    SendMessage(v->Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(v->GetScrollInfo(SB_HORZ).Pos, 1);
}

TEST_F(TListViewFixture, DraggedHeaderSectionsReorderTheColumns)
{
    // Sections: 0 at 0..120, 1 at 120..210, 2 hidden at 210, 3 at 210..300.
    const struct {
        bool FullDrag;
        int PressX, ReleaseX;
        std::vector<int> Order;
        int Clicked;   // column whose click event fired, -1 none
    } cases[] = {
        {true, 60, 250, {1, 2, 0, 3}, -1},    // past the middles of 1 and the hidden 2
        {true, 255, 10, {3, 0, 1, 2}, -1},    // to the front
        {true, 165, 168, {0, 1, 2, 3}, 1},    // a few pixels: still a click
        {true, 60, 290, {1, 2, 3, 0}, -1},    // to the end
        {false, 60, 250, {0, 1, 2, 3}, -1},   // no dragging without FullDrag; released off the section: no click
    };
    THeaderControl* header = View->Header();
    ASSERT_NE(header, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.PressX);
        ASSERT_TRUE(View->SetColumnOrder({0, 1, 2, 3}));
        View->SetFullDrag(c.FullDrag);
        int clicked = -1;
        View->OnColumnClick = [&](TObject*, TListColumn* AColumn) { clicked = AColumn->Index(); };
        TPoint from = header->ClientToScreen(Point(c.PressX, 8));
        TPoint to = header->ClientToScreen(Point(c.ReleaseX, 8));
        InjectMouseButton(TMouseButton::mbLeft, true, from);
        InjectMouseMove(Point((from.X + to.X) / 2, to.Y));
        InjectMouseMove(to);
        Pump();
        if (&c == &cases[0]) {
            EXPECT_EQ(header->DraggedSection(), 0);
            SaveWindowPng(Form.get(), "listview_column_drag.png");
            // The drop marker stands after the hidden section, at 210 in the layout shown.
            TPoint m = Form->ScreenToClient(header->ClientToScreen(Point(210, 2)));
            EXPECT_EQ(Pixel(Form.get(), m.X, m.Y), Rgb(clHighlight));
            EXPECT_NE(Pixel(Form.get(), m.X - 2, m.Y), Rgb(clHighlight));
        }
        InjectMouseButton(TMouseButton::mbLeft, false, to);
        Pump();
        EXPECT_EQ(View->ColumnOrder(), c.Order);
        EXPECT_EQ(header->Order(), c.Order);
        EXPECT_EQ(clicked, c.Clicked);
        EXPECT_EQ(header->DraggedSection(), -1);
    }
}

TEST_F(TListViewFixture, TheColumnOrderPlacesSectionsCellsAndLabels)
{
    ASSERT_TRUE(View->SetColumnOrder({3, 0, 1, 2}));
    Pump();
    SaveWindowPng(Form.get(), "listview_reordered.png");
    THeaderControl* header = View->Header();
    const int h = header->Height();
    EXPECT_EQ(header->SectionRect(3), Rect(0, 0, 90, h));
    EXPECT_EQ(header->SectionRect(0), Rect(90, 0, 210, h));
    EXPECT_EQ(header->SectionRect(1), Rect(210, 0, 300, h));
    int order[4] = {};
    EXPECT_EQ(SendMessage(View->Handle(), LVM_GETCOLUMNORDERARRAY, 4, reinterpret_cast<LPARAM>(order)), 1);
    EXPECT_EQ(std::vector<int>(order, order + 4), (std::vector<int>{3, 0, 1, 2}));
    EXPECT_EQ(SendMessage(header->Handle(), HDM_GETORDERARRAY, 4, reinterpret_cast<LPARAM>(order)), 1);
    EXPECT_EQ(std::vector<int>(order, order + 4), (std::vector<int>{3, 0, 1, 2}));
    TRect b = View->Items()->Item(0)->DisplayRect(drBounds);
    EXPECT_EQ(View->Items()->Item(0)->DisplayRect(drLabel), Rect(b.Left + 92, b.Top, b.Left + 210, b.Bottom));
    // The right-aligned progress column now leads the row.
    const uint32_t bg = Rgb(clWindow);
    TRect first = Cell(0, 3);
    EXPECT_EQ(first.Left, View->Left() + 2 + b.Left);
    EXPECT_EQ(CountInk(Form.get(), Rect(first.Left + 1, first.Top + 1, first.Left + first.Width() / 2, first.Bottom - 1), bg), 0);
    EXPECT_GT(CountInk(Form.get(), Rect(first.Left + first.Width() / 2, first.Top + 1, first.Right - 2, first.Bottom - 1), bg), 10);
    // Orders that are not a permutation of the columns change nothing.
    for (const std::vector<int>& bad : {std::vector<int>{0, 1, 2}, {0, 0, 1, 2}, {0, 1, 2, 4}, {-1, 0, 1, 2}}) {
        EXPECT_FALSE(View->SetColumnOrder(bad));
        EXPECT_EQ(SendMessage(View->Handle(), LVM_SETCOLUMNORDERARRAY, WPARAM(bad.size()), reinterpret_cast<LPARAM>(bad.data())), 0);
    }
    EXPECT_EQ(View->ColumnOrder(), (std::vector<int>{3, 0, 1, 2}));
    // A new column starts a fresh order.
    View->Columns()->Add()->SetWidth(40);
    EXPECT_EQ(View->ColumnOrder(), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(header->SectionRect(4).Left, 300);
}

TEST_F(TListViewFixture, SubItemImagesStandBeforeTheirTexts)
{
    TImageList images(nullptr);
    images.SetSize(8, 8);
    for (uint32_t c : {0xFF0000u, 0x00FF00u})
        images.AddPixels(std::vector<uint32_t>(64, 0xFF000000u | c));
    View->SetSmallImages(&images);
    TListItem* item = View->Items()->Item(0);
    EXPECT_EQ(item->SubItemImages(5), -1);
    EXPECT_THROW(item->SubItemImages(-1), EListError);
    item->SetSubItemImages(0, 1);
    item->SetSubItemImages(2, 7);   // beyond the list: no image
    View->Items()->Item(1)->Assign(item);
    EXPECT_EQ(View->Items()->Item(1)->SubItemImages(0), 1);
    Pump();
    SaveWindowPng(Form.get(), "listview_subitem_images.png");
    const uint32_t bg = Rgb(clWindow);
    for (int row : {0, 1}) {
        TRect size = Cell(row, 1);
        int y = (size.Top + size.Bottom) / 2;
        EXPECT_EQ(Pixel(Form.get(), size.Left + 6, y), 0x00FF00u);
        EXPECT_EQ(Pixel(Form.get(), size.Left + 13, y), 0x00FF00u);
        EXPECT_NE(Pixel(Form.get(), size.Left + 14, y), 0x00FF00u);
        TRect progress = Cell(row, 3);
        EXPECT_EQ(CountInk(Form.get(), Rect(progress.Left + 1, progress.Top + 1, progress.Left + 16, progress.Bottom - 1), bg), 0);
    }
    // The text moved past the image.
    TRect size = Cell(0, 1);
    EXPECT_EQ(CountInk(Form.get(), Rect(size.Left + 1, size.Top + 1, size.Left + 6, size.Bottom - 1), bg), 0);
    EXPECT_GT(CountInk(Form.get(), Rect(size.Left + 17, size.Top + 1, size.Right - 2, size.Bottom - 1), bg), 10);
    View->SetSmallImages(nullptr);
}

TEST(ListViewScrolling, HeldArrowsAndTrackRepeatAfterAPause)
{
    uint64_t now = 1000;
    SetWindowClockForTesting([&] { return now; });
    std::unique_ptr<TForm> form{MakeForm(300, 200, 0, 0)};
    TListView* v = ScrollingReport(form.get(), 60);
    const int page = int(SendMessage(v->Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
    const TRect bar = v->ScrollBars().BarRect(SB_VERT, v->ClientRect());
    const int x = (bar.Left + bar.Right) / 2;
    const TPoint downArrow = v->ClientToScreen(Point(x, bar.Bottom - 8));
    const TPoint upArrow = v->ClientToScreen(Point(x, bar.Top + 8));
    const TPoint offBar = v->ClientToScreen(Point(bar.Left - 50, bar.Bottom - 8));
    const TPoint lowTrack = v->ClientToScreen(Point(x, bar.Top + bar.Height() * 3 / 4));
    enum TAct { Press, Move, Release, Wait };
    const struct {
        TAct Act;
        TPoint At;
        int Ms;
        int Top;
    } steps[] = {
        {Press, downArrow, 0, 1},      {Wait, {}, 499, 1},        {Wait, {}, 1, 2},      // the first repeat after the pause
        {Wait, {}, 50, 3},             {Move, offBar, 0, 3},      {Wait, {}, 200, 3},    // off the arrow: paused
        {Move, downArrow, 0, 3},       {Wait, {}, 50, 4},         {Release, downArrow, 0, 4},
        {Wait, {}, 500, 4},            {Press, upArrow, 0, 3},    {Wait, {}, 500, 2},
        {Wait, {}, 50, 1},             {Wait, {}, 50, 0},         {Wait, {}, 50, 0},     // stops at the top
        {Release, upArrow, 0, 0},
        {Press, lowTrack, 0, page},    {Wait, {}, 499, page},     {Wait, {}, 1, 2 * page},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        const auto& s = steps[i];
        switch (s.Act) {
        case Press: InjectMouseMove(s.At); InjectMouseButton(TMouseButton::mbLeft, true, s.At); break;
        case Move: InjectMouseMove(s.At); break;
        case Release: InjectMouseButton(TMouseButton::mbLeft, false, s.At); break;
        case Wait: now += uint64_t(s.Ms); break;
        }
        Pump();
        EXPECT_EQ(v->TopIndex(), s.Top);
    }
    // The page repeat stops once the thumb reaches the mouse, short of the end.
    auto tick = [&](int ATimes) {
        for (int k = 0; k < ATimes; ++k) {
            now += 50;
            Pump();
        }
    };
    tick(40);
    const int reached = v->TopIndex();
    EXPECT_GT(reached, 2 * page);
    EXPECT_LT(reached, 60 - page);
    tick(20);
    EXPECT_EQ(v->TopIndex(), reached);
    InjectMouseButton(TMouseButton::mbLeft, false, lowTrack);
    Pump();
    EXPECT_FALSE(v->ScrollBars().Repeating());
    SetWindowClockForTesting(nullptr);
}
