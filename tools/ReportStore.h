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

    // "rh": a new report.
    void Begin(const QString& caption);
    // One report line.
    void Append(const QString& line);
    // A host page break: "+newpage", a row of its own.
    void AppendPageBreak();
    // "re": the capture is over; the viewer gets its spare blank rows.
    void End();
    // A report opened from a file: its lines only, no capture pending.
    void Replace(const QStringList& lines);
};

inline const QString PageBreakRow = QStringLiteral("+newpage");
constexpr int ReportSpareRows = 100;

ReportStore& Report();

} // namespace zor
