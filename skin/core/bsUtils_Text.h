#pragma once
// Captions and rectangle arithmetic shared by every skinned control: text
// measured and drawn with the canvas's font, colour and brush, ellipsis
// cutting, aligned single-line captions with their fixed nudges, word
// wrapping that never breaks inside a word it cannot fit, the layout of an
// image beside a caption, and rectangle predicates. Texts are UTF-8.

#include <string>

#include "platform/controls/ImgList.h"
#include "platform/gfx/Graphics.h"
#include "platform/ui/UiGeometry.h"

namespace skin {

using platform::TCanvas;
using platform::TPoint;
using platform::TRect;

enum TbsButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// The number of equal frames in a horizontal glyph strip.
using TbsNumGlyphs = int;

// The canvas's DC with its font, text colour and brush selected, as its own
// text calls would have them.
platform::HDC PreparedDC(TCanvas* Canvas);

// ---- text
int WideDrawText(TCanvas* Canvas, const std::string& S, TRect& R, platform::UINT Format);
int WideTextWidth(TCanvas* Canvas, const std::string& S);
int WideTextHeight(TCanvas* Canvas, const std::string& S);
// Cuts S (whole characters) until S + "..." fits MaxWidth.
void EllipsizeWideText(TCanvas* Canvas, std::string& S, int MaxWidth);
void EllipsizeText(TCanvas* Canvas, std::string& S, int MaxWidth);
void DrawTextCentered(TCanvas* Canvas, const std::string& S, TRect R);
void DrawTextLeft(TCanvas* Canvas, const std::string& S, TRect R);
void DrawTextLeftPlain(TCanvas* Canvas, const std::string& S, TRect R);
void DrawTextAligned(TCanvas* Canvas, const std::string& S, TRect R, platform::TAlignment Alignment);
void DrawMultiLineText(TCanvas* Canvas, const std::string& S, TRect R, bool WordWrap);
// The text DrawMultiLineText draws: spaces inserted where a word must break.
std::string MultiLineTextLayout(TCanvas* Canvas, const std::string& S, int AWidth, bool WordWrap);
void TextRectLeft(TCanvas* Canvas, const std::string& S, const TRect& R);
void TextRectLeftOffset(TCanvas* Canvas, const std::string& S, const TRect& R, int Offset);

// ---- image and caption layout
void CalcButtonLayout(TbsButtonLayout Layout, const TRect& R, int GlyphWidth, int GlyphHeight, int TextWidth,
                      int TextHeight, int Spacing, int Margin, TPoint& GlyphPos, TPoint& TextPos);
void DrawImageAndText(TCanvas* Canvas, TRect R, int Margin, int Spacing, TbsButtonLayout Layout,
                      const std::string& Caption, int ImageIndex, platform::TCustomImageList* ImageList, bool Down,
                      bool Enabled, bool DrawBar, platform::TColor BarColor);
void DrawImageAndTextLeft(TCanvas* Canvas, TRect R, int Margin, int Spacing, TbsButtonLayout Layout,
                          const std::string& Caption, int ImageIndex, platform::TCustomImageList* ImageList,
                          bool Down, bool Enabled, bool DrawBar, platform::TColor BarColor);
void DrawGlyphAndText(TCanvas* Canvas, TRect R, int Margin, int Spacing, TbsButtonLayout Layout,
                      const std::string& Caption, platform::TBitmap* Glyph, TbsNumGlyphs NumGlyphs, int GlyphIndex,
                      bool Down, bool DrawBar, platform::TColor BarColor);
// Frame GlyphIndex (from 1) of a strip of NumGlyphs frames, transparent.
void DrawGlyph(TCanvas* Canvas, int X, int Y, platform::TBitmap* Glyph, TbsNumGlyphs NumGlyphs, int GlyphIndex);

// ---- geometry
inline int RectWidth(const TRect& R) { return R.Right - R.Left; }
inline int RectHeight(const TRect& R) { return R.Bottom - R.Top; }
inline TRect NullRect() { return TRect{}; }
inline bool IsNullRect(const TRect& R) { return RectWidth(R) <= 0 || RectHeight(R) <= 0; }
inline bool IsNullPoint(const TPoint& P) { return P.X == 0 || P.Y == 0; }
inline bool RectsEqual(const TRect& R1, const TRect& R2) { return R1 == R2; }
// Right and bottom edges included.
inline bool PtInRectInclusive(const TRect& R, const TPoint& P)
{
    return R.Left <= P.X && P.X <= R.Right && R.Top <= P.Y && P.Y <= R.Bottom;
}
// The platform's PtInRect excludes the right and bottom edges.
using platform::PtInRect;
inline bool RectInRect(const TRect& R1, const TRect& R2)
{
    return PtInRect(R2, R1.TopLeft()) && PtInRect(R2, R1.BottomRight());
}
inline bool RectOverlapsVert(const TRect& R1, const TRect& R2)
{
    return PtInRect(R2, TPoint{R2.Left + 1, R1.Top}) || PtInRect(R2, TPoint{R2.Right - 1, R1.Bottom});
}
inline int IntMax(int A, int B) { return A > B ? A : B; }
inline int IntMin(int A, int B) { return A < B ? A : B; }

} // namespace skin
