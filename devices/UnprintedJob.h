#pragma once

#include <QByteArray>
#include <QString>

namespace zor {

// What a print job could not print, kept so that nothing is lost: the bytes
// go to "unprinted-<date-time>.<extension>" in the program folder, under a
// name no file has yet, and the user is told why and where ("<what> could
// not be printed: <error>"). Returns the file, or "" when it could not be
// written.
QString KeepUnprintedJob(const QString& what, const QByteArray& bytes, const QString& extension, const QString& error);

} // namespace zor
