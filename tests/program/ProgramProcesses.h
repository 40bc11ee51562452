#pragma once
// The processes of a program test: each started in a process group of its
// own, so ending it ends what it started and nothing else.

#include <sys/types.h>

#include <string>
#include <vector>

namespace programtest {

// Starts AArgs (the program found on PATH unless the name holds a "/") in
// AFolder with exactly AEnv, standard output and error appended to ALog.
// Answers its process id, 0 when it could not start.
pid_t Spawn(const std::vector<std::string>& AArgs, const std::vector<std::string>& AEnv, const std::string& AFolder,
            const std::string& ALog);

// A private Xvfb on a display number nobody uses (the server picks it);
// ANumber receives it. 0 and AError on failure.
pid_t StartXvfb(const std::string& ALog, int& ANumber, std::string& AError);

// This process's environment for a session on ADisplay with HOME at AHome
// (its XDG folders inside).
std::vector<std::string> SessionEnvironment(const std::string& ADisplay, const std::string& AHome);

// Whether APid has ended; AStatus then holds its exit status (128 + the
// signal when a signal ended it). It stays unreaped until EndProcessGroup.
bool Ended(pid_t APid, int& AStatus);
bool Alive(pid_t APid);

// Processes that keep every processor of the machine busy while it lives.
class TProcessorLoad {
public:
    TProcessorLoad();
    ~TProcessorLoad();
    TProcessorLoad(const TProcessorLoad&) = delete;
    TProcessorLoad& operator=(const TProcessorLoad&) = delete;
    size_t Count() const { return FSpinners.size(); }

private:
    std::vector<pid_t> FSpinners;
};

// SIGTERM to APid's process group, SIGKILL to what is left of it after
// ASeconds, and reaps APid.
void EndProcessGroup(pid_t APid, int ASeconds);

} // namespace programtest
