#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace zor {

// What the automatic replies need from the windows around them: the two reply
// lists of the settings window, the log-on values, and the session window's
// actions. The windows fill these in; tests put recorders here. Unset entries
// give empty values and do nothing.
struct AutoReplyLink {
    // The global replies (every matching entry fires on every text).
    std::function<QStringList()> GlobalReplies;
    // The session replies of this log-on.
    std::function<QStringList()> SessionReplies;
    // A plain session reply was sent: drop that entry (its first copy) from
    // the session replies until the next log-on.
    std::function<void(const QString& entry)> UseSessionReply;
    // The log-on dialog's user id, password and selected account.
    std::function<QString()> UserId;
    std::function<QString()> Password;
    std::function<QString()> Account;
    // Advances the busy animation and shows the hourglass.
    std::function<void()> ShowBusy;
    // Disconnects without asking.
    std::function<void()> CloseConnection;
    // The host refused the log-on: close the channel and ask again.
    std::function<void()> LogonFailed;
};

AutoReplyLink& ReplyLink();

// Answers the prompts in a piece of received text from the reply lists and
// returns true when the text is taken as answered (the caller then drops it).
// During serial pass-through nothing is answered: the receive pipeline sends
// that text to the receipt port.
bool Process_Script(QString& data);

} // namespace zor
