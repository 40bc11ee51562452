#pragma once
// Skinned popup menus. A form's menu manager (TbsSkinMenu) owns the chain of
// open popup windows, one per menu level: it opens the chain, waits before a
// submenu opens, runs an item's command, closes windows and the chain, and
// tells the control that opened the chain, and the form, that the menu has
// closed. TbsSkinPopupMenu is a popup menu whose items open through the
// manager of its form. A TbsSkinPopupWindow is one open level: a top-level
// window that never takes the focus, sized from its items, placed beside a
// rectangle inside the work area, following the mouse by polling, answering
// the keys the form routes to it and scrolling when its items do not fit.
// Its TbsSkinMenuItem objects keep each item's state and paint themselves.

#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/core/bsSkinData.h"
#include "skin/form/bsSkinPopupControl.h"

#include "platform/controls/Controls.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"

#include <functional>
#include <memory>
#include <vector>

namespace skin {

using platform::TBitmap;
using platform::TCanvas;
using platform::TComponent;
using platform::TControl;
using platform::TCustomForm;
using platform::TMenuItem;
using platform::TNotifyEvent;
using platform::TPoint;
using platform::TRect;

class TbsSkinForm;
class TbsSkinMenu;
class TbsSkinPopupWindow;

// The window messages on which a form closes its open skin menu.
bool IsMenuCloseMessage(platform::UINT Msg);

// Draws on a window at once, outside its paint, through a DC of its own so
// that the drawing reaches the screen at the next presentation.
void DrawNow(platform::TWinControl* AControl, const std::function<void(TCanvas*)>& ADraw);

// Shows a plain popup menu (a control's context menu) as a skinned menu
// through the skin form of the form that owns it, or of the form of its
// popup component, or of the active form; nothing without one. The popup
// component, when it is a control, hears when the menu closes.
void PresentPopupMenu(platform::TPopupMenu* AMenu, int X, int Y);

// Sends a menu message to a control: to a windowed control's window, to a
// windowless one through Perform.
void SendMenuMessage(TControl* AControl, platform::UINT AMsg);

class TbsSkinMenuItem : public platform::TObject {
public:
    TbsSkinMenuItem(TbsSkinPopupWindow* AParent, TMenuItem* AMenuItem, TbsDataSkinMenuItem* AData);

    TbsSkinPopupWindow* Parent;
    TbsDataSkinMenuItem* MI;     // nil: the item is drawn without a skin
    TBitmap* ActivePicture = nullptr;
    TMenuItem* MenuItem;
    TRect ObjectRect;            // window client coordinates
    bool Active = false;         // hot: under the mouse or chosen by keyboard
    bool Down = false;           // its submenu is open
    bool FVisible = true;        // inside the visible part of a scrolling window
    bool WaitCommand = false;    // highlighted on opening, not yet touched by the mouse
    int CurrentFrame = 0;        // hover animation frame, 0 at rest

    double MorphKf() const { return FMorphKf; }
    void SetMorphKf(double AValue);

    bool IsSeparator() const { return MenuItem->IsLine(); }
    // A disabled item whose caption begins and ends with "-".
    bool IsHeader() const;
    bool Selectable() const { return MenuItem->Enabled && !IsSeparator(); }
    bool HasSubMenu() const { return MenuItem->Count() > 0; }
    int Height() const;

    void MouseEnter(bool Kb);
    void MouseLeave();
    void MouseDown(int X, int Y);
    bool EnableMorphing() const;
    bool EnableAnimation() const;
    virtual bool CanMorphing();
    void DoMorphing();
    void ReDraw();

    // Painting (three ways: built-in look, skin at its size, skin stretched).
    void Draw(TCanvas* Cnvs);
    void DefaultDraw(TCanvas* Cnvs);
    void ResizeDraw(TCanvas* Cnvs);

private:
    void PaintSkinned(TCanvas* Cnvs, bool AResize);
    void CreateItemImage(TBitmap* B, bool AActive, bool AAnimationFrame, bool AResize);
    void DrawItemContent(TBitmap* B, bool AActive, bool AResize);
    TRect GetAnimateFrameRect() const;
    void DrawHeaderItem(TCanvas* Canvas, const TRect& R, const std::string& Text, bool AResize);
    void DrawSkinSymbol(TCanvas* Canvas, const TRect& R, const TRect& ANormal, const TRect& AActive, bool AActiveState);
    void PrepareFont(TCanvas* Canvas, bool AUseSkinFont);
    double FMorphKf = 0;
};

class TbsSkinPopupWindow : public TbsSkinPopupControl {
public:
    TbsSkinPopupWindow(TComponent* AOwner, TbsSkinMenu* AParentMenu, TbsDataSkinPopupWindow* AData);
    ~TbsSkinPopupWindow() override;

    void Show(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp);
    void Show2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool PopupByItem, bool PopupUp);
    void Hide();
    void PaintMenu(platform::HDC DC);
    void PopupKeyDown(int CharCode);
    void CloseChildPopups();

    TbsDataSkinMenuItem* DSMI = nullptr;
    int VisibleCount = 0;
    int VisibleStartIndex = 0;
    bool Scroll = false;
    bool Scroll2 = false;
    int ScrollCode = 0;   // 0 still, 1 up, 2 down
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewItemsRect;
    int ShowX = 0, ShowY = 0;
    int OMX = -1, OMY = -1;
    platform::TCustomImageList* ImgL = nullptr;
    int GlyphWidth = 19;
    TBitmap* WindowPicture = nullptr;
    TBitmap* MaskPicture = nullptr;
    int OldActiveItem = -1;
    TbsSkinMenu* ParentMenu;
    TbsSkinData* SD = nullptr;
    TbsDataSkinPopupWindow* PW = nullptr;
    std::vector<std::unique_ptr<TbsSkinMenuItem>> ItemList;
    int ActiveItem = -1;
    std::unique_ptr<TBitmap> FPaintBuffer;

    int ItemCount() const { return int(ItemList.size()); }
    TbsSkinMenuItem* Item(int AIndex) const { return ItemList[size_t(AIndex)].get(); }
    int IndexOfItem(const TbsSkinMenuItem* AItem) const;
    // One poll of the mouse (the mouse timer's tick).
    void MouseTimerProc();
    void MorphTimerProc();
    // One step of the scroll timer.
    void ScrollTimerStep();
    void TrackMouse(int X, int Y);
    void NextItem();
    void PriorItem();
    void ScrollUp(bool Cycle);
    void ScrollDown(bool Cycle);
    bool CanScroll(int ACode) const;
    TRect TopScrollRect() const;
    TRect BottomScrollRect() const;
    // Draws one item on the window now.
    void DrawItemNow(TbsSkinMenuItem* AItem);
    platform::TTimer* MouseTimer() const { return FMouseTimer; }
    platform::TTimer* MorphTimer() const { return FMorphTimer; }

protected:
    void PopupWndProc(platform::TMessage& M) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void Paint() override;

private:
    void LoadItems(TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool AShow2);
    void AddItems(TMenuItem* AItem, int AFrom);
    void CalcSize(bool AShow2);
    int CalcWidth();
    int CalcHeight(bool AShow2);
    void LayoutItems();
    void SetSkinRegion();
    TPoint GetShowPosition(const TRect& R, bool PopupByItem, bool PopupUp);
    void ShowAt(const TRect& R, bool PopupByItem, bool PopupUp, const std::function<void()>& AFill);
    void CreateWindowImage(TBitmap* B, bool DrawClient);
    void DrawScrollArea(TCanvas* C, const TRect& R, bool ADown, bool AScrolling);
    void RepaintScrollAreas();
    void StartScroll();
    void StopScroll();
    int GetLastPageStartIndex() const;
    bool FindAccelItem(int CharCode);
    void CloseLastWindow();
    platform::TFont* MeasureFont();

    platform::TTimer* FMouseTimer = nullptr;
    platform::TTimer* FMorphTimer = nullptr;
    platform::HRGN FRgn = nullptr;
    bool FScrollTimer = false;
};

class TbsSkinMenu : public TComponent {
public:
    TbsSkinMenu(TComponent* AOwner, TCustomForm* AForm);
    ~TbsSkinMenu() override;

    bool UseSkinFont = true;
    bool UseSkinSize = true;
    bool First() const { return FFirst; }
    int DefaultMenuItemHeight = 20;
    platform::TFont* DefaultMenuItemFont() { return &FDefaultMenuItemFont; }
    void SetDefaultMenuItemFont(platform::TFont* AValue) { FDefaultMenuItemFont.Assign(AValue); }
    bool Visible() const { return FVisible; }
    TNotifyEvent OnMenuClose;
    bool AlphaBlend = false;
    uint8_t AlphaBlendValue = 150;
    bool AlphaBlendAnimation = false;
    int MaxMenuItemsInWindow = 0;

    TControl* PopupCtrl = nullptr;
    TControl* DCtrl = nullptr;
    TCustomForm* Form() const { return FForm; }
    TbsSkinMenuItem* WItem = nullptr;
    TRect WorkArea;
    TbsSkinData* SkinData = nullptr;

    void Popup(TControl* APopupCtrl, TbsSkinData* ASkinData, int StartIndex, const TRect& R, TMenuItem* AItem,
               bool PopupUp);
    void Popup2(TControl* APopupCtrl, TbsSkinData* ASkinData, int StartIndex, const TRect& R, TMenuItem* AItem,
                TMenuItem* AItem2, bool PopupUp);
    void Hide();
    void ProcessItem(TbsSkinPopupWindow* Window, TbsSkinMenuItem* Item, bool AClick, bool AKb);
    void ClosePopups(int FromIndex);
    int GetPopupIndex(const TbsSkinPopupWindow* Window) const;
    int PopupCount() const { return int(FPopupList.size()); }
    TbsSkinPopupWindow* PopupWindow(int AIndex) const { return FPopupList[size_t(AIndex)]; }
    TbsSkinPopupWindow* LastPopup() const { return FPopupList.empty() ? nullptr : FPopupList.back(); }
    platform::TTimer* WaitTimer() const { return FWaitTimer; }
    void WaitTimerProc();
    // A press outside the program's windows: the form closes its menus as on
    // its own close messages; without a form the chain just ends.
    void CancelMode();

protected:
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    void PopupSub(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp);
    void PopupSub2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool PopupByItem,
                   bool PopupUp);
    TbsSkinPopupWindow* AddWindow();
    bool BeginChain(TControl* APopupCtrl, TbsSkinData* ASkinData);
    TRect GetWorkArea() const;
    void StopWaiting();
    void SetPopupCtrl(TControl* AControl);

    bool FFirst = false;
    bool FVisible = false;
    platform::TFont FDefaultMenuItemFont;
    TCustomForm* FForm;
    platform::TTimer* FWaitTimer = nullptr;
    std::vector<TbsSkinPopupWindow*> FPopupList;
    TbsClosedPopups FClosed;
};

// A popup menu whose items open as skinned popup windows through the menu
// manager of its form.
class TbsSkinPopupMenu : public platform::TPopupMenu, public IbsSkinPopupMenu {
public:
    explicit TbsSkinPopupMenu(TComponent* AOwner);

    TbsSkinData* SkinData() const { return FSD; }
    void SetSkinData(TbsSkinData* AValue);
    TCustomForm* ComponentForm = nullptr;
    TComponent* SkinComponent = nullptr;
    TNotifyEvent OnMenuClose;
    TPoint PopupPoint() const { return FPopupPoint; }

    void Popup(int X, int Y) override;
    void PopupFromRect(const TRect& R, bool APopupUp);
    void PopupFromRect2(TControl* ACtrl, const TRect& R, bool APopupUp) override;
    void Popup2(TControl* ACtrl, int X, int Y);
    TComponent* MenuComponent() override { return this; }
    bool IsShortCut(uint16_t AKey, platform::TShiftState AShift) override
    {
        return platform::TPopupMenu::IsShortCut(AKey, AShift);
    }

protected:
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    void DoPopup(TControl* ACtrl, const TRect& R, bool APopupUp, bool ANeedSkinData);
    TbsSkinForm* FindSkinForm() const;
    TPoint FPopupPoint{-1, -1};
    TbsSkinData* FSD = nullptr;
};

} // namespace skin
