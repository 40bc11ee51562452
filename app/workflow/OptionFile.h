#pragma once
// The settings file "option.ini": output folder, skin index, snapshot folder
// and picture type, and the five conversion options. Every read supplies
// its own default for a missing value and writes that default back at
// once, so the file fills itself on first use and a damaged value heals
// the next time it is read. A value that is empty, "Error", not a number
// where a number belongs, or outside its range counts as missing.
//
// No cache: each operation opens the file by name, so edits made outside
// the program between two accesses are seen.

#include <string>

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

// Where the settings file lives: beside the program when its folder is
// writable (an unpacked portable copy), else $XDG_CONFIG_HOME/zarvelo
// (default ~/.config/zarvelo), created when missing.
std::string DefaultOptionFileName();

// The default output and snapshot folders under the home folder.
std::string DefaultOutputFolder();
std::string DefaultSnapshotFolder();

class TOptionFile {
public:
    explicit TOptionFile(std::string AFileName);

    const std::string& FileName() const { return FFileName; }
    bool Exists() const;

    // The output folder; the default folder when missing (written back).
    // The folder is created with its parents either way.
    std::string ReadOutPath();
    // Stores the folder when it names an existing folder; false otherwise.
    bool WriteOutPath(const std::string& AFolder);

    // The skin index among ASkinCount skins; a missing, non-numeric or
    // out-of-range value gives 0, written back.
    int ReadSkinIndex(int ASkinCount);
    void WriteSkinIndex(int AIndex);

    // The snapshot folder (created), default written back when missing.
    std::string ReadSnapshotFolder();
    bool WriteSnapshotFolder(const std::string& AFolder);
    // The picture type; anything but the four values gives BMP, written back.
    TPictureType ReadPictureType();
    void WritePictureType(TPictureType AType);

    // The conversion options, key by key in the order Thread_Count,
    // After_Done, Thread_Priority, Overwrite_File, Show_Preview; each
    // missing or bad value gets its default written back. A file that does
    // not exist yet gets all five defaults.
    TConversionOptions ReadOptions();
    // Thread_Count is written only with AThreadCount (the dialog's
    // multithread switch is on).
    void WriteOptions(const TConversionOptions& AOptions, bool AThreadCount = true);

private:
    std::string Read(const char* ASection, const char* AKey) const;
    void Write(const char* ASection, const char* AKey, const std::string& AValue);
    // The stored integer when it is a whole number in AMin..AMax.
    bool ReadInRange(const char* ASection, const char* AKey, int AMin, int AMax, int& AValue) const;

    std::string FFileName;
};

} // namespace app
