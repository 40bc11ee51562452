#pragma once
// The skinned tool bar: a panel that keeps its children vertically centred,
// scrolls them sideways with two 12-pixel arrows in its non-client area when
// they are wider than the bar (held, or merely hovered with HotScroll), and
// hands its image lists, flat look and skin to the speed buttons on it.

#include "skin/controls/bsSkinCtrls_Panel.h"

namespace skin {

// Hit-test answers of the two scroll arrows.
constexpr platform::LRESULT HTLEFTSCROLLARROW = 119;
constexpr platform::LRESULT HTRIGHTSCROLLARROW = 120;

class TbsSkinToolBar : public TbsSkinPanel {
public:
    explicit TbsSkinToolBar(TComponent* AOwner);
    ~TbsSkinToolBar() override;

    // ---- properties
    bool CanScroll = false;
    bool HotScroll = false;
    // Pixels per scroll step; 0: one client width. Negative values are ignored.
    int ScrollOffset() const { return FScrollOffset; }
    void SetScrollOffset(int Value);
    int ScrollTimerInterval() const { return FScrollTimerInterval; }
    void SetScrollTimerInterval(int Value);
    bool AdjustControls = true;
    int WidthWithCaptions = 0;
    int WidthWithoutCaptions = 0;
    bool AutoShowHideCaptions = false;
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TCustomImageList* HotImages() const { return FHotImages; }
    void SetHotImages(TCustomImageList* Value);
    TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList* Value);

    // ---- scroll state
    bool ArrowsShown() const { return FButtons[0].Visible; }
    int ScrollPosition() const { return SPosition; }
    int ScrollMax() const { return SMax; }
    int ScrollPage() const { return SPage; }
    int TimerMode() const { return FTimerMode; }
    // An arrow's rectangle in window coordinates.
    TRect ArrowRect(int AIndex) const { return FButtons[AIndex].R; }

    void SetSkinData(TbsSkinData* Value) override;
    void SetSkinDataName(const std::string& Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& R) override;
    // Vertically centres the children that do not centre themselves.
    void CentrePlainChildren();
    // Fits the scroll range to the children, showing or hiding the arrows.
    void UpdateScroll();

    void WndProc(TMessage& M) override;
    void Dispatch(TMessage& M) override;
    void WMSize(TMessage& M) override;
    void WMWindowPosChanging(TMessage& M) override;
    void WMNCCalcSize(TMessage& M) override;
    void WMNCPaint(TMessage& M) override;
    void WMNCHitTest(TMessage& M) override;
    void WMSetCursor(TMessage& M) override;
    void WMTimer(TMessage& M) override;

protected:
    void CreateControlSkinImage(TBitmap* B) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

    struct TArrow {
        TRect R;
        bool MouseIn = false, Down = false, Visible = false;
    };
    static constexpr uintptr_t ScrollTimerId = 1;
    static constexpr uintptr_t LeaveTimerId = 2;

    // The "resizebutton" record the arrows are drawn from; nil unskinned.
    TbsDataSkinButtonControl* ButtonData() const;
    void ShowArrows(bool AShow);
    void ScrollChildren(int D);
    void ScrollStep(bool ARight);
    void ArrowPress(int AIndex);
    void ArrowRelease(int AIndex);
    void StartScrollTimer();
    void StopScrollTimer();
    void MouseEnter();
    void MouseLeave();
    void RepaintArrows();
    void PlaceArrows();
    void LeaveArrows();
    void DrawArrow(TCanvas* C, int AIndex);
    void NCMouseMove(platform::LRESULT AHit);
    void NCButton(platform::LRESULT AHit, bool ADown);

    bool FMouseIn = false;
    int FTimerMode = 0;
    int SMax = 0, SPosition = 0, SPage = 0, SOldPosition = 0;
    int FHSizeOffset = 0;
    TArrow FButtons[2];
    bool FUpdatingScroll = false;

    int FScrollOffset = 0;
    int FScrollTimerInterval = 50;
    bool FShowCaptions = false;
    bool FFlat = false;
    TCustomImageList* FImages = nullptr;
    TCustomImageList* FHotImages = nullptr;
    TCustomImageList* FDisabledImages = nullptr;
};

} // namespace skin
