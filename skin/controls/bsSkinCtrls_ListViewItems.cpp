// Items of the skinned list view drawn from the skin (DrawSkin): the
// selected item on a list-box item picture, check boxes from a check-box
// record, sub-items and skinned grid lines.
#include "skin/controls/bsSkinCtrls_ListView.h"

#include "skin/core/bsSkinData_EditControls.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {
bool OddFont(TFont* F) { return std::abs(F->Height()) % 2 == 1; }
} // namespace

void TbsSkinCustomListView::DrawSkinSubItems(TCanvas* C, TListItem* Item, const TRect& BR, int AOffsetX,
                                             TCustomDrawState State, bool AOddFont)
{
    int x = Columns()->Count() > 0 ? Column(0)->Width() : 0;
    const TStringList* sub = Item->SubItems();
    // Columns in index order; sub-items past the last column and hidden
    // (width 0) columns are not drawn.
    for (int i = 0; i < sub->Count() && i + 1 < Columns()->Count(); ++i) {
        TListColumn* col = Column(i + 1);
        int w = col->Width();
        TRect t = Rect(BR.Left + AOffsetX + x, BR.Top, BR.Left + AOffsetX + x + w, BR.Bottom);
        x += w;
        if (w <= 0)
            continue;
        if (C->Brush()->Style() != bsClear)
            C->FillRect(t);
        t = Rect(t.Left + 3, t.Top + (AOddFont ? 1 : 0), t.Right - 3, t.Bottom);
        if (t.IsEmpty())
            continue;
        if (OnDrawSkinSubItem) {
            OnDrawSkinSubItem(this, Item, i, State, C, t);
            continue;
        }
        TCustomImageList* images = SmallImages();
        if (int image = Item->SubItemImages(i); images && image >= 0 && image < images->Count()) {
            images->Draw(C, t.Left, t.Top, image, Enabled());
            t.Left += images->Width() + 3;
        }
        std::string s = sub->Strings(i);
        EllipsizeText(C, s, t.Width());
        DrawTextAligned(C, s, t, col->Alignment());
    }
}

void TbsSkinCustomListView::SkinCustomDrawItem(TCustomListView*, TListItem* Item, TCustomDrawState State, bool& DefaultDraw)
{
    // Without a list-box record (also with one of another kind) the platform draws.
    auto* rec = FindSkinRecord<TbsDataSkinListBox>(ItemSkinDataName);
    if (!rec)
        return;
    DefaultDraw = false;
    TbsPicture* picture = ActivePicture(*FSD, rec->PictureIndex);
    TCanvas* c = Canvas();
    int index = Item->Index();
    TViewStyle style = ViewStyle();
    TRect lr = ItemRect(index, drLabel);
    if (style == vsList)
        lr.Right = lr.Left + c->TextWidth(Item->Caption()) + 2;
    TRect ir = ItemRect(index, drIcon);
    TCustomImageList* images = style == vsIcon ? LargeImages() : SmallImages();
    if (style == vsIcon)
        lr = OffsetRect(lr, 2, 0);
    TRect br = ItemRect(index, drBounds);
    TRect sr;
    switch (style) {
    case vsIcon: sr = ItemRect(index, drLabel); break;
    case vsList: sr = Rect(lr.Left, lr.Top, lr.Right + (Item->Caption().empty() ? 20 : 4), lr.Bottom); break;
    default:
        sr = ItemRect(index, drSelectBounds);
        sr.Left = lr.Left;
        break;
    }
    sr.Bottom -= 1;
    int cut = style == vsReport ? 3 : 2;
    bool focused = Focused();
    if ((State & cdsSelected) && sr.Width() > 0 && sr.Height() > 0) {
        TBitmap b;
        b.SetSize(sr.Width(), sr.Height());
        if (picture)
            CreateStretchSkinImage(&b, picture, focused ? rec->FocusItemRect : rec->ActiveItemRect, rec->ItemTextRect, true);
        TCanvas* bc = b.Canvas();
        bc->SetFont(Font());
        bc->Font()->SetColor(focused ? rec->FocusFontColor : rec->ActiveFontColor);
        bc->Brush()->SetStyle(bsClear);
        std::string s = Item->Caption();
        EllipsizeText(c, s, style == vsList ? lr.Width() : lr.Width() - cut);
        TRect t = OffsetRect(lr, -sr.Left, -sr.Top);
        if (style == vsIcon && IconOptions.WrapText) {
            t.Right -= 4;
            DrawMultiLineText(bc, Item->Caption(), t, true);
        } else {
            t.Left += cut;
            DrawTextLeftPlain(bc, s, t);
        }
        if (style == vsReport && RowSelect() && Item->SubItems()->Count() > 0)
            DrawSkinSubItems(bc, Item, Rect(0, 0, br.Width(), b.Height()), br.Left - sr.Left, State, OddFont(Font()));
        c->Draw(sr.Left, sr.Top, &b);
    } else {
        c->FillRect(Rect(br.Left, br.Top, br.Right, br.Bottom - 1));
        std::string s = Item->Caption();
        EllipsizeText(c, s, lr.Width() - cut);
        if (style == vsIcon && IconOptions.WrapText) {
            DrawMultiLineText(c, Item->Caption(), Rect(lr.Left, lr.Top, lr.Right - 4, lr.Bottom), false);
        } else {
            c->Brush()->SetStyle(bsClear);
            DrawTextLeftPlain(c, s, Rect(lr.Left + cut, lr.Top, lr.Right, lr.Bottom));
            c->Brush()->SetStyle(bsSolid);
        }
    }
    int x = style == vsIcon ? ir.Left + ir.Width() / 2 - (images ? images->Width() : 0) / 2 : ir.Left;
    if (images && Item->ImageIndex() >= 0 && Item->ImageIndex() < images->Count())
        images->Draw(c, x, style == vsIcon ? ir.Top + 2 : ir.Top + (ir.Height() - images->Height()) / 2, Item->ImageIndex(), Enabled());
    if (Checkboxes()) {
        auto* check = FindSkinRecord<TbsDataSkinCheckRadioControl>(CheckSkinDataName);
        TbsPicture* cp = check ? ActivePicture(*FSD, check->PictureIndex) : nullptr;
        TRect piece = check ? (Item->Checked() ? check->CheckImageRect : check->UnCheckImageRect) : TRect{};
        if (cp && !piece.IsEmpty()) {
            TBitmap mark;
            mark.SetSize(piece.Width(), piece.Height());
            mark.Canvas()->CopyRect(Rect(0, 0, piece.Width(), piece.Height()), cp->Canvas(), piece);
            mark.SetTransparent(true);
            int left = style == vsIcon ? x : ir.Left;
            int cx = left - mark.Width() - 1;
            int cy = style == vsIcon ? ir.Bottom - mark.Height() - 1
                                     : std::max(br.Top, br.Top + ir.Height() / 2 - mark.Height() / 2 - 1);
            c->Draw(cx, cy, &mark);
        }
    }
    if (style == vsReport && Item->SubItems()->Count() > 0 && (!(State & cdsSelected) || !RowSelect())) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color());
        DrawSkinSubItems(c, Item, br, 0, State, false);
    }
    if (style == vsReport && FDrawSkinLines && Columns()->Count() > 0) {
        c->Pen()->SetColor(FLineColor);
        int lx = br.Left;
        for (int i = 0; i < Columns()->Count(); ++i) {
            lx += Column(i)->Width();
            c->MoveTo(lx, br.Top);
            c->LineTo(lx, br.Bottom);
        }
        c->MoveTo(br.Left, br.Bottom - 1);
        c->LineTo(Width(), br.Bottom - 1);
        if (index == 0) {
            c->MoveTo(br.Left, br.Top - 1);
            c->LineTo(Width(), br.Top - 1);
        }
    }
}

} // namespace skin
