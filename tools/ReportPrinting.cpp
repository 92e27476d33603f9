#include "tools/ReportPrinting.h"

#include "tools/LinePrinting.h"
#include "tools/ReportPaper.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace zor {

namespace {

// The rows between page breaks; the part before the first break is the
// first section, even when it is empty.
QList<QStringList> Sections(const QStringList& rows)
{
    QList<QStringList> sections(1);
    for (const QString& row : rows) {
        if (IsPageBreak(row))
            sections.append(QStringList());
        else
            sections.back().append(row);
    }
    return sections;
}

} // namespace

bool PrintReportRows(QPrinter& printer, const QStringList& rows, const QFont& font)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setFont(font);
    const QFontMetrics metrics(painter.font(), painter.device());
    const QSize area = painter.viewport().size();
    // Each section starts on a page of its own; one with no lines gives no
    // page, so breaks in a row or at either end waste no paper.
    bool pageUsed = false;
    for (const QStringList& section : Sections(rows)) {
        for (const QStringList& page : PaginateLines(section, metrics, area)) {
            if (pageUsed && !printer.newPage()) {
                painter.end();
                return false;
            }
            int y = metrics.ascent();
            for (const QString& piece : page) {
                painter.drawText(0, y, piece);
                y += metrics.lineSpacing();
            }
            pageUsed = true;
        }
    }
    painter.end();
    return printer.printerState() != QPrinter::Error && printer.printerState() != QPrinter::Aborted;
}

} // namespace zor
