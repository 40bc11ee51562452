#pragma once
// TPngImage: PNG pictures with alpha; drawing blends by alpha.

#include "platform/gfx/ImageGraphic.h"

namespace platform {

class TPngImage : public TImageGraphic {
public:
    std::string ClassName() const override { return "TPngImage"; }
    int CompressionLevel = 7;
    void LoadFromStream(TStream& AStream) override;
    void SaveToStream(TStream& AStream) override;
    bool HasAlpha() const { return FImage.HasAlpha; }
    TColor Pixels(int AX, int AY) const;
    uint8_t Alpha(int AX, int AY) const { return uint8_t(FImage.At(AX, AY) >> 24); }

protected:
    bool DrawsWithAlpha() const override { return FImage.HasAlpha; }
};

} // namespace platform
