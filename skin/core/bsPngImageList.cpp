#include "skin/core/bsPngImageList.h"

#include "platform/core/SysUtils.h"

namespace skin {

namespace {

// Alpha * AFactor / 256 to the nearest integer, halves to the even one.
uint32_t ScaleAlpha(uint32_t AAlpha, uint32_t AFactor)
{
    const uint32_t product = AAlpha * AFactor;
    uint32_t result = product / 256;
    const uint32_t rest = product % 256;
    if (rest > 128 || (rest == 128 && (result & 1)))
        ++result;
    return result;
}

constexpr int PngGrey = 0;
constexpr int PngPalette = 3;

} // namespace

// Pictures without an alpha channel had their transparent colour decoded as
// alpha 0, and only that. A palette with partly transparent entries keeps
// them partly transparent, scaled like an alpha channel, rather than turning
// them into half-opaque boxes.
void MakeBlendedPng(platform::TPngImage& APng, uint8_t AValue)
{
    platform::TImageData image = APng.Image();
    const bool noAlphaChannel = image.PngColorType == PngGrey || image.PngColorType == PngPalette;
    for (uint32_t& pixel : image.Pixels) {
        const uint32_t alpha = pixel >> 24;
        const uint32_t blended = noAlphaChannel && alpha == 255 ? AValue : ScaleAlpha(alpha, uint32_t(AValue) + 1);
        pixel = (pixel & 0x00FFFFFFu) | blended << 24;
    }
    image.HasAlpha = true;
    APng.SetImage(image);
}

// ---------------------------------------------------------------- items

TbsPngImageItem::TbsPngImageItem(platform::TCollection* ACollection) : TCollectionItem(ACollection)
{
    Name = "PngImage" + platform::IntToStr(Index());
    if (TbsPngImageList* list = ImageList())
        list->AddPlaceholder();
}

TbsPngImageItem::~TbsPngImageItem()
{
    TbsPngImageList* list = ImageList();
    const int index = Index();
    if (list && index >= 0 && index < list->Count())
        list->Delete(index);
}

TbsPngImageList* TbsPngImageItem::ImageList() const
{
    auto* items = dynamic_cast<TbsPngImageItems*>(Collection());
    return items ? items->PngImageList() : nullptr;
}

void TbsPngImageItem::Assign(platform::TPersistent* ASource)
{
    auto* source = dynamic_cast<TbsPngImageItem*>(ASource);
    if (!source) {
        TCollectionItem::Assign(ASource);
        return;
    }
    FPngImage.Assign(&source->FPngImage);
    Name = source->Name;
}

std::string TbsPngImageItem::GetDisplayName() const
{
    return Name.empty() ? TCollectionItem::GetDisplayName() : Name;
}

void TbsPngImageItem::SetPngImage(platform::TPngImage* APng)
{
    FPngImage.Assign(APng);
    Changed(true);
}

// ---------------------------------------------------------------- collection

TbsPngImageItems::TbsPngImageItems(TbsPngImageList* APngImageList)
    : TOwnedCollection(APngImageList), FPngImageList(APngImageList)
{
}

// ---------------------------------------------------------------- list

TbsPngImageList::TbsPngImageList(platform::TComponent* AOwner)
    : TCustomImageList(AOwner), FPngImages(std::make_unique<TbsPngImageItems>(this))
{
}

TbsPngImageList::~TbsPngImageList()
{
    FPngImages.reset();
}

// Placeholders are never drawn; they only keep the platform list's count.
void TbsPngImageList::AddPlaceholder()
{
    platform::TBitmap placeholder;
    placeholder.SetPixelFormat(platform::pf1bit);
    placeholder.SetSize(Width(), Height());
    Add(&placeholder, nullptr);
}

void TbsPngImageList::Resize(int AWidth, int AHeight)
{
    if (AWidth == Width() && AHeight == Height())
        return;
    SetSize(AWidth, AHeight);
    if (!IsLoading()) {
        FPngImages->Clear();
        return;
    }
    for (int i = 0; i < FPngImages->Count(); ++i)
        AddPlaceholder();
}

void TbsPngImageList::SetPngWidth(int AValue)
{
    Resize(AValue, Height());
}

void TbsPngImageList::SetPngHeight(int AValue)
{
    Resize(Width(), AValue);
}

void TbsPngImageList::DoDraw(int AIndex, platform::TCanvas* ACanvas, int X, int Y, unsigned, bool AEnabled)
{
    const platform::TRect rect{X, Y, X + PngWidth(), Y + PngHeight()};
    TbsPngImageItem* item = FPngImages->Items(AIndex);
    if (AEnabled) {
        item->PngImage()->Draw(ACanvas, rect);
        return;
    }
    TbsPngImage disabled;
    disabled.Assign(item->PngImage());
    MakeBlendedPng(disabled, 127);
    disabled.Draw(ACanvas, rect);
}

} // namespace skin
