#include "app/workflow/CommandStates.h"

namespace app {

void TCommandStates::Set(TCommand ACommand, bool AOn)
{
    FStates[size_t(ACommand)] = TCommandState{AOn, AOn};
}

void TCommandStates::Changed()
{
    if (OnChange)
        OnChange();
}

void TCommandStates::StartUp()
{
    for (int i = 0; i < CommandCount; ++i)
        Set(TCommand(i), false);
    Set(TCommand::Add, true);
    FProfile = true;
    FPauseShown = true;
    FStopPressed = false;
    Changed();
}

void TCommandStates::FileAdded()
{
    Set(TCommand::Add, true);
    for (TCommand c : {TCommand::Start, TCommand::Remove, TCommand::Rename, TCommand::Clear})
        Set(c, true);
    FProfile = true;
    Changed();
}

void TCommandStates::RowsLeft(int ACount)
{
    for (TCommand c : {TCommand::Start, TCommand::Remove, TCommand::Rename, TCommand::Clear})
        Set(c, ACount > 0);
    Changed();
}

void TCommandStates::Started(bool AThreadMode)
{
    for (TCommand c : {TCommand::Add, TCommand::Start, TCommand::Remove, TCommand::Rename, TCommand::Clear,
                       TCommand::Resume})
        Set(c, false);
    Set(TCommand::Stop, AThreadMode);
    Set(TCommand::Pause, AThreadMode);
    FProfile = false;
    FPauseShown = true;
    FStopPressed = false;
    Changed();
}

void TCommandStates::Paused()
{
    Set(TCommand::Pause, false);
    Set(TCommand::Resume, true);
    FPauseShown = false;
    Changed();
}

void TCommandStates::Resumed()
{
    Set(TCommand::Pause, true);
    Set(TCommand::Resume, false);
    FPauseShown = true;
    Changed();
}

void TCommandStates::Stopped()
{
    Set(TCommand::Stop, false);
    FProfile = true;
    FStopPressed = true;
    Changed();
}

void TCommandStates::RunEnded()
{
    for (TCommand c : {TCommand::Remove, TCommand::Rename, TCommand::Stop, TCommand::Pause, TCommand::Resume})
        Set(c, false);
    Set(TCommand::Clear, true);
    if (FStopPressed)
        FStates[size_t(TCommand::Start)] = TCommandState{false, true};
    FProfile = true;
    FPauseShown = true;
    Changed();
}

} // namespace app
