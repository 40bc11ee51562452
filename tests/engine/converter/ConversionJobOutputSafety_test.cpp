// A user's files through conversions that fail, stop or collide: an
// existing output survives until its task ends well, an input is never the
// output, two tasks never share one output, a full disk is a failure, and
// the clean-up removes nothing the job did not make.
#include "ConverterTestSupport.h"
#include "engine/converter/OutputTarget.h"
#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace engine;
using namespace testsupport;
using namespace convertertest;

namespace {

namespace fs = std::filesystem;

class FFmpegOutputSafetyTest : public TComponentRunTest {
protected:
    static void SetUpTestSuite()
    {
        Media = std::make_unique<TTempDir>();
        ASSERT_TRUE(MakeMedia(Media->File("tone.wav"), "-f lavfi -i sine=frequency=440:duration=1 -ac 2 -ar 44100"));
        ASSERT_TRUE(MakeMedia(Media->File("clip.mkv"), "-f lavfi -i testsrc=size=160x120:rate=25:duration=1 "
                                                       "-f lavfi -i sine=duration=1 -c:v mpeg4 -c:a mp2 -shortest"));
    }
    static void TearDownTestSuite() { Media.reset(); }
    static std::string Input(const char* AName) { return Media->File(AName); }

    // Files of the work folder other than the named ones: temporary files
    // left behind.
    std::vector<std::string> Leftovers(const std::vector<std::string>& AKnown) const
    {
        std::vector<std::string> Found;
        for (const auto& Entry : fs::directory_iterator(Work.Path()))
            if (std::find(AKnown.begin(), AKnown.end(), Entry.path().filename().string()) == AKnown.end())
                Found.push_back(Entry.path().filename().string());
        return Found;
    }

    static std::unique_ptr<TTempDir> Media;
    TTempDir Work;
};

std::unique_ptr<TTempDir> FFmpegOutputSafetyTest::Media;

// A tiny file system of its own, for the full-disk cases; needs the right
// to mount (root).
class TSmallDisk {
public:
    explicit TSmallDisk(const std::string& APath) : FPath(APath)
    {
        FMounted = ::mount("tmpfs", APath.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~TSmallDisk()
    {
        if (FMounted)
            ::umount(FPath.c_str());
    }
    bool Mounted() const { return FMounted; }

private:
    std::string FPath;
    bool FMounted = false;
};

} // namespace

// Setting an output over an existing file, then removing the task or
// clearing the list, leaves the file as it was.
TEST_F(FFmpegOutputSafetyTest, SettingAnOutputTouchesNothing)
{
    const std::string Old = Work.File("old.mp3");
    WriteFile(Old, "precious");
    AddTaskFiles(Input("tone.wav"), Old);
    EXPECT_EQ(ReadFile(Old), "precious");
    Converter.RemoveTask(0);
    AddTaskFiles(Input("tone.wav"), Old);
    Converter.ClearTasks();
    EXPECT_EQ(ReadFile(Old), "precious");
    EXPECT_EQ(Leftovers({"old.mp3"}), std::vector<std::string>{});
}

// A task that fails at its start or is stopped leaves an existing output
// as it was (an empty one too) and no temporary file; one that finishes
// replaces it, keeping its permissions.
TEST_F(FFmpegOutputSafetyTest, AnExistingOutputIsReplacedOnlyWhenTheTaskFinishes)
{
    const struct {
        const char* Name;
        const char* Old;
        const char* Input;
        const char* InputLines;
        const char* Lines;
        bool Stop;
        bool Replaced;
    } Cases[] = {
        {"header refused", "precious", "tone.wav", "", "acodec=pcm_alaw", false, false},
        {"empty file kept", "", "tone.wav", "", "acodec=pcm_alaw", false, false},
        {"stopped", "precious", "clip.mkv", "re=1", "vcodec=mpeg4", true, false},
        {"finished", "precious", "tone.wav", "", "", false, true},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Converter.ClearTasks();
        const std::string Old = Work.File("old.mp4");
        WriteFile(Old, C.Old);
        ASSERT_EQ(::chmod(Old.c_str(), 0640), 0);
        TInputOptions In;
        In.ExtOptions = C.InputLines;
        const int Index = Converter.AddTask(Input(C.Input), &In);
        ASSERT_TRUE(Converter.SetOutputFile(Index, Old, C.Lines)) << Converter.LastErrMsg();
        std::atomic<int> Reports{0};
        Converter.OnProgress = [&](platform::TObject*, PProgressInfo) {
            if (C.Stop && Reports++ == 0)
                Converter.Stop(false);
        };
        Run(1);
        EXPECT_EQ(Ends[0].Finished, C.Replaced) << Ends[0].ExceptionMsg;
        if (C.Replaced) {
            EXPECT_EQ(Probe(Old, "stream=codec_type"), "audio");
            struct stat St {};
            ASSERT_EQ(::stat(Old.c_str(), &St), 0);
            EXPECT_EQ(St.st_mode & 0777, 0640u);
        } else {
            EXPECT_EQ(ReadFile(Old), C.Old);
        }
        EXPECT_EQ(Leftovers({"old.mp4"}), std::vector<std::string>{});
    }
}

// The input as the output, however the path is spelled, is refused at once
// and the input stays whole.
TEST_F(FFmpegOutputSafetyTest, AnInputIsNeverItsTaskOutput)
{
    const std::string Source = Work.File("song.wav");
    WriteFile(Source, ReadFile(Input("tone.wav")));
    fs::create_directory(Work.File("sub"));
    ASSERT_EQ(::symlink(Source.c_str(), Work.File("link.wav").c_str()), 0);
    ASSERT_EQ(::link(Source.c_str(), Work.File("hard.wav").c_str()), 0);
    const std::string Spellings[] = {Source, Work.File("sub/../song.wav"), Work.File("link.wav"),
                                     Work.File("hard.wav"), Work.Path() + "/./song.wav"};
    for (const std::string& Output : Spellings) {
        SCOPED_TRACE(Output);
        Converter.ClearTasks();
        TInputOptions In;
        const int Index = Converter.AddTask(Source, &In);
        ASSERT_GE(Index, 0) << Converter.LastErrMsg();
        EXPECT_FALSE(Converter.SetOutputFile(Index, Output, "acodec=pcm_s16le"));
        EXPECT_EQ(Converter.LastErrMsg(), Output + ": the output file is an input file of the task; it would be destroyed");
        EXPECT_EQ(ReadFile(Source), ReadFile(Input("tone.wav")));
    }
}

// A second task on an output another task holds is refused; the first
// task's result is whole.
TEST_F(FFmpegOutputSafetyTest, TwoTasksNeverShareAnOutput)
{
    const std::string Output = Work.File("one.mp3");
    fs::create_directory(Work.File("sub"));
    AddTaskFiles(Input("tone.wav"), Output);
    // A link to the output, which does not exist yet: writing it would
    // create the output.
    ASSERT_EQ(::symlink(Output.c_str(), Work.File("link.mp3").c_str()), 0);
    for (const std::string& Spelling : {Output, Work.File("sub/../one.mp3"), Work.File("link.mp3")}) {
        TInputOptions In;
        const int Second = Converter.AddTask(Input("clip.mkv"), &In);
        EXPECT_FALSE(Converter.SetOutputFile(Second, Spelling, ""));
        EXPECT_EQ(Converter.LastErrMsg(), Spelling + ": task 0 already writes this output file");
        Converter.RemoveTask(Second);
    }
    Run(2);
    ASSERT_TRUE(Ends[0].Finished) << Ends[0].ExceptionMsg;
    EXPECT_NEAR(ProbeDuration(Output), 1.0, 0.05);
}

// An output on the input of another task of the list, however either is
// spelled, is refused when it is set: the input would be replaced before
// (or while) its own task reads it, and both would report success. What is
// left of the list runs, every input stays whole and the output reads clean.
TEST_F(FFmpegOutputSafetyTest, AnOutputIsNeverAnotherTasksInput)
{
    const std::string Tone = ReadFile(Input("tone.wav"));
    const std::string A = Work.File("a.wav"), X = Work.File("x.wav"), S = Work.File("s.wav"), T = Work.File("t.wav");
    const std::string LinkToX = Work.File("link-to-x.wav"), Mp3 = Work.File("y.mp3");
    fs::create_directory(Work.File("sub"));
    for (const std::string& Name : {A, X, S, T})
        WriteFile(Name, Tone);
    ASSERT_EQ(::symlink(X.c_str(), LinkToX.c_str()), 0);
    const struct {
        const char* Name;
        std::string FirstIn, FirstOut, SecondIn, SecondOut, Message;
    } Cases[] = {
        {"x.wav -> y.mp3, then a.wav -> x.wav through a link", X, Mp3, A, LinkToX,
         LinkToX + ": the output file is the input file " + X + " of task 0; it would be destroyed"},
        {"s.wav -> t.wav, then t.wav -> s.wav (a swap)", S, T, T, Work.File("sub/../s.wav"),
         Work.File("sub/../s.wav") + ": the output file is the input file " + S + " of task 0; it would be destroyed"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Converter.ClearTasks();
        AddTaskFiles(C.FirstIn, C.FirstOut, C.FirstOut == T ? "acodec=pcm_s16le" : "");
        TInputOptions In;
        const int Second = Converter.AddTask(C.SecondIn, &In);
        ASSERT_GE(Second, 0) << Converter.LastErrMsg();
        EXPECT_FALSE(Converter.SetOutputFile(Second, C.SecondOut, "acodec=pcm_s16le"));
        EXPECT_EQ(Converter.LastErrMsg(), C.Message);
        Converter.RemoveTask(Second);
        Run(1);
        ASSERT_TRUE(Ends[0].Finished) << Ends[0].ExceptionMsg;
        for (const std::string& Name : {A, X, S})
            EXPECT_EQ(ReadFile(Name), Tone) << Name;
        EXPECT_NEAR(ProbeDuration(C.FirstOut), 1.0, 0.05);
        EXPECT_EQ(DecodeErrors(C.FirstOut), "");
        WriteFile(T, Tone);
        fs::remove(Mp3);
    }
}

// An input added after the output that would replace it, to another task
// or to the same one, fails the writing task at the start, naming both
// files; the other task converts its input, which stays whole.
TEST_F(FFmpegOutputSafetyTest, AnOutputOnAnInputAddedLaterFailsItsTaskAtTheStart)
{
    const std::string Tone = ReadFile(Input("tone.wav"));
    const std::string A = Work.File("a.wav"), X = Work.File("x.wav"), LinkToX = Work.File("link-to-x.wav");
    const std::string Mp3 = Work.File("y.mp3");
    WriteFile(A, Tone);
    WriteFile(X, Tone);
    ASSERT_EQ(::symlink(X.c_str(), LinkToX.c_str()), 0);
    for (const bool SameTask : {false, true})
        for (const int Threads : {0, 2}) {
            SCOPED_TRACE(std::string(SameTask ? "the same task" : "another task") + ", threads " +
                         std::to_string(Threads));
            Converter.ClearTasks();
            AddTaskFiles(A, X, "acodec=pcm_s16le");
            if (SameTask) {
                ASSERT_TRUE(Converter.AddInputFile(0, LinkToX, static_cast<TInputOptions*>(nullptr)))
                    << Converter.LastErrMsg();
            } else {
                AddTaskFiles(LinkToX, Mp3);
            }
            Run(Threads);
            ASSERT_EQ(Ends.size(), SameTask ? 1u : 2u);
            EXPECT_FALSE(Ends[0].Finished);
            EXPECT_TRUE(Ends[0].Exception);
            EXPECT_EQ(Ends[0].ExceptionMsg, X + ": the output file is the input file " + LinkToX + " of task " +
                                                (SameTask ? "0" : "1") + "; it would be destroyed");
            EXPECT_EQ(ReadFile(X), Tone);
            if (!SameTask) {
                EXPECT_TRUE(Ends[1].Finished) << Ends[1].ExceptionMsg;
                EXPECT_NEAR(ProbeDuration(Mp3), 1.0, 0.05);
                EXPECT_EQ(DecodeErrors(Mp3), "");
            }
        }
}

// A name that comes to lead to another task's input after the list was
// built (a link pointed elsewhere) fails that task at the start, naming
// both files; the reading task converts its input, which stays whole.
TEST_F(FFmpegOutputSafetyTest, ALinkTurnedOntoAnInputFailsItsWriterAtTheStart)
{
    const std::string Tone = ReadFile(Input("tone.wav"));
    const std::string Source = Work.File("source.wav"), Elsewhere = Work.File("elsewhere.wav");
    const std::string Link = Work.File("link.wav"), Mp3 = Work.File("out.mp3");
    WriteFile(Source, Tone);
    ASSERT_EQ(::symlink(Elsewhere.c_str(), Link.c_str()), 0);
    for (const int Threads : {0, 2}) {
        SCOPED_TRACE(Threads);
        Converter.ClearTasks();
        fs::remove(Link);
        ASSERT_EQ(::symlink(Elsewhere.c_str(), Link.c_str()), 0);
        AddTaskFiles(Source, Mp3);
        AddTaskFiles(Input("tone.wav"), Link, "acodec=pcm_s16le");
        fs::remove(Link);
        ASSERT_EQ(::symlink(Source.c_str(), Link.c_str()), 0);
        Run(Threads);
        ASSERT_EQ(Ends.size(), 2u);
        EXPECT_TRUE(Ends[0].Finished) << Ends[0].ExceptionMsg;
        EXPECT_FALSE(Ends[1].Finished);
        EXPECT_TRUE(Ends[1].Exception);
        EXPECT_EQ(Ends[1].ExceptionMsg,
                  Link + ": the output file is the input file " + Source + " of task 0; it would be destroyed");
        EXPECT_EQ(ReadFile(Source), Tone);
        EXPECT_FALSE(fs::exists(Elsewhere));
        EXPECT_EQ(DecodeErrors(Mp3), "");
        EXPECT_NEAR(ProbeDuration(Mp3), 1.0, 0.05);
    }
}

// A full disk fails the task with the system's words and the file's name;
// an existing output there stays as it was.
TEST_F(FFmpegOutputSafetyTest, AFullDiskIsAFailure)
{
    const std::string Mount = Work.File("disk");
    fs::create_directory(Mount);
    TSmallDisk Disk(Mount);
    if (!Disk.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here (needs root)";
    for (const bool Existing : {false, true}) {
        SCOPED_TRACE(Existing);
        Converter.ClearTasks();
        const std::string Output = Mount + "/big.wav";
        if (Existing)
            WriteFile(Output, "precious");
        AddTaskFiles(Input("tone.wav"), Output, "acodec=pcm_s16le");
        Run(1);
        EXPECT_FALSE(Ends[0].Finished);
        EXPECT_TRUE(Ends[0].Exception);
        EXPECT_EQ(Ends[0].ExceptionMsg, Output + ": No space left on device");
        if (Existing) {
            EXPECT_EQ(ReadFile(Output), "precious");
        }
        std::vector<std::string> Files;
        for (const auto& Entry : fs::directory_iterator(Mount))
            Files.push_back(Entry.path().filename().string());
        // A failed task leaves nothing it made: neither a file it created
        // nor a replacement in the making.
        EXPECT_EQ(Files, Existing ? std::vector<std::string>{"big.wav"} : std::vector<std::string>{});
    }
}

// Writing to a device node: the clean-up leaves the node alone.
TEST_F(FFmpegOutputSafetyTest, TheCleanUpRemovesOnlyFilesTheJobMade)
{
    const std::string Node = Work.File("null.wav");
    if (::mknod(Node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "cannot make a device node here (needs root)";
    AddTaskFiles(Input("tone.wav"), Node, "acodec=pcm_s16le");
    Run(1);
    EXPECT_TRUE(Ends[0].Finished) << Ends[0].ExceptionMsg;
    struct stat St {};
    ASSERT_EQ(::stat(Node.c_str(), &St), 0);
    EXPECT_TRUE(S_ISCHR(St.st_mode));
}

// The output's folder removed or moved while the task writes: the task
// fails naming its output, and nothing it wrote is left in the moved folder
// (an existing output there stays as it was).
TEST_F(FFmpegOutputSafetyTest, AnOutputFolderThatGoesDuringTheRunFailsTheTask)
{
    for (const bool Existing : {false, true})
        for (const bool Removed : {true, false}) {
            SCOPED_TRACE(std::string(Existing ? "replacing" : "new") + (Removed ? ", removed" : ", moved"));
            Converter.ClearTasks();
            fs::remove_all(Work.File("moved"));
            fs::create_directory(Work.File("out"));
            const std::string Output = Work.File("out/clip.mp4");
            if (Existing)
                WriteFile(Output, "precious");
            TInputOptions In;
            In.ExtOptions = "re=1";
            const int Index = Converter.AddTask(Input("clip.mkv"), &In);
            ASSERT_TRUE(Converter.SetOutputFile(Index, Output, "vcodec=mpeg4")) << Converter.LastErrMsg();
            bool Gone = false;
            Converter.OnProgress = [&](platform::TObject*, PProgressInfo) {
                if (!Gone && Removed)
                    fs::remove_all(Work.File("out"));
                else if (!Gone)
                    fs::rename(Work.File("out"), Work.File("moved"));
                Gone = true;
            };
            Run(1);
            ASSERT_TRUE(Gone);
            EXPECT_FALSE(Ends[0].Finished);
            EXPECT_TRUE(Ends[0].Exception);
            EXPECT_EQ(Ends[0].ExceptionMsg, Output + ": No such file or directory");
            EXPECT_FALSE(fs::exists(Work.File("out")));
            if (!Removed) {
                std::vector<std::string> Files;
                for (const auto& Entry : fs::directory_iterator(Work.File("moved")))
                    Files.push_back(Entry.path().filename().string());
                EXPECT_EQ(Files, Existing ? std::vector<std::string>{"clip.mp4"} : std::vector<std::string>{});
                if (Existing) {
                    EXPECT_EQ(ReadFile(Work.File("moved/clip.mp4")), "precious");
                }
            }
        }
}

// A replacement in the making has no name in the folder, so no temporary
// file can outlive the process, whatever ends it.
TEST_F(FFmpegOutputSafetyTest, AReplacementInTheMakingHasNoName)
{
    const std::string Old = Work.File("old.mp4");
    WriteFile(Old, "precious");
    TInputOptions In;
    In.ExtOptions = "re=1";
    const int Index = Converter.AddTask(Input("clip.mkv"), &In);
    ASSERT_TRUE(Converter.SetOutputFile(Index, Old, "vcodec=mpeg4")) << Converter.LastErrMsg();
    std::vector<std::vector<std::string>> Seen;
    Converter.OnProgress = [&](platform::TObject*, PProgressInfo) { Seen.push_back(Leftovers({"old.mp4"})); };
    Run(1);
    ASSERT_TRUE(Ends[0].Finished) << Ends[0].ExceptionMsg;
    ASSERT_FALSE(Seen.empty());
    for (const auto& Files : Seen)
        EXPECT_EQ(Files, std::vector<std::string>{});
    EXPECT_EQ(Probe(Old, "stream=codec_name"), "mpeg4\naac");
}

// Where a file system has no unnamed files, the hidden temporaries of a
// replacement that no living writer holds go before the next one; a
// writer's own, other outputs' and the user's files stay.
TEST_F(FFmpegOutputSafetyTest, StaleTemporariesOfAnOutputGo)
{
    const char* const Stale[] = {".a.mp4.Xy12Zq.partial", ".a.mp4.000000.partial"};
    const char* const Kept[] = {".a.mp4.backup", ".b.mp4.Xy12Zq.partial", ".a.mp4.Xy12Zq.partial.old", "a.mp4"};
    for (const char* Name : Stale)
        WriteFile(Work.File(Name), "left by a writer that died");
    for (const char* Name : Kept)
        WriteFile(Work.File(Name), "someone's");
    WriteFile(Work.File(".a.mp4.Living.partial"), "being written");
    const int Held = ::open(Work.File(".a.mp4.Living.partial").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(Held, LOCK_EX), 0);
    const int Folder = ::open(Work.Path().c_str(), O_RDONLY | O_DIRECTORY);
    EXPECT_EQ(RemoveStaleTemporaries(Folder, "a.mp4"), 2);
    ::close(Folder);
    ::close(Held);
    for (const char* Name : Stale)
        EXPECT_FALSE(fs::exists(Work.File(Name))) << Name;
    for (const char* Name : Kept)
        EXPECT_EQ(ReadFile(Work.File(Name)), "someone's") << Name;
    EXPECT_TRUE(fs::exists(Work.File(".a.mp4.Living.partial")));
}
