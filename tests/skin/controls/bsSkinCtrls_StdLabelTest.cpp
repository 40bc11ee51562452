#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_StdLabel.h"

using namespace skintest;
using skin::TbsSkinStdLabel;

namespace {

struct SkinStdLabel : TSkinFixture {
    TbsSkinStdLabel* Label = nullptr;

    void SetUp() override
    {
        TSkinFixture::SetUp();
        Label = new TbsSkinStdLabel(Form.get());
        Label->SetBounds(10, 10, 150, 30);
        Label->SetCaption("HHHH");
        Label->SetParent(Form.get());
    }
    // How many pixels of the label's area have the colour.
    int Count(uint32_t AColor)
    {
        int n = 0;
        for (int y = 0; y < Label->Height(); ++y)
            for (int x = 0; x < Label->Width(); ++x)
                n += PixelOf(Label, x, y) == AColor;
        return n;
    }
};

constexpr uint32_t Red = Rgb(255, 0, 0);

} // namespace

TEST_F(SkinStdLabel, TakesTheRecordsFontAndColourOnASkinChange)
{
    Label->DefaultFont()->SetHeight(11);
    Label->SetSkinData(Data);   // not loaded: the default font
    const int unskinned = Label->Height();
    LoadSkin();
    EXPECT_NE(Label->FIndex, -1);
    EXPECT_EQ(Label->FontName, "Tahoma");
    EXPECT_EQ(Label->FontHeight, 20);
    EXPECT_TRUE(Label->FontStyle.Contains(fsBold));
    EXPECT_GT(Label->Height(), unskinned);   // measured again with the record's font
    ShowAndPaint();
    EXPECT_GT(Count(Red), 0);
}

TEST_F(SkinStdLabel, WithoutUseSkinFontTheLabelsFontTakesTheRecordsColour)
{
    Label->UseSkinFont = false;
    Label->Font()->SetHeight(-30);
    Label->Font()->SetColor(clBlue);
    LoadSkin();
    Label->SetSkinData(Data);
    const int big = Label->Height();
    EXPECT_GE(big, 30);
    ShowAndPaint();
    EXPECT_GT(Count(Red), 0);
    EXPECT_EQ(Count(Rgb(0, 0, 255)), 0);
    Label->UseSkinColor = false;
    Label->Invalidate();
    EXPECT_EQ(Count(Red), 0);
    EXPECT_GT(Count(Rgb(0, 0, 255)), 0);
}

TEST_F(SkinStdLabel, WithoutARecordTheFontIsTheDefaultFontOrTheLabelsOwn)
{
    Label->Font()->SetHeight(-30);
    Label->DefaultFont()->SetHeight(-10);
    Label->SetSkinData(Data);   // no skin loaded
    EXPECT_EQ(Label->FIndex, -1);
    const int withDefault = Label->Height();
    Label->UseSkinFont = false;
    Label->ChangeSkinData();
    EXPECT_GT(Label->Height(), withDefault);
}

TEST_F(SkinStdLabel, DisabledSkinnedTextIsEmbossedInTheSkinsColours)
{
    LoadSkin();
    Label->SetSkinData(Data);
    Label->SetEnabled(false);
    ShowAndPaint();
    const uint32_t light = Rgb(255, 255, 255), shadow = Rgb(64, 64, 64);
    int pairs = 0;
    for (int y = 0; y + 1 < Label->Height(); ++y)
        for (int x = 0; x + 1 < Label->Width(); ++x)
            pairs += PixelOf(Label, x, y) == shadow && PixelOf(Label, x + 1, y + 1) == light;
    EXPECT_GT(pairs, 0);
    EXPECT_EQ(Count(Red), 0);
}

TEST_F(SkinStdLabel, AnEmptyAutoSizedCaptionKeepsTheHeightOfOneLine)
{
    const int line = Label->Height();
    Label->SetCaption("");
    EXPECT_EQ(Label->Height(), line);
    EXPECT_GT(Label->Width(), 0);
}

TEST_F(SkinStdLabel, EllipsesShortenALongTextToItsWidth)
{
    Label->SetAutoSize(false);
    Label->SetCaption("/first/second/third/fourth/fifth/sixth.txt");
    Label->SetBounds(10, 10, 120, 20);
    ShowAndPaint();
    auto picture = [&] {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 120; ++x)
                pixels.push_back(PixelOf(Label, x, y));
        return pixels;
    };
    const auto clipped = picture();
    Label->SetEllipsType(skin::bsetEndEllips);
    const auto end = picture();
    Label->SetEllipsType(skin::bsetPathEllips);
    const auto path = picture();
    EXPECT_NE(clipped, end);
    EXPECT_NE(end, path);
    // Both keep the beginning "/first" in place.
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(end[size_t(y * 120 + x)], path[size_t(y * 120 + x)]);
}

TEST_F(SkinStdLabel, PaintSkinToDrawsTheTextIntoAnotherCanvas)
{
    LoadSkin();
    Label->SetSkinData(Data);
    TBitmap b;
    b.SetSize(200, 60);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(Rect(0, 0, 200, 60));
    Label->PaintSkinTo(b.Canvas(), 20, 10, "HH");
    int red = 0, redLeft = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            if (b.Canvas()->Pixels(x, y) == clRed) {
                ++red;
                redLeft += x < 20 || y < 10;
            }
    EXPECT_GT(red, 0);
    EXPECT_EQ(redLeft, 0);
}

// A caption set while the label shows is on the screen at the next paint,
// with no call to repaint it.
TEST_F(SkinStdLabel, ANewCaptionIsPaintedWithoutAskingForIt)
{
    LoadSkin();
    Label->SetSkinData(Data);
    ShowAndPaint();
    const int four = Count(Red);
    ASSERT_GT(four, 0);
    Label->SetCaption("H");
    EXPECT_LT(Count(Red), four);
    Label->SetCaption("HHHHHHHH");
    EXPECT_GT(Count(Red), four);
}
