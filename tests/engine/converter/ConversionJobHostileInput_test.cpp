// Hostile and degenerate inputs through the probe and through conversion:
// each ends with a message (the probe's, the task's) and the process lives.
#include "ConverterTestSupport.h"
#include "engine/probe/AVProbe.h"
#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace engine;
using namespace testsupport;
using namespace convertertest;

namespace {

// Writes AValue at AOffset of the file, little-endian, in ABytes bytes.
void Patch(const std::string& AFileName, size_t AOffset, uint32_t AValue, int ABytes)
{
    std::string Bytes = ReadFile(AFileName);
    ASSERT_LE(AOffset + size_t(ABytes), Bytes.size());
    for (int I = 0; I < ABytes; ++I)
        Bytes[AOffset + size_t(I)] = char((AValue >> (8 * I)) & 0xFF);
    WriteFile(AFileName, Bytes);
}

// The offset just past the first AFourCC chunk header of a RIFF file.
size_t ChunkData(const std::string& AFileName, const char* AFourCC)
{
    const std::string Bytes = ReadFile(AFileName);
    const size_t At = Bytes.find(AFourCC);
    return At == std::string::npos ? Bytes.size() : At + 8;
}

class FFmpegHostileInputTest : public TComponentRunTest {
protected:
    static void SetUpTestSuite()
    {
        Dir = std::make_unique<TTempDir>();
        // Raw pictures whose bit count names no pixel format.
        const std::string Raw = Dir->File("unknown-pixels.avi");
        ASSERT_TRUE(MakeMedia(Raw, "-f lavfi -i testsrc=size=32x32:rate=5:duration=1 -c:v rawvideo -pix_fmt bgr24"));
        Patch(Raw, ChunkData(Raw, "strf") + 14, 7, 2);
        // A sound file of no channels, and one with a header and no samples.
        const std::string Silent = Dir->File("no-channels.wav");
        ASSERT_TRUE(MakeMedia(Silent, "-f lavfi -i sine=duration=0.5 -ac 1"));
        Patch(Silent, ChunkData(Silent, "fmt ") + 2, 0, 2);
        WriteFile(Dir->File("header-only.wav"), ReadFile(Silent).substr(0, 44));
        Patch(Dir->File("header-only.wav"), 22, 1, 2);
        Patch(Dir->File("header-only.wav"), 40, 0, 4);
        // A 1x1 picture stream whose only frame is noise.
        const std::string Tiny = Dir->File("tiny.avi");
        ASSERT_TRUE(MakeMedia(Tiny, "-f lavfi -i color=size=2x2:rate=1:duration=1 -s 1x1 -c:v mjpeg -pix_fmt yuvj420p"));
        std::string Bytes = ReadFile(Tiny);
        const size_t Frame = Bytes.find("00dc");
        ASSERT_NE(Frame, std::string::npos);
        for (size_t I = Frame + 8; I < std::min(Bytes.size(), Frame + 8 + 200); ++I)
            Bytes[I] = char(0x55);
        WriteFile(Tiny, Bytes);
        std::string Noise(4096, '\0');
        for (size_t I = 0; I < Noise.size(); ++I)
            Noise[I] = char((I * 2654435761u) >> 13);
        WriteFile(Dir->File("random.mp4"), Noise);
        WriteFile(Dir->File("empty.avi"), "");
        std::filesystem::create_directory(Dir->File("folder.avi"));
    }
    static void TearDownTestSuite() { Dir.reset(); }

    static std::unique_ptr<TTempDir> Dir;
};

std::unique_ptr<TTempDir> FFmpegHostileInputTest::Dir;

const char* const HostileInputs[] = {"unknown-pixels.avi", "no-channels.wav", "header-only.wav", "tiny.avi",
                                     "random.mp4",         "empty.avi",       "folder.avi"};

} // namespace

TEST_F(FFmpegHostileInputTest, TheProbeAnswersWithAMessageOrInformation)
{
    for (const char* Name : HostileInputs) {
        SCOPED_TRACE(Name);
        TAVProbe Probe(nullptr);
        if (!Probe.LoadFile(Dir->File(Name))) {
            EXPECT_NE(Probe.LastErrMsg(), "");
            continue;
        }
        Probe.GetFileInfoText();
        // Decoding a picture either gives one or says why not.
        if (Probe.VideoStreamCount() > 0 && Probe.Decode()) {
            TFrameBitmap Bitmap(1, 1, pf24bit);
            Probe.CopyToBitmap(&Bitmap);
        }
    }
}

// On an audio, a picture and an audio-and-picture profile each input either
// is refused when its task is added or ends its task with a message; no
// task reports an output that holds nothing.
TEST_F(FFmpegHostileInputTest, EveryTaskEndsWithAMessage)
{
    const char* const Outputs[][2] = {
        {"mp3", "acodec=libmp3lame"}, {"avi", "vcodec=mpeg4\nacodec=mp2"}, {"mp4", "vcodec=libx264\nacodec=aac"}};
    for (const auto& Output : Outputs) {
        Converter.ClearTasks();
        std::vector<std::string> Names;
        for (const char* Name : HostileInputs) {
            TInputOptions In;
            const int Index = Converter.AddTask(Dir->File(Name), &In);
            if (Index < 0) {
                EXPECT_NE(Converter.LastErrMsg(), "") << Name;
                continue;
            }
            const std::string Target = Dir->File(std::string(Name) + "." + Output[0]);
            if (!Converter.SetOutputFile(Index, Target, Output[1])) {
                EXPECT_NE(Converter.LastErrMsg(), "") << Name;
                Converter.RemoveTask(Index);
                continue;
            }
            Names.push_back(Target);
        }
        Run(2);
        for (size_t I = 0; I < Names.size(); ++I) {
            SCOPED_TRACE(Names[I]);
            const TTerminateInfo& End = Ends[int(I)];
            EXPECT_NE(End.Finished, End.Exception);
            if (End.Exception)
                EXPECT_NE(End.ExceptionMsg, "");
            else
                EXPECT_GT(platform::FileSizeByName(Names[I]), 0);
        }
    }
}
