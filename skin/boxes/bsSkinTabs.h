#pragma once
// The skinned page control and its sheets: frame, tabs and tab strip drawn
// from a "tab" record (or a built-in look), page and tab rectangles that
// respect the skin's borders, a skinned spin control to scroll tabs that do
// not fit, the tab under the mouse, close buttons on tabs, hidden tabs and
// border, centred or offset tabs and page changes by the mouse wheel. It
// lives beside the skinned spin buttons it stands on.

#include "skin/boxes/bsSkinBoxCtrls_UpDown.h"
#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/controls/ComCtrls.h"

#include <memory>
#include <string>

namespace skin {

using platform::TTabPosition;

class TbsSkinPageControl;

class TbsSkinCustomTabSheet : public platform::TTabSheet {
public:
    explicit TbsSkinCustomTabSheet(TComponent* AOwner);
    ~TbsSkinCustomTabSheet() override;
    TBitmap* WallPaper() { return &FWallPaper; }
    void SetWallPaper(TBitmap* Value);
    TRect ButtonRect;   // the close button inside the tab, in tab coordinates
    bool ButtonMouseIn = false;
    bool ButtonMouseDown = false;

    void Dispatch(TMessage& M) override;
    void WMSize(TMessage& M) override;

protected:
    void Paint() override;
    void PaintBG(TCanvas* ACanvas);

private:
    TBitmap FWallPaper;
};

class TbsSkinTabSheet : public TbsSkinCustomTabSheet {
public:
    explicit TbsSkinTabSheet(TComponent* AOwner) : TbsSkinCustomTabSheet(AOwner) {}
};

using TbsDrawSkinTabEvent = std::function<void(int TabIndex, TRect Rct, bool Active, bool MouseIn, TCanvas* Cnvs)>;
using TbsCloseEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TbsSkinPageControl : public platform::TPageControl, public IbsSkinnedControl {
public:
    explicit TbsSkinPageControl(TComponent* AOwner);
    ~TbsSkinPageControl() override;

    TbsSkinData* SkinData() const override { return FSD; }
    void SetSkinData(TbsSkinData* Value);
    std::string SkinDataName = "tab";
    std::string ButtonTabSkinDataName = "resizetoolbutton";
    bool MouseWheelSupport = false;
    bool FreeOnClose = false;
    bool UseSkinFont = true;
    TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(TFont* Value) { FDefaultFont.Assign(Value); }
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int Value);
    bool TabExtededDraw() const { return FTabExtendedDraw; }
    void SetTabExtededDraw(bool Value);
    int TabMargin() const { return FTabMargin; }
    void SetTabMargin(int Value);
    int TabSpacing() const { return FTabSpacing; }
    void SetTabSpacing(int Value);
    TbsButtonLayout TabLayout() const { return FTabLayout; }
    void SetTabLayout(TbsButtonLayout Value);
    bool TextInHorizontal() const { return FTextInHorizontal; }
    void SetTextInHorizontal(bool Value);
    bool TabsInCenter() const { return FTabsInCenter; }
    void SetTabsInCenter(bool Value);
    int TabsOffset() const { return FTabsOffset; }
    void SetTabsOffset(int Value);
    bool TabsBGTransparent() const { return FTabsBGTransparent; }
    void SetTabsBGTransparent(bool Value);
    bool ShowCloseButtons() const { return FShowCloseButtons; }
    void SetShowCloseButtons(bool Value);
    TCustomImageList* TabImages() const { return FTabImages; }
    void SetTabImages(TCustomImageList* Value);

    TbsCloseEvent OnClose;
    TNotifyEvent OnAfterClose;
    TbsDrawSkinTabEvent OnDrawSkinTab;

    void HideTabs();
    void ShowTabs();
    void HideBorderAndTabs();
    void ShowBorderAndTabs();
    void UpDateTabs();
    void ChangeSkinData() override;
    void CloseActivePage();

    // A tab's rectangle through the window procedure (so with the corrections made here).
    TRect GetTabRect(int AIndex) { return TCustomTabControl::TabRect(AIndex); }
    int SkinIndex() const { return FIndex; }
    TbsSkinUpDown* SkinUpDown() const { return FSkinUpDown; }
    int CloseSize() const { return FCloseSize; }
    int TempImagesWidth() const;
    int ActiveTabIndex() const { return FActiveTabIndex; }
    bool TabsHidden() const { return FHideTabs; }

    void WndProc(TMessage& M) override;
    void Dispatch(TMessage& M) override;
    void WMMouseWheel(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;

    // The skin copies, as the painters read them (GetSkinData fills them).
    void GetSkinData();
    TbsPicture* Picture = nullptr;
    TRect SkinRect, ClRect, TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect, TabsBGRect;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    int TabLeftOffset = 0, TabRightOffset = 0;
    std::string FontName = "Tahoma";
    TFontStyles FontStyle;
    int FontHeight = 13;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
    std::string UpDown;
    int BGPictureIndex = -1;
    bool TabStretchEffect = false, ShowFocus = false;
    int FocusOffsetX = 0, FocusOffsetY = 0;
    bool StretchEffect = false, LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    TbsStretchType StretchType = bsstFull;
    TRect CloseButtonRect, ClosebuttonActiveRect, CloseButtonDownRect;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = platform::clFuchsia;
    TRect TabLeftBottomActiveRect, TabLeftBottomFocusRect;

protected:
    void Paint() override;
    void Change() override;
    void UpdateScroller() override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseMove(platform::TShiftState AShift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    friend class TbsSkinCustomTabSheet;
    bool Skinned() const { return FIndex != -1; }
    int GetCloseSize();
    void SetTempWidth(int ADelta);
    int GetTabsLeftOffset();
    int GetHiddenTabCount();
    int GetScrolledOffTabs();
    void UpdateUpDown();
    void UpdateUpDownPosition();
    void UpDownChange(TObject* Sender);
    void TestActive(int X, int Y);
    TRect CloseButtonAt(int ATab);
    // The sheet whose close button a left press or release is about (the
    // hover brought up to date first); AIn: the point is on the button.
    TbsSkinCustomTabSheet* CloseButtonSheet(platform::TMouseButtonKind AButton, int X, int Y, bool& AIn);
    TbsSkinCustomTabSheet* SheetOfTab(int ATab);
    void RepaintTabs();

    // Painting (bsSkinTabs_Paint.cpp).
    void PaintDefaultFrame(TCanvas* C);
    void PaintSkinFrame(TCanvas* C);
    TRect GetActiveTabArea();
    void DrawTabs(TCanvas* C);
    void DrawTab(int APage, TRect R, TCanvas* C, bool AMouseIn, bool ASelected);
    void DrawButtonTab(TBitmap* B, bool APressed, bool AActive);
    void DrawCloseButton(TCanvas* C, TRect CR, int W, int H, int APage);
    void DrawTabImageAndText(TCanvas* C, int W, int H, int AShift, bool AEnabled, int AImageIndex, const std::string& ACaption);
    TRect FrameRect();

    TbsSkinData* FSD = nullptr;
    int FIndex = -1;
    TFont FDefaultFont;
    int FDefaultItemHeight = 20;
    bool FTabExtendedDraw = false;
    int FTabMargin = -1;
    int FTabSpacing = 1;
    TbsButtonLayout FTabLayout = blGlyphLeft;
    bool FTextInHorizontal = false;
    bool FHideTabs = false;
    bool FHideBorder = false;
    TTabPosition FOldTabPosition = platform::tpTop;
    bool FOldMultiLine = false;
    int FOldTabHeight = -1;
    int FCloseSize = 14;
    bool FShowCloseButtons = false;
    bool FTabsBGTransparent = false;
    int FActiveTab = -1, FOldActiveTab = -1, FActiveTabIndex = -1, FOldActiveTabIndex = -1;
    TCustomImageList* FTabImages = nullptr;
    // The private list handed to the platform tabs: its width is the room each tab keeps for an image and a close button.
    platform::TImageList* FTempImages = nullptr;
    bool FTabsInCenter = false;
    int FTabsOffset = 0;
    TbsSkinUpDown* FSkinUpDown = nullptr;
};

// Turning and flipping a bitmap in place (through a 24-bit copy: transparency is not kept).
void RotateBitmapCCW(TBitmap* B);
void RotateBitmapCW(TBitmap* B);
void FlipBitmapVert(TBitmap* B);

} // namespace skin
