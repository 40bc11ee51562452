#pragma once
// The base of the JPEG, PNG and GIF image classes: a decoded picture that
// draws through a bitmap and assigns to and from bitmaps.

#include "platform/gfx/Graphics.h"
#include "platform/gfx/ImageCodecs.h"

namespace platform {

class TImageGraphic : public TGraphic {
public:
    int Width() const override { return FImage.Width; }
    int Height() const override { return FImage.Height; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    bool Empty() const override { return FImage.Pixels.empty(); }
    // From a bitmap or an image of any of the classes; to a bitmap.
    void Assign(TPersistent* ASource) override;
    void Draw(TCanvas* ACanvas, const TRect& ARect) override;
    const TImageData& Image() const { return FImage; }
    void SetImage(const TImageData& AImage);

protected:
    void AssignTo(TPersistent* ADest) override;
    // Whether drawing blends by alpha (PNG) or uses a colour key (GIF).
    virtual bool DrawsWithAlpha() const { return false; }
    TImageData FImage;
};

} // namespace platform
