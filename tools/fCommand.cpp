#include "tools/fCommand.h"

#include "core/Dialogs.h"
#include "core/Text.h"
#include "core/WindowUtils.h"
#include "session/fConnection.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zor {

namespace {

// Units are bytes 0..255: a character beyond them cannot be sent or kept.
bool FitsInBytes(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() > 255)
            return false;
    return true;
}

} // namespace

fCommand::fCommand(QWidget* sessionWindow) : QDialog(sessionWindow)
{
    setObjectName(QStringLiteral("fCommand"));
    setWindowTitle(QStringLiteral("ZOR Command"));
    setModal(true);
    Label1 = new QLabel(QStringLiteral("Enter the command string to be processed by ZOR"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    // The list is the history exactly: Qt's own insertion on Enter and its
    // completion (which ignores case) would change what was typed.
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setCompleter(nullptr);
    Combo1->setMinimumContentsLength(40);
    Command2 = new QPushButton(QStringLiteral("&Remove"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setEnabled(false);
    Command1 = new QPushButton(QStringLiteral("&Close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    // Enter belongs to the combo: no button may take it as the default.
    for (QPushButton* button : {Command1, Command2}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Combo1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    layout->addLayout(buttons);

    ShowHistory();
    // The combo keeps the focus and hands keys to its line edit directly: a
    // typed Enter is seen on the combo only.
    Combo1->installEventFilter(this);
    connect(Combo1->lineEdit(), &QLineEdit::textEdited, this, [this] { Command2->setEnabled(true); });
    connect(Combo1, &QComboBox::activated, this, [this] { Command2->setEnabled(true); });
    connect(Command2, &QPushButton::clicked, this, &fCommand::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &QDialog::reject);
    adjustSize();
    CenterOverWindowOnActivation(*this, *sessionWindow);
}

// Enter is taken here and goes no further: passed on, the combo would hand
// it to its line edit.
bool fCommand::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Combo1_Enter();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void fCommand::ShowHistory()
{
    const QString typed = Combo1->currentText();
    Combo1->clear();
    Combo1->addItems(mHistory.Entries());
    Combo1->setEditText(typed);
}

void fCommand::Combo1_Enter()
{
    const QString text = Combo1->currentText();
    if (IsBlank(text))
        return;
    if (!FitsInBytes(text)) {
        Dialogs::MsgBox(QStringLiteral("The command holds characters that cannot be sent to the host."),
                        Dialogs::Exclamation, QStringLiteral("ERROR"));
        return;
    }
    mHistory.Add(text);
    ShowHistory();
    hide();
    fConnection& session = fConnection::instance();
    session.Process(text);
    session.DrawEntities();
    Combo1->clearEditText();
}

void fCommand::Command2_Click()
{
    mHistory.Remove(Combo1->currentText());
    Combo1->clearEditText();
    ShowHistory();
    Command2->setEnabled(false);
}

void ShowCommandWindow()
{
    fCommand window(&fConnection::instance());
    window.exec();
}

} // namespace zor
