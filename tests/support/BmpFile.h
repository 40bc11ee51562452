#pragma once
// 24-bit BMP files made by the tests, bottom row first as the format keeps them.

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

namespace testsupport {

// The 54-byte file and information headers of an AWidth x AHeight picture.
inline std::string BmpHeader(int AWidth, int AHeight)
{
    const int rowBytes = (AWidth * 3 + 3) / 4 * 4;
    const uint32_t imageSize = uint32_t(rowBytes * AHeight);
    std::string bmp(54, '\0');
    auto put32 = [&](size_t AAt, uint32_t AValue) { std::memcpy(&bmp[AAt], &AValue, 4); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54 + imageSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(AWidth));
    put32(22, uint32_t(AHeight));
    bmp[26] = 1;
    bmp[28] = 24;
    put32(34, imageSize);
    return bmp;
}

// A BMP file whose pixel (x, y) is APixel(x, y), 0x00RRGGBB.
inline std::string BmpFile(int AWidth, int AHeight, const std::function<uint32_t(int, int)>& APixel)
{
    const int rowBytes = (AWidth * 3 + 3) / 4 * 4;
    std::string bmp = BmpHeader(AWidth, AHeight);
    bmp.resize(54 + size_t(rowBytes) * size_t(AHeight), '\0');
    for (int y = 0; y < AHeight; ++y)
        for (int x = 0; x < AWidth; ++x) {
            const uint32_t c = APixel(x, y);
            const size_t at = 54 + size_t(AHeight - 1 - y) * size_t(rowBytes) + size_t(x) * 3;
            bmp[at] = char(c & 0xFF);
            bmp[at + 1] = char((c >> 8) & 0xFF);
            bmp[at + 2] = char((c >> 16) & 0xFF);
        }
    return bmp;
}

} // namespace testsupport
