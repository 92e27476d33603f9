#include "settings/SettingsFields.h"

#include "core/Records.h"

#include <algorithm>

namespace zor {

std::optional<qint16> StoredPort(const QString& typed)
{
    const QString number = typed.trimmed();
    bool ok = false;
    const uint port = number.toUInt(&ok);
    // toUInt takes a sign; a port typed as "+23" is no port.
    if (!ok || port < 1 || port > 65535 || !number.front().isDigit())
        return std::nullopt;
    return static_cast<qint16>(static_cast<quint16>(port));
}

QString ShownPort(qint16 stored)
{
    return QString::number(static_cast<quint16>(stored));
}

QString PortRefusal(const QString& typed)
{
    return QStringLiteral("Port: \"%1\" is no port number. Type a whole number from 1 to 65535.").arg(typed);
}

QString ShownFixedWidth(const QString& stored)
{
    qsizetype end = stored.size();
    while (end > 0 && (stored[end - 1] == QLatin1Char(' ') || stored[end - 1] == QChar(0)))
        --end;
    return stored.left(end);
}

bool IsLatin1(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

bool FitsLatin1(const QString& text, int width)
{
    return text.size() <= width && IsLatin1(text);
}

QString Latin1Refusal(const QString& caption, const QString& text)
{
    const auto bad = std::find_if(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() > 0xFF; });
    const QChar c = bad == text.cend() ? QChar() : *bad;
    return QStringLiteral("%1 \"%2\" holds the character \"%3\" (U+%4), which cannot be stored: only the "
                          "characters of Latin-1 can.")
        .arg(caption, text, QString(c))
        .arg(c.unicode(), 4, 16, QLatin1Char('0'));
}

QString PicturePathRefusal(const QString& path)
{
    return QStringLiteral("Backdrop Image: the picture path \"%1\" is longer than %2 characters or holds characters "
                          "the configuration cannot keep. Choose a picture with a shorter path.")
        .arg(path)
        .arg(SessionSettings::BackImageFileWidth);
}

} // namespace zor
