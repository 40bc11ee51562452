#pragma once
// The tree view: nodes with text, images and data, children that may be
// filled only when a node is first expanded, lines and expand buttons,
// label editing in place, an update mode for bulk changes and plain scroll
// bars.

#include "platform/controls/ComCtrls_Scroll.h"
#include "platform/controls/Forms.h"
#include "platform/controls/ImgList.h"
#include "platform/controls/StdCtrls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The tree view's messages, for code written against its window.
constexpr UINT TV_FIRST = 0x1100;
constexpr UINT TVM_GETCOUNT = TV_FIRST + 5;
constexpr UINT TVM_GETIMAGELIST = TV_FIRST + 8;
constexpr UINT TVM_SETIMAGELIST = TV_FIRST + 9;
constexpr UINT TVM_GETVISIBLECOUNT = TV_FIRST + 16;
constexpr WPARAM TVSIL_NORMAL = 0;
constexpr WPARAM TVSIL_STATE = 2;

class TCustomTreeView;
class TTreeNodes;

class TTreeNode {
public:
    TTreeNode(TTreeNodes* AOwner, TTreeNode* AParent);
    ~TTreeNode();
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    TTreeNodes* Owner() const { return FOwner; }
    TCustomTreeView* TreeView() const;
    TTreeNode* Parent() const { return FParent; }
    int Level() const;
    int Index() const;          // place among its siblings
    int AbsoluteIndex() const;  // place in the whole tree, in tree order

    const std::string& Text() const { return FText; }
    void SetText(const std::string& AValue);
    int ImageIndex = -1;
    int SelectedIndex = -1;
    // Image of StateImages shown left of the node's image; -1 = none.
    int StateIndex = -1;
    void* Data = nullptr;

    // Children
    int Count() const { return int(FChildren.size()); }
    // Raises EListError outside 0 .. Count - 1.
    TTreeNode* Item(int AIndex) const;
    // Whether the node shows an expand button: it has children, or is said
    // to have them before they are filled.
    bool HasChildren() const { return FHasChildren || !FChildren.empty(); }
    void SetHasChildren(bool AValue);
    TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
    TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back().get(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // The next node in tree order (children first), nil after the last.
    TTreeNode* GetNext() const;
    // The next node a user sees: not inside a collapsed node.
    TTreeNode* GetNextVisible() const;
    bool IsVisible() const;   // every ancestor expanded
    bool HasAsParent(const TTreeNode* AValue) const;

    bool Expanded() const { return FExpanded; }
    void SetExpanded(bool AValue);
    void Expand(bool ARecurse);
    void Collapse(bool ARecurse);
    bool Selected() const;
    void SetSelected(bool AValue);
    bool Focused() const { return Selected(); }

    // Removes the node with its subtree from the tree and frees it.
    void Delete();
    void DeleteChildren();
    bool EditText();
    void EndEdit(bool ACancel);
    void MakeVisible();
    // The node's row, or only its text, in the view's client coordinates.
    TRect DisplayRect(bool ATextOnly) const;
    // Orders the children by ACompare (negative: A before B); with ARecurse their subtrees too.
    void CustomSort(const std::function<int(TTreeNode*, TTreeNode*)>& ACompare, bool ARecurse);

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    TTreeNodes* FOwner;
    TTreeNode* FParent;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
    std::string FText;
    bool FHasChildren = false;
    bool FExpanded = false;
    bool FDeleting = false;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TCustomTreeView* AOwner);
    ~TTreeNodes();
    TCustomTreeView* Owner() const { return FView; }

    // Every node of the tree.
    int Count() const { return FCount; }
    // The node at that place in tree order; raises EListError outside the tree.
    TTreeNode* Item(int AIndex) const;
    TTreeNode* operator[](int AIndex) const { return Item(AIndex); }
    TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }

    // A last sibling of ASibling (nil: a last top-level node).
    TTreeNode* Add(TTreeNode* ASibling, const std::string& S);
    TTreeNode* AddObject(TTreeNode* ASibling, const std::string& S, void* AData);
    TTreeNode* AddChild(TTreeNode* AParent, const std::string& S);
    TTreeNode* AddChildObject(TTreeNode* AParent, const std::string& S, void* AData);
    TTreeNode* AddChildFirst(TTreeNode* AParent, const std::string& S);
    // A new node just before ASibling (nil: a last top-level node).
    TTreeNode* Insert(TTreeNode* ASibling, const std::string& S);
    TTreeNode* InsertObject(TTreeNode* ASibling, const std::string& S, void* AData);
    void Delete(TTreeNode* ANode);
    void Clear();
    // Changes between these repaint once, at the end.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    TTreeNode* InsertAt(TTreeNode* AParent, int AIndex, const std::string& S, void* AData);
    std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* AParent);
    void Changed();

    TCustomTreeView* FView;
    std::vector<std::unique_ptr<TTreeNode>> FRoots;
    int FCount = 0;
    int FUpdateCount = 0;
};

enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, std::string& S)>;
using TTVAdvancedCustomDrawItemEvent =
    std::function<void(TCustomTreeView* Sender, TTreeNode* Node, unsigned State, TCustomDrawStage Stage,
                       bool& PaintImages, bool& DefaultDraw)>;

class TCustomTreeView : public TCustomControl {
public:
    explicit TCustomTreeView(TComponent* AOwner);
    ~TCustomTreeView() override;

    TTreeNodes* Items() { return &FNodes; }
    TTreeNode* Selected() const { return FSelected; }
    // Selecting asks CanChange first, then fires Change.
    void SetSelected(TTreeNode* ANode);
    TTreeNode* TopItem();
    void SetTopItem(TTreeNode* ANode);
    TTreeNode* GetNodeAt(int X, int Y);
    // Rows fully visible in the view.
    int VisibleCount();
    int RowHeight();
    int Indent() const { return FIndent; }
    void SetIndent(int AValue);
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool AValue);
    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool AValue);
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool AValue);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool AValue);
    bool ReadOnly = false;
    bool RightClickSelect = false;
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle AValue);
    // The caller's image list; writing it asks the window to show it by a
    // set-image-list request, which a descendant may answer otherwise.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* AValue);
    // The list the window shows the node images from.
    TCustomImageList* ShownImages() const { return FShownImages; }
    TCustomImageList* StateImages() const { return FStateImages; }
    void SetStateImages(TCustomImageList* AValue);
    void FullExpand();
    void FullCollapse();
    bool IsEditing() const { return FEditNode != nullptr; }
    TEdit* EditControl() const { return FEditor; }
    const TViewScrollBars& ScrollBars() const { return FScrollBars; }
    TScrollInfo GetScrollInfo(int ABar);

    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVCollapsingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;
    TTVExpandedEvent OnDeletion;
    TTVExpandedEvent OnGetImageIndex;
    TTVExpandedEvent OnGetSelectedIndex;
    TTVAdvancedCustomDrawItemEvent OnAdvancedCustomDrawItem;

    void Dispatch(TMessage& M) override;
    void WMGetDlgCode(TMessage& M) override { M.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }
    void WMTimer(TMessage& M) override;
    void WMMouseWheel(TMessage& M) override;
    void WMSetFocus(TMessage& M) override;
    void WMKillFocus(TMessage& M) override;
    void WMLButtonDblClk(TMessage& M) override;
    void CMFontChanged(TMessage& M) override;

    // Called by the nodes.
    void NodesChanged();
    void NodeChanged(TTreeNode* ANode);
    bool ExpandNode(TTreeNode* ANode, bool AExpand);
    void NodeDeleting(TTreeNode* ANode);
    void BeginEdit(TTreeNode* ANode);
    void EndEdit(bool ACancel);
    void EnsureVisible(TTreeNode* ANode);
    TRect NodeRect(const TTreeNode* ANode, bool ATextOnly);

protected:
    void CreateParams(TCreateParams& AParams) override;
    void CreateWnd() override;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void MouseMove(TShiftState AShift, int X, int Y) override;
    void MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, TShiftState AShift) override;
    void KeyPress(char16_t& AKey) override;
    void Notification(TComponent* AComponent, TOperation AOperation) override;

    // Hooks for descendants.
    virtual bool CanChange(TTreeNode* ANode);
    virtual void Change(TTreeNode* ANode);
    virtual bool CanExpand(TTreeNode* ANode);
    virtual void Expand(TTreeNode* ANode);
    virtual bool CanCollapse(TTreeNode* ANode);
    virtual void Collapse(TTreeNode* ANode);
    virtual void Delete(TTreeNode* ANode);
    virtual bool CanEdit(TTreeNode* ANode);
    // The end of a label edit: ANewText is nil when it was cancelled.
    virtual void Edit(TTreeNode* ANode, const std::string* ANewText);
    virtual void GetImageIndex(TTreeNode* ANode);
    virtual void GetSelectedIndex(TTreeNode* ANode);
    // The image index the row of ANode shows, its selected one when it is
    // selected (and has one), after asking GetImageIndex or GetSelectedIndex.
    int AskImageIndex(TTreeNode* ANode);
    // Draws one row (custom drawing first).
    virtual void DrawNode(TTreeNode* ANode, const TRect& ARow);
    void DrawNodeDefault(TTreeNode* ANode, const TRect& ARow);

    TRect ViewRect();
    void UpdateScrollRanges();
    void ScrollBy(int ABar, int APos);
    void HandleScroll(int ABar, WPARAM W);

private:
    const std::vector<TTreeNode*>& VisibleNodes();
    int RowOf(const TTreeNode* ANode);
    int NodeX(const TTreeNode* ANode);
    int ContentWidth();
    // Room taken by the state and node images before a node's text.
    int ImagesWidth() const;
    // Points AList at AValue, keeping the free notification while any of
    // the three lists still names the old one.
    void ChangeImageList(TCustomImageList*& AList, TCustomImageList* AValue);
    void InvalidateNode(TTreeNode* ANode);
    void SelectByUser(TTreeNode* ANode);

    TTreeNodes FNodes;
    TViewScrollBars FScrollBars{this};
    TTreeNode* FSelected = nullptr;
    std::vector<TTreeNode*> FVisible;   // expanded rows in order, rebuilt when stale
    bool FVisibleStale = true;
    int FIndent = 19;
    bool FShowLines = true;
    bool FShowButtons = true;
    bool FShowRoot = true;
    bool FHideSelection = true;
    TFormBorderStyle FBorderStyle = bsSingle;
    TCustomImageList* FImages = nullptr;
    TCustomImageList* FShownImages = nullptr;
    TCustomImageList* FStateImages = nullptr;
    int FRowHeight = 0;
    TEdit* FEditor = nullptr;
    TTreeNode* FEditNode = nullptr;
    bool FEnding = false;
    std::string FTypeAhead;
    uint32_t FTypeAheadTime = 0;
};

class TTreeView : public TCustomTreeView {
public:
    explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};

} // namespace platform
