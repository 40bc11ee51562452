// The ribbon's drawing: the tab row with its background, the tabs, the
// caption and MDI buttons, the skinned frame round the page area, the page
// area of a ribbon without visible tabs and the background of each page.

#include "skin/form/bsRibbon.h"

#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/ui/Paint.h"

namespace skin {

using platform::TMessage;

// The client part of a skin record's picture: ClRect offset by SkinRect's top-left.
void CopyClientPart(TBitmap* ADst, TBitmap* APicture, const TRect& ASkinRect, const TRect& AClRect)
{
    const TRect src = Rect(ASkinRect.Left + AClRect.Left, ASkinRect.Top + AClRect.Top, ASkinRect.Left + AClRect.Right,
                           ASkinRect.Top + AClRect.Bottom);
    ADst->SetSize(std::max(0, src.Width()), std::max(0, src.Height()));
    CopyPiece(ADst, Rect(0, 0, ADst->Width(), ADst->Height()), APicture, src);
}

void PrepareFaceBitmap(TBitmap& B, int W, int H, TCanvas* C)
{
    B.SetSize(W, H);
    TCanvas* bc = B.Canvas();
    bc->Brush()->SetStyle(platform::bsSolid);
    bc->Brush()->SetColor(platform::clBtnFace);
    bc->FillRect(Rect(0, 0, W, H));
    bc->Font()->Assign(C->Font());
    bc->Font()->SetColor(platform::clBtnText);
    bc->Brush()->SetStyle(platform::bsClear);
}

void DrawPicturePiece(TCanvas* C, int X, int Y, TBitmap* APicture, const TRect& APiece, bool ATransparent, TColor AKey)
{
    TBitmap b;
    b.SetSize(APiece.Width(), APiece.Height());
    CopyPiece(&b, Rect(0, 0, b.Width(), b.Height()), APicture, APiece);
    if (ATransparent) {
        b.SetTransparent(true);
        b.SetTransparentMode(platform::tmFixed);
        b.SetTransparentColor(AKey);
    }
    C->Draw(X, Y, &b);
}

namespace {

// The ribbon's page image: the record's background picture, or the client
// part of its picture; nil without a skin.
TBitmap* PageImage(TbsRibbon& R, TBitmap& AClientPart)
{
    if (!R.FData || !R.SkinData())
        return nullptr;
    if (R.FData->BGPictureIndex != -1)
        if (TBitmap* p = ActivePicture(*R.SkinData(), R.FData->BGPictureIndex))
            return p;
    if (!R.FDataPicture)
        return nullptr;
    CopyClientPart(&AClientPart, R.FDataPicture, R.FData->SkinRect, R.FData->ClRect);
    return &AClientPart;
}

void SetFontStyleBold(TCanvas* C, bool ABold)
{
    platform::TFontStyles s = C->Font()->Style();
    if (ABold)
        s.Include(platform::fsBold);
    C->Font()->SetStyle(s);
}

} // namespace

void TbsRibbon::Paint()
{
    if (WMEraseReady) {
        WMEraseReady = false;
        return;
    }
    PaintRibbon(Canvas());
}

void TbsRibbon::WMEraseBkgnd(TMessage& M)
{
    auto dc = reinterpret_cast<platform::HDC>(M.WParam);
    if (dc) {
        TCanvas c;
        c.SetHandle(dc);
        PaintRibbon(&c);
        c.SetHandle(nullptr);
        WMEraseReady = true;
    }
    M.Result = 1;
}

void TbsRibbon::PaintRibbon(TCanvas* C)
{
    GetSkinData();
    if (Width() < 1 || Height() < 1)
        return;
    if (FData && FDataPicture)
        PaintSkinned(C);
    else
        PaintDefault(C);
}

void TbsRibbon::PaintDefault(TCanvas* C)
{
    const int th = GetTabsHeight();
    C->Brush()->SetStyle(platform::bsSolid);
    C->Brush()->SetColor(platform::clBtnShadow);
    C->FillRect(Rect(0, th + 2, Width(), Height()));
    TBitmap b;
    b.SetSize(Width(), th + 2);
    b.Canvas()->Brush()->SetColor(platform::clBtnShadow);
    b.Canvas()->FillRect(Rect(0, 0, b.Width(), b.Height()));
    if (FTabs->Count() == 0) {
        C->Brush()->SetColor(platform::clBtnFace);
        C->FillRect(PageRect());
    }
    b.Canvas()->Font()->Assign(Font());
    CalcLayout(b.Canvas());
    if (HasVisibleTab())
        for (int i = 0; i < FTabs->Count(); ++i)
            if (FTabs->Items(i)->Visible())
                DrawDefaultTab(b.Canvas(), i);
    if (FButtons->Count() > 0 && FButtonsImageList)
        for (int i = 0; i < FButtons->Count(); ++i)
            DrawButton(b.Canvas(), i);
    for (int i = 0; i < FMDIButtons->Count(); ++i)
        DrawMDIButton(b.Canvas(), i);
    C->Draw(0, 0, &b);
}

void TbsRibbon::PaintSkinned(TCanvas* C)
{
    const TbsDataSkinTabControl& d = *FData;
    const int th = GetTabsHeight();
    const TRect pa = PageRect();
    TbsFrameStrips f(d, FDataPicture, pa);
    TBitmap& top = f.Top;
    TBitmap t;
    t.SetSize(Width(), top.Height() + th);
    TCanvas* tc = t.Canvas();
    tc->Draw(0, t.Height() - top.Height(), &top);
    if (!d.TabsBGRect.IsEmpty()) {
        tc->CopyRect(Rect(0, 0, Width(), th), FDataPicture->Canvas(), d.TabsBGRect);
    } else {
        tc->Brush()->SetStyle(platform::bsSolid);
        tc->Brush()->SetColor(FSD->SkinColors().cBtnShadow());
        tc->FillRect(Rect(0, 0, Width(), th));
    }
    if (FUseSkinFont) {
        tc->Font()->SetName(d.FontName);
        tc->Font()->SetStyle(d.FontStyle);
        tc->Font()->SetHeight(d.FontHeight);
    } else {
        tc->Font()->Assign(Font());
    }
    CalcLayout(tc);
    if (HasVisibleTab())
        for (int i = 0; i < FTabs->Count(); ++i)
            if (FTabs->Items(i)->Visible())
                DrawSkinTab(tc, i);
    if (FButtons->Count() > 0 && FButtonsImageList)
        for (int i = 0; i < FButtons->Count(); ++i)
            DrawButton(tc, i);
    for (int i = 0; i < FMDIButtons->Count(); ++i)
        DrawMDIButton(tc, i);
    f.DrawSidesAndBottom(C);
    C->Draw(0, 0, &t);
    if (!HasVisibleTab())
        DrawEmptyPageArea(C, pa);
}

void TbsRibbon::DrawEmptyPageArea(TCanvas* C, const TRect& PA)
{
    if (Width() < 1 || Height() < 1 || PA.Width() <= 0 || PA.Height() <= 0)
        return;
    TBitmap clientPart;
    TBitmap* image = PageImage(*this, clientPart);
    if (!image)
        return;
    TBitmap area;
    area.SetSize(PA.Width(), PA.Height());
    DrawStretched(area.Canvas(), image, PA.Width(), PA.Height(), FData->StretchEffect, FData->StretchType);
    C->Draw(PA.Left, PA.Top, &area);
}

void TbsRibbon::PaintPageImage(TCanvas* C, int W, int H)
{
    GetSkinData();
    TBitmap clientPart;
    if (TBitmap* image = PageImage(*this, clientPart)) {
        DrawStretched(C, image, W, H, FData->StretchEffect, FData->StretchType);
        return;
    }
    C->Brush()->SetStyle(platform::bsSolid);
    C->Brush()->SetColor(platform::clBtnFace);
    C->FillRect(Rect(0, 0, W, H));
}

// ---------------------------------------------------------------- tabs

void TbsRibbon::DrawTabCaption(TCanvas* C, const std::string& S, const TRect& R, int AWidth)
{
    TRect m = Rect(0, 0, 0, 0);
    WideDrawText(C, S, m, platform::DT_CALCRECT);
    if (m.Width() > AWidth - 6)
        DrawTextLeftPlain(C, S, R);
    else
        DrawTextCentered(C, S, R);
}

void TbsRibbon::DrawDefaultTab(TCanvas* C, int AIndex)
{
    TbsRibbonTab* t = FTabs->Items(AIndex);
    const TRect r = t->ItemRect;
    const std::string caption = t->Page() ? t->Page()->Caption() : std::string();
    if (AIndex == FTabIndex) {
        TBitmap b;
        PrepareFaceBitmap(b, r.Width(), r.Height() + 2, C);
        TCanvas* bc = b.Canvas();
        SetFontStyleBold(bc, FTabBoldStyle);
        DrawTabCaption(bc, caption, Rect(3, 0, b.Width() - 3, b.Height() - 1), r.Width());
        C->Draw(r.Left, r.Top, &b);
        return;
    }
    C->Brush()->SetStyle(platform::bsClear);
    C->Font()->SetColor(platform::clBtnHighlight);
    DrawTabCaption(C, caption, Rect(r.Left + 3, r.Top, r.Right - 3, r.Bottom), r.Width());
    if (FShowDivider) {
        C->Pen()->SetColor(platform::cl3DDkShadow);
        C->MoveTo(r.Right, r.Top);
        C->LineTo(r.Right, r.Bottom + 1);
    }
}

void TbsRibbon::DrawSkinTabImage(TCanvas* C, int AIndex, const TRect& APiece, TColor AColor, bool ABold, int ATextInset)
{
    TbsRibbonTab* t = FTabs->Items(AIndex);
    const TRect r = t->ItemRect;
    TBitmap b;
    CreateHSkinImage(FData->TabLeftOffset, FData->TabRightOffset, &b, FDataPicture, APiece, r.Width(),
                     APiece.Height(), FData->TabStretchEffect);
    TCanvas* bc = b.Canvas();
    bc->Font()->Assign(C->Font());
    bc->Font()->SetColor(AColor);
    SetFontStyleBold(bc, ABold);
    bc->Brush()->SetStyle(platform::bsClear);
    const std::string caption = t->Page() ? t->Page()->Caption() : std::string();
    DrawTabCaption(bc, caption, Rect(3, 0, b.Width() - 3, b.Height() - ATextInset), r.Width());
    C->Draw(r.Left, r.Top, &b);
}

void TbsRibbon::DrawSkinTab(TCanvas* C, int AIndex)
{
    const TbsDataSkinTabControl& d = *FData;
    TbsRibbonTab* t = FTabs->Items(AIndex);
    const bool selected = AIndex == FTabIndex;
    const bool menuOpen = FAppMenu && FAppMenu->Visible();
    if (selected && !menuOpen && Focused() && !d.FocusTabRect.IsEmpty()) {
        DrawSkinTabImage(C, AIndex, d.FocusTabRect, d.FocusFontColor, FTabBoldStyle, 1);
        return;
    }
    if (selected && !menuOpen && !d.ActiveTabRect.IsEmpty()) {
        DrawSkinTabImage(C, AIndex, d.ActiveTabRect, d.ActiveFontColor, FTabBoldStyle, 1);
        return;
    }
    if (t->Active && !d.MouseInTabRect.IsEmpty()) {
        DrawSkinTabImage(C, AIndex, d.MouseInTabRect, d.MouseInFontColor, false, 0);
        return;
    }
    const TRect r = t->ItemRect;
    C->Brush()->SetStyle(platform::bsClear);
    C->Font()->SetColor(t->Active ? d.MouseInFontColor : d.FontColor);
    const std::string caption = t->Page() ? t->Page()->Caption() : std::string();
    DrawTabCaption(C, caption, Rect(r.Left + 3, r.Top, r.Right - 3, r.Bottom), r.Width());
    if (!FShowDivider)
        return;
    if (d.DividerRect.IsEmpty()) {
        C->Pen()->SetColor(FSD->SkinColors().cBtnShadow());
        C->MoveTo(r.Right, r.Top);
        C->LineTo(r.Right, r.Bottom);
        return;
    }
    DrawPicturePiece(C, r.Right - d.DividerRect.Width(), r.Bottom - d.DividerRect.Height(), FDataPicture, d.DividerRect,
                     d.DividerTransparent, d.DividerTransparentColor);
}

// ---------------------------------------------------------------- buttons

void TbsRibbon::DrawButton(TCanvas* C, int AIndex)
{
    TbsRibbonButtonItem* item = FButtons->Items(AIndex);
    if (!item->Visible())
        return;
    const TRect r = item->ItemRect;
    const int w = r.Width();
    const bool pressed = item->Active && item->Down;
    if (w > 0) {
        TBitmap face;
        face.SetSize(w, w);
        bool drawn = false;
        if (FData && FSD) {
            int idx = FSD->GetControlIndex("officeribbonbutton");
            if (idx < 0)
                idx = FSD->GetControlIndex("resizetoolbutton");
            auto* rec = idx < 0 ? nullptr : dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[size_t(idx)].get());
            TBitmap* pic = rec ? ActivePicture(*FSD, rec->PictureIndex) : nullptr;
            if (pic) {
                TRect piece;
                if (pressed || AIndex == FPopupButton)
                    piece = rec->DownSkinRect;
                else if (item->Active)
                    piece = rec->ActiveSkinRect;
                if (!piece.IsEmpty()) {
                    CreateStretchSkinImage(&face, pic, piece, rec->ClRect, true);
                    drawn = true;
                }
            }
        } else if (item->Active) {
            face.Canvas()->Brush()->SetColor(pressed ? platform::cl3DDkShadow : platform::clBtnFace);
            face.Canvas()->FillRect(Rect(0, 0, w, w));
            drawn = true;
        }
        if (drawn)
            C->Draw(r.Left, r.Top, &face);
    }
    if (FButtonsImageList && item->ImageIndex() >= 0 && item->ImageIndex() < FButtonsImageList->Count())
        FButtonsImageList->Draw(C, r.Left + r.Width() / 2 - FButtonsImageList->Width() / 2,
                                r.Top + r.Height() / 2 - FButtonsImageList->Height() / 2 + 1, item->ImageIndex(),
                                item->Enabled());
}

void TbsRibbon::DrawMDIButton(TCanvas* C, int AIndex)
{
    TbsRibbonButtonItem* item = FMDIButtons->Items(AIndex);
    const TRect r = item->ItemRect;
    const bool pressed = item->Active && item->Down;
    if (!FData || !FDataPicture) {
        const TColor color = item->Active || item->Down ? platform::clBtnHighlight : platform::clBtnText;
        const int x = r.Left + r.Width() / 2 - 5, y = r.Top + r.Height() / 2 - 4;
        switch (item->Code) {
        case 1: DrawCloseImage(C, x, y, color); break;
        case 2: DrawRestoreImage(C, x, y, color); break;
        case 3: DrawMinimizeImage(C, x, y, color); break;
        default: break;
        }
        return;
    }
    const TbsDataSkinTabControl& d = *FData;
    // Normal, hot and pressed pieces of each kind, in the order of Code.
    const TRect pieces[3][3] = {{d.MDICloseRect, d.MDICloseActiveRect, d.MDICloseDownRect},
                                {d.MDIRestoreRect, d.MDIRestoreActiveRect, d.MDIRestoreDownRect},
                                {d.MDIMinRect, d.MDIMinActiveRect, d.MDIMinDownRect}};
    if (item->Code < 1 || item->Code > 3)
        return;
    const TRect* kind = pieces[item->Code - 1];
    const TRect normal = kind[0];
    const TRect active = kind[1].IsEmpty() ? normal : kind[1];
    const TRect down = kind[2].IsEmpty() ? active : kind[2];
    const TRect piece = pressed ? down : item->Active ? active : normal;
    if (piece.IsEmpty())
        return;
    DrawPicturePiece(C, r.Left, r.Top, FDataPicture, piece, d.MDIButtonsTransparent, d.MDIButtonsTransparentColor);
}

// ---------------------------------------------------------------- pages

void TbsRibbonPage::PaintPageBackground(platform::HDC ADC)
{
    const int w = ClientWidth(), h = ClientHeight();
    if (!Ribbon || w <= 0 || h <= 0)
        return;
    TCanvas c;
    c.SetHandle(ADC);
    Ribbon->PaintPageImage(&c, w, h);
    c.SetHandle(nullptr);
}

} // namespace skin
