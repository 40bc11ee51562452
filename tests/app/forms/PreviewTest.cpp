// The preview pane: its pictures are saved in the format their extension
// names; its mute buttons.
#include "FormsTestSupport.h"

#include "app/forms/PreviewPane.h"

#include "engine/player/FFPlay.h"
#include "skin/controls/bsSkinCtrls_Button.h"

using namespace app;
using namespace formstest;
using namespace platform;

TEST(PreviewTest, PicturesAreWrittenInTheFormatTheirExtensionNames)
{
    testsupport::TTempDir dir;
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(16, 8);
    bmp.Canvas()->Brush()->SetColor(clRed);
    bmp.Canvas()->FillRect(TRect{0, 0, 16, 8});
    const struct {
        const char* Name;
        std::string Magic;
    } cases[] = {{"a.bmp", "BM"}, {"a.jpg", "\xFF\xD8\xFF"}, {"a.JPEG", "\xFF\xD8\xFF"}, {"a.gif", "GIF8"},
                 {"a.png", "\x89PNG"}, {"a.snap", "BM"}};
    for (const auto& c : cases) {
        SavePicture(bmp, dir.File(c.Name));
        EXPECT_EQ(testsupport::ReadFile(dir.File(c.Name)).substr(0, c.Magic.size()), c.Magic) << c.Name;
    }
}


namespace {

class PreviewPaneTest : public TMainWindowFixture {
protected:
    void SetUp() override
    {
        TMainWindowFixture::SetUp();
        Create(std::make_unique<apptest::TFakeEngine>());
    }
    skin::TbsSkinButton* Button(const char* AName) { return dynamic_cast<skin::TbsSkinButton*>(Form1->FindComponent(AName)); }
};

} // namespace

// "静音" mutes the player and gives its place to the button that turns the
// sound back on, and that one swaps them back, as often as the user likes.
TEST_F(PreviewPaneTest, TheMuteButtonsMuteAndSwapInPlaceEachTime)
{
    skin::TbsSkinButton* on = Button("bsSkinButton16");
    skin::TbsSkinButton* off = Button("bsSkinButton20");
    ASSERT_TRUE(on && off);
    engine::TCustomPlayer* player = Form1->Preview()->Player();
    EXPECT_FALSE(player->Mute());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        on->ButtonClick();
        EXPECT_TRUE(player->Mute());
        EXPECT_FALSE(on->Visible());
        EXPECT_TRUE(off->Visible());
        EXPECT_EQ(off->BoundsRect(), on->BoundsRect());
        off->ButtonClick();
        EXPECT_FALSE(player->Mute());
        EXPECT_TRUE(on->Visible());
        EXPECT_FALSE(off->Visible());
    }
}
