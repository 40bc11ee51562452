// The converter's own figures: start-up to the first painted main window,
// the GUI thread's share of a core while 8 tasks convert, and adding a
// folder of 100 small media files (with the paints that happened meanwhile).
// Run under a display (Xvfb) with Debian's ffmpeg installed; media and the
// settings go to a temporary folder.
#include "app/forms/Program.h"
#include "app/forms/TaskListView.h"
#include "app/forms/Unit1.h"

#include "platform/core/MainThread.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Paint.h"
#include "platform/x11/X11Backend.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

using namespace platform;

namespace {

using TClock = std::chrono::steady_clock;

double Ms(TClock::time_point AStart)
{
    return std::chrono::duration<double, std::milli>(TClock::now() - AStart).count();
}

double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

bool Run(const std::string& ACommand)
{
    return std::system(ACommand.c_str()) == 0;
}

} // namespace

int main()
{
    if (GetEnvironmentVariable("DISPLAY").empty()) {
        std::fprintf(stderr, "bench_app: needs a display (run it under Xvfb)\n");
        return 2;
    }
    char pattern[] = "/tmp/zarvelo-bench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    SetEnvironmentVariable("HOME", dir);
    SetEnvironmentVariable("SDL_AUDIODRIVER", "dummy");

    // 1. Start-up: display, forms in their order, first paint of the window.
    const auto start = TClock::now();
    InstallX11Backend();
    app::TForm1* form1 = app::ShowProgramForms();
    Application()->ProcessMessages();
    const double startup = Ms(start);
    std::printf("start-up to the first painted main window: %.1f ms\n", startup);

    // 2. Eight tasks converting at once.
    const std::string media = dir + "/media";
    ForceDirectories(media);
    if (!Run("ffmpeg -v error -y -f lavfi -i testsrc=size=320x240:rate=25:duration=30 -f lavfi "
             "-i sine=frequency=440:duration=30 -c:v mpeg4 -c:a pcm_s16le -shortest " + media + "/clip0.mkv")) {
        std::fprintf(stderr, "bench_app: ffmpeg cannot make the clips\n");
        return 1;
    }
    std::vector<std::string> clips;
    for (int i = 0; i < 8; ++i) {
        const std::string clip = media + "/clip" + std::to_string(i) + ".mkv";
        if (i > 0)
            Run("cp " + media + "/clip0.mkv " + clip);
        clips.push_back(clip);
    }
    app::TConversionOptions options;
    options.ThreadCount = 8;
    options.AfterDone = app::TAfterDone::Nothing;
    form1->Workflow().SetOptions(options);
    form1->Workflow().SetCategory(1);
    form1->Workflow().AddFiles(clips);
    const auto runStart = TClock::now();
    const double cpuStart = ThreadCpuMs();
    form1->Workflow().Start();
    while (form1->Workflow().Running())
        Application()->HandleMessage();
    const double wall = Ms(runStart), cpu = ThreadCpuMs() - cpuStart;
    std::printf("8 tasks: %.0f ms; GUI thread %.0f ms of CPU = %.2f %% of one core\n", wall, cpu, 100.0 * cpu / wall);
    form1->Workflow().Clear();

    // 3. A folder of 100 small media files.
    const std::string folder = dir + "/hundred";
    ForceDirectories(folder);
    Run("ffmpeg -v error -y -f lavfi -i sine=frequency=440:duration=1 -c:a pcm_s16le " + folder + "/tone000.wav");
    for (int i = 1; i < 100; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/tone%03d.wav", i);
        Run("cp " + folder + "/tone000.wav " + folder + name);
    }
    // The list fetches a row's texts each time it paints it.
    int paints = 0;
    auto* list = form1->TaskList();
    auto fetch = list->OnData;
    list->OnData = [&](TObject* ASender, TListItem* AItem) {
        ++paints;
        fetch(ASender, AItem);
    };
    const auto addStart = TClock::now();
    form1->Workflow().AddFolder(folder);
    std::printf("adding a folder of 100 files: %.0f ms, %d rows, %d rows painted meanwhile\n", Ms(addStart),
                form1->Workflow().Rows().Count(), paints);

    bool canClose = true;
    form1->FormCloseQuery(canClose);
    Run("rm -rf " + dir);
    return startup < 300.0 ? 0 : 3;
}
