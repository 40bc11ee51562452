// The packed skin compiled into the program: a well-formed container, item
// 0 of a skin list, and loading it gives the very skin the folder gives.

#include "skins/DefaultSkin.h"

#include "DefaultSkinTestSupport.h"

#include "platform/core/IniFiles.h"

#include <cstring>

namespace {

using namespace platform;
using namespace skin;

std::string IniText(TbsSkinData& AData)
{
    TMemIniFile ini("");
    AData.WriteSkinIni(ini);
    return ini.Text();
}

void ExpectSamePicture(TBitmap& A, TBitmap& B, const std::string& AWhat)
{
    TImageData a, b;
    BitmapToImage(A, a);
    BitmapToImage(B, b);
    ASSERT_EQ(a.Width, b.Width) << AWhat;
    ASSERT_EQ(a.Height, b.Height) << AWhat;
    for (size_t i = 0; i < a.Pixels.size(); ++i)
        ASSERT_EQ(a.Pixels[i] & 0xFFFFFF, b.Pixels[i] & 0xFFFFFF) << AWhat << " pixel " << i;
}

} // namespace

TEST(DefaultSkin, IsACompressedSkinContainer)
{
    const std::span<const uint8_t> bytes = skins::DefaultSkinContainer();
    ASSERT_GT(bytes.size(), 10u);
    int32_t version = 0, length = 0;
    std::memcpy(&version, bytes.data(), 4);
    std::memcpy(&length, bytes.data() + 4, 4);
    EXPECT_EQ(version, CompressedSkinVersion);
    EXPECT_EQ(size_t(length), bytes.size() - 8);
    // zlib at the strongest level.
    EXPECT_EQ(bytes[8], 0x78);
    EXPECT_EQ(bytes[9], 0xDA);
}

TEST(DefaultSkin, IsItemZeroOfTheProgramsSkinListAndLoadsAsTheFolderDoes)
{
    TbsCompressedSkinList list(nullptr);
    TbsSkinListItem* item = skins::AddDefaultSkin(list);
    ASSERT_EQ(list.Skins().Count(), 1);
    EXPECT_EQ(list.Skins().Items(0), item);
    EXPECT_EQ(item->Name, skins::DefaultSkinName);
    ASSERT_FALSE(item->Skin().Empty());

    SetSkinFormList([] { return std::vector<IbsSkinMessageReceiver*>{}; });
    TbsSkinData packed(nullptr);
    const TbsSkinStatus status = packed.SetSkinList(&list);
    SetSkinFormList(nullptr);
    ASSERT_TRUE(status.Ok()) << status.Message;
    ASSERT_FALSE(packed.Empty());

    skintest::TDefaultSkin folder;
    ASSERT_TRUE(folder.Status.Ok()) << folder.Status.Message;
    EXPECT_EQ(IniText(packed), IniText(folder.Data));
    ExpectSamePicture(*packed.FPicture, *folder.Data.FPicture, "frame");
    EXPECT_TRUE(packed.FInActivePicture->Empty());
    EXPECT_TRUE(packed.FMask->Empty());
    ASSERT_EQ(packed.FActivePictures.size(), folder.Data.FActivePictures.size());
    for (size_t i = 0; i < packed.FActivePictures.size(); ++i)
        ExpectSamePicture(*packed.FActivePictures[i], *folder.Data.FActivePictures[i], "picture " + std::to_string(i));
}
