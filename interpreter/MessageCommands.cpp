// The host's own message box on the screen: a title, a text, an icon, and
// either up to four answer buttons or a countdown that closes it.
#include "core/Fields.h"
#include "core/ScreenPointer.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/WindowUtils.h"
#include "interpreter/CommandUnit.h"
#include "interpreter/Interpreter.h"
#include "session/CountdownAnimation.h"
#include "session/fConnection.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zor {

namespace {

constexpr int MessageButtonSlots = 4;
constexpr int ButtonBoxHeight = 135;
constexpr int CountdownBoxHeight = 70;
constexpr int TabletExtraHeight = 50;

QString CrForTilde(QString text)
{
    text.replace(QLatin1Char('~'), QLatin1Char('\r'));
    return text;
}

void SetMessageLayout(QLabel& message, int left, qreal points, Qt::Alignment alignment, int width)
{
    QFont font = message.font();
    font.setPointSizeF(points);
    message.setFont(font);
    message.setAlignment(alignment | Qt::AlignTop);
    message.setGeometry(left, message.y(), width, message.height());
}

bool EndsTheButtons(const QString& caption)
{
    return caption.left(3).toLower() == QLatin1String("end");
}

} // namespace

void Interpreter::ShowMessageBox(const CommandUnit& unit)
{
    fConnection& w = window_;
    TypeAhead.clear();
    AssignAccessKey(QString());
    w.MsgAnimFrame = 2;
    w.MsgElapsed = 0;
    w.Timer4->stop();
    SetScreenPointer(ScreenPointer::Default);
    // A box closed some other way leaves its buttons and its close-on-data
    // mark behind; neither may answer for this box.
    MsgBoxUp = false;
    for (QPushButton* button : w.MBCommand) {
        button->hide();
        button->setText(QString());
        button->setProperty("Tag", QString());
    }

    w.MsgPicCap->setText(ShownCaption(unit.FieldText(2)));
    QString message = CrForTilde(unit.FieldText(3));
    // The bell that may lead the text has rung on the way in; it is no
    // character to show.
    if (message.startsWith(QChar(7)))
        message.remove(0, 1);
    w.lErrMessage->setText(ShownCaption(message));

    for (QLabel* icon : w.iErrEffect)
        icon->hide();
    SetMessageLayout(*w.lErrMessage, 56, 8, Qt::AlignLeft, 309);
    const QStringView icon = unit.Field(4).left(1);
    if (icon == u"1")
        w.iErrEffect[0]->show();
    else if (icon == u"2")
        w.iErrEffect[1]->show();
    else if (icon == u"3")
        SetMessageLayout(*w.lErrMessage, 5, 24, Qt::AlignHCenter, w.MsgPic->width() - 10);

    const QString choice = unit.FieldText(5);
    const qsizetype equals = choice.indexOf(QLatin1Char('='));
    if (Trim(GetField(choice, 1, QLatin1Char('='))).toLower() == QLatin1String("timer")) {
        const QString value = equals < 0 ? QString() : Trim(choice.mid(equals + 1));
        if (value.toLower() == QLatin1String("off")) {
            w.MsgPic->hide();
            if (IsVisible(*w.INTextPic))
                w.INText->setFocus();
            return;
        }
        w.MsgPic->resize(w.MsgPic->width(), CountdownBoxHeight);
        w.iErrEffect[2]->setPixmap(CountdownFrame(CountdownFirstFrame));
        w.iErrEffect[0]->hide();
        w.iErrEffect[1]->hide();
        w.iErrEffect[2]->show();
        w.MsgCountdown = value;
        if (value == QLatin1String("0"))
            MsgBoxUp = true;
        else
            w.Timer4->start();
    } else {
        w.MsgPic->resize(w.MsgPic->width(), ButtonBoxHeight);
        for (int n = 0, k = 5; n < MessageButtonSlots; ++n, k += 2) {
            const QString caption = unit.FieldText(k);
            if (EndsTheButtons(n == 0 ? Trim(caption) : caption))
                break;
            QPushButton& button = *w.MBCommand[static_cast<size_t>(n)];
            const QString keyed = AssignAccessKey(caption);
            button.setText(ShownCaption(keyed));
            button.setVisible(!IsBlank(keyed));
            button.setProperty("Tag", CrForTilde(unit.FieldText(k + 1)));
        }
    }

    CenterInParent(*w.MsgPic, *w.MainPic);
    if (TabletMode)
        w.MsgPic->resize(w.MsgPic->width(), w.MsgPic->height() + TabletExtraHeight);
    w.MsgPic->show();
    w.MsgPic->raise();
    w.LayoutMessageBox();
    w.MakeDefaultButton(*w.MBCommand[0]);
    LetEventsRunOnceAFrame();
    AddToHistory(unit);
}

} // namespace zor
