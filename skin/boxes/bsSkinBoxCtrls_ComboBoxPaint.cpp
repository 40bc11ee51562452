// The skinned combo box's face: background, drop-down button, the shown
// item with its image and tab-separated text, the flat tool-button look,
// and the face painted elsewhere.
#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"

#include "skin/boxes/bsSkinBoxes_Look.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

namespace skin {

using namespace platform;

namespace {

TRect Inset(const TRect& R, int DX, int DY) { return Rect(R.Left + DX, R.Top + DY, R.Right - DX, R.Bottom - DY); }

} // namespace

int TbsSkinCustomComboBox::ShownIndex() const { return FListBox->Visible() ? FOldItemIndex : FListBox->ItemIndex(); }

void TbsSkinCustomComboBox::SetItemFont(TCanvas* K, bool ASkinned)
{
    TbsSkinFontFields f;
    if (ASkinned) {
        f.FontName = FontName;
        f.FontStyle = FontStyle;
        f.FontHeight = FontHeight;
    } else {
        f.FontName = Font()->Name();
        f.FontStyle = Font()->Style();
        f.FontHeight = Font()->Height();
    }
    AssignCaptionFont(K->Font(), DefaultFont(), FSD, !ASkinned || UseSkinFont, f);
}

void TbsSkinCustomComboBox::CreateControlDefaultImage(TBitmap* B)
{
    CalcRects();
    if (FToolButtonStyle) {
        DrawToolButton(B, "");
        return;
    }
    DrawFace(B, FStyle == bscbFixedStyle);
}

void TbsSkinCustomComboBox::CreateControlSkinImage(TBitmap* B)
{
    CalcRects();
    if (FToolButtonStyle) {
        DrawToolButton(B, "");
        return;
    }
    DrawFace(B, FStyle == bscbFixedStyle);
}

void TbsSkinCustomComboBox::DrawFace(TBitmap* B, bool AWithItem)
{
    TCanvas* c = B->Canvas();
    if (FIndex == -1) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FDefaultColor);
        c->FillRect(Rect(0, 0, Width(), Height()));
        TRect r = Rect(0, 0, Width(), Height());
        Frame3D(c, r, clBtnShadow, clBtnShadow, 1);
        DrawComboButton(c);
    } else {
        const bool active = !IsSkinEmpty(ActiveSkinRect) && Hot();
        if (!FUseSkinSize)
            CreateStretchSkinImage(B, Picture, active ? ActiveSkinRect : SkinRect, Inset(ClRect, 3, 1), true);
        else if (active)
            CreateHSkinImage(LTPt.X, ActiveSkinRect.Width() - RTPt.X, B, Picture, ActiveSkinRect, Width(), Height(),
                             StretchEffect);
        else
            TbsSkinComboFace::CreateControlSkinImage(B);
        if (FUseSkinSize)
            DrawComboButton(c);
        else
            DrawStretchedComboButton(c);
    }
    if (AWithItem)
        DrawItem(B, ShownIndex(), "");
}

void TbsSkinCustomComboBox::DrawComboButton(TCanvas* C)
{
    const bool pressed = Button.Down && Button.MouseIn;
    if (FIndex == -1) {
        DrawPlainButtonFace(C, Button.R, Button.MouseIn, pressed);
        DrawArrowImage(C, Button.R, Enabled() ? clBlack : clBtnShadow, 4);
        return;
    }
    TRect piece;
    if (!Enabled() && !IsSkinEmpty(UnEnabledButtonRect))
        piece = UnEnabledButtonRect;
    else if (pressed)
        piece = DownButtonRect;
    else if (Button.MouseIn)
        piece = ActiveButtonRect;
    if (!IsSkinEmpty(piece) && Picture)
        C->CopyRect(Button.R, Picture->Canvas(), piece);
}

void TbsSkinCustomComboBox::DrawStretchedComboButton(TCanvas* C)
{
    DrawStretchedDropButton(C, FSD, Picture, Button.R, Button.MouseIn, Button.Down, Enabled());
}

// The item I, or AText in its place, in the item area. A painting from
// PaintSkinTo passes I = -1 with its text.
void TbsSkinCustomComboBox::DrawItem(TBitmap* AFace, int I, const std::string& AText)
{
    const bool valid = I >= 0 && I < Items()->Count();
    if ((!valid && AText.empty()) || CBItem.R.Width() <= 0 || CBItem.R.Height() <= 0)
        return;
    const int w = CBItem.R.Width();
    const bool focused = Focused();
    const bool hot = FMouseIn && !IsSkinEmpty(ActiveSkinRect);
    TBitmap b;
    TRect t;
    TCanvas* k = nullptr;
    if (FIndex == -1) {
        b.SetSize(w, CBItem.R.Height());
        k = b.Canvas();
        SetItemFont(k, false);
        k->Brush()->SetStyle(bsSolid);
        k->Brush()->SetColor(focused ? clHighlight : FDefaultColor);
        k->Font()->SetColor(focused ? clHighlightText : DefaultFont()->Color());
        k->FillRect(Rect(0, 0, b.Width(), b.Height()));
        CBItem.State = focused ? TOwnerDrawState(odFocused) : 0;
        t = Rect(2, 0, b.Width() - 2, b.Height());
    } else {
        const TRect piece = focused ? FocusItemRect : (hot && !IsSkinEmpty(ActiveItemRect)) ? ActiveItemRect : SItemRect;
        const bool stretch = focused ? FocusItemStretchEffect : ItemStretchEffect;
        if (IsSkinEmpty(piece)) {
            const int h = CBItem.R.Height();
            b.SetSize(w, h);
            b.Canvas()->CopyRect(Rect(0, 0, w, h), AFace->Canvas(), CBItem.R);
        } else if (FUseSkinSize) {
            CreateHSkinImage(ItemLeftOffset, ItemRightOffset, &b, Picture, piece, w, piece.Height(), stretch);
        } else {
            b.SetSize(w, CBItem.R.Height());
            CreateStretchSkinImage(&b, Picture, piece, FittedTextRect(ItemTextRect, SItemRect, piece), true);
        }
        k = b.Canvas();
        t = ItemTextRect;
        t.Right += w - (IsSkinEmpty(SItemRect) ? ClRect.Width() : SItemRect.Width());
        if (!FUseSkinSize)
            t.Bottom += Height() - SkinRect.Height();
        SetItemFont(k, true);
        TColor color = focused ? FocusFontColor : hot ? ActiveFontColor : FontColor;
        if (!Enabled() && FUseSkinSize)
            color = GetDisabledFontColor();
        k->Font()->SetColor(color);
        k->Brush()->SetStyle(bsClear);
        if (focused && ShowFocus && FUseSkinSize) {
            k->Brush()->SetStyle(bsSolid);
            k->Brush()->SetColor(FSD->SkinColors().cBtnFace());
            DrawDotFocusRect(k, Rect(0, 0, b.Width(), b.Height()));
            k->Brush()->SetStyle(bsClear);
        }
    }
    if (valid && AText.empty() && OnComboBoxDrawItem)
        OnComboBoxDrawItem(k, I, b.Width(), b.Height(), t, CBItem.State);
    else
        DrawItemText(k, I, t, AText);
    AFace->Canvas()->Draw(CBItem.R.Left, CBItem.R.Top, &b);
}

void TbsSkinCustomComboBox::DrawItemText(TCanvas* K, int I, TRect T, const std::string& AText)
{
    if (AText.empty() && Images()) {
        TCustomImageList* images = Images();
        const int idx = ImageIndex() >= 0 ? ImageIndex() : I;
        if (idx < images->Count())
            images->Draw(K, T.Left, T.Top + T.Height() / 2 - images->Height() / 2, idx, true);
        T.Left += images->Width() + 2;
    }
    const std::string& text = AText.empty() ? (*Items())[I] : AText;
    K->Brush()->SetStyle(bsClear);
    if (TabWidths()->Count() > 0)
        DrawTabbedText(K, text, *TabWidths(), 0, T);
    else
        TextRectLeft(K, text, T);
}

void TbsSkinCustomComboBox::DrawToolButton(TBitmap* B, const std::string& AText)
{
    TCanvas* c = B->Canvas();
    const int shift = FDropDown ? 2 : 0;
    TRect item = Rect(2 + shift, 2 + shift, Width() - 17 + shift, Height() - 2 + shift);
    TRect arrow = Rect(Width() - 15 + shift, shift, Width() + shift, Height() + shift);
    TColor arrowColor;
    if (FIndex == -1) {
        DrawPlainButtonFace(c, Rect(0, 0, Width(), Height()), FDropDown || Hot(), FDropDown);
        c->Font()->Assign(DefaultFont());
        arrowColor = c->Font()->Color();
    } else {
        TbsDataSkinButtonControl* rec = FindSkinRecord<TbsDataSkinButtonControl>(FSD, "resizetoolbutton");
        if (!rec)
            rec = FindSkinRecord<TbsDataSkinButtonControl>(FSD, "resizebutton");
        TbsPicture* pic = rec ? ActivePicture(*FSD, rec->PictureIndex) : nullptr;
        if (!rec || !pic)
            return;
        TRect piece = rec->SkinRect;
        if (FDropDown && !IsSkinEmpty(rec->DownSkinRect))
            piece = rec->DownSkinRect;
        else if (!FDropDown && Hot() && !IsSkinEmpty(rec->ActiveSkinRect))
            piece = rec->ActiveSkinRect;
        CreateButtonRecordImage(*rec, pic, piece, B);
        AssignCaptionFont(c->Font(), DefaultFont(), FSD, UseSkinFont, *rec);
        const TColor color = FDropDown ? rec->DownFontColor
                             : Hot()   ? rec->ActiveFontColor
                             : Enabled() ? rec->FontColor
                                         : rec->DisabledFontColor;
        c->Font()->SetColor(color);
        item = Rect(2, 2, Width() - 17, Height() - 2);
        arrow = Rect(Width() - 15, 0, Width(), Height());
        arrowColor = FDropDown ? rec->DownFontColor : color;
        if (!IsSkinEmpty(rec->MenuMarkerRect)) {
            TRect marker = rec->MenuMarkerRect;
            if (FDropDown && !IsSkinEmpty(rec->MenuMarkerDownRect))
                marker = rec->MenuMarkerDownRect;
            else if (Hot() && !IsSkinEmpty(rec->MenuMarkerActiveRect))
                marker = rec->MenuMarkerActiveRect;
            DrawRecordMenuMarker(c, Picture, *rec, marker, arrow);
            arrow = TRect{};
        }
    }
    const int i = ShownIndex();
    if (!AText.empty() || (i >= 0 && i < Items()->Count()))
        DrawItemText(c, i, item, AText);
    if (!arrow.IsEmpty())
        DrawDownTriangle(c, arrow, arrowColor);
}

void TbsSkinCustomComboBox::PaintSkinTo(TCanvas* C, int X, int Y, const std::string& AText)
{
    TBitmap b;
    b.SetSize(Width(), Height());
    GetSkinData();
    CalcRects();
    // The shown text is swapped in without events: painting a picture of the
    // face must not look like a change to the program.
    const std::string saved = FText;
    FText = AText;
    if (FToolButtonStyle) {
        DrawToolButton(&b, AText);
    } else {
        DrawFace(&b, false);
        DrawItem(&b, -1, AText);
    }
    FText = saved;
    C->Draw(X, Y, &b);
}

} // namespace skin
