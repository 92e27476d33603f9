#include "tools/ReportStore.h"

namespace zor {

void ReportStore::Begin(const QString& caption)
{
    Caption = caption;
    ++Number;
    Rows.clear();
    Stack.clear();
    CapturedRows = 0;
    Captured = true;
    SpareRows = 0;
}

void ReportStore::Append(const QString& line)
{
    // Both lists share the one string.
    Rows.append(line);
    Stack.append(line);
    ++CapturedRows;
}

void ReportStore::AppendPageBreak()
{
    Append(PageBreakRow);
}

void ReportStore::End()
{
    // The host repeats "re" as it likes; only a report it began grows the rows.
    if (!Captured)
        return;
    Captured = false;
    CapturedRows = 0;
    Rows.reserve(Rows.size() + ReportSpareRows);
    for (int i = 0; i < ReportSpareRows; ++i)
        Rows.append(QString());
    SpareRows = ReportSpareRows;
}

void ReportStore::Replace(const QStringList& lines)
{
    ++Number;
    Rows = lines;
    Stack = lines;
    CapturedRows = 0;
    Captured = false;
    SpareRows = 0;
}

void ReportStore::DropPrintedRows()
{
    Rows.remove(0, LineCount());
}

ReportStore& Report()
{
    static ReportStore store;
    return store;
}

} // namespace zor
