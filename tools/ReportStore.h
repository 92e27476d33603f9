#pragma once

#include <QString>
#include <QStringList>

namespace zor {

// The captured report, kept by the program from "rh" to "re" and after, so
// that closing a window never loses it: one row per report line (the
// viewer's grid) and the lines as they came (its stack).
struct ReportStore {
    QString Caption = QStringLiteral("Report");
    QStringList Rows;
    QStringList Stack;
    // Rows captured since the last "rh"; the blank rows added for the viewer
    // after "re" are no report lines.
    qsizetype CapturedRows = 0;
    bool Captured = false;
    // The blank rows at the end of Rows that are no report lines.
    qsizetype SpareRows = 0;
    // Which report this is: each "rh" and each report from a file is a new one.
    quint64 Number = 0;

    // "rh": a new report.
    void Begin(const QString& caption);
    // One report line.
    void Append(const QString& line);
    // A host page break: "+newpage", a row of its own.
    void AppendPageBreak();
    // "re": the capture is over; the viewer gets its spare blank rows, once a
    // report. A "re" with no capture open adds nothing.
    void End();
    // The report's own lines: the rows without the spare ones.
    qsizetype LineCount() const { return Rows.size() - SpareRows; }
    // A report opened from a file: its lines only, no capture pending.
    void Replace(const QStringList& lines);
    // The report went to its printer: its lines are no longer kept.
    void DropPrintedRows();
};

inline const QString PageBreakRow = QStringLiteral("+newpage");
constexpr int ReportSpareRows = 100;

ReportStore& Report();

} // namespace zor
