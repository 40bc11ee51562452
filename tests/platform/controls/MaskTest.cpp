// The mask edit: masks parsed place by place, text fitted into a mask and
// read back, and typing, deleting and pasting that keep the mask's shape.
#include "ControlsTestSupport.h"

#include "platform/controls/Mask.h"
#include "platform/ui/HeadlessBackend.h"

using namespace platform;
using namespace ctltest;

namespace {

TEST(Mask, MasksParseIntoPlacesLiteralsAndTheTwoOptionFields)
{
    struct {
        const char* Mask;
        const char* Shape;   // one letter a place: L l A a C c 0 9 # as in the mask, '=' a literal
        bool SaveLiterals;
        char16_t Blank;
    } const cases[] = {
        {"000-00", "000=00", true, u'_'},
        {"!99/99/0000;1;*", "99=99=0000", true, u'*'},
        {"LLaa;0", "LLaa", false, u'_'},
        {"\\0C_c#;0; ", "=C=c#", false, u' '},
        {">L<l<>A", "LlA", true, u'_'},
        {"", "", true, u'_'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Mask);
        const TParsedMask m = ParseEditMask(c.Mask);
        std::string shape;
        for (const TMaskPlace& p : m.Places) {
            static const char kinds[][2] = {{'=', '='}, {'l', 'L'}, {'a', 'A'}, {'c', 'C'}, {'9', '0'}, {'#', '#'}};
            shape += kinds[p.Kind][p.Required ? 1 : 0];
        }
        EXPECT_EQ(shape, c.Shape);
        EXPECT_EQ(m.SaveLiterals, c.SaveLiterals);
        EXPECT_EQ(m.Blank, c.Blank);
    }
    const TParsedMask cased = ParseEditMask(">L<l<>A");
    EXPECT_EQ(cased.Places[0].Case, ecUpperCase);
    EXPECT_EQ(cased.Places[1].Case, ecLowerCase);
    EXPECT_EQ(cased.Places[2].Case, ecNormal);
}

struct MaskEdit : ::testing::Test {
    std::unique_ptr<TForm> Form{MakeForm(300, 200, 0, 0)};
    TMaskEdit* Edit = nullptr;
    int Changes = 0;
    void SetUp() override
    {
        Edit = new TMaskEdit(Form.get());
        Edit->SetBounds(10, 10, 150, 21);
        Edit->SetParent(Form.get());
        Edit->OnChange = [this](TObject*) { ++Changes; };
        Form->Show();
        Edit->SetFocus();
        Pump();
    }
    static int Beeps() { return dynamic_cast<THeadlessBackend&>(Backend()).Beeps(); }
    void Type(const std::string& AText)
    {
        InjectText(AText);
        Pump();
    }
    void Key(int AKey)
    {
        InjectKey(AKey, true, AKey == VK_BACK ? "\b" : "");
        InjectKey(AKey, false);
        Pump();
    }
};

TEST_F(MaskEdit, TextFitsIntoThePlacesAndReadsBackWithOrWithoutLiterals)
{
    struct {
        const char* Mask;
        const char* Text;
        const char* Shown;
        const char* Read;
    } const cases[] = {
        {"000-00", "123-45", "123-45", "123-45"},
        {"000-00", "12", "12_-__", "12 -  "},
        {"000-00;0", "12345", "123-45", "12345"},
        {"000-00;0", "1x345", "1_3-45", "1 345"},   // a letter leaves its digit place blank
        {">LL-99;1;*", "ab-7", "AB-7*", "AB-7 "},
        {"(999) 000;0", "12", "(12_) ___", "12    "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Mask) + " <- " + c.Text);
        Edit->SetEditMask(c.Mask);
        Edit->SetText(c.Text);
        EXPECT_EQ(Edit->EditText(), c.Shown);
        EXPECT_EQ(Edit->GetText(), c.Read);
    }
    // A mask set over existing text takes that text in; clearing it leaves
    // the text as shown.
    Edit->SetEditMask("");
    Edit->SetText("42");
    Edit->SetEditMask("0000");
    EXPECT_EQ(Edit->EditText(), "42__");
    Edit->SetEditMask("");
    EXPECT_EQ(Edit->GetText(), "42__");
}

TEST_F(MaskEdit, TypingFillsTheNextPlaceStepsOverLiteralsAndRefusesWithABeep)
{
    Edit->SetEditMask("00/00;1;_");
    Edit->SetSelStart(0);
    const int beeps = Beeps();
    struct {
        const char* Typed;
        const char* Shown;
        int Caret;
        int Beeps;
    } const steps[] = {
        {"1", "1_/__", 1, 0},
        {"2", "12/__", 3, 0},   // the caret goes past the literal
        {"x", "12/__", 3, 1},   // a letter in a digit place
        {"34", "12/34", 5, 1},
        {"5", "12/34", 5, 2},   // no place left
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.Typed);
        Type(s.Typed);
        EXPECT_EQ(Edit->EditText(), s.Shown);
        EXPECT_EQ(Edit->CaretPos(), s.Caret);
        EXPECT_EQ(Beeps(), beeps + s.Beeps);
    }
    // Typing over a place replaces it; the others stay where they are.
    Edit->SetSelStart(1);
    Type("9");
    EXPECT_EQ(Edit->EditText(), "19/34");
}

TEST_F(MaskEdit, DeletingBlanksPlacesAndPastingFillsThemInOrder)
{
    Edit->SetEditMask("000-000");
    Edit->SetText("123-456");
    struct {
        int SelStart, SelLength;
        int Key;   // VK_BACK, VK_DELETE or 0 for a paste of Paste
        const char* Paste;
        const char* Shown;
        int Caret;
    } const steps[] = {
        {3, 0, VK_BACK, "", "12_-456", 2},
        {4, 0, VK_BACK, "", "12_-456", 3},   // over the literal: the caret only moves
        {4, 0, VK_DELETE, "", "12_-_56", 4},
        {1, 5, VK_DELETE, "", "1__-__6", 1},
        {0, 7, 0, "98-7", "98_-7__", 5},   // the pasted literal meets the mask's own
        {0, 0, 0, "555555", "555-555", 7},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.Shown);
        Edit->SetSelStart(s.SelStart);
        Edit->SetSelLength(s.SelLength);
        if (s.Key) {
            Key(s.Key);
        } else {
            SetClipboardText(s.Paste);
            Edit->PasteFromClipboard();
        }
        EXPECT_EQ(Edit->EditText(), s.Shown);
        EXPECT_EQ(Edit->CaretPos(), s.Caret);
    }
    Edit->Undo();
    EXPECT_EQ(Edit->EditText(), "98_-7__");
}

} // namespace
