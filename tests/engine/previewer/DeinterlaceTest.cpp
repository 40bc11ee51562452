#include "engine/previewer/Deinterlace.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace engine;

namespace {

// Line values by plane height: a source column and the column the blend
// must make of it (worked out by hand from the weights -1 4 2 4 -1).
const std::map<int, std::pair<std::vector<int>, std::vector<int>>> Columns = {
    {4, {{0, 0, 255, 255}, {0, 96, 255, 255}}},   // the last line saturates at 255
    {8, {{0, 200, 0, 200, 0, 200, 0, 200}, {0, 25, 0, 0, 0, 0, 0, 100}}},
};
const std::vector<int> ClipLowSource = {0, 255, 0, 0}, ClipLowResult = {0, 64, 0, 0};

constexpr uint8_t Padding = 0x55;

// A plane whose rows are wider than the picture, the padding marked.
struct TPlane {
    int Width, Height, Stride;
    std::vector<uint8_t> Bytes;
    TPlane(int AWidth, int AHeight, const std::vector<int>& AColumn)
        : Width(AWidth), Height(AHeight), Stride(AWidth + 4), Bytes(size_t(Stride * AHeight), Padding)
    {
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                Bytes[size_t(y * Stride + x)] = uint8_t(AColumn.empty() ? 0 : AColumn[size_t(y)]);
    }
    void ExpectColumn(const std::vector<int>& AColumn) const
    {
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x)
                ASSERT_EQ(Bytes[size_t(y * Stride + x)], AColumn[size_t(y)]) << "x " << x << " y " << y;
            for (int x = Width; x < Stride; ++x)
                ASSERT_EQ(Bytes[size_t(y * Stride + x)], Padding) << "padding written at y " << y;
        }
    }
};

struct TPicture {
    std::vector<TPlane> Planes;
    TAVPicture Picture;
    TPicture(std::vector<TPlane> APlanes) : Planes(std::move(APlanes))
    {
        for (size_t i = 0; i < Planes.size(); ++i) {
            Picture.data[i] = Planes[i].Bytes.data();
            Picture.linesize[i] = Planes[i].Stride;
        }
    }
};

struct TFormatCase {
    AVPixelFormat PixFmt;
    int Width, Height;
    int ChromaWidth, ChromaHeight; // 0: no chroma planes
};

const TFormatCase FormatCases[] = {
    {AV_PIX_FMT_YUV420P, 8, 8, 4, 4},  {AV_PIX_FMT_YUVJ420P, 8, 8, 4, 4}, {AV_PIX_FMT_YUV422P, 8, 8, 4, 8},
    {AV_PIX_FMT_YUVJ422P, 8, 4, 4, 4}, {AV_PIX_FMT_YUV444P, 4, 8, 4, 8},  {AV_PIX_FMT_YUV411P, 8, 8, 2, 8},
    {AV_PIX_FMT_GRAY8, 4, 4, 0, 0},
};

TPicture MakePicture(const TFormatCase& C, bool AWithContent)
{
    auto column = [&](int AHeight) { return AWithContent ? Columns.at(AHeight).first : std::vector<int>{}; };
    std::vector<TPlane> planes{TPlane(C.Width, C.Height, column(C.Height))};
    if (C.ChromaWidth)
        for (int i = 0; i < 2; ++i)
            planes.emplace_back(C.ChromaWidth, C.ChromaHeight, column(C.ChromaHeight));
    return TPicture(std::move(planes));
}

TEST(Deinterlace, EveryFormatBlendsItsOddLinesOnEveryPlane)
{
    for (const TFormatCase& c : FormatCases) {
        SCOPED_TRACE(int(c.PixFmt));
        TPicture src = MakePicture(c, true);
        TPicture dst = MakePicture(c, false);
        ASSERT_EQ(DeinterlacePicture(dst.Picture, src.Picture, c.PixFmt, c.Width, c.Height), 0);
        for (const TPlane& plane : dst.Planes)
            plane.ExpectColumn(Columns.at(plane.Height).second);
        for (const TPlane& plane : src.Planes)
            plane.ExpectColumn(Columns.at(plane.Height).first);
    }
}

TEST(Deinterlace, InPlaceGivesTheSamePicture)
{
    for (const TFormatCase& c : FormatCases) {
        SCOPED_TRACE(int(c.PixFmt));
        TPicture pic = MakePicture(c, true);
        ASSERT_EQ(DeinterlacePicture(pic.Picture, pic.Picture, c.PixFmt, c.Width, c.Height), 0);
        for (const TPlane& plane : pic.Planes)
            plane.ExpectColumn(Columns.at(plane.Height).second);
    }
}

TEST(Deinterlace, BlendClipsBelowBlack)
{
    TPicture src({TPlane(4, 4, ClipLowSource)});
    TPicture dst({TPlane(4, 4, {})});
    ASSERT_EQ(DeinterlacePicture(dst.Picture, src.Picture, AV_PIX_FMT_GRAY8, 4, 4), 0);
    dst.Planes[0].ExpectColumn(ClipLowResult);
}

TEST(Deinterlace, OtherFormatsAndSizesAreRefusedUntouched)
{
    const struct {
        AVPixelFormat PixFmt;
        int Width, Height;
    } cases[] = {
        {AV_PIX_FMT_RGB24, 8, 8}, {AV_PIX_FMT_NV12, 8, 8},  {AV_PIX_FMT_YUV420P10LE, 8, 8},
        {AV_PIX_FMT_GRAY8, 6, 8}, {AV_PIX_FMT_GRAY8, 8, 6}, {AV_PIX_FMT_GRAY8, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.PixFmt));
        TPicture src({TPlane(8, 8, Columns.at(8).first)});
        TPicture dst({TPlane(8, 8, {})});
        EXPECT_EQ(DeinterlacePicture(dst.Picture, src.Picture, c.PixFmt, c.Width, c.Height), -1);
        dst.Planes[0].ExpectColumn(std::vector<int>(8, 0));
    }
}

} // namespace
