#include "devices/DirectPrinter.h"

#include "core/Dialogs.h"
#include "core/SharedState.h"
#include "core/Trace.h"
#include "devices/RawPrinter.h"
#include "devices/UnprintedJob.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>

namespace zor {

DirectPrinter::DirectPrinter() = default;
DirectPrinter::~DirectPrinter()
{
    End();
}

namespace {

const QString DocName = QStringLiteral("Report");

const QString What = QStringLiteral("The report printed line by line");

} // namespace

bool DirectPrinter::Begin()
{
    QString file = DirectPrintFile;
    if (file.isEmpty()) {
        // The program's own current printer. The document is made here and
        // handed over whole at its end, so the window never waits on the
        // print server while lines come.
        if (PrinterCount <= 0)
            return false;
        target_ = Printers.value(0);
        spool_ = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("zor-report-XXXXXX.pdf")));
        if (!spool_->open()) {
            spool_.reset();
            return false;
        }
        file = spool_->fileName();
        spool_->close();
    }
    // A PDF writer, not a printer object: making one of those asks the print
    // server for its default printer, and waits as long as it does.
    printer_ = std::make_unique<QPdfWriter>(file);
    printer_->setTitle(DocName);
    printer_->setPageSize(
        QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4));
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        printer_.reset();
        spool_.reset();
        return false;
    }
    painter_->setFont(QFont(QStringLiteral("Courier New"), 10));
    y_ = 0;
    return true;
}

bool DirectPrinter::PrintLine(const QString& line)
{
    if (!painter_ && !Begin())
        return false;
    const QFontMetrics metrics(painter_->font(), printer_.get());
    const int height = printer_->pageLayout().paintRectPixels(printer_->resolution()).height();
    if (y_ > 0 && y_ + metrics.lineSpacing() > height)
        NewPage();
    painter_->drawText(0, y_ + metrics.ascent(), line);
    y_ += metrics.lineSpacing();
    return true;
}

void DirectPrinter::NewPage()
{
    if (!painter_)
        return;
    printer_->newPage();
    y_ = 0;
}

void DirectPrinter::End()
{
    if (painter_)
        painter_->end();
    painter_.reset();
    printer_.reset();
    if (!spool_)
        return;
    QFile pdf(spool_->fileName());
    const QByteArray document = pdf.open(QIODevice::ReadOnly) ? pdf.readAll() : QByteArray();
    spool_.reset();
    if (document.isEmpty()) {
        WriteTrace(QStringLiteral("RE"), What + QStringLiteral(" could not be made"));
        Dialogs::MsgBox(What + QStringLiteral(" could not be made"), Dialogs::Critical,
                        QStringLiteral("Printer Error"));
        return;
    }
    TheRawPrinter().PrintDocument(document, target_, DocName, [document](const RawJobResult& result) {
        if (!result.Ok)
            KeepUnprintedJob(What, document, QStringLiteral("pdf"), result.Error);
    });
}

bool DirectPrinter::IsOpen() const
{
    return painter_ != nullptr;
}

void EndReportCapture()
{
    ReportMode = false;
    ReportDirect = 0;
    TheDirectPrinter().End();
}

DirectPrinter& TheDirectPrinter()
{
    // Never destroyed: the exit path ends an open document while the
    // application still runs.
    static DirectPrinter* printer = new DirectPrinter();
    return *printer;
}

} // namespace zor
