#pragma once
// Files read and written whole, with the reason when that fails.
//
// A replacement goes to a temporary file beside the target and is renamed
// into place, so a reader (or a crash) sees the old content or the new one,
// never a part. A file stamp tells cheaply whether a file may have changed
// since it was read.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

enum class TReadOutcome {
    Read,     // AText holds the file's bytes
    Missing,  // no such file (nor its folder)
    Failed    // it is there but cannot be read; AReason says why
};

TReadOutcome ReadWholeFile(const std::string& AFileName, std::string& AText, std::string& AReason);

// Replaces the content of AFileName by AText; the file is created when
// missing. A symbolic link is followed and stays a link; an existing file
// keeps its permissions. A file nobody may write (no write permission bit,
// whoever we are) is left alone, as is anything that is not a regular file.
// False with the reason in AReason when the file was not replaced; then it
// is as it was.
bool ReplaceFileContent(const std::string& AFileName, std::string_view AText, std::string& AReason);

// What stat tells about a file at one moment. Two equal stamps of a
// settled file mean it was not rewritten in between; a file changed within
// the file system's timestamp granularity of the moment its stamp was taken
// may be rewritten with the same size and time, so its content has to be
// compared.
struct TFileStamp {
    bool Exists = false;
    uint64_t Device = 0;
    uint64_t Inode = 0;
    int64_t Size = 0;
    int64_t ModifiedNs = 0;
    int64_t ChangedNs = 0;
    int64_t TakenNs = 0;  // not part of the comparison

    static TFileStamp Of(const std::string& AFileName);
    bool Settled() const;
    bool SameFile(const TFileStamp& AOther) const;
};

} // namespace platform
