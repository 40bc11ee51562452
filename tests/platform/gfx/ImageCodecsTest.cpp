// Image files: round trips through every format, hand-made BMP variants and
// malformed files that must be refused cleanly.
#include <cstring>
#include <gtest/gtest.h>

#include "platform/gfx/GifImg.h"
#include "platform/gfx/ImageCodecs.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PngImage.h"
#include "support/TestSupport.h"

using namespace platform;

namespace {

TImageData Sample(int W, int H, bool AAlpha)
{
    TImageData I;
    I.Width = W;
    I.Height = H;
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            I.Pixels.push_back(uint32_t(AAlpha ? (X * 40) & 0xFF : 255) << 24 | uint32_t(X * 15) << 16 |
                               uint32_t(Y * 30) << 8 | 0x40);
    I.HasAlpha = AAlpha;
    return I;
}

void Put16(std::string& S, int V) { S += char(V & 0xFF), S += char((V >> 8) & 0xFF); }
void Put32(std::string& S, int64_t V)
{
    for (int I = 0; I < 4; ++I)
        S += char((V >> (8 * I)) & 0xFF);
}

// A BMP built by hand: header fields as given, then palette and data.
std::string Bmp(int W, int H, int Bits, int Compression, int Colors, const std::string& APalette,
                const std::string& AData)
{
    std::string S = "BM";
    int Off = 54 + int(APalette.size());
    Put32(S, Off + int64_t(AData.size()));
    Put32(S, 0);
    Put32(S, Off);
    Put32(S, 40);
    Put32(S, W);
    Put32(S, H);
    Put16(S, 1);
    Put16(S, Bits);
    Put32(S, Compression);
    Put32(S, int64_t(AData.size()));
    Put32(S, 0);
    Put32(S, 0);
    Put32(S, Colors);
    Put32(S, 0);
    return S + APalette + AData;
}

TImageData ReadBmpText(const std::string& AFile)
{
    TMemoryStream M;
    M.WriteBuffer(AFile.data(), int64_t(AFile.size()));
    M.SetPosition(0);
    TImageData I;
    ReadBmp(M, I);
    EXPECT_EQ(M.Position(), int64_t(AFile.size())); // the stream is left after the file
    return I;
}

TEST(ImageCodecs, BmpRoundTrip24And32)
{
    for (int Bits : {24, 32}) {
        TImageData In = Sample(5, 3, Bits == 32), Out;
        TMemoryStream M;
        WriteBmp(M, In, Bits);
        EXPECT_EQ(M.Size(), 54 + (Bits == 24 ? 16 : 20) * 3);
        M.SetPosition(0);
        ReadBmp(M, Out);
        ASSERT_EQ(Out.Width, 5);
        for (size_t I = 0; I < In.Pixels.size(); ++I)
            EXPECT_EQ(Out.Pixels[I], Bits == 24 ? (In.Pixels[I] | 0xFF000000u) : In.Pixels[I]);
    }
}

TEST(ImageCodecs, BmpPalettesRleAndTopDown)
{
    std::string Pal2 = std::string("\0\0\0\0", 4) + std::string("\xFF\xFF\xFF\0", 4);
    // 1 bit, 3 x 2, bottom-up: bottom row 101, top row 010.
    TImageData One = ReadBmpText(Bmp(3, 2, 1, BI_RGB, 2, Pal2, std::string("\xA0\0\0\0\x40\0\0\0", 8)));
    EXPECT_EQ(One.At(0, 1), 0xFFFFFFFFu);
    EXPECT_EQ(One.At(1, 1), 0xFF000000u);
    EXPECT_EQ(One.At(1, 0), 0xFFFFFFFFu);
    // 8-bit RLE: a run of 3 of index 1, end of line, a padded literal of 3, end of bitmap.
    std::string Rle("\x03\x01\x00\x00\x00\x03\x01\x00\x01\x00\x00\x01", 12);
    TImageData R = ReadBmpText(Bmp(3, 2, 8, BI_RLE8, 2, Pal2, Rle));
    EXPECT_EQ(R.At(2, 1), 0xFFFFFFFFu); // bottom row all index 1
    EXPECT_EQ(R.At(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(R.At(1, 0), 0xFF000000u);
    // 24-bit top-down: the first stored row is the top one.
    std::string Td = Bmp(1, -2, 24, BI_RGB, 0, "", std::string("\x01\x02\x03\0\x04\x05\x06\0", 8));
    TImageData T = ReadBmpText(Td);
    EXPECT_EQ(T.At(0, 0), 0xFF030201u);
    // 16-bit 5-5-5: pure red.
    TImageData S = ReadBmpText(Bmp(1, 1, 16, BI_RGB, 0, "", std::string("\x00\x7C\0\0", 4)));
    EXPECT_EQ(S.At(0, 0), 0xFFFF0000u);
}

TEST(ImageCodecs, MalformedFilesAreRefused)
{
    std::string Good = Bmp(2, 2, 24, BI_RGB, 0, "", std::string(16, '\x10'));
    std::string BadPalette = Bmp(1, 1, 1, BI_RGB, 3, std::string(12, '\0'), std::string(4, '\0'));
    const std::string Cases[] = {
        Good.substr(0, 40),                                     // truncated header
        Good.substr(0, Good.size() - 3),                        // truncated pixels
        Bmp(30000, 30000, 24, BI_RGB, 0, "", std::string(8, 0)), // huge dimensions
        Bmp(-4, 4, 24, BI_RGB, 0, "", std::string(64, 0)),        // negative width
        Bmp(2, 2, 7, BI_RGB, 0, "", std::string(16, 0)),          // odd bit count
        BadPalette,                                              // more colours than bits allow
        Bmp(2, -2, 8, BI_RLE8, 0, std::string(1024, 0), "\0\1"), // top-down RLE
        std::string("PK\3\4 not a bitmap"),
    };
    for (const std::string& C : Cases) {
        TMemoryStream M;
        M.WriteBuffer(C.data(), int64_t(C.size()));
        M.SetPosition(0);
        TImageData I;
        EXPECT_THROW(ReadBmp(M, I), EInvalidGraphic) << C.size();
    }
    const std::string Others[] = {std::string("\x89PNG\r\n\x1a\n\0\0", 10), std::string("\xFF\xD8\xFF\xE0\0\x10", 6),
                                  std::string("GIF89a\x10\0", 8)};
    for (int K = 0; K < 3; ++K) {
        TMemoryStream M;
        M.WriteBuffer(Others[K].data(), int64_t(Others[K].size()));
        M.SetPosition(0);
        TImageData I;
        if (K == 0) {
            EXPECT_THROW(ReadPng(M, I), EInvalidGraphic);
        } else if (K == 1) {
            EXPECT_THROW(ReadJpeg(M, I), EInvalidGraphic);
        } else {
            EXPECT_THROW(ReadGif(M, I), EInvalidGraphic);
        }
    }
}

// A few bytes of compressed data cannot ask for a huge picture: the reader
// refuses before it allocates.
TEST(ImageCodecs, SmallFilesCannotAskForHugePictures)
{
    std::string Gif = "GIF89a";
    Put16(Gif, 8000), Put16(Gif, 8000);
    Gif += std::string("\x80\0\0", 3) + std::string(6, '\0') + ",";
    Put16(Gif, 0), Put16(Gif, 0), Put16(Gif, 8000), Put16(Gif, 8000);
    Gif += std::string("\0\x02\x02\x4C\x01\0;", 7);
    const std::string Rle = std::string(1020, '\0') + std::string("\0\1", 2);
    const struct {
        const char* Name;
        std::string File;
        void (*Read)(TStream&, TImageData&);
    } Cases[] = {
        {"run-length BMP", Bmp(8000, 8000, 8, BI_RLE8, 2, std::string(8, '\0'), Rle), ReadBmp},
        {"GIF", Gif, ReadGif},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TMemoryStream M;
        M.WriteBuffer(C.File.data(), int64_t(C.File.size()));
        M.SetPosition(0);
        TImageData I;
        try {
            C.Read(M, I);
            ADD_FAILURE() << "read";
        } catch (const EInvalidGraphic& E) {
            EXPECT_NE(std::string(E.what()).find("cannot fill 8000 x 8000 pixels"), std::string::npos) << E.what();
        }
        EXPECT_TRUE(I.Pixels.empty());
    }
}

TEST(ImageCodecs, PngJpegGifRoundTrips)
{
    TImageData In = Sample(16, 8, true), Out;
    TMemoryStream P;
    WritePng(P, In, true);
    P.SetPosition(0);
    ReadPng(P, Out);
    EXPECT_TRUE(Out.HasAlpha);
    EXPECT_EQ(Out.Pixels, In.Pixels);

    TImageData Opaque = Sample(16, 8, false);
    TMemoryStream J;
    WriteJpeg(J, Opaque, 95);
    J.SetPosition(0);
    ReadJpeg(J, Out);
    ASSERT_EQ(Out.Width, 16);
    for (size_t I = 0; I < Opaque.Pixels.size(); ++I)
        for (int C = 0; C < 24; C += 8)
            EXPECT_NEAR(int((Out.Pixels[I] >> C) & 0xFF), int((Opaque.Pixels[I] >> C) & 0xFF), 40);

    TMemoryStream G;
    WriteGif(G, Opaque); // few colours: kept exactly
    G.SetPosition(0);
    ReadGif(G, Out);
    EXPECT_EQ(Out.Pixels, Opaque.Pixels);
}

TEST(ImageCodecs, PicturesByExtensionAndIndependentCheck)
{
    testsupport::TTempDir Dir;
    TBitmap B;
    B.SetPixelFormat(pf24bit);
    B.SetSize(40, 30);
    B.Canvas()->Brush()->SetColor(clYellow);
    B.Canvas()->FillRect(Rect(0, 0, 40, 30));
    for (const char* Ext : {".bmp", ".jpg", ".png", ".gif"}) {
        std::string Name = Dir.File(std::string("snap") + Ext);
        std::unique_ptr<TGraphic> G = CreateGraphicForExtension(Ext);
        ASSERT_NE(G, nullptr);
        G->Assign(&B);
        G->SaveToFile(Name);
        TPicture P;
        P.LoadFromFile(Name);
        EXPECT_EQ(P.Width(), 40) << Ext;
        TBitmap* Back = P.Bitmap();
        (void)Back;
        std::string Out;
        // Debian's ffprobe reads every snapshot format.
        EXPECT_EQ(testsupport::RunCommand("ffprobe -v error -show_entries stream=width,height -of csv=p=0 " +
                                              testsupport::ShellQuote(Name),
                                          &Out),
                  0);
        EXPECT_EQ(Out.substr(0, 5), "40,30") << Ext;
    }
    TPicture P;
    EXPECT_THROW(P.LoadFromFile(Dir.File("x.tiff")), EInvalidGraphic);
}

TEST(ImageCodecs, PngKeepsAlphaThroughBitmap)
{
    TPngImage Png;
    Png.SetImage(Sample(4, 2, true));
    TBitmap B;
    B.Assign(&Png);
    EXPECT_EQ(B.PixelFormat(), pf32bit);
    EXPECT_EQ(B.ScanLine(0)[7], 40); // alpha of pixel 1
    TJPEGImage J;
    J.Assign(&B);
    J.CompressionQuality = 50;
    TMemoryStream M;
    J.SaveToStream(M);
    EXPECT_GT(M.Size(), 100);
}

} // namespace
