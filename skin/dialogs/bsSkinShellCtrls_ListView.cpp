#include "skin/dialogs/bsSkinShellCtrls_ListView.h"

#include "skin/dialogs/bsDialogLook.h"
#include "skin/dialogs/bsSkinShellCtrls_Images.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/dialogs/bsSkinShellCtrls_Verbs.h"

#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Messages.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

struct TDefaultColumn {
    const char* Key;
    const char* Text;
    int Format;   // 0 left, 1 right
    int Chars;
};

constexpr TDefaultColumn DefaultColumns[] = {
    {"FLV_NAME", "Name", 0, 25}, {"FLV_SIZE", "Size", 1, 10}, {"FLV_TYPE", "Type", 0, 10}, {"FLV_MODIFIED", "Modified", 0, 14}};

} // namespace

TbsCustomShellListView::TbsCustomShellListView(TComponent* AOwner) : TbsSkinCustomListView(AOwner)
{
    SetOwnerData(true);
    SetHideSelection(false);
}

TbsCustomShellListView::~TbsCustomShellListView()
{
    SetViewLink(this, FTreeView, nullptr, FRoot);
    SetViewLink(this, FComboBox, nullptr, FRoot);
    FRootFolder.reset();
    FreeFolders();
}

// ---------------------------------------------------------------- window

void TbsCustomShellListView::CreateWnd()
{
    TbsSkinCustomListView::CreateWnd();
    SetSmallImages(ShellSmallImages());
    SetLargeImages(ShellLargeImages());
    if (!FRootLoaded)
        ResolveRoot();
    ReloadFolder();
}

void TbsCustomShellListView::DestroyWnd()
{
    FreeFolders();
    TbsSkinCustomListView::DestroyWnd();
}

void TbsCustomShellListView::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsSkinCustomListView::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    FParts.Forget(AComponent, {&FTreeView, &FComboBox});
}

// ---------------------------------------------------------------- folder

void TbsCustomShellListView::ResolveRoot()
{
    FRootLoaded = true;
    FRootFolder.reset(RootItemFromText(FRootFolder.release(), FOldRoot, FRoot));
}

void TbsCustomShellListView::SetRoot(const TRoot& AValue)
{
    if (CompareText(AValue, FRoot) == 0)
        return;
    FOldRoot = FRoot;
    FRoot = AValue;
    ResolveRoot();
    FSettingRoot = true;
    ReloadFolder();
}

std::string TbsCustomShellListView::Path() const { return FRootFolder ? FRootFolder->PathName() : std::string(); }

void TbsCustomShellListView::SetPath(const std::string& AValue)
{
    PItemIDList id = nullptr;
    if (!DesktopFolderInterface()->ParseDisplayName(AValue, id) || !id)
        throw EInvalidPath(Format("Error setting path: \"%s\"", AValue));
    TItemIDListPtr owned(id);
    OpenFolderID(id);
}

void TbsCustomShellListView::SetMask(const std::string& AValue)
{
    if (AValue == FMask)
        return;
    FMask = AValue;
    ReloadFolder();
}

void TbsCustomShellListView::SetObjectTypes(TShellObjectTypes AValue)
{
    FObjectTypes = AValue;
    if (!IsLoading())
        ReloadFolder();
}

void TbsCustomShellListView::SetSorted(bool AValue)
{
    if (FSorted == AValue)
        return;
    FSorted = AValue;
    FillItems();
}

void TbsCustomShellListView::SetAutoRefresh(bool AValue)
{
    FAutoRefresh = AValue;
    if (IsLoading())
        return;
    FParts.Watch(AValue && FRootFolder ? FRootFolder->PathName() : std::string(), [this] { Refresh(); });
}

void TbsCustomShellListView::OpenFolderID(PCItemIDList AID)
{
    if (FUpdating || (FRootFolder && SameItemID(FRootFolder->AbsoluteID(), AID)))
        return;
    FRootFolder.reset();
    FSettingRoot = false;
    FRootFolder.reset(RootItemFromID(AID));
    ReloadFolder();
    if (OnPathChanged)
        OnPathChanged(this);
}

void TbsCustomShellListView::FollowFolder(PCItemIDList AID)
{
    if (FUpdating || (FRootFolder && SameItemID(FRootFolder->AbsoluteID(), AID)))
        return;
    OpenFolderID(AID);
}

void TbsCustomShellListView::Back()
{
    if (!FRootFolder)
        return;
    TItemIDListPtr parent(DuplicateItemIDList(FRootFolder->AbsoluteID()));
    TruncateLastItem(parent.get());
    OpenFolderID(parent.get());
}

void TbsCustomShellListView::Refresh()
{
    if (FUpdating || !FRootFolder)
        return;
    const int selected = ItemIndex();
    ClearSelection();
    TItemIDListPtr copy(DuplicateItemIDList(FRootFolder->AbsoluteID()));
    FRootFolder.reset();
    OpenFolderID(copy.get());
    if (selected >= 0 && selected < RowCount())
        SetItemIndex(selected);
}

void TbsCustomShellListView::ReloadFolder()
{
    if (FUpdating)
        return;
    WithFlag(FUpdating, [&] {
        const bool refresh = FAutoRefresh;
        SetAutoRefresh(false);
        struct TRestore {
            TbsCustomShellListView* View;
            bool Value;
            ~TRestore() { View->SetAutoRefresh(Value); }
        } restore{this, refresh};
        UpdateLinkedViews();
        FillItems();
        if (ViewStyle() == vsReport)
            BuildColumns();
    });
}

void TbsCustomShellListView::UpdateLinkedViews()
{
    struct TClear {
        bool& Flag;
        ~TClear() { Flag = false; }
    } clear{FSettingRoot};
    if (FSettingRoot) {
        if (FTreeView)
            FTreeView->SetRoot(FRoot);
        return;
    }
    if (!FRootFolder)
        return;
    if (FTreeView)
        FTreeView->ShowLinkedFolder(FRootFolder->AbsoluteID());
    if (FComboBox)
        FComboBox->ShowLinkedFolder(FRootFolder->AbsoluteID());
}

void TbsCustomShellListView::FreeFolders()
{
    if (!IsDestroying())
        Items()->SetCount(0);
    for (TbsShellFolder* f : FFolders)
        delete f;
    FFolders.clear();
}

void TbsCustomShellListView::FillItems()
{
    if ((IsLoading() && !HandleAllocated()) || !FRootFolder)
        return;
    Items()->BeginUpdate();
    FFilling = true;
    struct TEnd {
        TbsCustomShellListView* View;
        TCursor Cursor;
        ~TEnd()
        {
            Screen()->SetCursor(Cursor);
            View->Items()->EndUpdate();
            View->FFilling = false;
        }
    } end{this, Screen()->Cursor()};
    FreeFolders();
    Scroll(-1000000, -1000000);
    Screen()->SetCursor(crHourGlass);
    std::string longest;
    // A folder that cannot be read shows no rows; a broken mask ends the
    // fill with its error and no rows.
    try {
        EnumerateShellFolders(FRootFolder.get(), FObjectTypes, FMask,
                              OnAddFolder ? std::function<void(TbsShellFolder*, bool&)>(
                                                [this](TbsShellFolder* F, bool& CanAdd) { OnAddFolder(this, F, CanAdd); })
                                          : nullptr,
                              FFolders, longest);
    } catch (...) {
        FreeFolders();
        throw;
    }
    if (FSorted)
        SortRows(false);
    Items()->SetCount(int(FFolders.size()));
    if (ViewStyle() == vsList && !longest.empty() && HandleAllocated()) {
        Canvas()->SetFont(Font());
        SetListColumnWidth(Canvas()->TextWidth(longest) + 32);
    }
}

void TbsCustomShellListView::SortRows(bool AColumnMode)
{
    TbsShellSortState state{FRootFolder.get(), AColumnMode, FSortColumn, FSortDirection,
                            uint32_t(reinterpret_cast<uintptr_t>(HandleAllocated() ? Handle() : nullptr))};
    SortShellFolders(FFolders, state);
}

TbsShellFolder* TbsCustomShellListView::FolderAt(int AIndex) const
{
    if (FFolders.empty() || AIndex < 0 || AIndex >= int(FFolders.size()))
        return nullptr;
    return FFolders[size_t(AIndex)];
}

TbsShellFolder* TbsCustomShellListView::SelectedFolder() { return FolderAt(ItemIndex()); }

std::string TbsCustomShellListView::GetSelectedFile()
{
    TbsShellFolder* f = SelectedFolder();
    return f && !f->IsFolder() ? f->FullObjectName() : std::string();
}

void TbsCustomShellListView::GetSelectedFiles(TStringList* AFiles)
{
    AFiles->Clear();
    for (TListItem* item = GetNextSelected(nullptr); item; item = GetNextSelected(item))
        if (TbsShellFolder* f = FolderAt(item->Index()); f && !f->IsFolder())
            AFiles->Add(f->FullObjectName());
}

// ---------------------------------------------------------------- columns

void TbsCustomShellListView::AddColumn(const std::string& ACaption, int AFormat, int AChars,
                                       std::vector<std::string>& AAdded)
{
    TListColumn* c = Columns()->Add();
    c->SetCaption(ACaption);
    c->SetAlignment(AFormat == 1 ? taRightJustify : AFormat == 2 ? taCenter : taLeftJustify);
    c->SetWidth(AChars * (HandleAllocated() ? Canvas()->TextWidth("X") : 7));
    AAdded.push_back(ACaption);
}

void TbsCustomShellListView::BuildColumns()
{
    if (!FRootFolder || !FRootFolder->ShellFolder())
        return;
    Columns()->Clear();
    FRootFolder->SetViewHandle(uint32_t(reinterpret_cast<uintptr_t>(HandleAllocated() ? Handle() : nullptr)));
    std::vector<std::string> added;
    auto offer = [&](const TShellDetails& D) {
        std::string caption = ShellStringText(nullptr, D.Str);
        if (caption.size() > 1 && caption[0] == '?' && isdigit(static_cast<unsigned char>(caption[1])))
            caption.erase(std::remove(caption.begin(), caption.end(), '?'), caption.end());
        if (caption.empty())
            return true;
        for (const std::string& a : added)
            if (CompareText(a, caption) == 0)
                return false;
        AddColumn(caption, D.Format, D.CharWidth, added);
        return true;
    };
    if (auto folder2 = FRootFolder->ShellFolder2()) {
        bool seen = false;
        TShellDetails d;
        for (int column = 0; folder2->GetDetailsOf(nullptr, column, d); ++column) {
            uint32_t state = 0;
            folder2->GetDefaultColumnState(column, state);
            const bool onByDefault = state & SHCOLSTATE_ONBYDEFAULT;
            if (seen && !onByDefault)
                break;
            seen = seen || onByDefault;
            offer(d);
        }
    } else if (auto details = FRootFolder->ShellDetails()) {
        TShellDetails d;
        for (int column = 0; details->GetDetailsOf(nullptr, column, d) && offer(d); ++column) {
        }
    } else {
        const int count = (FRootFolder->Properties() & fpFileSystem) ? 4 : 1;
        for (int i = 0; i < count; ++i)
            AddColumn(DialogCaption(SkinData(), DefaultColumns[i].Key, DefaultColumns[i].Text), DefaultColumns[i].Format,
                      DefaultColumns[i].Chars, added);
    }
}

void TbsCustomShellListView::SetViewStyle(TViewStyle AValue)
{
    TbsSkinCustomListView::SetViewStyle(AValue);
    if (AValue == vsReport)
        BuildColumns();
}

void TbsCustomShellListView::ColClick(TListColumn* AColumn)
{
    TbsSkinCustomListView::ColClick(AColumn);
    if (Columns()->Count() < 4 && AColumn->Index() != 0)
        return;
    FOldSortColumn = FSortColumn;
    FSortColumn = AColumn->Index();
    FSortDirection = FOldSortColumn == FSortColumn && FSortColumn != -1 ? !FSortDirection : false;
    Items()->BeginUpdate();
    struct TEnd {
        TListItems* Items;
        ~TEnd() { Items->EndUpdate(); }
    } end{Items()};
    SortRows(true);
}

// ---------------------------------------------------------------- rows

bool TbsCustomShellListView::OwnerDataFetch(TListItem* AItem, TItemRequest ARequest)
{
    TbsShellFolder* f = FolderAt(AItem->Index());
    if (!f)
        return true;
    if (ARequest & irText)
        AItem->SetCaption(f->DisplayName());
    if (ARequest & irImage) {
        TbsShellImageList* images = ViewStyle() == vsIcon ? ShellLargeImages() : ShellSmallImages();
        AItem->SetImageIndex(images->Prepare(f->ImageIndex(ViewStyle() == vsIcon)));
    }
    if (ViewStyle() == vsReport) {
        const int columns = Columns()->Count();
        try {
            f->LoadColumnDetails(FRootFolder.get(), 0, columns);
        } catch (const EInvalidPath&) {
            // An item that went away shows empty details until the next read.
        }
        AItem->SubItems()->Clear();
        for (int k = 1; k < columns; ++k)
            AItem->SubItems()->Add(f->DetailText(k));
    }
    return true;
}

int TbsCustomShellListView::OwnerDataFind(TItemFind AFind, const std::string& AFindString, TPoint, void*,
                                          int AStartIndex, TSearchDirection, bool AWrap)
{
    if ((AFind != ifPartialString && AFind != ifExactString) || AStartIndex == -1)
        return -1;
    return FindShellRow(FFolders, AFindString, AStartIndex, AWrap);
}

// ---------------------------------------------------------------- input

void TbsCustomShellListView::DblClick()
{
    if (AutoNavigate)
        if (TbsShellFolder* f = SelectedFolder(); f && f->IsFolder()) {
            TItemIDListPtr id(DuplicateItemIDList(f->AbsoluteID()));
            OpenFolderID(id.get());
        }
    TbsSkinCustomListView::DblClick();
}

void TbsCustomShellListView::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    TbsSkinCustomListView::KeyDown(AKey, AShift);
    if (!AutoNavigate)
        return;
    if (AKey == VK_BACK && !IsEditing()) {
        Back();
    } else if (AKey == VK_RETURN && (AShift & ssAlt)) {
        if (TbsShellFolder* f = SelectedFolder())
            RunShellVerb(f, "properties", {nullptr, SkinData()});
        AKey = 0;
    } else if (AKey == VK_RETURN) {
        if (TbsShellFolder* f = SelectedFolder(); f && f->IsFolder()) {
            TItemIDListPtr id(DuplicateItemIDList(f->AbsoluteID()));
            OpenFolderID(id.get());
        }
    } else if (AKey == VK_F5) {
        Refresh();
    }
}

void TbsCustomShellListView::WMContextMenu(TMessage& M)
{
    TbsShellFolder* f = SelectedFolder();
    if (!AutoContextMenus || !f) {
        TbsSkinCustomListView::WMContextMenu(M);
        return;
    }
    FParts.PopupContextMenu(M, SkinData(), f, [this](PCItemIDList AID) -> TbsShellFolder* {
        for (TbsShellFolder* row : FFolders)
            if (SameItemID(row->AbsoluteID(), AID))
                return row;
        return nullptr;
    });
}

void TbsCustomShellListView::StartRename()
{
    if (TListItem* item = Selected())
        item->EditCaption();
}

void TbsCustomShellListView::Edit(int AIndex, const std::string* ANewText)
{
    // An edit ended by reading the folder again is dropped, and keeping
    // the name is no rename.
    if (!ANewText || FFilling || AIndex < 0 || AIndex >= RowCount()
        || *ANewText == FFolders[size_t(AIndex)]->DisplayName())
        return;
    FFolders[size_t(AIndex)]->Rename(*ANewText);
    UpdateItems(AIndex, AIndex);
}

void TbsCustomShellListView::ExecuteCommand(const std::string& AVerb, bool& AHandled)
{
    // "open" runs in the item's folder through the launcher; the process's
    // current folder is never changed for it.
    if (SameText(AVerb, "rename")) {
        StartRename();
        AHandled = true;
    }
}

void TbsCustomShellListView::CommandCompleted(const std::string& AVerb, bool)
{
    // Whatever the verb did, the folder is read again once the verb is done
    // with its item; a rename is only starting and reads it when it ends.
    if (!SameText(AVerb, "rename"))
        Refresh();
}

// ---------------------------------------------------------------- links

void TbsCustomShellListView::SetShellTreeView(IbsShellLinkedView* AValue) { SetViewLink(this, FTreeView, AValue, FRoot); }
void TbsCustomShellListView::SetShellComboBox(IbsShellLinkedView* AValue) { SetViewLink(this, FComboBox, AValue, FRoot); }

void TbsCustomShellListView::LinkView(IbsShellLinkedView* AView, bool ALinked)
{
    // The other side set the link: take it without telling it back.
    TakeViewLink(this, AView->IsFolderCombo() ? FComboBox : FTreeView, AView, ALinked);
}

} // namespace skin
