#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_TextLabel.h"

using namespace skintest;
using skin::TbsSkinTextLabel;

namespace {

struct SkinTextLabel : TSkinFixture {
    TbsSkinTextLabel* NewLabel(TRect ABounds, std::initializer_list<const char*> ALines)
    {
        auto* l = Add(new TbsSkinTextLabel(Form.get()), ABounds);
        for (const char* s : ALines)
            l->Lines()->Add(s);
        return l;
    }
    // The height of one line in AFont.
    static int LineHeight(TFont* AFont)
    {
        TBitmap b;
        b.SetSize(1, 1);
        b.Canvas()->Font()->Assign(AFont);
        return b.Canvas()->TextHeight("A");
    }
    // Rows of the control that hold a pixel of AColour: first and last.
    std::pair<int, int> RowsWith(TControl* C, uint32_t AColour)
    {
        int first = -1, last = -1;
        for (int y = 0; y < C->Height(); ++y)
            for (int x = 0; x < C->Width(); ++x)
                if (PixelOf(C, x, y) == AColour) {
                    if (first < 0)
                        first = y;
                    last = y;
                    break;
                }
        return {first, last};
    }
};

} // namespace

TEST_F(SkinTextLabel, StartsSeeThroughWithTheLabelRecordsName)
{
    TbsSkinTextLabel l(nullptr);
    EXPECT_EQ(l.Width(), 65);
    EXPECT_EQ(l.Height(), 65);
    EXPECT_EQ(l.SkinDataName, "stdlabel");
    EXPECT_FALSE(l.ControlStyle & csOpaque);
    EXPECT_TRUE(l.ControlStyle & csReplicatable);
    EXPECT_TRUE(l.AutoSize());
    EXPECT_EQ(l.Layout(), tlTop);
}

TEST_F(SkinTextLabel, OneLineOfTextIsExactlyOneLineHigh)
{
    auto* l = NewLabel(Bounds(10, 10, 200, 100), {"Format:"});
    EXPECT_EQ(l->Height(), LineHeight(l->DefaultFont()));
    const int one = l->Height();
    l->Lines()->Add("Folder:");
    EXPECT_EQ(l->Height(), 2 * one);
    EXPECT_GT(l->Width(), 10);
}

TEST_F(SkinTextLabel, ARightAlignedLabelKeepsItsRightEdge)
{
    auto* l = NewLabel(Bounds(100, 10, 50, 20), {});
    l->SetAlignment(taRightJustify);
    l->Lines()->Add("ab");
    const int right = l->Left() + l->Width();
    l->Lines()->SetStrings(0, "a much longer caption");
    EXPECT_EQ(l->Left() + l->Width(), right);
    EXPECT_LT(l->Left(), 100);
}

TEST_F(SkinTextLabel, TakesFontAndColourFromTheSkinRecord)
{
    auto* l = NewLabel(Bounds(10, 10, 200, 100), {"Mm"});
    const int plain = l->Height();
    l->SetSkinData(Data);   // no skin yet: nothing changes
    EXPECT_EQ(l->Index(), -1);
    LoadSkin();             // the change reaches the label through the form
    EXPECT_NE(l->Index(), -1);
    EXPECT_EQ(l->FontHeight, 20);
    EXPECT_GT(l->Height(), plain);
    ShowAndPaint();
    EXPECT_NE(RowsWith(l, Rgb(255, 0, 0)).first, -1);
    l->UseSkinColor = false;
    l->Font()->SetColor(ColorOf(DownEdge));
    l->Invalidate();
    EXPECT_EQ(RowsWith(l, Rgb(255, 0, 0)).first, -1);
    EXPECT_NE(RowsWith(l, DownEdge).first, -1);
}

TEST_F(SkinTextLabel, ADisabledSkinnedLabelIsEmbossedInTheSkinsColours)
{
    LoadSkin();
    auto* l = NewLabel(Bounds(10, 10, 200, 100), {"Mm"});
    l->SetSkinData(Data);
    l->SetEnabled(false);
    ShowAndPaint();
    const auto light = RowsWith(l, Rgb(255, 255, 255));
    const auto dark = RowsWith(l, Rgb(64, 64, 64));
    ASSERT_NE(light.first, -1);
    ASSERT_NE(dark.first, -1);
    EXPECT_EQ(light.second, dark.second + 1);   // one pixel further down
    EXPECT_EQ(RowsWith(l, Rgb(255, 0, 0)).first, -1);
}

TEST_F(SkinTextLabel, LayoutPlacesTheBlockOfLinesWithoutTheTrailingBreak)
{
    auto* top = NewLabel(Bounds(10, 10, 100, 100), {"Mm"});
    auto* centre = NewLabel(Bounds(120, 10, 100, 100), {"Mm"});
    auto* bottom = NewLabel(Bounds(230, 10, 60, 100), {"Mm"});
    const int line = top->Height();
    for (TbsSkinTextLabel* l : {top, centre, bottom}) {
        l->SetAutoSize(false);
        l->SetBounds(l->Left(), 10, l->Width(), 100);
        l->Font()->SetColor(ColorOf(DownEdge));
        l->UseSkinFont = false;
    }
    centre->SetLayout(tlCenter);
    bottom->SetLayout(tlBottom);
    ShowAndPaint();
    const int t = RowsWith(top, DownEdge).first;
    ASSERT_NE(t, -1);
    EXPECT_EQ(RowsWith(centre, DownEdge).first, t + (100 - line) / 2);
    EXPECT_EQ(RowsWith(bottom, DownEdge).first, t + 100 - line);
}

TEST_F(SkinTextLabel, ClearingTheModelKeepsTheFontsUntilTheNextPaint)
{
    LoadSkin();
    auto* l = NewLabel(Bounds(10, 10, 200, 100), {"Mm"});
    l->SetSkinData(Data);
    const int skinned = l->Height();
    l->SetSkinData(nullptr);
    EXPECT_NE(l->Index(), -1);   // not read again
    EXPECT_EQ(l->Height(), skinned);
    ShowAndPaint();
    EXPECT_EQ(l->Index(), -1);
    EXPECT_EQ(RowsWith(l, Rgb(255, 0, 0)).first, -1);
}

TEST_F(SkinTextLabel, WordWrapBreaksTheTextAtTheLabelsWidth)
{
    auto* l = NewLabel(Bounds(10, 10, 60, 20), {"one two three four five"});
    const int line = LineHeight(l->DefaultFont());
    EXPECT_EQ(l->Height(), line);
    l->SetAutoSize(false);
    l->SetBounds(10, 10, 60, 20);
    l->SetWordWrap(true);
    l->SetAutoSize(true);   // measured at the present width
    EXPECT_GE(l->Height(), 3 * line);
    EXPECT_LE(l->Width(), 60);
}

// Lines changed while the label shows are on the screen at the next paint,
// with no call to repaint them.
TEST_F(SkinTextLabel, NewLinesArePaintedWithoutAskingForThem)
{
    auto* l = NewLabel(Bounds(10, 10, 200, 100), {"Mm"});
    LoadSkin();
    l->SetSkinData(Data);
    ShowAndPaint();
    const int oneLine = RowsWith(l, Rgb(255, 0, 0)).second;
    ASSERT_NE(oneLine, -1);
    l->Lines()->Add("Mm");
    EXPECT_GT(RowsWith(l, Rgb(255, 0, 0)).second, oneLine);
    l->Lines()->Clear();
    EXPECT_EQ(RowsWith(l, Rgb(255, 0, 0)).first, -1);
}
