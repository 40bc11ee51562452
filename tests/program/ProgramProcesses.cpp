#include "program/ProgramProcesses.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace programtest {

namespace {

std::string FindOnPath(const std::string& AName)
{
    if (AName.find('/') != std::string::npos)
        return AName;
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        const size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/" + AName;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::string();
}

// Everything the child needs is made before fork: after it only calls safe
// in a child of a threaded process remain.
pid_t SpawnWith(const std::vector<std::string>& AArgs, const std::vector<std::string>& AEnv, const std::string& AFolder,
                const std::string& ALog, int APassFd)
{
    const std::string program = FindOnPath(AArgs.at(0));
    if (program.empty())
        return 0;
    std::vector<char*> argv, envp;
    for (const std::string& a : AArgs)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const std::string& e : AEnv)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const int log = open(ALog.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const int null = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        if (chdir(AFolder.c_str()) != 0)
            _exit(127);
        dup2(null, 0);
        dup2(log, 1);
        dup2(log, 2);
        if (APassFd >= 0)
            dup2(APassFd, 3); // dup2 clears close-on-exec on the copy
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(log);
    close(null);
    if (pid > 0)
        setpgid(pid, pid); // the child's own call may come later
    return pid > 0 ? pid : 0;
}

} // namespace

pid_t Spawn(const std::vector<std::string>& AArgs, const std::vector<std::string>& AEnv, const std::string& AFolder,
            const std::string& ALog)
{
    return SpawnWith(AArgs, AEnv, AFolder, ALog, -1);
}

pid_t StartXvfb(const std::string& ALog, int& ANumber, std::string& AError)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        AError = "no pipe for Xvfb";
        return 0;
    }
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.push_back(*e);
    const pid_t pid = SpawnWith({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, env, "/",
                                ALog, fds[1]);
    close(fds[1]);
    if (!pid) {
        close(fds[0]);
        AError = "cannot start Xvfb";
        return 0;
    }
    // The server writes its display number once it accepts connections.
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline && (number.empty() || number.back() != '\n')) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 200) <= 0)
            continue;
        char buf[16];
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n <= 0)
            break;
        number.append(buf, size_t(n));
    }
    close(fds[0]);
    if (number.empty() || number.back() != '\n') {
        EndProcessGroup(pid, 2);
        AError = "Xvfb gave no display number within 20 s (see " + ALog + ")";
        return 0;
    }
    ANumber = std::atoi(number.c_str());
    return pid;
}

std::vector<std::string> SessionEnvironment(const std::string& ADisplay, const std::string& AHome)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (name != "DISPLAY" && name != "HOME" && name.rfind("XDG_", 0) != 0 && name != "SDL_AUDIODRIVER")
            env.push_back(entry);
    }
    env.push_back("DISPLAY=" + ADisplay);
    env.push_back("HOME=" + AHome);
    env.push_back("XDG_CONFIG_HOME=" + AHome + "/.config");
    env.push_back("XDG_DATA_HOME=" + AHome + "/.local/share");
    env.push_back("XDG_CACHE_HOME=" + AHome + "/.cache");
    return env;
}

bool Ended(pid_t APid, int& AStatus)
{
    siginfo_t info{};
    if (waitid(P_PID, id_t(APid), &info, WEXITED | WNOHANG | WNOWAIT) != 0) {
        AStatus = -1;
        return true;
    }
    if (info.si_pid != APid)
        return false;
    AStatus = info.si_code == CLD_EXITED ? info.si_status : 128 + info.si_status;
    return true;
}

bool Alive(pid_t APid)
{
    int status = 0;
    return APid > 0 && !Ended(APid, status);
}

void EndProcessGroup(pid_t APid, int ASeconds)
{
    if (APid <= 0)
        return;
    kill(-APid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(ASeconds);
    while (Alive(APid) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    // Unreaped, the process keeps its id, so the group's id still names only
    // what it started: whatever is left there goes too.
    kill(-APid, SIGKILL);
    int status = 0;
    waitpid(APid, &status, 0);
}

TProcessorLoad::TProcessorLoad()
{
    const unsigned processors = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < processors; ++i)
        if (const pid_t spinner = Spawn({"sh", "-c", "while :; do :; done"}, {}, "/", "/dev/null"))
            FSpinners.push_back(spinner);
}

TProcessorLoad::~TProcessorLoad()
{
    for (pid_t spinner : FSpinners)
        EndProcessGroup(spinner, 1);
}

} // namespace programtest
