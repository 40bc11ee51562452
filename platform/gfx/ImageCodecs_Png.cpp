// PNG files through libpng: every colour type read as 32-bit with alpha,
// written as RGB or RGBA.

#include <csetjmp>
#include <png.h>

#include "platform/gfx/ImageCodecs.h"

namespace platform {

namespace {

struct TPngIo {
    TStream* Stream;
    char Error[200];
};

void PngError(png_structp APng, png_const_charp AMessage)
{
    auto* Io = static_cast<TPngIo*>(png_get_error_ptr(APng));
    snprintf(Io->Error, sizeof(Io->Error), "%s", AMessage);
    png_longjmp(APng, 1);
}

void PngWarning(png_structp, png_const_charp) {}

void PngRead(png_structp APng, png_bytep AData, size_t ALength)
{
    auto* Io = static_cast<TPngIo*>(png_get_io_ptr(APng));
    if (Io->Stream->Read(AData, int64_t(ALength)) != int64_t(ALength))
        png_error(APng, "file is truncated");
}

void PngWrite(png_structp APng, png_bytep AData, size_t ALength)
{
    auto* Io = static_cast<TPngIo*>(png_get_io_ptr(APng));
    if (Io->Stream->Write(AData, int64_t(ALength)) != int64_t(ALength))
        png_error(APng, "write failed");
}

void PngFlush(png_structp) {}

// Runs the decoder; answers false with Io.Error set. Kept free of objects
// with destructors between setjmp and the calls that may jump back.
bool DecodePng(TPngIo& Io, TImageData& AImage, std::vector<png_bytep>& ARows)
{
    png_structp Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &Io, PngError, PngWarning);
    png_infop Info = png_create_info_struct(Png);
    if (setjmp(png_jmpbuf(Png))) {
        png_destroy_read_struct(&Png, &Info, nullptr);
        return false;
    }
    png_set_user_limits(Png, MaxImageSide, MaxImageSide);
    png_set_read_fn(Png, &Io, PngRead);
    png_read_info(Png, Info);
    png_uint_32 W = png_get_image_width(Png, Info), H = png_get_image_height(Png, Info);
    if (int64_t(W) * int64_t(H) > MaxImagePixels)
        png_error(Png, "image is too large");
    if (int64_t(W) * int64_t(H) > (Io.Stream->Size() - Io.Stream->Position()) * PngPixelsPerByte)
        png_error(Png, "the image data cannot fill its size");
    int Type = png_get_color_type(Png, Info);
    AImage.PngColorType = Type;
    AImage.HasAlpha = (Type & PNG_COLOR_MASK_ALPHA) || png_get_valid(Png, Info, PNG_INFO_tRNS);
    AImage.SourceBitCount = png_get_bit_depth(Png, Info) * png_get_channels(Png, Info);
    png_set_expand(Png);
    png_set_strip_16(Png);
    png_set_gray_to_rgb(Png);
    png_set_bgr(Png);
    png_set_add_alpha(Png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(Png);
    png_read_update_info(Png, Info);
    AImage.Width = int(W);
    AImage.Height = int(H);
    AImage.Pixels.resize(size_t(W) * size_t(H));
    ARows.resize(H);
    for (png_uint_32 Y = 0; Y < H; ++Y)
        ARows[Y] = reinterpret_cast<png_bytep>(&AImage.Pixels[size_t(Y) * W]);
    png_read_image(Png, ARows.data());
    png_read_end(Png, nullptr);
    png_destroy_read_struct(&Png, &Info, nullptr);
    return true;
}

} // namespace

void ReadPng(TStream& AStream, TImageData& AImage)
{
    TPngIo Io{&AStream, "not a PNG file"};
    uint8_t Sig[8];
    int64_t Start = AStream.Position();
    if (AStream.Read(Sig, 8) != 8 || png_sig_cmp(Sig, 0, 8) != 0)
        throw EInvalidGraphic("PNG image is not valid: no PNG signature");
    AStream.SetPosition(Start);
    std::vector<png_bytep> Rows;
    AImage = TImageData();
    if (!DecodePng(Io, AImage, Rows)) {
        AImage = TImageData();
        throw EInvalidGraphic(std::string("PNG image is not valid: ") + Io.Error);
    }
}

void WritePng(TStream& AStream, const TImageData& AImage, bool AWithAlpha, int ACompression)
{
    TPngIo Io{&AStream, ""};
    std::vector<uint8_t> Row(size_t(AImage.Width) * 4);
    png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &Io, PngError, PngWarning);
    png_infop Info = png_create_info_struct(Png);
    if (setjmp(png_jmpbuf(Png))) {
        png_destroy_write_struct(&Png, &Info);
        throw EInvalidGraphic(std::string("Cannot write PNG image: ") + Io.Error);
    }
    png_set_write_fn(Png, &Io, PngWrite, PngFlush);
    png_set_compression_level(Png, ACompression);
    png_set_IHDR(Png, Info, png_uint_32(AImage.Width), png_uint_32(AImage.Height), 8,
                 AWithAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(Png, Info);
    int Channels = AWithAlpha ? 4 : 3;
    for (int Y = 0; Y < AImage.Height; ++Y) {
        for (int X = 0; X < AImage.Width; ++X) {
            uint32_t V = AImage.At(X, Y);
            uint8_t* P = &Row[size_t(X * Channels)];
            P[0] = uint8_t(V >> 16);
            P[1] = uint8_t(V >> 8);
            P[2] = uint8_t(V);
            if (AWithAlpha)
                P[3] = uint8_t(V >> 24);
        }
        png_write_row(Png, Row.data());
    }
    png_write_end(Png, nullptr);
    png_destroy_write_struct(&Png, &Info);
}

} // namespace platform
