#pragma once
// The skinned combo box: a face that shows the selected item (fixed style)
// or hosts an inner edit with auto-completion from the items (edit style),
// and a drop-down skinned list in a popup that never takes the activation.
//
// Setting ItemIndex from code copies the item into Text (OnChange only when
// the text differs), then fires OnClick, then the Change hook; Items.Clear
// keeps Text. The preset lists of the main window rely on that order.

#include "skin/boxes/bsSkinBoxCtrls_ListBox.h"
#include "skin/boxes/bsSkinBoxes_Edit.h"
#include "skin/boxes/bsSkinBoxes_ComboFace.h"

namespace skin {

enum TbsSkinCustomComboBoxStyle { bscbEditStyle, bscbFixedStyle };

class TbsSkinCustomComboBox : public TbsSkinComboFace {
public:    // Typed letters within this time extend the search prefix.
    static constexpr uint32_t SearchPause = 500;
    // Key releases closer than this complete only once.
    static constexpr uint32_t CompletePause = 200;

    explicit TbsSkinCustomComboBox(TComponent* AOwner);
    ~TbsSkinCustomComboBox() override;

    platform::TStringList* Items() { return FListBox->Items(); }
    void SetItems(const platform::TStringList& AValue) { FListBox->SetItems(AValue); }
    int ItemIndex() const { return FListBox->ItemIndex(); }
    void SetItemIndex(int Value);
    TbsPopupListBox* ListBox() const { return FListBox; }
    TbsCustomEdit* Edit() const { return FEdit; }

    TbsSkinCustomComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TbsSkinCustomComboBoxStyle AValue);
    bool ToolButtonStyle() const { return FToolButtonStyle; }
    void SetToolButtonStyle(bool AValue);
    platform::TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(platform::TEditCharCase AValue);
    platform::TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(platform::TColor AValue);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int AValue);
    int ListBoxWidth = 0;
    bool HideSelection = true;
    bool AutoComplete = true;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    uint8_t AlphaBlendValue = 0;
    int SelStart() const;
    void SetSelStart(int AValue);
    int SelLength() const;
    void SetSelLength(int AValue);
    TCustomImageList* Images() const { return FListBox->Images(); }
    void SetImages(TCustomImageList* AValue);
    int ImageIndex() const { return FListBox->ImageIndex(); }
    void SetImageIndex(int AValue);
    platform::TStringList* TabWidths() { return FListBox->TabWidths(); }
    bool Sorted() const { return FListBox->Sorted(); }
    void SetSorted(bool AValue) { FListBox->SetSorted(AValue); }
    bool HorizontalExtent() const { return FListBox->HorizontalExtent(); }
    void SetHorizontalExtent(bool AValue) { FListBox->SetHorizontalExtent(AValue); }
    int ListBoxDefaultItemHeight() const { return FListBox->DefaultItemHeight(); }
    void SetListBoxDefaultItemHeight(int AValue) { FListBox->SetDefaultItemHeight(AValue); }
    bool ListBoxUseSkinFont() const { return FListBox->UseSkinFont; }
    void SetListBoxUseSkinFont(bool AValue) { FListBox->UseSkinFont = AValue; }
    bool ListBoxUseSkinItemHeight() const { return FListBox->UseSkinItemHeight; }
    void SetListBoxUseSkinItemHeight(bool AValue) { FListBox->UseSkinItemHeight = AValue; }
    TFont* ListBoxDefaultFont() { return FListBox->DefaultFont(); }
    void SetListBoxDefaultFont(TFont* AValue) { FListBox->SetDefaultFont(AValue); }
    // The drop-down list's caption strip: its text, whether it shows, where
    // the text sits and its font without a skin.
    std::string ListBoxCaption() const { return FListBox->Text(); }
    void SetListBoxCaption(const std::string& AValue) { FListBox->SetText(AValue); }
    bool ListBoxCaptionMode() const { return FListBox->CaptionMode(); }
    void SetListBoxCaptionMode(bool AValue) { FListBox->SetCaptionMode(AValue); }
    platform::TAlignment ListBoxCaptionAlignment() const { return FListBox->Alignment(); }
    void SetListBoxCaptionAlignment(platform::TAlignment AValue) { FListBox->SetAlignment(AValue); }
    TFont* ListBoxDefaultCaptionFont() { return FListBox->DefaultCaptionFont(); }
    void SetListBoxDefaultCaptionFont(TFont* AValue) { FListBox->SetDefaultCaptionFont(AValue); }

    TbsDrawSkinItemEvent OnListBoxDrawItem() const { return FListBox->OnDrawItem; }
    void SetOnListBoxDrawItem(TbsDrawSkinItemEvent AValue) { FListBox->OnDrawItem = std::move(AValue); }
    TbsDrawSkinItemEvent OnComboBoxDrawItem;
    TNotifyEvent OnChange;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDropDown;

    // Hook after OnClick whenever an item is chosen, and after OnChange when
    // the text came from the inner edit; descendants override it.
    virtual void Change() {}
    void DropDown() override;
    void CloseUp(bool Accept) override;
    bool IsPopupVisible() const override { return FListBox && FListBox->Visible(); }
    // The face with AText as its text, onto C at (X, Y).
    void PaintSkinTo(TCanvas* C, int X, int Y, const std::string& AText);

    void Invalidate() override;
    void ChangeSkinData() override;

    void WMSize(TMessage& M) override;
    void WMSetFocus(TMessage& M) override;
    void WMKillFocus(TMessage& M) override;
    void WMMouseWheel(TMessage& M) override;
    void WMTimer(TMessage& M) override;
    void CMEnabledChanged(TMessage& M) override;
    void CMMouseEnter(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;
    void CMCancelMode(TMessage& M) override;
    void CMTextChanged(TMessage& M) override;

    // The test and the benchmark read the clock of the search and the
    // completion through this; it answers milliseconds.
    static std::function<uint64_t()> Clock;

protected:
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseMove(platform::TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, platform::TShiftState AShift) override;
    void KeyPress(char16_t& AKey) override;

    void ListWindowProc(TMessage& M);
    void ListMouseMove(TObject* Sender, platform::TShiftState Shift, int X, int Y);
    // The check button of the list's caption accepts the item under it.
    void ListCheckButtonClick(TObject* Sender);
    void ListDragMove();
    void SelectPrior(bool AThroughSetter) override;
    void SelectNext(bool AThroughSetter) override;
    platform::HWND ListWindow() const override
    {
        return FListBox->ListBox->HandleAllocated() ? FListBox->ListBox->Handle() : nullptr;
    }
    void SearchItem(std::string S);
    int FindItem(const std::string& S, int AStart);
    bool EditFocused() const;
    bool Hot();

    // Edit style (bsSkinBoxCtrls_ComboBoxEdit.cpp).
    virtual void EditWindowProc(TMessage& M);
    virtual void CreateEditControl();
    void FreeEditControl();
    void AdjustEditBounds();
    void EditChange();
    void EditCancelMode(platform::TControl* C);
    void AutoCompleteText();
    void EditSelectPrior(bool B);
    void EditSelectNext(bool B);
    void UpdateEditFont();
    bool IsCancelSource(platform::TControl* C) const;

    // The face (bsSkinBoxCtrls_ComboBoxPaint.cpp).
    int ShownIndex() const;
    void DrawFace(TBitmap* B, bool AWithItem);
    void DrawComboButton(TCanvas* C);
    void DrawStretchedComboButton(TCanvas* C);
    void DrawItem(TBitmap* AFace, int I, const std::string& AText);
    void DrawItemText(TCanvas* K, int I, TRect T, const std::string& AText);
    void DrawToolButton(TBitmap* B, const std::string& AText);
    void SetItemFont(TCanvas* K, bool ASkinned);

    TbsPopupListBox* FListBox = nullptr;
    TbsCustomEdit* FEdit = nullptr;
    platform::TWndMethod FListBoxWindowProc;
    platform::TWndMethod FEditWindowProc;
    bool FNumEdit = false;
    platform::TEditCharCase FCharCase = platform::ecNormal;
    platform::TColor FDefaultColor = platform::clWindow;
    uint64_t FLastTime = 0;
    std::string FFilter;
    TbsSkinCustomComboBoxStyle FStyle = bscbFixedStyle;
    int FDropDownCount = 8;
    bool FromEdit = false;
};

class TbsSkinComboBox : public TbsSkinCustomComboBox {
public:
    explicit TbsSkinComboBox(TComponent* AOwner) : TbsSkinCustomComboBox(AOwner) {}
};

} // namespace skin
