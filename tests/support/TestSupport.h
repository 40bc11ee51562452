#pragma once
// Helpers shared by the test programs: scratch folders and external tools.

#include <string>

namespace testsupport {

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes away.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::string& Path() const { return FPath; }
    // Path of a file inside the folder.
    std::string File(const std::string& AName) const { return FPath + "/" + AName; }

private:
    std::string FPath;
};

// Sets the process's time zone (a TZ text) while the object lives and puts
// the previous one back after.
class TScopedTimeZone {
public:
    explicit TScopedTimeZone(const char* ATimeZone);
    ~TScopedTimeZone();
    TScopedTimeZone(const TScopedTimeZone&) = delete;
    TScopedTimeZone& operator=(const TScopedTimeZone&) = delete;

private:
    bool FHadOld = false;
    std::string FOld;
};

void WriteFile(const std::string& AFileName, const std::string& AContent);
std::string ReadFile(const std::string& AFileName);

// Runs a shell command; answers its exit status and, when AOutput is given,
// what it wrote to standard output.
int RunCommand(const std::string& ACommand, std::string* AOutput = nullptr);

// Quotes a text for the shell.
std::string ShellQuote(const std::string& AText);

// Makes a test medium with Debian's ffmpeg program. AArguments are the
// program's arguments between its global options and the output file, for
// example "-f lavfi -i sine=frequency=440:duration=1 -c:a pcm_s16le".
// Answers false when ffmpeg failed.
bool MakeMedia(const std::string& AOutput, const std::string& AArguments);

// Makes a clip whose every picture is a flat grey that tells its time, so a
// test reads which moment a picture or snapshot shows. H.264 with one key
// frame only, as encoders make it for short clips, so a seek must decode its
// way from the start to land anywhere else. At most 10 seconds; ARate
// pictures a second; with a tone when asked.
bool MakeTimeCodedClip(const std::string& AOutput, double ASeconds, int ARate, bool AWithSound);
// The time in seconds that a picture of such a clip shows, from the red (or
// any) component of its full-range RGB colour.
double TimeOfTimeCodedColour(int AComponent);
// The time a 24-bit BMP picture (a snapshot) of such a clip shows, read in
// its middle; negative when the file is no such picture.
double TimeOfTimeCodedBmp(const std::string& AFileName);

} // namespace testsupport
