// Report capture ("rh", "re"), the printer of a type ("pi"), serial
// pass-through ("com"), and where plain text goes.
#include "interpreter/Interpreter.h"

#include "core/Dialogs.h"
#include "core/Fields.h"
#include "core/NumberConversion.h"
#include "core/SendReply.h"
#include "core/SharedState.h"
#include "core/Trace.h"
#include "core/WindowUtils.h"
#include "devices/DirectPrinter.h"
#include "devices/ModPrinter.h"
#include "devices/RawPrinter.h"
#include "devices/ReceiptOutput.h"
#include "devices/UnprintedJob.h"
#include "devices/modComm.h"
#include "interpreter/CommandUnit.h"
#include "interpreter/ReportText.h"
#include "session/fConnection.h"
#include "tools/ReportFile.h"
#include "tools/ReportStore.h"
#include "tools/fReport.h"

#include <QLabel>

namespace zor {

namespace {

const QString ReportDocName = QStringLiteral("GUI Print");
const QString PrinterErrorText =
    QStringLiteral("An error occured attempting to print to default printer. The only way to cancel this print job "
                   "is to terminate this connection.  Would you like to terminate now?");

// The answer to the raw job of report number `printed`.
void TakeReportJobAnswer(quint64 printed, const QString& caption, const QStringList& rows, const RawJobResult& result)
{
    ReportStore& report = Report();
    const bool current = report.Number == printed;
    if (!result.Ok) {
        WriteTrace(QStringLiteral("RE"), QStringLiteral("Report not printed: ") + result.Error);
        if (current)
            fReport::instance().ShowReport();
        else
            // A newer report holds the viewer: this one is kept in a report
            // file, which the viewer opens.
            KeepUnprintedJob(QStringLiteral("The report \"%1\"").arg(caption), ReportFileBytes(rows, std::nullopt),
                             QStringLiteral("qmr"), result.Error);
        return;
    }
    // A report begun since has its own rows.
    if (!current)
        return;
    report.DropPrintedRows();
    ReportBuffer.clear();
    ReportRowCount = report.LineCount();
    if (fReport::instance().isVisible())
        fReport::instance().ShowReport();
}

} // namespace

void Interpreter::ReportHead(const CommandUnit& unit)
{
    Report().Begin(unit.FieldText(2));
    ReportMode = true;
    ReportDirect = unit.Field(3).compare(QLatin1String("p"), Qt::CaseInsensitive) == 0 ? 1 : 0;
    AddToHistory(unit);
    TargetPrinter = static_cast<qint16>(TargetPrinterOf(unit.Field(5)));
    if (TraceOn()) {
        const QString target = TargetPrinter >= 0 ? MappedPrinter(TargetPrinter) : QStringLiteral(" -1");
        WriteTrace(QStringLiteral("RH"), QStringLiteral("TargetPrinter == %1").arg(TargetPrinter) + target);
    }
    if (fReport::instance().isVisible())
        fReport::instance().ShowReport();
}

void Interpreter::ReportEnd(const CommandUnit& unit)
{
    ReportMode = false;
    window_.lWorking->hide();
    if (TraceOn())
        WriteTrace(QStringLiteral("RE"), QLatin1Char('[') + ReportBuffer + QLatin1Char(']'));
    ReportStore& report = Report();
    const bool wasDirect = ReportDirect == 1;
    // A document begun before a printer error still ends here.
    TheDirectPrinter().End();
    ReportDirect = 0;
    bool show = false;
    if (!wasDirect && TargetPrinter != -1 && PrinterCount > 0)
        PrintReportRaw(report);
    else if (!wasDirect)
        show = true;
    AddToHistory(unit);
    report.End();
    ReportRowCount = report.LineCount();
    if (show || fReport::instance().isVisible())
        fReport::instance().ShowReport();
    WriteTrace(QStringLiteral("RE"), QStringLiteral("Printing complete."));
}

void Interpreter::PrintReportRaw(const ReportStore& report)
{
    if (!report.Captured || report.CapturedRows == 0) {
        WriteTrace(QStringLiteral("RE"), QStringLiteral("Nothing captured to print"));
        return;
    }
    ReportBuffer = RawReportText(report.Rows, report.CapturedRows);
    if (ReportBuffer.contains(QLatin1String("<!"))) {
        if (TraceOn())
            WriteTrace(QStringLiteral("ControlCharReplace"),
                       QStringLiteral("Input: [") + ReportBuffer + QLatin1Char(']'));
        ReportBuffer = ReplaceControlCodes(ReportBuffer);
        if (TraceOn())
            WriteTrace(QStringLiteral("ControlCharReplace"),
                       QStringLiteral("Output: [") + ReportBuffer + QLatin1Char(']'));
    }
    if (TargetPrinter == ReportPrinterType)
        ReportBuffer = CutAfterLastFormFeed(ReportBuffer);
    const quint64 printed = report.Number;
    TheRawPrinter().PrintRaw(ReportBuffer, MappedPrinter(TargetPrinter), ReportDocName,
                             [printed, rows = report.Rows, caption = report.Caption](const RawJobResult& result) {
                                 TakeReportJobAnswer(printed, caption, rows, result);
                             });
}

void Interpreter::PrinterInfo(const CommandUnit& unit)
{
    SendReply(MappedPrinter(PrinterInfoTypeOf(unit.Field(2))));
}

void Interpreter::SwitchComMode(const CommandUnit& unit)
{
    if (unit.Field(2).compare(QLatin1String("on"), Qt::CaseInsensitive) != 0) {
        ComMode = false;
        return;
    }
    ComMode = true;
    WriteTrace(QStringLiteral("COM"),
               QStringLiteral("com^on. UseComm = ") + (UseComm ? QStringLiteral("-1") : QStringLiteral("0")));
    if (!UseComm)
        OpenComPort();
}

void Interpreter::PlainText(QString text)
{
    if (ComMode) {
        ComPortOut(text);
        return;
    }
    FilterControlChars(text);
    if (ReportMode) {
        ReportLine(text);
        return;
    }
    if (ProcMode) {
        ProcedureText(text);
        return;
    }
    if (text.contains(QLatin1String("] in program")))
        Dialogs::MsgBox(QStringLiteral("Application error:\r\n") + text, Dialogs::Critical, QStringLiteral("ERROR"));
    AppendConsole(*window_.ConsoleText, text);
}

void Interpreter::ReportLine(const QString& text)
{
    if (ReportDirect == 1) {
        if (TheDirectPrinter().PrintLine(text))
            return;
        // Asked once a report: after No the rest is kept for the viewer.
        ReportDirect = 0;
        TheDirectPrinter().End();
        const bool terminate = Dialogs::MsgBox(PrinterErrorText, Dialogs::YesNo + Dialogs::Critical,
                                               QStringLiteral("Printer Error")) == Dialogs::Yes;
        Report().Append(text);
        if (terminate)
            window_.CloseConnection();
        return;
    }
    Report().Append(text);
}

void Interpreter::ReportPageBreak()
{
    if (!ReportMode)
        return;
    if (ReportDirect == 1)
        TheDirectPrinter().NewPage();
    else
        Report().AppendPageBreak();
}

} // namespace zor
