#pragma once
// The platform's bevel whose two line colours come from a "bevel" skin
// record, with a divider mode: a thin two-colour line through the middle of
// the control. It keeps only the record's index, never the record.

#include "skin/controls/bsSkinCtrls_Base.h"

#include "platform/controls/ExtCtrls.h"

#include <string>

namespace skin {

// B draws with AKey as its fixed transparent colour.
inline void SetFixedKey(TBitmap& B, TColor AKey)
{
    B.SetTransparentMode(platform::tmFixed);
    B.SetTransparentColor(AKey);
    B.SetTransparent(true);
}

class TbsSkinBevel : public platform::TBevel, public IbsSkinnedControl {
public:
    explicit TbsSkinBevel(TComponent* AOwner);

    TbsSkinData* SkinData() const override { return FSD; }
    // Stores and re-reads the colours at once.
    void SetSkinData(TbsSkinData* Value);
    const std::string& SkinDataName() const { return FSkinDataName; }
    // Takes effect at the next skin change.
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    bool DividerMode() const { return FDividerMode; }
    void SetDividerMode(bool Value);

    int FIndex = -1;
    TColor LightColor = platform::clBtnHighlight;
    TColor DarkColor = platform::clBtnShadow;

    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    void PaintDesignSpacer();
    void BevelRect(int L, int T, int R, int B, TColor AColor1, TColor AColor2);
    void BevelLine(TColor AColor, int X1, int Y1, int X2, int Y2);
    void PaintDivider(TColor AColor1, TColor AColor2);
    void PaintShape(TColor AColor1, TColor AColor2);

    TbsSkinData* FSD = nullptr;
    std::string FSkinDataName = "bevel";
    bool FDividerMode = false;
};

} // namespace skin
