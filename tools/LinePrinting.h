#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

class QFontMetrics;
class QPrinter;

namespace zor {

// Text lines laid out on pages: one printed line per line, a line wider than
// the page going on over the next printed lines so that nothing is cut off,
// and a new page whenever the next printed line would not fit.
QList<QStringList> PaginateLines(const QStringList& lines, const QFontMetrics& metrics, QSize page);

// Prints the lines in the font family at the printer's own size; false when
// the printer could not be started or reported an error.
bool PrintLines(QPrinter& printer, const QStringList& lines, const QString& fontFamily);

} // namespace zor
