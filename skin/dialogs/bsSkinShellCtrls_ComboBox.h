#pragma once
// The shell combo box: the "Look in" list of the file dialogs. Its entries
// are the root folder, the folders right below it, the drives below
// Computer (when the root is the desktop) and the chain of folders down to
// the current one, each indented by its depth and drawn with its icon.
// Choosing an entry moves the linked tree and list; their moves come back
// as FollowFolder.

#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/dialogs/bsSkinShellCtrls_Images.h"
#include "skin/dialogs/bsSkinShellCtrls_Links.h"

#include <memory>
#include <string>
#include <vector>

namespace skin {

struct TbsItemEx {
    std::string Caption;
    TbsShellFolder* Data = nullptr;   // owned by the combo
    int Indent = 0;
    int ImageIndex = -1;
    int SelectedImageIndex = 0;
};

class TbsItemsEx {
public:
    int Count() const { return int(FItems.size()); }
    TbsItemEx* Items(int AIndex) const { return FItems.at(size_t(AIndex)).get(); }
    TbsItemEx* Add() { return Insert(Count()); }
    TbsItemEx* Insert(int AIndex);
    TbsItemEx* AddItem(const std::string& ACaption, int AImageIndex, int ASelectedIndex, int AIndent,
                       TbsShellFolder* AFolder);
    void Clear() { FItems.clear(); }
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate() { --FUpdateCount; }
    bool Updating() const { return FUpdateCount > 0; }

private:
    std::vector<std::unique_ptr<TbsItemEx>> FItems;
    int FUpdateCount = 0;
};

class TbsCustomShellComboBox : public TbsSkinCustomComboBox, public IbsShellLinkedView {
public:
    explicit TbsCustomShellComboBox(TComponent* AOwner);
    ~TbsCustomShellComboBox() override;

    TbsItemsEx& ItemsEx() { return FItemsEx; }
    const TRoot& Root() const { return FRoot; }
    void SetRoot(const TRoot& AValue) override;
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes AValue);
    std::string Path() const;
    // Raises EInvalidPath for a text the desktop cannot parse.
    void SetPath(const std::string& AValue);
    IbsShellLinkedView* ShellTreeView() const { return FTreeView; }
    void SetShellTreeView(IbsShellLinkedView* AValue);
    IbsShellLinkedView* ShellListView() const { return FListView; }
    void SetShellListView(IbsShellLinkedView* AValue);

    void FollowFolder(PCItemIDList AID);
    TbsShellFolder* FolderAt(int AIndex) const;
    int IndexOfID(PCItemIDList AID) const;
    void SelectFolderID(PCItemIDList AID);
    void InitItems();
    virtual void AddTopFolders();
    void AddChildren(int AIndex, TbsShellFolder* AFolder);
    void FreeItems();
    void SyncStrings();
    void Rebuild();
    int ShellImageIndex(TbsShellFolder* AFolder) const;
    int ImageWidth() const { return FImageWidth; }

    void Change() override;
    void Click() override;

    // IbsShellLinkedView
    platform::TComponent* ViewComponent() override { return this; }
    void ShowLinkedFolder(PCItemIDList AID) override { FollowFolder(AID); }
    void LinkView(IbsShellLinkedView* AView, bool ALinked) override;
    bool IsFolderCombo() const override { return true; }

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    void DrawEntry(TCanvas* C, int AIndex, TRect R, int AIndent);

    TbsItemsEx FItemsEx;
    int FImageWidth = 16, FImageHeight = 16;
    TRoot FOldRoot;
    TRoot FRoot = "rfDesktop";
    std::unique_ptr<TbsShellFolder> FRootFolder;
    IbsShellLinkedView* FTreeView = nullptr;
    IbsShellLinkedView* FListView = nullptr;
    TShellObjectTypes FObjectTypes = otFolders;
    bool FUpdating = false;
};

class TbsSkinShellComboBox : public TbsCustomShellComboBox {
public:
    using TbsCustomShellComboBox::TbsCustomShellComboBox;
};

} // namespace skin
