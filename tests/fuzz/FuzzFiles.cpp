#include "fuzz/FuzzFiles.h"

#include <unistd.h>

#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace fuzz {

namespace fs = std::filesystem;

std::vector<std::string> SplitFiles(std::string_view AData)
{
    std::vector<std::string> Files;
    size_t Start = 0;
    for (;;) {
        const size_t End = AData.find(FileSeparator, Start);
        Files.emplace_back(AData.substr(Start, End == std::string_view::npos ? AData.npos : End - Start));
        if (End == std::string_view::npos)
            return Files;
        Start = End + FileSeparator.size();
    }
}

std::string JoinFiles(const std::vector<std::string>& AFiles)
{
    std::string Data;
    for (size_t I = 0; I < AFiles.size(); ++I)
        Data += (I ? std::string(FileSeparator) : std::string()) + AFiles[I];
    return Data;
}

TScratchFolder::TScratchFolder()
{
    std::error_code Error;
    const fs::path Base = fs::is_directory("/dev/shm", Error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    FPath = (Base / ("zarvelo-fuzz-" + std::to_string(getpid()))).string();
    fs::create_directories(FPath, Error);
}

TScratchFolder::~TScratchFolder()
{
    std::error_code Error;
    fs::remove_all(FPath, Error);
}

std::string TScratchFolder::Write(const std::string& AName, std::string_view AContent) const
{
    const std::string File = FPath + "/" + AName;
    std::ofstream Out(File, std::ios::binary | std::ios::trunc);
    Out.write(AContent.data(), std::streamsize(AContent.size()));
    return File;
}

void TScratchFolder::Clear() const
{
    std::error_code Error;
    for (const auto& Entry : fs::directory_iterator(FPath, Error))
        fs::remove_all(Entry.path(), Error);
}

std::string ReadFileText(const std::string& AFileName)
{
    std::ifstream In(AFileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

const TScratchFolder& EmptyScratchHome()
{
    static const TScratchFolder Folder;
    static const bool HomeSet = setenv("HOME", Folder.Path().c_str(), 1) == 0;
    (void)HomeSet;
    Folder.Clear();
    return Folder;
}

} // namespace fuzz
