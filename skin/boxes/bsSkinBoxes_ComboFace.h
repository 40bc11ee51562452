#pragma once
// What the skinned combo box and the office combo box share: the face's
// item area and drop-down button, the copies of the "combobox" record, the
// face layout with and without the skin's own size, the drag auto-scroll
// timer, the rule that an open list closes when the combo moves on the
// screen, and the arrow keys kept from dialog navigation.

#include "skin/boxes/bsSkinBoxes_DropDown.h"
#include "skin/boxes/bsSkinBoxes_SkinEdit.h"
#include "skin/controls/bsSkinCtrls_Base.h"

namespace skin {

// The item area of a combo's face.
struct TbsCBItem {
    TRect R;
    platform::TOwnerDrawState State = 0;
};

class TbsSkinComboFace : public TbsSkinCustomControl {
public:
    static constexpr uintptr_t AutoScrollTimerId = DropAutoScrollTimer;
    static constexpr uint32_t AutoScrollInterval = DropAutoScrollInterval;

    explicit TbsSkinComboFace(TComponent* AOwner) : TbsSkinCustomControl(AOwner) {}

    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool AValue) { FUseSkinSize = AValue; }
    virtual bool IsPopupVisible() const = 0;
    virtual void CloseUp(bool Accept) = 0;
    virtual void DropDown() = 0;
    bool CanCancelDropDown() const { return IsPopupVisible() && !FMouseIn; }

    // Face layout and drag state.
    TbsCBItem CBItem;
    TbsCBButtonX Button;
    bool WasInLB = false;
    int TimerMode = 0;   // auto-scroll of the open list during a drag: 0 none, 1 up, 2 down
    bool FLBDown = false;
    int OldItemIndex() const { return FOldItemIndex; }
    bool DroppedDown() const { return FDropDown; }
    // The button at the right end and the item area beside it: the skin's
    // places, moved with the width (and with the height without the skin's
    // own size), or fixed ones without a skin or in tool-button style.
    void CalcRects();

    // Copies of the "combobox" record, refreshed by GetSkinData.
    TRect ActiveSkinRect;
    platform::TColor ActiveFontColor = 0, FontColor = 0, FocusFontColor = 0;
    std::string FontName;
    platform::TFontStyles FontStyle;
    int FontHeight = 0;
    TRect SItemRect, FocusItemRect, ActiveItemRect, ItemTextRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    std::string ListBoxName;
    bool ItemStretchEffect = false, FocusItemStretchEffect = false, ShowFocus = false;

    void GetSkinData() override;
    void DefaultFontChanged() override { Font()->Assign(DefaultFont()); }
    void CalcSkinLayout(int& W, int& H) override;
    void UpdateSkinRegion() override;
    void WMWindowPosChanged(TMessage& M) override;
    void CMWantSpecialKey(TMessage& M) override;
    // A background erase outside a paint paints the whole face into the
    // erase context, so a caller copying the control gets its look.
    void WMEraseBkgnd(TMessage& M) override;

protected:
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    // Enter, Escape and the arrows as both combos take them; page keys are each one's own.
    void KeyDown(uint16_t& AKey, platform::TShiftState AShift) override;
    virtual void SelectPrior(bool AThroughSetter) = 0;
    virtual void SelectNext(bool AThroughSetter) = 0;
    // The window a release must be over to choose from the open list.
    virtual platform::HWND ListWindow() const = 0;

    void StartTimer() { RestartControlTimer(this, AutoScrollTimerId, AutoScrollInterval); }
    void StopTimer();
    // True for the follow timer's tick (which closes a list whose combo moved).
    bool FollowTick(TMessage& M);
    // The "edit" record's disabled colour, clGrayText without one.
    platform::TColor GetDisabledFontColor();
    static bool IsSkinEmpty(const TRect& R) { return R.Width() <= 0 || R.Height() <= 0; }

    bool FToolButtonStyle = false;
    bool FUseSkinSize = false;
    bool FMouseIn = false;
    bool FDropDown = false;
    int FOldItemIndex = -1;
    TbsDropFollow FFollow;
};

} // namespace skin
