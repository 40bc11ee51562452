// The office item list's drawing: the control image with and without a
// skin, plain and selected items, group headers, lines and check boxes.
#include "skin/boxes/bsSkinExCtrls_OfficeList.h"

#include "skin/boxes/bsSkinBoxes_Look.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

namespace skin {

using namespace platform;

namespace {

constexpr TColor kGrey = TColor(0x808080);

// Keeps a canvas's clipping for the life of the object.
class TSavedClip {
public:
    TSavedClip(TCanvas* C, const TRect& R) : FDC(C->Handle()), FLevel(SaveDC(FDC))
    {
        IntersectClipRect(FDC, R.Left, R.Top, R.Right, R.Bottom);
    }
    ~TSavedClip() { RestoreDC(FDC, FLevel); }
    TSavedClip(const TSavedClip&) = delete;
    TSavedClip& operator=(const TSavedClip&) = delete;

private:
    HDC FDC;
    int FLevel;
};

TRect Shrunk(const TRect& R, int D) { return Rect(R.Left + D, R.Top + D, R.Right - D, R.Bottom - D); }

} // namespace

void TbsSkinOfficeListBox::CreateControlSkinImage(TBitmap* B)
{
    TbsSkinCustomControl::CreateControlSkinImage(B);
    DrawItems(B->Canvas());
}

void TbsSkinOfficeListBox::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    Frame3D(c, r, clBtnShadow, clBtnShadow, 1);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWindow);
    c->FillRect(Shrunk(r, 1));
    DrawItems(c);
}

void TbsSkinOfficeListBox::DrawItems(TCanvas* C)
{
    CalcItemRects();
    TSavedClip clip(C, FItemsRect);
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Items(i)->IsVisible)
            DrawItem(i, C);
}

void TbsSkinOfficeListBox::DrawItem(int Index, TCanvas* Cnvs)
{
    if (FIndex == -1)
        DefaultDrawItem(Index, Cnvs);
    else
        SkinDrawItem(Index, Cnvs);
}

void TbsSkinOfficeListBox::SetItemFont(TCanvas* C, const TbsSkinFontFields* ARecordFont, TColor AColor)
{
    AssignCaptionFont(C->Font(), DefaultFont(), FSD, UseSkinFont && ARecordFont, ARecordFont ? *ARecordFont : TbsSkinFontFields());
    C->Font()->SetColor(AColor);
}

void TbsSkinOfficeListBox::SkinDrawItem(int Index, TCanvas* C)
{
    TbsSkinOfficeItem* item = FItems->Items(Index);
    if (item->Header()) {
        SkinDrawHeaderItem(Index, C);
        return;
    }
    auto* rec = FindSkinRecord<TbsDataSkinListBox>(FSD, ItemSkinDataName);
    if (!rec)
        return;
    const TRect r = Shrunk(item->ItemRect, 2);
    C->Brush()->SetStyle(bsClear);
    // Black text on a black disabled colour would hide disabled items.
    if (rec->FontColor == 0 && FDisabledFontColor == 0)
        FDisabledFontColor = kGrey;
    const bool ownColours = FSkinDataName == "listbox" || FSkinDataName == "memo" || FSkinDataName == "menupagepanel";
    const TColor plainColor = !item->Enabled() ? FDisabledFontColor
                              : ownColours     ? rec->FontColor
                                               : FSD->SkinColors().cBtnText();

    if (!(item->Active && item->Enabled())) {
        SetItemFont(C, rec, plainColor);
        TSavedClip clip(C, item->ItemRect);
        if (OnDrawItem)
            OnDrawItem(C, Index, r);
        else
            DrawItemContent(item, C, r, false, FSD->SkinColors().cWindowText());
        if (FShowLines) {
            const TColor pen = C->Pen()->Color();
            C->Pen()->SetColor(FSD->SkinColors().cBtnShadow());
            C->MoveTo(item->ItemRect.Left, item->ItemRect.Bottom - 1);
            C->LineTo(item->ItemRect.Right, item->ItemRect.Bottom - 1);
            C->Pen()->SetColor(pen);
        }
        return;
    }

    const bool focused = Focused();
    TBitmap b;
    b.SetSize(item->ItemRect.Width(), item->ItemRect.Height());
    CreateStretchSkinImage(&b, Picture, focused ? rec->FocusItemRect : rec->ActiveItemRect, rec->ItemTextRect, true);
    TCanvas* bc = b.Canvas();
    SetItemFont(bc, rec, focused ? rec->FocusFontColor : rec->ActiveFontColor);
    bc->Brush()->SetStyle(bsClear);
    const TRect br = Rect(2, 2, b.Width() - 2, b.Height() - 2);
    if (OnDrawItem)
        OnDrawItem(bc, Index, br);
    else
        DrawItemContent(item, bc, br, false, rec->ActiveFontColor);
    C->Draw(item->ItemRect.Left, item->ItemRect.Top, &b);
}

void TbsSkinOfficeListBox::DrawItemContent(TbsSkinOfficeItem* AItem, TCanvas* K, TRect R, bool APlainCaption, TColor ACheckColor)
{
    if (FShowCheckBoxes) {
        auto* ck = FIndex == -1 ? nullptr : FindSkinRecord<TbsDataSkinCheckListBox>(FSD, "checklistbox");
        if (ck) {
            const TRect& piece = AItem->Checked() ? ck->CheckImageRect : ck->UnCheckImageRect;
            const int cw = ck->CheckImageRect.Width();
            DrawTransparentPiece(K, R.Left, R.Top + R.Height() / 2 - ck->CheckImageRect.Height() / 2, Picture, piece);
            R.Left += cw + 5;
            FCheckOffset = cw + 5;
        } else {
            // The unskinned list draws its check mark over the finished item.
            if (AItem->Checked() && FIndex != -1)
                DrawCheckImage(K, R.Left + 2, R.Top + R.Height() / 2 - 5, ACheckColor);
            R.Left += 14;
            FCheckOffset = 14;
        }
    }
    if (!AItem->Title().empty() && FShowItemTitles) {
        TFontStyles style = K->Font()->Style();
        style.Include(fsBold);
        K->Font()->SetStyle(style);
        TRect t = R;
        t.Bottom = t.Top + K->TextHeight(AItem->Title());
        WideDrawText(K, AItem->Title(), t, 0);
        style.Exclude(fsBold);
        K->Font()->SetStyle(style);
        R.Top = t.Bottom;
    }
    if (FImages && AItem->ImageIndex() >= 0 && AItem->ImageIndex() < FImages->Count()) {
        DrawImageAndTextLeft(K, R, 0, 2, blGlyphLeft, AItem->Caption(), AItem->ImageIndex(), FImages, false,
                             AItem->Enabled(), false, clNone);
        return;
    }
    K->Brush()->SetStyle(bsClear);
    if (FShowItemTitles)
        R.Left += 10;   // untitled captions line up with the captions under titles
    TRect m = Rect(0, 0, R.Width(), R.Height());
    WideDrawText(K, AItem->Caption(), m, DT_CALCRECT | DT_WORDBREAK);
    const int y = std::max(R.Top, R.Top + R.Height() / 2 - m.Height() / 2);
    TRect t = Rect(R.Left, y, R.Left + m.Width(), y + m.Height());
    WideDrawText(K, AItem->Caption(), t, APlainCaption ? DT_WORDBREAK : DT_EXPANDTABS | DT_WORDBREAK);
}

void TbsSkinOfficeListBox::SkinDrawHeaderItem(int Index, TCanvas* C)
{
    TbsSkinOfficeItem* item = FItems->Items(Index);
    auto* rec = FindSkinRecord<TbsDataSkinLabelControl>(FSD, HeaderSkinDataName);
    if (!rec)
        rec = FindSkinRecord<TbsDataSkinLabelControl>(FSD, "label");
    if (!rec)
        return;
    TBitmap b;
    b.SetSize(item->ItemRect.Width(), item->ItemRect.Height());
    if (TbsPicture* pic = ActivePicture(*FSD, rec->PictureIndex))
        CreateStretchSkinImage(&b, pic, rec->SkinRect, rec->ClRect, true);
    TRect t = Rect(1, 1, b.Width() - 1, b.Height() - 1);
    if (FHeaderLeftAlignment)
        t.Left = rec->ClRect.Left;
    TCanvas* bc = b.Canvas();
    bc->Font()->SetName(rec->FontName);
    bc->Font()->SetHeight(rec->FontHeight);
    bc->Font()->SetStyle(rec->FontStyle);
    bc->Font()->SetColor(rec->FontColor);
    bc->Brush()->SetStyle(bsClear);
    WideDrawText(bc, item->Caption(), t, DT_SINGLELINE | DT_VCENTER | (FHeaderLeftAlignment ? DT_LEFT : DT_CENTER));
    C->Draw(item->ItemRect.Left, item->ItemRect.Top, &b);
}

void TbsSkinOfficeListBox::DefaultDrawItem(int Index, TCanvas* C)
{
    TbsSkinOfficeItem* item = FItems->Items(Index);
    TColor brush = clWindow, text = item->Enabled() ? clWindowText : kGrey;
    if (item->Header()) {
        brush = clBtnShadow;
        text = clBtnHighlight;
    } else if (item->Active) {
        brush = clHighlight;
        text = clHighlightText;
    }
    C->Font()->Assign(DefaultFont());
    C->Font()->SetColor(text);
    TSavedClip clip(C, item->ItemRect);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(brush);
    C->FillRect(item->ItemRect);
    C->Brush()->SetStyle(bsClear);
    TRect r = Shrunk(item->ItemRect, 2);
    if (item->Header()) {
        WideDrawText(C, item->Caption(), r, DT_SINGLELINE | DT_VCENTER | (FHeaderLeftAlignment ? DT_LEFT : DT_CENTER));
    } else {
        if (OnDrawItem)
            OnDrawItem(C, Index, item->ItemRect);
        else
            DrawItemContent(item, C, r, true, text);
        if (FShowLines) {
            C->Pen()->SetColor(clBtnFace);
            C->MoveTo(item->ItemRect.Left, item->ItemRect.Bottom - 1);
            C->LineTo(item->ItemRect.Right, item->ItemRect.Bottom - 1);
        }
        if (FShowCheckBoxes && item->Checked())
            DrawCheckImage(C, item->ItemRect.Left + 2, item->ItemRect.Top + item->ItemRect.Height() / 2 - 5, text);
    }
    if (item->Active && Focused())
        C->DrawFocusRect(item->ItemRect);
}

} // namespace skin
