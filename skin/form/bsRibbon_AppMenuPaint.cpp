// The application menu's drawing: the backgrounds of the item column and of
// the page area, the frame round the shown page, the back button, the items
// in their normal, hot, selected and active-page looks, the top line, the
// size gripper, and the background of each page.

#include "skin/form/bsRibbon.h"

#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/gfx/Gdi.h"

#include <algorithm>

namespace skin {

using platform::TMessage;

namespace {

// Tiles APicture from (AX, 0) over ACols x ARows steps of its own size.
void TileFrom(TCanvas* C, TBitmap* APicture, int AX, int ACols, int ARows)
{
    for (int i = 0; i < ACols; ++i)
        for (int j = 0; j < ARows; ++j)
            C->Draw(AX + i * APicture->Width(), j * APicture->Height(), APicture);
}

} // namespace

void TbsAppMenu::PaintMenu(TCanvas* C)
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    if (!FData) {
        C->Font()->Assign(Font());
        C->Brush()->SetStyle(platform::bsSolid);
        C->Brush()->SetColor(platform::clBtnShadow);
        C->FillRect(Rect(0, 0, Width(), Height()));
        CalcLayout();
        for (int i = 0; i < FItems->Count(); ++i)
            if (FItems->Items(i)->Visible())
                DrawDefaultItem(C, i);
        return;
    }
    const TbsDataSkinAppMenu& d = *FData;
    TBitmap a;
    a.SetSize(Width(), Height());
    TCanvas* ac = a.Canvas();
    // Under pictures that leave parts uncovered, the built-in look.
    ac->Brush()->SetColor(platform::clBtnShadow);
    ac->FillRect(Rect(0, 0, a.Width(), a.Height()));
    if (TBitmap* bg = FDataBGPicture; bg && bg->Width() > 0 && bg->Height() > 0) {
        const int w = FDataPageBGPicture ? FItemWidth : a.Width();
        if (d.BGStretchEffect)
            ac->StretchDraw(Rect(0, 0, w, a.Height()), bg);
        else
            TileFrom(ac, bg, 0, w / bg->Width() + 1, a.Height() / bg->Height() + 1);
    }
    if (TBitmap* pg = FDataPageBGPicture; pg && pg->Width() > 0 && pg->Height() > 0) {
        if (d.BGPageStretchEffect)
            ac->StretchDraw(Rect(FItemWidth, 0, a.Width(), a.Height()), pg);
        else
            TileFrom(ac, pg, FItemWidth, (a.Width() - FItemWidth) / pg->Width() + 1, a.Height() / pg->Height() + 1);
    }
    if (FActivePage && FDataPicture) {
        TbsFrameStrips f(d, FDataPicture, GetActivePageRect());
        ac->Draw(f.R.Left, f.R.Top, &f.Top);
        f.DrawSidesAndBottom(ac);
    }
    CalcLayout();
    const bool back = !FBackButtonRect.IsEmpty();
    if (back && FDataPicture) {
        const TRect piece = FBackButtonActive && !d.BackButtonActiveRect.IsEmpty() ? d.BackButtonActiveRect
                                                                                   : d.BackButtonRect;
        ac->CopyRect(FBackButtonRect, FDataPicture->Canvas(), piece);
    }
    platform::HDC dc = ac->Handle();
    const int saved = back ? platform::SaveDC(dc) : 0;
    if (back)
        platform::ExcludeClipRect(dc, 0, 0, FItemWidth, FBackButtonRect.Bottom + 2);
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Items(i)->Visible())
            DrawSkinItem(ac, i);
    if (back)
        platform::RestoreDC(dc, saved);
    if (!d.TopLineRect.IsEmpty() && FDataPicture) {
        TBitmap line;
        CreateHSkinImage(d.TopLineOffset1, d.TopLineOffset2, &line, FDataPicture, d.TopLineRect, a.Width(),
                         d.TopLineRect.Height(), true);
        ac->Draw(0, 0, &line);
    }
    if (CanShowGripper() && !d.GripperRect.IsEmpty() && FDataPicture) {
        DrawPicturePiece(ac, a.Width() - d.GripperRect.Width(), a.Height() - d.GripperRect.Height(), FDataPicture,
                         d.GripperRect, true, d.GripperTransparentColor);
    }
    C->Draw(0, 0, &a);
}

// The image and caption of an item in R: the image left of the text when
// the item has one in its list.
void TbsAppMenu::DrawItemText(TCanvas* C, int AIndex, TRect R, bool ASame, int ASpacing)
{
    TbsAppMenuItem* item = FItems->Items(AIndex);
    TCustomImageList* list = item->Page() ? FItemPageImageList : FItemImageList;
    if (list && item->ImageIndex() >= 0 && item->ImageIndex() < list->Count()) {
        if (ASame)
            R.Left = std::max(0, R.Left - (list->Width() + 3));
        DrawImageAndText(C, R, 0, ASpacing, blGlyphLeft, item->Caption(), item->ImageIndex(), list, false,
                         item->Enabled(), false, 0);
        return;
    }
    DrawTextLeft(C, item->Caption(), R);
}

void TbsAppMenu::DrawSkinItem(TCanvas* C, int AIndex)
{
    const TbsDataSkinAppMenu& d = *FData;
    TbsAppMenuItem* item = FItems->Items(AIndex);
    const TRect ir = item->ItemRect;
    const bool page = item->Page() != nullptr;
    const bool same = d.ItemRect == d.PageItemRect;
    const bool activePage = page && item->Page() == FActivePage;
    bool canHighlight = true;
    if (page) {
        canHighlight = ir.Top >= 30;
        if (FActivePage)
            canHighlight = canHighlight && ir.Bottom <= GetActivePageRect().Bottom - 5;
    }
    const bool highlighted = canHighlight && (item->Active || activePage || (AIndex == FItemIndex && item->Enabled()));
    const int indent = page || same ? 20 + (same && FItemImageList ? 3 : 0) : 10;
    auto setFont = [&](TCanvas* AC, TColor AColor, int AHeight) {
        if (UseSkinFont) {
            AC->Font()->SetName(d.FontName);
            AC->Font()->SetStyle(d.FontStyle);
        } else {
            AC->Font()->Assign(Font());
        }
        AC->Font()->SetColor(AColor);
        AC->Font()->SetHeight(AHeight);
        AC->Brush()->SetStyle(platform::bsClear);
    };
    if (highlighted && FDataPicture) {
        TBitmap b;
        int textHeight = 0;
        if (page) {
            const TRect piece = activePage ? d.PageItemActiveRect : d.PageItemRect;
            CreateHSkinImage(d.PageItemOffset1, d.PageItemOffset2, &b, FDataPicture, piece, ir.Width(),
                             activePage ? piece.Height() : ir.Height(), true);
            setFont(b.Canvas(), d.ActiveFontPageColor, d.FontPageHeight);
            textHeight = d.PageItemRect.Height();
        } else {
            CreateHSkinImage(d.ItemOffset1, d.ItemOffset2, &b, FDataPicture, d.ItemRect, ir.Width(), ir.Height(), true);
            setFont(b.Canvas(), d.ActiveFontColor, d.FontHeight);
            textHeight = ir.Height();
        }
        DrawItemText(b.Canvas(), AIndex, Rect(indent, 0, b.Width(), textHeight), same, 3);
        C->Draw(ir.Left, ir.Top, &b);
        return;
    }
    TColor color = page ? d.FontPageColor : d.FontColor;
    if (!item->Enabled())
        color = d.DisabledFontColor;
    setFont(C, color, page ? d.FontPageHeight : d.FontHeight);
    DrawItemText(C, AIndex, Rect(ir.Left + indent, ir.Top, ir.Right, ir.Bottom), same, 3);
}

void TbsAppMenu::DrawDefaultItem(TCanvas* C, int AIndex)
{
    TbsAppMenuItem* item = FItems->Items(AIndex);
    const TRect ir = item->ItemRect;
    const bool page = item->Page() != nullptr;
    const bool activePage = page && item->Page() == FActivePage;
    const int indent = page ? 20 : 10;
    if (!item->Active && !activePage && AIndex != FItemIndex) {
        C->Brush()->SetStyle(platform::bsClear);
        C->Font()->SetColor(item->Enabled() ? platform::clBtnHighlight : platform::cl3DDkShadow);
        DrawItemText(C, AIndex, Rect(ir.Left + indent, ir.Top, ir.Right, ir.Bottom), false, 5);
        return;
    }
    TBitmap b;
    PrepareFaceBitmap(b, ir.Width(), ir.Height() + 2, C);
    TCanvas* bc = b.Canvas();
    if (!page)
        DrawFrame3DLines(bc, Rect(0, 0, b.Width(), b.Height()), platform::cl3DDkShadow, platform::cl3DDkShadow);
    DrawItemText(bc, AIndex, Rect(indent, 0, b.Width(), b.Height()), false, 5);
    if (activePage)
        DrawLargeArrowImage(bc, Rect(b.Width() - 5, 0, b.Width(), b.Height()), platform::clWindow, 1);
    C->Draw(ir.Left, ir.Top, &b);
}

// ---------------------------------------------------------------- pages

void TbsAppMenuPage::PaintPageBackground(platform::HDC ADC)
{
    const int w = ClientWidth(), h = ClientHeight();
    if (w <= 0 || h <= 0)
        return;
    TCanvas c;
    c.SetHandle(ADC);
    TBitmap clientPart;
    if (AppMenu) {
        AppMenu->GetSkinData();
        if (AppMenu->FData && AppMenu->FDataPicture) {
            const TbsDataSkinAppMenu& d = *AppMenu->FData;
            CopyClientPart(&clientPart, AppMenu->FDataPicture, d.SkinRect, d.ClRect);
        }
    }
    if (clientPart.Width() > 0 && clientPart.Height() > 0) {
        DrawStretched(&c, &clientPart, w, h, AppMenu->FData->StretchEffect, AppMenu->FData->StretchType);
    } else {
        c.Brush()->SetStyle(platform::bsSolid);
        c.Brush()->SetColor(platform::clWindow);
        c.FillRect(Rect(0, 0, w, h));
    }
    c.SetHandle(nullptr);
}

} // namespace skin
