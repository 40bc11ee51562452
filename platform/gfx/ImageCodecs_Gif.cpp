// GIF files through giflib: the first frame read onto a transparent screen,
// one frame written with a palette of at most 256 colours.

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <map>

#include "platform/gfx/ImageCodecs.h"

namespace platform {

namespace {

int GifRead(GifFileType* AGif, GifByteType* AData, int ALength)
{
    auto* S = static_cast<TStream*>(AGif->UserData);
    return int(S->Read(AData, ALength));
}

int GifWrite(GifFileType* AGif, const GifByteType* AData, int ALength)
{
    auto* S = static_cast<TStream*>(AGif->UserData);
    return int(S->Write(AData, ALength));
}

[[noreturn]] void Bad(int AError)
{
    const char* Text = GifErrorString(AError);
    throw EInvalidGraphic(std::string("GIF image is not valid: ") + (Text != nullptr ? Text : "unknown error"));
}

struct TGifCloser {
    GifFileType* Gif;
    ~TGifCloser()
    {
        int E;
        if (Gif != nullptr)
            DGifCloseFile(Gif, &E);
    }
};

void ReadFrame(GifFileType* Gif, int ATransparent, TImageData& AImage)
{
    const GifImageDesc& D = Gif->Image;
    ColorMapObject* Map = D.ColorMap != nullptr ? D.ColorMap : Gif->SColorMap;
    if (Map == nullptr)
        throw EInvalidGraphic("GIF image is not valid: no colour table");
    std::vector<GifPixelType> Line(size_t(D.Width));
    const int Offsets[] = {0, 4, 2, 1}, Steps[] = {8, 8, 4, 2};
    int Passes = D.Interlace ? 4 : 1;
    for (int Pass = 0; Pass < Passes; ++Pass)
        for (int Y = D.Interlace ? Offsets[Pass] : 0; Y < D.Height; Y += D.Interlace ? Steps[Pass] : 1) {
            if (DGifGetLine(Gif, Line.data(), D.Width) == GIF_ERROR)
                Bad(Gif->Error);
            int TY = D.Top + Y;
            for (int X = 0; X < D.Width; ++X) {
                int TX = D.Left + X, I = Line[size_t(X)];
                if (TX >= AImage.Width || TY >= AImage.Height || I == ATransparent || I >= Map->ColorCount)
                    continue;
                const GifColorType& C = Map->Colors[I];
                AImage.At(TX, TY) = 0xFF000000u | uint32_t(C.Red) << 16 | uint32_t(C.Green) << 8 | C.Blue;
            }
        }
}

} // namespace

void ReadGif(TStream& AStream, TImageData& AImage)
{
    int Error = 0;
    TGifCloser G{DGifOpen(&AStream, GifRead, &Error)};
    if (G.Gif == nullptr)
        Bad(Error);
    int Transparent = -1;
    AImage = TImageData();
    for (;;) {
        GifRecordType Type;
        if (DGifGetRecordType(G.Gif, &Type) == GIF_ERROR)
            Bad(G.Gif->Error);
        if (Type == TERMINATE_RECORD_TYPE)
            throw EInvalidGraphic("GIF image is not valid: no image in the file");
        if (Type == EXTENSION_RECORD_TYPE) {
            int Code;
            GifByteType* Ext = nullptr;
            if (DGifGetExtension(G.Gif, &Code, &Ext) == GIF_ERROR)
                Bad(G.Gif->Error);
            if (Code == GRAPHICS_EXT_FUNC_CODE && Ext != nullptr && Ext[0] >= 4 && (Ext[1] & 1))
                Transparent = Ext[4];
            while (Ext != nullptr)
                if (DGifGetExtensionNext(G.Gif, &Ext) == GIF_ERROR)
                    Bad(G.Gif->Error);
            continue;
        }
        if (Type != IMAGE_DESC_RECORD_TYPE)
            continue;
        if (DGifGetImageDesc(G.Gif) == GIF_ERROR)
            Bad(G.Gif->Error);
        // The screen and the frame are no larger than the rest of the file
        // can fill.
        const int64_t Left = AStream.Size() - AStream.Position();
        int W = G.Gif->SWidth, H = G.Gif->SHeight;
        CheckImageData(G.Gif->Image.Width, G.Gif->Image.Height, Left, GifPixelsPerByte, "GIF");
        CheckImageData(W, H, Left, GifPixelsPerByte, "GIF");
        AImage.Width = W;
        AImage.Height = H;
        AImage.Pixels.assign(size_t(W) * size_t(H), 0);
        ReadFrame(G.Gif, Transparent, AImage);
        break;
    }
    AImage.SourceBitCount = 8;
    AImage.HasAlpha = std::any_of(AImage.Pixels.begin(), AImage.Pixels.end(), [](uint32_t V) { return V >> 24 == 0; });
}

void WriteGif(TStream& AStream, const TImageData& AImage)
{
    size_t N = size_t(AImage.Width) * size_t(AImage.Height);
    std::vector<GifByteType> R(N), G(N), B(N), Out(N);
    for (size_t I = 0; I < N; ++I) {
        R[I] = GifByteType(AImage.Pixels[I] >> 16);
        G[I] = GifByteType(AImage.Pixels[I] >> 8);
        B[I] = GifByteType(AImage.Pixels[I]);
    }
    GifColorType Colors[256];
    int Count = 256;
    // Pictures with few colours keep them exactly; others are quantised.
    std::map<uint32_t, int> Exact;
    for (size_t I = 0; I < N && Exact.size() <= 256; ++I)
        Exact.emplace(AImage.Pixels[I] & 0xFFFFFF, 0);
    if (Exact.size() <= 256) {
        int K = 0;
        for (auto& [C, Index] : Exact) {
            Index = K;
            Colors[K++] = {GifByteType(C >> 16), GifByteType(C >> 8), GifByteType(C)};
        }
        for (size_t I = 0; I < N; ++I)
            Out[I] = GifByteType(Exact[AImage.Pixels[I] & 0xFFFFFF]);
        Count = 256;
        for (int K2 = K; K2 < 256; ++K2)
            Colors[K2] = {0, 0, 0};
    } else if (GifQuantizeBuffer(unsigned(AImage.Width), unsigned(AImage.Height), &Count, R.data(), G.data(),
                                 B.data(), Out.data(), Colors) == GIF_ERROR) {
        throw EInvalidGraphic("Cannot write GIF image: colour reduction failed");
    }
    int Error = 0;
    GifFileType* Gif = EGifOpen(&AStream, GifWrite, &Error);
    if (Gif == nullptr)
        Bad(Error);
    ColorMapObject* Map = GifMakeMapObject(256, Colors);
    bool Ok = EGifPutScreenDesc(Gif, AImage.Width, AImage.Height, 8, 0, Map) != GIF_ERROR &&
              EGifPutImageDesc(Gif, 0, 0, AImage.Width, AImage.Height, false, nullptr) != GIF_ERROR;
    for (int Y = 0; Ok && Y < AImage.Height; ++Y)
        Ok = EGifPutLine(Gif, &Out[size_t(Y) * size_t(AImage.Width)], AImage.Width) != GIF_ERROR;
    int E = Gif->Error;
    GifFreeMapObject(Map);
    EGifCloseFile(Gif, &Error);
    if (!Ok)
        throw EInvalidGraphic(std::string("Cannot write GIF image: ") + GifErrorString(E));
}

} // namespace platform
