#include "tools/fPrintType.h"

#include "core/WindowUtils.h"
#include "session/fConnection.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zor {

fPrintType& fPrintType::instance()
{
    static fPrintType* window = new fPrintType();
    return *window;
}

fPrintType::fPrintType() : QDialog(&fConnection::instance())
{
    setObjectName(QStringLiteral("fPrintType"));
    setWindowTitle(QStringLiteral("Print Type"));
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(
        QStringLiteral("Select the type of printer output you would like to use from the following choices."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    layout->addWidget(Label1);
    // The text print is the upper choice.
    const char* captions[] = {"Print page as full color screen shot", "Print just the text as displayed on the screen"};
    for (int i : {1, 0}) {
        auto* option = new QRadioButton(QLatin1String(captions[i]), this);
        option->setObjectName(QStringLiteral("optPrintType_%1").arg(i));
        optPrintType[static_cast<size_t>(i)] = option;
        layout->addWidget(option);
    }
    auto* buttons = new QHBoxLayout();
    Command1 = new QPushButton(QStringLiteral("&Print"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("&Cancel"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, &QDialog::hide);
    connect(Command2, &QPushButton::clicked, this, [this] {
        ClearOptions();
        hide();
    });
    CenterOverWindowOnActivation(*this, fConnection::instance());
}

void fPrintType::ClearOptions()
{
    // A checked exclusive option cannot be unchecked by itself.
    for (QRadioButton* option : optPrintType) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

fPrintType::Choice fPrintType::Choose()
{
    ClearOptions();
    // Closed with the frame's box, the window prints nothing.
    connect(this, &QDialog::rejected, this, &fPrintType::ClearOptions, Qt::UniqueConnection);
    exec();
    if (optPrintType[0]->isChecked())
        return ScreenShot;
    if (optPrintType[1]->isChecked())
        return TextOnly;
    return NoPrint;
}

} // namespace zor
