// Converter speed against Debian's ffmpeg program on the same inputs and
// the same codec settings (one codec thread on both sides), and the
// component's throughput with several tasks at once.
//
//   bench_converter [work folder]   (default: a new folder under /tmp)
//
// Prints, per case, the engine's time, ffmpeg's time and the ratio
// engine/ffmpeg; for the batch, the time and speed-up per thread count; and
// the process's peak memory before and after a four times longer input.

#include "engine/component/FFConverter.h"
#include "engine/converter/FFmpeg.h"
#include "engine/loader/FFmpegLoader.h"
#include "platform/core/MainThread.h"

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

using namespace engine;

namespace {

using TOptions = std::vector<std::pair<std::string, std::string>>;

std::string Quote(const std::string& AText)
{
    std::string Out = "'";
    for (char C : AText)
        Out += C == '\'' ? std::string("'\\''") : std::string(1, C);
    return Out + "'";
}

double Seconds(std::chrono::steady_clock::time_point AStart)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - AStart).count();
}

bool Shell(const std::string& ACommand)
{
    return std::system(ACommand.c_str()) == 0;
}

// Debian's ffmpeg with one codec thread for decoding and encoding.
double TimeFFmpeg(const std::string& AInput, const std::string& AArgs, const std::string& AOutput)
{
    const auto Start = std::chrono::steady_clock::now();
    if (!Shell("ffmpeg -nostdin -v error -y -threads 1 -i " + Quote(AInput) + " -threads 1 " + AArgs + " " +
               Quote(AOutput)))
        std::fprintf(stderr, "ffmpeg failed for %s\n", AOutput.c_str());
    return Seconds(Start);
}

double TimeEngine(const std::string& AInput, const TOptions& AOptions, const std::string& AOutput)
{
    const auto Start = std::chrono::steady_clock::now();
    TCustomFFmpeg Job(1);
    Job.ResetJob();
    if (!Job.OpenInputFile(AInput)) {
        std::fprintf(stderr, "engine: %s\n", Job.LastErrMsg().c_str());
        return 0;
    }
    for (const auto& [Name, Value] : AOptions)
        Job.DispatchOption(Name, Value);
    if (Job.OpenOutputFile(AOutput, false) < 0) {
        std::fprintf(stderr, "engine: %s\n", Job.LastErrMsg().c_str());
        return 0;
    }
    Job.StartConvert(false, platform::TThreadPriority::tpNormal);
    if (Job.FatalException())
        std::fprintf(stderr, "engine: %s\n", Job.FatalMessage().c_str());
    return Seconds(Start);
}

// Processor seconds the whole process has used so far.
double CpuSeconds()
{
    struct rusage Usage {};
    getrusage(RUSAGE_SELF, &Usage);
    return double(Usage.ru_utime.tv_sec + Usage.ru_stime.tv_sec) +
           double(Usage.ru_utime.tv_usec + Usage.ru_stime.tv_usec) / 1e6;
}

long PeakKiB()
{
    struct rusage Usage {};
    getrusage(RUSAGE_SELF, &Usage);
    return Usage.ru_maxrss;
}

struct TCase {
    const char* Name;
    std::string Input;
    TOptions Engine;
    const char* FFmpegArgs;
    const char* Ext;
};

// Best of three runs on each side, so that a passing load on the machine
// weighs less.
void RunCase(const std::string& ADir, const TCase& C)
{
    double E = 1e9, F = 1e9;
    for (int I = 0; I < 3; ++I) {
        E = std::min(E, TimeEngine(C.Input, C.Engine, ADir + "/engine." + C.Ext));
        F = std::min(F, TimeFFmpeg(C.Input, C.FFmpegArgs, ADir + "/ffmpeg." + C.Ext));
    }
    std::printf("%-34s engine %7.3f s  ffmpeg %7.3f s  ratio %.3f\n", C.Name, E, F, E / F);
}

// The batch's wall time; ACores gets the processor time it used divided by
// the wall time (how many cores it kept busy on average).
double RunBatch(const std::string& ADir, const std::vector<std::string>& AInputs, int AThreads, double& ACores)
{
    TFFConverter Converter(nullptr);
    std::atomic<bool> Final{false};
    int Failed = 0;
    Converter.OnTerminate = [&](platform::TObject*, const TTerminateInfo& AInfo) {
        if (AInfo.TaskIndex < 0)
            Final = true;
        else if (!AInfo.Finished)
            ++Failed;
    };
    for (size_t I = 0; I < AInputs.size(); ++I) {
        const int Index = Converter.AddTask(AInputs[I], static_cast<TInputOptions*>(nullptr));
        Converter.SetOutputFile(Index, ADir + "/batch" + std::to_string(I) + ".mp3", "acodec=libmp3lame\nab=128000");
    }
    const auto Start = std::chrono::steady_clock::now();
    const double Cpu = CpuSeconds();
    Converter.Start(AThreads);
    platform::WaitUntilServing([&] { return Final.load(); });
    const double Time = Seconds(Start);
    ACores = (CpuSeconds() - Cpu) / Time;
    if (Failed)
        std::fprintf(stderr, "batch: %d tasks failed\n", Failed);
    return Time;
}

} // namespace

int main(int argc, char** argv)
{
    platform::SetMainThread();
    std::string Dir = argc > 1 ? argv[1] : "";
    if (Dir.empty()) {
        char Template[] = "/tmp/converter-bench-XXXXXX";
        Dir = mkdtemp(Template);
    }
    if (!GlobalLoader().Load(ConverterLibraries)) {
        std::fprintf(stderr, "%s\n", GlobalLoader().LastErrMsg().c_str());
        return 1;
    }
    const std::string Make = "ffmpeg -nostdin -v error -y ";
    const std::string Tone = Dir + "/tone60.wav", Long = Dir + "/tone240.wav", Clip = Dir + "/clip640.mkv";
    if (!Shell(Make + "-f lavfi -i sine=frequency=440:duration=60 -ac 2 -ar 44100 " + Quote(Tone)) ||
        !Shell(Make + "-f lavfi -i sine=frequency=440:duration=240 -ac 2 -ar 44100 " + Quote(Long)) ||
        !Shell(Make + "-f lavfi -i testsrc=size=640x480:rate=25:duration=20 -f lavfi -i sine=duration=20 "
                      "-c:v mpeg4 -q:v 2 -c:a pcm_s16le -shortest " + Quote(Clip))) {
        std::fprintf(stderr, "could not make the inputs in %s\n", Dir.c_str());
        return 1;
    }
    std::printf("Inputs in %s\n", Dir.c_str());
    const TCase Cases[] = {
        {"60 s WAV -> MP3 128k", Tone, {{"acodec", "libmp3lame"}, {"ab", "128000"}}, "-c:a libmp3lame -b:a 128k", "mp3"},
        {"60 s WAV -> AAC/M4A 128k", Tone, {{"acodec", "aac"}, {"ab", "128000"}}, "-c:a aac -b:a 128k", "m4a"},
        {"20 s 640x480 -> MPEG-4/MP3 AVI", Clip,
         {{"vcodec", "mpeg4"}, {"b", "1000000"}, {"acodec", "libmp3lame"}, {"ab", "128000"}},
         "-c:v mpeg4 -b:v 1000k -c:a libmp3lame -b:a 128k", "avi"},
        {"20 s 640x480 -> H.264/AAC MP4", Clip,
         {{"vcodec", "libx264"}, {"preset", "veryfast"}, {"crf", "23"}, {"acodec", "aac"}, {"ab", "128000"}},
         "-c:v libx264 -preset veryfast -crf 23 -c:a aac -b:a 128k", "mp4"},
    };
    for (const TCase& C : Cases)
        RunCase(Dir, C);

    // Eight MP3 encodes: the component on 1, 2, 4 and 8 threads against
    // eight ffmpeg runs one after another.
    std::vector<std::string> Batch(8, Tone);
    const auto Start = std::chrono::steady_clock::now();
    for (int I = 0; I < 8; ++I)
        TimeFFmpeg(Tone, "-c:a libmp3lame -b:a 128k", Dir + "/ffbatch" + std::to_string(I) + ".mp3");
    const double Serial = Seconds(Start);
    std::printf("8 x MP3, ffmpeg one after another   %7.3f s\n", Serial);
    // The same eight as eight processes at once: what the machine gives to
    // eight independent encodes just now, the yardstick for the threads.
    std::string All;
    for (int I = 0; I < 8; ++I)
        All += "ffmpeg -nostdin -v error -y -threads 1 -i " + Quote(Tone) + " -threads 1 -c:a libmp3lame -b:a 128k " +
               Quote(Dir + "/ffpar" + std::to_string(I) + ".mp3") + " & ";
    const auto ParallelStart = std::chrono::steady_clock::now();
    Shell(All + "wait");
    const double Parallel = Seconds(ParallelStart);
    std::printf("8 x MP3, ffmpeg 8 processes at once %7.3f s  speed-up %.2f\n", Parallel, Serial / Parallel);
    double One = 0;
    for (const int Threads : {1, 2, 4, 8}) {
        double Cores = 0;
        const double T = RunBatch(Dir, Batch, Threads, Cores);
        if (Threads == 1)
            One = T;
        std::printf("8 x MP3, component on %d thread(s)   %7.3f s  speed-up %.2f  ratio to ffmpeg %.3f  cores busy %.2f\n",
                    Threads, T, One / T, T / Serial, Cores);
    }

    // Memory: a four times longer input must not raise the peak.
    const long Before = PeakKiB();
    TimeEngine(Long, {{"acodec", "libmp3lame"}, {"ab", "128000"}}, Dir + "/long.mp3");
    std::printf("Peak memory: %ld KiB before, %ld KiB after a 240 s MP3 encode\n", Before, PeakKiB());
    GlobalLoader().Unload(ConverterLibraries);
    return 0;
}
