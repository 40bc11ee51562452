#include "ProbeMedia.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <unistd.h>

namespace probetest {

namespace {

const struct {
    TMedia Media;
    const char* Name;
    const char* Arguments;
} Recipes[] = {
    {mdAudioMp3, "audio.mp3",
     "-f lavfi -i sine=frequency=440:duration=2 -c:a libmp3lame -b:a 64k -id3v2_version 3 "
     "-metadata title=中文标题 -metadata artist=Someone -metadata album=Album -metadata genre=Genre "
     "-metadata date=2019 -metadata track=3/12 -metadata comment=Note"},
    {mdVideoMp4, "video.mp4",
     "-f lavfi -i testsrc=size=160x120:rate=25:duration=3 -f lavfi -i sine=frequency=440:duration=3 "
     "-c:v libx264 -g 25 -bf 2 -pix_fmt yuv420p -c:a aac -b:a 64k -metadata title=中文标题 "
     "-metadata creation_time=2020-01-02T03:04:05Z -metadata artist=Someone"},
    {mdFastMp4, "fast.mp4",
     "-f lavfi -i testsrc=size=160x120:rate=25:duration=3 -c:v libx264 -g 25 -bf 2 -pix_fmt yuv420p "
     "-movflags +faststart"},
    {mdRedMp4, "red.mp4", "-f lavfi -i color=c=red:size=64x48:rate=25:duration=1 -c:v mpeg4 -q:v 2"},
    {mdSubsMkv, "subs.mkv",
     "-f lavfi -i testsrc=size=160x120:rate=25:duration=2 -f lavfi -i sine=duration=2 -i {dir}/subs.srt "
     "-map 0 -map 1 -map 2 -c:v mpeg4 -c:a mp2 -c:s srt -metadata:s:s:0 language=eng"},
    {mdVideoTs, "video.ts",
     "-f lavfi -i testsrc=size=160x120:rate=25:duration=3 -f lavfi -i sine=duration=3 "
     "-c:v libx264 -g 25 -bf 2 -pix_fmt yuv420p -c:a mp2"},
    {mdStillPng, "still.png", "-f lavfi -i testsrc=size=32x24:duration=1 -frames:v 1"},
};

const char* SubRip = "1\n00:00:00,500 --> 00:00:01,500\nHello\n\n";

std::string MediaDir()
{
    const std::string dir = std::filesystem::current_path().string() + "/probe-media";
    std::filesystem::create_directories(dir);
    return dir;
}

std::string Expand(std::string AText, const std::string& ADir)
{
    const std::string key = "{dir}";
    for (size_t p; (p = AText.find(key)) != std::string::npos;)
        AText.replace(p, key.size(), ADir);
    return AText;
}

} // namespace

std::string Media(TMedia AMedia)
{
    for (const auto& r : Recipes) {
        if (r.Media != AMedia)
            continue;
        const std::string dir = MediaDir();
        const std::string ext = std::filesystem::path(r.Name).extension().string();
        const std::string file = dir + "/" + std::filesystem::path(r.Name).stem().string() + "-" +
                                 std::to_string(std::hash<std::string>()(r.Arguments) % 100000) + ext;
        if (std::filesystem::exists(file))
            return file;
        // Parallel test processes each make their own copy and move it in
        // whole, so nobody reads a half-written file.
        const std::string srt = dir + "/subs.srt";
        if (!std::filesystem::exists(srt)) {
            const std::string tmp = srt + "." + std::to_string(getpid());
            testsupport::WriteFile(tmp, SubRip);
            std::filesystem::rename(tmp, srt);
        }
        const std::string tmp = dir + "/tmp-" + std::to_string(getpid()) + "-" + r.Name;
        EXPECT_TRUE(testsupport::MakeMedia(tmp, Expand(r.Arguments, dir))) << r.Arguments;
        std::filesystem::rename(tmp, file);
        return file;
    }
    ADD_FAILURE() << "no recipe";
    return {};
}

std::map<std::string, std::string> FFprobe(const std::string& AFileName, const std::string& AOptions)
{
    std::string out;
    testsupport::RunCommand("ffprobe -v error " + AOptions + " -of flat " + testsupport::ShellQuote(AFileName),
                            &out);
    std::map<std::string, std::string> values;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string value = line.substr(eq + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        values[line.substr(0, eq)] = value;
    }
    return values;
}

} // namespace probetest
