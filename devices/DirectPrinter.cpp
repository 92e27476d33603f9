#include "devices/DirectPrinter.h"

#include "core/SharedState.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace zor {

DirectPrinter::DirectPrinter() = default;
DirectPrinter::~DirectPrinter()
{
    End();
}

bool DirectPrinter::Begin()
{
    if (!DirectPrintFile.isEmpty()) {
        printer_ = std::make_unique<QPrinter>();
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(DirectPrintFile);
    } else {
        // The program's own current printer; the system's default stays.
        const QPrinterInfo info =
            PrinterCount > 0 ? QPrinterInfo::printerInfo(Printers.value(0)) : QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return false;
        printer_ = std::make_unique<QPrinter>(info);
    }
    printer_->setDocName(QStringLiteral("Report"));
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        printer_.reset();
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
    return printer_->printerState() != QPrinter::Error;
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
