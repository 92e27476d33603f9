#pragma once

#include <QByteArray>
#include <QStringList>

namespace zor {

// The token file: the units of a screen as they were executed, one per line,
// each ended by CR LF, bytes 0..255 as they came. It is written as any of
// the program's text files (TextFileBytes); read back it splits at CR LF
// only, since a unit may hold a lone CR or LF of its own.
QStringList TokenFileLines(const QByteArray& bytes);

} // namespace zor
