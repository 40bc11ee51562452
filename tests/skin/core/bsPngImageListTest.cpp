#include "skin/core/bsPngImageList.h"

#include <gtest/gtest.h>

#include <png.h>

#include <csetjmp>
#include <string>
#include <vector>

using namespace skin;

namespace {

struct TPngSpec {
    int ColorType;
    std::vector<uint8_t> Samples; // one row, 8 bits per sample
    std::vector<png_color> Palette;
    std::vector<uint8_t> TrnsAlpha; // palette entries' alpha
    bool TrnsColor = false;         // the first pixel's colour is transparent
};

int Channels(int AColorType)
{
    switch (AColorType) {
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
    }
}

void AppendToString(png_structp APng, png_bytep AData, size_t ALength)
{
    static_cast<std::string*>(png_get_io_ptr(APng))->append(reinterpret_cast<const char*>(AData), ALength);
}

// A one-row PNG file of the given colour type, written by libpng itself.
std::string MakePng(const TPngSpec& S)
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "libpng failed";
        return "";
    }
    const int width = int(S.Samples.size()) / Channels(S.ColorType);
    png_set_write_fn(png, &out, AppendToString, nullptr);
    png_set_IHDR(png, info, png_uint_32(width), 1, 8, S.ColorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!S.Palette.empty())
        png_set_PLTE(png, info, S.Palette.data(), int(S.Palette.size()));
    if (!S.TrnsAlpha.empty())
        png_set_tRNS(png, info, S.TrnsAlpha.data(), int(S.TrnsAlpha.size()), nullptr);
    png_color_16 key{};
    if (S.TrnsColor) {
        key.gray = S.Samples[0];
        if (S.ColorType == PNG_COLOR_TYPE_RGB)
            key = png_color_16{0, S.Samples[0], S.Samples[1], S.Samples[2], 0};
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    std::vector<uint8_t> row = S.Samples;
    png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

void LoadPng(platform::TPngImage& APng, const std::string& AFile)
{
    platform::TMemoryStream stream;
    stream.WriteBuffer(AFile.data(), int64_t(AFile.size()));
    stream.SetPosition(0);
    APng.LoadFromStream(stream);
}

std::vector<int> Alphas(const platform::TPngImage& APng)
{
    std::vector<int> alphas;
    for (uint32_t pixel : APng.Image().Pixels)
        alphas.push_back(int(pixel >> 24));
    return alphas;
}

const png_color Red{255, 0, 0}, Blue{0, 0, 255};

// An opaque red pixel and a half-transparent blue one.
std::string RedAndBlue()
{
    return MakePng({PNG_COLOR_TYPE_RGB_ALPHA, {255, 0, 0, 255, 0, 0, 255, 128}, {}, {}});
}

// A white 32-bit surface of the list's size.
std::unique_ptr<platform::TBitmap> WhiteSurface(int AWidth, int AHeight)
{
    auto surface = std::make_unique<platform::TBitmap>();
    surface->SetPixelFormat(platform::pf32bit);
    surface->SetSize(AWidth, AHeight);
    surface->Canvas()->Brush()->SetColor(platform::clWhite);
    surface->Canvas()->FillRect(platform::TRect{0, 0, AWidth, AHeight});
    return surface;
}

// Red, green and blue of a pixel of a 32-bit surface.
std::vector<int> Rgb(platform::TBitmap& ASurface, int X, int Y)
{
    const uint8_t* p = ASurface.ScanLine(Y) + X * 4;
    return {p[2], p[1], p[0]};
}

void ExpectNear(const std::vector<int>& AActual, const std::vector<int>& AExpected)
{
    ASSERT_EQ(AActual.size(), AExpected.size());
    for (size_t i = 0; i < AActual.size(); ++i)
        EXPECT_NEAR(AActual[i], AExpected[i], 2) << "channel " << i;
}

} // namespace

TEST(PngImageList, ItemsKeepOnePlaceholderEach)
{
    TbsPngImageList list(nullptr);
    EXPECT_EQ(list.PngWidth(), 16);
    EXPECT_EQ(list.PngHeight(), 16);
    EXPECT_EQ(list.Count(), 0);
    for (int i = 0; i < 3; ++i)
        list.PngImages().Add();
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.PngImages().Items(2)->Name, "PngImage2");
    EXPECT_EQ(list.PngImages().Items(2)->GetDisplayName(), "PngImage2");
    list.PngImages().Items(2)->Name.clear();
    EXPECT_EQ(list.PngImages().Items(2)->GetDisplayName(), "TbsPngImageItem");
    list.PngImages().Delete(1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.PngImages().Items(0)->Name, "PngImage0");
    EXPECT_THROW(list.PngImages().Items(2), platform::EListError);
    EXPECT_EQ(list.PngImages().GetOwner(), &list);
}

TEST(PngImageList, ANewSizeClearsTheItemsExceptWhileLoading)
{
    TbsPngImageList list(nullptr);
    list.PngImages().Add();
    list.PngImages().Add();
    list.SetPngWidth(16);
    EXPECT_EQ(list.PngImages().Count(), 2) << "the same size keeps them";
    list.SetLoading(true);
    list.SetPngWidth(24);
    list.SetPngHeight(32);
    list.SetLoading(false);
    EXPECT_EQ(list.PngWidth(), 24);
    EXPECT_EQ(list.PngHeight(), 32);
    EXPECT_EQ(list.PngImages().Count(), 2);
    EXPECT_EQ(list.Count(), 2);
    list.SetPngHeight(48);
    EXPECT_EQ(list.PngImages().Count(), 0);
    EXPECT_EQ(list.Count(), 0);
}

TEST(PngImageList, DrawsWithAlphaAndHalfTransparentWhenDisabled)
{
    TbsPngImageList list(nullptr);
    list.SetPngWidth(2);
    list.SetPngHeight(1);
    TbsPngImageItem* item = list.PngImages().Add();
    LoadPng(*item->PngImage(), RedAndBlue());
    const std::vector<uint32_t> before = item->PngImage()->Image().Pixels;

    auto enabled = WhiteSurface(4, 2);
    list.Draw(enabled->Canvas(), 1, 1, 0, true);
    ExpectNear(Rgb(*enabled, 0, 0), {255, 255, 255});
    ExpectNear(Rgb(*enabled, 1, 1), {255, 0, 0});
    ExpectNear(Rgb(*enabled, 2, 1), {127, 127, 255});
    ExpectNear(Rgb(*enabled, 3, 1), {255, 255, 255});

    auto disabled = WhiteSurface(4, 2);
    list.Draw(disabled->Canvas(), 1, 1, 0, false);
    ExpectNear(Rgb(*disabled, 1, 1), {255, 127, 127}); // alpha 128
    ExpectNear(Rgb(*disabled, 2, 1), {191, 191, 255}); // alpha 64
    EXPECT_EQ(item->PngImage()->Image().Pixels, before) << "the item's picture is not changed";

    auto outside = WhiteSurface(4, 2);
    list.Draw(outside->Canvas(), 1, 1, 1, true);
    ExpectNear(Rgb(*outside, 1, 1), {255, 255, 255});
}

TEST(PngImageList, TheDisabledLookOfEveryColourType)
{
    using T = TPngSpec;
    const struct {
        const char* What;
        TPngSpec Png;
        std::vector<int> Alphas;
    } cases[] = {
        {"RGBA", T{PNG_COLOR_TYPE_RGB_ALPHA, {9, 9, 9, 255, 9, 9, 9, 254, 9, 9, 9, 1, 9, 9, 9, 3}, {}, {}},
         {128, 127, 0, 2}},
        {"grey with alpha", T{PNG_COLOR_TYPE_GRAY_ALPHA, {10, 255, 20, 3}, {}, {}}, {128, 2}},
        {"RGB", T{PNG_COLOR_TYPE_RGB, {255, 0, 0, 0, 0, 255}, {}, {}}, {128, 128}},
        {"RGB with a transparent colour", T{PNG_COLOR_TYPE_RGB, {255, 0, 0, 0, 0, 255}, {}, {}, true}, {0, 128}},
        {"grey", T{PNG_COLOR_TYPE_GRAY, {0, 255}, {}, {}}, {127, 127}},
        {"grey with a transparent grey", T{PNG_COLOR_TYPE_GRAY, {0, 255}, {}, {}, true}, {0, 127}},
        {"palette", T{PNG_COLOR_TYPE_PALETTE, {0, 1}, {Red, Blue}, {}}, {127, 127}},
        {"palette with a transparent entry", T{PNG_COLOR_TYPE_PALETTE, {0, 1}, {Red, Blue}, {0}}, {0, 127}},
        {"palette with a partly transparent entry", T{PNG_COLOR_TYPE_PALETTE, {0, 1}, {Red, Blue}, {255, 100}},
         {127, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        platform::TPngImage png;
        LoadPng(png, MakePng(c.Png));
        const std::vector<uint32_t> colours = png.Image().Pixels;
        MakeBlendedPng(png, 127);
        EXPECT_EQ(Alphas(png), c.Alphas);
        EXPECT_TRUE(png.HasAlpha());
        for (size_t i = 0; i < colours.size(); ++i)
            EXPECT_EQ(png.Image().Pixels[i] & 0xFFFFFF, colours[i] & 0xFFFFFF) << "colours stay";
    }
}

TEST(PngImageList, CopiesOfItemsAndLists)
{
    TbsPngImageList list(nullptr);
    TbsPngImageItem* item = list.PngImages().Add();
    LoadPng(*item->PngImage(), RedAndBlue());
    item->Name = "red";
    TbsPngImageList copy(nullptr);
    copy.SetPngImages(&list.PngImages());
    ASSERT_EQ(copy.PngImages().Count(), 1);
    EXPECT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.PngImages().Items(0)->Name, "red");
    EXPECT_EQ(copy.PngImages().Items(0)->PngImage()->Image().Pixels, item->PngImage()->Image().Pixels);

    platform::TPngImage other;
    LoadPng(other, MakePng({PNG_COLOR_TYPE_GRAY, {7}, {}, {}}));
    int updates = 0;
    copy.PngImages().OnUpdate = [&](platform::TCollectionItem* AItem) {
        EXPECT_EQ(AItem, nullptr) << "every item changed";
        ++updates;
    };
    copy.PngImages().Items(0)->SetPngImage(&other);
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(copy.PngImages().Items(0)->PngImage()->Width(), 1);
    EXPECT_THROW(copy.PngImages().Items(0)->Assign(&other), platform::EConvertError);
}
