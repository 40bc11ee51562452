// Painting of the skinned page control: frame, tab strip and tabs, each tab
// drawn lying in a bitmap and turned for tabs at the sides.
#include "skin/boxes/bsSkinTabs.h"

#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/controls/bsSkinCtrls_Helpers.h"
#include "skin/core/bseffects_EffectBmp.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"

#include <algorithm>
#include <memory>

namespace skin {

using namespace platform;

namespace {

enum TTurn { tnCCW, tnCW, tnFlip };

// B turned or flipped, as a new 24-bit image.
std::unique_ptr<TbsEffectBmp> Turned(TBitmap* B, TTurn ATurn)
{
    std::unique_ptr<TbsEffectBmp> src(TbsEffectBmp::CreateFromhWnd(B->Handle()));
    bool swap = ATurn != tnFlip;
    auto dst = std::make_unique<TbsEffectBmp>(swap ? src->Height : src->Width, swap ? src->Width : src->Height);
    if (ATurn == tnCCW)
        src->Rotate90_1(*dst);
    else if (ATurn == tnCW)
        src->Rotate90_2(*dst);
    else
        src->FlipVert(*dst);
    return dst;
}

void TurnInPlace(TBitmap* B, TTurn ATurn)
{
    if (B->Width() <= 0 || B->Height() <= 0)
        return;
    auto t = Turned(B, ATurn);
    B->SetSize(t->Width, t->Height);
    t->Draw(B->Canvas()->Handle(), 0, 0);
}

void DrawTurned(TCanvas* C, TBitmap* B, int X, int Y, TTurn ATurn)
{
    if (B->Width() <= 0 || B->Height() <= 0)
        return;
    Turned(B, ATurn)->Draw(C->Handle(), X, Y);
}

} // namespace

void RotateBitmapCCW(TBitmap* B) { TurnInPlace(B, tnCCW); }
void RotateBitmapCW(TBitmap* B) { TurnInPlace(B, tnCW); }
void FlipBitmapVert(TBitmap* B) { TurnInPlace(B, tnFlip); }

TRect TbsSkinPageControl::FrameRect()
{
    TRect dr = DisplayRect();
    int l = ClRect.Left, t = ClRect.Top, rb = SkinRect.Width() - ClRect.Right, bb = SkinRect.Height() - ClRect.Bottom;
    return Rect(dr.Left - l, dr.Top - t, dr.Right + rb, dr.Bottom + bb);
}

void TbsSkinPageControl::Paint()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    GetSkinData();
    TCanvas* c = Canvas();
    if (!Skinned())
        PaintDefaultFrame(c);
    else
        PaintSkinFrame(c);
    DrawTabs(c);
}

void TbsSkinPageControl::PaintDefaultFrame(TCanvas* C)
{
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Rect(0, 0, Width(), Height()));
    if (FHideBorder)
        return;
    TRect dr = DisplayRect();
    TRect r = Rect(dr.Left - 1, dr.Top - 1, dr.Right + 1, dr.Bottom + 1);
    Frame3D(C, r, clBtnShadow, clBtnShadow, 1);
}

void TbsSkinPageControl::PaintSkinFrame(TCanvas* C)
{
    if (FHideBorder || !Picture)
        return;
    TRect fr = FrameRect();
    int dx = fr.Width() - SkinRect.Width(), dy = fr.Height() - SkinRect.Height();
    TRect cl = Rect(ClRect.Left, ClRect.Top, ClRect.Right + dx, ClRect.Bottom + dy);
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(LTPoint, RTPoint, LBPoint, RBPoint, ClRect, LTPoint, Point(RTPoint.X + dx, RTPoint.Y),
                           Point(LBPoint.X, LBPoint.Y + dy), Point(RBPoint.X + dx, RBPoint.Y + dy), cl, &left, &top,
                           &right, &bottom, Picture, SkinRect, fr.Width(), fr.Height(), LeftStretch, TopStretch,
                           RightStretch, BottomStretch);
    HDC dc = C->Handle();
    int saved = SaveDC(dc);
    TRect active = GetActiveTabArea();
    // The selected tab, drawn later, covers the frame there.
    if (!active.IsEmpty() && !FHideTabs && Style() == tsTabs)
        ExcludeClipRect(dc, active.Left, active.Top, active.Right, active.Bottom);
    C->Draw(fr.Left, fr.Top, &top);
    C->Draw(fr.Left, fr.Top + top.Height(), &left);
    C->Draw(fr.Left + fr.Width() - right.Width(), fr.Top + top.Height(), &right);
    C->Draw(fr.Left, fr.Top + fr.Height() - bottom.Height(), &bottom);
    RestoreDC(dc, saved);
    C->Refresh();
}

TRect TbsSkinPageControl::GetActiveTabArea()
{
    if (TabIndex() < 0 || TabIndex() >= PageCount() || TabCount() == 0 || !ActivePage())
        return TRect{};
    TRect a = GetTabRect(TabIndex());
    int d = Skinned() ? ActiveTabRect.Height() - TabRect.Height() : 0;
    switch (TabPosition()) {
    case tpTop: a.Bottom += d; break;
    case tpBottom: a.Top -= d; break;
    case tpLeft: a.Right += d; break;
    case tpRight: a.Left -= d; break;
    }
    return a;
}

void TbsSkinPageControl::DrawTabs(TCanvas* C)
{
    if (FHideTabs || PageCount() == 0)
        return;
    int n = TabCount();
    auto pageOf = [&](int ATab) { return PageOfTab(ATab)->PageIndex(); };
    if (!Skinned()) {
        for (int i = 0; i < n; ++i)
            DrawTab(pageOf(i), GetTabRect(i), C, i == FActiveTabIndex, i == TabIndex());
        return;
    }
    TRect fr = FrameRect();
    TTabPosition pos = TabPosition();
    TRect strip;
    switch (pos) {
    case tpTop: strip = Rect(0, 0, Width(), fr.Top); break;
    case tpBottom: strip = Rect(0, fr.Bottom, Width(), Height()); break;
    case tpLeft: strip = Rect(0, 0, fr.Left, Height()); break;
    case tpRight: strip = Rect(fr.Right, 0, Width(), Height()); break;
    }
    if (strip.Width() > 0 && strip.Height() > 0) {
        TBitmap s;
        s.SetSize(strip.Width(), strip.Height());
        TRect bg = TabsBGRect.IsEmpty() ? OffsetRect(ClRect, SkinRect.Left, SkinRect.Top) : TabsBGRect;
        if (FTabsBGTransparent) {
            TRect under = pos == tpTop ? Rect(0, 0, Width(), fr.Top)
                          : pos == tpBottom ? Rect(0, fr.Bottom, Width(), Height())
                          : pos == tpLeft ? Rect(0, 0, fr.Left, fr.Bottom)
                                          : Rect(fr.Right, 0, Width(), Height());
            PaintParentBackgroundAt(this, under, s.Canvas());
        } else if (Picture && bg.Width() > 0 && bg.Height() > 0) {
            for (int y = 0; y < s.Height(); y += bg.Height())
                for (int x = 0; x < s.Width(); x += bg.Width())
                    s.Canvas()->CopyRect(Rect(x, y, x + bg.Width(), y + bg.Height()), Picture->Canvas(), bg);
        }
        for (int i = 0; i < n; ++i) {
            if (i == TabIndex())
                continue;
            TRect r = GetTabRect(i);
            if (pos == tpBottom)
                r = OffsetRect(r, 0, -fr.Bottom);
            else if (pos == tpRight)
                r = OffsetRect(r, -fr.Right, 0);
            DrawTab(pageOf(i), r, s.Canvas(), i == FActiveTabIndex, false);
        }
        HDC dc = C->Handle();
        int saved = SaveDC(dc);
        TRect active = GetActiveTabArea();
        if (!active.IsEmpty())
            ExcludeClipRect(dc, active.Left, active.Top, active.Right, active.Bottom);
        C->Draw(strip.Left, strip.Top, &s);
        RestoreDC(dc, saved);
        C->Refresh();
    }
    if (TabIndex() >= 0 && TabIndex() < n) {
        TRect r = GetTabRect(TabIndex());
        int d = Style() == tsTabs ? ActiveTabRect.Height() - TabRect.Height() : 0;
        if (pos == tpBottom)
            r = OffsetRect(r, 0, -d);
        else if (pos == tpRight)
            r = OffsetRect(r, -d, 0);
        DrawTab(pageOf(TabIndex()), r, C, TabIndex() == FActiveTabIndex, true);
    }
}

void TbsSkinPageControl::DrawTab(int APage, TRect R, TCanvas* C, bool AMouseIn, bool ASelected)
{
    if (FHideTabs || APage < 0 || APage >= PageCount())
        return;
    TTabSheet* page = Pages(APage);
    TTabPosition pos = TabPosition();
    bool side = pos == tpLeft || pos == tpRight;
    bool hasImage = FTabImages && page->ImageIndex() >= 0 && page->ImageIndex() < FTabImages->Count();
    int w = side ? R.Height() : R.Width(), h = side ? R.Width() : R.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap b;
    b.SetSize(w, h);
    TCanvas* bc = b.Canvas();
    TRect br = Rect(0, 0, w, h);
    bool focused = Focused();
    bool skinned = Skinned() && Picture;
    TColor textColor = Font()->Color();
    if (!skinned) {
        if (AMouseIn && !ASelected) {
            bc->Brush()->SetColor(HotFillColor);
            bc->FillRect(br);
        } else if (ASelected) {
            Frame3D(bc, br, HotFrameColor, HotFrameColor, 1);
            bc->Brush()->SetColor(focused ? DownFillColor : HotFillColor);
            bc->FillRect(br);
        } else {
            bc->Brush()->SetColor(clBtnFace);
            bc->FillRect(br);
        }
        bc->SetFont(Font());
    } else {
        if (Style() != tsTabs) {
            DrawButtonTab(&b, ASelected, AMouseIn);
            textColor = bc->Font()->Color();
        } else {
            TRect p = AMouseIn && !ASelected && !MouseInTabRect.IsEmpty() ? MouseInTabRect
                      : ASelected && focused                              ? FocusTabRect
                      : ASelected                                         ? ActiveTabRect
                                                                          : TabRect;
            if (TabHeight() > 0) {
                if (ASelected) {
                    int grow = ActiveTabRect.Height() - TabRect.Height();
                    if (grow <= 0 && focused)
                        grow = FocusTabRect.Height() - TabRect.Height();
                    if (grow > 0)
                        b.SetSize(w, h + grow);
                }
                int q = TabRect.Height() / 4;
                CreateStretchSkinImage(&b, Picture, p, Rect(TabLeftOffset, q, p.Width() - TabRightOffset, p.Height() - q), true);
            } else {
                CreateHSkinImage(TabLeftOffset, TabRightOffset, &b, Picture, p, w, h, TabStretchEffect);
            }
            if (ASelected && R.Left == 0 && !TabLeftBottomActiveRect.IsEmpty() && !MultiLine() && !side) {
                TRect piece = focused ? TabLeftBottomFocusRect : TabLeftBottomActiveRect;
                bc->CopyRect(Rect(0, b.Height() - piece.Height(), piece.Width(), b.Height()), Picture->Canvas(), piece);
            }
            textColor = AMouseIn && !ASelected ? MouseInFontColor : ASelected && focused ? FocusFontColor : ASelected ? ActiveFontColor : FontColor;
        }
        if (pos == tpBottom)
            FlipBitmapVert(&b);
        br = Rect(0, 0, b.Width(), b.Height());
        if (UseSkinFont) {
            bc->Font()->SetName(FontName);
            bc->Font()->SetStyle(FontStyle);
            bc->Font()->SetHeight(FontHeight);
        } else {
            bc->SetFont(Font());
        }
    }
    bc->Font()->SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet : Font()->Charset());
    bc->Font()->SetColor(textColor);
    bc->Brush()->SetStyle(bsClear);
    if (side && FTextInHorizontal) {
        if (pos == tpLeft)
            RotateBitmapCCW(&b);
        else
            RotateBitmapCW(&b);
        br = Rect(0, 0, b.Width(), b.Height());
    }
    if (skinned && ShowFocus && focused && ASelected) {
        TRect f = Rect(br.Left + FocusOffsetX, br.Top + FocusOffsetY, br.Right - FocusOffsetX, br.Bottom - FocusOffsetY);
        bc->Brush()->SetStyle(bsSolid);
        bc->Brush()->SetColor(FSD->SkinColors().cBtnFace());
        DrawDotFocusRect(bc, f);
        bc->Brush()->SetStyle(bsClear);
    }
    int shift = 0;
    if (skinned && TabRect.Height() != ActiveTabRect.Height() && !ASelected) {
        shift = pos == tpTop || pos == tpLeft ? 2 : -2;
        br.Top += shift;
    }
    int cw = FShowCloseButtons ? FCloseSize + 2 : 0;
    int cut = skinned ? cw + 3 : cw;
    if (OnDrawSkinTab) {
        OnDrawSkinTab(APage, Rect(0, 0, b.Width(), b.Height()), ASelected, AMouseIn, bc);
    } else if (hasImage || FTabExtendedDraw) {
        TRect tb = Rect(br.Left, br.Top, br.Right - cw, br.Bottom);
        if (FTabExtendedDraw)
            DrawImageAndText(bc, tb, FTabMargin, FTabSpacing, FTabLayout, page->Caption(), page->ImageIndex(),
                             FTabImages, false, page->Enabled(), false, 0);
        else
            DrawTabImageAndText(bc, b.Width() - cw, b.Height(), shift, page->Enabled(), page->ImageIndex(), page->Caption());
        if (cw)
            br.Right -= cut;
    } else {
        if (cw)
            br.Right -= cut;
        DrawText(bc->Handle(), page->Caption(), &br, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    if (FShowCloseButtons) {
        auto* sheet = dynamic_cast<TbsSkinCustomTabSheet*>(page);
        if (sheet && !AMouseIn)
            sheet->ButtonMouseIn = false;
        DrawCloseButton(bc, Rect(br.Right, br.Top + shift, b.Width(), br.Bottom), b.Width(), b.Height(), APage);
    }
    if (side && !FTextInHorizontal)
        DrawTurned(C, &b, R.Left, R.Top, pos == tpLeft ? tnCCW : tnCW);
    else
        C->Draw(R.Left, R.Top, &b);
}

void TbsSkinPageControl::DrawButtonTab(TBitmap* B, bool APressed, bool AActive)
{
    int ri = FSD ? FSD->GetControlIndex(ButtonTabSkinDataName) : -1;
    auto* rec = ri == -1 ? nullptr : dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[size_t(ri)].get());
    TbsPicture* p = rec ? ActivePicture(*FSD, rec->PictureIndex) : nullptr;
    if (!p)
        return;
    TRect normal = rec->SkinRect;
    TRect active = rec->ActiveSkinRect.IsEmpty() ? normal : rec->ActiveSkinRect;
    TRect down = rec->DownSkinRect.IsEmpty() ? active : rec->DownSkinRect;
    TRect piece = APressed ? down : AActive ? active : normal;
    int dx = B->Width() - normal.Width(), dy = B->Height() - normal.Height();
    TRect cl = Rect(rec->ClRect.Left, rec->ClRect.Top, rec->ClRect.Right + dx, rec->ClRect.Bottom + dy);
    int w = B->Width(), h = B->Height();
    CreateSkinImage(rec->LTPoint, rec->RTPoint, rec->LBPoint, rec->RBPoint, rec->ClRect, rec->LTPoint,
                    Point(rec->RTPoint.X + dx, rec->RTPoint.Y), Point(rec->LBPoint.X, rec->LBPoint.Y + dy),
                    Point(rec->RBPoint.X + dx, rec->RBPoint.Y + dy), cl, B, p, piece, w, h, true, rec->LeftStretch,
                    rec->TopStretch, rec->RightStretch, rec->BottomStretch, rec->StretchEffect, rec->StretchType);
    B->Canvas()->Font()->SetColor(APressed ? rec->DownFontColor : AActive ? rec->ActiveFontColor : rec->FontColor);
}

void TbsSkinPageControl::DrawCloseButton(TCanvas* C, TRect CR, int W, int H, int APage)
{
    auto* page = dynamic_cast<TbsSkinCustomTabSheet*>(Pages(APage));
    bool hot = page && page->ButtonMouseIn;
    bool down = page && page->ButtonMouseDown && page->ButtonMouseIn;
    int ym = CR.Top + CR.Height() / 2;
    TRect br;
    if (!Skinned() || !Picture) {
        br = Rect(CR.Left, ym - 7, CR.Left + 14, ym + 7);
        DrawCloseImage(C, br.Left + 2, br.Top + 2, hot ? TColor(0xFFFFFF) : TColor(0));
    } else if (CloseButtonRect.IsEmpty()) {
        int ri = FSD->GetControlIndex("resizetoolbutton");
        auto* rec = ri == -1 ? nullptr : dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[size_t(ri)].get());
        TbsPicture* p = rec ? ActivePicture(*FSD, rec->PictureIndex) : nullptr;
        if (!p)
            return;
        TBitmap b;
        b.SetSize(FCloseSize, FCloseSize);
        TRect active = rec->ActiveSkinRect.IsEmpty() ? rec->SkinRect : rec->ActiveSkinRect;
        TRect pressed = rec->DownSkinRect.IsEmpty() ? active : rec->DownSkinRect;
        int dx = FCloseSize - rec->SkinRect.Width(), dy = FCloseSize - rec->SkinRect.Height();
        TRect cl = Rect(rec->ClRect.Left, rec->ClRect.Top, rec->ClRect.Right + dx, rec->ClRect.Bottom + dy);
        CreateSkinImage(rec->LTPoint, rec->RTPoint, rec->LBPoint, rec->RBPoint, rec->ClRect, rec->LTPoint,
                        Point(rec->RTPoint.X + dx, rec->RTPoint.Y), Point(rec->LBPoint.X, rec->LBPoint.Y + dy),
                        Point(rec->RBPoint.X + dx, rec->RBPoint.Y + dy), cl, &b, p, down ? pressed : hot ? active : rec->SkinRect,
                        FCloseSize, FCloseSize, true, rec->LeftStretch, rec->TopStretch, rec->RightStretch,
                        rec->BottomStretch, rec->StretchEffect, rec->StretchType);
        DrawCloseImage(b.Canvas(), b.Width() / 2 - 5, b.Height() / 2 - 5, down ? rec->DownFontColor : hot ? rec->ActiveFontColor : rec->FontColor);
        br = Bounds(CR.Left, ym - b.Height() / 2, b.Width(), b.Height());
        C->Draw(br.Left, br.Top, &b);
    } else {
        TRect piece = down ? CloseButtonDownRect : hot ? ClosebuttonActiveRect : CloseButtonRect;
        br = Bounds(CR.Left, ym - piece.Height() / 2, piece.Width(), piece.Height());
        if (ButtonTransparent) {
            TBitmap b;
            b.SetSize(piece.Width(), piece.Height());
            b.Canvas()->CopyRect(Rect(0, 0, piece.Width(), piece.Height()), Picture->Canvas(), piece);
            SetFixedKey(b, ButtonTransparentColor);
            C->Draw(br.Left, br.Top, &b);
        } else {
            C->CopyRect(br, Picture->Canvas(), piece);
        }
    }
    if (!page)
        return;
    // The button's place in the finished (turned) tab.
    bool side = TabPosition() == tpLeft || TabPosition() == tpRight;
    if (side && !FTextInHorizontal && TabPosition() == tpLeft)
        page->ButtonRect = Rect(br.Top, W - br.Right, br.Bottom, W - br.Left);
    else if (side && !FTextInHorizontal)
        page->ButtonRect = Rect(H - br.Bottom, br.Left, H - br.Top, br.Right);
    else
        page->ButtonRect = br;
}

void TbsSkinPageControl::DrawTabImageAndText(TCanvas* C, int W, int H, int AShift, bool AEnabled, int AImageIndex,
                                             const std::string& ACaption)
{
    int tw = 0, th = 0;
    if (!ACaption.empty()) {
        TRect m = Rect(0, 0, 0, 0);
        DrawText(C->Handle(), ACaption, &m, DT_CALCRECT);
        tw = m.Width() + 2;
        th = m.Height();
    }
    int iw = FTabImages ? FTabImages->Width() : 0, ih = FTabImages ? FTabImages->Height() : 0;
    int x = W / 2 - (tw + iw + 2) / 2;
    int y = H / 2 + AShift - ih / 2;
    TRect t = Bounds(x + iw + 2, H / 2 + AShift - th / 2, tw, th);
    DrawText(C->Handle(), ACaption, &t, DT_CENTER);
    if (FTabImages)
        FTabImages->Draw(C, x, y, AImageIndex, AEnabled);
}

} // namespace skin
