// The office combo box's closed face: background, drop-down button, the
// shown item, the flat tool-button look, and the face painted elsewhere.
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"

#include "skin/boxes/bsSkinBoxes_Look.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/ui/MessageLoop.h"

namespace skin {

using namespace platform;

namespace {

constexpr TColor kHotFrame = TColor(0x00B76B3B), kHotFill = TColor(0x00F3D4C1), kDownFill = TColor(0x00E4BCA2);

void FrameAndFill(TCanvas* C, const TRect& R, TColor AFrame, TColor AFill)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(AFrame);
    C->FrameRect(R);
    C->Brush()->SetColor(AFill);
    C->FillRect(Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1));
}

TbsDataSkinButtonControl* FirstButtonRecord(TbsSkinData* AData, std::initializer_list<const char*> ANames)
{
    for (const char* name : ANames)
        if (auto* rec = FindSkinRecord<TbsDataSkinButtonControl>(AData, name))
            return rec;
    return nullptr;
}

} // namespace

int TbsSkinCustomOfficeComboBox::ShownIndex() const
{
    return FListBox->Visible() ? FOldItemIndex : FListBox->ItemIndex();
}

void TbsSkinCustomOfficeComboBox::SetRecordFont(TCanvas* C, TColor AColor)
{
    TbsSkinFontFields f;
    f.FontName = FontName;
    f.FontStyle = FontStyle;
    f.FontHeight = FontHeight;
    AssignCaptionFont(C->Font(), DefaultFont(), FSD, UseSkinFont, f);
    C->Font()->SetColor(AColor);
}

void TbsSkinCustomOfficeComboBox::CreateControlDefaultImage(TBitmap* B)
{
    CalcRects();
    if (FToolButtonStyle) {
        DrawDefaultToolButton(B, "");
        return;
    }
    DrawDefaultFace(B);
    DrawDefaultItem(B->Canvas());
}

void TbsSkinCustomOfficeComboBox::DrawDefaultFace(TBitmap* B)
{
    CalcRects();
    TCanvas* c = B->Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    Frame3D(c, r, clBtnShadow, clBtnShadow, 1);
    Frame3D(c, r, FDefaultColor, FDefaultColor, 1);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    c->Brush()->SetColor(FDefaultColor);
    c->FillRect(r);
    DrawButton(c);
}

void TbsSkinCustomOfficeComboBox::CreateControlSkinImage(TBitmap* B)
{
    CalcRects();
    if (FToolButtonStyle) {
        DrawSkinToolButton(B, "");
        return;
    }
    DrawSkinFace(B);
    if (FUseSkinSize)
        DrawSkinSizeItem(B);
    else
        DrawSkinItem(B);
}

void TbsSkinCustomOfficeComboBox::DrawSkinFace(TBitmap* B)
{
    CalcRects();
    const bool active = !ActiveSkinRect.IsEmpty() && Hot();
    if (!FUseSkinSize)
        CreateStretchSkinImage(B, Picture, active ? ActiveSkinRect : SkinRect, ClRect, true);
    else if (!active)
        TbsSkinComboFace::CreateControlSkinImage(B);
    else
        CreateHSkinImage(LTPt.X, SkinRect.Width() - RTPt.X, B, Picture, ActiveSkinRect, Width(), Height(),
                         StretchEffect);
    if (FUseSkinSize)
        DrawButton(B->Canvas());
    else
        DrawSkinButton(B->Canvas());
}

void TbsSkinCustomOfficeComboBox::DrawButton(TCanvas* C)
{
    const bool pressed = Button.Down && Button.MouseIn;
    if (FIndex == -1) {
        if (pressed)
            FrameAndFill(C, Button.R, kHotFrame, kDownFill);
        else if (Button.MouseIn)
            FrameAndFill(C, Button.R, kHotFrame, kHotFill);
        else
            FrameAndFill(C, Button.R, clBtnShadow, clBtnFace);
        DrawArrowImage(C, Button.R, Enabled() ? clBlack : clBtnShadow, 4);
        return;
    }
    TRect piece;
    if (!Enabled() && !UnEnabledButtonRect.IsEmpty())
        piece = UnEnabledButtonRect;
    else if (pressed)
        piece = DownButtonRect;
    else if (Button.MouseIn)
        piece = ActiveButtonRect;
    if (!piece.IsEmpty() && Picture)
        C->CopyRect(Button.R, Picture->Canvas(), piece);
}

void TbsSkinCustomOfficeComboBox::DrawSkinButton(TCanvas* C)
{
    DrawStretchedDropButton(C, FSD, Picture, Button.R, Button.MouseIn, Button.Down, Enabled());
}

void TbsSkinCustomOfficeComboBox::DrawItemContent(TCanvas* K, int I, TRect TR, bool ATitle)
{
    TbsSkinOfficeItem* item = FListBox->Items()->Items(I);
    if (ATitle && FShowItemText && FShowItemTitle && !item->Title().empty()) {
        TFontStyles style = K->Font()->Style();
        style.Include(fsBold);
        K->Font()->SetStyle(style);
        TRect t = TR;
        t.Bottom = t.Top + K->TextHeight(item->Title());
        WideDrawText(K, item->Title(), t, 0);
        style.Exclude(fsBold);
        K->Font()->SetStyle(style);
        TR.Top = t.Bottom - 2;   // the caption overlaps the title line by 2 pixels
    }
    if (FShowItemText && !FShowItemImage)
        TextRectLeft(K, item->Caption(), TR);
    else if (FShowItemImage)
        DrawImageAndTextLeft(K, TR, 0, 2, blGlyphLeft, FShowItemText ? item->Caption() : "", item->ImageIndex(),
                             Images(), false, Enabled(), false, clNone);
}

void TbsSkinCustomOfficeComboBox::DrawDefaultItem(TCanvas* C)
{
    if (CBItem.R.Width() <= 0)
        return;
    TBitmap b;
    b.SetSize(CBItem.R.Width(), CBItem.R.Height());
    TCanvas* k = b.Canvas();
    k->Font()->SetName(Font()->Name());
    k->Font()->SetStyle(Font()->Style());
    k->Font()->SetHeight(Font()->Height());
    const bool focused = Focused();
    k->Brush()->SetStyle(bsSolid);
    k->Brush()->SetColor(focused ? clHighlight : FDefaultColor);
    k->Font()->SetColor(focused ? clHighlightText : DefaultFont()->Color());
    k->FillRect(Rect(0, 0, b.Width(), b.Height()));
    CBItem.State = focused ? TOwnerDrawState(odFocused) : 0;
    const TRect tr = Rect(2, 0, b.Width() - 2, b.Height());
    const int i = ShownIndex();
    if (i >= 0 && i < FListBox->Items()->Count()) {
        if (OnDrawItem)
            OnDrawItem(k, i, tr);
        else
            DrawItemContent(k, i, tr, true);
    }
    C->Draw(CBItem.R.Left, CBItem.R.Top, &b);
}

void TbsSkinCustomOfficeComboBox::DrawSkinItem(TBitmap* AFace)
{
    const int w = CBItem.R.Width();
    if (w < 1 || CBItem.R.Height() < 1)
        return;
    TBitmap b;
    b.SetSize(w, CBItem.R.Height());
    const bool focused = Focused();
    const bool hot = FMouseIn && !ActiveItemRect.IsEmpty() && !ActiveSkinRect.IsEmpty();
    auto copyFace = [&] { b.Canvas()->CopyRect(Rect(0, 0, w, b.Height()), AFace->Canvas(), CBItem.R); };
    if (focused) {
        if (FocusItemRect.IsEmpty())
            copyFace();
        else {
            TRect cl = Rect(ItemTextRect.Left + 1, ItemTextRect.Top + 1, ItemTextRect.Right - 1, ItemTextRect.Bottom - 1);
            CreateStretchSkinImage(&b, Picture, FocusItemRect, FittedTextRect(cl, SItemRect, FocusItemRect), true);
        }
    } else if (hot) {
        CreateStretchSkinImage(&b, Picture, ActiveItemRect, FittedTextRect(ItemTextRect, SItemRect, ActiveItemRect),
                               true);
    } else if (SItemRect.IsEmpty()) {
        copyFace();
    } else {
        CreateStretchSkinImage(&b, Picture, SItemRect, ItemTextRect, true);
    }
    TRect tr = ItemTextRect;
    tr.Right += w - (SItemRect.IsEmpty() ? ClRect.Width() : SItemRect.Width());
    tr.Bottom += Height() - SkinRect.Height();
    TCanvas* k = b.Canvas();
    SetRecordFont(k, focused ? FocusFontColor : (FMouseIn && !ActiveSkinRect.IsEmpty()) ? ActiveFontColor : FontColor);
    k->Brush()->SetStyle(bsClear);
    const int i = ShownIndex();
    if (i >= 0 && i < FListBox->Items()->Count()) {
        if (focused && ShowFocus) {
            k->Brush()->SetStyle(bsSolid);
            k->Brush()->SetColor(FSD->SkinColors().cBtnFace());
            k->DrawFocusRect(Rect(0, 0, b.Width(), b.Height()));
            k->Brush()->SetStyle(bsClear);
        }
        tr.Left += 1;
        if (OnDrawItem)
            OnDrawItem(k, i, tr);
        else
            DrawItemContent(k, i, tr, true);
    }
    AFace->Canvas()->Draw(CBItem.R.Left, CBItem.R.Top, &b);
}

void TbsSkinCustomOfficeComboBox::DrawSkinSizeItem(TBitmap* AFace)
{
    const int w = CBItem.R.Width();
    if (w < 1)
        return;
    const bool focused = Focused();
    const bool hot = FMouseIn && !ActiveItemRect.IsEmpty() && !ActiveSkinRect.IsEmpty();
    const TRect piece = focused ? FocusItemRect : hot ? ActiveItemRect : SItemRect;
    TBitmap b;
    if (piece.IsEmpty()) {
        const int h = !SItemRect.IsEmpty() ? SItemRect.Height()
                      : !FocusItemRect.IsEmpty() ? FocusItemRect.Height()
                                                 : CBItem.R.Height();
        b.SetSize(w, h);
        b.Canvas()->CopyRect(Rect(0, 0, w, h), AFace->Canvas(), Rect(CBItem.R.Left, CBItem.R.Top, CBItem.R.Right, CBItem.R.Top + h));
    } else {
        CreateHSkinImage(ItemLeftOffset, ItemRightOffset, &b, Picture, piece, w, piece.Height(),
                         focused ? FocusItemStretchEffect : ItemStretchEffect);
    }
    TRect tr = ItemTextRect;
    tr.Right += w - (SItemRect.IsEmpty() ? ClRect.Width() : SItemRect.Width());
    TCanvas* k = b.Canvas();
    const TColor color = !Enabled() ? GetDisabledFontColor()
                         : focused ? FocusFontColor
                         : (FMouseIn && !ActiveSkinRect.IsEmpty()) ? ActiveFontColor
                                                                   : FontColor;
    SetRecordFont(k, color);
    k->Brush()->SetStyle(bsClear);
    const int i = ShownIndex();
    if (i >= 0 && i < FListBox->Items()->Count()) {
        if (OnDrawItem)
            OnDrawItem(k, i, tr);
        else
            DrawItemContent(k, i, tr, false);
    }
    AFace->Canvas()->Draw(CBItem.R.Left, CBItem.R.Top, &b);
}

void TbsSkinCustomOfficeComboBox::DrawToolButtonText(TCanvas* C, const TRect& R, const std::string& AText)
{
    const int i = ShownIndex();
    if (i < 0 || i >= FListBox->Items()->Count())
        return;
    C->Brush()->SetStyle(bsClear);
    if (!AText.empty())
        TextRectLeft(C, AText, R);
    else if (OnDrawItem)
        OnDrawItem(C, i, R);
    else
        DrawItemContent(C, i, R, true);
}

void TbsSkinCustomOfficeComboBox::DrawDefaultToolButton(TBitmap* B, const std::string& AText)
{
    TCanvas* c = B->Canvas();
    const TRect r = Rect(0, 0, Width(), Height());
    if (FDropDown)
        FrameAndFill(c, r, kHotFrame, kDownFill);
    else if (Hot())
        FrameAndFill(c, r, kHotFrame, kHotFill);
    else
        FrameAndFill(c, r, clBtnShadow, clBtnFace);
    c->Font()->Assign(DefaultFont());
    DrawToolButtonText(c, Rect(2, 2, Width() - 17, Height() - 2), AText);
    DrawDownTriangle(c, Rect(Width() - 15, 0, Width(), Height()), c->Font()->Color());
}

void TbsSkinCustomOfficeComboBox::DrawSkinToolButton(TBitmap* B, const std::string& AText)
{
    if (FIndex == -1)
        return;
    auto* rec = FirstButtonRecord(FSD, {"resizetoolbutton", "resizebutton"});
    TbsPicture* pic = rec ? ActivePicture(*FSD, rec->PictureIndex) : nullptr;
    if (!rec || !pic)
        return;
    TRect piece = rec->SkinRect;
    if (FDropDown && !rec->DownSkinRect.IsEmpty())
        piece = rec->DownSkinRect;
    else if (!FDropDown && Hot() && !rec->ActiveSkinRect.IsEmpty())
        piece = rec->ActiveSkinRect;
    CreateButtonRecordImage(*rec, pic, piece, B);
    TCanvas* c = B->Canvas();
    AssignCaptionFont(c->Font(), DefaultFont(), FSD, UseSkinFont, *rec);
    const TColor color = FDropDown ? rec->DownFontColor
                         : Hot()   ? rec->ActiveFontColor
                         : Enabled() ? rec->FontColor
                                     : rec->DisabledFontColor;
    c->Font()->SetColor(color);
    DrawToolButtonText(c, Rect(3, 2, Width() - 17, Height() - 2), AText);
    const TRect arrow = Rect(Width() - 15, 0, Width(), Height());
    if (!rec->MenuMarkerRect.IsEmpty())
        DrawMenuMarker(c, arrow, *rec);
    else
        DrawDownTriangle(c, arrow, FDropDown ? rec->DownFontColor : color);
}

void TbsSkinCustomOfficeComboBox::DrawMenuMarker(TCanvas* C, const TRect& R, const TbsDataSkinButtonControl& ARec)
{
    TRect marker = ARec.MenuMarkerRect;
    if (FDropDown && !ARec.MenuMarkerDownRect.IsEmpty())
        marker = ARec.MenuMarkerDownRect;
    else if ((FDropDown || Hot()) && !ARec.MenuMarkerActiveRect.IsEmpty())
        marker = ARec.MenuMarkerActiveRect;
    DrawRecordMenuMarker(C, Picture, ARec, marker, R);
}

void TbsSkinCustomOfficeComboBox::PaintSkinTo(TCanvas* C, int X, int Y, const std::string& AText)
{
    TBitmap b;
    b.SetSize(Width(), Height());
    GetSkinData();
    const std::string saved = Text();
    FText = AText;
    if (FToolButtonStyle) {
        if (FIndex == -1)
            DrawDefaultToolButton(&b, AText);
        else
            DrawSkinToolButton(&b, AText);
    } else {
        if (FIndex == -1) {
            b.Canvas()->Font()->Assign(DefaultFont());
            DrawDefaultFace(&b);
        } else {
            DrawSkinFace(&b);
            SetRecordFont(b.Canvas(), FontColor);
        }
        b.Canvas()->Brush()->SetStyle(bsClear);
        TextRectLeft(b.Canvas(), AText, CBItem.R);
    }
    FText = saved;
    C->Draw(X, Y, &b);
}

} // namespace skin
