#pragma once
// What the shell tree view and the shell list view share: the change
// notifier that watches the folder they show, the item context menu, and
// forgetting either of them (and a linked view) when it goes.

#include "skin/dialogs/bsSkinShellCtrls_Links.h"
#include "skin/dialogs/bsSkinShellCtrls_Notifier.h"
#include "skin/form/bsSkinMenus.h"

#include <functional>
#include <string>

namespace skin {

class TbsShellViewParts {
public:
    // AView owns the notifier and the menu.
    explicit TbsShellViewParts(platform::TWinControl* AView) : FView(AView) {}

    // Watches APath (not its sub-folders) and runs AOnChange on a change;
    // "" watches nothing. The notifier watching before goes.
    void Watch(const std::string& APath, std::function<void()> AOnChange);
    // The view's Notification: a removed notifier, menu or linked view
    // (ALinks) is forgotten.
    void Forget(platform::TComponent* AComponent, std::initializer_list<IbsShellLinkedView**> ALinks);
    // Shows the item context menu of AItem at the message's point (the
    // view's middle for the keyboard). The item is looked up again by
    // AFind when an entry is clicked: the view may be read again while the
    // menu is open.
    void PopupContextMenu(platform::TMessage& M, TbsSkinData* ASkin, TbsShellFolder* AItem,
                          std::function<TbsShellFolder*(PCItemIDList)> AFind);

private:
    platform::TWinControl* FView;
    TbsShellChangeNotifier* FNotifier = nullptr;   // owned by the view
    TbsSkinPopupMenu* FContextMenu = nullptr;      // owned by the view
};

} // namespace skin
