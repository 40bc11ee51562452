#pragma once
// Text forms of times, errors, codecs and media types; the converter's
// per-task option sets; reading a whole file; pictures into bitmaps.

#include "engine/base/FFHeaders.h"
#include "engine/base/Paths.h"

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

// "N/A" for no time, else "%.2d:%.2d:%.2d.%.3d" (hours not wrapped).
std::string TimeToText(int64_t AMicroseconds);
// Microseconds per frame of a frame rate; 40000 when either part is 0.
int64_t FrameDuration(const AVRational* ARate);

// The engine's own code for a file name that needs a frame number.
constexpr int AVERROR_NUMEXPECTED = -33;
// APrefix, ": " and the text of an FFmpeg error code.
std::string AVErrorText(const std::string& APrefix, int ACode);

std::string MetadataValue(const AVDictionary* AMetadata, const std::string& AKey, const std::string& ADefault);
// "short(long name)", or the tag's characters, for a stream's codec.
std::string CodecDisplayName(AVCodecID ACodecID, uint32_t ACodecTag, bool AEncoder);
std::string CodecDisplayName(const AVCodecParameters* APar, bool AEncoder);
std::string CodecDisplayName(const AVCodecContext* ACtx, bool AEncoder);
std::string MediaTypeName(int AMediaType);
// The library's name of a pixel format, or "none (N)" for a value it does
// not know.
std::string PixelFormatName(int AFormat);

// The converter's generic options of one task, kept by kind until the
// codecs, files and scalers they belong to are opened.
struct TFFOptions {
    std::vector<std::string> opt_names;  // each option taken, by its own name, in order
    AVDictionary* codec_opts[5] = {};    // by media type: video, audio, data, subtitle, attachment
    AVDictionary* format_opts = nullptr; // muxer and demuxer options, their private ones too
    AVDictionary* sws_opts = nullptr;    // scaler options
};

void InitFFOptions(TFFOptions& AOptions);
// Starts a set whose scaler options hold AScalerFlags as "sws_flags".
void AllocFFOptions(TFFOptions& AOptions, int AScalerFlags);
void FreeFFOptions(TFFOptions& AOptions);
// Takes an option that the converter does not handle itself: True when a
// codec, format or scaler option of that name (private options of codecs
// and muxers included, or with an "a", "v" or "s" prefix the option of that
// media type) takes the value. A value the option refuses is logged as
// "Invalid value \"%s\" for option \"%s\"" at the error level; a name no
// option has answers False without a message.
bool SetGenericOption(TFFOptions& AOptions, const std::string& AName, const std::string& AValue);
// Sets on ATarget (an object with options: a codec, format or scaler
// context) every recorded option that ASource holds and that ATarget, or one
// of its children (its private options), has with all of AFlags
// (AV_OPT_FLAG_*). Answers how many were set.
int ApplyRecordedOptions(const TFFOptions& AOptions, void* ATarget, const AVDictionary* ASource, int AFlags);

// Reads a file into a zero-terminated buffer from av_malloc; ASize counts
// the zero. 0, or -1 when the file cannot be opened, or AVERROR(ENOMEM).
int ReadWholeFile(const std::string& AFileName, uint8_t*& ABuffer, int& ASize);

// The four planes of a picture, as frame hooks receive them.
struct TAVPicture {
    uint8_t* data[4] = {};
    int linesize[4] = {};
};

enum TPixelFormat { pf24bit, pf32bit };

// A top-down bitmap of 24-bit BGR or 32-bit BGRA pixels, rows padded to
// four bytes. It stands for the platform's bitmap until the two are joined.
class TFrameBitmap {
public:
    TFrameBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetSize(int AWidth, int AHeight);
    int RowBytes() const;
    uint8_t* ScanLine(int ARow) { return FPixels.data() + size_t(ARow) * size_t(RowBytes()); }
    const uint8_t* ScanLine(int ARow) const { return FPixels.data() + size_t(ARow) * size_t(RowBytes()); }

private:
    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = pf24bit;
    std::vector<uint8_t> FPixels;
};

struct TRGBConvertContext {
    AVPixelFormat RGBPixFmt = AV_PIX_FMT_BGR24;
    TPixelFormat BMPPixFmt = pf24bit;
    TFrameBitmap* Bitmap = nullptr;            // owned
    uint8_t* RGBBuf = nullptr;                 // av_malloc
    int RGBBufSize = 0;
    TAVPicture RGBPicture;
    const TAVPicture* RGBPictureRef = nullptr; // the picture last copied into the bitmap
    TAVPicture CallerPicture;                  // a direct copy's view of the caller's picture
    SwsContext* toRGB_convert_ctx = nullptr;
    SwsContext* fromRGB_convert_ctx = nullptr;
};

// Frees what the context holds and puts it back to BGR24 and 24 bits.
void ResetRGBConvertContext(TRGBConvertContext& AContext);
TFrameBitmap* NewBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat);
// Converts a picture into the context's bitmap (made on first use, resized
// to the picture). False when no scaler can be made for the format.
bool PictureToBitmap(TRGBConvertContext& AContext, const uint8_t* const AData[4], const int ALineSize[4],
                     AVPixelFormat APixFmt, int AWidth, int AHeight);

} // namespace engine
