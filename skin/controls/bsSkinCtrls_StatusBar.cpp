#include "skin/controls/bsSkinCtrls_StatusBar.h"

#include "skin/core/bsUtils_SkinImage.h"

#include <vector>

namespace skin {

TbsSkinStatusBar::TbsSkinStatusBar(TComponent* AOwner) : TbsSkinPanel(AOwner)
{
    FSkinDataName = "statusbar";
    SetAlign(platform::alBottom);
    SetHeight(21);
    SetBorderStyle(bvNone);
    FForceBackground = false;
}

void TbsSkinStatusBar::SetSizeGrip(bool Value)
{
    FSizeGrip = Value;
    Repaint();
    Realign();
}

void TbsSkinStatusBar::SetShowGrip(bool Value)
{
    FShowGrip = Value;
    Repaint();
    Realign();
}

void TbsSkinStatusBar::SetSkinData(TbsSkinData* Value)
{
    TbsSkinPanel::SetSkinData(Value);
    const std::vector<TControl*> children(FControls);
    for (TControl* c : children)
        if (auto* s = dynamic_cast<TbsSkinControl*>(c))
            s->SetSkinData(Value);
}

void TbsSkinStatusBar::GetSkinData()
{
    TbsSkinPanel::GetSkinData();
    if (auto* rec = dynamic_cast<TbsDataSkinPanelControl*>(SkinRecord())) {
        GripperRect = rec->GripperRect;
        GripperTransparent = rec->GripperTransparent;
        GripperTransparentColor = rec->GripperTransparentColor;
    }
}

void TbsSkinStatusBar::AdjustClientRect(TRect& R)
{
    TbsSkinPanel::AdjustClientRect(R);
    if (GripOn())
        R.Right -= HasGripPicture() ? GripperRect.Width() : R.Height();
}

TRect TbsSkinStatusBar::GripRect()
{
    TRect c;
    GetSkinClientRect(c);
    if (HasGripPicture())
        return Rect(c.Right, c.Bottom - GripperRect.Height(), c.Right + GripperRect.Width(), c.Bottom);
    return Rect(c.Right + 2, c.Top, c.Right + c.Height(), c.Bottom - 2);
}

void TbsSkinStatusBar::WMNCHitTest(TMessage& M)
{
    if (IsDesigning() || !GripOn()) {
        TbsSkinPanel::WMNCHitTest(M);
        return;
    }
    const TPoint p = ScreenToClient(Point(platform::GET_X_LPARAM(M.LParam), platform::GET_Y_LPARAM(M.LParam)));
    M.Result = platform::PtInRect(GripRect(), p) ? platform::HTBOTTOMRIGHT : platform::HTCLIENT;
}

void DrawGripLines(TCanvas* C, const TRect& G, TColor ADark, TColor ALight)
{
    if (G.Width() / 4 < 0)
        return;
    const TRect g = Rect(G.Left + 2, G.Top + 2, G.Right - 2, G.Bottom - 2);
    C->Pen()->SetWidth(1);
    for (int b = 4; g.Left + b + 2 <= g.Right; b += 3) {
        C->Pen()->SetColor(ADark);
        C->MoveTo(g.Left + b, g.Bottom);
        C->LineTo(g.Right, g.Top + b);
        C->Pen()->SetColor(ALight);
        C->MoveTo(g.Left + b + 1, g.Bottom);
        C->LineTo(g.Right, g.Top + b + 1);
    }
}

void TbsSkinStatusBar::CreateControlDefaultImage(TBitmap* B)
{
    TbsSkinPanel::CreateControlDefaultImage(B);
    if (GripOn())
        DrawGripLines(B->Canvas(), GripRect(), platform::clBtnShadow, platform::clBtnFace);
}

void TbsSkinStatusBar::CreateControlSkinImage(TBitmap* B)
{
    TbsSkinPanel::CreateControlSkinImage(B);
    if (!GripOn())
        return;
    const TRect g = GripRect();
    if (!HasGripPicture() || !Picture) {
        const TbsSkinColors& colors = FSD->SkinColors();
        DrawGripLines(B->Canvas(), g, colors.cBtnShadow(), colors.cBtnHighLight());
        return;
    }
    TBitmap grip;
    grip.SetSize(GripperRect.Width(), GripperRect.Height());
    CopyPiece(&grip, Rect(0, 0, grip.Width(), grip.Height()), Picture, GripperRect);
    if (GripperTransparent) {
        grip.SetTransparentColor(GripperTransparentColor);
        grip.SetTransparent(true);
    }
    B->Canvas()->Draw(g.Left, g.Top, &grip);
}

} // namespace skin
