#include "program/ProgramSession.h"

#include "program/ProgramPopups.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace programtest {

namespace {

void Settle(Display* D, int AMs = 30)
{
    XSync(D, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(AMs));
}

// The code points of a UTF-8 text.
std::vector<uint32_t> CodePoints(const std::string& AText)
{
    std::vector<uint32_t> out;
    for (size_t i = 0; i < AText.size();) {
        const auto c = uint8_t(AText[i]);
        const int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        uint32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra && i + size_t(k) < AText.size(); ++k)
            cp = (cp << 6) | (uint8_t(AText[i + size_t(k)]) & 0x3F);
        out.push_back(cp);
        i += size_t(extra) + 1;
    }
    return out;
}

KeySym SymOf(uint32_t ACodePoint)
{
    if (ACodePoint == '\n' || ACodePoint == '\r')
        return XK_Return;
    if (ACodePoint == '\t')
        return XK_Tab;
    return ACodePoint < 0x100 ? KeySym(ACodePoint) : KeySym(0x01000000 | ACodePoint);
}

// A key code without symbols, to lend to a character the keyboard lacks.
KeyCode SpareKey(Display* D)
{
    int low = 0, high = 0, perCode = 0;
    XDisplayKeycodes(D, &low, &high);
    KeySym* map = XGetKeyboardMapping(D, KeyCode(low), high - low + 1, &perCode);
    KeyCode spare = 0;
    for (int code = high; code >= low && !spare; --code) {
        bool empty = true;
        for (int k = 0; k < perCode; ++k)
            empty = empty && map[(code - low) * perCode + k] == NoSymbol;
        if (empty)
            spare = KeyCode(code);
    }
    XFree(map);
    return spare;
}

void Tap(Display* D, KeyCode ACode, bool AShift)
{
    const KeyCode shift = XKeysymToKeycode(D, XK_Shift_L);
    if (AShift)
        XTestFakeKeyEvent(D, shift, True, CurrentTime);
    XTestFakeKeyEvent(D, ACode, True, CurrentTime);
    XTestFakeKeyEvent(D, ACode, False, CurrentTime);
    if (AShift)
        XTestFakeKeyEvent(D, shift, False, CurrentTime);
    Settle(D, 10);
}

} // namespace

void TProgramSession::ClickScreen(platform::TPoint AOnScreen)
{
    XTestFakeMotionEvent(FDpy, -1, AOnScreen.X, AOnScreen.Y, CurrentTime);
    Settle(FDpy, 60);
    XTestFakeButtonEvent(FDpy, 1, True, CurrentTime);
    Settle(FDpy, 40);
    XTestFakeButtonEvent(FDpy, 1, False, CurrentTime);
    Settle(FDpy);
}

void TProgramSession::DoubleClickAt(const TWin& AWin, platform::TPoint AInWindow)
{
    const TWin now = Refresh(AWin);
    XTestFakeMotionEvent(FDpy, -1, now.Bounds.Left + AInWindow.X, now.Bounds.Top + AInWindow.Y, CurrentTime);
    Settle(FDpy, 60);
    for (int i = 0; i < 2; ++i) {
        XTestFakeButtonEvent(FDpy, 1, True, CurrentTime);
        XTestFakeButtonEvent(FDpy, 1, False, CurrentTime);
    }
    Settle(FDpy);
}

void TProgramSession::PointAt(platform::TPoint AOnScreen)
{
    XTestFakeMotionEvent(FDpy, -1, AOnScreen.X, AOnScreen.Y, CurrentTime);
    Settle(FDpy);
}

void TProgramSession::Wheel(platform::TPoint AOnScreen, int ANotches)
{
    XTestFakeMotionEvent(FDpy, -1, AOnScreen.X, AOnScreen.Y, CurrentTime);
    Settle(FDpy, 60);
    // X reports the wheel as buttons 4 (away) and 5 (towards the user).
    const unsigned button = ANotches > 0 ? 5 : 4;
    for (int i = 0; i < std::abs(ANotches); ++i) {
        XTestFakeButtonEvent(FDpy, button, True, CurrentTime);
        XTestFakeButtonEvent(FDpy, button, False, CurrentTime);
        Settle(FDpy, 20);
    }
    Settle(FDpy);
}

void TProgramSession::DragScreen(platform::TPoint AFrom, platform::TPoint ATo) { DragScreen(AFrom, ATo, 8, 20); }

void TProgramSession::DragScreen(platform::TPoint AFrom, platform::TPoint ATo, int ASteps, int AStepMs)
{
    XTestFakeMotionEvent(FDpy, -1, AFrom.X, AFrom.Y, CurrentTime);
    Settle(FDpy, 60);
    XTestFakeButtonEvent(FDpy, 1, True, CurrentTime);
    Settle(FDpy, 40);
    for (int i = 1; i <= ASteps; ++i) {
        XTestFakeMotionEvent(FDpy, -1, AFrom.X + (ATo.X - AFrom.X) * i / ASteps,
                             AFrom.Y + (ATo.Y - AFrom.Y) * i / ASteps, CurrentTime);
        Settle(FDpy, AStepMs);
    }
    Settle(FDpy, 40);
    XTestFakeButtonEvent(FDpy, 1, False, CurrentTime);
    Settle(FDpy);
}

void TProgramSession::ClickAt(const TWin& AWin, platform::TPoint AInWindow)
{
    const TWin now = Refresh(AWin);
    ClickScreen(platform::Point(now.Bounds.Left + AInWindow.X, now.Bounds.Top + AInWindow.Y));
}

::testing::AssertionResult TProgramSession::Click(const TControlSpot& AControl)
{
    TWin form;
    if (auto found = WaitWindow(AControl.Form->Title, form); !found)
        return found;
    const platform::TRect& r = AControl.Bounds;
    ClickAt(form, platform::Point(AControl.Form->ClientInWindow.X + (r.Left + r.Right) / 2,
                                  AControl.Form->ClientInWindow.Y + (r.Top + r.Bottom) / 2));
    return ::testing::AssertionSuccess();
}

void TProgramSession::Type(const std::string& AText)
{
    for (uint32_t cp : CodePoints(AText)) {
        const KeySym sym = SymOf(cp);
        const KeyCode code = XKeysymToKeycode(FDpy, sym);
        if (code && XkbKeycodeToKeysym(FDpy, code, 0, 0) == sym) {
            Tap(FDpy, code, false);
        } else if (code && XkbKeycodeToKeysym(FDpy, code, 0, 1) == sym) {
            Tap(FDpy, code, true);
        } else if (KeyCode spare = SpareKey(FDpy)) {
            // Lent for this one character and given back after.
            KeySym lent[2] = {sym, sym};
            XChangeKeyboardMapping(FDpy, spare, 2, lent, 1);
            Settle(FDpy, 100);
            Tap(FDpy, spare, false);
            Settle(FDpy, 50);
            KeySym none[2] = {NoSymbol, NoSymbol};
            XChangeKeyboardMapping(FDpy, spare, 2, none, 1);
            Settle(FDpy, 50);
        } else {
            ADD_FAILURE() << "no key to type U+" << std::hex << cp;
        }
    }
}

void TProgramSession::Key(const std::string& AKeySym, const std::vector<std::string>& AHeld)
{
    std::vector<KeyCode> held;
    for (const std::string& h : AHeld)
        held.push_back(XKeysymToKeycode(FDpy, XStringToKeysym(h.c_str())));
    for (KeyCode h : held)
        XTestFakeKeyEvent(FDpy, h, True, CurrentTime);
    const KeyCode code = XKeysymToKeycode(FDpy, XStringToKeysym(AKeySym.c_str()));
    if (!code)
        ADD_FAILURE() << "no key " << AKeySym;
    XTestFakeKeyEvent(FDpy, code, True, CurrentTime);
    XTestFakeKeyEvent(FDpy, code, False, CurrentTime);
    for (auto h = held.rbegin(); h != held.rend(); ++h)
        XTestFakeKeyEvent(FDpy, *h, False, CurrentTime);
    Settle(FDpy);
}

::testing::AssertionResult TProgramSession::PickFile(const std::string& APath, const std::string& ADialogTitle)
{
    TWin dialog;
    if (auto shown = WaitWindow(ADialogTitle, dialog); !shown)
        return shown;
    if (auto focused = WaitFocused(dialog); !focused)
        return focused;
    Type(APath);
    Shot("typed " + APath.substr(APath.rfind('/') + 1));
    Key("Return");
    return WaitWindowGone(ADialogTitle);
}

::testing::AssertionResult TProgramSession::ChooseAdd(TAddEntry AEntry)
{
    if (auto clicked = Click(Controls::Add); !clicked)
        return clicked;
    TWin menu;
    if (auto shown = WaitFor("the add menu drops", [&] { return FindPopup(*this, menu); }); !shown)
        return shown;
    Shot("add menu");
    // Its three entries share its height; the pointer picks one whatever
    // window has the keyboard.
    ClickAt(menu, platform::Point(menu.Bounds.Width() / 2, menu.Bounds.Height() * (2 * int(AEntry) + 1) / 6));
    return WaitFor("the add menu closes", [this] { return !PopupShown(*this); });
}

} // namespace programtest
