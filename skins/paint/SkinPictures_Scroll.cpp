// scroll.bmp, 120 x 170: the scroll bars, 19 pixels across as the program's
// forms are designed (S = 19 below; buttons are S x S):
//  - vertical bar 0,0,19,86: top button, a 48-pixel track, bottom button;
//    its button states at x 19: hot top y 0, pressed top 19, hot bottom 38,
//    pressed bottom 57; thumbs 19 x 30 at y 0: normal x 38, hot 57,
//    pressed 76;
//  - horizontal bar 0,90,86,109 (left button, track, right button); button
//    states in row y 109: hot left x 0, pressed left 19, hot right 38,
//    pressed right 57; thumbs 30 x 19 at x 86: normal y 90, hot 109,
//    pressed 128;
//  - the same bar with a 19-pixel corner box, 0,147,105,166.

#include "skins/paint/SkinPalette.h"
#include "skins/paint/SkinPictures.h"

namespace skinpaint {

namespace {

constexpr int S = 19;         // across the bar, and each button's length
constexpr int TrackLength = 48;
constexpr int BarLength = S + TrackLength + S;
constexpr int HorizontalTop = 90;
constexpr int BothTop = HorizontalTop + 3 * S;

// A scroll button: the track colour, a hover or pressed square, a chevron.
void ScrollButton(TPainter& P, const TBox& B, TDirection D, TRgb AFill, TRgb AGlyph)
{
    P.Fill(B, Track);
    if (AFill != Track)
        P.RoundRect(B.Inset(1), 2, AFill, AFill, 0);
    Chevron(P, B, D, 3.5, AGlyph);
}

// A thumb: a rounded bar across the track, 9 pixels thick.
void ScrollThumb(TPainter& P, const TBox& B, bool AVertical, TRgb AColor)
{
    P.Fill(B, Track);
    const TBox bar = AVertical ? TBox{B.Left + 5, B.Top + 2, B.Right - 5, B.Bottom - 2}
                               : TBox{B.Left + 2, B.Top + 5, B.Right - 2, B.Bottom - 5};
    P.RoundRect(bar, 4.5, AColor, AColor, 0);
}

void VerticalBar(TPainter& P)
{
    // The up-pointing button at the top lowers the position.
    ScrollButton(P, {0, 0, S, S}, TDirection::Up, Track, Glyph);
    P.Fill({0, S, S, S + TrackLength}, Track);
    ScrollButton(P, {0, S + TrackLength, S, BarLength}, TDirection::Down, Track, Glyph);
    const struct {
        TDirection Direction;
        TRgb Fill;
    } states[] = {{TDirection::Up, Divider}, {TDirection::Up, Thumb}, {TDirection::Down, Divider}, {TDirection::Down, Thumb}};
    for (int i = 0; i < 4; ++i)
        ScrollButton(P, {S, i * S, 2 * S, (i + 1) * S}, states[i].Direction, states[i].Fill, Text);
}

void HorizontalBars(TPainter& P)
{
    // The plain bar, then the same with the corner box of a list showing both.
    for (int y : {HorizontalTop, BothTop}) {
        ScrollButton(P, {0, y, S, y + S}, TDirection::Left, Track, Glyph);
        P.Fill({S, y, S + TrackLength, y + S}, Track);
        ScrollButton(P, {S + TrackLength, y, BarLength, y + S}, TDirection::Right, Track, Glyph);
    }
    P.Fill({BarLength, BothTop, BarLength + S, BothTop + S}, Face);
    const int row = HorizontalTop + S;
    const struct {
        TDirection Direction;
        TRgb Fill;
    } states[] = {{TDirection::Left, Divider}, {TDirection::Left, Thumb}, {TDirection::Right, Divider}, {TDirection::Right, Thumb}};
    for (int i = 0; i < 4; ++i)
        ScrollButton(P, {i * S, row, (i + 1) * S, row + S}, states[i].Direction, states[i].Fill, Text);
}

void Thumbs(TPainter& P)
{
    const TRgb thumbs[3] = {Thumb, ThumbHot, ThumbDown};
    for (int i = 0; i < 3; ++i) {
        ScrollThumb(P, {2 * S + S * i, 0, 3 * S + S * i, 30}, true, thumbs[i]);
        ScrollThumb(P, {BarLength, HorizontalTop + S * i, BarLength + 30, HorizontalTop + S * (i + 1)}, false, thumbs[i]);
    }
}

} // namespace

TPainter ScrollPicture()
{
    TPainter p(120, 170, Key);
    VerticalBar(p);
    HorizontalBars(p);
    Thumbs(p);
    return p;
}

} // namespace skinpaint
