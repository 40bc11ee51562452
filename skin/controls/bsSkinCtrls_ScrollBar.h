#pragma once
// A scroll bar drawn entirely by the skin engine: two step buttons, a track
// and a thumb, horizontal or vertical, with repeat-on-hold, page steps,
// thumb dragging, keys and the wheel. The skinned views, list and combo
// boxes embed it and drive it through SetRange, Position, PageSize and the
// step sizes.
//
// "Up" and "down" name the direction of the value, not of the screen: the
// up button raises Position and sits at the right or bottom end.

#include "skin/controls/bsSkinCtrls_Base.h"

#include "platform/controls/Forms.h"

#include <string>

namespace skin {

using platform::TScrollBarKind;
using platform::TShiftState;
using platform::TMouseButtonKind;

// One part of the bar in control coordinates.
struct TbsScrollBarPart {
    TRect R;
    bool MouseIn = false;
    bool Down = false;
};

class TbsSkinScrollBar : public TbsSkinCustomControl {
public:
    // Indexes into Buttons.
    static constexpr int ThumbButton = 0;
    static constexpr int UpButton = 1;
    static constexpr int DownButton = 2;
    // The repeat timer of the control's window.
    static constexpr uintptr_t RepeatTimerId = 1;
    static constexpr uint32_t FirstRepeatDelay = 500;
    static constexpr uint32_t RepeatInterval = 50;

    explicit TbsSkinScrollBar(TComponent* AOwner);
    ~TbsSkinScrollBar() override;

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Position() const { return FPosition; }
    // Clamps; fires OnChange when the stored value changes.
    void SetPosition(int Value);
    // The same clamp without an event.
    void SimplySetPosition(int AValue);
    int PageSize() const { return FPageSize; }
    // Refused silently when the page does not fit the range.
    void SetPageSize(int Value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value);
    bool Both() const { return FBoth; }
    void SetBoth(bool Value);
    // The corner-square flag alone, for an owner that sets the skin names itself.
    void SetBothField(bool Value) { FBoth = Value; }
    int BothMarkerWidth() const { return FBothMarkerWidth; }
    void SetBothMarkerWidth(int Value);
    std::string BothSkinDataName = "bothhscrollbar";
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    // Stores range, page and clamped position; fires nothing.
    void SetRange(int AMin, int AMax, int APosition, int APageSize);

    TNotifyEvent OnChange;
    TNotifyEvent OnLastChange;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;
    TNotifyEvent OnPageUp;
    TNotifyEvent OnPageDown;

    // Layout of the present size (CalcRects).
    TbsScrollBarPart Buttons[3];
    TRect NewTrackArea;
    int Offset1 = 0, Offset2 = 0, BOffset = 0;

    // Interaction state.
    bool FDown = false;
    int OMPos = 0;
    int OldBOffset = 0;
    int MX = 0, MY = 0;
    bool MouseD = false;
    bool WaitMode = false;
    int TimerMode = 0;   // 0 none, 1 repeat down, 2 repeat up, 3 page up, 4 page down
    int ActiveButton = -1, OldActiveButton = -1, CaptureButton = -1;
    bool FClicksDisabled = false;

    // Skin geometry copied from the record.
    TRect TrackArea, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    TRect ThumbRect, ActiveThumbRect, DownThumbRect;
    int ThumbOffset1 = 0, ThumbOffset2 = 0;
    bool ThumbTransparent = false;
    TColor ThumbTransparentColor = platform::clFuchsia;
    bool ThumbStretchEffect = false;
    int ThumbMinSize = 0, ThumbMinPageSize = 0;
    TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;
    bool GlyphTransparent = false;
    TColor GlyphTransparentColor = platform::clFuchsia;

    void GetSkinData() override;
    void CalcSkinLayout(int& W, int& H) override;
    void CalcRects();
    // The position a thumb drag by ADelta pixels leads to.
    int PositionFromOffset(int ADelta);

    void WndProc(TMessage& M) override;
    void WMTimer(TMessage& M) override;
    void WMMouseWheel(TMessage& M) override;
    void WMSetFocus(TMessage& M) override;
    void WMKillFocus(TMessage& M) override;
    void WMEraseBkgnd(TMessage& M) override;
    void CMEnabledChanged(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;
    void CMWantSpecialKey(TMessage& M) override;

protected:
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void MouseMove(TShiftState AShift, int X, int Y) override;
    void MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, TShiftState AShift) override;

    void ButtonDown(int I, int X, int Y);
    void ButtonUp(int I);
    void ButtonEnter(int I);
    void ButtonLeave(int I);
    void TestActive(int X, int Y);
    void StartTimer();
    void RestartTimer();
    void StopTimer();
    // The first part holding the point, -1 for none.
    int PartAt(int X, int Y) const;

private:
    bool Horizontal() const { return FKind == platform::sbHorizontal; }
    int Along(int X, int Y) const { return Horizontal() ? X : Y; }
    int ClampPosition(int AValue) const;
    // The fraction of the range Position stands at, the page taken into account.
    double Fraction() const;
    void CalcDefaultRects();
    void CalcSkinRects();
    // Places the thumb of length L along the track.
    void PlaceThumb(int L, int AStart, int AEnd);
    void StepBy(int ADelta);
    void DrawDefaultPart(TBitmap* B, int I);
    void DrawSkinButton(TBitmap* B, int I);
    void DrawSkinThumb(TBitmap* B);
    bool ThumbPressedLook();
    void ClearSkinGeometry();

    TScrollBarKind FKind = platform::sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    bool FBoth = false;
    int FBothMarkerWidth = 19;
    std::string FNormalSkinDataName;
    bool FCanFocused = false;
};

// The external bars of a skinned view (list view, tree view).
// AField is let go (its OnChange no longer reaches the view) and ANew takes
// its place: enabled, hidden until the view needs it, telling AOnChange of
// its moves.
void AttachViewScrollBar(TComponent* AView, TbsSkinScrollBar*& AField, TbsSkinScrollBar* ANew, TNotifyEvent AOnChange);
// Shows or hides a bar with AGuard set while it happens; answers whether it changed.
bool ShowViewScrollBar(TbsSkinScrollBar* ABar, bool AVisible, bool& AGuard);
// After a view brought its bars in step: the horizontal bar leaves room for
// the corner while the vertical one shows, and an aligned view whose bars
// appeared or went has its parent share the room anew.
void FinishViewScrollBars(TWinControl* AView, TbsSkinScrollBar* AVBar, TbsSkinScrollBar* AHBar, bool AChanged, bool& AGuard);

} // namespace skin
