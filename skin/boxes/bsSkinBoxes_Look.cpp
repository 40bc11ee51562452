// Shared drawing of the edit and list controls.
#include "skin/boxes/bsSkinBoxes_Look.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_SkinImage.h"

#include "platform/ui/Window.h"

#include <algorithm>
#include <chrono>
#include <thread>

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

TRect FittedTextRect(TRect ARect, const TRect& ANormal, const TRect& APiece)
{
    const int dw = ANormal.Width() - APiece.Width(), dh = ANormal.Height() - APiece.Height();
    if (dw > 0)
        ARect.Right -= dw;
    if (dh > 0)
        ARect.Bottom -= dh;
    return ARect;
}

void DrawRecordMenuMarker(TCanvas* C, TBitmap* APicture, const TbsDataSkinButtonControl& ARecord, const TRect& APiece,
                          const TRect& R)
{
    if (!APicture || APiece.IsEmpty())
        return;
    TBitmap m;
    m.SetSize(APiece.Width(), APiece.Height());
    CopyPiece(&m, Rect(0, 0, APiece.Width(), APiece.Height()), APicture, APiece);
    m.SetTransparentMode(tmFixed);
    m.SetTransparentColor(ARecord.MenuMarkerTransparentColor);
    m.SetTransparent(true);
    C->Draw(R.Left + (R.Width() - m.Width()) / 2, R.Top + (R.Height() - m.Height()) / 2, &m);
}

void DrawStretchedDropButton(TCanvas* C, TbsSkinData* AData, TBitmap* AFacePicture, const TRect& R, bool AHot,
                             bool APressed, bool AEnabled)
{
    TbsDataSkinButtonControl* rec = nullptr;
    for (const char* name : {"combobutton", "editbutton", "resizebutton"})
        if ((rec = FindSkinRecord<TbsDataSkinButtonControl>(AData, name)))
            break;
    TbsPicture* pic = rec ? ActivePicture(*AData, rec->PictureIndex) : nullptr;
    if (!rec || !pic || R.IsEmpty())
        return;
    const bool pressed = APressed && AHot;
    TBitmap a;
    a.SetSize(R.Width(), R.Height());
    CreateButtonRecordImage(*rec, pic, ButtonRecordPiece(*rec, AHot, APressed), &a);
    if (rec->MenuMarkerRect.IsEmpty()) {
        const TColor arrow = pressed ? rec->DownFontColor : AHot ? rec->ActiveFontColor : rec->FontColor;
        if (AEnabled)
            DrawArrowImage(a.Canvas(), Rect(0, pressed ? 2 : 0, a.Width(), a.Height()), arrow, 4);
    } else {
        TRect marker = rec->MenuMarkerRect;
        if (pressed && !rec->MenuMarkerDownRect.IsEmpty())
            marker = rec->MenuMarkerDownRect;
        else if (AHot && !rec->MenuMarkerActiveRect.IsEmpty())
            marker = rec->MenuMarkerActiveRect;
        DrawRecordMenuMarker(a.Canvas(), AFacePicture, *rec, marker, Rect(0, pressed ? 1 : 0, a.Width(), a.Height() + (pressed ? 1 : 0)));
    }
    C->Draw(R.Left, R.Top, &a);
}

void TbsPopupAlpha::Apply(HWND AWnd, bool ABlend, bool AAnimation, uint8_t AValue)
{
    const intptr_t ex = GetWindowLong(AWnd, GWL_EXSTYLE);
    if (ABlend && !OldAlphaBlend)
        SetWindowLong(AWnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    else if (!ABlend && OldAlphaBlend)
        SetWindowLong(AWnd, GWL_EXSTYLE, ex & ~intptr_t(WS_EX_LAYERED));
    OldAlphaBlend = ABlend;
    if (ABlend && OldAlphaBlendValue != AValue) {
        OldAlphaBlendValue = AAnimation ? 0 : AValue;
        SetLayeredAlpha(AWnd, OldAlphaBlendValue);
    }
}

void TbsPopupAlpha::FadeIn(HWND AWnd, uint8_t AValue, const std::function<bool()>& AStillShown)
{
    const int step = std::max(1, AValue / 15);
    for (int alpha = 0; alpha < AValue && AStillShown();) {
        std::this_thread::sleep_for(std::chrono::milliseconds(6));
        alpha = std::min(alpha + step, int(AValue));
        SetLayeredAlpha(AWnd, uint8_t(alpha));
    }
}

} // namespace skin
