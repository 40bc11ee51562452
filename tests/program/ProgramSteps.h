#pragma once
// Steps several scenarios take: settings written before the program starts,
// a "提示" box acknowledged, a list moved from the keyboard.

#include "program/ProgramSession.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace programtest {

// option.ini beside the program: the output folder, overwriting or renaming,
// and nothing done after a run (no folder opened on the desktop).
inline void WriteOptionFile(TProgramSession& ASession, const std::string& AOutPath, bool AOverwrite)
{
    std::ofstream(ASession.ProgramFolder() + "/option.ini")
        << "[OutPath]\nOutPath=" << AOutPath << "\n[Options]\nOverwrite_File=" << (AOverwrite ? "0" : "1")
        << "\nAfter_Done=3\n";
}

// Closes the "提示" box that shows.
inline ::testing::AssertionResult AcknowledgeHint(TProgramSession& ASession, const std::string& AStep)
{
    TWin box;
    if (auto shown = ASession.WaitWindow("提示", box, 10); !shown)
        return shown << " (" << AStep << ")";
    ASession.Shot(AStep);
    ASession.Key("Return");
    return ASession.WaitWindowGone("提示");
}

// Moves the category or profile list by ASteps entries from the keyboard
// (up when negative), as a user who clicked it and closed it again would.
inline void MoveList(TProgramSession& ASession, const TControlSpot& AList, int ASteps)
{
    ASSERT_TRUE(ASession.Click(AList));
    ASession.Key("Escape");
    for (int i = 0; i < std::abs(ASteps); ++i)
        ASession.Key(ASteps > 0 ? "Down" : "Up");
}

inline void MoveCategory(TProgramSession& ASession, int ASteps)
{
    MoveList(ASession, Controls::Category, ASteps);
}

} // namespace programtest
