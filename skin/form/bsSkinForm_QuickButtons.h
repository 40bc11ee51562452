#pragma once
// The caption's quick buttons: small image buttons that the caption object
// draws and runs at the left of the title.

#include "platform/controls/Menus.h"
#include "platform/core/Collections.h"

#include <string>

namespace skin {

class TbsSkinForm;

class TbsQuickButtonItem : public platform::TCollectionItem {
public:
    explicit TbsQuickButtonItem(platform::TCollection* ACollection);
    std::string ClassName() const override { return "TbsQuickButtonItem"; }

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int AValue);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool AValue);
    bool Visible() const { return FVisible; }
    void SetVisible(bool AValue);
    std::string Hint;
    platform::TNotifyEvent OnClick;
    // A menu opened on press (not owned), or nil.
    platform::TPopupMenu* PopupMenu = nullptr;
    // Where the caption drew the button last; empty until then.
    platform::TRect ItemRect;
    bool Active = false;
    bool Down = false;

    // From another item: the image, hint, enabled and visible states (not
    // the handler or the menu).
    void Assign(platform::TPersistent* ASource) override;

private:
    int FImageIndex = -1;
    bool FEnabled = true;
    bool FVisible = true;
};

// Every change (an added, inserted, changed or deleted item) repaints the
// form's frame, except while the form loads.
class TbsQuickButtonItems : public platform::TOwnedCollection<TbsQuickButtonItem> {
public:
    explicit TbsQuickButtonItems(TbsSkinForm* ABSF);
    TbsSkinForm* BSF;
};

} // namespace skin
