#include "app/workflow/OutputFolder.h"

#include "platform/core/SysUtils.h"

#include <filesystem>
#include <unistd.h>

namespace app {

std::string OutputFolderProblem(const std::string& AFolder)
{
    if (AFolder.empty())
        return "没有选择输出文件夹。";
    const std::string quoted = "输出文件夹“" + AFolder + "”";
    std::error_code error;
    if (std::filesystem::exists(AFolder, error) && !std::filesystem::is_directory(AFolder, error))
        return quoted + "不是文件夹。";
    if (!platform::DirectoryExists(AFolder) && !platform::ForceDirectories(AFolder))
        return quoted + "不存在，且无法创建。";
    // Creating a file in a folder takes both write and search permission.
    if (::access(AFolder.c_str(), W_OK | X_OK) != 0)
        return quoted + "不可写入。";
    return std::string();
}

} // namespace app
