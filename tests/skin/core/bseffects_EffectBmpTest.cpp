#include "skin/core/bseffects_EffectBmp.h"

#include "platform/gfx/Graphics.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace skin;
using platform::Rect;

namespace {

// Channels of one row, three per pixel in the order B, G, R.
using TRow = std::vector<uint8_t>;

std::unique_ptr<TbsEffectBmp> Make(int W, int H, std::vector<uint32_t> AColours = {})
{
    auto E = std::make_unique<TbsEffectBmp>(W, H);
    for (size_t I = 0; I < AColours.size(); ++I)
        E->PutPixel(int(I) % W, int(I) / W, AColours[I]);
    return E;
}

std::vector<uint32_t> Colours(const TbsEffectBmp& E)
{
    std::vector<uint32_t> V;
    for (int Y = 0; Y < E.Height; ++Y)
        for (int X = 0; X < E.Width; ++X)
            V.push_back(E.GetPixel(X, Y));
    return V;
}

// A grey level as a colour.
constexpr uint32_t G(uint32_t V) { return V << 16 | V << 8 | V; }

} // namespace

TEST(EffectBmp, RowsArePaddedToFourBytes)
{
    TbsEffectBmp Five(5, 2), Four(4, 2);
    EXPECT_EQ(Five.RowLength(), 16);
    EXPECT_EQ(Five.Size, 32);
    EXPECT_EQ(Four.RowLength(), 12);
    EXPECT_EQ(Five.GetScanLinePtr(1), Five.Bits + 16);
    TbsEffectBmp None(0, 3);
    EXPECT_EQ(None.Bits, nullptr);
    EXPECT_EQ(None.Width, 0);
    None.GrayScale();
    None.SplitBlur(1);
}

TEST(EffectBmp, FiltersTable)
{
    struct Case {
        const char* Name;
        void (*Apply)(TbsEffectBmp&);
        uint32_t In, Out;
    };
    const Case Cases[] = {
        {"brightness", [](TbsEffectBmp& E) { E.ChangeBrightness(0.5); }, 0x0064FF, 0x80B2FF},
        {"brightness clamped", [](TbsEffectBmp& E) { E.ChangeBrightness(7); }, 0x123456, 0xFFFFFF},
        {"brightness negative", [](TbsEffectBmp& E) { E.ChangeBrightness(-1); }, 0x123456, 0x123456},
        {"darkness", [](TbsEffectBmp& E) { E.ChangeDarkness(0.3); }, 0x640A00, 0x460700},
        {"invert", [](TbsEffectBmp& E) { E.Invert(); }, 0x00FF10, 0xFF00EF},
        {"grey of red", [](TbsEffectBmp& E) { E.GrayScale(); }, 0xFF0000, G(76)},
        {"grey of green", [](TbsEffectBmp& E) { E.GrayScale(); }, 0x00FF00, G(150)},
        {"grey of blue", [](TbsEffectBmp& E) { E.GrayScale(); }, 0x0000FF, G(28)},
        {"grey of white", [](TbsEffectBmp& E) { E.GrayScale(); }, 0xFFFFFF, G(255)},
    };
    for (const Case& C : Cases) {
        auto E = Make(1, 1, {C.In});
        C.Apply(*E);
        EXPECT_EQ(E->GetPixel(0, 0), C.Out) << C.Name;
    }
}

TEST(EffectBmp, MonoNoiseMovesAllChannelsAlike)
{
    RandSeed(7);
    auto E = Make(40, 3, std::vector<uint32_t>(120, G(100)));
    E->AddMonoNoise(50);
    bool Changed = false;
    for (uint32_t C : Colours(*E)) {
        int V = int(C & 0xFF);
        EXPECT_EQ(C, G(uint32_t(V)));
        EXPECT_GE(V, 75);
        EXPECT_LE(V, 124);
        Changed |= V != 100;
    }
    EXPECT_TRUE(Changed);
    auto K = Make(40, 1, std::vector<uint32_t>(40, G(100)));
    K->AddColorNoise(50);
    bool Differ = false;
    for (uint32_t C : Colours(*K))
        Differ |= (C & 0xFF) != (C >> 16 & 0xFF);
    EXPECT_TRUE(Differ);
}

TEST(EffectBmp, SplitBlurNeighbours)
{
    // 3 x 3, blue channel only: values are place numbers times 4.
    auto E = Make(3, 3, {0, 4, 8, 12, 16, 20, 24, 28, 32});
    E->SplitBlur(1);
    // In place, rows then columns: (0,0) = (0 + 12 + 4 + 16) / 4 = 8; the
    // bottom row takes row 1 as "down" (3 - 2), the right column column 1,
    // and later pixels read the ones already changed.
    EXPECT_EQ(Colours(*E), (std::vector<uint32_t>{8, 12, 14, 18, 19, 20, 18, 19, 19}));
    // An amount larger than the image stays inside it.
    auto Big = Make(2, 2, {4, 8, 12, 16});
    Big->SplitBlur(9);
    for (uint32_t C : Colours(*Big))
        EXPECT_LE(C, 16u);
}

TEST(EffectBmp, MosaicBlocks)
{
    std::vector<uint32_t> P(49);
    for (int I = 0; I < 49; ++I)
        P[size_t(I)] = uint32_t(I);
    auto E = Make(7, 7, P);
    E->Mosaic(3);
    for (int Y = 0; Y < 7; ++Y)
        for (int X = 0; X < 7; ++X)
            ASSERT_EQ(E->GetPixel(X, Y), uint32_t(Y / 3 * 3 * 7 + X / 3 * 3)) << X << "," << Y;
    E->Mosaic(1);
}

TEST(EffectBmp, Geometry)
{
    auto E = Make(3, 2, {1, 2, 3, 4, 5, 6});
    TbsEffectBmp R1(2, 3), R2(2, 3), F(3, 2), Small(1, 1);
    E->Rotate90_1(R1);
    EXPECT_EQ(Colours(R1), (std::vector<uint32_t>{3, 6, 2, 5, 1, 4}));
    E->Rotate90_2(R2);
    EXPECT_EQ(Colours(R2), (std::vector<uint32_t>{4, 1, 5, 2, 6, 3}));
    E->FlipVert(F);
    EXPECT_EQ(Colours(F), (std::vector<uint32_t>{4, 5, 6, 1, 2, 3}));
    E->Rotate90_1(Small); // too small a target is left alone
    EXPECT_EQ(Small.GetPixel(0, 0), 0u);

    auto S = Make(2, 2, {1, 2, 3, 4});
    TbsEffectBmp Big(4, 4);
    S->Resize(Big); // sx = 1.5: blocks of 3 at 0 and 2 (round(1.5) = 2)
    EXPECT_EQ(Colours(Big), (std::vector<uint32_t>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}));

    auto W = Make(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    W->Wave(0, 5, 3);
    EXPECT_EQ(Colours(*W), (std::vector<uint32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    W->Wave(1, 1, 1);
    // (0,0): sx = round(sin(0) + 0) = 0, sy = round(sin(0) + 0) = 0
    EXPECT_EQ(W->GetPixel(0, 0), 1u);
    // (0,1): sx = round(sin(1) * 1 + 0) = 1, sy = round(sin(0) + 1) = 1
    EXPECT_EQ(W->GetPixel(0, 1), 5u);

    auto C = Make(3, 3);
    C->CopyRect(*S, Rect(1, 1, 5, 5), 0, 0); // right and bottom inclusive, limited to the image
    EXPECT_EQ(Colours(*C), (std::vector<uint32_t>{0, 0, 0, 0, 1, 2, 0, 3, 4}));
    C->CopyRect(*S, Rect(0, 0, 2, 2), 1, 1); // source places outside are skipped
    EXPECT_EQ(C->GetPixel(0, 0), 4u);
    EXPECT_EQ(C->GetPixel(1, 1), 1u);
}

TEST(EffectBmp, Masks)
{
    auto E = Make(2, 1, {G(100), G(100)});
    auto M = Make(2, 2, {0xFFFFFF, 0x000000});
    E->MaskFillColor(*M, platform::clRed, 0.5);
    EXPECT_EQ(Colours(*E), (std::vector<uint32_t>{G(100), 0xB23232})); // red 177.5 -> 178, others 50
    auto Narrow = Make(1, 1);
    E->MaskFillColor(*Narrow, platform::clRed, 1);
    EXPECT_EQ(E->GetPixel(0, 0), G(100));

    auto B = Make(3, 1, {0, 40, 80});
    auto AllBlack = Make(3, 1);
    B->MaskBlur(*AllBlack, 1);
    EXPECT_EQ(B->GetPixel(0, 0), 20u); // (0 + 0 + 40 + 40) / 4
    auto A = Make(3, 1, {0, 40, 80});
    auto Edge = Make(3, 1, {0, 0, 0xFFFFFF});
    A->MaskAntialiasing(*Edge, 1);
    EXPECT_EQ(A->GetPixel(0, 0), 0u);  // diagonal mask neighbours are black
    EXPECT_EQ(A->GetPixel(1, 0), 40u); // next to white: (0 + 0 + 80 + 80) / 4
    EXPECT_EQ(A->GetPixel(2, 0), 80u); // white mask: unchanged
}

TEST(EffectBmp, DrawAndReadBack)
{
    auto E = Make(2, 2, {0x112233, 0x445566, 0x778899, 0xAABBCC});
    platform::TBitmap T;
    T.SetPixelFormat(platform::pf32bit);
    T.SetSize(4, 4);
    E->Draw(T.Canvas()->Handle(), 1, 1);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(T.ScanLine(1))[1] & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(T.ScanLine(2))[2] & 0xFFFFFF, 0xAABBCCu);
    E->DrawRect(T.Canvas()->Handle(), 0, 0, 1, 1, 1, 1);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(T.ScanLine(0))[0] & 0xFFFFFF, 0xAABBCCu);
    E->DrawRect(T.Canvas()->Handle(), 2, 0, 0, 0, 2, 2);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(T.ScanLine(0))[2] & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(T.ScanLine(1))[3] & 0xFFFFFF, 0xAABBCCu);
    E->DrawRect(T.Canvas()->Handle(), 0, 3, 0, 1, 2, 1);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(T.ScanLine(3))[0] & 0xFFFFFF, 0x778899u);
    std::unique_ptr<TbsEffectBmp> Back(TbsEffectBmp::CreateFromhWnd(T.Handle()));
    ASSERT_EQ(Back->Width, 4);
    EXPECT_EQ(Back->GetPixel(2, 2), 0xAABBCCu);
    std::unique_ptr<TbsEffectBmp> Copy(TbsEffectBmp::CreateCopy(*E));
    EXPECT_EQ(Colours(*Copy), Colours(*E));
}

// ---- transitions

TEST(EffectMorph, CrossFade)
{
    struct Case {
        double Kf;
        uint32_t Out;
    };
    for (Case C : {Case{0, G(0)}, Case{1, G(255)}, Case{1.5, G(255)}, Case{-2, G(0)}, Case{0.5, G(128)}}) {
        auto Old = Make(1, 1, {G(0)});
        auto New = Make(1, 1, {G(255)});
        Old->Morph(*New, C.Kf);
        EXPECT_EQ(Old->GetPixel(0, 0), C.Out) << C.Kf;
    }
    auto Other = Make(2, 1, {G(255), G(255)});
    auto Old = Make(1, 1, {G(0)});
    Old->Morph(*Other, 1);
    Old->MorphHGrad(*Other, 1);
    Old->MorphPush(*Other, 1);
    Old->MorphLeftSlide(*Other, 1);
    EXPECT_EQ(Old->GetPixel(0, 0), G(0));
    Old->MorphRect(*Other, 1, Rect(0, 0, 5, 5), 1, 0); // no size check; clipped
    EXPECT_EQ(Old->GetPixel(0, 0), G(255));
}

TEST(EffectMorph, HorizontalGradientFromTheCentre)
{
    auto Old = Make(10, 1, std::vector<uint32_t>(10, G(0)));
    auto New = Make(10, 1, std::vector<uint32_t>(10, G(255)));
    Old->MorphHGrad(*New, 0.4);
    // band 3..7 new; mix(1/3) = 170, mix(2/3) = 85 outwards; column 0 old
    EXPECT_EQ(Colours(*Old), (std::vector<uint32_t>{G(0), G(85), G(170), G(255), G(255), G(255), G(255), G(255),
                                                    G(170), G(85)}));
}

TEST(EffectMorph, VerticalGradientFromTheCentre)
{
    auto Old = Make(1, 9, std::vector<uint32_t>(9, G(0)));
    auto New = Make(1, 9, std::vector<uint32_t>(9, G(255)));
    Old->MorphVGrad(*New, 0.25); // b = 2, g = 3, band 3..5
    EXPECT_EQ(Colours(*Old), (std::vector<uint32_t>{G(0), G(85), G(170), G(255), G(255), G(255), G(170), G(85),
                                                    G(0)}));
    auto Tall = Make(1, 9, std::vector<uint32_t>(9, G(0)));
    Tall->MorphGrad(*New, 0.25); // narrower than high: vertical
    EXPECT_EQ(Colours(*Tall), Colours(*Old));
}

TEST(EffectMorph, EdgeGradients)
{
    auto New = Make(5, 1, std::vector<uint32_t>(5, G(255)));
    auto L = Make(5, 1, std::vector<uint32_t>(5, G(0)));
    L->MorphLeftGrad(*New, 0.4); // b = 2: column 0 new, 1 half, 2 old
    EXPECT_EQ(Colours(*L), (std::vector<uint32_t>{G(255), G(128), G(0), G(0), G(0)}));
    auto R = Make(5, 1, std::vector<uint32_t>(5, G(0)));
    R->MorphRightGrad(*New, 0.4); // c = 3, step 1/2
    EXPECT_EQ(Colours(*R), (std::vector<uint32_t>{G(0), G(0), G(0), G(128), G(255)}));
}

TEST(EffectMorph, PushAndSlides)
{
    auto New = Make(4, 1, {10, 11, 12, 13});
    auto P = Make(4, 1, {1, 2, 3, 4});
    P->MorphPush(*New, 0); // b = 0: new's last column, then the old picture moved right by one
    EXPECT_EQ(Colours(*P), (std::vector<uint32_t>{13, 1, 2, 3}));
    auto P2 = Make(4, 1, {1, 2, 3, 4});
    P2->MorphPush(*New, 0.5); // b = 2
    EXPECT_EQ(Colours(*P2), (std::vector<uint32_t>{11, 12, 13, 1}));
    auto L = Make(4, 1, {1, 2, 3, 4});
    L->MorphLeftSlide(*New, 0); // b raised to 1
    EXPECT_EQ(Colours(*L), (std::vector<uint32_t>{13, 2, 3, 4}));
    auto R = Make(4, 1, {1, 2, 3, 4});
    R->MorphRightSlide(*New, 0.5);
    EXPECT_EQ(Colours(*R), (std::vector<uint32_t>{1, 2, 10, 11}));
}
