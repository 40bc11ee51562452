// Text output and measuring with the DC's font, colours and background mode,
// and the formatted text of DrawText.

#include <algorithm>

#include "platform/gfx/FontEngine.h"
#include "platform/gfx/GdiInternal.h"

namespace platform {

namespace {

TSizedFont& FontOf(TDeviceContext& D)
{
    const TGdiFont* F = D.State.Font;
    return GetSizedFont(F != nullptr ? F->Log : LOGFONT{});
}

int RunWidth(TSizedFont& F, const std::u32string& S, int AExtra)
{
    int W = 0;
    for (char32_t C : S)
        W += F.Glyph(C).Advance + AExtra;
    return W;
}

// Coverage of one glyph blended in the text colour; touched pixels get
// alpha 0 like all drawing.
void BlendGlyph(TDeviceContext& D, const TGlyph& G, int AX, int AY, uint32_t AColor, const TRect& AClip)
{
    int X0 = AX + G.Left, Y0 = AY - G.Top;
    TRect Box{std::max(X0, AClip.Left), std::max(Y0, AClip.Top), std::min(X0 + G.Width, AClip.Right),
              std::min(Y0 + G.Height, AClip.Bottom)};
    if (Box.IsEmpty())
        return;
    uint32_t TR = (AColor >> 16) & 0xFF, TG = (AColor >> 8) & 0xFF, TB = AColor & 0xFF;
    for (const TRect& C : D.ClipRects()) {
        TRect R{std::max(Box.Left, C.Left), std::max(Box.Top, C.Top), std::min(Box.Right, C.Right),
                std::min(Box.Bottom, C.Bottom)};
        for (int Y = R.Top; Y < R.Bottom; ++Y) {
            const uint8_t* Cov = &G.Coverage[size_t((Y - Y0) * G.Width)];
            for (int X = R.Left; X < R.Right; ++X) {
                uint32_t A = Cov[X - X0];
                if (A == 0)
                    continue;
                uint32_t P = ReadPixel(D.Surface, X, Y);
                if (A == 255) {
                    WritePixel(D.Surface, X, Y, AColor & 0xFFFFFF);
                    continue;
                }
                auto Mix = [A](uint32_t Dst, uint32_t Src) { return (Src * A + Dst * (255 - A) + 127) / 255; };
                uint32_t V = Mix((P >> 16) & 0xFF, TR) << 16 | Mix((P >> 8) & 0xFF, TG) << 8 | Mix(P & 0xFF, TB);
                WritePixel(D.Surface, X, Y, V);
            }
        }
    }
}

struct TRunStyle {
    int UnderlineIndex = -1; // mnemonic underline under this character
    bool PrefixOnly = false; // draw only that underline
};

// Draws S with its top-left at surface (AX, AY) (already aligned).
void DrawRun(TDeviceContext& D, TSizedFont& F, int AX, int AY, const std::u32string& S, const TRect& AClip,
             const int* ADx, const TRunStyle& AStyle = {})
{
    uint32_t Color = ColorToPixel(D.State.TextColor);
    int Base = AY + F.Metrics.tmAscent;
    int X = AX;
    for (size_t I = 0; I < S.size(); ++I) {
        const TGlyph& G = F.Glyph(S[I]);
        if (!AStyle.PrefixOnly)
            BlendGlyph(D, G, X, Base, Color, AClip);
        int Step = ADx != nullptr ? ADx[I] : G.Advance + D.State.CharExtra;
        if (int(I) == AStyle.UnderlineIndex)
            for (int T = 0; T < F.UnderlineThickness; ++T) {
                int Y = Base + F.UnderlinePos + T;
                if (Y >= AClip.Top && Y < AClip.Bottom)
                    FillSpan(D, Y, std::max(X, AClip.Left), std::min(X + G.Advance, AClip.Right), Color, R2_COPYPEN);
            }
        X += Step;
    }
    if (AStyle.PrefixOnly)
        return;
    auto Line = [&](int Y) {
        for (int T = 0; T < F.UnderlineThickness; ++T)
            if (Y + T >= AClip.Top && Y + T < AClip.Bottom)
                FillSpan(D, Y + T, std::max(AX, AClip.Left), std::min(X, AClip.Right), Color, R2_COPYPEN);
    };
    if (F.Underline)
        Line(Base + F.UnderlinePos);
    if (F.StrikeOut)
        Line(Base - F.StrikeOutPos);
}

TRect SurfaceBounds(const TDeviceContext& D)
{
    return {0, 0, D.Surface.Width, D.Surface.Height};
}

TRect ToSurface(const TDeviceContext& D, const RECT& R)
{
    return {D.SX(std::min(R.Left, R.Right)), D.SY(std::min(R.Top, R.Bottom)), D.SX(std::max(R.Left, R.Right)),
            D.SY(std::max(R.Top, R.Bottom))};
}

TRect Intersect(const TRect& A, const TRect& B)
{
    return {std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right), std::min(A.Bottom, B.Bottom)};
}

void FillBk(TDeviceContext& D, const TRect& R)
{
    uint32_t Bk = ColorToPixel(D.State.BkColor);
    for (int Y = R.Top; Y < R.Bottom; ++Y)
        FillSpan(D, Y, R.Left, R.Right, Bk, R2_COPYPEN);
}

} // namespace

BOOL ExtTextOut(HDC ADC, int AX, int AY, UINT AOptions, const RECT* ARect, std::string_view AText, const int* ADx)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return FALSE;
    std::lock_guard<std::mutex> Guard(FontEngineLock());
    TSizedFont& F = FontOf(*D);
    std::u32string S = DecodeUtf8(AText);
    int Width = 0;
    if (ADx != nullptr)
        for (size_t I = 0; I < S.size(); ++I)
            Width += ADx[I];
    else
        Width = RunWidth(F, S, D->State.CharExtra);
    UINT Align = D->State.TextAlign;
    POINT P = (Align & TA_UPDATECP) ? D->State.CurPos : POINT{AX, AY};
    int X = P.X, Y = P.Y;
    if ((Align & TA_CENTER) == TA_CENTER)
        X -= Width / 2;
    else if (Align & TA_RIGHT)
        X -= Width;
    if ((Align & TA_BASELINE) == TA_BASELINE)
        Y -= F.Metrics.tmAscent;
    else if (Align & TA_BOTTOM)
        Y -= F.Metrics.tmHeight;
    if (Align & TA_UPDATECP)
        D->State.CurPos.X = (Align & TA_RIGHT) ? P.X - Width : P.X + Width;
    if (!D->CanDraw())
        return TRUE;
    TRect Clip = SurfaceBounds(*D);
    if (ARect != nullptr && (AOptions & ETO_CLIPPED))
        Clip = Intersect(Clip, ToSurface(*D, *ARect));
    if (ARect != nullptr && (AOptions & ETO_OPAQUE))
        FillBk(*D, ToSurface(*D, *ARect));
    int SX = D->SX(X), SY = D->SY(Y);
    if (D->State.BkMode == OPAQUE && !(ARect != nullptr && (AOptions & ETO_OPAQUE)))
        FillBk(*D, Intersect(Clip, {SX, SY, SX + Width, SY + F.Metrics.tmHeight}));
    DrawRun(*D, F, SX, SY, S, Clip, ADx);
    return TRUE;
}

BOOL TextOut(HDC ADC, int AX, int AY, std::string_view AText)
{
    return ExtTextOut(ADC, AX, AY, 0, nullptr, AText, nullptr);
}

BOOL GetTextExtentPoint32(HDC ADC, std::string_view AText, SIZE* ASize)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || ASize == nullptr)
        return FALSE;
    std::lock_guard<std::mutex> Guard(FontEngineLock());
    TSizedFont& F = FontOf(*D);
    ASize->cx = RunWidth(F, DecodeUtf8(AText), D->State.CharExtra);
    ASize->cy = F.Metrics.tmHeight;
    return TRUE;
}

BOOL GetTextMetrics(HDC ADC, TEXTMETRIC* AMetrics)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || AMetrics == nullptr)
        return FALSE;
    std::lock_guard<std::mutex> Guard(FontEngineLock());
    *AMetrics = FontOf(*D).Metrics;
    return TRUE;
}

// ---- formatted text

namespace {

bool IsIdeograph(char32_t C)
{
    return (C >= 0x2E80 && C <= 0x9FFF) || (C >= 0xF900 && C <= 0xFAFF) || (C >= 0xFF00 && C <= 0xFFEF) ||
           (C >= 0x3000 && C <= 0x303F) || (C >= 0xAC00 && C <= 0xD7AF);
}

struct TLine {
    std::u32string Text;
    int Underline = -1; // index of the mnemonic character
};

class TTextFormatter {
public:
    TTextFormatter(TDeviceContext& AD, TSizedFont& AF, UINT AFormat, int AMaxWidth)
        : D(AD), F(AF), Format(AFormat), MaxWidth(AMaxWidth)
    {
        int TabChars = (Format & DT_TABSTOP) ? int((Format >> 8) & 0xFF) : 8;
        TabWidth = std::max(1, TabChars) * F.Metrics.tmAveCharWidth;
    }

    int Width(const std::u32string& S) const
    {
        int W = 0;
        for (char32_t C : S)
            W += C == U'\t' ? 0 : F.Glyph(C).Advance + D.State.CharExtra;
        return W;
    }

    // Prefix characters: "&&" is one "&", "&x" underlines x.
    TLine StripPrefix(const std::u32string& S) const
    {
        TLine L;
        if (Format & DT_NOPREFIX) {
            L.Text = S;
            return L;
        }
        for (size_t I = 0; I < S.size(); ++I) {
            if (S[I] == U'&' && I + 1 < S.size()) {
                ++I;
                if (S[I] != U'&' && !(Format & DT_HIDEPREFIX))
                    L.Underline = int(L.Text.size());
            } else if (S[I] == U'&') {
                continue;
            }
            L.Text.push_back(S[I]);
        }
        return L;
    }

    std::u32string ExpandTabs(const std::u32string& S) const
    {
        if (!(Format & DT_EXPANDTABS) || S.find(U'\t') == std::u32string::npos)
            return S;
        std::u32string Out;
        int X = 0;
        int Space = std::max(1, F.Glyph(U' ').Advance);
        for (char32_t C : S) {
            if (C != U'\t') {
                Out.push_back(C);
                X += F.Glyph(C).Advance;
                continue;
            }
            int Next = (X / TabWidth + 1) * TabWidth;
            while (X < Next) {
                Out.push_back(U' ');
                X += Space;
            }
        }
        return Out;
    }

    // Splits a paragraph at spaces and between ideographs so that each line
    // fits; a word longer than a line stays whole.
    void Wrap(const std::u32string& P, std::vector<std::u32string>& AOut) const
    {
        std::u32string Line;
        size_t I = 0;
        while (I < P.size()) {
            size_t J = I + 1;
            if (!IsIdeograph(P[I]) && P[I] != U' ')
                while (J < P.size() && P[J] != U' ' && !IsIdeograph(P[J]))
                    ++J;
            std::u32string Word = P.substr(I, J - I);
            if (!Line.empty() && Word != U" " && Width(Line + Word) > MaxWidth) {
                while (!Line.empty() && Line.back() == U' ')
                    Line.pop_back();
                AOut.push_back(Line);
                Line.clear();
            }
            if (!(Line.empty() && Word == U" " && !AOut.empty()))
                Line += Word;
            I = J;
        }
        AOut.push_back(Line);
    }

    std::u32string EndEllipsis(std::u32string S) const
    {
        if (Width(S) <= MaxWidth)
            return S;
        const std::u32string Dots = U"...";
        while (!S.empty() && Width(S + Dots) > MaxWidth)
            S.pop_back();
        return S + Dots;
    }

    // "C:\folder\file.txt" loses characters before its last separator.
    std::u32string PathEllipsis(const std::u32string& S) const
    {
        if (Width(S) <= MaxWidth)
            return S;
        size_t Sep = S.find_last_of(U"\\/");
        if (Sep == std::u32string::npos || Sep == 0)
            return EndEllipsis(S);
        std::u32string Head = S.substr(0, Sep), Tail = S.substr(Sep);
        while (!Head.empty() && Width(Head + U"..." + Tail) > MaxWidth)
            Head.pop_back();
        return Head + U"..." + Tail;
    }

    std::vector<TLine> Lines(const std::u32string& AText) const
    {
        std::vector<std::u32string> Paragraphs;
        if (Format & DT_SINGLELINE) {
            std::u32string S;
            for (char32_t C : AText)
                if (C != U'\r' && C != U'\n')
                    S.push_back(C);
            Paragraphs.push_back(S);
        } else {
            std::u32string S;
            for (size_t I = 0; I < AText.size(); ++I) {
                char32_t C = AText[I];
                if (C == U'\r' || C == U'\n') {
                    Paragraphs.push_back(S);
                    S.clear();
                    if (C == U'\r' && I + 1 < AText.size() && AText[I + 1] == U'\n')
                        ++I;
                } else {
                    S.push_back(C);
                }
            }
            Paragraphs.push_back(S);
        }
        std::vector<TLine> Out;
        for (const std::u32string& P : Paragraphs) {
            TLine Stripped = StripPrefix(P);
            Stripped.Text = ExpandTabs(Stripped.Text);
            if ((Format & DT_WORDBREAK) && !(Format & DT_SINGLELINE)) {
                std::vector<std::u32string> Wrapped;
                Wrap(Stripped.Text, Wrapped);
                size_t Offset = 0;
                for (const std::u32string& W : Wrapped) {
                    TLine L{W, -1};
                    size_t Pos = Stripped.Text.find(W, Offset);
                    if (Stripped.Underline >= 0 && Pos != std::u32string::npos &&
                        size_t(Stripped.Underline) >= Pos && size_t(Stripped.Underline) < Pos + W.size())
                        L.Underline = int(size_t(Stripped.Underline) - Pos);
                    if (Pos != std::u32string::npos)
                        Offset = Pos + W.size();
                    Out.push_back(L);
                }
            } else {
                Out.push_back(Stripped);
            }
        }
        for (TLine& L : Out) {
            std::u32string Before = L.Text;
            if (Format & DT_PATH_ELLIPSIS)
                L.Text = PathEllipsis(L.Text);
            else if (Format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
                L.Text = EndEllipsis(L.Text);
            if (L.Text != Before && L.Underline >= int(L.Text.size()) - 3)
                L.Underline = -1;
        }
        return Out;
    }

    TDeviceContext& D;
    TSizedFont& F;
    UINT Format;
    int MaxWidth;
    int TabWidth = 64;
};

} // namespace

int DrawText(HDC ADC, std::string_view AText, RECT* ARect, UINT AFormat)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || ARect == nullptr)
        return 0;
    std::lock_guard<std::mutex> Guard(FontEngineLock());
    TSizedFont& F = FontOf(*D);
    TRect R = *ARect;
    TTextFormatter Fmt(*D, F, AFormat, R.Right - R.Left);
    std::vector<TLine> Lines = Fmt.Lines(DecodeUtf8(AText));
    int LineHeight = F.Metrics.tmHeight + ((AFormat & DT_EXTERNALLEADING) ? F.Metrics.tmExternalLeading : 0);
    int TotalHeight = LineHeight * int(Lines.size());
    int MaxWidth = 0;
    for (const TLine& L : Lines)
        MaxWidth = std::max(MaxWidth, Fmt.Width(L.Text));
    if (AFormat & DT_CALCRECT) {
        ARect->Right = ARect->Left + MaxWidth;
        ARect->Bottom = ARect->Top + TotalHeight;
        return TotalHeight;
    }
    int Y = R.Top;
    bool Single = AFormat & DT_SINGLELINE;
    if (Single && (AFormat & DT_VCENTER))
        Y = R.Top + (R.Bottom - R.Top - LineHeight) / 2;
    else if (Single && (AFormat & DT_BOTTOM))
        Y = R.Bottom - LineHeight;
    int Result = Single && (AFormat & (DT_VCENTER | DT_BOTTOM)) ? Y - R.Top + LineHeight : TotalHeight;
    if (!D->CanDraw())
        return Result;
    TRect Clip = (AFormat & DT_NOCLIP) ? SurfaceBounds(*D) : Intersect(SurfaceBounds(*D), ToSurface(*D, R));
    for (const TLine& L : Lines) {
        int W = Fmt.Width(L.Text);
        int X = R.Left;
        if (AFormat & DT_CENTER)
            X = R.Left + (R.Right - R.Left - W) / 2;
        else if (AFormat & DT_RIGHT)
            X = R.Right - W;
        int SX = D->SX(X), SY = D->SY(Y);
        if (D->State.BkMode == OPAQUE && !(AFormat & DT_PREFIXONLY))
            FillBk(*D, Intersect(Clip, {SX, SY, SX + W, SY + LineHeight}));
        TRunStyle Style;
        Style.UnderlineIndex = L.Underline;
        Style.PrefixOnly = AFormat & DT_PREFIXONLY;
        DrawRun(*D, F, SX, SY, L.Text, Clip, nullptr, Style);
        Y += LineHeight;
    }
    return Result;
}

long TabbedTextOut(HDC ADC, int AX, int AY, std::string_view AText, int ATabCount, const int* ATabs, int AOrigin)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return 0;
    std::u32string S;
    int X = AX, Height = 0;
    size_t Start = 0, TabIndex = 0;
    std::string Text(AText);
    auto Flush = [&](size_t AEnd) {
        std::string_view Piece(Text.data() + Start, AEnd - Start);
        SIZE Size;
        GetTextExtentPoint32(ADC, Piece, &Size);
        TextOut(ADC, X, AY, Piece);
        X += Size.cx;
        Height = Size.cy;
    };
    for (size_t I = 0; I <= Text.size(); ++I) {
        if (I < Text.size() && Text[I] != '\t')
            continue;
        Flush(I);
        if (I == Text.size())
            break;
        // The next stop beyond X: the given ones in order, then their last
        // spacing repeated (or eight average characters without stops).
        int Stop = 0;
        while (TabIndex < size_t(std::max(ATabCount, 0)) && AOrigin + ATabs[TabIndex] <= X)
            ++TabIndex;
        if (TabIndex < size_t(std::max(ATabCount, 0))) {
            Stop = AOrigin + ATabs[TabIndex];
        } else {
            TEXTMETRIC M;
            GetTextMetrics(ADC, &M);
            int Step = ATabCount == 1 && ATabs[0] > 0 ? ATabs[0] : 8 * M.tmAveCharWidth;
            Stop = AOrigin + ((X - AOrigin) / std::max(Step, 1) + 1) * std::max(Step, 1);
        }
        X = Stop;
        Start = I + 1;
    }
    return long((X - AX) & 0xFFFF) | (long(Height) << 16);
}

} // namespace platform
