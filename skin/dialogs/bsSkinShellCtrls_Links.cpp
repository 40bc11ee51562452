#include "skin/dialogs/bsSkinShellCtrls_Links.h"

namespace skin {

void SetViewLink(IbsShellLinkedView* AOwner, IbsShellLinkedView*& AField, IbsShellLinkedView* AValue,
                 const TRoot& ARoot)
{
    if (AField == AValue)
        return;
    if (AField) {
        AField->ViewComponent()->RemoveFreeNotification(AOwner->ViewComponent());
        AField->LinkView(AOwner, false);
    }
    AField = AValue;
    if (AField) {
        AField->SetRoot(ARoot);
        AField->LinkView(AOwner, true);
        AField->ViewComponent()->FreeNotification(AOwner->ViewComponent());
    }
}

void TakeViewLink(IbsShellLinkedView* AOwner, IbsShellLinkedView*& AField, IbsShellLinkedView* AView, bool ALinked)
{
    if (ALinked) {
        AField = AView;
        AView->ViewComponent()->FreeNotification(AOwner->ViewComponent());
    } else if (AField == AView) {
        AField = nullptr;
    }
}

} // namespace skin
