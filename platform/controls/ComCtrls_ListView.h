#pragma once
// The list view: items with a caption, sub-items, an image and data, shown
// as large icons, small icons, a list or a report with a column header;
// single or multiple selection, label editing in place, type-ahead, and an
// owner-data mode in which the view holds only a row count and asks for each
// row it shows.

#include "platform/controls/ComCtrls_Header.h"
#include "platform/controls/ComCtrls_Scroll.h"
#include "platform/controls/ComCtrls_ViewParts.h"
#include "platform/controls/Forms.h"
#include "platform/controls/ImgList.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/Collections.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace platform {

// The list view's messages, for code written against its window.
constexpr UINT LVM_FIRST = 0x1000;
constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
constexpr UINT LVM_GETCOLUMNWIDTH = LVM_FIRST + 29;
constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
constexpr UINT LVM_GETCOUNTPERPAGE = LVM_FIRST + 40;
constexpr UINT LVM_SETCOLUMNORDERARRAY = LVM_FIRST + 58;   // wParam: count; lParam: const int[count]
constexpr UINT LVM_GETCOLUMNORDERARRAY = LVM_FIRST + 59;   // wParam: count; lParam: int[count]

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TDisplayCode { drBounds, drIcon, drLabel, drSelectBounds };
enum TItemChange { ctText, ctImage, ctState };
// What an owner-data fetch is asked for.
enum TItemRequestFlag : unsigned { irText = 1, irImage = 2, irParam = 4, irState = 8, irIndent = 16 };
using TItemRequest = unsigned;
enum TItemFind { ifData, ifPartialString, ifExactString, ifNearest };
enum TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };

class TCustomListView;
class TListItems;

class TListColumn : public TCollectionItem {
public:
    explicit TListColumn(TCollection* ACollection) : TCollectionItem(ACollection) {}
    std::string ClassName() const override { return "TListColumn"; }
    std::string GetDisplayName() const override { return FCaption.empty() ? ClassName() : FCaption; }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& AValue);
    int Width() const { return FWidth; }
    // Kept within MinWidth and MaxWidth (each when above 0).
    void SetWidth(int AValue);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int AValue);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int AValue);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment AValue);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int AValue);
    void Assign(TPersistent* ASource) override;

private:
    std::string FCaption;
    int FWidth = 50;
    int FMinWidth = 0;
    int FMaxWidth = 0;
    TAlignment FAlignment = taLeftJustify;
    int FImageIndex = -1;
};

class TListColumns : public TOwnedCollection<TListColumn> {
public:
    explicit TListColumns(TCustomListView* AOwner);
    TCustomListView* Owner() const { return FView; }
    // Columns in the order of their place, which is their index order.
    int TotalWidth() const;

protected:
    void Update(TCollectionItem* AItem) override;

private:
    TCustomListView* FView;
};

class TListItem : public TPersistent {
public:
    explicit TListItem(TListItems* AOwner);
    ~TListItem() override;
    std::string ClassName() const override { return "TListItem"; }

    TListItems* Owner() const { return FOwner; }
    TCustomListView* ListView() const;
    int Index() const { return FIndex; }

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& AValue);
    // Texts of columns 1, 2, ...; a change repaints only this item.
    TStringList* SubItems() { return &FSubItems; }
    const TStringList* SubItems() const { return &FSubItems; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int AValue);
    // Image of SmallImages shown before sub-item AIndex in report view; -1 =
    // none, also for a sub-item never given one. A negative AIndex raises EListError.
    int SubItemImages(int AIndex) const;
    void SetSubItemImages(int AIndex, int AValue);
    void* Data = nullptr;
    bool Checked() const { return FChecked; }
    void SetChecked(bool AValue);

    bool Selected() const;
    void SetSelected(bool AValue);
    bool Focused() const;
    void SetFocused(bool AValue);

    // Rectangles in the view's client coordinates.
    TRect DisplayRect(TDisplayCode ACode) const;
    int Top() const { return DisplayRect(drBounds).Top; }
    int Left() const { return DisplayRect(drBounds).Left; }
    void MakeVisible(bool APartialOK);
    void Update();
    // Removes the item from its list and frees it.
    void Delete();
    // Starts or cancels label editing of this item.
    bool EditCaption();
    void CancelEdit();
    // Caption, sub-items, image, data and check mark of another item.
    void Assign(TPersistent* ASource) override;

private:
    friend class TListItems;
    friend class TCustomListView;
    void Changed(TItemChange AChange);

    TListItems* FOwner;
    int FIndex = -1;
    std::string FCaption;
    TStringList FSubItems;
    std::vector<int> FSubItemImages;
    int FImageIndex = -1;
    bool FChecked = false;
    bool FSelected = false;
    bool FFocused = false;
};

class TListItems : public TPersistent {
public:
    explicit TListItems(TCustomListView* AOwner);
    ~TListItems() override;
    std::string ClassName() const override { return "TListItems"; }
    TCustomListView* Owner() const { return FView; }

    // In owner-data mode the count is set, and an item is fetched when asked for.
    int Count() const;
    void SetCount(int AValue);
    // Raises EListError "List index out of bounds (<index>)" outside 0 .. Count - 1.
    TListItem* Item(int AIndex);
    TListItem* operator[](int AIndex) { return Item(AIndex); }
    TListItem* Add();
    TListItem* Insert(int AIndex);
    TListItem* AddItem(TListItem* AItem, int AIndex = -1);
    void Delete(int AIndex);
    void Clear();
    int IndexOf(const TListItem* AItem) const;
    // Changes between these repaint once, at the end.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }
    void Assign(TPersistent* ASource) override;

private:
    friend class TCustomListView;
    friend class TListItem;
    void CheckIndex(int AIndex) const;
    void Reindex(int AFrom);

    TCustomListView* FView;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FUpdateCount = 0;
    int FDataCount = 0;
};

using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVOwnerDataEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TLVOwnerDataFindEvent =
    std::function<void(TObject* Sender, TItemFind Find, const std::string& FindString, TPoint FindPosition,
                       void* FindData, int StartIndex, TSearchDirection Direction, bool Wrap, int& Index)>;
using TLVEditingEvent = std::function<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, std::string& S)>;
using TLVCustomDrawItemEvent =
    std::function<void(TCustomListView* Sender, TListItem* Item, TCustomDrawState State, bool& DefaultDraw)>;

struct TIconOptions {
    bool WrapText = true;
};

class TCustomListView : public TCustomControl {
public:
    explicit TCustomListView(TComponent* AOwner);
    ~TCustomListView() override;

    TListColumns* Columns() { return &FColumns; }
    TListColumn* Column(int AIndex) { return FColumns.Items(AIndex); }
    TListItems* Items() { return &FItems; }

    TViewStyle ViewStyle() const { return FViewStyle; }
    virtual void SetViewStyle(TViewStyle AValue);
    bool OwnerData() const { return FOwnerData; }
    void SetOwnerData(bool AValue);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool AValue);
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool AValue);
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool AValue);
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool AValue);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool AValue);
    bool Checkboxes() const { return FCheckboxes; }
    void SetCheckboxes(bool AValue);
    bool ReadOnly = false;
    bool ColumnClick = true;
    // Report columns may be dragged on the header into another order.
    bool FullDrag() const { return FFullDrag; }
    void SetFullDrag(bool AValue);
    bool HotTrack = false;
    // Display order of the report columns: the column index shown at each
    // place, left to right. Columns keep their indexes (and sub-items) when
    // they move. SetColumnOrder takes a permutation of the column indexes
    // and answers false, changing nothing, for anything else.
    const std::vector<int>& ColumnOrder() const { return FColumnOrder; }
    bool SetColumnOrder(const std::vector<int>& AOrder);
    // Left edge of column AIndex from a row's start, columns in display order.
    int ColumnLeft(int AIndex) const;
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle AValue);
    TIconOptions IconOptions;
    TCustomImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* AValue);
    TCustomImageList* LargeImages() const { return FLargeImages; }
    void SetLargeImages(TCustomImageList* AValue);

    // Selection. Setting Selected or ItemIndex selects that item alone
    // (nil / -1: none) and fires OnSelectItem for every item whose state changed.
    TListItem* Selected();
    void SetSelected(TListItem* AItem);
    int ItemIndex();
    void SetItemIndex(int AValue);
    int SelCount() const;
    TListItem* ItemFocused();
    void SetItemFocused(TListItem* AItem);
    void ClearSelection();
    void SelectAll();
    // The next item after AStart (nil: from the first) that is selected; nil when none.
    TListItem* GetNextSelected(TListItem* AStart);

    // Geometry
    TListItem* TopItem();
    int TopIndex() const;
    int VisibleRowCount();   // whole rows a page shows in report and list style
    TListItem* GetItemAt(int X, int Y);
    int IndexAt(int X, int Y);
    void Scroll(int DX, int DY);
    TRect ItemRect(int AIndex, TDisplayCode ACode);
    void UpdateItems(int AFirst, int ALast);
    THeaderControl* Header() const { return FHeader; }
    int RowHeight();
    // The width of one column in list style.
    int ListColumnWidth() const { return FListColumnWidth; }
    void SetListColumnWidth(int AValue);
    const TViewScrollBars& ScrollBars() const { return FScrollBars; }
    // The view's scroll state, as the window's scroll bars would answer it.
    TScrollInfo GetScrollInfo(int ABar);

    // Label editing
    bool IsEditing() const { return FEditIndex >= 0; }
    TEdit* EditControl() const { return FEditor; }

    // Type-ahead and owner-data lookups.
    TListItem* FindCaption(int AStartIndex, const std::string& AValue, bool APartial, bool AInclusive, bool AWrap);

    TLVSelectItemEvent OnSelectItem;
    TLVChangeEvent OnChange;
    TLVColumnClickEvent OnColumnClick;
    TLVOwnerDataEvent OnData;
    TLVOwnerDataFindEvent OnDataFind;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    TLVCustomDrawItemEvent OnCustomDrawItem;

    void Dispatch(TMessage& M) override;
    void WMGetDlgCode(TMessage& M) override { M.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }
    void WMTimer(TMessage& M) override;
    void WMMouseWheel(TMessage& M) override;
    void WMSetFocus(TMessage& M) override;
    void WMKillFocus(TMessage& M) override;
    void WMLButtonDblClk(TMessage& M) override;
    void CMFontChanged(TMessage& M) override;

    // Called by the items and columns.
    void ItemChanged(TListItem* AItem, TItemChange AChange);
    void ItemsChanged();
    void ColumnsChanged();
    void ColumnClicked(int AIndex);

protected:
    void CreateParams(TCreateParams& AParams) override;
    void CreateWnd() override;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void MouseMove(TShiftState AShift, int X, int Y) override;
    void MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, TShiftState AShift) override;
    void KeyPress(char16_t& AKey) override;
    void Notification(TComponent* AComponent, TOperation AOperation) override;

    // Hooks for descendants.
    virtual void Change(TListItem* AItem, TItemChange AChange);
    virtual void DoSelectItem(TListItem* AItem, bool ASelected);
    virtual bool OwnerDataFetch(TListItem* AItem, TItemRequest ARequest);
    virtual int OwnerDataFind(TItemFind AFind, const std::string& AFindString, TPoint AFindPosition, void* AFindData,
                              int AStartIndex, TSearchDirection ADirection, bool AWrap);
    virtual bool CanEdit(TListItem* AItem);
    // The end of a label edit: ANewText is nil when it was cancelled.
    virtual void Edit(int AIndex, const std::string* ANewText);
    virtual void ColClick(TListColumn* AColumn);
    // Draws one item in its place (custom drawing first).
    virtual void DrawItem(int AIndex, TCustomDrawState AState);
    // The message numbers answered like the window's.
    virtual void HeaderResized() {}

    TCustomDrawState ItemDrawState(int AIndex);
    TRect ViewRect();
    int HeaderHeight();
    void UpdateScrollRanges();
    void LayoutHeader();
    void ScrollBy(int ABar, int APos);
    void HandleScroll(int ABar, WPARAM W);

    friend class TListItem;
    friend class TListItems;
    friend class THeaderControl;

private:
    struct TLayout {
        TRect View;       // where the items show: the client less header and bars
        int RowH = 16;
        int CellW = 0;    // list: column width; icons: grid cell
        int CellH = 16;
        int PerLine = 1;  // list: rows per column; icons: items per row
    };
    TLayout Layout();
    TRect CellOf(int AIndex);
    // ColumnLeft of every column, by column index.
    std::vector<int> ColumnLefts() const;
    int ItemsPerLine();
    void PaintReportGrid(TCanvas* C, const TRect& AView, int AFirst, int ALast);
    void DrawItemDefault(int AIndex, TCustomDrawState AState);
    void DrawSubItems(TCanvas* C, TListItem* AItem, const TRect& ABounds, bool ASelectedRow);
    bool IsSelectedAt(int AIndex) const;
    std::vector<int> SelectedExcept(int AIndex) const;
    void SetSelectedAt(int AIndex, bool AValue, bool ANotify);
    void SelectOnly(int AIndex, bool ANotify);
    void SelectRange(int AFrom, int ATo);
    void MoveFocus(int AIndex, TShiftState AShift);
    TListItem* FetchItem(int AIndex, TItemRequest ARequest);
    void InvalidateItem(int AIndex);
    void BeginLabelEdit(int AIndex);
    void EnsureHeader();
    void EndLabelEdit(bool ACancel);
    void EnsureVisible(int AIndex);
    int TypeAheadFind(const std::string& APrefix, int AStart);

    TListColumns FColumns;
    TListItems FItems;
    TViewScrollBars FScrollBars{this};
    THeaderControl* FHeader = nullptr;
    TViewStyle FViewStyle = vsIcon;
    bool FOwnerData = false;
    bool FMultiSelect = false;
    bool FRowSelect = false;
    bool FGridLines = false;
    bool FShowColumnHeaders = true;
    bool FHideSelection = true;
    bool FCheckboxes = false;
    bool FFullDrag = false;
    std::vector<int> FColumnOrder;
    TFormBorderStyle FBorderStyle = bsSingle;
    TCustomImageList* FSmallImages = nullptr;
    TCustomImageList* FLargeImages = nullptr;
    int FListColumnWidth = 150;
    // Owner-data state: the selected rows, the focused row and the item that
    // stands for the row being fetched.
    std::set<int> FDataSelected;
    int FFocusedIndex = -1;
    int FAnchorIndex = -1;
    std::unique_ptr<TListItem> FDataItem;
    TEdit* FEditor = nullptr;   // made at the first edit, hidden between edits
    int FEditIndex = -1;
    bool FFetching = false;
    int FRowHeight = 0;         // 0: measure again
    bool FEnding = false;
    std::string FTypeAhead;
    uint32_t FTypeAheadTime = 0;
    int FPressIndex = -1;
    bool FPressedOnSelected = false;
};

class TListView : public TCustomListView {
public:
    explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
};

} // namespace platform
