#pragma once
// The skinned text label: a windowless multi-line label whose font and
// colour come from the skin's "stdlabel" record. It derives from the
// platform's graphic control, not from the skinned control bases, and keeps
// its own skin link.

#include "skin/controls/bsSkinCtrls_Base.h"

#include "platform/controls/StdCtrls.h"

#include <string>

namespace skin {

using platform::TStringList;
using platform::TTextLayout;

class TbsSkinTextLabel : public platform::TGraphicControl, public IbsSkinnedControl, public TbsSkinFontFields {
public:
    explicit TbsSkinTextLabel(TComponent* AOwner);
    ~TbsSkinTextLabel() override;

    // ---- properties
    bool UseSkinFont = true;
    bool UseSkinColor = true;
    TStringList* Lines() { return &FLines; }
    void SetLines(const TStringList& Value);
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* Value) { FDefaultFont.Assign(Value); }
    TbsSkinData* SkinData() const override { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    std::string SkinDataName = "stdlabel";
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);

    // The record index, -1 unskinned.
    int Index() const { return FIndex; }
    void GetSkinData();
    void ChangeSkinData() override;
    // Every line followed by a line break.
    virtual std::string GetLabelText();
    // Draws the text into R, or with DT_CALCRECT only measures it.
    void DoDrawText(TCanvas* C, TRect& R, platform::UINT Flags);
    void AdjustBounds();

    void Loaded() override;
    void CMFontChanged(TMessage& M) override;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void LinesChanged();
    void PrepareFont(TCanvas* C);

    int FIndex = -1;
    TStringList FLines;
    TFont FDefaultFont;
    TbsSkinData* FSD = nullptr;
    TAlignment FAlignment = platform::taLeftJustify;
    bool FAutoSize = true;
    TTextLayout FLayout = platform::tlTop;
    bool FWordWrap = false;
};

} // namespace skin
