// The command states, step by step through the events of a run.
#include "app/workflow/CommandStates.h"

#include <gtest/gtest.h>

using namespace app;

namespace {

// Add Start Stop Pause Resume Remove Rename Clear profile, as "1" / "0",
// with "t" for a command whose skinned twin alone is on.
std::string Row(const TCommandStates& S)
{
    std::string text;
    for (int i = 0; i < CommandCount; ++i) {
        const TCommandState& c = S.State(TCommand(i));
        text += c.Primary ? '1' : c.Twin ? 't' : '0';
    }
    return text + (S.ProfileControls() ? " 1" : " 0");
}

} // namespace

TEST(CommandStatesTest, FollowTheRunStepByStep)
{
    TCommandStates s;
    int changes = 0;
    s.OnChange = [&] { ++changes; };
    struct TStep {
        const char* Event;
        std::function<void()> Do;
        const char* Expected;
    };
    const TStep steps[] = {
        {"start-up", [&] { s.StartUp(); }, "10000000 1"},
        {"file added", [&] { s.FileAdded(); }, "11000111 1"},
        {"start", [&] { s.Started(true); }, "00110000 0"},
        {"pause", [&] { s.Paused(); }, "00101000 0"},
        {"resume", [&] { s.Resumed(); }, "00110000 0"},
        {"end of run", [&] { s.RunEnded(); }, "00000001 1"},
        {"clear", [&] { s.StartUp(); }, "10000000 1"},
        {"file added", [&] { s.FileAdded(); }, "11000111 1"},
        {"start", [&] { s.Started(true); }, "00110000 0"},
        {"stop", [&] { s.Stopped(); }, "00010000 1"},
        // Start's twin comes back only once the end of the run is handled.
        {"end after stop", [&] { s.RunEnded(); }, "0t000001 1"},
        {"restart", [&] { s.Started(true); }, "00110000 0"},
        {"end", [&] { s.RunEnded(); }, "00000001 1"},
        {"clear", [&] { s.StartUp(); }, "10000000 1"},
        {"rows left 0", [&] { s.RowsLeft(0); }, "10000000 1"},
        {"rows left 2", [&] { s.RowsLeft(2); }, "11000111 1"},
    };
    for (const TStep& step : steps) {
        step.Do();
        EXPECT_EQ(Row(s), step.Expected) << step.Event;
    }
    EXPECT_EQ(changes, int(std::size(steps)));
}

TEST(CommandStatesTest, PauseAndResumeShareOnePlace)
{
    TCommandStates s;
    s.Started(true);
    EXPECT_TRUE(s.PauseTwinShown());
    s.Paused();
    EXPECT_FALSE(s.PauseTwinShown());
    s.Resumed();
    EXPECT_TRUE(s.PauseTwinShown());
    s.Paused();
    s.Stopped();
    // A new run shows the pause twin, which is the one that works.
    s.Started(true);
    EXPECT_TRUE(s.PauseTwinShown());
}
