// The office combo box on a headless form: the change events the catalogue
// relies on, the drop-down by mouse and keys, closing on a click elsewhere,
// on Escape and when the form moves, and the unskinned face.
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"

#include "skin/boxes/BoxesTestSupport.h"

#include "platform/ui/MessageLoop.h"

namespace {

using namespace skintest;
using skin::TbsSkinOfficeComboBox;

struct OfficeComboTest : TBoxesFixture {
    std::string Log;
    TbsSkinOfficeComboBox* NewCombo(int ACount)
    {
        auto* combo = Add(new TbsSkinOfficeComboBox(Form.get()), Rect(10, 10, 130, 51));
        combo->OnClick = [this, combo](TObject*) { Log += "C" + std::to_string(combo->ItemIndex()); };
        combo->OnChange = [this](TObject*) { Log += "H"; };
        combo->OnDropDown = [this](TObject*) { Log += "D"; };
        combo->OnCloseUp = [this](TObject*) { Log += "U"; };
        Fill(combo, ACount);
        return combo;
    }
    void Fill(TbsSkinOfficeComboBox* ACombo, int ACount)
    {
        for (int i = 0; i < ACount; ++i) {
            auto* item = ACombo->Items()->Add();
            item->SetCaption("item " + std::to_string(i));
            item->OnClick = [this, i](TObject*) { Log += "i" + std::to_string(i); };
        }
    }
    void KeyTo(TControl* AControl, uint16_t AKey, bool AAlt = false)
    {
        AControl->Perform(AAlt ? WM_SYSKEYDOWN : WM_KEYDOWN, AKey, AAlt ? (1 << 29) : 0);
        Pump();
    }
};

TEST_F(OfficeComboTest, EverySetOfTheIndexFiresClickThenChange)
{
    auto* combo = NewCombo(3);
    ShowAndPaint();
    struct {
        std::function<void()> Step;
        std::string Expected;
    } const cases[] = {
        {[&] { combo->SetItemIndex(1); }, "i1C1H"},
        {[&] { combo->SetItemIndex(1); }, "i1C1H"},           // the same index again
        {[&] { combo->SetItemIndex(-1); }, "C-1H"},           // no item: no item event
        {[&] { combo->Items()->Clear(); }, ""},               // the list keeps its index
        {[&] { Fill(combo, 15); }, ""},
        {[&] { combo->SetItemIndex(0); }, "i0C0H"},
        {[&] { EXPECT_THROW(combo->SetItemIndex(15), EListError); }, ""},
    };
    for (const auto& c : cases) {
        Log.clear();
        c.Step();
        EXPECT_EQ(Log, c.Expected);
    }
    combo->SetLoading(true);
    combo->SetItemIndex(2);
    combo->SetLoading(false);
    EXPECT_EQ(Log, "i2");   // the list is not loaded from the form: its item still hears
    EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(OfficeComboTest, KeysStepAndFireAtOnceAlsoWithoutAMove)
{
    auto* combo = NewCombo(3);
    ShowAndPaint();
    combo->SetItemIndex(0);
    Log.clear();
    KeyTo(combo, VK_UP);   // the first item: the events fire with the same index
    EXPECT_EQ(Log, "i0C0H");
    Log.clear();
    KeyTo(combo, VK_DOWN);
    EXPECT_EQ(Log, "i1i1C1H");
    Log.clear();
    KeyTo(combo, VK_DOWN, true);   // Alt+Down opens
    EXPECT_TRUE(combo->IsPopupVisible());
    EXPECT_EQ(Log, "D");
    KeyTo(combo, VK_DOWN);   // open: the step is stored as the one to restore
    KeyTo(combo, VK_ESCAPE);
    EXPECT_FALSE(combo->IsPopupVisible());
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(Log, "Di2i2C2Hi2");
}

TEST_F(OfficeComboTest, OpeningOnTheFirstItemFiresItemOneThenItemZero)
{
    auto* combo = NewCombo(3);
    ShowAndPaint();
    combo->SetItemIndex(0);
    Log.clear();
    combo->DropDown();
    EXPECT_EQ(Log, "Di1i0");
    // Right edges lined up, just below the combo; DropDownCount 7 of 3 items.
    const TPoint below = combo->ClientToScreen(Point(0, combo->Height()));
    EXPECT_EQ(combo->ListBox()->BoundsRect(), Bounds(below.X, below.Y, 120, 3 * 30 + 5));
    combo->CloseUp(false);
}

TEST_F(OfficeComboTest, PressDragAndReleaseOverAnItemChoosesIt)
{
    auto* combo = NewCombo(3);
    ShowAndPaint();
    combo->SetItemIndex(0);
    Log.clear();
    Mouse(combo, 60, 20);
    Mouse(combo, 60, 20, 1);
    ASSERT_TRUE(combo->IsPopupVisible());
    auto* list = combo->ListBox();
    // Dragged into the list over item 2 (rows of 30 from 2).
    Mouse(list, 50, 75);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(combo->OldItemIndex(), 0);   // the face keeps the item of the opening
    Mouse(list, 50, 75, 0);
    EXPECT_FALSE(combo->IsPopupVisible());
    EXPECT_EQ(Log, "Di1i0C2HU");
    EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(OfficeComboTest, ReleaseOutsideTheListCancelsAndRestores)
{
    auto* combo = NewCombo(3);
    ShowAndPaint();
    combo->SetItemIndex(1);
    Log.clear();
    Mouse(combo, 60, 20);
    Mouse(combo, 60, 20, 1);
    auto* list = combo->ListBox();
    Mouse(list, 50, 75);
    Mouse(combo, 200, 20);
    Mouse(combo, 200, 20, 0);
    EXPECT_FALSE(combo->IsPopupVisible());
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(Log, "Di1");   // restored with the item's event; no combo events
}

TEST_F(OfficeComboTest, ClickOpensReleaseKeepsOpenClickInTheListChooses)
{
    auto* combo = NewCombo(3);
    ShowAndPaint();
    Click(combo, 60, 20);
    ASSERT_TRUE(combo->IsPopupVisible());
    auto* list = combo->ListBox();
    Click(list, 50, 45);
    EXPECT_FALSE(combo->IsPopupVisible());
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(Log, "DC1HU");
    // A second click on the face closes without accepting.
    Click(combo, 60, 20);
    Click(combo, 60, 20);
    EXPECT_FALSE(combo->IsPopupVisible());
    EXPECT_EQ(Log, "DC1HUDi1");
}

TEST_F(OfficeComboTest, TheListClosesOnAClickElsewhereAndWhenTheFormMoves)
{
    auto* combo = NewCombo(3);
    auto* other = Add(new TButton(Form.get()), Rect(150, 10, 250, 40));
    ShowAndPaint();
    Click(combo, 60, 20);
    ASSERT_TRUE(combo->IsPopupVisible());
    Click(other, 10, 10);
    EXPECT_FALSE(combo->IsPopupVisible());

    Click(combo, 60, 20);
    ASSERT_TRUE(combo->IsPopupVisible());
    Form->SetBounds(150, 150, 300, 200);
    combo->Perform(WM_TIMER, 2);
    EXPECT_FALSE(combo->IsPopupVisible());
}

TEST_F(OfficeComboTest, WheelTowardTheUserSelectsThePreviousItem)
{
    auto* combo = NewCombo(3);
    ShowAndPaint();
    combo->SetItemIndex(1);
    Log.clear();
    combo->Perform(WM_MOUSEWHEEL, MAKELPARAM(0, uint16_t(-120)), 0);
    EXPECT_EQ(combo->ItemIndex(), 0);
    combo->Perform(WM_MOUSEWHEEL, MAKELPARAM(0, 120), 0);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(Log, "i0i0C0Hi1i1C1H");
}

TEST_F(OfficeComboTest, UnskinnedFaceLayoutAndColours)
{
    auto* combo = NewCombo(2);
    combo->SetDefaultColor(clWindow);
    ShowAndPaint();
    EXPECT_EQ(combo->Button.R, Rect(101, 0, 120, 41));
    EXPECT_EQ(combo->CBItem.R, Rect(2, 2, 100, 39));
    EXPECT_EQ(PixelOf(combo, 0, 20), SysRgb(clBtnShadow));
    EXPECT_EQ(PixelOf(combo, 1, 20), SysRgb(clWindow));
    EXPECT_EQ(PixelOf(combo, 101, 20), SysRgb(clBtnShadow));   // the button's frame
    EXPECT_EQ(PixelOf(combo, 104, 5), SysRgb(clBtnFace));
    // The arrow: black rows in the middle of the button.
    bool arrow = false;
    for (int y = 15; y < 26; ++y)
        arrow = arrow || PixelOf(combo, 110, y) == 0;
    EXPECT_TRUE(arrow);
    // PaintSkinTo leaves the text as it was.
    combo->SetText("kept");
    TBitmap b;
    b.SetSize(120, 41);
    combo->PaintSkinTo(b.Canvas(), 0, 0, "other");
    EXPECT_EQ(combo->Text(), "kept");
}

} // namespace
