// The client inactive panel.

#include "skin/form/bsSkinForm_InActivePanel.h"

#include "platform/gfx/Gdi.h"
#include "platform/ui/Paint.h"

namespace skin {

using namespace platform;

TbsClientInActivePanel::TbsClientInActivePanel(TComponent* AOwner) : TbsSkinPaintPanel(AOwner)
{
    SetVisible(false);
}

void TbsClientInActivePanel::ShowPanel(TCustomForm* AForm, TbsClientInActiveEffect AEffect)
{
    if (!AForm || !AForm->Visible() || !AForm->HandleAllocated())
        return;
    const int w = AForm->ClientWidth(), h = AForm->ClientHeight();
    if (w <= 0 || h <= 0)
        return;
    SetVisible(false);
    SetParent(AForm);
    SetBounds(0, 0, w, h);
    FBuffer = std::make_unique<TbsBitmap>();
    FBuffer->SetSize(w, h);
    // The client area as it shows now.
    HDC dc = GetDC(AForm->Handle());
    BitBlt(FBuffer->DC(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    ReleaseDC(AForm->Handle(), dc);
    if (AEffect == bsieBlur)
        BlurBitmap(*FBuffer, 3);
    else {
        // The form's background at two thirds over the frozen controls.
        TbsBitmap background;
        background.SetSize(w, h);
        SendMessage(AForm->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(background.DC()), 0);
        background.AlphaBlend = true;
        background.SetAlpha(170);
        background.Draw(*FBuffer, 0, 0);
    }
    SetVisible(true);
    BringToFront();
}

void TbsClientInActivePanel::HidePanel()
{
    SetVisible(false);
    FBuffer.reset();
    // The controls it covered show themselves again.
    if (Parent() && Parent()->HandleAllocated())
        RedrawWindow(Parent()->Handle(), nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TbsClientInActivePanel::WMEraseBkgnd(TMessage& M)
{
    M.Result = 1;
}

void TbsClientInActivePanel::Paint()
{
    if (FBuffer)
        FBuffer->Draw(Canvas(), 0, 0);
}

} // namespace skin
