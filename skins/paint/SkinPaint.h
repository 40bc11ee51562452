#pragma once
// A small anti-aliased painter for the pictures of the program's own skin:
// shapes are sampled 4 x 4 per pixel and blended over what is there, so
// rounded corners, marks and arrows come out smooth at 1x.

#include "platform/gfx/ImageCodecs.h"

#include <functional>
#include <string>

namespace skinpaint {

using platform::TImageData;

// 0xRRGGBB.
using TRgb = uint32_t;

constexpr TRgb Rgb(int R, int G, int B) { return TRgb((R << 16) | (G << 8) | B); }

// The colour key of pieces drawn with a transparent background: their
// bottom-left pixel holds it.
constexpr TRgb Key = Rgb(255, 0, 255);

struct TBox {
    int Left, Top, Right, Bottom;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    TBox Inset(int D) const { return {Left + D, Top + D, Right - D, Bottom - D}; }
};

class TPainter {
public:
    TPainter(int AWidth, int AHeight, TRgb ABackground);

    TImageData& Image() { return FImage; }
    void Fill(const TBox& ABox, TRgb AColor);
    void Pixel(int X, int Y, TRgb AColor, double AAlpha = 1);
    // A shape given by its inside test (pixel centres at x + 0.5), painted
    // within ABox.
    void Shape(const TBox& ABox, const std::function<bool(double, double)>& AInside, TRgb AColor);
    // A rounded rectangle filled with AFill inside an AEdgeWidth border of
    // AEdge (no border when AEdgeWidth is 0).
    void RoundRect(const TBox& ABox, double ARadius, TRgb AFill, TRgb AEdge, int AEdgeWidth = 1);
    void Disk(double ACenterX, double ACenterY, double ARadius, TRgb AColor);
    // A line of width AWidth with round ends.
    void Line(double X0, double Y0, double X1, double Y1, double AWidth, TRgb AColor);
    // A filled triangle.
    void Triangle(double X0, double Y0, double X1, double Y1, double X2, double Y2, TRgb AColor);
    // Pixels of exactly ABackground inside ABox become the colour key, so a
    // piece drawn over ABackground keeps its smooth edges and loses the rest.
    void KeyOut(const TBox& ABox, TRgb ABackground);
    void HLine(int X0, int X1, int Y, TRgb AColor) { Fill({X0, Y, X1, Y + 1}, AColor); }
    void VLine(int X, int Y0, int Y1, TRgb AColor) { Fill({X, Y0, X + 1, Y1}, AColor); }

    // Writes the picture as a 24-bit BMP file; raises on failure.
    void Save(const std::string& AFileName) const;

private:
    TImageData FImage;
};

// Chevrons and arrows centred in a box: the glyphs of scroll, combo and
// menu buttons.
enum class TDirection { Up, Down, Left, Right };
void Chevron(TPainter& P, const TBox& ABox, TDirection ADirection, double ASize, TRgb AColor);
void Arrow(TPainter& P, const TBox& ABox, TDirection ADirection, double ASize, TRgb AColor);
void CheckMark(TPainter& P, const TBox& ABox, double AWidth, TRgb AColor);

} // namespace skinpaint
