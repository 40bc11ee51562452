#pragma once
// The small shapes the skin engine draws itself where a skin leaves them
// out (arrows, check and radio signs, focus dots, 3-D frame lines, caption
// button glyphs), two colour functions, PNG pictures into skin bitmaps, and
// painting what lies beneath a transparent control.

#include "platform/controls/Controls.h"
#include "platform/gfx/Graphics.h"
#include "platform/gfx/PngImage.h"
#include "skin/core/bseffects.h"

namespace skin {

using platform::TCanvas;
using platform::TColor;
using platform::TRect;

// Kind 1 left, 2 right, 3 up, 4 down, 5 a plus sign; other kinds draw nothing.
void DrawArrowImage(TCanvas* Canvas, const TRect& R, TColor Color, int Kind);
// Kind 1 left, 2 right, 3 up, 4 down.
void DrawLargeArrowImage(TCanvas* Canvas, const TRect& R, TColor Color, int Kind);
void DrawDownTriangle(TCanvas* Canvas, const TRect& R, TColor Color);
void DrawRadioImage(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawCheckImage(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawFrame3DLines(TCanvas* Canvas, TRect R, TColor TopColor, TColor BottomColor);
// Every other pixel of R's border in the canvas font's colour.
void DrawDotFocusRect(TCanvas* Canvas, const TRect& R);

// Caption button glyphs at (X, Y).
void DrawCloseImage(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawSysMenuImage(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawMinimizeImage(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawMaximizeImage(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawRestoreImage(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawRollDownImage(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawRollUpImage(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawMinimizeToTrayImage(TCanvas* Canvas, int X, int Y, TColor Color);

TColor MixColors(TColor C1, TColor C2);
TColor DarkerColor(TColor Color, uint8_t Percent);

// B takes the PNG's size, colours and alpha (opaque where the PNG has none).
void PngImageToBitmap(TbsBitmap& B, const platform::TPngImage& Png);

// Paints into Canvas (laid over Control) what lies under Control: its
// parent's background and face and the windowless siblings below it.
void PaintParentBackground(platform::TControl* Control, TCanvas* Canvas);
// The same with the origin moved further by (-R.Left, -R.Top).
void PaintParentBackgroundAt(platform::TControl* Control, const TRect& R, TCanvas* Canvas);

} // namespace skin
