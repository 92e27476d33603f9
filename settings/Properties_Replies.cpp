#include "settings/Properties.h"

#include "session/AutoReplies.h"
#include "settings/CompanionFiles.h"
#include "settings/fLogin.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

namespace zor {

namespace {

QStringList Items(const QListWidget& list)
{
    QStringList items;
    items.reserve(list.count());
    for (int i = 0; i < list.count(); ++i)
        items << list.item(i)->text();
    return items;
}

void Fill(QListWidget& list, const QStringList& items)
{
    list.clear();
    list.addItems(items);
}

void RemoveFirst(QListWidget& list, const QString& text)
{
    for (int i = 0; i < list.count(); ++i) {
        if (list.item(i)->text() == text) {
            delete list.takeItem(i);
            return;
        }
    }
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

    // The window outlives its unloading (it only hides), so the lists are
    // read straight from it: going through instance() would load it again
    // in the middle of the host's text.
    AutoReplyLink& link = ReplyLink();
    link.GlobalReplies = [this] { return Items(*List2); };
    link.SessionReplies = [this] { return Items(*List6); };
    link.UseSessionReply = [this](const QString& entry) { RemoveFirst(*List6, entry); };
    link.UserId = [] { return fLogin::instance().Text1->text(); };
    link.Password = [] { return fLogin::instance().Text2->text(); };
    link.Account = [] {
        const QListWidgetItem* account = fLogin::instance().lbAccountList->currentItem();
        return account ? account->text() : QString();
    };
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

void Properties::SaveResponses()
{
    const int tab = SSTab2->currentIndex();
    const QListWidget* lists[] = {List2, List5, List7};
    if (tab >= 0 && tab < 3)
        SaveReplyTab(tab, Items(*lists[tab]));
}

void Properties::SaveServers()
{
    WriteServerList({Items(*List3), Items(*List4)});
}

} // namespace zor
