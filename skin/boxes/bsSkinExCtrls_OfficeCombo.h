#pragma once
// The office combo box: a closed face showing the selected office item
// (bold title, image, caption) and a drop-down office item list in a popup
// that never takes the activation. Setting ItemIndex from code fires
// OnClick and then OnChange every time, also for the same index and for
// -1: the output catalogue chains its category, profile and preset lists
// on exactly that.

#include "skin/boxes/bsSkinBoxes_ComboFace.h"
#include "skin/boxes/bsSkinExCtrls_OfficeList.h"

namespace skin {

class TbsSkinCustomOfficeComboBox : public TbsSkinComboFace {
public:
    explicit TbsSkinCustomOfficeComboBox(TComponent* AOwner);
    ~TbsSkinCustomOfficeComboBox() override;

    TbsSkinOfficeItems* Items() { return FListBox->Items(); }
    void SetItems(TbsSkinOfficeItems* AValue) { FListBox->SetItems(AValue); }
    int ItemIndex() const { return FListBox->ItemIndex(); }
    // Selects, repaints and fires OnClick then OnChange (not while loading);
    // an index at or past the count raises the list-index error first.
    void SetItemIndex(int Value);
    TCustomImageList* Images() const { return FListBox->Images(); }
    void SetImages(TCustomImageList* AValue) { FListBox->SetImages(AValue); }
    TbsPopupOfficeListBox* ListBox() const { return FListBox; }

    bool ShowItemTitle() const { return FShowItemTitle; }
    void SetShowItemTitle(bool AValue);
    bool ShowItemImage() const { return FShowItemImage; }
    void SetShowItemImage(bool AValue);
    bool ShowItemText() const { return FShowItemText; }
    void SetShowItemText(bool AValue);
    bool ToolButtonStyle() const { return FToolButtonStyle; }
    void SetToolButtonStyle(bool AValue);
    platform::TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(platform::TColor AValue);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int AValue);
    int ListBoxWidth = 0;
    int ListBoxHeight = 0;
    bool HideSelection = true;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    uint8_t AlphaBlendValue = 0;

    // Settings that live in the drop-down list.
    bool ListBoxHeaderLeftAlignment() const { return FListBox->HeaderLeftAlignment(); }
    void SetListBoxHeaderLeftAlignment(bool AValue) { FListBox->SetHeaderLeftAlignment(AValue); }
    TFont* ListBoxDefaultFont() { return FListBox->DefaultFont(); }
    void SetListBoxDefaultFont(TFont* AValue) { FListBox->SetDefaultFont(AValue); }
    bool ListBoxUseSkinFont() const { return FListBox->UseSkinFont; }
    void SetListBoxUseSkinFont(bool AValue) { FListBox->UseSkinFont = AValue; }
    bool ListBoxShowItemTitles() const { return FListBox->ShowItemTitles(); }
    void SetListBoxShowItemTitles(bool AValue) { FListBox->SetShowItemTitles(AValue); }
    const std::string& ListBoxSkinDataName() const { return FListBoxSkinDataName; }
    void SetListBoxSkinDataName(const std::string& AValue);
    bool ListBoxShowLines() const { return FListBox->ShowLines(); }
    void SetListBoxShowLines(bool AValue) { FListBox->SetShowLines(AValue); }
    int ListBoxItemHeight() const { return FListBox->ItemHeight(); }
    void SetListBoxItemHeight(int AValue) { FListBox->SetItemHeight(AValue); }
    int ListBoxHeaderHeight() const { return FListBox->HeaderHeight(); }
    void SetListBoxHeaderHeight(int AValue) { FListBox->SetHeaderHeight(AValue); }

    TbsDrawSkinOfficeItemEvent OnDrawItem;
    TNotifyEvent OnChange;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDropDown;

    virtual void Change();
    void DropDown() override;
    void CloseUp(bool Accept) override;
    bool IsPopupVisible() const override { return FListBox && FListBox->Visible(); }
    void BeginUpdateItems() { FListBox->BeginUpdateItems(); }
    void EndUpdateItems() { FListBox->EndUpdateItems(); }
    // The closed face with AText as its text, onto C at (X, Y).
    void PaintSkinTo(TCanvas* C, int X, int Y, const std::string& AText);

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

protected:
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y) override;
    void MouseMove(platform::TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, platform::TShiftState AShift) override;

    void ListBoxWindowProc(TMessage& M);
    void TrackListMouse();
    void SelectPrior(bool Flag) override;
    void SelectNext(bool Flag) override;
    platform::HWND ListWindow() const override { return FListBox->HandleAllocated() ? FListBox->Handle() : nullptr; }
    void SelectPageUp(bool Flag);
    void SelectPageDown(bool Flag);
    void Choose(bool Flag);
    void ClickAndChange();

    // The face (bsSkinExCtrls_OfficeComboPaint.cpp).
    int ShownIndex() const;
    bool Hot() { return FMouseIn || Focused(); }
    void DrawDefaultFace(TBitmap* B);
    void DrawSkinFace(TBitmap* B);
    void DrawButton(TCanvas* C);
    void DrawSkinButton(TCanvas* C);
    void DrawDefaultItem(TCanvas* C);
    void DrawSkinItem(TBitmap* AFace);
    void DrawSkinSizeItem(TBitmap* AFace);
    void DrawItemContent(TCanvas* K, int I, TRect TR, bool ATitle);
    void DrawDefaultToolButton(TBitmap* B, const std::string& AText);
    void DrawSkinToolButton(TBitmap* B, const std::string& AText);
    void DrawToolButtonText(TCanvas* C, const TRect& R, const std::string& AText);
    void DrawMenuMarker(TCanvas* C, const TRect& R, const TbsDataSkinButtonControl& ARec);
    void SetRecordFont(TCanvas* C, platform::TColor AColor);

    TbsPopupOfficeListBox* FListBox = nullptr;
    platform::TWndMethod FListBoxWindowProc;
    bool FShowItemTitle = true, FShowItemImage = true, FShowItemText = true;
    int FDropDownCount = 7;
    platform::TColor FDefaultColor = platform::clWindow;
    std::string FListBoxSkinDataName = "listbox";
};

class TbsSkinOfficeComboBox : public TbsSkinCustomOfficeComboBox {
public:
    explicit TbsSkinOfficeComboBox(TComponent* AOwner) : TbsSkinCustomOfficeComboBox(AOwner) {}
};

} // namespace skin
