#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_SpeedButton.h"
#include "skin/controls/bsSkinCtrls_ToolBar.h"

#include "platform/controls/ImgList.h"

using namespace skintest;
using skin::TbsSkinSpeedButton;
using skin::TbsSkinToolBar;

namespace {

// "toolbutton": the button pictures with the normal colour as the disabled
// caption colour; "morphbutton": the same with a cross-fade.
const std::string SpeedControls = "toolbutton:button\r\nmorphbutton:button\r\n";
const std::string SpeedSections =
    "[toolbutton]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,3\r\nrighttoppoint=27,3\r\n"
    "leftbottompoint=3,17\r\nrightbottompoint=27,17\r\nclientrect=3,3,27,17\r\nactiveskinrect=30,0,60,20\r\n"
    "downskinrect=60,0,90,20\r\ndisabledskinrect=90,0,120,20\r\nfontcolor=0\r\nactivefontcolor=255\r\n"
    "downfontcolor=16711680\r\ndisabledfontcolor=0\r\n"
    "[morphbutton]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,3\r\nrighttoppoint=27,3\r\n"
    "leftbottompoint=3,17\r\nrightbottompoint=27,17\r\nclientrect=3,3,27,17\r\nactiveskinrect=30,0,60,20\r\n"
    "morphing=1\r\n";

struct SkinSpeedButton : TSkinFixture {
    int Clicks = 0;
    SkinSpeedButton() { Folder.Rewrite(SkinIni(SpeedControls, SpeedSections)); }
    TbsSkinSpeedButton* NewButton(TRect ABounds, TWinControl* AParent = nullptr)
    {
        auto* b = new TbsSkinSpeedButton(Form.get());
        b->SetParent(AParent ? AParent : Form.get());
        b->SetBoundsRect(ABounds);
        b->OnClick = [this](TObject*) { ++Clicks; };
        return b;
    }
    void Advance(TFakeClock& AClock, uint64_t AMs)
    {
        for (uint64_t i = 0; i < AMs; i += 10) {
            AClock.Now += 10;
            Pump();
        }
    }
    // A one-colour 16 x 16 image list.
    static std::unique_ptr<TImageList> SolidList(uint32_t ARgb)
    {
        auto list = std::make_unique<TImageList>(nullptr);
        list->AddPixels(std::vector<uint32_t>(16 * 16, 0xFF000000u | ARgb));
        return list;
    }
};

} // namespace

TEST_F(SkinSpeedButton, StartsAsAPlainOpaqueToolButton)
{
    TbsSkinSpeedButton b(nullptr);
    EXPECT_EQ(b.Width(), 25);
    EXPECT_EQ(b.Height(), 25);
    EXPECT_EQ(b.SkinDataName(), "toolbutton");
    EXPECT_EQ(b.ControlStyle, unsigned(csCaptureMouse | csOpaque | csDoubleClicks));
    EXPECT_FALSE(b.Transparent());
    b.SetMargin(-2);
    EXPECT_EQ(b.Margin(), -1);
    b.SetCheckedMode(true);
    EXPECT_EQ(b.GroupIndex(), -1);
    b.SetCheckedMode(false);
    EXPECT_EQ(b.GroupIndex(), 0);
    b.SetFlat(true);
    EXPECT_TRUE(b.Transparent());
}

TEST_F(SkinSpeedButton, APlainButtonClicksOnAReleaseInside)
{
    auto* b = NewButton(Bounds(10, 10, 40, 20));
    ShowAndPaint();
    Click(b, 5, 5);
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(b->Down());
    Mouse(b, 5, 5);
    Mouse(b, 5, 5, 1);
    EXPECT_TRUE(b->Down());
    Mouse(b, 60, 5);   // away while held: drawn up
    EXPECT_FALSE(b->MouseIn());
    EXPECT_EQ(PixelOf(b, 20, 10), ColorRgb(clBtnFace));
    Mouse(b, 60, 5, 0);
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(b->Down());
}

TEST_F(SkinSpeedButton, GroupButtonsLatchAndReleaseEachOther)
{
    auto* a = NewButton(Bounds(10, 10, 40, 20));
    auto* b = NewButton(Bounds(60, 10, 40, 20));
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    ShowAndPaint();
    Click(a, 5, 5);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(Clicks, 1);   // a group button clicks as it goes down
    Click(a, 5, 5);
    EXPECT_TRUE(a->Down());   // without AllowAllUp it stays down, no click
    EXPECT_EQ(Clicks, 1);
    Click(b, 5, 5);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    b->AllowAllUp = true;
    Click(b, 5, 5);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(Clicks, 3);
    // With AllowAllUp setting one down leaves the others down.
    a->AllowAllUp = true;
    b->SetDown(true);
    a->SetDown(true);
    EXPECT_TRUE(b->Down());
}

TEST_F(SkinSpeedButton, ACheckButtonTogglesAndClicksOnEveryPressEvenReleasedOutside)
{
    auto* b = NewButton(Bounds(10, 10, 40, 20));
    b->SetCheckedMode(true);
    ShowAndPaint();
    Click(b, 5, 5);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(Clicks, 1);
    Mouse(b, 5, 5, 1);
    Mouse(b, 80, 5);
    Mouse(b, 80, 5, 0);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(Clicks, 2);
}

TEST_F(SkinSpeedButton, ARepeatButtonRepeatsAfterItsDelay)
{
    TFakeClock clock;
    auto* b = NewButton(Bounds(10, 10, 40, 20));
    b->RepeatMode = true;
    ShowAndPaint();
    Mouse(b, 5, 5);
    Mouse(b, 5, 5, 1);
    Advance(clock, 590);
    EXPECT_EQ(Clicks, 0);
    Advance(clock, 10);   // 500 ms delay, then the first interval
    EXPECT_EQ(Clicks, 1);
    Advance(clock, 200);
    EXPECT_EQ(Clicks, 3);
    Mouse(b, 5, 5, 0);
    EXPECT_EQ(Clicks, 4);
    Advance(clock, 300);
    EXPECT_EQ(Clicks, 4);
}

TEST_F(SkinSpeedButton, TheBuiltInLookFollowsThePointer)
{
    auto* b = NewButton(Bounds(10, 10, 40, 20));
    auto* flat = NewButton(Bounds(60, 10, 40, 20));
    flat->SetFlat(true);
    ShowAndPaint();
    const COLORREF face = ColorToRGB(clBtnFace);
    auto darker = [](uint8_t C) { return uint8_t(C - (C * 15 + 50) / 100); };
    EXPECT_EQ(PixelOf(b, 0, 0), Rgb(darker(GetRValue(face)), darker(GetGValue(face)), darker(GetBValue(face))));
    EXPECT_EQ(PixelOf(b, 20, 10), ColorRgb(clBtnFace));
    EXPECT_EQ(PixelOf(flat, 20, 10), Background);   // flat and idle: only the content
    Mouse(b, 5, 5);
    EXPECT_EQ(PixelOf(b, 0, 0), Rgb(0x3B, 0x6B, 0xB7));
    EXPECT_EQ(PixelOf(b, 20, 10), Rgb(0xC1, 0xD4, 0xF3));
    Mouse(b, 5, 5, 1);
    EXPECT_EQ(PixelOf(b, 20, 10), Rgb(0xA2, 0xBC, 0xE4));
    Mouse(b, 5, 5, 0);
    Mouse(flat, 5, 5);
    EXPECT_EQ(PixelOf(flat, 20, 10), Rgb(0xC1, 0xD4, 0xF3));
    Mouse(flat, 90, 90);
    EXPECT_EQ(PixelOf(flat, 20, 10), Background);
}

TEST_F(SkinSpeedButton, TheSkinnedLookHasAPictureForEachState)
{
    LoadSkin();
    auto* b = NewButton(Bounds(10, 10, 40, 24));
    b->SetSkinData(Data);
    ShowAndPaint();
    EXPECT_EQ(b->DisabledFontColor, 8421504);   // the skin's disabled colour was the normal one
    EXPECT_EQ(PixelOf(b, 0, 0), NormalEdge);
    EXPECT_EQ(PixelOf(b, 20, 12), NormalFill);
    EXPECT_EQ(PixelOf(b, 39, 23), NormalEdge);
    Mouse(b, 5, 5);
    EXPECT_EQ(PixelOf(b, 20, 12), HotFill);
    Mouse(b, 5, 5, 1);
    EXPECT_EQ(PixelOf(b, 20, 12), DownFill);
    Mouse(b, 5, 5, 0);
    Mouse(b, 90, 90);
    b->SetEnabled(false);
    EXPECT_EQ(PixelOf(b, 20, 12), DisabledFill);
}

TEST_F(SkinSpeedButton, AMorphingButtonFadesInFiveSteps)
{
    TFakeClock clock;
    LoadSkin();
    auto* b = NewButton(Bounds(10, 10, 40, 24));
    b->SetSkinDataName("morphbutton");
    b->SetSkinData(Data);
    ShowAndPaint();
    Mouse(b, 5, 5);
    EXPECT_EQ(b->MorphKf(), 0);
    Advance(clock, 20);
    EXPECT_NEAR(b->MorphKf(), 0.2, 1e-9);
    const uint32_t mid = PixelOf(b, 20, 12);   // a blend of the two pictures
    EXPECT_NE(mid, NormalFill);
    EXPECT_NE(mid, HotFill);
    Advance(clock, 100);
    EXPECT_EQ(b->MorphKf(), 1);
    EXPECT_EQ(PixelOf(b, 20, 12), HotFill);
    Mouse(b, 90, 90);
    Advance(clock, 120);
    EXPECT_EQ(b->MorphKf(), 0);
    EXPECT_EQ(PixelOf(b, 20, 12), NormalFill);
    // Skin effects off: no fade, the hot picture at once.
    Data->EnableSkinEffects = false;
    Mouse(b, 5, 5);
    EXPECT_EQ(PixelOf(b, 20, 12), HotFill);
}

TEST_F(SkinSpeedButton, OnAToolBarTheButtonShowsTheBarsImages)
{
    auto normal = SolidList(NormalEdge), hot = SolidList(HotEdge), disabled = SolidList(DownEdge);
    auto* bar = Add(new TbsSkinToolBar(Form.get()), Bounds(0, 0, 200, 40));
    bar->SetImages(normal.get());
    bar->SetHotImages(hot.get());
    auto* b = NewButton(Bounds(10, 0, 30, 30), bar);
    b->SetShowCaption(false);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(b, 15, 15), NormalEdge);
    Mouse(b, 15, 15);
    EXPECT_EQ(PixelOf(b, 15, 15), HotEdge);
    Mouse(b, 100, 100);
    b->SetEnabled(false);
    bar->SetDisabledImages(disabled.get());
    b->Invalidate();
    EXPECT_EQ(PixelOf(b, 15, 15), DownEdge);   // drawn as it is, not greyed
}

TEST_F(SkinSpeedButton, ShowCaptionAppliesTheGivenWidths)
{
    auto* b = NewButton(Bounds(10, 10, 40, 20));
    b->SetShowCaption(false);
    EXPECT_EQ(b->Width(), 40);
    b->WidthWithCaption = 70;
    b->WidthWithoutCaption = 30;
    b->SetShowCaption(true);
    EXPECT_EQ(b->Width(), 70);
    b->SetShowCaption(false);
    EXPECT_EQ(b->Width(), 30);
}

TEST_F(SkinSpeedButton, RefreshButtonDropsTheHotAndPressedLook)
{
    auto* b = NewButton(Bounds(10, 10, 40, 20));
    ShowAndPaint();
    Mouse(b, 5, 5);
    b->SetDown(true);
    b->RefreshButton();
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(b->MouseIn());
    EXPECT_EQ(PixelOf(b, 20, 10), ColorRgb(clBtnFace));
}

TEST_F(SkinSpeedButton, TheAcceleratorOfItsCaptionClicksIt)
{
    auto* b = NewButton(Bounds(10, 10, 40, 20));
    b->SetCaption("&Go");
    ShowAndPaint();
    EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'G', 0), 1);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'X', 0), 0);
    b->SetEnabled(false);
    EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'G', 0), 0);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(SkinSpeedButton, TheHoverAnimationRunsThroughTheFramesOfItsStrip)
{
    TFakeClock clock;
    // The four state blocks side by side are four frames of the animation.
    Folder.Rewrite(SkinIni(SpeedControls + "animbutton:button\r\n",
                           SpeedSections + "[animbutton]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\n"
                                           "clientrect=3,3,27,17\r\nactiveskinrect=30,0,60,20\r\n"
                                           "animateskinrect=0,0,120,20\r\nframecount=4\r\nanimateinterval=25\r\n"));
    LoadSkin();
    auto* b = NewButton(Bounds(10, 10, 30, 20));
    b->SetSkinDataName("animbutton");
    b->SetSkinData(Data);
    ShowAndPaint();
    Mouse(b, 5, 5);
    EXPECT_EQ(PixelOf(b, 15, 10), NormalFill);   // frame 1
    const uint32_t frames[] = {HotFill, DownFill, DisabledFill};
    for (uint32_t want : frames) {
        Advance(clock, 30);
        EXPECT_EQ(PixelOf(b, 15, 10), want);
    }
    Advance(clock, 30);   // past the last frame: the hot picture, animation over
    EXPECT_EQ(PixelOf(b, 15, 10), HotFill);
    EXPECT_EQ(b->CurrentAnimationFrame(), 0);
    Data->ClearSkin();
}

TEST_F(SkinSpeedButton, AFlatSkinnedButtonShowsOnlyItsContentUntilThePointerComes)
{
    LoadSkin();
    auto* b = NewButton(Bounds(10, 10, 40, 24));
    b->SetFlat(true);
    b->SetSkinData(Data);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(b, 20, 12), Background);
    EXPECT_EQ(PixelOf(b, 0, 0), Background);
    Mouse(b, 5, 5);
    EXPECT_EQ(PixelOf(b, 20, 12), HotFill);
    Mouse(b, 90, 90);
    EXPECT_EQ(PixelOf(b, 20, 12), Background);
}

TEST_F(SkinSpeedButton, ASkinChangeMidFadeLeavesNoHalfBlendedPicture)
{
    LoadSkin();
    auto* b = NewButton(Bounds(10, 10, 40, 24));
    b->SetSkinDataName("morphbutton");
    b->SetSkinData(Data);
    ShowAndPaint();
    TFakeClock clock;   // the fade's timer starts with the pointer
    Mouse(b, 5, 5);
    Advance(clock, 120);
    Mouse(b, 90, 90);
    Advance(clock, 40);
    ASSERT_NEAR(b->MorphKf(), 0.6, 1e-9);
    b->ChangeSkinData();
    Advance(clock, 100);
    EXPECT_EQ(b->MorphKf(), 0);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(b, 20, 12), NormalFill);
}
