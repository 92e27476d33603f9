// Host text through the receive pipeline: reads of 16 KB released at their
// last CR and cut into units, as a session receives screens and reports.
#include "bench/QtBenchmarkMain.h"
#include "core/Appearance.h"
#include "core/SharedState.h"
#include "devices/ModPrinter.h"
#include "devices/RawPrinter.h"
#include "session/ReceivePipeline.h"
#include "session/fConnection.h"
#include "tests/support/CupsPeer.h"
#include "tests/support/RawPrinterAnswers.h"
#include "tests/support/RawPrinterRecorder.h"
#include "tools/ReportStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <benchmark/benchmark.h>

namespace {

// One screen of command units, as the demo host sends it, and report lines.
QString RecordedStream(qsizetype bytes)
{
    const QString esc(QChar(0x1b));
    QString screen = esc;
    for (const char* unit :
         {"cs", "mh^Stock Enquiry", "bx^2^2^76^9^Item", "to^4^4^14^l^Item code:^^1", "to^4^6^14^l^Description:^^1",
          "to^20^6^40^l^Blue widget, boxed^^2", "to^4^8^14^l^In stock:^^1", "to^20^8^8^r^1,250^^2",
          "bx^2^14^76^4^Actions", "to^4^16^12^c^Search^SEARCH^4", "to^20^16^12^c^Details^DETAILS^4",
          "to^36^16^12^c^Log Off^bye^4", "in^20^4^10^^^^10"})
        screen += QLatin1String(unit) + esc;
    screen += QLatin1String("\r\n");
    QString report;
    for (int line = 0; line < 40; ++line)
        report += QStringLiteral("%1  WIDGET BLUE BOXED          %2 EA     12.50    %3\r\n")
                      .arg(line, 6)
                      .arg(line * 7, 6)
                      .arg(line * 87.5, 10, 'f', 2);
    QString stream;
    stream.reserve(bytes + screen.size() + report.size());
    while (stream.size() < bytes)
        stream += screen + report;
    stream.truncate(bytes);
    return stream;
}

// The stream in reads of this size, as the channel delivers it.
constexpr qsizetype ReadSize = 16 * 1024;

// A channel read that hands out the stream piece by piece.
std::function<QString()> Reads(const QString& stream, qsizetype& at)
{
    return [&stream, &at] {
        const QString piece = stream.mid(at, ReadSize);
        at += piece.size();
        return piece;
    };
}

// The session window's pipeline reading the stream for one benchmark. Its
// release timer and deferred reads must not outlive the stream they read:
// a later benchmark's event loop would run them on a string long gone.
class WindowReads {
public:
    WindowReads() : pipeline_(*zor::fConnection::instance().Receiver), saved_(pipeline_.hooks.Read) {}
    ~WindowReads()
    {
        pipeline_.Reset();
        pipeline_.hooks.Read = saved_;
        zor::Connected = false;
        QCoreApplication::processEvents();
    }
    void From(const QString& stream, qsizetype& at) { pipeline_.hooks.Read = Reads(stream, at); }

private:
    zor::ReceivePipeline& pipeline_;
    std::function<QString()> saved_;
};

void Wire(zor::ReceivePipeline& pipeline, qint64& units)
{
    pipeline.hooks.Process = [&units](const QString&) { ++units; };
}

void BM_ReceiveStream(benchmark::State& state)
{
    const QString stream = RecordedStream(state.range(0));
    zor::Connected = true;
    qint64 units = 0;
    for (auto _ : state) {
        zor::ReceivePipeline pipeline;
        Wire(pipeline, units);
        qsizetype at = 0;
        pipeline.hooks.Read = Reads(stream, at);
        while (at < stream.size())
            pipeline.DataReady();
        benchmark::DoNotOptimize(units);
    }
    zor::Connected = false;
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.counters["units"] = benchmark::Counter(static_cast<double>(units) / state.iterations());
}
BENCHMARK(BM_ReceiveStream)->RangeMultiplier(4)->Range(1 << 20, 64 << 20)->Unit(benchmark::kMillisecond);

// The whole road in the session window: the read buffer, the cutting, the
// automatic replies, the interpreter and one redraw per chunk.
void BM_SessionStream(benchmark::State& state)
{
    const QString stream = RecordedStream(state.range(0));
    zor::fConnection& window = zor::fConnection::instance();
    WindowReads reads;
    zor::Connected = true;
    for (auto _ : state) {
        qsizetype at = 0;
        reads.From(stream, at);
        while (at < stream.size())
            window.mChannel_DataReady();
    }
    zor::Connected = false;
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SessionStream)->RangeMultiplier(4)->Range(1 << 20, 64 << 20)->Unit(benchmark::kMillisecond);

// Unfinished text waits for the rest of its line: the time goes by in the
// event loop, and the CPU column shows what the wait costs.
void BM_UnfinishedTextWait(benchmark::State& state)
{
    // What earlier benchmarks left for the event loop is not this wait's cost.
    QCoreApplication::processEvents();
    zor::Connected = true;
    qint64 units = 0;
    for (auto _ : state) {
        zor::ReceivePipeline pipeline;
        Wire(pipeline, units);
        QString pending = QStringLiteral("Password: ");
        pipeline.hooks.Read = [&] { return std::exchange(pending, QString()); };
        pipeline.DataReady();
        QEventLoop wait;
        QObject::connect(&pipeline.ReleaseTimer, &QTimer::timeout, &wait, &QEventLoop::quit, Qt::QueuedConnection);
        wait.exec();
    }
    zor::Connected = false;
    state.counters["released"] = benchmark::Counter(static_cast<double>(units) / state.iterations());
}
BENCHMARK(BM_UnfinishedTextWait)->Iterations(2)->Unit(benchmark::kMillisecond);

// One chunk holding thousands of units at once.
void BM_OneLargeChunk(benchmark::State& state)
{
    const QString stream = RecordedStream(state.range(0));
    qint64 units = 0;
    for (auto _ : state) {
        state.PauseTiming();
        zor::ReceivePipeline pipeline;
        Wire(pipeline, units);
        // A chunk of its own, as the read buffer hands it on.
        QString chunk(stream.constData(), stream.size());
        state.ResumeTiming();
        pipeline.Socket_Receive(chunk);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OneLargeChunk)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

// A report captured through the session's road: "rh", then lines of 80
// characters, as the host prints a long report into the viewer's store.
void BM_ReportCapture(benchmark::State& state)
{
    const qsizetype lines = state.range(0);
    QString stream = QStringLiteral("\x1b"
                                    "rh^Bench report\x1b");
    stream.reserve(lines * 82 + 32);
    for (qsizetype line = 0; line < lines; ++line)
        stream += QStringLiteral("%1 WIDGET BLUE BOXED %2 EA 12.50\r\n").arg(line, 10).arg(line * 7, 44);
    zor::fConnection& window = zor::fConnection::instance();
    WindowReads reads;
    zor::Connected = true;
    double storeBytes = 0;
    for (auto _ : state) {
        qsizetype at = 0;
        reads.From(stream, at);
        while (at < stream.size())
            window.mChannel_DataReady();
        state.PauseTiming();
        storeBytes = 0;
        for (const QString& row : std::as_const(zor::Report().Rows))
            storeBytes += static_cast<double>(row.capacity()) * 2 + 24; // text and its header
        storeBytes += static_cast<double>(zor::Report().Rows.size()) * 2 * sizeof(QString);
        zor::ReportMode = false;
        zor::Report() = zor::ReportStore();
        window.stack.clear();
        state.ResumeTiming();
    }
    zor::Connected = false;
    state.SetBytesProcessed(state.iterations() * stream.size());
    state.counters["store_MB"] = storeBytes / (1 << 20);
}
BENCHMARK(BM_ReportCapture)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// "re" of a raw report whose lines carry the given number of printer codes
// ("<!027!>", "<!esc!>", "<!cr!>", "<!stx!>" in turn), one a line: the job
// text is made, the codes replaced in one pass and the job handed to a
// recorder. The captured lines are set up outside the timing.
void BM_RawReport(benchmark::State& state)
{
    const qsizetype markers = state.range(0);
    const char* const codes[] = {"<!027!>E", "<!esc!>", "<!cr!>", "<!stx!>"};
    QStringList lines;
    lines.reserve(markers);
    for (qsizetype line = 0; line < markers; ++line)
        lines << QStringLiteral("%1 WIDGET BLUE BOXED %2 12.50").arg(line, 10).arg(QLatin1String(codes[line % 4]));
    zor::test::RawPrinterScope raw;
    raw->printers = QStringList{QStringLiteral("bench")};
    zor::LoadPrinters();
    zor::fConnection& window = zor::fConnection::instance();
    for (auto _ : state) {
        state.PauseTiming();
        window.Process(QStringLiteral("rh^Bench report^^^1"));
        for (const QString& line : std::as_const(lines))
            zor::Report().Append(line);
        state.ResumeTiming();
        window.Process(QStringLiteral("re"));
        state.PauseTiming();
        if (raw->jobs.size() != 1 || raw->jobs.front().Text.contains(QLatin1String("<!")))
            state.SkipWithError("the report was not printed with its codes replaced");
        raw->jobs.clear();
        zor::Report() = zor::ReportStore();
        window.stack.clear();
        state.ResumeTiming();
    }
    zor::LoadPrinters();
    state.SetItemsProcessed(state.iterations() * markers);
}
BENCHMARK(BM_RawReport)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A raw job of 8 MB, every byte value in turn, to a queue of a cupsd of the
// benchmark's own on loopback, whose device is a socat listener: the time
// until the spooler has the job. Each job is awaited at the listener before
// the next, and the last one is compared byte for byte.
void BM_RawJob(benchmark::State& state)
{
    const qsizetype size = state.range(0);
    QString text(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        text[i] = QChar(static_cast<char16_t>(i % 256));
    const QString queue = QStringLiteral("bench");
    zor::test::CupsPeer cups;
    if (!cups.ready() || !cups.AddQueue(queue)) {
        state.SkipWithError("no cupsd with a socket queue could be started");
        return;
    }
    qsizetype arrived = 0;
    double deviceSeconds = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const zor::RawJobResult result =
            zor::test::PrintAndWait(zor::TheRawPrinter(), text, queue, QStringLiteral("GUI Print"));
        state.PauseTiming();
        arrived += size;
        if (!result.Ok || !cups.WaitForBytes(queue, arrived, 60000)) {
            state.SkipWithError(result.Ok ? "the job did not reach the device" : qPrintable(result.Error));
            break;
        }
        deviceSeconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        state.ResumeTiming();
    }
    if (!state.error_occurred() && cups.Received(queue).right(size) != text.toLatin1())
        state.SkipWithError("the device received other bytes");
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["to_device_ms"] = deviceSeconds * 1000;
}
BENCHMARK(BM_RawJob)->Arg(8 << 20)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv, [] {
        zor::SetDefaultAppearance();
        zor::fConnection::instance().show();
    });
}
