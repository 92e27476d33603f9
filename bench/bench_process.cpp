// Process over recorded host screens, trace off, drawing left out (the
// receive pipeline redraws once per chunk, not per unit).
#include "bench/ProcessUnits.h"
#include "bench/QtBenchmarkMain.h"
#include "core/SendReply.h"
#include "core/SessionLink.h"
#include "core/SharedState.h"
#include "core/Trace.h"
#include "session/fConnection.h"
#include "tools/MenuTree.h"

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

// A host's whole menu in "go" units: entries one to three levels below the
// top menus, the paths three to five elements long with the root.
QStringList MenuEntries(int count)
{
    QStringList units;
    for (int i = 0; i < count; ++i) {
        QString path = QStringLiteral("Menu %1[Sub %2").arg(i % 10).arg(i % 100);
        if (i % 3 > 0)
            path += QStringLiteral("[Part %1").arg(i % 1000);
        if (i % 3 > 1)
            path += QStringLiteral("[Step %1").arg(i % 3000);
        units << QStringLiteral("go^%1[Entry %2^KEY%2^%3").arg(path).arg(i).arg(2 + i % 5);
    }
    return units;
}

void BM_ProcessMenuTree(benchmark::State& state)
{
    RunUnits(state, MenuEntries(static_cast<int>(state.range(0))), [] {
        fConnection& window = fConnection::instance();
        window.Process(QStringLiteral("go^ ^"));
        window.stack.clear();
    });
}
BENCHMARK(BM_ProcessMenuTree)->Arg(10000)->Unit(benchmark::kMillisecond);

// One search through every node of a 10 000-entry menu: the text is in none.
void BM_MenuTreeSearch(benchmark::State& state)
{
    fConnection& window = fConnection::instance();
    Trace().On = false;
    for (const QString& unit : MenuEntries(10000))
        window.Process(unit);
    const MenuTree& tree = SessionMenuTree();
    const QString text = QStringLiteral("no such entry");
    for (auto _ : state) {
        int position = 1;
        benchmark::DoNotOptimize(tree.Search(text, position));
    }
    state.counters["nodes"] = tree.Count();
    window.Process(QStringLiteral("go^ ^"));
}
BENCHMARK(BM_MenuTreeSearch)->Unit(benchmark::kMillisecond);

// A list the host fills line by line, as a customer or item search sends it.
QStringList ListLines(const QString& prefix, int count)
{
    QStringList units;
    units.reserve(count);
    for (int i = 0; i < count; ++i)
        units
            << prefix +
                   QStringLiteral("C%1 Customer name %1 ......... Town %2").arg(i, 6, 10, QLatin1Char('0')).arg(i % 97);
    return units;
}

// Between runs: the panel closed, the history empty.
void CloseList()
{
    fConnection& window = fConnection::instance();
    window.ListPic->hide();
    window.stack.clear();
}

// The units of a list once per run, the lines counted.
void RunLines(benchmark::State& state, const QStringList& units)
{
    RunUnits(state, units, CloseList);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// "ls", one "ld" per line, "le": each line must cost the same at any length.
void BM_ProcessListSelection(benchmark::State& state)
{
    QStringList units = {QStringLiteral("ls^Customers^^20")};
    units << ListLines(QStringLiteral("ld^x^"), static_cast<int>(state.range(0))) << QStringLiteral("le");
    RunLines(state, units);
}
BENCHMARK(BM_ProcessListSelection)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// "le" alone on a list already filled: the panel shown.
void BM_ProcessListEnd(benchmark::State& state)
{
    QStringList units = {QStringLiteral("ls^Customers^^20")};
    units << ListLines(QStringLiteral("ld^x^"), static_cast<int>(state.range(0)));
    fConnection& window = fConnection::instance();
    Trace().On = false;
    const QString end = QStringLiteral("le");
    for (auto _ : state) {
        state.PauseTiming();
        for (const QString& unit : units)
            window.Process(unit);
        state.ResumeTiming();
        window.Process(end);
        state.PauseTiming();
        CloseList();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ProcessListEnd)->Arg(10000)->Unit(benchmark::kMillisecond);

// "is" and one "id" per line into one item list; each line is the list's
// choice in turn.
void BM_ProcessItemList(benchmark::State& state)
{
    QStringList units = {QStringLiteral("is^0^10^5^40^10")};
    units << ListLines(QStringLiteral("id^0^"), static_cast<int>(state.range(0)));
    RunLines(state, units);
}
BENCHMARK(BM_ProcessItemList)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A reply of many "~" parts, as a host's canned answer or a scanned batch
// gives it: the cost of each part must not grow with the reply's length.
void BM_SendReplyParts(benchmark::State& state)
{
    QStringList parts;
    for (int64_t i = 0; i < state.range(0); ++i)
        parts << QStringLiteral("A%1").arg(i);
    const QString reply = parts.join(QLatin1Char('~'));
    Trace().On = false;
    const bool wasConnected = Connected;
    Connected = true;
    qsizetype sent = 0;
    Link().Send = [&sent](const QString& text) { sent += text.size(); };
    for (auto _ : state)
        SendReply(reply);
    Link().Send = nullptr;
    Connected = wasConnected;
    benchmark::DoNotOptimize(sent);
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SendReplyParts)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// One plain line of the given length from the host into the shown console,
// or into the shown procedure panel; each pane keeps only its cap of it.
QString LongLine(benchmark::State& state)
{
    return QString(static_cast<qsizetype>(state.range(0)), QLatin1Char('x'));
}

void BM_ProcessLongLineConsole(benchmark::State& state)
{
    fConnection& window = fConnection::instance();
    window.show();
    window.Console->show();
    RunUnits(state, {LongLine(state)});
    window.Console->hide();
}
BENCHMARK(BM_ProcessLongLineConsole)->RangeMultiplier(2)->Range(64 << 10, 1 << 20)->Unit(benchmark::kMillisecond);

void BM_ProcessLongLineProcedure(benchmark::State& state)
{
    fConnection& window = fConnection::instance();
    window.show();
    window.Process(QStringLiteral("ph"));
    RunUnits(state, {LongLine(state)});
    window.Process(QStringLiteral("pe"));
}
BENCHMARK(BM_ProcessLongLineProcedure)->RangeMultiplier(2)->Range(64 << 10, 1 << 20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
