#include "skin/dialogs/bsSkinOpenDialog_Names.h"

#include "platform/core/SysUtils.h"

#include <sys/stat.h>

namespace skin {

namespace {

bool IsFile(const std::string& APath)
{
    struct stat st {};
    return !APath.empty() && stat(APath.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string FilePart(const std::string& AName)
{
    const size_t slash = AName.rfind('/');
    return slash == std::string::npos ? AName : AName.substr(slash + 1);
}

} // namespace

std::string FilterExtension(const std::string& AMask)
{
    if (AMask.find(".*") != std::string::npos)
        return std::string();
    const std::string first = AMask.substr(0, AMask.find(';'));
    const size_t dot = first.rfind('.');
    return dot == std::string::npos ? std::string() : first.substr(dot);
}

bool HasFileExtension(const std::string& AName) { return FilePart(AName).find('.') != std::string::npos; }

std::string NameForFilter(const std::string& AName, const std::string& AFilterExt)
{
    if (AName.empty() || AFilterExt.empty())
        return AName;
    if (!HasFileExtension(AName))
        return AName + AFilterExt;
    return AName.substr(0, AName.rfind('.')) + AFilterExt;
}

std::string CompletedSaveName(const std::string& AJoined, const std::string& AFilterExt,
                              const std::string& ADefaultExt)
{
    std::string name = AJoined;
    if (!HasFileExtension(name))
        name += AFilterExt;
    if (!HasFileExtension(name) && !ADefaultExt.empty())
        name += "." + ADefaultExt;
    return name;
}

std::string DialogDefaultExt(const TbsOkInput& AInput)
{
    return AInput.DefaultExt.empty() ? AInput.FilterExt : "." + AInput.DefaultExt;
}

TbsOkDecision DecideOk(const TbsOkInput& I)
{
    TbsOkDecision d;
    if (I.Typed.empty())
        return d;
    // A typed absolute path stands on its own; a name is in the list's folder.
    const std::string joined = I.Typed[0] == '/' ? I.Typed : I.Folder + I.Typed;
    const std::string completed = HasFileExtension(joined) ? joined : joined + DialogDefaultExt(I);
    if (I.SaveMode) {
        if (I.Typed.find('*') != std::string::npos)
            return d;
        d.FileName = joined;
        d.Action = I.OverwritePrompt && IsFile(CompletedSaveName(joined, I.FilterExt, I.DefaultExt))
                       ? TbsOkDecision::AskOverwrite
                       : TbsOkDecision::Close;
        return d;
    }
    if (!I.CheckFileExists) {
        d.Action = TbsOkDecision::Close;
        d.FileName = I.Selected.empty() ? completed : I.Selected;
        return d;
    }
    const std::string name = I.Selected.empty() ? completed : I.Selected;
    if (IsFile(name)) {
        d.Action = TbsOkDecision::Close;
        d.FileName = name;
    }
    return d;
}

std::string NewFolderName(const std::string& ABase, int ACount)
{
    return ACount > 1 ? ABase + "(" + std::to_string(ACount) + ")" : ABase;
}

} // namespace skin
