// Spin buttons on a headless form: layout, clicks, range, auto-repeat ticks,
// capture, and the plain and "resizebutton" looks.
#include "skin/boxes/bsSkinBoxCtrls_UpDown.h"

#include "skin/boxes/BoxesTestSupport.h"

namespace {

using namespace skintest;
using skin::TbsSkinUpDown;

struct UpDownTest : TBoxesFixture {
    std::string Log;
    TbsSkinUpDown* NewUpDown()
    {
        auto* ud = Add(new TbsSkinUpDown(Form.get()), Rect(10, 10, 60, 35));
        ud->OnChange = [this, ud](TObject*) { Log += "c" + std::to_string(ud->Position()); };
        ud->OnUpButtonClick = [this](TObject*) { Log += "U"; };
        ud->OnDownButtonClick = [this](TObject*) { Log += "D"; };
        return ud;
    }
};

TEST_F(UpDownTest, HorizontalButtonsShareTheMiddleEdgeWithTheUpButton)
{
    auto* ud = NewUpDown();
    ShowAndPaint();
    EXPECT_EQ(ud->Buttons[0].R, Rect(25, 0, 50, 25));
    EXPECT_EQ(ud->Buttons[1].R, Rect(0, 0, 25, 25));
    Mouse(ud, 25, 10);
    EXPECT_EQ(ud->ActiveButton, 0);
    Mouse(ud, 24, 10);
    EXPECT_EQ(ud->ActiveButton, 1);
    ud->SetOrientation(skin::udVertical);
    EXPECT_EQ(ud->Buttons[0].R, Rect(0, 0, 50, 12));
    EXPECT_EQ(ud->Buttons[1].R, Rect(0, 12, 50, 25));
}

TEST_F(UpDownTest, ClicksStepWithinTheRange)
{
    auto* ud = NewUpDown();
    ud->SetMax(2);
    ud->SetIncrement(2);
    ShowAndPaint();
    Click(ud, 40, 10);
    EXPECT_EQ(Log, "c2U");
    Click(ud, 40, 10);   // at Max: no step, the click still fires
    EXPECT_EQ(Log, "c2UU");
    Click(ud, 5, 10);
    EXPECT_EQ(Log, "c2UUc0D");
    // Released outside: neither a step nor a click.
    Mouse(ud, 40, 10);
    Mouse(ud, 40, 10, 1);
    Mouse(ud, 40, 60);
    Mouse(ud, 40, 60, 0);
    EXPECT_EQ(Log, "c2UUc0D");
    ud->SetIncrement(0);
    Click(ud, 40, 10);
    EXPECT_EQ(Log, "c2UUc0DU");
    ud->SetPosition(0);   // the same value fires again
    ud->SetPosition(5);   // out of range: ignored
    EXPECT_EQ(Log, "c2UUc0DUc0");
    ud->SetPosition(2);
    ud->SetMax(1);
    EXPECT_EQ(ud->Position(), 1);
    EXPECT_EQ(Log, "c2UUc0DUc0c2");
}

TEST_F(UpDownTest, HeldButtonRepeatsAfterTheDelayAndCapturesTheOther)
{
    auto* ud = NewUpDown();
    ShowAndPaint();
    Mouse(ud, 40, 10);
    Mouse(ud, 40, 10, 1);
    EXPECT_TRUE(ud->WaitMode);
    EXPECT_EQ(ud->TimerMode, 2);
    ud->Perform(WM_TIMER, 1);   // the first delay ends: no step yet
    EXPECT_EQ(Log, "");
    ud->Perform(WM_TIMER, 1);
    ud->Perform(WM_TIMER, 1);
    EXPECT_EQ(Log, "c1c2");
    // Moving onto the down button neither hovers nor presses it.
    Mouse(ud, 5, 10);
    EXPECT_EQ(ud->ActiveButton, -1);
    EXPECT_FALSE(ud->Buttons[1].MouseIn);
    EXPECT_FALSE(ud->Buttons[1].Down);
    Mouse(ud, 40, 10);
    Mouse(ud, 40, 10, 0);
    EXPECT_EQ(Log, "c1c2c3U");
    EXPECT_EQ(ud->TimerMode, 0);
}

TEST_F(UpDownTest, PlainLookAndHover)
{
    auto* ud = NewUpDown();
    ShowAndPaint();
    EXPECT_EQ(PixelOf(ud, 0, 0), RgbOf(clBtnShadow));
    EXPECT_EQ(PixelOf(ud, 3, 3), RgbOf(clBtnFace));
    EXPECT_EQ(PixelOf(ud, 12, 12), Rgb(0, 0, 0));   // the left arrow's point region
    Mouse(ud, 40, 10);
    EXPECT_EQ(PixelOf(ud, 25, 0), Rgb(0x3B, 0x6B, 0xB7));
    EXPECT_EQ(PixelOf(ud, 28, 3), Rgb(0xC1, 0xD4, 0xF3));
    EXPECT_EQ(PixelOf(ud, 3, 3), RgbOf(clBtnFace));
}

TEST_F(UpDownTest, ResizeButtonRecordDrawsBothButtonsAtAnySize)
{
    Folder.Rewrite(SkinIni("resizebutton:button\r\nhupdown:updown", std::string("[hupdown]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\n[resizebutton]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\n"
                                                              "lefttoppoint=3,3\r\nrighttoppoint=27,3\r\nleftbottompoint=3,17\r\n"
                                                              "rightbottompoint=27,17\r\nclientrect=3,3,27,17\r\n"
                                                              "activeskinrect=30,0,60,20\r\nfontcolor=0\r\n")));
    LoadSkin();
    auto* ud = NewUpDown();
    ud->UseSkinSize = false;
    ud->SetSkinData(Data);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(ud, 0, 0), NormalEdge);
    EXPECT_EQ(PixelOf(ud, 25, 0), NormalEdge);
    EXPECT_EQ(PixelOf(ud, 49, 24), NormalEdge);
    Mouse(ud, 40, 10);
    EXPECT_EQ(PixelOf(ud, 25, 0), HotEdge);
    EXPECT_EQ(PixelOf(ud, 0, 0), NormalEdge);
}

} // namespace
