// On a real display: a clip plays paused into Panel6's X child window, and
// snapshots are named after the file the player shows, counted per
// extension; the developer controls capture, keep the window on top and
// reach the player; the slider seeks and Stop reopens at the start.
#include "app/forms/FormsTestSupport.h"

#include "app/forms/PreviewPane.h"

#include "engine/player/FFPlay.h"
#include "platform/core/MainThread.h"
#include "platform/x11/X11Backend.h"
#include "skin/controls/bsSkinCtrls_Slider.h"
#include "skin/controls/bsSkinHint.h"
#include "support/XDisplayTestSupport.h"

#include <chrono>
#include <cmath>

using namespace app;
using namespace formstest;
using namespace platform;

namespace {

class PreviewOnDisplayTest : public TMainWindowFixture {};

} // namespace

TEST_F(PreviewOnDisplayTest, AClipPlaysIntoThePaneAndSnapshotsAreNamedAfterIt)
{
    if (GetEnvironmentVariable("DISPLAY").empty() || !InstallX11Backend())
        GTEST_SKIP() << "no X display";
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!testsupport::MakeMedia(Media.File("bars.mkv"), "-f lavfi -i testsrc=size=160x120:rate=10:duration=5 -c:v mpeg4"))
        GTEST_SKIP() << "ffmpeg cannot make the clip";
    Create(nullptr);
    TPreviewPane* pane = Form1->Preview();
    Choosers->Answers.push_back({Media.File("bars.mkv")});
    Form1->btnAddClick();
    // Adding selects the row, which opens its file paused in the pane.
    ASSERT_TRUE(WaitUntilServing([&] { return pane->Duration() > 0; }, 10000)) << Form1->Log()->GetText();
    EXPECT_EQ(pane->Player()->FileName(), Media.File("bars.mkv"));
    ASSERT_TRUE(WaitUntilServing([&] { return pane->Player()->CurrentFrame()->Width() > 0; }, 10000));

    const std::string folder = Home.Path() + "/Zarvelo视频软件/快照";
    EXPECT_EQ(pane->SnapshotClick(), folder + "/bars_1.bmp");
    EXPECT_EQ(pane->SnapshotClick(), folder + "/bars_2.bmp");
    pane->SnapshotMenu()->Items()->Find("快照保存类型")->Find("PNG文件")->Click();
    EXPECT_EQ(pane->SnapshotClick(), folder + "/bars_1.png");
    EXPECT_EQ(testsupport::ReadFile(folder + "/bars_1.png").substr(0, 4), "\x89PNG");
    Application()->ProcessMessages();
    SaveScreenshot(Form1->Handle(), PictureFile("main-window-preview.png"));

    // The developer "Capture" writes the picture in the form its name's
    // extension says, whichever entry of the dialog's filter was chosen.
    const struct {
        const char* Name;
        std::string Magic;
    } captures[] = {{"cap.jpg", "\xFF\xD8\xFF"}, {"cap.png", "\x89PNG"}, {"cap.bmp", "BM"}, {"cap.JPEG", "\xFF\xD8\xFF"}};
    for (const auto& c : captures) {
        Choosers->Answers.push_back({Home.File(c.Name)});
        EXPECT_EQ(pane->CaptureClick(), Home.File(c.Name));
        EXPECT_EQ(testsupport::ReadFile(Home.File(c.Name)).substr(0, c.Magic.size()), c.Magic) << c.Name;
    }
    EXPECT_EQ(Choosers->SaveFilter, "Bitmaps (*.bmp)|*.bmp|JPEG Image File |*.jpg;*.jpeg");
    EXPECT_EQ(Choosers->SaveDefaultExt, "bmp");
    Choosers->Answers.push_back({}); // cancelled
    EXPECT_EQ(pane->CaptureClick(), "");

    // While it plays, the window stays on top if the developer box says so.
    // (The clip lasts long enough that a busy machine cannot play it to
    // its end, which rewinds and pauses, before the loop looks.)
    Form1->StayOnTopBox()->SetChecked(true);
    pane->PlayClick();
    EXPECT_TRUE(WaitUntilServing([&] { return Form1->FormStyle() == fsStayOnTop; }, 10000));
    pane->PauseClick();
    EXPECT_TRUE(WaitUntilServing([&] { return Form1->FormStyle() == fsNormal; }, 10000));
    Form1->StayOnTopBox()->SetChecked(false);

    // Without "Open Paused" the reopened file plays; the driver lists reach the player.
    Form1->OpenPausedBox()->SetChecked(false);
    Form1->VideoDriverList()->SetItemIndex(1);
    auto ends = [&] {
        int count = 0;
        for (int i = 0; i < Form1->Log()->Lines()->Count(); ++i)
            count += Form1->Log()->Lines()->Strings(i) == "End";
        return count;
    };
    const int endsBefore = ends();
    pane->StopClick();
    EXPECT_EQ(pane->Player()->VideoDriver, engine::vdDirectDraw);
    EXPECT_EQ(pane->Player()->AudioDriver, engine::adDefault);
    // Only a file that plays reaches its end.
    EXPECT_TRUE(WaitUntilServing([&] { return ends() > endsBefore; }, 15000)) << Form1->Log()->GetText();
    Form1->OpenPausedBox()->SetChecked(true);

    // Releasing the slider seeks and plays on; stop rewinds and reopens paused.
    pane->Slider()->SetValue(pane->Slider()->MaxValue() / 2);
    pane->SliderReleased();
    pane->StopClick();
    EXPECT_TRUE(WaitUntilServing([&] { return pane->Player()->Paused(); }, 10000));
    bool canClose = false;
    Form1->FormCloseQuery(canClose);
    EXPECT_TRUE(canClose);
}

// Resting the pointer on each of the pane's buttons shows its hint in the
// skin's hint window.
TEST_F(PreviewOnDisplayTest, ThePanesButtonsShowTheirHintsSkinned)
{
    TX11Backend* x = testsupport::InstallTestX11Backend();
    if (!x)
        GTEST_SKIP() << "no X display";
    Display* d = static_cast<Display*>(x->XDisplay());
    Create(nullptr);
    Application()->SetMainForm(Form1.get());
    const Window window = Window(x->XWindowOf(Form1->Handle()));
    const struct {
        const char* Button;
        const char* Hint;
    } buttons[] = {{"bsSkinButton13", "播放"}, {"bsSkinButton14", "暂停"}, {"bsSkinButton15", "停止"},
                   {"bsSkinButton16", "静音"}, {"bsSkinButton22", "快照"}, {"bsSkinButton23", "设置"}};
    for (const auto& b : buttons) {
        auto* button = dynamic_cast<TControl*>(Form1->FindComponent(b.Button));
        ASSERT_NE(button, nullptr) << b.Button;
        const TPoint at = button->ClientToScreen(TPoint{15, 15});
        TRect frame;
        GetWindowRect(Form1->Handle(), frame);
        testsupport::SendMotion(d, window, at, TPoint{at.X - frame.Left, at.Y - frame.Top});
        auto hint = [] { return dynamic_cast<skin::TbsSkinHintWindow*>(Application()->HintWindow()); };
        ASSERT_TRUE(testsupport::PumpUntil([&] { return hint() && hint()->HintShowing() && hint()->Caption() == b.Hint; }))
            << b.Button;
        EXPECT_NE(hint()->FSD, nullptr) << b.Button; // drawn from the skin
        EXPECT_TRUE(testsupport::Viewable(d, Window(x->XWindowOf(hint()->Handle())))) << b.Button;
        if (b.Button == buttons[0].Button) {
            testsupport::Pause(100);
            const TRect shown = hint()->BoundsRect();
            EXPECT_TRUE(testsupport::SaveScreen(d, TRect{shown.Left - 40, shown.Top - 40, shown.Right + 40, shown.Bottom + 10},
                                                PictureFile("preview-play-hint.png")));
        }
    }
    Application()->SetMainForm(nullptr);
}

// The slider seeks where it is left and plays on from there: dragged with
// the mouse while playing, stepped by the keys while paused. The clip's pictures tell their time.
TEST_F(PreviewOnDisplayTest, TheSliderSeeksWhereTheMouseOrTheKeysLeaveIt)
{
    TX11Backend* x = testsupport::InstallTestX11Backend();
    if (!x)
        GTEST_SKIP() << "no X display";
    Display* d = static_cast<Display*>(x->XDisplay());
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(testsupport::MakeTimeCodedClip(Media.File("timed.mkv"), 10, 4, true));
    Create(nullptr);
    TPreviewPane* pane = Form1->Preview();
    Choosers->Answers.push_back({Media.File("timed.mkv")});
    Form1->btnAddClick();
    ASSERT_TRUE(WaitUntilServing([&] { return pane->Duration() > 0 && pane->Player()->Paused(); }, 10000));
    ASSERT_TRUE(WaitUntilServing([&] { return pane->Player()->CurrentFrame()->Width() > 0; }, 10000));
    auto snapshotTime = [&] { return testsupport::TimeOfTimeCodedBmp(pane->SnapshotClick()); };
    // The red of the picture on the screen, read in the middle of the pane.
    auto screenRed = [&] {
        const TPoint middle = pane->Screen()->ClientToScreen(TPoint{pane->Screen()->Width() / 2, pane->Screen()->Height() / 2});
        XImage* image = XGetImage(d, DefaultRootWindow(d), middle.X, middle.Y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return -1;
        const unsigned long pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return int((pixel >> 16) & 0xff);
    };
    // The display shows the clip's video range as it stands (16 for the
    // first picture) where the snapshot widens it to full range.
    int firstRed = -1;
    ASSERT_TRUE(WaitUntilServing([&] { return (firstRed = screenRed()) > 0; }, 10000));
    auto screenTime = [&] {
        return testsupport::TimeOfTimeCodedColour(int(std::lround((screenRed() - firstRed) * 255.0 / 219.0)));
    };
    EXPECT_NEAR(snapshotTime(), 0, 0.3);

    // Press on the knob, move to 80 % of the ruler, release.
    pane->PlayClick();
    skin::TbsSkinSlider* slider = pane->Slider();
    const Window window = Window(x->XWindowOf(Form1->Handle()));
    TRect frame;
    GetWindowRect(Form1->Handle(), frame);
    auto inWindow = [&](TPoint AScreen) { return TPoint{AScreen.X - frame.Left, AScreen.Y - frame.Top}; };
    auto send = [&](int AType, TPoint AScreen) {
        XWarpPointer(d, None, DefaultRootWindow(d), 0, 0, 0, 0, AScreen.X, AScreen.Y);
        XEvent e = testsupport::PointerEvent(d, window, AType, AScreen, inWindow(AScreen));
        XSendEvent(d, window, True, AType == MotionNotify ? PointerMotionMask : AType == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
        // The round trip brings the event back into the program's queue,
        // however slow the machine, before the loop runs.
        XSync(d, False);
        testsupport::Pause(50);
    };
    const TRect thumb = slider->ThumbRect();
    const TPoint grab = slider->ClientToScreen(TPoint{(thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2});
    send(ButtonPress, grab);
    slider->SetValue(slider->MaxValue());
    const int travel = slider->ThumbRect().Left;
    slider->SetValue(0);
    // 175 of 218: 80 % of the ruler, 8 s.
    const int base = 6; // the ruler's first place for the knob
    const TPoint to{grab.X - thumb.Left + base + (travel - base) * 175 / slider->MaxValue(), grab.Y};
    send(MotionNotify, to);
    // Held, the knob stays under the mouse whatever playback reports.
    int held = -1;
    EXPECT_TRUE(WaitUntilServing([&] { return std::abs((held = slider->Value()) - 175) <= 2; }, 5000)) << held;
    send(ButtonRelease, to);
    const auto released = std::chrono::steady_clock::now();
    EXPECT_FALSE(pane->Player()->Paused());
    ASSERT_TRUE(WaitUntilServing([&] { return !pane->Player()->Seeking(); }, 10000));
    // The knob follows playback from there (the truncating divisions from
    // knob to time and back may lose a step).
    EXPECT_GE(slider->Value(), held - 1);
    // Paused at once, before a busy machine plays the last 2 s to the end.
    pane->PauseClick();
    // Playback went on from the seek until the pause.
    const double sinceRelease = std::chrono::duration<double>(std::chrono::steady_clock::now() - released).count();
    // The snapshot is the picture on show or the one due next.
    const double picture = 0.25; // the clip's 4 pictures a second
    double played = 0;
    EXPECT_TRUE(WaitUntilServing([&] { return (played = snapshotTime()) >= 7.5; }, 10000)) << played;
    EXPECT_LE(played, 8.5 + sinceRelease + picture);

    // Paused, a key moves the knob and playback goes on from its place.
    slider->SetFocus();
    slider->Perform(WM_KEYDOWN, VK_HOME, 0);
    EXPECT_FALSE(pane->Player()->Paused());
    pane->PauseClick();
    EXPECT_TRUE(WaitUntilServing([&] { return snapshotTime() < 1.0; }, 10000));
    EXPECT_TRUE(WaitUntilServing([&] { return std::abs(screenTime() - snapshotTime()) < 0.3; }, 10000))
        << screenTime() << " on the screen, " << snapshotTime() << " in the snapshot";
    // Ten steps of 5 from the paused place, each playing on: at least 50 of
    // 218 places, 2.29 s, on.
    const double before = snapshotTime();
    const auto stepped = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i) {
        slider->Perform(WM_KEYDOWN, VK_RIGHT, 0);
        EXPECT_FALSE(pane->Player()->Paused()) << i;
        ASSERT_TRUE(WaitUntilServing([&] { return !pane->Player()->Seeking(); }, 10000)) << i;
    }
    pane->PauseClick();
    const double since = std::chrono::duration<double>(std::chrono::steady_clock::now() - stepped).count();
    double stopped = -1;
    EXPECT_TRUE(WaitUntilServing([&] { return (stopped = snapshotTime()) >= before + 2.29 - picture; }, 10000))
        << stopped << " after " << before;
    EXPECT_LE(stopped, before + 2.29 + picture + since);
}
