#pragma once
// A value slider: a ruler image, a thumb the user drags and optional ticks,
// horizontal or vertical, with an integer value between MinValue and
// MaxValue. It draws from a "slider" skin record, or without a skin from
// four built-in images or a thumb image list. It paints itself wholly in
// Paint, through a memory bitmap.

#include "skin/controls/bsSkinCtrls_Base.h"

#include <array>
#include <memory>

namespace skin {

using platform::TMouseButtonKind;
using platform::TShiftState;

enum TbsSliderOrientation : uint8_t { soHorizontal, soVertical };
enum TbsSliderOption : uint8_t { soShowFocus, soShowPoints, soSmooth, soRulerOpaque, soThumbOpaque };
// A set of TbsSliderOption, bit I for option I.
using TbsSliderOptions = uint8_t;
constexpr TbsSliderOptions SliderOption(TbsSliderOption O) { return TbsSliderOptions(1u << O); }
enum TbsSliderImage : uint8_t { siHThumb, siHRuler, siVThumb, siVRuler };
// A set of TbsSliderImage, bit I for image I.
using TbsSliderImages = uint8_t;
enum TbsJumpMode : uint8_t { jmNone, jmHome, jmEnd, jmNext, jmPrior };
using TbsNumThumbStates = int;   // 1 or 2

// The built-in image I (thumbs hold the normal and the pressed thumb side by side).
std::unique_ptr<TBitmap> SliderBuiltInImage(TbsSliderImage I);

class TbsSkinCustomSlider : public TbsSkinControl {
public:
    static constexpr uintptr_t RepeatTimerId = 1;
    static constexpr uint32_t RepeatInterval = 400;

    explicit TbsSkinCustomSlider(TComponent* AOwner);
    ~TbsSkinCustomSlider() override;

    TbsSliderOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TbsSliderOrientation Value);
    TbsSliderOptions Options() const { return FOptions; }
    void SetOptions(TbsSliderOptions Value);
    bool HasOption(TbsSliderOption O) const { return FOptions & SliderOption(O); }
    int MinValue() const { return FMinValue; }
    void SetMinValue(int Value) { SetRange(Value, FMaxValue); }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value) { SetRange(FMinValue, Value); }
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value);
    int Value() const { return FValue; }
    void SetValue(int Value);
    int EdgeSize() const { return FEdgeSize; }
    void SetEdgeSize(int Value);
    TbsNumThumbStates NumThumbStates() const { return FNumThumbStates; }
    void SetNumThumbStates(TbsNumThumbStates Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool UseSkinThumb = true;
    platform::TCustomImageList* ThumbImageList() const { return FThumbImageList; }
    void SetThumbImageList(platform::TCustomImageList* Value);
    int ThumbImageIndex = 0;
    int ThumbActiveImageIndex = 1;
    // The four images; writing nil brings the built-in image back.
    TBitmap* Image(TbsSliderImage I) { return FImages[I].get(); }
    void SetImage(TbsSliderImage I, TBitmap* Value);
    TbsSliderImages UserImages() const { return FUserImages; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanged;
    TNotifyEvent OnDrawPoints;

    // Layout, for the views built on the slider and for tests.
    TRect ThumbRect() const { return FThumbRect; }
    TPoint RulerOrg() const { return FRulerOrg; }
    TBitmap* Ruler() { return &FRuler; }
    TRect PointsRect() const { return FPointsRect; }

    void GetSkinData() override;
    void ChangeSkinData() override;
    void Loaded() override;
    void DefaultDrawPoints(int PointsStep, int PointsHeight, int ExtremePointsHeight);

    void WMPaint(TMessage& M) override;
    void WMTimer(TMessage& M) override;
    void WMMove(TMessage& M) override;
    void CheckParentBackground() override;
    void WMGetDlgCode(TMessage& M) override { M.Result = 1; }
    void CMEnabledChanged(TMessage& M) override;
    void CMFocusChanged(TMessage& M) override;

    // Copied from the record.
    TRect HRulerRect, HThumbRect, VRulerRect, VThumbRect;
    int SkinEdgeSize = 0;
    TColor BGColor = 0, PointsColor = 0;
    TbsPicture* Picture = nullptr;   // not owned

protected:
    virtual bool AllowsUserChange() { return true; }
    virtual TRect GetLayoutRect() { return Rect(0, 0, Width(), Height()); }
    virtual int GetDisplayValue() { return FValue; }
    virtual void RebuildLayout();
    virtual void RangeUpdated() {}
    virtual void BeginThumbDrag(TMouseButtonKind AButton, int X, int Y);
    virtual void DragThumb(int X, int Y);
    virtual void EndThumbDrag(TMouseButtonKind AButton);

    void Paint() override;
    void Resize() override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void MouseMove(TShiftState AShift, int X, int Y) override;
    void MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, TShiftState AShift) override;

private:
    struct TThumbSizes {
        int HH, HW, VH, VW, States;
    };
    bool Horizontal() const { return FOrientation == soHorizontal; }
    // Skinned with a picture to draw from.
    bool SkinFace() const { return FIndex != -1 && Picture; }
    bool SkinThumb() const { return SkinFace() && UseSkinThumb; }
    TThumbSizes ThumbSizes() const;
    int RulerLength() const;
    int ValueToOffset(int V);
    int OffsetToValue(int P);
    int PlacedOffset(int P);
    void PlaceThumb(int P, bool ADragging);
    void InvalidateThumb();
    void SetRange(int AMin, int AMax);
    void Jump(TbsJumpMode AMode);
    TbsJumpMode HitZone(int X, int Y) const;
    void RepeatStep();
    void StopTracking();
    void BuildRuler();
    void BuildSkinRuler(const TRect& ARulerRect);
    void BuildDefaultRuler();
    void PaintBackground(TCanvas* C);
    void PaintThumb(TCanvas* C, TPoint P, bool AFlag);
    void ImageChanged(TbsSliderImage I);

    platform::TCustomImageList* FThumbImageList = nullptr;
    bool FTransparent = false;
    TbsSliderImages FUserImages = 0;
    std::array<std::unique_ptr<TBitmap>, 4> FImages;
    int FEdgeSize = 2;
    TBitmap FRuler;
    bool FPaintBuffered = false;
    TPoint FRulerOrg;
    TRect FThumbRect;
    bool FThumbDown = false;
    TbsNumThumbStates FNumThumbStates = 2;
    TRect FPointsRect;
    TbsSliderOrientation FOrientation = soHorizontal;
    TbsSliderOptions FOptions = 0;
    int FMinValue = 0, FMaxValue = 100, FIncrement = 10, FValue = 0;
    int FHit = 0;
    bool FFocused = false;
    bool FSliding = false;
    bool FTracking = false;
    bool FTimerActive = false;
    TPoint FMousePos;
    TbsJumpMode FStartJump = jmNone;
};

class TbsSkinSlider : public TbsSkinCustomSlider {
public:
    using TbsSkinCustomSlider::TbsSkinCustomSlider;
};

} // namespace skin
