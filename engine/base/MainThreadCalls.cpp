#include "engine/base/MainThreadCalls.h"

#include "platform/core/MainThread.h"

namespace engine {

void CallInMainThread(const std::function<void()>& AMethod)
{
    platform::Synchronize(AMethod);
}

bool ProcessOneMessage()
{
    return platform::ProcessOneMessage();
}

void PumpMessages()
{
    platform::PumpMessages();
}

} // namespace engine
