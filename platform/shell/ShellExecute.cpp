#include "platform/shell/ShellExecute.h"

#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

std::mutex GLauncherLock;
std::unique_ptr<ILauncher> GLauncher;

// What a child tells its parent through the close-on-exec pipe when it
// cannot become the program: nothing at all means exec succeeded.
struct TChildFailure {
    int Stage;  // 1: working folder, 2: exec
    int Error;
};

// Everything the child needs, prepared before fork: after fork only
// async-signal-safe calls are allowed in a threaded program.
struct TPreparedCommand {
    std::string Program;
    std::vector<std::string> Args;
    std::vector<char*> Argv;
    std::string Directory;

    explicit TPreparedCommand(const TLaunchCommand& ACommand)
        : Args(ACommand.Argv), Directory(ACommand.Directory)
    {
        if (!Args.empty())
            Program = FindProgram(Args[0]);
        for (std::string& arg : Args)
            Argv.push_back(arg.data());
        Argv.push_back(nullptr);
    }
};

[[noreturn]] void BecomeProgram(const TPreparedCommand& ACommand, int AFailPipe, int ADevNull)
{
    TChildFailure failure{0, 0};
    if (!ACommand.Directory.empty() && chdir(ACommand.Directory.c_str()) != 0) {
        failure = {1, errno};
    } else {
        if (ADevNull >= 0)
            dup2(ADevNull, STDIN_FILENO);
        execv(ACommand.Program.c_str(), ACommand.Argv.data());
        failure = {2, errno};
    }
    ssize_t written = write(AFailPipe, &failure, sizeof(failure));
    (void)written;
    _exit(127);
}

std::string FailureText(const TPreparedCommand& ACommand, const TChildFailure& AFailure)
{
    if (AFailure.Stage == 1)
        return Format("Cannot run %s in \"%s\": %s", ACommand.Args[0], ACommand.Directory,
                      SysErrorMessage(AFailure.Error));
    return Format("Cannot run %s: %s", ACommand.Args[0], SysErrorMessage(AFailure.Error));
}

// Forks the child (detached: through a second fork that is reparented to
// init) and answers the child's failure report; Pid is the waited child.
TLaunchResult Spawn(const TLaunchCommand& ACommand, bool ADetached, int& AExitStatus)
{
    TLaunchResult result;
    if (ACommand.Argv.empty() || ACommand.Argv[0].empty()) {
        result.ErrorText = "No program to run";
        return result;
    }
    const TPreparedCommand command(ACommand);
    if (command.Program.empty()) {
        result.ErrorText = Format("Cannot run %s: the program is not installed", ACommand.Argv[0]);
        return result;
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        result.ErrorText = Format("Cannot run %s: %s", ACommand.Argv[0], SysErrorMessage(errno));
        return result;
    }
    const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        if (ADetached) {
            setsid();
            const pid_t grandChild = fork();
            if (grandChild != 0)
                _exit(grandChild < 0 ? 127 : 0);
        }
        BecomeProgram(command, fds[1], devNull);
    }
    close(fds[1]);
    if (devNull >= 0)
        close(devNull);
    if (pid < 0) {
        close(fds[0]);
        result.ErrorText = Format("Cannot run %s: %s", ACommand.Argv[0], SysErrorMessage(errno));
        return result;
    }
    TChildFailure failure{0, 0};
    ssize_t got;
    do {
        got = read(fds[0], &failure, sizeof(failure));
    } while (got < 0 && errno == EINTR);
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    AExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (got == ssize_t(sizeof(failure))) {
        result.ErrorText = FailureText(command, failure);
        return result;
    }
    if (ADetached && AExitStatus != 0) {
        result.ErrorText = Format("Cannot run %s: the process could not be started", ACommand.Argv[0]);
        return result;
    }
    result.Success = true;
    return result;
}

bool IsAddress(const std::string& ATarget)
{
    // A scheme: a letter, then letters, digits, "+", "-" or ".", then ":".
    // One letter before the colon is not taken for a scheme.
    const size_t colon = ATarget.find(':');
    if (colon == std::string::npos || colon < 2 || !isalpha((unsigned char)ATarget[0]))
        return false;
    for (size_t i = 1; i < colon; ++i) {
        const char c = ATarget[i];
        if (!isalnum((unsigned char)c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

} // namespace

TLaunchResult TProcessLauncher::Start(const TLaunchCommand& ACommand)
{
    int status = 0;
    return Spawn(ACommand, true, status);
}

TLaunchResult TProcessLauncher::Run(const TLaunchCommand& ACommand)
{
    int status = 0;
    TLaunchResult result = Spawn(ACommand, false, status);
    if (!result.Success)
        return result;
    result.ExitCode = status;
    if (status != 0) {
        result.Success = false;
        result.ErrorText = Format("%s failed with exit code %d", ACommand.Argv[0], status);
    }
    return result;
}

ILauncher& Launcher()
{
    std::lock_guard<std::mutex> guard(GLauncherLock);
    if (!GLauncher)
        GLauncher = std::make_unique<TProcessLauncher>();
    return *GLauncher;
}

std::unique_ptr<ILauncher> SetLauncher(std::unique_ptr<ILauncher> ALauncher)
{
    std::lock_guard<std::mutex> guard(GLauncherLock);
    std::unique_ptr<ILauncher> previous = std::move(GLauncher);
    GLauncher = ALauncher ? std::move(ALauncher) : std::make_unique<TProcessLauncher>();
    return previous;
}

std::string FindProgram(const std::string& AProgram)
{
    if (AProgram.empty())
        return std::string();
    if (AProgram.find('/') != std::string::npos)
        return access(AProgram.c_str(), X_OK) == 0 ? AProgram : std::string();
    std::string path = GetEnvironmentVariable("PATH");
    if (path.empty())
        path = "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(':', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string dir = end > start ? path.substr(start, end - start) : std::string(".");
        const std::string candidate = dir + "/" + AProgram;
        struct stat st {};
        if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::string();
}

bool ShellOpen(const std::string& ATarget, const std::string& ADirectory, std::string* AError)
{
    auto fail = [AError](const std::string& AText) {
        if (AError)
            *AError = AText;
        return false;
    };
    if (ATarget.empty())
        return fail("Nothing to open");
    if (!IsAddress(ATarget)) {
        const std::string local = (ATarget[0] == '/' || ADirectory.empty())
                                      ? ATarget
                                      : IncludeTrailingPathDelimiter(ADirectory) + ATarget;
        struct stat st {};
        if (stat(local.c_str(), &st) != 0)
            return fail(Format("Cannot open \"%s\": %s", ATarget, SysErrorMessage(errno)));
    }
    const TLaunchResult result = Launcher().Start({{"xdg-open", ATarget}, ADirectory});
    if (!result.Success)
        return fail(result.ErrorText);
    if (AError)
        AError->clear();
    return true;
}

bool ShellOpenFolder(const std::string& AFolder, std::string* AError)
{
    struct stat st {};
    const char* problem = nullptr;
    if (AFolder.empty() || AFolder[0] != '/')
        problem = "not an absolute folder path";
    else if (stat(AFolder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        problem = "no such folder";
    if (!problem)
        return ShellOpen(AFolder, std::string(), AError);
    if (AError)
        *AError = Format("Cannot open \"%s\": %s", AFolder, problem);
    return false;
}

} // namespace platform
