#include "settings/FileSave.h"

#include "core/Dialogs.h"
#include "settings/TextFile.h"

#include <QDir>

namespace zor {

bool SaveFileWhole(const QString& path, const QByteArray& bytes)
{
    const QString error = WriteFileWhole(path, bytes);
    if (error.isEmpty())
        return true;
    Dialogs::MsgBox(QStringLiteral("The file \"%1\" could not be saved: %2").arg(QDir::toNativeSeparators(path), error),
                    Dialogs::Critical, QStringLiteral("ERROR"));
    return false;
}

} // namespace zor
