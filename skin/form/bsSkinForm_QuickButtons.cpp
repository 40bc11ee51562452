// The caption's quick button items.

#include "skin/form/bsSkinForm_QuickButtons.h"

#include "skin/form/bsSkinForm.h"

namespace skin {

using namespace platform;

TbsQuickButtonItem::TbsQuickButtonItem(TCollection* ACollection) : TCollectionItem(ACollection) {}

void TbsQuickButtonItem::SetImageIndex(int AValue)
{
    FImageIndex = AValue;
    Changed(false);
}

void TbsQuickButtonItem::SetEnabled(bool AValue)
{
    FEnabled = AValue;
    Changed(false);
}

void TbsQuickButtonItem::SetVisible(bool AValue)
{
    FVisible = AValue;
    Changed(false);
}

void TbsQuickButtonItem::Assign(TPersistent* ASource)
{
    auto* other = dynamic_cast<TbsQuickButtonItem*>(ASource);
    if (!other) {
        TCollectionItem::Assign(ASource);
        return;
    }
    FImageIndex = other->FImageIndex;
    Hint = other->Hint;
    FEnabled = other->FEnabled;
    FVisible = other->FVisible;
    Changed(false);
}

TbsQuickButtonItems::TbsQuickButtonItems(TbsSkinForm* ABSF) : TOwnedCollection(ABSF), BSF(ABSF)
{
    OnUpdate = [this](TCollectionItem*) {
        if (!BSF->IsLoading() && !BSF->IsDesigning())
            BSF->UpDateFormNC();
    };
}

} // namespace skin
