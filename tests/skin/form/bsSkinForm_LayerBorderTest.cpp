// The layered border that draws a skinned form's whole frame, on a
// headless display: where its four windows stand around the form in each
// state, what lies under the cursor on them, drags that size and move the
// form, the caption, caption buttons and caption quick buttons drawn on its
// top strip with their transparency kept, and the form without a frame of
// its own inside it.

#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenus.h"

#include "../controls/SkinControlsTestSupport.h"
#include "FrameScreenshot.h"
#include "FrameTestSkin.h"
#include "SkinnedFormFixture.h"

#include "platform/controls/ImgList.h"
#include "platform/controls/Menus.h"
#include "platform/gfx/Gdi.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Input.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;
using skin::TbsFormLayerBorderHit;
using skin::TbsSkinData;
using skin::TbsSkinForm;
using skintest::Rgb;
using namespace frametest;

struct LayerBorderTest : SkinnedFormFixture {
    std::string StartIni() override
    {
        WriteFullBorderMask(Dir);
        return SkinIni(LeftText, FullLayerFrame);
    }
    skin::TbsFormLayerBorder* Border() { return SkinForm->BorderLayer(); }
    skin::TbsFormLayerWindow* Window(skin::TbsFormLayerBorderType AType) { return Border()->Windows[AType].get(); }
    TRect Bounds(skin::TbsFormLayerBorderType AType)
    {
        skin::TbsFormLayerWindow* w = Window(AType);
        return w && w->Visible() ? w->BoundsRect() : TRect{};
    }
    void Move(TPoint P)
    {
        InjectMouseMove(P);
        Application()->ProcessMessages();
    }
    void Button(bool ADown, TPoint P)
    {
        InjectMouseButton(TMouseButton::mbLeft, ADown, P);
        Application()->ProcessMessages();
    }
    // A drag along the points, pressed at the first, released at the last.
    void Drag(const std::vector<TPoint>& APath)
    {
        Move(APath.front());
        Button(true, APath.front());
        for (TPoint p : APath)
            Move(p);
        Button(false, APath.back());
    }
    // The top strip's pixel (colour and alpha) as the window shows it.
    uint32_t TopPixel(int X, int Y)
    {
        Application()->ProcessMessages();
        const TPixelSurface* s = GetWindowSurface(Window(skin::bsflTop)->Handle());
        return reinterpret_cast<const uint32_t*>(s->Row(Y))[X];
    }
};

TEST_F(LayerBorderTest, WindowsStandAroundTheFormInEachState)
{
    ASSERT_TRUE(Border()->FVisible);
    ASSERT_TRUE(SkinForm->FullBorderShown());
    // Layer rectangle (90, 70, 310, 230) around the form at (100, 100) of
    // 200 x 120: a 30-pixel top strip, a 10-pixel bottom one, 10-pixel sides.
    struct TCase {
        const char* State;
        std::function<void(LayerBorderTest&)> Apply;
        TRect Top, Bottom, Left, Right;
    };
    const TCase cases[] = {
        {"normal", [](LayerBorderTest&) {}, Rect(90, 70, 310, 100), Rect(90, 220, 310, 230), Rect(90, 100, 100, 220),
         Rect(300, 100, 310, 220)},
        {"moved and sized", [](LayerBorderTest& T) { T.Form->SetBounds(150, 120, 260, 150); },
         Rect(140, 90, 420, 120), Rect(140, 270, 420, 280), Rect(140, 120, 150, 270), Rect(410, 120, 420, 270)},
        // Rolled up the form is as high as the border's roll-up height (0):
        // the strips meet and the sides have no rows to show.
        {"rolled up", [](LayerBorderTest& T) { T.SkinForm->SetRollUpState(true); }, Rect(140, 90, 420, 120),
         Rect(140, 120, 420, 130), TRect{}, TRect{}},
        {"unrolled", [](LayerBorderTest& T) { T.SkinForm->SetRollUpState(false); }, Rect(140, 90, 420, 120),
         Rect(140, 270, 420, 280), Rect(140, 120, 150, 270), Rect(410, 120, 420, 270)},
        // Maximized, the border stays, laid inside the work area (0, 0, 800,
        // 560) by its sizing edges.
        {"maximized", [](LayerBorderTest& T) { T.SkinForm->SetWindowState(wsMaximized); }, Rect(-4, -4, 804, 26),
         Rect(-4, 554, 804, 564), Rect(-4, 26, 6, 554), Rect(794, 26, 804, 554)},
        {"restored", [](LayerBorderTest& T) { T.SkinForm->SetWindowState(wsNormal); }, Rect(140, 90, 420, 120),
         Rect(140, 270, 420, 280), Rect(140, 120, 150, 270), Rect(410, 120, 420, 270)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.State);
        c.Apply(*this);
        Application()->ProcessMessages();
        EXPECT_EQ(Bounds(skin::bsflTop), c.Top);
        EXPECT_EQ(Bounds(skin::bsflBottom), c.Bottom);
        EXPECT_EQ(Bounds(skin::bsflLeft), c.Left);
        EXPECT_EQ(Bounds(skin::bsflRight), c.Right);
    }
    // Rolled up under a border that names no roll-up height, the form
    // keeps one row of its window: an empty region would drop it from the
    // screen.
    SkinForm->SetRollUpState(true);
    Application()->ProcessMessages();
    RECT box{};
    ASSERT_NE(SkinForm->FrameRgn(), nullptr);
    GetRgnBox(SkinForm->FrameRgn(), &box);
    EXPECT_EQ(box.Height(), 1);
    EXPECT_EQ(box.Width(), Form->Width());
    SkinForm->SetRollUpState(false);
    Application()->ProcessMessages();
    GetRgnBox(SkinForm->FrameRgn(), &box);
    EXPECT_EQ(box.Height(), Form->Height());

    // The form's window is all client area, without a frame of its own.
    EXPECT_EQ(Form->ClientWidth(), Form->Width());
    EXPECT_EQ(Form->ClientHeight(), Form->Height());
    EXPECT_EQ(SendMessage(Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(160, 125)), HTCLIENT);

    // Hidden with the form, back with it; gone with a skin that turns
    // layered borders off, which gives the form its own frame back.
    Form->Hide();
    EXPECT_FALSE(Border()->FVisible);
    Form->Show();
    EXPECT_TRUE(Border()->FVisible);
    Data->SetShowLayeredBorders(false);
    EXPECT_FALSE(Border()->FVisible);
    EXPECT_LT(Form->ClientHeight(), Form->Height());
    Data->SetShowLayeredBorders(true);
    EXPECT_TRUE(Border()->FVisible);
    EXPECT_EQ(Form->ClientHeight(), Form->Height());
}

TEST_F(LayerBorderTest, HitTestGivesSizingZonesCaptionAndObjects)
{
    SetActiveWindow(Form->Handle());
    // Form (100, 100, 300, 220); outer edges 94, 74, 306, 226; the caption
    // zone (102, 78, 298, 96) on the screen; the close button at (282, 78).
    struct TCase {
        skin::TbsFormLayerBorderType Window;
        TPoint At;
        TbsFormLayerBorderHit Hit;
        TCursor Cursor;
    };
    const TCase cases[] = {
        {skin::bsflTop, Point(95, 75), skin::bsflhTopLeft, crSizeNWSE},
        {skin::bsflTop, Point(200, 75), skin::bsflhTop, crSizeNS},
        {skin::bsflTop, Point(300, 76), skin::bsflhTopRight, crSizeNESW},
        {skin::bsflTop, Point(95, 90), skin::bsflhLeft, crSizeWE},
        {skin::bsflTop, Point(303, 90), skin::bsflhRight, crSizeWE},
        {skin::bsflTop, Point(150, 88), skin::bsflCaption, crDefault},
        {skin::bsflTop, Point(290, 86), skin::bsflObject, crDefault},
        {skin::bsflTop, Point(91, 72), skin::bsflhNone, crDefault},
        {skin::bsflLeft, Point(95, 150), skin::bsflhLeft, crSizeWE},
        {skin::bsflLeft, Point(91, 150), skin::bsflhNone, crDefault},
        {skin::bsflRight, Point(303, 150), skin::bsflhRight, crSizeWE},
        {skin::bsflRight, Point(308, 150), skin::bsflhNone, crDefault},
        {skin::bsflBottom, Point(95, 222), skin::bsflhBottomLeft, crSizeNESW},
        {skin::bsflBottom, Point(200, 222), skin::bsflhBottom, crSizeNS},
        {skin::bsflBottom, Point(300, 222), skin::bsflhBottomRight, crSizeNWSE},
        {skin::bsflBottom, Point(200, 228), skin::bsflhNone, crDefault},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.At.X << "," << c.At.Y);
        Move(c.At);
        EXPECT_EQ(WindowFromPoint(c.At), Window(c.Window)->Handle());
        EXPECT_EQ(Window(c.Window)->FHitMode, c.Hit);
        EXPECT_EQ(Window(c.Window)->Cursor, c.Cursor);
    }
    // A form that cannot be sized has no sizing zones; the caption stays.
    Form->SetBorderStyle(bsSingle);
    for (const TCase& c : cases) {
        Move(c.At);
        const bool object = c.Hit == skin::bsflCaption || c.Hit == skin::bsflObject;
        EXPECT_EQ(Window(c.Window)->FHitMode, object ? c.Hit : skin::bsflhNone) << c.At.X << "," << c.At.Y;
    }
}

TEST_F(LayerBorderTest, DraggingTheBorderSizesAndMovesTheForm)
{
    SetActiveWindow(Form->Handle());
    struct TCase {
        const char* Name;
        std::vector<TPoint> Path;
        TRect Bounds;
    };
    const TCase cases[] = {
        {"right edge out", {Point(303, 150), Point(333, 150)}, Rect(100, 100, 330, 220)},
        {"bottom edge in", {Point(200, 222), Point(200, 202)}, Rect(100, 100, 330, 200)},
        // Only horizontally: the corner keeps the height.
        {"bottom-right corner sideways", {Point(326, 202), Point(306, 202)}, Rect(100, 100, 310, 200)},
        {"top-left corner", {Point(95, 75), Point(85, 65)}, Rect(90, 90, 310, 200)},
        // At the minimum width (120, the frame picture's) the left edge goes
        // no further, and follows the cursor back only from its band.
        {"left edge to its limit",
         {Point(85, 150), Point(155, 150), Point(205, 150), Point(180, 150), Point(157, 150)},
         Rect(137, 90, 310, 200)},
        {"caption moves", {Point(150, 78), Point(180, 98)}, Rect(167, 110, 340, 220)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Drag(c.Path);
        EXPECT_EQ(Form->BoundsRect(), c.Bounds);
        // The border follows: its top strip spans the form's layer width.
        EXPECT_EQ(Bounds(skin::bsflTop),
                  Rect(c.Bounds.Left - 10, c.Bounds.Top - 30, c.Bounds.Right + 10, c.Bounds.Top));
        EXPECT_FALSE(SkinForm->FBorderLayerChangeSize);
    }
    // A double click on the caption maximizes the form and restores it.
    struct TClick {
        TPoint At;
        TWindowState State;
    };
    for (const TClick& c : {TClick{Point(200, 98), wsMaximized}, TClick{Point(200, 12), wsNormal}}) {
        Move(c.At);
        for (int i = 0; i < 2; ++i) {
            Button(true, c.At);
            Button(false, c.At);
        }
        EXPECT_EQ(SkinForm->WindowState(), c.State);
    }
    EXPECT_EQ(Form->BoundsRect(), Rect(167, 110, 340, 220));
}

TEST_F(LayerBorderTest, TopStripCarriesCaptionAndButtonsKeepingItsAlpha)
{
    SetActiveWindow(Form->Handle());
    Application()->ProcessMessages();
    // The buttons flow from the caption strip's right end (208) 2 apart.
    EXPECT_EQ(Object("closebutton")->ObjectRect, Rect(192, 8, 208, 24));
    EXPECT_EQ(Object("maxbutton")->ObjectRect, Rect(174, 8, 190, 24));
    EXPECT_EQ(Object("minbutton")->ObjectRect, Rect(156, 8, 172, 24));
    EXPECT_EQ(Object("rollupbutton")->ObjectRect, Rect(138, 8, 154, 24));
    EXPECT_EQ(Object("caption")->ObjectRect, Rect(12, 8, 134, 26));
    frametest::SaveWindowPng(Window(skin::bsflTop)->Handle(), "layer_full_top.png");
    EXPECT_EQ(TopPixel(200, 16), 0xFF000000u | CloseColor);
    EXPECT_EQ(TopPixel(182, 16), 0xFF000000u | MaxColor);
    // Outside the caption strip the picture is opaque; inside it only the
    // text is, in its colour (edges smoothed towards see-through).
    EXPECT_EQ(TopPixel(5, 5), 0xFF000000u | LayerColor);
    EXPECT_EQ(TopPixel(120, 20) >> 24, 0u);
    int text = 0;
    for (int y = 8; y < 26; ++y)
        for (int x = 12; x < 100; ++x)
            text += (TopPixel(x, y) >> 24) >= 128 && (TopPixel(x, y) & 0xFF) >= 128;
    EXPECT_GT(text, 20);

    // Hover shows the hot look; a click runs the command.
    Move(Point(290, 86));
    EXPECT_EQ(TopPixel(200, 16), 0xFF000000u | CloseHot);
    Move(Point(150, 200));
    Move(Point(290, 86));
    Button(true, Point(290, 86));
    Button(false, Point(290, 86));
    EXPECT_FALSE(Form->Visible());
    EXPECT_FALSE(Border()->FVisible);
}

// A system-menu button with the form's icon on the full border's caption.
struct LayerIconTest : LayerBorderTest {
    std::string StartIni() override
    {
        std::string ini = LayerBorderTest::StartIni();
        const std::string objects = "count=5\r\n0=closebutton:stdbutton\r\n";
        ini.replace(ini.find(objects), objects.size(), "count=6\r\n5=sysmenubutton:stdbutton\r\n0=closebutton:stdbutton\r\n");
        return ini + frametest::Button("sysmenubutton", "cmsysmenu", 7, "");
    }
    // A 16 x 16 icon: its left third opaque red, the middle half seen, the
    // right clear (premultiplied), in the given pixel format.
    void SetIcon(TPixelFormat AFormat)
    {
        std::vector<uint32_t> pixels(16 * 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                pixels[size_t(y * 16 + x)] = x < 5 ? 0xFFFF0000u : x < 11 ? 0x80800000u : 0u;
        Form->Icon()->SetPixels32(16, 16, pixels.data(), AFormat);
        SkinForm->ShowIcon = true;
        LoadIni(StartIni()); // the border is made anew with the icon
        Application()->ProcessMessages();
    }
    // The alpha of the top strip at the icon's column AX.
    uint8_t IconAlpha(int AX)
    {
        const TRect r = Object("sysmenubutton")->ObjectRect;
        return uint8_t(TopPixel(r.Left + AX, r.Top + 8) >> 24);
    }
};

// An icon with alpha of its own keeps it on the see-through caption strip;
// one without is opaque where it has pixels.
TEST_F(LayerIconTest, TheIconsOwnAlphaIsKeptOnTheFullBorder)
{
    SetIcon(pf32bit);
    ASSERT_NE(Object("sysmenubutton"), nullptr);
    EXPECT_TRUE(SkinForm->IsAlphaIcon);
    EXPECT_EQ(IconAlpha(2), 255);
    EXPECT_NEAR(IconAlpha(8), 128, 2);
    EXPECT_EQ(IconAlpha(14), 0);
    frametest::SaveWindowPng(Window(skin::bsflTop)->Handle(), "layer_full_top_alpha_icon.png");

    SetIcon(pf24bit);
    EXPECT_FALSE(SkinForm->IsAlphaIcon);
    EXPECT_EQ(IconAlpha(2), 255);
    EXPECT_EQ(IconAlpha(8), 255);
    EXPECT_EQ(IconAlpha(14), 255);
}

// Two quick buttons after a divider on the full border's caption, the
// second with a menu. Their
// 12 x 12 image is opaque pink in its left third, half seen in the middle
// and clear on the right; the caption strip is see-through except an opaque
// patch at its left end, under the divider.
struct LayerQuickButtonsTest : LayerBorderTest {
    static constexpr uint32_t Pink = Rgb(255, 128, 255);
    TCustomImageList Images{nullptr};
    std::unique_ptr<TPopupMenu> Menu = std::make_unique<TPopupMenu>(nullptr);
    int Clicks = 0;

    static std::string QuickCaption(int AMaskPicture)
    {
        return LeftText + "activepictureindex=0\r\ndividerrect=112,0,114,16\r\nquickbuttonalphamaskpictureindex=" +
               std::to_string(AMaskPicture) + "\r\n";
    }
    std::string StartIni() override
    {
        testsupport::WriteFile(Dir.File("layermask.bmp"), skintest::BmpFile(140, 80, [](int X, int Y) {
                                   const bool form = X >= 10 && X < 130 && Y >= 30 && Y < 70;
                                   const bool clear = X >= 20 && X < 128 && Y >= 8 && Y < 26;
                                   return form || clear ? Rgb(0, 0, 0) : Rgb(255, 255, 255);
                               }));
        return SkinIni(QuickCaption(-1), FullLayerFrame);
    }
    void SetUp() override
    {
        LayerBorderTest::SetUp();
        Images.SetSize(12, 12);
        std::vector<uint32_t> pixels(144);
        for (int i = 0; i < 144; ++i)
            pixels[size_t(i)] = i % 12 < 4 ? 0xFF000000u | Pink : i % 12 < 8 ? 0x80804080u : 0u;
        Images.AddPixels(pixels);
        SkinForm->QuickImageList = &Images;
        for (int i = 0; i < 2; ++i)
            SkinForm->QuickButtons()->Add()->SetImageIndex(0);
        Item(0)->OnClick = [this](TObject*) { ++Clicks; };
        auto* entry = new TMenuItem(Menu.get());
        entry->Caption = "Entry";
        Menu->Items()->Add(entry);
        SkinForm->QuickButtons()->Items(1)->PopupMenu = Menu.get();
        SetActiveWindow(Form->Handle());
        Application()->ProcessMessages();
    }
    void TearDown() override
    {
        SkinForm->QuickImageList = nullptr;
        LayerBorderTest::TearDown();
    }
    skin::TbsQuickButtonItem* Item(int AIndex) { return SkinForm->QuickButtons()->Items(AIndex); }
    // The screen point of (X, Y) on the top strip at (90, 70).
    static TPoint OnStrip(int X, int Y) { return Point(90 + X, 70 + Y); }
    void RightClick(TPoint P)
    {
        Move(P);
        InjectMouseButton(TMouseButton::mbRight, true, P);
        Application()->ProcessMessages();
        InjectMouseButton(TMouseButton::mbRight, false, P);
        Application()->ProcessMessages();
    }
};

// The divider 3 pixels into the caption, the items 6 pixels after it, 8
// apart; the title only right of them all.
TEST_F(LayerQuickButtonsTest, StripStandsAfterTheDividerAndTheTitleAfterIt)
{
    EXPECT_EQ(Object("caption")->ObjectRect, Rect(12, 8, 134, 26));
    EXPECT_EQ(Item(0)->ItemRect, Rect(20, 9, 36, 25));
    EXPECT_EQ(Item(1)->ItemRect, Rect(40, 9, 56, 25));
    frametest::SaveWindowPng(Window(skin::bsflTop)->Handle(), "layer_full_top_quick_buttons.png");
    struct TCase {
        const char* What;
        TPoint At;
        uint32_t Pixel;
    };
    const TCase cases[] = {
        {"divider on the opaque patch", Point(15, 16), 0xFF000000u | RollUpColor},
        {"strip beside the divider", Point(17, 16), 0xFF000000u | LayerColor},
        {"clear strip round the image", Point(21, 16), 0u},
        {"opaque image", Point(23, 16), 0xFF000000u | Pink},
        {"half-seen image over the clear strip", Point(27, 16), 0x80804080u},
        {"clear image", Point(31, 16), 0u},
        {"second item's image", Point(43, 16), 0xFF000000u | Pink},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TopPixel(c.At.X, c.At.Y), c.Pixel) << c.What;
    // The title "Frame", white, centred beside the strip: nothing of it
    // left of x 60, where the text rectangle begins.
    int left = 0, right = 0;
    for (int y = 8; y < 26; ++y)
        for (int x = 12; x < 134; ++x) {
            const uint32_t p = TopPixel(x, y);
            const bool text = (p >> 24) >= 128 && ((p >> 16) & 0xFF) >= 200 && ((p >> 8) & 0xFF) >= 200 && (p & 0xFF) >= 200;
            (x < 60 ? left : right) += text;
        }
    EXPECT_EQ(left, 0);
    EXPECT_GT(right, 20);
}

// Hover shows the skin's hot frame under the image, pressing its pressed
// frame; a release over the button clicks it and moves nothing. The frame
// is opaque, or as see-through as the skin's mask makes it.
TEST_F(LayerQuickButtonsTest, HoverPressAndClickShowTheFramesAndRunTheButton)
{
    const TPoint button = OnStrip(28, 17);
    Move(button);
    EXPECT_TRUE(Item(0)->Active);
    EXPECT_EQ(TopPixel(21, 16), 0xFF000000u | CloseHot);
    EXPECT_EQ(TopPixel(23, 16), 0xFF000000u | Pink);
    EXPECT_EQ(TopPixel(27, 16), 0xFF80A480u) << "the half-seen image over the frame";
    EXPECT_EQ(TopPixel(31, 16), 0xFF000000u | CloseHot);
    frametest::SaveWindowPng(Window(skin::bsflTop)->Handle(), "layer_full_top_quick_button_hot.png");
    Button(true, button);
    EXPECT_TRUE(Item(0)->Down);
    EXPECT_EQ(TopPixel(21, 16), 0xFF000000u | CloseDown);
    Button(false, button);
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(Item(0)->Down);
    EXPECT_EQ(Form->BoundsRect(), Rect(100, 100, 300, 220));
    // Off the strip the frame goes.
    Move(OnStrip(100, 17));
    EXPECT_FALSE(Item(0)->Active);
    EXPECT_EQ(TopPixel(21, 16), 0u);

    // The skin's mask: an opaque rim round a half-seen inside.
    LoadIni(SkinIni(QuickCaption(3), FullLayerFrame));
    SetActiveWindow(Form->Handle());
    Move(button);
    ASSERT_TRUE(Item(0)->Active);
    EXPECT_EQ(TopPixel(20, 16), 0xFF000000u | CloseHot);
    EXPECT_EQ(TopPixel(21, 16), 0x80006400u) << "premultiplied at the mask's half";
    EXPECT_EQ(TopPixel(23, 16), 0xFF000000u | Pink);
}

// A press that leaves the button before the release clicks nothing and
// does not drag the form; a double click on a button does not maximize it.
TEST_F(LayerQuickButtonsTest, ClickNeedsPressAndReleaseOverTheButton)
{
    const TPoint button = OnStrip(28, 17);
    Move(button);
    Button(true, button);
    Move(OnStrip(110, 17));
    Button(false, OnStrip(110, 17));
    EXPECT_EQ(Clicks, 0);
    EXPECT_FALSE(Item(0)->Down);
    EXPECT_FALSE(Item(0)->Active);
    EXPECT_EQ(Form->BoundsRect(), Rect(100, 100, 300, 220));

    Move(button);
    for (int i = 0; i < 2; ++i) {
        Button(true, button);
        Button(false, button);
    }
    EXPECT_EQ(SkinForm->WindowState(), wsNormal);
    EXPECT_GE(Clicks, 1);
}

// A button with a menu opens it under itself on press and stays hot and
// down until the menu closes.
TEST_F(LayerQuickButtonsTest, MenuButtonOpensItsMenuUnderItself)
{
    const TPoint button = OnStrip(48, 17);
    Move(button);
    Button(true, button);
    ASSERT_TRUE(SkinForm->SkinMenu()->Visible());
    TRect menu;
    GetWindowRect(SkinForm->SkinMenu()->PopupWindow(0)->Handle(), menu);
    EXPECT_EQ(menu.Left, 90 + 40);
    EXPECT_EQ(menu.Top, 70 + 25);
    Button(false, button);
    EXPECT_TRUE(Item(1)->Down);
    EXPECT_TRUE(Item(1)->Active);
    SkinForm->SkinMenu()->Hide();
    Application()->ProcessMessages();
    EXPECT_FALSE(Item(1)->Down);
    EXPECT_FALSE(Item(1)->Active);
}

// A right click on the caption opens the system menu there, not over a
// quick button and not when the form turns its system menu off.
TEST_F(LayerQuickButtonsTest, RightClickOnTheCaptionOpensTheSystemMenu)
{
    struct TCase {
        const char* Where;
        TPoint At;
        bool Disabled, Opens;
    };
    const TCase cases[] = {
        {"title", OnStrip(100, 17), false, true},
        {"quick button", OnStrip(28, 17), false, false},
        {"title, system menu off", OnStrip(100, 17), true, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Where);
        SkinForm->DisableSystemMenu = c.Disabled;
        RightClick(c.At);
        EXPECT_EQ(SkinForm->SkinMenu()->Visible(), c.Opens);
        if (c.Opens) {
            TRect menu;
            GetWindowRect(SkinForm->SkinMenu()->PopupWindow(0)->Handle(), menu);
            EXPECT_EQ(menu.TopLeft(), c.At);
        }
        SkinForm->SkinMenu()->Hide();
        Application()->ProcessMessages();
    }
}

} // namespace
