#include "settings/fPropLock.h"

#include "core/WindowUtils.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zor {

fPropLock::fPropLock(QWidget* sessionWindow)
    : QDialog(sessionWindow), Label1(new QLabel(QStringLiteral("Password"), this)), Text1(new QLineEdit(this)),
      Command1(new QPushButton(QStringLiteral("&OK"), this)),
      Command2(new QPushButton(QStringLiteral("&Cancel"), this)), sessionWindow_(sessionWindow)
{
    setObjectName(QStringLiteral("fPropLock"));
    setWindowTitle(QStringLiteral("Password required"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1->setObjectName(QStringLiteral("Text1"));
    MakePasswordBox(*Text1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2->setObjectName(QStringLiteral("Command2"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Text1, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons, 1, 0, 1, 2);

    connect(Command1, &QPushButton::clicked, this, &fPropLock::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &fPropLock::Command2_Click);
    adjustSize();
    CenterForm(*this);
    if (sessionWindow)
        CenterOverWindowOnActivation(*this, *sessionWindow);
}

void fPropLock::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (sessionWindow_)
        CenterOverWindow(*this, *sessionWindow_);
    Text1->setFocus();
}

void fPropLock::closeEvent(QCloseEvent* event)
{
    Text1->clear();
    QDialog::closeEvent(event);
}

// Esc answers like Cancel.
void fPropLock::reject()
{
    Text1->clear();
    QDialog::reject();
}

void fPropLock::Command1_Click()
{
    accept();
}

void fPropLock::Command2_Click()
{
    reject();
}

} // namespace zor
