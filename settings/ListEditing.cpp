#include "settings/ListEditing.h"

#include "core/Records.h"
#include "settings/CompanionFiles.h"
#include "settings/SettingsFields.h"

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
        return QStringLiteral("Name/Address: \"%1\" holds \":\" or \",\", which the server list could not read back.")
            .arg(host);
    if (!IsLatin1(host))
        return Latin1Refusal(QStringLiteral("Name/Address:"), host);
    if (!StoredPort(port))
        return PortRefusal(port);
    if (description.contains(QLatin1Char(':')))
        return QStringLiteral("Description: \"%1\" holds \":\", which the server list could not read back.")
            .arg(description);
    return DescriptionProblem(description);
}

QString ServerFitProblem(const QString& host, const QString& description)
{
    if (host.size() > SessionSettings::HostNameWidth)
        return QStringLiteral("Name/Address: \"%1\" is longer than %2 characters: this server does not fit the "
                              "fields, which are left as they were.")
            .arg(host)
            .arg(SessionSettings::HostNameWidth);
    if (description.size() > HostDescriptionWidth)
        return QStringLiteral("Description: \"%1\" is longer than %2 characters: this server does not fit the "
                              "fields, which are left as they were.")
            .arg(description)
            .arg(HostDescriptionWidth);
    return QString();
}

} // namespace zor
