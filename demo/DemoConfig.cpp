#include "demo/DemoConfig.h"

#include "core/Appearance.h"
#include "core/Dialogs.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/Twips.h"
#include "settings/CompanionFiles.h"
#include "settings/ConfigFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace demo {

bool WriteDemoConfig(const QString& path, quint16 port, const QString& user)
{
    using namespace zor;
    // No windows here: whatever the file helpers would show goes to stderr.
    Dialogs::SetAnswerer([](const Dialogs::Request& request) {
        QTextStream(stderr) << request.prompt << Qt::endl;
        return QVariant(int(Dialogs::OK));
    });
    const QFileInfo file(path);
    QDir().mkpath(file.absolutePath());
    qputenv("ZOR_HOME", file.absolutePath().toLocal8Bit());

    SetDefaultAppearance();
    Settings.HostName = FixedWidth(QStringLiteral("127.0.0.1"), SessionSettings::HostNameWidth);
    Settings.Port = static_cast<qint16>(port);
    HostDescription = QStringLiteral("Demo Host");
    SecureConnection = 0;
    LastUser = user;
    // The demo's first screen is a page whose header needs more than 640 x 480.
    SavedWindowWidth = static_cast<float>(PixelsToTwips(1024));
    SavedWindowHeight = static_cast<qint16>(PixelsToTwips(768));
    ConfigWindowItems window;
    window.FontName = FixedWidth(QStringLiteral("Courier New"), ConfigFontNameWidth);

    QFile config(file.absoluteFilePath());
    if (!config.open(QIODevice::WriteOnly) || config.write(WriteConfig(window)) < 0) {
        QTextStream(stderr) << "cannot write " << path << Qt::endl;
        return false;
    }
    config.close();
    return WriteReplyFile(GlobalReplyFileName,
                          {QStringLiteral("Login:=@userid"), QStringLiteral("Password:=@password")}, GlobalReplyKey);
}

} // namespace demo
