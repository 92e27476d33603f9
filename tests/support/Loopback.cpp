#include "tests/support/Loopback.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTcpServer>
#include <QThread>

namespace zor::test {

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
        RunProgram(QStringLiteral("ss"), {QStringLiteral("-Hltn"), QStringLiteral("sport = :%1").arg(port)}, {}, &out);
        if (!out.trimmed().isEmpty())
            return true;
        QThread::msleep(20);
    }
    return false;
}

bool RunProgram(const QString& program, const QStringList& arguments, const QByteArray& input, QByteArray* output)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(WaitLimitMs))
        return false;
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(WaitLimitMs);
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void WriteFileBytes(const QString& path, const QByteArray& bytes, bool executable)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther |
                            QFileDevice::ReadOther | QFileDevice::ReadGroup);
}

void StopProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

} // namespace zor::test
