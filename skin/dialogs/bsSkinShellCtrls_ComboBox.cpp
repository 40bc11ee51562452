#include "skin/dialogs/bsSkinShellCtrls_ComboBox.h"

#include "skin/dialogs/bsDialogLook.h"

#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

#include <algorithm>

namespace skin {

using namespace platform;

// ---------------------------------------------------------------- entries

TbsItemEx* TbsItemsEx::Insert(int AIndex)
{
    AIndex = std::clamp(AIndex, 0, Count());
    return FItems.insert(FItems.begin() + AIndex, std::make_unique<TbsItemEx>())->get();
}

TbsItemEx* TbsItemsEx::AddItem(const std::string& ACaption, int AImageIndex, int ASelectedIndex, int AIndent,
                               TbsShellFolder* AFolder)
{
    TbsItemEx* item = Add();
    item->Caption = ACaption;
    item->ImageIndex = AImageIndex;
    item->SelectedImageIndex = ASelectedIndex;
    item->Indent = AIndent;
    item->Data = AFolder;
    return item;
}

namespace {

struct TUpdate {
    TbsItemsEx& Items;
    explicit TUpdate(TbsItemsEx& AItems) : Items(AItems) { Items.BeginUpdate(); }
    ~TUpdate() { Items.EndUpdate(); }
};

} // namespace

// ---------------------------------------------------------------- the combo

TbsCustomShellComboBox::TbsCustomShellComboBox(TComponent* AOwner) : TbsSkinCustomComboBox(AOwner)
{
    SetOnListBoxDrawItem([this](TCanvas* C, int Index, int, int, TRect R, TOwnerDrawState) {
        DrawEntry(C, Index, R, Index >= 0 && Index < FItemsEx.Count() ? FItemsEx.Items(Index)->Indent * FImageWidth / 2 : 0);
    });
    OnComboBoxDrawItem = [this](TCanvas* C, int Index, int, int, TRect R, TOwnerDrawState) { DrawEntry(C, Index, R, 0); };
}

TbsCustomShellComboBox::~TbsCustomShellComboBox()
{
    FreeItems();
    SetViewLink(this, FTreeView, nullptr, FRoot);
    SetViewLink(this, FListView, nullptr, FRoot);
}

void TbsCustomShellComboBox::CreateWnd()
{
    TbsSkinCustomComboBox::CreateWnd();
    if (FItemsEx.Count() == 0)
        InitItems();
    SyncStrings();
}

void TbsCustomShellComboBox::DestroyWnd()
{
    FreeItems();
    TbsSkinCustomComboBox::DestroyWnd();
}

void TbsCustomShellComboBox::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsSkinCustomComboBox::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (FTreeView && FTreeView->ViewComponent() == AComponent)
        FTreeView = nullptr;
    if (FListView && FListView->ViewComponent() == AComponent)
        FListView = nullptr;
}

void TbsCustomShellComboBox::FreeItems()
{
    for (int i = 0; i < FItemsEx.Count(); ++i) {
        delete FItemsEx.Items(i)->Data;
        FItemsEx.Items(i)->Data = nullptr;
    }
    FItemsEx.Clear();
    SyncStrings();
}

void TbsCustomShellComboBox::SyncStrings()
{
    // The chosen entry stays chosen, quietly: re-listing the same entries
    // is no choice of the user's.
    const int chosen = ItemIndex();
    Items()->Clear();
    for (int i = 0; i < FItemsEx.Count(); ++i)
        Items()->Add(FItemsEx.Items(i)->Caption);
    if (chosen >= 0 && chosen < FItemsEx.Count())
        ListBox()->SetItemIndex(chosen);
}

int TbsCustomShellComboBox::ShellImageIndex(TbsShellFolder* AFolder) const
{
    return ShellSmallImages()->Prepare(SystemIconIndex(AFolder->AbsoluteID(), false, false));
}

void TbsCustomShellComboBox::InitItems()
{
    if (IsLoading())
        return;
    TUpdate update(FItemsEx);
    FreeItems();
    FRootFolder.reset(RootItemFromText(FRootFolder.release(), FOldRoot, FRoot));
    auto* root = new TbsShellFolder(nullptr, FRootFolder->AbsoluteID(), FRootFolder->ShellFolder());
    const int image = ShellImageIndex(root);
    FItemsEx.AddItem(root->DisplayName(), image, image, 0, root);
    AddTopFolders();
    SyncStrings();
    SetItemIndex(0);
}

void TbsCustomShellComboBox::AddTopFolders()
{
    AddChildren(0, FRootFolder.get());
    if (FRoot != "rfDesktop")
        return;
    PItemIDList computer = nullptr;
    if (!SHGetSpecialFolderLocation(RootFolderCSIDL(rfMyComputer), computer))
        return;
    TItemIDListPtr owned(computer);
    const int index = IndexOfID(computer);
    if (index >= 0)
        AddChildren(index, FItemsEx.Items(index)->Data);
}

void TbsCustomShellComboBox::AddChildren(int AIndex, TbsShellFolder* AFolder)
{
    std::unique_ptr<IEnumIDList> items;
    if (!AFolder || !AFolder->ShellFolder() || !AFolder->ShellFolder()->EnumObjects(EnumFlagsOf(FObjectTypes), items)
        || !items)
        throw EOleSysError(Format("Cannot list the folder \"%s\"", AFolder ? AFolder->DisplayName() : std::string()));
    TUpdate update(FItemsEx);
    std::vector<TItemIDListPtr> ids;
    PItemIDList id = nullptr;
    while (items->Next(id))
        ids.emplace_back(id);
    const IShellFolderPtr folder = AFolder->ShellFolder();
    std::stable_sort(ids.begin(), ids.end(), [&](const TItemIDListPtr& A, const TItemIDListPtr& B) {
        return int16_t(folder->CompareIDs(0, A.get(), B.get()) & 0xFFFF) < 0;
    });
    int at = AIndex + 1;
    for (const TItemIDListPtr& child : ids) {
        auto* item = new TbsShellFolder(AFolder, child.get(), BindChildFolder(folder, child.get(), 0));
        TbsItemEx* entry = FItemsEx.Insert(at++);
        entry->Caption = item->DisplayName();
        entry->Data = item;
        entry->Indent = item->Level();
        entry->ImageIndex = entry->SelectedImageIndex = ShellImageIndex(item);
    }
}

TbsShellFolder* TbsCustomShellComboBox::FolderAt(int AIndex) const
{
    if (FItemsEx.Count() == 0 || AIndex < 0)
        return nullptr;
    return FItemsEx.Items(std::min(AIndex, FItemsEx.Count() - 1))->Data;
}

int TbsCustomShellComboBox::IndexOfID(PCItemIDList AID) const
{
    for (int i = FItemsEx.Count() - 1; i >= 0; --i)
        if (FItemsEx.Items(i)->Data && SameItemID(FItemsEx.Items(i)->Data->AbsoluteID(), AID))
            return i;
    return -1;
}

void TbsCustomShellComboBox::SelectFolderID(PCItemIDList AID)
{
    TUpdate update(FItemsEx);
    InitItems();
    std::unique_ptr<std::vector<PItemIDList>, void (*)(std::vector<PItemIDList>*)> chain(BuildAncestorIDs(AID),
                                                                                         FreeAncestorIDs);
    int found = -1, from = 0;
    for (int i = int(chain->size()) - 1; i >= 0 && found < 0; --i)
        if ((found = IndexOfID((*chain)[size_t(i)])) >= 0)
            from = i + 1;
    if (found < 0)
        return;
    // Each deeper ancestor, then the folder itself, goes right after the last.
    auto insertAfter = [&](int AAfter, PCItemIDList AAbsolute) {
        TbsShellFolder* parent = FItemsEx.Items(AAfter)->Data;
        TItemIDListPtr last(LastItemCopy(AAbsolute));
        auto* item = new TbsShellFolder(parent, last.get(), BindChildFolder(parent->ShellFolder(), last.get(), 0));
        TbsItemEx* entry = FItemsEx.Insert(AAfter + 1);
        entry->Caption = item->DisplayName();
        entry->Data = item;
        entry->Indent = item->Level();
        entry->ImageIndex = ShellImageIndex(item);
        return AAfter + 1;
    };
    for (size_t i = size_t(from); i < chain->size(); ++i)
        found = insertAfter(found, (*chain)[i]);
    if (IndexOfID(AID) < 0)
        found = insertAfter(found, AID);
    SyncStrings();
    SetItemIndex(IndexOfID(AID));
}

void TbsCustomShellComboBox::FollowFolder(PCItemIDList AID)
{
    if (FUpdating)
        return;
    const int selected = ItemIndex();
    if (selected >= 0 && selected < FItemsEx.Count() && FItemsEx.Items(selected)->Data
        && SameItemID(FItemsEx.Items(selected)->Data->AbsoluteID(), AID))
        return;
    WithFlag(FUpdating, [&] { SelectFolderID(AID); });
}

void TbsCustomShellComboBox::Rebuild()
{
    WithFlag(FUpdating, [&] {
        FreeItems();
        InitItems();
        if (FTreeView)
            FTreeView->SetRoot(FRoot);
        if (FListView)
            FListView->SetRoot(FRoot);
    });
}

void TbsCustomShellComboBox::SetRoot(const TRoot& AValue)
{
    if (CompareText(AValue, FRoot) == 0)
        return;
    FOldRoot = FRoot;
    FRoot = AValue;
    Rebuild();
}

void TbsCustomShellComboBox::SetObjectTypes(TShellObjectTypes AValue)
{
    FObjectTypes = AValue;
    Rebuild();
}

std::string TbsCustomShellComboBox::Path() const
{
    const int selected = ItemIndex();
    if (selected < 0 || selected >= FItemsEx.Count() || !FItemsEx.Items(selected)->Data)
        return std::string();
    return FItemsEx.Items(selected)->Data->PathName();
}

void TbsCustomShellComboBox::SetPath(const std::string& AValue)
{
    PItemIDList id = nullptr;
    if (!DesktopFolderInterface()->ParseDisplayName(AValue, id) || !id)
        throw EInvalidPath(Format("Error setting path: \"%s\"", AValue));
    TItemIDListPtr owned(id);
    SelectFolderID(id);
}

void TbsCustomShellComboBox::SetShellTreeView(IbsShellLinkedView* AValue) { SetViewLink(this, FTreeView, AValue, FRoot); }
void TbsCustomShellComboBox::SetShellListView(IbsShellLinkedView* AValue) { SetViewLink(this, FListView, AValue, FRoot); }

void TbsCustomShellComboBox::LinkView(IbsShellLinkedView* AView, bool ALinked)
{
    // The other side set the link: take it without telling it back. A
    // tree answers SelectFolderID, a list FollowFolder; both come through
    // ShowLinkedFolder, so only the slot differs.
    TakeViewLink(this, AView->IsFolderTree() ? FTreeView : FListView, AView, ALinked);
}

void TbsCustomShellComboBox::Change()
{
    if (FItemsEx.Updating())
        return;
    TbsSkinCustomComboBox::Change();
    const int selected = ItemIndex();
    if (selected < 0 || FUpdating || IsPopupVisible())
        return;
    TbsShellFolder* folder = FolderAt(selected);
    if (!folder)
        return;
    WithFlag(FUpdating, [&] {
        if (FTreeView)
            FTreeView->ShowLinkedFolder(folder->AbsoluteID());
        if (FListView)
            FListView->ShowLinkedFolder(folder->AbsoluteID());
    });
}

void TbsCustomShellComboBox::Click()
{
    TbsShellFolder* folder = FolderAt(ItemIndex());
    if (!folder || ItemIndex() < 0)
        return;
    TItemIDListPtr copy(DuplicateItemIDList(folder->AbsoluteID()));
    WithFlag(FUpdating, [&] {
        SelectFolderID(copy.get());
        TbsSkinCustomComboBox::Click();
    });
}

void TbsCustomShellComboBox::DrawEntry(TCanvas* C, int AIndex, TRect R, int AIndent)
{
    if (AIndex < 0 || AIndex >= FItemsEx.Count())
        return;
    const TbsItemEx* entry = FItemsEx.Items(AIndex);
    ShellSmallImages()->Draw(C, R.Left + AIndent, R.Top + (R.Height() - FImageHeight) / 2, entry->ImageIndex);
    const int h = C->TextHeight("Wg");
    int top = R.Top + R.Height() / 2 - h / 2;
    if (C->Font()->Height() % 2 != 0)
        --top;
    C->Brush()->SetStyle(bsClear);
    C->TextOut(R.Left + AIndent + FImageWidth + 4, top, (*Items())[AIndex]);
}

} // namespace skin
