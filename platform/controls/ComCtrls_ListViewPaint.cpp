// Painting of the list view: only the items inside the area being painted
// are fetched and drawn, so a long list costs what is visible.
#include "platform/controls/ComCtrls_ListView.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int kCellMargin = 6;   // text inset of a report cell

void DrawCheckBox(TCanvas* C, const TRect& ACell, bool AChecked)
{
    TRect box = Bounds(ACell.Left + 2, ACell.Top + (ACell.Height() - 13) / 2, 13, 13);
    C->Brush()->SetColor(clWindow);
    C->FillRect(box);
    C->Pen()->SetColor(clBtnShadow);
    C->Brush()->SetStyle(bsClear);
    C->Rectangle(box);
    if (AChecked) {
        C->Pen()->SetColor(clWindowText);
        for (int d = 0; d < 2; ++d) {
            C->MoveTo(box.Left + 3, box.Top + 6 + d);
            C->LineTo(box.Left + 5, box.Top + 8 + d);
            C->LineTo(box.Left + 10, box.Top + 3 + d);
        }
    }
}

} // namespace

TCustomDrawState TCustomListView::ItemDrawState(int AIndex)
{
    TCustomDrawState s = 0;
    if (IsSelectedAt(AIndex))
        s |= cdsSelected;
    if (AIndex == FFocusedIndex)
        s |= cdsFocused;
    if (!FEnabled)
        s |= cdsDisabled;
    return s;
}

void TCustomListView::Paint()
{
    TCanvas* c = Canvas();
    TRect clip = c->ClipRect();
    TRect client = ClientRect();
    TLayout L = Layout();
    c->Brush()->SetColor(FColor);
    c->FillRect(IntersectRect(clip, client));
    int n = FItems.Count();
    TRect area = IntersectRect(clip, L.View);
    if (n > 0 && !area.IsEmpty()) {
        // The items whose cells meet the painted area.
        int h = FScrollBars.Pos(SB_HORZ), v = FScrollBars.Pos(SB_VERT);
        int first = 0, last = -1;
        switch (FViewStyle) {
        case vsReport:
            first = v + (area.Top - L.View.Top) / L.RowH;
            last = v + (area.Bottom - 1 - L.View.Top) / L.RowH;
            break;
        case vsList:
            first = (h + (area.Left - L.View.Left) / L.CellW) * L.PerLine;
            last = (h + (area.Right - 1 - L.View.Left) / L.CellW + 1) * L.PerLine - 1;
            break;
        default:
            first = (v + area.Top - L.View.Top) / L.CellH * L.PerLine;
            last = ((v + area.Bottom - 1 - L.View.Top) / L.CellH + 1) * L.PerLine - 1;
            break;
        }
        first = std::max(0, first);
        last = std::min(n - 1, last);
        HDC dc = c->Handle();
        int saved = SaveDC(dc);
        IntersectClipRect(dc, L.View.Left, L.View.Top, L.View.Right, L.View.Bottom);
        for (int i = first; i <= last; ++i)
            if (!IntersectRect(CellOf(i), area).IsEmpty())
                DrawItem(i, ItemDrawState(i));
        if (FViewStyle == vsReport && FGridLines)
            PaintReportGrid(c, L.View, first, last);
        RestoreDC(dc, saved);
        c->Refresh();
    } else if (FViewStyle == vsReport && FGridLines) {
        PaintReportGrid(c, L.View, 0, -1);
    }
    FScrollBars.Paint(c, client);
}

void TCustomListView::DrawItem(int AIndex, TCustomDrawState AState)
{
    TCanvas* c = Canvas();
    TListItem* item = FOwnerData ? FetchItem(AIndex, irText | irImage | irState) : FItems.FItems[size_t(AIndex)].get();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->SetFont(&FFont);
    bool defaultDraw = true;
    if (OnCustomDrawItem)
        OnCustomDrawItem(this, item, AState, defaultDraw);
    if (defaultDraw)
        DrawItemDefault(AIndex, AState);
}

void TCustomListView::DrawItemDefault(int AIndex, TCustomDrawState AState)
{
    TCanvas* c = Canvas();
    TListItem* item = FOwnerData ? FDataItem.get() : FItems.FItems[size_t(AIndex)].get();
    TRect bounds = ItemRect(AIndex, drBounds);
    TRect icon = ItemRect(AIndex, drIcon);
    TRect label = ItemRect(AIndex, drLabel);
    bool focused = Focused();
    bool highlight = (AState & cdsSelected) && (focused || !FHideSelection);
    TColor textColor = !FEnabled ? clGrayText : highlight && focused ? clHighlightText : FFont.Color();
    HDC dc = c->Handle();

    if (FCheckboxes && FViewStyle != vsIcon)
        DrawCheckBox(c, Rect(icon.Left - 2 - 16, bounds.Top, icon.Left - 2, bounds.Bottom), item->Checked());
    TCustomImageList* images = FViewStyle == vsIcon ? FLargeImages : FSmallImages;
    if (images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count())
        images->Draw(c, icon.Left, icon.Top + (icon.Height() - images->Height()) / 2, item->ImageIndex(), FEnabled);

    // The highlight covers the text (the whole row with row select).
    SelectObject(dc, FFont.Handle());
    TRect mark = label;
    UINT format = DT_NOPREFIX | DT_END_ELLIPSIS;
    if (FViewStyle == vsIcon) {
        format |= DT_CENTER | (IconOptions.WrapText ? DT_WORDBREAK : DT_SINGLELINE);
    } else {
        format |= DT_SINGLELINE | DT_VCENTER;
        if (FViewStyle != vsReport)
            mark.Right = std::min(label.Right, label.Left + FontTextExtent(&FFont, item->Caption()).cx + 4);
        else if (FRowSelect)
            mark.Right = bounds.Right;
    }
    if (highlight) {
        c->Brush()->SetColor(focused ? clHighlight : clBtnFace);
        c->FillRect(mark);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(textColor));
    TRect text = Rect(label.Left + 2, label.Top, label.Right - 2, label.Bottom);
    DrawText(dc, item->Caption(), &text, format);
    if (FViewStyle == vsReport)
        DrawSubItems(c, item, bounds, highlight && FRowSelect);
    if ((AState & cdsFocused) && focused)
        c->DrawFocusRect(mark);
}

void TCustomListView::DrawSubItems(TCanvas* C, TListItem* AItem, const TRect& ABounds, bool ASelectedRow)
{
    HDC dc = C->Handle();
    SelectObject(dc, FFont.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(!FEnabled ? clGrayText : ASelectedRow && Focused() ? clHighlightText : FFont.Color()));
    int columns = FColumns.Count();
    const TStringList* sub = AItem->SubItems();
    const std::vector<int> lefts = ColumnLefts();
    // Sub-item k shows in column k + 1; those past the last column and those of
    // hidden (width 0) columns are not drawn.
    for (int k = 0; k + 1 < columns; ++k) {
        TListColumn* col = FColumns.Items(k + 1);
        int w = col->Width();
        int x = ABounds.Left + lefts[size_t(k + 1)];
        if (w > 0 && k < sub->Count()) {
            TRect cell = Rect(x + kCellMargin, ABounds.Top, x + w - kCellMargin, ABounds.Bottom);
            int image = AItem->SubItemImages(k);
            if (FSmallImages && image >= 0 && image < FSmallImages->Count() && !cell.IsEmpty()) {
                FSmallImages->Draw(C, cell.Left, cell.Top + (cell.Height() - FSmallImages->Height()) / 2, image, FEnabled);
                cell.Left += FSmallImages->Width() + 3;
            }
            if (!cell.IsEmpty()) {
                UINT align = col->Alignment() == taRightJustify ? DT_RIGHT : col->Alignment() == taCenter ? DT_CENTER : DT_LEFT;
                DrawText(dc, sub->Strings(k), &cell, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
            }
        }
    }
}

void TCustomListView::PaintReportGrid(TCanvas* C, const TRect& AView, int, int)
{
    TRect clip = IntersectRect(C->ClipRect(), AView);
    if (clip.IsEmpty())
        return;
    int rowH = RowHeight();
    int left = AView.Left - FScrollBars.Pos(SB_HORZ);
    int right = left + FColumns.TotalWidth();
    C->Pen()->SetColor(clBtnFace);
    int x = left;
    for (int i : FColumnOrder) {
        int w = i < FColumns.Count() ? FColumns.Items(i)->Width() : 0;
        x += w;
        if (w > 0 && x - 1 >= clip.Left && x - 1 < clip.Right) {
            C->MoveTo(x - 1, clip.Top);
            C->LineTo(x - 1, clip.Bottom);
        }
    }
    int from = (clip.Top - AView.Top) / rowH;
    for (int y = AView.Top + from * rowH + rowH - 1; y < clip.Bottom; y += rowH) {
        C->MoveTo(std::max(clip.Left, left), y);
        C->LineTo(std::min(clip.Right, right), y);
    }
}

} // namespace platform
