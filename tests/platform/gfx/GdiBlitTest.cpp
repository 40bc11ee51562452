// Transfers: raster operations, stretching, colour keys, alpha blending and
// the DIB entry points, checked against computed values.
#include <gtest/gtest.h>

#include "GdiTestUtil.h"

using namespace platform;
using namespace gfxtest;

namespace {

TEST(GdiBlit, RasterOperationsTable)
{
    const uint32_t S = 0x12F0F00Fu, D = 0x34CC33AAu, P = 0x00FF0000u; // brush blue-red: RGB(0,0,255)->0x0000FF
    struct TCase {
        DWORD Rop;
        uint32_t Expected;
    };
    const uint32_t Pat = 0x000000FFu; // pixel of the blue brush
    const TCase Cases[] = {
        {SRCCOPY, S},          {SRCAND, S & D},        {SRCPAINT, S | D},       {SRCINVERT, S ^ D},
        {SRCERASE, S & ~D},    {NOTSRCCOPY, ~S},       {NOTSRCERASE, ~(S | D)}, {MERGEPAINT, ~S | D},
        {MERGECOPY, Pat & S},  {PATCOPY, Pat},         {PATINVERT, Pat ^ D},    {DSTINVERT, ~D},
        {BLACKNESS, 0},        {WHITENESS, ~0u},
    };
    (void)P;
    for (const TCase& C : Cases) {
        TTestBitmap Src(2, 2, S), Dst(2, 2, D);
        HBRUSH B = CreateSolidBrush(BrushColor);
        HBRUSH Old = SelectObject(Dst.DC, B);
        EXPECT_TRUE(BitBlt(Dst.DC, 0, 0, 2, 2, Src.DC, 0, 0, C.Rop));
        EXPECT_EQ(Dst.At(1, 1), C.Expected) << std::hex << C.Rop;
        SelectObject(Dst.DC, Old);
        DeleteObject(B);
    }
}

TEST(GdiBlit, CopyClipsToSourceAndTarget)
{
    TTestBitmap Src(3, 3, 0xFF0000FFu), Dst(4, 4, 0);
    BitBlt(Dst.DC, 2, 2, 5, 5, Src.DC, 1, 1, SRCCOPY);
    // Source pixels (1..2, 1..2) land on (2..3, 2..3); nothing else changes.
    for (int Y = 0; Y < 4; ++Y)
        for (int X = 0; X < 4; ++X)
            EXPECT_EQ(Dst.At(X, Y), (X >= 2 && Y >= 2) ? 0xFF0000FFu : 0u) << X << "," << Y;
}

TEST(GdiBlit, OverlappingCopyWithinOneBitmap)
{
    TTestBitmap B(4, 4, 0);
    for (int I = 0; I < 16; ++I)
        B.Pixels[I] = uint32_t(I);
    BitBlt(B.DC, 0, 1, 4, 3, B.DC, 0, 0, SRCCOPY); // scroll down by one row
    for (int X = 0; X < 4; ++X) {
        EXPECT_EQ(B.At(X, 1), uint32_t(X));
        EXPECT_EQ(B.At(X, 3), uint32_t(8 + X));
    }
}

TEST(GdiBlit, StretchNearestAndMirror)
{
    TTestBitmap Src(2, 1, 0), Dst(4, 2, 0);
    Src.Pixels[0] = 0xA;
    Src.Pixels[1] = 0xB;
    StretchBlt(Dst.DC, 0, 0, 4, 2, Src.DC, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ((std::vector<uint32_t>(Dst.Pixels, Dst.Pixels + 8)),
              (std::vector<uint32_t>{0xA, 0xA, 0xB, 0xB, 0xA, 0xA, 0xB, 0xB}));
    // A negative destination width covers the pixels ending at its origin.
    StretchBlt(Dst.DC, 3, 0, -4, 1, Src.DC, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ((std::vector<uint32_t>(Dst.Pixels, Dst.Pixels + 4)), (std::vector<uint32_t>{0xB, 0xB, 0xA, 0xA}));
    // Shrinking takes the first sample of each step.
    TTestBitmap Wide(4, 1, 0), One(2, 1, 0);
    for (int I = 0; I < 4; ++I)
        Wide.Pixels[I] = uint32_t(I + 1);
    StretchBlt(One.DC, 0, 0, 2, 1, Wide.DC, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(One.At(0, 0), 1u);
    EXPECT_EQ(One.At(1, 0), 3u);
}

// Enlarging repeats rows; a source rectangle that reaches past the source
// leaves those destination pixels as they were, row by row.
TEST(GdiBlit, StretchRepeatsRowsAndKeepsPixelsWithoutSource)
{
    TTestBitmap Src(2, 2, 0);
    for (int I = 0; I < 4; ++I)
        Src.Pixels[I] = uint32_t(0xA0 + I);
    TTestBitmap Dst(4, 4, 0);
    StretchBlt(Dst.DC, 0, 0, 4, 4, Src.DC, 0, 0, 2, 2, SRCCOPY);
    for (int Y = 0; Y < 4; ++Y)
        for (int X = 0; X < 4; ++X)
            EXPECT_EQ(Dst.At(X, Y), uint32_t(0xA0 + (Y / 2) * 2 + X / 2)) << X << "," << Y;

    // Source columns 1..2 of a 2-wide bitmap: the second half has none.
    TTestBitmap Kept(4, 4, 0);
    for (int I = 0; I < 16; ++I)
        Kept.Pixels[I] = uint32_t(I);
    StretchBlt(Kept.DC, 0, 0, 4, 4, Src.DC, 1, 0, 2, 2, SRCCOPY);
    for (int Y = 0; Y < 4; ++Y)
        for (int X = 0; X < 4; ++X)
            EXPECT_EQ(Kept.At(X, Y), X < 2 ? uint32_t(0xA1 + (Y / 2) * 2) : uint32_t(Y * 4 + X)) << X << "," << Y;
}

TEST(GdiBlit, TransparentKeyIgnoresAlpha)
{
    TTestBitmap Src(3, 1, 0), Dst(3, 1, 0x11111111u);
    Src.Pixels[0] = 0x007F007Fu;
    Src.Pixels[1] = 0xFF7F007Fu;
    Src.Pixels[2] = 0xFF102030u;
    EXPECT_TRUE(TransparentBlt(Dst.DC, 0, 0, 3, 1, Src.DC, 0, 0, 3, 1, RGB(0x7F, 0, 0x7F)));
    EXPECT_EQ(Dst.At(0, 0), 0x11111111u);
    EXPECT_EQ(Dst.At(1, 0), 0x11111111u);
    EXPECT_EQ(Dst.At(2, 0), 0xFF102030u);
    EXPECT_FALSE(TransparentBlt(Dst.DC, 0, 0, -3, 1, Src.DC, 0, 0, 3, 1, 0));
}

uint32_t Channel(uint32_t P, int I) { return (P >> (8 * I)) & 0xFF; }

TEST(GdiBlit, AlphaBlendAgainstComputedValues)
{
    struct TCase {
        uint32_t S, D;
        BYTE Constant;
        BYTE Format;
    };
    const TCase Cases[] = {
        {0x80402010u, 0xFF808080u, 255, AC_SRC_ALPHA}, {0x80402010u, 0xFF808080u, 128, AC_SRC_ALPHA},
        {0xFFFFFFFFu, 0x00000000u, 255, AC_SRC_ALPHA}, {0x00000000u, 0x12345678u, 255, AC_SRC_ALPHA},
        {0xFF0000FFu, 0xFF00FF00u, 64, 0},             {0x20101010u, 0x40FFFFFFu, 200, AC_SRC_ALPHA},
    };
    for (const TCase& C : Cases) {
        TTestBitmap Src(1, 1, C.S), Dst(1, 1, C.D);
        BLENDFUNCTION BF{AC_SRC_OVER, 0, C.Constant, C.Format};
        ASSERT_TRUE(AlphaBlend(Dst.DC, 0, 0, 1, 1, Src.DC, 0, 0, 1, 1, BF));
        uint32_t K = C.Constant, Expected = 0;
        for (int I = 0; I < 4; ++I) {
            uint32_t S = Channel(C.S, I), D = Channel(C.D, I), V;
            if (C.Format == 0) {
                V = (S * K + D * (255 - K) + 127) / 255;
            } else {
                uint32_t SA = (Channel(C.S, 3) * K + 127) / 255;
                uint32_t SS = (S * K + 127) / 255;
                V = std::min<uint32_t>(255, SS + (D * (255 - SA) + 127) / 255);
            }
            Expected |= V << (8 * I);
        }
        EXPECT_EQ(Dst.At(0, 0), Expected) << std::hex << C.S << " over " << C.D;
    }
}

TEST(GdiBlit, AlphaBlendRefusesBadRectangles)
{
    TTestBitmap Src(2, 2, 0), Dst(2, 2, 0);
    BLENDFUNCTION BF{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    EXPECT_FALSE(AlphaBlend(Dst.DC, 0, 0, 2, 2, Src.DC, 1, 1, 2, 2, BF));
    EXPECT_FALSE(AlphaBlend(Dst.DC, 0, 0, -2, 2, Src.DC, 0, 0, 2, 2, BF));
}

TEST(GdiBlit, DIBitsBothRowOrders)
{
    // A 2 x 2 32-bit DIB, stored bottom-up: memory row 0 is the bottom row.
    uint32_t BottomUp[4] = {3, 4, 1, 2};
    uint32_t TopDown[4] = {1, 2, 3, 4};
    BITMAPINFO Info{};
    Info.bmiHeader.biWidth = 2;
    Info.bmiHeader.biBitCount = 32;
    for (int Pass = 0; Pass < 2; ++Pass) {
        TTestBitmap Dst(2, 2, 0);
        Info.bmiHeader.biHeight = Pass == 0 ? 2 : -2;
        const uint32_t* Bits = Pass == 0 ? BottomUp : TopDown;
        EXPECT_EQ(SetDIBitsToDevice(Dst.DC, 0, 0, 2, 2, 0, 0, 0, 2, Bits, &Info, DIB_RGB_COLORS), 2);
        EXPECT_EQ((std::vector<uint32_t>(Dst.Pixels, Dst.Pixels + 4)), (std::vector<uint32_t>{1, 2, 3, 4}));
        TTestBitmap Big(4, 4, 0);
        StretchDIBits(Big.DC, 0, 0, 4, 4, 0, 0, 2, 2, Bits, &Info, DIB_RGB_COLORS, SRCCOPY);
        EXPECT_EQ(Big.At(0, 0), 1u);
        EXPECT_EQ(Big.At(3, 3), 4u);
        EXPECT_EQ(Big.At(2, 1), 2u);
    }
}

TEST(GdiBlit, StretchDIBitsNegativeHeightsMirror)
{
    // Rows 0..3 of a top-down 1-pixel-wide DIB hold 10, 11, 12, 13.
    uint32_t Bits[4] = {10, 11, 12, 13};
    BITMAPINFO Info{};
    Info.bmiHeader.biWidth = 1;
    Info.bmiHeader.biHeight = -4;
    Info.bmiHeader.biBitCount = 32;
    TTestBitmap Dst(1, 4, 0);
    // Destination rows 1..2 (origin 2, height -2); source rows count from
    // the bottom for a part of the image: y 3, height -2 gives rows 2..3,
    // mirrored twice, so the rows keep their order.
    StretchDIBits(Dst.DC, 0, 2, 1, -2, 0, 3, 1, -2, Bits, &Info, DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(Dst.At(0, 0), 0u);
    EXPECT_EQ(Dst.At(0, 1), 12u);
    EXPECT_EQ(Dst.At(0, 2), 13u);
    EXPECT_EQ(Dst.At(0, 3), 0u);
}

TEST(GdiBlit, GetAndSetDIBitsRoundTrip24)
{
    TTestBitmap B(3, 2, 0);
    for (int I = 0; I < 6; ++I)
        B.Pixels[I] = 0x00010203u * uint32_t(I + 1);
    BITMAPINFO Info{};
    Info.bmiHeader.biWidth = 3;
    Info.bmiHeader.biHeight = 2; // bottom-up
    Info.bmiHeader.biBitCount = 24;
    std::vector<uint8_t> Rows(2 * 12);
    EXPECT_EQ(GetDIBits(B.DC, B.Bitmap, 0, 2, Rows.data(), &Info, DIB_RGB_COLORS), 2);
    // First stored row is the bottom one: pixel (0, 1) = 4 * 0x010203.
    EXPECT_EQ(Rows[0], 0x0C);
    EXPECT_EQ(Rows[1], 0x08);
    EXPECT_EQ(Rows[2], 0x04);
    TTestBitmap C(3, 2, 0);
    EXPECT_EQ(SetDIBits(C.DC, C.Bitmap, 0, 2, Rows.data(), &Info, DIB_RGB_COLORS), 2);
    for (int I = 0; I < 6; ++I)
        EXPECT_EQ(C.Pixels[I], B.Pixels[I]);
    BITMAPINFO Query{};
    GetDIBits(nullptr, B.Bitmap, 0, 0, nullptr, &Query, DIB_RGB_COLORS);
    EXPECT_EQ(Query.bmiHeader.biBitCount, 32);
    EXPECT_EQ(Query.bmiHeader.biWidth, 3);
}

TEST(GdiBlit, DibSectionObjectAndHugeSizesRefused)
{
    TTestBitmap B(5, 3, 0);
    DIBSECTION DS;
    ASSERT_EQ(GetObject(B.Bitmap, sizeof(DS), &DS), int(sizeof(DS)));
    EXPECT_EQ(DS.dsBm.bmBits, static_cast<void*>(B.Pixels));
    EXPECT_EQ(DS.dsBmih.biHeight, -3);
    EXPECT_EQ(GetCurrentObject(B.DC, OBJ_BITMAP), B.Bitmap);
    BITMAPINFO Info{};
    Info.bmiHeader.biWidth = 60000;
    Info.bmiHeader.biHeight = 60000;
    Info.bmiHeader.biBitCount = 32;
    void* Bits = nullptr;
    EXPECT_EQ(CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 0, 10), nullptr);
}

TEST(GdiBlit, TwentyFourBitTargets)
{
    BITMAPINFO Info{};
    Info.bmiHeader.biWidth = 5;
    Info.bmiHeader.biHeight = -2;
    Info.bmiHeader.biBitCount = 24;
    void* Bits = nullptr;
    HBITMAP B = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits);
    HDC DC = CreateCompatibleDC(nullptr);
    HBITMAP Old = SelectObject(DC, B);
    SetPixel(DC, 4, 1, RGB(1, 2, 3));
    auto* P = static_cast<uint8_t*>(Bits);
    EXPECT_EQ(P[16 + 12], 3); // rows of 16 bytes; blue first
    EXPECT_EQ(P[16 + 14], 1);
    EXPECT_EQ(GetPixel(DC, 4, 1), RGB(1, 2, 3));
    SelectObject(DC, Old);
    DeleteDC(DC);
    DeleteObject(B);
}

} // namespace
