// The inner list box of the skinned list box: input handed to the owner
// first, one-line wheel steps, the background and the three item painters
// (plain, skin item at the skin's height, skin item stretched to the row).
#include "skin/boxes/bsSkinBoxCtrls_ListBox.h"

#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include <algorithm>

namespace skin {

using namespace platform;

TbsListBox::TbsListBox(TComponent* AOwner) : TCustomListBox(AOwner)
{
    ControlStyle = csCaptureMouse | csOpaque | csDoubleClicks;
    // Every change of the items may need a scroll bar or free one.
    auto changed = FItems.OnChange;
    FItems.OnChange = [this, changed](TObject* S) {
        if (changed)
            changed(S);
        if (SkinListBox)
            SkinListBox->UpDateScrollBar();
    };
}

TOwnerDrawState TbsListBox::GetItemState(int Index)
{
    if (Index == FItemIndex)
        return Focused() ? odSelected | odFocused : odSelected;
    return SelCount() > 0 && Selected(Index) ? TOwnerDrawState(odSelected) : 0;
}

void TbsListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldWidth = Width();
    TCustomListBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    // A wider list needs less horizontal offset to show the widest item's end.
    if (Width() != oldWidth && HorizontalExtentValue > 0) {
        HorizontalExtentValue = std::max(0, HorizontalExtentValue + oldWidth - Width());
        Invalidate();
    }
}

void TbsListBox::WndProc(TMessage& M)
{
    bool callDefault = true;
    if (SkinListBox)
        SkinListBox->ListBoxWndProc(M, callDefault);
    if (!callDefault)
        return;
    if (M.Msg == WM_MOUSEWHEEL && SkinListBox && (SkinListBox->ScrollBar || SkinListBox->HScrollBar)) {
        // One line a wheel message, through the skinned bar that shows.
        const bool up = int16_t(HIWORD(M.WParam)) > 0;
        if (SkinListBox->ScrollBar) {
            SetTopIndex(TopIndex() + (up ? -1 : 1));
            SkinListBox->UpDateScrollBar();
        } else if (TbsSkinScrollBar* h = SkinListBox->HScrollBar) {
            h->SetPosition(h->Position() + (up ? -h->SmallChange() : h->SmallChange()));
        }
        M.Result = 1;
        return;
    }
    TCustomListBox::WndProc(M);
    if (!SkinListBox)
        return;
    switch (M.Msg) {
    case WM_LBUTTONDBLCLK: SkinListBox->ListBoxDblClick(); break;
    case WM_KEYDOWN: SkinListBox->UpDateScrollBar(); break;   // a key may have moved the top row
    default: break;
    }
}

void TbsListBox::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case WM_NCHITTEST: M.Result = HTCLIENT; return;
    case WM_ERASEBKGND: M.Result = 1; return;
    case SKN_PAINTTODC: M.Result = SKN_PAINTTODC_ANSWER; return;
    case SKN_PAINTEMPTYLISTTODC:
        if (FItems.Count() == 0 && M.LParam == SKN_PAINT_KEY) {
            if (M.WParam) {
                TCanvas c;
                c.SetHandle(reinterpret_cast<HDC>(M.WParam));
                PaintBackground(&c, Rect(0, 0, Width(), Height()));
                c.SetHandle(nullptr);
            }
            M.Result = SKN_PAINT_KEY;
            return;
        }
        break;
    case CM_ENTER:
        if (SkinListBox)
            SkinListBox->ListBoxEnter();
        break;
    case CM_EXIT:
        if (SkinListBox)
            SkinListBox->ListBoxExit();
        break;
    default: break;
    }
    TCustomListBox::Dispatch(M);
}

void TbsListBox::CreateWnd()
{
    TCustomListBox::CreateWnd();
    if (SkinListBox)
        SkinListBox->ListBoxCreateWnd();
}

void TbsListBox::Click()
{
    if (SkinListBox)
        SkinListBox->ListBoxClick();
    TCustomListBox::Click();
}

void TbsListBox::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (SkinListBox)
        SkinListBox->ListBoxMouseDown(AButton, AShift, X, Y);
    TCustomListBox::MouseDown(AButton, AShift, X, Y);
}

void TbsListBox::MouseMove(TShiftState AShift, int X, int Y)
{
    if (SkinListBox)
        SkinListBox->ListBoxMouseMove(AShift, X, Y);
    TCustomListBox::MouseMove(AShift, X, Y);
}

void TbsListBox::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (SkinListBox)
        SkinListBox->ListBoxMouseUp(AButton, AShift, X, Y);
    TCustomListBox::MouseUp(AButton, AShift, X, Y);
}

void TbsListBox::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    if (SkinListBox) {
        SkinListBox->ListBoxKeyDown(AKey, AShift);
        if (TbsSkinScrollBar* h = SkinListBox->HScrollBar; h && (AKey == VK_LEFT || AKey == VK_RIGHT)) {
            h->SetPosition(h->Position() + (AKey == VK_LEFT ? -h->SmallChange() : h->SmallChange()));
            AKey = 0;
        }
    }
    TCustomListBox::KeyDown(AKey, AShift);
}

void TbsListBox::KeyUp(uint16_t& AKey, TShiftState AShift)
{
    if (SkinListBox)
        SkinListBox->ListBoxKeyUp(AKey, AShift);
    TCustomListBox::KeyUp(AKey, AShift);
}

void TbsListBox::KeyPress(char16_t& AKey)
{
    if (SkinListBox)
        SkinListBox->ListBoxKeyPress(AKey);
    TCustomListBox::KeyPress(AKey);
}

// ---------------------------------------------------------------- painting

void TbsListBox::Paint()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    TCanvas* c = Canvas();
    if (SkinListBox)
        SkinListBox->GetSkinData();
    const int rows = Height() / std::max(1, FItemHeight);
    if (FColumns > 0) {
        // Columns leave gaps right of and below the items: the background
        // goes first, under everything.
        PaintBackground(c, Rect(0, 0, Width(), Height()));
        const int last = std::min(FTopIndex + std::max(1, rows) * FColumns, FItems.Count() - 1);
        for (int i = FTopIndex; i <= last; ++i)
            PaintItem(c, i, GetItemState(i), ItemRect(i));
        return;
    }
    const int last = std::min(FTopIndex + rows, FItems.Count() - 1);
    int bottom = 0;
    for (int i = FTopIndex; i <= last; ++i) {
        const TRect r = ItemRect(i);
        PaintItem(c, i, GetItemState(i), r);
        bottom = r.Bottom;
    }
    if (bottom < Height()) {
        PaintBackground(c, Rect(0, bottom, Width(), Height()));
        if (SkinListBox && !SkinListBox->NoticeText().empty()) {
            c->Brush()->SetStyle(bsClear);
            SetItemFont(c, SkinListBox->IsSkinned());
            c->Font()->SetColor(clGrayText);
            c->TextOut(4, bottom + 2, SkinListBox->NoticeText());
        }
    }
}

void TbsListBox::PaintBackground(TCanvas* C, const TRect& R)
{
    if (SkinListBox && SkinListBox->IsSkinned() && SkinListBox->SkinPicture()) {
        TileSkinClient(C, R.Left, R.Top, R.Width(), R.Height());
        return;
    }
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clWindow);
    C->FillRect(R);
}

void TbsListBox::TileSkinClient(TCanvas* C, int X, int Y, int W, int H)
{
    TbsSkinCustomListBox* o = SkinListBox;
    const TRect tile = Rect(o->SkinRect.Left + o->ClRect.Left, o->SkinRect.Top + o->ClRect.Top,
                            o->SkinRect.Left + o->ClRect.Right, o->SkinRect.Top + o->ClRect.Bottom);
    const int cw = tile.Width(), ch = tile.Height();
    if (cw <= 0 || ch <= 0 || W <= 0 || H <= 0)
        return;
    TBitmap b;
    b.SetSize(W, H);
    for (int j = 0; j <= H / ch; ++j)
        for (int i = 0; i <= W / cw; ++i) {
            const int w = std::min(cw, W - cw * i), h = std::min(ch, H - ch * j);
            if (w > 0 && h > 0)
                CopyPiece(&b, Bounds(cw * i, ch * j, w, h), o->SkinPicture(), Bounds(tile.Left, tile.Top, w, h));
        }
    C->Draw(X, Y, &b);
}

void TbsListBox::PaintItem(TCanvas* C, int Index, TOwnerDrawState State, const TRect& R)
{
    if (Index < 0 || Index >= FItems.Count() || R.Width() <= 0 || R.Height() <= 0)
        return;
    if (!SkinListBox || !SkinListBox->IsSkinned())
        DrawDefaultItem(C, Index, State, R);
    else if (!SkinListBox->SkinPicture())
        return;
    else if (SkinListBox->UseSkinItemHeight)
        DrawSkinItem(C, Index, State, R);
    else
        DrawStretchSkinItem(C, Index, State, R);
}

void TbsListBox::SetItemFont(TCanvas* C, bool ASkinned)
{
    TbsSkinCustomListBox* o = SkinListBox;
    if (!o) {
        C->Font()->Assign(Font());
        return;
    }
    TbsSkinFontFields f;
    if (ASkinned) {
        f.FontName = o->FontName;
        f.FontStyle = o->FontStyle;
        f.FontHeight = o->FontHeight;
    } else {
        f.FontName = o->Font()->Name();
        f.FontStyle = o->Font()->Style();
        f.FontHeight = o->Font()->Height();
    }
    AssignCaptionFont(C->Font(), o->DefaultFont(), o->SkinData(), !ASkinned || o->UseSkinFont, f);
}

void TbsListBox::DrawDefaultItem(TCanvas* C, int Index, TOwnerDrawState State, const TRect& R)
{
    TBitmap b;
    b.SetSize(R.Width(), R.Height());
    TCanvas* k = b.Canvas();
    SetItemFont(k, false);
    const bool selected = State & odSelected;
    k->Brush()->SetStyle(bsSolid);
    k->Brush()->SetColor(selected ? clHighlight : clWindow);
    k->Font()->SetColor(selected ? clHighlightText : SkinListBox ? SkinListBox->Font()->Color() : Font()->Color());
    k->FillRect(Rect(0, 0, b.Width(), b.Height()));
    const TRect t = Rect(2, 0, b.Width() - 2, b.Height());
    if (SkinListBox && SkinListBox->OnDrawItem)
        SkinListBox->OnDrawItem(k, Index, b.Width(), b.Height(), t, State);
    else
        DrawItemContent(k, Index, t);
    if (State & odFocused)
        k->DrawFocusRect(Rect(0, 0, b.Width(), b.Height()));
    C->Draw(R.Left, R.Top, &b);
}

void TbsListBox::DrawStretchSkinItem(TCanvas* C, int Index, TOwnerDrawState State, const TRect& R)
{
    TbsSkinCustomListBox* o = SkinListBox;
    TBitmap b;
    b.SetSize(R.Width(), R.Height());
    const TRect piece = (State & odFocused) ? o->FocusItemRect : (State & odSelected) ? o->ActiveItemRect : o->SItemRect;
    const TRect cl = Rect(o->ItemTextRect.Left + 1, o->ItemTextRect.Top + 1, o->ItemTextRect.Right - 1,
                          o->ItemTextRect.Bottom - 1);
    CreateStretchSkinImage(&b, o->SkinPicture(), piece, cl, true);
    TRect t = o->ItemTextRect;
    t.Right += b.Width() - o->SItemRect.Width();
    t.Bottom += b.Height() - o->SItemRect.Height();
    TCanvas* k = b.Canvas();
    SetItemFont(k, true);
    k->Font()->SetColor((State & odFocused) ? o->FocusFontColor : (State & odSelected) ? o->ActiveFontColor : o->FontColor);
    k->Brush()->SetStyle(bsClear);
    if (o->OnDrawItem) {
        o->OnDrawItem(k, Index, b.Width(), o->SItemRect.Height(), t, State);
    } else {
        if ((State & odFocused) && o->ShowFocus)
            DrawDotFocusRect(k, Rect(0, 0, b.Width(), b.Height()));
        DrawItemContent(k, Index, t);
    }
    C->Draw(R.Left, R.Top, &b);
}

void TbsListBox::DrawSkinItem(TCanvas* C, int Index, TOwnerDrawState State, const TRect& R)
{
    TbsSkinCustomListBox* o = SkinListBox;
    const bool selected = State & odSelected, focused = State & odFocused;
    TBitmap b;
    const int w = R.Width(), h = o->SItemRect.Height();
    if (h <= 0)
        return;
    TRect piece = o->SItemRect;
    bool stretch = false;
    if (selected && focused) {
        piece = o->FocusItemRect;
        stretch = o->StretchEffect;
    } else if (selected) {
        piece = o->ActiveItemRect;
        stretch = o->StretchEffect;
    } else if (focused) {
        stretch = o->StretchEffect;
    }
    CreateHSkinImage(o->ItemLeftOffset, o->ItemRightOffset, &b, o->SkinPicture(), piece, w, h, stretch);
    TCanvas* k = b.Canvas();
    if (focused && !selected)
        DrawDotFocusRect(k, Rect(0, 0, b.Width(), b.Height()));
    TRect t = o->ItemTextRect;
    t.Right += b.Width() - o->SItemRect.Width();
    SetItemFont(k, true);
    k->Font()->SetColor(selected && focused ? o->FocusFontColor : selected ? o->ActiveFontColor : o->FontColor);
    k->Brush()->SetStyle(bsClear);
    if (o->OnDrawItem) {
        o->OnDrawItem(k, Index, b.Width(), b.Height(), t, State);
    } else {
        if (focused && o->ShowFocus)
            DrawDotFocusRect(k, Rect(0, 0, b.Width(), b.Height()));
        DrawItemContent(k, Index, t);
    }
    C->Draw(R.Left, R.Top, &b);
}

void TbsListBox::DrawItemContent(TCanvas* C, int Index, TRect T)
{
    TbsSkinCustomListBox* o = SkinListBox;
    int offset = 0;
    if (o && o->Images()) {
        TCustomImageList* images = o->Images();
        const int idx = o->ImageIndex() >= 0 ? o->ImageIndex() : Index;
        if (idx < images->Count())
            images->Draw(C, T.Left - HorizontalExtentValue, T.Top + T.Height() / 2 - images->Height() / 2, idx, true);
        offset = images->Width() + 2;
    }
    C->Brush()->SetStyle(bsClear);
    if (o && o->TabWidths()->Count() > 0)
        DrawTabbedText(C, FItems[Index], *o->TabWidths(), offset, T);
    else
        TextRectLeftOffset(C, FItems[Index], T, offset - HorizontalExtentValue);
}

std::vector<int> TabStopsOf(const TStringList& ATabWidths)
{
    std::vector<int> stops;
    for (int i = 0; i < std::min(ATabWidths.Count(), 10); ++i) {
        const std::string& line = ATabWidths[i];
        // Nine digits at most: a longer line would not fit a tab stop.
        const bool digits = !line.empty() && line.size() <= 9 &&
                            std::all_of(line.begin(), line.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
        stops.push_back(digits ? std::stoi(line) : 0);
    }
    return stops;
}

void DrawTabbedText(TCanvas* C, const std::string& S, const TStringList& ATabWidths, int AOffset, const TRect& T)
{
    const std::vector<int> stops = TabStopsOf(ATabWidths);
    int y = T.Height() / 2 + T.Top - C->TextHeight(S) / 2;
    if (C->Font()->Height() % 2 != 0)
        --y;
    TabbedTextOut(PreparedDC(C), T.Left + AOffset + 2, y, S, int(stops.size()), stops.data(), 0);
}

} // namespace skin
