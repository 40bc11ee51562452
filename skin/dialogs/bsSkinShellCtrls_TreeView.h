#pragma once
// The shell tree view: the folders below a root, one node per folder, each
// node owning its shell folder object. Nodes are filled when first
// expanded, sorted in the shell's order and drawn with the folders' icons;
// the tree follows and leads a linked list and combo, offers each folder's
// verbs, renames in place and may read a node again when its folder
// changes on disk.

#include "skin/dialogs/bsSkinShellCtrls_Links.h"
#include "skin/dialogs/bsSkinShellCtrls_ListRows.h"
#include "skin/dialogs/bsSkinShellCtrls_ViewParts.h"
#include "skin/core/bsSkinData.h"

#include "skin/controls/bsSkinCtrls_TreeView.h"

#include <memory>
#include <string>

namespace skin {

class TbsSkinPopupMenu;

class TbsCustomShellTreeView : public TbsSkinCustomTreeView,
                               public IShellVerbHandler,
                               public IbsShellLinkedView {
public:
    explicit TbsCustomShellTreeView(platform::TComponent* AOwner);
    ~TbsCustomShellTreeView() override;

    const TRoot& Root() const { return FRoot; }
    // Raises "Error setting path" for an unusable text; the tree is then
    // built from the previous root.
    void SetRoot(const TRoot& AValue) override;
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes AValue);
    bool AutoContextMenus = true;
    // On (the default) and without an Images list of the caller's, nodes
    // show the folders' shell icons. With a list of the caller's, the nodes
    // get no shell indexes and OnGetImageIndex and OnGetSelectedIndex give
    // them; off and without a list, nodes show no images.
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool AValue);
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool AValue);
    IbsShellLinkedView* ShellListView() const { return FListView; }
    void SetShellListView(IbsShellLinkedView* AValue);
    IbsShellLinkedView* ShellComboBox() const { return FComboBox; }
    void SetShellComboBox(IbsShellLinkedView* AValue);
    TAddFolderEvent OnAddFolder;

    std::string Path() const;
    // Raises EInvalidPath for a text the desktop cannot parse.
    void SetPath(const std::string& AValue);
    void Refresh(platform::TTreeNode* ANode);
    void ExpandMyComputer();
    TbsShellFolder* SelectedFolder() const;
    TbsShellFolder* FolderAt(int AIndex) const;
    void SelectFolderID(PCItemIDList AID);

    // IShellVerbHandler
    void ExecuteCommand(const std::string& AVerb, bool& AHandled) override;
    void CommandCompleted(const std::string& AVerb, bool ASucceeded) override;
    // IbsShellLinkedView
    platform::TComponent* ViewComponent() override { return this; }
    void ShowLinkedFolder(PCItemIDList AID) override { SelectFolderID(AID); }
    void LinkView(IbsShellLinkedView* AView, bool ALinked) override;
    bool IsFolderTree() const override { return true; }

    void WMContextMenu(platform::TMessage& M) override;
    // A request to show an image list is answered by the view's own choice:
    // the caller's Images, else the shell icons when UseShellImages is on.
    void WndProc(platform::TMessage& M) override;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(platform::TComponent* AComponent, platform::TOperation AOperation) override;
    bool CanChange(platform::TTreeNode* ANode) override;
    bool CanExpand(platform::TTreeNode* ANode) override;
    void Delete(platform::TTreeNode* ANode) override;
    void Edit(platform::TTreeNode* ANode, const std::string* ANewText) override;
    // The image-index events are asked only for a list of the caller's.
    void GetImageIndex(platform::TTreeNode* ANode) override;
    void GetSelectedIndex(platform::TTreeNode* ANode) override;

private:
    static TbsShellFolder* FolderOf(platform::TTreeNode* ANode);
    void BuildRootNode();
    void ReloadRoot();
    void InitFolderNode(platform::TTreeNode* ANode, TbsShellFolder* AFolder);
    // The folder's shell icons, when the nodes show shell icons.
    void SetShellIndexes(platform::TTreeNode* ANode, const TbsShellFolder& AFolder);
    // Asks the window to show the list the view chooses.
    void RequestImageList();
    void FillNode(platform::TTreeNode* ANode);
    void SortChildren(platform::TTreeNode* ANode);
    void FreeNodeFolders();
    platform::TTreeNode* FindNodeByID(PCItemIDList AID, platform::TTreeNode* AStart) const;
    void RefreshSelected();

    TRoot FRoot = "rfDesktop";
    TRoot FOldRoot;
    std::unique_ptr<TbsShellFolder> FRootFolder;
    TShellObjectTypes FObjectTypes = otFolders;
    bool FUpdating = false;
    bool FAutoRefresh = false;
    bool FUseShellImages = true;
    bool FImageListChanging = false;
    IbsShellLinkedView* FListView = nullptr;
    IbsShellLinkedView* FComboBox = nullptr;
    TbsShellViewParts FParts{this};   // change notifier and item menu
    platform::TTreeNode* FNodeToMonitor = nullptr;
    std::string FPath;   // the last path given; applied again to a new window
};

class TbsSkinDirTreeView : public TbsCustomShellTreeView {
public:
    using TbsCustomShellTreeView::TbsCustomShellTreeView;
};

} // namespace skin
