#include "tests/support/HostileUnits.h"

#include "bench/ResidentMemory.h"
#include "core/Dialogs.h"
#include "core/SharedState.h"
#include "core/Trace.h"
#include "devices/DirectPrinter.h"
#include "interpreter/CommandTable.h"
#include "session/ScreenCache.h"
#include "session/fConnection.h"
#include "tests/support/RawPrinterRecorder.h"
#include "tests/support/TestSupport.h"
#include "tools/Debugger.h"
#include "tools/ReportStore.h"
#include "tools/TraceLocation.h"
#include "tools/fJump.h"
#include "tools/fReport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <cstddef>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace zor::test {

namespace {

const QChar Esc(0x1b);
const QString CrLf = QStringLiteral("\r\n");
constexpr qsizetype MiB = 1 << 20;
constexpr int FieldsPerUnit = 12;
const QStringList HostileNumbers = {
    QStringLiteral("99999999999999999999"),
    QStringLiteral("2147483648"),
    QStringLiteral("65536"),
    QStringLiteral("32768"),
    QStringLiteral("-1"),
    QStringLiteral("-32769"),
    QStringLiteral("-2147483649"),
    QStringLiteral("1e300"),
    QStringLiteral("-99999999999"),
};

// A unit of the code whose fields all hold the value.
QString UnitOf(const QString& code, const QString& value, int fields = FieldsPerUnit)
{
    QString unit = code;
    for (int i = 0; i < fields; ++i)
        unit += QLatin1Char('^') + value;
    return unit;
}

// The pieces of the text: units of a code, or lines of plain text.
QStringList Pieces(const HostileSubject& subject, HostileShape shape)
{
    const bool text = subject.code.isEmpty();
    const QString& code = subject.code;
    QStringList pieces;
    switch (shape) {
    case HostileShape::HugeField:
        if (text)
            return {QString(MiB, QLatin1Char('A'))};
        // The huge field in each place in turn, the others plain.
        for (int place = 0; place < FieldsPerUnit; ++place) {
            QStringList fields(FieldsPerUnit, QStringLiteral("1"));
            fields[place] = QString(MiB, QLatin1Char('A'));
            pieces << code + QLatin1Char('^') + fields.join(QLatin1Char('^'));
        }
        return pieces;
    case HostileShape::ManyFields:
        return {UnitOf(text ? QStringLiteral("words") : code, QStringLiteral("1"), 100000)};
    case HostileShape::Repeated: {
        const QString one = text ? QStringLiteral("Stock 10.00") : UnitOf(code, QStringLiteral("1"));
        return QStringList(100000, one);
    }
    case HostileShape::Numbers:
        for (const QString& number : HostileNumbers)
            pieces << (text ? number : UnitOf(code, number));
        return pieces;
    case HostileShape::DeepPath: {
        QString path;
        for (int level = 0; level < 150000; ++level)
            path += QStringLiteral("[m");
        return {text ? path : code + QLatin1Char('^') + path + QStringLiteral("^K^1")};
    }
    case HostileShape::FontSizes:
        // Two entities of every font adjustment, each in a cell of its own and
        // of a kind that is drawn, then a redraw of them all.
        for (int i = 0; i < 512; ++i) {
            const int size = i % 256;
            if (text) {
                pieces << QString::number(size);
                continue;
            }
            pieces << QStringLiteral("%1^%2^%3^12^r^Caption %4^^%5^^%4")
                          .arg(code)
                          .arg(1 + i % 80)
                          .arg(1 + i / 80 % 24)
                          .arg(size)
                          .arg(1 + size % 11);
        }
        pieces << QStringLiteral("dr");
        return pieces;
    }
    return pieces;
}

const char* ShapeName(HostileShape shape)
{
    switch (shape) {
    case HostileShape::HugeField:
        return "HugeField";
    case HostileShape::ManyFields:
        return "ManyFields";
    case HostileShape::Repeated:
        return "Repeated";
    case HostileShape::Numbers:
        return "Numbers";
    case HostileShape::DeepPath:
        return "DeepPath";
    case HostileShape::FontSizes:
        return "FontSizes";
    }
    return "";
}

const char* ContextName(HostileContext context)
{
    switch (context) {
    case HostileContext::Nothing:
        return "Nothing";
    case HostileContext::Console:
        return "Console";
    case HostileContext::TraceWindow:
        return "TraceWindow";
    case HostileContext::ProcedurePanel:
        return "ProcedurePanel";
    }
    return "";
}

// The memory the program holds, in MB: what is resident. Under
// AddressSanitizer it is what the program has allocated and not yet freed:
// the sanitizer keeps freed memory resident for a while (a quarter of a
// gigabyte of it) to catch its use after the free, so that a row that only
// allocates and frees much would seem to keep it.
double HeldMb()
{
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<double>(__sanitizer_get_current_allocated_bytes()) / (1 << 20);
#else
    return ResidentMb();
#endif
}

// Samples the memory held while it lives, so a row's passing peak counts
// as well as what it keeps.
class PeakSampler {
public:
    PeakSampler() : start_(HeldMb()), peak_(start_)
    {
        thread_ = std::thread([this] {
            while (!stop_.load()) {
                double now = HeldMb();
                double seen = peak_.load();
                while (now > seen && !peak_.compare_exchange_weak(seen, now)) {
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }
    ~PeakSampler() { Stop(); }
    double Grown()
    {
        Stop();
        return std::max(peak_.load(), HeldMb()) - start_;
    }

private:
    void Stop()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    double start_;
    std::atomic<double> peak_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

void Open(fConnection& window, HostileContext context, const QString& traceFolder)
{
    switch (context) {
    case HostileContext::Nothing:
        return;
    case HostileContext::Console:
        if (!window.Console->isVisible())
            window.showConsole();
        return;
    case HostileContext::TraceWindow:
        OpenTraceWindows();
        Trace().Folder = traceFolder;
        return;
    case HostileContext::ProcedurePanel:
        window.Process(QStringLiteral("ph"));
        return;
    }
}

} // namespace

QString HostileRow::Name() const
{
    return subject.name + QLatin1Char('/') + QLatin1String(ShapeName(shape)) + QLatin1Char('/') +
           QLatin1String(ContextName(context));
}

std::vector<HostileSubject> HostileSubjects()
{
    std::vector<HostileSubject> subjects;
    for (const CommandEntry& entry : CommandEntries())
        subjects.push_back({QString::fromLatin1(entry.code), QString::fromLatin1(entry.code)});
    for (const char* mode : {"text", "text-report", "text-procedure", "text-passthrough"})
        subjects.push_back({QString::fromLatin1(mode), QString()});
    return subjects;
}

std::vector<HostileShape> HostileShapes()
{
    return {HostileShape::HugeField, HostileShape::ManyFields, HostileShape::Repeated,
            HostileShape::Numbers,   HostileShape::DeepPath,   HostileShape::FontSizes};
}

std::vector<HostileContext> HostileContexts()
{
    return {HostileContext::Nothing, HostileContext::Console, HostileContext::TraceWindow,
            HostileContext::ProcedurePanel};
}

std::vector<HostileRow> HostileRows(const HostileSubject& subject)
{
    std::vector<HostileRow> rows;
    for (HostileShape shape : HostileShapes())
        for (HostileContext context : HostileContexts())
            rows.push_back({subject, shape, context});
    return rows;
}

QString HostileText(const HostileSubject& subject, HostileShape shape)
{
    const QStringList pieces = Pieces(subject, shape);
    if (!subject.code.isEmpty())
        return Esc + pieces.join(Esc) + Esc;
    // Plain text comes in lines, inside the units that start and end its mode.
    QString before, after;
    if (subject.name == QLatin1String("text-report")) {
        before = Esc + QStringLiteral("rh^Sweep") + Esc;
        after = Esc + QStringLiteral("re") + Esc;
    } else if (subject.name == QLatin1String("text-procedure")) {
        before = Esc + QStringLiteral("ph") + Esc;
        after = Esc + QStringLiteral("pe") + Esc;
    } else if (subject.name == QLatin1String("text-passthrough")) {
        before = Esc + QStringLiteral("com^on") + CrLf;
        after = Esc + QStringLiteral("COM^OFF") + Esc;
    }
    return before + pieces.join(CrLf) + CrLf + after;
}

void ClearHostScreen(fConnection& window)
{
    if (window.Console->isVisible())
        window.Console->hide();
    Debugger::instance().close();
    TraceLocation::instance().hide();
    EndReportCapture();
    ReportMode = ProcMode = ComMode = false;
    Report() = ReportStore();
    fReport::instance().hide();
    window.Process(QStringLiteral("pe"));
    window.fProcInput->clear();
    window.Process(QStringLiteral("cs"));
    window.Process(QStringLiteral("lv^-1"));
    window.Process(QStringLiteral("go^ ^"));
    fJump::instance().hide();
    // The host's panels stay open through "cs"; none may carry over.
    window.Timer4->stop();
    MsgBoxUp = false;
    InputPending = false;
    for (QWidget* panel : {static_cast<QWidget*>(window.MsgPic), static_cast<QWidget*>(window.ListPic),
                           static_cast<QWidget*>(window.ParmFrame), static_cast<QWidget*>(window.ProgBarPic),
                           static_cast<QWidget*>(window.ProcPic), static_cast<QWidget*>(window.INTextPic),
                           static_cast<QWidget*>(window.lvINTextPic), static_cast<QWidget*>(window.HelpPicContainer)})
        panel->hide();
    window.LSList->clear();
    window.DataList->clear();
    window.MVPic->hide();
    window.lvMVPic->hide();
    window.frTenKey->hide();
    window.frTenKey->move(0, 0);
    window.RestoreTenKeyDesign();
    TenKeyPinned = 0;
    window.stack.clear();
    window.ConsoleText->ClearText();
    EntityData.fill(QString());
    window.eImage.fill(QImage());
    window.Buffer.resize(BufferSlots);
    Trace().Lines.clear();
    ClearCacheFiles();
}

HostileOutcome RunHostileRow(const HostileRow& row)
{
    fConnection& window = fConnection::instance();
    if (!window.isVisible()) {
        window.resize(1000, 700);
        window.show();
        QApplication::processEvents();
    }
    const ProgramFolderScope home;
    const QTemporaryDir traceFolder;
    const RawPrinterScope printers;
    DirectPrintFile = QStringLiteral("/dev/null");
    DialogScript boxes;
    // A window that is not one of the answered boxes is closed as soon as it
    // holds the call that opened it.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    closer.start(50);
    SentRecorder host;
    ClearHostScreen(window);
    Open(window, row.context, traceFolder.path());

    HostileOutcome outcome;
    {
        QString text = HostileText(row.subject, row.shape);
        PeakSampler memory;
        QElapsedTimer clock;
        clock.start();
        window.Socket_Receive(text);
        text.clear();
        ClearHostScreen(window);
        outcome.seconds = clock.nsecsElapsed() / 1e9;
        outcome.grownMb = memory.Grown();
    }
    host.sent.clear();
    QString version = Esc + QStringLiteral("vn") + Esc;
    window.Socket_Receive(version);
    outcome.answered = host.joined().startsWith(QStringLiteral("ZOR GUI User Interface version "));
    ClearHostScreen(window);
    return outcome;
}

} // namespace zor::test
