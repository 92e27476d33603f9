// The tool windows under load: the trace window open while every step is
// traced.
#include "bench/QtBenchmarkMain.h"
#include "core/Trace.h"
#include "tools/Debugger.h"
#include "tools/TraceLines.h"

#include <QFile>

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

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
