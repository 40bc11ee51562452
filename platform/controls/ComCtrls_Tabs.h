#pragma once
// Tabs: the tab control (a row of tabs over a framed page area), the page
// control whose tabs are its sheets, and the small up-down control that
// scrolls a row of tabs that does not fit.

#include "platform/controls/Controls.h"
#include "platform/controls/ImgList.h"

#include <string>
#include <vector>

namespace platform {

// The tab control's messages, for code written against its window.
constexpr UINT TCM_FIRST = 0x1300;
constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;   // wParam: tab; lParam: TRect*
constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;    // wParam: false = page from window; lParam: TRect*
constexpr UINT TCM_SETITEMSIZE = TCM_FIRST + 41;   // lParam: width low word, height high word

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

// Two arrow buttons that step a position; each step tells the parent window
// WM_HSCROLL with SB_THUMBPOSITION and the new position (window class
// "msctls_updown32").
class TUpDown : public TCustomControl {
public:
    explicit TUpDown(TComponent* AOwner);
    int Min = 0;
    int Max = 100;
    int Position() const { return FPosition; }
    void SetPosition(int AValue);
    TNotifyEvent OnChangingPosition;

protected:
    void CreateParams(TCreateParams& AParams) override;
    void Paint() override;
    void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;

private:
    int FPosition = 0;
    int FPressed = -1;   // 0: the lowering button, 1: the raising one
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
using TDrawTabEvent = std::function<void(class TCustomTabControl* Control, int TabIndex, const TRect& Rect, bool Active)>;
using TTabGetImageEvent = std::function<void(TObject* Sender, int TabIndex, int& ImageIndex)>;

class TCustomTabControl : public TCustomControl {
public:
    explicit TCustomTabControl(TComponent* AOwner);

    // The captions of the tabs (a page control shows its visible sheets instead).
    TStringList* Tabs() { return &FTabs; }
    int TabIndex() const { return FTabIndex; }
    // Set in code: no change events.
    void SetTabIndex(int AValue);
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition AValue);
    TTabStyle Style() const { return FStyle; }
    void SetStyle(TTabStyle AValue);
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int AValue);
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int AValue);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool AValue);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* AValue);
    bool HotTrack = false;
    bool OwnerDraw = false;
    bool RaggedRight = false;
    bool ScrollOpposite = false;

    // Answers of the window's messages, through the window procedure (so a
    // descendant that corrects them is heard).
    TRect TabRect(int AIndex);
    TRect DisplayRect();
    void SetTabSize(int AWidth, int AHeight);
    int IndexOfTabAt(int X, int Y);
    int FirstTab() const { return FFirstTab; }
    TUpDown* Scroller() const { return FScroller; }

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TDrawTabEvent OnDrawTab;
    TTabGetImageEvent OnGetImageIndex;

    void Dispatch(TMessage& M) override;
    void WMGetDlgCode(TMessage& M) override { M.Result = DLGC_WANTARROWS; }
    void AdjustClientRect(TRect& ARect) override;

    // Tabs shown now, and their captions and images.
    virtual int TabCount();
    virtual std::string TabCaption(int AIndex);
    virtual int TabImageIndex(int AIndex);

protected:
    void CreateParams(TCreateParams& AParams) override;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, TShiftState AShift) override;
    void Notification(TComponent* AComponent, TOperation AOperation) override;

    virtual bool CanChange();
    virtual void Change();
    // A tab chosen by the user: CanChange, then the index, then Change.
    void SelectTabByUser(int AIndex);
    // The index changed (in code or by the user): a page control shows the page.
    virtual void TabIndexChanged() {}
    virtual void DrawTab(int AIndex, const TRect& ARect, bool AActive);
    void TabsChanged();

    TRect PlatformTabRect(int AIndex);
    TRect PlatformDisplayRect(const TRect& AClient);
    int TabExtent(int AIndex);   // the tab's length along the row
    int RowThickness();
    virtual void UpdateScroller();

    TStringList FTabs;
    int FTabIndex = -1;
    TTabPosition FTabPosition = tpTop;
    TTabStyle FStyle = tsTabs;
    int FTabHeight = 0;   // the properties
    int FTabWidth = 0;
    int FItemHeight = 0;  // the size the tabs have (0: from the caption and font)
    int FItemWidth = 0;
    bool FMultiLine = false;
    TCustomImageList* FImages = nullptr;
    int FFirstTab = 0;
    TUpDown* FScroller = nullptr;
};

class TTabControl : public TCustomTabControl {
public:
    explicit TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}
};

class TPageControl;

class TTabSheet : public TCustomControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* AValue);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool AValue);
    int PageIndex() const;
    void SetPageIndex(int AValue);
    // Its place among the tabs shown; -1 when its tab is hidden.
    int TabIndex() const;
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int AValue);

    void CMTextChanged(TMessage& M) override;

protected:
    void Paint() override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = -1;
};

class TPageControl : public TCustomTabControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    int PageCount() const { return int(FPages.size()); }
    // Raises EListError outside 0 .. PageCount - 1.
    TTabSheet* Pages(int AIndex) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* AValue);
    int ActivePageIndex() const;
    void SetActivePageIndex(int AValue);
    // The page after (or before) ACurrent, wrapping round; with ACheckTabVisible only pages that show a tab.
    TTabSheet* FindNextPage(TTabSheet* ACurrent, bool AGoForward, bool ACheckTabVisible);
    // Moves to the next page that shows a tab, asking OnChanging and telling OnChange.
    void SelectNextPage(bool AGoForward, bool ACheckTabVisible = true);

    int TabCount() override;
    std::string TabCaption(int AIndex) override;
    int TabImageIndex(int AIndex) override;
    TTabSheet* PageOfTab(int ATab);

protected:
    void TabIndexChanged() override;
    void Change() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* APage);
    void RemovePage(TTabSheet* APage);
    void PagesChanged();
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};

} // namespace platform
