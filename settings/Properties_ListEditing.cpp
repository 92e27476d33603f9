// Adding, editing and removing replies, accounts and servers. Every change is
// written to its file at once; a write that fails keeps the change in the
// list (the user was told), so the next write can still save it.
#include "settings/Properties.h"

#include "core/Dialogs.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "settings/CompanionFiles.h"
#include "settings/ListEditing.h"
#include "settings/NamedControls.h"
#include "settings/SettingsFields.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <initializer_list>

namespace zor {

namespace {

enum ReplyTab { GlobalTab = 0, SessionTab = 1, AccountsTab = 2 };

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = MakeControl<QPushButton>(parent, name, caption);
    button->setAutoDefault(false);
    return button;
}

// The buttons in a row under what the pane already holds.
void AddButtonRow(QWidget& pane, std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    for (QPushButton* button : buttons)
        row->addWidget(button);
    row->addStretch();
    qobject_cast<QBoxLayout*>(pane.layout())->addLayout(row);
}

// The entry the user picked; a list may have lost its selection since the
// buttons were enabled, and then there is nothing to act on.
QListWidgetItem* SelectedItem(const QListWidget& list)
{
    QListWidgetItem* item = list.currentItem();
    return item && item->isSelected() ? item : nullptr;
}

void Unselect(QListWidget& list)
{
    list.clearSelection();
    list.setCurrentItem(nullptr);
}

void Refuse(const QString& message)
{
    Dialogs::MsgBox(message, Dialogs::Critical, QStringLiteral("Error"));
}

} // namespace

void Properties::CreateListEditing()
{
    Command1 = MakeButton(Frame2, QStringLiteral("Command1"), QStringLiteral("Add"));
    Command2 = MakeButton(Frame2, QStringLiteral("Command2"), QStringLiteral("Remove"));
    Command3 = MakeButton(Frame2, QStringLiteral("Command3"), QStringLiteral("Edit"));
    AddButtonRow(*Frame2, {Command1, Command2, Command3});
    const QString captions[] = {QStringLiteral("Add"), QStringLiteral("Remove"), QStringLiteral("Scripting"),
                                QStringLiteral("Accounts")};
    for (int i = 0; i < static_cast<int>(SrvList.size()); ++i) {
        SrvList[i] = MakeButton(ServerListPane, IndexedName("SrvList", i), captions[i]);
        connect(SrvList[i], &QPushButton::clicked, this, [this, i] { SrvList_Click(i); });
    }
    AddButtonRow(*ServerListPane, {SrvList[0], SrvList[1], SrvList[2], SrvList[3]});
    connect(Command1, &QPushButton::clicked, this, &Properties::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Properties::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Properties::Command3_Click);
    // Clicks, not selection changes: filling a list from its file is no user
    // action and enables nothing.
    for (QListWidget* list : {List2, List5, List7})
        connect(list, &QListWidget::itemClicked, this, &Properties::ReplyList_Click);
    connect(SSTab2, &QTabWidget::currentChanged, this, &Properties::SSTab2_Click);
    connect(List4, &QListWidget::itemClicked, this, &Properties::List4_Click);
    EnableReplyEditing(false);
    for (int i = 1; i < static_cast<int>(SrvList.size()); ++i)
        SrvList[i]->setEnabled(false);
}

void Properties::EnableReplyEditing(bool enabled)
{
    Command2->setEnabled(enabled);
    Command3->setEnabled(enabled);
}

void Properties::ReplyList_Click()
{
    EnableReplyEditing(true);
}

void Properties::SSTab2_Click()
{
    EnableReplyEditing(false);
}

void Properties::Command1_Click()
{
    FollowDescription();
    const int tab = SSTab2->currentIndex();
    const bool account = tab == AccountsTab;
    const QString line =
        account ? Trim(Dialogs::InputBox(QStringLiteral("Enter the account name."), QStringLiteral("Responses")))
                : Trim(Dialogs::InputBox(QStringLiteral("Enter the string to que on followed by an equal "
                                                        "sign\r\nthen the response."),
                                         QStringLiteral("Responses")));
    if (line.isEmpty())
        return;
    if (!account && !IsReplyEntry(line)) {
        Refuse(InvalidReplyMessage);
        return;
    }
    if (!IsLatin1(line)) {
        Refuse(Latin1Refusal(account ? QStringLiteral("Account:") : QStringLiteral("Reply:"), line));
        return;
    }
    ChangeReplies(tab, ListChange{ListChange::Add, line, QString()});
}

void Properties::Command2_Click()
{
    FollowDescription();
    const int tab = SSTab2->currentIndex();
    QListWidget* list = ReplyListOfTab(tab);
    QListWidgetItem* item = list ? SelectedItem(*list) : nullptr;
    if (!item)
        return;
    ChangeReplies(tab, ListChange{ListChange::Remove, item->text(), QString()});
    Unselect(*list);
    EnableReplyEditing(false);
}

void Properties::Command3_Click()
{
    FollowDescription();
    const int tab = SSTab2->currentIndex();
    QListWidget* list = ReplyListOfTab(tab);
    QListWidgetItem* item = list ? SelectedItem(*list) : nullptr;
    if (!item)
        return;
    const bool account = tab == AccountsTab;
    const QString answer = account ? Dialogs::InputBox(QStringLiteral("Enter the new account name"),
                                                       QStringLiteral("Edit account name"), item->text())
                                   : Dialogs::InputBox(QStringLiteral("Enter the new value for this data stream reply"),
                                                       QStringLiteral("Edit data stream reply"), item->text());
    if (answer.isEmpty())
        return;
    if (!IsLatin1(answer)) {
        Refuse(Latin1Refusal(account ? QStringLiteral("Account:") : QStringLiteral("Reply:"), answer));
        return;
    }
    ChangeReplies(tab, ListChange{ListChange::Replace, item->text(), answer});
    // The list was filled again: the line edited stays the one chosen.
    const QList<QListWidgetItem*> edited = list->findItems(answer, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!edited.isEmpty())
        list->setCurrentItem(edited.first());
    EnableReplyEditing(true);
}

void Properties::List4_Click()
{
    QListWidgetItem* item = SelectedItem(*List4);
    if (!item)
        return;
    SrvList[1]->setEnabled(true);
    const QString description = item->text();
    const QListWidgetItem* entry = List3->item(List4->row(item));
    const ConnectionFields fields = SplitConnectionEntry(entry ? entry->text() : QString());
    QString problem = ServerFitProblem(fields.Host, description);
    if (problem.isEmpty())
        problem = DescriptionProblem(description);
    if (!problem.isEmpty()) {
        // It can still be removed; it cannot become the session's server.
        SrvList[2]->setEnabled(false);
        SrvList[3]->setEnabled(false);
        Refuse(problem);
        return;
    }
    SrvList[2]->setEnabled(true);
    SrvList[3]->setEnabled(true);
    PropText[0]->setText(fields.Host);
    PropText[1]->setText(fields.Port);
    PropText[4]->setText(description);
    HostDescription = description;
    // The replies and the accounts of the server chosen, both: an account
    // list left from the previous server would be saved under this one.
    FollowDescription();
    SSTab2->setCurrentIndex(GlobalTab);
}

void Properties::SrvList_Click(int index)
{
    switch (index) {
    case 0: {
        const QString host = PropText[0]->text();
        const QString port = PropText[1]->text();
        const QString description = PropText[4]->text();
        if (const QString problem = ServerEntryProblem(host, port, description); !problem.isEmpty()) {
            Refuse(problem);
            return;
        }
        // Whether it is listed already, the file as it stands now says.
        bool read = false;
        const ServerList servers = ReadServerList(&read);
        if (read && !servers.Shown.contains(description))
            ChangeServers(ListChange{ListChange::Add,
                                     ServerLine(JoinConnectionEntry(host, port, description), description), QString()});
        break;
    }
    case 1: {
        QListWidgetItem* item = SelectedItem(*List4);
        if (!item)
            return;
        const QListWidgetItem* entry = List3->item(List4->row(item));
        ChangeServers(
            ListChange{ListChange::Remove, ServerLine(entry ? entry->text() : QString(), item->text()), QString()});
        Unselect(*List4);
        SrvList[1]->setEnabled(false);
        break;
    }
    case 2:
    case 3:
        SSTab1->setCurrentIndex(ScriptingTab);
        SSTab2->setCurrentIndex(index == 2 ? SessionTab : AccountsTab);
        break;
    default:
        break;
    }
}

} // namespace zor
