// The frame picture and the caption buttons.
//
// frame.bmp, 200 x 100: caption bar rows 0-29, a 4-pixel border (a line of
// the caption colour outside three rows or columns of the face) round the
// client 4,30,196,96.
//
// caption.bmp, 120 x 90: 30 x 30 cells; columns close, maximize, restore,
// minimize at x 0, 30, 60, 90; rows normal, hot, pressed at y 0, 30, 60.

#include "skins/paint/SkinPalette.h"
#include "skins/paint/SkinPictures.h"

namespace skinpaint {

TPainter FramePicture()
{
    TPainter p(200, 100, Caption);
    p.Fill({1, 30, 199, 99}, Face);
    return p;
}

namespace {

void CloseGlyph(TPainter& P, const TBox& B, TRgb C)
{
    const double cx = (B.Left + B.Right) / 2.0, cy = (B.Top + B.Bottom) / 2.0, h = 5;
    P.Line(cx - h, cy - h, cx + h, cy + h, 1.4, C);
    P.Line(cx - h, cy + h, cx + h, cy - h, 1.4, C);
}

void MaxGlyph(TPainter& P, const TBox& B, TRgb AFill, TRgb C)
{
    const int cx = (B.Left + B.Right) / 2, cy = (B.Top + B.Bottom) / 2;
    P.Fill({cx - 5, cy - 5, cx + 5, cy + 5}, C);
    P.Fill({cx - 4, cy - 4, cx + 4, cy + 4}, AFill);
}

void RestoreGlyph(TPainter& P, const TBox& B, TRgb AFill, TRgb C)
{
    const int cx = (B.Left + B.Right) / 2, cy = (B.Top + B.Bottom) / 2;
    P.Fill({cx - 3, cy - 6, cx + 6, cy + 3}, C);
    P.Fill({cx - 2, cy - 5, cx + 5, cy + 2}, AFill);
    P.Fill({cx - 6, cy - 3, cx + 3, cy + 6}, C);
    P.Fill({cx - 5, cy - 2, cx + 2, cy + 5}, AFill);
}

void MinGlyph(TPainter& P, const TBox& B, TRgb C)
{
    const int cx = (B.Left + B.Right) / 2, cy = (B.Top + B.Bottom) / 2;
    P.Fill({cx - 5, cy, cx + 5, cy + 1}, C);
}

} // namespace

TPainter CaptionButtons()
{
    TPainter p(120, 90, Caption);
    const TRgb fills[3] = {Caption, CaptionHot, CaptionDown};
    const TRgb closeFills[3] = {Caption, CloseHot, CloseDown};
    for (int row = 0; row < 3; ++row) {
        const int y = row * 30;
        const TBox close{0, y, 30, y + 30}, max{30, y, 60, y + 30}, restore{60, y, 90, y + 30}, min{90, y, 120, y + 30};
        p.Fill(close, closeFills[row]);
        for (const TBox& b : {max, restore, min})
            p.Fill(b, fills[row]);
        CloseGlyph(p, close, Window);
        MaxGlyph(p, max, fills[row], Window);
        RestoreGlyph(p, restore, fills[row], Window);
        MinGlyph(p, min, Window);
    }
    return p;
}

} // namespace skinpaint
