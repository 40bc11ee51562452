#include "skin/controls/bsSkinCtrls_Button.h"

#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"

#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"

#include <cctype>

namespace skin {

namespace {

constexpr int ArrowWidth = 15;
const char* const StandardNames[] = {"resizebutton", "resizetoolbutton", "toolbutton", "bigtoolbutton"};

bool PtInClosedRect(const TRect& R, int X, int Y) { return X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom; }

} // namespace

TbsSkinMenuButton::TbsSkinMenuButton(TComponent* AOwner) : TbsSkinButton(AOwner)
{
    SetSkinDataName("toolmenubutton");
    FSpaceSupport = false;
}

void TbsSkinMenuButton::SetSkinPopupMenu(IbsSkinPopupMenu* Value)
{
    if (FSkinPopupMenuComponent)
        FSkinPopupMenuComponent->RemoveFreeNotification(this);
    FSkinPopupMenu = Value;
    FSkinPopupMenuComponent = Value ? Value->MenuComponent() : nullptr;
    if (FSkinPopupMenuComponent)
        FSkinPopupMenuComponent->FreeNotification(this);
}

void TbsSkinMenuButton::SetTrackButtonMode(bool Value)
{
    FTrackButtonMode = Value;
    if (!Skinned())
        Repaint();
}

void TbsSkinMenuButton::Notification(TComponent* AComponent, platform::TOperation AOperation)
{
    TbsSkinButton::Notification(AComponent, AOperation);
    // The menu is only half there while it is being destroyed: compare the
    // component, never ask the menu.
    if (AOperation == platform::opRemove && AComponent == FSkinPopupMenuComponent) {
        FSkinPopupMenu = nullptr;
        FSkinPopupMenuComponent = nullptr;
    }
}

void TbsSkinMenuButton::GetSkinData()
{
    TbsSkinButton::GetSkinData();
    if (auto* rec = dynamic_cast<TbsDataSkinMenuButtonControl*>(SkinRecord()); rec && Skinned())
        TrackButtonRect = rec->TrackButtonRect;
}

bool TbsSkinMenuButton::StandardName() const
{
    for (const char* name : StandardNames)
        if (SkinDataName() == name)
            return true;
    return false;
}

TRect TbsSkinMenuButton::MappedTrackButtonRect()
{
    const int mode = CalcResizeMode();
    TRect r = TrackButtonRect;
    if (mode == 2)
        r = Rect(r.Left + Width() - SkinWidth(), r.Top, r.Right + Width() - SkinWidth(), r.Bottom);
    else if (mode == 3)
        r = Rect(r.Left, r.Top + Height() - SkinHeight(), r.Right, r.Bottom + Height() - SkinHeight());
    return r;
}

TRect TbsSkinMenuButton::ArrowRect()
{
    if (Skinned() && !StandardName())
        return MappedTrackButtonRect();
    return Rect(Width() - ArrowWidth, 0, Width(), Height());
}

bool TbsSkinMenuButton::CanMenuTrack(int X, int Y)
{
    if (!FSkinPopupMenu && !FSkinImagesMenu)
        return false;
    if (!FTrackButtonMode)
        return true;
    GetSkinData();
    return PtInClosedRect(ArrowRect(), X, Y);
}

void TbsSkinMenuButton::TrackMenu()
{
    const TPoint origin = ClientToScreen(Point(0, 0));
    const TRect r = Bounds(origin.X, origin.Y, Width(), Height());
    if (FSkinPopupMenu) {
        if (OnShowTrackMenu)
            OnShowTrackMenu(this);
        FSkinPopupMenu->PopupFromRect2(this, r, false);
    }
    if (FSkinImagesMenu) {
        if (OnShowTrackMenu)
            OnShowTrackMenu(this);
        FSkinImagesMenu->SetOnInternalMenuClose([this](TObject*) { MenuClosed(true); });
        FSkinImagesMenu->PopupFromRect(r);
    }
}

void TbsSkinMenuButton::StartTracking()
{
    FMenuTracked = true;
    if (!FDown)
        SetDown(true);
    TrackMenu();
}

void TbsSkinMenuButton::DropDown()
{
    if (AnimationAllowed())
        StopAnimate();
    StartTracking();
}

// The menu has closed: the button is up and hot only when the pointer is
// still over it.
void TbsSkinMenuButton::MenuClosed(bool AMorph)
{
    FMenuTracked = false;
    SetDown(false);
    FMouseIn = HandleAllocated() && platform::WindowFromPoint(platform::GetCursorPos()) == Handle();
    if (OnHideTrackMenu)
        OnHideTrackMenu(this);
    if (FLayerManager->IsVisible && !FMouseIn)
        HideLayer();
    if (AMorph)
        MorphOrRepaint();
    else
        Repaint();
}

void TbsSkinMenuButton::Dispatch(TMessage& M)
{
    if (M.Msg == platform::SKN_MENUCLOSED) {
        MenuClosed(false);
        return;
    }
    TbsSkinButton::Dispatch(M);
}

// ---------------------------------------------------------------- mouse

void TbsSkinMenuButton::MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y)
{
    if (AButton != platform::mbLeft) {
        TbsSkinButton::MouseDown(AButton, AShift, X, Y);
        return;
    }
    const bool track = CanMenuTrack(X, Y);
    FMouseIn = true;
    if (AnimationAllowed())
        StopAnimate();
    if (!track) {
        TbsSkinButton::MouseDown(AButton, AShift, X, Y);
        return;
    }
    // The menu's own tracking takes the pointer: the press goes no further.
    SetMouseCapture(false);
    StartTracking();
}

void TbsSkinMenuButton::MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y)
{
    if (!FMenuTracked)
        TbsSkinButton::MouseUp(AButton, AShift, X, Y);
}

void TbsSkinMenuButton::CMMouseEnter(TMessage& M)
{
    if (IsDesigning())
        return;
    if (FMenuTracked) {
        if (M.LParam == 0)
            FMouseIn = true;
        return;
    }
    TbsSkinButton::CMMouseEnter(M);
}

void TbsSkinMenuButton::CMMouseLeave(TMessage& M)
{
    if (IsDesigning())
        return;
    if (FMenuTracked) {
        if (M.LParam == 0)
            FMouseIn = false;
        return;
    }
    TbsSkinButton::CMMouseLeave(M);
}

// ---------------------------------------------------------------- keyboard

void TbsSkinMenuButton::WndProc(TMessage& M)
{
    if (FCanFocused && FSkinPopupMenu) {
        if (M.Msg == platform::WM_KEYDOWN && M.WParam == platform::VK_SPACE && !FTrackButtonMode &&
            CanMenuTrack(0, 0)) {
            FMenuTracked = true;
            SetDown(true);
            TrackMenu();
            return;
        }
        if (M.Msg == platform::WM_KEYUP && M.WParam == platform::VK_SPACE) {
            if (!FMenuTracked) {
                SetDown(false);
                if (OnClick)
                    OnClick(this);
            }
            return;
        }
        if (M.Msg == platform::WM_KEYUP && M.WParam == platform::VK_RETURN && !FMenuTracked && OnClick)
            OnClick(this);
    }
    TbsSkinButton::WndProc(M);
}

void TbsSkinMenuButton::CMDialogChar(TMessage& M)
{
    if (FTrackButtonMode || !CanMenuTrack(0, 0)) {
        TbsSkinButton::CMDialogChar(M);
        return;
    }
    if (RunAccel(this, M, FCanFocused, [this] { StartTracking(); }))
        return;
    TbsSkinButton::CMDialogChar(M);
}

// ---------------------------------------------------------------- painting

void TbsSkinMenuButton::CreateButtonImage(TBitmap* B, TRect R, bool ADown, bool AMouseIn)
{
    if (StandardName()) {
        CreateStripImage(B, ADown, AMouseIn);
        return;
    }
    if (FMenuTracked && FTrackButtonMode && !TrackButtonRect.IsEmpty() && !DownSkinRect.IsEmpty()) {
        TbsSkinButton::CreateButtonImage(B, ActiveSkinRect, false, true);
        if (!Picture)
            return;
        const TRect piece = Rect(TrackButtonRect.Left + DownSkinRect.Left, TrackButtonRect.Top + DownSkinRect.Top,
                                 TrackButtonRect.Right + DownSkinRect.Left, TrackButtonRect.Bottom + DownSkinRect.Top);
        CopyPiece(B, MappedTrackButtonRect(), Picture, piece);
        return;
    }
    TbsSkinButton::CreateButtonImage(B, R, ADown, AMouseIn);
}

// A part of the strip image composed at its own size: nine-slice for the
// resizable standard records, everything stretched for the others.
void TbsSkinMenuButton::ComposeStripPart(TBitmap* B, const TRect& APiece, int W, int H)
{
    B->SetSize(W, H);
    if (!Picture)
        return;
    if (SkinDataName() == "toolbutton" || SkinDataName() == "bigtoolbutton") {
        CreateStretchSkinImage(B, Picture, APiece, ClRect, true);
        return;
    }
    const int dW = W - SkinWidth(), dH = H - SkinHeight();
    CreateSkinImage(LTPt, RTPt, LBPt, RBPt, ClRect, LTPt, Point(RTPt.X + dW, RTPt.Y), Point(LBPt.X, LBPt.Y + dH),
                    Point(RBPt.X + dW, RBPt.Y + dH), Rect(ClRect.Left, ClRect.Top, ClRect.Right + dW, ClRect.Bottom + dH),
                    B, Picture, APiece, W, H, true, LeftStretch, TopStretch, RightStretch, BottomStretch,
                    StretchEffect, StretchType);
}

void TbsSkinMenuButton::CreateStripImage(TBitmap* B, bool ADown, bool AMouseIn)
{
    const TRect n = SkinRect;
    const TRect a = ActiveSkinRect.IsEmpty() ? n : ActiveSkinRect;
    const TRect d = DownSkinRect.IsEmpty() ? a : DownSkinRect;
    bool pressed = false;
    const int w = Width(), h = Height();
    B->SetSize(w, h);
    if (FTrackButtonMode) {
        TRect body = a, arrow = a;
        if (FMenuTracked) {
            arrow = d;
        } else if (ADown && AMouseIn) {
            body = arrow = d;
            pressed = true;
        } else if (!AMouseIn) {
            body = arrow = n;
        }
        TBitmap part;
        ComposeStripPart(&part, body, w - ArrowWidth, h);
        B->Canvas()->Draw(0, 0, &part);
        ComposeStripPart(&part, arrow, ArrowWidth, h);
        B->Canvas()->Draw(w - ArrowWidth, 0, &part);
    } else {
        const TRect piece = ADown && AMouseIn ? d : !AMouseIn ? n : a;
        pressed = ADown && AMouseIn;
        ComposeStripPart(B, piece, w, h);
    }
    TCanvas* c = B->Canvas();
    PrepareSkinFont(c, pressed, AMouseIn);
    if (ShowFocus && IsFocused())
        DrawFocusFrame(c, NewClRect);
    DrawContent(c, Rect(0, 0, w - ArrowWidth, h), pressed, AMouseIn);
    const TRect strip = Rect(w - ArrowWidth, 0, w, h);
    if (!MenuMarkerRect.IsEmpty())
        DrawMenuMarker(c, strip, (ADown && AMouseIn) || FMenuTracked, AMouseIn);
    else
        DrawDownTriangle(c, strip, FMenuTracked ? DownFontColor : c->Font()->Color());
}

void TbsSkinMenuButton::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const int w = Width(), h = Height();
    const bool pressed = FDown && FMouseIn;
    const bool hot = FMouseIn || IsFocused();
    if (FTrackButtonMode) {
        const TRect body = Rect(0, 0, w - ArrowWidth, h), arrow = Rect(w - ArrowWidth, 0, w, h);
        DrawBuiltInState(c, body, pressed && !FMenuTracked, FMenuTracked || (!pressed && hot));
        DrawBuiltInState(c, arrow, FMenuTracked || pressed, !FMenuTracked && !pressed && hot);
    } else {
        DrawBuiltInState(c, Rect(0, 0, w, h), pressed, !pressed && hot);
    }
    AssignCaptionFont(c->Font(), DefaultFont(), FSD, false, *this);
    DrawContent(c, Rect(0, 0, w - ArrowWidth, h), FDown, FMouseIn);
    TRect arrow = Rect(w - ArrowWidth, 0, w, h);
    if (pressed || FMenuTracked)
        arrow = Rect(w - ArrowWidth + 2, 2, w, h);
    DrawDownTriangle(c, arrow, platform::clBtnText);
}

} // namespace skin
