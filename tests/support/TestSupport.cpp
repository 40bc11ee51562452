#include "TestSupport.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ctime>
#include <fstream>
#include <sstream>
#include <stdexcept>

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

bool MakeMedia(const std::string& AOutput, const std::string& AArguments)
{
    const std::string cmd = "ffmpeg -nostdin -hide_banner -loglevel error -y " + AArguments + " " +
                            ShellQuote(AOutput) + " 2>&1";
    std::string output;
    return RunCommand(cmd, &output) == 0;
}

} // namespace testsupport
