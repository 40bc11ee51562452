// The back buffers of top-level windows. A buffer is made when its window is
// first drawn, not when the window is made: many windows (dialogs built
// ahead, windows sized again while they are set up) are never or only later
// shown. Once made, a buffer follows its window's size in the memory it has,
// keeping what was drawn, so a growing window shows no hole until it paints.

#include "platform/ui/WindowSystem.h"

#include <algorithm>
#include <cstring>

namespace platform::detail {

namespace {

// Lays AWidth x AHeight out in ABuffer, keeping the common part of the
// AOldWidth x AOldHeight picture there; what is new is clear.
void Relayout(std::vector<uint32_t>& ABuffer, int AOldWidth, int AOldHeight, int AWidth, int AHeight)
{
    const size_t size = size_t(AWidth) * size_t(AHeight);
    if (size > ABuffer.capacity()) {
        std::vector<uint32_t> grown(size, 0);
        const int w = std::min(AWidth, AOldWidth), h = std::min(AHeight, AOldHeight);
        for (int y = 0; y < h; ++y)
            std::memcpy(&grown[size_t(y) * size_t(AWidth)], &ABuffer[size_t(y) * size_t(AOldWidth)], size_t(w) * 4);
        ABuffer.swap(grown);
        return;
    }
    if (size > ABuffer.size())
        ABuffer.resize(size);
    const int kept = std::min(AHeight, AOldHeight);
    uint32_t* bits = ABuffer.data();
    if (AWidth <= AOldWidth) {
        // Rows move towards the start: top row first.
        for (int y = 1; y < kept; ++y)
            std::memmove(bits + size_t(y) * size_t(AWidth), bits + size_t(y) * size_t(AOldWidth), size_t(AWidth) * 4);
    } else {
        // Rows move towards the end: bottom row first, each widened with clear pixels.
        for (int y = kept - 1; y >= 0; --y) {
            uint32_t* row = bits + size_t(y) * size_t(AWidth);
            std::memmove(row, bits + size_t(y) * size_t(AOldWidth), size_t(AOldWidth) * 4);
            std::memset(row + AOldWidth, 0, size_t(AWidth - AOldWidth) * 4);
        }
    }
    if (AHeight > kept)
        std::memset(bits + size_t(kept) * size_t(AWidth), 0, size_t(AHeight - kept) * size_t(AWidth) * 4);
    ABuffer.resize(size);
}

} // namespace

void ResizeBackBuffer(TWindowData* ATop)
{
    if (!ATop->BufferMade)
        return;
    const int w = std::max(0, ATop->Rect.Width()), h = std::max(0, ATop->Rect.Height());
    Relayout(ATop->Buffer, ATop->BufferWidth, ATop->BufferHeight, w, h);
    ATop->BufferWidth = w;
    ATop->BufferHeight = h;
}

TPixelSurface SurfaceOf(TWindowData* ATop)
{
    if (!ATop->BufferMade) {
        ATop->BufferWidth = std::max(0, ATop->Rect.Width());
        ATop->BufferHeight = std::max(0, ATop->Rect.Height());
        ATop->Buffer.assign(size_t(ATop->BufferWidth) * size_t(ATop->BufferHeight), 0);
        ATop->BufferMade = true;
    }
    TPixelSurface s;
    s.Bits = reinterpret_cast<uint8_t*>(ATop->Buffer.data());
    s.Width = ATop->BufferWidth;
    s.Height = ATop->BufferHeight;
    s.Stride = intptr_t(ATop->BufferWidth) * 4;
    s.BitCount = 32;
    return s;
}

} // namespace platform::detail
