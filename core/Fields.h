#pragma once

#include <QString>

namespace zor {

// The n-th field (from 1) of text split at a one-character delimiter. Field 0,
// a negative n and any field of a text of blanks only are empty; an n beyond
// the last field gives the last field. Fields keep their blanks.
QString GetField(const QString& text, int n, QChar delimiter);
inline QString GetCaretField(const QString& text, int n)
{
    return GetField(text, n, QLatin1Char('^'));
}

// Removes control characters below 32 except TAB. A BEL sounds the bell, an
// ESC ends report capture, a SUB adds a page break to the captured report.
// The argument holds the result too.
QString FilterControlChars(QString& text);

// Overwrites every occurrence of find with replacement without changing the
// text's length (a longer replacement runs over what follows, never beyond
// the end). The argument holds the result too.
QString ReplaceInPlace(QString& text, const QString& find, const QString& replacement);

} // namespace zor
