#include "interpreter/Interpreter.h"

#include "core/Dialogs.h"
#include "core/Fields.h"
#include "core/NumberConversion.h"
#include "core/SessionLink.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/Trace.h"
#include "core/WindowUtils.h"
#include "interpreter/CommandTable.h"
#include "interpreter/CommandUnit.h"
#include "session/fConnection.h"

namespace zor {

namespace {

const QString ProcessTag = QStringLiteral("Process");

} // namespace

Interpreter::Interpreter(fConnection& window) : window_(window)
{
    Link().ReportPageBreak = [this] { ReportPageBreak(); };
}

void Interpreter::TraceUnit(const QString& unit)
{
    if (ProcMode) {
        WriteTrace(QStringLiteral("PROC"), unit);
        return;
    }
    if (!ReportMode) {
        WriteTrace(ComMode ? QStringLiteral("COMMPORT") : ProcessTag, unit);
        return;
    }
    if (unit.size() != 1) {
        WriteTrace(QStringLiteral("Printer"), unit);
        return;
    }
    // The count runs whether the trace is on or not, so a trace switched on
    // in the middle of a run shows where the run really is.
    traceRepeatCount_ = unit == traceLastChar_ ? traceRepeatCount_ + 1 : 0;
    traceLastChar_ = unit;
    if (TraceOn())
        WriteTrace(QStringLiteral("Printer"),
                   QStringLiteral("Char = %1 (%2)").arg(unit.at(0).unicode()).arg(traceRepeatCount_));
}

void Interpreter::Process(const QString& received, bool streamed)
{
    if (IsBlank(received))
        return;
    doneBefore_ = std::exchange(done_, Done());
    if (!streamed)
        doneBefore_ = Done();
    streamed_ = streamed;
    TraceUnit(received);

    QString text = received;
    if (text.contains(QLatin1Char('\t')))
        text.replace(QLatin1Char('\t'), QLatin1Char('|'));
    // In serial pass-through only the unit that ends it is a command.
    if (ComMode && text != QLatin1String("COM^OFF")) {
        PlainText(text);
        return;
    }
    const CommandEntry* command = FindCommand(CommandUnit::CodeOf(text));
    if (!command) {
        PlainText(text);
        return;
    }
    CommandUnit unit(text);
    if (!unit.Split()) {
        Refuse(unit, QStringLiteral("more than %1 fields").arg(CommandUnit::MaxFields));
        return;
    }
    if (command->needsCaret && !unit.HasCaret())
        return;
    if (!command->handler) {
        if (TraceOn())
            WriteTrace(ProcessTag, QStringLiteral("Not handled: ") + text);
        return;
    }
    try {
        (this->*command->handler)(unit);
    } catch (const ValueDoesNotFit&) {
        WriteTrace(ProcessTag, QStringLiteral("Ended, a value does not fit: ") + text);
    }
}

void Interpreter::StreamEnds()
{
    done_ = Done();
}

// Only the next unit of the stream finds things as this one left them.
void Interpreter::Drew(Drawn drawn)
{
    if (streamed_)
        done_.drawn = drawn;
}

void Interpreter::Saved(const QString& unit)
{
    if (streamed_)
        done_.savedBy = unit;
}

void Interpreter::AddToHistory(const CommandUnit& unit)
{
    QStringList& stack = window_.stack;
    if (stack.size() != historyEntries_) {
        historyChars_ = 0;
        for (const QString& entry : stack)
            historyChars_ += entry.size();
    }
    const qsizetype length = unit.Text().size();
    if (historyChars_ + length > MaxHistoryChars) {
        WriteTrace(ProcessTag, QStringLiteral("Not kept in the history, which is full: a unit \"%1\" of %2 characters")
                                   .arg(CommandUnit::CodeOf(unit.Text()))
                                   .arg(length));
        historyEntries_ = stack.size();
        return;
    }
    stack.append(unit.Text());
    historyChars_ += length;
    historyEntries_ = stack.size();
}

void Interpreter::Refuse(const CommandUnit& unit, const QString& reason)
{
    WriteTrace(ProcessTag, QStringLiteral("Refused, ") + reason + QStringLiteral(": ") + unit.Text());
}

} // namespace zor
