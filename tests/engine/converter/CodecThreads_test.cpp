#include "engine/converter/CodecThreads.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace engine;

// The processors divided among the jobs that run (or are being started),
// never less than one thread a job.
TEST(CodecThreadShare, ProcessorsAreSplitAmongRunningJobs)
{
    struct TCase {
        int Processors, Running, Starting, Expected;
    };
    const TCase Cases[] = {
        {8, 0, 0, 8}, {8, 1, 0, 8}, {8, 2, 0, 4}, {8, 3, 0, 2}, {8, 8, 0, 1},
        {8, 12, 0, 1}, {8, 1, 8, 1}, {8, 4, 2, 2}, {2, 1, 0, 2}, {1, 4, 0, 1},
    };
    for (const TCase& C : Cases) {
        TCodecThreadShare Share(C.Processors);
        std::vector<std::unique_ptr<TCodecThreadShare::TMember>> Jobs;
        for (int I = 0; I < C.Running; ++I)
            Jobs.push_back(std::make_unique<TCodecThreadShare::TMember>(Share));
        TCodecThreadShare::TReservation Starting(Share, C.Starting);
        EXPECT_EQ(Share.ThreadsPerJob(), C.Expected)
            << C.Processors << " processors, " << C.Running << " running, " << C.Starting << " starting";
        // A job alone leaves the count to the codec library.
        EXPECT_EQ(Share.CodecThreadCount(), C.Expected == C.Processors ? 0 : C.Expected);
    }
}

TEST(CodecThreadShare, JobsLeaveTheShareWhenTheyEnd)
{
    TCodecThreadShare Share(6);
    auto First = std::make_unique<TCodecThreadShare::TMember>(Share);
    {
        TCodecThreadShare::TMember Second(Share);
        TCodecThreadShare::TMember Third(Share);
        EXPECT_EQ(Share.ThreadsPerJob(), 2);
    }
    EXPECT_EQ(Share.Members(), 1);
    EXPECT_EQ(Share.ThreadsPerJob(), 6);
    First.reset();
    EXPECT_EQ(Share.Members(), 0);
}

TEST(CodecThreadShare, TheProcessShareCountsUsableProcessors)
{
    EXPECT_GE(TCodecThreadShare::Global().Processors(), 1);
    EXPECT_EQ(TCodecThreadShare::Global().Members(), 0) << "no job runs in this test";
}
