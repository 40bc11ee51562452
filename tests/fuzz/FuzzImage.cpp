// The picture readers (one program per format, chosen by FUZZ_IMAGE_FORMAT):
// a file is either refused with the reader's error or gives an image within
// the size bounds whose pixels are all there; an image read is written again
// by the same format's writer and reads back at the same size (with the same
// pixels where the format is lossless).

#include "fuzz/FuzzCheck.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include "platform/gfx/ImageCodecs.h"

#include <zlib.h>

#include <cstring>
#include <vector>

using namespace platform;

namespace {

struct TFormat {
    void (*Read)(TStream&, TImageData&);
    void (*Write)(TStream&, const TImageData&);
    bool Lossless;
};

const TFormat Formats[] = {
    {ReadBmp, [](TStream& S, const TImageData& I) { WriteBmp(S, I, 32); }, true},
    {ReadPng, [](TStream& S, const TImageData& I) { WritePng(S, I, true, 1); }, true},
    {ReadJpeg, [](TStream& S, const TImageData& I) { WriteJpeg(S, I, 75); }, false},
    {ReadGif, [](TStream& S, const TImageData& I) { WriteGif(S, I); }, false},
};
const TFormat& Format = Formats[FUZZ_IMAGE_FORMAT];

// Writing back is skipped for images too large to do on every input.
constexpr int64_t MaxRoundTripPixels = int64_t(1) << 20;

// PNG chunks carry checksums that almost every mutation breaks; they are
// set right first so that the fuzzer reaches the image data.
void FixPngChecksums(std::vector<uint8_t>& ABytes)
{
    size_t At = 8;
    while (At + 12 <= ABytes.size()) {
        const uint32_t Length = uint32_t(ABytes[At]) << 24 | uint32_t(ABytes[At + 1]) << 16 |
                                uint32_t(ABytes[At + 2]) << 8 | ABytes[At + 3];
        if (Length > ABytes.size() - At - 12)
            return;
        const uint32_t Crc = uint32_t(crc32(0, &ABytes[At + 4], uInt(Length + 4)));
        for (int I = 0; I < 4; ++I)
            ABytes[At + 8 + Length + I] = uint8_t(Crc >> (24 - 8 * I));
        At += 12 + Length;
    }
}

bool Read(const uint8_t* AData, size_t ASize, TImageData& AImage)
{
    std::vector<uint8_t> Bytes(AData, AData + ASize);
    if (Format.Read == ReadPng)
        FixPngChecksums(Bytes);
    TMemoryStream Stream;
    Stream.Write(Bytes.data(), int64_t(Bytes.size()));
    Stream.Seek(0, soBeginning);
    try {
        Format.Read(Stream, AImage);
        return true;
    } catch (const Exception&) {
        // Refused with a message: the expected end of a damaged file.
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TImageData Image;
    if (!Read(Data, Size, Image))
        return 0;
    FUZZ_CHECK(Image.Width > 0 && Image.Height > 0);
    FUZZ_CHECK(Image.Width <= MaxImageSide && Image.Height <= MaxImageSide);
    FUZZ_CHECK(int64_t(Image.Width) * Image.Height <= MaxImagePixels);
    FUZZ_CHECK(Image.Pixels.size() == size_t(Image.Width) * size_t(Image.Height));
    if (int64_t(Image.Width) * Image.Height > MaxRoundTripPixels)
        return 0;

    TMemoryStream Written;
    Format.Write(Written, Image);
    TImageData Again;
    FUZZ_CHECK(Read(Written.Memory(), size_t(Written.Size()), Again));
    FUZZ_CHECK(Again.Width == Image.Width && Again.Height == Image.Height);
    if (Format.Lossless) {
        // Alpha is only compared where the first image said it carries any.
        const uint32_t Mask = Image.HasAlpha ? 0xFFFFFFFFu : 0x00FFFFFFu;
        for (size_t I = 0; I < Image.Pixels.size(); ++I)
            FUZZ_CHECK((Image.Pixels[I] & Mask) == (Again.Pixels[I] & Mask));
    }
    return 0;
}
