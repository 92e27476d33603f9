#pragma once

#include <QStringList>

class QFont;
class QPrinter;

namespace zor {

// Prints report rows in the font: the lines after a page-break row start a
// new page, a full page goes on to the next, and a line wider than the page
// goes on over the next printed lines. False when the printer could not be
// started or failed.
bool PrintReportRows(QPrinter& printer, const QStringList& rows, const QFont& font);

} // namespace zor
