// The report viewer with a long report: shown, paged, searched to its last
// line, and what the report and the window hold in memory.
#include "bench/QtBenchmarkMain.h"
#include "bench/ResidentMemory.h"
#include "core/SharedState.h"
#include "tools/ReportStore.h"
#include "tools/fReport.h"

#include <QLineEdit>
#include <benchmark/benchmark.h>

using namespace zor;

namespace {

const QString LastLine = QStringLiteral("END OF REPORT: TOTAL 123456.78");

// A report of so many 80-column lines, as "re" leaves it; the last report
// line is the only one holding LastLine.
void CaptureReport(int lines)
{
    ReportStore& report = Report();
    report.Begin(QStringLiteral("Stock report"));
    for (int i = 0; i < lines - 1; ++i)
        report.Append(QStringLiteral("%1  Widget, blue, boxed %2   Aisle %3  Qty %4  Each %5.%6")
                          .arg(i, 8, 10, QLatin1Char('0'))
                          .arg(i % 97, 4)
                          .arg(i % 31, 3)
                          .arg(i % 1000, 6)
                          .arg(i % 500, 6)
                          .arg(i % 100, 2, 10, QLatin1Char('0'))
                          .leftJustified(80));
    report.Append(LastLine);
    report.End();
    ReportRowCount = lines;
}

// A maximised viewer the size of a common desktop.
fReport& Viewer()
{
    fReport& viewer = fReport::instance();
    viewer.ShowReport();
    viewer.showNormal();
    viewer.resize(1280, 960);
    QApplication::processEvents();
    return viewer;
}

// Resident memory taken by a captured report shown in the viewer, measured
// from an empty store with the window already made; first, so that no
// earlier report's freed memory hides what it takes.
void BM_ReportMemory(benchmark::State& state)
{
    for (auto _ : state) {
        Report() = ReportStore();
        Viewer();
        const double before = ResidentMb();
        CaptureReport(static_cast<int>(state.range(0)));
        Viewer();
        state.counters["viewer_MB"] = ResidentMb() - before;
    }
    Report() = ReportStore();
}
BENCHMARK(BM_ReportMemory)->Arg(10000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ReportShow(benchmark::State& state)
{
    CaptureReport(static_cast<int>(state.range(0)));
    fReport& viewer = Viewer();
    for (auto _ : state) {
        viewer.hide();
        viewer.ShowReport();
        QApplication::processEvents();
    }
    state.counters["page_lines"] = ReportPageLines;
}
BENCHMARK(BM_ReportShow)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReportPageScroll(benchmark::State& state)
{
    CaptureReport(static_cast<int>(state.range(0)));
    fReport& viewer = Viewer();
    viewer.RptCmnd_Click(fReport::BottomOfReport);
    viewer.RptCmnd_Click(fReport::PreviousPage);
    bool down = true;
    for (auto _ : state) {
        viewer.RptCmnd_Click(down ? fReport::NextPage : fReport::PreviousPage);
        down = !down;
    }
}
BENCHMARK(BM_ReportPageScroll)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_ReportFindLastLine(benchmark::State& state)
{
    CaptureReport(static_cast<int>(state.range(0)));
    fReport& viewer = Viewer();
    viewer.FindText->setText(LastLine);
    for (auto _ : state) {
        viewer.FindRow = 0;
        viewer.ReportFind_Click();
    }
    if (viewer.TopLine != state.range(0) - 1)
        state.SkipWithError("the last line was not found");
}
BENCHMARK(BM_ReportFindLastLine)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
