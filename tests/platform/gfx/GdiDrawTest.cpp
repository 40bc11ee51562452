// Pixel rules of pens and brushes: each case draws on a cleared 8 x 6
// bitmap and compares every pixel.
#include <functional>
#include <gtest/gtest.h>

#include "GdiTestUtil.h"

using namespace platform;
using namespace gfxtest;

namespace {

struct TDrawCase {
    const char* Name;
    std::function<void(HDC)> Draw;
    std::vector<std::string> Expected;
};

void RunCase(const TDrawCase& C)
{
    TTestBitmap B(8, 6, 0);
    C.Draw(B.DC);
    EXPECT_EQ(B.Rows(), C.Expected) << C.Name;
}

TEST(GdiDraw, ShapesTable)
{
    const TDrawCase Cases[] = {
        {"rectangle excludes right and bottom",
         [](HDC D) { TPenBrush P(D); Rectangle(D, 1, 1, 6, 5); },
         {"........", ".#####..", ".#ooo#..", ".#ooo#..", ".#####..", "........"}},
        {"rectangle without pen shrinks by one",
         [](HDC D) { TPenBrush P(D, PS_NULL); Rectangle(D, 1, 1, 6, 5); },
         {"........", ".oooo...", ".oooo...", ".oooo...", "........", "........"}},
        {"rectangle with clear brush",
         [](HDC D) { TPenBrush P(D, PS_SOLID, false); Rectangle(D, 0, 0, 3, 3); },
         {"###.....", "#.#.....", "###.....", "........", "........", "........"}},
        {"inverted corners are normalised",
         [](HDC D) { TPenBrush P(D); Rectangle(D, 3, 3, 0, 0); },
         {"###.....", "#o#.....", "###.....", "........", "........", "........"}},
        {"horizontal line excludes its end",
         [](HDC D) { TPenBrush P(D); MoveToEx(D, 1, 1, nullptr); LineTo(D, 5, 1); },
         {"........", ".####...", "........", "........", "........", "........"}},
        {"vertical line upwards",
         [](HDC D) { TPenBrush P(D); MoveToEx(D, 2, 4, nullptr); LineTo(D, 2, 0); },
         {"........", "..#.....", "..#.....", "..#.....", "..#.....", "........"}},
        {"diagonal line",
         [](HDC D) { TPenBrush P(D); MoveToEx(D, 0, 0, nullptr); LineTo(D, 4, 4); },
         {"#.......", ".#......", "..#.....", "...#....", "........", "........"}},
        {"shallow line",
         [](HDC D) { TPenBrush P(D); MoveToEx(D, 0, 0, nullptr); LineTo(D, 6, 2); },
         {"##......", "..###...", ".....#..", "........", "........", "........"}},
        {"polyline joins without its last point",
         [](HDC D) {
             TPenBrush P(D);
             POINT Pts[] = {{0, 0}, {3, 0}, {3, 3}};
             Polyline(D, Pts, 3);
         },
         {"####....", "...#....", "...#....", "........", "........", "........"}},
        {"polygon fills inside and outlines all vertices",
         [](HDC D) {
             TPenBrush P(D);
             POINT Pts[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
             Polygon(D, Pts, 4);
         },
         {"........", ".#####..", ".#ooo#..", ".#ooo#..", ".#####..", "........"}},
        {"polygon without pen excludes right and bottom edges",
         [](HDC D) {
             TPenBrush P(D, PS_NULL);
             POINT Pts[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
             Polygon(D, Pts, 4);
         },
         {"........", ".oooo...", ".oooo...", ".oooo...", "........", "........"}},
        {"ellipse",
         [](HDC D) { TPenBrush P(D); Ellipse(D, 0, 0, 8, 6); },
         {"..####..", ".#oooo#.", "#oooooo#", "#oooooo#", ".#oooo#.", "..####.."}},
        {"round rectangle corners",
         [](HDC D) { TPenBrush P(D); RoundRect(D, 0, 0, 8, 6, 4, 4); },
         {".######.", "#oooooo#", "#oooooo#", "#oooooo#", "#oooooo#", ".######."}},
        {"fill rect and frame rect",
         [](HDC D) {
             RECT R{1, 1, 4, 3};
             HBRUSH B = CreateSolidBrush(BrushColor);
             FillRect(D, &R, B);
             RECT F{4, 1, 8, 5};
             HBRUSH P = CreateSolidBrush(PenColor);
             FrameRect(D, &F, P);
             DeleteObject(B);
             DeleteObject(P);
         },
         {"........", ".ooo####", ".ooo#..#", "....#..#", "....####", "........"}},
        {"dotted pen",
         [](HDC D) {
             TPenBrush P(D, PS_DOT);
             SetBkMode(D, TRANSPARENT);
             MoveToEx(D, 0, 0, nullptr);
             LineTo(D, 8, 0);
         },
         {"###...##", "........", "........", "........", "........", "........"}},
        {"pixels",
         [](HDC D) {
             SetPixel(D, 0, 0, PenColor);
             SetPixel(D, 7, 5, BrushColor);
             SetPixel(D, 8, 5, PenColor); // outside: ignored
         },
         {"#.......", "........", "........", "........", "........", ".......o"}},
    };
    for (const TDrawCase& C : Cases)
        RunCase(C);
}

TEST(GdiDraw, DrawingSetsAlphaToZeroAndRop2Applies)
{
    TTestBitmap B(4, 1, 0xFF123456u);
    TPenBrush P(B.DC);
    SetROP2(B.DC, R2_NOT);
    MoveToEx(B.DC, 0, 0, nullptr);
    LineTo(B.DC, 2, 0);
    EXPECT_EQ(B.At(0, 0), ~0xFF123456u);
    SetROP2(B.DC, R2_COPYPEN);
    LineTo(B.DC, 4, 0);
    EXPECT_EQ(B.At(2, 0), 0x00FF0000u); // red, alpha 0
    EXPECT_EQ(GetPixel(B.DC, 2, 0), PenColor);
    EXPECT_EQ(GetPixel(B.DC, 9, 0), CLR_INVALID);
}

TEST(GdiDraw, OriginsAndClipping)
{
    TTestBitmap B(8, 6, 0);
    HBRUSH Br = CreateSolidBrush(BrushColor);
    SetViewportOrgEx(B.DC, 2, 1, nullptr);
    SetWindowOrgEx(B.DC, 1, 0, nullptr); // logical (x, y) lands on (x + 1, y + 1)
    EXPECT_EQ(IntersectClipRect(B.DC, 0, 0, 4, 3), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(B.DC, 1, 1, 2, 2), COMPLEXREGION);
    RECT All{-10, -10, 20, 20};
    FillRect(B.DC, &All, Br);
    EXPECT_EQ(B.Rows(), (std::vector<std::string>{"........", ".oooo...", ".o.oo...", ".oooo...", "........",
                                                  "........"}));
    RECT Box;
    EXPECT_EQ(GetClipBox(B.DC, &Box), COMPLEXREGION);
    EXPECT_EQ(Box, (TRect{0, 0, 4, 3}));
    DeleteObject(Br);
}

TEST(GdiDraw, SaveAndRestoreState)
{
    TTestBitmap B(4, 4, 0);
    int Level = SaveDC(B.DC);
    EXPECT_EQ(Level, 1);
    SetTextColor(B.DC, RGB(1, 2, 3));
    IntersectClipRect(B.DC, 0, 0, 1, 1);
    SetViewportOrgEx(B.DC, 5, 5, nullptr);
    EXPECT_EQ(SaveDC(B.DC), 2);
    SetTextColor(B.DC, RGB(4, 5, 6));
    EXPECT_TRUE(RestoreDC(B.DC, 1));
    EXPECT_EQ(GetTextColor(B.DC), 0u);
    POINT P;
    GetViewportOrgEx(B.DC, &P);
    EXPECT_EQ(P, (TPoint{0, 0}));
    RECT Box;
    EXPECT_EQ(GetClipBox(B.DC, &Box), SIMPLEREGION);
    EXPECT_EQ(Box, (TRect{0, 0, 4, 4}));
    EXPECT_FALSE(RestoreDC(B.DC, -1));
}

TEST(GdiDraw, ObjectsSurviveDeletionWhileSelected)
{
    TTestBitmap B(2, 1, 0);
    HPEN Pen = CreatePen(PS_SOLID, 1, PenColor);
    HPEN Old = SelectObject(B.DC, Pen);
    EXPECT_TRUE(DeleteObject(Pen)); // freed when deselected
    MoveToEx(B.DC, 0, 0, nullptr);
    LineTo(B.DC, 2, 0);
    EXPECT_EQ(B.At(1, 0), 0x00FF0000u);
    SelectObject(B.DC, Old);
    EXPECT_EQ(GetObjectType(Pen), 0u);
    EXPECT_FALSE(DeleteObject(Pen));
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), UINT(OBJ_BRUSH));
}

TEST(GdiDraw, SurfaceDCWithOriginAndVisibleArea)
{
    std::vector<uint32_t> Buffer(6 * 4, 0);
    TPixelSurface S{reinterpret_cast<uint8_t*>(Buffer.data()), 6 * 4, 6, 4, 32};
    HDC D = CreateSurfaceDC(S, {2, 1}, {0, 0, 3, 2});
    HBRUSH Br = CreateSolidBrush(BrushColor);
    RECT R{-5, -5, 50, 50};
    FillRect(D, &R, Br);
    int Filled = 0;
    for (int Y = 0; Y < 4; ++Y)
        for (int X = 0; X < 6; ++X)
            if (Buffer[size_t(Y * 6 + X)] != 0) {
                ++Filled;
                EXPECT_TRUE(X >= 2 && X < 5 && Y >= 1 && Y < 3) << X << "," << Y;
            }
    EXPECT_EQ(Filled, 6);
    DeleteObject(Br);
    DeleteDC(D);
}

} // namespace
