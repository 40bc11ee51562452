// The pictures of the output choice: one of its own per category, smooth
// edges on a clear ground, and the image lists that hold them drawing them.
#include "app/forms/OutputPictures.h"

#include "skin/core/bsPngImageList.h"

#include "platform/core/SysUtils.h"
#include "platform/gfx/Graphics.h"
#include "platform/gfx/PngImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

using namespace app;
using namespace platform;

namespace {

// The case numbers the category lists show.
const int UsedCaseNumbers[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 19};

uint8_t AlphaAt(const TImageData& AImage, int X, int Y) { return uint8_t(AImage.At(X, Y) >> 24); }

} // namespace

TEST(OutputPicturesTest, EveryCategoryHasASmoothTileOfItsOwn)
{
    std::vector<TImageData> pictures;
    for (int n : UsedCaseNumbers) {
        TImageData p = DrawCategoryPicture(n);
        ASSERT_EQ(p.Width, 32) << n;
        ASSERT_EQ(p.Height, 32) << n;
        EXPECT_TRUE(p.HasAlpha) << n;
        // Rounded corners are clear, the middle is solid, the edges blend.
        EXPECT_EQ(AlphaAt(p, 0, 0), 0) << n;
        EXPECT_EQ(AlphaAt(p, 31, 31), 0) << n;
        EXPECT_EQ(AlphaAt(p, 16, 16), 255) << n;
        int partial = 0;
        for (uint32_t v : p.Pixels)
            partial += (v >> 24) != 0 && (v >> 24) != 255;
        EXPECT_GT(partial, 8) << n;
        pictures.push_back(std::move(p));
    }
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i].Pixels, pictures[j].Pixels) << UsedCaseNumbers[i] << " and " << UsedCaseNumbers[j];
    // A number no category uses gets the plain film picture.
    for (int n : {-1, 16, 20, 99})
        EXPECT_EQ(DrawCategoryPicture(n).Pixels, DrawCategoryPicture(17).Pixels) << n;
    EXPECT_EQ(DrawCategoryPicture(5, 64).Width, 64);
}

TEST(OutputPicturesTest, LettersAreAsLargeAsFitTheTile)
{
    // The letter tiles' white letters fill 13 of the tile's 16 units across
    // (the longer names at a smaller size), and never pass them.
    for (int n : {2, 6, 10, 14, 15}) {
        const TImageData p = DrawCategoryPicture(n, 64);
        int left = p.Width, right = -1;
        for (int y = 0; y < p.Height; ++y)
            for (int x = 0; x < p.Width; ++x) {
                const uint32_t v = p.At(x, y);
                if ((v >> 16 & 0xFF) > 200 && (v >> 8 & 0xFF) > 200 && (v & 0xFF) > 200) {
                    left = std::min(left, x);
                    right = std::max(right, x + 1);
                }
            }
        const int units13 = 64 * 13 / 16;
        EXPECT_LE(right - left, units13) << n;
        EXPECT_GE(right - left, units13 * 8 / 10) << n;
        // Centred.
        EXPECT_LE(std::abs(left - (p.Width - right)), 3) << n;
    }
}

TEST(OutputPicturesTest, TheProfileListsAlternateBetweenTwoPictures)
{
    EXPECT_NE(DrawProfilePicture(0).Pixels, DrawProfilePicture(1).Pixels);
    EXPECT_NE(DrawProfilePicture(1).Pixels, DrawProfilePicture(2).Pixels);
    EXPECT_EQ(AlphaAt(DrawProfilePicture(0), 0, 0), 0);
}

TEST(OutputPicturesTest, TheListsHoldThePicturesAndDrawThemOverTheirGround)
{
    std::unique_ptr<TComponent> owner(new TComponent(nullptr));
    const struct {
        TCustomImageList* List;
        const char* Name;
        int Count;
        int Index;      // drawn below
        TColor Tile;    // that picture's ground beside its symbol
    } lists[] = {
        {NewCategoryImages(owner.get()), "bsPngImageList5", CategoryPictureCount, 1, TColor(RGB(226, 120, 30))},
        {NewLegacyCategoryImages(owner.get()), "ImageList1", 12, 10, TColor(RGB(200, 50, 60))},
        {NewProfileImages(owner.get()), "bsPngImageList3", ProfilePictureCount, 0, TColor(RGB(150, 160, 175))},
    };
    for (const auto& l : lists) {
        EXPECT_EQ(l.List->Name(), l.Name);
        EXPECT_EQ(l.List->Count(), l.Count) << l.Name;
        EXPECT_EQ(l.List->Width(), 32) << l.Name;
        EXPECT_EQ(l.List->Height(), 32) << l.Name;
        TBitmap canvas;
        canvas.SetPixelFormat(pf24bit);
        canvas.SetSize(40, 40);
        canvas.Canvas()->Brush()->SetColor(clWhite);
        canvas.Canvas()->FillRect(TRect{0, 0, 40, 40});
        l.List->Draw(canvas.Canvas(), 4, 4, l.Index);
        // The clear corner shows the white ground; inside, the picture's own.
        EXPECT_EQ(ColorToRGB(canvas.Canvas()->Pixels(4, 4)), ColorToRGB(clWhite)) << l.Name;
        const TColor inside = l.List == lists[2].List ? canvas.Canvas()->Pixels(4 + 7, 4 + 20)
                                                         : canvas.Canvas()->Pixels(4 + 3, 4 + 16);
        EXPECT_EQ(ColorToRGB(inside), ColorToRGB(l.Tile)) << l.Name;
    }
}

TEST(OutputPicturesTest, ASheetOfEveryPictureForReview)
{
    // Twice the size in the combos, category 0 to 19 then the profiles.
    TPngImage sheet;
    TImageData all;
    all.Width = 12 * 68;
    all.Height = 2 * 68;
    all.HasAlpha = true;
    all.Pixels.assign(size_t(all.Width) * size_t(all.Height), 0xFFFFFFFFu);
    for (int i = 0; i < CategoryPictureCount + ProfilePictureCount; ++i) {
        const TImageData p = i < CategoryPictureCount ? DrawCategoryPicture(i, 64)
                                                      : DrawProfilePicture(i - CategoryPictureCount, 64);
        const int left = (i % 12) * 68 + 2, top = (i / 12) * 68 + 2;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                // Over white, so the sheet shows what a light list shows.
                const uint32_t v = p.At(x, y), a = v >> 24;
                uint32_t out = 0xFF000000u;
                for (int shift = 0; shift <= 16; shift += 8)
                    out |= (((v >> shift & 0xFF) * a + 255 * (255 - a)) / 255) << shift;
                all.At(left + x, top + y) = out;
            }
    }
    sheet.SetImage(all);
    sheet.SaveToFile(GetCurrentDir() + "/output-pictures.png");
    EXPECT_TRUE(FileExists(GetCurrentDir() + "/output-pictures.png"));
}
