#include "platform/ui/MessageLoop.h"

#include "platform/core/MainThread.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowSystem.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <mutex>

namespace platform {
namespace detail {
namespace {

struct TPosted {
    std::mutex Lock;
    std::deque<TMsg> Messages;
    bool Quit = false;
    int ExitCode = 0;
};

TPosted& Posted()
{
    static TPosted posted;
    return posted;
}

struct TTimerEntry {
    HWND Wnd;
    uintptr_t Id;
    uint32_t Interval;
    uint64_t Due;
    TTimerProc Proc;
};

std::vector<TTimerEntry>& Timers()
{
    static std::vector<TTimerEntry> timers;
    return timers;
}

uintptr_t GNextTimerId = 0x7F00;
std::function<uint64_t()> GClock;
bool GQuitReceived = false;
int GQuitCode = 0;
TMsg GCurrent;

uint64_t SteadyMs()
{
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool PopPosted(TMsg& AMsg, bool ARemove)
{
    TPosted& p = Posted();
    std::lock_guard<std::mutex> guard(p.Lock);
    while (!p.Messages.empty()) {
        TMsg m = p.Messages.front();
        // Messages to windows that are gone are dropped.
        if (m.hwnd && !Find(m.hwnd)) {
            p.Messages.pop_front();
            continue;
        }
        AMsg = m;
        if (ARemove)
            p.Messages.pop_front();
        return true;
    }
    if (p.Quit) {
        AMsg = TMsg{};
        AMsg.message = WM_QUIT;
        AMsg.wParam = WPARAM(p.ExitCode);
        if (ARemove)
            p.Quit = false;
        return true;
    }
    return false;
}

bool DueTimer(TMsg& AMsg, bool ARemove)
{
    uint64_t now = WindowClock();
    for (TTimerEntry& t : Timers()) {
        if (t.Due > now)
            continue;
        AMsg = TMsg{};
        AMsg.hwnd = t.Wnd;
        AMsg.message = WM_TIMER;
        AMsg.wParam = t.Id;
        AMsg.time = uint32_t(now);
        // A late timer fires once, then keeps its rhythm from now.
        if (ARemove)
            t.Due = now + std::max<uint32_t>(t.Interval, 1);
        return true;
    }
    return false;
}

uint32_t MsUntilNextTimer()
{
    uint64_t now = WindowClock();
    uint64_t best = UINT64_MAX;
    for (const TTimerEntry& t : Timers())
        best = std::min(best, t.Due > now ? t.Due - now : 0);
    if (best == UINT64_MAX)
        return UINT32_MAX;
    // A test clock does not move by itself: do not sleep on it.
    if (GClock)
        return 0;
    return uint32_t(std::min<uint64_t>(best, 60000));
}

bool Peek(TMsg& AMsg, bool ARemove)
{
    CheckSynchronize(0);
    Backend().DispatchEvents();
    if (PopPosted(AMsg, ARemove))
        return true;
    if (ARemove && NextInputMessage(AMsg))
        return true;
    // Input may have become posted messages (typed text).
    if (PopPosted(AMsg, ARemove))
        return true;
    if (!ARemove && InputWaiting()) {
        // Input is turned into messages only when it is taken.
        AMsg = TMsg{};
        AMsg.message = WM_NULL;
        return true;
    }
    if (HWND h = NextWindowToPaint()) {
        AMsg = TMsg{};
        AMsg.hwnd = h;
        AMsg.message = WM_PAINT;
        AMsg.time = uint32_t(WindowClock());
        return true;
    }
    return DueTimer(AMsg, ARemove);
}

} // namespace

void RemoveWindowTimers(HWND AWnd)
{
    auto& timers = Timers();
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const TTimerEntry& t) { return t.Wnd == AWnd; }),
                 timers.end());
}

void EnsureInitialized()
{
    static std::once_flag once;
    std::call_once(once, [] {
    if (!WS().BackendPtr)
        WS().BackendPtr = std::make_unique<THeadlessBackend>();
    TWndClass def;
    def.ClassName = "#Default";
    WS().Classes["#DEFAULT"] = std::make_shared<const TWndClass>(def);
    SetWakeMainThread([] { Backend().Wake(); });
    SetMessagePumpHook([] {
        TMsg msg;
        if (!PeekMessage(msg, PM_REMOVE))
            return false;
        if (msg.message == WM_QUIT) {
            GQuitReceived = true;
            GQuitCode = int(msg.wParam);
            return true;
        }
        TranslateMessage(msg);
        DispatchMessage(msg);
        return true;
    });
    });
}

void NoteMessageRetrieved(const TMsg& AMsg) { GCurrent = AMsg; }

} // namespace detail

using namespace detail;

TWindowBackend& Backend()
{
    EnsureInitialized();
    return *WS().BackendPtr;
}

void SetBackend(std::unique_ptr<TWindowBackend> ABackend)
{
    EnsureInitialized();
    WS().BackendPtr = std::move(ABackend);
}

LRESULT SendMessage(HWND AWnd, UINT AMsg, WPARAM W, LPARAM L)
{
    if (IsMainThread())
        return Send(AWnd, AMsg, W, L);
    LRESULT result = 0;
    Synchronize([&] { result = Send(AWnd, AMsg, W, L); });
    return result;
}

bool PostMessage(HWND AWnd, UINT AMsg, WPARAM W, LPARAM L)
{
    if (AWnd && IsMainThread() && !Find(AWnd))
        return false;
    TMsg m;
    m.hwnd = AWnd;
    m.message = AMsg;
    m.wParam = W;
    m.lParam = L;
    m.time = uint32_t(SteadyMs());
    {
        TPosted& p = Posted();
        std::lock_guard<std::mutex> guard(p.Lock);
        p.Messages.push_back(m);
    }
    Backend().Wake();
    return true;
}

void PostQuitMessage(int AExitCode)
{
    {
        TPosted& p = Posted();
        std::lock_guard<std::mutex> guard(p.Lock);
        p.Quit = true;
        p.ExitCode = AExitCode;
    }
    Backend().Wake();
}

bool PeekMessage(TMsg& AMsg, UINT ARemove)
{
    EnsureInitialized();
    bool got = Peek(AMsg, ARemove & PM_REMOVE);
    if (got && (ARemove & PM_REMOVE))
        NoteMessageRetrieved(AMsg);
    if (!got)
        FlushPresentation();
    return got;
}

bool GetMessage(TMsg& AMsg)
{
    EnsureInitialized();
    while (!Peek(AMsg, true)) {
        FlushPresentation();
        Backend().WaitEvents(MsUntilNextTimer());
    }
    NoteMessageRetrieved(AMsg);
    return AMsg.message != WM_QUIT;
}

void WaitMessage()
{
    EnsureInitialized();
    TMsg m;
    while (!Peek(m, false)) {
        FlushPresentation();
        Backend().WaitEvents(MsUntilNextTimer());
    }
}

bool TranslateMessage(const TMsg& AMsg)
{
    if ((AMsg.message != WM_KEYDOWN && AMsg.message != WM_SYSKEYDOWN) || AMsg.TextLen == 0)
        return false;
    UINT charMsg = AMsg.message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    for (int i = 0; i < AMsg.TextLen; ++i)
        PostMessage(AMsg.hwnd, charMsg, WPARAM(AMsg.Text[i]), AMsg.lParam);
    return true;
}

LRESULT DispatchMessage(const TMsg& AMsg)
{
    if (AMsg.message == WM_TIMER) {
        for (const TTimerEntry& t : Timers())
            if (t.Wnd == AMsg.hwnd && t.Id == AMsg.wParam && t.Proc) {
                TTimerProc proc = t.Proc;
                proc(AMsg.hwnd, WM_TIMER, AMsg.wParam, AMsg.time);
                return 0;
            }
    }
    if (!AMsg.hwnd)
        return 0;
    LRESULT r = Send(AMsg.hwnd, AMsg.message, AMsg.wParam, AMsg.lParam);
    if (AMsg.message == WM_PAINT) {
        // A procedure that answered WM_PAINT without painting would be asked forever.
        if (TWindowData* w = Find(AMsg.hwnd); w && !RgnIsEmpty(w->Update))
            ValidateRect(AMsg.hwnd, nullptr);
    }
    return r;
}

uint32_t GetMessageTime() { return GCurrent.time; }
TPoint GetMessagePos() { return GCurrent.pt; }

bool QuitReceived(int* AExitCode)
{
    if (AExitCode)
        *AExitCode = GQuitCode;
    return GQuitReceived;
}

void ResetQuit()
{
    GQuitReceived = false;
    GQuitCode = 0;
    TPosted& p = Posted();
    std::lock_guard<std::mutex> guard(p.Lock);
    p.Quit = false;
}

uintptr_t SetTimer(HWND AWnd, uintptr_t AId, uint32_t AIntervalMs, TTimerProc AProc)
{
    EnsureInitialized();
    if (AWnd && !Find(AWnd))
        return 0;
    if (!AWnd)
        AId = ++GNextTimerId;
    uint64_t due = WindowClock() + std::max<uint32_t>(AIntervalMs, 1);
    for (TTimerEntry& t : Timers())
        if (t.Wnd == AWnd && t.Id == AId) {
            t.Interval = AIntervalMs;
            t.Due = due;
            t.Proc = std::move(AProc);
            return AWnd ? 1 : AId;
        }
    Timers().push_back(TTimerEntry{AWnd, AId, AIntervalMs, due, std::move(AProc)});
    return AWnd ? 1 : AId;
}

bool KillTimer(HWND AWnd, uintptr_t AId)
{
    auto& timers = Timers();
    auto it = std::find_if(timers.begin(), timers.end(), [&](const TTimerEntry& t) { return t.Wnd == AWnd && t.Id == AId; });
    if (it == timers.end())
        return false;
    timers.erase(it);
    return true;
}

UINT RegisterWindowMessage(const std::string& AName)
{
    static std::mutex lock;
    static std::map<std::string, UINT> numbers;
    std::lock_guard<std::mutex> guard(lock);
    auto [it, added] = numbers.try_emplace(AName, UINT(0xC000 + numbers.size()));
    return it->second;
}

uint64_t WindowClock() { return GClock ? GClock() : SteadyMs(); }
void SetWindowClockForTesting(std::function<uint64_t()> AClock) { GClock = std::move(AClock); }

} // namespace platform
