#include "platform/controls/ImgList.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

uint32_t* Row(TBitmap* B, int Y) { return reinterpret_cast<uint32_t*>(B->ScanLine(Y)); }

uint32_t Premultiply(uint32_t P)
{
    uint32_t a = P >> 24;
    uint32_t r = ((P >> 16) & 0xFF) * a / 255, g = ((P >> 8) & 0xFF) * a / 255, b = (P & 0xFF) * a / 255;
    return (a << 24) | (r << 16) | (g << 8) | b;
}

// Images without any alpha (all zero, as drawing leaves it) count as opaque.
bool HasAlpha(TBitmap* B)
{
    for (int y = 0; y < B->Height(); ++y)
        for (int x = 0; x < B->Width(); ++x)
            if (Row(B, y)[x] >> 24)
                return true;
    return false;
}

} // namespace

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}
TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TCustomImageList::SetSize(int AWidth, int AHeight)
{
    FWidth = std::max(1, AWidth);
    FHeight = std::max(1, AHeight);
    FImages.clear();
    Changed();
}

std::unique_ptr<TBitmap> TCustomImageList::Slice(TBitmap* AImage, int AIndex)
{
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf32bit);
    b->SetSize(FWidth, FHeight);
    TRect dest = Rect(0, 0, FWidth, FHeight);
    TRect src = Bounds(AIndex * FWidth, 0, FWidth, FHeight);
    b->Canvas()->CopyRect(dest, AImage->Canvas(), src);
    return b;
}

int TCustomImageList::Add(TBitmap* AImage, TBitmap* AMask)
{
    if (!AImage || AImage->Empty())
        return -1;
    int pieces = std::max(1, AImage->Width() / FWidth);
    int first = Count();
    for (int i = 0; i < pieces; ++i) {
        std::unique_ptr<TBitmap> b = Slice(AImage, i);
        std::unique_ptr<TBitmap> m = AMask && !AMask->Empty() ? Slice(AMask, i) : nullptr;
        bool alpha = !m && HasAlpha(b.get());
        for (int y = 0; y < FHeight; ++y) {
            uint32_t* p = Row(b.get(), y);
            for (int x = 0; x < FWidth; ++x) {
                if (m)
                    p[x] = (Row(m.get(), y)[x] & 0xFFFFFF) ? 0 : (p[x] | 0xFF000000u);
                else
                    p[x] = alpha ? Premultiply(p[x]) : (p[x] | 0xFF000000u);
            }
        }
        FImages.push_back(std::move(b));
    }
    Changed();
    return first;
}

int TCustomImageList::AddMasked(TBitmap* AImage, TColor AMaskColor)
{
    if (!AImage || AImage->Empty())
        return -1;
    COLORREF key = ColorToRGB(AMaskColor);
    uint32_t keyPixel = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
    int pieces = std::max(1, AImage->Width() / FWidth);
    int first = Count();
    for (int i = 0; i < pieces; ++i) {
        std::unique_ptr<TBitmap> b = Slice(AImage, i);
        for (int y = 0; y < FHeight; ++y) {
            uint32_t* p = Row(b.get(), y);
            for (int x = 0; x < FWidth; ++x)
                p[x] = (p[x] & 0xFFFFFF) == keyPixel ? 0 : (p[x] | 0xFF000000u);
        }
        FImages.push_back(std::move(b));
    }
    Changed();
    return first;
}

int TCustomImageList::AddPixels(const std::vector<uint32_t>& APixels)
{
    if (APixels.size() != size_t(FWidth) * size_t(FHeight))
        return -1;
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf32bit);
    b->SetSize(FWidth, FHeight);
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(Row(b.get(), y), &APixels[size_t(y) * size_t(FWidth)], size_t(FWidth) * 4);
    FImages.push_back(std::move(b));
    Changed();
    return Count() - 1;
}

void TCustomImageList::Delete(int AIndex)
{
    if (AIndex < 0 || AIndex >= Count())
        return;
    FImages.erase(FImages.begin() + AIndex);
    Changed();
}

void TCustomImageList::Clear()
{
    FImages.clear();
    Changed();
}

void TCustomImageList::Draw(TCanvas* ACanvas, int X, int Y, int AIndex, bool AEnabled)
{
    if (AIndex < 0 || AIndex >= Count() || !ACanvas)
        return;
    DoDraw(AIndex, ACanvas, X, Y, 0, AEnabled);
}

void TCustomImageList::DoDraw(int AIndex, TCanvas* ACanvas, int X, int Y, unsigned, bool AEnabled)
{
    TBitmap* src = FImages[size_t(AIndex)].get();
    TBitmap grey;
    if (!AEnabled) {
        // Disabled: grey, half as strong.
        grey.SetPixelFormat(pf32bit);
        grey.SetSize(FWidth, FHeight);
        for (int y = 0; y < FHeight; ++y) {
            const uint32_t* s = Row(src, y);
            uint32_t* d = Row(&grey, y);
            for (int x = 0; x < FWidth; ++x) {
                uint32_t a = (s[x] >> 24) / 2;
                uint32_t l = (((s[x] >> 16) & 0xFF) * 30 + ((s[x] >> 8) & 0xFF) * 59 + (s[x] & 0xFF) * 11) / 200;
                d[x] = (a << 24) | (l << 16) | (l << 8) | l;
            }
        }
        src = &grey;
    }
    BLENDFUNCTION blend;
    blend.BlendOp = AC_SRC_OVER;
    blend.SourceConstantAlpha = 255;
    blend.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(ACanvas->Handle(), X, Y, FWidth, FHeight, src->Canvas()->Handle(), 0, 0, FWidth, FHeight, blend);
}

bool TCustomImageList::GetBitmap(int AIndex, TBitmap* ABitmap)
{
    if (AIndex < 0 || AIndex >= Count() || !ABitmap)
        return false;
    ABitmap->Assign(FImages[size_t(AIndex)].get());
    return true;
}

} // namespace platform
