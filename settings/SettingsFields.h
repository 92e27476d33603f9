#pragma once

// The rules of the settings window's typed fields, apart from its widgets:
// what a field may hold to be stored, and the message that refuses it, which
// names the field as the user sees it.

#include <QString>
#include <optional>

namespace zor {

// The port is stored as a 16-bit Integer and read unsigned: 1..65535 typed as
// a whole number (blanks around it allowed), nothing otherwise.
std::optional<qint16> StoredPort(const QString& typed);
QString ShownPort(qint16 stored);
QString PortRefusal(const QString& typed);

// A fixed-width text as a field shows it: without the blanks and NULs that
// pad it.
QString ShownFixedWidth(const QString& stored);

// The configuration keeps its texts as Latin-1 bytes: a character outside it
// would come back as another.
bool IsLatin1(const QString& text);
bool FitsLatin1(const QString& text, int width);
// Names the first character of the text that cannot be kept.
QString Latin1Refusal(const QString& caption, const QString& text);
QString PicturePathRefusal(const QString& path);

} // namespace zor
