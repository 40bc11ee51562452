// The frame object base, the user-drawn object and the skin button object:
// looks chosen from the skin pictures, cross-fading, glow windows and the
// hover and press states.

#include "skin/form/bsSkinForm_Objects.h"

#include "skin/form/bsSkinForm.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/core/bsUtils_Layer.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Text.h"

namespace skin {

using namespace platform;

namespace {

// The active picture AIndex of the model, nil for an index outside its list.
TbsPicture* PictureAt(TbsSkinData* ASD, int AIndex)
{
    return ASD ? ActivePicture(*ASD, AIndex) : nullptr;
}

} // namespace

TbsActiveSkinObject::TbsActiveSkinObject(TbsSkinForm* AParent, TbsDataSkinObject* AData)
    : Parent(AParent), SD(AParent->SkinData())
{
    if (!AData)
        return;
    IDName = AData->IDName;
    Hint = AData->Hint;
    SkinRectInAPicture = AData->SkinRectInAPicture;
    SkinRect = AData->SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    InActiveSkinRect = AData->InActiveSkinRect;
    Morphing = AData->Morphing;
    MorphKind = AData->MorphKind;
    GlowLayerPictureIndex = AData->GlowLayerPictureIndex;
    GlowLayerMaskPictureIndex = AData->GlowLayerMaskPictureIndex;
    GlowLayerOffsetX = AData->GlowLayerOffsetX;
    GlowLayerOffsetY = AData->GlowLayerOffsetY;
    GlowLayerAlphaBlendValue = AData->GlowLayerAlphaBlendValue;
    ActivePicture = PictureAt(SD, AData->ActivePictureIndex);
    if (!ActivePicture) {
        // Without the picture there is no other look to show or fade to.
        ActiveSkinRect = NullRect();
        AData->ActiveSkinRect = NullRect();
    }
    ActiveMaskPicture = PictureAt(SD, AData->ActiveMaskPictureIndex);
    if (IsNullRect(ActiveSkinRect))
        Morphing = false;
    ObjectRect = SkinRect;
    Picture = SD ? SD->FPicture.get() : nullptr;
}

void TbsActiveSkinObject::SetMorphKf(double AValue)
{
    FMorphKf = AValue < 0 ? 0 : AValue > 1 ? 1 : AValue;
}

bool TbsActiveSkinObject::HasSkin() const
{
    return SD && !SD->Empty() && Parent->SkinData() == SD;
}

bool TbsActiveSkinObject::FormActive() const
{
    return Parent->GetFormActive();
}

bool TbsActiveSkinObject::InObjectArea(int X, int Y)
{
    if (!HasSkin() || !ActiveMaskPicture)
        return true;
    if (X < 0 || Y < 0 || X >= ActiveMaskPicture->Width() || Y >= ActiveMaskPicture->Height())
        return false;
    return (ActiveMaskPicture->Canvas()->Pixels(X, Y) & 0xFFFFFF) == 0;
}

TbsLayerManager* TbsActiveSkinObject::GlowManager() const
{
    return Parent->LayerManager();
}

void TbsActiveSkinObject::ShowLayer()
{
    if (!HasSkin() || GlowLayerPictureIndex == -1 || !IsLayeredWindowsAvailable() || !SD->ShowCaptionButtonGlowFrames)
        return;
    TbsPicture* image = PictureAt(SD, GlowLayerPictureIndex);
    TbsPicture* mask = PictureAt(SD, GlowLayerMaskPictureIndex);
    if (!image)
        return;
    const TRect r = ObjectScreenRect();
    GlowManager()->Show(r.Left - GlowLayerOffsetX, r.Top - GlowLayerOffsetY, image, mask, GlowLayerAlphaBlendValue);
}

void TbsActiveSkinObject::HideLayer()
{
    if (!HasSkin() || GlowLayerPictureIndex == -1 || !IsLayeredWindowsAvailable() || !SD->ShowCaptionButtonGlowFrames)
        return;
    GlowManager()->Hide();
}

TRect TbsActiveSkinObject::ObjectScreenRect() const
{
    TCustomForm* form = Parent->Form();
    TPoint origin{form->Left(), form->Top()};
    // Under a full layered border the objects stand on its top strip.
    if (Parent->FullBorderShown())
        origin = Parent->BorderLayer()->TopOrigin();
    else if (form->FormStyle() == fsMDIChild && form->HandleAllocated()) {
        const bool skinned = Parent->SkinSupport();
        const TPoint frame = skinned ? TPoint{-Parent->NewClRect.Left, -Parent->NewClRect.Top}
                                     : TPoint{-3, -Parent->DefCaptionHeight() - 3};
        origin = form->ClientToScreen(frame);
    }
    return OffsetRect(ObjectRect, origin.X, origin.Y);
}

bool TbsActiveSkinObject::CanMorphing()
{
    return (Active && FMorphKf < 1) || (!Active && FMorphKf > 0);
}

bool TbsActiveSkinObject::EnableMorphing() const
{
    return Morphing && HasSkin() && SD->EnableSkinEffects;
}

void TbsActiveSkinObject::DoMorphing()
{
    StepMorph(FMorphKf, Active);
    DrawSelf();
}

void TbsActiveSkinObject::ReDraw()
{
    if (EnableMorphing())
        Parent->MorphTimer->SetEnabled(true);
    else
        DrawSelf();
}

void TbsActiveSkinObject::DrawSelf()
{
    Parent->DrawSkinObject(this);
}

void TbsActiveSkinObject::CopyLook(TCanvas* Cnvs, TbsPicture* APicture, const TRect& S) const
{
    if (!APicture || IsNullRect(S) || IsNullRect(ObjectRect))
        return;
    Cnvs->CopyRect(ObjectRect, APicture->Canvas(), S);
}

void TbsActiveSkinObject::DrawMorphed(TCanvas* Cnvs, TbsPicture* A, const TRect& S, TbsPicture* B,
                                      const TRect& T) const
{
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0 || !A || !B)
        return;
    TBitmap from, to, result;
    for (TBitmap* b : {&from, &to, &result})
        b->SetSize(w, h);
    from.Canvas()->CopyRect(Rect(0, 0, w, h), A->Canvas(), S);
    to.Canvas()->CopyRect(Rect(0, 0, w, h), B->Canvas(), T);
    DrawMorph(result.Canvas(), from, to, MorphKind, FMorphKf);
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &result);
}

void TbsActiveSkinObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!HasSkin())
        return;
    if (Enabled && !FormActive() && !IsNullRect(InActiveSkinRect)) {
        CopyLook(Cnvs, ActivePicture, InActiveSkinRect);
        return;
    }
    TbsPicture* normal = SkinRectInAPicture ? ActivePicture : Picture;
    if (EnableMorphing() && ((Active && FMorphKf != 1) || (!Active && FMorphKf != 0))) {
        DrawMorphed(Cnvs, normal, SkinRect, ActivePicture, ActiveSkinRect);
        return;
    }
    if (!Active || IsNullRect(ActiveSkinRect)) {
        // In a full frame painting the frame picture already shows the
        // normal look of an object that is part of it.
        if (UpDate || SkinRectInAPicture)
            CopyLook(Cnvs, normal, SkinRect);
        return;
    }
    CopyLook(Cnvs, ActivePicture, ActiveSkinRect);
}

void TbsActiveSkinObject::MouseEnter()
{
    FMouseIn = true;
    Active = true;
    if (!IsNullRect(ActiveSkinRect))
        ReDraw();
    Parent->FireObjectMouseEnter(IDName);
    ShowLayer();
}

void TbsActiveSkinObject::MouseLeave()
{
    FMouseIn = false;
    Active = false;
    if (!IsNullRect(ActiveSkinRect))
        ReDraw();
    Parent->FireObjectMouseLeave(IDName);
    HideLayer();
}

void TbsActiveSkinObject::MouseDown(int X, int Y, TMouseButtonKind Button)
{
    Parent->FireObjectMouseDown(IDName, X, Y, ObjectRect, Button);
}

void TbsActiveSkinObject::MouseUp(int X, int Y, TMouseButtonKind Button)
{
    if (FMouseIn)
        Parent->FireObjectMouseUp(IDName, X, Y, ObjectRect, Button);
}

void TbsActiveSkinObject::MouseMove(int X, int Y)
{
    Parent->FireObjectMouseMove(IDName, X, Y, ObjectRect);
}

// ---------------------------------------------------------------- user object

void TbsActiveSkinObject::DrawAlpha(TCanvas*, TbsBitmap&) {}

void TbsUserObject::Draw(TCanvas* Cnvs, bool)
{
    Parent->FireObjectPaint(IDName, Cnvs, ObjectRect);
}

// ---------------------------------------------------------------- button

TbsSkinButtonObject::TbsSkinButtonObject(TbsSkinForm* AParent, TbsDataSkinObject* AData)
    : TbsActiveSkinObject(AParent, AData)
{
    if (auto* rec = dynamic_cast<TbsDataSkinButton*>(AData)) {
        DownRect = rec->DownRect;
        DisableSkinRect = rec->DisableSkinRect;
    }
}

TbsLayerManager* TbsSkinButtonObject::GlowManager() const
{
    // A menu button's glow stays while other objects glow on hover.
    return MenuItem ? Parent->MenuLayerManager() : Parent->LayerManager();
}

void TbsSkinButtonObject::ShowLayer() { TbsActiveSkinObject::ShowLayer(); }
void TbsSkinButtonObject::HideLayer() { TbsActiveSkinObject::HideLayer(); }

bool TbsSkinButtonObject::CanMorphing()
{
    if (MenuItem && FDown)
        return false;
    return TbsActiveSkinObject::CanMorphing();
}

void TbsSkinButtonObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!HasSkin())
        return;
    if (!Enabled && !IsNullRect(DisableSkinRect))
        CopyLook(Cnvs, ActivePicture, DisableSkinRect);
    else if (FDown && FMouseIn && !IsNullRect(DownRect))
        CopyLook(Cnvs, ActivePicture, DownRect);
    else
        TbsActiveSkinObject::Draw(Cnvs, UpDate);
}

void TbsSkinButtonObject::SetDown(bool AValue)
{
    FDown = AValue;
    // The pressed look replaces the hot look at once.
    if (EnableMorphing() && Active)
        FMorphKf = 1;
    DrawSelf();
    if (EnableMorphing() && !FDown)
        ReDraw();
}

void TbsSkinButtonObject::MouseDown(int X, int Y, TMouseButtonKind Button)
{
    if (!Enabled)
        return;
    if (Button == mbLeft && !FDown) {
        SetDown(true);
        TrackMenu();
    }
    TbsActiveSkinObject::MouseDown(X, Y, Button);
}

void TbsSkinButtonObject::MouseUp(int X, int Y, TMouseButtonKind Button)
{
    if (!Enabled)
        return;
    if (Button == mbLeft && !MenuItem && FDown)
        SetDown(false);
    TbsActiveSkinObject::MouseUp(X, Y, Button);
}

void TbsSkinButtonObject::MouseEnter()
{
    FMouseIn = true;
    Active = true;
    if (FDown && !IsNullRect(DownRect)) {
        if (EnableMorphing())
            FMorphKf = 1;
        DrawSelf();
    } else {
        if (!IsNullRect(ActiveSkinRect))
            ReDraw();
        if (MenuItem)
            ShowLayer();
    }
    Parent->FireObjectMouseEnter(IDName);
    if (!MenuItem)
        ShowLayer();
}

// A menu button that is down keeps its look and glow while its menu is
// open; the form's menu-close handling releases it.
void TbsSkinButtonObject::MouseLeave()
{
    FMouseIn = false;
    Active = false;
    if (!MenuItem || !FDown) {
        if (MenuItem)
            HideLayer();
        if (EnableMorphing())
            DrawSelf();
        ReDraw();
    }
    Parent->FireObjectMouseLeave(IDName);
    if (!MenuItem)
        HideLayer();
}

void TbsSkinButtonObject::TrackMenu()
{
    if (!MenuItem || MenuItem->Count() == 0)
        return;
    Parent->HideGlowLayers();
    if (FMouseIn)
        ShowLayer();
    Parent->PopupObjectMenu(MenuItem, ObjectScreenRect(), FPopupUp);
}

} // namespace skin
