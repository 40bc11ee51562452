#pragma once
// The program's start-up: the display, the application object and its
// forms in their order, then the message loop.

namespace app {

// Runs the converter; answers the process's exit status. Without a display
// it says so in one line on standard error and answers 2.
int RunProgram();

} // namespace app
