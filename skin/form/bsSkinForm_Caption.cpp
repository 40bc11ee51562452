// The caption object: the form's title laid out in the skin's text
// rectangle with its light, shadow, glow or reflection, on a background
// that switches, cross-fades or animates between the active and the
// inactive form.

#include "skin/form/bsSkinForm_Objects.h"

#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinForm_LayerBorder.h"

#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/core/bseffects_EffectBmp.h"
#include "skin/core/bsUtils_Glow.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/controls/Forms.h"
#include "platform/controls/ImgList.h"
#include "platform/ui/Input.h"

#include <memory>

namespace skin {

using namespace platform;

TbsSkinCaptionObject::TbsSkinCaptionObject(TbsSkinForm* AParent, TbsDataSkinCaption* AData)
    : TbsActiveSkinObject(AParent, AData)
{
    if (!AData)
        return;
    FontName = AData->FontName;
    FontStyle = AData->FontStyle;
    FontHeight = AData->FontHeight;
    FontColor = AData->FontColor;
    ActiveFontColor = AData->ActiveFontColor;
    ShadowColor = AData->ShadowColor;
    ActiveShadowColor = AData->ActiveShadowColor;
    Shadow = AData->Shadow;
    LightColor = AData->LightColor;
    ActiveLightColor = AData->ActiveLightColor;
    Light = AData->Light;
    Alignment = AData->Alignment;
    TextRct = AData->TextRct;
    FrameRect = AData->FrameRect;
    ActiveFrameRect = AData->ActiveFrameRect;
    FrameLeftOffset = AData->FrameLeftOffset;
    FrameRightOffset = AData->FrameRightOffset;
    FrameTextRect = AData->FrameTextRect;
    StretchEffect = AData->StretchEffect;
    FullFrame = AData->FullFrame;
    AnimateSkinRect = AData->AnimateSkinRect;
    FrameCount = AData->FrameCount;
    AnimateInterval = AData->AnimateInterval;
    InActiveAnimation = AData->InActiveAnimation;
    VistaGlowEffect = AData->VistaGlowEffect;
    VistaGlowInActiveEffect = AData->VistaGlowInActiveEffect;
    GlowEffect = AData->GlowEffect;
    GlowInActiveEffect = AData->GlowInActiveEffect;
    GlowSize = AData->GlowSize;
    GlowColor = AData->GlowColor;
    GlowActiveColor = AData->GlowActiveColor;
    GlowOffset = AData->GlowOffset;
    ReflectionEffect = AData->ReflectionEffect;
    ReflectionColor = AData->ReflectionColor;
    ReflectionActiveColor = AData->ReflectionActiveColor;
    ReflectionOffset = AData->ReflectionOffset;
    DividerRect = AData->DividerRect;
    InActiveDividerRect = AData->InActiveDividerRect;
    DividerTransparent = AData->DividerTransparent;
    DividerTransparentColor = AData->DividerTransparentColor;
    QuickButtonAlphaMaskPictureIndex = AData->QuickButtonAlphaMaskPictureIndex;
}

bool TbsSkinCaptionObject::EnableAnimation() const
{
    return HasSkin() && SD->EnableSkinEffects && !IsNullRect(AnimateSkinRect) && FrameCount > 0;
}

std::string TbsSkinCaptionObject::CaptionText() const
{
    return Parent->CaptionText();
}

void TbsSkinCaptionObject::RePaintCaption()
{
    Parent->UpDateFormNC();
}

// The text starts right of the quick buttons, or right of the application
// menu's caption while that covers the strip's left end; the right edge
// follows the caption's stretching; a text frame moves the text inside it.
TRect TbsSkinCaptionObject::TextRect() const
{
    TRect t = TextRct;
    if (!IsNullRect(TextRct)) {
        if (Parent->HasAppMenuCaption())
            t.Left = Parent->GetAppMenuCaptionOffset() - ObjectRect.Left;
        else
            t.Left += QuickButtonsWidth();
        t.Right = TextRct.Right + RectWidth(ObjectRect) - RectWidth(SkinRect);
    }
    if (!IsNullRect(FrameRect)) {
        t.Left += FrameTextRect.Left;
        t.Top += FrameTextRect.Top;
        t.Right -= RectWidth(FrameRect) - FrameTextRect.Right;
    }
    return t;
}

void TbsSkinCaptionObject::SetCaptionFont(TCanvas* C, TColor AColor) const
{
    TFont* f = C->Font();
    if (Parent->UseSkinFontInCaption) {
        f->SetName(FontName);
        f->SetStyle(FontStyle);
        f->SetHeight(FontHeight);
    } else
        f->Assign(Parent->DefCaptionFont());
    f->SetColor(AColor);
}

void TbsSkinCaptionObject::DrawCaptionText(TCanvas* C, const TRect& T, int DX, int DY, bool AActive,
                                           const TColor* AForce) const
{
    auto colour = [AForce](TColor AColor) { return AForce ? *AForce : AColor; };
    std::string text = CaptionText();
    if (Parent->OnCaptionPaint) {
        Parent->OnCaptionPaint(C, OffsetRect(ObjectRect, DX - ObjectRect.Left, DY - ObjectRect.Top), AActive);
        return;
    }
    if (text.empty() || IsNullRect(TextRct))
        return;
    EllipsizeWideText(C, text, RectWidth(T));
    const int w = WideTextWidth(C, text), h = WideTextHeight(C, text);
    int y = T.Top + RectHeight(T) / 2 - h / 2;
    int x = T.Left;
    // Beside quick buttons the title is always centred.
    if (Alignment == taCenter || Parent->QuickButtons()->Count() > 0)
        x = T.Left + RectWidth(T) / 2 - w / 2;
    else if (Alignment == taRightJustify)
        x = T.Right - w;
    x += DX;
    y += DY;
    if (C->Font()->Height() % 2 != 0)
        y -= 1;
    C->Brush()->SetStyle(bsClear);
    if (!IsNullRect(FrameRect) && ActivePicture && !AForce) {
        const TRect source = AActive && !IsNullRect(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
        TBitmap frame;
        if (FullFrame) {
            const int fw = RectWidth(ObjectRect) - 2 * SD->ButtonsOffset;
            if (fw > 0) {
                CreateHSkinImage(FrameLeftOffset, FrameRightOffset, &frame, ActivePicture, source, fw,
                                 RectHeight(source), false);
                C->Draw(DX + SD->ButtonsOffset, y - FrameTextRect.Top, &frame);
            }
        } else {
            const int fw = RectWidth(FrameRect) + w - RectWidth(FrameTextRect);
            if (fw > 0) {
                CreateHSkinImage(FrameLeftOffset, FrameRightOffset, &frame, ActivePicture, source, fw,
                                 RectHeight(source), false);
                C->Draw(x - FrameTextRect.Left, y - FrameTextRect.Top, &frame);
            }
        }
    }
    const TColor color = C->Font()->Color();
    auto copy = [&](TColor AColor, int ADX) {
        C->Font()->SetColor(AColor);
        TRect r{x + ADX, y + ADX, x + ADX + w, y + ADX + h};
        WideDrawText(C, text, r, DT_VCENTER);
        C->Font()->SetColor(color);
    };
    if (Light)
        copy(colour(AActive ? ActiveLightColor : LightColor), -1);
    if (Shadow)
        copy(colour(AActive ? ActiveShadowColor : ShadowColor), 1);
    TRect r{x, y, x + w, y + h};
    // On the layered border (AForce) the glows show in both states.
    if (ReflectionEffect)
        DrawReflectionText(C, r, text, colour(AActive ? ReflectionActiveColor : ReflectionColor), ReflectionOffset,
                           DT_VCENTER);
    else if (VistaGlowEffect && (AActive || VistaGlowInActiveEffect || AForce))
        DrawCaptionVistaGlowText(C, r, text, colour(AActive ? GlowActiveColor : GlowColor), DT_VCENTER);
    else if (GlowEffect && (AActive || GlowInActiveEffect || AForce))
        DrawWideGlowText(C, r, text, GlowSize, colour(AActive ? GlowActiveColor : GlowColor), GlowOffset, DT_VCENTER);
    else
        WideDrawText(C, text, r, DT_VCENTER);
}

// The parts of the caption inside the frame picture's corners keep their
// size; the middle tiles (or stretches) to the caption's width.
void TbsSkinCaptionObject::BackgroundImage(TBitmap& B, TbsPicture* P, const TRect& S) const
{
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    B.SetSize(w, h);
    if (!P || IsNullRect(S))
        return;
    const int l = IntMax(SD->LTPoint.X - SkinRect.Left, 0);
    const int m = IntMax(SkinRect.Right - SD->RTPoint.X, 0);
    if (l != 0 || m != 0)
        CreateHSkinImage(l, m, &B, P, S, w, h, StretchEffect);
    else
        B.Canvas()->CopyRect(Rect(0, 0, w, h), P->Canvas(), S);
}

void TbsSkinCaptionObject::TextImage(TBitmap& B, TbsPicture* P, const TRect& S, TColor AColor, bool AActive) const
{
    BackgroundImage(B, P, S);
    SetCaptionFont(B.Canvas(), AColor);
    DrawCaptionText(B.Canvas(), TextRect(), 0, 0, AActive);
}

void TbsSkinCaptionObject::ApplyInActiveEffect(TBitmap& B) const
{
    if (!SD->AutoRenderingInActiveImage || B.Empty())
        return;
    std::unique_ptr<TbsEffectBmp> e(TbsEffectBmp::CreateFromhWnd(B.Handle()));
    switch (SD->InActiveEffect) {
    case ieBrightness: e->ChangeBrightness(0.5); break;
    case ieDarkness: e->ChangeDarkness(0.3); break;
    case ieGrayScale: e->GrayScale(); break;
    case ieNoise: e->AddMonoNoise(50); break;
    case ieSplitBlur: e->SplitBlur(1); break;
    case ieInvert: e->Invert(); break;
    }
    e->Draw(B.Canvas()->Handle(), 0, 0);
}

TRect TbsSkinCaptionObject::AnimationFrameRect() const
{
    const TRect& a = AnimateSkinRect;
    const int c = CurrentFrame;
    if (RectHeight(a) > RectHeight(SkinRect)) {
        const int fh = RectHeight(a) / FrameCount;
        return TRect{a.Left, a.Top + fh * (c - 1), a.Right, a.Top + fh * c};
    }
    const int fw = RectWidth(a) / FrameCount;
    return TRect{a.Left + fw * (c - 1), a.Top, a.Left + fw * c, a.Bottom};
}

bool TbsSkinCaptionObject::HasQuickButtons() const
{
    return Parent->QuickButtons()->Count() > 0 && Parent->QuickImageList;
}

void TbsSkinCaptionObject::TestActiveQuickButton(int X, int Y)
{
    if (!HasQuickButtons())
        return;
    // Hidden under the application menu's caption.
    if (Parent->HasAppMenuCaption()) {
        ActiveQuickButton = -1;
        return;
    }
    TbsQuickButtonItems* items = Parent->QuickButtons();
    OldActiveQuickButton = ActiveQuickButton;
    ActiveQuickButton = -1;
    for (int i = 0; i < items->Count(); ++i) {
        TbsQuickButtonItem* item = items->Items(i);
        if (item->Enabled() && item->Visible() && PtInRect(item->ItemRect, Point(X, Y))) {
            ActiveQuickButton = i;
            break;
        }
    }
    bool changed = ActiveQuickButton != OldActiveQuickButton;
    for (int i = 0; i < items->Count(); ++i) {
        TbsQuickButtonItem* item = items->Items(i);
        if (i == PopupMenuQuickButton || item->Active == (i == ActiveQuickButton))
            continue;
        item->Active = i == ActiveQuickButton;
        changed = true;
    }
    if (changed)
        RePaintCaption();
    TbsSkinHint* hint = Parent->SkinHint();
    if (!hint || !Parent->QuickButtonsShowHint || ActiveQuickButton == OldActiveQuickButton)
        return;
    if (ActiveQuickButton != -1 && !items->Items(ActiveQuickButton)->Hint.empty())
        hint->ActivateHint2(items->Items(ActiveQuickButton)->Hint);
    else if (ActiveQuickButton == -1)
        hint->HideHint();
}

void TbsSkinCaptionObject::ResetQuickButtons()
{
    TbsQuickButtonItems* items = Parent->QuickButtons();
    if (ActiveQuickButton >= 0 && ActiveQuickButton < items->Count())
        items->Items(ActiveQuickButton)->Active = items->Items(ActiveQuickButton)->Down = false;
}

// The caption on the top strip of a full layered border: the strip already
// holds its background. Text is drawn twice: in colour onto a patch of the
// strip and in white onto a grey copy of the patch's alpha, whose grey
// becomes the new alpha, so drawn pixels turn opaque and the rest keep the
// strip's transparency.
void TbsSkinCaptionObject::DrawAlpha(TCanvas*, TbsBitmap& ABitMap)
{
    if (!HasSkin() || ABitMap.Empty())
        return;
    Active = Parent->GetFormActive();
    TRect t{0, 0, RectWidth(ObjectRect), RectHeight(ObjectRect)};
    DrawQuickButtonsAlpha(ABitMap, t);
    if (VistaGlowEffect) {
        t.Left += 6;
        t.Right -= 6;
    } else if (GlowEffect) {
        t.Left += 3;
        t.Right -= 3;
    }
    const int grow = VistaGlowEffect || GlowEffect ? 6 : 0;
    TRect area = OffsetRect(t, ObjectRect.Left, ObjectRect.Top);
    area = TRect{area.Left - grow, area.Top - grow, area.Right + grow, area.Bottom + grow};
    area = IntersectRect(area, TRect{0, 0, ABitMap.Width(), ABitMap.Height()});
    const int w = RectWidth(area), h = RectHeight(area);
    if (w <= 0 || h <= 0)
        return;
    TBitmap patch, grey;
    for (TBitmap* b : {&patch, &grey}) {
        b->SetPixelFormat(pf32bit);
        b->SetSize(w, h);
    }
    for (int y = 0; y < h; ++y) {
        const TbsColor* from = ABitMap.GetPixelPtr(area.Left, area.Top + y);
        auto* p = reinterpret_cast<uint32_t*>(patch.ScanLine(y));
        auto* g = reinterpret_cast<uint32_t*>(grey.ScanLine(y));
        for (int x = 0; x < w; ++x) {
            const uint32_t a = from[x] >> 24;
            p[x] = from[x] | 0xFF000000u;
            g[x] = 0xFF000000u | a << 16 | a << 8 | a;
        }
    }
    const int dx = ObjectRect.Left - area.Left, dy = ObjectRect.Top - area.Top;
    SetCaptionFont(patch.Canvas(), Active ? ActiveFontColor : FontColor);
    DrawCaptionText(patch.Canvas(), t, dx, dy, Active);
    const TColor white = clWhite;
    SetCaptionFont(grey.Canvas(), white);
    DrawCaptionText(grey.Canvas(), t, dx, dy, Active, &white);
    for (int y = 0; y < h; ++y) {
        TbsColor* to = ABitMap.GetPixelPtr(area.Left, area.Top + y);
        const auto* p = reinterpret_cast<const uint32_t*>(patch.ScanLine(y));
        const auto* g = reinterpret_cast<const uint32_t*>(grey.ScanLine(y));
        for (int x = 0; x < w; ++x) {
            const uint32_t level = (((g[x] >> 16) & 0xFF) + ((g[x] >> 8) & 0xFF) + (g[x] & 0xFF)) / 3;
            to[x] = (p[x] & 0x00FFFFFFu) | level << 24;
        }
    }
}

void TbsSkinCaptionObject::MouseMove(int X, int Y)
{
    TbsActiveSkinObject::MouseMove(X, Y);
    TestActiveQuickButton(X, Y);
}

void TbsSkinCaptionObject::Draw(TCanvas* Cnvs, bool)
{
    if (!HasSkin())
        return;
    if (!Parent->HasAppMenuCaption())
        DrawQuickButtons(Cnvs);
    SetCaptionFont(Cnvs, Active ? ActiveFontColor : FontColor);
    TBitmap b;
    if (EnableAnimation() && CurrentFrame >= 1 && CurrentFrame <= FrameCount) {
        // During the transition the text keeps the colours of the state
        // being left.
        TextImage(b, ActivePicture, AnimationFrameRect(), Active ? FontColor : ActiveFontColor, !Active);
    } else if (EnableMorphing() && ((FMorphKf > 0 && !Active) || (FMorphKf < 1 && Active))) {
        TBitmap to, result;
        TextImage(b, Picture, SkinRect, FontColor, false);
        TextImage(to, ActivePicture, ActiveSkinRect, ActiveFontColor, true);
        result.SetSize(b.Width(), b.Height());
        DrawMorph(result.Canvas(), b, to, MorphKind, FMorphKf);
        b.Canvas()->Draw(0, 0, &result);
        if (!Active)
            ApplyInActiveEffect(b);
    } else if (IsNullRect(ActiveSkinRect) || (!Active && !EnableMorphing() && !StretchEffect && !EnableAnimation())) {
        // The caption's background is the frame picture under it.
        DrawCaptionText(Cnvs, TextRect(), ObjectRect.Left, ObjectRect.Top, Active);
        return;
    } else if (!Active) {
        TextImage(b, Picture, SkinRect, FontColor, false);
        ApplyInActiveEffect(b);
    } else
        TextImage(b, ActivePicture, ActiveSkinRect, ActiveFontColor, true);
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

// A quick button with a menu opens it on press; one without takes the
// press and runs on a release over it.
void TbsSkinCaptionObject::MouseDown(int X, int Y, TMouseButtonKind Button)
{
    TbsActiveSkinObject::MouseDown(X, Y, Button);
    if (Button != mbLeft || !HasQuickButtons()) {
        FDown = FDown || Button == mbLeft;
        return;
    }
    FDown = true;
    TestActiveQuickButton(X, Y);
    TbsQuickButtonItems* items = Parent->QuickButtons();
    for (int i = 0; i < items->Count(); ++i)
        if (i != ActiveQuickButton)
            items->Items(i)->Down = items->Items(i)->Active = false;
    if (ActiveQuickButton != -1) {
        TbsQuickButtonItem* item = items->Items(ActiveQuickButton);
        item->Down = true;
        if (item->PopupMenu && PopupMenuQuickButton != ActiveQuickButton) {
            RePaintCaption();
            PopupMenuQuickButton = ActiveQuickButton;
            MouseCaptureQuickButton = -1;
            const TRect r = item->ItemRect;
            const TRect screen = ObjectScreenRect();
            Parent->HideGlowLayers();
            Parent->PopupObjectMenu(item->PopupMenu->Items(),
                                    OffsetRect(r, screen.Left - ObjectRect.Left, screen.Top - ObjectRect.Top), false);
            return;
        }
        MouseCaptureQuickButton = ActiveQuickButton;
    }
    RePaintCaption();
}

// The up event fires whether or not the mouse is still over the caption.
void TbsSkinCaptionObject::MouseUp(int X, int Y, TMouseButtonKind Button)
{
    Parent->FireObjectMouseUp(IDName, X, Y, ObjectRect, Button);
    FDown = false;
    TbsQuickButtonItems* items = Parent->QuickButtons();
    if (HasQuickButtons()) {
        TestActiveQuickButton(X, Y);
        if (ActiveQuickButton == -1 && MouseCaptureQuickButton >= 0 && MouseCaptureQuickButton < items->Count())
            items->Items(MouseCaptureQuickButton)->Down = items->Items(MouseCaptureQuickButton)->Active = false;
        MouseCaptureQuickButton = -1;
    } else
        ActiveQuickButton = -1;
    if (ActiveQuickButton == -1 || Button != mbLeft) {
        // On a full layered border the caption is the border's: a right
        // click on it opens the system menu, as on the window frame.
        if (Button == mbRight && Parent->FullBorderShown()) {
            Parent->BorderLayer()->MouseCaptureObject = -1;
            if (!Parent->DisableSystemMenu && ActiveQuickButton == -1) {
                const TPoint cursor = GetCursorPos();
                Parent->PopupSystemMenu(cursor.X, cursor.Y);
            }
        }
        return;
    }
    TbsQuickButtonItem* item = items->Items(ActiveQuickButton);
    const bool wasDown = item->Down;
    for (int i = 0; i < items->Count(); ++i)
        if (!(i == ActiveQuickButton && i == PopupMenuQuickButton))
            items->Items(i)->Down = false;
    RePaintCaption();
    if (wasDown && item->OnClick)
        item->OnClick(Parent);
}

// The caption's Active follows the form, not the mouse.
void TbsSkinCaptionObject::MouseEnter()
{
    FMouseIn = true;
    Parent->FireObjectMouseEnter(IDName);
}

void TbsSkinCaptionObject::MouseLeave()
{
    FMouseIn = false;
    Parent->FireObjectMouseLeave(IDName);
    if (HasQuickButtons()) {
        ActiveQuickButton = OldActiveQuickButton = -1;
        TestActiveQuickButton(-1, -1);
    }
    if (FDown) {
        FDown = false;
        Parent->MouseCaptureObject = -1;
        TbsQuickButtonItems* items = Parent->QuickButtons();
        if (MouseCaptureQuickButton >= 0 && MouseCaptureQuickButton < items->Count())
            items->Items(MouseCaptureQuickButton)->Down = false;
        MouseCaptureQuickButton = -1;
    }
}

} // namespace skin
