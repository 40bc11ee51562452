#pragma once
// The class library's small value types shared by graphics, windows and the
// skin engine: points, rectangles, colours, text alignment and font styles.
// Rectangles exclude their right and bottom edges, as the window system's do.

#include <cstdint>
#include <initializer_list>

namespace platform {

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    // Empty: no pixel inside (a width or height of 0 or less).
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int32_t AX, int32_t AY) { return {AX, AY}; }
inline TRect Rect(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom)
{
    return {ALeft, ATop, ARight, ABottom};
}
inline TRect Bounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight)
{
    return {ALeft, ATop, ALeft + AWidth, ATop + AHeight};
}

// $00BBGGRR, or a system colour: the flag 0xFF000000 plus the colour's index
// (so the button face colour is -16777201).
using TColor = int32_t;

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of font styles.
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> AStyles)
    {
        for (TFontStyle S : AStyles)
            FBits |= Bit(S);
    }
    constexpr bool Contains(TFontStyle S) const { return FBits & Bit(S); }
    constexpr void Include(TFontStyle S) { FBits |= Bit(S); }
    constexpr void Exclude(TFontStyle S) { FBits &= uint8_t(~Bit(S)); }
    constexpr bool IsEmpty() const { return FBits == 0; }
    constexpr uint8_t Bits() const { return FBits; }
    friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

private:
    static constexpr uint8_t Bit(TFontStyle S) { return uint8_t(1u << S); }
    uint8_t FBits = 0;
};

} // namespace platform
