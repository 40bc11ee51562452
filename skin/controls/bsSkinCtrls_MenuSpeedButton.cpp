// The menu speed button: a speed button with a 15-pixel arrow strip that
// opens a skinned popup menu and/or a picture-grid menu, and stays drawn
// pressed ("tracked") while the menu is open.

#include "skin/controls/bsSkinCtrls_SpeedButton.h"

#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

namespace skin {

namespace {

constexpr int ArrowStrip = 15;

TRect Moved(const TRect& R, int DX, int DY) { return Rect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY); }

TbsDataSkinButtonControl* ButtonRecord(TbsSkinData* AData, const char* AName)
{
    if (!AData || AData->Empty())
        return nullptr;
    const int i = AData->GetControlIndex(AName);
    return i < 0 ? nullptr : dynamic_cast<TbsDataSkinButtonControl*>(AData->CtrlList[size_t(i)].get());
}

// The piece of a state of ARec: the first non-empty of the given pieces.
TRect StatePiece(const TbsDataSkinButtonControl& ARec, bool APressed, bool AHot)
{
    if (APressed && !ARec.DownSkinRect.IsEmpty())
        return ARec.DownSkinRect;
    if ((APressed || AHot) && !ARec.ActiveSkinRect.IsEmpty())
        return ARec.ActiveSkinRect;
    return ARec.SkinRect;
}

} // namespace

TbsSkinMenuSpeedButton::TbsSkinMenuSpeedButton(TComponent* AOwner) : TbsSkinSpeedButton(AOwner)
{
    FSkinDataName = "toolmenubutton";
}

TbsSkinMenuSpeedButton::~TbsSkinMenuSpeedButton()
{
    if (FSkinImagesMenu) {
        FSkinImagesMenu->SetOnInternalChange(nullptr);
        FSkinImagesMenu->SetOnInternalMenuClose(nullptr);
    }
}

void TbsSkinMenuSpeedButton::Notification(TComponent* AComponent, platform::TOperation AOperation)
{
    TbsSkinSpeedButton::Notification(AComponent, AOperation);
    if (AOperation == platform::opRemove && FSkinPopupMenu && AComponent == FSkinPopupMenu->MenuComponent())
        FSkinPopupMenu = nullptr;
}

void TbsSkinMenuSpeedButton::SetNewStyle(bool Value)
{
    FNewStyle = Value;
    if (Value)
        FSkinDataName = "resizetoolbutton";
    Repaint();
}

void TbsSkinMenuSpeedButton::SetTrackPosition(TbsTrackPosition Value)
{
    FTrackPosition = Value;
    Repaint();
}

void TbsSkinMenuSpeedButton::SetSkinImagesMenu(IbsSkinImagesMenu* Value)
{
    if (FSkinImagesMenu && FSkinImagesMenu != Value) {
        FSkinImagesMenu->SetOnInternalChange(nullptr);
        FSkinImagesMenu->MenuComponent()->RemoveFreeNotification(this);
    }
    FSkinImagesMenu = Value;
    if (Value) {
        Value->MenuComponent()->FreeNotification(this);
        // A new selection redraws the button.
        Value->SetOnInternalChange([this](TObject*) { Repaint(); });
    }
    Repaint();
}

void TbsSkinMenuSpeedButton::SetSkinPopupMenu(IbsSkinPopupMenu* Value)
{
    if (FSkinPopupMenu && FSkinPopupMenu != Value)
        FSkinPopupMenu->MenuComponent()->RemoveFreeNotification(this);
    FSkinPopupMenu = Value;
    if (Value)
        Value->MenuComponent()->FreeNotification(this);
}

void TbsSkinMenuSpeedButton::SetTrackButtonMode(bool Value)
{
    FTrackButtonMode = Value;
    if (FIndex == -1)
        Repaint();
}

void TbsSkinMenuSpeedButton::GetSkinData()
{
    TbsSkinSpeedButton::GetSkinData();
    if (auto* rec = dynamic_cast<TbsDataSkinMenuButtonControl*>(SkinRecord()))
        TrackButtonRect = rec->TrackButtonRect;
}

bool TbsSkinMenuSpeedButton::StandardName() const
{
    return FSkinDataName == "resizebutton" || FSkinDataName == "resizetoolbutton" || FSkinDataName == "toolbutton" ||
           FSkinDataName == "bigtoolbutton";
}

TRect TbsSkinMenuSpeedButton::MappedTrackButtonRect() const
{
    switch (CalcResizeMode()) {
    case 2: return Moved(TrackButtonRect, Width() - SkinWidth(), 0);
    case 3: return Moved(TrackButtonRect, 0, Height() - SkinHeight());
    default: return TrackButtonRect;
    }
}

// ---------------------------------------------------------------- menus

bool TbsSkinMenuSpeedButton::CanMenuTrack(int X, int Y)
{
    if (!FSkinPopupMenu && !FSkinImagesMenu)
        return false;
    if (!FTrackButtonMode)
        return true;
    TRect area = Rect(Width() - ArrowStrip, 0, Width(), Height());
    if (FIndex != -1 && !StandardName())
        area = MappedTrackButtonRect();
    else if (FNewStyle && FTrackPosition == bstpBottom)
        area = Rect(0, Height() - ArrowStrip, Width(), Height());
    return platform::PtInRect(area, Point(X, Y));
}

void TbsSkinMenuSpeedButton::PrepareToOpen()
{
    if (FFlat && !Transparent())
        SetTransparentNoDraw(true);
    if (OnShowTrackMenu)
        OnShowTrackMenu(this);
}

void TbsSkinMenuSpeedButton::TrackMenu()
{
    const TPoint p = ClientToScreen(Point(0, 0));
    const TRect r = platform::Bounds(p.X, p.Y, Width(), Height());
    if (FSkinPopupMenu) {
        PrepareToOpen();
        FSkinPopupMenu->PopupFromRect2(this, r, false);
    }
    if (FSkinImagesMenu) {
        PrepareToOpen();
        FSkinImagesMenu->SetOnInternalMenuClose([this](TObject*) { ImagesMenuClosed(); });
        FSkinImagesMenu->PopupFromRect(r);
    }
}

void TbsSkinMenuSpeedButton::ImagesMenuClosed()
{
    FMenuTracked = false;
    SetDown(false);
    if (OnHideTrackMenu)
        OnHideTrackMenu(this);
    FMouseIn = false;
    Repaint();
}

void TbsSkinMenuSpeedButton::MenuClosed()
{
    FMenuTracked = false;
    SetDown(false);
    FMouseIn = false;
    if (OnHideTrackMenu)
        OnHideTrackMenu(this);
    Repaint();
}

void TbsSkinMenuSpeedButton::Dispatch(TMessage& M)
{
    if (M.Msg == platform::SKN_MENUCLOSED) {
        MenuClosed();
        return;
    }
    TbsSkinSpeedButton::Dispatch(M);
}

// ---------------------------------------------------------------- mouse

void TbsSkinMenuSpeedButton::MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y)
{
    if (AButton == platform::mbLeft) {
        FMenuTracked = CanMenuTrack(X, Y);
        FMouseIn = true;
        if (FMenuTracked) {
            if (!FDown)
                SetDown(true);
            TrackMenu();
            return;
        }
    }
    TbsSkinSpeedButton::MouseDown(AButton, AShift, X, Y);
}

void TbsSkinMenuSpeedButton::MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y)
{
    if (!FMenuTracked)
        TbsSkinSpeedButton::MouseUp(AButton, AShift, X, Y);
}

void TbsSkinMenuSpeedButton::CMMouseEnter(TMessage& M)
{
    if (IsDesigning())
        return;
    if (FMenuTracked)
        FMouseIn = true;
    else
        TbsSkinSpeedButton::CMMouseEnter(M);
}

void TbsSkinMenuSpeedButton::CMMouseLeave(TMessage& M)
{
    if (IsDesigning())
        return;
    if (FMenuTracked)
        FMouseIn = false;
    else
        TbsSkinSpeedButton::CMMouseLeave(M);
}

// ---------------------------------------------------------------- painting

void TbsSkinMenuSpeedButton::DrawMenuMarker(TCanvas* C, const TRect& A, bool AFlat, bool ADown, bool AActive)
{
    const TRect& r = ADown ? MenuMarkerDownRect : AActive ? MenuMarkerActiveRect : AFlat ? MenuMarkerFlatRect
                                                                                         : MenuMarkerRect;
    if (!Picture || r.IsEmpty())
        return;
    TBitmap marker;
    marker.SetSize(r.Width(), r.Height());
    CopyPiece(&marker, Rect(0, 0, r.Width(), r.Height()), Picture, r);
    marker.SetTransparentColor(MenuMarkerTransparentColor);
    marker.SetTransparent(true);
    C->Draw(A.Left + A.Width() / 2 - r.Width() / 2, A.Top + A.Height() / 2 - r.Height() / 2, &marker);
}

void TbsSkinMenuSpeedButton::DrawArrow(TCanvas* C, const TRect& S, bool ADown, bool AMouseIn)
{
    if (FDrawStandardArrow)
        DrawArrowImage(C, S, C->Font()->Color(), FArrowType);
    else if (!MenuMarkerRect.IsEmpty())
        DrawMenuMarker(C, S, false, (ADown && AMouseIn) || FMenuTracked, AMouseIn);
    else
        DrawDownTriangle(C, S, FMenuTracked ? DownFontColor : C->Font()->Color());
}

void TbsSkinMenuSpeedButton::Paint()
{
    if ((FDown && FMouseIn) || FMenuTracked || !Transparent()) {
        TbsSkinSpeedButton::Paint();
        return;
    }
    PaintTransparentIdle();
}

// Transparent and idle: the content and the arrow straight onto the parent.
void TbsSkinMenuSpeedButton::PaintTransparentIdle()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    GetSkinData();
    int w = Width(), h = Height();
    CalcSkinLayout(w, h);
    const bool skinned = FIndex != -1;
    const bool ownArrow = skinned && !StandardName();
    const bool bottom = FNewStyle && FTrackPosition == bstpBottom;
    TRect c = ownArrow ? NewClRect
                       : (bottom ? Rect(0, 0, Width(), Height() - ArrowStrip) : Rect(0, 0, Width() - ArrowStrip, Height()));
    TCanvas* cv = Canvas();
    AssignCaptionFont(cv->Font(), DefaultFont(), FSD, skinned && UseSkinFont, *this);
    if (skinned) {
        const TbsSkinColors& colors = FSD->SkinColors();
        cv->Font()->SetColor(!Enabled() ? colors.cBtnShadow() : UseSkinFontColor ? colors.cBtnText() : DefaultFont()->Color());
    } else if (!Enabled()) {
        cv->Font()->SetColor(platform::clBtnShadow);
    }
    DrawTransparentContent(cv, c);
    TRect a = ownArrow ? Rect(c.Right, c.Top, Width(), c.Bottom)
                       : (bottom ? Rect(c.Left, Height() - ArrowStrip, c.Right, Height())
                                 : Rect(Width() - ArrowStrip, c.Top, Width(), c.Bottom));
    if (!skinned) {
        DrawDownTriangle(cv, a, platform::clBtnText);
        return;
    }
    if (ResizeMode != 1)
        a.Left -= 2;
    if (!MenuMarkerFlatRect.IsEmpty())
        DrawMenuMarker(cv, a, true, false, false);
    else
        DrawDownTriangle(cv, a, FSD->SkinColors().cBtnText());
}

void TbsSkinMenuSpeedButton::CreateButtonImage(TBitmap* B, TRect R, bool ADown, bool AMouseIn)
{
    const std::string& name = FSkinDataName;
    if (FNewStyle && name == "resizetoolbutton") {
        CreateNewStyleImage(B, ADown, AMouseIn);
    } else if (name == "toolbutton" || name == "bigtoolbutton") {
        CreateStripImage(B, ADown, AMouseIn, false);
    } else if (name != "resizebutton" && name != "resizetoolbutton") {
        // A dedicated record whose pictures include the arrow part.
        if (FMenuTracked && FTrackButtonMode && !TrackButtonRect.IsEmpty() && !DownSkinRect.IsEmpty()) {
            TbsSkinSpeedButton::CreateButtonImage(B, ActiveSkinRect, false, true);
            if (Picture)
                CopyPiece(B, MappedTrackButtonRect(), Picture,
                          Moved(TrackButtonRect, DownSkinRect.Left, DownSkinRect.Top));
        } else {
            TbsSkinSpeedButton::CreateButtonImage(B, R, ADown, AMouseIn);
        }
    } else {
        CreateStripImage(B, ADown, AMouseIn, true);
    }
}

void CreateRecordImage(TBitmap* B, TbsSkinData& AData, const TbsDataSkinCustomControl& ARec, const TRect& APiece,
                       int W, int H)
{
    TbsPicture* pic = ActivePicture(AData, ARec.PictureIndex);
    if (!pic || W <= 0 || H <= 0)
        return;
    const int dw = W - ARec.SkinRect.Width(), dh = H - ARec.SkinRect.Height();
    const TRect& cl = ARec.ClRect;
    CreateSkinImage(ARec.LTPoint, ARec.RTPoint, ARec.LBPoint, ARec.RBPoint, cl, ARec.LTPoint,
                    Point(ARec.RTPoint.X + dw, ARec.RTPoint.Y), Point(ARec.LBPoint.X, ARec.LBPoint.Y + dh),
                    Point(ARec.RBPoint.X + dw, ARec.RBPoint.Y + dh), Rect(cl.Left, cl.Top, cl.Right + dw, cl.Bottom + dh),
                    B, pic, APiece, W, H, true, ARec.LeftStretch, ARec.TopStretch, ARec.RightStretch,
                    ARec.BottomStretch, ARec.StretchEffect, ARec.StretchType);
}

// The picture APiece of ARec fitted into AAt of ADst: nine-slice, or
// stretched with its corners at the client rectangle.
void TbsSkinMenuSpeedButton::ComposePart(TBitmap* ADst, const TRect& AAt, TbsDataSkinButtonControl* ARec,
                                         const TRect& APiece, bool ANineSlice)
{
    TbsPicture* pic = ActivePicture(*FSD, ARec->PictureIndex);
    const int w = AAt.Width(), h = AAt.Height();
    if (!pic || w <= 0 || h <= 0)
        return;
    TBitmap part;
    part.SetSize(w, h);
    if (ANineSlice)
        CreateRecordImage(&part, *FSD, *ARec, APiece, w, h);
    else
        CreateStretchSkinImage(&part, pic, APiece, ARec->ClRect, true);
    ADst->Canvas()->Draw(AAt.Left, AAt.Top, &part);
}

void TbsSkinMenuSpeedButton::CreateStripImage(TBitmap* B, bool ADown, bool AMouseIn, bool ANineSlice)
{
    auto* rec = dynamic_cast<TbsDataSkinButtonControl*>(SkinRecord());
    const TRect n = SkinRect, a = ActiveSkinRect.IsEmpty() ? n : ActiveSkinRect;
    const TRect d = DownSkinRect.IsEmpty() ? a : DownSkinRect;
    const int w = Width(), h = Height();
    bool pressed = false;
    if (rec) {
        const TRect whole = Rect(0, 0, w, h), body = Rect(0, 0, w - ArrowStrip, h), arrow = Rect(w - ArrowStrip, 0, w, h);
        auto compose = [&](const TRect& ABody, const TRect& AArrow) {
            if (FTrackButtonMode) {
                ComposePart(B, body, rec, ABody, ANineSlice);
                ComposePart(B, arrow, rec, AArrow, ANineSlice);
            } else {
                ComposePart(B, whole, rec, ABody, ANineSlice);
            }
        };
        if (FTrackButtonMode && FMenuTracked) {
            compose(a, d);
        } else if (ADown && AMouseIn) {
            compose(d, d);
            pressed = true;
        } else if (AMouseIn) {
            compose(a, a);
        } else if (!FFlat) {
            compose(n, n);
        }
    }
    TCanvas* c = B->Canvas();
    PrepareSkinFont(c, pressed, AMouseIn);
    c->Brush()->SetStyle(platform::bsClear);
    DrawContent(c, Rect(NewClRect.Left, NewClRect.Top, NewClRect.Right - ArrowStrip, NewClRect.Bottom), pressed,
                AMouseIn, false);
    DrawArrow(c, Rect(w - ArrowStrip, 0, w, h), ADown, AMouseIn);
}

void TbsSkinMenuSpeedButton::CreateNewStyleImage(TBitmap* B, bool ADown, bool AMouseIn)
{
    TbsDataSkinButtonControl* k = ButtonRecord(FSD, "resizetoolbutton");
    if (!k)
        k = ButtonRecord(FSD, "resizebutton");
    if (!k)
        return;
    const int w = Width(), h = Height();
    const bool bottom = FTrackPosition == bstpBottom;
    const bool split = AMouseIn && FTrackButtonMode;
    TRect m = Rect(0, 0, w, h);
    const TRect t = bottom ? Rect(0, h - ArrowStrip, w, h) : Rect(w - ArrowStrip, 0, w, h);
    if (split)
        m = bottom ? Rect(0, 0, w, h - ArrowStrip) : Rect(0, 0, w - ArrowStrip, h);
    TbsDataSkinButtonControl* arrowRec = nullptr;
    if (split) {
        arrowRec = ButtonRecord(FSD, bottom ? "htracktoolbutton" : "vtracktoolbutton");
        if (arrowRec)
            m = Rect(0, 0, w, h);   // the body lies under the whole button
        else
            arrowRec = k;
    }
    const bool pressed = ADown && AMouseIn && !(FTrackButtonMode && FMenuTracked);
    ComposePart(B, m, k, StatePiece(*k, pressed, AMouseIn), true);
    if (split)
        ComposePart(B, t, arrowRec, StatePiece(*arrowRec, FMenuTracked, true), true);
    TCanvas* c = B->Canvas();
    PrepareSkinFont(c, pressed, AMouseIn);
    c->Brush()->SetStyle(platform::bsClear);
    DrawContent(c, bottom ? Rect(0, 0, w, h - ArrowStrip) : Rect(0, 0, w - ArrowStrip, h), pressed, AMouseIn, false);
    DrawArrow(c, t, ADown, AMouseIn);
}

void TbsSkinMenuSpeedButton::DrawDefaultPart(TCanvas* C, const TRect& R, bool APressed, bool AHot)
{
    if (APressed || AHot) {
        DrawBuiltInState(C, R, APressed, AHot);
        return;
    }
    TRect f = R;
    if (!FFlat)
        platform::Frame3D(C, f, DarkerColor(platform::clBtnFace, 15), DarkerColor(platform::clBtnFace, 15), 1);
    C->Brush()->SetStyle(platform::bsSolid);
    C->Brush()->SetColor(platform::clBtnFace);
    C->FillRect(f);
}

void TbsSkinMenuSpeedButton::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const int w = Width(), h = Height();
    const bool downIn = FDown && FMouseIn;
    const bool bottom = FNewStyle && FTrackPosition == bstpBottom;
    const bool split = FTrackButtonMode && (!FNewStyle || FMouseIn);
    const TRect body = bottom ? Rect(0, 0, w, h - ArrowStrip) : Rect(0, 0, w - ArrowStrip, h);
    const TRect arrow = bottom ? Rect(0, h - ArrowStrip, w, h) : Rect(w - ArrowStrip, 0, w, h);
    if (split) {
        const bool trackedLook = FMenuTracked;
        const bool bodyPressed = !trackedLook && downIn;
        const bool arrowPressed = trackedLook || (downIn && !FNewStyle);
        const bool hot = FMouseIn || trackedLook;
        DrawDefaultPart(c, body, bodyPressed, hot);
        DrawDefaultPart(c, arrow, arrowPressed, hot);
    } else {
        DrawDefaultPart(c, Rect(0, 0, w, h), downIn, FMouseIn);
    }
    AssignCaptionFont(c->Font(), DefaultFont(), FSD, false, *this);
    if (!Enabled())
        c->Font()->SetColor(platform::clBtnShadow);
    bool drawDefault = true;
    if (OnPaint)
        OnPaint(this, c, body, FDown, FMouseIn, drawDefault);
    if (drawDefault) {
        c->Brush()->SetStyle(platform::bsClear);
        DrawContent(c, FNewStyle ? body : Rect(0, 0, w - ArrowStrip, h), FDown, FMouseIn, false);
    }
    const bool shifted = FNewStyle ? downIn && (!FTrackButtonMode || FMenuTracked) : downIn || FMenuTracked;
    const TRect a = FNewStyle ? arrow : Rect(w - ArrowStrip, 0, w, h);
    DrawDownTriangle(c, shifted ? Moved(a, 2, 2) : a, platform::clBtnText);
}

} // namespace skin
