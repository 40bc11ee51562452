// marks.bmp, 160 x 210, on the colour key (marks, rulers and thumbs are
// drawn over the face colour, which then becomes the key):
//  - check boxes, 15 x 15 cells in row y 0 (a 13 x 13 box inside a ring of
//    the key): checked x 0, unchecked 15, hot checked 30, hot unchecked 45,
//    disabled checked 60, disabled unchecked 75, grayed 90, hot grayed 105;
//  - radio buttons in row y 15, the first six of the same columns;
//  - the face behind a framed check or radio box, 120,0,160,20;
//  - (the scroll bars are scroll.bmp's: SkinPictures_Scroll.cpp);
//  - slider: horizontal ruler 0,180,40,188 and thumbs 40,174,72,190
//    (normal left half, pressed or disabled right half); vertical ruler
//    110,30,118,70 and thumbs 118,30,150,46;
//  - tree glyphs 9 x 9 on the window colour: expanded 0,192, collapsed 9,192.

#include "skins/paint/SkinPalette.h"
#include "skins/paint/SkinPictures.h"

namespace skinpaint {

namespace {

struct TMarkLook {
    TRgb Fill, Edge, Mark;
};

void CheckBox(TPainter& P, int AX, const TMarkLook& L, bool AChecked, bool AGrayed)
{
    P.RoundRect({AX + 1, 1, AX + 14, 14}, 2.5, L.Fill, L.Edge);
    if (AChecked)
        CheckMark(P, {AX + 1, 1, AX + 14, 14}, 1.8, L.Mark);
    if (AGrayed)
        P.Fill({AX + 4, 4, AX + 11, 11}, L.Mark);
}

void RadioBox(TPainter& P, int AX, const TMarkLook& L, bool AChecked)
{
    const double cx = AX + 7.5, cy = 22.5;
    P.Disk(cx, cy, 6.5, L.Edge);
    P.Disk(cx, cy, AChecked ? 5.0 : 5.5, L.Fill);
    if (AChecked)
        P.Disk(cx, cy, 3.0, L.Mark);
}

void Marks(TPainter& P)
{
    const TMarkLook checked{Accent, Accent, Window}, hotChecked{AccentHot, AccentHot, Window};
    const TMarkLook unchecked{Window, Border, Window}, hotUnchecked{Window, Accent, Window};
    const TMarkLook disChecked{DisabledEdge, DisabledEdge, Window}, disUnchecked{DisabledFill, DisabledEdge, Window};
    CheckBox(P, 0, checked, true, false);
    CheckBox(P, 15, unchecked, false, false);
    CheckBox(P, 30, hotChecked, true, false);
    CheckBox(P, 45, hotUnchecked, false, false);
    CheckBox(P, 60, disChecked, true, false);
    CheckBox(P, 75, disUnchecked, false, false);
    CheckBox(P, 90, {Window, Border, Accent}, false, true);
    CheckBox(P, 105, {Window, Accent, AccentHot}, false, true);
    const TMarkLook rChecked{Window, Accent, Accent}, rHotChecked{Window, AccentHot, AccentHot};
    const TMarkLook rDisChecked{DisabledFill, DisabledEdge, GrayText};
    RadioBox(P, 0, rChecked, true);
    RadioBox(P, 15, unchecked, false);
    RadioBox(P, 30, rHotChecked, true);
    RadioBox(P, 45, hotUnchecked, false);
    RadioBox(P, 60, rDisChecked, true);
    RadioBox(P, 75, disUnchecked, false);
}

void SliderThumb(TPainter& P, double CX, double CY, TRgb ARing)
{
    P.Disk(CX, CY, 7, ARing);
    P.Disk(CX, CY, 4, Window);
}

void Slider(TPainter& P)
{
    // Rulers: a 6-pixel rounded groove between rows (or columns) of the key.
    P.RoundRect({0, 181, 40, 187}, 3, Border, Border, 0);
    P.RoundRect({111, 30, 117, 70}, 3, Border, Border, 0);
    SliderThumb(P, 48, 182, Accent);
    SliderThumb(P, 64, 182, Thumb);
    SliderThumb(P, 126, 38, Accent);
    SliderThumb(P, 142, 38, Thumb);
}

void TreeGlyphs(TPainter& P)
{
    P.Fill({0, 192, 18, 201}, Window);
    Chevron(P, {0, 192, 9, 201}, TDirection::Down, 3, Glyph);
    Chevron(P, {9, 192, 18, 201}, TDirection::Right, 3, Glyph);
}

} // namespace

TPainter MarkPicture()
{
    TPainter p(160, 210, Key);
    p.Fill({0, 0, 160, 30}, Face);
    Marks(p);
    p.KeyOut({0, 0, 120, 30}, Face);
    p.Fill({0, 174, 72, 190}, Face);
    p.Fill({110, 30, 150, 70}, Face);
    Slider(p);
    p.KeyOut({0, 174, 72, 190}, Face);
    p.KeyOut({110, 30, 150, 70}, Face);
    TreeGlyphs(p);
    return p;
}

} // namespace skinpaint
