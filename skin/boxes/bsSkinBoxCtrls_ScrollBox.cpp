// The skinned scroll box: linked bars, their ranges from the children's
// extent, moving the children, the non-client frame and the client tiles.
#include "skin/boxes/bsSkinBoxCtrls_ScrollBox.h"

#include "skin/core/bsUtils_SkinImage.h"

#include "platform/ui/Paint.h"

#include <algorithm>

namespace skin {

using namespace platform;

TbsSkinScrollBox::TbsSkinScrollBox(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    ControlStyle |= csAcceptsControls;
    FSkinDataName = "scrollbox";
    FWidth = 150;
    FHeight = 150;
}

void TbsSkinScrollBox::SetBorderStyle(TbsSkinBorderStyle AValue)
{
    FBorderStyle = AValue;
    if (HandleAllocated())
        RecreateWnd();
}

void TbsSkinScrollBox::LinkBar(TbsSkinScrollBar*& AField, TbsSkinScrollBar* AValue, bool AVertical)
{
    ChangeReference<TbsSkinScrollBar>(this, AField, AValue);
    if (!AValue)
        return;
    AValue->SetCanFocused(false);
    AValue->SetEnabled(true);
    AValue->SetVisible(false);
    AValue->OnChange = [this, AVertical](TObject*) {
        TbsSkinScrollBar* bar = AVertical ? FVScrollBar : FHScrollBar;
        if (!bar)
            return;
        int& old = AVertical ? FOldVScrollBarPos : FOldHScrollBarPos;
        const int d = bar->Position() - old;
        old = bar->Position();
        if (AVertical)
            ScrollVert(d);
        else
            ScrollHorz(d);
    };
    AValue->OnLastChange = [this](TObject*) { Invalidate(); };
    GetRange(AVertical);
}

void TbsSkinScrollBox::SetVScrollBar(TbsSkinScrollBar* AValue) { LinkBar(FVScrollBar, AValue, true); }
void TbsSkinScrollBox::SetHScrollBar(TbsSkinScrollBar* AValue) { LinkBar(FHScrollBar, AValue, false); }

void TbsSkinScrollBox::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsSkinCustomControl::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FVScrollBar)
        FVScrollBar = nullptr;
    if (AComponent == FHScrollBar)
        FHScrollBar = nullptr;
}

// ---------------------------------------------------------------- ranges

void TbsSkinScrollBox::UpDateScrollRange()
{
    GetHRange();
    GetVRange();
}

void TbsSkinScrollBox::GetVRange() { GetRange(true); }
void TbsSkinScrollBox::GetHRange() { GetRange(false); }

void TbsSkinScrollBox::GetRange(bool AVertical)
{
    TbsSkinScrollBar* bar = AVertical ? FVScrollBar : FHScrollBar;
    if (!bar || FInCheckScrollBars || !Parent())
        return;
    int& sizeOffset = AVertical ? FVSizeOffset : FHSizeOffset;
    int& oldPos = AVertical ? FOldVScrollBarPos : FOldHScrollBarPos;
    auto scroll = [&](int D) { AVertical ? ScrollVert(D) : ScrollHorz(D); };
    const int c = AVertical ? ClientHeight() : ClientWidth();
    int e = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (child->Visible())
            e = std::max(e, AVertical ? child->Top() + child->Height() : child->Left() + child->Width());
    }
    const int p = bar->Position();
    const int t = p + e;
    bool show = bar->Visible();
    if (t > c) {
        show = true;
        if (p > 0 && e < c && sizeOffset > 0) {
            // The box grew and empty space opened at the end: the children come back.
            sizeOffset = std::min(sizeOffset, p);
            bar->SetRange(0, t - 1, p - sizeOffset, c);
            scroll(-sizeOffset);
        } else if (sizeOffset == 0 && t - 1 < bar->Max() && p > 0 && e < c) {
            // The content shrank while scrolled.
            const int d = std::min(c - e, p);
            scroll(-d);
            bar->SetRange(0, t - 1, p - d, c);
        } else {
            bar->SetRange(0, t - 1, p, c);
            // A page grown past the end clamps the position: the children
            // follow, so they never stand where the bar does not say.
            if (bar->Position() != oldPos)
                scroll(bar->Position() - oldPos);
        }
        sizeOffset = 0;
        oldPos = bar->Position();
    } else {
        if (p > 0)
            scroll(-p);
        sizeOffset = 0;
        oldPos = 0;
        bar->SetRange(0, 0, 0, 0);
        show = false;
    }
    // The horizontal bar draws the corner square while the vertical one shows.
    if (FVScrollBar && FHScrollBar && FHScrollBar->Both() != FVScrollBar->Visible())
        FHScrollBar->SetBoth(FVScrollBar->Visible());
    if (show != bar->Visible()) {
        FInCheckScrollBars = true;
        bar->SetVisible(show);
        if (Align() != alNone) {
            Parent()->Realign();
            Realign();
        }
        FInCheckScrollBars = false;
    }
}

void TbsSkinScrollBox::ScrollChildren(int DX, int DY)
{
    if (DX == 0 && DY == 0)
        return;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        child->SetBounds(child->Left() + DX, child->Top() + DY, child->Width(), child->Height());
    }
    Invalidate();
}

void TbsSkinScrollBox::ScrollVert(int D)
{
    ScrollChildren(0, -D);
    if (FIndex != -1 && StretchEffect)
        Repaint();
}

void TbsSkinScrollBox::ScrollHorz(int D)
{
    ScrollChildren(-D, 0);
    if (FIndex != -1 && StretchEffect)
        Repaint();
}

// Any position the bar allows, so the end of the content can be reached:
// a limit of Max - PageSize would leave its last pixel row out of view.
void TbsSkinScrollBox::VScroll(int APosition)
{
    if (FVScrollBar && FVScrollBar->PageSize() != 0)
        FVScrollBar->SetPosition(APosition);
}

void TbsSkinScrollBox::HScroll(int APosition)
{
    if (FHScrollBar && FHScrollBar->PageSize() != 0)
        FHScrollBar->SetPosition(APosition);
}

void TbsSkinScrollBox::ScrollToControl(TControl* C)
{
    if (!C || C->Parent() != this)
        return;
    if (FHScrollBar && FHScrollBar->Visible()) {
        if (C->Left() < 0)
            FHScrollBar->SetPosition(FHScrollBar->Position() + C->Left() - FHSizeOffset);
        else if (C->Left() + C->Width() > ClientWidth())
            FHScrollBar->SetPosition(FHScrollBar->Position() + C->Left() + C->Width() - ClientWidth() - FHSizeOffset);
    }
    if (FVScrollBar && FVScrollBar->Visible()) {
        if (C->Top() < 0)
            FVScrollBar->SetPosition(FVScrollBar->Position() + C->Top() - FVSizeOffset);
        else if (C->Top() + C->Height() > ClientHeight())
            FVScrollBar->SetPosition(FVScrollBar->Position() + C->Top() + C->Height() - ClientHeight() - FVSizeOffset);
    }
}

// ---------------------------------------------------------------- size

void TbsSkinScrollBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldWidth = Width(), oldHeight = Height();
    TbsSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    FHSizeOffset = Width() > oldWidth && oldWidth != 0 ? Width() - oldWidth : 0;
    if (Align() != alNone)
        GetHRange();
    FVSizeOffset = Height() > oldHeight && oldHeight != 0 ? Height() - oldHeight : 0;
    if (Align() != alNone)
        GetVRange();
}

void TbsSkinScrollBox::WMWindowPosChanging(TMessage& M)
{
    TbsSkinCustomControl::WMWindowPosChanging(M);
    if (HandleAllocated() && Align() == alNone)
        UpDateScrollRange();
}

void TbsSkinScrollBox::WMSize(TMessage& M)
{
    TbsSkinCustomControl::WMSize(M);
    if (HandleAllocated())
        SendMessage(Handle(), WM_NCPAINT, 0, 0);
}

void TbsSkinScrollBox::AdjustClientRect(TRect& ARect)
{
    const bool v = FVScrollBar && FVScrollBar->Visible(), h = FHScrollBar && FHScrollBar->Visible();
    ARect = Bounds(h ? -FHScrollBar->Position() : 0, v ? -FVScrollBar->Position() : 0,
                   h ? std::max(FHScrollBar->Max(), ClientWidth()) : ClientWidth(),
                   v ? std::max(FVScrollBar->Max(), ClientHeight()) : ClientHeight());
    TbsSkinCustomControl::AdjustClientRect(ARect);
}

void TbsSkinScrollBox::CMVisibleChanged(TMessage& M)
{
    TbsSkinCustomControl::CMVisibleChanged(M);
    if (FVScrollBar)
        FVScrollBar->SetVisible(Visible());
    if (FHScrollBar)
        FHScrollBar->SetVisible(Visible());
}

void TbsSkinScrollBox::CreateParams(TCreateParams& P)
{
    TbsSkinCustomControl::CreateParams(P);
    P.WindowClass.Style &= ~(CS_HREDRAW | CS_VREDRAW);
}

// ---------------------------------------------------------------- input

void TbsSkinScrollBox::WndProc(TMessage& M)
{
    if (CanFocused && !IsDesigning() && (M.Msg == WM_LBUTTONDOWN || M.Msg == WM_LBUTTONDBLCLK) && !Focused()) {
        FClicksDisabled = true;
        if (CanFocus())
            platform::SetFocus(Handle());
        FClicksDisabled = false;
        if (!Focused())
            return;
    } else if (M.Msg == CN_COMMAND && FClicksDisabled) {
        return;
    }
    TbsSkinCustomControl::WndProc(M);
}

void TbsSkinScrollBox::Dispatch(TMessage& M)
{
    if (M.Msg == SKN_PAINTTODC) {
        M.Result = 0;
        if (M.WParam && HasFrame()) {
            TCanvas c;
            c.SetHandle(reinterpret_cast<HDC>(M.WParam));
            PaintFrame(&c);
            c.SetHandle(nullptr);
            M.Result = SKN_PAINTTODC_ANSWER;
        }
        return;
    }
    if (M.Msg == SKN_PAINTFRAMETODC && M.LParam == SKN_PAINT_KEY) {
        if (M.WParam && HasFrame()) {
            TCanvas c;
            c.SetHandle(reinterpret_cast<HDC>(M.WParam));
            PaintFrame(&c);
            c.SetHandle(nullptr);
        }
        M.Result = SKN_PAINT_KEY;
        return;
    }
    TbsSkinCustomControl::Dispatch(M);
}

// ---------------------------------------------------------------- skin and painting

void TbsSkinScrollBox::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    BGPictureIndex = -1;
    if (auto* rec = dynamic_cast<TbsDataSkinScrollBoxControl*>(SkinRecord()))
        BGPictureIndex = rec->BGPictureIndex;
}

void TbsSkinScrollBox::ChangeSkinData()
{
    TbsSkinCustomControl::ChangeSkinData();
    if (HandleAllocated())
        RecreateWnd();
    for (TbsSkinScrollBar* bar : {FVScrollBar, FHScrollBar})
        if (bar)
            bar->SetAlign(bar->Align());
}

void TbsSkinScrollBox::WMNCCalcSize(TMessage& M)
{
    GetSkinData();
    TRect* r = M.WParam ? &reinterpret_cast<TNCCalcSizeParams*>(M.LParam)->rgrc[0] : reinterpret_cast<TRect*>(M.LParam);
    if (!r)
        return;
    if (FIndex == -1 && FBorderStyle != bvNone)
        *r = Rect(r->Left + 1, r->Top + 1, r->Right - 1, r->Bottom - 1);
    else if (FIndex != -1 && HasFrame())
        *r = Rect(r->Left + ClRect.Left, r->Top + ClRect.Top, r->Right - (SkinRect.Width() - ClRect.Right),
                  r->Bottom - (SkinRect.Height() - ClRect.Bottom));
    r->Right = std::max(r->Right, r->Left);
    r->Bottom = std::max(r->Bottom, r->Top);
    M.Result = 0;
}

void TbsSkinScrollBox::WMNCPaint(TMessage& M)
{
    M.Result = 0;
    if (!HandleAllocated() || !HasFrame())
        return;
    HDC dc = GetWindowDC(Handle());
    if (!dc)
        return;
    TCanvas c;
    c.SetHandle(dc);
    PaintFrame(&c);
    c.SetHandle(nullptr);
    ReleaseDC(Handle(), dc);
}

void TbsSkinScrollBox::PaintFrame(TCanvas* C)
{
    GetSkinData();
    const int w = Width(), h = Height();
    if (FIndex == -1) {
        if (FBorderStyle == bvNone)
            return;
        TRect r = Rect(0, 0, w, h);
        C->Brush()->SetStyle(bsClear);
        const TColor topLeft = FBorderStyle == bvLowered ? clBtnHighlight : clBtnShadow;
        const TColor bottomRight = FBorderStyle == bvRaised ? clBtnHighlight : clBtnShadow;
        Frame3D(C, r, topLeft, bottomRight, 1);
        return;
    }
    if (!Picture)
        return;
    const int dx = w - SkinRect.Width(), dy = h - SkinRect.Height();
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(LTPt, RTPt, LBPt, RBPt, ClRect, LTPt, Point(RTPt.X + dx, RTPt.Y), Point(LBPt.X, LBPt.Y + dy),
                           Point(RBPt.X + dx, RBPt.Y + dy),
                           Rect(ClRect.Left, ClRect.Top, ClRect.Right + dx, ClRect.Bottom + dy), &left, &top, &right,
                           &bottom, Picture, SkinRect, w, h, LeftStretch, TopStretch, RightStretch, BottomStretch);
    C->Draw(0, 0, &top);
    C->Draw(0, top.Height(), &left);
    C->Draw(w - right.Width(), top.Height(), &right);
    C->Draw(0, h - bottom.Height(), &bottom);
}

void TbsSkinScrollBox::CreateControlDefaultImage(TBitmap* B)
{
    B->Canvas()->Brush()->SetStyle(bsSolid);
    B->Canvas()->Brush()->SetColor(Color());
    B->Canvas()->FillRect(Rect(0, 0, B->Width(), B->Height()));
}

void TbsSkinScrollBox::Paint()
{
    GetSkinData();
    const int cw = ClientWidth(), ch = ClientHeight();
    if (cw < 1 || ch < 1)
        return;
    TBitmap b;
    b.SetSize(cw, ch);
    if (FIndex == -1) {
        CreateControlDefaultImage(&b);
        Canvas()->Draw(0, 0, &b);
        return;
    }
    TbsPicture* source = Picture;
    TRect tile = Rect(SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top, SkinRect.Left + ClRect.Right,
                      SkinRect.Top + ClRect.Bottom);
    if (BGPictureIndex != -1) {
        source = ActivePicture(*FSD, BGPictureIndex);
        tile = source ? Rect(0, 0, source->Width(), source->Height()) : TRect{};
    }
    const int tw = tile.Width(), th = tile.Height();
    if (!source || tw <= 0 || th <= 0)
        return;
    // The area a stretched background covers: the whole box, or the client.
    const int aw = BGPictureIndex != -1 || StretchEffect ? Width() : cw;
    const int ah = BGPictureIndex != -1 || StretchEffect ? Height() : ch;
    TCanvas* c = b.Canvas();
    if (StretchEffect && StretchType == bsstFull) {
        c->CopyRect(Rect(0, 0, aw, ah), source->Canvas(), tile);
    } else if (StretchEffect && StretchType == bsstHorz) {
        for (int x = 0; x < aw; x += tw)
            c->CopyRect(Rect(x, 0, x + tw, ah), source->Canvas(), tile);
    } else if (StretchEffect && StretchType == bsstVert) {
        for (int y = 0; y < ah; y += th)
            c->CopyRect(Rect(0, y, aw, y + th), source->Canvas(), tile);
    } else {
        for (int y = 0; y < ah; y += th)
            for (int x = 0; x < aw; x += tw)
                CopyPiece(&b, Rect(x, y, x + tw, y + th), source, tile);
    }
    Canvas()->Draw(0, 0, &b);
}

} // namespace skin
