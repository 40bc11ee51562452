#pragma once
// Where the program's controls lie, for scenarios that click them from
// outside: each control by its form and component name, with its rectangle
// in the form's client area. A form test (tests/app/forms) creates the
// forms and keeps this table true, so a layout change breaks it there and
// not in every scenario.

#include "platform/core/Types.h"

namespace programtest {

// A form as the display sees it: its window's title and where its client
// area starts inside the window (below the skinned caption, inside the border).
struct TFormSpot {
    const char* Name;    // the form's component name
    const char* Title;
    platform::TPoint ClientInWindow;
};

struct TControlSpot {
    const TFormSpot* Form;
    const char* Name;    // the control's component name
    platform::TRect Bounds; // in the form's client area
    // The font it writes its texts in, for finding them on the screen
    // (null: the scenarios read no text there).
    const char* FontName = nullptr;
    int FontHeight = 0;
};

// The preview slider's knob: where it lies at the slider's first place (in
// the form's client area), and how far its left edge travels to the last
// of Places places.
struct TKnobSpot {
    const TControlSpot* Slider;
    platform::TRect AtFirst;
    int Travel;
    int Places;
};

inline constexpr TFormSpot MainForm{"Form1", "ZarveloMP3格式转换器", {4, 30}};
inline constexpr TFormSpot OptionsForm{"Form5", "选项", {4, 30}};
inline constexpr TFormSpot OutputSettingsForm{"Form7", "选项设置", {4, 30}};
inline constexpr TFormSpot AboutForm{"Form2", "关于", {4, 30}};

namespace Controls {
inline constexpr TControlSpot MenuBar{&MainForm, "bsSkinMainMenuBar1", {0, 0, 827, 22}};
inline constexpr TControlSpot Add{&MainForm, "bsSkinMenuSpeedButton1", {8, 26, 80, 86}};
inline constexpr TControlSpot Remove{&MainForm, "bsSkinButton7", {84, 26, 156, 86}};
inline constexpr TControlSpot Clear{&MainForm, "bsSkinButton8", {160, 26, 232, 86}};
inline constexpr TControlSpot Options{&MainForm, "bsSkinButton19", {236, 26, 308, 86}};
inline constexpr TControlSpot FileList{&MainForm, "lvFiles", {18, 109, 541, 311}, "SimSun", 12};
inline constexpr TControlSpot Category{&MainForm, "bsSkinOfficeComboBox2", {83, 375, 233, 419}};
inline constexpr TControlSpot Profile{&MainForm, "bsSkinOfficeComboBox1", {239, 375, 489, 419}};
inline constexpr TControlSpot OutputSettings{&MainForm, "bsSkinButton24", {495, 384, 565, 410}};
inline constexpr TControlSpot OutputFolder{&MainForm, "Video_OutPut_Folder_Edit", {83, 431, 413, 455}};
inline constexpr TControlSpot Browse{&MainForm, "bsSkinButton5", {419, 429, 489, 455}};
inline constexpr TControlSpot OpenFolder{&MainForm, "bsSkinButton6", {495, 429, 565, 455}};
inline constexpr TControlSpot Start{&MainForm, "bsSkinButton2", {584, 366, 709, 477}};
// Pause and resume share their place: one of them shows at a time.
inline constexpr TControlSpot Pause{&MainForm, "bsSkinButton11", {724, 366, 810, 426}};
inline constexpr TControlSpot Resume{&MainForm, "bsSkinButton12", {724, 366, 810, 426}};
inline constexpr TControlSpot Stop{&MainForm, "bsSkinButton10", {724, 432, 810, 476}};
// The preview pane: its picture, slider and buttons. Mute on and off share
// their place: one of them shows at a time.
inline constexpr TControlSpot PreviewScreen{&MainForm, "Panel6", {591, 131, 801, 266}};
inline constexpr TControlSpot PreviewSlider{&MainForm, "bsSkinSlider1", {587, 272, 805, 303}};
inline constexpr TControlSpot PreviewPlay{&MainForm, "bsSkinButton13", {592, 303, 622, 333}};
inline constexpr TControlSpot PreviewPause{&MainForm, "bsSkinButton14", {629, 303, 659, 333}};
inline constexpr TControlSpot PreviewStop{&MainForm, "bsSkinButton15", {663, 303, 693, 333}};
inline constexpr TControlSpot PreviewMute{&MainForm, "bsSkinButton16", {699, 303, 729, 333}};
inline constexpr TControlSpot PreviewUnmute{&MainForm, "bsSkinButton20", {699, 303, 729, 333}};
inline constexpr TControlSpot PreviewSnapshot{&MainForm, "bsSkinButton22", {735, 303, 765, 333}};
inline constexpr TControlSpot PreviewSettings{&MainForm, "bsSkinButton23", {771, 303, 801, 333}};

// The options dialog; its second page ("常规") shows when it opens.
inline constexpr TControlSpot OverwriteOutput{&OptionsForm, "bsSkinCheckRadioBox3", {74, 96, 314, 118}};
inline constexpr TControlSpot RenameOutput{&OptionsForm, "bsSkinCheckRadioBox6", {74, 124, 314, 146}};
inline constexpr TControlSpot OpenFolderWhenDone{&OptionsForm, "bsSkinCheckRadioBox1", {74, 210, 314, 232}};
inline constexpr TControlSpot NothingWhenDone{&OptionsForm, "bsSkinCheckRadioBox5", {74, 294, 314, 316}};
inline constexpr TControlSpot OptionsOk{&OptionsForm, "bsSkinButton6", {328, 415, 403, 440}};
inline constexpr TControlSpot OptionsCancel{&OptionsForm, "bsSkinButton1", {423, 415, 498, 440}};

// The output settings dialog.
inline constexpr TControlSpot SettingsProfile{&OutputSettingsForm, "bsSkinOfficeComboBox1", {164, 17, 492, 68}};

// The about box: its title, as wide as its text in its own face, and its button.
inline constexpr TControlSpot AboutTitle{&AboutForm, "bsSkinStdLabel3", {144, 14, 352, 38}, "黑体", -20};
inline constexpr TControlSpot AboutOk{&AboutForm, "bsSkinButton1", {252, 184, 324, 209}};

// Every entry, for the form test that keeps them true.
inline constexpr const TControlSpot* All[] = {&MenuBar, &Add, &Remove, &Clear, &Options, &FileList, &Category, &Profile,
                                              &OutputSettings, &OutputFolder, &Browse, &OpenFolder, &Start, &Pause,
                                              &Resume, &Stop, &PreviewScreen, &PreviewSlider, &PreviewPlay,
                                              &PreviewPause, &PreviewStop, &PreviewMute, &PreviewUnmute,
                                              &PreviewSnapshot, &PreviewSettings, &OverwriteOutput,
                                              &RenameOutput, &OpenFolderWhenDone, &NothingWhenDone, &OptionsOk,
                                              &OptionsCancel, &SettingsProfile, &AboutTitle, &AboutOk};

inline constexpr TKnobSpot PreviewKnob{&PreviewSlider, {593, 278, 609, 294}, 190, 218};
} // namespace Controls

// The font the program's hints write in.
struct TFontSpot {
    const char* Name;
    int Height;
};
inline constexpr TFontSpot HintFont{"SimSun", 12};

} // namespace programtest
