// Frame geometry of the current size, the non-client hit tests and the
// window region cut from the skin's mask.

#include "skin/form/bsSkinForm.h"

#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Regions.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/gfx/Gdi.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UiGeometry.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <vector>

namespace skin {

using namespace platform;

namespace {

TPoint Moved(TPoint P, int DX, int DY) { return TPoint{P.X + DX, P.Y + DY}; }
TRect Grown(TRect R, int DX, int DY) { return TRect{R.Left, R.Top, R.Right + DX, R.Bottom + DY}; }

} // namespace

void TbsSkinForm::TakeFormSize()
{
    if (FFormWidth == 0 || FFormHeight == 0) {
        FFormWidth = FForm->Width();
        FFormHeight = FForm->Height();
    }
}

void TbsSkinForm::CalcSkinPoints()
{
    if (!HasSkin())
        return;
    TakeFormSize();
    const int pw = FSD->FPicture->Width(), ph = FSD->FPicture->Height();
    const int dx = FFormWidth - pw, dy = FFormHeight - ph;
    NewLTPoint = FSD->LTPoint;
    NewRTPoint = Moved(FSD->RTPoint, dx, 0);
    NewLBPoint = Moved(FSD->LBPoint, 0, dy);
    NewRBPoint = Moved(FSD->RBPoint, dx, dy);
    NewClRect = Grown(FSD->ClRect, dx, dy);
    NewCaptionRect = FSD->CaptionRect;
    if (!IsNullRect(NewCaptionRect))
        NewCaptionRect.Right += dx;
    NewButtonsRect = FSD->ButtonsRect;
    if (!IsNullRect(NewButtonsRect) && NewButtonsRect.Left > pw / 2)
        NewButtonsRect = OffsetRect(NewButtonsRect, dx, 0);
    NewButtonsInLeft = FSD->CapButtonsInLeft;
    NewButtonsOffset = FSD->ButtonsOffset;
    NewHitTestLTPoint = FSD->HitTestLTPoint;
    NewHitTestRTPoint = Moved(FSD->HitTestRTPoint, dx, 0);
    NewHitTestLBPoint = Moved(FSD->HitTestLBPoint, 0, dy);
    NewHitTestRBPoint = Moved(FSD->HitTestRBPoint, dx, dy);
    NewMaskRectArea = Grown(FSD->MaskRectArea, dx, dy);
}

TRect TbsSkinForm::CalcObjectRect(const TRect& R) const
{
    if (!HasSkin())
        return R;
    const int dx = NewRBPoint.X - FSD->RBPoint.X, dy = NewRBPoint.Y - FSD->RBPoint.Y;
    const int pw = FSD->FPicture->Width(), ph = FSD->FPicture->Height();
    const TRect lt{0, 0, FSD->LTPoint.X, FSD->LTPoint.Y};
    const TRect rt{FSD->RTPoint.X, 0, pw, FSD->RTPoint.Y};
    const TRect lb{0, FSD->LBPoint.Y, FSD->LBPoint.X, ph};
    const TRect rb{FSD->RBPoint.X, FSD->RBPoint.Y, pw, ph};
    if (RectInRect(R, lt))
        return R;
    if (RectInRect(R, rt))
        return OffsetRect(R, dx, 0);
    if (RectInRect(R, lb))
        return OffsetRect(R, 0, dy);
    if (RectInRect(R, rb))
        return OffsetRect(R, dx, dy);
    const TPoint tl{R.Left, R.Top}, br{R.Right, R.Bottom};
    if (PtInRect(lt, tl) && PtInRect(rb, br))
        return Grown(R, dx, dy);
    if (PtInRect(lt, tl) && PtInRect(rt, br))
        return Grown(R, dx, 0);
    if (PtInRect(lb, tl) && PtInRect(rb, br))
        return OffsetRect(Grown(R, dx, 0), 0, dy);
    if (PtInRect(lt, tl) && PtInRect(lb, br))
        return Grown(R, 0, dy);
    if (PtInRect(rt, tl) && PtInRect(rb, br))
        return Grown(OffsetRect(R, dx, 0), 0, dy);
    return R;
}

int TbsSkinForm::DefCaptionHeight() const
{
    const TFormBorderStyle bs = FForm->BorderStyle();
    return bs == bsToolWindow || bs == bsSizeToolWin ? 15 : 19;
}

int TbsSkinForm::DefButtonSize() const
{
    const TFormBorderStyle bs = FForm->BorderStyle();
    return bs == bsToolWindow || bs == bsSizeToolWin ? 13 : 17;
}

void TbsSkinForm::GetSmallIconSize(int& W, int& H)
{
    W = GetSystemMetrics(SM_CXSMICON);
    H = GetSystemMetrics(SM_CYSMICON);
    if (W == 0)
        W = GetSystemMetrics(SM_CXSIZE);
    if (H == 0)
        H = GetSystemMetrics(SM_CYSIZE);
}

namespace {

constexpr TbsStdCommand FlowCommands[] = {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray};

// A caption button placed by flow: its command, when it takes part.
bool FlowButton(TbsActiveSkinObject* AObject, TbsStdCommand& ACommand)
{
    if (!AObject->Visible || !AObject->SkinRectInAPicture)
        return false;
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(AObject)) {
        ACommand = b->Command;
        return true;
    }
    if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(AObject)) {
        ACommand = a->Command;
        return true;
    }
    return false;
}

} // namespace

void TbsSkinForm::PlaceButton(TbsActiveSkinObject* AObject, const TRect& R)
{
    AObject->ObjectRect = R;
}

// The unskinned caption buttons stand side by side from the right, the
// system-menu button at the left; the caption lies between them.
void TbsSkinForm::CalcDefRects()
{
    TakeFormSize();
    NewDefCaptionRect = TRect{3, 3, FFormWidth - 3, DefCaptionHeight()};
    if (ObjectList.empty())
        return;
    const int s = DefButtonSize();
    int x = FFormWidth - 3;
    for (TbsStdCommand command : FlowCommands)
        for (auto& o : ObjectList) {
            TbsStdCommand c;
            if (dynamic_cast<TbsSkinStdButtonObject*>(o.get()) && FlowButton(o.get(), c) && c == command) {
                PlaceButton(o.get(), TRect{x - s, 4, x, 4 + s});
                x -= s;
                break;
            }
        }
    NewDefCaptionRect.Right = x;
    x = 3;
    for (auto& o : ObjectList) {
        TbsStdCommand c;
        if (dynamic_cast<TbsSkinStdButtonObject*>(o.get()) && FlowButton(o.get(), c) && c == cmSysMenu) {
            int w = s, h = s;
            if (ShowIcon)
                GetSmallIconSize(w, h);
            PlaceButton(o.get(), TRect{x, 4, x + w, 4 + h});
            NewDefCaptionRect.Left = x + w;
            break;
        }
    }
}

// Objects drawn in the frame picture follow its stretching; caption
// buttons drawn from their own pictures flow along the buttons strip (or
// the caption strip) in a fixed order of commands.
void TbsSkinForm::CalcObjectRects()
{
    // A full layered border hosts the objects on its top strip.
    if (FullBorderFrame())
        return;
    for (auto& o : ObjectList)
        if (!o->SkinRectInAPicture)
            o->ObjectRect = CalcObjectRect(o->SkinRect);
    const bool inButtons = !IsNullRect(NewButtonsRect);
    const TRect strip = inButtons ? NewButtonsRect : NewCaptionRect;
    if (IsNullRect(strip))
        return;
    const int top = strip.Top, gap = NewButtonsOffset;
    TbsSkinCaptionObject* caption = CaptionObject();
    auto size = [this](TbsActiveSkinObject* AObject, TbsStdCommand ACommand, int& W, int& H) {
        W = RectWidth(AObject->SkinRect);
        H = RectHeight(AObject->SkinRect);
        if (ACommand == cmSysMenu && ShowIcon && dynamic_cast<TbsSkinStdButtonObject*>(AObject))
            GetSmallIconSize(W, H);
    };
    // The first object of each command, then every custom one.
    std::vector<TbsActiveSkinObject*> flow;
    TbsActiveSkinObject* sysMenu = nullptr;
    for (TbsStdCommand command : FlowCommands)
        for (auto& o : ObjectList) {
            TbsStdCommand c;
            if (FlowButton(o.get(), c) && c == command) {
                flow.push_back(o.get());
                break;
            }
        }
    for (auto& o : ObjectList) {
        TbsStdCommand c;
        if (FlowButton(o.get(), c) && c == cmDefault)
            flow.push_back(o.get());
        if (!sysMenu && FlowButton(o.get(), c) && c == cmSysMenu)
            sysMenu = o.get();
    }
    int w = 0, h = 0;
    if (!NewButtonsInLeft) {
        int x = strip.Right;
        for (TbsActiveSkinObject* o : flow) {
            size(o, cmDefault, w, h);
            PlaceButton(o, TRect{x - w, top, x, top + h});
            x -= w + gap;
        }
        if (!inButtons && caption)
            caption->ObjectRect.Right = x + gap;
        x = NewCaptionRect.Left;
        if (sysMenu) {
            size(sysMenu, cmSysMenu, w, h);
            const int t = NewCaptionRect.Top + RectHeight(NewCaptionRect) / 2 - h / 2;
            PlaceButton(sysMenu, TRect{x, t, x + w, t + h});
            x += w + gap;
            if (caption)
                caption->ObjectRect.Left = x - gap;
        }
        return;
    }
    int x = strip.Left;
    if (!inButtons && sysMenu)
        flow.push_back(sysMenu);
    for (TbsActiveSkinObject* o : flow) {
        size(o, o == sysMenu ? cmSysMenu : cmDefault, w, h);
        PlaceButton(o, TRect{x, top, x + w, top + h});
        x += w + gap;
    }
    if (!inButtons && caption)
        caption->ObjectRect.Left = x + gap;
}

TRect TbsSkinForm::GetDefCaptionRect()
{
    CalcDefRects();
    return NewDefCaptionRect;
}

int TbsSkinForm::GetMinWidth() const
{
    const bool minimized = FWindowState == wsMinimized;
    if (!HasSkin())
        return MinWidth > 0 ? MinWidth : 120;
    const int pw = FSD->FPicture->Width();
    if (pw < MinWidth && !minimized)
        return MinWidth;
    if (FSD->FormMinWidth > 0)
        return minimized ? FSD->FormMinWidth : IntMax(FSD->FormMinWidth, MinWidth);
    return pw;
}

int TbsSkinForm::GetMinHeight() const
{
    const bool keepsMin = !FRollUpState && FWindowState != wsMinimized;
    if (!HasSkin())
        return keepsMin && MinHeight > DefCaptionHeight() + 6 ? MinHeight : DefCaptionHeight() + 6;
    const int frameH = FSD->FPicture->Height() - RectHeight(FSD->ClRect);
    // Under a full border the window has no frame of its own.
    if (FullBorderFrame())
        return keepsMin && MinHeight > frameH ? MinHeight : 10;
    const int h = FSD->FormMinHeight != 0 ? FSD->FormMinHeight : frameH;
    return keepsMin ? IntMax(h, MinHeight) : h;
}

// The work area of the form's monitor, or the whole monitor.
TRect TbsSkinForm::MaximizeArea() const
{
    TRect r;
    GetMonitorRect(FForm->Handle(), !MaximizeOnFullScreen, r);
    return r;
}

int TbsSkinForm::GetMaxWidth() const
{
    return MaxWidth != 0 ? MaxWidth : RectWidth(MaximizeArea());
}

int TbsSkinForm::GetMaxHeight() const
{
    return MaxHeight != 0 ? MaxHeight : RectHeight(MaximizeArea());
}

bool TbsSkinForm::CanResize() const
{
    const TFormBorderStyle bs = FForm->BorderStyle();
    return AlwaysResize || bs == bsSizeable || bs == bsSizeToolWin;
}

void TbsSkinForm::ScreenToFrame(TPoint& P) const
{
    if (FForm->FormStyle() == fsMDIChild) {
        P = FForm->ScreenToClient(P);
        P = HasSkin() ? Moved(P, NewClRect.Left, NewClRect.Top) : Moved(P, 3, DefCaptionHeight() + 3);
        return;
    }
    TRect r;
    GetWindowRect(FForm->Handle(), r);
    P = Moved(P, -r.Left, -r.Top);
}

// On the caption: in the caption object, or without one in the caption
// strip. An object before the caption in the list that covers the point
// takes it, as it does in the objects' own hit test, so that buttons
// standing on the caption stay clickable (unless the application menu's
// caption hides them). The quick buttons are no caption while they show.
bool TbsSkinForm::PtInCaption(const TPoint& P)
{
    if (!HasSkin())
        return PtInRect(GetDefCaptionRect(), P);
    bool any = false;
    for (auto& o : ObjectList) {
        auto* caption = dynamic_cast<TbsSkinCaptionObject*>(o.get());
        any = any || caption;
        if (!PtInRect(o->ObjectRect, P))
            continue;
        if (caption) {
            const int strip = caption->QuickButtonsWidth();
            return HasAppMenuCaption() || P.X >= o->ObjectRect.Left + strip + (strip > 0 ? 2 : 0);
        }
        const auto* button = dynamic_cast<TbsSkinStdButtonObject*>(o.get());
        if (o->Enabled && o->Visible && !(button && button->CoveredByAppMenuCaption()))
            return false;
    }
    return !any && PtInRect(NewCaptionRect, P);
}

int TbsSkinForm::SkinHitTest(const TPoint& P)
{
    const TWindowState state = FWindowState;
    if (FRollUpState || state == wsMinimized)
        return PtInCaption(P) ? HTCAPTION : HTOBJECT;
    if (ActiveObject != -1 && !PtInCaption(P) && !PtInRect(NewClRect, P) && !FSizeMove)
        return HTOBJECT;
    if (state != wsMaximized && CanResize()) {
        const int bw = FSD->BorderW;
        const TPoint probes[] = {Moved(P, -bw, 0), Moved(P, bw, 0), Moved(P, 0, -bw), Moved(P, 0, bw)};
        bool nearEdge = false;
        const TRect window{0, 0, FFormWidth, FFormHeight};
        const bool masked = HasMask();
        if (!masked || !PtInRect(NewMaskRectArea, P))
            for (const TPoint& probe : probes)
                nearEdge = nearEdge || (masked ? !PtInMask(probe) : !PtInRect(window, probe));
        if (!nearEdge) {
            if (PtInRect(NewClRect, P))
                return HTCLIENT;
            return PtInCaption(P) ? HTCAPTION : HTOBJECT;
        }
        if (P.X <= NewHitTestLTPoint.X && P.Y <= NewHitTestLTPoint.Y)
            return HTTOPLEFT;
        if (P.X >= NewHitTestRTPoint.X && P.Y <= NewHitTestRTPoint.Y)
            return HTTOPRIGHT;
        if (P.X <= NewHitTestLBPoint.X && P.Y >= NewHitTestLBPoint.Y)
            return HTBOTTOMLEFT;
        if (P.X >= NewHitTestRBPoint.X && P.Y >= NewHitTestRBPoint.Y)
            return HTBOTTOMRIGHT;
        if (PtInRect(TRect{NewHitTestLTPoint.X, 0, NewHitTestRTPoint.X, NewClRect.Top}, P))
            return HTTOP;
        if (PtInRect(TRect{NewHitTestLBPoint.X, NewClRect.Bottom, NewHitTestRBPoint.X, FFormHeight}, P))
            return HTBOTTOM;
        if (PtInRect(TRect{0, NewHitTestLTPoint.Y, NewClRect.Left, NewHitTestLBPoint.Y}, P))
            return HTLEFT;
        if (PtInRect(TRect{NewClRect.Right, NewHitTestRTPoint.Y, FFormWidth, NewHitTestRBPoint.Y}, P))
            return HTRIGHT;
    }
    if (PtInRect(NewClRect, P))
        return HTCLIENT;
    return PtInCaption(P) ? HTCAPTION : HTOBJECT;
}

int TbsSkinForm::DefaultHitTest(const TPoint& P)
{
    TakeFormSize();
    const int w = FFormWidth, h = FFormHeight;
    const TWindowState state = FWindowState;
    if (state == wsNormal && !FRollUpState && CanResize()) {
        if (ActiveObject != -1)
            return HTOBJECT;
        const bool left = P.X <= 2, top = P.Y <= 2, right = P.X >= w - 2, bottom = P.Y >= h - 2;
        if (left && top)
            return HTTOPLEFT;
        if (right && top)
            return HTTOPRIGHT;
        if (left && bottom)
            return HTBOTTOMLEFT;
        if (right && bottom)
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (top)
            return HTTOP;
        if (right)
            return HTRIGHT;
        if (bottom)
            return HTBOTTOM;
    }
    if (PtInRect(GetDefCaptionRect(), P))
        return HTCAPTION;
    if (PtInRect(TRect{3, DefCaptionHeight() + 3, w - 3, h - 3}, P))
        return HTCLIENT;
    return HTOBJECT;
}

bool TbsSkinForm::HasMask() const
{
    return HasSkin() && FSD->FMask && !FSD->FMask->Empty();
}

// A point outside a border mask lies outside the window shape.
bool TbsSkinForm::PtInMask(const TPoint& P) const
{
    if (PtInRect(NewMaskRectArea, P))
        return true;
    auto black = [this](TBitmap& AMask, int X, int Y) {
        if (X < 0 || Y < 0 || X >= AMask.Width() || Y >= AMask.Height())
            return false;
        return (AMask.Canvas()->Pixels(X, Y) & 0xFFFFFF) == 0;
    };
    auto& self = const_cast<TbsSkinForm&>(*this);
    if (P.Y <= NewMaskRectArea.Top)
        return black(self.RMTop, P.X, P.Y);
    if (P.Y < NewMaskRectArea.Bottom && P.X > NewMaskRectArea.Left)
        return black(self.RMRight, P.X - NewMaskRectArea.Right, P.Y - NewMaskRectArea.Top);
    if (P.Y < NewMaskRectArea.Bottom)
        return black(self.RMLeft, P.X, P.Y - NewMaskRectArea.Top);
    return black(self.RMBottom, P.X, P.Y - NewMaskRectArea.Bottom);
}

// The window owns the region it is given, so it gets a copy and FRgn stays
// ours.
void TbsSkinForm::SetRegion(HRGN ARgn)
{
    if (FRgn)
        DeleteObject(FRgn);
    FRgn = ARgn;
    HRGN copy = nullptr;
    if (ARgn) {
        copy = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(copy, ARgn, nullptr, RGN_COPY);
    }
    if (FForm->HandleAllocated())
        SetWindowRgn(FForm->Handle(), copy, true);
    else if (copy)
        DeleteObject(copy);
}

namespace {

HRGN RegionOfMask(TBitmap& AMask, int X, int Y)
{
    if (AMask.Width() <= 0 || AMask.Height() <= 0)
        return nullptr;
    std::vector<uint8_t> data;
    const DWORD size = MaskToRegionData(&AMask, X, Y, data);
    if (size == 0)
        return nullptr;
    return ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(data.data()));
}

void OrInto(HRGN ADest, HRGN ASource)
{
    if (ASource) {
        CombineRgn(ADest, ADest, ASource, RGN_OR);
        DeleteObject(ASource);
    }
}

} // namespace

void TbsSkinForm::CreateFrameRgn(bool AUpdate)
{
    TakeFormSize();
    if (!FSkinnableForm || FForm->BorderStyle() == bsNone) {
        if (FRgn || FForm->HandleAllocated())
            SetRegion(nullptr);
        return;
    }
    if (HasSkin() && FullBorderFrame()) {
        // Rolled up, or minimized into the frame's slot, the window is as
        // high as the border says (nothing of it when it says nothing).
        // A border that names no height keeps one pixel row: an empty
        // region would take the window off the screen altogether.
        const bool rolled = FRollUpState || (FWindowState == wsMinimized && !IsMainForm() && !MinimizeDefault);
        const int rolledHeight = std::max(1, FBorderLayer->FData->RollUpFormHeight);
        SetRegion(CreateRectRgn(0, 0, FFormWidth, rolled ? rolledHeight : FFormHeight));
        return;
    }
    if (!HasSkin() || !HasMask()) {
        if (!HasSkin())
            for (TBitmap* m : {&RMTop, &RMLeft, &RMRight, &RMBottom})
                m->SetSize(0, 0);
        SetRegion(CreateRectRgn(0, 0, FFormWidth, FFormHeight));
        return;
    }
    if (!AUpdate) {
        HRGN whole = RegionOfMask(*FSD->FMask, 0, 0);
        if (whole)
            SetRegion(whole);
        return;
    }
    CreateSkinMask(FSD->LTPoint, FSD->RTPoint, FSD->LBPoint, FSD->RBPoint, FSD->MaskRectArea, NewLTPoint, NewRTPoint,
                   NewLBPoint, NewRBPoint, NewMaskRectArea, FSD->FMask.get(), &RMTop, &RMLeft, &RMRight, &RMBottom,
                   FFormWidth, FFormHeight);
    HRGN rgn = CreateRectRgn(NewMaskRectArea.Left, NewMaskRectArea.Top, NewMaskRectArea.Right, NewMaskRectArea.Bottom);
    OrInto(rgn, RegionOfMask(RMTop, 0, 0));
    OrInto(rgn, RegionOfMask(RMBottom, 0, NewMaskRectArea.Bottom));
    OrInto(rgn, RegionOfMask(RMLeft, 0, NewMaskRectArea.Top));
    OrInto(rgn, RegionOfMask(RMRight, NewMaskRectArea.Right, NewMaskRectArea.Top));
    SetRegion(rgn);
}

void TbsSkinForm::UpdateFrame(bool AUpdate)
{
    if (!HasSkin())
        return;
    if (FSkinnableForm) {
        CalcSkinPoints();
        if (AUpdate)
            CalcObjectRects();
    }
    CreateFrameRgn(AUpdate);
    if (!FRgn && FSkinnableForm && FForm->BorderStyle() != bsNone && FForm->HandleAllocated())
        SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
    if (FSD->StretchEffect) {
        FForm->Invalidate();
        // The stretched background moved under the children that copy it.
        for (int i = 0; i < FForm->ControlCount(); ++i)
            if (auto* w = dynamic_cast<TWinControl*>(FForm->Controls(i)); w && w->HandleAllocated())
                SendMessage(w->Handle(), SKN_PARENTBGCHANGED, 0, 0);
    }
}

// After the screen changed, a form larger than it may now be is shrunk
// to fit, in place.
void TbsSkinForm::FitIntoMaxSize()
{
    const int w = FForm->Width(), h = FForm->Height();
    const int maxW = GetMaxWidth(), maxH = GetMaxHeight();
    if (w <= maxW && h <= maxH)
        return;
    FForm->SetBounds(FForm->Left(), FForm->Top(), std::min(w, maxW), std::min(h, maxH));
}

// Width - 1 then + 1 (the other way round at the minimum width) puts the
// window through a new client-size calculation and a new region.
void TbsSkinForm::RefreshFormSize()
{
    const int w = FForm->Width();
    const int step = w - 1 < GetMinWidth() ? 1 : -1;
    FForm->SetBounds(FForm->Left(), FForm->Top(), w + step, FForm->Height());
    FForm->SetBounds(FForm->Left(), FForm->Top(), w, FForm->Height());
}

} // namespace skin
