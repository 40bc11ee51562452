// The edit base and the number edit on a headless form: dialog keys, the
// transparent background, read-only typing and the number key filter.
#include "skin/boxes/bsSkinBoxes_Edit.h"

#include "skin/controls/SkinControlsTestSupport.h"

#include "platform/core/FormatSettings.h"
#include "platform/ui/HeadlessBackend.h"

namespace {

using namespace skintest;
using skin::TbsCustomEdit;
using skin::TbsSkinNumEdit;

class TDialogKeyForm : public TSkinTestForm {
public:
    void CMDialogKey(TMessage& M) override
    {
        Keys.push_back(int(M.WParam));
        TSkinTestForm::CMDialogKey(M);
    }
    std::vector<int> Keys;
};

struct EditTest : TSkinFixture {
    TDialogKeyForm* KeyForm = nullptr;
    void SetUp() override
    {
        auto form = std::make_unique<TDialogKeyForm>();
        KeyForm = form.get();
        Form = std::move(form);
        TSkinFixture::SetUp();
    }
    void Type(const std::string& AText)
    {
        InjectText(AText);
        Pump();
    }
    // A key with the character it types, if any.
    void Press(int AKey, const std::string& AText = std::string())
    {
        InjectKey(AKey, true, AText);
        InjectKey(AKey, false);
        Pump();
    }
    static int Beeps() { return dynamic_cast<THeadlessBackend&>(Backend()).Beeps(); }
};

TEST_F(EditTest, EnterAndEscapeGoToTheFormAfterOnKeyPressSawACopy)
{
    auto* edit = Add(new TbsCustomEdit(Form.get()), Rect(10, 10, 110, 30));
    std::vector<int> seen;
    edit->OnKeyPress = [&](TObject*, char16_t& AKey) {
        seen.push_back(AKey);
        AKey = 0;   // cannot suppress the key
    };
    ShowAndPaint();
    edit->SetFocus();
    Type("ab");
    Press(VK_RETURN, "\r");
    Press(VK_ESCAPE, "\x1b");
    EXPECT_EQ(seen, (std::vector<int>{'a', 'b', 13, 27}));
    EXPECT_EQ(KeyForm->Keys, (std::vector<int>{13, 27}));
    EXPECT_EQ(edit->GetText(), "");   // the handler ate a and b; no line break went in
}

TEST_F(EditTest, ReadOnlyTypingDoesNothingButCopyWorks)
{
    auto* edit = Add(new TbsCustomEdit(Form.get()), Rect(10, 10, 110, 30));
    edit->SetText("abc");
    edit->ReadOnly = true;
    ShowAndPaint();
    edit->SetFocus();
    edit->SelectAll();
    Type("x");
    Press(VK_BACK, "\b");
    Press(VK_DELETE);
    edit->Perform(WM_CUT);
    edit->Perform(WM_CLEAR);
    EXPECT_EQ(edit->GetText(), "abc");
    edit->Perform(WM_COPY);
    EXPECT_EQ(GetClipboardText(), "abc");
    // A read-only edit keeps the normal window colour.
    EXPECT_EQ(PixelOf(edit, 90, 10), Rgb(255, 255, 255));
}

TEST_F(EditTest, TransparentEditShowsTheFormUnderItsText)
{
    auto* plain = Add(new TbsCustomEdit(Form.get()), Rect(10, 10, 110, 30));
    auto* clear = Add(new TbsCustomEdit(Form.get()), Rect(10, 40, 110, 60));
    clear->SetEditTransparent(true);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(plain, 50, 10), Rgb(255, 255, 255));
    EXPECT_EQ(PixelOf(clear, 50, 10), Background);
    EXPECT_EQ(PixelOf(clear, 0, 0), Background);
}

TEST_F(EditTest, AnEditMaskShapesWhatIsTypedAndTheTextReadBack)
{
    auto* edit = Add(new TbsCustomEdit(Form.get()), Rect(10, 10, 130, 31));
    edit->SetEditMask("00:00;0;_");
    ShowAndPaint();
    edit->SetFocus();
    edit->SetSelStart(0);
    Type("1a23");   // the letter is refused
    EXPECT_EQ(edit->EditText(), "12:3_");
    EXPECT_EQ(edit->Text(), "123 ");
    Press(VK_RETURN);   // still a dialog key, the text unchanged
    EXPECT_EQ(edit->EditText(), "12:3_");
}

TEST_F(EditTest, CancelModeNamesItsSender)
{
    auto* edit = Add(new TbsCustomEdit(Form.get()), Rect(10, 10, 110, 30));
    TControl* sender = nullptr;
    edit->OnEditCancelMode = [&](TControl* C) { sender = C; };
    edit->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Form.get()));
    EXPECT_EQ(sender, Form.get());
}

struct TNumCase {
    bool Float;
    bool EditorEnabled;
    const char* Text;
    int SelStart, SelLength;
    char16_t Key;
    bool Valid;
};

TEST_F(EditTest, NumberKeyFilter)
{
    const TNumCase cases[] = {
        {false, true, "", 0, 0, u'5', true},
        {false, true, "", 0, 0, u'a', false},
        {false, true, "", 0, 0, u'.', false},
        {false, true, "", 0, 0, 13, false},
        {false, true, "", 0, 0, 8, true},
        {false, true, "", 0, 0, 3, true},
        {false, true, "12", 2, 0, u'-', false},   // after a digit
        {false, true, "-12", 0, 0, u'-', false},  // a second minus at the start
        {false, true, "12", 0, 0, u'-', true},
        {false, true, "-12", 0, 2, u'-', true},   // replaces the selected start
        {true, true, "1", 1, 0, u'.', true},
        {true, true, "1.5", 3, 0, u'.', false},   // a second point
        {true, true, "1", 1, 0, u',', false},
        {true, true, "1", 1, 0, u'\u012E', false}, // low byte is '.', but above #255
        {false, false, "1", 1, 0, u'5', false},
        {false, false, "1", 1, 0, 8, false},
        {false, false, "1", 1, 0, 3, true},
        {false, false, "1", 0, 1, u'-', true},
        {false, false, "1", 0, 0, u'-', false},
    };
    auto* edit = Add(new TbsSkinNumEdit(Form.get()), Rect(10, 10, 110, 30));
    for (const TNumCase& c : cases) {
        edit->Float = c.Float;
        edit->EditorEnabled = c.EditorEnabled;
        edit->SetText(c.Text);
        edit->SetSelStart(c.SelStart);
        edit->SetSelLength(c.SelLength);
        EXPECT_EQ(edit->IsValidChar(c.Key), c.Valid) << c.Text << " key " << int(c.Key);
    }
}

TEST_F(EditTest, NumberEditRefusesTypedKeysWithABeep)
{
    auto* edit = Add(new TbsSkinNumEdit(Form.get()), Rect(10, 10, 110, 30));
    edit->Float = true;
    ShowAndPaint();
    edit->SetFocus();
    const int beeps = Beeps();
    Type("1a2.3.4-");
    EXPECT_EQ(edit->GetText(), "12.34");
    EXPECT_EQ(Beeps(), beeps + 3);
    edit->SelectAll();
    Type("-");
    EXPECT_EQ(edit->GetText(), "-");
}

TEST_F(EditTest, NumberEditArrowsAndWheelStep)
{
    auto* edit = Add(new TbsSkinNumEdit(Form.get()), Rect(10, 10, 110, 30));
    std::string steps;
    edit->OnUpClick = [&](TObject*) { steps += "u"; };
    edit->OnDownClick = [&](TObject*) { steps += "d"; };
    int keyDowns = 0;
    edit->OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { ++keyDowns; };
    ShowAndPaint();
    edit->SetFocus();
    Press(VK_UP);
    Press(VK_DOWN);
    EXPECT_EQ(keyDowns, 0);
    InjectMouseWheel(WHEEL_DELTA, edit->ClientToScreen(Point(5, 5)));
    InjectMouseWheel(-WHEEL_DELTA, edit->ClientToScreen(Point(5, 5)));
    Pump();
    EXPECT_EQ(steps, "uddu");
}

} // namespace

namespace {

std::vector<std::pair<std::string, bool>> MenuState(TPopupMenu* AMenu)
{
    std::vector<std::pair<std::string, bool>> state;
    for (int i = 0; i < AMenu->Items()->Count(); ++i)
        state.emplace_back(AMenu->Items()->Items(i)->Caption, AMenu->Items()->Items(i)->Enabled);
    return state;
}

TEST_F(EditTest, ContextMenuOffersWhatTheSelectionAllows)
{
    TPopupMenu* shown = nullptr;
    TPoint at;
    SetPopupMenuPresenter([&](TPopupMenu* AMenu, int X, int Y) {
        shown = AMenu;
        at = Point(X, Y);
    });
    auto* edit = Add(new TbsCustomEdit(Form.get()), Rect(10, 10, 110, 30));
    ShowAndPaint();
    SetClipboardText("");
    edit->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(0xFFFF, 0xFFFF));   // from the keyboard
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(at, edit->ClientToScreen(Point(50, 10)));
    using TState = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(MenuState(shown), (TState{{"Undo", false}, {"-", true}, {"Cut", false}, {"Copy", false},
                                        {"Paste", false}, {"Delete", false}, {"-", true}, {"Select All", false}}));
    edit->SetText("abc");
    edit->ReadOnly = true;
    edit->SetSelStart(1);
    edit->SetSelLength(1);
    SetClipboardText("x");
    edit->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(30, 40));
    EXPECT_EQ(at, Point(30, 40));
    EXPECT_EQ(MenuState(shown), (TState{{"Undo", false}, {"-", true}, {"Cut", false}, {"Copy", true},
                                        {"Paste", false}, {"Delete", false}, {"-", true}, {"Select All", true}}));
    shown->Items()->Items(7)->OnClick(shown->Items()->Items(7));
    EXPECT_EQ(edit->SelLength(), 3);
    shown->Items()->Items(3)->OnClick(shown->Items()->Items(3));
    EXPECT_EQ(GetClipboardText(), "abc");
    SetPopupMenuPresenter(nullptr);
}

} // namespace
