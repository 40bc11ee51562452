#pragma once
// The colours of the program's own skin: a light, flat look with one blue
// accent. The INI names the same colours as TColor values ($00BBGGRR).

#include "skins/paint/SkinPaint.h"

namespace skinpaint {

constexpr TRgb Face = Rgb(243, 245, 248);       // forms, panels, tool bars
constexpr TRgb Window = Rgb(255, 255, 255);     // edits, lists, buttons
constexpr TRgb Text = Rgb(31, 35, 41);
constexpr TRgb GrayText = Rgb(160, 166, 175);   // every disabled caption
constexpr TRgb Border = Rgb(200, 206, 214);
constexpr TRgb Divider = Rgb(225, 229, 235);
constexpr TRgb Band = Rgb(236, 240, 245);        // group box titles, headers
constexpr TRgb Accent = Rgb(36, 112, 230);
constexpr TRgb AccentHot = Rgb(66, 136, 240);
constexpr TRgb AccentDown = Rgb(22, 86, 190);
constexpr TRgb HotFill = Rgb(230, 240, 253);
constexpr TRgb DownFill = Rgb(206, 224, 250);
constexpr TRgb DisabledFill = Rgb(238, 240, 243);
constexpr TRgb DisabledEdge = Rgb(218, 222, 228);
constexpr TRgb Track = Rgb(236, 239, 243);       // scroll bar and slider tracks
constexpr TRgb Thumb = Rgb(193, 199, 207);
constexpr TRgb ThumbHot = Rgb(160, 168, 179);
constexpr TRgb ThumbDown = Rgb(128, 137, 150);
constexpr TRgb Glyph = Rgb(96, 104, 116);        // arrows and chevrons
constexpr TRgb Caption = Rgb(36, 100, 210);      // the caption bar
constexpr TRgb CaptionHot = Rgb(68, 128, 226);
constexpr TRgb CaptionDown = Rgb(24, 78, 170);
constexpr TRgb CloseHot = Rgb(232, 17, 35);
constexpr TRgb CloseDown = Rgb(180, 20, 35);

} // namespace skinpaint
