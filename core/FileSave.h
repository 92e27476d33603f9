#pragma once

#include <QByteArray>
#include <QString>

namespace zor {

// Replaces the file with exactly these bytes, or leaves the old file as it
// was: the new content is written beside it and renamed over it only when
// complete, so a full disk or a crash never leaves half a file. A failure is
// shown to the user with the file's name (unless tellUser is false); the
// result says whether it worked.
bool SaveFileWhole(const QString& path, const QByteArray& bytes, bool tellUser = true);

} // namespace zor
