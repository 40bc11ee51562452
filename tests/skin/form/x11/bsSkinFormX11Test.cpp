// A skinned window on a real X display: clicks arriving from the display on
// its caption buttons close one form and minimize the application's main
// form (the X window is iconified, or unmapped without a window manager);
// a layered border that draws the whole frame stands around a form and a
// drag of the real pointer on it sizes the form; the quick buttons on its
// caption answer the real pointer.

#include "skin/form/bsSkinForm.h"

#include "../FrameScreenshot.h"
#include "../FrameTestSkin.h"

#include "platform/controls/ImgList.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Input.h"
#include "platform/x11/X11Backend.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"
#include "skin/core/bsUtils_Probes.h"
#include "support/XDisplayTestSupport.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <gtest/gtest.h>


using namespace platform;
using testsupport::PumpUntil;

namespace {

bool Viewable(Display* D, Window W)
{
    XWindowAttributes a;
    return XGetWindowAttributes(D, W, &a) && a.map_state == IsViewable;
}

// A click with the pointer really there (the frame's hover poll reads the
// pointer's position).
void ClickAt(Display* D, Window W, TPoint AScreen, TPoint AInWindow)
{
    SetCursorPos(AScreen);
    testsupport::SendClick(D, W, AScreen, AInWindow);
}

void SaveXWindow(Display* D, Window W, int AWidth, int AHeight, const std::string& AFileName)
{
    XImage* image = XGetImage(D, W, 0, 0, unsigned(AWidth), unsigned(AHeight), AllPlanes, ZPixmap);
    if (!image)
        return;
    std::vector<uint32_t> pixels(size_t(AWidth) * size_t(AHeight));
    for (int y = 0; y < AHeight; ++y)
        for (int x = 0; x < AWidth; ++x)
            pixels[size_t(y) * size_t(AWidth) + size_t(x)] = uint32_t(XGetPixel(image, x, y)) | 0xFF000000u;
    XDestroyImage(image);
    TPixelSurface s;
    s.Bits = reinterpret_cast<uint8_t*>(pixels.data());
    s.Stride = AWidth * 4;
    s.Width = AWidth;
    s.Height = AHeight;
    frametest::SavePng(&s, AFileName);
}

} // namespace

// The X display and the test skin, with a layered border of ALayerFrame.
struct SkinFormOnX11 : testsupport::TXDisplayTest {
    testsupport::TTempDir dir;
    skin::TbsSkinData data{nullptr};

    void SetUp() override
    {
        TXDisplayTest::SetUp();
        if (SetUpEnded())
            return;
        frametest::WriteSkinPictures(dir);
    }
    void LoadSkin(const std::string& ALayerFrame)
    {
        testsupport::WriteFile(dir.File("skin.ini"), frametest::SkinIni(frametest::LeftText, ALayerFrame));
        ASSERT_TRUE(data.LoadFromFile(dir.File("skin.ini")).Ok());
    }
};

TEST_F(SkinFormOnX11, CaptionButtonsCloseAFormAndMinimizeTheMainForm)
{
    LoadSkin(frametest::LayerFrame);

    TForm* main = nullptr;
    Application()->CreateForm(main);
    ASSERT_EQ(Application()->MainForm(), main);
    std::unique_ptr<TForm> dialog(new TForm(nullptr));
    struct TPlacement {
        TForm* Form;
        const char* Caption;
        int Left;
    };
    for (const TPlacement& p : {TPlacement{main, "ZarveloMP3格式转换器", 40}, TPlacement{dialog.get(), "选项", 300}}) {
        p.Form->SetBorderStyle(bsSizeable);
        p.Form->SetBounds(p.Left, 40, 240, 140);
        p.Form->SetCaption(p.Caption);
        auto* frame = new skin::TbsSkinForm(p.Form);
        frame->SetSkinData(&data);
        p.Form->Show();
    }
    const Window mainX = x->XWindowOf(main->Handle()), dialogX = x->XWindowOf(dialog->Handle());
    ASSERT_TRUE(PumpUntil([&] { return Viewable(d, mainX) && Viewable(d, dialogX); }));
    main->Invalidate();
    dialog->Invalidate();
    Application()->ProcessMessages();
    XSync(d, False);
    SaveXWindow(d, mainX, 240, 140, "frame_x11_main.png");
    // The layered border stands around the main form on the display
    // (opaque where no compositing manager runs).
    skin::TbsSkinForm* frame = skin::FindSkinFormComponent(main);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->BorderLayer()->FVisible);
    const Window topX = x->XWindowOf(frame->BorderLayer()->Windows[skin::bsflTop]->Handle());
    EXPECT_TRUE(PumpUntil([&] { return Viewable(d, topX); }));
    XSync(d, False);
    SaveXWindow(d, DefaultRootWindow(d), 300, 210, "frame_x11_screen.png");

    // Width 240: the buttons strip moved right by 120; close at 218..234,
    // minimize at 182..198.
    const int closeX = 226, minimizeX = 190, buttonY = 14;
    ClickAt(d, dialogX, Point(300 + closeX, 40 + buttonY), Point(closeX, buttonY));
    EXPECT_TRUE(PumpUntil([&] { return !dialog->Visible() && !Viewable(d, dialogX); }));

    ClickAt(d, mainX, Point(40 + minimizeX, 40 + buttonY), Point(minimizeX, buttonY));
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(main->Handle()) && !Viewable(d, mainX); }));
    EXPECT_EQ(frame->WindowState(), wsNormal);
    EXPECT_FALSE(frame->BorderLayer()->FVisible);

    Application()->Restore();
    EXPECT_TRUE(PumpUntil([&] { return Viewable(d, mainX); }));
    delete main;
}

// A sizeable 200 x 120 form at (100, 100) in the test skin with a layered
// border that draws the whole frame, on the X display.
struct FullBorderOnX11 : SkinFormOnX11 {
    std::unique_ptr<TForm> form;
    skin::TbsSkinForm* frame = nullptr;

    void SetUp() override
    {
        SkinFormOnX11::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        frametest::WriteFullBorderMask(dir);
        LoadSkin(frametest::FullLayerFrame);
    }
    void TearDown() override { form.reset(); }
    Window BorderX(skin::TbsFormLayerBorderType AType)
    {
        return x->XWindowOf(frame->BorderLayer()->Windows[AType]->Handle());
    }
    void ShowForm(const std::string& ACaption)
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsSizeable);
        form->SetBounds(100, 100, 200, 120);
        form->SetCaption(ACaption);
        frame = new skin::TbsSkinForm(form.get());
        frame->SetSkinData(&data);
        form->Show();
        ASSERT_TRUE(frame->FullBorderShown());
        ASSERT_TRUE(PumpUntil([&] {
            return Viewable(d, x->XWindowOf(form->Handle())) && Viewable(d, BorderX(skin::bsflTop)) &&
                   Viewable(d, BorderX(skin::bsflRight));
        }));
        form->Invalidate();
        Application()->ProcessMessages();
        XSync(d, False);
    }
};

TEST_F(FullBorderOnX11, IsShownAndDraggingItSizesTheForm)
{
    ShowForm("选项");
    // The border, opaque and cut to its pixels without a compositing
    // manager, around the form: the caption and its buttons on the top strip.
    SaveXWindow(d, DefaultRootWindow(d), 340, 260, "frame_x11_full_border.png");

    // The real pointer drags the right edge 30 pixels out, then the bottom
    // edge 20 pixels in.
    struct TDrag {
        TPoint From, To;
        TRect Bounds;
    };
    for (const TDrag& drag : {TDrag{Point(303, 150), Point(333, 150), Rect(100, 100, 330, 220)},
                              TDrag{Point(200, 222), Point(200, 202), Rect(100, 100, 330, 200)}}) {
        XTestFakeMotionEvent(d, -1, drag.From.X, drag.From.Y, CurrentTime);
        XSync(d, False);
        PumpUntil([&] { return GetCursorPos() == drag.From; });
        Application()->ProcessMessages();
        XTestFakeButtonEvent(d, 1, True, CurrentTime);
        XSync(d, False);
        Application()->ProcessMessages();
        for (int step = 1; step <= 5; ++step) {
            const TPoint p = Point(drag.From.X + (drag.To.X - drag.From.X) * step / 5,
                                   drag.From.Y + (drag.To.Y - drag.From.Y) * step / 5);
            XTestFakeMotionEvent(d, -1, p.X, p.Y, CurrentTime);
            XSync(d, False);
            PumpUntil([&] { return GetCursorPos() == p; });
            Application()->ProcessMessages();
        }
        XTestFakeButtonEvent(d, 1, False, CurrentTime);
        XSync(d, False);
        EXPECT_TRUE(PumpUntil([&] { return form->BoundsRect() == drag.Bounds; }))
            << form->Left() << "," << form->Top() << "," << form->Width() << "," << form->Height();
    }
    // The border followed the form on the display.
    XWindowAttributes a;
    ASSERT_TRUE(XGetWindowAttributes(d, BorderX(skin::bsflRight), &a));
    Window child = 0;
    int rx = 0, ry = 0;
    XTranslateCoordinates(d, BorderX(skin::bsflRight), DefaultRootWindow(d), 0, 0, &rx, &ry, &child);
    EXPECT_EQ(rx, 330);
    EXPECT_EQ(a.height, 100);
    XSync(d, False);
    Application()->ProcessMessages();
    SaveXWindow(d, DefaultRootWindow(d), 340, 260, "frame_x11_full_border_sized.png");
}

// While a compositing manager runs (here: the test holds its selection) a
// layered border keeps its alpha on the display: the caption strip's
// see-through pixels reach the screen with alpha 0, the rest opaque.
TEST_F(FullBorderOnX11, WithACompositorKeepsItsAlpha)
{
    testsupport::TCompositorStandIn manager;
    ASSERT_TRUE(manager.Running());
    if (!x->HasCompositor())
        GTEST_SKIP() << "no visual with alpha";
    ShowForm("Frame");
    const HWND top = frame->BorderLayer()->Windows[skin::bsflTop]->Handle();
    const Window topX = x->XWindowOf(top);
    EXPECT_TRUE(x->HasAlphaChannel(top));
    EXPECT_FALSE(x->HasAlphaChannel(form->Handle()));
    Application()->ProcessMessages();
    XSync(d, False);
    XImage* image = XGetImage(d, topX, 0, 0, 220, 30, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->depth, 32);
    // (5, 5): the opaque picture; (120, 20): the caption strip beside the text.
    EXPECT_EQ(uint32_t(XGetPixel(image, 5, 5)) >> 24, 0xFFu);
    EXPECT_EQ(uint32_t(XGetPixel(image, 5, 5)) & 0xFFFFFF, uint32_t(frametest::LayerColor));
    EXPECT_EQ(uint32_t(XGetPixel(image, 120, 20)) >> 24, 0u);
    XDestroyImage(image);
    form.reset();
}

// A cardinal-list property of the X window W; empty when it has none.
static std::vector<long> CardinalProperty(Display* D, Window W, const char* AName)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(D, W, XInternAtom(D, AName, False), 0, 256, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && format == 32)
        values.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
    if (data)
        XFree(data);
    return values;
}

// Under a compositing manager the border asks it to blur behind the glass
// of its strips, and after another program's window animation it comes
// back fading in through the windows' opacity.
TEST_F(FullBorderOnX11, UnderACompositorItsGlassIsBlurredAndItFadesInAfterSmartEffects)
{
    testsupport::TCompositorStandIn manager;
    ASSERT_TRUE(manager.Running());
    if (!x->HasCompositor())
        GTEST_SKIP() << "no visual with alpha";
    testsupport::WriteFile(dir.File("skin.ini"),
                           frametest::WithBlurMask(dir, frametest::SkinIni(frametest::LeftText, frametest::FullLayerFrame)));
    ASSERT_TRUE(data.LoadFromFile(dir.File("skin.ini")).Ok());
    ShowForm("Frame");
    EXPECT_EQ(CardinalProperty(d, BorderX(skin::bsflTop), "_KDE_NET_WM_BLUR_BEHIND_REGION"),
              (std::vector<long>{4, 4, 212, 26}));
    EXPECT_EQ(CardinalProperty(d, BorderX(skin::bsflLeft), "_KDE_NET_WM_BLUR_BEHIND_REGION"),
              (std::vector<long>{4, 0, 6, 120}));

    SendMessage(form->Handle(), SKN_SMARTEFFECTSBEGIN, 0, 0);
    skin::TbsPlatformEntries saved = skin::PlatformEntries();
    std::vector<long> opacities;
    skin::PlatformEntries().UpdateLayeredWindow = [&](HWND W, HDC Dc, const TPoint* P, const TSize* S, HDC Src,
                                                      const TPoint* SP, COLORREF K, const BLENDFUNCTION* B, DWORD F) {
        const bool done = saved.UpdateLayeredWindow(W, Dc, P, S, Src, SP, K, B, F);
        if (frame->BorderLayer()->Windows[skin::bsflTop] && W == frame->BorderLayer()->Windows[skin::bsflTop]->Handle()) {
            const std::vector<long> o = CardinalProperty(d, x->XWindowOf(W), "_NET_WM_WINDOW_OPACITY");
            const long value = o.empty() ? -1 : long(uint32_t(o[0]));
            if (opacities.empty() || opacities.back() != value)
                opacities.push_back(value);
        }
        return done;
    };
    SendMessage(form->Handle(), SKN_SMARTEFFECTSEND, 0, 0);
    skin::PlatformEntries() = saved;
    // From transparent in steps of 17, opaque (no property) at the end.
    std::vector<long> expected{0};
    for (int a : skin::TbsSkinForm::FadeInSteps(255))
        expected.push_back(a == 255 ? -1 : long(uint32_t(a) * 0x01010101u));
    EXPECT_EQ(opacities, expected);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(d, BorderX(skin::bsflTop)); }));
    EXPECT_EQ(CardinalProperty(d, BorderX(skin::bsflTop), "_KDE_NET_WM_BLUR_BEHIND_REGION"),
              (std::vector<long>{4, 4, 212, 26}));
    Application()->ProcessMessages();
    XSync(d, False);
    SaveXWindow(d, DefaultRootWindow(d), 340, 260, "frame_x11_full_border_after_smart_effects.png");
    form.reset();
}

// Quick buttons after a divider on the full border's caption: the one under
// the real pointer shows its hot frame, and a click through the display
// runs it.
TEST_F(FullBorderOnX11, QuickButtonsOnItsCaptionAnswerThePointer)
{
    testsupport::WriteFile(dir.File("skin.ini"),
                           frametest::SkinIni(frametest::LeftText + "activepictureindex=0\r\ndividerrect=112,0,114,16\r\n",
                                              frametest::FullLayerFrame));
    ASSERT_TRUE(data.LoadFromFile(dir.File("skin.ini")).Ok());
    // A pink disc and a blue square, each on a clear 12 x 12 square.
    TCustomImageList images(nullptr);
    images.SetSize(12, 12);
    std::vector<uint32_t> disc(144), square(144);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const int dx = 2 * x - 11, dy = 2 * y - 11;
            disc[size_t(y * 12 + x)] = dx * dx + dy * dy <= 100 ? 0xFFFF80FFu : 0u;
            square[size_t(y * 12 + x)] = x >= 2 && x < 10 && y >= 2 && y < 10 ? 0xFF3060F0u : 0u;
        }
    images.AddPixels(disc);
    images.AddPixels(square);
    ShowForm("选项");
    frame->QuickImageList = &images;
    int clicks = 0;
    for (int i = 0; i < 2; ++i) {
        skin::TbsQuickButtonItem* item = frame->QuickButtons()->Add();
        item->SetImageIndex(i);
        item->OnClick = [&](TObject*) { ++clicks; };
    }
    Application()->ProcessMessages();
    skin::TbsQuickButtonItem* first = frame->QuickButtons()->Items(0);
    // The top strip at (90, 70); the first item at (20, 9) on it.
    ASSERT_EQ(first->ItemRect, Rect(20, 9, 36, 25));
    const TPoint over = Point(90 + 28, 70 + 17);
    XTestFakeMotionEvent(d, -1, over.X, over.Y, CurrentTime);
    XSync(d, False);
    ASSERT_TRUE(PumpUntil([&] { return first->Active; }));
    XSync(d, False);
    Application()->ProcessMessages();
    SaveXWindow(d, DefaultRootWindow(d), 340, 260, "frame_x11_full_border_quick_buttons.png");
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XSync(d, False);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_EQ(form->BoundsRect(), Rect(100, 100, 300, 220));
    frame->QuickImageList = nullptr;
}

// A skinned form with a drop shadow over a white form on the display: the
// shadow darkens a band along its right and bottom edges (opaque where no
// compositing manager runs), and goes with the switch.
TEST_F(SkinFormOnX11, TheDropShadowDarkensABandAlongTheRightAndBottomEdges)
{
    LoadSkin("");

    std::unique_ptr<TForm> back(new TForm(nullptr));
    back->SetBorderStyle(bsNone);
    back->SetColor(clWhite);
    back->SetBounds(20, 20, 320, 220);
    back->Show();
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsSizeable);
    form->SetBounds(60, 50, 200, 120);
    form->SetCaption("选项");
    auto* frame = new skin::TbsSkinForm(form.get());
    frame->SetSkinData(&data);
    form->Show();
    frame->EnableShadow(true, false);
    ASSERT_NE(frame->Shadow(), nullptr);
    const Window formX = x->XWindowOf(form->Handle()), shadowX = x->XWindowOf(frame->Shadow()->Window()->Handle());
    ASSERT_TRUE(PumpUntil([&] { return Viewable(d, formX) && Viewable(d, shadowX); }));
    form->Invalidate();
    Application()->ProcessMessages();
    XSync(d, False);
    SaveXWindow(d, DefaultRootWindow(d), 360, 260, "frame_x11_shadow.png");

    auto grey = [&](int X, int Y) {
        XImage* i = XGetImage(d, DefaultRootWindow(d), X, Y, 1, 1, AllPlanes, ZPixmap);
        const uint32_t p = uint32_t(XGetPixel(i, 0, 0));
        XDestroyImage(i);
        return int((p >> 16) & 0xFF) + int((p >> 8) & 0xFF) + int(p & 0xFF);
    };
    const int s = skin::TbsFormShadow::Size;
    const int white = grey(300, 100);
    ASSERT_EQ(white, 3 * 255);
    // Form (60, 50)-(260, 170): the band right of it and below it.
    EXPECT_LT(grey(260 + 1, 110), white);
    EXPECT_LT(grey(160, 170 + 1), white);
    EXPECT_EQ(grey(260 + s + 1, 110), white);
    EXPECT_EQ(grey(160, 170 + s + 1), white);

    frame->EnableShadow(false, false);
    ASSERT_TRUE(PumpUntil([&] { return !Viewable(d, shadowX); }));
    Application()->ProcessMessages();
    XSync(d, False);
    EXPECT_EQ(grey(260 + 1, 110), white);
}
