#pragma once
// Path routines of the file list controls and the dialogs: a folder test,
// joining, shortening a path to a width, volume labels and the splitting of
// typed path input. Paths use "/"; a volume is named by its mount point.

#include <functional>
#include <string>

namespace platform {
class TCanvas;
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
// The remote name of a network volume ("server:/export"), else its label.
std::string bsDriveRemoteName(const std::string& AMountPoint);
// Splits typed input into its folder and file part, resolving relative
// input against the current folder. A last part that is an existing folder
// joins the folder part. "[label]" stands for the volume with that label.
// Raises EInOutError for a folder that cannot be entered; the current
// folder is the same afterwards.
void bsSplitPathInput(const std::string& AEditText, std::string& AFolder, std::string& AFile);
// The number of "/" in APath.
int bsFolderDepth(const std::string& APath);

} // namespace skin
