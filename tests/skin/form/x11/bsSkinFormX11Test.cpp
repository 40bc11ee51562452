// A skinned window on a real X display: clicks arriving from the display on
// its caption buttons close one form and minimize the application's main
// form (the X window is iconified, or unmapped without a window manager).

#include "skin/form/bsSkinForm.h"

#include "../FrameScreenshot.h"
#include "../FrameTestSkin.h"

#include "platform/core/SysUtils.h"
#include "platform/ui/Input.h"
#include "platform/x11/X11Backend.h"
#include "support/XDisplayTestSupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

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

TEST(SkinFormOnX11, CaptionButtonsCloseAFormAndMinimizeTheMainForm)
{
    if (GetEnvironmentVariable("DISPLAY").empty())
        GTEST_SKIP() << "no X display";
    ASSERT_TRUE(InstallX11Backend());
    auto* x = dynamic_cast<TX11Backend*>(&Backend());
    ASSERT_NE(x, nullptr);
    Display* d = static_cast<Display*>(x->XDisplay());

    testsupport::TTempDir dir;
    frametest::WriteSkinPictures(dir);
    testsupport::WriteFile(dir.File("skin.ini"), frametest::SkinIni(frametest::LeftText, frametest::LayerFrame));
    skin::TbsSkinData data(nullptr);
    ASSERT_TRUE(data.LoadFromFile(dir.File("skin.ini")).Ok());

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
