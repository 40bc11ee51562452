// The skinned list box's frame: the inner list's place, the skinned scroll
// bars that mirror its scroll state, the skin record, the input hooks, and
// the popup window of the combo box.
#include "skin/boxes/bsSkinBoxCtrls_ListBox.h"

#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/controls/Forms.h"

#include <algorithm>

namespace skin {

using namespace platform;

TbsSkinCustomListBox::TbsSkinCustomListBox(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    ControlStyle = csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks | csReplicatable | csAcceptsControls;
    FForceBackground = true;
    FDrawbackground = false;
    FFont.SetName("Tahoma");
    FFont.SetHeight(13);
    FFont.SetColor(clWindowText);
    FFont.SetStyle({});
    FDefaultCaptionFont.SetName("Tahoma");
    FDefaultCaptionFont.SetHeight(13);
    FDefaultCaptionFont.OnChange = [this](TObject*) {
        if (FIndex == -1 && FCaptionMode)
            Repaint();
    };
    ListBox = new TbsListBox(this);
    ListBox->SkinListBox = this;
    ListBox->Style = lbOwnerDrawFixed;
    ListBox->SetItemHeight(FDefaultItemHeight);
    ListBox->SetParent(this);
    FWidth = 120;
    FHeight = 120;
    FSkinDataName = "listbox";
    CalcListRect();
}

TbsSkinCustomListBox::~TbsSkinCustomListBox()
{
    // The inner list reports to this list box until it is gone.
    ListBox->SkinListBox = nullptr;
}

void TbsSkinCustomListBox::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsSkinCustomControl::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FImages)
        FImages = nullptr;
    if (AComponent == ScrollBar)
        ScrollBar = nullptr;
    if (AComponent == HScrollBar)
        HScrollBar = nullptr;
    if (AComponent == ListBox)
        ListBox = nullptr;
}

// ---------------------------------------------------------------- properties

void TbsSkinCustomListBox::SetItems(const TStringList& AValue)
{
    ListBox->Items()->Assign(AValue);
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetTopIndex(int AValue)
{
    ListBox->SetTopIndex(AValue);
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetSorted(bool AValue)
{
    if (ScrollBar)
        HideScrollBar();
    ListBox->SetSorted(AValue);
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetTabWidths(const TStringList& AValue)
{
    FTabWidths.Assign(AValue);
    if (FTabWidths.Count() > 0)
        ListBox->Invalidate();
}

void TbsSkinCustomListBox::SetHorizontalExtent(bool AValue)
{
    FHorizontalExtent = AValue;
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetRowCount(int AValue)
{
    FRowCount = AValue;
    if (FRowCount != 0)
        SetHeight(CalcHeight(FRowCount));
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetImages(TCustomImageList* AValue)
{
    ChangeReference(this, FImages, AValue);
    ListBox->Invalidate();
}

void TbsSkinCustomListBox::SetImageIndex(int AValue)
{
    FImageIndex = AValue;
    ListBox->Invalidate();
}

void TbsSkinCustomListBox::SetColumns(int AValue)
{
    // The bars of the other direction go; the right one comes back below.
    if (ScrollBar)
        HideScrollBar();
    if (HScrollBar)
        HideHScrollBar();
    ListBox->SetColumns(AValue);
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetCaptionMode(bool AValue)
{
    FCaptionMode = AValue;
    if (FIndex == -1) {
        CalcListRect();
        Repaint();
    }
}

void TbsSkinCustomListBox::SetShowCaptionButtons(bool AValue)
{
    if (FShowCaptionButtons == AValue)
        return;
    FShowCaptionButtons = AValue;
    Repaint();
}

void TbsSkinCustomListBox::SetDefaultCaptionHeight(int AValue)
{
    FDefaultCaptionHeight = AValue;
    if (FIndex == -1 && FCaptionMode) {
        CalcListRect();
        Repaint();
    }
}

void TbsSkinCustomListBox::SetAlignment(TAlignment AValue)
{
    if (FAlignment == AValue)
        return;
    FAlignment = AValue;
    if (FCaptionMode)
        Repaint();
}

void TbsSkinCustomListBox::SetGlyph(TBitmap* AValue)
{
    FGlyph.Assign(AValue);
    Repaint();
}

void TbsSkinCustomListBox::SetNumGlyphs(int AValue)
{
    FNumGlyphs = AValue;
    Repaint();
}

void TbsSkinCustomListBox::SetSpacing(int AValue)
{
    FSpacing = AValue;
    Repaint();
}

void TbsSkinCustomListBox::SetDefaultItemHeight(int AValue)
{
    FDefaultItemHeight = AValue;
    if (FIndex == -1 || !UseSkinItemHeight)
        ListBox->SetItemHeight(AValue);
}

void TbsSkinCustomListBox::DefaultFontChanged()
{
    if (FIndex == -1)
        Font()->Assign(DefaultFont());
}

int TbsSkinCustomListBox::CalcHeight(int AItemsCount)
{
    int h = FIndex == -1 ? AItemsCount * ListBox->ItemHeight() + 4
                         : SkinRect.Height() - ClRect.Height() + AItemsCount * ListBox->ItemHeight();
    if (FIndex == -1 && FCaptionMode)
        h += FDefaultCaptionHeight;
    if (HScrollBar)
        h += HScrollBar->Height();
    return h;
}

void TbsSkinCustomListBox::SetNoticeText(const std::string& AValue)
{
    if (FNoticeText == AValue)
        return;
    FNoticeText = AValue;
    ListBox->Invalidate();
}

void TbsSkinCustomListBox::Clear()
{
    ListBox->Clear();
    UpDateScrollBar();
}

// ---------------------------------------------------------------- layout

void TbsSkinCustomListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TbsSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FIndex == -1)
        Repaint();
}

void TbsSkinCustomListBox::WMSize(TMessage& M)
{
    TbsSkinCustomControl::WMSize(M);
    CalcListRect();
    UpDateScrollBar();
    if (ScrollBar)
        ScrollBar->Repaint();
}

void TbsSkinCustomListBox::CMTextChanged(TMessage& M)
{
    TbsSkinCustomControl::CMTextChanged(M);
    if (FCaptionMode)
        Repaint();
}

void TbsSkinCustomListBox::CalcListRect()
{
    if (!ListBox)
        return;
    const bool skinned = FIndex != -1;
    const bool columns = ListBox->Columns() > 0;
    const int c = FCaptionMode ? FDefaultCaptionHeight : 1;
    TRect cl;
    if (skinned)
        cl = Rect(ClRect.Left, ClRect.Top, ClRect.Right + Width() - SkinRect.Width(),
                  ClRect.Bottom + Height() - SkinRect.Height());
    int h = 0;
    if (!columns && HScrollBar && HScrollBar->Visible()) {
        if (skinned) {
            HScrollBar->SetBounds(cl.Left, cl.Bottom - HScrollBar->Height(), cl.Width(), HScrollBar->Height());
            h = HScrollBar->Height();
        } else {
            HScrollBar->SetBounds(1, Height() - 20, Width() - 2, 19);
            h = HScrollBar->Height() - 1;
        }
    }
    if (ScrollBar && ScrollBar->Visible() && columns) {
        if (skinned) {
            ScrollBar->SetBounds(cl.Left, cl.Bottom - ScrollBar->Height(), cl.Width(), ScrollBar->Height());
            ListRect = Rect(cl.Left, cl.Top, cl.Right, cl.Bottom - ScrollBar->Height());
        } else {
            ScrollBar->SetBounds(1, Height() - 20, Width() - 2, 19);
            ListRect = Rect(2, c + 1, Width() - 2, ScrollBar->Top());
        }
    } else if (ScrollBar && ScrollBar->Visible()) {
        if (skinned) {
            ScrollBar->SetBounds(cl.Right - ScrollBar->Width(), cl.Top, ScrollBar->Width(), cl.Height() - h);
            ListRect = Rect(cl.Left, cl.Top, cl.Right - ScrollBar->Width(), cl.Bottom - h);
        } else {
            ScrollBar->SetBounds(Width() - 20, c, 19, Height() - 1 - c - h);
            ListRect = Rect(2, c + 1, ScrollBar->Left(), Height() - 2 - h);
        }
    } else {
        ListRect = skinned ? cl : Rect(2, c + 1, Width() - 2, Height() - 2);
    }
    ListBox->SetBounds(ListRect.Left, ListRect.Top, ListRect.Width(), ListRect.Height());
    // The caption buttons take the mouse before the first paint places them.
    if (skinned)
        PlaceSkinButtons();
    else
        PlaceDefaultButtons();
}

// ---------------------------------------------------------------- scroll bars

int TbsSkinCustomListBox::GetItemWidth(int Index, TCanvas* C) { return C->TextWidth((*ListBox->Items())[Index]); }

void TbsSkinCustomListBox::UpDateScrollBar()
{
    if (!ListBox || IsDestroying())
        return;
    const int count = ListBox->Items()->Count();
    if (ListBox->Columns() > 0) {
        // The bar scrolls whole columns: its range is the column count, its
        // page the columns shown.
        const int columns = ListBox->Columns();
        auto needed = [&] {
            const int rows = ListBox->RowsPerColumn();
            const int max = count > 0 ? (count - 1) / rows : 0, position = ListBox->TopIndex() / rows;
            return max > 0 && position <= max && columns <= max && rows * columns < count;
        };
        if (!needed()) {
            if (ScrollBar)
                HideScrollBar();
            return;
        }
        if (!ScrollBar)
            CreateScrollBar();
        // The bar takes room from the rows: count them again below it.
        const int rows = ListBox->RowsPerColumn();
        ScrollBar->SetRange(0, (count - 1) / rows, ListBox->TopIndex() / rows, columns);
        return;
    }
    if (FHorizontalExtent && !FStopUpDateHScrollBar) {
        TCanvas* c = ListBox->Canvas();
        if (FIndex != -1 && UseSkinFont) {
            c->Font()->SetName(FontName);
            c->Font()->SetStyle(FontStyle);
            c->Font()->SetHeight(FontHeight);
        } else {
            c->Font()->Assign(ListBox->Font());
        }
        int w = 0;
        for (int i = 0; i < count; ++i)
            w = std::max(w, GetItemWidth(i, c));
        int p = FIndex == -1 ? ListBox->Width() - 4 : ListBox->Width() - (SItemRect.Width() - ItemTextRect.Width());
        if (FImages)
            p -= FImages->Width() + 4;
        if (p < w) {
            if (!HScrollBar)
                CreateHScrollBar();
            HScrollBar->SetRange(0, w, HScrollBar->Position(), p);
            HScrollBar->SetSmallChange(c->TextWidth("0"));
            HScrollBar->SetLargeChange(c->TextWidth("0"));
        } else if (HScrollBar) {
            HideHScrollBar();
        }
    } else if (HScrollBar) {
        HideHScrollBar();
    }
    if (FRowCount > 0 && FRowCount == count) {
        if (ScrollBar)
            HideScrollBar();
        return;
    }
    // The inner list scrolls by rows: its range is the item count, its
    // position the top index.
    const int page = ListBox->Height() / std::max(1, ListBox->ItemHeight());
    const int max = count - 1, position = ListBox->TopIndex();
    if (max > 0 && position <= max && page < count) {
        if (!ScrollBar)
            CreateScrollBar();
        ScrollBar->SetRange(0, max, position, page);
        ScrollBar->SetLargeChange(page);
    } else if (ScrollBar) {
        HideScrollBar();
    }
}

void TbsSkinCustomListBox::CreateScrollBar()
{
    const bool columns = ListBox->Columns() > 0;
    ScrollBar = new TbsSkinScrollBar(this);
    ScrollBar->SetKind(columns ? sbHorizontal : sbVertical);
    ScrollBar->SetBounds(0, 0, columns ? 100 : 20, columns ? 20 : 100);
    ScrollBar->SetPageSize(0);
    ScrollBar->SetMin(0);
    ScrollBar->SetPosition(0);
    // Rows: the position is the top item; columns: the leftmost column.
    ScrollBar->OnChange = [this](TObject*) {
        if (ScrollBar)
            ListBox->SetTopIndex(ListBox->Columns() > 0 ? ScrollBar->Position() * ListBox->RowsPerColumn()
                                                        : ScrollBar->Position());
    };
    SkinScrollBars();
    ScrollBar->SetParent(this);
    CalcListRect();
    ScrollBar->SetVisible(true);
    Repaint();
}

void TbsSkinCustomListBox::CreateHScrollBar()
{
    HScrollBar = new TbsSkinScrollBar(this);
    HScrollBar->SetKind(sbHorizontal);
    HScrollBar->OnChange = [this](TObject*) {
        if (!HScrollBar)
            return;
        ListBox->HorizontalExtentValue = HScrollBar->Position();
        ListBox->Invalidate();
    };
    SkinScrollBars();
    HScrollBar->SetParent(this);
    HScrollBar->SetVisible(true);
    CalcListRect();
    Repaint();
}

// The bars' skin names: a horizontal bar beside a vertical one shares the
// corner and draws the corner square.
void TbsSkinCustomListBox::SkinScrollBars()
{
    const bool skinned = FIndex != -1;
    if (ScrollBar) {
        ScrollBar->SetSkinDataName(!skinned ? "" : ListBox->Columns() > 0 ? HScrollBarName : VScrollBarName);
        ScrollBar->SetSkinData(SkinData());
    }
    if (HScrollBar) {
        if (ScrollBar) {
            if (skinned) {
                HScrollBar->BothSkinDataName = BothScrollBarName;
                HScrollBar->SetSkinDataName(BothScrollBarName);
            } else {
                HScrollBar->SetSkinDataName("");
                HScrollBar->SetBothMarkerWidth(19);
            }
        } else {
            HScrollBar->SetSkinDataName(skinned ? HScrollBarName : "");
        }
        HScrollBar->SetBothField(ScrollBar != nullptr);
        HScrollBar->SetSkinData(SkinData());
    }
}

void TbsSkinCustomListBox::HideScrollBar()
{
    if (!ScrollBar)
        return;
    ScrollBar->SetVisible(false);
    TbsSkinScrollBar* bar = ScrollBar;
    ScrollBar = nullptr;
    delete bar;
    SkinScrollBars();
    CalcListRect();
}

void TbsSkinCustomListBox::HideHScrollBar()
{
    if (!HScrollBar)
        return;
    ListBox->HorizontalExtentValue = 0;
    HScrollBar->SetVisible(false);
    TbsSkinScrollBar* bar = HScrollBar;
    HScrollBar = nullptr;
    delete bar;
    CalcListRect();
    ListBox->Invalidate();
}

// ---------------------------------------------------------------- skin

void TbsSkinCustomListBox::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    auto* rec = dynamic_cast<TbsDataSkinListBox*>(SkinRecord());
    if (!rec)
        return;
    FontName = rec->FontName;
    FontStyle = rec->FontStyle;
    FontHeight = rec->FontHeight;
    SItemRect = rec->SItemRect;
    ActiveItemRect = rec->ActiveItemRect.IsEmpty() ? rec->SItemRect : rec->ActiveItemRect;
    FocusItemRect = rec->FocusItemRect.IsEmpty() ? rec->SItemRect : rec->FocusItemRect;
    ItemLeftOffset = rec->ItemLeftOffset;
    ItemRightOffset = rec->ItemRightOffset;
    ItemTextRect = rec->ItemTextRect;
    FontColor = rec->FontColor;
    ActiveFontColor = rec->ActiveFontColor;
    FocusFontColor = rec->FocusFontColor;
    VScrollBarName = rec->VScrollBarName;
    HScrollBarName = rec->HScrollBarName;
    BothScrollBarName = rec->BothScrollBarName;
    ShowFocus = rec->ShowFocus;
    CaptionRect = rec->CaptionRect;
    CaptionFontName = rec->CaptionFontName;
    CaptionFontStyle = rec->CaptionFontStyle;
    CaptionFontHeight = rec->CaptionFontHeight;
    CaptionFontColor = rec->CaptionFontColor;
    UpButtonRect = rec->UpButtonRect;
    ActiveUpButtonRect = rec->ActiveUpButtonRect;
    DownUpButtonRect = rec->DownUpButtonRect.IsEmpty() ? rec->ActiveUpButtonRect : rec->DownUpButtonRect;
    DownButtonRect = rec->DownButtonRect;
    ActiveDownButtonRect = rec->ActiveDownButtonRect;
    DownDownButtonRect = rec->DownDownButtonRect.IsEmpty() ? rec->ActiveDownButtonRect : rec->DownDownButtonRect;
    CheckButtonRect = rec->CheckButtonRect;
    ActiveCheckButtonRect = rec->ActiveCheckButtonRect;
    DownCheckButtonRect = rec->DownCheckButtonRect.IsEmpty() ? rec->ActiveCheckButtonRect : rec->DownCheckButtonRect;
    ButtonsArea = rec->ButtonsArea;
    DisabledButtonsRect = rec->DisabledButtonsRect;
}

void TbsSkinCustomListBox::ChangeSkinData()
{
    TbsSkinCustomControl::ChangeSkinData();
    GetSkinData();
    FStopUpDateHScrollBar = true;
    if (FIndex == -1) {
        ListBox->SetItemHeight(FDefaultItemHeight);
        ListBox->Font()->Assign(DefaultFont());
    } else if (UseSkinItemHeight && SItemRect.Height() > 0) {
        ListBox->SetItemHeight(SItemRect.Height());
    }
    SkinScrollBars();
    if (FRowCount != 0)
        SetHeight(CalcHeight(FRowCount));
    CalcListRect();
    FStopUpDateHScrollBar = false;
    UpDateScrollBar();
    ListBox->Invalidate();
}

void TbsSkinCustomListBox::CreateControlDefaultImage(TBitmap* B)
{
    TbsSkinCustomControl::CreateControlDefaultImage(B);
    PlaceDefaultButtons();
    TCanvas* c = B->Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    Frame3D(c, r, clBtnShadow, clBtnShadow, 1);
    Frame3D(c, r, ListBox->Color(), ListBox->Color(), 1);
    if (FCaptionMode)
        DrawDefaultCaption(c);
}

void TbsSkinCustomListBox::CreateControlSkinImage(TBitmap* B)
{
    TbsSkinCustomControl::CreateControlSkinImage(B);
    DrawSkinCaption(B->Canvas());
}

// ---------------------------------------------------------------- input hooks

void TbsSkinCustomListBox::ListBoxMouseDown(TMouseButtonKind Button, TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseDown)
        OnListBoxMouseDown(this, Button, Shift, X, Y);
}

void TbsSkinCustomListBox::ListBoxMouseMove(TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseMove)
        OnListBoxMouseMove(this, Shift, X, Y);
}

void TbsSkinCustomListBox::ListBoxMouseUp(TMouseButtonKind Button, TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseUp)
        OnListBoxMouseUp(this, Button, Shift, X, Y);
}

void TbsSkinCustomListBox::ListBoxClick()
{
    if (OnListBoxClick)
        OnListBoxClick(this);
}

void TbsSkinCustomListBox::ListBoxDblClick()
{
    if (OnListBoxDblClick)
        OnListBoxDblClick(this);
}

void TbsSkinCustomListBox::ListBoxKeyDown(uint16_t& Key, TShiftState Shift)
{
    if (OnListBoxKeyDown)
        OnListBoxKeyDown(this, Key, Shift);
}

void TbsSkinCustomListBox::ListBoxKeyUp(uint16_t& Key, TShiftState Shift)
{
    if (OnListBoxKeyUp)
        OnListBoxKeyUp(this, Key, Shift);
}

void TbsSkinCustomListBox::ListBoxKeyPress(char16_t& Key)
{
    if (OnListBoxKeyPress)
        OnListBoxKeyPress(this, Key);
}

// ---------------------------------------------------------------- popup

bool TbsPopupListBox::OwnerAlpha(TbsDropAlpha& AAlpha)
{
    auto* combo = dynamic_cast<TbsSkinCustomComboBox*>(Owner());
    if (!combo)
        return false;
    AAlpha = {combo->AlphaBlend, combo->AlphaBlendAnimation, combo->AlphaBlendValue};
    return true;
}

} // namespace skin
