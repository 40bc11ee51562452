#pragma once
// The program's own skin as the tests see it: the folder the build drew and
// packed, loaded into a model, with the pixels of its pictures at hand.

#include "skin/core/bsSkinData.h"

#include "platform/core/IniFiles.h"
#include "platform/gfx/ImageCodecs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace skintest {

inline std::string DefaultSkinIni() { return std::string(ZARVELO_DEFAULT_SKIN_FOLDER) + "/zarvelo.ini"; }

// 0xRRGGBB as the pictures hold it, and as a TColor ($00BBGGRR).
constexpr uint32_t RgbOf(platform::TColor AColor)
{
    return ((uint32_t(AColor) & 0xFF) << 16) | (uint32_t(AColor) & 0xFF00) | ((uint32_t(AColor) >> 16) & 0xFF);
}

// The skin folder loaded into a model, with its INI text and the pixels of
// its frame picture and active pictures.
struct TDefaultSkin {
    skin::TbsSkinData Data{nullptr};
    platform::TMemIniFile Ini{DefaultSkinIni()};
    platform::TImageData Frame;
    std::vector<platform::TImageData> Pictures;
    skin::TbsSkinStatus Status;

    TDefaultSkin()
    {
        Status = Data.LoadFromFile(DefaultSkinIni());
        if (!Data.FPicture->Empty())
            platform::BitmapToImage(*Data.FPicture, Frame);
        for (auto& p : Data.FActivePictures) {
            Pictures.emplace_back();
            platform::BitmapToImage(*p, Pictures.back());
        }
    }
    // 0xRRGGBB at X, Y of active picture AIndex (or of the frame picture for -1).
    uint32_t Pixel(int AIndex, int X, int Y) const
    {
        const platform::TImageData& image = AIndex < 0 ? Frame : Pictures.at(size_t(AIndex));
        return image.At(X, Y) & 0xFFFFFF;
    }
    uint32_t Centre(int AIndex, const platform::TRect& R) const
    {
        return Pixel(AIndex, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    skin::TbsDataSkinControl* Control(const std::string& AName)
    {
        const int i = Data.GetControlIndex(AName);
        return i < 0 ? nullptr : Data.CtrlList[size_t(i)].get();
    }
    skin::TbsDataSkinObject* Object(const std::string& AName)
    {
        const int i = Data.GetIndex(AName);
        return i < 0 ? nullptr : Data.ObjectList[size_t(i)].get();
    }
};

} // namespace skintest
