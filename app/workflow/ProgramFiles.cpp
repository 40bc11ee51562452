#include "app/workflow/ProgramFiles.h"

#include "platform/core/SysUtils.h"

namespace app {

std::string ProgramDataFolderOf(const std::string& AExeFileName)
{
    const std::string folder = platform::ExtractFilePath(AExeFileName);
    if (platform::DirectoryExists(folder + "help") || platform::DirectoryExists(folder + "sounds"))
        return folder;
    const std::string prefix = platform::ExtractFilePath(platform::ExcludeTrailingPathDelimiter(folder));
    const std::string installed = prefix + "share/zarvelo/";
    return platform::DirectoryExists(installed) ? installed : folder;
}

std::string HelpPageIn(const std::string& ADataFolder)
{
    return platform::IncludeTrailingPathDelimiter(ADataFolder) + "help/index.html";
}

std::string ProgramDataFolder()
{
    return ProgramDataFolderOf(platform::GetExeFileName());
}

} // namespace app
