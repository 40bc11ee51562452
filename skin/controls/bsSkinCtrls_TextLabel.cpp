#include "skin/controls/bsSkinCtrls_TextLabel.h"

#include "skin/core/bsSkinData_PanelControls.h"
#include "skin/core/bsUtils_Text.h"

namespace skin {

using platform::DT_CALCRECT;
using platform::DT_CENTER;
using platform::DT_EXPANDTABS;
using platform::DT_LEFT;
using platform::DT_RIGHT;
using platform::DT_WORDBREAK;

TbsSkinTextLabel::TbsSkinTextLabel(TComponent* AOwner) : platform::TGraphicControl(AOwner)
{
    // A label is see-through: the parent paints beneath it.
    ControlStyle = (ControlStyle & ~platform::csOpaque) | platform::csReplicatable;
    SetBounds(Left(), Top(), 65, 65);
    FLines.OnChange = [this](TObject*) { LinesChanged(); };
}

TbsSkinTextLabel::~TbsSkinTextLabel() { FLines.OnChange = nullptr; }

void TbsSkinTextLabel::Notification(TComponent* AComponent, platform::TOperation AOperation)
{
    platform::TGraphicControl::Notification(AComponent, AOperation);
    if (AOperation == platform::opRemove && AComponent == FSD)
        FSD = nullptr;
}

void TbsSkinTextLabel::Loaded()
{
    platform::TGraphicControl::Loaded();
    AdjustBounds();
}

void TbsSkinTextLabel::LinesChanged()
{
    if (FAutoSize)
        AdjustBounds();
    Invalidate();
}

void TbsSkinTextLabel::SetLines(const TStringList& Value)
{
    FLines.Assign(Value);
    Repaint();
}

void TbsSkinTextLabel::SetSkinData(TbsSkinData* Value)
{
    ChangeReference(this, FSD, Value);
    if (FSD)
        ChangeSkinData();
}

void TbsSkinTextLabel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value)
        return;
    FAlignment = Value;
    Invalidate();
}

void TbsSkinTextLabel::SetAutoSize(bool Value)
{
    if (FAutoSize == Value)
        return;
    FAutoSize = Value;
    AdjustBounds();
}

void TbsSkinTextLabel::SetLayout(TTextLayout Value)
{
    if (FLayout == Value)
        return;
    FLayout = Value;
    Invalidate();
}

void TbsSkinTextLabel::SetWordWrap(bool Value)
{
    if (FWordWrap == Value)
        return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TbsSkinTextLabel::CMFontChanged(TMessage& M)
{
    platform::TGraphicControl::CMFontChanged(M);
    AdjustBounds();
    Invalidate();
}

void TbsSkinTextLabel::GetSkinData()
{
    FIndex = (!FSD || FSD->Empty()) ? -1 : FSD->GetControlIndex(SkinDataName);
    if (FIndex == -1)
        return;
    // The font values of the record; a record of another kind leaves them.
    if (auto* rec = dynamic_cast<TbsDataSkinStdLabelControl*>(FSD->CtrlList[size_t(FIndex)].get()))
        static_cast<TbsSkinFontFields&>(*this) = *rec;
}

void TbsSkinTextLabel::ChangeSkinData()
{
    GetSkinData();
    if (FAutoSize)
        AdjustBounds();
    Repaint();
}

std::string TbsSkinTextLabel::GetLabelText()
{
    std::string s;
    for (int i = 0; i < FLines.Count(); ++i)
        s += FLines[i] + "\r\n";
    return s;
}

void TbsSkinTextLabel::PrepareFont(TCanvas* C)
{
    TFont* f = C->Font();
    if (FIndex == -1) {
        f->Assign(UseSkinFont ? &FDefaultFont : Font());
    } else {
        f->Assign(Font());
        if (UseSkinFont) {
            f->SetName(FontName);
            f->SetStyle(FontStyle);
            f->SetHeight(FontHeight);
        }
        if (UseSkinColor)
            f->SetColor(FontColor);
    }
    if (FSD && FSD->ResourceStrData())
        f->SetCharset(FSD->ResourceStrData()->CharSet);
    else
        f->SetCharset(FDefaultFont.Charset());
}

void TbsSkinTextLabel::DoDrawText(TCanvas* C, TRect& R, platform::UINT Flags)
{
    GetSkinData();
    const std::string s = GetLabelText();
    PrepareFont(C);
    auto draw = [&](TRect& AR) { WideDrawText(C, s, AR, Flags); };
    if (Enabled() || (Flags & DT_CALCRECT)) {
        draw(R);
        return;
    }
    // Disabled: embossed, highlight one pixel down and right under the shadow.
    const bool skinned = FIndex != -1;
    R = Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
    C->Font()->SetColor(skinned ? FSD->SkinColors().cBtnHighLight() : platform::clBtnHighlight);
    draw(R);
    R = Rect(R.Left - 1, R.Top - 1, R.Right - 1, R.Bottom - 1);
    C->Font()->SetColor(skinned ? FSD->SkinColors().cBtnShadow() : platform::clBtnShadow);
    draw(R);
}

namespace {

platform::UINT AlignmentFlag(TAlignment A)
{
    return A == platform::taRightJustify ? DT_RIGHT : A == platform::taCenter ? DT_CENTER : DT_LEFT;
}

} // namespace

void TbsSkinTextLabel::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(platform::bsClear);
    TRect r = ClientRect();
    const platform::UINT flags = (FWordWrap ? platform::UINT(DT_WORDBREAK) : 0u) | DT_EXPANDTABS | AlignmentFlag(FAlignment);
    if (FLayout != platform::tlTop) {
        TRect m = r;
        DoDrawText(c, m, flags | DT_CALCRECT);
        // The line break after the last line counts as a line of its own.
        m.Bottom -= c->TextHeight("A");
        const int dy = FLayout == platform::tlBottom ? Height() - m.Bottom : (Height() - m.Bottom) / 2;
        r = Rect(r.Left, r.Top + dy, r.Right, r.Bottom + dy);
    }
    DoDrawText(c, r, flags);
}

void TbsSkinTextLabel::AdjustBounds()
{
    if (IsLoading() || !FAutoSize)
        return;
    // Measured on a canvas of its own: the label may have no parent yet.
    TBitmap measure;
    measure.SetSize(1, 1);
    TCanvas* c = measure.Canvas();
    TRect r = ClientRect();
    DoDrawText(c, r, (FWordWrap ? platform::UINT(DT_WORDBREAK) : 0u) | DT_EXPANDTABS | DT_CALCRECT);
    r.Bottom -= c->TextHeight("A");
    int x = Left();
    if (FAlignment == platform::taRightJustify)
        x = Left() + Width() - r.Right;
    SetBounds(x, Top(), r.Right, r.Bottom);
}

} // namespace skin
