#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/controls/bsSkinCtrls_ToolBar.h"

using namespace skintest;
using skin::TbsSkinBevel;

namespace {

constexpr uint32_t Light = Rgb(250, 240, 10), Dark = Rgb(20, 30, 200);

struct Bevel : TSkinFixture {
    Bevel()
    {
        // Lit lines yellow, shaded lines blue; "blackbevel" has no colours.
        Folder.Rewrite(SkinIni("bevel:bevel\r\nblackbevel:bevel\r\n",
                               "[bevel]\r\nlightcolor=" + std::to_string(ColorOf(Light)) +
                                   "\r\ndarkcolor=" + std::to_string(ColorOf(Dark)) + "\r\n[blackbevel]\r\n"));
    }
    TbsSkinBevel* NewBevel(TRect ABounds, TBevelShape AShape, TBevelStyle AStyle = bsLowered)
    {
        auto* b = new TbsSkinBevel(Form.get());
        b->Shape = AShape;
        b->Style = AStyle;
        return Add(b, ABounds);
    }
};

} // namespace

TEST_F(Bevel, WithoutASkinTheLoweredBoxUsesTheButtonColours)
{
    auto* b = NewBevel(Bounds(10, 10, 40, 30), bsBox);
    b->SetSkinData(Data);   // nothing loaded yet
    EXPECT_EQ(b->FIndex, -1);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(b, 0, 0), SysRgb(clBtnShadow));
    EXPECT_EQ(PixelOf(b, 0, 28), SysRgb(clBtnShadow));
    EXPECT_EQ(PixelOf(b, 38, 0), SysRgb(clBtnShadow));
    EXPECT_EQ(PixelOf(b, 39, 5), SysRgb(clBtnHighlight));
    EXPECT_EQ(PixelOf(b, 5, 29), SysRgb(clBtnHighlight));
    EXPECT_EQ(PixelOf(b, 5, 5), Background);
}

TEST_F(Bevel, TheSkinGivesBothColoursAndTheStyleOrdersThem)
{
    LoadSkin();
    auto* lowered = NewBevel(Bounds(10, 10, 40, 30), bsBox);
    auto* raised = NewBevel(Bounds(60, 10, 40, 30), bsBox, bsRaised);
    lowered->SetSkinData(Data);
    raised->SetSkinData(Data);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(lowered, 0, 5), Dark);
    EXPECT_EQ(PixelOf(lowered, 39, 5), Light);
    EXPECT_EQ(PixelOf(raised, 0, 5), Light);
    EXPECT_EQ(PixelOf(raised, 39, 5), Dark);
}

TEST_F(Bevel, ARecordWithoutColoursDrawsBlackLines)
{
    LoadSkin();
    auto* b = NewBevel(Bounds(10, 10, 40, 30), bsBox);
    b->SetSkinDataName("blackbevel");
    b->SetSkinData(Data);
    EXPECT_EQ(b->LightColor, 0);
    EXPECT_EQ(b->DarkColor, 0);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(b, 0, 5), Rgb(0, 0, 0));
    EXPECT_EQ(PixelOf(b, 39, 5), Rgb(0, 0, 0));
    // A record of another kind leaves the colours as they were.
    b->SetSkinDataName("button");
    b->ChangeSkinData();
    EXPECT_EQ(b->LightColor, 0);
}

TEST_F(Bevel, ADividerIsATwoColourLineThroughTheMiddle)
{
    LoadSkin();
    auto* v = NewBevel(Bounds(10, 10, 25, 70), bsBox);
    auto* h = NewBevel(Bounds(60, 10, 70, 25), bsTopLine);
    for (TbsSkinBevel* b : {v, h}) {
        b->SetSkinData(Data);
        b->SetDividerMode(true);
    }
    ShowAndPaint();
    for (int y : {2, 40, 67}) {
        EXPECT_EQ(PixelOf(v, 11, y), Dark) << y;
        EXPECT_EQ(PixelOf(v, 12, y), Light) << y;
    }
    EXPECT_EQ(PixelOf(v, 11, 1), Background);
    EXPECT_EQ(PixelOf(v, 12, 68), Light);   // the bottom line of the rectangle
    EXPECT_EQ(PixelOf(v, 11, 69), Background);
    EXPECT_EQ(PixelOf(v, 0, 30), Background);
    EXPECT_EQ(PixelOf(h, 30, 11), Dark);
    EXPECT_EQ(PixelOf(h, 30, 12), Light);
    EXPECT_EQ(PixelOf(h, 1, 11), Background);
}

TEST_F(Bevel, EveryShapeDrawsItsLines)
{
    struct TCase {
        TBevelShape Shape;
        TPoint Dark, Light, Empty;
    } cases[] = {
        {bsFrame, Point(0, 5), Point(1, 5), Point(5, 5)},
        {bsTopLine, Point(5, 0), Point(5, 1), Point(5, 5)},
        {bsBottomLine, Point(5, 18), Point(5, 19), Point(5, 5)},
        {bsLeftLine, Point(0, 5), Point(1, 5), Point(5, 5)},
        {bsRightLine, Point(28, 5), Point(29, 5), Point(5, 5)},
    };
    LoadSkin();
    std::vector<TbsSkinBevel*> bevels;
    int x = 0;
    for (const TCase& c : cases) {
        bevels.push_back(NewBevel(Bounds(x, 0, 30, 20), c.Shape));
        bevels.back()->SetSkinData(Data);
        x += 40;
    }
    ShowAndPaint();
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(PixelOf(bevels[i], cases[i].Dark.X, cases[i].Dark.Y), Dark) << i;
        EXPECT_EQ(PixelOf(bevels[i], cases[i].Light.X, cases[i].Light.Y), Light) << i;
        EXPECT_EQ(PixelOf(bevels[i], cases[i].Empty.X, cases[i].Empty.Y), Background) << i;
    }
}

TEST_F(Bevel, ANewNameWaitsForTheNextSkinChange)
{
    LoadSkin();
    auto* b = NewBevel(Bounds(10, 10, 40, 30), bsBox);
    b->SetSkinData(Data);
    b->SetSkinDataName("nosuchbevel");
    EXPECT_EQ(b->DarkColor, ColorOf(Dark));
    Data->SendSkinDataMessage(skin::SKN_SKINCHANGE);
    EXPECT_EQ(b->FIndex, -1);
    EXPECT_EQ(b->DarkColor, clBtnShadow);
}

TEST_F(Bevel, AFreedModelIsForgotten)
{
    LoadSkin();
    auto* b = NewBevel(Bounds(10, 10, 40, 30), bsBox);
    b->SetSkinData(Data);
    delete Data;
    Data = nullptr;
    EXPECT_EQ(b->SkinData(), nullptr);
    b->ChangeSkinData();
    EXPECT_EQ(b->FIndex, -1);
}

TEST_F(Bevel, AToolBarThatLinesItsControlsUpCentresTheBevel)
{
    auto* bar = Add(new skin::TbsSkinToolBar(Form.get()), Bounds(0, 0, 200, 40));
    auto* b = new TbsSkinBevel(Form.get());
    b->SetParent(bar);
    b->SetBounds(10, 0, 4, 20);
    TRect r;
    bar->GetSkinClientRect(r);
    EXPECT_EQ(b->Top(), r.Top + r.Height() / 2 - 10);
    bar->AdjustControls = false;
    b->SetBounds(10, 3, 4, 20);
    EXPECT_EQ(b->Top(), 3);
}
