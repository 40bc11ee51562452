#include "skin/controls/bsSkinCtrls_StdLabel.h"

namespace skin {

using platform::UINT;

TbsSkinStdLabel::TbsSkinStdLabel(TComponent* AOwner) : TCustomLabel(AOwner)
{
    SetTransparent(true);
}

void TbsSkinStdLabel::SetEllipsType(TbsEllipsType Value)
{
    if (FEllipsType == Value)
        return;
    FEllipsType = Value;
    Invalidate();
}

void TbsSkinStdLabel::SetSkinData(TbsSkinData* Value)
{
    if (FSD && FSD != Value)
        FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (FSD) {
        FSD->FreeNotification(this);
        ChangeSkinData();
    }
}

void TbsSkinStdLabel::Notification(TComponent* AComponent, platform::TOperation AOperation)
{
    TCustomLabel::Notification(AComponent, AOperation);
    if (AOperation == platform::opRemove && AComponent == FSD)
        FSD = nullptr;
}

// A name that finds a record of another kind copies nothing, yet the label
// counts as skinned and draws with the values its fields hold.
void TbsSkinStdLabel::GetSkinData()
{
    FIndex = (!FSD || FSD->Empty()) ? -1 : FSD->GetControlIndex(SkinDataName);
    if (FIndex == -1)
        return;
    if (auto* rec = dynamic_cast<TbsDataSkinStdLabelControl*>(FSD->CtrlList[size_t(FIndex)].get())) {
        FontName = rec->FontName;
        FontColor = rec->FontColor;
        FontStyle = rec->FontStyle;
        FontHeight = rec->FontHeight;
    }
}

void TbsSkinStdLabel::ChangeSkinData()
{
    GetSkinData();
    if (AutoSize())
        AdjustBounds();
    Repaint();
}

UINT TbsSkinStdLabel::TextFlags() const
{
    UINT flags = platform::DT_EXPANDTABS;
    if (WordWrap())
        flags |= platform::DT_WORDBREAK;
    if (Alignment == platform::taRightJustify)
        flags |= platform::DT_RIGHT;
    else if (Alignment == platform::taCenter)
        flags |= platform::DT_CENTER;
    return flags;
}

void TbsSkinStdLabel::DoDrawText(TRect& ARect, UINT AFlags)
{
    TCanvas* c = Canvas();
    c->SetFont(Font());
    DrawLabelText(c, Caption(), ARect, AFlags);
}

void TbsSkinStdLabel::DrawLabelText(TCanvas* C, const std::string& AText, TRect& ARect, UINT AFlags)
{
    GetSkinData();
    std::string text = AText;
    if (AFlags & platform::DT_CALCRECT) {
        if (text.empty())
            text = " ";
        else if (ShowAccelChar && text == "&")
            text = "& ";
    }
    static const UINT ellipsis[] = {0, platform::DT_END_ELLIPSIS, platform::DT_PATH_ELLIPSIS};
    const UINT flags = AFlags | (ShowAccelChar ? 0u : UINT(platform::DT_NOPREFIX)) | ellipsis[FEllipsType];

    TFont* font = C->Font();
    if (FIndex == -1) {
        font->Assign(UseSkinFont ? &FDefaultFont : Font());
    } else {
        if (UseSkinFont) {
            font->SetName(FontName);
            font->SetStyle(FontStyle);
            font->SetHeight(FontHeight);
        } else {
            font->Assign(Font());
        }
        font->SetColor(UseSkinColor ? FontColor : Font()->Color());
    }
    if (FSD && FSD->ResourceStrData())
        font->SetCharset(FSD->ResourceStrData()->CharSet);
    else
        font->SetCharset(FDefaultFont.Charset());

    platform::HDC dc = C->Handle();
    platform::SelectObject(dc, font->Handle());
    platform::SetBkMode(dc, platform::TRANSPARENT);
    if (Enabled()) {
        platform::SetTextColor(dc, platform::ColorToRGB(font->Color()));
        platform::DrawText(dc, text, &ARect, flags);
        return;
    }
    // Disabled text is embossed: a highlight one pixel down and right under the shadow.
    const bool skinned = FIndex != -1;
    const TColor light = skinned ? FSD->SkinColors().cBtnHighLight() : platform::clBtnHighlight;
    const TColor shadow = skinned ? FSD->SkinColors().cBtnShadow() : platform::clBtnShadow;
    ARect = Rect(ARect.Left + 1, ARect.Top + 1, ARect.Right + 1, ARect.Bottom + 1);
    platform::SetTextColor(dc, platform::ColorToRGB(light));
    platform::DrawText(dc, text, &ARect, flags);
    ARect = Rect(ARect.Left - 1, ARect.Top - 1, ARect.Right - 1, ARect.Bottom - 1);
    platform::SetTextColor(dc, platform::ColorToRGB(shadow));
    platform::DrawText(dc, text, &ARect, flags);
}

void TbsSkinStdLabel::PaintSkinTo(TCanvas* C, int X, int Y, const std::string& AText)
{
    const TRect client = ClientRect();
    if (!Transparent()) {
        C->Brush()->SetColor(Color());
        C->Brush()->SetStyle(platform::bsSolid);
        C->FillRect(Rect(client.Left + X, client.Top + Y, client.Right + X, client.Bottom + Y));
    }
    C->Brush()->SetStyle(platform::bsClear);
    TRect r = client;
    const UINT flags = TextFlags();
    if (Layout != platform::tlTop) {
        TRect calc = r;
        C->SetFont(Font());
        DrawLabelText(C, AText, calc, flags | platform::DT_CALCRECT);
        const int shift = Layout == platform::tlBottom ? Height() - calc.Bottom : (Height() - calc.Bottom) / 2;
        r = Rect(r.Left, r.Top + shift, r.Right, r.Bottom + shift);
    }
    r = Rect(r.Left + X, r.Top + Y, r.Right + X, r.Bottom + Y);
    C->SetFont(Font());
    DrawLabelText(C, AText, r, flags);
}

} // namespace skin
