#include "session/ScreenCache.h"

#include "core/PackedIO.h"
#include "core/ProgramFolder.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/Trace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

namespace zor {

namespace {

const QString CacheTag = QStringLiteral("CACHE");
const QString CacheExtension = QStringLiteral(".bef");
// The longest file name the file system takes, in bytes.
constexpr qsizetype MaxFileNameBytes = 255;
// A file being written is named apart from the screens, and short, so that
// every name a screen may have can be saved. No screen's file starts with
// ".". Older versions named it after the screen's file: "<name>.bef.XXXXXX".
const QString SavingPrefix = QStringLiteral(".saving.");
const QString OldSavingPattern = QStringLiteral("*.bef.??????");

bool HoldsControlCharacter(const QString& name)
{
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    return false;
}

// A planted link would lead a read or a write out of the folder.
bool IsLink(const QString& path)
{
    return QFileInfo(path).isSymLink();
}

// The folder itself may be the planted link.
bool CacheFolderIsLink()
{
    if (!IsLink(CacheFolder()))
        return false;
    WriteTrace(CacheTag, QStringLiteral("not used, a link: ") + CacheFolder());
    return true;
}

} // namespace

QString CacheFolder()
{
    return ProgramFile(QStringLiteral("cache"));
}

std::optional<QString> CacheFile(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')) || name.contains(QLatin1Char('/')) ||
        name.contains(QLatin1Char('\\')) || name.contains(QLatin1String("..")) || HoldsControlCharacter(name))
        return std::nullopt;
    const QString fileName = name.toLower() + CacheExtension;
    if (QFile::encodeName(fileName).size() > MaxFileNameBytes)
        return std::nullopt;
    return CacheFolder() + QLatin1Char('/') + fileName;
}

QByteArray PackScreen(const QString& version, int count)
{
    PackedWriter out;
    out.Fixed(version, CacheVersionWidth);
    for (int i = 0; i < count; ++i)
        Write(out, Entities[static_cast<size_t>(i)]);
    return out.data();
}

bool WriteCacheFile(const QString& path, const QByteArray& bytes)
{
    if (CacheFolderIsLink())
        return false;
    if (!QDir().mkpath(QFileInfo(path).path())) {
        WriteTrace(CacheTag, QStringLiteral("no cache folder for ") + path);
        return false;
    }
    if (IsLink(path)) {
        WriteTrace(CacheTag, QStringLiteral("not written, a link: ") + path);
        return false;
    }
    // A file of its own beside the old one, renamed over it once complete:
    // a session killed half-way, or two sessions saving the same screen,
    // never leave a file that mixes two screens. It is not synced to the
    // disk: a cache loses nothing the host cannot send again.
    QTemporaryFile file(QFileInfo(path).path() + QLatin1Char('/') + SavingPrefix + QStringLiteral("XXXXXX"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                             QFileDevice::ReadOther)) {
        WriteTrace(CacheTag, QStringLiteral("not written: ") + path + QStringLiteral(" (") + file.errorString() +
                                 QLatin1Char(')'));
        return false;
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(file.fileName()).toStdString(), QFile::encodeName(path).toStdString(),
                            error);
    if (error) {
        WriteTrace(CacheTag, QStringLiteral("not written: ") + path + QStringLiteral(" (") +
                                 QString::fromStdString(error.message()) + QLatin1Char(')'));
        return false;
    }
    file.setAutoRemove(false);
    return true;
}

std::optional<QByteArray> ReadCacheFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    if (info.isSymLink() || !info.isFile()) {
        WriteTrace(CacheTag, QStringLiteral("not read, no plain file: ") + path);
        return std::nullopt;
    }
    if (CacheFolderIsLink())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        WriteTrace(CacheTag,
                   QStringLiteral("not read: ") + path + QStringLiteral(" (") + file.errorString() + QLatin1Char(')'));
        return std::nullopt;
    }
    // The size of the file opened: another session may replace it meanwhile.
    const qint64 size = file.size();
    const qint64 records = (size - CacheVersionWidth) / Entity::PackedSize;
    if (size < CacheVersionWidth || (size - CacheVersionWidth) % Entity::PackedSize != 0 || records > EntitySlots) {
        WriteTrace(CacheTag, QStringLiteral("damaged, %1 bytes: ").arg(size) + path);
        return std::nullopt;
    }
    QByteArray bytes = file.read(size);
    if (bytes.size() != size) {
        WriteTrace(CacheTag, QStringLiteral("cut short while read: ") + path);
        return std::nullopt;
    }
    return bytes;
}

QString StoredVersion(const QByteArray& file)
{
    return FromBytes(file.left(CacheVersionWidth));
}

bool SameVersion(const QString& stored, const QString& given)
{
    return Trim(stored.left(CacheVersionWidth)) == Trim(given.left(CacheVersionWidth));
}

int RestoreEntities(const QByteArray& file)
{
    PackedReader in(file, CacheVersionWidth);
    int count = 0;
    while (count < EntitySlots && in.remaining() >= Entity::PackedSize &&
           Read(in, Entities[static_cast<size_t>(count)]))
        ++count;
    return count;
}

void ClearCacheFiles()
{
    if (CacheFolderIsLink())
        return;
    QDir folder(CacheFolder());
    // With the screens go the files a save killed half-way left behind.
    const QStringList names =
        folder.entryList({QLatin1Char('*') + CacheExtension, SavingPrefix + QLatin1Char('*'), OldSavingPattern},
                         QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        folder.remove(name);
}

} // namespace zor
