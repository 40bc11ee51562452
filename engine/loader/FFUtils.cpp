#include "engine/loader/FFUtils.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/MyUtilStubs.h"
#include "engine/loader/SwScaleStubs.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <cstring>

namespace engine {
namespace {

struct TErrorText {
    int Code;
    const char* Text;
};

// FFmpeg's codes by symbol, so they hold whatever numbers the library
// generation gives them.
const TErrorText ErrorTexts[] = {
    {AVERROR_PATCHWELCOME, "Not yet implemented in FFmpeg"},
    {AVERROR_PROTOCOL_NOT_FOUND, "Unsupported network protocol"},
    {AVERROR_DEMUXER_NOT_FOUND, "Unknown format"},
    {AVERROR_MUXER_NOT_FOUND, "Unknown format"},
    {AVERROR_NUMEXPECTED, "Number syntax expected in filename"},
    {AVERROR_EOF, "End of file"},
    {AVERROR_INVALIDDATA, "Invalid data found when processing input"},
    {AVERROR(ENOMEM), "Not enough memory"},
    {AVERROR(EIO), "I/O error"},
    {AVERROR(ENOENT), "No such file or directory"},
};

} // namespace

std::string TimeToText(int64_t AMicroseconds)
{
    if (AMicroseconds == AV_NOPTS_VALUE)
        return "N/A";
    const int64_t seconds = AMicroseconds / 1000000;
    const int64_t millis = (AMicroseconds % 1000000) * 1000 / 1000000;
    return platform::Format("%.2d:%.2d:%.2d.%.3d", seconds / 3600, (seconds / 60) % 60, seconds % 60, millis);
}

int64_t FrameDuration(const AVRational* ARate)
{
    if (!ARate || ARate->num == 0 || ARate->den == 0)
        return 40000;
    return int64_t(1000000) * ARate->den / ARate->num;
}

std::string AVErrorText(const std::string& APrefix, int ACode)
{
    for (const TErrorText& e : ErrorTexts)
        if (e.Code == ACode)
            return APrefix + ": " + e.Text;
    // Anything else is told in words too: a system error by the system's
    // text ("No space left on device"), one of FFmpeg's by FFmpeg's own.
    if (ACode < 0 && ACode > -4096) {
        char text[256];
        const std::string said = strerror_r(-ACode, text, sizeof(text));
        if (said.rfind("Unknown error", 0) != 0)
            return APrefix + ": " + said;
    }
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    if (ff::av_strerror && ff::av_strerror(ACode, text, sizeof(text)) == 0)
        return APrefix + ": " + text;
    return APrefix + ": " + platform::Format("Error number %d occurred", ACode);
}

std::string MetadataValue(const AVDictionary* AMetadata, const std::string& AKey, const std::string& ADefault)
{
    const AVDictionaryEntry* e = ff::av_dict_get(AMetadata, AKey.c_str(), nullptr, 0);
    return e && e->value ? std::string(e->value) : ADefault;
}

std::string CodecDisplayName(AVCodecID ACodecID, uint32_t ACodecTag, bool AEncoder)
{
    const AVCodec* codec = AEncoder ? ff::avcodec_find_encoder(ACodecID) : ff::avcodec_find_decoder(ACodecID);
    if (codec) {
        const std::string longName = platform::Trim(codec->long_name ? codec->long_name : "");
        return longName.empty() ? std::string(codec->name) : platform::FormatC("%s(%s)", codec->name, longName.c_str());
    }
    if (ACodecID == AV_CODEC_ID_MPEG2TS)
        return "mpeg2ts";
    char c[4];
    bool printable = true;
    for (int i = 0; i < 4; ++i) {
        c[i] = char((ACodecTag >> (8 * i)) & 0xFF);
        printable = printable && c[i] >= 32 && c[i] <= 126;
    }
    if (printable)
        return platform::FormatC("%c%c%c%c / 0x%04X", c[0], c[1], c[2], c[3], ACodecTag);
    return platform::FormatC("0x%04x", ACodecTag);
}

std::string CodecDisplayName(const AVCodecParameters* APar, bool AEncoder)
{
    return CodecDisplayName(APar->codec_id, APar->codec_tag, AEncoder);
}

std::string CodecDisplayName(const AVCodecContext* ACtx, bool AEncoder)
{
    return CodecDisplayName(ACtx->codec_id, ACtx->codec_tag, AEncoder);
}

std::string PixelFormatName(int AFormat)
{
    const char* name = ff::av_get_pix_fmt_name(AVPixelFormat(AFormat));
    return name ? std::string(name) : platform::Format("none (%d)", AFormat);
}

std::string MediaTypeName(int AMediaType)
{
    static const char* const names[] = {"Video", "Audio", "Data", "Subtitle", "Attachment"};
    return AMediaType >= 0 && AMediaType < 5 ? names[AMediaType] : "Unknown";
}

int ReadWholeFile(const std::string& AFileName, uint8_t*& ABuffer, int& ASize)
{
    ABuffer = nullptr;
    ASize = 0;
    FILE* f = crt::fopen(AFileName.c_str(), "rb");
    if (!f)
        return -1;
    crt::fseek(f, 0, SEEK_END);
    const long size = crt::ftell(f);
    crt::fseek(f, 0, SEEK_SET);
    if (size < 0 || size >= INT32_MAX) {
        crt::fclose(f);
        return -1;
    }
    ABuffer = static_cast<uint8_t*>(ff::av_malloc(size_t(size) + 1));
    if (!ABuffer) {
        crt::fclose(f);
        return AVERROR(ENOMEM);
    }
    const size_t got = crt::fread(ABuffer, 1, size_t(size), f);
    ABuffer[got] = 0;
    ASize = int(got) + 1;
    crt::fclose(f);
    return 0;
}

TFrameBitmap::TFrameBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat) : FPixelFormat(APixelFormat)
{
    SetSize(AWidth, AHeight);
}

int TFrameBitmap::RowBytes() const
{
    const int bytes = FWidth * (FPixelFormat == pf32bit ? 4 : 3);
    return (bytes + 3) & ~3;
}

void TFrameBitmap::SetSize(int AWidth, int AHeight)
{
    FWidth = std::max(AWidth, 0);
    FHeight = std::max(AHeight, 0);
    FPixels.assign(size_t(RowBytes()) * size_t(FHeight), 0);
}

void ResetRGBConvertContext(TRGBConvertContext& AContext)
{
    delete AContext.Bitmap;
    if (AContext.RGBBuf)
        ff::av_free(AContext.RGBBuf);
    if (AContext.toRGB_convert_ctx)
        ff::sws_freeContext(AContext.toRGB_convert_ctx);
    if (AContext.fromRGB_convert_ctx)
        ff::sws_freeContext(AContext.fromRGB_convert_ctx);
    AContext = TRGBConvertContext{};
}

TFrameBitmap* NewBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat)
{
    return new TFrameBitmap(AWidth, AHeight, APixelFormat);
}

namespace {

bool ConvertToRGB(TRGBConvertContext& C, const uint8_t* const AData[4], const int ALineSize[4],
                  AVPixelFormat APixFmt, int AWidth, int AHeight)
{
    // The scaler does not check the formats it is given before using them.
    if (APixFmt <= AV_PIX_FMT_NONE || APixFmt >= AV_PIX_FMT_NB || !ff::sws_isSupportedInput(APixFmt) ||
        !ff::sws_isSupportedOutput(C.RGBPixFmt))
        return false;
    const int size = ff::av_image_get_buffer_size(C.RGBPixFmt, AWidth, AHeight, 1);
    if (size < 0)
        return false;
    if (!C.RGBBuf || C.RGBBufSize < size) {
        if (C.RGBBuf)
            ff::av_free(C.RGBBuf);
        C.RGBBuf = static_cast<uint8_t*>(ff::av_malloc(size_t(size)));
        C.RGBBufSize = C.RGBBuf ? size : 0;
        if (!C.RGBBuf)
            return false;
    }
    ff::av_image_fill_arrays(C.RGBPicture.data, C.RGBPicture.linesize, C.RGBBuf, C.RGBPixFmt, AWidth, AHeight, 1);
    C.toRGB_convert_ctx = ff::sws_getCachedContext(C.toRGB_convert_ctx, AWidth, AHeight, APixFmt, AWidth, AHeight,
                                                   C.RGBPixFmt, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!C.toRGB_convert_ctx)
        return false;
    ff::sws_scale(C.toRGB_convert_ctx, AData, ALineSize, 0, AHeight, C.RGBPicture.data, C.RGBPicture.linesize);
    C.RGBPictureRef = &C.RGBPicture;
    return true;
}

} // namespace

bool PictureToBitmap(TRGBConvertContext& AContext, const uint8_t* const AData[4], const int ALineSize[4],
                     AVPixelFormat APixFmt, int AWidth, int AHeight)
{
    TRGBConvertContext& C = AContext;
    if (!C.Bitmap)
        C.Bitmap = NewBitmap(AWidth, AHeight, C.BMPPixFmt);
    C.Bitmap->SetSize(AWidth, AHeight);
    const bool direct = APixFmt == C.RGBPixFmt && AWidth % 2 == 0 && AHeight % 2 == 0 &&
                        ALineSize[0] == ((AWidth * 3 + 3) & ~3);
    if (direct) {
        for (int i = 0; i < 4; ++i) {
            C.CallerPicture.data[i] = const_cast<uint8_t*>(AData[i]);
            C.CallerPicture.linesize[i] = ALineSize[i];
        }
        C.RGBPictureRef = &C.CallerPicture;
    } else if (!ConvertToRGB(C, AData, ALineSize, APixFmt, AWidth, AHeight)) {
        return false;
    }
    // A picture row longer than a bitmap row (another pixel size) is cut at
    // the bitmap's row, never written past it.
    const uint8_t* src = C.RGBPictureRef->data[0];
    const int stride = C.RGBPictureRef->linesize[0];
    const size_t rowBytes = size_t(std::min(std::abs(stride), C.Bitmap->RowBytes()));
    for (int y = 0; y < AHeight; ++y, src += stride)
        std::memcpy(C.Bitmap->ScanLine(y), src, rowBytes);
    return true;
}

} // namespace engine
