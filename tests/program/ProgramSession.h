#pragma once
// Drives the built converter as a user would: a separate process on a
// private virtual display, seen only through its X windows and the screen.
//
//   TProgramSession s(TDesk::Openbox);        // or TDesk::Bare: no window manager
//   s.MakeTone("a.wav", 2);                   // media in s.Media()
//   ASSERT_TRUE(s.Start());                   // Xvfb, openbox, the program, its main window
//   ASSERT_TRUE(s.Click(Controls::Start));    // a control of the table in ProgramControls.h
//   ASSERT_TRUE(s.ChooseAdd());               // "添加" > "添加一个文件"
//   TWin open;
//   ASSERT_TRUE(s.WaitWindow("打开文件", open));  // by title, process id and mapping
//   ASSERT_TRUE(s.PickFile(s.Media("a.wav"))); // types the path into the open dialog
//   ASSERT_TRUE(s.WaitText(Controls::FileList, "100%", 1, 60, "converted"));
//   ASSERT_TRUE(s.Quit());                    // the window manager's close request; exit status 0
//
// Every step saves a PNG of the screen as screenshots/<test>/<nn>-<step>.png
// in the build folder, beside the program's output in program.log there.
// Every wait is bounded; a failed one names its step, the screenshot and
// the log. The program runs with its own HOME, XDG_CONFIG_HOME and a copy
// of its folder (option.ini beside it); teardown ends only the processes
// the session started, each in a process group of its own.

#include "program/ProgramControls.h"
#include "program/ScreenText.h"

#include "platform/core/Types.h"

#include <gtest/gtest.h>

#include <sys/types.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace programtest {

// No window manager; openbox; openbox with a compositing manager, which
// blends the program's translucent windows (its popups' shadows) onto the
// screen: xcompmgr, or picom as full desktops run it.
enum class TDesk { Bare, Openbox, OpenboxCompositor, OpenboxPicom };
std::string DeskName(TDesk ADesk);
inline void PrintTo(TDesk ADesk, std::ostream* AOut) { *AOut << DeskName(ADesk); }

// One of the program's top-level X windows as the display sees it.
struct TWin {
    unsigned long Id = 0;          // the program's own window (not a frame)
    std::string Title;             // _NET_WM_NAME
    std::string Type;              // _NET_WM_WINDOW_TYPE without its prefix: "NORMAL", "DIALOG", ...
    std::string Class;             // the class part of WM_CLASS
    int IconWidth = 0, IconHeight = 0; // _NET_WM_ICON's first picture
    unsigned long TransientFor = 0;
    bool Viewable = false;
    bool OverrideRedirect = false;
    platform::TRect Bounds;        // on the screen
};

class TProgramSession {
public:
    explicit TProgramSession(TDesk ADesk);
    ~TProgramSession();
    TProgramSession(const TProgramSession&) = delete;
    TProgramSession& operator=(const TProgramSession&) = delete;

    TDesk Desk() const { return FDesk; }
    // The program's copy of its folder, HOME, and a folder for test media.
    const std::string& ProgramFolder() const { return FProgramFolder; }
    const std::string& Home() const { return FHome; }
    std::string Media(const std::string& AName = std::string()) const;
    // Where screenshots and program.log go.
    const std::string& ShotFolder() const { return FShotFolder; }
    std::string LogFile() const { return FShotFolder + "/program.log"; }
    // The default output folder of a first start.
    std::string DefaultOutputFolder() const;

    // A tone of ASeconds (WAV unless the name says otherwise) and a small
    // clip of colour bars with a tone, in Media().
    void MakeTone(const std::string& AName, double ASeconds);
    void MakeBars(const std::string& AName, double ASeconds);

    // The display, the window manager (if any), then the program with
    // AArguments on its command line, until its main window shows. Start
    // again after Quit for a second run on the same folders.
    ::testing::AssertionResult Start(const std::vector<std::string>& AArguments = {});
    // Asks the main window to close as the window manager would and waits
    // for the process to end with status 0 and no sanitizer report.
    ::testing::AssertionResult Quit(int ASeconds = 10);
    // Waits for the process to end, however it was asked to, with status 0
    // and no sanitizer report.
    ::testing::AssertionResult WaitExit(int ASeconds = 10);
    bool Running();
    pid_t Pid() const { return FProgram; }

    // ---- windows
    std::vector<TWin> Windows();
    // A viewable window of the program titled ATitle.
    ::testing::AssertionResult WaitWindow(const std::string& ATitle, TWin& AWin, int ASeconds = 5);
    ::testing::AssertionResult WaitWindowGone(const std::string& ATitle, int ASeconds = 5);
    // AWin has the keyboard focus of the display.
    ::testing::AssertionResult WaitFocused(const TWin& AWin, int ASeconds = 5);
    // The main window as found by Start.
    const TWin& Main() const { return FMain; }
    // Finds AWin again (its place may have changed).
    TWin Refresh(const TWin& AWin);

    // ---- input through XTest
    // Clicks the middle of a control of the table (its window is found by title).
    ::testing::AssertionResult Click(const TControlSpot& AControl);
    // Clicks at a point of a window (window coordinates).
    void ClickAt(const TWin& AWin, platform::TPoint AInWindow);
    void ClickScreen(platform::TPoint AOnScreen);
    // Two clicks at a point of a window, as quick as a user's double click.
    void DoubleClickAt(const TWin& AWin, platform::TPoint AInWindow);
    // Moves the pointer there and leaves it.
    void PointAt(platform::TPoint AOnScreen);
    // Turns the mouse wheel ANotches notches with the pointer at AOnScreen:
    // towards the user (the view moves down) for positive ones.
    void Wheel(platform::TPoint AOnScreen, int ANotches);
    // Presses the left button at AFrom, moves in small steps to ATo and
    // releases it there.
    void DragScreen(platform::TPoint AFrom, platform::TPoint ATo);
    // The same in ASteps moves AStepMs apart.
    void DragScreen(platform::TPoint AFrom, platform::TPoint ATo, int ASteps, int AStepMs);
    // Types UTF-8 text (characters without a key get a spare key for the moment).
    void Type(const std::string& AText);
    // Presses and releases a key named as X names it ("Return", "Escape",
    // "F10", "Down"), with modifiers held ("Alt_L", "Control_L").
    void Key(const std::string& AKeySym, const std::vector<std::string>& AHeld = {});
    // In the program's open dialog: waits for it to have the keyboard (its
    // name field has the focus then), types the path, Enter, and waits for
    // the dialog to go.
    ::testing::AssertionResult PickFile(const std::string& APath, const std::string& ADialogTitle = "打开文件");
    // "添加" drops its menu at any press: opens it and picks an entry
    // (the menu is waited for; what the entry opens is not).
    enum class TAddEntry { OneFile = 0, SeveralFiles = 1, Folder = 2 };
    ::testing::AssertionResult ChooseAdd(TAddEntry AEntry = TAddEntry::OneFile);

    // ---- screen
    // Saves the screen as the next step's picture; answers the file.
    std::string Shot(const std::string& AStep);
    // What the screen shows in AOnScreen (empty when the display would not give it).
    TScreenImage Grab(const platform::TRect& AOnScreen);
    // Where ATexts shows inside the control (rendered in the program's font).
    std::vector<platform::TPoint> FindText(const TControlSpot& AControl, const std::string& AText);
    // Waits until AText shows at least ACount times inside the control.
    ::testing::AssertionResult WaitText(const TControlSpot& AControl, const std::string& AText, int ACount, int ASeconds,
                                        const std::string& AStep);

    // ---- waiting
    // Polls ADone until it holds; false names AStep, the screenshot and the log.
    ::testing::AssertionResult WaitFor(const std::string& AStep, const std::function<bool()>& ADone, int ASeconds = 5);

    Display* XDisplay() const { return FDpy; }

private:
    ::testing::AssertionResult StartDisplay();
    ::testing::AssertionResult StartWindowManager();
    ::testing::AssertionResult StartCompositor();
    ::testing::AssertionResult Failure(const std::string& AStep, const std::string& AWhat);
    bool WindowByTitle(const std::string& ATitle, TWin& AWin);
    void StopProgram();

    TDesk FDesk;
    std::string FRoot, FProgramFolder, FHome, FShotFolder;
    pid_t FXvfb = 0, FWindowManager = 0, FCompositor = 0, FProgram = 0;
    int FExitStatus = -1;
    Display* FDpy = nullptr;
    std::string FDisplayName;
    int FStep = 0;
    TWin FMain;
};

// The parameter name of a test run on ADesk.
std::string DeskParamName(const ::testing::TestParamInfo<TDesk>& AInfo);

} // namespace programtest
