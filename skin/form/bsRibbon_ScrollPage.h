#pragma once
// The scrolling page containers of the ribbon and of the application menu:
// a container of arbitrary controls that, when its controls do not fit,
// shows two 12-pixel scroll buttons in its non-client area (left and right
// for a ribbon page, top and bottom for an application menu page) and
// scrolls its controls by whole steps while a button is pressed, held or,
// with HotScroll, merely hovered.

#include "skin/controls/bsSkinCtrls_Base.h"

#include "platform/controls/Controls.h"

namespace skin {

class TbsRibbon;
class TbsAppMenu;

struct TbsPageScrollButton {
    TRect R;               // window coordinates
    bool MouseIn = false;
    bool Down = false;
    bool Visible = false;
};

// The mechanism both twins share; AVertical picks the axis.
class TbsScrollingPage : public platform::TCustomControl {
public:
    TbsScrollingPage(TComponent* AOwner, bool AVertical);
    ~TbsScrollingPage() override;

    static constexpr int ButtonSize = 12;
    static constexpr uintptr_t ScrollTimerId = 1;
    static constexpr uintptr_t MouseTimerId = 2;
    static constexpr uint32_t MousePollInterval = 100;

    bool HotScroll = false;
    bool CanScroll() const { return FCanScroll; }
    void SetCanScroll(bool AValue);
    // Pixels per step; 0: one client extent. Negative values are ignored.
    int ScrollOffset() const { return FScrollOffset; }
    void SetScrollOffset(int AValue);
    // Values of 0 or less are ignored.
    int ScrollTimerInterval() const { return FScrollTimerInterval; }
    void SetScrollTimerInterval(int AValue);
    int Position() const { return SPosition; }
    void SetPosition(int AValue);

    TbsPageScrollButton Buttons[2];
    int TimerMode = 0;   // 0 none, 1 back, 2 forward
    int SMax = 0, SPosition = 0, SPage = 0, SOldPosition = 0;

    void GetScrollInfo();
    void UpDateSize();
    bool HasScrollButtons() const { return FCanScroll && Buttons[0].Visible; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& ARect) override;
    void WndProc(TMessage& M) override;
    void Dispatch(TMessage& M) override;
    void WMNCCalcSize(TMessage& M) override;
    void WMNCPaint(TMessage& M) override;
    void WMSize(TMessage& M) override;
    void WMSetCursor(TMessage& M) override;
    void WMTimer(TMessage& M) override;
    // The background is painted on erasing; Paint draws nothing.
    void WMEraseBkgnd(TMessage& M) override;
    virtual void PaintPageBackground(platform::HDC ADC) = 0;

    // Draws the visible buttons onto C (window coordinates).
    void DrawScrollButtons(TCanvas* C);
    void DrawScrollButtonsToDC(platform::HDC ADC);
    void DrawScrollButton(TCanvas* C, int AIndex);

protected:
    void Paint() override {}
    // Scroll computation is allowed now.
    virtual bool ScrollAllowed() const { return FCanScroll; }
    // The buttons are placed on a resize.
    virtual bool ButtonsPlaceable() const { return true; }
    // The skin data of the page's host when the host has a skin record.
    virtual TbsSkinData* HostSkinData() const = 0;
    // After the controls moved.
    virtual void ContentScrolled() {}

    void UpdateScrollState();
    void ScrollContent(int D);
    void ScrollStep(int ADirection);
    void ScrollButtonDown(int AIndex);
    void ScrollButtonUp(int AIndex);
    void StartScrollTimer();
    void StopScrollTimer();
    void StartMouseTracking();
    void StopMouseTracking();
    // The hot button, when any, is hot no more.
    void LeaveButtons();
    void SetButtonsVisible(bool AValue);
    void PlaceButtons();
    void RepaintButtons();
    int ClientExtent() { return FVertical ? ClientHeight() : ClientWidth(); }

    bool FVertical;
    bool FCanScroll = true;
    int FSizeOffset = 0;
    int FScrollOffset = 0;
    int FScrollTimerInterval = 50;
    bool FMouseIn = false;
    bool FUpdating = false;
};

class TbsRibbonCustomPage : public TbsScrollingPage {
public:
    explicit TbsRibbonCustomPage(TComponent* AOwner) : TbsScrollingPage(AOwner, false) {}
    TbsRibbon* Ribbon = nullptr;

protected:
    TbsSkinData* HostSkinData() const override;
    void ContentScrolled() override;
};

class TbsAppMenuCustomPage : public TbsScrollingPage {
public:
    explicit TbsAppMenuCustomPage(TComponent* AOwner);
    TbsAppMenu* AppMenu = nullptr;
    // No scroll computation while set: the page is not shown by a visible menu.
    bool FStopScroll = true;

protected:
    bool ScrollAllowed() const override { return FCanScroll && !FStopScroll; }
    bool ButtonsPlaceable() const override { return AppMenu != nullptr; }
    TbsSkinData* HostSkinData() const override;
};

} // namespace skin
