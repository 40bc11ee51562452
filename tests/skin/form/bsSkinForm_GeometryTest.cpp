// The skin form's frame after a size change: children that copy a stretched
// client background are told to copy it again.

#include "SkinnedFormFixture.h"

#include "platform/ui/Messages.h"

namespace {

using namespace platform;
using namespace frametest;

// A child window that counts the parent-background messages it receives.
using TBackgroundListener = TMessageCounter<TCustomControl, SKN_PARENTBGCHANGED>;

struct FrameBackgroundTest : SkinnedFormFixture {};

TEST_F(FrameBackgroundTest, AStretchedBackgroundTellsTheChildrenAfterEveryResize)
{
    struct Case {
        const char* Name;
        bool Stretch;
        bool Told;
    };
    for (const Case c : {Case{"stretched", true, true}, Case{"tiled", false, false}}) {
        SCOPED_TRACE(c.Name);
        std::string ini = SkinIni(LeftText);
        if (c.Stretch)
            ini.replace(ini.find("[FORMINFO]\r\n"), 12, "[FORMINFO]\r\nstretcheffect=1\r\n");
        LoadIni(ini);
        auto child = std::make_unique<TBackgroundListener>(Form.get());
        child->SetBounds(10, 10, 50, 30);
        child->SetParent(Form.get());
        child->HandleNeeded();
        Application()->ProcessMessages();
        child->Count = 0;
        Form->SetBounds(100, 100, 260, 150);
        Application()->ProcessMessages();
        EXPECT_EQ(child->Count > 0, c.Told);
        Form->SetBounds(100, 100, 200, 120);
    }
}

} // namespace

namespace {

TEST_F(FrameBackgroundTest, AFormLargerThanANewScreenIsShrunkToIt)
{
    Form->SetBounds(20, 30, 600, 500);
    Application()->ProcessMessages();
    struct Case {
        const char* Name;
        TRect Work;
        TRect Expected;
    };
    const Case cases[] = {
        {"a screen that still holds it", Rect(0, 0, 800, 560), Rect(20, 30, 620, 530)},
        {"a smaller screen", Rect(0, 0, 500, 400), Rect(20, 30, 520, 430)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Headless().SetScreen(c.Work, c.Work);
        SendMessage(Form->Handle(), WM_DISPLAYCHANGE, 32, 0);
        Application()->ProcessMessages();
        EXPECT_EQ(Form->BoundsRect(), c.Expected);
    }
}

} // namespace
