#pragma once
// TJPEGImage: JPEG pictures with a compression quality for saving.

#include "platform/gfx/ImageGraphic.h"

namespace platform {

class TJPEGImage : public TImageGraphic {
public:
    std::string ClassName() const override { return "TJPEGImage"; }
    int CompressionQuality = 90; // 1..100
    bool Grayscale = false;
    void LoadFromStream(TStream& AStream) override;
    void SaveToStream(TStream& AStream) override;
};

} // namespace platform
