#pragma once
// One class for the skinned check box and the skinned radio button. Flat
// (the default): the parent's background, a check image and the caption,
// with no picture of its own. Not flat: drawn from the record's picture
// like a small panel, with the check image in a check area and the caption
// in a text area, cross-fading between its normal and hot pictures.

#include "skin/controls/bsSkinCtrls_Button.h"

#include "platform/controls/StdCtrls.h"

namespace skin {

using platform::TCheckBoxState;

class TbsSkinCheckRadioBox : public TbsSkinCustomControl, public TbsSkinFontFields {
public:
    explicit TbsSkinCheckRadioBox(TComponent* AOwner);
    ~TbsSkinCheckRadioBox() override;

    // ---- properties
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);
    bool Radio() const { return FRadio; }
    void SetRadio(bool Value);
    int GroupIndex = 0;
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool UseSkinFontColor = true;
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    // The box's own click event; the platform's OnClick is never fired.
    TNotifyEvent OnClick;

    // ---- values of the skin record
    TColor ActiveFontColor = 0, FrameFontColor = 0, UnEnabledFontColor = 0;
    TRect ActiveSkinRect, CheckImageArea, TextArea, CheckImageRect, UnCheckImageRect, ActiveCheckImageRect,
        ActiveUnCheckImageRect, UnEnabledCheckImageRect, UnEnabledUnCheckImageRect, GrayedCheckImageRect,
        ActiveGrayedCheckImageRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    // The check image's and the caption's places for the current size.
    TRect CIRect, NewTextArea;

    virtual void ToggleChecked();
    bool MouseIn() const { return FMouseIn; }
    double MorphKf() const { return FMorph.Kf(); }
    // Paints the box with a given checked value into another canvas.
    void PaintSkinTo(TCanvas* C, int X, int Y, bool AChecked);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CheckParentBackground() override;
    void CalcSkinLayout(int& W, int& H) override;

    void WndProc(TMessage& M) override;
    void WMMove(TMessage& M) override;
    void WMSetFocus(TMessage& M) override;
    void WMKillFocus(TMessage& M) override;
    void WMEraseBkgnd(TMessage& M) override;
    void CMDialogChar(TMessage& M) override;
    void CMEnabledChanged(TMessage& M) override;
    void CMTextChanged(TMessage& M) override;
    void CMMouseEnter(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    // The flat look into C; ALive: with the hot frame and the box's fill.
    void PaintFlat(TCanvas* C, TCheckBoxState AState, bool ALive);
    // The piece of the picture for a state; AGrayedFromPiece: the grayed image
    // is that piece brightened.
    TRect CheckPiece(TCheckBoxState AState, bool AMouseIn, bool& AGrayedFromPiece) const;
    void DrawCheckPiece(TCanvas* C, int X, int Y, TCheckBoxState AState, bool AMouseIn);
    void PrepareFont(TCanvas* C);
    bool ImageShown() const;
    TRect DrawFlatCaption(TCanvas* C, int ALeft, int AImageGap);
    void DrawFlatFocus(TCanvas* C, const TRect& ACaption);
    void DrawFramedPicture(TBitmap* B, bool AActive);
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseMove(platform::TShiftState AShift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;

    bool MorphingActive() const;
    bool IsFocused();
    void MorphOrRepaint();
    // Looks the record up again: the fade may go on.
    bool MorphCanFade();
    void FocusChanged();
    void UncheckGroupSiblings();

    bool FChecked = false;
    TCheckBoxState FState = platform::cbUnchecked;
    bool FAllowGrayed = false;
    bool FRadio = false;
    bool FFlat = true;
    bool FWordWrap = false;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = 0;
    bool FCanFocused = true;
    bool FDown = false;
    bool FMouseIn = false;
    bool FClicksDisabled = false;
    // Fades towards the hot picture while the pointer is in or the focus here.
    TbsMorph FMorph{this, [this] { return FMouseIn || IsFocused(); }, [this] { return MorphCanFade(); }};
};

} // namespace skin
