#pragma once
// Watches a display's clients through the RECORD extension: every window
// mapped and every image put into a window, with the moment this process
// learnt of it. The display server forwards each request as it runs it.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace startupbench {

using TClock = std::chrono::steady_clock;

struct TRecordedRequest {
    enum TKind { Map, PutImage } Kind;
    unsigned long Window = 0;
    TClock::time_point At;
};

class TXRequestRecorder {
public:
    TXRequestRecorder();
    ~TXRequestRecorder();
    TXRequestRecorder(const TXRequestRecorder&) = delete;
    TXRequestRecorder& operator=(const TXRequestRecorder&) = delete;

    // Starts recording on ADisplay; false and AError when it cannot.
    bool Open(const std::string& ADisplay, std::string& AError);
    // Takes what arrived, waiting up to ATimeout for something to arrive.
    void Poll(std::chrono::milliseconds ATimeout);
    const std::vector<TRecordedRequest>& Requests() const { return FRequests; }
    void Clear() { FRequests.clear(); }

    // Of the windows mapped since Clear, the first that still exists and is
    // not override-redirect (a program's main window; not its menus); 0 if none.
    unsigned long FirstManagedWindow();
    bool WindowSize(unsigned long AWindow, int& AWidth, int& AHeight);

private:
    struct TImpl;
    std::unique_ptr<TImpl> F;
    std::vector<TRecordedRequest> FRequests;
};

} // namespace startupbench
