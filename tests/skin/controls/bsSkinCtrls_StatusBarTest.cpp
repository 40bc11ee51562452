#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_StatusBar.h"

#include "platform/controls/ExtCtrls.h"

using namespace skintest;
using skin::TbsSkinPanel;
using skin::TbsSkinStatusBar;

namespace {

// "statusbar" has the check picture as its grip (key colour as holes);
// "linebar" has no grip picture.
const std::string BarControls = "statusbar:panel\r\nlinebar:panel\r\n";
const std::string BarSections =
    "[statusbar]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,3\r\nrighttoppoint=27,3\r\n"
    "leftbottompoint=3,17\r\nrightbottompoint=27,17\r\nclientrect=3,3,27,17\r\n"
    "gripperrect=0,20,13,33\r\ngrippertransparent=1\r\ngrippertransparentcolor=16711935\r\n"
    "[linebar]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,3\r\nrighttoppoint=27,3\r\n"
    "leftbottompoint=3,17\r\nrightbottompoint=27,17\r\nclientrect=3,3,27,17\r\n";

struct SkinStatusBar : TSkinFixture {
    SkinStatusBar() { Folder.Rewrite(SkinIni(BarControls, BarSections)); }
    TbsSkinStatusBar* NewBar()
    {
        auto* b = new TbsSkinStatusBar(Form.get());
        b->SetParent(Form.get());   // aligned to the form's bottom: (0, 179, 300, 21)
        return b;
    }
    static TRect ClientOf(TbsSkinPanel* P)
    {
        TRect r;
        P->GetSkinClientRect(r);
        return r;
    }
    LRESULT HitTest(TWinControl* C, int X, int Y)
    {
        const TPoint p = C->ClientToScreen(Point(X, Y));
        return SendMessage(C->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y));
    }
};

} // namespace

TEST_F(SkinStatusBar, SitsAtTheFormsBottomWithoutAGrip)
{
    auto* b = NewBar();
    EXPECT_EQ(b->SkinDataName(), "statusbar");
    EXPECT_EQ(b->BoundsRect(), Bounds(0, 179, 300, 21));
    EXPECT_EQ(b->BorderStyle(), skin::bvNone);
    EXPECT_FALSE(b->SizeGrip());
    EXPECT_TRUE(b->ShowGrip());
    EXPECT_FALSE(b->ForcebackGround());
    EXPECT_EQ(ClientOf(b), Rect(0, 0, 300, 21));
    EXPECT_EQ(HitTest(b, 295, 15), HTCLIENT);
}

TEST_F(SkinStatusBar, TheBuiltInGripIsASquareOfLinesThatSizesTheForm)
{
    auto* b = NewBar();
    b->SetSizeGrip(true);
    EXPECT_EQ(ClientOf(b), Rect(0, 0, 279, 21));
    EXPECT_EQ(b->GripRect(), Rect(281, 0, 300, 19));
    EXPECT_EQ(HitTest(b, 290, 10), HTBOTTOMRIGHT);
    EXPECT_EQ(HitTest(b, 280, 10), HTCLIENT);
    EXPECT_EQ(HitTest(b, 290, 20), HTCLIENT);   // below the grip
    ShowAndPaint();
    // Inset by 2: (283, 2, 298, 17); dark lines start at x = 287, 290, 293.
    for (int x : {287, 290, 293})
        EXPECT_EQ(PixelOf(b, x, 17), ColorRgb(clBtnShadow)) << x;
    EXPECT_EQ(PixelOf(b, 297, 7), ColorRgb(clBtnShadow));
    EXPECT_EQ(PixelOf(b, 286, 17), ColorRgb(clBtnFace));
    // Hidden while the form is maximized: no room, no lines, plain hit tests.
    b->SetShowGrip(false);
    EXPECT_EQ(ClientOf(b), Rect(0, 0, 300, 21));
    EXPECT_EQ(HitTest(b, 290, 10), HTCLIENT);
    EXPECT_EQ(PixelOf(b, 287, 17), ColorRgb(clBtnFace));
}

TEST_F(SkinStatusBar, ASkinnedGripIsTheSkinsPictureWithItsKeyAsHoles)
{
    LoadSkin();
    auto* b = NewBar();
    b->SetSkinData(Data);
    b->SetSizeGrip(true);
    EXPECT_EQ(ClientOf(b), Rect(0, 0, 287, 21));
    EXPECT_EQ(b->GripRect(), Rect(287, 8, 300, 21));
    EXPECT_EQ(HitTest(b, 290, 5), HTCLIENT);
    EXPECT_EQ(HitTest(b, 290, 10), HTBOTTOMRIGHT);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(b, 287 + 5, 8 + 5), CheckMark);
    EXPECT_EQ(PixelOf(b, 287, 8), NormalFill);   // a hole: the bar beneath
    EXPECT_EQ(PixelOf(b, 10, 10), NormalFill);
}

TEST_F(SkinStatusBar, ASkinWithoutAGripPictureDrawsLinesInTheSkinsColours)
{
    LoadSkin();
    auto* b = NewBar();
    b->SetSkinDataName("linebar");
    b->SetSkinData(Data);
    b->SetSizeGrip(true);
    EXPECT_EQ(ClientOf(b), Rect(0, 0, 279, 21));
    ShowAndPaint();
    EXPECT_EQ(PixelOf(b, 287, 17), Rgb(64, 64, 64));     // the skin's shadow
    EXPECT_EQ(PixelOf(b, 288, 17), Rgb(255, 255, 255));  // and highlight
}

TEST_F(SkinStatusBar, PassesItsSkinToItsSkinnedChildren)
{
    auto* b = NewBar();
    auto* child = new TbsSkinPanel(Form.get());
    child->SetParent(b);
    auto* plain = new TPanel(Form.get());
    plain->SetParent(b);
    b->SetSkinData(Data);
    EXPECT_EQ(child->SkinData(), Data);
}
