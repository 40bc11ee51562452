#include "skin/dialogs/bsSkinShellCtrls_ViewParts.h"

#include "skin/dialogs/bsSkinShellCtrls_ItemIDs.h"
#include "skin/dialogs/bsSkinShellCtrls_Verbs.h"

#include "platform/ui/Messages.h"

#include <memory>

namespace skin {

using namespace platform;

void TbsShellViewParts::Watch(const std::string& APath, std::function<void()> AOnChange)
{
    delete FNotifier;
    FNotifier = nullptr;
    if (APath.empty())
        return;
    FNotifier = new TbsShellChangeNotifier(FView);
    FNotifier->SetWatchSubTree(false);
    FNotifier->SetRoot(APath);
    FNotifier->SetOnChange(std::move(AOnChange));
}

void TbsShellViewParts::Forget(TComponent* AComponent, std::initializer_list<IbsShellLinkedView**> ALinks)
{
    for (IbsShellLinkedView** link : ALinks)
        if (*link && (*link)->ViewComponent() == AComponent)
            *link = nullptr;
    if (AComponent == FNotifier)
        FNotifier = nullptr;
    if (AComponent == FContextMenu)
        FContextMenu = nullptr;
}

void TbsShellViewParts::PopupContextMenu(TMessage& M, TbsSkinData* ASkin, TbsShellFolder* AItem,
                                         std::function<TbsShellFolder*(PCItemIDList)> AFind)
{
    TPoint p = Point(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
    if (p.X == -1 && p.Y == -1)
        p = FView->ClientToScreen(Point(FView->Width() / 2, FView->Height() / 2));
    if (!FContextMenu)
        FContextMenu = new TbsSkinPopupMenu(FView);
    FContextMenu->SetSkinData(ASkin);
    auto id = std::make_shared<TItemIDListPtr>(DuplicateItemIDList(AItem->AbsoluteID()));
    FillShellContextMenu(FContextMenu, FView, AItem, {nullptr, ASkin},
                         [id, find = std::move(AFind)]() -> TbsShellFolder* { return find(id->get()); });
    FContextMenu->Popup2(FView, p.X, p.Y);
    M.Result = 1;
}

} // namespace skin
