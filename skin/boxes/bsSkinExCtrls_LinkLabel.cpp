// The hyperlink label: skinned or default colours, hover colour or glow, the
// embossed disabled look, opening its URL.
#include "skin/boxes/bsSkinExCtrls_LinkLabel.h"

#include "skin/core/bsUtils_Glow.h"

#include "platform/shell/ShellExecute.h"

namespace skin {

using namespace platform;

TbsSkinLinkLabel::TbsSkinLinkLabel(TComponent* AOwner) : TCustomLabel(AOwner)
{
    SetTransparent(true);
    FDefaultFont = std::make_unique<TFont>();
    FDefaultFont->SetName("Tahoma");
    FDefaultFont->SetHeight(13);
    FDefaultFont->SetStyle({fsUnderline});
    Font()->Assign(FDefaultFont.get());
    Cursor = crHandPoint;
}

void TbsSkinLinkLabel::GetSkinData()
{
    FIndex = (!FSD || FSD->Empty()) ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex < 0)
        return;
    if (auto* rec = dynamic_cast<TbsDataSkinStdLabelControl*>(FSD->CtrlList[size_t(FIndex)].get())) {
        FontName = rec->FontName;
        FontColor = rec->FontColor;
        FontStyle = rec->FontStyle;
        FontHeight = rec->FontHeight;
        ActiveFontColor = rec->ActiveFontColor;
    }
}

void TbsSkinLinkLabel::SetSkinData(TbsSkinData* AValue)
{
    if (FSD)
        FSD->RemoveFreeNotification(this);
    FSD = AValue;
    if (FSD) {
        FSD->FreeNotification(this);
        ChangeSkinData();
    }
}

void TbsSkinLinkLabel::ChangeSkinData()
{
    GetSkinData();
    // The skin's font may be larger: an auto-sized label measures again.
    if (FAutoSize)
        AdjustBounds();
    Repaint();
}

void TbsSkinLinkLabel::Notification(TComponent* AComponent, TOperation AOperation)
{
    TCustomLabel::Notification(AComponent, AOperation);
    if (AOperation == opRemove && AComponent == FSD)
        FSD = nullptr;
}

void TbsSkinLinkLabel::SetUseUnderLine(bool AValue)
{
    if (FUseUnderLine == AValue)
        return;
    FUseUnderLine = AValue;
    Repaint();
}

void TbsSkinLinkLabel::Click()
{
    TCustomLabel::Click();
    // An address the desktop cannot open changes nothing; the click has fired.
    if (!URL.empty())
        ShellOpen(URL);
}

void TbsSkinLinkLabel::CMMouseEnter(TMessage& M)
{
    TCustomLabel::CMMouseEnter(M);
    FMouseIn = true;
    Repaint();
}

void TbsSkinLinkLabel::CMMouseLeave(TMessage& M)
{
    TCustomLabel::CMMouseLeave(M);
    FMouseIn = false;
    Repaint();
}

void TbsSkinLinkLabel::SelectTextFont(TCanvas* ACanvas)
{
    TFont* font = ACanvas->Font();
    if (FIndex < 0) {
        font->Assign(UseSkinFont ? FDefaultFont.get() : Font());
        if (FMouseIn)
            font->SetColor(DefaultActiveFontColor);
        TFontStyles style = font->Style();
        style.Include(fsUnderline);
        font->SetStyle(style);
    } else {
        font->Assign(Font());
        if (UseSkinFont) {
            font->SetName(FontName);
            font->SetStyle(FontStyle);
            font->SetHeight(FontHeight);
        }
        TFontStyles style = font->Style();
        FUseUnderLine ? style.Include(fsUnderline) : style.Exclude(fsUnderline);
        font->SetStyle(style);
        font->SetColor(FMouseIn && !GlowEffect ? ActiveFontColor : FontColor);
    }
    TbsResourceStrData* strings = FSD ? FSD->ResourceStrData() : nullptr;
    font->SetCharset(strings ? strings->CharSet : FDefaultFont->Charset());
}

void TbsSkinLinkLabel::DoDrawText(TRect& ARect, UINT AFlags)
{
    GetSkinData();
    std::string text = GetText();
    const bool measuring = AFlags & DT_CALCRECT;
    if (measuring && (text.empty() || (ShowAccelChar && text == "&")))
        text += " ";
    if (!ShowAccelChar)
        AFlags |= DT_NOPREFIX;
    TRect r = ARect;
    if (GlowEffect)
        r = Rect(r.Left, r.Top + GlowSize, r.Right, r.Bottom + GlowSize);
    TCanvas* c = Canvas();
    SelectTextFont(c);
    const TColor glowColor = FIndex >= 0 ? ActiveFontColor : DefaultActiveFontColor;
    HDC dc = c->Handle();
    SelectObject(dc, c->Font()->Handle());
    if (measuring) {
        // The measured size takes in the glow's downward shift, so an
        // auto-sized label never cuts its text off.
        DrawText(dc, text, &r, AFlags);
        ARect.Right = r.Right;
        ARect.Bottom = r.Bottom;
        return;
    }
    SetBkMode(dc, TRANSPARENT);
    if (Enabled()) {
        TFontStyles style = c->Font()->Style();
        FUseUnderLine ? style.Include(fsUnderline) : style.Exclude(fsUnderline);
        c->Font()->SetStyle(style);
        if (FMouseIn && GlowEffect) {
            DrawGlowText(c, r, text, GlowSize, glowColor, 0, AFlags);
            return;
        }
        SelectObject(dc, c->Font()->Handle());
        SetTextColor(dc, ColorToRGB(c->Font()->Color()));
        DrawText(dc, text, &r, AFlags);
        return;
    }
    // Disabled: embossed, the highlight one pixel right and down under the shadow.
    const bool skinned = FIndex >= 0 && FSD;
    const TColor highlight = skinned ? FSD->SkinColors().cBtnHighLight() : clBtnHighlight;
    const TColor shadow = skinned ? FSD->SkinColors().cBtnShadow() : clBtnShadow;
    TRect moved = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    SetTextColor(dc, ColorToRGB(highlight));
    DrawText(dc, text, &moved, AFlags);
    SetTextColor(dc, ColorToRGB(shadow));
    DrawText(dc, text, &r, AFlags);
}

} // namespace skin
