// The list view's columns and items.
#include "platform/controls/ComCtrls_ListView.h"

#include <algorithm>

namespace platform {

// ---- TListColumn

void TListColumn::SetCaption(const std::string& AValue)
{
    if (AValue != FCaption) {
        FCaption = AValue;
        Changed(false);
    }
}

void TListColumn::SetWidth(int AValue)
{
    AValue = std::max(AValue, std::max(0, FMinWidth));
    if (FMaxWidth > 0)
        AValue = std::min(AValue, FMaxWidth);
    if (AValue != FWidth) {
        FWidth = AValue;
        Changed(false);
    }
}

void TListColumn::SetMinWidth(int AValue)
{
    FMinWidth = std::max(0, AValue);
    if (FWidth < FMinWidth)
        SetWidth(FWidth);
}

void TListColumn::SetMaxWidth(int AValue)
{
    FMaxWidth = std::max(0, AValue);
    if (FMaxWidth > 0 && FWidth > FMaxWidth)
        SetWidth(FWidth);
}

void TListColumn::SetAlignment(TAlignment AValue)
{
    if (AValue != FAlignment) {
        FAlignment = AValue;
        Changed(false);
    }
}

void TListColumn::SetImageIndex(int AValue)
{
    if (AValue != FImageIndex) {
        FImageIndex = AValue;
        Changed(false);
    }
}

void TListColumn::Assign(TPersistent* ASource)
{
    if (auto* c = dynamic_cast<TListColumn*>(ASource)) {
        FCaption = c->FCaption;
        FMinWidth = c->FMinWidth;
        FMaxWidth = c->FMaxWidth;
        FWidth = c->FWidth;
        FAlignment = c->FAlignment;
        FImageIndex = c->FImageIndex;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(ASource);
}

// ---- TListColumns

TListColumns::TListColumns(TCustomListView* AOwner) : TOwnedCollection<TListColumn>(AOwner), FView(AOwner) {}

int TListColumns::TotalWidth() const
{
    int w = 0;
    for (int i = 0; i < Count(); ++i)
        w += Items(i)->Width();
    return w;
}

void TListColumns::Update(TCollectionItem* AItem)
{
    TOwnedCollection<TListColumn>::Update(AItem);
    FView->ColumnsChanged();
}

// ---- TListItem

TListItem::TListItem(TListItems* AOwner) : FOwner(AOwner)
{
    FSubItems.OnChange = [this](TObject*) { Changed(ctText); };
}

TListItem::~TListItem() = default;

TCustomListView* TListItem::ListView() const { return FOwner ? FOwner->Owner() : nullptr; }

void TListItem::Changed(TItemChange AChange)
{
    if (TCustomListView* v = ListView(); v && FIndex >= 0)
        v->ItemChanged(this, AChange);
}

int TListItem::SubItemImages(int AIndex) const
{
    if (AIndex < 0)
        throw EListError("List index out of bounds (" + std::to_string(AIndex) + ")");
    return size_t(AIndex) < FSubItemImages.size() ? FSubItemImages[size_t(AIndex)] : -1;
}

void TListItem::SetSubItemImages(int AIndex, int AValue)
{
    if (SubItemImages(AIndex) == AValue)
        return;
    if (size_t(AIndex) >= FSubItemImages.size())
        FSubItemImages.resize(size_t(AIndex) + 1, -1);
    FSubItemImages[size_t(AIndex)] = AValue;
    Changed(ctImage);
}

void TListItem::SetCaption(const std::string& AValue)
{
    if (AValue == FCaption)
        return;
    FCaption = AValue;
    Changed(ctText);
}

void TListItem::SetImageIndex(int AValue)
{
    if (AValue == FImageIndex)
        return;
    FImageIndex = AValue;
    Changed(ctImage);
}

void TListItem::SetChecked(bool AValue)
{
    if (AValue == FChecked)
        return;
    FChecked = AValue;
    Changed(ctState);
}

bool TListItem::Selected() const
{
    TCustomListView* v = ListView();
    return v && FIndex >= 0 ? v->IsSelectedAt(FIndex) : FSelected;
}

void TListItem::SetSelected(bool AValue)
{
    if (TCustomListView* v = ListView(); v && FIndex >= 0)
        v->SetSelectedAt(FIndex, AValue, true);
    else
        FSelected = AValue;
}

bool TListItem::Focused() const
{
    TCustomListView* v = ListView();
    return v && FIndex >= 0 && v->FFocusedIndex == FIndex;
}

void TListItem::SetFocused(bool AValue)
{
    TCustomListView* v = ListView();
    if (!v || FIndex < 0)
        return;
    if (AValue)
        v->SetItemFocused(this);
    else if (v->FFocusedIndex == FIndex)
        v->SetItemFocused(nullptr);
}

TRect TListItem::DisplayRect(TDisplayCode ACode) const
{
    TCustomListView* v = ListView();
    return v && FIndex >= 0 ? v->ItemRect(FIndex, ACode) : TRect{};
}

void TListItem::MakeVisible(bool)
{
    if (TCustomListView* v = ListView(); v && FIndex >= 0)
        v->EnsureVisible(FIndex);
}

void TListItem::Update()
{
    if (TCustomListView* v = ListView(); v && FIndex >= 0)
        v->UpdateItems(FIndex, FIndex);
}

void TListItem::Delete()
{
    if (FOwner && FIndex >= 0 && !FOwner->FView->OwnerData())
        FOwner->Delete(FIndex);
}

bool TListItem::EditCaption()
{
    TCustomListView* v = ListView();
    if (!v || FIndex < 0)
        return false;
    v->BeginLabelEdit(FIndex);
    return v->IsEditing();
}

void TListItem::CancelEdit()
{
    if (TCustomListView* v = ListView(); v && v->IsEditing() && v->FEditIndex == FIndex)
        v->EndLabelEdit(true);
}

void TListItem::Assign(TPersistent* ASource)
{
    auto* src = dynamic_cast<TListItem*>(ASource);
    if (!src) {
        TPersistent::Assign(ASource);
        return;
    }
    if (src == this)
        return;
    FCaption = src->FCaption;
    FImageIndex = src->FImageIndex;
    FSubItemImages = src->FSubItemImages;
    Data = src->Data;
    FChecked = src->FChecked;
    // One repaint for the whole copy.
    auto onChange = std::move(FSubItems.OnChange);
    FSubItems.Assign(src->FSubItems);
    FSubItems.OnChange = std::move(onChange);
    Changed(ctText);
}

// ---- TListItems

TListItems::TListItems(TCustomListView* AOwner) : FView(AOwner) {}

TListItems::~TListItems()
{
    for (auto& i : FItems)
        i->FIndex = -1;
}

int TListItems::Count() const { return FView->OwnerData() ? FDataCount : int(FItems.size()); }

void TListItems::SetCount(int AValue)
{
    if (!FView->OwnerData())
        return;
    AValue = std::max(0, AValue);
    if (AValue == FDataCount)
        return;
    FDataCount = AValue;
    FView->ItemsChanged();
}

void TListItems::CheckIndex(int AIndex) const
{
    if (AIndex < 0 || AIndex >= Count())
        throw EListError("List index out of bounds (" + std::to_string(AIndex) + ")");
}

TListItem* TListItems::Item(int AIndex)
{
    CheckIndex(AIndex);
    if (FView->OwnerData())
        return FView->FetchItem(AIndex, irText | irImage | irParam | irState);
    return FItems[size_t(AIndex)].get();
}

void TListItems::Reindex(int AFrom)
{
    for (size_t i = size_t(std::max(0, AFrom)); i < FItems.size(); ++i)
        FItems[i]->FIndex = int(i);
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int AIndex)
{
    if (FView->OwnerData())
        throw EListError("Operation not allowed on a list view in owner-data mode");
    if (AIndex < 0 || AIndex > Count())
        throw EListError("List index out of bounds (" + std::to_string(AIndex) + ")");
    return AddItem(nullptr, AIndex);
}

TListItem* TListItems::AddItem(TListItem* AItem, int AIndex)
{
    if (FView->OwnerData())
        throw EListError("Operation not allowed on a list view in owner-data mode");
    if (AIndex < 0 || AIndex > Count())
        AIndex = Count();
    auto item = std::make_unique<TListItem>(this);
    if (AItem)
        item->Assign(AItem);
    TListItem* result = item.get();
    FItems.insert(FItems.begin() + AIndex, std::move(item));
    Reindex(AIndex);
    FView->ItemsChanged();
    return result;
}

void TListItems::Delete(int AIndex)
{
    CheckIndex(AIndex);
    if (FView->OwnerData())
        throw EListError("Operation not allowed on a list view in owner-data mode");
    if (FView->FEditIndex == AIndex)
        FView->EndLabelEdit(true);
    std::unique_ptr<TListItem> gone = std::move(FItems[size_t(AIndex)]);
    FItems.erase(FItems.begin() + AIndex);
    gone->FIndex = -1;
    Reindex(AIndex);
    int& focused = FView->FFocusedIndex;
    if (focused == AIndex)
        focused = -1;
    else if (focused > AIndex)
        --focused;
    if (FView->FAnchorIndex >= Count())
        FView->FAnchorIndex = -1;
    if (FView->FEditIndex > AIndex)
        --FView->FEditIndex;
    FView->ItemsChanged();
}

void TListItems::Clear()
{
    if (FView->OwnerData()) {
        SetCount(0);
        return;
    }
    FView->EndLabelEdit(true);
    for (auto& i : FItems)
        i->FIndex = -1;
    FItems.clear();
    FView->FFocusedIndex = -1;
    FView->FAnchorIndex = -1;
    FView->ItemsChanged();
}

int TListItems::IndexOf(const TListItem* AItem) const
{
    return AItem && AItem->FOwner == this ? AItem->FIndex : -1;
}

void TListItems::BeginUpdate() { ++FUpdateCount; }

void TListItems::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        FView->ItemsChanged();
}

void TListItems::Assign(TPersistent* ASource)
{
    auto* src = dynamic_cast<TListItems*>(ASource);
    if (!src) {
        TPersistent::Assign(ASource);
        return;
    }
    BeginUpdate();
    Clear();
    for (int i = 0; i < src->Count(); ++i)
        AddItem(src->Item(i));
    EndUpdate();
}

} // namespace platform
