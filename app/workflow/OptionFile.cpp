#include "app/workflow/OptionFile.h"

#include "platform/core/IniFiles.h"
#include "platform/core/SysUtils.h"

#include <unistd.h>

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

std::string DefaultOptionFileName()
{
    const std::string programFolder = platform::ExtractFilePath(platform::GetExeFileName());
    if (IsWritableFolder(programFolder))
        return programFolder + "option.ini";
    std::string config = platform::GetEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.empty())
        config = HomeFolder() + "/.config";
    const std::string folder = platform::ExcludeTrailingPathDelimiter(config) + "/zarvelo";
    platform::ForceDirectories(folder);
    return folder + "/option.ini";
}

std::string DefaultOutputFolder()
{
    return HomeFolder() + "/Zarvelo视频软件/输出";
}

std::string DefaultSnapshotFolder()
{
    return HomeFolder() + "/Zarvelo视频软件/快照";
}

TOptionFile::TOptionFile(std::string AFileName) : FFileName(std::move(AFileName)) {}

bool TOptionFile::Exists() const
{
    return platform::FileExists(FFileName);
}

std::string TOptionFile::Read(const char* ASection, const char* AKey) const
{
    platform::TIniFile ini(FFileName);
    std::string value = ini.ReadString(ASection, AKey, MissingValue);
    return value == MissingValue ? std::string() : value;
}

void TOptionFile::Write(const char* ASection, const char* AKey, const std::string& AValue)
{
    platform::TIniFile ini(FFileName);
    ini.WriteString(ASection, AKey, AValue);
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

std::string TOptionFile::ReadOutPath()
{
    const std::string fallback = DefaultOutputFolder();
    try {
        if (Exists()) {
            std::string folder = Read("OutPath", "OutPath");
            if (!folder.empty()) {
                platform::ForceDirectories(folder);
                return folder;
            }
        }
        platform::ForceDirectories(fallback);
        Write("OutPath", "OutPath", fallback);
    } catch (const std::exception&) {
        // An unwritable file still leaves a usable folder for this session.
        platform::ForceDirectories(fallback);
    }
    return fallback;
}

bool TOptionFile::WriteOutPath(const std::string& AFolder)
{
    if (AFolder.empty() || !platform::DirectoryExists(AFolder))
        return false;
    Write("OutPath", "OutPath", AFolder);
    return true;
}

int TOptionFile::ReadSkinIndex(int ASkinCount)
{
    int index = 0;
    if (Exists() && ReadInRange("Skin", "SetSkin", 0, ASkinCount - 1, index))
        return index;
    Write("Skin", "SetSkin", "0");
    return 0;
}

void TOptionFile::WriteSkinIndex(int AIndex)
{
    Write("Skin", "SetSkin", platform::IntToStr(AIndex));
}

std::string TOptionFile::ReadSnapshotFolder()
{
    if (Exists()) {
        std::string folder = Read("SnapShot", "Dir");
        if (!folder.empty()) {
            platform::ForceDirectories(folder);
            return folder;
        }
    }
    const std::string fallback = DefaultSnapshotFolder();
    platform::ForceDirectories(fallback);
    Write("SnapShot", "Dir", fallback);
    return fallback;
}

bool TOptionFile::WriteSnapshotFolder(const std::string& AFolder)
{
    if (AFolder.empty() || !platform::DirectoryExists(AFolder))
        return false;
    Write("SnapShot", "Dir", AFolder);
    return true;
}

TPictureType TOptionFile::ReadPictureType()
{
    if (Exists()) {
        const std::string text = Read("SnapShot", "Picture");
        for (int i = 0; i < 4; ++i)
            if (text == PictureTexts[i])
                return TPictureType(i);
    }
    WritePictureType(TPictureType::BMP);
    return TPictureType::BMP;
}

void TOptionFile::WritePictureType(TPictureType AType)
{
    Write("SnapShot", "Picture", PictureTypeText(AType));
}

TConversionOptions TOptionFile::ReadOptions()
{
    TConversionOptions options;
    if (!Exists()) {
        Write("Options", "Thread_Count", "0");
        Write("Options", "After_Done", "0");
        Write("Options", "Show_Preview", "0");
        Write("Options", "Thread_Priority", "3");
        Write("Options", "Overwrite_File", "1");
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
    return options;
}

void TOptionFile::WriteOptions(const TConversionOptions& AOptions, bool AThreadCount)
{
    if (AThreadCount)
        Write("Options", "Thread_Count", platform::IntToStr(AOptions.ThreadCount));
    Write("Options", "After_Done", platform::IntToStr(int(AOptions.AfterDone)));
    Write("Options", "Show_Preview", AOptions.ShowPreview ? "1" : "0");
    Write("Options", "Thread_Priority", platform::IntToStr(int(AOptions.Priority)));
    Write("Options", "Overwrite_File", AOptions.Overwrite ? "0" : "1");
}

} // namespace app
