#include "skin/core/bsUtils_Text.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace skin;
using platform::Rect;
using platform::TBitmap;

namespace {

constexpr uint32_t Red = 0xFF0000, Blue = 0x0000FF, Green = 0x00FF00;

std::unique_ptr<TBitmap> Surface(int W, int H)
{
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(platform::pf32bit);
    B->SetSize(W, H);
    B->Canvas()->Font()->SetHeight(-12);
    B->Canvas()->Font()->SetColor(platform::clBlack);
    B->Canvas()->Brush()->SetColor(platform::clWhite);
    B->Canvas()->FillRect(Rect(0, 0, W, H));
    B->Canvas()->Brush()->SetStyle(platform::bsClear);
    return B;
}

uint32_t Px(TBitmap& B, int X, int Y) { return reinterpret_cast<uint32_t*>(B.ScanLine(Y))[X] & 0xFFFFFF; }

std::vector<uint32_t> AllPixels(TBitmap& B)
{
    std::vector<uint32_t> V;
    for (int Y = 0; Y < B.Height(); ++Y)
        for (int X = 0; X < B.Width(); ++X)
            V.push_back(Px(B, X, Y));
    return V;
}

} // namespace

TEST(SkinText, EllipsisCutsWholeCharacters)
{
    auto B = Surface(10, 10);
    TCanvas* C = B->Canvas();
    std::string S = "abcdef";
    EllipsizeWideText(C, S, WideTextWidth(C, "abc..."));
    EXPECT_EQ(S, "abc...");
    S = "abcdef";
    EllipsizeText(C, S, 0);
    EXPECT_EQ(S, "...");
    S = "abc";
    EllipsizeWideText(C, S, WideTextWidth(C, "abc"));
    EXPECT_EQ(S, "abc");
    S = "转换器转换";
    EllipsizeWideText(C, S, WideTextWidth(C, "转换...") );
    EXPECT_EQ(S, "转换...");
}

TEST(SkinText, LeadingWGetsTwoMorePixels)
{
    for (const char* Text : {"Window", "window"}) {
        auto A = Surface(60, 20), B = Surface(60, 20);
        DrawTextCentered(A->Canvas(), Text, Rect(0, 0, 50, 20));
        TRect R = Rect(0, 0, Text[0] == 'W' ? 52 : 50, 20);
        // Font height -12 is even: no nudge upwards.
        platform::DrawTextW(PreparedDC(B->Canvas()), Text, &R, platform::DT_SINGLELINE | platform::DT_VCENTER |
                                                                   platform::DT_CENTER);
        EXPECT_EQ(AllPixels(*A), AllPixels(*B)) << Text;
        EXPECT_NE(AllPixels(*A), AllPixels(*Surface(60, 20))) << Text;
    }
    // An odd font height moves the text up by one.
    auto A = Surface(60, 20), B = Surface(60, 20);
    A->Canvas()->Font()->SetHeight(-13);
    B->Canvas()->Font()->SetHeight(-13);
    DrawTextLeftPlain(A->Canvas(), "Window", Rect(0, 2, 60, 20));
    TRect R = Rect(0, 1, 60, 20);
    platform::DrawTextW(PreparedDC(B->Canvas()), "Window", &R, platform::DT_SINGLELINE | platform::DT_VCENTER);
    EXPECT_EQ(AllPixels(*A), AllPixels(*B));
}

TEST(SkinText, MultiLineLayout)
{
    auto B = Surface(10, 10);
    TCanvas* C = B->Canvas();
    int W = WideTextWidth(C, "abcd");
    EXPECT_EQ(MultiLineTextLayout(C, "abcdefgh xy", W, false), "a...  xy");
    EXPECT_EQ(MultiLineTextLayout(C, "ab cd", W, false), "ab cd");
    EXPECT_EQ(MultiLineTextLayout(C, "abcdef", WideTextWidth(C, "abc"), true), "abc def");
}

TEST(SkinText, ButtonLayoutTable)
{
    struct Case {
        TbsButtonLayout Layout;
        int Margin, GW, GH, TW, TH, Spacing;
        platform::TPoint Glyph, Text;
    };
    const TRect R = Rect(0, 0, 100, 20);
    const Case Cases[] = {
        {blGlyphLeft, -1, 16, 16, 40, 10, 4, {20, 2}, {40, 5}},
        {blGlyphLeft, -1, 0, 0, 40, 10, 4, {30, 10}, {30, 5}}, // no glyph: spacing ignored, text centred
        {blGlyphLeft, 3, 16, 16, 40, 10, 4, {3, 2}, {23, 5}},
        {blGlyphRight, -1, 16, 16, 40, 10, 4, {64, 2}, {20, 5}},
        {blGlyphRight, 3, 16, 16, 40, 10, 4, {81, 2}, {37, 5}},
        {blGlyphTop, -1, 16, 8, 40, 6, 2, {42, 2}, {30, 12}},
        {blGlyphTop, 1, 16, 8, 40, 6, 2, {42, 1}, {30, 11}},
        {blGlyphBottom, -1, 16, 8, 40, 6, 2, {42, 10}, {30, 2}},
        {blGlyphBottom, 1, 16, 8, 40, 6, 2, {42, 11}, {30, 3}},
    };
    for (const Case& C : Cases) {
        platform::TPoint G, T;
        CalcButtonLayout(C.Layout, R, C.GW, C.GH, C.TW, C.TH, C.Spacing, C.Margin, G, T);
        EXPECT_EQ(G, C.Glyph) << int(C.Layout) << " margin " << C.Margin;
        EXPECT_EQ(T, C.Text) << int(C.Layout) << " margin " << C.Margin;
    }
}

TEST(SkinText, GeometryPredicates)
{
    EXPECT_TRUE(IsNullRect(Rect(5, 5, 5, 10)));
    EXPECT_FALSE(IsNullRect(Rect(5, 5, 6, 10)));
    EXPECT_TRUE(PtInRectInclusive(Rect(0, 0, 10, 10), {10, 10}));
    EXPECT_FALSE(PtInRect(Rect(0, 0, 10, 10), {10, 10}));
    EXPECT_TRUE(IsNullPoint({0, 7}));
    EXPECT_FALSE(IsNullPoint({1, 7}));
    EXPECT_TRUE(RectInRect(Rect(1, 1, 5, 5), Rect(0, 0, 10, 10)));
    EXPECT_FALSE(RectInRect(Rect(1, 1, 10, 5), Rect(0, 0, 10, 10)));
    EXPECT_TRUE(RectOverlapsVert(Rect(50, 5, 60, 20), Rect(0, 0, 10, 10)));
    EXPECT_FALSE(RectOverlapsVert(Rect(0, 10, 10, 20), Rect(0, 0, 10, 10)));
    EXPECT_EQ(RectWidth(Rect(2, 3, 7, 9)), 5);
    EXPECT_EQ(RectHeight(Rect(2, 3, 7, 9)), 6);
    EXPECT_TRUE(RectsEqual(NullRect(), Rect(0, 0, 0, 0)));
    EXPECT_EQ(IntMax(3, -4), 3);
    EXPECT_EQ(IntMin(3, -4), -4);
}

TEST(SkinText, ImageWithBarAndEmptyBar)
{
    platform::TImageList List(nullptr);
    List.SetSize(4, 4);
    List.AddPixels(std::vector<uint32_t>(16, 0xFFFF0000));
    auto B = Surface(20, 20);
    DrawImageAndText(B->Canvas(), Rect(0, 0, 20, 20), -1, 2, blGlyphLeft, "", 0, &List, false, true, true,
                     platform::clBlue);
    EXPECT_EQ(Px(*B, 7, 8), Red);   // the image at (10 - 3, 10 - 2)
    EXPECT_EQ(Px(*B, 8, 10), Blue); // the bar over its bottom edge, rows 10..12
    EXPECT_EQ(Px(*B, 8, 12), Blue);
    EXPECT_EQ(Px(*B, 8, 13), 0xFFFFFFu);
    auto D = Surface(20, 20);
    DrawImageAndText(D->Canvas(), Rect(0, 0, 20, 20), -1, 2, blGlyphLeft, "", 0, &List, true, true, false,
                     platform::clBlue);
    EXPECT_EQ(Px(*D, 7, 8), 0xFFFFFFu); // pressed: one down and right
    EXPECT_EQ(Px(*D, 8, 9), Red);
    auto E = Surface(20, 20);
    DrawImageAndText(E->Canvas(), Rect(0, 0, 20, 20), -1, 2, blGlyphLeft, "", 5, &List, false, true, true,
                     platform::clBlue);
    EXPECT_EQ(Px(*E, 4, 4), Blue);
    EXPECT_EQ(Px(*E, 17, 15), Blue);
    EXPECT_EQ(Px(*E, 3, 4), 0xFFFFFFu);
    EXPECT_EQ(Px(*E, 18, 15), 0xFFFFFFu);
    auto G = Surface(20, 20);
    DrawGlyphAndText(G->Canvas(), Rect(0, 0, 20, 20), -1, 2, blGlyphLeft, "", nullptr, 2, 1, true, true,
                     platform::clBlue);
    EXPECT_EQ(Px(*G, 4, 4), 0xFFFFFFu); // pressed empty bar starts a row lower
    EXPECT_EQ(Px(*G, 4, 5), Blue);
}

TEST(SkinText, GlyphFrameIsDrawnTransparent)
{
    TBitmap Strip;
    Strip.SetPixelFormat(platform::pf32bit);
    Strip.SetSize(4, 2);
    const uint32_t Rows[2][4] = {{0xFF00FF00, 0xFF00FF00, 0xFFFF0000, 0xFFFF0000},
                                 {0xFFFFFFFF, 0xFF00FF00, 0xFFFFFFFF, 0xFFFF0000}};
    for (int Y = 0; Y < 2; ++Y)
        for (int X = 0; X < 4; ++X)
            reinterpret_cast<uint32_t*>(Strip.ScanLine(Y))[X] = Rows[Y][X];
    auto B = Surface(3, 3);
    B->Canvas()->Brush()->SetStyle(platform::bsSolid);
    B->Canvas()->Brush()->SetColor(platform::clBlack);
    B->Canvas()->FillRect(Rect(0, 0, 3, 3));
    DrawGlyph(B->Canvas(), 1, 1, &Strip, 2, 2);
    EXPECT_EQ(Px(*B, 1, 1), Red);
    EXPECT_EQ(Px(*B, 1, 2), 0u); // the frame's bottom-left colour is its key
    EXPECT_EQ(Px(*B, 2, 2), Red);
    DrawGlyph(B->Canvas(), 0, 0, &Strip, 0, 1); // no frames: nothing
    EXPECT_EQ(Px(*B, 0, 0), 0u);
    DrawGlyph(B->Canvas(), 0, 0, &Strip, 2, 1);
    EXPECT_EQ(Px(*B, 0, 0), Green);
}
