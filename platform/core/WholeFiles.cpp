#include "platform/core/WholeFiles.h"

#include "platform/core/SysUtils.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

namespace fs = std::filesystem;

// Timestamps of common file systems are coarse (a clock tick, or two
// seconds on FAT): a change this close to a stamp may not move the time.
constexpr int64_t TimestampGrainNs = 2'000'000'000;

int64_t Nanoseconds(const timespec& ATime)
{
    return int64_t(ATime.tv_sec) * 1'000'000'000 + ATime.tv_nsec;
}

bool Fail(std::string& AReason, int AError)
{
    AReason = SysErrorMessage(AError);
    return false;
}

bool WriteAll(int AFile, std::string_view AText)
{
    while (!AText.empty()) {
        const ssize_t written = ::write(AFile, AText.data(), AText.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        AText.remove_prefix(size_t(written));
    }
    return true;
}

// The file a name stands for: a symbolic link is replaced through, not
// turned into a plain file.
std::string ResolvedTarget(const std::string& AFileName)
{
    std::error_code error;
    if (!fs::is_symlink(AFileName, error))
        return AFileName;
    const fs::path target = fs::weakly_canonical(AFileName, error);
    return error ? AFileName : target.string();
}

// A new, empty file beside ATarget that no one else has opened.
int CreateTemporary(const std::string& ATarget, mode_t AMode, std::string& AName)
{
    static std::atomic<unsigned> counter{0};
    const fs::path target(ATarget);
    for (int attempt = 0; attempt < 100; ++attempt) {
        AName = (target.parent_path() / ("." + target.filename().string() + "." + IntToStr(getpid()) + "-" +
                                         IntToStr(counter++) + ".tmp"))
                    .string();
        const int file = ::open(AName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, AMode);
        if (file >= 0 || errno != EEXIST)
            return file;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

TReadOutcome ReadWholeFile(const std::string& AFileName, std::string& AText, std::string& AReason)
{
    AText.clear();
    // Non-blocking, so that a pipe put in the file's place cannot hang us.
    const int file = ::open(AFileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return TReadOutcome::Missing;
        AReason = SysErrorMessage(errno);
        return TReadOutcome::Failed;
    }
    struct stat st {};
    TReadOutcome outcome = TReadOutcome::Read;
    if (::fstat(file, &st) != 0) {
        AReason = SysErrorMessage(errno);
        outcome = TReadOutcome::Failed;
    } else if (S_ISDIR(st.st_mode)) {
        AReason = SysErrorMessage(EISDIR);
        outcome = TReadOutcome::Failed;
    } else if (!S_ISREG(st.st_mode)) {
        AReason = "not a regular file";
        outcome = TReadOutcome::Failed;
    } else {
        // Read straight into place; a file that grows meanwhile is read on.
        size_t have = 0;
        AText.resize(size_t(st.st_size) + 1);
        for (;;) {
            if (have == AText.size())
                AText.resize(AText.size() * 2);
            const ssize_t got = ::read(file, AText.data() + have, AText.size() - have);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                AReason = SysErrorMessage(errno);
                outcome = TReadOutcome::Failed;
                have = 0;
            }
            if (got <= 0)
                break;
            have += size_t(got);
        }
        AText.resize(have);
    }
    ::close(file);
    return outcome;
}

bool ReplaceFileContent(const std::string& AFileName, std::string_view AText, std::string& AReason)
{
    if (AFileName.empty())
        return Fail(AReason, ENOENT);
    const std::string target = ResolvedTarget(AFileName);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return Fail(AReason, EISDIR);
    if (exists && !S_ISREG(st.st_mode)) {
        AReason = "not a regular file";
        return false;
    }
    // Renaming over a file needs only the folder's permission; a file marked
    // read-only is kept as its owner wants it, even for the superuser.
    if (exists && (::access(target.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0))
        return Fail(AReason, EACCES);

    std::string temporary;
    const int file = CreateTemporary(target, exists ? 0600 : 0666, temporary);
    if (file < 0)
        return Fail(AReason, errno);
    bool written = WriteAll(file, AText) && (!exists || ::fchmod(file, st.st_mode & 07777) == 0) &&
                   ::fsync(file) == 0;
    int error = errno;
    if (::close(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && ::rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    if (written)
        error = errno;
    ::unlink(temporary.c_str());
    return Fail(AReason, error);
}

TFileStamp TFileStamp::Of(const std::string& AFileName)
{
    TFileStamp stamp;
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    stamp.TakenNs = Nanoseconds(now);
    struct stat st {};
    if (::stat(AFileName.c_str(), &st) != 0)
        return stamp;
    stamp.Exists = true;
    stamp.Device = uint64_t(st.st_dev);
    stamp.Inode = uint64_t(st.st_ino);
    stamp.Size = int64_t(st.st_size);
    stamp.ModifiedNs = Nanoseconds(st.st_mtim);
    stamp.ChangedNs = Nanoseconds(st.st_ctim);
    return stamp;
}

bool TFileStamp::Settled() const
{
    return !Exists || TakenNs - std::max(ModifiedNs, ChangedNs) > TimestampGrainNs;
}

bool TFileStamp::SameFile(const TFileStamp& AOther) const
{
    return Exists == AOther.Exists && Device == AOther.Device && Inode == AOther.Inode && Size == AOther.Size &&
           ModifiedNs == AOther.ModifiedNs && ChangedNs == AOther.ChangedNs;
}

} // namespace platform
