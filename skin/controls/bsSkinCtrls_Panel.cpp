#include "skin/controls/bsSkinCtrls_Panel.h"

#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include <vector>

namespace skin {

namespace {

TRect Offset(TRect R, int DX, int DY) { return Rect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY); }

// The piece R of the picture SB in a bitmap of its own.
void CutPiece(TBitmap& APiece, TBitmap* SB, const TRect& R)
{
    APiece.SetSize(R.Width(), R.Height());
    CopyPiece(&APiece, Rect(0, 0, R.Width(), R.Height()), SB, R);
}

} // namespace

// ---------------------------------------------------------------- construction

TbsSkinPanel::TbsSkinPanel(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    ControlStyle = platform::csAcceptsControls | platform::csCaptureMouse | platform::csClickEvents |
                   platform::csSetCaption | platform::csOpaque | platform::csDoubleClicks |
                   platform::csReplicatable;
    FForceBackground = true;
    SetBounds(Left(), Top(), 150, 150);
    FSkinDataName = "panel";
}

TbsSkinPanel::~TbsSkinPanel() = default;

void TbsSkinPanel::CreateParams(platform::TCreateParams& P)
{
    TbsSkinCustomControl::CreateParams(P);
    // A resize repaints only what becomes visible.
    P.WindowClass.Style &= ~(platform::CS_HREDRAW | platform::CS_VREDRAW);
    P.WinClassName = "TbsSkinPanel";
}

void TbsSkinPanel::Notification(TComponent* AComponent, platform::TOperation AOperation)
{
    TbsSkinCustomControl::Notification(AComponent, AOperation);
    if (AOperation == platform::opRemove && AComponent == FCaptionImageList)
        FCaptionImageList = nullptr;
}

// ---------------------------------------------------------------- setters

void TbsSkinPanel::SetRibbonStyle(bool Value)
{
    if (FRibbonStyle == Value)
        return;
    FRibbonStyle = Value;
    Repaint();
}

void TbsSkinPanel::SetImagePosition(TbsImagePosition Value)
{
    if (FImagePosition == Value)
        return;
    FImagePosition = Value;
    Repaint();
}

void TbsSkinPanel::SetCaptionImageIndex(int Value)
{
    if (FCaptionImageIndex == Value)
        return;
    FCaptionImageIndex = Value;
    Repaint();
}

void TbsSkinPanel::SetCaptionImageList(TCustomImageList* Value)
{
    ChangeReference(this, FCaptionImageList, Value);
    Repaint();
}

void TbsSkinPanel::SetCheckedMode(bool Value)
{
    FCheckedMode = Value;
    Repaint();
}

void TbsSkinPanel::SetNumGlyphs(TbsSkinPanelNumGlyphs Value)
{
    FNumGlyphs = Value;
    Repaint();
}

void TbsSkinPanel::SetSpacing(int Value)
{
    FSpacing = Value;
    Repaint();
}

void TbsSkinPanel::SetGlyph(TBitmap* Value)
{
    FGlyph.Assign(Value);
    Repaint();
}

void TbsSkinPanel::SetCaptionMode(bool Value)
{
    FCaptionMode = Value;
    Repaint();
    Realign();
}

void TbsSkinPanel::SetDefaultAlignment(TAlignment Value)
{
    FDefaultAlignment = Value;
    if (FIndex == -1 && FCaptionMode)
        Repaint();
}

void TbsSkinPanel::SetRollUpMode(bool Value)
{
    FRollUpMode = Value;
    if (FIndex == -1 && FCaptionMode)
        Repaint();
}

void TbsSkinPanel::SetDefaultCaptionHeight(int Value)
{
    FDefaultCaptionHeight = Value;
    if (FCaptionMode && (FIndex == -1 || !UseSkinSize)) {
        Repaint();
        Realign();
    }
}

void TbsSkinPanel::SetBorderStyle(TbsSkinBorderStyle Value)
{
    FBorderStyle = Value;
    if (FIndex == -1) {
        Repaint();
        Realign();
    }
}

void TbsSkinPanel::SetTransparentMode(bool Value)
{
    if (FTransparentMode != Value) {
        FTransparentMode = Value;
        Repaint();
    }
    if (!IsDesigning() && !IsLoading())
        SendCheckParentBG();
}

void TbsSkinPanel::SetChecked(bool Value)
{
    FChecked = Value;
    if (FCheckedMode) {
        Repaint();
        if (AutoEnabledControls) {
            const std::vector<TControl*> children(FControls);
            for (TControl* c : children)
                c->SetEnabled(FChecked);
        }
    }
    if (OnChecked)
        OnChecked(this);
}

void TbsSkinPanel::SetRollUpState(bool Value)
{
    if (FRollUpState == Value)
        return;
    if (!FRollUpMode) {
        Constraints.MaxWidth = FCMaxWidth;
        Constraints.MinWidth = FCMinWidth;
        Constraints.MaxHeight = FCMaxHeight;
        Constraints.MinHeight = FCMinHeight;
        return;
    }
    // The constraints are saved only on the way up: on the way down they
    // are the cleared ones, and saving those would lose the originals.
    if (Value) {
        FCMaxWidth = Constraints.MaxWidth;
        FCMinWidth = Constraints.MinWidth;
        FCMaxHeight = Constraints.MaxHeight;
        FCMinHeight = Constraints.MinHeight;
    }
    Constraints = platform::TSizeConstraints{};
    FRollUpState = Value;
    DoRollUp(Value);
    if (OnChangeRollUpState)
        OnChangeRollUpState(this);
}

void TbsSkinPanel::DoRollUp(bool ARollUp)
{
    struct TFlag {
        bool& F;
        explicit TFlag(bool& AF) : F(AF) { F = true; }
        ~TFlag() { F = false; }
    } flag(FInChangingRollUp);
    const std::vector<TControl*> children(FControls);
    if (ARollUp) {
        if (RealHeight != -1)
            return;
        RealHeight = Height();
        // Alignment is held only while the children are hidden; hidden
        // children take no part in it afterwards, so a skin change that
        // rolls up again cannot leave alignment switched off for good.
        DisableAlign();
        for (TControl* c : children)
            c->SetVisible(false);
        EnableAlign();
        const bool ownHeight = FIndex == -1 || !UseSkinSize;
        SetHeight(ownHeight ? FDefaultCaptionHeight + 1 : Height() - NewClRect.Height());
        return;
    }
    if (RealHeight == -1)
        return;
    DisableAlign();
    SetHeight(RealHeight);
    RealHeight = -1;
    for (TControl* c : children)
        c->SetVisible(true);
    EnableAlign();
}

// ---------------------------------------------------------------- layout

void TbsSkinPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TbsSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FIndex == -1)
        Repaint();
}

void TbsSkinPanel::AdjustClientRect(TRect& R)
{
    TbsSkinCustomControl::AdjustClientRect(R);
    if (EmptyDrawing)
        return;
    if (FIndex == -1 || IsDesigning()) {
        if (FBorderStyle != bvNone)
            R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
        if (FCaptionMode) {
            if (FRibbonStyle)
                R.Bottom -= FDefaultCaptionHeight;
            else
                R.Top += FDefaultCaptionHeight;
        }
        return;
    }
    const int top = R.Top, bottom = R.Bottom;
    if (BGPictureIndex == -1 && !(FBorderStyle == bvNone && !FCaptionMode && ResizeMode == 1))
        R = NewClRect;
    if (!UseSkinSize && FCaptionMode) {
        if (FRibbonStyle)
            R.Bottom = bottom - FDefaultCaptionHeight;
        else
            R.Top = top + FDefaultCaptionHeight;
    }
}

void TbsSkinPanel::GetSkinClientRect(TRect& R)
{
    R = Rect(0, 0, Width(), Height());
    AdjustClientRect(R);
}

void TbsSkinPanel::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    BGPictureIndex = -1;
    auto* rec = dynamic_cast<TbsDataSkinPanelControl*>(SkinRecord());
    if (!rec)
        return;
    static_cast<TbsSkinFontFields&>(*this) = *rec;
    CaptionRect = rec->CaptionRect;
    Alignment = rec->Alignment;
    BGPictureIndex = rec->BGPictureIndex;
    CheckImageRect = rec->CheckImageRect;
    UnCheckImageRect = rec->UnCheckImageRect;
    MarkFrameRect = rec->MarkFrameRect;
    FrameRect = rec->FrameRect;
    FrameLeftOffset = rec->FrameLeftOffset;
    FrameRightOffset = rec->FrameRightOffset;
    FrameTextRect = rec->FrameTextRect;
}

void TbsSkinPanel::ChangeSkinData()
{
    TbsSkinCustomControl::ChangeSkinData();
    if (!FRollUpState) {
        Realign();
        return;
    }
    // Rolled up: roll up again at the new skin's caption height, still
    // returning to the height from before the first roll-up.
    const int saved = RealHeight;
    RealHeight = -1;
    DoRollUp(true);
    RealHeight = saved;
}

// ---------------------------------------------------------------- messages

void TbsSkinPanel::CheckParentBackground()
{
    if (!FTransparentMode)
        return;
    Repaint();
    SendCheckParentBG();
}

void TbsSkinPanel::WMMove(TMessage& M)
{
    TbsSkinCustomControl::WMMove(M);
    if (FTransparentMode) {
        Repaint();
        SendCheckParentBG();
    }
}

void TbsSkinPanel::CMEnabledChanged(TMessage& M)
{
    TbsSkinCustomControl::CMEnabledChanged(M);
    Repaint();
}

void TbsSkinPanel::CMTextChanged(TMessage& M)
{
    // A skinned panel draws its caption wherever its record has a caption
    // area, caption mode or not.
    if (FCaptionMode || (FIndex != -1 && !CaptionRect.IsEmpty()))
        Repaint();
    M.Result = 0;
}

void TbsSkinPanel::MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y)
{
    if (AButton == platform::mbLeft && FCaptionMode && (FCheckedMode || FRollUpMode)) {
        // The built-in band lies at the bottom in the ribbon style, and a
        // click counts there.
        TRect band = FRibbonStyle ? Rect(1, Height() - FDefaultCaptionHeight, Width() - 1, Height() - 1)
                                  : Rect(1, 1, Width() - 1, FDefaultCaptionHeight);
        const TRect hit = FIndex != -1 ? NewCaptionRect : band;
        if (platform::PtInRect(hit, Point(X, Y))) {
            if (FCheckedMode)
                SetChecked(!FChecked);
            if (FRollUpMode)
                SetRollUpState(!FRollUpState);
        }
    }
    TbsSkinCustomControl::MouseUp(AButton, AShift, X, Y);
}

// ---------------------------------------------------------------- painting

void TbsSkinPanel::Paint()
{
    if (Width() <= 0 || Height() <= 0 || (EmptyDrawing && !IsDesigning()))
        return;
    GetSkinData();
    const bool skinned = FIndex != -1;
    TCanvas* c = Canvas();
    const bool framedCaption = skinned && !UseSkinSize && !FTransparentMode && FCaptionMode;
    if (framedCaption || (skinned && FTransparentMode)) {
        TBitmap b;
        b.SetSize(Width(), Height());
        if (!FTransparentMode) {
            CreateFramedCaptionImage(&b);
        } else if (!FCaptionMode) {
            PaintParentBackground(this, b.Canvas());
            if (FBorderStyle != bvNone) {
                b.Canvas()->Pen()->SetColor(FSD->SkinColors().cBtnShadow());
                b.Canvas()->Brush()->SetStyle(platform::bsClear);
                b.Canvas()->Rectangle(0, 0, Width(), Height());
            }
            DoPanelPaint(b.Canvas());
        } else {
            CreateTransparentGroupFrame(&b);
            DoPanelPaint(b.Canvas());
        }
        c->Draw(0, 0, &b);
        return;
    }
    if (!skinned || (!FForceBackground && StretchEffect)) {
        TbsSkinCustomControl::Paint();
    } else if (FBorderStyle == bvNone && ResizeMode == 1 && !FCaptionMode && FForceBackground) {
        PaintTiledClient(c);
    } else if (BGPictureIndex == -1) {
        TbsSkinCustomControl::Paint();
    } else {
        PaintBackgroundPicture(c);
    }
}

// Spreads APiece over the whole panel: tiled from (0, 0), or stretched by
// StretchType (the full stretch over AStretchRect).
void TbsSkinPanel::SpreadPiece(TCanvas* C, TBitmap* APiece, bool AStretch)
{
    const int tw = APiece->Width(), th = APiece->Height();
    if (tw <= 0 || th <= 0)
        return;
    if (!AStretch) {
        for (int i = 0; i <= Width() / tw; ++i)
            for (int j = 0; j <= Height() / th; ++j)
                C->Draw(i * tw, j * th, APiece);
        return;
    }
    const bool horz = StretchType == bsstHorz;
    TBitmap t;
    t.SetSize(horz ? tw : Width(), horz ? Height() : th);
    t.Canvas()->StretchDraw(Rect(0, 0, t.Width(), t.Height()), APiece);
    const int count = horz ? Width() / tw : Height() / th;
    for (int k = 0; k <= count; ++k)
        C->Draw(horz ? k * tw : 0, horz ? 0 : k * th, &t);
}

void TbsSkinPanel::PaintTiledClient(TCanvas* C)
{
    if (!Picture)
        return;
    TBitmap piece;
    CutPiece(piece, Picture, Offset(ClRect, SkinRect.Left, SkinRect.Top));
    if (StretchEffect && StretchType == bsstFull)
        C->StretchDraw(Rect(0, 0, Width(), Height()), &piece);
    else
        SpreadPiece(C, &piece, StretchEffect);
}

void TbsSkinPanel::PaintBackgroundPicture(TCanvas* C)
{
    TbsPicture* bg = ActivePicture(*FSD, BGPictureIndex);
    if (!bg)
        return;
    if (StretchEffect && StretchType == bsstFull)
        C->StretchDraw(NewClRect, bg);
    else
        SpreadPiece(C, bg, StretchEffect);
}

void TbsSkinPanel::PaintskinTo(TCanvas* C, int X, int Y)
{
    GetSkinData();
    int w = Width(), h = Height();
    CalcSkinLayout(w, h);
    TBitmap b;
    b.SetSize(Width(), Height());
    if (FIndex == -1) {
        CreateControlDefaultImage(&b);
    } else {
        // The strip path draws the frame straight onto the screen; a picture
        // of the panel needs it composed first.
        if (FForceBackground && ResizeMode == 1 && Picture)
            CreateSkinImage(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint,
                            NewClRect, &b, Picture, SkinRect, Width(), Height(), FDrawbackground, LeftStretch,
                            TopStretch, RightStretch, BottomStretch, StretchEffect, StretchType);
        CreateControlSkinImage(&b);
    }
    C->Draw(X, Y, &b);
}

} // namespace skin
