// The preview pane seen from outside: a clip whose pictures tell their
// time by their grey is added through the open dialog; the slider's knob is
// dragged with the mouse, playing and paused, and twenty times while
// playing on a machine whose processors are all busy; its track clicked and
// its knob stepped by the keys while paused, each seek playing on; the pane's
// snapshot button saves the picture on show; files of other shapes leave
// nothing of each other in their black bands; the picture comes back whole
// after a dialog covered it and after the window was minimised; "播放"
// shows its hint in the skinned hint window.

#include "program/ProgramDesktop.h"
#include "program/ProgramPopups.h"
#include "program/ProgramProcesses.h"

#include "support/TestSupport.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace programtest {
namespace {

using Clock = std::chrono::steady_clock;

constexpr double kClipSeconds = 10;

// A point of the main window's client area on the screen.
platform::TPoint OnScreen(TProgramSession& S, platform::TPoint AInClient)
{
    const TWin main = S.Refresh(S.Main());
    return platform::Point(main.Bounds.Left + MainForm.ClientInWindow.X + AInClient.X,
                           main.Bounds.Top + MainForm.ClientInWindow.Y + AInClient.Y);
}

platform::TPoint Middle(const platform::TRect& R) { return platform::Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }

// The moment the pane's picture shows, read from its grey in the middle
// of the picture; negative when the screen would not give it. The screen
// shows the clip's video range as it stands (16 for black), where the
// time code counts in full range.
double ShownTime(TProgramSession& S)
{
    const platform::TPoint at = OnScreen(S, Middle(Controls::PreviewScreen.Bounds));
    const TScreenImage shown = S.Grab(platform::Bounds(at.X, at.Y, 1, 1));
    if (shown.Pixels.empty())
        return -1;
    const int red = int((shown.At(0, 0) >> 16) & 0xFF);
    return testsupport::TimeOfTimeCodedColour(int(std::lround((red - 16) * 255.0 / 219.0)));
}

// Where the knob shows on the screen: the middle of the blue of its ring
// along the slider (it moves while the clip plays); x negative when not found.
platform::TPoint FindKnob(TProgramSession& S)
{
    const TKnobSpot& k = Controls::PreviewKnob;
    const platform::TRect& slider = k.Slider->Bounds;
    const int y = (k.AtFirst.Top + k.AtFirst.Bottom) / 2;
    const platform::TPoint from = OnScreen(S, platform::Point(slider.Left, y));
    const TScreenImage row = S.Grab(platform::Bounds(from.X, from.Y, slider.Width(), 1));
    int first = -1, last = -1;
    for (int x = 0; x < row.Width; ++x) {
        const uint32_t p = row.At(x, 0);
        const int r = int(p >> 16) & 0xFF, b = int(p & 0xFF);
        if (b > r + 80) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    if (first < 0 || last - first > k.AtFirst.Width())
        return platform::Point(-1, -1);
    return platform::Point(from.X + (first + last) / 2, from.Y);
}

// Presses on the knob where it shows, drags it to the slider's place
// APlace in ASteps moves AStepMs apart and releases it there.
::testing::AssertionResult DragKnob(TProgramSession& S, int APlace, int ASteps = 8, int AStepMs = 20)
{
    const TKnobSpot& k = Controls::PreviewKnob;
    platform::TPoint grab;
    if (auto found = S.WaitFor("the knob shows", [&] { return (grab = FindKnob(S)).X >= 0; }); !found)
        return found;
    const int grabLeft = grab.X - k.AtFirst.Width() / 2;
    const int targetLeft = OnScreen(S, platform::Point(k.AtFirst.Left + int(std::lround(double(APlace) * k.Travel / k.Places)), 0)).X;
    S.DragScreen(grab, platform::Point(grab.X + targetLeft - grabLeft, grab.Y), ASteps, AStepMs);
    return ::testing::AssertionSuccess();
}

// The seconds of slider place APlace, as the pane seeks there.
double TimeOfPlace(int APlace) { return kClipSeconds * APlace / Controls::PreviewKnob.Places; }

// After a release at APlace the pane plays on from there: it shows a
// moment from half a second before the place's time to 1.5 s after it.
::testing::AssertionResult WaitPlaysOnFrom(TProgramSession& S, int APlace)
{
    const double from = TimeOfPlace(APlace);
    return S.WaitFor("the pane plays on from " + std::to_string(from) + " s", [&] {
        const double t = ShownTime(S);
        return t >= from - 0.5 && t < from + 1.5;
    });
}

std::string SnapshotFolder(TProgramSession& S) { return S.Home() + "/Zarvelo视频软件/快照"; }

// Clicks "快照" and answers the moment the saved picture shows (negative
// when no snapshot came).
double Snapshot(TProgramSession& S, const std::string& AFile)
{
    std::remove(AFile.c_str());
    EXPECT_TRUE(S.Click(Controls::PreviewSnapshot));
    double time = -1;
    EXPECT_TRUE(S.WaitFor("the snapshot " + AFile + " is saved", [&] {
        time = testsupport::TimeOfTimeCodedBmp(AFile);
        return time >= 0;
    }));
    return time;
}

// The picture stands still: the same moment on several reads in a row,
// longer apart than the clip's pictures last.
bool StandsStill(TProgramSession& S, double& ATime)
{
    const double first = ShownTime(S);
    for (int i = 0; i < 4; ++i) {
        usleep(120 * 1000);
        if (std::abs(ShownTime(S) - first) > 0.05)
            return false;
    }
    ATime = first;
    return true;
}

// Starts the program and adds the clip through "添加" and the open dialog;
// the pane opens it paused on its first picture.
::testing::AssertionResult StartWithClip(TProgramSession& S)
{
    if (!testsupport::MakeTimeCodedClip(S.Media("timed.mkv"), kClipSeconds, 4, true))
        return ::testing::AssertionFailure() << "ffmpeg could not make the clip";
    if (auto started = S.Start(); !started)
        return started;
    if (auto clicked = S.ChooseAdd(); !clicked)
        return clicked;
    if (auto picked = S.PickFile(S.Media("timed.mkv")); !picked)
        return picked;
    return S.WaitText(Controls::FileList, "timed.mp3", 1, 10, "the row shows");
}

class Preview : public ::testing::TestWithParam<TDesk> {};

TEST_P(Preview, TheKnobDraggedPlayingOrPausedSeeksAndTheSnapshotSavesThePictureThere)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(StartWithClip(s));
    s.Shot("added");
    ASSERT_TRUE(s.Click(Controls::PreviewPlay));
    ASSERT_TRUE(s.WaitFor("the pane plays the clip", [&] { return ShownTime(s) > 0.4; }));
    s.Shot("playing");

    // Playing: 175 of 218 places, 80 % of the ruler, 8.03 s; it plays on
    // from there.
    ASSERT_TRUE(DragKnob(s, 175));
    const auto released = Clock::now();
    s.Shot("dragged to 80 %");
    ASSERT_TRUE(WaitPlaysOnFrom(s, 175));
    const double played = Snapshot(s, SnapshotFolder(s) + "/timed_1.bmp");
    const double since = std::chrono::duration<double>(Clock::now() - released).count();
    s.Shot("snapshot while playing");
    EXPECT_GE(played, 7.5);
    // Playback goes on while the snapshot is taken, and the snapshot may be
    // the picture due next (the clip shows 4 a second).
    EXPECT_LE(played, 8.5 + since + 0.25);

    // Paused, the knob dragged to 65 of 218 places (30 % of the ruler,
    // 2.98 s): the release seeks there and plays on; paused again, the
    // picture stands still and the snapshot saves that very picture.
    ASSERT_TRUE(s.Click(Controls::PreviewPause));
    double shown = -1;
    ASSERT_TRUE(s.WaitFor("the pane stands still", [&] { return StandsStill(s, shown); }));
    s.Shot("paused");
    ASSERT_TRUE(DragKnob(s, 65));
    const auto released2 = Clock::now();
    s.Shot("dragged to 30 % while paused");
    ASSERT_TRUE(WaitPlaysOnFrom(s, 65));
    ASSERT_TRUE(s.Click(Controls::PreviewPause));
    ASSERT_TRUE(s.WaitFor("the pane stands still again", [&] { return StandsStill(s, shown); }));
    const double since2 = std::chrono::duration<double>(Clock::now() - released2).count();
    const double still = Snapshot(s, SnapshotFolder(s) + "/timed_2.bmp");
    s.Shot("snapshot while paused");
    EXPECT_GE(still, 2.5);
    EXPECT_LE(still, 3.5 + since2 + 0.25);
    // The two readings of one picture lie less than a picture's time
    // (0.25 s) apart.
    EXPECT_NEAR(still, shown, 0.24) << "the snapshot is not the picture on show";

    ASSERT_TRUE(s.Quit());
}

// The seconds the pane shows once it plays on: a moment after AFrom and
// later readings later still.
::testing::AssertionResult WaitPlaysOnAfter(TProgramSession& S, double AFrom, const std::string& AStep)
{
    double first = -1;
    return S.WaitFor(AStep, [&] {
        const double t = ShownTime(S);
        if (first < 0 && t >= AFrom)
            first = t;
        return first >= 0 && t > first + 0.4;
    });
}

// Whether a reading of the pane proves that it went on from the drag's
// place AFrom, released ASinceRelease seconds before, rather than from
// APlaying, the moment read ASinceReading seconds before when the knob was
// about to be pressed: the reading lies where playback from AFrom can be
// by then and playback from APlaying cannot. (A busy machine may take its
// time over any reading.)
bool ProvesSeek(double AShown, double AFrom, double ASinceRelease, double APlaying, double ASinceReading)
{
    const bool fromDrag = AShown >= AFrom - 0.5 && AShown <= AFrom + ASinceRelease + 0.5;
    const bool fromBefore = AShown >= APlaying - 0.5 && AShown <= APlaying + ASinceReading + 0.5;
    return fromDrag && !fromBefore;
}

// Dragged while the file plays, on a machine whose every processor is busy
// with other work: each of twenty drags, quick or slow, seeks where it is
// released and plays on from there. The knob is found where the screen
// shows it right before the press, as a user looks before pressing.
TEST_P(Preview, EveryDragWhilePlayingSeeksOnABusyMachine)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(StartWithClip(s));
    ASSERT_TRUE(s.Click(Controls::PreviewPlay));
    ASSERT_TRUE(s.WaitFor("the pane plays the clip", [&] { return ShownTime(s) > 0.4; }));
    TProcessorLoad load;
    ASSERT_GT(load.Count(), 0u) << "no process to load the processors";
    int seeked = 0;
    for (int i = 0; i < 20; ++i) {
        // From 3 moves 80 ms apart to 19 moves 110 ms apart: 0.3 to 2 s.
        const int steps = 3 + (i % 5) * 4, stepMs = 80 + (i % 4) * 10;
        // Far from where it plays, so the two can be told apart: to 1.4 to
        // 1.9 s or to 6.2 to 6.9 s (places 30 to 41, 135 to 150 of 218),
        // never close to the end, which would rewind and pause.
        const double playing = ShownTime(s);
        const auto read = Clock::now();
        const int place = playing < 4.2 ? 135 + (i * 7) % 16 : 30 + (i * 5) % 12;
        ASSERT_TRUE(DragKnob(s, place, steps, stepMs)) << "drag " << i;
        const auto released = Clock::now();
        const double from = TimeOfPlace(place);
        const bool proven = s.WaitFor("drag " + std::to_string(i) + " plays on from " + std::to_string(from) + " s", [&] {
            const double shown = ShownTime(s);
            auto since = [](Clock::time_point AThen) { return std::chrono::duration<double>(Clock::now() - AThen).count(); };
            return ProvesSeek(shown, from, since(released), playing, since(read));
        }, 15);
        seeked += proven;
        EXPECT_TRUE(proven) << "drag " << i << " from " << playing << " s to place " << place << " in " << steps
                            << " moves " << stepMs << " ms apart did not seek";
    }
    s.Shot("after twenty drags");
    EXPECT_EQ(seeked, 20);
    ASSERT_TRUE(s.Quit());
}

// Every seek goes on playing: a click on the track beside the knob moves
// it one page, and the keys step it, while paused, and the picture plays
// on from there.
TEST_P(Preview, AClickOnTheTrackAndTheKeysSeekAndPlayOn)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(StartWithClip(s));
    double shown = -1;
    ASSERT_TRUE(s.WaitFor("the pane shows the start, standing still", [&] { return StandsStill(s, shown) && shown < 1.0; }));
    s.Shot("opened paused");

    // Paused at the start, a click on the track halfway along: one page on
    // (5 of 218 places, 0.23 s), and it plays from there.
    const TKnobSpot& k = Controls::PreviewKnob;
    const platform::TRect& knob = k.AtFirst;
    s.ClickScreen(OnScreen(s, platform::Point(knob.Left + k.Travel / 2, (knob.Top + knob.Bottom) / 2)));
    ASSERT_TRUE(WaitPlaysOnAfter(s, 0.1, "the click on the track plays on"));
    s.Shot("clicked the track while paused");
    ASSERT_TRUE(s.Click(Controls::PreviewPause));
    ASSERT_TRUE(s.WaitFor("the pane stands still", [&] { return StandsStill(s, shown); }));

    // The keys: a snapshot leaves the focus on "快照", and Shift+Tab goes
    // back from there past the four buttons before it to the slider. Home
    // seeks to the start and plays on.
    auto focusSlider = [&](const std::string& ASnapshot) {
        EXPECT_GE(Snapshot(s, SnapshotFolder(s) + "/" + ASnapshot), 0);
        for (int i = 0; i < 5; ++i)
            s.Key("Tab", {"Shift_L"});
    };
    focusSlider("timed_1.bmp");
    s.Shot("the slider focused");
    s.Key("Home");
    ASSERT_TRUE(s.WaitFor("the pane plays from the start", [&] {
        const double t = ShownTime(s);
        return t >= 0 && t < 0.3;
    }));
    ASSERT_TRUE(WaitPlaysOnAfter(s, 0, "the home key plays on"));
    s.Shot("home key while paused");
    ASSERT_TRUE(s.Click(Controls::PreviewPause));
    double paused = -1;
    ASSERT_TRUE(s.WaitFor("the pane stands still again", [&] { return StandsStill(s, paused); }));

    // Ten steps of 5 places, 2.29 s on from the paused picture (the knob
    // may lie a picture behind it), and it plays on from there.
    focusSlider("timed_2.bmp");
    const auto stepped = Clock::now();
    for (int i = 0; i < 10; ++i)
        s.Key("Right");
    ASSERT_TRUE(WaitPlaysOnAfter(s, paused + 1.8, "ten right keys play on from about 2.3 s later"));
    s.Shot("ten right keys while paused");
    ASSERT_TRUE(s.Click(Controls::PreviewPause));
    ASSERT_TRUE(s.WaitFor("the pane stands still at last", [&] { return StandsStill(s, shown); }));
    const double since = std::chrono::duration<double>(Clock::now() - stepped).count();
    EXPECT_GE(shown, paused + 1.8);
    EXPECT_LE(shown, paused + 2.3 + 0.25 + since);
    ASSERT_TRUE(s.Quit());
}

// How many pixels of a rectangle of the pane (in its own coordinates) are
// lit, any channel above the dark of a black band; -1 when the screen
// would not give them.
int LitPixels(TProgramSession& S, const platform::TRect& AInPane)
{
    const platform::TRect& pane = Controls::PreviewScreen.Bounds;
    const platform::TPoint at = OnScreen(S, platform::Point(pane.Left + AInPane.Left, pane.Top + AInPane.Top));
    const TScreenImage shown = S.Grab(platform::Bounds(at.X, at.Y, AInPane.Width(), AInPane.Height()));
    if (shown.Pixels.empty())
        return -1;
    int lit = 0;
    for (uint32_t p : shown.Pixels)
        lit += ((p >> 16) & 0xFF) > 40 || ((p >> 8) & 0xFF) > 40 || (p & 0xFF) > 40;
    return lit;
}

// The colour of a point of the pane (in its own coordinates), 0xRRGGBB.
uint32_t PaneColour(TProgramSession& S, platform::TPoint AInPane)
{
    const platform::TRect& pane = Controls::PreviewScreen.Bounds;
    const platform::TPoint at = OnScreen(S, platform::Point(pane.Left + AInPane.X, pane.Top + AInPane.Y));
    const TScreenImage shown = S.Grab(platform::Bounds(at.X, at.Y, 1, 1));
    return shown.Pixels.empty() ? 0 : shown.At(0, 0) & 0xFFFFFF;
}

// Adds a file through "添加" and the open dialog; its row shows AOutput.
::testing::AssertionResult AddFile(TProgramSession& S, const std::string& AName, const std::string& AOutput)
{
    if (auto clicked = S.ChooseAdd(); !clicked)
        return clicked;
    if (auto picked = S.PickFile(S.Media(AName)); !picked)
        return picked;
    return S.WaitText(Controls::FileList, AOutput, 1, 10, "the row of " + AName + " shows");
}

// A new file's picture of another shape leaves nothing of the picture
// before it in its black bands: 4:3 colour bars with their counter, then a
// white 16:9 clip (bands above and below), then a blue 176 x 144 phone clip
// (bands left and right: its pixels are 12:11 wide, a 4:3 picture).
TEST_P(Preview, ANewFilesPictureLeavesNothingOfTheOldOneInItsBands)
{
    TProgramSession s(GetParam());
    s.MakeBars("bars.mkv", 5);
    ASSERT_TRUE(testsupport::MakeMedia(s.Media("wide.mkv"), "-f lavfi -i color=c=white:s=320x180:r=10:d=5"));
    ASSERT_TRUE(testsupport::MakeMedia(s.Media("phone.3gp"), "-f lavfi -i color=c=blue:s=176x144:r=10:d=5 -c:v h263"));
    ASSERT_TRUE(s.Start());
    // The pane is 210 x 135: the 4:3 picture fills its height, 180 wide;
    // the 16:9 one its width, 118 high.
    ASSERT_TRUE(AddFile(s, "bars.mkv", "bars.mp3"));
    ASSERT_TRUE(s.WaitFor("the bars show", [&] { return LitPixels(s, platform::Rect(20, 2, 190, 6)) > 500; }));
    s.Shot("4 to 3 bars");

    ASSERT_TRUE(AddFile(s, "wide.mkv", "wide.mp3"));
    ASSERT_TRUE(s.WaitFor("the white clip shows across the pane", [&] {
        const uint32_t p = PaneColour(s, platform::Point(4, 67));
        return (p & 0xFF) > 200 && ((p >> 8) & 0xFF) > 200 && ((p >> 16) & 0xFF) > 200;
    }));
    EXPECT_TRUE(s.WaitFor("the bands above and below the wide clip are black", [&] {
        return LitPixels(s, platform::Rect(0, 0, 210, 7)) == 0 && LitPixels(s, platform::Rect(0, 128, 210, 135)) == 0;
    }));
    s.Shot("16 to 9 clip");

    ASSERT_TRUE(AddFile(s, "phone.3gp", "phone.mp3"));
    ASSERT_TRUE(s.WaitFor("the blue clip shows over the pane's height", [&] {
        const uint32_t p = PaneColour(s, platform::Point(105, 2));
        return (p & 0xFF) > 150 && ((p >> 16) & 0xFF) < 80;
    }));
    EXPECT_TRUE(s.WaitFor("the bands left and right of the phone clip are black", [&] {
        return LitPixels(s, platform::Rect(0, 0, 14, 135)) == 0 && LitPixels(s, platform::Rect(196, 0, 210, 135)) == 0;
    }));
    s.Shot("176 x 144 clip");
    ASSERT_TRUE(s.Quit());
}

// The picture of the pane, paused: every sampled point of it shows about
// the grey AColour (red component) of its middle; false names none.
bool PictureWhole(TProgramSession& S, int AColour)
{
    // The clip's 4:3 picture fits the pane's height, centred across.
    const platform::TRect& screen = Controls::PreviewScreen.Bounds;
    const int pictureWidth = screen.Height() * 4 / 3;
    const platform::TRect picture = platform::Bounds(screen.Left + (screen.Width() - pictureWidth) / 2, screen.Top,
                                                     pictureWidth, screen.Height());
    const platform::TPoint at = OnScreen(S, platform::Point(picture.Left, picture.Top));
    const TScreenImage shown = S.Grab(platform::Bounds(at.X, at.Y, picture.Width(), picture.Height()));
    if (shown.Pixels.empty())
        return false;
    for (int y = 6; y < shown.Height - 6; y += 12)
        for (int x = 6; x < shown.Width - 6; x += 12)
            if (std::abs(int((shown.At(x, y) >> 16) & 0xFF) - AColour) > 24)
                return false;
    return true;
}

TEST_P(Preview, APausedPictureComesBackWholeAfterADialogAndAfterMinimising)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(StartWithClip(s));
    // A light picture: the one of about 8 s, paused.
    ASSERT_TRUE(s.Click(Controls::PreviewPlay));
    ASSERT_TRUE(DragKnob(s, 175));
    ASSERT_TRUE(WaitPlaysOnFrom(s, 175));
    ASSERT_TRUE(s.Click(Controls::PreviewPause));
    double paused = -1;
    ASSERT_TRUE(s.WaitFor("the pane stands still", [&] { return StandsStill(s, paused); }));
    const platform::TPoint middle = OnScreen(s, Middle(Controls::PreviewScreen.Bounds));
    const int grey = int((s.Grab(platform::Bounds(middle.X, middle.Y, 1, 1)).At(0, 0) >> 16) & 0xFF);
    ASSERT_GT(grey, 100);
    ASSERT_TRUE(s.WaitFor("the picture is whole", [&] { return PictureWhole(s, grey); }));
    s.Shot("paused at 8 s");

    // The options dialog opens over the picture and closes.
    ASSERT_TRUE(s.Click(Controls::Options));
    TWin options;
    ASSERT_TRUE(s.WaitWindow("选项", options));
    const platform::TRect& pane = Controls::PreviewScreen.Bounds;
    const platform::TPoint paneOnScreen = OnScreen(s, platform::Point(pane.Left, pane.Top));
    EXPECT_LT(options.Bounds.Left, paneOnScreen.X + pane.Width()) << "the dialog does not cover the picture";
    EXPECT_GT(options.Bounds.Right, paneOnScreen.X) << "the dialog does not cover the picture";
    s.Shot("the options dialog covers the picture");
    ASSERT_TRUE(s.Click(Controls::OptionsCancel));
    ASSERT_TRUE(s.WaitWindowGone("选项"));
    EXPECT_TRUE(s.WaitFor("the picture is whole after the dialog", [&] { return PictureWhole(s, grey); }));
    s.Shot("after the dialog");

    // Minimised by its button and brought back as a task bar does.
    const TWin main = s.Main();
    s.ClickAt(main, kMinimizeButton);
    ASSERT_TRUE(s.WaitFor("the main window is minimised", [&] { return !s.Refresh(main).Viewable; }));
    AskToActivate(s.XDisplay(), main.Id);
    ASSERT_TRUE(s.WaitFor("the main window comes back", [&] { return s.Refresh(main).Viewable; }));
    EXPECT_TRUE(s.WaitFor("the picture is whole after minimising", [&] { return PictureWhole(s, grey); }));
    s.Shot("restored");
    double after = -1;
    EXPECT_TRUE(s.WaitFor("the pane is still paused", [&] { return StandsStill(s, after); }));
    EXPECT_NEAR(after, paused, 0.05);
    ASSERT_TRUE(s.Quit());
}

// Resting the pointer on "播放" shows the program's skinned hint window
// with that text, next to the button.
TEST_P(Preview, ThePlayButtonShowsItsHint)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(s.Start());
    const platform::TPoint play = OnScreen(s, Middle(Controls::PreviewPlay.Bounds));
    s.PointAt(play);
    TWin hint;
    std::vector<platform::TPoint> found;
    ASSERT_TRUE(s.WaitFor("the hint \"播放\" shows", [&] {
        if (!FindHint(s, hint))
            return false;
        found = FindTextIn(s.Grab(hint.Bounds), "播放", HintFont.Name, HintFont.Height);
        return !found.empty();
    }));
    s.Shot("hint");
    EXPECT_EQ(found.size(), 1u);
    // Beside the pointer, not somewhere else on the screen.
    EXPECT_LT(std::abs(hint.Bounds.Left - play.X), 60);
    EXPECT_LT(std::abs(hint.Bounds.Top - play.Y), 60);
    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, Preview, ::testing::Values(TDesk::Bare, TDesk::Openbox), DeskParamName);

} // namespace
} // namespace programtest
