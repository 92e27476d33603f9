#include "settings/FileSave.h"

#include "core/Dialogs.h"

#include <QDir>
#include <QSaveFile>

namespace zor {

bool SaveFileWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    QString error;
    // Unbuffered, so that a short write (a full disk) shows in write()'s
    // count; a buffered flush can lose it and let commit() succeed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        error = file.errorString();
    else if (file.write(bytes) != bytes.size())
        error = file.errorString();
    else if (!file.commit())
        error = file.errorString();
    else
        return true;
    file.cancelWriting();
    Dialogs::MsgBox(QStringLiteral("The file \"%1\" could not be saved: %2").arg(QDir::toNativeSeparators(path), error),
                    Dialogs::Critical, QStringLiteral("ERROR"));
    return false;
}

} // namespace zor
