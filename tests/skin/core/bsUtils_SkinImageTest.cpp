#include "skin/core/bsUtils_SkinImage.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace skin;
using platform::Point;
using platform::Rect;
using platform::TBitmap;

namespace {

// Every pixel of the made-up skin picture names its own place: 0xFFxxyy.
constexpr uint32_t At(int X, int Y) { return 0xFF000000u | uint32_t(X) << 8 | uint32_t(Y); }

std::unique_ptr<TBitmap> SkinPicture(int W, int H)
{
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(platform::pf32bit);
    B->SetSize(W, H);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            reinterpret_cast<uint32_t*>(B->ScanLine(Y))[X] = At(X, Y);
    return B;
}

std::unique_ptr<TBitmap> Target()
{
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(platform::pf32bit);
    return B;
}

uint32_t Pixel(TBitmap& B, int X, int Y) { return reinterpret_cast<uint32_t*>(B.ScanLine(Y))[X]; }

// The skin's control image: R = (2, 1)-(12, 9) of a 14 x 10 picture, 10 x 8,
// client (2, 2)-(8, 6); the top and bottom spans are columns 3..6, the left
// and right spans rows 3..5.
const TRect R = Rect(2, 1, 12, 9);
const TRect Cl = Rect(2, 2, 8, 6);
const TPoint LT = Point(3, 3), RT = Point(6, 3), LB = Point(3, 5), RB = Point(6, 5);

struct TNew {
    TPoint LT, RT, LB, RB;
    TRect Cl;
};
TNew NewPoints(int W, int H)
{
    int DW = W - R.Width(), DH = H - R.Height();
    return {LT, Point(RT.X + DW, RT.Y), Point(LB.X, LB.Y + DH), Point(RB.X + DW, RB.Y + DH),
            Rect(Cl.Left, Cl.Top, Cl.Right + DW, Cl.Bottom + DH)};
}

// Where a target pixel comes from when everything is tiled (target not
// smaller than the skin): fixed ends keep their distance to their edge,
// spans repeat from their start.
uint32_t Expected(int X, int Y, int W, int H)
{
    int DW = W - R.Width(), DH = H - R.Height();
    auto Span = [](int V, int A, int B, int D) { return V < A ? V : V >= B + D ? V - D : A + (V - A) % (B - A); };
    auto Tile = [](int V, int A, int Len) { return A + (V - A) % Len; };
    int SX, SY;
    if (Y < Cl.Top || Y >= Cl.Bottom + DH) {
        SX = Span(X, LT.X, RT.X, DW);
        SY = Y < Cl.Top ? Y : Y - DH;
    } else if (X < Cl.Left || X >= Cl.Right + DW) {
        SX = X < Cl.Left ? X : X - DW;
        SY = Span(Y, LT.Y, LB.Y, DH);
    } else {
        SX = Tile(X, Cl.Left, Cl.Width());
        SY = Tile(Y, Cl.Top, Cl.Height());
    }
    return At(SX + R.Left, SY + R.Top);
}

void Compose(TBitmap& B, TBitmap& SB, int W, int H, bool AStretchEdges, bool AStretchEffect,
             TbsStretchType AType = bsstFull, bool ADrawClient = true)
{
    TNew N = NewPoints(W, H);
    CreateSkinImage(LT, RT, LB, RB, Cl, N.LT, N.RT, N.LB, N.RB, N.Cl, &B, &SB, R, W, H, ADrawClient, AStretchEdges,
                    AStretchEdges, AStretchEdges, AStretchEdges, AStretchEffect, AType);
}

} // namespace

TEST(SkinImage, TiledNineSliceTable)
{
    auto SB = SkinPicture(14, 10);
    // Same size, one wider, exact multiples and cut tiles in both directions.
    const std::pair<int, int> Sizes[] = {{10, 8}, {11, 8}, {17, 12}, {13, 16}, {22, 9}};
    for (auto [W, H] : Sizes) {
        auto B = Target();
        Compose(*B, *SB, W, H, false, false);
        ASSERT_EQ(B->Width(), W);
        ASSERT_EQ(B->Height(), H);
        for (int Y = 0; Y < H; ++Y)
            for (int X = 0; X < W; ++X)
                ASSERT_EQ(Pixel(*B, X, Y), Expected(X, Y, W, H)) << W << "x" << H << " at " << X << "," << Y;
    }
}

TEST(SkinImage, SameSizeReproducesTheSkinWhateverTheMode)
{
    auto SB = SkinPicture(14, 10);
    for (bool Stretch : {false, true})
        for (TbsStretchType T : {bsstFull, bsstHorz, bsstVert}) {
            auto B = Target();
            Compose(*B, *SB, 10, 8, Stretch, Stretch, T);
            for (int Y = 0; Y < 8; ++Y)
                for (int X = 0; X < 10; ++X)
                    ASSERT_EQ(Pixel(*B, X, Y), At(X + R.Left, Y + R.Top)) << Stretch << T << " " << X << "," << Y;
        }
    auto B = Target();
    B->SetSize(10, 8);
    CreateStretchSkinImage(B.get(), SB.get(), R, Cl, true);
    for (int Y = 0; Y < 8; ++Y)
        for (int X = 0; X < 10; ++X)
            ASSERT_EQ(Pixel(*B, X, Y), At(X + R.Left, Y + R.Top));
}

TEST(SkinImage, StretchedEdgesStayWithinTheirSpan)
{
    auto SB = SkinPicture(14, 10);
    auto B = Target();
    Compose(*B, *SB, 25, 8, true, true);
    uint32_t Prev = 0;
    for (int X = 3; X < 3 + 3 + 15; ++X) {
        uint32_t P = Pixel(*B, X, 0);
        int SX = int(P >> 8 & 0xFF) - R.Left;
        EXPECT_GE(SX, LT.X);
        EXPECT_LT(SX, RT.X);
        EXPECT_GE(P, Prev); // scaled, in order
        Prev = P;
    }
    EXPECT_EQ(Pixel(*B, 24, 0), At(R.Right - 1, R.Top)); // right corner fixed
}

TEST(SkinImage, CentreRepeatedAcrossIsClippedToTheClient)
{
    auto SB = SkinPicture(14, 10);
    auto B = Target();
    // Client 6 wide in the skin, 25 wide in the target: stretched to the
    // client height (unchanged) and repeated at 0, 6, 12, 18, 24.
    Compose(*B, *SB, 29, 8, false, true, bsstHorz);
    for (int X = Cl.Left; X < Cl.Left + 25; ++X)
        ASSERT_EQ(Pixel(*B, X, 3), At(Cl.Left + (X - Cl.Left) % 6 + R.Left, 3 + R.Top)) << X;
    EXPECT_EQ(Pixel(*B, 27, 3), At(R.Left + 8, 3 + R.Top)); // the right border is not overdrawn
    auto V = Target();
    Compose(*V, *SB, 10, 17, false, true, bsstVert);
    for (int Y = Cl.Top; Y < Cl.Top + 13; ++Y)
        ASSERT_EQ(Pixel(*V, 4, Y), At(4 + R.Left, Cl.Top + (Y - Cl.Top) % 4 + R.Top)) << Y;
    EXPECT_EQ(Pixel(*V, 4, 15), At(4 + R.Left, 6 + R.Top));
}

TEST(SkinImage, TargetSmallerThanTheCornersLetsLaterPiecesWin)
{
    auto SB = SkinPicture(14, 10);
    auto B = Target();
    Compose(*B, *SB, 5, 8, false, false);
    EXPECT_EQ(Pixel(*B, 0, 0), At(R.Left, R.Top));
    // Columns 1..4 of the top rows come from the right corner (source column x + 5).
    for (int X = 1; X < 5; ++X)
        EXPECT_EQ(Pixel(*B, X, 0), At(R.Left + X + 5, R.Top)) << X;
}

TEST(SkinImage, NothingDrawnWithoutPictureOrSpan)
{
    TBitmap EmptySkin;
    auto B = Target();
    TNew N = NewPoints(12, 9);
    CreateSkinImage(LT, RT, LB, RB, Cl, N.LT, N.RT, N.LB, N.RB, N.Cl, B.get(), &EmptySkin, R, 12, 9, true, false,
                    false, false, false, false, bsstFull);
    EXPECT_EQ(B->Width(), 12);
    EXPECT_EQ(Pixel(*B, 0, 0), 0u);
    auto SB = SkinPicture(14, 10);
    CreateSkinImage(LT, RT, LB, Point(LT.X, 5), Cl, N.LT, N.RT, N.LB, N.RB, N.Cl, B.get(), SB.get(), R, 12, 9, true,
                    false, false, false, false, false, bsstFull);
    EXPECT_EQ(Pixel(*B, 0, 0), 0u);
    // A client of no width with tiling does not loop or divide by zero.
    CreateSkinImage(LT, RT, LB, RB, Rect(2, 2, 2, 6), N.LT, N.RT, N.LB, N.RB, Rect(2, 2, 2, 7), B.get(), SB.get(), R,
                    12, 9, true, false, false, false, false, false, bsstFull);
    EXPECT_EQ(Pixel(*B, 0, 0), At(R.Left, R.Top));
}

TEST(SkinImage, NoRightRunsToTheRightEdge)
{
    auto SB = SkinPicture(14, 10);
    auto B = Target();
    TNew N = NewPoints(15, 8);
    CreateSkinImageNoRight(LT, RT, LB, RB, Cl, N.LT, N.RT, N.LB, N.RB, N.Cl, B.get(), SB.get(), R, 15, 8, true,
                           false, false, false, false, false, bsstFull);
    for (int X = 0; X < 15; ++X) {
        int SX = X < LT.X ? X : LT.X + (X - LT.X) % 3;
        ASSERT_EQ(Pixel(*B, X, 0), At(SX + R.Left, R.Top)) << X;
        if (X >= Cl.Left) {
            ASSERT_EQ(Pixel(*B, X, 3), At(Cl.Left + (X - Cl.Left) % 6 + R.Left, 3 + R.Top)) << X;
        }
    }
}

TEST(SkinImage, HorizontalThreePieces)
{
    auto SB = SkinPicture(14, 10);
    const TRect HR = Rect(1, 2, 9, 4); // 8 wide: left 2, middle 3, right 3
    auto B = Target();
    CreateHSkinImage(2, 3, B.get(), SB.get(), HR, 14, 99, false);
    ASSERT_EQ(B->Height(), 2);
    for (int X = 0; X < 14; ++X) {
        int SX = X < 2 ? X : X >= 11 ? X - 6 : 2 + (X - 2) % 3;
        ASSERT_EQ(Pixel(*B, X, 1), At(SX + HR.Left, 1 + HR.Top)) << X;
    }
    auto L = Target();
    CreateHSkinImageLeft(2, 3, L.get(), SB.get(), HR, 9, 0, false);
    for (int X = 0; X < 9; ++X)
        ASSERT_EQ(Pixel(*L, X, 0), At((X < 2 ? X : 2 + (X - 2) % 3) + HR.Left, HR.Top)) << X;
    auto C = Target();
    CreateHSkinImageCenter(2, 3, C.get(), SB.get(), HR, 7, 0, false);
    for (int X = 0; X < 7; ++X)
        ASSERT_EQ(Pixel(*C, X, 0), At(2 + X % 3 + HR.Left, HR.Top)) << X;
    // A middle of no width draws only the ends.
    auto Z = Target();
    CreateHSkinImage(4, 4, Z.get(), SB.get(), HR, 12, 0, false);
    EXPECT_EQ(Pixel(*Z, 3, 0), At(3 + HR.Left, HR.Top));
    EXPECT_EQ(Pixel(*Z, 6, 0), 0u);
    EXPECT_EQ(Pixel(*Z, 8, 0), At(4 + HR.Left, HR.Top));
}

TEST(SkinImage, VerticalThreePieces)
{
    auto SB = SkinPicture(14, 10);
    const TRect VR = Rect(3, 1, 5, 8); // 7 high: top 2, middle 2, bottom 3
    auto B = Target();
    CreateVSkinImage(2, 3, B.get(), SB.get(), VR, 99, 12, false);
    ASSERT_EQ(B->Width(), 2);
    for (int Y = 0; Y < 12; ++Y) {
        int SY = Y < 2 ? Y : Y >= 9 ? Y - 5 : 2 + (Y - 2) % 2;
        ASSERT_EQ(Pixel(*B, 1, Y), At(1 + VR.Left, SY + VR.Top)) << Y;
    }
}

TEST(SkinImage, BorderStrips)
{
    auto SB = SkinPicture(14, 10);
    const int W = 13, H = 10;
    TNew N = NewPoints(W, H);
    TBitmap L, T, Rt, Bt;
    CreateSkinBorderImages(LT, RT, LB, RB, Cl, N.LT, N.RT, N.LB, N.RB, N.Cl, &L, &T, &Rt, &Bt, SB.get(), R, W, H,
                           false, false, false, false);
    ASSERT_EQ(T.Width(), W);
    ASSERT_EQ(T.Height(), 2);
    ASSERT_EQ(Bt.Height(), 2);
    ASSERT_EQ(L.Width(), 2);
    ASSERT_EQ(L.Height(), 6);
    ASSERT_EQ(Rt.Width(), 2);
    // Each strip holds what the composed frame has at its place, except its
    // tiled span: strips start their tiles at their own edge, with the phase
    // of the span's start.
    const int SpanTop = LT.Y - Cl.Top, SpanBottom = L.Height() - (Cl.Bottom - LB.Y);
    auto Check = [&](TBitmap& S, int AX, int AY, bool AAcross) {
        for (int Y = 0; Y < S.Height(); ++Y)
            for (int X = 0; X < S.Width(); ++X) {
                bool InSpan = AAcross ? X >= N.LT.X && X < N.RT.X : Y >= SpanTop && Y < SpanBottom;
                uint32_t Want = InSpan ? (AAcross ? At(LT.X + X % 3 + R.Left, Y + AY - (AY ? H - R.Height() : 0) + R.Top)
                                                  : At(X + AX - (AX ? W - R.Width() : 0) + R.Left, LT.Y + Y % 2 + R.Top))
                                       : Expected(X + AX, Y + AY, W, H);
                ASSERT_EQ(Pixel(S, X, Y), Want) << X << "," << Y;
            }
    };
    Check(T, 0, 0, true);
    Check(Bt, 0, N.Cl.Bottom, true);
    Check(L, 0, N.Cl.Top, false);
    Check(Rt, N.Cl.Right, N.Cl.Top, false);
    EXPECT_EQ(Pixel(L, 0, 1), At(R.Left, LT.Y + 1 + R.Top));

    // Without a top border the top strip stays as it was and the side
    // strips take their height from the strips' present heights.
    TBitmap L2, T2, R2, B2;
    T2.SetSize(3, 4);
    CreateSkinBorderImages(LT, RT, LB, RB, Cl, N.LT, N.RT, N.LB, N.RB, Rect(2, 0, N.Cl.Right, N.Cl.Bottom), &L2, &T2,
                           &R2, &B2, SB.get(), R, W, H, false, false, false, false);
    EXPECT_EQ(T2.Width(), 3);
    EXPECT_EQ(T2.Height(), 4);
    EXPECT_EQ(B2.Height(), 2);
    EXPECT_EQ(L2.Height(), H - 2 - 4);
}
