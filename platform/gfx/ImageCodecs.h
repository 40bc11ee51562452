#pragma once
// Image file formats as plain pixel data: BMP, PNG, JPEG and GIF read into
// and written from 32-bit pixels. Readers raise EInvalidGraphic with a text
// that names what is wrong; sizes are bounded before anything is allocated,
// so a damaged or hostile file never causes a giant allocation.

#include <cstdint>
#include <vector>

#include "platform/core/Streams.h"
#include "platform/gfx/Graphics.h"

namespace platform {

struct TImageData {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels; // 0xAARRGGBB (bytes B, G, R, A), top row first
    bool HasAlpha = false;        // alpha bytes carry meaning (else 255)
    int SourceBitCount = 24;      // bits per pixel of the file
    int PngColorType = -1;        // colour type of a PNG file read (0, 2, 3, 4, 6); -1 other sources
    uint32_t& At(int X, int Y) { return Pixels[size_t(Y) * size_t(Width) + size_t(X)]; }
    uint32_t At(int X, int Y) const { return Pixels[size_t(Y) * size_t(Width) + size_t(X)]; }
};

// Largest image accepted by the readers.
constexpr int MaxImageSide = 32768;
constexpr int64_t MaxImagePixels = int64_t(1) << 26;
// Raises EInvalidGraphic when a width and height exceed the bounds.
void CheckImageSize(int64_t AWidth, int64_t AHeight, const char* AFormat);
// A compressed image is no larger than its data can describe: ABytes of
// data give at most APixelsPerByte pixels each (the format's best ratio).
// Checked before the pixels are allocated, so that a tiny file cannot make
// the reader take hundreds of megabytes.
void CheckImageData(int64_t AWidth, int64_t AHeight, int64_t ABytes, int64_t APixelsPerByte, const char* AFormat);
// The best ratios of the formats' compressions: a run-length pair of a BMP
// gives 255 pixels; a 12-bit LZW code of a GIF at most 4096; deflate at
// most 1032 bytes per byte, of 1-bit pixels in a PNG; a JPEG block of one
// colour takes a few bits.
constexpr int64_t BmpRlePixelsPerByte = 128;
constexpr int64_t GifPixelsPerByte = 2731;
constexpr int64_t PngPixelsPerByte = 8 * 1032;
constexpr int64_t JpegPixelsPerByte = 512;
void AllocateImage(TImageData& AImage, int AWidth, int AHeight, const char* AFormat);

// BMP: 1, 4, 8, 16, 24 and 32 bits, bottom-up and top-down, RLE4/RLE8,
// bit fields, core headers. Reads from the current position.
void ReadBmp(TStream& AStream, TImageData& AImage);
// 24 bits (alpha dropped) or 32 bits (alpha kept), bottom-up.
void WriteBmp(TStream& AStream, const TImageData& AImage, int ABitCount);

void ReadPng(TStream& AStream, TImageData& AImage);
// RGBA when AWithAlpha, else RGB.
void WritePng(TStream& AStream, const TImageData& AImage, bool AWithAlpha, int ACompression = 6);

void ReadJpeg(TStream& AStream, TImageData& AImage);
void WriteJpeg(TStream& AStream, const TImageData& AImage, int AQuality);

// First frame, composed on a transparent (alpha 0) canvas of the screen size.
void ReadGif(TStream& AStream, TImageData& AImage);
// Quantised to at most 256 colours.
void WriteGif(TStream& AStream, const TImageData& AImage);

// Between bitmaps and image data. A 24-bit bitmap reads as opaque.
void BitmapToImage(TBitmap& ABitmap, TImageData& AImage);
void ImageToBitmap(const TImageData& AImage, TBitmap& ABitmap, TPixelFormat AFormat);

} // namespace platform
