#pragma once
// A picture-grid menu: the pictures of an image list as cells of a grid,
// full-width button rows with a caption and header rows, dropped below a
// rectangle (a menu button's) to choose one. The open grid is a window that
// never takes the focus, holds the mouse and the keyboard while it is open
// and closes on a choice, on Escape and on any press outside it.

#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/core/bsSkinData.h"
#include "skin/form/bsSkinPopupControl.h"

#include "platform/controls/Controls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/ImgList.h"

#include <memory>
#include <string>
#include <vector>

namespace skin {

class TbsSkinImagesMenu;

class TbsImagesMenuItem {
public:
    int ImageIndex = -1;
    std::string Caption;       // of a button or header row
    platform::TNotifyEvent OnClick;
    bool Button = false;       // a full-width row with picture and caption
    bool Header = false;       // a full-width row that cannot be chosen
    std::string Hint;
    platform::TRect ItemRect;  // in the grid window, set by the layout
    platform::TColor FColor = 0;

    // Copies the picture, caption, button kind and hint.
    void Assign(const TbsImagesMenuItem& ASource);
};

class TbsImagesMenuItems {
public:
    explicit TbsImagesMenuItems(TbsSkinImagesMenu* AMenu) : ImagesMenu(AMenu) {}
    TbsSkinImagesMenu* ImagesMenu;
    int Count() const { return int(FItems.size()); }
    TbsImagesMenuItem* Items(int AIndex) const { return FItems[size_t(AIndex)].get(); }
    TbsImagesMenuItem* Add();
    void Clear() { FItems.clear(); }
    void Assign(const TbsImagesMenuItems& ASource);

private:
    std::vector<std::unique_ptr<TbsImagesMenuItem>> FItems;
};

class TbsSkinImagesMenuPopupWindow : public TbsSkinPopupControl {
public:
    explicit TbsSkinImagesMenuPopupWindow(TbsSkinImagesMenu* AOwner);
    ~TbsSkinImagesMenuPopupWindow() override;

    void Show(const platform::TRect& PopupRect);
    void Hide(bool AProcessEvents);

    bool FSkinSupport = false;
    TbsSkinImagesMenu* ImagesMenu;
    platform::TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    platform::TRect NewItemsRect;
    platform::TBitmap* WindowPicture = nullptr;
    platform::TBitmap* MaskPicture = nullptr;
    int MouseInItem = -1;
    int OldMouseInItem = -1;
    bool FDown = false;
    bool FItemDown = false;

    void CalcItemRects();
    void CalcSize();
    void TestActive(int X, int Y);
    void ProcessKey(int AKey);
    void NewAppMessage(platform::TMsg& Msg, bool& Handled);
    int FindLeft() const;
    int FindRight() const;
    int FindUp() const;
    int FindDown() const;

protected:
    void PopupWndProc(platform::TMessage& M) override;
    void Paint() override;
    void MouseDown(platform::TMouseButtonKind Button, platform::TShiftState Shift, int X, int Y) override;
    void MouseUp(platform::TMouseButtonKind Button, platform::TShiftState Shift, int X, int Y) override;
    void MouseMove(platform::TShiftState Shift, int X, int Y) override;

private:
    int ItemAt(int X, int Y) const;
    int FirstSelectable() const;
    void SetHot(int AIndex);
    void DrawItemFrame(platform::TCanvas* C, const platform::TRect& R, bool ADown);
    void DrawItemText(platform::TCanvas* C, const std::string& AText, const platform::TRect& R, bool ADown, bool AHot);
    void DrawHeader(platform::TCanvas* C, const platform::TRect& R, const std::string& ACaption);
    TbsDataSkinButtonControl* ButtonRecord() const;
    TbsDataSkinLabelControl* LabelRecord() const;

    TbsAppMessageHook FHook;
};

class TbsSkinImagesMenu : public platform::TComponent, public IbsSkinImagesMenu {
public:
    explicit TbsSkinImagesMenu(platform::TComponent* AOwner);
    ~TbsSkinImagesMenu() override;

    platform::TCustomImageList* Images() const override { return FImages; }
    void SetImages(platform::TCustomImageList* AValue);
    TbsImagesMenuItems* ImagesItems() { return &FImagesItems; }
    void SetImagesItems(const TbsImagesMenuItems& AValue) { FImagesItems.Assign(AValue); }
    int ItemIndex = -1;
    int ColumnsCount() const { return FColumnsCount; }
    // Takes 1 to 50; other values are ignored.
    void SetColumnsCount(int AValue);
    platform::TNotifyEvent OnItemClick;
    TbsSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TbsSkinData* AValue);
    bool ShowSelectedItem = true;
    platform::TNotifyEvent OnChange;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    uint8_t AlphaBlendValue = 200;
    platform::TNotifyEvent OnInternalChange;
    platform::TNotifyEvent OnMenuClose;
    platform::TNotifyEvent OnMenuPopup;
    platform::TNotifyEvent OnInternalMenuClose;
    platform::TFont* DefaultFont() { return &FDefaultFont; }
    void SetDefaultFont(platform::TFont* AValue) { FDefaultFont.Assign(AValue); }
    bool UseSkinFont = true;
    TbsSkinHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(TbsSkinHint* AValue);
    bool ShowHints = true;

    TbsImagesMenuItem* SelectedItem() const;
    TbsSkinImagesMenuPopupWindow* PopupWindow() const { return FPopupWindow; }

    void Popup(int X, int Y);
    void PopupFromRect(const platform::TRect& R) override;
    void Hide();
    // The window has closed: it is freed, then the events run.
    void ClosePopupWindow(bool AProcessEvents);

    platform::TComponent* MenuComponent() override { return this; }
    bool SelectedItem(std::string& ACaption, int& AImageIndex) const override;
    void SetOnInternalChange(platform::TNotifyEvent AEvent) override { OnInternalChange = std::move(AEvent); }
    void SetOnInternalMenuClose(platform::TNotifyEvent AEvent) override { OnInternalMenuClose = std::move(AEvent); }

protected:
    void Notification(platform::TComponent* AComponent, platform::TOperation AOperation) override;

private:
    platform::TCustomImageList* FImages = nullptr;
    TbsImagesMenuItems FImagesItems{this};
    int FColumnsCount = 1;
    TbsSkinData* FSkinData = nullptr;
    TbsSkinImagesMenuPopupWindow* FPopupWindow = nullptr;
    TbsClosedPopups FClosed;
    int FOldItemIndex = -1;
    platform::TFont FDefaultFont;
    TbsSkinHint* FSkinHint = nullptr;
};

} // namespace skin
