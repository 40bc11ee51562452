#include "skin/dialogs/bsSkinShellCtrls_Verbs.h"

#include "skin/dialogs/bsMessages.h"

#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/FileTypes.h"
#include "platform/shell/Trash.h"

#include <ctime>
#include <sys/stat.h>

namespace skin {

using namespace platform;

namespace {

struct TVerb {
    const char* Name;
    const char* Caption;
    TbsShellFolderCapabilities Needs;   // 0: every item
};

constexpr TVerb Verbs[] = {
    {"open", "Open", 0},
    {"rename", "Rename", fcCanRename},
    {"delete", "Delete", fcCanDelete},
    {"properties", "Properties", 0},
};

int AskUser(const TbsShellVerbSkins& ASkins, const std::string& AText, TMsgDlgType AType, TMsgDlgButtons AButtons)
{
    TbsSkinMessage box(nullptr);
    box.SetSkinData(ASkins.SkinData);
    box.SetCtrlSkinData(ASkins.CtrlSkinData);
    return box.MessageDlg(AText, AType, AButtons, 0);
}

bool Exists(const std::string& APath)
{
    struct stat st {};
    return lstat(APath.c_str(), &st) == 0;
}

bool DeleteItem(TbsShellFolder* AItem, const TbsShellVerbSkins& ASkins)
{
    const std::string path = AItem->PathName();
    if (!(AItem->Capabilities() & fcCanDelete) || path.empty() || path[0] != '/')
        return false;
    if (AskUser(ASkins, Format("Move \"%s\" to the trash?", AItem->DisplayName()), mtConfirmation, {mbYes, mbNo}) !=
        mrYes)
        return false;
    std::string error;
    if (!MoveToTrash(path, &error)) {
        AskUser(ASkins, error, mtError, {mbOK});
        return false;
    }
    // Only an item that is really gone counts as deleted.
    return !Exists(path);
}

std::string TimeText(time_t ATime)
{
    struct tm local {};
    localtime_r(&ATime, &local);
    char text[32];
    strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

bool ShowProperties(TbsShellFolder* AItem, const TbsShellVerbSkins& ASkins)
{
    const std::string path = AItem->PathName();
    std::string text = "Name: " + AItem->DisplayName();
    if (!path.empty() && path[0] == '/') {
        struct stat st {};
        if (stat(path.c_str(), &st) != 0) {
            AskUser(ASkins, Format("Cannot read the properties of \"%s\": %s", path, SysErrorMessage(errno)), mtError,
                    {mbOK});
            return false;
        }
        const bool folder = S_ISDIR(st.st_mode);
        text += "\nType: " + FileTypeOf(path, folder).Description;
        text += "\nLocation: " + (path == "/" ? std::string("/") : ExtractFileDir(path));
        if (!folder)
            text += Format("\nSize: %d bytes", int64_t(st.st_size));
        text += "\nModified: " + TimeText(st.st_mtime);
    }
    AskUser(ASkins, text, mtInformation, {mbOK});
    return true;
}

} // namespace

std::vector<std::string> ShellVerbsOf(TbsShellFolder* AItem)
{
    std::vector<std::string> verbs;
    if (!AItem)
        return verbs;
    const TbsShellFolderCapabilities caps = AItem->Capabilities();
    for (const TVerb& v : Verbs)
        if ((caps & v.Needs) == v.Needs)
            verbs.emplace_back(v.Name);
    return verbs;
}

std::string ShellVerbCaption(const std::string& AVerb)
{
    for (const TVerb& v : Verbs)
        if (SameText(AVerb, v.Name))
            return v.Caption;
    return AVerb;
}

bool RunShellVerb(TbsShellFolder* AItem, const std::string& AVerb, const TbsShellVerbSkins& ASkins)
{
    if (!AItem)
        return false;
    if (SameText(AVerb, "open"))
        return AItem->ExecuteDefault();
    if (SameText(AVerb, "delete"))
        return DeleteItem(AItem, ASkins);
    if (SameText(AVerb, "properties"))
        return ShowProperties(AItem, ASkins);
    return false;
}

bool InvokeShellVerb(TControl* AOwner, TbsShellFolder* AItem, const std::string& AVerb,
                     const TbsShellVerbSkins& ASkins)
{
    auto* handler = dynamic_cast<IShellVerbHandler*>(AOwner);
    bool handled = false;
    if (handler)
        handler->ExecuteCommand(AVerb, handled);
    const bool succeeded = handled || RunShellVerb(AItem, AVerb, ASkins);
    if (handler)
        handler->CommandCompleted(AVerb, succeeded);
    return succeeded;
}

void FillShellContextMenu(TPopupMenu* AMenu, TControl* AOwner, TbsShellFolder* AItem,
                          const TbsShellVerbSkins& ASkins, std::function<TbsShellFolder*()> AFindAtClick)
{
    AMenu->Items()->Clear();
    if (!AFindAtClick)
        AFindAtClick = [AItem] { return AItem; };
    for (const std::string& verb : ShellVerbsOf(AItem)) {
        auto* item = new TMenuItem(AMenu);
        item->Caption = ShellVerbCaption(verb);
        item->Default = verb == "open";
        item->OnClick = [AOwner, AFindAtClick, verb, ASkins](TObject*) {
            if (TbsShellFolder* target = AFindAtClick())
                InvokeShellVerb(AOwner, target, verb, ASkins);
        };
        AMenu->Items()->Add(item);
        if (verb == "open")
            AMenu->Items()->Add([AMenu] {
                auto* line = new TMenuItem(AMenu);
                line->Caption = "-";
                return line;
            }());
    }
}

} // namespace skin
