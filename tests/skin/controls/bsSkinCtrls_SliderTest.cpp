#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_Slider.h"

using namespace skintest;
using skin::TbsSkinSlider;

namespace {

// Colours of the built-in images.
constexpr uint32_t ArtFace = Rgb(192, 192, 192), ArtPressed = Rgb(160, 160, 160), ArtShadow = Rgb(128, 128, 128),
                   ArtDark = Rgb(64, 64, 64), ArtMiddle = Rgb(100, 100, 100), ArtLight = Rgb(255, 255, 255);
constexpr uint32_t SkinBackground = Rgb(30, 60, 90);

// A ruler from the normal block's top (edge rows 0..2, fill 3..5; its
// bottom-left pixel, the fill, is its key colour), a
// thumb pair 10 x 15 each: normal from the normal block, pressed from the
// hot one, their edges the key colour.
inline std::string SliderSections()
{
    return "[slider]\r\npictureindex=0\r\nhrulerrect=3,0,27,6\r\nhthumbrect=20,3,40,18\r\n"
           "vrulerrect=0,0,6,20\r\nvthumbrect=20,3,40,18\r\nedgesize=3\r\nbgcolor=" +
           std::to_string(ColorOf(SkinBackground)) + "\r\npointscolor=255\r\n";
}

struct Slider : TSkinFixture {
    TFakeClock Clock;
    std::vector<std::string> Events;

    Slider() { Folder.Rewrite(SkinIni("slider:slider\r\n", SliderSections())); }

    TbsSkinSlider* NewSlider(TRect ABounds)
    {
        auto* s = new TbsSkinSlider(Form.get());
        s->OnChange = [this](TObject*) { Events.push_back("change"); };
        s->OnChanged = [this](TObject*) { Events.push_back("changed"); };
        return Add(s, ABounds);
    }
    void Advance(int AMs)
    {
        Clock.Now += uint64_t(AMs);
        Pump();
    }
};

} // namespace

TEST_F(Slider, StartsWithTheBuiltInImages)
{
    auto* s = new TbsSkinSlider(Form.get());
    EXPECT_EQ(s->Width(), 150);
    EXPECT_EQ(s->Height(), 40);
    EXPECT_EQ(s->SkinDataName(), "slider");
    EXPECT_TRUE(s->TabStop());
    EXPECT_EQ(s->Options(), skin::SliderOption(skin::soShowFocus) | skin::SliderOption(skin::soShowPoints) |
                                skin::SliderOption(skin::soSmooth));
    EXPECT_EQ(s->Increment(), 10);
    EXPECT_EQ(s->EdgeSize(), 2);
    EXPECT_EQ(s->NumThumbStates(), 2);
    // Layout: ruler 138 x 7 at (6, 10), thumb 5 x 15 at (6, 6), ticks below.
    EXPECT_EQ(s->Ruler()->Width(), 138);
    EXPECT_EQ(s->Ruler()->Height(), 7);
    EXPECT_EQ(s->RulerOrg(), Point(6, 10));
    EXPECT_EQ(s->ThumbRect(), Bounds(6, 6, 5, 15));
    EXPECT_EQ(s->PointsRect(), Rect(6, 22, 144, 39));
}

TEST_F(Slider, ValuesPlaceTheThumbRoundingHalvesToEven)
{
    auto* s = NewSlider(Bounds(0, 0, 150, 40));
    s->SetValue(50);   // 6 + round(66.5)
    EXPECT_EQ(s->ThumbRect().Left, 72);
    s->SetValue(100);   // the ruler length is 133
    EXPECT_EQ(s->ThumbRect().Left, 139);
    s->SetValue(500);
    EXPECT_EQ(s->Value(), 100);
    EXPECT_EQ(Events, (std::vector<std::string>{"change", "change"}));
}

TEST_F(Slider, RangeWritesKeepTheRangeSound)
{
    auto* s = NewSlider(Bounds(0, 0, 150, 40));
    s->SetMinValue(100);   // not below the maximum: ignored
    EXPECT_EQ(s->MinValue(), 0);
    s->SetMinValue(10);
    s->SetMaxValue(15);   // narrower than one step: the step shrinks
    EXPECT_EQ(s->Increment(), 5);
    EXPECT_EQ(s->Value(), 10);
    s->SetIncrement(0);
    EXPECT_EQ(s->Increment(), 5);
    s->SetEdgeSize(5);   // twice 5 is the whole ruler image
    EXPECT_EQ(s->EdgeSize(), 2);
}

TEST_F(Slider, TheBuiltInRulerKeepsItsEndsAndRepeatsItsMiddle)
{
    auto* s = NewSlider(Bounds(10, 10, 150, 40));
    s->SetOptions(0);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(s, 8, 10), ArtFace);   // the thumb over the ruler
    s->SetValue(50);   // out of the way: thumb at 72..76
    EXPECT_EQ(PixelOf(s, 6, 13), ArtShadow);
    EXPECT_EQ(PixelOf(s, 7, 13), ArtDark);
    EXPECT_EQ(PixelOf(s, 80, 13), ArtMiddle);
    EXPECT_EQ(PixelOf(s, 142, 13), ArtDark);
    EXPECT_EQ(PixelOf(s, 143, 13), ArtLight);
    EXPECT_EQ(PixelOf(s, 80, 10), SysRgb(s->Color()));   // the key row shows the background
}

TEST_F(Slider, DraggingSnapsToStepsCountedFromTheMinimum)
{
    auto* s = NewSlider(Bounds(10, 10, 150, 40));
    s->SetOptions(skin::SliderOption(skin::soShowFocus));
    ShowAndPaint();
    Mouse(s, 8, 12);
    Mouse(s, 8, 12, 1);
    EXPECT_EQ(PixelOf(s, 8, 10), ArtPressed);
    Mouse(s, 67, 12);   // leading edge 65: round(59 * 100 / 133) = 44, so 40
    EXPECT_EQ(s->Value(), 40);
    EXPECT_EQ(s->ThumbRect().Left, 59);   // 6 + round(53.2)
    Mouse(s, 67, 12, 0);
    EXPECT_EQ(PixelOf(s, 61, 10), ArtFace);
    EXPECT_EQ(Events, (std::vector<std::string>{"change", "changed"}));
}

TEST_F(Slider, KeysJumpOnStepsCountedFromZero)
{
    auto* s = NewSlider(Bounds(10, 10, 150, 40));
    s->SetMinValue(5);
    s->SetValue(5);
    ShowAndPaint();
    s->SetFocus();
    Events.clear();
    Key(VK_RIGHT, true);
    Key(VK_RIGHT, false);
    EXPECT_EQ(s->Value(), 10);
    Key(VK_END, true);
    Key(VK_END, false);
    EXPECT_EQ(s->Value(), 100);
    Key(VK_RIGHT, true);   // at the end: nothing changes, the action still ends
    Key(VK_RIGHT, false);
    EXPECT_EQ(Events, (std::vector<std::string>{"change", "changed", "change", "changed", "changed"}));
    Key(VK_HOME, true);
    Key(VK_HOME, false);
    EXPECT_EQ(s->Value(), 5);
}

TEST_F(Slider, HoldingTheRulerJumpsUntilTheThumbPassesTheMouse)
{
    auto* s = NewSlider(Bounds(10, 10, 150, 40));
    ShowAndPaint();
    Mouse(s, 40, 13);
    Mouse(s, 40, 13, 1);   // right of the thumb: one jump at once
    EXPECT_EQ(s->Value(), 10);
    Advance(399);
    EXPECT_EQ(s->Value(), 10);
    Advance(1);
    EXPECT_EQ(s->Value(), 20);   // thumb at 33..38
    Advance(400);
    EXPECT_EQ(s->Value(), 30);   // thumb at 46: past the mouse
    Advance(400);
    EXPECT_EQ(s->Value(), 30);
    Mouse(s, 40, 13, 0);
    EXPECT_EQ(Events.back(), "changed");
}

TEST_F(Slider, AVerticalSliderHasItsMaximumAtTheTop)
{
    auto* s = NewSlider(Bounds(10, 10, 150, 40));
    s->SetOrientation(skin::soVertical);
    EXPECT_EQ(s->BoundsRect(), Bounds(10, 10, 40, 150));
    // Thumb 15 x 7; the ruler runs from y 6 to 144.
    s->SetValue(0);
    EXPECT_EQ(s->ThumbRect(), Bounds(6, 137, 15, 7));
    s->SetValue(100);
    EXPECT_EQ(s->ThumbRect().Top, 6);
    ShowAndPaint();
    s->SetFocus();
    Key(VK_DOWN, true);
    Key(VK_DOWN, false);
    EXPECT_EQ(s->Value(), 90);
    Key(VK_UP, true);
    Key(VK_UP, false);
    EXPECT_EQ(s->Value(), 100);
}

TEST_F(Slider, TheSkinGivesRulerThumbAndBackground)
{
    LoadSkin();
    auto* s = NewSlider(Bounds(10, 10, 150, 40));
    s->SetSkinData(Data);
    s->SetOptions(0);
    ASSERT_NE(s->FIndex, -1);
    EXPECT_EQ(s->Ruler()->Height(), 6);
    EXPECT_EQ(s->ThumbRect(), Bounds(6, 6, 10, 15));
    EXPECT_EQ(s->RulerOrg(), Point(6, 10));
    ShowAndPaint();
    EXPECT_EQ(PixelOf(s, 2, 2), SkinBackground);
    EXPECT_EQ(PixelOf(s, 40, 10), NormalEdge);   // ruler rows of the picture
    EXPECT_EQ(PixelOf(s, 40, 14), SkinBackground);
    EXPECT_EQ(PixelOf(s, 8, 8), NormalFill);   // the left half, its edge left out
    Mouse(s, 8, 12);
    Mouse(s, 8, 12, 1);
    EXPECT_EQ(PixelOf(s, 10, 8), HotFill);
    Mouse(s, 8, 12, 0);
    s->SetEnabled(false);   // a disabled thumb shows the right half too
    EXPECT_EQ(PixelOf(s, 10, 8), HotFill);
}

TEST_F(Slider, UserImagesReplaceTheBuiltInOnesUntilCleared)
{
    auto* s = NewSlider(Bounds(10, 10, 150, 40));
    TBitmap thumb;
    thumb.SetSize(16, 20);   // two 8 x 20 thumbs
    s->SetImage(skin::siHThumb, &thumb);
    EXPECT_EQ(s->UserImages(), 1);
    EXPECT_EQ(s->ThumbRect(), Bounds(6, 6, 8, 20));
    s->SetOptions(s->Options() | skin::SliderOption(skin::soThumbOpaque));
    s->SetImage(skin::siHThumb, nullptr);
    EXPECT_EQ(s->UserImages(), 0);
    EXPECT_FALSE(s->HasOption(skin::soThumbOpaque));
    EXPECT_EQ(s->ThumbRect(), Bounds(6, 6, 5, 15));
}

TEST_F(Slider, TicksMarkEveryStepWithLongerEnds)
{
    auto* s = NewSlider(Bounds(10, 10, 150, 40));
    s->SetValue(50);
    ShowAndPaint();
    const uint32_t ink = SysRgb(clWindowText), paper = SysRgb(s->Color());
    // Value 0 at x 8: five pixels from y 22; value 10 at x 21: three.
    EXPECT_EQ(PixelOf(s, 8, 26), ink);
    EXPECT_EQ(PixelOf(s, 8, 27), paper);
    EXPECT_EQ(PixelOf(s, 21, 24), ink);
    EXPECT_EQ(PixelOf(s, 21, 25), paper);
    EXPECT_EQ(PixelOf(s, 141, 26), ink);   // value 100
    // Ticks closer than 4 pixels are thinned to every second step.
    s->SetIncrement(2);
    EXPECT_EQ(PixelOf(s, 11, 22), paper);   // value 2 has no tick
    EXPECT_EQ(PixelOf(s, 13, 22), ink);     // value 4: 6 + round(5.32) + 2
}
