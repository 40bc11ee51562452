#pragma once
// The verbs the shell views offer on an item, and its context menu: open
// (hand it to the desktop), rename (the view edits the name), delete (to
// the desktop's trash, after a Yes/No question) and properties (its details
// in an information box). A view that offers IShellVerbHandler sees each
// chosen verb first and may take it over.

#include "skin/dialogs/bsSkinShellCtrls_Folder.h"

#include "skin/core/bsSkinData.h"

#include "platform/controls/Controls.h"
#include "platform/controls/Menus.h"

#include <functional>
#include <string>
#include <vector>

namespace skin {

// The skins of the boxes a verb shows: the frame's and the controls'.
struct TbsShellVerbSkins {
    TbsSkinData* SkinData = nullptr;
    TbsSkinData* CtrlSkinData = nullptr;
};

// The verbs AItem offers, in menu order ("open", "rename", "delete",
// "properties"), as its capabilities allow.
std::vector<std::string> ShellVerbsOf(TbsShellFolder* AItem);
// The menu caption of a verb.
std::string ShellVerbCaption(const std::string& AVerb);

// Runs a named verb on an item (letter case ignored). "rename" needs a view
// and is not run here. False for other verbs, for a question answered No,
// and for a failure, which an error box names.
bool RunShellVerb(TbsShellFolder* AItem, const std::string& AVerb, const TbsShellVerbSkins& ASkins = {});

// A verb chosen in the context menu of AOwner: the owner's handler first
// (ExecuteCommand), else RunShellVerb; then the handler hears the outcome
// (CommandCompleted). A verb the handler took counts as a success.
bool InvokeShellVerb(platform::TControl* AOwner, TbsShellFolder* AItem, const std::string& AVerb,
                     const TbsShellVerbSkins& ASkins = {});

// Replaces the items of AMenu by the verbs of AItem, each running
// InvokeShellVerb for AOwner when clicked, on the item AFindAtClick answers
// then (nothing when it answers nil: the item went away while the menu was
// open); without AFindAtClick on AItem, which must then outlive the menu.
void FillShellContextMenu(platform::TPopupMenu* AMenu, platform::TControl* AOwner, TbsShellFolder* AItem,
                          const TbsShellVerbSkins& ASkins = {},
                          std::function<TbsShellFolder*()> AFindAtClick = nullptr);

} // namespace skin
