#include "skin/dialogs/bsSkinShellCtrls_TreeView.h"

#include "skin/dialogs/bsDialogLook.h"
#include "skin/dialogs/bsSkinShellCtrls_Images.h"
#include "skin/dialogs/bsSkinShellCtrls_Verbs.h"
#include "skin/form/bsSkinMenus.h"

#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/ShellExecute.h"
#include "platform/ui/Messages.h"

#include <sys/stat.h>

namespace skin {

using namespace platform;

TbsCustomShellTreeView::TbsCustomShellTreeView(TComponent* AOwner) : TbsSkinCustomTreeView(AOwner)
{
    SetShowRoot(false);
    RightClickSelect = true;
    RequestImageList();
}

TbsCustomShellTreeView::~TbsCustomShellTreeView()
{
    SetViewLink(this, FListView, nullptr, FRoot);
    SetViewLink(this, FComboBox, nullptr, FRoot);
    FreeNodeFolders();
}

TbsShellFolder* TbsCustomShellTreeView::FolderOf(TTreeNode* ANode)
{
    return ANode ? static_cast<TbsShellFolder*>(ANode->Data) : nullptr;
}

void TbsCustomShellTreeView::CreateWnd()
{
    TbsSkinCustomTreeView::CreateWnd();
    FreeNodeFolders();
    if (!Images())
        RequestImageList();
    BuildRootNode();
    if (!FPath.empty())
        SetPath(FPath);
}

void TbsCustomShellTreeView::DestroyWnd()
{
    FreeNodeFolders();
    TbsSkinCustomTreeView::DestroyWnd();
}

void TbsCustomShellTreeView::Notification(TComponent* AComponent, TOperation AOperation)
{
    const bool imagesGone = AOperation == opRemove && AComponent && AComponent == Images();
    TbsSkinCustomTreeView::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    FParts.Forget(AComponent, {&FListView, &FComboBox});
    // The caller's list is gone: the shell icons take its place.
    if (imagesGone)
        RequestImageList();
}

// ---------------------------------------------------------------- images

void TbsCustomShellTreeView::RequestImageList()
{
    TCustomImageList* list = Images() ? Images() : FUseShellImages ? ShellSmallImages() : nullptr;
    WithFlag(FImageListChanging,
             [&] { Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list)); });
}

void TbsCustomShellTreeView::WndProc(TMessage& M)
{
    if (M.Msg == TVM_SETIMAGELIST && M.WParam == TVSIL_NORMAL && !FImageListChanging) {
        M.Result = reinterpret_cast<LRESULT>(ShownImages());
        RequestImageList();
        return;
    }
    TbsSkinCustomTreeView::WndProc(M);
}

void TbsCustomShellTreeView::SetUseShellImages(bool AValue)
{
    FUseShellImages = AValue;
    RequestImageList();
}

void TbsCustomShellTreeView::SetShellIndexes(TTreeNode* ANode, const TbsShellFolder& AFolder)
{
    if (!FUseShellImages || Images())
        return;
    ANode->ImageIndex = ShellSmallImages()->Prepare(SystemIconIndex(AFolder.AbsoluteID(), false, false));
    ANode->SelectedIndex = ShellSmallImages()->Prepare(SystemIconIndex(AFolder.AbsoluteID(), false, true));
}

void TbsCustomShellTreeView::GetImageIndex(TTreeNode* ANode)
{
    if (Images())
        TbsSkinCustomTreeView::GetImageIndex(ANode);
}

void TbsCustomShellTreeView::GetSelectedIndex(TTreeNode* ANode)
{
    if (Images())
        TbsSkinCustomTreeView::GetSelectedIndex(ANode);
}

void TbsCustomShellTreeView::FreeNodeFolders()
{
    Items()->BeginUpdate();
    for (TTreeNode* n = Items()->GetFirstNode(); n; n = n->GetNext()) {
        delete FolderOf(n);
        n->Data = nullptr;
    }
    Items()->Clear();
    Items()->EndUpdate();
}

void TbsCustomShellTreeView::Delete(TTreeNode* ANode)
{
    delete FolderOf(ANode);
    ANode->Data = nullptr;
    TbsSkinCustomTreeView::Delete(ANode);
}

// ---------------------------------------------------------------- building

void TbsCustomShellTreeView::BuildRootNode()
{
    if (IsLoading())
        return;
    std::string failure;
    try {
        FRootFolder.reset(RootItemFromText(FRootFolder.release(), FOldRoot, FRoot));
    } catch (const std::exception& e) {
        failure = e.what();
    }
    if (FRootFolder) {
        FreeNodeFolders();
        auto* folder = new TbsShellFolder(nullptr, FRootFolder->AbsoluteID(), FRootFolder->ShellFolder());
        TTreeNode* node = Items()->AddObject(nullptr, folder->DisplayName(), folder);
        SetShellIndexes(node, *folder);
        node->SetHasChildren(folder->SubFolders());
        node->Expand(false);
        SetSelected(node);
    }
    if (!failure.empty())
        throw Exception(failure);
}

void TbsCustomShellTreeView::ReloadRoot()
{
    if (FUpdating)
        return;
    WithFlag(FUpdating, [&] {
        BuildRootNode();
        if (FListView)
            FListView->SetRoot(FRoot);
    });
}

void TbsCustomShellTreeView::SetRoot(const TRoot& AValue)
{
    if (CompareText(AValue, FRoot) == 0)
        return;
    FOldRoot = FRoot;
    FRoot = AValue;
    ReloadRoot();
}

void TbsCustomShellTreeView::SetObjectTypes(TShellObjectTypes AValue)
{
    FObjectTypes = AValue;
    ReloadRoot();
}

void TbsCustomShellTreeView::InitFolderNode(TTreeNode* ANode, TbsShellFolder* AFolder)
{
    ANode->Data = AFolder;
    ANode->SetText(AFolder->DisplayName());
    SetShellIndexes(ANode, *AFolder);
    if (ANode->SelectedIndex == 0)
        ANode->SelectedIndex = ANode->ImageIndex;
    bool children = AFolder->SubFolders();
    if ((FObjectTypes & otNonFolders) && AFolder->ShellFolder())
        children = HasEnumerableItems(AFolder->ShellFolder(), EnumFlagsOf(FObjectTypes));
    ANode->SetHasChildren(children);
}

void TbsCustomShellTreeView::SortChildren(TTreeNode* ANode)
{
    ANode->CustomSort(
        [](TTreeNode* A, TTreeNode* B) {
            TbsShellFolder* a = FolderOf(A);
            IShellFolderPtr parent = a ? a->ParentShellFolder() : nullptr;
            if (!parent || !FolderOf(B))
                return 0;
            return int(int16_t(parent->CompareIDs(0, a->RelativeID(), FolderOf(B)->RelativeID()) & 0xFFFF));
        },
        false);
}

void TbsCustomShellTreeView::FillNode(TTreeNode* ANode)
{
    TbsShellFolder* folder = FolderOf(ANode);
    const TCursor cursor = Screen()->Cursor();
    Screen()->SetCursor(crHourGlass);
    Items()->BeginUpdate();
    struct TEnd {
        TTreeNodes* Nodes;
        TCursor Cursor;
        ~TEnd()
        {
            Nodes->EndUpdate();
            Screen()->SetCursor(Cursor);
        }
    } end{Items(), cursor};
    std::unique_ptr<IEnumIDList> items;
    // A folder that cannot be read shows no children.
    if (!folder || !folder->ShellFolder() || !folder->ShellFolder()->EnumObjects(EnumFlagsOf(FObjectTypes), items)
        || !items)
        return;
    PItemIDList id = nullptr;
    while (items->Next(id)) {
        TItemIDListPtr owned(id);
        auto* child = new TbsShellFolder(folder, id, BindChildFolder(folder->ShellFolder(), id, 0));
        bool canAdd = true;
        if (OnAddFolder)
            OnAddFolder(this, child, canAdd);
        if (!canAdd) {
            delete child;
            continue;
        }
        InitFolderNode(Items()->AddChildObject(ANode, "", nullptr), child);
    }
    SortChildren(ANode);
}

bool TbsCustomShellTreeView::CanExpand(TTreeNode* ANode)
{
    const bool allowed = TbsSkinCustomTreeView::CanExpand(ANode);
    if (allowed)
        if (TbsShellFolder* folder = FolderOf(ANode)) {
            if (!folder->IsFolder())
                ShellOpen(folder->PathName());
            else if (ANode->HasChildren() && ANode->Count() == 0)
                FillNode(ANode);
        }
    ANode->SetHasChildren(ANode->Count() > 0);
    return allowed && ANode->Count() > 0;
}

// ---------------------------------------------------------------- selection

bool TbsCustomShellTreeView::CanChange(TTreeNode* ANode)
{
    const bool allowed = TbsSkinCustomTreeView::CanChange(ANode);
    if (!allowed || FUpdating || !ANode)
        return allowed;
    TbsShellFolder* folder = FolderOf(ANode);
    if (folder && !folder->IsFolder() && folder->Parent())
        folder = folder->Parent();
    const bool refresh = FAutoRefresh;
    SetAutoRefresh(false);
    if (folder)
        WithFlag(FUpdating, [&] {
            if (FComboBox)
                FComboBox->ShowLinkedFolder(folder->AbsoluteID());
            if (FListView)
                FListView->ShowLinkedFolder(folder->AbsoluteID());
        });
    FNodeToMonitor = ANode;
    SetAutoRefresh(refresh);
    FNodeToMonitor = nullptr;
    return allowed;
}

void TbsCustomShellTreeView::SetAutoRefresh(bool AValue)
{
    FAutoRefresh = AValue;
    if (IsLoading())
        return;
    TbsShellFolder* watched = FNodeToMonitor ? FolderOf(FNodeToMonitor) : FRootFolder.get();
    FParts.Watch(AValue && watched ? watched->PathName() : std::string(), [this] { RefreshSelected(); });
}

void TbsCustomShellTreeView::RefreshSelected()
{
    if (Selected())
        Refresh(Selected());
}

TTreeNode* TbsCustomShellTreeView::FindNodeByID(PCItemIDList AID, TTreeNode* AStart) const
{
    if (!AStart)
        return nullptr;
    const int level = AStart->Level();
    for (TTreeNode* n = AStart; n; n = n->GetNext()) {
        if (n != AStart && n->Level() <= level)
            break;
        if (FolderOf(n) && SameItemID(FolderOf(n)->AbsoluteID(), AID))
            return n;
    }
    return nullptr;
}

void TbsCustomShellTreeView::SelectFolderID(PCItemIDList AID)
{
    if (IsLoading() || (SelectedFolder() && SameItemID(SelectedFolder()->AbsoluteID(), AID)))
        return;
    WithFlag(FUpdating, [&] {
        std::unique_ptr<std::vector<PItemIDList>, void (*)(std::vector<PItemIDList>*)> chain(BuildAncestorIDs(AID),
                                                                                             FreeAncestorIDs);
        TTreeNode* start = Items()->GetFirstNode();
        for (PItemIDList ancestor : *chain)
            if (TTreeNode* n = FindNodeByID(ancestor, start)) {
                n->Expand(false);
                start = n;
            }
        TTreeNode* node = FindNodeByID(AID, start);
        SetSelected(node);
        if (node && FolderOf(node)) {
            if (FListView)
                FListView->ShowLinkedFolder(FolderOf(node)->AbsoluteID());
            if (FComboBox)
                FComboBox->ShowLinkedFolder(FolderOf(node)->AbsoluteID());
        }
    });
}

TbsShellFolder* TbsCustomShellTreeView::SelectedFolder() const { return FolderOf(Selected()); }

TbsShellFolder* TbsCustomShellTreeView::FolderAt(int AIndex) const
{
    int i = 0;
    for (TTreeNode* n = const_cast<TbsCustomShellTreeView*>(this)->Items()->GetFirstNode(); n; n = n->GetNext(), ++i)
        if (i == AIndex)
            return FolderOf(n);
    return nullptr;
}

std::string TbsCustomShellTreeView::Path() const
{
    return SelectedFolder() ? SelectedFolder()->PathName() : std::string();
}

void TbsCustomShellTreeView::SetPath(const std::string& AValue)
{
    FPath = AValue;
    PItemIDList id = nullptr;
    if (!DesktopFolderInterface()->ParseDisplayName(AValue, id) || !id)
        throw EInvalidPath(Format("Error setting path: \"%s\"", AValue));
    TItemIDListPtr owned(id);
    SelectFolderID(id);
    if (TTreeNode* node = Selected()) {
        node->Expand(false);
        CanChange(node);
    }
}

void TbsCustomShellTreeView::ExpandMyComputer()
{
    PItemIDList computer = nullptr;
    if (!SHGetSpecialFolderLocation(RootFolderCSIDL(rfMyComputer), computer))
        return;
    TItemIDListPtr owned(computer);
    SelectFolderID(computer);
    if (Selected())
        Selected()->Expand(false);
}

// ---------------------------------------------------------------- refresh

void TbsCustomShellTreeView::Refresh(TTreeNode* ANode)
{
    TbsShellFolder* old = FolderOf(ANode);
    if (!old || !old->ShellFolder())
        return;
    TItemIDListPtr selected(SelectedFolder() ? DuplicateItemIDList(SelectedFolder()->AbsoluteID()) : nullptr);
    TItemIDListPtr top(TopItem() && FolderOf(TopItem()) ? DuplicateItemIDList(FolderOf(TopItem())->AbsoluteID())
                                                        : nullptr);
    // Which folders below the node were open, to open them again.
    std::vector<TItemIDListPtr> expanded;
    for (TTreeNode* n = ANode; n; n = n->GetNext()) {
        if (n != ANode && n->Level() <= ANode->Level())
            break;
        if (n->Expanded() && FolderOf(n))
            expanded.emplace_back(DuplicateItemIDList(FolderOf(n)->AbsoluteID()));
    }
    WithFlag(FUpdating, [&] {
        Items()->BeginUpdate();
        TTreeNode* parentNode = ANode->Parent();
        auto* fresh = new TbsShellFolder(parentNode ? FolderOf(parentNode) : nullptr, old->RelativeID(),
                                         old->ShellFolder());
        TTreeNode* node = Items()->InsertObject(ANode, "", nullptr);
        InitFolderNode(node, fresh);
        FillNode(node);
        ANode->Delete();
        for (const TItemIDListPtr& id : expanded)
            if (TTreeNode* again = FindNodeByID(id.get(), node))
                again->Expand(false);
        if (selected)
            SetSelected(FindNodeByID(selected.get(), Items()->GetFirstNode()));
        if (top)
            if (TTreeNode* t = FindNodeByID(top.get(), Items()->GetFirstNode()))
                SetTopItem(t);
        Items()->EndUpdate();
    });
}

// ---------------------------------------------------------------- editing and verbs

void TbsCustomShellTreeView::Edit(TTreeNode* ANode, const std::string* ANewText)
{
    if (!ANewText || !ANode)
        return;
    std::string text = *ANewText;
    if (OnEdited)
        OnEdited(this, ANode, text);
    TbsShellFolder* folder = FolderOf(ANode);
    if (folder && text != folder->DisplayName() && folder->Rename(text))
        ANode->SetText(text);
    if (ANode->Parent())
        Refresh(ANode->Parent());
}

void TbsCustomShellTreeView::ExecuteCommand(const std::string& AVerb, bool& AHandled)
{
    // "open" runs in the folder through the launcher; the process's current
    // folder is never changed for it.
    if (SameText(AVerb, "rename") && Selected()) {
        Selected()->EditText();
        AHandled = true;
    }
}

void TbsCustomShellTreeView::CommandCompleted(const std::string& AVerb, bool ASucceeded)
{
    TTreeNode* node = Selected();
    if (!ASucceeded || !node)
        return;
    if (SameText(AVerb, "delete")) {
        struct stat st {};
        if (FolderOf(node) && lstat(FolderOf(node)->PathName().c_str(), &st) != 0)
            node->Delete();
    } else if (SameText(AVerb, "paste")) {
        Refresh(node);
    }
}

void TbsCustomShellTreeView::WMContextMenu(TMessage& M)
{
    TbsShellFolder* f = SelectedFolder();
    if (!AutoContextMenus || !f || (PopupMenu() && PopupMenu()->AutoPopup)) {
        TbsSkinCustomTreeView::WMContextMenu(M);
        return;
    }
    FParts.PopupContextMenu(M, SkinData(), f, [this](PCItemIDList AID) -> TbsShellFolder* {
        return FolderOf(FindNodeByID(AID, Items()->GetFirstNode()));
    });
}

// ---------------------------------------------------------------- links

void TbsCustomShellTreeView::SetShellListView(IbsShellLinkedView* AValue) { SetViewLink(this, FListView, AValue, FRoot); }
void TbsCustomShellTreeView::SetShellComboBox(IbsShellLinkedView* AValue) { SetViewLink(this, FComboBox, AValue, FRoot); }

void TbsCustomShellTreeView::LinkView(IbsShellLinkedView* AView, bool ALinked)
{
    TakeViewLink(this, AView->IsFolderCombo() ? FComboBox : FListView, AView, ALinked);
}

} // namespace skin
