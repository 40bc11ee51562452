#pragma once
// A launcher that records the commands it is given instead of running them.

#include "platform/shell/ShellExecute.h"

#include <memory>
#include <vector>

namespace shelltest {

struct TRecorded {
    bool Detached;
    platform::TLaunchCommand Command;
};

class TFakeLauncher : public platform::ILauncher {
public:
    explicit TFakeLauncher(std::vector<TRecorded>& ALog, bool ASucceed = true) : FLog(ALog), FSucceed(ASucceed) {}
    platform::TLaunchResult Start(const platform::TLaunchCommand& ACommand) override { return Record(true, ACommand); }
    platform::TLaunchResult Run(const platform::TLaunchCommand& ACommand) override { return Record(false, ACommand); }

private:
    platform::TLaunchResult Record(bool ADetached, const platform::TLaunchCommand& ACommand)
    {
        FLog.push_back({ADetached, ACommand});
        platform::TLaunchResult result;
        result.Success = FSucceed;
        result.ExitCode = FSucceed ? 0 : 1;
        if (!FSucceed)
            result.ErrorText = "refused";
        return result;
    }
    std::vector<TRecorded>& FLog;
    bool FSucceed;
};

// Installs a fake launcher for its lifetime and restores the previous one.
class TLauncherScope {
public:
    explicit TLauncherScope(bool ASucceed = true)
        : FPrevious(platform::SetLauncher(std::make_unique<TFakeLauncher>(Log, ASucceed))) {}
    ~TLauncherScope() { platform::SetLauncher(std::move(FPrevious)); }
    std::vector<TRecorded> Log;

private:
    std::unique_ptr<platform::ILauncher> FPrevious;
};

// Sets an environment variable for its lifetime.
class TEnvScope {
public:
    TEnvScope(const char* AName, const std::string& AValue) : FName(AName)
    {
        if (const char* old = getenv(AName)) {
            FHad = true;
            FOld = old;
        }
        setenv(AName, AValue.c_str(), 1);
    }
    ~TEnvScope()
    {
        if (FHad)
            setenv(FName, FOld.c_str(), 1);
        else
            unsetenv(FName);
    }

private:
    const char* FName;
    bool FHad = false;
    std::string FOld;
};

} // namespace shelltest
