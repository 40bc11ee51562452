#pragma once
// Fonts for the graphics interface: the platform's face names mapped to
// installed families through fontconfig, faces rendered by FreeType into
// cached coverage glyphs, and a CJK fallback face for characters the chosen
// face lacks. Metrics follow the platform's rules: a negative height is the
// em size in pixels, a positive one the cell height (ascent + descent).

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/gfx/FontFaces.h"
#include "platform/gfx/GdiTypes.h"

namespace platform {

struct TGlyph {
    int Advance = 0;  // pixels
    int Left = 0;     // coverage box relative to the pen position
    int Top = 0;      // rows above the baseline (positive up)
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Coverage; // Width x Height, 0..255
};

class TSizedFont {
public:
    virtual ~TSizedFont() = default;
    // The glyph of a character, rendered once and kept.
    virtual const TGlyph& Glyph(char32_t ACh) = 0;
    TEXTMETRIC Metrics;
    int UnderlinePos = 1;       // pixels below the baseline
    int UnderlineThickness = 1;
    int StrikeOutPos = 3;       // pixels above the baseline
    bool Underline = false;
    bool StrikeOut = false;
    std::string Family;         // installed family actually used
};

// The font for a logical font; kept for the life of the process. Callers
// hold FontEngineLock() while they use it.
TSizedFont& GetSizedFont(const LOGFONT& AFont);
std::mutex& FontEngineLock();

// UTF-8 to code points; malformed bytes become U+FFFD.
std::u32string DecodeUtf8(std::string_view AText);

} // namespace platform
