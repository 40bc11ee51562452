// The player drawing into a window of the program's own on a real display.

#include <gtest/gtest.h>

#include "engine/loader/FFmpegLoader.h"
#include "engine/player/FFPlay.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/core/MainThread.h"
#include "platform/core/SysUtils.h"
#include "platform/x11/X11Backend.h"
#include "support/TestSupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>


using namespace engine;
using namespace platform;

namespace {

// Mean blue minus mean red of the X window's pixels: > 0 blue, < 0 red.
int BlueMinusRed(Display* ADisplay, Window AWindow, int AWidth, int AHeight)
{
    XSync(ADisplay, False);
    XImage* image = XGetImage(ADisplay, AWindow, 0, 0, unsigned(AWidth), unsigned(AHeight), AllPlanes, ZPixmap);
    if (!image)
        return 0;
    int64_t diff = 0;
    for (int y = 0; y < AHeight; ++y)
        for (int x = 0; x < AWidth; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            diff += int(p & 0xFF) - int((p >> 16) & 0xFF);
        }
    XDestroyImage(image);
    return int(diff / (AWidth * AHeight));
}

} // namespace

TEST(PlayerOnX11, PlaysIntoAChildWindowOfAFormAndItsPixelsChange)
{
    if (GetEnvironmentVariable("DISPLAY").empty())
        GTEST_SKIP() << "no X display";
    testsupport::TTempDir media;
    // Red for the first half second, blue after it.
    ASSERT_TRUE(testsupport::MakeMedia(media.File("rb.mkv"),
                                       "-f lavfi -i color=red:s=160x120:r=25:d=0.6 "
                                       "-f lavfi -i color=blue:s=160x120:r=25:d=0.6 "
                                       "-filter_complex [0][1]concat=n=2:v=1:a=0[v] -map [v] -c:v mpeg4 -g 5"));
    ASSERT_TRUE(InstallX11Backend());
    auto* x = dynamic_cast<TX11Backend*>(&Backend());
    ASSERT_NE(x, nullptr);
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);

    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(20, 20, 200, 160);
    auto* screen = new TPanel(form.get());
    screen->SetBounds(10, 10, 160, 120);
    screen->SetParent(form.get());
    form->Show();
    Application()->ProcessMessages();
    const uintptr_t child = GetNativeChildWindow(screen->Handle());
    ASSERT_NE(child, 0u);

    unsetenv("SDL_VIDEODRIVER"); // the display's own driver
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    TCustomPlayer player(nullptr);
    ASSERT_TRUE(player.LoadAVLib("")) << player.LastErrMsg();
    std::vector<int> seen; // colour of the window while it plays
    bool ended = false;
    player.OnState = [&](TObject*, TPlayState AState) { ended = ended || AState == psEnd; };
    player.OnPosition = [&](TObject*, int64_t) { seen.push_back(BlueMinusRed(display, Window(child), 160, 120)); };
    ASSERT_TRUE(player.Open(media.File("rb.mkv"), child, false)) << player.LastErrMsg();
    ASSERT_TRUE(WaitUntilServing([&] { return ended; }, 10000));
    seen.push_back(BlueMinusRed(display, Window(child), 160, 120));
    player.Stop(true);
    XCloseDisplay(display);

    // The window showed red while the first half played and blue at the end.
    ASSERT_GE(seen.size(), 2u);
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](int v) { return v < -100; }));
    EXPECT_GT(seen.back(), 100);
}
