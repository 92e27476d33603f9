#include "core/Parallel.h"

#include <atomic>
#include <gtest/gtest.h>
#include <vector>

using namespace zor;

namespace {

TEST(RunSpread, EveryJobRunsOnceAndIsDoneOnReturn)
{
    for (const int count : {0, 1, 3, 500}) {
        std::vector<int> runs(static_cast<size_t>(count), 0);
        std::atomic<int> total{0};
        RunSpread(count, [&](int i) {
            ++runs[static_cast<size_t>(i)];
            ++total;
        });
        EXPECT_EQ(total.load(), count);
        EXPECT_EQ(runs, std::vector<int>(static_cast<size_t>(count), 1)) << count;
    }
}

TEST(RunSpread, JobsMaySpreadJobsOfTheirOwn)
{
    std::atomic<int> total{0};
    RunSpread(8, [&](int) { RunSpread(8, [&](int) { ++total; }); });
    EXPECT_EQ(total.load(), 64);
}

TEST(Spread, JobsRunWhileTheCallerWorksAndAreAllDoneAfterWait)
{
    std::vector<int> runs(64, 0);
    std::atomic<int> total{0};
    {
        Spread spread(64, [&](int i) {
            ++runs[static_cast<size_t>(i)];
            ++total;
        });
        spread.Wait();
        EXPECT_EQ(total.load(), 64);
        spread.Wait(); // a second wait has nothing left to wait for
    }
    EXPECT_EQ(runs, std::vector<int>(64, 1));

    // Left to the end of its scope, a spread still finishes its jobs there.
    std::atomic<int> later{0};
    {
        Spread spread(32, [&](int) { ++later; });
    }
    EXPECT_EQ(later.load(), 32);
}

} // namespace
