#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/core/bsUtils_Probes.h"

#include "platform/controls/StdCtrls.h"
#include "platform/ui/MessageLoop.h"

using namespace skintest;
using skin::TbsSkinButton;

namespace {

uint32_t RgbOf(TColor AColor)
{
    const COLORREF c = ColorToRGB(AColor);
    return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The built-in look's fills.
const uint32_t BuiltInNormal = RgbOf(clBtnFace);
const uint32_t BuiltInHot = RgbOf(0xF3D4C1);
const uint32_t BuiltInDown = RgbOf(0xE4BCA2);
const uint32_t BuiltInHotFrame = RgbOf(0xB76B3B);

struct SkinButton : TSkinFixture {
    int Clicks = 0;
    TbsSkinButton* NewButton(TRect ABounds, const std::string& AName = "nosuchrecord")
    {
        auto* b = new TbsSkinButton(Form.get());
        b->SetSkinDataName(AName);
        b->SetBoundsRect(ABounds);
        b->SetParent(Form.get());
        b->OnClick = [this](TObject*) { ++Clicks; };
        return b;
    }
    // Shows the form with the focus on an edit: a focused button looks hot.
    void ShowUnfocused()
    {
        auto* edit = new TEdit(Form.get());
        edit->SetBounds(200, 150, 60, 20);
        edit->SetParent(Form.get());
        ShowAndPaint();
        edit->SetFocus();
        Pump();
    }
};

} // namespace

TEST_F(SkinButton, StartsAsAPlainFocusableButtonOfItsDefaultSize)
{
    auto* b = new TbsSkinButton(Form.get());
    EXPECT_EQ(b->Width(), 75);
    EXPECT_EQ(b->Height(), 25);
    EXPECT_EQ(b->SkinDataName(), "button");
    EXPECT_TRUE(b->CanFocused());
    EXPECT_TRUE(b->TabStop());
    EXPECT_EQ(b->Margin(), -1);
    EXPECT_EQ(b->Spacing(), 1);
    EXPECT_EQ(b->ImageIndex(), -1);
    b->SetMargin(-2);   // ignored
    EXPECT_EQ(b->Margin(), -1);
    b->SetMargin(4);
    EXPECT_EQ(b->Margin(), 4);
    b->SetGroupIndex(2);   // a group button cannot take the focus
    EXPECT_FALSE(b->CanFocused());
    EXPECT_FALSE(b->TabStop());
    b->SetGroupIndex(0);   // and does not get it back
    EXPECT_FALSE(b->CanFocused());
    b->SetCheckedMode(true);
    EXPECT_EQ(b->GroupIndex(), -1);
    b->SetCheckedMode(false);
    EXPECT_EQ(b->GroupIndex(), 0);
}

TEST_F(SkinButton, AClickPressesOnDownAndClicksOnReleaseInside)
{
    auto* b = NewButton(Bounds(20, 20, 60, 24));
    ShowUnfocused();
    EXPECT_EQ(PixelOf(b, 30, 12), BuiltInNormal);
    EXPECT_EQ(PixelOf(b, 0, 0), RgbOf(clBtnShadow));
    Mouse(b, 30, 12);
    EXPECT_TRUE(b->MouseIn());
    EXPECT_EQ(PixelOf(b, 30, 12), BuiltInHot);
    EXPECT_EQ(PixelOf(b, 0, 0), BuiltInHotFrame);
    Mouse(b, 30, 12, 1);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(PixelOf(b, 30, 12), BuiltInDown);
    EXPECT_EQ(Clicks, 0);
    Mouse(b, 30, 12, 0);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(PixelOf(b, 30, 12), BuiltInHot);
    Mouse(b, 150, 150);   // the pointer leaves; the press gave the button the focus
    EXPECT_FALSE(b->MouseIn());
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(PixelOf(b, 30, 12), BuiltInHot);
}

TEST_F(SkinButton, DraggingOffBeforeTheReleaseGivesNoClick)
{
    auto* b = NewButton(Bounds(20, 20, 60, 24));
    ShowUnfocused();
    Mouse(b, 30, 12);
    Mouse(b, 30, 12, 1);
    Mouse(b, 90, 12);   // held and dragged off: not pressed (hot: it has the focus)
    EXPECT_FALSE(b->MouseIn());
    EXPECT_EQ(PixelOf(b, 30, 12), BuiltInHot);
    Mouse(b, 30, 12);   // back on: pressed again
    EXPECT_TRUE(b->MouseIn());
    EXPECT_EQ(PixelOf(b, 30, 12), BuiltInDown);
    Mouse(b, 90, 12);
    Mouse(b, 90, 12, 0);
    EXPECT_EQ(Clicks, 0);
    EXPECT_FALSE(b->Down());
}

TEST_F(SkinButton, GroupButtonsReleaseEachOther)
{
    auto* a = NewButton(Bounds(10, 10, 40, 20));
    auto* b = NewButton(Bounds(60, 10, 40, 20));
    auto* other = NewButton(Bounds(110, 10, 40, 20));
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    other->SetGroupIndex(2);
    other->SetDown(true);
    ShowAndPaint();
    Click(a, 5, 5);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(Clicks, 1);   // a group button clicks on the press
    Click(b, 5, 5);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(other->Down());
    EXPECT_EQ(Clicks, 2);
    Click(b, 5, 5);   // down already: nothing
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(Clicks, 2);
    b->AllowAllUp = true;
    Click(b, 5, 5);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(Clicks, 3);
}

TEST_F(SkinButton, ACheckButtonTogglesOnEveryPress)
{
    auto* b = NewButton(Bounds(10, 10, 40, 20));
    b->SetCheckedMode(true);
    ShowAndPaint();
    Mouse(b, 5, 5);
    Mouse(b, 5, 5, 1);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(Clicks, 1);   // at once
    Mouse(b, 5, 5, 0);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(Clicks, 1);
    Mouse(b, 5, 5, 1);
    EXPECT_EQ(Clicks, 1);
    Mouse(b, 5, 5, 0);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(Clicks, 2);
}

TEST_F(SkinButton, ARepeatButtonRepeatsAfterItsDelay)
{
    TFakeClock clock;
    auto* b = NewButton(Bounds(10, 10, 40, 20));
    b->RepeatMode = true;
    ShowAndPaint();
    Mouse(b, 5, 5);
    Mouse(b, 5, 5, 1);
    auto advance = [&](uint64_t AMs) {
        for (uint64_t i = 0; i < AMs; i += 10) {
            clock.Now += 10;
            Pump();
        }
    };
    advance(590);
    EXPECT_EQ(Clicks, 0);
    advance(10);   // 600 ms: the first repeated click
    EXPECT_EQ(Clicks, 1);
    advance(200);
    EXPECT_EQ(Clicks, 3);
    Mouse(b, 5, 5, 0);   // and one more on the release inside
    EXPECT_EQ(Clicks, 4);
    advance(300);
    EXPECT_EQ(Clicks, 4);
}

TEST_F(SkinButton, EnterClicksTheDefaultButtonAndEscapeTheCancelButton)
{
    auto* edit = new TEdit(Form.get());
    edit->SetBounds(10, 100, 80, 20);
    edit->SetParent(Form.get());
    auto* ok = NewButton(Bounds(10, 10, 40, 20));
    auto* cancel = NewButton(Bounds(60, 10, 40, 20));
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    ok->ModalResult = mrOk;
    ok->SetDefault(true);
    cancel->Cancel = true;
    ShowAndPaint();
    edit->SetFocus();
    Pump();
    EXPECT_TRUE(ok->Active());
    EXPECT_TRUE(ok->MouseIn());   // the default button looks hot while an edit has the focus
    Key(VK_RETURN, true);
    Key(VK_RETURN, false);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(Form->ModalResult(), mrOk);
    Key(VK_ESCAPE, true);
    Key(VK_ESCAPE, false);
    EXPECT_EQ(cancelClicks, 1);
    Key(VK_SHIFT, true);
    Key(VK_ESCAPE, true);
    Key(VK_ESCAPE, false);
    Key(VK_SHIFT, false);
    EXPECT_EQ(cancelClicks, 1);
    // Another button with the focus takes Enter over.
    cancel->SetFocus();
    Pump();
    EXPECT_FALSE(ok->Active());
    EXPECT_TRUE(cancel->Active());
    Key(VK_RETURN, true);
    Key(VK_RETURN, false);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 2);
}

TEST_F(SkinButton, SpaceOnAFocusedButtonPressesAndClicks)
{
    auto* b = NewButton(Bounds(10, 10, 40, 20));
    ShowAndPaint();
    b->SetFocus();
    Pump();
    Key(VK_SPACE, true);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(Clicks, 0);
    Key(VK_SPACE, false);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(Clicks, 1);
}

TEST_F(SkinButton, SkinnedStatesShowTheirPictures)
{
    LoadSkin();
    auto* b = NewButton(Bounds(20, 20, 60, 24), "fixedbutton");
    b->SetSkinData(Data);
    EXPECT_EQ(b->BoundsRect(), Bounds(20, 20, 30, 20));
    ShowUnfocused();
    EXPECT_EQ(PixelOf(b, 15, 10), NormalFill);
    Mouse(b, 15, 10);
    EXPECT_EQ(PixelOf(b, 15, 10), HotFill);
    Mouse(b, 15, 10, 1);
    EXPECT_EQ(PixelOf(b, 15, 10), DownFill);
    EXPECT_EQ(PixelOf(b, 1, 1), DownEdge);
    Mouse(b, 15, 10, 0);
    EXPECT_EQ(PixelOf(b, 15, 10), HotFill);
    b->SetEnabled(false);
    EXPECT_FALSE(b->MouseIn());
    EXPECT_EQ(PixelOf(b, 15, 10), DisabledFill);
    b->SetEnabled(true);
    Mouse(b, 150, 150);
    EXPECT_EQ(PixelOf(b, 15, 10), NormalFill);
}

TEST_F(SkinButton, ATransparentButtonsRecordValuesFallBackAsTheRecordSays)
{
    LoadSkin();
    auto* b = NewButton(Bounds(20, 20, 60, 24), "fixed");   // a record with only a picture
    b->SetSkinData(Data);
    EXPECT_EQ(b->ActiveSkinRect, b->SkinRect);
    EXPECT_EQ(b->DownSkinRect, b->SkinRect);
    EXPECT_EQ(b->DisabledFontColor, TColor(0x808080));   // equal to FontColor: grey
    auto* c = NewButton(Bounds(20, 60, 60, 24), "button");
    c->SetSkinData(Data);
    EXPECT_EQ(c->ActiveFontColor, 255);
    EXPECT_EQ(c->DisabledFontColor, 8421504);
    EXPECT_EQ(c->DownSkinRect, Rect(60, 0, 90, 20));
}

TEST_F(SkinButton, RefreshButtonClearsTheHotAndPressedLook)
{
    auto* b = NewButton(Bounds(20, 20, 60, 24));
    ShowUnfocused();
    Mouse(b, 30, 12);
    Mouse(b, 30, 12, 1);
    b->SetCanFocused(false);   // a focused button would look hot
    b->RefreshButton();
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(b->MouseIn());
    EXPECT_EQ(PixelOf(b, 30, 12), BuiltInNormal);
}

TEST_F(SkinButton, AButtonKeepsItsOwnSizeWithoutUseSkinSize)
{
    LoadSkin();
    auto* nine = NewButton(Bounds(10, 10, 75, 25), "button");
    nine->SetSkinData(Data);
    auto* own = NewButton(Bounds(10, 50, 60, 40), "fixedbutton");
    own->UseSkinSize = false;
    own->SetSkinData(Data);
    EXPECT_EQ(nine->BoundsRect(), Bounds(10, 10, 75, 25));
    EXPECT_EQ(own->BoundsRect(), Bounds(10, 50, 60, 40));
    EXPECT_EQ(own->RealClientRect(), Rect(3, 3, 57, 37));
    ShowUnfocused();
    EXPECT_EQ(PixelOf(nine, 74, 24), NormalEdge);
    EXPECT_EQ(PixelOf(nine, 37, 12), NormalFill);
    EXPECT_EQ(PixelOf(own, 0, 0), NormalEdge);   // the picture scaled to the button
    EXPECT_EQ(PixelOf(own, 59, 39), NormalEdge);
    EXPECT_EQ(PixelOf(own, 30, 20), NormalFill);
}

TEST_F(SkinButton, AMorphingButtonFadesToItsHotPictureInFiveSteps)
{
    TFakeClock clock;
    Folder.Rewrite(SkinIni("morph:button", "[morph]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\n"
                                           "activeskinrect=30,0,60,20\r\nmorphing=1\r\n"));
    LoadSkin();
    auto* b = NewButton(Bounds(20, 20, 60, 24), "morph");
    b->SetSkinData(Data);
    ShowUnfocused();
    auto tick = [&] {
        clock.Now += 20;
        Pump();
    };
    for (int i = 0; i < 6; ++i)   // the focus has come and gone: fade back
        tick();
    EXPECT_DOUBLE_EQ(b->MorphKf(), 0);
    EXPECT_EQ(PixelOf(b, 15, 10), NormalFill);
    Mouse(b, 15, 10);
    tick();
    EXPECT_NEAR(b->MorphKf(), 0.2, 1e-9);
    const uint32_t between = PixelOf(b, 15, 10);
    EXPECT_NE(between, NormalFill);
    EXPECT_NE(between, HotFill);
    for (int i = 0; i < 5; ++i)
        tick();
    EXPECT_DOUBLE_EQ(b->MorphKf(), 1);
    EXPECT_EQ(PixelOf(b, 15, 10), HotFill);
    Mouse(b, 150, 150);
    for (int i = 0; i < 6; ++i)
        tick();
    EXPECT_DOUBLE_EQ(b->MorphKf(), 0);
    EXPECT_EQ(PixelOf(b, 15, 10), NormalFill);
    // Without skin effects the button changes at once.
    Data->EnableSkinEffects = false;
    Mouse(b, 15, 10);
    EXPECT_EQ(PixelOf(b, 15, 10), HotFill);
}

namespace {

int CountColour(TSkinFixture& F, TControl* C, uint32_t AColor)
{
    int n = 0;
    for (int y = 0; y < C->Height(); ++y)
        for (int x = 0; x < C->Width(); ++x)
            n += F.PixelOf(C, x, y) == AColor;
    return n;
}

} // namespace

TEST_F(SkinButton, TheCaptionTakesTheColourOfTheState)
{
    LoadSkin();
    auto* b = NewButton(Bounds(20, 20, 75, 25), "button");
    b->SetCaption("HHH");
    b->SetSkinData(Data);
    ShowUnfocused();
    const uint32_t black = Rgb(0, 0, 0), red = Rgb(255, 0, 0), blue = Rgb(0, 0, 255);
    EXPECT_GT(CountColour(*this, b, black), 0);
    Mouse(b, 37, 12);
    EXPECT_GT(CountColour(*this, b, red), 0);
    EXPECT_EQ(CountColour(*this, b, black), 0);
    Mouse(b, 37, 12, 1);
    EXPECT_GT(CountColour(*this, b, blue), 0);
    Mouse(b, 37, 12, 0);
    // Without UseSkinFontColor the default font's colour.
    b->UseSkinFontColor = false;
    b->DefaultFont()->SetColor(clLime);
    b->Invalidate();
    EXPECT_GT(CountColour(*this, b, Rgb(0, 255, 0)), 0);
    EXPECT_EQ(CountColour(*this, b, red), 0);
}

TEST_F(SkinButton, AGlyphFrameIsChosenByTheState)
{
    auto* b = NewButton(Bounds(20, 20, 60, 30));
    TBitmap glyph;   // four 8 x 8 frames: red, green, blue, yellow
    glyph.SetSize(32, 8);
    const TColor frames[] = {clRed, clLime, clBlue, clYellow};
    for (int i = 0; i < 4; ++i) {
        glyph.Canvas()->Brush()->SetColor(frames[i]);
        glyph.Canvas()->FillRect(Rect(i * 8, 0, i * 8 + 8, 8));
    }
    for (int i = 0; i < 4; ++i)   // each frame's bottom-left pixel is its transparent colour
        glyph.Canvas()->SetPixels(i * 8, 7, clFuchsia);
    b->SetGlyph(&glyph);
    b->SetNumGlyphs(4);
    ShowUnfocused();
    EXPECT_EQ(PixelOf(b, 30, 15), Rgb(255, 0, 0));   // up: frame 1, centred
    Mouse(b, 30, 15);
    EXPECT_EQ(PixelOf(b, 30, 15), Rgb(255, 255, 0));   // hot: frame 4
    Mouse(b, 30, 15, 1);
    EXPECT_EQ(PixelOf(b, 30, 15), Rgb(0, 0, 255));   // pressed: frame 3
    Mouse(b, 30, 15, 0);
    b->SetEnabled(false);
    EXPECT_EQ(PixelOf(b, 30, 15), Rgb(0, 255, 0));   // disabled: frame 2
}

TEST_F(SkinButton, ATransparentButtonShowsItsParentWhenIdle)
{
    LoadSkin();
    auto* b = NewButton(Bounds(20, 20, 60, 24), "fixedbutton");
    b->SetTransparent(true);
    b->SetSkinData(Data);
    ShowUnfocused();
    EXPECT_EQ(PixelOf(b, 15, 10), Background);
    Mouse(b, 15, 10);
    EXPECT_EQ(PixelOf(b, 15, 10), HotFill);
}

TEST_F(SkinButton, AGlowFrameShowsWhileThePointerIsOver)
{
    if (!skin::IsLayeredWindowsAvailable())
        GTEST_SKIP() << "no layered windows on this display";
    Folder.Rewrite(SkinIni("glow:button", "[glow]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\n"
                                          "glowlayerpictureindex=1\r\nglowlayermaskpictureindex=1\r\n"));
    LoadSkin();
    auto* b = NewButton(Bounds(20, 20, 60, 24), "glow");
    b->SetSkinData(Data);
    ShowUnfocused();
    EXPECT_FALSE(b->GlowVisible());
    Mouse(b, 15, 10);
    EXPECT_TRUE(b->GlowVisible());
    Mouse(b, 150, 150);
    EXPECT_FALSE(b->GlowVisible());
    // Off in the model, and not asked for by the button: no glow.
    Data->ShowButtonGlowFrames = false;
    Mouse(b, 15, 10);
    EXPECT_FALSE(b->GlowVisible());
    Mouse(b, 150, 150);
    b->AlwaysShowLayeredFrame = true;
    Mouse(b, 15, 10);
    EXPECT_TRUE(b->GlowVisible());
}

TEST_F(SkinButton, ADisabledButtonWithoutItsPictureDrawsTheNormalOneInTheDisabledColour)
{
    LoadSkin();
    auto* b = NewButton(Bounds(20, 20, 60, 24), "fixed");
    b->SetCaption("HH");
    b->SetSkinData(Data);
    b->SetEnabled(false);
    ShowUnfocused();
    EXPECT_EQ(PixelOf(b, 3, 3), HotFill);   // "fixed" draws the hot block as its normal picture
    EXPECT_GT(CountColour(*this, b, Rgb(128, 128, 128)), 0);
    EXPECT_EQ(CountColour(*this, b, Rgb(0, 0, 0)), 0);
}
