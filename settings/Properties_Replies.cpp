#include "settings/Properties.h"

#include "core/SharedState.h"
#include "core/WindowUtils.h"
#include "settings/CompanionFiles.h"
#include "settings/fLogin.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace zor {

namespace {

void Fill(QListWidget& list, const QStringList& items)
{
    list.clear();
    list.addItems(items);
}

} // namespace

void Properties::CreateReplyLists()
{
    SSTab2 = new QTabWidget(this);
    SSTab2->setObjectName(QStringLiteral("SSTab2"));
    SSTab2->addTab(List2, QStringLiteral("Global"));
    SSTab2->addTab(List5, QString());
    SSTab2->addTab(List7, QStringLiteral("Accounts"));
    List3 = new QListWidget(this);
    List3->setObjectName(QStringLiteral("List3"));
    List3->hide();
    List4 = new QListWidget(this);
    List4->setObjectName(QStringLiteral("List4"));
}

void Properties::LoadCompanionFiles()
{
    const CompanionLists lists = ReadCompanionFiles();
    const AdminLock lock = lists.Lock.value_or(AdminLock());
    PropText[2]->setText(lock.Password);
    PropText[3]->setText(lock.Confirmation);
    PropCheck[12]->setChecked(LoadedLockHolds(lock));
    Fill(*List2, lists.GlobalReplies);
    Fill(*fLogin::instance().lbAccountList, lists.Accounts);
    Fill(*List7, lists.Accounts);
    mAccountsFor = lists.AccountsDescription;
    SSTab2->setTabText(1, TrimmedDescription());
    Fill(*List5, lists.SessionReplies);
    mSessionRepliesFor = lists.SessionRepliesDescription;
    Fill(*List3, lists.Servers.Entries);
    Fill(*List4, lists.Servers.Shown);
    EnableReplyEditing(false);
    for (int i = 1; i < static_cast<int>(SrvList.size()); ++i)
        SrvList[i]->setEnabled(false);
}

QListWidget* Properties::ReplyListOfTab(int tab) const
{
    switch (tab) {
    case 0:
        return List2;
    case 1:
        return List5;
    case 2:
        return List7;
    default:
        return nullptr;
    }
}

void Properties::ShowSessionReplies(const QString& description)
{
    Fill(*List5, ReadSessionReplies(description));
    mSessionRepliesFor = description;
    SSTab2->setTabText(1, description);
}

void Properties::ShowAccounts(const QString& description)
{
    Fill(*List7, ReadAccounts(description));
    mAccountsFor = description;
    ShowLoginAccounts();
}

// The log-on dialog offers the accounts the window shows.
void Properties::ShowLoginAccounts()
{
    Fill(*fLogin::instance().lbAccountList, ListItems(*List7));
}

void Properties::FollowDescription()
{
    // As on loading: a blank description is "Old Entry".
    if (TrimmedDescription().isEmpty())
        HostDescription = OldEntryDescription;
    const QString description = TrimmedDescription();
    if (mSessionRepliesFor != description)
        ShowSessionReplies(description);
    if (mAccountsFor != description)
        ShowAccounts(description);
}

ChangedListFile Properties::ChangeFile(const ListFile& file, const std::optional<ListChange>& change)
{
    UnsavedChanges& unsaved = mUnsaved[file.Name];
    unsaved.File = file;
    if (change)
        unsaved.Changes.push_back(*change);
    const ChangedListFile changed = ChangeListFile(file, unsaved.Changes);
    if (changed.Saved)
        mUnsaved.erase(file.Name);
    if (changed.Read)
        ShowListFile(file, changed.Lines);
    return changed;
}

void Properties::ShowListFile(const ListFile& file, const QStringList& lines)
{
    if (file == ServerListFile) {
        const ServerList servers = ParseServerLines(lines);
        Fill(*List3, servers.Entries);
        Fill(*List4, servers.Shown);
        return;
    }
    if (file.Name == GlobalReplyFileName)
        Fill(*List2, lines);
    if (file.Name == SessionReplyFileName(mSessionRepliesFor))
        Fill(*List5, lines);
    if (file.Name == AccountFileName(mAccountsFor)) {
        Fill(*List7, lines);
        ShowLoginAccounts();
    }
}

bool Properties::ChangeReplies(int tab, const std::optional<ListChange>& change)
{
    FollowDescription();
    QListWidget* list = ReplyListOfTab(tab);
    const std::optional<ListFile> file = list ? ReplyTabFile(tab) : std::nullopt;
    if (!file)
        return false;
    const ChangedListFile changed = ChangeFile(*file, change);
    if (!changed.Read && change) {
        // The file is not there to show: the list keeps what the user did.
        QStringList lines = ListItems(*list);
        ApplyListChange(lines, *change);
        ShowListFile(*file, lines);
    }
    return changed.Saved;
}

bool Properties::ChangeServers(const ListChange& change)
{
    const ChangedListFile changed = ChangeFile(ServerListFile, change);
    if (!changed.Read) {
        QStringList lines;
        for (int row = 0; row < List3->count(); ++row)
            lines << ServerLine(List3->item(row)->text(), List4->item(row) ? List4->item(row)->text() : QString());
        ApplyListChange(lines, change);
        ShowListFile(ServerListFile, lines);
    }
    return changed.Saved;
}

bool Properties::SaveResponses()
{
    // The lists shown follow a description applied.
    FollowDescription();
    bool saved = true;
    // A copy: a file saved leaves the map.
    const std::map<QString, UnsavedChanges> unsaved = mUnsaved;
    for (const auto& [name, changes] : unsaved)
        saved = ChangeFile(changes.File, std::nullopt).Saved && saved;
    return saved;
}

} // namespace zor
