#include "skin/core/bsUtils_Regions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>

using namespace skin;
using platform::Point;
using platform::Rect;

namespace {

constexpr uint32_t Black = 0xFF000000, White = 0xFFFFFFFF;

// A mask from rows of characters: '#' black (inside), '.' white, 'g' dark grey.
std::unique_ptr<TBitmap> Mask(std::initializer_list<const char*> ARows)
{
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(platform::pf32bit);
    B->SetSize(int(std::strlen(*ARows.begin())), int(ARows.size()));
    int Y = 0;
    for (const char* Row : ARows) {
        auto* P = reinterpret_cast<uint32_t*>(B->ScanLine(Y++));
        for (int X = 0; Row[X] != 0; ++X)
            P[X] = Row[X] == '#' ? Black : Row[X] == 'g' ? 0xFF010101 : White;
    }
    return B;
}

struct TData {
    platform::RGNDATAHEADER Header;
    std::vector<TRect> Rects;
};

TData Parse(const std::vector<uint8_t>& AData)
{
    TData D;
    std::memcpy(&D.Header, AData.data(), sizeof(D.Header));
    D.Rects.resize(D.Header.nCount);
    if (!D.Rects.empty())
        std::memcpy(D.Rects.data(), AData.data() + 32, D.Rects.size() * sizeof(TRect));
    return D;
}

// The pixels of a W x H area inside a region.
std::set<std::pair<int, int>> Outside(platform::HRGN ARgn, int W, int H)
{
    std::set<std::pair<int, int>> S;
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            if (!platform::PtInRegion(ARgn, X, Y))
                S.insert({X, Y});
    return S;
}

} // namespace

TEST(MaskRegions, RunsBecomeRectangles)
{
    auto M = Mask({"#.#", "###"});
    std::vector<uint8_t> Data;
    ASSERT_EQ(MaskToRegionData(M.get(), 0, 0, Data), 80u);
    TData D = Parse(Data);
    EXPECT_EQ(D.Header.dwSize, 32u);
    EXPECT_EQ(D.Header.iType, 1u);
    EXPECT_EQ(D.Header.nRgnSize, 0u);
    EXPECT_EQ(D.Header.rcBound, Rect(0, 0, 3, 2));
    EXPECT_EQ(D.Rects, (std::vector<TRect>{Rect(0, 0, 1, 1), Rect(2, 0, 3, 1), Rect(0, 1, 3, 2)}));

    MaskToRegionData(M.get(), 5, 7, Data);
    D = Parse(Data);
    EXPECT_EQ(D.Header.rcBound, Rect(5, 7, 8, 9));
    EXPECT_EQ(D.Rects, (std::vector<TRect>{Rect(5, 7, 6, 8), Rect(7, 7, 8, 8), Rect(5, 8, 8, 9)}));

    auto NoBlack = Mask({"g.", ".."});
    EXPECT_EQ(MaskToRegionData(NoBlack.get(), 0, 0, Data), 32u);
    EXPECT_EQ(Parse(Data).Header.nCount, 0u);

    TBitmap Empty;
    EXPECT_EQ(MaskToRegionData(&Empty, 0, 0, Data), 0u);
    EXPECT_TRUE(Data.empty());
    platform::HRGN R = reinterpret_cast<platform::HRGN>(1);
    MaskToRegion(R, &Empty);
    EXPECT_EQ(R, nullptr);
}

TEST(MaskRegions, ManyRunsMakeOneWholeRegion)
{
    // 12,000 single-pixel runs, more than a fixed run buffer would hold.
    auto M = std::make_unique<TBitmap>();
    M->SetPixelFormat(platform::pf32bit);
    M->SetSize(240, 100);
    for (int Y = 0; Y < 100; ++Y) {
        auto* P = reinterpret_cast<uint32_t*>(M->ScanLine(Y));
        for (int X = 0; X < 240; ++X)
            P[X] = (X + Y) % 2 ? White : Black;
    }
    platform::HRGN R = nullptr;
    MaskToRegion(R, M.get());
    ASSERT_NE(R, nullptr);
    EXPECT_TRUE(platform::PtInRegion(R, 239, 99));
    EXPECT_FALSE(platform::PtInRegion(R, 238, 99));
    EXPECT_EQ(Outside(R, 240, 100).size(), 12000u);
    platform::DeleteObject(R);
}

TEST(MaskRegions, ResizedSkinRegion)
{
    // A 6 x 6 skin mask, client (2, 2)-(4, 4), spans equal to the client.
    auto M = Mask({".##.#.", "######", "######", ".#####", "######", "######"});
    const TRect Cl = Rect(2, 2, 4, 4);
    const int W = 10, H = 8;
    platform::HRGN R = nullptr;
    CreateSkinRegion(R, Point(2, 2), Point(4, 2), Point(2, 4), Point(4, 4), Cl, Point(2, 2), Point(8, 2),
                     Point(2, 6), Point(8, 6), Rect(2, 2, 8, 6), M.get(), W, H);
    ASSERT_NE(R, nullptr);
    // Top row: corner cut at 0; the span (columns 2..3, white at 3) repeats
    // from column 2 to 8; the right corner (mask columns 4..5) lands at 8..9.
    // Left column: the span rows 2..3 (white at 3) repeat from the strip's top.
    std::set<std::pair<int, int>> Want = {{0, 0}, {3, 0}, {5, 0}, {7, 0}, {9, 0}, {0, 3}, {0, 5}};
    EXPECT_EQ(Outside(R, W, H), Want);
    platform::DeleteObject(R);
}

TEST(MaskRegions, SmallTargetsAndMissingBorders)
{
    auto M = Mask({"######", "######", "######", "######", "######", "#.####"});
    platform::HRGN R = reinterpret_cast<platform::HRGN>(1);
    // Narrower than the two top corners.
    CreateSkinRegion(R, Point(2, 2), Point(4, 2), Point(2, 4), Point(4, 4), Rect(2, 2, 4, 4), Point(2, 2),
                     Point(1, 2), Point(2, 4), Point(1, 4), Rect(2, 2, 1, 4), M.get(), 3, 6);
    EXPECT_EQ(R, nullptr);
    // No client area.
    CreateSkinRegion(R, Point(2, 2), Point(4, 2), Point(2, 4), Point(4, 4), Rect(2, 2, 4, 4), Point(2, 2),
                     Point(4, 2), Point(2, 2), Point(4, 2), Rect(2, 2, 4, 2), M.get(), 6, 4);
    EXPECT_EQ(R, nullptr);
    // No top border: the bottom border is still there, with its hole.
    CreateSkinRegion(R, Point(2, 0), Point(4, 0), Point(2, 4), Point(4, 4), Rect(2, 0, 4, 4), Point(2, 0),
                     Point(4, 0), Point(2, 4), Point(4, 4), Rect(2, 0, 4, 4), M.get(), 6, 6);
    ASSERT_NE(R, nullptr);
    EXPECT_TRUE(platform::PtInRegion(R, 0, 5));
    EXPECT_FALSE(platform::PtInRegion(R, 1, 5));
    EXPECT_TRUE(platform::PtInRegion(R, 5, 4));
    platform::DeleteObject(R);
}

TEST(MaskRegions, StripsOfTheMask)
{
    auto M = Mask({"######", "#####.", "######", "######", "######", "######"});
    TBitmap Top, Left, Right, Bottom;
    Top.SetSize(1, 1);
    CreateSkinMask(Point(2, 2), Point(4, 2), Point(2, 4), Point(4, 4), Rect(2, 2, 4, 4), Point(2, 2), Point(8, 2),
                   Point(2, 4), Point(8, 4), Rect(2, 2, 8, 4), M.get(), &Top, &Left, &Right, &Bottom, 10, 6);
    EXPECT_EQ(Top.Width(), 10);
    EXPECT_EQ(Top.Height(), 2);
    EXPECT_EQ(Left.Width(), 2);
    EXPECT_EQ(Left.Height(), 2);
    EXPECT_EQ(Right.Width(), 2);
    EXPECT_EQ(Bottom.Height(), 2);
    // The right corner's white pixel (5, 1) lands at column 9 of the top strip.
    EXPECT_EQ(reinterpret_cast<uint32_t*>(Top.ScanLine(1))[9] & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(Top.ScanLine(1))[5] & 0xFFFFFF, 0u);
}
