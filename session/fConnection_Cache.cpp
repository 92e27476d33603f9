// The session window's screen cache: the current screen kept under a name
// with the host's version, and brought back when the host asks for it.
#include "session/fConnection.h"

#include "core/SendReply.h"
#include "core/SharedState.h"
#include "core/Trace.h"
#include "session/ScreenCache.h"

namespace zor {

namespace {

const QString CacheTag = QStringLiteral("CACHE");

std::optional<QString> CheckedCacheFile(const QString& name)
{
    std::optional<QString> path = CacheFile(name);
    if (!path)
        WriteTrace(CacheTag, QStringLiteral("refused name ") + name);
    return path;
}

} // namespace

void fConnection::SaveCache(const QString& name, const QString& version)
{
    // The sub-window is no screen of its own.
    if (CurPage == 1)
        return;
    const std::optional<QString> path = CheckedCacheFile(name);
    if (path)
        WriteCacheFile(*path, PackScreen(version, qMax<int>(EntityCount, 0)));
}

void fConnection::LoadCache(const QString& name, const QString& version)
{
    const QString old = QStringLiteral("VER=OLD");
    if (UseScreenCache == 0) {
        SendReply(old);
        return;
    }
    const std::optional<QString> path = CheckedCacheFile(name);
    // Checked whole before the screen is cleared: a file that cannot be used
    // leaves the screen as it was.
    const std::optional<QByteArray> file = path ? ReadCacheFile(*path) : std::nullopt;
    if (!file) {
        SendReply(old);
        return;
    }
    Process(QStringLiteral("cs"));
    EntityCount = static_cast<qint16>(RestoreEntities(*file));
    if (SameVersion(StoredVersion(*file), version)) {
        DrawEntities();
        SendReply(QStringLiteral("VER=OK"));
    } else {
        SendReply(old);
        EntityCount = -1;
    }
}

} // namespace zor
