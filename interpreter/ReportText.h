#pragma once

#include <QString>
#include <QStringList>

namespace zor {

// The printer type of "rh" field 5 (1-based): types 1..8 give 0..7, anything
// else -1, the viewer.
int TargetPrinterOf(QStringView field);
// The printer type of "pi" field 2 (1-based): 1..10 give 0..9, anything else
// the report printer.
int PrinterInfoTypeOf(QStringView field);

// The text of a raw report job: each captured row ended by CR LF, a host
// page break as FF.
QString RawReportText(const QStringList& rows, qsizetype count);

// The printer codes a report line names: "<!esc!>", "<!cr!>", "<!ff!>",
// "<!stx!>", "<!etx!>" (exactly so written), and "<!" with a three-digit
// code 0..255, which takes the two characters after the digits with it. The
// named codes are replaced first, so a numeric one takes the characters a
// named code became. Any other "<!" stays as text and is traced.
QString ReplaceControlCodes(const QString& text);

// The report printer's text ends at its last page: what follows the last FF
// is dropped. A text without FF is kept whole.
QString CutAfterLastFormFeed(const QString& text);

} // namespace zor
