#pragma once
// A windowless hyperlink label: its caption underlined in the colours of the
// skin's "stdlabel" record (or its own), a colour change or a glow while the
// mouse is over it, and its URL opened by the desktop when clicked.

#include "skin/controls/bsSkinCtrls_Base.h"

#include "platform/controls/StdCtrls.h"

namespace skin {

class TbsSkinLinkLabel : public platform::TCustomLabel, public IbsSkinnedControl {
public:
    explicit TbsSkinLinkLabel(TComponent* AOwner);

    bool GlowEffect = false;
    // Glow radius, and how far the text moves down while GlowEffect is on.
    int GlowSize = 7;
    bool UseSkinFont = true;
    platform::TColor DefaultActiveFontColor = platform::TColor(0xFF0000);
    std::string URL;

    bool UseUnderLine() const { return FUseUnderLine; }
    void SetUseUnderLine(bool AValue);
    TFont* DefaultFont() { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* AValue) { FDefaultFont->Assign(AValue); }
    TbsSkinData* SkinData() const override { return FSD; }
    void SetSkinData(TbsSkinData* AValue);
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& AValue) { FSkinDataName = AValue; }
    void ChangeSkinData() override;
    bool MouseIn() const { return FMouseIn; }
    int SkinIndex() const { return FIndex; }

    // Copies of the skin record's font.
    std::string FontName;
    platform::TFontStyles FontStyle;
    int FontHeight = 0;
    platform::TColor FontColor = 0, ActiveFontColor = 0;

    void Click() override;
    void CMMouseEnter(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;

protected:
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void DoDrawText(platform::TRect& ARect, platform::UINT AFlags) override;
    void GetSkinData();
    void SelectTextFont(TCanvas* ACanvas);

    bool FMouseIn = false;
    int FIndex = -1;
    TbsSkinData* FSD = nullptr;
    std::string FSkinDataName = "stdlabel";
    std::unique_ptr<TFont> FDefaultFont;
    bool FUseUnderLine = true;
};

} // namespace skin
