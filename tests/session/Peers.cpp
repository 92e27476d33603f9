#include "tests/session/Peers.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTcpServer>
#include <QThread>
#include <unistd.h>

namespace zor::test {

namespace {

bool Run(const QString& program, const QStringList& arguments, const QByteArray& input = {},
         QByteArray* output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(5000))
        return false;
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(20000);
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void WriteFile(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther |
                            QFileDevice::ReadOther | QFileDevice::ReadGroup);
}

// The known_hosts line of a public key file for the loopback host and port.
QByteArray KnownHostsEntry(const QString& publicKeyFile, quint16 port)
{
    QFile file(publicKeyFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> parts = file.readAll().trimmed().split(' ');
    return "[127.0.0.1]:" + QByteArray::number(port) + ' ' + parts.value(0) + ' ' + parts.value(1) + '\n';
}

void Stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

} // namespace

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

quint16 FreePort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

bool WaitForListener(quint16 port, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QByteArray out;
        Run(QStringLiteral("ss"), {QStringLiteral("-Hltn"), QStringLiteral("sport = :%1").arg(port)}, {}, &out);
        if (!out.trimmed().isEmpty())
            return true;
        QThread::msleep(20);
    }
    return false;
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
    Stop(process_);
}

bool DemoHostPeer::WaitForLine(const QString& line, int timeoutMs)
{
    return WaitUntil([&] { return lines_.contains(line); }, timeoutMs);
}

BusyboxTelnetd::BusyboxTelnetd(const QByteArray& script)
{
    const QString path = dir_.filePath(QStringLiteral("session.sh"));
    WriteFile(path, "#!/bin/sh\n" + script, true);
    port_ = FreePort();
    process_.start(QStringLiteral("busybox"),
                   {QStringLiteral("telnetd"), QStringLiteral("-F"), QStringLiteral("-p"), QString::number(port_),
                    QStringLiteral("-b"), QStringLiteral("127.0.0.1"), QStringLiteral("-f"),
                    QStringLiteral("/dev/null"), QStringLiteral("-l"), path});
    ready_ = process_.waitForStarted(5000) && WaitForListener(port_);
}

BusyboxTelnetd::~BusyboxTelnetd()
{
    Stop(process_);
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
    WriteFile(scriptPath, "#!/bin/sh\n" + script, true);
    if (!Run(QStringLiteral("ssh-keygen"),
             {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("ed25519"), QStringLiteral("-N"), QString(),
              QStringLiteral("-f"), dir + QStringLiteral("/host_key")}))
        return;
    userAdded_ = Run(QStringLiteral("useradd"), {QStringLiteral("-M"), QStringLiteral("-d"), QStringLiteral("/tmp"),
                                                 QStringLiteral("-s"), QStringLiteral("/bin/sh"), user_});
    if (!userAdded_ || !Run(QStringLiteral("chpasswd"), {}, (user_ + QLatin1Char(':') + password()).toLatin1()))
        return;
    QFile::remove(QStringLiteral("/run/sshd"));
    Run(QStringLiteral("mkdir"), {QStringLiteral("-p"), QStringLiteral("/run/sshd")});
    port_ = FreePort();
    const QByteArray config = QStringLiteral("Port %1\nListenAddress 127.0.0.1\nHostKey %2/host_key\n"
                                             "PidFile %2/sshd.pid\nUsePAM no\nPasswordAuthentication yes\n"
                                             "KbdInteractiveAuthentication no\nPubkeyAuthentication yes\n"
                                             "StrictModes no\nAllowUsers %3\nForceCommand %4\nPrintMotd no\n"
                                             "PrintLastLog no\n")
                                  .arg(port_)
                                  .arg(dir, user_, scriptPath)
                                  .toLatin1();
    WriteFile(dir + QStringLiteral("/sshd_config"), config);
    process_.start(QStringLiteral("/usr/sbin/sshd"), {QStringLiteral("-D"), QStringLiteral("-e"), QStringLiteral("-f"),
                                                      dir + QStringLiteral("/sshd_config")});
    ready_ = process_.waitForStarted(5000) && WaitForListener(port_);
}

Sshd::~Sshd()
{
    Stop(process_);
    if (userAdded_)
        Run(QStringLiteral("userdel"), {QStringLiteral("-f"), user_});
}

QByteArray Sshd::KnownHostsLine() const
{
    return KnownHostsEntry(dir_.filePath(QStringLiteral("host_key.pub")), port_);
}

QString Sshd::Fingerprint() const
{
    QByteArray out;
    Run(QStringLiteral("ssh-keygen"),
        {QStringLiteral("-l"), QStringLiteral("-f"), dir_.filePath(QStringLiteral("host_key.pub"))}, {}, &out);
    return QString::fromLatin1(out.split(' ').value(1));
}

QByteArray Sshd::ForeignKnownHostsLine(const QString& type) const
{
    const QString key = dir_.filePath(QStringLiteral("foreign_") + type);
    QFile::remove(key);
    QFile::remove(key + QStringLiteral(".pub"));
    if (!Run(QStringLiteral("ssh-keygen"), {QStringLiteral("-q"), QStringLiteral("-t"), type, QStringLiteral("-N"),
                                            QString(), QStringLiteral("-f"), key}))
        return {};
    return KnownHostsEntry(key + QStringLiteral(".pub"), port_);
}

} // namespace zor::test
