#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_CheckRadio.h"

#include "platform/controls/StdCtrls.h"

using namespace skintest;
using skin::TbsSkinCheckRadioBox;

namespace {

uint32_t RgbOf(TColor AColor)
{
    const COLORREF c = ColorToRGB(AColor);
    return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

struct SkinCheckRadio : TSkinFixture {
    std::map<TbsSkinCheckRadioBox*, int> Clicks;
    TbsSkinCheckRadioBox* NewBox(TRect ABounds, bool ARadio = false, int AGroup = 0)
    {
        auto* b = new TbsSkinCheckRadioBox(Form.get());
        b->SetBoundsRect(ABounds);
        b->SetParent(Form.get());
        b->SetRadio(ARadio);
        b->GroupIndex = AGroup;
        b->OnClick = [this, b](TObject*) { ++Clicks[b]; };
        return b;
    }
};

} // namespace

TEST_F(SkinCheckRadio, StartsAsAnUncheckedFlatCheckBox)
{
    auto* b = new TbsSkinCheckRadioBox(Form.get());
    EXPECT_EQ(b->Width(), 150);
    EXPECT_EQ(b->Height(), 25);
    EXPECT_EQ(b->SkinDataName(), "checkbox");
    EXPECT_FALSE(b->Checked());
    EXPECT_EQ(b->State(), cbUnchecked);
    EXPECT_TRUE(b->Flat());
    EXPECT_TRUE(b->CanFocused());
    EXPECT_FALSE(b->TabStop());   // the constructor leaves it off
    b->SetRadio(true);            // at run time the name and group stay
    EXPECT_EQ(b->SkinDataName(), "checkbox");
    EXPECT_EQ(b->GroupIndex, 0);
}

TEST_F(SkinCheckRadio, ClickingARadioButtonChecksItAndUnchecksItsGroup)
{
    auto* a = NewBox(Bounds(10, 10, 100, 20), true, 1);
    auto* b = NewBox(Bounds(10, 40, 100, 20), true, 1);
    auto* other = NewBox(Bounds(10, 70, 100, 20), true, 2);
    other->SetChecked(true);
    Clicks.clear();
    ShowAndPaint();
    Click(a, 5, 5);
    EXPECT_TRUE(a->Checked());
    EXPECT_EQ(Clicks[a], 1);
    Click(b, 5, 5);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_EQ(Clicks[a], 1);   // unchecking a radio button fires nothing
    EXPECT_EQ(Clicks[b], 1);
    Click(b, 5, 5);   // checked already: nothing
    EXPECT_TRUE(b->Checked());
    EXPECT_EQ(Clicks[b], 1);
}

TEST_F(SkinCheckRadio, AGrayedCheckBoxCyclesThroughThreeStates)
{
    auto* b = NewBox(Bounds(10, 10, 100, 20));
    b->SetAllowGrayed(true);
    ShowAndPaint();
    const TCheckBoxState want[] = {cbGrayed, cbChecked, cbUnchecked, cbGrayed};
    for (size_t i = 0; i < std::size(want); ++i) {
        Click(b, 5, 5);
        EXPECT_EQ(b->State(), want[i]) << i;
        EXPECT_EQ(Clicks[b], int(i + 1));
    }
    b->SetChecked(false);   // a grayed box stays grayed, and it clicks
    EXPECT_EQ(b->State(), cbGrayed);
    EXPECT_FALSE(b->Checked());
    EXPECT_EQ(Clicks[b], 5);
}

TEST_F(SkinCheckRadio, SpaceTogglesAFocusedBoxOnly)
{
    auto* b = NewBox(Bounds(10, 10, 100, 20));
    auto* edit = new TEdit(Form.get());
    edit->SetBounds(10, 100, 60, 20);
    edit->SetParent(Form.get());
    ShowAndPaint();
    b->SetFocus();
    Pump();
    Key(VK_SPACE, true);
    Key(VK_SPACE, false);
    EXPECT_TRUE(b->Checked());
    b->SetCanFocused(false);
    Key(VK_SPACE, true);
    Key(VK_SPACE, false);
    EXPECT_TRUE(b->Checked());
}

TEST_F(SkinCheckRadio, ReleasingOutsideTheBoxChangesNothing)
{
    auto* b = NewBox(Bounds(10, 10, 100, 20));
    ShowAndPaint();
    Mouse(b, 5, 5);
    Mouse(b, 5, 5, 1);
    EXPECT_TRUE(b->MouseIn());
    Mouse(b, 150, 5);   // dragged off
    EXPECT_FALSE(b->MouseIn());
    Mouse(b, 150, 5, 0);
    EXPECT_FALSE(b->Checked());
    EXPECT_EQ(Clicks[b], 0);
}

TEST_F(SkinCheckRadio, AFlatBoxKeepsAnySizeAndAnotherTakesTheSkins)
{
    LoadSkin();
    auto* flat = NewBox(Bounds(10, 10, 100, 40));
    flat->SetSkinData(Data);
    EXPECT_NE(flat->FIndex, -1);
    flat->SetBounds(10, 10, 120, 50);
    EXPECT_EQ(flat->BoundsRect(), Bounds(10, 10, 120, 50));
    auto* framed = NewBox(Bounds(10, 80, 100, 40));
    framed->SetFlat(false);
    framed->SetSkinData(Data);
    // A record of fixed size: the box takes the picture's size.
    EXPECT_EQ(framed->BoundsRect(), Bounds(10, 80, 30, 20));
    EXPECT_EQ(framed->NewTextArea, Rect(17, 3, 27, 17));
    EXPECT_EQ(framed->CIRect, Rect(3, 4, 16, 17));   // centred in the check area
}

TEST_F(SkinCheckRadio, TheCheckImageFollowsTheStateAndThePointer)
{
    LoadSkin();
    auto* b = NewBox(Bounds(10, 10, 100, 25));
    b->SetSkinData(Data);
    ShowAndPaint();
    // The image sits at (3, 25 div 2 - 13 div 2) = (3, 6); its mark at 3..9 inside.
    auto mark = [&] { return PixelOf(b, 3 + 5, 6 + 5); };
    EXPECT_EQ(mark(), UncheckMark);
    EXPECT_EQ(PixelOf(b, 3 + 1, 6 + 1), PixelOf(b, 1, 1));   // the key colour is a hole
    b->SetChecked(true);
    EXPECT_EQ(mark(), CheckMark);
    Mouse(b, 50, 12);
    EXPECT_EQ(mark(), HotEdge);   // the hot checked piece
    b->SetChecked(false);
    EXPECT_EQ(mark(), HotFill);
}

TEST_F(SkinCheckRadio, PaintSkinToDrawsAGivenCheckedValue)
{
    LoadSkin();
    auto* b = NewBox(Bounds(10, 10, 100, 25));
    b->SetSkinData(Data);
    TBitmap bmp;
    bmp.SetSize(120, 40);
    b->PaintSkinTo(bmp.Canvas(), 5, 5, true);
    EXPECT_EQ(bmp.Canvas()->Pixels(5 + 3 + 5, 5 + 6 + 5), ColorOf(CheckMark));
    b->PaintSkinTo(bmp.Canvas(), 5, 5, false);
    EXPECT_EQ(bmp.Canvas()->Pixels(5 + 3 + 5, 5 + 6 + 5), ColorOf(UncheckMark));
}

TEST_F(SkinCheckRadio, AFlatBoxShowsItsParentAndItsCaption)
{
    auto* b = NewBox(Bounds(10, 10, 120, 25));
    b->SetCaption("HHH");
    b->DefaultFont()->SetColor(clRed);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(b, 119, 1), Background);   // no face of its own
    EXPECT_EQ(PixelOf(b, 3, 12 - 7), RgbOf(clBtnShadow));   // the box square's frame
    EXPECT_EQ(PixelOf(b, 10, 12), RgbOf(clWindow));
    int red = 0;
    for (int x = 22; x < 60; ++x)
        for (int y = 0; y < 25; ++y)
            red += PixelOf(b, x, y) == Rgb(255, 0, 0);
    EXPECT_GT(red, 0);
    b->SetChecked(true);   // the tick: three lines from (7, 8) on
    EXPECT_EQ(PixelOf(b, 7, 12 - 4 + 5), Rgb(0, 0, 0));
    // Moved, it shows the parent at its new place.
    b->SetBounds(40, 60, 120, 25);
    EXPECT_EQ(PixelOf(b, 119, 1), Background);
}

TEST_F(SkinCheckRadio, AGrayedStateWithoutItsPictureBrightensTheCheckedOne)
{
    LoadSkin();
    auto* b = NewBox(Bounds(10, 10, 100, 25));
    b->SetSkinData(Data);
    b->SetState(cbGrayed);
    ShowAndPaint();
    const uint32_t mark = PixelOf(b, 3 + 5, 6 + 5);
    EXPECT_NE(mark, CheckMark);
    EXPECT_NE(mark, UncheckMark);
    EXPECT_EQ(mark & 0xFF, (mark >> 8) & 0xFF);   // a grey from the black mark
    EXPECT_GT(mark & 0xFF, 0u);
}
