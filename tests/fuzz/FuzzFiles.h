#pragma once
// Fuzz inputs that stand for several files: the parts of an input separated
// by FileSeparator, written as files of a scratch folder on a memory file
// system (where there is one) and removed again.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Rare enough inside pictures and INI text to split them reliably.
constexpr std::string_view FileSeparator = "\n\x01--file--\x01\n";

std::vector<std::string> SplitFiles(std::string_view AData);
std::string JoinFiles(const std::vector<std::string>& AFiles);

class TScratchFolder {
public:
    TScratchFolder();
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::string& Path() const { return FPath; }
    std::string Write(const std::string& AName, std::string_view AContent) const;
    // Removes everything inside the folder.
    void Clear() const;

private:
    std::string FPath;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadFileText(const std::string& AFileName);

// A scratch folder that is HOME as well, where the program makes its
// default folders; emptied for each input.
const TScratchFolder& EmptyScratchHome();

} // namespace fuzz
