#pragma once
// The skin form component: takes over a form's window procedure, answers the
// non-client messages from the skin of a TbsSkinData (frame size, hit tests,
// window region, frame painting) and passes the model's change messages on
// to the form's skinned controls.

#include "skin/core/bsSkinData.h"

#include "platform/controls/Forms.h"
#include "platform/gfx/Graphics.h"

#include <functional>
#include <memory>

namespace skin {

using platform::TPoint;
using platform::TRect;

class TbsSkinMenu;
class TbsSkinMainMenuBar;

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
    // A non-empty skin is applied to the frame.
    bool SkinSupport() const { return FSkinSupport; }

    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
    bool AlwaysResize = false;
    bool MaximizeOnFullScreen = false;
    bool RollUpState = false;   // kept by the window-state handling
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

    // Seams for the frame objects: the caption test (default: the skin's
    // caption strip, or the unskinned caption rectangle), the layout of the
    // objects after the geometry, and their drawing into the frame strips
    // (ACanvas, the strip's top-left in frame coordinates).
    std::function<bool(const TPoint&)> OnPtInCaption;
    std::function<void()> OnCalcObjectRects;
    std::function<void(platform::TCanvas*, const TPoint&)> OnDrawFrameObjects;
    // Index of the frame object under the mouse, -1 for none.
    int ActiveObject = -1;

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

    // ---- skin changes
    void ChangeSkinData();

    // ---- menus: every skinned menu of the form opens through SkinMenu;
    // while one is open (InMenu) or the menu bar is in keyboard mode
    // (InMainMenu) the application's messages pass through AppMessage.
    TbsSkinMenu* SkinMenu() const { return FSkinMenu; }
    // The skin of the form's menus; nil: SkinData.
    TbsSkinData* MenusSkinData() const { return FMSD; }
    void SetMenusSkinData(TbsSkinData* AValue);
    TbsSkinMainMenuBar* MainMenuBar() const { return FMainMenuBar; }
    void SetMainMenuBar(TbsSkinMainMenuBar* AValue);
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
    bool AppHooked() const { return FInAppHook; }
    void AppMessage(platform::TMsg& Msg, bool& Handled);
    void MenuKeyDown(int Key);
    bool MenuBarAccel(int Key);
    bool MenuBarOpenSelected();
    bool IsFirstPopupLevel() const;
    bool IsLastPopupLeaf() const;
    // The first step of the window procedure: the messages that close menus.
    void CloseMenusOnMessage(platform::UINT AMsg);
    // The form's shortcut handler; OnShortCut runs first.
    platform::TShortCutEvent OnShortCut;
    void FormShortCut(platform::TMessage& Msg, bool& Handled);

protected:
    void Notification(platform::TComponent* AComponent, platform::TOperation AOperation) override;

private:
    void NewWndProc(platform::TMessage& M);
    bool FormAlive() const;
    bool HandleSkinMessage(platform::TMessage& M);
    void WMNCCalcSize(platform::TMessage& M);
    void WMNCHitTest(platform::TMessage& M);
    void WMSize(platform::TMessage& M);
    void WMGetMinMaxInfo(platform::TMessage& M);
    bool FramePainted() const;
    bool HasSkin() const { return FSD && !FSD->Empty(); }
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
    bool FInAppHook = false;
    bool FInShortCut = false;
    platform::TMessageEvent OldAppMessage;
    void CreateMenuManager();
    bool MenuMessage(platform::TMessage& M);
};

// The first skin form component among a form's components, or nil.
TbsSkinForm* FindSkinFormComponent(platform::TCustomForm* AForm);

} // namespace skin
