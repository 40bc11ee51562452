#include "platform/core/CloseSignals.h"

#include "platform/core/MainThread.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace platform {
namespace {

constexpr int CloseSignalNumbers[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int SignalCount = int(sizeof CloseSignalNumbers / sizeof CloseSignalNumbers[0]);
// What the watcher reads to end; no signal has the number 0.
constexpr unsigned char StopByte = 0;

// The pipe's write end, read by the handler: an atomic of a lock-free int
// is safe to read there.
std::atomic<int> GWriteFd{-1};
struct sigaction GPrevious[SignalCount];

void OnCloseSignal(int ASignal)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(ASignal);
    // Non-blocking: a flood of signals that fills the pipe loses only
    // repeats of a request already on its way.
    [[maybe_unused]] const ssize_t n = write(GWriteFd.load(), &byte, 1);
    errno = saved;
}

} // namespace

TCloseSignals::TCloseSignals(std::function<void(int ASignal)> AOnRequest) : FOnRequest(std::move(AOnRequest))
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error("Cannot make the pipe for the close signals");
    FReadFd = fds[0];
    FWriteFd = fds[1];
    fcntl(FWriteFd, F_SETFL, fcntl(FWriteFd, F_GETFL) | O_NONBLOCK);
    GWriteFd = FWriteFd;
    FWatcher = std::thread([this] { Watch(); });
    struct sigaction action {};
    action.sa_handler = OnCloseSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls go on: the request is handled by the loop.
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < SignalCount; ++i)
        sigaction(CloseSignalNumbers[i], &action, &GPrevious[i]);
}

TCloseSignals::~TCloseSignals()
{
    for (int i = 0; i < SignalCount; ++i)
        sigaction(CloseSignalNumbers[i], &GPrevious[i], nullptr);
    // After a flood of signals the pipe may be full for a moment; the
    // watcher is emptying it.
    const unsigned char stop = StopByte;
    while (write(FWriteFd, &stop, 1) < 0 && (errno == EINTR || errno == EAGAIN))
        std::this_thread::yield();
    FWatcher.join();
    GWriteFd = -1;
    close(FWriteFd);
    close(FReadFd);
}

void TCloseSignals::Watch()
{
    for (;;) {
        unsigned char byte = StopByte;
        const ssize_t n = read(FReadFd, &byte, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || byte == StopByte)
            return;
        // By copy: the request may run after this object has gone.
        Queue([handler = FOnRequest, signal = int(byte)] { handler(signal); });
    }
}

} // namespace platform
