// TbsBitmap: its stream format, PCX pictures and pictures shipped beside
// a module.

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "skin/core/bseffects.h"
#include "skin/core/bseffects_Link.h"

namespace skin {

using namespace platform;

void TbsBitmap::SaveToStream(TStream& AStream)
{
    WriteStreamString(AStream, Name);
    int32_t Size[2] = {FWidth, FHeight};
    AStream.WriteBuffer(Size, sizeof(Size));
    if (!Empty())
        AStream.WriteBuffer(FBits, int64_t(FWidth) * FHeight * 4);
}

void TbsBitmap::LoadFromStream(TStream& AStream)
{
    ReadStreamString(AStream, Name);
    int32_t Size[2];
    AStream.ReadBuffer(Size, sizeof(Size));
    int64_t W = Size[0], H = std::abs(int64_t(Size[1]));
    // Damaged sizes would ask for more pixels than the stream holds; refuse
    // them before allocating anything.
    if (W * H * 4 > AStream.Size() - AStream.Position())
        throw EReadError("Stream read error");
    SetSize(int(W), int(H));
    if (Empty() || FWidth != W || FHeight != H)
        return;
    AStream.ReadBuffer(FBits, W * H * 4);
    if (Size[1] <= 0)
        FlipVert();
}

// ---- PCX

namespace {

#pragma pack(push, 1)
struct TPcxHeader {
    uint8_t Manufacturer;
    uint8_t Version;
    uint8_t Encoding;
    uint8_t BitsPerPixel;
    uint16_t XMin, YMin, XMax, YMax;
    uint8_t Rest1[53];
    uint8_t Planes;
    uint16_t BytesPerLine;
    uint8_t Rest2[60];
};
#pragma pack(pop)
static_assert(sizeof(TPcxHeader) == 128);

// The 16 colours of the system palette that version 3 files assume.
constexpr std::array<TbsColor, 16> PcxSystemPalette16 = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

std::array<TbsColor, 256> ReadPcxPalette(TStream& AStream, int AVersion)
{
    std::array<TbsColor, 256> Pal{};
    if (AVersion == 3) {
        std::copy(PcxSystemPalette16.begin(), PcxSystemPalette16.end(), Pal.begin());
        return Pal;
    }
    int64_t Pos = AStream.Position();
    if (AStream.Size() - 769 >= Pos) {
        uint8_t Raw[769];
        AStream.SetPosition(AStream.Size() - 769);
        AStream.ReadBuffer(Raw, sizeof(Raw));
        for (int I = 0; I < 256; ++I)
            Pal[size_t(I)] = (TbsColor(Raw[1 + 3 * I]) << 16) | (TbsColor(Raw[2 + 3 * I]) << 8) | Raw[3 + 3 * I];
        AStream.SetPosition(Pos);
    }
    return Pal;
}

// Run-length data: a byte of 192 or more repeats the next byte (its low 6
// bits times), never past what the picture still needs.
std::vector<uint8_t> DecodePcx(const std::vector<uint8_t>& AData, size_t ANeeded)
{
    std::vector<uint8_t> Out;
    Out.reserve(ANeeded);
    for (size_t I = 0; I < AData.size() && Out.size() < ANeeded; ++I) {
        uint8_t B = AData[I];
        if (B < 192) {
            Out.push_back(B);
            continue;
        }
        if (++I >= AData.size())
            break;
        size_t N = std::min<size_t>(B & 63, ANeeded - Out.size());
        Out.insert(Out.end(), N, AData[I]);
    }
    return Out;
}

} // namespace

void TbsBitmap::LoadFromPcxStream(TStream& AStream)
{
    TPcxHeader Hdr;
    if (AStream.Read(&Hdr, sizeof(Hdr)) != int64_t(sizeof(Hdr)))
        return;
    if (Hdr.Manufacturer != 10 && Hdr.Manufacturer != 205)
        return;
    int W = int(Hdr.XMax) - int(Hdr.XMin) + 1, H = int(Hdr.YMax) - int(Hdr.YMin) + 1;
    size_t LineLen = size_t(Hdr.Planes) * Hdr.BytesPerLine;
    if (W <= 0 || H <= 0)
        return;
    std::array<TbsColor, 256> Pal = ReadPcxPalette(AStream, Hdr.Version);
    std::vector<uint8_t> Data(size_t(std::max<int64_t>(0, AStream.Size() - AStream.Position())));
    if (!Data.empty())
        Data.resize(size_t(AStream.Read(Data.data(), int64_t(Data.size()))));
    if (Hdr.Encoding == 1)
        Data = DecodePcx(Data, LineLen * size_t(H));
    SetSize(W, H);
    // Rows short of data (a truncated file) stay black.
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            size_t I = size_t(Y) * LineLen + size_t(X);
            uint8_t Index = X < int(LineLen) && I < Data.size() ? Data[I] : 0;
            *GetPixelPtr(X, Y) = Pal[Index] | 0xFF000000;
        }
}

// There are no resource sections in modules here: a module's bitmaps are
// files <name>.bmp in the module's folder, or in the program's folder when
// the module is not found. A missing picture leaves the bitmap as it is.
void TbsBitmap::LoadFromResource(const std::string& AResFileName, const std::string& AResName)
{
    std::string Dir = DirectoryExists(AResFileName) ? IncludeTrailingPathDelimiter(AResFileName)
                      : FileExists(AResFileName) ? ExtractFilePath(AResFileName)
                                                 : ExtractFilePath(GetExeFileName());
    std::string File = Dir + AResName + ".bmp";
    if (!FileExists(File))
        return;
    TBitmap Bmp;
    Bmp.LoadFromFile(File);
    Assign(&Bmp);
}

} // namespace skin
