#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>

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

bool IsSafeFileNamePart(const QString& name)
{
    if (name.trimmed().isEmpty() || name.startsWith(QLatin1Char('.')))
        return false;
    return std::none_of(name.cbegin(), name.cend(),
                        [](QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 32; });
}

QString CompanionBaseName(const QString& configFile)
{
    const QLatin1String ending(".ntt");
    return configFile.endsWith(ending, Qt::CaseInsensitive) ? configFile.chopped(ending.size()) : configFile;
}

} // namespace zor
