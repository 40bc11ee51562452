// The shell's icon lists: pictures made on demand for the icon names the
// namespace hands out, in both sizes.

#include "skin/dialogs/bsSkinShellCtrls_Images.h"

#include "skin/dialogs/bsDialogPictures.h"
#include "skin/dialogs/bsSkinShellCtrls_Namespace.h"

#include "platform/core/Streams.h"

#include <gtest/gtest.h>

namespace {

using namespace skin;
using namespace platform;

const char* const Names[] = {"folder", "folder-open", "drive-harddisk", "drive-removable-media", "computer",
                             "user-home", "audio-x-generic", "video-x-generic", "image-x-generic", "text-x-generic",
                             "unknown"};

TEST(ShellImages, EveryIconNameGetsAPictureOfTheListsSize)
{
    for (TbsShellImageList* list : {ShellSmallImages(), ShellLargeImages()}) {
        for (const char* name : Names) {
            const int index = list->Prepare(ShellIconIndex(name));
            ASSERT_LT(index, list->Count()) << name;
            TBitmap b;
            ASSERT_TRUE(list->GetBitmap(index, &b));
            EXPECT_EQ(b.Width(), list->Width());
        }
    }
    EXPECT_EQ(ShellSmallImages()->Width(), 16);
    EXPECT_EQ(ShellLargeImages()->Width(), 32);
}

TEST(ShellImages, KindsLookDifferentAndUnknownNamesArePlainFiles)
{
    auto pixels = [](const char* AName) {
        TImageData image;
        DrawShellIcon(AName, 16, image);
        return image.Pixels;
    };
    EXPECT_NE(pixels("folder"), pixels("text-x-generic"));
    EXPECT_NE(pixels("audio-x-generic"), pixels("video-x-generic"));
    EXPECT_EQ(pixels("unknown"), pixels("application-x-generic"));
    // A sheet of every kind in both sizes, to look at.
    TImageData sheet;
    sheet.Width = 48 * int(std::size(Names));
    sheet.Height = 32;
    sheet.Pixels.assign(size_t(sheet.Width) * 32, 0xFFFFFFFF);
    for (size_t i = 0; i < std::size(Names); ++i)
        for (int size : {16, 32}) {
            TImageData icon;
            DrawShellIcon(Names[i], size, icon);
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const uint32_t p = icon.At(x, y), a = p >> 24;
                    uint32_t out = 0xFF000000;
                    for (int s = 0; s <= 16; s += 8)
                        out |= ((((p >> s) & 0xFF) * a + 255 * (255 - a)) / 255) << s;
                    sheet.At(int(i) * 48 + (size == 16 ? x : 16 + x), y) = out;
                }
        }
    TFileStream out("shell_icons.png", fmCreate);
    WritePng(out, sheet, false);
}

} // namespace
