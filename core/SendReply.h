#pragma once

#include <QString>

namespace zor {

// Sends a reply to the host: nothing while not connected; otherwise each part
// of the reply split at "~" as one line ended by CR. A part starting "@open"
// asks for a file (its comma fields 2 and 3 are the dialog's title and filter)
// and sends the chosen path ended by CR LF.
void SendReply(const QString& text);

// Sends a value the user typed (a user id, a password) as one line ended by
// CR, exactly as it stands: no "~" split and no file dialog, so a password
// holding "~" or starting "@open" still reaches the host whole. Nothing while
// not connected.
void SendLine(const QString& text);

// Writes the text to the host exactly as it stands: no CR added, no "~"
// split, whether or not connected (the session window's Send decides).
void SendRaw(const QString& text);

} // namespace zor
