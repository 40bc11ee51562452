// The caption's quick-button strip: the divider, the hot and pressed
// frames and the images, on the window frame and on the 32-bit top image of
// a full layered border. On the border every piece keeps the image's
// per-pixel alpha or brings its own, so the strip shows as it does on the
// frame while the glass around it stays see-through.

#include "skin/form/bsSkinForm_Objects.h"

#include "skin/form/bsRibbon.h"
#include "skin/form/bsSkinForm.h"

#include "skin/boxes/bsSkinBoxes_Look.h"
#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/controls/ImgList.h"

#include <algorithm>
#include <vector>

namespace skin {

using namespace platform;

namespace {

// The frame of a hot quick button comes from the office quick button record,
// else from the resize tool button's; without either there is none.
TbsDataSkinButtonControl* QuickButtonRecord(TbsSkinData* SD)
{
    if (auto* record = FindSkinRecord<TbsDataSkinButtonControl>(SD, "officequickbutton"))
        return record;
    return FindSkinRecord<TbsDataSkinButtonControl>(SD, "resizetoolbutton");
}

// AFrame becomes the hot look (the pressed one while the item is down) of
// the record, stretched nine-slice to the item's size; false without one.
bool QuickButtonFrame(TbsSkinData* SD, const TbsQuickButtonItem& AItem, TbsDataSkinButtonControl*& ARecord,
                      TBitmap& AFrame)
{
    ARecord = QuickButtonRecord(SD);
    if (!ARecord || IsNullRect(AItem.ItemRect))
        return false;
    TbsPicture* picture = ActivePicture(*SD, ARecord->PictureIndex);
    const TRect piece = ButtonRecordPiece(*ARecord, true, AItem.Down);
    if (!picture || IsNullRect(piece))
        return false;
    AFrame.SetPixelFormat(pf32bit);
    AFrame.SetSize(RectWidth(AItem.ItemRect), RectHeight(AItem.ItemRect));
    CreateStretchSkinImage(&AFrame, picture, piece, ARecord->ClRect, true);
    return true;
}

// ADraw for every item that shows an image, in strip order.
template <class F>
void ForEachShownItem(TbsQuickButtonItems* AItems, F ADraw)
{
    for (int i = 0; i < AItems->Count(); ++i)
        if (TbsQuickButtonItem* item = AItems->Items(i); item->Visible() && item->ImageIndex() >= 0)
            ADraw(*item);
}

} // namespace

TRect TbsSkinCaptionObject::DividerPiece() const
{
    return Active || IsNullRect(InActiveDividerRect) ? DividerRect : InActiveDividerRect;
}

TRect TbsSkinCaptionObject::FrameDividerPiece() const
{
    return Parent->QuickButtonsShowDivider && ActivePicture ? DividerPiece() : TRect{};
}

// The text starts where the strip ends, so the title never runs under the
// last button and the caption's drag area begins just after it.
int TbsSkinCaptionObject::QuickButtonsWidth() const
{
    if (!HasQuickButtons())
        return 0;
    const int buttons = Parent->QuickButtons()->Count() * (Parent->QuickImageList->Width() + 8);
    const TRect divider = FrameDividerPiece();
    return IsNullRect(divider) ? buttons + 5 : RectWidth(divider) + 6 + buttons;
}

void TbsSkinCaptionObject::LayOutQuickButtons(int X) const
{
    const int iw = Parent->QuickImageList->Width(), ih = Parent->QuickImageList->Height();
    const int y = ObjectRect.Top + RectHeight(ObjectRect) / 2 - ih / 2 - 2;
    TbsQuickButtonItems* items = Parent->QuickButtons();
    for (int i = 0; i < items->Count(); ++i) {
        TbsQuickButtonItem* item = items->Items(i);
        if (!item->Visible())
            continue;
        item->ItemRect = TRect{X, y, X + iw + 4, y + ih + 4};
        X += iw + 8;
    }
}

// The strip of visible items from the caption's left (after the divider),
// a hot item on its frame, each image centred in its item rectangle.
void TbsSkinCaptionObject::DrawQuickButtons(TCanvas* C) const
{
    if (!HasQuickButtons())
        return;
    TCustomImageList* images = Parent->QuickImageList;
    int x = ObjectRect.Left;
    const TRect divider = FrameDividerPiece();
    if (!IsNullRect(divider)) {
        DrawPicturePiece(C, ObjectRect.Left + 3, ObjectRect.Top + RectHeight(ObjectRect) / 2 - RectHeight(divider) / 2,
                         ActivePicture, divider, DividerTransparent, DividerTransparentColor);
        x += RectWidth(divider) + 6;
    }
    LayOutQuickButtons(x);
    ForEachShownItem(Parent->QuickButtons(), [&](TbsQuickButtonItem& AItem) {
        TbsDataSkinButtonControl* record = nullptr;
        TBitmap frame;
        if (AItem.Active && QuickButtonFrame(SD, AItem, record, frame))
            C->Draw(AItem.ItemRect.Left, AItem.ItemRect.Top, &frame);
        images->Draw(C, AItem.ItemRect.Left + 2, AItem.ItemRect.Top + 2, AItem.ImageIndex(), AItem.Enabled());
    });
}

// The divider takes the alpha the strip has under it; a frame is opaque, or
// as see-through as the skin's frame mask says; an image keeps its own
// alpha over the strip's.
void TbsSkinCaptionObject::DrawQuickButtonsAlpha(TbsBitmap& ABitMap, TRect& AText) const
{
    if (!HasQuickButtons())
        return;
    TCustomImageList* images = Parent->QuickImageList;
    const int iw = images->Width(), ih = images->Height();
    const int n = Parent->QuickButtons()->Count();
    int x = ObjectRect.Left + 5;
    if (IsNullRect(DividerRect))
        AText.Left += n * (iw + 8) + 5;
    else {
        const TRect divider = DividerPiece();
        if (ActivePicture && !IsNullRect(divider)) {
            const TRect at = Bounds(ObjectRect.Left + 3, ObjectRect.Top + RectHeight(ObjectRect) / 2 - RectHeight(divider) / 2,
                                    RectWidth(divider), RectHeight(divider));
            const TRect area = IntersectRect(at, TRect{0, 0, ABitMap.Width(), ABitMap.Height()});
            std::vector<TbsColor> alpha;
            for (int y = area.Top; y < area.Bottom; ++y)
                for (int px = area.Left; px < area.Right; ++px)
                    alpha.push_back(*ABitMap.GetPixelPtr(px, y) & 0xFF000000u);
            DrawPicturePiece(ABitMap.Canvas(), at.Left, at.Top, ActivePicture, divider, DividerTransparent,
                             DividerTransparentColor);
            size_t k = 0;
            for (int y = area.Top; y < area.Bottom; ++y)
                for (int px = area.Left; px < area.Right; ++px) {
                    TbsColor& p = *ABitMap.GetPixelPtr(px, y);
                    p = (p & 0x00FFFFFFu) | alpha[k++];
                }
        }
        AText.Left += RectWidth(DividerRect) + n * (iw + 8) + 6;
        x = ObjectRect.Left + RectWidth(DividerRect) + 6;
    }
    LayOutQuickButtons(x);
    TbsPicture* mask = QuickButtonAlphaMaskPictureIndex != -1 ? skin::ActivePicture(*SD, QuickButtonAlphaMaskPictureIndex)
                                                              : nullptr;
    ForEachShownItem(Parent->QuickButtons(), [&](TbsQuickButtonItem& AItem) {
        TbsDataSkinButtonControl* record = nullptr;
        TBitmap frame;
        if (AItem.Active && QuickButtonFrame(SD, AItem, record, frame)) {
            TbsBitmap piece;
            piece.Assign(&frame);
            if (mask && mask->Width() > 0 && mask->Height() > 0) {
                // The mask is a picture of its own size: its nine slices keep
                // the record's margins.
                TRect client = record->ClRect;
                client.Right += mask->Width() - RectWidth(record->SkinRect);
                client.Bottom += mask->Height() - RectHeight(record->SkinRect);
                TBitmap grey;
                grey.SetPixelFormat(pf32bit);
                grey.SetSize(frame.Width(), frame.Height());
                CreateStretchSkinImage(&grey, mask, TRect{0, 0, mask->Width(), mask->Height()}, client, true);
                TbsBitmap levels;
                levels.Assign(&grey);
                AlphaFromGrayBitmapPremul(piece, levels);
            } else
                piece.SetAlpha(255);
            ComposeOver(ABitMap, AItem.ItemRect.Left, AItem.ItemRect.Top, piece);
        }
        // Drawn onto clear pixels the image leaves its own premultiplied
        // colours and alpha, which then go over the strip.
        TbsBitmap image;
        image.SetSize(iw, ih);
        images->Draw(image.Canvas(), 0, 0, AItem.ImageIndex(), AItem.Enabled());
        ComposeOver(ABitMap, AItem.ItemRect.Left + 2, AItem.ItemRect.Top + 2, image);
    });
}

} // namespace skin
