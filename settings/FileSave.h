#pragma once

#include <QByteArray>
#include <QString>

namespace zor {

// WriteFileWhole (TextFile.h), with a failure shown to the user with the
// file's name; the result says whether it worked.
bool SaveFileWhole(const QString& path, const QByteArray& bytes);

} // namespace zor
