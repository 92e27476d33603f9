#include "core/Trace.h"

#include "core/SharedState.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

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
    // Opened, appended to and closed for each line, so the file is complete
    // whatever becomes of the program; with the three calls to the system
    // this takes and no more, since a flood of trace lines writes each one.
    // A file that cannot be written must not stop the program that is being
    // traced: the line stays in the list and the failure is remembered.
    const QByteArray path = QFile::encodeName(log.Folder + QLatin1Char('/') + TraceFileName);
    const QByteArray bytes = line.toLatin1() + "\r\n";
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    log.FileError = fd < 0 || ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) != bytes.size();
    if (fd >= 0)
        ::close(fd);
}

} // namespace zor
