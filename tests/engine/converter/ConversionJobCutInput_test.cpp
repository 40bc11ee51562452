// Inputs cut off part-way, as a download that stopped leaves them: the
// conversion keeps everything the file still holds, as long as ffmpeg's own
// conversion of the same file does, and the task ends well.
#include "ConverterTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

using namespace engine;
using namespace testsupport;
using namespace convertertest;

namespace {

uint32_t LittleEndian32(const std::string& ABytes, size_t AAt)
{
    uint32_t Value = 0;
    for (int I = 3; I >= 0; --I)
        Value = Value << 8 | uint8_t(ABytes[AAt + size_t(I)]);
    return Value;
}

// Where to cut a file: inside a video frame at about AFraction of the file,
// or a few bytes into its trailing index or cues.
enum class TCut { InsideAFrame, InsideTheIndex, InsideTheCues };

size_t CutPoint(const std::string& ABytes, TCut ACut, double AFraction)
{
    switch (ACut) {
    case TCut::InsideAFrame: {
        const size_t From = size_t(double(ABytes.size()) * AFraction);
        // An AVI video chunk: its data follows 8 bytes of header, the
        // last 4 of them its size.
        const size_t Chunk = ABytes.find("00dc", From);
        if (Chunk == std::string::npos || Chunk + 8 >= ABytes.size())
            return From; // not an AVI: a byte in the middle of the data
        return Chunk + 8 + LittleEndian32(ABytes, Chunk + 4) / 2;
    }
    case TCut::InsideTheIndex: return ABytes.rfind("idx1") + 100;
    case TCut::InsideTheCues: return ABytes.rfind("\x1C\x53\xBB\x6B") + 6;
    }
    return ABytes.size();
}

class FFmpegCutInputTest : public TComponentRunTest {
protected:
    static void SetUpTestSuite()
    {
        Media = std::make_unique<TTempDir>();
        const std::string Sources = "-f lavfi -i testsrc=size=160x120:rate=25:duration=4 -f lavfi -i sine=duration=4 ";
        ASSERT_TRUE(MakeMedia(Media->File("whole.avi"), Sources + "-c:v mpeg4 -c:a libmp3lame -shortest"));
        ASSERT_TRUE(MakeMedia(Media->File("whole.mp4"),
                              Sources + "-c:v libx264 -c:a aac -shortest -movflags +faststart"));
        ASSERT_TRUE(MakeMedia(Media->File("whole.mkv"), Sources + "-c:v libx264 -c:a aac -shortest"));
    }
    static void TearDownTestSuite() { Media.reset(); }

    static std::unique_ptr<TTempDir> Media;
    TTempDir Work;
};

std::unique_ptr<TTempDir> FFmpegCutInputTest::Media;

} // namespace

// Converted to H.264 and AAC in MP4, every cut input gives video and audio
// as long as ffmpeg's (within 0.1 s): the encoders are drained at the end of
// the input even when its last picture is damaged, and a decoder's error
// while draining loses no picture behind it.
TEST_F(FFmpegCutInputTest, ACutInputKeepsWhatItHolds)
{
    const struct {
        const char* Name;
        const char* Whole;
        TCut Cut;
        double Fraction;
    } Cases[] = {
        {"AVI cut inside a frame half-way", "whole.avi", TCut::InsideAFrame, 0.5},
        {"AVI cut inside a frame near the end", "whole.avi", TCut::InsideAFrame, 0.95},
        {"AVI cut inside its index", "whole.avi", TCut::InsideTheIndex, 0},
        {"MP4 cut inside its data", "whole.mp4", TCut::InsideAFrame, 0.6},
        {"Matroska cut inside its cues", "whole.mkv", TCut::InsideTheCues, 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        const std::string Whole = ReadFile(Media->File(C.Whole));
        const size_t Cut = CutPoint(Whole, C.Cut, C.Fraction);
        ASSERT_LT(Cut, Whole.size());
        const std::string Input = Work.File(std::string("cut-") + C.Whole);
        WriteFile(Input, Whole.substr(0, Cut));
        const std::string Theirs = Work.File("theirs.mp4");
        ASSERT_TRUE(MakeMedia(Theirs, "-i " + ShellQuote(Input) + " -c:v libx264 -c:a aac"));
        const std::string Ours = Work.File("ours.mp4");
        Converter.ClearTasks();
        AddTaskFiles(Input, Ours, "vcodec=libx264\nacodec=aac");
        Run(1);
        EXPECT_TRUE(Ends[0].Finished) << Ends[0].ExceptionMsg;
        // The durations of the first video and the first audio stream, from
        // one ffprobe run per file; -1 where there is no such stream.
        const auto Durations = [](const std::string& AFile) {
            std::map<std::string, double> Found{{"video", -1.0}, {"audio", -1.0}};
            for (const TProbeLine& Line : ProbeLines(AFile, "stream=codec_type,duration")) {
                const auto Kind = Found.find(Line.Value("codec_type"));
                if (Line.Section == "stream" && Kind != Found.end() && Kind->second < 0)
                    Kind->second = std::atof(Line.Value("duration").c_str());
            }
            return Found;
        };
        const auto Expected = Durations(Theirs);
        const auto Got = Durations(Ours);
        for (const char* Kind : {"video", "audio"}) {
            SCOPED_TRACE(Kind);
            ASSERT_GT(Expected.at(Kind), 0.5);
            EXPECT_NEAR(Got.at(Kind), Expected.at(Kind), 0.1);
        }
    }
}

// A cut input converts what it holds and the task ends well, but the log
// says which file ended early and how far it reached; a whole file, or one
// that lost only its index, gives no such warning. The output reads clean.
TEST_F(FFmpegCutInputTest, ACutInputIsToldByName)
{
    std::mutex LinesLock;
    std::vector<std::pair<TLogLevel, std::string>> Lines;
    GetFFLogger()->SetTriggerEventInMainThread(false);
    GetFFLogger()->SetOnLog([&](platform::TObject*, uint32_t, TLogLevel ALevel, const std::string& AMsg) {
        std::lock_guard<std::mutex> Guard(LinesLock);
        Lines.emplace_back(ALevel, AMsg);
    });
    const struct {
        const char* Name;
        const char* Whole;
        TCut Cut;
        double Fraction;
        bool Early;
    } Cases[] = {
        {"MP4 cut inside its data", "whole.mp4", TCut::InsideAFrame, 0.6, true},
        {"AVI cut inside a frame half-way", "whole.avi", TCut::InsideAFrame, 0.5, true},
        {"AVI cut inside its index", "whole.avi", TCut::InsideTheIndex, 0, false},
        {"whole MP4", "whole.mp4", TCut::InsideAFrame, 1.0, false},
        {"whole Matroska", "whole.mkv", TCut::InsideAFrame, 1.0, false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        const std::string Whole = ReadFile(Media->File(C.Whole));
        const std::string Input = Work.File(std::string("cut-") + C.Whole);
        WriteFile(Input, C.Fraction >= 1.0 ? Whole : Whole.substr(0, CutPoint(Whole, C.Cut, C.Fraction)));
        const std::string Output = Work.File("out.mp4");
        Converter.ClearTasks();
        {
            std::lock_guard<std::mutex> Guard(LinesLock);
            Lines.clear();
        }
        AddTaskFiles(Input, Output, "vcodec=libx264\nacodec=aac");
        Run(1);
        EXPECT_TRUE(Ends[0].Finished) << Ends[0].ExceptionMsg;
        EXPECT_EQ(DecodeErrors(Output), "");
        std::vector<std::string> Warnings;
        {
            std::lock_guard<std::mutex> Guard(LinesLock);
            for (const auto& [Level, Text] : Lines)
                if (Text.find("ended early") != std::string::npos) {
                    EXPECT_EQ(Level, llWarning) << Text;
                    Warnings.push_back(Text);
                }
        }
        if (!C.Early) {
            EXPECT_EQ(Warnings, std::vector<std::string>{});
            continue;
        }
        ASSERT_EQ(Warnings.size(), 1u);
        EXPECT_EQ(Warnings[0].rfind(Input + ": the input ended early, after 00:00:0", 0), 0u) << Warnings[0];
        if (std::string(C.Whole) == "whole.mp4") { // its header tells the whole length
            EXPECT_NE(Warnings[0].find(" of 00:00:04."), std::string::npos) << Warnings[0];
        }
        EXPECT_LT(ProbeDuration(Output), 3.5);
    }
    GetFFLogger()->SetOnLog(nullptr);
    GetFFLogger()->SetTriggerEventInMainThread(true);
}
