// The procedure panel: while the host runs a long procedure its text goes to
// the panel, where link lines become buttons that answer and an input line
// asks for one typed answer.
#include "core/ScreenPointer.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/Trace.h"
#include "core/WindowUtils.h"
#include "interpreter/CommandUnit.h"
#include "interpreter/Interpreter.h"
#include "session/fConnection.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zor {

namespace {

// The text after the first "=", trimmed; the whole text trimmed when it has
// none.
QString ValueOf(const QString& line)
{
    return Trim(line.mid(line.indexOf(QLatin1Char('=')) + 1));
}

} // namespace

void Interpreter::OpenProcedure(const CommandUnit& unit)
{
    fConnection& w = window_;
    ProcMode = true;
    AppendProcText(*w.ProcText, QString());
    for (QPushButton* button : w.ProcButt)
        button->hide();
    ProcLinkCount = 0;
    // An input line the last procedure left open must not come back with
    // its text: Enter would answer a question this one never asked.
    w.fProcInput->hide();
    w.fProcInput->clear();
    w.lblProcLabel->hide();
    w.ResizeProc();
    w.ProcPic->show();
    w.ProcPic->raise();
    // Enter answers the panel opened last; the links that arrive later do
    // not bring this one back over a panel opened since.
    w.MakeDefaultButton(*w.ProcButt[0]);
    AddToHistory(unit);
}

void Interpreter::CloseProcedure(const CommandUnit& unit)
{
    TypeAhead.clear();
    ProcMode = false;
    SetScreenPointer(ScreenPointer::Default);
    Process(QStringLiteral("sm^^"));
    AddToHistory(unit);
    window_.ProcPic->hide();
}

void Interpreter::ProcedureText(const QString& text)
{
    fConnection& w = window_;
    if (IsBlank(text))
        return;
    const QString start = text.left(6).toLower();
    if (start.startsWith(QLatin1String("+link"))) {
        // Past the last button a link is dropped, not counted: the count
        // stays an index of a button.
        if (ProcLinkCount >= ProcButtonSlots) {
            WriteTrace(QStringLiteral("PROC"), QStringLiteral("No button left for the link: ") + text);
            return;
        }
        // A link without ":" answers with its text and shows it too, never
        // the caption of an earlier link over a new answer.
        const QString link = ValueOf(text);
        const qsizetype colon = link.indexOf(QLatin1Char(':'));
        QPushButton& button = *w.ProcButt[static_cast<size_t>(ProcLinkCount)];
        button.setText(ShownCaption(colon < 0 ? link : link.left(colon)));
        button.setProperty("Tag", colon < 0 ? link : link.mid(colon + 1));
        button.show();
        ++ProcLinkCount;
        w.ResizeProc();
    } else if (start == QLatin1String("+input")) {
        w.fProcInput->setText(ValueOf(text));
        w.fProcInput->deselect();
        w.fProcInput->setCursorPosition(static_cast<int>(w.fProcInput->text().size()));
        w.fProcInput->show();
        w.lblProcLabel->show();
        w.fProcInput->setFocus();
    } else {
        AppendProcText(*w.ProcText, text + QStringLiteral("\r\n"));
        // The panel shows the text as the host streams it.
        LetEventsRunOnceAFrame();
    }
}

} // namespace zor
