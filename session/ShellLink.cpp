#include "session/ShellLink.h"

#include "settings/fSpawn.h"
#include "tools/Splash.h"
#include "tools/fReport.h"
#include "tools/fTips.h"

#include <QApplication>
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
        // Over the window the user works in: the session window from its
        // menus, none yet at start-up.
        [] { return fSpawn::Choose(QApplication::activeWindow()); },
        [] { fTips().exec(); },
        [] { fReport::instance().ShowFromMenu(); },
        [] { Splash().exec(); },
    };
    return link;
}

} // namespace zor
