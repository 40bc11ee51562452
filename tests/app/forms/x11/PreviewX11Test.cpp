// On a real display: a clip plays paused into Panel6's X child window, and
// snapshots are named after the file the player shows, counted per
// extension; the slider seeks and Stop reopens at the start.
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

    // Releasing the slider seeks and plays on; stop rewinds and reopens paused.
    pane->Slider()->SetValue(pane->Slider()->MaxValue() / 2);
    pane->SliderReleased();
    pane->StopClick();
    EXPECT_TRUE(WaitUntilServing([&] { return pane->Player()->Paused(); }, 10000));
    bool canClose = false;
    Form1->FormCloseQuery(canClose);
    EXPECT_TRUE(canClose);
}
