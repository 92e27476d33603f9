#pragma once

// Real hosts on 127.0.0.1 for the channel tests, started and stopped by the
// tests themselves.

#include "tests/support/Loopback.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTemporaryDir>

namespace zor::test {

// A host script that sends the given number of numbered screens without
// pause, byte for byte, then waits for a line; and the text of screen n as
// it sends it. A screen is a clear, a box, 35 texts and an input request.
QByteArray FloodScript(int screens);
QByteArray FloodScreen(int number);

// The demo host, on a free port; its report lines are collected.
class DemoHostPeer {
public:
    explicit DemoHostPeer(const QStringList& arguments = {});
    ~DemoHostPeer();
    quint16 port() const { return port_; }
    // Waits for a report line (e.g. "GOT bye") and says whether it came.
    bool WaitForLine(const QString& line, int timeoutMs = WaitLimitMs);
    QStringList lines() const { return lines_; }

private:
    QProcess process_;
    QStringList lines_;
    QByteArray partial_;
    quint16 port_ = 0;
};

// A Telnet host in this process that negotiates nothing, for tests that must
// know when its text has reached the client: Send() returns once the client's
// side of the connection has the bytes, and ClientTookAll() says whether the
// client (in this process) has read them from the kernel. One connection.
class InProcessHost {
public:
    InProcessHost();
    quint16 port() const { return server_.serverPort(); }
    bool WaitForClient();
    void Send(const QByteArray& bytes);
    bool ClientTookAll() const;
    // The host ends the session.
    void Close();
    // Waits for a line the client sent (its CR taken off).
    bool WaitForLine(const QString& line, int timeoutMs = WaitLimitMs);
    QStringList lines() const { return lines_; }

private:
    QTcpServer server_;
    QTcpSocket* client_ = nullptr;
    QStringList lines_;
    QByteArray partial_;
};

// busybox telnetd running a shell script for every connection.
class BusyboxTelnetd {
public:
    explicit BusyboxTelnetd(const QByteArray& script);
    ~BusyboxTelnetd();
    quint16 port() const { return port_; }
    bool ready() const { return ready_; }

private:
    QTemporaryDir dir_;
    QProcess process_;
    quint16 port_ = 0;
    bool ready_ = false;
};

// OpenSSH's sshd with its own host key, configuration and a test user with
// a password, whose every session runs the given script. Needs root (to add
// the user); ready() is false otherwise.
class Sshd {
public:
    explicit Sshd(const QByteArray& script);
    ~Sshd();
    bool ready() const { return ready_; }
    quint16 port() const { return port_; }
    QString user() const { return user_; }
    QString password() const { return QStringLiteral("Zor-test-1"); }
    // "[127.0.0.1]:port ssh-ed25519 AAAA..." for a known_hosts file.
    QByteArray KnownHostsLine() const;
    // The same host with a key it does not have (of the given type).
    QByteArray ForeignKnownHostsLine(const QString& type) const;
    // "SHA256:..." of the host's key.
    QString Fingerprint() const;

private:
    QTemporaryDir dir_;
    QProcess process_;
    quint16 port_ = 0;
    QString user_;
    bool userAdded_ = false;
    bool ready_ = false;
};

} // namespace zor::test
