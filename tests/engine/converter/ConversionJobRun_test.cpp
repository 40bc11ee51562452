// Conversions run through the conversion component: cut times, stop,
// pause, several tasks at once, a broken input beside good ones.
#include "ConverterTestSupport.h"
#include "engine/component/FFConverter.h"
#include "engine/loader/FFmpegLoader.h"
#include "platform/core/MainThread.h"
#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>

using namespace engine;
using namespace testsupport;
using namespace convertertest;

namespace {

class FFmpegRunTest : public TComponentRunTest {
protected:
    static void SetUpTestSuite()
    {
        Dir = std::make_unique<TTempDir>();
        ASSERT_TRUE(MakeMedia(Dir->File("tone.wav"), "-f lavfi -i sine=frequency=440:duration=1 -ac 2 -ar 44100"));
        ASSERT_TRUE(MakeMedia(Dir->File("clip.mkv"), "-f lavfi -i testsrc=size=160x120:rate=25:duration=1 "
                                                     "-f lavfi -i sine=duration=1 -c:v mpeg4 -c:a mp2 -shortest"));
    }
    static void TearDownTestSuite() { Dir.reset(); }
    int AddTask(const std::string& AInput, const std::string& AOutput, const std::string& ALines = "",
                TOutputOptions* AOptions = nullptr)
    {
        return AddTaskFiles(Dir->File(AInput), Dir->File(AOutput), ALines, AOptions);
    }

    static std::unique_ptr<TTempDir> Dir;
};

std::unique_ptr<TTempDir> FFmpegRunTest::Dir;

} // namespace

TEST_F(FFmpegRunTest, StartTimeAndLength)
{
    TOutputOptions Out;
    InitOutputOptions(Out);
    Out.AudioCodec = "flac";
    Out.TimeStart = 300000;
    Out.TimeLength = 400000;
    AddTask("tone.wav", "cut.flac", "", &Out);
    Run(0);
    ASSERT_TRUE(Ends[0].Finished) << Ends[0].ExceptionMsg;
    EXPECT_NEAR(ProbeDuration(Dir->File("cut.flac")), 0.4, 0.03);
    // The input's own start time skips into the file: the pictures and
    // samples before it (back to the key frame the seek lands on) are
    // dropped, so that both streams start together.
    TInputOptions In;
    In.TimeStart = 600000;
    Converter.ClearTasks();
    const int Index = Converter.AddTask(Dir->File("clip.mkv"), &In);
    ASSERT_TRUE(Converter.SetOutputFile(Index, Dir->File("late.mkv"), "vcodec=mpeg4\nacodec=libvorbis")) << Converter.LastErrMsg();
    Run(1);
    ASSERT_TRUE(Ends[0].Finished) << Ends[0].ExceptionMsg;
    // The picture stream starts within a frame of the sound (it started
    // more than two frames late while the sound kept its lead-in).
    const TProbedFile Late = ProbeFile(Dir->File("late.mkv"), "start_time");
    const std::string& Starts = Late.Streams;
    EXPECT_LT(std::atof(Starts.c_str()), 0.02) << Starts;
    EXPECT_EQ(Starts.substr(Starts.find('\n') + 1), "0.000000");
    EXPECT_NEAR(Late.Duration, 0.4, 0.05);
}

// With the input read at its own pace, a stop after the first progress
// report ends the task early with a playable file.
TEST_F(FFmpegRunTest, StopMidFile)
{
    TInputOptions In;
    In.ExtOptions = "re=1";
    const int Index = Converter.AddTask(Dir->File("clip.mkv"), &In);
    ASSERT_TRUE(Converter.SetOutputFile(Index, Dir->File("stopped.avi"), "vcodec=mpeg4")) << Converter.LastErrMsg();
    std::atomic<int> Reports{0};
    Converter.OnProgress = [&](platform::TObject*, PProgressInfo) {
        if (Reports++ == 0)
            Converter.Stop(false);
    };
    Run(1);
    EXPECT_FALSE(Ends[0].Exception) << Ends[0].ExceptionMsg;
    const double Duration = ProbeDuration(Dir->File("stopped.avi"));
    EXPECT_GT(Duration, 0.0);
    EXPECT_LT(Duration, 0.9);
}

TEST_F(FFmpegRunTest, PauseHoldsTheTaskUntilResume)
{
    TInputOptions In;
    In.ExtOptions = "re=1";
    const int Index = Converter.AddTask(Dir->File("tone.wav"), &In);
    ASSERT_TRUE(Converter.SetOutputFile(Index, Dir->File("paused.flac"), "")) << Converter.LastErrMsg();
    std::atomic<bool> Paused{false};
    Converter.OnProgress = [&](platform::TObject*, PProgressInfo) {
        if (!Paused.exchange(true))
            Converter.Pause();
    };
    Final = false;
    Converter.Start(1);
    platform::WaitUntilServing([&] { return Paused.load() || Final.load(); });
    // Longer than the rest of the input takes: a task that did not hold
    // would have ended by now.
    const uint32_t Until = platform::GetTickCount() + 1200;
    platform::WaitUntilServing([&] { return Final.load() || platform::GetTickCount() >= Until; });
    EXPECT_FALSE(Final.load());
    Converter.Resume();
    platform::WaitUntilServing([&] { return Final.load(); });
    ASSERT_TRUE(Ends[0].Finished) << Ends[0].ExceptionMsg;
    EXPECT_NEAR(ProbeDuration(Dir->File("paused.flac")), 1.0, 0.03);
}

// Eight tasks on one, two and eight threads write the same bytes; a broken
// input among them ends its own task only.
TEST_F(FFmpegRunTest, TasksAtOnceWriteWhatOneAtATimeWrites)
{
    const std::string Truncated = Dir->File("truncated.mkv");
    const std::string Whole = ReadFile(Dir->File("clip.mkv"));
    WriteFile(Truncated, Whole.substr(0, Whole.size() / 2));
    std::map<int, std::map<int, std::string>> Written; // threads -> task -> bytes
    for (const int Threads : {1, 2, 8}) {
        SCOPED_TRACE(Threads);
        Converter.ClearTasks();
        for (int I = 0; I < 8; ++I) {
            const std::string Name = std::to_string(Threads) + "-" + std::to_string(I);
            if (I % 2 == 0)
                AddTask("tone.wav", Name + ".mp3", "acodec=libmp3lame");
            else
                AddTask("clip.mkv", Name + ".avi", "vcodec=mpeg4\nacodec=mp2");
        }
        TInputOptions In;
        const int Broken = Converter.AddTask(Truncated, &In);
        ASSERT_TRUE(Converter.SetOutputFile(Broken, Dir->File("broken.avi"), "vcodec=mpeg4"));
        Run(Threads);
        ASSERT_EQ(Ends.size(), 9u);
        for (int I = 0; I < 8; ++I) {
            EXPECT_TRUE(Ends[I].Finished) << I << ": " << Ends[I].ExceptionMsg;
            Written[Threads][I] =
                ReadFile(Dir->File(std::to_string(Threads) + "-" + std::to_string(I) + (I % 2 ? ".avi" : ".mp3")));
        }
        // The cut file ends its task early, with whatever it held.
        EXPECT_LT(ProbeDuration(Dir->File("broken.avi")), 0.9);
    }
    // Audio encodes on one thread: the bytes are the same. A video encoder
    // takes the job's share of codec threads, which follows how many jobs
    // run at once, and may cut its pictures into other slices: the streams
    // hold the same pictures over the same time.
    for (int I = 0; I < 8; ++I) {
        ASSERT_FALSE(Written[1][I].empty());
        if (I % 2 == 0) {
            EXPECT_EQ(Written[2][I], Written[1][I]) << I;
            EXPECT_EQ(Written[8][I], Written[1][I]) << I;
            continue;
        }
        const auto Streams = [&](int AThreads) {
            return Probe(Dir->File(std::to_string(AThreads) + "-" + std::to_string(I) + ".avi"),
                         "stream=codec_name,width,height,nb_frames,duration");
        };
        EXPECT_EQ(Streams(2), Streams(1)) << I;
        EXPECT_EQ(Streams(8), Streams(1)) << I;
    }
}

// The job's last report gives the whole output: its size and length.
TEST_F(FFmpegRunTest, LastProgressReportGivesTheWholeOutput)
{
    AddTask("clip.mkv", "reported.avi", "vcodec=mpeg4\nacodec=mp2");
    std::vector<TProgressInfo> Reports;
    Converter.OnProgress = [&](platform::TObject*, PProgressInfo AInfo) { Reports.push_back(*AInfo); };
    Run(1);
    ASSERT_TRUE(Ends[0].Finished) << Ends[0].ExceptionMsg;
    ASSERT_FALSE(Reports.empty());
    const TProgressInfo& Last = Reports.back();
    EXPECT_EQ(Last.FileIndex, -1);
    EXPECT_EQ(Last.FrameNumber, 25);
    EXPECT_NEAR(double(Last.CurrentDuration) / 1e6, 1.0, 0.05);
    EXPECT_NEAR(double(Last.TotalDuration) / 1e6, 1.0, 0.05);
    EXPECT_GT(Last.CurrentSize, 0);
    EXPECT_LE(Last.CurrentSize, platform::FileSizeByName(Dir->File("reported.avi")));
    EXPECT_GT(Last.BitRate, 0.0f);
}

// Damage inside an input: with "xerror" its task ends with the decoding
// error while the others finish; without, the task goes on to the end.
TEST_F(FFmpegRunTest, DamagedInput)
{
    const std::string Clean = Dir->File("clean.avi");
    ASSERT_TRUE(MakeMedia(Clean, "-f lavfi -i testsrc=size=160x120:rate=25:duration=1 -c:v mpeg4"));
    std::string Bytes = ReadFile(Clean);
    for (size_t I = Bytes.size() / 2; I < Bytes.size() / 2 + 3000; ++I)
        Bytes[I] = char(I * 37);
    WriteFile(Dir->File("damaged.avi"), Bytes);
    for (const bool ExitOnError : {true, false}) {
        SCOPED_TRACE(ExitOnError);
        Converter.ClearTasks();
        AddTask("tone.wav", "beside1.mp3", "acodec=libmp3lame");
        TInputOptions In;
        In.ExtOptions = ExitOnError ? "xerror=1" : "";
        const int Index = Converter.AddTask(Dir->File("damaged.avi"), &In);
        ASSERT_TRUE(Converter.SetOutputFile(Index, Dir->File("repaired.avi"), "vcodec=mpeg4"));
        AddTask("tone.wav", "beside2.mp3", "acodec=libmp3lame");
        Run(2);
        EXPECT_TRUE(Ends[0].Finished) << Ends[0].ExceptionMsg;
        EXPECT_TRUE(Ends[2].Finished) << Ends[2].ExceptionMsg;
        EXPECT_EQ(Ends[1].Exception, ExitOnError);
        EXPECT_EQ(Ends[1].ExceptionMsg, ExitOnError ? "Error while decoding stream #0.0 (Video)" : "");
    }
    EXPECT_NEAR(ProbeDuration(Dir->File("repaired.avi")), 1.0, 0.05);
}
