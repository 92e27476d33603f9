#include "tools/LinePrinting.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace zor {

namespace {

// The pieces of a line that each fit the width; at least one character each.
QStringList FittingPieces(const QString& line, const QFontMetrics& metrics, int width)
{
    if (line.isEmpty())
        return {line};
    QStringList pieces;
    qsizetype start = 0;
    int used = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const int advance = metrics.horizontalAdvance(line.at(i));
        if (i > start && used + advance > width) {
            pieces << line.mid(start, i - start);
            start = i;
            used = 0;
        }
        used += advance;
    }
    pieces << line.mid(start);
    return pieces;
}

} // namespace

QList<QStringList> PaginateLines(const QStringList& lines, const QFontMetrics& metrics, QSize page)
{
    const int linesPerPage = std::max(1, page.height() / std::max(1, metrics.lineSpacing()));
    QList<QStringList> pages;
    for (const QString& line : lines) {
        for (const QString& piece : FittingPieces(line, metrics, page.width())) {
            if (pages.isEmpty() || pages.back().size() >= linesPerPage)
                pages.append(QStringList());
            pages.back() << piece;
        }
    }
    return pages;
}

bool PrintLines(QPrinter& printer, const QStringList& lines, const QString& fontFamily)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    QFont font = painter.font();
    font.setFamily(fontFamily);
    painter.setFont(font);
    const QFontMetrics metrics(painter.font(), painter.device());
    const QRect area = painter.viewport();
    const QList<QStringList> pages = PaginateLines(lines, metrics, area.size());
    bool printed = true;
    for (qsizetype p = 0; p < pages.size() && printed; ++p) {
        if (p > 0 && !printer.newPage()) {
            printed = false;
            break;
        }
        int y = metrics.ascent();
        for (const QString& piece : pages[p]) {
            painter.drawText(0, y, piece);
            y += metrics.lineSpacing();
        }
    }
    painter.end();
    return printed && printer.printerState() != QPrinter::Error && printer.printerState() != QPrinter::Aborted;
}

} // namespace zor
