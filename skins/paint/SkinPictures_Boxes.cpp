// boxes.bmp, 240 x 264, on the face colour:
//  - edit 60 x 24: normal 0,0, hot or focused 0,24;
//  - combo box 80 x 24 with its drop arrow at 60,3,78,21 inside: normal
//    60,0, hot or focused 60,24; drop buttons 18 x 18 at x 194: normal y 48,
//    hot 66, pressed 84, disabled 102;
//  - list box frame 158,0,198,40;
//  - check list marks 15 x 15 on the window colour: checked 198,0,
//    unchecked 198,15;
//  - list items 60 x 22 at x 0: normal y 48, selected 70, selected and
//    focused 92;
//  - menu items 100 x 24 at x 60: normal y 48, hot 72; divider 60,96,160,103;
//    menu glyphs 16 x 16: check 160,48, radio 176,48, arrow 160,64, hot
//    arrow 176,64, hot check 160,80, hot radio 176,80;
//  - menu bar 0,114,60,136; menu bar items 40 x 22 at y 114: normal x 60,
//    hot 100, pressed 140;
//  - page control frame 0,136,60,196; tabs 60 wide: normal 60,140 and hot
//    60,166, 26 high, selected 120,140, 28 high; tab scroller buttons 16 x 20:
//    left arrow at x 180 (normal y 140, hot 160, pressed 180), right arrow at
//    x 196 (same rows), the normal pair side by side being the scroller;
//  - panel 0,200,40,240; group box 40,200,100,260; tool bar 100,200,140,240;
//    status bar 140,200,180,224; header label 140,224,180,246;
//    horizontal splitter 180,204,216,210, vertical splitter 180,212,186,252;
//  - drop buttons inside a white box, 24 x 24 cells at x 216: normal y 0,
//    hot 24, pressed 48, disabled 72; their arrows, 9 x 5 on the colour key
//    at x 216: normal y 100, hot 106, pressed 112;
//  - vertical spin buttons 16 x 24 at 216,120 (up above down); their states
//    16 x 12 at x 216: hot up y 144, pressed up 156, hot down 168, pressed
//    down 180;
//  - the focused item of a combo box face, 40 x 14 at 100,242 (its normal
//    item is the inside of the edit); 14 high, so that it fits the client of
//    the 20-pixel combo boxes of the forms.

#include "skins/paint/SkinPalette.h"
#include "skins/paint/SkinPictures.h"

namespace skinpaint {

namespace {

void Edits(TPainter& P)
{
    P.RoundRect({0, 0, 60, 24}, 2, Window, Border);
    P.RoundRect({0, 24, 60, 48}, 2, Window, Accent);
    P.RoundRect({60, 0, 140, 24}, 2, Window, Border);
    P.RoundRect({60, 24, 140, 48}, 2, Window, Accent);
    Chevron(P, {120, 3, 138, 21}, TDirection::Down, 3.5, Glyph);
    Chevron(P, {120, 27, 138, 45}, TDirection::Down, 3.5, Accent);
    P.Fill({158, 0, 198, 40}, Window);
    P.RoundRect({158, 0, 198, 40}, 0, Window, Border);
    P.Fill({198, 0, 216, 30}, Window);
    P.RoundRect({199, 1, 212, 14}, 2.5, Accent, Accent);
    CheckMark(P, {199, 1, 212, 14}, 1.8, Window);
    P.RoundRect({199, 16, 212, 29}, 2.5, Window, Border);
}

void DropButtons(TPainter& P)
{
    const TRgb fills[4] = {Window, HotFill, DownFill, Window};
    const TRgb glyphs[4] = {Glyph, Accent, AccentDown, GrayText};
    for (int i = 0; i < 4; ++i) {
        const TBox b{194, 48 + 18 * i, 212, 66 + 18 * i};
        P.Fill(b, Window);
        if (fills[i] != Window)
            P.RoundRect(b.Inset(1), 2, fills[i], fills[i], 0);
        Chevron(P, b, TDirection::Down, 3.5, glyphs[i]);
    }
}

// The drop button a combo box draws over the right end of its face; the
// combo box takes its arrow from its own picture, so it lives here.
void ComboButtons(TPainter& P)
{
    P.Fill({216, 0, 240, 96}, Window);
    const TRgb fills[3] = {HotFill, DownFill, DisabledFill};
    for (int i = 0; i < 3; ++i)
        P.RoundRect({217, 25 + 24 * i, 239, 47 + 24 * i}, 2, fills[i], fills[i], 0);
    // Each arrow is drawn over the fill it will stand on, which then turns
    // into the key: its edges stay smooth without a fringe of the key.
    P.Fill({216, 96, 240, 120}, Key);
    const TRgb arrows[3] = {Glyph, Accent, AccentDown}, under[3] = {Window, HotFill, DownFill};
    for (int i = 0; i < 3; ++i) {
        const TBox b{216, 100 + 6 * i, 225, 105 + 6 * i};
        P.Fill(b, under[i]);
        Arrow(P, b, TDirection::Down, 3.5, arrows[i]);
        P.KeyOut(b, under[i]);
    }
}

void SpinButtons(TPainter& P)
{
    P.RoundRect({216, 120, 232, 144}, 2, Window, Border);
    P.HLine(217, 231, 132, Divider);
    Chevron(P, {216, 120, 232, 132}, TDirection::Up, 3, Glyph);
    Chevron(P, {216, 132, 232, 144}, TDirection::Down, 3, Glyph);
    const TRgb fills[2] = {HotFill, DownFill};
    for (int i = 0; i < 2; ++i) {
        const TBox up{216, 144 + 12 * i, 232, 156 + 12 * i}, down{216, 168 + 12 * i, 232, 180 + 12 * i};
        P.RoundRect(up, 2, fills[i], Border);
        Chevron(P, up, TDirection::Up, 3, Accent);
        P.RoundRect(down, 2, fills[i], Border);
        Chevron(P, down, TDirection::Down, 3, Accent);
    }
}

void ListItems(TPainter& P)
{
    P.Fill({0, 48, 60, 70}, Window);
    P.Fill({0, 70, 60, 92}, Accent);
    P.Fill({0, 92, 60, 114}, AccentDown);
    P.RoundRect({1, 93, 59, 113}, 0, Accent, Rgb(140, 180, 245));
}

void Menus(TPainter& P)
{
    P.Fill({60, 48, 192, 114}, Window);
    P.RoundRect({62, 73, 158, 95}, 2, HotFill, HotFill, 0);
    P.HLine(68, 156, 99, Divider);
    P.Fill({160, 64, 216, 96}, Window);
    P.Fill({176, 64, 192, 80}, HotFill);
    P.Fill({160, 80, 192, 96}, HotFill);
    CheckMark(P, {160, 48, 176, 64}, 1.6, Text);
    P.Disk(184, 56, 3, Text);
    Chevron(P, {160, 64, 176, 80}, TDirection::Right, 3.5, Glyph);
    Chevron(P, {176, 64, 192, 80}, TDirection::Right, 3.5, Accent);
    CheckMark(P, {160, 80, 176, 96}, 1.6, AccentDown);
    P.Disk(184, 88, 3, AccentDown);
    // Menu bar and its items.
    P.Fill({0, 114, 180, 136}, Window);
    P.RoundRect({101, 115, 139, 134}, 2, HotFill, HotFill, 0);
    P.RoundRect({141, 115, 179, 134}, 2, DownFill, DownFill, 0);
    // The bar's bottom line runs under its items too.
    P.HLine(0, 180, 135, Divider);
}

void Tabs(TPainter& P)
{
    P.RoundRect({0, 136, 60, 196}, 0, Window, Border);
    // Tabs are open at the bottom: the page frame's top line closes the
    // others, while the selected tab, two pixels taller, covers that line
    // and opens into the page.
    P.Fill({60, 140, 180, 196}, Face);
    for (const auto& [y, fill] : {std::pair{140, Face}, std::pair{166, HotFill}}) {
        P.RoundRect({60, y + 2, 120, y + 30}, 3, fill, Border);
        P.Fill({60, y + 26, 120, y + 30}, Face);
    }
    P.RoundRect({120, 140, 180, 172}, 3, Window, Border);
    P.Fill({120, 168, 180, 172}, Face);
    P.Fill({121, 165, 179, 168}, Window);
    P.Fill({122, 140, 178, 142}, Accent);
    const TRgb fills[3] = {Face, HotFill, DownFill};
    for (int i = 0; i < 3; ++i)
        for (int x : {180, 196}) {
            const TBox b{x, 140 + 20 * i, x + 16, 160 + 20 * i};
            P.RoundRect(b, 2, fills[i], Border);
            Chevron(P, b, x == 180 ? TDirection::Left : TDirection::Right, 3, Glyph);
        }
}

void Panels(TPainter& P)
{
    P.Fill({0, 200, 240, 264}, Face);
    P.RoundRect({40, 200, 100, 260}, 3, Face, Border);
    P.Fill({41, 201, 99, 222}, Band);
    P.RoundRect({41, 201, 99, 212}, 2, Band, Band, 0);
    P.HLine(41, 99, 222, Border);
    P.Fill({100, 200, 140, 240}, Window);
    P.HLine(100, 140, 239, Divider);
    P.HLine(140, 180, 200, Border);
    P.Fill({140, 224, 180, 246}, Band);
    P.Fill({100, 242, 140, 256}, HotFill);
    P.HLine(184, 212, 207, Divider);
    P.VLine(183, 216, 248, Divider);
}

} // namespace

TPainter BoxPicture()
{
    TPainter p(240, 264, Face);
    Edits(p);
    ListItems(p);
    Menus(p);
    DropButtons(p);
    ComboButtons(p);
    SpinButtons(p);
    Tabs(p);
    Panels(p);
    return p;
}

TPainter PopupPicture()
{
    // 40 x 40: the window of popup menus, a 1-pixel edge round the items.
    TPainter p(40, 40, Window);
    p.RoundRect({0, 0, 40, 40}, 0, Window, Border);
    return p;
}

TPainter HintPicture()
{
    // 40 x 30: a light hint with a 1-pixel edge; text from 8,6 to 32,24.
    TPainter p(40, 30, Window);
    p.RoundRect({0, 0, 40, 30}, 0, Rgb(250, 251, 253), Border);
    return p;
}

} // namespace skinpaint
