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
    PropCheck[12]->setChecked(lock.Enabled);
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

bool Properties::SaveReplyList(int tab)
{
    const QListWidget* list = ReplyListOfTab(tab);
    if (!list)
        return true;
    FollowDescription();
    return SaveReplyTab(tab, ListItems(*list));
}

bool Properties::SaveResponses()
{
    return SaveReplyList(SSTab2->currentIndex());
}

bool Properties::SaveServers()
{
    return WriteServerList({ListItems(*List3), ListItems(*List4)});
}

} // namespace zor
