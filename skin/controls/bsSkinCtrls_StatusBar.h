#pragma once
// The skinned status bar: a panel at the bottom of a form whose content is
// the controls placed on it, with an optional size grip in its right corner
// drawn from the skin's grip picture or as diagonal lines.

#include "skin/controls/bsSkinCtrls_Panel.h"

namespace skin {

class TbsSkinStatusBar : public TbsSkinPanel {
public:
    explicit TbsSkinStatusBar(TComponent* AOwner);

    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);
    // The form frame hides the grip while its form is maximized.
    bool ShowGrip() const { return FShowGrip; }
    void SetShowGrip(bool Value);

    // ---- values of the skin record
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;

    // The grip's rectangle: just right of the client area.
    TRect GripRect();

    void SetSkinData(TbsSkinData* Value) override;
    void GetSkinData() override;
    void AdjustClientRect(TRect& R) override;
    void WMNCHitTest(TMessage& M) override;

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    bool GripOn() const { return FSizeGrip && FShowGrip; }
    bool HasGripPicture() const { return FIndex != -1 && !GripperRect.IsEmpty(); }

    bool FSizeGrip = false;
    bool FShowGrip = true;
};

// Diagonal double lines, 3 pixels apart, in the bottom-right corner of G.
void DrawGripLines(TCanvas* C, const TRect& G, TColor ADark, TColor ALight);

} // namespace skin
