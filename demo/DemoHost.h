#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QTextStream>

class QTcpSocket;

namespace demo {

struct Credentials {
    QByteArray user = "demo";
    QByteArray password = "demo";
};

// A host on loopback that logs users on and serves the enquiry screen over
// Telnet. It reports on standard output, one line each: "LISTENING port",
// "TERMINAL type", "LOGON user", "GOT reply", "CLOSED".
class DemoHost : public QObject {
    Q_OBJECT

public:
    DemoHost(Credentials credentials, QTextStream& out);
    bool Listen(quint16 port);
    quint16 Port() const { return server_.serverPort(); }

private:
    void Accept();

    Credentials credentials_;
    QTextStream& out_;
    QTcpServer server_;
};

// One client: the Telnet it needs and the log-on and screen dialogue.
class DemoSession : public QObject {
    Q_OBJECT

public:
    DemoSession(QTcpSocket* socket, const Credentials& credentials, QTextStream& out);

private:
    enum class Step { User, Password, Screen };
    enum class Telnet { Data, Iac, Option, Sub, SubIac };

    void OnReadyRead();
    void Filter(const QByteArray& bytes);
    void OnCommand(unsigned char command, unsigned char option);
    void OnLine(const QByteArray& line);
    void Report(const QString& line);

    QTcpSocket* socket_;
    const Credentials& credentials_;
    QTextStream& out_;
    Step step_ = Step::User;
    Telnet telnet_ = Telnet::Data;
    unsigned char command_ = 0;
    QByteArray sub_;
    QByteArray line_;
    bool afterCr_ = false;
    QByteArray user_;
    int failures_ = 0;
};

} // namespace demo
