// Closing while a conversion runs, by every road a user or the desktop has
// (the caption's close button, "退出", Alt+F4, the window manager's close
// request, SIGTERM, SIGINT, SIGHUP), at several moments of the run: the program ends
// with status 0 within 10 s; a finished file stays whole and a stopped
// one keeps what it wrote.

#include "program/ProgramMedia.h"
#include "program/ProgramSession.h"
#include "support/TestSupport.h"

#include <csignal>
#include <filesystem>
#include <thread>

namespace programtest {
namespace {

namespace fs = std::filesystem;

enum class TCloseBy { CaptionButton, MenuExit, WindowManager, Term, Interrupt, HangUp, AltF4 };
enum class TMoment { Starting, BetweenFiles, MidFile, Paused };

const char* const CloseNames[] = {"CaptionButton", "MenuExit", "WindowManager", "SIGTERM", "SIGINT", "SIGHUP", "AltF4"};
const char* const MomentNames[] = {"starting", "between files", "mid-file", "paused"};

uintmax_t SizeOf(const std::string& AFile)
{
    std::error_code error;
    const uintmax_t size = fs::file_size(AFile, error);
    return error ? 0 : size;
}

// Places in the main window, window coordinates: the skinned caption's close
// button at the right end of the caption, and the "文件" menu.
platform::TPoint CaptionClose(const TWin& AMain) { return {AMain.Bounds.Width() - 20, 14}; }
constexpr platform::TPoint FileMenu{22, 35};

::testing::AssertionResult RequestClose(TProgramSession& s, TCloseBy ABy)
{
    switch (ABy) {
    case TCloseBy::CaptionButton: {
        const TWin main = s.Refresh(s.Main());
        s.ClickAt(main, CaptionClose(main));
        break;
    }
    case TCloseBy::MenuExit: {
        // "退出" is the last item of the "文件" menu's popup.
        TWin popup;
        const auto shown = [&] {
            for (const TWin& w : s.Windows())
                if (w.OverrideRedirect && w.Viewable && w.Bounds.Height() > 60)
                    return popup = w, true;
            return false;
        };
        s.ClickAt(s.Refresh(s.Main()), FileMenu);
        if (auto opened = s.WaitFor("the file menu opens", shown); !opened)
            return opened;
        s.ClickScreen({popup.Bounds.Left + 30, popup.Bounds.Bottom - 16});
        break;
    }
    case TCloseBy::WindowManager: return s.Quit();
    case TCloseBy::Term: kill(s.Pid(), SIGTERM); break;
    case TCloseBy::Interrupt: kill(s.Pid(), SIGINT); break;
    case TCloseBy::HangUp: kill(s.Pid(), SIGHUP); break;
    // Bare the program takes the keys itself; under openbox the window
    // manager turns them into its close request.
    case TCloseBy::AltF4: s.Key("F4", {"Alt_L"}); break;
    }
    s.Shot("close requested");
    return s.WaitExit(10);
}

class CloseDuringRun : public ::testing::TestWithParam<std::tuple<TDesk, TCloseBy>> {};

// Each road closes at two of the four moments, so every moment meets three
// or four roads on each desk.
TEST_P(CloseDuringRun, EndsWithStatusZeroAndKeepsWhatWasWritten)
{
    const auto [desk, by] = GetParam();
    TProgramSession s(desk);
    s.MakeTone("short.wav", 2);
    // Long enough to be caught running; a sine packs small as FLAC.
    ASSERT_TRUE(testsupport::MakeMedia(s.Media("long.flac"), "-f lavfi -i sine=frequency=440:duration=900 -c:a flac"));
    const int road = int(by);
    for (const TMoment moment : {TMoment(road % 4), TMoment((road + 2) % 4)}) {
        SCOPED_TRACE(std::string(CloseNames[road]) + " " + MomentNames[int(moment)]);
        // The last round's outputs would make the rows choose other names.
        const std::string shortOut = s.DefaultOutputFolder() + "/short.mp3";
        const std::string longOut = s.DefaultOutputFolder() + "/long.mp3";
        fs::remove(shortOut);
        fs::remove(longOut);
        ASSERT_TRUE(s.Start());
        for (const char* name : {"short.wav", "long.flac"}) {
            ASSERT_TRUE(s.ChooseAdd());
            ASSERT_TRUE(s.PickFile(s.Media(name)));
        }
        ASSERT_TRUE(s.WaitText(Controls::FileList, "long.mp3", 1, 10, "both rows show"));

        ASSERT_TRUE(s.Click(Controls::Start));
        if (moment != TMoment::Starting) {
            ASSERT_TRUE(s.WaitText(Controls::FileList, "100%", 1, 30, "the short file is converted"));
        }
        if (moment == TMoment::MidFile || moment == TMoment::Paused) {
            ASSERT_TRUE(s.WaitFor("the long output grows", [&] { return SizeOf(longOut) > 100000; }, 30));
        }
        if (moment == TMoment::Paused) {
            ASSERT_TRUE(s.Click(Controls::Pause));
        }
        s.Shot(MomentNames[int(moment)]);

        ASSERT_TRUE(RequestClose(s, by));

        if (moment != TMoment::Starting) {
            EXPECT_EQ(Streams(shortOut), std::vector<std::string>{"audio:mp3"});
            EXPECT_NEAR(Duration(shortOut), 2, 0.2);
        }
        if (moment == TMoment::MidFile || moment == TMoment::Paused) {
            // A stopped conversion keeps the part it wrote.
            EXPECT_GT(SizeOf(longOut), 100000u);
            EXPECT_EQ(Streams(longOut), std::vector<std::string>{"audio:mp3"});
        }
    }
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<TDesk, TCloseBy>>& AInfo)
{
    std::string name = DeskName(std::get<0>(AInfo.param)) + "_" + CloseNames[int(std::get<1>(AInfo.param))];
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Roads, CloseDuringRun,
                         ::testing::Combine(::testing::Values(TDesk::Bare, TDesk::Openbox),
                                            ::testing::Values(TCloseBy::CaptionButton, TCloseBy::MenuExit,
                                                              TCloseBy::WindowManager, TCloseBy::Term,
                                                              TCloseBy::Interrupt, TCloseBy::HangUp, TCloseBy::AltF4)),
                         CaseName);

} // namespace
} // namespace programtest
