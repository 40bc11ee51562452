#pragma once
// TGIFImage: the first frame of a GIF; saving quantises to 256 colours.

#include "platform/gfx/ImageGraphic.h"

namespace platform {

class TGIFImage : public TImageGraphic {
public:
    std::string ClassName() const override { return "TGIFImage"; }
    void LoadFromStream(TStream& AStream) override;
    void SaveToStream(TStream& AStream) override;

protected:
    bool DrawsWithAlpha() const override { return FImage.HasAlpha; }
};

} // namespace platform
