#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace zor {

// The look a report file keeps in its header line
// "MF,colour,font,bold,italic,size".
struct ReportHeader {
    qint32 BarColor = 0;
    QString FontName;
    bool Bold = false;
    bool Italic = false;
    double Size = 0;
};

// Font sizes a header may hold, in points.
constexpr double MinReportFontSize = 1;
constexpr double MaxReportFontSize = 144;

struct ReportFileRead {
    QString Error; // why nothing was loaded
    std::optional<ReportHeader> Header;
    QStringList Lines;
    bool Ok() const { return Error.isEmpty(); }
};

// A report file: an optional header line (its first field "mf" in any
// case), then one report line per text line. A header whose values are out
// of range is refused whole, with the reason.
ReportFileRead ReadReportFile(const QString& path);

// "MF,16777152,Courier New,False,False,8.25".
QString ReportHeaderLine(const ReportHeader& header);

// Every row as a CR LF line, after the header line when there is one.
QByteArray ReportFileBytes(const QStringList& rows, const std::optional<ReportHeader>& header);

} // namespace zor
