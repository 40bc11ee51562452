#pragma once
// The skinned speed button, a windowless push button that never takes the
// focus: a plain button, a latching button of an exclusive group
// (GroupIndex, AllowAllUp), a check button (CheckedMode) or an auto-repeat
// button (RepeatMode). It shows a glyph strip, an image of its own list, of
// its tool bar's lists or of a picture-grid menu beside its caption; skins
// may animate its hover frames and cross-fade (morph) to its hot picture.
// With Flat it shows only its content until the pointer enters it.
//
// The menu speed button adds a 15-pixel arrow strip and opens a skinned
// popup menu and/or a picture-grid menu.

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_Button.h"

#include <memory>
#include <string>

namespace skin {

class TbsSkinToolBar;

enum TbsTrackPosition : uint8_t { bstpRight, bstpBottom };

// B becomes W x H and holds the piece APiece of ARec's picture fitted by
// ARec's nine-slice corners moved for that size, client part drawn (the
// tool bar's arrows and the menu speed button's parts).
void CreateRecordImage(TBitmap* B, TbsSkinData& AData, const TbsDataSkinCustomControl& ARec, const TRect& APiece,
                       int W, int H);

class TbsSkinSpeedButton : public TbsGraphicSkinCustomControl, public TbsButtonSkinValues {
public:
    explicit TbsSkinSpeedButton(TComponent* AOwner);
    ~TbsSkinSpeedButton() override;

    // ---- properties
    bool CheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool Value);
    TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* Value);
    bool UseSkinSize = true;
    bool UseSkinFontColor = true;
    int WidthWithCaption = 0, WidthWithoutCaption = 0;
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool RepeatMode = false;
    int RepeatInterval = 100;
    bool Transparent() const { return !(ControlStyle & platform::csOpaque); }
    void SetTransparent(bool Value);
    // The same without a repaint.
    virtual void SetTransparentNoDraw(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool AllowAllUp = false;
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
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
    // Called before the content is drawn; clearing DrawDefault suppresses it.
    TbsButtonPaintEvent OnPaint;

    // ---- operations
    // Drops the hot and pressed look without going through a menu.
    void RefreshButton();
    virtual void ButtonClick();
    bool MouseIn() const { return FMouseIn; }
    double MorphKf() const { return FMorph.Kf(); }
    int CurrentAnimationFrame() const { return CurrentFrame; }

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CalcSkinLayout(int& W, int& H) override;
    // The skinned picture of one state, the piece R, with its content, in B.
    virtual void CreateButtonImage(TBitmap* B, TRect R, bool ADown, bool AMouseIn);

    void Loaded() override;
    void Dispatch(TMessage& M) override;
    void CMEnabledChanged(TMessage& M) override;
    void CMTextChanged(TMessage& M) override;
    void CMMouseEnter(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap*) override {}
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseMove(platform::TShiftState AShift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void CMDialogChar(TMessage& M);

    bool SkinEffectsOn() const;
    bool MorphingActive() const { return Morphing && SkinEffectsOn(); }
    bool AnimationAllowed() const { return FIndex != -1 && SkinEffectsOn() && !AnimateSkinRect.IsEmpty(); }
    TbsSkinToolBar* ToolBar() const;
    // Pressed look: down with the pointer inside, or latched in a group.
    bool DownLook() const { return FDown && (FMouseIn || FGroupIndex != 0); }
    void MorphOrRepaint();
    void StartRepeat();
    void StopRepeat();
    void StartAnimate(bool AForward);
    void StopAnimate();
    void AnimateTimerTick();
    template <class TButton> friend void PressButton(TButton& B);
    template <class TButton> friend void ReleaseButton(TButton& B, bool AInside);
    // The caption font and colour of a state of the skinned picture.
    void PrepareSkinFont(TCanvas* C, bool ADown, bool AMouseIn);
    // The image (picture-grid item, tool bar list, own list or glyph) and
    // the caption in R. AOnParent: drawn straight onto the parent, where the
    // tool bar's hot list is never used.
    void DrawContent(TCanvas* C, const TRect& R, bool ADown, bool AMouseIn, bool AOnParent);
    void DrawTransparentContent(TCanvas* C, const TRect& R);
    void ReleaseGroupSiblings();
    std::string ShownCaption() const { return FShowCaption ? Caption() : std::string(); }

    bool FMouseIn = false;
    bool FMouseDown = false;
    bool FAllowAllUpCheck = false;
    bool FStopMouseUp = false;
    bool FStopDraw = false;
    // Set by the menu speed button while its menu is open.
    bool FMenuTracked = false;
    std::unique_ptr<TbsGuiTimer> RepeatTimer, AnimateTimer;
    int CurrentFrame = 0;
    bool AnimateInc = false;
    // Fades towards the hot picture while the pointer is in.
    TbsMorph FMorph{this, [this] { return FMouseIn; }, [this] { return FIndex != -1 && MorphingActive(); }};
    IbsSkinImagesMenu* FSkinImagesMenu = nullptr;
    bool FUseImagesMenuImage = false;
    bool FUseImagesMenuCaption = false;
    bool FDrawColorMarker = false;
    TColor FColorMarkerValue = 0;

    bool FCheckedMode = false;
    TCustomImageList* FImageList = nullptr;
    int FImageIndex = 0;
    bool FFlat = false;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FShowCaption = true;
    TBitmap FGlyph;
    TbsNumGlyphs FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 1;
    TbsButtonLayout FLayout = blGlyphLeft;
};

class TbsSkinMenuSpeedButton : public TbsSkinSpeedButton {
public:
    explicit TbsSkinMenuSpeedButton(TComponent* AOwner);
    ~TbsSkinMenuSpeedButton() override;

    bool NewStyle() const { return FNewStyle; }
    void SetNewStyle(bool Value);
    TbsTrackPosition TrackPosition() const { return FTrackPosition; }
    void SetTrackPosition(TbsTrackPosition Value);
    IbsSkinImagesMenu* SkinImagesMenu() const { return FSkinImagesMenu; }
    void SetSkinImagesMenu(IbsSkinImagesMenu* Value);
    bool UseImagesMenuImage() const { return FUseImagesMenuImage; }
    void SetUseImagesMenuImage(bool Value) { FUseImagesMenuImage = Value; }
    bool UseImagesMenuCaption() const { return FUseImagesMenuCaption; }
    void SetUseImagesMenuCaption(bool Value) { FUseImagesMenuCaption = Value; }
    IbsSkinPopupMenu* SkinPopupMenu() const { return FSkinPopupMenu; }
    void SetSkinPopupMenu(IbsSkinPopupMenu* Value);
    bool TrackButtonMode() const { return FTrackButtonMode; }
    void SetTrackButtonMode(bool Value);
    TNotifyEvent OnShowTrackMenu;
    TNotifyEvent OnHideTrackMenu;

    // The arrow part inside the button's pictures, skin-picture coordinates.
    TRect TrackButtonRect;
    // The arrow strip shows the arrow glyph of FArrowType instead of a marker.
    bool FDrawStandardArrow = false;
    int FArrowType = 4;

    bool MenuTracked() const { return FMenuTracked; }
    virtual bool CanMenuTrack(int X, int Y);
    virtual void TrackMenu();

    void GetSkinData() override;
    void CreateButtonImage(TBitmap* B, TRect R, bool ADown, bool AMouseIn) override;
    void Dispatch(TMessage& M) override;
    void CMMouseEnter(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;

    // Records without an arrow part of their own.
    bool StandardName() const;
    TRect MappedTrackButtonRect() const;
    void PrepareToOpen();
    void ImagesMenuClosed();
    void MenuClosed();
    void DrawArrow(TCanvas* C, const TRect& S, bool ADown, bool AMouseIn);
    void DrawMenuMarker(TCanvas* C, const TRect& A, bool AFlat, bool ADown, bool AActive);
    void CreateStripImage(TBitmap* B, bool ADown, bool AMouseIn, bool ANineSlice);
    void CreateNewStyleImage(TBitmap* B, bool ADown, bool AMouseIn);
    void ComposePart(TBitmap* ADst, const TRect& AAt, TbsDataSkinButtonControl* ARec, const TRect& APiece, bool ANineSlice);
    void DrawDefaultPart(TCanvas* C, const TRect& R, bool APressed, bool AHot);
    void PaintTransparentIdle();

    bool FNewStyle = false;
    TbsTrackPosition FTrackPosition = bstpRight;
    IbsSkinPopupMenu* FSkinPopupMenu = nullptr;
    bool FTrackButtonMode = false;
};

} // namespace skin
