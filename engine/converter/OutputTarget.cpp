#include "engine/converter/OutputTarget.h"

#include "engine/base/FFHeaders.h"
#include "engine/base/Paths.h"

#include "engine/loader/UnicodeProtocol.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace engine {

namespace {

namespace fs = std::filesystem;

std::string FolderOf(const std::string& AFileName)
{
    const fs::path parent = fs::path(AFileName).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

} // namespace

std::string FileIdentity(const std::string& AFileName)
{
    struct stat st {};
    if (::stat(AFileName.c_str(), &st) == 0)
        return "inode:" + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
    return "path:" + ResolvedPath(AFileName);
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
        return ::access(FolderOf(ResolvedPath(AFileName)).c_str(), W_OK | X_OK) == 0 ? 0 : AVERROR(errno);
    }
    if (errno != ENOENT)
        return AVERROR(errno);
    // A dangling link is created where it points.
    const std::string folder = FolderOf(ResolvedPath(AFileName));
    if (::stat(folder.c_str(), &st) != 0)
        return AVERROR(errno);
    if (!S_ISDIR(st.st_mode))
        return AVERROR(ENOTDIR);
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : AVERROR(errno);
}

namespace {

constexpr const char* TemporarySuffix = ".partial";
constexpr size_t RandomLength = 6;

std::string RandomText()
{
    static const char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 Engine{std::random_device{}()};
    std::uniform_int_distribution<size_t> Pick(0, sizeof Letters - 2);
    std::string Text;
    for (size_t I = 0; I < RandomLength; ++I)
        Text += Letters[Pick(Engine)];
    return Text;
}

// ".name.XXXXXX.partial"
std::string TemporaryName(const std::string& AName)
{
    return "." + AName + "." + RandomText() + TemporarySuffix;
}

bool IsTemporaryOf(const std::string& AEntry, const std::string& AName)
{
    const std::string Head = "." + AName + ".";
    const size_t Suffix = std::char_traits<char>::length(TemporarySuffix);
    return AEntry.size() == Head.size() + RandomLength + Suffix && AEntry.compare(0, Head.size(), Head) == 0 &&
           AEntry.compare(AEntry.size() - Suffix, Suffix, TemporarySuffix) == 0;
}

bool SameInode(const struct stat& A, const struct stat& B)
{
    return A.st_dev == B.st_dev && A.st_ino == B.st_ino;
}

void CloseDescriptor(int& AFd)
{
    if (AFd >= 0)
        ::close(AFd);
    AFd = -1;
}

} // namespace

int RemoveStaleTemporaries(int AFolder, const std::string& AName)
{
    const int Listing = ::openat(AFolder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* Dir = Listing >= 0 ? ::fdopendir(Listing) : nullptr;
    if (!Dir) {
        if (Listing >= 0)
            ::close(Listing);
        return 0;
    }
    int Removed = 0;
    while (const dirent* Entry = ::readdir(Dir)) {
        if (!IsTemporaryOf(Entry->d_name, AName))
            continue;
        // A writer holds its temporary locked while it lives.
        const int Fd = ::openat(AFolder, Entry->d_name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (Fd < 0)
            continue;
        struct stat St {};
        if (::fstat(Fd, &St) == 0 && S_ISREG(St.st_mode) && ::flock(Fd, LOCK_EX | LOCK_NB) == 0 &&
            ::unlinkat(AFolder, Entry->d_name, 0) == 0)
            ++Removed;
        ::close(Fd);
    }
    ::closedir(Dir);
    return Removed;
}

TOutputTarget::~TOutputTarget()
{
    Close();
}

TOutputTarget& TOutputTarget::operator=(TOutputTarget&& AOther) noexcept
{
    if (this == &AOther)
        return *this;
    Close();
    FFileName = std::move(AOther.FFileName);
    FName = std::move(AOther.FName);
    FTempName = std::move(AOther.FTempName);
    FFolder = std::exchange(AOther.FFolder, -1);
    FFile = std::exchange(AOther.FFile, -1);
    FCreated = AOther.FCreated;
    FReplacing = AOther.FReplacing;
    FDone = AOther.FDone;
    FPackets = AOther.FPackets;
    return *this;
}

void TOutputTarget::Close()
{
    CloseDescriptor(FFile);
    CloseDescriptor(FFolder);
}

int TOutputTarget::Open(AVIOContext** APb)
{
    struct stat St {};
    const bool Exists = ::stat(FFileName.c_str(), &St) == 0;
    int Fd;
    if (Exists && !S_ISREG(St.st_mode)) {
        // A device is written as it is: nothing to replace, nothing to remove.
        Fd = ::open(FFileName.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
        if (Fd < 0)
            return AVERROR(errno);
        ::fcntl(Fd, F_SETFL, ::fcntl(Fd, F_GETFL) & ~O_NONBLOCK);
        FFile = Fd;
    } else {
        // Through the folder's descriptor, so that every later step acts on
        // the folder the file was made in, even when it was moved.
        const fs::path Target = ResolvedPath(FFileName);
        FName = Target.filename().string();
        FFolder = ::open(Target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (FFolder < 0)
            return AVERROR(errno);
        if (Exists) {
            const int Err = OpenReplacement(int(St.st_mode & 07777));
            if (Err < 0)
                return Err;
        } else {
            // Exclusive: a file that appeared since the check is not ours to
            // overwrite.
            FFile = ::openat(FFolder, FName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (FFile < 0)
                return AVERROR(errno);
            FCreated = true;
        }
    }
    const int Dup = ::fcntl(FFile, F_DUPFD_CLOEXEC, 0);
    if (Dup < 0)
        return AVERROR(errno);
    const int Err = OpenDescriptorIO(APb, Dup, true);
    if (Err < 0)
        ::close(Dup);
    return Err;
}

int TOutputTarget::OpenReplacement(int AMode)
{
    FReplacing = true;
    FFile = ::openat(FFolder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, AMode);
    if (FFile < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL || errno == ENOENT)) {
        RemoveStaleTemporaries(FFolder, FName);
        return OpenTemporaryByName(AMode);
    }
    if (FFile < 0)
        return AVERROR(errno);
    ::fchmod(FFile, mode_t(AMode));
    return 0;
}

int TOutputTarget::OpenTemporaryByName(int AMode)
{
    for (int Tries = 0; Tries < 100; ++Tries) {
        const std::string Name = TemporaryName(FName);
        FFile = ::openat(FFolder, Name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, AMode);
        if (FFile >= 0) {
            FTempName = Name;
            ::fchmod(FFile, mode_t(AMode));
            ::flock(FFile, LOCK_EX | LOCK_NB);
            return 0;
        }
        if (errno != EEXIST)
            return AVERROR(errno);
    }
    return AVERROR(EEXIST);
}

// The folder the file was made in is still the one its name leads to.
bool TOutputTarget::FolderStillThere() const
{
    struct stat Now {}, Then {};
    const std::string Folder = fs::path(ResolvedPath(FFileName)).parent_path().string();
    return ::fstat(FFolder, &Then) == 0 && Then.st_nlink > 0 && ::stat(Folder.c_str(), &Now) == 0 &&
           SameInode(Now, Then);
}

// The entry AName of the folder is the file this target wrote.
bool TOutputTarget::StillOurs(const std::string& AName) const
{
    struct stat Entry {}, Written {};
    return ::fstatat(FFolder, AName.c_str(), &Entry, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(FFile, &Written) == 0 &&
           SameInode(Entry, Written);
}

void TOutputTarget::RemoveOurs(const std::string& AName)
{
    if (!AName.empty() && StillOurs(AName))
        ::unlinkat(FFolder, AName.c_str(), 0);
}

int TOutputTarget::Commit()
{
    if (FDone || FFile < 0)
        return 0;
    FDone = true;
    if (FFolder < 0) {
        Close();
        return 0;
    }
    int Err = 0;
    if (!FolderStillThere()) {
        Err = AVERROR(ENOENT);
    } else if (!FReplacing) {
        Err = StillOurs(FName) ? 0 : AVERROR(ENOENT);
    } else {
        // An unnamed file gets a hidden name first: a link cannot replace.
        std::string Name = FTempName;
        for (int Tries = 0; Name.empty() && Tries < 100; ++Tries) {
            const std::string Candidate = TemporaryName(FName);
            const std::string Self = "/proc/self/fd/" + std::to_string(FFile);
            if (::linkat(AT_FDCWD, Self.c_str(), FFolder, Candidate.c_str(), AT_SYMLINK_FOLLOW) == 0)
                Name = Candidate;
            else if (errno != EEXIST)
                break;
        }
        if (Name.empty())
            Err = AVERROR(errno ? errno : EEXIST);
        else if (::renameat(FFolder, Name.c_str(), FFolder, FName.c_str()) != 0) {
            Err = AVERROR(errno);
            ::unlinkat(FFolder, Name.c_str(), 0);
        }
        FTempName.clear();
    }
    if (Err < 0) {
        RemoveOurs(FTempName);
        if (FCreated)
            RemoveOurs(FName);
    }
    Close();
    return Err;
}

void TOutputTarget::Keep()
{
    if (FDone || FFile < 0)
        return;
    FDone = true;
    if (FFolder >= 0) {
        RemoveOurs(FTempName);
        // A stopped job's partial result stays, unless nothing of the
        // conversion reached it.
        if (FCreated && FPackets == 0)
            RemoveOurs(FName);
    }
    Close();
}

void TOutputTarget::Discard()
{
    if (FDone || FFile < 0)
        return;
    FDone = true;
    if (FFolder >= 0) {
        RemoveOurs(FTempName);
        if (FCreated)
            RemoveOurs(FName);
    }
    Close();
}

} // namespace engine
