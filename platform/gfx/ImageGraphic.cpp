// JPEG, PNG and GIF image classes over the image formats.

#include "platform/gfx/ImageGraphic.h"

#include "platform/gfx/GifImg.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PngImage.h"

namespace platform {

void TImageGraphic::SetImage(const TImageData& AImage)
{
    FImage = AImage;
    Changed();
}

void TImageGraphic::Assign(TPersistent* ASource)
{
    if (auto* B = dynamic_cast<TBitmap*>(ASource)) {
        TImageData Image;
        BitmapToImage(*B, Image);
        SetImage(Image);
    } else if (auto* I = dynamic_cast<TImageGraphic*>(ASource)) {
        SetImage(I->FImage);
    } else {
        TGraphic::Assign(ASource);
    }
}

void TImageGraphic::AssignTo(TPersistent* ADest)
{
    auto* B = dynamic_cast<TBitmap*>(ADest);
    if (B == nullptr) {
        TGraphic::AssignTo(ADest);
        return;
    }
    ImageToBitmap(FImage, *B, FImage.HasAlpha ? pf32bit : pf24bit);
}

void TImageGraphic::Draw(TCanvas* ACanvas, const TRect& ARect)
{
    if (Empty())
        return;
    TBitmap B;
    if (!DrawsWithAlpha()) {
        ImageToBitmap(FImage, B, pf24bit);
        B.Draw(ACanvas, ARect);
        return;
    }
    // Blended with premultiplied alpha, as the platform's blend wants it.
    TImageData Pre = FImage;
    for (uint32_t& V : Pre.Pixels) {
        uint32_t A = V >> 24;
        auto M = [A](uint32_t C) { return (C * A + 127) / 255; };
        V = A << 24 | M((V >> 16) & 0xFF) << 16 | M((V >> 8) & 0xFF) << 8 | M(V & 0xFF);
    }
    ImageToBitmap(Pre, B, pf32bit);
    BLENDFUNCTION BF{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(ACanvas->Handle(), ARect.Left, ARect.Top, ARect.Width(), ARect.Height(), B.Canvas()->Handle(), 0, 0,
               B.Width(), B.Height(), BF);
}

void TJPEGImage::LoadFromStream(TStream& AStream)
{
    TImageData Image;
    ReadJpeg(AStream, Image);
    SetImage(Image);
}

void TJPEGImage::SaveToStream(TStream& AStream)
{
    WriteJpeg(AStream, FImage, CompressionQuality);
}

void TPngImage::LoadFromStream(TStream& AStream)
{
    TImageData Image;
    ReadPng(AStream, Image);
    SetImage(Image);
}

void TPngImage::SaveToStream(TStream& AStream)
{
    WritePng(AStream, FImage, FImage.HasAlpha, CompressionLevel);
}

TColor TPngImage::Pixels(int AX, int AY) const
{
    if (AX < 0 || AY < 0 || AX >= FImage.Width || AY >= FImage.Height)
        return clNone;
    uint32_t V = FImage.At(AX, AY);
    return TColor(((V & 0xFF) << 16) | (V & 0xFF00) | ((V >> 16) & 0xFF));
}

void TGIFImage::LoadFromStream(TStream& AStream)
{
    TImageData Image;
    ReadGif(AStream, Image);
    SetImage(Image);
    SetTransparent(Image.HasAlpha);
}

void TGIFImage::SaveToStream(TStream& AStream)
{
    WriteGif(AStream, FImage);
}

} // namespace platform
