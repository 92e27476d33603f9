#include "tools/fHelpAbout.h"

#include "core/SharedState.h"
#include "core/WindowUtils.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace zor {

fHelpAbout::fHelpAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fHelpAbout"));
    setWindowTitle(QStringLiteral("About ZOR Graphical User Interface"));
    auto* layout = new QHBoxLayout(this);
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    layout->addWidget(Picture1);
    auto* column = new QVBoxLayout();
    Label4 = new QLabel(VersionLine(), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setTextFormat(Qt::PlainText);
    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    column->addWidget(Label4);
    column->addWidget(Command1);
    layout->addLayout(column);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    if (parent)
        CenterOverWindowOnActivation(*this, *parent->window());
}

} // namespace zor
