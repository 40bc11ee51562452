#pragma once
// The program's start-up: the display, the application object and its
// forms in their order, then the message loop.

namespace app {

class TForm1;

// Creates the application's forms in their order on the display already
// installed and answers the main window, not yet shown.
TForm1* CreateProgramForms();

// Runs the converter; answers the process's exit status. Without a display
// it says so in one line on standard error and answers 2.
int RunProgram();

} // namespace app
