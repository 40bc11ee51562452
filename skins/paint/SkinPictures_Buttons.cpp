// buttons.bmp, 168 x 120, on the face colour:
//  - push button, 60 x 24 cells at x 0: normal y 0, hot 24, pressed 48,
//    disabled 72, focused 96 (corners of radius 3, a 1-pixel edge; the
//    focused one has a 2-pixel accent ring);
//  - small button, 24 x 24 cells at x 60: normal, hot, pressed, disabled;
//  - tool button, 24 x 24 cells at x 84: normal (flat), hot, pressed,
//    disabled (flat);
//  - menu markers, 9 x 5 down arrows on the colour key at y 100: normal
//    x 60, hot x 69, pressed x 78;
//  - list header, 60 x 24 cells at x 108: normal, hot, pressed.

#include "skins/paint/SkinPalette.h"
#include "skins/paint/SkinPictures.h"

namespace skinpaint {

namespace {

struct TState {
    TRgb Fill, Edge;
};

void Cells(TPainter& P, int AX, int AW, int AH, std::initializer_list<TState> AStates, double ARadius)
{
    int y = 0;
    for (const TState& s : AStates) {
        P.RoundRect({AX, y, AX + AW, y + AH}, ARadius, s.Fill, s.Edge);
        y += AH;
    }
}

void Header(TPainter& P, int AY, TRgb AFill)
{
    P.Fill({108, AY, 168, AY + 24}, AFill);
    P.HLine(108, 168, AY + 23, Border);
    P.VLine(167, AY + 4, AY + 20, Border);
}

} // namespace

TPainter ButtonPicture()
{
    TPainter p(168, 120, Face);
    Cells(p, 0, 60, 24, {{Window, Border}, {HotFill, AccentHot}, {DownFill, AccentDown}, {DisabledFill, DisabledEdge}}, 3);
    p.RoundRect({0, 96, 60, 120}, 3, Window, Accent, 2);
    Cells(p, 60, 24, 24, {{Window, Border}, {HotFill, AccentHot}, {DownFill, AccentDown}, {DisabledFill, DisabledEdge}}, 2);
    Cells(p, 84, 24, 24, {{Face, Face}, {HotFill, HotFill}, {DownFill, DownFill}, {Face, Face}}, 3);
    p.RoundRect({84, 24, 108, 48}, 3, HotFill, Rgb(190, 214, 248));
    p.RoundRect({84, 48, 108, 72}, 3, DownFill, Rgb(160, 194, 242));
    // Markers are drawn over the fill of the state they show in, which then
    // turns into the key.
    p.Fill({60, 96, 108, 120}, Key);
    const TRgb markers[3] = {Glyph, Accent, AccentDown}, under[3] = {Face, HotFill, DownFill};
    for (int i = 0; i < 3; ++i) {
        const TBox b{60 + 9 * i, 100, 69 + 9 * i, 105};
        p.Fill(b, under[i]);
        Arrow(p, b, TDirection::Down, 3.5, markers[i]);
        p.KeyOut(b, under[i]);
    }
    Header(p, 0, Window);
    Header(p, 24, HotFill);
    Header(p, 48, DownFill);
    return p;
}

} // namespace skinpaint
