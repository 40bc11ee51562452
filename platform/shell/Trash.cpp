#include "platform/shell/Trash.h"

#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/SpecialFolders.h"
#include "platform/shell/Volumes.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool Fail(std::string* AError, const std::string& AText)
{
    if (AError)
        *AError = AText;
    return false;
}

// The device of a path, or of its nearest existing ancestor.
bool DeviceOf(std::string APath, dev_t& ADevice)
{
    struct stat st {};
    while (lstat(APath.c_str(), &st) != 0) {
        if (APath.empty() || APath == "/")
            return false;
        APath = ExtractFileDir(APath);
        if (APath.empty())
            APath = "/";
    }
    ADevice = st.st_dev;
    return true;
}

bool MakeFolders(const std::string& APath)
{
    if (APath.empty())
        return false;
    struct stat st {};
    if (stat(APath.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    const std::string parent = ExtractFileDir(APath);
    if (!parent.empty() && parent != APath && !MakeFolders(parent))
        return false;
    return mkdir(APath.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string HomeTrash() { return GetSpecialFolder(TSpecialFolder::sfData) + "/Trash"; }

// A trash of the volume is only used when it is safe: .Trash must be a real
// folder (not a link another user planted) with the sticky bit.
std::string VolumeTrash(const std::string& ATopDir)
{
    const std::string uid = std::to_string(getuid());
    const std::string shared = ATopDir + "/.Trash";
    struct stat st {};
    if (lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX))
        return shared + "/" + uid;
    return ATopDir + "/.Trash-" + uid;
}

// Paths in a trash record are URL-escaped.
std::string Escaped(const std::string& APath)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : APath) {
        if (isalnum(c) || strchr("/-._~", c)) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string Now()
{
    const time_t t = time(nullptr);
    struct tm local {};
    localtime_r(&t, &local);
    char text[32];
    strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

bool WriteAll(int AFile, const std::string& AText)
{
    size_t done = 0;
    while (done < AText.size()) {
        const ssize_t n = write(AFile, AText.data() + done, AText.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

} // namespace

std::string TrashFolderFor(const std::string& APath)
{
    const std::string home = HomeTrash();
    dev_t item = 0, trash = 0;
    if (!DeviceOf(APath, item) || !DeviceOf(home, trash) || item == trash)
        return home;
    TVolumeInfo volume;
    if (!VolumeOfPath(APath, volume) || volume.MountPoint == "/")
        return home;
    return VolumeTrash(volume.MountPoint);
}

bool MoveToTrash(const std::string& APath, std::string* AError)
{
    struct stat st {};
    if (APath.empty() || APath[0] != '/' || lstat(APath.c_str(), &st) != 0)
        return Fail(AError, Format("Cannot move \"%s\" to the trash: %s", APath, SysErrorMessage(ENOENT)));
    const std::string trash = TrashFolderFor(APath);
    const std::string name = ExtractFileName(APath);
    if (APath == "/" || name.empty() || name == "." || name == ".." || trash == APath || trash.rfind(APath + "/", 0) == 0)
        return Fail(AError, Format("Cannot move \"%s\" to the trash: it holds the trash", APath));
    const std::string files = trash + "/files", info = trash + "/info";
    if (!MakeFolders(files) || !MakeFolders(info))
        return Fail(AError, Format("Cannot move \"%s\" to the trash: the trash folder \"%s\" cannot be made (%s)",
                                   APath, trash, SysErrorMessage(errno)));
    // A volume's trash records its items relative to the volume.
    std::string recorded = APath;
    if (trash != HomeTrash()) {
        TVolumeInfo volume;
        if (VolumeOfPath(APath, volume) && volume.MountPoint != "/")
            recorded = APath.substr(volume.MountPoint.size() + 1);
    }
    const std::string record = "[Trash Info]\nPath=" + Escaped(recorded) + "\nDeletionDate=" + Now() + "\n";
    const std::string ext = ExtractFileExt(name), stem = name.substr(0, name.size() - ext.size());
    for (int n = 1; n < 10000; ++n) {
        const std::string trashed = n == 1 ? name : stem + "." + std::to_string(n) + ext;
        const std::string infoFile = info + "/" + trashed + ".trashinfo";
        // The record claims the name; whoever creates it first owns it.
        const int f = open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (f < 0) {
            if (errno == EEXIST)
                continue;
            return Fail(AError, Format("Cannot move \"%s\" to the trash: %s", APath, SysErrorMessage(errno)));
        }
        const bool written = WriteAll(f, record);
        close(f);
        struct stat taken {};
        if (written && lstat((files + "/" + trashed).c_str(), &taken) == 0) {
            unlink(infoFile.c_str());
            continue;
        }
        if (written && rename(APath.c_str(), (files + "/" + trashed).c_str()) == 0)
            return true;
        const int error = written ? errno : EIO;
        unlink(infoFile.c_str());
        return Fail(AError, Format("Cannot move \"%s\" to the trash: %s", APath, SysErrorMessage(error)));
    }
    return Fail(AError, Format("Cannot move \"%s\" to the trash: no free name is left", APath));
}

} // namespace platform
