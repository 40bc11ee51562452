// JPEG files through libjpeg: read to 32 bits, written at a quality.

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include "platform/gfx/ImageCodecs.h"

#include <jpeglib.h>

namespace platform {

namespace {

struct TJpegError {
    jpeg_error_mgr Mgr;
    jmp_buf Jump;
    char Text[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr AInfo)
{
    auto* E = reinterpret_cast<TJpegError*>(AInfo->err);
    AInfo->err->format_message(AInfo, E->Text);
    longjmp(E->Jump, 1);
}

void JpegSilence(j_common_ptr, int) {}

bool DecodeJpeg(const std::vector<uint8_t>& AData, TImageData& AImage, TJpegError& E)
{
    jpeg_decompress_struct Info;
    Info.err = jpeg_std_error(&E.Mgr);
    E.Mgr.error_exit = JpegErrorExit;
    E.Mgr.emit_message = JpegSilence;
    std::vector<uint8_t>* Line = new std::vector<uint8_t>();
    if (setjmp(E.Jump)) {
        jpeg_destroy_decompress(&Info);
        delete Line;
        return false;
    }
    jpeg_create_decompress(&Info);
    jpeg_mem_src(&Info, AData.data(), (unsigned long)AData.size());
    jpeg_read_header(&Info, TRUE);
    if (Info.image_width == 0 || Info.image_height == 0 || Info.image_width > MaxImageSide ||
        Info.image_height > MaxImageSide || int64_t(Info.image_width) * Info.image_height > MaxImagePixels) {
        snprintf(E.Text, sizeof(E.Text), "image is too large (%u x %u)", Info.image_width, Info.image_height);
        longjmp(E.Jump, 1);
    }
    if (int64_t(Info.image_width) * Info.image_height > int64_t(AData.size()) * JpegPixelsPerByte) {
        snprintf(E.Text, sizeof(E.Text), "%zu bytes of data cannot fill %u x %u pixels", AData.size(),
                 Info.image_width, Info.image_height);
        longjmp(E.Jump, 1);
    }
    Info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&Info);
    AImage.Width = int(Info.output_width);
    AImage.Height = int(Info.output_height);
    AImage.Pixels.assign(size_t(AImage.Width) * size_t(AImage.Height), 0xFF000000u);
    Line->resize(size_t(Info.output_width) * 3);
    while (Info.output_scanline < Info.output_height) {
        int Y = int(Info.output_scanline);
        JSAMPROW Row = Line->data();
        jpeg_read_scanlines(&Info, &Row, 1);
        for (int X = 0; X < AImage.Width; ++X) {
            const uint8_t* P = &(*Line)[size_t(X * 3)];
            AImage.At(X, Y) = 0xFF000000u | uint32_t(P[0]) << 16 | uint32_t(P[1]) << 8 | P[2];
        }
    }
    jpeg_finish_decompress(&Info);
    jpeg_destroy_decompress(&Info);
    delete Line;
    return true;
}

bool EncodeJpeg(const TImageData& AImage, int AQuality, unsigned char** AOut, unsigned long* ASize, TJpegError& E)
{
    jpeg_compress_struct Info;
    Info.err = jpeg_std_error(&E.Mgr);
    E.Mgr.error_exit = JpegErrorExit;
    std::vector<uint8_t>* Line = new std::vector<uint8_t>(size_t(AImage.Width) * 3);
    if (setjmp(E.Jump)) {
        jpeg_destroy_compress(&Info);
        delete Line;
        return false;
    }
    jpeg_create_compress(&Info);
    jpeg_mem_dest(&Info, AOut, ASize);
    Info.image_width = JDIMENSION(AImage.Width);
    Info.image_height = JDIMENSION(AImage.Height);
    Info.input_components = 3;
    Info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&Info);
    jpeg_set_quality(&Info, AQuality, TRUE);
    jpeg_start_compress(&Info, TRUE);
    while (Info.next_scanline < Info.image_height) {
        int Y = int(Info.next_scanline);
        for (int X = 0; X < AImage.Width; ++X) {
            uint32_t V = AImage.At(X, Y);
            uint8_t* P = &(*Line)[size_t(X * 3)];
            P[0] = uint8_t(V >> 16);
            P[1] = uint8_t(V >> 8);
            P[2] = uint8_t(V);
        }
        JSAMPROW Row = Line->data();
        jpeg_write_scanlines(&Info, &Row, 1);
    }
    jpeg_finish_compress(&Info);
    jpeg_destroy_compress(&Info);
    delete Line;
    return true;
}

} // namespace

void ReadJpeg(TStream& AStream, TImageData& AImage)
{
    int64_t Left = AStream.Size() - AStream.Position();
    if (Left < 4)
        throw EInvalidGraphic("JPEG image is not valid: file is too short");
    std::vector<uint8_t> Data(static_cast<size_t>(Left));
    AStream.ReadBuffer(Data.data(), Left);
    TJpegError E{};
    AImage = TImageData();
    if (!DecodeJpeg(Data, AImage, E)) {
        AImage = TImageData();
        throw EInvalidGraphic(std::string("JPEG image is not valid: ") + E.Text);
    }
}

void WriteJpeg(TStream& AStream, const TImageData& AImage, int AQuality)
{
    unsigned char* Out = nullptr;
    unsigned long Size = 0;
    TJpegError E{};
    bool Ok = EncodeJpeg(AImage, std::clamp(AQuality, 1, 100), &Out, &Size, E);
    if (Ok)
        AStream.WriteBuffer(Out, int64_t(Size));
    std::free(Out);
    if (!Ok)
        throw EInvalidGraphic(std::string("Cannot write JPEG image: ") + E.Text);
}

} // namespace platform
