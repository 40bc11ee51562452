// The objects on the menu bar: items (one per top-level menu item) and the
// system buttons of a maximised MDI child; their states, pictures, morphs,
// frame animations and what a press on them does.

#include "skin/form/bsSkinMainMenu.h"

#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenus.h"

#include "platform/controls/ImgList.h"
#include "platform/gfx/Gdi.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

constexpr TColor FrameColor = TColor(12020539), HotColor = TColor(15979713), DownColor = TColor(14990498);

// The unskinned hot and pressed look: a one-pixel frame round a fill.
void FillState(TCanvas* C, const TRect& R, bool ADown, bool AHot)
{
    if (ADown || AHot) {
        TRect r = R;
        Frame3D(C, r, FrameColor, FrameColor, 1);
        C->Brush()->SetColor(ADown ? DownColor : HotColor);
        C->FillRect(r);
    } else {
        C->Brush()->SetColor(clBtnFace);
        C->FillRect(R);
    }
}

} // namespace

// ---- TbsMenuBarObject

TbsMenuBarObject::TbsMenuBarObject(TbsSkinMainMenuBar* AParent, TbsDataSkinObject* AData) : Parent(AParent)
{
    if (!AData)
        return;
    IDName = AData->IDName;
    SkinRect = AData->SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    DownRect = AData->ActiveSkinRect;
    Morphing = AData->Morphing && !IsNullRect(AData->ActiveSkinRect);
    MorphKind = AData->MorphKind;
    ObjectRect = AData->SkinRect;
    if (TbsSkinData* sd = AParent->SkinData())
        Picture = ActivePicture(*sd, AData->ActivePictureIndex);
}

void TbsMenuBarObject::SetMorphKf(double AValue) { FMorphKf = std::clamp(AValue, 0.0, 1.0); }

bool TbsMenuBarObject::EnableMorphing() const
{
    TbsSkinData* sd = Parent->SkinData();
    return Morphing && sd && !sd->Empty() && !(Parent->ToolBarMode && Parent->ToolBarModeItemTransparent) &&
           sd->EnableSkinEffects;
}

bool TbsMenuBarObject::CanMorphing()
{
    return (!FDown || IsNullRect(DownRect)) && ((Active && FMorphKf < 1) || (!Active && FMorphKf > 0));
}

void TbsMenuBarObject::DoMorphing()
{
    StepMorph(FMorphKf, Active);
    DrawNow(Parent, [this](TCanvas* C) { Draw(C); });
}

void TbsMenuBarObject::ReDraw()
{
    if (EnableMorphing())
        Parent->MorphTimer()->SetEnabled(true);
    else
        Parent->DrawSkinObject(this);
}

void TbsMenuBarObject::MouseEnter()
{
    FMouseIn = true;
    Active = true;
    ReDraw();
}

void TbsMenuBarObject::MouseLeave()
{
    FMouseIn = false;
    Active = false;
    ReDraw();
}

// ---- TbsSkinMainMenuBarButton

TbsSkinMainMenuBarButton::TbsSkinMainMenuBarButton(TbsSkinMainMenuBar* AParent, TbsDataSkinMainMenuBarButton* AData)
    : TbsMenuBarObject(AParent, AData)
{
    if (!AData)
        return;
    Command = AData->Command;
    DownRect = AData->DownRect;
    FSkinSupport = true;
}

void TbsSkinMainMenuBarButton::Draw(TCanvas* Cnvs)
{
    if (!Parent->FSkinSupport || !Picture || !FSkinSupport) {
        DefaultDraw(Cnvs);
        return;
    }
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    auto copy = [&](const TRect& ASource) { Cnvs->CopyRect(ObjectRect, Picture->Canvas(), ASource); };
    if (FDown && !IsNullRect(DownRect) && FMouseIn) {
        copy(DownRect);
    } else if (EnableMorphing() && FMorphKf > 0 && FMorphKf < 1) {
        TBitmap normal, hot, out;
        normal.SetSize(w, h);
        hot.SetSize(w, h);
        out.SetSize(w, h);
        normal.Canvas()->CopyRect(Rect(0, 0, w, h), Picture->Canvas(), SkinRect);
        hot.Canvas()->CopyRect(Rect(0, 0, w, h), Picture->Canvas(), ActiveSkinRect);
        DrawMorph(out.Canvas(), normal, hot, MorphKind, FMorphKf);
        Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &out);
    } else {
        copy(Active && !IsNullRect(ActiveSkinRect) ? ActiveSkinRect : SkinRect);
    }
}

void TbsSkinMainMenuBarButton::DefaultDraw(TCanvas* Cnvs)
{
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0)
        return;
    TBitmap b;
    b.SetSize(w, h);
    TCanvas* c = b.Canvas();
    const bool pressed = FDown && FMouseIn;
    FillState(c, Rect(0, 0, w, h), pressed, FMouseIn);
    const int shift = pressed ? 1 : 0;
    const int x = w / 2 - 5 + shift, y = h / 2 - 4 + shift;
    const TColor color = Enabled ? clBtnText : clBtnShadow;
    switch (Command) {
    case cmClose: DrawCloseImage(c, x, y, color); break;
    case cmMaximize: DrawRestoreImage(c, x, y, color); break;
    case cmMinimize: DrawMinimizeImage(c, x, y, color); break;
    case cmSysMenu: DrawSysMenuImage(c, x, y, color); break;
    default: break;
    }
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

void TbsSkinMainMenuBarButton::MouseEnter()
{
    if (FDown && (Command == cmSysMenu || EnableMorphing())) {
        FMouseIn = true;
        Active = true;
        if (Command != cmSysMenu)
            Parent->DrawSkinObject(this);
        return;
    }
    TbsMenuBarObject::MouseEnter();
}

void TbsSkinMainMenuBarButton::MouseLeave()
{
    if (FDown && (Command == cmSysMenu || EnableMorphing())) {
        FMouseIn = false;
        Active = false;
        if (Command == cmSysMenu) {
            if (EnableMorphing())
                SetMorphKf(1);
        } else {
            Parent->DrawSkinObject(this);
        }
        return;
    }
    TbsMenuBarObject::MouseLeave();
}

void TbsSkinMainMenuBarButton::MouseDown(int, int, TMouseButtonKind Button)
{
    if (!Enabled || Button != mbLeft || FDown)
        return;
    FDown = true;
    if (EnableMorphing() && !IsNullRect(DownRect))
        SetMorphKf(1);
    Parent->DrawSkinObject(this);
    if (Command == cmSysMenu)
        DoCommand();
}

void TbsSkinMainMenuBarButton::MouseUp(int, int, TMouseButtonKind Button)
{
    if (!Enabled || Button != mbLeft || Command == cmSysMenu)
        return;
    FDown = false;
    Parent->DrawSkinObject(this);
    if (EnableMorphing())
        ReDraw();
    if (Active)
        DoCommand();
}

void TbsSkinMainMenuBarButton::DblClick()
{
    // A double click on the system-menu button closes the child.
    TbsSkinForm* child = FindMaximizedMDIChildSkinForm();
    if (Command != cmSysMenu || !child || !Parent->SkinForm())
        return;
    Parent->SkinForm()->SkinMenu()->Hide();
    Parent->SkinForm()->SkinMenuClose();
    child->Form()->Close();
}

void TbsSkinMainMenuBarButton::DoCommand()
{
    TbsSkinForm* comp = FindMaximizedMDIChildSkinForm();
    if (!comp)
        return;
    switch (Command) {
    case cmClose: comp->Form()->Close(); break;
    case cmMaximize: comp->SetWindowState(wsNormal); break;
    case cmMinimize: comp->SetWindowState(wsMinimized); break;
    case cmSysMenu: {
        TbsSkinForm* form = Parent->SkinForm();
        if (!form)
            break;
        Parent->Repaint();
        const TPoint o = Parent->ClientToScreen(Point(0, 0));
        const TRect r = OffsetRect(ObjectRect, o.X, o.Y);
        form->SkinMenuOpen();
        form->SkinMenu()->Popup(Parent, form->MenusSkinData() ? form->MenusSkinData() : form->SkinData(), 0, r,
                                comp->GetSystemMenuItems(), Parent->PopupToUp);
        break;
    }
    default: break;
    }
}

// ---- TbsSkinMainMenuBarItem

TbsSkinMainMenuBarItem::TbsSkinMainMenuBarItem(TbsSkinMainMenuBar* AParent, TbsDataSkinMainMenuBarItem* AData)
    : TbsMenuBarObject(AParent, AData)
{
    if (!AData)
        return;
    FSkinSupport = true;
    FontName = AData->FontName;
    FontHeight = AData->FontHeight;
    FontStyle = AData->FontStyle;
    UnEnabledFontColor = AData->UnEnabledFontColor;
    FontColor = AData->FontColor;
    ActiveFontColor = AData->ActiveFontColor;
    DownFontColor = AData->DownFontColor;
    TextRct = AData->TextRct;
    DownRect = AData->DownRect;
    LO = AData->ItemLO;
    RO = AData->ItemRO;
    StretchEffect = AData->StretchEffect;
    AnimateSkinRect = AData->AnimateSkinRect;
    FrameCount = AData->FrameCount;
    AnimateInterval = AData->AnimateInterval;
    InActiveAnimation = AData->InActiveAnimation;
    if (IsNullRect(DownRect))
        DownRect = IsNullRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect;
}

bool TbsSkinMainMenuBarItem::EnableAnimation() const
{
    TbsSkinData* sd = Parent->SkinData();
    return !IsNullRect(AnimateSkinRect) && FrameCount > 0 && sd && !sd->Empty() && !Parent->ToolBarMode &&
           sd->EnableSkinEffects;
}

void TbsSkinMainMenuBarItem::ReDraw()
{
    if (EnableAnimation()) {
        Parent->AnimateTimer()->SetInterval(uint32_t(std::max(1, AnimateInterval)));
        Parent->AnimateTimer()->SetEnabled(true);
        return;
    }
    TbsMenuBarObject::ReDraw();
}

void TbsSkinMainMenuBarItem::ImageSize(int& W, int& H) const
{
    W = H = 0;
    TMenu* menu = MenuItem->GetParentMenu();
    TCustomImageList* images = menu ? menu->Images() : nullptr;
    if (images && MenuItem->ImageIndex >= 0 && MenuItem->ImageIndex < images->Count()) {
        W = images->Width();
        H = images->Height();
    } else if (MenuItem->HasBitmap() && !MenuItem->Bitmap()->Empty()) {
        W = MenuItem->Bitmap()->Width();
        H = MenuItem->Bitmap()->Height();
    }
}

void TbsSkinMainMenuBarItem::PrepareFont(TCanvas* C, bool ASkinFont, const std::string& AName, int AHeight,
                                         TFontStyles AStyle)
{
    if (ASkinFont) {
        C->Font()->SetName(AName);
        C->Font()->SetStyle(AStyle);
        C->Font()->SetHeight(AHeight);
    } else {
        C->Font()->Assign(Parent->DefItemFont());
    }
    TbsSkinData* sd = Parent->SkinData();
    C->Font()->SetCharset(sd && sd->ResourceStrData() ? sd->ResourceStrData()->CharSet : Parent->DefItemFont()->Charset());
    C->Brush()->SetStyle(bsClear);
}

int TbsSkinMainMenuBarItem::CaptionWidth(bool ASkinned)
{
    TBitmap measure;
    measure.SetSize(1, 1);
    PrepareFont(measure.Canvas(), ASkinned && Parent->UseSkinFont, FontName, FontHeight, FontStyle);
    TRect r = Rect(0, 0, 0, 0);
    WideDrawText(measure.Canvas(), MenuItem->Caption, r, DT_CALCRECT | DT_CENTER);
    return RectWidth(r);
}

bool TbsSkinMainMenuBarItem::PlaceItem(bool ASkinned)
{
    const TRect& items = Parent->NewItemsRect;
    int left = items.Left;
    for (int i = Parent->ObjectCount() - 1; i >= 0; --i)
        if (Parent->Object(i) == this) {
            for (int j = i - 1; j >= Parent->ButtonsCount; --j)
                if (TbsSkinMainMenuBarItem* prior = Parent->ItemOf(j)) {
                    if (prior->ObjectRect.Right != 0)
                        left = prior->ObjectRect.Right;
                    break;
                }
            break;
        }
    int iw = 0, ih = 0;
    ImageSize(iw, ih);
    int w = ASkinned ? RectWidth(SkinRect) - RectWidth(TextRct) + CaptionWidth(true) + 2 : CaptionWidth(false) + 12;
    if (iw > 0)
        w += iw + 5;
    const int bottom = ASkinned && Parent->UseSkinSize ? items.Top + RectHeight(SkinRect) : items.Bottom;
    ObjectRect = Rect(left, items.Top, left + w, bottom);
    const int limit = Parent->ScrollMenu ? items.Right - 5 : items.Right;
    if (ObjectRect.Right > limit) {
        Parent->Scroll = true;
        if (ItemVisible) {
            OldEnabled = Enabled;
            Enabled = false;
            ItemVisible = false;
        }
        return false;
    }
    if (!ItemVisible) {
        ItemVisible = true;
        Enabled = OldEnabled;
    }
    return true;
}

TRect TbsSkinMainMenuBarItem::GetAnimateFrameRect() const
{
    const TRect& a = AnimateSkinRect;
    const int i = CurrentFrame;
    if (RectHeight(a) > RectHeight(SkinRect)) {
        const int h = RectHeight(a) / FrameCount;
        return Rect(a.Left, a.Top + h * (i - 1), a.Right, a.Top + h * i);
    }
    const int w = RectWidth(a) / FrameCount;
    return Rect(a.Left + w * (i - 1), a.Top, a.Left + w * i, a.Bottom);
}

// The image (or bitmap) and the caption over a prepared background; R is
// the caption rectangle inside B.
void TbsSkinMainMenuBarItem::DrawContent(TBitmap* B, TRect R, bool AHot, bool APressed, bool ACenterVert)
{
    TCanvas* c = B->Canvas();
    int iw = 0, ih = 0;
    ImageSize(iw, ih);
    if (iw > 0) {
        TMenu* menu = MenuItem->GetParentMenu();
        TCustomImageList* images = menu ? menu->Images() : nullptr;
        const int imageY = B->Height() / 2 - ih / 2;
        if (images && MenuItem->ImageIndex >= 0 && MenuItem->ImageIndex < images->Count())
            images->Draw(c, R.Left + 2, imageY, MenuItem->ImageIndex, MenuItem->Enabled);
        else
            c->Draw(R.Left + 2, imageY, MenuItem->Bitmap());
        R.Left += iw + 5;
    }
    TRect t = R;
    WideDrawText(c, MenuItem->Caption, t, DT_CALCRECT);
    t.Right += 2;
    if (!Parent->UseSkinSize || ACenterVert) {
        const int h = RectHeight(t);
        t.Top = B->Height() / 2 - h / 2;
        t.Bottom = t.Top + h;
    }
    if (MenuItem->OnDrawItem) {
        MenuItem->OnDrawItem(this, c, t, AHot || APressed);
        return;
    }
    UINT flags = DT_CENTER | DT_VCENTER;
    if (!Parent->MenuActive)
        flags |= DT_HIDEPREFIX;
    WideDrawText(c, MenuItem->Caption, t, flags);
}

void TbsSkinMainMenuBarItem::CreateItemImage(TBitmap* B, const TRect& R, bool AHot, TCanvas* ATarget)
{
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    B->SetSize(w, h);
    if (!Picture)
        return;
    const bool stretch = AHot && StretchEffect;
    if (Parent->ItemTransparent && (R == SkinRect || (!Parent->UseSkinSize && !AHot))) {
        B->Canvas()->CopyRect(Rect(0, 0, w, h), ATarget, ObjectRect);
    } else if (Parent->UseSkinSize) {
        CreateHSkinImage(LO, RO, B, Picture, R, w, h, stretch);
    } else {
        const int rh = RectHeight(R);
        CreateStretchSkinImage(B, Picture, R, Rect(LO, rh / 4, RectWidth(R) - RO, rh - rh / 4), true);
    }
    PrepareFont(B->Canvas(), Parent->UseSkinFont, FontName, FontHeight, FontStyle);
    B->Canvas()->Font()->SetColor(FDown ? DownFontColor : AHot ? ActiveFontColor : MenuItem->Enabled ? FontColor : UnEnabledFontColor);
    DrawContent(B, TextRct, AHot, FDown, !Parent->UseSkinSize);
}

void TbsSkinMainMenuBarItem::CreateToolBarItemImage(TBitmap* B, bool AHot, bool APressed, TCanvas* ATarget)
{
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    B->SetSize(w, h);
    TRect cl;
    TbsDataSkinButtonControl* rec;
    if (!APressed && !AHot && Parent->ToolBarModeItemTransparent) {
        TBitmap scratch;
        rec = CreateResizedButtonImage(Parent->SkinData(), "resizetoolbutton", &scratch, w, h, false, false, &cl);
        if (rec)
            B->Canvas()->CopyRect(Rect(0, 0, w, h), ATarget, ObjectRect);
    } else
        rec = CreateResizedButtonImage(Parent->SkinData(), "resizetoolbutton", B, w, h, AHot, APressed, &cl);
    if (!rec)
        return;
    PrepareFont(B->Canvas(), Parent->UseSkinFont, rec->FontName, rec->FontHeight, rec->FontStyle);
    B->Canvas()->Font()->SetColor(APressed ? rec->DownFontColor
                                  : AHot   ? rec->ActiveFontColor
                                  : MenuItem->Enabled ? rec->FontColor
                                                      : UnEnabledFontColor);
    DrawContent(B, cl, AHot, APressed, !Parent->UseSkinSize);
}

void TbsSkinMainMenuBarItem::Draw(TCanvas* Cnvs)
{
    if (!Parent->FSkinSupport || !FSkinSupport) {
        DefaultDraw(Cnvs);
        return;
    }
    if (IsNullRect(SkinRect) || IsNullRect(TextRct) || !PlaceItem(true))
        return;
    TBitmap b;
    const bool toolBar = Parent->ToolBarMode;
    if (FDown) {
        if (toolBar)
            CreateToolBarItemImage(&b, true, true, Cnvs);
        else
            CreateItemImage(&b, DownRect, true, Cnvs);
    } else if (EnableAnimation() && CurrentFrame >= 1 && CurrentFrame <= FrameCount) {
        CreateItemImage(&b, GetAnimateFrameRect(), true, Cnvs);
    } else if (!EnableMorphing() || (Active && FMorphKf == 1) || (!Active && FMorphKf == 0)) {
        if (toolBar)
            CreateToolBarItemImage(&b, Active, false, Cnvs);
        else if (Active)
            CreateItemImage(&b, IsNullRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect, true, Cnvs);
        else
            CreateItemImage(&b, SkinRect, false, Cnvs);
    } else {
        TBitmap normal, hot;
        if (toolBar) {
            CreateToolBarItemImage(&normal, false, false, Cnvs);
            CreateToolBarItemImage(&hot, true, false, Cnvs);
        } else {
            CreateItemImage(&normal, SkinRect, false, Cnvs);
            CreateItemImage(&hot, IsNullRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect, true, Cnvs);
        }
        b.SetSize(normal.Width(), normal.Height());
        DrawMorph(b.Canvas(), normal, hot, MorphKind, FMorphKf);
    }
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

void TbsSkinMainMenuBarItem::DefaultDraw(TCanvas* Cnvs)
{
    if (!PlaceItem(false))
        return;
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0)
        return;
    TBitmap b;
    b.SetSize(w, h);
    FillState(b.Canvas(), Rect(0, 0, w, h), FDown, FMouseIn || Active);
    PrepareFont(b.Canvas(), false, "", 0, {});
    DrawContent(&b, Rect(0, 0, w, h), Active, FDown, true);
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

// "Another item" is another object: items of unnamed menu items share an
// empty name, and the menu must still move between them.
void TbsSkinMainMenuBarItem::LeaveActiveItem()
{
    for (int i = Parent->ButtonsCount; i < Parent->ObjectCount(); ++i)
        if (TbsSkinMainMenuBarItem* other = Parent->ItemOf(i); other && other != this && other->Active) {
            other->MouseLeave();
            return;
        }
}

bool TbsSkinMainMenuBarItem::ReleaseOtherDownItem()
{
    for (int i = Parent->ButtonsCount; i < Parent->ObjectCount(); ++i)
        if (TbsSkinMainMenuBarItem* other = Parent->ItemOf(i); other && other != this && other->FDown) {
            other->SetDown(false);
            return true;
        }
    return false;
}

void TbsSkinMainMenuBarItem::MouseEnter()
{
    if (ReleaseOtherDownItem()) {
        Active = true;
        FMouseIn = true;
        if (EnableMorphing())
            SetMorphKf(1);
        if (MenuItem->Count() > 0) {
            if (MenuItem->OnClick)
                MenuItem->OnClick(Parent);
            SetDown(true);
            return;
        }
        // An item without a submenu is a command: reaching it closes the
        // other item's menu and runs nothing (its click would be its command).
        ReDraw();
        if (TbsSkinForm* form = Parent->SkinForm(); form && form->SkinMenu()->Visible()) {
            form->SkinMenu()->ClosePopups(0);
            form->MainMenuPopupClosed();
        }
        return;
    }
    LeaveActiveItem();
    FMouseIn = true;
    Active = true;
    ReDraw();
    if (Parent->OnItemMouseEnter)
        Parent->OnItemMouseEnter(MenuItem);
    Parent->Hint = MenuItem->Hint;
}

void TbsSkinMainMenuBarItem::MouseLeave()
{
    Active = false;
    FMouseIn = false;
    if (EnableAnimation() && !InActiveAnimation) {
        CurrentFrame = 0;
        DrawNow(Parent, [this](TCanvas* C) { Draw(C); });
    }
    if (EnableMorphing() && FDown)
        SetMorphKf(0);
    ReDraw();
    if (Parent->OnItemMouseLeave)
        Parent->OnItemMouseLeave(MenuItem);
}

void TbsSkinMainMenuBarItem::MouseDown(int, int, TMouseButtonKind Button)
{
    TbsSkinForm* form = Parent->SkinForm();
    if (Button != mbLeft || !Enabled || !form)
        return;
    if (MenuItem->Count() > 0) {
        Parent->MenuActive = true;
        Parent->Repaint();
        if (MenuItem->OnClick)
            MenuItem->OnClick(Parent);
        SetDown(true);
        return;
    }
    // A command from the bar ends menu mode before it runs.
    if (form->InMainMenu)
        form->ExitMainMenuMode();
    form->InMenu = false;
    if (EnableMorphing())
        ReDraw();
    else
        Parent->DrawSkinObject(this);
    if (TMenu* menu = MenuItem->GetParentMenu())
        menu->DispatchCommand(MenuItem->Command());
}

void TbsSkinMainMenuBarItem::SetDown(bool AValue)
{
    if (AValue) {
        FDown = true;
        SetMorphKf(1);
        Parent->DrawSkinObject(this);
        TbsSkinForm* form = Parent->SkinForm();
        if (form && !form->InMainMenu && form->OnMainMenuEnter)
            form->OnMainMenuEnter(Parent);
        PopupItemMenu();
        return;
    }
    FDown = false;
    Active = false;
    if (EnableAnimation()) {
        if (InActiveAnimation) {
            CurrentFrame = FrameCount + 1;
            ReDraw();
        } else {
            CurrentFrame = 0;
            Parent->DrawSkinObject(this);
        }
    } else if (EnableMorphing()) {
        SetMorphKf(1);
        ReDraw();
    } else {
        Parent->DrawSkinObject(this);
    }
}

void TbsSkinMainMenuBarItem::PopupItemMenu()
{
    TbsSkinForm* form = Parent->SkinForm();
    if (!form)
        return;
    const TPoint o = Parent->ClientToScreen(Point(0, 0));
    const TRect r = OffsetRect(ObjectRect, o.X, o.Y);
    form->SkinMenuOpen();
    form->InMainMenu = true;
    form->SkinMenu()->Popup(nullptr, Parent->SkinData(), 0, r, MenuItem, Parent->PopupToUp);
}

} // namespace skin
