#include "app/StartUp.h"

#include "core/Appearance.h"
#include "core/Ciphers.h"
#include "core/ProgramFolder.h"
#include "core/SharedState.h"
#include "core/TerminationSignals.h"
#include "core/Text.h"
#include "devices/modComm.h"
#include "session/ShellLink.h"
#include "session/WindowChange.h"
#include "session/fConnection.h"
#include "settings/ConfigFile.h"
#include "settings/Properties.h"
#include "tools/fTips.h"

#include <QFile>

namespace zor {

QString CommandLineConfig(const QStringList& arguments)
{
    const QString line = arguments.mid(1).join(QLatin1Char(' '));
    return Trim(line).isEmpty() ? QString() : line;
}

bool Main(const QString& commandLine)
{
    SetStartValues();
    VersionSuffix = QStringLiteral("1");
    // Before the launcher, which can make a session: its files are written
    // with the keys in place.
    LoadScriptKeys();
    QString chosen = commandLine;
    if (IsBlank(commandLine)) {
        Shell().ShowSplash();
        if (TerminationRequested())
            return false;
        chosen = Shell().ChooseConfiguration();
        if (IsBlank(chosen) || TerminationRequested())
            return false;
    }
    ConfigFile = chosen;
    // Without its file a session would start all zero (a black backdrop, port
    // 0): it starts from the defaults instead, as a newly made one does.
    if (!QFile::exists(ProgramFile(ConfigFile)))
        SetDefaultAppearance();
    Properties::instance().LoadINI();
    LoadCacheValue();
    fConnection::instance().show();
    // With "Send Function Keys" on, function keys go to the host from the start.
    EnableFunctionKeys(SendFunKeys != 0);
    ShowTipsAtStartup();
    // The session window closed while the tips were up (the desktop ending
    // the program): there is nothing left to run.
    if (!fConnection::instance().isVisible())
        return false;
    InitComPort();
    return true;
}

void ShowTipsAtStartup()
{
    if (QFile::exists(TipsFile()) && !QFile::exists(NoTipsFile()))
        Shell().ShowTips();
}

} // namespace zor
