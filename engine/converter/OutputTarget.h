#pragma once
// Where a job's output file is written, and the rules that keep a user's
// files safe: nothing on disk is touched until the job runs; a job that
// replaces an existing file writes a temporary file beside it and renames it
// over the old one only when the job ends well; a failed or stopped job
// leaves the old file as it was; the job removes only files it made itself.

#include <cstdint>
#include <string>

namespace engine {

// A text that names one file however its path is spelled (symlinks, "..",
// hard links of an existing file): the device and inode of an existing file,
// else the absolute path with its folder resolved.
std::string FileIdentity(const std::string& AFileName);
bool SameFile(const std::string& AFileName1, const std::string& AFileName2);
// True for an existing file that is not a regular file (a device, a pipe):
// writing to one replaces nothing and several writers may share it.
bool IsSpecialFile(const std::string& AFileName);

// 0 when the job will be able to create or replace the file when it runs
// (its folder exists and may be written, the name is no folder), else a
// negative error code (AVERROR form). Nothing is created.
int CheckOutputPlace(const std::string& AFileName);

class TOutputTarget {
public:
    explicit TOutputTarget(std::string AFileName = std::string()) : FFileName(std::move(AFileName)) {}

    const std::string& FileName() const { return FFileName; }
    // The file to hand the muxer: the output itself, or the temporary file.
    const std::string& WriteName() const { return FWriteName; }
    bool Opened() const { return !FWriteName.empty(); }
    // Packets the muxer took for this file.
    void CountPacket() { ++FPackets; }
    int64_t Packets() const { return FPackets; }

    // Chooses where to write just before the first byte is written: a new
    // file is written in place; an existing regular file gets a temporary
    // file beside it (with the old file's permissions). 0 or a negative
    // error code.
    int Prepare();
    // The job ended well: the temporary file replaces the output. 0 or a
    // negative error code (the temporary file is then removed).
    int Commit();
    // The job did not end well, or the output was never prepared: the
    // temporary file goes; a file the job created goes when it stayed
    // empty. Files the job did not make are left alone.
    void Discard();

private:
    std::string FFileName;
    std::string FWriteName;
    bool FCreated = false;   // the output did not exist before the job
    bool FReplacing = false; // FWriteName is a temporary file
    bool FDone = false;
    int64_t FPackets = 0;
};

} // namespace engine
