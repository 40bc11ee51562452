#include "app/forms/OutputPictures.h"

#include "skin/core/bsPngImageList.h"

#include "platform/gfx/Graphics.h"
#include "platform/gfx/PngImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <memory>
#include <vector>

namespace app {

using namespace platform;

namespace {

// Pictures are painted four times larger and then averaged down, so their
// edges and letters come out smooth. The key colour marks what stays clear.
constexpr int Oversample = 4;
const TColor Key = TColor(RGB(255, 0, 255));
const TColor White = TColor(RGB(255, 255, 255));

// In the order of SymbolParts' table.
enum class TSymbol { Film, Note, Letters, Player, Phone, Handheld, Screen, Pad, Pocket, Bolt, Tablet, Disc };

struct TCategoryLook {
    TSymbol Symbol;
    TColor Tile;
    const char* Letters; // for TSymbol::Letters
};

// By case number; 16 to 18 name no category of the combos and get the film.
const TCategoryLook CategoryLooks[CategoryPictureCount] = {
    {TSymbol::Film, TColor(RGB(52, 104, 196)), ""},       // 0 video
    {TSymbol::Note, TColor(RGB(226, 120, 30)), ""},       // 1 audio
    {TSymbol::Letters, TColor(RGB(40, 40, 48)), "HD"},    // 2 HD video
    {TSymbol::Player, TColor(RGB(120, 130, 150)), ""},    // 3 iPod
    {TSymbol::Phone, TColor(RGB(60, 66, 80)), ""},        // 4 iPhone
    {TSymbol::Handheld, TColor(RGB(30, 60, 120)), ""},    // 5 PSP
    {TSymbol::Letters, TColor(RGB(30, 150, 140)), "3GP"}, // 6 3GP
    {TSymbol::Screen, TColor(RGB(150, 150, 160)), ""},    // 7 APPLE
    {TSymbol::Pad, TColor(RGB(70, 150, 40)), ""},         // 8 XboX
    {TSymbol::Pocket, TColor(RGB(140, 70, 170)), ""},     // 9 PMP
    {TSymbol::Letters, TColor(RGB(200, 50, 60)), "MP4"},  // 10 MP4
    {TSymbol::Bolt, TColor(RGB(210, 40, 40)), ""},        // 11 Flash
    {TSymbol::Tablet, TColor(RGB(90, 96, 110)), ""},      // 12 iPad
    {TSymbol::Disc, TColor(RGB(50, 120, 200)), ""},       // 13 MPG
    {TSymbol::Letters, TColor(RGB(220, 70, 40)), "SWF"},  // 14 SWF
    {TSymbol::Letters, TColor(RGB(40, 100, 170)), "AVI"}, // 15 AVI
    {TSymbol::Film, TColor(RGB(130, 130, 130)), ""},      // 16
    {TSymbol::Film, TColor(RGB(130, 130, 130)), ""},      // 17
    {TSymbol::Film, TColor(RGB(130, 130, 130)), ""},      // 18
    {TSymbol::Phone, TColor(RGB(120, 180, 40)), ""},      // 19 Android
};

const TColor ProfileColours[ProfilePictureCount] = {TColor(RGB(36, 112, 200)), TColor(RGB(40, 160, 70)),
                                                    TColor(RGB(230, 150, 30))};

// Coordinates on a 16-unit grid, scaled to the painted size.
struct TGrid {
    int S;
    int operator()(double AUnits) const { return int(std::lround(AUnits * S / 16.0)); }
    TPoint P(double X, double Y) const { return TPoint{(*this)(X), (*this)(Y)}; }
    TRect R(double L, double T, double Rt, double B) const { return TRect{(*this)(L), (*this)(T), (*this)(Rt), (*this)(B)}; }
};

void Fill(TCanvas* C, TColor AColour)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(AColour);
    C->Pen()->SetColor(AColour);
    C->Pen()->SetWidth(1);
}

void Rounded(TCanvas* C, const TGrid& G, double L, double T, double R, double B, double ACorner)
{
    C->RoundRect(G(L), G(T), G(R), G(B), G(ACorner), G(ACorner));
}

// The largest height up to AMost (and no less than 4) at which AText fits
// AWidth; the canvas's font is left at it. A text's width grows with the
// height in proportion but for each letter's rounding, so the width at
// AMost gives the height and its neighbours settle the rounding: a few
// sizes are made, not every size between.
int FitHeight(TCanvas* C, const char* AText, int AMost, int AWidth)
{
    constexpr int Least = 4;
    auto fits = [&](int AHeight) {
        C->Font()->SetHeight(-AHeight);
        return C->TextWidth(AText) <= AWidth;
    };
    C->Font()->SetHeight(-AMost);
    const int widest = C->TextWidth(AText);
    if (widest <= AWidth || AMost <= Least)
        return AMost;
    int height = std::clamp(AMost * AWidth / std::max(1, widest), Least, AMost - 1);
    while (height > Least && !fits(height))
        --height;
    while (height + 1 < AMost && fits(height + 1))
        ++height;
    C->Font()->SetHeight(-height);
    return height;
}

// Letters as large as fit the tile's width, centred.
void Letters(TCanvas* C, const TGrid& G, const char* AText)
{
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetName("Arial");
    C->Font()->SetStyle(TFontStyles{fsBold});
    C->Font()->SetColor(White);
    FitHeight(C, AText, G(strlen(AText) <= 2 ? 9 : 6.5), G(13));
    const TSize extent = C->TextExtent(AText);
    C->TextOut((G.S - extent.cx) / 2, (G.S - extent.cy) / 2, AText);
}

// A symbol is white shapes on the tile, and shapes in the tile's colour cut
// back into them, on the 16-unit grid.
enum class TShape { Box, Oval, Round, Poly };
struct TPart {
    TShape Shape;
    bool InTileColour;
    std::vector<double> V; // left, top, right, bottom (Round: and the corner); Poly: x, y pairs
};

const std::vector<TPart>& SymbolParts(TSymbol ASymbol)
{
    using enum TShape;
    static const std::vector<TPart> none;
    static const std::vector<TPart> parts[] = {
        // Film
        {{Box, false, {3, 4, 13, 12}},
         {Box, true, {3.6, 4.8, 4.4, 6.2}}, {Box, true, {3.6, 7.3, 4.4, 8.7}}, {Box, true, {3.6, 9.8, 4.4, 11.2}},
         {Box, true, {11.6, 4.8, 12.4, 6.2}}, {Box, true, {11.6, 7.3, 12.4, 8.7}}, {Box, true, {11.6, 9.8, 12.4, 11.2}},
         {Box, true, {5.2, 5.2, 10.8, 10.8}}},
        // Note
        {{Oval, false, {3.5, 9.5, 7.5, 12.8}}, {Oval, false, {8.5, 8.5, 12.5, 11.8}}, {Box, false, {6.3, 4, 7.5, 11}},
         {Box, false, {11.3, 3, 12.5, 10}}, {Poly, false, {6.3, 4, 12.5, 2.6, 12.5, 4.6, 6.3, 6}}},
        // Letters: drawn as text
        {},
        // Player
        {{Round, false, {4.5, 2.5, 11.5, 13.5, 2}}, {Box, true, {5.5, 3.5, 10.5, 7.5}},
         {Oval, true, {5.7, 8.3, 10.3, 12.9}}, {Oval, false, {7.2, 9.8, 8.8, 11.4}}},
        // Phone
        {{Round, false, {5, 2, 11, 14, 2}}, {Box, true, {5.8, 3.6, 10.2, 11.6}}, {Oval, true, {7.4, 12.1, 8.6, 13.3}}},
        // Handheld
        {{Round, false, {1.5, 5, 14.5, 11, 5}}, {Box, true, {4.8, 6, 11.2, 10}}, {Oval, true, {2.4, 7.4, 3.8, 8.8}},
         {Oval, true, {12.2, 7.4, 13.6, 8.8}}},
        // Screen
        {{Box, false, {2.5, 3, 13.5, 10.5}}, {Box, false, {7.2, 10.5, 8.8, 12.5}}, {Box, false, {5, 12.5, 11, 13.4}},
         {Box, true, {3.4, 3.9, 12.6, 9.6}}},
        // Pad
        {{Round, false, {2, 5, 14, 11.5, 4}}, {Oval, false, {2, 7.5, 6.5, 13}}, {Oval, false, {9.5, 7.5, 14, 13}},
         {Box, true, {3.6, 7.6, 6.4, 8.4}}, {Box, true, {4.6, 6.6, 5.4, 9.4}}, {Oval, true, {10.2, 6.4, 11.4, 7.6}},
         {Oval, true, {11.6, 7.8, 12.8, 9}}},
        // Pocket
        {{Round, false, {2.5, 3.5, 13.5, 12.5, 2}}, {Box, true, {3.5, 4.5, 12.5, 11.5}},
         {Poly, false, {6.5, 5.8, 10.8, 8, 6.5, 10.2}}},
        // Bolt
        {{Poly, false, {9.5, 1.8, 4, 9, 7.6, 9, 6.2, 14.2, 12, 6.8, 8.4, 6.8}}},
        // Tablet
        {{Round, false, {3, 2, 13, 14, 2}}, {Box, true, {4, 3.2, 12, 12.2}}, {Oval, true, {7.5, 12.5, 8.5, 13.5}}},
        // Disc
        {{Oval, false, {2.5, 2.5, 13.5, 13.5}}, {Oval, true, {6, 6, 10, 10}}, {Oval, false, {7.2, 7.2, 8.8, 8.8}}},
    };
    const size_t index = size_t(ASymbol);
    return index < std::size(parts) ? parts[index] : none;
}

void DrawSymbol(TCanvas* C, const TGrid& G, const TCategoryLook& ALook)
{
    if (ALook.Symbol == TSymbol::Letters) {
        Letters(C, G, ALook.Letters);
        return;
    }
    for (const TPart& part : SymbolParts(ALook.Symbol)) {
        Fill(C, part.InTileColour ? ALook.Tile : White);
        const std::vector<double>& v = part.V;
        switch (part.Shape) {
        case TShape::Box: C->FillRect(G.R(v[0], v[1], v[2], v[3])); break;
        case TShape::Oval: C->Ellipse(G(v[0]), G(v[1]), G(v[2]), G(v[3])); break;
        case TShape::Round: Rounded(C, G, v[0], v[1], v[2], v[3], v[4]); break;
        case TShape::Poly: {
            std::vector<TPoint> points;
            for (size_t i = 0; i + 1 < v.size(); i += 2)
                points.push_back(G.P(v[i], v[i + 1]));
            C->Polygon(points);
            break;
        }
        }
    }
}

// A picture painted by APaint at Oversample times ASize, averaged down; the
// key colour's share of each block becomes transparency.
template <class F> TImageData Paint(int ASize, F APaint)
{
    const int big = ASize * Oversample;
    TBitmap bmp;
    bmp.SetPixelFormat(pf32bit);
    bmp.SetSize(big, big);
    TCanvas* c = bmp.Canvas();
    Fill(c, Key);
    c->FillRect(TRect{0, 0, big, big});
    APaint(c, TGrid{big});
    const uint32_t key = uint32_t(ColorToRGB(Key));
    TImageData image;
    image.Width = image.Height = ASize;
    image.HasAlpha = true;
    image.SourceBitCount = 32;
    image.Pixels.assign(size_t(ASize) * size_t(ASize), 0);
    std::vector<const uint8_t*> rows(static_cast<size_t>(big));
    for (int y = 0; y < big; ++y)
        rows[size_t(y)] = bmp.ScanLine(y);
    for (int y = 0; y < ASize; ++y)
        for (int x = 0; x < ASize; ++x) {
            int count = 0, r = 0, g = 0, b = 0;
            for (int sy = 0; sy < Oversample; ++sy) {
                const uint8_t* row = rows[size_t(y * Oversample + sy)];
                for (int sx = 0; sx < Oversample; ++sx) {
                    const uint8_t* p = row + (x * Oversample + sx) * 4;
                    if ((uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16) == key)
                        continue;
                    ++count;
                    b += p[0];
                    g += p[1];
                    r += p[2];
                }
            }
            if (count == 0)
                continue;
            const uint32_t alpha = uint32_t(count * 255 / (Oversample * Oversample));
            image.At(x, y) = alpha << 24 | uint32_t(r / count) << 16 | uint32_t(g / count) << 8 | uint32_t(b / count);
        }
    return image;
}

skin::TbsPngImageList* NewPngList(TComponent* AOwner, const char* AName, int ACount,
                                  TImageData (*ADraw)(int, int))
{
    auto* list = new skin::TbsPngImageList(AOwner);
    list->SetName(AName);
    list->SetSize(OutputPictureSize, OutputPictureSize);
    for (int i = 0; i < ACount; ++i) {
        TPngImage png;
        png.SetImage(ADraw(i, OutputPictureSize));
        list->PngImages().Add()->SetPngImage(&png);
    }
    return list;
}

} // namespace

TImageData DrawCategoryPicture(int ACaseNumber, int ASize)
{
    const TCategoryLook& look =
        CategoryLooks[ACaseNumber >= 0 && ACaseNumber < CategoryPictureCount ? ACaseNumber : 16];
    return Paint(ASize, [&](TCanvas* C, const TGrid& G) {
        Fill(C, look.Tile);
        Rounded(C, G, 0.5, 0.5, 15.5, 15.5, 4);
        DrawSymbol(C, G, look);
    });
}

TImageData DrawProfilePicture(int AIndex, int ASize)
{
    const TColor colour = ProfileColours[AIndex >= 0 && AIndex < ProfilePictureCount ? AIndex : 0];
    return Paint(ASize, [&](TCanvas* C, const TGrid& G) {
        // A page with a turned corner and a play mark in the profile's colour.
        Fill(C, TColor(RGB(150, 160, 175)));
        C->Polygon({G.P(3, 1), G.P(10, 1), G.P(14, 5), G.P(14, 15), G.P(3, 15)});
        Fill(C, White);
        C->Polygon({G.P(4, 2), G.P(9.5, 2), G.P(13, 5.5), G.P(13, 14), G.P(4, 14)});
        Fill(C, TColor(RGB(190, 198, 210)));
        C->Polygon({G.P(9.5, 2), G.P(13, 5.5), G.P(9.5, 5.5)});
        Fill(C, colour);
        C->Ellipse(G(4.8), G(6.3), G(12.2), G(13.7));
        Fill(C, White);
        C->Polygon({G.P(7.4, 8.2), G.P(10.4, 10), G.P(7.4, 11.8)});
    });
}

skin::TbsPngImageList* NewCategoryImages(TComponent* AOwner)
{
    return NewPngList(AOwner, "bsPngImageList5", CategoryPictureCount, &DrawCategoryPicture);
}

skin::TbsPngImageList* NewProfileImages(TComponent* AOwner)
{
    return NewPngList(AOwner, "bsPngImageList3", ProfilePictureCount, &DrawProfilePicture);
}

TImageList* NewLegacyCategoryImages(TComponent* AOwner)
{
    auto* list = new TImageList(AOwner);
    list->SetName("ImageList1");
    list->SetSize(OutputPictureSize, OutputPictureSize);
    for (int i = 0; i < 12; ++i) {
        const TImageData image = DrawCategoryPicture(i, OutputPictureSize);
        // The list keeps premultiplied pixels.
        std::vector<uint32_t> pixels(image.Pixels.size());
        for (size_t p = 0; p < pixels.size(); ++p) {
            const uint32_t v = image.Pixels[p], a = v >> 24;
            auto channel = [&](int AShift) { return ((v >> AShift & 0xFF) * a + 127) / 255 << AShift; };
            pixels[p] = a << 24 | channel(16) | channel(8) | channel(0);
        }
        list->AddPixels(pixels);
    }
    return list;
}

} // namespace app
