// Process over recorded host screens, trace off, drawing left out (the
// receive pipeline redraws once per chunk, not per unit).
#include "bench/QtBenchmarkMain.h"
#include "core/SharedState.h"
#include "core/Trace.h"
#include "session/fConnection.h"

#include <QStringList>
#include <benchmark/benchmark.h>

using namespace zor;

namespace {

// One order-entry screen as hosts send it: clear, header, boxes, captions
// and fields in pairs, options, buttons and the input request.
QStringList TypicalScreen(int captionAndFieldPairs)
{
    QStringList units = {QStringLiteral("cs"), QStringLiteral("mh^ORDER ENTRY - BRANCH 12"),
                         QStringLiteral("bx^1^2^78^10^Customer"), QStringLiteral("bx^1^13^78^8^Lines")};
    for (int i = 0; i < captionAndFieldPairs / 2; ++i) {
        const int row = 3 + i % 18;
        const int column = i < 18 ? 2 : 41;
        units
            << QStringLiteral("to^%1^%2^12^r^Caption %3:^^1").arg(column).arg(row).arg(i)
            << QStringLiteral("to^%1^%2^20^l^VALUE %3^FIELD%3^2^Help for field %3^0").arg(column + 14).arg(row).arg(i);
    }
    units << QStringLiteral("ob^3^22^^^Deliver^D^m") << QStringLiteral("ob^20^22^^^Collect^C^p")
          << QStringLiteral("to^60^23^10,2^c^F1 Help^F1^4") << QStringLiteral("to^70^23^8,2^c^F2 Save^F2^4")
          << QStringLiteral("in^16^3^20");
    return units;
}

QStringList RecordedStream()
{
    QStringList stream;
    for (int pairs : {40, 60, 80, 50, 70})
        stream << TypicalScreen(pairs);
    return stream;
}

// Every slot of the table taken: fields, boxes and options on distinct cells.
QStringList FullScreen()
{
    QStringList units = {QStringLiteral("cs")};
    for (int i = 0; i < EntitySlots; ++i) {
        const int column = i % 80 + 1;
        const int row = i / 80;
        switch (i % 10) {
        case 0:
            units << QStringLiteral("bx^%1^%2^1^1^B").arg(column).arg(row);
            break;
        case 1:
            units << QStringLiteral("ob^%1^%2^^^Option %3^O%3^a").arg(column).arg(row).arg(i);
            break;
        default:
            units << QStringLiteral("to^%1^%2^1^l^Entity %3^TAG%3^2").arg(column).arg(row).arg(i);
            break;
        }
    }
    return units;
}

void RunUnits(benchmark::State& state, const QStringList& units)
{
    fConnection& window = fConnection::instance();
    Trace().On = false;
    for (auto _ : state) {
        for (const QString& unit : units)
            window.Process(unit);
    }
    state.SetItemsProcessed(state.iterations() * units.size());
}

void BM_ProcessTypicalScreens(benchmark::State& state)
{
    RunUnits(state, RecordedStream());
}
BENCHMARK(BM_ProcessTypicalScreens);

void BM_ProcessFullScreen(benchmark::State& state)
{
    const QStringList units = FullScreen();
    RunUnits(state, units);
    if (EntityCount != EntitySlots)
        state.SkipWithError("the screen did not fill the entity table");
}
BENCHMARK(BM_ProcessFullScreen)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
