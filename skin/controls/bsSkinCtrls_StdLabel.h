#pragma once
// The platform's standard label whose text takes its font and colour from a
// "stdlabel" skin record. It draws no skin picture: it re-fonts and
// re-colours the text, and draws disabled text embossed in the skin's
// colours.

#include "skin/controls/bsSkinCtrls_Base.h"

#include "platform/controls/StdCtrls.h"

#include <string>

namespace skin {

enum TbsEllipsType : uint8_t { bsetNone, bsetEndEllips, bsetPathEllips };

class TbsSkinStdLabel : public platform::TCustomLabel, public IbsSkinnedControl {
public:
    explicit TbsSkinStdLabel(TComponent* AOwner);

    TbsEllipsType EllipsType() const { return FEllipsType; }
    void SetEllipsType(TbsEllipsType Value);
    bool UseSkinFont = true;
    bool UseSkinColor = true;
    TFont* DefaultFont() { return &FDefaultFont; }
    // Takes a copy; repaints nothing.
    void SetDefaultFont(TFont* Value) { FDefaultFont.Assign(Value); }
    TbsSkinData* SkinData() const override { return FSD; }
    // Re-fonts the label at once, whatever the model's state.
    void SetSkinData(TbsSkinData* Value);
    std::string SkinDataName = "stdlabel";

    int FIndex = -1;
    // Copied from the record.
    std::string FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = 0;

    void GetSkinData();
    void ChangeSkinData() override;
    // Paints AText as the label would into C, the label's top-left at (X, Y).
    void PaintSkinTo(TCanvas* C, int X, int Y, const std::string& AText);

protected:
    void DoDrawText(TRect& ARect, platform::UINT AFlags) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    // Steps of DoDrawText on any canvas.
    void DrawLabelText(TCanvas* C, const std::string& AText, TRect& ARect, platform::UINT AFlags);
    platform::UINT TextFlags() const;

    TbsEllipsType FEllipsType = bsetNone;
    TbsSkinData* FSD = nullptr;
    TFont FDefaultFont;
};

} // namespace skin
