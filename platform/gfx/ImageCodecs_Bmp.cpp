// BMP files: every bit depth of the format, both row orders, run-length
// compression and bit fields on reading; 24 or 32 bits on writing.

#include <algorithm>
#include <cstring>

#include "platform/gfx/ImageCodecs.h"

namespace platform {

namespace {

[[noreturn]] void Bad(const std::string& AWhy)
{
    throw EInvalidGraphic("Bitmap image is not valid: " + AWhy);
}

uint32_t Get32(const uint8_t* P) { return uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16 | uint32_t(P[3]) << 24; }
uint16_t Get16(const uint8_t* P) { return uint16_t(P[0] | P[1] << 8); }

struct TBmpHeader {
    int Width = 0;
    int Height = 0;
    bool TopDown = false;
    int BitCount = 0;
    uint32_t Compression = BI_RGB;
    uint32_t Masks[4] = {0, 0, 0, 0};
    std::vector<uint32_t> Palette;
};

// Bits of a channel by its mask, scaled to 0..255.
uint32_t Channel(uint32_t V, uint32_t AMask)
{
    if (AMask == 0)
        return 0;
    int Shift = 0;
    while (!((AMask >> Shift) & 1))
        ++Shift;
    uint32_t M = AMask >> Shift, C = (V & AMask) >> Shift;
    return uint32_t((uint64_t(C) * 255 + M / 2) / M);
}

void DecodeRle(const std::vector<uint8_t>& AData, const TBmpHeader& H, std::vector<uint8_t>& AIndexes)
{
    // Indexes per pixel, bottom row first; pixels never written stay 0.
    AIndexes.assign(size_t(H.Width) * size_t(H.Height), 0);
    int X = 0, Y = 0;
    size_t I = 0;
    bool Four = H.Compression == BI_RLE4;
    auto Put = [&](uint8_t V) {
        if (X < H.Width && Y < H.Height)
            AIndexes[size_t(Y) * size_t(H.Width) + size_t(X)] = V;
        ++X;
    };
    while (I + 1 < AData.size() && Y < H.Height) {
        uint8_t N = AData[I], V = AData[I + 1];
        I += 2;
        if (N > 0) {
            for (int K = 0; K < N; ++K)
                Put(Four ? ((K & 1) ? V & 15 : V >> 4) : V);
            continue;
        }
        if (V == 0) {
            X = 0;
            ++Y;
        } else if (V == 1) {
            return;
        } else if (V == 2) {
            if (I + 1 >= AData.size())
                Bad("run-length data ends inside a move");
            X += AData[I];
            Y += AData[I + 1];
            I += 2;
        } else {
            size_t Bytes = Four ? (V + 1) / 2 : V;
            if (I + Bytes > AData.size())
                Bad("run-length data is truncated");
            for (int K = 0; K < V; ++K)
                Put(Four ? ((K & 1) ? AData[I + size_t(K / 2)] & 15 : AData[I + size_t(K / 2)] >> 4) : AData[I + size_t(K)]);
            I += (Bytes + 1) & ~size_t(1);
        }
    }
}

TBmpHeader ReadHeader(TStream& AStream, int64_t AStart, uint32_t& AOffBits, uint32_t& AFileSize)
{
    uint8_t F[14];
    if (AStream.Read(F, 14) != 14 || F[0] != 'B' || F[1] != 'M')
        Bad("no BMP signature");
    AFileSize = Get32(F + 2);
    AOffBits = Get32(F + 10);
    uint8_t Info[124] = {};
    if (AStream.Read(Info, 4) != 4)
        Bad("truncated header");
    uint32_t Size = Get32(Info);
    if (Size != 12 && Size != 40 && Size != 52 && Size != 56 && Size != 64 && Size != 108 && Size != 124)
        Bad("unknown header size " + std::to_string(Size));
    if (AStream.Read(Info + 4, Size - 4) != int64_t(Size - 4))
        Bad("truncated header");
    TBmpHeader H;
    if (Size == 12) {
        H.Width = Get16(Info + 4);
        H.Height = int16_t(Get16(Info + 6));
        H.BitCount = Get16(Info + 10);
    } else {
        H.Width = int32_t(Get32(Info + 4));
        H.Height = int32_t(Get32(Info + 8));
        H.BitCount = Get16(Info + 14);
        H.Compression = Get32(Info + 16);
    }
    if (H.Height < 0) {
        H.TopDown = true;
        H.Height = H.Height == INT32_MIN ? 0 : -H.Height;
    }
    CheckImageSize(H.Width, H.Height, "Bitmap");
    const int Depths[] = {1, 4, 8, 16, 24, 32};
    if (std::find(std::begin(Depths), std::end(Depths), H.BitCount) == std::end(Depths))
        Bad("unsupported bit count " + std::to_string(H.BitCount));
    bool Rle = H.Compression == BI_RLE8 || H.Compression == BI_RLE4;
    if ((H.Compression == BI_RLE8 && H.BitCount != 8) || (H.Compression == BI_RLE4 && H.BitCount != 4) ||
        (H.Compression == BI_BITFIELDS && H.BitCount != 16 && H.BitCount != 32) || (Rle && H.TopDown) ||
        H.Compression > BI_BITFIELDS)
        Bad("unsupported compression");
    if (H.BitCount == 16) {
        H.Masks[0] = 0x7C00, H.Masks[1] = 0x03E0, H.Masks[2] = 0x001F;
    } else if (H.BitCount == 32) {
        H.Masks[0] = 0xFF0000, H.Masks[1] = 0xFF00, H.Masks[2] = 0xFF, H.Masks[3] = 0xFF000000u;
    }
    if (H.Compression == BI_BITFIELDS) {
        uint8_t M[12];
        if (Size >= 52)
            std::memcpy(M, Info + 40, 12);
        else if (AStream.Read(M, 12) != 12)
            Bad("truncated bit fields");
        for (int K = 0; K < 3; ++K)
            H.Masks[K] = Get32(M + 4 * K);
        H.Masks[3] = Size >= 56 ? Get32(Info + 52) : 0;
    }
    if (H.BitCount <= 8) {
        uint32_t Used = Size >= 40 ? Get32(Info + 32) : 0;
        uint32_t Max = 1u << H.BitCount;
        if (Used > Max)
            Bad("palette of " + std::to_string(Used) + " colours for " + std::to_string(H.BitCount) + " bits");
        if (Used == 0)
            Used = Max;
        int Entry = Size == 12 ? 3 : 4;
        std::vector<uint8_t> Pal(size_t(Used) * size_t(Entry));
        if (AStream.Read(Pal.data(), int64_t(Pal.size())) != int64_t(Pal.size()))
            Bad("truncated palette");
        H.Palette.resize(Max, 0xFF000000u);
        for (uint32_t K = 0; K < Used; ++K) {
            const uint8_t* P = &Pal[size_t(K) * size_t(Entry)];
            H.Palette[K] = 0xFF000000u | uint32_t(P[2]) << 16 | uint32_t(P[1]) << 8 | P[0];
        }
    }
    if (AOffBits == 0 || AOffBits < 14 + Size)
        AOffBits = uint32_t(AStream.Position() - AStart);
    return H;
}

} // namespace

void ReadBmp(TStream& AStream, TImageData& AImage)
{
    int64_t Start = AStream.Position();
    uint32_t OffBits = 0, FileSize = 0;
    TBmpHeader H = ReadHeader(AStream, Start, OffBits, FileSize);
    int64_t RowBytes = ((int64_t(H.Width) * H.BitCount + 31) / 32) * 4;
    bool Rle = H.Compression == BI_RLE8 || H.Compression == BI_RLE4;
    int64_t Available = AStream.Size() - (Start + OffBits);
    int64_t Need = !Rle ? RowBytes * H.Height
                  : FileSize > OffBits ? std::min<int64_t>(Available, int64_t(FileSize) - OffBits) : Available;
    // Checked before anything the size of the image is allocated.
    if (Available < Need || Need <= 0)
        Bad("pixel data is truncated");
    if (Rle)
        CheckImageData(H.Width, H.Height, Need, BmpRlePixelsPerByte, "Bitmap");
    std::vector<uint8_t> Data(static_cast<size_t>(Need));
    AStream.SetPosition(Start + OffBits);
    AStream.ReadBuffer(Data.data(), Need);
    AllocateImage(AImage, H.Width, H.Height, "Bitmap");
    AImage.SourceBitCount = H.BitCount;
    std::vector<uint8_t> Indexes;
    if (Rle)
        DecodeRle(Data, H, Indexes);
    bool AnyAlpha = false;
    for (int Row = 0; Row < H.Height; ++Row) {
        int Y = H.TopDown ? Row : H.Height - 1 - Row; // image row of stored row
        const uint8_t* P = Rle ? nullptr : &Data[size_t(RowBytes * Row)];
        for (int X = 0; X < H.Width; ++X) {
            uint32_t V;
            if (Rle) {
                V = H.Palette[Indexes[size_t(Row) * size_t(H.Width) + size_t(X)] % H.Palette.size()];
            } else if (H.BitCount <= 8) {
                int Bit = X * H.BitCount;
                unsigned Index = (P[Bit / 8] >> (8 - H.BitCount - Bit % 8)) & ((1u << H.BitCount) - 1);
                V = H.Palette[Index];
            } else if (H.BitCount == 24) {
                V = 0xFF000000u | uint32_t(P[X * 3 + 2]) << 16 | uint32_t(P[X * 3 + 1]) << 8 | P[X * 3];
            } else {
                uint32_t Raw = H.BitCount == 16 ? Get16(P + X * 2) : Get32(P + X * 4);
                uint32_t A = H.Masks[3] != 0 ? Channel(Raw, H.Masks[3]) : 255;
                AnyAlpha |= H.Masks[3] != 0 && A != 0;
                V = A << 24 | Channel(Raw, H.Masks[0]) << 16 | Channel(Raw, H.Masks[1]) << 8 | Channel(Raw, H.Masks[2]);
            }
            AImage.At(X, Y) = V;
        }
    }
    // 32-bit files whose alpha bytes are all 0 carry no alpha: opaque.
    if (H.Masks[3] != 0 && !AnyAlpha)
        for (uint32_t& V : AImage.Pixels)
            V |= 0xFF000000u;
    AImage.HasAlpha = H.Masks[3] != 0 && AnyAlpha;
    // Leave the stream after the file, as the header gives its length.
    int64_t End = Start + OffBits + Need;
    if (FileSize >= OffBits + Need && Start + int64_t(FileSize) <= AStream.Size())
        End = Start + FileSize;
    AStream.SetPosition(End);
}

void WriteBmp(TStream& AStream, const TImageData& AImage, int ABitCount)
{
    int Bpp = ABitCount == 32 ? 32 : 24;
    uint32_t RowBytes = uint32_t(((AImage.Width * Bpp + 31) / 32) * 4);
    uint32_t DataSize = RowBytes * uint32_t(AImage.Height);
    BITMAPFILEHEADER F;
    F.bfOffBits = 54;
    F.bfSize = 54 + DataSize;
    BITMAPINFOHEADER H;
    H.biWidth = AImage.Width;
    H.biHeight = AImage.Height;
    H.biBitCount = WORD(Bpp);
    H.biSizeImage = DataSize;
    H.biXPelsPerMeter = H.biYPelsPerMeter = 3780; // 96 DPI
    AStream.WriteBuffer(&F, sizeof(F));
    AStream.WriteBuffer(&H, sizeof(H));
    std::vector<uint8_t> Row(RowBytes, 0);
    for (int Y = AImage.Height - 1; Y >= 0; --Y) {
        for (int X = 0; X < AImage.Width; ++X) {
            uint32_t V = AImage.At(X, Y);
            uint8_t* P = &Row[size_t(X * (Bpp / 8))];
            P[0] = uint8_t(V);
            P[1] = uint8_t(V >> 8);
            P[2] = uint8_t(V >> 16);
            if (Bpp == 32)
                P[3] = uint8_t(V >> 24);
        }
        AStream.WriteBuffer(Row.data(), RowBytes);
    }
}

} // namespace platform
