#include "skin/controls/bsSkinCtrls_Base.h"

#include "skin/core/bsUtils_Regions.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/ui/MessageLoop.h"

#include <cctype>
#include <vector>

namespace skin {

using platform::TCustomControl;
using platform::TGraphicControl;

// ---------------------------------------------------------------- the skin link

template <class TBase>
TbsSkinLink<TBase>::TbsSkinLink(TComponent* AOwner) : TBase(AOwner)
{
}

template <class TBase>
void TbsSkinLink<TBase>::SetHintImageList(TCustomImageList* AValue)
{
    if (FHintImageList)
        FHintImageList->RemoveFreeNotification(this);
    FHintImageList = AValue;
    if (FHintImageList)
        FHintImageList->FreeNotification(this);
}

template <class TBase>
void TbsSkinLink<TBase>::SetSkinData(TbsSkinData* Value)
{
    if (FSD && FSD != Value)
        FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (FSD)
        FSD->FreeNotification(this);
    if (Value && !Value->Empty() && !this->IsDesigning())
        ChangeSkinData();
}

template <class TBase>
void TbsSkinLink<TBase>::GetSkinData()
{
    FIndex = (!FSD || FSD->Empty()) ? -1 : FSD->GetControlIndex(FSkinDataName);
}

template <class TBase>
void TbsSkinLink<TBase>::ChangeSkinData()
{
    GetSkinData();
    this->Repaint();
}

template <class TBase>
TbsDataSkinControl* TbsSkinLink<TBase>::SkinRecord() const
{
    if (!FSD || FIndex < 0 || size_t(FIndex) >= FSD->CtrlList.size())
        return nullptr;
    return FSD->CtrlList[size_t(FIndex)].get();
}

template <class TBase>
void TbsSkinLink<TBase>::Paint()
{
    if (this->Width() <= 0 || this->Height() <= 0)
        return;
    GetSkinData();
    TBitmap b;
    b.SetSize(this->Width(), this->Height());
    if (FIndex == -1)
        CreateControlDefaultImage(&b);
    else
        CreateControlSkinImage(&b);
    this->Canvas()->Draw(0, 0, &b);
}

template <class TBase>
void TbsSkinLink<TBase>::Notification(TComponent* AComponent, platform::TOperation AOperation)
{
    TBase::Notification(AComponent, AOperation);
    if (AOperation != platform::opRemove)
        return;
    if (AComponent == FSD)
        FSD = nullptr;
    if (AComponent == FHintImageList)
        FHintImageList = nullptr;
}

template class TbsSkinLink<TCustomControl>;
template class TbsSkinLink<TGraphicControl>;

// ---------------------------------------------------------------- geometry

TbsDataSkinButtonControl* CreateResizedButtonImage(TbsSkinData* AData, const std::string& ARecord, TBitmap* B, int W,
                                                   int H, bool AHot, bool APressed, TRect* ACl)
{
    const int index = AData ? AData->GetControlIndex(ARecord) : -1;
    auto* rec = index == -1 ? nullptr : dynamic_cast<TbsDataSkinButtonControl*>(AData->CtrlList[size_t(index)].get());
    TBitmap* picture = rec ? ActivePicture(*AData, rec->PictureIndex) : nullptr;
    if (!picture)
        return nullptr;
    auto orNormal = [&](const TRect& AR) { return IsNullRect(AR) ? rec->SkinRect : AR; };
    const TRect src = APressed ? orNormal(IsNullRect(rec->DownSkinRect) ? rec->ActiveSkinRect : rec->DownSkinRect)
                      : AHot   ? orNormal(rec->ActiveSkinRect)
                               : rec->SkinRect;
    const int dx = W - RectWidth(rec->SkinRect), dy = H - RectHeight(rec->SkinRect);
    const TRect cl = Rect(rec->ClRect.Left, rec->ClRect.Top, rec->ClRect.Right + dx, rec->ClRect.Bottom + dy);
    if (ACl)
        *ACl = cl;
    CreateSkinImage(rec->LTPoint, rec->RTPoint, rec->LBPoint, rec->RBPoint, rec->ClRect, rec->LTPoint,
                    Point(rec->RTPoint.X + dx, rec->RTPoint.Y), Point(rec->LBPoint.X, rec->LBPoint.Y + dy),
                    Point(rec->RBPoint.X + dx, rec->RBPoint.Y + dy), cl, B, picture, src, W, H, true, rec->LeftStretch,
                    rec->TopStretch, rec->RightStretch, rec->BottomStretch, rec->StretchEffect, rec->StretchType);
    return rec;
}

int TbsSkinLayout::CalcResizeMode() const
{
    if (SkinRect.Width() <= 0 || SkinRect.Height() <= 0)
        return -1;
    if (RBPt.X != 0 && RBPt.Y != 0)
        return 1;
    if (RTPt.X != 0 || RTPt.Y != 0)
        return 2;
    if (LBPt.X != 0 || LBPt.Y != 0)
        return 3;
    return 0;
}

void TbsSkinLayout::ReadLayout(TbsSkinData& AData, TbsDataSkinControl& ARecord)
{
    auto* rec = dynamic_cast<TbsDataSkinCustomControl*>(&ARecord);
    if (!rec) {
        ResizeMode = 0;
        Picture = nullptr;
        return;
    }
    LTPt = rec->LTPoint;
    RTPt = rec->RTPoint;
    LBPt = rec->LBPoint;
    RBPt = rec->RBPoint;
    SkinRect = rec->SkinRect;
    ClRect = rec->ClRect;
    StretchEffect = rec->StretchEffect;
    StretchType = rec->StretchType;
    LeftStretch = rec->LeftStretch;
    TopStretch = rec->TopStretch;
    RightStretch = rec->RightStretch;
    BottomStretch = rec->BottomStretch;
    Picture = ActivePicture(AData, rec->PictureIndex);
    ResizeMode = CalcResizeMode();
}

void TbsSkinLayout::FitLayout(int& W, int& H, bool ASkinned)
{
    if (ResizeMode == -1 || (ResizeMode == 0 && !ASkinned))
        return;
    const int dW = W - SkinWidth();
    const int dH = H - SkinHeight();
    switch (ResizeMode) {
    case 0:
        W = SkinWidth();
        H = SkinHeight();
        NewClRect = ClRect;
        break;
    case 1:
        NewLTPoint = LTPt;
        NewRTPoint = Point(RTPt.X + dW, RTPt.Y);
        NewLBPoint = Point(LBPt.X, LBPt.Y + dH);
        NewRBPoint = Point(RBPt.X + dW, RBPt.Y + dH);
        NewClRect = Rect(ClRect.Left, ClRect.Top, ClRect.Right + dW, ClRect.Bottom + dH);
        break;
    case 2:
        H = SkinHeight();
        NewLTPoint = LTPt;
        NewRTPoint = Point(RTPt.X + dW, RTPt.Y);
        NewClRect = Rect(ClRect.Left, ClRect.Top, ClRect.Right + dW, ClRect.Bottom);
        break;
    case 3:
        W = SkinWidth();
        NewLTPoint = LTPt;
        NewLBPoint = Point(LBPt.X, LBPt.Y + dH);
        NewClRect = Rect(ClRect.Left, ClRect.Top, ClRect.Right, ClRect.Bottom + dH);
        break;
    default:
        break;
    }
}

namespace {

TRect Moved(TRect R, int DX, int DY) { return Rect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY); }
bool PtInHalfOpen(const TRect& Z, TPoint P) { return P.X >= Z.Left && P.X < Z.Right && P.Y >= Z.Top && P.Y < Z.Bottom; }
bool PtInClosed(const TRect& Z, TPoint P) { return P.X >= Z.Left && P.X <= Z.Right && P.Y >= Z.Top && P.Y <= Z.Bottom; }

} // namespace

// A rectangle of the nine-slice picture follows the corner zone it lies in;
// one spanning two zones stretches with the part between them.
TRect TbsSkinLayout::MapRect(const TRect& R, int W, int H) const
{
    const int sw = SkinWidth(), sh = SkinHeight();
    const int dW = W - sw, dH = H - sh;
    const TPoint tl = R.TopLeft(), br = R.BottomRight();
    TRect r = R;
    if (ResizeMode == 1) {
        const TRect lt = Rect(0, 0, LTPt.X, LTPt.Y);
        const TRect rt = Rect(RTPt.X, 0, sw, RTPt.Y);
        const TRect lb = Rect(0, LBPt.Y, LBPt.X, sh);
        const TRect rb = Rect(RBPt.X, RBPt.Y, sw, sh);
        auto in = [&](const TRect& Z) { return PtInHalfOpen(Z, tl) && PtInHalfOpen(Z, br); };
        if (in(lt))
            return r;
        if (in(rt))
            return Moved(r, dW, 0);
        if (in(lb))
            return Moved(r, 0, dH);
        if (in(rb))
            return Moved(r, dW, dH);
        if (PtInClosed(lt, tl) && PtInClosed(rb, br)) {
            r.Right += dW;
            r.Bottom += dH;
        } else if (PtInClosed(lt, tl) && PtInClosed(rt, br)) {
            r.Right += dW;
        } else if (PtInClosed(lb, tl) && PtInClosed(rb, br)) {
            r.Right += dW;
            r = Moved(r, 0, dH);
        } else if (PtInClosed(lt, tl) && PtInClosed(lb, br)) {
            r.Bottom += dH;
        } else if (PtInClosed(rt, tl) && PtInClosed(rb, br)) {
            r = Moved(r, dW, 0);
            r.Bottom += dH;
        }
        return r;
    }
    if (ResizeMode == 2) {
        if (R.Left <= LTPt.X && R.Right >= RTPt.X)
            r.Right += dW;
        else if (RTPt.X <= R.Left && RTPt.X < R.Right)
            r = Moved(r, dW, 0);
        return r;
    }
    if (ResizeMode == 3) {
        if (R.Top <= LTPt.Y && R.Bottom >= LBPt.Y)
            r.Bottom += dH;
        else if (R.Top >= LBPt.Y && R.Bottom > LBPt.Y)
            r = Moved(r, 0, dH);
        return r;
    }
    return r;
}

void TbsSkinLayout::DrawPicture(TBitmap* B, TBitmap* SB, const TRect& R, int W, int H, bool ADrawNineSlice) const
{
    if (!SB) {
        if (ResizeMode == 0)
            B->SetSize(R.Width(), R.Height());
        return;
    }
    switch (ResizeMode) {
    case 0:
        B->SetSize(R.Width(), R.Height());
        CopyPiece(B, Rect(0, 0, R.Width(), R.Height()), SB, R);
        break;
    case 1:
        if (ADrawNineSlice)
            CreateSkinImage(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect,
                            B, SB, R, W, H, true, LeftStretch, TopStretch, RightStretch, BottomStretch,
                            StretchEffect, StretchType);
        break;
    case 2:
        CreateHSkinImage(LTPt.X, SkinWidth() - RTPt.X, B, SB, R, W, H, StretchEffect);
        break;
    case 3:
        CreateVSkinImage(LTPt.Y, SkinHeight() - LBPt.Y, B, SB, R, W, H, StretchEffect);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- shared steps

namespace {

// The first steps of a skinned control's SetBounds: whether a skinned
// control changes its size, and the size its skin lets it take.
template <class TCtl>
bool FitRequestedBounds(TCtl* C, int& AWidth, int& AHeight)
{
    C->GetSkinData();
    const bool sized = (AWidth != C->Width() || AHeight != C->Height()) && C->FIndex != -1;
    if (sized) {
        C->CalcSkinLayout(AWidth, AHeight);
        if (C->ResizeMode == 0)
            C->NewClRect = C->ClRect;
    }
    return sized;
}

// The size steps of a skin change: the default size without a record, the
// skin's size with one. Answers whether the control changed its size (then
// SetBounds has already laid it out and repainted it).
template <class TCtl>
bool ApplySkinSize(TCtl* C, int ADefaultWidth, int ADefaultHeight)
{
    C->GetSkinData();
    int w = C->Width(), h = C->Height();
    if (C->FIndex == -1) {
        if (ADefaultWidth > 0)
            C->SetWidth(ADefaultWidth);
        if (ADefaultHeight > 0)
            C->SetHeight(ADefaultHeight);
        return false;
    }
    C->CalcSkinLayout(w, h);
    const bool resized = w != C->Width() || h != C->Height();
    if (w != C->Width())
        C->SetWidth(w);
    if (h != C->Height())
        C->SetHeight(h);
    return resized;
}

// Stores a default width or height; an unskinned control takes it at once.
template <class TCtl>
void ApplyDefaultSize(TCtl* C, int& AField, int AValue, bool AWidth)
{
    AField = AValue;
    if (C->FIndex != -1 || AValue <= 0)
        return;
    if (AWidth)
        C->SetWidth(AValue);
    else
        C->SetHeight(AValue);
}

void FillButtonFace(TBitmap* B, int W, int H)
{
    TCanvas* c = B->Canvas();
    c->Brush()->SetColor(platform::clBtnFace);
    c->Brush()->SetStyle(platform::bsSolid);
    c->FillRect(Rect(0, 0, W, H));
}

void InitDefaultFont(TFont& AFont, std::function<void(TObject*)> AOnChange)
{
    AFont.SetName("Tahoma");
    AFont.SetStyle({});
    AFont.SetHeight(13);
    AFont.OnChange = std::move(AOnChange);
}

} // namespace

// ---------------------------------------------------------------- windowed

TbsSkinControl::TbsSkinControl(TComponent* AOwner) : TbsSkinLink<TCustomControl>(AOwner) {}

void TbsSkinControl::Dispatch(TMessage& M)
{
    if (M.Msg == platform::SKN_PARENTBGCHANGED) {
        CheckParentBackground();
        return;
    }
    TbsSkinLink<TCustomControl>::Dispatch(M);
}

void TbsSkinControl::WMPaint(TMessage& M)
{
    struct TFlag {
        bool& F;
        explicit TFlag(bool& AF) : F(AF) { F = true; }
        ~TFlag() { F = false; }
    } flag(FromWMPaint);
    TbsSkinLink<TCustomControl>::WMPaint(M);
}

TbsSkinCustomControl::TbsSkinCustomControl(TComponent* AOwner) : TbsSkinControl(AOwner)
{
    InitDefaultFont(FDefaultFont, [this](TObject* S) { DefaultFontChange(S); });
}

// The window owns the region it was given and frees it with itself, so
// there is nothing to delete here.
TbsSkinCustomControl::~TbsSkinCustomControl() = default;

void TbsSkinCustomControl::SetDefaultWidth(int Value) { ApplyDefaultSize(this, FDefaultWidth, Value, true); }

void TbsSkinCustomControl::SetDefaultHeight(int Value) { ApplyDefaultSize(this, FDefaultHeight, Value, false); }

void TbsSkinCustomControl::SetDefaultFont(TFont* Value)
{
    FDefaultFont.Assign(Value);
    DefaultFontChanged();
}

void TbsSkinCustomControl::DefaultFontChange(TObject*)
{
    DefaultFontChanged();
    if (FIndex == -1)
        Repaint();
}

void TbsSkinCustomControl::GetSkinData()
{
    TbsSkinControl::GetSkinData();
    if (FIndex == -1)
        return;
    TbsDataSkinControl* rec = SkinRecord();
    ReadLayout(*FSD, *rec);
    auto* custom = dynamic_cast<TbsDataSkinCustomControl*>(rec);
    MaskPicture = custom ? ActivePicture(*FSD, custom->MaskPictureIndex) : nullptr;
}

void TbsSkinCustomControl::CalcSkinLayout(int& W, int& H) { FitLayout(W, H, FIndex != -1); }

void TbsSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const bool sized = FitRequestedBounds(this, AWidth, AHeight);
    CentreOnToolBar(Parent(), AHeight, ATop);
    TbsSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (sized) {
        UpdateSkinRegion();
        Repaint();
    }
    if (FIndex != -1 && StretchEffect)
        SendCheckParentBG();
}

void TbsSkinCustomControl::ChangeSkinData()
{
    if (!ApplySkinSize(this, FDefaultWidth, FDefaultHeight)) {
        UpdateSkinRegion();
        Repaint();
    }
}

void TbsSkinCustomControl::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    int w = Width(), h = Height();
    CalcSkinLayout(w, h);
    if (FIndex == -1 || !FForceBackground || ResizeMode != 1) {
        TbsSkinControl::Paint();
        return;
    }
    PaintStrips();
}

void TbsSkinCustomControl::PaintStrips()
{
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect,
                           &left, &top, &right, &bottom, Picture, SkinRect, Width(), Height(), LeftStretch,
                           TopStretch, RightStretch, BottomStretch);
    CreateControlSkinImage(&top);
    if (FDrawbackground)
        PaintStripClient();
    TCanvas* c = Canvas();
    c->Draw(0, 0, &top);
    c->Draw(0, top.Height(), &left);
    c->Draw(Width() - right.Width(), top.Height(), &right);
    c->Draw(0, Height() - bottom.Height(), &bottom);
}

// The client part of the strip path, tiled or stretched from the record's
// client rectangle and clipped to the present one.
void TbsSkinCustomControl::PaintStripClient()
{
    const int cw = ClRect.Width(), ch = ClRect.Height();
    if (!Picture || cw <= 0 || ch <= 0)
        return;   // nothing to tile with
    TBitmap piece;
    piece.SetSize(cw, ch);
    CopyPiece(&piece, Rect(0, 0, cw, ch), Picture,
              Rect(SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top, SkinRect.Left + ClRect.Right,
                   SkinRect.Top + ClRect.Bottom));
    TCanvas* c = Canvas();
    const TRect& n = NewClRect;
    platform::HDC dc = c->Handle();
    const int saved = platform::SaveDC(dc);
    platform::IntersectClipRect(dc, n.Left, n.Top, n.Right, n.Bottom);
    if (StretchEffect) {
        if (n.Width() > 0 && n.Height() > 0) {
            if (StretchType == bsstFull) {
                c->StretchDraw(n, &piece);
            } else {
                const bool horz = StretchType == bsstHorz;
                TBitmap t;
                t.SetSize(horz ? cw : n.Width(), horz ? n.Height() : ch);
                t.Canvas()->StretchDraw(Rect(0, 0, t.Width(), t.Height()), &piece);
                const int count = horz ? n.Width() / t.Width() : n.Height() / t.Height();
                for (int k = 0; k <= count; ++k)
                    c->Draw(horz ? n.Left + k * t.Width() : n.Left, horz ? n.Top : n.Top + k * t.Height(), &t);
            }
        }
    } else {
        for (int i = 0; i <= n.Width() / cw; ++i)
            for (int j = 0; j <= n.Height() / ch; ++j)
                c->Draw(n.Left + i * cw, n.Top + j * ch, &piece);
    }
    platform::RestoreDC(dc, saved);
}

void TbsSkinCustomControl::CreateControlDefaultImage(TBitmap* B) { FillButtonFace(B, Width(), Height()); }

void TbsSkinCustomControl::CreateControlSkinImage(TBitmap* B) { DrawSkinPicture(B, Picture, SkinRect); }

void TbsSkinCustomControl::DrawSkinPicture(TBitmap* B, TBitmap* SB, const TRect& R)
{
    DrawPicture(B, SB, R, Width(), Height(), !FForceBackground);
}

void TbsSkinCustomControl::UpdateSkinRegion()
{
    if (!Parent())
        return;
    if (!MaskPicture || FIndex == -1) {
        if (FRgn) {
            // The window frees the region it owned.
            platform::SetWindowRgn(Handle(), nullptr, true);
            FRgn = nullptr;
        }
        return;
    }
    CreateSkinRegion();
}

// The window owns the region it is given and frees the one it had, so the
// old region is never deleted here.
void TbsSkinCustomControl::CreateSkinRegion()
{
    int w = Width(), h = Height();
    CalcSkinLayout(w, h);
    platform::HRGN rgn = nullptr;
    switch (ResizeMode) {
    case 0:
        MaskToRegion(rgn, MaskPicture);
        break;
    case 1:
        skin::CreateSkinRegion(rgn, LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint,
                               NewClRect, MaskPicture, Width(), Height());
        break;
    case 2: {
        // The lower corners are the upper ones.
        const TPoint p = Point(RTPt.X + Width() - SkinWidth(), RTPt.Y);
        skin::CreateSkinRegion(rgn, LTPt, RTPt, LTPt, RTPt, ClRect, LTPt, p, LTPt, p, NewClRect, MaskPicture, Width(),
                               Height());
        break;
    }
    case 3: {
        // The right corners are the left ones.
        const TPoint q = Point(LBPt.X, LBPt.Y + Height() - SkinHeight());
        skin::CreateSkinRegion(rgn, LTPt, LTPt, LBPt, LBPt, ClRect, LTPt, LTPt, q, q, NewClRect, MaskPicture, Width(),
                               Height());
        break;
    }
    default:
        return;
    }
    FRgn = rgn;
    platform::SetWindowRgn(Handle(), FRgn, true);
}

void TbsSkinCustomControl::SendCheckParentBG()
{
    const std::vector<TControl*> children(FControls);
    for (TControl* c : children) {
        if (auto* w = dynamic_cast<TWinControl*>(c))
            platform::SendMessage(w->Handle(), platform::SKN_PARENTBGCHANGED, 0, 0);
        else
            c->Perform(platform::SKN_PARENTBGCHANGED, 0, 0);
    }
}

// ---------------------------------------------------------------- windowless

TbsGraphicSkinControl::TbsGraphicSkinControl(TComponent* AOwner) : TbsSkinLink<TGraphicControl>(AOwner)
{
    // The control covers its whole rectangle: the parent does not paint under it.
    ControlStyle |= platform::csOpaque;
}

TbsGraphicSkinCustomControl::TbsGraphicSkinCustomControl(TComponent* AOwner) : TbsGraphicSkinControl(AOwner)
{
    InitDefaultFont(FDefaultFont, [this](TObject*) {
        DefaultFontChanged();
        if (FIndex == -1)
            Repaint();
    });
}

void TbsGraphicSkinCustomControl::SetDefaultWidth(int Value) { ApplyDefaultSize(this, FDefaultWidth, Value, true); }

void TbsGraphicSkinCustomControl::SetDefaultHeight(int Value) { ApplyDefaultSize(this, FDefaultHeight, Value, false); }

void TbsGraphicSkinCustomControl::SetDefaultFont(TFont* Value)
{
    FDefaultFont.Assign(Value);
    DefaultFontChanged();
}

void TbsGraphicSkinCustomControl::GetSkinData()
{
    TbsGraphicSkinControl::GetSkinData();
    if (FIndex != -1)
        ReadLayout(*FSD, *SkinRecord());
}

void TbsGraphicSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const bool sized = FitRequestedBounds(this, AWidth, AHeight);
    CentreOnToolBar(Parent(), AHeight, ATop);
    TbsGraphicSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (sized)
        Repaint();
}

void TbsGraphicSkinCustomControl::ChangeSkinData()
{
    if (!ApplySkinSize(this, FDefaultWidth, FDefaultHeight))
        Repaint();
}

void TbsGraphicSkinCustomControl::CreateControlDefaultImage(TBitmap* B) { FillButtonFace(B, Width(), Height()); }

void TbsGraphicSkinCustomControl::CreateControlSkinImage(TBitmap* B) { DrawSkinPicture(B, Picture, SkinRect); }

// ---------------------------------------------------------------- skin changes

namespace {

template <class TVisit>
void WalkControls(TWinControl* AParent, const TVisit& AVisit)
{
    std::vector<TControl*> children;
    for (int i = 0; i < AParent->ControlCount(); ++i)
        children.push_back(AParent->Controls(i));
    for (TControl* c : children) {
        AVisit(c);
        if (auto* w = dynamic_cast<TWinControl*>(c))
            WalkControls(w, AVisit);
    }
}

} // namespace

void BeforeChangeSkinDataOfControls(TWinControl* AForm, TbsSkinData* ASender)
{
    WalkControls(AForm, [ASender](TControl* C) {
        if (auto* s = dynamic_cast<TbsSkinControl*>(C); s && (!ASender || s->SkinData() == ASender))
            s->BeforeChangeSkinData();
    });
}

void ChangeSkinDataOfControls(TWinControl* AForm, TbsSkinData* ASender)
{
    WalkControls(AForm, [ASender](TControl* C) {
        if (auto* s = dynamic_cast<IbsSkinnedControl*>(C); s && (!ASender || s->SkinData() == ASender))
            s->ChangeSkinData();
    });
}

bool RunAccel(TWinControl* AControl, TMessage& M, bool ACanFocused, const std::function<void()>& AAction)
{
    if (!ACanFocused || !platform::IsAccel(uint16_t(std::toupper(int(M.WParam & 0xFF))), AControl->Caption()) ||
        !AControl->CanFocus())
        return false;
    AControl->SetFocus();
    AAction();
    M.Result = 1;
    return true;
}

void AssignCaptionFont(TFont* AFont, TFont* ADefault, TbsSkinData* AData, bool AFromRecord,
                       const TbsSkinFontFields& ARecordFont)
{
    if (AFromRecord) {
        AFont->SetName(ARecordFont.FontName);
        AFont->SetHeight(ARecordFont.FontHeight);
        AFont->SetStyle(ARecordFont.FontStyle);
    } else {
        AFont->Assign(ADefault);
    }
    if (AData && AData->ResourceStrData())
        AFont->SetCharset(AData->ResourceStrData()->CharSet);
    else
        AFont->SetCharset(ADefault->Charset());
}

} // namespace skin
