#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zor {

// The plain text files that sit beside the session configuration in the
// program folder: the settings lock, the reply lists, the accounts and the
// server list. Each list file has its own key, so an enciphered line copied
// into another list file does not decipher.

inline const QString LockFileName = QStringLiteral("admin.nfo");
inline const QString GlobalReplyFileName = QStringLiteral("response.dat");
inline const QString ServerListFileName = QStringLiteral("server.lst");
// The description used when the configuration holds none.
inline const QString OldEntryDescription = QStringLiteral("Old Entry");

constexpr int GlobalReplyKey = 13;
constexpr int SessionReplyKey = 14;
constexpr int AccountKey = 15;

QString SessionReplyFileName(const QString& description); // description + ".dat"
QString AccountFileName(const QString& description);      // description + "-accounts.dat"

// HostDescription without its padding, as the file names use it.
QString TrimmedDescription();

// The stored width of the host description.
constexpr int HostDescriptionWidth = 50;

// Why a description cannot name the session's reply and account files,
// naming the field as the user sees it; empty when it can. The configuration
// keeps it as Latin-1, so a character outside that would come back as another
// description and the lists would be looked for under a name never written.
QString DescriptionProblem(const QString& description);

// The session replies and the accounts of one description; nothing is read
// (and the user is told why) when the description cannot name a file.
QStringList ReadSessionReplies(const QString& description, bool* ok = nullptr);
QStringList ReadAccounts(const QString& description, bool* ok = nullptr);

struct AdminLock {
    QString Password;
    QString Confirmation;
    bool Enabled = false;
    bool operator==(const AdminLock&) const = default;
};

// Empty when the file is missing or unreadable (the user is told of the
// latter); missing lines read as empty.
std::optional<AdminLock> ReadAdminLock();
// Refuses (and tells the user) a password the lock file cannot keep.
bool WriteAdminLock(const AdminLock& lock);

// The lock file keeps a password scrambled on one line: only codes 32..155
// stay in their range; others wrap into line ends and would cut the line,
// turning the lock off on the next load.
bool IsStorableLockPassword(const QString& password);

// Every line through the script decipher with the file's key: lines without
// the marker come back as they stand, so plain and enciphered lines mix.
// A missing file is an empty list; ok is false when the file could not be
// read (the user is told).
QStringList ReadReplyFile(const QString& name, int keyIndex, bool* ok = nullptr);
// Replaces the file whole, each item enciphered first while EncryptScripts is
// on (an item whose enciphered form would hold a line end is written plain,
// so that it reads back whole). False (and the user told) when it could not
// be written.
bool WriteReplyFile(const QString& name, const QStringList& items, int keyIndex);

// The two parallel lists of the server list: the connection entries
// ("host,port,description") and the texts shown for them.
struct ServerList {
    QStringList Entries;
    QStringList Shown;
};

// A line without ":" is both its own entry and its shown text.
ServerList ReadServerList(bool* ok = nullptr);
ServerList ParseServerLines(const QStringList& lines);
QString ServerLine(const QString& entry, const QString& shown);

// A list file of the settings window and the key of its lines; key 0 is the
// server list's, whose lines are kept plain.
struct ListFile {
    QString Name;
    int Key = 0;
    bool operator==(const ListFile&) const = default;
};
inline const ListFile ServerListFile{ServerListFileName, 0};

// The file of reply tab 0 (global replies), 1 (session replies) or 2
// (accounts). The description is trimmed and stored back first; one that
// cannot name a file gives none (the user told), as does any other tab.
std::optional<ListFile> ReplyTabFile(int tab);

// One change the user made to a list. It is applied to what the file holds
// when it is saved, so that lines another session wrote meanwhile survive.
struct ListChange {
    enum Kind { Add, Replace, Remove };
    Kind What = Add;
    QString Line;        // the line added, or the one replaced or removed
    QString Replacement; // what replaces it
};
// The first line equal to the one named is replaced or removed. A line gone
// meanwhile is removed already; replaced, its replacement is added at the
// end, so that what the user typed is kept.
void ApplyListChange(QStringList& lines, const ListChange& change);

struct ChangedListFile {
    bool Read = false;  // the file was read (or is missing)
    bool Saved = false; // and written with the changes
    QStringList Lines;  // what it held when read, with the changes applied
};
// Reads the file again, applies the changes in their order and writes it
// whole. The user is told of a file that could not be read or written.
ChangedListFile ChangeListFile(const ListFile& file, const std::vector<ListChange>& changes);

// Everything the settings window shows from the companion files.
struct CompanionLists {
    std::optional<AdminLock> Lock;
    QStringList GlobalReplies;
    QStringList Accounts;
    QStringList SessionReplies;
    ServerList Servers;
    // The descriptions the two lists were read for: saved only under these.
    QString AccountsDescription;
    QString SessionRepliesDescription;
};

// Reads the files in the window's loading order. The accounts are looked up
// under the description as it stands; a blank description then becomes "Old
// Entry" for the session replies and every later save. A session reply file
// that cannot be read ends the reading there (the server list stays empty);
// a description that cannot name a file reads neither list.
CompanionLists ReadCompanionFiles();

} // namespace zor
