// Blur behind the layered border's glass: the skin's blur mask says where
// on each strip the desktop shows through blurred, and the strips' windows
// ask the desktop for it.

#include "skin/form/bsSkinForm_LayerBorder.h"

#include "skin/form/bsSkinForm.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Regions.h"

#include "platform/gfx/Gdi.h"

namespace skin {

using namespace platform;

namespace {

// The region of the black pixels of the part R of AMask, at (X, Y); nil
// when the part is empty or has none.
HRGN BlackOf(TBitmap& AMask, const TRect& R, int X, int Y)
{
    const TRect part = IntersectRect(R, Rect(0, 0, AMask.Width(), AMask.Height()));
    if (part.Width() <= 0 || part.Height() <= 0)
        return nullptr;
    TBitmap corner;
    corner.SetSize(part.Width(), part.Height());
    corner.Canvas()->CopyRect(Rect(0, 0, part.Width(), part.Height()), AMask.Canvas(), part);
    std::vector<uint8_t> data;
    const DWORD size = MaskToRegionData(&corner, X, Y, data);
    return size == 0 ? nullptr : ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(data.data()));
}

void Forget(HRGN& ARegion)
{
    if (ARegion)
        DeleteObject(ARegion);
    ARegion = nullptr;
}

// R with the corner regions added, each moved right by its offset.
HRGN Glass(const TRect& R, HRGN ALeftCorner, HRGN ARightCorner, int ARightOffset)
{
    HRGN glass = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
    if (ALeftCorner)
        CombineRgn(glass, glass, ALeftCorner, RGN_OR);
    if (ARightCorner) {
        HRGN moved = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(moved, ARightCorner, nullptr, RGN_COPY);
        OffsetRgn(moved, ARightOffset, 0);
        CombineRgn(glass, glass, moved, RGN_OR);
        DeleteObject(moved);
    }
    return glass;
}

} // namespace

bool TbsFormLayerBorder::BlurEnabled() const
{
    return FIsAeroEnabled && FSD && FSD->AeroBlurEnabled() && !BSF->AlphaBlend();
}

void TbsFormLayerBorder::DeleteMaskRegions()
{
    for (HRGN* r : {&DataRgn1, &DataRgn2, &DataRgn3, &DataRgn4})
        Forget(*r);
}

void TbsFormLayerBorder::DeleteBlurRegions()
{
    for (HRGN* r : {&TopRgn, &BottomRgn, &RightRgn, &LeftRgn})
        Forget(*r);
}

void TbsFormLayerBorder::CreateMaskRegions()
{
    DeleteMaskRegions();
    DeleteBlurRegions();
    if (!FData || FData->BlurMaskPictureIndex == -1)
        return;
    TbsPicture* mask = ActivePicture(*FSD, FData->BlurMaskPictureIndex);
    if (!mask || mask->Empty())
        return;
    const TbsDataSkinLayerFrame& d = *FData;
    const int w = mask->Width(), h = mask->Height();
    DataRgn1 = BlackOf(*mask, TRect{0, 0, d.LTPoint.X, d.LTPoint.Y}, 0, 0);
    DataRgn2 = BlackOf(*mask, TRect{d.RTPoint.X, 0, w, d.RTPoint.Y}, d.RTPoint.X, 0);
    DataRgn3 = BlackOf(*mask, TRect{0, d.LBPoint.Y, d.LBPoint.X, h}, 0, 0);
    DataRgn4 = BlackOf(*mask, TRect{d.RBPoint.X, d.RBPoint.Y, w, h}, d.RBPoint.X, 0);
}

// The top and bottom strips grow in their middles: the right corner moves
// right by as much as the strip is wider than the picture.
void TbsFormLayerBorder::CreateBlurRegions()
{
    DeleteBlurRegions();
    if (!FData || FData->BlurMaskPictureIndex == -1 || !Images[bsflTop] || !Source())
        return;
    const TbsDataSkinLayerFrame& d = *FData;
    const TRect& outer = d.IntersectBlurMaskRect;
    const TRect& inner = d.ExcludeBlurMaskRect;
    const int dw = Images[bsflTop]->Width() - Source()->Width();
    TopRgn = Glass(TRect{d.LTPoint.X, outer.Top, dw + d.RTPoint.X, inner.Top}, DataRgn1, DataRgn2, dw);
    BottomRgn = Glass(TRect{d.LBPoint.X, inner.Bottom - d.LBPoint.Y, dw + d.RBPoint.X, outer.Bottom - d.LBPoint.Y},
                      DataRgn3, DataRgn4, dw);
    if (Images[bsflLeft] && Images[bsflLeft]->Height() > 0)
        LeftRgn = CreateRectRgn(outer.Left, 0, inner.Left, Images[bsflLeft]->Height());
    if (Images[bsflRight] && Images[bsflRight]->Height() > 0)
        RightRgn = CreateRectRgn(inner.Right - d.ClRect.Right, 0, outer.Right - d.ClRect.Right,
                                 Images[bsflRight]->Height());
}

HRGN TbsFormLayerBorder::BlurRegion(TbsFormLayerBorderType AType) const
{
    switch (AType) {
    case bsflTop: return TopRgn;
    case bsflBottom: return BottomRgn;
    case bsflLeft: return LeftRgn;
    case bsflRight: return RightRgn;
    }
    return nullptr;
}

} // namespace skin
