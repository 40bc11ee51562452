// The tree view's nodes.
#include "platform/controls/ComCtrls_TreeView.h"

#include <algorithm>

namespace platform {

namespace {
[[noreturn]] void IndexError(int AIndex) { throw EListError("List index out of bounds (" + std::to_string(AIndex) + ")"); }
} // namespace

// ---- TTreeNode

TTreeNode::TTreeNode(TTreeNodes* AOwner, TTreeNode* AParent) : FOwner(AOwner), FParent(AParent) {}

TTreeNode::~TTreeNode() = default;

TCustomTreeView* TTreeNode::TreeView() const { return FOwner->Owner(); }

int TTreeNode::Level() const
{
    int n = 0;
    for (TTreeNode* p = FParent; p; p = p->FParent)
        ++n;
    return n;
}

int TTreeNode::Index() const
{
    auto& list = FOwner->SiblingsOf(FParent);
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == this)
            return int(i);
    return -1;
}

int TTreeNode::AbsoluteIndex() const
{
    int i = 0;
    for (TTreeNode* n = FOwner->GetFirstNode(); n; n = n->GetNext(), ++i)
        if (n == this)
            return i;
    return -1;
}

void TTreeNode::SetText(const std::string& AValue)
{
    if (AValue == FText)
        return;
    FText = AValue;
    TreeView()->NodeChanged(this);
}

TTreeNode* TTreeNode::Item(int AIndex) const
{
    if (AIndex < 0 || AIndex >= Count())
        IndexError(AIndex);
    return FChildren[size_t(AIndex)].get();
}

void TTreeNode::SetHasChildren(bool AValue)
{
    if (AValue == FHasChildren)
        return;
    FHasChildren = AValue;
    TreeView()->NodeChanged(this);
}

TTreeNode* TTreeNode::GetNextSibling() const
{
    auto& list = FOwner->SiblingsOf(FParent);
    int i = Index();
    return i >= 0 && i + 1 < int(list.size()) ? list[size_t(i + 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const
{
    auto& list = FOwner->SiblingsOf(FParent);
    int i = Index();
    return i > 0 ? list[size_t(i - 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const
{
    if (!FChildren.empty())
        return FChildren.front().get();
    for (const TTreeNode* n = this; n; n = n->FParent)
        if (TTreeNode* s = n->GetNextSibling())
            return s;
    return nullptr;
}

TTreeNode* TTreeNode::GetNextVisible() const
{
    if (FExpanded && !FChildren.empty())
        return FChildren.front().get();
    for (const TTreeNode* n = this; n; n = n->FParent)
        if (TTreeNode* s = n->GetNextSibling())
            return s;
    return nullptr;
}

bool TTreeNode::IsVisible() const
{
    for (TTreeNode* p = FParent; p; p = p->FParent)
        if (!p->FExpanded)
            return false;
    return true;
}

bool TTreeNode::HasAsParent(const TTreeNode* AValue) const
{
    for (TTreeNode* p = FParent; p; p = p->FParent)
        if (p == AValue)
            return true;
    return false;
}

void TTreeNode::SetExpanded(bool AValue) { TreeView()->ExpandNode(this, AValue); }

void TTreeNode::Expand(bool ARecurse)
{
    TreeView()->ExpandNode(this, true);
    if (ARecurse)
        for (size_t i = 0; i < FChildren.size(); ++i)
            FChildren[i]->Expand(true);
}

void TTreeNode::Collapse(bool ARecurse)
{
    if (ARecurse)
        for (auto& c : FChildren)
            c->Collapse(true);
    TreeView()->ExpandNode(this, false);
}

bool TTreeNode::Selected() const { return TreeView()->Selected() == this; }

void TTreeNode::SetSelected(bool AValue)
{
    if (AValue)
        TreeView()->SetSelected(this);
    else if (Selected())
        TreeView()->SetSelected(nullptr);
}

void TTreeNode::Delete() { FOwner->Delete(this); }

void TTreeNode::DeleteChildren()
{
    FOwner->BeginUpdate();
    while (!FChildren.empty())
        FOwner->Delete(FChildren.back().get());
    FOwner->EndUpdate();
}

bool TTreeNode::EditText()
{
    TreeView()->BeginEdit(this);
    return TreeView()->IsEditing();
}

void TTreeNode::EndEdit(bool ACancel) { TreeView()->EndEdit(ACancel); }

void TTreeNode::MakeVisible() { TreeView()->EnsureVisible(this); }

TRect TTreeNode::DisplayRect(bool ATextOnly) const { return TreeView()->NodeRect(this, ATextOnly); }

void TTreeNode::CustomSort(const std::function<int(TTreeNode*, TTreeNode*)>& ACompare, bool ARecurse)
{
    std::stable_sort(FChildren.begin(), FChildren.end(),
                     [&](const std::unique_ptr<TTreeNode>& A, const std::unique_ptr<TTreeNode>& B) { return ACompare(A.get(), B.get()) < 0; });
    if (ARecurse)
        for (auto& c : FChildren)
            c->CustomSort(ACompare, true);
    FOwner->Changed();
}

// ---- TTreeNodes

TTreeNodes::TTreeNodes(TCustomTreeView* AOwner) : FView(AOwner) {}

TTreeNodes::~TTreeNodes() = default;

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* AParent)
{
    return AParent ? AParent->FChildren : FRoots;
}

TTreeNode* TTreeNodes::Item(int AIndex) const
{
    if (AIndex < 0 || AIndex >= FCount)
        IndexError(AIndex);
    TTreeNode* n = GetFirstNode();
    for (int i = 0; i < AIndex; ++i)
        n = n->GetNext();
    return n;
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* AParent, int AIndex, const std::string& S, void* AData)
{
    auto& list = SiblingsOf(AParent);
    auto node = std::make_unique<TTreeNode>(this, AParent);
    node->FText = S;
    node->Data = AData;
    TTreeNode* result = node.get();
    list.insert(list.begin() + std::clamp(AIndex, 0, int(list.size())), std::move(node));
    ++FCount;
    Changed();
    return result;
}

TTreeNode* TTreeNodes::Add(TTreeNode* ASibling, const std::string& S) { return AddObject(ASibling, S, nullptr); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* ASibling, const std::string& S, void* AData)
{
    TTreeNode* parent = ASibling ? ASibling->FParent : nullptr;
    return InsertAt(parent, int(SiblingsOf(parent).size()), S, AData);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* AParent, const std::string& S) { return AddChildObject(AParent, S, nullptr); }

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* AParent, const std::string& S, void* AData)
{
    return InsertAt(AParent, int(SiblingsOf(AParent).size()), S, AData);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* AParent, const std::string& S) { return InsertAt(AParent, 0, S, nullptr); }

TTreeNode* TTreeNodes::Insert(TTreeNode* ASibling, const std::string& S) { return InsertObject(ASibling, S, nullptr); }

TTreeNode* TTreeNodes::InsertObject(TTreeNode* ASibling, const std::string& S, void* AData)
{
    if (!ASibling)
        return AddObject(nullptr, S, AData);
    return InsertAt(ASibling->FParent, ASibling->Index(), S, AData);
}

void TTreeNodes::Delete(TTreeNode* ANode)
{
    if (!ANode || ANode->FOwner != this || ANode->FDeleting)
        return;
    ANode->FDeleting = true;
    BeginUpdate();
    while (!ANode->FChildren.empty())
        Delete(ANode->FChildren.back().get());
    FView->NodeDeleting(ANode);
    auto& list = SiblingsOf(ANode->FParent);
    auto it = std::find_if(list.begin(), list.end(), [&](auto& p) { return p.get() == ANode; });
    std::unique_ptr<TTreeNode> gone;
    if (it != list.end()) {
        gone = std::move(*it);
        list.erase(it);
        --FCount;
    }
    EndUpdate();
}

void TTreeNodes::Clear()
{
    BeginUpdate();
    while (!FRoots.empty())
        Delete(FRoots.back().get());
    EndUpdate();
}

void TTreeNodes::BeginUpdate() { ++FUpdateCount; }

void TTreeNodes::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        FView->NodesChanged();
}

void TTreeNodes::Changed()
{
    FView->NodesChanged();
}

} // namespace platform
