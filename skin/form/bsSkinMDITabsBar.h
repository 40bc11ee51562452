#pragma once
// The tabs bar of a multiple-document main form: one tab per document, kept
// by the main form's skin component (tabs come and go as documents show and
// hide). Clicking a tab activates its document, tabs can be dragged to a new
// order, optional close buttons close documents, a list button at the left
// offers every document and, when the tabs do not fit at their minimum
// width, a button at the right offers the hidden ones.

#include "skin/controls/bsSkinCtrls_Base.h"

#include "platform/controls/Forms.h"

#include <functional>
#include <memory>
#include <vector>

namespace skin {

class TbsSkinForm;
class TbsSkinMDITabsBar;
class TbsSkinMenuSpeedButton;
class TbsSkinPopupMenu;

enum TbsSkinMDITabKind { bstkTab, bstkButton };

class TbsMDITab {
public:
    TbsMDITab(TbsSkinMDITabsBar* AParentBar, platform::TCustomForm* AChild) : TabsBar(AParentBar), Child(AChild) {}

    TbsSkinMDITabsBar* TabsBar;
    bool Active = false;
    bool MouseIn = false;
    TRect ObjectRect;
    platform::TCustomForm* Child;
    bool Visible = false;
    TRect ButtonRect;   // in the tab's own image
    bool ButtonMouseIn = false;
    bool ButtonMouseDown = false;

    void Draw(TCanvas* Cnvs);
    void ResizeDraw(TCanvas* Cnvs);
    void ButtonDraw(TCanvas* Cnvs);
    void DrawCloseButton(TCanvas* Cnvs, TRect R);
    void DrawChildIcon(TRect& R, TCanvas* Cnvs);

private:
    // Font, icon, close button and caption over a tab image B.
    void DrawContent(TBitmap* B, TRect R, bool ACloseAtTextEdge);
};

using TbsMDITabEvent = std::function<void(TbsMDITab* MDITab)>;
using TbsMDITabMouseEvent = std::function<void(platform::TMouseButtonKind Button, platform::TShiftState Shift, TbsMDITab* MDITab)>;
using TbsMDITabGetDrawParamsEvent = std::function<void(TbsMDITab* MDITab, TCanvas* Cnvs)>;

class TbsSkinMDITabsBar : public TbsSkinControl {
public:
    explicit TbsSkinMDITabsBar(TComponent* AOwner);
    ~TbsSkinMDITabsBar() override;

    bool ShowAddButton() const { return FShowAddButton; }
    void SetShowAddButton(bool AValue);
    bool ShowChildIcon() const { return FShowChildIcon; }
    void SetShowChildIcon(bool AValue);
    bool ShowCloseButtons = false;
    bool DblClickChildMove = false;
    bool SupportChildMenus = true;
    bool MoveTabs = true;
    bool UseSkinSize = true;
    bool UseSkinFont = true;
    int MinTabWidth = 0;
    int DefaultTabWidth = 100;
    TbsSkinMDITabKind TabKind() const { return FTabKind; }
    void SetTabKind(TbsSkinMDITabKind AValue);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int AValue);
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* AValue) { FDefaultFont.Assign(AValue); }
    TbsSkinForm* SkinForm() const { return BSF; }
    void SetSkinForm(TbsSkinForm* AValue);

    TNotifyEvent OnAddButtonClick;
    TbsMDITabEvent OnTabMouseEnter, OnTabMouseLeave;
    TbsMDITabMouseEvent OnTabMouseUp, OnTabMouseDown;
    TbsMDITabGetDrawParamsEvent OnTabGetDrawParamsEvent;

    void AddTab(platform::TCustomForm* Child);
    void DeleteTab(platform::TCustomForm* Child);
    void UpdateActiveTab();
    // Redraws the tabs of Child in place (its caption changed).
    void RefreshTab(platform::TCustomForm* Child);
    int GetTabIndex(int X, int Y) const;
    TbsMDITab* GetTab(int X, int Y) const;
    int GetCloseSize() const;
    void CloseChild(TbsMDITab* Tab);
    int TabCount() const { return int(ObjectList.size()); }
    TbsMDITab* Tabs(int AIndex) const { return ObjectList[size_t(AIndex)].get(); }
    int InVisibleCount() const { return FInVisibleCount; }
    TRect AddButtonRect() const { return FAddButtonRect; }
    TbsSkinMenuSpeedButton* ListButton() const { return FListButton; }
    TbsSkinMenuSpeedButton* HideListButton() const { return FHideListButton; }
    TbsSkinPopupMenu* ListMenu() const { return FListMenu; }
    TbsSkinPopupMenu* HideListMenu() const { return FHideListMenu; }
    void FillListMenu();
    void FillHideListMenu();

    void CalcTabRects();
    int GetDropIndex() const;
    void TestActive(int X, int Y);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void Dispatch(TMessage& M) override;

    // The skin of the tabs (the "tab" record), valid after GetSkinData.
    TBitmap* Picture = nullptr;
    TRect TabRect, ActiveTabRect, MouseInTabRect, TabsBGRect;
    int TabLeftOffset = 0, TabRightOffset = 0;
    std::string FontName;
    platform::TFontStyles FontStyle;
    int FontHeight = 0;
    platform::TColor FontColor = 0, ActiveFontColor = 0, MouseInFontColor = 0;
    bool TabStretchEffect = false;
    TRect CloseButtonRect, ClosebuttonActiveRect, CloseButtonDownRect;
    bool ButtonTransparent = false;
    platform::TColor ButtonTransparentColor = 0;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect SkinRect, ClRect;
    bool TopStretch = false;
    int FCloseSize = 14;
    int FBottomOffset = 0;
    int FActiveTabOffset = 0;
    bool IsSkinned() const { return Skinned(); }
    // The tabs' font (the skin's or DefaultFont) on C.
    TFont* PrepareTabFont(TCanvas* C);

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void Paint() override;
    void AdjustClientRect(TRect& ARect) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void MouseDown(platform::TMouseButtonKind Button, platform::TShiftState Shift, int X, int Y) override;
    void MouseMove(platform::TShiftState Shift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind Button, platform::TShiftState Shift, int X, int Y) override;

private:
    void DrawTabs(TBitmap* B);
    void DrawAddButton(TCanvas* C);
    void DrawDropMarker(TCanvas* C);
    void RedrawTab(TbsMDITab* Tab);
    TbsSkinMenuSpeedButton* MakeListButton(platform::TAlign AAlign, TbsSkinPopupMenu* AMenu, int AArrow,
                                           std::function<void()> AFill);
    void FillMenu(TbsSkinPopupMenu* AMenu, const std::string& AMarker, bool AHiddenOnly);
    void CreateListButton();
    void CreateHideListButton();
    void RemoveListButton(TbsSkinMenuSpeedButton*& AButton);
    void ListItemClick(TObject* Sender, const std::string& AMarker);

    bool FShowAddButton = false;
    bool FAddButtonActive = false;
    bool FAddButtonDown = false;
    bool FShowChildIcon = false;
    TbsSkinMDITabKind FTabKind = bstkTab;
    int FDefaultHeight = 21;
    TFont FDefaultFont;
    TbsSkinForm* BSF = nullptr;
    bool IsDrag = false;
    int DX = 0, TabDX = 0;
    bool FDown = false;
    int DragIndex = -1;
    int ActiveTabIndex = -1, OldTabIndex = -1;
    int FInVisibleCount = 0;
    int FDragLimit = 0;
    TRect FAddButtonRect;
    TbsSkinMenuSpeedButton* FListButton = nullptr;
    TbsSkinMenuSpeedButton* FHideListButton = nullptr;
    TbsSkinPopupMenu* FListMenu = nullptr;
    TbsSkinPopupMenu* FHideListMenu = nullptr;
    std::vector<std::unique_ptr<TbsMDITab>> ObjectList;
};

} // namespace skin
