#pragma once
// The office item list: rich items (a bold title over the caption, an image,
// a check box, group headers) laid out in one column, scrolled by a skinned
// vertical scroll bar, selected and checked with mouse and keys. Its popup
// twin is the drop-down of the office combo box: a borderless window that
// never takes the activation, so the form and the combo keep the focus.

#include "skin/boxes/bsSkinBoxes_DropDown.h"
#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"

#include "platform/core/Collections.h"

#include <functional>
#include <string>

namespace skin {

class TbsSkinOfficeListBox;

// Owner-draw hook of an item's content; no sender.
using TbsDrawSkinOfficeItemEvent = std::function<void(TCanvas* Cnvs, int Index, TRect TextRct)>;

class TbsSkinOfficeItem : public platform::TCollectionItem {
public:
    explicit TbsSkinOfficeItem(platform::TCollection* ACollection);
    std::string ClassName() const override { return "TbsSkinOfficeItem"; }
    void Assign(platform::TPersistent* ASource) override;

    int ImageIndex() const { return FImageIndex; }
    virtual void SetImageIndex(int AValue);
    const std::string& Title() const { return FTitle; }
    virtual void SetTitle(const std::string& AValue);
    const std::string& Caption() const { return FCaption; }
    virtual void SetCaption(const std::string& AValue);
    void* Data() const { return FData; }
    virtual void SetData(void* AValue) { FData = AValue; }
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool AValue);
    bool Header() const { return FHeader; }
    virtual void SetHeader(bool AValue);
    bool Checked() const { return FChecked; }
    virtual void SetChecked(bool AValue);
    // Not a header and enabled: keys and the mouse may select it.
    bool Selectable() const { return !FHeader && FEnabled; }

    TNotifyEvent OnClick;

    // Run-time layout and state, written by the list.
    TRect ItemRect;
    bool IsVisible = false;
    bool Active = false;

private:
    int FImageIndex = -1;
    std::string FTitle;
    std::string FCaption;
    bool FEnabled = true;
    void* FData = nullptr;
    bool FHeader = false;
    bool FChecked = false;
};

class TbsSkinOfficeItems : public platform::TCollection {
public:
    explicit TbsSkinOfficeItems(TbsSkinOfficeListBox* AListBox);
    std::string ClassName() const override { return "TbsSkinOfficeItems"; }

    TbsSkinOfficeListBox* OfficeListBox;

    TbsSkinOfficeItem* Items(int AIndex) const { return static_cast<TbsSkinOfficeItem*>(TCollection::Items(AIndex)); }
    TbsSkinOfficeItem* operator[](int AIndex) const { return Items(AIndex); }
    TbsSkinOfficeItem* Add();
    // A new item at AIndex (0 .. Count); the list repaints.
    TbsSkinOfficeItem* Insert(int AIndex);
    void Delete(int AIndex);
    void Clear();
    platform::TObject* GetOwner() const override;

protected:
    void Update(platform::TCollectionItem* AItem) override;
};

class TbsSkinOfficeListBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinOfficeListBox(TComponent* AOwner);
    ~TbsSkinOfficeListBox() override;

    TbsSkinOfficeItems* Items() { return FItems.get(); }
    void SetItems(TbsSkinOfficeItems* AValue);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* AValue);
    int ItemIndex() const { return FItemIndex; }
    // Selects with the item's and the list's click events; raises the
    // collection's list-index error for an index at or past the count.
    void SetItemIndex(int Value);
    // Selects without events (mouse press and hover).
    void SetActiveItem(int Index);

    bool ShowCheckBoxes() const { return FShowCheckBoxes; }
    void SetShowCheckBoxes(bool AValue);
    bool HeaderLeftAlignment() const { return FHeaderLeftAlignment; }
    void SetHeaderLeftAlignment(bool AValue);
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool AValue);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int AValue);
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int AValue);
    bool ShowItemTitles() const { return FShowItemTitles; }
    void SetShowItemTitles(bool AValue);
    bool MouseMoveChangeIndex = false;
    std::string ItemSkinDataName = "listbox";
    std::string HeaderSkinDataName = "menuheader";

    TbsDrawSkinOfficeItemEvent OnDrawItem;
    TNotifyEvent OnItemClick;
    TNotifyEvent OnItemCheckClick;

    void BeginUpdateItems();
    void EndUpdateItems();
    int CalcHeight(int ItemCount);
    int ItemAtPos(int X, int Y);
    void ScrollToItem(int Index);
    void Scroll(int AScrollOffset);
    void GetScrollInfo(int& AMin, int& AMax, int& APage, int& APosition);
    void UpdateScrollInfo();
    void CalcItemRects();
    void FindUp();
    void FindDown();
    void FindPageUp();
    void FindPageDown();

    // Layout and state the drawing and the tests read.
    TbsSkinScrollBar* ScrollBar = nullptr;   // while the content is taller than the view
    TRect ItemsRect() const { return FItemsRect; }
    int ScrollOffset() const { return FScrollOffset; }
    int CheckOffset() const { return FCheckOffset; }
    int Max() const { return FMax; }
    int RealMax() const { return FRealMax; }
    platform::TColor DisabledFontColor() const { return FDisabledFontColor; }

    void ChangeSkinData() override;
    void WndProc(TMessage& M) override;
    void WMSize(TMessage& M) override;
    void WMSetFocus(TMessage& M) override;
    void WMKillFocus(TMessage& M) override;
    void WMMouseWheel(TMessage& M) override;
    void WMGetDlgCode(TMessage& M) override { M.Result = platform::DLGC_WANTARROWS; }

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseMove(platform::TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, platform::TShiftState AShift) override;
    void KeyUp(uint16_t& AKey, platform::TShiftState AShift) override;

    void ShowScrollbar();
    void HideScrollBar();
    void AdjustScrollBar();
    void SBChange(TObject* Sender);
    void ToggleCheck(int Index);
    // The rectangle the scroll bar and the items stand in: the skin client
    // area at the present size, or the unskinned inset.
    TRect ContentRect(int AInset);

    // Drawing of the items (bsSkinExCtrls_OfficeListPaint.cpp).
    void DrawItems(TCanvas* C);
    void DrawItem(int Index, TCanvas* Cnvs);
    void SkinDrawItem(int Index, TCanvas* Cnvs);
    void SkinDrawHeaderItem(int Index, TCanvas* Cnvs);
    void DefaultDrawItem(int Index, TCanvas* Cnvs);
    // Check box, title, image and caption of an item in R.
    // APlainCaption: the unskinned list's lone caption, without tab expansion.
    void DrawItemContent(TbsSkinOfficeItem* AItem, TCanvas* K, TRect R, bool APlainCaption,
                         platform::TColor ACheckColor);
    void SetItemFont(TCanvas* C, const TbsSkinFontFields* ARecordFont, platform::TColor AColor);

    int FCheckOffset = 0;
    bool FShowCheckBoxes = false;
    bool FInUpdateItems = false;
    platform::TColor FDisabledFontColor = platform::TColor(0x808080);
    bool FShowLines = false;
    bool FClicksDisabled = false;
    bool FMouseDown = false;
    int FMouseActive = -1;
    int FMax = 0;
    int FRealMax = 0;
    TRect FItemsRect;
    int FScrollOffset = 0;
    std::unique_ptr<TbsSkinOfficeItems> FItems;
    TCustomImageList* FImages = nullptr;
    bool FShowItemTitles = true;
    int FItemHeight = 30;
    int FHeaderHeight = 20;
    int FOldHeight = -1;
    int FItemIndex = -1;
    bool FHeaderLeftAlignment = false;
};

class TbsSkinCustomOfficeComboBox;

// The drop-down window of the office combo box.
class TbsPopupOfficeListBox : public TbsPopupListWindow<TbsSkinOfficeListBox> {
public:
    explicit TbsPopupOfficeListBox(TComponent* AOwner) : TbsPopupListWindow(AOwner) {}

protected:
    bool OwnerAlpha(TbsDropAlpha& AAlpha) override;
    // The fade-in lets the press that opened the list go.
    void BeforeFadeIn() override;
};

} // namespace skin
