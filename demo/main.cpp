#include "demo/DemoConfig.h"
#include "demo/DemoHost.h"

#include <QCommandLineParser>
#include <QCoreApplication>

// A host for trying the client out and for the end-to-end tests: listens on
// 127.0.0.1 only.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Demo host for zor on 127.0.0.1"));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("TCP port; 0 picks a free one."),
                                  QStringLiteral("port"), QStringLiteral("2323"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("The user id accepted."),
                                  QStringLiteral("user"), QStringLiteral("demo"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("The password accepted."),
                                      QStringLiteral("password"), QStringLiteral("demo"));
    const QCommandLineOption writeConfig(QStringLiteral("write-config"),
                                         QStringLiteral("Writes a session configuration for this host to the file "
                                                        "(its folder becomes the program folder) and goes on."),
                                         QStringLiteral("path"));
    parser.addOptions({port, user, password, writeConfig});
    parser.process(app);

    QTextStream out(stdout);
    demo::Credentials credentials;
    credentials.user = parser.value(user).toLatin1();
    credentials.password = parser.value(password).toLatin1();
    demo::DemoHost host(credentials, out);
    bool portIsNumber = false;
    const uint portNumber = parser.value(port).toUInt(&portIsNumber);
    if (!portIsNumber || portNumber > 65535 || !host.Listen(static_cast<quint16>(portNumber))) {
        QTextStream(stderr) << "cannot listen on 127.0.0.1 port " << parser.value(port) << Qt::endl;
        return 1;
    }
    if (parser.isSet(writeConfig) && !demo::WriteDemoConfig(parser.value(writeConfig), host.Port(), parser.value(user)))
        return 1;
    out << "LISTENING " << host.Port() << Qt::endl;
    return app.exec();
}
