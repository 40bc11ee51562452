#include "skin/core/bsUtils_Glow.h"
#include "skin/core/bsUtils_Text.h"

#include <gtest/gtest.h>

#include <memory>

using namespace skin;
using platform::Rect;
using platform::TBitmap;

namespace {

constexpr uint32_t White = 0xFFFFFF;
const platform::UINT Single = platform::DT_SINGLELINE | platform::DT_VCENTER | platform::DT_CENTER;

std::unique_ptr<TBitmap> Page(int W, int H)
{
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(platform::pf32bit);
    B->SetSize(W, H);
    B->Canvas()->Brush()->SetColor(platform::clWhite);
    B->Canvas()->FillRect(Rect(0, 0, W, H));
    B->Canvas()->Font()->SetHeight(-14);
    B->Canvas()->Font()->SetColor(platform::clBlack);
    return B;
}

uint32_t Px(TBitmap& B, int X, int Y) { return reinterpret_cast<uint32_t*>(B.ScanLine(Y))[X] & 0xFFFFFF; }

// The box of the pixels the text alone touches.
TRect TextBox(const std::string& S, TRect R, platform::UINT Format, int W, int H)
{
    auto B = Page(W, H);
    B->Canvas()->Brush()->SetStyle(platform::bsClear);
    WideDrawText(B->Canvas(), S, R, Format);
    TRect Box = Rect(W, H, -1, -1);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            if (Px(*B, X, Y) != White)
                Box = Rect(std::min(Box.Left, X), std::min(Box.Top, Y), std::max(Box.Right, X + 1),
                           std::max(Box.Bottom, Y + 1));
    return Box;
}

} // namespace

TEST(GlowText, EmptyTextLeavesThePictureAndAClearBrush)
{
    auto B = Page(40, 20);
    B->Canvas()->Brush()->SetStyle(platform::bsSolid);
    DrawGlowText(B->Canvas(), Rect(5, 5, 35, 15), "", 3, platform::clBlue, 0, Single);
    DrawReflectionText(B->Canvas(), Rect(5, 5, 35, 15), "", platform::clBlue, 0, Single);
    DrawWideGlowText(B->Canvas(), Rect(5, 5, 35, 15), "", 2, platform::clBlue, 1, Single);
    EXPECT_EQ(B->Canvas()->Brush()->Style(), platform::bsClear);
    for (int Y = 0; Y < 20; ++Y)
        for (int X = 0; X < 40; ++X)
            ASSERT_EQ(Px(*B, X, Y), White) << X << "," << Y;
}

TEST(GlowText, GlowOfSizeZeroThickensTheOutlineByOnePixel)
{
    const TRect R = Rect(10, 5, 50, 25);
    TRect Box = TextBox("I", R, Single, 60, 30);
    ASSERT_LT(Box.Left, Box.Right);
    auto B = Page(60, 30);
    DrawGlowText(B->Canvas(), R, "I", 0, platform::clBlue, 0, Single);
    int Y = (Box.Top + Box.Bottom) / 2;
    uint32_t Near = Px(*B, Box.Left - 1, Y);
    EXPECT_NE(Near, White);
    EXPECT_EQ(Near & 0xFF, 0xFFu); // blue kept, red and green lowered
    EXPECT_EQ(Px(*B, Box.Left - 2, Y), White);
    EXPECT_EQ(Px(*B, Box.Right + 1, Y), White);
}

TEST(GlowText, BlurredGlowSpreadsAndFades)
{
    const TRect R = Rect(10, 5, 50, 25);
    TRect Box = TextBox("I", R, Single, 60, 30);
    auto B = Page(60, 30);
    int Result = DrawWideGlowText(B->Canvas(), R, "I", 4, platform::clBlue, 0, Single);
    EXPECT_GT(Result, 0);
    int Y = (Box.Top + Box.Bottom) / 2;
    EXPECT_NE(Px(*B, Box.Left - 2, Y), White);
    EXPECT_EQ(Px(*B, 0, 0), White);
    auto V = Page(60, 30);
    DrawCaptionVistaGlowText(V->Canvas(), R, "I", platform::clBlue, Single);
    EXPECT_NE(Px(*V, 12, Y), White); // the light patch reaches past the text
    EXPECT_EQ(Px(*V, 0, 0), White);
    // The patch is there even without a text.
    auto P = Page(60, 30);
    DrawVistaGlowText(P->Canvas(), R, "", platform::clBlue, Single);
    EXPECT_NE(Px(*P, 30, 15), White);
}

TEST(GlowText, ReflectionBelowTheText)
{
    // One line in a rectangle twice its height, text at the top.
    const platform::UINT Top = platform::DT_SINGLELINE | platform::DT_CENTER;
    auto Probe = Page(10, 10);
    int LineH = WideTextHeight(Probe->Canvas(), "H");
    const TRect R = Rect(0, 0, 40, 2 * LineH);
    TRect Box = TextBox("H", R, Top, 40, 3 * LineH);
    auto B = Page(40, 3 * LineH);
    DrawReflectionText(B->Canvas(), R, "H", platform::clBlue, 0, Top);
    bool Below = false, Above = false;
    for (int Y = 0; Y < 3 * LineH; ++Y)
        for (int X = 0; X < 40; ++X) {
            uint32_t P = Px(*B, X, Y);
            if (Y >= LineH && Y < 2 * LineH && P != White)
                Below |= (P & 0xFF) == 0xFF && P != 0xFF;
            if (Y < Box.Top && P != White)
                Above = true;
        }
    EXPECT_TRUE(Below);
    EXPECT_FALSE(Above);
    // Nothing of the reflection goes further than a line below the text.
    for (int X = 0; X < 40; ++X)
        EXPECT_EQ(Px(*B, X, 2 * LineH + 1), White);
}
