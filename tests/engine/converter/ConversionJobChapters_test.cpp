// Chapters of an input reach MP4, M4A and MOV outputs whole: every mark at
// its time, in time order, with its title, and the file reads clean. WAV
// inputs carry them as cue points, titled or not, in any order.
#include "ConverterTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

using namespace engine;
using namespace testsupport;
using namespace convertertest;

namespace {

constexpr int SampleRate = 44100;

struct TCuePoint {
    double Seconds;
    std::string Title; // empty: a cue point without a label
};

void PutLittleEndian32(std::string& ABytes, uint32_t AValue)
{
    for (int I = 0; I < 4; ++I)
        ABytes += char((AValue >> (8 * I)) & 0xFF);
}

std::string Chunk(const std::string& AId, const std::string& AData)
{
    std::string Bytes = AId;
    PutLittleEndian32(Bytes, uint32_t(AData.size()));
    Bytes += AData;
    if (AData.size() % 2)
        Bytes += '\0';
    return Bytes;
}

// A WAV file's bytes with cue points and their labels after its data, as
// sound editors write markers.
std::string WithCuePoints(std::string AWav, const std::vector<TCuePoint>& APoints)
{
    std::string Cues, Labels = "adtl";
    PutLittleEndian32(Cues, uint32_t(APoints.size()));
    for (size_t I = 0; I < APoints.size(); ++I) {
        const uint32_t Id = uint32_t(I + 1), Sample = uint32_t(APoints[I].Seconds * SampleRate);
        PutLittleEndian32(Cues, Id);
        PutLittleEndian32(Cues, Sample);
        Cues += "data";
        PutLittleEndian32(Cues, 0);
        PutLittleEndian32(Cues, 0);
        PutLittleEndian32(Cues, Sample);
        if (!APoints[I].Title.empty()) {
            std::string Label;
            PutLittleEndian32(Label, Id);
            Labels += Chunk("labl", Label + APoints[I].Title + '\0');
        }
    }
    AWav += Chunk("cue ", Cues);
    if (Labels.size() > 4)
        AWav += Chunk("LIST", Labels);
    std::string RiffSize;
    PutLittleEndian32(RiffSize, uint32_t(AWav.size() - 8));
    AWav.replace(4, 4, RiffSize);
    return AWav;
}

class ChaptersTest : public TComponentRunTest {
protected:
    static void SetUpTestSuite()
    {
        Media = std::make_unique<TTempDir>();
        ASSERT_TRUE(MakeMedia(Media->File("tone.wav"), "-f lavfi -i sine=frequency=440:duration=6 -ar 44100"));
    }
    static void TearDownTestSuite() { Media.reset(); }

    static std::unique_ptr<TTempDir> Media;
    TTempDir Work;
};

std::unique_ptr<TTempDir> ChaptersTest::Media;

} // namespace

TEST_F(ChaptersTest, ChaptersReachTrackOutputsWhole)
{
    const std::string Tone = ReadFile(Media->File("tone.wav"));
    const struct {
        const char* Name;
        std::vector<TCuePoint> Points;
        // What the output holds: start times and titles, in file order.
        std::vector<TCuePoint> Chapters;
    } Cases[] = {
        {"titled marks", {{0, "Intro"}, {2, "Middle"}, {4, "End"}}, {{0, "Intro"}, {2, "Middle"}, {4, "End"}}},
        {"untitled marks", {{0, ""}, {2, ""}}, {{0, ""}, {2, ""}}},
        {"an untitled mark among titled ones", {{0, "A"}, {2, ""}, {4, "C"}}, {{0, "A"}, {2, ""}, {4, "C"}}},
        {"a first mark after the start", {{2, "A"}}, {{0, ""}, {2, "A"}}},
        {"marks out of order", {{4, "B"}, {2, "A"}}, {{0, ""}, {2, "A"}, {4, "B"}}},
        {"a mark past the end", {{0, "A"}, {8, "B"}}, {{0, "A"}}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        const std::string Input = Work.File("marked.wav");
        WriteFile(Input, WithCuePoints(Tone, C.Points));
        for (const char* Ext : {".m4a", ".mp4", ".mov"}) {
            SCOPED_TRACE(Ext);
            const std::string Output = Work.File(std::string("out") + Ext);
            Converter.ClearTasks();
            AddTaskFiles(Input, Output, "acodec=aac");
            Run(1);
            ASSERT_TRUE(Ends[0].Finished) << Ends[0].ExceptionMsg;
            std::vector<TProbeLine> Lines;
            std::string Complaints;
            EXPECT_TRUE(ProbeLines(Output, "chapter=start_time:chapter_tags=title:format=duration", Lines,
                                   &Complaints))
                << Complaints;
            std::vector<TCuePoint> Got;
            for (const TProbeLine& Line : Lines) {
                if (Line.Section == "chapter")
                    Got.push_back({std::atof(Line.Value("start_time").c_str()), Line.Value("tag:title")});
                if (Line.Section == "format") {
                    EXPECT_NEAR(std::atof(Line.Value("duration").c_str()), 6.0, 0.05);
                }
            }
            ASSERT_EQ(Got.size(), C.Chapters.size());
            for (size_t I = 0; I < Got.size(); ++I) {
                EXPECT_NEAR(Got[I].Seconds, C.Chapters[I].Seconds, 0.01) << I;
                EXPECT_EQ(Got[I].Title, C.Chapters[I].Title) << I;
            }
            EXPECT_EQ(DecodeErrors(Output), "");
        }
    }
}
