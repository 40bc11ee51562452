#pragma once
// The skinned list box: a skinned frame that hosts an owner-drawn platform
// list box (TbsListBox) and replaces its scroll bars by skinned ones that
// exist only while the items need them; and its popup twin, the drop-down
// list of the skinned combo box.
//
// The inner list's scroll state is the source of truth: the vertical bar
// mirrors its top index over the item count, the horizontal bar the pixel
// offset its items are drawn with.

#include "skin/boxes/bsSkinBoxes_DropDown.h"
#include "skin/boxes/bsSkinBoxes_SkinEdit.h"
#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"

#include "platform/controls/StdCtrls.h"

#include <functional>
#include <memory>
#include <string>

namespace skin {

class TbsSkinCustomListBox;

// Owner drawing of an item's content.
using TbsDrawSkinItemEvent = std::function<void(TCanvas* Cnvs, int Index, int ItemWidth, int ItemHeight,
                                                TRect TxtRect, platform::TOwnerDrawState State)>;

// The inner list box: the platform's items, selection and keys, painted by
// the skin and handing every input to its owning list box first.
class TbsListBox : public platform::TCustomListBox {
public:
    explicit TbsListBox(TComponent* AOwner);

    // The horizontal scroll offset in pixels; items are drawn that much to the left.
    int HorizontalExtentValue = 0;
    TbsSkinCustomListBox* SkinListBox = nullptr;

    platform::TOwnerDrawState GetItemState(int Index);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void WndProc(TMessage& M) override;
    void Dispatch(TMessage& M) override;
    void Click() override;
    // Paints the background where no item stands, on any canvas.
    void PaintBackground(TCanvas* C, const TRect& R);

protected:
    void CreateWnd() override;
    void Paint() override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseMove(platform::TShiftState AShift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, platform::TShiftState AShift) override;
    void KeyUp(uint16_t& AKey, platform::TShiftState AShift) override;
    void KeyPress(char16_t& AKey) override;

    // The painters (bsSkinBoxCtrls_ListBoxItems.cpp).
    void PaintItem(TCanvas* C, int Index, platform::TOwnerDrawState State, const TRect& R);
    void DrawDefaultItem(TCanvas* C, int Index, platform::TOwnerDrawState State, const TRect& R);
    void DrawSkinItem(TCanvas* C, int Index, platform::TOwnerDrawState State, const TRect& R);
    void DrawStretchSkinItem(TCanvas* C, int Index, platform::TOwnerDrawState State, const TRect& R);
    void DrawItemContent(TCanvas* C, int Index, TRect T);
    void TileSkinClient(TCanvas* C, int X, int Y, int W, int H);
    void SetItemFont(TCanvas* C, bool ASkinned);
};

// The tab stops of a tab-widths list: its first ten lines, digits only, others 0.
std::vector<int> TabStopsOf(const platform::TStringList& ATabWidths);
// Text with tab stops at the item text's place.
void DrawTabbedText(TCanvas* C, const std::string& S, const platform::TStringList& ATabWidths, int AOffset,
                    const TRect& T);

class TbsSkinCustomListBox : public TbsSkinCustomControl {
public:
    explicit TbsSkinCustomListBox(TComponent* AOwner);
    ~TbsSkinCustomListBox() override;

    TbsListBox* ListBox = nullptr;              // owned
    TbsSkinScrollBar* ScrollBar = nullptr;      // while the rows need it
    TbsSkinScrollBar* HScrollBar = nullptr;     // while the widest item needs it

    platform::TStringList* Items() { return ListBox->Items(); }
    void SetItems(const platform::TStringList& AValue);
    int ItemIndex() const { return ListBox->ItemIndex(); }
    void SetItemIndex(int AValue) { ListBox->SetItemIndex(AValue); }
    int TopIndex() const { return ListBox->TopIndex(); }
    void SetTopIndex(int AValue);
    bool Sorted() const { return ListBox->Sorted(); }
    void SetSorted(bool AValue);
    bool MultiSelect() const { return ListBox->MultiSelect; }
    void SetMultiSelect(bool AValue) { ListBox->MultiSelect = AValue; }
    bool Selected(int AIndex) const { return ListBox->Selected(AIndex); }
    int SelCount() const { return ListBox->SelCount(); }
    int ItemHeight() const { return ListBox->ItemHeight(); }
    TCanvas* ListBoxCanvas() { return ListBox->Canvas(); }

    platform::TStringList* TabWidths() { return &FTabWidths; }
    void SetTabWidths(const platform::TStringList& AValue);
    bool UseSkinItemHeight = true;
    bool HorizontalExtent() const { return FHorizontalExtent; }
    void SetHorizontalExtent(bool AValue);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int AValue);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* AValue);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int AValue);
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int AValue);
    // Columns side by side; the scroll bar then scrolls columns across.
    int Columns() const { return ListBox->Columns(); }
    void SetColumns(int AValue);
    TbsDrawSkinItemEvent OnDrawItem;
    // A line of grey text in the free space below the items (why a list is
    // empty); "" shows none.
    const std::string& NoticeText() const { return FNoticeText; }
    void SetNoticeText(const std::string& AValue);

    // The caption strip above the items: the control's caption, a glyph and
    // three buttons (up, down, check).
    bool CaptionMode() const { return FCaptionMode; }
    void SetCaptionMode(bool AValue);
    bool ShowCaptionButtons() const { return FShowCaptionButtons; }
    void SetShowCaptionButtons(bool AValue);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int AValue);
    TFont* DefaultCaptionFont() { return &FDefaultCaptionFont; }
    void SetDefaultCaptionFont(TFont* AValue) { FDefaultCaptionFont.Assign(AValue); }
    platform::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(platform::TAlignment AValue);
    TBitmap* Glyph() { return &FGlyph; }
    void SetGlyph(TBitmap* AValue);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int AValue);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int AValue);
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;
    TNotifyEvent OnCheckButtonClick;

    // The caption buttons in control coordinates: 0 up, 1 down, 2 check.
    TbsCBButtonX Buttons[3];
    int OldActiveButton = -1, ActiveButton = -1, CaptureButton = -1;
    // Auto-repeat of a held caption button: 0 none, 1 up, 2 down.
    int TimerMode = 0;
    // The first, longer repeat delay is running.
    bool WaitMode = false;
    // With a skin: the caption text's place at the present size.
    TRect NewCaptionRect;

    // Re-exported input of the inner list box; the sender is this list box.
    TNotifyEvent OnListBoxClick;
    TNotifyEvent OnListBoxDblClick;
    platform::TMouseEvent OnListBoxMouseDown;
    platform::TMouseEvent OnListBoxMouseUp;
    platform::TMouseMoveEvent OnListBoxMouseMove;
    platform::TKeyEvent OnListBoxKeyDown;
    platform::TKeyEvent OnListBoxKeyUp;
    platform::TKeyPressEvent OnListBoxKeyPress;

    // Copies of the "listbox" record, refreshed by GetSkinData.
    std::string FontName;
    platform::TFontStyles FontStyle;
    int FontHeight = 0;
    TRect SItemRect, ActiveItemRect, FocusItemRect, ItemTextRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    platform::TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0;
    std::string VScrollBarName, HScrollBarName, BothScrollBarName;
    bool ShowFocus = false;
    TRect CaptionRect;
    std::string CaptionFontName;
    platform::TFontStyles CaptionFontStyle;
    int CaptionFontHeight = 0;
    platform::TColor CaptionFontColor = 0;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    TRect CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
    TRect ButtonsArea, DisabledButtonsRect;
    TRect ListRect;   // the inner list box's bounds

    int CalcHeight(int AItemsCount);
    void Clear();
    int ItemAtPos(TPoint Pos, bool Existing) { return ListBox->ItemAtPos(Pos, Existing); }
    TRect ItemRect(int Item) { return ListBox->ItemRect(Item); }
    void UpDateScrollBar();
    void CalcListRect();
    bool IsSkinned() const { return FIndex != -1; }
    TbsPicture* SkinPicture() const { return Picture; }

    void GetSkinData() override;
    void ChangeSkinData() override;
    void DefaultFontChanged() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void WMSize(TMessage& M) override;
    void WMTimer(TMessage& M) override;
    void CMTextChanged(TMessage& M) override;
    void CMMouseEnter(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;

    // Hooks of the inner list box's input; descendants override them.
    virtual int GetItemWidth(int Index, TCanvas* C);
    virtual void ListBoxMouseDown(platform::TMouseButtonKind Button, platform::TShiftState Shift, int X, int Y);
    virtual void ListBoxMouseMove(platform::TShiftState Shift, int X, int Y);
    virtual void ListBoxMouseUp(platform::TMouseButtonKind Button, platform::TShiftState Shift, int X, int Y);
    virtual void ListBoxClick();
    virtual void ListBoxDblClick();
    virtual void ListBoxKeyDown(uint16_t& Key, platform::TShiftState Shift);
    virtual void ListBoxKeyUp(uint16_t& Key, platform::TShiftState Shift);
    virtual void ListBoxKeyPress(char16_t& Key);
    virtual void ListBoxEnter() {}
    virtual void ListBoxExit() {}
    // Runs once the inner list box has its window.
    virtual void ListBoxCreateWnd() {}
    virtual void ListBoxWndProc(TMessage& Message, bool& CallDefault) { CallDefault = true; }

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseMove(platform::TShiftState AShift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;

    // The caption buttons (bsSkinBoxCtrls_ListBoxCaption.cpp).
    bool CaptionButtonsShown() const { return FCaptionMode && FShowCaptionButtons; }
    void PlaceDefaultButtons();
    void PlaceSkinButtons();
    void TestActive(int X, int Y);
    void ButtonDown(int I);
    void ButtonUp(int I);
    void ButtonEnter(int I);
    void ButtonLeave(int I);
    void StartTimer(unsigned AMs);
    void StopTimer();
    // One step of the selection, up or down, within the items.
    void StepItemIndex(bool AUp);
    void DrawButton(TCanvas* C, int I);
    void DrawDefaultCaption(TCanvas* C);
    void DrawSkinCaption(TCanvas* C);
    // The room the glyph takes before the text, and the caption's width.
    int GlyphSpace() const;
    int CaptionWidth(TCanvas* C);
    void DrawCaptionAt(TCanvas* C, const TRect& T, int X, int Y, int AGlyphY);

    void CreateScrollBar();
    void CreateHScrollBar();
    void HideScrollBar();
    void HideHScrollBar();
    void SkinScrollBars();

    platform::TStringList FTabWidths;
    bool FHorizontalExtent = false;
    bool FStopUpDateHScrollBar = false;
    std::string FNoticeText;
    int FRowCount = 0;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
    int FDefaultItemHeight = 20;
    bool FCaptionMode = false;
    bool FShowCaptionButtons = true;
    int FDefaultCaptionHeight = 20;
    TFont FDefaultCaptionFont;
    platform::TAlignment FAlignment = platform::taLeftJustify;
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
};

class TbsSkinListBox : public TbsSkinCustomListBox {
public:
    explicit TbsSkinListBox(TComponent* AOwner) : TbsSkinCustomListBox(AOwner) {}
};

// The drop-down of the skinned combo box.
class TbsPopupListBox : public TbsPopupListWindow<TbsSkinListBox> {
public:
    explicit TbsPopupListBox(TComponent* AOwner) : TbsPopupListWindow(AOwner) {}

protected:
    bool OwnerAlpha(TbsDropAlpha& AAlpha) override;
};

} // namespace skin
