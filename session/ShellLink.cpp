#include "session/ShellLink.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace zor {

ShellLink& Shell()
{
    static ShellLink link{
        [](const QString& program, const QStringList& arguments) {
            return QProcess::startDetached(program, arguments);
        },
        [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); },
        {},
        {},
        {},
    };
    return link;
}

} // namespace zor
