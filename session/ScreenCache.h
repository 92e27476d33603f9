#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace zor {

// Screens kept on disk, one file per name in the program folder's cache
// folder: the host's version text cut or blank-padded to 50 characters, then
// the screen's entity records in table order.
constexpr int CacheVersionWidth = 50;

// The "cache" folder of the program folder.
QString CacheFolder();

// The file that keeps the screen of a name the host chose: "<name>.bef" in
// the cache folder, the name folded to lower case as the hosts' file names
// never told cases apart. None for a name that could reach anything else: an
// empty one, one holding "/", "\", "..", a control character, starting with
// ".", or too long for a file name.
std::optional<QString> CacheFile(const QString& name);

// The file's bytes for the first count entities of the table.
QByteArray PackScreen(const QString& version, int count);

// Writes the whole file or nothing: the old file stays until the new one is
// complete. The folder is made when missing; a folder that is a link is not
// written through. False (the reason traced) when it could not be written.
bool WriteCacheFile(const QString& path, const QByteArray& bytes);

// A file's bytes once its size shows a whole cache file of at most as many
// records as the table holds; none for a missing file, and for a damaged one
// or one in a cache folder that is a link (traced). A larger file is never
// read.
std::optional<QByteArray> ReadCacheFile(const QString& path);

// The version stored in a checked file, and whether it is the given one:
// both cut to the stored width and compared without blanks at either end.
QString StoredVersion(const QByteArray& file);
bool SameVersion(const QString& stored, const QString& given);

// Reads a checked file's records into the table from slot 0 and returns how
// many there were.
int RestoreEntities(const QByteArray& file);

// Removes every cached screen, and what saves that never ended left behind.
void ClearCacheFiles();

} // namespace zor
