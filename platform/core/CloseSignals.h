#pragma once
// SIGTERM, SIGINT and SIGHUP (kill, Ctrl+C in the terminal, a desktop
// logout) turned into a close request handled on the GUI thread.
//
// A signal may arrive on any thread, in the middle of anything, so the
// handler only writes the signal's number into a pipe. A watcher thread
// reads it and hands the request to the GUI thread through Queue, whose
// wake-up reaches the message loop wherever it waits. The request is then
// handled like any other close: the program stops its work and leaves its
// loop in order. Once the GUI thread's calls have ended a request is
// dropped: the program is already on its way out.

#include <functional>
#include <thread>

namespace platform {

class TCloseSignals {
public:
    // AOnRequest runs on the GUI thread with the signal's number, once per
    // signal. One object at a time per process.
    explicit TCloseSignals(std::function<void(int ASignal)> AOnRequest);
    // The previous handlers come back, then the watcher ends.
    ~TCloseSignals();
    TCloseSignals(const TCloseSignals&) = delete;
    TCloseSignals& operator=(const TCloseSignals&) = delete;

private:
    void Watch();

    std::function<void(int)> FOnRequest;
    int FReadFd = -1;
    int FWriteFd = -1;
    std::thread FWatcher;
};

} // namespace platform
