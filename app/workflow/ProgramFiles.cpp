#include "app/workflow/ProgramFiles.h"

#include "platform/core/SysUtils.h"

namespace app {

namespace {

// <prefix>/share/zarvelo/ for a program in <prefix>/bin.
std::string InstalledShareFolderOf(const std::string& AExeFileName)
{
    const std::string folder = platform::ExtractFilePath(AExeFileName);
    const std::string prefix = platform::ExtractFilePath(platform::ExcludeTrailingPathDelimiter(folder));
    return prefix + "share/zarvelo/";
}

} // namespace

bool IsInstalledProgram(const std::string& AExeFileName)
{
    return platform::DirectoryExists(InstalledShareFolderOf(AExeFileName));
}

std::string ProgramDataFolderOf(const std::string& AExeFileName)
{
    const std::string folder = platform::ExtractFilePath(AExeFileName);
    if (platform::DirectoryExists(folder + "help") || platform::DirectoryExists(folder + "sounds"))
        return folder;
    return IsInstalledProgram(AExeFileName) ? InstalledShareFolderOf(AExeFileName) : folder;
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
