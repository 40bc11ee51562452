#pragma once
// A named rectangle inside a TbsBitmap, the length-prefixed string format
// of the bitmap streams, and the parser of rectangle texts ("10, 20, 30, 40").

#include <string>

#include "platform/core/Persistent.h"
#include "platform/core/Streams.h"
#include "platform/gfx/Graphics.h"

namespace skin {

class TbsBitmap;

class TbsBitmapLink : public platform::TPersistent {
public:
    std::string ClassName() const override { return "TbsBitmapLink"; }
    void Assign(platform::TPersistent* ASource) override;

    // Not owned.
    TbsBitmap* Image = nullptr;
    platform::TRect Rect;
    std::string Name;

    int Left() const { return Rect.Left; }
    int Top() const { return Rect.Top; }
    int Right() const { return Rect.Right; }
    int Bottom() const { return Rect.Bottom; }
    void SetLeft(int AValue) { Rect.Left = AValue; }
    void SetTop(int AValue) { Rect.Top = AValue; }
    void SetRight(int AValue) { Rect.Right = AValue; }
    void SetBottom(int AValue) { Rect.Bottom = AValue; }

    // An image and a rectangle with an area.
    bool Assigned() const;
    bool Masked() const { return FMasked; }
    bool MaskedBorder() const { return FMaskedBorder; }
    bool MaskedAngles() const { return FMaskedAngles; }

    // The name and the rectangle; neither the image nor the flags.
    void LoadFromStream(platform::TStream& AStream);
    void SaveToStream(platform::TStream& AStream);
    void Draw(platform::TCanvas* ACanvas, int AX, int AY);
    void Draw(TbsBitmap& ABitmap, int AX, int AY);

    // Looks for see-through pixels: anywhere (no margin), or sorted into
    // the corners, the border strips and the centre of a margin.
    void CheckingMasked();
    void CheckingMasked(const platform::TRect& AMargin);

private:
    bool Drawable() const;
    bool FMaskedBorder = false;
    bool FMaskedAngles = false;
    bool FMasked = false;
};

// int32 count of UTF-16 code units, then the units (little-endian).
void WriteStreamString(platform::TStream& AStream, const std::string& AText);
void ReadStreamString(platform::TStream& AStream, std::string& AText);

// Takes the next item off the front of AText; separators are blanks and ( ) , : ; =.
void ReadRectToken(std::string& AText, std::string& AToken);
// Four integers; anything else gives the empty rectangle.
platform::TRect StrToRect(const std::string& AText);

} // namespace skin
