#include "settings/CompanionFiles.h"

#include "core/Ciphers.h"
#include "core/Dialogs.h"
#include "core/FileSave.h"
#include "core/ProgramFolder.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/TextFile.h"
#include "settings/SettingsFields.h"

#include <QDir>
#include <QSet>
#include <algorithm>

namespace zor {

namespace {

// Files that exist but could not be read in this run. Their lists stay
// empty, so saving such a list would wipe what the file holds: they are not
// saved over until a later reading succeeds.
QSet<QString>& UnreadFiles()
{
    static QSet<QString> files;
    return files;
}

TextFileRead ReadCompanion(const QString& name)
{
    const QString path = ProgramFile(name);
    TextFileRead read = ReadTextFile(path);
    if (read.Missing || read.Ok()) {
        UnreadFiles().remove(path);
        return read;
    }
    UnreadFiles().insert(path);
    Dialogs::MsgBox(
        QStringLiteral("The file \"%1\" could not be read: %2").arg(QDir::toNativeSeparators(path), read.Error),
        Dialogs::Exclamation, QStringLiteral("ERROR"));
    return read;
}

// Tells the user when the description cannot name a file.
bool UsableDescription(const QString& description)
{
    const QString problem = DescriptionProblem(description);
    if (problem.isEmpty())
        return true;
    Dialogs::MsgBox(problem, Dialogs::Critical, QStringLiteral("Error"));
    return false;
}

bool WriteCompanion(const QString& name, const QStringList& lines)
{
    const QString path = ProgramFile(name);
    if (UnreadFiles().contains(path)) {
        Dialogs::MsgBox(QStringLiteral("The file \"%1\" could not be read, so it is not saved over: what it holds "
                                       "would be lost.")
                            .arg(QDir::toNativeSeparators(path)),
                        Dialogs::Critical, QStringLiteral("ERROR"));
        return false;
    }
    return SaveFileWhole(path, TextFileBytes(lines));
}

} // namespace

QString SessionReplyFileName(const QString& description)
{
    return description + QStringLiteral(".dat");
}

QString AccountFileName(const QString& description)
{
    return description + QStringLiteral("-accounts.dat");
}

QString TrimmedDescription()
{
    return TrimBlanksAndNuls(HostDescription);
}

QString DescriptionProblem(const QString& description)
{
    const QString trimmed = TrimBlanksAndNuls(description);
    if (IsSafeFileNamePart(trimmed) && IsLatin1(trimmed))
        return QString();
    return QStringLiteral("Description: \"%1\" cannot name the session's reply and account files. It must not be "
                          "blank or begin with \".\", and it may hold no \"/\", \"\\\", control characters or "
                          "characters the configuration cannot keep.")
        .arg(description);
}

QStringList ReadSessionReplies(const QString& description, bool* ok)
{
    if (ok)
        *ok = true;
    if (!UsableDescription(description))
        return {};
    return ReadReplyFile(SessionReplyFileName(TrimBlanksAndNuls(description)), SessionReplyKey, ok);
}

QStringList ReadAccounts(const QString& description, bool* ok)
{
    if (ok)
        *ok = true;
    if (!UsableDescription(description))
        return {};
    return ReadReplyFile(AccountFileName(TrimBlanksAndNuls(description)), AccountKey, ok);
}

std::optional<AdminLock> ReadAdminLock()
{
    const TextFileRead read = ReadCompanion(LockFileName);
    if (!read.Ok())
        return std::nullopt;
    const QStringList& lines = read.Lines;
    AdminLock lock;
    lock.Password = UnscrambleText(lines.value(0));
    lock.Confirmation = UnscrambleText(lines.value(1));
    lock.Enabled = Trim(lines.value(2)).toInt() != 0;
    return lock;
}

bool IsStorableLockPassword(const QString& password)
{
    return std::all_of(password.cbegin(), password.cend(),
                       [](QChar c) { return c.unicode() >= 32 && c.unicode() <= 155; });
}

bool WriteAdminLock(const AdminLock& lock)
{
    if (!IsStorableLockPassword(lock.Password) || !IsStorableLockPassword(lock.Confirmation)) {
        Dialogs::MsgBox(QStringLiteral("A lock password may hold only the characters with codes 32 to 155: it was "
                                       "not saved."),
                        Dialogs::Exclamation, QStringLiteral("Password"));
        return false;
    }
    return WriteCompanion(LockFileName, {ScrambleText(lock.Password), ScrambleText(lock.Confirmation),
                                         lock.Enabled ? QStringLiteral("1") : QStringLiteral("0")});
}

QStringList ReadReplyFile(const QString& name, int keyIndex, bool* ok)
{
    const TextFileRead read = ReadCompanion(name);
    if (ok)
        *ok = read.Missing || read.Ok();
    QStringList items;
    for (QString line : read.Lines)
        items << DecryptScript(line, keyIndex);
    return items;
}

namespace {

// An enciphered line can hold CR or LF, which would end the line in the file.
bool HoldsLineEnd(const QString& line)
{
    return line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n'));
}

} // namespace

bool WriteReplyFile(const QString& name, const QStringList& items, int keyIndex)
{
    if (!EncryptScripts)
        return WriteCompanion(name, items);
    QStringList lines;
    lines.reserve(items.size());
    for (const QString& item : items) {
        // The reader takes each line as it stands, plain or enciphered.
        const QString enciphered = EncryptScript(item, keyIndex);
        lines << (HoldsLineEnd(enciphered) ? item : enciphered);
    }
    return WriteCompanion(name, lines);
}

ServerList ParseServerLines(const QStringList& lines)
{
    ServerList servers;
    for (const QString& line : lines) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        servers.Entries << (colon < 0 ? line : line.left(colon));
        servers.Shown << (colon < 0 ? line : line.mid(colon + 1));
    }
    return servers;
}

QString ServerLine(const QString& entry, const QString& shown)
{
    return entry + QLatin1Char(':') + shown;
}

ServerList ReadServerList(bool* ok)
{
    const TextFileRead read = ReadCompanion(ServerListFileName);
    if (ok)
        *ok = read.Missing || read.Ok();
    return ParseServerLines(read.Lines);
}

std::optional<ListFile> ReplyTabFile(int tab)
{
    if (tab == 0)
        return ListFile{GlobalReplyFileName, GlobalReplyKey};
    if (tab != 1 && tab != 2)
        return std::nullopt;
    HostDescription = TrimmedDescription();
    if (!UsableDescription(HostDescription))
        return std::nullopt;
    if (tab == 1)
        return ListFile{SessionReplyFileName(HostDescription), SessionReplyKey};
    return ListFile{AccountFileName(HostDescription), AccountKey};
}

void ApplyListChange(QStringList& lines, const ListChange& change)
{
    const qsizetype at = change.What == ListChange::Add ? -1 : lines.indexOf(change.Line);
    switch (change.What) {
    case ListChange::Add:
        lines << change.Line;
        break;
    case ListChange::Replace:
        if (at < 0)
            lines << change.Replacement;
        else
            lines[at] = change.Replacement;
        break;
    case ListChange::Remove:
        if (at >= 0)
            lines.removeAt(at);
        break;
    }
}

ChangedListFile ChangeListFile(const ListFile& file, const std::vector<ListChange>& changes)
{
    ChangedListFile changed;
    if (file.Key == 0) {
        // Each server line as the list shows it: "entry:shown", so a change
        // finds the line the user picked.
        const ServerList servers = ReadServerList(&changed.Read);
        for (qsizetype i = 0; i < servers.Entries.size(); ++i)
            changed.Lines << ServerLine(servers.Entries.at(i), servers.Shown.at(i));
    } else {
        changed.Lines = ReadReplyFile(file.Name, file.Key, &changed.Read);
    }
    for (const ListChange& change : changes)
        ApplyListChange(changed.Lines, change);
    // What could not be read is not saved over: it would be lost.
    if (changed.Read)
        changed.Saved = file.Key == 0 ? WriteCompanion(file.Name, changed.Lines)
                                      : WriteReplyFile(file.Name, changed.Lines, file.Key);
    return changed;
}

CompanionLists ReadCompanionFiles()
{
    CompanionLists lists;
    lists.Lock = ReadAdminLock();
    lists.GlobalReplies = ReadReplyFile(GlobalReplyFileName, GlobalReplyKey);
    lists.AccountsDescription = TrimmedDescription();
    // A blank description still finds "-accounts.dat": that file is in the
    // folder, and it is what such a configuration has always shown.
    lists.Accounts = lists.AccountsDescription.isEmpty() ? ReadReplyFile(AccountFileName(QString()), AccountKey)
                                                         : ReadAccounts(lists.AccountsDescription);
    if (TrimmedDescription().isEmpty())
        HostDescription = OldEntryDescription;
    lists.SessionRepliesDescription = TrimmedDescription();
    bool ok = true;
    // Told once: an unusable description is the same for both lists.
    const bool told = lists.SessionRepliesDescription == lists.AccountsDescription &&
                      !DescriptionProblem(lists.AccountsDescription).isEmpty();
    if (!told)
        lists.SessionReplies = ReadSessionReplies(lists.SessionRepliesDescription, &ok);
    if (ok)
        lists.Servers = ReadServerList();
    return lists;
}

} // namespace zor
