// A skinned form with a ribbon whose application menu continues into the
// caption strip while it is open, on a headless display: the menu's
// caption picture over the strip's left end, the caption text moved right
// of it, the caption buttons and quick buttons under it hidden and out of
// reach of the mouse, and the frame as before once the menu closes.

#include "skin/form/bsRibbon.h"
#include "skin/form/bsSkinForm.h"

#include "../controls/SkinControlsTestSupport.h"
#include "FrameScreenshot.h"
#include "FrameTestSkin.h"
#include "SkinnedFormFixture.h"

#include "platform/controls/ImgList.h"
#include "platform/ui/Input.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;
using skin::TbsAppMenu;
using skin::TbsRibbon;
using skintest::Rgb;
using namespace frametest;

struct AppMenuCaptionTest : SkinnedFormFixture {
    TbsRibbon* Ribbon = nullptr;
    TbsAppMenu* Menu = nullptr;

    std::string StartIni() override { return SkinIniWithAppMenu(AppMenuCaption); }
    void SetUp() override
    {
        SkinnedFormFixture::SetUp();
        // 400 wide: the caption buttons at 324 .. 394, the caption's text
        // rectangle from 4 to 354.
        Form->SetBounds(100, 100, 400, 300);
        Ribbon = new TbsRibbon(Form.get());
        Ribbon->SetParent(Form.get());
        SkinForm->SetSkinRibbon(Ribbon);
        Ribbon->Tabs()->Add()->Page()->SetCaption("开始");
        Menu = new TbsAppMenu(Form.get());
        Menu->SetParent(Form.get());
        Menu->SetSkinData(Data.get());
        Ribbon->SetAppMenu(Menu);
        Menu->Items()->Add()->SetCaption("新建");
        Menu->SetItemWidth(150);
        Application()->ProcessMessages();
    }
    TPoint ScreenOf(int X, int Y) { return Point(Form->Left() + X, Form->Top() + Y); }
    uint32_t Pixel(int X, int Y)
    {
        Application()->ProcessMessages();
        const TPixelSurface* s = GetWindowSurface(Form->Handle());
        return reinterpret_cast<const uint32_t*>(s->Row(Y))[X] & 0x00FFFFFF;
    }
    // The first and last columns of the caption strip holding text
    // pixels, -1 for none.
    std::pair<int, int> TextColumns()
    {
        std::pair<int, int> cols{-1, -1};
        for (int x = 0; x < Form->Width(); ++x)
            for (int y = 4; y < 26; ++y)
                if (Pixel(x, y) == TextColor) {
                    if (cols.first == -1)
                        cols.first = x;
                    cols.second = x;
                    break;
                }
        return cols;
    }
    LRESULT HitTest(int X, int Y)
    {
        return SendMessage(Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(Form->Left() + X, Form->Top() + Y));
    }
    void Move(int X, int Y)
    {
        InjectMouseMove(ScreenOf(X, Y));
        Application()->ProcessMessages();
    }
    // Press and release queued together: a press on the caption starts
    // the move loop, which ends on the queued release.
    void Click(int X, int Y)
    {
        Move(X, Y);
        InjectMouseButton(TMouseButton::mbLeft, true, ScreenOf(X, Y));
        InjectMouseButton(TMouseButton::mbLeft, false, ScreenOf(X, Y));
        Application()->ProcessMessages();
    }
};

TEST_F(AppMenuCaptionTest, TheOpenMenusCaptionCoversTheStripsLeftEndAndTheTextMovesRightOfIt)
{
    EXPECT_FALSE(SkinForm->HasAppMenuCaption());
    EXPECT_EQ(SkinForm->GetAppMenuCaptionOffset(), 154);
    const std::pair<int, int> closed = TextColumns();
    EXPECT_GE(closed.first, 4);
    EXPECT_LT(closed.first, 20);
    EXPECT_EQ(Pixel(60, 15), TopColor);

    Ribbon->ShowAppMenu();
    ASSERT_TRUE(Menu->Visible());
    EXPECT_TRUE(SkinForm->HasAppMenuCaption());
    Application()->ProcessMessages();
    frametest::SaveWindowPng(Form->Handle(), "frame_appmenu_caption.png");
    // The picture stretched over (0, 0, 150, 30) moved right by 4 and
    // starting at y 2.
    for (TPoint p : {Point(4, 2), Point(60, 15), Point(153, 29)})
        EXPECT_EQ(Pixel(p.X, p.Y), AppMenuCaptionColor) << p.X << "," << p.Y;
    for (TPoint p : {Point(3, 15), Point(60, 1), Point(154, 15)})
        EXPECT_EQ(Pixel(p.X, p.Y), TopColor) << p.X << "," << p.Y;
    // The left-justified text starts where the picture ends.
    const std::pair<int, int> open = TextColumns();
    EXPECT_GE(open.first, 154);
    EXPECT_LT(open.first, 170);
    EXPECT_LT(open.second, 354);

    Ribbon->HideAppMenu(nullptr);
    EXPECT_FALSE(SkinForm->HasAppMenuCaption());
    EXPECT_EQ(Pixel(60, 15), TopColor);
    EXPECT_EQ(TextColumns(), closed);
}

TEST_F(AppMenuCaptionTest, NoCaptionWithoutACaptionPictureOrUnderAFullLayeredBorder)
{
    struct TCase {
        const char* Name;
        std::string Ini;
        bool Shown;
    };
    WriteFullBorderMask(Dir);
    const TCase cases[] = {
        {"caption picture", SkinIniWithAppMenu(AppMenuCaption), true},
        {"no caption picture", SkinIniWithAppMenu("captionleftoffset=4\r\n"), false},
        {"full layered border", SkinIniWithAppMenu(AppMenuCaption, FullLayerFrame), false},
    };
    Ribbon->ShowAppMenu();
    for (const TCase& c : cases) {
        LoadIni(c.Ini);
        Application()->ProcessMessages();
        EXPECT_EQ(SkinForm->HasAppMenuCaption(), c.Shown) << c.Name;
        if (!SkinForm->FullBorderShown()) {
            EXPECT_EQ(Pixel(60, 15) == AppMenuCaptionColor, c.Shown) << c.Name;
        }
    }
    // A ribbon without a menu, or none at all: no caption and offset 0.
    Ribbon->SetAppMenu(nullptr);
    EXPECT_FALSE(SkinForm->HasAppMenuCaption());
    EXPECT_EQ(SkinForm->GetAppMenuCaptionOffset(), 0);
    SkinForm->SetSkinRibbon(nullptr);
    EXPECT_FALSE(SkinForm->HasAppMenuCaption());
    EXPECT_EQ(SkinForm->GetAppMenuCaptionOffset(), 0);
}

TEST_F(AppMenuCaptionTest, CaptionButtonsUnderTheMenusCaptionAreHiddenAndTakeNoClicks)
{
    // The picture reaches to 334: the roll-up button (324 .. 340) lies
    // under it, the minimize button (342 .. 358) right of it.
    Menu->SetItemWidth(330);
    ASSERT_EQ(Object("rollupbutton")->ObjectRect, Rect(324, 6, 340, 22));
    EXPECT_EQ(HitTest(332, 14), HTOBJECT);
    Ribbon->ShowAppMenu();
    Application()->ProcessMessages();
    frametest::SaveWindowPng(Form->Handle(), "frame_appmenu_caption_buttons.png");
    EXPECT_EQ(Pixel(332, 14), AppMenuCaptionColor);
    EXPECT_EQ(Pixel(350, 14), MinColor);
    // Over the hidden button the mouse is on the caption; hovering paints
    // nothing over the menu's caption; a click rolls nothing up.
    EXPECT_EQ(HitTest(332, 14), HTCAPTION);
    EXPECT_EQ(HitTest(350, 14), HTOBJECT);
    Move(332, 14);
    SkinForm->MouseTimerProc();
    EXPECT_NE(SkinForm->ActiveObject, SkinForm->GetIndex("rollupbutton"));
    SkinForm->DrawSkinObject(Object("rollupbutton"));
    EXPECT_EQ(Pixel(332, 14), AppMenuCaptionColor);
    Click(332, 14);
    EXPECT_FALSE(SkinForm->RollUpState());
    // The text keeps to the 20 pixels left between the picture and the
    // text rectangle's end at 354, shortened to fit.
    const std::pair<int, int> text = TextColumns();
    EXPECT_GE(text.first, 334);
    EXPECT_LT(text.second, 354);

    Ribbon->HideAppMenu(nullptr);
    EXPECT_EQ(Pixel(332, 14), RollUpColor);
    EXPECT_EQ(HitTest(332, 14), HTOBJECT);
}

TEST_F(AppMenuCaptionTest, QuickButtonsHideUnderTheMenusCaption)
{
    TCustomImageList images(nullptr);
    images.SetSize(12, 12);
    images.AddPixels(std::vector<uint32_t>(144, 0xFF00FF00));
    SkinForm->QuickImageList = &images;
    int clicks = 0;
    skin::TbsQuickButtonItem* item = SkinForm->QuickButtons()->Add();
    item->SetImageIndex(0);
    item->OnClick = [&](TObject*) { ++clicks; };
    Form->Invalidate();
    EXPECT_EQ(Pixel(12, 14), Rgb(0, 255, 0));
    EXPECT_EQ(HitTest(12, 14), HTOBJECT);

    Ribbon->ShowAppMenu();
    EXPECT_EQ(Pixel(12, 14), AppMenuCaptionColor);
    // The whole caption object is caption now: the strip's left end drags
    // the form.
    EXPECT_EQ(HitTest(12, 14), HTCAPTION);
    auto* caption = dynamic_cast<skin::TbsSkinCaptionObject*>(Object("caption"));
    ASSERT_NE(caption, nullptr);
    caption->MouseMove(12, 14);
    EXPECT_EQ(caption->ActiveQuickButton, -1);
    caption->MouseDown(12, 14, mbLeft);
    EXPECT_FALSE(item->Down);
    caption->MouseUp(12, 14, mbLeft);
    EXPECT_EQ(clicks, 0);

    Ribbon->HideAppMenu(nullptr);
    EXPECT_EQ(Pixel(12, 14), Rgb(0, 255, 0));
    caption->MouseDown(12, 14, mbLeft);
    caption->MouseUp(12, 14, mbLeft);
    EXPECT_EQ(clicks, 1);
    SkinForm->QuickImageList = nullptr;
}

} // namespace
