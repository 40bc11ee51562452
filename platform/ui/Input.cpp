#include "platform/ui/Input.h"

#include "platform/core/CodePage.h"
#include "platform/ui/WindowSystem.h"

#include <array>
#include <cstdlib>
#include <deque>
#include <mutex>

namespace platform {
namespace detail {
namespace {

enum class TInputKind { ikMove, ikButton, ikWheel, ikKey, ikText, ikDeactivate, ikWindowState };

struct TInputEvent {
    TInputKind Kind;
    TPoint Pt;
    TMouseButton Button = TMouseButton::mbLeft;
    bool Down = false;
    int Value = 0;   // wheel delta or virtual key
    std::u16string Text;
    HWND Wnd = nullptr;   // the window the desktop minimised (Down) or restored
};

struct TInputQueue {
    std::mutex Lock;
    std::deque<TInputEvent> Events;
    std::array<uint8_t, 256> AsyncKeys{};
};

TInputQueue& Q()
{
    static TInputQueue q;
    return q;
}

std::array<uint8_t, 256> GKeys{};   // 0x80 down, 0x01 toggled
TPoint GCursor;
HWND GTrackLeave = nullptr;
struct {
    HWND Wnd = nullptr;
    TMouseButton Button = TMouseButton::mbLeft;
    uint64_t Time = 0;
    TPoint Pt;
} GLastClick;

void Push(TInputEvent AEvent)
{
    {
        std::lock_guard<std::mutex> guard(Q().Lock);
        TInputQueue& q = Q();
        if (AEvent.Kind == TInputKind::ikKey)
            q.AsyncKeys[AEvent.Value & 0xFF] = AEvent.Down ? 0x80 : 0;
        if (AEvent.Kind == TInputKind::ikButton) {
            int vk = AEvent.Button == TMouseButton::mbLeft ? VK_LBUTTON : AEvent.Button == TMouseButton::mbRight ? VK_RBUTTON : VK_MBUTTON;
            q.AsyncKeys[vk] = AEvent.Down ? 0x80 : 0;
        }
        q.Events.push_back(std::move(AEvent));
    }
    Backend().Wake();
}

bool PopEvent(TInputEvent& AEvent)
{
    std::lock_guard<std::mutex> guard(Q().Lock);
    if (Q().Events.empty())
        return false;
    AEvent = std::move(Q().Events.front());
    Q().Events.pop_front();
    return true;
}

UINT ButtonMessage(TMouseButton AButton, bool ADown, bool ADouble)
{
    UINT base = AButton == TMouseButton::mbLeft ? WM_LBUTTONDOWN : AButton == TMouseButton::mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    return ADouble ? base + 2 : ADown ? base : base + 1;
}

int ButtonKey(TMouseButton AButton)
{
    return AButton == TMouseButton::mbLeft ? VK_LBUTTON : AButton == TMouseButton::mbRight ? VK_RBUTTON : VK_MBUTTON;
}

void MakeMsg(TMsg& AMsg, HWND AWnd, UINT AMessage, WPARAM W, LPARAM L, TPoint APt)
{
    AMsg = TMsg{};
    AMsg.hwnd = AWnd;
    AMsg.message = AMessage;
    AMsg.wParam = W;
    AMsg.lParam = L;
    AMsg.pt = APt;
    AMsg.time = uint32_t(WindowClock());
}

void CheckLeave(HWND ATarget)
{
    if (GTrackLeave && GTrackLeave != ATarget) {
        HWND left = GTrackLeave;
        GTrackLeave = nullptr;
        PostMessage(left, WM_MOUSELEAVE);
    }
}

bool MouseMessage(const TInputEvent& E, TMsg& AMsg)
{
    GCursor = E.Pt;
    Backend().CursorMovedByInput(E.Pt);
    if (E.Kind == TInputKind::ikButton)
        GKeys[ButtonKey(E.Button)] = E.Down ? 0x80 : 0;
    auto& ws = WS();
    HWND target = ws.Capture;
    LRESULT hit = HTCLIENT;
    if (!target) {
        target = WindowFromPoint(E.Pt);
        if (!target) {
            // A press outside every window of the program ends the popup
            // that holds the pointer.
            if (E.Kind == TInputKind::ikButton && E.Down && ws.PopupGrab)
                Send(ws.PopupGrab, WM_CANCELMODE);
            return false;
        }
        hit = Send(target, WM_NCHITTEST, 0, MAKELPARAM(E.Pt.X, E.Pt.Y));
        if (!IsWindow(target))
            return false;
        if (hit == HTTRANSPARENT) {
            HWND parent = GetAncestor(target, GA_PARENT);
            if (!parent)
                return false;
            target = parent;
            hit = HTCLIENT;
        }
    }
    CheckLeave(target);
    HWND root = GetAncestor(target, GA_ROOT);
    if (!ws.Capture && !IsWindowEnabled(root))
        return false;   // a window behind a modal one hears nothing
    const bool down = E.Kind == TInputKind::ikButton && E.Down;
    UINT clientMsg = E.Kind == TInputKind::ikMove ? WM_MOUSEMOVE : ButtonMessage(E.Button, E.Down, false);
    if (down) {
        uint64_t now = WindowClock();
        TWindowData* t = Find(target);
        bool dbl = GLastClick.Wnd == target && GLastClick.Button == E.Button && now - GLastClick.Time <= GetDoubleClickTime() &&
                   std::abs(GLastClick.Pt.X - E.Pt.X) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                   std::abs(GLastClick.Pt.Y - E.Pt.Y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2 &&
                   (hit != HTCLIENT || (t->Class->Style & CS_DBLCLKS));
        if (dbl) {
            clientMsg = ButtonMessage(E.Button, true, true);
            GLastClick.Wnd = nullptr;
        } else {
            GLastClick = {target, E.Button, now, E.Pt};
        }
        if (root != ws.Active && !(Find(root)->ExStyle & WS_EX_NOACTIVATE)) {
            LRESULT ma = Send(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root), MAKELPARAM(int(hit), int(clientMsg)));
            if (ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT)
                Activate(root, true);
            if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT)
                return false;
            if (!IsWindow(target))
                return false;
        }
    }
    if (!ws.Capture)
        Send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(int(hit), int(clientMsg)));
    if (!IsWindow(target))
        return false;
    if (hit == HTCLIENT) {
        TPoint c = ScreenToClient(target, E.Pt);
        if (down && clientMsg != ButtonMessage(E.Button, true, true)) {
            // Parents hear of clicks on their children.
            TWindowData* w = Find(target);
            while (w && !w->IsTopLevel() && !(w->ExStyle & WS_EX_NOPARENTNOTIFY)) {
                HWND parent = w->Parent;
                TPoint pc = ScreenToClient(parent, E.Pt);
                Send(parent, WM_PARENTNOTIFY, clientMsg, MAKELPARAM(pc.X, pc.Y));
                w = Find(parent);
            }
            if (!IsWindow(target))
                return false;
        }
        MakeMsg(AMsg, target, clientMsg, MouseKeyFlags(), MAKELPARAM(c.X, c.Y), E.Pt);
    } else {
        UINT nc = clientMsg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        MakeMsg(AMsg, target, nc, WPARAM(hit), MAKELPARAM(E.Pt.X, E.Pt.Y), E.Pt);
    }
    return true;
}

// The wheel scrolls what lies under the pointer, as desktops do, whichever
// window has the keys: the window that holds the mouse, else the one the
// pointer is over (a window unhandled climbs to its parent). A window
// behind a modal one hears nothing.
bool WheelMessage(const TInputEvent& E, TMsg& AMsg)
{
    GCursor = E.Pt;
    auto& ws = WS();
    HWND target = ws.Capture;
    if (!target) {
        target = WindowFromPoint(E.Pt);
        // A part of a window that lets the mouse through passes the wheel on too.
        if (target && Send(target, WM_NCHITTEST, 0, MAKELPARAM(E.Pt.X, E.Pt.Y)) == HTTRANSPARENT)
            target = GetAncestor(target, GA_PARENT);
        if (!target || !IsWindow(target) || !IsWindowEnabled(GetAncestor(target, GA_ROOT)))
            return false;
    }
    MakeMsg(AMsg, target, WM_MOUSEWHEEL, (MouseKeyFlags() & 0xFFFF) | (WPARAM(uint16_t(int16_t(E.Value))) << 16),
            MAKELPARAM(E.Pt.X, E.Pt.Y), E.Pt);
    return true;
}

// Alt pressed and released with no other key between opens the menu bar;
// Alt+letter does not.
bool GAltAlone = false;

bool KeyMessage(const TInputEvent& E, TMsg& AMsg)
{
    int vk = E.Value & 0xFF;
    const bool wasDown = GKeys[vk] & 0x80;
    if (E.Down && vk == VK_MENU && !wasDown)
        GAltAlone = true;
    else if (E.Down && vk != VK_MENU)
        GAltAlone = false;
    if (E.Down) {
        if (!wasDown)
            GKeys[vk] ^= 0x01;
        GKeys[vk] |= 0x80;
    } else {
        GKeys[vk] &= ~0x80;
    }
    auto& ws = WS();
    HWND target = ws.Focus ? ws.Focus : ws.Active;
    if (!target)
        return false;
    const bool alt = GKeys[VK_MENU] & 0x80;
    const bool sys = (alt && !(GKeys[VK_CONTROL] & 0x80)) || vk == VK_F10 || !ws.Focus || (vk == VK_MENU && !E.Down);
    UINT msg = E.Down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM l = 1 | (alt ? (1 << 29) : 0) | (wasDown ? (1 << 30) : 0) | (E.Down ? 0 : (int64_t(3) << 30));
    MakeMsg(AMsg, target, msg, WPARAM(vk), l & 0xFFFFFFFF, GCursor);
    if (E.Down)
        for (size_t i = 0; i < E.Text.size() && i < 4; ++i)
            AMsg.Text[AMsg.TextLen++] = E.Text[i];
    return true;
}

} // namespace

bool InputWaiting()
{
    std::lock_guard<std::mutex> guard(Q().Lock);
    return !Q().Events.empty();
}

bool NextInputMessage(TMsg& AMsg)
{
    TInputEvent e;
    while (PopEvent(e)) {
        switch (e.Kind) {
        case TInputKind::ikMove:
        case TInputKind::ikButton:
            if (MouseMessage(e, AMsg))
                return true;
            break;
        case TInputKind::ikWheel:
            if (WheelMessage(e, AMsg))
                return true;
            break;
        case TInputKind::ikKey:
            if (KeyMessage(e, AMsg))
                return true;
            break;
        case TInputKind::ikText: {
            HWND target = WS().Focus;
            if (!target)
                break;
            for (char16_t c : e.Text)
                PostMessage(target, WM_CHAR, WPARAM(c), 1);
            break;
        }
        case TInputKind::ikDeactivate:
            Activate(nullptr, false);
            break;
        case TInputKind::ikWindowState:
            // The window hears it as the system command its own caption
            // buttons would give, so its frame and its application follow.
            if (IsWindow(e.Wnd) && IsIconic(e.Wnd) != e.Down) {
                MakeMsg(AMsg, e.Wnd, WM_SYSCOMMAND, e.Down ? SC_MINIMIZE : SC_RESTORE, 0, GCursor);
                return true;
            }
            break;
        }
    }
    return false;
}

} // namespace detail

using namespace detail;

namespace {

TInputEvent Event(TInputKind AKind, TPoint APt = TPoint{})
{
    TInputEvent e;
    e.Kind = AKind;
    e.Pt = APt;
    return e;
}

} // namespace

void InjectMouseMove(TPoint AScreen) { Push(Event(TInputKind::ikMove, AScreen)); }

void InjectMouseButton(TMouseButton AButton, bool ADown, TPoint AScreen)
{
    TInputEvent e = Event(TInputKind::ikButton, AScreen);
    e.Button = AButton;
    e.Down = ADown;
    Push(std::move(e));
}

void InjectMouseWheel(int ADelta, TPoint AScreen)
{
    TInputEvent e = Event(TInputKind::ikWheel, AScreen);
    e.Value = ADelta;
    Push(std::move(e));
}

void InjectKey(int AVirtualKey, bool ADown, const std::string& AText)
{
    TInputEvent e = Event(TInputKind::ikKey);
    e.Value = AVirtualKey;
    e.Down = ADown;
    e.Text = Utf8ToUtf16(AText);
    Push(std::move(e));
}

void InjectText(const std::string& AText)
{
    TInputEvent e = Event(TInputKind::ikText);
    e.Text = Utf8ToUtf16(AText);
    Push(std::move(e));
}

void InjectDeactivate() { Push(Event(TInputKind::ikDeactivate)); }

void InjectWindowState(HWND AWnd, bool AIconic)
{
    TInputEvent e = Event(TInputKind::ikWindowState);
    e.Wnd = AWnd;
    e.Down = AIconic;
    Push(std::move(e));
}

bool AltPressedAlone() { return GAltAlone; }

int16_t GetKeyState(int AVirtualKey)
{
    uint8_t k = GKeys[AVirtualKey & 0xFF];
    return int16_t((k & 0x80 ? 0x8000 : 0) | (k & 0x01));
}

int16_t GetAsyncKeyState(int AVirtualKey)
{
    std::lock_guard<std::mutex> guard(Q().Lock);
    return Q().AsyncKeys[AVirtualKey & 0xFF] & 0x80 ? int16_t(0x8000) : 0;
}

WPARAM MouseKeyFlags()
{
    WPARAM f = 0;
    if (GKeys[VK_LBUTTON] & 0x80) f |= MK_LBUTTON;
    if (GKeys[VK_RBUTTON] & 0x80) f |= MK_RBUTTON;
    if (GKeys[VK_MBUTTON] & 0x80) f |= MK_MBUTTON;
    if (GKeys[VK_SHIFT] & 0x80) f |= MK_SHIFT;
    if (GKeys[VK_CONTROL] & 0x80) f |= MK_CONTROL;
    return f;
}

TPoint GetCursorPos() { return Backend().CursorPos(); }

bool SetCursorPos(TPoint AScreen)
{
    Backend().SetCursorPos(AScreen);
    return true;
}

void SetCursorShape(TCursorShape AShape) { Backend().SetCursorShape(AShape); }

bool TrackMouseLeave(HWND AWnd)
{
    if (!IsWindow(AWnd))
        return false;
    GTrackLeave = AWnd;
    return true;
}

bool SetClipboardText(const std::string& AText)
{
    Backend().SetClipboardText(AText);
    return true;
}

std::string GetClipboardText() { return Backend().ClipboardText(); }

} // namespace platform
