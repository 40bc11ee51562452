#pragma once
// The shell views that show one folder together: a folder tree, a folder
// list and a folder combo. Each tells the others of its new folder by
// absolute identifier list; an updating flag in each stops the echo.

#include "skin/dialogs/bsSkinShellCtrls_Folder.h"

#include "platform/core/Classes.h"

namespace skin {

class IbsShellLinkedView {
public:
    virtual ~IbsShellLinkedView() = default;
    virtual platform::TComponent* ViewComponent() = 0;
    virtual void SetRoot(const TRoot& AValue) = 0;
    // Shows the folder of AID: a tree selects it, a list or a combo follows
    // it. Does nothing while the view itself is updating.
    virtual void ShowLinkedFolder(PCItemIDList AID) = 0;
    // The view's link back to a combo (AView a combo) or to the others.
    virtual void LinkView(IbsShellLinkedView* AView, bool ALinked) = 0;
    // A folder tree (the other two are a list and a combo).
    virtual bool IsFolderTree() const { return false; }
    virtual bool IsFolderCombo() const { return false; }
};

} // namespace skin

namespace skin {

// AOwner's link AField moves to AValue: the old view is let go, the new one
// takes AOwner's root and links back.
void SetViewLink(IbsShellLinkedView* AOwner, IbsShellLinkedView*& AField, IbsShellLinkedView* AValue,
                 const TRoot& ARoot);
// The other side set or cleared a link to AOwner: it is taken without
// being told back.
void TakeViewLink(IbsShellLinkedView* AOwner, IbsShellLinkedView*& AField, IbsShellLinkedView* AView, bool ALinked);

} // namespace skin
