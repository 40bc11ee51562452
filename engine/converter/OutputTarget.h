#pragma once
// Where a job's output file is written, and the rules that keep a user's
// files safe: nothing on disk is touched until the job runs; a job that
// replaces an existing file writes a temporary file beside it and puts it in
// place only when the job ends well; a failed or stopped job leaves the old
// file as it was; the job removes only files it made itself.

#include <cstdint>
#include <string>

struct AVIOContext;

namespace engine {

// A text that names one file however its path is spelled (symlinks, "..",
// hard links of an existing file): the device and inode of an existing file,
// else the path it leads to (ResolvedPath: folder resolved, a dangling link
// followed), so two names that would create one file are one.
std::string FileIdentity(const std::string& AFileName);
bool SameFile(const std::string& AFileName1, const std::string& AFileName2);
// True for an existing file that is not a regular file (a device, a pipe):
// writing to one replaces nothing and several writers may share it.
bool IsSpecialFile(const std::string& AFileName);

// 0 when the job will be able to create or replace the file when it runs
// (its folder exists and may be written, the name is no folder), else a
// negative error code (AVERROR form). Nothing is created.
int CheckOutputPlace(const std::string& AFileName);

// Where a job's output file is written. A replacement is written to an
// unnamed temporary file in the output's folder, which the system removes
// with the process whatever happens, and is linked into place only when the
// job ends well. Where the file system has no unnamed files a hidden
// temporary (".name.XXXXXX.partial") stands in; the next replacement of the
// same output removes those that no living writer holds.
class TOutputTarget {
public:
    explicit TOutputTarget(std::string AFileName = std::string()) : FFileName(std::move(AFileName)) {}
    ~TOutputTarget();
    TOutputTarget(TOutputTarget&& AOther) noexcept { *this = std::move(AOther); }
    TOutputTarget& operator=(TOutputTarget&& AOther) noexcept;

    const std::string& FileName() const { return FFileName; }
    bool Opened() const { return FFile >= 0; }
    // Packets the muxer took for this file.
    void CountPacket() { ++FPackets; }
    int64_t Packets() const { return FPackets; }

    // Opens what the muxer writes, just before the first byte is written:
    // a new file in place, an existing regular file's replacement beside
    // it (with the old file's permissions), a device as it is. 0 or a
    // negative error code.
    int Open(AVIOContext** APb);
    // The job ended well: the replacement takes the output's place, and a
    // new file must still be where it was made. 0, or a negative error
    // code when the output or its folder was removed or moved meanwhile
    // (nothing is left behind then).
    int Commit();
    // The job was stopped: a new file keeps what it holds (unless no
    // packet reached it); a replacement goes and the old file stays.
    void Keep();
    // The job failed or never ran: nothing it made stays, and files it did
    // not make are left alone.
    void Discard();

private:
    void Close();
    bool StillOurs(const std::string& AName) const;
    void RemoveOurs(const std::string& AName);
    int OpenReplacement(int AMode);
    int OpenTemporaryByName(int AMode);
    bool FolderStillThere() const;

    std::string FFileName;
    std::string FName;     // last component of the file written in FFolder
    std::string FTempName; // a named temporary in FFolder; empty for an unnamed one
    int FFolder = -1;
    int FFile = -1;
    bool FCreated = false;   // the output did not exist before the job
    bool FReplacing = false; // FFile is a temporary file
    bool FDone = false;
    int64_t FPackets = 0;
};

// Removes the hidden temporaries of replacements of AName in the folder
// that no living writer holds. Answers how many went.
int RemoveStaleTemporaries(int AFolder, const std::string& AName);

} // namespace engine
