#pragma once
// The class library's graphics unit: colours, fonts, pens, brushes, the
// canvas over a device context, graphics with files and streams, bitmaps and
// pictures. Built on the graphics interface of Gdi.h.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Persistent.h"
#include "platform/core/Streams.h"
#include "platform/core/SyncObjs.h"
#include "platform/core/Types.h"
#include "platform/gfx/Gdi.h"

namespace platform {

// ---- colours (TColor is $00BBGGRR or a system colour)
constexpr TColor SysColor(int AIndex) { return TColor(0xFF000000u | unsigned(AIndex)); }
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clLtGray = 0xC0C0C0,
                 clDkGray = 0x808080, clWhite = 0xFFFFFF, clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6,
                 clCream = 0xF0FBFF, clMedGray = 0xA4A0A0, clNone = 0x1FFFFFFF, clDefault = 0x20000000;
constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR), clBackground = SysColor(COLOR_BACKGROUND),
                 clActiveCaption = SysColor(COLOR_ACTIVECAPTION),
                 clInactiveCaption = SysColor(COLOR_INACTIVECAPTION), clMenu = SysColor(COLOR_MENU),
                 clWindow = SysColor(COLOR_WINDOW), clWindowFrame = SysColor(COLOR_WINDOWFRAME),
                 clMenuText = SysColor(COLOR_MENUTEXT), clWindowText = SysColor(COLOR_WINDOWTEXT),
                 clCaptionText = SysColor(COLOR_CAPTIONTEXT), clActiveBorder = SysColor(COLOR_ACTIVEBORDER),
                 clInactiveBorder = SysColor(COLOR_INACTIVEBORDER), clAppWorkSpace = SysColor(COLOR_APPWORKSPACE),
                 clHighlight = SysColor(COLOR_HIGHLIGHT), clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT),
                 clBtnFace = SysColor(COLOR_BTNFACE), clBtnShadow = SysColor(COLOR_BTNSHADOW),
                 clGrayText = SysColor(COLOR_GRAYTEXT), clBtnText = SysColor(COLOR_BTNTEXT),
                 clInactiveCaptionText = SysColor(COLOR_INACTIVECAPTIONTEXT),
                 clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT), cl3DDkShadow = SysColor(COLOR_3DDKSHADOW),
                 cl3DLight = SysColor(COLOR_3DLIGHT), clInfoText = SysColor(COLOR_INFOTEXT),
                 clInfoBk = SysColor(COLOR_INFOBK), clHotLight = SysColor(COLOR_HOTLIGHT),
                 clGradientActiveCaption = SysColor(COLOR_GRADIENTACTIVECAPTION),
                 clGradientInactiveCaption = SysColor(COLOR_GRADIENTINACTIVECAPTION),
                 clMenuHighlight = SysColor(COLOR_MENUHILIGHT), clMenuBar = SysColor(COLOR_MENUBAR);

// A system colour becomes its current RGB value; others stay as they are.
COLORREF ColorToRGB(TColor AColor);
int MulDiv(int ANumber, int ANumerator, int ADenominator); // rounded, -1 for a zero denominator

// ---- fonts, pens and brushes: each keeps its drawing object and tells its
// owner (OnChange) whenever a property changes.
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;
    std::string ClassName() const override { return "TGraphicsObject"; }

protected:
    virtual void Changed();
};

enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;

class TFont : public TGraphicsObject {
public:
    TFont();
    ~TFont() override;
    void Assign(TPersistent* ASource) override;
    std::string ClassName() const override { return "TFont"; }

    const std::string& Name() const { return FName; }
    void SetName(const std::string& AValue);
    // Negative: em height in pixels; positive: cell height (ascent + descent).
    int Height() const { return FHeight; }
    void SetHeight(int AValue);
    // Points at PixelsPerInch (96).
    int Size() const;
    void SetSize(int AValue);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles AValue);
    TColor Color() const { return FColor; }
    void SetColor(TColor AValue);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset AValue);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch AValue);
    int PixelsPerInch = 96;
    HFONT Handle();

private:
    void Changed() override;
    std::string FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    HFONT FHandle = nullptr;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen, pmMaskNotPen,
    pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor,
};
int PenModeToRop2(TPenMode AMode);

class TPen : public TGraphicsObject {
public:
    ~TPen() override;
    void Assign(TPersistent* ASource) override;
    std::string ClassName() const override { return "TPen"; }
    TColor Color() const { return FColor; }
    void SetColor(TColor AValue);
    int Width() const { return FWidth; }
    void SetWidth(int AValue);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle AValue);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode AValue);
    HPEN Handle();

private:
    void Changed() override;
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    HPEN FHandle = nullptr;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    ~TBrush() override;
    void Assign(TPersistent* ASource) override;
    std::string ClassName() const override { return "TBrush"; }
    TColor Color() const { return FColor; }
    void SetColor(TColor AValue);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle AValue);
    HBRUSH Handle();

private:
    void Changed() override;
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    HBRUSH FHandle = nullptr;
};

// ---- canvas
class TGraphic;

class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// Copy modes are raster operations.
using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS, cmDstInvert = DSTINVERT, cmMergeCopy = MERGECOPY,
                    cmMergePaint = MERGEPAINT, cmNotSrcCopy = NOTSRCCOPY, cmNotSrcErase = NOTSRCERASE,
                    cmPatCopy = PATCOPY, cmPatInvert = PATINVERT, cmPatPaint = PATPAINT, cmSrcAnd = SRCAND,
                    cmSrcCopy = SRCCOPY, cmSrcErase = SRCERASE, cmSrcInvert = SRCINVERT, cmSrcPaint = SRCPAINT,
                    cmWhiteness = WHITENESS;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    std::string ClassName() const override { return "TCanvas"; }

    // The device context, created on demand by CreateHandle.
    HDC Handle();
    void SetHandle(HDC AValue);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() { return &FFont; }
    TPen* Pen() { return &FPen; }
    TBrush* Brush() { return &FBrush; }
    void SetFont(TFont* AValue) { FFont.Assign(AValue); }
    void SetPen(TPen* AValue) { FPen.Assign(AValue); }
    void SetBrush(TBrush* AValue) { FBrush.Assign(AValue); }
    TCopyMode CopyMode = cmSrcCopy;

    TPoint PenPos();
    void SetPenPos(TPoint AValue) { MoveTo(AValue.X, AValue.Y); }
    void MoveTo(int AX, int AY);
    void LineTo(int AX, int AY);
    void Polyline(const std::vector<TPoint>& APoints);
    void Polygon(const std::vector<TPoint>& APoints);
    void Rectangle(int AX1, int AY1, int AX2, int AY2);
    void Rectangle(const TRect& ARect) { Rectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom); }
    void RoundRect(int AX1, int AY1, int AX2, int AY2, int AX3, int AY3);
    void Ellipse(int AX1, int AY1, int AX2, int AY2);
    void Ellipse(const TRect& ARect) { Ellipse(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom); }
    void FillRect(const TRect& ARect);
    void FrameRect(const TRect& ARect);
    void DrawFocusRect(const TRect& ARect);
    TColor Pixels(int AX, int AY);
    void SetPixels(int AX, int AY, TColor AValue);

    void Draw(int AX, int AY, TGraphic* AGraphic);
    void StretchDraw(const TRect& ARect, TGraphic* AGraphic);
    // Copies ASource of ACanvas into ADest with CopyMode, scaling as needed.
    void CopyRect(const TRect& ADest, TCanvas* ACanvas, const TRect& ASource);

    // Text with the font; the background is the brush's unless it is clear.
    void TextOut(int AX, int AY, std::string_view AText);
    // Text at AX, AY clipped to ARect (filled first with a solid brush).
    void TextRect(const TRect& ARect, int AX, int AY, std::string_view AText);
    TSize TextExtent(std::string_view AText);
    int TextWidth(std::string_view AText) { return TextExtent(AText).cx; }
    int TextHeight(std::string_view AText) { return TextExtent(AText).cy; }

    // The clip box in logical coordinates.
    TRect ClipRect();

    // For drawing from more than one thread.
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return FLockCount; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;
    // Forgets the objects selected into the DC, so they are selected again.
    void Refresh();

protected:
    virtual void CreateHandle() {}
    virtual void Changing();
    virtual void Changed();
    enum TStateFlag : unsigned { csHandleValid = 1, csFontValid = 2, csPenValid = 4, csBrushValid = 8 };
    void RequiredState(unsigned AState);
    void DeselectHandles();

private:
    HDC FHandle = nullptr;
    unsigned FState = 0;
    TFont FFont;
    TPen FPen;
    TBrush FBrush;
    TCriticalSection FLock;
    int FLockCount = 0;
};

// Draws the 3-D frame of ARect in AWidth pixel rings (top-left in ATopColor,
// bottom-right in ABottomColor) and shrinks ARect past it.
void Frame3D(TCanvas* ACanvas, TRect& ARect, TColor ATopColor, TColor ABottomColor, int AWidth);

// ---- graphics
class TGraphic : public TPersistent {
public:
    std::string ClassName() const override { return "TGraphic"; }
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int AValue) = 0;
    virtual void SetHeight(int AValue) = 0;
    virtual bool Empty() const = 0;
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool AValue);
    bool Modified() const { return FModified; }
    void SetModified(bool AValue);

    // Raise EInvalidGraphic (or the stream's errors) on unreadable data.
    virtual void LoadFromStream(TStream& AStream) = 0;
    virtual void SaveToStream(TStream& AStream) = 0;
    void LoadFromFile(const std::string& AFileName);
    void SaveToFile(const std::string& AFileName);

    TNotifyEvent OnChange;
    // Draws into ARect of ACanvas (logical coordinates).
    virtual void Draw(TCanvas* ACanvas, const TRect& ARect) = 0;

protected:
    virtual void Changed();
    bool FTransparent = false;
    bool FModified = false;
};

class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };
enum TBitmapHandleType { bmDIB, bmDDB };

class TBitmap;

class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}
    ~TBitmapCanvas() override;
    std::string ClassName() const override { return "TBitmapCanvas"; }
    void FreeContext();

protected:
    void CreateHandle() override;

private:
    TBitmap* FBitmap;
    HBITMAP FOldBitmap = nullptr;
};

// A bitmap of 24 bits (rows padded to 4 bytes) or 32 bits (B, G, R, A), rows
// top-down in memory. pfDevice and the palette formats are held as 32 bits.
class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    std::string ClassName() const override { return "TBitmap"; }

    void Assign(TPersistent* ASource) override;
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int AValue) override { SetSize(AValue, FHeight); }
    void SetHeight(int AValue) override { SetSize(FWidth, AValue); }
    // Keeps the old picture at the top-left; new pixels are black (or the
    // canvas brush's colour once the canvas exists).
    void SetSize(int AWidth, int AHeight);
    bool Empty() const override { return FHandle == nullptr; }

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat AValue);
    int BitCount() const { return FPixelFormat == pf24bit ? 24 : 32; }
    TBitmapHandleType HandleType() const { return bmDIB; }
    void SetHandleType(TBitmapHandleType) {}

    // Row AY (top row 0); raises EInvalidGraphicOperation out of range.
    uint8_t* ScanLine(int AY);
    int RowBytes() const;
    HBITMAP Handle() const { return FHandle; }
    TCanvas* Canvas();

    TColor TransparentColor();
    void SetTransparentColor(TColor AValue);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode AValue);

    void LoadFromStream(TStream& AStream) override; // BMP
    void SaveToStream(TStream& AStream) override;   // BMP of BitCount bits
    void Draw(TCanvas* ACanvas, const TRect& ARect) override;
    void Dormant() {}
    void FreeImage() {}

    // Takes pixels in the bitmap's own layout (for image decoders).
    void SetPixels32(int AWidth, int AHeight, const uint32_t* APixels, TPixelFormat AFormat);

private:
    friend class TBitmapCanvas;
    void Reallocate(int AWidth, int AHeight, TPixelFormat AFormat);
    HBITMAP FHandle = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = pfDevice;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};

// Holds one graphic of any kind; files are read by their extension.
class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    std::string ClassName() const override { return "TPicture"; }
    void Assign(TPersistent* ASource) override;
    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(TGraphic* AValue); // copies
    // The graphic as a bitmap; replaces any other graphic by an empty bitmap.
    TBitmap* Bitmap();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }
    // .bmp, .jpg/.jpeg, .png, .gif; raises EInvalidGraphic "Unknown picture
    // file extension (.<ext>)" for others.
    void LoadFromFile(const std::string& AFileName);
    void SaveToFile(const std::string& AFileName);
    TNotifyEvent OnChange;

private:
    void Changed(TObject* ASender);
    std::unique_ptr<TGraphic> FGraphic;
};

// A graphic of the class that handles a file extension (with the dot, any
// case); nil for unknown extensions.
std::unique_ptr<TGraphic> CreateGraphicForExtension(std::string_view AExt);

} // namespace platform
