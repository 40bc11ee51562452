#include "app/workflow/OptionFile.h"

#include "app/workflow/ProgramFiles.h"

#include "platform/core/IniFiles.h"
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <iterator>
#include <unistd.h>
#include <utility>

namespace app {

namespace {

// Every read passes this default; getting it back means the key is missing.
const char* const MissingValue = "Error";

const char* const PictureTexts[] = {"BMP", "JPG", "GIF", "PNG"};
const char* const PictureExts[] = {"bmp", "jpg", "gif", "png"};

std::string HomeFolder()
{
    std::string home = platform::GetEnvironmentVariable("HOME");
    return home.empty() ? std::string("/tmp") : platform::ExcludeTrailingPathDelimiter(home);
}

bool IsWritableFolder(const std::string& AFolder)
{
    return !AFolder.empty() && access(AFolder.c_str(), W_OK) == 0;
}

} // namespace

const char* PictureTypeText(TPictureType AType)
{
    return PictureTexts[int(AType)];
}

const char* PictureTypeExt(TPictureType AType)
{
    return PictureExts[int(AType)];
}

std::string OptionFileNameFor(const std::string& AExeFileName)
{
    // An installed program's folder is shared by every user of it (and by
    // other programs in a per-user prefix): the settings are the user's.
    const std::string programFolder = platform::ExtractFilePath(AExeFileName);
    if (!IsInstalledProgram(AExeFileName) && IsWritableFolder(programFolder))
        return programFolder + "option.ini";
    std::string config = platform::GetEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.empty())
        config = HomeFolder() + "/.config";
    const std::string folder = platform::ExcludeTrailingPathDelimiter(config) + "/zarvelo";
    platform::ForceDirectories(folder);
    return folder + "/option.ini";
}

std::string DefaultOptionFileName()
{
    return OptionFileNameFor(platform::GetExeFileName());
}

std::string DefaultOutputFolder()
{
    return HomeFolder() + "/Zarvelo视频软件/输出";
}

std::string DefaultSnapshotFolder()
{
    return HomeFolder() + "/Zarvelo视频软件/快照";
}

TOptionFile::TOptionFile(std::string AFileName)
    : FFileName(std::move(AFileName)), FIni(std::make_unique<platform::TMemIniFile>(std::string()))
{
}

TOptionFile::~TOptionFile() = default;

bool TOptionFile::Exists()
{
    Refresh();
    return FOnDisk;
}

void TOptionFile::Refresh()
{
    const platform::TFileStamp stamp = platform::TFileStamp::Of(FFileName);
    if (FStamp.TakenNs != 0 && stamp.SameFile(FStamp) && FStamp.Settled())
        return;
    std::string text, reason;
    const platform::TReadOutcome outcome = platform::ReadWholeFile(FFileName, text, reason);
    FStamp = stamp;
    switch (outcome) {
    case platform::TReadOutcome::Missing:
        // Removed since it was read: start over as on a first start. Values
        // that were never saved are kept for the next write.
        if (FOnDisk) {
            FIni->Clear();
            FChanged = false;
        }
        FOnDisk = false;
        FUnreadable.clear();
        return;
    case platform::TReadOutcome::Failed:
        FOnDisk = true;
        FUnreadable = reason;
        FReadProblem = "Unable to read " + FFileName + ": " + reason;
        return;
    case platform::TReadOutcome::Read: break;
    }
    const size_t hash = std::hash<std::string_view>()(text);
    const bool known = FOnDisk && FUnreadable.empty() && hash == FContentHash;
    FOnDisk = true;
    FUnreadable.clear();
    if (known)
        return;
    FIni->SetText(platform::FileTextToUtf8(std::move(text)));
    FContentHash = hash;
    FChanged = false;
    FLastReported.clear();
}

bool TOptionFile::Flush(bool AChosen)
{
    std::string problem = std::exchange(FReadProblem, std::string());
    bool written = true;
    if (FChanged) {
        // A file that could not be read is never written over: what it holds
        // would be lost.
        std::string reason = FUnreadable;
        const std::string text = FIni->Text();
        written = reason.empty() && platform::ReplaceFileContent(FFileName, text, reason);
        if (written) {
            FStamp = platform::TFileStamp::Of(FFileName);
            FContentHash = std::hash<std::string_view>()(text);
            FOnDisk = true;
            FChanged = false;
            FLastReported.clear();
        } else {
            problem = "Unable to write to " + FFileName + ": " + reason;
        }
    }
    if (!problem.empty())
        Report(problem, AChosen);
    return written;
}

void TOptionFile::Report(const std::string& AProblem, bool AChosen)
{
    if (!AChosen && AProblem == FLastReported)
        return;
    FLastReported = AProblem;
    if (OnProblem)
        OnProblem(AProblem);
}

bool TOptionFile::Known() const
{
    return FOnDisk || FChanged;
}

std::string TOptionFile::Read(const char* ASection, const char* AKey) const
{
    std::string value = FIni->ReadString(ASection, AKey, MissingValue);
    return value == MissingValue ? std::string() : value;
}

void TOptionFile::Write(const char* ASection, const char* AKey, const std::string& AValue)
{
    // A line break can never be a stored value: it tells a missing key.
    if (FIni->ReadString(ASection, AKey, "\n") == AValue)
        return;
    FIni->WriteString(ASection, AKey, AValue);
    FChanged = true;
}

bool TOptionFile::ReadInRange(const char* ASection, const char* AKey, int AMin, int AMax, int& AValue) const
{
    const std::string text = Read(ASection, AKey);
    int64_t value = 0;
    // Only plain decimal digits: "$1" or " 1" are not what the program wrote.
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9 ||
        !platform::TryStrToInt64(text, value) || value < AMin || value > AMax)
        return false;
    AValue = int(value);
    return true;
}

std::string TOptionFile::ReadFolder(const char* ASection, const char* AKey, const std::string& ADefault)
{
    Refresh();
    std::string folder = Known() ? Read(ASection, AKey) : std::string();
    // Handed to the desktop later: an option ("--help"), an address or a
    // relative name would be run or looked up elsewhere.
    if (folder.empty() || folder[0] != '/') {
        folder = ADefault;
        Write(ASection, AKey, folder);
    }
    platform::ForceDirectories(folder);
    Flush(false);
    return folder;
}

bool TOptionFile::WriteFolder(const char* ASection, const char* AKey, const std::string& AFolder)
{
    if (AFolder.empty() || !platform::DirectoryExists(AFolder))
        return false;
    Refresh();
    Write(ASection, AKey, AFolder);
    return Flush(true);
}

std::string TOptionFile::ReadOutPath()
{
    return ReadFolder("OutPath", "OutPath", DefaultOutputFolder());
}

bool TOptionFile::WriteOutPath(const std::string& AFolder)
{
    return WriteFolder("OutPath", "OutPath", AFolder);
}

int TOptionFile::ReadSkinIndex(int ASkinCount)
{
    Refresh();
    int index = 0;
    if (!Known() || !ReadInRange("Skin", "SetSkin", 0, ASkinCount - 1, index))
        Write("Skin", "SetSkin", "0");
    Flush(false);
    return index;
}

bool TOptionFile::WriteSkinIndex(int AIndex)
{
    Refresh();
    Write("Skin", "SetSkin", platform::IntToStr(AIndex));
    return Flush(true);
}

std::string TOptionFile::ReadSnapshotFolder()
{
    return ReadFolder("SnapShot", "Dir", DefaultSnapshotFolder());
}

bool TOptionFile::WriteSnapshotFolder(const std::string& AFolder)
{
    return WriteFolder("SnapShot", "Dir", AFolder);
}

TPictureType TOptionFile::ReadPictureType()
{
    Refresh();
    TPictureType type = TPictureType::BMP;
    const std::string text = Known() ? Read("SnapShot", "Picture") : std::string();
    const auto found = std::find(std::begin(PictureTexts), std::end(PictureTexts), text);
    if (found != std::end(PictureTexts))
        type = TPictureType(found - std::begin(PictureTexts));
    else
        Write("SnapShot", "Picture", PictureTypeText(type));
    Flush(false);
    return type;
}

bool TOptionFile::WritePictureType(TPictureType AType)
{
    Refresh();
    Write("SnapShot", "Picture", PictureTypeText(AType));
    return Flush(true);
}

TConversionOptions TOptionFile::ReadOptions()
{
    Refresh();
    TConversionOptions options;
    if (!Known()) {
        Write("Options", "Thread_Count", "0");
        Write("Options", "After_Done", "0");
        Write("Options", "Show_Preview", "0");
        Write("Options", "Thread_Priority", "3");
        Write("Options", "Overwrite_File", "1");
        Flush(false);
        return options;
    }
    int value = 0;
    // "0" means never chosen: the list's first entry.
    if (ReadInRange("Options", "Thread_Count", 0, 19, value))
        options.ThreadCount = value < 1 ? 1 : value;
    else
        Write("Options", "Thread_Count", "0");
    if (ReadInRange("Options", "After_Done", 0, 3, value))
        options.AfterDone = TAfterDone(value);
    else
        Write("Options", "After_Done", "0");
    if (ReadInRange("Options", "Thread_Priority", 0, 3, value))
        options.Priority = TRunPriority(value);
    else
        Write("Options", "Thread_Priority", "3");
    if (ReadInRange("Options", "Overwrite_File", 0, 1, value))
        options.Overwrite = value == 0;
    else
        Write("Options", "Overwrite_File", "1");
    if (ReadInRange("Options", "Show_Preview", 0, 1, value))
        options.ShowPreview = value == 1;
    else
        Write("Options", "Show_Preview", "0");
    Flush(false);
    return options;
}

bool TOptionFile::WriteOptions(const TConversionOptions& AOptions, bool AThreadCount)
{
    Refresh();
    if (AThreadCount)
        Write("Options", "Thread_Count", platform::IntToStr(AOptions.ThreadCount));
    Write("Options", "After_Done", platform::IntToStr(int(AOptions.AfterDone)));
    Write("Options", "Show_Preview", AOptions.ShowPreview ? "1" : "0");
    Write("Options", "Thread_Priority", platform::IntToStr(int(AOptions.Priority)));
    Write("Options", "Overwrite_File", AOptions.Overwrite ? "0" : "1");
    return Flush(true);
}

} // namespace app
