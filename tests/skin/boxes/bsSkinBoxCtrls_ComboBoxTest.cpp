// The skinned combo box on a headless form: the change events the preset
// lists rely on, keys and the incremental search, the drop-down by mouse and
// keys, the edit style with its completion, and the unskinned face.
#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"

#include "skin/boxes/BoxesTestSupport.h"

namespace {

using namespace skintest;
using skin::TbsSkinComboBox;

struct ComboBoxTest : TBoxesFixture {
    std::string Log;
    uint64_t Now = 10000;
    std::function<uint64_t()> SavedClock = skin::TbsSkinCustomComboBox::Clock;
    void SetUp() override
    {
        TBoxesFixture::SetUp();
        skin::TbsSkinCustomComboBox::Clock = [this] { return Now; };
    }
    void TearDown() override
    {
        skin::TbsSkinCustomComboBox::Clock = SavedClock;
        TBoxesFixture::TearDown();
    }
    TbsSkinComboBox* NewCombo(std::initializer_list<const char*> AItems)
    {
        auto* combo = Add(new TbsSkinComboBox(Form.get()), Rect(10, 10, 130, 30));
        combo->OnChange = [this, combo](TObject*) { Log += "H[" + combo->Text() + "]"; };
        combo->OnClick = [this, combo](TObject*) { Log += "C" + std::to_string(combo->ItemIndex()); };
        combo->OnDropDown = [this](TObject*) { Log += "D"; };
        combo->OnCloseUp = [this](TObject*) { Log += "U"; };
        for (const char* item : AItems)
            combo->Items()->Add(item);
        return combo;
    }
    void KeyTo(TControl* AControl, uint16_t AKey, bool AAlt = false)
    {
        AControl->Perform(AAlt ? WM_SYSKEYDOWN : WM_KEYDOWN, AKey, AAlt ? (1 << 29) : 0);
        Pump();
    }
    void CharTo(TControl* AControl, char16_t AChar)
    {
        AControl->Perform(WM_CHAR, AChar, 0);
        Pump();
    }
};

TEST_F(ComboBoxTest, ChangeFiresOnlyWhenTheShownTextChangesClickOnEverySet)
{
    auto* combo = NewCombo({"a", "b", "c"});
    ShowAndPaint();
    struct {
        std::function<void()> Step;
        std::string Expected;
        std::string Text;
    } const cases[] = {
        {[&] { combo->SetItemIndex(1); }, "H[b]C1", "b"},
        {[&] { combo->SetItemIndex(1); }, "C1", "b"},                  // the same text: no change
        {[&] { combo->SetItemIndex(-1); }, "C-1", "b"},                // the text stays
        {[&] { combo->Items()->Clear(); }, "", "b"},                   // Clear keeps the text
        {[&] { combo->Items()->Add("b"); }, "", "b"},
        {[&] { combo->SetItemIndex(0); }, "C0", "b"},                  // "b" again: no change
        {[&] { combo->Items()->Add("x"); combo->SetItemIndex(1); }, "H[x]C1", "x"},
        {[&] { combo->SetItemIndex(7); }, "C-1", "x"},                 // past the items: no selection, text kept
        {[&] { combo->SetText("free"); }, "H[free]", "free"},
    };
    for (const auto& c : cases) {
        Log.clear();
        c.Step();
        EXPECT_EQ(Log, c.Expected);
        EXPECT_EQ(combo->Text(), c.Text);
    }
    Log.clear();
    combo->SetLoading(true);
    combo->SetItemIndex(0);
    combo->SetLoading(false);
    EXPECT_EQ(Log, "H[b]");   // while loading only the text change is heard
}

TEST_F(ComboBoxTest, PageKeysMoveByTheDropDownCountAndArrowsStepThroughTheSetter)
{
    auto* combo = NewCombo({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"});
    ShowAndPaint();
    combo->SetItemIndex(10);
    KeyTo(combo, VK_PRIOR);
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->SetItemIndex(0);
    KeyTo(combo, VK_NEXT);
    EXPECT_EQ(combo->ItemIndex(), 7);
    Log.clear();
    KeyTo(combo, VK_UP);
    KeyTo(combo, VK_DOWN);
    EXPECT_EQ(Log, "H[6]C6H[7]C7");
    combo->SetItemIndex(0);
    Log.clear();
    KeyTo(combo, VK_UP);   // at the first item nothing happens
    EXPECT_EQ(Log, "");
}

TEST_F(ComboBoxTest, TypedLettersSearchAPrefixWithinTheSearchPause)
{
    auto* combo = NewCombo({"apple", "banana", "bbq", "berry", "bb"});
    ShowAndPaint();
    combo->SetItemIndex(0);
    CharTo(combo, u'b');
    EXPECT_EQ(combo->ItemIndex(), 1);   // one letter: on from the current item
    Now += 100;
    CharTo(combo, u'b');
    EXPECT_EQ(combo->ItemIndex(), 2);   // "bb" from the top
    Now += 600;
    CharTo(combo, u'b');
    EXPECT_EQ(combo->ItemIndex(), 3);   // a pause: "b" again, after the current item
    combo->AutoComplete = false;
    CharTo(combo, u'b');
    CharTo(combo, u'b');
    EXPECT_EQ(combo->ItemIndex(), 1);   // each letter alone cycles: 4, then round to 1
}

TEST_F(ComboBoxTest, DropDownChooseAndCancelByMouseAndKeys)
{
    auto* combo = NewCombo({"a", "b", "c"});
    ShowAndPaint();
    combo->SetItemIndex(0);
    Log.clear();
    Click(combo, 50, 10);
    ASSERT_TRUE(combo->IsPopupVisible());
    EXPECT_EQ(Log, "D");
    auto* inner = combo->ListBox()->ListBox;
    const TRect r = inner->ItemRect(2);
    Mouse(inner, 10, r.Top + 5);
    EXPECT_EQ(combo->ListBox()->ItemIndex(), 2);   // hot tracking, no events
    EXPECT_EQ(combo->OldItemIndex(), 0);
    Mouse(inner, 10, r.Top + 5, 1);
    Mouse(inner, 10, r.Top + 5, 0);
    EXPECT_FALSE(combo->IsPopupVisible());
    EXPECT_EQ(Log, "DH[c]C2U");

    Log.clear();
    KeyTo(combo, VK_DOWN, true);
    ASSERT_TRUE(combo->IsPopupVisible());
    combo->ListBox()->SetItemIndex(0);
    KeyTo(combo, VK_ESCAPE);
    EXPECT_EQ(combo->ItemIndex(), 2);   // restored
    EXPECT_EQ(Log, "DU");
    Log.clear();
    KeyTo(combo, VK_DOWN, true);
    combo->ListBox()->SetItemIndex(1);
    KeyTo(combo, VK_RETURN);
    EXPECT_EQ(Log, "DH[b]C1U");
}

// Enter and Escape pressed while the list is open close only the list; with
// the list closed they reach the dialog's default and cancel buttons.
TEST_F(ComboBoxTest, EnterAndEscapeCloseOnlyTheOpenListNotTheDialog)
{
    auto* combo = NewCombo({"a", "b", "c"});
    auto* ok = Add(new TButton(Form.get()), Rect(150, 10, 250, 40));
    auto* cancel = Add(new TButton(Form.get()), Rect(150, 50, 250, 80));
    ok->SetDefault(true);
    cancel->Cancel = true;
    std::string pressed;
    ok->OnClick = [&](TObject*) { pressed += "ok "; };
    cancel->OnClick = [&](TObject*) { pressed += "cancel "; };
    ShowAndPaint();
    combo->SetItemIndex(0);
    combo->SetFocus();
    const struct {
        bool Open;
        uint16_t Key;
        const char* Pressed;
    } steps[] = {{true, VK_ESCAPE, ""}, {false, VK_ESCAPE, "cancel "}, {true, VK_RETURN, ""}, {false, VK_RETURN, "ok "}};
    for (const auto& step : steps) {
        pressed.clear();
        if (step.Open)
            KeyTo(combo, VK_DOWN, true);
        ASSERT_EQ(combo->IsPopupVisible(), step.Open);
        InjectKey(step.Key, true);
        InjectKey(step.Key, false);
        Pump();
        EXPECT_FALSE(combo->IsPopupVisible()) << step.Key;
        EXPECT_EQ(pressed, step.Pressed) << step.Key << " " << step.Open;
    }
}

TEST_F(ComboBoxTest, TheListClosesOnAClickElsewhereAndWhenTheFormMoves)
{
    auto* combo = NewCombo({"a", "b"});
    auto* other = Add(new TButton(Form.get()), Rect(150, 10, 250, 40));
    ShowAndPaint();
    Click(combo, 50, 10);
    ASSERT_TRUE(combo->IsPopupVisible());
    Click(other, 10, 10);
    EXPECT_FALSE(combo->IsPopupVisible());
    Click(combo, 50, 10);
    ASSERT_TRUE(combo->IsPopupVisible());
    Form->SetBounds(120, 130, 300, 200);
    combo->Perform(WM_TIMER, 2);
    EXPECT_FALSE(combo->IsPopupVisible());
}

TEST_F(ComboBoxTest, ALongListGetsASkinnedScrollBarAndDragsBelowItScroll)
{
    auto* combo = NewCombo({});
    for (int i = 0; i < 30; ++i)
        combo->Items()->Add("item " + std::to_string(i));
    ShowAndPaint();
    combo->DropDown();
    auto* list = combo->ListBox();
    ASSERT_NE(list->ScrollBar, nullptr);
    EXPECT_EQ(list->Height(), list->CalcHeight(8));
    EXPECT_EQ(list->ScrollBar->Max(), 29);
    EXPECT_EQ(list->ScrollBar->PageSize(), 8);
    // A drag from the face down past the list scrolls on each timer tick.
    Mouse(combo, 50, 10);
    Mouse(combo, 50, 10, 1);   // closes the open list; open it again by dragging
    Mouse(combo, 50, 10, 0);
    Mouse(combo, 50, 10, 1);
    ASSERT_TRUE(combo->IsPopupVisible());
    Mouse(list->ListBox, 10, 30);
    Mouse(list->ListBox, 10, list->ListBox->Height() + 40);
    EXPECT_EQ(combo->TimerMode, 2);
    const int before = list->ItemIndex();
    combo->Perform(WM_TIMER, 1);
    combo->Perform(WM_TIMER, 1);
    EXPECT_EQ(list->ItemIndex(), before + 2);
    EXPECT_EQ(list->ScrollBar->Position(), list->TopIndex());
    Mouse(list->ListBox, 10, list->ListBox->Height() + 40, 0);
    EXPECT_FALSE(combo->IsPopupVisible());   // released outside: cancelled
    // Items that fit need no bar.
    combo->Items()->Clear();
    combo->Items()->Add("one");
    EXPECT_EQ(list->ScrollBar, nullptr);
}

TEST_F(ComboBoxTest, EditStyleTypesCompletesAndSteps)
{
    auto* combo = NewCombo({"Apple", "Avocado", "Banana"});
    combo->SetStyle(skin::bscbEditStyle);
    ShowAndPaint();
    ASSERT_NE(combo->Edit(), nullptr);
    EXPECT_FALSE(combo->TabStop());
    EXPECT_TRUE(combo->Edit()->TabStop());
    combo->SetItemIndex(0);
    EXPECT_EQ(combo->Edit()->Text(), "Apple");
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    combo->Edit()->SetText("A");
    EXPECT_EQ(combo->Text(), "A");
    EXPECT_EQ(changes, 1);
    // The release of a letter completes: one letter searches on from Apple.
    combo->Edit()->Perform(WM_KEYUP, 'A', 0);
    EXPECT_EQ(combo->Text(), "Avocado");
    EXPECT_EQ(combo->Edit()->SelStart(), 1);
    EXPECT_EQ(combo->Edit()->SelLength(), 6);
    // A second release within the pause does nothing.
    combo->Edit()->SetText("B");
    Now += 100;
    combo->Edit()->Perform(WM_KEYUP, 'B', 0);
    EXPECT_EQ(combo->Text(), "B");
    Now += 300;
    combo->Edit()->Perform(WM_KEYUP, 'B', 0);
    EXPECT_EQ(combo->Text(), "Banana");
    // Up and Down in the edit step through the items.
    Log.clear();
    combo->OnChange = [this, combo](TObject*) { Log += "H[" + combo->Text() + "]"; };
    combo->Edit()->Perform(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(Log, "H[Avocado]C1C1");
    Log.clear();
    combo->Edit()->Perform(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Log, "H[Banana]C2");
    combo->SetStyle(skin::bscbFixedStyle);
    EXPECT_EQ(combo->Edit(), nullptr);
}

TEST_F(ComboBoxTest, UnskinnedFaceButtonArrowAndItemArea)
{
    auto* combo = NewCombo({"a"});
    ShowAndPaint();
    EXPECT_EQ(combo->Button.R, Rect(101, 0, 120, 20));
    EXPECT_EQ(combo->CBItem.R, Rect(2, 2, 100, 18));
    EXPECT_EQ(PixelOf(combo, 0, 10), SysRgb(clBtnShadow));
    EXPECT_EQ(PixelOf(combo, 50, 10), SysRgb(clWindow));
    EXPECT_EQ(PixelOf(combo, 101, 10), SysRgb(clBtnShadow));
    bool arrow = false;
    for (int y = 5; y < 15; ++y)
        arrow = arrow || PixelOf(combo, 110, y) == 0;
    EXPECT_TRUE(arrow);
    combo->SetItemIndex(0);
    combo->SetFocus();
    EXPECT_EQ(PixelOf(combo, 90, 10), SysRgb(clHighlight));
    // PaintSkinTo keeps the text and fires nothing.
    Log.clear();
    TBitmap b;
    b.SetSize(120, 20);
    combo->PaintSkinTo(b.Canvas(), 0, 0, "other");
    EXPECT_EQ(combo->Text(), "a");
    EXPECT_EQ(Log, "");
}

// The list's caption strip is set through the combo: text, mode, alignment
// and font reach the drop-down list, and its check button accepts the item
// under the mouse as a release over the list would.
TEST_F(ComboBoxTest, TheListCaptionIsSetThroughTheComboAndItsCheckButtonAccepts)
{
    auto* combo = NewCombo({"a", "b", "c"});
    auto* list = combo->ListBox();
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(15);
    font.SetColor(clRed);
    combo->SetListBoxCaption("WW");
    combo->SetListBoxCaptionMode(true);
    combo->SetListBoxCaptionAlignment(taRightJustify);
    combo->SetListBoxDefaultCaptionFont(&font);
    font.SetColor(clBlue);   // the list keeps a copy
    EXPECT_EQ(list->Text(), "WW");
    EXPECT_EQ(combo->ListBoxCaption(), "WW");
    EXPECT_TRUE(list->CaptionMode());
    EXPECT_TRUE(combo->ListBoxCaptionMode());
    EXPECT_EQ(list->Alignment(), taRightJustify);
    EXPECT_EQ(combo->ListBoxCaptionAlignment(), taRightJustify);
    EXPECT_EQ(list->DefaultCaptionFont()->Color(), clRed);
    EXPECT_EQ(list->DefaultCaptionFont()->Height(), 15);
    EXPECT_EQ(combo->ListBoxDefaultCaptionFont(), list->DefaultCaptionFont());

    ShowAndPaint();
    combo->SetItemIndex(0);
    Log.clear();
    Click(combo, 50, 10);
    ASSERT_TRUE(combo->IsPopupVisible());
    EXPECT_EQ(list->Height(), list->CalcHeight(3));   // the strip adds to the rows
    EXPECT_EQ(list->Height(), 3 * 20 + 4 + 20);
    // The text sits right, before the three buttons (three 17-pixel buttons
    // from the right edge less 2): red pixels right of the middle only.
    const TPixelSurface* s = GetWindowSurface(list->Handle());
    ASSERT_NE(s, nullptr);
    auto redIn = [&](int ALeft, int ARight) {
        int n = 0;
        for (int y = 2; y < 18; ++y)
            for (int x = ALeft; x < ARight; ++x) {
                const uint32_t p = reinterpret_cast<const uint32_t*>(s->Row(y))[x];
                n += ((p >> 16) & 0xFF) > 150 && ((p >> 8) & 0xFF) < 90 && (p & 0xFF) < 90;
            }
        return n;
    };
    EXPECT_EQ(redIn(0, 30), 0);
    EXPECT_GT(redIn(30, list->Buttons[2].R.Left), 0);
    EXPECT_EQ(redIn(list->Buttons[2].R.Left, list->Width()), 0);
    combo->SetListBoxCaptionAlignment(taLeftJustify);
    Pump();
    EXPECT_GT(redIn(0, 30), 0);

    // Hover the last item, then press and release the check button.
    auto* inner = list->ListBox;
    Mouse(inner, 10, inner->ItemRect(2).Top + 5);
    EXPECT_EQ(list->ItemIndex(), 2);
    const TRect check = list->Buttons[2].R;
    Click(list, check.Left + 5, check.Top + 5);
    EXPECT_FALSE(combo->IsPopupVisible());
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(Log, "DH[c]C2U");
}

} // namespace
