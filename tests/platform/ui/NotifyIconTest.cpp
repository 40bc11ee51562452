// The notification area through the in-memory presenter: adding, changing
// and removing icons, presses turned into the icon's callback messages with
// double clicks told apart, the area's return announced to every top-level
// window, and texts cut to the record's fields.

#include "UiTestSupport.h"

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/NotifyIcon.h"

#include "platform/core/CodePage.h"

using namespace uitest;

namespace {

constexpr UINT kCallback = WM_USER + 0x400;

struct TNotifyFixture : ::testing::Test {
    TRecorder Rec;
    THeadlessBackend* Area = dynamic_cast<THeadlessBackend*>(&Backend());
    HWND Owner = nullptr;
    uint64_t Now = 1000;

    void SetUp() override
    {
        ASSERT_NE(Area, nullptr);
        SetWindowClockForTesting([this] { return Now; });
        Owner = Rec.Make("owner", WS_POPUP, Rect(0, 0, 10, 10));
        Rec.Ignore.insert({WM_TIMER});
    }
    void TearDown() override
    {
        Area->SetNotifyAreaPresent(true);
        SetWindowClockForTesting(nullptr);
    }
    TNotifyIconData Data(UINT AFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP) const
    {
        TNotifyIconData d;
        d.hWnd = Owner;
        d.uID = 3;
        d.uFlags = AFlags;
        d.uCallbackMessage = kCallback;
        d.Icon = {0xFF112233u};
        d.IconWidth = d.IconHeight = 1;
        d.szTip = "提示";
        return d;
    }
    // The mouse messages the owner received through the callback.
    std::vector<LPARAM> Callbacks()
    {
        std::vector<LPARAM> out;
        TMsg m;
        while (PeekMessage(m, PM_REMOVE))
            if (m.message == kCallback && m.hwnd == Owner && m.wParam == 3)
                out.push_back(m.lParam);
        return out;
    }
};

} // namespace

TEST_F(TNotifyFixture, IconsAreAddedChangedByTheirFlagsAndRemoved)
{
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, Data())) << "nothing to change yet";
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, Data()));
    ASSERT_NE(Area->NotifyIcon(Owner, 3), nullptr);

    struct TCase {
        UINT Flags;
        std::string Tip, Info;
        uint32_t Pixel;
    };
    const TCase cases[] = {
        {NIF_TIP, "新提示", "", 0xFF112233u},
        {NIF_ICON, "新提示", "", 0xFF445566u},
        {NIF_INFO, "新提示", "完成", 0xFF445566u},
        {NIF_MESSAGE, "新提示", "完成", 0xFF445566u},
    };
    for (const TCase& c : cases) {
        TNotifyIconData change = Data(c.Flags);
        change.szTip = "新提示";
        change.szInfo = "完成";
        change.Icon = {0xFF445566u};
        ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, change));
        const TNotifyIconData* icon = Area->NotifyIcon(Owner, 3);
        EXPECT_EQ(icon->szTip, c.Tip);
        EXPECT_EQ(icon->szInfo, c.Info);
        EXPECT_EQ(icon->Icon.at(0), c.Pixel);
        EXPECT_EQ(icon->uFlags, c.Flags);
    }
    TRect r;
    ASSERT_TRUE(GetNotifyIconRect(Owner, 3, r));
    EXPECT_EQ(r.Width(), 16);
    EXPECT_GE(r.Top, GetWorkArea().Bottom) << "the area lies beside the work area";

    EXPECT_TRUE(Shell_NotifyIcon(NIM_DELETE, Data()));
    EXPECT_EQ(Area->NotifyIcon(Owner, 3), nullptr);
    EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, Data()));
    EXPECT_FALSE(GetNotifyIconRect(Owner, 3, r));

    TNotifyIconData orphan = Data();
    orphan.hWnd = nullptr;
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, orphan)) << "an icon must name its window";
}

TEST_F(TNotifyFixture, PressesBecomeCallbacksWithDoubleClicksWithinTheDoubleClickTime)
{
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, Data()));
    const uint64_t slow = GetDoubleClickTime() + 1;
    struct TStep {
        UINT Msg;
        uint64_t Before;
    };
    struct TCase {
        const char* Name;
        std::vector<TStep> Steps;
        std::vector<LPARAM> Expected;
    };
    const TCase cases[] = {
        {"two quick presses", {{WM_LBUTTONDOWN, slow}, {WM_LBUTTONUP, 0}, {WM_LBUTTONDOWN, 100}, {WM_LBUTTONUP, 0}},
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
        {"two slow presses", {{WM_LBUTTONDOWN, slow}, {WM_LBUTTONDOWN, slow}}, {WM_LBUTTONDOWN, WM_LBUTTONDOWN}},
        {"a third press starts anew", {{WM_RBUTTONDOWN, slow}, {WM_RBUTTONDOWN, 10}, {WM_RBUTTONDOWN, 10}},
         {WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_RBUTTONDOWN}},
        {"other buttons", {{WM_LBUTTONDOWN, slow}, {WM_MBUTTONDOWN, 10}, {WM_MOUSEMOVE, 0}}, {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_MOUSEMOVE}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        for (const TStep& s : c.Steps) {
            Now += s.Before;
            Area->NotifyIconMouse(Owner, 3, s.Msg);
        }
        EXPECT_EQ(Callbacks(), c.Expected);
    }
}

TEST_F(TNotifyFixture, TheAreasReturnIsAnnouncedToTopLevelWindows)
{
    const UINT created = NotifyAreaCreatedMessage();
    EXPECT_EQ(created, RegisterWindowMessage("TaskbarCreated"));
    EXPECT_GE(created, 0xC000u);
    EXPECT_NE(RegisterWindowMessage("SomethingElse"), created);
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, Data()));
    Area->SetNotifyAreaPresent(false);
    EXPECT_EQ(Area->NotifyIcon(Owner, 3), nullptr) << "the icons go with the area";
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, Data()));
    Rec.Log.clear();
    Area->SetNotifyAreaPresent(true);
    Rec.Pump();
    EXPECT_EQ(Rec.Log, (std::vector<TEntry>{{"owner", created, 0}}));
}

TEST(NotifyIconText, TextsAreCutInUtf16UnitsAndNeverInsideACharacter)
{
    const std::string clef = "\xF0\x9D\x84\x9E";   // outside the basic plane: two units
    struct TCase {
        std::string Text;
        int Size;
        std::string Expected;
    };
    const TCase cases[] = {
        {"abc", 4, "abc"},
        {"abcd", 4, "abc"},
        {"转换器", 3, "转换"},
        {"ab" + clef, 4, "ab"},
        {"a" + clef, 4, "a" + clef},
        {"", 64, ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(CutNotifyText(c.Text, c.Size), c.Expected) << c.Text;
}
