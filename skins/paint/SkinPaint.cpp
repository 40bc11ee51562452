#include "skins/paint/SkinPaint.h"

#include "platform/core/Streams.h"

#include <algorithm>
#include <cmath>

namespace skinpaint {

namespace {

constexpr int Samples = 4;

double Cross(double AX, double AY, double BX, double BY, double PX, double PY)
{
    return (BX - AX) * (PY - AY) - (BY - AY) * (PX - AX);
}

double SegmentDistance(double PX, double PY, double X0, double Y0, double X1, double Y1)
{
    const double dx = X1 - X0, dy = Y1 - Y0, len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((PX - X0) * dx + (PY - Y0) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = X0 + t * dx - PX, ey = Y0 + t * dy - PY;
    return std::sqrt(ex * ex + ey * ey);
}

} // namespace

TPainter::TPainter(int AWidth, int AHeight, TRgb ABackground)
{
    platform::AllocateImage(FImage, AWidth, AHeight, "BMP");
    Fill({0, 0, AWidth, AHeight}, ABackground);
}

void TPainter::Fill(const TBox& ABox, TRgb AColor)
{
    for (int y = std::max(0, ABox.Top); y < std::min(FImage.Height, ABox.Bottom); ++y)
        for (int x = std::max(0, ABox.Left); x < std::min(FImage.Width, ABox.Right); ++x)
            FImage.At(x, y) = 0xFF000000u | AColor;
}

void TPainter::KeyOut(const TBox& ABox, TRgb ABackground)
{
    for (int y = std::max(0, ABox.Top); y < std::min(FImage.Height, ABox.Bottom); ++y)
        for (int x = std::max(0, ABox.Left); x < std::min(FImage.Width, ABox.Right); ++x)
            if ((FImage.At(x, y) & 0xFFFFFF) == ABackground)
                FImage.At(x, y) = 0xFF000000u | Key;
}

void TPainter::Pixel(int X, int Y, TRgb AColor, double AAlpha)
{
    if (X < 0 || Y < 0 || X >= FImage.Width || Y >= FImage.Height || AAlpha <= 0)
        return;
    uint32_t& p = FImage.At(X, Y);
    auto mix = [&](int AShift) {
        const double under = (p >> AShift) & 0xFF, over = (AColor >> AShift) & 0xFF;
        return uint32_t(std::lround(under + (over - under) * std::min(1.0, AAlpha))) << AShift;
    };
    p = 0xFF000000u | mix(16) | mix(8) | mix(0);
}

void TPainter::Shape(const TBox& ABox, const std::function<bool(double, double)>& AInside, TRgb AColor)
{
    for (int y = ABox.Top; y < ABox.Bottom; ++y)
        for (int x = ABox.Left; x < ABox.Right; ++x) {
            int hits = 0;
            for (int sy = 0; sy < Samples; ++sy)
                for (int sx = 0; sx < Samples; ++sx)
                    hits += AInside(x + (sx + 0.5) / Samples, y + (sy + 0.5) / Samples);
            Pixel(x, y, AColor, double(hits) / (Samples * Samples));
        }
}

void TPainter::RoundRect(const TBox& ABox, double ARadius, TRgb AFill, TRgb AEdge, int AEdgeWidth)
{
    auto inside = [](const TBox& B, double R) {
        return [B, R](double X, double Y) {
            if (X < B.Left || X > B.Right || Y < B.Top || Y > B.Bottom)
                return false;
            const double cx = std::clamp(X, B.Left + R, B.Right - R), cy = std::clamp(Y, B.Top + R, B.Bottom - R);
            return (X - cx) * (X - cx) + (Y - cy) * (Y - cy) <= R * R;
        };
    };
    if (AEdgeWidth > 0)
        Shape(ABox, inside(ABox, ARadius), AEdge);
    const TBox inner = ABox.Inset(AEdgeWidth);
    Shape(inner, inside(inner, std::max(0.0, ARadius - AEdgeWidth)), AFill);
}

void TPainter::Disk(double ACenterX, double ACenterY, double ARadius, TRgb AColor)
{
    const TBox box{int(std::floor(ACenterX - ARadius)), int(std::floor(ACenterY - ARadius)),
                   int(std::ceil(ACenterX + ARadius)), int(std::ceil(ACenterY + ARadius))};
    Shape(box, [=](double X, double Y) { return (X - ACenterX) * (X - ACenterX) + (Y - ACenterY) * (Y - ACenterY) <= ARadius * ARadius; },
          AColor);
}

void TPainter::Line(double X0, double Y0, double X1, double Y1, double AWidth, TRgb AColor)
{
    const double h = AWidth / 2;
    const TBox box{int(std::floor(std::min(X0, X1) - h)), int(std::floor(std::min(Y0, Y1) - h)),
                   int(std::ceil(std::max(X0, X1) + h)), int(std::ceil(std::max(Y0, Y1) + h))};
    Shape(box, [=](double X, double Y) { return SegmentDistance(X, Y, X0, Y0, X1, Y1) <= h; }, AColor);
}

void TPainter::Triangle(double X0, double Y0, double X1, double Y1, double X2, double Y2, TRgb AColor)
{
    const TBox box{int(std::floor(std::min({X0, X1, X2}))), int(std::floor(std::min({Y0, Y1, Y2}))),
                   int(std::ceil(std::max({X0, X1, X2}))), int(std::ceil(std::max({Y0, Y1, Y2})))};
    Shape(box,
          [=](double X, double Y) {
              const double a = Cross(X0, Y0, X1, Y1, X, Y), b = Cross(X1, Y1, X2, Y2, X, Y), c = Cross(X2, Y2, X0, Y0, X, Y);
              return (a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0);
          },
          AColor);
}

void TPainter::Save(const std::string& AFileName) const
{
    platform::TFileStream f(AFileName, platform::fmCreate);
    platform::WriteBmp(f, FImage, 24);
}

namespace {

// The three points of a glyph pointing in ADirection, centred in ABox.
struct TTip {
    double X[3], Y[3];
};

TTip TipPoints(const TBox& ABox, TDirection ADirection, double ASize)
{
    const double cx = (ABox.Left + ABox.Right) / 2.0, cy = (ABox.Top + ABox.Bottom) / 2.0, h = ASize / 2;
    switch (ADirection) {
    case TDirection::Up: return {{cx - ASize, cx, cx + ASize}, {cy + h, cy - h, cy + h}};
    case TDirection::Down: return {{cx - ASize, cx, cx + ASize}, {cy - h, cy + h, cy - h}};
    case TDirection::Left: return {{cx + h, cx - h, cx + h}, {cy - ASize, cy, cy + ASize}};
    case TDirection::Right: break;
    }
    return {{cx - h, cx + h, cx - h}, {cy - ASize, cy, cy + ASize}};
}

} // namespace

void Chevron(TPainter& P, const TBox& ABox, TDirection ADirection, double ASize, TRgb AColor)
{
    const TTip t = TipPoints(ABox, ADirection, ASize);
    P.Line(t.X[0], t.Y[0], t.X[1], t.Y[1], 1.5, AColor);
    P.Line(t.X[1], t.Y[1], t.X[2], t.Y[2], 1.5, AColor);
}

void Arrow(TPainter& P, const TBox& ABox, TDirection ADirection, double ASize, TRgb AColor)
{
    const TTip t = TipPoints(ABox, ADirection, ASize);
    P.Triangle(t.X[0], t.Y[0], t.X[1], t.Y[1], t.X[2], t.Y[2], AColor);
}

void CheckMark(TPainter& P, const TBox& ABox, double AWidth, TRgb AColor)
{
    const double w = ABox.Width(), h = ABox.Height(), x = ABox.Left, y = ABox.Top;
    P.Line(x + w * 0.22, y + h * 0.52, x + w * 0.42, y + h * 0.72, AWidth, AColor);
    P.Line(x + w * 0.42, y + h * 0.72, x + w * 0.78, y + h * 0.30, AWidth, AColor);
}

} // namespace skinpaint
