// The skinned edit on a headless form: the non-client frame and button with
// and without a skin record, heights, hover, button and image clicks.
#include "skin/boxes/bsSkinBoxes_SkinEdit.h"

#include "skin/boxes/BoxesTestSupport.h"
#include "skin/controls/bsSkinCtrls_ToolBar.h"

#include "platform/gfx/PngImage.h"

namespace {

using namespace skintest;
using skin::TbsSkinEdit;

constexpr const char* EditRecord =
    "[edit]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,3\r\nrighttoppoint=27,3\r\n"
    "leftbottompoint=3,17\r\nrightbottompoint=27,17\r\nclientrect=3,3,27,17\r\nactiveskinrect=30,0,60,20\r\n"
    "fontname=Tahoma\r\nfontheight=11\r\nfontcolor=0\r\nactivefontcolor=255\r\ndisabledfontcolor=8421504\r\n";

// One opaque green 8 x 8 image.
struct TGreenImages : TCustomImageList {
    TGreenImages() : TCustomImageList(nullptr)
    {
        SetSize(8, 8);
        AddPixels(std::vector<uint32_t>(64, 0xFF00FF00));
    }
};

struct SkinEditTest : TBoxesFixture {
    TSkinFolder EditFolder{SkinIni("edit:edit", EditRecord)};
    TGreenImages GreenImages;
    TbsSkinEdit* NewEdit(TRect ABounds, bool ASkinned)
    {
        auto* edit = Add(new TbsSkinEdit(Form.get()), ABounds);
        if (ASkinned) {
            EXPECT_TRUE(Data->LoadFromFile(EditFolder.Ini).Ok());
            edit->SetSkinData(Data);
        }
        return edit;
    }
    // A pixel of a control's window, relative to its window's top-left corner.
    uint32_t WindowPixel(TControl* AControl, int X, int Y) { return Pixel(AControl->Left() + X, AControl->Top() + Y); }
    // Mouse at a point of the control's window.
    void MouseAt(TControl* AControl, int X, int Y, int ADown = -1)
    {
        const TPoint p = Form->ClientToScreen(Point(AControl->Left() + X, AControl->Top() + Y));
        if (ADown < 0)
            InjectMouseMove(p);
        else
            InjectMouseButton(TMouseButton::mbLeft, ADown != 0, p);
        Pump();
    }
};

TEST_F(SkinEditTest, BuiltInLookWithButtonLaysOutFrameButtonAndClient)
{
    auto* edit = NewEdit(Rect(10, 10, 110, 30), false);
    edit->SetButtonMode(true);
    ShowAndPaint();
    const int w = edit->Width(), h = edit->Height();
    EXPECT_EQ(edit->ButtonBounds(), Rect(w - h, 0, w, h));
    EXPECT_EQ(edit->EditRect(), Rect(2, 2, w - h - 2, h - 2));
    EXPECT_EQ(edit->ClientWidth(), w - 2 - (h + 2));
    EXPECT_EQ(edit->ClientHeight(), h - 4);
    EXPECT_EQ(edit->ClientOrigin(), Form->ClientToScreen(Point(12, 12)));
    EXPECT_EQ(WindowPixel(edit, 0, 0), RgbOf(clBtnShadow));
    EXPECT_EQ(WindowPixel(edit, 0, h / 2), RgbOf(clBtnShadow));
    EXPECT_EQ(WindowPixel(edit, w - h, 0), RgbOf(clBtnShadow));   // the button's own frame
    EXPECT_EQ(WindowPixel(edit, w - h / 2, h / 2), RgbOf(clBtnFace));
    EXPECT_EQ(WindowPixel(edit, w - h - 5, h / 2), Rgb(255, 255, 255));   // empty text on DefaultColor
    // Hovering the button gives it the hot colours.
    MouseAt(edit, w - h / 2, h / 2);
    EXPECT_EQ(WindowPixel(edit, w - h / 2, h / 2), Rgb(0xC1, 0xD4, 0xF3));
    EXPECT_EQ(WindowPixel(edit, w - h, 0), Rgb(0x3B, 0x6B, 0xB7));
}

TEST_F(SkinEditTest, BuiltInHeightFollowsTheFont)
{
    auto* edit = NewEdit(Rect(10, 10, 110, 30), false);
    const int fontHeight = edit->CalcHeight();
    edit->SetHeight(50);
    EXPECT_EQ(edit->Height(), fontHeight);
    edit->SetAlign(alLeft);
    edit->SetHeight(50);
    EXPECT_EQ(edit->Height(), Form->ClientHeight());   // aligned edits take what the parent gives
}

TEST_F(SkinEditTest, ButtonClickNeedsPressAndReleaseOnTheButton)
{
    auto* edit = NewEdit(Rect(10, 10, 110, 30), false);
    edit->SetButtonMode(true);
    int clicks = 0;
    edit->OnButtonClick = [&](TObject*) { ++clicks; };
    ShowAndPaint();
    const int w = edit->Width(), h = edit->Height();
    MouseAt(edit, w - h / 2, h / 2);
    MouseAt(edit, w - h / 2, h / 2, 1);
    MouseAt(edit, w - h / 2, h / 2, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(edit->Focused());
    // Pressed on the button, released outside: nothing.
    MouseAt(edit, w - h / 2, h / 2, 1);
    MouseAt(edit, w - h / 2, h + 30);
    MouseAt(edit, w - h / 2, h + 30, 0);
    // Pressed elsewhere, released on the button: nothing either.
    MouseAt(edit, w - h / 2, h + 30, 1);
    MouseAt(edit, w - h / 2, h / 2);
    MouseAt(edit, w - h / 2, h / 2, 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinEditTest, SkinnedEditTakesTheRecordsFrameHeightAndColours)
{
    auto* edit = NewEdit(Rect(10, 10, 110, 30), true);
    auto* other = Add(new skin::TbsCustomEdit(Form.get()), Rect(10, 100, 110, 120));
    ASSERT_EQ(edit->SkinIndex(), Data->GetControlIndex("edit"));
    edit->SetHeight(45);
    EXPECT_EQ(edit->Height(), 20);
    ShowAndPaint();
    // Focused, it shows the active picture and font colour.
    edit->SetFocus();
    EXPECT_EQ(edit->Font()->Color(), TColor(255));
    EXPECT_EQ(WindowPixel(edit, 0, 0), HotEdge);
    other->SetFocus();
    EXPECT_EQ(edit->EditRect(), Rect(3, 3, 97, 17));
    EXPECT_EQ(edit->ClientWidth(), 94);
    EXPECT_EQ(edit->ClientHeight(), 14);
    EXPECT_EQ(edit->Font()->Color(), TColor(0));
    EXPECT_EQ(WindowPixel(edit, 0, 0), NormalEdge);
    EXPECT_EQ(WindowPixel(edit, 99, 19), NormalEdge);
    EXPECT_EQ(WindowPixel(edit, 50, 1), NormalEdge);    // the middle tiled between the ends
    EXPECT_EQ(WindowPixel(edit, 60, 10), NormalFill);   // client background from the record's client part
    // The mouse over the edit swaps to the active picture and font colour.
    MouseAt(edit, 50, 10);
    EXPECT_TRUE(edit->MouseIn());
    EXPECT_EQ(edit->Font()->Color(), TColor(255));
    EXPECT_EQ(WindowPixel(edit, 0, 0), HotEdge);
    EXPECT_EQ(WindowPixel(edit, 60, 10), HotFill);
}

TEST_F(SkinEditTest, SkinnedEditWithoutSkinFontStretchesItsFrame)
{
    auto* edit = NewEdit(Rect(10, 10, 110, 30), false);
    edit->UseSkinFont = false;
    EXPECT_TRUE(Data->LoadFromFile(EditFolder.Ini).Ok());
    edit->SetSkinData(Data);
    edit->SetButtonMode(true);   // the skin has no button record: no button drawn, nothing fails
    auto* other = Add(new skin::TbsCustomEdit(Form.get()), Rect(10, 100, 110, 120));
    ShowAndPaint();
    edit->SetFocus();
    EXPECT_EQ(WindowPixel(edit, 0, 0), HotEdge);
    other->SetFocus();
    const int h = edit->Height();
    EXPECT_EQ(h, edit->CalcHeight());
    EXPECT_EQ(edit->EditRect(), Rect(3, 3, 97, h - 3));
    EXPECT_EQ(WindowPixel(edit, 0, 0), NormalEdge);
    EXPECT_EQ(WindowPixel(edit, 99, h - 1), NormalEdge);
}

TEST_F(SkinEditTest, LeftImageNarrowsTheTextAndClicksWithoutMovingTheCaret)
{
    auto* edit = NewEdit(Rect(10, 10, 110, 30), false);
    edit->SetImages(&GreenImages);
    edit->SetLeftImageIndex(0);
    int clicks = 0;
    edit->OnLeftButtonClick = [&](TObject*) { ++clicks; };
    edit->SetText("abc");
    ShowAndPaint();
    edit->SetFocus();
    edit->SetSelStart(2);
    Click(edit, 3, 3);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_EQ(PixelOf(edit, 3, edit->ClientHeight() / 2), Rgb(0, 255, 0));
    // The text starts 8 + 2 pixels in, plus the edit's margin.
    Click(edit, 12, 3);
    EXPECT_EQ(edit->SelStart(), 0);
    edit->SetImages(nullptr);
    EXPECT_EQ(edit->Images(), nullptr);
}

TEST_F(SkinEditTest, DisabledEditDrawsItsTextGrey)
{
    auto* edit = NewEdit(Rect(10, 10, 110, 30), false);
    edit->SetText("WWWW");
    edit->SetEnabled(false);
    ShowAndPaint();
    int ink = 0, dark = 0;
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < edit->ClientHeight(); ++y) {
            const uint32_t p = PixelOf(edit, x, y);
            ink += p != Rgb(255, 255, 255);
            dark += (p & 0xFF) < (RgbOf(clGrayText) & 0xFF);
        }
    EXPECT_GT(ink, 5);
    EXPECT_EQ(dark, 0);   // grey text, nothing darker
    EXPECT_EQ(PixelOf(edit, 80, 2), Rgb(255, 255, 255));   // the DefaultColor background, not clBtnFace
}

} // namespace

namespace {

// A parent copying the edit's look gets its frame in a context of its own:
// the whole frame, or the frame around the edit area, which stays as it was.
TEST_F(SkinEditTest, TheFramePaintsIntoAGivenContext)
{
    auto* edit = NewEdit(Rect(10, 10, 110, 30), false);
    ShowAndPaint();
    const int w = edit->Width(), h = edit->Height();
    struct Case {
        const char* Name;
        UINT Msg;
        LPARAM Key;
        LRESULT Answer;
        bool EditAreaPainted;
    };
    const Case cases[] = {
        {"the whole frame", SKN_PAINTTODC, 0, SKN_PAINTTODC_ANSWER, true},
        {"around the edit area", SKN_PAINTFRAMETODC, SKN_PAINT_KEY, SKN_PAINT_KEY, false},
    };
    const uint32_t unpainted = Rgb(255, 0, 255);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TBitmap b;
        b.SetPixelFormat(pf32bit);
        b.SetSize(w, h);
        b.Canvas()->Brush()->SetColor(clFuchsia);
        b.Canvas()->FillRect(Rect(0, 0, w, h));
        EXPECT_EQ(edit->Perform(c.Msg, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), c.Key), c.Answer);
        auto at = [&b](int X, int Y) {
            const COLORREF p = ColorToRGB(b.Canvas()->Pixels(X, Y));
            return Rgb(GetRValue(p), GetGValue(p), GetBValue(p));
        };
        EXPECT_EQ(at(0, 0), RgbOf(clBtnShadow));
        EXPECT_EQ(at(0, h / 2), RgbOf(clBtnShadow));
        EXPECT_EQ(at(w / 2, h / 2) != unpainted, c.EditAreaPainted);
    }
    // Without a context nothing is painted and nothing is answered.
    EXPECT_EQ(edit->Perform(SKN_PAINTTODC, 0, 0), 0);
}

} // namespace

namespace {

// The edit's look with another text, painted into a 32-bit picture at an
// offset, fuchsia where nothing was painted.
struct TSkinPicture {
    TBitmap B;
    TSkinPicture(skin::TbsSkinCustomEdit* AEdit, const std::string& AText, int X, int Y)
    {
        B.SetPixelFormat(pf32bit);
        B.SetSize(AEdit->Width() + 2 * X, AEdit->Height() + 2 * Y);
        B.Canvas()->Brush()->SetColor(clFuchsia);
        B.Canvas()->FillRect(Rect(0, 0, B.Width(), B.Height()));
        AEdit->PaintSkinTo(B.Canvas(), X, AText, Y);
    }
    uint32_t At(int X, int Y)
    {
        const COLORREF p = ColorToRGB(B.Canvas()->Pixels(X, Y));
        return Rgb(GetRValue(p), GetGValue(p), GetBValue(p));
    }
    // Columns [AFrom, ATo) of rows [ATop, ABottom) holding a pixel unlike ABackground.
    std::vector<int> InkColumns(int AFrom, int ATo, int ATop, int ABottom, uint32_t ABackground)
    {
        std::vector<int> columns;
        for (int x = AFrom; x < ATo; ++x)
            for (int y = ATop; y < ABottom; ++y)
                if (At(x, y) != ABackground) {
                    columns.push_back(x);
                    break;
                }
        return columns;
    }
    void Save(const std::string& AName)
    {
        platform::TPngImage png;
        png.Assign(&B);
        png.SaveToFile(AName);
    }
};

// Unskinned, the picture is the frame with a button-face inner line, the
// button beside the frame in the state the window shows, and the given text
// in the default font.
TEST_F(SkinEditTest, PaintSkinToDrawsTheBuiltInLookAtRestWithTheGivenText)
{
    auto* edit = NewEdit(Rect(10, 10, 110, 30), false);
    edit->SetButtonMode(true);
    edit->SetText("own");
    ShowAndPaint();
    const int w = edit->Width(), h = edit->Height();
    MouseAt(edit, w - h / 2, h / 2);
    ASSERT_EQ(WindowPixel(edit, w - h / 2, h / 2), Rgb(0xC1, 0xD4, 0xF3)) << "the window shows the hot button";
    TSkinPicture p(edit, "WWW", 5, 3);
    p.Save("skin_edit_paint_skin_to_plain.png");
    EXPECT_EQ(p.At(4, 2), Rgb(255, 0, 255)) << "nothing left of and above the offset";
    EXPECT_EQ(p.At(5, 3), RgbOf(clBtnShadow));
    EXPECT_EQ(p.At(6, 3 + h / 2), RgbOf(clBtnFace)) << "the inner frame line";
    EXPECT_EQ(p.At(5 + w - h - 1, 3 + h / 2), RgbOf(clBtnShadow)) << "the frame ends where the button begins";
    EXPECT_EQ(p.At(5 + w - h / 2, 3 + h / 2), Rgb(0xC1, 0xD4, 0xF3)) << "the hot button";
    EXPECT_EQ(p.At(5 + w - h, 3 + h / 2), Rgb(0x3B, 0x6B, 0xB7)) << "the hot button's frame";
    const std::vector<int> ink = p.InkColumns(5 + 2, 5 + w - h - 2, 3 + 2, 3 + h - 2, Rgb(255, 255, 255));
    ASSERT_FALSE(ink.empty()) << "the given text is drawn";
    EXPECT_GE(ink.front(), 5 + 2 + 2) << "left-justified two pixels into the text area";
    EXPECT_LT(ink.back(), 5 + w / 2) << "three letters, not the edit's own text at the far end";
}

// Skinned with the skin font, the picture takes the record's normal picture
// and font colour even while the edit is focused and hot; the text keeps
// clear of a right image and stands right-justified.
TEST_F(SkinEditTest, PaintSkinToDrawsTheSkinnedLookAtRestBesideTheImages)
{
    auto* edit = NewEdit(Rect(10, 10, 110, 30), true);
    edit->SetImages(&GreenImages);
    edit->SetRightImageIndex(0);
    edit->SetAlignment(taRightJustify);
    ShowAndPaint();
    edit->SetFocus();
    MouseAt(edit, 50, 10);
    ASSERT_EQ(WindowPixel(edit, 0, 0), HotEdge);
    ASSERT_EQ(edit->Font()->Color(), TColor(255));
    TSkinPicture p(edit, "W", 0, 0);
    p.Save("skin_edit_paint_skin_to_skinned.png");
    EXPECT_EQ(p.At(0, 0), NormalEdge);
    EXPECT_EQ(p.At(99, 19), NormalEdge);
    const TRect e = edit->EditRect();
    const std::vector<int> ink = p.InkColumns(e.Left, e.Right, e.Top, e.Bottom, NormalFill);
    ASSERT_FALSE(ink.empty());
    EXPECT_LT(ink.back(), e.Right - (8 + 2)) << "the text ends before the image area";
    EXPECT_GT(ink.front(), e.Right - (8 + 2) - 20) << "right-justified";
    for (int x : ink)
        for (int y = e.Top; y < e.Bottom; ++y) {
            const uint32_t c = p.At(x, y);
            EXPECT_LE(c >> 16, 0xFFu * ((c >> 8) & 0xFF) / 0x78 + 1) << "no red ink of the active font colour at " << x;
        }
}

// On a tool bar that adjusts its controls an aligned edit stands in the
// middle of the bar; without the adjustment it keeps the top it is given.
TEST_F(SkinEditTest, AnAlignedEditCentresItselfOnAToolBar)
{
    auto* bar = Add(new skin::TbsSkinToolBar(Form.get()), Rect(0, 0, 300, 40));
    auto* edit = new TbsSkinEdit(Form.get());
    edit->SetParent(bar);
    edit->SetAlign(alTop);
    ShowAndPaint();
    TRect r;
    bar->GetSkinClientRect(r);
    const int h = edit->Height();
    EXPECT_EQ(h, edit->CalcHeight());
    EXPECT_EQ(edit->Top(), r.Top + r.Height() / 2 - h / 2);
    EXPECT_GT(edit->Top(), 0);
    bar->AdjustControls = false;
    edit->SetBounds(edit->Left(), 0, edit->Width(), h);
    EXPECT_EQ(edit->Top(), 0);
}

} // namespace
