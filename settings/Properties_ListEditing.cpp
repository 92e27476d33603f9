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
    if (tab == AccountsTab) {
        const QString account =
            Trim(Dialogs::InputBox(QStringLiteral("Enter the account name."), QStringLiteral("Responses")));
        if (!account.isEmpty()) {
            List7->addItem(account);
            ShowLoginAccounts();
        }
    } else {
        const QString reply = Trim(Dialogs::InputBox(QStringLiteral("Enter the string to que on followed by an equal "
                                                                    "sign\r\nthen the response."),
                                                     QStringLiteral("Responses")));
        if (!reply.isEmpty() && !IsReplyEntry(reply)) {
            Refuse(InvalidReplyMessage);
            return;
        }
        if (!reply.isEmpty())
            (tab == SessionTab ? List5 : List2)->addItem(reply);
    }
    SaveResponses();
}

void Properties::Command2_Click()
{
    FollowDescription();
    QListWidget* list = ReplyListOfTab(SSTab2->currentIndex());
    QListWidgetItem* item = list ? SelectedItem(*list) : nullptr;
    if (!item)
        return;
    delete list->takeItem(list->row(item));
    Unselect(*list);
    if (list == List7)
        ShowLoginAccounts();
    SaveResponses();
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
    const QString answer = tab == AccountsTab
                               ? Dialogs::InputBox(QStringLiteral("Enter the new account name"),
                                                   QStringLiteral("Edit account name"), item->text())
                               : Dialogs::InputBox(QStringLiteral("Enter the new value for this data stream reply"),
                                                   QStringLiteral("Edit data stream reply"), item->text());
    if (!answer.isEmpty()) {
        item->setText(answer);
        if (list == List7)
            ShowLoginAccounts();
    }
    SaveResponses();
    EnableReplyEditing(true);
}

void Properties::List4_Click()
{
    QListWidgetItem* item = SelectedItem(*List4);
    if (!item)
        return;
    SrvList[1]->setEnabled(true);
    const QString shown = item->text();
    const QString description = shown.left(HostDescriptionWidth);
    if (const QString problem = DescriptionProblem(description); !problem.isEmpty()) {
        // It can still be removed; it cannot become the session's description.
        SrvList[2]->setEnabled(false);
        SrvList[3]->setEnabled(false);
        Refuse(problem);
        return;
    }
    SrvList[2]->setEnabled(true);
    SrvList[3]->setEnabled(true);
    const QListWidgetItem* entry = List3->item(List4->row(item));
    const ConnectionFields fields = SplitConnectionEntry(entry ? entry->text() : QString());
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
        if (List4->findItems(description, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty()) {
            List4->addItem(description);
            List3->addItem(JoinConnectionEntry(host, port, description));
        }
        SaveServers();
        break;
    }
    case 1: {
        QListWidgetItem* item = SelectedItem(*List4);
        if (!item)
            return;
        const int row = List4->row(item);
        delete List3->takeItem(row);
        delete List4->takeItem(row);
        Unselect(*List4);
        SrvList[1]->setEnabled(false);
        SaveServers();
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
