#pragma once
// The skin engine's 32-bit bitmap: a top-down pixel buffer (0xAARRGGBB,
// bytes B, G, R, A) with a memory DC over it, so the same pixels are read
// and written in memory and used as a source or target of DC drawing. It is
// see-through either by per-pixel alpha (AlphaBlend) or by the colour key
// 0x7F007F (Transparent); its draws pick the transfer from those flags.
// Drawing into a DC that belongs to another TbsBitmap works on the pixels
// directly (the DC registry finds the owner).

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Persistent.h"
#include "platform/core/Streams.h"
#include "platform/gfx/Graphics.h"
#include "skin/core/bseffects_Kernels.h"

namespace skin {

using platform::TRect;
class TbsBitmapLink;

class TbsBitmap : public platform::TPersistent {
public:
    TbsBitmap();
    ~TbsBitmap() override;
    TbsBitmap(const TbsBitmap&) = delete;
    TbsBitmap& operator=(const TbsBitmap&) = delete;
    std::string ClassName() const override { return "TbsBitmap"; }

    // ---- lifecycle and size
    // Sizes are taken as absolute values; 0 or the current size changes
    // nothing. New pixels are zero. Raises Exception when out of resources.
    void SetSize(int AWidth, int AHeight);
    bool Empty() const { return FHandle == nullptr; }
    void Clear(TbsColor AColor);

    platform::HBITMAP Handle() const { return FHandle; }
    platform::HDC DC() const { return FDC; }
    platform::TCanvas* Canvas();
    PbsColorArray Bits() const { return FBits; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool AlphaBlend = false;
    bool Transparent = false;
    std::string Name;
    bool NewFormat = false;

    TbsColor* GetPixelPtr(int AX, int AY) const { return FBits + (AX + AY * FWidth); }
    TbsColor* GetScanLinePtr(int AY) const { return FBits + AY * FWidth; }
    // Writes nothing outside the bitmap.
    void PutPixel(int AX, int AY, TbsColor AColor);

    // ---- copying
    void Assign(platform::TPersistent* ASource) override;
    void DrawGraphic(platform::TGraphic* AGraphic, const TRect& ADstRect);

    // ---- streams and files
    void LoadFromStream(platform::TStream& AStream);
    void SaveToStream(platform::TStream& AStream);
    void LoadFromPcxStream(platform::TStream& AStream);
    // Resources of modules do not exist on this platform: ResName is read
    // as a bitmap file in the folder ResFileName (or beside the program
    // when that is empty or missing); a missing file leaves the bitmap as it is.
    void LoadFromResource(const std::string& AResFileName, const std::string& AResName);

    // ---- alpha and colour key
    void CheckingAlphaBlend();
    void CheckingAlphaBlend(const TRect& ARect);
    void CheckingTransparent(TbsColor AColor);
    void CheckingTransparent(const TRect& ARect, TbsColor AColor);
    void SetAlpha(uint8_t AAlpha);
    void SetAlpha(uint8_t AAlpha, TRect ARect);
    void CheckRGBA();
    void CheckRGBA2();

    // ---- colour adjustments (pixels with alpha 0 are left alone)
    void ChangeBitmapBrightness(int ADeltaBrightness);
    void SetBitmapHue(int AHue);
    void ChangeBitmapHue(int ADeltaHue);
    void ChangeBitmapSat(int ADeltaSat);

    // ---- geometry
    void FlipVert();
    void Reflection();
    void Reflection2();
    void Reflection3();

    // ---- drawing
    void Draw(platform::HDC ADC, int AX, int AY);
    void Draw(platform::HDC ADC, int AX, int AY, const TRect& ASrcRect);
    void Draw(platform::HDC ADC, const TRect& ADstRect);
    void Draw(platform::HDC ADC, const TRect& ADstRect, const TRect& ASrcRect);
    void Draw(platform::TCanvas* ACanvas, int AX, int AY);
    void Draw(platform::TCanvas* ACanvas, int AX, int AY, const TRect& ASrcRect);
    void Draw(platform::TCanvas* ACanvas, const TRect& ADstRect);
    void Draw(platform::TCanvas* ACanvas, const TRect& ADstRect, const TRect& ASrcRect);
    void Draw(TbsBitmap& ABitmap, int AX, int AY);
    void Draw(TbsBitmap& ABitmap, int AX, int AY, const TRect& ASrcRect);
    void Draw(TbsBitmap& ABitmap, const TRect& ADstRect);
    void Draw(TbsBitmap& ABitmap, const TRect& ADstRect, const TRect& ASrcRect);
    void Tile(platform::HDC ADC, const TRect& ADstRect, const TRect& ASrcRect);
    void Tile(platform::TCanvas* ACanvas, const TRect& ADstRect, const TRect& ASrcRect);
    void Tile(TbsBitmap& ABitmap, const TRect& ADstRect, const TRect& ASrcRect);
    void TileClip(platform::HDC ADC, const TRect& ADstRect, const TRect& ADstClip, const TRect& ASrcRect);
    void TileClip(platform::TCanvas* ACanvas, const TRect& ADstRect, const TRect& ADstClip, const TRect& ASrcRect);
    void TileClip(TbsBitmap& ABitmap, const TRect& ADstRect, const TRect& ADstClip, const TRect& ASrcRect);
    // Puts ASrcRect of ABitmap underneath this bitmap at AX, AY.
    void MergeDraw(TbsBitmap& ABitmap, int AX, int AY, TRect ASrcRect);
    void FillRect(TRect ARect, TbsColor AColor);

    // ---- canvas-like primitives kept for their callers; they draw nothing
    void DrawBevel(const TRect&, TbsColor, int, bool) {}
    void DrawEdge(const TRect&, TbsColor, TbsColor) {}
    void DrawRect(const TRect&, TbsColor) {}
    void DrawFocusRect(const TRect&, TbsColor) {}
    void DrawLine(const TRect&, TbsColor) {}
    void DrawEllipse(const TRect&, TbsColor) {}
    void FillEllipse(const TRect&, TbsColor) {}
    void DrawRoundRect(const TRect&, int, TbsColor) {}
    void FillRoundRect(const TRect&, int, TbsColor) {}
    void FillHalftoneRect(const TRect&, TbsColor, TbsColor) {}
    void FillGradientRect(const TRect&, TbsColor, TbsColor, bool) {}
    void FillRadialGradientRect(const TRect&, TbsColor, TbsColor, platform::TPoint) {}
    void DrawPolygon(const std::vector<platform::TPoint>&, TbsColor) {}
    void FillPolygon(const std::vector<platform::TPoint>&, TbsColor) {}
    void FillHalftonePolygon(const std::vector<platform::TPoint>&, TbsColor) {}
    void MoveTo(int, int) {}
    void LineTo(int, int, TbsColor) {}
    int DrawText(const std::string&, TRect&, unsigned) { return 0; }
    int DrawText(const std::string&, int, int) { return 0; }
    int DrawVerticalText(const std::string&, TRect&, unsigned, bool) { return 0; }
    int TextWidth(const std::string&, unsigned) { return 0; }
    int TextHeight(const std::string&) { return 0; }

    // ---- links (owned by the caller)
    std::unique_ptr<TbsBitmapLink> GetBitmapLink(const TRect& ARect);
    std::unique_ptr<TbsBitmapLink> GetBitmapLink(const std::string& ARect);

protected:
    void AssignTo(platform::TPersistent* ADest) override;

private:
    void FreeSurface();
    void AssignFromBitmap(platform::TBitmap* ABitmap, bool AKeepAlpha);
    void AssignFromGraphic(platform::TGraphic* AGraphic);
    void ReflectionFade(int ADivisor);
    template <class F> void ForEachPixel(F AChange, bool AVisibleOnly);
    template <class F> void ForEachVisiblePixel(F AChange);
    template <class F> void AdjustHSL(F AChange);
    template <class FTile> void TileWith(const TRect& ADstRect, const TRect& ASrcRect, const TRect& ADstClip,
                                         FTile ADrawTile);

    PbsColorArray FBits = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    platform::BITMAPINFO FBitmapInfo;
    platform::HBITMAP FHandle = nullptr;
    platform::HDC FDC = nullptr;
    std::unique_ptr<platform::TCanvas> FCanvas;
};

// The bitmap whose DC is ADC, or nil.
TbsBitmap* FindBitmapByDC(platform::HDC ADC);

// ---- colour helpers
// 0x00BBGGRR to 0xFFRRGGBB.
TbsColor TColorToBsColor(platform::COLORREF AColor);
// System colours resolved first; AAlpha goes into the alpha byte.
TbsColor ColorToBsColor(platform::TColor AColor, uint8_t AAlpha);
// R, G, B clamped to 0..255.
TbsColor MakeBsColor(int16_t AR, int16_t AG, int16_t AB, uint8_t AA);
void RGBToHSL(TbsColor AColor, float& AH, float& AS, float& AL);
TbsColor HSLToRGB(float AL, float AS, float AH);
// Round half to even, as the conversions of the floating-point unit do.
inline int RoundEven(double AValue) { return int(std::nearbyint(AValue)); }
inline uint8_t ClampByte(int AValue) { return uint8_t(AValue < 0 ? 0 : AValue > 255 ? 255 : AValue); }

// ---- whole-bitmap blur and alpha from grey
// Triangular blur of the colour channels; every pixel ends opaque.
void BlurBitmap(TbsBitmap& ABitmap, int ARadius);
// Alpha of ABitmap := (R + G + B) div 3 of ASrc, over the common size.
void AlphaFromGrayBitmap(TbsBitmap& ABitmap, const TbsBitmap& ASrc);
void AlphaFromGrayBitmapPremul(TbsBitmap& ABitmap, const TbsBitmap& ASrc);
// APiece (premultiplied) laid over the image at (X, Y), alpha included:
// where the piece is opaque the image becomes so, where it is clear the
// image keeps its own colour and alpha.
void ComposeOver(TbsBitmap& AImage, int X, int Y, const TbsBitmap& APiece);

} // namespace skin

// The rest of the unit: bitmap links and effect bitmaps.
#include "skin/core/bseffects_EffectBmp.h"
#include "skin/core/bseffects_Link.h"
