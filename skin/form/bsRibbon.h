#pragma once
// The ribbon: a skinned control at the top of a form with a row of tabs,
// each owning a page of controls shown under the row; the application
// button at the left end of the row, which opens the application menu over
// the form (or a plain skinned popup menu); small caption buttons at the
// right end, and the three buttons of a maximised MDI child. The
// application menu is a column of items beside the page of the selected
// page item. Both draw from their skin records ("officetab", "appmenu") or
// in system colours without a skin.

#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/form/bsRibbon_ScrollPage.h"
#include "skin/form/bsSkinPopupControl.h"
#include "skin/core/bsUtils_SkinImage.h"

#include "platform/controls/Forms.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"

#include <memory>
#include <string>
#include <vector>

namespace skin {

class TbsSkinForm;
class TbsRibbon;

// The items of a ribbon or menu collection, owned in their order.
template <class TItem>
class TbsItemList {
public:
    int Count() const { return int(FItems.size()); }
    // Raises EListError outside 0 .. Count - 1.
    TItem* Items(int AIndex) const
    {
        if (AIndex < 0 || AIndex >= Count())
            throw platform::EListError(platform::Format("List index out of bounds (%d)", AIndex));
        return FItems[size_t(AIndex)].get();
    }
    int IndexOf(const TItem* AItem) const
    {
        for (size_t i = 0; i < FItems.size(); ++i)
            if (FItems[i].get() == AItem)
                return int(i);
        return -1;
    }

protected:
    std::vector<std::unique_ptr<TItem>> FItems;
};
class TbsAppMenu;
class TbsAppMenuItem;

// ---------------------------------------------------------------- ribbon

class TbsRibbonPage : public TbsRibbonCustomPage {
public:
    explicit TbsRibbonPage(TComponent* AOwner);
    // Takes the ribbon's page area while it has a parent and a ribbon.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void CMTextChanged(TMessage& M) override;
    void PaintPageBackground(platform::HDC ADC) override;
};

class TbsRibbonTabs;

class TbsRibbonTab {
public:
    explicit TbsRibbonTab(TbsRibbonTabs* ATabs) : FTabs(ATabs) {}
    TbsRibbonPage* Page() const { return FPage; }
    // Stores the page; a page that has a ribbon selects the tab.
    void SetPage(TbsRibbonPage* AValue);
    bool Visible() const { return FVisible; }
    void SetVisible(bool AValue);
    int Index() const;
    void Assign(const TbsRibbonTab& ASource) { SetPage(ASource.FPage); }

    bool Active = false;   // the mouse is over the tab
    TRect ItemRect;
    int Width = 0;

private:
    friend class TbsRibbonTabs;
    friend class TbsRibbon;
    TbsRibbonTabs* FTabs;
    TbsRibbonPage* FPage = nullptr;
    bool FVisible = true;
};

class TbsRibbonTabs : public TbsItemList<TbsRibbonTab> {
public:
    explicit TbsRibbonTabs(TbsRibbon* ARibbon) : Ribbon(ARibbon) {}
    TbsRibbon* Ribbon;
    // A new tab gets a new page and is selected.
    TbsRibbonTab* Add();
    TbsRibbonTab* Insert(int AIndex);
    // Frees the tab's page first.
    void Delete(int AIndex);
    void Clear();
    void Assign(const TbsRibbonTabs& ASource);

private:
    void CreateTabPage(TbsRibbonTab* ATab);
};

class TbsRibbonButtonItems;

class TbsRibbonButtonItem {
public:
    explicit TbsRibbonButtonItem(TbsRibbonButtonItems* AItems) : FItems(AItems) {}
    virtual ~TbsRibbonButtonItem() = default;
    int ImageIndex() const { return FImageIndex; }
    virtual void SetImageIndex(int AValue);
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool AValue);
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool AValue);
    void Assign(const TbsRibbonButtonItem& ASource);

    std::string Hint;
    TNotifyEvent OnClick;
    IbsSkinPopupMenu* PopupMenu = nullptr;
    TRect ItemRect;
    bool Active = false;
    bool Down = false;
    int Code = 0;   // 0 caption button; 1 close, 2 restore, 3 minimise

protected:
    void Changed();

private:
    TbsRibbonButtonItems* FItems;
    int FImageIndex = -1;
    bool FEnabled = true;
    bool FVisible = true;
};

class TbsRibbonButtonItems : public TbsItemList<TbsRibbonButtonItem> {
public:
    explicit TbsRibbonButtonItems(TbsRibbon* ARibbon) : Ribbon(ARibbon) {}
    TbsRibbon* Ribbon;
    TbsRibbonButtonItem* Add();
    void Delete(int AIndex);
    void Clear();
    void Assign(const TbsRibbonButtonItems& ASource);
    // Repaints the ribbon.
    void Update();
};

class TbsAppButton : public TbsSkinMenuButton {
public:
    explicit TbsAppButton(TComponent* AOwner) : TbsSkinMenuButton(AOwner) {}
    TbsRibbon* Ribbon = nullptr;

    bool CanMenuTrack(int X, int Y) override;
    void TrackMenu() override;
    void WMGetDlgCode(TMessage& M) override { M.Result = platform::DLGC_WANTARROWS; }
    void WMKeyUp(TMessage& M) override;

    using TbsSkinButton::FDownState;

protected:
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, platform::TShiftState AShift) override;
};

class TbsRibbon : public TbsSkinControl {
public:
    explicit TbsRibbon(TComponent* AOwner);
    ~TbsRibbon() override;

    // ---- properties
    TbsRibbonTabs* Tabs() { return FTabs.get(); }
    void SetTabs(const TbsRibbonTabs& AValue);
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int Value);
    TbsRibbonPage* ActivePage() const;
    void SetActivePage(TbsRibbonPage* Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool AValue) { FUseSkinFont = AValue; }
    std::string AppButtonCaption() const;
    void SetAppButtonCaption(const std::string& AValue);
    int AppButtonMargin() const;
    void SetAppButtonMargin(int AValue);
    int AppButtonSpacing() const;
    void SetAppButtonSpacing(int AValue);
    int AppButtonWidth() const { return FAppButtonWidth; }
    void SetAppButtonWidth(int Value);
    TCustomImageList* AppButtonImageList() const { return FAppButtonImageList; }
    void SetAppButtonImageList(TCustomImageList* Value);
    int AppButtonImageIndex() const { return FAppButtonImageIndex; }
    void SetAppButtonImageIndex(int Value);
    IbsSkinPopupMenu* AppButtonPopupMenu() const { return FAppButtonPopupMenu; }
    void SetAppButtonPopupMenu(IbsSkinPopupMenu* Value);
    TbsRibbonButtonItems* Buttons() { return FButtons.get(); }
    void SetButtons(const TbsRibbonButtonItems& AValue);
    TbsRibbonButtonItems* MDIButtons() { return FMDIButtons.get(); }
    TCustomImageList* ButtonsImageList() const { return FButtonsImageList; }
    void SetButtonsImageList(TCustomImageList* Value);
    bool ButtonsShowHint = false;
    TbsSkinHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(TbsSkinHint* Value);
    TbsAppMenu* AppMenu() const { return FAppMenu; }
    void SetAppMenu(TbsAppMenu* Value);
    bool TabBoldStyle() const { return FTabBoldStyle; }
    void SetTabBoldStyle(bool Value);
    TbsAppButton* AppButton() const { return FAppButton; }
    bool ShowDivider() const { return FShowDivider; }
    int LeftOffset() const { return FLeftOffset; }
    int RightOffset() const { return FRightOffset; }

    TNotifyEvent OnChangePage;
    TNotifyEvent OnChangingPage;
    TNotifyEvent OnMenuClose;

    // The form's skin component, set by that component.
    TbsSkinForm* BSF = nullptr;

    // ---- operations
    void ShowAppMenu();
    void HideAppMenu(TbsAppMenuItem* Item);
    void MDIChildMaximize();
    void MDIChildRestore();
    void Loaded();
    void SetSkinData(TbsSkinData* Value) override;
    void GetSkinData() override;
    void ChangeSkinData() override;
    // The skin record, nil without one (valid until the next skin change).
    TbsDataSkinTabControl* FData = nullptr;
    TBitmap* FDataPicture = nullptr;

    // ---- layout
    int GetTabsHeight() const;
    // Left, top, width and height of the page area.
    void GetPageBounds(int& L, int& T, int& W, int& H) const;
    TRect PageRect() const;
    void CalcLayout(TCanvas* C);
    platform::TSize GetMDIButtonSize() const;
    int GetPageTabIndex(TbsRibbonPage* APage) const;
    bool HasVisibleTab() const;
    void SelectFirstTab();
    void SelectLastTab();
    void SelectNextTab();
    void SelectPriorTab(bool AFocusAppButton);
    void UpdateHotState(int X, int Y);
    // A tab was hidden or shown.
    void TabVisibleChanged(TbsRibbonTab* ATab, bool AVisible);
    // The page is going away: its tab forgets it.
    void PageDestroying(TbsRibbonPage* APage);

    // ---- drawing
    void PaintRibbon(TCanvas* C);
    void DrawEmptyPageArea(TCanvas* C, const TRect& PA);
    void DrawDefaultTab(TCanvas* C, int AIndex);
    void DrawSkinTab(TCanvas* C, int AIndex);
    void DrawButton(TCanvas* C, int AIndex);
    void DrawMDIButton(TCanvas* C, int AIndex);
    // Paints the skin's page background (or the plain face) into C over W x H.
    void PaintPageImage(TCanvas* C, int W, int H);

    void Dispatch(TMessage& M) override;
    void WMEraseBkgnd(TMessage& M) override;
    void WMSize(TMessage& M) override;
    void WMSetFocus(TMessage& M) override;
    void WMKillFocus(TMessage& M) override;
    void WMGetDlgCode(TMessage& M) override { M.Result = platform::DLGC_WANTARROWS; }
    void WMMouseWheel(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;

    int FTabActive = -1, FOldTabActive = -1;
    int FActiveButton = -1, FOldActiveButton = -1;
    int FMDIActiveButton = -1, FMDIOldActiveButton = -1;
    int FMouseCaptureButton = -1, FMouseCaptureMDIButton = -1;
    int FPopupButton = -1;
    bool FInAppHook = false;
    bool WMEraseReady = false;

protected:
    void Paint() override;
    void CreateParams(platform::TCreateParams& P) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseMove(platform::TShiftState AShift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, platform::TShiftState AShift) override;

private:
    friend class TbsRibbonTabs;
    // Selects the first visible tab from AFrom on in direction AStep; false when none.
    bool SelectVisibleTab(int AFrom, int AStep);
    void CreateAppButton();
    void CreateMDIButtons();
    void CloseMDIChild(TObject* Sender);
    void RestoreMDIChild(TObject* Sender);
    void MinimizeMDIChild(TObject* Sender);
    void PopupButtonMenu(int AIndex);
    void HookApplication();
    void UnhookApplication();
    void AppMessageHandler(platform::TMsg& Msg, bool& Handled);
    void PlaceAppMenu();
    int HitButton(TbsRibbonButtonItems* AItems, int X, int Y, bool AOnlyUsable) const;
    void PaintDefault(TCanvas* C);
    void PaintSkinned(TCanvas* C);
    void DrawTabCaption(TCanvas* C, const std::string& S, const TRect& R, int AWidth);
    void DrawSkinTabImage(TCanvas* C, int AIndex, const TRect& APiece, TColor AColor, bool ABold, int ATextBottom);

    std::unique_ptr<TbsRibbonTabs> FTabs;
    std::unique_ptr<TbsRibbonButtonItems> FButtons;
    std::unique_ptr<TbsRibbonButtonItems> FMDIButtons;
    int FTabIndex = -1;
    bool FUseSkinFont = true;
    bool FShowDivider = false;
    bool FTabBoldStyle = false;
    bool FStopCheckTabIndex = false;
    int FLeftOffset = 57;
    int FRightOffset = 5;
    int FAppButtonWidth = 54;
    TbsAppButton* FAppButton = nullptr;
    TCustomImageList* FAppButtonImageList = nullptr;
    int FAppButtonImageIndex = 0;
    IbsSkinPopupMenu* FAppButtonPopupMenu = nullptr;
    TComponent* FAppButtonPopupMenuComponent = nullptr;
    TCustomImageList* FButtonsImageList = nullptr;
    TbsSkinHint* FSkinHint = nullptr;
    TbsAppMenu* FAppMenu = nullptr;
    TbsAppMessageHook FAppHook;
};

// ---------------------------------------------------------------- application menu

class TbsAppMenuPage : public TbsAppMenuCustomPage {
public:
    explicit TbsAppMenuPage(TComponent* AOwner);
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int AValue);
    platform::TWinControl* FirstActiveControl() const { return FFirstActiveControl; }
    void SetFirstActiveControl(platform::TWinControl* AValue);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void WMSize(TMessage& M) override;
    void PaintPageBackground(platform::HDC ADC) override;

protected:
    void CreateParams(platform::TCreateParams& P) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    int FDefaultWidth = 0;
    platform::TWinControl* FFirstActiveControl = nullptr;
};

class TbsAppMenuItems;

class TbsAppMenuItem {
public:
    TbsAppMenuItem(TbsAppMenuItems* AItems, int AIndex);
    TbsAppMenuPage* Page() const { return FPage; }
    void SetPage(TbsAppMenuPage* AValue);
    bool Visible() const { return FVisible; }
    void SetVisible(bool AValue);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool AValue);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int AValue);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& AValue);
    void Assign(const TbsAppMenuItem& ASource);
    int Index() const;

    TNotifyEvent OnClick;
    bool Active = false;
    TRect ItemRect;

private:
    void Changed();
    friend class TbsAppMenuItems;
    friend class TbsAppMenu;
    TbsAppMenuItems* FItems;
    TbsAppMenuPage* FPage = nullptr;
    bool FVisible = true;
    bool FEnabled = true;
    int FImageIndex = -1;
    std::string FCaption;
};

class TbsAppMenuItems : public TbsItemList<TbsAppMenuItem> {
public:
    explicit TbsAppMenuItems(TbsAppMenu* AMenu) : AppMenu(AMenu) {}
    TbsAppMenu* AppMenu;
    TbsAppMenuItem* Add();
    void Delete(int AIndex);
    void Clear();
    void Assign(const TbsAppMenuItems& ASource);
    void Update();
};

class TbsAppMenu : public TbsSkinControl {
public:
    explicit TbsAppMenu(TComponent* AOwner);
    ~TbsAppMenu() override;

    // ---- properties
    bool UseSkinFont = true;
    int ItemWidth() const { return FItemWidth; }
    void SetItemWidth(int AValue);
    TbsAppMenuItems* Items() { return FItems.get(); }
    void SetItems(const TbsAppMenuItems& AValue);
    TbsAppMenuPage* ActivePage() const { return FActivePage; }
    void SetActivePage(TbsAppMenuPage* Value);
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    TbsSkinHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(TbsSkinHint* Value);
    TCustomImageList* ItemImageList() const { return FItemImageList; }
    void SetItemImageList(TCustomImageList* Value);
    TCustomImageList* ItemPageImageList() const { return FItemPageImageList; }
    void SetItemPageImageList(TCustomImageList* Value);
    TbsSkinScrollBar* ScrollBar() const { return FScrollBar; }
    int ScrollOffset() const { return FScrollOffset; }
    TRect BackButtonRect() const { return FBackButtonRect; }

    TNotifyEvent OnChangePage, OnShowMenu, OnShowingMenu, OnHideMenu, OnHidingMenu;
    TbsRibbon* Ribbon = nullptr;

    // ---- operations
    void FindNextItem();
    void FindPriorItem();
    void FindFirstItem();
    void FindLastItem();
    void UpdateScrollInfo();
    TbsAppMenuPage* CreatePage();
    bool CanDrawAppMenuCaption();
    void DrawAppMenuCaption(TCanvas* Cnvs, const TRect& R);
    int GetAppMenuCaptionOffset();
    bool CanShowGripper() const;
    void Loaded();
    void GetSkinData() override;
    void GetPageBounds(int& L, int& T, int& W, int& H);
    TRect GetActivePageRect() const;
    void CalcLayout();
    // Content height, for the scroll range.
    int GetScrollRange();
    void ScrollToItem(int AIndex);
    void UpdateHotState(int X, int Y);
    void PageDestroying(TbsAppMenuPage* APage);

    // ---- drawing
    void PaintMenu(TCanvas* C);
    void DrawSkinItem(TCanvas* C, int AIndex);
    void DrawDefaultItem(TCanvas* C, int AIndex);

    void Dispatch(TMessage& M) override;
    void WMSize(TMessage& M) override;
    void WMSetFocus(TMessage& M) override;
    void WMKillFocus(TMessage& M) override;
    void WMNCHitTest(TMessage& M) override;
    void WMGetDlgCode(TMessage& M) override { M.Result = platform::DLGC_WANTARROWS | platform::DLGC_WANTTAB; }
    void WMMouseWheel(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;

    TbsDataSkinAppMenu* FData = nullptr;
    TBitmap* FDataPicture = nullptr;
    TBitmap* FDataBGPicture = nullptr;
    TBitmap* FDataPageBGPicture = nullptr;
    bool FBackButtonActive = false;
    int FItemActive = -1, FOldItemActive = -1;

protected:
    void Paint() override { PaintMenu(Canvas()); }
    void CreateParams(platform::TCreateParams& P) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseMove(platform::TShiftState AShift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, platform::TShiftState AShift) override;

private:
    // Selects the first visible, enabled item from AFrom on in direction AStep.
    void SelectUsable(int AFrom, int AStep);
    void CreateScrollBar();
    void FreeScrollBar();
    void PlaceScrollBar();
    void ScrollBarChange(TObject* Sender);
    void ApplyScrollRange();
    // Item heights of the record or the built-in look, and whether both kinds look alike.
    void ItemHeights(int& IH, int& PH, bool& ASame) const;
    int ColumnStart();
    int WalkColumn(int AOffset, bool APlace);
    void DrawItemText(TCanvas* C, int AIndex, TRect R, bool ASame, int ASpacing);

    std::unique_ptr<TbsAppMenuItems> FItems;
    int FScrollOffset = 0;
    TbsSkinScrollBar* FScrollBar = nullptr;
    int FOldHeight = -1;
    TRect FBackButtonRect;
    int FItemIndex = -1;
    TbsSkinHint* FSkinHint = nullptr;
    TbsAppMenuPage* FActivePage = nullptr;
    int FItemWidth = 100;
    TCustomImageList* FItemImageList = nullptr;
    TCustomImageList* FItemPageImageList = nullptr;
};

// The client part of a skin record's picture (ClRect offset by SkinRect's
// top-left) copied into ADst.
void CopyClientPart(TBitmap* ADst, TBitmap* APicture, const TRect& ASkinRect, const TRect& AClRect);

// The four border strips of a record's frame round the inner rectangle
// AInner (the record's client part fits it), and the frame's rectangle.
struct TbsFrameStrips {
    TBitmap Left, Top, Right, Bottom;
    TRect R;

    template <class TRecord>
    TbsFrameStrips(const TRecord& d, TBitmap* APicture, const TRect& AInner)
        : R(Rect(AInner.Left - d.ClRect.Left, AInner.Top - d.ClRect.Top, AInner.Right + d.SkinRect.Width() - d.ClRect.Right,
                 AInner.Bottom + d.SkinRect.Height() - d.ClRect.Bottom))
    {
        const int dw = R.Width() - d.SkinRect.Width(), dh = R.Height() - d.SkinRect.Height();
        CreateSkinBorderImages(d.LTPoint, d.RTPoint, d.LBPoint, d.RBPoint, d.ClRect, d.LTPoint,
                               Point(d.RTPoint.X + dw, d.RTPoint.Y), Point(d.LBPoint.X, d.LBPoint.Y + dh),
                               Point(d.RBPoint.X + dw, d.RBPoint.Y + dh),
                               Rect(d.ClRect.Left, d.ClRect.Top, d.ClRect.Right + dw, d.ClRect.Bottom + dh), &Left, &Top,
                               &Right, &Bottom, APicture, d.SkinRect, R.Width(), R.Height(), d.LeftStretch, d.TopStretch,
                               d.RightStretch, d.BottomStretch);
    }
    // The left, right and bottom strips drawn onto C.
    void DrawSidesAndBottom(TCanvas* C)
    {
        C->Draw(R.Left, R.Top + Top.Height(), &Left);
        C->Draw(R.Left + R.Width() - Right.Width(), R.Top + Top.Height(), &Right);
        C->Draw(R.Left, R.Top + R.Height() - Bottom.Height(), &Bottom);
    }
};

// B becomes W x H filled with clBtnFace, its font C's in clBtnText over a
// clear brush: the built-in look of a selected tab or item.
void PrepareFaceBitmap(TBitmap& B, int W, int H, TCanvas* C);

// The piece APiece of APicture drawn at (X, Y) of C, pixels of AKey left
// out when ATransparent.
void DrawPicturePiece(TCanvas* C, int X, int Y, TBitmap* APicture, const TRect& APiece, bool ATransparent, TColor AKey);

// Format(APattern, [n]) for n = 1, 2, ... until AForm owns no component of that name.
std::string MakeUniqueName(TComponent* AForm, const std::string& APattern);

} // namespace skin
