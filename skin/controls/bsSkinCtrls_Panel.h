#pragma once
// The skinned panel: a windowed container that draws its frame, background
// and optional caption band from a "panel" or "groupbox" skin record. The
// caption may sit at the bottom (RibbonStyle), carry a check box that
// enables or disables the children (CheckedMode), roll the panel up to its
// caption (RollUpMode), and show a glyph or an image-list image. With
// TransparentMode the panel shows what lies beneath it.

#include "skin/controls/bsSkinCtrls_Base.h"

#include <functional>

namespace skin {

using platform::TAlignment;
using platform::TColor;

enum TbsImagePosition : uint8_t { bsipDefault, bsipLeft };
enum TbsSkinBorderStyle : uint8_t { bvFrame, bvRaised, bvLowered, bvNone };
// Frames of the caption glyph: 1, or 2 with the disabled look second.
using TbsSkinPanelNumGlyphs = int;
using TbsPaintPanelEvent = std::function<void(TCanvas* Cnvs, TRect R)>;

class TbsSkinPanel : public TbsSkinCustomControl, public TbsSkinFontFields {
public:
    explicit TbsSkinPanel(TComponent* AOwner);
    ~TbsSkinPanel() override;

    // ---- properties
    bool EmptyDrawing = false;
    bool RibbonStyle() const { return FRibbonStyle; }
    void SetRibbonStyle(bool Value);
    TbsImagePosition ImagePosition() const { return FImagePosition; }
    void SetImagePosition(TbsImagePosition Value);
    bool TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(bool Value);
    TCustomImageList* CaptionImageList() const { return FCaptionImageList; }
    void SetCaptionImageList(TCustomImageList* Value);
    int CaptionImageIndex() const { return FCaptionImageIndex; }
    void SetCaptionImageIndex(int Value);
    // The height before rolling up; -1 while not rolled up.
    int RealHeight = -1;
    bool AutoEnabledControls = true;
    bool CheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    virtual void SetDefaultCaptionHeight(int Value);
    TbsSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TbsSkinBorderStyle Value);
    bool CaptionMode() const { return FCaptionMode; }
    virtual void SetCaptionMode(bool Value);
    bool RollUpMode() const { return FRollUpMode; }
    void SetRollUpMode(bool Value);
    bool RollUpState() const { return FRollUpState; }
    void SetRollUpState(bool Value);
    TBitmap* Glyph() { return &FGlyph; }
    void SetGlyph(TBitmap* Value);
    TbsSkinPanelNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TbsSkinPanelNumGlyphs Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    // Off: a skinned panel with a caption takes its band height from
    // DefaultCaptionHeight instead of its skin.
    bool UseSkinSize = true;
    TNotifyEvent OnChecked;
    TNotifyEvent OnChangeRollUpState;

    // ---- values of the skin record
    TRect CaptionRect;
    TAlignment Alignment = platform::taLeftJustify;
    int BGPictureIndex = -1;
    TRect CheckImageRect, UnCheckImageRect, MarkFrameRect, FrameRect, FrameTextRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;
    // The caption area in control coordinates for the present size.
    TRect NewCaptionRect;

    // ---- operations
    // The area left for children inside frame and caption.
    void GetSkinClientRect(TRect& R);
    // Renders the panel into C with its top-left at (X, Y).
    void PaintskinTo(TCanvas* C, int X, int Y);
    void DoRollUp(bool ARollUp);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& R) override;
    void GetSkinData() override;
    void ChangeSkinData() override;
    void CheckParentBackground() override;
    void WMMove(TMessage& M) override;
    void CMEnabledChanged(TMessage& M) override;
    void CMTextChanged(TMessage& M) override;

protected:
    // A hook on the transparent paint paths, with the finished image's canvas.
    virtual void DoPanelPaint(TCanvas*) {}
    void Paint() override;
    void CreateParams(platform::TCreateParams& P) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;

    bool ShowsCaptionImage() const;
    // The caption image's width (image list or one glyph frame), 0 for none.
    int CaptionImageWidth() const;
    int CaptionImageHeight() const;
    void DrawCaptionImage(TCanvas* C, int X, int Y);
    void DrawCheckPicture(TCanvas* C, int X, int Y);
    void PaintTiledClient(TCanvas* C);
    void PaintBackgroundPicture(TCanvas* C);
    void SpreadPiece(TCanvas* C, TBitmap* APiece, bool AStretch);
    void CreateFramedCaptionImage(TBitmap* B);
    void CreateTransparentGroupFrame(TBitmap* B);
    void DrawDefaultCaption(TCanvas* C);
    void DrawSkinCaption(TBitmap* B);
    void PrepareCaptionFont(TCanvas* C, bool AFromRecord);
    void ApplyFramedCaptionPanel(TBitmap* B);

    bool FInChangingRollUp = false;
    int FCMaxWidth = 0, FCMinWidth = 0, FCMaxHeight = 0, FCMinHeight = 0;

    bool FRibbonStyle = false;
    TbsImagePosition FImagePosition = bsipDefault;
    bool FTransparentMode = false;
    TCustomImageList* FCaptionImageList = nullptr;
    int FCaptionImageIndex = -1;
    bool FCheckedMode = false;
    bool FChecked = false;
    TAlignment FDefaultAlignment = platform::taLeftJustify;
    int FDefaultCaptionHeight = 20;
    TbsSkinBorderStyle FBorderStyle = bvFrame;
    bool FCaptionMode = false;
    bool FRollUpMode = false;
    bool FRollUpState = false;
    TBitmap FGlyph;
    TbsSkinPanelNumGlyphs FNumGlyphs = 1;
    int FSpacing = 2;
};

// A panel whose client area the application paints through OnPanelPaint.
class TbsSkinPaintPanel : public TbsSkinPanel {
public:
    explicit TbsSkinPaintPanel(TComponent* AOwner);
    TbsPaintPanelEvent OnPanelPaint;

    void WMEraseBkgnd(TMessage& M) override;

protected:
    void DoPanelPaint(TCanvas* C) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CallPanelPaint(TCanvas* C);
};

// A panel preset to the "groupbox" skin with a caption band.
class TbsSkinGroupBox : public TbsSkinPanel {
public:
    explicit TbsSkinGroupBox(TComponent* AOwner);
    void GetSkinData() override;
};

} // namespace skin
