#include "session/AutoReplies.h"

#include "core/Dialogs.h"
#include "core/SendReply.h"
#include "core/SharedState.h"
#include "core/Trace.h"

namespace zor {

namespace {

enum class ListKind { Global, Session };
enum class AfterAction { GoOn, Stop };

QString Value(const std::function<QString()>& source)
{
    return source ? source() : QString();
}

void Run(const std::function<void()>& action)
{
    if (action)
        action();
}

struct Entry {
    QString Trigger;
    QString Reply;
};

// An entry without "=" or with an empty trigger is no reply: the empty
// trigger would otherwise answer every text the host sends.
bool Matches(const QString& entry, const QString& data, Entry& parsed)
{
    const qsizetype equals = entry.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return false;
    parsed.Trigger = entry.left(equals);
    parsed.Reply = entry.mid(equals + 1);
    return data.contains(parsed.Trigger, Qt::CaseSensitive);
}

bool IsAction(const QString& reply, const char* name)
{
    return reply.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

void ShowClosing(const QString& trigger)
{
    Dialogs::MsgBox(trigger + QStringLiteral("\r\nTerminating connection."), Dialogs::Critical,
                    QStringLiteral("Closing"));
}

AfterAction Act(const Entry& entry, ListKind list)
{
    const AutoReplyLink& link = ReplyLink();
    const QString& reply = entry.Reply;
    if (IsAction(reply, "@userid")) {
        SendLine(Value(link.UserId));
    } else if (IsAction(reply, "@password")) {
        SendLine(Value(link.Password));
    } else if (IsAction(reply, "@account")) {
        SendLine(Value(link.Account));
    } else if (IsAction(reply, "@termid")) {
        SendLine(TermId + QLatin1Char('\r'));
    } else if (IsAction(reply, "@close")) {
        if (list == ListKind::Global) {
            Run(link.CloseConnection);
            ShowClosing(entry.Trigger);
        } else {
            ShowClosing(entry.Trigger);
            Run(link.CloseConnection);
        }
    } else if (IsAction(reply, "@error")) {
        // The log-on starts again inside this call; the rest of the lists
        // must not answer the failed session's text on the new connection.
        Run(link.LogonFailed);
        return AfterAction::Stop;
    }
    // "@process" takes the text as answered and hands nothing on; other "@"
    // words send nothing.
    return AfterAction::GoOn;
}

} // namespace

AutoReplyLink& ReplyLink()
{
    static AutoReplyLink link;
    return link;
}

bool Process_Script(QString& data)
{
    // Pass-through text is the receipt's, never a prompt.
    if (ComMode)
        return false;
    const AutoReplyLink& link = ReplyLink();
    Run(link.ShowBusy);
    bool answered = false;
    Entry entry;
    const QStringList global = link.GlobalReplies ? link.GlobalReplies() : QStringList();
    for (const QString& line : global) {
        if (!Matches(line, data, entry))
            continue;
        answered = true;
        if (!entry.Reply.startsWith(QLatin1Char('@'))) {
            SendReply(entry.Reply);
            continue;
        }
        WriteTrace(QStringLiteral("SCRIPT(G)"), QStringLiteral("Found: [") + entry.Reply + QLatin1Char(']'));
        if (Act(entry, ListKind::Global) == AfterAction::Stop)
            return true;
    }
    const QStringList session = link.SessionReplies ? link.SessionReplies() : QStringList();
    for (const QString& line : session) {
        if (line.isEmpty() || !Matches(line, data, entry))
            continue;
        WriteTrace(QStringLiteral("SCRIPT(S)"), QStringLiteral("Found: [") + entry.Trigger + QLatin1Char(']'));
        answered = true;
        if (entry.Reply.startsWith(QLatin1Char('@'))) {
            if (Act(entry, ListKind::Session) == AfterAction::Stop)
                return true;
            continue;
        }
        // Answered, so that the caller drops the prompt rather than drawing
        // it after its wait for the rest of the line.
        SendReply(entry.Reply);
        if (link.UseSessionReply)
            link.UseSessionReply(line);
        return true;
    }
    return answered;
}

} // namespace zor
