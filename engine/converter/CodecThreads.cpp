#include "engine/converter/CodecThreads.h"

#include <sched.h>

#include <algorithm>
#include <thread>

namespace engine {

namespace {

// The processors this process may run on (an affinity mask or a container
// can allow fewer than the machine has).
int UsableProcessors()
{
    cpu_set_t Set;
    if (sched_getaffinity(0, sizeof(Set), &Set) == 0)
        return std::max(1, CPU_COUNT(&Set));
    return std::max(1, int(std::thread::hardware_concurrency()));
}

} // namespace

TCodecThreadShare& TCodecThreadShare::Global()
{
    static TCodecThreadShare Share(UsableProcessors());
    return Share;
}

TCodecThreadShare::TCodecThreadShare(int AProcessors) : FProcessors(std::max(1, AProcessors)) {}

TCodecThreadShare::TMember::TMember(TCodecThreadShare& AShare) : FShare(AShare)
{
    ++FShare.FMembers;
}

TCodecThreadShare::TMember::~TMember()
{
    --FShare.FMembers;
}

TCodecThreadShare::TReservation::TReservation(TCodecThreadShare& AShare, int AJobs)
    : FShare(AShare), FJobs(std::max(0, AJobs))
{
    FShare.FReserved += FJobs;
}

TCodecThreadShare::TReservation::~TReservation()
{
    FShare.FReserved -= FJobs;
}

int TCodecThreadShare::Members() const
{
    return FMembers.load();
}

int TCodecThreadShare::ThreadsPerJob() const
{
    const int Jobs = std::max({1, FMembers.load(), FReserved.load()});
    return std::max(1, FProcessors / Jobs);
}

int TCodecThreadShare::CodecThreadCount() const
{
    const int Threads = ThreadsPerJob();
    return Threads >= FProcessors ? 0 : Threads;
}

} // namespace engine
