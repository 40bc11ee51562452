#pragma once
// An image list whose images are PNG pictures with per-pixel alpha, kept as
// named items and drawn with their alpha, or half transparent when drawn
// disabled. The platform list keeps one placeholder per item, at the same
// index, so that its count and index checks agree with the items.

#include "platform/controls/ImgList.h"
#include "platform/core/Collections.h"
#include "platform/gfx/PngImage.h"

#include <cstdint>
#include <memory>
#include <string>

namespace skin {

class TbsPngImage : public platform::TPngImage {
public:
    std::string ClassName() const override { return "TbsPngImage"; }
};

// The disabled look: the alpha of every pixel scaled by (AValue + 1) / 256,
// rounded to the nearest (halves to even); pixels of a transparent colour
// stay transparent. A greyscale or palette picture without an alpha channel
// gets AValue as the alpha of its opaque pixels.
void MakeBlendedPng(platform::TPngImage& APng, uint8_t AValue);

class TbsPngImageList;

class TbsPngImageItem : public platform::TCollectionItem {
public:
    // Named "PngImage<index at creation>", with an empty picture and a
    // placeholder in the owning list.
    explicit TbsPngImageItem(platform::TCollection* ACollection);
    ~TbsPngImageItem() override;
    std::string ClassName() const override { return "TbsPngImageItem"; }
    void Assign(platform::TPersistent* ASource) override;
    std::string GetDisplayName() const override;

    std::string Name;
    TbsPngImage* PngImage() { return &FPngImage; }
    // Copies APng into the item's own picture.
    void SetPngImage(platform::TPngImage* APng);

private:
    TbsPngImageList* ImageList() const;
    TbsPngImage FPngImage;
};

// Items raises EListError outside 0 .. Count - 1.
class TbsPngImageItems : public platform::TOwnedCollection<TbsPngImageItem> {
public:
    explicit TbsPngImageItems(TbsPngImageList* APngImageList);
    std::string ClassName() const override { return "TbsPngImageItems"; }
    TbsPngImageList* PngImageList() const { return FPngImageList; }

private:
    TbsPngImageList* FPngImageList;
};

class TbsPngImageList : public platform::TCustomImageList {
public:
    explicit TbsPngImageList(platform::TComponent* AOwner);
    ~TbsPngImageList() override;

    TbsPngImageItems& PngImages() { return *FPngImages; }
    // Replaces the items by copies of AValue's.
    void SetPngImages(TbsPngImageItems* AValue) { FPngImages->Assign(AValue); }
    // The list's size. A new size clears the items, except while the list is
    // being loaded (the items read before it are kept).
    int PngWidth() const { return Width(); }
    void SetPngWidth(int AValue);
    int PngHeight() const { return Height(); }
    void SetPngHeight(int AValue);

protected:
    // Draws item AIndex's picture into (X, Y, X + PngWidth, Y + PngHeight).
    void DoDraw(int AIndex, platform::TCanvas* ACanvas, int X, int Y, unsigned AStyle, bool AEnabled) override;

private:
    friend class TbsPngImageItem;
    void AddPlaceholder();
    void Resize(int AWidth, int AHeight);
    std::unique_ptr<TbsPngImageItems> FPngImages;
};

} // namespace skin
