#include "skin/dialogs/bsSkinShellCtrls_Folder.h"

#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/ShellExecute.h"

#include <cerrno>
#include <sys/stat.h>

namespace skin {

using platform::Format;

namespace {

struct TRootFolderEntry {
    const char* Name;
    int CSIDL;
};

// In the order of TRootFolder.
const TRootFolderEntry RootFolders[RootFolderCount] = {
    {"rfDesktop", 0x00}, {"rfMyComputer", 0x11}, {"rfNetwork", 0x12}, {"rfRecycleBin", 0x0A},
    {"rfAppData", 0x1A}, {"rfCommonDesktopDirectory", 0x19}, {"rfCommonPrograms", 0x17},
    {"rfCommonStartMenu", 0x16}, {"rfCommonStartup", 0x18}, {"rfControlPanel", 0x03},
    {"rfDesktopDirectory", 0x10}, {"rfFavorites", 0x06}, {"rfFonts", 0x14}, {"rfInternet", 0x01},
    {"rfPersonal", 0x05}, {"rfPrinters", 0x04}, {"rfPrintHood", 0x1B}, {"rfPrograms", 0x02},
    {"rfRecent", 0x08}, {"rfSendTo", 0x09}, {"rfStartMenu", 0x0B}, {"rfStartup", 0x07}, {"rfTemplates", 0x15},
};

// Shell attribute bits and the capabilities and properties they give.
struct TAttributeMap {
    uint32_t Bit;
    unsigned Flag;
};
const TAttributeMap CapabilityBits[] = {
    {SFGAO_CANCOPY, fcCanCopy}, {SFGAO_CANDELETE, fcCanDelete}, {SFGAO_CANLINK, fcCanLink},
    {SFGAO_CANMOVE, fcCanMove}, {SFGAO_CANRENAME, fcCanRename}, {SFGAO_DROPTARGET, fcDropTarget},
    {SFGAO_HASPROPSHEET, fcHasPropSheet},
};
const TAttributeMap PropertyBitsFirst[] = {
    {SFGAO_GHOSTED, fpCut}, {SFGAO_LINK, fpIsLink}, {SFGAO_READONLY, fpReadOnly}, {SFGAO_SHARE, fpShared},
};
const TAttributeMap PropertyBitsSecond[] = {
    {SFGAO_FILESYSTEM, fpFileSystem}, {SFGAO_FILESYSANCESTOR, fpFileSystemAncestor},
    {SFGAO_REMOVABLE, fpRemovable}, {0x1000000, fpValidate},
};

template <size_t N>
unsigned MapAttributes(uint32_t AAttributes, const TAttributeMap (&AMap)[N])
{
    unsigned flags = 0;
    for (const TAttributeMap& entry : AMap)
        if (AAttributes & entry.Bit)
            flags |= entry.Flag;
    return flags;
}

uint32_t AttributesOf(const IShellFolderPtr& AFolder, PCItemIDList AID, uint32_t AMask)
{
    uint32_t attributes = AMask;
    if (!AFolder || !AFolder->GetAttributesOf(AID, attributes))
        return 0;
    return attributes;
}

platform::TCriticalSection GLock;
TbsShellFolder* GDesktopItem = nullptr;
bool GCreatingDesktop = false;

std::string DateTimeText(time_t ATime)
{
    // Whole seconds down to even ones, as the file dates of the shell keep.
    const time_t even = ATime - (ATime % 2 + 2) % 2;
    tm local {};
    char text[32] = "";
    if (!localtime_r(&even, &local))
        return std::string();
    strftime(text, sizeof(text), "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

} // namespace

const char* RootFolderName(TRootFolder AFolder) { return RootFolders[AFolder].Name; }
int RootFolderCSIDL(TRootFolder AFolder) { return RootFolders[AFolder].CSIDL; }

platform::TCriticalSection& ShellCtrlsLock() { return GLock; }

TbsShellFolder* DesktopShellFolder()
{
    // Made on first use; while it is made the shared slot is still empty,
    // so its own Parent stays nil.
    if (!GDesktopItem && !GCreatingDesktop) {
        GCreatingDesktop = true;
        TItemIDListPtr desktop(AllocItemIDList(2));
        static TbsShellFolder item(nullptr, desktop.get(), DesktopFolderInterface());
        GDesktopItem = &item;
        GCreatingDesktop = false;
    }
    return GDesktopItem;
}

PItemIDList DesktopItemID()
{
    PItemIDList list = nullptr;
    if (!SHGetSpecialFolderLocation(0, list))
        throw EOleSysError("Not enough memory");
    return list;
}

IShellFolderPtr DesktopFolderInterface() { return SHGetDesktopFolder(); }

bool SameItemID(PCItemIDList A, PCItemIDList B) { return DesktopFolderInterface()->CompareIDs(0, A, B) == 0; }

int SpecialFolderIndex(const std::string& AText)
{
    for (int i = 0; i < RootFolderCount; ++i)
        if (platform::SameText(AText, RootFolders[i].Name))
            return i;
    return -1;
}

int SystemIconIndex(PCItemIDList AID, bool, bool AOpen)
{
    // One list of icon names serves both sizes, as the system image
    // lists share their indexes.
    return ShellIconIndex(ShellIconNameOf(AID, AOpen));
}

uint32_t EnumFlagsOf(TShellObjectTypes ATypes)
{
    return (ATypes & (otFolders | otNonFolders | otHidden)) << 5;
}

bool IsFolderItem(const IShellFolderPtr& AFolder, PCItemIDList AID)
{
    return AttributesOf(AFolder, AID, SFGAO_FOLDER) & SFGAO_FOLDER;
}

bool HasSubFolderItems(const IShellFolderPtr& AFolder, PCItemIDList AID)
{
    return AttributesOf(AFolder, AID, SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER;
}

TbsShellFolderCapabilities CapabilitiesOf(const IShellFolderPtr& AFolder, PCItemIDList AID)
{
    return MapAttributes(AttributesOf(AFolder, AID, 0x177), CapabilityBits);
}

TbsShellFolderProperties PropertiesOf(const IShellFolderPtr& AFolder, PCItemIDList AID)
{
    if (!AFolder)
        return 0;
    return MapAttributes(AttributesOf(AFolder, AID, 0xFC000), PropertyBitsFirst)
           | MapAttributes(AttributesOf(AFolder, AID, 0), PropertyBitsSecond);
}

std::string ShellStringText(PCItemIDList AID, const TStrRet& AStr)
{
    std::string text;
    switch (AStr.Type) {
    case TStrRet::srWide:
    case TStrRet::srCString: text = AStr.Text; break;
    case TStrRet::srOffset: {
        const uint8_t* item = ItemBytes(AID);
        const uint16_t count = uint16_t(item[0] | (item[1] << 8));
        if (AStr.Offset < count)
            text.assign(reinterpret_cast<const char*>(item) + AStr.Offset, count - AStr.Offset);
        text = text.substr(0, text.find('\0'));
        break;
    }
    }
    // The shell marks some names with "?" before digits; they go.
    if (text.size() > 1 && text[0] == '?' && isdigit((unsigned char)text[1]))
        std::erase(text, '?');
    return text;
}

std::string ItemDisplayText(const IShellFolderPtr& AFolder, PCItemIDList AID, uint32_t AFlags)
{
    if (!AFolder)
        return "parentfolder = nil";
    TStrRet name;
    if (!AFolder->GetDisplayNameOf(AID, AFlags, name))
        return std::string();
    std::string text = ShellStringText(AID, name);
    if (text.rfind("::{", 0) == 0) {
        // A virtual folder's parsing name says nothing to a user.
        name = TStrRet();
        if (AFolder->GetDisplayNameOf(AID, SHGDN_NORMAL, name))
            text = ShellStringText(AID, name);
    }
    return text;
}

bool HasEnumerableItems(const IShellFolderPtr& AFolder, uint32_t AFlags)
{
    if (!AFolder)
        return false;
    std::unique_ptr<IEnumIDList> items;
    PItemIDList first = nullptr;
    if (!AFolder->EnumObjects(AFlags, items) || !items->Next(first))
        return false;
    FreeItemIDList(first);
    return true;
}

IShellFolderPtr BindChildFolder(const IShellFolderPtr& AFolder, PCItemIDList AID, uint32_t)
{
    // The folder's own binding first, then the desktop's for the same list.
    if (AFolder)
        if (IShellFolderPtr folder = AFolder->BindToObject(AID))
            return folder;
    return DesktopFolderInterface()->BindToObject(AID);
}

std::shared_ptr<IShellDetails> BindDetailsInterface(const IShellFolderPtr& AFolder, PCItemIDList AID, uint32_t AWindow)
{
    // No folder of this namespace offers the older interface.
    return std::dynamic_pointer_cast<IShellDetails>(BindChildFolder(AFolder, AID, AWindow));
}

std::shared_ptr<IShellFolder2> BindFolder2Interface(const IShellFolderPtr& AFolder, PCItemIDList AID, uint32_t)
{
    if (auto folder2 = std::dynamic_pointer_cast<IShellFolder2>(DesktopFolderInterface()->BindToObject(AID)))
        return folder2;
    if (AFolder)
        return std::dynamic_pointer_cast<IShellFolder2>(AFolder->BindToObject(AID));
    return nullptr;
}

TbsShellFolder::TbsShellFolder(TbsShellFolder* AParent, PCItemIDList AID, IShellFolderPtr ASF)
    : FParent(AParent), FIShellFolder(std::move(ASF))
{
    FPIDL = DuplicateItemIDList(AID);
    if (AParent) {
        FFullPIDL = JoinItemIDLists(AParent->AbsoluteID(), AID);
    } else {
        TItemIDListPtr desktop(DesktopItemID());
        FFullPIDL = JoinItemIDLists(desktop.get(), AID);
    }
    if (!FParent)
        FParent = GCreatingDesktop ? nullptr : DesktopShellFolder();
    // The parents above AParent; the desktop item that ends every chain
    // has none, so it is not counted.
    for (TbsShellFolder* above = AParent ? AParent->Parent() : nullptr; above; above = above->Parent())
        ++FLevel;
}

TbsShellFolder::~TbsShellFolder()
{
    FreeItemIDList(FPIDL);
    FreeItemIDList(FFullPIDL);
}

IShellFolderPtr TbsShellFolder::ParentShellFolder() const
{
    if (FParent)
        return FParent->ShellFolder();
    return DesktopFolderInterface();
}

std::string TbsShellFolder::DisplayName() const
{
    return ItemDisplayText(ParentShellFolder(), FPIDL, SHGDN_INFOLDER);
}

std::string TbsShellFolder::PathName() const
{
    return ItemDisplayText(DesktopFolderInterface(), FFullPIDL, SHGDN_FORPARSING);
}

std::string TbsShellFolder::FullObjectName() const
{
    std::string path;
    return SHGetPathFromIDList(FFullPIDL, path) ? path : std::string();
}

TbsShellFolderProperties TbsShellFolder::Properties() const { return PropertiesOf(ParentShellFolder(), FPIDL); }

TbsShellFolderCapabilities TbsShellFolder::Capabilities() const
{
    return CapabilitiesOf(ParentShellFolder(), FPIDL);
}

bool TbsShellFolder::SubFolders() const { return HasSubFolderItems(ParentShellFolder(), FPIDL); }

bool TbsShellFolder::IsFolder() const
{
    // An archive that a shell may present as a folder is a file here.
    return IsFolderItem(ParentShellFolder(), FPIDL)
           && platform::UpperCase(platform::ExtractFileExt(FullObjectName())) != ".ZIP";
}

int TbsShellFolder::ImageIndex(bool ALargeIcon) const { return SystemIconIndex(FFullPIDL, ALargeIcon, false); }

bool TbsShellFolder::ExecuteDefault()
{
    const std::string path = FullObjectName();
    return !path.empty() && platform::ShellOpen(path);
}

bool TbsShellFolder::Rename(const std::string& ANewName)
{
    if (!(Capabilities() & fcCanRename))
        return false;
    PItemIDList newID = nullptr;
    const IShellFolderPtr parent = ParentShellFolder();
    if (!parent || !parent->SetNameOf(FPIDL, ANewName, 0, &newID) || !newID)
        throw platform::Exception(Format("Rename to %s failed", ANewName));
    FreeItemIDList(FPIDL);
    FreeItemIDList(FFullPIDL);
    FPIDL = newID;
    FFullPIDL = FParent ? JoinItemIDLists(FParent->AbsoluteID(), newID) : DuplicateItemIDList(newID);
    FDetails.clear();
    return true;
}

bool TbsShellFolder::DetailInterface()
{
    if (FDetailInterface || !FIShellFolder)
        return FIShellFolder2 || FIShellDetails;
    FDetailInterface = true;
    FIShellDetails = BindDetailsInterface(FIShellFolder, FFullPIDL, FViewHandle);
    if (!FIShellDetails) {
        FIShellFolder2 = BindFolder2Interface(FIShellFolder, FFullPIDL, FViewHandle);
        if (!FIShellFolder2)
            FIShellFolder2 = std::dynamic_pointer_cast<IShellFolder2>(FIShellFolder);
    }
    return FIShellFolder2 || FIShellDetails;
}

std::shared_ptr<IShellFolder2> TbsShellFolder::ShellFolder2()
{
    if (!FIShellFolder2 && !FIShellDetails)
        DetailInterface();
    return FIShellFolder2;
}

std::shared_ptr<IShellDetails> TbsShellFolder::ShellDetails()
{
    if (!FIShellFolder2 && !FIShellDetails)
        DetailInterface();
    return FIShellDetails;
}

TFindData TbsShellFolder::LoadFindData() const
{
    const std::string path = PathName();
    struct stat linkSt {};
    struct stat st {};
    if (path.empty() || path[0] != '/' || lstat(path.c_str(), &linkSt) != 0) {
        const int error = path.empty() || path[0] != '/' ? ENOENT : errno;
        throw EInvalidPath(Format("Unable to retrieve folder details for \"%s\". Error code $%x", DisplayName(), error));
    }
    if (stat(path.c_str(), &st) != 0)
        st = linkSt;  // a dangling link: the link itself
    TFindData data;
    data.FileName = platform::ExtractFileName(path);
    data.Size = S_ISDIR(st.st_mode) ? 0 : int64_t(st.st_size);
    data.LastWriteTime = st.st_mtime;
    if (S_ISDIR(st.st_mode))
        data.Attributes |= 0x10;
    if (access(path.c_str(), W_OK) != 0)
        data.Attributes |= 0x1;
    if (!data.FileName.empty() && data.FileName[0] == '.')
        data.Attributes |= 0x2;
    if (S_ISLNK(linkSt.st_mode))
        data.Attributes |= 0x400;
    if (data.Attributes == 0)
        data.Attributes = 0x80;
    return data;
}

void TbsShellFolder::LoadColumnDetails(TbsShellFolder* ARootFolder, uint32_t AWindow, int AColumns)
{
    if (int(FDetails.size()) >= AColumns || !ARootFolder)
        return;
    FDetails.clear();
    FViewHandle = AWindow;
    if (auto folder2 = ARootFolder->ShellFolder2()) {
        for (int column = 1; column <= AColumns; ++column) {
            TShellDetails details;
            FDetails.push_back(folder2->GetDetailsOf(FPIDL, column, details) ? ShellStringText(FPIDL, details.Str)
                                                                              : std::string());
        }
    } else if (auto details1 = ARootFolder->ShellDetails()) {
        for (int column = 1; column <= AColumns; ++column) {
            TShellDetails details;
            FDetails.push_back(details1->GetDetailsOf(FPIDL, column, details) ? ShellStringText(FPIDL, details.Str)
                                                                               : std::string());
        }
    } else if (ARootFolder->Properties() & fpFileSystem) {
        const TFindData data = LoadFindData();
        const bool folder = data.Attributes & 0x10;
        for (int column = 1; column <= AColumns; ++column) {
            switch (column) {
            case 1: FDetails.push_back(platform::IntToStr(folder ? -1 : data.Size)); break;
            case 2: FDetails.push_back(platform::ExtractFileExt(data.FileName)); break;
            // A folder has no date of its own worth showing; an empty text
            // rather than the date of the calendar's start.
            case 3: FDetails.push_back(folder ? std::string() : DateTimeText(data.LastWriteTime)); break;
            case 4: FDetails.push_back(platform::IntToStr(data.Attributes)); break;
            default: FDetails.push_back(std::string());
            }
        }
    }
}

std::string TbsShellFolder::DetailText(int AColumn) const
{
    if (FDetails.empty())
        throw platform::Exception(Format("%s: Missing call to LoadColumnDetails", DisplayName()));
    if (AColumn < 1 || AColumn > int(FDetails.size()))
        return std::string();
    return FDetails[size_t(AColumn - 1)];
}

TbsShellFolder* RootItemFromID(PCItemIDList AID)
{
    IShellFolderPtr folder = BindChildFolder(DesktopFolderInterface(), AID, 0);
    if (!folder)
        folder = DesktopFolderInterface();  // the desktop cannot bind to itself
    return new TbsShellFolder(DesktopShellFolder(), AID, folder);
}

TbsShellFolder* RootItemFromText(TbsShellFolder* APreviousItem, const std::string& APreviousRoot, std::string& ANewRoot)
{
    PItemIDList list = nullptr;
    bool ok = false;
    const int special = SpecialFolderIndex(ANewRoot);
    if (special >= 0)
        ok = SHGetSpecialFolderLocation(RootFolderCSIDL(TRootFolder(special)), list);
    else if (!ANewRoot.empty())
        ok = DesktopFolderInterface()->ParseDisplayName(ANewRoot, list);
    if (!ok) {
        const std::string message = Format("Error setting path: \"%s\"", ANewRoot);
        ANewRoot = APreviousRoot;
        throw platform::Exception(message);
    }
    TItemIDListPtr owned(list);
    TbsShellFolder* item = RootItemFromID(owned.get());
    delete APreviousItem;
    return item;
}

} // namespace skin
