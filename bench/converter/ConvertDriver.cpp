// The engine as a program of its own, started like the ffmpeg program so
// that benchmarks time both sides as whole processes: it loads the
// libraries, adds the tasks to the conversion component the way the main
// window does and runs them.
//
//   zarvelo_convert [--threads N] [--options TEXT] [--queue-only] IN OUT [IN OUT ...]
//
// TEXT holds the task's option lines ("name=value", separated by ";").
// --threads runs that many tasks at once (default 1). --queue-only adds the
// tasks, prints the resident memory they hold and ends without running.
// The exit status is 0 only when every task finished. Warnings and errors
// of the engine and the libraries go to standard error as they come.

#include "engine/component/FFConverter.h"
#include "engine/loader/FFmpegLoader.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/MainThread.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using namespace engine;

namespace {

long ResidentKiB()
{
    std::ifstream Status("/proc/self/status");
    std::string Line;
    while (std::getline(Status, Line))
        if (Line.rfind("VmRSS:", 0) == 0)
            return std::atol(Line.c_str() + 6);
    return -1;
}

int Usage()
{
    std::fprintf(stderr, "usage: zarvelo_convert [--threads N] [--options TEXT] [--queue-only] IN OUT [IN OUT ...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    platform::SetMainThread();
    int Threads = 1;
    bool QueueOnly = false;
    std::string Options;
    std::vector<std::string> Files;
    for (int I = 1; I < argc; ++I) {
        const std::string Arg = argv[I];
        if (Arg == "--threads" && I + 1 < argc)
            Threads = std::atoi(argv[++I]);
        else if (Arg == "--options" && I + 1 < argc)
            Options = argv[++I];
        else if (Arg == "--queue-only")
            QueueOnly = true;
        else
            Files.push_back(Arg);
    }
    if (Files.empty() || Files.size() % 2 != 0 || Threads < 1)
        return Usage();
    for (char& C : Options)
        if (C == ';')
            C = '\n';
    if (!GlobalLoader().Load(ConverterLibraries)) {
        std::fprintf(stderr, "%s\n", GlobalLoader().LastErrMsg().c_str());
        return 1;
    }

    GetFFLogger()->SetTriggerEventInMainThread(false);
    GetFFLogger()->SetLogLevel(llWarning);
    GetFFLogger()->SetOnLog([](platform::TObject*, uint32_t, TLogLevel ALevel, const std::string& AMsg) {
        // A task's own verbosity may open the logger wider.
        if (ALevel <= llWarning)
            std::fprintf(stderr, "%s\n", AMsg.c_str());
    });

    int Failed = 0;
    {
        TFFConverter Converter(nullptr);
        std::atomic<bool> Final{false};
        Converter.OnTerminate = [&](platform::TObject*, const TTerminateInfo& AInfo) {
            if (AInfo.TaskIndex < 0) {
                Final = true;
            } else if (!AInfo.Finished) {
                ++Failed;
                std::fprintf(stderr, "task %d: %s\n", AInfo.TaskIndex, AInfo.ExceptionMsg.c_str());
            }
        };
        for (size_t I = 0; I < Files.size(); I += 2) {
            const int Index = Converter.AddTask(Files[I], static_cast<TInputOptions*>(nullptr));
            if (Index < 0 || !Converter.SetOutputFile(Index, Files[I + 1], Options)) {
                std::fprintf(stderr, "%s: %s\n", Files[I].c_str(), Converter.LastErrMsg().c_str());
                return 1;
            }
        }
        if (QueueOnly) {
            std::printf("%ld\n", ResidentKiB());
            return 0;
        }
        Converter.Start(Threads);
        platform::WaitUntilServing([&] { return Final.load(); });
    }
    GlobalLoader().Unload(ConverterLibraries);
    return Failed == 0 ? 0 : 1;
}
