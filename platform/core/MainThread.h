#pragma once
// The GUI thread and the ways other threads reach it.
//
// A worker calls Synchronize to run code on the GUI thread and waits until it
// ran; Queue hands code over without waiting. The GUI thread serves both in
// its message loop (CheckSynchronize), and every wait it performs for another
// thread goes through WaitServing, so a worker that waits for the GUI thread
// can never deadlock with a GUI thread that waits for the worker.
//
// When the program's message loop is over, EndMainThreadCalls says so: from
// then on nobody serves the calls, so Synchronize answers false at once
// instead of waiting for ever, and the GUI thread can join its workers and
// free what they use without serving them.

#include "platform/core/SyncObjs.h"

#include <cstdint>
#include <functional>

namespace platform {

using TThreadMethod = std::function<void()>;

uint64_t CurrentThreadId();   // the kernel's id of the calling thread
uint64_t MainThreadID();
bool IsMainThread();
// Makes the calling thread the GUI thread. The process's first thread is
// the GUI thread unless this is called.
void SetMainThread();

// Runs AMethod on the GUI thread and waits for it; an exception it raises
// is raised again in the caller. On the GUI thread it runs at once. Answers
// false, without running AMethod, once the GUI thread's calls have ended,
// also to a caller that was already waiting.
bool Synchronize(const TThreadMethod& AMethod);
// Runs AMethod on the GUI thread later, without waiting. On the GUI thread
// it runs at once. Dropped once the GUI thread's calls have ended.
void Queue(const TThreadMethod& AMethod);
// Drops queued calls that have not run yet (a closing program).
void RemoveQueuedEvents();

// On the GUI thread, after its message loop: no call from another thread
// runs any more. Waiting Synchronize callers return false (a call already
// running finishes first), queued calls are dropped, and the GUI thread's
// own waits stop serving.
void EndMainThreadCalls();
// A new message loop serves calls again (tests run several in one process).
void ResumeMainThreadCalls();
bool MainThreadCallsEnded();

// On the GUI thread: runs every waiting call. When none is waiting, waits up
// to ATimeoutMs for one. True when at least one call ran.
bool CheckSynchronize(uint32_t ATimeoutMs = 0);

// The window system's hooks: AWake is called whenever a call is queued, so a
// GUI thread blocked on its own message source wakes up; AProcessOne handles
// one window message and answers false when there was none.
void SetWakeMainThread(std::function<void()> AWake);
void SetMessagePumpHook(std::function<bool()> AProcessOne);

// Runs waiting calls, then handles one window message. False when there was
// nothing to do.
bool ProcessOneMessage();
// ProcessOneMessage until there is nothing left.
void PumpMessages();

// Waits for AEvent. On the GUI thread the wait keeps serving Synchronize,
// Queue and window messages; elsewhere it is a plain wait.
TWaitResult WaitServing(TEvent& AEvent, uint32_t ATimeoutMs = INFINITE);
// Waits until ADone answers true, serving the GUI thread's calls while it
// waits when called there. False on timeout.
bool WaitUntilServing(const std::function<bool()>& ADone, uint32_t ATimeoutMs = INFINITE);

} // namespace platform
