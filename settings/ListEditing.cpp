#include "settings/ListEditing.h"

#include "settings/CompanionFiles.h"

#include <QStringList>

namespace zor {

bool IsReplyEntry(const QString& text)
{
    return text.contains(QLatin1Char('='));
}

ConnectionFields SplitConnectionEntry(const QString& entry)
{
    const QStringList parts = entry.split(QLatin1Char(','));
    return {parts.value(0), parts.value(1)};
}

QString JoinConnectionEntry(const QString& host, const QString& port, const QString& description)
{
    return host + QLatin1Char(',') + port + QLatin1Char(',') + description;
}

QString ServerEntryProblem(const QString& host, const QString& port, const QString& description)
{
    if (host.contains(QLatin1Char(':')) || host.contains(QLatin1Char(',')))
        return QStringLiteral("The Name/Address may not hold \":\" or \",\": the server list could not read it back.");
    bool ok = false;
    const uint value = port.trimmed().toUInt(&ok);
    if (!ok || value < 1 || value > 65535)
        return QStringLiteral("The Port must be a number from 1 to 65535.");
    if (description.contains(QLatin1Char(':')))
        return QStringLiteral("The Description may not hold \":\": the server list could not read it back.");
    return DescriptionProblem(description);
}

} // namespace zor
