#pragma once
// Path routines of the file list controls and the dialogs: a folder test,
// joining, shortening a path to a width, volume labels and the splitting of
// typed path input. Paths use "/"; a volume is named by its mount point.

#include <functional>
#include <string>
#include <vector>

namespace platform {
class TCanvas;
struct TVolumeInfo;
}

namespace skin {

// True for an existing folder; false for files, missing and unreadable names.
bool bsDirectoryExists(const std::string& AName);
// ADir + AName with one "/" between (ADir: a non-empty folder path).
std::string bsJoinPath(const std::string& ADir, const std::string& AName);
// One step of shortening a folder part: its first folder gives way to ".../".
void bsDropLeadingFolder(std::string& S);
// Drops leading folders until the path fits AMaxLen pixels; the file name
// itself is never cut.
std::string bsShortenPath(const std::string& AFileName, platform::TCanvas& ACanvas, int AMaxLen);
std::string bsShortenPath(const std::string& AFileName, const std::function<int(const std::string&)>& ATextWidth,
                          int AMaxLen);
// The label of the volume mounted at AMountPoint in square brackets ("[]"
// without a label).
std::string bsVolumeLabel(const std::string& AMountPoint);
std::string bsVolumeLabel(const platform::TVolumeInfo& AVolume);
// The remote name of a network volume ("server:/export"), else its label.
std::string bsDriveRemoteName(const std::string& AMountPoint);
std::string bsDriveRemoteName(const platform::TVolumeInfo& AVolume);
// Splits typed input into its folder part (absolute, normal) and file
// part, resolving relative input against ABase (the process's current
// folder when not given), which is never changed. A last part that is an
// existing folder joins the folder part. "[label]" stands for the volume
// with that label. Raises EInOutError naming the folder that cannot be
// entered, also for a last part that is neither a pattern, a file nor a
// folder.
void bsSplitPathInput(const std::string& AEditText, std::string& AFolder, std::string& AFile);
void bsSplitPathInput(const std::string& AEditText, const std::string& ABase, std::string& AFolder,
                      std::string& AFile);

// AFolder made absolute against ABase and normal; raises EInOutError
// naming it when it is not a folder that can be entered.
std::string bsEnterFolder(const std::string& ABase, const std::string& AFolder);

// The kinds of drive the drive combo box tells apart, numbered as the
// platform's drive types are.
enum TbsDriveKind { dkUnknown = 0, dkRemovable = 2, dkFixed = 3, dkRemote = 4, dkCDRom = 5, dkRamDisk = 6 };
// The kind of a mounted volume: network file systems are remote, optical
// discs (their devices or file systems) CD-ROMs, RAM block devices RAM
// disks, devices that say so removable, the rest fixed.
TbsDriveKind bsDriveKind(const platform::TVolumeInfo& AVolume);
// Whether names on a file system of this type differ by letter case; the
// file systems of other platforms that fold case do not.
bool bsCaseSensitiveFileSystem(const std::string& AFileSystem);
// The number of "/" in APath.
int bsFolderDepth(const std::string& APath);

// The order of names in the file lists: without regard to case, and names
// that differ only by case (two entries here) in a fixed order.
bool bsNameLess(const std::string& A, const std::string& B);

// An entry of a folder with the attribute bits of the file list box
// (read-only 1: no write permission for anyone; hidden 2: a name starting
// with "."; system 4: neither a regular file nor a folder; folder 16;
// archive 32: a regular file). "." and ".." are folders, not hidden.
struct TbsFolderEntry {
    std::string Name;
    unsigned Attr = 0;
};
// The entries of AFolder in the order the file system gives them, "." and
// ".." among them; false with AError ("Cannot read folder ...: reason")
// and no entries when the folder cannot be read.
bool bsReadFolder(const std::string& AFolder, std::vector<TbsFolderEntry>& AEntries, std::string& AError);

} // namespace skin
