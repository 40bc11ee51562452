// The scroll box on a headless form: linked bars follow the children's
// extent, the children move with the bars, growing and shrinking pull the
// content back, and the plain frame takes one pixel on every side.
#include "skin/boxes/bsSkinBoxCtrls_ScrollBox.h"

#include "skin/boxes/BoxesTestSupport.h"

namespace {

using namespace skintest;
using skin::TbsSkinScrollBar;
using skin::TbsSkinScrollBox;

struct ScrollBoxTest : TBoxesFixture {
    TbsSkinScrollBox* Box = nullptr;
    TbsSkinScrollBar* V = nullptr;
    TbsSkinScrollBar* H = nullptr;
    TControl* Child = nullptr;

    // A box with a 200 x 200 client and a child that ends at (150, 300).
    void Make()
    {
        Box = Add(new TbsSkinScrollBox(Form.get()), Rect(10, 10, 212, 212));
        V = Add(new TbsSkinScrollBar(Form.get()), Rect(215, 10, 234, 212));
        V->SetKind(sbVertical);
        H = Add(new TbsSkinScrollBar(Form.get()), Rect(10, 215, 212, 234));
        Child = new TPanel(Form.get());
        Child->SetBounds(0, 0, 150, 300);
        Child->SetParent(Box);
        ShowAndPaint();
        Box->SetVScrollBar(V);
        Box->SetHScrollBar(H);
    }
};

TEST_F(ScrollBoxTest, ChildrenTallerThanTheClientShowTheBarAndMoveWithIt)
{
    Make();
    EXPECT_EQ(Box->ClientWidth(), 200);
    EXPECT_EQ(Box->ClientHeight(), 200);
    EXPECT_TRUE(V->Visible());
    EXPECT_FALSE(H->Visible());
    EXPECT_EQ(V->Max(), 299);
    EXPECT_EQ(V->PageSize(), 200);
    V->SetPosition(100);
    EXPECT_EQ(Child->Top(), -100);   // the content's bottom meets the client's
    // The end of the content can be reached: the bar's own limit, not one less.
    Box->VScroll(1000);
    EXPECT_EQ(V->Position(), 100);
    H->SetRange(0, 299, 0, 200);
    Box->HScroll(1000);
    EXPECT_EQ(H->Position(), 100);
}

TEST_F(ScrollBoxTest, GrowingAndShrinkingPullTheContentBack)
{
    Make();
    V->SetPosition(100);
    Box->SetBounds(10, 10, 202, 252);   // 50 taller
    Box->UpDateScrollRange();
    EXPECT_EQ(Child->Top(), -50);
    EXPECT_EQ(V->Position(), 50);
    EXPECT_EQ(V->PageSize(), 250);
    Box->SetBounds(10, 10, 202, 402);   // everything fits
    Box->UpDateScrollRange();
    EXPECT_EQ(Child->Top(), 0);
    EXPECT_FALSE(V->Visible());
    EXPECT_EQ(V->Max(), 0);
    // The corner square follows the vertical bar at the next computation.
    Box->UpDateScrollRange();
    EXPECT_FALSE(H->Both());
    Box->SetBounds(10, 10, 202, 102);
    Box->UpDateScrollRange();
    EXPECT_TRUE(V->Visible());
    Box->UpDateScrollRange();
    EXPECT_TRUE(H->Both());
    // A shorter child while scrolled: no empty band below it.
    V->SetPosition(150);
    Child->SetHeight(200);
    Box->UpDateScrollRange();
    EXPECT_EQ(Child->Top() + Child->Height(), 100);
}

TEST_F(ScrollBoxTest, PlainFrameColoursByBorderStyle)
{
    Make();
    EXPECT_EQ(PixelOf(Box, -1, -1), SysRgb(clBtnShadow));
    Box->SetBorderStyle(skin::bvNone);
    Pump();
    EXPECT_EQ(Box->ClientWidth(), 202);
}

} // namespace
