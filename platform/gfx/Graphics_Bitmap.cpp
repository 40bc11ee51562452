// Graphics, bitmaps and pictures of the graphics unit.

#include <algorithm>
#include <cstring>

#include "platform/core/SysUtils.h"
#include "platform/gfx/GifImg.h"
#include "platform/gfx/Graphics.h"
#include "platform/gfx/GdiInternal.h"
#include "platform/gfx/ImageCodecs.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PngImage.h"

namespace platform {

// ---- TGraphic

void TGraphic::SetTransparent(bool AValue)
{
    if (AValue != FTransparent) {
        FTransparent = AValue;
        Changed();
    }
}

void TGraphic::SetModified(bool AValue)
{
    if (AValue)
        Changed();
    else
        FModified = false;
}

void TGraphic::Changed()
{
    FModified = true;
    if (OnChange)
        OnChange(this);
}

void TGraphic::LoadFromFile(const std::string& AFileName)
{
    TFileStream F(AFileName, fmOpenRead);
    LoadFromStream(F);
}

void TGraphic::SaveToFile(const std::string& AFileName)
{
    TFileStream F(AFileName, fmCreate);
    SaveToStream(F);
}

// ---- TBitmapCanvas

TBitmapCanvas::~TBitmapCanvas()
{
    FreeContext();
}

void TBitmapCanvas::CreateHandle()
{
    HDC DC = CreateCompatibleDC(nullptr);
    if (FBitmap->FHandle != nullptr)
        FOldBitmap = SelectObject(DC, FBitmap->FHandle);
    SetHandle(DC);
}

void TBitmapCanvas::FreeContext()
{
    HDC DC = HandleAllocated() ? Handle() : nullptr;
    if (DC == nullptr)
        return;
    SetHandle(nullptr);
    if (FOldBitmap != nullptr)
        SelectObject(DC, FOldBitmap);
    FOldBitmap = nullptr;
    DeleteDC(DC);
}

// ---- TBitmap

TBitmap::TBitmap() = default;

TBitmap::~TBitmap()
{
    FCanvas.reset();
    DeleteObject(FHandle);
}

int TBitmap::RowBytes() const
{
    return ((FWidth * BitCount() + 31) / 32) * 4;
}

void TBitmap::Reallocate(int AWidth, int AHeight, TPixelFormat AFormat)
{
    int Bits = AFormat == pf24bit ? 24 : 32;
    HBITMAP New = nullptr;
    if (AWidth > 0 && AHeight > 0) {
        BITMAPINFO Info{};
        Info.bmiHeader.biWidth = AWidth;
        Info.bmiHeader.biHeight = -AHeight;
        Info.bmiHeader.biBitCount = WORD(Bits);
        New = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, nullptr);
        if (New == nullptr)
            throw EOutOfResources("Out of system resources");
    }
    if (New != nullptr && FCanvas) {
        // The class library clears a new image with the canvas's brush.
        HDC DC = CreateCompatibleDC(nullptr);
        HBITMAP Old = SelectObject(DC, New);
        RECT R{0, 0, AWidth, AHeight};
        HBRUSH B = CreateSolidBrush(ColorToRGB(FCanvas->Brush()->Color()));
        platform::FillRect(DC, &R, B);
        DeleteObject(B);
        SelectObject(DC, Old);
        DeleteDC(DC);
    }
    if (New != nullptr && FHandle != nullptr) {
        const TPixelSurface* S = GetBitmapSurface(FHandle);
        const TPixelSurface* T = GetBitmapSurface(New);
        int W = std::min(AWidth, FWidth), H = std::min(AHeight, FHeight);
        for (int Y = 0; Y < H; ++Y)
            for (int X = 0; X < W; ++X) {
                uint32_t V = ReadPixel(*S, X, Y);
                if (S->BitCount == 24)
                    V |= 0xFF000000u;
                WritePixel(*T, X, Y, V);
            }
    }
    if (FCanvas)
        FCanvas->FreeContext();
    DeleteObject(FHandle);
    FHandle = New;
    FWidth = New != nullptr ? AWidth : 0;
    FHeight = New != nullptr ? AHeight : 0;
    FPixelFormat = AFormat;
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth == FWidth && AHeight == FHeight)
        return;
    Reallocate(AWidth, AHeight, FPixelFormat);
    // An empty bitmap keeps the size it was asked for, so that setting
    // Width and then Height works.
    FWidth = AWidth;
    FHeight = AHeight;
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat AValue)
{
    if (AValue == FPixelFormat)
        return;
    bool SameLayout = (AValue == pf24bit) == (FPixelFormat == pf24bit);
    if (SameLayout || FHandle == nullptr) {
        FPixelFormat = AValue;
        if (FHandle == nullptr && FWidth > 0 && FHeight > 0)
            Reallocate(FWidth, FHeight, AValue);
    } else {
        Reallocate(FWidth, FHeight, AValue);
    }
    Changed();
}

uint8_t* TBitmap::ScanLine(int AY)
{
    if (FHandle == nullptr || AY < 0 || AY >= FHeight)
        throw EInvalidGraphicOperation("Scan line index out of range");
    return GetBitmapSurface(FHandle)->Row(AY);
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TBitmapCanvas>(this);
    return FCanvas.get();
}

TColor TBitmap::TransparentColor()
{
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault)
        return FTransparentColor;
    if (FHandle == nullptr)
        return clDefault;
    // The automatic key is the bottom-left pixel, flagged as the platform does.
    uint32_t P = ReadPixel(*GetBitmapSurface(FHandle), 0, FHeight - 1);
    return TColor(((P & 0xFF) << 16) | (P & 0xFF00) | ((P >> 16) & 0xFF)) | 0x02000000;
}

void TBitmap::SetTransparentColor(TColor AValue)
{
    FTransparentColor = AValue;
    FTransparentMode = AValue == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode AValue)
{
    if (AValue == FTransparentMode)
        return;
    if (AValue == tmAuto)
        SetTransparentColor(clDefault);
    else
        SetTransparentColor(TransparentColor());
}

void TBitmap::SetPixels32(int AWidth, int AHeight, const uint32_t* APixels, TPixelFormat AFormat)
{
    Reallocate(AWidth, AHeight, AFormat == pf24bit ? pf24bit : pf32bit);
    if (FHandle != nullptr) {
        const TPixelSurface* S = GetBitmapSurface(FHandle);
        for (int Y = 0; Y < AHeight; ++Y)
            for (int X = 0; X < AWidth; ++X)
                WritePixel(*S, X, Y, APixels[size_t(Y) * size_t(AWidth) + size_t(X)]);
    }
    Changed();
}

void TBitmap::Assign(TPersistent* ASource)
{
    if (ASource == this)
        return;
    if (auto* B = dynamic_cast<TBitmap*>(ASource)) {
        Reallocate(B->FWidth, B->FHeight, B->FPixelFormat);
        if (FHandle != nullptr)
            for (int Y = 0; Y < FHeight; ++Y)
                std::memcpy(ScanLine(Y), B->ScanLine(Y), size_t(RowBytes()));
        FWidth = B->FWidth;
        FHeight = B->FHeight;
        FTransparent = B->FTransparent;
        FTransparentColor = B->FTransparentColor;
        FTransparentMode = B->FTransparentMode;
        Changed();
        return;
    }
    if (ASource == nullptr) {
        Reallocate(0, 0, FPixelFormat);
        FWidth = FHeight = 0;
        Changed();
        return;
    }
    TPersistent::Assign(ASource);
}

void TBitmap::LoadFromStream(TStream& AStream)
{
    TImageData Image;
    ReadBmp(AStream, Image);
    ImageToBitmap(Image, *this, Image.SourceBitCount == 32 ? pf32bit : pf24bit);
}

void TBitmap::SaveToStream(TStream& AStream)
{
    TImageData Image;
    BitmapToImage(*this, Image);
    WriteBmp(AStream, Image, BitCount());
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& ARect)
{
    if (FHandle == nullptr)
        return;
    TCanvas* Src = Canvas();
    HDC Dst = ACanvas->Handle();
    HDC SrcDC = Src->Handle();
    int OldMode = SetStretchBltMode(Dst, COLORONCOLOR);
    if (Transparent()) {
        COLORREF Key = ColorToRGB(TransparentColor() & 0xFFFFFF);
        TransparentBlt(Dst, ARect.Left, ARect.Top, ARect.Width(), ARect.Height(), SrcDC, 0, 0, FWidth, FHeight,
                       Key);
    } else {
        StretchBlt(Dst, ARect.Left, ARect.Top, ARect.Width(), ARect.Height(), SrcDC, 0, 0, FWidth, FHeight,
                   ACanvas->CopyMode);
    }
    SetStretchBltMode(Dst, OldMode);
}

// ---- TPicture

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed(TObject*)
{
    if (OnChange)
        OnChange(this);
}

std::unique_ptr<TGraphic> CreateGraphicForExtension(std::string_view AExt)
{
    std::string E = LowerCase(AExt);
    if (E == ".bmp" || E == ".dib")
        return std::make_unique<TBitmap>();
    if (E == ".jpg" || E == ".jpeg" || E == ".jpe" || E == ".jfif")
        return std::make_unique<TJPEGImage>();
    if (E == ".png")
        return std::make_unique<TPngImage>();
    if (E == ".gif")
        return std::make_unique<TGIFImage>();
    return nullptr;
}

static std::unique_ptr<TGraphic> CloneGraphic(TGraphic* AGraphic)
{
    std::unique_ptr<TGraphic> G;
    if (dynamic_cast<TBitmap*>(AGraphic))
        G = std::make_unique<TBitmap>();
    else if (dynamic_cast<TJPEGImage*>(AGraphic))
        G = std::make_unique<TJPEGImage>();
    else if (dynamic_cast<TPngImage*>(AGraphic))
        G = std::make_unique<TPngImage>();
    else if (dynamic_cast<TGIFImage*>(AGraphic))
        G = std::make_unique<TGIFImage>();
    else
        throw EInvalidGraphic("Cannot assign a " + AGraphic->ClassName() + " to a TPicture");
    G->Assign(AGraphic);
    return G;
}

void TPicture::SetGraphic(TGraphic* AValue)
{
    FGraphic = AValue != nullptr ? CloneGraphic(AValue) : nullptr;
    if (FGraphic)
        FGraphic->OnChange = [this](TObject* S) { Changed(S); };
    Changed(this);
}

void TPicture::Assign(TPersistent* ASource)
{
    if (ASource == nullptr) {
        SetGraphic(nullptr);
    } else if (auto* P = dynamic_cast<TPicture*>(ASource)) {
        SetGraphic(P->Graphic());
    } else if (auto* G = dynamic_cast<TGraphic*>(ASource)) {
        SetGraphic(G);
    } else {
        TPersistent::Assign(ASource);
    }
}

TBitmap* TPicture::Bitmap()
{
    auto* B = dynamic_cast<TBitmap*>(FGraphic.get());
    if (B == nullptr) {
        FGraphic = std::make_unique<TBitmap>();
        FGraphic->OnChange = [this](TObject* S) { Changed(S); };
        B = static_cast<TBitmap*>(FGraphic.get());
    }
    return B;
}

void TPicture::LoadFromFile(const std::string& AFileName)
{
    std::string Ext = ExtractFileExt(AFileName);
    std::unique_ptr<TGraphic> G = CreateGraphicForExtension(Ext);
    if (!G)
        throw EInvalidGraphic("Unknown picture file extension (" + Ext + ")");
    G->LoadFromFile(AFileName);
    FGraphic = std::move(G);
    FGraphic->OnChange = [this](TObject* S) { Changed(S); };
    Changed(this);
}

void TPicture::SaveToFile(const std::string& AFileName)
{
    if (FGraphic)
        FGraphic->SaveToFile(AFileName);
}

} // namespace platform
