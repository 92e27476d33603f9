#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zor {

// Host text, file text and printer text are bytes 0..255. In memory they are
// QStrings whose characters carry those codes (the Latin-1 mapping), so that
// every byte survives the way in and out unchanged.
inline QString FromBytes(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes);
}
inline QByteArray ToBytes(const QString& text)
{
    return text.toLatin1();
}

// Blanks removed at both ends (only the blank, like the host's own trim).
QString Trim(const QString& text);
// True when the text is empty or all blanks, as Trim(text).isEmpty().
bool IsBlank(QStringView text);
QString TrimLeft(const QString& text);
QString TrimRight(const QString& text);

// Blanks and NUL characters removed at both ends: a fixed-width field that was
// never written holds NULs.
QString TrimBlanksAndNuls(const QString& text);

// Exactly width characters: cut, or padded on the right with blanks.
QString FixedWidth(const QString& text, int width);

} // namespace zor
