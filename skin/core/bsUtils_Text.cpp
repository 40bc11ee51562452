#include "skin/core/bsUtils_Text.h"

#include "platform/core/CodePage.h"

namespace skin {

using namespace platform;

namespace {

bool OddFontHeight(TCanvas* Canvas) { return Canvas->Font()->Height() % 2 != 0; }

void DrawSingleLine(TCanvas* Canvas, const std::string& S, TRect R, UINT AAlign, bool AWRule)
{
    if (S.empty())
        return;
    // A leading "W" overhangs its cell; give it room on the right.
    if (AWRule && S[0] == 'W')
        R.Right += 2;
    if (OddFontHeight(Canvas))
        --R.Top;
    WideDrawText(Canvas, S, R, DT_SINGLELINE | DT_VCENTER | AAlign);
}

void Line(TCanvas* Canvas, int X0, int Y0, int X1, int Y1)
{
    Canvas->MoveTo(X0, Y0);
    Canvas->LineTo(X1, Y1);
}

} // namespace

HDC PreparedDC(TCanvas* Canvas)
{
    HDC DC = Canvas->Handle();
    SelectObject(DC, Canvas->Font()->Handle());
    SetTextColor(DC, ColorToRGB(Canvas->Font()->Color()));
    SelectObject(DC, Canvas->Brush()->Handle());
    SetBkColor(DC, ColorToRGB(Canvas->Brush()->Color()));
    SetBkMode(DC, Canvas->Brush()->Style() == bsSolid ? OPAQUE : TRANSPARENT);
    return DC;
}

int WideDrawText(TCanvas* Canvas, const std::string& S, TRect& R, UINT Format)
{
    return DrawTextW(PreparedDC(Canvas), S, &R, Format);
}

int WideTextWidth(TCanvas* Canvas, const std::string& S)
{
    TRect R;
    WideDrawText(Canvas, S, R, DT_CALCRECT);
    return R.Width();
}

int WideTextHeight(TCanvas* Canvas, const std::string& S)
{
    TRect R;
    WideDrawText(Canvas, S, R, DT_CALCRECT);
    return R.Height();
}

namespace {

// Characters are UTF-16 units, as in the wide strings these captions were.
template <class FWidth> void Ellipsize(std::string& S, int MaxWidth, FWidth AWidth)
{
    if (AWidth(S) <= MaxWidth)
        return;
    std::u16string U = Utf8ToUtf16(S);
    while (!U.empty() && AWidth(Utf16ToUtf8(U) + "...") > MaxWidth) {
        U.pop_back();
        // Never leave half a surrogate pair behind.
        if (!U.empty() && U.back() >= 0xD800 && U.back() < 0xDC00)
            U.pop_back();
    }
    S = Utf16ToUtf8(U) + "...";
}

} // namespace

void EllipsizeWideText(TCanvas* Canvas, std::string& S, int MaxWidth)
{
    Ellipsize(S, MaxWidth, [&](const std::string& T) { return WideTextWidth(Canvas, T); });
}

void EllipsizeText(TCanvas* Canvas, std::string& S, int MaxWidth)
{
    Ellipsize(S, MaxWidth, [&](const std::string& T) { return Canvas->TextWidth(T); });
}

void DrawTextCentered(TCanvas* Canvas, const std::string& S, TRect R)
{
    DrawSingleLine(Canvas, S, R, DT_CENTER, true);
}

void DrawTextLeft(TCanvas* Canvas, const std::string& S, TRect R) { DrawSingleLine(Canvas, S, R, 0, true); }

void DrawTextLeftPlain(TCanvas* Canvas, const std::string& S, TRect R) { DrawSingleLine(Canvas, S, R, 0, false); }

void DrawTextAligned(TCanvas* Canvas, const std::string& S, TRect R, TAlignment Alignment)
{
    if (OddFontHeight(Canvas))
        --R.Top;
    UINT Align = Alignment == taRightJustify ? UINT(DT_RIGHT) : Alignment == taCenter ? UINT(DT_CENTER) : 0u;
    WideDrawText(Canvas, S, R, DT_SINGLELINE | DT_VCENTER | Align);
}

std::string MultiLineTextLayout(TCanvas* Canvas, const std::string& S, int AWidth, bool WordWrap)
{
    std::u16string In = Utf8ToUtf16(S), Line, Out;
    auto Fits = [&] { return WideTextWidth(Canvas, Utf16ToUtf8(Line)) <= AWidth; };
    bool Skipping = false;
    for (char16_t C : In) {
        Line += C;
        if (WordWrap) {
            if (Fits() || C == u' ') {
                Out += C;
                if (C == u' ')
                    Line.clear();
            } else {
                // A forced break before the character that did not fit.
                Out += u' ';
                Out += C;
                Line.clear();
            }
            continue;
        }
        if (Skipping && C == u' ')
            Skipping = false;
        if (Skipping)
            continue;
        if (Fits() || C == u' ') {
            Out += C;
            if (C == u' ')
                Line.clear();
            continue;
        }
        // Too long a word without wrapping: its fitting beginning ends in "...".
        if (Out.size() > 3)
            Out.replace(Out.size() - 3, 3, u"...");
        Out += u' ';
        Line.clear();
        Skipping = true;
    }
    return Utf16ToUtf8(Out);
}

void DrawMultiLineText(TCanvas* Canvas, const std::string& S, TRect R, bool WordWrap)
{
    if (S.empty())
        return;
    if (OddFontHeight(Canvas))
        --R.Top;
    WideDrawText(Canvas, MultiLineTextLayout(Canvas, S, R.Width(), WordWrap), R, DT_WORDBREAK | DT_CENTER);
}

void TextRectLeftOffset(TCanvas* Canvas, const std::string& S, const TRect& R, int Offset)
{
    if (S.empty())
        return;
    int Y = R.Top + R.Height() / 2 - Canvas->TextHeight(S) / 2;
    if (OddFontHeight(Canvas))
        --Y;
    Canvas->TextRect(R, R.Left + Offset + 2, Y, S);
}

void TextRectLeft(TCanvas* Canvas, const std::string& S, const TRect& R) { TextRectLeftOffset(Canvas, S, R, 0); }

// ---- image and caption layout

void CalcButtonLayout(TbsButtonLayout Layout, const TRect& R, int GlyphWidth, int GlyphHeight, int TextWidth,
                      int TextHeight, int Spacing, int Margin, TPoint& GlyphPos, TPoint& TextPos)
{
    int CX = R.Left + R.Width() / 2, CY = R.Top + R.Height() / 2;
    if (GlyphWidth == 0)
        Spacing = 0;
    int HW = (GlyphWidth + TextWidth + Spacing) / 2, HH = (GlyphHeight + TextHeight + Spacing) / 2;
    int GY = CY - GlyphHeight / 2, TY = CY - TextHeight / 2;
    int GX = CX - GlyphWidth / 2, TX = CX - TextWidth / 2;
    bool Centred = Margin == -1;
    switch (Layout) {
    case blGlyphLeft:
        GlyphPos = {Centred ? CX - HW : R.Left + Margin, GY};
        TextPos = {Centred ? CX + HW - TextWidth : R.Left + Margin + GlyphWidth + Spacing, TY};
        break;
    case blGlyphRight:
        GlyphPos = {Centred ? CX + HW - GlyphWidth : R.Right - GlyphWidth - Margin, GY};
        TextPos = {Centred ? CX - HW : GlyphPos.X - Spacing - TextWidth, TY};
        break;
    case blGlyphTop:
        GlyphPos = {GX, Centred ? CY - HH : R.Top + Margin};
        TextPos = {TX, Centred ? CY + HH - TextHeight : GlyphPos.Y + GlyphHeight + Spacing};
        break;
    case blGlyphBottom:
        GlyphPos = {GX, Centred ? CY + HH - GlyphHeight : R.Bottom - GlyphHeight - Margin};
        TextPos = {TX, Centred ? CY - HH : GlyphPos.Y - Spacing - TextHeight};
        break;
    }
}

namespace {

// What the three image-and-caption painters share: the picture is drawn by
// ADrawImage at its place, the caption centred or left in its box, and the
// colour bar under the picture, under the caption or filling the button.
struct TImageCaption {
    int GlyphWidth = 0;
    int GlyphHeight = 0;
    int BarWidth = 0;
    bool ClearBrushWithoutCaption = true;
    TRect EmptyBar;
};

template <class FDrawImage>
void DrawImageCaption(TCanvas* Canvas, const TRect& R, int Margin, int Spacing, TbsButtonLayout Layout,
                      const std::string& Caption, bool Down, bool DrawBar, TColor BarColor, UINT AAlign,
                      const TImageCaption& AImage, FDrawImage ADrawImage)
{
    bool HasImage = AImage.GlyphWidth > 0 || AImage.GlyphHeight > 0;
    int TW = 0, TH = 0;
    if (!Caption.empty()) {
        TRect M = Rect(0, 0, R.Width(), R.Height());
        if (Layout == blGlyphLeft || Layout == blGlyphRight)
            M.Right -= AImage.GlyphWidth;
        else
            M.Bottom -= AImage.GlyphHeight;
        WideDrawText(Canvas, Caption, M, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
        TW = M.Width();
        TH = M.Height();
    }
    if (!Caption.empty() || AImage.ClearBrushWithoutCaption)
        Canvas->Brush()->SetStyle(bsClear);
    TPoint GlyphPos, TextPos;
    CalcButtonLayout(Layout, R, AImage.GlyphWidth, AImage.GlyphHeight, TW, TH, Spacing, Margin, GlyphPos, TextPos);
    if (Down) {
        GlyphPos = {GlyphPos.X + 1, GlyphPos.Y + 1};
        TextPos = {TextPos.X + 1, TextPos.Y + 1};
    }
    TRect Box = Rect(TextPos.X, TextPos.Y, TextPos.X + TW, TextPos.Y + TH);
    if (!Caption.empty()) {
        TRect T = Box;
        if (OddFontHeight(Canvas))
            --T.Top;
        T.Right += 2;
        WideDrawText(Canvas, Caption, T, DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | AAlign);
    }
    if (DrawBar)
        Canvas->Pen()->SetColor(BarColor);
    if (HasImage) {
        ADrawImage(GlyphPos);
        if (DrawBar)
            for (int D : {-2, -1, 0})
                Line(Canvas, GlyphPos.X, GlyphPos.Y + AImage.GlyphHeight + D, GlyphPos.X + AImage.BarWidth,
                     GlyphPos.Y + AImage.GlyphHeight + D);
    } else if (DrawBar && !Caption.empty()) {
        for (int D : {-1, 0, 1})
            Line(Canvas, Box.Left, Box.Bottom + D, Box.Right, Box.Bottom + D);
    } else if (DrawBar) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(BarColor);
        Canvas->FillRect(AImage.EmptyBar);
    }
}

TImageCaption ListImage(const TRect& R, int ImageIndex, TCustomImageList* ImageList)
{
    TImageCaption I;
    if (ImageIndex >= 0 && ImageList != nullptr && ImageIndex < ImageList->Count()) {
        I.GlyphWidth = I.BarWidth = ImageList->Width();
        I.GlyphHeight = ImageList->Height();
    }
    I.EmptyBar = Rect(R.Left + 4, R.Top + 4, R.Right - 2, R.Bottom - 4);
    return I;
}

} // namespace

void DrawImageAndText(TCanvas* Canvas, TRect R, int Margin, int Spacing, TbsButtonLayout Layout,
                      const std::string& Caption, int ImageIndex, TCustomImageList* ImageList, bool Down, bool Enabled,
                      bool DrawBar, TColor BarColor)
{
    DrawImageCaption(Canvas, R, Margin, Spacing, Layout, Caption, Down, DrawBar, BarColor, DT_CENTER,
                     ListImage(R, ImageIndex, ImageList),
                     [&](TPoint P) { ImageList->Draw(Canvas, P.X, P.Y, ImageIndex, Enabled); });
}

void DrawImageAndTextLeft(TCanvas* Canvas, TRect R, int Margin, int Spacing, TbsButtonLayout Layout,
                          const std::string& Caption, int ImageIndex, TCustomImageList* ImageList, bool Down,
                          bool Enabled, bool DrawBar, TColor BarColor)
{
    DrawImageCaption(Canvas, R, Margin, Spacing, Layout, Caption, Down, DrawBar, BarColor, 0,
                     ListImage(R, ImageIndex, ImageList),
                     [&](TPoint P) { ImageList->Draw(Canvas, P.X, P.Y, ImageIndex, Enabled); });
}

void DrawGlyphAndText(TCanvas* Canvas, TRect R, int Margin, int Spacing, TbsButtonLayout Layout,
                      const std::string& Caption, TBitmap* Glyph, TbsNumGlyphs NumGlyphs, int GlyphIndex, bool Down,
                      bool DrawBar, TColor BarColor)
{
    TImageCaption I;
    // A strip without frames has no picture to show (and nothing to divide by).
    if (Glyph != nullptr && !Glyph->Empty() && NumGlyphs > 0) {
        I.GlyphWidth = I.BarWidth = Glyph->Width() / NumGlyphs;
        I.GlyphHeight = Glyph->Height();
    }
    I.ClearBrushWithoutCaption = false;
    I.EmptyBar = Down ? Rect(R.Left + 4, R.Top + 5, R.Right - 2, R.Bottom - 3)
                      : Rect(R.Left + 4, R.Top + 4, R.Right - 2, R.Bottom - 4);
    DrawImageCaption(Canvas, R, Margin, Spacing, Layout, Caption, Down, DrawBar, BarColor, DT_CENTER, I,
                     [&](TPoint P) { DrawGlyph(Canvas, P.X, P.Y, Glyph, NumGlyphs, GlyphIndex); });
}

void DrawGlyph(TCanvas* Canvas, int X, int Y, TBitmap* Glyph, TbsNumGlyphs NumGlyphs, int GlyphIndex)
{
    if (Glyph == nullptr || Glyph->Empty() || NumGlyphs <= 0)
        return;
    int W = Glyph->Width() / NumGlyphs;
    if (W <= 0)
        return;
    TBitmap Frame;
    Frame.SetPixelFormat(pf32bit);
    Frame.SetSize(W, Glyph->Height());
    Frame.Canvas()->CopyRect(Rect(0, 0, W, Glyph->Height()), Glyph->Canvas(),
                             Rect(W * (GlyphIndex - 1), 0, W * GlyphIndex, Glyph->Height()));
    Frame.SetTransparent(true);
    Canvas->Draw(X, Y, &Frame);
}

} // namespace skin
