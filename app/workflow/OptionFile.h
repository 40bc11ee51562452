#pragma once
// The settings file "option.ini": output folder, skin index, snapshot folder
// and picture type, and the five conversion options. Every read supplies
// its own default for a missing value and writes that default back at
// once, so the file fills itself on first use and a damaged value heals
// the next time it is read. A value that is empty, "Error", not a number
// where a number belongs, or outside its range counts as missing.
//
// The file is read into memory once and written back whole after an
// operation that changed it, through a temporary file renamed into place.
// Before each operation a cheap look at the file's stamp tells whether it
// was edited outside the program; then it is read again.
//
// A file that cannot be read or written never stops the program: the
// operations carry on with what memory holds (the defaults, at first) and
// say what failed through OnProblem. A file that could not be read is
// never written over, so nothing in it is lost.

#include "platform/core/WholeFiles.h"

#include <functional>
#include <memory>
#include <string>

namespace platform {
class TMemIniFile;
}

namespace app {

// What happens when every task of a run is done.
enum class TAfterDone { OpenFolder = 0, Shutdown = 1, PlaySound = 2, Nothing = 3 };

// Priority of the conversion threads.
enum class TRunPriority { Idle = 0, Lowest = 1, Lower = 2, Normal = 3 };

// The options dialog's values as stored.
struct TConversionOptions {
    int ThreadCount = 1;       // 1..19, the thread-count list's entry
    TAfterDone AfterDone = TAfterDone::OpenFolder;
    bool ShowPreview = false;
    TRunPriority Priority = TRunPriority::Normal;
    bool Overwrite = false;    // false: a new output name gets "_N"

    bool operator==(const TConversionOptions&) const = default;
};

// Snapshot picture types with their stored values "BMP", "JPG", "GIF", "PNG".
enum class TPictureType { BMP, JPG, GIF, PNG };
const char* PictureTypeText(TPictureType AType);
// Lower-case file extension without the dot ("bmp").
const char* PictureTypeExt(TPictureType AType);

// Where the settings file of the program at AExeFileName lives: beside it
// for a portable copy (not installed, see IsInstalledProgram) whose folder
// is writable; for an installed program, writable folder or not, and for an
// unwritable one in $XDG_CONFIG_HOME/zarvelo (default ~/.config/zarvelo),
// created when missing.
std::string OptionFileNameFor(const std::string& AExeFileName);
// The same for this program.
std::string DefaultOptionFileName();

// The default output and snapshot folders under the home folder.
std::string DefaultOutputFolder();
std::string DefaultSnapshotFolder();

class TOptionFile {
public:
    explicit TOptionFile(std::string AFileName);
    ~TOptionFile();
    TOptionFile(const TOptionFile&) = delete;
    TOptionFile& operator=(const TOptionFile&) = delete;

    const std::string& FileName() const { return FFileName; }
    // The file was there when last read, or has been written since.
    bool Exists();

    // Called with a message naming the file and the reason ("Unable to
    // write to ...: Permission denied") when an operation could not read or
    // write it. A default written back by a read reports a failure only
    // when it differs from the last one reported; a value the user chose
    // reports every failure.
    std::function<void(const std::string&)> OnProblem;

    // The output folder; the default folder when missing (written back).
    // The folder is created with its parents either way.
    std::string ReadOutPath();
    // Stores the folder when it names an existing folder; false otherwise.
    bool WriteOutPath(const std::string& AFolder);

    // The skin index among ASkinCount skins; a missing, non-numeric or
    // out-of-range value gives 0, written back.
    int ReadSkinIndex(int ASkinCount);
    bool WriteSkinIndex(int AIndex);

    // The snapshot folder (created), default written back when missing.
    std::string ReadSnapshotFolder();
    bool WriteSnapshotFolder(const std::string& AFolder);
    // The picture type; anything but the four values gives BMP, written back.
    TPictureType ReadPictureType();
    bool WritePictureType(TPictureType AType);

    // The conversion options, key by key in the order Thread_Count,
    // After_Done, Thread_Priority, Overwrite_File, Show_Preview; each
    // missing or bad value gets its default written back. A file that does
    // not exist yet gets all five defaults.
    TConversionOptions ReadOptions();
    // Thread_Count is written only with AThreadCount (the dialog's
    // multithread switch is on). The Write operations answer false when the
    // file could not be written; the values stay in force for this run.
    bool WriteOptions(const TConversionOptions& AOptions, bool AThreadCount = true);

private:
    // Reads the file again when it may have changed since it was last read.
    void Refresh();
    // Writes memory back when an operation changed it; false on failure.
    bool Flush(bool AChosen);
    void Report(const std::string& AProblem, bool AChosen);

    // Memory holds values: read from the file, or chosen and not yet saved.
    // Otherwise the readers take the path of a first start.
    bool Known() const;
    std::string Read(const char* ASection, const char* AKey) const;
    void Write(const char* ASection, const char* AKey, const std::string& AValue);
    // The stored integer when it is a whole number in AMin..AMax.
    bool ReadInRange(const char* ASection, const char* AKey, int AMin, int AMax, int& AValue) const;
    // The stored folder when it is an absolute path; anything else counts
    // as missing and ADefault is written back. The folder is created.
    std::string ReadFolder(const char* ASection, const char* AKey, const std::string& ADefault);
    // Stores an existing folder; false for any other or a failed write.
    bool WriteFolder(const char* ASection, const char* AKey, const std::string& AFolder);

    std::string FFileName;
    std::unique_ptr<platform::TMemIniFile> FIni;
    platform::TFileStamp FStamp;
    size_t FContentHash = 0;
    bool FOnDisk = false;        // the file held what memory was read from
    bool FChanged = false;       // memory differs from the file
    std::string FUnreadable;     // why the file could not be read; empty when it could
    std::string FReadProblem;    // the failed read of the running operation
    std::string FLastReported;
};

} // namespace app
