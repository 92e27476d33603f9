#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace zor {

// The session configuration named on the command line: the arguments joined
// as they were typed; a line of blanks only counts as no name.
QString CommandLineConfig(const QStringList& arguments);

// Reads "cacheval.dat" into UseScreenCache; without the file the cache is on.
void LoadCacheValue();

// The windows of the start-up sequence, each showing its real window modally
// unless a test stands in for it.
struct StartUpWindows {
    std::function<void()> ShowSplash;
    // The session launcher: the configuration chosen, or empty for none.
    std::function<QString()> ChooseConfiguration;
    std::function<void()> ShowTips;
};
StartUpWindows& StartUpSeam();

// The start-up sequence. Without a configuration name the splash and the
// session launcher come first. Returns false when no configuration was chosen
// and the program is to end.
bool Main(const QString& commandLine);

// The tips window, modal, when "tips.txt" exists and "notips.txt" does not.
void ShowTipsAtStartup();

} // namespace zor
