#include "devices/UnprintedJob.h"

#include "core/Dialogs.h"
#include "core/FileSave.h"
#include "core/ProgramFolder.h"
#include "core/Trace.h"

#include <QDateTime>
#include <QFileInfo>

namespace zor {

QString KeepUnprintedJob(const QString& what, const QByteArray& bytes, const QString& extension, const QString& error)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz"));
    QString path = ProgramFile(QStringLiteral("unprinted-%1.%2").arg(stamp, extension));
    for (int more = 2; QFileInfo::exists(path); ++more)
        path = ProgramFile(QStringLiteral("unprinted-%1-%2.%3").arg(stamp).arg(more).arg(extension));
    const QString reason = what + QStringLiteral(" could not be printed: ") + error;
    WriteTrace(QStringLiteral("RE"), reason);
    if (!SaveFileWhole(path, bytes)) {
        Dialogs::MsgBox(reason + QStringLiteral("\r\nIt could not be kept in ") + path, Dialogs::Critical,
                        QStringLiteral("Printer Error"));
        return QString();
    }
    WriteTrace(QStringLiteral("RE"), QStringLiteral("Kept in ") + path);
    Dialogs::MsgBox(reason + QStringLiteral("\r\nIt is kept in ") + path, Dialogs::Critical,
                    QStringLiteral("Printer Error"));
    return path;
}

} // namespace zor
