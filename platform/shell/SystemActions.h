#pragma once
// Shutting the machine down and playing a sound, behind one interface that
// tests replace: the real actions are never run by a test.

#include <memory>
#include <string>

namespace platform {

class ISystemActions {
public:
    virtual ~ISystemActions() = default;
    // Asks the system to power the machine off. False, with the reason in
    // AError, when the request was refused or could not be made.
    virtual bool Shutdown(std::string& AError) = 0;
    // Starts playing a WAV file and returns at once.
    virtual bool PlaySound(const std::string& AWavFile, std::string& AError) = 0;
};

// The real actions, carried out through the process-wide launcher:
// "systemctl poweroff", else logind's PowerOff through busctl; the sound
// with the first of paplay, pw-play and aplay that is installed.
class TSystemActions : public ISystemActions {
public:
    bool Shutdown(std::string& AError) override;
    bool PlaySound(const std::string& AWavFile, std::string& AError) override;
};

// The process-wide actions (TSystemActions until replaced).
ISystemActions& SystemActions();
// Installs AActions and answers the ones it replaces; null restores the
// real actions.
std::unique_ptr<ISystemActions> SetSystemActions(std::unique_ptr<ISystemActions> AActions);

} // namespace platform
