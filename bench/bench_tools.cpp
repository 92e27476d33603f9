// The tool windows under load: the trace window open while every step is
// traced, and scripts of recorded screens loaded and replayed.
#include "bench/QtBenchmarkMain.h"
#include "core/TextFile.h"
#include "core/Trace.h"
#include "session/fConnection.h"
#include "tools/Debugger.h"
#include "tools/TokenFile.h"
#include "tools/TraceLines.h"
#include "tools/fScriptManager.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zor;

namespace {

// Lines traced with the trace window shown and the file in a folder of its
// own, the event loop turning every 1000 lines as it does between chunks of
// a host stream.
void BM_TraceFlood(benchmark::State& state)
{
    QTemporaryDir folder;
    Debugger& window = Debugger::instance();
    const int lines = static_cast<int>(state.range(0));
    for (auto _ : state) {
        window.show();
        Trace().Folder = folder.path();
        for (int i = 0; i < lines; ++i) {
            WriteTrace(QStringLiteral("Process"), QStringLiteral("to^10^5^12^l^Caption %1:^^1").arg(i));
            if (i % 1000 == 999)
                QApplication::processEvents();
        }
        QApplication::processEvents();
        state.counters["rows"] = window.Lines->rowCount();
        window.close();
        QFile::remove(folder.filePath(TraceFileName));
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_TraceFlood)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A recorded script of so many units: order-entry screens one after another,
// each a clear, a header, a box, captions and fields in pairs, an option and
// the input request.
QByteArray RecordedScript(int units)
{
    QStringList lines;
    while (lines.size() < units) {
        lines << QStringLiteral("cs") << QStringLiteral("mh^ORDER ENTRY") << QStringLiteral("bx^1^2^78^10^Customer");
        for (int i = 0; i < 40 && lines.size() < units; ++i)
            lines << QStringLiteral("to^2^%1^12^r^Caption %2:^^1").arg(3 + i % 18).arg(i)
                  << QStringLiteral("to^16^%1^20^l^VALUE %2^FIELD%2^2").arg(3 + i % 18).arg(i);
        lines << QStringLiteral("ob^3^22^^^Deliver^D^m") << QStringLiteral("in^16^3^20");
    }
    return TextFileBytes(lines.mid(0, units));
}

// A token file read and each of its units run through the interpreter, with
// the draws of a step left out.
void BM_ReplayScript(benchmark::State& state)
{
    const QByteArray script = RecordedScript(static_cast<int>(state.range(0)));
    fConnection& session = fConnection::instance();
    Trace().On = false;
    for (auto _ : state) {
        for (const QString& unit : TokenFileLines(script))
            session.Process(unit);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    session.Process(QStringLiteral("cs"));
}
BENCHMARK(BM_ReplayScript)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A token file loaded into the manager's script list.
void BM_LoadScript(benchmark::State& state)
{
    QTemporaryDir folder;
    qputenv("ZOR_HOME", folder.path().toLocal8Bit());
    QFile file(folder.filePath(QStringLiteral("recorded.qms")));
    file.open(QIODevice::WriteOnly);
    file.write(RecordedScript(static_cast<int>(state.range(0))));
    file.close();
    fScriptManager& manager = fScriptManager::instance();
    manager.RefreshFiles();
    manager.File1->setCurrentRow(0);
    int loaded = 0;
    for (auto _ : state) {
        manager.Command5_Click();
        state.PauseTiming();
        loaded = manager.List1->count();
        manager.List1->clear();
        state.ResumeTiming();
    }
    if (loaded != state.range(0))
        state.SkipWithError("the script was not loaded");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadScript)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
