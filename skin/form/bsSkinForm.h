#pragma once
// The skin form component: takes over a form's window procedure, answers the
// non-client messages from the skin of a TbsSkinData (frame size, hit tests,
// window region, frame painting), hosts the frame objects (caption, caption
// buttons, skin objects), keeps its own window state (minimized slots,
// maximized to the work area, rolled up to the caption) and passes the
// model's change messages on to the form's skinned controls.

#include "skin/core/bsSkinData.h"
#include "skin/form/bsSkinForm_InActivePanel.h"
#include "skin/form/bsSkinForm_LayerBorder.h"
#include "skin/form/bsSkinPopupControl.h"
#include "skin/form/bsSkinForm_Objects.h"
#include "skin/form/bsSkinForm_QuickButtons.h"
#include "skin/form/bsSkinForm_Shadow.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/gfx/Graphics.h"

#include <functional>
#include <memory>
#include <vector>

namespace skin {

using platform::TPoint;
using platform::TRect;

class TbsSkinMenu;
class TbsRibbon;
class TbsSkinMainMenuBar;
class TbsSkinHint;
class TbsSkinPopupMenu;
class TbsSkinMDITabsBar;
class TbsSkinScrollBar;
class TbsSkinStatusBar;

// The caption buttons a skinned frame can show: the form's own three and
// two of the frame's.
using TbsBorderIcons = platform::TBorderIcons;
constexpr TbsBorderIcons biRollUp = 16, biMinimizeToTray = 32;

enum TbsPositionInMonitor { bspDefault, bspScreenCenter, bspDesktopCenter };

// What the frame needs of a notification-area icon: the tray icon
// component implements it and is set as the form's TrayIcon.
class TbsFormTrayIcon {
public:
    virtual ~TbsFormTrayIcon() = default;
    // The minimized application goes to the notification area.
    virtual void SetMinimizeToTray(bool AValue) = 0;
    virtual void SetIconVisible(bool AValue) = 0;
    // Shows the main form again after it left the notification area.
    virtual void ShowMainForm() = 0;
    // The form's tray menu and restore handler go to an icon that has no
    // menu or double-click handler of its own; Release takes them back.
    virtual void AdoptFormDefaults(TbsSkinPopupMenu* AMenu, platform::TNotifyEvent ARestore) = 0;
    virtual void ReleaseFormDefaults(TbsSkinPopupMenu* AMenu) = 0;
    // The component behind the icon, which tells the form when it goes.
    virtual platform::TComponent* TrayComponent() = 0;
};

using TbsObjectPaintEvent = std::function<void(const std::string& IDName, platform::TCanvas* Canvas, const TRect& R)>;
using TbsObjectNameEvent = std::function<void(const std::string& IDName)>;
using TbsObjectMouseEvent =
    std::function<void(const std::string& IDName, int X, int Y, const TRect& R, platform::TMouseButtonKind Button)>;
using TbsObjectMouseMoveEvent = std::function<void(const std::string& IDName, int X, int Y, const TRect& R)>;
using TbsActivateCustomObjectEvent = std::function<void(const std::string& IDName, bool& ObjectVisible)>;

class TbsSkinForm;

// The application's restore handler that a main form's component installs;
// the component takes it back when it goes, and only when it is its own.
struct TbsAppRestoreHook {
    TbsSkinForm* Owner;
    void operator()(platform::TObject* Sender) const;
};

class TbsSkinForm : public platform::TComponent {
public:
    // AOwner must be a form; anything else raises EConvertError.
    explicit TbsSkinForm(platform::TComponent* AOwner);
    ~TbsSkinForm() override;

    platform::TCustomForm* Form() const { return FForm; }
    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* AValue);
    bool SkinnableForm() const { return FSkinnableForm; }
    void SetSkinnableForm(bool AValue);
    // Run-time changes of the form's style (normal or stay-on-top; the
    // multiple-document styles are not changed here) and border style;
    // every skinned control of the form takes its skin again.
    void SetFormStyle(platform::TFormStyle FS);
    void SetFormBorderStyle(platform::TFormBorderStyle BS);
    // A non-empty skin is applied to the frame.
    bool SkinSupport() const { return FSkinSupport; }

    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
    bool AlwaysResize = false;
    bool MaximizeOnFullScreen = false;
    // Drawn centred on the client background.
    platform::TBitmap* LogoBitMap() { return &FLogoBitMap; }
    bool LogoBitMapTransparent = false;
    platform::TFont* DefCaptionFont() { return &FDefCaptionFont; }
    platform::TFont* DefInActiveCaptionFont() { return &FDefInActiveCaptionFont; }

    // Replaces the unskinned caption text: (Cnvs, R, AActive).
    std::function<void(platform::TCanvas*, const TRect&, bool)> OnCaptionPaint;
    platform::TNotifyEvent OnChangeSkinData;
    platform::TNotifyEvent OnBeforeChangeSkinData;
    platform::TNotifyEvent OnAfterChangeSkinData;

    // ---- frame objects, in hit-test order
    std::vector<std::unique_ptr<TbsActiveSkinObject>> ObjectList;
    // Indexes into ObjectList, -1 for none: the object under the mouse, the
    // previous one, the one that took the mouse down.
    int ActiveObject = -1;
    int OldActiveObject = -1;
    int MouseCaptureObject = -1;
    // Hover polling (50 ms, only while the cursor is over an object),
    // morphing and animation steps (25 ms, while an object needs them).
    platform::TTimer* MouseTimer = nullptr;
    platform::TTimer* MorphTimer = nullptr;
    platform::TTimer* AnimateTimer = nullptr;

    TbsBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TbsBorderIcons AValue);
    bool HideCaptionButtons = false;
    bool DisableSystemMenu = false;
    bool ShowIcon = false;
    bool UseSkinFontInCaption = true;
    bool ShowObjectHint = false;
    bool UseDefaultObjectHint = true;
    // The form's own cursor over the caption and the frame objects.
    bool UseFormCursorInNCArea = false;
    TbsSkinHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(TbsSkinHint* AValue);

    // Quick buttons at the left of the caption, drawn from QuickImageList.
    TbsQuickButtonItems* QuickButtons() const { return FQuickButtons.get(); }
    platform::TCustomImageList* QuickImageList = nullptr;
    bool QuickButtonsShowHint = false;
    // The caption's divider before the quick buttons on the window frame.
    bool QuickButtonsShowDivider = true;

    TbsActivateCustomObjectEvent OnActivateCustomObject;
    TbsObjectPaintEvent OnPaintEvent;
    TbsObjectNameEvent OnMouseEnterEvent, OnMouseLeaveEvent;
    TbsObjectMouseEvent OnMouseDownEvent, OnMouseUpEvent;
    TbsObjectMouseMoveEvent OnMouseMoveEvent;
    platform::TNotifyEvent OnActivate, OnDeActivate;

    void CreateObjects();
    void CreateDefaultObjects();
    void ClearObjects();
    void UpdateCaptionButtons();
    void OfferBorderIcons();
    void UpdateObjectHints();
    void CalcObjectRects();
    // Hover at a frame point: enter and leave, hints.
    void TestActive(int X, int Y, bool AllowActive);
    // The first enabled, visible object whose area holds (X, Y), or -1.
    int ObjectAt(int X, int Y) const;
    // The hover moves from object AOld to ANew (indexes, -1 for none).
    void ChangeActiveObject(int AOld, int ANew, bool AHintAllowed);
    void ObjectsMouseMove(int X, int Y);
    void ObjectsMouseDown(platform::TMouseButtonKind Button, int X, int Y);
    void ObjectsMouseUp(platform::TMouseButtonKind Button, int X, int Y);
    void ObjectsDblClick();
    void ResetObjectStates();
    // The caption follows the form's active state.
    void UpdateActiveState(bool AAnimate);
    void MouseTimerProc();
    void MorphTimerProc();
    void AnimateTimerProc();
    int GetIndex(const std::string& AIDName) const;
    void SetEnabled(const std::string& AIDName, bool AValue);
    void UserObjectDraw(const std::string& AIDName);
    void LinkMenu(const std::string& AIDName, platform::TMenu* AMenu, bool APopupUp);
    // Repaints one object in place.
    void DrawSkinObject(TbsActiveSkinObject* AObject);
    void DrawFormIcon(platform::TCanvas* ACanvas, int X, int Y);
    static void GetSmallIconSize(int& W, int& H);
    // Whether the icon brings transparency of its own: drawn at the small
    // icon size over fully transparent pixels, some pixel is not.
    bool CheckIconAlpha();
    // The caption text, with a maximized MDI child's caption appended.
    std::string CaptionText() const;
    TbsLayerManager* LayerManager() const { return FLayerManager; }
    TbsLayerManager* MenuLayerManager() const { return FMenuLayerManager; }
    void HideGlowLayers();
    // Pops up the items of a frame object's menu beside the screen
    // rectangle R.
    void PopupObjectMenu(TMenuItem* AItems, const TRect& R, bool APopupUp);

    void FireObjectPaint(const std::string& IDName, platform::TCanvas* Canvas, const TRect& R);
    void FireObjectMouseEnter(const std::string& IDName);
    void FireObjectMouseLeave(const std::string& IDName);
    void FireObjectMouseDown(const std::string& IDName, int X, int Y, const TRect& R, platform::TMouseButtonKind B);
    void FireObjectMouseUp(const std::string& IDName, int X, int Y, const TRect& R, platform::TMouseButtonKind B);
    void FireObjectMouseMove(const std::string& IDName, int X, int Y, const TRect& R);

    // ---- window states: the frame minimizes into slots at the bottom of
    // the work area, maximizes to the work area and rolls up to its caption
    // itself, so that frame and region stay in step.
    platform::TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(platform::TWindowState AValue);
    bool RollUpState() const { return FRollUpState; }
    void SetRollUpState(bool AValue);
    // The height before rolling up while rolled up, else the frame height.
    int RealHeight() const { return FRollUpState ? OldHeight : FFormHeight; }
    // Minimize through the window system instead of the frame's slots.
    bool MinimizeDefault = false;
    // Applied to the form's client size after every re-skin (0: kept);
    // ClientHeight also when unrolling.
    int ClientWidth = 0, ClientHeight = 0;
    TbsPositionInMonitor PositionInMonitor = bspDefault;
    bool Magnetic = false;
    int MagneticSize = 5;
    bool AlwaysMinimizeToTray = false, AlwaysShowInTray = false;
    TbsFormTrayIcon* TrayIcon() const { return FTrayIcon; }
    void SetTrayIcon(TbsFormTrayIcon* AValue);
    // The ribbon of the form: it learns of this component through its BSF.
    TbsRibbon* SkinRibbon() const { return FSkinRibbon; }
    void SetSkinRibbon(TbsRibbon* AValue);
    // A form whose ribbon takes the place of the caption keeps the system's
    // frame, whatever the skin or a later skin change says.
    bool UseRibbon() const { return FUseRibbon; }
    void SetUseRibbon(bool AValue);
    TRect OldBoundsRect;
    int OldHeight = 0;
    platform::TNotifyEvent OnMinimize, OnMaximize, OnRestore, OnChangeRollUpState;
    platform::TNotifyEvent OnMinimizeToTray, OnRestoreFromTray;
    // The form's status bar, whose size grip is hidden while maximized.
    TbsSkinStatusBar* StatusBar() const { return FStatusBar; }
    void SetStatusBar(TbsSkinStatusBar* AValue);

    void ChangeWindowState(platform::TWindowState AValue);
    void DoMinimize();
    void DoMaximize();
    void DoRestore();
    TPoint GetMinimizedPosition();
    void RollUpForm();
    void RollDownForm();
    void MinimizeToTray();
    void RestoreFromTray();
    // The main form, brought back with the application, shows the other
    // forms again so that their layered borders come back in their places
    // above whatever covered them, then itself.
    void CheckAppLayeredBorders();
    // Another visible form of the application that has a border to bring
    // back: not the main form, not stay-on-top, not a document.
    bool HasOtherVisibleForms() const;
    // The application's restore handler that the main form installs when
    // the application has none.
    void AppRestore(platform::TObject* Sender);
    // A drop shadow along the form's right and bottom edges; with
    // AHideFormBefore the form is hidden while it changes.
    void EnableShadow(bool AShowShadow, bool AHideFormBefore);
    bool HaveShadow() const { return FHaveShadow; }
    TbsFormShadow* Shadow() const { return FShadow; }
    // The menu an icon without one of its own opens: Restore, Close.
    TbsSkinPopupMenu* SysTrayMenu() const { return FSysTrayMenu; }
    void CreateTrayMenu();
    // Snaps the dragged form's left and top to the work area's edges.
    void MagneticMove(int& ALeft, int& ATop, int AWidth, int AHeight);
    void ApplyPositionInMonitor();
    TPoint GetPositionInMonitor(int AX, int AY, int AW, int AH);

    // ---- layered border: windows with per-pixel alpha around the frame,
    // from the skin's layer frame, shown while the form is in the normal
    // state.
    bool AlwaysDisableLayeredFrames = false;
    // A sample frame (the skin chooser's): always painted active, without a
    // layered border and without hover.
    bool PreviewMode = false;
    // Set for a full layered border when it is made: the system-menu button
    // then draws the icon with its own transparency.
    bool IsAlphaIcon = false;
    bool CanShowLayeredBorders() const;
    TbsFormLayerBorder* BorderLayer() const { return FBorderLayer; }
    // Shows, hides, sizes or moves the border after the window changed.
    void SyncLayerBorder(bool AResized);
    // The skin's layered border draws the whole frame: the form's window
    // is a plain rectangle without a non-client area.
    bool FullBorderFrame() const;
    // ... and that border is on the screen.
    bool FullBorderShown() const;
    // The current size change comes from dragging a border window.
    bool FBorderLayerChangeSize = false;
    // Places the form so that its outer bounds, a shown layered border
    // included, are the given ones.
    void Move(int AX, int AY);
    void SetBounds(int AX, int AY, int AWidth, int AHeight);
    // Keep the outer bounds over a skin change that adds or removes a
    // full layered border.
    void SaveLayerBounds();
    void RestoreLayerBounds();

    // ---- a frozen, dimmed or blurred client area while the form is
    // inactive.
    bool ClientInActiveEffect = false;
    TbsClientInActiveEffect ClientInActiveEffectType = bsieSemiTransparent;
    void ShowClientInActiveEffect();
    void HideClientInActiveEffect();
    TbsClientInActivePanel* InActivePanel() const { return FInActivePanel; }

    // ---- the form's alpha: constant while AlphaBlend is on; a fade-in from
    // transparent on every show with AlphaBlendAnimation.
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool AValue);
    uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(uint8_t AValue);
    bool AlphaBlendAnimation = false;
    // The alphas of the fade-in steps to ATarget.
    static std::vector<int> FadeInSteps(int ATarget);
    // Runs the fade-in steps to ATarget, more than 5 ms apart, the first at
    // once; AApply takes each alpha and answers false to stop.
    static void FadeIn(int ATarget, const std::function<bool(int AAlpha)>& AApply);

    // ---- system menu: the built-in one, or the user's SystemMenu with the
    // standard items added.
    platform::TPopupMenu* SystemMenu = nullptr;
    bool UseDefaultSysMenu = true;
    TMenuItem* GetSystemMenuItems();
    void CreateDefaultSystemMenu();
    void UpdateSystemMenuItems();
    void PopupSystemMenu(int X, int Y);
    // The system menu beside the screen rectangle R.
    void PopupSystemMenuAtRect(const TRect& R);
    void ReleaseMenuObjects();
    void PopupSystemMenuAtButton();

    // ---- frame geometry of the current size
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect, NewCaptionRect, NewButtonsRect, NewMaskRectArea, NewDefCaptionRect;
    TPoint NewHitTestLTPoint, NewHitTestRTPoint, NewHitTestLBPoint, NewHitTestRBPoint;
    bool NewButtonsInLeft = false;
    int NewButtonsOffset = 0;
    int FFormWidth = 0, FFormHeight = 0;

    void CalcSkinPoints();
    TRect CalcObjectRect(const TRect& R) const;
    void CalcDefRects();
    TRect GetDefCaptionRect();
    int DefCaptionHeight() const;
    int DefButtonSize() const;
    int GetMinWidth() const;
    int GetMinHeight() const;
    int GetMaxWidth() const;
    int GetMaxHeight() const;
    bool CanResize() const;
    void ScreenToFrame(TPoint& P) const;
    int SkinHitTest(const TPoint& P);
    int DefaultHitTest(const TPoint& P);
    bool PtInMask(const TPoint& P) const;
    bool PtInCaption(const TPoint& P);
    void CreateFrameRgn(bool AUpdate);
    void UpdateFrame(bool AUpdate);
    void RefreshFormSize();
    // The form's client size set to ClientWidth and ClientHeight where given.
    void ApplyClientSize();
    // Shrinks a form larger than its maximum size (after a screen change).
    void FitIntoMaxSize();
    // The window region now set (owned), nil for none.
    platform::HRGN FrameRgn() const { return FRgn; }

    // ---- painting
    void PaintNCSkin(platform::HDC ADC, bool AUseExternalDC);
    void PaintNCDefault(platform::HDC ADC, bool AUseExternalDC);
    void PaintBG(platform::HDC DC);
    void PaintBG2(platform::HDC DC);
    void PaintBGDefault(platform::HDC DC);
    void DrawLogo(platform::TCanvas* ACanvas);
    void UpDateFormNC();
    bool GetFormActive() const;
    bool UseAutoInActiveImage() const;
    // While the ribbon's application menu is open it continues into the
    // caption strip: its caption picture covers the strip's left end, the
    // caption buttons and quick buttons there are hidden and the caption
    // text starts right of it. Never under a full layered border, which
    // draws its own caption.
    bool HasAppMenuCaption();
    void DrawAppMenuCaption(platform::TCanvas* Cnvs, const TRect& R);
    // Where the menu's caption picture ends on the frame, 0 without a menu.
    int GetAppMenuCaptionOffset();
    // The menu's caption picture covers a frame object at R.
    bool CoveredByAppMenuCaption(const TRect& R);

    // ---- skin changes
    void ChangeSkinData();

    // The version of the skin engine.
    static std::string GetProductVersion() { return "10.10"; }

    // ---- menus: every skinned menu of the form opens through SkinMenu;
    // while one is open (InMenu) or the menu bar is in keyboard mode
    // (InMainMenu) the application's messages pass through AppMessage.
    TbsSkinMenu* SkinMenu() const { return FSkinMenu; }
    // The skin of the form's menus; nil: SkinData.
    TbsSkinData* MenusSkinData() const { return FMSD; }
    void SetMenusSkinData(TbsSkinData* AValue);
    TbsSkinMainMenuBar* MainMenuBar() const { return FMainMenuBar; }
    void SetMainMenuBar(TbsSkinMainMenuBar* AValue);
    // The form's main menu whose shortcuts the form runs when no menu bar
    // shows one.
    platform::TMainMenu* MainMenu() const { return FMainMenu; }
    void SetMainMenu(platform::TMainMenu* AValue);
    // Settings of the form's menus, handed on to its menu manager.
    int MaxMenuItemsInWindow() const;
    // A negative count is ignored.
    void SetMaxMenuItemsInWindow(int AValue);
    bool MenusAlphaBlend() const { return FMenusAlphaBlend; }
    void SetMenusAlphaBlend(bool AValue);
    bool MenusAlphaBlendAnimation() const { return FMenusAlphaBlendAnimation; }
    void SetMenusAlphaBlendAnimation(bool AValue);
    uint8_t MenusAlphaBlendValue() const { return FMenusAlphaBlendValue; }
    void SetMenusAlphaBlendValue(uint8_t AValue);
    bool UseSkinFontInMenu() const;
    void SetUseSkinFontInMenu(bool AValue);
    bool UseSkinSizeInMenu() const;
    void SetUseSkinSizeInMenu(bool AValue);
    int DefMenuItemHeight() const;
    // Only a height above 0 is taken.
    void SetDefMenuItemHeight(int AValue);
    platform::TFont* DefMenuItemFont() const;
    void SetDefMenuItemFont(platform::TFont* AValue);
    // Popups of any menu through the form's menu manager, in the skin of
    // its menus: at a screen point, or beside a screen rectangle.
    void PopupSkinMenu(platform::TMenu* AMenu, const TPoint& P);
    void PopupSkinMenu1(platform::TMenu* AMenu, const TRect& R, bool APopupUp);
    // A context menu: its OnPopup runs first, a menu still open closes, and
    // it opens in the form's own skin.
    void DoPopupMenu(platform::TPopupMenu* AMenu, int X, int Y);
    bool InMenu = false;
    bool InMainMenu = false;
    platform::TNotifyEvent OnSkinMenuOpen;
    platform::TNotifyEvent OnSkinMenuClose;
    platform::TNotifyEvent OnMainMenuEnter;
    platform::TNotifyEvent OnMainMenuExit;
    void SkinMenuOpen();
    void SkinMenuClose();
    void ExitMainMenuMode();
    void MainMenuPopupClosed();
    void HookAppMessages();
    void UnhookAppMessages();
    bool AppHooked() const { return FAppHook.Hooked(); }
    void AppMessage(platform::TMsg& Msg, bool& Handled);
    void MenuKeyDown(int Key);
    bool MenuBarAccel(int Key);
    bool MenuBarOpenSelected();
    bool IsFirstPopupLevel() const;
    bool IsLastPopupLeaf() const;
    // The first step of the window procedure: the messages that close menus.
    void CloseMenusOnMessage(platform::UINT AMsg);
    void CancelChildModes();
    // The form's shortcut handler; OnShortCut runs first.
    platform::TShortCutEvent OnShortCut;
    void FormShortCut(platform::TMessage& Msg, bool& Handled);

    // ---- multiple documents. On the main form (fsMDIForm): skinned scroll
    // bars over the client window when the documents reach beyond it, the
    // arrangement of the documents, one window-menu item and one tab per
    // document, and a maximised document's caption in the frame. On a
    // document (fsMDIChild): its state changes told to the main form.
    bool ShowMDIScrollBars() const { return FShowMDIScrollBars; }
    void SetShowMDIScrollBars(bool AValue);
    platform::TTileMode TileMode = platform::tbHorizontal;
    TbsSkinMDITabsBar* MDITabsBar() const { return FMDITabsBar; }
    void SetMDITabsBar(TbsSkinMDITabsBar* AValue);
    // A document's say on whether it gets a tab.
    std::function<void(bool& Accept)> OnAcceptToMDITabsBar;
    TbsSkinScrollBar* MDIHScrollBar() const { return FMDIHScrollBar; }
    TbsSkinScrollBar* MDIVScrollBar() const { return FMDIVScrollBar; }
    bool MDIChildMaximized() const { return FMDIChildMaximized; }

    void CreateMDIScrollBars();
    void UpdateMDIScrollBars(bool ASetRange);
    void AlignMDIScrollBars();
    void OffsetMDIChildrenX(int ADelta);
    void OffsetMDIChildrenY(int ADelta);
    // The main form's client area less its visible aligned controls.
    TRect GetMDIClientArea();
    void Tile();
    void TileHorizontal();
    void TileVertical();
    void Cascade();
    void MinimizeAll();
    void MaximizeAll();
    void RestoreAll();
    void RestoreAllExcept(platform::HWND AFormHandle);
    void CloseAll();
    void ArrangeMinimizedChildren();
    void UpdateMDIChildren();
    platform::TCustomForm* FindMaximizedMDIChild();
    void AddChildToMenu(platform::TCustomForm* Child);
    void DeleteChildFromMenu(platform::TCustomForm* Child);
    void UpDateChildCaptionInMenu(platform::TCustomForm* Child);
    void UpDateChildActiveInMenu();
    void MDIItemClick(platform::TObject* Sender);
    void AddChildToBar(platform::TCustomForm* Child);
    void DeleteChildFromBar(platform::TCustomForm* Child);
    void RefreshMDIBarTab(platform::TCustomForm* Child);
    void UpdateMainMenuBarItems();
    void UpdateMDITabs();
    void PaintBG3(platform::HDC DC);
    void PaintMDIBGDefault(platform::HDC DC);

protected:
    void Notification(platform::TComponent* AComponent, platform::TOperation AOperation) override;

private:
    // The border's windows read the frame's state as the frame does.
    friend class TbsFormLayerBorder;
    friend class TbsFormLayerWindow;
    void NewWndProc(platform::TMessage& M);
    void FrameWndProc(platform::TMessage& M);
    // The multiple-document steps of the window procedure: before (true:
    // the message is done) and after the frame's own.
    bool MDIMessage(platform::TMessage& M);
    void MDIAfterMessage(platform::TMessage& M);
    // AAgain: the client is subclassed anew even when it already is.
    void SubclassMDIClient(bool AAgain = false);
    void NewClientWndProc(platform::TMessage& M);
    platform::LRESULT SendToMainForm(platform::UINT AMsg, platform::WPARAM W = 0);
    TbsSkinForm* MainFormComponent() const;
    std::vector<platform::TCustomForm*> MDIChildForms() const;
    void MDIScrollChanged(bool AHorizontal);
    void PaintMDIClient(platform::HDC DC);
    bool FormAlive() const;
    bool HandleSkinMessage(platform::TMessage& M);
    void WMNCCalcSize(platform::TMessage& M);
    void WMNCHitTest(platform::TMessage& M);
    void WMSize(platform::TMessage& M);
    void WMGetMinMaxInfo(platform::TMessage& M);
    bool FramePainted() const;
    bool HasSkin() const { return FSD && !FSD->Empty(); }
    bool HasDialogCloseButton() const;
    TbsSkinCaptionObject* CaptionObject() const;
    void PlaceButton(TbsActiveSkinObject* AObject, const TRect& R);
    void WMNCButton(platform::TMessage& M);
    void PaintFrameTo(platform::HDC ADC);
    void WMNCLButtonDblClk(const TPoint& P, platform::LRESULT AHit);
    void WMNCActivate(platform::TMessage& M);
    void WMShowWindow(platform::TMessage& M);
    void WMMoving(platform::TMessage& M);
    void WMSizing(platform::TMessage& M);
    bool IsMainForm() const;
    void SetFormBounds(const TRect& R);
    bool HasMask() const;
    TRect MaximizeArea() const;
    void SetRegion(platform::HRGN ARgn);
    void TakeFormSize();
    void PaintClientPicture(platform::TCanvas* ACanvas, platform::TBitmap* B, bool AStretch, TbsStretchType AType);
    void DrawCaptionText(platform::TCanvas* ACanvas, int AWidth);

    platform::TCustomForm* FForm = nullptr;
    TbsSkinData* FSD = nullptr;
    bool FSkinSupport = false;
    bool FSkinnableForm = true;
    bool FStopPainting = false;
    platform::TWndMethod OldWindowProc;
    platform::HRGN FRgn = nullptr;
    platform::TBitmap RMTop, RMLeft, RMRight, RMBottom;
    platform::TBitmap FLogoBitMap;
    platform::TFont FDefCaptionFont, FDefInActiveCaptionFont;
    TbsSkinMenu* FSkinMenu = nullptr;
    TbsSkinData* FMSD = nullptr;
    TbsSkinMainMenuBar* FMainMenuBar = nullptr;
    platform::TMainMenu* FMainMenu = nullptr;
    bool FMenusAlphaBlend = false, FMenusAlphaBlendAnimation = false;
    uint8_t FMenusAlphaBlendValue = 200;
    // The system menu through the menu manager it belongs to: a document's
    // opens through its main form's.
    void PopupSystemMenuFrom(const TRect& R);
    bool FInShortCut = false;
    TbsAppMessageHook FAppHook;
    void CreateMenuManager();
    bool MenuMessage(platform::TMessage& M);

    TbsBorderIcons FBorderIcons;
    TbsSkinHint* FSkinHint = nullptr;
    TbsLayerManager* FLayerManager = nullptr;
    TbsLayerManager* FMenuLayerManager = nullptr;
    platform::TPopupMenu* FSysMenu = nullptr;
    TbsFormTrayIcon* FTrayIcon = nullptr;
    TbsSkinStatusBar* FStatusBar = nullptr;
    void ShowStatusBarGrip(bool AValue);
    // The component behind FTrayIcon, compared when it goes (its interface
    // is gone by then).
    platform::TComponent* FTrayComponent = nullptr;
    TbsSkinPopupMenu* FSysTrayMenu = nullptr;
    TbsRibbon* FSkinRibbon = nullptr;
    bool FUseRibbon = false;
    bool FHaveShadow = false;
    TbsFormShadow* FShadow = nullptr;   // owned, made when first asked for
    // The shadow follows the form as its layered border does.
    void SyncShadow();
    std::vector<platform::TCustomForm*> OtherVisibleForms() const;
    // Puts the border's windows above the form again.
    void RaiseLayerBorder();
    TbsFormLayerBorder* FBorderLayer = nullptr;
    std::unique_ptr<TbsQuickButtonItems> FQuickButtons;
    TbsClientInActivePanel* FInActivePanel = nullptr;
    bool FClientInActiveDraw = false;
    bool FAlphaBlend = false;
    uint8_t FAlphaBlendValue = 200;
    bool FadesIn() const;
    void StartFadeIn();
    bool FadeInTick(uintptr_t AId);
    bool FFormActive = false;
    platform::TWindowState FWindowState = platform::wsNormal;
    bool FRollUpState = false, MaxRollUpState = false, FRollUpBeforeMaximize = false;
    bool FStartShow = true;
    bool FSizeMove = false, FSizing = false;
    // Windows are dragged whole: the frame follows every step of a size.
    bool FFullDrag = false;
    // Between SKN_SMARTEFFECTSBEGIN and SKN_SMARTEFFECTSEND.
    bool FSmartEffectsShow = false;
    bool HMagnetized = false, VMagnetized = false, HMagnetized2 = false, VMagnetized2 = false;
    TPoint FOnMouseDownCoord{-1, -1};
    // Outer bounds saved over a skin change; -1 nothing saved, 0 the
    // form's own bounds, 1 bounds around a full layered border.
    TRect FOldFormBounds;
    int FOldFullBorder = -1;
    int FFormLeft = 0, FFormTop = 0;
    // The position at the layered border's last move with the form.
    int FOldFormLeft = 0, FOldFormTop = 0;

    bool FShowMDIScrollBars = true;
    TbsSkinScrollBar* FMDIHScrollBar = nullptr;
    TbsSkinScrollBar* FMDIVScrollBar = nullptr;
    int FOldHSrollBarPosition = 0, FOldVSrollBarPosition = 0;
    bool FStopCheckChildMove = false;
    platform::HWND ChangeVisibleChildHanle = nullptr;
    bool FMDIChildMaximized = false, FInMaximizeAll = false, FInRestoreAll = false;
    platform::HWND FClientSubclassed = nullptr;
    platform::TWndProc FPrevClientProc;
    TbsSkinMDITabsBar* FMDITabsBar = nullptr;
};

// The first skin form component among a form's components, or nil.
TbsSkinForm* FindSkinFormComponent(platform::TCustomForm* AForm);
// The skin form component of the first document of the application's main
// form, in document order, whose component is maximised; nil when there is
// none (documents without a component are passed over).
TbsSkinForm* FindMaximizedMDIChildSkinForm();
// The skin form component of the main form's active document, nil when
// there is none.
TbsSkinForm* FindActiveMDIChildSkinForm();

} // namespace skin
