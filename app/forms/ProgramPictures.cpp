#include "app/forms/ProgramPictures.h"

#include <cmath>

namespace app {

using namespace platform;

namespace {

const TColor Key = TColor(RGB(255, 0, 255));
const TColor Accent = TColor(RGB(36, 112, 200));
const TColor Green = TColor(RGB(40, 160, 70));
const TColor Red = TColor(RGB(210, 60, 50));
const TColor Amber = TColor(RGB(230, 150, 30));
const TColor Grey = TColor(RGB(160, 160, 160));
const TColor Dark = TColor(RGB(70, 70, 70));

std::unique_ptr<TBitmap> NewBitmap(int W, int H, TColor AFill)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetPixelFormat(pf24bit);
    bmp->SetSize(W, H);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(AFill);
    c->FillRect(TRect{0, 0, W, H});
    return bmp;
}

void Fill(TCanvas* C, TColor AColor)
{
    C->Brush()->SetColor(AColor);
    C->Pen()->SetColor(AColor);
    C->Pen()->SetWidth(1);
}

// Coordinates on a 16-unit grid scaled to the glyph.
struct TGrid {
    int S;
    int operator()(double AUnits) const { return int(std::lround(AUnits * S / 16.0)); }
    TPoint P(double X, double Y) const { return TPoint{(*this)(X), (*this)(Y)}; }
};

void DrawGlyph(TCanvas* C, TGlyph AGlyph, const TGrid& G, TColor AColor)
{
    Fill(C, AColor);
    switch (AGlyph) {
    case TGlyph::Add:
        C->FillRect(TRect{G(7), G(2), G(9), G(14)});
        C->FillRect(TRect{G(2), G(7), G(14), G(9)});
        break;
    case TGlyph::Start:
    case TGlyph::Resume:
    case TGlyph::Play:
        C->Polygon({G.P(4, 2), G.P(13, 8), G.P(4, 14)});
        break;
    case TGlyph::Stop:
    case TGlyph::PreviewStop:
        C->FillRect(TRect{G(3), G(3), G(13), G(13)});
        break;
    case TGlyph::Pause:
    case TGlyph::PreviewPause:
        C->FillRect(TRect{G(4), G(3), G(7), G(13)});
        C->FillRect(TRect{G(9), G(3), G(12), G(13)});
        break;
    case TGlyph::Remove:
        C->Pen()->SetWidth(std::max(2, G(2)));
        C->MoveTo(G(3), G(3));
        C->LineTo(G(13), G(13));
        C->MoveTo(G(13), G(3));
        C->LineTo(G(3), G(13));
        break;
    case TGlyph::Clear:
        C->FillRect(TRect{G(3), G(3), G(13), G(5)});
        C->FillRect(TRect{G(6), G(1), G(10), G(3)});
        C->Polygon({G.P(4, 6), G.P(12, 6), G.P(11, 15), G.P(5, 15)});
        break;
    case TGlyph::Rename:
        C->Polygon({G.P(10, 2), G.P(14, 6), G.P(6, 14), G.P(2, 14), G.P(2, 10)});
        break;
    case TGlyph::Options:
    case TGlyph::Settings:
        C->Ellipse(G(3), G(3), G(13), G(13));
        C->FillRect(TRect{G(7), G(1), G(9), G(15)});
        C->FillRect(TRect{G(1), G(7), G(15), G(9)});
        Fill(C, Key);
        C->Ellipse(G(6), G(6), G(10), G(10));
        break;
    case TGlyph::MoveUp:
        C->Polygon({G.P(8, 3), G.P(14, 10), G.P(2, 10)});
        break;
    case TGlyph::MoveDown:
        C->Polygon({G.P(2, 6), G.P(14, 6), G.P(8, 13)});
        break;
    case TGlyph::MuteOn:
    case TGlyph::MuteOff:
        C->Polygon({G.P(2, 6), G.P(5, 6), G.P(9, 2), G.P(9, 14), G.P(5, 10), G.P(2, 10)});
        if (AGlyph == TGlyph::MuteOff) {
            C->Pen()->SetWidth(std::max(1, G(1)));
            C->MoveTo(G(11), G(5));
            C->LineTo(G(15), G(11));
            C->MoveTo(G(15), G(5));
            C->LineTo(G(11), G(11));
        } else {
            C->FillRect(TRect{G(11), G(7), G(14), G(9)});
        }
        break;
    case TGlyph::Snapshot:
        C->FillRect(TRect{G(1), G(5), G(15), G(14)});
        C->FillRect(TRect{G(5), G(3), G(11), G(5)});
        Fill(C, Key);
        C->Ellipse(G(5), G(7), G(11), G(13));
        break;
    }
}

TColor GlyphColour(TGlyph AGlyph)
{
    switch (AGlyph) {
    case TGlyph::Start:
    case TGlyph::Resume:
    case TGlyph::Play:
    case TGlyph::Add: return Green;
    case TGlyph::Stop:
    case TGlyph::Remove:
    case TGlyph::PreviewStop: return Red;
    case TGlyph::Pause:
    case TGlyph::PreviewPause:
    case TGlyph::Rename: return Amber;
    case TGlyph::MuteOn:
    case TGlyph::MuteOff:
    case TGlyph::Clear: return Dark;
    default: return Accent;
    }
}

} // namespace

std::unique_ptr<TBitmap> MakeGlyph(TGlyph AGlyph, int ASize, bool AOn)
{
    auto bmp = NewBitmap(ASize, ASize, Key);
    DrawGlyph(bmp->Canvas(), AGlyph, TGrid{ASize}, AOn ? GlyphColour(AGlyph) : Grey);
    // The corner keeps the key colour, which marks the glyph's background.
    bmp->Canvas()->SetPixels(0, 0, Key);
    bmp->SetTransparentColor(Key);
    bmp->SetTransparent(true);
    return bmp;
}

std::unique_ptr<TBitmap> MakeLogo(int AWidth, int AHeight, std::optional<TColor> ABackground)
{
    auto bmp = NewBitmap(AWidth, AHeight, ABackground.value_or(Key));
    if (!ABackground) {
        bmp->SetTransparentColor(Key);
        bmp->SetTransparent(true);
    }
    TCanvas* c = bmp->Canvas();
    const int d = std::min(AWidth, AHeight) * 3 / 5;
    const int x = (AWidth - d) / 2, y = (AHeight - d) / 2;
    Fill(c, Accent);
    c->Ellipse(x, y, x + d, y + d);
    Fill(c, TColor(RGB(255, 255, 255)));
    c->Polygon({TPoint{x + d * 3 / 8, y + d / 4}, TPoint{x + d * 3 / 4, y + d / 2}, TPoint{x + d * 3 / 8, y + d * 3 / 4}});
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(Accent);
    c->Pen()->SetWidth(2);
    for (int ring = 1; ring <= 2; ++ring) {
        const int r = d / 2 + ring * d / 8;
        const int cx = x + d / 2, cy = y + d / 2;
        c->MoveTo(cx + r, cy - r / 2);
        c->LineTo(cx + r + r / 6, cy);
        c->LineTo(cx + r, cy + r / 2);
        c->MoveTo(cx - r, cy - r / 2);
        c->LineTo(cx - r - r / 6, cy);
        c->LineTo(cx - r, cy + r / 2);
    }
    return bmp;
}

std::unique_ptr<TBitmap> MakeEmptyListPicture(int AWidth, int AHeight)
{
    auto bmp = NewBitmap(AWidth, AHeight, TColor(RGB(250, 251, 253)));
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(TColor(RGB(190, 200, 215)));
    c->Pen()->SetStyle(psDash);
    c->Rectangle(TRect{12, 12, AWidth - 12, AHeight - 12});
    c->Pen()->SetStyle(psSolid);
    auto plus = MakeGlyph(TGlyph::Add, 48);
    c->Draw((AWidth - 48) / 2, AHeight / 2 - 62, plus.get());
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetName("黑体");
    c->Font()->SetHeight(-16);
    c->Font()->SetColor(TColor(RGB(60, 70, 90)));
    const std::string line1 = "点击“添加”按钮，添加要转换的视频或音频文件";
    c->TextOut((AWidth - c->TextWidth(line1)) / 2, AHeight / 2 + 0, line1);
    c->Font()->SetHeight(-12);
    c->Font()->SetColor(TColor(RGB(120, 130, 145)));
    const std::string line2 = "然后选择输出格式，再点击“开始”进行转换";
    c->TextOut((AWidth - c->TextWidth(line2)) / 2, AHeight / 2 + 28, line2);
    return bmp;
}

} // namespace app
