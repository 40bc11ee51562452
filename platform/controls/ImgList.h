#pragma once
// Image lists: pictures of one size kept together, drawn by index, enabled
// or greyed.

#include "platform/core/Classes.h"
#include "platform/gfx/Graphics.h"

#include <memory>
#include <vector>

namespace platform {

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    ~TCustomImageList() override;
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetSize(int AWidth, int AHeight);   // clears the list
    int Count() const { return int(FImages.size()); }
    // The image's alpha is kept; with a mask, the mask's non-black pixels are holes.
    int Add(TBitmap* AImage, TBitmap* AMask);
    // Pixels of AMaskColor become holes.
    int AddMasked(TBitmap* AImage, TColor AMaskColor);
    // Premultiplied 32-bit pixels, Width x Height, top row first.
    int AddPixels(const std::vector<uint32_t>& APixels);
    void Delete(int AIndex);
    void Clear();
    // Draws an image inside the list through DoDraw; other indexes draw nothing.
    void Draw(TCanvas* ACanvas, int X, int Y, int AIndex, bool AEnabled = true);
    bool GetBitmap(int AIndex, TBitmap* ABitmap);
    TNotifyEvent OnChange;

protected:
    // The drawing of one image; lists that keep their images elsewhere draw
    // them here. AStyle is the drawing style (0: normal).
    virtual void DoDraw(int AIndex, TCanvas* ACanvas, int X, int Y, unsigned AStyle, bool AEnabled);

private:
    void Changed();
    std::unique_ptr<TBitmap> Slice(TBitmap* AImage, int AIndex);
    int FWidth = 16;
    int FHeight = 16;
    std::vector<std::unique_ptr<TBitmap>> FImages;   // 32-bit, premultiplied alpha
};

class TImageList : public TCustomImageList {
public:
    explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
};

} // namespace platform
