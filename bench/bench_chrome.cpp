// The chrome commands and the screen cache: status texts per unit, a chunk
// of inline help, and saving and loading a full screen, with a cache folder
// of a hundred and of ten thousand screens.
#include "bench/ProcessUnits.h"
#include "bench/QtBenchmarkMain.h"
#include "core/SharedState.h"
#include "core/Trace.h"
#include "session/ScreenCache.h"
#include "session/fConnection.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zor;

namespace {

void RunChromeUnits(benchmark::State& state, const QStringList& units)
{
    RunUnits(state, units, [] { fConnection::instance().stack.clear(); });
}

void BM_ChromeStatusUnits(benchmark::State& state)
{
    RunChromeUnits(state, {QStringLiteral("sm^Loading orders"), QStringLiteral("sm^1"),
                           QStringLiteral("sb^  Ready^Branch 12^Clerk 7^end"), QStringLiteral("sm^^")});
}
BENCHMARK(BM_ChromeStatusUnits);

// 2000 help lines in one chunk, onto a help page begun afresh.
void BM_ChromeHelpChunk(benchmark::State& state)
{
    QStringList units = {QStringLiteral("help^+clear"), QStringLiteral("help^+bold=true")};
    for (int i = 0; i < 2000; ++i)
        units << QStringLiteral("help^Line %1 of the help text that the host sends for this screen").arg(i);
    RunChromeUnits(state, units);
}
BENCHMARK(BM_ChromeHelpChunk)->Unit(benchmark::kMillisecond);

// A full table of entities, each slot different.
void FillTable()
{
    for (int i = 0; i < EntitySlots; ++i) {
        Entity& e = Entities[static_cast<size_t>(i)];
        e.SetCaption(QStringLiteral("Caption %1").arg(i));
        e.SetTag(QStringLiteral("TAG%1").arg(i));
        e.EntityType = static_cast<qint16>(1 + i % 10);
        e.X = static_cast<qint16>(i % 80);
        e.Y = static_cast<qint16>(i / 80);
        e.Width = 1;
        e.Active = VbTrue;
    }
    EntityCount = EntitySlots;
}

// A cache folder holding count screens besides the one the benchmark uses.
void FillCacheFolder(int count)
{
    ClearCacheFiles();
    const QByteArray small = PackScreen(QStringLiteral("v1"), 3);
    for (int i = 0; i < count; ++i) {
        QFile file(*CacheFile(QStringLiteral("screen%1").arg(i)));
        if (file.open(QIODevice::WriteOnly))
            file.write(small);
    }
}

void BM_CacheSaveFullScreen(benchmark::State& state)
{
    FillCacheFolder(static_cast<int>(state.range(0)));
    FillTable();
    fConnection& window = fConnection::instance();
    for (auto _ : state)
        window.SaveCache(QStringLiteral("full"), QStringLiteral("v1"));
    state.SetBytesProcessed(state.iterations() * QFile(*CacheFile(QStringLiteral("full"))).size());
}
BENCHMARK(BM_CacheSaveFullScreen)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

// What the cache itself does to bring a full screen back: the file checked
// and read, and its records put into the table.
void BM_CacheRestoreFullScreen(benchmark::State& state)
{
    FillCacheFolder(static_cast<int>(state.range(0)));
    FillTable();
    fConnection::instance().SaveCache(QStringLiteral("full"), QStringLiteral("v1"));
    const QString path = *CacheFile(QStringLiteral("full"));
    for (auto _ : state) {
        const std::optional<QByteArray> file = ReadCacheFile(path);
        benchmark::DoNotOptimize(RestoreEntities(*file));
    }
}
BENCHMARK(BM_CacheRestoreFullScreen)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

// The whole "vl" unit: the screen cleared, restored and redrawn.
void BM_CacheLoadUnitFullScreen(benchmark::State& state)
{
    FillCacheFolder(100);
    FillTable();
    fConnection& window = fConnection::instance();
    window.SaveCache(QStringLiteral("full"), QStringLiteral("v1"));
    for (auto _ : state)
        window.Process(QStringLiteral("vl^full^v1"));
    if (EntityCount != EntitySlots)
        state.SkipWithError("the screen did not come back");
}
BENCHMARK(BM_CacheLoadUnitFullScreen)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("ZOR_HOME", home.path().toLocal8Bit());
    return RunQtBenchmarks(argc, argv, [] {
        CellWidth = Currency::fromDouble(10);
        CellHeight = Currency::fromDouble(20);
        Connected = false;
        fConnection::instance().resize(820, 560);
    });
}
