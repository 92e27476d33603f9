#include "settings/Properties.h"

#include "core/WindowUtils.h"
#include "settings/CompanionFiles.h"
#include "settings/fLogin.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
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
    QListWidget& loginAccounts = *fLogin::instance().lbAccountList;
    Fill(loginAccounts, lists.Accounts);
    Fill(*List7, lists.Accounts);
    SSTab2->setTabText(1, TrimmedDescription());
    Fill(*List5, lists.SessionReplies);
    Fill(*List3, lists.Servers.Entries);
    Fill(*List4, lists.Servers.Shown);
}

bool Properties::SaveResponses()
{
    const int tab = SSTab2->currentIndex();
    const QListWidget* lists[] = {List2, List5, List7};
    return tab < 0 || tab >= 3 || SaveReplyTab(tab, ListItems(*lists[tab]));
}

bool Properties::SaveServers()
{
    return WriteServerList({ListItems(*List3), ListItems(*List4)});
}

} // namespace zor
