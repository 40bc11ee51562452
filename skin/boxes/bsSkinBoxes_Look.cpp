// Shared drawing of the edit and list controls.
#include "skin/boxes/bsSkinBoxes_Look.h"

#include "skin/core/bsUtils_SkinImage.h"

namespace skin {

using namespace platform;

void DrawPlainButtonFace(TCanvas* C, const TRect& R, bool AHot, bool APressed)
{
    static constexpr TColor kHotFrame = TColor(0x00B76B3B), kHotFill = TColor(0x00F3D4C1),
                            kDownFill = TColor(0x00E4BCA2);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(AHot ? kHotFrame : clBtnShadow);
    C->FrameRect(R);
    C->Brush()->SetColor(AHot && APressed ? kDownFill : AHot ? kHotFill : clBtnFace);
    C->FillRect(Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1));
}

TRect ButtonRecordPiece(const TbsDataSkinButtonControl& ARecord, bool AHot, bool APressed)
{
    auto empty = [](const TRect& R) { return R.Width() <= 0 || R.Height() <= 0; };
    const TRect active = empty(ARecord.ActiveSkinRect) ? ARecord.SkinRect : ARecord.ActiveSkinRect;
    const TRect down = empty(ARecord.DownSkinRect) ? active : ARecord.DownSkinRect;
    return AHot && APressed ? down : AHot ? active : ARecord.SkinRect;
}

void CreateButtonRecordImage(const TbsDataSkinButtonControl& ARecord, TBitmap* APicture, const TRect& ASource,
                             TBitmap* A)
{
    const int w = A->Width(), h = A->Height();
    const int dx = w - ARecord.SkinRect.Width(), dy = h - ARecord.SkinRect.Height();
    TRect client = ARecord.ClRect;
    client.Right += dx;
    client.Bottom += dy;
    CreateSkinImage(ARecord.LTPoint, ARecord.RTPoint, ARecord.LBPoint, ARecord.RBPoint, ARecord.ClRect,
                    ARecord.LTPoint, Point(ARecord.RTPoint.X + dx, ARecord.RTPoint.Y),
                    Point(ARecord.LBPoint.X, ARecord.LBPoint.Y + dy),
                    Point(ARecord.RBPoint.X + dx, ARecord.RBPoint.Y + dy), client, A, APicture, ASource, w, h, true,
                    ARecord.LeftStretch, ARecord.TopStretch, ARecord.RightStretch, ARecord.BottomStretch,
                    ARecord.StretchEffect, ARecord.StretchType);
}

void DrawTransparentPiece(TCanvas* K, int X, int Y, TBitmap* ASrc, const TRect& ASrcRect)
{
    if (!ASrc || ASrcRect.IsEmpty())
        return;
    TBitmap piece;
    piece.SetSize(ASrcRect.Width(), ASrcRect.Height());
    CopyPiece(&piece, Rect(0, 0, ASrcRect.Width(), ASrcRect.Height()), ASrc, ASrcRect);
    piece.SetTransparent(true);
    K->Draw(X, Y, &piece);
}

} // namespace skin
