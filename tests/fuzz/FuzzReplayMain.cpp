// Runs a fuzz target over files instead of generated inputs: every file of
// the folders (and every file) named on the command line, in name order.
// A folder that does not exist is skipped, but at least one input must be
// found, so that a lost corpus does not pass unnoticed.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace fs = std::filesystem;

static std::vector<fs::path> InputsOf(const fs::path& APath)
{
    std::vector<fs::path> Files;
    std::error_code Error;
    if (fs::is_regular_file(APath, Error)) {
        Files.push_back(APath);
    } else if (fs::is_directory(APath, Error)) {
        for (const auto& Entry : fs::directory_iterator(APath, Error))
            if (Entry.is_regular_file(Error))
                Files.push_back(Entry.path());
    }
    std::sort(Files.begin(), Files.end());
    return Files;
}

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    size_t Count = 0;
    for (int I = 1; I < argc; ++I)
        for (const fs::path& File : InputsOf(argv[I])) {
            std::ifstream In(File, std::ios::binary);
            const std::string Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
            std::printf("%s\n", File.c_str());
            std::fflush(stdout);
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size());
            ++Count;
        }
    std::printf("%zu inputs replayed\n", Count);
    return Count > 0 ? 0 : 1;
}
