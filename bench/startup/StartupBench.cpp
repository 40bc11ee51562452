// Start-up of the converter as a user meets it: the built program started
// on a private Xvfb, timed from the start of its process to its main window
// mapped and to the last picture put into that window before it goes quiet.
// A trivial X client (bench_x_floor) painting a window of the same size is
// timed the same way as the floor under which no program can start. "puts"
// is the median count of pictures put into the main window until it went
// quiet: a window drawn once shows no flicker on its way.
//   bench_startup [runs [other-build...]]     (10 runs unless told)
// Other builds of the program (paths to their zarvelo) are timed beside
// this one, run for run in turn, so a busy machine weighs on each alike.
// Each run gets a fresh process; one start of each program before the runs
// fills the caches and writes its settings, as a user's earlier start
// would have. Figures are wall-clock and depend on the machine's load: the
// load average is printed beside them.
#include "XRequestRecorder.h"

#include "program/ProgramProcesses.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace startupbench;
using programtest::EndProcessGroup;
using programtest::Spawn;

namespace {

// A window counts as painted once nothing has been put into the program's
// windows for this long.
constexpr auto Quiet = std::chrono::milliseconds(1000);
constexpr auto GiveUp = std::chrono::seconds(30);

struct TStart {
    double MappedMs = 0;
    double PaintedMs = 0;
    double CpuMs = 0;     // the process's run time, all threads, when it went quiet
    int Puts = 0;         // pictures put into the main window until then
    int Width = 0, Height = 0;
};

double Ms(TClock::duration ADuration) { return std::chrono::duration<double, std::milli>(ADuration).count(); }

// Run time of every thread of APid so far, from the scheduler's own account.
double CpuMs(pid_t APid)
{
    double ns = 0;
    std::error_code error;
    for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(APid) + "/task", error)) {
        std::ifstream in(task.path() / "schedstat");
        double onCpu = 0;
        if (in >> onCpu)
            ns += onCpu;
    }
    return ns / 1e6;
}

std::string LoadAverage()
{
    std::ifstream in("/proc/loadavg");
    double one = 0, five = 0, fifteen = 0;
    in >> one >> five >> fifteen;
    char text[64];
    std::snprintf(text, sizeof text, "%.2f %.2f %.2f", one, five, fifteen);
    return text;
}

// Starts ACommand and waits for its first managed window to be mapped,
// painted and quiet; false when it did not show one in time.
bool TimeStart(TXRequestRecorder& ARecorder, const std::vector<std::string>& ACommand, const std::vector<std::string>& AEnv,
               const std::string& AFolder, const std::string& ALog, TStart& AStart, std::string& AError)
{
    // Whatever an earlier run left on its way is not this run's.
    ARecorder.Poll(std::chrono::milliseconds(0));
    ARecorder.Clear();
    const TClock::time_point start = TClock::now();
    const pid_t pid = Spawn(ACommand, AEnv, AFolder, ALog);
    if (!pid) {
        AError = "cannot start " + ACommand[0];
        return false;
    }
    unsigned long main = 0;
    bool ok = false;
    for (;;) {
        ARecorder.Poll(std::chrono::milliseconds(20));
        const TClock::time_point now = TClock::now();
        if (now - start > GiveUp) {
            AError = ACommand[0] + " showed no painted window within 30 s (see " + ALog + ")";
            break;
        }
        if (!programtest::Alive(pid)) {
            AError = ACommand[0] + " ended before its window went quiet (see " + ALog + ")";
            break;
        }
        if (!main)
            main = ARecorder.FirstManagedWindow();
        if (!main)
            continue;
        TClock::time_point mapped{}, painted{}, lastPut{};
        int puts = 0;
        for (const TRecordedRequest& r : ARecorder.Requests()) {
            if (r.Kind == TRecordedRequest::Map && r.Window == main && mapped == TClock::time_point{})
                mapped = r.At;
            if (r.Kind == TRecordedRequest::PutImage) {
                lastPut = r.At;
                if (r.Window == main) {
                    painted = r.At;
                    ++puts;
                }
            }
        }
        if (painted == TClock::time_point{} || now - lastPut < Quiet)
            continue;
        AStart.MappedMs = Ms(mapped - start);
        AStart.PaintedMs = Ms(painted - start);
        AStart.CpuMs = CpuMs(pid);
        AStart.Puts = puts;
        ARecorder.WindowSize(main, AStart.Width, AStart.Height);
        ok = true;
        break;
    }
    EndProcessGroup(pid, 5);
    return ok;
}

struct TFigures {
    double Min = 0, Median = 0, Max = 0;
};

TFigures FiguresOf(std::vector<double> AValues)
{
    std::sort(AValues.begin(), AValues.end());
    const size_t n = AValues.size();
    const double median = n % 2 ? AValues[n / 2] : (AValues[n / 2 - 1] + AValues[n / 2]) / 2;
    return {AValues.front(), median, AValues.back()};
}

void PrintRow(const std::string& AName, const std::vector<TStart>& AStarts)
{
    std::vector<double> mapped, painted, cpu, puts;
    for (const TStart& s : AStarts) {
        mapped.push_back(s.MappedMs);
        painted.push_back(s.PaintedMs);
        cpu.push_back(s.CpuMs);
        puts.push_back(s.Puts);
    }
    const TFigures m = FiguresOf(mapped), p = FiguresOf(painted), c = FiguresOf(cpu);
    std::printf("%-12s %7.1f / %6.1f / %6.1f    %7.1f / %6.1f / %6.1f    %7.1f / %6.1f / %6.1f    %4.0f\n", AName.c_str(),
                m.Min, m.Median, m.Max, p.Min, p.Median, p.Max, c.Min, c.Median, c.Max, FiguresOf(puts).Median);
}

// A program to time and where it runs: a copy of its folder, as the
// program scenarios run it, since its settings are written beside it.
struct TSubject {
    std::string Name;
    std::vector<std::string> Command;
    std::string Folder;
    std::vector<TStart> Starts;
    std::string Built; // where it was copied from
};

TSubject CopyProgram(const std::string& AName, const fs::path& ABuilt, const std::string& AFolder)
{
    fs::create_directories(AFolder);
    fs::copy_file(ABuilt, AFolder + "/zarvelo");
    for (const char* part : {"help", "sounds"})
        if (fs::exists(ABuilt.parent_path() / part))
            fs::copy(ABuilt.parent_path() / part, AFolder + "/" + part, fs::copy_options::recursive);
    return {AName, {AFolder + "/zarvelo"}, AFolder, {}, ABuilt.string()};
}

// The runs on display ADisplay; false after printing what failed.
bool Measure(int ARuns, const std::string& ADisplay, const std::string& ARoot, std::vector<TSubject>& APrograms)
{
    TXRequestRecorder recorder;
    std::string error;
    if (!recorder.Open(ADisplay, error)) {
        std::fprintf(stderr, "bench_startup: %s\n", error.c_str());
        return false;
    }
    const std::string home = ARoot + "/home";
    fs::create_directories(home + "/.config");
    std::vector<std::string> env = programtest::SessionEnvironment(ADisplay, home);
    env.push_back("SDL_AUDIODRIVER=dummy");
    const std::string log = ARoot + "/program.log";
    TStart s;
    bool ok = true;
    for (TSubject& p : APrograms)
        ok = ok && TimeStart(recorder, p.Command, env, p.Folder, log, s, error);
    for (int i = 0; ok && i < ARuns; ++i)
        for (TSubject& p : APrograms)
            if ((ok = ok && TimeStart(recorder, p.Command, env, p.Folder, log, s, error)))
                p.Starts.push_back(s);
    TSubject floor{"X floor", {ZARVELO_X_FLOOR, std::to_string(s.Width), std::to_string(s.Height)}, ARoot, {}, ""};
    for (int i = 0; ok && i < ARuns; ++i)
        if ((ok = TimeStart(recorder, floor.Command, env, floor.Folder, log, s, error)))
            floor.Starts.push_back(s);
    if (!ok) {
        std::fprintf(stderr, "bench_startup: %s\n", error.c_str());
        return false;
    }
    std::printf("start-up on a private Xvfb, %d starts each (min / median / max, ms); load average %s\n", ARuns,
                LoadAverage().c_str());
    std::printf("%-12s %-29s    %-29s    %-29s    %s\n", "", "start to mapped", "start to painted", "CPU time when quiet",
                "puts");
    for (const TSubject& p : APrograms)
        PrintRow(p.Name, p.Starts);
    PrintRow(floor.Name, floor.Starts);
    std::printf("main window %d x %d; the floor client puts one image of that size\n", s.Width, s.Height);
    for (const TSubject& p : APrograms)
        std::printf("%s: %s\n", p.Name.c_str(), p.Built.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    char pattern[] = "/tmp/zarvelo-startup-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::fprintf(stderr, "bench_startup: cannot make a temporary folder\n");
        return 1;
    }
    const std::string root = pattern;
    std::vector<TSubject> programs{CopyProgram("zarvelo", ZARVELO_PROGRAM, root + "/app")};
    for (int i = 2; i < argc; ++i)
        programs.push_back(CopyProgram("other " + std::to_string(i - 1), argv[i], root + "/other" + std::to_string(i - 1)));

    int number = 0;
    std::string error;
    const pid_t xvfb = programtest::StartXvfb(root + "/xvfb.log", number, error);
    bool ok = false;
    if (!xvfb)
        std::fprintf(stderr, "bench_startup: %s\n", error.c_str());
    else
        ok = Measure(runs, ":" + std::to_string(number), root, programs);
    EndProcessGroup(xvfb, 5);
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return ok ? 0 : 1;
}
