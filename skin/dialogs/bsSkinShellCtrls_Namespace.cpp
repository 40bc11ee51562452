#include "skin/dialogs/bsSkinShellCtrls_Namespace.h"

#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/FileTypes.h"
#include "platform/shell/SpecialFolders.h"
#include "platform/shell/Volumes.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace skin {

using platform::TSpecialFolder;

namespace {

const char* const ComputerName = "Computer";
const char* const ComputerParsingName = "::{Computer}";

enum class TKind { Desktop, Computer, Path, Invalid };

struct TLocation {
    TKind Kind = TKind::Invalid;
    std::string Path;
    char LastKind = 0;       // kind of the last item; 0 for the desktop
    std::string LastData;
    std::string Key() const { return Kind == TKind::Path ? "P:" + Path : Kind == TKind::Computer ? "C:" : "D:"; }
};

std::string DesktopPath() { return platform::GetSpecialFolder(TSpecialFolder::sfDesktop); }

bool IsPlainName(const std::string& AName)
{
    return !AName.empty() && AName != "." && AName != ".." && AName.find('/') == std::string::npos;
}

std::string ChildPath(const std::string& AFolder, const std::string& AName)
{
    return AFolder == "/" ? "/" + AName : AFolder + "/" + AName;
}

TLocation Resolve(PCItemIDList AList)
{
    TLocation location;
    location.Kind = TKind::Desktop;
    for (PCItemIDList at = AList; at && ItemIDCount(at) > 0; at = NextItemID(at)) {
        const char kind = ItemKind(at);
        const std::string data = ItemData(at);
        if (kind == ikVirtual && data == ComputerName && location.Kind == TKind::Desktop) {
            location.Kind = TKind::Computer;
        } else if (kind == ikAnchor && !data.empty() && data[0] == '/' && location.Kind != TKind::Path) {
            location.Kind = TKind::Path;
            location.Path = data;
        } else if (kind == ikName && IsPlainName(data)
                   && (location.Kind == TKind::Path || location.Kind == TKind::Desktop)) {
            location.Path = ChildPath(location.Kind == TKind::Desktop ? DesktopPath() : location.Path, data);
            location.Kind = TKind::Path;
        } else {
            return TLocation();
        }
        location.LastKind = kind;
        location.LastData = data;
    }
    return location;
}

bool IsDirectory(const std::string& APath)
{
    struct stat st {};
    return stat(APath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFolderLocation(const TLocation& ALocation)
{
    return ALocation.Kind == TKind::Desktop || ALocation.Kind == TKind::Computer
           || (ALocation.Kind == TKind::Path && IsDirectory(ALocation.Path));
}

std::string AnchorName(const std::string& APath)
{
    if (APath == platform::HomeFolder())
        return "Home";
    platform::TVolumeInfo volume;
    if (platform::FindVolume(APath, volume) && !volume.Label.empty())
        return volume.Label;
    if (APath == "/")
        return "File System";
    return platform::ExtractFileName(APath);
}

std::string DateText(time_t ATime)
{
    tm local {};
    char text[32] = "";
    if (localtime_r(&ATime, &local))
        strftime(text, sizeof(text), "%Y-%m-%d %H:%M", &local);
    return text;
}

std::string NormalPath(const std::string& APath)
{
    std::string path = std::filesystem::path(APath).lexically_normal().string();
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// Computer, the volume that holds the path, then one item per name.
PItemIDList ParsePath(const std::string& AAbsolutePath)
{
    const std::string path = NormalPath(AAbsolutePath);
    struct stat st {};
    if (path.empty() || path[0] != '/' || lstat(path.c_str(), &st) != 0)
        return nullptr;
    platform::TVolumeInfo volume;
    if (!platform::VolumeOfPath(path, volume))
        return nullptr;
    TItemIDListPtr list(MakeItemID(ikVirtual, ComputerName));
    TItemIDListPtr anchor(MakeItemID(ikAnchor, volume.MountPoint));
    list.reset(JoinItemIDLists(list.get(), anchor.get()));
    std::string rest = path.substr(volume.MountPoint == "/" ? 1 : volume.MountPoint.size());
    size_t start = rest.empty() || rest[0] != '/' ? 0 : 1;
    while (start < rest.size()) {
        size_t end = rest.find('/', start);
        if (end == std::string::npos)
            end = rest.size();
        TItemIDListPtr name(MakeItemID(ikName, rest.substr(start, end - start)));
        if (!name)
            return nullptr;
        list.reset(JoinItemIDLists(list.get(), name.get()));
        start = end + 1;
    }
    return list.release();
}

class TListEnum : public IEnumIDList {
public:
    explicit TListEnum(std::vector<TItemIDListPtr> AItems) : FItems(std::move(AItems)) {}
    bool Next(PItemIDList& AItem) override
    {
        if (FNext >= FItems.size())
            return false;
        AItem = FItems[FNext++].release();
        return true;
    }

private:
    std::vector<TItemIDListPtr> FItems;
    size_t FNext = 0;
};

bool IsHiddenName(const std::string& AName) { return !AName.empty() && AName[0] == '.'; }

class TShellFolder : public IShellFolder2 {
public:
    TShellFolder(PCItemIDList AAbsolute, const TLocation& ALocation)
        : FAbsolute(DuplicateItemIDList(AAbsolute)), FLocation(ALocation) {}

    bool ParseDisplayName(const std::string& AName, PItemIDList& AList) override;
    bool EnumObjects(uint32_t AFlags, std::unique_ptr<IEnumIDList>& AEnum) override;
    IShellFolderPtr BindToObject(PCItemIDList AList) override;
    int CompareIDs(int AColumn, PCItemIDList A, PCItemIDList B) override;
    bool GetAttributesOf(PCItemIDList AList, uint32_t& AAttributes) override;
    bool GetDisplayNameOf(PCItemIDList AList, uint32_t AFlags, TStrRet& AName) override;
    bool SetNameOf(PCItemIDList AList, const std::string& ANewName, uint32_t AFlags, PItemIDList* ANewList) override;
    bool GetDetailsOf(PCItemIDList AList, int AColumn, TShellDetails& ADetails) override;
    bool GetDefaultColumnState(int AColumn, uint32_t& AState) override;

private:
    TLocation Child(PCItemIDList AList) const
    {
        TItemIDListPtr absolute(JoinItemIDLists(FAbsolute.get(), AList));
        return Resolve(absolute.get());
    }
    void AddEntries(const std::string& AFolder, uint32_t AFlags, std::vector<TItemIDListPtr>& AItems) const;
    std::string TypeText(const TLocation& ALocation) const;

    TItemIDListPtr FAbsolute;
    TLocation FLocation;
};

bool TShellFolder::ParseDisplayName(const std::string& AName, PItemIDList& AList)
{
    AList = nullptr;
    if (FLocation.Kind == TKind::Desktop) {
        if (AName == ComputerParsingName)
            AList = MakeItemID(ikVirtual, ComputerName);
        else if (!AName.empty() && AName[0] == '/')
            AList = ParsePath(AName);
    } else if (FLocation.Kind == TKind::Path && IsPlainName(AName)) {
        struct stat st {};
        if (lstat(ChildPath(FLocation.Path, AName).c_str(), &st) == 0)
            AList = MakeItemID(ikName, AName);
    }
    return AList != nullptr;
}

void TShellFolder::AddEntries(const std::string& AFolder, uint32_t AFlags, std::vector<TItemIDListPtr>& AItems) const
{
    DIR* dir = opendir(AFolder.c_str());
    if (!dir)
        return;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (!IsPlainName(name) || (IsHiddenName(name) && !(AFlags & SHCONTF_INCLUDEHIDDEN)))
            continue;
        const bool folder = IsDirectory(ChildPath(AFolder, name));
        if (AFlags & (folder ? SHCONTF_FOLDERS : SHCONTF_NONFOLDERS))
            AItems.emplace_back(MakeItemID(ikName, name));
    }
    closedir(dir);
}

bool TShellFolder::EnumObjects(uint32_t AFlags, std::unique_ptr<IEnumIDList>& AEnum)
{
    std::vector<TItemIDListPtr> items;
    switch (FLocation.Kind) {
    case TKind::Desktop: {
        if (AFlags & SHCONTF_FOLDERS) {
            items.emplace_back(MakeItemID(ikVirtual, ComputerName));
            const std::string home = platform::HomeFolder();
            if (IsDirectory(home))
                items.emplace_back(MakeItemID(ikAnchor, home));
        }
        const std::string desktop = DesktopPath();
        if (desktop != platform::HomeFolder())
            AddEntries(desktop, AFlags, items);
        break;
    }
    case TKind::Computer:
        if (AFlags & SHCONTF_FOLDERS)
            for (const platform::TVolumeInfo& volume : platform::ListVolumes())
                items.emplace_back(MakeItemID(ikAnchor, volume.MountPoint));
        break;
    case TKind::Path:
        if (access(FLocation.Path.c_str(), R_OK | X_OK) != 0 || !IsDirectory(FLocation.Path))
            return false;
        AddEntries(FLocation.Path, AFlags, items);
        break;
    case TKind::Invalid:
        return false;
    }
    AEnum = std::make_unique<TListEnum>(std::move(items));
    return true;
}

IShellFolderPtr TShellFolder::BindToObject(PCItemIDList AList)
{
    TItemIDListPtr absolute(JoinItemIDLists(FAbsolute.get(), AList));
    const TLocation location = Resolve(absolute.get());
    if (!IsFolderLocation(location))
        return nullptr;
    return std::make_shared<TShellFolder>(absolute.get(), location);
}

int TShellFolder::CompareIDs(int, PCItemIDList A, PCItemIDList B)
{
    const TLocation a = Child(A), b = Child(B);
    if (a.Kind != TKind::Invalid && b.Kind != TKind::Invalid && a.Key() == b.Key())
        return 0;
    if (ItemIDCount(A) == 1 && ItemIDCount(B) == 1 && a.Kind != TKind::Invalid && b.Kind != TKind::Invalid) {
        // Virtual folders and anchors before plain names, folders before
        // files, then the names as a user reads them.
        const int rankA = (a.LastKind == ikName ? 2 : 0) + (IsFolderLocation(a) ? 0 : 1);
        const int rankB = (b.LastKind == ikName ? 2 : 0) + (IsFolderLocation(b) ? 0 : 1);
        if (rankA != rankB)
            return rankA < rankB ? -1 : 1;
        TStrRet nameA, nameB;
        GetDisplayNameOf(A, SHGDN_INFOLDER, nameA);
        GetDisplayNameOf(B, SHGDN_INFOLDER, nameB);
        if (int c = platform::CompareLogicalText(nameA.Text, nameB.Text))
            return c;
    }
    if (a.Kind != TKind::Invalid && b.Kind != TKind::Invalid)
        return a.Key() < b.Key() ? -1 : 1;
    // Lists that name nothing still get a stable order.
    const size_t sizeA = ItemIDListSize(A), sizeB = ItemIDListSize(B);
    const int c = memcmp(ItemBytes(A), ItemBytes(B), std::min(sizeA, sizeB));
    return c != 0 ? (c < 0 ? -1 : 1) : sizeA == sizeB ? 0 : sizeA < sizeB ? -1 : 1;
}

bool HasSubFolder(const std::string& AFolder)
{
    DIR* dir = opendir(AFolder.c_str());
    if (!dir)
        return false;
    bool found = false;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (IsPlainName(name) && IsDirectory(ChildPath(AFolder, name))) {
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

bool TShellFolder::GetAttributesOf(PCItemIDList AList, uint32_t& AAttributes)
{
    const uint32_t asked = AAttributes;
    const TLocation location = Child(AList);
    if (location.Kind == TKind::Invalid)
        return false;
    if (location.Kind != TKind::Path) {
        AAttributes = SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER;
        if (location.Kind == TKind::Desktop)
            AAttributes |= SFGAO_DROPTARGET;
        return true;
    }
    struct stat st {};
    struct stat linkSt {};
    if (lstat(location.Path.c_str(), &linkSt) != 0)
        return false;
    const bool exists = stat(location.Path.c_str(), &st) == 0;
    const bool folder = exists && S_ISDIR(st.st_mode);
    uint32_t attributes = SFGAO_CANCOPY | SFGAO_CANLINK | SFGAO_FILESYSTEM;
    if (folder)
        attributes |= SFGAO_FOLDER | SFGAO_FILESYSANCESTOR;
    const std::string parent = platform::ExtractFileDir(location.Path);
    if (location.LastKind == ikName && access(parent.empty() ? "/" : parent.c_str(), W_OK) == 0)
        attributes |= SFGAO_CANMOVE | SFGAO_CANRENAME | SFGAO_CANDELETE;
    if (folder && access(location.Path.c_str(), W_OK) == 0)
        attributes |= SFGAO_DROPTARGET;
    if (S_ISLNK(linkSt.st_mode))
        attributes |= SFGAO_LINK;
    if (access(location.Path.c_str(), W_OK) != 0)
        attributes |= SFGAO_READONLY;
    if (location.LastKind == ikName && IsHiddenName(location.LastData))
        attributes |= SFGAO_GHOSTED;
    platform::TVolumeInfo volume;
    if (location.LastKind == ikAnchor && platform::FindVolume(location.Path, volume) && volume.IsRemovable)
        attributes |= SFGAO_REMOVABLE;
    if (folder && (asked & SFGAO_HASSUBFOLDER) && HasSubFolder(location.Path))
        attributes |= SFGAO_HASSUBFOLDER;
    AAttributes = attributes;
    return true;
}

bool TShellFolder::GetDisplayNameOf(PCItemIDList AList, uint32_t AFlags, TStrRet& AName)
{
    const TLocation location = Child(AList);
    if (location.Kind == TKind::Invalid)
        return false;
    AName = TStrRet();
    const bool parsing = AFlags & SHGDN_FORPARSING;
    const bool inFolder = AFlags & SHGDN_INFOLDER;
    switch (location.Kind) {
    case TKind::Desktop: AName.Text = parsing ? DesktopPath() : std::string("Desktop"); break;
    case TKind::Computer: AName.Text = parsing ? ComputerParsingName : ComputerName; break;
    default:
        if (parsing)
            AName.Text = inFolder && location.LastKind == ikName ? location.LastData : location.Path;
        else
            AName.Text = location.LastKind == ikAnchor ? AnchorName(location.Path) : location.LastData;
    }
    return true;
}

bool TShellFolder::SetNameOf(PCItemIDList AList, const std::string& ANewName, uint32_t, PItemIDList* ANewList)
{
    const TLocation location = Child(AList);
    if (location.Kind != TKind::Path || location.LastKind != ikName || ItemIDCount(AList) != 1
        || !IsPlainName(ANewName))
        return false;
    const std::string target = ChildPath(platform::ExtractFileDir(location.Path), ANewName);
    // Never replace an existing item: the kernel refuses for us where it
    // can, otherwise look first.
    if (syscall(SYS_renameat2, AT_FDCWD, location.Path.c_str(), AT_FDCWD, target.c_str(), 1 /* RENAME_NOREPLACE */) != 0) {
        if (errno != EINVAL && errno != ENOSYS)
            return false;
        struct stat st {};
        if (lstat(target.c_str(), &st) == 0 || rename(location.Path.c_str(), target.c_str()) != 0)
            return false;
    }
    if (ANewList)
        *ANewList = MakeItemID(ikName, ANewName);
    return true;
}

std::string TShellFolder::TypeText(const TLocation& ALocation) const
{
    if (ALocation.Kind == TKind::Computer)
        return "System Folder";
    platform::TVolumeInfo volume;
    if (ALocation.LastKind == ikAnchor && platform::FindVolume(ALocation.Path, volume))
        return volume.IsRemote ? "Network Drive" : volume.IsRemovable ? "Removable Disk" : "Local Disk";
    return platform::FileTypeOf(ALocation.Path, IsDirectory(ALocation.Path)).Description;
}

// Column captions, alignments, widths and states, in column order.
struct TColumn {
    const char* Caption;
    int Format;
    int CharWidth;
    uint32_t State;
};
const TColumn Columns[] = {
    {"Name", 0, 25, SHCOLSTATE_TYPE_STR | SHCOLSTATE_ONBYDEFAULT},
    {"Size", 1, 10, SHCOLSTATE_TYPE_INT | SHCOLSTATE_ONBYDEFAULT},
    {"Type", 0, 10, SHCOLSTATE_TYPE_STR | SHCOLSTATE_ONBYDEFAULT},
    {"Date Modified", 0, 14, SHCOLSTATE_TYPE_DATE | SHCOLSTATE_ONBYDEFAULT},
    {"Date Accessed", 0, 14, SHCOLSTATE_TYPE_DATE},
};
constexpr int ColumnCount = int(sizeof(Columns) / sizeof(Columns[0]));

bool TShellFolder::GetDetailsOf(PCItemIDList AList, int AColumn, TShellDetails& ADetails)
{
    if (AColumn < 0 || AColumn >= ColumnCount)
        return false;
    ADetails = TShellDetails();
    ADetails.Format = Columns[AColumn].Format;
    ADetails.CharWidth = Columns[AColumn].CharWidth;
    if (!AList) {
        ADetails.Str.Text = Columns[AColumn].Caption;
        return true;
    }
    const TLocation location = Child(AList);
    if (location.Kind == TKind::Invalid)
        return false;
    if (AColumn == 0)
        return GetDisplayNameOf(AList, SHGDN_INFOLDER, ADetails.Str);
    if (AColumn == 2) {
        ADetails.Str.Text = TypeText(location);
        return true;
    }
    struct stat st {};
    if (location.Kind != TKind::Path || stat(location.Path.c_str(), &st) != 0)
        return true;  // virtual folders have no size or dates
    if (AColumn == 1 && !S_ISDIR(st.st_mode))
        ADetails.Str.Text = platform::Format("%d KB", int64_t((st.st_size + 1023) / 1024));
    else if (AColumn == 3)
        ADetails.Str.Text = DateText(st.st_mtime);
    else if (AColumn == 4)
        ADetails.Str.Text = DateText(st.st_atime);
    return true;
}

bool TShellFolder::GetDefaultColumnState(int AColumn, uint32_t& AState)
{
    if (AColumn < 0 || AColumn >= ColumnCount)
        return false;
    AState = Columns[AColumn].State;
    return true;
}

// The stand-in for the system image list: icon names by index.
std::mutex GIconLock;
std::vector<std::string> GIconNames{"unknown"};

// Special folder numbers and the folders that stand for them on Linux;
// the virtual ones and those Linux lacks have no folder.
struct TSpecialLocation {
    int CSIDL;
    enum { slDesktop, slComputer, slFolder, slNone } Kind;
    TSpecialFolder Folder;
};
const TSpecialLocation SpecialLocations[] = {
    {0x00, TSpecialLocation::slDesktop, TSpecialFolder::sfHome},
    {0x01, TSpecialLocation::slNone, TSpecialFolder::sfHome},                 // Internet
    {0x02, TSpecialLocation::slFolder, TSpecialFolder::sfApplications},       // Programs
    {0x03, TSpecialLocation::slNone, TSpecialFolder::sfHome},                 // Control Panel
    {0x04, TSpecialLocation::slNone, TSpecialFolder::sfHome},                 // Printers
    {0x05, TSpecialLocation::slFolder, TSpecialFolder::sfDocuments},          // Personal
    {0x06, TSpecialLocation::slNone, TSpecialFolder::sfHome},                 // Favorites
    {0x07, TSpecialLocation::slFolder, TSpecialFolder::sfAutostart},          // Startup
    {0x08, TSpecialLocation::slNone, TSpecialFolder::sfHome},                 // Recent
    {0x09, TSpecialLocation::slNone, TSpecialFolder::sfHome},                 // SendTo
    {0x0A, TSpecialLocation::slFolder, TSpecialFolder::sfTrash},              // Recycle Bin
    {0x0B, TSpecialLocation::slFolder, TSpecialFolder::sfApplications},       // Start Menu
    {0x10, TSpecialLocation::slFolder, TSpecialFolder::sfDesktop},            // Desktop folder
    {0x11, TSpecialLocation::slComputer, TSpecialFolder::sfHome},             // My Computer
    {0x12, TSpecialLocation::slNone, TSpecialFolder::sfHome},                 // Network
    {0x14, TSpecialLocation::slFolder, TSpecialFolder::sfFonts},              // Fonts
    {0x15, TSpecialLocation::slFolder, TSpecialFolder::sfTemplates},          // Templates
    {0x16, TSpecialLocation::slFolder, TSpecialFolder::sfSystemApplications}, // Common Start Menu
    {0x17, TSpecialLocation::slFolder, TSpecialFolder::sfSystemApplications}, // Common Programs
    {0x18, TSpecialLocation::slFolder, TSpecialFolder::sfSystemAutostart},    // Common Startup
    {0x19, TSpecialLocation::slNone, TSpecialFolder::sfHome},                 // Common Desktop
    {0x1A, TSpecialLocation::slFolder, TSpecialFolder::sfConfig},             // Application Data
    {0x1B, TSpecialLocation::slNone, TSpecialFolder::sfHome},                 // PrintHood
};

} // namespace

int ShellNameCompare(const std::string& A, const std::string& B) { return platform::CompareLogicalText(A, B); }

IShellFolderPtr SHGetDesktopFolder()
{
    TItemIDListPtr empty(AllocItemIDList(2));
    if (!empty)
        throw EOleSysError("Not enough memory");
    return std::make_shared<TShellFolder>(empty.get(), Resolve(empty.get()));
}

bool SHGetSpecialFolderLocation(int ACSIDL, PItemIDList& AList)
{
    AList = nullptr;
    for (const TSpecialLocation& special : SpecialLocations) {
        if (special.CSIDL != ACSIDL)
            continue;
        if (special.Kind == TSpecialLocation::slDesktop)
            AList = AllocItemIDList(2);
        else if (special.Kind == TSpecialLocation::slComputer)
            AList = MakeItemID(ikVirtual, ComputerName);
        else if (special.Kind == TSpecialLocation::slFolder && IsDirectory(platform::GetSpecialFolder(special.Folder)))
            AList = ParsePath(platform::GetSpecialFolder(special.Folder));
    }
    return AList != nullptr;
}

bool SHGetPathFromIDList(PCItemIDList AList, std::string& APath)
{
    const TLocation location = Resolve(AList);
    APath.clear();
    if (location.Kind == TKind::Desktop)
        APath = DesktopPath();
    else if (location.Kind == TKind::Path)
        APath = location.Path;
    return !APath.empty();
}

int ShellIconIndex(const std::string& AIconName)
{
    std::lock_guard<std::mutex> guard(GIconLock);
    for (size_t i = 0; i < GIconNames.size(); ++i)
        if (GIconNames[i] == AIconName)
            return int(i);
    GIconNames.push_back(AIconName);
    return int(GIconNames.size() - 1);
}

std::string ShellIconName(int AIndex)
{
    std::lock_guard<std::mutex> guard(GIconLock);
    return AIndex >= 0 && size_t(AIndex) < GIconNames.size() ? GIconNames[size_t(AIndex)] : std::string();
}

std::string ShellIconNameOf(PCItemIDList AList, bool AOpen)
{
    const TLocation location = Resolve(AList);
    switch (location.Kind) {
    case TKind::Desktop: return "user-desktop";
    case TKind::Computer: return "computer";
    case TKind::Invalid: return "unknown";
    default: break;
    }
    if (location.LastKind == ikAnchor) {
        if (location.Path == platform::HomeFolder())
            return "user-home";
        platform::TVolumeInfo volume;
        if (platform::FindVolume(location.Path, volume))
            return volume.IsRemote ? "folder-remote" : volume.IsRemovable ? "drive-removable-media" : "drive-harddisk";
    }
    if (IsDirectory(location.Path))
        return AOpen ? "folder-open" : "folder";
    return platform::FileTypeOf(location.Path, false).IconName;
}

} // namespace skin
