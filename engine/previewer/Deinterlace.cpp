#include "engine/previewer/Deinterlace.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace engine {

namespace {

struct TPlaneShift {
    int Width;  // chroma width = width >> Width
    int Height; // chroma height = height >> Height
    bool Chroma;
};

// The formats the blend handles, with the size of their chroma planes.
struct TDeinterlaceFormat {
    AVPixelFormat PixFmt;
    TPlaneShift Shift;
};

constexpr TDeinterlaceFormat DeinterlaceFormats[] = {
    {AV_PIX_FMT_YUV420P, {1, 1, true}},  {AV_PIX_FMT_YUVJ420P, {1, 1, true}},
    {AV_PIX_FMT_YUV422P, {1, 0, true}},  {AV_PIX_FMT_YUVJ422P, {1, 0, true}},
    {AV_PIX_FMT_YUV444P, {0, 0, true}},  {AV_PIX_FMT_YUV411P, {2, 0, true}},
    {AV_PIX_FMT_GRAY8, {0, 0, false}},
};

uint8_t Clip(int AValue)
{
    return uint8_t(std::clamp(AValue, 0, 255));
}

// One rebuilt line: five source lines around it, weighted -1 4 2 4 -1.
void BlendLine(uint8_t* ADst, const uint8_t* AM2, const uint8_t* AM1, const uint8_t* A0, const uint8_t* AP1,
               const uint8_t* AP2, int AWidth)
{
    for (int x = 0; x < AWidth; ++x) {
        const int sum = -AM2[x] + (AM1[x] << 2) + (A0[x] << 1) + (AP1[x] << 2) - AP2[x];
        ADst[x] = Clip((sum + 4) >> 3);
    }
}

// Keeps the even lines and rebuilds each odd line from the lines two above
// to two below it; the edges repeat the first and last line.
void DeinterlacePlane(uint8_t* ADst, int ADstWrap, const uint8_t* ASrc, int ASrcWrap, int AWidth, int AHeight)
{
    auto line = [&](int y) { return ASrc + ptrdiff_t(std::clamp(y, 0, AHeight - 1)) * ASrcWrap; };
    for (int y = 0; y < AHeight; y += 2) {
        std::memcpy(ADst + ptrdiff_t(y) * ADstWrap, line(y), size_t(AWidth));
        BlendLine(ADst + ptrdiff_t(y + 1) * ADstWrap, line(y - 1), line(y), line(y + 1), line(y + 2), line(y + 3),
                  AWidth);
    }
}

} // namespace

int DeinterlacePicture(const TAVPicture& ADst, const TAVPicture& ASrc, AVPixelFormat APixFmt, int AWidth,
                       int AHeight)
{
    const auto format = std::find_if(std::begin(DeinterlaceFormats), std::end(DeinterlaceFormats),
                                      [&](const TDeinterlaceFormat& F) { return F.PixFmt == APixFmt; });
    if (format == std::end(DeinterlaceFormats) || AWidth <= 0 || AHeight <= 0 || AWidth % 4 != 0 ||
        AHeight % 4 != 0)
        return -1;
    const int planes = format->Shift.Chroma ? 3 : 1;
    for (int i = 0; i < planes; ++i) {
        const int width = i == 0 ? AWidth : AWidth >> format->Shift.Width;
        const int height = i == 0 ? AHeight : AHeight >> format->Shift.Height;
        if (ADst.data[i] != ASrc.data[i]) {
            DeinterlacePlane(ADst.data[i], ADst.linesize[i], ASrc.data[i], ASrc.linesize[i], width, height);
            continue;
        }
        // In place: every rebuilt line reads lines that are rewritten
        // later, so the blend reads from a copy of the plane.
        std::vector<uint8_t> copy(size_t(width) * size_t(height));
        for (int y = 0; y < height; ++y)
            std::memcpy(copy.data() + size_t(y) * size_t(width), ASrc.data[i] + ptrdiff_t(y) * ASrc.linesize[i],
                        size_t(width));
        DeinterlacePlane(ADst.data[i], ADst.linesize[i], copy.data(), width, width, height);
    }
    return 0;
}

} // namespace engine
