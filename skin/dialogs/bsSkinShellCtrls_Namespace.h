#pragma once
// The shell namespace as Linux shows it, behind the folder interfaces the
// shell views are written against.
//
// Namespace: the desktop (the empty list) holds Computer, the home folder
// and the entries of the XDG desktop folder; Computer holds the volumes
// (mount points); below them lie the folders and files of the file system.
// Item kinds: 'V' a virtual folder ("Computer"), 'R' an anchor holding an
// absolute path (a volume, the home folder), 'N' one name in its parent.
// A path parses to Computer, its volume, then one item per name, so every
// folder has one chain of ancestors that the views can walk.

#include "skin/dialogs/bsSkinShellCtrls_ItemIDs.h"

#include "platform/core/Exceptions.h"

#include <cstdint>
#include <memory>
#include <string>

namespace skin {

// Attribute bits of GetAttributesOf.
constexpr uint32_t SFGAO_CANCOPY = 0x1, SFGAO_CANMOVE = 0x2, SFGAO_CANLINK = 0x4, SFGAO_CANRENAME = 0x10,
                   SFGAO_CANDELETE = 0x20, SFGAO_HASPROPSHEET = 0x40, SFGAO_DROPTARGET = 0x100,
                   SFGAO_GHOSTED = 0x8000, SFGAO_LINK = 0x10000, SFGAO_SHARE = 0x20000, SFGAO_READONLY = 0x40000,
                   SFGAO_REMOVABLE = 0x2000000, SFGAO_FILESYSANCESTOR = 0x10000000, SFGAO_FOLDER = 0x20000000,
                   SFGAO_FILESYSTEM = 0x40000000, SFGAO_HASSUBFOLDER = 0x80000000;
// Enumeration flags.
constexpr uint32_t SHCONTF_FOLDERS = 0x20, SHCONTF_NONFOLDERS = 0x40, SHCONTF_INCLUDEHIDDEN = 0x80;
// Display-name flags.
constexpr uint32_t SHGDN_NORMAL = 0, SHGDN_INFOLDER = 0x1, SHGDN_FORPARSING = 0x8000;
// Column states.
constexpr uint32_t SHCOLSTATE_TYPE_STR = 0x1, SHCOLSTATE_TYPE_INT = 0x2, SHCOLSTATE_TYPE_DATE = 0x3,
                   SHCOLSTATE_ONBYDEFAULT = 0x10;
// Item kinds.
constexpr char ikVirtual = 'V', ikAnchor = 'R', ikName = 'N';

// The library's error for a failed call into the shell.
class EOleSysError : public platform::Exception {
public:
    using platform::Exception::Exception;
};

// A string handed out by the shell: text, an offset into the first item of
// the list it describes, or a byte string.
struct TStrRet {
    enum TType { srWide = 0, srOffset = 1, srCString = 2 };
    TType Type = srWide;
    std::string Text;   // srWide, srCString
    uint32_t Offset = 0; // srOffset: from the start of the first item
};

// A column description (no item) or one detail text (an item).
struct TShellDetails {
    int Format = 0;     // 0 left, 1 right, 2 centre
    int CharWidth = 0;  // width in average characters
    TStrRet Str;
};

class IEnumIDList {
public:
    virtual ~IEnumIDList() = default;
    // The next relative list, owned by the caller; false at the end.
    virtual bool Next(PItemIDList& AItem) = 0;
};

class IShellFolder {
public:
    virtual ~IShellFolder() = default;
    virtual bool ParseDisplayName(const std::string& AName, PItemIDList& AList) = 0;
    virtual bool EnumObjects(uint32_t AFlags, std::unique_ptr<IEnumIDList>& AEnum) = 0;
    // The folder of a list relative to this one; null for non-folders.
    virtual std::shared_ptr<IShellFolder> BindToObject(PCItemIDList AList) = 0;
    // Negative, zero or positive in the low 16 bits: folders before files,
    // then names without regard to case (digits by value); zero only for
    // the same item.
    virtual int CompareIDs(int AColumn, PCItemIDList A, PCItemIDList B) = 0;
    // Answers every attribute the item has (more than asked, as the shell
    // does); bits that cost a look into a folder only when asked.
    virtual bool GetAttributesOf(PCItemIDList AList, uint32_t& AAttributes) = 0;
    virtual bool GetDisplayNameOf(PCItemIDList AList, uint32_t AFlags, TStrRet& AName) = 0;
    // Renames a file or folder in this folder; never replaces another.
    virtual bool SetNameOf(PCItemIDList AList, const std::string& ANewName, uint32_t AFlags,
                           PItemIDList* ANewList) = 0;
};

// The details of the file-system folders: Name, Size, Type, Date Modified
// (on by default) and Date Accessed.
class IShellFolder2 : public IShellFolder {
public:
    virtual bool GetDetailsOf(PCItemIDList AList, int AColumn, TShellDetails& ADetails) = 0;
    virtual bool GetDefaultColumnState(int AColumn, uint32_t& AState) = 0;
};

// The older details interface; no folder of this namespace offers it.
class IShellDetails {
public:
    virtual ~IShellDetails() = default;
    virtual bool GetDetailsOf(PCItemIDList AList, int AColumn, TShellDetails& ADetails) = 0;
};

using IShellFolderPtr = std::shared_ptr<IShellFolder>;

// The desktop folder; raises EOleSysError when it cannot be made.
IShellFolderPtr SHGetDesktopFolder();
// The list of a special folder number (CSIDL); false for folders Linux
// does not have and for folders that do not exist.
bool SHGetSpecialFolderLocation(int ACSIDL, PItemIDList& AList);
// The file-system path of an absolute list; false for virtual items.
bool SHGetPathFromIDList(PCItemIDList AList, std::string& APath);
// The order of two names in a folder: without regard to ASCII case, runs
// of digits by their value (the order CompareIDs gives items of one kind).
int ShellNameCompare(const std::string& A, const std::string& B);

// The stand-in for the system image list: the index of an icon name
// (freedesktop naming), the same for every caller in the process.
int ShellIconIndex(const std::string& AIconName);
std::string ShellIconName(int AIndex);
// The icon of an absolute list: a folder, a volume or a file type.
std::string ShellIconNameOf(PCItemIDList AList, bool AOpen);

} // namespace skin
