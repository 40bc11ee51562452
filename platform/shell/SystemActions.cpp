#include "platform/shell/SystemActions.h"

#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/ShellExecute.h"

#include <mutex>

namespace platform {

namespace {

std::mutex GActionsLock;
std::unique_ptr<ISystemActions> GActions;

// The players tried for a sound, in order: the sound server's own player
// first, so the sound mixes with others, the bare ALSA player last.
const char* const SoundPlayers[] = {"paplay", "pw-play", "aplay"};

} // namespace

bool TSystemActions::Shutdown(std::string& AError)
{
    if (!FindProgram("systemctl").empty()) {
        const TLaunchResult result = Launcher().Run({{"systemctl", "poweroff"}, ""});
        if (result.Success)
            return true;
        AError = result.ErrorText;
    } else {
        AError = "systemctl is not installed";
    }
    if (FindProgram("busctl").empty())
        return false;
    const TLaunchResult result = Launcher().Run({{"busctl", "call", "org.freedesktop.login1",
        "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PowerOff", "b", "true"}, ""});
    if (result.Success) {
        AError.clear();
        return true;
    }
    AError += "; " + result.ErrorText;
    return false;
}

bool TSystemActions::PlaySound(const std::string& AWavFile, std::string& AError)
{
    if (!FileExists(AWavFile)) {
        AError = Format("Sound file not found: \"%s\"", AWavFile);
        return false;
    }
    for (const char* player : SoundPlayers) {
        if (FindProgram(player).empty())
            continue;
        const TLaunchResult result = Launcher().Start({{player, AWavFile}, ""});
        if (!result.Success)
            AError = result.ErrorText;
        return result.Success;
    }
    AError = "No sound player is installed (paplay, pw-play or aplay)";
    return false;
}

ISystemActions& SystemActions()
{
    std::lock_guard<std::mutex> guard(GActionsLock);
    if (!GActions)
        GActions = std::make_unique<TSystemActions>();
    return *GActions;
}

std::unique_ptr<ISystemActions> SetSystemActions(std::unique_ptr<ISystemActions> AActions)
{
    std::lock_guard<std::mutex> guard(GActionsLock);
    std::unique_ptr<ISystemActions> previous = std::move(GActions);
    GActions = AActions ? std::move(AActions) : std::make_unique<TSystemActions>();
    return previous;
}

} // namespace platform
