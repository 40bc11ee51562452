// The window system's speed: messages dispatched per second through the loop
// (posted, sent on the GUI thread, sent from a worker), and the time from
// invalidating a full 827 x 489 window to its pixels on the display (under
// the X presenter when a display is set, else into the back buffer only).
#include "platform/controls/Forms.h"
#include "platform/core/MainThread.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Threads.h"
#include "platform/ui/MessageLoop.h"
#include "platform/x11/X11Backend.h"

#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <cstdio>

using namespace platform;

namespace {

using TClock = std::chrono::steady_clock;

double Seconds(TClock::time_point AStart) { return std::chrono::duration<double>(TClock::now() - AStart).count(); }

HWND MakeCountingWindow(long& ACount)
{
    TWndClass cls;
    cls.ClassName = "BenchCounter";
    cls.WndProc = [&ACount](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_USER) {
            ++ACount;
            return 0;
        }
        return DefWindowProc(h, m, w, l);
    };
    RegisterClass(cls);
    return CreateWindowEx(0, "BenchCounter", "", WS_POPUP, 0, 0, 10, 10, nullptr);
}

void BenchMessages()
{
    long count = 0;
    HWND w = MakeCountingWindow(count);
    constexpr int kBatch = 1000, kBatches = 300;
    auto start = TClock::now();
    for (int b = 0; b < kBatches; ++b) {
        for (int i = 0; i < kBatch; ++i)
            PostMessage(w, WM_USER);
        TMsg m;
        while (PeekMessage(m, PM_REMOVE))
            DispatchMessage(m);
    }
    double posted = Seconds(start);
    std::printf("posted and dispatched: %.0f messages/s (%ld)\n", count / posted, count);

    count = 0;
    start = TClock::now();
    for (int i = 0; i < kBatch * kBatches; ++i)
        SendMessage(w, WM_USER);
    std::printf("sent on the GUI thread: %.0f messages/s\n", count / Seconds(start));

    count = 0;
    constexpr int kCross = 20000;
    std::atomic<bool> done{false};
    TAnonymousThread worker([&] {
        for (int i = 0; i < kCross; ++i)
            SendMessage(w, WM_USER);
        done = true;
    });
    start = TClock::now();
    worker.Start();
    WaitUntilServing([&] { return done.load(); });
    worker.WaitFor();
    std::printf("sent from a worker: %.0f messages/s\n", count / Seconds(start));
    DestroyWindow(w);
}

// A control that fills the whole window and writes a caption, as a skinned face does.
class TFace : public TCustomControl {
public:
    explicit TFace(TComponent* AOwner) : TCustomControl(AOwner) {}
    int Frame = 0;

protected:
    void Paint() override
    {
        ++Frame;
        TCanvas* c = Canvas();
        for (int y = 0; y < Height(); y += 8) {
            c->Brush()->SetColor(TColor(((y + Frame) & 0xFF) | 0x404000));
            c->FillRect(Rect(0, y, Width(), y + 8));
        }
        c->Brush()->SetStyle(bsClear);
        c->TextOut(20, 20, "ZarveloMP3格式转换器 " + std::to_string(Frame));
    }
};

void BenchInvalidationToScreen()
{
    bool onDisplay = !GetEnvironmentVariable("DISPLAY").empty();
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 827, 489);
    auto* face = new TFace(form.get());
    face->SetAlign(alClient);
    face->SetParent(form.get());
    form->Show();
    Application()->ProcessMessages();
    Display* d = nullptr;
    if (onDisplay)
        if (auto* x = dynamic_cast<TX11Backend*>(&Backend()))
            d = static_cast<Display*>(x->XDisplay());
    if (d)
        XSync(d, False);
    constexpr int kFrames = 60;
    double total = 0, worst = 0;
    for (int i = 0; i < kFrames; ++i) {
        auto start = TClock::now();
        face->Invalidate();
        Application()->ProcessMessages();   // paints, then shows what was painted
        if (d)
            XSync(d, False);                 // the server has the pixels
        double s = Seconds(start);
        total += s;
        worst = std::max(worst, s);
    }
    std::printf("invalidation to pixels on %s, 827 x 489: %.2f ms per frame (worst %.2f ms)\n",
                d ? "the X display" : "the back buffer", total / kFrames * 1000, worst * 1000);
}

} // namespace

int main()
{
    SetMainThread();
    bool x11 = !GetEnvironmentVariable("DISPLAY").empty() && InstallX11Backend();
    std::printf("presenter: %s\n", x11 ? "X11" : "headless");
    BenchMessages();
    BenchInvalidationToScreen();
    return 0;
}
