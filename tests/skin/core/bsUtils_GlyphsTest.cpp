#include "skin/core/bsUtils_Glyphs.h"

#include "platform/controls/Forms.h"
#include "platform/ui/Messages.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

using namespace skin;
using platform::Rect;
using platform::TBitmap;

namespace {

using TPixels = std::set<std::pair<int, int>>;

// The pixels a drawing leaves black on a white W x H bitmap.
TPixels Drawn(int W, int H, const std::function<void(TCanvas*)>& ADraw)
{
    TBitmap B;
    B.SetPixelFormat(platform::pf32bit);
    B.SetSize(W, H);
    B.Canvas()->Brush()->SetColor(platform::clWhite);
    B.Canvas()->FillRect(Rect(0, 0, W, H));
    B.Canvas()->Font()->SetColor(platform::clBlack);
    ADraw(B.Canvas());
    TPixels P;
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            if ((reinterpret_cast<uint32_t*>(B.ScanLine(Y))[X] & 0xFFFFFF) == 0)
                P.insert({X, Y});
    return P;
}

// Pixels from a picture of rows: '#' drawn.
TPixels Picture(std::initializer_list<const char*> ARows, int AX = 0, int AY = 0)
{
    TPixels P;
    int Y = AY;
    for (const char* Row : ARows) {
        for (int X = 0; Row[X] != 0; ++X)
            if (Row[X] == '#')
                P.insert({AX + X, Y});
        ++Y;
    }
    return P;
}

} // namespace

TEST(SkinGlyphs, ArrowsAndTriangle)
{
    const TRect R = Rect(0, 0, 16, 16);
    // Left: lines of 1, 3, 5, 7 pixels at x = 6..9 centred on y = 8.
    TPixels Left;
    for (int I = 0; I < 4; ++I)
        for (int Y = 8 - I; Y <= 8 + I; ++Y)
            Left.insert({6 + I, Y});
    EXPECT_EQ(Drawn(16, 16, [&](TCanvas* C) { DrawArrowImage(C, R, platform::clBlack, 1); }), Left);
    // Right mirrors it: the tip at x = 10.
    TPixels Right;
    for (int N = 0; N < 4; ++N)
        for (int Y = 8 - N; Y <= 8 + N; ++Y)
            Right.insert({10 - N, Y});
    EXPECT_EQ(Drawn(16, 16, [&](TCanvas* C) { DrawArrowImage(C, R, platform::clBlack, 2); }), Right);
    // Up and down are the same turned.
    TPixels Up, Down;
    for (auto [X, Y] : Left)
        Up.insert({Y, X});
    for (auto [X, Y] : Right)
        Down.insert({Y, X});
    EXPECT_EQ(Drawn(16, 16, [&](TCanvas* C) { DrawArrowImage(C, R, platform::clBlack, 3); }), Up);
    EXPECT_EQ(Drawn(16, 16, [&](TCanvas* C) { DrawArrowImage(C, R, platform::clBlack, 4); }), Down);
    EXPECT_TRUE(Drawn(16, 16, [&](TCanvas* C) { DrawArrowImage(C, R, platform::clBlack, 9); }).empty());
    EXPECT_EQ(Drawn(16, 16, [&](TCanvas* C) { DrawLargeArrowImage(C, R, platform::clBlack, 1); }).size(), 36u);
    EXPECT_EQ(Drawn(16, 16, [&](TCanvas* C) { DrawArrowImage(C, R, platform::clBlack, 5); }).size(), 28u);

    EXPECT_EQ(Drawn(10, 10, [](TCanvas* C) { DrawDownTriangle(C, Rect(0, 0, 10, 10), platform::clBlack); }),
              Picture({"#####", " ### ", "  #  "}, 3, 5));
}

TEST(SkinGlyphs, SmallSigns)
{
    EXPECT_EQ(Drawn(8, 8, [](TCanvas* C) { DrawRadioImage(C, 1, 1, platform::clBlack); }),
              Picture({"######", "######", "######", "######", "######", "######"}, 1, 1));
    EXPECT_EQ(Drawn(10, 10, [](TCanvas* C) { DrawCheckImage(C, 0, 0, platform::clBlack); }),
              Picture({"", "      #", "     ##", "#   ###", "## ### ", "#####  ", " ###   ", "  #    "}));
    EXPECT_EQ(Drawn(6, 6, [](TCanvas* C) { DrawFrame3DLines(C, Rect(1, 1, 5, 5), platform::clBlack, platform::clBlack); }),
              Picture({"####", "#  #", "#  #", "####"}, 1, 1));
    EXPECT_EQ(Drawn(12, 12, [](TCanvas* C) { DrawMinimizeToTrayImage(C, 0, 0, platform::clBlack); }),
              Picture({"#####", "#####", "#####", "#####", "#####"}, 2, 2));
    EXPECT_EQ(Drawn(12, 12, [](TCanvas* C) { DrawRollUpImage(C, 0, 0, platform::clBlack); }),
              Picture({"     #", "    ###", "   #####", "  #######"}, 0, 2));
    EXPECT_EQ(Drawn(12, 12, [](TCanvas* C) { DrawMaximizeImage(C, 0, 0, platform::clBlack); }),
              Picture({"###########", "###########", "#         #", "#         #", "#         #", "#         #",
                       "#         #", "#         #", "#         #", "###########"}));
    EXPECT_EQ(Drawn(12, 12, [](TCanvas* C) { DrawMinimizeImage(C, 0, 0, platform::clBlack); }),
              Picture({"########", "########"}, 1, 8));
}

TEST(SkinGlyphs, DottedFocusFrame)
{
    // 5 x 5 box (4 x 4 after the cut): even, so the first pixel is skipped;
    // corners get one decision.
    TPixels P = Drawn(6, 6, [](TCanvas* C) { DrawDotFocusRect(C, Rect(0, 0, 5, 5)); });
    EXPECT_EQ(P, Picture({" # # ", "#   #", "     ", "#   #", " # # "}));
    // 4 x 4 (3 x 3 after the cut): odd, so the first pixel is set.
    EXPECT_EQ(Drawn(6, 6, [](TCanvas* C) { DrawDotFocusRect(C, Rect(0, 0, 4, 4)); }),
              Picture({"# # ", "   #", "#   ", " # #"}));
}

TEST(SkinGlyphs, Colours)
{
    EXPECT_EQ(MixColors(platform::clWhite, platform::clBlack), TColor(platform::RGB(127, 127, 127)));
    EXPECT_EQ(DarkerColor(TColor(platform::RGB(200, 100, 50)), 10), TColor(platform::RGB(180, 90, 45)));
}

TEST(SkinGlyphs, PngIntoSkinBitmap)
{
    platform::TPngImage Png;
    platform::TImageData D;
    D.Width = 2;
    D.Height = 1;
    D.Pixels = {0x80102030, 0xFF405060};
    D.HasAlpha = true;
    Png.SetImage(D);
    TbsBitmap B;
    PngImageToBitmap(B, Png);
    ASSERT_EQ(B.Width(), 2);
    EXPECT_EQ(B.Bits()[0], 0x80102030u);
    EXPECT_EQ(B.Bits()[1], 0xFF405060u);
    EXPECT_TRUE(B.AlphaBlend);
}

namespace {

// A windowless control that paints itself in one colour.
class TSwatch : public platform::TGraphicControl {
public:
    TSwatch(platform::TWinControl* AParent, TRect ABounds, TColor AColor)
        : platform::TGraphicControl(nullptr), FColor(AColor)
    {
        SetParent(AParent);
        SetBoundsRect(ABounds);
    }
    void WndProc(platform::TMessage& M) override
    {
        if (M.Msg == platform::WM_PAINT && M.WParam != 0) {
            auto DC = reinterpret_cast<platform::HDC>(M.WParam);
            ++Paints;
            TRect R = Rect(0, 0, Width(), Height());
            auto Brush = platform::CreateSolidBrush(platform::ColorToRGB(FColor));
            platform::FillRect(DC, &R, Brush);
            platform::DeleteObject(Brush);
            return;
        }
        platform::TGraphicControl::WndProc(M);
    }
    int Paints = 0;

private:
    TColor FColor;
};

} // namespace

TEST(SkinGlyphs, ParentBackgroundAndSiblingsBelow)
{
    platform::TCustomControl Parent(nullptr);
    Parent.SetBounds(0, 0, 40, 30);
    Parent.Brush()->SetColor(platform::clYellow);
    TSwatch Below(&Parent, Rect(5, 5, 15, 15), platform::clRed);
    TSwatch Control(&Parent, Rect(10, 10, 20, 20), platform::clBlue);
    TSwatch Above(&Parent, Rect(12, 12, 18, 18), platform::clLime);
    TBitmap B;
    B.SetPixelFormat(platform::pf32bit);
    B.SetSize(10, 10);
    PaintParentBackground(&Control, B.Canvas());
    auto Px = [&](int X, int Y) { return reinterpret_cast<uint32_t*>(B.ScanLine(Y))[X] & 0xFFFFFF; };
    EXPECT_EQ(Px(0, 0), 0xFF0000u);  // the sibling below, red
    EXPECT_EQ(Px(4, 4), 0xFF0000u);
    EXPECT_EQ(Px(5, 5), 0xFFFF00u);  // the parent's yellow background
    EXPECT_EQ(Px(9, 9), 0xFFFF00u);  // the sibling above is not painted
    EXPECT_EQ(Above.Paints, 0);
    EXPECT_EQ(Parent.ControlState & platform::csPaintCopyState, 0u);
    EXPECT_EQ(Below.ControlState & platform::csPaintCopyState, 0u);

    // The first child sees only the parent.
    TBitmap First;
    First.SetPixelFormat(platform::pf32bit);
    First.SetSize(10, 10);
    PaintParentBackground(&Below, First.Canvas());
    EXPECT_EQ(reinterpret_cast<uint32_t*>(First.ScanLine(9))[9] & 0xFFFFFF, 0xFFFF00u);

    // Moved further by the rectangle's corner.
    TBitmap At;
    At.SetPixelFormat(platform::pf32bit);
    At.SetSize(10, 10);
    PaintParentBackgroundAt(&Control, Rect(-3, -3, 7, 7), At.Canvas());
    // Device (7, 7) is the parent's (14, 14), still the sibling below; (8, 8) is (15, 15).
    EXPECT_EQ(reinterpret_cast<uint32_t*>(At.ScanLine(7))[7] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(At.ScanLine(8))[8] & 0xFFFFFF, 0xFFFF00u);
}
