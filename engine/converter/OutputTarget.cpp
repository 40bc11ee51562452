#include "engine/converter/OutputTarget.h"

#include "engine/base/FFHeaders.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {

namespace {

namespace fs = std::filesystem;

std::string FolderOf(const std::string& AFileName)
{
    const fs::path parent = fs::path(AFileName).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// The file a name leads to: a symlink's target, so that a replacement
// lands where the link points and the link stays.
std::string ResolvedName(const std::string& AFileName)
{
    char resolved[PATH_MAX];
    return realpath(AFileName.c_str(), resolved) ? std::string(resolved) : AFileName;
}

} // namespace

std::string FileIdentity(const std::string& AFileName)
{
    struct stat st {};
    if (::stat(AFileName.c_str(), &st) == 0)
        return "inode:" + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
    std::error_code error;
    const fs::path absolute = fs::absolute(AFileName, error);
    if (error)
        return "path:" + AFileName;
    return "path:" + fs::weakly_canonical(absolute, error).string();
}

bool SameFile(const std::string& AFileName1, const std::string& AFileName2)
{
    return FileIdentity(AFileName1) == FileIdentity(AFileName2);
}

bool IsSpecialFile(const std::string& AFileName)
{
    struct stat st {};
    return ::stat(AFileName.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

int CheckOutputPlace(const std::string& AFileName)
{
    struct stat st {};
    if (::stat(AFileName.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return AVERROR(EISDIR);
        if (::access(AFileName.c_str(), W_OK) != 0)
            return AVERROR(errno);
        if (!S_ISREG(st.st_mode))
            return 0;
        // A replacement is made beside the file.
        return ::access(FolderOf(ResolvedName(AFileName)).c_str(), W_OK | X_OK) == 0 ? 0 : AVERROR(errno);
    }
    if (errno != ENOENT)
        return AVERROR(errno);
    const std::string folder = FolderOf(AFileName);
    if (::stat(folder.c_str(), &st) != 0)
        return AVERROR(errno);
    if (!S_ISDIR(st.st_mode))
        return AVERROR(ENOTDIR);
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : AVERROR(errno);
}

int TOutputTarget::Prepare()
{
    struct stat st {};
    if (::stat(FFileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        FCreated = ::lstat(FFileName.c_str(), &st) != 0;
        FWriteName = FFileName;
        return 0;
    }
    const fs::path target = ResolvedName(FFileName);
    std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return AVERROR(errno);
    ::fchmod(fd, st.st_mode & 07777);
    ::close(fd);
    FWriteName = pattern;
    FReplacing = true;
    return 0;
}

int TOutputTarget::Commit()
{
    FDone = true;
    if (!FReplacing)
        return 0;
    if (std::rename(FWriteName.c_str(), ResolvedName(FFileName).c_str()) == 0)
        return 0;
    const int error = AVERROR(errno);
    std::remove(FWriteName.c_str());
    return error;
}

void TOutputTarget::Discard()
{
    if (FDone || FWriteName.empty())
        return;
    FDone = true;
    if (FReplacing) {
        std::remove(FWriteName.c_str());
        return;
    }
    // Only a regular file the job created itself, and only when it holds no
    // result (not a byte, or no packet behind its header): a partial result
    // of a stopped job stays.
    struct stat st {};
    if (FCreated && ::lstat(FWriteName.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_size == 0 || FPackets == 0))
        std::remove(FWriteName.c_str());
}

} // namespace engine
