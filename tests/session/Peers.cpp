#include "tests/session/Peers.h"

#include <QDir>
#include <QFile>
#include <QTcpSocket>
#include <arpa/inet.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zor::test {

namespace {

// The known_hosts line of a public key file for the loopback host and port.
QByteArray KnownHostsEntry(const QString& publicKeyFile, quint16 port)
{
    QFile file(publicKeyFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> parts = file.readAll().trimmed().split(' ');
    return "[127.0.0.1]:" + QByteArray::number(port) + ' ' + parts.value(0) + ' ' + parts.value(1) + '\n';
}

} // namespace

QByteArray FloodScript(int screens)
{
    return "stty -opost -echo\n"
           "awk -v n=" +
           QByteArray::number(screens) +
           " 'BEGIN { e = sprintf(\"%c\", 27); for (i = 0; i < n; i++) {"
           " s = e \"cs\" e \"bx^2^2^76^20^Flood\" e \"to^4^3^20^l^Screen \" i \"^^1\";"
           " for (r = 0; r < 34; r++) s = s e \"to^4^\" (r % 16 + 4) \"^30^l^Line \" r \" of the flood^^1\";"
           " printf \"%s%sin^20^22^10^^^^10%s\\r\\n\", s, e, e } }'\n"
           "read reply\n";
}

QByteArray FloodScreen(int number)
{
    const QByteArray e("\x1b");
    QByteArray screen =
        e + "cs" + e + "bx^2^2^76^20^Flood" + e + "to^4^3^20^l^Screen " + QByteArray::number(number) + "^^1";
    for (int r = 0; r < 34; ++r)
        screen +=
            e + "to^4^" + QByteArray::number(r % 16 + 4) + "^30^l^Line " + QByteArray::number(r) + " of the flood^^1";
    return screen + e + "in^20^22^10^^^^10" + e + "\r\n";
}

DemoHostPeer::DemoHostPeer(const QStringList& arguments)
{
    process_.setProgram(QStringLiteral(ZOR_BINARY_DIR "/zor_demohost"));
    process_.setArguments(QStringList{QStringLiteral("--port"), QStringLiteral("0")} + arguments);
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] {
        partial_ += process_.readAllStandardOutput();
        qsizetype end;
        while ((end = partial_.indexOf('\n')) >= 0) {
            lines_ << QString::fromLatin1(partial_.left(end));
            partial_.remove(0, end + 1);
        }
    });
    process_.start();
    WaitUntil([this] { return !lines_.isEmpty() || process_.state() == QProcess::NotRunning; });
    if (!lines_.isEmpty() && lines_.first().startsWith(QStringLiteral("LISTENING ")))
        port_ = static_cast<quint16>(lines_.first().mid(10).toUInt());
}

DemoHostPeer::~DemoHostPeer()
{
    StopProcess(process_);
}

bool DemoHostPeer::WaitForLine(const QString& line, int timeoutMs)
{
    return WaitUntil([&] { return lines_.contains(line); }, timeoutMs);
}

InProcessHost::InProcessHost()
{
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
        client_ = server_.nextPendingConnection();
        QObject::connect(client_, &QTcpSocket::readyRead, [this] {
            partial_ += client_->readAll();
            qsizetype end;
            while ((end = partial_.indexOf('\r')) >= 0) {
                lines_ << QString::fromLatin1(partial_.left(end));
                partial_.remove(0, end + 1);
            }
        });
    });
}

bool InProcessHost::WaitForClient()
{
    return WaitUntil([this] { return client_ != nullptr; });
}

namespace {

// The bytes sent on the socket that its peer has not yet acknowledged.
int Unacknowledged(int socket)
{
    int count = 0;
    return ioctl(socket, TIOCOUTQ, &count) == 0 ? count : -1;
}

quint16 PortOf(const sockaddr_storage& address)
{
    return address.ss_family == AF_INET ? ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port) : 0;
}

} // namespace

void InProcessHost::Send(const QByteArray& bytes)
{
    client_->write(bytes);
    while (client_->bytesToWrite() > 0 && client_->waitForBytesWritten(WaitLimitMs)) {
    }
    // Acknowledged means the client's kernel holds them; no events run here.
    const int socket = static_cast<int>(client_->socketDescriptor());
    for (int spins = 0; Unacknowledged(socket) > 0 && spins < WaitLimitMs; ++spins)
        usleep(1000);
}

bool InProcessHost::ClientTookAll() const
{
    // The client's end is the socket of this process whose own port is the
    // peer port of the host's end.
    const QStringList fds = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System);
    for (const QString& name : fds) {
        const int fd = name.toInt();
        sockaddr_storage own{}, peer{};
        socklen_t ownSize = sizeof own, peerSize = sizeof peer;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&own), &ownSize) != 0 ||
            getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerSize) != 0)
            continue;
        if (PortOf(own) != client_->peerPort() || PortOf(peer) != port())
            continue;
        int unread = 0;
        return ioctl(fd, FIONREAD, &unread) == 0 && unread == 0;
    }
    return false;
}

void InProcessHost::Close()
{
    client_->disconnectFromHost();
}

bool InProcessHost::WaitForLine(const QString& line, int timeoutMs)
{
    return WaitUntil([&] { return lines_.contains(line); }, timeoutMs);
}

BusyboxTelnetd::BusyboxTelnetd(const QByteArray& script)
{
    const QString path = dir_.filePath(QStringLiteral("session.sh"));
    WriteFileBytes(path, "#!/bin/sh\n" + script, true);
    port_ = FreePort();
    process_.start(QStringLiteral("busybox"),
                   {QStringLiteral("telnetd"), QStringLiteral("-F"), QStringLiteral("-p"), QString::number(port_),
                    QStringLiteral("-b"), QStringLiteral("127.0.0.1"), QStringLiteral("-f"),
                    QStringLiteral("/dev/null"), QStringLiteral("-l"), path});
    ready_ = process_.waitForStarted(WaitLimitMs) && WaitForListener(port_);
}

BusyboxTelnetd::~BusyboxTelnetd()
{
    StopProcess(process_);
}

Sshd::Sshd(const QByteArray& script)
{
    if (geteuid() != 0)
        return;
    user_ = QStringLiteral("zort%1").arg(getpid());
    const QString dir = dir_.path();
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                   QFileDevice::ReadOther | QFileDevice::ExeOther);
    const QString scriptPath = dir + QStringLiteral("/session.sh");
    WriteFileBytes(scriptPath, "#!/bin/sh\n" + script, true);
    if (!RunProgram(QStringLiteral("ssh-keygen"),
                    {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("ed25519"), QStringLiteral("-N"),
                     QString(), QStringLiteral("-f"), dir + QStringLiteral("/host_key")}))
        return;
    userAdded_ =
        RunProgram(QStringLiteral("useradd"), {QStringLiteral("-M"), QStringLiteral("-d"), QStringLiteral("/tmp"),
                                               QStringLiteral("-s"), QStringLiteral("/bin/sh"), user_});
    if (!userAdded_ || !RunProgram(QStringLiteral("chpasswd"), {}, (user_ + QLatin1Char(':') + password()).toLatin1()))
        return;
    QFile::remove(QStringLiteral("/run/sshd"));
    RunProgram(QStringLiteral("mkdir"), {QStringLiteral("-p"), QStringLiteral("/run/sshd")});
    port_ = FreePort();
    const QByteArray config = QStringLiteral("Port %1\nListenAddress 127.0.0.1\nHostKey %2/host_key\n"
                                             "PidFile %2/sshd.pid\nUsePAM no\nPasswordAuthentication yes\n"
                                             "KbdInteractiveAuthentication no\nPubkeyAuthentication yes\n"
                                             "StrictModes no\nAllowUsers %3\nForceCommand %4\nPrintMotd no\n"
                                             "PrintLastLog no\n")
                                  .arg(port_)
                                  .arg(dir, user_, scriptPath)
                                  .toLatin1();
    WriteFileBytes(dir + QStringLiteral("/sshd_config"), config);
    process_.start(QStringLiteral("/usr/sbin/sshd"), {QStringLiteral("-D"), QStringLiteral("-e"), QStringLiteral("-f"),
                                                      dir + QStringLiteral("/sshd_config")});
    ready_ = process_.waitForStarted(WaitLimitMs) && WaitForListener(port_);
}

Sshd::~Sshd()
{
    StopProcess(process_);
    if (userAdded_)
        RunProgram(QStringLiteral("userdel"), {QStringLiteral("-f"), user_});
}

QByteArray Sshd::KnownHostsLine() const
{
    return KnownHostsEntry(dir_.filePath(QStringLiteral("host_key.pub")), port_);
}

QString Sshd::Fingerprint() const
{
    QByteArray out;
    RunProgram(QStringLiteral("ssh-keygen"),
               {QStringLiteral("-l"), QStringLiteral("-f"), dir_.filePath(QStringLiteral("host_key.pub"))}, {}, &out);
    return QString::fromLatin1(out.split(' ').value(1));
}

QByteArray Sshd::ForeignKnownHostsLine(const QString& type) const
{
    const QString key = dir_.filePath(QStringLiteral("foreign_") + type);
    QFile::remove(key);
    QFile::remove(key + QStringLiteral(".pub"));
    if (!RunProgram(QStringLiteral("ssh-keygen"), {QStringLiteral("-q"), QStringLiteral("-t"), type,
                                                   QStringLiteral("-N"), QString(), QStringLiteral("-f"), key}))
        return {};
    return KnownHostsEntry(key + QStringLiteral(".pub"), port_);
}

} // namespace zor::test
