#include "skin/core/bseffects.h"
#include "skin/core/bseffects_Link.h"

#include "platform/core/Exceptions.h"
#include "platform/gfx/PngImage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace skin;
using platform::Rect;
using platform::TRect;

namespace {

// A bitmap of the given size whose pixels are given row by row.
std::unique_ptr<TbsBitmap> Make(int AW, int AH, std::vector<TbsColor> APixels = {})
{
    auto B = std::make_unique<TbsBitmap>();
    B->SetSize(AW, AH);
    for (size_t I = 0; I < APixels.size(); ++I)
        B->Bits()[I] = APixels[I];
    return B;
}

std::vector<TbsColor> Pixels(const TbsBitmap& B)
{
    return std::vector<TbsColor>(B.Bits(), B.Bits() + B.Width() * B.Height());
}

// Restores the blend arithmetic chosen at start-up.
struct KernelGuard {
    bool Was = MMXKernelsSelected();
    ~KernelGuard() { SelectPixelKernels(Was); }
};

} // namespace

// ---- pixel kernels

TEST(PixelKernels, BlendPixelTable)
{
    struct Case {
        TbsColor Upper, Lower, Plain, MMX;
    };
    const Case Cases[] = {
        {0x80FF0000, 0xFF0000FF, 0xFF7F007E, 0xBF7F007F},
        {0xFFFFFFFF, 0x00000000, 0xFFFFFFFF, 0xFEFEFEFE},
        {0x00123456, 0x80ABCDEF, 0x80ABCDEF, 0x80ABCDEF},
        {0x40FFFFFF, 0xFF000000, 0xFF3F3F3F, 0xCF3F3F3F},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(PlainBlendPixel(C.Upper, C.Lower), C.Plain) << std::hex << C.Upper;
        EXPECT_EQ(MMXBlendPixel(C.Upper, C.Lower), C.MMX) << std::hex << C.Upper;
    }
}

TEST(PixelKernels, BlendLineShortcutsAgreeInBothForms)
{
    const TbsColor Src[] = {0x00FFFFFF, 0xFF102030, 0x80FF0000};
    for (auto Line : {PlainBlendLine, MMXBlendLine}) {
        TbsColor Dst[] = {0xAA112233, 0x00000000, 0xFF0000FF, 0x12345678};
        Line(Src, Dst, 3);
        EXPECT_EQ(Dst[0], 0xAA112233u);
        EXPECT_EQ(Dst[1], 0xFF102030u);
        EXPECT_EQ(Dst[3], 0x12345678u);
    }
    TbsColor Dst[] = {0, 0, 0xFF0000FF};
    PlainBlendLine(Src, Dst, 3);
    EXPECT_EQ(Dst[2], 0xFF7F007Eu);
    Dst[2] = 0xFF0000FF;
    MMXBlendLine(Src, Dst, 3);
    EXPECT_EQ(Dst[2], 0xBF7F007Fu);
}

// The lines work several pixels at a time; every length and every alpha
// (the shortcuts included) must give what the pixel functions give.
TEST(PixelKernels, BlendLinesEqualTheirPixelFunctions)
{
    uint32_t Seed = 7;
    auto Next = [&] { return Seed = Seed * 1103515245u + 12345u; };
    const struct {
        void (*Line)(const TbsColor*, TbsColor*, int);
        TbsColor (*Pixel)(TbsColor, TbsColor);
    } Forms[] = {{PlainBlendLine, PlainBlendPixel}, {MMXBlendLine, MMXBlendPixel}};
    for (const auto& F : Forms)
        for (int Length = 0; Length <= 19; ++Length) {
            std::vector<TbsColor> Src(size_t(Length) + 1), Dst(Src.size());
            for (size_t I = 0; I < Src.size(); ++I) {
                const TbsColor Alphas[] = {0, 1, 127, 254, 255, Next() >> 24};
                Src[I] = (Alphas[Next() % 6] << 24) | (Next() & 0xFFFFFF);
                Dst[I] = Next();
            }
            std::vector<TbsColor> Expected = Dst;
            for (int I = 0; I < Length; ++I) {
                const TbsColor A = Src[size_t(I)] >> 24;
                Expected[size_t(I)] = A == 255 ? Src[size_t(I)] : A == 0 ? Dst[size_t(I)] : F.Pixel(Src[size_t(I)], Dst[size_t(I)]);
            }
            F.Line(Src.data(), Dst.data(), Length);
            EXPECT_EQ(Dst, Expected) << "length " << Length;
        }
}

TEST(PixelKernels, LineKernels)
{
    const TbsColor Src[] = {0x127F007F, 0x00102030, 0xFF7F007E};
    TbsColor Dst[] = {1, 2, 3};
    KeyCopyLine(Src, Dst, 3);
    EXPECT_EQ(Dst[0], 1u);
    EXPECT_EQ(Dst[1], 0xFF102030u);
    EXPECT_EQ(Dst[2], 0xFF7F007Eu);
    TbsColor Run[] = {0x11223344, 0x7F007F, 0xAA7F007F, 5};
    KeyToAlphaZeroLine(Run, 4, 0xFF7F007F);
    EXPECT_EQ(Run[1], 0x007F007Fu);
    EXPECT_EQ(Run[2], 0x007F007Fu);
    EXPECT_EQ(Run[0], 0x11223344u);
    SetAlphaLine(Run, 2, 0x80);
    EXPECT_EQ(Run[0], 0x80223344u);
    FillLine(Run, 0, 9);
    FillLine(Run, -3, 9);
    EXPECT_EQ(Run[0], 0x80223344u);
    TbsColor Grid[12] = {};
    FillRectKernel(Grid, 4, 3, 7, 2, 2, 1, 1); // rows 1..2, columns 1..2
    EXPECT_EQ(std::vector<TbsColor>(Grid, Grid + 12), (std::vector<TbsColor>{0, 0, 0, 0, 0, 7, 7, 0, 0, 7, 7, 0}));
}

// ---- the bitmap

TEST(SkinBitmap, SizeRules)
{
    TbsBitmap B;
    EXPECT_TRUE(B.Empty());
    EXPECT_EQ(FindBitmapByDC(B.DC()), nullptr);
    B.SetSize(-10, 5);
    EXPECT_EQ(B.Width(), 10);
    EXPECT_EQ(B.Height(), 5);
    EXPECT_EQ(Pixels(B), std::vector<TbsColor>(50, 0));
    EXPECT_EQ(FindBitmapByDC(B.DC()), &B);
    B.Clear(0x12345678);
    B.SetSize(0, 5);
    B.SetSize(10, 5);
    EXPECT_EQ(B.Bits()[49], 0x12345678u);
    B.SetSize(3, 2);
    EXPECT_EQ(B.Width(), 3);
    EXPECT_EQ(FindBitmapByDC(B.DC()), &B);
    B.PutPixel(3, 0, 1);
    B.PutPixel(-1, 0, 1);
    B.PutPixel(2, 1, 0xAB);
    EXPECT_EQ(*B.GetPixelPtr(2, 1), 0xABu);
    EXPECT_EQ(B.GetScanLinePtr(1), B.Bits() + 3);
}

TEST(SkinBitmap, AlphaAndKeyChecks)
{
    auto B = Make(2, 1, {0xFF000000, 0x00000000});
    B->AlphaBlend = true;
    B->CheckingAlphaBlend();
    EXPECT_FALSE(B->AlphaBlend);
    B->Bits()[1] = 0x80000000;
    B->CheckingAlphaBlend(Rect(0, 0, 1, 1)); // the rectangle does not narrow the scan
    EXPECT_TRUE(B->AlphaBlend);

    auto K = Make(2, 1, {0x12FA03FB, 0x12F900FF});
    K->CheckingTransparent(0x00FF00FF);
    EXPECT_TRUE(K->Transparent);
    EXPECT_EQ(Pixels(*K), (std::vector<TbsColor>{0x007F007F, 0x12F900FF}));
    K->CheckingTransparent(0x00000000);
    EXPECT_FALSE(K->Transparent);

    auto P = Make(1, 1, {0x80FF4020});
    P->CheckRGBA();
    EXPECT_EQ(P->Bits()[0], 0x80804020u);
    P->Bits()[0] = 0x80FF4020;
    P->CheckRGBA2();
    EXPECT_EQ(P->Bits()[0], 0x80802010u);
}

TEST(SkinBitmap, SetAlphaClipsItsRectangle)
{
    auto B = Make(3, 2);
    B->SetAlpha(0x40, Rect(-5, 1, 2, 9));
    EXPECT_EQ(Pixels(*B), (std::vector<TbsColor>{0, 0, 0, 0x40000000, 0x40000000, 0}));
    B->SetAlpha(0x10, Rect(1, 1, 1, 2));
    EXPECT_EQ(B->Bits()[4], 0x40000000u);
    B->SetAlpha(0xFF);
    EXPECT_EQ(B->Bits()[0], 0xFF000000u);
}

TEST(SkinBitmap, ColourAdjustmentsSkipHiddenPixels)
{
    auto B = Make(3, 1, {0x00102030, 0xFF102030, 0x80F00A05});
    B->ChangeBitmapBrightness(20);
    EXPECT_EQ(Pixels(*B), (std::vector<TbsColor>{0x00102030, 0xFF243444, 0x80FF1E19}));
    B->ChangeBitmapBrightness(-300);
    EXPECT_EQ(Pixels(*B), (std::vector<TbsColor>{0x00102030, 0xFF000000, 0x80000000}));

    // Pure red: hue 0, saturation 1, lightness 0.5. Hue 85 / 255 = 1/3 is green.
    auto H = Make(1, 1, {0x7FFF0000});
    H->SetBitmapHue(85);
    EXPECT_EQ(H->Bits()[0], 0x7F00FF00u);
    H->ChangeBitmapHue(85); // 85 + 85 = 170: blue
    EXPECT_EQ(H->Bits()[0], 0x7F0000FFu);
    H->ChangeBitmapHue(86); // 170 + 86 = 256 wraps to 1, just off red
    EXPECT_EQ(H->Bits()[0], 0x7FFF0600u);
}

TEST(SkinBitmap, SaturationWrapsAroundInsteadOfClamping)
{
    // (255, 0, 0) has saturation 1 (255); +1 gives 256, which wraps to 1:
    // lightness 0.5, saturation 1/255 is almost grey.
    auto B = Make(1, 1, {0xFFFF0000});
    B->ChangeBitmapSat(1);
    float H, S, L;
    RGBToHSL(B->Bits()[0], H, S, L);
    EXPECT_EQ(B->Bits()[0], 0xFF807F7Fu);
    EXPECT_NEAR(S, 1.0 / 255, 0.005);
}

TEST(SkinBitmap, HslRoundTripTable)
{
    for (TbsColor C : {0xFF000000u, 0xFFFFFFFFu, 0xFF808080u, 0xFF336699u, 0xFFFF8000u, 0xFF10E020u}) {
        float H, S, L;
        RGBToHSL(C, H, S, L);
        EXPECT_EQ(HSLToRGB(L, S, H), C) << std::hex << C;
    }
}

TEST(SkinBitmap, FlipAndReflection)
{
    auto B = Make(1, 4, {0xFF000001, 0xFF000002, 0xFF000003, 0x00000004});
    B->FlipVert();
    EXPECT_EQ(Pixels(*B), (std::vector<TbsColor>{0x00000004, 0xFF000003, 0xFF000002, 0xFF000001}));
    auto R = Make(1, 4, {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000});
    R->Reflection();
    EXPECT_EQ(Pixels(*R), (std::vector<TbsColor>{0x55000000, 0x2A000000, 0, 0}));
    auto R3 = Make(1, 4, {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000});
    R3->Reflection3();
    EXPECT_EQ(R3->Bits()[0], 0x7F000000u);
    EXPECT_EQ(R3->Bits()[1], 0x40000000u); // round(127.5) = 128, div 2
}

TEST(SkinBitmap, EmptyBitmapOperationsChangeNothing)
{
    TbsBitmap B, T;
    T.SetSize(2, 2);
    B.Clear(1);
    B.SetAlpha(3);
    B.CheckingAlphaBlend();
    B.CheckingTransparent(0);
    B.FlipVert();
    B.Reflection();
    B.FillRect(Rect(0, 0, 5, 5), 1);
    B.Draw(T, 0, 0);
    B.Draw(T.DC(), 0, 0);
    EXPECT_FALSE(B.AlphaBlend);
    EXPECT_FALSE(B.Transparent);
    EXPECT_EQ(Pixels(T), std::vector<TbsColor>(4, 0));
}

TEST(SkinBitmap, StubPrimitivesDrawNothing)
{
    auto B = Make(2, 2, {1, 2, 3, 4});
    TRect R = Rect(0, 0, 2, 2);
    B->DrawRect(R, 0xFFFFFFFF);
    B->FillGradientRect(R, 1, 2, true);
    B->LineTo(1, 1, 5);
    EXPECT_EQ(B->DrawText("x", R, 0), 0);
    EXPECT_EQ(B->TextWidth("x", 0), 0);
    EXPECT_EQ(B->TextHeight("x"), 0);
    EXPECT_EQ(Pixels(*B), (std::vector<TbsColor>{1, 2, 3, 4}));
}

TEST(SkinBitmap, AssignCopiesPixelsNameAndFlags)
{
    auto S = Make(2, 1, {0x11, 0x80000022});
    S->Name = "glow";
    S->AlphaBlend = true;
    TbsBitmap D;
    D.Assign(S.get());
    EXPECT_EQ(Pixels(D), Pixels(*S));
    EXPECT_EQ(D.Name, "glow");
    EXPECT_TRUE(D.AlphaBlend);
    TbsBitmap Empty;
    D.Assign(&Empty); // no pixels to give: the old ones stay
    EXPECT_EQ(Pixels(D), Pixels(*S));
}

TEST(SkinBitmap, AssignFromPlatformBitmaps)
{
    platform::TBitmap B24;
    B24.SetPixelFormat(platform::pf24bit);
    B24.SetSize(2, 1);
    B24.ScanLine(0)[0] = 0x30; // blue of pixel 0
    TbsBitmap D;
    D.Assign(&B24);
    EXPECT_EQ(Pixels(D), (std::vector<TbsColor>{0xFF000030, 0xFF000000}));
    EXPECT_FALSE(D.AlphaBlend);

    platform::TBitmap B32;
    B32.SetPixelFormat(platform::pf32bit);
    B32.SetSize(2, 1);
    auto* Row = reinterpret_cast<uint32_t*>(B32.ScanLine(0));
    Row[0] = 0x80102030;
    Row[1] = 0xFF000000;
    D.Assign(&B32);
    EXPECT_EQ(Pixels(D), (std::vector<TbsColor>{0x80102030, 0xFF000000}));
    EXPECT_TRUE(D.AlphaBlend);

    platform::TBitmap Back;
    D.AlphaBlend = false;
    Back.Assign(&D);
    EXPECT_EQ(Back.Width(), 2);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(Back.ScanLine(0))[0], 0x80102030u);

    platform::TFont NotAGraphic;
    EXPECT_THROW(D.Assign(&NotAGraphic), platform::EConvertError);
}

TEST(SkinBitmap, AssignFromOtherGraphicsKeepsWhatIsSeeThrough)
{
    // A PNG with a fully transparent pixel: rendered over magenta, that pixel
    // stays magenta and is not copied, so the old pixel stays; all end opaque.
    platform::TPngImage Png;
    platform::TImageData D;
    D.Width = 2;
    D.Height = 1;
    D.Pixels = {0xFF102030, 0x00000000};
    D.HasAlpha = true;
    Png.SetImage(D);
    auto B = Make(2, 1, {0x11111111, 0x22222222});
    B->Assign(&Png);
    EXPECT_EQ(Pixels(*B), (std::vector<TbsColor>{0xFF102030, 0xFF222222}));

    platform::TPicture Pic;
    B->AlphaBlend = false;
    Pic.Assign(B.get());
    ASSERT_NE(Pic.Graphic(), nullptr);
    EXPECT_EQ(Pic.Width(), 2);
    TbsBitmap Back;
    Back.Assign(&Pic); // a picture holding a bitmap goes through a plain copy
    EXPECT_EQ(Pixels(Back), (std::vector<TbsColor>{0xFF102030, 0xFF222222}));
    platform::TPicture Nothing;
    Back.Assign(&Nothing); // no graphic: unchanged
    EXPECT_EQ(Back.Width(), 2);
}

TEST(SkinBitmap, PicturesBesideAModule)
{
    testsupport::TTempDir Dir;
    platform::TBitmap Bmp;
    Bmp.SetPixelFormat(platform::pf24bit);
    Bmp.SetSize(3, 2);
    Bmp.ScanLine(1)[2] = 0x7F;
    Bmp.SaveToFile(Dir.File("ARROW.bmp"));
    TbsBitmap B;
    B.LoadFromResource(Dir.File("module.so"), "MISSING");
    EXPECT_TRUE(B.Empty());
    testsupport::WriteFile(Dir.File("module.so"), "x");
    B.LoadFromResource(Dir.File("module.so"), "ARROW");
    ASSERT_EQ(B.Width(), 3);
    EXPECT_EQ(*B.GetPixelPtr(0, 1), 0xFF7F0000u); // byte 2 of a 24-bit row is the first pixel's red
    EXPECT_EQ(*B.GetPixelPtr(1, 1), 0xFF000000u);
}

TEST(SkinBitmap, StreamRoundTripAndBottomUpRows)
{
    auto B = Make(2, 2, {1, 2, 3, 4});
    B->Name = "piece";
    platform::TMemoryStream S;
    B->SaveToStream(S);
    EXPECT_EQ(S.Size(), 4 + 10 + 8 + 16);
    S.SetPosition(0);
    TbsBitmap L;
    L.LoadFromStream(S);
    EXPECT_EQ(L.Name, "piece");
    EXPECT_EQ(Pixels(L), (std::vector<TbsColor>{1, 2, 3, 4}));

    // A stored height of -2 means rows bottom-up.
    S.SetPosition(4 + 10 + 4);
    int32_t Neg = -2;
    S.WriteBuffer(&Neg, 4);
    S.SetPosition(0);
    L.LoadFromStream(S);
    EXPECT_EQ(Pixels(L), (std::vector<TbsColor>{3, 4, 1, 2}));

    // A size promising more pixels than the stream holds is refused.
    platform::TMemoryStream Bad;
    WriteStreamString(Bad, "x");
    int32_t Huge[2] = {100000, 100000};
    Bad.WriteBuffer(Huge, 8);
    Bad.SetPosition(0);
    EXPECT_THROW(L.LoadFromStream(Bad), platform::EReadError);
}

TEST(SkinBitmap, PcxRunLengthPicture)
{
    // 3 x 2, 8 bits, run-length, palette at the end.
    std::vector<uint8_t> Data(128, 0);
    Data[0] = 10;
    Data[1] = 5;
    Data[2] = 1;
    Data[3] = 8;
    Data[8] = 2; // XMax
    Data[10] = 1; // YMax
    Data[65] = 1;
    Data[66] = 4; // bytes per line (padded)
    // row 0: 1 1 1 2, row 1: 2 2 1 1, then the palette marker
    for (uint8_t B : {0xC3, 1, 2, 0xC2, 2, 0xC2, 1, 12})
        Data.push_back(B);
    std::vector<uint8_t> Pal(768, 0);
    Pal[3] = 0xFF;                 // colour 1 red
    Pal[6 + 2] = 0xFF;             // colour 2 blue
    Data.insert(Data.end(), Pal.begin(), Pal.end());
    platform::TMemoryStream S;
    S.WriteBuffer(Data.data(), int64_t(Data.size()));
    S.SetPosition(0);
    TbsBitmap B;
    B.LoadFromPcxStream(S);
    ASSERT_EQ(B.Width(), 3);
    ASSERT_EQ(B.Height(), 2);
    EXPECT_EQ(std::vector<TbsColor>(B.Bits(), B.Bits() + 6),
              (std::vector<TbsColor>{0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFF0000FF, 0xFF0000FF, 0xFFFF0000}));

    platform::TMemoryStream NotPcx;
    NotPcx.WriteBuffer(std::vector<uint8_t>(200, 7).data(), 200);
    NotPcx.SetPosition(0);
    B.LoadFromPcxStream(NotPcx);
    EXPECT_EQ(B.Width(), 3);
}

// ---- transfers

TEST(BitmapTransfers, SampleColumnsTruncatedForBitmapsRoundedForDibs)
{
    auto Src = Make(2, 1, {0xFF0000AA, 0xFF0000BB});
    auto Dst = Make(4, 1);
    Src->Draw(*Dst, Rect(0, 0, 4, 1));
    EXPECT_EQ(Pixels(*Dst), (std::vector<TbsColor>{0xFF0000AA, 0xFF0000AA, 0xFF0000AA, 0xFF0000BB}));

    std::vector<TbsColor> Dib(4, 0);
    DibCopy(Dib.data(), Rect(0, 0, 4, 1), Rect(0, 0, 4, 1), Rect(0, 0, 2, 1), *Src, 1, 4);
    EXPECT_EQ(Dib, (std::vector<TbsColor>{0xFF0000AA, 0xFF0000AA, 0xFF0000BB, 0xFF0000BB}));
}

TEST(BitmapTransfers, OnePixelWideTargetTakesTheMiddleColumn)
{
    auto Src = Make(5, 1, {1, 2, 3, 4, 5});
    auto Dst = Make(1, 1);
    BitmapCopy(*Dst, Rect(0, 0, 1, 1), Rect(0, 0, 1, 1), Rect(1, 0, 5, 1), *Src);
    EXPECT_EQ(Dst->Bits()[0], 3u); // (1 + 5 - 1) div 2 = 2
}

TEST(BitmapTransfers, SourceOutsideDrawsNothingTargetOutsideIsCut)
{
    auto Src = Make(2, 2, {1, 2, 3, 4});
    auto Dst = Make(2, 2);
    Src->Draw(*Dst, Rect(0, 0, 2, 2), Rect(1, 0, 3, 2));
    EXPECT_EQ(Pixels(*Dst), std::vector<TbsColor>(4, 0));
    Src->Draw(*Dst, -1, 1);
    EXPECT_EQ(Pixels(*Dst), (std::vector<TbsColor>{0, 0, 2, 0}));
    // Scaled and partly outside: the matching part of the source.
    auto Big = Make(2, 2);
    Src->Draw(*Big, Rect(-2, -2, 2, 2));
    EXPECT_EQ(Pixels(*Big), (std::vector<TbsColor>{1, 2, 3, 4}));
}

TEST(BitmapTransfers, UpscaledDibRowsRepeatTheRowAbove)
{
    auto Src = Make(1, 2, {7, 9});
    std::vector<TbsColor> Dib(4, 0);
    // Bottom-up memory: target row 0 is the last memory row.
    DibCopy(Dib.data(), Rect(0, 0, 1, 4), Rect(0, 0, 1, 4), Rect(0, 0, 1, 2), *Src, 4, 1);
    // rows sample 0, 0.33, 0.67, 1 -> 0, 0, 1, 1
    EXPECT_EQ(Dib, (std::vector<TbsColor>{9, 9, 7, 7}));
}

TEST(BitmapTransfers, DrawPicksTheTransferFromTheFlags)
{
    KernelGuard G;
    SelectPixelKernels(false);
    auto Src = Make(2, 1, {0x80FF0000, 0x007F007F});
    auto Dst = Make(2, 1, {0xFF0000FF, 0xFF0000FF});
    Src->Draw(*Dst, 0, 0);
    EXPECT_EQ(Pixels(*Dst), (std::vector<TbsColor>{0x80FF0000, 0x007F007F}));
    Dst->Clear(0xFF0000FF);
    Src->Transparent = true;
    Src->Draw(*Dst, 0, 0);
    EXPECT_EQ(Pixels(*Dst), (std::vector<TbsColor>{0xFFFF0000, 0xFF0000FF}));
    Dst->Clear(0xFF0000FF);
    Src->AlphaBlend = true; // both flags: blending wins
    Src->Draw(*Dst, 0, 0);
    EXPECT_EQ(Pixels(*Dst), (std::vector<TbsColor>{0xFF7F007E, 0xFF0000FF}));
    SelectPixelKernels(true);
    Dst->Clear(0xFF0000FF);
    Src->Draw(*Dst, 0, 0);
    EXPECT_EQ(Pixels(*Dst), (std::vector<TbsColor>{0xBF7F007F, 0xFF0000FF}));
}

TEST(BitmapTransfers, CanvasOfAnotherSkinBitmapIsDrawnInMemoryWithItsOrigin)
{
    KernelGuard G;
    SelectPixelKernels(false);
    auto Src = Make(1, 1, {0x80FF0000});
    Src->AlphaBlend = true;
    auto Dst = Make(3, 1, {0xFF0000FF, 0xFF0000FF, 0xFF0000FF});
    platform::SetWindowOrgEx(Dst->Canvas()->Handle(), -1, 0, nullptr);
    Src->Draw(Dst->Canvas(), 1, 0);
    EXPECT_EQ(Pixels(*Dst), (std::vector<TbsColor>{0xFF0000FF, 0xFF0000FF, 0xFF7F007E}));
}

TEST(BitmapTransfers, DrawIntoPlatformCanvas)
{
    auto Src = Make(2, 1, {0xFF112233, 0x007F007F});
    platform::TBitmap T;
    T.SetPixelFormat(platform::pf32bit);
    T.SetSize(2, 1);
    auto* Row = reinterpret_cast<uint32_t*>(T.ScanLine(0));
    Row[0] = Row[1] = 0xFF445566;
    Src->Transparent = true;
    Src->Draw(T.Canvas(), 0, 0);
    EXPECT_EQ(Row[0] & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(Row[1], 0xFF445566u);
    Row[0] = Row[1] = 0xFF0000FF;
    Src->Transparent = false;
    Src->Bits()[0] = 0x80FF0000;
    Src->AlphaBlend = true;
    KernelGuard G;
    SelectPixelKernels(false);
    Src->Draw(T.Canvas(), 0, 0);
    EXPECT_EQ(Row[0], 0xFF7F007Eu);
}

TEST(BitmapTransfers, TileCutsTheLastColumnAndRow)
{
    std::vector<TbsColor> P(100);
    for (int I = 0; I < 100; ++I)
        P[size_t(I)] = TbsColor(I + 1);
    auto Src = Make(10, 10, P);
    auto Dst = Make(27, 16);
    Src->Tile(*Dst, Rect(1, 1, 26, 16), Rect(0, 0, 10, 10));
    for (int Y = 0; Y < 16; ++Y)
        for (int X = 0; X < 27; ++X) {
            TbsColor Want = X >= 1 && X < 26 && Y >= 1 ? TbsColor((Y - 1) % 10 * 10 + (X - 1) % 10 + 1) : 0;
            ASSERT_EQ(*Dst->GetPixelPtr(X, Y), Want) << X << "," << Y;
        }
    // With a clip only touching tiles are drawn, whole.
    Dst->Clear(0);
    Src->TileClip(*Dst, Rect(0, 0, 25, 15), Rect(12, 2, 13, 3), Rect(0, 0, 10, 10));
    EXPECT_EQ(*Dst->GetPixelPtr(10, 0), 1u);
    EXPECT_EQ(*Dst->GetPixelPtr(19, 9), 100u);
    EXPECT_EQ(*Dst->GetPixelPtr(9, 0), 0u);
    EXPECT_EQ(*Dst->GetPixelPtr(10, 10), 0u);
}

TEST(BitmapTransfers, TileIntoBottomUpDibWritesItsMemory)
{
    platform::BITMAPINFO Info;
    Info.bmiHeader.biWidth = 3;
    Info.bmiHeader.biHeight = 2; // bottom-up
    Info.bmiHeader.biBitCount = 32;
    void* Bits = nullptr;
    auto Dib = platform::CreateDIBSection(nullptr, &Info, platform::DIB_RGB_COLORS, &Bits);
    auto DC = platform::CreateCompatibleDC(nullptr);
    platform::SelectObject(DC, Dib);
    auto Src = Make(2, 1, {5, 6});
    Src->Tile(DC, Rect(0, 0, 3, 1), Rect(0, 0, 2, 1));
    auto* Mem = static_cast<TbsColor*>(Bits);
    // Memory row 1 is the top row.
    EXPECT_EQ(std::vector<TbsColor>(Mem, Mem + 6), (std::vector<TbsColor>{0, 0, 0, 5, 6, 5}));
    platform::DeleteDC(DC);
    platform::DeleteObject(Dib);
}

TEST(BitmapTransfers, MergeDrawPutsTheSourceUnderneath)
{
    KernelGuard G;
    SelectPixelKernels(false);
    auto Src = Make(3, 1, {0xFF0000FF, 0xFF0000FF, 0xFF0000FF});
    auto Dst = Make(3, 1, {0xFFFF0000, 0x00000000, 0x80FF0000});
    Dst->MergeDraw(*Src, 0, 0, Rect(0, 0, 3, 1));
    EXPECT_EQ(Pixels(*Dst), (std::vector<TbsColor>{0xFFFF0000, 0xFF0000FF, 0xFF7F007E}));
    auto Shifted = Make(3, 1);
    Src->Bits()[0] = 0xFF000001;
    Shifted->MergeDraw(*Src, 0, 0, Rect(-1, 0, 2, 1));
    EXPECT_EQ(Pixels(*Shifted), (std::vector<TbsColor>{0, 0xFF000001, 0xFF0000FF}));
}

TEST(BitmapTransfers, FillRectRawOrBlended)
{
    KernelGuard G;
    SelectPixelKernels(false);
    auto B = Make(2, 2, {0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF});
    B->FillRect(Rect(5, 5, 9, 9), 0x12345678);
    B->FillRect(Rect(-1, -1, 1, 1), 0x007F007F);
    EXPECT_EQ(Pixels(*B), (std::vector<TbsColor>{0x007F007F, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF}));
    B->AlphaBlend = true;
    B->FillRect(Rect(1, 1, 2, 2), 0x80FF0000);
    EXPECT_EQ(B->Bits()[3], 0xFF7F007Eu);
}

// ---- links, stream strings, rectangle texts

TEST(BitmapLink, RectangleTexts)
{
    struct Case {
        const char* Text;
        TRect Want;
    };
    const Case Cases[] = {
        {"10, 20, 30, 40", Rect(10, 20, 30, 40)}, {"10;20;30;40", Rect(10, 20, 30, 40)},
        {"(10,20,30,40)", TRect{}},               {"10,,20,30,40", TRect{}},
        {"10, 20, 30", TRect{}},                  {"a, 1, 2, 3", TRect{}},
        {"-1=2:3 4", Rect(-1, 2, 3, 4)},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(StrToRect(C.Text), C.Want) << C.Text;
}

TEST(BitmapLink, StreamsAndNames)
{
    platform::TMemoryStream S;
    WriteStreamString(S, "abcde");
    EXPECT_EQ(S.Size(), 14);
    auto B = Make(2, 2);
    B->Name = "sheet";
    auto L = B->GetBitmapLink("1, 2, 3, 4");
    EXPECT_EQ(L->Name, "sheet");
    EXPECT_EQ(L->Image, B.get());
    EXPECT_EQ(L->Rect, Rect(1, 2, 3, 4));
    L->Name = "名字";
    L->SaveToStream(S);
    S.SetPosition(0);
    std::string Back;
    ReadStreamString(S, Back);
    EXPECT_EQ(Back, "abcde");
    TbsBitmapLink M;
    M.LoadFromStream(S);
    EXPECT_EQ(M.Name, "名字");
    EXPECT_EQ(M.Rect, Rect(1, 2, 3, 4));
    EXPECT_FALSE(M.Assigned()); // no image
    M.Assign(L.get());
    EXPECT_TRUE(M.Assigned());
}

TEST(BitmapLink, MaskedAreas)
{
    auto B = Make(10, 10, std::vector<TbsColor>(100, 0xFF000000));
    auto L = B->GetBitmapLink(Rect(0, 0, 10, 10));
    L->CheckingMasked();
    EXPECT_FALSE(L->Masked());
    B->Bits()[55] = 0x33333333;
    L->CheckingMasked();
    EXPECT_FALSE(L->Masked());
    B->Bits()[55] = 0x007F007F;
    L->CheckingMasked();
    EXPECT_TRUE(L->Masked());
    B->Bits()[55] = 0xFF000000;

    struct Case {
        int X, Y;
        bool Angles, Border, Centre;
    };
    const Case Cases[] = {{9, 0, true, false, false}, {5, 0, false, true, false}, {5, 5, false, false, true}};
    for (const Case& C : Cases) {
        B->Bits()[size_t(C.Y * 10 + C.X)] = 0x80000000;
        L->CheckingMasked(Rect(2, 2, 2, 2));
        EXPECT_EQ(L->MaskedAngles(), C.Angles) << C.X << "," << C.Y;
        EXPECT_EQ(L->MaskedBorder(), C.Border) << C.X << "," << C.Y;
        EXPECT_EQ(L->Masked(), C.Centre) << C.X << "," << C.Y;
        B->Bits()[size_t(C.Y * 10 + C.X)] = 0xFF000000;
    }
    // Outside the image pixels read as 0: see-through.
    L->Rect = Rect(9, 9, 11, 11);
    L->CheckingMasked();
    EXPECT_TRUE(L->Masked());
}

TEST(BitmapLink, DrawsItsPiece)
{
    auto B = Make(2, 1, {1, 2});
    auto L = B->GetBitmapLink(Rect(1, 0, 2, 1));
    auto T = Make(2, 1);
    L->Draw(*T, 0, 0);
    EXPECT_EQ(Pixels(*T), (std::vector<TbsColor>{2, 0}));
    L->Rect = Rect(1, 0, 1, 1);
    L->Draw(*T, 1, 0);
    EXPECT_EQ(Pixels(*T), (std::vector<TbsColor>{2, 0}));
}

// ---- blur and alpha from grey

TEST(BitmapBlur, TriangleKernelOnOneRow)
{
    auto B = Make(3, 1, {0x00000010, 0x00000020, 0x000000F0});
    BlurBitmap(*B, 1);
    // (3a + b) div 4, (a + 2b + c) div 4, (b + 3c) div 4
    EXPECT_EQ(Pixels(*B), (std::vector<TbsColor>{0xFF000014, 0xFF000050, 0xFF0000BC}));
    auto U = Make(4, 3, std::vector<TbsColor>(12, 0x40123456));
    BlurBitmap(*U, 2);
    EXPECT_EQ(Pixels(*U), std::vector<TbsColor>(12, 0xFF123456));
    auto N = Make(1, 1, {0x40123456});
    BlurBitmap(*N, 0);
    EXPECT_EQ(N->Bits()[0], 0x40123456u);
}

TEST(BitmapBlur, MatchesTheDirectSumOnARandomPicture)
{
    const int W = 7, H = 5, R = 3;
    std::vector<TbsColor> P(W * H);
    uint32_t Seed = 12345;
    for (auto& C : P)
        C = (Seed = Seed * 1103515245 + 12345) >> 8;
    auto B = Make(W, H, P);
    BlurBitmap(*B, R);
    auto Ch = [&](int X, int Y, int S) { return int((P[size_t(Y * W + X)] >> S) & 0xFF); };
    const int D = (R + 1) * (R + 1);
    for (int S = 0; S < 24; S += 8)
        for (int Y = 0; Y < H; ++Y)
            for (int X = 0; X < W; ++X) {
                int V = 0;
                for (int K = -R; K <= R; ++K) {
                    int YY = std::clamp(Y + K, 0, H - 1), Hs = 0;
                    for (int J = -R; J <= R; ++J)
                        Hs += (R + 1 - std::abs(J)) * Ch(std::clamp(X + J, 0, W - 1), YY, S);
                    V += (R + 1 - std::abs(K)) * (Hs / D);
                }
                ASSERT_EQ(int((*B->GetPixelPtr(X, Y) >> S) & 0xFF), V / D) << X << "," << Y << "," << S;
            }
}

TEST(BitmapBlur, AlphaFromGrey)
{
    auto B = Make(2, 1, {0xFFFFFFFF, 0xFFFFFFFF});
    auto M = Make(1, 1, {0x000A141F}); // (10, 20, 31): 61 div 3 = 20
    AlphaFromGrayBitmap(*B, *M);      // the mask is smaller: only the common part
    EXPECT_EQ(Pixels(*B), (std::vector<TbsColor>{0x14FFFFFF, 0xFFFFFFFF}));
    auto G = Make(1, 1, {0x00808080});
    AlphaFromGrayBitmapPremul(*B, *G);
    EXPECT_EQ(B->Bits()[0], 0x80808080u);
}

TEST(ColourHelpers, Conversions)
{
    EXPECT_EQ(TColorToBsColor(0x00332211), 0xFF112233u);
    EXPECT_EQ(ColorToBsColor(0x00332211, 0x40), 0x40112233u);
    EXPECT_EQ(MakeBsColor(300, -5, 7, 9), 0x09FF0007u);
}
