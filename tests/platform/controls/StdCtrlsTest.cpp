#include "ControlsTestSupport.h"

#include "platform/controls/ComCtrls.h"
#include "platform/controls/StdCtrls.h"

using namespace platform;
using namespace ctltest;

namespace {

void Type(const std::string& AText)
{
    InjectText(AText);
    Pump();
}

void Key(int AKey, const std::string& AText = std::string())
{
    InjectKey(AKey, true, AText);
    InjectKey(AKey, false);
    Pump();
}

void WithKey(int AModifier, int AKey, const std::string& AText = std::string())
{
    InjectKey(AModifier, true);
    Key(AKey, AText);
    InjectKey(AModifier, false);
    Pump();
}

void Click(TPoint P)
{
    InjectMouseButton(TMouseButton::mbLeft, true, P);
    InjectMouseButton(TMouseButton::mbLeft, false, P);
    Pump();
}

struct TEditFixture : ::testing::Test {
    std::unique_ptr<TForm> Form{MakeForm(300, 200, 0, 0)};
    TEdit* Edit = nullptr;
    int Changes = 0;
    void SetUp() override
    {
        Edit = new TEdit(Form.get());
        Edit->SetBounds(10, 10, 200, 22);
        Edit->SetParent(Form.get());
        Edit->OnChange = [this](TObject*) { ++Changes; };
        Form->Show();
        Pump();
        ASSERT_TRUE(Edit->Focused());
        SetClipboardText("");
    }
};

} // namespace

TEST_F(TEditFixture, TypingInsertsAtTheCaretAndReplacesTheSelection)
{
    Type("abc");
    EXPECT_EQ(Edit->Text(), "abc");
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(Edit->CaretPos(), 3);
    WithKey(VK_SHIFT, VK_LEFT);
    WithKey(VK_SHIFT, VK_LEFT);
    EXPECT_EQ(Edit->SelText(), "bc");
    Type("X");
    EXPECT_EQ(Edit->Text(), "aX");
    Key(VK_HOME);
    Type("中文");
    EXPECT_EQ(Edit->Text(), "中文aX");
    Key(VK_BACK, "\b");
    EXPECT_EQ(Edit->Text(), "中aX");
    Key(VK_DELETE);
    EXPECT_EQ(Edit->Text(), "中X");
    EXPECT_TRUE(Edit->Modified);
}

TEST_F(TEditFixture, CaretNeverSplitsASurrogatePair)
{
    Type("a😀b");
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(Edit->CaretPos(), 1);
    WithKey(VK_SHIFT, VK_RIGHT);
    EXPECT_EQ(Edit->SelText(), "😀");
    Key(VK_DELETE);
    EXPECT_EQ(Edit->Text(), "ab");
}

TEST_F(TEditFixture, ClipboardAndUndo)
{
    Type("hello world");
    WithKey(VK_CONTROL, 'A', "\x01");
    WithKey(VK_CONTROL, 'C', "\x03");
    EXPECT_EQ(GetClipboardText(), "hello world");
    WithKey(VK_CONTROL, VK_LEFT);   // word back from the end
    EXPECT_EQ(Edit->CaretPos(), 6);
    WithKey(VK_CONTROL, 'X', "\x18");   // nothing selected: nothing cut
    EXPECT_EQ(Edit->Text(), "hello world");
    Edit->SetSelStart(0);
    Edit->SetSelLength(5);
    WithKey(VK_CONTROL, 'X', "\x18");
    EXPECT_EQ(GetClipboardText(), "hello");
    EXPECT_EQ(Edit->Text(), " world");
    Key(VK_END);
    WithKey(VK_CONTROL, 'V', "\x16");
    EXPECT_EQ(Edit->Text(), " worldhello");
    WithKey(VK_CONTROL, 'Z', "\x1a");
    EXPECT_EQ(Edit->Text(), " world");
    SetClipboardText("one\r\ntwo");
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->Text(), " worldone");   // a single line takes the first line
}

TEST_F(TEditFixture, LimitsReadOnlyCaseAndPasswords)
{
    Edit->SetMaxLength(4);
    Type("abcdef");
    EXPECT_EQ(Edit->Text(), "abcd");
    Edit->SetMaxLength(0);
    Edit->ReadOnly = true;
    Type("x");
    Key(VK_BACK, "\b");
    EXPECT_EQ(Edit->Text(), "abcd");
    Edit->ReadOnly = false;
    Edit->CharCase = ecUpperCase;
    Type("z");
    EXPECT_EQ(Edit->Text(), "abcdZ");
    Edit->PasswordChar = u'*';
    Edit->SelectAll();
    Edit->CopyToClipboard();
    EXPECT_EQ(GetClipboardText(), "");   // a password is never copied
}

TEST_F(TEditFixture, MessagesOfTheEditControl)
{
    Edit->SetText("0123456789");
    EXPECT_EQ(Changes, 1);
    SendMessage(Edit->Handle(), EM_SETSEL, 2, 5);
    uint32_t start = 0, end = 0;
    SendMessage(Edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 5u);
    SendMessage(Edit->Handle(), EM_REPLACESEL, 1, reinterpret_cast<LPARAM>("--"));
    EXPECT_EQ(Edit->Text(), "01--56789");
    EXPECT_EQ(SendMessage(Edit->Handle(), EM_CANUNDO), 1);
    SendMessage(Edit->Handle(), WM_UNDO);
    EXPECT_EQ(Edit->Text(), "0123456789");
    SetWindowText(Edit->Handle(), "set");
    EXPECT_EQ(Edit->Text(), "set");
    EXPECT_EQ(GetWindowText(Edit->Handle()), "set");
}

TEST_F(TEditFixture, MouseSelectsAndDoubleClickTakesAWord)
{
    Edit->SetText("alpha beta");
    TPoint origin = Edit->ClientToScreen(Point(0, 10));
    Click(Point(origin.X + 1, origin.Y));
    EXPECT_EQ(Edit->CaretPos(), 0);
    // Five pixels lower, so the press is no double click.
    InjectMouseButton(TMouseButton::mbLeft, true, Point(origin.X + 1, origin.Y + 5));
    InjectMouseMove(Point(origin.X + 190, origin.Y));
    InjectMouseButton(TMouseButton::mbLeft, false, Point(origin.X + 190, origin.Y));
    Pump();
    EXPECT_EQ(Edit->SelText(), "alpha beta");
    InjectMouseMove(Point(origin.X + 150, origin.Y + 100));
    Pump();
    TPoint inBeta = Point(origin.X + 2 + Edit->Canvas()->TextWidth("alpha b"), origin.Y);
    InjectMouseButton(TMouseButton::mbLeft, true, inBeta);
    InjectMouseButton(TMouseButton::mbLeft, false, inBeta);
    InjectMouseButton(TMouseButton::mbLeft, true, inBeta);
    InjectMouseButton(TMouseButton::mbLeft, false, inBeta);
    Pump();
    EXPECT_EQ(Edit->SelText(), "beta");
}

TEST_F(TEditFixture, SelectionIsPaintedWhileFocused)
{
    Edit->SetText("MMMM");
    Edit->SelectAll();
    Pump();
    TPoint p = Edit->ClientToScreen(Point(4, 11));
    TRect form;
    GetWindowRect(Form->Handle(), form);
    COLORREF hl = ColorToRGB(clHighlight);
    uint32_t want = (uint32_t(GetRValue(hl)) << 16) | (uint32_t(GetGValue(hl)) << 8) | GetBValue(hl);
    bool found = false;
    for (int dx = 0; dx < 20 && !found; ++dx)
        found = Pixel(Form.get(), p.X - form.Left + dx, p.Y - form.Top) == want;
    EXPECT_TRUE(found);
}

TEST(StdCtrls, ButtonsClickByMouseKeysAndDialogKeys)
{
    std::unique_ptr<TForm> form(MakeForm(300, 200, 0, 0));
    auto* ok = new TButton(form.get());
    ok->SetBounds(10, 10, 75, 25);
    ok->SetCaption("&OK");
    ok->SetDefault(true);
    ok->SetParent(form.get());
    auto* cancel = new TButton(form.get());
    cancel->SetBounds(100, 10, 75, 25);
    cancel->Cancel = true;
    cancel->SetParent(form.get());
    auto* edit = new TEdit(form.get());
    edit->SetBounds(10, 50, 100, 21);
    edit->SetParent(form.get());
    std::vector<std::string> clicks;
    ok->OnClick = [&](TObject*) { clicks.push_back("ok"); };
    cancel->OnClick = [&](TObject*) { clicks.push_back("cancel"); };
    form->Show();
    Pump();
    edit->SetFocus();
    Key(VK_RETURN, "\r");
    Key(VK_ESCAPE, "\x1b");
    Click(Point(20, 20));
    EXPECT_TRUE(ok->Focused());
    Key(VK_SPACE, " ");
    InjectKey(VK_MENU, true);
    Key('O', "o");
    InjectKey(VK_MENU, false);
    Pump();
    // Pressed, dragged off and released outside: no click.
    InjectMouseButton(TMouseButton::mbLeft, true, Point(110, 20));
    InjectMouseMove(Point(250, 150));
    Pump();
    EXPECT_FALSE(cancel->Pressed());
    InjectMouseButton(TMouseButton::mbLeft, false, Point(250, 150));
    Pump();
    EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "cancel", "ok", "ok", "ok"}));
}

TEST(StdCtrls, ModalResultOfAButtonEndsAModalForm)
{
    std::unique_ptr<TForm> dialog(MakeForm(200, 100, 0, 0));
    auto* b = new TButton(dialog.get());
    b->ModalResult = mrYes;
    b->SetParent(dialog.get());
    dialog->OnShow = [&](TObject*) { PostMessage(b->Handle(), WM_KEYDOWN, VK_SPACE), PostMessage(b->Handle(), WM_KEYUP, VK_SPACE); };
    EXPECT_EQ(dialog->ShowModal(), mrYes);
}

TEST(StdCtrls, CheckBoxesAndRadioButtons)
{
    std::unique_ptr<TForm> form(MakeForm(300, 200, 0, 0));
    auto* check = new TCheckBox(form.get());
    check->SetBounds(10, 10, 100, 17);
    check->SetParent(form.get());
    int clicks = 0;
    check->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    Pump();
    Click(Point(15, 18));
    EXPECT_TRUE(check->Checked());
    check->AllowGrayed = true;
    Click(Point(15, 18));
    EXPECT_EQ(check->State(), cbUnchecked);
    Click(Point(15, 18));
    EXPECT_EQ(check->State(), cbGrayed);
    check->SetChecked(true);   // from the program: a click too
    EXPECT_EQ(clicks, 4);
    auto* r1 = new TRadioButton(form.get());
    auto* r2 = new TRadioButton(form.get());
    r1->SetParent(form.get());
    r2->SetParent(form.get());
    r1->SetChecked(true);
    r2->SetChecked(true);
    EXPECT_FALSE(r1->Checked());
    EXPECT_TRUE(r2->Checked());
}

TEST(StdCtrls, LabelsSizeThemselvesAndFocusTheirControl)
{
    std::unique_ptr<TForm> form(MakeForm(300, 200, 0, 0));
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetCaption("&Name:");
    int w1 = label->Width();
    label->SetCaption("&Name: a longer text");
    EXPECT_GT(label->Width(), w1);
    EXPECT_GT(label->Height(), 0);
    auto* edit = new TEdit(form.get());
    edit->SetBounds(10, 50, 100, 21);
    edit->SetParent(form.get());
    auto* other = new TEdit(form.get());
    other->SetBounds(10, 80, 100, 21);
    other->SetParent(form.get());
    label->FocusControl = other;
    form->Show();
    Pump();
    ASSERT_TRUE(edit->Focused());
    InjectKey(VK_MENU, true);
    Key('N', "n");
    InjectKey(VK_MENU, false);
    Pump();
    EXPECT_TRUE(other->Focused());
}

TEST(StdCtrls, ListBoxesHoldItemsAndMoveWithKeys)
{
    std::unique_ptr<TForm> form(MakeForm(300, 200, 0, 0));
    auto* list = new TListBox(form.get());
    list->SetBounds(10, 10, 100, 64);
    list->SetParent(form.get());
    for (const char* s : {"apple", "banana", "cherry", "date", "elder", "fig"})
        list->Items()->Add(s);
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    Pump();
    list->SetItemIndex(1);
    EXPECT_EQ(clicks, 0);   // code does not click
    Key(VK_DOWN);
    Key(VK_END);
    EXPECT_EQ(list->ItemIndex(), 5);
    EXPECT_EQ(list->TopIndex(), 2);   // four rows show
    Type("b");
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(clicks, 3);
    Click(list->ClientToScreen(Point(5, 20)));   // the second visible row
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(SendMessage(list->Handle(), LB_GETCOUNT), 6);
    EXPECT_EQ(SendMessage(list->Handle(), LB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>("da")), 3);
    SendMessage(list->Handle(), LB_DELETESTRING, 0);
    EXPECT_EQ(list->Items()->Strings(0), "banana");
    list->Items()->Clear();
    EXPECT_EQ(list->ItemIndex(), -1);
}

TEST(StdCtrls, ListBoxColumnsRunDownThenAcrossAndScrollByWholeColumns)
{
    std::unique_ptr<TForm> form(MakeForm(300, 200, 0, 0));
    auto* list = new TListBox(form.get());
    list->SetBounds(10, 10, 100, 64);   // 4 rows of 16, two columns of 50
    list->SetParent(form.get());
    for (int i = 0; i < 13; ++i)
        list->Items()->Add("item " + std::to_string(i));
    list->SetColumns(2);
    form->Show();
    Pump();
    EXPECT_EQ(list->RowsPerColumn(), 4);
    struct { int Item; TRect R; } rects[] = {
        {0, Rect(0, 0, 50, 16)}, {3, Rect(0, 48, 50, 64)}, {4, Rect(50, 0, 100, 16)}, {7, Rect(50, 48, 100, 64)},
        {8, Rect(100, 0, 150, 16)},
    };
    for (const auto& r : rects)
        EXPECT_EQ(list->ItemRect(r.Item), r.R) << r.Item;
    struct { TPoint P; int Item; } hits[] = {{Point(10, 20), 1}, {Point(60, 50), 7}, {Point(60, 70), -1}};
    for (const auto& h : hits)
        EXPECT_EQ(list->ItemAtPos(h.P, true), h.Item) << h.P.X << "," << h.P.Y;
    // The top is always a column's first item; the last column may be the
    // only one left of the end.
    struct { int Asked, Top; } tops[] = {{5, 4}, {3, 0}, {12, 8}, {40, 8}};
    for (const auto& t : tops) {
        list->SetTopIndex(t.Asked);
        EXPECT_EQ(list->TopIndex(), t.Top) << t.Asked;
    }
    EXPECT_EQ(list->ItemRect(4), Rect(-50, 0, 0, 16));   // a column left of the top
    list->SetTopIndex(0);
    // Right goes to the same row of the next column and brings it into view.
    list->SetItemIndex(1);
    list->SetFocus();
    struct { int Key, Index, Top; } keys[] = {{VK_RIGHT, 5, 0}, {VK_RIGHT, 9, 4}, {VK_LEFT, 5, 4}, {VK_DOWN, 6, 4}};
    for (const auto& k : keys) {
        Key(k.Key);
        EXPECT_EQ(list->ItemIndex(), k.Index);
        EXPECT_EQ(list->TopIndex(), k.Top);
    }
    Click(list->ClientToScreen(Point(75, 8)));   // the first row of the right column shown
    EXPECT_EQ(list->ItemIndex(), 8);
}

TEST(StdCtrls, ComboBoxesDropDownAndTellTheUsersChoice)
{
    std::unique_ptr<TForm> form(MakeForm(300, 200, 0, 0));
    auto* combo = new TComboBox(form.get());
    combo->SetStyle(csDropDownList);
    combo->SetBounds(10, 10, 120, 21);
    combo->SetParent(form.get());
    for (const char* s : {"MP3", "WMA", "WAV"})
        combo->Items()->Add(s);
    std::vector<std::string> changes;
    combo->OnChange = [&](TObject*) { changes.push_back(combo->Text()); };
    form->Show();
    Pump();
    combo->SetItemIndex(0);
    EXPECT_TRUE(changes.empty());
    Click(Point(120, 20));   // the arrow
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_EQ(GetActiveWindow(), form->Handle());   // the list never takes the activation
    Click(Point(20, 31 + 16 + 8));   // the second row of the list
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 1);
    Key(VK_DOWN);
    EXPECT_EQ(changes, (std::vector<std::string>{"WMA", "WAV"}));
    Click(Point(120, 20));
    Click(Point(250, 180));   // outside: closes without a choice
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->SetStyle(csDropDown);
    combo->SetText("Custom");
    EXPECT_EQ(combo->Text(), "Custom");
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST(StdCtrls, ProgressBarAndMemo)
{
    std::unique_ptr<TForm> form(MakeForm(300, 200, 0, 0));
    auto* bar = new TProgressBar(form.get());
    bar->SetBounds(10, 10, 100, 16);
    bar->Smooth = true;
    bar->SetParent(form.get());
    bar->SetPosition(150);
    EXPECT_EQ(bar->Position(), 100);
    bar->SetPosition(50);
    auto* memo = new TMemo(form.get());
    memo->SetBounds(10, 40, 200, 100);
    memo->SetParent(form.get());
    memo->Lines()->Add("#1.32: first");
    memo->Lines()->Add("second");
    EXPECT_EQ(memo->Text(), "#1.32: first\r\nsecond\r\n");
    form->Show();
    Pump();
    COLORREF hl = ColorToRGB(clHighlight);
    uint32_t want = (uint32_t(GetRValue(hl)) << 16) | (uint32_t(GetGValue(hl)) << 8) | GetBValue(hl);
    EXPECT_EQ(Pixel(form.get(), 20, 18), want);
    EXPECT_NE(Pixel(form.get(), 100, 18), want);
}

TEST(StdCtrls, TrackBarFollowsKeysMouseAndCode)
{
    std::unique_ptr<TForm> form(MakeForm(300, 200, 0, 0));
    auto* bar = new TTrackBar(form.get());
    bar->SetBounds(10, 10, 141, 30); // 128 pixels of travel
    bar->SetRange(0, 128);
    bar->SetParent(form.get());
    std::vector<int> changes;
    bar->OnChange = [&](TObject*) { changes.push_back(bar->Position()); };
    form->Show();
    Pump();
    const auto click = [&](int X) { bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, LPARAM((15 << 16) | X)), bar->Perform(WM_LBUTTONUP, 0, LPARAM((15 << 16) | X)); };
    const auto key = [&](uint16_t K) { bar->Perform(WM_KEYDOWN, K, 0); };
    const struct {
        std::function<void()> Act;
        int Position;
    } steps[] = {
        {[&] { bar->SetPosition(200); }, 128}, {[&] { key(VK_RIGHT); }, 128}, {[&] { key(VK_LEFT); }, 127},
        {[&] { key(VK_PRIOR); }, 125},         {[&] { key(VK_HOME); }, 0},    {[&] { key(VK_UP); }, 0},
        {[&] { key(VK_NEXT); }, 2},            {[&] { key(VK_END); }, 128},   {[&] { click(6 + 64); }, 64},
        {[&] { click(0); }, 0},                {[&] { bar->SetMax(40); }, 0}, {[&] { bar->SetPosition(-3); }, 0},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        steps[i].Act();
        EXPECT_EQ(bar->Position(), steps[i].Position) << "step " << i;
    }
    // One change per move, none for a key or click that leaves it in place.
    EXPECT_EQ(changes, (std::vector<int>{128, 127, 125, 0, 2, 128, 64, 0}));
    // A shrinking range pulls the thumb in and reports it.
    bar->SetPosition(40);
    bar->SetMax(20);
    EXPECT_EQ(bar->Position(), 20);
    EXPECT_EQ(changes.back(), 20);
    // The thumb is drawn where its rectangle says: at the far right now.
    Pump();
    const TRect thumb = bar->ThumbRect();
    EXPECT_EQ(thumb.Left, 129);
    const auto rgb = [](TColor AColor) {
        const COLORREF c = ColorToRGB(AColor);
        return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
    };
    EXPECT_EQ(Pixel(form.get(), 10 + thumb.Left, 10 + 8), rgb(clBtnHighlight));
    EXPECT_EQ(Pixel(form.get(), 10 + thumb.Right - 1, 10 + 8), rgb(clBtnShadow));
    EXPECT_EQ(Pixel(form.get(), 10 + 60, 10 + 8), rgb(clBtnFace));
}
