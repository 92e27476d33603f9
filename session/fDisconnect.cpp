#include "session/fDisconnect.h"

#include "core/WindowUtils.h"
#include "session/fConnection.h"
#include "settings/fLogin.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zor {

namespace {

QPushButton* Button(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

fDisconnect& fDisconnect::instance()
{
    static fDisconnect* dialog = new fDisconnect();
    return *dialog;
}

fDisconnect::fDisconnect() : QDialog(&fConnection::instance())
{
    setObjectName(QStringLiteral("fDisconnect"));
    setWindowTitle(QStringLiteral("Disconnected!"));
    setModal(false);
    auto* message = new QLabel(QStringLiteral("The connection to the host has been closed."), this);
    message->setObjectName(QStringLiteral("Label1"));
    reconnect = Button(this, "reconnect", QStringLiteral("Reconnect"));
    close = Button(this, "close", QStringLiteral("Close"));
    cancel = Button(this, "cancel", QStringLiteral("Cancel"));
    reconnect->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reconnect);
    buttons->addWidget(close);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addLayout(buttons);
    connect(reconnect, &QPushButton::clicked, this, &fDisconnect::reconnect_Click);
    connect(close, &QPushButton::clicked, this, &fDisconnect::close_Click);
    connect(cancel, &QPushButton::clicked, this, &fDisconnect::cancel_Click);
    adjustSize();
    CenterOverWindowOnActivation(*this, fConnection::instance());
    // The password of the dropped session is not offered again.
    fLogin::instance().Text2->clear();
}

void fDisconnect::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CenterOverWindow(*this, fConnection::instance());
}

void fDisconnect::reconnect_Click()
{
    hide();
    fConnection::instance().puConnect_Click();
}

void fDisconnect::close_Click()
{
    hide();
    fConnection::instance().exitmnu_Click();
}

void fDisconnect::cancel_Click()
{
    hide();
}

void fDisconnect::reject()
{
    cancel_Click();
}

} // namespace zor
