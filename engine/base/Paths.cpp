#include "engine/base/Paths.h"

#include "platform/core/SysUtils.h"

#include <filesystem>
#include <sys/stat.h>

namespace engine {

void GetExeFileName(TPathFileName& AFileName)
{
    AFileName = platform::GetExeFileName();
}

void GetExePath(TPathFileName& APath)
{
    APath = platform::ExtractFilePath(platform::GetExeFileName());
}

int64_t FileSizeByName(const TPathFileName& AFileName)
{
    return platform::FileSizeByName(AFileName);
}

TPathFileName ResolvedPath(const TPathFileName& AFileName)
{
    namespace fs = std::filesystem;
    // The system's own bound on links followed in one name.
    constexpr int MaxLinks = 40;
    std::error_code error;
    fs::path path = fs::absolute(AFileName, error);
    if (error)
        return AFileName;
    for (int links = 0;; ++links) {
        const fs::path name = path.filename();
        fs::path folder = fs::weakly_canonical(path.parent_path(), error);
        path = (error ? path.parent_path() : folder) / name;
        struct stat st {};
        if (links >= MaxLinks || name.empty() || name == "." || name == ".." || ::lstat(path.c_str(), &st) != 0 ||
            !S_ISLNK(st.st_mode))
            return path.lexically_normal().string();
        const fs::path target = fs::read_symlink(path, error);
        if (error)
            return path.string();
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
}

} // namespace engine
