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

} // namespace
