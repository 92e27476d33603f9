#include "core/FileSave.h"

#include "core/Dialogs.h"

#include <QDir>
#include <QSaveFile>

namespace zor {

bool SaveFileWhole(const QString& path, const QByteArray& bytes, bool tellUser)
{
    QSaveFile file(path);
    QString error;
    // Unbuffered, so that a short write (a full disk) shows in write()'s
    // count; a buffered flush can lose it and let commit() succeed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        error = file.errorString();
    else if (const qint64 written = file.write(bytes); written != bytes.size())
        error = written < 0 ? file.errorString()
                            : QStringLiteral("only %1 of %2 bytes could be written (is the disk full?)")
                                  .arg(written)
                                  .arg(bytes.size());
    else if (!file.commit())
        error = file.errorString();
    else
        return true;
    file.cancelWriting();
    if (tellUser)
        Dialogs::MsgBox(
            QStringLiteral("The file \"%1\" could not be saved: %2").arg(QDir::toNativeSeparators(path), error),
            Dialogs::Critical, QStringLiteral("ERROR"));
    return false;
}

} // namespace zor
