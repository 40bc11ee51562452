#pragma once
// Recording windows for message-order tables.

#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace uitest {

using namespace platform;

struct TEntry {
    std::string Wnd;
    UINT Msg;
    WPARAM W;
    friend bool operator==(const TEntry&, const TEntry&) = default;
};

inline std::ostream& operator<<(std::ostream& S, const TEntry& E)
{
    return S << "{" << E.Wnd << ", " << E.Msg << ", " << E.W << "}";
}

// Messages left out of the tables unless a test asks for them: they come
// with every mouse event or every paint.
inline const std::set<UINT> kNoise = {WM_NCHITTEST, WM_SETCURSOR, WM_GETTEXT, WM_GETTEXTLENGTH, WM_NCPAINT, WM_ERASEBKGND, WM_PAINT};

class TRecorder {
public:
    std::vector<TEntry> Log;
    std::map<HWND, std::string> Names;
    std::set<UINT> Ignore = kNoise;
    bool Recording = true;
    // Per-window overrides: answer instead of DefWindowProc when present.
    std::map<std::pair<HWND, UINT>, std::function<LRESULT(WPARAM, LPARAM)>> Handlers;

    TRecorder()
    {
        TWndClass cls;
        cls.ClassName = "UiTestRec";
        cls.Style = CS_DBLCLKS;
        cls.WndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) { return Proc(h, m, w, l); };
        RegisterClass(cls);   // once per program; the lambda finds the current recorder
        Current() = this;
    }
    ~TRecorder()
    {
        for (HWND h : GetChildWindows(nullptr))
            DestroyWindow(h);
        TMsg m;
        while (PeekMessage(m, PM_REMOVE)) {
        }
        ResetQuit();
        Current() = nullptr;
    }
    static TRecorder*& Current()
    {
        static TRecorder* current = nullptr;
        return current;
    }

    HWND Make(const std::string& AName, DWORD AStyle, TRect R, HWND AParent = nullptr, DWORD AExStyle = 0)
    {
        bool was = Recording;
        Recording = false;
        HWND h = CreateWindowEx(AExStyle, "UiTestRec", AName, AStyle & ~WS_VISIBLE, R.Left, R.Top, R.Width(), R.Height(), AParent);
        Names[h] = AName;
        if (AStyle & WS_VISIBLE)
            ShowWindow(h, (AStyle & WS_CHILD) ? SW_SHOWNA : SW_SHOW);
        Recording = was;
        return h;
    }
    std::vector<TEntry> Take()
    {
        std::vector<TEntry> out;
        out.swap(Log);
        return out;
    }
    void Pump()
    {
        TMsg m;
        while (PeekMessage(m, PM_REMOVE)) {
            TranslateMessage(m);
            DispatchMessage(m);
        }
    }

private:
    static LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        TRecorder* self = Current();
        if (!self)
            return DefWindowProc(h, m, w, l);
        if (self->Recording && !self->Ignore.count(m)) {
            auto it = self->Names.find(h);
            self->Log.push_back({it == self->Names.end() ? "?" : it->second, m, w});
        }
        auto hit = self->Handlers.find({h, m});
        if (hit != self->Handlers.end())
            return hit->second(w, l);
        return DefWindowProc(h, m, w, l);
    }
};

inline WPARAM H(HWND AWnd) { return reinterpret_cast<WPARAM>(AWnd); }

} // namespace uitest
