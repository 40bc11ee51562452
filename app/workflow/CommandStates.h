#pragma once
// One state per user command. Each command exists as a hidden primary
// button, a visible skinned twin and menu items; the window shows what
// these states say. Start after a Stop is the odd one: only its skinned
// twin comes back on, so the primary and the menu item stay off.

#include <array>
#include <functional>

namespace app {

enum class TCommand { Add, Start, Stop, Pause, Resume, Remove, Rename, Clear };
constexpr int CommandCount = 8;

struct TCommandState {
    bool Primary = false; // hidden button and menu items
    bool Twin = false;    // skinned button and its picture

    bool operator==(const TCommandState&) const = default;
};

class TCommandStates {
public:
    TCommandStates() { StartUp(); }

    const TCommandState& State(TCommand ACommand) const { return FStates[size_t(ACommand)]; }
    bool On(TCommand ACommand) const { return State(ACommand).Twin; }
    // The category, profile and preset lists and the folder button.
    bool ProfileControls() const { return FProfile; }
    // Which of the two twins sharing the pause place shows: pause or resume.
    bool PauseTwinShown() const { return FPauseShown; }

    // The events of a run, in the order they can happen.
    void StartUp();           // and Clear
    void FileAdded();
    void RowsLeft(int ACount); // after a remove
    void Started(bool AThreadMode);
    void Paused();
    void Resumed();
    void Stopped();
    // The end-of-run record was handled; after a Stop this is when Start's
    // twin comes back, so a restart never meets a run still ending.
    void RunEnded();

    // Called after every change, for the window to follow.
    std::function<void()> OnChange;

private:
    void Set(TCommand ACommand, bool AOn);
    void Changed();

    std::array<TCommandState, CommandCount> FStates{};
    bool FProfile = true;
    bool FPauseShown = true;
    bool FStopPressed = false;
};

} // namespace app
