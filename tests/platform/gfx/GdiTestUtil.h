#pragma once
// A small 32-bit bitmap with a memory DC, and its pixels as text rows for
// pixel-exact tables: '.' background, '#' pen, 'o' brush, '?' anything else.

#include <string>
#include <vector>

#include "platform/gfx/Gdi.h"

namespace gfxtest {

using namespace platform;

constexpr COLORREF PenColor = RGB(255, 0, 0);
constexpr COLORREF BrushColor = RGB(0, 0, 255);

class TTestBitmap {
public:
    TTestBitmap(int AWidth, int AHeight, uint32_t AFill = 0xFF000000u)
    {
        BITMAPINFO Info{};
        Info.bmiHeader.biWidth = AWidth;
        Info.bmiHeader.biHeight = -AHeight;
        Info.bmiHeader.biBitCount = 32;
        void* Bits = nullptr;
        Bitmap = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits);
        Pixels = static_cast<uint32_t*>(Bits);
        Width = AWidth;
        Height = AHeight;
        for (int I = 0; I < AWidth * AHeight; ++I)
            Pixels[I] = AFill;
        DC = CreateCompatibleDC(nullptr);
        Old = SelectObject(DC, Bitmap);
    }
    ~TTestBitmap()
    {
        SelectObject(DC, Old);
        DeleteDC(DC);
        DeleteObject(Bitmap);
    }
    uint32_t At(int X, int Y) const { return Pixels[Y * Width + X]; }
    // Pixel colours as characters, one string per row.
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> R;
        for (int Y = 0; Y < Height; ++Y) {
            std::string S;
            for (int X = 0; X < Width; ++X) {
                uint32_t P = At(X, Y) & 0xFFFFFF;
                S += P == 0 ? '.' : P == 0xFF0000 ? '#' : P == 0x0000FF ? 'o' : '?';
            }
            R.push_back(S);
        }
        return R;
    }
    HDC DC = nullptr;
    HBITMAP Bitmap = nullptr;
    HBITMAP Old = nullptr;
    uint32_t* Pixels = nullptr;
    int Width = 0;
    int Height = 0;
};

// Selects a red pen and blue brush for the lifetime of the object.
class TPenBrush {
public:
    explicit TPenBrush(HDC ADC, int APenStyle = PS_SOLID, bool ABrush = true, int AWidth = 1) : DC(ADC)
    {
        Pen = CreatePen(APenStyle, AWidth, PenColor);
        Brush = ABrush ? CreateSolidBrush(BrushColor) : HBRUSH(GetStockObject(NULL_BRUSH));
        OldPen = SelectObject(DC, Pen);
        OldBrush = SelectObject(DC, Brush);
    }
    ~TPenBrush()
    {
        SelectObject(DC, OldPen);
        SelectObject(DC, OldBrush);
        DeleteObject(Pen);
        DeleteObject(Brush);
    }
    HDC DC;
    HPEN Pen, OldPen;
    HBRUSH Brush, OldBrush;
};

} // namespace gfxtest
