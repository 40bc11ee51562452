#pragma once
// The shell list view: the items of one folder as an owner-data list. Each
// row is a shell folder object of the view's own; the list control only
// holds their count and asks for the rows it shows. The view filters files
// by a mask, puts folders first, shows the shell's detail columns in report
// style, opens folders, offers each item's verbs, renames in place and,
// when asked, reads its folder again when the file system reports a change.

#include "skin/dialogs/bsSkinShellCtrls_Links.h"
#include "skin/dialogs/bsSkinShellCtrls_ListRows.h"
#include "skin/dialogs/bsSkinShellCtrls_ViewParts.h"
#include "skin/core/bsSkinData.h"

#include "skin/controls/bsSkinCtrls_ListView.h"

#include <memory>
#include <string>
#include <vector>

namespace skin {

class TbsSkinPopupMenu;

class TbsCustomShellListView : public TbsSkinCustomListView,
                               public IShellVerbHandler,
                               public IbsShellLinkedView {
public:
    explicit TbsCustomShellListView(platform::TComponent* AOwner);
    ~TbsCustomShellListView() override;

    const TRoot& Root() const { return FRoot; }
    // Raises "Error setting path" for an unusable text; Root stays.
    void SetRoot(const TRoot& AValue) override;
    std::string Path() const;
    // Raises EInvalidPath for a text the desktop cannot parse.
    void SetPath(const std::string& AValue);
    TbsShellFolder* RootFolder() const { return FRootFolder.get(); }
    const std::string& Mask() const { return FMask; }
    void SetMask(const std::string& AValue);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    void SetObjectTypes(TShellObjectTypes AValue);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool AValue);
    bool AutoContextMenus = true;
    bool AutoNavigate = true;
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool AValue);
    IbsShellLinkedView* ShellTreeView() const { return FTreeView; }
    void SetShellTreeView(IbsShellLinkedView* AValue);
    IbsShellLinkedView* ShellComboBox() const { return FComboBox; }
    void SetShellComboBox(IbsShellLinkedView* AValue);
    TAddFolderEvent OnAddFolder;
    platform::TNotifyEvent OnPathChanged;

    void Back();
    void Refresh();
    TbsShellFolder* SelectedFolder();
    std::string GetSelectedFile();
    void GetSelectedFiles(platform::TStringList* AFiles);
    TbsShellFolder* FolderAt(int AIndex) const;
    int RowCount() const { return int(FFolders.size()); }
    void FollowFolder(PCItemIDList AID);
    void ReloadFolder();
    void BuildColumns();
    void OpenFolderID(PCItemIDList AID);
    virtual void FillItems();
    void StartRename();

    // IShellVerbHandler
    void ExecuteCommand(const std::string& AVerb, bool& AHandled) override;
    void CommandCompleted(const std::string& AVerb, bool ASucceeded) override;
    // IbsShellLinkedView
    platform::TComponent* ViewComponent() override { return this; }
    void ShowLinkedFolder(PCItemIDList AID) override { FollowFolder(AID); }
    void LinkView(IbsShellLinkedView* AView, bool ALinked) override;

    void SetViewStyle(platform::TViewStyle AValue) override;
    void WMContextMenu(platform::TMessage& M) override;
    void DblClick() override;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(platform::TComponent* AComponent, platform::TOperation AOperation) override;
    void KeyDown(uint16_t& AKey, platform::TShiftState AShift) override;
    bool OwnerDataFetch(platform::TListItem* AItem, platform::TItemRequest ARequest) override;
    int OwnerDataFind(platform::TItemFind AFind, const std::string& AFindString, platform::TPoint AFindPosition,
                      void* AFindData, int AStartIndex, platform::TSearchDirection ADirection, bool AWrap) override;
    void Edit(int AIndex, const std::string* ANewText) override;
    void ColClick(platform::TListColumn* AColumn) override;

private:
    void ResolveRoot();
    void UpdateLinkedViews();
    void FreeFolders();
    void SortRows(bool AColumnMode);
    void AddColumn(const std::string& ACaption, int AFormat, int AChars, std::vector<std::string>& AAdded);

    int FOldSortColumn = -1;
    int FSortColumn = -1;
    bool FSortDirection = false;
    bool FRootLoaded = false;
    TRoot FOldRoot;
    TRoot FRoot = "rfDesktop";
    std::unique_ptr<TbsShellFolder> FRootFolder;
    bool FAutoRefresh = false;
    bool FSorted = true;
    bool FUpdating = false;
    TShellObjectTypes FObjectTypes = otFolders | otNonFolders;
    std::vector<TbsShellFolder*> FFolders;   // owned, in row order
    IbsShellLinkedView* FTreeView = nullptr;
    IbsShellLinkedView* FComboBox = nullptr;
    TbsShellViewParts FParts{this};   // change notifier and item menu
    bool FSettingRoot = false;
    bool FFilling = false;   // the rows are being read again
    std::string FMask = "*.*|*.*";
};

class TbsSkinFileListView : public TbsCustomShellListView {
public:
    using TbsCustomShellListView::TbsCustomShellListView;
};

} // namespace skin
