// Regions: combine tables, tests and the rectangle-data format.
#include <cstring>
#include <gtest/gtest.h>

#include "GdiTestUtil.h"

using namespace platform;

namespace {

std::vector<TRect> Rects(HRGN R)
{
    DWORD N = GetRegionData(R, 0, nullptr);
    std::vector<uint8_t> Buf(N);
    GetRegionData(R, N, reinterpret_cast<RGNDATA*>(Buf.data()));
    RGNDATAHEADER H;
    std::memcpy(&H, Buf.data(), sizeof(H));
    std::vector<TRect> Out(H.nCount);
    std::memcpy(static_cast<void*>(Out.data()), Buf.data() + sizeof(H), H.nCount * sizeof(TRect));
    return Out;
}

TEST(GdiRegion, CombineTable)
{
    struct TCase {
        int Mode;
        int Kind;
        std::vector<TRect> Expected;
    };
    // A = (0,0)-(4,4), B = (2,2)-(6,6).
    const TCase Cases[] = {
        {RGN_AND, SIMPLEREGION, {{2, 2, 4, 4}}},
        {RGN_OR, COMPLEXREGION, {{0, 0, 4, 2}, {0, 2, 6, 4}, {2, 4, 6, 6}}},
        {RGN_DIFF, COMPLEXREGION, {{0, 0, 4, 2}, {0, 2, 2, 4}}},
        {RGN_XOR, COMPLEXREGION, {{0, 0, 4, 2}, {0, 2, 2, 4}, {4, 2, 6, 4}, {2, 4, 6, 6}}},
        {RGN_COPY, SIMPLEREGION, {{0, 0, 4, 4}}},
    };
    for (const TCase& C : Cases) {
        HRGN A = CreateRectRgn(0, 0, 4, 4), B = CreateRectRgn(2, 2, 6, 6), D = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(CombineRgn(D, A, B, C.Mode), C.Kind) << C.Mode;
        EXPECT_EQ(Rects(D), C.Expected) << C.Mode;
        DeleteObject(A);
        DeleteObject(B);
        DeleteObject(D);
    }
}

TEST(GdiRegion, TestsBoxAndOffset)
{
    HRGN R = CreateRectRgn(5, 5, 1, 1); // normalised
    RECT Box;
    EXPECT_EQ(GetRgnBox(R, &Box), SIMPLEREGION);
    EXPECT_EQ(Box, (TRect{1, 1, 5, 5}));
    EXPECT_TRUE(PtInRegion(R, 1, 1));
    EXPECT_FALSE(PtInRegion(R, 5, 5)); // right and bottom excluded
    RECT In{4, 4, 8, 8}, Out{5, 5, 8, 8};
    EXPECT_TRUE(RectInRegion(R, &In));
    EXPECT_FALSE(RectInRegion(R, &Out));
    EXPECT_EQ(OffsetRgn(R, 10, -1), SIMPLEREGION);
    GetRgnBox(R, &Box);
    EXPECT_EQ(Box, (TRect{11, 0, 15, 4}));
    HRGN E = CreateRectRgn(3, 3, 3, 9);
    EXPECT_EQ(GetRgnBox(E, &Box), NULLREGION);
    EXPECT_EQ(CombineRgn(E, E, nullptr, RGN_AND), ERROR);
    DeleteObject(R);
    DeleteObject(E);
}

TEST(GdiRegion, FromRectangleDataAndBack)
{
    // Runs of a mask, as the skin engine builds them: unsorted is fine.
    std::vector<uint8_t> Buf(sizeof(RGNDATAHEADER) + 3 * sizeof(TRect));
    RGNDATAHEADER H;
    H.nCount = 3;
    H.rcBound = {0, 0, 3, 2};
    TRect Rs[3] = {{0, 1, 3, 2}, {0, 0, 1, 1}, {2, 0, 3, 1}};
    std::memcpy(Buf.data(), &H, sizeof(H));
    std::memcpy(Buf.data() + sizeof(H), Rs, sizeof(Rs));
    HRGN R = ExtCreateRegion(nullptr, DWORD(Buf.size()), reinterpret_cast<RGNDATA*>(Buf.data()));
    ASSERT_NE(R, nullptr);
    EXPECT_EQ(Rects(R), (std::vector<TRect>{{0, 0, 1, 1}, {2, 0, 3, 1}, {0, 1, 3, 2}}));
    EXPECT_FALSE(PtInRegion(R, 1, 0));
    // Malformed data: count beyond the buffer, wrong type, transform given.
    H.nCount = 4;
    std::memcpy(Buf.data(), &H, sizeof(H));
    EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(Buf.size()), reinterpret_cast<RGNDATA*>(Buf.data())), nullptr);
    H.nCount = 3;
    H.iType = 2;
    std::memcpy(Buf.data(), &H, sizeof(H));
    EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(Buf.size()), reinterpret_cast<RGNDATA*>(Buf.data())), nullptr);
    int XForm = 0;
    EXPECT_EQ(ExtCreateRegion(&XForm, DWORD(Buf.size()), reinterpret_cast<RGNDATA*>(Buf.data())), nullptr);
    DeleteObject(R);
}

TEST(GdiRegion, EllipticRegionCoversItsWholeBox)
{
    // A region's box excludes only the right and bottom edges, so it is one
    // pixel larger than the same shape filled without a pen.
    HRGN E = CreateEllipticRgn(0, 0, 8, 6);
    gfxtest::TTestBitmap B(8, 6, 0);
    gfxtest::TPenBrush P(B.DC, PS_NULL);
    Ellipse(B.DC, 0, 0, 9, 7);
    for (int Y = 0; Y < 6; ++Y)
        for (int X = 0; X < 8; ++X)
            EXPECT_EQ(PtInRegion(E, X, Y) != 0, B.At(X, Y) != 0) << X << "," << Y;
    DeleteObject(E);
}

TEST(GdiRegion, ClipRegionOnDC)
{
    gfxtest::TTestBitmap B(4, 1, 0);
    HRGN R = CreateRectRgn(1, 0, 3, 1);
    EXPECT_EQ(SelectClipRgn(B.DC, R), SIMPLEREGION);
    DeleteObject(R); // the DC keeps its own copy
    RECT All{0, 0, 4, 1};
    HBRUSH Br = CreateSolidBrush(gfxtest::BrushColor);
    FillRect(B.DC, &All, Br);
    EXPECT_EQ(B.Rows()[0], ".oo.");
    HRGN Got = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(B.DC, Got), 1);
    EXPECT_TRUE(PtInRegion(Got, 2, 0));
    SelectClipRgn(B.DC, nullptr);
    EXPECT_EQ(GetClipRgn(B.DC, Got), 0);
    DeleteObject(Got);
    DeleteObject(Br);
}

} // namespace
