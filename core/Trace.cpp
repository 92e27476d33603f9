#include "core/Trace.h"

#include "core/Dialogs.h"
#include "core/SharedState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace zor {

namespace {

void AddToList(TraceLog& log, const QString& line)
{
    log.Lines.push_back(
        line.size() <= TraceListLineChars
            ? line
            : line.left(TraceListLineChars) +
                  QStringLiteral(" ... (%1 more characters in the trace file)").arg(line.size() - TraceListLineChars));
    if (log.LineAdded)
        log.LineAdded(log.Lines.back());
    if (static_cast<qint64>(log.Lines.size()) > TraceMaxLines) {
        log.Lines.pop_front();
        if (log.FirstLineRemoved)
            log.FirstLineRemoved();
    }
}

// Opened, appended to and closed for each line, so the file is complete
// whatever becomes of the program; with the three calls to the system this
// takes and no more, since a flood of trace lines writes each one. Empty when
// the line went in, else why not.
QString AppendToFile(const QString& file, const QString& line)
{
    const QByteArray bytes = line.toLatin1() + "\r\n";
    const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    const ssize_t written = ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size()));
    const int error = errno;
    ::close(fd);
    if (written == bytes.size())
        return {};
    return written < 0 ? QString::fromLocal8Bit(std::strerror(error)) : QStringLiteral("only part of a line went in");
}

// In the list at once; in a message once the caller's work is done, since a
// trace line is written in the middle of anything.
void TellFileFailed(TraceLog& log, const QString& file, const QString& reason)
{
    const QString message =
        QStringLiteral("The trace file %1 cannot be written: %2.").arg(QDir::toNativeSeparators(file), reason);
    AddToList(log, QStringLiteral("[Trace]") + message);
    if (QCoreApplication* application = QCoreApplication::instance())
        QTimer::singleShot(0, application, [message] {
            Dialogs::MsgBox(message + QStringLiteral("\r\nThe trace goes on in the trace window."),
                            Dialogs::OKOnly + Dialogs::Exclamation, QStringLiteral("Trace File"));
        });
}

} // namespace

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
    AddToList(log, line);
    // A file that cannot be written must not stop the program that is being
    // traced: the line stays in the list.
    const QString file = log.Folder + QLatin1Char('/') + TraceFileName;
    const QString reason = AppendToFile(file, line);
    if (reason.isEmpty()) {
        log.FailingFile.clear();
    } else if (log.FailingFile != file) {
        log.FailingFile = file;
        TellFileFailed(log, file, reason);
    }
}

} // namespace zor
