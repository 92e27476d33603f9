#include "tools/fTips.h"

#include "core/Dialogs.h"
#include "core/FileSave.h"
#include "core/ProgramFolder.h"
#include "core/SharedState.h"
#include "core/TextFile.h"
#include "core/WindowUtils.h"
#include "session/fConnection.h"

#include <QCheckBox>
#include <QFile>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace zor {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, double points, bool bold,
                  bool underline = false)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setUnderline(underline);
    label->setFont(font);
    return label;
}

} // namespace

QString TipsFile()
{
    return ProgramFile(QStringLiteral("tips.txt"));
}

QString NoTipsFile()
{
    return ProgramFile(QStringLiteral("notips.txt"));
}

fTips::fTips(QWidget* parent) : QDialog(parent ? parent : &fConnection::instance())
{
    setObjectName(QStringLiteral("fTips"));
    setWindowTitle(QStringLiteral("ZOR GUI Tips"));
    setModal(true);

    Label1 = MakeLabel(this, "Label1", QStringLiteral("Did you know?"), 13.5, true);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/zor/tip_103.bmp")));
    TipCaption = MakeLabel(this, "TipCaption", QString(), 9.75, true, true);
    TipText = MakeLabel(this, "TipText", QString(), 9.75, false);
    TipText->setWordWrap(true);
    TipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    TipText->setMinimumSize(320, 140);
    Command2 = new QPushButton(QStringLiteral("Next >"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3 = new QPushButton(QStringLiteral("< Back"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command1 = new QPushButton(QStringLiteral("Close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Check1 = new QCheckBox(QStringLiteral("Do not show tips at startup"), this);
    Check1->setObjectName(QStringLiteral("Check1"));

    auto* tip = new QVBoxLayout;
    tip->addWidget(Label1);
    tip->addWidget(TipCaption);
    tip->addWidget(TipText, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(tip, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Check1);
    buttons->addStretch(1);
    buttons->addWidget(Command3);
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(Command2, &QPushButton::clicked, this, &fTips::ShowNextTip);
    connect(Command3, &QPushButton::clicked, this, &fTips::ShowPrevTip);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Check1, &QCheckBox::toggled, this, &fTips::Check1_Click);

    CenterForm(*this);
    CenterOverWindowOnActivation(*this, fConnection::instance());
    // Ticked from the file, which writes the marker anew.
    if (QFile::exists(NoTipsFile()))
        Check1->setChecked(true);
    const TextFileRead tips = ReadTextFile(TipsFile());
    if (tips.Ok()) {
        stack = tips.Lines;
        ShowNextTip();
    } else {
        Dialogs::MsgBox(ProgramFolder() + QStringLiteral("/tips.txt file not found. (v") + VersionNumber() +
                            QLatin1Char(')'),
                        Dialogs::Critical, QStringLiteral("Error"));
    }
}

void fTips::ShowNextTip()
{
    Show(NextTip(stack, walk_));
}

void fTips::ShowPrevTip()
{
    Show(PreviousTip(stack, walk_));
}

void fTips::Show(const TipWalk& walk)
{
    walk_ = walk;
    TipCaption->setText(walk.Caption);
    // A label breaks lines at LF only.
    TipText->setText(QString(walk.Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void fTips::Check1_Click()
{
    const bool ticked = Check1->isChecked();
    const bool done = ticked ? SaveFileWhole(NoTipsFile(), TextFileBytes({QStringLiteral("Show Tips")}))
                             : !QFile::exists(NoTipsFile()) || QFile::remove(NoTipsFile());
    if (done)
        return;
    if (!ticked)
        Dialogs::MsgBox(QStringLiteral("Unable to remove ") + NoTipsFile(), Dialogs::Critical, QStringLiteral("ERROR"));
    // The box shows what the file really says.
    const QSignalBlocker quiet(Check1);
    Check1->setChecked(QFile::exists(NoTipsFile()));
}

} // namespace zor
