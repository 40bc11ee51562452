#pragma once
// Codec threads of the jobs that convert at once. Each running job counts
// as a member of the share from its start to its end; when a job opens its
// codecs it takes the processors divided by the members (at least one), so
// one job alone uses the whole machine, eight jobs on eight processors keep
// one each, and the split follows as jobs start and end. A job's count is
// fixed when its codecs open.

#include <atomic>

namespace engine {

class TCodecThreadShare {
public:
    // The share of this process, sized to the processors it may run on.
    static TCodecThreadShare& Global();

    explicit TCodecThreadShare(int AProcessors);

    // A job of the share, from its start to its end.
    class TMember {
    public:
        explicit TMember(TCodecThreadShare& AShare);
        ~TMember();
        TMember(const TMember&) = delete;
        TMember& operator=(const TMember&) = delete;

    private:
        TCodecThreadShare& FShare;
    };

    // Jobs a run is about to start together count as members while they
    // are being started, so that the first of them to open its codecs does
    // not take the whole machine.
    class TReservation {
    public:
        TReservation(TCodecThreadShare& AShare, int AJobs);
        ~TReservation();
        TReservation(const TReservation&) = delete;
        TReservation& operator=(const TReservation&) = delete;

    private:
        TCodecThreadShare& FShare;
        int FJobs;
    };

    int Processors() const { return FProcessors; }
    int Members() const;
    // The codec threads a job opening its codecs now gets.
    int ThreadsPerJob() const;
    // The same as a codec's thread count: 0 (the library's own choice, as
    // for any program that runs one conversion) while the job has the whole
    // machine to itself.
    int CodecThreadCount() const;

private:
    const int FProcessors;
    std::atomic<int> FMembers{0};
    std::atomic<int> FReserved{0};
};

} // namespace engine
