#pragma once
// Captions with a blurred glow, a blurred light patch behind them, or a
// mirrored reflection fading below them. Each renders the text in pure red
// into a skin bitmap, turns the red into alpha for the effect colour,
// blends that onto the canvas and then draws the text itself on top in the
// canvas's own font and colour. Format is a DrawText flag set, used for the
// effect and the text alike.

#include <string>

#include "platform/gfx/Graphics.h"

namespace skin {

void DrawGlowText(platform::TCanvas* Canvas, platform::TRect R, const std::string& S, int GlowSize,
                  platform::TColor GlowColor, int Offset, platform::UINT Format);
// Answers the final text drawing's result.
int DrawWideGlowText(platform::TCanvas* Canvas, platform::TRect R, const std::string& S, int GlowSize,
                     platform::TColor GlowColor, int Offset, platform::UINT Format);
int DrawVistaGlowText(platform::TCanvas* Canvas, platform::TRect R, const std::string& S, platform::TColor Color,
                      platform::UINT Format);
int DrawCaptionVistaGlowText(platform::TCanvas* Canvas, platform::TRect R, const std::string& S,
                             platform::TColor Color, platform::UINT Format);
void DrawReflectionText(platform::TCanvas* Canvas, platform::TRect R, const std::string& S, platform::TColor Color,
                        int Offset, platform::UINT Format);

} // namespace skin
