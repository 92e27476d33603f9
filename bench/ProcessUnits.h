#pragma once

// Host units through the session window's Process, once per iteration, with
// the trace off. What `between` does after each run (closing a panel,
// emptying the history) is left out of the timing.
#include "core/Trace.h"
#include "session/fConnection.h"

#include <QStringList>
#include <benchmark/benchmark.h>
#include <functional>

inline void RunUnits(benchmark::State& state, const QStringList& units, const std::function<void()>& between = {})
{
    zor::fConnection& window = zor::fConnection::instance();
    zor::Trace().On = false;
    for (auto _ : state) {
        for (const QString& unit : units)
            window.Process(unit);
        if (between) {
            state.PauseTiming();
            between();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * units.size());
}
