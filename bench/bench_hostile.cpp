// What each hostile row costs: the time it takes the window and the resident
// memory it grows by, one run a row, so the slowest shapes stand out.
#include "bench/QtBenchmarkMain.h"
#include "tests/support/HostileUnits.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zor::test;

void RunRow(benchmark::State& state, const HostileRow& row)
{
    HostileOutcome outcome;
    for (auto _ : state)
        outcome = RunHostileRow(row);
    state.counters["seconds"] = outcome.seconds;
    state.counters["grown_MB"] = outcome.grownMb;
    state.counters["answered"] = outcome.answered ? 1 : 0;
}

[[maybe_unused]] const bool registered = [] {
    for (const HostileSubject& subject : HostileSubjects())
        for (const HostileRow& row : HostileRows(subject))
            benchmark::RegisterBenchmark(("BM_Hostile/" + row.Name()).toStdString().c_str(),
                                         [row](benchmark::State& state) { RunRow(state, row); })
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
