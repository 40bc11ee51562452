#include "TestSupport.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ctime>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace testsupport {

TTempDir::TTempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zarvelo-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    FPath = pattern;
}

TScopedTimeZone::TScopedTimeZone(const char* ATimeZone)
{
    if (const char* old = std::getenv("TZ")) {
        FHadOld = true;
        FOld = old;
    }
    setenv("TZ", ATimeZone, 1);
    tzset();
}

TScopedTimeZone::~TScopedTimeZone()
{
    if (FHadOld)
        setenv("TZ", FOld.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TTempDir::~TTempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
}

void WriteFile(const std::string& AFileName, const std::string& AContent)
{
    std::ofstream out(AFileName, std::ios::binary | std::ios::trunc);
    out.write(AContent.data(), std::streamsize(AContent.size()));
}

std::string ReadFile(const std::string& AFileName)
{
    std::ifstream in(AFileName, std::ios::binary);
    std::ostringstream buf;
    buf << in.rdbuf();
    return buf.str();
}

int RunCommand(const std::string& ACommand, std::string* AOutput)
{
    FILE* pipe = popen(ACommand.c_str(), "r");
    if (!pipe)
        return -1;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0)
        if (AOutput)
            AOutput->append(buf.data(), n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ShellQuote(const std::string& AText)
{
    std::string out = "'";
    for (char c : AText) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

namespace {

bool RunFfmpeg(const std::string& AOutput, const std::string& AArguments)
{
    const std::string cmd = "ffmpeg -nostdin -hide_banner -loglevel error -y " + AArguments + " " +
                            ShellQuote(AOutput) + " 2>&1";
    std::string output;
    return RunCommand(cmd, &output) == 0;
}

// True when every input of the command is a generated source: such a clip
// is the same whoever asks for it, so it can be made once and shared.
bool OnlyGeneratedInputs(const std::string& AArguments)
{
    std::istringstream words(AArguments);
    std::string before2, before1, word;
    bool any = false;
    while (words >> word) {
        if (word == "-i") {
            if (before2 != "-f" || before1 != "lavfi")
                return false;
            any = true;
        }
        before2 = before1;
        before1 = word;
    }
    return any;
}

} // namespace

// Each test program runs every test in a process of its own, and many set
// up the same generated clips: they are made once per build folder and
// copied from there (the muxer still sees the requested extension).
bool MakeMedia(const std::string& AOutput, const std::string& AArguments)
{
#ifdef ZARVELO_TEST_MEDIA_CACHE
    namespace fs = std::filesystem;
    if (OnlyGeneratedInputs(AArguments)) {
        const fs::path folder = ZARVELO_TEST_MEDIA_CACHE;
        const std::string extension = fs::path(AOutput).extension().string();
        char key[32];
        snprintf(key, sizeof key, "%016zx", std::hash<std::string>{}(AArguments + "|" + extension));
        const fs::path cached = folder / (key + extension);
        std::error_code ec;
        if (!fs::exists(cached, ec)) {
            fs::create_directories(folder, ec);
            const fs::path partial = folder / (std::string(key) + ".part" + std::to_string(getpid()) + extension);
            if (!RunFfmpeg(partial.string(), AArguments)) {
                fs::remove(partial, ec);
                return false;
            }
            // Several test processes may race here: the rename is atomic
            // and every one of them made the same clip.
            fs::rename(partial, cached, ec);
            if (ec)
                return false;
        }
        return fs::copy_file(cached, AOutput, fs::copy_options::overwrite_existing, ec) && !ec;
    }
#endif
    return RunFfmpeg(AOutput, AArguments);
}

namespace {
// The clip's limited-range luma climbs this much per second from 16.
constexpr double LumaPerSecond = 20.0;
} // namespace

bool MakeTimeCodedClip(const std::string& AOutput, double ASeconds, int ARate, bool AWithSound)
{
    char video[160];
    snprintf(video, sizeof video, "-f lavfi -i 'nullsrc=s=64x48:r=%d:d=%g,geq=lum=16+%g*T:cb=128:cr=128' ", ARate,
             ASeconds, LumaPerSecond);
    std::string args = video;
    if (AWithSound) {
        char sound[96];
        snprintf(sound, sizeof sound, "-f lavfi -i sine=frequency=440:duration=%g -c:a mp2 ", ASeconds);
        args += sound;
    }
    return MakeMedia(AOutput, args + "-c:v libx264 -g 1000 -pix_fmt yuv420p");
}

double TimeOfTimeCodedColour(int AComponent) { return AComponent * 219.0 / 255.0 / LumaPerSecond; }

double TimeOfTimeCodedBmp(const std::string& AFileName)
{
    const std::string bmp = ReadFile(AFileName);
    auto get32 = [&](size_t AAt) {
        uint32_t v = 0;
        std::memcpy(&v, bmp.data() + AAt, 4);
        return v;
    };
    if (bmp.size() < 54 || bmp.compare(0, 2, "BM") != 0 || bmp[28] != 24)
        return -1;
    const uint32_t width = get32(18), height = get32(22), pixels = get32(10);
    const size_t rowBytes = (size_t(width) * 3 + 3) / 4 * 4;
    const size_t at = pixels + rowBytes * (height / 2) + 3 * size_t(width / 2) + 2;
    return at < bmp.size() ? TimeOfTimeCodedColour(uint8_t(bmp[at])) : -1;
}

} // namespace testsupport
