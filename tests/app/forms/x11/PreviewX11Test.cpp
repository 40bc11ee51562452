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
    if (!testsupport::MakeMedia(Media.File("bars.mkv"), "-f lavfi -i testsrc=size=160x120:rate=10:duration=2 -c:v mpeg4"))
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
