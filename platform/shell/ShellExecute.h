#pragma once
// Handing files, folders and addresses to the desktop, and starting the
// helper programs the shell layer relies on.
//
// Every program start goes through one launcher. The real one starts the
// program detached (it outlives us and leaves no zombie behind); tests
// install a launcher that records the command instead, so no test opens a
// window on the desktop, plays a sound or shuts the machine down.

#include <memory>
#include <string>
#include <vector>

namespace platform {

struct TLaunchCommand {
    std::vector<std::string> Argv;  // program first; looked up on PATH
    std::string Directory;          // working folder of the program; empty: ours
};

struct TLaunchResult {
    bool Success = false;
    int ExitCode = -1;              // only for Run: the program's exit status
    std::string ErrorText;          // why it failed, for the user
};

class ILauncher {
public:
    virtual ~ILauncher() = default;
    // Starts the program and returns at once; only a failure to start is
    // reported.
    virtual TLaunchResult Start(const TLaunchCommand& ACommand) = 0;
    // Runs the program and waits for it; success means exit status 0.
    virtual TLaunchResult Run(const TLaunchCommand& ACommand) = 0;
};

// The launcher that really starts programs.
class TProcessLauncher : public ILauncher {
public:
    TLaunchResult Start(const TLaunchCommand& ACommand) override;
    TLaunchResult Run(const TLaunchCommand& ACommand) override;
};

// The process-wide launcher (a TProcessLauncher until replaced).
ILauncher& Launcher();
// Installs ALauncher and answers the one it replaces. Null restores the
// real launcher.
std::unique_ptr<ILauncher> SetLauncher(std::unique_ptr<ILauncher> ALauncher);

// The full path of a program found on PATH (or AProgram itself when it
// holds a "/" and is executable); empty when there is none.
std::string FindProgram(const std::string& AProgram);

// Opens a file, a folder or an address (http:, mailto:, file:, ...) with
// the desktop's handler through xdg-open, in ADirectory when given.
// A missing local file, an empty target or a failed start answers false
// with the reason in AError.
bool ShellOpen(const std::string& ATarget, const std::string& ADirectory = std::string(),
               std::string* AError = nullptr);

// Opens a folder with the desktop's file manager. Only the absolute path of
// an existing folder is handed over: a stored value that reads as an option
// ("--help"), an address or a relative name answers false with the reason
// in AError and starts nothing.
bool ShellOpenFolder(const std::string& AFolder, std::string* AError = nullptr);

} // namespace platform
