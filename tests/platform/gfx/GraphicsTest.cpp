// The class library's bitmaps, canvas, fonts and colours.
#include <gtest/gtest.h>

#include "platform/gfx/Gdi.h"
#include "platform/gfx/Graphics.h"

using namespace platform;

namespace {

TEST(Graphics, ColoursAndMulDiv)
{
    EXPECT_EQ(clBtnFace, -16777201);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    EXPECT_EQ(MulDiv(11, 72, 96), 8);
    EXPECT_EQ(MulDiv(-11, 72, 96), -8);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(Graphics, FontSizeHeightAndChangeEvent)
{
    TFont F;
    EXPECT_EQ(F.Name(), "MS Sans Serif");
    EXPECT_EQ(F.Height(), -11);
    EXPECT_EQ(F.Size(), 8);
    int Changes = 0;
    F.OnChange = [&](TObject*) { ++Changes; };
    F.SetSize(10);
    EXPECT_EQ(F.Height(), -13);
    F.SetStyle({fsBold, fsUnderline});
    F.SetStyle({fsBold, fsUnderline}); // unchanged: no event
    EXPECT_EQ(Changes, 2);
    LOGFONT L;
    GetObject(F.Handle(), sizeof(L), &L);
    EXPECT_EQ(L.lfWeight, FW_BOLD);
    EXPECT_EQ(L.lfUnderline, 1);
}

TEST(Graphics, BitmapSizeFormatsAndScanLines)
{
    TBitmap B;
    EXPECT_TRUE(B.Empty());
    B.SetPixelFormat(pf24bit);
    B.SetWidth(5);
    B.SetHeight(3);
    EXPECT_FALSE(B.Empty());
    EXPECT_EQ(B.RowBytes(), 16);
    EXPECT_EQ(B.ScanLine(1) - B.ScanLine(0), 16);
    B.ScanLine(2)[0] = 7;
    B.SetPixelFormat(pf32bit);
    EXPECT_EQ(B.ScanLine(2)[0], 7); // kept across the change
    EXPECT_EQ(B.ScanLine(2)[3], 255);
    EXPECT_THROW(B.ScanLine(3), EInvalidGraphicOperation);
    B.SetSize(2, 2); // keeps the top-left
    EXPECT_EQ(B.Width(), 2);
}

TEST(Graphics, CanvasDrawsIntoBitmap)
{
    TBitmap B;
    B.SetPixelFormat(pf32bit);
    B.SetSize(6, 4);
    TCanvas* C = B.Canvas();
    C->Brush()->SetColor(clBlue);
    C->FillRect(Rect(0, 0, 6, 4));
    C->Pen()->SetColor(clRed);
    C->MoveTo(0, 0);
    C->LineTo(6, 0);
    EXPECT_EQ(C->Pixels(3, 0), TColor(clRed));
    EXPECT_EQ(C->Pixels(3, 1), TColor(clBlue));
    C->SetPixels(5, 3, clLime);
    EXPECT_EQ(C->Pixels(5, 3), TColor(clLime));
    TRect R = Rect(0, 0, 6, 4);
    Frame3D(C, R, clWhite, clBlack, 1);
    EXPECT_EQ(R, Rect(1, 1, 5, 3));
    EXPECT_EQ(C->Pixels(0, 2), TColor(clWhite));
    EXPECT_EQ(C->Pixels(0, 3), TColor(clBlack)); // the bottom line runs to the left edge
    EXPECT_EQ(C->Pixels(5, 3), TColor(clBlack));
    EXPECT_EQ(C->Pixels(5, 0), TColor(clBlack));
    EXPECT_GT(C->TextWidth("abc"), 10);
    EXPECT_EQ(C->ClipRect(), Rect(0, 0, 6, 4));
}

// Code that draws on the device context itself (DrawText on Handle()) uses
// the canvas's font, pen and brush, before and after they change.
TEST(Graphics, CanvasHandleCarriesItsFontPenAndBrush)
{
    TBitmap B;
    B.SetPixelFormat(pf32bit);
    B.SetSize(40, 20);
    TCanvas* C = B.Canvas();
    for (int height : {-30, 12}) {
        SCOPED_TRACE(height);
        C->Font()->SetName("Arial");
        C->Font()->SetHeight(height);
        C->Font()->SetColor(height < 0 ? clRed : clBlue);
        C->Pen()->SetColor(height < 0 ? clLime : clNavy);
        C->Brush()->SetColor(height < 0 ? clYellow : clGray);
        const HDC dc = C->Handle();
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), HGDIOBJ(C->Font()->Handle()));
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), HGDIOBJ(C->Pen()->Handle()));
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), HGDIOBJ(C->Brush()->Handle()));
        EXPECT_EQ(GetTextColor(dc), ColorToRGB(C->Font()->Color()));
        SIZE drawn{};
        GetTextExtentPoint32(dc, "CPU", &drawn);
        const TSize measured = C->TextExtent("CPU");
        EXPECT_EQ(drawn.cx, measured.cx);
        EXPECT_EQ(drawn.cy, measured.cy);
    }
}

TEST(Graphics, TransparentDrawWithAutoAndFixedKey)
{
    TBitmap Src;
    Src.SetPixelFormat(pf24bit);
    Src.SetSize(2, 2);
    Src.Canvas()->SetPixels(0, 0, clRed);
    Src.Canvas()->SetPixels(1, 0, clLime);
    Src.Canvas()->SetPixels(0, 1, clFuchsia); // bottom-left: the automatic key
    Src.Canvas()->SetPixels(1, 1, clFuchsia);
    Src.SetTransparent(true);
    EXPECT_EQ(Src.TransparentColor() & 0xFFFFFF, TColor(clFuchsia));
    TBitmap Dst;
    Dst.SetPixelFormat(pf32bit);
    Dst.SetSize(2, 2);
    Dst.Canvas()->Brush()->SetColor(clWhite);
    Dst.Canvas()->FillRect(Rect(0, 0, 2, 2));
    Dst.Canvas()->Draw(0, 0, &Src);
    EXPECT_EQ(Dst.Canvas()->Pixels(0, 0), TColor(clRed));
    EXPECT_EQ(Dst.Canvas()->Pixels(0, 1), TColor(clWhite));
    Src.SetTransparentColor(clRed);
    EXPECT_EQ(Src.TransparentMode(), tmFixed);
    Dst.Canvas()->FillRect(Rect(0, 0, 2, 2));
    Dst.Canvas()->StretchDraw(Rect(0, 0, 2, 2), &Src);
    EXPECT_EQ(Dst.Canvas()->Pixels(0, 0), TColor(clWhite));
    EXPECT_EQ(Dst.Canvas()->Pixels(1, 1), TColor(clFuchsia));
}

TEST(Graphics, CopyRectScalesAndAssignCopies)
{
    TBitmap A;
    A.SetPixelFormat(pf32bit);
    A.SetSize(1, 1);
    A.Canvas()->SetPixels(0, 0, clNavy);
    TBitmap B;
    B.SetPixelFormat(pf32bit);
    B.SetSize(3, 3);
    B.Canvas()->CopyRect(Rect(0, 0, 3, 3), A.Canvas(), Rect(0, 0, 1, 1));
    EXPECT_EQ(B.Canvas()->Pixels(2, 2), TColor(clNavy));
    TBitmap C;
    C.Assign(&B);
    EXPECT_EQ(C.Width(), 3);
    EXPECT_EQ(C.Canvas()->Pixels(1, 1), TColor(clNavy));
    TFont F;
    EXPECT_THROW(C.Assign(&F), EConvertError);
}

} // namespace
