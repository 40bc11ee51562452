#pragma once
// Reaching the GUI thread from the engine's worker threads, and serving it
// while the GUI thread waits.

#include <functional>

namespace engine {

// Runs AMethod on the GUI thread and waits for it; on the GUI thread it runs
// at once. Once the program's message loop is over it does not run: an
// event that nobody can show any more is dropped, and the worker goes on.
void CallInMainThread(const std::function<void()>& AMethod);
// Handles one waiting synchronised call or window message; false when there
// was none.
bool ProcessOneMessage();
// Handles waiting calls and messages until none is left; waits on the GUI
// thread call it so that the threads they wait for can reach it.
void PumpMessages();

} // namespace engine
