#pragma once
// The skinned push button and the skinned menu button.
//
// A button is a plain push button (Default, Cancel, ModalResult), a latching
// button of an exclusive group (GroupIndex > 0, AllowAllUp), a check button
// (CheckedMode) or an auto-repeat button (RepeatMode); it shows a glyph
// strip, an image-list image or the selected image of a picture-grid menu
// beside its caption, and may cross-fade (morph), animate frames and show a
// glow frame around itself while the pointer is over it.

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_Helpers.h"
#include "skin/core/bsUtils_Layer.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"

#include <functional>
#include <memory>
#include <string>

namespace skin {

using platform::TModalResult;

// TbsButtonLayout (where the image stands relative to the caption) and
// TbsNumGlyphs (frames of a glyph strip: 1 up, 2 disabled, 3 pressed, 4 hot)
// come with the caption layout helpers of skin/core/bsUtils_Text.h.

// Called after the button's picture is drawn and before its content; a
// handler that sets DrawDefault false draws the content itself.
using TbsButtonPaintEvent =
    std::function<void(TObject* Sender, TCanvas* Cnvs, TRect R, bool ADown, bool AMouseIn, bool& DrawDefault)>;

// The menus a menu button opens are the form frame's, which builds on these
// controls; the buttons reach them through these interfaces.
class IbsSkinPopupMenu {
public:
    virtual ~IbsSkinPopupMenu() = default;
    virtual TComponent* MenuComponent() = 0;
    // Opens the menu beside the screen rectangle R for ACtrl, which is sent
    // SKN_MENUCLOSED when the menu closes.
    virtual void PopupFromRect2(TControl* ACtrl, const TRect& R, bool APopupUp) = 0;
    // Runs the usable item (submenus searched) whose shortcut is the key
    // with these shift keys; false when no item takes it.
    virtual bool IsShortCut(uint16_t AKey, platform::TShiftState AShift) = 0;
};

class IbsSkinImagesMenu {
public:
    virtual ~IbsSkinImagesMenu() = default;
    virtual TComponent* MenuComponent() = 0;
    virtual TCustomImageList* Images() const = 0;
    // The selected item's caption and image index; false when none is selected.
    virtual bool SelectedItem(std::string& ACaption, int& AImageIndex) const = 0;
    // Opens the picture grid below the screen rectangle R.
    virtual void PopupFromRect(const TRect& R) = 0;
    // Each holds one handler, set by the control that uses the menu.
    virtual void SetOnInternalChange(TNotifyEvent AEvent) = 0;
    virtual void SetOnInternalMenuClose(TNotifyEvent AEvent) = 0;
};

// The focus-taking rule of buttons and boxes: a press on an unfocused
// control focuses it first; answers false when the message is to be
// swallowed (the focus change was refused, or a command arrives meanwhile).
bool TakeFocusOnPress(TWinControl* AControl, TMessage& M, bool& AClicksDisabled);
// While a press is held: leaving the control (edges inside) performs
// CM_MOUSELEAVE, coming back performs CM_MOUSEENTER.
void FollowPointer(TControl* AControl, int X, int Y, bool AMouseIn);

// Frames and fills of the built-in look: pressed, hot or normal.
void DrawBuiltInState(TCanvas* C, const TRect& R, bool APressed, bool AHot);

// The values of a button skin record that every skinned push button keeps,
// windowed (the button) or windowless (the speed button).
struct TbsButtonSkinValues : TbsSkinFontFields {
    TColor ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect, AnimateSkinRect;
    int FrameCount = 0, AnimateInterval = 0;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    TRect MenuMarkerFlatRect, MenuMarkerRect, MenuMarkerActiveRect, MenuMarkerDownRect;
    TColor MenuMarkerTransparentColor = 0;

    // Copies them: an empty hot picture is the normal one and an empty
    // pressed picture the hot one, the same for the menu markers (an empty
    // flat marker is the normal one); a disabled caption colour equal to the
    // normal one is gray.
    void ReadButtonValues(const TbsDataSkinButtonControl& ARec);
    // Frame AFrame (from 1) of the hover animation: the frames lie side by
    // side when the strip is wider than ASkinRect, else one above the other.
    TRect AnimationFrame(const TRect& ASkinRect, int AFrame) const;
    // The caption colour of a state of the skinned picture.
    TColor CaptionColor(bool AEnabled, bool AUseSkinFontColor, TColor ADefault, bool ADown, bool AMouseIn) const;
};

// The frame of a glyph strip for a state: 3 pressed, 4 hot, 2 disabled, 1.
int ButtonGlyphFrame(TbsNumGlyphs ANumGlyphs, bool AEnabled, bool ADown, bool AMouseIn);
// One tick of a hover animation, forward or back: answers whether a frame
// was taken (to be shown); AEnded when the animation has run out.
bool StepAnimation(int& ACurrentFrame, bool AForward, int AFrameCount, bool& AEnded);

// The press of a button that is up or down (left button), shared by the
// button classes (the class gives its fields and steps): check buttons
// click at once and keep the next release from clicking, repeat buttons
// start repeating, group buttons click as they go down.
template <class TButton>
void PressButton(TButton& B)
{
    if (B.AnimationAllowed())
        B.StopAnimate();
    B.FMouseDown = true;
    if (B.FDown) {
        if (B.FGroupIndex != 0)
            B.FAllowAllUpCheck = true;
        return;
    }
    B.FMouseIn = true;
    B.SetDown(true);
    if (B.FCheckedMode) {
        B.FStopMouseUp = true;
        B.ButtonClick();
    } else if (B.RepeatMode && B.FGroupIndex == 0) {
        B.StartRepeat();
    } else if (B.FGroupIndex != 0) {
        B.ButtonClick();
    }
    B.FAllowAllUpCheck = false;
}

// The release (left button), AInside: the pointer is on the button. A plain
// button clicks on a release inside, a check button on every toggle, a down
// group button only with AllowAllUp.
template <class TButton>
void ReleaseButton(TButton& B, bool AInside)
{
    B.FMouseDown = false;
    const bool was = B.FDown;
    if (B.FCheckedMode) {
        if (B.FStopMouseUp) {
            B.FStopMouseUp = false;
        } else {
            B.SetDown(false);
            B.ButtonClick();
        }
    } else if (B.FGroupIndex == 0 && AInside) {
        B.SetDown(false);
        B.StopRepeat();
        if (was)
            B.ButtonClick();
    } else if (B.FGroupIndex == 0) {
        B.FDown = false;
        B.StopRepeat();
    } else if (was && B.AllowAllUp && B.FAllowAllUpCheck && AInside) {
        B.SetDown(false);
        B.ButtonClick();
    }
}

class TbsSkinButton : public TbsSkinCustomControl, public TbsButtonSkinValues {
public:
    explicit TbsSkinButton(TComponent* AOwner);
    ~TbsSkinButton() override;

    // ---- properties
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool CheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool Value);
    TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool AlwaysShowLayeredFrame = false;
    bool UseSkinSize = true;
    bool UseSkinFontColor = true;
    bool RepeatMode = false;
    int RepeatInterval = 100;
    bool AllowAllUp = false;
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    TBitmap* Glyph() { return &FGlyph; }
    void SetGlyph(TBitmap* Value);
    TbsNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TbsNumGlyphs Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TbsButtonLayout Layout() const { return FLayout; }
    void SetLayout(TbsButtonLayout Value);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel = false;
    TModalResult ModalResult = 0;
    IbsSkinImagesMenu* SkinImagesMenu() const { return FSkinImagesMenu; }
    void SetSkinImagesMenu(IbsSkinImagesMenu* Value);
    bool UseImagesMenuImage = false;
    bool UseImagesMenuCaption = false;
    // The button's own click event; the platform's OnClick is never fired.
    TNotifyEvent OnClick;
    TbsButtonPaintEvent OnPaint;

    // ---- values of the skin record besides the shared ones
    TRect FocusedSkinRect;
    bool ShowFocus = false;
    int GlowLayerPictureIndex = -1, GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetLeft = 0, GlowLayerOffsetRight = 0, GlowLayerOffsetTop = 0, GlowLayerOffsetBottom = 0;
    int GlowLayerShowOffsetX = 0, GlowLayerShowOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;

    // ---- operations
    // Clears the hot and pressed look (the main window calls it after its handlers).
    void RefreshButton();
    virtual void ButtonClick();
    void ShowLayer();
    void HideLayer();
    bool GlowVisible() const { return FLayerManager->IsVisible; }
    bool MouseIn() const { return FMouseIn; }
    double MorphKf() const { return FMorph.Kf(); }
    bool Active() const { return FActive; }

    void GetSkinData() override;
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;
    void CheckParentBackground() override;
    void CalcSkinLayout(int& W, int& H) override;
    // Draws the skinned picture of one state, the piece R, with its content into B.
    virtual void CreateButtonImage(TBitmap* B, TRect R, bool ADown, bool AMouseIn);
    // The drop-down marker piece of the record, centred in R.
    void DrawMenuMarker(TCanvas* C, const TRect& R, bool ADown, bool AActive);

    void WndProc(TMessage& M) override;
    void Dispatch(TMessage& M) override;
    void WMSetFocus(TMessage& M) override;
    void WMKillFocus(TMessage& M) override;
    void WMEraseBkgnd(TMessage& M) override;
    void CMDialogKey(TMessage& M) override;
    void CMDialogChar(TMessage& M) override;
    void CMFocusChanged(TMessage& M) override;
    void CMEnabledChanged(TMessage& M) override;
    void CMTextChanged(TMessage& M) override;
    void CMMouseEnter(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap*) override {}
    void CreateWnd() override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseMove(platform::TShiftState AShift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;

    bool SkinEffectsOn() const;
    // The skin lets this button show a glow frame.
    bool GlowAllowed() const;
    bool MorphingActive() const { return Morphing && SkinEffectsOn(); }
    bool IsFocused();
    bool DownLook();
    // Starts the morph when morphing is active and the button skinned, else repaints.
    void MorphOrRepaint();
    // Looks the record up again: the fade may go on.
    bool MorphCanFade();
    void StartRepeat();
    void StopRepeat();
    void RepeatTimerTick();
    void StartAnimate(bool AForward);
    void StopAnimate();
    void AnimateTimerTick();
    bool AnimationAllowed() const { return Skinned() && SkinEffectsOn() && !AnimateSkinRect.IsEmpty(); }
    template <class TButton> friend void PressButton(TButton& B);
    template <class TButton> friend void ReleaseButton(TButton& B, bool AInside);
    // The caption font and colour for a state of the skinned picture.
    void PrepareSkinFont(TCanvas* C, bool ADown, bool AMouseIn);
    void DrawFocusFrame(TCanvas* C, const TRect& R);
    // The image (images menu, image list or glyph) and the caption in R.
    void DrawContent(TCanvas* C, const TRect& R, bool ADown, bool AMouseIn);
    int GlyphFrame(bool ADown, bool AMouseIn);
    void DrawStretchedPicture(TBitmap* B, const TRect& R, bool ADrawPicture);
    void ReleaseGroupSiblings();

    bool FStopMouseUp = false;
    bool FDownState = false;
    int CurrentFrame = 0;
    bool AnimateInc = false;
    bool FSpaceSupport = true;
    bool FActive = false;
    bool FAllowAllUpCheck = false;
    bool FClicksDisabled = false;
    bool FMouseIn = false;
    bool FMouseDown = false;
    // Fades towards the hot picture while the pointer is in or the focus here.
    TbsMorph FMorph{this, [this] { return FMouseIn || IsFocused(); }, [this] { return MorphCanFade(); }};
    std::unique_ptr<TbsGuiTimer> AnimateTimer, RepeatTimer;
    std::unique_ptr<TbsLayerManager> FLayerManager;

    bool FTransparent = false;
    bool FCheckedMode = false;
    TCustomImageList* FImageList = nullptr;
    int FImageIndex = -1;
    bool FCanFocused = true;
    bool FDown = false;
    int FGroupIndex = 0;
    TBitmap FGlyph;
    TbsNumGlyphs FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 1;
    TbsButtonLayout FLayout = blGlyphLeft;
    bool FDefault = false;
    IbsSkinImagesMenu* FSkinImagesMenu = nullptr;
    TComponent* FSkinImagesMenuComponent = nullptr;
};

class TbsSkinMenuButton : public TbsSkinButton {
public:
    explicit TbsSkinMenuButton(TComponent* AOwner);

    IbsSkinPopupMenu* SkinPopupMenu() const { return FSkinPopupMenu; }
    void SetSkinPopupMenu(IbsSkinPopupMenu* Value);
    bool TrackButtonMode() const { return FTrackButtonMode; }
    void SetTrackButtonMode(bool Value);
    TNotifyEvent OnShowTrackMenu;
    TNotifyEvent OnHideTrackMenu;

    // The arrow part inside the button's pictures, in skin-picture coordinates.
    TRect TrackButtonRect;
    // The menu is open.
    bool FMenuTracked = false;

    void GetSkinData() override;
    virtual bool CanMenuTrack(int X, int Y);
    virtual void TrackMenu();
    // Opens the menu from code.
    void DropDown();
    void CreateButtonImage(TBitmap* B, TRect R, bool ADown, bool AMouseIn) override;

    void WndProc(TMessage& M) override;
    void Dispatch(TMessage& M) override;
    void CMDialogChar(TMessage& M) override;
    void CMMouseEnter(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;

    // The records without an arrow part of their own.
    bool StandardName() const;
    TRect ArrowRect();
    TRect MappedTrackButtonRect();
    void MenuClosed(bool AMorph);
    void StartTracking();
    void CreateStripImage(TBitmap* B, bool ADown, bool AMouseIn);
    void ComposeStripPart(TBitmap* B, const TRect& APiece, int W, int H);

    IbsSkinPopupMenu* FSkinPopupMenu = nullptr;
    TComponent* FSkinPopupMenuComponent = nullptr;
    bool FTrackButtonMode = false;
};

} // namespace skin
