// What option.ini costs the program: the reads start-up makes (output
// folder, skin index, the options, the snapshot picture type) on a file as
// a first start leaves it, one later read, and the same start-up on a file
// swollen to 50 MB: written a while ago with every key present, written
// just now (its stamp cannot yet tell a same-size rewrite, so each read
// compares the content again), and with one key missing (so the whole file
// is written back). Targets: under 1 ms for the normal file, under 2 s for
// the swollen one. The load average is printed first: figures taken on a
// busy machine say little.
//
//   bench_option_file [runs]
//
// Files go to a new folder under /tmp, which is removed at the end.
#include "app/workflow/OptionFile.h"

#include "platform/core/SysUtils.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

const char* const StoredKeys = "[OutPath]\r\nOutPath=%s\r\n\r\n[Skin]\r\nSetSkin=0\r\n\r\n"
                               "[Options]\r\nThread_Count=0\r\nAfter_Done=0\r\nThread_Priority=3\r\n"
                               "Overwrite_File=1\r\nShow_Preview=0\r\n\r\n[SnapShot]\r\nDir=%s\r\nPicture=BMP\r\n";

void Write(const std::string& AFileName, const std::string& AText)
{
    std::ofstream(AFileName, std::ios::binary | std::ios::trunc) << AText;
}

std::string NormalFile(const std::string& AHome)
{
    const std::string out = AHome + "/Zarvelo视频软件/输出", shots = AHome + "/Zarvelo视频软件/快照";
    std::vector<char> text(1024);
    std::snprintf(text.data(), text.size(), StoredKeys, out.c_str(), shots.c_str());
    return text.data();
}

// Sections of filler keys after the program's own, up to ABytes.
std::string SwollenFile(const std::string& AStored, size_t ABytes)
{
    std::string text = AStored;
    text.reserve(ABytes + 256);
    for (int section = 0; text.size() < ABytes; ++section) {
        text += "[Filler" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 1000 && text.size() < ABytes; ++key)
            text += "Key" + std::to_string(key) + "=" + std::string(40, 'v') + "\r\n";
    }
    return text;
}

double StartUpMs(const std::string& AFileName)
{
    const auto start = TClock::now();
    app::TOptionFile file(AFileName);
    file.ReadOutPath();
    file.ReadSkinIndex(1);
    file.ReadOptions();
    file.ReadPictureType();
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

double Median(std::vector<double> AValues)
{
    std::sort(AValues.begin(), AValues.end());
    return AValues[AValues.size() / 2];
}

template <typename F>
double MedianOf(int ARuns, F AOnce)
{
    std::vector<double> times;
    for (int i = 0; i < ARuns; ++i)
        times.push_back(AOnce());
    return Median(times);
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    double load[3] = {};
    if (getloadavg(load, 3) == 3)
        std::printf("load average: %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    char pattern[] = "/tmp/zarvelo-bench-ini-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    platform::SetEnvironmentVariable("HOME", dir);
    const std::string ini = dir + "/option.ini";
    const std::string normal = NormalFile(dir);

    const double startUp = MedianOf(runs * 20, [&] {
        Write(ini, normal);
        return StartUpMs(ini);
    });
    app::TOptionFile warm(ini);
    warm.ReadOptions();
    const double oneRead = MedianOf(runs * 20, [&] {
        const auto start = TClock::now();
        warm.ReadOptions();
        return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
    });
    std::printf("normal file (%zu bytes): start-up reads %.3f ms, one later read %.3f ms (target: under 1 ms)\n",
                normal.size(), startUp, oneRead);

    const std::string swollen = SwollenFile(normal, 50u << 20);
    std::string missingKey = swollen;
    missingKey.erase(missingKey.find("Show_Preview=0\r\n"), 16);
    const struct {
        const char* Name;
        const std::string& Text;
        bool Settled;
    } cases[] = {{"written a while ago", swollen, true},
                 {"written just now", swollen, false},
                 {"one key missing, written back", missingKey, true}};
    for (const auto& c : cases) {
        const double ms = MedianOf(runs, [&] {
            Write(ini, c.Text);
            if (c.Settled)
                std::this_thread::sleep_for(std::chrono::milliseconds(2100));
            return StartUpMs(ini);
        });
        std::printf("50 MB file, %s: start-up reads %.1f ms (target: under 2000 ms)\n", c.Name, ms);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
