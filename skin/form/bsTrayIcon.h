#pragma once
// The tray icon: one icon of the application in the desktop's notification
// area. It turns the area's mouse notifications into component events
// (click, double click, press, release, move, a click on a balloon hint),
// opens a skinned popup menu at the cursor, animates its picture through an
// image list, shows balloon hints in the program's own hint window next to
// the icon, and takes the main form into the area when the application is
// minimised with MinimizeToTray on, showing it again on request. It follows
// the desktop: when a notification area appears, a visible icon is added
// again.

#include "skin/form/bsSkinForm.h"

#include "platform/controls/Controls.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/ImgList.h"
#include "platform/gfx/Graphics.h"
#include "platform/ui/NotifyIcon.h"

#include <functional>
#include <memory>
#include <string>

namespace platform {
class THintWindow;
}

namespace skin {

class TbsSkinPopupMenu;
class TbsSkinHintWindow;

enum TbsBalloonHintIcon { bsbitNone, bsbitInfo, bsbitWarning, bsbitError };

using TbsCycleEvent = std::function<void(platform::TObject* Sender, int NextIndex)>;

class TbsTrayIcon : public platform::TComponent, public TbsFormTrayIcon {
public:
    explicit TbsTrayIcon(platform::TComponent* AOwner);
    ~TbsTrayIcon() override;

    // Off: the icon's mouse notifications are ignored (the icon stays).
    bool Enabled = true;
    platform::TBitmap* Icon() { return &FIcon; }
    void SetIcon(platform::TBitmap* AValue);
    bool IconVisible() const { return FIconVisible; }
    void SetIconVisible(bool AValue) override;
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& AValue);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool AValue);
    TbsSkinPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TbsSkinPopupMenu* AValue);
    // The menu opens on a left press as well.
    bool PopupByLeftButton = false;
    bool MinimizedOnStart = false;
    bool MinimizeToTray() const { return FMinimizeToTray; }
    void SetMinimizeToTray(bool AValue) override { FMinimizeToTray = AValue; }
    platform::TCustomImageList* IconList() const { return FIconList; }
    void SetIconList(platform::TCustomImageList* AValue);
    int IconIndex() const { return FIconIndex; }
    void SetIconIndex(int AValue);
    bool CycleIcons() const { return FCycleIcons; }
    void SetCycleIcons(bool AValue);
    uint32_t AnimateTimerInterval() const { return FAnimateTimerInterval; }
    void SetAnimateTimerInterval(uint32_t AValue);
    bool DesignPreview() const { return FDesignPreview; }
    void SetDesignPreview(bool AValue);

    // The icon's message window, and its owner (the application window).
    platform::HWND Handle() const { return IconData.hWnd; }
    platform::HWND WindowHandle() const { return FWindowHandle; }
    // The record given to the notification area with every call.
    const platform::TNotifyIconData& NotifyData() const { return IconData; }
    // The single-click delay and the animation (read by tests).
    platform::TTimer* ClickTimer() const { return FClickTimer; }
    platform::TTimer* AnimateTimer() const { return FAnimateTimer; }

    bool Refresh() { return UpdateTrayIcon(); }
    // A 16 x 16 picture of ABitmap with AMaskColor transparent goes to AIcon.
    static bool BitmapToIcon(platform::TBitmap* ABitmap, platform::TBitmap* AIcon, platform::TColor AMaskColor);
    void ShowMainForm() override;
    void HideMainForm();
    void AdoptFormDefaults(TbsSkinPopupMenu* AMenu, platform::TNotifyEvent ARestore) override;
    void ReleaseFormDefaults(TbsSkinPopupMenu* AMenu) override;
    platform::TComponent* TrayComponent() override { return this; }
    bool ShowBalloonHint(const std::string& ATitle, const std::string& AText, TbsBalloonHintIcon AIconType);
    bool HideBalloonHint();
    // The balloon as the program shows it (nil before the first one).
    platform::THintWindow* BalloonWindow() const;
    bool BalloonVisible() const;
    // The icon's Hint, shown by the program while the pointer rests on the
    // icon (nil when not shown).
    platform::THintWindow* TipWindow() const { return FShownTip; }
    bool TipVisible() const;

    virtual bool DefaultToAppIcon() { return true; }
    virtual bool AddTrayIcon();
    virtual bool DeleteTrayIcon();
    virtual bool UpdateTrayIcon();

    platform::TNotifyEvent OnBalloonHintClick, OnClick, OnDblClick;
    TbsCycleEvent OnCycle;
    platform::TMouseEvent OnMouseDown, OnMouseUp;
    platform::TMouseMoveEvent OnMouseMove;

protected:
    void Loaded() override;
    void Notification(platform::TComponent* AComponent, platform::TOperation AOperation) override;
    virtual void DoClick();
    virtual void DoDblClick();
    virtual void DoIconCycle(int ANextIndex);
    virtual void DoMouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y);
    virtual void DoMouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y);
    virtual void DoMouseMove(platform::TShiftState AShift, int X, int Y);
    virtual void DoTrayMinimize();

private:
    // The windows the component watches hold their previous procedures;
    // the hooks reach the component through this slot, emptied when it goes,
    // so a hook left in a chain only passes messages on.
    struct THookSlot {
        TbsTrayIcon* Icon = nullptr;
    };
    platform::LRESULT TrayWindowProc(platform::UINT AMsg, platform::WPARAM W, platform::LPARAM L);
    void TrayMessage(platform::LPARAM AMouseMsg);
    bool AppWindowProc(platform::UINT AMsg, platform::WPARAM W);
    void OwnerWindowProc(platform::TMessage& M);
    void InstallAppHook();
    void InstallOwnerHook();
    platform::TWinControl* OwnerControl() const;
    bool FillIconData();
    bool ShellCall(platform::DWORD AMessage);
    void ShowPopupAtCursor();
    void ClickTimerTick();
    void AnimateTimerTick();
    platform::THintWindow* ShowNearIcon(const std::string& ATitle, const std::string& AText, int AImage);
    void ShowBalloon();
    void CloseBalloon();
    platform::TRect IconAnchor() const;
    void TrayWatchTick();
    void PointerOverIcon();
    void TipTimerTick();
    void HideTip();

    bool FIconVisible = true;
    platform::TBitmap FIcon;
    std::string FHint;
    bool FShowHint = true;
    TbsSkinPopupMenu* FPopupMenu = nullptr;
    bool FMinimizeToTray = true;
    bool FClickStart = false, FClickReady = false;
    platform::TTimer* FAnimateTimer = nullptr;
    platform::TTimer* FClickTimer = nullptr;
    bool IsDblClick = false;
    int FIconIndex = 0;
    bool FDesignPreview = false;
    bool SettingPreview = false;
    bool SettingMDIForm = true;
    platform::TCustomImageList* FIconList = nullptr;
    bool FCycleIcons = false;
    uint32_t FAnimateTimerInterval = 1000;
    platform::HWND FWindowHandle = nullptr;
    platform::TNotifyIconData IconData;
    std::shared_ptr<THookSlot> FHookSlot;
    // The owner hook is giving its focus back (activation it causes is its own).
    bool FRestoringFocus = false;
    // OnDblClick is the one a skin form gave.
    bool FFormDblClick = false;

    // The balloon: the skinned hint window when the main form carries a
    // skinned hint component, else the plain one.
    TbsSkinHintWindow* FSkinBalloon = nullptr;
    platform::THintWindow* FPlainBalloon = nullptr;
    platform::THintWindow* FShownBalloon = nullptr;
    platform::TTimer* FBalloonTimer = nullptr;
    // Watches the icon while the main form is in the tray.
    platform::TTimer* FTrayWatch = nullptr;
    int FUndockedTicks = 0;
    platform::THintWindow* FShownTip = nullptr;
    platform::TTimer* FTipTimer = nullptr;
    std::unique_ptr<platform::TCustomImageList> FBalloonIcons;
};

} // namespace skin
