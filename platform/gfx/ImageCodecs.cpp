// Shared parts of the image formats: size bounds and the move between
// bitmaps and plain pixel data.

#include "platform/gfx/ImageCodecs.h"

#include "platform/gfx/GdiInternal.h"

#include <algorithm>

namespace platform {

void CheckImageSize(int64_t AWidth, int64_t AHeight, const char* AFormat)
{
    if (AWidth <= 0 || AHeight <= 0)
        throw EInvalidGraphic(std::string(AFormat) + " image has no pixels");
    if (AWidth > MaxImageSide || AHeight > MaxImageSide || AWidth * AHeight > MaxImagePixels)
        throw EInvalidGraphic(std::string(AFormat) + " image is too large (" + std::to_string(AWidth) + " x " +
                              std::to_string(AHeight) + ")");
}

void CheckImageData(int64_t AWidth, int64_t AHeight, int64_t ABytes, int64_t APixelsPerByte, const char* AFormat)
{
    CheckImageSize(AWidth, AHeight, AFormat);
    if (AWidth * AHeight > std::max<int64_t>(ABytes, 0) * APixelsPerByte)
        throw EInvalidGraphic(std::string(AFormat) + " image is not valid: " + std::to_string(ABytes) +
                              " bytes of data cannot fill " + std::to_string(AWidth) + " x " +
                              std::to_string(AHeight) + " pixels");
}

void AllocateImage(TImageData& AImage, int AWidth, int AHeight, const char* AFormat)
{
    CheckImageSize(AWidth, AHeight, AFormat);
    AImage.Width = AWidth;
    AImage.Height = AHeight;
    AImage.Pixels.assign(size_t(AWidth) * size_t(AHeight), 0xFF000000u);
}

void BitmapToImage(TBitmap& ABitmap, TImageData& AImage)
{
    AImage = TImageData();
    if (ABitmap.Empty())
        return;
    const TPixelSurface* S = GetBitmapSurface(ABitmap.Handle());
    AImage.Width = S->Width;
    AImage.Height = S->Height;
    AImage.SourceBitCount = S->BitCount;
    AImage.Pixels.resize(size_t(S->Width) * size_t(S->Height));
    bool AnyAlpha = false;
    for (int Y = 0; Y < S->Height; ++Y)
        for (int X = 0; X < S->Width; ++X) {
            uint32_t V = ReadPixel(*S, X, Y);
            if (S->BitCount == 24)
                V |= 0xFF000000u;
            AnyAlpha |= (V >> 24) != 0;
            AImage.At(X, Y) = V;
        }
    // Drawing leaves alpha 0 behind, so a 32-bit bitmap without any alpha
    // is an opaque picture, not an invisible one.
    if (S->BitCount == 32 && !AnyAlpha)
        for (uint32_t& V : AImage.Pixels)
            V |= 0xFF000000u;
    AImage.HasAlpha = false;
    for (uint32_t V : AImage.Pixels)
        if ((V >> 24) != 255) {
            AImage.HasAlpha = true;
            break;
        }
}

void ImageToBitmap(const TImageData& AImage, TBitmap& ABitmap, TPixelFormat AFormat)
{
    ABitmap.SetPixels32(AImage.Width, AImage.Height, AImage.Pixels.data(), AFormat);
}

} // namespace platform
