// Two panels over the screen: the parameter choice, a group of options of
// which the user picks one, and the progress bar of a long host job.
#include "core/Fields.h"
#include "core/NumberConversion.h"
#include "core/ScreenPointer.h"
#include "core/Text.h"
#include "core/Trace.h"
#include "core/WindowUtils.h"
#include "interpreter/CommandUnit.h"
#include "interpreter/Interpreter.h"
#include "session/fConnection.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace zor {

namespace {

bool EndsTheChoices(const QString& entry)
{
    return entry.isEmpty() || entry.left(3).toLower() == QLatin1String("end");
}

} // namespace

void Interpreter::ShowParameters(const CommandUnit& unit)
{
    fConnection& w = window_;
    // No choice of the last panel stays made, shown or hidden: OK would send
    // it, or the new panel would offer it as chosen.
    for (QRadioButton* option : w.oParams) {
        option->hide();
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
    QString entry = Trim(unit.FieldText(2));
    for (int k = 2; !EndsTheChoices(entry); entry = unit.FieldText(++k)) {
        if (k == 2) {
            w.frame->setTitle(ShownCaption(entry));
            continue;
        }
        const size_t slot = static_cast<size_t>(k - 3);
        if (slot >= w.oParams.size()) {
            WriteTrace(QStringLiteral("Process"), QStringLiteral("Choices after the tenth left out: ") + unit.Text());
            break;
        }
        QRadioButton& option = *w.oParams[slot];
        option.setProperty("Tag", GetField(entry, 1, QLatin1Char('=')));
        option.setText(ShownCaption(GetField(entry, 2, QLatin1Char('='))));
        option.show();
    }
    SetScreenPointer(ScreenPointer::Default);
    CenterInParent(*w.ParmFrame, *w.MainPic);
    w.ParmFrame->show();
    w.ParmFrame->raise();
    w.MakeDefaultButton(*w.PLCommand[0]);
    // Shown as it comes, like the message box: and what showing it leaves
    // for the event loop must not pile up over a flood of panels.
    LetEventsRunOnceAFrame();
    AddToHistory(unit);
}

void Interpreter::ShowProgress(const CommandUnit& unit)
{
    fConnection& w = window_;
    const qint16 maximum = IntegerValue(unit.Field(4));
    const qint16 value = qMin(IntegerValue(unit.Field(3)), maximum);
    if (maximum == 0 || value == maximum) {
        w.ProgBarPic->hide();
        return;
    }
    // A bar below nothing is an empty bar: the bar would keep showing the
    // last value for one it cannot show. It is one step long at least: a
    // bar of no steps shows the busy animation instead.
    w.ProgBar->setRange(0, qMax<int>(1, maximum));
    w.ProgBar->setValue(qBound<int>(0, value, w.ProgBar->maximum()));
    w.ProgBarMsg->setText(ShownCaption(unit.FieldText(2)));
    if (!IsVisible(*w.ProgBarPic)) {
        CenterInParent(*w.ProgBarPic, *w.MainPic);
        w.ProgBarPic->show();
    }
    LetEventsRunOnceAFrame();
    AddToHistory(unit);
    w.ProgBarPic->raise();
}

} // namespace zor
