#include "tests/support/PtyPair.h"

#include "tests/support/Loopback.h"

#include <QFile>

namespace zor::test {

PtyPair::PtyPair(int portNumber) : variable_(QStringLiteral("ZOR_COM%1").arg(portNumber).toLatin1())
{
    const QString log = dir_.filePath(QStringLiteral("socat.log"));
    socat_.setStandardErrorFile(log);
    socat_.start(QStringLiteral("socat"),
                 {QStringLiteral("-d"), QStringLiteral("-d"), QStringLiteral("pty,raw,echo=0,link=") + a(),
                  QStringLiteral("pty,raw,echo=0,link=") + b()});
    ready_ = socat_.waitForStarted(5000) && WaitUntil([&] {
                 QFile file(log);
                 return file.open(QIODevice::ReadOnly) && file.readAll().contains("starting data transfer loop");
             });
    qputenv(variable_.constData(), a().toLocal8Bit());
}

PtyReader::PtyReader(const QString& device)
{
    port.setPortName(device);
    opened = port.open(QIODevice::ReadOnly);
}

QByteArray PtyReader::Read(qsizetype count)
{
    WaitUntil(
        [&] {
            received += port.readAll();
            return received.size() >= count;
        },
        5000);
    return received;
}

PtyPair::~PtyPair()
{
    qunsetenv(variable_.constData());
    StopProcess(socat_);
}

} // namespace zor::test
