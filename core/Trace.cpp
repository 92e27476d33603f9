#include "core/Trace.h"

#include "core/SharedState.h"

#include <QFile>

namespace zor {

TraceLog& Trace()
{
    static TraceLog log;
    return log;
}

void WriteTrace(const QString& tag, const QString& text)
{
    TraceLog& log = Trace();
    if (!log.On)
        return;
    const QString line = QLatin1Char('[') + tag + QLatin1Char(']') + text;
    log.Lines.push_back(line);
    if (log.LineAdded)
        log.LineAdded(line);
    if (static_cast<qint64>(log.Lines.size()) > TraceMaxLines) {
        log.Lines.pop_front();
        if (log.FirstLineRemoved)
            log.FirstLineRemoved();
    }
    // A file that cannot be written must not stop the program that is being
    // traced: the line stays in the list and the failure is remembered.
    QFile file(log.Folder + QLatin1Char('/') + TraceFileName);
    log.FileError = !file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(line.toLatin1() + "\r\n") < 0;
}

} // namespace zor
