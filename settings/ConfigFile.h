#pragma once

// The binary session configuration file ("*.ntt") and its one-line companions,
// without any window: the byte layout, read into and written from the shared
// state. The window items travel in ConfigWindowItems so that the settings
// window decides how they reach the session window.

#include <QByteArray>
#include <QString>
#include <optional>

namespace zor {

// Only the file uses these: they carry the last normal window size and the
// old user-name item from one load to the next save.
inline std::optional<float> SavedWindowWidth; // empty until a normal size was taken
inline qint16 SavedWindowHeight = 0;
inline QString OldUserName; // 8 characters

constexpr int ConfigFontNameWidth = 50;
constexpr int ConfigOldUserWidth = 8;
constexpr int ConfigLastUserWidth = 256;
constexpr int ConfigItemCount = 25;
// The file size with the window width present, and with it empty.
constexpr int ConfigSizeWithWidth = 1326;
constexpr int ConfigSizeWithoutWidth = 1322;

// Items 1 to 5: the session window's font and position.
struct ConfigWindowItems {
    QString FontName; // as stored: 50 characters
    qint16 FontBold = 0;
    qint16 Left = 0;        // twips
    qint16 Top = 0;         // twips
    qint16 WindowState = 0; // 0 normal, 1 minimised, 2 maximised
};

// Items 1 to 25 in order: the window items from `window`, the rest from the
// shared state.
QByteArray WriteConfig(const ConfigWindowItems& window);

// Reads the items in order: 1 to 5 into `window`, the others into the shared
// state. Stops at the first item the data lacks or cannot hold (a short file,
// an unknown type in the variant width item): everything from there on keeps
// its earlier value. Returns how many items were read whole.
int ReadConfig(const QByteArray& data, ConfigWindowItems& window);

// The rules applied to the shared state after reading: the option-button kind
// never trims, and an empty last-user item falls back to the old user name.
void NormaliseLoadedConfig();

// The companion files' contents.
QByteArray CacheValueFileText(); // UseScreenCache as "1\r\n" / "0\r\n"
QByteArray TermIdFileText();     // TermId + "\r\n"
// Reads "cacheval.dat" into UseScreenCache; without the file the cache is on.
void LoadCacheValue();
// The first line of "termid.dat", or nothing when it has none.
std::optional<QString> ReadTermIdFile(const QString& path);

// Caption texts: "ZOR [name up to its first dot]  v1.0.0" + suffix (nothing
// when the name has no dot), and the session title with the whole name.
std::optional<QString> ConfigCaption(const QString& configFile);
QString ConfigSessionTitle(const QString& configFile);

// A typed configuration name as the file it names: a name with a "." that
// does not end in ".ntt" (any case) is cut at its first "." and gets ".ntt",
// a name without "." gets ".ntt". A name that would leave the program folder
// or name no file there (a separator, "..", a control character, an empty
// base) or a hidden one (a leading ".") is refused: `file` is then empty and `refusal` says why.
struct ConfigName {
    QString file;
    QString refusal;
};
ConfigName ConfigNameRule(const QString& typed);

} // namespace zor
