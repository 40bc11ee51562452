#include "skin/controls/bsSkinCtrls_CheckRadio.h"

namespace skin {

void TbsSkinCheckRadioBox::Paint()
{
    TbsSkinCustomControl::Paint();
}

void TbsSkinCheckRadioBox::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const TRect r = Rect(0, 0, Width(), Height());
    c->Brush()->SetStyle(platform::bsSolid);
    c->Brush()->SetColor(platform::clBtnFace);
    c->FillRect(r);
    if (IsFocused() || FMouseIn) {
        c->Brush()->SetColor(platform::clBtnShadow);
        c->FrameRect(r);
    }
}

void TbsSkinCheckRadioBox::PaintSkinTo(TCanvas*, int, int, bool) {}

} // namespace skin
