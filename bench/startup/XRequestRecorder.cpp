#include "XRequestRecorder.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>

#include <poll.h>

#include <cstring>

namespace startupbench {

struct TXRequestRecorder::TImpl {
    Display* Control = nullptr; // asks about windows and owns the context
    Display* Data = nullptr;    // receives the recorded requests
    XRecordContext Context = 0;
    bool Enabled = false;
};

namespace {

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

uint32_t Card32(const unsigned char* AData, bool ASwapped)
{
    uint32_t v;
    std::memcpy(&v, AData, 4);
    return ASwapped ? __builtin_bswap32(v) : v;
}

} // namespace

TXRequestRecorder::TXRequestRecorder() : F(std::make_unique<TImpl>()) {}

TXRequestRecorder::~TXRequestRecorder()
{
    // The data connection waits for the end of the recording: it comes once
    // the context is disabled, and only then may that connection close.
    if (F->Enabled) {
        XRecordDisableContext(F->Control, F->Context);
        XSync(F->Control, False);
        XSync(F->Data, False);
    }
    if (F->Context)
        XRecordFreeContext(F->Control, F->Context);
    if (F->Control)
        XCloseDisplay(F->Control);
    if (F->Data)
        XCloseDisplay(F->Data);
}

bool TXRequestRecorder::Open(const std::string& ADisplay, std::string& AError)
{
    XSetErrorHandler(IgnoreXErrors);
    F->Control = XOpenDisplay(ADisplay.c_str());
    F->Data = XOpenDisplay(ADisplay.c_str());
    if (!F->Control || !F->Data) {
        AError = "cannot open display " + ADisplay;
        return false;
    }
    int major = 0, minor = 0;
    if (!XRecordQueryVersion(F->Control, &major, &minor)) {
        AError = "display " + ADisplay + " has no RECORD extension";
        return false;
    }
    XRecordRange* ranges[2] = {XRecordAllocRange(), XRecordAllocRange()};
    ranges[0]->core_requests.first = ranges[0]->core_requests.last = X_MapWindow;
    ranges[1]->core_requests.first = ranges[1]->core_requests.last = X_PutImage;
    XRecordClientSpec clients = XRecordAllClients;
    F->Context = XRecordCreateContext(F->Control, 0, &clients, 1, ranges, 2);
    XFree(ranges[0]);
    XFree(ranges[1]);
    if (!F->Context) {
        AError = "cannot make a RECORD context on " + ADisplay;
        return false;
    }
    // The context must exist on the server before the other connection uses it.
    XSync(F->Control, False);
    auto take = [](XPointer AThis, XRecordInterceptData* AData) {
        auto* self = reinterpret_cast<TXRequestRecorder*>(AThis);
        if (AData->category == XRecordFromClient && AData->data_len >= 2) {
            const unsigned char* request = AData->data;
            const bool swapped = AData->client_swapped;
            if (request[0] == X_MapWindow)
                self->FRequests.push_back({TRecordedRequest::Map, Card32(request + 4, swapped), TClock::now()});
            else if (request[0] == X_PutImage)
                self->FRequests.push_back({TRecordedRequest::PutImage, Card32(request + 4, swapped), TClock::now()});
        }
        XRecordFreeData(AData);
    };
    if (!XRecordEnableContextAsync(F->Data, F->Context, take, reinterpret_cast<XPointer>(this))) {
        AError = "cannot enable recording on " + ADisplay;
        return false;
    }
    F->Enabled = true;
    return true;
}

void TXRequestRecorder::Poll(std::chrono::milliseconds ATimeout)
{
    pollfd p{ConnectionNumber(F->Data), POLLIN, 0};
    if (poll(&p, 1, int(ATimeout.count())) > 0 || XPending(F->Data) > 0)
        XRecordProcessReplies(F->Data);
}

unsigned long TXRequestRecorder::FirstManagedWindow()
{
    for (const TRecordedRequest& r : FRequests) {
        if (r.Kind != TRecordedRequest::Map)
            continue;
        XWindowAttributes a{};
        if (XGetWindowAttributes(F->Control, r.Window, &a) && !a.override_redirect)
            return r.Window;
    }
    return 0;
}

bool TXRequestRecorder::WindowSize(unsigned long AWindow, int& AWidth, int& AHeight)
{
    XWindowAttributes a{};
    if (!XGetWindowAttributes(F->Control, AWindow, &a))
        return false;
    AWidth = a.width;
    AHeight = a.height;
    return true;
}

} // namespace startupbench
