#pragma once

#include <QString>

namespace zor {

// The rules of the settings window's reply, account and server lists, apart
// from their widgets.

// A reply the matcher can use holds "=": the trigger before it, the reply
// after it.
bool IsReplyEntry(const QString& text);
inline const QString InvalidReplyMessage =
    QStringLiteral("Invalid entry.  The look string and response string must be seperated by a '=' (equal).");

// The connection fields of a server entry "host,port,description". An entry
// edited by hand may lack the commas: the host is then everything before the
// first comma (the whole entry without one), the port what follows it up to
// the next comma (empty without one).
struct ConnectionFields {
    QString Host;
    QString Port;
};
ConnectionFields SplitConnectionEntry(const QString& entry);
QString JoinConnectionEntry(const QString& host, const QString& port, const QString& description);

// Why a server with these fields cannot go into the server list, naming the
// field as the user sees it; empty when it can. Its line is cut at the first
// ":" and its entry at ",", so a host holding either, or a description holding
// ":", would read back as another server.
QString ServerEntryProblem(const QString& host, const QString& port, const QString& description);

// Why a server of the list cannot fill the connection fields, naming what
// does not fit; empty when it can. The fields hold what the configuration
// keeps, and a text cut short would be another server.
QString ServerFitProblem(const QString& host, const QString& description);

} // namespace zor
