#include "skin/dialogs/bsDialogPictures.h"

#include <cmath>
#include <functional>
#include <string>

namespace skin {

using platform::TImageData;

namespace {

// Paints shapes into straight-alpha pixels. A shape is a test on points;
// each pixel is sampled 4 x 4 times, so edges come out smooth.
class TPainter {
public:
    // Shapes are given on a grid of ADesign units a side, scaled to ASize.
    TPainter(TImageData& AImage, int ASize, int ADesign) : TPainter(AImage, ASize, ASize, ADesign) {}
    TPainter(TImageData& AImage, int AWidth, int AHeight, int ADesign) : F(AImage), FScale(double(AWidth) / ADesign)
    {
        F.Width = AWidth;
        F.Height = AHeight;
        F.Pixels.assign(size_t(AWidth) * size_t(AHeight), 0);
        F.HasAlpha = true;
        F.SourceBitCount = 32;
    }

    void Fill(const std::function<bool(double, double)>& AInside, uint32_t ARgb)
    {
        for (int y = 0; y < F.Height; ++y)
            for (int x = 0; x < F.Width; ++x) {
                int hits = 0;
                for (int sy = 0; sy < 4; ++sy)
                    for (int sx = 0; sx < 4; ++sx)
                        hits += AInside((x + (sx + 0.5) / 4) / FScale, (y + (sy + 0.5) / 4) / FScale) ? 1 : 0;
                if (hits)
                    Over(F.At(x, y), ARgb, hits / 16.0);
            }
    }
    void Disc(double CX, double CY, double R, uint32_t ARgb)
    {
        Fill([=](double X, double Y) { return Sq(X - CX) + Sq(Y - CY) <= R * R; }, ARgb);
    }
    void Box(double X0, double Y0, double X1, double Y1, uint32_t ARgb)
    {
        Fill([=](double X, double Y) { return X >= X0 && X < X1 && Y >= Y0 && Y < Y1; }, ARgb);
    }
    // A stroke of half-width R with round ends.
    void Capsule(double X0, double Y0, double X1, double Y1, double R, uint32_t ARgb)
    {
        Fill([=](double X, double Y) { return SegmentDistance(X, Y, X0, Y0, X1, Y1) <= R; }, ARgb);
    }
    void Triangle(double AX, double AY, double BX, double BY, double CX, double CY, uint32_t ARgb)
    {
        Fill([=](double X, double Y) {
            const double d1 = Cross(X, Y, AX, AY, BX, BY), d2 = Cross(X, Y, BX, BY, CX, CY),
                         d3 = Cross(X, Y, CX, CY, AX, AY);
            const bool neg = d1 < 0 || d2 < 0 || d3 < 0, pos = d1 > 0 || d2 > 0 || d3 > 0;
            return !(neg && pos);
        }, ARgb);
    }

private:
    static double Sq(double V) { return V * V; }
    static double Cross(double X, double Y, double AX, double AY, double BX, double BY)
    {
        return (X - BX) * (AY - BY) - (AX - BX) * (Y - BY);
    }
    static double SegmentDistance(double X, double Y, double X0, double Y0, double X1, double Y1)
    {
        const double dx = X1 - X0, dy = Y1 - Y0, len = dx * dx + dy * dy;
        double t = len > 0 ? ((X - X0) * dx + (Y - Y0) * dy) / len : 0;
        t = t < 0 ? 0 : (t > 1 ? 1 : t);
        return std::sqrt(Sq(X - X0 - t * dx) + Sq(Y - Y0 - t * dy));
    }
    // ARgb at coverage ACover over the pixel, straight alpha.
    static void Over(uint32_t& APixel, uint32_t ARgb, double ACover)
    {
        const double sa = ACover, da = (APixel >> 24) / 255.0, oa = sa + da * (1 - sa);
        uint32_t out = uint32_t(std::lround(oa * 255)) << 24;
        for (int shift = 0; shift <= 16; shift += 8) {
            const double s = (ARgb >> shift) & 0xFF, d = (APixel >> shift) & 0xFF;
            const double c = oa > 0 ? (s * sa + d * da * (1 - sa)) / oa : 0;
            out |= uint32_t(std::lround(c)) << shift;
        }
        APixel = out;
    }
    TImageData& F;
    double FScale;
};

constexpr uint32_t White = 0xFFFFFF, Ink = 0x202020, BitmapKey = 0xFF00FF;

// A round badge with a darker rim, the face of three of the icons.
void Badge(TPainter& P, uint32_t ARim, uint32_t AFace)
{
    P.Disc(16, 16, 15.5, ARim);
    P.Disc(16, 16, 14, AFace);
}

void InformationIcon(TPainter& P)
{
    Badge(P, 0x1D4F9C, 0x2F74D0);
    P.Disc(16, 9, 2.3, White);
    P.Capsule(16, 14, 16, 24, 2, White);
}

void ErrorIcon(TPainter& P)
{
    Badge(P, 0x9E1F14, 0xD9382B);
    P.Capsule(10.5, 10.5, 21.5, 21.5, 2, White);
    P.Capsule(21.5, 10.5, 10.5, 21.5, 2, White);
}

void WarningIcon(TPainter& P)
{
    P.Triangle(16, 0.5, 31.5, 29.5, 0.5, 29.5, 0x8A6700);
    P.Triangle(16, 3.5, 29, 28, 3, 28, 0xF6C619);
    P.Capsule(16, 11, 16, 19.5, 1.8, Ink);
    P.Disc(16, 24, 1.9, Ink);
}

void QuestionIcon(TPainter& P)
{
    Badge(P, 0x1D4F9C, 0x2F74D0);
    // The hook of the question mark: the upper part of a ring and its
    // lower right quarter, ending in a short stem.
    P.Fill([](double X, double Y) {
        const double d = std::hypot(X - 16, Y - 12);
        return d >= 3 && d <= 6.4 && (Y <= 12 || (X >= 16 && Y <= 15.5 && X - 16 >= Y - 12));
    }, White);
    P.Capsule(18.8, 15.8, 16.4, 18, 1.6, White);
    P.Capsule(16.2, 18, 16.2, 19.5, 1.6, White);
    P.Disc(16.2, 24, 2, White);
}

constexpr uint32_t ArrowColor = 0x2E8B3A, FolderRim = 0x9C6A10, FolderFace = 0xF2C34E, Line = 0x3A4A5C;

void BackPicture(TPainter& P)
{
    P.Triangle(1.5, 8, 8, 1.5, 8, 14.5, ArrowColor);
    P.Box(7, 5.5, 14.5, 10.5, ArrowColor);
}

void UpPicture(TPainter& P)
{
    P.Triangle(8, 1.5, 14.5, 8, 1.5, 8, ArrowColor);
    P.Box(5.5, 7, 10.5, 14.5, ArrowColor);
}

void Folder(TPainter& P)
{
    P.Box(1, 3, 7, 6, FolderRim);
    P.Box(1, 5, 15, 14.5, FolderRim);
    P.Box(2, 6, 14, 13.5, FolderFace);
}

void NewFolderPicture(TPainter& P)
{
    Folder(P);
    // The spark of something new at the top right.
    P.Capsule(12.5, 0.8, 12.5, 6.2, 0.8, ArrowColor);
    P.Capsule(9.8, 3.5, 15.2, 3.5, 0.8, ArrowColor);
}

void ListStylePicture(TPainter& P)
{
    for (double y : {1.5, 6.5, 11.5}) {
        P.Box(1, y, 4.5, y + 3.5, Line);
        P.Box(6, y + 1, 15, y + 2.5, Line);
    }
}

void StretchPicture(TPainter& P)
{
    P.Box(4, 4, 12, 12, Line);
    P.Box(5, 5, 11, 11, White);
    P.Triangle(0.5, 0.5, 5, 0.5, 0.5, 5, Line);
    P.Triangle(15.5, 0.5, 15.5, 5, 11, 0.5, Line);
    P.Triangle(0.5, 15.5, 0.5, 11, 5, 15.5, Line);
    P.Triangle(15.5, 15.5, 11, 15.5, 15.5, 11, Line);
}

constexpr uint32_t Paper = 0xFAFAFA, PaperRim = 0x8A9099, Metal = 0x9AA3AD, Screen = 0x3C6FB4;

void PageShape(TPainter& P)
{
    P.Triangle(9.5, 0.5, 13.5, 4.5, 9.5, 4.5, PaperRim);
    P.Box(2.5, 0.5, 9.5, 15.5, PaperRim);
    P.Box(2.5, 4.5, 13.5, 15.5, PaperRim);
    P.Box(3.5, 1.5, 9, 14.5, Paper);
    P.Box(3.5, 5, 12.5, 14.5, Paper);
}

void FileIcon(TPainter& P)
{
    PageShape(P);
    for (double y : {7.0, 9.5, 12.0})
        P.Box(5, y, 11, y + 1, PaperRim);
}

void AudioIcon(TPainter& P)
{
    PageShape(P);
    P.Capsule(9.5, 6, 9.5, 12, 0.6, Ink);
    P.Capsule(9.5, 6, 11.5, 7, 0.6, Ink);
    P.Disc(8, 12.2, 1.7, Ink);
}

void VideoIcon(TPainter& P)
{
    PageShape(P);
    P.Box(4.5, 6.5, 11.5, 13, Ink);
    P.Triangle(7, 8, 10, 9.75, 7, 11.5, White);
}

void PictureIcon(TPainter& P)
{
    PageShape(P);
    P.Box(4.5, 6.5, 11.5, 13, 0x7FB3E6);
    P.Triangle(4.5, 13, 7.5, 9, 10.5, 13, ArrowColor);
    P.Disc(9.8, 8.3, 1, 0xF6C619);
}

void FolderIcon(TPainter& P) { Folder(P); }

void DriveIcon(TPainter& P)
{
    P.Box(1, 5, 15, 12, 0x5A636E);
    P.Box(2, 6, 14, 11, Metal);
    P.Disc(12, 8.5, 1, ArrowColor);
}

void ComputerIcon(TPainter& P)
{
    P.Box(1, 1.5, 15, 11.5, 0x4A5260);
    P.Box(2, 2.5, 14, 10.5, Screen);
    P.Box(6.5, 11.5, 9.5, 13.5, 0x4A5260);
    P.Box(4, 13.5, 12, 15, 0x4A5260);
}

void HomeIcon(TPainter& P)
{
    P.Triangle(8, 1, 15.5, 8, 0.5, 8, 0xB3412F);
    P.Box(2.5, 7.5, 13.5, 15, 0xE9DCC0);
    P.Box(6.5, 10, 9.5, 15, 0x7A5230);
}

// The drive kinds of the drive combo box and the folder states of the
// directory list box. Each leaves its bottom-left pixel empty: the bitmaps
// are drawn with that pixel's colour as the transparent one.

void DriveBody(TPainter& P, uint32_t AFace)
{
    P.Box(1, 5, 15, 12, 0x5A636E);
    P.Box(2, 6, 14, 11, AFace);
}

void FloppyBitmap(TPainter& P)
{
    // A memory stick: a body with its plug to the right.
    P.Box(1, 4, 11, 12, 0x2F4F7F);
    P.Box(2, 5, 10, 11, 0x4F7FBF);
    P.Box(11, 5.5, 15, 10.5, Metal);
    P.Box(12, 6.5, 14, 7.5, 0x5A636E);
    P.Box(12, 8.5, 14, 9.5, 0x5A636E);
}

void HardBitmap(TPainter& P)
{
    DriveBody(P, Metal);
    P.Disc(12, 8.5, 1, ArrowColor);
}

void NetworkBitmap(TPainter& P)
{
    DriveBody(P, Metal);
    P.Disc(12, 8.5, 1, ArrowColor);
    // The cable that ties it to the network.
    P.Box(7.5, 12, 8.5, 14, Line);
    P.Box(2, 14, 14, 15, Line);
}

void CdromBitmap(TPainter& P)
{
    P.Disc(8, 8, 7, 0x8A9099);
    P.Disc(8, 8, 6.2, 0xD8E2EC);
    P.Disc(8, 8, 2.2, 0x8A9099);
    P.Disc(8, 8, 1.2, White);
}

void RamBitmap(TPainter& P)
{
    // A memory module: a board with chips and its contact row.
    P.Box(0.5, 1, 15.5, 8, 0x1F6B3A);
    for (double x : {2.0, 6.0, 10.0})
        P.Box(x, 2.5, x + 3, 6, Ink);
    P.Box(1.5, 8, 14.5, 9.5, 0xD8B02A);
}

void FolderBack(TPainter& P)
{
    P.Box(1, 2, 7, 5, FolderRim);
    P.Box(1, 4, 15, 14, FolderRim);
    P.Box(2, 5, 14, 13, FolderFace);
}

void ClosedFolderBitmap(TPainter& P) { FolderBack(P); }

void OpenFolderBitmap(TPainter& P)
{
    FolderBack(P);
    // The open front leaf, leaning away from the back.
    P.Fill([](double X, double Y) { return Y >= 7.5 && Y < 14 && X >= 3 + (14 - Y) * 0.45 && X < 16 - (14 - Y) * 0.2; },
           FolderRim);
    P.Fill([](double X, double Y) { return Y >= 8.5 && Y < 13 && X >= 4.4 + (14 - Y) * 0.45 && X < 15 - (14 - Y) * 0.2; },
           0xFBE08A);
}

void CurrentFolderBitmap(TPainter& P)
{
    OpenFolderBitmap(P);
    // The mark of the folder the list stands in.
    P.Disc(12.5, 3.5, 2.6, ArrowColor);
    P.Disc(12.5, 3.5, 1.2, White);
}

struct TControlBitmapEntry {
    std::string_view Name;
    int Width, Height;
    void (*Draw)(TPainter&);
};

constexpr TControlBitmapEntry ControlBitmaps[] = {
    {"BS_FLOPPY", 16, 16, FloppyBitmap},         {"BS_HARD", 16, 16, HardBitmap},
    {"BS_NETWORK", 16, 16, NetworkBitmap},       {"BS_CDROM", 16, 16, CdromBitmap},
    {"BS_RAM", 16, 11, RamBitmap},               {"BS_CLOSEDFOLDER", 16, 15, ClosedFolderBitmap},
    {"BS_OPENFOLDER", 16, 15, OpenFolderBitmap}, {"BS_CURRENTFOLDER", 16, 15, CurrentFolderBitmap},
};

struct TShellIconEntry {
    std::string_view Prefix;   // of the icon name
    void (*Draw)(TPainter&);
};

// First match wins; anything else is a plain file.
constexpr TShellIconEntry ShellIcons[] = {
    {"folder", FolderIcon},  {"user-desktop", FolderIcon}, {"drive-", DriveIcon}, {"media-", DriveIcon},
    {"computer", ComputerIcon}, {"user-home", HomeIcon},   {"audio-", AudioIcon}, {"video-", VideoIcon},
    {"image-", PictureIcon},
};

struct TPictureEntry {
    std::string_view Name;
    void (*Draw)(TPainter&);
};

constexpr TPictureEntry DialogPictures[] = {
    {"BS_BACK_PNG", BackPicture},         {"BS_UP_PNG", UpPicture},           {"BS_NEWFOLDER_PNG", NewFolderPicture},
    {"BS_LVSTYLE_PNG", ListStylePicture}, {"BS_STRETCH_PNG", StretchPicture},
};

struct TIconEntry {
    int Id;
    void (*Draw)(TPainter&);
};

constexpr TIconEntry MessageIcons[] = {
    {IDI_HAND, ErrorIcon},
    {IDI_QUESTION, QuestionIcon},
    {IDI_EXCLAMATION, WarningIcon},
    {IDI_ASTERISK, InformationIcon},
};

bool ToPng(bool AFound, const TImageData& AImage, platform::TPngImage& APng)
{
    if (AFound)
        APng.SetImage(AImage);
    return AFound;
}

} // namespace

bool DrawMessageIcon(int AIconId, TImageData& AImage)
{
    for (const TIconEntry& e : MessageIcons)
        if (e.Id == AIconId) {
            TPainter p(AImage, 32, 32);
            e.Draw(p);
            return true;
        }
    return false;
}

bool DrawDialogPicture(std::string_view AName, TImageData& AImage)
{
    for (const TPictureEntry& e : DialogPictures)
        if (e.Name == AName) {
            TPainter p(AImage, 16, 16);
            e.Draw(p);
            return true;
        }
    return false;
}

void DrawShellIcon(std::string_view AIconName, int ASize, TImageData& AImage)
{
    TPainter p(AImage, ASize, 16);
    for (const TShellIconEntry& e : ShellIcons)
        if (AIconName.substr(0, e.Prefix.size()) == e.Prefix) {
            e.Draw(p);
            return;
        }
    FileIcon(p);
}

bool DrawControlBitmap(std::string_view AName, TImageData& AImage)
{
    for (const TControlBitmapEntry& e : ControlBitmaps)
        if (e.Name == AName) {
            TPainter p(AImage, e.Width, e.Height, 16);
            e.Draw(p);
            return true;
        }
    return false;
}

bool LoadControlBitmap(std::string_view AName, platform::TBitmap& ABitmap)
{
    TImageData image;
    if (!DrawControlBitmap(AName, image))
        return false;
    // Opaque where the picture mostly covers, over the window colour where
    // it only touches; the rest takes the key colour of the transparent
    // drawing.
    for (uint32_t& pixel : image.Pixels) {
        const uint32_t alpha = pixel >> 24;
        if (alpha < 96) {
            pixel = 0xFF000000u | BitmapKey;
            continue;
        }
        uint32_t out = 0xFF000000u;
        for (int shift = 0; shift <= 16; shift += 8)
            out |= (((pixel >> shift & 0xFF) * alpha + 0xFF * (255 - alpha)) / 255) << shift;
        pixel = out;
    }
    image.HasAlpha = false;
    platform::ImageToBitmap(image, ABitmap, platform::pf24bit);
    ABitmap.SetTransparent(true);
    return true;
}

bool LoadMessageIcon(int AIconId, platform::TPngImage& APng)
{
    TImageData image;
    return ToPng(DrawMessageIcon(AIconId, image), image, APng);
}

bool LoadDialogPicture(std::string_view AName, platform::TPngImage& APng)
{
    TImageData image;
    return ToPng(DrawDialogPicture(AName, image), image, APng);
}

} // namespace skin
