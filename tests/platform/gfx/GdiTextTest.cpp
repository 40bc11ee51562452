// Text measuring and placement with the installed DejaVu Sans ("Tahoma"
// maps to it) and the CJK fallback face.
#include <gtest/gtest.h>

#include "GdiTestUtil.h"
#include "platform/gfx/FontEngine.h"

using namespace platform;
using namespace gfxtest;

namespace {

// Ink bounds of everything that is not the white background.
TRect Ink(const TTestBitmap& B)
{
    TRect R{B.Width, B.Height, -1, -1};
    for (int Y = 0; Y < B.Height; ++Y)
        for (int X = 0; X < B.Width; ++X)
            if ((B.At(X, Y) & 0xFFFFFF) != 0xFFFFFF) {
                R.Left = std::min(R.Left, X);
                R.Top = std::min(R.Top, Y);
                R.Right = std::max(R.Right, X + 1);
                R.Bottom = std::max(R.Bottom, Y + 1);
            }
    return R;
}

class TTextBitmap : public TTestBitmap {
public:
    TTextBitmap(int W, int H, const char* AFace = "Tahoma", int AHeight = -11, bool AUnderline = false)
        : TTestBitmap(W, H, 0x00FFFFFF)
    {
        Font = CreateFont(AHeight, 0, 0, 0, FW_NORMAL, 0, AUnderline, 0, DEFAULT_CHARSET, 0, 0, 0, 0, AFace);
        OldFont = SelectObject(DC, Font);
        SetBkMode(DC, TRANSPARENT);
    }
    ~TTextBitmap()
    {
        SelectObject(DC, OldFont);
        DeleteObject(Font);
    }
    HFONT Font, OldFont;
};

TEST(GdiText, FaceNamesMapToInstalledFamilies)
{
    EXPECT_EQ(MapFaceName("Tahoma"), "DejaVu Sans");
    EXPECT_EQ(MapFaceName("MS Sans Serif"), "DejaVu Sans");
    EXPECT_EQ(MapFaceName("宋体"), "WenQuanYi Micro Hei");
    EXPECT_EQ(MapFaceName("SimHei"), "WenQuanYi Micro Hei");
}

TEST(GdiText, MetricsFollowHeightRules)
{
    TTextBitmap A(4, 4, "Tahoma", -11);
    TEXTMETRIC M;
    ASSERT_TRUE(GetTextMetrics(A.DC, &M));
    // DejaVu Sans: win ascent 1901, descent 483 of 2048 units, at 11 pixels.
    EXPECT_EQ(M.tmAscent, 10);
    EXPECT_EQ(M.tmDescent, 3);
    EXPECT_EQ(M.tmHeight, 13);
    EXPECT_EQ(M.tmInternalLeading, 2);
    TTextBitmap B(4, 4, "Arial", 14); // cell height
    GetTextMetrics(B.DC, &M);
    EXPECT_EQ(M.tmHeight, 14);
    SIZE S;
    GetTextExtentPoint32(B.DC, "", &S);
    EXPECT_EQ(S, (SIZE{0, 14}));
}

TEST(GdiText, ExtentsAddUpAndCalcRectMeasures)
{
    TTextBitmap B(4, 4);
    SIZE A, Bx, AB;
    GetTextExtentPoint32(B.DC, "Hello", &A);
    GetTextExtentPoint32(B.DC, " world", &Bx);
    GetTextExtentPoint32(B.DC, "Hello world", &AB);
    EXPECT_GT(A.cx, 20);
    EXPECT_EQ(AB.cx, A.cx + Bx.cx);
    RECT R{5, 7, 5, 7};
    EXPECT_EQ(DrawText(B.DC, "Hello world", &R, DT_CALCRECT | DT_SINGLELINE), 13);
    EXPECT_EQ(R, (TRect{5, 7, 5 + AB.cx, 20}));
    // Two paragraphs: the wider line decides the width.
    R = {0, 0, 0, 0};
    EXPECT_EQ(DrawText(B.DC, "Hello\r\nHello world", &R, DT_CALCRECT), 26);
    EXPECT_EQ(R.Right, AB.cx);
}

TEST(GdiText, WordBreakAndEllipsis)
{
    TTextBitmap B(4, 4);
    SIZE Word;
    GetTextExtentPoint32(B.DC, "Hello", &Word);
    RECT R{0, 0, Word.cx + 3, 0};
    EXPECT_EQ(DrawText(B.DC, "Hello Hello Hello", &R, DT_CALCRECT | DT_WORDBREAK), 39);
    EXPECT_EQ(R.Right, Word.cx);
    // Ideographs break anywhere.
    SIZE Ch;
    GetTextExtentPoint32(B.DC, "转换", &Ch);
    R = {0, 0, Ch.cx, 0};
    EXPECT_EQ(DrawText(B.DC, "转换转换转换", &R, DT_CALCRECT | DT_WORDBREAK), 39);
    // An ellipsis keeps the text inside the rectangle.
    R = {0, 0, Word.cx, 0};
    DrawText(B.DC, "Hello Hello Hello", &R, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(R.Right, Word.cx);
    SIZE Dots;
    GetTextExtentPoint32(B.DC, "...", &Dots);
    EXPECT_GT(R.Right, Dots.cx);
    R = {0, 0, 60, 0};
    DrawText(B.DC, "C:\\some\\long\\folder\\file.txt", &R, DT_CALCRECT | DT_SINGLELINE | DT_PATH_ELLIPSIS);
    EXPECT_LE(R.Right, 60);
    // Prefix characters vanish from the measure.
    SIZE File;
    GetTextExtentPoint32(B.DC, "File", &File);
    R = {0, 0, 0, 0};
    DrawText(B.DC, "&File", &R, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(R.Right, File.cx);
    R = {0, 0, 0, 0};
    DrawText(B.DC, "&File", &R, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(R.Right, File.cx);
}

TEST(GdiText, PlacementCentresAndAligns)
{
    RECT Box{0, 0, 100, 40};
    TTextBitmap L(100, 40), C(100, 40), RB(100, 40);
    DrawText(L.DC, "Hxg", &Box, DT_SINGLELINE);
    DrawText(C.DC, "Hxg", &Box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    DrawText(RB.DC, "Hxg", &Box, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    SIZE S;
    GetTextExtentPoint32(L.DC, "Hxg", &S);
    TRect IL = Ink(L), IC = Ink(C), IR = Ink(RB);
    EXPECT_EQ(IC.Left - IL.Left, (100 - S.cx) / 2);
    EXPECT_EQ(IC.Top - IL.Top, (40 - S.cy) / 2);
    EXPECT_EQ(IR.Left - IL.Left, 100 - S.cx);
    EXPECT_EQ(IR.Top - IL.Top, 40 - S.cy);
    EXPECT_GE(IL.Top, 0);
    EXPECT_LE(IL.Bottom, 13);
}

TEST(GdiText, OpaqueBackgroundClipAndColour)
{
    TTextBitmap B(60, 20);
    SetBkMode(B.DC, OPAQUE);
    SetBkColor(B.DC, RGB(0, 0, 255));
    SetTextColor(B.DC, RGB(255, 0, 0));
    TextOut(B.DC, 2, 3, "Hi");
    SIZE S;
    GetTextExtentPoint32(B.DC, "Hi", &S);
    EXPECT_EQ(B.At(2, 3), 0x000000FFu);              // background cell
    EXPECT_EQ(B.At(2 + S.cx, 3), 0x00FFFFFFu);       // right of the cell
    EXPECT_EQ(B.At(2, 3 + S.cy), 0x00FFFFFFu);       // below the cell
    TRect I = Ink(B);
    EXPECT_EQ(I, (TRect{2, 3, 2 + S.cx, 3 + S.cy}));
    // A fully covered pixel of "H"'s stem is pure text colour, alpha 0.
    bool Solid = false;
    for (int Y = 3; Y < 3 + S.cy; ++Y)
        for (int X = 2; X < 2 + S.cx; ++X)
            Solid |= B.At(X, Y) == 0x00FF0000u;
    EXPECT_TRUE(Solid);
    // Clipped text stays inside its rectangle.
    TTextBitmap K(60, 20);
    RECT Clip{0, 0, 5, 20};
    ExtTextOut(K.DC, 0, 0, ETO_CLIPPED, &Clip, "WWWW");
    EXPECT_LE(Ink(K).Right, 5);
}

TEST(GdiText, MnemonicUnderlineAndCjkFallback)
{
    TTextBitmap A(60, 20), B(60, 20);
    RECT R{0, 0, 60, 20};
    DrawText(A.DC, "&File", &R, DT_SINGLELINE);
    DrawText(B.DC, "File", &R, DT_SINGLELINE);
    // Only the underline row under the "F" differs.
    int Diff = 0;
    for (int Y = 0; Y < 20; ++Y)
        for (int X = 0; X < 60; ++X)
            Diff += A.At(X, Y) != B.At(X, Y);
    EXPECT_GT(Diff, 2);
    EXPECT_LT(Diff, 12);
    TTextBitmap C(60, 20);
    TextOut(C.DC, 0, 0, "格式");
    EXPECT_FALSE(Ink(C).IsEmpty());
    SIZE S;
    GetTextExtentPoint32(C.DC, "格", &S);
    EXPECT_GE(S.cx, 10);
}

TEST(GdiText, ExpandTabs)
{
    TTextBitmap B(4, 4);
    TEXTMETRIC M;
    GetTextMetrics(B.DC, &M);
    RECT R{0, 0, 0, 0};
    DrawText(B.DC, "a\tb", &R, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    SIZE Bw;
    GetTextExtentPoint32(B.DC, "b", &Bw);
    EXPECT_GE(R.Right, 8 * M.tmAveCharWidth + Bw.cx);
}

TEST(GdiText, AFontFileIsOpenedOnceForAllItsSizes)
{
    const char* const Faces[] = {"Tahoma", "Arial", "宋体"};
    // The first font of each face opens its file and the CJK fallback's.
    for (const char* Face : Faces) {
        TTextBitmap B(40, 20, Face, -13);
        TextOut(B.DC, 0, 0, "A格");
    }
    const int Opened = OpenedFontFiles();
    EXPECT_GE(Opened, 2);
    for (int Height = 5; Height < 40; ++Height)
        for (const char* Face : Faces) {
            TTextBitmap B(40, 20, Face, -Height);
            TextOut(B.DC, 0, 0, "A格");
        }
    EXPECT_EQ(OpenedFontFiles(), Opened);
}

TEST(GdiText, FontsSharingAFileKeepTheirOwnSizes)
{
    // Each glyph is rendered for the small font right after the large one
    // used the same file: it must still come out small.
    TTextBitmap Small(4, 4, "Tahoma", -10), Large(4, 4, "Tahoma", -30);
    for (const char* Text : {"VJKY", "格式"}) {
        SIZE L, S;
        GetTextExtentPoint32(Large.DC, Text, &L);
        GetTextExtentPoint32(Small.DC, Text, &S);
        EXPECT_GT(S.cx, 0) << Text;
        EXPECT_GT(L.cx, S.cx * 2) << Text;
        EXPECT_LT(L.cx, S.cx * 4) << Text;
    }
}

} // namespace

// The ink a text leaves on white: the sum of its darkness.
long InkWeight(const char* AFace, int AWeight, const char* AText)
{
    TTestBitmap B(80, 24, 0x00FFFFFF);
    HFONT Font = CreateFont(-12, 0, 0, 0, AWeight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, AFace);
    HGDIOBJ Old = SelectObject(B.DC, Font);
    SetBkMode(B.DC, TRANSPARENT);
    TextOut(B.DC, 2, 2, AText);
    SelectObject(B.DC, Old);
    DeleteObject(Font);
    long Sum = 0;
    for (int Y = 0; Y < B.Height; ++Y)
        for (int X = 0; X < B.Width; ++X)
            Sum += 255 - (B.At(X, Y) & 0xFF);
    return Sum;
}

TEST(GdiText, BoldIsBoldForLatinAndCjkGlyphs)
{
    // Latin faces with a bold style of their own fall back to a CJK face
    // that may have none; every glyph must still come out heavier.
    struct Case {
        const char* Face;
        const char* Text;
    };
    for (const Case& C : {Case{"Tahoma", "格式转换"}, Case{"Tahoma", "Hello"}, Case{"宋体", "格式转换"},
                          Case{"宋体", "Hello"}}) {
        const long Regular = InkWeight(C.Face, FW_NORMAL, C.Text);
        const long Bold = InkWeight(C.Face, FW_BOLD, C.Text);
        EXPECT_GT(Regular, 0) << C.Face << " " << C.Text;
        EXPECT_GT(Bold * 100, Regular * 115) << C.Face << " " << C.Text;
    }
}
