#pragma once
// The classic file controls: a drive combo box over the mounted volumes, a
// directory list box that shows one folder as a path from its volume down
// with its sub-folders, and a file list box of the entries of one folder
// that match a mask. Linked, they follow each other: drive -> folder ->
// files, and a filter combo box gives the file list its mask.
//
// A drive is a volume's mount point ("/", "/media/user/USB"). Folders are
// held as absolute paths and read by name: no control moves the process's
// current folder.

#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinBoxCtrls_ListBox.h"
#include "skin/controls/bsSkinCtrls_StdLabel.h"

#include "platform/shell/Volumes.h"

#include <memory>
#include <string>
#include <vector>

namespace skin {

class TbsSkinDirectoryListBox;
class TbsSkinFileListBox;
class TbsSkinFilterComboBox;

enum TTextCase { tcLowerCase, tcUpperCase };

class TbsSkinDriveComboBox : public TbsSkinComboBox {
public:
    explicit TbsSkinDriveComboBox(TComponent* AOwner);
    ~TbsSkinDriveComboBox() override;

    TbsSkinDirectoryListBox* DirList() const { return FDirList; }
    void SetDirList(TbsSkinDirectoryListBox* AValue);
    // The current drive's mount point; "" for none.
    const std::string& Drive() const { return FDrive; }
    void SetDrive(const std::string& AValue);
    // Letter case of the labels and network names in the lines (mount
    // points are names and keep theirs).
    TTextCase TextCase() const { return FTextCase; }
    void SetTextCase(TTextCase AValue);
    // Where the volumes are read from (tests point it at their own files).
    platform::TVolumeSources VolumeSources;

    virtual void FillDriveList();
    // The mount point of a line; "" outside the list.
    std::string DriveOfLine(int AIndex) const;

protected:
    void CreateWnd() override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;

private:
    friend class TbsSkinDirectoryListBox;
    void SelectedDriveChanged();
    void DrawDriveItem(TCanvas* C, int Index, TRect TxtRect);
    platform::TBitmap* BitmapOf(int AKind) const;

    TbsSkinDirectoryListBox* FDirList = nullptr;
    std::string FDrive;
    TTextCase FTextCase = tcLowerCase;
    std::vector<std::string> FLineDrives;   // the mount point of each line
    std::unique_ptr<platform::TBitmap> FloppyBMP, FixedBMP, NetworkBMP, CDROMBMP, RAMBMP;
};

class TbsSkinDirectoryListBox : public TbsSkinListBox {
public:
    explicit TbsSkinDirectoryListBox(TComponent* AOwner);
    ~TbsSkinDirectoryListBox() override;

    const std::string& Directory() const { return FDirectory; }
    // Moves to another folder (absolute, or relative to the one shown);
    // raises EInOutError naming a folder that cannot be entered and then
    // changes nothing.
    virtual void SetDirectory(const std::string& AValue);
    // The mount point of the volume that holds Directory.
    std::string Drive() const;
    void SetDrive(const std::string& AValue);
    TbsSkinFileListBox* FileList() const { return FFileList; }
    void SetFileList(TbsSkinFileListBox* AValue);
    TbsSkinStdLabel* DirLabel() const { return FDirLabel; }
    void SetDirLabel(TbsSkinStdLabel* AValue);
    bool PreserveCase() const { return FPreserveCase; }
    bool CaseSensitive() const { return FCaseSensitive; }
    // Why the folder's sub-folders could not be read; "" when they could.
    const std::string& ReadError() const { return FReadError; }
    TNotifyEvent OnChange;
    platform::TVolumeSources VolumeSources;

    void OpenCurrent();
    // Reads the folder again (the platform's Update repaints, so this one is named apart).
    void Refill();
    std::string GetItemPath(int AIndex) const;
    std::string DisplayCase(const std::string& S) const;
    int FileCompareText(const std::string& A, const std::string& B) const;
    // The drive switch a linked drive combo box calls.
    void SwitchDrive(const std::string& ANewDrive);

    int GetItemWidth(int Index, TCanvas* C) override;
    void ListBoxDblClick() override;
    void ListBoxKeyPress(char16_t& Key) override;

protected:
    void CreateWnd() override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    virtual void Change();
    virtual void LoadFolderBitmaps();
    virtual void FillFolderList();

private:
    friend class TbsSkinDriveComboBox;
    friend class TbsSkinFileListBox;
    void ChangeToFolder(const std::string& AFolder);
    void UpdateDirLabel();
    void DrawFolderItem(TCanvas* C, int Index, TRect TxtRect);
    int IndentOf(int AIndex) const;
    std::string RootOf(const std::string& APath) const;

    TbsSkinFileListBox* FFileList = nullptr;
    TbsSkinDriveComboBox* FDriveCombo = nullptr;
    TbsSkinStdLabel* FDirLabel = nullptr;
    bool FInSetDir = false;
    bool FPreserveCase = true;
    bool FCaseSensitive = true;
    std::unique_ptr<platform::TBitmap> ClosedBMP, OpenedBMP, CurrentBMP;
    std::string FDirectory;
    std::string FReadError;
};

// The entry kinds a file list box lists; bsftNormal lists every entry the
// search finds. A hidden entry is one whose name starts with "."; a system
// entry is neither a regular file nor a folder (devices, pipes, sockets);
// a read-only one cannot be written by the user; archive entries are the
// regular files.
enum TbsFileAttr : unsigned {
    bsftReadOnly = 1, bsftHidden = 2, bsftSystem = 4, bsftVolumeID = 8, bsftDirectory = 16, bsftArchive = 32,
    bsftNormal = 128,
};
using TbsFileType = unsigned;   // a set of TbsFileAttr bits

class TbsSkinFileListBox : public TbsSkinListBox {
public:
    explicit TbsSkinFileListBox(TComponent* AOwner);
    ~TbsSkinFileListBox() override;

    const std::string& Directory() const { return FDirectory; }
    void SetDirectory(const std::string& AValue) { ApplyFilePath(AValue); }
    std::string Drive() const;
    void SetDrive(const std::string& AValue);
    const std::string& Mask() const { return FMask; }
    void SetMask(const std::string& AValue);
    TbsFileType FileType() const { return FFileType; }
    void SetFileType(TbsFileType AValue);
    platform::TCustomEdit* FileEdit() const { return FFileEdit; }
    void SetFileEdit(platform::TCustomEdit* AValue);
    // The full path of the selected entry; "" with none.
    virtual std::string GetFileName();
    void SetFileName(const std::string& AValue) { ApplyFilePath(AValue); }
    // Why the folder could not be read or the mask not used; "" when the
    // list is what the folder holds.
    const std::string& ReadError() const { return FReadError; }
    TNotifyEvent OnChange;

    // Typed path input: may move the folder, change the mask and select a
    // file at once.
    virtual void ApplyFilePath(const std::string& AEditText);
    // Reads the folder again (the platform's Update repaints, so this one is named apart).
    void Refill();
    // Moves to NewDir (absolute, or relative to the listed folder); raises
    // EInOutError naming a folder that cannot be entered.
    void ChangeDirectory(const std::string& ANewDir);

    void ListBoxClick() override;

protected:
    void CreateWnd() override;
    void Notification(TComponent* AComponent, platform::TOperation AOperation) override;
    virtual void Change();
    virtual void FillFileList();

private:
    friend class TbsSkinDirectoryListBox;
    friend class TbsSkinFilterComboBox;
    std::string GetSelectedName() const;
    void SelectFile(const std::string& AName);
    bool CaseSensitive() const;

    std::string FDirectory;
    std::string FMask = "*.*";
    TbsFileType FFileType = bsftNormal;
    platform::TCustomEdit* FFileEdit = nullptr;
    TbsSkinDirectoryListBox* FDirList = nullptr;
    TbsSkinFilterComboBox* FFilterCombo = nullptr;
    int FLastSel = -1;
    std::string FReadError;
};

} // namespace skin
