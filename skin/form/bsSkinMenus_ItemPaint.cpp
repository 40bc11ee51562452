// How an item of a skinned popup window paints itself: separators, captions,
// shortcut texts, submenu arrows, images, check and radio marks, header
// rows and the system-command glyphs; from the skin at its size, from the
// skin stretched to the menu's item height, or in the built-in look.

#include "skin/form/bsSkinMenus.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/controls/ImgList.h"
#include "platform/gfx/Gdi.h"

#include <cstdlib>

namespace skin {

using namespace platform;

namespace {

constexpr TColor HotFill = TColor(15979713);
constexpr UINT TextFlags = DT_CENTER | DT_VCENTER;

// The submenu arrow: a right-pointing triangle 4 wide and 7 high.
void DrawMenuArrow(TCanvas* C, int X, int Y)
{
    for (int i = 0; i < 4; ++i) {
        C->MoveTo(X + i, Y + i);
        C->LineTo(X + i, Y + 7 - i);
    }
}

void DrawMenuCheck(TCanvas* C, int X, int Y)
{
    for (int i = 0; i < 3; ++i) {
        C->MoveTo(X, Y + 5 - i);
        C->LineTo(X + 2, Y + 7 - i);
        C->LineTo(X + 7, Y + 2 - i);
    }
}

void DrawMenuRadio(TCanvas* C, int X, int Y)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(C->Pen()->Color());
    C->Ellipse(X, Y, X + 6, Y + 6);
    C->Brush()->SetStyle(bsClear);
}

using TGlyphDraw = void (*)(TCanvas*, int, int, TColor);

struct TSystemGlyph {
    const char* Name;
    TGlyphDraw Draw;
};

// The items the skin form gives to its system and tray menus.
const TSystemGlyph kSystemGlyphs[] = {
    {"BSF_CLOSE", DrawCloseImage},       {"TRAY_BSF_CLOSE", DrawCloseImage},     {"BSF_MINITEM", DrawMinimizeImage},
    {"BSF_MAXITEM", DrawMaximizeImage},  {"BSF_RESTORE", DrawRestoreImage},      {"TRAY_BSF_RESTORE", DrawRestoreImage},
    {"BSF_ROLLUP", DrawRollUpImage},     {"BSF_MINTOTRAY", DrawMinimizeToTrayImage},
};

TGlyphDraw SystemGlyph(const std::string& AName)
{
    for (const TSystemGlyph& g : kSystemGlyphs)
        if (AName == g.Name)
            return g.Draw;
    return nullptr;
}

bool OddHeight(TCanvas* C) { return std::abs(C->Font()->Height()) % 2 == 1; }

// The caption measured inside R's width and centred on R's height.
TRect MeasuredCaption(TCanvas* C, const std::string& S, const TRect& R)
{
    TRect t = Rect(R.Left, 0, R.Right, 0);
    WideDrawText(C, S, t, DT_CALCRECT);
    const int h = RectHeight(t);
    t.Top = R.Top + RectHeight(R) / 2 - h / 2;
    t.Bottom = t.Top + h;
    t.Right += 2;
    if (OddHeight(C))
        --t.Top;
    return t;
}

} // namespace

void TbsSkinMenuItem::PrepareFont(TCanvas* Canvas, bool AUseSkinFont)
{
    TbsSkinMenu* menu = Parent->ParentMenu;
    TFont* font = Canvas->Font();
    if (AUseSkinFont) {
        font->SetName(MI->FontName);
        font->SetStyle(MI->FontStyle);
        font->SetHeight(MI->FontHeight);
    } else {
        font->Assign(menu->DefaultMenuItemFont());
    }
    if (menu->SkinData && menu->SkinData->ResourceStrData())
        font->SetCharset(menu->SkinData->ResourceStrData()->CharSet);
    else
        font->SetCharset(menu->DefaultMenuItemFont()->Charset());
    Canvas->Brush()->SetStyle(bsClear);
}

void TbsSkinMenuItem::Draw(TCanvas* Cnvs)
{
    if (!FVisible)
        return;
    if (!MI)
        DefaultDraw(Cnvs);
    else if (!Parent->ParentMenu->UseSkinSize)
        ResizeDraw(Cnvs);
    else
        PaintSkinned(Cnvs, false);
}

void TbsSkinMenuItem::ResizeDraw(TCanvas* Cnvs) { PaintSkinned(Cnvs, true); }

void TbsSkinMenuItem::PaintSkinned(TCanvas* Cnvs, bool AResize)
{
    const bool hot = Active || Down;
    const int w = RectWidth(ObjectRect);
    TBitmap b;
    if (IsSeparator()) {
        CreateHSkinImage(MI->DividerLO, MI->DividerRO, &b, ActivePicture, MI->DividerRect, w, RectHeight(MI->DividerRect),
                         MI->DividerStretchEffect);
    } else if (EnableAnimation() && CurrentFrame > 0 && CurrentFrame <= MI->FrameCount) {
        CreateItemImage(&b, hot, true, AResize);
    } else if (EnableMorphing() && !(hot && FMorphKf == 1) && (hot || FMorphKf != 0)) {
        TBitmap normal, active;
        CreateItemImage(&normal, false, false, AResize);
        CreateItemImage(&active, true, false, AResize);
        b.SetSize(normal.Width(), normal.Height());
        DrawMorph(b.Canvas(), normal, active, MI->MorphKind, FMorphKf);
    } else {
        CreateItemImage(&b, hot && (!EnableMorphing() || FMorphKf == 1), false, AResize);
    }
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

TRect TbsSkinMenuItem::GetAnimateFrameRect() const
{
    const TRect& a = MI->AnimateSkinRect;
    const int k = CurrentFrame - 1;
    if (RectHeight(MI->SkinRect) < RectHeight(a)) {
        const int fh = RectHeight(a) / MI->FrameCount;
        return Rect(a.Left, a.Top + k * fh, a.Right, a.Top + (k + 1) * fh);
    }
    const int fw = RectWidth(a) / MI->FrameCount;
    return Rect(a.Left + k * fw, a.Top, a.Left + (k + 1) * fw, a.Bottom);
}

void TbsSkinMenuItem::CreateItemImage(TBitmap* B, bool AActive, bool AAnimationFrame, bool AResize)
{
    TRect src = AActive && !IsNullRect(MI->ActiveSkinRect) ? MI->ActiveSkinRect : MI->SkinRect;
    if (AAnimationFrame)
        src = GetAnimateFrameRect();
    const bool stretch =
        AActive ? MI->StretchEffect : (MI->InActiveStretchEffect || (MI->StretchEffect && AAnimationFrame));
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (!AActive && MI->InActiveTransparent && Parent->FPaintBuffer) {
        B->SetSize(w, h);
        B->Canvas()->CopyRect(Rect(0, 0, w, h), Parent->FPaintBuffer->Canvas(), ObjectRect);
    } else if (!AResize) {
        CreateHSkinImage(MI->ItemLO, MI->ItemRO, B, ActivePicture, src, w, h, stretch);
    } else {
        const int sw = RectWidth(src), sh = RectHeight(src);
        B->SetSize(w, h);
        CreateStretchSkinImage(B, ActivePicture, src, Rect(MI->ItemLO, sh / 4, sw - MI->ItemRO, sh - sh / 4), true);
    }
    DrawItemContent(B, AActive, AResize);
}

// Caption, shortcut, arrow and image or mark over the item's background.
void TbsSkinMenuItem::DrawItemContent(TBitmap* B, bool AActive, bool AResize)
{
    TCanvas* c = B->Canvas();
    TbsSkinMenu* menu = Parent->ParentMenu;
    TCustomImageList* images = Parent->ImgL;
    const int extraH = AResize ? B->Height() - RectHeight(MI->SkinRect) : 0;
    int glyphColumn = images ? Parent->GlyphWidth : 16;
    if (!IsNullRect(MI->ImageRct))
        glyphColumn = 0;
    TRect ta = MI->TextRct;
    ta.Right = B->Width() - (RectWidth(MI->SkinRect) - MI->TextRct.Right);
    ta.Bottom += extraH;
    TRect imageRect = MI->ImageRct;
    imageRect.Bottom += extraH;
    PrepareFont(c, menu->UseSkinFont);
    const TColor textColor = AActive ? MI->ActiveFontColor : MenuItem->Enabled ? MI->FontColor : MI->UnEnabledFontColor;
    c->Font()->SetColor(textColor);
    if (MenuItem->OnDrawItem) {
        MenuItem->OnDrawItem(this, c, ta, AActive);
        return;
    }
    if (IsHeader()) {
        DrawHeaderItem(c, Rect(0, 0, B->Width(), B->Height()), MenuItem->Caption.substr(1, MenuItem->Caption.size() - 2),
                       AResize);
        return;
    }
    const TRect t = MeasuredCaption(c, MenuItem->Caption, Rect(ta.Left + glyphColumn, ta.Top, ta.Right - 16, ta.Bottom));
    TRect captionRect = t;
    WideDrawText(c, MenuItem->Caption, captionRect, TextFlags);
    if (MenuItem->ShortCut != scNone) {
        const std::string s = ShortCutToText(MenuItem->ShortCut);
        TRect sr = Rect(ta.Right - WideTextWidth(c, s) - 16, t.Top, ta.Right - 16, t.Bottom);
        if (OddHeight(c))
            --sr.Top;
        WideDrawText(c, s, sr, TextFlags);
    }
    c->Pen()->SetColor(textColor);
    if (HasSubMenu()) {
        if (IsNullRect(MI->ArrowImageRect))
            DrawMenuArrow(c, ta.Right - 7, ta.Top + RectHeight(ta) / 2 - 4);
        else
            DrawSkinSymbol(c, Rect(ta.Right - RectWidth(MI->ArrowImageRect) - 5, ta.Top, ta.Right, ta.Bottom),
                           MI->ArrowImageRect, MI->ActiveArrowImageRect, AActive);
    }
    const bool hasImage = (MenuItem->HasBitmap() && !MenuItem->Bitmap()->Empty()) ||
                          (images && MenuItem->ImageIndex >= 0 && MenuItem->ImageIndex < images->Count());
    TColor glyphColor = textColor;
    if (MI->UseImageColor)
        glyphColor = AActive ? MI->ActiveImageColor : MI->ImageColor;
    c->Font()->SetColor(glyphColor);
    c->Pen()->SetColor(glyphColor);
    const bool inColumn = IsNullRect(imageRect);
    if (hasImage) {
        const bool fromList = images && MenuItem->ImageIndex >= 0 && MenuItem->ImageIndex < images->Count();
        const int iw = fromList ? images->Width() : MenuItem->Bitmap()->Width();
        const int ih = fromList ? images->Height() : MenuItem->Bitmap()->Height();
        const TPoint p = inColumn ? Point(ta.Left + 2, ta.Top + RectHeight(ta) / 2 - ih / 2)
                                  : Point(imageRect.Left + RectWidth(imageRect) / 2 - iw / 2,
                                          imageRect.Top + RectHeight(imageRect) / 2 - ih / 2);
        if (MenuItem->Checked) {
            c->Brush()->SetStyle(bsClear);
            c->Rectangle(p.X - 1, p.Y - 1, p.X + iw + 1, p.Y + ih + 1);
        }
        if (fromList)
            images->Draw(c, p.X, p.Y, MenuItem->ImageIndex, MenuItem->Enabled);
        else
            c->Draw(p.X, p.Y, MenuItem->Bitmap());
        return;
    }
    const TPoint p = inColumn ? Point(ta.Left + 2, ta.Top + RectHeight(ta) / 2 - 4)
                              : Point(imageRect.Left + RectWidth(imageRect) / 2 - 4,
                                      imageRect.Top + RectHeight(imageRect) / 2 - 4);
    if (TGlyphDraw glyph = SystemGlyph(MenuItem->Name())) {
        glyph(c, p.X, p.Y, glyphColor);
        return;
    }
    if (!MenuItem->Checked)
        return;
    const TRect symbolRect =
        inColumn ? Rect(MI->TextRct.Left + 2, MI->TextRct.Top, MI->TextRct.Left + 16, MI->TextRct.Bottom + extraH)
                 : imageRect;
    if (MenuItem->RadioItem) {
        if (IsNullRect(MI->RadioImageRect))
            DrawMenuRadio(c, p.X, p.Y + 1);
        else
            DrawSkinSymbol(c, symbolRect, MI->RadioImageRect, MI->ActiveRadioImageRect, AActive);
    } else if (IsNullRect(MI->CheckImageRect)) {
        DrawMenuCheck(c, p.X, p.Y);
    } else {
        DrawSkinSymbol(c, symbolRect, MI->CheckImageRect, MI->ActiveCheckImageRect, AActive);
    }
}

// A check, radio or arrow picture of the skin, transparent, centred in R
// but never left of or above it.
void TbsSkinMenuItem::DrawSkinSymbol(TCanvas* Canvas, const TRect& R, const TRect& ANormal, const TRect& AActive,
                                     bool AActiveState)
{
    const TRect src = AActiveState && !IsNullRect(AActive) ? AActive : ANormal;
    TBitmap symbol;
    symbol.SetSize(RectWidth(src), RectHeight(src));
    symbol.Canvas()->CopyRect(Rect(0, 0, RectWidth(src), RectHeight(src)), ActivePicture->Canvas(), src);
    symbol.SetTransparent(true);
    const int x = std::max(R.Left, R.Left + RectWidth(R) / 2 - symbol.Width() / 2);
    const int y = std::max(R.Top, R.Top + RectHeight(R) / 2 - symbol.Height() / 2);
    Canvas->Draw(x, y, &symbol);
}

void TbsSkinMenuItem::DrawHeaderItem(TCanvas* Canvas, const TRect& R, const std::string& Text, bool AResize)
{
    TbsSkinData* sd = Parent->SD;
    if (!sd)
        return;
    int index = sd->GetControlIndex("menuheader");
    if (index == -1)
        index = sd->GetControlIndex("label");
    auto* rec = index == -1 ? nullptr : dynamic_cast<TbsDataSkinLabelControl*>(sd->CtrlList[size_t(index)].get());
    TBitmap* picture = rec ? skin::ActivePicture(*sd, rec->PictureIndex) : nullptr;
    if (!rec || !picture || IsNullRect(rec->SkinRect))
        return;
    const int sw = RectWidth(rec->SkinRect), sh = RectHeight(rec->SkinRect);
    TBitmap image;
    TRect textRect;
    if (!AResize) {
        CreateHSkinImage(rec->LTPoint.X, sw - rec->RTPoint.X, &image, picture, rec->SkinRect, RectWidth(R), sh,
                         rec->StretchEffect);
        textRect = Rect(rec->ClRect.Left, rec->ClRect.Top, image.Width() - (sw - rec->ClRect.Right), image.Height());
    } else {
        image.SetSize(RectWidth(R), RectHeight(R));
        CreateStretchSkinImage(&image, picture, rec->SkinRect, Rect(rec->LTPoint.X, sh / 4, rec->RTPoint.X, sh - sh / 4),
                               true);
        textRect = Rect(rec->ClRect.Left, rec->ClRect.Top, image.Width() - (sw - rec->ClRect.Right),
                        image.Height() - (sh - rec->ClRect.Bottom));
    }
    TCanvas* c = image.Canvas();
    if (AResize) {
        c->Font()->Assign(Parent->ParentMenu->DefaultMenuItemFont());
    } else {
        c->Font()->SetName(rec->FontName);
        c->Font()->SetHeight(rec->FontHeight);
        c->Font()->SetStyle(rec->FontStyle);
    }
    c->Font()->SetCharset(Canvas->Font()->Charset());
    c->Font()->SetColor(rec->FontColor);
    c->Brush()->SetStyle(bsClear);
    if (OddHeight(c))
        --textRect.Top;
    if (AResize)
        textRect = MeasuredCaption(c, Text, textRect);
    WideDrawText(c, Text, textRect, TextFlags | DT_SINGLELINE);
    Canvas->Draw(R.Left, R.Top + RectHeight(R) / 2 - image.Height() / 2, &image);
}

void TbsSkinMenuItem::DefaultDraw(TCanvas* Cnvs)
{
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0)
        return;
    TBitmap b;
    b.SetSize(w, h);
    TCanvas* c = b.Canvas();
    PrepareFont(c, false);
    const bool hot = (Active || Down) && !IsSeparator();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(hot ? HotFill : clWindow);
    c->FillRect(Rect(0, 0, w, h));
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(hot || MenuItem->Enabled ? clWindowText : clBtnShadow);
    TCustomImageList* images = Parent->ImgL;
    const int glyphColumn = images ? Parent->GlyphWidth : 19;
    if (IsSeparator()) {
        TRect line = Rect(0, h / 2, w, h / 2 + 1);
        Frame3D(c, line, clBtnShadow, clBtnShadow, 1);
    } else if (IsHeader()) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnShadow);
        c->FillRect(Rect(0, 0, w, h));
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(clBtnHighlight);
        TRect r = Rect(2, 2, w - 2, h - 2);
        WideDrawText(c, MenuItem->Caption.substr(1, MenuItem->Caption.size() - 2), r, TextFlags | DT_SINGLELINE);
    } else {
        const TRect r2 = Rect(2, 2, w - 2, h - 2);
        const TColor color = c->Font()->Color();
        const TRect t = MeasuredCaption(c, MenuItem->Caption, Rect(r2.Left + glyphColumn, r2.Top, r2.Right - 19, r2.Bottom));
        TRect captionRect = t;
        WideDrawText(c, MenuItem->Caption, captionRect, TextFlags);
        if (MenuItem->ShortCut != scNone) {
            const std::string s = ShortCutToText(MenuItem->ShortCut);
            TRect sr = Rect(r2.Right - 19 - WideTextWidth(c, s), t.Top, r2.Right - 19, t.Bottom);
            WideDrawText(c, s, sr, TextFlags);
        }
        c->Pen()->SetColor(color);
        if (HasSubMenu())
            DrawMenuArrow(c, r2.Right - 7, r2.Top + RectHeight(r2) / 2 - 4);
        const bool fromList = images && MenuItem->ImageIndex >= 0 && MenuItem->ImageIndex < images->Count();
        const bool fromBitmap = !fromList && MenuItem->HasBitmap() && !MenuItem->Bitmap()->Empty();
        const int y = r2.Top + RectHeight(r2) / 2 - 4;
        if (fromList || fromBitmap) {
            const int iw = fromList ? images->Width() : MenuItem->Bitmap()->Width();
            const int ih = fromList ? images->Height() : MenuItem->Bitmap()->Height();
            const TPoint p = Point(r2.Left + 2, r2.Top + RectHeight(r2) / 2 - ih / 2);
            if (MenuItem->Checked)
                c->Rectangle(p.X - 1, p.Y - 1, p.X + iw + 1, p.Y + ih + 1);
            if (fromList)
                images->Draw(c, p.X, p.Y, MenuItem->ImageIndex, MenuItem->Enabled);
            else
                c->Draw(p.X, p.Y, MenuItem->Bitmap());
        } else if (TGlyphDraw glyph = SystemGlyph(MenuItem->Name())) {
            glyph(c, r2.Left + 2, y, color);
        } else if (MenuItem->Checked) {
            if (MenuItem->RadioItem)
                DrawMenuRadio(c, r2.Left + 3, y + 1);
            else
                DrawMenuCheck(c, r2.Left + 3, y);
        }
    }
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

} // namespace skin
