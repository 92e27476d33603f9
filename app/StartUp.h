#pragma once

#include <QString>
#include <QStringList>

namespace zor {

// The session configuration named on the command line: the arguments joined
// as they were typed; a line of blanks only counts as no name.
QString CommandLineConfig(const QStringList& arguments);

// The start-up sequence. Without a configuration name the splash and the
// session launcher come first (the windows of Shell()). Returns false when
// the program is to end: no configuration was chosen, or the session window
// was closed before the start-up was through.
bool Main(const QString& commandLine);

// The tips window, modal, when "tips.txt" exists and "notips.txt" does not.
void ShowTipsAtStartup();

} // namespace zor
