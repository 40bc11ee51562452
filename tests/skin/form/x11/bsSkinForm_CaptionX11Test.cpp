// The caption's quick-button strip on a skinned window of a real X display:
// the real pointer (moved through XTEST) resting on a button makes it hot,
// and the display shows the divider, the skin's hot frame behind that
// button and the title after the strip.

// Before the X headers, whose macros would clash with it.
#include <gtest/gtest.h>

#include "skin/form/bsSkinForm.h"

#include "platform/controls/ImgList.h"

#include "FrameSkinOnX11.h"
#include "X11PointerSupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>
#include <vector>

using namespace platform;
using testsupport::PumpUntil;
using namespace x11test;

namespace {

// A 16 x 16 image: a dark rim round a square of AColor.
std::vector<uint32_t> ButtonImage(uint32_t AColor)
{
    std::vector<uint32_t> pixels(256);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool inside = x >= 3 && x < 13 && y >= 3 && y < 13;
            const bool rim = x >= 2 && x < 14 && y >= 2 && y < 14;
            pixels[size_t(y * 16 + x)] = inside ? 0xFF000000u | AColor : rim ? 0xFF202020u : 0u;
        }
    return pixels;
}

uint32_t WindowPixel(Display* D, Window W, int X, int Y)
{
    XImage* image = XGetImage(D, W, X, Y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0xFFFFFFFFu;
    const uint32_t p = uint32_t(XGetPixel(image, 0, 0)) & 0x00FFFFFFu;
    XDestroyImage(image);
    return p;
}

} // namespace

TEST(CaptionQuickButtonsOnX11, TheButtonUnderThePointerShowsTheSkinsHotFrame)
{
    frametest::TFrameSkinOnX11 display;
    if (!display.Start(frametest::LeftText + frametest::QuickButtonDividers))
        GTEST_SKIP() << "no X display";
    Display* d = display.D;

    TCustomImageList images(nullptr);
    images.SetSize(16, 16);
    for (uint32_t color : {0x3CB44Bu, 0x4363D8u, 0xFFE119u})
        images.AddPixels(ButtonImage(color));
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsSizeable);
    form->SetBounds(60, 60, 300, 120);
    form->SetCaption("ZarveloMP3格式转换器");
    auto* frame = new skin::TbsSkinForm(form.get());
    frame->SetSkinData(&display.Data);
    frame->QuickImageList = &images;
    for (int i = 0; i < 3; ++i)
        frame->QuickButtons()->Add()->SetImageIndex(i);
    form->Show();
    const Window w = display.X->XWindowOf(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return testsupport::Viewable(d, w); }));
    form->Invalidate();
    Application()->ProcessMessages();

    // Caption object (4, 4)-(296, 26): the divider at x 7, the buttons 20
    // pixels wide from x 14 on, 16 + 4 high from y 5.
    skin::TbsQuickButtonItem* second = frame->QuickButtons()->Items(1);
    ASSERT_EQ(second->ItemRect, Rect(38, 5, 58, 25));
    // The frame learns which object the pointer is over from its poll; the
    // caption hears of moves over it after that, as a hand's motion goes on.
    MovePointer(d, Point(60 + 44, 60 + 15));
    MovePointer(d, Point(60 + 48, 60 + 15));
    ASSERT_TRUE(PumpUntil([&] { return second->Active; }));
    Pause(100);
    XSync(d, False);
    EXPECT_TRUE(testsupport::SaveScreen(d, Rect(40, 40, 380, 200), "frame_x11_quick_buttons.png"));

    const int midY = 15;
    EXPECT_EQ(WindowPixel(d, w, 38, midY), frametest::CloseHot);   // the hot frame's rim
    EXPECT_EQ(WindowPixel(d, w, 14, midY), frametest::TopColor);   // the first button rests
    EXPECT_EQ(WindowPixel(d, w, 22, midY), 0x3CB44Bu);
    EXPECT_EQ(WindowPixel(d, w, 9, midY), frametest::MinColor);    // the divider's shown half
    EXPECT_EQ(WindowPixel(d, w, 7, midY), frametest::TopColor);    // its keyed half

    MovePointer(d, Point(60 + 150, 60 + 100));
    EXPECT_TRUE(PumpUntil([&] { return !second->Active; }));
    frame->QuickImageList = nullptr;
}
