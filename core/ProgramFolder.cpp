#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace zor {

QString ProgramFolder()
{
    const QString home = qEnvironmentVariable("ZOR_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(home);
    return QCoreApplication::applicationDirPath();
}

QString ProgramFile(const QString& name)
{
    return ProgramFolder() + QLatin1Char('/') + name;
}

} // namespace zor
