// The window the player draws into: uncovering it shows the picture again,
// a new size refits the picture, the next file's picture of another shape
// stands between black bands, and clicks on the picture reach the window.

#include <gtest/gtest.h>

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

// Share of the pixels of a rectangle of the window that are near black.
double BlackShare(Display* ADisplay, Window AWindow, int AX, int AY, int AWidth, int AHeight)
{
    XSync(ADisplay, False);
    XImage* image = XGetImage(ADisplay, AWindow, AX, AY, unsigned(AWidth), unsigned(AHeight), AllPlanes, ZPixmap);
    if (!image)
        return 1;
    int black = 0;
    for (int y = 0; y < AHeight; ++y)
        for (int x = 0; x < AWidth; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            if ((p & 0xFF) < 40 && ((p >> 8) & 0xFF) < 40 && ((p >> 16) & 0xFF) < 40)
                ++black;
        }
    XDestroyImage(image);
    return double(black) / (AWidth * AHeight);
}

class PlayerHostWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (GetEnvironmentVariable("DISPLAY").empty())
            GTEST_SKIP() << "no X display";
        // A grey picture with the shape of the panel: it fills it whole.
        ASSERT_TRUE(testsupport::MakeMedia(Media.File("grey.mkv"),
                                           "-f lavfi -i color=gray:s=160x120:r=25:d=2 -c:v mpeg4"));
        ASSERT_TRUE(InstallX11Backend());
        Dpy = XOpenDisplay(nullptr);
        ASSERT_NE(Dpy, nullptr);
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(20, 20, 260, 220);
        Screen = new TPanel(Form.get());
        Screen->SetBounds(10, 10, 160, 120);
        Screen->SetParent(Form.get());
        Form->Show();
        Application()->ProcessMessages();
        Child = Window(GetNativeChildWindow(Screen->Handle()));
        ASSERT_NE(Child, 0u);
        unsetenv("SDL_VIDEODRIVER");
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        Player.reset(new TCustomPlayer(nullptr));
        ASSERT_TRUE(Player->LoadAVLib("")) << Player->LastErrMsg();
        ASSERT_TRUE(Player->Open(Media.File("grey.mkv"), Child, true)) << Player->LastErrMsg();
        ASSERT_TRUE(WaitUntilServing([&] { return Black(0, 0, 160, 120) < 0.01; }, 10000))
            << "the paused picture never showed";
    }

    void TearDown() override
    {
        if (Player)
            Player->Stop(true);
        Player.reset();
        Form.reset();
        if (Dpy)
            XCloseDisplay(Dpy);
    }

    double Black(int AX, int AY, int AWidth, int AHeight) { return BlackShare(Dpy, Child, AX, AY, AWidth, AHeight); }

    testsupport::TTempDir Media;
    Display* Dpy = nullptr;
    std::unique_ptr<TForm> Form;
    TPanel* Screen = nullptr;
    Window Child = 0;
    std::unique_ptr<TCustomPlayer> Player;
};

} // namespace

TEST_F(PlayerHostWindow, AnUncoveredPausedPictureIsShownWholeAgain)
{
    // What a dialog closing over the picture leaves: the server clears the
    // uncovered part to the window's black background.
    XClearArea(Dpy, Child, 0, 0, 64, 120, True);
    XSync(Dpy, False);
    EXPECT_TRUE(WaitUntilServing([&] { return Black(0, 0, 160, 120) < 0.01; }, 5000))
        << "black share of the uncovered part: " << Black(0, 0, 64, 120);
    EXPECT_TRUE(Player->Paused());
}

TEST_F(PlayerHostWindow, ANewSizeOfTheWindowRefitsThePausedPicture)
{
    Screen->SetBounds(10, 10, 240, 180);
    Application()->ProcessMessages();
    // The picture has the window's shape: it fills the larger window with
    // no black band, at once and while paused.
    EXPECT_TRUE(WaitUntilServing([&] { return Black(0, 0, 240, 180) < 0.01; }, 5000))
        << "black share of the bottom band: " << Black(0, 120, 240, 60)
        << ", of the right band: " << Black(160, 0, 80, 180);
}

TEST_F(PlayerHostWindow, TheNextFilesPictureOfAnotherShapeStandsBetweenBlackBands)
{
    // 16:9 in the 4:3 window: the full width, 90 high in the middle; the
    // grey picture that filled the window before stays nowhere above or
    // below it.
    ASSERT_TRUE(testsupport::MakeMedia(Media.File("wide.mkv"), "-f lavfi -i color=white:s=320x180:r=25:d=2 -c:v mpeg4"));
    Player->OnFileOpen = [](TObject*, int64_t, int, int, int& AScreenWidth, int& AScreenHeight) {
        AScreenWidth = 160;
        AScreenHeight = 120;
    };
    ASSERT_TRUE(Player->Open(Media.File("wide.mkv"), Child, true)) << Player->LastErrMsg();
    EXPECT_TRUE(WaitUntilServing([&] {
        return Black(0, 15, 160, 90) < 0.01 && Black(0, 0, 160, 15) > 0.99 && Black(0, 105, 160, 15) > 0.99;
    }, 10000)) << "black share of the picture: " << Black(0, 15, 160, 90) << ", of the top band: " << Black(0, 0, 160, 15)
               << ", of the bottom band: " << Black(0, 105, 160, 15);
}

TEST_F(PlayerHostWindow, AClickOnThePictureReachesTheWindowAndFocusesIt)
{
    int downs = 0;
    Screen->OnMouseDown = [&](TObject*, TMouseButtonKind, TShiftState, int, int) { ++downs; };
    int x = 0, y = 0;
    Window unused;
    XTranslateCoordinates(Dpy, Child, DefaultRootWindow(Dpy), 40, 30, &x, &y, &unused);
    for (int type : {ButtonPress, ButtonRelease}) {
        XEvent e{};
        e.xbutton.type = type;
        e.xbutton.window = Child;
        e.xbutton.root = DefaultRootWindow(Dpy);
        e.xbutton.x = 40;
        e.xbutton.y = 30;
        e.xbutton.x_root = x;
        e.xbutton.y_root = y;
        e.xbutton.button = Button1;
        e.xbutton.same_screen = True;
        XSendEvent(Dpy, Child, False, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
    }
    XSync(Dpy, False);
    EXPECT_TRUE(WaitUntilServing([&] { return downs > 0; }, 5000));
    EXPECT_EQ(GetFocus(), Screen->Handle());
}
