#pragma once
// Menus as data: items with captions, shortcuts, images and click handlers.
// Nothing here draws a menu; the skinned menus show them.

#include "platform/controls/Controls.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

class TCustomImageList;
class TMenu;

using TShortCut = uint16_t;   // virtual key in the low byte, scShift/scCtrl/scAlt above
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
TShortCut ShortCut(uint16_t AKey, TShiftState AShift);
void ShortCutToKey(TShortCut AShortCut, uint16_t& AKey, TShiftState& AShift);
std::string ShortCutToText(TShortCut AShortCut);
TShortCut TextToShortCut(const std::string& AText);

// Whether a menu tidies its separators itself before it is shown.
enum TMenuAutoFlag { maAutomatic, maManual };

using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    std::string Caption;
    bool Enabled = true;
    bool Visible = true;
    bool Checked = false;
    bool RadioItem = false;
    uint8_t GroupIndex = 0;
    bool Default = false;
    TShortCut ShortCut = scNone;
    int ImageIndex = -1;
    std::string Hint;
    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TBitmap* Bitmap();   // made when first asked for
    bool HasBitmap() const { return FBitmap != nullptr; }

    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int AIndex) const { return FItems[size_t(AIndex)]; }
    TMenuItem* operator[](int AIndex) const { return Items(AIndex); }
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    void Add(TMenuItem* AItem);
    void Insert(int AIndex, TMenuItem* AItem);
    void Delete(int AIndex);   // frees the item
    void Remove(TMenuItem* AItem);   // takes the item out, does not free it
    void Clear();
    int IndexOf(const TMenuItem* AItem) const;
    TMenuItem* Find(const std::string& ACaption) const;
    bool IsLine() const { return Caption == "-"; }
    int Command() const { return FCommand; }
    TMenu* GetParentMenu() const;
    // Checks a radio item and unchecks its group; runs OnClick.
    virtual void Click();
    void SetChecked(bool AValue);
    // Hides the child separators that would show first, last or right after
    // another shown separator (hidden children do not count), and shows again
    // the ones it hid earlier that now stand between shown items. A separator
    // the program hid itself stays hidden.
    void RethinkLines();

private:
    friend class TMenu;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;   // set on the root item
    std::vector<TMenuItem*> FItems;
    std::unique_ptr<TBitmap> FBitmap;
    int FCommand;
    bool FLineHidden = false;   // hidden by RethinkLines, not by the program
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    TMenuItem* Items() const { return FItems; }
    TCustomImageList* Images() const { return FImages; }
    TMenuAutoFlag AutoLineReduction = maAutomatic;
    void SetImages(TCustomImageList* AValue);
    TMenuItem* FindItem(int ACommand) const;
    bool DispatchCommand(int ACommand);
    // Runs the item whose shortcut this key is (enabled and visible, with enabled parents).
    bool IsShortCut(uint16_t AKey, TShiftState AShift);

protected:
    void Notification(TComponent* AComponent, TOperation AOperation) override;

private:
    TMenuItem* FItems;
    TCustomImageList* FImages = nullptr;
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
};

// Shows a popup menu; the skinned menus install it. Without one, Popup only
// runs OnPopup.
using TPopupMenuPresenter = std::function<void(class TPopupMenu* Menu, int X, int Y)>;
void SetPopupMenuPresenter(TPopupMenuPresenter APresenter);

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
    bool AutoPopup = true;
    TComponent* PopupComponent = nullptr;
    TNotifyEvent OnPopup;
    virtual void Popup(int X, int Y);
};

} // namespace platform
