#include "program/ScreenText.h"

#include "platform/gfx/Graphics.h"

#include <algorithm>
#include <cstdlib>

namespace programtest {

namespace {

// The text's ink in its text cell: pixels the strokes
// cover nearly whole, pixels they leave clear, and their smoothed edges,
// which another colour pair may show either way.
enum TInk : uint8_t { Clear, Edge, Solid };
struct TTextMask {
    int Width = 0, Height = 0, Ink = 0;
    std::vector<TInk> Bits;
    TInk At(int X, int Y) const { return Bits[size_t(Y * Width + X)]; }
};

int Luminance3(uint32_t P) { return int(P & 0xFF) + int((P >> 8) & 0xFF) + int((P >> 16) & 0xFF); }

TTextMask RenderText(const std::string& AText, const char* AFontName, int AFontHeight)
{
    using namespace platform;
    TBitmap b;
    b.SetPixelFormat(pf32bit);
    b.Canvas()->Font()->SetName(AFontName);
    b.Canvas()->Font()->SetHeight(AFontHeight);
    const TSize size = b.Canvas()->TextExtent(AText);
    TTextMask m;
    m.Width = size.cx;
    m.Height = size.cy;
    b.SetSize(m.Width, m.Height);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(Rect(0, 0, m.Width, m.Height));
    b.Canvas()->Font()->SetColor(clBlack);
    b.Canvas()->Brush()->SetStyle(bsClear);
    b.Canvas()->TextOut(0, 0, AText);
    m.Bits.resize(size_t(m.Width * m.Height));
    for (int y = 0; y < m.Height; ++y)
        for (int x = 0; x < m.Width; ++x) {
            const int light = Luminance3(reinterpret_cast<const uint32_t*>(b.ScanLine(y))[x]);
            const TInk ink = light < 3 * 64 ? Solid : light > 3 * 230 ? Clear : Edge;
            m.Bits[size_t(y * m.Width + x)] = ink;
            m.Ink += ink == Solid;
        }
    return m;
}

bool Differs(uint32_t A, uint32_t B)
{
    const int d = std::abs(int(A & 0xFF) - int(B & 0xFF)) + std::abs(int((A >> 8) & 0xFF) - int((B >> 8) & 0xFF)) +
                  std::abs(int((A >> 16) & 0xFF) - int((B >> 16) & 0xFF));
    return d > 3 * 60;
}

} // namespace

std::vector<platform::TPoint> FindTextIn(const TScreenImage& AImage, const std::string& AText, const char* AFontName,
                                         int AFontHeight)
{
    std::vector<platform::TPoint> found;
    const TTextMask m = RenderText(AText, AFontName, AFontHeight);
    // The background is the colour at the box's corner; ink is what differs
    // from it clearly (a selected row inverts the colours).
    const int allowed = std::max(1, m.Ink / 12);
    for (int oy = 0; oy + m.Height <= AImage.Height; ++oy)
        for (int ox = 0; ox + m.Width <= AImage.Width; ++ox) {
            const uint32_t bg = AImage.At(ox, oy);
            int misses = 0;
            for (int y = 0; y < m.Height && misses <= allowed; ++y)
                for (int x = 0; x < m.Width && misses <= allowed; ++x)
                    if (const TInk ink = m.At(x, y); ink != Edge)
                        misses += (ink == Solid) != Differs(AImage.At(ox + x, oy + y), bg);
            const bool apart = std::none_of(found.begin(), found.end(), [&](platform::TPoint P) {
                return std::abs(P.X - ox) < m.Width && std::abs(P.Y - oy) < m.Height;
            });
            if (misses <= allowed && apart)
                found.push_back(platform::Point(ox, oy));
        }
    return found;
}

} // namespace programtest
