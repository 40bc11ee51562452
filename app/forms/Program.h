#pragma once
// The program's start-up: the display, the application object and its
// forms in their order, then the message loop.

#include <string>
#include <vector>

namespace app {

class TForm1;
class TForm2;
class TForm5;
class TForm6;
class TForm7;

// The forms made after the main window, in their order, all owned by it.
struct TProgramDialogs {
    TForm2* Form2 = nullptr; // the about box
    TForm5* Form5 = nullptr; // the options
    TForm6* Form6 = nullptr; // the legacy settings, never shown
    TForm7* Form7 = nullptr; // the output settings
};

// Creates the about box and the three settings dialogs after the main
// window's creation handler has run, skinned by its models and wired to it.
TProgramDialogs CreateProgramDialogs(TForm1& AForm1);

// Shows the main window (its creation handler has run) and paints it at
// once, then creates the dialogs: they are not needed before the window
// is seen, and the window is seen sooner without them.
TProgramDialogs ShowThenCreateDialogs(TForm1& AForm1);

// Creates the application's forms in their order on the display already
// installed, the main window shown and painted before the dialogs are
// made, and answers the main window.
TForm1* ShowProgramForms();

// Runs the converter; answers the process's exit status. Without a display
// it says so in one line on standard error and answers 2. AFiles (a file
// manager's "open with") are added once the window shows, as the
// several-files command adds what its dialog chose.
int RunProgram(const std::vector<std::string>& AFiles = {});

} // namespace app
