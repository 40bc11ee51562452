#include "skin/core/bsUtils_Glow.h"

#include <cmath>
#include <memory>

#include "skin/core/bseffects.h"
#include "skin/core/bsUtils_Text.h"

namespace skin {

using namespace platform;

namespace {

// A cleared working bitmap whose canvas writes the text in pure red.
std::unique_ptr<TbsBitmap> RedTextBitmap(TCanvas* Canvas, int W, int H)
{
    auto B = std::make_unique<TbsBitmap>();
    B->SetSize(W, H);
    if (B->Empty())
        return B;
    TCanvas* C = B->Canvas();
    C->SetFont(Canvas->Font());
    C->Font()->SetColor(clRed);
    C->Brush()->SetStyle(bsClear);
    return B;
}

void DrawRed(TbsBitmap& B, const std::string& S, TRect R, UINT Format)
{
    WideDrawText(B.Canvas(), S, R, Format);
}

// Alpha from the red coverage, colour from AColor.
void Colourise(TbsBitmap& B, TColor AColor)
{
    TbsColor Colour = TColorToBsColor(ColorToRGB(AColor)) & 0x00FFFFFF;
    for (int I = 0, N = B.Width() * B.Height(); I < N; ++I)
        B.Bits()[I] = (((B.Bits()[I] >> 16) & 0xFF) << 24) | Colour;
}

void BlendOnto(TbsBitmap& B, TCanvas* Canvas, int X, int Y)
{
    B.AlphaBlend = true;
    B.Draw(Canvas, X, Y);
}

int FinalText(TCanvas* Canvas, const std::string& S, TRect R, UINT Format)
{
    Canvas->Brush()->SetStyle(bsClear);
    return WideDrawText(Canvas, S, R, Format);
}

TRect Moved(const TRect& R, int DX, int DY) { return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY}; }

int GlowText(TCanvas* Canvas, const TRect& R, const std::string& S, int GlowSize, TColor GlowColor, int Offset,
             UINT Format, bool AThicken)
{
    GlowSize = std::max(GlowSize, 0);
    auto B = RedTextBitmap(Canvas, R.Width() + 2 * GlowSize, R.Height() + 2 * GlowSize);
    if (!B->Empty()) {
        TRect T = Rect(GlowSize, GlowSize, B->Width() - GlowSize, B->Height() - GlowSize);
        DrawRed(*B, S, T, Format);
        if (AThicken)
            for (TPoint D : {Point(-1, 0), Point(1, 0), Point(0, -1), Point(0, 1)})
                DrawRed(*B, S, Moved(T, D.X, D.Y), Format);
        BlurBitmap(*B, GlowSize);
        Colourise(*B, GlowColor);
        BlendOnto(*B, Canvas, R.Left + Offset - GlowSize, R.Top + Offset - GlowSize);
    }
    return FinalText(Canvas, S, R, Format);
}

int PatchText(TCanvas* Canvas, const TRect& R, const std::string& S, TColor Color, UINT Format, int P)
{
    auto B = RedTextBitmap(Canvas, R.Width() + 2 * P, R.Height() + 2 * P);
    if (!B->Empty()) {
        TRect T = Rect(P, P, B->Width() - P, B->Height() - P);
        TCanvas* C = B->Canvas();
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clRed);
        C->FillRect(P == 10 ? Rect(T.Left + 3, T.Top + 3, T.Right - 3, T.Bottom - 3)
                            : Rect(T.Left - 3, T.Top + 2, T.Right + 3, T.Bottom - 2));
        C->Brush()->SetStyle(bsClear);
        for (TPoint D : {Point(-1, -1), Point(-2, -2), Point(-1, 0), Point(-2, 0), Point(1, 0), Point(2, 0),
                         Point(1, 1), Point(2, 2), Point(0, 0)})
            DrawRed(*B, S, Moved(T, D.X, D.Y), Format);
        BlurBitmap(*B, P / 2);
        BlurBitmap(*B, P / 2);
        Colourise(*B, Color);
        BlendOnto(*B, Canvas, R.Left - P, R.Top - P);
    }
    return FinalText(Canvas, S, R, Format);
}

} // namespace

void DrawGlowText(TCanvas* Canvas, TRect R, const std::string& S, int GlowSize, TColor GlowColor, int Offset,
                  UINT Format)
{
    GlowText(Canvas, R, S, GlowSize, GlowColor, Offset, Format, true);
}

int DrawWideGlowText(TCanvas* Canvas, TRect R, const std::string& S, int GlowSize, TColor GlowColor, int Offset,
                     UINT Format)
{
    return GlowText(Canvas, R, S, GlowSize, GlowColor, Offset, Format, false);
}

int DrawVistaGlowText(TCanvas* Canvas, TRect R, const std::string& S, TColor Color, UINT Format)
{
    return PatchText(Canvas, R, S, Color, Format, 10);
}

int DrawCaptionVistaGlowText(TCanvas* Canvas, TRect R, const std::string& S, TColor Color, UINT Format)
{
    return PatchText(Canvas, R, S, Color, Format, 12);
}

void DrawReflectionText(TCanvas* Canvas, TRect R, const std::string& S, TColor Color, int Offset, UINT Format)
{
    auto B = RedTextBitmap(Canvas, R.Width(), R.Height());
    if (!B->Empty()) {
        TRect T = Rect(0, 0, R.Width(), R.Height());
        DrawRed(*B, S, T, Format);
        WideDrawText(B->Canvas(), S, T, Format | DT_CALCRECT);
        TRect R2 = R;
        WideDrawText(Canvas, S, R2, Format | DT_CALCRECT);
        int H = T.Bottom - T.Top;
        TbsColor Colour = TColorToBsColor(ColorToRGB(Color)) & 0x00FFFFFF;
        for (int Y = 0; H > 0 && Y < B->Height(); ++Y) {
            TbsColor* Row = B->GetScanLinePtr(Y);
            // The fade: 0 over the upper part of the text, 0.7 of the coverage at its bottom.
            double Factor = std::max(0.0, 0.7 - double(T.Bottom - (Y - T.Top)) / H);
            bool Outside = Y < T.Top || Y > T.Bottom;
            for (int X = 0; X < B->Width(); ++X)
                Row[X] = Outside ? 0 : (TbsColor(std::trunc(((Row[X] >> 16) & 0xFF) * Factor)) << 24) | Colour;
        }
        B->FlipVert();
        BlendOnto(*B, Canvas, R.Left, R2.Bottom - (B->Height() - T.Bottom) + Offset);
    }
    FinalText(Canvas, S, R, Format);
}

} // namespace skin
