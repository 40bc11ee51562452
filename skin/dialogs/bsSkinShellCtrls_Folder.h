#pragma once
// Shell folder objects: one TbsShellFolder per namespace item that a shell
// view shows, with its identifier lists, folder interfaces, names,
// attributes and detail texts; the special-folder names a Root may hold;
// the resolution of a Root text into a root item.

#include "skin/dialogs/bsSkinShellCtrls_Namespace.h"

#include "platform/core/Classes.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SyncObjs.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace skin {

// The special folders, in this order; their names are the special values
// of every Root property.
enum TRootFolder {
    rfDesktop, rfMyComputer, rfNetwork, rfRecycleBin, rfAppData, rfCommonDesktopDirectory, rfCommonPrograms,
    rfCommonStartMenu, rfCommonStartup, rfControlPanel, rfDesktopDirectory, rfFavorites, rfFonts, rfInternet,
    rfPersonal, rfPrinters, rfPrintHood, rfPrograms, rfRecent, rfSendTo, rfStartMenu, rfStartup, rfTemplates,
};
constexpr int RootFolderCount = rfTemplates + 1;
// A special-folder name or a file-system path.
using TRoot = std::string;

const char* RootFolderName(TRootFolder AFolder);  // "rfDesktop", ...
int RootFolderCSIDL(TRootFolder AFolder);         // the shell's special folder number

enum TShellObjectType { otFolders = 1, otNonFolders = 2, otHidden = 4 };
using TShellObjectTypes = unsigned;  // or-ed TShellObjectType

enum TbsShellFolderCapability {
    fcCanCopy = 1, fcCanDelete = 2, fcCanLink = 4, fcCanMove = 8, fcCanRename = 16, fcDropTarget = 32,
    fcHasPropSheet = 64,
};
using TbsShellFolderCapabilities = unsigned;

enum TbsShellFolderProperty {
    fpCut = 1, fpIsLink = 2, fpReadOnly = 4, fpShared = 8, fpFileSystem = 16, fpFileSystemAncestor = 32,
    fpRemovable = 64, fpValidate = 128,
};
using TbsShellFolderProperties = unsigned;

// A path that cannot be shown, or file details that cannot be read.
class EInvalidPath : public platform::Exception {
public:
    using platform::Exception::Exception;
};

// Offered by a control that takes part in the shell's verbs on its items.
class IShellVerbHandler {
public:
    virtual ~IShellVerbHandler() = default;
    virtual void ExecuteCommand(const std::string& AVerb, bool& AHandled) = 0;
    virtual void CommandCompleted(const std::string& AVerb, bool ASucceeded) = 0;
};

// What the file system says about one item (the find data of the shell).
struct TFindData {
    uint32_t Attributes = 0;   // 0x1 read-only, 0x2 hidden, 0x10 folder, 0x80 normal, 0x400 link
    int64_t Size = 0;
    time_t LastWriteTime = 0;
    std::string FileName;
};

class TbsShellFolder : public platform::TObject {
public:
    // AID is copied; AParent is not owned (nil: the shared desktop item).
    TbsShellFolder(TbsShellFolder* AParent, PCItemIDList AID, IShellFolderPtr ASF);
    ~TbsShellFolder() override;
    TbsShellFolder(const TbsShellFolder&) = delete;
    TbsShellFolder& operator=(const TbsShellFolder&) = delete;

    PCItemIDList RelativeID() const { return FPIDL; }
    PCItemIDList AbsoluteID() const { return FFullPIDL; }
    TbsShellFolder* Parent() const { return FParent; }
    int Level() const { return FLevel; }
    const IShellFolderPtr& ShellFolder() const { return FIShellFolder; }
    std::shared_ptr<IShellFolder2> ShellFolder2();
    std::shared_ptr<IShellDetails> ShellDetails();
    uint32_t ViewHandle() const { return FViewHandle; }
    void SetViewHandle(uint32_t AValue) { FViewHandle = AValue; }

    IShellFolderPtr ParentShellFolder() const;
    std::string DisplayName() const;
    std::string PathName() const;
    std::string FullObjectName() const;
    TbsShellFolderProperties Properties() const;
    TbsShellFolderCapabilities Capabilities() const;
    bool SubFolders() const;
    bool IsFolder() const;
    int ImageIndex(bool ALargeIcon) const;
    bool ExecuteDefault();
    bool Rename(const std::string& ANewName);
    void LoadColumnDetails(TbsShellFolder* ARootFolder, uint32_t AWindow, int AColumns);
    std::string DetailText(int AColumn) const;
    // The interface that serves details (ShellFolder2 here), cached.
    bool DetailInterface();
    // Raises EInvalidPath when the item is not found.
    TFindData LoadFindData() const;

private:
    PItemIDList FPIDL = nullptr;
    PItemIDList FFullPIDL = nullptr;
    TbsShellFolder* FParent = nullptr;
    IShellFolderPtr FIShellFolder;
    std::shared_ptr<IShellFolder2> FIShellFolder2;
    std::shared_ptr<IShellDetails> FIShellDetails;
    bool FDetailInterface = false;  // DetailInterface ran
    int FLevel = 0;
    uint32_t FViewHandle = 0;
    std::vector<std::string> FDetails;
};

// Identifier-list helpers of the views.
PItemIDList DesktopItemID();                       // raises EOleSysError
IShellFolderPtr DesktopFolderInterface();          // raises EOleSysError
bool SameItemID(PCItemIDList A, PCItemIDList B);
int SpecialFolderIndex(const std::string& AText);  // -1 when no such name
int SystemIconIndex(PCItemIDList AID, bool ALarge, bool AOpen);
uint32_t EnumFlagsOf(TShellObjectTypes ATypes);

// Item operations (folder: the parent's interface; list: relative).
bool IsFolderItem(const IShellFolderPtr& AFolder, PCItemIDList AID);
bool HasSubFolderItems(const IShellFolderPtr& AFolder, PCItemIDList AID);
TbsShellFolderCapabilities CapabilitiesOf(const IShellFolderPtr& AFolder, PCItemIDList AID);
TbsShellFolderProperties PropertiesOf(const IShellFolderPtr& AFolder, PCItemIDList AID);
std::string ItemDisplayText(const IShellFolderPtr& AFolder, PCItemIDList AID, uint32_t AFlags);
std::string ShellStringText(PCItemIDList AID, const TStrRet& AStr);
bool HasEnumerableItems(const IShellFolderPtr& AFolder, uint32_t AFlags);
IShellFolderPtr BindChildFolder(const IShellFolderPtr& AFolder, PCItemIDList AID, uint32_t AWindow);
std::shared_ptr<IShellDetails> BindDetailsInterface(const IShellFolderPtr& AFolder, PCItemIDList AID, uint32_t AWindow);
std::shared_ptr<IShellFolder2> BindFolder2Interface(const IShellFolderPtr& AFolder, PCItemIDList AID, uint32_t AWindow);
// A root item for an absolute list; the caller owns it.
TbsShellFolder* RootItemFromID(PCItemIDList AID);
// The root item of a Root text (a special-folder name or a path). On
// failure ANewRoot returns to APreviousRoot, APreviousItem stays, and
// Exception "Error setting path: ..." is raised; on success the previous
// item is freed.
TbsShellFolder* RootItemFromText(TbsShellFolder* APreviousItem, const std::string& APreviousRoot, std::string& ANewRoot);

// The shared desktop item (its Parent is nil) and the lock of the change
// notifiers.
TbsShellFolder* DesktopShellFolder();
platform::TCriticalSection& ShellCtrlsLock();

} // namespace skin
