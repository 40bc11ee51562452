#include "program/ProgramSession.h"

#include "program/ProgramProcesses.h"
#include "support/TestSupport.h"
#include "support/XScreenPng.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace programtest {

namespace fs = std::filesystem;

namespace {

// Sanitized builds run the program several times slower: every wait is
// that much longer there.
int Scaled(int ASeconds)
{
#ifdef ZARVELO_SANITIZED
    return ASeconds * 4;
#else
    return ASeconds;
#endif
}

// Windows go away while the session looks at them: not a failure.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

std::string TestName()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "session";
    for (char& c : name)
        if (c == '/')
            c = '_';
    return name;
}

} // namespace

std::string DeskName(TDesk ADesk)
{
    switch (ADesk) {
    case TDesk::Bare: return "bare";
    case TDesk::Openbox: return "openbox";
    case TDesk::OpenboxCompositor: return "openbox_compositor";
    case TDesk::OpenboxPicom: return "openbox_picom";
    }
    return "?";
}

std::string DeskParamName(const ::testing::TestParamInfo<TDesk>& AInfo) { return DeskName(AInfo.param); }

TProgramSession::TProgramSession(TDesk ADesk) : FDesk(ADesk)
{
    char pattern[] = "/tmp/zarvelo-program-XXXXXX";
    FRoot = mkdtemp(pattern) ? pattern : "";
    FProgramFolder = FRoot + "/app";
    FHome = FRoot + "/home";
    fs::create_directories(FHome + "/.config");
    fs::create_directories(FRoot + "/media");
    // A copy of the program's folder: option.ini is written beside the program.
    const fs::path built = ZARVELO_PROGRAM;
    fs::create_directories(FProgramFolder);
    fs::copy_file(built, FProgramFolder + "/zarvelo");
    for (const char* folder : {"help", "sounds"})
        if (fs::exists(built.parent_path() / folder))
            fs::copy(built.parent_path() / folder, FProgramFolder + "/" + folder, fs::copy_options::recursive);
    FShotFolder = fs::absolute(fs::path("screenshots") / TestName()).string();
    fs::remove_all(FShotFolder);
    fs::create_directories(FShotFolder);
}

TProgramSession::~TProgramSession()
{
    StopProgram();
    if (FDpy)
        XCloseDisplay(FDpy);
    EndProcessGroup(FCompositor, 3);
    EndProcessGroup(FWindowManager, 3);
    EndProcessGroup(FXvfb, 3);
    std::error_code ignored;
    fs::remove_all(FRoot, ignored);
}

std::string TProgramSession::Media(const std::string& AName) const
{
    return AName.empty() ? FRoot + "/media" : FRoot + "/media/" + AName;
}

std::string TProgramSession::DefaultOutputFolder() const { return FHome + "/Zarvelo视频软件/输出"; }

void TProgramSession::MakeTone(const std::string& AName, double ASeconds)
{
    ASSERT_TRUE(testsupport::MakeMedia(Media(AName), "-f lavfi -i sine=frequency=440:duration=" + std::to_string(ASeconds)))
        << AName;
}

void TProgramSession::MakeBars(const std::string& AName, double ASeconds)
{
    const std::string seconds = std::to_string(ASeconds);
    ASSERT_TRUE(testsupport::MakeMedia(Media(AName), "-f lavfi -i testsrc=size=160x120:rate=10:duration=" + seconds +
                                                         " -f lavfi -i sine=frequency=440:duration=" + seconds +
                                                         " -pix_fmt yuv420p -shortest"))
        << AName;
}

::testing::AssertionResult TProgramSession::StartDisplay()
{
    // Servers of other tests come and go beside this one: a display number
    // that cannot be reached after all (a leaving server took its socket
    // file along) is given up for another server.
    std::string error;
    for (int attempt = 0; attempt < 3 && !FDpy; ++attempt) {
        EndProcessGroup(FXvfb, 2);
        int number = -1;
        FXvfb = StartXvfb(FShotFolder + "/xvfb.log", number, error);
        if (!FXvfb)
            continue;
        FDisplayName = ":" + std::to_string(number);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!(FDpy = XOpenDisplay(FDisplayName.c_str())) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!FDpy) {
            error = "cannot open display " + FDisplayName;
            std::ofstream(FShotFolder + "/xvfb.log", std::ios::app) << "(test) " << error << "; trying another server\n";
        }
    }
    if (!FDpy)
        return ::testing::AssertionFailure() << "step \"start Xvfb\": " << error;
    XSetErrorHandler(IgnoreXErrors);
    // A loaded machine can hold the server up between a synthetic key's press
    // and its release for longer than the repeat delay: the key would then be
    // typed twice. Nobody holds a key here, so the private server repeats none.
    XAutoRepeatOff(FDpy);
    XSync(FDpy, False);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult TProgramSession::StartWindowManager()
{
    FWindowManager = Spawn({"openbox", "--sm-disable"}, SessionEnvironment(FDisplayName, FHome), FHome,
                           FShotFolder + "/openbox.log");
    if (!FWindowManager)
        return ::testing::AssertionFailure() << "step \"start openbox\": cannot start openbox";
    const Atom check = XInternAtom(FDpy, "_NET_SUPPORTING_WM_CHECK", False);
    return WaitFor("start openbox", [&] {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(FDpy, DefaultRootWindow(FDpy), check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after,
                           &data);
        if (data)
            XFree(data);
        return count == 1 && Alive(FWindowManager);
    }, 10);
}

::testing::AssertionResult TProgramSession::StartCompositor()
{
    // Both cast no shadows of their own, so any shadow on the screen is the
    // program's; picom with its defaults (no settings file of the user's):
    // the xrender backend, no fading.
    const bool picom = FDesk == TDesk::OpenboxPicom;
    const std::vector<std::string> command =
        picom ? std::vector<std::string>{"picom", "--config", "/dev/null"}
              : std::vector<std::string>{"xcompmgr"};
    const std::string name = command.front();
    FCompositor = Spawn(command, SessionEnvironment(FDisplayName, FHome), FHome, FShotFolder + "/" + name + ".log");
    if (!FCompositor)
        return ::testing::AssertionFailure() << "step \"start " << name << "\": cannot start " << name;
    const Atom manager = XInternAtom(FDpy, "_NET_WM_CM_S0", False);
    return WaitFor("start " + name, [&] { return XGetSelectionOwner(FDpy, manager) != None && Alive(FCompositor); }, 10);
}

::testing::AssertionResult TProgramSession::Start(const std::vector<std::string>& AArguments)
{
    if (!FDpy) {
        if (auto started = StartDisplay(); !started)
            return started;
        if (FDesk != TDesk::Bare)
            if (auto started = StartWindowManager(); !started)
                return started;
        if (FDesk == TDesk::OpenboxCompositor || FDesk == TDesk::OpenboxPicom)
            if (auto started = StartCompositor(); !started)
                return started;
    }
    StopProgram();
    std::vector<std::string> env = SessionEnvironment(FDisplayName, FHome);
    env.push_back("SDL_AUDIODRIVER=dummy");
    FExitStatus = -1;
    std::vector<std::string> command{FProgramFolder + "/zarvelo"};
    command.insert(command.end(), AArguments.begin(), AArguments.end());
    FProgram = Spawn(command, env, FProgramFolder, LogFile());
    if (!FProgram)
        return ::testing::AssertionFailure() << "step \"start the program\": cannot start " << FProgramFolder << "/zarvelo";
    if (auto shown = WaitWindow(MainForm.Title, FMain, 20); !shown)
        return shown;
    Shot("started");
    return ::testing::AssertionSuccess();
}

bool TProgramSession::Running()
{
    if (!FProgram)
        return false;
    if (FExitStatus >= 0)
        return false;
    int status = 0;
    if (!Ended(FProgram, status))
        return true;
    FExitStatus = status;
    return false;
}

::testing::AssertionResult TProgramSession::Quit(int ASeconds)
{
    if (!Running())
        return Failure("quit", "the program had ended before (status " + std::to_string(FExitStatus) + ")");
    const TWin main = Refresh(FMain);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.format = 32;
    if (FDesk != TDesk::Bare) {
        // Asked of the window manager, which passes it on as it would from its own close button.
        e.xclient.window = main.Id;
        e.xclient.message_type = XInternAtom(FDpy, "_NET_CLOSE_WINDOW", False);
        e.xclient.data.l[0] = CurrentTime;
        e.xclient.data.l[1] = 2;
        XSendEvent(FDpy, DefaultRootWindow(FDpy), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    } else {
        e.xclient.window = main.Id;
        e.xclient.message_type = XInternAtom(FDpy, "WM_PROTOCOLS", False);
        e.xclient.data.l[0] = long(XInternAtom(FDpy, "WM_DELETE_WINDOW", False));
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(FDpy, main.Id, False, NoEventMask, &e);
    }
    XSync(FDpy, False);
    Shot("close requested");
    return WaitExit(ASeconds);
}

::testing::AssertionResult TProgramSession::WaitExit(int ASeconds)
{
    if (auto ended = WaitFor("the program ends", [&] { return !Running(); }, ASeconds); !ended)
        return ended;
    const std::string log = testsupport::ReadFile(LogFile());
    for (const char* report : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:", "WARNING: ThreadSanitizer"})
        if (log.find(report) != std::string::npos)
            return Failure("the program ends", std::string("the program's log holds a sanitizer report (") + report + ")");
    if (FExitStatus != 0)
        return Failure("the program ends", "exit status " + std::to_string(FExitStatus));
    return ::testing::AssertionSuccess();
}

void TProgramSession::StopProgram()
{
    EndProcessGroup(FProgram, 5);
    FProgram = 0;
}

std::string TProgramSession::Shot(const std::string& AStep)
{
    char number[16];
    std::snprintf(number, sizeof number, "%02d-", ++FStep);
    std::string name = AStep;
    for (char& c : name)
        if (c == ' ' || c == '/' || c == '"')
            c = '-';
    const std::string file = FShotFolder + "/" + number + name + ".png";
    if (FDpy)
        testsupport::SaveScreen(FDpy, platform::Rect(0, 0, DisplayWidth(FDpy, 0), DisplayHeight(FDpy, 0)), file);
    return file;
}

::testing::AssertionResult TProgramSession::Failure(const std::string& AStep, const std::string& AWhat)
{
    const std::string shot = Shot(AStep + " FAILED");
    std::string state;
    if (FProgram && !Running())
        state = "; the program had ended with status " + std::to_string(FExitStatus);
    return ::testing::AssertionFailure() << "[" << DeskName(FDesk) << "] step \"" << AStep << "\": " << AWhat << state
                                         << "\n  screenshot: " << shot << "\n  program log: " << LogFile();
}

::testing::AssertionResult TProgramSession::WaitFor(const std::string& AStep, const std::function<bool()>& ADone,
                                                    int ASeconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(Scaled(ASeconds));
    while (!ADone()) {
        if (std::chrono::steady_clock::now() > deadline)
            return Failure(AStep, "did not happen within " + std::to_string(Scaled(ASeconds)) + " s");
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return ::testing::AssertionSuccess();
}

} // namespace programtest
