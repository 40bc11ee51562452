#pragma once
// The skinned single-line edit. Its frame (and an optional button at the
// right end) lies in the window's non-client area, painted from the skin's
// "edit" record or, without one, as a plain frame; the text runs in the
// client area the frame leaves. Images at either end of the client area
// answer as non-client parts, so clicks on them never move the caret. It
// keeps its own copies of the record's values, refreshed on every frame.

#include "skin/boxes/bsSkinBoxes_Edit.h"
#include "skin/controls/bsSkinCtrls_Base.h"

namespace skin {

// A button or image area of a control.
struct TbsCBButtonX {
    TRect R;
    bool MouseIn = false;
    bool Down = false;
};

// Non-client hit codes of the two image areas.
constexpr platform::LRESULT HTEDITLEFTIMAGE = 104;
constexpr platform::LRESULT HTEDITRIGHTIMAGE = 105;
// ... and of the button and the frame.
constexpr platform::LRESULT HTEDITBUTTON = 6;
constexpr platform::LRESULT HTEDITFRAME = 7;

class TbsSkinCustomEdit : public TbsCustomEdit, public IbsSkinnedControl {
public:
    explicit TbsSkinCustomEdit(TComponent* AOwner);
    ~TbsSkinCustomEdit() override;

    TbsCBButtonX LeftButton, RightButton;

    TbsSkinData* SkinData() const override { return FSD; }
    virtual void SetSkinData(TbsSkinData* Value);
    void ChangeSkinData() override;
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& AValue) { FSkinDataName = AValue; }

    platform::TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(platform::TColor AValue);
    TFont* DefaultFont() { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* AValue);
    bool UseSkinFont = true;
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int AValue);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int AValue);
    bool ButtonMode() const { return FButtonMode; }
    void SetButtonMode(bool AValue);
    platform::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(platform::TAlignment AValue);

    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* AValue);
    int LeftImageIndex() const { return FLeftImageIndex; }
    void SetLeftImageIndex(int AValue);
    int RightImageIndex() const { return FRightImageIndex; }
    void SetRightImageIndex(int AValue);
    int LeftImageHotIndex = -1, LeftImageDownIndex = -1;
    int RightImageHotIndex = -1, RightImageDownIndex = -1;
    int ButtonImageIndex() const { return FButtonImageIndex; }
    void SetButtonImageIndex(int AValue);

    TNotifyEvent OnButtonClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnLeftButtonClick;
    TNotifyEvent OnRightButtonClick;

    // Copies of the skin record, refreshed by GetSkinData.
    int LOffset = 0, ROffset = 0;
    TRect ClRect, SkinRect, ActiveSkinRect;
    std::string FontName;
    platform::TFontStyles FontStyle;
    int FontHeight = 0;
    platform::TColor FontColor = 0, DisabledFontColor = 0, ActiveFontColor = 0;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    bool StretchEffect = false;

    int SkinIndex() const { return FIndex; }
    // The part of the window the text occupies and the button, in window coordinates.
    TRect EditRect() const { return FEditRect; }
    TRect ButtonBounds() const { return FButtonRect; }
    bool MouseIn() const { return FMouseIn; }

    // Centred in a tool bar that adjusts its controls, when aligned.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // The edit's whole look showing AText instead of its own text, painted
    // onto C at (X, Y): the frame (a skinned one without its hover picture)
    // and the button as the frame painting draws them, then AText in the
    // text area between the image areas.
    void PaintSkinTo(TCanvas* C, int X, const std::string& AText, int Y);
    void PaintBuffered() override;
    void RepaintFrame();
    void AdjustHeight();
    int CalcHeight();

    void Dispatch(TMessage& M) override;
    void WMNCCalcSize(TMessage& M) override;
    void WMNCPaint(TMessage& M) override;
    void WMNCHitTest(TMessage& M) override;
    void WMTimer(TMessage& M) override;
    void WMSetFocus(TMessage& M) override;
    void WMKillFocus(TMessage& M) override;
    void WMMouseMove(TMessage& M) override;
    void WMSize(TMessage& M) override;
    void CMEnabledChanged(TMessage& M) override;
    void CMFontChanged(TMessage& M) override;

protected:
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void Paint() override;
    void PaintBackground(TCanvas* ACanvas, const TRect& AClient) override;
    TRect TextArea() override;

    TbsResourceStrData* GetResourceStrData() override { return FSD ? FSD->ResourceStrData() : nullptr; }
    void GetSkinData();
    bool Skinned() const { return FIndex != -1; }
    void CalcEditRects();
    void UpdateImageRects();
    void DrawEditImages(TCanvas* ACanvas);
    void PaintEditBackground(TCanvas* ACanvas);
    // AAtRest: the look PaintSkinTo shows: the frame without its hover
    // picture, and an unskinned button beside the frame rather than under
    // its right edge.
    void PaintFrame(TCanvas* ACanvas, bool AAtRest = false);
    void PaintStretchedFrame(TCanvas* ACanvas);
    void DrawStretchedButton(TCanvas* ACanvas, const TRect& R);
    void PaintDisabledText(TCanvas* ACanvas);
    // AText in R by the alignment, clipped to R, over what is there.
    void DrawAlignedText(TCanvas* ACanvas, const TRect& R, const std::string& AText);
    void PaintFrameOn(platform::HDC ADC, bool AExcludeEdit);
    bool NeedsMouseTracking() const;
    void DoMouseEnter();
    void DoMouseLeave();
    void NCButtonDown(TMessage& M);
    void NCButtonUp(TMessage& M);
    void NCMouseMove(TMessage& M);
    void FrameChanged();
    void DefaultFontChange();
    TRect FTextRect;   // client area less the image areas
    // The window is told of losing the focus while it still holds it.
    bool FLosingFocus = false;
    bool ShowsActive() { return FMouseIn || (Focused() && !FLosingFocus); }

    platform::TColor FDefaultColor = platform::clWindow;
    TRect FButtonRect;
    bool FButtonMode = false;
    bool FButtonDown = false;
    bool FButtonActive = false;
    TRect FEditRect;
    bool FMouseIn = false;
    int FIndex = -1;
    TbsSkinData* FSD = nullptr;
    std::string FSkinDataName = "edit";
    TbsPicture* Picture = nullptr;   // an active picture of the model, not owned
    std::unique_ptr<TFont> FDefaultFont;
    int FDefaultWidth = 0, FDefaultHeight = 0;
    platform::TAlignment FAlignment = platform::taLeftJustify;
    TCustomImageList* FImages = nullptr;
    int FLeftImageIndex = -1, FRightImageIndex = -1, FButtonImageIndex = -1;
};

class TbsSkinEdit : public TbsSkinCustomEdit {
public:
    explicit TbsSkinEdit(TComponent* AOwner) : TbsSkinCustomEdit(AOwner) {}
};

} // namespace skin
