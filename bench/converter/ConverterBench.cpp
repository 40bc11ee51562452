// The converter against Debian's ffmpeg program, both timed as whole
// processes: the engine runs as the small driver zarvelo_convert (beside this
// program), started exactly like ffmpeg, with the same encoder settings and
// each side's default codec threads. Runs alternate between the two sides;
// each case prints the median and the spread of its runs, the ratio of the
// medians (engine / ffmpeg: below 1 the engine is faster), the peak memory
// of one run in a fresh process, and whether the two outputs agree (streams,
// codec parameters, decoded frame counts, duration, checked with ffprobe).
//
//   bench_converter [work folder] [runs per side]   (defaults: a new folder under /tmp, 5)
//
// Further sections: eight tasks in one engine process against eight ffmpeg
// processes at once; the memory a queued task holds before it runs; and the
// peak memory of 5- and 20-minute video conversions.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using TArgs = std::vector<std::string>;

std::string Driver;
std::string Dir;
int Runs = 5;

struct TRun {
    double Seconds = 0;
    long PeakKiB = 0;
    bool Ok = false;
    std::string Output; // standard output, when asked for
};

// Runs a program as a process of its own and measures its wall time and
// its peak resident memory.
TRun Run(const TArgs& AArgs, bool ACaptureOutput = false)
{
    int Pipe[2] = {-1, -1};
    if (ACaptureOutput && pipe(Pipe) != 0)
        return {};
    const auto Start = std::chrono::steady_clock::now();
    const pid_t Child = fork();
    if (Child == 0) {
        if (ACaptureOutput) {
            dup2(Pipe[1], 1);
            close(Pipe[0]);
            close(Pipe[1]);
        }
        std::vector<char*> Argv;
        for (const std::string& A : AArgs)
            Argv.push_back(const_cast<char*>(A.c_str()));
        Argv.push_back(nullptr);
        execvp(Argv[0], Argv.data());
        _exit(127);
    }
    TRun R;
    if (ACaptureOutput) {
        close(Pipe[1]);
        char Buffer[4096];
        for (ssize_t N; (N = read(Pipe[0], Buffer, sizeof(Buffer))) > 0;)
            R.Output.append(Buffer, size_t(N));
        close(Pipe[0]);
    }
    int Status = 0;
    struct rusage Usage {};
    wait4(Child, &Status, 0, &Usage);
    R.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    R.PeakKiB = Usage.ru_maxrss;
    R.Ok = WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
    return R;
}

TArgs Engine(const std::string& AOptions, const TArgs& AFiles, int AThreads = 1)
{
    TArgs A{Driver, "--threads", std::to_string(AThreads), "--options", AOptions};
    A.insert(A.end(), AFiles.begin(), AFiles.end());
    return A;
}

TArgs FFmpeg(const std::string& AInput, const TArgs& AArgs, const std::string& AOutput)
{
    TArgs A{"ffmpeg", "-nostdin", "-v", "error", "-y", "-i", AInput};
    A.insert(A.end(), AArgs.begin(), AArgs.end());
    A.push_back(AOutput);
    return A;
}

// Several commands at once, each a process: the wall time until the last
// ends, and whether all succeeded.
TRun RunTogether(const std::vector<TArgs>& ACommands)
{
    const auto Start = std::chrono::steady_clock::now();
    std::vector<pid_t> Children;
    for (const TArgs& Args : ACommands) {
        const pid_t Child = fork();
        if (Child == 0) {
            std::vector<char*> Argv;
            for (const std::string& A : Args)
                Argv.push_back(const_cast<char*>(A.c_str()));
            Argv.push_back(nullptr);
            execvp(Argv[0], Argv.data());
            _exit(127);
        }
        Children.push_back(Child);
    }
    TRun R;
    R.Ok = true;
    for (pid_t Child : Children) {
        int Status = 0;
        struct rusage Usage {};
        wait4(Child, &Status, 0, &Usage);
        R.Ok = R.Ok && WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
        R.PeakKiB = std::max(R.PeakKiB, long(Usage.ru_maxrss));
    }
    R.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    return R;
}

struct TStats {
    double Median = 0, Low = 0, High = 0;
    long PeakKiB = 0;
    bool Ok = true;
};

TStats Stats(const std::vector<TRun>& ARuns)
{
    std::vector<double> T;
    TStats S;
    for (const TRun& R : ARuns) {
        T.push_back(R.Seconds);
        S.PeakKiB = std::max(S.PeakKiB, R.PeakKiB);
        S.Ok = S.Ok && R.Ok;
    }
    std::sort(T.begin(), T.end());
    S.Median = T.size() % 2 ? T[T.size() / 2] : (T[T.size() / 2 - 1] + T[T.size() / 2]) / 2;
    S.Low = T.front();
    S.High = T.back();
    return S;
}

std::string LoadAverage()
{
    std::ifstream In("/proc/loadavg");
    std::string A, B, C;
    In >> A >> B >> C;
    return A + " " + B + " " + C;
}

// ffprobe's description of a file's streams: codec, picture size, sample
// rate, channels and decoded frames, one line a stream; and its duration.
std::string Describe(const std::string& AFile, double& ADuration)
{
    const TRun Streams = Run({"ffprobe", "-v", "error", "-count_frames", "-show_entries",
                              "stream=codec_type,codec_name,width,height,sample_rate,channels,nb_read_frames", "-of",
                              "csv=p=0", AFile},
                             true);
    const TRun Format = Run({"ffprobe", "-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", AFile},
                            true);
    ADuration = std::atof(Format.Output.c_str());
    return Streams.Output;
}

std::string Agreement(const std::string& AEngineOut, const std::string& AFFmpegOut)
{
    double DE = 0, DF = 0;
    const std::string E = Describe(AEngineOut, DE), F = Describe(AFFmpegOut, DF);
    if (E.empty())
        return "engine output unreadable";
    if (E != F)
        return "streams differ: engine [" + E + "] ffmpeg [" + F + "]";
    char Text[96];
    std::snprintf(Text, sizeof(Text), "outputs agree (durations %.3f / %.3f s)", DE, DF);
    return Text;
}

struct TCase {
    const char* Name;
    std::string Input;
    std::string EngineOptions;
    TArgs FFmpegArgs;
    const char* Ext;
};

void Compare(const TCase& C)
{
    const std::string EOut = Dir + "/engine." + C.Ext, FOut = Dir + "/ffmpeg." + C.Ext;
    std::vector<TRun> E, F;
    for (int I = 0; I < Runs; ++I) {
        E.push_back(Run(Engine(C.EngineOptions, {C.Input, EOut})));
        F.push_back(Run(FFmpeg(C.Input, C.FFmpegArgs, FOut)));
    }
    const TStats SE = Stats(E), SF = Stats(F);
    std::printf("%-36s engine %7.3f s [%.3f-%.3f] %6ld MiB | ffmpeg %7.3f s [%.3f-%.3f] %6ld MiB | ratio %.3f\n",
                C.Name, SE.Median, SE.Low, SE.High, SE.PeakKiB / 1024, SF.Median, SF.Low, SF.High,
                SF.PeakKiB / 1024, SE.Median / SF.Median);
    std::printf("%-36s %s%s\n", "", SE.Ok && SF.Ok ? "" : "A RUN FAILED; ", Agreement(EOut, FOut).c_str());
}

bool Make(const std::string& AFile, const TArgs& AArgs)
{
    if (std::filesystem::exists(AFile))
        return true;
    TArgs A{"ffmpeg", "-nostdin", "-v", "error", "-y"};
    A.insert(A.end(), AArgs.begin(), AArgs.end());
    A.push_back(AFile);
    return Run(A).Ok;
}

TArgs Clip(const std::string& ASize, int ASeconds)
{
    const std::string D = std::to_string(ASeconds);
    return {"-f", "lavfi", "-i", "testsrc=size=" + ASize + ":rate=25:duration=" + D, "-f", "lavfi", "-i",
            "sine=duration=" + D, "-c:v", "mpeg4", "-q:v", "3", "-c:a", "pcm_s16le", "-shortest"};
}

void Batch(const std::string& AInput)
{
    TArgs EngineFiles;
    std::vector<TArgs> Together;
    for (int I = 0; I < 8; ++I) {
        EngineFiles.push_back(AInput);
        EngineFiles.push_back(Dir + "/batch" + std::to_string(I) + ".mp4");
        Together.push_back(FFmpeg(AInput, {"-threads", "1", "-c:v", "libx264", "-b:v", "1000k", "-c:a", "aac",
                                           "-b:a", "128k"},
                                  Dir + "/ffbatch" + std::to_string(I) + ".mp4"));
    }
    const std::string Options = "vcodec=libx264;b=1000000;acodec=aac;ab=128000";
    std::vector<TRun> One, Eight, Processes;
    for (int I = 0; I < std::max(1, Runs / 2); ++I) {
        Eight.push_back(Run(Engine(Options, EngineFiles, 8)));
        Processes.push_back(RunTogether(Together));
        One.push_back(Run(Engine(Options, EngineFiles, 1)));
    }
    const TStats S1 = Stats(One), S8 = Stats(Eight), SP = Stats(Processes);
    std::printf("8 x 640x480 H.264/AAC, engine 1 task at a time  %7.3f s [%.3f-%.3f]%s\n", S1.Median, S1.Low, S1.High,
                S1.Ok ? "" : " A RUN FAILED");
    std::printf("8 x 640x480 H.264/AAC, engine 8 tasks at once   %7.3f s [%.3f-%.3f]%s\n", S8.Median, S8.Low,
                S8.High, S8.Ok ? "" : " A RUN FAILED");
    std::printf("8 x 640x480 H.264/AAC, 8 ffmpeg processes (-threads 1) %7.3f s [%.3f-%.3f]  ratio %.3f\n",
                SP.Median, SP.Low, SP.High, S8.Median / SP.Median);
    std::printf("%-36s %s\n", "", Agreement(Dir + "/batch0.mp4", Dir + "/ffbatch0.mp4").c_str());
}

void QueuedMemory(const std::string& AInput)
{
    std::printf("Memory held by queued tasks (resident, before the run):\n");
    long One = 0;
    for (const int Tasks : {1, 140}) {
        TArgs Files;
        for (int I = 0; I < Tasks; ++I) {
            Files.push_back(AInput);
            Files.push_back(Dir + "/queued" + std::to_string(I) + ".mp4");
        }
        TArgs Args = Engine("vcodec=libx264;acodec=aac", Files);
        Args.insert(Args.begin() + 1, "--queue-only");
        const TRun R = Run(Args, true);
        const long KiB = std::atol(R.Output.c_str());
        if (Tasks == 1)
            One = KiB;
        std::printf("  %3d task(s): %6ld MiB%s\n", Tasks, KiB / 1024, R.Ok ? "" : " (failed)");
        if (Tasks > 1)
            std::printf("  per further task: %.2f MiB\n", double(KiB - One) / 1024 / (Tasks - 1));
    }
}

void LongVideoMemory()
{
    std::printf("Peak memory of long video conversions (320x240 MPEG-4/PCM -> MPEG-4/MP3 AVI):\n");
    long EngineShort = 0, FFmpegShort = 0;
    for (const int Minutes : {5, 20}) {
        const std::string In = Dir + "/long" + std::to_string(Minutes) + ".mkv";
        if (!Make(In, Clip("320x240", Minutes * 60))) {
            std::printf("  could not make %s\n", In.c_str());
            return;
        }
        const TRun E = Run(Engine("vcodec=mpeg4;b=800000;acodec=libmp3lame;ab=128000", {In, Dir + "/long-e.avi"}));
        const TRun F = Run(FFmpeg(In, {"-c:v", "mpeg4", "-b:v", "800k", "-c:a", "libmp3lame", "-b:a", "128k"},
                                  Dir + "/long-f.avi"));
        std::printf("  %2d min: engine %6ld MiB (%.1f s)  ffmpeg %6ld MiB (%.1f s)", Minutes, E.PeakKiB / 1024,
                    E.Seconds, F.PeakKiB / 1024, F.Seconds);
        if (Minutes == 5) {
            EngineShort = E.PeakKiB;
            FFmpegShort = F.PeakKiB;
            std::printf("\n");
        } else {
            std::printf("  growth over 15 more minutes: engine %.1f MiB, ffmpeg %.1f MiB\n",
                        double(E.PeakKiB - EngineShort) / 1024, double(F.PeakKiB - FFmpegShort) / 1024);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    Driver = (std::filesystem::path(argv[0]).parent_path() / "zarvelo_convert").string();
    Dir = argc > 1 ? argv[1] : "";
    if (argc > 2)
        Runs = std::max(1, std::atoi(argv[2]));
    if (Dir.empty()) {
        char Template[] = "/tmp/converter-bench-XXXXXX";
        Dir = mkdtemp(Template);
    }
    const std::string Tone = Dir + "/tone60.wav", Clip640 = Dir + "/clip640.mkv", Clip720 = Dir + "/clip720.mkv",
                      Short640 = Dir + "/short640.mkv";
    if (!Make(Tone, {"-f", "lavfi", "-i", "sine=frequency=440:duration=60", "-ac", "2", "-ar", "44100"}) ||
        !Make(Clip640, Clip("640x480", 20)) || !Make(Clip720, Clip("1280x720", 20)) ||
        !Make(Short640, Clip("640x480", 5))) {
        std::fprintf(stderr, "could not make the inputs in %s\n", Dir.c_str());
        return 1;
    }
    std::printf("Inputs in %s; %d runs per side; load average %s; %ld processors\n", Dir.c_str(), Runs,
                LoadAverage().c_str(), sysconf(_SC_NPROCESSORS_ONLN));
    const TCase Cases[] = {
        {"60 s WAV -> MP3 128k", Tone, "acodec=libmp3lame;ab=128000", {"-c:a", "libmp3lame", "-b:a", "128k"}, "mp3"},
        {"60 s WAV -> AAC/M4A 128k", Tone, "acodec=aac;ab=128000", {"-c:a", "aac", "-b:a", "128k"}, "m4a"},
        {"20 s 640x480 -> MPEG-4/MP3 AVI", Clip640, "vcodec=mpeg4;b=1000000;acodec=libmp3lame;ab=128000",
         {"-c:v", "mpeg4", "-b:v", "1000k", "-c:a", "libmp3lame", "-b:a", "128k"}, "avi"},
        {"20 s 1280x720 -> H.264/AAC MP4", Clip720, "vcodec=libx264;b=2000000;acodec=aac;ab=128000",
         {"-c:v", "libx264", "-b:v", "2000k", "-c:a", "aac", "-b:a", "128k"}, "mp4"},
    };
    for (const TCase& C : Cases)
        Compare(C);
    Batch(Short640);
    QueuedMemory(Short640);
    LongVideoMemory();
    std::printf("load average at the end %s\n", LoadAverage().c_str());
    return 0;
}
